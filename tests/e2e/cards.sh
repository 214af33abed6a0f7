#!/usr/bin/env bash
# The card game can be played in the real game: the cards are dealt face up,
# turn face down after the preview, and two clicked cards turn face up; its
# close button brings back the guide. On a small screen the window is shrunk
# and still clicked where it looks.
#   cards.sh GAME SEND_CLOSE WORKDIR
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# Card i is a 100 px square in row i / 5 and column i % 5 of the grid, shown
# smaller on a screen too small for the window. The region is kept a pixel
# inside the card's edge, where a shrunk window blends it with the ground.
card() {
  local x=$((16 + 136 * ($1 % 5))) y=$((16 + 152 * ($1 / 5)))
  echo "$(($(scaled 100) - 2))x$(($(scaled 100) - 2))+$(($(scaled "$x") + 1))+$(($(scaled "$y") + 1))"
}
card_centre() { echo "$(scaled $((66 + 136 * ($1 % 5)))) $(scaled $((66 + 152 * ($1 / 5))))"; }
# A card face down shows its white tile; every face covers a good part of it.
face_down() { ! lt "$(white_share "$1" "$(card "$2")")" 0.99; }
face_up() { lt "$(white_share "$1" "$(card "$2")")" 0.9; }
# shellcheck disable=SC2317  # called through wait_shot
first_two_down() { face_down "$1" 0 && face_down "$1" 1; }

INTRO=$(wait_window "$INTRO_TITLE" "$INTRO_SIZE")
press_start "$INTRO"
monologue "$INTRO"
guide_to_cards "$GUIDE"

# shellcheck disable=SC2317  # called through wait_shot
all_up() {
  local i
  for i in $(seq 0 19); do face_up "$1" "$i" || return 1; done
}
# The preview lasts two seconds, and on a busy machine the window may be
# mapped a moment before it is painted.
seen=
for file in $(burst "$CARDS" preview 2500); do all_up "$file" && seen=$file && break; done
[ -n "$seen" ] || fail "the cards were never seen all dealt face up"

# The game's timer turns the cards down every two seconds while no turn is
# half done and keeps a missed pair up until then, so each try starts right
# after the cards are seen going down.
for try in 1 2 3; do
  wait_shot "$CARDS" face-down first_two_down >/dev/null
  click "$CARDS" "$(card_centre 0)"
  click "$CARDS" "$(card_centre 1)"
  turned=
  for file in $(burst "$CARDS" turned 1500); do
    face_up "$file" 0 && face_up "$file" 1 && turned=$file && break
  done
  if [ -n "$turned" ]; then
    for i in $(seq 2 19); do face_down "$turned" "$i" || fail "card $i turned up without a click"; done
    note "two cards turned face up (try $try)"
    close_window "$CARDS"
    wait_unmapped "$CARDS" "the card game"
    wait_window "$GUIDE_TITLE" "$GUIDE_SIZE" >/dev/null
    exit 0
  fi
  note "the timer turned the pair down before the screenshot (try $try)"
done
fail "two clicked cards never showed face up"
