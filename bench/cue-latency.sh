#!/bin/sh
# Time from PlaySoundCue to the first sample at a private PulseAudio
# server's null sink (see bench/cue_latency.cpp); the desktop's own server,
# if any, is left alone.
#   bench/cue-latency.sh [build/bench/kelvo_cue_latency] [RUNS]
set -u
program=$(readlink -f "${1:-build/bench/kelvo_cue_latency}")
runs="${2:-20}"
work=$(mktemp -d)
server_pid=""
silence_pid=""
cleanup() {
  [ -n "$silence_pid" ] && kill "$silence_pid" 2>/dev/null && wait "$silence_pid" 2>/dev/null
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

mkdir -p "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
export PULSE_SERVER="unix:$work/runtime/pulse/native"
unset DISPLAY WAYLAND_DISPLAY

pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --disable-shm=yes \
  --log-target=stderr --log-level=error \
  -L "module-native-protocol-unix auth-anonymous=1" \
  -L "module-null-sink sink_name=kelvo_bench rate=44100" >/dev/null 2>"$work/server.log" &
server_pid=$!
tries=0
until pactl info >/dev/null 2>&1; do
  tries=$((tries + 1))
  if [ $tries -gt 50 ] || ! kill -0 "$server_pid" 2>/dev/null; then
    echo "skipped: no PulseAudio server could be started: $(tail -n 1 "$work/server.log")"
    exit 0
  fi
  sleep 0.1
done
# Silence keeps the null sink running, so its monitor does not wake up late.
pacat --raw --format=s16le --channels=1 --rate=22050 /dev/zero >/dev/null 2>&1 &
silence_pid=$!

KELVO_RECORDER="exec parec --latency-msec=5 --device=kelvo_bench.monitor --format=s16le --channels=1 --rate=22050 --raw 2>/dev/null" \
  "$program" "$runs"
