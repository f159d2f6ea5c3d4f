#include "PresetMixFigures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace presetmix
{
namespace
{
constexpr double kSilenceDb = -200.0;

double ratioDb(double energy, double reference)
{
    if (energy <= 0.0)
        return kSilenceDb;
    if (reference <= 0.0)
        return -kSilenceDb;
    return 10.0 * std::log10(energy / reference);
}

float parameter(const TarnelDelayAudioProcessor& processor, const char* id)
{
    return processor.apvts.getRawParameterValue(id)->load();
}
} // namespace

MixSettings mixSettingsOf(const TarnelDelayAudioProcessor& processor)
{
    MixSettings mix;
    mix.wetShare = parameter(processor, "mixByp") > 0.5f ? 0.0f : parameter(processor, "mix") / 100.0f;
    const float masterDb = parameter(processor, "mout");
    mix.masterGain = masterDb <= -60.0f ? 0.0f : std::pow(10.0f, masterDb / 20.0f);
    return mix;
}

Figures measure(const std::vector<float>& monoSource, const presetrender::StereoBuffer& output,
                MixSettings mix)
{
    const float dryGain = (1.0f - mix.wetShare) * mix.masterGain;
    double source = 0.0, left = 0.0, right = 0.0, wet = 0.0, wetMono = 0.0;
    float peak = 0.0f;
    for (size_t i = 0; i < output.left.size(); ++i)
    {
        const float x = i < monoSource.size() ? monoSource[i] : 0.0f;
        const float l = output.left[i];
        const float r = output.right[i];
        const double wetL = l - dryGain * x;
        const double wetR = r - dryGain * x;
        source += (double)x * x;
        left += (double)l * l;
        right += (double)r * r;
        wet += (wetL * wetL + wetR * wetR) / 2.0;
        wetMono += (wetL + wetR) * (wetL + wetR) / 4.0;
        peak = std::max({peak, std::abs(l), std::abs(r)});
    }
    Figures figures;
    figures.wetDb = ratioDb(wet, source);
    figures.centreShiftDb = ratioDb(left, right);
    figures.overBypassDb = ratioDb((left + right) / 2.0, source);
    figures.peakDbfs = ratioDb((double)peak * peak, 1.0);
    figures.monoLossDb = wet > 0.0 ? -ratioDb(wetMono, wet) : 0.0;
    return figures;
}

Figures worstOf(const Figures& a, const Figures& b)
{
    Figures worst;
    worst.wetDb = std::min(a.wetDb, b.wetDb);
    worst.centreShiftDb =
        std::abs(a.centreShiftDb) >= std::abs(b.centreShiftDb) ? a.centreShiftDb : b.centreShiftDb;
    worst.overBypassDb = std::max(a.overBypassDb, b.overBypassDb);
    worst.peakDbfs = std::max(a.peakDbfs, b.peakDbfs);
    worst.monoLossDb = std::max(a.monoLossDb, b.monoLossDb);
    return worst;
}

std::string describe(const Figures& figures)
{
    char line[160];
    std::snprintf(line, sizeof line,
                  "wet %6.1f dB  centre %+5.1f dB  vs bypass %+5.1f dB  peak %+6.1f dBFS  mono loss %5.1f dB",
                  figures.wetDb, figures.centreShiftDb, figures.overBypassDb, figures.peakDbfs,
                  std::clamp(figures.monoLossDb, 0.0, 99.9));
    return line;
}
} // namespace presetmix
