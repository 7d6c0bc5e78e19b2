#pragma once

#include "ravel/ftplib/FtpLib.h"

#include <QList>
#include <QObject>
#include <QSignalSpy>

// Receives the library's notifications on the test's thread and keeps a copy of each.
class FtpEventRecorder : public QObject
{
    Q_OBJECT
public:
    struct Event
    {
        int message;
        long long first;
        long long second;
        int code;
        QByteArray text;
    };

    QList<Event> events;

    QList<Event> of(int message) const
    {
        QList<Event> found;
        for (const Event &e : events) {
            if (e.message == message)
                found.append(e);
        }
        return found;
    }
    // End events (first word non-zero) of one message number.
    QList<Event> ends(int message) const
    {
        QList<Event> found;
        for (const Event &e : of(message)) {
            if (e.first != 0)
                found.append(e);
        }
        return found;
    }

    // Waits until at least `count` events of `message` have arrived, counting only ends if
    // endsOnly.
    bool waitFor(int message, int count = 1, bool endsOnly = true)
    {
        QSignalSpy spy(this, &FtpEventRecorder::notified);
        auto arrived = [&] { return (endsOnly ? ends(message) : of(message)).size(); };
        while (arrived() < count) {
            if (!spy.wait(20000))
                return false;
        }
        return true;
    }

signals:
    void notified();

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != FtpLibNotifyEvent::EventType)
            return QObject::event(e);
        const auto *n = &static_cast<FtpLibNotifyEvent *>(e)->received();
        events.append({n->message, n->first, n->second, n->code, n->text});
        emit notified();
        return true;
    }
};
