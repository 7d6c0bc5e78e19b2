#include "images/PreviewLoader.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

// Pictures decoded at the size the preview shows them.
class tst_PreviewLoader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fitsTheBox_data();
    void fitsTheBox();
    void tallCameraPictureIsTurnedUpright();
    void unreadableFileGivesNothing_data();
    void unreadableFileGivesNothing();

private:
    QString picture(const QString &name, QSize size, const char *format);
    QTemporaryDir m_tmp;
};

void tst_PreviewLoader::initTestCase()
{
    QVERIFY(m_tmp.isValid());
}

QString tst_PreviewLoader::picture(const QString &name, QSize size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = m_tmp.filePath(name);
    if (!image.save(path, format))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void tst_PreviewLoader::fitsTheBox_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("wide jpeg") << QSize(3000, 2000) << QByteArray("jpg") << QSize(300, 300)
                               << QSize(300, 200);
    QTest::newRow("tall png") << QSize(200, 800) << QByteArray("png") << QSize(300, 300)
                              << QSize(75, 300);
    QTest::newRow("small, never enlarged")
        << QSize(40, 30) << QByteArray("jpg") << QSize(300, 300) << QSize(40, 30);
    QTest::newRow("thin strip keeps a pixel")
        << QSize(4000, 2) << QByteArray("jpg") << QSize(100, 100) << QSize(100, 1);
}

void tst_PreviewLoader::fitsTheBox()
{
    QFETCH(QSize, stored);
    QFETCH(QByteArray, format);
    QFETCH(QSize, box);
    QFETCH(QSize, shown);
    const QString path = picture(QTest::currentDataTag() + QString(".") + format, stored, format);
    const QImage image = PreviewLoader::load(path, box);
    QCOMPARE(image.size(), shown);
    const QColor middle = image.pixelColor(image.width() / 2, image.height() / 2);
    QVERIFY(qAbs(middle.green() - 128) < 12 && middle.red() < 12);
}

void tst_PreviewLoader::tallCameraPictureIsTurnedUpright()
{
    // A camera held upright stores a landscape picture tagged "rotate 90" (orientation 6).
    QByteArray jpeg;
    QFile stored(picture("turned.jpg", QSize(1200, 800), "jpg"));
    QVERIFY(stored.open(QIODevice::ReadWrite));
    jpeg = stored.readAll();
    const QByteArray exif("\xff\xe1\x00\x22"
                          "Exif\0\0MM\x00\x2a\x00\x00\x00\x08"
                          "\x00\x01\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00"
                          "\x00\x00\x00\x00",
                          36);
    jpeg.insert(2, exif);
    QVERIFY(stored.seek(0));
    QCOMPARE(stored.write(jpeg), jpeg.size());
    stored.close();
    QCOMPARE(QImageReader(stored.fileName()).transformation(),
             QImageIOHandler::TransformationRotate90);
    // Shown 800 x 1200, so 300 x 450 in a 300 x 600 box.
    QCOMPARE(PreviewLoader::load(stored.fileName(), QSize(300, 600)).size(), QSize(300, 450));
}

void tst_PreviewLoader::unreadableFileGivesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("plain text, named .jpg");
    QTest::newRow("truncated header") << QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF", 10);
}

void tst_PreviewLoader::unreadableFileGivesNothing()
{
    QFETCH(QByteArray, content);
    const QString path = m_tmp.filePath(QTest::currentDataTag() + QString(".jpg"));
    if (!content.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QVERIFY(PreviewLoader::load(path, QSize(300, 300)).isNull());
}

QTEST_GUILESS_MAIN(tst_PreviewLoader)
#include "tst_PreviewLoader.moc"
