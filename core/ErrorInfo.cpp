#include "core/ErrorInfo.h"

#include "core/AppText.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace {
// Qt keeps only the system's text of a failure; that text tells which errno it was.
std::optional<int> errnoOf(const QString &errorText)
{
    for (int e : {EACCES, EPERM, EROFS, ENOSPC, EDQUOT, EFBIG, ENOENT, ENOTDIR, EISDIR})
        if (errorText == qt_error_string(e))
            return e;
    return std::nullopt;
}

int numberOfErrno(int e, const QString &path)
{
    switch (e) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorNumber::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // a size limit is as full as a full disk to the person saving
        return ErrorNumber::DiskFull;
    case ENOTDIR:
        return ErrorNumber::PathNotFound;
    case ENOENT:
        return QFileInfo(path).absoluteDir().exists() ? ErrorNumber::FileNotFound
                                                      : ErrorNumber::PathNotFound;
    default:
        return ErrorNumber::PathFileAccess;
    }
}
} // namespace

ErrorInfo ErrorInfo::fromFile(const QFileDevice &file)
{
    int number = ErrorNumber::DeviceIO;
    const QString path = file.fileName();
    // A short write (disk full, size limit) leaves no error of its own.
    QString text = file.error() == QFileDevice::NoError ? QString() : file.errorString();
    if (const std::optional<int> e = errnoOf(text)) {
        number = numberOfErrno(*e, path);
    } else {
        switch (file.error()) {
        case QFileDevice::OpenError:
            number = QFileInfo(path).absoluteDir().exists() ? ErrorNumber::PathFileAccess
                                                            : ErrorNumber::PathNotFound;
            break;
        case QFileDevice::PermissionsError:
            number = ErrorNumber::PermissionDenied;
            break;
        case QFileDevice::ResourceError:
            number = ErrorNumber::DiskFull;
            break;
        default:
            break;
        }
    }
    if (text.isEmpty())
        text = QStringLiteral("Device I/O error: not all data could be written");
    return {number, path.isEmpty() ? text : QStringLiteral("%1: %2").arg(path, text)};
}

bool WriteAll(QFileDevice &file, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

QString ErrorInfo::quoted(const QString &value)
{
    if (value.size() <= QuotedLength)
        return value;
    return value.left(QuotedLength) + QChar(0x2026);
}

ErrorInfo ErrorInfo::typeMismatch(const QString &value)
{
    return {ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch: \"%1\"").arg(quoted(value))};
}

ErrorInfo ErrorInfo::pastEndOfFile()
{
    return {ErrorNumber::PastEndOfFile, QStringLiteral("Input past end of file")};
}

ErrorInfo ErrorInfo::fileNotFound(const QString &path)
{
    return {ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(path)};
}

ErrorInfo ErrorInfo::outOfMemory(const QString &path)
{
    const QString text = QStringLiteral("Out of memory");
    return {ErrorNumber::OutOfMemory,
            path.isEmpty() ? text : QStringLiteral("%1: %2").arg(path, text)};
}

ErrorInfo ErrorInfo::lineBreakInValue(const QString &value)
{
    return {ErrorNumber::InvalidArgument,
            QStringLiteral("A value holds a line break and cannot be stored: \"%1\"")
                .arg(quoted(value))};
}

std::optional<ErrorInfo> ErrorInfo::specialFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile() || info.isDir())
        return std::nullopt;
    return ErrorInfo{ErrorNumber::PathFileAccess,
                     QStringLiteral("%1: not a regular file (a pipe, device or socket)").arg(path)};
}

QString ErrorInfo::messageAfter(const QString &headline) const
{
    return headline + AppText::LineBreak + QString::number(number) + AppText::LineBreak +
           description;
}
