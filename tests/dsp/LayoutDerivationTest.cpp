#include "LayoutDerivation.h"

#include <gtest/gtest.h>

namespace vorl
{
namespace
{
TEST(LayoutDerivation, DefaultsGiveTheFactoryPattern)
{
    const auto d = deriveLayoutInputs(LayoutParameterValues{}, 64, 120.0f, 99u);
    const auto& in = d.inputs;
    EXPECT_EQ(in.startMs, 30.0f);
    EXPECT_EQ(in.endMs, 301.0f);
    EXPECT_EQ(in.lengthMs, 2408.0f);
    EXPECT_EQ(in.predelayMs, 0.0f);
    EXPECT_EQ(in.tapCount, 64);
    EXPECT_NEAR(in.curve, -70.0f, 1e-3f);
    EXPECT_EQ(in.decayMode, 0);
    EXPECT_EQ(in.decaySteps, 4);
    EXPECT_EQ(in.decayFalloff, 25.0f);
    EXPECT_TRUE(in.dynamicSmoothing);
    EXPECT_FALSE(in.waveOn);
    EXPECT_NEAR(in.waveRateHz, 1.2004f, 1e-4f);
    EXPECT_EQ(in.waveSeed, 99u);
    EXPECT_FALSE(d.userView.tapFlip);
}

TEST(LayoutDerivation, TimesFourAppliesOnlyWithoutTapSync)
{
    LayoutParameterValues values;
    values.io2x = 1.0f;
    auto d = deriveLayoutInputs(values, 64, 120.0f, 0u);
    EXPECT_EQ(d.inputs.startMs, 120.0f);
    EXPECT_EQ(d.inputs.endMs, 1204.0f);

    values.mu = 1.0f;
    values.s = 583.0f;  // roundf(12 - 6.996) = 5: a quarter note
    values.e = 1000.0f; // index 0: four bars of quarter notes
    d = deriveLayoutInputs(values, 64, 120.0f, 0u);
    EXPECT_FLOAT_EQ(d.inputs.startMs, 500.0f);
    EXPECT_FLOAT_EQ(d.inputs.endMs, 8000.0f);
    values.s = 0.0f; // index 12: 1/128
    d = deriveLayoutInputs(values, 64, 90.0f, 0u);
    EXPECT_FLOAT_EQ(d.inputs.startMs, 60000.0f / 90.0f / 32.0f);
}

TEST(LayoutDerivation, TapFlipSwapsSpacingAndMirrorsVorlOnlyAfterTheUserView)
{
    LayoutParameterValues values;
    values.g = 35.0f;
    values.flipped = 1.0f;
    const auto d = deriveLayoutInputs(values, 64, 120.0f, 0u);
    EXPECT_EQ(d.userView.inputs.startMs, 30.0f);
    EXPECT_EQ(d.userView.inputs.endMs, 301.0f);
    EXPECT_EQ(d.userView.inputs.vorl, 35.0f);
    EXPECT_TRUE(d.userView.tapFlip);
    EXPECT_EQ(d.inputs.startMs, 301.0f);
    EXPECT_EQ(d.inputs.endMs, 30.0f);
    EXPECT_EQ(d.inputs.vorl, -35.0f);
}

TEST(LayoutDerivation, SwitchesAndChoicesFollowTheirThresholds)
{
    LayoutParameterValues values;
    values.rev = 0.5f; // exactly half is off
    values.dc = 0.51f;
    values.dcMode = 1.99f;
    values.dcSteps = 16.0f;
    values.lsh = 5.7f;
    values.wo = 1.0f;
    auto d = deriveLayoutInputs(values, 500, -3.0f, 0u);
    EXPECT_FALSE(d.inputs.reverse);
    EXPECT_TRUE(d.inputs.dynamicSmoothing);
    EXPECT_EQ(d.inputs.decayMode, 1);
    EXPECT_EQ(d.inputs.decaySteps, 16);
    EXPECT_EQ(d.inputs.waveShape, 5);
    EXPECT_TRUE(d.inputs.waveOn);
    EXPECT_EQ(d.inputs.tapCount, 300);
    EXPECT_EQ(d.inputs.tempoBpm, 120.0f); // a tempo that is not above 0 counts as 120
    d = deriveLayoutInputs(values, 0, 120.0f, 0u);
    EXPECT_EQ(d.inputs.tapCount, 1);
}

class LayoutChangeTest : public ::testing::Test
{
protected:
    LayoutChange changeAfter(void (*edit)(LayoutParameterValues&), float tempoAfter = 120.0f)
    {
        LayoutParameterValues after = before;
        edit(after);
        return classifyLayoutChange(deriveLayoutInputs(before, 64, 120.0f, 5u).userView,
                                    deriveLayoutInputs(after, 64, tempoAfter, 5u).userView);
    }

    LayoutParameterValues before;
};

TEST_F(LayoutChangeTest, EachEditIsClassifiedByHowVoicesMustFollowIt)
{
    struct Case
    {
        const char* name;
        void (*edit)(LayoutParameterValues&);
        bool structural, gain, vorl, direction;
    };
    const Case cases[] = {
        {"nothing", [](LayoutParameterValues&) {}, false, false, false, false},
        {"length", [](LayoutParameterValues& v) { v.fb = 700.0f; }, true, false, false, false},
        {"predelay", [](LayoutParameterValues& v) { v.pd = 10.0f; }, true, false, false, false},
        {"start", [](LayoutParameterValues& v) { v.s = 400.0f; }, true, false, false, false},
        {"times four", [](LayoutParameterValues& v) { v.io2x = 1.0f; }, true, false, false, false},
        {"wave on", [](LayoutParameterValues& v) { v.wo = 1.0f; }, true, false, false, false},
        {"wave offset", [](LayoutParameterValues& v) { v.woOff = 10.0f; }, true, false, false, false},
        {"decay curve", [](LayoutParameterValues& v) { v.dcv = 120.0f; }, false, true, false, false},
        {"falloff", [](LayoutParameterValues& v) { v.dcFall = 5.0f; }, false, true, false, false},
        {"smoothing", [](LayoutParameterValues& v) { v.dc = 0.0f; }, false, true, false, false},
        {"vorl", [](LayoutParameterValues& v) { v.g = 12.0f; }, false, false, true, false},
        {"reverse", [](LayoutParameterValues& v) { v.rev = 1.0f; }, false, false, false, true},
        // Flip swaps Start/End and mirrors Vorl, but the user view keeps them: only a jump.
        {"flip", [](LayoutParameterValues& v) { v.flipped = 1.0f; }, false, false, false, true},
    };
    for (const auto& c : cases)
    {
        const auto change = changeAfter(c.edit);
        EXPECT_EQ(change.structural, c.structural) << c.name;
        EXPECT_EQ(change.gain, c.gain) << c.name;
        EXPECT_EQ(change.vorl, c.vorl) << c.name;
        EXPECT_EQ(change.direction, c.direction) << c.name;
        EXPECT_EQ(change.any(), c.structural || c.gain || c.vorl || c.direction) << c.name;
    }
}

TEST_F(LayoutChangeTest, TempoMattersOnlyThroughSyncedFeatures)
{
    EXPECT_FALSE(changeAfter([](LayoutParameterValues&) {}, 121.0f).any());

    before.mu = 1.0f; // Tap Sync turns tempo into Start and End
    EXPECT_TRUE(changeAfter([](LayoutParameterValues&) {}, 121.0f).structural);

    before.mu = 0.0f;
    before.waveSync = 1.0f;
    EXPECT_TRUE(changeAfter([](LayoutParameterValues&) {}, 121.0f).structural);
    // Under Wave Sync the raw rate picks the note value even when the Hz value is unused.
    EXPECT_TRUE(changeAfter([](LayoutParameterValues& v) { v.lrs = 600.0f; }).structural);
}

TEST(LayoutChange, FirstBlockRecomputesEverythingButDoesNotJump)
{
    constexpr LayoutChange first = initialLayoutChange();
    EXPECT_TRUE(first.structural && first.gain && first.vorl);
    EXPECT_FALSE(first.direction);
}
} // namespace
} // namespace vorl
