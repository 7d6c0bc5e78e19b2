#pragma once

#include <QString>

class QObject;

// Entry points that the window part exports and the component resolves by name. The show
// functions return 0, or an error number with `error` describing it.
extern "C" {
using RavelPagesShowFunction = int (*)(QObject *control, QString *error);
using RavelPagesCreateFunction = QObject *(*)(const char *progId, QObject *parent, QString *error);
}

namespace RavelPagesApi {
inline constexpr const char *LibraryName = "RavelPages";
inline constexpr const char *ShowFrame = "RavelPagesShowPropertyFrame";
inline constexpr const char *ShowAbout = "RavelPagesShowAboutBox";
inline constexpr const char *CreatePage = "RavelPagesCreatePage";
} // namespace RavelPagesApi
