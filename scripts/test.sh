#!/usr/bin/env bash
# Runs every test: starts a throwaway PostgreSQL cluster for the database
# tests, runs ctest, stops the cluster whatever the outcome.
set -euo pipefail
build=${1:-build-test}
root=$(cd "$(dirname "$0")/.." && pwd)
pgdir=$(mktemp -d /tmp/viga-pg.XXXXXX)
trap 'bash "$root/scripts/pg.sh" stop "$pgdir"' EXIT
port=$(bash "$root/scripts/pg.sh" start "$pgdir")
export VIGA_TEST_PGHOST=127.0.0.1 VIGA_TEST_PGPORT=$port VIGA_TEST_PGUSER=viga
echo "PostgreSQL for the tests on port $port"
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
