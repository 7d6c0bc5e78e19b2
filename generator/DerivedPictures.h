#pragma once

#include "core/ErrorInfo.h"

#include <QList>
#include <QSize>
#include <QString>
#include <optional>

// The sizes (long side, pixels) and encoding every gallery picture is derived with.
struct DerivedSettings
{
    bool largeScreens = false;

    // Ascending; the last is the web-size picture the photo pages show.
    QList<int> sizes() const;
    // Everything that changes the derived bytes, so a changed setting misses the cache.
    QString cacheTag() const;
};

// One original's derived pictures, as written into the site.
struct DerivedOutcome
{
    QString suffix;          // "jpg", or "png" for pictures with transparency
    QList<QSize> pixelSizes; // one per DerivedSettings::sizes(), after orientation
    int picturesWritten = 0;
    bool encoded = false; // false: every size came from the cache
    std::optional<ErrorInfo> error;
};

// Makes "<target>-<size>.<suffix>" for every size from one original: decoded once at a
// reduced size, turned upright, converted to sRGB, with no metadata carried over.
// The cache folder keeps encoded bytes by the original's path, size, time and settings;
// a file already holding the same bytes is not rewritten. Safe to call from many threads.
DerivedOutcome DerivePictures(const QString &original, const QString &target,
                              const DerivedSettings &settings, const QString &cacheFolder);
// $XDG_CACHE_HOME/Lumora/gallery/
QString DerivedCacheFolder();
