#include "CubicRunKernels.h"
#include "CubicReader.h"
#include "SeamlessRing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace vorl
{
namespace
{
enum class Variant
{
    Sse2,
    Avx2,
    Dispatched // the one the engine runs on this CPU
};

const char* nameOf(Variant v)
{
    return v == Variant::Sse2 ? "Sse2" : v == Variant::Avx2 ? "Avx2" : "Dispatched";
}

void accumulateWith(Variant v, const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                    float gain, float scale, float* wet)
{
    if (v == Variant::Sse2)
        SettledReadKernel{}(xsimd::sse2{}, ring, length, index, n, w, gain, scale, wet);
    else if (v == Variant::Avx2)
        SettledReadKernel{}(xsimd::avx2{}, ring, length, index, n, w, gain, scale, wet);
    else
        accumulateSettledReads(ring, length, index, n, w, gain, scale, wet);
}

int readWith(Variant v, const float* ring, int length, int index, int n, const CatmullRomWeights& w,
             float* out)
{
    if (v == Variant::Sse2)
        return RunReadKernel{}(xsimd::sse2{}, ring, length, index, n, w, out);
    if (v == Variant::Avx2)
        return RunReadKernel{}(xsimd::avx2{}, ring, length, index, n, w, out);
    return readSeamlessRuns(ring, length, index, n, w, out);
}

struct ReadCase
{
    const char* what;
    int length;
    int start;
    int n;
    float t;
    float gain;
    float scale;
};

const ReadCase kCases[] = {
    {"a block inside the ring", 1000, 17, 256, 0.3f, 0.7f, 1.0f},
    {"a block across the seam", 300, 250, 256, 0.8f, 0.5f, 1.0f},
    {"a ping-pong scale", 1000, 3, 256, 0.55f, 0.9f, 0.35f},
    {"fewer frames than one vector", 64, 0, 5, 0.1f, 1.0f, 1.0f},
    {"a ring shorter than the block", 37, 30, 256, 0.25f, 0.6f, 0.8f},
    {"runs that are no multiple of the vector width", 1000, 999, 131, 0.9f, 1.3f, -0.4f},
    {"a read that ends on the seam", 300, 44, 256, 0.5f, 1.0f, 1.0f},
};

// A case's ring of noise, and the scalar reader at its start that gives the expected values.
struct CaseRing
{
    SeamlessRing ring;
    CubicReader reader;

    explicit CaseRing(const ReadCase& c)
    {
        ring.prepare(c.length);
        uint32_t state = 12345u;
        for (int i = 0; i < c.length; ++i)
        {
            state = state * 1664525u + 1013904223u;
            ring.write(i, static_cast<float>(state >> 8) / 8388608.0f - 1.0f);
        }
        reader.start(ring.frames(), c.length, 1, 0, c.start + static_cast<double>(c.t));
    }
};

// Every variant must give the scalar reader's numbers to the last bit: vectors only put frames
// side by side, they never change the sums.
class CubicRunKernelsTest : public ::testing::TestWithParam<Variant>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Variant::Avx2 && !__builtin_cpu_supports("avx2"))
            GTEST_SKIP() << "no AVX2 on this CPU and system";
    }

    static std::vector<float> busBefore(int n)
    {
        std::vector<float> bus(static_cast<size_t>(n));
        for (int j = 0; j < n; ++j)
            bus[static_cast<size_t>(j)] = 0.01f * static_cast<float>(j % 7) - 0.02f;
        return bus;
    }

    static bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
    {
        return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
    }
};

TEST_P(CubicRunKernelsTest, AddsTheScalarReadersValuesBitForBit)
{
    for (const ReadCase& c : kCases)
    {
        SCOPED_TRACE(c.what);
        CaseRing r(c);

        std::vector<float> expected = busBefore(c.n);
        for (float& sample : expected)
            sample += c.gain * r.reader.next() * c.scale;

        std::vector<float> actual = busBefore(c.n);
        accumulateWith(GetParam(), r.ring.frames(), c.length, c.start, c.n, r.reader.getWeights(), c.gain,
                       c.scale, actual.data());
        EXPECT_TRUE(sameBits(expected, actual));
    }
}

TEST_P(CubicRunKernelsTest, StoresTheScalarReadersValuesBitForBitAndWhereTheyEnd)
{
    for (const ReadCase& c : kCases)
    {
        SCOPED_TRACE(c.what);
        CaseRing r(c);

        std::vector<float> expected(static_cast<size_t>(c.n));
        for (float& sample : expected)
            sample = r.reader.next();

        std::vector<float> actual(static_cast<size_t>(c.n));
        const int next = readWith(GetParam(), r.ring.frames(), c.length, c.start, c.n, r.reader.getWeights(),
                                  actual.data());
        EXPECT_TRUE(sameBits(expected, actual));
        EXPECT_EQ(next, (c.start + c.n) % c.length);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, CubicRunKernelsTest,
                         ::testing::Values(Variant::Sse2, Variant::Avx2, Variant::Dispatched),
                         [](const ::testing::TestParamInfo<Variant>& info) { return nameOf(info.param); });

TEST(CubicRunDispatch, TakesTheWidestVariantTheCpuHas)
{
    // AVX2 only where both the CPU and the operating system support it.
    const bool wide = __builtin_cpu_supports("avx2");
    EXPECT_STREQ(cubicRunArchitecture(), wide ? "avx2" : "sse2");
}
} // namespace
} // namespace vorl
