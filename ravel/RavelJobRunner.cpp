#include "ravel/RavelJobRunner.h"

#include "ravel/CRavelCtrl.h"
#include "ravel/CRavelThread.h"
#include "ravel/RavelFtpLibrary.h"
#include "ravel/RavelJobEvent.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cerrno>
#include <unistd.h>

using namespace RavelMessages;

RavelJobRunner::RavelJobRunner(CRavelCtrl &owner, RavelState &state,
                               std::optional<RavelError> &raised, QString libraryPath)
    : m_owner(owner), m_state(state), m_raised(raised), m_libraryPath(std::move(libraryPath))
{
    m_heldFlush.setInterval(200);
    QObject::connect(&m_heldFlush, &QTimer::timeout, [this] {
        if (!m_state.notices.flushHeld() && !m_state.transfer)
            m_heldFlush.stop();
    });
}

RavelJobRunner::~RavelJobRunner() = default;

void RavelJobRunner::endWorker()
{
    if (m_state.ready) {
        m_state.busy = false;
        run(newJob(EndWorker), Waits::Always);
    }
    // A worker still starting would otherwise wait in its event loop for an end never sent;
    // a quit before its loop runs ends that loop at once.
    if (m_worker)
        m_worker->quit();
    m_worker.reset();
}

bool RavelJobRunner::startWorker()
{
    if (m_worker)
        return false;
    const CRavelThread::Settings settings{m_owner.AsyncMode(), m_owner.Passive(),
                                          m_owner.VerboseMode(), m_owner.Port(), m_owner.TimeOut()};
    m_worker = std::make_unique<CRavelThread>(&m_owner, m_state, m_success, m_error, m_libraryPath,
                                              settings);
    m_worker->start();
    return true;
}

bool RavelJobRunner::waitUntilReady()
{
    if (workerReady())
        return true;
    m_worker->join();
    m_raised = RavelError::workerNotReady(m_worker->failure());
    return false;
}

bool RavelJobRunner::busyCheck()
{
    if (!waitUntilReady())
        return false;
    if (m_state.busy) {
        m_raised = RavelError::make(RavelError::NumberBusy, RavelError::TextBusy);
        return false;
    }
    return true;
}

bool RavelJobRunner::workerReady()
{
    startWorker();
    // Every change of ready or ended posts readyChanged after it, so none is missed here.
    if (!m_state.ready && !m_worker->hasEnded()) {
        QEventLoop loop;
        QObject::connect(m_worker.get(), &CRavelThread::readyChanged, &loop, [&] {
            if (m_state.ready || m_worker->hasEnded())
                loop.quit();
        });
        loop.exec();
    }
    return m_state.ready;
}

void RavelJobRunner::updateWorkerSettings()
{
    // A worker not started yet takes them from the properties when it starts.
    if (!m_worker || !workerReady())
        return;
    const auto post = [&](Job kind, auto fill) {
        auto job = newJob(kind);
        fill(*job);
        m_worker->post(std::move(job));
    };
    post(AsyncOnOff, [&](RavelJobEvent &job) { job.on = m_owner.AsyncMode(); });
    post(PassiveOnOff, [&](RavelJobEvent &job) { job.on = m_owner.Passive(); });
    post(EchoOnOff, [&](RavelJobEvent &job) { job.on = m_owner.VerboseMode(); });
    post(SetPort, [&](RavelJobEvent &job) { job.port = m_owner.Port(); });
    post(SetTimeout, [&](RavelJobEvent &job) { job.timeoutSeconds = m_owner.TimeOut(); });
}

std::unique_ptr<RavelJobEvent> RavelJobRunner::newJob(Job job)
{
    return std::make_unique<RavelJobEvent>(job, ++m_lastJob);
}

bool RavelJobRunner::run(std::unique_ptr<RavelJobEvent> job, Waits waits)
{
    if (!waitUntilReady())
        return false;
    const quint64 sequence = job->sequence;
    // Set before the post: a worker quick enough to end the job and clear the flag first
    // would otherwise leave it set for good.
    const bool wasBusy = m_state.busy.exchange(true);
    if (!m_worker->post(std::move(job))) {
        m_state.busy = wasBusy;
        return false;
    }
    if (waits == Waits::Never || (waits == Waits::WhenSync && m_owner.AsyncMode()))
        return true;
    const bool succeeded = waitForJob(sequence);
    m_state.busy = false;
    return succeeded;
}

bool RavelJobRunner::runPath(Job kind, const QString &remotePath, Waits waits)
{
    auto job = newJob(kind);
    job->remotePath = remotePath;
    return run(std::move(job), waits);
}

bool RavelJobRunner::runSwitch(Job kind, bool on, const QString &logFile)
{
    auto job = newJob(kind);
    job->on = on;
    job->logFile = logFile;
    return run(std::move(job), Waits::Always);
}

void RavelJobRunner::runTransfer(std::unique_ptr<RavelJobEvent> job)
{
    m_state.transfer = true;
    if (m_owner.AsyncMode())
        m_heldFlush.start();
    run(std::move(job), Waits::WhenSync);
    if (!m_owner.AsyncMode())
        m_state.transfer = false;
}

void RavelJobRunner::interruptTransfer(bool drop)
{
    if (!m_state.transfer || !m_owner.AsyncMode())
        return;
    // The session lives while a transfer job is out: only the host ends the worker.
    if (const RavelFtpLibrary *library = hostLibrary())
        (*library)->Interrupt(m_state.session.load(), drop);
}

bool RavelJobRunner::handOffRestartFile(RavelJobEvent &job, const QString &fileName,
                                        QIODevice::OpenMode mode, qint64 position)
{
    auto file = std::make_unique<QFile>(fileName);
    errno = 0;
    if (!file->open(mode | QIODevice::Unbuffered) || !file->seek(position)) {
        m_raised = RavelError::make(errno ? errno : EIO, RavelError::TextCreateFile);
        return false;
    }
    if (m_owner.AsyncMode()) {
        // The library reads or writes it until its end notification, which closes it.
        job.transfer.descriptor = file->handle();
        m_restartFile = std::move(file);
        return true;
    }
    // The job gets a descriptor of its own: a wait that times out must not close the file
    // under the library's feet.
    job.transfer.descriptor = ::dup(file->handle());
    if (job.transfer.descriptor < 0) {
        m_raised = RavelError::make(errno, RavelError::TextCreateFile);
        return false;
    }
    return true;
}

bool RavelJobRunner::waitForJob(quint64 sequence)
{
    const auto ended = [&] { return m_success.isSetFor(sequence) || m_error.isSetFor(sequence); };
    if (m_owner.TimeOut() > 0) {
        QEventLoop loop;
        QTimer quiet;
        quiet.setSingleShot(true);
        const auto check = [&] {
            if (ended())
                loop.quit();
        };
        QObject::connect(&m_success, &RavelJobSignal::signalled, &loop, check);
        QObject::connect(&m_error, &RavelJobSignal::signalled, &loop, check);
        QObject::connect(&m_owner, &CRavelCtrl::activity, &quiet, [&] { quiet.start(); });
        QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
        quiet.start(m_owner.TimeOut() * 1000);
        if (!ended())
            loop.exec();
    }
    if (!ended())
        return false;
    // What the worker posted before it signalled reaches the host before the call returns.
    QCoreApplication::sendPostedEvents(&m_owner);
    return !m_error.isSetFor(sequence);
}

bool RavelJobRunner::postLossCheck(int code, bool afterTransfer)
{
    if (!m_worker || !m_state.ready)
        return false;
    auto job = newJob(LossCheck);
    job->lossCode = code;
    job->afterTransfer = afterTransfer;
    return m_worker->post(std::move(job));
}

const RavelFtpLibrary *RavelJobRunner::hostLibrary()
{
    if (!m_hostLibrary) {
        auto library = std::make_unique<RavelFtpLibrary>();
        QString error;
        if (!library->load(m_libraryPath, &error)) {
            m_raised = RavelError::workerNotReady(error);
            return nullptr;
        }
        m_hostLibrary = std::move(library);
    }
    return m_hostLibrary.get();
}

void RavelJobRunner::cancelLogin()
{
    const std::lock_guard lock(m_state.loginCancel.mutex);
    m_state.loginCancel.cancelled = true;
    if (m_state.loginCancel.running) {
        if (const RavelFtpLibrary *library = hostLibrary())
            (*library)->CancelLogin(m_state.session.load());
    }
}
