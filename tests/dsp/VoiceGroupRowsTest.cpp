#include "GlideRows.h"
#include "WornFilterRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <string>

namespace vorl
{
namespace
{
float noise(uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
}

bool sameBits(const float* a, const float* b, int n)
{
    return std::memcmp(a, b, static_cast<size_t>(n) * sizeof(float)) == 0;
}

// Group sizes from one voice to a full group of sixteen (on both sides of each vector of four and
// eight voices), and chunk lengths that are no multiple of a vector of four or eight samples: the
// rows side by side must give each voice's own sample-by-sample numbers.
struct GroupShape
{
    int count;
    int m;
};
const GroupShape kShapes[] = {{1, 64}, {3, 61}, {4, 7},  {5, 64}, {8, 64},  {8, 3},   {7, 1},
                              {6, 12}, {2, 20}, {9, 20}, {12, 7}, {13, 61}, {16, 64}, {16, 3}};

// Each instruction set's variant, and the one the engine takes on this CPU.
template <class Run> struct Variant
{
    const char* name;
    Run run;
    bool needsAvx2;
};

template <class Run> void PrintTo(const Variant<Run>& variant, std::ostream* os)
{
    *os << variant.name;
}

template <class Run> class VariantTest : public ::testing::TestWithParam<Variant<Run>>
{
protected:
    void SetUp() override
    {
        if (this->GetParam().needsAvx2 && !__builtin_cpu_supports("avx2"))
            GTEST_SKIP() << "no AVX2 on this CPU and system";
    }
};

template <class Run> std::string variantName(const ::testing::TestParamInfo<Variant<Run>>& info)
{
    return info.param.name;
}

using GlideRowsTest = VariantTest<glide_rows::Glide>;

// What the engine calls, on the variant this CPU runs.
void glideDispatched(GlideRows& rows, float* now, const float* target, const float* shift, int count,
                     float coef, int m) noexcept
{
    rows.glide(now, target, shift, count, coef, m);
}

// Without any shift the right rows are not needed (both channels read at the left delays), so
// they are compared only where some voice has one.
TEST_P(GlideRowsTest, StepEachVoiceAsItsOwnGlideDoes)
{
    for (const bool shifted : {true, false})
        for (const GroupShape& shape : kShapes)
        {
            SCOPED_TRACE(testing::Message() << shape.count << " voices, " << shape.m << " samples, "
                                            << (shifted ? "shifted" : "no shift"));
            float now[GlideRows::kMaxVoices], target[GlideRows::kMaxVoices], shift[GlideRows::kMaxVoices];
            for (int g = 0; g < shape.count; ++g)
            {
                now[g] = 1000.0f + 397.3f * static_cast<float>(g);
                target[g] = now[g] + (g % 2 == 0 ? 55.5f : -80.25f);
                shift[g] = shifted ? 12.0f * static_cast<float>(g % 3) : 0.0f;
            }
            // One voice already at its target, one a single float step short of it near each end
            // of a group (their glides round away and must be nudged), one reading past its
            // shift on the right, one gliding below a delay of zero.
            target[0] = now[0];
            if (shape.count > 1)
                now[1] = std::nextafter(target[1], 0.0f);
            if (shape.count > 2 && shifted)
                shift[2] = now[2] + 100.0f;
            if (shape.count > 3)
            {
                now[3] = 0.01f;
                target[3] = -10.0f;
            }
            if (shape.count > 5)
                now[shape.count - 1] = std::nextafter(target[shape.count - 1], 1e9f);
            // Nudges from zero to the smallest subnormal of either sign, below zero, and from
            // below zero up through -0 (whose left delay must stay -0, as std::max gives it).
            const float tiniest = std::numeric_limits<float>::denorm_min();
            if (shape.count > 11)
            {
                now[11] = -tiniest;
                target[11] = tiniest;
                now[8] = 0.0f;
                target[8] = tiniest;
                now[9] = -0.0f;
                target[9] = -tiniest;
                target[10] = -100.0f;
                now[10] = std::nextafter(target[10], -1e9f);
            }
            const float coef = 1.0f - std::exp(-1.0f / 960.0f);

            float expectedNow[GlideRows::kMaxVoices];
            std::copy_n(now, shape.count, expectedNow);
            float expectedLeft[GlideRows::kMaxVoices][GlideRows::kChunk];
            float expectedRight[GlideRows::kMaxVoices][GlideRows::kChunk];
            for (int j = 0; j < shape.m; ++j)
                for (int g = 0; g < shape.count; ++g)
                {
                    expectedNow[g] = glideTowards(expectedNow[g], target[g], coef);
                    expectedLeft[g][j] = std::max(expectedNow[g], 0.0f);
                    expectedRight[g][j] = expectedNow[g] - std::min(expectedNow[g], shift[g]);
                }

            GlideRows rows;
            GetParam().run(rows, now, target, shift, shape.count, coef, shape.m);
            EXPECT_TRUE(sameBits(expectedNow, now, shape.count));
            if (shape.count > 1)
            {
                EXPECT_EQ(now[1], target[1]);
            }
            const bool rightRowsRead =
                std::any_of(shift, shift + shape.count, [](float s) { return s != 0.0f; });
            for (int g = 0; g < shape.count; ++g)
            {
                EXPECT_TRUE(sameBits(expectedLeft[g], rows.left[g], shape.m)) << "voice " << g;
                if (rightRowsRead)
                {
                    EXPECT_TRUE(sameBits(expectedRight[g], rows.right[g], shape.m)) << "voice " << g;
                }
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Variants, GlideRowsTest,
                         ::testing::Values(Variant<glide_rows::Glide>{"Sse2", glide_rows::glideSse2, false},
                                           Variant<glide_rows::Glide>{"Avx2", glide_rows::glideAvx2, true},
                                           Variant<glide_rows::Glide>{"Dispatched", glideDispatched, false}),
                         variantName<glide_rows::Glide>);

using WornFilterRowsTest = VariantTest<worn_filter::FilterRows>;

// Voice g's row in the sets of worn rows.
struct WornVoice
{
    WornRows& rows;
    int r;

    WornVoice(WornRows* sets, int g) : rows(sets[g / WornRows::kMax]), r(g % WornRows::kMax) {}
};

TEST_P(WornFilterRowsTest, AddEachVoiceThroughItsFilterInVoiceOrder)
{
    constexpr int kVoices = kWornSets * WornRows::kMax;
    for (const GroupShape& shape : kShapes)
    {
        SCOPED_TRACE(testing::Message() << shape.count << " voices, " << shape.m << " samples");
        uint32_t state = 99u;
        WornRows sets[kWornSets];
        for (int g = 0; g < shape.count; ++g)
        {
            const WornVoice v(sets, g);
            for (int j = 0; j < shape.m; ++j)
            {
                v.rows.readL[v.r][j] = noise(state);
                v.rows.readR[v.r][j] = noise(state);
            }
            v.rows.stateL[v.r] = 0.1f * noise(state);
            v.rows.stateR[v.r] = 0.1f * noise(state);
            v.rows.gain[v.r] = 0.5f + 0.4f * noise(state);
            v.rows.coef[v.r] = 0.2f + 0.1f * noise(state);
            v.rows.scaleL[v.r] = g % 2 == 0 ? 1.0f : 0.35f; // ping-pong scales
            v.rows.scaleR[v.r] = g % 2 == 0 ? 0.35f : 1.0f;
        }
        float busL[WornRows::kChunk], busR[WornRows::kChunk];
        for (int j = 0; j < shape.m; ++j)
        {
            busL[j] = 0.01f * static_cast<float>(j % 5);
            busR[j] = -0.02f * static_cast<float>(j % 3);
        }

        float expectedL[WornRows::kChunk], expectedR[WornRows::kChunk];
        std::copy_n(busL, shape.m, expectedL);
        std::copy_n(busR, shape.m, expectedR);
        float stateL[kVoices], stateR[kVoices];
        for (int g = 0; g < shape.count; ++g)
        {
            const WornVoice v(sets, g);
            stateL[g] = v.rows.stateL[v.r];
            stateR[g] = v.rows.stateR[v.r];
        }
        for (int j = 0; j < shape.m; ++j)
            for (int g = 0; g < shape.count; ++g)
            {
                const WornVoice v(sets, g);
                stateL[g] += (v.rows.gain[v.r] * v.rows.readL[v.r][j] - stateL[g]) * v.rows.coef[v.r];
                stateR[g] += (v.rows.gain[v.r] * v.rows.readR[v.r][j] - stateR[g]) * v.rows.coef[v.r];
                expectedL[j] += stateL[g] * v.rows.scaleL[v.r];
                expectedR[j] += stateR[g] * v.rows.scaleR[v.r];
            }

        GetParam().run(sets, shape.count, shape.m, busL, busR);
        EXPECT_TRUE(sameBits(expectedL, busL, shape.m));
        EXPECT_TRUE(sameBits(expectedR, busR, shape.m));
        for (int g = 0; g < shape.count; ++g)
        {
            const WornVoice v(sets, g);
            EXPECT_TRUE(sameBits(&stateL[g], &v.rows.stateL[v.r], 1)) << "voice " << g;
            EXPECT_TRUE(sameBits(&stateR[g], &v.rows.stateR[v.r], 1)) << "voice " << g;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Variants, WornFilterRowsTest,
    ::testing::Values(Variant<worn_filter::FilterRows>{"Sse2", worn_filter::filterRowsSse2, false},
                      Variant<worn_filter::FilterRows>{"Avx2", worn_filter::filterRowsAvx2, true},
                      Variant<worn_filter::FilterRows>{"Dispatched", filterWornRows, false}),
    variantName<worn_filter::FilterRows>);
} // namespace
} // namespace vorl
