#include "VorlField.h"

#include "widgets/Palette.h"

#include <cmath>

juce::Point<float> VorlField::wellPosition(float v, float width, float height) noexcept
{
    const float x = 22.0f + (v / 2.0f + 0.5f) * (width - 44.0f);
    const float y = (0.42f + 0.32f * std::pow(std::max(-v, 0.0f), 0.7f)) * height;
    return {x, y};
}

juce::Point<float> VorlField::warp(juce::Point<float> point, float v, juce::Point<float> well, float width,
                                   float height) noexcept
{
    if (v < 0.0f)
    {
        const float a = -v;
        const float radius = (0.22f * a + 0.1f) * height;
        const float strength = std::sqrt(a);
        const auto d = point - well;
        const float pull = strength * std::exp(-(d.x * d.x + d.y * d.y) / (radius * radius));
        return {point.x - d.x * pull * 0.9f, point.y - d.y * pull * 0.98f};
    }
    if (v > 0.0f)
    {
        const float x = well.x + (point.x - well.x) * (v / 2.0f + 1.0f);
        const float u = (point.x - well.x) / (0.3f * width);
        return {x, point.y + std::exp(-u * u) * v * 0.05f * height};
    }
    return point;
}

juce::Image VorlField::renderGrid(int width, int height, float v, float scale)
{
    const int pixelWidth = std::max(1, juce::roundToInt(static_cast<float>(width) * scale));
    const int pixelHeight = std::max(1, juce::roundToInt(static_cast<float>(height) * scale));
    juce::Image image(juce::Image::ARGB, pixelWidth, pixelHeight, true);
    juce::Graphics g(image);
    g.addTransform(juce::AffineTransform::scale(scale));

    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    const auto well = wellPosition(v, w, h);
    constexpr int rows = 7, columns = 31, segments = 30;
    const juce::PathStrokeType stroke(0.9f);

    for (int r = 0; r < rows; ++r)
    {
        const float y = (static_cast<float>(r) + 0.5f) / rows * h;
        // Lines near the middle row are the brightest.
        const float rowWeight =
            1.0f - std::abs(static_cast<float>(r) - (rows - 1) / 2.0f) / ((rows - 1) / 2.0f);
        juce::Path line;
        for (int s = 0; s <= segments; ++s)
        {
            const auto p = warp({static_cast<float>(s) / segments * w, y}, v, well, w, h);
            s == 0 ? line.startNewSubPath(p) : line.lineTo(p);
        }
        g.setColour(Palette::vorlGreen.withAlpha(0.16f + 0.58f * rowWeight));
        g.strokePath(line, stroke);
    }
    g.setColour(Palette::vorlGreen.withAlpha(0.32f));
    for (int c = 0; c < columns; ++c)
    {
        const float x = static_cast<float>(c) / (columns - 1) * w;
        juce::Path line;
        for (int s = 0; s <= segments; ++s)
        {
            const auto p = warp({x, static_cast<float>(s) / segments * h}, v, well, w, h);
            s == 0 ? line.startNewSubPath(p) : line.lineTo(p);
        }
        g.strokePath(line, stroke);
    }
    return image;
}

VorlField::VorlField()
{
    for (auto& particle : particles)
        respawn(particle, true);
}

void VorlField::respawn(Particle& particle, bool anywhere) noexcept
{
    particle.position = {anywhere ? random.nextFloat() : -0.02f, 0.1f + 0.8f * random.nextFloat()};
    particle.velocity = {0.002f + 0.004f * random.nextFloat(), (random.nextFloat() - 0.5f) * 0.002f};
    particle.opacity = 0.0f;
    particle.life = 0.0f;
}

int VorlField::step(float v, float width, float height) noexcept
{
    if (!(width > 0.0f && height > 0.0f))
        return 0;
    const auto well = wellPosition(v, width, height);
    const juce::Point<float> wellUnit{well.x / width, well.y / height};
    int captured = 0;
    for (auto& particle : particles)
    {
        particle.life += 1.0f;
        particle.opacity = std::min(particle.opacity + 0.05f, 0.8f);
        if (v < 0.0f)
        {
            // The well pulls harder the closer a particle comes and the deeper it is.
            const auto d = wellUnit - particle.position;
            const float distance = std::max(d.getDistanceFromOrigin(), 0.02f);
            particle.velocity += d * (-v * 0.0009f / distance);
            particle.velocity *= 0.97f;
            if (distance < 0.035f)
            {
                ++captured;
                respawn(particle, false);
                continue;
            }
        }
        else
        {
            // Positive Vorl only stretches the field: the particles drift on, a little faster.
            particle.velocity.x = std::max(particle.velocity.x, 0.002f + 0.003f * v);
            particle.velocity.y *= 0.99f;
        }
        particle.position += particle.velocity;
        const auto& p = particle.position;
        if (p.x > 1.02f || p.x < -0.05f || p.y < -0.05f || p.y > 1.05f || particle.life > 600.0f)
            respawn(particle, false);
    }
    return captured;
}
