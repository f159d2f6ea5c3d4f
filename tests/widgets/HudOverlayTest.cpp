#include "widgets/HudOverlay.h"

#include <gtest/gtest.h>

namespace
{
class CountingHud : public HudOverlay
{
public:
    void drawHud(juce::Graphics&, juce::Rectangle<float>) override { ++draws; }
    int draws = 0;
};

int ticksUntilStill(HudOverlay& hud)
{
    int ticks = 0;
    while (hud.isFading() && ticks < 100)
    {
        hud.stepFade();
        ++ticks;
    }
    return ticks;
}

void paintOnce(HudOverlay& hud)
{
    juce::Image image(juce::Image::ARGB, 40, 20, true);
    juce::Graphics g(image);
    hud.paint(g);
}

TEST(HudOverlay, NeverTakesClicksAndStartsHidden)
{
    CountingHud hud;
    bool self = true, children = true;
    hud.getInterceptsMouseClicks(self, children);
    EXPECT_FALSE(self);
    EXPECT_FALSE(children);
    EXPECT_FALSE(hud.isVisible());
    paintOnce(hud);
    EXPECT_EQ(hud.draws, 0);
}

// Twelve 60 Hz steps in, twelve out; drawn from the first tick until it disappears.
TEST(HudOverlay, FadesInAndOutInTwelveTicks)
{
    CountingHud hud;
    hud.setBounds(0, 0, 40, 20);
    hud.setShown(true);
    EXPECT_TRUE(hud.isVisible());
    EXPECT_TRUE(hud.isFading());
    hud.stepFade();
    paintOnce(hud);
    EXPECT_EQ(hud.draws, 1) << "drawn one tick after being shown";
    EXPECT_EQ(ticksUntilStill(hud), 11);
    EXPECT_FLOAT_EQ(hud.getLevel(), 1.0f);

    hud.setShown(false);
    for (int tick = 0; tick < 11; ++tick)
        hud.stepFade();
    EXPECT_TRUE(hud.isVisible());
    EXPECT_GT(hud.getLevel(), 0.0f);
    hud.stepFade();
    EXPECT_FLOAT_EQ(hud.getLevel(), 0.0f);
    EXPECT_FALSE(hud.isVisible());
    EXPECT_FALSE(hud.isFading());
}

TEST(HudOverlay, ShowingAgainWhileFadingOutKeepsItVisible)
{
    CountingHud hud;
    hud.setShown(true);
    ticksUntilStill(hud);
    hud.setShown(true); // no change: nothing starts
    EXPECT_FALSE(hud.isFading());

    hud.setShown(false);
    for (int tick = 0; tick < 5; ++tick)
        hud.stepFade();
    hud.setShown(true);
    for (int tick = 0; tick < 20; ++tick)
    {
        hud.stepFade();
        EXPECT_TRUE(hud.isVisible()) << tick;
    }
    EXPECT_FLOAT_EQ(hud.getLevel(), 1.0f);
}
} // namespace
