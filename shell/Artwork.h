#pragma once

#include <QImage>
#include <QString>

// The program's pictures, drawn by the program itself: the splash picture, the logo
// in the preview area, the icon, and the small previews of the page layouts.
namespace Artwork {
QImage splash();
QImage logo();
QImage icon(int size);
// The preview of a layout word ("frame", "framethumb", "thumb", "lrscroll", "udscroll",
// "gallery").
QImage layoutPreview(const QString &word);
} // namespace Artwork
