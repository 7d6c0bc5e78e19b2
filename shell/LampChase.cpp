#include "shell/LampChase.h"

#include <algorithm>

namespace LampChase {
Pattern next(const Pattern &lamps)
{
    Pattern out{};
    const auto lit = std::count(lamps.begin(), lamps.end(), true);
    if (lit == 0) {
        out[LampCount - 1] = true;
        return out;
    }
    if (lit > 1)
        return lamps;
    const auto on = std::find(lamps.begin(), lamps.end(), true) - lamps.begin();
    out[(on + 1) % LampCount] = true;
    return out;
}
} // namespace LampChase
