#pragma once

#include "core/ErrorInfo.h"
#include "generator/LayoutWriter.h"
#include "generator/PageStyleSettings.h"

#include <functional>

struct GalleryOptions
{
    bool largeScreens = false;     // adds a 2560 px size to the photo pages
    bool includeOriginals = false; // copies the originals and links them as "Original"
    // Called on the generating thread while pictures are prepared; returning false cancels.
    std::function<bool(int done, int total)> progress;
};

struct GalleryReport
{
    std::optional<ErrorInfo> error;
    bool cancelled = false;
    int picturesEncoded = 0;
    int picturesWritten = 0;
};

// One file of a generated gallery: where it is, and its name relative to the site's folder.
struct GallerySiteFile
{
    QString localPath;
    QString remotePath; // "album_img/rot_one-400.jpg"
    bool operator==(const GallerySiteFile &) const = default;
};

// The "gallery" layout: derived pictures on every core, then the HTML5 pages, then a list
// of the site's files beside the index page for the upload.
namespace GalleryWriter {
GalleryReport WriteGallery(const AlbumContent &album, const PageStyleSettings &style,
                           const GalleryOptions &options);
// "Preparing picture i of n"
QString ProgressText(int done, int total);
// Every file of the gallery last generated as folder + baseName, pictures first and the
// index page last, so a visitor never follows a link to a file not yet sent. Empty when
// no gallery was generated there.
QList<GallerySiteFile> SiteFiles(const QString &outputFolder, const QString &baseName);
// Another layout now stands at folder + baseName: the upload must not send a gallery's files.
void ForgetSite(const QString &outputFolder, const QString &baseName);
} // namespace GalleryWriter
