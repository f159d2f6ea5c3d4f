#include "widgets/ReadoutHuds.h"
#include "widgets/MotionHuds.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

DisplayState pitchRecord(const char* id, bool twice)
{
    DisplayState s;
    s.hudParamId = id;
    s.pitch2x = twice;
    s.pitchRateHz = 0.12f;
    s.pitchDepth = 20.0f;
    s.pitchCents = -50.0f;
    s.pitchRegen = 33.4f;
    s.pitchMix = 61.0f;
    return s;
}

TEST(PitchHud, ReadoutForEachControl)
{
    const struct
    {
        const char* id;
        bool twice;
        const char* title;
        const char* value;
        const char* highlight;
    } cases[] = {
        {"pitchRt", false, "PITCH LFO", "RATE  0.12 Hz", "RATE"},
        {"pitchRt", true, "PITCH LFO", "RATE  0.24 Hz", "RATE"},
        {"pitchDp", true, "PITCH LFO", "DEPTH  40%", "DEPTH"},
        {"pitchCt", true, "PITCH SHIFT", "-100.0 CENTS", ""},
        {"pitchFbk", true, "PITCH REGEN", "33%", ""}, // regeneration and mix ignore 2x
        {"pitchMix", true, "PITCH SHIFT", "61% WET", ""},
        {"pitchLB", false, "", "", ""},
        {"", false, "", "", ""},
    };
    for (const auto& c : cases)
    {
        const auto readout = PitchHud::readoutFor(pitchRecord(c.id, c.twice));
        EXPECT_EQ(readout.title, c.title) << c.id;
        EXPECT_EQ(readout.value, c.value) << c.id;
        EXPECT_EQ(readout.highlight, c.highlight) << c.id;
    }
    auto centred = pitchRecord("pitchCt", false);
    for (const float cents : {0.0f, kNaN})
    {
        centred.pitchCents = cents;
        EXPECT_EQ(PitchHud::readoutFor(centred).value, "0.0 CENTS");
    }
    centred.pitchCents = 12.34f;
    EXPECT_EQ(PitchHud::readoutFor(centred).value, "+12.3 CENTS");
}

// One box width for every read-out: at least as wide as each, so it never jumps.
TEST(PitchHud, BoxKeepsOneWidth)
{
    const PitchHud hud;
    for (const char* id : {"pitchRt", "pitchDp", "pitchCt", "pitchFbk", "pitchMix"})
    {
        const auto readout = PitchHud::readoutFor(pitchRecord(id, true));
        EXPECT_GE(hud.boxWidth, captionBoxWidth(readout.title, readout.value, 16.0f, 16.0f)) << id;
    }
}

TEST(WidthHud, TextsAcrossTheRange)
{
    const struct
    {
        float width;
        bool noMid;
        const char* number;
        const char* word;
        const char* mid;
        const char* side;
    } cases[] = {
        {7.5f, false, "0", "STEREO", "mid x1.00", "side x1.00"},
        {0.0f, false, "MONO", "MONO", "mid x1.00", "side x0.00"},
        {15.0f, false, "WIDEST", "WIDEST", "mid x1.00", "side x2.00"},
        {11.25f, true, "+50", "WIDE", "mid x0.00", "side x1.50"},
        {3.0f, false, "-60", "NARROW", "mid x1.00", "side x0.40"},
        {kNaN, false, "0", "STEREO", "mid x1.00", "side x1.00"},
        {kInf, false, "0", "STEREO", "mid x1.00", "side x1.00"},
    };
    for (const auto& c : cases)
    {
        const auto texts = WidthHud::textsFor(c.width, c.noMid);
        EXPECT_EQ(texts.number, c.number) << c.width;
        EXPECT_EQ(texts.word, c.word) << c.width;
        EXPECT_EQ(texts.mid, c.mid) << c.width;
        EXPECT_EQ(texts.side, c.side) << c.width;
    }
}

TEST(TarnelSingularityHud, ValueRoundsHalvesAwayFromZero)
{
    const std::pair<float, const char*> cases[] = {{-0.4f, "0%"},      {2.5f, "+3%"},     {-2.5f, "-3%"},
                                                   {-100.0f, "-100%"}, {100.0f, "+100%"}, {kNaN, "0%"}};
    for (const auto& [vorl, text] : cases)
        EXPECT_EQ(TarnelSingularityHud::vorlText(vorl), text) << vorl;
}

TEST(FaderReadoutHud, LongValueWidensTheBox)
{
    EXPECT_GT(captionBoxWidth("MIX", "a much longer value text", 9.0f, 16.0f),
              captionBoxWidth("MIX", "80%", 9.0f, 16.0f));
}

TEST(HudNoise, FlutterNoiseRepeatsEveryNineUnitsAndStaysInRange)
{
    for (float x = -20.0f; x < 20.0f; x += 0.37f)
    {
        EXPECT_FLOAT_EQ(HudNoise::wrapped(std::floor(x) + 9.0f, 41.0f),
                        HudNoise::wrapped(std::floor(x), 41.0f));
        for (const float value : {HudNoise::wrapped(x, 173.0f), HudNoise::plain(x, 11.0f)})
        {
            EXPECT_GE(value, -1.0f);
            EXPECT_LE(value, 1.0f);
        }
    }
}

TEST(ReadoutHuds, DrawAnyRecord)
{
    PitchHud pitch;
    FlutterHud flutter;
    WidthHud width;
    TarnelSingularityHud vorl;
    for (const char* id : {"pitchRt", "pitchCt", "flutSpd", "flutter"})
        for (const float value : {0.0f, -1.0e6f, 1.0e6f, kNaN, kInf, -kInf})
            for (auto* hud : std::initializer_list<GraphHud*>{&pitch, &flutter, &width, &vorl})
            {
                auto& s = hud->state;
                s.hudParamId = id;
                s.pitchRateHz = s.pitchDepth = s.pitchCents = s.flutterDepth = s.flutterSpeed = value;
                s.flutterPhase = s.slowPhase = s.width = s.vorl = value;
                juce::Image image(juce::Image::ARGB, 436, 106, true);
                juce::Graphics g(image);
                hud->drawHud(g, {0.0f, 0.0f, 436.0f, 106.0f});
            }
}
} // namespace
