#!/usr/bin/env bash
# Renders the real widget into docs/screenshots/ (offscreen; needs no display).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-tests --target render-screenshots
build-tests/tests/render-screenshots docs/screenshots
