#include "AllocationCounter.h"
#include "PlainValues.h"
#include "processor/ParameterLayout.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace
{
class ProcessorTest : public testing::Test
{
protected:
    float value(const char* id) { return vorl::test::plainValue(processor.apvts, id); }
    void setValue(const char* id, float plainValue)
    {
        vorl::test::setPlainValue(processor.apvts, id, plainValue);
    }
    static presets::Patch patchWith(std::initializer_list<std::pair<const char*, juce::var>> values)
    {
        auto* params = new juce::DynamicObject();
        for (const auto& [id, normalised] : values)
            params->setProperty(id, normalised);
        return {"Test Patch", "Weird", juce::var(params)};
    }

    TarnelDelayAudioProcessor processor;
};

TEST_F(ProcessorTest, AnswersHostQueriesLikeAStereoEffect)
{
    EXPECT_EQ(processor.getName(), "Vorl Delay");
    EXPECT_DOUBLE_EQ(processor.getTailLengthSeconds(), 15.0);
    EXPECT_FALSE(processor.acceptsMidi());
    EXPECT_FALSE(processor.producesMidi());
    EXPECT_EQ(processor.getNumPrograms(), 1);
    EXPECT_EQ(processor.getCurrentProgram(), 0);
    EXPECT_TRUE(processor.getProgramName(0).isEmpty());
    EXPECT_EQ(processor.getLatencySamples(), 0);
    EXPECT_TRUE(processor.hasEditor());
    ASSERT_EQ(processor.getBusCount(true), 1);
    ASSERT_EQ(processor.getBusCount(false), 1);
    EXPECT_EQ(processor.getBus(true, 0)->getName(), "Input");
    EXPECT_EQ(processor.getBus(false, 0)->getName(), "Output");
    EXPECT_EQ(processor.getTotalNumInputChannels(), 2);
    EXPECT_EQ(processor.getTotalNumOutputChannels(), 2);
    // A fresh instance starts on the default preset, which counts as one whole-state change.
    EXPECT_EQ(processor.currentPresetName, "INIT PATCH");
    EXPECT_EQ(processor.currentPresetBank, "Traditional");
    EXPECT_EQ(processor.stateVersion.load(), 1u);
    EXPECT_EQ(processor.getHistory().size(), 1);
}

// The window opens at the height of the sections as they were left: 504 with all four closed,
// the 788 cap with all open (the default).
TEST_F(ProcessorTest, EditorOpensAtItsDesignSize)
{
    for (const bool open : {false, true})
    {
        for (const char* title : {"TAPE", "PITCH / CHORUS", "WAVE", "TREMOLO"})
            processor.accordionLayout.setExpanded(title, open);
        std::unique_ptr<juce::AudioProcessorEditor> editor(processor.createEditor());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->getWidth(), 460);
        EXPECT_EQ(editor->getHeight(), open ? 788 : 504);
    }
}

TEST_F(ProcessorTest, ApplyPatchStartsFromDefaultsAndIgnoresUnknownKeys)
{
    setValue("dcFall", 40.0f);
    setValue("g", 55.0f);
    const auto before = processor.stateVersion.load();

    processor.applyPatch(patchWith({{"g", 1.0}, {"chaos", 0.9}, {"cwT", 0.1}, {"tapCnt", 15.0 / 63.0}}));

    EXPECT_FLOAT_EQ(value("dcFall"), 25.0f); // not in the patch: back to its default
    EXPECT_FLOAT_EQ(value("g"), 100.0f);
    EXPECT_FLOAT_EQ(value("tapCnt"), 16.0f);
    EXPECT_EQ(processor.tapCount.load(), 16);
    EXPECT_EQ(processor.currentPresetName, "Test Patch");
    EXPECT_EQ(processor.currentPresetBank, "Weird");
    EXPECT_EQ(processor.stateVersion.load(), before + 1);
    EXPECT_EQ(processor.getHistory().size(), 1); // presets do not add history steps
}

TEST_F(ProcessorTest, ApplyPatchSkipsValuesThatAreNotNumbersAndClampsTheRest)
{
    processor.applyPatch(patchWith({{"g", juce::var("loud")},
                                    {"s", std::numeric_limits<double>::quiet_NaN()},
                                    {"mix", 7.5},
                                    {"pd", -3.0}}));
    EXPECT_FLOAT_EQ(value("g"), 0.0f);
    EXPECT_FLOAT_EQ(value("s"), 320.0f);
    EXPECT_FLOAT_EQ(value("mix"), 100.0f);
    EXPECT_FLOAT_EQ(value("pd"), 0.0f);
}

// What a host hears of a parameter: the values the wrapper would pass on to it.
struct HostEar : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged(juce::AudioProcessor*, int index, float value) override
    {
        heard[index] = value;
    }
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
    std::map<int, float> heard;
};

int indexOf(const char* id)
{
    const auto found = std::find_if(vorl::kParameterIds.begin(), vorl::kParameterIds.end(),
                                    [&](const char* each) { return juce::String(each) == id; });
    return (int)(found - vorl::kParameterIds.begin());
}

// A preset or a host value between a switch's or a whole number's steps: the parameter holds the
// nearest step, and the host is told that step, never the value between.
TEST_F(ProcessorTest, SteppedParametersTellTheHostTheStepTheyHold)
{
    HostEar ear;
    processor.addListener(&ear);
    processor.applyPatch(patchWith({{"tapCnt", 0.49}, {"rev", 0.3}, {"trem", 0.5}, {"dcMode", 0.74}}));
    EXPECT_FLOAT_EQ(ear.heard[indexOf("tapCnt")], 31.0f / 63.0f); // 1 + 0.49 x 63 = 31.87: 32 taps
    EXPECT_FLOAT_EQ(value("tapCnt"), 32.0f);
    EXPECT_EQ(ear.heard[indexOf("rev")], 0.0f);
    EXPECT_EQ(ear.heard[indexOf("trem")], 1.0f);
    EXPECT_EQ(ear.heard[indexOf("dcMode")], 0.5f);

    // A host writing between the steps directly (as the VST3 wrapper does) is answered from the
    // message thread shortly after.
    ear.heard.clear();
    auto* reverse = processor.getParameters()[indexOf("rev")];
    reverse->setValue(0.8f);
    EXPECT_EQ(reverse->getValue(), 1.0f);
    juce::MessageManager::getInstance()->runDispatchLoopUntil(200);
    EXPECT_EQ(ear.heard.count(indexOf("rev")), 1u);
    EXPECT_EQ(ear.heard[indexOf("rev")], 1.0f);
    processor.removeListener(&ear);
}

TEST_F(ProcessorTest, ApplyPatchWithoutParamsObjectLeavesDefaults)
{
    setValue("mix", 12.0f);
    processor.applyPatch({"Empty", "", juce::var()});
    EXPECT_FLOAT_EQ(value("mix"), 80.0f);
    EXPECT_EQ(processor.currentPresetBank, "");
}

TEST_F(ProcessorTest, CaptureParamsListsEveryParameterNormalisedInHostOrder)
{
    setValue("g", 50.0f);
    const auto captured = processor.captureParams();
    auto* object = captured.getDynamicObject();
    ASSERT_NE(object, nullptr);
    const auto& properties = object->getProperties();
    ASSERT_EQ(properties.size(), vorl::kNumParameters);
    for (int i = 0; i < properties.size(); ++i)
    {
        EXPECT_EQ(properties.getName(i).toString(), juce::String(vorl::kParameterIds[(size_t)i]));
        EXPECT_TRUE(properties.getValueAt(i).isDouble());
    }
    EXPECT_DOUBLE_EQ((double)captured["g"], 0.75);

    // What is captured applies back to the same values.
    setValue("g", -20.0f);
    processor.applyPatch({"Round Trip", "", captured});
    EXPECT_FLOAT_EQ(value("g"), 50.0f);
}

TEST_F(ProcessorTest, HistoryKeepsTheLatest64AndDropsStepsAheadOnPush)
{
    for (int i = 0; i < 70; ++i)
    {
        setValue("g", (float)i);
        processor.pushHistory();
    }
    EXPECT_EQ(processor.getHistory().size(), 64);
    EXPECT_FALSE(processor.canStepHistoryForward());
    EXPECT_TRUE(processor.canStepHistoryBack());

    const auto before = processor.stateVersion.load();
    processor.stepHistoryBack();
    EXPECT_FLOAT_EQ(value("g"), 68.0f);
    EXPECT_EQ(processor.stateVersion.load(), before + 1);
    EXPECT_TRUE(processor.canStepHistoryForward());

    processor.stepHistoryForward();
    EXPECT_FLOAT_EQ(value("g"), 69.0f);
    processor.stepHistoryBack();

    setValue("g", -5.0f);
    processor.pushHistory(); // discards the snapshot ahead
    EXPECT_FALSE(processor.canStepHistoryForward());
    EXPECT_EQ(processor.getHistory().size(), 64);
    processor.stepHistoryBack();
    EXPECT_FLOAT_EQ(value("g"), 68.0f);
}

TEST_F(ProcessorTest, HistoryStepsBeyondEitherEndDoNothing)
{
    const auto before = processor.stateVersion.load();
    processor.stepHistoryBack();
    processor.stepHistoryForward();
    EXPECT_EQ(processor.stateVersion.load(), before);
    EXPECT_EQ(processor.getHistory().currentIndex(), 0);
}

TEST_F(ProcessorTest, HistoryStepRestoresTheSeedsOfItsSnapshot)
{
    processor.pushHistory();
    const int tremoloSeed = processor.seeds.tremolo.load();
    processor.reseedAllLfos();
    processor.pushHistory();
    processor.stepHistoryBack();
    EXPECT_EQ(processor.seeds.tremolo.load(), tremoloSeed);
}

TEST_F(ProcessorTest, TapCountListenerRoundsAndClamps)
{
    struct Case
    {
        float value;
        int expected;
    };
    for (const auto& c : {Case{63.5f, 64}, Case{0.2f, 1}, Case{12.4f, 12}, Case{1000.0f, 300}, Case{-4.0f, 1},
                          Case{std::numeric_limits<float>::quiet_NaN(), 1}})
    {
        processor.parameterChanged("tapCnt", c.value);
        EXPECT_EQ(processor.tapCount.load(), c.expected) << c.value;
    }
    processor.parameterChanged("g", 20.0f);
    EXPECT_EQ(processor.tapCount.load(), 1);
}

TEST_F(ProcessorTest, SeedsStartFromFixedPatternsAndReseedWritesTheState)
{
    EXPECT_EQ(processor.seeds.tremolo.load(), -1059128610);
    EXPECT_EQ(processor.seeds.wave.load(), 1592590337);
    EXPECT_EQ(processor.seeds.pitch.load(), 668265263);
    const auto seedState = processor.apvts.state.getChildWithName("SeedState");
    ASSERT_TRUE(seedState.isValid());
    EXPECT_EQ((int)seedState["tremLfoSeed"], -1059128610);

    processor.reseedWaveLfo();
    EXPECT_EQ((int)processor.apvts.state.getChildWithName("SeedState")["waveLfoSeed"],
              processor.seeds.wave.load());
    EXPECT_EQ(processor.seeds.tremolo.load(), -1059128610);
}

TEST_F(ProcessorTest, ProcessBlockDoesNotAllocate)
{
    processor.prepareToPlay(48000.0, 256);
    juce::AudioBuffer<float> buffer(2, 256);
    juce::MidiBuffer midi;
    setValue("tp", 1.0f);
    setValue("pitchOn", 1.0f);
    setValue("trem", 1.0f);
    setValue("wo", 1.0f);
    processor.applyPatch({"Reset", "", {}}); // the engine reset then runs inside a block

    std::size_t allocations = 0;
    for (int block = 0; block < 32; ++block)
    {
        for (int i = 0; i < 256; ++i)
        {
            const float sample = std::sin(0.05f * (float)(block * 256 + i));
            buffer.setSample(0, i, sample);
            buffer.setSample(1, i, sample);
        }
        setValue("g", (float)block); // a Vorl move every block
        const vorl::test::ScopedAllocationCounter counter;
        processor.processBlock(buffer, midi);
        allocations += counter.allocations();
    }
    EXPECT_EQ(allocations, 0u);
}

TEST_F(ProcessorTest, MixBypassPassesTheInputScaledByTheMaster)
{
    setValue("mixByp", 1.0f);
    setValue("mout", -6.0f);
    processor.prepareToPlay(44100.0, 128);
    juce::AudioBuffer<float> buffer(2, 128);
    juce::MidiBuffer midi;
    const float gain = std::pow(10.0f, -6.0f / 20.0f);
    for (int block = 0; block < 40; ++block)
    {
        for (int i = 0; i < 128; ++i)
        {
            buffer.setSample(0, i, 0.5f);
            buffer.setSample(1, i, -0.25f);
        }
        processor.processBlock(buffer, midi);
        ASSERT_NEAR(buffer.getSample(0, 77), 0.5f * gain, 1e-6f) << block;
        ASSERT_NEAR(buffer.getSample(1, 77), -0.25f * gain, 1e-6f) << block;
    }
    EXPECT_NEAR(processor.outputPeak, 0.5f * gain, 1e-6f);
}

TEST_F(ProcessorTest, ProcessBlockClearsChannelsBeyondStereo)
{
    processor.prepareToPlay(44100.0, 64);
    juce::AudioBuffer<float> buffer(4, 64);
    for (int channel = 0; channel < 4; ++channel)
        for (int i = 0; i < 64; ++i)
            buffer.setSample(channel, i, 0.25f);
    juce::MidiBuffer midi;
    processor.processBlock(buffer, midi);
    EXPECT_FLOAT_EQ(buffer.getMagnitude(2, 0, 64), 0.0f);
    EXPECT_FLOAT_EQ(buffer.getMagnitude(3, 0, 64), 0.0f);
}
} // namespace
