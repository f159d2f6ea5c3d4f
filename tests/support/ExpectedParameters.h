#pragma once

#include <array>
#include <cstring>

namespace vorl::test
{
// The parameters as hosts and stored projects know them, in host order.
struct ExpectedParameter
{
    const char* id;
    const char* name;
    float minimum;
    float maximum;
    float defaultValue;
    int versionHint;
};

inline constexpr std::array<ExpectedParameter, 63> kExpectedParameters{{
    {"g", "Vorl", -100, 100, 0, 1},
    {"s", "Start", 0, 1000, 320, 1},
    {"e", "End", 0, 1000, 537, 1},
    {"fb", "Length", 0, 1000, 757, 1},
    {"pd", "Predelay", 0, 2000, 0, 1},
    {"fbk", "Feedback", 0, 100, 0, 1},
    {"io2x", "In/Out 4x", 0, 1, 0, 1},
    {"lk", "Start/End Lock", 0, 1, 0, 1},
    {"mu", "Tap Sync", 0, 1, 0, 1},
    {"rev", "Reverse", 0, 1, 0, 1},
    {"flipped", "Tap Flip", 0, 1, 0, 1},
    {"tapCnt", "Tap Count", 1, 64, 64, 1},
    {"dcv", "Decay Curve", -100, 300, 50.636662f, 2},
    {"dc", "Dynamic Smoothing", 0, 1, 1, 2},
    {"dcMode", "Decay Mode", 0, 2, 0, 2},
    {"dcSteps", "Decay Steps", 1, 16, 4, 2},
    {"dcFall", "Decay Falloff", 0, 40, 25, 2},
    {"hp", "HP", 0, 1000, 434.59f, 4},
    {"lp", "LP", 0, 1000, 656.65f, 4},
    {"mix", "Dry/Wet", 0, 100, 80, 5},
    {"mixByp", "Mix Bypass", 0, 1, 0, 5},
    {"mout", "Master", -60, 6, 0, 5},
    {"spread", "Widen", 0, 15, 7.5f, 5},
    {"sideOnly", "No Mid", 0, 1, 0, 5},
    {"ppOn", "Ping Pong", 0, 1, 0, 5},
    {"ppW", "Ping Pong Amount", 0, 100, 0, 5},
    {"tp", "Tape", 0, 1, 0, 6},
    {"tOd", "Tape OD Mode", 0, 1, 0, 6},
    {"tBoost", "Tape In", 0, 100, 0, 6},
    {"td", "Tape Out", 0, 100, 50, 6},
    {"sat", "Tape LPF", 0, 100, 100, 6},
    {"flutter", "Tape Flutter", 0, 100, 0, 6},
    {"flutSpd", "Tape Flutter Speed", 0, 100, 50, 6},
    {"tpWet", "Tape Mix", 0, 100, 100, 6},
    {"tDarken", "Tape Wear", 0, 100, 25, 6},
    {"headBump", "Tape Head Bump", 0, 100, 20, 6},
    {"pitchOn", "Pitch/Chorus", 0, 1, 0, 7},
    {"pitchSync", "Pitch Sync", 0, 1, 0, 7},
    {"pitchWide", "Pitch Wide", 0, 1, 1, 7},
    {"pitch2x", "Pitch 2x", 0, 1, 0, 7},
    {"pitchCt", "Pitch", -50, 50, 0, 7},
    {"pitchRt", "Pitch Rate", 0, 1000, 0, 7},
    {"pitchDp", "Pitch Depth", 0, 100, 0, 7},
    {"pitchSh", "Pitch Shape", 0, 6, 1, 7},
    {"pitchMix", "Pitch Mix", 0, 100, 100, 7},
    {"pitchFbk", "Pitch Regen", 0, 100, 0, 7},
    {"pitchGLink", "Pitch Vorl Link", 0, 1, 0, 7},
    {"pitchWLAmt", "Pitch Vorl Cents", 0, 1200, 30, 7},
    {"pitchLB", "Length Bend", -1200, 1200, 0, 7},
    {"wo", "Wave", 0, 1, 0, 8},
    {"waveSync", "Wave Sync", 0, 1, 0, 8},
    {"lrs", "Wave Rate", 0, 1000, 523, 8},
    {"lfoDp", "Wave Density", 0, 100, 70, 8},
    {"lsh", "Wave Shape", 0, 7, 0, 8},
    {"woPh", "Wave Phase", -180, 180, 0, 8},
    {"woOff", "Wave Offset", -180, 180, 0, 8},
    {"trem", "Tremolo", 0, 1, 0, 9},
    {"tremSync", "Trem Sync", 0, 1, 0, 9},
    {"tremR", "Trem Rate", 0, 1000, 753, 9},
    {"tremD", "Trem Depth", 0, 100, 80, 9},
    {"tremPh", "Trem Phase", -180, 180, 0, 9},
    {"tremOff", "Trem Offset", -180, 180, 0, 9},
    {"tremSh", "Trem Shape", 0, 7, 0, 9},
}};

// Switches and whole numbers: discrete for hosts, one step per whole value of their range.
inline bool isStepped(const ExpectedParameter& parameter)
{
    constexpr const char* kSteppedIds[] = {
        "io2x",     "lk",        "mu",        "rev",      "flipped", "tapCnt",     "dc",
        "dcMode",   "dcSteps",   "mixByp",    "sideOnly", "ppOn",    "tp",         "tOd",
        "pitchOn",  "pitchSync", "pitchWide", "pitch2x",  "pitchSh", "pitchGLink", "wo",
        "waveSync", "lsh",       "trem",      "tremSync", "tremSh"};
    for (const char* id : kSteppedIds)
        if (std::strcmp(id, parameter.id) == 0)
            return true;
    return false;
}
} // namespace vorl::test
