#!/usr/bin/env bash
# Records the worm apple's pop from a hole of the left column and one of the
# right column through a stereo sound server of the test's own (a null sink,
# parec in stereo) and measures each channel with sox: the left hole's pop
# must be louder on the left, the right hole's on the right.
#   stereo_places.sh PLAY_APPLE WORKDIR
set -euo pipefail
play=$1
work=$2
rm -rf "$work"
mkdir -p "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
HOME=$work/home XDG_RUNTIME_DIR=$work/runtime pulseaudio --daemonize=no -n --exit-idle-time=-1 \
  --disable-shm=yes --use-pid-file=no --log-target=file:"$work/server.log" \
  -L "module-null-sink sink_name=heard rate=44100 channels=2" \
  -L "module-native-protocol-unix auth-anonymous=1 socket=$work/runtime/native" &
server=$!
recorder= keepalive=
trap 'kill $recorder $keepalive $server 2>/dev/null; wait 2>/dev/null || true' EXIT
export PULSE_SERVER=unix:$work/runtime/native
export DBUS_SESSION_BUS_ADDRESS=disabled:
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || { cat "$work/server.log" >&2; echo "the sound server did not start" >&2; exit 1; }
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
  parec --latency-msec=20 -d heard.monitor --rate=44100 --channels=2 --format=s16le --file-format=wav \
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
