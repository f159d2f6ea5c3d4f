#pragma once

#include <array>

namespace vorl
{
// Note lengths in beats (quarter notes) for every tempo-synced feature, longest first.
constexpr int kNumNoteValues = 13;

constexpr std::array<float, kNumNoteValues> kNoteBeats{
    16.0f, 8.0f, 4.0f, 2.0f, 4.0f / 3.0f, 1.0f, 2.0f / 3.0f, 0.5f, 1.0f / 3.0f, 0.25f, 0.125f, 0.0625f, 0.03125f};

constexpr std::array<const char*, kNumNoteValues> kNoteLabels{
    "4b", "2b", "1b", "1/2", "1/4T", "1/4", "1/8T", "1/8", "1/16T", "1/16", "1/32", "1/64", "1/128"};
} // namespace vorl
