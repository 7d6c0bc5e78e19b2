#include "core/AppText.h"
#include "project/ProjectFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

// Project files: the exact line forms, a full round trip, and what bad files leave behind.
class tst_ProjectFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void savedAfterNewMatchesLineForLine();
    void saveThenLoadRestoresEverything();
    void emptyListSaysInvalidButKeepsValues();
    void saveNamesAndExtension_data();
    void saveNamesAndExtension();
    void cancelChangesNothing();
    void badFiles_data();
    void badFiles();
    void failedSaveKeepsOldFile();
    void nonHexColourLoadsBlackAndGoesOn();
    void readsWindows1252AndLoneLineFeeds();
    void decodesEachLine_data();
    void decodesEachLine();
    void namesAsStored();
    void boundedInput_data();
    void boundedInput();
    void saveRefusesLineBreaks_data();
    void saveRefusesLineBreaks();
    void fileErrorNumbers_data();
    void fileErrorNumbers();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void write(const QString &name, const QByteArray &bytes);
    QByteArray projectLines(const QStringList &tail) const;

    std::optional<QTemporaryDir> m_dir;
    ScriptedDialogs m_dialogs;
    WorkingSet m_set;
};

namespace {
const QString App = "/opt/lumora/";

QStringList headerAfterNew()
{
    return {"",
            "",
            "0080FF",
            " 16744448 ",
            "True",
            "Arial",
            "6",
            " 0 ",
            " 1 ",
            " 1 ",
            "0",
            "",
            "80FFFF",
            " 16777088 ",
            "True",
            "Arial",
            "3",
            " 0 ",
            " 0 ",
            " 0 ",
            "0000FF",
            "",
            "",
            "",
            "",
            App + "*.mid",
            App + "*.lwp",
            App + "*.html",
            App + "*.html",
            App + "*.jpg",
            App + "*.jpg"};
}
} // namespace

void tst_ProjectFile::init()
{
    m_dir.emplace();
    m_dialogs = ScriptedDialogs();
    m_set = WorkingSet();
    m_set.paths.reset(App);
}

void tst_ProjectFile::write(const QString &name, const QByteArray &bytes)
{
    QFile f(path(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray tst_ProjectFile::projectLines(const QStringList &tail) const
{
    return ((headerAfterNew() + tail).join("\r\n") + "\r\n").toUtf8();
}

void tst_ProjectFile::savedAfterNewMatchesLineForLine()
{
    ProjectFile::NewProject(m_set, App);
    m_dialogs.fileName(path("new.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).SaveProject(m_set, App), ProjectFile::Outcome::Completed);
    QFile f(path("new.lwp"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QStringList expected = headerAfterNew();
    expected[26] = path("new.lwp"); // "lwp" now remembers the chosen name
    QCOMPARE(QString::fromUtf8(f.readAll()), expected.join("\r\n") + "\r\nImageListEnd\r\n");
    QCOMPARE(m_dialogs.lastText(), QString("Save Lumora File Completed!"));
    QCOMPARE(m_dialogs.messages.last().icon, Dialogs::Icon::Information);
    const Dialogs::FileRequest &r = m_dialogs.fileRequests.first();
    QCOMPARE(r.filter, QString("Lumora File (*.lwp)|*.lwp|All (*.*)|*.*"));
    QCOMPARE(r.defaultExtension, QString("LWP"));
    QCOMPARE(r.fileName, App + "*.lwp");
    QCOMPARE(r.initialFolder, App);
    QVERIFY(r.overwritePrompt);
}

void tst_ProjectFile::saveThenLoadRestoresEverything()
{
    PageStyleSettings &s = m_set.style;
    s.title = "Summer – Ünïcode";
    s.backgroundSound = "/m/song.mid";
    s.mainBackground = "/pics/bg.gif";
    s.mainBackgroundIsColor = false;
    s.mainBackgroundSwatch = QColor(255, 255, 255);
    s.backFontName = "Times";
    s.backFontSize = "10.5";
    s.backFontUnderline = 1;
    s.backFontColor = "FF8000";
    s.backFontColorSwatch = SwatchColorOf("FF8000");
    s.linkBackground = "";
    s.linkBackgroundIsColor = false;
    s.linkBackgroundSwatch = QColor(255, 255, 255);
    s.linkFontItalic = 1;
    s.linkFontColor = "00FF00";
    s.linkFontColorSwatch = QColor(0, 255, 0);
    m_set.output = {"/web/", "album"};
    m_set.uploadFilePath = "/web/album.html";
    m_set.images.AddFolderFiles("/pics", {"a b.jpg", "c.jpg"});
    m_set.images.select(1);
    m_set.images.CommitDisplayName("  Second  ");
    m_set.images.select(-1);
    m_set.images.setInfo("Image Count:2   Total Size:7Kb");
    m_set.paths.replace(RememberedPaths::Midi, "/m/song.mid");

    m_dialogs.fileName(path("full.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).SaveProject(m_set, App), ProjectFile::Outcome::Completed);

    WorkingSet loaded;
    ProjectFile::NewProject(loaded, "/elsewhere/");
    m_dialogs.fileName(path("full.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).LoadProject(loaded, App), ProjectFile::Outcome::Completed);
    QCOMPARE(loaded.style, m_set.style);
    QCOMPARE(loaded.images.entries(), m_set.images.entries());
    QCOMPARE(loaded.images.info(), m_set.images.info());
    QCOMPARE(loaded.output, m_set.output);
    QCOMPARE(loaded.uploadFilePath, m_set.uploadFilePath);
    QCOMPARE(loaded.logoPictureName, QString("Lumora.jpg"));
    QVERIFY(loaded.paths == m_set.paths);
}

void tst_ProjectFile::emptyListSaysInvalidButKeepsValues()
{
    m_set.style.title = "Kept";
    m_set.images.AddToImageList("/p/x.jpg");
    write("empty.lwp", projectLines({"ImageListEnd"}).replace("\r\n\r\n", "\r\nKept\r\n"));
    m_dialogs.fileName(path("empty.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).LoadProject(m_set, App), ProjectFile::Outcome::InvalidOrEmpty);
    QCOMPARE(m_dialogs.lastText(), QString("Invalid or Empty Lumora File!"));
    QCOMPARE(m_dialogs.messages.last().icon, Dialogs::Icon::Exclamation);
    QVERIFY(m_set.images.isEmpty());
    QCOMPARE(m_set.style.mainBackground, QString("0080FF"));
}

void tst_ProjectFile::saveNamesAndExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "p"
                                  << "p.lwp";
    QTest::newRow("other extension") << "x.txt"
                                     << "x.txt.lwp";
    QTest::newRow("upper case kept") << "P.LWP"
                                     << "P.LWP";
}

void tst_ProjectFile::saveNamesAndExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    m_dialogs.fileName(path(chosen));
    QCOMPARE(ProjectFile(m_dialogs).SaveProject(m_set, App), ProjectFile::Outcome::Completed);
    QVERIFY(QFile::exists(path(written)));
    QCOMPARE(m_set.paths.value(RememberedPaths::Lwp), path(chosen));
}

void tst_ProjectFile::cancelChangesNothing()
{
    const RememberedPaths before = m_set.paths;
    m_dialogs.cancelFile();
    QCOMPARE(ProjectFile(m_dialogs).SaveProject(m_set, App), ProjectFile::Outcome::Cancelled);
    m_set.images.AddToImageList("/p/a.jpg");
    m_dialogs.cancelFile();
    QCOMPARE(ProjectFile(m_dialogs).LoadProject(m_set, App), ProjectFile::Outcome::Cancelled);
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(m_set.paths == before);
    QCOMPARE(m_set.images.count(), 1);
    m_dialogs.fileName("   ");
    QCOMPARE(ProjectFile(m_dialogs).SaveProject(m_set, App), ProjectFile::Outcome::Cancelled);
    QCOMPARE(m_dialogs.lastText(), QString("Save Lumora File Cancelled!"));
}

void tst_ProjectFile::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("title"); // line 1 after the failed load
    QTest::addColumn<int>("entries");   // image list after the failed load
    QTest::addColumn<QString>("logoName");

    QTest::newRow("truncated in the header")
        << QByteArray("Title\r\n\r\n0080FF\r\n") << 62 << "Before" << 0 << "Lumora.jpg";
    QByteArray badSwatch = projectLines({"ImageListEnd"});
    badSwatch.replace(" 16744448 ", "blue");
    QTest::newRow("number line that is no number") << badSwatch << 13 << "" << 0 << "Lumora.jpg";
    QByteArray badFlag = projectLines({"ImageListEnd"});
    badFlag.replace("True\r\nArial\r\n6", "Yes\r\nArial\r\n6");
    QTest::newRow("flag line that is no flag") << badFlag << 13 << "" << 0 << "Lumora.jpg";
    QTest::newRow("list without its end")
        << projectLines({"ImageListStart", "/p/a.jpg", "a", "/p/b.jpg"}) << 62 << "" << 2 << "";
    QTest::newRow("start then end only")
        << projectLines({"ImageListStart", "ImageListEnd"}) << 62 << "" << 1 << "";
    QTest::newRow("no list section") << projectLines({}) << 62 << "" << 0 << "";
}

void tst_ProjectFile::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, number);
    QFETCH(QString, title);
    QFETCH(int, entries);
    QFETCH(QString, logoName);
    m_set.style.title = "Before";
    m_set.images.AddToImageList("/p/old.jpg");
    m_set.images.select(0);
    write("bad.lwp", bytes);
    m_dialogs.fileName(path("bad.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).LoadProject(m_set, App), ProjectFile::Outcome::Failed);
    const QStringList message = m_dialogs.lastText().split("\r\n");
    QCOMPARE(message.size(), 3);
    QCOMPARE(message[0], QString("Error Loading Lumora File!"));
    QCOMPARE(message[1].toInt(), number);
    QVERIFY(!message[2].isEmpty());
    QCOMPARE(m_dialogs.messages.last().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(m_set.style.title, title);
    QCOMPARE(m_set.images.count(), entries);
    QCOMPARE(m_set.images.selected(), -1); // no row of a half-read list stays selected
    QCOMPARE(m_set.logoPictureName, logoName);
    QFile f(path("bad.lwp"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), bytes); // loading never touches the file
}

void tst_ProjectFile::failedSaveKeepsOldFile()
{
    write("keep.lwp", "old project\r\n");
    m_dialogs.fileName(path("keep.lwp"));
    ProjectFile::Outcome outcome;
    {
        const FileSizeLimit diskFull(64);
        QVERIFY(diskFull.active());
        outcome = ProjectFile(m_dialogs).SaveProject(m_set, App);
    }
    QCOMPARE(outcome, ProjectFile::Outcome::Failed);
    QVERIFY(m_dialogs.lastText().startsWith("Error Saving Lumora File!\r\n61\r\n"));
    QFile f(path("keep.lwp"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old project\r\n"));
}

void tst_ProjectFile::nonHexColourLoadsBlackAndGoesOn()
{
    m_set.style.backFontColor = "navy";
    m_set.style.backFontColorSwatch = QColor(1, 2, 3);
    m_set.images.AddToImageList("/p/a.jpg");
    m_dialogs.fileName(path("navy.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).SaveProject(m_set, App), ProjectFile::Outcome::Completed);
    WorkingSet loaded;
    m_dialogs.fileName(path("navy.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).LoadProject(loaded, App), ProjectFile::Outcome::Completed);
    QCOMPARE(loaded.style.backFontColor, QString("navy"));
    QCOMPARE(loaded.style.backFontColorSwatch, QColor(0, 0, 0));
    QCOMPARE(loaded.images.count(), 1);
}

void tst_ProjectFile::readsWindows1252AndLoneLineFeeds()
{
    QByteArray bytes = projectLines({"ImageListStart", "@path", "@name", "ImageListEnd"});
    bytes.replace("@path", "/p/caf\xe9.jpg").replace("@name", "Caf\xe9 \x80");
    bytes.replace("\r\n", "\n");
    write("old.lwp", bytes);
    m_dialogs.fileName(path("old.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).LoadProject(m_set, App), ProjectFile::Outcome::Completed);
    QCOMPARE(m_set.images.at(0), (ImageEntry{"/p/café.jpg", "Café €"}));
}

void tst_ProjectFile::decodesEachLine_data()
{
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<QString>("titleText");
    QTest::addColumn<QString>("pictureText");
    QTest::newRow("Windows-1252 title, UTF-8 path") << QByteArray("Caf\xe9")
                                                    << QByteArray("/p/\xc3\x9c"
                                                                  "ber.jpg")
                                                    << "Café"
                                                    << "/p/Über.jpg";
    QTest::newRow("UTF-8 title, Windows-1252 path") << QByteArray("\xc3\x9c"
                                                                  "ber")
                                                    << QByteArray("/p/caf\xe9 \x80.jpg") << "Über"
                                                    << "/p/café €.jpg";
}

void tst_ProjectFile::decodesEachLine()
{
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, picture);
    QFETCH(QString, titleText);
    QFETCH(QString, pictureText);
    QByteArray bytes = projectLines({"ImageListStart", "@path", "n", "ImageListEnd"});
    bytes.replace("@path", picture);
    write("mixed.lwp", title + bytes);
    m_dialogs.fileName(path("mixed.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).LoadProject(m_set, App), ProjectFile::Outcome::Completed);
    QCOMPARE(m_set.style.title, titleText);
    QCOMPARE(m_set.images.at(0).path, pictureText);
}

void tst_ProjectFile::namesAsStored()
{
    // The file's names are taken as they stand, blank ones too: no one typed them here.
    write("names.lwp", projectLines({"ImageListStart", "/p/a.jpg", "ImageListEnd", "/p/b.jpg",
                                     "   ", "/p/c.jpg", "", "ImageListEnd"}));
    m_dialogs.fileName(path("names.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).LoadProject(m_set, App), ProjectFile::Outcome::Completed);
    QCOMPARE(m_set.images.count(), 3);
    QCOMPARE(m_set.images.at(0).displayName, QString("ImageListEnd"));
    QCOMPARE(m_set.images.at(1).displayName, QString("   "));
    QCOMPARE(m_set.images.at(2).displayName, QString());
    QCOMPARE(m_set.images.selected(), -1);
}

void tst_ProjectFile::boundedInput_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("says");
    QTest::newRow("file over 256 MiB") << "huge" << 7 << "huge.lwp: Out of memory";
    QTest::newRow("line over 1 MiB") << "long line" << 7 << "long line.lwp: Out of memory";
    QTest::newRow("a pipe") << "pipe" << 75 << "pipe.lwp: not a regular file";
    QTest::newRow("bad number quoted short") << "bad number" << 13 << "Type mismatch: \"xxx";
}

void tst_ProjectFile::boundedInput()
{
    QFETCH(QString, kind);
    QFETCH(int, number);
    QFETCH(QString, says);
    const QString name = path(kind + ".lwp");
    if (kind == "huge") {
        QFile f(name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(ProjectFile::MaxFileBytes + 1)); // sparse: no disk is used
    } else if (kind == "long line") {
        write(
            kind + ".lwp",
            projectLines({"ImageListEnd"}).prepend(QByteArray(ProjectFile::MaxLineBytes + 1, 'x')));
    } else if (kind == "pipe") {
        QCOMPARE(mkfifo(QFile::encodeName(name).constData(), 0600), 0);
    } else {
        write(kind + ".lwp",
              projectLines({"ImageListEnd"}).replace(" 16744448 ", QByteArray(100'000, 'x')));
    }
    m_dialogs.fileName(name);
    QCOMPARE(ProjectFile(m_dialogs).LoadProject(m_set, App), ProjectFile::Outcome::Failed);
    const QStringList message = m_dialogs.lastText().split("\r\n");
    QCOMPARE(message.size(), 3);
    QCOMPARE(message[0], QString("Error Loading Lumora File!"));
    QCOMPARE(message[1].toInt(), number);
    QVERIFY2(message[2].contains(says), qPrintable(message[2]));
    QVERIFY2(message[2].size() < name.size() + 300, "a bad line is quoted short");
}

void tst_ProjectFile::saveRefusesLineBreaks_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("title with LF") << "title";
    QTest::newRow("picture path with CR") << "path";
    QTest::newRow("display name with CR LF") << "name";
    QTest::newRow("upload path with LF") << "upload";
}

void tst_ProjectFile::saveRefusesLineBreaks()
{
    QFETCH(QString, field);
    write("keep.lwp", "old project\r\n");
    m_set.images.append(
        {field == "path" ? "/p/a\r.jpg" : "/p/a.jpg", field == "name" ? "a\r\nb" : "a"});
    if (field == "title")
        m_set.style.title = "My\nTrip";
    if (field == "upload")
        m_set.uploadFilePath = "/web/\nalbum.html";
    m_dialogs.fileName(path("keep.lwp"));
    QCOMPARE(ProjectFile(m_dialogs).SaveProject(m_set, App), ProjectFile::Outcome::Failed);
    QVERIFY2(m_dialogs.lastText().startsWith("Error Saving Lumora File!\r\n5\r\n"),
             qPrintable(m_dialogs.lastText()));
    QFile f(path("keep.lwp"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old project\r\n"));
}

void tst_ProjectFile::fileErrorNumbers_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("file"); // "@" is the test's folder
    QTest::addColumn<int>("number");
    QTest::newRow("load a missing file") << false << "@/none.lwp" << 53;
    QTest::newRow("load from a missing folder") << false << "@/no/none.lwp" << 76;
    QTest::newRow("save into a missing folder") << true << "@/no/p.lwp" << 76;
    // Even root may not make files in /sys.
    QTest::newRow("save into a folder that refuses") << true << "/sys/p.lwp" << 70;
    QTest::newRow("load a file that refuses reading") << false << "unreadable" << 70;
}

void tst_ProjectFile::fileErrorNumbers()
{
    QFETCH(bool, save);
    QFETCH(QString, file);
    QFETCH(int, number);
    if (file == "unreadable") {
        if (geteuid() == 0) {
            // Root reads any file by its mode; a write-only sysfs entry refuses even root.
            const QStringList probes =
                QDir("/sys/bus").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
            for (const QString &bus : probes)
                if (QFileInfo::exists("/sys/bus/" + bus + "/drivers_probe")) {
                    file = "/sys/bus/" + bus + "/drivers_probe";
                    break;
                }
            if (file == "unreadable")
                QSKIP("no write-only file to read here");
        } else {
            file = path("unreadable.lwp");
            write("unreadable.lwp", projectLines({"ImageListEnd"}));
            QVERIFY(QFile::setPermissions(file, QFileDevice::WriteOwner));
        }
    }
    file.replace("@", m_dir->path());
    m_dialogs.fileName(file);
    ProjectFile project(m_dialogs);
    QCOMPARE(save ? project.SaveProject(m_set, App) : project.LoadProject(m_set, App),
             ProjectFile::Outcome::Failed);
    const QStringList message = m_dialogs.lastText().split("\r\n");
    QCOMPARE(message.size(), 3);
    QCOMPARE(message[1].toInt(), number);
}

QTEST_GUILESS_MAIN(tst_ProjectFile)
#include "tst_ProjectFile.moc"
