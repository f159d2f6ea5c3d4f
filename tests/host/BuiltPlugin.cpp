#include "BuiltPlugin.h"

#include "ExpectedParameters.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vorl::test
{
std::vector<Format> builtFormats()
{
#ifdef VORL_LV2_URI
    return {Format::vst3, Format::lv2};
#else
    return {Format::vst3};
#endif
}

std::string formatName(Format format)
{
    return format == Format::vst3 ? "VST3" : "LV2";
}

vorl::host::HostedPlugin loadBuilt(Format format, double sampleRate, int blockSize, juce::String& error)
{
#ifdef VORL_LV2_URI
    if (format == Format::lv2)
        return vorl::host::loadLv2(VORL_LV2_URI, juce::FileSearchPath(VORL_LV2_FOLDER), sampleRate, blockSize,
                                   error);
#endif
    juce::ignoreUnused(format);
    return vorl::host::loadVst3(VORL_VST3_BUNDLE, sampleRate, blockSize, error);
}

vorl::host::HostedPlugin loadPrepared(Format format, double sampleRate, int blockSize)
{
    juce::String error;
    auto plugin = loadBuilt(format, sampleRate, blockSize, error);
    EXPECT_NE(plugin.instance, nullptr) << formatName(format) << ": " << error;
    if (plugin.instance != nullptr)
        plugin.instance->prepareToPlay(sampleRate, blockSize);
    return plugin;
}

juce::AudioProcessorParameter* findParameter(juce::AudioPluginInstance& instance, const juce::String& name)
{
    for (auto* parameter : instance.getParameters())
        if (parameter->getName(1024) == name)
            return parameter;
    return nullptr;
}

void moveEveryParameter(juce::AudioPluginInstance& instance)
{
    const float chosen[] = {0.1f, 0.35f, 0.8f, 0.55f};
    const auto& parameters = instance.getParameters();
    for (int i = 0; i < parameters.size(); ++i)
        if (parameters[i] != instance.getBypassParameter())
            parameters[i]->setValueNotifyingHost(chosen[i % 4]);
}

void processABlock(juce::AudioPluginInstance& instance, int blockSize)
{
    juce::AudioBuffer<float> silence(2, blockSize);
    silence.clear();
    juce::MidiBuffer midi;
    instance.processBlock(silence, midi);
}

void settle(juce::AudioPluginInstance& instance, int milliseconds, int blockSize)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32)milliseconds;
    do
    {
        processABlock(instance, blockSize);
        juce::MessageManager::getInstance()->runDispatchLoopUntil(5);
    } while (juce::Time::getMillisecondCounter() < deadline);
    processABlock(instance, blockSize);
}

namespace
{
// The base64 text that holds the plug-in's block in a host's saved state.
juce::String pluginBlockText(const juce::MemoryBlock& hostState)
{
    if (const auto vst3 =
            juce::AudioProcessor::getXmlFromBinary(hostState.getData(), (int)hostState.getSize()))
    {
        const auto* component = vst3->getChildByName("IComponent");
        return component != nullptr ? component->getAllSubText() : juce::String();
    }
    // An LV2 state in Turtle: the literal after JUCE's state key.
    const auto turtle = hostState.toString();
    const auto key = turtle.indexOf(":StateString");
    const auto open = key < 0 ? -1 : turtle.indexOfChar(key, '"');
    const auto close = open < 0 ? -1 : turtle.indexOfChar(open + 1, '"');
    return close < 0 ? juce::String() : turtle.substring(open + 1, close);
}
} // namespace

std::unique_ptr<juce::XmlElement> pluginStateXml(const juce::MemoryBlock& hostState)
{
    juce::MemoryBlock block;
    if (!block.fromBase64Encoding(pluginBlockText(hostState)))
        return {};
    // The plug-in's binary XML starts at its magic number; a wrapper may put data before it.
    const char magic[] = {'V', 'C', '2', '!'};
    const auto* bytes = static_cast<const char*>(block.getData());
    for (size_t offset = 0; offset + sizeof magic <= block.getSize(); ++offset)
        if (std::memcmp(bytes + offset, magic, sizeof magic) == 0)
            return juce::AudioProcessor::getXmlFromBinary(bytes + offset, (int)(block.getSize() - offset));
    return {};
}

std::map<juce::String, double> storedValues(const juce::XmlElement& pluginState)
{
    std::map<juce::String, double> values;
    for (auto* param : pluginState.getChildWithTagNameIterator("PARAM"))
        values[param->getStringAttribute("id")] = param->getDoubleAttribute("value");
    return values;
}

std::map<juce::String, double> storedValues(juce::AudioPluginInstance& instance)
{
    juce::MemoryBlock state;
    instance.getStateInformation(state);
    const auto xml = pluginStateXml(state);
    return xml != nullptr ? storedValues(*xml) : std::map<juce::String, double>{};
}

void expectValuesNear(const std::map<juce::String, double>& actual,
                      const std::map<juce::String, double>& expected, double fractionOfRange)
{
    for (const auto& parameter : kExpectedParameters)
    {
        const auto a = actual.find(parameter.id), e = expected.find(parameter.id);
        if (a == actual.end() || e == expected.end())
        {
            ADD_FAILURE() << "no value for " << parameter.id;
            continue;
        }
        EXPECT_NEAR(a->second, e->second, fractionOfRange * (parameter.maximum - parameter.minimum))
            << parameter.id;
    }
}
} // namespace vorl::test
