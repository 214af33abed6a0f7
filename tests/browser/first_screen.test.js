// The intro is drawn from the record made when the site was built, before the
// game's code has arrived; the core then takes that very panel over.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, INTRO } = require('./harness.js');

let env;
test.before(async () => { env = await launch(); });
test.after(async () => { await env.close(); });

test('the intro shows before the code has arrived, takes no input until then, and the game takes it over as drawn',
  async () => {
    const context = await env.browser.newContext({ viewport: { width: 1280, height: 1024 } });
    // The page as it stands the moment the core has drawn its first screen.
    await context.addInitScript(() => {
      new MutationObserver((records, observer) => {
        if (document.body.dataset.state !== 'playing') return;
        observer.disconnect();
        window.drawnByCore = document.getElementById('desk').innerHTML;
        window.samePanel = document.querySelector('.panel') === window.earlyPanel;
      }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-state'] });
    });
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    let release;
    const arrived = new Promise((resolve) => { release = resolve; });
    await page.route('**/tobble.wasm', async (route) => {
      await arrived;
      await route.continue();
    });
    await page.goto(env.server.url, { waitUntil: 'domcontentloaded' });

    const early = await page.evaluate(() => {
      window.earlyPanel = document.querySelector('.panel');
      const shown = [...document.querySelectorAll('.panel:not([hidden])')];
      return {
        captions: shown.map((p) => p.getAttribute('aria-label')),
        texts: [...document.querySelectorAll('.panel .label, .panel .button')].map((e) => e.textContent),
        state: document.body.dataset.state ?? null,
        html: document.getElementById('desk').innerHTML,
      };
    });
    assert.deepEqual(early.captions, [INTRO]);
    assert.ok(early.texts.includes('Tobble') && early.texts.includes('Start'), early.texts.join(' | '));
    assert.equal(early.state, null);

    // A click on Start, a key and the close button before the code has run
    // are dropped, not errors, and change nothing.
    await page.getByRole('button', { name: 'Start' }).click();
    await page.keyboard.press('Tab');
    await page.locator('.panel .close').click();
    assert.equal(await page.evaluate(() => document.getElementById('desk').innerHTML), early.html);

    release();
    await page.waitForFunction(() => window.drawnByCore !== undefined);
    assert.equal(await page.evaluate(() => window.samePanel), true);
    assert.equal(await page.evaluate(() => window.drawnByCore), early.html);
    // The walk's frames, hidden at first, are fetched once the intro is on screen.
    await page.waitForFunction(() => !document.querySelector('img[data-later]'));
    const walk = await page.evaluate(() => [...document.querySelectorAll('img.picture')]
      .filter((e) => /^walk frame/.test(e.alt)).map((e) => e.getAttribute('src')));
    assert.deepEqual(walk.sort(), ['art/walk0.svg', 'art/walk1.svg', 'art/walk2.svg', 'art/walk3.svg']);
    assert.deepEqual(await page.evaluate(() => document.body.dataset.state), 'playing');
    assert.deepEqual(errors, []);
    await context.close();
  });
