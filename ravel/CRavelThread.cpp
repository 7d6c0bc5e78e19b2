#include "ravel/CRavelThread.h"

#include "ravel/RavelError.h"
#include "ravel/RavelFileError.h"
#include "ravel/RavelJobSignal.h"
#include "ravel/RavelState.h"
#include "ravel/TsanOrder.h"

#include <QCoreApplication>
#include <new>

using namespace RavelMessages;

namespace {

unsigned long currentThreadNumber()
{
    return static_cast<unsigned long>(reinterpret_cast<quintptr>(QThread::currentThreadId()));
}

} // namespace

// Receives the jobs on the worker's thread.
class CRavelThread::JobReceiver : public QObject
{
public:
    explicit JobReceiver(CRavelThread &worker) : m_worker(worker) {}

    bool event(QEvent *event) override
    {
        if (auto *job = dynamic_cast<RavelJobEvent *>(event)) {
            // Pairs with post(): the host filled the job before it let go of the lock.
            {
                const std::lock_guard handOff(m_worker.m_postMutex);
            }
            m_worker.runJob(*job);
            return true;
        }
        return QObject::event(event);
    }

private:
    CRavelThread &m_worker;
};

CRavelThread::CRavelThread(QObject *owner, RavelState &state, RavelJobSignal &success,
                           RavelJobSignal &error, const QString &libraryPath,
                           const Settings &settings)
    : m_owner(owner), m_state(state), m_success(success), m_error(error),
      m_libraryPath(libraryPath), m_settings(settings), m_jobs(owner, state, m_library)
{
}

CRavelThread::~CRavelThread()
{
    join();
}

void CRavelThread::join()
{
    wait();
    TsanOrder::acquire(m_exited);
}

namespace {
const QEvent::Type ReadyChanged = QEvent::Type(QEvent::registerEventType());
}

void CRavelThread::postReadyChanged()
{
    auto *changed = new QEvent(ReadyChanged);
    m_readyPosts.fetch_add(1, std::memory_order_release);
    QCoreApplication::postEvent(this, changed);
}

void CRavelThread::leave()
{
    m_ended.store(true, std::memory_order_release);
    postReadyChanged();
    m_exited.store(true, std::memory_order_release);
}

bool CRavelThread::event(QEvent *event)
{
    TsanOrder::acquire(m_readyPosts);
    if (event->type() != ReadyChanged)
        return QThread::event(event);
    emit readyChanged();
    return true;
}

bool CRavelThread::post(std::unique_ptr<RavelJobEvent> job)
{
    job->ownTexts();
    const std::lock_guard lock(m_postMutex);
    if (!m_receiver)
        return false;
    QCoreApplication::postEvent(m_receiver, job.release());
    return true;
}

QString CRavelThread::failure() const
{
    return m_failure;
}

void CRavelThread::run()
{
    QString error;
    if (!m_library.load(m_libraryPath, &error)) {
        m_failure = error;
        leave();
        return;
    }
    const int started = m_library->StartSession(m_owner, currentThreadNumber);
    if (started != FTPLIB_OK) {
        m_failure = QString::fromUtf8(m_library->ErrorText(started));
        m_jobs.report(started);
        leave();
        return;
    }
    m_state.session = m_library->SessionHandle();
    m_library->SetNotifySink(&m_state.notices);
    // A transfer on this thread costs no hand-over to another; the host stops one through
    // the library (RavelJobRunner::interruptTransfer).
    m_library->SetInlineAsync(1);
    m_library->SetReplyEcho(m_settings.verbose, m_owner, HostReply);
    m_jobs.setAsync(m_settings.async);
    m_settings.async ? m_library->AsyncOn() : m_library->AsyncOff();
    m_library->SetPassive(m_settings.passive);
    m_library->SetPort(m_settings.port);
    m_library->SetTimeout(m_settings.timeout);

    JobReceiver receiver(*this);
    {
        const std::lock_guard lock(m_postMutex);
        m_receiver = &receiver;
    }
    m_state.ready = true;
    postReadyChanged();
    exec();
    {
        // No post() may still be on its way to the receiver when it goes.
        const std::lock_guard lock(m_postMutex);
        m_receiver = nullptr;
        // Jobs posted after the end are never run; their callers' waits time out.
        QCoreApplication::removePostedEvents(&receiver);
    }
    m_state.session = nullptr;
    m_jobs.endSession();
    m_state.ready = false;
    leave();
}

void CRavelThread::runJob(RavelJobEvent &job)
{
    try {
        m_jobs.execute(job);
    } catch (const RavelFileError &failure) {
        m_jobs.fireError(failure.cause, QString::fromStdString(failure.what()));
        m_error.set(job.sequence);
        return;
    } catch (const std::bad_alloc &) {
        m_jobs.fireError(RavelError::hresultOf(RavelError::NumberOutOfMemory),
                         QStringLiteral("Out of memory."));
        m_error.set(job.sequence);
        return;
    } catch (...) {
        m_jobs.fireError(
            RavelError::hresultOf(RavelError::NumberOutOfMemory),
            QStringLiteral("Undefined Exception in CRavelThread::PreTranslateMessage"));
        m_error.set(job.sequence);
        return;
    }
    if (job.job == LossCheck)
        return;
    if (alwaysSignals(job.job) || !m_jobs.async())
        m_success.set(job.sequence);
    else if (endsWithoutNotification(job.job))
        m_jobs.clearBusy();
    if (job.job == EndWorker)
        exit();
}
