// vorl-info PATH.vst3 | LV2-URI: loads a VST3 bundle or an LV2 plug-in the way a host does
// and prints what the host sees of it as JSON.
#include "HostedPlugin.h"

#include <iostream>

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: vorl-info PATH.vst3 | LV2-URI" << std::endl;
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juceRuntime;
    juce::String error;
    auto plugin = vorl::host::load(juce::String::fromUTF8(argv[1]), 44100.0, 512, error);
    if (plugin.instance == nullptr)
    {
        std::cerr << "vorl-info: cannot load " << argv[1] << ": " << error.toStdString() << std::endl;
        return 1;
    }

    // JUCE writes CRLF line ends; print plain newlines and let the platform's stdout translate
    // them (Windows' text mode would otherwise double the carriage returns).
    const auto json = juce::JSON::toString(vorl::host::describe(plugin)).replace("\r\n", "\n");
    std::cout << json.toStdString() << std::endl;
    return 0;
}
