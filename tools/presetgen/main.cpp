// Compiles the readable factory preset sources into the factory bank document.
//   vorl-presetgen SOURCE_FOLDER OUTPUT_JSON
#include "FactoryBankCompiler.h"

#include <juce_events/juce_events.h>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "usage: vorl-presetgen SOURCE_FOLDER OUTPUT_JSON\n";
        return 2;
    }
    const juce::ScopedJuceInitialiser_GUI juceRuntime;
    const auto cwd = juce::File::getCurrentWorkingDirectory();
    const auto result = vorl::presetgen::compileFactoryBankFolder(cwd.getChildFile(argv[1]));
    for (const auto& error : result.errors)
        std::cerr << error << "\n";
    if (!result.errors.isEmpty())
        return 1;

    const auto output = cwd.getChildFile(argv[2]);
    juce::MemoryBlock bytes(result.document.toRawUTF8(), result.document.getNumBytesAsUTF8());
    if (!output.replaceWithData(bytes.getData(), bytes.getSize()))
    {
        std::cerr << "cannot write " << output.getFullPathName() << "\n";
        return 1;
    }
    std::cout << "wrote " << result.presetCount << " presets to " << output.getFullPathName() << "\n";
    return 0;
}
