#include "images/ScannerImport.h"

#include "images/SaneLibrary.h"

#include <QThread>

ScannerImport::ScannerImport(const QString &libraryName, QObject *parent)
    : QObject(parent), m_library(std::make_unique<SaneLibrary>(libraryName))
{
}

ScannerImport::~ScannerImport()
{
    if (m_thread) {
        m_library->cancel();
        m_thread->wait();
        delete m_thread;
    }
}

ErrorInfo ScannerImport::noDevice()
{
    return {ScannerErrorNumber::DeviceUnavailable,
            QStringLiteral("Device unavailable: no scanner or camera was found")};
}

void ScannerImport::run(std::function<Outcome(SaneLibrary &)> job,
                        std::function<void(const Outcome &)> deliver)
{
    if (m_thread)
        return;
    auto outcome = std::make_shared<Outcome>();
    SaneLibrary *library = m_library.get();
    m_thread = QThread::create([job, library, outcome] {
        if (auto error = library->open())
            outcome->error = error;
        else
            *outcome = job(*library);
    });
    connect(m_thread, &QThread::finished, this, [this, outcome, deliver] {
        m_thread->deleteLater();
        m_thread = nullptr;
        if (outcome->error)
            emit failed(*outcome->error);
        else
            deliver(*outcome);
    });
    m_thread->start();
}

void ScannerImport::ListSources()
{
    run(
        [](SaneLibrary &sane) {
            Outcome outcome;
            outcome.devices = sane.devices();
            if (outcome.devices.isEmpty())
                outcome.error = noDevice();
            return outcome;
        },
        [this](const Outcome &outcome) { emit sourcesListed(outcome.devices); });
}

void ScannerImport::Acquire(const QString &deviceName)
{
    run(
        [deviceName](SaneLibrary &sane) {
            Outcome outcome;
            const ScannerDevices devices = sane.devices();
            if (devices.isEmpty()) {
                outcome.error = noDevice();
                return outcome;
            }
            outcome.picture = sane.scan(deviceName.isEmpty() ? devices.first().name : deviceName);
            return outcome;
        },
        [this](const Outcome &outcome) {
            if (outcome.picture.isNull())
                emit nothingAcquired();
            else
                emit acquired(outcome.picture);
        });
}
