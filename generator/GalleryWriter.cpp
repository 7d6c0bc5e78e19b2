#include "generator/GalleryWriter.h"

#include "core/PathNames.h"
#include "generator/DerivedPictures.h"
#include "generator/GalleryPages.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSemaphore>
#include <QSet>
#include <QThreadPool>
#include <atomic>
#include <memory>

namespace {
constexpr qint64 MaxListBytes = 16 * 1024 * 1024;
constexpr int ProgressTickMs = 100;

QString listName(const QString &baseName)
{
    return baseName + QLatin1String(".gallery");
}

// Web-safe and unique without regard to case, so no two photos share a file on any server.
QStringList uniqueStems(const QList<AlbumContent::Picture> &pictures)
{
    QSet<QString> taken;
    QStringList stems;
    for (const AlbumContent::Picture &p : pictures) {
        const qsizetype dot = p.name.lastIndexOf(QLatin1Char('.'));
        QString stem = dot > 0 ? p.name.left(dot) : p.name;
        if (stem.isEmpty())
            stem = QStringLiteral("picture");
        QString unique = stem;
        for (int n = 2; taken.contains(unique.toLower()); ++n)
            unique = stem + QLatin1Char('_') + QString::number(n);
        taken.insert(unique.toLower());
        stems << unique;
    }
    return stems;
}

// Copies a file the pages use into the site unless it is there already.
std::optional<ErrorInfo> copyInto(const QString &source, const QString &target)
{
    const QFileInfo from(source), to(target);
    if (from.canonicalFilePath() == to.canonicalFilePath() ||
        (to.exists() && to.size() == from.size() && to.lastModified() >= from.lastModified()))
        return std::nullopt;
    QFile::remove(target);
    QFile file(source);
    if (!file.copy(target))
        return ErrorInfo::fromFile(file);
    return std::nullopt;
}

// The picture a background or sound field names, copied beside the pages; empty when the
// field names no readable file.
QString publish(const QString &field, const QString &webName, const QString &folder,
                QStringList &siteFiles, std::optional<ErrorInfo> &error)
{
    const QString source = field.trimmed();
    if (error || webName.isEmpty() || !QFileInfo(source).isFile())
        return QString();
    error = copyInto(source, folder + webName);
    siteFiles << webName;
    return webName;
}

struct Prepared
{
    QList<GalleryPhoto> photos;
    QList<DerivedOutcome> outcomes;
};

void derive(const AlbumContent &album, const QString &pictureFolder, const QStringList &stems,
            const GalleryOptions &options, Prepared &out, GalleryReport &report)
{
    const DerivedSettings settings{options.largeScreens};
    const QString cache = DerivedCacheFolder();
    const int total = int(album.pictures.size());
    out.outcomes.resize(total);
    // Owned by the tasks too: the last one may still be leaving release() when the count
    // lets this thread go on.
    struct Shared
    {
        std::atomic<bool> cancel{false};
        QSemaphore finished;
    };
    const auto shared = std::make_shared<Shared>();
    // Qt's image code spreads a big scaling over the global pool unless it runs on one of its
    // threads already; there, a picture stays on its thread instead of waking two more for
    // every scaling. One picture per thread: a decoded picture and its scaled copy per core.
    QThreadPool *pool = QThreadPool::globalInstance();
    for (int i = 0; i < total; ++i)
        pool->start([&, shared, i] {
            if (!shared->cancel)
                out.outcomes[i] =
                    DerivePictures(album.pictures[i].path,
                                   album.outputFolder + pictureFolder + stems[i], settings, cache);
            shared->finished.release();
        });
    for (int done = 0; done < total;) {
        if (shared->finished.tryAcquire(1, ProgressTickMs))
            ++done;
        if (!shared->cancel && options.progress && !options.progress(done, total))
            shared->cancel = true;
    }
    report.cancelled = shared->cancel;
}
} // namespace

namespace GalleryWriter {

QString ProgressText(int done, int total)
{
    return QStringLiteral("Preparing picture %1 of %2").arg(qMin(done + 1, total)).arg(total);
}

GalleryReport WriteGallery(const AlbumContent &album, const PageStyleSettings &style,
                           const GalleryOptions &options)
{
    GalleryReport report;
    const QString folder = album.outputFolder;
    const QString pictureFolder = album.baseName + QLatin1String("_img/");
    if (!QDir().mkpath(folder + pictureFolder)) {
        report.error = ErrorInfo{ErrorNumber::PathFileAccess, folder + pictureFolder};
        return report;
    }
    const QStringList stems = uniqueStems(album.pictures);
    Prepared prepared;
    derive(album, pictureFolder, stems, options, prepared, report);
    if (report.cancelled)
        return report;

    const QList<int> sizes = DerivedSettings{options.largeScreens}.sizes();
    QStringList siteFiles;
    for (qsizetype i = 0; i < album.pictures.size(); ++i) {
        const DerivedOutcome &o = prepared.outcomes[i];
        if (o.error && !report.error)
            report.error = o.error;
        report.picturesWritten += o.picturesWritten;
        report.picturesEncoded += o.encoded ? 1 : 0;
        GalleryPhoto photo;
        photo.caption = album.pictures[i].displayName;
        photo.page = album.baseName + QLatin1Char('-') + stems[i] + QLatin1String(".html");
        photo.pixelSizes = o.pixelSizes;
        for (int size : sizes)
            photo.files << pictureFolder + stems[i] + QLatin1Char('-') + QString::number(size) +
                               QLatin1Char('.') + o.suffix;
        siteFiles << photo.files;
        if (options.includeOriginals && !report.error) {
            const QString suffix = QFileInfo(album.pictures[i].path).suffix().toLower();
            photo.original = pictureFolder + stems[i] + QLatin1String("-original.") + suffix;
            report.error = copyInto(album.pictures[i].path, folder + photo.original);
            siteFiles << photo.original;
        }
        prepared.photos << photo;
    }
    if (report.error)
        return report;

    GalleryLook look{album.title, album.baseName + QLatin1String(".html"), style, {}, {}, {}};
    if (!style.mainBackgroundIsColor)
        look.mainBackgroundPicture = publish(style.mainBackground, album.mainBackgroundValue,
                                             folder, siteFiles, report.error);
    if (!style.linkBackgroundIsColor)
        look.linkBackgroundPicture = publish(style.linkBackground, album.linkBackgroundValue,
                                             folder, siteFiles, report.error);
    look.sound = publish(style.backgroundSound, album.soundName, folder, siteFiles, report.error);
    for (qsizetype i = 0; i < prepared.photos.size() && !report.error; ++i) {
        report.error = GalleryPages::WritePhotoPage(folder, look, prepared.photos, i);
        siteFiles << prepared.photos[i].page;
    }
    if (!report.error)
        report.error = GalleryPages::WriteIndex(folder, look, prepared.photos);
    if (report.error)
        return report;
    siteFiles.removeDuplicates();
    siteFiles << look.indexPage;
    QSaveFile list(folder + listName(album.baseName));
    if (!list.open(QIODevice::WriteOnly) ||
        list.write((siteFiles.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0 ||
        !list.commit())
        report.error = ErrorInfo::fromFile(list);
    return report;
}

QList<GallerySiteFile> SiteFiles(const QString &outputFolder, const QString &baseName)
{
    QList<GallerySiteFile> files;
    QFile list(JoinFolderAndFile(outputFolder, listName(baseName)));
    if (!list.open(QIODevice::ReadOnly) || list.size() > MaxListBytes)
        return files;
    const QStringList names =
        QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &name : names)
        if (!name.startsWith(QLatin1Char('/')) &&
            !name.split(QLatin1Char('/')).contains(QLatin1String("..")))
            files.append({JoinFolderAndFile(outputFolder, name), name});
    return files;
}

void ForgetSite(const QString &outputFolder, const QString &baseName)
{
    QFile::remove(JoinFolderAndFile(outputFolder, listName(baseName)));
}
} // namespace GalleryWriter
