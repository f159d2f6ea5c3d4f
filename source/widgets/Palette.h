#pragma once

#include <juce_graphics/juce_graphics.h>

// The editor's colours, shared by every painting routine. ARGB.
namespace Palette
{
inline const juce::Colour windowBg{0xff0a0a0f};
inline const juce::Colour panelBg{0xff05050a};
inline const juce::Colour insetBg{0xff05050a};
inline const juce::Colour meterBg{0xff05050a};
inline const juce::Colour black{0xff000000};
inline const juce::Colour outline{0xff8a93a0};
inline const juce::Colour border{0xff565c66};
inline const juce::Colour groove{0xff2e323a};
inline const juce::Colour textBright{0xfff5f5fa};
inline const juce::Colour text{0xffb8c0cc};
inline const juce::Colour textDim{0xff6b7280};
inline const juce::Colour accentYellow{0xffffd23d};
inline const juce::Colour accentPurple{0xffb14eff};
inline const juce::Colour accentGreen{0xff2edd9e};
inline const juce::Colour accentOrange{0xffff8a3d};
inline const juce::Colour accentBlue{0xff34c3ff};
inline const juce::Colour accentCopper{0xffc65b1f};
inline const juce::Colour accentIndigo{0xff7a8cff};
inline const juce::Colour white{0xffffffff};
inline const juce::Colour silver{0xffd6dbe2};
inline const juce::Colour amber{0xffffb300};
inline const juce::Colour meterGreen{0xff4cd964};
inline const juce::Colour yellowFill{0xff241c05};
inline const juce::Colour yellowEdge{0xffc79a2e};
inline const juce::Colour purpleFill{0xff170b26};
inline const juce::Colour purpleEdge{0xff8a3adc};
inline const juce::Colour greenFill{0xff08211a};
inline const juce::Colour greenEdge{0xff219e73};
inline const juce::Colour orangeFill{0xff271004};
inline const juce::Colour orangeEdge{0xffc9631f};
inline const juce::Colour blueFill{0xff061c26};
inline const juce::Colour blueEdge{0xff1f87b8};
inline const juce::Colour pinkFill{0xff250013};
inline const juce::Colour pinkEdge{0xffc22876};
inline const juce::Colour vorlDark{0xff0d100e};
inline const juce::Colour vorlGreen{0xff39ff88};
inline const juce::Colour vorlMint{0xff78ffaa};
} // namespace Palette
