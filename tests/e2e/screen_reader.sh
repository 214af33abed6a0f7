#!/usr/bin/env bash
# The real game heard through AT-SPI, as a screen reader hears it: on its own
# Xvfb and session bus, with the accessibility bus running, a client of ours
# plays from Start into the card game by AT-SPI actions alone and checks the
# events and its cached view at every step.
#   screen_reader.sh GAME WORKDIR [--pattern|--worm|--switch]
# --pattern goes on through the card game, won from the deal as it was read,
# into the pattern game, repeated by ear; --worm passes that game too and
# hits an apple by its key. --switch plays the game started with --scan=1
# by Space alone, into the card game and through it (switch_player.py).
# With ORCA_LOG=FILE set, Orca runs alongside with its speech off and writes
# its debug log to FILE, which then holds what it would have said. With
# ORCA_SPEECH=yes as well, Orca speaks, through speech-dispatcher and
# espeak-ng, into a sound server of the walk's own with a null sink, so that
# what it cuts or drops shows in the log as it would to a child
# (docs/SCREEN-READER.md: tests/e2e/orca_unspoken.py counts it).
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 GAME WORKDIR [--pattern|--worm|--switch]" >&2
  exit 2
fi
if [ -z "${A11Y_SESSION_READY:-}" ]; then
  export A11Y_SESSION_READY=1
  sound=()
  [ -n "${ORCA_SPEECH:-}" ] && sound=("$(dirname "$0")/../../scripts/with-sound-server")
  exec "$(dirname "$0")/../../scripts/with-display" dbus-run-session -- "${sound[@]}" "$0" "$@"
fi
mkdir -p "$2/runtime"
chmod 700 "$2/runtime"
export XDG_RUNTIME_DIR="$2/runtime"
# A sanitizer build's leak report would list only Qt's D-Bus libraries.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$2/bus.log" 2>&1 &
launcher=$!
pids=("$launcher")
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
if [ -n "${ORCA_LOG:-}" ]; then
  mkdir -p "$2/orca-prefs"
  quiet=(-d speech)
  [ -n "${ORCA_SPEECH:-}" ] && quiet=()
  orca --replace "${quiet[@]}" -d braille -d main-window -d splash-window -u "$2/orca-prefs" \
    --debug-file "$ORCA_LOG" >"$2/orca.out" 2>&1 &
  pids+=($!)
  # Orca registers its listeners before the game starts, as on a desktop,
  # and the walk goes at a child's pace so that each change is spoken.
  sleep 3
  export WALK_PACE=${WALK_PACE:-1.5}
fi
# The system python, which has the AT-SPI bindings whatever python is first
# on the path.
# E2E_GAME plays another build of the game, as in lib.sh.
game=${E2E_GAME:-$1}
shift
client=screen_reader.py
[ "${2:-}" = --switch ] && client=switch_player.py
/usr/bin/python3 "$(dirname "$0")/$client" "$game" "$@"
