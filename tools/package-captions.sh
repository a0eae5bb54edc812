#!/usr/bin/env bash
# Checks, with the fonts this machine has, that no caption of the criteria panel is cut
# off: under a virtual X server it starts the installed vantrel-search, saves its window
# as OUTDIR/installed-window.png, and runs BUILD/tools/captioncheck (the
# same windows, measured). To show that the check can fail, it runs the checker again
# with fontconfig limited to DejaVu Sans, the fallback when the window's font is missing,
# which must find clipped captions. tools/package-check.sh runs it on the fresh root.
#   usage: bash tools/package-captions.sh OUTDIR [BUILD]    (BUILD defaults to build)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:?usage: $0 OUTDIR [BUILD]}")
checker=$(realpath "${2:-build}/tools/captioncheck/captioncheck")
mkdir -p "$out"
say() { printf '== %s\n' "$*"; }

# Inside the X server: the installed program first, its main window (the one with a window
# class) saved by the checker before the checker opens windows of its own.
installed_window_and_captions() {
    vantrel-search &
    local pid=$! window="" status=0 tries=0
    until window=$(xwininfo -root -tree | awk '/"vantrel-search" "vantrel-search"/ {print $1}') &&
        [ -n "$window" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 $pid 2>/dev/null; then
            echo "the installed program showed no window"
            return 1
        fi
        sleep 0.1
    done
    sleep 1  # painted
    "$checker" --shot "$window" "$out/installed-window.png" || status=$?
    kill $pid
    return $status
}
export out checker  # the function runs in a new shell under xvfb-run

say "the installed program with this machine's fonts"
status=0
xvfb-run -a -s "-screen 0 1600x1400x24" \
    bash -c "$(declare -f installed_window_and_captions); installed_window_and_captions" ||
    status=$?
say "screenshot: $out/installed-window.png"
[ $status -eq 0 ] || exit 1

say "the same check with DejaVu Sans alone must find clipped captions"
cat >"$out/dejavu-only.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$out/fontcache</cachedir>
</fontconfig>
EOF
if FONTCONFIG_FILE=$out/dejavu-only.conf xvfb-run -a -s "-screen 0 1600x1400x24" "$checker" \
    >"$out/dejavu-only.txt" 2>&1 || ! grep -q '^clipped: ' "$out/dejavu-only.txt"; then
    cat "$out/dejavu-only.txt"
    echo "the check found nothing cut off without the window's font: it cannot tell"
    exit 1
fi
tail -1 "$out/dejavu-only.txt"
