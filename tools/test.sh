#!/usr/bin/env bash
# Installs what the tests need, builds, and runs the whole suite with CTest; then makes the
# Debian package of that build and checks it, installed, upgraded and removed again
# (tools/package-test.sh); then builds the program once more with clang. Both compilers must
# build it without a warning. Last, the fuzz targets, built with clang, run ten seconds each
# (tools/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-packages.sh
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-tests
ctest --test-dir build-tests --output-on-failure --parallel 2 --timeout 300
bash tools/package-test.sh build-tests

cmake -S . -B build-clang -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DBUILD_TESTING=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-clang

bash tools/fuzz.sh 10
