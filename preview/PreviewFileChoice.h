#pragma once

#include "core/Dialogs.h"
#include "generator/RememberedPaths.h"

#include <optional>

// Which HTML file the preview opens: the open dialog, its starting name, and the note shown
// before the browser window.
namespace PreviewFileChoice {
extern const QString Filter;
extern const QString NoteTitle;
extern const QString NoteText;

// The page previewed last, or the last generated one while nothing real was previewed.
QString initialFileName(const RememberedPaths &paths);
// Shows the open dialog on initialName; a chosen file becomes "prevhtml".
std::optional<QString> choose(Dialogs &dialogs, RememberedPaths &paths, const QString &initialName);
} // namespace PreviewFileChoice
