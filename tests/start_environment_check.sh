#!/bin/bash
# Starts the built game where it cannot run and checks that it ends at once
# with its own message and status 1, never hanging without a window nor
# aborting: scale factors that leave no usable screen, an X display and a
# Wayland display that are not there or never answer, an unknown Qt
# platform.  Then, on a private X server (where Xvfb is installed), that no
# session bus is autolaunched for the game while a real one is still used,
# that the menu bar asks it for no global menu, and that a bus that never
# answers leaves the game to start without it.
#   tests/start_environment_check.sh path/to/kelvo [path/to/kelvo-stalled-server]
set -u
# The game's English words are what this reads, whatever the desktop's
# language ("en" has no catalogue of its own).
export LANGUAGE=en
game=$(readlink -f "$1")
stalled_server=$(readlink -f "${2:-}")
work=$(mktemp -d)
pids=()
silent_lock=""
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$silent_lock" ] && rm -f "$silent_lock"
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config" "$work/runtime" "$work/bin"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
unset DBUS_SESSION_BUS_ADDRESS

failed=0
pass() { echo "  ok: $*"; }
fail() {
  echo "  FAILED: $*"
  failed=$((failed + 1))
}

# refused WHAT MESSAGE-START VAR=VALUE...: the game, given the settings,
# ends with status 1 and a first line "kelvo: MESSAGE-START...", within
# $within seconds.
within=20
refused() {
  local what=$1 expected=$2 status
  shift 2
  env "$@" timeout "$within" "$game" >"$work/out" 2>&1
  status=$?
  if [ "$status" -eq 1 ] && [[ "$(head -n1 "$work/out")" == "kelvo: $expected"* ]]; then
    pass "$what: $(head -n1 "$work/out")"
  else
    case $status in
      124) status="$status (still running after $within s)" ;;
      134) status="$status (aborted)" ;;
    esac
    fail "$what: exit status $status, said: $(head -n3 "$work/out" | tr '\n' ' ')"
  fi
}

echo "Scale factors"
for factor in 0 -1 nan 0.0001 1e9; do
  refused "QT_SCALE_FACTOR=$factor" "cannot use the scale factor QT_SCALE_FACTOR=$factor" \
    QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR="$factor"
done

echo "Displays that are not there"
free_display() {
  local n
  for n in $(seq "$1" 999); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || {
      echo "$n"
      return
    }
  done
}
dead_x=$(free_display 901)
refused "DISPLAY=:$dead_x" "cannot open the display (DISPLAY=:$dead_x)" DISPLAY=":$dead_x"
refused "WAYLAND_DISPLAY of no compositor" "cannot open the display (WAYLAND_DISPLAY=" \
  WAYLAND_DISPLAY=kelvo-nowhere
refused "QT_QPA_PLATFORM=wayland without a compositor" \
  "cannot open the display (QT_QPA_PLATFORM=wayland" QT_QPA_PLATFORM=wayland \
  WAYLAND_DISPLAY=kelvo-nowhere
refused "QT_QPA_PLATFORM of no plugin" "cannot open the display (QT_QPA_PLATFORM=" \
  QT_QPA_PLATFORM=kelvo-nowhere

echo "Display servers that take the connection and never answer"
if [ ! -x "$stalled_server" ]; then
  echo "  not checked: no kelvo-stalled-server given"
else
  # Each case is over in seconds; a game that waits for ever is stopped.
  within=10
  silent_x=$(free_display "$((dead_x + 1))")
  # (In the abstract namespace, where X clients look first, on a machine
  # where no X server has run and so no /tmp/.X11-unix exists.)
  silent_socket="/tmp/.X11-unix/X$silent_x"
  [ -d /tmp/.X11-unix ] || silent_socket="@$silent_socket"
  "$stalled_server" "$silent_socket" &
  pids+=($!)
  # The lock file an X server keeps: no X server started meanwhile takes
  # the number (nor removes the socket) while the silent one holds it.
  silent_lock="/tmp/.X$silent_x-lock"
  printf '%10d\n' "$!" >"$silent_lock"
  "$stalled_server" "$XDG_RUNTIME_DIR/kelvo-silent" &
  pids+=($!)
  sleep 0.2
  refused "DISPLAY of a silent X server" \
    "cannot open the display (DISPLAY=:$silent_x): its server took the connection but did not answer" \
    DISPLAY=":$silent_x"
  rm -f "$silent_lock"
  refused "WAYLAND_DISPLAY of a silent compositor" \
    "cannot open the display (WAYLAND_DISPLAY=kelvo-silent): its server took the connection" \
    WAYLAND_DISPLAY=kelvo-silent
  refused "QT_QPA_PLATFORM=wayland with a silent compositor" \
    "cannot open the display (WAYLAND_DISPLAY=kelvo-silent): its server took the connection" \
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=kelvo-silent
  within=20
fi

echo "Session bus"
# The game's connection to the bus at ADDRESS, waited for while it runs.
game_on_bus() {
  local address=$1 game_pid=$2 name
  for name in $(timeout 5 dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus \
    /org/freedesktop/DBus org.freedesktop.DBus.ListNames 2>/dev/null | grep -o '":[0-9.]*"' |
    tr -d '"'); do
    timeout 5 dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" \
      2>/dev/null | grep -q "uint32 $game_pid\$" && return 0
  done
  return 1
}
uses_bus() {
  local what=$1 address=$2 i
  shift 2
  env "$@" "$game" >"$work/out" 2>&1 &
  local game_pid=$!
  pids+=("$game_pid")
  for i in $(seq 50); do
    game_on_bus "$address" "$game_pid" && break
    sleep 0.2
  done
  if game_on_bus "$address" "$game_pid"; then
    pass "$what: the game is connected to it"
  else
    fail "$what: the game never connected to it"
  fi
  kill "$game_pid" 2>/dev/null
  wait "$game_pid" 2>/dev/null
}

if ! command -v Xvfb >/dev/null 2>&1 || ! command -v dbus-daemon >/dev/null 2>&1 ||
  ! command -v dbus-send >/dev/null 2>&1; then
  echo "  not checked: Xvfb, dbus-daemon or dbus-send is not installed"
else
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$work/display" 2>/dev/null &
  pids+=($!)
  for i in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  display=":$(head -n1 "$work/display")"
  # libdbus autolaunches through dbus-launch, from its own folder or the
  # PATH; this one only says it was asked.
  printf '#!/bin/sh\necho "$*" >>"%s/autolaunched"\nexit 1\n' "$work" >"$work/bin/dbus-launch"
  chmod +x "$work/bin/dbus-launch"
  autolaunchers() { pgrep -f -- 'dbus-launch --autolaunch' | sort; }
  before=$(autolaunchers)
  DISPLAY=$display PATH="$work/bin:$PATH" KELVO_REPORT_FIRST_FRAME=1 timeout 20 "$game" \
    >"$work/out" 2>&1
  started=$(comm -13 <(echo "$before") <(autolaunchers))
  if [ -e "$work/autolaunched" ] || [ -n "$started" ]; then
    fail "with no session bus the game had one autolaunched (dbus-launch $(head -n1 \
      "$work/autolaunched" 2>/dev/null)${started:+, still running: $started})"
    for pid in $started; do kill "$pid"; done
  else
    pass "with no session bus, none was autolaunched for the game"
  fi

  address=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 3>"$work/bus.pid")
  pids+=("$(cat "$work/bus.pid")")
  uses_bus "the bus in DBUS_SESSION_BUS_ADDRESS" "$address" DISPLAY="$display" \
    DBUS_SESSION_BUS_ADDRESS="$address"

  # The menus stay in the window: the game never asks the bus whether a
  # global menu bar is there (a question Qt waits on without a limit).
  if command -v dbus-monitor >/dev/null 2>&1; then
    dbus-monitor --address "$address" >"$work/monitor" 2>&1 &
    monitor=$!
    pids+=("$monitor")
    sleep 0.3
    DISPLAY=$display DBUS_SESSION_BUS_ADDRESS=$address KELVO_REPORT_FIRST_FRAME=1 timeout 20 \
      "$game" >"$work/out" 2>&1
    sleep 0.3
    kill "$monitor" 2>/dev/null
    wait "$monitor" 2>/dev/null
    if ! grep -q 'member=Hello' "$work/monitor"; then
      fail "the bus monitor saw nothing of the game: $(head -n2 "$work/monitor" | tr '\n' ' ')"
    elif grep -q 'com.canonical.AppMenu.Registrar' "$work/monitor"; then
      fail "the game asked the session bus for a global menu bar"
    else
      pass "the game asked the session bus for no global menu bar"
    fi
  fi

  if [ -x "$stalled_server" ]; then
    "$stalled_server" "$work/silent-bus" &
    pids+=($!)
    sleep 0.2
    DISPLAY=$display DBUS_SESSION_BUS_ADDRESS="unix:path=$work/silent-bus" \
      KELVO_REPORT_FIRST_FRAME=1 timeout 15 "$game" >"$work/out" 2>&1
    status=$?
    if [ "$status" -eq 0 ] && grep -q '^kelvo-first-frame ' "$work/out" &&
      grep -q '^kelvo: the session bus (unix:path=.*) did not answer' "$work/out"; then
      pass "a silent session bus: $(grep '^kelvo: ' "$work/out"), and the window came"
    else
      fail "a silent session bus: exit status $status, said: $(head -n3 "$work/out" | tr '\n' ' ')"
    fi
  fi

  dbus-daemon --session --fork --address="unix:path=$XDG_RUNTIME_DIR/bus" --print-pid=3 \
    3>"$work/bus.pid"
  pids+=("$(cat "$work/bus.pid")")
  uses_bus "the bus at \$XDG_RUNTIME_DIR/bus" "unix:path=$XDG_RUNTIME_DIR/bus" \
    DISPLAY="$display"
fi

if [ "$failed" -ne 0 ]; then
  echo "start_environment_check: $failed failed"
  exit 1
fi
echo "start_environment_check: all passed"
