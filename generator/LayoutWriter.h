#pragma once

#include "core/ErrorInfo.h"
#include "generator/FontMarkup.h"

#include <QList>
#include <optional>

// Everything a layout writes, resolved by the generation driver.
struct AlbumContent
{
    struct Picture
    {
        QString name;        // web-safe file name the pages refer to
        QString displayName; // link text on the framed link page
        QString path;        // the original, for layouts that derive pictures from it
    };

    QString mainPagePath;
    QString outputFolder;
    QString baseName;
    QString title;
    FontMarkup markup;
    QString mainBackgroundValue;
    bool mainBackgroundIsColor = true;
    QString linkBackgroundValue;
    bool linkBackgroundIsColor = true;
    QString linkColor;
    bool hasSound = false;
    QString soundName;
    QList<Picture> pictures;
};

// The five album layouts, written byte for byte. Each returns the failure that
// stopped it; files finished before a failure stay as written.
namespace LayoutWriter {
std::optional<ErrorInfo> WriteFramedLayout(const AlbumContent &album, bool thumbnails);
std::optional<ErrorInfo> WriteThumbLayout(const AlbumContent &album);
std::optional<ErrorInfo> WriteLRScrollLayout(const AlbumContent &album);
std::optional<ErrorInfo> WriteUDScrollLayout(const AlbumContent &album);
} // namespace LayoutWriter
