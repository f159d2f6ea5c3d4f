#include "widgets/SliderValueText.h"

#include <gtest/gtest.h>

namespace
{
struct TextCase
{
    int kind;
    double value;
    const char* expected;
    double scale = 1.0;
    bool tempoSync = false;
    bool beatPhaseSnap = false;
    float tempo = 120.0f;
};

ValueTextFormat formatFor(int kind, double scale = 1.0, bool tempoSync = false, bool beatPhaseSnap = false,
                          float tempo = 120.0f)
{
    ValueTextFormat format;
    format.kind = kind;
    format.displayScale = scale;
    format.tempoSync = tempoSync;
    format.beatPhaseSnap = beatPhaseSnap;
    format.hostTempo = tempo;
    return format;
}

class ValueTextTable : public testing::TestWithParam<TextCase>
{
};

TEST_P(ValueTextTable, FormatsTheValue)
{
    const auto& c = GetParam();
    EXPECT_EQ(
        SliderValueText::toText(c.value, formatFor(c.kind, c.scale, c.tempoSync, c.beatPhaseSnap, c.tempo)),
        juce::String(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ValueTextTable,
    testing::Values(TextCase{0, 350.7, "350 ms"}, TextCase{1, 440.126, "440.13 Hz"}, TextCase{2, 42.9, "42%"},
                    TextCase{3, 0.755, "75%", 100.0}, TextCase{4, 16.9, "16"}, TextCase{4, -3.7, "-3"},
                    TextCase{5, 0.456, "0.46"}, TextCase{6, 0.0, "10 ms"}, TextCase{6, 1000.0, "14.00 s"},
                    TextCase{7, 0.0, "1 ms"}, TextCase{7, -20.0, "1 ms"}, TextCase{7, 650.0, "1.00 s"},
                    TextCase{7, 650.0, "2.00 s", 2.0}, TextCase{7, 1000.0, "2.00 s"},
                    TextCase{8, 1000.0, "8.0 Hz"}, TextCase{9, 0.0, "-100"}, TextCase{9, 100.0, "0"},
                    TextCase{9, 200.0, "+100"}, TextCase{9, 300.0, "+140"}, TextCase{9, -100.0, "-140"},
                    TextCase{10, 700.0, "700.0c"}, TextCase{10, 0.5, "50.0c", 100.0},
                    TextCase{11, 0.0, "0.00 Hz"}, TextCase{11, 1000.0, "8.00 Hz"},
                    TextCase{12, 50.0, "3.0 dB"}, TextCase{12, 100.0, "6.0 dB"}, TextCase{13, 0.0, "MONO"},
                    TextCase{13, 7.5, "0"}, TextCase{13, 15.0, "WIDEST"}, TextCase{13, 11.25, "+50"},
                    TextCase{13, 3.75, "-50"}, TextCase{42, 1.234, "1.23"},
                    // Tempo-synced texts.
                    TextCase{8, 500.0, "1/8T", 1.0, true}, TextCase{8, 500.0, "", 1.0, true, false, 0.0f},
                    TextCase{7, 0.0, "1/128", 1.0, true}, TextCase{7, 1000.0, "4b", 1.0, true},
                    TextCase{11, 1000.0, "1/128", 1.0, true}, TextCase{2, 50.0, "50%", 1.0, true},
                    TextCase{2, 50.0, "", 1.0, true, false, 0.0f},
                    // Beat phases do not depend on the tempo.
                    TextCase{5, 0.0, "on beat", 1.0, true, true}, TextCase{5, 90.0, "1/4", 1.0, true, true},
                    TextCase{5, -135.0, "3/8", 1.0, true, true},
                    TextCase{5, 180.0, "1/2 off", 1.0, true, true},
                    TextCase{5, 45.0, "1/8", 1.0, true, true, 0.0f}));

struct ParseCase
{
    int kind;
    const char* text;
    double expected;
    double scale = 1.0;
    double tolerance = 1e-6;
};

class ParserTable : public testing::TestWithParam<ParseCase>
{
};

TEST_P(ParserTable, ReadsTheText)
{
    const auto& c = GetParam();
    EXPECT_NEAR(SliderValueText::fromText(c.text, formatFor(c.kind, c.scale)), c.expected, c.tolerance)
        << "kind " << c.kind << " text '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ParserTable,
    testing::Values(ParseCase{0, " 350 ms ", 350.0}, ParseCase{0, "12MS", 12.0},
                    ParseCase{1, "440 Hz", 440.0}, ParseCase{2, "42 %", 42.0},
                    ParseCase{3, "75%", 75.0, 100.0}, ParseCase{4, "16", 16.0}, ParseCase{5, "0.25", 0.25},
                    ParseCase{6, "10 ms", 0.0}, ParseCase{6, "14000", 1000.0},
                    ParseCase{6, "14.00 s", 1000.0}, ParseCase{6, "1", 0.0},
                    ParseCase{7, "2000 ms", 650.0, 2.0}, ParseCase{7, "1000", 650.0},
                    ParseCase{7, "2.00 s", 1000.0}, ParseCase{7, "1.00 s", 650.0}, ParseCase{7, "0", 0.0},
                    ParseCase{8, "0.15 Hz", 0.0}, ParseCase{8, "8 Hz", 1000.0}, ParseCase{9, "-100", 0.0},
                    ParseCase{9, "0", 100.0}, ParseCase{9, "+100", 200.0},
                    ParseCase{9, "+120", 266.667, 1.0, 0.01}, ParseCase{9, "+140", 300.0, 1.0, 1e-6},
                    ParseCase{9, "-140", -100.0}, ParseCase{9, "500", 300.0}, ParseCase{10, "700c", 700.0},
                    ParseCase{10, "12 ct", 12.0}, ParseCase{11, "8 Hz", 1000.0}, ParseCase{11, "0", 0.0},
                    ParseCase{12, "3 dB", 50.0}, ParseCase{12, "9db", 100.0}, ParseCase{12, "-2 DB", 0.0},
                    ParseCase{13, "mono", 0.0}, ParseCase{13, "Widest", 15.0}, ParseCase{13, "+50", 11.25},
                    ParseCase{13, "-100", 0.0}, ParseCase{13, "300", 15.0},
                    // Unparsable text reads as 0 before conversion.
                    ParseCase{0, "abc", 0.0}, ParseCase{6, "abc", 0.0}, ParseCase{7, "abc", 0.0},
                    ParseCase{8, "abc", 0.0}, ParseCase{9, "abc", 100.0}, ParseCase{11, "abc", 0.0},
                    ParseCase{12, "abc", 0.0}, ParseCase{13, "abc", 7.5}));

// Opening the entry box shows the current text; committing it unchanged must keep the value.
TEST(ValueTextRoundTrip, ShownTextReadsBackToTheSameValue)
{
    struct Case
    {
        int kind;
        double value;
        double scale;
        double tolerance;
    };
    const Case cases[] = {
        {0, 350, 1, 0}, {2, 42, 1, 0},    {6, 700, 1, 1},  {6, 200, 1, 1},  {7, 300, 1, 1},
        {7, 800, 1, 2}, {7, 650, 2, 0},   {8, 400, 1, 15}, // one decimal of Hz is coarse at slow rates
        {9, 150, 1, 1}, {9, 260, 1, 2},   {9, -50, 1, 2},  {10, 700, 1, 0}, {11, 300, 1, 3},
        {12, 50, 1, 0}, {13, 11.25, 1, 0}};
    for (const auto& c : cases)
    {
        const auto format = formatFor(c.kind, c.scale);
        const auto text = SliderValueText::toText(c.value, format);
        EXPECT_NEAR(SliderValueText::fromText(text, format), c.value, c.tolerance)
            << "kind " << c.kind << " shows '" << text << "'";
    }
}
} // namespace
