#pragma once

#include <QObject>
#include <QTimer>
#include <QVariantList>
#include <functional>
#include <optional>

class CRavelCtrl;
struct RavelError;

// The upload's side of one component instance: late-bound calls by name, and waits that run
// the event loop until a condition holds, woken by the component's events.
class RavelSession : public QObject
{
    Q_OBJECT
public:
    explicit RavelSession(CRavelCtrl &ravel, QObject *parent = nullptr);

    CRavelCtrl &ravel() { return m_ravel; }
    std::optional<RavelError> call(const QString &method, const QVariantList &args = {});
    void put(const QString &property, const QVariant &value);
    QVariant get(const QString &property);
    bool stillExecuting();

    // Runs the event loop until done() holds.
    void waitUntil(const std::function<bool()> &done);
    void waitIdle();
    // A transfer is about to start: its end (complete or failed) has not arrived yet.
    void expectTransfer() { m_transferEnded = false; }
    // The transfer's own end (complete or failed) has arrived since expectTransfer().
    bool transferEnded() const { return m_transferEnded; }
    // Waits until the component is idle and the transfer's own end has arrived (a refusal
    // frees the component before it), the connection is gone, or stop() holds.
    void waitTransferEnd(const std::function<bool()> &stop);
    // Makes the wait in progress, if any, look at its condition again now.
    void wake();

private:
    CRavelCtrl &m_ravel;
    std::function<void()> m_wake;
    // A safety net for the wait in progress.
    QTimer m_recheck;
    bool m_transferEnded = false;
};
