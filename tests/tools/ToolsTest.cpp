#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace
{
struct ToolResult
{
    int exitCode = -1;
    juce::String output; // stdout only
    juce::String errors; // stderr only
};

// Runs a tool with its stdout and stderr captured separately (through files).
ToolResult runTool(const juce::StringArray& command)
{
    const juce::TemporaryFile out, err;
    juce::StringArray quoted;
    for (const auto& part : command)
        quoted.add(part.quoted('\''));
    const auto line = quoted.joinIntoString(" ") + " >" + out.getFile().getFullPathName().quoted('\'') +
                      " 2>" + err.getFile().getFullPathName().quoted('\'');
    ToolResult result;
    result.exitCode = WEXITSTATUS(std::system(line.toRawUTF8()));
    result.output = out.getFile().loadFileAsString();
    result.errors = err.getFile().loadFileAsString();
    return result;
}

class ToolsTest : public testing::Test
{
protected:
    void SetUp() override { folder.createDirectory(); }
    void TearDown() override { folder.deleteRecursively(); }

    juce::File file(const char* name) const { return folder.getChildFile(name); }

    juce::File makeInput(const char* name, int channels, double rate, double seconds)
    {
        const auto path = file(name);
        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatWriter> writer(
            wav.createWriterFor(path.createOutputStream().release(), rate, (unsigned)channels, 24, {}, 0));
        juce::AudioBuffer<float> buffer(channels, (int)(rate * seconds));
        buffer.clear();
        for (int channel = 0; channel < channels; ++channel)
            for (int i = 0; i < (int)(rate * 0.05); ++i)
                buffer.setSample(channel, i, 0.5f * std::sin(0.05f * (float)i));
        writer->writeFromAudioSampleBuffer(buffer, 0, buffer.getNumSamples());
        return path;
    }

    static std::unique_ptr<juce::AudioFormatReader> openWav(const juce::File& path)
    {
        juce::AudioFormatManager formats;
        formats.registerBasicFormats();
        return std::unique_ptr<juce::AudioFormatReader>(formats.createReaderFor(path));
    }

    juce::File folder =
        juce::File::getSpecialLocation(juce::File::tempDirectory)
            .getChildFile("vorl-tools-" + juce::String(juce::Random::getSystemRandom().nextInt64()));
};

TEST_F(ToolsTest, LayoutPrintsTheDefaultPatternAsJson)
{
    const auto result = runTool({VORL_LAYOUT_TOOL});
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    const auto json = juce::JSON::parse(result.output);
    ASSERT_TRUE(json.isObject()) << result.output;
    const int count = json["count"];
    EXPECT_GT(count, 1);
    ASSERT_EQ(json["taps"].size(), count);
    EXPECT_EQ((double)json["taps"][0][0], 0.0); // the first tap sits at the predelay
    for (int i = 0; i < count; ++i)
    {
        const auto& tap = json["taps"][i];
        ASSERT_EQ(tap.size(), 3);
        EXPECT_GE((double)tap[1], 0.0);
        EXPECT_LE((double)tap[1], 1.8);
        EXPECT_EQ((double)tap[2], 0.0); // no stereo offset while the wave is off
        if (i > 0)
            EXPECT_GE((double)tap[0] - (double)json["taps"][i - 1][0], 4.0 - 1e-4);
    }
}

TEST_F(ToolsTest, LayoutFollowsValuesAndTempo)
{
    const auto result =
        runTool({VORL_LAYOUT_TOOL, "--tempo", "100", "mu=1", "s=500", "e=500", "tapCnt=4", "pd=10"});
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    const auto json = juce::JSON::parse(result.output);
    ASSERT_EQ((int)json["count"], 4);
    // s=500 is note index 6 (1/8 triplet): 600 ms per beat x 2/3.
    EXPECT_NEAR((double)json["taps"][1][0] - (double)json["taps"][0][0], 400.0, 1e-3);
    EXPECT_NEAR((double)json["taps"][0][0], 10.0, 1e-6);
}

TEST_F(ToolsTest, LayoutRejectsBadArgumentsWithOneLineAndExitCode2)
{
    for (const auto& args :
         {juce::StringArray{"nope=3"}, juce::StringArray{"g=loud"}, juce::StringArray{"g="},
          juce::StringArray{"g=400"}, juce::StringArray{"--tempo", "-5"}})
    {
        juce::StringArray command{VORL_LAYOUT_TOOL};
        command.addArray(args);
        const auto result = runTool(command);
        EXPECT_EQ(result.exitCode, 2) << args.joinIntoString(" ");
        EXPECT_TRUE(result.output.isEmpty()) << args.joinIntoString(" ");
        EXPECT_EQ(juce::StringArray::fromLines(result.errors.trim()).size(), 1) << result.errors;
    }
    EXPECT_TRUE(runTool({VORL_LAYOUT_TOOL, "nope=3"}).errors.contains("nope"));
}

TEST_F(ToolsTest, RenderWritesFloatWavWithTailAndSummary)
{
    const auto input = makeInput("in.wav", 1, 44100.0, 0.5);
    const auto output = file("out.wav");
    const auto result = runTool({VORL_RENDER_TOOL, input.getFullPathName(), output.getFullPathName(),
                                 "mix=50", "tapCnt=3", "--tail", "1.5", "--block", "100"});
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_TRUE(result.output.contains("peak")) << result.output;
    EXPECT_TRUE(result.output.contains("real time")) << result.output;

    const auto reader = openWav(output);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->sampleRate, 44100.0);
    EXPECT_EQ(reader->numChannels, 2u);
    EXPECT_EQ(reader->bitsPerSample, 32u);
    EXPECT_TRUE(reader->usesFloatingPointData);
    EXPECT_EQ(reader->lengthInSamples, (juce::int64)(44100 * 0.5) + (juce::int64)(44100 * 1.5));
}

TEST_F(ToolsTest, RenderSavesAndLoadsState)
{
    const auto input = makeInput("in.wav", 2, 48000.0, 0.2);
    const auto state = file("state.bin");
    auto first = runTool({VORL_RENDER_TOOL, input.getFullPathName(), file("a.wav").getFullPathName(), "g=-42",
                          "--tail", "0.1", "--save-state", state.getFullPathName()});
    ASSERT_EQ(first.exitCode, 0) << first.errors;
    ASSERT_TRUE(state.existsAsFile());

    auto second = runTool({VORL_RENDER_TOOL, input.getFullPathName(), file("b.wav").getFullPathName(),
                           "--state", state.getFullPathName(), "--tail", "0.1"});
    ASSERT_EQ(second.exitCode, 0) << second.errors;
    juce::MemoryBlock a, b;
    file("a.wav").loadFileAsData(a);
    file("b.wav").loadFileAsData(b);
    EXPECT_EQ(a, b); // the same settings render the same samples
}

TEST_F(ToolsTest, RenderFailsCleanlyAndLeavesNoPartialOutput)
{
    const auto input = makeInput("in.wav", 2, 48000.0, 0.1);
    const auto notAudio = file("text.wav");
    notAudio.replaceWithText("not audio");
    const auto output = file("out.wav");
    const juce::StringArray cases[] = {
        {VORL_RENDER_TOOL, file("missing.wav").getFullPathName(), output.getFullPathName()},
        {VORL_RENDER_TOOL, notAudio.getFullPathName(), output.getFullPathName()},
        {VORL_RENDER_TOOL, input.getFullPathName(), output.getFullPathName(), "bogus=1"},
        {VORL_RENDER_TOOL, input.getFullPathName(), output.getFullPathName(), "g=abc"},
        {VORL_RENDER_TOOL, input.getFullPathName(), output.getFullPathName(), "--state",
         notAudio.getFullPathName()},
        {VORL_RENDER_TOOL, input.getFullPathName(), output.getFullPathName(), "--block", "0"},
        {VORL_RENDER_TOOL, input.getFullPathName(), output.getFullPathName(), "--preset", "No/Such Preset"},
        {VORL_RENDER_TOOL, input.getFullPathName(), file("no-dir/out.wav").getFullPathName()},
        {VORL_RENDER_TOOL, input.getFullPathName()},
    };
    for (const auto& command : cases)
    {
        const auto result = runTool(command);
        EXPECT_NE(result.exitCode, 0) << command.joinIntoString(" ");
        EXPECT_TRUE(result.errors.startsWith("vorl-render: ")) << result.errors;
        EXPECT_FALSE(output.exists()) << command.joinIntoString(" ");
    }
    EXPECT_EQ(folder.getNumberOfChildFiles(juce::File::findFiles), 2); // only the inputs remain
}

TEST_F(ToolsTest, DemoSoundRendersThroughThePlugin)
{
    const auto dry = file("demo.wav");
    ASSERT_EQ(runTool({VORL_DEMO_TOOL, dry.getFullPathName()}).exitCode, 0);
    const auto result = runTool({VORL_RENDER_TOOL, dry.getFullPathName(), file("wet.wav").getFullPathName()});
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    const auto reader = openWav(file("wet.wav"));
    ASSERT_NE(reader, nullptr);
    EXPECT_GT(reader->lengthInSamples, openWav(dry)->lengthInSamples); // the tail was appended
}
} // namespace
