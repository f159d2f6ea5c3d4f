// GoogleTest entry point for the preset tests. Every process gets its own empty HOME, so the
// application-data folder, settings and default presets never touch the real user's files.
#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);

    const char* tmp = std::getenv("TMPDIR");
    std::string home = std::string(tmp != nullptr && *tmp != 0 ? tmp : "/tmp") + "/vorl-preset-home-XXXXXX";
    if (mkdtemp(home.data()) == nullptr)
        return 1;
    setenv("HOME", home.c_str(), 1);

    int result = 0;
    {
        const juce::ScopedJuceInitialiser_GUI juceRuntime;
        result = RUN_ALL_TESTS();
    }
    juce::File(home).deleteRecursively();
    return result;
}
