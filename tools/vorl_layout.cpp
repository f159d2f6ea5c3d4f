// vorl-layout [--tempo BPM] [ID=VALUE ...]: prints the tap layout the engine would use for
// the given parameter values, as JSON.
#include "ParameterArguments.h"
#include "EngineParameters.h"
#include "LayoutDerivation.h"
#include "TapLayout.h"
#include "processor/ParameterLayout.h"
#include "processor/PluginProcessor.h"

#include <cstdio>
#include <iostream>

namespace
{
int fail(const juce::String& reason)
{
    std::cerr << "vorl-layout: " << reason << std::endl;
    return 2;
}
} // namespace

int main(int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI juceRuntime;
    TarnelDelayAudioProcessor processor;
    vorl::cli::resetToDefaults(processor);

    double tempo = 120.0;
    for (int i = 1; i < argc; ++i)
    {
        const auto argument = juce::String::fromUTF8(argv[i]);
        if (argument == "--tempo")
        {
            if (i + 1 >= argc || !vorl::cli::parseNumber(juce::String::fromUTF8(argv[i + 1]), tempo) || tempo <= 0.0)
                return fail("--tempo needs a tempo in BPM above 0");
            ++i;
        }
        else if (vorl::cli::isParameterAssignment(argument))
        {
            const auto error = vorl::cli::applyParameterAssignment(processor.apvts, argument);
            if (error.isNotEmpty())
                return fail(error);
        }
        else
        {
            return fail("unknown argument '" + argument + "' (usage: vorl-layout [--tempo BPM] [ID=VALUE ...])");
        }
    }

    // The same snapshot the engine takes at the start of a block.
    vorl::EngineParameterValues values;
    for (const auto* id : vorl::kParameterIds)
        if (auto* field = vorl::engineFieldFor(values, id))
            *field = processor.apvts.getRawParameterValue(id)->load();
    const auto derived = vorl::deriveLayoutInputs(values.layout, processor.tapCount.load(), static_cast<float>(tempo),
                                                  static_cast<uint32_t>(processor.seeds.wave.load()));
    vorl::TapLayout layout;
    vorl::TapLayoutResult result;
    layout.compute(derived.inputs, result);

    std::printf("{\"count\": %d, \"taps\": [", result.count);
    for (int i = 0; i < result.count; ++i)
    {
        const auto& tap = result.taps[(size_t)i];
        std::printf("%s[%.9g, %.9g, %.9g]", i == 0 ? "" : ", ", tap.timeMs, tap.gain, tap.stereoOffset);
    }
    std::printf("]}\n");
    return 0;
}
