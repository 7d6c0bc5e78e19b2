#include "ravel/RavelJobSignal.h"

#include "ravel/TsanOrder.h"

#include <QCoreApplication>

namespace {
const QEvent::Type Signalled = QEvent::Type(QEvent::registerEventType());
}

void RavelJobSignal::set(quint64 job)
{
    // Made before the release below, so that event() sees it complete.
    auto *signalled = new QEvent(Signalled);
    quint64 previous = m_job.load();
    while (previous < job && !m_job.compare_exchange_weak(previous, job)) {
    }
    m_posts.fetch_add(1, std::memory_order_release);
    QCoreApplication::postEvent(this, signalled);
}

bool RavelJobSignal::event(QEvent *event)
{
    TsanOrder::acquire(m_posts);
    if (event->type() != Signalled)
        return QObject::event(event);
    emit signalled();
    return true;
}
