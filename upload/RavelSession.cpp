#include "upload/RavelSession.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/RavelDispatch.h"

#include <QEventLoop>
#include <QTimer>
#include <utility>

namespace {
// A safety net only: the component's events wake every wait at once.
constexpr int RecheckMs = 500;
} // namespace

RavelSession::RavelSession(CRavelCtrl &ravel, QObject *parent) : QObject(parent), m_ravel(ravel)
{
    connect(&ravel, &CRavelCtrl::OnAsyncEvent, this,
            [this](qint64, qint64 bytes, const QString &, bool complete) {
                m_transferEnded = m_transferEnded || complete || bytes < 0;
            });
    // Made once, not per wait: a job waits once or twice for every file it sends.
    connect(&ravel, &CRavelCtrl::OnHostResponse, this, &RavelSession::wake);
    connect(&ravel, &CRavelCtrl::OnLogin, this, &RavelSession::wake);
    connect(&ravel, &CRavelCtrl::OnFTPError, this, &RavelSession::wake);
    connect(&ravel, &CRavelCtrl::OnAsyncEvent, this, &RavelSession::wake);
    connect(&ravel, &CRavelCtrl::OnDirList, this, &RavelSession::wake);
    m_recheck.setInterval(RecheckMs);
    connect(&m_recheck, &QTimer::timeout, this, &RavelSession::wake);
}

std::optional<RavelError> RavelSession::call(const QString &method, const QVariantList &args)
{
    return RavelDispatch::invoke(m_ravel, method, RavelDispatch::Kind::Call, args).error;
}

void RavelSession::put(const QString &property, const QVariant &value)
{
    RavelDispatch::invoke(m_ravel, property, RavelDispatch::Kind::Put, {value});
}

QVariant RavelSession::get(const QString &property)
{
    return RavelDispatch::invoke(m_ravel, property, RavelDispatch::Kind::Get, {}).value;
}

bool RavelSession::stillExecuting()
{
    return get(QStringLiteral("StillExecuting")).toBool();
}

void RavelSession::waitUntil(const std::function<bool()> &done)
{
    if (done())
        return;
    QEventLoop loop;
    // The component changes its state after it has sent its event: look once it is back, once
    // for all the events it sent in one go.
    bool looking = false;
    auto check = [&] {
        if (std::exchange(looking, true))
            return;
        QTimer::singleShot(0, &loop, [&] {
            looking = false;
            if (done())
                loop.quit();
        });
    };
    // Waits do not nest, so one waker is enough.
    m_wake = check;
    m_recheck.start();
    loop.exec();
    m_recheck.stop();
    m_wake = nullptr;
}

void RavelSession::waitIdle()
{
    waitUntil([this] { return !stillExecuting(); });
}

void RavelSession::waitTransferEnd(const std::function<bool()> &stop)
{
    waitUntil([&] {
        return !stillExecuting() &&
               (m_transferEnded || stop() || !get(QStringLiteral("Connected")).toBool());
    });
}

void RavelSession::wake()
{
    if (m_wake)
        m_wake();
}
