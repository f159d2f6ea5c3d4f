#include "SnapshotExchange.h"
#include "TapRecord.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
vorl::TapLayoutResult layoutNumbered(int k)
{
    vorl::TapLayoutResult layout;
    layout.count = k % (vorl::kMaxTaps + 1);
    for (auto& tap : layout.taps)
        tap = {(float)k, (float)k * 0.5f, (float)-k};
    return layout;
}

bool isWholeLayout(const vorl::TapLayoutResult& layout)
{
    const int k = (int)layout.taps[0].timeMs;
    if (layout.count != k % (vorl::kMaxTaps + 1))
        return false;
    for (const auto& tap : layout.taps)
        if (tap.timeMs != (float)k || tap.gain != (float)k * 0.5f || tap.stereoOffset != (float)-k)
            return false;
    return true;
}

TEST(SnapshotExchange, ReaderBeforeAnyPublishGetsAnEmptyLayout)
{
    vorl::SnapshotExchange<vorl::TapLayoutResult> exchange;
    const auto layout = exchange.read();
    EXPECT_EQ(layout.count, 0);
    EXPECT_EQ(layout.taps[299].gain, 0.0f);
}

TEST(SnapshotExchange, ReaderNeverSeesAMixtureOfTwoPublishedLayouts)
{
    vorl::SnapshotExchange<vorl::TapLayoutResult> exchange;
    exchange.publish(layoutNumbered(1));
    std::atomic<bool> readerDone{false};
    std::atomic<bool> writerStarted{false};

    std::thread writer([&] {
        writerStarted = true;
        for (int k = 2; k < 5'000'000 && !readerDone.load(std::memory_order_relaxed); ++k)
            exchange.publish(layoutNumbered(k));
    });

    int mixtures = 0;
    int lastSeen = 0;
    int distinctSeen = 0;
    while (!writerStarted.load())
        std::this_thread::yield();
    // Read at least 100000 times, and on until the writer has been seen moving.
    for (int read = 0; read < 100'000 || (distinctSeen < 2 && read < 2'000'000); ++read)
    {
        const auto layout = exchange.read();
        if (!isWholeLayout(layout))
            ++mixtures;
        const int k = (int)layout.taps[0].timeMs;
        if (k != lastSeen)
            ++distinctSeen;
        lastSeen = k;
    }
    readerDone = true;
    writer.join();

    EXPECT_EQ(mixtures, 0);
    EXPECT_GT(distinctSeen, 1); // the reader really raced the writer
}
} // namespace
