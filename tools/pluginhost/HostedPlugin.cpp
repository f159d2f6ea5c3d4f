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

// Creates the first plug-in the format finds for the identifier (a VST3 module's path, an LV2
// plug-in's URI).
HostedPlugin instantiate(juce::AudioPluginFormat& format, const juce::String& identifier, double sampleRate,
                         int blockSize, juce::String& error)
{
    HostedPlugin plugin;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile(types, identifier);
    if (types.isEmpty())
    {
        error = "not a loadable " + format.getName() + " plug-in: " + identifier;
        return plugin;
    }

    plugin.description = *types.getFirst();
    plugin.instance = format.createInstanceFromDescription(plugin.description, sampleRate, blockSize, error);
    if (plugin.instance == nullptr && error.isEmpty())
        error = "the " + format.getName() + " plug-in did not create an instance";
    return plugin;
}

bool looksLikeUri(const juce::String& text)
{
    return text.contains("://") || text.startsWithIgnoreCase("urn:");
}
} // namespace

HostedPlugin loadVst3(const juce::String& bundlePath, double sampleRate, int blockSize, juce::String& error)
{
    const auto bundle = moduleFileOf(juce::File::getCurrentWorkingDirectory().getChildFile(bundlePath));
    if (!bundle.exists())
    {
        error = "no such file: " + bundle.getFullPathName();
        return {};
    }

    juce::VST3PluginFormat format;
    return instantiate(format, bundle.getFullPathName(), sampleRate, blockSize, error);
}

#if JUCE_PLUGINHOST_LV2
#if defined(__SANITIZE_ADDRESS__)
// JUCE's copy of lilv leaks when a world loads folders a second time, as it does when asked
// to search folders beyond the standard ones: the previous path option and the plug-in classes
// read again. Once per LV2 format object; LeakSanitizer passes over these two and nothing else.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions()
{
    return "leak:lilv_world_set_option\nleak:lilv_world_load_plugin_classes\n";
}
#endif

HostedPlugin loadLv2(const juce::String& uri, const juce::FileSearchPath& folders, double sampleRate,
                     int blockSize, juce::String& error)
{
    juce::LV2PluginFormat format;
    if (folders.getNumPaths() > 0)
        format.searchPathsForPlugins(folders, false);
    return instantiate(format, uri, sampleRate, blockSize, error);
}
#endif

HostedPlugin load(const juce::String& bundlePathOrUri, double sampleRate, int blockSize, juce::String& error)
{
    if (!looksLikeUri(bundlePathOrUri))
        return loadVst3(bundlePathOrUri, sampleRate, blockSize, error);
#if JUCE_PLUGINHOST_LV2
    const juce::FileSearchPath lv2Path(
        juce::SystemStats::getEnvironmentVariable("LV2_PATH", {}).replace(":", ";"));
    return loadLv2(bundlePathOrUri, lv2Path, sampleRate, blockSize, error);
#else
    error = "this build hosts no LV2 plug-ins: " + bundlePathOrUri;
    return {};
#endif
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
// plug-in does not define, and JUCE's LV2 host makes one of the LV2 "enabled" port; it is
// reported on its own.
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
    info->setProperty("format", plugin.description.pluginFormatName);
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
