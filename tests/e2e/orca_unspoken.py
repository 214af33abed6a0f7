#!/usr/bin/python3
"""Holds what the game told a screen reader against what Orca spoke.

    orca_unspoken.py TOLD.tsv ORCA.log

TOLD.tsv is the walk's record (screen_reader.py): every message a window's
notifications said, in order. ORCA.log is Orca's debug log, whose
"SPEECH OUTPUT" lines are what it sent to the voice. Each message must be
found in a speech output of its own, in order, the same words twice spoken
twice. Prints the count and every message never spoken; fails if any was.
"""
import re
import sys


def spoken_lines(log):
    out = []
    for line in log:
        m = re.search(r"SPEECH OUTPUT: '(.*)'\s*\{", line)
        if m:
            out.append(m.group(1))
    return out


def main():
    told_path, log_path = sys.argv[1:3]
    with open(told_path, encoding='utf-8') as f:
        told = [line.rstrip('\n').split('\t', 2) for line in f]
    messages = [words for _, what, words in told if what == 'message' and words]
    with open(log_path, encoding='utf-8', errors='replace') as f:
        spoken = spoken_lines(f)
    unspoken, at = [], 0
    for words in messages:
        found = next((i for i in range(at, len(spoken)) if words in spoken[i]), None)
        if found is None:
            unspoken.append(words)
        else:
            at = found + 1
    print(f'{len(messages)} messages told, {len(spoken)} speech outputs, {len(unspoken)} never spoken')
    for words in unspoken:
        print(f'  never spoken: {words!r}')
    return 1 if unspoken else 0


if __name__ == '__main__':
    sys.exit(main())
