#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one libFuzzer target (clang, ASan + UBSan) in its own build folder,
# from its committed corpus; findings go to fuzz/artifacts/<target>/.
#   fuzz/run.sh <target> [libFuzzer options...]
# targets: scale tickets ctp extenso paginas
# e.g. fuzz/run.sh paginas -runs=10000000     fuzz/run.sh ctp -max_total_time=600
set -euo pipefail
alvo=${1:?"uso: fuzz/run.sh <scale|tickets|ctp|extenso|paginas> [opções do libFuzzer]"}
shift
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VIGA_FUZZ_BUILD:-$root/build-fuzz}
case $alvo in
  scale) corpus=$root/fuzz/scale/corpus; maxlen=64 ;;
  tickets) corpus=$root/fuzz/tickets/corpus; maxlen=200 ;;
  ctp) corpus=$root/fuzz/tickets/corpus-ctp; maxlen=4096 ;;
  extenso) corpus=$root/fuzz/tickets/corpus-extenso; maxlen=64 ;;
  paginas) corpus=$root/fuzz/engine/corpus; maxlen=128 ;;
  *) echo "alvo desconhecido: $alvo" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVIGA_FUZZ=ON -DVIGA_SANITIZE=ON -DVIGA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" --target "${alvo}_fuzzer"
mkdir -p "$root/fuzz/artifacts/$alvo" "$build/corpus-$alvo"
# Allocation stacks are not kept: the system's Qt has no frame pointers, so
# every allocation's fast-unwound stack is unique and the sanitizer's stack
# store grows without end (1 GB and a quarter of the speed after 3 million
# runs). A finding is replayed with the full stacks: <fuzzer> <artifact>.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
binario=$(find "$build/fuzz" -name "${alvo}_fuzzer" -type f -perm -u+x | head -1)
"$binario" -max_len="$maxlen" -artifact_prefix="$root/fuzz/artifacts/$alvo/" "$@" \
  "$build/corpus-$alvo" "$corpus"
