#include "FactoryBankCompiler.h"

#include "NoteValues.h"
#include "ValueCurves.h"
#include "processor/ParameterLayout.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cmath>
#include <map>
#include <optional>

namespace vorl::presetgen
{
namespace
{
// Holds the plug-in's real parameters so that every conversion uses their actual ranges.
class ParameterHost : public juce::AudioProcessor
{
public:
    ParameterHost() : apvts(*this, nullptr, "Parameters", vorl::createParameterLayout()) {}

    const juce::String getName() const override { return "presetgen"; }
    void prepareToPlay(double, int) override {}
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}
    void getStateInformation(juce::MemoryBlock&) override {}
    void setStateInformation(const void*, int) override {}

    juce::AudioProcessorValueTreeState apvts;
};

// How a parameter's value is written in the sources.
enum class Unit
{
    Plain,       // a bare number in the parameter's own range
    Switch,      // on / off
    Spacing,     // Start, End: ms, or a note value under Tap Sync
    LengthMs,    // Length: ms on the length curve
    Ms,          // Predelay
    Percent,     // %
    Decibels,    // dB
    Cents,       // ct
    Degrees,     // deg
    HighPassHz,  // Hz or kHz on the high-pass curve
    LowPassHz,   // Hz or kHz on the low-pass curve
    RateHz,      // Wave and Trem Rate: Hz, or a note value when synced
    PitchRateHz, // Pitch Rate: Hz, or a note value when synced
    DecayMode,   // smooth / step / wavey
    WaveShape,   // the wave modulator's shape names
    LfoShape,    // the tremolo's and pitch vibrato's shape names
};

const std::map<juce::String, Unit>& unitTable()
{
    static const std::map<juce::String, Unit> table{
        {"g", Unit::Plain},
        {"s", Unit::Spacing},
        {"e", Unit::Spacing},
        {"fb", Unit::LengthMs},
        {"pd", Unit::Ms},
        {"fbk", Unit::Percent},
        {"io2x", Unit::Switch},
        {"lk", Unit::Switch},
        {"mu", Unit::Switch},
        {"rev", Unit::Switch},
        {"flipped", Unit::Switch},
        {"tapCnt", Unit::Plain},
        {"dcv", Unit::Plain},
        {"dc", Unit::Switch},
        {"dcMode", Unit::DecayMode},
        {"dcSteps", Unit::Plain},
        {"dcFall", Unit::Percent},
        {"hp", Unit::HighPassHz},
        {"lp", Unit::LowPassHz},
        {"mix", Unit::Percent},
        {"mixByp", Unit::Switch},
        {"mout", Unit::Decibels},
        {"spread", Unit::Plain},
        {"sideOnly", Unit::Switch},
        {"ppOn", Unit::Switch},
        {"ppW", Unit::Percent},
        {"tp", Unit::Switch},
        {"tOd", Unit::Switch},
        {"tBoost", Unit::Percent},
        {"td", Unit::Percent},
        {"sat", Unit::Percent},
        {"flutter", Unit::Percent},
        {"flutSpd", Unit::Percent},
        {"tpWet", Unit::Percent},
        {"tDarken", Unit::Percent},
        {"headBump", Unit::Percent},
        {"pitchOn", Unit::Switch},
        {"pitchSync", Unit::Switch},
        {"pitchWide", Unit::Switch},
        {"pitch2x", Unit::Switch},
        {"pitchCt", Unit::Cents},
        {"pitchRt", Unit::PitchRateHz},
        {"pitchDp", Unit::Percent},
        {"pitchSh", Unit::LfoShape},
        {"pitchMix", Unit::Percent},
        {"pitchFbk", Unit::Percent},
        {"pitchGLink", Unit::Switch},
        {"pitchWLAmt", Unit::Cents},
        {"pitchLB", Unit::Cents},
        {"wo", Unit::Switch},
        {"waveSync", Unit::Switch},
        {"lrs", Unit::RateHz},
        {"lfoDp", Unit::Percent},
        {"lsh", Unit::WaveShape},
        {"woPh", Unit::Degrees},
        {"woOff", Unit::Degrees},
        {"trem", Unit::Switch},
        {"tremSync", Unit::Switch},
        {"tremR", Unit::RateHz},
        {"tremD", Unit::Percent},
        {"tremPh", Unit::Degrees},
        {"tremOff", Unit::Degrees},
        {"tremSh", Unit::LfoShape},
    };
    return table;
}

// The switch that makes a parameter take note values instead of a free value.
const char* syncSwitchOf(const juce::String& id)
{
    if (id == "s" || id == "e")
        return "mu";
    if (id == "lrs")
        return "waveSync";
    if (id == "tremR")
        return "tremSync";
    if (id == "pitchRt")
        return "pitchSync";
    return nullptr;
}

// Every preset of the factory banks carries these keys; none of them is a parameter.
const char* const kStandardExtraKeys[] = {"chaos", "cwT", "cwW", "cwTr", "cwG"};

std::optional<int> noteIndexOf(const juce::String& label)
{
    for (int i = 0; i < vorl::kNumNoteValues; ++i)
        if (label == vorl::kNoteLabels[(size_t)i])
            return i;
    return std::nullopt;
}

std::optional<int> indexOfName(const juce::String& name, std::initializer_list<const char*> names)
{
    int index = 0;
    for (const auto* candidate : names)
    {
        if (name.equalsIgnoreCase(candidate))
            return index;
        ++index;
    }
    return std::nullopt;
}

// "0.416669994592667": up to 15 decimals, trailing zeros dropped, whole numbers as "1.0".
juce::String formatNumber(double value)
{
    if (value == std::floor(value) && std::abs(value) < 1.0e15)
        return juce::String(value, 1);
    auto text = juce::String(value, 15);
    while (text.endsWithChar('0'))
        text = text.dropLastCharacters(1);
    return text;
}

juce::String quoted(const juce::String& text)
{
    return "\"" + text.replace("\\", "\\\\").replace("\"", "\\\"") + "\"";
}

struct SourceValue
{
    juce::String text;
    juce::String location;
};

struct PresetSource
{
    juce::String name;
    juce::String bank;
    juce::String category;
    juce::String location;
    std::map<juce::String, SourceValue> values; // by parameter identifier
    juce::StringArray omitted;
    juce::StringArray extraKeys;
    std::map<juce::String, double> extraValues;
};

class Compiler
{
public:
    Compiler()
    {
        for (auto* parameter : host.getParameters())
            if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*>(parameter))
            {
                byId[ranged->getParameterID()] = ranged;
                byName[ranged->getName(100)] = ranged;
            }
    }

    void parse(const juce::String& sourceName, const juce::String& text)
    {
        juce::StringArray lines;
        lines.addLines(text);
        juce::String bank, category;
        PresetSource* current = nullptr;

        for (int i = 0; i < lines.size(); ++i)
        {
            const auto location = sourceName + ":" + juce::String(i + 1);
            const auto line = lines[i].upToFirstOccurrenceOf("#", false, false).trim();
            if (line.isEmpty())
                continue;

            const auto keyword = line.upToFirstOccurrenceOf(" ", false, false);
            const auto rest = line.fromFirstOccurrenceOf(" ", false, false).trim();
            if (keyword == "bank")
            {
                bank = rest;
                category = {};
                current = nullptr;
            }
            else if (keyword == "category")
            {
                category = rest;
                current = nullptr;
            }
            else if (keyword == "preset")
            {
                if (bank.isEmpty())
                    error(location, "preset before any bank");
                presets.push_back({rest, bank, category, location, {}, {}, {}, {}});
                current = &presets.back();
            }
            else if (current == nullptr)
            {
                error(location, "\"" + line + "\" outside a preset");
            }
            else if (keyword == "omit")
            {
                for (auto item : juce::StringArray::fromTokens(rest, ",", ""))
                    if (auto* parameter = find(item.trim()))
                        current->omitted.add(parameter->getParameterID());
                    else
                        error(location, "unknown parameter \"" + item.trim() + "\"");
            }
            else if (keyword == "extra")
            {
                const auto key = rest.upToFirstOccurrenceOf("=", false, false).trim();
                const auto value = rest.fromFirstOccurrenceOf("=", false, false).trim();
                if (key.isEmpty() || !value.containsOnly("0123456789.-"))
                    error(location, "expected: extra <key> = <number>");
                else if (find(key) != nullptr)
                    error(location, "\"" + key + "\" is a parameter, not an extra key");
                else
                {
                    current->extraKeys.addIfNotAlreadyThere(key);
                    current->extraValues[key] = value.getDoubleValue();
                }
            }
            else if (line.contains("="))
            {
                const auto key = line.upToFirstOccurrenceOf("=", false, false).trim();
                const auto value = line.fromFirstOccurrenceOf("=", false, false).trim();
                auto* parameter = find(key);
                if (parameter == nullptr)
                    error(location, "unknown parameter \"" + key + "\"");
                else if (!current->values.emplace(parameter->getParameterID(), SourceValue{value, location})
                              .second)
                    error(location, "\"" + key + "\" is set twice");
            }
            else
            {
                error(location, "cannot read \"" + line + "\"");
            }
        }
    }

    CompileResult finish()
    {
        checkNamesAreUnique();
        juce::String out;
        const juce::String nl = "\r\n";
        out << "{" << nl << "  \"banks\": [" << nl;

        juce::StringArray bankOrder;
        for (const auto& preset : presets)
            bankOrder.addIfNotAlreadyThere(preset.bank);

        for (int b = 0; b < bankOrder.size(); ++b)
        {
            out << "    {" << nl << "      \"bank\": " << quoted(bankOrder[b]) << "," << nl
                << "      \"patches\": [" << nl;
            bool firstPatch = true;
            for (const auto& preset : presets)
            {
                if (preset.bank != bankOrder[b])
                    continue;
                if (!firstPatch)
                    out << "," << nl;
                firstPatch = false;
                writePatch(out, preset);
            }
            out << nl << "      ]" << nl << "    }" << (b + 1 < bankOrder.size() ? "," : "") << nl;
        }
        out << "  ]" << nl << "}" << nl;

        CompileResult result;
        result.errors = errors;
        result.presetCount = (int)presets.size();
        if (errors.isEmpty())
            result.document = out;
        return result;
    }

private:
    juce::RangedAudioParameter* find(const juce::String& key) const
    {
        if (auto it = byId.find(key); it != byId.end())
            return it->second;
        if (auto it = byName.find(key); it != byName.end())
            return it->second;
        return nullptr;
    }

    void error(const juce::String& location, const juce::String& message)
    {
        errors.add(location + ": " + message);
    }

    void checkNamesAreUnique()
    {
        juce::StringArray ids;
        for (const auto& preset : presets)
        {
            const auto id = preset.bank + "/" + preset.category + "/" + preset.name;
            if (preset.name.isEmpty())
                error(preset.location, "preset without a name");
            else if (ids.contains(id))
                error(preset.location, "preset \"" + preset.name + "\" exists twice in its bank");
            ids.add(id);
        }
    }

    bool switchIsOn(const PresetSource& preset, const char* id) const
    {
        const auto it = preset.values.find(id);
        if (it == preset.values.end())
            return byId.at(id)->getDefaultValue() > 0.5f;
        return it->second.text == "on" ||
               (it->second.text.startsWith("norm ") &&
                it->second.text.fromFirstOccurrenceOf(" ", false, false).getFloatValue() > 0.5f);
    }

    // Reads "<number> <unit>" and checks the unit.
    std::optional<float> number(const SourceValue& value, std::initializer_list<const char*> units,
                                float scaleForSecondUnit = 1.0f)
    {
        auto tokens = juce::StringArray::fromTokens(value.text, " ", "");
        tokens.removeEmptyStrings();
        const auto numberText = tokens[0];
        if (numberText.isEmpty() || !numberText.containsOnly("0123456789.-+"))
        {
            error(value.location, "expected a number in \"" + value.text + "\"");
            return std::nullopt;
        }
        const auto unit = tokens.size() > 1 ? tokens[1] : juce::String();
        int unitIndex = 0;
        bool unitOk = false;
        for (const auto* allowed : units)
        {
            if (unit == allowed)
            {
                unitOk = true;
                break;
            }
            ++unitIndex;
        }
        if (!unitOk || tokens.size() > 2)
        {
            juce::StringArray allowed;
            for (const auto* u : units)
                allowed.add(juce::String(u).isEmpty() ? "no unit" : "\"" + juce::String(u) + "\"");
            error(value.location, "\"" + value.text + "\": expected " + allowed.joinIntoString(" or "));
            return std::nullopt;
        }
        const float parsed = numberText.getFloatValue();
        return unitIndex == 1 ? parsed * scaleForSecondUnit : parsed;
    }

    std::optional<float> noteSlider(const juce::String& id, const SourceValue& value)
    {
        const auto index = noteIndexOf(value.text);
        if (!index)
            return std::nullopt;
        // Start and End count note values from the longest at the top of the control; the
        // modulation rates count them the other way round.
        const float i = (float)*index;
        return (id == "s" || id == "e") ? (12.0f - i) / 12.0f * 1000.0f : i / 12.0f * 1000.0f;
    }

    // The parameter's plain value for a source value, or nothing after reporting an error.
    std::optional<float> plainValue(const PresetSource& preset, const juce::String& id,
                                    const SourceValue& value)
    {
        const auto unit = unitTable().at(id);
        const auto* syncSwitch = syncSwitchOf(id);
        if (syncSwitch != nullptr)
        {
            const bool synced = switchIsOn(preset, syncSwitch);
            if (const auto note = noteSlider(id, value))
            {
                if (!synced)
                    error(value.location, "a note value needs " + byId.at(syncSwitch)->getName(100) + " on");
                return note;
            }
            if (synced)
            {
                error(value.location, "with " + byId.at(syncSwitch)->getName(100) +
                                          " on, give a note value (" +
                                          juce::StringArray(vorl::kNoteLabels.data(), vorl::kNumNoteValues)
                                              .joinIntoString(" ") +
                                          ")");
                return std::nullopt;
            }
        }

        switch (unit)
        {
        case Unit::Plain:
            return number(value, {""});
        case Unit::Switch:
            if (value.text == "on" || value.text == "off")
                return value.text == "on" ? 1.0f : 0.0f;
            error(value.location, "expected on or off");
            return std::nullopt;
        case Unit::Spacing:
            if (auto ms = number(value, {"ms", "s"}, 1000.0f))
                return vorl::msToTimeSlider(*ms);
            return std::nullopt;
        case Unit::LengthMs:
            if (auto ms = number(value, {"ms", "s"}, 1000.0f))
            {
                if (*ms < 10.0f || *ms > 14000.0f)
                {
                    error(value.location, "Length is 10 ms to 14 s");
                    return std::nullopt;
                }
                return 1000.0f * std::log(*ms / 10.0f) / std::log(1400.0f);
            }
            return std::nullopt;
        case Unit::Ms:
            return number(value, {"ms", "s"}, 1000.0f);
        case Unit::Percent:
            return number(value, {"%"});
        case Unit::Decibels:
            return number(value, {"dB"});
        case Unit::Cents:
            return number(value, {"ct"});
        case Unit::Degrees:
            return number(value, {"deg"});
        case Unit::HighPassHz:
            if (auto hz = number(value, {"Hz", "kHz"}, 1000.0f))
                return 1000.0f * std::log(*hz / 20.0f) / std::log(200.0f);
            return std::nullopt;
        case Unit::LowPassHz:
            if (auto hz = number(value, {"Hz", "kHz"}, 1000.0f))
                return 1000.0f * std::log(*hz / 500.0f) / std::log(44.0f);
            return std::nullopt;
        case Unit::RateHz:
            if (auto hz = number(value, {"Hz"}))
                return std::log(*hz / 0.15f) / std::log(53.333f) * 1000.0f;
            return std::nullopt;
        case Unit::PitchRateHz:
            if (auto hz = number(value, {"Hz"}))
                return *hz <= 0.0f ? 0.0f : vorl::pitchRateHzToSlider(*hz);
            return std::nullopt;
        case Unit::DecayMode:
            if (auto index = indexOfName(value.text, {"smooth", "step", "wavey"}))
                return (float)*index;
            error(value.location, "expected smooth, step or wavey");
            return std::nullopt;
        case Unit::WaveShape:
            if (auto index = indexOfName(value.text, {"sine", "triangle", "square", "saw down", "saw up",
                                                      "random steps", "smooth random", "off"}))
                return (float)*index;
            error(value.location, "expected sine, triangle, square, saw down, saw up, random steps, "
                                  "smooth random or off");
            return std::nullopt;
        case Unit::LfoShape:
            if (auto index = indexOfName(value.text, {"sine", "triangle", "square", "rising saw",
                                                      "falling saw", "random steps", "smooth random"}))
                return (float)*index;
            error(value.location, "expected sine, triangle, square, rising saw, falling saw, random steps or "
                                  "smooth random");
            return std::nullopt;
        }
        return std::nullopt;
    }

    std::optional<float> normalisedValue(const PresetSource& preset, const juce::String& id,
                                         const SourceValue& value)
    {
        auto* parameter = byId.at(id);
        if (value.text.startsWith("norm "))
        {
            const float normalised =
                value.text.fromFirstOccurrenceOf(" ", false, false).trim().getFloatValue();
            if (normalised < 0.0f || normalised > 1.0f)
            {
                error(value.location, "a normalised value is 0 to 1");
                return std::nullopt;
            }
            return normalised;
        }
        const auto plain = plainValue(preset, id, value);
        if (!plain)
            return std::nullopt;
        const auto& range = parameter->getNormalisableRange();
        // Curves may land a hair outside the range at their ends; anything more is a typing error.
        const float tolerance = (range.end - range.start) * 1.0e-4f;
        if (*plain < range.start - tolerance || *plain > range.end + tolerance)
        {
            error(value.location, parameter->getName(100) + " is " + juce::String(range.start) + " to " +
                                      juce::String(range.end) + " in its own units; \"" + value.text +
                                      "\" gives " + juce::String(*plain));
            return std::nullopt;
        }
        return parameter->convertTo0to1(range.snapToLegalValue(juce::jlimit(range.start, range.end, *plain)));
    }

    void writePatch(juce::String& out, const PresetSource& preset)
    {
        const juce::String nl = "\r\n";
        const juce::String indent(juce::String::repeatedString(" ", 10));
        out << "        {" << nl;
        out << indent << "\"name\": " << quoted(preset.name) << "," << nl;
        out << indent << "\"bank\": " << quoted(preset.bank) << "," << nl;
        out << indent << "\"category\": " << quoted(preset.category) << "," << nl;
        out << indent << "\"params\": {" << nl;

        juce::StringArray entries;
        for (const auto* id : vorl::kParameterIds)
        {
            const juce::String parameterId(id);
            if (preset.omitted.contains(parameterId))
            {
                if (preset.values.count(parameterId) != 0)
                    error(preset.values.at(parameterId).location, parameterId + " is set and omitted");
                continue;
            }
            const auto it = preset.values.find(parameterId);
            // Decay Falloff stays at its default unless a preset sets it.
            if (it == preset.values.end() && parameterId == "dcFall")
                continue;
            float normalised = byId.at(parameterId)->getDefaultValue();
            if (it != preset.values.end())
                if (const auto value = normalisedValue(preset, parameterId, it->second))
                    normalised = *value;
            entries.add(quoted(parameterId) + ": " + formatNumber((double)normalised));
        }

        juce::StringArray extraKeys;
        for (const auto* key : kStandardExtraKeys)
            extraKeys.add(key);
        extraKeys.addArray(preset.extraKeys);
        extraKeys.removeDuplicates(false);
        for (const auto& key : extraKeys)
        {
            const auto it = preset.extraValues.find(key);
            entries.add(quoted(key) + ": " + formatNumber(it != preset.extraValues.end() ? it->second : 0.0));
        }

        const juce::String paramIndent(juce::String::repeatedString(" ", 12));
        out << paramIndent << entries.joinIntoString("," + nl + paramIndent) << nl;
        out << indent << "}" << nl << "        }";
    }

    ParameterHost host;
    std::map<juce::String, juce::RangedAudioParameter*> byId, byName;
    std::vector<PresetSource> presets;
    juce::StringArray errors;
};
} // namespace

CompileResult compileFactoryBanks(const juce::StringArray& sourceNames, const juce::StringArray& sourceTexts)
{
    Compiler compiler;
    for (int i = 0; i < sourceTexts.size(); ++i)
        compiler.parse(sourceNames[i], sourceTexts[i]);
    return compiler.finish();
}

CompileResult compileFactoryBankFolder(const juce::File& folder)
{
    auto files = folder.findChildFiles(juce::File::findFiles, false, "*.txt");
    std::sort(files.begin(), files.end(),
              [](const juce::File& a, const juce::File& b) { return a.getFileName() < b.getFileName(); });
    juce::StringArray names, texts;
    for (const auto& file : files)
    {
        names.add(file.getFileName());
        texts.add(file.loadFileAsString());
    }
    if (files.isEmpty())
        return {{}, {"no *.txt preset sources in " + folder.getFullPathName()}, 0};
    return compileFactoryBanks(names, texts);
}
} // namespace vorl::presetgen
