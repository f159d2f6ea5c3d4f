#include "FilterSlider.h"

#include "FrequencyScale.h"
#include "Palette.h"
#include "Typefaces.h"
#include "dsp/ValueCurves.h"

#include <cmath>

namespace
{
constexpr float kMinHz = FrequencyScale::kMinHz;
constexpr float kMaxHz = 22000.0f;
constexpr float kHandleHitRadius = 8.0f;
} // namespace

float FilterSlider::hpValueToHz(float value)
{
    return juce::jlimit(kMinHz, kMaxHz, vorl::highPassSliderToHz(value));
}

float FilterSlider::lpValueToHz(float value)
{
    return juce::jlimit(kMinHz, kMaxHz, vorl::lowPassSliderToHz(value));
}

float FilterSlider::hzToHpValue(float hz)
{
    return std::log(hz / 20.0f) * 1000.0f / std::log(200.0f);
}

float FilterSlider::hzToLpValue(float hz)
{
    return std::log(hz / 500.0f) * 1000.0f / std::log(44.0f);
}

float FilterSlider::frequencyToX(float hz) const
{
    return trackStart() + trackLength() * FrequencyScale::position(hz);
}

float FilterSlider::xToFrequency(float x) const
{
    return FrequencyScale::frequencyAt(juce::jlimit(0.0f, 1.0f, (x - trackStart()) / trackLength()));
}

juce::String FilterSlider::frequencyText(float hz) { return FrequencyScale::text(hz); }

void FilterSlider::mouseMove(const juce::MouseEvent& e)
{
    const int cy = getHeight() / 2;
    const bool nearTrack = std::abs(e.y - cy) < kHandleHitRadius;
    const bool newHoverHp = nearTrack && std::abs(static_cast<float>(e.x) - hpX()) < kHandleHitRadius;
    const bool newHoverLp = nearTrack && std::abs(static_cast<float>(e.x) - lpX()) < kHandleHitRadius;
    if (newHoverHp != hoverHp || newHoverLp != hoverLp)
    {
        hoverHp = newHoverHp;
        hoverLp = newHoverLp;
        repaint();
    }
}

void FilterSlider::mouseExit(const juce::MouseEvent&)
{
    hoverHp = false;
    hoverLp = false;
    repaint();
}

void FilterSlider::mouseDown(const juce::MouseEvent& e)
{
    dragging = true;
    fineDragActive = false;
    const auto x = static_cast<float>(e.x);
    // The nearer handle is grabbed; on a tie the low-pass one.
    draggingHp = std::abs(x - lpX()) > std::abs(x - hpX());
    if (onDragStart)
        onDragStart(draggingHp ? paramIdHp : paramIdLp);
}

void FilterSlider::mouseDrag(const juce::MouseEvent& e)
{
    if (!dragging)
        return;

    const float hpHz = hpValueToHz(hpValue);
    const float lpHz = lpValueToHz(lpValue);
    float& grabbed = draggingHp ? hpValue : lpValue;
    float newValue = grabbed;
    float threshold = 0.5f;

    if (e.mods.isCtrlDown() || e.mods.isAltDown())
    {
        if (!fineDragActive)
        {
            fineDragActive = true;
            fineDragStartValue = grabbed;
            fineDragStartX = e.position.x;
        }
        const float t = juce::jlimit(0.0f, 1000.0f,
                                     (e.position.x - fineDragStartX) / trackLength() * 1000.0f * 0.125f +
                                         fineDragStartValue) /
                        1000.0f;
        // The handles may meet but never cross.
        if (draggingHp)
            newValue =
                hzToHpValue(juce::jlimit(kMinHz, juce::jmax(kMinHz, lpHz), 20.0f * std::pow(200.0f, t)));
        else
            newValue =
                hzToLpValue(juce::jlimit(juce::jmin(hpHz, kMaxHz), kMaxHz, 500.0f * std::pow(44.0f, t)));
        threshold = 0.05f;
    }
    else
    {
        fineDragActive = false;
        const float hz = xToFrequency(static_cast<float>(e.x));
        if (draggingHp)
            newValue = hzToHpValue(juce::jlimit(kMinHz, juce::jmax(kMinHz, lpHz), hz));
        else
            newValue = hzToLpValue(juce::jlimit(juce::jmin(hpHz, kMaxHz), kMaxHz, hz));
    }

    // Clamping against the other handle can reach beyond this handle's own range (a low-pass
    // above 4 kHz for the high-pass); the stored value stays within the parameter's range.
    newValue = juce::jlimit(0.0f, 1000.0f, newValue);
    if (std::abs(newValue - grabbed) > threshold)
    {
        grabbed = newValue;
        notifyChange();
    }
    repaint();
}

void FilterSlider::mouseUp(const juce::MouseEvent&)
{
    dragging = false;
    fineDragActive = false;
    if (onDragEnd)
        onDragEnd(draggingHp ? paramIdHp : paramIdLp);
}

void FilterSlider::mouseDoubleClick(const juce::MouseEvent& e)
{
    const auto x = static_cast<float>(e.x);
    if (std::abs(x - hpX()) < std::abs(x - lpX()))
        hpValue = kDefaultHp;
    else
        lpValue = kDefaultLp;
    notifyChange();
    repaint();
}

void FilterSlider::notifyChange()
{
    if (onChange)
        onChange(hpValue, lpValue);
}

void FilterSlider::drawHandle(juce::Graphics& g, float x, float cy, bool active) const
{
    const auto body = juce::Rectangle<float>(10.0f, 10.0f).withCentre({x, cy});
    g.setColour(juce::Colours::black.withAlpha(0.45f));
    g.fillEllipse(body.translated(0.0f, 1.0f));
    g.setColour(active ? Palette::orangeEdge.brighter(0.2f) : Palette::orangeEdge);
    g.fillEllipse(body);
    g.setColour(juce::Colours::black.withAlpha(0.22f));
    g.drawEllipse(body, 1.5f);
}

void FilterSlider::paint(juce::Graphics& g)
{
    const float x0 = trackStart();
    const float length = trackLength();
    const float cy = static_cast<float>(getHeight()) / 2.0f;

    g.setColour(Palette::groove);
    g.fillRect(juce::Rectangle<float>(x0, cy - 1.0f, length, 2.0f));

    const float hx = hpX();
    const float lx = lpX();
    const float a = juce::jmax(hx, x0);
    const float b = juce::jmin(lx, x0 + length);
    if (b - a > 1.0f)
    {
        g.setColour(Palette::orangeEdge.withAlpha(0.75f));
        g.fillRect(juce::Rectangle<float>(a, cy - 1.0f, b - a, 2.0f));
    }

    const bool hpActive = dragging ? draggingHp : hoverHp;
    const bool lpActive = dragging ? !draggingHp : hoverLp;
    drawHandle(g, hx, cy, hpActive);
    drawHandle(g, lx, cy, lpActive);

    g.setFont(Typefaces::consolas(10.0f));
    g.setColour(Palette::orangeEdge);
    const int w = getWidth();
    const int h = getHeight();
    const int hpSpace = juce::jmax(0, static_cast<int>(hx) - 6);
    if (hpSpace > 0)
        g.drawText("HP " + frequencyText(hpValueToHz(hpValue)), 2, 0, hpSpace, h,
                   juce::Justification::centredLeft, true);
    const int lpSpace = juce::jmax(0, static_cast<int>(static_cast<float>(w) - lx - 6.0f));
    if (lpSpace > 0)
        g.drawText("LP " + frequencyText(lpValueToHz(lpValue)), w - lpSpace - 2, 0, lpSpace, h,
                   juce::Justification::centredRight, true);
}
