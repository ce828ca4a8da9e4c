#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The licence line at the top of every source file of the project.
#   scripts/spdx.sh           adds the line to each source file that lacks it
#   scripts/spdx.sh --check   lists the files that lack it; exit 1 if any
# Source files: C and C++ (// form); CMake, shell, Python, the Makefile and
# scripts started by a shell or Python interpreter line (# form, after that
# line). Files are those git tracks plus new ones it does not ignore, or every
# file outside .git and build folders when this is not a git checkout. The
# fuzz corpora (fuzz/*/corpus*/) are data, not source, and are not read.
# Running it twice changes nothing the second time.
set -euo pipefail
LINHA='SPDX-License-Identifier: GPL-3.0-or-later'
raiz=$(cd "$(dirname "$0")/.." && pwd)
cd "$raiz"

modo=adiciona
case "${1:-}" in
--check) modo=confere ;;
"") ;;
*)
  echo "uso: scripts/spdx.sh [--check]" >&2
  exit 2
  ;;
esac

arquivos() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard -- . ':(exclude,glob)fuzz/*/corpus*/**'
  else
    find . \( -name .git -o -name 'build*' -o -path './fuzz/*/corpus*' \) -prune -o -type f -printf '%P\0'
  fi
}

interpretador='^#!.*[/ ](sh|bash|dash|python3?)([[:space:]]|$)'

# The comment form of a file ("//" or "#"), or nothing when it is not source.
forma() {
  case "$1" in
  *.cpp | *.cc | *.cxx | *.c | *.h | *.hpp) echo '//' ;;
  CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.py | Makefile | */Makefile) echo '#' ;;
  *)
    if head -n1 -- "$1" 2>/dev/null | grep -Eq "$interpretador"; then
      echo '#'
    fi
    ;;
  esac
}

# The line counts when it stands in the first lines, as a comment of the file's own form.
tem_linha() {
  head -n 3 -- "$1" | grep -Eq "^(//|#) ?$LINHA\$"
}

faltam=()
while IFS= read -r -d '' f; do
  [ -f "$f" ] && [ ! -L "$f" ] || continue
  c=$(forma "$f")
  [ -n "$c" ] || continue
  tem_linha "$f" && continue
  if [ "$modo" = confere ]; then
    faltam+=("$f")
    continue
  fi
  tmp=$(mktemp "$f.spdx.XXXXXX")
  primeira=
  IFS= read -r primeira <"$f" || true
  if [[ $primeira == '#!'* ]]; then
    { printf '%s\n%s %s\n' "$primeira" "$c" "$LINHA"; tail -n +2 -- "$f"; } >"$tmp"
  else
    { echo "$c $LINHA"; cat -- "$f"; } >"$tmp"
  fi
  chmod --reference="$f" "$tmp"
  mv -- "$tmp" "$f"
  echo "$f"
done < <(arquivos | sort -z)

if [ "$modo" = confere ] && [ ${#faltam[@]} -gt 0 ]; then
  echo "Sem a linha '$LINHA' (scripts/spdx.sh a acrescenta):" >&2
  printf '  %s\n' "${faltam[@]}" >&2
  echo "${#faltam[@]} arquivo(s)" >&2
  exit 1
fi
