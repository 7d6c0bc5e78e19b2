// Server replies from anywhere, cut at any point: the reader must stay within its bounds,
// and a failed stream must stay failed.
#include "ravel/ftplib/FtpReplyParser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FtpReplyParser parser;
    const auto *bytes = reinterpret_cast<const char *>(data);
    // The first byte picks the chunk size, so replies split across reads too.
    const size_t chunk = size ? (data[0] % 17) + 1 : 1;
    for (size_t at = size ? 1 : 0; at < size; at += chunk) {
        parser.feed(bytes + at, qsizetype(std::min(chunk, size - at)));
        while (const std::optional<FtpReply> reply = parser.takeReply()) {
            if (reply->code < 100 || reply->code > 599 || reply->lines.isEmpty())
                __builtin_trap();
            (void)reply->text();
            (void)reply->lastLineWithText();
        }
        if (parser.failed())
            break;
    }
    return 0;
}
