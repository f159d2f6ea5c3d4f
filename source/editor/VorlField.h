#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

// The decorative physics of the vorl control: a grid warped towards the well and particles
// that drift through the field and fall into the well when Vorl pulls (negative values).
// Deterministic, so that pictures and tests repeat.
class VorlField
{
public:
    static constexpr int kParticles = 36;

    struct Particle
    {
        juce::Point<float> position; // in 0..1 of the field's width and height
        juce::Point<float> velocity; // per tick
        float opacity = 0.0f;
        float life = 0.0f;
    };

    // Where the well sits for a Vorl amount v (-1..1) in a field of the given size.
    static juce::Point<float> wellPosition(float v, float width, float height) noexcept;

    // Where a grid point lands after the well's pull (v < 0) or stretch (v > 0).
    static juce::Point<float> warp(juce::Point<float> point, float v, juce::Point<float> well, float width,
                                   float height) noexcept;

    // The field grid drawn into an image at the given pixel scale.
    static juce::Image renderGrid(int width, int height, float v, float scale);

    VorlField();

    // One animation tick for a field of the given size; returns how many particles the well caught.
    int step(float v, float width, float height) noexcept;

    const std::array<Particle, kParticles>& getParticles() const noexcept { return particles; }

private:
    void respawn(Particle& particle, bool anywhere) noexcept;

    std::array<Particle, kParticles> particles{};
    juce::Random random{0x5eedf1e1d};
};
