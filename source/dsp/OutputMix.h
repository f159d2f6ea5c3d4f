#pragma once

namespace vorl
{
// out[i] = (wetGain x wet[i] + dryGain x out[i]) x masterGain, the engine's last step for one
// channel. Returns the largest magnitude written (NaN samples are passed over, as
// std::max(peak, |x|) passes them over).
float mixOutput(float* out, const float* wet, int n, float wetGain, float dryGain, float masterGain) noexcept;
} // namespace vorl
