#pragma once

#include <QString>
#include <stdexcept>

// A local file failure inside a job: the system's cause code and a message naming the file.
// The worker turns it into OnFTPError and ends the caller's wait with failure.
class RavelFileError : public std::runtime_error
{
public:
    RavelFileError(int cause, const QString &message)
        : std::runtime_error(message.toStdString()), cause(cause)
    {
    }

    const int cause;
};
