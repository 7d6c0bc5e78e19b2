#pragma once

#include "ravel/TsanOrder.h"
#include "ravel/ftplib/FtpLib.h"

#include <QEvent>
#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

// The notifications of the worker and of the library to the component, in the one order in
// which they were made, on their way to the host's thread. The host is woken by one posted
// event for all that arrive while it has not come round to them yet, not by one each.
class RavelNotifyQueue final : public FtpLibNotifySink
{
public:
    // Posted to the receiver when there is something to take; set before the worker starts.
    static const QEvent::Type Ready;

    void setReceiver(QObject *receiver) { m_receiver = receiver; }
    // Receiver's thread, before it looks at any event: Qt's queue hands a Ready over in a way
    // ThreadSanitizer cannot see; this shows it the order.
    void received() const { TsanOrder::acquire(m_readyPosts); }

    // Any thread.
    void append(std::unique_ptr<QEvent> event);
    void take(FtpLibNotifyEvent *event) override
    {
        // The text may share its buffer with the library's own copy, whose count Qt changes
        // where ThreadSanitizer cannot follow it; the host's thread frees an unshared one.
        event->text.detach();
        append(std::unique_ptr<QEvent>(event));
    }

    // Worker's thread, before an asynchronous transfer starts: until its end, the server's
    // replies wake no one, and neither does progress soon after the host was last woken. They
    // reach the host with the next notification that does, at the latest with that end, which
    // the library always sends.
    void deferUntilTransferEnd();
    // Any thread, now and then during a transfer: what was held back goes to the host. False
    // once the transfer has ended.
    bool flushHeld();

    // Host's thread, on Ready: hands each waiting notification to `handle`, oldest first.
    // While more wait, a Ready stays posted, so an event loop that the handling of one enters
    // still delivers the others in turn.
    void drain(const std::function<void(QEvent &)> &handle);

private:
    std::unique_ptr<QEvent> next();
    // Called with the lock held.
    bool wakesHost(const QEvent &event);
    // Called with the lock held.
    void postReady();

    std::mutex m_mutex;
    std::deque<std::unique_ptr<QEvent>> m_events;
    bool m_readyPosted = false;
    bool m_inTransfer = false;
    std::chrono::steady_clock::time_point m_lastReady;
    QObject *m_receiver = nullptr;
    std::atomic<quint64> m_readyPosts{0};
};
