// The whole lesson won by a test player that reads the page: the cards, the
// patterns and the worm, the completion screen, its continue, the farewell.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, openGame, INTRO, CARDS } = require('./harness.js');
const player = require('./player.js');

test('the whole lesson, won', async () => {
  const env = await launch();
  try {
    const game = await openGame(env);
    await player.toGuide(game);
    await player.guideTo(game, CARDS);
    await player.winCards(game);
    assert.deepEqual(await game.shownPanels(), [INTRO]);
    assert.match(await player.speech(game, INTRO), /^Welcome back!!  It's time for our next lesson/);

    await player.guideTo(game, player.PATTERN);
    await player.winPattern(game);
    assert.deepEqual(await game.shownPanels(), [INTRO]);
    assert.match(await player.speech(game, INTRO), /^Not bad at all!/);

    await player.guideTo(game, player.WORM);
    await player.winWorm(game);
    assert.deepEqual(await game.shownPanels(), [player.COMPLETION]);
    await game.clickLabel(player.COMPLETION, /^\(Click here to continue\)$/);

    assert.deepEqual(await game.shownPanels(), [INTRO]);
    await game.clickLabel(INTRO, /\(Click here again to Exit\)$/);
    await game.page.waitForFunction(() => document.body.dataset.state === 'ended');
    assert.deepEqual(await game.shownPanels(), []);
    assert.deepEqual(game.errors, []);
    await game.close();
  } finally {
    await env.close();
  }
});
