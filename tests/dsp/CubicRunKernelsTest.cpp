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
    Avx512,
    Dispatched // the one the engine runs on this CPU
};

const char* nameOf(Variant v)
{
    return v == Variant::Sse2     ? "Sse2"
           : v == Variant::Avx2   ? "Avx2"
           : v == Variant::Avx512 ? "Avx512"
                                  : "Dispatched";
}

void accumulateWith(Variant v, const float* ring, int length, int index, int n, const CatmullRomWeights& w,
                    float gain, float scale, float* wet)
{
    if (v == Variant::Sse2)
        SettledReadKernel{}(xsimd::sse2{}, ring, length, index, n, w, gain, scale, wet);
    else if (v == Variant::Avx2)
        SettledReadKernel{}(xsimd::avx2{}, ring, length, index, n, w, gain, scale, wet);
    else if (v == Variant::Avx512)
        SettledReadKernel{}(xsimd::avx512f{}, ring, length, index, n, w, gain, scale, wet);
    else
        accumulateSettledReads(ring, length, index, n, w, gain, scale, wet);
}

void accumulatePairWith(Variant v, const float* ring, const int* index, int n, const CatmullRomWeights* w,
                        const float* gain, const float* scale, float* wet)
{
    if (v == Variant::Sse2)
        SettledPairKernel{}(xsimd::sse2{}, ring, index, n, w, gain, scale, wet);
    else if (v == Variant::Avx2)
        SettledPairKernel{}(xsimd::avx2{}, ring, index, n, w, gain, scale, wet);
    else if (v == Variant::Avx512)
        SettledPairKernel{}(xsimd::avx512f{}, ring, index, n, w, gain, scale, wet);
    else
        accumulateSettledPairReads(ring, index, n, w, gain, scale, wet);
}

int readWith(Variant v, const float* ring, int length, int index, int n, const CatmullRomWeights& w,
             float* out)
{
    if (v == Variant::Sse2)
        return RunReadKernel{}(xsimd::sse2{}, ring, length, index, n, w, out);
    if (v == Variant::Avx2)
        return RunReadKernel{}(xsimd::avx2{}, ring, length, index, n, w, out);
    if (v == Variant::Avx512)
        return RunReadKernel{}(xsimd::avx512f{}, ring, length, index, n, w, out);
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
        if (GetParam() == Variant::Avx512 && !__builtin_cpu_supports("avx512f"))
            GTEST_SKIP() << "no AVX-512 on this CPU and system";
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

// Two taps in one pass over the bus must add exactly what the two would add one after the other.
TEST_P(CubicRunKernelsTest, APairAddsWhatItsTwoTapsAddInTurn)
{
    struct PairCase
    {
        const char* what;
        int index[2];
        float t[2];
        float gain[2];
        float scale[2];
        int n;
    };
    const PairCase cases[] = {
        {"two taps, no ping-pong", {17, 600}, {0.3f, 0.85f}, {0.7f, 0.4f}, {1.0f, 1.0f}, 256},
        {"ping-pong scales on one side", {3, 250}, {0.0f, 0.5f}, {0.9f, 1.1f}, {1.0f, 0.35f}, 256},
        {"a run that is no multiple of the vector width",
         {1, 700},
         {0.99f, 0.01f},
         {0.5f, 0.5f},
         {0.2f, 1.0f},
         131},
        {"a run that ends on the ring's end", {744, 10}, {0.6f, 0.4f}, {1.0f, 0.8f}, {1.0f, 1.0f}, 256},
    };
    for (const PairCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        CaseRing r(ReadCase{c.what, 1000, 0, c.n, 0.0f, 1.0f, 1.0f});
        const CatmullRomWeights w[2] = {CatmullRomWeights::at(c.t[0]), CatmullRomWeights::at(c.t[1])};

        std::vector<float> expected = busBefore(c.n);
        for (int v = 0; v < 2; ++v)
            accumulateSettledReads(r.ring.frames(), 1000, c.index[v], c.n, w[v], c.gain[v], c.scale[v],
                                   expected.data());
        std::vector<float> actual = busBefore(c.n);
        accumulatePairWith(GetParam(), r.ring.frames(), c.index, c.n, w, c.gain, c.scale, actual.data());
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
                         ::testing::Values(Variant::Sse2, Variant::Avx2, Variant::Avx512,
                                           Variant::Dispatched),
                         [](const ::testing::TestParamInfo<Variant>& info) { return nameOf(info.param); });

TEST(CubicRunDispatch, TakesTheWidestVariantTheCpuHas)
{
    // A wider set only where both the CPU and the operating system support it.
    const char* widest = __builtin_cpu_supports("avx512f") ? "avx512f"
                         : __builtin_cpu_supports("avx2")  ? "avx2"
                                                           : "sse2";
    EXPECT_STREQ(cubicRunArchitecture(), widest);
}
} // namespace
} // namespace vorl
