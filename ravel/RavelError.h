#pragma once

#include <QString>

// An automation error raised to the caller of a property or method: a small error number
// (380, 7001 ...) and its description. FTP failures never become one; they are events.
class RavelError
{
public:
    // Texts of the component's string table, by text id.
    enum Text
    {
        TextBusy = 103,
        TextOutOfRange = 105,
        TextEmptyArgument = 106,
        TextCreateFile = 108,
        TextAlreadyConnected = 110,
        TextReadOnlyAtRuntime = 111,
        TextTypeMismatch = 113,
        TextZeroByteCount = 114,
    };

    RavelError() = default;
    RavelError(int number, QString description)
        : m_number(number), m_description(std::move(description))
    {
    }
    RavelError(int number, Text text) : RavelError(number, textOf(text)) {}

    int number() const { return m_number; }
    QString description() const { return m_description; }
    // The number an automation exception carries: 0x800A0000 plus the small number.
    qint32 hresult() const;

    static QString textOf(Text text);

    // Errors whose words are the platform's standard ones.
    static RavelError fileNotFound(const QString &fileName);
    static RavelError readOnlyProperty();
    static RavelError unknownName(const QString &name);
    static RavelError wrongArgumentCount();
    static RavelError typeMismatch();
    static RavelError invalidArgument();
    static RavelError workerNotReady(const QString &reason);
    static RavelError notInThisBuild();

private:
    int m_number = 0;
    QString m_description;
};
