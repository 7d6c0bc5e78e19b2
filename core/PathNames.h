#pragma once

#include <QString>

// Path and file-name rules shared by generation, the image list, the project
// file and the upload, so the names a page refers to match the uploaded names.
namespace PathNames {
// The one separator every rule below scans for.
inline constexpr QChar Separator = QLatin1Char('/');
} // namespace PathNames

// Text up to and including the last separator; empty when there is none.
QString FolderOf(const QString &path);
// Text after the last separator; empty when there is none.
QString FileNameOf(const QString &path);
// FileNameOf without its last extension; empty when the text has no separator.
QString BaseNameOf(const QString &path);
// With autoSpace on: blanks become "_", apostrophes and double quotes are dropped.
QString WebSafeName(const QString &name, bool autoSpace);
// Folder and file joined by one separator (a folder that ends in one keeps it).
QString JoinFolderAndFile(const QString &folder, const QString &file);
// The program's folder, ending in the separator.
QString AppFolder();
