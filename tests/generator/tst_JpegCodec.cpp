#include "generator/JpegCodec.h"

#include <QBuffer>
#include <QColorSpace>
#include <QTest>

// The direct decoder either gives the picture as QImageReader would, at the asked scale,
// or nothing, so the caller falls back to the reader; what the encoder writes reads back.
class tst_JpegCodec : public QObject
{
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void encodeReadsBack();
};

namespace {
QByteArray jpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

QImage filled(QImage::Format format, QColor colour, QColorSpace space = {})
{
    QImage image(96, 64, format);
    image.fill(colour);
    image.setColorSpace(space);
    return image;
}
} // namespace

void tst_JpegCodec::decode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("denominator");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QColorSpace>("space");

    const QColor orange(230, 120, 40);
    const QColorSpace p3(QColorSpace::DisplayP3);
    QTest::newRow("colour, full size") << jpeg(filled(QImage::Format_RGB32, orange)) << 1
                                       << QSize(96, 64) << orange << QColorSpace();
    QTest::newRow("colour, half") << jpeg(filled(QImage::Format_RGB32, orange)) << 2
                                  << QSize(48, 32) << orange << QColorSpace();
    QTest::newRow("grey, eighth") << jpeg(filled(QImage::Format_Grayscale8, QColor(90, 90, 90)))
                                  << 8 << QSize(12, 8) << QColor(90, 90, 90) << QColorSpace();
    QTest::newRow("profile kept") << jpeg(filled(QImage::Format_RGB32, orange, p3)) << 2
                                  << QSize(48, 32) << orange << p3;
    const QByteArray whole = jpeg(filled(QImage::Format_RGB32, orange));
    QTest::newRow("truncated") << whole.left(whole.size() / 2) << 1 << QSize() << QColor()
                               << QColorSpace();
    QTest::newRow("not a jpeg") << QByteArray("\x89PNG\r\n\x1a\n garbage") << 1 << QSize()
                                << QColor() << QColorSpace();
    QTest::newRow("empty") << QByteArray() << 1 << QSize() << QColor() << QColorSpace();
}

void tst_JpegCodec::decode()
{
    QFETCH(QByteArray, data);
    QFETCH(int, denominator);
    QFETCH(QSize, size);
    QFETCH(QColor, colour);
    QFETCH(QColorSpace, space);

    const std::optional<QImage> image = JpegCodec::decode(data, denominator);
    QCOMPARE(image.has_value(), size.isValid());
    if (!image)
        return;
    QCOMPARE(image->size(), size);
    QCOMPARE(image->format(), QImage::Format_RGB32);
    QCOMPARE(image->colorSpace(), space);
    const QRgb centre = image->pixel(size.width() / 2, size.height() / 2);
    QCOMPARE(qAlpha(centre), 255);
    QVERIFY2(qAbs(qRed(centre) - colour.red()) <= 4 && qAbs(qGreen(centre) - colour.green()) <= 4 &&
                 qAbs(qBlue(centre) - colour.blue()) <= 4,
             qPrintable(QColor(centre).name()));
}

void tst_JpegCodec::encodeReadsBack()
{
    QImage image(97, 61, QImage::Format_RGB32); // odd sizes: partial blocks and MCU rows
    image.fill(QColor(30, 160, 220));
    const QByteArray bytes = JpegCodec::encode(image, 80);
    QImage read;
    QVERIFY(read.loadFromData(bytes, "JPEG"));
    QCOMPARE(read.size(), image.size());
    const QRgb centre = read.pixel(48, 30);
    QVERIFY2(qAbs(qRed(centre) - 30) <= 4 && qAbs(qBlue(centre) - 220) <= 4,
             qPrintable(QColor(centre).name()));
}

QTEST_GUILESS_MAIN(tst_JpegCodec)
#include "tst_JpegCodec.moc"
