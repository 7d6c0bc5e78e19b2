#pragma once

#include <array>

// The indicator lamps' walk before the user picks a step: one green lamp moves on
// each tick, 5, 1, 2, 3, 4, 5 ... from all black; any other pattern stays as it is.
namespace LampChase {
constexpr int LampCount = 5;
using Pattern = std::array<bool, LampCount>;

Pattern next(const Pattern &lamps);
} // namespace LampChase
