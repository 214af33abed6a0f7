# Sourced by the sound maker, the voice renderer and the level check, so that all
# three use one format and one loudness target.

rate=22050          # Hz; every clip is mono 16-bit PCM at this rate
voice_target=-19    # dB, the voice a little above the effects
effect_target=-22   # dB
peak_ceiling=-1     # dBFS, headroom so that no clip can clip after resampling

# Seeded noise and dither: the same sources give the same files on every build.
export SOX_OPTS="-R"

# Loudness of a clip in dB: the RMS of the signal weighted roughly as the ear
# weighs it (a 38 Hz high-pass and a +4 dB shelf above 1.5 kHz, after the K curve
# of loudness meters), taken over the clip but over at least 0.4 s, because the
# ear hears a very short sound as softer than a held one of the same level.
#   loudness CLIP [SECONDS]   (the clip's length, if known)
loudness() {
  _pad=$(awk -v l="${2:-$(soxi -D "$1")}" 'BEGIN { print (l < 0.4) ? 0.4 - l : 0 }')
  sox "$1" -n highpass 38 treble 4 1500 pad 0 "$_pad" stats 2>&1 | awk '$1 == "RMS" && $2 == "lev" { print $4 }'
}

# Sample peak of a clip in dBFS.
peak() {
  sox "$1" -n stats 2>&1 | awk '$1 == "Pk" && $2 == "lev" { print $4 }'
}

# level IN OUT TARGET: brings IN to the target loudness and writes OUT in the
# game's format. A clip whose peak would then pass the ceiling is turned down
# until it does not, and so ends up a little below the target.
level() {
  _gain=$(awk -v t="$3" -v l="$(loudness "$1")" -v p="$(peak "$1")" -v c="$peak_ceiling" \
    'BEGIN { g = t - l; if (p + g > c) g = c - p; printf "%.2f", g }')
  sox "$1" -r "$rate" -c 1 -b 16 "$2" gain "$_gain"
}
