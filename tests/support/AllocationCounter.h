#pragma once

#include <cstddef>

namespace vorl::test
{
// Counts calls to the global operator new made by the current thread while a
// ScopedAllocationCounter is alive. Linking AllocationCounter.cpp into a test
// executable replaces the global allocation functions for that executable.
class ScopedAllocationCounter
{
public:
    ScopedAllocationCounter() noexcept;
    ~ScopedAllocationCounter();
    ScopedAllocationCounter(const ScopedAllocationCounter&) = delete;
    ScopedAllocationCounter& operator=(const ScopedAllocationCounter&) = delete;

    std::size_t allocations() const noexcept;

private:
    std::size_t startCount;
};
} // namespace vorl::test
