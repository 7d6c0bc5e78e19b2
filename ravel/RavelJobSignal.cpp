#include "RavelJobSignal.h"

void RavelJobSignal::set(quint64 job)
{
    quint64 previous = m_job.load();
    while (previous < job && !m_job.compare_exchange_weak(previous, job)) {
    }
    emit signalled();
}
