#pragma once

namespace vorl
{
// The one-pole glides of up to sixteen tap delays, stepped side by side for m samples (the steps
// of one glide wait on each other, different glides do not). Each step is glideTowards' exact
// one. Writes each voice's per-sample delays as the two channels read them: left max(delay, 0),
// right delay - min(delay, shift), with every voice's stereo shift held. When no voice has a shift
// the right rows may be left unwritten: the caller reads both channels at the left delays then.
// Runs on the widest vector unit the CPU has (eight voices per vector with AVX2, four without).
struct GlideRows
{
    static constexpr int kMaxVoices = 16;
    static constexpr int kChunk = 64;

    float left[kMaxVoices][kChunk];
    float right[kMaxVoices][kChunk];

    // now[] advances by m steps (m <= kChunk) towards target[]; count <= kMaxVoices.
    void glide(float* now, const float* target, const float* shift, int count, float coef, int m) noexcept;
};

// One step of a one-pole glide. Close to the target the step can round away to nothing (a long
// delay in samples has a coarse float grid), which would leave the value stuck short of its
// target for good; then it moves by one representable step instead.
float glideTowards(float now, float target, float coef) noexcept;

namespace glide_rows
{
// The variants, for tests: GlideRows::glide on each instruction set.
using Glide = void (*)(GlideRows& rows, float* now, const float* target, const float* shift, int count,
                       float coef, int m) noexcept;
void glideSse2(GlideRows& rows, float* now, const float* target, const float* shift, int count, float coef,
               int m) noexcept;
void glideAvx2(GlideRows& rows, float* now, const float* target, const float* shift, int count, float coef,
               int m) noexcept;
} // namespace glide_rows
} // namespace vorl
