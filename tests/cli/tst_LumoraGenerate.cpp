#include "project/ProjectFile.h"
#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

// The command-line companion: messages on standard error, exit status, options.
class tst_LumoraGenerate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void runs_data();
    void runs();

private:
    QTemporaryDir m_dir;
};

namespace {
ProgramRun lumora(const QStringList &args, const QString &cwd)
{
    return ProgramRun::of("lumora", args, cwd, 30000);
}
} // namespace

void tst_LumoraGenerate::initTestCase()
{
    WorkingSet album;
    album.images.AddToImageList(m_dir.filePath("my photo.jpg"));
    QVERIFY(!ProjectFile::writeFile(m_dir.filePath("album.lwp"), album));
    QVERIFY(!ProjectFile::writeFile(m_dir.filePath("empty.lwp"), WorkingSet()));
    QImage shot(2000, 1500, QImage::Format_RGB32); // over 1600: a 2560 size is its own
    shot.fill(Qt::darkGreen);
    QVERIFY(shot.save(m_dir.filePath("shot.jpg")));
    WorkingSet gallery;
    gallery.images.AddToImageList(m_dir.filePath("shot.jpg"));
    QVERIFY(!ProjectFile::writeFile(m_dir.filePath("gallery.lwp"), gallery));
    QFile bad(m_dir.filePath("bad.lwp"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("only one line\r\n");
    for (const char *pipe : {"pipe.lwp", "pipe.html"})
        QCOMPARE(mkfifo(QFile::encodeName(m_dir.filePath(pipe)).constData(), 0600), 0);
}

void tst_LumoraGenerate::runs_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stderrText");
    QTest::addColumn<QString>("page");      // file expected in the output folder
    QTest::addColumn<QString>("pageHolds"); // text expected in that page

    const QString done = "[Lumora Web Page Generator] Creation of Lumora Web Page Completed!\n";
    QTest::newRow("relative output, autospace off")
        << QStringList{"generate", "--project", "album.lwp",   "--layout", "udscroll",
                       "--output", "out/page",  "--autospace", "off"}
        << 0 << done << "out/page.html"
        << "<IMG SRC=my photo.jpg border=0>";
    QTest::newRow("autospace on") << QStringList{"generate",   "--project",   "album.lwp",
                                                 "--layout",   "thumb",       "--output",
                                                 "out/t.html", "--autospace", "on"}
                                  << 0 << done << "out/t.html"
                                  << "<IMG SRC=my_photo.jpg";
    const QStringList gallery{"generate", "--project", "gallery.lwp", "--layout",
                              "gallery",  "--output",  "out/g.html"};
    QTest::newRow("gallery, originals included")
        << gallery + QStringList{"--include-originals"} << 0 << done << "out/g-shot.html"
        << "<a href=\"g_img/shot-original.jpg\">Original</a>";
    QTest::newRow("gallery for large screens")
        << gallery + QStringList{"--large-screens"} << 0 << done << "out/g-shot.html"
        << "g_img/shot-2560.jpg";
    QTest::newRow("unknown word is a usage error that lists the words")
        << QStringList{"generate", "--project", "album.lwp",    "--layout",
                       "cancel",   "--output",  "out/none.html"}
        << 2
        << "lumora: --layout takes one of: frame, framethumb, thumb, lrscroll, udscroll, gallery\n"
        << ""
        << "";
    QTest::newRow("empty output is a usage error")
        << QStringList{"generate", "--project", "album.lwp", "--layout", "frame", "--output", ""}
        << 2 << "lumora: --output needs a file name\n"
        << ""
        << "";
    QTest::newRow("project that is a pipe")
        << QStringList{"generate", "--project", "pipe.lwp",  "--layout",
                       "frame",    "--output",  "out/p.html"}
        << 1 << "[Lumora Web Page Generator] Error Loading Lumora File!\n75\n"
        << ""
        << "";
    QTest::newRow("output that is a pipe")
        << QStringList{"generate", "--project", "album.lwp", "--layout",
                       "frame",    "--output",  "pipe.html"}
        << 1 << "[Lumora Web Page Generator] Error Generating Lumora Web Page!\n75\n"
        << ""
        << "";
    QTest::newRow("folder that refuses writing")
        << QStringList{"generate", "--project", "album.lwp",       "--layout",
                       "frame",    "--output",  "/sys/lumora.html"}
        << 1 << "[Lumora Web Page Generator] Error Generating Lumora Web Page!\n70\n"
        << ""
        << "";
    QTest::newRow("empty project: invalid, then no images")
        << QStringList{"generate", "--project", "empty.lwp", "--layout",
                       "frame",    "--output",  "out/e.html"}
        << 1
        << "[Lumora Web Page Generator] Invalid or Empty Lumora File!\n"
           "[Lumora Web Page Generator] No Images in list, cannot Generate Lumora Web Page\n"
        << ""
        << "";
    QTest::newRow("load error") << QStringList{"generate", "--project", "bad.lwp",   "--layout",
                                               "frame",    "--output",  "out/b.html"}
                                << 1
                                << "[Lumora Web Page Generator] Error Loading Lumora File!\n62\n"
                                << ""
                                << "";
    QTest::newRow("write error")
        << QStringList{"generate", "--project", "album.lwp",         "--layout",
                       "frame",    "--output",  "missing/dir/x.html"}
        << 1 << "[Lumora Web Page Generator] Error Generating Lumora Web Page!\n76\n"
        << ""
        << "";
    QTest::newRow("missing option")
        << QStringList{"generate", "--project", "album.lwp"} << 2 << "lumora: missing --layout"
        << ""
        << "";
    QTest::newRow("bad autospace")
        << QStringList{"generate", "--project", "a",           "--layout", "frame",
                       "--output", "o",         "--autospace", "yes"}
        << 2 << "lumora: --autospace takes on or off"
        << ""
        << "";
    QTest::newRow("unknown command")
        << QStringList{"frobnicate"} << 2
        << "lumora: unknown command frobnicate\nusage: lumora COMMAND [options]\n"
        << ""
        << "";
}

void tst_LumoraGenerate::runs()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, stderrText);
    QFETCH(QString, page);
    QFETCH(QString, pageHolds);
    QDir(m_dir.filePath("out")).removeRecursively();
    QDir(m_dir.path()).mkdir("out");
    const ProgramRun run = lumora(args, m_dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.startsWith(stderrText), qPrintable(run.err));
    if (page.isEmpty()) {
        QVERIFY(QDir(m_dir.filePath("out")).isEmpty());
        return;
    }
    QFile f(m_dir.filePath(page));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains(pageHolds.toUtf8()));
}

QTEST_GUILESS_MAIN(tst_LumoraGenerate)
#include "tst_LumoraGenerate.moc"
