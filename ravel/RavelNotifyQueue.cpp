#include "ravel/RavelNotifyQueue.h"

#include <QCoreApplication>

const QEvent::Type RavelNotifyQueue::Ready = QEvent::Type(QEvent::registerEventType());

void RavelNotifyQueue::append(std::unique_ptr<QEvent> event)
{
    const std::lock_guard lock(m_mutex);
    m_events.push_back(std::move(event));
    postReady();
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
    QCoreApplication::postEvent(m_receiver, new QEvent(Ready));
}
