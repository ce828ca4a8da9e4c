#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every test: starts a throwaway PostgreSQL cluster for the database
# tests, runs ctest, stops the cluster whatever the outcome.
set -euo pipefail
build=${1:-build-test}
root=$(cd "$(dirname "$0")/.." && pwd)
pgdir=$(mktemp -d /tmp/viga-pg.XXXXXX)
cupsdir=$(mktemp -d /tmp/viga-cups.XXXXXX)
trap 'bash "$root/scripts/pg.sh" stop "$pgdir"; bash "$root/scripts/cups.sh" stop "$cupsdir"' EXIT
port=$(bash "$root/scripts/pg.sh" start "$pgdir")
export VIGA_TEST_PGHOST=127.0.0.1 VIGA_TEST_PGPORT=$port VIGA_TEST_PGUSER=viga
echo "PostgreSQL for the tests on port $port"
# A private CUPS server whose default queue keeps the raw jobs it receives; the
# tests that need it skip when it could not start.
if cups=$(bash "$root/scripts/cups.sh" start "$cupsdir"); then
  export CUPS_SERVER=$cups VIGA_TEST_CUPS_SERVER=$cups VIGA_TEST_CUPS_JOBS=$cupsdir/jobs VIGA_TEST_CUPS_QUEUE=viga-teste
  echo "CUPS for the tests at $cups"
else
  echo "CUPS for the tests not started: the raw-job tests will skip"
fi
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
