#!/bin/sh
# Writes a compressed copy of every clip in DIR beside it, for the browser:
# <name>.opus (Ogg Opus, 24 kbit/s) and <name>.mp3 (for browsers without Opus).
#   web_copies.sh DIR
set -eu
[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
for clip in "$1"/*.wav; do
  base=${clip%.wav}
  opusenc --quiet --bitrate 24 "$clip" "$base.opus"
  lame --quiet -V 6 "$clip" "$base.mp3"
done
