#pragma once

#include "ravel/RavelNotifyQueue.h"

#include <QString>
#include <atomic>
#include <mutex>

// What the component and its worker both touch. Flags are atomics; the texts a job writes
// are read by the host after the job's signal, under a lock so neither side sees half a text.
class RavelState
{
public:
    struct Texts
    {
        QString result;
        QString currentDir;
        QString localName;
        QString localAddress;
        QString remoteName;
        QString remoteAddress;
        // The last login's server certificate, and why it was refused ("" when it was not).
        QString peerFingerprint;
        QString certificateProblem;
        QByteArray peerCertificate;
        QString certificateReason;
    };

    std::atomic<bool> ready{false};
    std::atomic<bool> busy{false};
    std::atomic<bool> transfer{false};
    std::atomic<bool> connected{false};
    std::atomic<bool> restSupported{false};
    std::atomic<bool> tls{false};
    std::atomic<int> hostType{0};
    std::atomic<int> lastReplyCode{0};
    std::atomic<qint64> fileSize{0};
    std::atomic<qint64> bytes{0};
    // What the worker and the library tell the component, in order.
    RavelNotifyQueue notices;
    // The library session of the worker, for a cancel from the host's thread.
    std::atomic<void *> session{nullptr};

    // A login job and a LocalClose meet here: the host cancels only a login that the
    // worker has not finished looking at, and the worker sees every cancel that came.
    struct LoginCancel
    {
        std::mutex mutex;
        bool running = false;
        bool cancelled = false;
    } loginCancel;

    Texts texts() const
    {
        const std::lock_guard lock(m_mutex);
        return m_texts;
    }
    template <typename Change> void changeTexts(Change change)
    {
        const std::lock_guard lock(m_mutex);
        change(m_texts);
    }

private:
    // A standard mutex rather than QMutex: ThreadSanitizer sees through it.
    mutable std::mutex m_mutex;
    Texts m_texts;
};
