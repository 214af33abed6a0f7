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
