#include "ravel/RavelNotifications.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/RavelJobRunner.h"
#include "ravel/RavelNotifyEvent.h"
#include "ravel/ftplib/FtpLib.h"

using namespace RavelMessages;

namespace {

// Result codes with which a transfer ends when the control connection may be gone.
bool mayMeanLoss(int code)
{
    return code == FTPLIB_NOTCONNECTED || code == FTPLIB_NOREPLY || code == FTPLIB_SENDREFUSED ||
           code == FTPLIB_UNEXPECTEDANSWER;
}

} // namespace

RavelNotifications::RavelNotifications(CRavelCtrl &owner, RavelState &state, RavelJobRunner &jobs,
                                       const QString &command)
    : m_owner(owner), m_state(state), m_jobs(jobs), m_command(command)
{
}

bool RavelNotifications::handle(QEvent &event)
{
    const int type = event.type();
    if (type == FtpLibNotifyEvent::EventType) {
        const auto &n = static_cast<FtpLibNotifyEvent &>(event).received();
        switch (n.message) {
        case HostReply:
            onHostReply(QString::fromUtf8(n.text));
            break;
        case ListLine:
            onListLine(n.first != 0, QString::fromUtf8(n.text), n.code);
            break;
        case TransferProgress:
            if (n.first != 0)
                m_transferFailure = QString::fromUtf8(n.text);
            onTransferProgress(n.first != 0, n.second, n.code);
            break;
        case ConnectionLost:
            if (m_state.connected)
                m_jobs.postLossCheck(n.code, false);
            break;
        default:
            break;
        }
        return true;
    }
    if (type == WorkerError) {
        const auto &n = static_cast<RavelNotifyEvent &>(event);
        emit m_owner.OnFTPError(n.errorNumber, n.text);
        return true;
    }
    return type == JobEnded;
}

void RavelNotifications::onHostReply(const QString &reply)
{
    const int code = reply.left(3).toInt();
    if (code == 221) {
        m_state.connected = false;
        m_state.busy = false;
    }
    if (code == 426 && m_command == QLatin1String("ABOR")) {
        m_state.busy = false;
        m_state.transfer = false;
        m_jobs.closeRestartFile();
        m_state.hostType = 0;
        emit m_owner.OnFTPError(CRavelCtrl::RAVELERR_CANCELBYUSER,
                                QStringLiteral("Action Cancelled By User"));
    }
    if (code == 425 || code == 426 || code == 450 || code == 451 || (code >= 550 && code <= 553)) {
        m_state.transfer = false;
        m_state.busy = false;
    }
    if (m_owner.VerboseMode())
        emit m_owner.OnHostResponse(code, m_command, reply);
}

void RavelNotifications::onListLine(bool complete, const QString &line, int code)
{
    m_state.busy = !complete;
    if (complete && m_owner.AsyncMode())
        emit m_owner.OnDirList(QString(), true, code);
    else
        emit m_owner.OnDirList(line, complete, 0);
}

void RavelNotifications::onTransferProgress(bool end, qint64 bytes, int code)
{
    const bool complete = end && bytes >= 0;
    m_state.bytes = bytes;
    emit m_owner.OnAsyncEvent(m_state.fileSize, bytes, m_command, complete);
    if (end) {
        m_state.transfer = false;
        m_jobs.closeRestartFile();
        // The worker clears the busy flag once it has looked, so a host that waits for
        // StillExecuting then finds Connected settled too.
        const bool checking =
            !complete && mayMeanLoss(code) && m_state.connected && m_jobs.postLossCheck(code, true);
        if (!checking)
            m_state.busy = false;
    }
}
