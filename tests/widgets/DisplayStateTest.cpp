#include "editor/DisplayState.h"
#include "PlainValues.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

namespace
{
TEST(DisplayState, DefaultRecordHoldsTheDocumentedStartValues)
{
    const DisplayState s;
    EXPECT_FLOAT_EQ(s.decayCurve, -70.0f);
    EXPECT_EQ(s.decaySteps, 4);
    EXPECT_FLOAT_EQ(s.decayFalloff, 25.0f);
    EXPECT_FLOAT_EQ(s.decayHandleY, 0.5f);
    EXPECT_FLOAT_EQ(s.wearHandleY, 0.5f);
    EXPECT_EQ(s.waveSeed, 0x5eed0001u);
    EXPECT_EQ(s.tremSeed, 0xc0defadeu);
    EXPECT_FLOAT_EQ(s.hpHz, 300.0f);
    EXPECT_FLOAT_EQ(s.lpHz, 8000.0f);
    EXPECT_FLOAT_EQ(s.lengthMs, 2400.0f);
    EXPECT_FLOAT_EQ(s.pitchRateHz, 0.12f);
    EXPECT_FLOAT_EQ(s.hudScale, 1.0f);
    EXPECT_EQ(s.hudMode, 0);
    EXPECT_TRUE(s.hudParamId.isEmpty());
}

// Each field from its parameter, through its curve, for values away from the defaults.
TEST(DisplayState, ReadsEveryFieldFromItsParameterThroughItsCurve)
{
    TarnelDelayAudioProcessor processor;
    auto set = [&](const char* id, float plain) { vorl::test::setPlainValue(processor.apvts, id, plain); };
    set("wo", 1.0f);
    set("lrs", 1000.0f);
    set("lfoDp", 33.0f);
    set("lsh", 5.0f);
    set("tremR", 0.0f);
    set("tremSh", 7.0f);
    set("ppW", 12.0f);
    set("ppOn", 0.0f);
    set("dcv", 0.0f);
    set("dcMode", 2.0f);
    set("dcSteps", 9.0f);
    set("hp", 1000.0f);
    set("lp", 0.0f);
    set("fb", 500.0f);
    set("pitchRt", 0.0f);
    set("pitch2x", 1.0f);
    set("mout", -12.0f);
    set("g", -42.0f);
    processor.seeds.wave.store(1234);

    const auto s = readDisplayState(processor);
    EXPECT_TRUE(s.waveOn);
    EXPECT_NEAR(s.waveRateHz, 8.0f, 1e-3f);
    EXPECT_FLOAT_EQ(s.waveDensity, 33.0f);
    EXPECT_EQ(s.waveShape, 5);
    EXPECT_NEAR(s.tremRateHz, 0.15f, 1e-4f);
    EXPECT_EQ(s.tremShape, 7);
    EXPECT_TRUE(s.pingPongOn); // the amount decides, not the switch
    EXPECT_FLOAT_EQ(s.pingPongAmount, 12.0f);
    EXPECT_FLOAT_EQ(s.decayCurve, -100.0f); // -100 x cos(0)
    EXPECT_EQ(s.decayMode, 2);
    EXPECT_EQ(s.decaySteps, 9);
    EXPECT_NEAR(s.hpHz, 4000.0f, 0.5f);
    EXPECT_NEAR(s.lpHz, 500.0f, 0.01f);
    EXPECT_FLOAT_EQ(s.lengthMs, 374.0f); // round(10 x 1400^0.5)
    EXPECT_FLOAT_EQ(s.pitchRateHz, 0.0f);
    EXPECT_TRUE(s.pitch2x);
    EXPECT_NEAR(s.masterDb, -12.0f, 0.05f);
    EXPECT_FLOAT_EQ(s.vorl, -42.0f);
    EXPECT_FLOAT_EQ(s.dryWet, s.mix);
    EXPECT_EQ(s.waveSeed, 1234u);
    // The refresh cycle's and the visualizer's fields keep their defaults.
    EXPECT_FLOAT_EQ(s.decayHandleY, 0.5f);
    EXPECT_EQ(s.hudMode, 0);
    EXPECT_FLOAT_EQ(s.flutterPhase, 0.0f);
}
} // namespace
