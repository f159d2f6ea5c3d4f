#include "widgets/TapeHuds.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct TextCase
{
    float value;
    const char* text;
};

TEST(TapeHuds, CaptionTexts)
{
    for (const auto& c :
         {TextCase{0.0f, "BYP"}, TextCase{-5.0f, "BYP"}, TextCase{35.7f, "35%"}, TextCase{kNaN, "BYP"}})
        EXPECT_EQ(TapeChainHud::driveText(c.value), c.text) << c.value;
    for (const auto& c : {TextCase{0.0f, "2.00 kHz"}, TextCase{50.0f, "4.90 kHz"},
                          TextCase{100.0f, "12.0 kHz"}, TextCase{kNaN, "12.0 kHz"}})
        EXPECT_EQ(TapeChainHud::cutoffText(c.value), c.text) << c.value;
    for (const auto& c : {TextCase{0.0f, "-6.0 dB"}, TextCase{50.0f, "+0.0 dB"}, TextCase{100.0f, "+6.0 dB"},
                          TextCase{25.0f, "-3.0 dB"}, TextCase{kInf, "+0.0 dB"}})
        EXPECT_EQ(TapeChainHud::outputText(c.value), c.text) << c.value;
    for (const auto& c : {TextCase{0.0f, "100% DRY"}, TextCase{62.4f, "62% WET"},
                          TextCase{100.0f, "100% WET"}, TextCase{kNaN, "100% DRY"}})
        EXPECT_EQ(TapeMixHud::mixText(c.value), c.text) << c.value;
    for (const auto& c : {TextCase{0.0f, "0.0 dB"}, TextCase{50.0f, "3.0 dB"}, TextCase{100.0f, "6.0 dB"},
                          TextCase{250.0f, "6.0 dB"}, TextCase{kNaN, "0.0 dB"}})
        EXPECT_EQ(BumpHud::bumpText(c.value), c.text) << c.value;
}

TEST(TapeHuds, BumpBellRisesWithTheBump)
{
    EXPECT_EQ(BumpHud::bellHeight(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(BumpHud::bellHeight(100.0f), 16.5f); // 0.55 x 30 design units
    EXPECT_FLOAT_EQ(BumpHud::bellHeight(1000.0f), 16.5f);
}

bool drawsAnything(GraphHud& hud)
{
    juce::Image image(juce::Image::ARGB, 436, 106, true);
    {
        juce::Graphics g(image);
        hud.drawHud(g, {0.0f, 0.0f, 436.0f, 106.0f});
    }
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt(x, y).getAlpha() != 0)
                return true;
    return false;
}

// The chain overlay belongs to drive, cutoff and output only.
TEST(TapeHuds, ChainDrawsOnlyForItsThreeControls)
{
    TapeChainHud hud;
    for (const char* id : {"tBoost", "sat", "td"})
    {
        hud.state.hudParamId = id;
        EXPECT_TRUE(drawsAnything(hud)) << id;
    }
    for (const char* id : {"tpWet", "", "headBump"})
    {
        hud.state.hudParamId = id;
        EXPECT_FALSE(drawsAnything(hud)) << id;
    }
}

TEST(TapeHuds, DrawAnyRecord)
{
    TapeChainHud chain;
    TapeMixHud mix;
    BumpHud bump;
    for (const char* id : {"tBoost", "sat", "td"})
        for (const float value : {0.0f, -1.0e6f, 1.0e6f, kNaN, kInf, -kInf})
            for (auto* hud : std::initializer_list<GraphHud*>{&chain, &mix, &bump})
            {
                auto& s = hud->state;
                s.hudParamId = id;
                s.tapeIn = s.tapeLpf = s.tapeOut = s.tapeMix = s.headBump = value;
                drawsAnything(*hud);
            }
}
} // namespace
