#!/bin/bash
# Checks every generated sound and voice clip: the game's format, the lengths
# the cues are timed for, no clipping, one loudness with the voice a little
# above the effects, no silence left at the ends of a line but no line cut
# inside a sound either, and the pattern notes rising from left to right.
#   check_audio.sh LEVELS_SH SOUNDS_DIR VOICE_DIR LINES.tsv
set -uo pipefail

. "$1"
sounds=$2
voice=$3
lines=$4
failures=0
checked=0

fail() {
  echo "FAIL $*"
  failures=$((failures + 1))
}

# within VALUE LOW HIGH
within() {
  awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }'
}

# edge CLIP [reverse]: seconds of silence at the start of a clip, or at its end
# with "reverse", in edge_s. Silence is below -65 dBFS above 100 Hz: the soft
# release of a last "t" is part of the word, and the voice keeps it.
edge() {
  edge_s=$(sox "$1" -n highpass 100 ${2:-} silence 1 0.002 -65d stat 2>&1 |
             awk -v t="$length" '/^Length/ { printf "%.3f", t - $3 }')
}

# check CLIP MIN_SECONDS MAX_SECONDS TARGET_DB BELOW_DB: format, length,
# peak and loudness (from BELOW_DB under the target to 0.5 dB above it), and
# no more than 50 ms of silence at either end; leaves the loudness in db.
check() {
  local clip=$1 name info format
  name=$(basename "$clip")
  checked=$((checked + 1))
  info=$(soxi "$clip")
  format=$(awk -F ': ' '/^Channels/ { c = $2 } /^Sample Rate/ { r = $2 } /^Precision/ { b = $2 }
                        /^Sample Encoding/ { e = $2 } END { print c, r, b, e }' <<< "$info")
  [ "$format" = "1 $rate 16-bit 16-bit Signed Integer PCM" ] ||
    fail "$name: $format, not mono 16-bit PCM at $rate Hz"
  length=$(awk -F '[=:]' '/^Duration/ { split($5, n, " "); print n[1] / '"$rate"' }' <<< "$info")
  within "$length" "$2" "$3" || fail "$name: $length s long, not $2 to $3 s"
  edge "$clip"
  within "$edge_s" 0 0.05 || fail "$name: $edge_s s of silence at the start"
  peak_db=$(peak "$clip")
  within "$peak_db" -100 "$peak_ceiling" || fail "$name: peak $peak_db dBFS above $peak_ceiling"
  edge "$clip" reverse
  within "$edge_s" 0 0.05 || fail "$name: $edge_s s of silence at the end"
  db=$(loudness "$clip" "$length")
  within "$db" "$(awk -v t="$4" -v b="$5" 'BEGIN { print t - b }')" "$(awk -v t="$4" 'BEGIN { print t + 0.5 }')" ||
    fail "$name: loudness $db dB, target $4 dB"
}

# edge_peak CLIP [reverse]: peak in dBFS of the first 5 ms of a clip (the last
# with "reverse") above 100 Hz, where the DC and hum of a clip are not.
edge_peak() {
  sox "$1" -n ${2:-} trim 0 0.005 highpass 100 stats 2>&1 | awk '$1 == "Pk" && $2 == "lev" { print ($4 == "-inf") ? -200 : $4 }'
}

# The sounds, with the lengths the cues are timed for.
declare -A longest=([card_up]=0.3 [card_down]=0.3 [pair_found]=0.5 [pair_wrong]=0.5
  [pop]=0.3 [hit]=0.3 [miss]=0.3 [stage]=0.6 [game_failed]=1.0)
effects_sum=0
for name in card_up card_down pair_found pair_wrong note_0 note_1 note_2 note_3 pop hit miss stage fanfare game_failed; do
  clip=$sounds/$name.wav
  [ -f "$clip" ] || { fail "$name.wav missing"; continue; }
  case $name in
    note_*) range="0.5 0.6" ;;     # held as long as a light, 600 ms
    fanfare) range="1.5 2.5" ;;
    *) range="0.05 ${longest[$name]}" ;;
  esac
  # shellcheck disable=SC2086
  check "$clip" $range "$effect_target" 1
  effects_sum=$(awk -v s="$effects_sum" -v d="$db" 'BEGIN { print s + d }')
done

# The four notes rise from left to right, each clearly above the last (at least
# a whole tone, 12 %).
previous=0
for i in 0 1 2 3; do
  clip=$sounds/note_$i.wav
  [ -f "$clip" ] || continue
  hz=$(sox "$clip" -n stat 2>&1 | awk '/Rough   frequency/ { print $3 }')
  awk -v p="$previous" -v f="$hz" 'BEGIN { exit !(f > p * 1.12) }' ||
    fail "note_$i.wav: about $hz Hz, not clearly above the note before ($previous Hz)"
  previous=$hz
done

# The voice: exactly one clip per line, each as long as its words need at a
# calm pace.
voice_sum=0
voice_count=0
keys=$(cut -f 1 "$lines" | grep -v '^$' | sort)
clips=$(find "$voice" -name '*.wav' -printf '%f\n' | sed 's/\.wav$//' | sort)
[ "$keys" = "$clips" ] || fail "the voice clips are not exactly the lines: $(diff <(echo "$keys") <(echo "$clips") | grep '^[<>]' | tr '\n' ' ')"
while IFS=$'\t' read -r key text; do
  [ -n "$key" ] || continue
  clip=$voice/$key.wav
  [ -f "$clip" ] || continue
  words=$(echo "$text" | wc -w)
  # From a quick reader's 0.15 s a word to a slow one's 0.9 s, with the pauses.
  shortest=$(awk -v w="$words" 'BEGIN { print w * 0.15 }')
  longest_line=$(awk -v w="$words" 'BEGIN { print w * 0.9 + 0.5 }')
  check "$clip" "$shortest" "$longest_line" "$voice_target" 2.5
  # A line that starts or ends loud was cut inside a sound: a child hears
  # "Click" as "lick", or "left" as "less".
  edge_db=$(edge_peak "$clip")
  within "$edge_db" -200 -50 || fail "$key.wav: starts inside a sound ($edge_db dBFS in its first 5 ms)"
  edge_db=$(edge_peak "$clip" reverse)
  within "$edge_db" -200 -50 || fail "$key.wav: ends inside a sound ($edge_db dBFS in its last 5 ms)"
  voice_sum=$(awk -v s="$voice_sum" -v d="$db" 'BEGIN { print s + d }')
  voice_count=$((voice_count + 1))
done < "$lines"

# The voice stands a little above the effects, on average.
if [ "$voice_count" -gt 0 ]; then
  awk -v v="$voice_sum" -v n="$voice_count" -v e="$effects_sum" \
    'BEGIN { exit !(v / n - e / 14 >= 2) }' || fail "the voice is not at least 2 dB above the effects"
fi

echo "$checked clips checked, $failures failures"
[ "$failures" -eq 0 ]
