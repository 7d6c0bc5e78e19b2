#pragma once

#include "upload/RavelSession.h"
#include "upload/UploadFlags.h"

#include <QObject>
#include <QTimer>
#include <optional>

class CRavelCtrl;
class QFileInfo;

// One connection of an upload spread over several: logs in when asked, stores one file at a
// time and reports each file's end as an event, never waiting itself, so that several lanes
// run side by side under one event loop.
class StoreLane : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Connecting,
        Ready,
        Storing,
        Closed
    };

    // `prefix` starts the status lines of the component's events; without one the lane
    // shows nothing (the job's own connection, whose events the job shows).
    StoreLane(CRavelCtrl &ravel, const QString &prefix, State state, QObject *parent = nullptr);

    State state() const { return m_state; }
    // Logs in with these property values (InitDir names the folder to enter); opened() follows.
    void open(const QList<std::pair<QString, QVariant>> &settings);
    // Starts storing the file; stored() follows.
    void store(const QString &localPath, const QString &remoteName);
    // Drops the connection at once, with a transfer in progress.
    void close();
    // Polite end of a session that is still open.
    void quit();
    // The server refused what no later file can get past, or the connection is gone.
    bool fatal() const { return m_fatal; }

    // Why a local file cannot be sent as it is, or nothing for a regular file that can be read.
    static QString localProblem(const QFileInfo &info);
    // What became of a STOR: nothing when the server confirmed the file, else why it did not
    // arrive. `failure` is the first refusal or error seen while it ran.
    static std::optional<QString> verdict(const QString &problem, bool started, bool completed,
                                          int reply, const QString &failure, bool cancelled);

signals:
    void opened(bool accepted);
    void stored(const std::optional<QString> &failure);
    void line(const QString &text, bool progressLine);

private:
    void onHostResponse(int code, const QString &command, const QString &response);
    void onLogin(int resultCode);
    void onFtpError(int errorCode, const QString &errorText);
    void onAsyncEvent(qint64 fileSize, qint64 bytesSoFar, bool complete);
    void show(const QString &text, bool progressLine = false);
    // Looks, once the component is back from its event, whether the transfer has ended.
    void checkSoon();
    void endStore(const QString &problem, bool started);

    RavelSession m_session;
    QString m_prefix;
    State m_state;
    UploadFlags m_flags;
    QTimer m_recheck;
    int m_cwdReply = 0;
    bool m_enters = false;
    bool m_fatal = false;
    bool m_completed = false;
    int m_reply = 0;
    QString m_failure;
};
