#pragma once

#include "core/ErrorInfo.h"
#include "generator/PageStyleSettings.h"

#include <QList>
#include <QSize>
#include <QString>
#include <optional>

// One photo of a gallery as its pages refer to it; every name is relative to the
// output folder and unencoded (the pages encode it).
struct GalleryPhoto
{
    QString caption;
    QString page;            // "album-rot_one.html"
    QList<QString> files;    // one per size, ascending: "album_img/rot_one-400.jpg"
    QList<QSize> pixelSizes; // one per size
    QString original;        // empty unless originals are published
};

struct GalleryLook
{
    QString title;
    QString indexPage; // "album.html"
    PageStyleSettings style;
    QString mainBackgroundPicture; // relative names; empty for a colour
    QString linkBackgroundPicture;
    QString sound;
};

// The gallery's HTML5 pages: an index with a responsive grid and one page per photo.
namespace GalleryPages {
std::optional<ErrorInfo> WriteIndex(const QString &folder, const GalleryLook &look,
                                    const QList<GalleryPhoto> &photos);
std::optional<ErrorInfo> WritePhotoPage(const QString &folder, const GalleryLook &look,
                                        const QList<GalleryPhoto> &photos, qsizetype index);
// A relative name as an attribute value: each path segment percent-encoded.
QString UrlOf(const QString &relativeName);
} // namespace GalleryPages
