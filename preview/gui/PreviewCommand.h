#pragma once

#include "preview/PreviewSources.h"

#include <memory>

class BrowserWindow;
class Dialogs;
class QWidget;
class RememberedPaths;

// The "&Pre-View Web Page" command after the host has selected step 4 and hidden its
// panels: asks for the HTML file, shows the note, and opens the browser window on it.
namespace PreviewCommand {
// Everything up to showing the window; nothing (and no note) when the dialog is cancelled.
// The window shows the pictures the album names from `sources`.
std::unique_ptr<BrowserWindow> open(QWidget *parent, Dialogs &dialogs, RememberedPaths &paths,
                                    const PreviewSources &sources = {});
// open, then the window modally; returns when the user closes it.
void PreviewWebPage(QWidget *parent, Dialogs &dialogs, RememberedPaths &paths,
                    const PreviewSources &sources);
} // namespace PreviewCommand
