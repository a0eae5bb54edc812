#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over every .cpp under src/, one file a
# core at a time, with the compile database of a configured build (default build/, the
# `dev` preset; its generated ui_*.h must exist, so build it first). Prints each finding
# and exits non-zero on any, a file that does not compile included.
#   usage: bash tools/tidy.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/compile_commands.json" ]; then
    echo "tools/tidy.sh: no $build/compile_commands.json; configure and build first" >&2
    exit 2
fi
if ! command -v clang-tidy >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang-tidy
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
log_of() { echo "$out/${1//\//_}.log"; }
# One log per file, so that parallel runs do not mix their lines.
tidy_one() {
    clang-tidy -p "$build" --quiet --warnings-as-errors='*' "$1" >"$(log_of "$1")" 2>&1 ||
        echo "$1" >>"$out/failed"
}
export -f log_of tidy_one
export out build
mapfile -t files < <(find src -name '*.cpp' | sort)
printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -I{} bash -c 'tidy_one "$1"' _ {} || true
if [ -s "$out/failed" ]; then
    while read -r file; do
        # The findings, or the tail of the log when clang-tidy failed without one.
        grep -E '(warning|error): ' "$(log_of "$file")" || tail -5 "$(log_of "$file")"
    done < <(sort "$out/failed")
    echo "clang-tidy: findings in $(wc -l <"$out/failed") of ${#files[@]} files"
    exit 1
fi
echo "clang-tidy: ${#files[@]} files, no finding"
