#pragma once

#include <QString>

// Texts shared by every part of the program.
namespace AppText {
inline const QString LineBreak = QStringLiteral("\r\n");
inline const QString AppTitle = QStringLiteral("Lumora Web Page Generator");
inline const QString ProductPageName = QStringLiteral("Lumora Web Page");
// The product's home page, linked from every generated album.
inline const QString FooterLinkUrl = QStringLiteral("https://lumora.example.org/");
inline const QString ProductWebAddress = QStringLiteral("https://lumora.example.org");
inline const QString ContactEmail = QStringLiteral("help@lumora.example.org");
// "Version 3.0.0": the program's version as its windows show it.
inline QString VersionLine(int major, int minor, int revision)
{
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}
inline QString ProgramVersionLine()
{
    return VersionLine(LUMORA_VERSION_MAJOR, LUMORA_VERSION_MINOR, LUMORA_VERSION_PATCH);
}
} // namespace AppText
