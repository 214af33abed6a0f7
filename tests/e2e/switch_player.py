#!/usr/bin/python3
"""A child who plays with one switch: the real game started with --scan=1,
played with nothing but Space, pressed when the scanning ring, followed by
its focus events over AT-SPI, is on what the child wants. It goes from
Start through the monologue and the guide, and wins the card game from the
deal as it was read.

    switch_player.py GAME WORKDIR     (run by screen_reader.sh)
"""
import sys
import time

from screen_reader import GUIDE, MONOLOGUE, Atspi, Failure, children, find_intro, note, run

# Long enough for the ring to come round every row and along a whole row.
STEPS = 12


# When the switch was last pressed: the scan's step starts afresh from it.
last_switch = 0.0


def switch():
    global last_switch
    Atspi.generate_keyboard_event(0x20, None, Atspi.KeySynthType.SYM)
    last_switch = time.time()


def when_ring_on(reader, acc, what):
    """Presses the switch once the ring is on `acc`, early in a step: a ring
    that has stood there most of a second may move on under the press, as
    for a child who presses late."""
    deadline = time.time() + STEPS
    while True:
        moved = max([last_switch] + [at for at, kind, _ in reader.told if kind == 'focus'])
        if reader.focus == acc and time.time() - moved < 0.5:
            break
        if time.time() > deadline:
            now = reader.focus.get_name() if reader.focus else None
            raise Failure(f'the ring never came to {what}; it is on {now!r}')
        reader.pump(0.02)
    switch()


def told(reader, sentence, since):
    """The sentence reached the reader: said, or read as the name of the
    speech under the ring."""
    reader.wait_for(f'{sentence!r} told', lambda t, s, d, a, r, n: n is not None and sentence in n and (
        t in ('object:state-changed:showing', 'object:state-changed:focused') and d == 1
        or t == 'object:property-change:accessible-name'), since)


def talk_through(reader, speech, sentences):
    for sentence in sentences:
        since = reader.mark()
        when_ring_on(reader, speech, 'the speech')
        told(reader, sentence, since)


def pick(reader, deck, card, row_of_ring):
    """The card by its row, then by its place along the row. The ring then
    stands on the card's row again."""
    row, column = divmod(card, 5)
    when_ring_on(reader, deck[row * 5], f'row {row + 1}')
    if column == 0:
        reader.pump(0.1)
        switch()
    else:
        when_ring_on(reader, deck[card], f'card {card}')
    return row


def play(reader):
    t0 = time.time()
    intro = find_intro(reader)
    start = [c for c in children(intro) if c.get_role_name() == 'push button'][0]
    speech = children(intro)[3]
    since = reader.mark()
    when_ring_on(reader, start, 'Start')
    told(reader, MONOLOGUE[0], since)
    talk_through(reader, speech, MONOLOGUE[1:])
    since = reader.mark()
    when_ring_on(reader, speech, 'the speech')
    guide = reader.wait_for('the guide in front', lambda t, s, d, a, r, n: t == 'window:activate' and s != intro,
                            since)[1]
    talk = children(guide)[0]
    # The guide's first click only counts.
    when_ring_on(reader, talk, 'the guide\'s speech')
    talk_through(reader, talk, GUIDE[1:])
    note(f'Start, the monologue and the guide, by the switch alone ({time.time() - t0:.1f} s)')

    since = reader.mark()
    when_ring_on(reader, talk, 'the guide\'s speech')
    cards = reader.wait_for('the card game in front', lambda t, s, d, a, r, n: t == 'window:activate'
                            and n == 'Pick the Card', since)[1]
    deck = [c for c in children(cards) if c.get_role_name() == 'push button']
    dealt = [c.get_name() for c in deck]
    if len(deck) != 20 or 'face down' in dealt:
        raise Failure(f'the deal reads {dealt}')
    reader.expect_announced('Pick A Card!', since)
    pairs = {}
    for i, picture in enumerate(dealt):
        pairs.setdefault(picture, []).append(i)
    left = sorted(pairs.values())
    row = 0
    while left:
        # The pair whose first card the ring reaches soonest.
        pair = min(left, key=lambda p: ((p[0] // 5 - row) % 4, p[0] % 5))
        left.remove(pair)
        turn = reader.mark()
        for card in pair:
            row = pick(reader, deck, card, row)
        if left:
            reader.expect_announced('Right!', turn)
            reader.expect_announced('Pick A Card!', turn)
    reader.wait_for('the guide back, the card game won', lambda t, s, d, a, r, n: t == 'window:activate'
                    and s == guide, turn)
    note(f'the card game won by the switch alone ({time.time() - t0:.1f} s)')


if __name__ == '__main__':
    sys.exit(run(play, ['--scan=1']))
