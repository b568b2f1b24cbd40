# A private desktop for the screen-reader checks, sourced by
# tools/check-screen-reader and tools/check-orca: an X server (Xvfb, under
# openbox where it is installed), a session bus and an accessibility bus,
# all in a temporary folder and stopped again at exit, so that a desktop's
# own display and buses are neither used nor disturbed.  Each start_*
# function prints "skipped: ..." and exits 0 where it cannot start.
#
# Provides $work (the temporary folder) and pid_track PID for anything
# else the caller starts (and disowns: a job killed at the end is not
# reported).

work=$(mktemp -d)
private_pids=()
pid_track() {
  private_pids+=("$1")
  disown "$1" 2>/dev/null
}
private_cleanup() {
  local pid i
  for ((i = ${#private_pids[@]} - 1; i >= 0; i--)); do
    pid=${private_pids[i]}
    # Those started in a group of their own (setsid) go with what they
    # started.
    kill -- "-$pid" 2>/dev/null || kill "$pid" 2>/dev/null
    timeout 5 tail --pid="$pid" -f /dev/null 2>/dev/null
  done
  rm -rf "$work"
}
trap private_cleanup EXIT
trap 'exit 1' INT TERM

mkdir -p "$work/config" "$work/runtime" "$work/home" "$work/cache" "$work/data"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
export XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data"
unset WAYLAND_DISPLAY DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR AT_SPI_BUS_ADDRESS

# Polls `condition` every 0.1 s for at most `seconds`.
wait_until() {
  local tries=$(($1 * 10))
  shift
  while ! "$@"; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || return 1
    sleep 0.1
  done
}

start_xvfb() {
  Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
  pid_track $!
  if ! wait_until 10 test -s "$work/display"; then
    echo "skipped: Xvfb did not start: $(tail -n 1 "$work/xvfb.log")"
    exit 0
  fi
  export DISPLAY=":$(head -n 1 "$work/display")"
  if command -v openbox >/dev/null 2>&1; then
    openbox >"$work/wm.log" 2>&1 &
    pid_track $!
  fi
}

a11y_bus_address() {
  a11y_address=$(timeout 5 dbus-send --session --print-reply=literal --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' ')
  [ -n "$a11y_address" ]
}

# The session bus, and on it the accessibility bus (at-spi2-core's
# launcher, which starts the bus and its registry).
start_buses() {
  local launcher="" candidate
  for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
  done
  if [ -z "$launcher" ] || ! command -v dbus-daemon >/dev/null 2>&1; then
    echo "skipped: the accessibility bus (at-spi2-core, dbus-daemon) is not installed"
    exit 0
  fi
  setsid dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/runtime/bus" \
    >/dev/null 2>"$work/bus.log" &
  pid_track $!
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/bus"
  wait_until 5 test -S "$work/runtime/bus"
  setsid "$launcher" --launch-immediately >"$work/a11y-bus.log" 2>&1 &
  pid_track $!
  if ! wait_until 5 a11y_bus_address; then
    echo "skipped: the accessibility bus did not start: $(tail -n 1 "$work/a11y-bus.log")"
    exit 0
  fi
}

# The system's Python with the AT-SPI bindings in $python (a Python of
# one's own earlier in PATH would not see Debian's bindings).
find_atspi_python() {
  local candidate
  python=""
  for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' \
      >/dev/null 2>&1; then
      python=$candidate
      return 0
    fi
  done
  echo "skipped: the AT-SPI Python bindings (python3-gi, gir1.2-atspi-2.0) are not installed"
  exit 0
}
