#include "ravel/RavelError.h"

qint32 RavelError::hresultOf(int number)
{
    return qint32(0x800A0000u + quint32(number));
}

QString RavelError::textOf(Text text)
{
    switch (text) {
    case TextBusy:
        return QStringLiteral(
            "Currently Busy with another remote operation . Check\nuser guide for usage of the "
            "\"StillExecuting\" property to\navoid this situation.");
    case TextOutOfRange:
        return QStringLiteral(
            "Parameter is out of range.  A supplied value falls above or\nbelow the range of "
            "valid constant values.  Check the user\nguide for valid argument ranges for this "
            "method.");
    case TextEmptyArgument:
        return QStringLiteral("Arguments(s) for this method must not be NULL\nor empty.");
    case TextCreateFile:
        return QStringLiteral(
            "The \"CreateFile\" API call failed in this method.  Some methods\n(including "
            "\"LIST\") save their results in a temporary\nfile which is created and then\n"
            "deleted upon completion.");
    case TextAlreadyConnected:
        return QStringLiteral("An active  Connection already exists.");
    case TextReadOnlyAtRuntime:
        return QStringLiteral("This is a read-only at Runtime property, and only after a\n"
                              "connection has been established.");
    case TextTypeMismatch:
        return QStringLiteral(
            "Type mismatch error.  One of the input parameters was of the wrong type.  \nCheck "
            "the Ravel user manual for a description of the type\navailable for the method "
            "that raised the error.");
    case TextZeroByteCount:
        return QStringLiteral("Cant execute a REST[ART] command with a 0-Byte count.");
    }
    return {};
}

RavelError RavelError::fileNotFound(const QString &fileName)
{
    return {NumberFileNotFound, QStringLiteral("File not found: %1").arg(fileName)};
}

RavelError RavelError::readOnlyProperty()
{
    return {NumberReadOnlyProperty, QStringLiteral("Property is read-only")};
}

RavelError RavelError::unknownName(const QString &name)
{
    return {NumberUnknownName,
            QStringLiteral("Object doesn't support this property or method: %1").arg(name)};
}

RavelError RavelError::wrongArgumentCount()
{
    return {NumberWrongArgumentCount,
            QStringLiteral("Wrong number of arguments or invalid property assignment")};
}

RavelError RavelError::typeMismatch()
{
    return {NumberTypeMismatch, QStringLiteral("Type mismatch")};
}

RavelError RavelError::invalidArgument()
{
    return {NumberInvalidArgument, QStringLiteral("Invalid procedure call or argument")};
}

RavelError RavelError::workerNotReady(const QString &reason)
{
    return {NumberDllLoad, QStringLiteral("Error in loading DLL: %1").arg(reason)};
}

RavelError RavelError::notInThisBuild()
{
    return {NumberNotSupported,
            QStringLiteral("Object doesn't support this action: this build has no windows")};
}

RavelError RavelError::argumentNotOptional()
{
    return {NumberArgumentNotOptional, QStringLiteral("Argument not optional")};
}
