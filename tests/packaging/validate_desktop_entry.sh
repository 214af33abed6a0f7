#!/bin/sh
# desktop-file-validate fails only on errors; a warning is a fault here too.
# Hints stay allowed: the entry is both a Game and an Education program on
# purpose, which the validator mentions as a hint.
#   validate_desktop_entry.sh <desktop-file-validate> <file.desktop>
set -u
report=$("$1" "$2" 2>&1)
status=$?
[ -n "$report" ] && printf '%s\n' "$report"
[ "$status" -eq 0 ] || exit 1
if printf '%s\n' "$report" | grep -E ': (error|warning): ' >/dev/null; then exit 1; fi
exit 0
