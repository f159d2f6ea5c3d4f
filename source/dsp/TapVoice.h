#pragma once

namespace vorl
{
// One tap's reader of the delay line. Delays are in samples.
struct TapVoice
{
    float targetGain = 0.0f;  // tap gain, or 0 once the tap no longer exists
    float gainNow = 0.0f;     // ramped linearly towards targetGain
    float targetDelay = 0.0f; // delay the tap asks for
    float delayNow = 0.0f;    // delay being read (the old position during a crossfade)
    float newDelay = 0.0f;    // position faded towards during a crossfade
    float fade = 0.0f;        // crossfade position 0..1
    bool crossfading = false;
    bool pendingChange = false;   // a further change arrived while crossfading
    bool changeRequested = false; // waiting for a crossfade slot
    float targetOffset = 0.0f;    // right-channel offset in units of 5 ms
    float offsetNow = 0.0f;
    float wearStateL = 0.0f; // one-pole lowpass states of the wear filter
    float wearStateR = 0.0f;
    bool active = false;

    void clear() noexcept { *this = TapVoice{}; }
};
} // namespace vorl
