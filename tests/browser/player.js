// A test player that reads the page as a child reads the screen: what the
// labels say, which pictures show where, which button is lit. It knows the
// lesson's way (what to click to go on) but nothing of the game's insides.
'use strict';
const assert = require('node:assert/strict');
const { INTRO, CARDS } = require('./harness.js');

// What the character on a panel says: its speech is the longest text there.
async function speech(game, caption) {
  const { labels } = await game.read(caption);
  return labels.reduce((a, b) => (b.text.length > a.text.length ? b : a)).text;
}

async function clickSpeech(game, caption) {
  const { labels } = await game.read(caption);
  await game.clickControl(caption, labels.reduce((a, b) => (b.text.length > a.text.length ? b : a)));
}

// From the start to the guide: Tobble walks in, Start, four sentences.
async function toGuide(game) {
  await game.pass(17000);
  const start = (await game.read(INTRO)).buttons.find((b) => b.text === 'Start');
  assert.ok(start && start.enabled, 'the Start button');
  await game.clickControl(INTRO, start);
  assert.match(await speech(game, INTRO), /^Hi! I am Tobble!/);
  for (let i = 0; i < 4; ++i) await clickSpeech(game, INTRO);
  assert.match(await speech(game, INTRO), /^Welcome to the school!/);
}

// Listens to the guide until it hands over to the game of that caption.
async function guideTo(game, caption) {
  for (let i = 0; i < 6 && !(await game.shownPanels()).includes(caption); ++i) await clickSpeech(game, INTRO);
  assert.deepEqual(await game.shownPanels(), [caption]);
}

// The twenty cards on the table, as dealt face up: where each lies and its picture.
async function cardsOnTable(game) {
  const { pictures } = await game.read(CARDS);
  const cards = pictures.filter((p) => p.x < 680 && p.y < 580 && p.name !== 'empty');
  assert.equal(cards.length, 20, 'twenty cards face up');
  return cards.map((c) => ({ ...c, w: 100, h: 100 }));
}

module.exports = { speech, clickSpeech, toGuide, guideTo, cardsOnTable };

const PATTERN = 'Follow the Pattern!';
const WORM = 'Hit the worm!';
const COMPLETION = 'You have completed the Game! ';

// Pairs the cards seen in the preview, one pair a turn; `press` turns a card
// over (a click, unless the child plays by keys).
async function winCards(game, press = (card) => game.clickControl(CARDS, card)) {
  const cards = await cardsOnTable(game);
  await game.pass(2000);  // the preview ends with the first tick
  const done = new Set();
  for (const card of cards) {
    if (done.has(card.slot)) continue;
    const partner = cards.find((c) => c.slot !== card.slot && c.name === card.name && !done.has(c.slot));
    await press(card);
    await press(partner);
    done.add(card.slot).add(partner.slot);
    if (done.size === cards.length) break;  // the last pair passes the game
    assert.equal(await speech(game, CARDS), 'Right!');
    await game.pass(2000);  // clicks open again with the next tick
  }
}

// Watches one playback of the pattern: the button under each lit frame, in
// order, until the pig asks for it again.
async function watchPattern(game) {
  const sequence = [];
  for (let tick = 0; tick < 200; ++tick) {
    await game.pass(600);
    if (!(await game.shownPanels()).includes(PATTERN)) return null;
    const seen = await game.read(PATTERN);
    if (seen.labels.some((l) => l.text === 'Repeat the pattern pls!')) return sequence;
    const lit = seen.shapes.find((s) => s.hatched);
    if (lit) {
      const centre = lit.x + lit.width / 2;
      sequence.push(seen.pictures.find((p) => p.x <= centre && centre <= p.x + p.w));
    }
  }
  throw new Error('the pattern never asked to be repeated');
}

// Four stages repeated right; after that, wrong presses use up the allowance,
// which passes a game whose four stages are won. `press` presses a button
// (a click, unless the child plays by keys).
async function winPattern(game, press = (button) => game.clickControl(PATTERN, button)) {
  let stage = 0;
  for (let round = 0; round < 40; ++round) {
    const sequence = await watchPattern(game);
    if (sequence === null) return;
    const buttons = (await game.read(PATTERN)).pictures.filter((p) => p.y < 200 && p.x < 540);
    for (const button of sequence) {
      const wrong = buttons.find((b) => b.slot !== button.slot);
      await press(stage < 4 ? button : wrong);
      if (!(await game.shownPanels()).includes(PATTERN)) return;
    }
    if (stage < 4) {
      ++stage;
      assert.ok((await game.read(PATTERN)).labels.some((l) => l.text === `Stage  ${stage}`), `stage ${stage}`);
    }
  }
  throw new Error('the pattern game never ended');
}

// Hits the worm apple twenty times as it comes up, then misses until the
// allowance is used up, which passes the game after its fourth stage.
async function winWorm(game) {
  const holes = () => game.read(WORM).then((r) => r.pictures.filter((p) => p.x < 480 && p.y < 460));
  let hits = 0;
  for (let step = 0; step < 4000 && hits < 20; ++step) {
    await game.pass(50);
    const apple = (await holes()).find((p) => p.name === 'worm apple');
    if (!apple) continue;
    await game.clickControl(WORM, apple, { wait: 0 });
    assert.ok((await game.read(WORM)).pictures.some((p) => p.name === 'nod'), 'Tobble nods at a hit');
    ++hits;
    // The apple stays up to the next tick; the next one to hit comes after.
    for (let wait = 0; wait < 100 && (await holes()).some((p) => p.name === 'worm apple'); ++wait) await game.pass(50);
  }
  assert.equal(hits, 20);
  for (let miss = 0; miss < 20 && (await game.shownPanels()).includes(WORM); ++miss) {
    const empty = (await holes()).filter((p) => p.name === 'empty');
    await game.clickControl(WORM, empty[miss % 2 === 0 ? 0 : empty.length - 1], { wait: 0 });
    await game.pass(450);
  }
}

module.exports.winCards = winCards;
module.exports.winPattern = winPattern;
module.exports.winWorm = winWorm;
Object.assign(module.exports, { PATTERN, WORM, COMPLETION });
