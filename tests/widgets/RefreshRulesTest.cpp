#include "editor/RefreshRules.h"
#include "ValueCurves.h"

#include <gtest/gtest.h>

namespace
{
using namespace RefreshRules;

TEST(MagneticLength, SnapsOnceWithinEightMilliseconds)
{
    const struct
    {
        float slider;
        std::optional<float> target;
    } cases[] = {
        {731.6f, 731.0f},        // about 2003 ms: onto 1994 ms, the nearest whole slider step
        {731.4f, std::nullopt},  // 2000 ms, and within half a step of that slider step already
        {731.0f, std::nullopt},  // already there: no second move
        {732.0f, std::nullopt},  // 2009 ms is outside the window
        {1000.0f, std::nullopt}, // 14000 ms: nothing above 13 s snaps
    };
    for (const auto& c : cases)
        EXPECT_EQ(magneticLengthTarget(c.slider), c.target) << c.slider;
    EXPECT_FLOAT_EQ(lengthMs(731.0f), 1994.0f);

    // Near every magnetic value the Length moves at most once.
    for (const float magnet : kMagneticLengthsMs)
        for (const float offset : {-0.05f, 0.05f})
        {
            const float near = std::log(magnet / 10.0f) / std::log(1400.0f) * 1000.0f + offset;
            const float settled = magneticLengthTarget(near).value_or(near);
            EXPECT_FALSE(magneticLengthTarget(settled).has_value()) << magnet;
        }
}

TEST(SyncConversion, TimesGoToTheNearestNoteAndBack)
{
    // 250 ms at 120 BPM is an eighth note.
    const float start = vorl::msToTimeSlider(250.0f);
    EXPECT_EQ(timeToNote(start, 1.0f, 120.0f), 417.0f);
    EXPECT_EQ(noteIndex(417.0f), 7);
    EXPECT_NEAR(vorl::timeSliderToMs(timeToFree(417.0f, 1.0f, 120.0f)), 250.0f, 1.0f);

    // At 60 BPM a whole bar (4000 ms) only fits the free range with the factor 4.
    EXPECT_FLOAT_EQ(noteMs(2, 60.0f), 4000.0f);
    EXPECT_NEAR(timeToFree(833.0f, 4.0f, 60.0f), 650.0f, 0.5f);
    // Without a host tempo the conversions use 120 BPM.
    EXPECT_EQ(noteMs(5, 0.0f), 500.0f);
}

TEST(SyncConversion, RatesGoToTheNearestNoteAndBack)
{
    // 2 Hz at 120 BPM is a quarter note: index 5 of 12.
    const float twoHertz = vorl::hzToRateSlider(2.0f);
    EXPECT_EQ(rateToNote(twoHertz, vorl::rateSliderToHz, 120.0f), std::round(5.0f / 12.0f * 1000.0f));
    // The rate curve keeps whole slider steps, so the way back lands within a step.
    EXPECT_NEAR(vorl::rateSliderToHz(rateToFree(417.0f, vorl::hzToRateSlider, 120.0f)), 2.0f, 0.01f);
}

TEST(HudSelection, DragsWinOverHoverAndOnlyThreeReactToHover)
{
    const struct
    {
        const char* active;
        const char* hover;
        int mode;
        const char* paramId;
    } cases[] = {
        {"dcSteps", "", 2, ""},
        {"tDarken", "", 13, ""},
        {"lp", "", 1, ""},
        {"sat", "", 4, "sat"},
        {"tpWet", "", 5, "tpWet"},
        {"headBump", "", 6, "headBump"},
        {"flutSpd", "", 7, "flutSpd"},
        {"pitchMix", "", 11, "pitchMix"},
        {"spread", "", 14, ""},
        {"dcFall", "", 15, ""},
        {"pd", "", 12, ""},
        {"", "pd", 12, ""},
        {"", "mix", 9, ""},
        {"", "mout", 10, ""},
        {"", "hp", 0, ""},
        {"g", "mix", 0, ""},
        {"", "", 0, ""},
    };
    for (const auto& c : cases)
    {
        const auto selection = hudSelection(c.active, c.hover);
        EXPECT_EQ(selection.mode, c.mode) << c.active << "/" << c.hover;
        EXPECT_EQ(selection.paramId, c.paramId) << c.active << "/" << c.hover;
    }
}

TEST(Title, GlowStartsAboveFortyPercentMix)
{
    EXPECT_EQ(titleGlow(40.0f), 0.0f);
    EXPECT_EQ(titleGlow(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(titleGlow(100.0f), 1.0f);
    EXPECT_FLOAT_EQ(titleGlow(70.0f), 0.5f);
    EXPECT_EQ(titleColour(0.0f).withAlpha(1.0f), juce::Colour(0xffab8c44));
    EXPECT_NEAR(titleColour(0.0f).getFloatAlpha(), 0.783f, 0.004f);
    EXPECT_EQ(titleColour(100.0f), juce::Colour(0xffebe004));
}

TEST(BypassBlinkTest, BlinksEveryEightTicksAndRestores)
{
    BypassBlink blink;
    EXPECT_EQ(blink.tick(false), BypassBlink::Change::none);
    EXPECT_EQ(blink.tick(true), BypassBlink::Change::entered);
    for (int tick = 2; tick < 8; ++tick)
        EXPECT_EQ(blink.tick(true), BypassBlink::Change::none) << tick;
    EXPECT_EQ(blink.tick(true), BypassBlink::Change::blinkBright); // 8th tick
    for (int tick = 1; tick < 8; ++tick)
        EXPECT_EQ(blink.tick(true), BypassBlink::Change::none);
    EXPECT_EQ(blink.tick(true), BypassBlink::Change::blinkDim);
    EXPECT_EQ(blink.tick(false), BypassBlink::Change::left);
    EXPECT_EQ(blink.tick(false), BypassBlink::Change::none);
}
} // namespace
