#!/usr/bin/env bash
# Renders the stand-in audio: render_standin_audio.sh LINES.tsv OUTDIR RCC
set -euo pipefail
lines=$1 out=$2 rcc=$3
rm -rf "$out/sounds" "$out/voice"
mkdir -p "$out/sounds" "$out/voice"
format=(-r 16000 -c 1 -b 16)

# Soft sines with a quick rise and a long fade: name, seconds, hertz.
sound() { sox -n "${format[@]}" "$out/sounds/$1.wav" synth "$2" sine "$3" fade q 0.01 "$2" "$(awk -v s="$2" 'BEGIN {print s * 0.8}')" vol 0.4; }
sound card_up 0.15 660
sound card_down 0.15 440
sound pair_found 0.4 880
sound pair_wrong 0.4 220
sound note_0 0.55 523
sound note_1 0.55 587
sound note_2 0.55 659
sound note_3 0.55 784
sound pop 0.12 990
sound hit 0.2 1175
sound miss 0.2 330
sound stage 0.5 698
sound fanfare 2.0 523
sound game_failed 0.8 196

while IFS=$'\t' read -r key text; do
  flite -t "$text" -o "$out/voice/tmp.wav"
  sox "$out/voice/tmp.wav" "${format[@]}" "$out/voice/$key.wav"
done <"$lines"
rm -f "$out/voice/tmp.wav"

{
  echo '<RCC><qresource prefix="/audio">'
  (cd "$out" && find sounds voice -name '*.wav' | sort | sed 's|.*|<file>&</file>|')
  echo '</qresource></RCC>'
} >"$out/audio.qrc"
"$rcc" --binary -o "$out/audio.rcc" "$out/audio.qrc"
