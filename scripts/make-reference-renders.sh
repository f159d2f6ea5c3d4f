#!/usr/bin/env bash
# Rewrites tests/presets/reference/engine-renders.gz from the engine in this tree. The comparison
# test in `make test` holds later engines to these renders, so run this only on an engine whose
# sound is known to be right (before changing how it computes, never after).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build/check}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORL_SANITIZE=OFF -DVORL_BUILD_BENCHMARKS=OFF
cmake --build "$BUILD_DIR" --target vorl_preset_tests -j "${JOBS:-2}"
"$BUILD_DIR/tests/presets/vorl_preset_tests" --gtest_also_run_disabled_tests \
    --gtest_filter='EngineRenderReferenceFile.DISABLED_Write'
ls -l tests/presets/reference/engine-renders.gz
