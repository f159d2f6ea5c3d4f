#!/usr/bin/env bash
# What LV2 hosts see of the built plug-in, read by lilv's own programs: lv2ls lists it from
# LV2_PATH, and lv2info shows its URI, name, two audio inputs, two audio outputs and a
# latency port. (lv2info lists ports only; the parameters are checked through lilv's library
# in vorl_lv2_description_tests.)
#   check-lv2info.sh URI LV2-FOLDER
set -euo pipefail
uri=$1
export LV2_PATH=$2

fail() {
    echo "FAIL: $*"
    exit 1
}

lv2ls | grep -qxF "$uri" || fail "lv2ls does not list $uri in $LV2_PATH"
info=$(lv2info "$uri") || fail "lv2info cannot read $uri"
echo "$info"

[ "$(head -n 1 <<<"$info")" = "$uri" ] || fail "lv2info names another plug-in"
grep -qE $'^\tName: +Vorl Delay$' <<<"$info" || fail "the name is not Vorl Delay"
grep -qE $'^\tHas latency: +yes' <<<"$info" || fail "no latency port"

# Audio ports by direction: each "Port N:" block lists its types.
read -r inputs outputs < <(awk '
    function count() { if (audio && direction == "in") ins++; if (audio && direction == "out") outs++ }
    /^\tPort [0-9]+:/ { count(); audio = 0; direction = "" }
    /lv2core#AudioPort/ { audio = 1 }
    /lv2core#InputPort/ { direction = "in" }
    /lv2core#OutputPort/ { direction = "out" }
    END { count(); print ins + 0, outs + 0 }' <<<"$info")
[ "$inputs" -eq 2 ] || fail "$inputs audio inputs, expected 2"
[ "$outputs" -eq 2 ] || fail "$outputs audio outputs, expected 2"
echo "lv2info: $uri, 2 audio inputs, 2 audio outputs, latency port"
