#!/usr/bin/env bash
# Plays through the intro with a private sound server recording what the game
# plays: Tobble speaks where his bubble changes, and after M all is silent.
# With SOUND_SERVER=none there is no sound server at all, and the same walk
# must end as well, with nothing on the output but Qt's own notes. With
# RESTART_SERVER=yes the server is killed after the greeting and a new one
# takes its socket, as after a suspend: the next sentence is heard on it.
#   sound.sh GAME SEND_CLOSE WORKDIR
. "$(dirname "$0")/lib.sh"

SERVER=${SOUND_SERVER:-pulse}

# A sound server of the test's own: Debian's PulseAudio with a null sink, its
# runtime directory and socket in the work directory, no user configuration.
start_sound_server() {
  local dir=$1/pulse
  rm -rf "$dir"
  mkdir -p "$dir/runtime" "$dir/home"
  chmod 700 "$dir/runtime"
  SOCKET=$dir/runtime/native
  HOME=$dir/home XDG_RUNTIME_DIR=$dir/runtime pulseaudio --daemonize=no -n --exit-idle-time=-1 \
    --disable-shm=yes --use-pid-file=no --log-target=file:"$dir/server.log" \
    -L "module-null-sink sink_name=heard rate=44100 channels=1" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$SOCKET" &
  SERVER_PID=$!
  export PULSE_SERVER=unix:$SOCKET
  local deadline=$((SECONDS + TIMEOUT))
  until pactl info >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && fail "the sound server did not start"
    sleep 0.1
  done
  # A silent stream keeps the sink's clock running, so the recording has
  # the silences in it too and its time matches the walk's.
  pacat --raw --rate=44100 --channels=1 --format=s16le </dev/zero &
  KEEPALIVE_PID=$!
}

# Records what the game plays into $WORK/NAME.wav until `stop_recording`.
# Each part of the walk is recorded on its own, so no clock has to match.
record() {
  [ "$SERVER" = pulse ] || return 0
  parec -d heard.monitor --rate=44100 --channels=1 --format=s16le --file-format=wav "$WORK/$1.wav" &
  RECORDER_PID=$!
  sleep 0.2
}
stop_recording() {
  [ -n "${RECORDER_PID:-}" ] || return 0
  kill -INT "$RECORDER_PID" 2>/dev/null || true
  wait "$RECORDER_PID" 2>/dev/null || true
  RECORDER_PID=
}

stop_sound_server() {
  stop_recording
  local pid
  for pid in ${RECORDER_PID:-} ${KEEPALIVE_PID:-} ${SERVER_PID:-}; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  RECORDER_PID= KEEPALIVE_PID= SERVER_PID=
}

# The loudest sample of a recording, 0 to 1.
loudest() { sox "$WORK/$1.wav" -n stat 2>&1 | awk '/^Maximum amplitude/ {print $3}'; }

# Waits until the game is quiet, so the next recording holds only what the
# next change brings.
wait_for_silence() {
  [ "$SERVER" = pulse ] || return 0
  local deadline=$((SECONDS + 20))
  while :; do
    record listening
    sleep 0.4
    stop_recording
    lt "$(loudest listening)" 0.001 && return 0
    [ $SECONDS -ge $deadline ] && fail "the game never fell silent"
  done
}

if [ -n "${E2E_DISPLAY_READY:-}" ]; then
  # As e2e_begin does for the game: no session bus for the sound server either.
  export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-disabled:}
  if [ "$SERVER" = pulse ]; then
    start_sound_server "$3"
  else
    export PULSE_SERVER=unix:$3/no-such-server
  fi
fi
e2e_begin "$@"
trap 'status=$?; stop_sound_server; (exit $status); e2e_cleanup' EXIT

INTRO=$(wait_window "$INTRO_TITLE" "$INTRO_SIZE")
# The audio is made ready after the first frame and the pictures; Tobble
# walks in without a sound.
record walking_in
sleep 2
stop_recording
record greeting
press_start "$INTRO"
sleep 1.5
stop_recording
wait_for_silence
if [ "${RESTART_SERVER:-}" = yes ]; then
  stop_sound_server
  start_sound_server "$WORK"
  note "the sound server was restarted"
fi
record next_sentence
last=$(click_until_changed "$INTRO" "230 230" "$INTRO_SPEECH" "$BUBBLE_SHOT" monologue)
sleep 1.5
stop_recording
xdotool key --window "$INTRO" m
sleep 0.3
record muted
last=$(click_until_changed "$INTRO" "290 250" "$INTRO_SPEECH" "$last" monologue)
sleep 1.5
last=$(click_until_changed "$INTRO" "350 270" "$INTRO_SPEECH" "$last" monologue)
sleep 1.5
stop_recording
MONOLOGUE_END=$last
click "$INTRO" 400 240
wait_unmapped "$INTRO" "the intro"
GUIDE=$(wait_window "$GUIDE_TITLE" "$GUIDE_SIZE")
close_window "$GUIDE"
expect_farewell
click "$INTRO" 230 230
expect_exit 0

if [ "$SERVER" = pulse ]; then
  stop_sound_server
  before=$(loudest walking_in)
  said_hello=$(loudest greeting)
  said_going=$(loudest next_sentence)
  after_m=$(loudest muted)
  note "loudest: walking in $before, the greeting $said_hello, the next sentence $said_going, after M $after_m"
  lt "$before" 0.001 || fail "sound while Tobble walked in"
  lt 0.05 "$said_hello" || fail "no speech when the bubble opened"
  lt 0.05 "$said_going" || fail "no speech for the next sentence"
  lt "$after_m" 0.001 || fail "sound after M"
else
  # Only Qt's own notes, on where it keeps files: nothing about the sound.
  unexpected=$(grep -v -E '^(QStandardPaths: |qt\.)' "$WORK/game.log" || true)
  [ -z "$unexpected" ] || fail "the game said more than Qt's notes: $unexpected"
fi
note "passed"
