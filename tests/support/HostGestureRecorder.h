#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace vorl::test
{
// Records what a host sees of all the parameters: gesture begins and ends and value changes,
// by parameter index, in order.
class HostGestureRecorder : public juce::AudioProcessorListener
{
public:
    explicit HostGestureRecorder(juce::AudioProcessor& processorToWatch) : processor(processorToWatch)
    {
        processor.addListener(this);
    }
    ~HostGestureRecorder() override { processor.removeListener(this); }

    struct Event
    {
        char kind; // 'b' begin, 'e' end, 'v' value
        int index;
    };

    void audioProcessorParameterChanged(juce::AudioProcessor*, int index, float) override
    {
        events.push_back({'v', index});
    }
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin(juce::AudioProcessor*, int index) override
    {
        events.push_back({'b', index});
    }
    void audioProcessorParameterChangeGestureEnd(juce::AudioProcessor*, int index) override
    {
        events.push_back({'e', index});
    }

    int indexOf(const juce::String& id) const
    {
        for (auto* parameter : processor.getParameters())
            if (auto* withId = dynamic_cast<juce::AudioProcessorParameterWithID*>(parameter))
                if (withId->paramID == id)
                    return parameter->getParameterIndex();
        return -1;
    }

    int count(char kind, const juce::String& id) const
    {
        const int index = indexOf(id);
        int n = 0;
        for (const auto& event : events)
            n += event.kind == kind && event.index == index ? 1 : 0;
        return n;
    }

    // True when every change of the parameter lies inside one begin/end pair, and there is
    // exactly one such pair.
    bool isOneGesture(const juce::String& id) const
    {
        const int index = indexOf(id);
        int begins = 0, ends = 0;
        bool open = false;
        for (const auto& event : events)
        {
            if (event.index != index)
                continue;
            if (event.kind == 'b')
            {
                if (open)
                    return false;
                open = true;
                ++begins;
            }
            else if (event.kind == 'e')
            {
                if (!open)
                    return false;
                open = false;
                ++ends;
            }
            else if (!open)
            {
                return false;
            }
        }
        return begins == 1 && ends == 1 && !open;
    }

    void clear() { events.clear(); }

    std::vector<Event> events;

private:
    juce::AudioProcessor& processor;
};
} // namespace vorl::test
