#include "preview/PreviewFileChoice.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTest>

// Which file the preview's open dialog offers, and what a choice remembers.
class tst_PreviewFileChoice : public QObject
{
    Q_OBJECT
private slots:
    void initialFileName_data();
    void initialFileName();
    void choiceBecomesPreviousPreview();
    void noteHasSevenLines();
};

void tst_PreviewFileChoice::initialFileName_data()
{
    QTest::addColumn<QString>("prevhtml");
    QTest::addColumn<QString>("genhtml");
    QTest::addColumn<QString>("offered");
    QTest::newRow("nothing yet") << "/app/*.html"
                                 << "/app/*.html"
                                 << "/app/*.html";
    QTest::newRow("first after generating") << "/app/*.html"
                                            << "/web/album.html"
                                            << "/web/album.html";
    QTest::newRow("pattern in capitals") << "/app/*.HTML"
                                         << "/web/album.html"
                                         << "/web/album.html";
    QTest::newRow("htm pattern") << "/app/*.htm"
                                 << "/web/album.html"
                                 << "/web/album.html";
    QTest::newRow("previewed before") << "/web/old.html"
                                      << "/web/album.html"
                                      << "/web/old.html";
}

void tst_PreviewFileChoice::initialFileName()
{
    QFETCH(QString, prevhtml);
    QFETCH(QString, genhtml);
    QFETCH(QString, offered);
    RememberedPaths paths("/app/");
    paths.replace(RememberedPaths::PrevHtml, prevhtml);
    paths.replace(RememberedPaths::GenHtml, genhtml);
    QCOMPARE(PreviewFileChoice::initialFileName(paths), offered);
}

void tst_PreviewFileChoice::choiceBecomesPreviousPreview()
{
    RememberedPaths paths("/app/");
    ScriptedDialogs dialogs;
    dialogs.cancelFile();
    QVERIFY(!PreviewFileChoice::choose(dialogs, paths, "/web/album.html"));
    QCOMPARE(paths, RememberedPaths("/app/"));

    dialogs.fileName("/web/album.html");
    QCOMPARE(PreviewFileChoice::choose(dialogs, paths, "/web/x.html"),
             std::optional<QString>("/web/album.html"));
    QCOMPARE(paths.value(RememberedPaths::PrevHtml), QString("/web/album.html"));
    const Dialogs::FileRequest &request = dialogs.fileRequests.last();
    QCOMPARE(request.fileName, QString("/web/x.html"));
    QCOMPARE(request.filter, QString("HTML (*.html)|*.html|HTM (*.htm)|*.htm|All (*.*)|*.*"));
    QCOMPARE(request.defaultExtension, QString("HTML"));
    QVERIFY(!request.overwritePrompt);
}

void tst_PreviewFileChoice::noteHasSevenLines()
{
    const QStringList lines = PreviewFileChoice::NoteText.split("\r\n");
    QCOMPARE(lines.size(), 8); // seven lines, each ended
    QCOMPARE(lines[0], QString("Important Note(1): When Pre-viewing a web page the Image"));
    QCOMPARE(lines[4], QString());
    QCOMPARE(lines[6], QString("since the Web Page Files and Images will be uploaded to the "
                               "same directory."));
    QCOMPARE(lines[7], QString());
}

QTEST_GUILESS_MAIN(tst_PreviewFileChoice)
#include "tst_PreviewFileChoice.moc"
