// The intro is written into the page when the site is built, painted before
// any of the game's code has run, and then taken over by the core as drawn.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, INTRO } = require('./harness.js');

let env;
test.before(async () => { env = await launch(); });
test.after(async () => { await env.close(); });

// The desk's HTML the moment the core has drawn its first screen, and
// whether that is the very panel the page started with.
function watchCore() {
  window.earlyPanel = document.querySelector('.panel');
  new MutationObserver((records, observer) => {
    if (document.body.dataset.state !== 'playing') return;
    observer.disconnect();
    window.drawnByCore = document.getElementById('desk').innerHTML;
    window.samePanel = document.querySelector('.panel') === window.earlyPanel;
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-state'] });
}

// A panel's elements in an order-free form: tag, attributes (the style's
// declarations sorted) and text, so that two pages drawn by different
// routes compare equal when they show the same.
function canonical(html) {
  const holder = document.createElement('div');
  holder.innerHTML = html;
  const form = (e) => ({
    tag: e.tagName,
    attributes: [...e.attributes].map((a) => [a.name, a.name === 'style'
      ? a.value.split(';').map((d) => d.trim()).filter(Boolean).sort().join('; ') : a.value]).sort(),
    text: [...e.childNodes].filter((n) => n.nodeType === Node.TEXT_NODE).map((n) => n.data).join(''),
    children: [...e.children].map(form),
  });
  return JSON.stringify([...holder.children].map(form));
}

async function pageWithWasmHeld(viewport) {
  const context = await env.browser.newContext({ viewport });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  let release;
  const arrived = new Promise((resolve) => { release = resolve; });
  await page.route(/tobble\.[0-9a-f]+\.wasm$/, async (route) => {
    await arrived;
    await route.continue();
  });
  return { context, page, errors, release };
}

test('the intro is painted before the code has arrived, filling the window, and the game takes it over as drawn',
  async () => {
    const { context, page, errors, release } = await pageWithWasmHeld({ width: 1280, height: 1024 });
    await page.goto(env.server.url, { waitUntil: 'domcontentloaded' });
    await page.evaluate(() => Module.afterFirstPaint);
    await page.evaluate(watchCore);

    const early = await page.evaluate(() => {
      const shown = [...document.querySelectorAll('.panel:not([hidden])')];
      return {
        captions: shown.map((p) => p.getAttribute('aria-label')),
        texts: [...document.querySelectorAll('.panel .label, .panel .button')].map((e) => e.textContent),
        state: document.body.dataset.state ?? null,
        // Placed for this window by the first paint: 518 x 518 with its
        // frame, scaled to the window's height less its margins.
        place: [shown[0].style.left, shown[0].style.top, shown[0].style.getPropertyValue('--scale')],
        html: document.getElementById('desk').innerHTML,
      };
    });
    assert.deepEqual(early.captions, [INTRO]);
    assert.ok(early.texts.includes('Tobble') && early.texts.includes('Start'), early.texts.join(' | '));
    assert.equal(early.state, null);
    assert.deepEqual(early.place, ['136px', '8px', String((1024 - 16) / 518)]);

    release();
    await page.waitForFunction(() => window.drawnByCore !== undefined);
    assert.equal(await page.evaluate(() => window.samePanel), true);
    assert.equal(await page.evaluate(() => window.drawnByCore), early.html);
    // The walk's frames, hidden at first, are fetched once the intro is on screen.
    await page.waitForFunction(() => !document.querySelector('img[data-later]'));
    const walk = await page.evaluate(() => [...document.querySelectorAll('img.picture')]
      .filter((e) => /^walk frame/.test(e.alt)).map((e) => e.getAttribute('src').replace(/\.[0-9a-f]{10}\./, '.')));
    // (Tobble himself shows one of them too once the walk's timer has ticked.)
    assert.deepEqual([...new Set(walk)].sort(), ['art/walk0.svg', 'art/walk1.svg', 'art/walk2.svg', 'art/walk3.svg']);
    assert.deepEqual(await page.evaluate(() => document.body.dataset.state), 'playing');
    assert.deepEqual(errors, []);
    await context.close();
  });

test('the intro written into the page is the one the core draws itself', async () => {
  const viewport = { width: 1280, height: 1024 };
  const drawnBy = async (route) => {
    const context = await env.browser.newContext({ viewport });
    await context.addInitScript(watchCore);
    const page = await context.newPage();
    if (route) await page.route(env.server.url, route);
    await page.goto(env.server.url);
    await page.waitForFunction(() => window.drawnByCore !== undefined);
    const html = await page.evaluate(`(${canonical})(window.drawnByCore)`);
    await context.close();
    return html;
  };
  const written = await drawnBy(null);
  // The same page with an empty desk: the core draws the intro from nothing.
  const fromNothing = await drawnBy(async (route) => {
    const response = await route.fetch();
    const page = (await response.text()).replace(/(<main id="desk"[^>]*>)[\s\S]*?<\/main>/, '$1</main>');
    await route.fulfill({ response, body: page });
  });
  assert.ok(fromNothing.includes('Start'));
  assert.equal(written, fromNothing);
});

test('on a small screen the intro is painted scaled down to fit, and stays so when the game takes it over',
  async () => {
    const { context, page, errors, release } = await pageWithWasmHeld({ width: 480, height: 320 });
    await page.goto(env.server.url, { waitUntil: 'domcontentloaded' });
    await page.evaluate(() => Module.afterFirstPaint);
    const box = () => page.evaluate(() => {
      const r = document.querySelector('.panel').getBoundingClientRect();
      return [r.left, r.top, r.right, r.bottom].map(Math.round);
    });
    const early = await box();
    assert.ok(early[0] >= 0 && early[1] >= 0 && early[2] <= 480 && early[3] <= 320, early.join(' '));
    release();
    await page.waitForFunction(() => document.body.dataset.state === 'playing');
    assert.deepEqual(await box(), early);
    assert.deepEqual(errors, []);
    await context.close();
  });
