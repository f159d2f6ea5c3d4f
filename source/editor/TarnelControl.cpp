#include "TarnelControl.h"

#include "widgets/Palette.h"
#include "widgets/Typefaces.h"

#include <cmath>

namespace
{
constexpr float kCorner = 6.0f;
constexpr double kTickMs = 1000.0 / TarnelControl::kAnimationHz;
} // namespace

TarnelControl::TarnelControl(juce::AudioProcessorValueTreeState& parameterTree)
    : tree(parameterTree), vorlParameter(parameterTree.getParameter("g"))
{
    setMouseCursor(juce::MouseCursor::LeftRightResizeCursor);
}

TarnelControl::~TarnelControl()
{
    stopTimer();
    if (gestureOpen && vorlParameter != nullptr)
        vorlParameter->endChangeGesture();
}

float TarnelControl::vorlAmount() const noexcept
{
    const auto* raw = tree.getRawParameterValue("g");
    const float value = raw != nullptr ? raw->load() : 0.0f;
    return std::isfinite(value) ? juce::jlimit(-1.0f, 1.0f, value / 100.0f) : 0.0f;
}

bool TarnelControl::reversed() const noexcept
{
    const auto* raw = tree.getRawParameterValue("rev");
    return raw != nullptr && raw->load() > 0.5f;
}

float TarnelControl::vorlForX(float x) const noexcept
{
    const float width = static_cast<float>(std::max(getWidth(), 1));
    float p = x / width;
    if (reversed())
        p = (width - x) / width;
    return juce::jlimit(-100.0f, 100.0f, (juce::jlimit(0.0f, 1.0f, p) * 2.0f - 1.0f) * 100.0f);
}

void TarnelControl::setFromX(float x)
{
    if (vorlParameter != nullptr)
        vorlParameter->setValueNotifyingHost(vorlParameter->convertTo0to1(vorlForX(x)));
}

void TarnelControl::mouseDown(const juce::MouseEvent& e)
{
    if (vorlParameter != nullptr && !gestureOpen)
    {
        vorlParameter->beginChangeGesture();
        gestureOpen = true;
    }
    if (onDragStart)
        onDragStart("g");
    setFromX(e.position.x);
}

void TarnelControl::mouseDrag(const juce::MouseEvent& e)
{
    setFromX(e.position.x);
}

void TarnelControl::mouseUp(const juce::MouseEvent&)
{
    if (gestureOpen && vorlParameter != nullptr)
        vorlParameter->endChangeGesture();
    gestureOpen = false;
    if (onDragEnd)
        onDragEnd("g");
}

void TarnelControl::mouseDoubleClick(const juce::MouseEvent&)
{
    if (vorlParameter == nullptr)
        return;
    // The double-click's own presses already opened and closed a gesture; the reset gets its own.
    vorlParameter->beginChangeGesture();
    vorlParameter->setValueNotifyingHost(vorlParameter->convertTo0to1(0.0f));
    vorlParameter->endChangeGesture();
}

void TarnelControl::mouseEnter(const juce::MouseEvent&)
{
    hovered = true;
}

void TarnelControl::mouseExit(const juce::MouseEvent&)
{
    hovered = false;
}

void TarnelControl::startAnimation()
{
    animationWanted = true;
    updateTimer();
}

void TarnelControl::updateTimer()
{
    if (animationWanted && isShowing())
        startTimerHz(kAnimationHz);
    else
        stopTimer();
}

void TarnelControl::visibilityChanged()
{
    updateTimer();
}

void TarnelControl::parentHierarchyChanged()
{
    updateTimer();
}

void TarnelControl::timerCallback()
{
    const float v = vorlAmount();
    clockMs += kTickMs;
    const int captured = field.step(v, static_cast<float>(getWidth()), static_cast<float>(getHeight()));
    if (-v > 0.05f)
        activity += (1.0f - activity) * 0.02f + static_cast<float>(captured) * 0.01f;
    else
        activity *= 0.9f;
    activity = juce::jlimit(0.0f, 1.25f, activity);
    hoverGlow += ((hovered ? 1.0f : 0.0f) - hoverGlow) * 0.15f;
    repaint();
}

juce::String TarnelControl::valueText(float vorl)
{
    const int n = std::isfinite(vorl) ? juce::roundToInt(vorl) : 0;
    if (n > 0)
        return "+" + juce::String(n) + "%";
    if (n < 0)
        return "-" + juce::String(-n) + "%";
    return "0%";
}

const juce::Image& TarnelControl::gridFor(float v, float scale)
{
    if (gridImage.isNull() || v != gridV || scale != gridScale || gridSize != getLocalBounds())
    {
        gridImage = VorlField::renderGrid(getWidth(), getHeight(), v, scale);
        gridV = v;
        gridScale = scale;
        gridSize = getLocalBounds();
    }
    return gridImage;
}

void TarnelControl::paintWell(juce::Graphics& g, juce::Point<float> well, float v) const
{
    // Glow: nine layers whose size breathes slowly.
    const float pulse =
        1.0f + 0.08f * std::sin(static_cast<float>(clockMs) * juce::MathConstants<float>::twoPi / 2600.0f);
    const float strength = 0.35f + 0.4f * std::abs(v) + 0.25f * hoverGlow;
    for (int layer = 8; layer >= 0; --layer)
    {
        const float radius = (5.0f + 3.2f * static_cast<float>(layer)) * pulse;
        const float alpha = strength * 0.14f * (1.0f - static_cast<float>(layer) / 10.0f);
        juce::ColourGradient glow(Palette::vorlGreen.withAlpha(alpha), well.x, well.y,
                                  Palette::vorlGreen.withAlpha(0.0f), well.x + radius, well.y, true);
        g.setGradientFill(glow);
        g.fillEllipse(juce::Rectangle<float>(radius * 2.0f, radius * 2.0f).withCentre(well));
    }

    if (v < 0.0f)
    {
        // The swirl: rays turning around the well, longer the deeper it is.
        const float a = -v;
        const float turn = static_cast<float>(clockMs) * 0.0015f * (1.0f + a);
        g.setColour(Palette::vorlMint.withAlpha(0.12f + 0.25f * a));
        for (int ray = 0; ray < 20; ++ray)
        {
            const float angle = turn + juce::MathConstants<float>::twoPi * static_cast<float>(ray) / 20.0f;
            const float inner = 4.0f;
            const float outer = inner + 6.0f + 16.0f * a;
            const juce::Point<float> from = well.getPointOnCircumference(outer, angle);
            const juce::Point<float> to = well.getPointOnCircumference(inner, angle + 0.9f);
            g.drawLine({from, to}, 0.8f);
        }
    }

    if (activity > 0.01f)
    {
        const float radius = 9.0f + 5.0f * activity;
        g.setColour(Palette::vorlMint.withAlpha(0.45f * std::min(activity, 1.0f)));
        g.drawEllipse(juce::Rectangle<float>(radius * 2.0f, radius * 2.0f).withCentre(well), 1.2f);
    }
}

void TarnelControl::paintTexts(juce::Graphics& g, float vorl) const
{
    auto label = Typefaces::consolas(12.5f);
    label.setExtraKerningFactor(0.35f);
    g.setFont(label);
    const juce::Rectangle<float> labelArea(10.0f, 5.0f, 90.0f, 16.0f);
    g.setColour(juce::Colours::white.withAlpha(0.5f));
    g.drawText("VORL", labelArea.translated(1.0f, 0.0f), juce::Justification::centredLeft, false);
    g.setColour(juce::Colour::fromFloatRGBA(0.88f, 0.95f, 0.9f, 1.0f));
    g.drawText("VORL", labelArea, juce::Justification::centredLeft, false);

    const auto text = valueText(vorl);
    g.setFont(Typefaces::defaultSans(13.0f));
    const juce::Rectangle<float> valueArea(static_cast<float>(getWidth()) - 78.0f, 5.0f, 68.0f, 16.0f);
    g.setColour(juce::Colours::white.withAlpha(0.5f));
    g.drawText(text, valueArea.translated(1.0f, 1.0f), juce::Justification::centredRight, false);
    g.setColour(Palette::accentYellow);
    g.drawText(text, valueArea, juce::Justification::centredRight, false);
}

void TarnelControl::paint(juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    const float width = bounds.getWidth();
    const float height = bounds.getHeight();
    const float v = vorlAmount();
    const float scale = g.getInternalContext().getPhysicalPixelScaleFactor();

    // The field is drawn into a frame that then fills the rounded shape: clipping to the
    // rounded path directly trips a fault in the framework's software renderer when the
    // drawing is mirrored.
    const int frameWidth = std::max(1, juce::roundToInt(width * scale));
    const int frameHeight = std::max(1, juce::roundToInt(height * scale));
    if (frame.getWidth() != frameWidth || frame.getHeight() != frameHeight)
        frame = juce::Image(juce::Image::ARGB, frameWidth, frameHeight, false);
    {
        juce::Graphics f(frame);
        f.addTransform(juce::AffineTransform::scale(scale));
        f.setColour(Palette::vorlDark);
        f.fillRect(bounds);
        if (reversed())
            f.addTransform(juce::AffineTransform::scale(-1.0f, 1.0f).translated(width, 0.0f));
        f.drawImage(gridFor(v, scale), bounds);
        for (const auto& particle : field.getParticles())
        {
            const juce::Point<float> centre{particle.position.x * width, particle.position.y * height};
            f.setColour(Palette::accentYellow.withAlpha(0.35f * particle.opacity));
            f.fillEllipse(juce::Rectangle<float>(12.0f, 12.0f).withCentre(centre));
            f.setColour(Palette::accentYellow.withAlpha(particle.opacity));
            f.fillEllipse(juce::Rectangle<float>(4.6f, 4.6f).withCentre(centre));
        }
        paintWell(f, VorlField::wellPosition(v, width, height), v);
    }
    g.setFillType(juce::FillType(frame, juce::AffineTransform::scale(1.0f / scale)));
    g.fillRoundedRectangle(bounds, kCorner);

    paintTexts(g, v * 100.0f);
    g.setColour(Palette::vorlMint);
    g.drawRoundedRectangle(bounds.reduced(0.5f), kCorner, 1.0f);
}
