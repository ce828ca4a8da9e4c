#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts VIGA on the demo data folder (created once) with the scale simulator
# on a pseudo-terminal mapped to COM1.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
demo=${VIGA_DEMO:-$root/demo}

"$build/tools/demo/viga-demo" "$demo"

sim_pid=""
[ -f "$demo/viga.ini" ] && sed -i '/^COM1=/d' "$demo/viga.ini"
if [ -x "$build/tools/scale-sim/viga-scale-sim" ]; then
  "$build/tools/scale-sim/viga-scale-sim" --ini "$demo/viga.ini" --com 1 >"$demo/scale-sim.log" 2>&1 &
  sim_pid=$!
  trap '[ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true' EXIT INT TERM
  # wait until the simulator has written its pseudo-terminal into viga.ini
  for _ in $(seq 50); do
    grep -q '^COM1=' "$demo/viga.ini" 2>/dev/null && break
    sleep 0.1
  done
  echo "Balança simulada em $(head -1 "$demo/scale-sim.log") (COM1)"
fi

echo "VIGA: dados em $demo; primeiro acesso: login ADMIN, senha ADMIN"
VIGA_HOME="$demo" "$build/src/app/viga"
