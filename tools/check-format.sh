#!/usr/bin/env bash
# Checks that every C++ file of the project is formatted as .clang-format says; lists the
# files that are not and exits non-zero. `bash tools/check-format.sh --fix` formats them.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang-format
fi

# Every C++ file of the source folders; no git needed (a fresh machine may lack it).
mapfile -t files < <(find src tests bench fuzz tools -type f \( -name '*.cpp' -o -name '*.h' \) |
    sort)
if [ ${#files[@]} -eq 0 ]; then
    echo "check-format: no C++ files found" >&2
    exit 1
fi
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
unformatted=()
for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "Not formatted (bash tools/check-format.sh --fix formats them):"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
echo "Format: ${#files[@]} files as .clang-format says"
