#pragma once

#include <QFileDevice>
#include <QString>

// A failure as the program reports it: a stable number and a readable description.
struct ErrorInfo
{
    int number = 0;
    QString description;

    static ErrorInfo fromFile(const QFileDevice &file);
    static ErrorInfo typeMismatch(const QString &value);
    static ErrorInfo pastEndOfFile();
    static ErrorInfo fileNotFound(const QString &path);

    // The three-line failure message: headline, number, description.
    QString messageAfter(const QString &headline) const;
};

// Numbers the program's failure messages use; stable across releases.
namespace ErrorNumber {
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int DeviceIO = 57;
constexpr int DiskFull = 61;
constexpr int PastEndOfFile = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
} // namespace ErrorNumber
