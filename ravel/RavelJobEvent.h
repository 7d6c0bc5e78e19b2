#pragma once

#include "ravel/RavelMessages.h"

#include <QEvent>
#include <QString>

// One job for the worker. Everything the job reads is copied in, since in asynchronous
// mode the call returns before the worker runs it and the host may change its properties.
class RavelJobEvent : public QEvent
{
public:
    struct Login
    {
        QString host, user, password, account;
        bool useProxy = false;
        QString proxyHost, proxyUser, proxyPassword;
        int proxyType = 0;
        int proxyPort = 0;
    };

    RavelJobEvent(RavelMessages::Job job, quint64 sequence)
        : QEvent(RavelMessages::eventType(job)), job(job), sequence(sequence)
    {
    }

    // The worker becomes the only owner of the job's texts: a count shared with the host's
    // copies would be synchronised inside Qt, where ThreadSanitizer cannot follow it.
    void ownTexts()
    {
        for (QString *text :
             {&first, &second, &login.host, &login.user, &login.password, &login.account,
              &login.proxyHost, &login.proxyUser, &login.proxyPassword})
            text->detach();
    }

    const RavelMessages::Job job;
    const quint64 sequence;
    QString first;
    QString second;
    // A flag, port, time-out, restart point or size, as the job needs.
    qint64 value = 0;
    qint64 restartParameter = 0;
    char type = 'I';
    bool append = false;
    bool unique = false;
    bool longDirs = true;
    // A loss check after a failed transfer: the busy flag waits for its verdict.
    bool afterTransfer = false;
    Login login;
};
