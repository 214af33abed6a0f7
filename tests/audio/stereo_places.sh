#!/usr/bin/env bash
# Records the worm apple's pop from a hole of the left column and one of the
# right column from the stereo null sink of a sound server of the test's own
# (run inside scripts/with-sound-server; parec in stereo) and measures each
# channel with sox: the left hole's pop must be louder on the left, the right
# hole's on the right.
#   scripts/with-sound-server stereo_places.sh PLAY_APPLE WORKDIR
set -euo pipefail
play=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
recorder= keepalive=
trap 'kill $recorder $keepalive 2>/dev/null; wait 2>/dev/null || true' EXIT
# A silent stream keeps the sink's clock running, so the monitor records.
pacat --raw --rate=44100 --channels=2 --format=s16le </dev/zero &
keepalive=$!

# The RMS level in dB of one channel of a recording.
level() { sox "$1" -n remix "$2" stats 2>&1 | awk '$1 == "RMS" && $2 == "lev" { print $4 }'; }

# Waits until a recording holds more than BYTES, or gives up after a long while.
grown() {
  for _ in $(seq 600); do
    [ "$(stat -c %s "$1")" -gt "$2" ] && return 0
    sleep 0.05
  done
  echo "the recording stopped growing" >&2
  exit 1
}

status=0
for side in left right; do
  # Short fragments, so the recording follows the sink closely.
  parec --latency-msec=20 -d nowhere.monitor --rate=44100 --channels=2 --format=s16le --file-format=wav \
    "$work/$side.wav" &
  recorder=$!
  until [ -e "$work/$side.wav" ]; do sleep 0.05; done
  grown "$work/$side.wav" 44  # recording, past the header
  "$play" "$side"
  # The pop has been played out at the sink; its echo on the monitor comes
  # with the next quarter of a second recorded.
  grown "$work/$side.wav" $(( $(stat -c %s "$work/$side.wav") + 44100 ))
  kill -INT "$recorder"
  wait "$recorder" || true
  recorder=
  l=$(level "$work/$side.wav" 1)
  r=$(level "$work/$side.wav" 2)
  echo "$side hole's pop: left channel $l dB, right channel $r dB"
  # At least 6 dB between the sides; silence reads as -inf, which fails.
  if [ "$side" = left ]; then louder=$l; softer=$r; else louder=$r; softer=$l; fi
  if ! awk -v a="$louder" -v b="$softer" 'BEGIN { exit !(a != "-inf" && (b == "-inf" || a - b >= 6)) }'; then
    echo "the $side hole's pop is not louder on its own side" >&2
    status=1
  fi
done
exit $status
