#include "Lv2DescriptionFixes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>
#include <vector>

namespace vorl::lv2
{
namespace
{
// The lines of one Turtle statement as JUCE writes it: a subject at the start of a line, its
// properties on the indented lines that follow, up to the line ending in " .".
using Statement = std::vector<std::string>;

std::optional<double> numberAfter(const std::string& line, const std::string& key)
{
    const auto at = line.find(key);
    if (at == std::string::npos)
        return std::nullopt;
    const char* start = line.c_str() + at + key.size();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start)
        return std::nullopt;
    return value;
}

std::string formatPlain(double value)
{
    if (value == std::round(value))
        return std::to_string(static_cast<long long>(value));
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

void rescaleScalePoints(Statement& statement)
{
    std::optional<double> minimum, maximum;
    std::vector<size_t> valueLines;
    std::vector<double> values;
    for (size_t i = 0; i < statement.size(); ++i)
    {
        const auto& line = statement[i];
        if (auto value = numberAfter(line, "lv2:minimum "))
            minimum = value;
        else if (auto value = numberAfter(line, "lv2:maximum "))
            maximum = value;
        else if (auto value = numberAfter(line, "rdf:value "))
        {
            valueLines.push_back(i);
            values.push_back(*value);
        }
    }
    if (values.size() < 2 || !minimum || !maximum || (*minimum == 0.0 && *maximum == 1.0))
        return;

    // Only JUCE's normalised layout is rewritten: step k of n at k / (n - 1), to the six
    // digits JUCE prints.
    const double lastStep = static_cast<double>(values.size() - 1);
    for (size_t k = 0; k < values.size(); ++k)
        if (std::abs(values[k] - static_cast<double>(k) / lastStep) > 1.0e-5)
            return;

    for (size_t k = 0; k < values.size(); ++k)
    {
        auto& line = statement[valueLines[k]];
        const auto start = line.find("rdf:value ") + std::string("rdf:value ").size();
        const auto end = line.find_first_of(" ;", start);
        const double plain = *minimum + static_cast<double>(k) * (*maximum - *minimum) / lastStep;
        line.replace(start, end == std::string::npos ? std::string::npos : end - start, formatPlain(plain));
    }
}

// A property whose object is the empty IRI, as JUCE writes "\t\tfoaf:mbox <> ;".
bool isEmptyLink(const std::string& line)
{
    static const std::string ending = " <> ;";
    const auto last = line.find_last_not_of(" \t\r");
    return last != std::string::npos && last + 1 >= ending.size() &&
           line.compare(last + 1 - ending.size(), ending.size(), ending) == 0;
}

void dropEmptyLinks(Statement& statement)
{
    statement.erase(std::remove_if(statement.begin(), statement.end(), isEmptyLink), statement.end());
}

bool endsStatement(const std::string& line)
{
    const auto last = line.find_last_not_of(" \t\r");
    return last != std::string::npos && line[last] == '.';
}
} // namespace

std::string fixJuceDescription(const std::string& ttl)
{
    std::istringstream input(ttl);
    std::string output, line;
    Statement statement;
    const auto flush = [&]
    {
        rescaleScalePoints(statement);
        dropEmptyLinks(statement);
        for (const auto& kept : statement)
            output += kept + '\n';
        statement.clear();
    };
    while (std::getline(input, line))
    {
        statement.push_back(line);
        if (endsStatement(line))
            flush();
    }
    flush();
    // getline drops the last line end; keep the text's own ending.
    if (!ttl.empty() && ttl.back() != '\n' && !output.empty())
        output.pop_back();
    return output;
}
} // namespace vorl::lv2
