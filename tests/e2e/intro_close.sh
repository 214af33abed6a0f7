#!/usr/bin/env bash
# Closing the intro as soon as it shows ends the game, and it ends well; run
# on a session bus that never answers too, where the intro must still show.
#   intro_close.sh GAME SEND_CLOSE WORKDIR
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

INTRO=$(wait_window "$INTRO_TITLE" "$INTRO_SIZE")
note "intro shown after $(elapsed) s"
close_window "$INTRO"
expect_exit 0
