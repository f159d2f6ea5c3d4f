#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vorl::test
{
// A synthetic mouse event on a component, in its local coordinates. No display is needed:
// the event only carries positions and modifiers.
inline juce::MouseEvent
mouseEvent(juce::Component& component, juce::Point<float> position,
           juce::ModifierKeys mods = juce::ModifierKeys(juce::ModifierKeys::leftButtonModifier),
           juce::Point<float> downPosition = {}, int clicks = 1)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), position, mods,
                            juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &component,
                            &component, now, downPosition, now, clicks, position != downPosition);
}

inline const juce::ModifierKeys leftButton{juce::ModifierKeys::leftButtonModifier};
inline const juce::ModifierKeys leftButtonWithCtrl{juce::ModifierKeys::leftButtonModifier |
                                                   juce::ModifierKeys::ctrlModifier};
inline const juce::ModifierKeys rightButton{juce::ModifierKeys::rightButtonModifier};

// Runs the message loop briefly so that posted messages (button clicks) are delivered.
inline void deliverMessages()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil(30);
}
} // namespace vorl::test
