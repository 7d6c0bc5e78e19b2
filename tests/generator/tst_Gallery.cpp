#include "generator/AlbumGenerator.h"
#include "tests/support/ScriptedDialogs.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDataStream>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QUrl>

// The gallery layout end to end on a few small photos with awkward names and metadata.
class tst_Gallery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyReferenceResolvesInsideTheSite();
    void derivedPictures_data();
    void derivedPictures();
    void noMetadataReachesTheSite();
    void textIsEscaped();
    void pagesPassTidy();
    void siteFilesListTheWholeSite();
    void regenerationWritesOnlyChangedPictures();
    void optionsAddLargeSizeAndOriginals();
    void cancelWritesNoPage();
    void unreadablePictureFails();

private:
    AlbumGenerator::Outcome generate(const QString &target, GalleryOptions options = {});
    QStringList pages() const;
    QString site(const QString &name) const { return m_out.filePath(name); }

    QTemporaryDir m_cache, m_in, m_out;
    ScriptedDialogs m_dialogs;
    PageStyleSettings m_style = PageStyleSettings::atStartup();
    ImageEntries m_images;
    RememberedPaths m_paths;
    OutputLocation m_output;
};

namespace {
const QByteArray Serial = "SERIAL-4711";

// A little-endian TIFF block with Orientation, a serial number and a GPS position.
QByteArray exifBlock(quint16 orientation)
{
    QByteArray tiff;
    QDataStream s(&tiff, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("II", 2);
    s << quint16(42) << quint32(8);
    s << quint16(3);                                                          // IFD0 at 8
    s << quint16(0x0112) << quint16(3) << quint32(1) << quint32(orientation); // orientation
    s << quint16(0xA431) << quint16(2) << quint32(12) << quint32(50);         // serial
    s << quint16(0x8825) << quint16(4) << quint32(1) << quint32(62);          // GPS IFD
    s << quint32(0);
    s.writeRawData(Serial.constData(), 11);
    s << quint8(0);
    s << quint16(2); // GPS IFD at 62
    s << quint16(1) << quint16(2) << quint32(2) << quint32('N');
    s << quint16(2) << quint16(5) << quint32(3) << quint32(92);
    s << quint32(0);
    s << quint32(52) << quint32(1) << quint32(31) << quint32(1) << quint32(1234) << quint32(100);
    const QByteArray payload = "Exif" + QByteArray(2, '\0') + tiff;
    QByteArray segment("\xFF\xE1");
    const quint16 length = quint16(payload.size() + 2);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    return segment + payload;
}

// Stored top half red, bottom half blue, so a turn shows in which half is red.
void writePhoto(const QString &path, QSize size, quint16 orientation, QColor top = Qt::red,
                QColorSpace profile = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.setColorSpace(profile);
    QPainter(&image).fillRect(0, 0, size.width(), size.height() / 2, top);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "JPEG", 95));
    if (orientation)
        jpeg.insert(2, exifBlock(orientation));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(jpeg);
}

bool reddish(QRgb c)
{
    return qRed(c) > 180 && qBlue(c) < 80;
}

bool bluish(QRgb c)
{
    return qBlue(c) > 180 && qRed(c) < 80;
}

const QDateTime Old = QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);

QMap<QString, QDateTime> pictureTimes(const QString &folder)
{
    QMap<QString, QDateTime> times;
    QDirIterator it(folder, {"*.jpg", "*.png"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        times[path] = QFileInfo(path).lastModified();
    }
    return times;
}
} // namespace

void tst_Gallery::initTestCase()
{
    qputenv("XDG_CACHE_HOME", m_cache.path().toUtf8());
    const QString in = m_in.path() + '/';
    writePhoto(in + "rot one.jpg", {96, 64}, 6);
    writePhoto(in + "Tom's & <Jerry>.jpg", {96, 64}, 6);
    writePhoto(in + "gps café ñ.jpg", {1000, 750}, 1, Qt::red, QColorSpace::DisplayP3);
    QImage clear(40, 30, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QVERIFY(clear.save(in + "clear.png"));
    QVERIFY(clear.save(in + "back ground.png"));
    QFile sound(in + "tune & song.wav");
    QVERIFY(sound.open(QIODevice::WriteOnly));
    sound.write("RIFF....WAVE");
    sound.close();
    m_images = {{in + "rot one.jpg", "Rot <one>"},
                {in + "Tom's & <Jerry>.jpg", "Tom & Jerry's \"best\""},
                {in + "gps café ñ.jpg", "Café ñ"},
                {in + "clear.png", "Clear"}};
    m_style.title = "Holiday <b>2026</b> & more";
    m_style.mainBackground = in + "back ground.png";
    m_style.mainBackgroundIsColor = false;
    m_style.backgroundSound = in + "tune & song.wav";
    m_paths.reset("/app/");
    QCOMPARE(generate("album.html"), AlbumGenerator::Outcome::Completed);
}

AlbumGenerator::Outcome tst_Gallery::generate(const QString &target, GalleryOptions options)
{
    m_dialogs = ScriptedDialogs();
    m_dialogs.fileName(site(target));
    AlbumGenerator generator(m_dialogs);
    generator.setGalleryOptions(std::move(options));
    return generator.GenerateWebPage("gallery", {m_style, m_images, true}, m_paths, m_output);
}

QStringList tst_Gallery::pages() const
{
    QStringList paths;
    for (const QString &name : QDir(m_out.path()).entryList({"album*.html"}, QDir::Files))
        paths << site(name);
    return paths;
}

void tst_Gallery::everyReferenceResolvesInsideTheSite()
{
    const QString root = QDir(m_out.path()).canonicalPath() + '/';
    static const QRegularExpression reference(
        R"re((?:href|src)="([^"]*)"|srcset="([^"]*)"|url\("([^"]*)"\))re");
    QStringList seen;
    QCOMPARE(pages().size(), 5);
    for (const QString &page : pages()) {
        QFile f(page);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        for (const auto &m : reference.globalMatch(html)) {
            QStringList targets;
            if (!m.captured(2).isEmpty())
                for (const QString &entry : m.captured(2).split(", "))
                    targets << entry.section(' ', 0, 0);
            else
                targets << (m.captured(1) + m.captured(3));
            for (QString target : targets) {
                target = QUrl::fromPercentEncoding(target.section('#', 0, 0).toUtf8());
                const QFileInfo file(m_out.path() + '/' + target);
                QVERIFY2(file.isFile(), qPrintable(page + ": " + target));
                QVERIFY2(file.canonicalFilePath().startsWith(root), qPrintable(target));
                seen << target;
            }
        }
    }
    QVERIFY(seen.contains("back_ground.png"));
    QVERIFY(seen.contains("tune_&_song.wav"));
    QVERIFY(seen.contains("album_img/Toms_&_<Jerry>-800.jpg"));
}

void tst_Gallery::derivedPictures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("turned");

    QTest::newRow("turned, not enlarged") << "rot_one-1600.jpg" << QSize(64, 96) << true;
    QTest::newRow("turned, second photo") << "Toms_&_<Jerry>-400.jpg" << QSize(64, 96) << true;
    QTest::newRow("thumbnail") << "gps_café_ñ-400.jpg" << QSize(400, 300) << false;
    QTest::newRow("high density") << "gps_café_ñ-800.jpg" << QSize(800, 600) << false;
    QTest::newRow("web size not enlarged") << "gps_café_ñ-1600.jpg" << QSize(1000, 750) << false;
    QTest::newRow("transparent stays png") << "clear-400.png" << QSize(40, 30) << false;
}

void tst_Gallery::derivedPictures()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);
    QFETCH(bool, turned);
    const QImage image(site("album_img/" + file));
    QCOMPARE(image.size(), size);
    if (file.endsWith(".png")) {
        QCOMPARE(qAlpha(image.pixel(5, 5)), 0);
        return;
    }
    const int w = size.width(), h = size.height();
    if (turned) { // stored top is the visible right side
        QVERIFY(reddish(image.pixel(w * 3 / 4, h / 2)));
        QVERIFY(bluish(image.pixel(w / 4, h / 2)));
    } else {
        QVERIFY(reddish(image.pixel(w / 2, h / 4)));
        QVERIFY(bluish(image.pixel(w / 2, h * 3 / 4)));
    }
}

void tst_Gallery::noMetadataReachesTheSite()
{
    QDirIterator it(site("album_img"), QDir::Files);
    int checked = 0;
    while (it.hasNext()) {
        QFile f(it.next());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray data = f.readAll();
        QVERIFY2(!data.contains("Exif") && !data.contains(Serial) && !data.contains("ICC_PROFILE"),
                 qPrintable(f.fileName()));
        ++checked;
    }
    QCOMPARE(checked, 12);
}

void tst_Gallery::textIsEscaped()
{
    QFile f(site("album.html"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString index = QString::fromUtf8(f.readAll());
    QVERIFY(index.contains("<h1>Holiday &lt;b&gt;2026&lt;/b&gt; &amp; more</h1>"));
    QVERIFY(index.contains("<title>Holiday &lt;b&gt;2026&lt;/b&gt; &amp; more</title>"));
    QVERIFY(index.contains("alt=\"Tom &amp; Jerry's &quot;best&quot;\""));
    QVERIFY(index.contains(">Rot &lt;one&gt;</span>"));
    QVERIFY(!index.contains("<b>") && !index.contains("<one>"));
    QFile page(site("album-Toms_&_<Jerry>.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(page.readAll())
                .contains("<figcaption>Tom &amp; Jerry's &quot;best&quot;</figcaption>"));
}

void tst_Gallery::pagesPassTidy()
{
    const QString tidy = QStandardPaths::findExecutable("tidy");
    if (tidy.isEmpty())
        QSKIP("tidy is not installed (scripts/install-deps.sh installs it)");
    for (const QString &page : pages()) {
        QProcess p;
        p.start(tidy, {"-errors", "-q", page});
        QVERIFY(p.waitForFinished(30000));
        QVERIFY2(p.exitCode() < 2, qPrintable(page + "\n" + p.readAllStandardError()));
    }
}

void tst_Gallery::siteFilesListTheWholeSite()
{
    const QList<GallerySiteFile> files = GalleryWriter::SiteFiles(m_out.path() + '/', "album");
    QStringList listed;
    for (const GallerySiteFile &f : files) {
        QCOMPARE(f.localPath, site(f.remotePath));
        listed << f.remotePath;
    }
    QStringList onDisk;
    QDirIterator it(m_out.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        onDisk << QDir(m_out.path()).relativeFilePath(it.next());
    onDisk.removeAll("album.gallery");
    QCOMPARE(QSet<QString>(listed.begin(), listed.end()),
             QSet<QString>(onDisk.begin(), onDisk.end()));
    QCOMPARE(listed.size(), onDisk.size());
    QCOMPARE(listed.last(), "album.html");
    QVERIFY(listed.first().startsWith("album_img/"));
}

void tst_Gallery::regenerationWritesOnlyChangedPictures()
{
    for (const QString &path : pictureTimes(site("album_img")).keys()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(Old, QFileDevice::FileModificationTime));
    }
    QCOMPARE(generate("album.html"), AlbumGenerator::Outcome::Completed);
    for (const QDateTime &time : pictureTimes(site("album_img")))
        QCOMPARE(time, Old);

    writePhoto(m_images[0].path, {96, 64}, 6, Qt::green);
    QCOMPARE(generate("album.html"), AlbumGenerator::Outcome::Completed);
    const auto times = pictureTimes(site("album_img"));
    for (auto it = times.begin(); it != times.end(); ++it)
        QCOMPARE(it.value() == Old, !it.key().contains("/rot_one-"));
}

void tst_Gallery::optionsAddLargeSizeAndOriginals()
{
    QCOMPARE(generate("large.html", {true, true, {}}), AlbumGenerator::Outcome::Completed);
    QCOMPARE(QImage(site("large_img/gps_café_ñ-2560.jpg")).size(), QSize(1000, 750));
    QFile page(site("large-gps_café_ñ.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    // Not enlarged, so the larger sizes add no srcset entry of their own.
    QVERIFY(html.contains("srcset=\"large_img/gps_caf%C3%A9_%C3%B1-800.jpg 800w, "
                          "large_img/gps_caf%C3%A9_%C3%B1-1600.jpg 1000w\""));
    QVERIFY(html.contains("<a href=\"large_img/gps_caf%C3%A9_%C3%B1-original.jpg\">Original</a>"));
    QFile original(site("large_img/rot_one-original.jpg"));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QVERIFY(original.readAll().contains(Serial)); // published as it is, by choice
}

void tst_Gallery::cancelWritesNoPage()
{
    int calls = 0;
    const auto outcome = generate("cancelled.html", {false, false, [&](int done, int total) {
                                                         ++calls;
                                                         return done < 0 || total < 0;
                                                     }});
    QCOMPARE(outcome, AlbumGenerator::Outcome::Cancelled);
    QCOMPARE(calls, 1);
    QVERIFY(!QFile::exists(site("cancelled.html")));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void tst_Gallery::unreadablePictureFails()
{
    m_images.append({m_in.path() + "/gone.jpg", "Gone"});
    const auto outcome = generate("broken.html");
    m_images.removeLast();
    QCOMPARE(outcome, AlbumGenerator::Outcome::Failed);
    QVERIFY(m_dialogs.lastText().contains("gone.jpg"));
    QVERIFY(!QFile::exists(site("broken.html")));
}

QTEST_GUILESS_MAIN(tst_Gallery)
#include "tst_Gallery.moc"
