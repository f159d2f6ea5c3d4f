#pragma once

namespace vorl
{
enum class BiquadType
{
    highPass,
    lowPass
};

// Second-order Butterworth section (Q about 0.707) in transposed direct form II.
// Coefficients are single precision and normalised by a0.
class Biquad
{
public:
    // Redesigns the coefficients; the states are left as they are so a cutoff change at a
    // block boundary does not restart the filter. Cutoffs below 5 Hz, above 0.48 x the sample
    // rate, or not finite turn the section into a pass-through.
    void design(BiquadType type, float cutoffHz, float sampleRate) noexcept;
    void setPassThrough() noexcept;
    void reset() noexcept { s1 = s2 = 0.0f; }

    float process(float x) noexcept
    {
        const float y = b0 * x + s1;
        // Keep this order: at low cutoffs (1 + a1 + a2 is tiny) it lets DC settle at exactly 0
        // in single precision, where other orders leave a residue of about -40 dB.
        s1 = b1 * x - a1 * y + s2;
        s2 = b2 * x - a2 * y;
        return y;
    }

    struct Coefficients
    {
        float b0, b1, b2, a1, a2;
    };
    Coefficients getCoefficients() const noexcept { return {b0, b1, b2, a1, a2}; }

    bool isPassThrough() const noexcept
    {
        return b0 == 1.0f && b1 == 0.0f && b2 == 0.0f && a1 == 0.0f && a2 == 0.0f;
    }

private:
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    float s1 = 0.0f, s2 = 0.0f;
};
} // namespace vorl
