// vorl-render: runs the real processor over an audio file, like a DAW's bounce.
#include "Renderer.h"
#include "processor/PluginProcessor.h"

#include <cstdio>
#include <iostream>

int main(int argc, char* argv[])
{
    juce::StringArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.add(juce::String::fromUTF8(argv[i]));

    vorl::render::RenderOptions options;
    juce::String error;
    if (!vorl::render::parseRenderOptions(arguments, options, error))
    {
        std::cerr << "vorl-render: " << error << "\n" << vorl::render::kRenderUsage << std::endl;
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juceRuntime;
    TarnelDelayAudioProcessor processor;

    if (options.listPresets)
    {
        for (const auto* patch : processor.presetLibrary.orderedPatches())
            std::cout << patch->getId() << "\n";
        return 0;
    }

    if (!vorl::render::configureProcessor(processor, options, error))
    {
        std::cerr << "vorl-render: " << error << std::endl;
        return 2;
    }

    vorl::render::RenderSummary summary;
    if (!vorl::render::renderFile(processor, options, summary, error))
    {
        std::cerr << "vorl-render: " << error << std::endl;
        return 1;
    }

    if (options.saveStateFile != juce::File())
    {
        juce::MemoryBlock state;
        processor.getStateInformation(state);
        if (!options.saveStateFile.replaceWithData(state.getData(), state.getSize()))
        {
            std::cerr << "vorl-render: cannot write the state file " << options.saveStateFile.getFullPathName()
                      << std::endl;
            return 1;
        }
    }

    std::printf("%s: %.2f s (%.2f s input + %.2f s tail) at %.0f Hz, peak %.1f dBFS, RMS %.1f dBFS, %.1fx real "
                "time\n",
                options.output.getFileName().toRawUTF8(), summary.inputSeconds + summary.tailSeconds,
                summary.inputSeconds, summary.tailSeconds, summary.sampleRate, summary.peakDb, summary.rmsDb,
                summary.realTimeFactor);
    return 0;
}
