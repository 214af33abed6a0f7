#!/bin/bash
# Makes the game's sounds with sox alone: soft struck bars and chimes built
# from sine partials that start gently and die away exponentially, the upper
# partials faster than the lowest, as on a marimba or a music box. No square
# waves, nothing above the low treble, every note from C major pentatonic
# (C D E G A), so that sounds heard close together never clash.
#   make_sounds.sh OUT_DIR
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
. "$here/levels.sh"

[ $# -eq 1 ] || { echo "usage: $0 OUT_DIR" >&2; exit 2; }
out=$1
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM

# The notes used, in Hz.
A3=220.00 C4=261.63 D4=293.66 E4=329.63 G4=392.00
C5=523.25 E5=659.26 G5=783.99 A5=880.00 C6=1046.50

# calc EXPRESSION: the value of an arithmetic expression with fractions.
calc() { awk "BEGIN { print $* }"; }

# The partials of the sound being built, as inputs of one sox mix, and the
# level every partial is scaled by so that the mix does not clip before it is
# levelled.
parts=()
mix=0.3

# partial HZ START LENGTH FALL LEVEL: a sine that fades in over 4 ms at START
# seconds, dies away exponentially (100 dB in FALL seconds) and stops at LENGTH.
# Every part ends in 10 ms of silence, so that the mix is never a sample short
# of the length it is cut to.
partial() {
  local fit
  fit=$(awk -v l="$3" -v f="$4" 'BEGIN { print (l < f) ? "trim 0 " l : "pad 0 " l - f }')
  parts+=(-v "$(calc "$5 * $mix")"
          "|sox -n -r $rate -c 1 -p synth $4 sine $1 fade q 0.004 fade l 0 $4 $4 $fit pad $2 0.01")
}

# marimba HZ START LENGTH [LEVEL]: a soft wooden bar; its overtone near the
# fourth harmonic gives the knock of the mallet and is gone within 0.1 s.
marimba() {
  local l=${4:-1}
  partial "$1" "$2" "$3" 1.2 "$l"
  partial "$(calc "$1 * 3.93")" "$2" "$3" 0.25 "$(calc "$l * 0.16")"
}

# chime HZ START LENGTH [LEVEL] [FALL]: a music-box bell, long in the
# fundamental and short in three soft overtones, the last slightly out of tune
# for a little shimmer.
chime() {
  local l=${4:-1} f=${5:-2.5}
  partial "$1" "$2" "$3" "$f" "$l"
  partial "$(calc "$1 * 2")" "$2" "$3" "$(calc "$f / 2.5")" "$(calc "$l * 0.3")"
  partial "$(calc "$1 * 3")" "$2" "$3" "$(calc "$f / 5")" "$(calc "$l * 0.1")"
  partial "$(calc "$1 * 4.2")" "$2" "$3" "$(calc "$f / 10")" "$(calc "$l * 0.04")"
}

# swish START LENGTH LEVEL: a card brushing the table, pink noise in a band
# around 2.5 kHz that swells and fades.
swish() {
  parts+=(-v "$(calc "$3 * $mix")"
          "|sox -n -r $rate -c 1 -p synth $2 pinknoise sinc 1200-3800 fade h $(calc "$2 / 2") $2 $(calc "$2 / 2") pad $1 0.01")
}

# sweep FROM TO START LENGTH LEVEL: a sine gliding from one pitch to another,
# the bubble of a picture popping up.
sweep() {
  parts+=(-v "$(calc "$5 * $mix")"
          "|sox -n -r $rate -c 1 -p synth $4 sine $1:$2 fade q 0.004 fade l 0 $4 $4 pad $3 0.01")
}

# sound NAME LENGTH: mixes the partials into NAME.wav, LENGTH seconds long,
# with a short fade at the end, and levels it to the effects' loudness.
sound() {
  local combine=(-m)
  [ ${#parts[@]} -gt 3 ] || combine=()
  sox "${combine[@]}" "${parts[@]}" -r "$rate" -c 1 "$work/$1.wav" lowpass 5000 trim 0 "$2" reverse fade q 0.03 reverse
  level "$work/$1.wav" "$out/$1.wav" "$effect_target"
  parts=()
}

# A card turns face up: a brush and a light tock.
swish 0 0.1 0.25; marimba "$G5" 0.03 0.22
sound card_up 0.25

# The cards turn back: a brush and two low tocks, one for each card.
swish 0 0.12 0.25; marimba "$E4" 0.02 0.26; marimba "$C4" 0.1 0.18 0.9
sound card_down 0.28

# A pair found, a right answer: a bright step up.
chime "$C5" 0 0.45; chime "$G5" 0.09 0.36
sound pair_found 0.45

# A wrong pair: a soft "oh-oh", falling a minor third, low and round.
marimba "$G4" 0 0.2 0.9; marimba "$E4" 0.2 0.26
sound pair_wrong 0.46

# Follow the Pattern's four notes, left to right, a fourth or a third apart so
# that each is told from its neighbours; held for the 600 ms of a light.
i=0
for note in "$G4" "$C5" "$E5" "$A5"; do
  chime "$note" 0 0.55 1 3
  marimba "$note" 0 0.55 0.5
  sound "note_$i" 0.55
  i=$((i + 1))
done

# A picture pops up: a small bubble.
sweep 330 880 0 0.15 1
sound pop 0.1

# The baby comes up: a soft music-box "coo", two notes falling, nothing like
# the apple's bubble.
chime "$E5" 0 0.2 0.7 0.6; chime "$C5" 0.09 0.2 0.6 0.6
sound baby 0.3

# A hit: two quick bright taps up.
marimba "$G5" 0 0.12; marimba "$C6" 0.06 0.2
sound hit 0.26

# A miss: one soft low tock, nothing more.
marimba "$A3" 0 0.25
sound miss 0.25

# A new stage: a rising arpeggio.
chime "$C5" 0 0.55 0.8; chime "$E5" 0.1 0.45 0.8; chime "$G5" 0.2 0.35 0.8
sound stage 0.55

# The completion screen: an arpeggio up to the octave, then the chord rings out.
chime "$C5" 0 0.6 0.7; chime "$E5" 0.13 0.47 0.7; chime "$G5" 0.26 0.34 0.7
chime "$C5" 0.6 1.4 0.5 5; chime "$E5" 0.6 1.4 0.4 5; chime "$G5" 0.6 1.4 0.4 5; chime "$C6" 0.6 1.4 0.6 5
marimba "$C4" 0.6 1.4 0.6
sound fanfare 2.0

# A game failed: four slow notes walking down, gentle, not sad.
marimba "$G4" 0 0.3 0.9; marimba "$E4" 0.25 0.3 0.9; marimba "$D4" 0.5 0.3 0.9; marimba "$C4" 0.7 0.25
sound game_failed 0.95
