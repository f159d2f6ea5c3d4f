// Renders every reference case with the current engine and compares it with the committed
// reference renders (reference/engine-renders.gz). Speed work on the engine may reorder floating-
// point sums but must not change the sound: the largest difference stays below 1e-6 (-120 dBFS).
// scripts/make-reference-renders.sh rewrites the file from the current engine; run it only from an
// engine whose sound is known to be right.
#include "ReferenceRenderCases.h"
#include "RenderReference.h"

#include <gtest/gtest.h>

#include <iostream>

namespace
{
constexpr float kLargestAllowedDifference = 1.0e-6f;

juce::File referenceFile()
{
    return juce::File(VORL_REFERENCE_RENDERS);
}

const renderreference::Excerpts& references()
{
    static const auto excerpts = renderreference::load(referenceFile());
    return excerpts;
}

class EngineRenderReference : public testing::TestWithParam<std::string>
{
};

TEST_P(EngineRenderReference, MatchesTheReferenceRender)
{
    const auto found = references().find(GetParam());
    ASSERT_NE(found, references().end())
        << "no reference for " << GetParam() << " in " << referenceFile().getFullPathName();
    for (const auto& c : renderreference::referenceCases())
        if (c.name == GetParam())
        {
            const auto excerpt = renderreference::excerptOf(c.render());
            const float difference = renderreference::largestDifference(excerpt, found->second);
            std::cout << "largest difference " << difference << " for " << GetParam() << "\n";
            EXPECT_LT(difference, kLargestAllowedDifference);
        }
}

INSTANTIATE_TEST_SUITE_P(AllCases, EngineRenderReference,
                         testing::ValuesIn(renderreference::referenceCaseNames()), presetrender::testNameOf);

// Run on purpose only (scripts/make-reference-renders.sh): writes the reference file.
TEST(EngineRenderReferenceFile, DISABLED_Write)
{
    renderreference::Excerpts excerpts;
    for (const auto& c : renderreference::referenceCases())
        excerpts[c.name] = renderreference::excerptOf(c.render());
    ASSERT_TRUE(renderreference::save(excerpts, referenceFile()));
    EXPECT_EQ(renderreference::load(referenceFile()), excerpts);
}
} // namespace
