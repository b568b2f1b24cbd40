#!/bin/bash
# Starts the built game where it cannot run and checks that it ends at once
# with its own message and status 1, never hanging without a window nor
# aborting: scale factors that leave no usable screen, an X display and a
# Wayland display that are not there, an unknown Qt platform.  Then, on a
# private X server (where Xvfb is installed), that no session bus is
# autolaunched for the game while a real one is still used.
#   tests/start_environment_check.sh path/to/kelvo
set -u
game=$(readlink -f "$1")
work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
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
# ends with status 1 and a first line "kelvo: MESSAGE-START...".
refused() {
  local what=$1 expected=$2 status
  shift 2
  env "$@" timeout 20 "$game" >"$work/out" 2>&1
  status=$?
  if [ "$status" -eq 1 ] && head -n1 "$work/out" | grep -q "^kelvo: $expected"; then
    pass "$what: $(head -n1 "$work/out")"
  else
    case $status in
      124) status="$status (still running after 20 s)" ;;
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
dead_x=""
for n in $(seq 901 999); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || {
    dead_x=$n
    break
  }
done
refused "DISPLAY=:$dead_x" "cannot open the display (DISPLAY=:$dead_x)" DISPLAY=":$dead_x"
refused "WAYLAND_DISPLAY of no compositor" "cannot open the display (WAYLAND_DISPLAY=" \
  WAYLAND_DISPLAY=kelvo-nowhere
refused "QT_QPA_PLATFORM=wayland without a compositor" \
  "cannot open the display (QT_QPA_PLATFORM=wayland" QT_QPA_PLATFORM=wayland \
  WAYLAND_DISPLAY=kelvo-nowhere
refused "QT_QPA_PLATFORM of no plugin" "cannot open the display (QT_QPA_PLATFORM=" \
  QT_QPA_PLATFORM=kelvo-nowhere

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
