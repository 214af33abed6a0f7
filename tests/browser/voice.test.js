// Tobble's voice and the sounds in the browser: the page hears the same cues
// as the desktop (the director and its tables are the same code; the lines
// expected here are those of the desktop's heard tests), plays them, is
// silenced by M, and fetches no clip before its first paint.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, openGame, INTRO, CARDS } = require('./harness.js');
const { toGuide, guideTo, cardsOnTable } = require('./player.js');

let env;
test.before(async () => { env = await launch(); });
test.after(async () => { await env.close(); });

// Runs in the page before its scripts, after the harness's recorder of the
// cues (recordCues): records the clips' fetches (and whether the first paint
// had come) and every clip that starts playing.
function listen(noAudio) {
  window.tobbleFetches = [];
  window.tobbleStarts = 0;
  window.tobbleStops = 0;
  if (noAudio) {
    delete window.AudioContext;
    delete window.webkitAudioContext;
  }
  // The test's clock stands in for `performance` later: keep the real one's paints.
  const paints = performance.getEntriesByType.bind(performance, 'paint');
  const fetch = window.fetch;
  window.fetch = (url, ...rest) => {
    if (String(url).includes('audio/')) {
      window.tobbleFetches.push({ url: String(url), painted: paints().some((e) => e.name === 'first-contentful-paint') });
    }
    return fetch(url, ...rest);
  };
  if (window.AudioBufferSourceNode) {
    const start = AudioBufferSourceNode.prototype.start;
    AudioBufferSourceNode.prototype.start = function (...args) {
      window.tobbleStarts++;
      return start.apply(this, args);
    };
    const stop = AudioBufferSourceNode.prototype.stop;
    AudioBufferSourceNode.prototype.stop = function (...args) {
      window.tobbleStops++;
      return stop.apply(this, args);
    };
  }
}

// The cues heard since the last call, in the desktop tests' words.
async function heard(game) {
  const cues = await game.page.evaluate(() => window.tobbleCues.splice(0));
  return cues.map((c) => (c.sound ? `sound: ${c.sound}` : c.silence ? 'silence' : `say: ${c.say}`));
}

async function wrongPair(game, cards) {
  const other = cards.find((c) => c.name !== cards[0].name);
  await game.clickControl(CARDS, cards[0]);
  await game.clickControl(CARDS, other);
}

test('the card game sounds as on the desktop, M silences it, and the clips come after the first paint', async () => {
  const game = await openGame(env, { cues: true, init: listen });
  await toGuide(game);
  const intro = await game.page.evaluate(() => window.tobbleCues.find((c) => c.say !== undefined));
  assert.equal(intro.say, 'Hi! I am Tobble! You will be going to school with me today! :> (click here to continue)');
  assert.ok(intro.clips.length > 0 && intro.interrupt, 'a whole sentence, with its clips');

  await guideTo(game, CARDS);
  const cards = await cardsOnTable(game);
  await heard(game);
  await game.pass(2000);  // the preview ends
  assert.deepEqual(await heard(game), ['sound: card_down', 'say: Pick A Card!']);
  const before = await game.page.evaluate(() => window.tobbleStarts);
  await wrongPair(game, cards);
  assert.deepEqual(await heard(game), ['sound: card_up', 'sound: card_up', 'sound: pair_wrong',
    'say: Sorry!  14 trys left.']);

  // The clips are fetched, decoded and played (the clicks let the page
  // sound): three sounds and the sentence's first clip, which the next
  // sentence cuts short.
  await game.page.waitForFunction((n) => window.tobbleStarts >= n + 4, before, { timeout: 10000 });
  const stops = await game.page.evaluate(() => window.tobbleStops);
  await game.pass(2000);
  assert.deepEqual(await heard(game), ['sound: card_down', 'say: Pick A Card!']);
  assert.equal(await game.page.evaluate(() => window.tobbleStops), stops + 1, 'the new sentence interrupts');
  const fetches = await game.page.evaluate(() => window.tobbleFetches);
  assert.ok(fetches.some((f) => /audio\/voice\/.+\.(opus|mp3)$/.test(f.url)), 'the voice is fetched');
  assert.deepEqual(fetches.filter((f) => !f.painted), [], 'no clip before the first paint');

  // M in the card game's panel: silence at once, and nothing heard after it.
  await game.page.keyboard.press('m');
  assert.deepEqual(await heard(game), ['silence']);
  const started = await game.page.evaluate(() => window.tobbleStarts);
  await wrongPair(game, cards);
  await game.pass(2000);
  assert.deepEqual(await heard(game), []);
  await game.page.waitForTimeout(300);
  assert.equal(await game.page.evaluate(() => window.tobbleStarts), started, 'nothing starts while muted');

  // M again: the game is heard once more.
  await game.page.keyboard.press('M');
  await wrongPair(game, cards);
  assert.deepEqual(await heard(game), ['sound: card_up', 'sound: card_up', 'sound: pair_wrong',
    'say: Sorry!  12 trys left.']);
  assert.deepEqual(game.errors, []);
  await game.close();
});

test('a page without audio plays on in silence', async () => {
  const game = await openGame(env, { cues: true, init: listen, initArg: true });
  await toGuide(game);
  await guideTo(game, CARDS);
  await game.pass(2000);
  assert.ok((await heard(game)).includes('say: Pick A Card!'), 'the cues still come');
  assert.deepEqual(await game.page.evaluate(() => [window.tobbleFetches, window.tobbleStarts]), [[], 0]);
  assert.deepEqual(game.errors, []);
  await game.close();
});
