#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the frame parsers for N seconds (default 120) with libFuzzer, ASan and
# UBSan, in its own clang build directory. Starts from the committed corpus
# (fuzz/scale/corpus, replayed by ctest); new inputs go to <build-dir>/corpus-scale,
# crashes to fuzz/scale/artifacts. Copy a few telling new inputs into the
# committed corpus, not all of them.
#   fuzz/scale/run.sh [seconds] [build-dir]
set -euo pipefail
secs=${1:-120}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${2:-$root/build-fuzz}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVIGA_FUZZ=ON -DVIGA_SANITIZE=ON -DVIGA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" --target scale_fuzzer
mkdir -p "$root/fuzz/scale/artifacts" "$build/corpus-scale"
"$build/fuzz/scale/scale_fuzzer" -max_total_time="$secs" -max_len=64 \
  -artifact_prefix="$root/fuzz/scale/artifacts/" "$build/corpus-scale" "$root/fuzz/scale/corpus"
