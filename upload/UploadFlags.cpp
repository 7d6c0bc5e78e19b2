#include "upload/UploadFlags.h"

#include <algorithm>
#include <array>

void UploadFlags::applyDirReady(int code)
{
    if (!dirReady && (code == 250 || code == 521))
        dirReady = true;
}

void UploadFlags::applyFatal(int code, const QString &command)
{
    static constexpr std::array<int, 10> Transient = {400, 401, 403, 404, 421,
                                                      425, 426, 450, 451, 452};
    static constexpr std::array<int, 9> Refused = {500, 502, 503, 504, 530, 532, 551, 552, 553};
    auto among = [code](const auto &codes) {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    };
    if (among(Transient))
        fatalError = true;
    if (command != QLatin1String("CWD") && command != QLatin1String("MKD") && code != 550 &&
        among(Refused))
        fatalError = true;
}
