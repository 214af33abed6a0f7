#!/usr/bin/env bash
# The whole way through the real game: the intro, Start, Tobble's walk and
# monologue, the guide's talk, the card game closed by its close button, the
# guide reporting the failure, the farewell, and one click to the end.
#   journey.sh GAME SEND_CLOSE WORKDIR REFERENCE_DIR
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"
[ -n "$REFERENCE" ] || fail "no reference screens given"

INTRO=$(wait_window "$INTRO_TITLE" "$INTRO_SIZE")
expect_only "$INTRO"
note "intro shown after $(elapsed) s"
# With no frame round it, the window itself is centred.
read -r x y _ < <(client_geometry "$INTRO")
if [ -z "$WM" ] && { ! near "$x" $(((1280 - 512) / 2)) 1 || ! near "$y" $(((1024 - 489) / 2)) 1; }; then
  fail "the intro is at $x,$y, not centred"
fi

# Tobble, 85 px wide, walks in from x=488 and stops at x=261.
WALK='512x160+0+312'
entering() { local span; span=$(ink_span "$1" "$WALK"); [ -n "$span" ] && [ "${span% *}" -gt 346 ]; }
arrived() { local span; span=$(ink_span "$1" "$WALK"); [ -n "$span" ] && [ "${span% *}" -ge 261 ] && [ "${span#* }" -le 346 ]; }
wait_shot "$INTRO" walking-in entering >/dev/null

press_start "$INTRO"
expect_like "$REFERENCE/intro-bubble@1x.png" "$BUBBLE_SHOT" "$INTRO_SPEECH" "the bubble's greeting"

# The walk takes 34 ticks of half a second.
TIMEOUT=30 wait_shot "$INTRO" walk-end arrived >/dev/null
note "Tobble arrived after $(elapsed) s"
# He treads on the spot: the frames change, his place does not.
frames=$(
  for _ in 1 2 3 4 5 6; do
    f=$(shot "$INTRO" treading)
    arrived "$f" || fail "Tobble left his place ($(ink_span "$f" "$WALK"))"
    convert "$f" -crop "$WALK" +repage -format '%#\n' info:
    sleep 0.25
  done | sort -u | wc -l
)
[ "$frames" -ge 2 ] || fail "Tobble stands still instead of treading"

monologue "$INTRO"
note "guide shown after $(elapsed) s"
guide_to_cards "$GUIDE"
note "card game shown after $(elapsed) s"

close_window "$CARDS"
wait_unmapped "$CARDS" "the card game"
GUIDE=$(wait_window "$GUIDE_TITLE" "$GUIDE_SIZE")
expect_only "$GUIDE"
failed=$(shot "$GUIDE" guide-failure)
expect_like "$REFERENCE/guide-failure@1x.png" "$failed" "$GUIDE_SIZE+0+0" "the guide's failure report"

click "$GUIDE" 480 70
wait_unmapped "$GUIDE" "the guide"
expect_farewell
click "$INTRO" 300 250
expect_exit 0
note "ended after $(elapsed) s"
