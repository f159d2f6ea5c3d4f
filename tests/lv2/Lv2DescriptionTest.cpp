// The built LV2 bundle as an independent LV2 host library reads it: lilv and serd as Debian
// ships them (not JUCE's copies). Identity, audio ports and the 63 parameters with the names,
// defaults, ranges and steps hosts know from the VST3.
#include "ExpectedParameters.h"
#include "TurtleStatements.h"

#include <gtest/gtest.h>
#include <lilv/lilv.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace
{
using vorl::test::ExpectedParameter;
using vorl::test::isStepped;
using vorl::test::kExpectedParameters;

const std::string kUri = VORL_LV2_URI;
const std::string kLv2 = "http://lv2plug.in/ns/lv2core#";
const std::string kPatch = "http://lv2plug.in/ns/ext/patch#";
const std::string kRdf = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
const std::string kRdfs = "http://www.w3.org/2000/01/rdf-schema#";

std::string parameterUri(const ExpectedParameter& parameter)
{
    return kUri + ":" + parameter.id;
}

// One lilv world holding the build's LV2 folder only.
class Lv2DescriptionTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        world = lilv_world_new();
        LilvNode* path = lilv_new_string(world, VORL_LV2_FOLDER);
        lilv_world_set_option(world, LILV_OPTION_LV2_PATH, path);
        lilv_node_free(path);
        lilv_world_load_all(world);
        LilvNode* uri = lilv_new_uri(world, kUri.c_str());
        plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
        lilv_node_free(uri);
        if (plugin != nullptr)
            lilv_node_free(lilv_plugin_get_name(plugin)); // loads the plug-in's data files
    }

    static void TearDownTestSuite()
    {
        lilv_world_free(world);
        world = nullptr;
        plugin = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(plugin, nullptr) << "no plug-in " << kUri << " in " << VORL_LV2_FOLDER;
    }

    // Every object of subject predicate, as text (URIs, literals and numbers alike).
    static std::vector<std::string> objects(const std::string& subject, const std::string& predicate)
    {
        LilvNode* s = lilv_new_uri(world, subject.c_str());
        LilvNode* p = lilv_new_uri(world, predicate.c_str());
        LilvNodes* found = lilv_world_find_nodes(world, s, p, nullptr);
        std::vector<std::string> result;
        LILV_FOREACH(nodes, i, found)
        result.push_back(lilv_node_as_string(lilv_nodes_get(found, i)));
        lilv_nodes_free(found);
        lilv_node_free(p);
        lilv_node_free(s);
        return result;
    }

    static double number(const std::string& subject, const std::string& predicate)
    {
        const auto found = objects(subject, predicate);
        return found.size() == 1 ? std::stod(found.front()) : std::nan("");
    }

    // A parameter's scale points as (value, label), in ascending value.
    static std::vector<std::pair<double, std::string>> scalePoints(const ExpectedParameter& parameter)
    {
        LilvNode* subject = lilv_new_uri(world, parameterUri(parameter).c_str());
        LilvNode* scalePoint = lilv_new_uri(world, (kLv2 + "scalePoint").c_str());
        LilvNode* value = lilv_new_uri(world, (kRdf + "value").c_str());
        LilvNode* label = lilv_new_uri(world, (kRdfs + "label").c_str());
        LilvNodes* points = lilv_world_find_nodes(world, subject, scalePoint, nullptr);
        std::vector<std::pair<double, std::string>> result;
        LILV_FOREACH(nodes, i, points)
        {
            const LilvNode* point = lilv_nodes_get(points, i);
            LilvNode* pointValue = lilv_world_get(world, point, value, nullptr);
            LilvNode* pointLabel = lilv_world_get(world, point, label, nullptr);
            result.emplace_back(pointValue != nullptr ? lilv_node_as_float(pointValue) : std::nan(""),
                                pointLabel != nullptr ? lilv_node_as_string(pointLabel) : "");
            lilv_node_free(pointValue);
            lilv_node_free(pointLabel);
        }
        lilv_nodes_free(points);
        for (auto* node : {subject, scalePoint, value, label})
            lilv_node_free(node);
        std::sort(result.begin(), result.end());
        return result;
    }

    static LilvWorld* world;
    static const LilvPlugin* plugin;
};

LilvWorld* Lv2DescriptionTest::world = nullptr;
const LilvPlugin* Lv2DescriptionTest::plugin = nullptr;

TEST_F(Lv2DescriptionTest, NamesItselfAndItsMakerAndPassesLilvsChecks)
{
    EXPECT_TRUE(lilv_plugin_verify(plugin));
    LilvNode* name = lilv_plugin_get_name(plugin);
    EXPECT_STREQ(lilv_node_as_string(name), "Vorl Delay");
    lilv_node_free(name);
    LilvNode* author = lilv_plugin_get_author_name(plugin);
    ASSERT_NE(author, nullptr);
    EXPECT_STREQ(lilv_node_as_string(author), "Vorl Audio");
    lilv_node_free(author);

    // What a host must offer to run it: JUCE's LV2 hosting offers these, lv2apply does not.
    const auto required = objects(kUri, kLv2 + "requiredFeature");
    EXPECT_EQ(std::set<std::string>(required.begin(), required.end()),
              (std::set<std::string>{"http://lv2plug.in/ns/ext/urid#map",
                                     "http://lv2plug.in/ns/ext/options#options",
                                     "http://lv2plug.in/ns/ext/buf-size#boundedBlockLength"}));
}

TEST_F(Lv2DescriptionTest, HasTwoAudioInputsTwoAudioOutputsAndALatencyPort)
{
    LilvNode* audio = lilv_new_uri(world, (kLv2 + "AudioPort").c_str());
    LilvNode* input = lilv_new_uri(world, (kLv2 + "InputPort").c_str());
    LilvNode* output = lilv_new_uri(world, (kLv2 + "OutputPort").c_str());
    EXPECT_EQ(lilv_plugin_get_num_ports_of_class(plugin, audio, input, nullptr), 2u);
    EXPECT_EQ(lilv_plugin_get_num_ports_of_class(plugin, audio, output, nullptr), 2u);
    EXPECT_TRUE(lilv_plugin_has_latency(plugin));
    for (auto* node : {audio, input, output})
        lilv_node_free(node);
}

// Each parameter under its identifier, with the VST3's name, range and default (the TTL
// carries six significant digits: Decay Curve's 50.636662 reads as 50.6367).
TEST_F(Lv2DescriptionTest, PublishesTheParametersWithTheirNamesRangesAndDefaults)
{
    const auto writable = objects(kUri, kPatch + "writable");
    const auto readable = objects(kUri, kPatch + "readable");
    EXPECT_EQ(writable.size(), kExpectedParameters.size());
    EXPECT_EQ(readable.size(), kExpectedParameters.size());
    for (const auto& parameter : kExpectedParameters)
    {
        SCOPED_TRACE(parameter.id);
        const auto uri = parameterUri(parameter);
        EXPECT_EQ(std::count(writable.begin(), writable.end(), uri), 1);
        EXPECT_EQ(std::count(readable.begin(), readable.end(), uri), 1);
        EXPECT_EQ(objects(uri, kRdfs + "label"), std::vector<std::string>{parameter.name});
        EXPECT_EQ(number(uri, kLv2 + "minimum"), parameter.minimum);
        EXPECT_EQ(number(uri, kLv2 + "maximum"), parameter.maximum);
        const double span = parameter.maximum - parameter.minimum;
        EXPECT_NEAR(number(uri, kLv2 + "default"), parameter.defaultValue, 1.0e-6 * span);
    }
}

// Switches and whole numbers offer each step at its plain value with its label; hosts send
// those values back, so a step at a normalised position would select the wrong one.
TEST_F(Lv2DescriptionTest, DiscreteParametersOfferEveryStepInPlainUnits)
{
    for (const auto& parameter : kExpectedParameters)
    {
        SCOPED_TRACE(parameter.id);
        const auto points = scalePoints(parameter);
        const auto properties = objects(parameterUri(parameter), kLv2 + "portProperty");
        const bool enumeration =
            std::find(properties.begin(), properties.end(), kLv2 + "enumeration") != properties.end();
        if (!isStepped(parameter))
        {
            EXPECT_TRUE(points.empty());
            EXPECT_FALSE(enumeration);
            continue;
        }
        EXPECT_TRUE(enumeration);
        const int steps = (int)(parameter.maximum - parameter.minimum) + 1;
        ASSERT_EQ((int)points.size(), steps);
        std::set<std::string> labels;
        for (int k = 0; k < steps; ++k)
        {
            EXPECT_EQ(points[(size_t)k].first, parameter.minimum + (float)k) << "step " << k;
            EXPECT_FALSE(points[(size_t)k].second.empty()) << "step " << k;
            labels.insert(points[(size_t)k].second);
        }
        EXPECT_EQ((int)labels.size(), steps);
    }
}

// RDF keeps no order, and hosts list LV2 parameters as they like (JUCE's by URI); the
// description itself names them in host order, as the VST3 does.
TEST(Lv2DescriptionOrder, DescriptionListsTheParametersInHostOrder)
{
    const auto statements =
        vorl::test::readTurtleStatements(std::string(VORL_LV2_FOLDER) + "/Vorl Delay.lv2/dsp.ttl");
    ASSERT_FALSE(statements.empty());
    std::vector<std::string> listed;
    for (const auto& statement : statements)
        if (statement.subject == kUri && statement.predicate == kPatch + "writable")
            listed.push_back(statement.object);
    std::vector<std::string> expected;
    for (const auto& parameter : kExpectedParameters)
        expected.push_back(parameterUri(parameter));
    EXPECT_EQ(listed, expected);
}
} // namespace
