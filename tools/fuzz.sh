#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and fuzzes each for SECONDS (default: FUZZ_SECONDS,
# else 60; 0 only builds). Every run starts from the checked-in seed corpus
# (fuzz/corpus/<target>) and the working corpus of earlier runs (BUILD/corpus/<target>,
# which grows run to run); a crash leaves its input in BUILD/artifacts/. Exits non-zero
# when any target found a fault.
#   usage: tools/fuzz.sh [--fork] [--merge] [--reseed] [--only TARGET] [SECONDS]
#     --fork     one fuzzing job per core (libFuzzer -fork), for the same wall time
#     --merge    afterwards, add to fuzz/corpus/<target> the working inputs that reach
#                coverage the seeds do not (libFuzzer -merge=1)
#     --reseed   first make fuzz/corpus/<target> anew: seeds from leaguegen and a few
#                texts, minimized to the ones that add coverage
#   build folder: FUZZ_BUILD_DIR (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
fork=0
merge=0
reseed=0
only=""
while [ $# -gt 0 ]; do
    case "$1" in
        --fork) fork=1 ;;
        --merge) merge=1 ;;
        --reseed) reseed=1 ;;
        --only) only=$2; shift ;;
        -*) echo "tools/fuzz.sh: unknown option $1" >&2; exit 2 ;;
        *) break ;;
    esac
    shift
done
secs=${1:-${FUZZ_SECONDS:-60}}
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
jobs=$(nproc)
targets=(fuzz_league fuzz_seasonpair fuzz_namepattern fuzz_numbertext fuzz_criteriatext)
[ -n "$only" ] && targets=("$only")

# clang and its fuzzer runtime (Debian ships the runtime apart from the compiler).
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! command -v clang++ >/dev/null; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang
fi
fuzzer_runtime="$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a"
if [ ! -f "$fuzzer_runtime" ]; then
    major=$(clang++ -dumpversion | cut -d. -f1)
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "libclang-rt-$major-dev"
fi

cmake --preset fuzz -B "$build" >/dev/null  # clang, the fuzz targets, no tests
cmake --build "$build" -j "$jobs" --target "${targets[@]}" leaguegen
mkdir -p "$build/artifacts"

corpus_bytes() { find "$1" -type f -exec cat {} + | wc -c; }
# The length limit of an input: a league pair or two rosters need room, the texts do not.
max_len() {
    case "$1" in
        fuzz_league | fuzz_seasonpair) echo 16384 ;;
        *) echo 256 ;;
    esac
}

# Writes raw seeds into $seeds/<target>: small leagues from leaguegen with a few panels,
# pairs of their rosters as two seasons, and a few names, patterns, number texts and
# criteria texts.
make_seeds() {
    # Four bytes little-endian, for the team length in the league input's header.
    le32() {
        printf -- "$(printf '\\%03o\\%03o\\%03o\\%03o' $(($1 & 255)) $(($1 >> 8 & 255)) \
            $(($1 >> 16 & 255)) $(($1 >> 24 & 255)))"
    }
    # A league input: the 72 criteria bytes given (zero-padded), the team length, both files.
    league_seed() {  # out criteria-bytes-as-printf-escapes teams roster
        {
            printf -- "$2" | head -c 72
            head -c $((72 - $(printf -- "$2" | head -c 72 | wc -c))) /dev/zero
            le32 "$(stat -c %s "$3")"
            cat "$3" "$4"
        } >"$1"
    }
    gen=$build/tools/leaguegen/leaguegen
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    n=0
    for shape in "2 3 1" "1 5 2" "3 2 3"; do  # teams, slots, seed: a few KiB in all
        read -r teams slots seed <<<"$shape"
        "$gen" --seed "$seed" --teams "$teams" --slots "$slots" --odd 0.3 "$tmp/l$n" >/dev/null
        # The panel after Reset; a team, a name pattern and an order; a narrow search.
        league_seed "$seeds/fuzz_league/reset$n" "" "$tmp/l$n.tms" "$tmp/l$n.ros"
        league_seed "$seeds/fuzz_league/team$n" \
            '\002\000\000\000\000\000\000\000\000\000\000\000\000\000\000\000'"$(printf '\\000%.0s' {1..28})"'\002A*' \
            "$tmp/l$n.tms" "$tmp/l$n.ros"
        league_seed "$seeds/fuzz_league/narrow$n" \
            '\000\005\005\002\001\004\001\020\047\000\000\001\100\102\017\000\050\000\060\001\000\002' \
            "$tmp/l$n.tms" "$tmp/l$n.ros"
        # One criterion (Centers) with a near-miss cap of 2 (header byte 66 = 2 | 2 << 2).
        league_seed "$seeds/fuzz_league/capped$n" \
            '\000\000\000\000\000\001'"$(printf '\\000%.0s' {1..60})"'\012' \
            "$tmp/l$n.tms" "$tmp/l$n.ros"
        n=$((n + 1))
    done
    # A roster with more records than its teams have slots, and the smallest pair.
    head -c 508 "$tmp/l0.tms" >"$tmp/odd.tms"
    cat "$tmp/l0.ros" "$tmp/l1.ros" >"$tmp/odd.ros"  # 11 records for 2 teams
    league_seed "$seeds/fuzz_league/oversized" "" "$tmp/odd.tms" "$tmp/odd.ros"
    head -c 254 "$tmp/l0.tms" >"$tmp/min.tms"
    head -c 86 "$tmp/l0.ros" >"$tmp/min.ros"
    league_seed "$seeds/fuzz_league/minimal" "" "$tmp/min.tms" "$tmp/min.ros"

    # Two seasons: the current roster's length (two bytes), 14 header bytes (zero-padded),
    # both rosters.
    season_seed() {  # out header-bytes-as-printf-escapes now.ros then.ros
        {
            le32 "$(stat -c %s "$3")" | head -c 2
            printf -- "$2" | head -c 14
            head -c $((14 - $(printf -- "$2" | head -c 14 | wc -c))) /dev/zero
            cat "$3" "$4"
        } >"$1"
    }
    cat "$tmp/l0.ros" "$tmp/l0.ros" >"$tmp/twice.ros"  # every player twice
    season_seed "$seeds/fuzz_seasonpair/same" "" "$tmp/l0.ros" "$tmp/l0.ros"
    season_seed "$seeds/fuzz_seasonpair/other" "" "$tmp/l1.ros" "$tmp/l2.ros"
    season_seed "$seeds/fuzz_seasonpair/twice" "" "$tmp/l0.ros" "$tmp/twice.ros"
    season_seed "$seeds/fuzz_seasonpair/reversed" "" "$tmp/twice.ros" "$tmp/l0.ros"
    # Matched players whose OV did not fall; new players only; counts 3 and -1 records.
    season_seed "$seeds/fuzz_seasonpair/risen" '\000\000\000\000\000\002\000\004' \
        "$tmp/l2.ros" "$tmp/l2.ros"
    season_seed "$seeds/fuzz_seasonpair/new" '\000\000\000\000\000\001' "$tmp/l1.ros" "$tmp/l0.ros"
    season_seed "$seeds/fuzz_seasonpair/counts" '\001\003\000\377\377' "$tmp/l0.ros" "$tmp/l1.ros"

    i=0
    for pair in 'MAARAN\000MAA*' 'LEE\000L?E' 'LEEDS\000*S' 'ANNA\000*N*A' 'AAAB\000*A?B' \
        'O\047BRIEN\000*\047*' 'M\374LLER\000M*R' 'ZED\000' '\000*' 'AB*C\000A?\052C'; do
        printf -- "$pair" >"$seeds/fuzz_namepattern/s$i"
        i=$((i + 1))
    done
    i=0
    for text in '\000\000\000\000\000\000\340\077' '\000\000\000\000\000\000\360\077' \
        '\000\200\340\067\171\303\101\103' '\001\000\000\000\000\000\000\000' \
        '\377\377\377\377\377\377\357\177' '\052\000\000\000\007\000\000\000' \
        '  -2147483648' '+0012' '2147483647 ' '-0'; do
        printf -- "$text" >"$seeds/fuzz_numbertext/s$i"
        i=$((i + 1))
    done

    i=0
    for text in 'team="Rivertown" name="MA*" status=rookie assign=pro pos=C age=20-30' \
        'salary=100000-2000000 all=10 SK>=70 OV=80 DF<=40' 'name="O\"Neil \\ *" salary="12 k"-' \
        'IT<=5 SP=6 ST>=7 EN=8 DU=9 DI=10 PA=11 PC=12 SC=13 EX=14 LD=15' 'SK>=300 age=30-20' \
        'score=SK*2+PA+PC score>=70 score<=85.5' 'dOV>=+3 season=new score=it+LD*10 score>=0.5'; do
        printf '%s' "$text" >"$seeds/fuzz_criteriatext/s$i"
        i=$((i + 1))
    done
}

if [ "$reseed" = 1 ]; then
    seeds=$build/seeds
    rm -rf "$seeds"
    mkdir -p "$seeds"/{fuzz_league,fuzz_seasonpair,fuzz_namepattern,fuzz_numbertext,fuzz_criteriatext}
    make_seeds
    for target in "${targets[@]}"; do
        rm -rf "fuzz/corpus/$target"
        mkdir -p "fuzz/corpus/$target"
        "$build/fuzz/$target" -merge=1 -max_len="$(max_len "$target")" \
            -artifact_prefix="$build/artifacts/$target-" "fuzz/corpus/$target" "$seeds/$target" \
            2>"$build/$target-reseed.log"
        echo "== $target seeds: $(ls "fuzz/corpus/$target" | wc -l) inputs," \
            "$(corpus_bytes "fuzz/corpus/$target") bytes"
    done
fi

[ "$secs" -gt 0 ] || exit 0  # 0 seconds: only build (and reseed)
status=0
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target
    log=$build/$target.log
    mkdir -p "$corpus"
    parallel=()
    [ "$fork" = 1 ] && parallel=(-fork="$jobs")
    echo "== $target: $secs s${parallel:+ on $jobs cores}"
    if ! "$build/fuzz/$target" "${parallel[@]}" "$corpus" "fuzz/corpus/$target" \
        -max_total_time="$secs" -max_len="$(max_len "$target")" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        2>"$log"; then
        status=1
        echo "!! $target found a fault; see $log and $build/artifacts/"
    fi
    # Executions, edges and corpus: the final statistics, or in fork mode the last report.
    grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added)' "$log" || true
    grep -E '#[0-9]+ +DONE|^#[0-9]+: cov:' "$log" | tail -1 || true
    tail -5 "$log" | grep -E 'ERROR|SUMMARY|fuzz_' || true
    if [ "$merge" = 1 ]; then
        "$build/fuzz/$target" -merge=1 -max_len="$(max_len "$target")" "fuzz/corpus/$target" \
            "$corpus" 2>"$build/$target-merge.log"
        echo "   merged: fuzz/corpus/$target holds $(ls "fuzz/corpus/$target" | wc -l) inputs," \
            "$(corpus_bytes "fuzz/corpus/$target") bytes"
    fi
done
exit $status
