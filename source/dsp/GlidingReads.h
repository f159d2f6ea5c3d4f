#pragma once

namespace vorl
{
// out[j] = the cubic read at position (firstPosition + j) - delays[j] from a ring with seam
// copies (SeamlessRing), for a reader whose delay moves from sample to sample: readSeamlessCubic's
// exact result, a vector of samples at a time, on the widest vector unit the CPU has.
void readGlidingRuns(const float* ring, int length, long firstPosition, const float* delays, int n,
                     float* out) noexcept;

// One such read, for the samples the vector path leaves to the scalar one. Compiled for the
// baseline instruction set only.
float readGlidingOne(const float* ring, int length, long frame, float delay) noexcept;

namespace gliding_reads
{
// The variants, for tests; readGlidingRuns calls one of them.
void readRunsSse2(const float* ring, int length, long firstPosition, const float* delays, int n,
                  float* out) noexcept;
void readRunsAvx2(const float* ring, int length, long firstPosition, const float* delays, int n,
                  float* out) noexcept;
} // namespace gliding_reads
} // namespace vorl
