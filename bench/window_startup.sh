#!/usr/bin/env bash
# Start-up time and memory of the Qt program against bare Qt windows, on a private Xvfb.
set -euo pipefail
build=${1:-build/linux}
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
mkdir "$work/home"
DISPLAY=":$(cat "$work/display")" HOME="$work/home" XDG_RUNTIME_DIR="$work" \
  "$build/bench/window_startup" "$build/bench/bare_qt_window" \
  "$build/bench/bare_qt_window_with_text" "$build/ui/qt/m3u8" 2>/dev/null
