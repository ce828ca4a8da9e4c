#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the synthetic evaluation set of the plate reader in PASTA (default
# placas/ in the build folder): ajuste/ for tuning and reserva/ (held out:
# measure on it, never tune on it), from one seed, the same pictures every
# time on the same fonts.
#   scripts/gera-placas.sh [PASTA] [SEMENTE] [QUANTIDADE_RESERVA]
# Needs a build with tools (viga-gera-placas): BUILD=dir, default build-rel.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-rel}
PASTA=${1:-$BUILD/placas}
SEMENTE=${2:-1}
RESERVA=${3:-1000}
gerador="$BUILD/tools/placas/viga-gera-placas"
if [ ! -x "$gerador" ]; then
  echo "gera-placas: $gerador não existe (cmake --build $BUILD --target viga-gera-placas)" >&2
  exit 2
fi
export QT_QPA_PLATFORM=offscreen
# Two seeds drawn apart: no picture of one part is a picture of the other.
"$gerador" "$PASTA/ajuste" --semente "$SEMENTE" --quantidade 300
"$gerador" "$PASTA/reserva" --semente "$((SEMENTE + 1000003))" --quantidade "$RESERVA"
echo "gera-placas: $(ls "$PASTA/ajuste" | wc -l) fotos em $PASTA/ajuste, $(ls "$PASTA/reserva" | wc -l) em $PASTA/reserva"
