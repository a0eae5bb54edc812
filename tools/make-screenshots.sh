#!/usr/bin/env bash
# Remakes the README's screenshots under a virtual X server: the main window after a
# search on the sample league and the details pages with their charts, and the sample
# league beside its season before.
#   bash tools/make-screenshots.sh [OUTDIR]   (default docs/; QT_SCALE_FACTOR is honoured)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
[ -x build/tools/screenshots/screenshots ] || bash tools/setup.sh
xvfb-run -a -s "-screen 0 1600x1400x24" build/tools/screenshots/screenshots samples/demo.ros samples/demo-last.ros "$out"
