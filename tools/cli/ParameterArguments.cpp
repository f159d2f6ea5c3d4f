#include "ParameterArguments.h"

#include <cmath>
#include <cstdlib>

namespace vorl::cli
{
bool parseNumber(const juce::String& text, double& value)
{
    const auto trimmed = text.trim();
    if (trimmed.isEmpty())
        return false;
    const char* begin = trimmed.toRawUTF8();
    char* end = nullptr;
    value = std::strtod(begin, &end);
    return end != begin && *end == '\0' && std::isfinite(value);
}

bool parsePositiveInt(const juce::String& text, int& value)
{
    double number = 0.0;
    if (!parseNumber(text, number) || number < 1.0 || number > 1.0e9 || number != std::floor(number))
        return false;
    value = static_cast<int>(number);
    return true;
}

bool isParameterAssignment(const juce::String& argument)
{
    return argument.containsChar('=') && !argument.startsWith("-");
}

namespace
{
bool parseSwitch(const juce::String& text, double& value)
{
    const auto lower = text.trim().toLowerCase();
    if (lower == "on" || lower == "true")
        value = 1.0;
    else if (lower == "off" || lower == "false")
        value = 0.0;
    else
        return parseNumber(text, value);
    return true;
}
} // namespace

juce::String applyParameterAssignment(juce::AudioProcessorValueTreeState& tree, const juce::String& argument)
{
    const auto id = argument.upToFirstOccurrenceOf("=", false, false).trim();
    const auto text = argument.fromFirstOccurrenceOf("=", false, false);
    auto* parameter = tree.getParameter(id);
    if (parameter == nullptr)
        return "unknown parameter '" + id + "'";

    const bool isSwitch = parameter->isBoolean();
    double value = 0.0;
    if (!(isSwitch ? parseSwitch(text, value) : parseNumber(text, value)))
        return "cannot read the value '" + text + "' of " + id;

    const auto& range = parameter->getNormalisableRange();
    if (value < range.start || value > range.end)
        return id + "=" + text + " is outside " + juce::String(range.start) + " to " +
               juce::String(range.end);

    parameter->setValueNotifyingHost(parameter->convertTo0to1(static_cast<float>(value)));
    return {};
}

void resetToDefaults(juce::AudioProcessor& processor)
{
    for (auto* parameter : processor.getParameters())
        parameter->setValueNotifyingHost(parameter->getDefaultValue());
}
} // namespace vorl::cli
