#include "images/SaneLibrary.h"

#include <sane/sane.h>

#include <cstring>

// Entry points resolved by name, so the program runs where SANE is not installed.
struct SaneApi
{
    decltype(&sane_init) init;
    decltype(&sane_exit) exit;
    decltype(&sane_get_devices) getDevices;
    decltype(&sane_open) open;
    decltype(&sane_close) close;
    decltype(&sane_start) start;
    decltype(&sane_get_parameters) getParameters;
    decltype(&sane_read) read;
    decltype(&sane_cancel) cancel;
    decltype(&sane_strstatus) strstatus;
};

namespace {
// Larger scans are refused rather than risking the memory of the whole program.
constexpr qint64 MaxPictureBytes = qint64(1) << 30;

struct Frame
{
    SANE_Parameters parameters;
    QByteArray data;
    int lines;
};

int sample(const Frame &frame, int line, int index)
{
    const auto *row = reinterpret_cast<const uchar *>(frame.data.constData()) +
                      line * frame.parameters.bytes_per_line;
    switch (frame.parameters.depth) {
    case 1:
        return (row[index / 8] & (0x80 >> (index % 8))) ? 0 : 255; // 1 is black
    case 16: {
        quint16 value;
        std::memcpy(&value, row + index * 2, 2);
        return value >> 8;
    }
    default:
        return row[index];
    }
}

bool plausible(const SANE_Parameters &p)
{
    if (p.pixels_per_line <= 0 || p.bytes_per_line <= 0)
        return false;
    if (p.depth != 1 && p.depth != 8 && p.depth != 16)
        return false;
    const int channels = p.format == SANE_FRAME_RGB ? 3 : 1;
    const qint64 bits = qint64(p.pixels_per_line) * channels * p.depth;
    return qint64(p.bytes_per_line) * 8 >= bits;
}

// Gray, RGB, or red, green and blue in separate frames, painted into one picture.
QImage assemble(const QList<Frame> &frames)
{
    const int width = frames.first().parameters.pixels_per_line;
    const int height = frames.first().lines;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (const Frame &frame : frames) {
        if (frame.parameters.pixels_per_line != width)
            return {};
        const int lines = std::min(height, frame.lines);
        for (int y = 0; y < lines; ++y) {
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                QRgb &px = out[x];
                switch (frame.parameters.format) {
                case SANE_FRAME_RGB:
                    px = qRgb(sample(frame, y, 3 * x), sample(frame, y, 3 * x + 1),
                              sample(frame, y, 3 * x + 2));
                    break;
                case SANE_FRAME_RED:
                    px = qRgb(sample(frame, y, x), qGreen(px), qBlue(px));
                    break;
                case SANE_FRAME_GREEN:
                    px = qRgb(qRed(px), sample(frame, y, x), qBlue(px));
                    break;
                case SANE_FRAME_BLUE:
                    px = qRgb(qRed(px), qGreen(px), sample(frame, y, x));
                    break;
                default: {
                    const int v = sample(frame, y, x);
                    px = qRgb(v, v, v);
                }
                }
            }
        }
    }
    return image;
}
} // namespace

SaneLibrary::SaneLibrary(const QString &libraryName) : m_library(libraryName, 1) {}

SaneLibrary::~SaneLibrary()
{
    if (m_initialised)
        m_api->exit();
}

std::optional<ErrorInfo> SaneLibrary::open()
{
    if (m_initialised)
        return std::nullopt;
    if (!m_api) {
        if (!m_library.load())
            return ErrorInfo{ScannerErrorNumber::LibraryNotLoaded,
                             QStringLiteral("Error in loading the scanner library: %1")
                                 .arg(m_library.errorString())};
        auto api = std::make_unique<SaneApi>();
        const char *missing = nullptr;
        const auto resolve = [this, &missing](auto &entry, const char *name) {
            entry =
                reinterpret_cast<std::remove_reference_t<decltype(entry)>>(m_library.resolve(name));
            if (!entry && !missing)
                missing = name;
        };
        resolve(api->init, "sane_init");
        resolve(api->exit, "sane_exit");
        resolve(api->getDevices, "sane_get_devices");
        resolve(api->open, "sane_open");
        resolve(api->close, "sane_close");
        resolve(api->start, "sane_start");
        resolve(api->getParameters, "sane_get_parameters");
        resolve(api->read, "sane_read");
        resolve(api->cancel, "sane_cancel");
        resolve(api->strstatus, "sane_strstatus");
        if (missing)
            return ErrorInfo{ScannerErrorNumber::EntryPointMissing,
                             QStringLiteral("Entry point %1 not found in the scanner library %2")
                                 .arg(QLatin1String(missing), m_library.fileName())};
        m_api = std::move(api);
    }
    SANE_Int version = 0;
    const SANE_Status status = m_api->init(&version, nullptr);
    if (status != SANE_STATUS_GOOD)
        return ErrorInfo{ScannerErrorNumber::LibraryNotLoaded,
                         QStringLiteral("The scanner library did not start: %1")
                             .arg(QString::fromLocal8Bit(m_api->strstatus(status)))};
    m_initialised = true;
    return std::nullopt;
}

ScannerDevices SaneLibrary::devices()
{
    ScannerDevices result;
    const SANE_Device **list = nullptr;
    if (m_api->getDevices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return result;
    for (; *list; ++list) {
        const SANE_Device &d = **list;
        result.append({QString::fromLocal8Bit(d.name), QString::fromLocal8Bit(d.vendor),
                       QString::fromLocal8Bit(d.model), QString::fromLocal8Bit(d.type)});
    }
    return result;
}

QImage SaneLibrary::scan(const QString &deviceName)
{
    SANE_Handle handle = nullptr;
    if (m_api->open(deviceName.toLocal8Bit().constData(), &handle) != SANE_STATUS_GOOD)
        return {};
    m_scanning = handle;
    const QImage picture = readPicture(handle);
    m_scanning = nullptr;
    m_api->cancel(handle);
    m_api->close(handle);
    return picture;
}

void SaneLibrary::cancel()
{
    if (void *handle = m_scanning.load())
        m_api->cancel(handle);
}

QImage SaneLibrary::readPicture(void *handle)
{
    QList<Frame> frames;
    qint64 total = 0;
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    do {
        if (m_api->start(handle) != SANE_STATUS_GOOD)
            return {};
        Frame frame{};
        if (m_api->getParameters(handle, &frame.parameters) != SANE_STATUS_GOOD ||
            !plausible(frame.parameters))
            return {};
        for (;;) {
            SANE_Int length = 0;
            const SANE_Status status = m_api->read(
                handle, reinterpret_cast<SANE_Byte *>(buffer.data()), buffer.size(), &length);
            if (status == SANE_STATUS_EOF)
                break;
            if (status != SANE_STATUS_GOOD)
                return {};
            total += length;
            if (total > MaxPictureBytes)
                return {};
            frame.data.append(buffer.constData(), length);
        }
        // Hand scanners do not know their length before the end.
        frame.lines = int(frame.data.size() / frame.parameters.bytes_per_line);
        if (frame.lines <= 0)
            return {};
        frames.append(frame);
    } while (!frames.last().parameters.last_frame);
    return assemble(frames);
}
