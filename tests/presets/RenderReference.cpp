#include "RenderReference.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace renderreference
{
namespace
{
constexpr const char* kMagic = "VORLREF1";

void appendChannel(const std::vector<float>& channel, std::vector<float>& out)
{
    for (size_t i = 0; i < channel.size(); i += kExcerptStride)
        out.push_back(channel[i]);
    for (size_t start = 0; start < channel.size(); start += kPeakBlock)
    {
        const auto end = std::min(channel.size(), start + kPeakBlock);
        float peak = 0.0f;
        for (size_t i = start; i < end; ++i)
            peak = std::max(peak, std::abs(channel[i]));
        out.push_back(peak);
    }
}
} // namespace

std::vector<float> excerptOf(const presetrender::StereoBuffer& render)
{
    std::vector<float> out;
    appendChannel(render.left, out);
    appendChannel(render.right, out);
    return out;
}

bool save(const Excerpts& excerpts, const juce::File& file)
{
    juce::MemoryOutputStream raw;
    raw.writeString(kMagic);
    raw.writeInt((int)excerpts.size());
    for (const auto& [name, values] : excerpts)
    {
        raw.writeString(juce::String(name));
        raw.writeInt((int)values.size());
        for (const float value : values)
            raw.writeFloat(value);
    }
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream out(file);
    if (!out.openedOk())
        return false;
    juce::GZIPCompressorOutputStream zipped(out, 9);
    return zipped.write(raw.getData(), raw.getDataSize());
}

Excerpts load(const juce::File& file)
{
    Excerpts excerpts;
    juce::FileInputStream in(file);
    if (!in.openedOk())
        return excerpts;
    juce::GZIPDecompressorInputStream unzipped(in);
    if (unzipped.readString() != kMagic)
        return excerpts;
    const int count = unzipped.readInt();
    for (int k = 0; k < count && !unzipped.isExhausted(); ++k)
    {
        const auto name = unzipped.readString().toStdString();
        const int size = unzipped.readInt();
        if (size < 0)
            return {};
        std::vector<float> values((size_t)size);
        for (auto& value : values)
            value = unzipped.readFloat();
        excerpts[name] = std::move(values);
    }
    return excerpts;
}

float largestDifference(const std::vector<float>& a, const std::vector<float>& b)
{
    if (a.size() != b.size())
        return std::numeric_limits<float>::infinity();
    float largest = 0.0f;
    for (size_t i = 0; i < a.size(); ++i)
    {
        const float difference = std::abs(a[i] - b[i]);
        if (!(difference <= largest)) // NaN counts as the largest
            largest = std::isnan(difference) ? std::numeric_limits<float>::infinity() : difference;
    }
    return largest;
}
} // namespace renderreference
