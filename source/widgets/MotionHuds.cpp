#include "MotionHuds.h"

#include "Palette.h"
#include "Typefaces.h"

#include <cmath>

namespace HudNoise
{
float hash(float v)
{
    const float s = 43758.547f * std::sin(127.1f * v + 31.7f);
    return s - std::floor(s);
}

namespace
{
float smoothBlend(float a, float b, float f)
{
    return (a + (b - a) * f * f * (3.0f - 2.0f * f)) * 2.0f - 1.0f;
}

float wrappedLattice(float n, float seed)
{
    float m = std::fmod(n, 9.0f);
    if (m < 0.0f)
        m += 9.0f;
    return hash(m + seed);
}
} // namespace

float wrapped(float x, float seed)
{
    const float n = std::floor(x);
    return smoothBlend(wrappedLattice(n, seed), wrappedLattice(n + 1.0f, seed), x - n);
}

float plain(float x, float seed)
{
    const float n = std::floor(x);
    return smoothBlend(hash(n + seed), hash(n + 1.0f + seed), x - n);
}
} // namespace HudNoise

using HudNoise::hash;

void FlutterHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const float w = bounds.getWidth(), h = bounds.getHeight();
    g.setColour(Palette::panelBg.withAlpha(0.82f));
    g.fillRect(bounds);
    const bool speed = state.hudParamId == "flutSpd";
    const float depth = juce::jlimit(0.0f, 100.0f, finiteOr(state.flutterDepth, 0.0f));

    g.setFont(Typefaces::consolas(9.0f));
    g.setColour(Palette::accentOrange);
    g.drawText("FLUTTER", 8, 4, 60, 12, juce::Justification::topLeft, true);
    g.setColour(speed ? Palette::textDim : Palette::textBright);
    g.drawText(juce::String(juce::roundToInt(depth)) + "%", 64, 4, 40, 12, juce::Justification::topLeft,
               true);
    g.setFont(Typefaces::consolas(8.0f));
    g.setColour(speed ? Palette::textBright : Palette::textDim);
    g.drawText(
        "spd " +
            juce::String(juce::roundToInt(juce::jlimit(0.0f, 100.0f, finiteOr(state.flutterSpeed, 0.0f)))) +
            "%",
        104, 4, 60, 12, juce::Justification::topLeft, true);

    const float c = 0.55f * h, a = 0.32f * h, pw = w - 28.0f;
    g.setColour(Palette::groove);
    g.drawLine(14.0f, c - a, w - 14.0f, c - a, 0.5f);
    g.drawLine(14.0f, c, w - 14.0f, c, 0.6f);
    g.drawLine(14.0f, c + a, w - 14.0f, c + a, 0.5f);
    g.setFont(Typefaces::consolas(7.0f));
    g.setColour(Palette::textDim);
    g.drawText("+", (int)4, (int)(c - a - 4.0f), 10, 10, juce::Justification::centred, true);
    g.drawText("0", (int)4, (int)(c - 3.0f), 10, 10, juce::Justification::centred, true);
    g.drawText("-", (int)4, (int)(c + a - 4.0f), 10, 10, juce::Justification::centred, true);

    const float d = (depth / 100.0f) * (depth / 100.0f);
    const float phase = finiteOr(state.flutterPhase, 0.0f);
    juce::Point<float> points[97];
    for (int i = 0; i <= 96; ++i)
    {
        const float t = (float)i / 96.0f;
        const float j = hash(0.61f * (float)i);
        const float u = 9.0f * phase - 9.0f * 0.6f * t;
        const float v = (0.3f * HudNoise::wrapped(2.0f * u, 173.0f) + 0.7f * HudNoise::wrapped(u, 41.0f) +
                         0.1f * (2.0f * j - 1.0f)) *
                        a;
        points[i] = {14.0f + t * pw, c - v * d};
    }

    juce::Path ink;
    bool inRun = false;
    for (int k = 0; k < 96; ++k)
    {
        const bool inked = hash(2.13f * (float)k + 7.0f) >= 0.1f + 0.12f * (1.0f - d);
        if (inked && !inRun)
            ink.startNewSubPath(points[k]);
        if (inked)
            ink.lineTo(points[k + 1]);
        inRun = inked;
    }
    const float sw = 3.1f * d + 1.1f;
    for (const auto& [alpha, width] :
         {std::pair{0.22f, 1.8f * sw}, std::pair{0.55f, sw}, std::pair{0.85f, 0.45f * sw}})
    {
        g.setColour(Palette::accentOrange.withAlpha(alpha));
        g.strokePath(ink, juce::PathStrokeType(width));
    }

    g.setColour(Palette::accentOrange.withAlpha(0.25f * d + 0.3f));
    for (int k = 4; k <= 91; k += 3)
    {
        const float fk = (float)k;
        if (hash(3.7f * fk + 1.3f) < 0.62f)
            continue;
        const float length = hash(5.1f * fk + 9.0f) * (10.0f * d + 6.0f) + 3.0f;
        const float angle = (hash(1.9f * fk + 4.4f) - 0.5f) * 0.9f * juce::MathConstants<float>::pi;
        g.drawLine(
            {points[k], points[k] + juce::Point<float>{length * std::cos(angle), length * std::sin(angle)}},
            0.6f);
    }

    for (int k = 0; k <= 94; k += 2)
    {
        const float fk = (float)k;
        if (hash(6.3f * fk + 2.7f) > 0.1f * d + 0.22f)
            continue;
        const float r = hash(4.4f * fk + 6.6f) * 1.3f + 0.5f;
        const juce::Point<float> centre =
            points[k] + juce::Point<float>{(hash(8.9f * fk + 0.5f) - 0.5f) * 10.0f,
                                           (hash(11.3f * fk + 3.1f) - 0.5f) * (0.5f * d * a + 3.0f)};
        g.setColour(Palette::accentOrange.withAlpha(hash(2.2f * fk) * 0.22f + 0.18f));
        g.fillEllipse(juce::Rectangle<float>{2.0f * r, 2.0f * r}.withCentre(centre));
    }

    for (const int q : {3, 2, 1})
    {
        const float radius = 3.2f * (float)q + 3.0f;
        g.setColour(Palette::accentYellow.withAlpha((float)(4 - q) * 0.1f));
        g.fillEllipse(juce::Rectangle<float>{2.0f * radius, 2.0f * radius}.withCentre(points[0]));
    }
    g.setColour(Palette::accentYellow);
    g.fillEllipse(juce::Rectangle<float>{7.0f, 7.0f}.withCentre(points[0]));

    g.setFont(Typefaces::consolas(7.0f));
    g.setColour(Palette::textDim);
    g.drawText("newest at left - random-walk speed deviation, dry-brush grunge", 14, (int)(h - 12.0f),
               (int)pw, 10, juce::Justification::centred, true);
}

WidthHud::Texts WidthHud::textsFor(float width, bool noMid)
{
    const float f = juce::jlimit(0.0f, 2.0f, finiteOr(width, 7.5f) / 7.5f);
    const float gain = (f - 1.0f) * 100.0f;
    const int r = juce::roundToInt(gain);
    Texts texts;
    texts.number = r <= -100  ? juce::String("MONO")
                   : r >= 100 ? juce::String("WIDEST")
                              : (r >= 1 ? "+" : "") + juce::String(r);
    texts.word = gain <= -97.0f  ? "MONO"
                 : gain < -25.0f ? "NARROW"
                 : gain < 25.0f  ? "STEREO"
                 : gain < 97.0f  ? "WIDE"
                                 : "WIDEST";
    texts.mid = "mid x" + juce::String(noMid ? 0.0f : 1.0f, 2);
    texts.side = "side x" + juce::String(f, 2);
    return texts;
}

void WidthHud::drawHud(juce::Graphics& g, juce::Rectangle<float> bounds)
{
    const DesignCanvas d(bounds, 436.0f, 106.0f);
    g.setColour(Palette::panelBg.withAlpha(0.82f));
    g.fillRect(bounds);
    const float f = juce::jlimit(0.0f, 2.0f, finiteOr(state.width, 7.5f) / 7.5f);
    const float gain = (f - 1.0f) * 100.0f;
    const auto texts = textsFor(state.width, state.noMid);
    auto box = [&](float designX, float designY, float w, float h) {
        return juce::Rectangle<int>{(int)d.px(designX), (int)d.py(designY), (int)w, (int)h};
    };

    g.setFont(Typefaces::consolas(9.0f));
    g.setColour(Palette::accentIndigo);
    g.drawText("WIDTH", box(8.0f, 2.0f, 60.0f, 12.0f), juce::Justification::topLeft, true);
    g.setColour(Palette::textBright);
    g.drawText(texts.number, box(50.0f, 2.0f, 60.0f, 12.0f), juce::Justification::topLeft, true);
    g.setFont(Typefaces::consolas(8.0f));
    g.setColour(Palette::text);
    g.drawText(texts.word, box(96.0f, 3.0f, 60.0f, 11.0f), juce::Justification::topLeft, true);
    g.setFont(Typefaces::consolas(7.0f));
    g.setColour(Palette::textDim);
    g.drawText(texts.mid, box(250.0f, 4.0f, 66.0f, 10.0f), juce::Justification::topRight, true);
    g.setColour(Palette::accentIndigo);
    g.drawText(texts.side, box(328.0f, 4.0f, 100.0f, 10.0f), juce::Justification::topRight, true);

    const float ox = d.px(218.0f), oy = d.py(50.0f);
    g.setColour(Palette::accentIndigo.withAlpha(0.55f));
    g.drawEllipse(juce::Rectangle<float>{216.0f * d.sx, 216.0f * d.sy}.withCentre({ox, oy}), 1.4f);
    g.setColour(Palette::text.withAlpha(0.55f));
    const float dashes[] = {2.0f, 4.0f};
    g.drawDashedLine({ox, d.py(16.0f), ox, d.py(84.0f)}, dashes, 2, 1.0f);
    g.setColour(Palette::textDim);
    g.drawText("L", box(12.0f, 16.0f, 20.0f, 10.0f), juce::Justification::centred, true);
    g.drawText("R", box(404.0f, 16.0f, 20.0f, 10.0f), juce::Justification::centred, true);

    const float mid = state.noMid ? 0.0f : 1.0f;
    const float slow = finiteOr(state.slowPhase, 0.0f);
    for (int i = 0; i < 300; ++i)
    {
        const float t = 0.03f * (float)i + slow;
        const float px =
            ox + (0.55f * HudNoise::plain(4.3f * t, 191.0f) + 0.35f * HudNoise::plain(9.1f * t, 307.0f)) * f *
                     (196.0f * d.sx / 1.9f);
        const float py =
            oy - (0.62f * HudNoise::plain(3.1f * t, 11.0f) + 0.3f * HudNoise::plain(7.7f * t, 53.0f)) * mid *
                     (32.0f * d.sy / 0.95f);
        const float e = 1.0f - (float)i / 300.0f;
        g.setColour(Palette::accentIndigo.withAlpha(0.14f * e + 0.1f));
        g.fillEllipse(juce::Rectangle<float>{8.8f, 8.8f}.withCentre({px, py}));
        const float core = i <= 13 ? 3.6f : 2.5f;
        g.setColour(juce::Colour(i < 14 ? 0xffe6ecffu : 0xffa0b0ffu).withAlpha(0.55f * e + 0.3f));
        g.fillEllipse(juce::Rectangle<float>{core, core}.withCentre({px, py}));
    }

    const float yb = d.py(94.0f), ax = d.px(40.0f), bx = d.px(396.0f);
    g.setColour(Palette::groove);
    g.drawLine(ax, yb, bx, yb, 1.0f);
    const std::pair<float, const char*> ticks[] = {
        {-100.0f, "MONO"}, {-50.0f, "NARROW"}, {0.0f, "STEREO"}, {50.0f, "WIDE"}, {100.0f, "WIDEST"}};
    for (const auto& [v, label] : ticks)
    {
        const float tx = ax + (v + 100.0f) / 200.0f * (bx - ax);
        g.setColour(v == 0.0f ? Palette::text : Palette::groove);
        g.drawLine(tx, yb - 3.0f, tx, yb + 3.0f, 1.0f);
        g.setColour(std::abs(gain - v) < 25.0f ? Palette::text : Palette::textDim);
        g.drawText(label, juce::Rectangle<int>{(int)(tx - 24.0f), (int)(yb + 4.0f), 48, 10},
                   juce::Justification::centred, true);
    }
    const float mx = ax + (juce::jlimit(-100.0f, 100.0f, gain) + 100.0f) / 200.0f * (bx - ax);
    juce::Path marker;
    marker.addTriangle(mx, yb - 5.0f, mx - 3.5f, yb - 9.5f, mx + 3.5f, yb - 9.5f);
    g.setColour(Palette::accentIndigo);
    g.fillPath(marker);
}
