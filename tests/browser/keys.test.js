// The keys a child plays with besides Tab and Space, in the browser: the
// arrows, Home and End in a grid; the block of keys from 1, Q, A and Z, each
// the place of the grid where it lies, whatever letter the layout prints on
// it; H and I, which ask Tobble; and one-switch scanning from the address.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, openGame, INTRO, CARDS } = require('./harness.js');
const { speech, toGuide, guideTo, winCards, winPattern, PATTERN, WORM } = require('./player.js');

let env;
test.before(async () => { env = await launch(); });
test.after(async () => { await env.close(); });

// The block by physical key, and what a French keyboard prints on each: a
// page that went by the letter would press other places, or none.
const CODES = ['Digit1 Digit2 Digit3 Digit4 Digit5', 'KeyQ KeyW KeyE KeyR KeyT', 'KeyA KeyS KeyD KeyF KeyG',
  'KeyZ KeyX KeyC KeyV KeyB'].map((row) => row.split(' '));
const FRENCH = ['& é " \' (', 'a z e r t', 'q s d f g', 'w x c v b'].map((row) => row.split(' '));

async function pressPlace(game, row, column) {
  game.cdp = game.cdp || await game.context.newCDPSession(game.page);
  const [code, key] = [CODES[row - 1][column - 1], FRENCH[row - 1][column - 1]];
  await game.cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', code, key, text: key });
  await game.cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', code, key });
}

// The lines the live region has been given since the last call.
function heard(game) {
  return game.page.evaluate(() => {
    const region = document.getElementById('say');
    const lines = [...region.children].map((p) => p.textContent);
    region.replaceChildren();
    return lines;
  });
}

// What Tobble has said since the last call.
function said(game) {
  return game.page.evaluate(() => window.tobbleCues.splice(0).filter((c) => c.say !== undefined)
    .map((c) => [c.say, c.interrupt]));
}

// A control's place in its grid as a reader is told it ("row 2, column 3").
function placeOf(game, slot) {
  return game.page.evaluate((s) => document.querySelector(`.panel:not([hidden]) [data-slot="${s}"]`)
    .getAttribute('aria-description'), slot);
}

const rowColumn = (place) => place.match(/^row (\d), column (\d)$/).slice(1).map(Number);

// The control the ring is on (its reading and its box) and the ring's box,
// in the front panel's pixels.
function ringed(game) {
  return game.page.evaluate(() => {
    const boxOf = (e) => {
      const [x, y] = [parseFloat(e.style.left), parseFloat(e.style.top)];
      return { x, y, right: x + parseFloat(e.style.width || e.width), bottom: y + parseFloat(e.style.height || e.height) };
    };
    const ring = [...document.querySelectorAll('.panel:not([hidden]) .ring')].find((r) => r.style.display !== 'none');
    const on = document.activeElement;
    if (!ring || !on.dataset.slot) return null;
    const r = ring.querySelector('rect');
    const [x, y, w, h] = ['x', 'y', 'width', 'height'].map((a) => Number(r.getAttribute(a)));
    // The boxes of the controls of the ring's row, for the scan's row.
    const row = [...on.parentElement.children].filter((e) => e.getAttribute('aria-description') &&
      e.getAttribute('aria-description').split(',')[0] === (on.getAttribute('aria-description') || '').split(',')[0]);
    return { name: on.getAttribute('aria-label') || on.textContent, place: on.getAttribute('aria-description'),
      box: boxOf(on), row: row.map(boxOf), ring: { x, y, right: x + w, bottom: y + h } };
  });
}

// Whether the ring runs just around an area: outside it, and at most three
// pixels from it on every side.
function around(ring, boxes) {
  const area = { x: Math.min(...boxes.map((b) => b.x)), y: Math.min(...boxes.map((b) => b.y)),
    right: Math.max(...boxes.map((b) => b.right)), bottom: Math.max(...boxes.map((b) => b.bottom)) };
  const gaps = [area.x - ring.x, area.y - ring.y, ring.right - area.right, ring.bottom - area.bottom];
  return gaps.every((g) => g >= 0 && g <= 3);
}

test('at the keyboard, a child plays the lesson by the places of the keys and asks Tobble with H and I', async (t) => {
  const game = await openGame(env, { cues: true });
  // One game, step by step: after a step fails, the rest cannot be played.
  let failed = false;
  const step = (name, play) => t.test(name, { skip: failed }, () => play().catch((e) => {
    failed = true;
    throw e;
  }));
  await toGuide(game);
  await guideTo(game, CARDS);

  await step('the arrows move the ring within the cards\' grid, Home and End go to its ends, Tab walks on', async () => {
    const steps = [['ArrowRight', 'row 1, column 1'], ['ArrowRight', 'row 1, column 2'], ['ArrowDown', 'row 2, column 2'],
      ['ArrowLeft', 'row 2, column 1'], ['ArrowLeft', 'row 2, column 1'], ['ArrowUp', 'row 1, column 1'],
      ['End', 'row 4, column 5'], ['ArrowDown', 'row 4, column 5'], ['ArrowRight', 'row 4, column 5'],
      ['Home', 'row 1, column 1'], ['ArrowUp', 'row 1, column 1'],
      ['ArrowRight', 'row 1, column 2'], ['ArrowRight', 'row 1, column 3'], ['ArrowRight', 'row 1, column 4'],
      ['ArrowRight', 'row 1, column 5'], ['ArrowRight', 'row 1, column 5'], ['Tab', 'row 2, column 1'],
      ['End', 'row 4, column 5'], ['Tab', 'row 1, column 1'], ['Tab', 'row 1, column 2']];
    for (const [key, place] of steps) {
      await game.page.keyboard.press(key);
      const on = await ringed(game);
      assert.equal(on && on.place, place, `after ${key}`);
      assert.ok(around(on.ring, [on.box]), `the ring around ${place}: ${JSON.stringify(on)}`);
    }
  });

  await step('H says Tobble\'s last sentence again and I the tries left, by voice and to the reader, also muted',
    async () => {
      await heard(game);
      await said(game);
      await game.page.keyboard.press('h');
      assert.deepEqual(await said(game), [['Get Ready!', true]]);
      assert.deepEqual(await heard(game), ['Get Ready!']);
      await game.page.keyboard.press('I');
      assert.deepEqual(await said(game), [['15 trys left.', true]]);
      assert.deepEqual(await heard(game), ['15 trys left.']);
      // Muted, the reader is still told.
      await game.page.keyboard.press('m');
      await game.page.keyboard.press('i');
      assert.deepEqual(await heard(game), ['15 trys left.']);
      await game.page.keyboard.press('m');
      assert.deepEqual(await said(game), []);
    });

  await step('each key of the block turns the card at its place, as a click there does', async () => {
    await heard(game);
    await winCards(game, async (card) => {
      const place = await placeOf(game, card.slot);
      await pressPlace(game, ...rowColumn(place));
      // The second of a pair is read found.
      const lines = await heard(game);
      assert.ok(lines.some((l) => l.startsWith(card.name) && l.endsWith(`, ${place}`)), `${place}: ${lines.join(' | ')}`);
    });
    assert.match(await speech(game, INTRO), /^Welcome back!!/, 'the cards are won');
  });

  await step('I tells the pattern\'s tries and stage; its four buttons are the keys 1 to 4', async () => {
    await guideTo(game, PATTERN);
    await said(game);
    await game.page.keyboard.press('i');
    assert.deepEqual(await said(game), [['12 trys left.', true], ['Stage 0', false]]);
    await winPattern(game, async (button) => {
      const xs = (await game.read(PATTERN)).pictures.filter((p) => p.y < 200 && p.x < 540).map((p) => p.x);
      await pressPlace(game, 1, xs.filter((x) => x < button.x).length + 1);
    });
    assert.match(await speech(game, INTRO), /^Not bad at all!/, 'the pattern is passed');
  });

  await step('a hole is read by one word with its place, and the key of its place hits it', async () => {
    await guideTo(game, WORM);
    await game.page.keyboard.press('End');
    assert.equal((await ringed(game)).place, 'row 4, column 4');
    const holes = () => game.page.evaluate(() => [...document.querySelectorAll('.panel:not([hidden]) [aria-description]')]
      .map((e) => ({ name: e.getAttribute('aria-label'), place: e.getAttribute('aria-description') })));
    assert.equal((await holes()).length, 16);
    let apple;
    for (let ms = 0; ms < 30000 && !apple; ms += 50) {
      await game.pass(50);
      const up = (await holes()).filter((h) => h.name !== 'empty');
      for (const hole of up) assert.ok(/^(apple|baby)$/.test(hole.name) && rowColumn(hole.place), JSON.stringify(hole));
      apple = up.find((h) => h.name === 'apple');
    }
    assert.ok(apple, 'an apple comes up');
    await pressPlace(game, ...rowColumn(apple.place));
    assert.ok((await game.read(WORM)).pictures.some((p) => p.name === 'nod'), 'Tobble nods at a hit');

    // A key of a hole where nothing is up is a miss, which I counts.
    await said(game);
    await game.page.keyboard.press('i');
    const before = (await said(game))[0][0];
    const empty = (await holes()).find((h) => h.name === 'empty');
    await pressPlace(game, ...rowColumn(empty.place));
    await game.page.keyboard.press('i');
    const after = (await said(game)).map(([words]) => words);
    assert.equal(after.at(-2), `${parseInt(before, 10) - 1} trys left.`, `${before} then ${after}`);
  });
  assert.deepEqual(game.errors, []);
  await game.close();
});

test('with scanning, the ring is on Start as soon as the game is playing', async () => {
  const game = await openGame(env, { query: '?scan=1' });
  assert.equal((await ringed(game) || {}).name, 'Start');
  await game.close();
});

// What lies at a point of the cards' panel, in its own pixels.
function pointedAt(game, x, y) {
  return game.panel(CARDS).first().locator('.client').evaluate((client, [px, py]) => {
    const r = client.getBoundingClientRect();
    const e = document.elementFromPoint(r.left + px * r.width / parseFloat(client.style.width),
      r.top + py * r.height / parseFloat(client.style.height));
    return e === client ? 'nothing' : e.getAttribute('aria-label') || e.tagName;
  }, [x, y]);
}

test('with scanning, the ring steps the cards row by row, then along the chosen row, and the switch turns that card',
  async () => {
    const game = await openGame(env, { query: '?scan=1' });
    // Each click below is the switch on the one control the ring can be on.
    await toGuide(game);
    await guideTo(game, CARDS);
    const onRow = async (row) => {
      const on = await ringed(game);
      assert.equal(on && on.place.split(',')[0], row);
      assert.ok(around(on.ring, on.row) && on.row.length === 5, `the ring around ${row}`);
    };
    const onCard = async (place) => {
      const on = await ringed(game);
      assert.equal(on && on.place, place);
      assert.ok(around(on.ring, [on.box]), `the ring around ${place} alone`);
    };
    // The ring is on the first row at once. The scan steps a second after
    // the switch and each second on: each wait below ends half a step from
    // the next, so that no step falls on its edge.
    await onRow('row 1');
    await game.pass(1500);
    await onRow('row 2');
    await game.pass(1000);  // the preview is over
    await onRow('row 3');
    await game.page.keyboard.press('Space');
    await onCard('row 3, column 1');
    await game.pass(1500);
    await onCard('row 3, column 2');
    await heard(game);
    await game.page.keyboard.press('Space');
    assert.match((await heard(game))[0], /^[a-z ]+, row 3, column 2$/, 'the card turned');
    await onRow('row 3');

    // A click where there is nothing is the switch too; the second click of
    // a double-click, as a shaking hand makes one, is none.
    assert.equal(await pointedAt(game, 740, 450), 'nothing');
    await game.pass(1500);
    await onRow('row 4');
    await game.clickAt(CARDS, 740, 450, { wait: 0 });
    await game.clickAt(CARDS, 740, 450, { wait: 0 });
    await onCard('row 4, column 1');
    await game.pass(1500);
    await onCard('row 4, column 2');
    await game.clickAt(CARDS, 740, 450, { wait: 0 });
    assert.match((await heard(game))[0], /^[a-z ]+, row 4, column 2$/, 'the card turned');
    assert.deepEqual(game.errors, []);
    await game.close();
  });
