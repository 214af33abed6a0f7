#!/bin/sh
# Builds the Debian package, unpacks it into a clean tree, checks its files and
# its dependencies, then starts the unpacked game on a private X server and
# looks for the intro window.
#   deb_package.sh <cpack> <build-dir> <app-id>
set -eu
cpack=$1 build=$2 id=$3

for tool in dpkg-deb dpkg-shlibdeps Xvfb xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: run scripts/install-deps test" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tobble-deb.XXXXXX")
game_pid= xvfb_pid=
# Ends a process we started: politely, then for certain after five seconds.
stop() {
  kill "$1" 2>/dev/null || return 0
  n=0
  while kill -0 "$1" 2>/dev/null && [ $n -lt 50 ]; do sleep 0.1; n=$((n + 1)); done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
cleanup() {
  set +e
  [ -z "$game_pid" ] || stop "$game_pid"
  [ -z "$xvfb_pid" ] || stop "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() { echo "FAIL: $*" >&2; exit 1; }

# The package goes to a folder of our own, so a cpack run by hand in the build
# tree is neither disturbed nor picked up.
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack -G DEB"; }
set -- "$work"/out/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "cpack made no single .deb: $*"
deb=$1
dpkg-deb --field "$deb" Package Version Architecture Section Depends

depends=$(dpkg-deb --field "$deb" Depends)
# The libraries come from dpkg-shlibdeps, so each is there only if the binary
# really links it; the platform plugins are named by hand.
for pkg in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libpulse0 libc6 libstdc++6 qt6-qpa-plugins; do
  printf '%s\n' "$depends" | tr ',' '\n' | grep -q "^ *$pkg\( \|$\)" || fail "Depends lacks $pkg: $depends"
done
# The sound plays through the server's client library alone: Qt's multimedia
# library, some 45 libraries with its own, is not pulled in.
printf '%s\n' "$depends" | grep -q "libqt6multimedia" && fail "Depends still names Qt's multimedia library: $depends"
# Without a sound server the game plays on in silence: one is only recommended.
printf '%s\n' "$depends" | grep -q 'pulseaudio\|pipewire' && fail "Depends requires a sound server: $depends"
printf '%s\n' "$(dpkg-deb --field "$deb" Recommends)" | grep -q "pulseaudio | pipewire-pulse" \
  || fail "Recommends lacks a sound server: $(dpkg-deb --field "$deb" Recommends)"

root=$work/root
dpkg -x "$deb" "$root"
for f in usr/bin/tobble usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/256x256/apps/$id.png; do
  [ -e "$root/$f" ] || fail "the package lacks /$f"
done

# A private server: -displayfd lets Xvfb take the first free display itself
# and write its number once it listens, so tests running side by side never
# race for one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
i=0
until [ -s "$work/display" ]; do
  i=$((i + 1))
  [ $i -le 100 ] && kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
  sleep 0.1
done
DISPLAY=:$(cat "$work/display")
export DISPLAY

# Fixed scale, so the window is the layout's size in device pixels.
env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_ENABLE_HIGHDPI_SCALING -u QT_FONT_DPI \
  QT_QPA_PLATFORM=xcb TOBBLE_NO_ERROR_DIALOG=1 "$root/usr/bin/tobble" >"$work/game.log" 2>&1 &
game_pid=$!

win=
i=0
while [ -z "$win" ]; do
  kill -0 "$game_pid" 2>/dev/null || { cat "$work/game.log"; game_pid=; fail "the installed game ended on its own"; }
  i=$((i + 1)); [ $i -le 150 ] || { cat "$work/game.log"; fail "no window titled 'Tobble Goes to school!'"; }
  win=$(xdotool search --onlyvisible --name '^Tobble Goes to school!$' 2>/dev/null | head -n 1) || true
  [ -n "$win" ] || sleep 0.2
done

info=$(xwininfo -id "$win")
width=$(printf '%s\n' "$info" | sed -n 's/^ *Width: *//p')
height=$(printf '%s\n' "$info" | sed -n 's/^ *Height: *//p')
[ "$width" = 512 ] && [ "$height" = 489 ] || fail "intro window is ${width}x${height}, not 512x489"

# The desktop entry promises the window class, so a dock can match the two.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/$id.desktop")
xprop -id "$win" WM_CLASS | grep -q "\"$wm_class\"" || fail "window class $(xprop -id "$win" WM_CLASS) is not $wm_class"

stop "$game_pid"
game_pid=
echo "the packaged game opens its intro window"
