#pragma once

namespace vorl
{
// Mid/side width of the wet bus: width 7.5 leaves the image as it is, 0 folds it to mono,
// 15 doubles the side signal. No Mid removes the centre and keeps only the sides.
void applyWidth(float* left, float* right, int n, float width, bool noMid) noexcept;
} // namespace vorl
