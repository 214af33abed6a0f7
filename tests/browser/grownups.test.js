// What a grown-up chooses, in the browser: the address's settings slow the
// game's clock and raise the texts' contrast, the sounds of places come from
// their places through Web Audio's stereo panner, and the "For grown-ups"
// form keeps its choice in the browser behind a question a tap cannot answer.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, openGame, INTRO, CARDS } = require('./harness.js');
const { toGuide, guideTo, cardsOnTable } = require('./player.js');

let env;
test.before(async () => { env = await launch(); });
test.after(async () => { await env.close(); });

// WCAG's contrast ratio of two CSS colours "rgb(r, g, b)".
function ratio(a, b) {
  const lum = (css) => {
    const [r, g, bl] = css.match(/\d+/g).map(Number).map((v) => {
      const s = v / 255;
      return s <= 0.04045 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * bl;
  };
  const [hi, lo] = [lum(a), lum(b)].sort((x, y) => y - x);
  return (hi + 0.05) / (lo + 0.05);
}

async function pigLeft(game) {
  const { pictures } = await game.read(INTRO);
  return pictures.filter((p) => p.name.startsWith('walk frame')).map((p) => p.x)[0];
}

async function titleColours(game) {
  return game.panel(INTRO).first().evaluate((panel) => {
    const title = [...panel.querySelectorAll('.label')].find((e) => e.textContent === 'Tobble');
    const style = getComputedStyle(title);
    return [style.color, style.backgroundColor];
  });
}

test('the address slows every timer by its pace and gives the texts high contrast', async () => {
  const own = await openGame(env);
  const slow = await openGame(env, { query: '?pace=0.5&contrast=high' });
  await own.pass(5000);
  await slow.pass(10000);
  assert.equal(await pigLeft(slow), await pigLeft(own), 'ten seconds at half pace walk as far as five');
  await slow.pass(1000);
  assert.notEqual(await pigLeft(slow), await pigLeft(own));

  const [pale, behind] = await titleColours(own);
  assert.ok(ratio(pale, behind) < 2, `the title as it is: ${pale} on ${behind}`);
  const [dark, same] = await titleColours(slow);
  assert.equal(same, behind, 'nothing but the text changes');
  assert.ok(ratio(dark, same) >= 4.5, `${dark} on ${same}`);
  await own.close();
  await slow.close();
});

// Notes every stereo panner and every source's rate the page's audio makes.
function listenToPlaces() {
  window.tobblePanners = [];
  window.tobbleRates = [];
  const make = AudioContext.prototype.createStereoPanner;
  AudioContext.prototype.createStereoPanner = function (...args) {
    const node = make.apply(this, args);
    window.tobblePanners.push(node);
    return node;
  };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    window.tobbleRates.push(this.playbackRate.value);
    return start.apply(this, args);
  };
}

test('a card turning is heard from its column, through a stereo panner, and the voice from the middle', async () => {
  const game = await openGame(env, { cues: true, init: listenToPlaces, query: '?effects-volume=50' });
  await toGuide(game);
  await guideTo(game, CARDS);
  const cards = await cardsOnTable(game);
  await game.pass(3000);
  const top = cards.filter((c) => c.y === Math.min(...cards.map((k) => k.y)));
  const left = top.reduce((a, b) => (b.x < a.x ? b : a));
  const right = top.reduce((a, b) => (b.x > a.x ? b : a));
  await game.page.evaluate(() => { window.tobbleCues.length = 0; });
  await game.clickControl(CARDS, left);
  await game.clickControl(CARDS, right);
  const turned = await game.page.evaluate(() => window.tobbleCues.filter((c) => c.sound === 'card_up'));
  assert.equal(turned.length, 2);
  assert.ok(Math.abs(turned[0].pan + 0.8) < 1e-6 && Math.abs(turned[1].pan - 0.8) < 1e-6, JSON.stringify(turned));
  await game.page.waitForFunction(() => window.tobblePanners.length >= 2, null, { timeout: 10000 });
  const pans = await game.page.evaluate(() => window.tobblePanners.map((p) => p.pan.value));
  assert.ok(Math.abs(pans[pans.length - 2] + 0.8) < 1e-6 && Math.abs(pans[pans.length - 1] - 0.8) < 1e-6, `${pans}`);
  const said = await game.page.evaluate(() => window.tobbleCues.filter((c) => c.say !== undefined));
  assert.ok(said.every((c) => c.pan === undefined), 'the voice has no place');
  await game.close();
});

test('the grown-ups link asks a sum first, then keeps what is saved for the next start', async () => {
  const game = await openGame(env);
  const { page } = game;
  await page.getByRole('link', { name: 'For grown-ups' }).click();
  const dialog = page.getByRole('dialog', { name: 'Settings for grown-ups' });
  await dialog.getByLabel(/what is/).fill('1');
  await dialog.getByRole('button', { name: 'Open' }).click();
  assert.equal(await dialog.getByLabel(/^Pace/).count(), 0, 'a wrong answer opens nothing');
  const [a, b] = (await dialog.getByText(/what is/).textContent()).match(/\d+/g).map(Number);
  await dialog.getByLabel(/what is/).fill(String(a + b));
  await dialog.getByRole('button', { name: 'Open' }).click();
  await dialog.getByLabel(/^Pace/).fill('0.5');
  await dialog.getByLabel('Text contrast').selectOption('high');
  await Promise.all([page.waitForEvent('framenavigated'), dialog.getByRole('button', { name: 'Save' }).click()]);
  await page.waitForFunction(() => document.body.dataset.state === 'playing');
  assert.equal(await page.evaluate(() => localStorage.getItem('tobble-settings')),
    'pace=0.5&scan=0&contrast=high&voice-volume=100&effects-volume=100');
  const [dark, behind] = await titleColours(game);
  assert.ok(ratio(dark, behind) >= 4.5, 'the saved contrast is the game\'s from its next start');
  await game.close();
});
