# shellcheck shell=bash
# Shared by the end-to-end tests: they run the real game on their own Xvfb
# and drive it with xdotool as a child would, checking windows by title and
# client size and, where a title cannot tell, pixels of a screenshot.
#
# A test script sources this file and passes on its arguments: the game
# binary, the send_close helper, a work directory for its screenshots and,
# for the tests that compare with them, the screens as the game's painter
# renders them (render_screens):
#   e2e_begin "$@"   re-runs the script under its own session bus and Xvfb,
#                    then starts the game.
# Screenshots are kept in the work directory, so a failure can be looked at.
#
# Set in the environment:
#   E2E_GAME=PATH    plays that binary instead of the build's own (CI plays
#                    the Release build a family gets)
#   E2E_WM=openbox   runs a window manager, as a desktop does; the close
#                    buttons are then pressed through it
#   E2E_SCREEN=WxH   the screen's size (1280x1024, room for every window)
#   E2E_BUS=silent   a session bus that takes connections and never answers
#   E2E_BUS=frozen_accessibility_bus, E2E_BUS=frozen_registry
#                    a desktop with a screen reader listening, whose
#                    accessibility bus or registry is then stopped

set -euo pipefail

TIMEOUT=${E2E_TIMEOUT:-10}
WM=${E2E_WM:-}
SCREEN_SIZE=${E2E_SCREEN:-1280x1024}
SCREEN_W=${SCREEN_SIZE%x*}
SCREEN_H=${SCREEN_SIZE#*x}

# Windows and their client sizes.
INTRO_TITLE='Tobble Goes to school!'
INTRO_SIZE='512x489'
GUIDE_TITLE='Tobble Goes to school!'
GUIDE_SIZE='598x351'
CARDS_TITLE='Pick the Card'
CARDS_SIZE='781x686'

# Places on the windows, in client pixels.
START_BUTTON=(252 180)          # the centre of the intro's Start button
INTRO_SPEECH='225x89+200+208'   # the intro's speech label, inside its bubble
GUIDE_SPEECH='193x89+392+32'    # the guide's speech label

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "-- $*"; }

e2e_begin() {
  if [ $# -lt 3 ] || [ $# -gt 4 ]; then
    echo "usage: $0 GAME SEND_CLOSE WORKDIR [REFERENCE_DIR]" >&2
    exit 2
  fi
  if [ -z "${E2E_DISPLAY_READY:-}" ]; then
    # A session bus of the test's own, as a desktop session has: left to
    # itself, the first D-Bus client would start one that outlives the test
    # and keeps a window on the display. Each test has a display of its own,
    # so the tests can run in parallel.
    E2E_DISPLAY_READY=1 exec dbus-run-session -- \
      "$(dirname "${BASH_SOURCE[0]}")/../../scripts/with-display" -s "${SCREEN_SIZE}x24" "$0" "$@"
  fi
  GAME=${E2E_GAME:-$1}
  SEND_CLOSE=$2
  WORK=$3
  # shellcheck disable=SC2034  # for the scripts that compare with it
  REFERENCE=${4:-}
  mkdir -p "$WORK"
  rm -f "$WORK"/*.png "$WORK"/game.log "$WORK"/shots
  # On a real display Qt's D-Bus and fontconfig libraries keep memory until
  # exit, out of our hands; in a sanitizer build the leak report would list
  # only them and turn every exit status into 1.
  export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
  # No session bus unless the caller brings one: else the first library to
  # ask for it starts one through the display, which outlives the game as a
  # window of its own.
  export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-disabled:}
  export XDG_RUNTIME_DIR="$WORK/runtime"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  # The game as it is: no settings a grown-up saved on this machine.
  export XDG_CONFIG_HOME="$WORK/config"
  rm -rf "$XDG_CONFIG_HOME"
  trap e2e_cleanup EXIT
  # A test timing out is killed; the game must not outlive it.
  trap 'exit 143' TERM INT HUP
  [ -n "$WM" ] && start_window_manager
  case ${E2E_BUS:-} in
    silent) start_silent_bus ;;
    frozen_*) start_frozen_accessibility "${E2E_BUS#frozen_}" ;;
  esac
  # Whatever the window manager keeps on the display is not the game's.
  ROOT_WINDOWS=$(root_windows)
  START_MS=$(now_ms)
  "$GAME" >"$WORK/game.log" 2>&1 &
  GAME_PID=$!
}

start_window_manager() {
  local deadline=$((SECONDS + TIMEOUT))
  "$WM" --sm-disable >"$WORK/wm.log" 2>&1 &
  WM_PID=$!
  until wmctrl -m >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && fail "the window manager $WM did not start"
    sleep 0.1
  done
  note "under $WM on ${SCREEN_SIZE}"
}

# A bus daemon stopped as soon as it listens: it takes connections and
# never says a word.
start_silent_bus() {
  local address
  address=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 3>"$WORK/bus.pid" 2>/dev/null)
  kill -STOP "$(cat "$WORK/bus.pid")"
  export DBUS_SESSION_BUS_ADDRESS=$address
  note "on a session bus that never answers"
}

# The accessibility bus as a desktop with a screen reader has it: the
# launcher on the session bus, the bus, and a client listening to events,
# which starts the registry. Then the accessibility bus or the registry is
# stopped, as a process stuck in a swap storm or a debugger would be.
start_frozen_accessibility() {
  local what=$1 deadline=$((SECONDS + TIMEOUT)) bus pid
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/launcher.log" 2>&1 &
  FROZEN_PIDS=$!
  # The listener would otherwise have the session bus start a launcher of
  # its own, and the bus stopped below might not be the one in use.
  until dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true; do
    [ $SECONDS -ge $deadline ] && fail "the accessibility bus's launcher did not start"
    sleep 0.1
  done
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/listener.py" >"$WORK/listener.log" 2>&1 &
  FROZEN_PIDS+=" $!"
  until grep -q listening "$WORK/listener.log" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && fail "no screen reader's listener on the accessibility bus: $(cat "$WORK/listener.log")"
    sleep 0.1
  done
  case $what in
    # The launcher's child.
    accessibility_bus) pid=$(pgrep -P "${FROZEN_PIDS%% *}" dbus-daemon | head -n 1 || true) ;;
    # Started by the bus, it leaves its parent: the bus says who it is.
    registry)
      bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress)
      until pid=$(dbus-send --bus="${bus// /}" --print-reply=literal --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.atspi.Registry 2>/dev/null); do
        [ $SECONDS -ge $deadline ] && fail "the accessibility registry did not start"
        sleep 0.1
      done
      pid=$(awk '{print $2}' <<<"$pid")
      ;;
    *) fail "no such frozen part: $what" ;;
  esac
  [ -n "$pid" ] || fail "the $what is not running"
  kill -STOP "$pid"
  echo "$pid" >"$WORK/frozen.pid"
  note "with a screen reader listening and the $what stopped"
}

e2e_cleanup() {
  local status=$?
  if [ -n "${GAME_PID:-}" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
  fi
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
  if [ -s "${WORK:-/nonexistent}/frozen.pid" ]; then
    kill -CONT "$(cat "$WORK/frozen.pid")" 2>/dev/null
    kill "$(cat "$WORK/frozen.pid")" 2>/dev/null
    rm -f "$WORK/frozen.pid"
  fi
  # shellcheck disable=SC2086  # a list of ids
  [ -n "${FROZEN_PIDS:-}" ] && kill $FROZEN_PIDS 2>/dev/null
  if [ -s "${WORK:-/nonexistent}/bus.pid" ]; then
    kill -CONT "$(cat "$WORK/bus.pid")" 2>/dev/null
    kill "$(cat "$WORK/bus.pid")" 2>/dev/null
    rm -f "$WORK/bus.pid"
  fi
  if [ $status -ne 0 ] && [ -s "${WORK:-/nonexistent}/game.log" ]; then
    echo "--- the game's output:" >&2
    cat "$WORK/game.log" >&2
  fi
  exit $status
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Seconds since the game was started, to one decimal.
elapsed() { awk -v ms=$(($(now_ms) - START_MS)) 'BEGIN {printf "%.1f", ms / 1000}'; }

# The client size of a window as WxH, or nothing once it is gone.
client_size() {
  xwininfo -id "$1" 2>/dev/null | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {if (w) print w "x" h}'
}

# The ids of the mapped windows with exactly this title and client size
# ("*" for any size).
visible_windows() {
  local title=$1 size=$2 id
  for id in $(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null); do
    [ "$size" = "*" ] || [ "$(client_size "$id")" = "$size" ] && echo "$id"
  done
  return 0
}

# A text property of a window as the window manager reads it.
window_text() { xprop -id "$1" "$2" 2>/dev/null | sed -n 's/^[^=]*= "\(.*\)"$/\1/p'; }

# Waits until exactly one such window is mapped and prints its id. The title
# bar must read the title exactly, in both the old and the new property, and
# the whole window must be on the screen, title bar and all.
wait_window() {
  local title=$1 size=$2 ids deadline=$((SECONDS + TIMEOUT)) property
  while :; do
    ids=$(visible_windows "$title" "$size")
    [ -n "$ids" ] && [ "$(wc -w <<<"$ids")" -eq 1 ] && break
    [ $SECONDS -ge $deadline ] && fail "no single window '$title' $size (found: ${ids:-none})"
    sleep 0.1
  done
  for property in _NET_WM_NAME WM_NAME; do
    [ "$(window_text "$ids" $property)" = "$title" ] ||
      fail "the title bar reads '$(window_text "$ids" $property)' ($property), not '$title'"
  done
  expect_on_screen "$ids" "$title"
  echo "$ids"
}

# The client area's place and size, as "x y width height".
client_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print x, y, w, h}'
}

# Fails unless the window and its frame lie wholly on the screen. The frame
# is what the window manager reports it added round the client.
expect_on_screen() {
  local x y w h left=0 right=0 top=0 bottom=0 extents
  read -r x y w h < <(client_geometry "$1")
  if [ -n "$WM" ]; then
    local deadline=$((SECONDS + TIMEOUT))
    until extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p') && [ -n "$extents" ]; do
      [ $SECONDS -ge $deadline ] && fail "$2 has no frame"
      sleep 0.1
    done
    IFS=', ' read -r left right top bottom <<<"$extents"
    # Framed and placed at once, but the place is read a moment later.
    read -r x y w h < <(client_geometry "$1")
  fi
  if [ $((x - left)) -lt 0 ] || [ $((y - top)) -lt 0 ] ||
    [ $((x + w + right)) -gt "$SCREEN_W" ] || [ $((y + h + bottom)) -gt "$SCREEN_H" ]; then
    fail "$2 is not wholly on the ${SCREEN_SIZE} screen: ${w}x${h} at $x,$y, frame $left,$right,$top,$bottom"
  fi
}

is_mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# Waits until a window is hidden or gone.
wait_unmapped() {
  local deadline=$((SECONDS + TIMEOUT))
  while is_mapped "$1"; do
    [ $SECONDS -ge $deadline ] && fail "$2 is still shown"
    sleep 0.1
  done
}

# Fails if any window of the game is mapped besides the ones named.
expect_only() {
  local id others=""
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    case " $* " in *" $id "*) ;; *) others+=" $id($(xdotool getwindowname "$id"))" ;; esac
  done
  [ -z "$others" ] || fail "unexpected windows shown:$others"
}

# Presses and releases the left button at client point (x, y) of a window;
# the point may come as one word "x y". A second press on the same spot soon
# after the first is a double-click, which is one click: like a child, the
# tests wait a little before clicking the same spot again.
click() {
  local x y spot since
  read -r x y <<<"${*:2}"
  spot="$1 $x $y"
  since=$(($(now_ms) - ${LAST_CLICK_MS:-0}))
  if [ "$spot" = "${LAST_CLICK_SPOT:-}" ] && [ $since -lt 600 ]; then
    sleep "0.$(printf '%03d' $((600 - since)))"
  fi
  xdotool mousemove --sync --window "$1" "$x" "$y" click 1
  LAST_CLICK_SPOT=$spot
  LAST_CLICK_MS=$(now_ms)
}

# Whether two numbers are at most `by` apart.
near() { [ $(($1 - $2)) -ge "-$3" ] && [ $(($1 - $2)) -le "$3" ]; }

# Presses a window's close button: through the window manager if one runs,
# else with the message the button would send.
close_window() {
  if [ -n "$WM" ]; then
    wmctrl -i -c "$1"
  else
    "$SEND_CLOSE" "$1"
  fi
}

# Takes a screenshot of a window's client area and prints the file's name.
# Numbered in the order taken; the count lives in a file because the callers
# run this in a subshell.
shot() {
  local n file
  n=$(($(cat "$WORK/shots" 2>/dev/null || echo 0) + 1))
  echo "$n" >"$WORK/shots"
  file=$(printf '%s/%03d-%s.png' "$WORK" "$n" "$2")
  import -window "$1" "$file" || fail "cannot take a screenshot of $1"
  echo "$file"
}

# Screenshots of a window for MS milliseconds, as fast as they come; prints
# their names. On a busy machine looking at a screenshot takes longer than
# the game shows some states, so the looking comes afterwards.
burst() {
  local end=$(($(now_ms) + $3))
  while [ "$(now_ms)" -lt $end ]; do shot "$1" "$2"; done
}

# The colour at (x, y) of an image as R,G,B.
pixel() {
  convert "$1" -crop "1x1+$2+$3" +repage -format '%[fx:round(255*r)],%[fx:round(255*g)],%[fx:round(255*b)]' info:
}

# The share (0..1) of a region's pixels that are white, give or take the
# shading at anti-aliased edges.
white_share() {
  convert "$1" -crop "$2" +repage -fuzz 4% -fill black +opaque white -colorspace Gray -format '%[fx:mean]' info:
}

# The bounding box of a region's non-white pixels, as left right in window
# coordinates, or nothing when the region is all white.
ink_span() {
  local region=$2 ox box
  ox=${region#*+}
  ox=${ox%%+*}
  box=$(convert "$1" -crop "$region" +repage -fuzz 4% -format '%@' info: 2>/dev/null)
  # An all-white region trims to nothing: 0x0 at its far corner.
  [[ $box == 0x0+* ]] && return 0
  local w=${box%%x*} x=${box#*+}
  x=${x%%+*}
  echo "$((ox + x)) $((ox + x + w - 1))"
}

# How many pixels of a region differ between two images.
pixels_differing() {
  local a b
  a=$(mktemp --suffix=.png) b=$(mktemp --suffix=.png)
  convert "$1" -crop "$3" +repage "$a"
  convert "$2" -crop "$3" +repage "$b"
  compare -metric AE -fuzz 4% "$a" "$b" null: 2>&1 || true
  rm -f "$a" "$b"
}

# Checks a region of a screenshot against the game's own rendering of the
# same state. A few pixels of leeway allow for the font rasteriser's settings
# on a display; another sentence differs in thousands.
expect_like() {
  local reference=$1 file=$2 region=$3 what=$4 differing
  [ -f "$reference" ] || fail "no reference screen $reference"
  differing=$(pixels_differing "$reference" "$file" "$region")
  note "$what: $differing pixels differ from the rendering"
  [ "$differing" -le 150 ] || fail "$what is not as the game renders it ($differing pixels differ)"
}

# Whether number A is less than number B; they may have decimals.
lt() { awk -v a="$1" -v b="$2" 'BEGIN {exit !(a < b)}'; }

# Waits until a screenshot of the window satisfies `check FILE`, then prints
# the file. The check is a shell function or command.
# shellcheck disable=SC2317  # the checks are only called through here
wait_shot() {
  local id=$1 name=$2 check=$3 file deadline=$((SECONDS + TIMEOUT))
  while :; do
    file=$(shot "$id" "$name")
    "$check" "$file" && { echo "$file"; return 0; }
    [ $SECONDS -ge $deadline ] && fail "$name: the screen never looked right (last: $file)"
    rm -f "$file"
    sleep 0.1
  done
}

# Clicks the speech at the point "x y" and waits until the region looks
# different from the screenshot `before`; prints the new screenshot.
click_until_changed() {
  local id=$1 point=$2 region=$3 before=$4 name=$5
  click "$id" "$point"
  CHANGED_BEFORE=$before CHANGED_REGION=$region wait_shot "$id" "$name" changed_from_before
}
changed_from_before() { [ "$(pixels_differing "$CHANGED_BEFORE" "$1" "$CHANGED_REGION")" -gt 0 ]; }

# Waits for the game to end and checks its exit status.
expect_exit() {
  local want=$1 deadline=$((SECONDS + TIMEOUT)) status
  while kill -0 "$GAME_PID" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && fail "the game is still running"
    sleep 0.1
  done
  status=0
  wait "$GAME_PID" || status=$?
  GAME_PID=
  [ "$status" -eq "$want" ] || fail "the game exited with status $status, not $want"
  # The X server would tidy up after a client that is gone; check that no
  # other process of ours left a window behind either.
  local deadline=$((SECONDS + TIMEOUT))
  while [ "$(root_windows)" != "$ROOT_WINDOWS" ]; do
    [ $SECONDS -ge $deadline ] &&
      fail "$(($(root_windows) - ROOT_WINDOWS)) windows are left after the game ended"
    sleep 0.1
  done
}

# How many windows the root has, leaving out the window manager's own: the
# X server gives each client its own range of ids, and the manager names one
# of its windows on the root.
root_windows() {
  local wm id n=0
  wm=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # //p')
  for id in $(xwininfo -root -children | awk '/^ +0x[0-9a-f]+ / {print $1}'); do
    [ -n "$wm" ] && [ $((id >> 21)) -eq $((wm >> 21)) ] || n=$((n + 1))
  done
  echo "$n"
}

# The intro's bubble is open: white inside, a black frame, where the yellow
# panel shows while it is shut.
bubble_open() { [ "$(pixel "$1" 190 230)" = 255,255,255 ] && [ "$(pixel "$1" 184 250)" = 0,0,0 ]; }

# The intro's Start button has gone and its bubble is open.
started() { bubble_open "$1" && [ "$(pixel "$1" 170 170)" = 255,255,192 ]; }

# Presses Start on the intro and waits for the bubble; sets BUBBLE_SHOT.
press_start() {
  local intro=$1
  [ "$(pixel "$(shot "$intro" before-start)" 190 230)" = 255,255,192 ] || fail "the bubble is open before Start"
  click "$intro" "${START_BUTTON[@]}"
  BUBBLE_SHOT=$(wait_shot "$intro" bubble started)
}

# Clicks through the intro's monologue: three new sentences, then the guide
# takes over. Sets GUIDE and MONOLOGUE_END (the intro's last sentence).
monologue() {
  local intro=$1 last=$BUBBLE_SHOT point
  for point in "230 230" "290 250" "350 270"; do
    # Each click at another place, so that no two make a double-click.
    last=$(click_until_changed "$intro" "$point" "$INTRO_SPEECH" "$last" monologue)
  done
  MONOLOGUE_END=$last
  click "$intro" 400 240
  wait_unmapped "$intro" "the intro"
  GUIDE=$(wait_window "$GUIDE_TITLE" "$GUIDE_SIZE")
  expect_only "$GUIDE"
}

# Clicks through the guide's talk up to the card game. Sets CARDS.
guide_to_cards() {
  local guide=$1 last point
  last=$(shot "$guide" guide)
  # The first click only counts.
  click "$guide" 410 50
  for point in "450 70" "490 90" "530 110" "570 60"; do
    last=$(click_until_changed "$guide" "$point" "$GUIDE_SPEECH" "$last" guide-talk)
  done
  expect_only "$guide"
  click "$guide" 430 100
  wait_unmapped "$guide" "the guide"
  CARDS=$(wait_window "$CARDS_TITLE" "*")
  expect_only "$CARDS"
  # Full size where the screen has room for it, else shrunk to fit.
  local size
  size=$(client_size "$CARDS")
  CARDS_SCALE=$(awk -v w="${size%x*}" 'BEGIN {print w / 781}')
  if [ "$SCREEN_SIZE" = 1280x1024 ]; then
    [ "$size" = "$CARDS_SIZE" ] || fail "the card game is $size, not $CARDS_SIZE"
  else
    near "$(scaled 686)" "${size#*x}" 1 || fail "the card game is $size: not $CARDS_SIZE shrunk evenly"
    note "the card game is shown at $size on ${SCREEN_SIZE}"
  fi
}

# A length on the card game's window in its own pixels, as shown.
scaled() { awk -v n="$1" -v s="$CARDS_SCALE" 'BEGIN {printf "%d", n * s}'; }

# The intro shown again with its bubble open and the speech saying something
# other than the monologue's last sentence: the farewell. Sets INTRO.
expect_farewell() {
  INTRO=$(wait_window "$INTRO_TITLE" "$INTRO_SIZE")
  expect_only "$INTRO"
  local farewell
  farewell=$(wait_shot "$INTRO" farewell bubble_open)
  [ "$(pixels_differing "$MONOLOGUE_END" "$farewell" "$INTRO_SPEECH")" -gt 0 ] ||
    fail "the intro still says its last sentence, not the farewell"
  lt "$(white_share "$farewell" "$INTRO_SPEECH")" 0.98 || fail "the intro's bubble is empty"
}
