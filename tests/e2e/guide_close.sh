#!/usr/bin/env bash
# Closing the guide with its close button brings back the intro with the
# farewell, and one more click ends the game.
#   guide_close.sh GAME SEND_CLOSE WORKDIR
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

INTRO=$(wait_window "$INTRO_TITLE" "$INTRO_SIZE")
press_start "$INTRO"
monologue "$INTRO"
close_window "$GUIDE"
wait_unmapped "$GUIDE" "the guide"
expect_farewell
click "$INTRO" 300 250
expect_exit 0
