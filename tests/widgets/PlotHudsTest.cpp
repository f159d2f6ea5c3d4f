#include "widgets/PlotHuds.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(DecayHud, TailAndFalloffTexts)
{
    const struct
    {
        float curve;
        const char* tail;
    } tails[] = {{-140.0f, "-45.0 dB tail"}, {0.0f, "-20.0 dB tail"}, {140.0f, "-6.0 dB tail"},
                 {-70.0f, "-32.5 dB tail"},  {kNaN, "-32.5 dB tail"}, {-1.0e9f, "-120.0 dB tail"}};
    for (const auto& c : tails)
        EXPECT_EQ(DecayHud::tailText(c.curve), c.tail) << c.curve;

    const struct
    {
        float falloff;
        const char* text;
    } falloffs[] = {{0.0f, "fade off"},
                    {-3.0f, "fade off"},
                    {25.0f, "25% fade"},
                    {12.6f, "13% fade"},
                    {kNaN, "fade off"}};
    for (const auto& c : falloffs)
        EXPECT_EQ(DecayHud::falloffText(c.falloff), c.text) << c.falloff;
}

TEST(WearHud, WearText)
{
    const struct
    {
        float wear;
        const char* text;
    } cases[] = {{0.0f, "BYP"},    {-1.0f, "BYP"}, {37.9f, "37%"},
                 {100.0f, "100%"}, {kNaN, "BYP"},  {kInf, "BYP"}};
    for (const auto& c : cases)
        EXPECT_EQ(WearHud::wearText(c.wear), c.text) << c.wear;
}

// Records at and beyond the ends of their ranges, and not numbers at all, draw without fault.
TEST(PlotHuds, DrawAnyRecord)
{
    EqHud eq;
    DecayHud decay;
    WearHud wear;
    for (const float value : {0.0f, -1.0e6f, 1.0e6f, kNaN, kInf, -kInf})
    {
        for (auto* hud : std::initializer_list<GraphHud*>{&eq, &decay, &wear})
        {
            auto& s = hud->state;
            s.hpHz = s.lpHz = s.decayCurve = s.decayFalloff = s.tapeWear = value;
            s.decayHandleY = s.wearHandleY = value;
            juce::Image image(juce::Image::ARGB, 436, 106, true);
            juce::Graphics g(image);
            hud->drawHud(g, {0.0f, 0.0f, 436.0f, 106.0f});
        }
    }
}
} // namespace
