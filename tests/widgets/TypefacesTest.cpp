#include "widgets/Typefaces.h"

#include <gtest/gtest.h>

namespace
{
juce::String loadedName(const juce::Font& font)
{
    auto typeface = font.getTypefacePtr();
    return typeface != nullptr ? typeface->getName() : juce::String();
}

// The substitutes come from the packages the setup script installs; a missing package
// would silently fall back to another font and change every text's metrics.
TEST(Typefaces, DesignFontsResolveToInstalledSubstitutes)
{
    EXPECT_EQ(loadedName(Typefaces::consolas(12.0f)), Typefaces::resolveFamily(Typefaces::consolasName));
    EXPECT_EQ(loadedName(Typefaces::helvetica(12.0f)), Typefaces::resolveFamily(Typefaces::helveticaName));
    EXPECT_EQ(Typefaces::resolveFamily("Some Other Font"), "Some Other Font");
}

TEST(Typefaces, ConsolasSubstituteIsMonospaced)
{
    const auto font = Typefaces::consolas(13.0f);
    EXPECT_FLOAT_EQ(font.getStringWidthFloat("iiii"), font.getStringWidthFloat("WWWW"));
    const auto sans = Typefaces::helvetica(13.0f);
    EXPECT_LT(sans.getStringWidthFloat("iiii"), sans.getStringWidthFloat("WWWW"));
}

TEST(Typefaces, StyleAndHeightAreKept)
{
    const auto bold = Typefaces::consolas(10.0f, juce::Font::bold);
    EXPECT_TRUE(bold.isBold());
    EXPECT_FLOAT_EQ(bold.getHeight(), 10.0f);
    EXPECT_FALSE(Typefaces::defaultSans(11.0f).isBold());
}
} // namespace
