#pragma once

#include "ravel/RavelMessages.h"

#include <QEvent>
#include <QString>

// A notification the worker queues for the component (RavelState::notices), texts as copies.
class RavelNotifyEvent : public QEvent
{
public:
    // WorkerError: becomes OnFTPError(number, text).
    static RavelNotifyEvent *workerError(qint32 number, QString text)
    {
        return new RavelNotifyEvent(RavelMessages::WorkerError, number, 0, std::move(text));
    }
    // LoginDone: the library's result code of an asynchronous login.
    static RavelNotifyEvent *loginDone(int code)
    {
        return new RavelNotifyEvent(RavelMessages::LoginDone, 0, code, {});
    }
    static RavelNotifyEvent *jobEnded()
    {
        return new RavelNotifyEvent(RavelMessages::JobEnded, 0, 0, {});
    }

    const qint32 errorNumber;
    const int loginCode;
    const QString text;

private:
    RavelNotifyEvent(RavelMessages::Notification number, qint32 errorNumber, int loginCode,
                     QString text)
        : QEvent(RavelMessages::eventType(number)), errorNumber(errorNumber), loginCode(loginCode),
          text(std::move(text))
    {
    }
};
