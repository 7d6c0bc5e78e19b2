#pragma once

#include <QList>
#include <QString>

// One picture of the album: its full path as added and the name shown for it.
struct ImageEntry
{
    QString path;
    QString displayName;

    bool operator==(const ImageEntry &) const = default;
};

using ImageEntries = QList<ImageEntry>;
