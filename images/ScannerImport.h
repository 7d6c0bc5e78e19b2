#pragma once

#include "core/ErrorInfo.h"
#include "images/ScannerDevice.h"

#include <QImage>
#include <QObject>
#include <functional>
#include <memory>

class QThread;
class SaneLibrary;

// Scanner and camera import through SANE. The library is loaded on first use; every
// device call runs away from the window thread and ends in exactly one of the signals.
class ScannerImport : public QObject
{
    Q_OBJECT
public:
    // libraryName as QLibrary takes it; tests name one that does not exist.
    explicit ScannerImport(const QString &libraryName = QStringLiteral("sane"),
                           QObject *parent = nullptr);
    // Cancels a running scan and waits for its thread.
    ~ScannerImport() override;

    bool isBusy() const { return m_thread != nullptr; }
    // Ends in sourcesListed or failed (also when there is no device at all).
    void ListSources();
    // Scans one picture with deviceName, or with the first device when it is empty.
    // Ends in acquired, nothingAcquired (cancelled or failed scan), or failed.
    void Acquire(const QString &deviceName);

signals:
    void sourcesListed(const ScannerDevices &devices);
    void acquired(const QImage &picture);
    void nothingAcquired();
    void failed(const ErrorInfo &error);

private:
    struct Outcome
    {
        std::optional<ErrorInfo> error;
        ScannerDevices devices;
        QImage picture;
    };
    void run(std::function<Outcome(SaneLibrary &)> job,
             std::function<void(const Outcome &)> deliver);
    static ErrorInfo noDevice();

    std::unique_ptr<SaneLibrary> m_library;
    QThread *m_thread = nullptr;
};
