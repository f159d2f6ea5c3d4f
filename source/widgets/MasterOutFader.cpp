#include "MasterOutFader.h"

#include "Palette.h"

#include <cmath>

namespace
{
const juce::String kMasterId{"mout"};
constexpr float kGreenTop = 48.0f / 66.0f; // -12 dB
constexpr float kAmberTop = 57.0f / 66.0f; // -3 dB
const juce::Colour kRed{0xffff5050};
} // namespace

MasterOutFader::MasterOutFader(juce::AudioProcessorValueTreeState& tree, std::function<float()> levelGetter)
    : levelSource(std::move(levelGetter))
{
    slider.setColour(juce::Slider::thumbColourId, Palette::white);
    slider.setColour(juce::Slider::trackColourId, Palette::white.withAlpha(0.25f));
    slider.setColour(juce::Slider::backgroundColourId, juce::Colour(0));
    addAndMakeVisible(slider);
    slider.addMouseListener(this, false);
    attachment =
        std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(tree, kMasterId, slider);
    parameter = tree.getParameter(kMasterId);
    startTimerHz(kTimerHz);
}

MasterOutFader::~MasterOutFader()
{
    stopTimer();
    slider.removeMouseListener(this);
}

void MasterOutFader::resized()
{
    slider.setBounds(getLocalBounds());
}

void MasterOutFader::report(const std::function<void(const juce::String&)>& callback)
{
    if (callback)
        callback(kMasterId);
}

void MasterOutFader::mouseDown(const juce::MouseEvent&)
{
    report(onDragStart);
}
void MasterOutFader::mouseUp(const juce::MouseEvent&)
{
    report(onDragEnd);
}
void MasterOutFader::mouseEnter(const juce::MouseEvent&)
{
    report(onHoverStart);
}
void MasterOutFader::mouseExit(const juce::MouseEvent&)
{
    report(onHoverEnd);
}

void MasterOutFader::updateMeter()
{
    if (!levelSource)
        return;
    // A torn or broken level from the audio thread must not stick in the meter.
    float level = levelSource();
    if (!std::isfinite(level))
        level = 0.0f;
    float m = std::max(meterLevel * kFallPerTick, std::abs(level));
    if (m < kSilence)
        m = 0.0f;
    if (m != meterLevel)
    {
        meterLevel = m;
        repaint();
    }
}

float MasterOutFader::meterProportion(float level) noexcept
{
    const float db = level > 0.0f ? std::max(20.0f * std::log10(level), -100.0f) : -100.0f;
    return juce::jlimit(0.0f, 1.0f, (db + 60.0f) / 66.0f);
}

void MasterOutFader::paint(juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    const float x = bounds.getX(), y = bounds.getY(), w = bounds.getWidth(), h = bounds.getHeight();
    g.setGradientFill(juce::ColourGradient(Palette::insetBg, 0.0f, 0.0f, Palette::meterBg, 0.0f, h, false));
    g.fillRoundedRectangle(bounds, 3.0f);

    // The meter spans the thumb's travel.
    const float r = (float)getLookAndFeel().getSliderThumbRadius(slider);
    const float ty = y + r;
    const float th = std::max(h - 2.0f * r, 0.0f);
    const float bw = std::max(0.5f * w, 4.0f);
    const float bx = x + w / 2.0f - bw / 2.0f;
    auto segment = [&](float from, float to, juce::Colour colour)
    {
        const float a = juce::jlimit(0.0f, 1.0f, from), b = juce::jlimit(0.0f, 1.0f, to);
        if (!(a < b))
            return;
        g.setColour(colour);
        g.fillRect(bx, ty + th - th * b, bw, th * (b - a));
    };

    segment(0.0f, kGreenTop, Palette::meterGreen.withAlpha(0.18f));
    segment(kGreenTop, kAmberTop, Palette::amber.withAlpha(0.18f));
    segment(kAmberTop, 1.0f, kRed.withAlpha(0.18f));
    const float p = meterProportion(meterLevel);
    segment(0.0f, std::min(kGreenTop, p), Palette::meterGreen.withAlpha(0.95f));
    segment(kGreenTop, std::min(kAmberTop, p), Palette::amber.withAlpha(0.95f));
    segment(kAmberTop, p, kRed.withAlpha(0.95f));

    if (parameter == nullptr)
        return;
    auto tickY = [&](float db) { return ty + th - th * parameter->convertTo0to1(db); };
    g.setColour(Palette::text.withAlpha(0.45f));
    for (const float db : {6.0f, -60.0f})
        g.fillRect(x - 1.0f, tickY(db) - 0.5f, 4.0f, 1.0f);
    g.setColour(Palette::text.withAlpha(0.85f));
    g.fillRect(x - 1.0f, tickY(0.0f) - 0.5f, 6.0f, 1.5f);
}
