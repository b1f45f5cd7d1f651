#!/usr/bin/env bash
# Starts or stops the PostgreSQL server that the server-engine tests share: one per test run, made
# with initdb in a temporary folder and listening only on a Unix socket there. PostgreSQL refuses
# to run as root, so a root run (CI) runs it as the unprivileged user postgres. The role
# wk_password signs in with the password "right password"; the others need none. wk_viewer is
# given only reading rights by the tests that use it.
#   server.sh start STATE   starts it and writes its socket folder into the file STATE
#   server.sh stop STATE    stops it and removes its folder
#   server.sh pause STATE   stops it, keeping its folder (a server switched off a while)
#   server.sh resume STATE  starts it again as it was
# A test of encrypted connections starts a server of its own the same way, which also listens on
# 127.0.0.1:PORT and takes only TLS connections there. Its certificate (for the name and address
# 127.0.0.1) is signed by a certificate authority made for it, whose certificate is tls/ca.crt in
# the socket folder:
#   server.sh start STATE --tls PORT
set -euo pipefail
action=$1
state=$2
tls_port=
if [ "${3:-}" = --tls ]; then
  tls_port=${4:?"usage: server.sh start STATE --tls PORT"}
fi
bindir=$(pg_config --bindir)
as_server=()
if [ "$(id -u)" = 0 ]; then
  as_server=(runuser -u postgres --)
fi

# A certificate authority and a server certificate signed by it, in $1/tls; the server's key is
# the server user's alone, as PostgreSQL demands.
make_certificates() {
  local tls=$1/tls
  mkdir "$tls"
  printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\n' >"$tls/server.ext"
  {
    openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 \
      -subj "/CN=Wanderkeep test authority" -keyout "$tls/ca.key" -out "$tls/ca.crt" &&
      openssl req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -subj "/CN=127.0.0.1" \
        -keyout "$tls/server.key" -out "$tls/server.csr" &&
      openssl x509 -req -in "$tls/server.csr" -CA "$tls/ca.crt" -CAkey "$tls/ca.key" -CAcreateserial \
        -days 2 -extfile "$tls/server.ext" -out "$tls/server.crt"
  } >"$tls/openssl.log" 2>&1 || { cat "$tls/openssl.log" >&2; exit 1; }
  chmod 600 "$tls/server.key"
  chmod 644 "$tls/ca.crt" "$tls/server.crt"
  if [ "$(id -u)" = 0 ]; then
    chown postgres: "$tls/server.key" "$tls/server.crt"
  fi
}

# Starts the server in folder $1 with the options it was made with.
run_server() {
  "${as_server[@]}" "$bindir/pg_ctl" -D "$1/data" -l "$1/server.log" -w -o "$(cat "$1/options")" start >/dev/null ||
    { cat "$1/server.log" >&2; exit 1; }
}

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
  options="-c listen_addresses='' -k $dir -c fsync=off"
  client="postgresql:///postgres?host=$dir&user=wk"
  {
    echo "local all wk_password scram-sha-256"
    if [ -n "$tls_port" ]; then
      echo "hostnossl all all all reject"
    fi
    cat "$hba"
  } >"$hba.new"
  "${as_server[@]}" cp "$hba.new" "$hba"
  rm "$hba.new"
  if [ -n "$tls_port" ]; then
    make_certificates "$dir"
    options="-c listen_addresses=127.0.0.1 -p $tls_port -k $dir -c fsync=off -c ssl=on"
    options+=" -c ssl_cert_file=$dir/tls/server.crt -c ssl_key_file=$dir/tls/server.key"
    client+="&port=$tls_port"
  fi
  echo "$options" >"$dir/options"
  run_server "$dir"
  "$bindir/psql" -qX "$client" \
    -c "CREATE ROLE wk_password LOGIN PASSWORD 'right password'" -c "CREATE ROLE wk_viewer LOGIN" >/dev/null
  echo "$dir" >"$state"
  ;;
stop)
  stop
  ;;
pause)
  "${as_server[@]}" "$bindir/pg_ctl" -D "$(cat "$state")/data" -m fast -w stop >/dev/null
  ;;
resume)
  run_server "$(cat "$state")"
  ;;
*)
  echo "usage: server.sh start|stop|pause|resume STATE [--tls PORT]" >&2
  exit 2
  ;;
esac
