// A blind child's game in the browser: keys only (Tab, Space), and only what
// a screen reader is given: the accessibility tree (what has the focus, the
// buttons of the front dialog with their names and places) and the live
// region's messages, as they come. It wins Pick the Cards from the deal it
// hears read, and passes Follow the Pattern by the lights it hears.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const { launch, openGame, INTRO, CARDS } = require('./harness.js');
const { PATTERN } = require('./player.js');

// Every line the live region is given, in order.
function listen() {
  window.heard = [];
  document.addEventListener('DOMContentLoaded', () => {
    new MutationObserver((changes) => {
      for (const c of changes) for (const n of c.addedNodes) window.heard.push(n.textContent);
    }).observe(document.getElementById('say'), { childList: true });
  });
}

// What an accessibility audit finds wrong with the panels on show. The audit
// waits on the page's timers, which run only as the test lets time pass: a
// millisecond at a time, far less than any of the game's own periods.
async function audit(game) {
  await game.page.evaluate(fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8'));
  await game.page.evaluate(() => {
    window.audited = null;
    window.axe.run(document.getElementById('desk'), { resultTypes: ['violations'] }).then((r) => {
      window.audited = r.violations.map((v) => `${v.id} (${v.impact}): ${v.nodes.length}`);
    });
  });
  let violations = null;
  for (let ms = 0; ms < 500 && violations === null; ++ms) {
    await game.pass(1);
    violations = await game.page.evaluate(() => window.audited);
  }
  assert.deepEqual(violations, [], 'the accessibility audit');
}

class Listener {
  constructor(game) {
    this.game = game;
    this.taken = 0;
  }

  async start() {
    this.cdp = await this.game.context.newCDPSession(this.game.page);
    await this.cdp.send('Accessibility.enable');
  }

  // The messages since the last call.
  async messages() {
    const all = await this.game.page.evaluate(() => window.heard);
    const fresh = all.slice(this.taken);
    this.taken = all.length;
    return fresh;
  }

  // The accessibility tree, flat: role, name, description, focused.
  async tree() {
    const { nodes } = await this.cdp.send('Accessibility.getFullAXTree');
    return nodes.filter((n) => !n.ignored).map((n) => ({
      role: n.role && n.role.value, name: (n.name && n.name.value) || '',
      description: (n.description && n.description.value) || '',
      focused: (n.properties || []).some((p) => p.name === 'focused' && p.value.value),
    }));
  }

  async focused() { return (await this.tree()).find((n) => n.focused && n.role !== 'RootWebArea'); }

  // The dialog that has the focus or holds it, by its title.
  async frontDialog() {
    return this.game.page.evaluate(() => {
      const d = document.activeElement && document.activeElement.closest('[role=dialog]');
      return d && d.getAttribute('aria-label');
    });
  }

  async key(name) {
    await this.game.page.keyboard.press(name);
    await this.game.pass(50);
  }

  // Tabs until the ring is on a control whose name and place match.
  async tabTo(match) {
    for (let i = 0; i < 30; ++i) {
      const f = await this.focused();
      if (f && match(f)) return f;
      await this.key('Tab');
    }
    throw new Error('never reached by Tab');
  }
}

test('a blind child wins the cards and passes the pattern by keys and the reader alone', async () => {
  const env = await launch();
  try {
    const game = await openGame(env, { init: listen });
    const ear = new Listener(game);
    await ear.start();
    await game.pass(17000);  // Tobble walks in
    assert.ok((await ear.tree()).some((n) => n.role === 'button' && n.name === 'Start'));
    assert.ok(!(await ear.tree()).some((n) => /walk frame/.test(n.name)), 'the walk is scenery');
    await audit(game);
    await ear.tabTo((f) => f.name === 'Start');
    await ear.key('Space');
    assert.match((await ear.messages()).join('\n'), /Hi! I am Tobble!/);

    // The monologue and the guide, one Space a sentence: the ring stays on
    // the speech, and the guide coming up puts it there.
    await ear.tabTo((f) => /Hi! I am Tobble!/.test(f.name));
    for (let i = 0; i < 12 && (await ear.frontDialog()) !== CARDS; ++i) {
      await ear.key('Space');
      await game.pass(400);
    }
    assert.equal(await ear.frontDialog(), CARDS);
    const heardCards = await ear.messages();
    assert.ok(heardCards.includes('Get Ready!'), heardCards.join(' | '));

    // The deal, read off the tree while every card is up.
    await audit(game);
    const deal = (await ear.tree()).filter((n) => n.role === 'button' && /^row \d, column \d$/.test(n.description));
    assert.equal(deal.length, 20);
    await game.pass(2000);
    assert.ok((await ear.messages()).includes('Pick A Card!'));
    const found = new Set();
    for (const card of deal) {
      if (found.has(card.description)) continue;
      const twin = deal.find((c) => c.description !== card.description && c.name === card.name);
      await ear.tabTo((f) => f.description === card.description);
      await ear.key('Space');
      const turned = await ear.messages();
      assert.deepEqual(turned, [`${card.name}, ${card.description}`]);
      await ear.tabTo((f) => f.description === twin.description);
      await ear.key('Space');
      const verdict = await ear.messages();
      assert.ok(verdict.includes('Right!'), verdict.join(' | '));
      found.add(card.description).add(twin.description);
      if (found.size === 20) break;
      await game.pass(2000);  // the next turn opens with the tick
      assert.deepEqual(await ear.messages(), ['Pick A Card!']);
    }
    assert.notEqual(await ear.frontDialog(), CARDS, 'the guide is back');
    assert.match((await ear.focused()).name, /^Welcome back!!/, 'the focus on the guide\'s speech');
    await audit(game);

    for (let i = 0; i < 12 && (await ear.frontDialog()) !== PATTERN; ++i) {
      await ear.key('Space');
      await game.pass(400);
    }
    assert.equal(await ear.frontDialog(), PATTERN);
    await ear.messages();
    await audit(game);

    // Four stages from the lights heard, then wrong presses to the end of the
    // allowance, which passes the game.
    let stage = 0;
    for (let round = 0; round < 12 && (await ear.frontDialog()) === PATTERN; ++round) {
      const lights = [];
      for (let tick = 0; tick < 200; ++tick) {
        await game.pass(600);
        const heard = await ear.messages();
        lights.push(...heard.filter((m) => m.endsWith(', lit')).map((m) => m.slice(0, -5)));
        if (heard.includes('Repeat the pattern pls!')) break;
      }
      assert.ok(lights.length >= 4, `stage ${stage}: heard ${lights}`);
      for (const light of lights) {
        const wrong = ['cross', 'heart', 'candy', 'baby'].find((n) => n !== light);
        await ear.tabTo((f) => f.name.replace(/, lit$/, '') === (stage < 4 ? light : wrong));
        await ear.key('Space');
        if ((await ear.frontDialog()) !== PATTERN) break;
      }
      if (stage < 4) assert.ok((await ear.messages()).includes(`Stage  ${++stage}`), `stage ${stage}`);
    }
    assert.equal(stage, 4);
    assert.equal(await ear.frontDialog(), INTRO, 'the guide, the pattern passed');
    assert.match((await ear.focused()).name, /^Not bad at all!/);
    assert.deepEqual(game.errors, []);
    await game.close();
  } finally {
    await env.close();
  }
});
