#!/usr/bin/env bash
# The search for scripts at scale: `vantrel-search --query '' --format F LEAGUE > /dev/null`
# for csv, tsv and json on a generated league, the median of RUNS wall times each, with no
# display anywhere (DISPLAY unset, a Qt platform that does not exist): a run that tried
# to open one would fail. Also the run's peak memory (maximum resident set).
#   bash bench/script-search.sh PROGRAM LEAGUEGEN [RECORDS] [RUNS]
set -euo pipefail
program=$1 leaguegen=$2 records=${3:-1000000} runs=${4:-5}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$leaguegen" --records "$records" "$folder/league" >/dev/null

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for format in csv tsv json; do
    for ((run = 0; run < runs; run++)); do
        env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none-such /usr/bin/time -f '%e %M' \
            "$program" --query '' --format "$format" "$folder/league.ros" 2>&1 >/dev/null |
            tail -n 1
    done >"$folder/times"
    printf '%-5s %s records: median %s s, peak %s MiB\n' "$format" "$records" \
        "$(cut -d' ' -f1 "$folder/times" | median)" \
        "$(cut -d' ' -f2 "$folder/times" | median | awk '{ printf "%d", $1 / 1024 }')"
done
