#pragma once

#include "RavelMessages.h"

#include <QEvent>
#include <QString>
#include <atomic>

// A notification posted to the component from the worker or the FTP library: a number
// from RavelMessages and its two words, texts as copies.
class RavelNotifyEvent : public QEvent
{
public:
    RavelNotifyEvent(RavelMessages::Notification number, qint64 first, qint64 second,
                     QString text = {})
        : QEvent(RavelMessages::eventType(number)), first(first), second(second),
          text(std::move(text))
    {
        m_posted.store(true, std::memory_order_release);
    }

    // The receiver's side of the hand-off (see FtpLibNotifyEvent::received()).
    const RavelNotifyEvent &received() const
    {
        m_posted.load(std::memory_order_acquire);
        return *this;
    }

    const qint64 first;
    const qint64 second;
    const QString text;

private:
    std::atomic<bool> m_posted{false};
};
