#pragma once

#include <algorithm>

namespace vorl
{
// The delays a tap's two channels read at: the left one never below zero, the right one moved by
// the stereo shift but never ahead of the write position. The operand order gives std::max and
// std::min's answers for signed zeros, which the vector kernels reproduce. Only for files built
// for the baseline instruction set.
inline float leftChannelDelay(float delay) noexcept
{
    return std::max(delay, 0.0f);
}

inline float rightChannelDelay(float delay, float shift) noexcept
{
    return delay - std::min(delay, shift);
}
} // namespace vorl
