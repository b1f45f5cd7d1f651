#!/usr/bin/env bash
# Starts or stops the PostgreSQL server that the server-engine tests share: one per test run, made
# with initdb in a temporary folder and listening only on a Unix socket there. PostgreSQL refuses
# to run as root, so a root run (CI) runs it as the unprivileged user postgres. The role
# wk_password signs in with the password "right password"; the others need none. wk_viewer is
# given only reading rights by the tests that use it.
#   server.sh start STATE   starts it and writes its socket folder into the file STATE
#   server.sh stop STATE    stops it and removes its folder
set -euo pipefail
action=$1
state=$2
bindir=$(pg_config --bindir)
as_server=()
if [ "$(id -u)" = 0 ]; then
  as_server=(runuser -u postgres --)
fi

stop() {
  [ -f "$state" ] || return 0
  local dir
  dir=$(cat "$state")
  "${as_server[@]}" "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$dir" "$state"
}

case $action in
start)
  stop # what a run killed before its stop left
  dir=$(mktemp -d /tmp/wk-postgres.XXXXXX)
  chmod 755 "$dir"
  if [ "$(id -u)" = 0 ]; then
    chown postgres: "$dir"
  fi
  "${as_server[@]}" "$bindir/initdb" -D "$dir/data" -U wk -A trust -E UTF8 --locale=C.UTF-8 --no-sync >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
  # One role signs in with a password (the tests of a wrong one); every other one is trusted.
  hba="$dir/data/pg_hba.conf"
  { echo "local all wk_password scram-sha-256"; cat "$hba"; } >"$hba.new"
  "${as_server[@]}" cp "$hba.new" "$hba"
  rm "$hba.new"
  "${as_server[@]}" "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
    -o "-c listen_addresses='' -k $dir -c fsync=off" start >/dev/null ||
    { cat "$dir/server.log" >&2; exit 1; }
  "$bindir/psql" -qX "postgresql:///postgres?host=$dir&user=wk" \
    -c "CREATE ROLE wk_password LOGIN PASSWORD 'right password'" -c "CREATE ROLE wk_viewer LOGIN" >/dev/null
  echo "$dir" >"$state"
  ;;
stop)
  stop
  ;;
*)
  echo "usage: server.sh start|stop STATE" >&2
  exit 2
  ;;
esac
