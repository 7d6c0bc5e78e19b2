#pragma once

#include <QUrl>

// The help page that ships with the program, so help works without a network.
namespace HelpPage {
// Beside the program (build tree) or in its installed share folder; empty when missing.
QUrl url();
// Where the page should be, found or not.
QString expectedPath();
} // namespace HelpPage
