#pragma once

#include "ravel/ftplib/FtpLib.h"

#include <QCoreApplication>

// Where one kind of notification goes: a receiver and the message number it asked for.
struct FtpNotify
{
    QObject *receiver = nullptr;
    int message = 0;

    void post(long long first, long long second, int code = 0,
              const QByteArray &text = QByteArray()) const
    {
        if (receiver)
            QCoreApplication::postEvent(receiver,
                                        new FtpLibNotifyEvent(message, first, second, code, text));
    }
};
