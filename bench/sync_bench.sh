#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times a whole `zerizedozi-cli sync` of an unchanged list against a local
# Radicale, and `vdirsyncer sync` alone on the same pair, alternating run by
# run, and prints the medians and their ratio (target: within 1.3x).
#   usage: bench/sync_bench.sh PATH/TO/zerizedozi-cli [ENTRIES=2000] [RUNS=7]
set -euo pipefail

cli=$(realpath "$1")
entries=${2:-2000}
runs=${3:-7}
work=$(mktemp -d)
trap 'kill "$server" 2>/dev/null; rm -rf "$work"' EXIT

port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
echo "mari:salakala" >"$work/users"
cat >"$work/radicale.conf" <<CONF
[server]
hosts = 127.0.0.1:$port
[auth]
type = htpasswd
htpasswd_filename = $work/users
htpasswd_encryption = plain
[storage]
filesystem_folder = $work/storage
[logging]
level = error
CONF
radicale --config "$work/radicale.conf" &
server=$!
until /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $port))" 2>/dev/null; do sleep 0.2; done

export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
mkdir -p "$HOME"
list=$work/home/Vozoraza.xml
/usr/bin/python3 - "$entries" >"$work/list.csv" <<'PY'
import random, sys
random.seed(2026)
print("Nimi;Päev;Kuu;Aasta;Tüüp")
for i in range(int(sys.argv[1])):
    print(f"Nimi {i};{random.randint(1, 28)};{random.randint(1, 12)};{random.randint(1900, 2025)};Sünnipäev")
PY
"$cli" import-csv "$work/list.csv" --file "$list" >/dev/null
"$cli" sync --setup "http://127.0.0.1:$port/" --user mari --password-command "echo salakala" --file "$list" >/dev/null
config=$(ls "$XDG_CONFIG_HOME"/Zerizedozi/vdirsyncer/config-*)

now() { date +%s%N; }
start=$(now)
"$cli" sync --file "$list"
echo "first sync, uploading $entries entries: $(( ($(now) - start) / 1000000 )) ms"

declare -a alone whole
for ((run = 0; run < runs; run++)); do
  start=$(now); vdirsyncer -c "$config" sync >/dev/null 2>&1; alone+=($(( ($(now) - start) / 1000000 )))
  start=$(now); "$cli" sync --file "$list" >/dev/null; whole+=($(( ($(now) - start) / 1000000 )))
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
a=$(median "${alone[@]}")
w=$(median "${whole[@]}")
echo "unchanged list of $entries entries, medians of $runs alternating runs:"
echo "  vdirsyncer sync alone:   $a ms   (${alone[*]})"
echo "  zerizedozi-cli sync:     $w ms   (${whole[*]})"
awk -v w="$w" -v a="$a" 'BEGIN { printf "  ratio: %.2fx (target: within 1.3x)\n", w / a }'
