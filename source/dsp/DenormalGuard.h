#pragma once

#if defined(__SSE__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

namespace vorl
{
// Flushes denormal floats to zero for the lifetime of the guard (flush-to-zero and
// denormals-are-zero on x86), so decaying filter and delay states never hit the slow path.
class DenormalGuard
{
public:
#if defined(__SSE__) || defined(_M_X64)
    DenormalGuard() noexcept : saved(_mm_getcsr()) { _mm_setcsr(saved | 0x8040u); }
    ~DenormalGuard() { _mm_setcsr(saved); }

private:
    unsigned int saved;
#endif
public:
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;
};
} // namespace vorl
