# Sound servers for the scripts, sourced (". tools/sound-servers.sh"), never
# run.  The one place that decides which sound server a machine has, and
# the private servers that the sound checks and the cue benchmark play to.
#
#   sound_server_kind              the machine's own: pipewire, pulseaudio or none
#   start_sound_server KIND DIR CACHE
#                                  a private server of KIND (pulseaudio or
#                                  pipewire) in DIR, with a null sink
#                                  "kelvo_check" as its default; the clients
#                                  reach it through the exported PULSE_SERVER.
#                                  Fails with the reason in $sound_server_why.
#   stop_sound_server              ends everything start_sound_server started
#   apt_has_lists                  whether apt has package lists to answer from
#
# A private server is the machine's installed one where it has it, and
# otherwise one made of Debian's packages: fetched with `apt-get download`
# into CACHE (once; nothing is installed, no root needed) and unpacked with
# `dpkg-deb -x`.  Either way it runs only as long as the caller wants it, on
# its own sockets in DIR, with its own session bus, settings and state there,
# and no real device: a desktop's own sound server, its user units and its
# settings are neither used nor touched.  KELVO_FETCH_SOUND_SERVERS=yes
# fetches a server even where the machine has it installed.

# PipeWire is the machine's sound server where its PulseAudio-protocol
# server is installed (a PipeWire desktop has it; a PulseAudio desktop may
# have PipeWire itself for screen sharing, but not that).
sound_server_kind() {
  if command -v pipewire-pulse >/dev/null 2>&1; then
    echo pipewire
  elif command -v pulseaudio >/dev/null 2>&1; then
    echo pulseaudio
  else
    echo none
  fi
}

# (apt-get update fetches them.)
apt_has_lists() {
  lists=""
  eval "$(apt-config shell lists Dir::State::lists/d 2>/dev/null)"
  for index in "${lists:-/var/lib/apt/lists}"/*_Packages*; do
    [ ! -e "$index" ] || return 0
  done
  return 1
}

# Whether the machine has every program a private server of kind $1 needs.
sound_server_installed() {
  case "$1" in
    pulseaudio) command -v pulseaudio >/dev/null 2>&1 ;;
    pipewire)
      command -v pipewire >/dev/null 2>&1 && command -v pipewire-pulse >/dev/null 2>&1 &&
        command -v wireplumber >/dev/null 2>&1
      ;;
    *) return 1 ;;
  esac
}

# The Debian packages of each kind's programs.
sound_server_packages() {
  case "$1" in
    pulseaudio) echo "pulseaudio" ;;
    pipewire) echo "pipewire-bin pipewire-pulse wireplumber" ;;
  esac
}

# Sets $sound_server_root to a folder holding the packages of kind $1, with
# whatever of their dependencies the machine lacks, kept in $2/$1.
fetch_sound_server() {
  fetch_dir="$2/$1"
  sound_server_root="$fetch_dir/root"
  [ -e "$fetch_dir/complete" ] && return 0
  if ! command -v apt-get >/dev/null 2>&1 || ! command -v dpkg-deb >/dev/null 2>&1; then
    sound_server_why="it is not installed, and apt-get and dpkg-deb are not there to fetch it"
    return 1
  fi
  top=$(sound_server_packages "$1")
  # apt's plan for installing them names what the machine lacks; it is only
  # a simulation.  The names themselves are fetched too, in case the
  # machine has them (KELVO_FETCH_SOUND_SERVERS).
  # shellcheck disable=SC2086
  if ! plan=$(LC_ALL=C apt-get install -s -q --no-install-recommends $top 2>&1); then
    sound_server_why="apt cannot resolve $top here: $(echo "$plan" | grep '^E:' | head -n 1)"
    apt_has_lists || sound_server_why="$sound_server_why (apt has no package lists: run apt-get update)"
    return 1
  fi
  debs=$({
    echo "$top" | tr ' ' '\n'
    echo "$plan" | sed -n 's/^Inst \([^ ]*\) .*/\1/p'
  } | sort -u)
  rm -rf "$fetch_dir"
  mkdir -p "$fetch_dir/debs"
  sandbox=""
  [ "$(id -u)" -ne 0 ] || sandbox="-o APT::Sandbox::User=root"
  # Bounded: a mirror that does not answer costs two minutes, not a hang.
  # shellcheck disable=SC2086
  if ! (cd "$fetch_dir/debs" && timeout 120 apt-get download -q $sandbox \
    -o Acquire::http::Timeout=20 -o Acquire::https::Timeout=20 -o Acquire::Retries=1 \
    $debs) >"$fetch_dir/download.log" 2>&1; then
    sound_server_why="downloading its packages failed: $({
      grep '^E:' "$fetch_dir/download.log"
      grep '^Err' "$fetch_dir/download.log"
    } | head -n 1)"
    [ -s "$fetch_dir/download.log" ] || sound_server_why="downloading the packages timed out"
    return 1
  fi
  for deb in "$fetch_dir"/debs/*.deb; do
    if ! dpkg-deb -x "$deb" "$fetch_dir/root.new" 2>>"$fetch_dir/download.log"; then
      sound_server_why="cannot unpack $(basename "$deb")"
      return 1
    fi
  done
  rm -rf "$fetch_dir/debs"
  mv "$fetch_dir/root.new" "$sound_server_root"
  touch "$fetch_dir/complete"
}

# Runs program $2 (with the arguments after it) from the fetched root $1,
# or the machine's own when $1 is empty, in the background; its process id
# joins $sound_server_pids.
run_sound_program() {
  root="$1"
  shift
  if [ -z "$root" ]; then
    "$@" >/dev/null 2>>"$sound_server_dir/server.log" &
  else
    libdir=$(find "$root/usr/lib" -maxdepth 1 -type d -name '*-linux-gnu*' | head -n 1)
    # PulseAudio's modules find the libraries beside them through their own
    # search path, which names the machine's folder, not the fetched one.
    pulsemodules=$(find "$root/usr/lib" -maxdepth 2 -type d -path '*/pulse-*/modules' | head -n 1)
    (
      export LD_LIBRARY_PATH="$libdir:$libdir/pulseaudio${pulsemodules:+:$pulsemodules}${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
      export XDG_DATA_DIRS="$root/usr/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
      [ ! -d "$libdir/spa-0.2" ] || export SPA_PLUGIN_DIR="$libdir/spa-0.2"
      [ ! -d "$libdir/pipewire-0.3" ] || export PIPEWIRE_MODULE_DIR="$libdir/pipewire-0.3"
      [ ! -d "$root/usr/share/pipewire" ] || export PIPEWIRE_CONFIG_DIR="$root/usr/share/pipewire"
      wpmodules=$(find "$libdir" -maxdepth 1 -type d -name 'wireplumber-*' | head -n 1)
      [ -z "$wpmodules" ] || export WIREPLUMBER_MODULE_DIR="$wpmodules"
      [ ! -d "$root/usr/share/wireplumber" ] || export WIREPLUMBER_DATA_DIR="$root/usr/share/wireplumber"
      program="$1"
      shift
      exec "$root/usr/bin/$program" "$@"
    ) >/dev/null 2>>"$sound_server_dir/server.log" &
  fi
  sound_server_pids="$! $sound_server_pids"
}

# shellcheck disable=SC2034 # sound_server_source is for the callers to report
start_sound_server() {
  sound_server_dir="$2"
  sound_server_why=""
  sound_server_pids=""
  sound_server_source="installed"
  root=""
  if ! sound_server_installed "$1" || [ -n "${KELVO_FETCH_SOUND_SERVERS:-}" ]; then
    fetch_sound_server "$1" "$3" || return 1
    root="$sound_server_root"
    sound_server_source="fetched from Debian's packages"
  fi

  mkdir -p "$2/runtime" "$2/home/.config"
  chmod 700 "$2/runtime"
  export XDG_RUNTIME_DIR="$2/runtime" PIPEWIRE_RUNTIME_DIR="$2/runtime"
  export HOME="$2/home" XDG_CONFIG_HOME="$2/home/.config"
  export PULSE_SERVER="unix:$2/runtime/pulse/native"
  unset PIPEWIRE_REMOTE DBUS_SESSION_BUS_ADDRESS WIREPLUMBER_CONFIG_DIR
  "start_$1" "$root" || return 1

  await_server "it did not come up" pactl info || return 1
  [ "$1" = pulseaudio ] && return 0
  if ! pactl load-module module-null-sink sink_name=kelvo_check rate=44100 >/dev/null 2>>"$2/server.log"; then
    sound_server_why="it refused a null sink: $(tail -n 1 "$2/server.log")"
    return 1
  fi
  # The session manager takes a moment to come up; until it has, there are
  # no defaults to set and nothing would be linked.
  await_server "its session manager did not come up" pactl set-default-sink kelvo_check
}

# Runs the command after $1 until it succeeds, for at most 10 s and while
# the server runs; when it gives up, $1 and the server's last word are the
# reason.
await_server() {
  why="$1"
  shift
  tries=0
  until "$@" >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! sound_server_running; then
      sound_server_why="$why: $(tail -n 1 "$sound_server_dir/server.log" 2>/dev/null)"
      return 1
    fi
    sleep 0.1
  done
}

start_pulseaudio() {
  modules=""
  [ -z "$1" ] || modules="-p $(find "$1/usr/lib" -type d -path '*/pulse-*/modules' | head -n 1)"
  # shellcheck disable=SC2086
  run_sound_program "$1" pulseaudio $modules -n --daemonize=no --exit-idle-time=-1 \
    --disallow-exit --disable-shm=yes --log-target=stderr --log-level=error \
    -L "module-native-protocol-unix auth-anonymous=1" \
    -L "module-null-sink sink_name=kelvo_check rate=44100"
}

# The session manager is kept away from every real device (sound cards,
# Bluetooth, cameras), which belong to the desktop's own server; the files
# are for WirePlumber 0.4 (read before its 90-enable-all.lua) and 0.5, in
# the private settings folder of an installed one, or in a copy of a fetched
# one's own settings (which, once named, are the only ones it reads).  It
# needs a session bus: a private one, not the desktop's.
start_pipewire() {
  if ! command -v dbus-daemon >/dev/null 2>&1; then
    sound_server_why="dbus-daemon is not installed (tools/install-deps test installs it)"
    return 1
  fi
  dbus-daemon --session --nofork --nopidfile --address="unix:path=$XDG_RUNTIME_DIR/bus" \
    >/dev/null 2>>"$sound_server_dir/server.log" &
  sound_server_pids="$!"
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
  wpconf="$XDG_CONFIG_HOME/wireplumber"
  if [ -n "$1" ]; then
    wpconf="$sound_server_dir/wireplumber"
    cp -R "$1/usr/share/wireplumber" "$wpconf"
    export WIREPLUMBER_CONFIG_DIR="$wpconf"
  fi
  mkdir -p "$wpconf/main.lua.d" "$wpconf/bluetooth.lua.d" "$wpconf/wireplumber.conf.d"
  for monitor in alsa_monitor v4l2_monitor libcamera_monitor bluez_monitor; do
    echo "if $monitor then $monitor.enabled = false end"
  done >"$wpconf/main.lua.d/89-kelvo-check.lua"
  cp "$wpconf/main.lua.d/89-kelvo-check.lua" "$wpconf/bluetooth.lua.d/"
  cat >"$wpconf/wireplumber.conf.d/99-kelvo-check.conf" <<'CONF'
wireplumber.profiles = {
  main = {
    monitor.alsa = disabled
    monitor.alsa-midi = disabled
    monitor.bluez = disabled
    monitor.bluez.seat-monitoring = disabled
    monitor.v4l2 = disabled
    monitor.libcamera = disabled
  }
}
CONF
  run_sound_program "$1" pipewire
  tries=0
  until [ -S "$XDG_RUNTIME_DIR/pipewire-0" ]; do
    tries=$((tries + 1))
    [ $tries -le 50 ] || break
    sleep 0.1
  done
  run_sound_program "$1" wireplumber
  run_sound_program "$1" pipewire-pulse
}

sound_server_running() {
  for pid in $sound_server_pids; do
    kill -0 "$pid" 2>/dev/null || return 1
  done
  [ -n "$sound_server_pids" ]
}

stop_sound_server() {
  for pid in $sound_server_pids; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  sound_server_pids=""
}
