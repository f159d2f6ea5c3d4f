#include "Renderer.h"

#include "PresetArgument.h"

#include "OfflinePlayHead.h"
#include "ParameterArguments.h"
#include "processor/PluginProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <ctime>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace vorl::render
{
namespace
{
constexpr double kMaxAutomaticTailSeconds = 15.0;
constexpr double kSilenceSeconds = 1.0;
const float kSilenceThreshold = juce::Decibels::decibelsToGain(-90.0f);

float toDb(double gain) { return gain > 0.0 ? static_cast<float>(20.0 * std::log10(gain)) : -200.0f; }

// A progress bar on stderr, drawn only when stderr is a terminal.
class Progress
{
public:
    explicit Progress(juce::int64 total) : total(total), enabled(isatty(2) != 0 && total > 0) {}
    ~Progress()
    {
        if (enabled && drawn)
            std::fprintf(stderr, "\r%60s\r", "");
    }
    void update(juce::int64 done)
    {
        if (!enabled)
            return;
        const int percent = static_cast<int>(juce::jlimit<juce::int64>(0, 100, done * 100 / total));
        if (percent == lastPercent)
            return;
        lastPercent = percent;
        drawn = true;
        const int filled = percent * 40 / 100;
        std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################", 40 - filled, "",
                     percent);
        std::fflush(stderr);
    }

private:
    juce::int64 total;
    bool enabled;
    bool drawn = false;
    int lastPercent = -1;
};
} // namespace

bool configureProcessor(TarnelDelayAudioProcessor& processor, const RenderOptions& options, juce::String& error)
{
    if (options.presetId.isNotEmpty() && !vorl::cli::applyPresetArgument(processor, options.presetId, error))
        return false;

    if (options.stateFile != juce::File())
    {
        juce::MemoryBlock state;
        if (!options.stateFile.loadFileAsData(state))
        {
            error = "cannot read the state file " + options.stateFile.getFullPathName();
            return false;
        }
        const auto versionBefore = processor.stateVersion.load();
        processor.setStateInformation(state.getData(), static_cast<int>(state.getSize()));
        if (processor.stateVersion.load() == versionBefore)
        {
            error = options.stateFile.getFullPathName() + " is not a Vorl Delay state";
            return false;
        }
    }

    for (const auto& assignment : options.assignments)
    {
        error = cli::applyParameterAssignment(processor.apvts, assignment);
        if (error.isNotEmpty())
            return false;
    }
    return true;
}

bool renderFile(TarnelDelayAudioProcessor& processor, const RenderOptions& options, RenderSummary& summary,
                juce::String& error)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    if (!options.input.existsAsFile())
    {
        error = "no such input file: " + options.input.getFullPathName();
        return false;
    }
    std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(options.input));
    if (reader == nullptr)
    {
        error = "cannot read " + options.input.getFullPathName() + " (WAV, AIFF or FLAC expected)";
        return false;
    }
    const int inputChannels = static_cast<int>(reader->numChannels);
    const double sampleRate = reader->sampleRate;
    if (inputChannels < 1 || inputChannels > 2)
    {
        error = "only mono or stereo input is supported, not " + juce::String(inputChannels) + " channels";
        return false;
    }
    if (!(sampleRate >= 8000.0 && sampleRate <= 768000.0))
    {
        error = "unsupported sample rate " + juce::String(sampleRate);
        return false;
    }

    // Written next to the output and moved into place at the end, so a failed render
    // never leaves a partial file behind.
    juce::TemporaryFile temporary(options.output);
    std::unique_ptr<juce::AudioFormatWriter> writer;
    {
        auto stream = temporary.getFile().createOutputStream();
        if (stream == nullptr)
        {
            error = "cannot write " + options.output.getFullPathName();
            return false;
        }
        juce::WavAudioFormat wav;
        writer.reset(wav.createWriterFor(stream.get(), sampleRate, 2, 32, {}, 0));
        if (writer == nullptr)
        {
            error = "cannot write a WAV file at " + options.output.getFullPathName();
            return false;
        }
        stream.release(); // the writer owns it now
    }

    const int blockSize = options.blockSize;
    host::OfflinePlayHead playHead(options.tempo, sampleRate);
    processor.setPlayHead(&playHead);
    processor.setRateAndBufferSizeDetails(sampleRate, blockSize);
    processor.prepareToPlay(sampleRate, blockSize);

    const juce::int64 inputLength = reader->lengthInSamples;
    const juce::int64 maxTail = static_cast<juce::int64>(
        sampleRate * (options.tailSeconds >= 0.0 ? options.tailSeconds : kMaxAutomaticTailSeconds));
    const juce::int64 silenceNeeded = static_cast<juce::int64>(sampleRate * kSilenceSeconds);
    Progress progress(inputLength + maxTail);

    juce::AudioBuffer<float> buffer(2, blockSize);
    juce::MidiBuffer midi;
    juce::int64 position = 0;
    juce::int64 quietRun = 0;
    double sumSquares = 0.0;
    float peak = 0.0f;
    const std::clock_t started = std::clock();

    while (true)
    {
        const juce::int64 tailDone = position - inputLength;
        if (tailDone >= maxTail)
            break;
        if (tailDone >= 0 && options.tailSeconds < 0.0 && quietRun >= silenceNeeded)
            break;

        const int n = static_cast<int>(juce::jmin<juce::int64>(
            blockSize, position < inputLength ? inputLength - position : maxTail - tailDone));
        buffer.setSize(2, n, false, false, true);
        buffer.clear();
        if (position < inputLength)
        {
            reader->read(&buffer, 0, n, position, true, inputChannels > 1);
            if (inputChannels == 1)
                buffer.copyFrom(1, 0, buffer, 0, 0, n); // a mono source feeds both inputs
        }

        playHead.setSamplePosition(position);
        processor.processBlock(buffer, midi);

        for (int channel = 0; channel < 2; ++channel)
        {
            const float* samples = buffer.getReadPointer(channel);
            for (int i = 0; i < n; ++i)
                sumSquares += static_cast<double>(samples[i]) * samples[i];
        }
        const float blockPeak = buffer.getMagnitude(0, n);
        peak = juce::jmax(peak, blockPeak);
        quietRun = blockPeak < kSilenceThreshold ? quietRun + n : 0;

        if (!writer->writeFromAudioSampleBuffer(buffer, 0, n))
        {
            error = "writing " + options.output.getFullPathName() + " failed";
            processor.setPlayHead(nullptr);
            return false;
        }
        position += n;
        progress.update(position);
    }
    processor.setPlayHead(nullptr);

    const double cpuSeconds = static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC;
    writer.reset(); // flushes the header
    if (!temporary.overwriteTargetFileWithTemporary())
    {
        error = "cannot write " + options.output.getFullPathName();
        return false;
    }

    summary.sampleRate = sampleRate;
    summary.inputSeconds = static_cast<double>(inputLength) / sampleRate;
    summary.tailSeconds = static_cast<double>(position - inputLength) / sampleRate;
    summary.peakDb = toDb(peak);
    summary.rmsDb = position > 0 ? toDb(std::sqrt(sumSquares / (2.0 * static_cast<double>(position)))) : -200.0f;
    summary.realTimeFactor = cpuSeconds > 0.0 ? static_cast<double>(position) / sampleRate / cpuSeconds : 0.0;
    return true;
}
} // namespace vorl::render
