#pragma once

#include <QString>

// Draws a handful of photograph-like pictures (1600x1200) into a folder and writes a project that
// lists them, so the program can be shown and measured without anyone's photographs.
namespace SampleAlbum {
// Returns the project path, or empty on failure. Pictures are copies of a few drawn
// ones when count exceeds the drawn set.
QString create(const QString &folder, int count);
} // namespace SampleAlbum
