#include "StereoWidth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vorl
{
namespace
{
struct StereoSignal
{
    std::vector<float> left, right;

    static StereoSignal make(int n, float monoAmount)
    {
        StereoSignal s;
        for (int i = 0; i < n; ++i)
        {
            const float common = std::sin(0.05f * i);
            const float different = std::cos(0.13f * i) * 0.5f;
            s.left.push_back(common + (1.0f - monoAmount) * different);
            s.right.push_back(common - (1.0f - monoAmount) * different);
        }
        return s;
    }
};
constexpr int kLength = 256;
} // namespace

TEST(Width, NeutralSettingLeavesTheImage)
{
    StereoSignal s = StereoSignal::make(kLength, 0.0f);
    const StereoSignal original = s;
    applyWidth(s.left.data(), s.right.data(), kLength, 7.5f, false);
    for (int i = 0; i < kLength; ++i)
    {
        EXPECT_NEAR(s.left[i], original.left[i], 1e-6f);
        EXPECT_NEAR(s.right[i], original.right[i], 1e-6f);
    }
}

TEST(Width, ZeroFoldsToMono)
{
    StereoSignal s = StereoSignal::make(kLength, 0.0f);
    applyWidth(s.left.data(), s.right.data(), kLength, 0.0f, false);
    for (int i = 0; i < kLength; ++i)
        ASSERT_EQ(s.left[i], s.right[i]);
}

TEST(Width, FullWidthDoublesTheSideAndKeepsTheMid)
{
    StereoSignal s = StereoSignal::make(kLength, 0.0f);
    const StereoSignal original = s;
    applyWidth(s.left.data(), s.right.data(), kLength, 15.0f, false);
    for (int i = 0; i < kLength; ++i)
    {
        EXPECT_NEAR(s.left[i] - s.right[i], 2.0f * (original.left[i] - original.right[i]), 1e-5f);
        EXPECT_NEAR(s.left[i] + s.right[i], original.left[i] + original.right[i], 1e-5f);
    }
}

TEST(Width, NoMidSilencesAMonoSignal)
{
    for (float width : {0.0f, 7.5f, 15.0f})
    {
        StereoSignal s = StereoSignal::make(kLength, 1.0f);
        applyWidth(s.left.data(), s.right.data(), kLength, width, true);
        for (int i = 0; i < kLength; ++i)
        {
            ASSERT_EQ(s.left[i], 0.0f);
            ASSERT_EQ(s.right[i], 0.0f);
        }
    }
}

TEST(Width, NoMidKeepsOnlyTheSides)
{
    StereoSignal s = StereoSignal::make(kLength, 0.0f);
    const StereoSignal original = s;
    applyWidth(s.left.data(), s.right.data(), kLength, 7.5f, true);
    for (int i = 0; i < kLength; ++i)
    {
        const float side = (original.left[i] - original.right[i]) / 2.0f;
        EXPECT_NEAR(s.left[i], side, 1e-6f);
        EXPECT_NEAR(s.right[i], -side, 1e-6f);
    }
}
} // namespace vorl
