#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for the given number of
# seconds (10 by default), one after the other. Each starts from its seed corpus in
# tests/fuzz-corpus/<target> and grows a working copy in build-fuzz/corpus/<target>, so the
# repository is never changed. A crash, a broken property, a leak, a time-out or running out of
# memory fails the script; the input that did it is left in build-fuzz/findings/<target>/.
# Optional further arguments name the targets to run (all of them by default).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz-ini fuzz-xxe fuzz-forecast fuzz-towns fuzz-openmeteo fuzz-geocoding fuzz-body)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DTERVALO_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-fuzz --target fuzzers

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$PWD/fuzz/leaks.supp:print_suppressions=0
symbolizer=$(command -v llvm-symbolizer || ls /usr/lib/llvm-*/bin/llvm-symbolizer 2>/dev/null | head -n 1 || true)
[ -z "$symbolizer" ] || export ASAN_SYMBOLIZER_PATH="$symbolizer"

for target in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  cp -r tests/fuzz-corpus/"$target"/. "$corpus"/
  echo "== $target: $seconds s"
  if ! build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings"/ "$corpus" 2>build-fuzz/"$target".log; then
    tail -n 60 build-fuzz/"$target".log
    echo "$target failed; the input is in $findings/ (the whole log: build-fuzz/$target.log)" >&2
    exit 1
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done )' build-fuzz/"$target".log || true
done
