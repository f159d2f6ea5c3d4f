#include "PanelTestSupport.h"
#include "processor/PluginProcessor.h"
#include "widgets/ModulatorBody.h"
#include "widgets/PitchBody.h"
#include "widgets/TapeDegradationBody.h"

#include <gtest/gtest.h>

#include <set>

using vorl::test::dragSlider;
using vorl::test::GestureRecorder;
using vorl::test::plainValue;
using vorl::test::setPlainValue;

namespace
{
class EffectBodiesTest : public testing::Test
{
protected:
    TarnelDelayAudioProcessor processor;
    juce::AudioProcessorValueTreeState& tree = processor.apvts;
};

struct BodyCase
{
    const char* name;
    std::function<std::unique_ptr<juce::Component>(juce::AudioProcessorValueTreeState&)> create;
    std::set<juce::String> sliderIds;
};

const BodyCase bodyCases[] = {
    {"tremolo",
     [](auto& tree) { return std::make_unique<TremoloBody>(tree); },
     {"tremR", "tremD", "tremPh", "tremOff"}},
    {"wave", [](auto& tree) { return std::make_unique<WaveBody>(tree); }, {"lrs", "lfoDp", "woPh", "woOff"}},
    {"pitch",
     [](auto& tree) { return std::make_unique<PitchBody>(tree); },
     {"pitchRt", "pitchDp", "pitchCt", "pitchFbk", "pitchMix"}},
    {"tape",
     [](auto& tree) { return std::make_unique<TapeDegradationBody>(tree); },
     {"tDarken", "headBump", "tBoost", "td", "sat", "tpWet", "flutter", "flutSpd"}},
};

// Every slider is bound both ways: the parameter moves the slider, and a drag moves the
// parameter as exactly one host gesture.
TEST_F(EffectBodiesTest, EverySliderIsBoundToItsParameterBothWays)
{
    for (const auto& c : bodyCases)
    {
        auto body = c.create(tree);
        body->setSize(436, 120);
        std::set<juce::String> ids;
        for (auto* slider : vorl::test::slidersOf(*body))
        {
            const auto id = slider->paramId;
            ids.insert(id);
            auto* parameter = tree.getParameter(id);
            ASSERT_NE(parameter, nullptr) << c.name << " " << id;

            const auto& range = parameter->getNormalisableRange();
            const float target = range.convertFrom0to1(0.3f);
            setPlainValue(tree, id.toRawUTF8(), target);
            EXPECT_NEAR(slider->getValue(), target, 1e-3 * (range.end - range.start)) << c.name << " " << id;

            GestureRecorder recorder(*parameter);
            dragSlider(*slider, 1.0f, static_cast<float>(slider->getWidth()) - 1.0f);
            EXPECT_EQ(recorder.events(), "bve") << c.name << " " << id;
            EXPECT_NE(plainValue(tree, id.toRawUTF8()), target) << c.name << " " << id;
            EXPECT_NEAR(plainValue(tree, id.toRawUTF8()), slider->getValue(), 1e-3) << c.name << " " << id;

            // The double-click reset reaches the host as one gesture too.
            setPlainValue(tree, id.toRawUTF8(), target);
            recorder.clear();
            slider->mouseDoubleClick(vorl::test::mouseEvent(*slider, {5.0f, 5.0f}));
            EXPECT_EQ(recorder.events(), "bve") << c.name << " " << id;
            EXPECT_NEAR(slider->getValue(), slider->resetValue, 0.051) << c.name << " " << id;
        }
        EXPECT_EQ(ids, c.sliderIds) << c.name;
    }
}

struct PickerCase
{
    const char* name;
    std::function<std::unique_ptr<juce::Component>(juce::AudioProcessorValueTreeState&)> create;
    const char* shapeId;
    std::set<int> reseedingShapes;
};

ShapePickerComponent& pickerOf(juce::Component& body)
{
    for (auto* child : body.getChildren())
        if (auto* picker = dynamic_cast<ShapePickerComponent*>(child))
            return *picker;
    throw std::logic_error("no picker");
}

void setOnRandomShape(juce::Component& body, std::function<void()> callback)
{
    if (auto* modulator = dynamic_cast<ModulatorBody*>(&body))
        modulator->onRandomShape = std::move(callback);
    else if (auto* pitch = dynamic_cast<PitchBody*>(&body))
        pitch->onRandomShape = std::move(callback);
}

// Picking a shape sets the parameter as one gesture; only the random shapes that draw on a
// seed of their own ask for a reseed (pitch: the smooth random one alone).
TEST_F(EffectBodiesTest, PickingAShapeSetsItsParameterAndReseedsOnlyRandomShapes)
{
    const PickerCase cases[] = {
        {"tremolo", [](auto& tree) { return std::make_unique<TremoloBody>(tree); }, "tremSh", {5, 6}},
        {"wave", [](auto& tree) { return std::make_unique<WaveBody>(tree); }, "lsh", {5, 6}},
        {"pitch", [](auto& tree) { return std::make_unique<PitchBody>(tree); }, "pitchSh", {6}},
    };
    for (const auto& c : cases)
    {
        auto body = c.create(tree);
        auto& picker = pickerOf(*body);
        int reseeds = 0;
        setOnRandomShape(*body, [&reseeds] { ++reseeds; });
        GestureRecorder recorder(*tree.getParameter(c.shapeId));
        for (size_t i = 0; i < picker.getShapes().size(); ++i)
        {
            const int shape = picker.getShapes()[i];
            // Start elsewhere, so every pick is a change.
            setPlainValue(tree, c.shapeId, shape == 0 ? 1.0f : 0.0f);
            recorder.clear();
            reseeds = 0;
            vorl::test::click(picker.getButton(i));
            EXPECT_EQ(plainValue(tree, c.shapeId), static_cast<float>(shape)) << c.name << " " << shape;
            EXPECT_EQ(recorder.events(), "bve") << c.name << " " << shape;
            EXPECT_EQ(reseeds, c.reseedingShapes.count(shape) ? 1 : 0) << c.name << " " << shape;
        }
    }
}

// The picker follows the parameter; a value outside its list lights no button.
TEST_F(EffectBodiesTest, PickerFollowsTheShapeParameter)
{
    const struct
    {
        const char* name;
        std::function<std::unique_ptr<juce::Component>(juce::AudioProcessorValueTreeState&)> create;
        const char* shapeId;
        float outside;
    } cases[] = {
        {"tremolo", [](auto& tree) { return std::make_unique<TremoloBody>(tree); }, "tremSh", 7.0f},
        {"wave", [](auto& tree) { return std::make_unique<WaveBody>(tree); }, "lsh", 7.0f},
        {"pitch", [](auto& tree) { return std::make_unique<PitchBody>(tree); }, "pitchSh", 3.0f},
    };
    const auto litShapes = [](ShapePickerComponent& picker)
    {
        std::vector<int> lit;
        for (size_t i = 0; i < picker.getShapes().size(); ++i)
            if (picker.getButton(i).getToggleState())
                lit.push_back(picker.getShapes()[i]);
        return lit;
    };
    for (const auto& c : cases)
    {
        setPlainValue(tree, c.shapeId, 2.0f);
        auto body = c.create(tree);
        auto& picker = pickerOf(*body);
        EXPECT_EQ(litShapes(picker), std::vector<int>{2}) << c.name << ": read once when built";

        setPlainValue(tree, c.shapeId, 6.0f);
        if (auto* pitch = dynamic_cast<PitchBody*>(body.get()))
            pitch->refresh(); // the pitch body polls
        EXPECT_EQ(litShapes(picker), std::vector<int>{6}) << c.name;

        setPlainValue(tree, c.shapeId, c.outside);
        if (auto* pitch = dynamic_cast<PitchBody*>(body.get()))
            pitch->refresh();
        EXPECT_TRUE(litShapes(picker).empty()) << c.name;
    }
}

// Host automation may change the shape on the audio thread: the picker must follow on the
// message thread, at the body's next tick.
TEST_F(EffectBodiesTest, ShapeChangedOnAnotherThreadReachesThePickerAtTheNextTick)
{
    TremoloBody body(tree);
    std::thread automation([this] { setPlainValue(tree, "tremSh", 4.0f); });
    automation.join();
    body.refresh();
    EXPECT_TRUE(body.getPicker().getButton(4).getToggleState());
    EXPECT_FALSE(body.getPicker().getButton(0).getToggleState());
}

TEST_F(EffectBodiesTest, PitchTwoTimesDoublesTheReadoutsButNotTheParameters)
{
    PitchBody body(tree);
    setPlainValue(tree, "pitchCt", 25.0f);
    setPlainValue(tree, "pitchDp", 30.0f);
    body.refresh();
    EXPECT_EQ(body.getPitch().value.getText(), "25.0c");
    EXPECT_EQ(body.getDepth().value.getText(), "30%");

    setPlainValue(tree, "pitch2x", 1.0f);
    body.refresh();
    EXPECT_EQ(body.getPitch().value.getText(), "50.0c");
    EXPECT_EQ(body.getDepth().value.getText(), "60%");
    EXPECT_EQ(body.getRate().slider.displayScale, 2.0f);
    EXPECT_EQ(body.getRegen().slider.displayScale, 1.0f);
    EXPECT_EQ(plainValue(tree, "pitchCt"), 25.0f);
}

TEST(TapeBodyTexts, ReadoutsOfWearDriveOutputAndLowPass)
{
    const struct
    {
        std::function<juce::String(double)> text;
        double value;
        const char* expected;
    } cases[] = {
        {TapeDegradationBody::bypassablePercentText, 0.0, "BYP"},
        {TapeDegradationBody::bypassablePercentText, -1.0, "BYP"},
        {TapeDegradationBody::bypassablePercentText, 37.9, "37%"},
        {TapeDegradationBody::outputText, 50.0, "+0.0 dB"},
        {TapeDegradationBody::outputText, 0.0, "-6.0 dB"},
        {TapeDegradationBody::outputText, 100.0, "+6.0 dB"},
        {TapeDegradationBody::lowPassText, 100.0, "12.0 kHz"},
        {TapeDegradationBody::lowPassText, 0.0, "2.00 kHz"},
        {TapeDegradationBody::lowPassText, 50.0, "4.90 kHz"},
        {TapeDegradationBody::lowPassText, 90.0, "10.0 kHz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text(c.value), c.expected) << c.value;
}

// Flutter rows dim only while the tape stage runs with no flutter.
TEST_F(EffectBodiesTest, TapeMotionRowsDimOnlyWithTapeOnAndFlutterAtZero)
{
    const struct
    {
        float tape, flutter, alpha;
    } cases[] = {
        {1.0f, 0.0f, TapeDegradationBody::kInactiveAlpha},
        {0.0f, 0.0f, 1.0f},
        {1.0f, 10.0f, 1.0f},
    };
    TapeDegradationBody body(tree);
    for (const auto& c : cases)
    {
        setPlainValue(tree, "tp", c.tape);
        setPlainValue(tree, "flutter", c.flutter);
        body.refresh();
        for (const auto* id : {"flutter", "flutSpd"})
        {
            auto& row = body.row(id);
            // Components keep their alpha in eight bits.
            EXPECT_NEAR(row.slider.getAlpha(), c.alpha, 0.01f) << id << " tape " << c.tape << " flutter " << c.flutter;
            EXPECT_NEAR(row.name.getAlpha(), c.alpha, 0.01f);
            EXPECT_NEAR(row.value.getAlpha(), c.alpha, 0.01f);
        }
        EXPECT_EQ(body.row("tDarken").slider.getAlpha(), 1.0f);
    }
}

// Up to 425 pixels the pitch body keeps its fixed columns; from 426 they follow the width.
TEST_F(EffectBodiesTest, PitchColumnsAreFixedWhenNarrowAndProportionalWhenWide)
{
    PitchBody body(tree);
    const struct
    {
        int width, depthLabelX, leftValueX;
    } cases[] = {{425, 224, 166}, {426, 225, 167}, {436, 230, 172}};
    for (const auto& c : cases)
    {
        body.setSize(c.width, 80);
        EXPECT_EQ(body.getDepth().name.getX(), c.depthLabelX) << c.width;
        EXPECT_EQ(body.getRate().value.getX(), c.leftValueX) << c.width;
        EXPECT_EQ(body.getMix().value.getRight(), c.width) << c.width;
    }
}

// The pitch and tape bodies report which control is being dragged; the tape body ends with "".
TEST_F(EffectBodiesTest, DragCallbacksCarryTheParameterId)
{
    PitchBody pitch(tree);
    TapeDegradationBody tape(tree);
    pitch.setSize(436, 80);
    tape.setSize(436, 120);
    juce::StringArray events;
    for (auto* body : {static_cast<juce::Component*>(&pitch), static_cast<juce::Component*>(&tape)})
    {
        auto start = [&events](const juce::String& id) { events.add("start " + id); };
        auto end = [&events](const juce::String& id) { events.add("end " + id); };
        if (auto* p = dynamic_cast<PitchBody*>(body))
            std::tie(p->onSliderDragStart, p->onSliderDragEnd) = std::make_pair(start, end);
        else if (auto* t = dynamic_cast<TapeDegradationBody*>(body))
            std::tie(t->onSliderDragStart, t->onSliderDragEnd) = std::make_pair(start, end);
    }
    dragSlider(pitch.getPitch().slider, 5.0f, 20.0f);
    dragSlider(tape.row("sat").slider, 5.0f, 20.0f);
    EXPECT_EQ(events.joinIntoString("|"), "start pitchCt|end pitchCt|start sat|end ");
}
} // namespace
