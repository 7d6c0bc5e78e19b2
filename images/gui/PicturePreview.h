#pragma once

#include <QImage>
#include <QString>

class QLabel;

// The preview area (ImagePreview): pictures fitted into the label, aspect kept.
namespace PicturePreview {
// Decodes the file at the label's size; false, with the label unchanged, when the file is
// no picture that can be read.
bool showFile(QLabel *preview, const QString &path);
// False, with the label unchanged, for an empty picture.
bool showImage(QLabel *preview, const QImage &picture);
} // namespace PicturePreview
