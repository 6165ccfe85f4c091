#!/usr/bin/env bash
# Renders the real widget into docs/screenshots/ (offscreen; needs no display): every picture as
# a screen of one image pixel per window pixel shows it, and the classic and digital skins also
# at two (classic@2x.png, digital@2x.png). The build folder is build-tests unless given.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-tests}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target render-screenshots
"$build"/tests/render-screenshots docs/screenshots
"$build"/tests/render-screenshots docs/screenshots 2x
