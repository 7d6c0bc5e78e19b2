#include "ravel/RavelArguments.h"

bool RavelArguments::safeOnWire(const QString &text)
{
    return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')) &&
           !text.contains(QChar(0));
}

bool RavelArguments::outOfRange(int value, int low, int high)
{
    if (value >= low && value <= high)
        return false;
    raise(RavelError::make(RavelError::NumberOutOfRange, RavelError::TextOutOfRange));
    return true;
}

bool RavelArguments::checkedText(const QString &text)
{
    if (text.isEmpty()) {
        raise(RavelError::make(RavelError::NumberEmptyArgument, RavelError::TextEmptyArgument));
        return false;
    }
    if (!safeOnWire(text)) {
        raise(RavelError::invalidArgument());
        return false;
    }
    return true;
}

std::optional<QString> RavelArguments::fileName(const QVariant &given, const QString &property)
{
    QString name = property;
    if (given.isValid()) {
        if (given.typeId() != QMetaType::QString) {
            raise(RavelError::make(RavelError::NumberParameterType, RavelError::TextTypeMismatch));
            return std::nullopt;
        }
        name = given.toString();
    }
    if (!checkedText(name))
        return std::nullopt;
    return name;
}

std::optional<QString> RavelArguments::listPath(const QVariant &given)
{
    if (!given.isValid())
        return QString();
    if (given.typeId() != QMetaType::QString) {
        raise(RavelError::make(RavelError::NumberOutOfRange, RavelError::TextTypeMismatch));
        return std::nullopt;
    }
    const QString path = given.toString();
    if (!safeOnWire(path)) {
        raise(RavelError::invalidArgument());
        return std::nullopt;
    }
    return path;
}

bool RavelArguments::transferNames(const QVariant &local, const QVariant &remote,
                                   QString &localProperty, QString &remoteProperty)
{
    const auto localName = fileName(local, localProperty);
    if (!localName)
        return false;
    const auto remoteName = fileName(remote, remoteProperty);
    if (!remoteName)
        return false;
    localProperty = *localName;
    remoteProperty = *remoteName;
    return true;
}

std::optional<QFileInfo> RavelArguments::existingLocalFile(const QVariant &given,
                                                           const QString &property)
{
    const auto name = fileName(given, property);
    if (!name)
        return std::nullopt;
    const QFileInfo info(*name);
    if (!info.exists()) {
        raise(RavelError::fileNotFound(*name));
        return std::nullopt;
    }
    return info;
}
