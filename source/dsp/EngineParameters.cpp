#include "EngineParameters.h"

#include <cstring>

namespace vorl
{
namespace
{
struct Field
{
    const char* id;
    float* (*locate)(EngineParameterValues&);
};

#define VORL_LAYOUT_FIELD(name) {#name, [](EngineParameterValues& v) { return &v.layout.name; }}
#define VORL_FIELD(name) {#name, [](EngineParameterValues& v) { return &v.name; }}

const Field kFields[] = {
    VORL_LAYOUT_FIELD(s),       VORL_LAYOUT_FIELD(e),       VORL_LAYOUT_FIELD(fb),     VORL_LAYOUT_FIELD(pd),
    VORL_LAYOUT_FIELD(io2x),    VORL_LAYOUT_FIELD(mu),      VORL_LAYOUT_FIELD(rev),    VORL_LAYOUT_FIELD(flipped),
    VORL_LAYOUT_FIELD(g),       VORL_LAYOUT_FIELD(dcv),     VORL_LAYOUT_FIELD(dc),     VORL_LAYOUT_FIELD(dcMode),
    VORL_LAYOUT_FIELD(dcSteps), VORL_LAYOUT_FIELD(dcFall),  VORL_LAYOUT_FIELD(wo),     VORL_LAYOUT_FIELD(waveSync),
    VORL_LAYOUT_FIELD(lrs),     VORL_LAYOUT_FIELD(lfoDp),   VORL_LAYOUT_FIELD(lsh),    VORL_LAYOUT_FIELD(woPh),
    VORL_LAYOUT_FIELD(woOff),   VORL_FIELD(hp),             VORL_FIELD(lp),            VORL_FIELD(mix),
    VORL_FIELD(mixByp),         VORL_FIELD(mout),           VORL_FIELD(spread),        VORL_FIELD(sideOnly),
    VORL_FIELD(ppW),            VORL_FIELD(tp),             VORL_FIELD(tOd),           VORL_FIELD(tBoost),
    VORL_FIELD(td),             VORL_FIELD(sat),            VORL_FIELD(flutter),       VORL_FIELD(flutSpd),
    VORL_FIELD(tpWet),          VORL_FIELD(tDarken),        VORL_FIELD(headBump),      VORL_FIELD(pitchOn),
    VORL_FIELD(pitchSync),      VORL_FIELD(pitchWide),      VORL_FIELD(pitch2x),       VORL_FIELD(pitchCt),
    VORL_FIELD(pitchRt),        VORL_FIELD(pitchDp),        VORL_FIELD(pitchSh),       VORL_FIELD(pitchMix),
    VORL_FIELD(pitchFbk),       VORL_FIELD(pitchGLink),     VORL_FIELD(pitchWLAmt),    VORL_FIELD(pitchLB),
    VORL_FIELD(trem),           VORL_FIELD(tremSync),       VORL_FIELD(tremR),         VORL_FIELD(tremD),
    VORL_FIELD(tremPh),         VORL_FIELD(tremOff),        VORL_FIELD(tremSh),
};

#undef VORL_LAYOUT_FIELD
#undef VORL_FIELD
} // namespace

float* engineFieldFor(EngineParameterValues& values, const char* parameterId) noexcept
{
    for (const auto& field : kFields)
        if (std::strcmp(field.id, parameterId) == 0)
            return field.locate(values);
    return nullptr;
}
} // namespace vorl
