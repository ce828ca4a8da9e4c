#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Private CUPS server for the tests, with one raw queue "viga-teste" (the default)
# on socket://127.0.0.1:<port>, whose listener keeps each job in DIR/jobs.
#   cups.sh start DIR  -> prints "SERVER" (127.0.0.1:port) once the queue accepts jobs
#   cups.sh stop DIR
set -euo pipefail
cmd=$1; dir=$2
root=$(cd "$(dirname "$0")/.." && pwd)
livre() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1]); s.close()'; }
case "$cmd" in
start)
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null || { echo "cups not installed" >&2; exit 1; }
  [ -x /usr/lib/cups/backend/socket ] || { echo "cups socket backend missing" >&2; exit 1; }
  mkdir -p "$dir"/{etc,spool,tmp,cache,run,log,jobs}
  chmod 755 "$dir" "$dir/jobs"
  python3 "$root/scripts/cups-ouvinte.py" "$dir/jobs" >"$dir/ouvinte.port" 2>"$dir/ouvinte.log" &
  echo $! >"$dir/ouvinte.pid"
  for _ in $(seq 50); do [ -s "$dir/ouvinte.port" ] && break; sleep 0.1; done
  lport=$(head -1 "$dir/ouvinte.port")
  port=$(livre)
  cat >"$dir/etc/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/run
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
Sandboxing relaxed
CONF
  echo "Address @LOCAL" >"$dir/etc/snmp.conf"
  /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  export CUPS_SERVER=127.0.0.1:$port
  for _ in $(seq 100); do lpstat -r >/dev/null 2>&1 && break; sleep 0.1; done
  lpadmin -p viga-teste -E -v "socket://127.0.0.1:$lport" -m raw >/dev/null 2>&1 ||
    lpadmin -p viga-teste -E -v "socket://127.0.0.1:$lport" >/dev/null
  lpadmin -d viga-teste >/dev/null
  echo "$CUPS_SERVER"
  ;;
stop)
  for p in cupsd ouvinte; do
    if [ -s "$dir/$p.pid" ]; then kill "$(cat "$dir/$p.pid")" 2>/dev/null || true; fi
  done
  sleep 0.2
  rm -rf "$dir"
  ;;
esac
