#pragma once

#include <atomic>
#include <cstdint>

namespace vorl
{
// Hands a value from one writer thread to one reader thread without locks: a sequence
// counter that is odd while the writer copies. The reader retries a bounded number of
// times and otherwise falls back to the last copy it knows to be whole, so neither side
// ever waits for the other.
template <typename Value>
class SnapshotExchange
{
public:
    static constexpr int kReadAttempts = 8;

    // Writer thread only.
    void publish(const Value& value) noexcept
    {
        const auto start = sequence.load(std::memory_order_relaxed);
        sequence.store(start + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        published = value;
        sequence.store(start + 2, std::memory_order_release);
    }

    // Reader thread only.
    Value read() noexcept
    {
        for (int attempt = 0; attempt < kReadAttempts; ++attempt)
        {
            const auto before = sequence.load(std::memory_order_acquire);
            if ((before & 1u) != 0)
                continue;
            Value copy = published;
            std::atomic_thread_fence(std::memory_order_acquire);
            if (sequence.load(std::memory_order_relaxed) == before)
            {
                lastGood = copy;
                return copy;
            }
        }
        return lastGood;
    }

private:
    std::atomic<uint32_t> sequence{0};
    Value published{};
    Value lastGood{};
};
} // namespace vorl
