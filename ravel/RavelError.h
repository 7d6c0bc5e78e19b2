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

    // The numbers raised, by name: the platform's standard ones, and from 7000 the
    // component's own (published as CRavelCtrl::RAVELERR_*).
    enum Number
    {
        NumberInvalidArgument = 5,
        NumberOutOfMemory = 7,
        NumberTypeMismatch = 13,
        NumberDllLoad = 48,
        NumberFileNotFound = 53,
        NumberEmptyArgument = 94,
        NumberOutOfRange = 380,
        NumberReadOnlyProperty = 383,
        NumberNotYetAvailable = 394,
        NumberUnknownName = 438,
        NumberNotSupported = 445,
        NumberArgumentNotOptional = 449,
        NumberWrongArgumentCount = 450,
        NumberAlreadyConnected = 7000,
        NumberBusy = 7001,
        NumberParameterType = 7002,
        NumberNoByteCount = 7003,
    };

    // The component publishes the library's result code c as c + ResultOffset.
    static constexpr int ResultOffset = 3000;
    static constexpr int resultCode(int libraryCode) { return libraryCode + ResultOffset; }
    static constexpr int libraryCode(int resultCode) { return resultCode - ResultOffset; }

    RavelError() = default;
    RavelError(int number, QString description)
        : m_number(number), m_description(std::move(description))
    {
    }
    // The one way to raise a number with a text of the string table; `number` is a Number
    // or, for a failed file call, the system's error number.
    static RavelError make(int number, Text text) { return {number, textOf(text)}; }

    int number() const { return m_number; }
    QString description() const { return m_description; }
    // The number an automation exception carries: 0x800A0000 plus the small number.
    qint32 hresult() const { return hresultOf(m_number); }
    static qint32 hresultOf(int number);

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
    static RavelError argumentNotOptional();

private:
    int m_number = 0;
    QString m_description;
};
