#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes template line expansion for N seconds (default 120) with libFuzzer,
# ASan and UBSan, in its own clang build directory, from the committed corpus
# (fuzz/tickets/corpus, replayed by ctest); crashes go to fuzz/tickets/artifacts.
#   fuzz/tickets/run.sh [seconds] [build-dir]
set -euo pipefail
secs=${1:-120}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${2:-$root/build-fuzz}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVIGA_FUZZ=ON -DVIGA_SANITIZE=ON -DVIGA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" --target tickets_fuzzer
mkdir -p "$root/fuzz/tickets/artifacts" "$build/corpus-tickets"
"$build/fuzz/tickets/tickets_fuzzer" -max_total_time="$secs" -max_len=200 \
  -artifact_prefix="$root/fuzz/tickets/artifacts/" "$build/corpus-tickets" "$root/fuzz/tickets/corpus"
