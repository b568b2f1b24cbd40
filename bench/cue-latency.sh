#!/bin/sh
# Time from PlaySoundCue to the first sample at a private sound server's
# null sink (see bench/cue_latency.cpp), on a private PulseAudio and a
# private PipeWire (tools/sound-servers.sh: the desktop's own server, if
# any, is left alone).
#   bench/cue-latency.sh [build/bench/kelvo_cue_latency] [RUNS] [KIND...]
# KIND is pulseaudio or pipewire; both by default.
set -u
program=$(readlink -f "${1:-build/bench/kelvo_cue_latency}")
runs="${2:-20}"
if [ $# -gt 2 ]; then shift 2; else set -- pulseaudio pipewire; fi
cache="$(dirname "$(dirname "$program")")/sound-servers"
. "$(dirname "$0")/../tools/sound-servers.sh"
work=$(mktemp -d)
silence_pid=""
cleanup() {
  [ -n "$silence_pid" ] && kill "$silence_pid" 2>/dev/null && wait "$silence_pid" 2>/dev/null
  stop_sound_server
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
unset DISPLAY WAYLAND_DISPLAY

for kind in "$@"; do
  if ! start_sound_server "$kind" "$work/$kind" "$cache"; then
    echo "$kind: skipped: $sound_server_why"
    stop_sound_server
    continue
  fi
  # Silence keeps the null sink running, so its monitor does not wake up late.
  pacat --raw --format=s16le --channels=1 --rate=22050 --device=kelvo_check /dev/zero \
    >/dev/null 2>&1 &
  silence_pid=$!
  printf '%s: ' "$kind"
  KELVO_RECORDER="exec parec --latency-msec=5 --device=kelvo_check.monitor --format=s16le --channels=1 --rate=22050 --raw 2>/dev/null" \
    "$program" "$runs"
  kill "$silence_pid" 2>/dev/null && wait "$silence_pid" 2>/dev/null
  silence_pid=""
  stop_sound_server
done
