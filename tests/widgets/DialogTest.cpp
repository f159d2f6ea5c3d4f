#include "WidgetTestSupport.h"
#include "widgets/AboutDialog.h"
#include "widgets/AboutTexts.h"
#include "widgets/DialogOverlay.h"

#include <gtest/gtest.h>

using vorl::test::mouseEvent;

namespace
{
class DialogOverlayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        editor.setSize(460, 500);
        overlay.setBounds(editor.getLocalBounds());
        editor.addChildComponent(overlay);
    }
    void TearDown() override { editor.removeAllChildren(); }

    std::unique_ptr<juce::Component> box(int w, int h)
    {
        auto c = std::make_unique<juce::Component>();
        c->setSize(w, h);
        return c;
    }

    void clickAt(float x, float y) { overlay.mouseDown(mouseEvent(overlay, {x, y})); }

    juce::Component editor;
    DialogOverlay overlay;
};

TEST_F(DialogOverlayTest, StartsHiddenAndInterceptingClicks)
{
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_EQ(overlay.getContent(), nullptr);
    bool self = false, children = false;
    overlay.getInterceptsMouseClicks(self, children);
    EXPECT_TRUE(self);
    EXPECT_TRUE(children);
}

TEST_F(DialogOverlayTest, ShowCentresTheContentAndClickingOutsideCloses)
{
    overlay.show(box(340, 355));
    EXPECT_TRUE(overlay.isVisible());
    ASSERT_NE(overlay.getContent(), nullptr);
    EXPECT_EQ(overlay.getContent()->getBounds(), juce::Rectangle<int>(60, 72, 340, 355));
    EXPECT_EQ(overlay.getContent()->getParentComponent(), &overlay);

    clickAt(100, 100); // inside the content
    EXPECT_TRUE(overlay.isVisible());
    clickAt(10, 10); // on the darkened area
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_EQ(overlay.getContent(), nullptr);
}

TEST_F(DialogOverlayTest, ShowingASecondDialogDeletesTheFirst)
{
    overlay.show(box(100, 100));
    juce::Component::SafePointer<juce::Component> first(overlay.getContent());
    overlay.show(box(50, 50));
    EXPECT_EQ(first.getComponent(), nullptr);
    EXPECT_EQ(overlay.getNumChildComponents(), 1);
    EXPECT_EQ(overlay.getContent()->getBounds(), juce::Rectangle<int>(205, 225, 50, 50));
}

TEST_F(DialogOverlayTest, ContentWithoutSizeIsCentredAsAFallbackBox)
{
    overlay.show(box(0, 0));
    EXPECT_EQ(overlay.getContent()->getBounds(), juce::Rectangle<int>(86, 150, 288, 200));
}

TEST_F(DialogOverlayTest, CloseWithoutContentJustHides)
{
    overlay.setVisible(true);
    overlay.close();
    clickAt(10, 10);
    EXPECT_FALSE(overlay.isVisible());
}

TEST(AboutDialog, LayoutAndTexts)
{
    AboutDialog dialog;
    EXPECT_EQ(dialog.getWidth(), 340);
    EXPECT_EQ(dialog.getHeight(), 355);
    EXPECT_EQ(dialog.titleLabel.getBounds(), juce::Rectangle<int>(16, 14, 308, 20));
    EXPECT_EQ(dialog.versionLabel.getBounds(), juce::Rectangle<int>(16, 36, 308, 16));
    EXPECT_EQ(dialog.descriptionLabel.getBounds(), juce::Rectangle<int>(16, 60, 308, 95));
    EXPECT_EQ(dialog.creditsLabel.getBounds(), juce::Rectangle<int>(16, 163, 308, 30));
    EXPECT_EQ(dialog.licensesButton.getBounds(), juce::Rectangle<int>(16, 239, 130, 20));
    EXPECT_EQ(dialog.okButton.getBounds(), juce::Rectangle<int>(154, 239, 50, 20));
    EXPECT_EQ(dialog.websiteLink.getBounds(), juce::Rectangle<int>(16, 271, 308, 20));

    EXPECT_EQ(dialog.titleLabel.getText(), "Vorl Delay");
    EXPECT_EQ(dialog.versionLabel.getText(), "1.649");
    EXPECT_EQ(dialog.okButton.getButtonText(), "OK");
    EXPECT_EQ(dialog.licensesButton.getButtonText(), "Copyright Licenses");
    EXPECT_TRUE(dialog.creditsLabel.getText().endsWith("Tape Saturation: Airwindows ToTape6, MIT License."));
    EXPECT_EQ(dialog.getIndexOfChildComponent(&dialog.titleLabel), 0);
    EXPECT_EQ(dialog.getIndexOfChildComponent(&dialog.licensesButton), 6);
}

TEST(AboutDialog, NoticesCarryTheMitLicenceBetweenRules)
{
    const auto notices = AboutTexts::thirdPartyNotices();
    EXPECT_TRUE(notices.startsWith(
        juce::String(juce::CharPointer_UTF8("Vorl Delay \xe2\x80\x94 Third-Party Notices"))));
    EXPECT_TRUE(notices.contains("adapted from Airwindows\nToTape6, used under the following license:"));
    const auto rule = juce::String::repeatedString("-", 72);
    const int licence = notices.indexOf("MIT License\n\nCopyright (c) airwindows");
    ASSERT_GT(licence, 0);
    EXPECT_EQ(notices.lastIndexOf(rule + "\n" + "MIT License"), licence - rule.length() - 1);
    EXPECT_TRUE(notices.contains("OTHER DEALINGS IN THE\nSOFTWARE.\n" + rule));
}

class AboutOnOverlayTest : public DialogOverlayTest
{
protected:
    void SetUp() override
    {
        DialogOverlayTest::SetUp();
        auto dialog = std::make_unique<AboutDialog>();
        about = dialog.get();
        about->openNotices = [this] { ++noticesOpened; };
        overlay.show(std::move(dialog));
    }

    AboutDialog* about = nullptr;
    int noticesOpened = 0;
};

TEST_F(AboutOnOverlayTest, LicensesButtonOpensTheNoticesAndKeepsTheDialog)
{
    about->licensesButton.triggerClick();
    vorl::test::deliverMessages();
    EXPECT_EQ(noticesOpened, 1);
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(overlay.getContent(), about);
}

TEST_F(AboutOnOverlayTest, OkClosesTheOverlayAndDestroysTheDialog)
{
    juce::Component::SafePointer<juce::Component> watched(about);
    about->okButton.triggerClick();
    vorl::test::deliverMessages();
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_EQ(overlay.getContent(), nullptr);
    EXPECT_EQ(watched.getComponent(), nullptr);
}

TEST_F(AboutOnOverlayTest, ClickOnTheDarkenedAreaClosesAndInsideDoesNot)
{
    clickAt(static_cast<float>(about->getX() + 20), static_cast<float>(about->getY() + 20));
    EXPECT_TRUE(overlay.isVisible());
    clickAt(5, 495);
    EXPECT_FALSE(overlay.isVisible());
}
} // namespace
