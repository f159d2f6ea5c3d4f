#pragma once

#include <cstdint>

namespace vorl
{
// Stereo tremolo of the wet bus. The left channel follows the LFO at the phase shift, the
// right one at phase shift plus offset shift; in sync the LFO follows the host's beat.
class Tremolo
{
public:
    void prepare(double sampleRate) noexcept;
    void reset() noexcept;

    void setRateHz(float hz) noexcept;
    void setDepth(float newDepth) noexcept;     // 0..1
    void setShape(int newShape) noexcept;       // 0..6
    void setPhaseShift(float cycles) noexcept;  // -tremPh / 360
    void setOffsetShift(float cycles) noexcept; // -tremOff / 360
    void setSeed(uint32_t newSeed) noexcept { seed = newSeed; }
    void setSync(bool isSynced, double ppqPosition, double tempoBpm, int noteValueIndex, double phaseInBeats,
                 float currentSampleRate) noexcept;

    // Does nothing at depth 0, where the free-running phase stands still too.
    void process(float* left, float* right, int n) noexcept;

    double getPhase() const noexcept { return phase; }

private:
    // c wrapped into [0, 1). The usual case, c already inside, is inline: it runs twice a sample.
    static double wrapUnit(double c) noexcept { return c >= 0.0 && c < 1.0 ? c : wrapUnitFromOutside(c); }
    static double wrapUnitFromOutside(double c) noexcept;

    float sampleRate = 44100.0f;
    float rateHz = 0.0f;
    float depth = 0.0f;
    int shape = 0;
    double phaseShift = 0.0;
    double offsetShift = 0.0;
    uint32_t seed = 0;

    bool synced = false;
    double ppq = 0.0;
    double bpm = 120.0;
    int noteIndex = 5;
    double phaseBeats = 0.0;

    double phase = 0.0;
    double randomPosition = 0.0;
    float gainL = 1.0f, gainR = 1.0f;
    bool primed = false;
};
} // namespace vorl
