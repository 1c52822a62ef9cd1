#!/usr/bin/env bash
# Starts the real program on its own Xvfb with HOME in a temporary folder, clicks Command1 with
# the mouse, checks the lists while the box is up, dismisses the box with the keyboard and checks
# the files once more.
set -euo pipefail
program=$1
export LC_ALL=C
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to ten seconds for a command to succeed.
wait_for() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }
# How many windows carry the caption M3U8: the main window, and the box, which has the same title.
m3u8_windows() { [ "$(windows_named M3U8 | wc -l)" -eq "$1" ]; }

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

mkdir "$work/home"
HOME="$work/home" XDG_RUNTIME_DIR="$work" "$program" 2>"$work/stderr" &
app=$!
pids+=("$app")

wait_for m3u8_windows 1 || fail "the window M3U8 did not appear"
window=$(windows_named M3U8)
[ "$(xdotool getwindowname "$window")" = M3U8 ] || fail "caption"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH}x${HEIGHT}" = 159x56 ] || fail "client area ${WIDTH}x${HEIGHT}, expected 159x56"

# The middle of Command1 (88,8 57x33).
xdotool mousemove --window "$window" 116 24 click 1

wait_for m3u8_windows 2 || fail "no message box after the click"
box=$(windows_named M3U8 | grep -vx "$window")

# The expected lists, built here independently of the program.
expected() {
  local prefix=http://media.example.com/20171211/EUoPggm6/800kb/hls/kUGTo2291
  seq -f "$prefix%03g.ts" 0 999 | sed 's/$/\r/' >"$work/xz.expected"
  seq -f "$prefix%g.ts" 1000 1889 | sed 's/$/\r/' >"$work/xz2.expected"
}
expected
cmp "$work/xz.expected" "$work/home/xz.txt" || fail "xz.txt incomplete while the box is up"
cmp "$work/xz2.expected" "$work/home/xz2.txt" || fail "xz2.txt incomplete while the box is up"

xdotool windowfocus --sync "$box" key Return
wait_for m3u8_windows 1 || fail "the box did not close on Return"
kill -0 "$app" 2>/dev/null || fail "the program ended after the box"
cmp "$work/xz.expected" "$work/home/xz.txt" && cmp "$work/xz2.expected" "$work/home/xz2.txt" ||
  fail "the lists changed after the box"
echo "1 passed, 0 failed"
