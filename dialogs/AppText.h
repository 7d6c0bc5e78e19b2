#pragma once

#include <QString>

// Texts shared by every part of the program.
namespace AppText {
inline const QString LineBreak = QStringLiteral("\r\n");
inline const QString AppTitle = QStringLiteral("Lumora Web Page Generator");
inline const QString ProductPageName = QStringLiteral("Lumora Web Page");
// The product's home page, linked from every generated album.
inline const QString FooterLinkUrl = QStringLiteral("https://lumora.example.org/");
} // namespace AppText
