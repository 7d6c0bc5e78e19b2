#pragma once

#include <QFileDevice>
#include <QString>
#include <optional>

// A failure as the program reports it: a stable number and a readable description.
struct ErrorInfo
{
    int number = 0;
    QString description;

    static ErrorInfo fromFile(const QFileDevice &file);
    static ErrorInfo typeMismatch(const QString &value);
    static ErrorInfo pastEndOfFile();
    static ErrorInfo fileNotFound(const QString &path);
    static ErrorInfo outOfMemory(const QString &path);
    static ErrorInfo lineBreakInValue(const QString &value);
    // A pipe, device or socket at the path: opening it could wait for ever, so it is refused.
    static std::optional<ErrorInfo> specialFile(const QString &path);

    // A value from outside as a message may quote it: at most QuotedLength characters.
    static QString quoted(const QString &value);
    static constexpr qsizetype QuotedLength = 200;

    // The three-line failure message: headline, number, description.
    QString messageAfter(const QString &headline) const;
};

// Writes until every byte is written or a write fails outright: a short write (disk full) sets
// no error of its own, the write after it does, so the failure carries its reason.
bool WriteAll(QFileDevice &file, const QByteArray &bytes);

// Numbers the program's failure messages use; stable across releases.
namespace ErrorNumber {
constexpr int InvalidArgument = 5;
constexpr int OutOfMemory = 7;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int DeviceIO = 57;
constexpr int DiskFull = 61;
constexpr int PastEndOfFile = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int InvalidPicture = 481;
} // namespace ErrorNumber
