#include "FactoryBankCompiler.h"
#include "ValueCurves.h"

#include <gtest/gtest.h>

namespace
{
juce::var compileOne(const juce::String& presetLines, juce::StringArray* errors = nullptr)
{
    const auto result =
        vorl::presetgen::compileFactoryBanks({"Test.txt"}, {"bank B\npreset P\n" + presetLines});
    if (errors != nullptr)
        *errors = result.errors;
    if (!result.errors.isEmpty())
        return {};
    return juce::JSON::parse(result.document)["banks"][0]["patches"][0]["params"];
}

double value(const juce::var& params, const char* id)
{
    return (double)params[id];
}

TEST(PresetCompiler, ConvertsEachUnitWithTheParametersOwnCurves)
{
    const auto params = compileOne("Start = 30 ms\n"
                                   "End = 1 s\n"
                                   "Length = 2408 ms\n"
                                   "Predelay = 500 ms\n"
                                   "HP = 200 Hz\n"
                                   "LP = 22 kHz\n"
                                   "Master = -12 dB\n"
                                   "Vorl = -50\n"
                                   "Tap Count = 16\n"
                                   "Decay Mode = wavey\n"
                                   "Wave Shape = smooth random\n"
                                   "Wave Rate = 1.2 Hz\n"
                                   "Trem Shape = falling saw\n"
                                   "Pitch = 10 ct\n"
                                   "Pitch Rate = 1 Hz\n"
                                   "Wave Phase = 90 deg\n"
                                   "Dry/Wet = 25 %\n"
                                   "tp = on\n");
    ASSERT_TRUE(params.isObject());
    EXPECT_NEAR(value(params, "s"), 0.320, 1e-6);
    EXPECT_NEAR(value(params, "e"), 0.650, 1e-6);
    EXPECT_NEAR(value(params, "fb"), 0.757, 1e-4);
    EXPECT_NEAR(value(params, "pd"), 0.25, 1e-7);
    EXPECT_NEAR(value(params, "hp"), 0.43459, 1e-4);
    EXPECT_NEAR(value(params, "lp"), 1.0, 1e-5);
    EXPECT_NEAR(value(params, "mout"), 0.5, 1e-3); // -12 dB sits at the control's centre
    EXPECT_NEAR(value(params, "g"), 0.25, 1e-7);
    EXPECT_NEAR(value(params, "tapCnt"), 15.0 / 63.0, 1e-7);
    EXPECT_NEAR(value(params, "dcMode"), 1.0, 1e-7);
    EXPECT_NEAR(value(params, "lsh"), 6.0 / 7.0, 1e-7);
    EXPECT_NEAR(value(params, "lrs"), vorl::hzToRateSlider(1.2f) / 1000.0, 1e-3);
    EXPECT_NEAR(value(params, "tremSh"), 4.0 / 7.0, 1e-7);
    EXPECT_NEAR(value(params, "pitchRt"), 0.543, 1e-6);
    EXPECT_NEAR(value(params, "woPh"), 0.75, 1e-7);
    EXPECT_NEAR(value(params, "mix"), 0.25, 1e-7);
    EXPECT_EQ(value(params, "tp"), 1.0);
    EXPECT_FALSE(params.hasProperty("dcFall")); // stays at its default unless set
    EXPECT_EQ(value(params, "chaos"), 0.0);
}

TEST(PresetCompiler, NoteValuesFollowTheirSyncSwitch)
{
    const auto params = compileOne("Tap Sync = on\nStart = 1/8\nEnd = 4b\n"
                                   "Trem Sync = on\nTrem Rate = 1/16\n");
    ASSERT_TRUE(params.isObject());
    EXPECT_NEAR(value(params, "s"), 5.0 / 12.0, 1e-7); // note index 7
    EXPECT_NEAR(value(params, "e"), 1.0, 1e-7);        // note index 0
    EXPECT_NEAR(value(params, "tremR"), 9.0 / 12.0, 1e-7);
}

TEST(PresetCompiler, ReportsMistakesWithTheirLine)
{
    struct Case
    {
        const char* line;
        const char* expected;
        const char* where = "Test.txt:3:";
    };
    for (const auto& c :
         {Case{"Loudness = 3", "unknown parameter"}, Case{"Predelay = 3000 ms", "is 0 to 2000"},
          Case{"Start = 1/8", "needs Tap Sync on"}, Case{"Dry/Wet = 50", "expected \"%\""},
          Case{"Tape = maybe", "on or off"}, Case{"Length = 5 ms", "Length is"},
          Case{"Vorl = 10\nVorl = 20", "set twice", "Test.txt:4:"},
          Case{"Wave Shape = wobbly", "expected sine"}, Case{"g = norm 1.5", "0 to 1"}})
    {
        juce::StringArray errors;
        compileOne(c.line, &errors);
        ASSERT_EQ(errors.size(), 1) << c.line << ": " << errors.joinIntoString("; ");
        EXPECT_TRUE(errors[0].startsWith(c.where)) << errors[0];
        EXPECT_TRUE(errors[0].contains(c.expected)) << errors[0];
    }

    const auto result = vorl::presetgen::compileFactoryBanks({"T.txt"}, {"bank B\npreset P\npreset P\n"});
    EXPECT_TRUE(result.document.isEmpty());
    ASSERT_EQ(result.errors.size(), 1);
    EXPECT_TRUE(result.errors[0].contains("exists twice"));
}

TEST(PresetCompiler, OmittedParametersAndExtraKeysFollowTheSource)
{
    const auto params = compileOne("omit Tap Count, mixByp\nextra falloff = 0.5\n");
    ASSERT_TRUE(params.isObject());
    EXPECT_FALSE(params.hasProperty("tapCnt"));
    EXPECT_FALSE(params.hasProperty("mixByp"));
    EXPECT_EQ(value(params, "falloff"), 0.5);
    const auto& properties = params.getDynamicObject()->getProperties();
    EXPECT_EQ(properties.getName(properties.size() - 1).toString(), "falloff");
}
} // namespace
