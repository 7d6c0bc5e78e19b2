#pragma once

#include "ravel/ftplib/FtpLib.h"

#include <QCoreApplication>
#include <atomic>

// Where one kind of notification goes: a receiver and the message number it asked for.
struct FtpNotify
{
    // Droppable notifications (progress, preliminary replies) not yet consumed by any host:
    // a server can make them faster than a host takes them, and each holds memory until then.
    static constexpr int MaxPendingDroppable = 64;

    QObject *receiver = nullptr;
    int message = 0;
    // Takes the events in place of the receiver's event queue when set.
    FtpLibNotifySink *sink = nullptr;

    void post(long long first, long long second, int code = 0,
              const QByteArray &text = QByteArray()) const
    {
        if (receiver)
            deliver(new FtpLibNotifyEvent(message, first, second, code, text));
    }

    // Posts unless too many droppable notifications wait; a later one tells the host as much
    // (progress counts up, and a final reply follows any preliminary one). False when dropped.
    bool postDroppable(long long first, long long second, int code = 0,
                       const QByteArray &text = QByteArray()) const;

    static int pendingDroppable() { return pending().load(); }

private:
    void deliver(FtpLibNotifyEvent *event) const
    {
        if (sink)
            sink->take(event);
        else
            QCoreApplication::postEvent(receiver, event);
    }
    static std::atomic<int> &pending()
    {
        static std::atomic<int> count{0};
        return count;
    }
    class Counted;
};

// Counts itself out when the host has consumed (deleted) it.
class FtpNotify::Counted : public FtpLibNotifyEvent
{
public:
    using FtpLibNotifyEvent::FtpLibNotifyEvent;
    ~Counted() override { FtpNotify::pending().fetch_sub(1, std::memory_order_relaxed); }
};

inline bool FtpNotify::postDroppable(long long first, long long second, int code,
                                     const QByteArray &text) const
{
    if (!receiver)
        return false;
    if (pending().fetch_add(1, std::memory_order_relaxed) >= MaxPendingDroppable) {
        pending().fetch_sub(1, std::memory_order_relaxed);
        return false;
    }
    deliver(new Counted(message, first, second, code, text));
    return true;
}
