// The editor's 30 Hz refresh: everything it shows is pulled from the processor here, and the
// few behaviours that change parameters on the user's behalf run here too.
#include "DisplayState.h"
#include "NoteValues.h"
#include "PluginEditor.h"
#include "ValueCurves.h"
#include "processor/PluginProcessor.h"
#include "widgets/Palette.h"

#include <cmath>

void TarnelDelayAudioProcessorEditor::timerCallback()
{
    // 1. The layout the engine published.
    visualizer.setLayout(processor.getTapSnapshot());

    // 2. Filter handles.
    if (!filterSlider.dragging && (filterSlider.hpValue != raw("hp") || filterSlider.lpValue != raw("lp")))
    {
        filterSlider.hpValue = raw("hp");
        filterSlider.lpValue = raw("lp");
        filterSlider.repaint();
    }

    // 3. The span of the time axis.
    visualizer.setTotalLength(std::max(1.0f, raw("pd") + RefreshRules::lengthMs(raw("fb"))));

    // 4. Magnetic Length values.
    if (const auto target = RefreshRules::magneticLengthTarget(raw("fb")))
        set("fb", *target);

    // 5. Mix bypass blink.
    refreshMixBypass();

    // 6. Parameter fields, the tap counter and the animation phases.
    DisplayState state = readDisplayState(processor);
    if (tapCountBox.isVisible() && activeParamId != "tapCnt")
    {
        const int count =
            juce::jlimit(tapCountBox.minCount, tapCountBox.maxCount, static_cast<int>(raw("tapCnt")));
        if (count != tapCountBox.count)
        {
            tapCountBox.count = count;
            tapCountBox.repaint();
        }
    }
    const float flutterDepth = raw("flutter") / 100.0f;
    flutterPhase += flutterDepth * flutterDepth * 0.02f * std::pow(2.0f, (raw("flutSpd") - 50.0f) / 50.0f);
    if (flutterPhase >= 1.0f)
        flutterPhase -= 1.0f;
    slowPhase += 0.03f;
    if (slowPhase >= 1024.0f)
        slowPhase -= 1024.0f;
    state.flutterPhase = flutterPhase;
    state.slowPhase = slowPhase;

    // 7 to 9. Tempo-sync indication, sync memory and conversions.
    refreshTempoSync();
    refreshSyncConversions();

    const float k = on("io2x") ? 4.0f : 1.0f;
    // 11. Start/end panel.
    refreshStartEndPanel(k);

    // 12. Heads-up selection.
    const auto hud = RefreshRules::hudSelection(activeParamId, hoverParamId);
    state.hudMode = hud.mode;
    state.hudParamId = hud.paramId;

    // 13. Predelay follows Start.
    refreshPredelayFollowsStart(k);

    // 14. Scale (the seeds come with the record).
    state.hudScale = activeParamId == "mix" || activeParamId == "mout" ? 1.5f : 1.0f;

    // 15. Title.
    refreshTitle();

    // 16, 17. The decay captions come with the record; hand it over.
    visualizer.setDisplayState(state);
}

void TarnelDelayAudioProcessorEditor::refreshMixBypass()
{
    using Change = RefreshRules::BypassBlink::Change;
    switch (bypassBlink.tick(on("mixByp")))
    {
    case Change::entered:
        mixLabel.setText("BYP", juce::dontSendNotification);
        mixSlider.setAlpha(0.4f);
        break;
    case Change::blinkBright:
        mixLabel.setColour(juce::Label::textColourId, Palette::accentYellow);
        break;
    case Change::blinkDim:
        mixLabel.setColour(juce::Label::textColourId, Palette::accentYellow.withAlpha(0.25f));
        break;
    case Change::left:
        mixLabel.setText("MIX", juce::dontSendNotification);
        mixLabel.setColour(juce::Label::textColourId, Palette::text);
        mixSlider.setAlpha(1.0f);
        break;
    case Change::none:
        break;
    }
}

void TarnelDelayAudioProcessorEditor::refreshTempoSync()
{
    const float tempo = processor.getHostTempo();
    uiHostTempo = tempo;
    const bool known = tempo > 0.0f;
    const auto indicate = [known](TdSlider& slider, bool synced)
    {
        if (slider.tempoSync != synced || slider.tempoKnown != known)
        {
            slider.tempoSync = synced;
            slider.tempoKnown = known;
            slider.repaint();
        }
    };
    indicate(visualizer.strip.startSlider, on("mu"));
    indicate(visualizer.strip.endSlider, on("mu"));
    if (waveBody != nullptr)
        indicate(waveBody->getRate().slider, on("waveSync"));
    if (tremoloBody != nullptr)
    {
        indicate(tremoloBody->getRate().slider, on("tremSync"));
        indicate(tremoloBody->getPhase().slider, on("tremSync"));
    }
    if (pitchBody != nullptr)
        indicate(pitchBody->getRate().slider, on("pitchSync"));
}

void TarnelDelayAudioProcessorEditor::refreshSyncConversions()
{
    // A changed state (restore, preset, history, randomize) re-records the switches, so what it
    // brought is never converted.
    const uint32_t version = processor.stateVersion.load();
    if (!syncMemoryValid || version != lastStateVersion)
    {
        lastTapSync = on("mu");
        lastWaveSync = on("waveSync");
        lastTremSync = on("tremSync");
        lastPitchSync = on("pitchSync");
        syncMemoryValid = true;
        lastStateVersion = version;
        lastPredelayTarget = -1.0f;
    }

    const float tempo = processor.getHostTempo();
    if (on("mu") != lastTapSync)
    {
        convertTapSync(on("mu"));
        lastTapSync = on("mu");
    }
    const auto convertRate =
        [&](const char* id, bool nowOn, RefreshRules::RateCurve toHz, RefreshRules::RateCurve fromHz)
    {
        set(id, nowOn ? RefreshRules::rateToNote(raw(id), toHz, tempo)
                      : RefreshRules::rateToFree(raw(id), fromHz, tempo));
    };
    if (on("waveSync") != lastWaveSync)
    {
        convertRate("lrs", on("waveSync"), vorl::rateSliderToHz, vorl::hzToRateSlider);
        set("woPh", 0.0f);
        lastWaveSync = on("waveSync");
    }
    if (on("tremSync") != lastTremSync)
    {
        convertRate("tremR", on("tremSync"), vorl::rateSliderToHz, vorl::hzToRateSlider);
        set("tremPh", 0.0f);
        lastTremSync = on("tremSync");
    }
    if (on("pitchSync") != lastPitchSync)
    {
        convertRate("pitchRt", on("pitchSync"), vorl::pitchRateSliderToHz, vorl::pitchRateHzToSlider);
        lastPitchSync = on("pitchSync");
    }
}

void TarnelDelayAudioProcessorEditor::convertTapSync(bool nowOn)
{
    const float tempo = processor.getHostTempo();
    if (nowOn)
    {
        const float k = on("io2x") ? 4.0f : 1.0f;
        set("s", RefreshRules::timeToNote(raw("s"), k, tempo));
        set("e", RefreshRules::timeToNote(raw("e"), k, tempo));
        return;
    }
    // Long synced values only fit the free range with the In/Out factor.
    if (!on("io2x"))
    {
        const float longest = std::max(RefreshRules::noteMs(RefreshRules::noteIndex(raw("s")), tempo),
                                       RefreshRules::noteMs(RefreshRules::noteIndex(raw("e")), tempo));
        if (longest > 2000.0f)
            set("io2x", 1.0f);
    }
    const float k = on("io2x") ? 4.0f : 1.0f;
    set("s", RefreshRules::timeToFree(raw("s"), k, tempo));
    set("e", RefreshRules::timeToFree(raw("e"), k, tempo));
    set("pd", vorl::timeSliderToMs(raw("s")) * k);
}

void TarnelDelayAudioProcessorEditor::refreshStartEndPanel(float k)
{
    auto& strip = visualizer.strip;
    for (auto* slider : {&strip.startSlider, &strip.endSlider})
        if (slider->displayScale != k)
        {
            slider->displayScale = k;
            slider->repaint();
        }
    const auto text = [&](const char* id)
    {
        if (on("mu"))
            return juce::String(vorl::kNoteLabels[static_cast<size_t>(RefreshRules::noteIndex(raw(id)))]);
        return juce::String(static_cast<int>(vorl::timeSliderToMs(raw(id)) * k)) + " ms";
    };
    visualizer.setStartEndTexts(text("s"), text("e"));
    strip.setVorlAmount(raw("g"));
}

void TarnelDelayAudioProcessorEditor::refreshPredelayFollowsStart(float k)
{
    const float tempo = processor.getHostTempo();
    if (activeParamId == "s")
    {
        const float target = on("mu") ? RefreshRules::noteMs(RefreshRules::noteIndex(raw("s")), tempo)
                                      : std::max(1.0f, std::round(vorl::timeSliderToMs(raw("s")))) * k;
        set("pd", target);
        lastPredelayTarget = target;
        return;
    }
    if (!on("mu"))
    {
        lastPredelayTarget = 0.0f; // switching sync on then counts as a new note length
        return;
    }
    // Under Tap Sync the predelay follows the Start note when that note's length changes (a new
    // Start, a new tempo, sync just switched on), but merely opening the window or loading a state
    // keeps the predelay the user or the session chose.
    const float target = RefreshRules::noteMs(RefreshRules::noteIndex(raw("s")), tempo);
    const bool targetMoved = lastPredelayTarget >= 0.0f && target != lastPredelayTarget;
    if (targetMoved && activeParamId != "pd" && std::abs(raw("pd") - target) > 0.01f)
        set("pd", target);
    lastPredelayTarget = target;
}

void TarnelDelayAudioProcessorEditor::refreshTitle()
{
    const float mix = raw("mix");
    titleLabel.setColour(juce::Label::textColourId, RefreshRules::titleColour(mix));
    const float glow = RefreshRules::titleGlow(mix);
    if (std::abs(glow - titleGlow) > 0.001f)
    {
        titleGlow = glow;
        repaint(titleLabel.getBounds().expanded(6));
    }
}
