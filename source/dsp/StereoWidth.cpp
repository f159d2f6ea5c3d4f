#include "StereoWidth.h"

namespace vorl
{
void applyWidth(float* left, float* right, int n, float width, bool noMid) noexcept
{
    const float midGain = noMid ? 0.0f : 1.0f;
    const float sideGain = width / 7.5f;
    for (int i = 0; i < n; ++i)
    {
        const float mid = (left[i] + right[i]) / 2.0f * midGain;
        const float side = (left[i] - right[i]) / 2.0f * sideGain;
        left[i] = mid + side;
        right[i] = mid - side;
    }
}
} // namespace vorl
