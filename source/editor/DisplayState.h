#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>

class TarnelDelayAudioProcessor;

// The display values the editor's refresh builds on every tick and hands, by value, to the tap
// visualizer and the heads-up overlays. Plain data; nobody else writes it.
struct DisplayState
{
    bool waveOn = false;
    bool tapeOn = false;
    bool tremoloOn = false;
    bool pingPongOn = false;
    bool dynamicSmoothing = false;
    float waveRateHz = 1.2f;
    float waveDensity = 70.0f;
    float wavePhase = 0.0f;
    float waveOffset = 0.0f;
    int waveShape = 0;
    float tremRateHz = 3.0f;
    float tremDepth = 80.0f;
    int tremShape = 0;
    float tremPhase = 0.0f;
    float tremOffset = 0.0f;
    float tapeLpf = 70.0f;
    float predelayMs = 0.0f;
    float width = 0.0f;
    bool noMid = false;
    float pingPongAmount = 0.0f;
    float decayCurve = -70.0f;
    int decayMode = 0;
    int decaySteps = 4;
    float decayFalloff = 25.0f;
    // Filled by the visualizer: the handles' heights as fractions of the plot height.
    float decayHandleY = 0.5f;
    float wearHandleY = 0.5f;
    int hudMode = 0;
    uint32_t waveSeed = 0x5eed0001u;
    uint32_t tremSeed = 0xc0defadeu;
    float vorl = 0.0f;
    float hpHz = 300.0f;
    float lpHz = 8000.0f;
    float lengthMs = 2400.0f;
    float mix = 80.0f;
    float tapeMix = 100.0f;
    float tapeOut = 33.0f;
    float tapeIn = 50.0f;
    float flutterDepth = 0.0f;
    float flutterSpeed = 50.0f;
    float tapeWear = 70.0f;
    float headBump = 0.0f;
    float flutterPhase = 0.0f; // 0..1
    float slowPhase = 0.0f;    // 0..1024
    float dryWet = 80.0f;
    float masterDb = 0.0f;
    float hudScale = 1.0f;
    float pitchRateHz = 0.12f;
    float pitchDepth = 20.0f;
    float pitchCents = 0.0f;
    float pitchMix = 50.0f;
    float lengthBend = 0.0f;
    float pitchVorlCents = 30.0f;
    float pitchRegen = 0.0f;
    int pitchShape = 0;
    bool pitch2x = false;
    juce::String hudParamId;
};

// Every field that follows from the parameters and the processor's seeds. The animation phases,
// the handle heights and the heads-up selection (hudMode, hudParamId, hudScale) are the refresh
// cycle's and the visualizer's to set; they keep their defaults here.
DisplayState readDisplayState(TarnelDelayAudioProcessor& processor);
