#!/usr/bin/env bash
# A desktop whose accessibility bus or registry has stopped answering (set by
# E2E_BUS): the intro still shows and answers Start at once, and the game
# says in one line that it plays on without screen readers.
#   frozen_desktop.sh GAME SEND_CLOSE WORKDIR
. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

INTRO=$(wait_window "$INTRO_TITLE" "$INTRO_SIZE")
note "intro shown after $(elapsed) s"
press_start "$INTRO"
note "Start answered after $(elapsed) s"
grep -q "playing on without screen readers" "$WORK/game.log" ||
  fail "the game did not say that it plays on without screen readers"
close_window "$INTRO"
expect_exit 0
