#include "GlidingReads.h"
#include "CubicReader.h"
#include "SeamlessRing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vorl
{
namespace
{
// Delays that move from sample to sample, in the ways a gliding tap moves them.
struct GlidingCase
{
    const char* what;
    int length;
    long first;    // the first sample's read position before its delay
    float delay;   // the first sample's delay
    float perStep; // how the delay moves each sample
    int n;
    float jump = 0.0f; // added to the delay after every 13th sample
};

const GlidingCase kCases[] = {
    {"a delay growing slowly", 5000, 4000, 1234.567f, 0.003f, 256},
    {"a delay shrinking slowly", 5000, 4000, 1234.567f, -0.02f, 256},
    {"a delay jumping by two samples now and then", 5000, 4000, 800.4f, 0.001f, 256, 2.0f},
    {"a delay jumping back by three samples now and then", 5000, 4000, 800.4f, -0.001f, 256, -3.0f},
    {"a delay shrinking fast", 5000, 4000, 2000.25f, -0.9f, 256},
    {"a delay still on whole samples", 5000, 4000, 300.0f, 0.0f, 256},
    {"a delay moving by whole samples", 5000, 4000, 300.0f, 1.0f, 256},
    {"reads before frame 0 wrap to the ring's end", 3000, 100, 700.3f, 0.01f, 256},
    {"reads crossing the ring's end inside a vector", 3000, 100, 150.5f, 0.0f, 256},
    {"reads crossing the ring's end inside a vector, gliding", 3000, 100, 150.5f, 0.0001f, 256},
    {"reads across the seam", 300, 290, 1.7f, 0.0001f, 256},
    {"delays below one sample", 1000, 500, 0.75f, -0.004f, 256},
    {"delays that jump by a few samples", 5000, 4000, 900.1f, 3.3f, 256},
    {"a read position more than a ring away", 200, 10, 650.2f, 0.2f, 256},
    {"a run that is no multiple of the vector width", 5000, 4000, 1500.9f, 0.02f, 203},
};

// What the engine calls, on the variant this CPU runs.
void readDispatched(const float* ringL, const float* ringR, int length, long first, const float* delays,
                    int n, float* outL, float* outR) noexcept
{
    if (ringR != nullptr)
        readGlidingRunsStereo(ringL, ringR, length, first, delays, n, outL, outR);
    else
        readGlidingRuns(ringL, length, first, delays, n, outL);
}

enum class Needs
{
    Baseline,
    Avx2,
    Avx512
};

struct Variant
{
    const char* name;
    gliding_reads::ReadRuns read;
    Needs needs;
};

SeamlessRing noiseRing(int length, uint32_t seed)
{
    SeamlessRing ring;
    ring.prepare(length);
    for (int i = 0; i < length; ++i)
    {
        seed = seed * 1664525u + 1013904223u;
        ring.write(i, static_cast<float>(seed >> 8) / 8388608.0f - 1.0f);
    }
    return ring;
}

class GlidingReadsTest : public ::testing::TestWithParam<Variant>
{
protected:
    void SetUp() override
    {
        if (GetParam().needs == Needs::Avx2 && !__builtin_cpu_supports("avx2"))
            GTEST_SKIP() << "no AVX2 on this CPU and system";
        if (GetParam().needs == Needs::Avx512 && !__builtin_cpu_supports("avx512f"))
            GTEST_SKIP() << "no AVX-512 on this CPU and system";
    }
};

// The vector reads only put samples side by side: every read must be the scalar one, bit for bit.
TEST_P(GlidingReadsTest, GiveTheScalarReadsBitForBit)
{
    for (const GlidingCase& c : kCases)
    {
        SCOPED_TRACE(c.what);
        const SeamlessRing rings[2] = {noiseRing(c.length, 12345u), noiseRing(c.length, 777u)};

        const auto n = static_cast<size_t>(c.n);
        std::vector<float> delays(n);
        float delay = c.delay;
        for (size_t k = 0; k < n; ++k)
        {
            delays[k] = delay;
            delay += c.perStep + (k % 13 == 12 ? c.jump : 0.0f);
        }

        std::vector<float> expected[2], actual[2], alone(n);
        for (int r = 0; r < 2; ++r)
        {
            expected[r].resize(n);
            actual[r].resize(n);
            for (size_t j = 0; j < n; ++j)
                expected[r][j] = readSeamlessCubic(rings[r].frames(), c.length,
                                                   static_cast<double>(c.first + static_cast<long>(j)) -
                                                       static_cast<double>(delays[j]));
        }

        // Both channels at once, and one alone.
        GetParam().read(rings[0].frames(), rings[1].frames(), c.length, c.first, delays.data(), c.n,
                        actual[0].data(), actual[1].data());
        GetParam().read(rings[1].frames(), nullptr, c.length, c.first, delays.data(), c.n, alone.data(),
                        nullptr);
        EXPECT_EQ(std::memcmp(expected[0].data(), actual[0].data(), n * sizeof(float)), 0);
        EXPECT_EQ(std::memcmp(expected[1].data(), actual[1].data(), n * sizeof(float)), 0);
        EXPECT_EQ(std::memcmp(expected[1].data(), alone.data(), n * sizeof(float)), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, GlidingReadsTest,
                         ::testing::Values(Variant{"Sse2", gliding_reads::readRunsSse2, Needs::Baseline},
                                           Variant{"Avx2", gliding_reads::readRunsAvx2, Needs::Avx2},
                                           Variant{"Avx512", gliding_reads::readRunsAvx512, Needs::Avx512},
                                           Variant{"Dispatched", readDispatched, Needs::Baseline}),
                         [](const ::testing::TestParamInfo<Variant>& info)
                         { return std::string(info.param.name); });
} // namespace
} // namespace vorl
