#pragma once

#include <QObject>
#include <atomic>

// A manual-reset signal set by the worker when a job ends. It remembers the job it was set
// for, so a wait for a later job never takes a signal left over from an earlier one whose
// wait had already timed out.
class RavelJobSignal : public QObject
{
    Q_OBJECT
public:
    explicit RavelJobSignal(QObject *parent = nullptr) : QObject(parent) {}

    // Worker thread. Waiters hear of it through signalled(), emitted on this object's thread
    // from a posted event: no signal crosses threads, so no connection list is shared.
    void set(quint64 job);
    bool isSetFor(quint64 job) const { return m_job.load() >= job; }

signals:
    void signalled();

protected:
    bool event(QEvent *event) override;

private:
    std::atomic<quint64> m_job{0};
    // Orders the worker's posted event before event() reads it (Qt's queue does, unseen).
    std::atomic<quint64> m_posts{0};
};
