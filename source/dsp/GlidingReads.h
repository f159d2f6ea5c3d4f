#pragma once

namespace vorl
{
// out[j] = the cubic read at position (firstPosition + j) - delays[j] from a ring with seam
// copies (SeamlessRing), for a reader whose delay moves from sample to sample: readSeamlessCubic's
// exact result, a vector of samples at a time, on the widest vector unit the CPU has.
void readGlidingRuns(const float* ring, int length, long firstPosition, const float* delays, int n,
                     float* out) noexcept;

// The same reads from both channels' rings of a line, at the same delays: the positions are
// worked out once for the two.
void readGlidingRunsStereo(const float* ringL, const float* ringR, int length, long firstPosition,
                           const float* delays, int n, float* outL, float* outR) noexcept;

// One such read, for the samples the vector path leaves to the scalar one. Compiled for the
// baseline instruction set only.
float readGlidingOne(const float* ring, int length, long frame, float delay) noexcept;

namespace gliding_reads
{
// The variants, for tests: both channels when ringR is given, else the left one alone.
using ReadRuns = void (*)(const float* ringL, const float* ringR, int length, long firstPosition,
                          const float* delays, int n, float* outL, float* outR) noexcept;
void readRunsSse2(const float* ringL, const float* ringR, int length, long firstPosition, const float* delays,
                  int n, float* outL, float* outR) noexcept;
void readRunsAvx2(const float* ringL, const float* ringR, int length, long firstPosition, const float* delays,
                  int n, float* outL, float* outR) noexcept;
void readRunsAvx512(const float* ringL, const float* ringR, int length, long firstPosition,
                    const float* delays, int n, float* outL, float* outR) noexcept;
} // namespace gliding_reads
} // namespace vorl
