#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Pictures for the preview area, decoded at the size they are shown: a camera picture is
// never decoded in full first.
namespace PreviewLoader {
// The picture scaled to fit box, aspect kept, turned upright by its orientation tag;
// never enlarged. A null image when the file cannot be read as a picture.
QImage load(const QString &path, const QSize &box);
// The size that fits size into box with the aspect kept, never larger than size.
QSize fittedSize(const QSize &size, const QSize &box);
} // namespace PreviewLoader
