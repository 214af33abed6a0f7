#!/usr/bin/env bash
# Plays through the intro with a private sound server recording what the game
# plays: Tobble speaks where his bubble changes, and after M all is silent.
# With SOUND_SERVER=none there is no sound server at all, and the same walk
# must end as well, with nothing on the output but Qt's own notes.
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
  parec -d heard.monitor --rate=44100 --channels=1 --format=s16le --file-format=wav "$1/heard.wav" &
  RECORDER_PID=$!
  RECORD_START=$(now_ms)
}

stop_sound_server() {
  [ -n "${RECORDER_PID:-}" ] && RECORD_STOP=$(mark)
  local pid
  for pid in ${RECORDER_PID:-} ${KEEPALIVE_PID:-} ${SERVER_PID:-}; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  RECORDER_PID= KEEPALIVE_PID= SERVER_PID=
}

# Seconds into the recording, to a hundredth.
mark() { awk -v ms=$(($(now_ms) - RECORD_START)) 'BEGIN {printf "%.2f", ms / 1000}'; }

# The loudest sample between two marks, 0 to 1. The recording begins a
# little after the recorder is started, so the marks are placed by its end.
loudest() {
  local late from to
  late=$(awk -v stop="$RECORD_STOP" -v recorded="$(soxi -D "$WORK/heard.wav")" 'BEGIN {print stop - recorded}')
  from=$(awk -v t="$1" -v late="$late" 'BEGIN {t -= late; print t < 0 ? 0 : t}')
  to=$(awk -v t="$2" -v late="$late" 'BEGIN {print t - late}')
  sox "$WORK/heard.wav" -n trim "$from" "=$to" stat 2>&1 | awk '/^Maximum amplitude/ {print $3}'
}
plus() { awk -v t="$1" -v d="$2" 'BEGIN {print t + d}'; }

if [ -n "${E2E_DISPLAY_READY:-}" ]; then
  # No session bus: one would be started through the display by the first
  # library that asks for it, and outlive the game as a window of its own.
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
[ "$SERVER" = pulse ] && quiet_from=$(mark)
# The audio is made ready after the first frame and the pictures; Tobble
# walks in without a sound.
sleep 2
# Each mark is taken just before its click, which comes a screenshot later.
[ "$SERVER" = pulse ] && hello=$(mark)
press_start "$INTRO"
sleep 2
[ "$SERVER" = pulse ] && going=$(mark)
last=$(click_until_changed "$INTRO" "230 230" "$INTRO_SPEECH" "$BUBBLE_SHOT" monologue)
sleep 2
xdotool key --window "$INTRO" m
[ "$SERVER" = pulse ] && muted=$(mark)
sleep 0.5
last=$(click_until_changed "$INTRO" "290 250" "$INTRO_SPEECH" "$last" monologue)
sleep 1.5
last=$(click_until_changed "$INTRO" "350 270" "$INTRO_SPEECH" "$last" monologue)
sleep 1.5
[ "$SERVER" = pulse ] && muted_until=$(mark)
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
  note "marks: quiet from $quiet_from, greeting $hello, next $going, M $muted to $muted_until, stop $RECORD_STOP"
  before=$(loudest "$quiet_from" "$hello")
  said_hello=$(loudest "$hello" "$(plus "$hello" 2)")
  said_going=$(loudest "$going" "$(plus "$going" 2)")
  after_m=$(loudest "$(plus "$muted" 0.3)" "$muted_until")
  note "loudest: before Start $before, the greeting $said_hello, the next sentence $said_going, after M $after_m"
  lt "$before" 0.001 || fail "sound before the bubble opened"
  lt 0.05 "$said_hello" || fail "no speech when the bubble opened"
  lt 0.05 "$said_going" || fail "no speech for the next sentence"
  lt "$after_m" 0.001 || fail "sound after M"
else
  # Only Qt's own notes: the missing sound server, and where it keeps files.
  unexpected=$(grep -v -E '^(PulseAudioService: |QStandardPaths: |qt\.)' "$WORK/game.log" || true)
  [ -z "$unexpected" ] || fail "the game said more than Qt's notes: $unexpected"
fi
note "passed"
