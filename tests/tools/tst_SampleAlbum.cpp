#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// make_sample_album as a person runs it: its usage, and pictures that pass for photographs.
class tst_SampleAlbum : public QObject
{
    Q_OBJECT
private slots:
    void arguments_data();
    void arguments();
    void picturesLookLikePhotographs();

private:
    QTemporaryDir m_dir;
};

namespace {
ProgramRun makeSampleAlbum(const QStringList &args, const QString &cwd)
{
    return ProgramRun::of("make_sample_album", args, cwd);
}
} // namespace

void tst_SampleAlbum::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("usageOnStdout");
    QTest::addColumn<QString>("says");
    const QString usage = "usage: make_sample_album FOLDER [COUNT] [options]\n";
    QTest::newRow("--help") << QStringList{"--help"} << 0 << true << usage;
    QTest::newRow("-h") << QStringList{"-h"} << 0 << true << usage;
    QTest::newRow("--version") << QStringList{"--version"} << 0 << true
                               << QString("make_sample_album %1.%2.%3\n")
                                      .arg(LUMORA_VERSION_MAJOR)
                                      .arg(LUMORA_VERSION_MINOR)
                                      .arg(LUMORA_VERSION_PATCH);
    QTest::newRow("unknown option") << QStringList{"--frob"} << 2 << false << usage;
    QTest::newRow("no folder") << QStringList{} << 2 << false
                               << "make_sample_album: missing FOLDER\n" + usage;
    QTest::newRow("count that is no number")
        << QStringList{"album", "many"} << 2 << false
        << "make_sample_album: COUNT takes a whole number from 0\n" + usage;
    QTest::newRow("a word too many") << QStringList{"album", "2", "3"} << 2 << false << usage;
}

void tst_SampleAlbum::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(bool, usageOnStdout);
    QFETCH(QString, says);
    const ProgramRun run = makeSampleAlbum(args, m_dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((usageOnStdout ? run.out : run.err).contains(says), qPrintable(run.out + run.err));
    QVERIFY2(QDir(m_dir.path()).isEmpty(), "no folder is made");
}

void tst_SampleAlbum::picturesLookLikePhotographs()
{
    const ProgramRun run = makeSampleAlbum({"album", "2"}, m_dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.trimmed(), m_dir.filePath("album/sample.lwp"));
    const QFileInfoList pictures = QDir(m_dir.filePath("album")).entryInfoList({"*.jpg"});
    QVERIFY(pictures.size() >= 2);
    for (const QFileInfo &picture : pictures) {
        QVERIFY2(picture.size() > 150 * 1024 && picture.size() < 1024 * 1024,
                 qPrintable(QString::number(picture.size())));
        const QImage image(picture.filePath());
        QCOMPARE(image.size(), QSize(1600, 1200));
        // Gradients and shapes: many colours, not a few flat blocks.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 5000, qPrintable(QString::number(colours.size())));
    }
}

QTEST_GUILESS_MAIN(tst_SampleAlbum)
#include "tst_SampleAlbum.moc"
