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
void readRunsSse2(const float* ring, int length, long firstPosition, const float* delays, int n,
                  float* out) noexcept
{
    readRuns<xsimd::sse2>(ring, length, firstPosition, delays, n, out);
}
} // namespace gliding_reads

void readGlidingRuns(const float* ring, int length, long firstPosition, const float* delays, int n,
                     float* out) noexcept
{
    if (wideVectorUnitUsable())
        gliding_reads::readRunsAvx2(ring, length, firstPosition, delays, n, out);
    else
        gliding_reads::readRunsSse2(ring, length, firstPosition, delays, n, out);
}
} // namespace vorl
