#include "generator/DerivedPictures.h"

#include "generator/JpegCodec.h"

#include <QBuffer>
#include <QColorSpace>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTransform>

namespace {
constexpr int JpegQuality = 80;
// Derived files are ours, but the cache folder is outside; never read more than this.
constexpr qint64 MaxDerivedBytes = 64 * 1024 * 1024;
constexpr qint64 MaxMetaBytes = 4096;
// Held whole while decoding, one per core; larger JPEG files (no camera makes them) go
// through QImageReader, which streams them.
constexpr qint64 MaxDirectJpegBytes = 64 * 1024 * 1024;

struct Encoded
{
    QString suffix;
    QList<QSize> pixelSizes;
    QList<QByteArray> bytes;
};

QString cacheKey(const QFileInfo &info, const DerivedSettings &settings)
{
    const QString source = info.absoluteFilePath() + QLatin1Char('\n') +
                           QString::number(info.size()) + QLatin1Char('\n') +
                           QString::number(info.lastModified().toMSecsSinceEpoch()) +
                           QLatin1Char('\n') + settings.cacheTag();
    return QString::fromLatin1(
        QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString sizedName(const QString &stem, int size, const QString &suffix)
{
    return stem + QLatin1Char('-') + QString::number(size) + QLatin1Char('.') + suffix;
}

std::optional<QByteArray> readBounded(const QString &path, qint64 limit)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > limit)
        return std::nullopt;
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

// A target written from the cache (or with it) and not touched since holds the cached bytes.
bool upToDate(const QString &target, const QString &cached)
{
    const QFileInfo t(target), c(cached);
    return t.isFile() && t.size() == c.size() && t.lastModified() >= c.lastModified();
}

// Meta file: suffix on the first line, then "WxH" per size. The bytes of a size stay empty
// when its target is up to date, so a regeneration with nothing changed reads no picture.
std::optional<Encoded> readCached(const QString &folder, const QString &key,
                                  const QList<int> &sizes, const QString &target)
{
    const std::optional<QByteArray> meta =
        readBounded(folder + key + QLatin1String(".meta"), MaxMetaBytes);
    if (!meta)
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(*meta).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.size() != sizes.size() + 1)
        return std::nullopt;
    Encoded cached;
    cached.suffix = lines.first();
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QStringList wh = lines[i + 1].split(QLatin1Char('x'));
        if (wh.size() != 2)
            return std::nullopt;
        cached.pixelSizes << QSize(wh[0].toInt(), wh[1].toInt());
        const QString file = folder + sizedName(key, sizes[i], cached.suffix);
        if (cached.pixelSizes.last().isEmpty() || !QFileInfo(file).isFile())
            return std::nullopt;
        if (upToDate(sizedName(target, sizes[i], cached.suffix), file)) {
            cached.bytes << QByteArray();
            continue;
        }
        std::optional<QByteArray> data = readBounded(file, MaxDerivedBytes);
        if (!data || data->isEmpty())
            return std::nullopt;
        cached.bytes << *data;
    }
    return cached;
}

bool writeWhole(const QString &path, const QByteArray &data)
{
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size() && f.commit();
}

// A failed cache write only costs a later re-encoding, so it is not reported.
void storeCached(const QString &folder, const QString &key, const QList<int> &sizes,
                 const Encoded &encoded)
{
    if (!QDir().mkpath(folder))
        return;
    QString meta = encoded.suffix + QLatin1Char('\n');
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        if (!writeWhole(folder + sizedName(key, sizes[i], encoded.suffix), encoded.bytes[i]))
            return;
        meta += QStringLiteral("%1x%2\n")
                    .arg(encoded.pixelSizes[i].width())
                    .arg(encoded.pixelSizes[i].height());
    }
    writeWhole(folder + key + QLatin1String(".meta"), meta.toUtf8());
}

int longSide(const QSize &s)
{
    return qMax(s.width(), s.height());
}

// The scale JPEG decodes at (1, 2, 4 or 8): the smallest size that still covers `largest`.
// Those sizes cost little more than the entropy decoding; asking for exactly one keeps the
// decoder from adding a scaling pass of its own.
int jpegDenominator(const QSize &stored, int largest)
{
    int denominator = 1;
    while (denominator < 8 &&
           (longSide(stored) + 2 * denominator - 1) / (2 * denominator) >= largest)
        denominator *= 2;
    return denominator;
}

std::optional<QImage> decodeJpeg(const QString &path, int denominator)
{
    const std::optional<QByteArray> data = readBounded(path, MaxDirectJpegBytes);
    return data ? JpegCodec::decode(*data, denominator) : std::nullopt;
}

// As the orientation tag says, mirrored first, then turned clockwise.
QImage upright(const QImage &image, QImageIOHandler::Transformations turn)
{
    QImage out = image;
    if (turn & (QImageIOHandler::TransformationMirror | QImageIOHandler::TransformationFlip))
        out = out.mirrored(turn & QImageIOHandler::TransformationMirror,
                           turn & QImageIOHandler::TransformationFlip);
    if (turn & QImageIOHandler::TransformationRotate90)
        out = out.transformed(QTransform().rotate(90));
    return out;
}

// Decoded once at a reduced size where the format allows, scaled to the largest size,
// then converted to sRGB and turned upright: both cost less on the smaller picture.
std::optional<QImage> decodeUpright(const QString &path, int largest, bool &keepAlpha,
                                    QString &failure)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    const QSize stored = reader.size();
    const QImageIOHandler::Transformations turn = reader.transformation();
    const int denominator = format == "jpeg" ? jpegDenominator(stored, largest) : 1;
    std::optional<QImage> image;
    if (format == "jpeg")
        image = decodeJpeg(path, denominator);
    const bool direct = image.has_value();
    if (!direct) {
        if (denominator > 1)
            reader.setScaledSize(QSize((stored.width() + denominator - 1) / denominator,
                                       (stored.height() + denominator - 1) / denominator));
        image = reader.read();
        if (image->isNull()) {
            failure = reader.errorString();
            return std::nullopt;
        }
    }
    keepAlpha = (format == "png" || format == "gif") && image->hasAlphaChannel();
    *image = image->convertToFormat(keepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (longSide(image->size()) > largest)
        *image = image->scaled(largest, largest, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (image->colorSpace().isValid() && image->colorSpace() != QColorSpace(QColorSpace::SRgb))
        image->convertToColorSpace(QColorSpace::SRgb);
    // Nothing from the original file goes on: the direct decoder brings only the profile,
    // the reader text as well, so its pixels go into a fresh image.
    if (direct)
        image->setColorSpace(QColorSpace());
    else
        *image = QImage(image->constBits(), image->width(), image->height(), image->bytesPerLine(),
                        image->format())
                     .copy();
    return upright(*image, turn);
}

std::optional<Encoded> encode(const QString &original, const QList<int> &sizes, QString &failure)
{
    bool keepAlpha = false;
    std::optional<QImage> image = decodeUpright(original, sizes.last(), keepAlpha, failure);
    if (!image)
        return std::nullopt;
    Encoded out;
    out.suffix = keepAlpha ? QStringLiteral("png") : QStringLiteral("jpg");
    out.pixelSizes.resize(sizes.size());
    out.bytes.resize(sizes.size());
    // Largest first, each from the one before: smaller sizes never enlarge.
    for (qsizetype i = sizes.size() - 1; i >= 0; --i) {
        if (longSide(image->size()) > sizes[i])
            *image =
                image->scaled(sizes[i], sizes[i], Qt::KeepAspectRatio, Qt::SmoothTransformation);
        out.pixelSizes[i] = image->size();
        if (!keepAlpha) {
            out.bytes[i] = JpegCodec::encode(*image, JpegQuality);
            if (out.bytes[i].isEmpty()) {
                failure = QStringLiteral("The picture could not be encoded");
                return std::nullopt;
            }
            continue;
        }
        QBuffer buffer(&out.bytes[i]);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(*image)) {
            failure = writer.errorString();
            return std::nullopt;
        }
    }
    return out;
}

bool holds(const QString &path, const QByteArray &data)
{
    if (QFileInfo(path).size() != data.size())
        return false;
    const std::optional<QByteArray> present = readBounded(path, MaxDerivedBytes);
    return present && *present == data;
}
} // namespace

QList<int> DerivedSettings::sizes() const
{
    QList<int> s{400, 800, 1600};
    if (largeScreens)
        s << 2560;
    return s;
}

QString DerivedSettings::cacheTag() const
{
    QStringList parts;
    for (int size : sizes())
        parts << QString::number(size);
    return QStringLiteral("gallery1 q%1 ").arg(JpegQuality) + parts.join(QLatin1Char(','));
}

QString DerivedCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QLatin1String("/Lumora/gallery/");
}

DerivedOutcome DerivePictures(const QString &original, const QString &target,
                              const DerivedSettings &settings, const QString &cacheFolder)
{
    DerivedOutcome outcome;
    const QFileInfo info(original);
    if (!info.isFile()) {
        outcome.error = ErrorInfo::fileNotFound(original);
        return outcome;
    }
    const QList<int> sizes = settings.sizes();
    const QString key = cacheKey(info, settings);
    std::optional<Encoded> pictures = readCached(cacheFolder, key, sizes, target);
    if (!pictures) {
        QString failure;
        pictures = encode(original, sizes, failure);
        if (!pictures) {
            outcome.error =
                ErrorInfo{ErrorNumber::DeviceIO, original + QLatin1String(": ") + failure};
            return outcome;
        }
        outcome.encoded = true;
        storeCached(cacheFolder, key, sizes, *pictures);
    }
    outcome.suffix = pictures->suffix;
    outcome.pixelSizes = pictures->pixelSizes;
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QString path = sizedName(target, sizes[i], pictures->suffix);
        if (pictures->bytes[i].isEmpty() || holds(path, pictures->bytes[i]))
            continue;
        QSaveFile f(path);
        if (!f.open(QIODevice::WriteOnly) ||
            f.write(pictures->bytes[i]) != pictures->bytes[i].size() || !f.commit()) {
            outcome.error = ErrorInfo::fromFile(f);
            return outcome;
        }
        ++outcome.picturesWritten;
    }
    return outcome;
}
