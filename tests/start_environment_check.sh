#!/bin/bash
# Starts the built game where it cannot run and checks that it ends at once
# with its own message and status 1, never hanging without a window nor
# aborting: scale factors that leave no usable screen, an X display and a
# Wayland display that are not there, an unknown Qt platform.
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
mkdir -p "$work/config" "$work/runtime"
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

if [ "$failed" -ne 0 ]; then
  echo "start_environment_check: $failed failed"
  exit 1
fi
echo "start_environment_check: all passed"
