#!/usr/bin/env bash
# The real program on its own Xvfb, HOME in a temporary folder, driven like a user would:
#  - Command1 clicked with the mouse writes both lists, which are complete while the box is up;
#    Return dismisses the box and the program goes on;
#  - with a folder in place of xz.txt, the click brings one error report, after which the
#    program ends with a failure status and xz2.txt is untouched.
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
# How many windows carry the caption M3U8: the main window, and a box, which has the same title.
m3u8_windows() { [ "$(windows_named M3U8 | wc -l)" -eq "$1" ]; }

# Starts the program with HOME=$1; sets app and window.
start_program() {
  HOME="$1" XDG_RUNTIME_DIR="$work" "$program" 2>>"$work/stderr" &
  app=$!
  pids+=("$app")
  wait_for m3u8_windows 1 || fail "the window M3U8 did not appear"
  window=$(windows_named M3U8)
}

# Clicks the middle of Command1 (88,8 57x33) and waits for the box that follows; sets box.
click_command1() {
  xdotool mousemove --window "$window" 116 24 click 1
  wait_for m3u8_windows 2 || fail "no message box after the click"
  box=$(windows_named M3U8 | grep -vx "$window")
}

dismiss_box() { xdotool windowfocus --sync "$box" key Return; }

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

# The expected lists, built here independently of the program.
prefix=http://media.example.com/20171211/EUoPggm6/800kb/hls/kUGTo2291
seq -f "$prefix%03g.ts" 0 999 | sed 's/$/\r/' >"$work/xz.expected"
seq -f "$prefix%g.ts" 1000 1889 | sed 's/$/\r/' >"$work/xz2.expected"
lists_complete() {
  cmp -s "$work/xz.expected" "$1/xz.txt" && cmp -s "$work/xz2.expected" "$1/xz2.txt"
}

# A click that succeeds.
mkdir "$work/home"
start_program "$work/home"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH}x${HEIGHT}" = 159x56 ] || fail "client area ${WIDTH}x${HEIGHT}, expected 159x56"
click_command1
lists_complete "$work/home" || fail "the lists are incomplete while the box is up"
[ "$(xdotool getwindowname "$box")" = M3U8 ] || fail "the box's title"
dismiss_box
wait_for m3u8_windows 1 || fail "the box did not close on Return"
kill -0 "$app" 2>/dev/null || fail "the program ended after the box"
lists_complete "$work/home" || fail "the lists changed after the box"
kill "$app"

# A click that fails.
mkdir -p "$work/blocked/xz.txt"
printf old >"$work/blocked/xz2.txt"
start_program "$work/blocked"
click_command1
dismiss_box
status=0
wait "$app" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status after the error report, expected 1"
[ "$(cat "$work/blocked/xz2.txt")" = old ] || fail "xz2.txt changed after xz.txt failed"
echo "2 passed, 0 failed"
