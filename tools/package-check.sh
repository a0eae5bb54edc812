#!/usr/bin/env bash
# Builds the Debian package and checks it as a user's machine meets it: what installing
# it pulls, the program's --version, that no caption of its criteria panel is cut off
# with the fonts it pulled (a screenshot of the installed program is kept), the league
# files' MIME types and their default application, and a clean removal. It removes the
# build tools and the fonts to see what the package pulls, so it runs only on a
# throwaway Debian 12 root:
#   bash tools/package-check.sh --throwaway-root
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${1:-}" = "--throwaway-root" ] || {
    echo "usage: $0 --throwaway-root   (removes the build tools: use a throwaway root)"
    exit 2
}
export DEBIAN_FRONTEND=noninteractive
say() { printf '== %s\n' "$*"; }
fail() { printf 'FAILED: %s\n' "$*"; exit 1; }

say "build and package"
bash tools/setup.sh >/dev/null
(cd build && cpack -G DEB >/dev/null)
deb=$(realpath build/vantrel-search_*_amd64.deb)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
depends=$(dpkg-deb -f "$deb" Depends)
say "$(basename "$deb"): Depends: $depends"
tr ',' '\n' <<<"$depends" | grep -Eq -- '-dev\b|\bg\+\+|\bcmake\b|\bninja' &&
    fail "a build tool among the dependencies"

say "the build tools and the window's font removed, the desktop's MIME tools present"
apt-get purge -y -qq --auto-remove cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev \
    libgtest-dev libgmock-dev libbenchmark-dev clang-tidy fonts-liberation fonts-liberation2 \
    >/dev/null
apt-get install -y -qq xdg-utils shared-mime-info desktop-file-utils >/dev/null
dpkg-query -W -f '${Package}\n' | sort >/tmp/before.txt

say "apt install ./$(basename "$deb")"
apt-get install -y -qq "$deb" >/dev/null
dpkg-query -W -f '${Package}\n' | sort >/tmp/after.txt
pulled=$(comm -13 /tmp/before.txt /tmp/after.txt | tr '\n' ' ')
say "pulled: $pulled"
grep -Eq -- '-dev |^(g\+\+|gcc|cmake|ninja-build|cpp)|(g\+\+|gcc|cmake|ninja-build|cpp)-' \
    <<<"$pulled" && fail "a build tool was pulled"
grep -q "libqt6widgets6" <<<"$pulled" || fail "the Qt run-time libraries were not pulled"
grep -Eq "fonts-liberation2? " <<<"$pulled" || fail "the window's font was not pulled"

say "vantrel-search --version"
[ "$(vantrel-search --version)" = "vantrel-search $version" ] || fail "version"
zcat /usr/share/man/man1/vantrel-search.1.gz | grep -q '^.SH SYNOPSIS' || fail "manual page"

say "the criteria panel's captions with the fonts the package pulled"
bash tools/package-captions.sh build/package-check ||
    fail "a caption of the criteria panel is cut off, or the check could not tell"

say "MIME types and the default application"
for pair in "samples/demo.ros application/x-vantrel-roster" \
    "samples/demo.tms application/x-vantrel-teams"; do
    read -r file type <<<"$pair"
    got=$(xdg-mime query filetype "$file")
    [ "$got" = "$type" ] || fail "$file is $got, not $type"
    default=$(xdg-mime query default "$type")
    [ "$default" = "vantrel-search.desktop" ] || fail "$type opens with '$default'"
    say "$file: $got, opened by $default"
done

say "apt remove vantrel-search"
apt-get remove -y -qq vantrel-search >/dev/null
[ ! -e /usr/bin/vantrel-search ] || fail "the program is still there"
left=$(dpkg-query -W -f '${Status}' vantrel-search 2>/dev/null || true)
[ -z "$left" ] || [ "$left" = "unknown ok not-installed" ] || fail "dpkg still holds: $left"
[ "$(xdg-mime query filetype samples/demo.ros)" != application/x-vantrel-roster ] ||
    fail "the MIME type outlived the package"
say "package check passed"
