#include "core/ErrorInfo.h"

#include "core/AppText.h"

#include <QDir>
#include <QFileInfo>

ErrorInfo ErrorInfo::fromFile(const QFileDevice &file)
{
    int number = ErrorNumber::DeviceIO;
    const QString path = file.fileName();
    switch (file.error()) {
    case QFileDevice::OpenError:
        if (!QFileInfo(path).absoluteDir().exists())
            number = ErrorNumber::PathNotFound;
        else if (!QFileInfo::exists(path) && !(file.openMode() & QIODevice::WriteOnly))
            number = ErrorNumber::FileNotFound;
        else
            number = ErrorNumber::PathFileAccess;
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
    // A short write (disk full, size limit) leaves no error of its own.
    QString text = file.error() == QFileDevice::NoError ? QString() : file.errorString();
    if (text.isEmpty())
        text = QStringLiteral("Device I/O error: not all data could be written");
    return {number, path.isEmpty() ? text : QStringLiteral("%1: %2").arg(path, text)};
}

ErrorInfo ErrorInfo::typeMismatch(const QString &value)
{
    return {ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch: \"%1\"").arg(value)};
}

ErrorInfo ErrorInfo::pastEndOfFile()
{
    return {ErrorNumber::PastEndOfFile, QStringLiteral("Input past end of file")};
}

ErrorInfo ErrorInfo::fileNotFound(const QString &path)
{
    return {ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(path)};
}

QString ErrorInfo::messageAfter(const QString &headline) const
{
    return headline + AppText::LineBreak + QString::number(number) + AppText::LineBreak +
           description;
}
