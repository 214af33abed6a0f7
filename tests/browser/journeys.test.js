// The journeys of the desktop's end-to-end tests, played in the browser with
// a mouse on a desktop-sized page and by touch on a tablet held upright,
// where the card game's panel is wider than the screen and is scaled down.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, openGame, INTRO, CARDS } = require('./harness.js');
const { speech, toGuide, guideTo, cardsOnTable } = require('./player.js');

const FAREWELL = /\(Click here again to Exit\)$/;
const CARDS_FAILED = /^Sowwy, you have failed this class, try again next time! \(Click here to continue\)$/;

let env;
test.before(async () => { env = await launch(); });
test.after(async () => { await env.close(); });

async function expectEnded(game) {
  await game.page.waitForFunction(() => document.body.dataset.state === 'ended');
  assert.deepEqual(await game.shownPanels(), []);
  assert.match(await game.page.locator('.notice.goodbye').innerText(), /Play again/);
  assert.deepEqual(game.errors, []);
}

// The farewell on the intro, and the click that ends the lesson.
async function farewellAndEnd(game) {
  assert.deepEqual(await game.shownPanels(), [INTRO]);
  assert.match(await speech(game, INTRO), FAREWELL);
  await game.clickLabel(INTRO, FAREWELL);
  await expectEnded(game);
}

const ways = [
  { name: 'with a mouse', options: {} },
  { name: 'by touch on a tablet', options: { touch: true, viewport: { width: 768, height: 1024 } } },
];

for (const way of ways) {
  test(`closing the intro at once ends the game, ${way.name}`, async () => {
    const game = await openGame(env, way.options);
    assert.deepEqual(await game.shownPanels(), [INTRO]);
    await game.closePanel(INTRO);
    await expectEnded(game);
    await game.close();
  });

  test(`closing the guide early brings the farewell, ${way.name}`, async () => {
    const game = await openGame(env, way.options);
    await toGuide(game);
    await game.closePanel(INTRO);
    await farewellAndEnd(game);
    await game.close();
  });

  test(`closing the card game reports it to the guide, ${way.name}`, async () => {
    const game = await openGame(env, way.options);
    await toGuide(game);
    await guideTo(game, CARDS);
    // The whole panel is on the screen, scaled down where the screen is narrower.
    const box = await game.panel(CARDS).boundingBox();
    const view = game.page.viewportSize();
    assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= view.width && box.y + box.height <= view.height,
      `the card game's panel ${JSON.stringify(box)} is off the screen`);
    await game.closePanel(CARDS);
    assert.deepEqual(await game.shownPanels(), [INTRO]);
    await game.clickLabel(INTRO, CARDS_FAILED);
    await farewellAndEnd(game);
    await game.close();
  });

  test(`the card game failed by its allowance ends the lesson, ${way.name}`, async () => {
    const game = await openGame(env, way.options);
    await toGuide(game);
    await guideTo(game, CARDS);
    const cards = await cardsOnTable(game);
    const other = cards.find((c) => c.name !== cards[0].name);
    await game.pass(2000);  // the preview ends
    for (let miss = 1; miss <= 15; ++miss) {
      await game.clickControl(CARDS, cards[0]);
      await game.clickControl(CARDS, other);
      const left = 15 - miss;
      assert.match(await speech(game, CARDS), left > 0 ? new RegExp(`^Sorry!  ${left} trys left\\.$`) : /Try again next time!/);
      await game.pass(2000);
    }
    assert.deepEqual(await game.shownPanels(), [INTRO]);
    await game.clickLabel(INTRO, CARDS_FAILED);
    await farewellAndEnd(game);
    await game.close();
  });
}

// The keyboard plays as on the desktop: Tab puts the ring on Start, Enter
// presses it, and Space presses the speech once Tab has moved the ring to it.
test('the keyboard reaches the guide, and a screen reader hears Tobble', async () => {
  const game = await openGame(env);
  await game.pass(17000);
  const ring = () => game.page.evaluate(() => {
    const r = document.querySelector('.panel:not([hidden]) .ring');
    return r && r.style.display !== 'none' ? document.activeElement.textContent : null;
  });
  assert.equal(await ring(), null);  // no ring before the keyboard is used
  await game.page.keyboard.press('Tab');
  assert.equal(await ring(), 'Start');
  await game.page.keyboard.press('Enter');
  assert.match(await speech(game, INTRO), /^Hi! I am Tobble!/);
  assert.equal(await game.page.evaluate(() => document.getElementById('say').lastElementChild.textContent),
    await speech(game, INTRO));
  await game.page.keyboard.press('Tab');
  assert.match(await ring(), /^Hi! I am Tobble!/);
  for (let i = 0; i < 4; ++i) {
    await game.pass(450);
    await game.page.keyboard.press(' ');
  }
  assert.match(await speech(game, INTRO), /^Welcome to the school!/);
  assert.deepEqual(game.errors, []);
  await game.close();
});
