#include "images/ImageList.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_ImageList : public QObject
{
    Q_OBJECT
private slots:
    void displayNames_data();
    void displayNames();
    void folderFilesJoin_data();
    void folderFilesJoin();
    void info_data();
    void info();
    void measuresFilesAndSkipsMissing();
    void moveAndSelection();
    void commitDisplayName_data();
    void commitDisplayName();
    void removeAndClear();
    void refusesBeyondCapacity();
    void refusesLineBreaks_data();
    void refusesLineBreaks();
};

void tst_ImageList::displayNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("displayName");
    QTest::newRow("jpg") << "/pics/photo.jpg"
                         << "photo";
    QTest::newRow("jpeg keeps its dot") << "/pics/photo.jpeg"
                                        << "photo.";
    QTest::newRow("only extension") << "/pics/.jpg"
                                    << "";
    QTest::newRow("short name") << "/pics/ab"
                                << "";
    QTest::newRow("no separator") << "photo.jpg"
                                  << "";
}

void tst_ImageList::displayNames()
{
    QFETCH(QString, path);
    QFETCH(QString, displayName);
    ImageList list;
    QVERIFY(list.AddToImageList(path));
    QCOMPARE(list.at(0), (ImageEntry{path, displayName}));
}

void tst_ImageList::folderFilesJoin_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("root") << "/"
                          << "/a.jpg";
    QTest::newRow("folder") << "/A"
                            << "/A/a.jpg";
}

void tst_ImageList::folderFilesJoin()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    ImageList list;
    QCOMPARE(list.AddFolderFiles(folder, {"a.jpg", "a.jpg"}), 2);
    QCOMPARE(list.count(), 2); // duplicates are kept
    QCOMPARE(list.at(1), (ImageEntry{path, "a"}));
}

void tst_ImageList::info_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("1536 rounds to even") << qint64(1536) << "Image Count:3   Total Size:2Kb";
    QTest::newRow("2560 rounds to even") << qint64(2560) << "Image Count:3   Total Size:2Kb";
    QTest::newRow("512 rounds to even") << qint64(512) << "Image Count:3   Total Size:0Kb";
    QTest::newRow("just above half") << qint64(1537) << "Image Count:3   Total Size:2Kb";
    QTest::newRow("beyond 32 bits")
        << qint64(5) * 1024 * 1024 * 1024 << "Image Count:3   Total Size:5242880Kb";
}

void tst_ImageList::info()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(ImageList::infoText(3, bytes), text);
}

void tst_ImageList::measuresFilesAndSkipsMissing()
{
    QTemporaryDir dir;
    const QList<int> sizes = {1000, 500, 36};
    ImageList list;
    for (int i = 0; i < sizes.size(); ++i) {
        QFile f(dir.filePath(QString("p%1.jpg").arg(i)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(sizes[i], 'x'));
        f.close();
        list.AddToImageList(f.fileName());
    }
    list.AddToImageList(dir.filePath("gone.jpg"));
    list.AddToImageList(dir.path()); // a folder is no picture and measures nothing
    QCOMPARE(list.UpdateImageListInfo(), QString("Image Count:5   Total Size:2Kb"));
    QCOMPARE(list.info(), QString("Image Count:5   Total Size:2Kb"));
}

void tst_ImageList::moveAndSelection()
{
    ImageList list;
    list.AddFolderFiles("/p", {"a.jpg", "b.jpg", "c.jpg"});
    list.select(0);
    QVERIFY(!list.MoveImageUp());
    list.select(2);
    QVERIFY(!list.MoveImageDown());
    list.select(1);
    QVERIFY(list.MoveImageUp());
    QCOMPARE(list.selected(), 0);
    QCOMPARE(list.at(0).displayName, QString("b"));
    QVERIFY(list.MoveImageDown());
    QVERIFY(list.MoveImageDown());
    QCOMPARE(list.selected(), 2);
    QCOMPARE(list.at(2), (ImageEntry{"/p/b.jpg", "b"}));
    QCOMPARE(list.at(0).displayName, QString("a"));
    list.select(-1);
    QVERIFY(!list.MoveImageUp());
    QVERIFY(!list.MoveImageDown());
    list.select(7);
    QCOMPARE(list.selected(), -1);
}

void tst_ImageList::commitDisplayName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("stored");
    QTest::newRow("blanks only refused") << "   " << false << "a";
    QTest::newRow("empty refused") << "" << false << "a";
    QTest::newRow("spaces kept") << "  New  " << true << "  New  ";
}

void tst_ImageList::commitDisplayName()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, stored);
    ImageList list;
    list.AddToImageList("/p/a.jpg");
    QVERIFY(!list.CommitDisplayName("x")); // nothing selected
    list.select(0);
    QCOMPARE(list.CommitDisplayName(typed), accepted);
    QCOMPARE(list.at(0).displayName, stored);
}

void tst_ImageList::removeAndClear()
{
    ImageList list;
    list.AddFolderFiles("/p", {"a.jpg", "b.jpg", "c.jpg"});
    list.RemoveSelectedImages(); // nothing selected: nothing removed
    QCOMPARE(list.count(), 3);
    list.select(1);
    list.RemoveSelectedImages();
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.at(1).displayName, QString("c"));
    QCOMPARE(list.selected(), -1);
    list.ClearImageList();
    QVERIFY(list.isEmpty());
    QCOMPARE(list.UpdateImageListInfo(), ImageList::EmptyInfo);
}

void tst_ImageList::refusesBeyondCapacity()
{
    ImageList list;
    QStringList names;
    for (int i = 0; i < ImageList::MaxEntries + 5; ++i)
        names << QString("%1.jpg").arg(i);
    QCOMPARE(list.AddFolderFiles("/p", names), ImageList::MaxEntries);
    QVERIFY(!list.AddToImageList("/p/more.jpg"));
    QCOMPARE(list.count(), ImageList::MaxEntries);
}

void tst_ImageList::refusesLineBreaks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("added");
    QTest::newRow("LF") << "a\nb.jpg" << false;
    QTest::newRow("CR") << "a\rb.jpg" << false;
    QTest::newRow("CR LF") << "a\r\n.jpg" << false;
    QTest::newRow("tab is fine") << "a\tb.jpg" << true;
}

void tst_ImageList::refusesLineBreaks()
{
    QFETCH(QString, name);
    QFETCH(bool, added);
    ImageList list;
    QCOMPARE(list.AddToImageList("/p/" + name), added);
    // A folder's batch leaves the name out and goes on with the rest.
    QCOMPARE(list.AddFolderFiles("/p", {name, "c.jpg"}), added ? 2 : 1);
    QCOMPARE(list.at(list.count() - 1).path, QString("/p/c.jpg"));
    QCOMPARE(list.count(), added ? 3 : 1);
    if (!added)
        QVERIFY(ImageList::lineBreakMessage({"/p/" + name}).contains("/p/a"));
}

QTEST_GUILESS_MAIN(tst_ImageList)
#include "tst_ImageList.moc"
