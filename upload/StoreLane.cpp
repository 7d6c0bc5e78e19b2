#include "upload/StoreLane.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/RavelError.h"
#include "upload/StatusTranscript.h"

#include <QFileInfo>

namespace {
// A safety net only: the component's events trigger every look.
constexpr int RecheckMs = 500;
} // namespace

StoreLane::StoreLane(CRavelCtrl &ravel, const QString &prefix, State state, QObject *parent)
    : QObject(parent), m_session(ravel), m_prefix(prefix), m_state(state)
{
    connect(&ravel, &CRavelCtrl::OnHostResponse, this, &StoreLane::onHostResponse);
    connect(&ravel, &CRavelCtrl::OnLogin, this, &StoreLane::onLogin);
    connect(&ravel, &CRavelCtrl::OnFTPError, this, &StoreLane::onFtpError);
    connect(&ravel, &CRavelCtrl::OnAsyncEvent, this,
            [this](qint64 size, qint64 bytes, const QString &, bool complete) {
                onAsyncEvent(size, bytes, complete);
            });
    m_recheck.setInterval(RecheckMs);
    connect(&m_recheck, &QTimer::timeout, this, &StoreLane::checkSoon);
}

QString StoreLane::localProblem(const QFileInfo &info)
{
    if (!info.exists())
        return QStringLiteral("File not found");
    if (info.isDir())
        return QStringLiteral("Is a folder");
    if (!info.isFile())
        return QStringLiteral("Not a regular file");
    if (!info.isReadable())
        return QStringLiteral("Permission denied");
    return {};
}

std::optional<QString> StoreLane::verdict(const QString &problem, bool started, bool completed,
                                          int reply, const QString &failure, bool cancelled)
{
    if (!problem.isEmpty())
        return problem;
    if (started && completed && reply / 100 == 2)
        return std::nullopt;
    if (!failure.isEmpty())
        return failure;
    if (cancelled)
        return QStringLiteral("Cancelled");
    return started ? QStringLiteral("The transfer ended without the server's confirmation")
                   : QStringLiteral("The transfer could not be started");
}

void StoreLane::show(const QString &text, bool progressLine)
{
    if (!m_prefix.isEmpty())
        emit line(m_prefix + text, progressLine);
}

void StoreLane::open(const QList<std::pair<QString, QVariant>> &settings)
{
    for (const auto &[name, value] : settings) {
        m_session.put(name, value);
        if (name == QLatin1String("InitDir"))
            m_enters = !value.toString().isEmpty();
    }
    m_state = State::Connecting;
    if (const std::optional<RavelError> error = m_session.call(QStringLiteral("Connect"))) {
        show(error->description());
        m_state = State::Closed;
        // The caller hears of it from the event loop, as of any other login.
        QTimer::singleShot(0, this, [this] { emit opened(false); });
    }
}

void StoreLane::onLogin(int resultCode)
{
    if (m_state != State::Connecting)
        return;
    show(StatusTranscript::loginLine(resultCode,
                                     m_session.get(QStringLiteral("RemoteHost")).toString()));
    // A lane that could not enter the album's folder would store beside it.
    const bool accepted = resultCode == CRavelCtrl::RAVELERR_OK && (!m_enters || m_cwdReply == 250);
    if (resultCode == CRavelCtrl::RAVELERR_OK && !accepted)
        m_session.call(QStringLiteral("LocalClose"));
    m_state = accepted ? State::Ready : State::Closed;
    emit opened(accepted);
}

void StoreLane::onHostResponse(int code, const QString &command, const QString &response)
{
    show(StatusTranscript::hostResponseLine(code, command, response));
    if (m_state == State::Connecting && command == QLatin1String("CWD"))
        m_cwdReply = code;
    if (m_state != State::Storing)
        return;
    m_flags.applyFatal(code, command);
    if (command == QLatin1String("STOR") && code >= 200) {
        m_reply = code;
        if (code >= 400)
            m_failure = StatusTranscript::shown(response);
    }
    checkSoon();
}

void StoreLane::onFtpError(int errorCode, const QString &errorText)
{
    show(StatusTranscript::ftpErrorLine(errorCode, errorText));
    if (m_state != State::Storing)
        return;
    // The server's own refusal says more than the component's error that follows it.
    if (m_failure.isEmpty())
        m_failure = StatusTranscript::shown(errorText);
    checkSoon();
}

void StoreLane::onAsyncEvent(qint64 fileSize, qint64 bytesSoFar, bool complete)
{
    if (m_state != State::Storing)
        return;
    m_completed = m_completed || complete;
    // The library's account of a data connection that failed names the address it tried.
    if (bytesSoFar < 0 && m_failure.isEmpty())
        m_failure = StatusTranscript::shown(m_session.ravel().transferFailure());
    show(StatusTranscript::progressLine(fileSize, bytesSoFar), true);
    checkSoon();
}

void StoreLane::store(const QString &localPath, const QString &remoteName)
{
    const QString problem = localProblem(QFileInfo(localPath));
    m_state = State::Storing;
    m_completed = false;
    m_reply = 0;
    m_failure.clear();
    if (!problem.isEmpty()) {
        QTimer::singleShot(0, this, [this, problem] { endStore(problem, false); });
        return;
    }
    m_session.put(QStringLiteral("LocalFile"), localPath);
    m_session.put(QStringLiteral("RemoteFile"), remoteName);
    m_session.put(QStringLiteral("AsyncMode"), true);
    m_session.expectTransfer();
    if (m_session.call(QStringLiteral("STOR"))) {
        QTimer::singleShot(0, this, [this] { endStore(QString(), false); });
        return;
    }
    m_recheck.start();
}

void StoreLane::checkSoon()
{
    QTimer::singleShot(0, this, [this] {
        if (m_state != State::Storing || !m_recheck.isActive() || m_session.stillExecuting())
            return;
        if (m_session.transferEnded() || !m_session.get(QStringLiteral("Connected")).toBool())
            endStore(QString(), true);
    });
}

void StoreLane::endStore(const QString &problem, bool started)
{
    // A lane closed meanwhile has nothing more to say.
    if (m_state != State::Storing)
        return;
    m_recheck.stop();
    const bool connected = m_session.get(QStringLiteral("Connected")).toBool();
    m_fatal = m_flags.fatalError || !connected;
    m_state = m_fatal ? State::Closed : State::Ready;
    emit stored(verdict(problem, started, m_completed, m_reply, m_failure, false));
}

void StoreLane::close()
{
    if (m_state == State::Closed)
        return;
    m_recheck.stop();
    m_state = State::Closed;
    m_session.call(QStringLiteral("LocalClose"));
}

void StoreLane::quit()
{
    if (m_state == State::Ready)
        m_session.call(QStringLiteral("QUIT"));
    m_state = State::Closed;
}
