// Listing data in any shape and any cut: lines stay bounded, never empty, never carry a
// line break, and no byte but line ends is lost.
#include "ravel/ftplib/FtpListSplitter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FtpListSplitter splitter;
    const auto *bytes = reinterpret_cast<const char *>(data);
    const size_t chunk = size ? (data[0] % 31) + 1 : 1;
    qsizetype kept = 0;
    auto check = [&kept](const QByteArray &line) {
        if (line.isEmpty() || line.size() > FtpListSplitter::MaxLine || line.contains('\n'))
            __builtin_trap();
        kept += line.size();
    };
    for (size_t at = 0; at < size; at += chunk)
        for (const QByteArray &line :
             splitter.take(bytes + at, qsizetype(std::min(chunk, size - at))))
            check(line);
    const QByteArray last = splitter.finish();
    if (!last.isEmpty())
        check(last);
    const QByteArray all(bytes, qsizetype(size));
    if (kept > all.size() - all.count('\n'))
        __builtin_trap();
    return 0;
}
