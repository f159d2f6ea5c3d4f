#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace
{
thread_local int countingDepth = 0;
thread_local std::size_t allocationCount = 0;

void* allocateOrThrow(std::size_t size)
{
    if (countingDepth > 0)
        ++allocationCount;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (countingDepth > 0)
        ++allocationCount;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace vorl::test
{
ScopedAllocationCounter::ScopedAllocationCounter() noexcept : startCount(allocationCount) { ++countingDepth; }
ScopedAllocationCounter::~ScopedAllocationCounter() { --countingDepth; }
std::size_t ScopedAllocationCounter::allocations() const noexcept { return allocationCount - startCount; }
} // namespace vorl::test
