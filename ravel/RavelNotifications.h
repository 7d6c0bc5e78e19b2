#pragma once

#include <QString>

class CRavelCtrl;
class QEvent;
class RavelJobRunner;
class RavelState;

// Turns what the library and the worker post to the component into its state and its
// events (OnHostResponse, OnDirList, OnAsyncEvent, OnFTPError), on the host's thread.
class RavelNotifications
{
public:
    // `command` is the component's current command, as its events name it.
    RavelNotifications(CRavelCtrl &owner, RavelState &state, RavelJobRunner &jobs,
                       const QString &command);

    // False when `event` is none of the notifications handled here.
    bool handle(QEvent &event);
    void onListLine(bool complete, const QString &line, int code);
    QString transferFailure() const { return m_transferFailure; }

private:
    void onHostReply(const QString &reply);
    void onTransferProgress(bool end, qint64 bytes, int code);

    CRavelCtrl &m_owner;
    RavelState &m_state;
    RavelJobRunner &m_jobs;
    const QString &m_command;
    QString m_transferFailure;
};
