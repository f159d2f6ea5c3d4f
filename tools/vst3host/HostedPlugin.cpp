#include "HostedPlugin.h"

namespace vorl::host
{
namespace
{
// JUCE's VST3 hosting on Windows loads the module's DLL inside the bundle, not the bundle
// folder a user names; elsewhere it takes the bundle itself.
juce::File moduleFileOf(const juce::File& bundle)
{
#if JUCE_WINDOWS
    const auto inner =
        bundle.getChildFile("Contents").getChildFile("x86_64-win").getChildFile(bundle.getFileName());
    if (bundle.isDirectory() && inner.existsAsFile())
        return inner;
#endif
    return bundle;
}
} // namespace

HostedPlugin loadVst3(const juce::String& bundlePath, double sampleRate, int blockSize, juce::String& error)
{
    HostedPlugin plugin;
    const auto bundle = moduleFileOf(juce::File::getCurrentWorkingDirectory().getChildFile(bundlePath));
    if (!bundle.exists())
    {
        error = "no such file: " + bundle.getFullPathName();
        return plugin;
    }

    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile(types, bundle.getFullPathName());
    if (types.isEmpty())
    {
        error = "not a loadable VST3 module: " + bundle.getFullPathName();
        return plugin;
    }

    plugin.description = *types.getFirst();
    plugin.instance = format.createInstanceFromDescription(plugin.description, sampleRate, blockSize, error);
    if (plugin.instance == nullptr && error.isEmpty())
        error = "the module did not create an instance";
    return plugin;
}

namespace
{
juce::var describeParameter(juce::AudioProcessorParameter& parameter, int index)
{
    const float defaultValue = parameter.getDefaultValue();
    auto* entry = new juce::DynamicObject();
    entry->setProperty("index", index);
    entry->setProperty("name", parameter.getName(1024));
    entry->setProperty("default", static_cast<double>(defaultValue));
    entry->setProperty("defaultText", parameter.getText(defaultValue, 1024));
    return juce::var(entry);
}

// The plug-in's own parameters. The VST3 wrapper adds a host bypass parameter that the
// plug-in does not define; it is reported on its own.
juce::var describeParameters(juce::AudioPluginInstance& instance)
{
    juce::Array<juce::var> parameters;
    const auto& hosted = instance.getParameters();
    for (int index = 0; index < hosted.size(); ++index)
        if (hosted[index] != instance.getBypassParameter())
            parameters.add(describeParameter(*hosted[index], index));
    return parameters;
}
} // namespace

juce::var describe(const HostedPlugin& plugin)
{
    auto& instance = *plugin.instance;
    auto* info = new juce::DynamicObject();
    info->setProperty("name", plugin.description.name);
    info->setProperty("manufacturer", plugin.description.manufacturerName);
    info->setProperty("category", plugin.description.category);
    info->setProperty("version", plugin.description.version);
    info->setProperty("inputChannels", instance.getTotalNumInputChannels());
    info->setProperty("outputChannels", instance.getTotalNumOutputChannels());
    info->setProperty("latencySamples", instance.getLatencySamples());
    info->setProperty("tailSeconds", instance.getTailLengthSeconds());
    info->setProperty("acceptsMidi", instance.acceptsMidi());
    info->setProperty("producesMidi", instance.producesMidi());
    info->setProperty("numPrograms", instance.getNumPrograms());
    info->setProperty("parameters", describeParameters(instance));
    if (auto* bypass = instance.getBypassParameter())
        info->setProperty("hostBypassParameter", describeParameter(*bypass, bypass->getParameterIndex()));
    return juce::var(info);
}
} // namespace vorl::host
