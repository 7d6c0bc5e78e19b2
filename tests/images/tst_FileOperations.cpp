#include "core/AppText.h"
#include "images/FileOperations.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Also records what each input box asked.
class RecordingDialogs : public ScriptedDialogs
{
public:
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override
    {
        inputs << QStringList{prompt, title, defaultText};
        return ScriptedDialogs::inputBox(prompt, title, defaultText);
    }
    QList<QStringList> inputs;
};
} // namespace

// Copy, paste, rename and delete on real files in temporary folders.
class tst_FileOperations : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void pasteCopiesThreeFilesOnce();
    void pasteIntoSourceFolderFailsPerFile();
    void pasteReplacesTargetOnlyWithCompleteCopy();
    void copyWithNothingSelectedKeepsPendingPaste();
    void deleteAsksForEachFile();
    void deleteOfMissingFileReportsAndGoesOn();
    void rename_data();
    void rename();

private:
    QString write(const QString &folder, const QString &name, const QByteArray &content);
    QByteArray read(const QString &path);
    QStringList files(const QString &folder);
    void paste(FileOperations &ops, const QString &folder);

    std::optional<QTemporaryDir> m_tmp;
    QString m_a;
    QString m_b;
    RecordingDialogs m_dialogs;
};

void tst_FileOperations::init()
{
    m_tmp.emplace();
    QVERIFY(m_tmp->isValid());
    m_a = m_tmp->filePath("a");
    m_b = m_tmp->filePath("b");
    QVERIFY(QDir().mkpath(m_a) && QDir().mkpath(m_b));
    m_dialogs = RecordingDialogs();
}

QString tst_FileOperations::write(const QString &folder, const QString &name,
                                  const QByteArray &content)
{
    QFile f(folder + "/" + name);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(f.fileName()));
    return f.fileName();
}

QByteArray tst_FileOperations::read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList tst_FileOperations::files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void tst_FileOperations::paste(FileOperations &ops, const QString &folder)
{
    QSignalSpy finished(&ops, &FileOperations::pasteFinished);
    ops.PasteFile(folder);
    QVERIFY(ops.isPasting());
    QVERIFY(finished.wait(10000));
    QVERIFY(!ops.isPasting());
}

void tst_FileOperations::pasteCopiesThreeFilesOnce()
{
    const QByteArray big(3 << 20, 'x'); // larger than one copy buffer
    for (const char *name : {"one.jpg", "two.gif", "three.JPG", "left.jpg"})
        write(m_a, name, QByteArray(name) + big);
    {
        QFile one(m_a + "/one.jpg");
        QVERIFY(one.open(QIODevice::ReadWrite));
        QVERIFY(one.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)),
                                QFileDevice::FileModificationTime));
    }
    FileOperations ops(m_dialogs);
    QSignalSpy canPaste(&ops, &FileOperations::canPasteChanged);
    ops.CopyFile(m_a, {"one.jpg", "two.gif", "three.JPG"});
    QCOMPARE(canPaste.takeFirst().first().toBool(), true);

    paste(ops, m_b);
    QCOMPARE(files(m_b), QStringList({"one.jpg", "three.JPG", "two.gif"}));
    for (const QString &name : files(m_b))
        QCOMPARE(read(m_b + "/" + name), read(m_a + "/" + name));
    QCOMPARE(QFileInfo(m_b + "/one.jpg").lastModified(),
             QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
    QCOMPARE(canPaste.takeFirst().first().toBool(), false);
    QVERIFY(!ops.canPaste());
    QVERIFY(m_dialogs.messages.isEmpty());

    // Each copy allows one paste.
    const QString c = m_tmp->filePath("c");
    QDir().mkpath(c);
    ops.PasteFile(c);
    QVERIFY(!ops.isPasting());
    QVERIFY(files(c).isEmpty());
}

void tst_FileOperations::pasteIntoSourceFolderFailsPerFile()
{
    write(m_a, "one.jpg", "first");
    write(m_a, "two.jpg", "second");
    FileOperations ops(m_dialogs);
    ops.CopyFile(m_a, {"one.jpg", "two.jpg"});
    paste(ops, m_a);
    QCOMPARE(m_dialogs.messages.size(), 2);
    for (const auto &m : m_dialogs.messages) {
        QVERIFY2(m.text.startsWith("File Copy Error:" + m_a), qPrintable(m.text));
        QCOMPARE(m.title, AppText::AppTitle);
        QCOMPARE(m.icon, Dialogs::Icon::Exclamation);
        QCOMPARE(m.buttons, Dialogs::Buttons::Ok);
    }
    QVERIFY(m_dialogs.messages[0].text.contains("one.jpg"));
    QVERIFY(m_dialogs.messages[1].text.contains("two.jpg"));
    QCOMPARE(files(m_a), QStringList({"one.jpg", "two.jpg"}));
    QCOMPARE(read(m_a + "/one.jpg"), QByteArray("first"));
    QCOMPARE(read(m_a + "/two.jpg"), QByteArray("second"));
    QVERIFY(!ops.canPaste());
}

void tst_FileOperations::pasteReplacesTargetOnlyWithCompleteCopy()
{
    write(m_a, "one.jpg", "new one");
    write(m_a, "gone.jpg", "new gone");
    write(m_b, "one.jpg", "old one");
    write(m_b, "gone.jpg", "old gone");
    FileOperations ops(m_dialogs);
    ops.CopyFile(m_a, {"gone.jpg", "one.jpg"});
    QVERIFY(QFile::remove(m_a + "/gone.jpg"));
    paste(ops, m_b);
    // The copy that cannot be made leaves the file it would have replaced.
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(m_dialogs.lastText().startsWith("File Copy Error:"));
    QVERIFY(m_dialogs.lastText().contains("gone.jpg"));
    QCOMPARE(read(m_b + "/gone.jpg"), QByteArray("old gone"));
    QCOMPARE(read(m_b + "/one.jpg"), QByteArray("new one"));
    QCOMPARE(files(m_b), QStringList({"gone.jpg", "one.jpg"}));
}

void tst_FileOperations::copyWithNothingSelectedKeepsPendingPaste()
{
    write(m_a, "one.jpg", "1");
    FileOperations ops(m_dialogs);
    ops.CopyFile(m_a, {"one.jpg"});
    QSignalSpy canPaste(&ops, &FileOperations::canPasteChanged);
    ops.CopyFile(m_b, {});
    QVERIFY(canPaste.isEmpty());
    paste(ops, m_b);
    QCOMPARE(files(m_b), QStringList({"one.jpg"}));
}

void tst_FileOperations::deleteAsksForEachFile()
{
    write(m_a, "keep.jpg", "k");
    write(m_a, "drop.jpg", "d");
    FileOperations ops(m_dialogs);
    m_dialogs.answer(Dialogs::Answer::No);
    m_dialogs.answer(Dialogs::Answer::Yes);
    ops.DeleteFile(m_a, {"keep.jpg", "drop.jpg"});
    QCOMPARE(files(m_a), QStringList({"keep.jpg"}));
    QCOMPARE(m_dialogs.messages.size(), 2);
    QCOMPARE(m_dialogs.messages[0].text, QString("Delete: keep.jpg ?"));
    QCOMPARE(m_dialogs.messages[1].text, QString("Delete: drop.jpg ?"));
    QCOMPARE(m_dialogs.messages[1].icon, Dialogs::Icon::None);
    QCOMPARE(m_dialogs.messages[1].buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(m_dialogs.messages[1].title, AppText::AppTitle);
    QVERIFY(m_dialogs.allAnswered());
}

void tst_FileOperations::deleteOfMissingFileReportsAndGoesOn()
{
    write(m_a, "two.jpg", "2");
    FileOperations ops(m_dialogs);
    m_dialogs.answer(Dialogs::Answer::Yes);
    m_dialogs.answer(Dialogs::Answer::Yes);
    ops.DeleteFile(m_a, {"one.jpg", "two.jpg"});
    QCOMPARE(m_dialogs.messages.size(), 3);
    QVERIFY(m_dialogs.messages[1].text.startsWith("File Delete Error:" + m_a + "/one.jpg"));
    QCOMPARE(m_dialogs.messages[1].icon, Dialogs::Icon::Exclamation);
    QVERIFY(files(m_a).isEmpty());
}

void tst_FileOperations::rename_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QStringList>("expectedFiles");
    QTest::addColumn<QString>("expectedMessage");

    const QString none;
    QTest::newRow("new name") << std::optional<QString>("new.jpg")
                              << QStringList{"new.jpg", "other.jpg"} << none;
    QTest::newRow("default answer")
        << std::optional<QString>("photo.jpg") << QStringList{"other.jpg", "photo.jpg"} << none;
    QTest::newRow("existing name")
        << std::optional<QString>("other.jpg") << QStringList{"other.jpg", "photo.jpg"} << none;
    QTest::newRow("empty answer") << std::optional<QString>("")
                                  << QStringList{"other.jpg", "photo.jpg"} << none;
    QTest::newRow("cancelled") << std::optional<QString>() << QStringList{"other.jpg", "photo.jpg"}
                               << none;
    QTest::newRow("into a subfolder")
        << std::optional<QString>("sub/photo.jpg") << QStringList{"other.jpg", "photo.jpg"}
        << "File Rename Error:";
    QTest::newRow("source gone") << std::optional<QString>("new.jpg") << QStringList{"other.jpg"}
                                 << "File contains invalid Single Quote characters.\r\n"
                                    "Single Quotes Are not Browser Friendly Characters.\r\n"
                                    "Please Rename with Windows File Manager.";
}

void tst_FileOperations::rename()
{
    QFETCH(std::optional<QString>, answer);
    QFETCH(QStringList, expectedFiles);
    QFETCH(QString, expectedMessage);
    write(m_a, "photo.jpg", "p");
    write(m_a, "other.jpg", "o");
    QDir(m_a).mkdir("sub");
    if (QByteArray(QTest::currentDataTag()) == "source gone")
        QFile::remove(m_a + "/photo.jpg");
    m_dialogs.text(answer);

    FileOperations(m_dialogs).RenameFile(m_a, {"photo.jpg"});
    QCOMPARE(m_dialogs.inputs,
             QList<QStringList>({{"Enter new filename:", "Rename Selected Files", "photo.jpg"}}));
    QCOMPARE(files(m_a), expectedFiles);
    QVERIFY(files(m_a + "/sub").isEmpty());
    if (expectedMessage.isEmpty()) {
        QVERIFY(m_dialogs.messages.isEmpty());
    } else {
        QCOMPARE(m_dialogs.messages.size(), 1);
        QVERIFY2(m_dialogs.lastText().startsWith(expectedMessage),
                 qPrintable(m_dialogs.lastText()));
        QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
    }
}

QTEST_GUILESS_MAIN(tst_FileOperations)
#include "tst_FileOperations.moc"
