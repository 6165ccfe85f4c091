#!/usr/bin/env bash
# Installs what the tests need, builds, and runs the whole suite with CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-packages.sh
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-tests
ctest --test-dir build-tests --output-on-failure --parallel 2 --timeout 300
