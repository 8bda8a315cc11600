#!/usr/bin/env bash
# Help asked for from a modal window, on a real X server with a window manager
# (Xvfb and openbox, driven by xdotool): the program starts with a source on
# its command line, Edit Album opens from the keyboard, F1 brings the help in
# front of it, the help takes a click on its Close button and closes, comes
# back and closes from the window manager's close, and Edit Album still
# answers afterwards. Exit 0 passed, 1 failed, 77 skipped (no X server).
#
# help-on-x.sh PROGRAM PICTURE...
set -uo pipefail

program=$(realpath "$1")
shift
source "$(dirname "$0")/x-session.sh"

fail() {
  echo "help-on-x: FAILED: $*"
  [ -s "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" | tail -n 20
  exit 1
}

# The viewable window with exactly this title, as a decimal id.
window_named() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    echo "$id"
    return 0
  done
  return 1
}
window_is_up() { window_named "$1"; }
window_is_gone() { ! window_named "$1"; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

[ -x "$program" ] || fail "no program at $program"
name=help-on-x
start_x_session 1366x768
mkdir -p "$work/pictures"

cp "$@" "$work/pictures/" || fail "cannot copy the pictures"
cd "$work/home" || fail "no home folder"
"$program" "$work/pictures" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")

# The version in the title is not this test's business.
main_title="Dezoredu - Professional.*"
wait_for 60 window_is_up "$main_title" || fail "the main window did not come up"
main=$(window_named "$main_title")

# Albums > Set New Album > Start from positive, by their Alt+letter keys; the
# item is off until the scan of the command line's source has ended.
opened=0
for _ in $(seq 1 20); do
  xdotool windowactivate --sync "$main" >/dev/null 2>&1
  xdotool key --clearmodifiers alt+a s s
  if wait_for 2 window_is_up "Edit Album"; then
    opened=1
    break
  fi
  xdotool key Escape Escape Escape
done
[ "$opened" -eq 1 ] || fail "Edit Album did not open from Albums > Set New Album > Start from positive"
edit=$(window_named "Edit Album")
wait_for 15 active_is "$edit" || fail "Edit Album is not the active window"

xdotool key F1
wait_for 30 window_is_up "Dezoredu Help" || fail "F1 in Edit Album brought no help window"
help=$(window_named "Dezoredu Help")
wait_for 15 active_is "$help" || fail "the help window is not the active window"
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g' | tail -n 1)
[ "$((stacking))" -eq "$help" ] || fail "the help window is not on top (top: $stacking, help: $help)"
xprop -id "$help" WM_TRANSIENT_FOR | grep -q "window id" || fail "the help window does not belong to Edit Album"

# Its Close button is the last of the row at the top right; a point just
# inside its right edge is on it whatever the font and style make its width.
eval "$(xdotool getwindowgeometry --shell "$help")"
xdotool mousemove --window "$help" $((WIDTH - 25)) 24 click 1
wait_for 15 window_is_gone "Dezoredu Help" || fail "a click on the help's Close button did not close it"

xdotool windowactivate --sync "$edit" >/dev/null 2>&1
xdotool key F1
wait_for 30 window_is_up "Dezoredu Help" || fail "F1 did not bring the help back"
help=$(window_named "Dezoredu Help")
wait_for 15 active_is "$help" || fail "the help window came back behind"
# The window manager's close, as the title bar's close box does.
xdotool key alt+F4
wait_for 15 window_is_gone "Dezoredu Help" || fail "the window manager's close did not close the help"

# Edit Album still takes the keyboard: Esc discards it, the main window stays.
wait_for 15 active_is "$edit" || fail "Edit Album did not get the focus back"
xdotool key Escape
wait_for 15 window_is_gone "Edit Album" || fail "Edit Album no longer answers after the help closed"
window_is_up "$main_title" >/dev/null || fail "the main window went with Edit Album"

# The program ends as usual: "Close Dezoredu?" and Yes.
xdotool windowactivate --sync "$main" >/dev/null 2>&1
xdotool key alt+F4
wait_for 15 window_is_up "Dezoredu" || fail "closing the main window asked nothing"
xdotool key --clearmodifiers alt+y
wait_for 30 sh -c "! kill -0 $program_pid" || fail "the program did not end on Yes"
wait "$program_pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "help-on-x: passed"
