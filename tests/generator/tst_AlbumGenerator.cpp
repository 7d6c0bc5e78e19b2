#include "core/AppText.h"
#include "generator/AlbumGenerator.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The Generate command end to end: dialogs, messages, names and the pages byte for byte.
class tst_AlbumGenerator : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void pages_data();
    void pages();
    void clearedBackgroundsAndEmptyFonts();
    void outputName_data();
    void outputName();
    void emptyListAsksNothing();
    void cancelledSaveWritesNothing();
    void unknownWordStillCompletes();
    void unwritableFolderReportsFailure();
    void fullDiskStopsAtTheFailingPage();

private:
    AlbumGenerator::Outcome generate(const QString &word, const QString &chosen);
    QByteArray read(const QString &name);

    std::optional<QTemporaryDir> m_tmp;
    QTemporaryDir &dir() { return *m_tmp; }
    ScriptedDialogs m_dialogs;
    PageStyleSettings m_style;
    ImageEntries m_images;
    RememberedPaths m_paths;
    OutputLocation m_output;
    bool m_autoSpace = true;
};

namespace {
QByteArray lines(const QStringList &l)
{
    return (l.join("\r\n") + "\r\n").toUtf8();
}

const QString Footer = "<A HREF='" + AppText::FooterLinkUrl +
                       "'><H3>Created with <B>Lumora Web Page Generator</B></H3></A>";
const QString FrameFooter = "<A HREF='" + AppText::FooterLinkUrl +
                            "' TARGET='mainframe'><H3>Created with <B>Lumora Web Page "
                            "Generator</B></H3></A>";
const QString PageFont = "<FONT=Arial>  <FONT SIZE=6>  <FONT COLOR=0> ";
} // namespace

void tst_AlbumGenerator::init()
{
    m_tmp.emplace();
    m_dialogs = ScriptedDialogs();
    m_style = PageStyleSettings::afterNew();
    m_images = {{"/p/a b.jpg", "First"}, {"/p/c.jpg", "Second"}};
    m_paths.reset("/app/");
    m_output = {};
    m_autoSpace = true;
}

AlbumGenerator::Outcome tst_AlbumGenerator::generate(const QString &word, const QString &chosen)
{
    m_dialogs.fileName(chosen);
    return AlbumGenerator(m_dialogs).GenerateWebPage(word, {m_style, m_images, m_autoSpace},
                                                     m_paths, m_output);
}

QByteArray tst_AlbumGenerator::read(const QString &name)
{
    QFile f(dir().filePath(name));
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

void tst_AlbumGenerator::pages_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("sound");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<QByteArray>>("expected");

    const QStringList top = {"<HTML>",
                             "<HEAD>",
                             "<TITLE> </TITLE>",
                             "</HEAD>",
                             "<BODY BGCOLOR = '0080FF' bgproperties='fixed'>",
                             PageFont,
                             "<B><I>",
                             "<CENTER>",
                             "  ",
                             "<HR>"};
    const QStringList bottom = {"</CENTER>", "</B></I>", "</FONT>"};
    const QStringList end = {"</BODY>", "</HTML>"};
    const QStringList frameSet = {"<HTML>",
                                  "<HEAD>",
                                  "<TITLE></TITLE>",
                                  "</HEAD>",
                                  "<FRAMESET COLS=150,*>",
                                  "<FRAME SCROLLING='AUTO' SRC='albumLink.html' NAME='linkframe'>",
                                  "<FRAME SCROLLING='AUTO' SRC='albumMain.html' NAME='mainframe'>",
                                  "</FRAMESET>",
                                  "</HTML>"};
    const QStringList link = {
        "<HTML>",
        "<HEAD>",
        "<TITLE> </TITLE>",
        "</HEAD>",
        "<BODY BGCOLOR = '80FFFF' LINK =0000FF VLINK =0000FF bgproperties='fixed'>",
        "<FONT=Arial>  <FONT SIZE=3> ",
        "",
        "<A HREF='albumMain.html' TARGET='mainframe'></A><BR>",
        "<HR>",
        "<A HREF='a_b.jpg' TARGET='mainframe'>First</A><BR>",
        "<A HREF='c.jpg' TARGET='mainframe'>Second</A><BR>",
        "",
        "</FONT>",
        "<HR>",
        "<A HREF='" + AppText::FooterLinkUrl + "' TARGET='mainframe'><B>By Lumora</B></H3></A>"};
    const QString caption = "<FONT SIZE=4>Click on Thumbnail Images to View Full Size</H4>";

    QTest::newRow("framethumb")
        << "framethumb"
        << "" << QStringList{"album.html", "albumMain.html", "albumLink.html"}
        << QList<QByteArray>{
               lines(frameSet),
               lines(top +
                     QStringList{caption,
                                 "<A HREF='a_b.jpg' TARGET='mainframe'><IMG SRC=a_b.jpg border=0 "
                                 "width=120 height=90></A>",
                                 "<A HREF='c.jpg' TARGET='mainframe'><IMG SRC=c.jpg border=0 "
                                 "width=120 height=90></A>",
                                 "<HR>", FrameFooter} +
                     bottom + end),
               lines(link + end)};
    QTest::newRow("frame with sound in the link page only")
        << "frame"
        << "/music/my song.mid" << QStringList{"albumMain.html", "albumLink.html"}
        << QList<QByteArray>{
               lines(top + QStringList{FrameFooter} + bottom + end),
               lines(link + QStringList{"<embed src='my_song.mid' width=70 height=45>"} + end)};
    QTest::newRow("udscroll")
        << "udscroll"
        << "" << QStringList{"album.html"}
        << QList<QByteArray>{lines(top +
                                   QStringList{"<IMG SRC=a_b.jpg border=0><BR><HR>",
                                               "<IMG SRC=c.jpg border=0><BR><HR>", "<HR>", Footer} +
                                   bottom + end)};
    QTest::newRow("lrscroll with sound")
        << "lrscroll"
        << "/m/x.mid" << QStringList{"album.html"}
        << QList<QByteArray>{
               lines(top +
                     QStringList{"<TABLE>", "<TR>", "<TD><CENTER><IMG SRC=a_b.jpg border=0></TD>",
                                 "<TD><CENTER><IMG SRC=c.jpg border=0></TD>", "</TR>", "</TABLE>",
                                 "<HR>", Footer} +
                     bottom + QStringList{"<embed src='x.mid' width=70 height=45>"} + end)};
    QTest::newRow("thumb")
        << "thumb"
        << "" << QStringList{"album.html"}
        << QList<QByteArray>{lines(
               top +
               QStringList{caption,
                           "<A HREF='a_b.jpg'><IMG SRC=a_b.jpg border=0 width=120 height=90></A>",
                           "<A HREF='c.jpg'><IMG SRC=c.jpg border=0 width=120 height=90></A>",
                           "<HR>", Footer} +
               bottom + end)};
}

void tst_AlbumGenerator::pages()
{
    QFETCH(QString, word);
    QFETCH(QString, sound);
    QFETCH(QStringList, files);
    QFETCH(QList<QByteArray>, expected);
    m_style.backgroundSound = sound;
    QCOMPARE(generate(word, dir().filePath("album.html")), AlbumGenerator::Outcome::Completed);
    for (qsizetype i = 0; i < files.size(); ++i)
        QCOMPARE(read(files[i]), expected[i]);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages[0].text, QString("Creation of Lumora Web Page Completed!"));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Information);
    QCOMPARE(m_dialogs.messages[0].title, AppText::AppTitle);
    QCOMPARE(m_dialogs.fileRequests[0].filter,
             QString("HTML (*.html)|*.html|HTM (*.htm)|*.htm|All (*.*)|*.*"));
    QVERIFY(m_dialogs.fileRequests[0].overwritePrompt);
}

void tst_AlbumGenerator::clearedBackgroundsAndEmptyFonts()
{
    m_style.mainBackground = "/pics/bg one.gif";
    m_style.mainBackgroundIsColor = false;
    m_style.linkBackground.clear();
    m_style.linkBackgroundIsColor = false;
    m_style.backFontName.clear();
    m_style.backFontSize.clear();
    m_style.backFontColor.clear();
    m_style.backFontBold = 0;
    m_style.backFontItalic = 0;
    m_images.append(ImageEntry{"no-separator.jpg", "Odd"});
    QCOMPARE(generate("frame", dir().filePath("album.html")), AlbumGenerator::Outcome::Completed);
    const QList<QByteArray> display = read("albumMain.html").split('\n');
    QCOMPARE(display[4], QByteArray("<BODY BACKGROUND = 'bg_one.gif' bgproperties='fixed'>\r"));
    QCOMPARE(display[5], QByteArray("\r")); // empty font markup still takes its line
    QCOMPARE(display[6], QByteArray("\r"));
    const QByteArray link = read("albumLink.html");
    QVERIFY(link.contains("<BODY BACKGROUND = '' LINK =0000FF VLINK =0000FF bgproperties="));
    // A path without a separator has no file name to refer to.
    QVERIFY(link.contains("<A HREF='' TARGET='mainframe'>Odd</A><BR>\r\n"));
}

void tst_AlbumGenerator::outputName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QString>("mainPage");
    QTest::newRow("no extension") << "album"
                                  << "album.html"
                                  << "album"
                                  << "album.html";
    QTest::newRow(".HTM kept, page .html") << "My.Album.HTM"
                                           << "My.Album.HTM"
                                           << "My.Album"
                                           << "My.Album.html";
    QTest::newRow("blank in base name") << "my album.html"
                                        << "my album.html"
                                        << "my album"
                                        << "my album.html";
}

void tst_AlbumGenerator::outputName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, remembered);
    QFETCH(QString, baseName);
    QFETCH(QString, mainPage);
    const QString folder = dir().path() + "/";
    QCOMPARE(generate("frame", folder + chosen), AlbumGenerator::Outcome::Completed);
    QCOMPARE(m_paths.value(RememberedPaths::GenHtml), folder + remembered);
    QCOMPARE(m_output.folder, folder);
    QCOMPARE(m_output.baseName, baseName);
    QVERIFY(QFile::exists(folder + mainPage));
    // Frame sources use the base name as chosen, never made web-safe.
    QVERIFY(read(mainPage).contains("SRC='" + baseName.toUtf8() + "Link.html'"));
}

void tst_AlbumGenerator::emptyListAsksNothing()
{
    m_images.clear();
    QCOMPARE(AlbumGenerator(m_dialogs).GenerateWebPage("frame", {m_style, m_images, true}, m_paths,
                                                       m_output),
             AlbumGenerator::Outcome::NoImages);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.lastText(), QString("No Images in list, cannot Generate Lumora Web Page"));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::None);
    QVERIFY(m_dialogs.fileRequests.isEmpty());
}

void tst_AlbumGenerator::cancelledSaveWritesNothing()
{
    const RememberedPaths before = m_paths;
    m_dialogs.cancelFile();
    QCOMPARE(AlbumGenerator(m_dialogs).GenerateWebPage("frame", {m_style, m_images, true}, m_paths,
                                                       m_output),
             AlbumGenerator::Outcome::Cancelled);
    QVERIFY(m_dialogs.messages.isEmpty());
    QVERIFY(m_paths == before);
    QVERIFY(QDir(dir().path()).isEmpty());
}

void tst_AlbumGenerator::unknownWordStillCompletes()
{
    QCOMPARE(generate("clear", dir().filePath("x.html")), AlbumGenerator::Outcome::Completed);
    QCOMPARE(m_paths.value(RememberedPaths::GenHtml), dir().filePath("x.html"));
    QVERIFY(QDir(dir().path()).isEmpty());
    QCOMPARE(m_dialogs.lastText(), QString("Creation of Lumora Web Page Completed!"));
}

void tst_AlbumGenerator::unwritableFolderReportsFailure()
{
    QCOMPARE(generate("framethumb", dir().filePath("missing/album.html")),
             AlbumGenerator::Outcome::Failed);
    QCOMPARE(m_dialogs.messages.size(), 1);
    const QStringList parts = m_dialogs.lastText().split("\r\n");
    QCOMPARE(parts.size(), 3);
    QCOMPARE(parts[0], QString("Error Generating Lumora Web Page!"));
    QCOMPARE(parts[1], QString("76"));
    QVERIFY(parts[2].contains("album.html"));
    QCOMPARE(m_dialogs.messages[0].icon, Dialogs::Icon::Exclamation);
}

void tst_AlbumGenerator::fullDiskStopsAtTheFailingPage()
{
    for (int i = 0; i < 50; ++i)
        m_images.append({QString("/p/picture%1.jpg").arg(i), QString("Picture %1").arg(i)});
    AlbumGenerator::Outcome outcome;
    {
        // Room for the frame-set page, not for the display page's thumbnails.
        const FileSizeLimit diskFull(1024);
        QVERIFY(diskFull.active());
        outcome = generate("framethumb", dir().filePath("album.html"));
    }
    QCOMPARE(outcome, AlbumGenerator::Outcome::Failed);
    QVERIFY(m_dialogs.lastText().startsWith("Error Generating Lumora Web Page!\r\n"));
    QVERIFY(read("album.html").endsWith("</HTML>\r\n"));
    QCOMPARE(read("albumMain.html").size(), 1024);
    QCOMPARE(read("albumLink.html"), QByteArray("<missing>"));
}

QTEST_GUILESS_MAIN(tst_AlbumGenerator)
#include "tst_AlbumGenerator.moc"
