#!/usr/bin/env python3
"""How many of Tobble's words a weak recogniser hears, as a stand-in for a
child who cannot read the text.

    recognition.py VOICE_DIR LINES.tsv [--jobs N] [--out DIR]

Each clip <key>.wav of VOICE_DIR is resampled to 16 kHz mono and given to
pocketsphinx_continuous (Debian's pocketsphinx and pocketsphinx-en-us); the
words it hears are aligned with the words of the line (LINES.tsv, "<key><TAB>
<spoken text>") and the words found in order are counted. Prints the rate
over all clips, over the sentences, over the counters ("Sorry! 3 trys left.", "Stage 4")
and over the single words numbers are put together from, and names every clip
of which no word was heard. A figure to report, not a test: it always exits 0
once it has measured.
"""
import argparse
import concurrent.futures
import difflib
import os
import re
import subprocess
import sys
import tempfile

# The numbered lines said whole: tries left and stages.
COUNTER = re.compile(r"^(cards_sorry|pattern_wrong|worm_missed|stage)_\d+$")


def kind(key):
    if key.startswith("word_"):
        return "single words"
    if COUNTER.match(key):
        return "counters"
    return "sentences"


def words(text):
    # Hyphenated numbers are two words to the recogniser's dictionary.
    return re.sub(r"[^a-z' ]", " ", text.lower().replace("-", " ")).split()


def heard(clip, tmp):
    wav16 = os.path.join(tmp, os.path.basename(clip))
    # Repeatable dither (-R): with sox's random one, the recogniser hears a
    # word or two differently from run to run.
    subprocess.run(["sox", "-R", clip, "-r", "16000", "-c", "1", "-b", "16", wav16], check=True)
    run = subprocess.run(["pocketsphinx_continuous", "-infile", wav16, "-logfn", "/dev/null"],
                         capture_output=True, text=True, check=True)
    return words(" ".join(run.stdout.split("\n")))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("voice")
    parser.add_argument("lines")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--out", help="folder for recognition.tsv, what was heard in each clip")
    args = parser.parse_args()

    lines = []
    with open(args.lines, encoding="utf-8") as f:
        for row in f:
            if row.strip():
                key, text = row.rstrip("\n").split("\t", 1)
                lines.append((key, text))
    if not lines:
        sys.exit(f"{args.lines}: no lines")

    with tempfile.TemporaryDirectory() as tmp, \
            concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        hyps = list(pool.map(lambda line: heard(os.path.join(args.voice, line[0] + ".wav"), tmp), lines))

    totals = {}  # kind -> [words found, words said, clips]
    zero = []
    rows = []
    for (key, text), hyp in zip(lines, hyps):
        ref = words(text)
        found = sum(b.size for b in difflib.SequenceMatcher(None, ref, hyp, autojunk=False).get_matching_blocks())
        for k in ("all clips", kind(key)):
            t = totals.setdefault(k, [0, 0, 0])
            t[0] += found
            t[1] += len(ref)
            t[2] += 1
        if found == 0:
            zero.append(key)
        rows.append(f"{key}\t{found}/{len(ref)}\t{' '.join(ref)}\t{' '.join(hyp)}")

    if args.out:
        os.makedirs(args.out, exist_ok=True)
        with open(os.path.join(args.out, "recognition.tsv"), "w", encoding="utf-8") as f:
            f.write("key\tfound/said\tsaid\theard\n" + "\n".join(rows) + "\n")

    print("| Clips | Count | Words recognised |")
    print("|---|---|---|")
    for k in ("all clips", "sentences", "counters", "single words"):
        if k in totals:
            found, said, clips = totals[k]
            print(f"| {k} | {clips} | {100 * found / said:.1f} % ({found}/{said}) |")
    print(f"Clips with no word recognised ({len(zero)}): {' '.join(zero) if zero else 'none'}")


if __name__ == "__main__":
    main()
