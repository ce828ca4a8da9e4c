#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The C++ sources in the layout of .clang-format.
#   scripts/format.sh           rewrites the files that differ
#   scripts/format.sh --check   lists the files that differ; exit 1 if any
# Files: the .cpp and .h files git tracks (plus new ones it does not ignore).
set -euo pipefail
cd "$(dirname "$0")/.."
modo=${1:-}
case "$modo" in
--check | "") ;;
*)
  echo "uso: scripts/format.sh [--check]" >&2
  exit 2
  ;;
esac
command -v clang-format >/dev/null || {
  echo "clang-format não encontrado (scripts/deps.sh o instala)" >&2
  exit 2
}
mapfile -d '' arquivos < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')
if [ -z "$modo" ]; then
  clang-format -i -- "${arquivos[@]}"
  exit 0
fi
diferem=()
for f in "${arquivos[@]}"; do
  clang-format --dry-run -Werror -- "$f" >/dev/null 2>&1 || diferem+=("$f")
done
if [ ${#diferem[@]} -gt 0 ]; then
  echo "Fora do formato de .clang-format (scripts/format.sh os corrige):" >&2
  printf '  %s\n' "${diferem[@]}" >&2
  echo "${#diferem[@]} arquivo(s)" >&2
  exit 1
fi
