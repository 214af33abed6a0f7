#!/usr/bin/python3
"""A small screen-reading client: plays the real game from Start through the
monologue and the guide into the card game by AT-SPI actions (and the Tab
key), and at every step checks that the events a screen reader relies on
arrived and that the view it built from them alone matches a fresh reading.
With --pattern it goes on as a blind child would: remembers the deal as it
is read, wins the card game, and repeats the first pattern it hears lit.
With --worm it passes the pattern game too, and in Hit the worm hits an
apple it hears by the key at the apple's place, and asks I and H.

    screen_reader.py GAME WORKDIR [--pattern|--worm]     (run by screen_reader.sh)
"""
import os
import subprocess
import sys
import time

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, Gio, GLib  # noqa: E402

TIMEOUT = 10
# A screen reader runs alongside (see docs/SCREEN-READER.md): give it a
# child's pace, so that it has spoken each change before the next.
PACE = float(os.environ.get('WALK_PACE', '0'))
STATES = ('showing', 'sensitive', 'focused')

MONOLOGUE = [
    'Hi! I am Tobble! You will be going to school with me today! :> (click here to continue)',
    'Where am I going? I am going to my school!  It is a small Christian school!',
    'Yeah! My classes are really fun! We play learn together and play games all day!! :>',
    'OOOOh!!! Got to run!! Or I will be late to class!!',
]
GUIDE = [
    'Welcome to the school! Here is the lesson for today! (Click here to continue)',
    'To end the class right now, click the X button on top right!',
    'First we will play pick the cards! It\'s really easy!',
    'All the cards are originally faced down, you will be allowed to open two cards at one turn.',
    'Your goal is to open two cards that matches exactly! :> Easy? Let\'s do it! You have 15 trys!',
]
BUTTONS = ('cross', 'heart', 'candy', 'baby')
PICTURES = {'cross', 'heart', 'loaf', 'beet', 'candy', 'landscape', 'cheese', 'hat', 'bird', 'baby'}


class Failure(Exception):
    pass


def note(message):
    print('--', message, flush=True)


def key(acc):
    return hash(acc)


def fresh(acc):
    """What the game says now, past any cache."""
    acc.clear_cache()
    states = acc.get_state_set()
    return {
        'role': acc.get_role_name(),
        'name': acc.get_name(),
        'description': acc.get_description(),
        **{s: states.contains(getattr(Atspi.StateType, s.upper())) for s in STATES},
    }


class Reader:
    """Keeps a view of the game's objects up to date from events alone, as a
    caching screen reader does."""

    def __init__(self):
        self.events = []
        self.told = []  # (seconds, what, words): every message and focus the game gave a reader
        self.view = {}
        self.focus = None
        self.listener = Atspi.EventListener.new(self.on_event)
        for kind in ('object:property-change:accessible-name', 'object:property-change:accessible-description',
                     'object:state-changed', 'object:text-changed', 'focus:', 'window:'):
            self.listener.register(kind)

    def on_event(self, event):
        source = event.source
        name = None
        try:
            name = source.get_name()
            role = source.get_role_name()
        except GLib.Error:
            role = '?'
        self.events.append((event.type, source, event.detail1, event.any_data, role, name))
        if event.type == 'object:state-changed:showing' and event.detail1 and role == 'notification':
            self.told.append((time.time(), 'message', name))
        elif event.type == 'object:state-changed:focused' and event.detail1:
            self.told.append((time.time(), 'focus', name))
        known = self.view.get(key(source))
        if event.type == 'object:property-change:accessible-name' and known is not None:
            known['name'] = name
        elif event.type == 'object:property-change:accessible-description' and known is not None:
            known['description'] = source.get_description()
        elif event.type.startswith('object:state-changed:'):
            state = event.type.split(':')[2]
            if known is not None and state in STATES:
                known[state] = bool(event.detail1)
            if state == 'focused' and event.detail1:
                self.focus = source

    def pump(self, seconds):
        context = GLib.MainContext.default()
        end = time.time() + seconds
        while time.time() < end:
            while context.pending():
                context.iteration(False)
            time.sleep(0.01)

    def wait_for(self, what, match, since=0, timeout=TIMEOUT):
        """Waits for an event (type, source, detail1, any_data, role, name)
        that satisfies `match`, among those after `since`."""
        deadline = time.time() + timeout
        while True:
            for event in self.events[since:]:
                if match(*event):
                    return event
            if time.time() > deadline:
                recent = '\n  '.join(f'{t} {r} {n!r} {d}' for t, _, d, _, r, n in self.events[since:][-25:])
                raise Failure(f'no event: {what}; the last ones were:\n  {recent}')
            self.pump(0.05)

    def mark(self):
        return len(self.events)

    def learn(self, root):
        """Reads a window and its children once, as a reader does when it
        first meets them; from here on only events change the view."""
        for acc in [root, *children(root), *status(root)]:
            self.view[key(acc)] = fresh(acc)

    def check(self, root, what):
        """The view built from events agrees with a fresh reading. Events
        still on their way get a moment to arrive."""
        for attempt in range(3):
            self.pump(0.15)
            wrong = []
            for acc in [root, *children(root), *status(root)]:
                now = fresh(acc)
                seen = self.view.get(key(acc))
                if seen != now:
                    wrong.append(f'{now["role"]} {now["name"]!r}: the view has {seen}, the game {now}')
            if not wrong:
                return
        raise Failure(f'{what}: the cached view is stale:\n  ' + '\n  '.join(wrong))

    def expect_announced(self, words, since):
        self.wait_for(f'the notification saying {words!r}',
                      lambda t, s, d, a, r, n: t == 'object:state-changed:showing' and d == 1
                      and r == 'notification' and words in (n or ''), since)


def children(acc):
    return [acc.get_child_at_index(i) for i in range(acc.get_child_count())]


def status(window):
    line = [c for c in children(window) if c.get_role_name() == 'status bar']
    return children(line[0]) if line else []


def press(acc):
    time.sleep(PACE)
    if acc.get_n_actions() < 1:
        raise Failure(f'{acc.get_role_name()} {acc.get_name()!r} cannot be pressed')
    acc.do_action(0)


def tab():
    time.sleep(PACE)
    Atspi.generate_keyboard_event(0xff09, None, Atspi.KeySynthType.SYM)


def only_focused(reader, app, expected, what):
    """Exactly one object of the game says it is focused, and it is the one
    the focus events named."""
    focused = []
    for window in children(app):
        for acc in [window, *children(window)]:
            if fresh(acc)['focused']:
                focused.append(acc)
    if len(focused) != 1 or focused[0] != expected:
        names = [f'{a.get_role_name()} {a.get_name()!r}' for a in focused]
        raise Failure(f'{what}: focused are {names}, not {expected.get_name()!r} alone')
    if reader.focus != expected:
        raise Failure(f'{what}: the focus events last named {reader.focus.get_name()!r}')


def find_child(window, role, name=None):
    for acc in children(window):
        if acc.get_role_name() == role and (name is None or acc.get_name() == name):
            return acc
    raise Failure(f'no {role} {name!r} in {window.get_name()!r}')


def enable_accessibility():
    """Asks the session's toolkits to expose their objects, as a screen
    reader starting up does. The bus launcher may still be starting."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    deadline = time.time() + TIMEOUT
    while True:
        try:
            bus.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.freedesktop.DBus.Properties', 'Set',
                          GLib.Variant('(ssv)', ('org.a11y.Status', 'IsEnabled', GLib.Variant('b', True))),
                          None, Gio.DBusCallFlags.NONE, -1, None)
            return
        except GLib.Error:
            if time.time() > deadline:
                raise
            time.sleep(0.1)


def find_intro(reader):
    """The intro window, by its activation. On a busy machine Qt's bridge may
    join the bus just after the window was activated, as it can for any Qt
    program; a reader then finds the active window in the desktop's tree."""
    try:
        return reader.wait_for('the intro window activated',
                               lambda t, s, d, a, r, n: t == 'window:activate' and n == 'Tobble Goes to school!')[1]
    except Failure:
        for app in children(Atspi.get_desktop(0)):
            for window in children(app):
                if window.get_name() == 'Tobble Goes to school!' and \
                        window.get_state_set().contains(Atspi.StateType.ACTIVE):
                    note('the intro was activated before the reader could hear it; found it active')
                    return window
        raise


def walk(reader, pattern, worm=False):
    t0 = time.time()
    intro = find_intro(reader)
    app = intro.get_application()
    reader.learn(intro)
    reader.expect_announced('Tobble', 0)
    reader.expect_announced('goes to school', 0)
    note(f'the intro is in front and says its texts ({time.time() - t0:.1f} s)')

    kids = children(intro)
    roles = [(c.get_role_name(), c.get_name()) for c in kids]
    if roles[:3] != [('label', 'Tobble'), ('label', 'goes to school'), ('push button', 'Start')]:
        raise Failure(f'the intro reads {roles}')
    for i, acc in enumerate(kids):
        if acc.get_index_in_parent() != i or acc.get_parent() != intro:
            raise Failure(f'{acc.get_name()!r} is child {i} but says index {acc.get_index_in_parent()}')
    speech = kids[3]
    if reader.view[key(speech)]['showing']:
        raise Failure('the speech is read before Start is pressed')
    start = kids[2]

    since = reader.mark()
    tab()
    reader.wait_for('Start focused by Tab',
                    lambda t, s, d, a, r, n: t == 'object:state-changed:focused' and d == 1 and s == start, since)
    only_focused(reader, app, start, 'after Tab')
    reader.check(intro, 'after Tab')
    note('Tab puts the focus on Start alone')

    since = reader.mark()
    press(start)
    reader.expect_announced(MONOLOGUE[0], since)
    reader.wait_for('the focus back on the window once Start has gone',
                    lambda t, s, d, a, r, n: t == 'object:state-changed:focused' and d == 1 and s == intro, since)
    reader.check(intro, 'after Start')
    only_focused(reader, app, intro, 'after Start')
    if not reader.view[key(speech)]['showing'] or reader.view[key(start)]['showing']:
        raise Failure('Start is still read, or the speech is not')
    note('Start pressed: it is gone, the speech is shown and said')

    since = reader.mark()
    tab()
    reader.wait_for('the speech focused by Tab',
                    lambda t, s, d, a, r, n: t == 'object:state-changed:focused' and d == 1 and s == speech, since)
    only_focused(reader, app, speech, 'on the speech')
    for sentence in MONOLOGUE[1:]:
        since = reader.mark()
        press(speech)
        reader.wait_for(f'the speech renamed to {sentence!r}',
                        lambda t, s, d, a, r, n: t == 'object:property-change:accessible-name' and s == speech
                        and n == sentence, since)
        reader.wait_for('the text change of the speech',
                        lambda t, s, d, a, r, n: t == 'object:text-changed:insert' and s == speech and a == sentence,
                        since)
        reader.expect_announced(sentence, since)
        reader.check(intro, f'after {sentence!r}')
    note('the monologue: each sentence renamed the focused speech, changed its text and was said')

    since = reader.mark()
    press(speech)
    guide_event = reader.wait_for('the guide window activated',
                                  lambda t, s, d, a, r, n: t == 'window:activate' and s != intro, since)
    guide = guide_event[1]
    # The keyboard was used on the intro: the guide comes up with the ring
    # on its speech, which the focus reads; its lesson list is said.
    reader.wait_for('the guide\'s speech focused',
                    lambda t, s, d, a, r, n: t == 'object:state-changed:focused' and d == 1 and n == GUIDE[0], since)
    reader.expect_announced('Hit the worm', since)
    reader.learn(guide)
    talk = find_child(guide, 'label', GUIDE[0])
    if any(c.get_role_name() == 'push button' and not c.get_name() for c in children(guide)):
        raise Failure('the guide reads a button with no name')
    lesson = [n for r, n in ((c.get_role_name(), c.get_name()) for c in children(guide)) if r == 'label']
    for text in ('Today\'s Lesson', 'Pick the Cards', 'Follow the Patterns', 'Hit the worm'):
        if text not in lesson:
            raise Failure(f'the guide does not read {text!r}: {lesson}')
    only_focused(reader, app, talk, 'the guide in front')
    note(f'the guide is in front, the focus on its speech; its lesson list is said ({time.time() - t0:.1f} s)')

    # The guide's first click only counts.
    press(talk)
    for sentence in GUIDE[1:]:
        since = reader.mark()
        press(talk)
        reader.expect_announced(sentence, since)
        reader.check(guide, f'after {sentence!r}')
    note('the guide\'s talk: each sentence was said')

    since = reader.mark()
    press(talk)
    cards_event = reader.wait_for('the card game activated',
                                  lambda t, s, d, a, r, n: t == 'window:activate' and n == 'Pick the Card', since)
    cards = cards_event[1]
    dealt_at = since
    reader.learn(cards)
    reader.expect_announced('Get Ready!', since)
    deck = [c for c in children(cards) if c.get_role_name() == 'push button']
    if len(deck) != 20:
        raise Failure(f'{len(deck)} cards are read')
    dealt = [c.get_name() for c in deck]
    if not set(dealt) <= PICTURES:
        raise Failure(f'the dealt cards read {dealt}')
    places = [c.get_description() for c in deck]
    if places[0] != 'row 1, column 1' or places[7] != 'row 2, column 3' or places[19] != 'row 4, column 5':
        raise Failure(f'the cards\' places read {places}')
    note(f'the deal is read face up, each card with its place ({time.time() - t0:.1f} s)')

    reader.expect_announced('Pick A Card!', dealt_at)
    reader.wait_for('the last card turned face down',
                    lambda t, s, d, a, r, n: t == 'object:property-change:accessible-name' and s == deck[19]
                    and n == 'face down', dealt_at)
    reader.check(cards, 'after the preview')
    if any(reader.view[key(c)]['name'] != 'face down' for c in deck):
        raise Failure('the view still reads a card face up after the preview')
    note('after the preview every card reads face down in the cached view')

    since = reader.mark()
    press(deck[0])
    reader.wait_for('the first card turned up',
                    lambda t, s, d, a, r, n: t == 'object:property-change:accessible-name' and s == deck[0]
                    and n in PICTURES, since)
    press(deck[1])
    remark = reader.wait_for('a remark on the pair',
                             lambda t, s, d, a, r, n: t == 'object:property-change:accessible-name' and r == 'label'
                             and n in ('Right!', 'Sorry!  14 trys left.'), since)[5]
    reader.expect_announced(remark, since)
    reader.check(cards, 'after a pair')
    first, second = (reader.view[key(c)]['name'] for c in deck[:2])
    if remark == 'Right!' and not (first.endswith(', found') and second.endswith(', found')):
        raise Failure(f'a found pair reads {first!r}, {second!r}')
    note(f'two cards turned: {first!r}, {second!r}; the remark {remark!r} was said')
    if pattern or worm:
        win_the_cards(reader, guide, deck, dealt, since)
        window, buttons = follow_the_pattern(reader, guide)
    if worm:
        pass_the_pattern(reader, guide, buttons)
        hit_the_worm(reader, guide)
    note(f'the walk took {time.time() - t0:.1f} s')
    # A screen reader running alongside speaks the last changes.
    reader.pump(PACE * 2)


def win_the_cards(reader, guide, deck, dealt, last_turn):
    """Every pair from the deal as it was read, one turn per tick."""
    pairs = {}
    for i, picture in enumerate(dealt):
        pairs.setdefault(picture, []).append(i)
    left = [p for p in pairs.values() if not reader.view[key(deck[p[0]])]['name'].endswith(', found')]
    for n, (i, j) in enumerate(left):
        # The tick that turns the last pair down opens the cards again.
        reader.expect_announced('Pick A Card!', last_turn)
        last_turn = reader.mark()
        press(deck[i])
        reader.wait_for('a card turned up', lambda t, s, d, a, r, nm: t == 'object:state-changed:showing'
                        and r == 'notification' and dealt[i] in (nm or ''), last_turn)
        press(deck[j])
        reader.expect_announced('Right!', last_turn)
    # The winning pair is said before the guide that takes the game's place.
    right = reader.wait_for('the last "Right!"', lambda t, s, d, a, r, nm: t == 'object:state-changed:showing'
                            and d == 1 and r == 'notification' and nm == 'Right!', last_turn)
    back = reader.wait_for('the guide back in front', lambda t, s, d, a, r, nm: t == 'window:activate' and s == guide,
                           last_turn)
    if reader.events.index(right, last_turn) > reader.events.index(back, last_turn):
        raise Failure('the winning pair was said after the guide came back')
    reader.wait_for('the focus on the guide\'s welcome back',
                    lambda t, s, d, a, r, nm: t == 'object:state-changed:focused' and d == 1
                    and (nm or '').startswith('Welcome back!!'), last_turn)
    note('the card game won from the deal as it was read; the guide welcomes the child back with the focus')


def follow_the_pattern(reader, guide):
    talk = children(guide)[0]
    for _ in range(3):
        since = reader.mark()
        press(talk)
    shown = reader.wait_for('the pattern game in front', lambda t, s, d, a, r, n: t == 'window:activate'
                            and n == 'Follow the Pattern!', since)
    window = shown[1]
    reader.learn(window)
    buttons = [c for c in children(window) if c.get_role_name() == 'push button']
    if [b.get_name() for b in buttons] != list(BUTTONS):
        raise Failure(f'the pattern buttons read {[b.get_name() for b in buttons]}')
    reader.expect_announced('Repeat the pattern pls!', since)
    heard = [n for t, _, d, _, r, n in reader.events[since:]
             if t == 'object:state-changed:showing' and d == 1 and r == 'notification']
    lights = [b for words in heard for b in BUTTONS if f'{b}, lit' in words]
    if len(lights) != 4:
        raise Failure(f'the pattern was heard as {heard}')
    note(f'the pattern was heard lit: {lights}')
    since = reader.mark()
    for b in lights:
        press(buttons[BUTTONS.index(b)])
    reader.expect_announced('Stage  1', since)
    reader.check(window, 'after the first stage')
    note('the pattern repeated by ear: stage 1')
    return window, buttons


def heard_lights(reader, since):
    """The buttons heard lit since `since`, once the game waits for the
    child to repeat them."""
    waiting = reader.wait_for('the game waiting for the pattern',
                              lambda t, s, d, a, r, n: t == 'object:state-changed:showing' and d == 1
                              and r == 'notification' and n == 'Repeat the pattern pls!', since,
                              timeout=3 * TIMEOUT)  # a pattern of 9 lights takes 11 s to show
    heard = [n for t, _, d, _, r, n in reader.events[since:reader.events.index(waiting, since)]
             if t == 'object:state-changed:showing' and d == 1 and r == 'notification']
    return [b for words in heard for b in BUTTONS if f'{b}, lit' in words]


def pass_the_pattern(reader, guide, buttons):
    """Stages 2 to 4 repeated by ear, then every try left spent on wrong
    clicks, which passes the game once four stages are won."""
    for stage in (2, 3, 4):
        since = reader.mark()
        lights = heard_lights(reader, since)
        if len(lights) != stage + 3:
            raise Failure(f'stage {stage} was heard as {lights}')
        since = reader.mark()
        for b in lights:
            press(buttons[BUTTONS.index(b)])
        reader.expect_announced(f'Stage  {stage}', since)
    note('the pattern repeated by ear up to stage 4')
    misses = 0
    while misses < 12:
        since = reader.mark()
        for b in heard_lights(reader, since):
            press(buttons[(BUTTONS.index(b) + 1) % 4])
            misses += 1
            if misses == 12:
                break
    reader.wait_for('the guide back after the pattern',
                    lambda t, s, d, a, r, n: t == 'window:activate' and s == guide, since)
    note('every try spent after stage 4: the pattern game is passed')


def hit_the_worm(reader, guide):
    """The guide's talk to Hit the worm; there, the apple heard by its one
    word is hit by the key at its place in the 1/Q/A/Z block (X key codes,
    as the keyboard's physical keys), and I and H answer."""
    talk = children(guide)[0]
    since = reader.mark()
    press(talk)
    reader.expect_announced('The game is very simple.', since)
    since = reader.mark()
    press(talk)
    window = reader.wait_for('Hit the worm in front', lambda t, s, d, a, r, n: t == 'window:activate'
                             and n == 'Hit the worm!', since)[1]
    holes = [c for c in children(window) if c.get_role_name() == 'push button']
    if len(holes) != 16:
        raise Failure(f'{len(holes)} holes are read')
    praises = ('Great hit!!', 'Wonderful!!', 'Perfect hit!!', 'Wow!! Nice one!')
    misses = 0
    for attempt in range(6):
        since = reader.mark()
        reader.wait_for('an apple heard', lambda t, s, d, a, r, n: t == 'object:state-changed:showing' and d == 1
                        and r == 'notification' and n == 'apple', since)
        hole = next((h for h in holes if fresh(h)['name'] == 'apple'), None)
        if hole is None:
            continue  # gone again before it was found
        row, column = (int(w) for w in hole.get_description().replace(',', '').split()[1::2])
        Atspi.generate_keyboard_event([10, 24, 38, 52][row - 1] + column - 1, None, Atspi.KeySynthType.PRESSRELEASE)
        answer = reader.wait_for('the answer to the key', lambda t, s, d, a, r, n: t == 'object:state-changed:showing'
                                 and d == 1 and r == 'notification' and (n in praises or 'Missed!!' in (n or '')),
                                 since)[5]
        if answer in praises:
            note(f'the apple at row {row}, column {column} hit by its key: {answer!r}')
            break
        misses += 1
        note(f'the apple at row {row}, column {column} went before its key: {answer!r}')
    else:
        raise Failure('no apple was hit by its key')
    since = reader.mark()
    Atspi.generate_keyboard_event(0x69, None, Atspi.KeySynthType.SYM)
    reader.expect_announced(f'{10 - misses} trys left.', since)
    reader.expect_announced('Stage 0', since)
    since = reader.mark()
    Atspi.generate_keyboard_event(0x68, None, Atspi.KeySynthType.SYM)
    reader.expect_announced(answer, since)
    note('I told the tries left and the stage; H said the praise again')


def run(play, game_args=()):
    """Starts the game (GAME WORKDIR from the command line) with `game_args`,
    and plays it with `play(reader)`; the exit status."""
    game_path, work = sys.argv[1:3]
    enable_accessibility()
    Atspi.init()
    reader = Reader()
    with open(f'{work}/game.log', 'w') as log:
        game = subprocess.Popen([game_path, *game_args], stdout=log, stderr=subprocess.STDOUT)
    try:
        play(reader)
    except Failure as failure:
        print(f'FAIL: {failure}', file=sys.stderr)
        return 1
    finally:
        game.terminate()
        game.wait(TIMEOUT)
        # What the game told, for a reader's log to be held against.
        with open(f'{work}/told.tsv', 'w') as told:
            for at, what, words in reader.told:
                told.write(f'{at:.3f}\t{what}\t{words or ""}\n')
    return 0


if __name__ == '__main__':
    sys.exit(run(lambda reader: walk(reader, '--pattern' in sys.argv[3:], '--worm' in sys.argv[3:])))
