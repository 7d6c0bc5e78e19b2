#pragma once

#include "ravel/RavelMessages.h"

#include <QEvent>
#include <QString>

// One job for the worker. Everything the job reads is copied in, since in asynchronous
// mode the call returns before the worker runs it and the host may change its properties.
// Each job reads only the fields its comment names.
class RavelJobEvent : public QEvent
{
public:
    // Login.
    struct Login
    {
        QString host, user, password, account;
        bool useProxy = false;
        QString proxyHost, proxyUser, proxyPassword;
        int proxyType = 0;
        int proxyPort = 0;
        // Asynchronous mode: the worker posts LoginDone when it is over.
        bool notify = false;
        int security = 0;
        QString trustedFingerprint;
        QString caFile;
    };

    // Send, Receive, RestartSend, RestartReceive.
    struct Transfer
    {
        QString remote;
        // Send and Receive: the local file by name.
        QString local;
        char type = 'I';
        bool append = false;
        bool unique = false;
        // Restarts: the open local file, positioned at the restart point.
        int descriptor = -1;
        // RestartSend: the whole file's size; RestartReceive: the restart point.
        qint64 restartSize = 0;
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
             {&remotePath, &newName, &commandLine, &logFile, &transfer.remote, &transfer.local,
              &login.host, &login.user, &login.password, &login.account, &login.proxyHost,
              &login.proxyUser, &login.proxyPassword, &login.trustedFingerprint, &login.caFile})
            text->detach();
    }

    const RavelMessages::Job job;
    const quint64 sequence;
    // ChangeDir, Delete, MakeDir, RemoveDir, List (empty: the current folder), Rename's old name.
    QString remotePath;
    // Rename.
    QString newName;
    // RawCommand: one command line.
    QString commandLine;
    // AsyncOnOff, PassiveOnOff, EchoOnOff, LogOnOff.
    bool on = false;
    // LogOnOff.
    QString logFile;
    // SetPort.
    int port = 0;
    // SetTimeout.
    int timeoutSeconds = 0;
    // List.
    bool longDirs = true;
    // LossCheck: the code the failure ended with; after a failed transfer the busy flag
    // waits for the verdict.
    int lossCode = 0;
    bool afterTransfer = false;
    Login login;
    Transfer transfer;
};
