#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Throwaway PostgreSQL cluster for the tests.
#   pg.sh start DIR   -> prints "PORT" after the server accepts connections
#   pg.sh stop DIR
#   pg.sh halt DIR / pg.sh resume DIR -> stops the server keeping its data, starts it again on its port
# The server runs as the 'postgres' system user when started by root
# (PostgreSQL refuses to run as root).
set -euo pipefail
cmd=$1; dir=$2
bindir=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_pg() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case "$cmd" in
start)
  mkdir -p "$dir"
  if [ "$(id -u)" -eq 0 ]; then chown postgres "$dir"; chmod 700 "$dir"; fi
  as_pg "$bindir/initdb" -D "$dir/data" -U viga --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()')
  as_pg "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=60" start >/dev/null
  echo "$port" >"$dir/port"
  echo "$port"
  ;;
halt)
  as_pg "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
  ;;
resume)
  port=$(cat "$dir/port")
  as_pg "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=60" start >/dev/null
  ;;
stop)
  if [ -d "$dir/data" ]; then
    as_pg "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  ;;
esac
