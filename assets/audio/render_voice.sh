#!/bin/sh
# Renders Tobble's lines with the offline voice of Debian's festival and
# festvox-us-slt-hts packages.
#   render_voice.sh LINES.tsv OUT_DIR [JOBS]
# LINES.tsv holds one line per clip, "<key><TAB><spoken text>", the text already
# written as it is to be said. OUT_DIR receives <key>.wav for every line and
# nothing else: clips of lines that are gone are removed. The lines are shared
# out among JOBS festival processes (2 if not given), as starting the voice
# costs more than rendering a short line; lines rendered before, with the same
# words and the same recipe, are kept.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/levels.sh"

[ $# -ge 2 ] || { echo "usage: $0 LINES.tsv OUT_DIR [JOBS]" >&2; exit 2; }
lines=$1
out=$2
jobs=${3:-2}

# A little slower than the voice's own pace (the engine stretches the frames,
# so the pitch stays where it is), and a pause after each sentence. A word
# said alone keeps the voice's own pace: stretched, its stops and vowels grow
# apart until "sixty" sounds like "six day".
speed=0.94
word_speed=1.0
pause=0.5

# What is kept of a sentence: from a lead-in before its first sound to a
# tail after its last, found after a high-pass (so that the synthesiser's hum
# and DC do not count as sound) at a level below the sentence's peak low
# enough to keep a soft first or last consonant, "f" or the release of a "t".
# The fades lie in the lead-in and the tail, never over the consonants.
hear_from=100   # Hz
hear_below=55   # dB under the sentence's peak
lead=0.03       # s
tail=0.04       # s

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
mkdir -p "$out"

# A clip is made again only when its words or the way clips are made have
# changed: <key>.said beside it records both.
recipe=$(cat "$here/render_voice.sh" "$here/levels.sh" | md5sum | cut -c 1-32)

# Check the lines and deal those to be rendered out, one text file per line
# and one festival script per job.
awk -F '\t' -v work="$work" -v jobs="$jobs" -v out="$out" -v recipe="$recipe" \
    -v speed="$speed" -v word_speed="$word_speed" '
  /^[ \t]*$/ { next }
  NF != 2 || $1 !~ /^[a-z0-9_]+$/ || $2 !~ /[A-Za-z]/ {
    printf "%s:%d: expected <key>TAB<words>\n", FILENAME, FNR > "/dev/stderr"; failed = 1; exit 1
  }
  $1 in seen { printf "%s:%d: key %s given twice\n", FILENAME, FNR, $1 > "/dev/stderr"; failed = 1; exit 1 }
  {
    seen[$1] = 1
    lines++
    print $1 >> (work "/keys")
    said = out "/" $1 ".said"
    before = ""
    getline before < said; close(said)
    if (before == recipe "\t" $2 && system("test -f " out "/" $1 ".wav") == 0) next
    print $2 > (work "/" $1 ".txt"); close(work "/" $1 ".txt")
    print recipe "\t" $2 > (work "/" $1 ".said"); close(work "/" $1 ".said")
    print "(say \"" $1 "\" " (split($2, words, " ") == 1 ? word_speed : speed) ")" >> (work "/job" (n++ % jobs) ".scm")
  }
  END { if (!failed && lines == 0) { printf "%s: no lines\n", FILENAME > "/dev/stderr"; exit 1 } }
' "$lines"

# festival splits a text into sentences itself; each sentence is saved apart,
# so that the pauses between them are ours.
preamble="(voice_cmu_us_slt_arctic_hts)
(define (say key speed)
  (set! hts_engine_params (append cmu_us_slt_arctic_hts::hts_engine_params (list (list \"-r\" speed))))
  (set! part 0)
  (set! tts_hooks
        (list utt.synth
              (lambda (utt)
                (utt.save.wave utt (format nil \"$work/%s.%03d.raw.wav\" key part) 'riff)
                (set! part (+ part 1)))))
  (tts_file (format nil \"$work/%s.txt\" key) nil))
"

# quiet SENTENCE [reverse]: seconds before its first sound (after its last with
# "reverse"), with _total and _level set by edges.
quiet() {
  sox "$1" -n highpass "$hear_from" ${2:-} silence 1 0.002 "${_level}d" stat 2>&1 |
    awk -v t="$_total" '/^Length/ { printf "%.4f", t - $3 }'
}

# edges SENTENCE: sets from and length, the part of it to keep, and pad_start
# and pad_end, the silence to add where festival left less than the lead-in or
# the tail.
edges() {
  _total=$(soxi -D "$1")
  _level=$(sox "$1" -n highpass "$hear_from" stats 2>&1 |
    awk -v b="$hear_below" '$1 == "Pk" && $2 == "lev" { print $4 - b }')
  eval "$(awk -v t="$_total" -v first="$(quiet "$1")" -v last="$(quiet "$1" reverse)" -v lead="$lead" -v tail="$tail" '
    BEGIN {
      from = first - lead; pad_start = 0; if (from < 0) { pad_start = -from; from = 0 }
      to = t - last + tail; pad_end = 0; if (to > t) { pad_end = to - t; to = t }
      printf "from=%.4f length=%.4f pad_start=%.4f pad_end=%.4f\n", from, to - from, pad_start, pad_end
    }')"
}

# finish KEY: trims each sentence, joins them with the pauses, and levels the line.
finish() {
  key=$1
  set --
  for raw in "$work/$key".*.raw.wav; do
    [ -e "$raw" ] || { echo "$0: festival said nothing for $key" >&2; return 1; }
    part=${raw%.raw.wav}.wav
    edges "$raw"
    sox "$raw" "$part" trim "$from" "$length" pad "$pad_start" "$pad_end" fade t "$lead" 0 "$tail" pad 0 "$pause"
    set -- "$@" "$part"
  done
  # The last sentence keeps no pause; a high-pass takes off the voice's DC
  # offset, and a quick, gentle limit on the sharpest pulses of the voice lets
  # every line reach the loudness target below the peak ceiling.
  sox "$@" "$work/$key.joined.wav" highpass 60 reverse trim "$pause" reverse \
    norm -1 compand 0.0002,0.05 -7,-7,0,-4 0 -90 0.0005
  level "$work/$key.joined.wav" "$out/$key.wav" "$voice_target"
  cp "$work/$key.said" "$out/$key.said"
}

pids=
for script in "$work"/job*.scm; do
  [ -e "$script" ] || continue
  (
    { printf '%s\n' "$preamble"; cat "$script"; } > "$script.run"
    festival -b "$script.run" > "$script.log" 2>&1 || { cat "$script.log" >&2; exit 1; }
    sed -n 's/^(say "\([a-z0-9_]*\)".*$/\1/p' "$script" | while read -r key; do finish "$key"; done
  ) &
  pids="$pids $!"
done
status=0
for pid in $pids; do wait "$pid" || status=1; done
[ $status -eq 0 ] || exit 1

# Clips of lines that are no longer in the list would still be embedded.
for clip in "$out"/*.wav; do
  key=$(basename "$clip" .wav)
  grep -qx "$key" "$work/keys" || rm -f "$out/$key".*
done
