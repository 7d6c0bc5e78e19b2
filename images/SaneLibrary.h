#pragma once

#include "core/ErrorInfo.h"
#include "images/ScannerDevice.h"

#include <QImage>
#include <QLibrary>
#include <atomic>
#include <memory>
#include <optional>

struct SaneApi;

// Numbers of the scanner import's failure messages.
namespace ScannerErrorNumber {
constexpr int LibraryNotLoaded = 48;
constexpr int DeviceUnavailable = 68;
constexpr int EntryPointMissing = 453;
} // namespace ScannerErrorNumber

// The SANE scanner library, loaded by name when first needed. Every call but cancel()
// must come from one thread at a time.
class SaneLibrary
{
public:
    // libraryName as QLibrary takes it ("sane" finds libsane.so.1).
    explicit SaneLibrary(const QString &libraryName);
    ~SaneLibrary();
    SaneLibrary(const SaneLibrary &) = delete;
    SaneLibrary &operator=(const SaneLibrary &) = delete;

    // Loads and initialises the library once; the failure, if any.
    std::optional<ErrorInfo> open();
    ScannerDevices devices();
    // One picture from the device; a null image when the scan was cancelled or failed.
    QImage scan(const QString &deviceName);
    // Stops a scan running on another thread.
    void cancel();

private:
    QImage readPicture(void *handle);

    QLibrary m_library;
    std::unique_ptr<SaneApi> m_api;
    bool m_initialised = false;
    std::atomic<void *> m_scanning = nullptr;
};
