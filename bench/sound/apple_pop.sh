#!/usr/bin/env bash
# How long from the worm apple's appearance to its pop at the sound server:
# the tick that puts the apple up and has the director place its pop (on the
# headless platform, in process), then from the pop handed to the desktop's
# clip sink to its stream at the server (a private PulseAudio with a null
# sink; `pactl subscribe` stamps the server's news of the new stream). A
# figure, not a test.
#   scripts/with-sound-server bench/sound/apple_pop.sh PLAY_APPLE [RUNS]
set -euo pipefail
play=$1
runs=${2:-20}
work=$(mktemp -d)
watcher=
# The watcher's pactl ends with the server, when the command is over.
trap '[ -n "$watcher" ] && kill $watcher 2>/dev/null; rm -rf "$work"' EXIT
python3 -u -c '
import subprocess, sys, time
news = subprocess.Popen(["pactl", "subscribe"], stdout=subprocess.PIPE, text=True)
for line in news.stdout:
    if "new" in line and "sink-input" in line:
        print("%.6f" % time.time(), flush=True)' > "$work/news" &
watcher=$!
# Unmeasured pops until the watcher stamps the server's news.
until [ -s "$work/news" ]; do "$play" left >/dev/null; done
sleep 1
: > "$work/pairs"
for i in $(seq "$runs"); do
  side=left; [ $((i % 2)) -eq 0 ] && side=right
  before=$(wc -l < "$work/news")
  handed=$("$play" "$side" | awk '$1 == "handed" { print $2, $4 }')
  for _ in $(seq 250); do [ "$(wc -l < "$work/news")" -gt "$before" ] && break; sleep 0.02; done
  stamp=$(sed -n "$((before + 1))p" "$work/news")
  [ -n "$stamp" ] && echo "$handed $stamp" >> "$work/pairs"
done
paste -d' ' "$work/handed" "$work/news" | awk '
  { tick[NR] = $2; way[NR] = ($3 - $1) * 1000 }
  function median(a, n,   i, j, t) {
    for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  END {
    n = NR; lo = hi = way[1]; for (i = 1; i <= n; i++) { if (way[i] < lo) lo = way[i]; if (way[i] > hi) hi = way[i] }
    tlo = thi = tick[1]; for (i = 1; i <= n; i++) { if (tick[i] < tlo) tlo = tick[i]; if (tick[i] > thi) thi = tick[i] }
    printf "tick that puts the apple up, with its cue: median %.3f ms [%.3f-%.3f]\n", median(tick, n), tlo, thi
    printf "pop handed to the sink to its stream at the server: median %.1f ms [%.1f-%.1f], %d runs\n", median(way, n), lo, hi, n
  }' "$work/pairs"
