#!/bin/sh
# Installs the build into a fresh prefix and checks what a desktop needs from
# it: the binary, the desktop entry, the metainfo, and the icon at every size,
# all under the one app id, with the metainfo describing this very version.
#   install_tree.sh <cmake> <appstreamcli> <build-dir> <app-id> <version> "<icon sizes>"
set -eu
cmake=$1 appstreamcli=$2 build=$3 id=$4 version=$5 sizes=$6

work=$(mktemp -d "${TMPDIR:-/tmp}/tobble-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$work/usr" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
share=$work/usr/share
desktop=$share/applications/$id.desktop
metainfo=$share/metainfo/$id.metainfo.xml

[ -x "$work/usr/bin/tobble" ] || fail "bin/tobble is missing or not executable"
for f in "$desktop" "$metainfo" "$share/icons/hicolor/scalable/apps/$id.svg"; do
  [ -s "$f" ] || fail "${f#"$work"/} is missing"
done

# Each PNG must be a PNG of its folder's size: read the signature and the
# IHDR width and height straight from the file.
for n in $sizes; do
  png=$share/icons/hicolor/${n}x${n}/apps/$id.png
  [ -s "$png" ] || fail "${png#"$work"/} is missing"
  set -- $(od -An -tu1 -N24 "$png")
  [ "$1 $2 $3 $4 $5 $6 $7 $8" = "137 80 78 71 13 10 26 10" ] || fail "${n}x${n} icon is not a PNG"
  width=$(( (${17} << 24) | (${18} << 16) | (${19} << 8) | ${20} ))
  height=$(( (${21} << 24) | (${22} << 16) | (${23} << 8) | ${24} ))
  [ "$width" -eq "$n" ] && [ "$height" -eq "$n" ] || fail "${n}x${n} icon is ${width}x${height}"
done

# validate-tree below ties the metainfo to its file name and desktop entry,
# but not the entry to the icon or the binary it names.
grep -qx "Icon=$id" "$desktop" || fail "desktop entry does not use the icon $id"
grep -qx "Exec=tobble" "$desktop" || fail "desktop entry does not start bin/tobble"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "newest release in the metainfo is '$newest', the project is $version"

# The installed tree as a software centre would read it.
"$appstreamcli" validate-tree --no-net --strict --explain "$work/usr" || fail "appstreamcli validate-tree"
echo "installed tree is complete"
