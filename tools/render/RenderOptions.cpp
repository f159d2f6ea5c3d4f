#include "RenderOptions.h"

#include "ParameterArguments.h"

namespace vorl::render
{
const char* const kRenderUsage =
    "usage: vorl-render INPUT OUTPUT [--preset ID] [--state FILE] [--save-state FILE] [--tempo BPM] "
    "[--block N] [--tail SECONDS] [ID=VALUE ...] | vorl-render --list-presets";

bool parseRenderOptions(const juce::StringArray& arguments, RenderOptions& options, juce::String& error)
{
    juce::StringArray positional;
    const auto cwd = juce::File::getCurrentWorkingDirectory();
    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];
        const bool takesValue = argument == "--preset" || argument == "--state" || argument == "--save-state" ||
                                argument == "--tempo" || argument == "--block" || argument == "--tail";
        if (takesValue && i + 1 >= arguments.size())
        {
            error = argument + " needs a value";
            return false;
        }
        const auto value = takesValue ? arguments[i + 1] : juce::String();
        if (argument == "--list-presets")
            options.listPresets = true;
        else if (argument == "--preset")
            options.presetId = value;
        else if (argument == "--state")
            options.stateFile = cwd.getChildFile(value);
        else if (argument == "--save-state")
            options.saveStateFile = cwd.getChildFile(value);
        else if (argument == "--tempo")
        {
            if (!cli::parseNumber(value, options.tempo) || options.tempo <= 0.0 || options.tempo > 1000.0)
            {
                error = "--tempo needs a tempo in BPM between 0 and 1000, not '" + value + "'";
                return false;
            }
        }
        else if (argument == "--block")
        {
            if (!cli::parsePositiveInt(value, options.blockSize) || options.blockSize > 65536)
            {
                error = "--block needs a block size from 1 to 65536, not '" + value + "'";
                return false;
            }
        }
        else if (argument == "--tail")
        {
            if (!cli::parseNumber(value, options.tailSeconds) || options.tailSeconds < 0.0 ||
                options.tailSeconds > 600.0)
            {
                error = "--tail needs a number of seconds from 0 to 600, not '" + value + "'";
                return false;
            }
        }
        else if (cli::isParameterAssignment(argument))
            options.assignments.add(argument);
        else if (argument.startsWith("-"))
        {
            error = "unknown option '" + argument + "'";
            return false;
        }
        else
            positional.add(argument);
        if (takesValue)
            ++i;
    }

    if (options.listPresets)
        return true;
    if (positional.size() != 2)
    {
        error = positional.size() < 2 ? "INPUT and OUTPUT are required" : "unexpected argument '" + positional[2] + "'";
        return false;
    }
    options.input = cwd.getChildFile(positional[0]);
    options.output = cwd.getChildFile(positional[1]);
    return true;
}
} // namespace vorl::render
