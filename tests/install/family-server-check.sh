#!/usr/bin/env bash
# Sets up a scratch PostgreSQL cluster with scripts/family-server.sh, twice, and checks what the
# family relies on: a second run changes nothing, only encrypted connections from the networks
# named come in, the viewer cannot write, and the addresses printed open a scrapbook in the program.
#   family-server-check.sh SCRIPT WANDERKEEP WANDERKEEP_SAMPLE
# Exits 77 (skipped) when not run as root or without Debian's PostgreSQL cluster tools.
set -euo pipefail

script=$1 program=$2 sample=$3
version=15
if ((EUID != 0)) || ! command -v pg_createcluster >/dev/null || [[ ! -d /usr/lib/postgresql/$version ]]; then
  echo "SKIP: needs root, pg_createcluster and PostgreSQL $version"
  exit 77
fi
cd /
name=wkcheck_$$_$RANDOM
config=/etc/postgresql/$version/$name
scratch=$(mktemp -d)
family_password="fam'ly \\ word" viewer_password="kids: only look"

cleanup() {
  local status=$?
  pg_dropcluster --stop "$version" "$name" >/dev/null 2>&1 || true
  rm -rf "$config" "$scratch" # pg_dropcluster keeps the files the script added
  if pg_lsclusters -h | grep -q " $name " || [[ -e /var/lib/postgresql/$version/$name ]]; then
    echo "FAIL: the scratch cluster $name was left behind" >&2
    status=1
  fi
  exit "$status"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

free_port() {
  local port
  for _ in {1..50}; do
    port=$((20000 + RANDOM % 20000))
    pg_lsclusters -h | awk '{ print $3 }' | grep -qx "$port" && continue
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
    echo "$port"
    return
  done
  fail "no free TCP port found"
}

port=$(free_port)
pg_createcluster "$version" "$name" -p "$port" >"$scratch/create.log" 2>&1 ||
  fail "pg_createcluster: $(cat "$scratch/create.log")"
touch "$scratch/created"
export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/run TMPDIR=$scratch/tmp QT_QPA_PLATFORM=offscreen
mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR" "$TMPDIR"

setup() {
  WANDERKEEP_FAMILY_PASSWORD=$family_password WANDERKEEP_VIEWER_PASSWORD=$viewer_password \
    bash "$script" --cluster "$version/$name" --networks 127.0.0.0/8 --yes "$@" 2>&1
}
as_owner() { runuser -u postgres -- psql --cluster "$version/$name" -XAtq -d family -c "$1"; }
# What a second run must leave as it is: every file of the cluster's settings, and the server's
# start and the last time it read its settings.
state() {
  find "$config" -type f -printf '%P %m %u %T@\n' -exec sha256sum {} \; | sort
  as_owner "SELECT pg_postmaster_start_time(), pg_conf_load_time()"
}

# Two runs; the second, and runs that must be refused, change nothing.
first=$(setup) || fail "the first run failed: $first"
before=$(state)
second=$(setup) || fail "the second run failed: $second"
grep -q "nothing was changed" <<<"$second" || fail "the second run does not say it changed nothing: $second"
refused=$(setup --networks 127.0.0.0/8,8.8.8.0/24) && fail "a public network was taken"
grep -q "8.8.8.0/24 is not a home network" <<<"$refused" || fail "unclear refusal of a public network: $refused"
refused=$(runuser -u nobody -- bash -s -- --yes <"$script" 2>&1) && fail "a run as another user than root went on"
grep -q "must be run as root" <<<"$refused" || fail "unclear refusal without root: $refused"
after=$(state)
[[ $after == "$before" ]] || fail "the setup changed after the first run: $(diff <(echo "$before") <(echo "$after"))"
changed=$(cd "$config" && find . -type f -newer "$scratch/created" | LC_ALL=C sort | xargs)
[[ $changed == "./conf.d/wanderkeep.conf ./pg_hba.conf ./wanderkeep-server.crt ./wanderkeep-server.key" ]] ||
  fail "the script changed other files than its own, or left some behind: $changed"
[[ -z $(ls -A "$TMPDIR") && $(stat -c '%a %U' "$config/wanderkeep-server.key") == "600 postgres" ]] ||
  fail "temporary files left, or the key readable by others than the server"
for password in "$family_password" "$viewer_password"; do
  ! grep -qF -- "$password" - "/var/log/postgresql/postgresql-$version-$name.log" <<<"$first$second" ||
    fail "a password shows in the output or the server's log"
done

# Encryption, the home network only, passwords as scram-sha-256 hashes.
family=$(grep -o 'postgresql://family@[^ ]*' <<<"$second") || fail "no family address printed: $second"
viewer=$(grep -o 'postgresql://viewer@[^ ]*' <<<"$second") || fail "no viewer address printed: $second"
[[ $family == "postgresql://family@$(hostname):$port/family?sslmode=require" ]] || fail "family address: $family"
escaped() {
  local text=${1//\\/\\\\}
  echo "${text//:/\\:}"
}
printf '*:%s:family:%s:%s\n' "$port" family "$(escaped "$family_password")" "$port" viewer \
  "$(escaped "$viewer_password")" >"$scratch/pgpass"
chmod 600 "$scratch/pgpass"
export PGPASSFILE=$scratch/pgpass
here() { echo "$1&hostaddr=127.0.0.1"; } # the host name printed, reached over the loopback network
[[ $(as_owner "SHOW ssl") == on ]] || fail "TLS is off"
[[ $(psql "$(here "$family")" -XAtc "SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()") == t ]] ||
  fail "a sslmode=require connection is not encrypted"
refused=$(psql "$(here "${family/sslmode=require/sslmode=disable}")" -XAtc "SELECT 1" 2>&1) &&
  fail "an unencrypted connection came in"
grep -q "pg_hba.conf rejects connection" <<<"$refused" || fail "unencrypted connection: $refused"
rules=$(as_owner "SELECT type, address, netmask, auth_method FROM pg_hba_file_rules
  WHERE 'viewer' = ANY(user_name) OR 'family' = ANY(database) ORDER BY line_number" | xargs)
[[ $rules == "hostnossl|all||reject hostssl|127.0.0.0|255.0.0.0|scram-sha-256" ]] || fail "pg_hba.conf rules: $rules"
[[ $(as_owner "SELECT count(*) FROM pg_authid WHERE rolname IN ('family', 'viewer')
  AND rolpassword LIKE 'SCRAM-SHA-256\$%'") == 2 ]] || fail "passwords not stored as scram-sha-256"

# The scrapbook made through the program as family, then opened with the addresses printed: both
# accounts, and the family's checking the server's certificate as the printed hint says.
"$sample" "$scratch/sample" >/dev/null
copied=$("$program" --copy "$scratch/sample" "$(here "$family")" 2>&1) || fail "--copy as family: $copied"
mkdir "$HOME/.postgresql"
cp "$(grep -o '/etc/postgresql/[^ ]*\.crt' <<<"$second")" "$HOME/.postgresql/root.crt"
for address in "$family" "$viewer" "${family/sslmode=require/sslmode=verify-full}"; do
  found=$("$program" --search grandma "$(here "$address")" 2>&1) || fail "--search on $address: $found"
  grep -q $'\tEaster at Grandma\t' <<<"$found" || fail "--search on $address found: $found"
done
entries=$(as_owner "SELECT quote_ident(tablename) FROM pg_tables WHERE lower(tablename) = 'mylife'")
for change in "DELETE FROM $entries" 'CREATE TABLE kept (x int)'; do
  refused=$(psql "$(here "$viewer")" -XAtc "$change" 2>&1) && fail "the viewer could: $change"
  grep -q "permission denied" <<<"$refused" || fail "viewer, $change: $refused"
done
echo "PASS"
