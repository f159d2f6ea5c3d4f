// vorl-info PATH.vst3: loads a VST3 bundle the way a host does and prints what the
// host sees of it as JSON.
#include "HostedPlugin.h"

#include <iostream>

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: vorl-info PATH.vst3" << std::endl;
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juceRuntime;
    juce::String error;
    auto plugin = vorl::host::loadVst3(juce::String::fromUTF8(argv[1]), 44100.0, 512, error);
    if (plugin.instance == nullptr)
    {
        std::cerr << "vorl-info: cannot load " << argv[1] << ": " << error.toStdString() << std::endl;
        return 1;
    }

    std::cout << juce::JSON::toString(vorl::host::describe(plugin)).toStdString() << std::endl;
    return 0;
}
