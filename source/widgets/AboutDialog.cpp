#include "AboutDialog.h"

#include "AboutTexts.h"
#include "DialogOverlay.h"
#include "Palette.h"
#include "Typefaces.h"

namespace
{
void setUpLabel(juce::Label& label, const juce::String& text, float height, juce::Colour colour)
{
    label.setText(text, juce::dontSendNotification);
    label.setFont(Typefaces::consolas(height));
    label.setColour(juce::Label::textColourId, colour);
}
} // namespace

AboutDialog::AboutDialog()
    : websiteLink(AboutTexts::websiteText, juce::URL(AboutTexts::websiteUrl)),
      openNotices(&AboutDialog::launchNoticesWindow)
{
    setUpLabel(titleLabel, AboutTexts::productName, 15.0f, Palette::accentYellow);
    setUpLabel(versionLabel, AboutTexts::versionText, 10.0f, Palette::text);
    setUpLabel(descriptionLabel, AboutTexts::description, 11.0f, Palette::textBright);
    setUpLabel(creditsLabel, AboutTexts::rightsNotice + "\n" + AboutTexts::tapeCredit, 9.0f,
               Palette::textDim);
    creditsLabel.setMinimumHorizontalScale(1.0f);

    websiteLink.setFont(Typefaces::consolas(12.0f), false, juce::Justification::centredLeft);

    setSize(kWidth, kHeight);

    for (auto* child :
         std::initializer_list<juce::Component*>{&titleLabel, &versionLabel, &descriptionLabel, &creditsLabel,
                                                 &websiteLink, &okButton, &licensesButton})
        addAndMakeVisible(child);

    okButton.onClick = [this] { closeEnclosingOverlay(); };
    licensesButton.onClick = [this]
    {
        if (openNotices)
            openNotices();
    };
}

void AboutDialog::closeEnclosingOverlay()
{
    // Closing destroys this dialog and the button whose click is being handled, so
    // nothing of either may be touched afterwards.
    if (auto* overlay = findParentComponentOfClass<DialogOverlay>())
        overlay->close();
}

void AboutDialog::launchNoticesWindow()
{
    auto notices = std::make_unique<juce::TextEditor>();
    notices->setMultiLine(true, true);
    notices->setReadOnly(true);
    notices->setScrollbarsShown(true);
    notices->setFont(Typefaces::consolas(11.0f));
    notices->setText(AboutTexts::thirdPartyNotices(), false);
    notices->setSize(480, 400);

    juce::DialogWindow::LaunchOptions options;
    options.dialogTitle = "Third-Party Licenses";
    options.content.setOwned(notices.release());
    options.escapeKeyTriggersCloseButton = true;
    options.useNativeTitleBar = true;
    options.resizable = true;
    options.launchAsync();
}

void AboutDialog::paint(juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour(Palette::windowBg);
    g.fillRoundedRectangle(bounds, 8.0f);
    g.setColour(Palette::outline);
    g.drawRoundedRectangle(bounds, 8.0f, 0.5f);
}

void AboutDialog::resized()
{
    auto column = getLocalBounds().withTrimmedLeft(16).withTrimmedRight(16).withTrimmedTop(14);
    titleLabel.setBounds(column.removeFromTop(20));
    column.removeFromTop(2);
    versionLabel.setBounds(column.removeFromTop(16));
    column.removeFromTop(8);
    descriptionLabel.setBounds(column.removeFromTop(95));
    column.removeFromTop(8);
    creditsLabel.setBounds(column.removeFromTop(30));
    column.removeFromTop(46);
    auto buttonRow = column.removeFromTop(20);
    licensesButton.setBounds(buttonRow.removeFromLeft(130));
    buttonRow.removeFromLeft(8);
    okButton.setBounds(buttonRow.removeFromLeft(50));
    column.removeFromTop(12);
    websiteLink.setBounds(column.removeFromTop(20));
}
