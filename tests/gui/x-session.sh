# Sourced by the real-X tests: a private Xvfb with openbox on a free display.
# It makes `work`, a folder of the caller's own, and the `pids` array whose
# processes end with the caller; the caller sets `name` (its messages'
# prefix). start_x_session exits 77 (skipped) where no X server can start,
# 1 where openbox does not.

work=$(mktemp -d)
pids=()
end_x_session() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap end_x_session EXIT

# Polls `condition` (a command) every 0.1 s for up to `seconds`.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 10))
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# start_x_session WIDTHxHEIGHT
start_x_session() {
  local tool n
  for tool in Xvfb openbox xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "$name: FAILED: $tool is not installed (scripts/install-deps.sh installs it)"; exit 1; }
  done
  local display=
  for n in $(seq 91 120); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      display=:$n
      break
    fi
  done
  [ -n "$display" ] || { echo "$name: SKIPPED: no free X display number"; exit 77; }
  export DISPLAY=$display
  # -noreset: a server that resets when its last client (the probe below) goes
  # drops the clients that come next.
  Xvfb "$display" -screen 0 "$1x24" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  # xprop answers as soon as the server takes connections.
  if ! wait_for 30 xprop -root; then
    echo "$name: SKIPPED: Xvfb could not start: $(tail -n 3 "$work/xvfb.log" | tr '\n' ' ')"
    exit 77
  fi
  mkdir -p "$work/home/.config"
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=xcb
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  if ! wait_for 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
    echo "$name: FAILED: openbox did not start: $(tail -n 5 "$work/openbox.log" | tr "\n" " ")"
    exit 1
  fi
}
