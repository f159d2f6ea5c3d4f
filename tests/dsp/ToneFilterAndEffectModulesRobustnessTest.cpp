#include "AllocationCounter.h"
#include "PitchChorus.h"
#include "StereoWidth.h"
#include "TapeStage.h"
#include "ToneFilter.h"
#include "Tremolo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace vorl
{
namespace
{
// Every wet-path module behind the same two calls. The settings are a function of the
// stretch of 1024 samples a block starts in, and the setters run inside the checked region.
struct ModuleUnderTest
{
    std::string name;
    std::function<void(double sampleRate)> prepare;
    std::function<void(float* left, float* right, int n, int block)> process;
};

struct ToneAndWidth
{
    ToneFilter left, right;
};

std::vector<ModuleUnderTest> makeModules(ToneAndWidth& tone, Tremolo& tremolo, TapeStage& tape,
                                         PitchChorus& pitch, double& rate)
{
    std::vector<ModuleUnderTest> modules;
    modules.push_back({"tone+width",
                       [&](double sr)
                       {
                           rate = sr;
                           tone.left.prepare(sr);
                           tone.right.prepare(sr);
                       },
                       [&](float* l, float* r, int n, int block)
                       {
                           const float hp = block % 3 == 0 ? 20.0f : 4000.0f;
                           const float lp = block % 2 == 0 ? 22000.0f : 500.0f;
                           for (ToneFilter* f : {&tone.left, &tone.right})
                           {
                               f->setHighPass(hp);
                               f->setLowPass(lp);
                           }
                           tone.left.process(l, n);
                           tone.right.process(r, n);
                           applyWidth(l, r, n, static_cast<float>(block % 16), block % 5 == 0);
                       }});
    modules.push_back({"tremolo",
                       [&](double sr)
                       {
                           rate = sr;
                           tremolo.prepare(sr);
                       },
                       [&](float* l, float* r, int n, int block)
                       {
                           tremolo.setRateHz(block % 2 == 0 ? 8.0f : 0.15f);
                           tremolo.setDepth(1.0f);
                           tremolo.setShape(block % 7);
                           tremolo.setPhaseShift(-0.3f);
                           tremolo.setOffsetShift(-0.5f);
                           tremolo.setSeed(static_cast<uint32_t>(block) * 2654435761u);
                           const bool synced = block % 4 >= 2;
                           tremolo.setSync(synced, synced ? block * 0.37 - 3.0 : 0.0, 174.0, block % 13, 0.25,
                                           static_cast<float>(rate));
                           tremolo.process(l, r, n);
                       }});
    modules.push_back({"tape",
                       [&](double sr)
                       {
                           rate = sr;
                           tape.prepare(sr);
                       },
                       [&](float* l, float* r, int n, int block)
                       {
                           tape.setOdMode(block % 8 >= 4);
                           tape.setInputAmount(static_cast<float>(block * 13 % 101));
                           tape.setLpfAmount(static_cast<float>(block * 7 % 101));
                           tape.setHeadBump(100.0f);
                           tape.setFlutter(100.0f);
                           tape.setFlutterSpeed(block % 2 == 0 ? 100.0f : 0.0f);
                           tape.setOutputAmount(100.0f);
                           tape.setMix(block % 3 == 0 ? 50.0f : 100.0f);
                           tape.process(l, r, n);
                       }});
    modules.push_back({"pitch",
                       [&](double sr)
                       {
                           rate = sr;
                           pitch.prepare(sr);
                       },
                       [&](float* l, float* r, int n, int block)
                       {
                           pitch.setDetuneCents(block % 2 == 0 ? 100.0f : -100.0f);
                           pitch.setMix(1.0f);
                           pitch.setRateHz(16.0f);
                           pitch.setDepth(1.0f);
                           pitch.setDepthScale(2.0f);
                           pitch.setShape(block % 7);
                           pitch.setWide(block % 2 == 1);
                           pitch.setRegen(100.0f);
                           pitch.setVorlLink(true);
                           pitch.setVorl(block % 3 == 0 ? 100.0f : -100.0f);
                           pitch.setVorlCents(1200.0f);
                           pitch.setBend(block % 5 == 0, 1200.0f, block % 2 == 0);
                           pitch.setSeed(static_cast<uint32_t>(block));
                           const bool synced = block % 4 >= 2;
                           pitch.setSync(synced, block * 0.5, 60.0, block % 13);
                           pitch.process(l, r, n, block % 7 == 0 ? 0.5f : 2000.0f);
                       }});
    return modules;
}

// Loud noise with spikes, silence and denormal stretches.
std::vector<float> hostileSignal(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> dist(-2.0f, 2.0f);
    std::vector<float> v(n);
    for (size_t i = 0; i < n; ++i)
    {
        const size_t region = (i / 1500) % 4;
        if (region == 1)
            v[i] = 0.0f;
        else if (region == 2)
            v[i] = 1e-40f;
        else
            v[i] = i % 997 == 0 ? 1e4f : dist(rng);
    }
    return v;
}
} // namespace

TEST(EffectModuleRobustness, FiniteOutputAndNoAllocationAtEveryRateAndBlockSize)
{
    ToneAndWidth tone;
    Tremolo tremolo;
    TapeStage tape;
    PitchChorus pitch;
    double rate = 0.0;
    const std::vector<ModuleUnderTest> modules = makeModules(tone, tremolo, tape, pitch, rate);

    constexpr size_t kSamples = 16384;
    const std::vector<float> inputL = hostileSignal(kSamples, 1), inputR = hostileSignal(kSamples, 2);

    for (const ModuleUnderTest& module : modules)
        for (double sampleRate : {22050.0, 44100.0, 48000.0, 96000.0, 192000.0})
            for (int blockSize : {1, 7, 256, 8192})
            {
                module.prepare(sampleRate);
                std::vector<float> left = inputL, right = inputR;
                std::size_t allocations = 0;
                {
                    test::ScopedAllocationCounter counter;
                    for (size_t start = 0; start < kSamples; start += static_cast<size_t>(blockSize))
                    {
                        const int n =
                            static_cast<int>(std::min(kSamples - start, static_cast<size_t>(blockSize)));
                        module.process(left.data() + start, right.data() + start, n,
                                       static_cast<int>(start / 1024));
                    }
                    allocations = counter.allocations();
                }
                const std::string where = module.name + " at " + std::to_string(sampleRate) + " Hz, block " +
                                          std::to_string(blockSize);
                EXPECT_EQ(allocations, 0u) << where;
                for (size_t i = 0; i < kSamples; ++i)
                {
                    ASSERT_TRUE(std::isfinite(left[i]) && std::isfinite(right[i]))
                        << where << ", sample " << i;
                }
            }
}
} // namespace vorl
