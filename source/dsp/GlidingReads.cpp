#include "GlidingReadKernel.h"

#include "CubicReader.h"
#include "CubicRunKernels.h"

namespace vorl
{
float readGlidingOne(const float* ring, int length, long frame, float delay) noexcept
{
    return readSeamlessCubic(ring, length, static_cast<double>(frame) - static_cast<double>(delay));
}

namespace gliding_reads
{
void readRunsSse2(const float* ringL, const float* ringR, int length, long firstPosition, const float* delays,
                  int n, float* outL, float* outR) noexcept
{
    readRunsFor<xsimd::sse2>(ringL, ringR, length, firstPosition, delays, n, outL, outR);
}

namespace
{
// Chosen when the program started.
const ReadRuns readRunsHere = widestVectorUnitUsable() ? readRunsAvx512
                              : wideVectorUnitUsable() ? readRunsAvx2
                                                       : readRunsSse2;
} // namespace
} // namespace gliding_reads

void readGlidingRuns(const float* ring, int length, long firstPosition, const float* delays, int n,
                     float* out) noexcept
{
    gliding_reads::readRunsHere(ring, nullptr, length, firstPosition, delays, n, out, nullptr);
}

void readGlidingRunsStereo(const float* ringL, const float* ringR, int length, long firstPosition,
                           const float* delays, int n, float* outL, float* outR) noexcept
{
    gliding_reads::readRunsHere(ringL, ringR, length, firstPosition, delays, n, outL, outR);
}
} // namespace vorl
