#!/bin/sh
# Start-up of the real program under a private X server with a small window
# manager: time from exec to the first painted frame, and peak memory
# (maximum resident set), median of RUNS runs.
#   bench/startup.sh [BINARY] [RUNS]
set -eu
binary=$(readlink -f "${1:-build/kelvo}")
runs="${2:-9}"
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${KELVO_STARTUP_INNER:-}" ]; then
  exec env KELVO_STARTUP_INNER=1 xvfb-run -a -s '-screen 0 1280x800x24' "$here/startup.sh" "$binary" "$runs"
fi

openbox >/dev/null 2>&1 &
wm=$!
sleep 1
# One run to warm the caches (fonts, libraries), not counted.
KELVO_REPORT_FIRST_FRAME=1 "$binary" >/dev/null 2>&1 || true

out=$(mktemp)
for i in $(seq "$runs"); do
  start=$(date +%s.%N)
  KELVO_REPORT_FIRST_FRAME=1 /usr/bin/time -f 'kelvo-peak-kb %M' "$binary" 2>"$out.err" >/dev/null
  frame=$(sed -n 's/^kelvo-first-frame //p' "$out.err")
  peak=$(sed -n 's/^kelvo-peak-kb //p' "$out.err")
  echo "$(echo "($frame - $start) * 1000" | bc -l) $peak" >>"$out"
done
kill "$wm" 2>/dev/null || true

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ms=$(cut -d' ' -f1 "$out" | median)
kb=$(cut -d' ' -f2 "$out" | median)
printf 'first frame: %.0f ms (median of %s)\npeak memory: %.1f MB\n' "$ms" "$runs" "$(echo "$kb / 1024" | bc -l)"
rm -f "$out" "$out.err"
