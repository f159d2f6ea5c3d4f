#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, creating the prefix on first use.
#   wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# Without a display it starts its own virtual one, since plug-in editors need a window system.
set -euo pipefail

export WINEPREFIX=$(realpath -m "$1")
shift
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: nothing here needs .NET or an HTML engine.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$0" "$WINEPREFIX" "$@"
fi

if [ ! -f "$WINEPREFIX/.initialised" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Parallel test runs share the prefix: only one of them creates it.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/.initialised" ]; then
        wineboot --init >/dev/null
        wineserver -w
        touch "$WINEPREFIX/.initialised"
    fi
    flock -u 9
fi

exec wine "$@"
