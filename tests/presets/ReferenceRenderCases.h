// What the engine's reference renders hold: every factory preset, plus stress cases that drive
// the engine's moving paths (random automation, Length automated every block, wave gliding,
// ping-pong with tape wear), rendered the same way by the test and by the regeneration run.
#pragma once

#include "FactoryPresetRendering.h"

#include <functional>
#include <string>
#include <vector>

namespace renderreference
{
struct RenderCase
{
    std::string name;
    std::function<presetrender::StereoBuffer()> render;
};

std::vector<RenderCase> referenceCases();
std::vector<std::string> referenceCaseNames();
} // namespace renderreference
