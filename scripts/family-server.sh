#!/usr/bin/env bash
# Makes a Debian computer the family's scrapbook server: PostgreSQL with a scrapbook database, an
# account that reads and changes it (family) and one that only reads it (viewer, the children's),
# reached only from the home network and only encrypted. Run it with sudo, and again at any time:
# what is set up already is left as it is. --help lists the options.
set -euo pipefail

program=$(basename "$0")
cluster=15/main
database=family
networks=
host=
yes=false
# The accounts' passwords, empty for one not given.
declare -A passwords=([family]=${WANDERKEEP_FAMILY_PASSWORD:-} [viewer]=${WANDERKEEP_VIEWER_PASSWORD:-})
# Every line this script puts into pg_hba.conf ends with this, so a later run finds its own lines.
marker='# wanderkeep-family-server'
# The private and loopback IPv4 blocks a home network's range must lie in.
home_blocks=(10.0.0.0/8 172.16.0.0/12 192.168.0.0/16 127.0.0.0/8)

usage() {
  cat <<EOF
Usage: sudo bash $0 [OPTION...]

Makes this computer the family's Wanderkeep server. It installs PostgreSQL when it is missing,
makes the scrapbook database and two accounts on it: "family", which sees and changes the
scrapbook, and "viewer", the children's, which only sees it. It turns on encryption with a
certificate of its own, lets in only the home network, and at the end prints the address each
computer opens. Run again, it changes only what is not set up yet, and says so.

  --cluster VERSION/NAME   the PostgreSQL cluster to set up (default 15/main; pg_lsclusters
                           lists them)
  --database NAME          the scrapbook's database (default family; lower-case letters, digits
                           and _)
  --networks LIST          the home networks let in, separated by commas, such as
                           192.168.1.0/24,10.0.0.0/8; only private and loopback ranges are taken
                           (without it: asks, offering this computer's own private networks)
  --host NAME              the name the family's computers reach this server by, written into the
                           addresses printed and into the certificate (default: the host name,
                           $(hostname))
  --family-password TEXT   the family account's password
  --viewer-password TEXT   the viewer account's password
  --yes                    answer yes to every question (for scripts)
  -h, --help               show this help

Passwords: without the options they are taken from the environment variables
WANDERKEEP_FAMILY_PASSWORD and WANDERKEEP_VIEWER_PASSWORD, else asked for (twice, not shown)
when the account is new. An account that exists keeps its password unless a new one is given.
Other users of this computer can see a command line while it runs, but not the environment;
sudo passes the variables on with
  sudo --preserve-env=WANDERKEEP_FAMILY_PASSWORD,WANDERKEEP_VIEWER_PASSWORD bash $0
Passwords are stored only as scram-sha-256 hashes and never printed.
EOF
}

say() { printf '%s\n' "$*"; }

fail() {
  printf '%s: %s\n' "$program" "$*" >&2
  exit 1
}

wrong_usage() {
  printf '%s: %s (--help lists the options)\n' "$program" "$*" >&2
  exit 2
}

# Asks a question whose answer, when only Enter is pressed, is yes; --yes answers it.
confirm() {
  if $yes; then
    say "$1 Yes (--yes)."
    return 0
  fi
  [[ -t 0 ]] || fail "$1 There is no one to answer here: run it in a terminal, or add --yes."
  local answer
  read -r -p "$1 [Y/n] " answer
  [[ -z $answer || $answer == [yY]* ]]
}

# Reads a new password for account $1 twice, without showing it.
ask_password() {
  local variable=WANDERKEEP_${1^^}_PASSWORD first second
  [[ -t 0 ]] || fail "The $1 account is new and needs a password: give --$1-password or set $variable."
  while true; do
    read -r -s -p "New password for the $1 account: " first
    echo
    read -r -s -p "The same password again: " second
    echo
    if [[ -z $first ]]; then
      say "A password cannot be empty."
    elif [[ $first != "$second" ]]; then
      say "The two passwords differ; once more."
    else
      break
    fi
  done
  passwords[$1]=$first
}

# Prints RANGE the way pg_hba.conf takes it (an IPv4 range with its host bits cleared, a bare
# address as a range of one) when it is a private or loopback range; fails for any other.
home_range() {
  local address=${1%/*} bits=
  if [[ $1 == */* ]]; then bits=${1##*/}; fi
  if [[ $address == *:* ]]; then # IPv6: the loopback address or unique local addresses (fc00::/7)
    [[ -n $bits ]] || bits=128
    [[ $bits =~ ^[0-9]{1,3}$ ]] && ((10#$bits <= 128)) || return 1
    if [[ $address == ::1 ]]; then
      ((10#$bits == 128)) || return 1
    else
      [[ $address =~ ^[fF][cCdD][0-9a-fA-F]{2}(:[0-9a-fA-F]{0,4}){1,7}$ ]] && ((10#$bits >= 7)) || return 1
    fi
    printf '%s/%d\n' "${address,,}" "$((10#$bits))"
    return 0
  fi
  local number
  number=$(ipv4_number "$address") || return 1
  [[ -n $bits ]] || bits=32
  [[ $bits =~ ^[0-9]{1,2}$ ]] && ((10#$bits <= 32)) || return 1
  bits=$((10#$bits))
  number=$((number & (0xffffffff << (32 - bits)) & 0xffffffff))
  local block base size
  for block in "${home_blocks[@]}"; do
    base=$(ipv4_number "${block%/*}")
    size=${block#*/}
    if ((bits >= size && (number >> (32 - size)) == (base >> (32 - size)))); then
      printf '%d.%d.%d.%d/%d\n' $((number >> 24)) $((number >> 16 & 255)) $((number >> 8 & 255)) \
        $((number & 255)) "$bits"
      return 0
    fi
  done
  return 1
}

ipv4_number() {
  [[ $1 =~ ^([0-9]{1,3})\.([0-9]{1,3})\.([0-9]{1,3})\.([0-9]{1,3})$ ]] || return 1
  local number=0 part
  for part in "${BASH_REMATCH[@]:1}"; do
    ((10#$part <= 255)) || return 1
    number=$((number << 8 | 10#$part))
  done
  echo "$number"
}

# The ranges in the comma-separated list $1, each as home_range prints it; stops at the first that
# is not a home network's.
read_ranges() {
  local range normal list
  ranges=()
  IFS=', ' read -ra list <<<"$1"
  for range in "${list[@]}"; do
    normal=$(home_range "$range") ||
      fail "$range is not a home network's range: only private ranges (10.0.0.0/8, 172.16.0.0/12, 192.168.0.0/16, fc00::/7) and loopback (127.0.0.0/8, ::1) are let in."
    [[ " ${ranges[*]} " == *" $normal "* ]] || ranges+=("$normal")
  done
  ((${#ranges[@]})) || fail "No home network was named."
}

# This computer's own private IPv4 networks, such as 192.168.1.0/24.
own_networks() {
  local cidr
  ip -o -4 addr show scope global 2>/dev/null | awk '{ print $4 }' | while read -r cidr; do
    home_range "$cidr" || true
  done | sort -u | paste -sd, -
}

# psql as the cluster's owner, in database $1, with the remaining arguments.
sql() {
  local db=$1
  shift
  runuser -u "$owner" -- psql --cluster "$cluster" -X -q -At -v ON_ERROR_STOP=1 -d "$db" "$@"
}

# Writes the text $3 (and a final newline) into the file $1 with mode $2, owned by the cluster's
# owner, unless it holds exactly that already. Succeeds only when it wrote.
write_if_changed() {
  if [[ -f $1 ]] && printf '%s\n' "$3" | cmp -s - "$1"; then
    return 1
  fi
  local new
  new=$(mktemp "$1.XXXXXX")
  printf '%s\n' "$3" >"$new"
  chown "$owner:" "$new"
  chmod "$2" "$new"
  mv -f "$new" "$1"
}

# Whether the certificate is there with its key, names every name and address in $wanted, and
# stays valid for 30 days more.
certificate_fits() {
  [[ -f $certificate && -f $key ]] || return 1
  openssl x509 -in "$certificate" -noout -checkend $((30 * 86400)) >/dev/null 2>&1 || return 1
  local name check
  for name in "${wanted[@]}"; do
    check=-checkhost
    [[ $name =~ ^[0-9.]+$ || $name == *:* ]] && check=-checkip
    openssl x509 -in "$certificate" -noout "$check" "$name" 2>/dev/null | grep -q ' does match ' || return 1
  done
}

# A self-signed certificate for the names and addresses in $wanted, and its key, readable only by
# the server.
make_certificate() {
  local config names=() name
  for name in "${wanted[@]}"; do
    if [[ $name =~ ^[0-9.]+$ || $name == *:* ]]; then names+=("IP:$name"); else names+=("DNS:$name"); fi
  done
  config=$(mktemp)
  cat >"$config" <<EOF
[req]
distinguished_name = subject
x509_extensions = server
prompt = no
[subject]
CN = $host
[server]
basicConstraints = critical, CA:TRUE
subjectKeyIdentifier = hash
subjectAltName = $(IFS=,; echo "${names[*]}")
EOF
  local log
  log=$(umask 077 && openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 3650 \
    -config "$config" -keyout "$key.new" -out "$certificate.new" 2>&1) || {
    rm -f "$config" "$key.new" "$certificate.new"
    fail "openssl could not make the certificate: $log"
  }
  rm -f "$config"
  chown "$owner:" "$key.new" "$certificate.new"
  chmod 600 "$key.new"
  chmod 644 "$certificate.new"
  mv -f "$key.new" "$key"
  mv -f "$certificate.new" "$certificate"
}

# Sets the password of role $1 to $2. It goes to the server on standard input, never on a command
# line, and the session logs no statement, so the password is in no log.
set_password() {
  local quoted=${2//\'/\'\'}
  printf "SET log_statement = 'none'; SET log_min_error_statement = 'panic'; SET log_min_duration_statement = -1;
SET standard_conforming_strings = on; SET password_encryption = 'scram-sha-256';
ALTER ROLE %s PASSWORD '%s';\n" "$1" "$quoted" | sql postgres >/dev/null 2>&1 ||
    fail "Could not set the password of the $1 account."
}

# What the viewer may do in the database, as text: it changes only when the rights change.
rights() {
  sql "$database" -c "SELECT concat_ws(' | ',
    (SELECT datacl::text FROM pg_database WHERE datname = current_database()),
    (SELECT nspacl::text FROM pg_namespace WHERE nspname = 'public'),
    (SELECT string_agg(defaclacl::text, ',' ORDER BY oid) FROM pg_default_acl),
    (SELECT string_agg(relacl::text, ',' ORDER BY oid) FROM pg_class WHERE relnamespace = 'public'::regnamespace))"
}

while (($#)); do
  option=$1
  value=
  case $option in
    --*=*)
      value=${option#*=}
      option=${option%%=*}
      ;;
    --cluster | --database | --networks | --host | --family-password | --viewer-password)
      (($# >= 2)) || wrong_usage "$option needs a value"
      value=$2
      shift
      ;;
  esac
  case $option in
    --cluster) cluster=$value ;;
    --database) database=$value ;;
    --networks) networks=$value ;;
    --host) host=$value ;;
    --family-password) passwords[family]=$value ;;
    --viewer-password) passwords[viewer]=$value ;;
    --yes) yes=true ;;
    -h | --help)
      usage
      exit 0
      ;;
    *) wrong_usage "unknown option $option" ;;
  esac
  shift
done

[[ $cluster =~ ^([0-9]+)/([A-Za-z0-9_.-]+)$ ]] || wrong_usage "--cluster takes VERSION/NAME, such as 15/main"
version=${BASH_REMATCH[1]}
name=${BASH_REMATCH[2]}
[[ $database =~ ^[a-z_][a-z0-9_]{0,62}$ ]] || wrong_usage "--database takes lower-case letters, digits and _"
ranges=()
[[ -z $networks ]] || read_ranges "$networks"

if ((EUID != 0)); then
  say "$program sets up the server's PostgreSQL and must be run as root: sudo bash $0" >&2
  exit 1
fi
cd /
changes=()
passwords_set=()

# PostgreSQL itself, with the cluster Debian makes for it (15/main on Debian 12).
if ! command -v pg_ctlcluster >/dev/null || ! dpkg-query -W -f='${Status}' postgresql 2>/dev/null | grep -q 'install ok installed'; then
  confirm "PostgreSQL is not installed. Install it now (apt-get install postgresql)?" || fail "Nothing was changed."
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq postgresql
  changes+=("installed PostgreSQL")
fi
read -r _ _ port status owner _ < <(pg_lsclusters -h "$version" "$name" 2>/dev/null) ||
  fail "There is no PostgreSQL cluster $cluster (pg_lsclusters lists them; --cluster chooses one)."
if [[ $status != online* ]]; then
  say "Starting the PostgreSQL cluster $cluster"
  pg_ctlcluster "$version" "$name" start || fail "The cluster $cluster does not start; its log says why."
  changes+=("started the cluster $cluster")
fi
config_dir=/etc/postgresql/$version/$name
hba_file=$(pg_conftool -s "$version" "$name" show hba_file 2>/dev/null) || hba_file=$config_dir/pg_hba.conf
[[ -d $config_dir/conf.d && -f $hba_file ]] || fail "The cluster $cluster has no $config_dir/conf.d or $hba_file."
certificate=$config_dir/wanderkeep-server.crt
key=$config_dir/wanderkeep-server.key
host=${host:-$(hostname)}

# What is to be asked is asked before any setting changes: the passwords and the home networks.
db_owner=$(sql postgres -c "SELECT pg_get_userbyid(datdba) FROM pg_database WHERE datname = '$database'")
[[ -z $db_owner || $db_owner == family ]] ||
  fail "The database $database exists and belongs to $db_owner, not to family; choose another with --database."
for role in family viewer; do
  if [[ -z $(sql postgres -c "SELECT 1 FROM pg_roles WHERE rolname = '$role'") && -z ${passwords[$role]} ]]; then
    ask_password "$role"
  fi
done
if ((${#ranges[@]} == 0)); then
  # What a former run let in, else this computer's own private networks.
  offer=$(grep -F -- "$marker" "$hba_file" | awk '$1 == "hostssl" { print $4 }' | paste -sd, -) || true
  [[ -n $offer ]] || offer=$(own_networks)
  if [[ -n $offer ]] && confirm "Let in the computers of the home network ${offer//,/, }?"; then
    read_ranges "$offer"
  elif [[ -t 0 ]] && ! $yes; then
    read -r -p "The home networks to let in, separated by commas (such as 192.168.1.0/24): " offer
    read_ranges "$offer"
  else
    fail "No private network was found on this computer: name the home network with --networks, such as 192.168.1.0/24."
  fi
fi

# Encryption: a certificate for the server's names and addresses, made once and made again only
# when a name is missing from it or it is about to expire.
wanted=("$host")
[[ $host == "$(hostname)" ]] || wanted+=("$(hostname)")
for address in $(hostname -I 2>/dev/null); do
  [[ " ${wanted[*]} " == *" $address "* ]] || wanted+=("$address")
done
if ! certificate_fits; then
  say "Making a certificate for ${wanted[*]}"
  make_certificate
  changes+=("made the certificate $certificate")
fi

settings="# The family's scrapbook server, written by Wanderkeep's family-server.sh (a later run rewrites it).
listen_addresses = '*'
ssl = on
ssl_cert_file = '$certificate'
ssl_key_file = '$key'
password_encryption = scram-sha-256"
if write_if_changed "$config_dir/conf.d/wanderkeep.conf" 644 "$settings"; then
  changes+=("wrote $config_dir/conf.d/wanderkeep.conf")
fi
# The running server is asked rather than told on every run, so a run stopped half-way is finished
# by the next. listen_addresses takes a restart; a certificate newer than the settings the server
# read, a reload.
running=$(sql postgres -c "SELECT current_setting('listen_addresses') = '*' AND current_setting('ssl') = 'on'
  AND current_setting('ssl_cert_file') = '$certificate' AND current_setting('ssl_key_file') = '$key'
  AND current_setting('password_encryption') = 'scram-sha-256',
  extract(epoch FROM pg_conf_load_time()) < $(stat -c %.6Y "$certificate")")
if [[ $running == f* ]]; then
  say "Restarting the PostgreSQL cluster $cluster"
  pg_ctlcluster "$version" "$name" restart || fail "The cluster $cluster does not start again; its log says why."
  changes+=("restarted the cluster $cluster")
elif [[ $running == *t ]]; then
  pg_ctlcluster "$version" "$name" reload
fi

# pg_hba.conf: the accounts come in from the home networks, encrypted, with their passwords, and
# are turned away unencrypted. Lines are read first to last, so these go before Debian's own. The
# databases a former run let them into stay; the networks are the ones given now. The server, with
# TLS on by now, checks the lines before it is told to read them.
databases=$(grep -F -- "$marker" "$hba_file" | awk '$1 == "hostssl" { print $2; exit }') || true
[[ ,$databases, == *,"$database",* ]] || databases=${databases:+$databases,}$database
hba_line() { printf '%-9s %-15s %-15s %-23s %-15s %s' "$@" "$marker"; }
block="# wanderkeep-family-server: the scrapbook's accounts, from the home network, encrypted only
$(hba_line hostnossl "$databases" family,viewer all reject)"
for range in "${ranges[@]}"; do
  block+=$'\n'$(hba_line hostssl "$databases" family,viewer "$range" scram-sha-256)
done
new_hba=$(awk -v block="$block" -v marker="$marker" '
  index($0, marker) { next }
  !placed && !/^[ \t]*(#|$)/ { print block; placed = 1 }
  { print }
  END { if (!placed) print block }' "$hba_file")
old_hba=$(mktemp)
cp -p "$hba_file" "$old_hba"
if write_if_changed "$hba_file" "$(stat -c %a "$old_hba")" "$new_hba"; then
  problems=$(sql postgres -c "SELECT line_number || ': ' || error FROM pg_hba_file_rules WHERE error IS NOT NULL")
  if [[ -n $problems ]]; then
    cp -p "$old_hba" "$hba_file"
    rm -f "$old_hba"
    fail "The server does not take the new lines of $hba_file, which was left as it was: $problems"
  fi
  pg_ctlcluster "$version" "$name" reload
  changes+=("let the accounts into $databases from ${ranges[*]} ($hba_file)")
fi
rm -f "$old_hba"

# The accounts and the database. The program makes its tables at its first start (or with
# wanderkeep --copy), as family, so the viewer is given reading rights on the tables there are now
# and on those family makes later.
for role in family viewer; do
  if [[ -z $(sql postgres -c "SELECT 1 FROM pg_roles WHERE rolname = '$role'") ]]; then
    sql postgres -c "CREATE ROLE $role LOGIN"
    changes+=("made the account $role")
  elif [[ $(sql postgres -c "SELECT rolcanlogin FROM pg_roles WHERE rolname = '$role'") != t ]]; then
    sql postgres -c "ALTER ROLE $role LOGIN"
    changes+=("let the account $role sign in")
  fi
  if [[ -n ${passwords[$role]} ]]; then
    set_password "$role" "${passwords[$role]}"
    passwords_set+=("$role")
  fi
done
if [[ -z $db_owner ]]; then
  # The program's text is Unicode; a cluster made with the C locale would give SQL_ASCII.
  if [[ $(sql postgres -c "SELECT pg_encoding_to_char(encoding) FROM pg_database WHERE datname = 'template1'") == UTF8 ]]; then
    sql postgres -c "CREATE DATABASE $database OWNER family"
  else
    sql postgres -c "CREATE DATABASE $database OWNER family TEMPLATE template0 ENCODING 'UTF8' LOCALE 'C.UTF-8'"
  fi
  changes+=("made the database $database")
fi
rights_before=$(rights)
sql "$database" <<EOF
REVOKE ALL ON DATABASE $database FROM PUBLIC;
GRANT CONNECT ON DATABASE $database TO viewer;
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT USAGE ON SCHEMA public TO viewer;
GRANT SELECT ON ALL TABLES IN SCHEMA public TO viewer;
ALTER DEFAULT PRIVILEGES FOR ROLE family IN SCHEMA public GRANT SELECT ON TABLES TO viewer;
EOF
[[ $(rights) == "$rights_before" ]] || changes+=("gave viewer reading rights on $database")

echo
if ((${#changes[@]})); then
  say "Done:"
  printf '  - %s\n' "${changes[@]}"
else
  say "Everything was set up already; nothing was changed."
fi
if ((${#passwords_set[@]})); then
  set_again="${passwords_set[*]}"
  say "Passwords set as given for: ${set_again// /, }."
fi
uri_host=$host
[[ $host == *:* ]] && uri_host="[$host]"
cat <<EOF

Open the scrapbook on each of the family's computers with one of these addresses (in Wanderkeep:
the Edit Screen's Family Server... button, or wanderkeep 'ADDRESS' in a terminal):
  for the family (sees and changes everything):
    postgresql://family@$uri_host:$port/$database?sslmode=require
  for the children (only sees; nothing can be changed or deleted):
    postgresql://viewer@$uri_host:$port/$database?sslmode=require
Wanderkeep asks for the password and never writes it down (a ~/.pgpass file can answer for it).
EOF
addresses=$(hostname -I 2>/dev/null || true)
if [[ -n ${addresses// /} && $host != "${addresses%% *}" ]]; then
  say "A computer that does not find $host by its name can use its address, ${addresses%% *}, in its place."
fi
cat <<EOF

To have each computer check that it is talking to this server and no other, copy
  $certificate
to each computer as ~/.postgresql/root.crt and write sslmode=verify-full in place of sslmode=require.
EOF
