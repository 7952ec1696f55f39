#!/usr/bin/env bash
# Runs quellix-soak of build folder BUILD for SECONDS under a virtual X
# display (xvfb-run), at low priority. Fails when the resident memory grew
# by more than 1 MB after start-up settled.
set -euo pipefail
build="$1"
seconds="${2:-3600}"
cmake --build "$build" --target quellix-soak
unset QT_QPA_PLATFORM   # a real (virtual) X display, not offscreen
exec xvfb-run -a -s "-screen 0 1600x1200x24" nice -n 10 "$build/tools/quellix-soak" "$seconds"
