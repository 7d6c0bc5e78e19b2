#include "ravel/RavelNotifyQueue.h"

#include "ravel/RavelMessages.h"

#include <QCoreApplication>

const QEvent::Type RavelNotifyQueue::Ready = QEvent::Type(QEvent::registerEventType());

void RavelNotifyQueue::append(std::unique_ptr<QEvent> event)
{
    const std::lock_guard lock(m_mutex);
    const bool wakes = wakesHost(*event);
    m_events.push_back(std::move(event));
    if (wakes)
        postReady();
}

void RavelNotifyQueue::deferUntilTransferEnd()
{
    const std::lock_guard lock(m_mutex);
    m_inTransfer = true;
}

bool RavelNotifyQueue::flushHeld()
{
    const std::lock_guard lock(m_mutex);
    if (!m_events.empty())
        postReady();
    return m_inTransfer;
}

bool RavelNotifyQueue::wakesHost(const QEvent &event)
{
    using namespace RavelMessages;
    // A job that failed on our side may never start the transfer whose end was awaited.
    if (event.type() == eventType(WorkerError))
        m_inTransfer = false;
    if (event.type() != FtpLibNotifyEvent::EventType || !m_inTransfer)
        return true;
    const FtpLibNotifyEvent &n = static_cast<const FtpLibNotifyEvent &>(event).received();
    if (n.message != TransferProgress)
        return n.message != HostReply;
    if (n.first != 0) {
        m_inTransfer = false;
        return true;
    }
    // The library sends progress at most ten times a second, so a count held back here is
    // told with the next one or with the end. A small file then costs the host one wake-up.
    constexpr auto Lively = std::chrono::milliseconds(50);
    return std::chrono::steady_clock::now() - m_lastReady >= Lively;
}

void RavelNotifyQueue::drain(const std::function<void(QEvent &)> &handle)
{
    {
        const std::lock_guard lock(m_mutex);
        m_readyPosted = false;
    }
    while (const std::unique_ptr<QEvent> event = next())
        handle(*event);
}

std::unique_ptr<QEvent> RavelNotifyQueue::next()
{
    const std::lock_guard lock(m_mutex);
    if (m_events.empty())
        return nullptr;
    std::unique_ptr<QEvent> event = std::move(m_events.front());
    m_events.pop_front();
    if (!m_events.empty())
        postReady();
    return event;
}

void RavelNotifyQueue::postReady()
{
    if (m_readyPosted)
        return;
    m_readyPosted = true;
    m_lastReady = std::chrono::steady_clock::now();
    auto *ready = new QEvent(Ready);
    m_readyPosts.fetch_add(1, std::memory_order_release);
    QCoreApplication::postEvent(m_receiver, ready);
}
