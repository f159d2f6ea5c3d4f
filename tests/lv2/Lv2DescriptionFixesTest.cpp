// The corrections applied to the description JUCE writes, on small descriptions in JUCE's
// layout: what is rewritten, and what must stay exactly as written.
#include "Lv2DescriptionFixes.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// A parameter statement as JUCE 7.0.5 writes it, with the given range and scale points.
std::string parameter(const std::string& range, const std::string& points)
{
    return "plug:count\n"
           "\ta lv2:Parameter ;\n"
           "\trdfs:label \"Count\" ;\n" +
           range + "\tlv2:portProperty lv2:enumeration ;\n\tlv2:scalePoint " + points + " .\n";
}

std::string point(const std::string& label, const std::string& value)
{
    return "[\n\t\trdfs:label \"" + label + "\" ;\n\t\trdf:value " + value + " ;\n\t]";
}

TEST(Lv2DescriptionFixes, NormalisedStepsBecomePlainStepValues)
{
    const auto range = "\tlv2:default 4 ;\n\tlv2:minimum 1 ;\n\tlv2:maximum 4\t ;\n";
    const auto juce = parameter(range, point("1", "0") + ", " + point("2", "0.333333") + ", " +
                                           point("3", "0.666667") + ", " + point("4", "1"));
    const auto plain = parameter(range, point("1", "1") + ", " + point("2", "2") + ", " + point("3", "3") +
                                            ", " + point("4", "4"));
    EXPECT_EQ(vorl::lv2::fixJuceDescription(juce), plain);
    EXPECT_EQ(vorl::lv2::fixJuceDescription(plain), plain);
}

// Scale points that are not JUCE's normalised steps of a wider range are left alone.
TEST(Lv2DescriptionFixes, OtherScalePointsStayAsWritten)
{
    const std::string cases[] = {
        // a switch: 0 to 1 is normalised and plain at once
        parameter("\tlv2:minimum 0 ;\n\tlv2:maximum 1 ;\n", point("Off", "0") + ", " + point("On", "1")),
        // steps already in plain units
        parameter("\tlv2:minimum 0 ;\n\tlv2:maximum 2 ;\n",
                  point("a", "0") + ", " + point("b", "1") + ", " + point("c", "2")),
        // uneven points
        parameter("\tlv2:minimum 0 ;\n\tlv2:maximum 10 ;\n",
                  point("a", "0") + ", " + point("b", "0.2") + ", " + point("c", "1")),
        // no range given
        parameter("", point("a", "0") + ", " + point("b", "0.5") + ", " + point("c", "1")),
    };
    for (const auto& description : cases)
        EXPECT_EQ(vorl::lv2::fixJuceDescription(description), description);
}

TEST(Lv2DescriptionFixes, EmptyLinksAreLeftOutAndRealOnesKept)
{
    const std::string maintainer = "<https://example.org/plugin>\n"
                                   "\tdoap:maintainer [\n"
                                   "\t\ta foaf:Person ;\n"
                                   "\t\tfoaf:name \"Maker\" ;\n";
    const std::string end = "\t] .";
    EXPECT_EQ(
        vorl::lv2::fixJuceDescription(maintainer + "\t\tfoaf:homepage <> ;\n\t\tfoaf:mbox <> ;\n" + end),
        maintainer + end);
    const auto linked = maintainer + "\t\tfoaf:homepage <https://example.org> ;\n" + end;
    EXPECT_EQ(vorl::lv2::fixJuceDescription(linked), linked);
}
} // namespace
