// The web app a school relies on: kept whole at the first visit and played
// offline after it, replaced by a new build at the next visit, installable,
// answering the first tap on a slow tablet, and filling the screen.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const { serve } = require('../../tools/web/serve_site.js');
const { slowTablet } = require('../../tools/web/slow_tablet.js');
const { launch, openGame, Game, INTRO, CARDS, ROOT, STAGE } = require('./harness.js');
const { toGuide, guideTo } = require('./player.js');


let env;
test.before(async () => { env = await launch(); });
test.after(async () => { await env.close(); });

// A site of its own, served until the test stops it as a network would go away.
async function ownSite(stage) {
  const site = fs.mkdtempSync(path.join(os.tmpdir(), 'tobble-site-'));
  const finish = (from) => execFileSync('/usr/bin/python3', [path.join(ROOT, 'app/web/finish_site.py'), from, site,
    path.join(ROOT, 'app/web/site'), path.join(ROOT, 'assets/svg/icon.svg')]);
  finish(stage);
  const server = await serve({ '/': site });
  return {
    site, server, finish,
    offline() { server.close(); server.closeAllConnections(); },
    remove() { fs.rmSync(site, { recursive: true, force: true }); },
  };
}

// Waits until `condition(arg)`, which may be async, holds in the page.
async function until(page, condition, arg) {
  for (const deadline = Date.now() + 60000; !(await page.evaluate(condition, arg));) {
    if (Date.now() > deadline) throw new Error(`never: ${condition}`);
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

const kept = (page) => page.evaluate(async () => {
  await navigator.serviceWorker.ready;
  return caches.keys();
});

test('after one visit the game is installable and plays offline from the intro to the card game, '
  + 'asking no other host for anything', async () => {
  const own = await ownSite(STAGE);
  const asked = [];
  const failed = [];
  const game = await openGame({ ...env, server: own.server }, {
    watch(context) {
      context.on('request', (r) => asked.push(r.url()));
      context.on('requestfailed', (r) => failed.push(r.url()));
    },
    // The page's policy lets nothing from another host in: a try shows here.
    init: () => {
      window.violations = [];
      document.addEventListener('securitypolicyviolation', (e) => window.violations.push(e.violatedDirective));
    },
  });
  assert.equal((await kept(game.page)).length, 1);
  // What the browser must find to offer to install (its own check will not
  // run in a profile of a test's kind): a manifest it reads without error,
  // with a name, a start, a display and icons of 192 and 512 pixels.
  const cdp = await game.context.newCDPSession(game.page);
  const { errors: manifestErrors } = await cdp.send('Page.getAppManifest');
  assert.deepEqual(manifestErrors, []);
  const manifest = await game.page.evaluate(async () => {
    const m = await (await fetch(document.querySelector('link[rel=manifest]').href)).json();
    const size = (src) => new Promise((resolve) => {
      const image = new Image();
      image.onload = () => resolve(`${image.naturalWidth}x${image.naturalHeight}`);
      image.onerror = () => resolve('broken');
      image.src = src;
    });
    for (const icon of m.icons) icon.drawn = await size(icon.src);
    return m;
  });
  assert.ok(manifest.name && manifest.short_name && manifest.start_url);
  assert.equal(manifest.display, 'fullscreen');
  assert.deepEqual(manifest.icons.map((i) => [i.sizes, i.drawn, i.purpose]),
    [['192x192', '192x192', 'any'], ['512x512', '512x512', 'any'], ['512x512', '512x512', 'maskable']]);
  assert.deepEqual(await game.page.evaluate(() => window.violations), []);
  own.offline();
  await game.page.reload();
  // What the first visit was still fetching when the network went is not the kept copy's.
  failed.length = 0;
  await game.page.waitForFunction(() => document.body.dataset.state === 'playing');
  const again = new Game(game.page, game.context, false, game.errors);
  await toGuide(again);
  await guideTo(again, CARDS);
  // The card game's pictures and the voice came from the kept copy.
  await game.page.waitForFunction(() => [...document.images].every((i) => !i.getAttribute('src') || i.complete));
  assert.deepEqual(failed, []);
  assert.deepEqual(await game.page.evaluate(() => window.violations), []);
  assert.deepEqual(asked.filter((url) => !url.startsWith(own.server.url)), []);
  assert.deepEqual(game.errors, []);
  await game.close();
  own.remove();
});

test('a new build is played at the next visit, and its files replace the old ones', async () => {
  const stage = fs.mkdtempSync(path.join(os.tmpdir(), 'tobble-stage-'));
  fs.cpSync(STAGE, stage, { recursive: true });
  const own = await ownSite(stage);
  const context = await env.browser.newContext();
  const visit = async () => {
    const page = await context.newPage();
    await page.goto(own.server.url);
    await page.waitForFunction(() => document.body.dataset.state === 'playing');
    return page;
  };
  let page = await visit();
  const [first] = await kept(page);
  await page.close();

  // The new build: one picture changed, so one hashed name too.
  fs.appendFileSync(path.join(stage, 'art/cross.svg'), '<!-- redrawn -->\n');
  const index = path.join(stage, 'index.html');
  fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('</title>', ' (2)</title>'));
  own.finish(stage);
  page = await visit();
  assert.match(await page.title(), /\(2\)$/);
  await until(page, async () => !!(await navigator.serviceWorker.getRegistration()).waiting);
  await page.close();

  // With no page of the old build open, the new one takes over.
  page = await visit();
  await until(page, async (old) => {
    const keys = await caches.keys();
    return keys.length === 1 && keys[0] !== old;
  }, first);
  const cross = await page.evaluate(() => Module.file('art/cross.svg'));
  own.offline();
  await page.reload();
  await page.waitForFunction(() => document.body.dataset.state === 'playing');
  assert.match(await page.title(), /\(2\)$/);
  assert.equal(await page.evaluate(async (name) => !!(await caches.match(name)), cross), true);
  await context.close();
  own.remove();
  fs.rmSync(stage, { recursive: true, force: true });
});

test('a tap on Start the moment it shows, on a slow tablet and network, starts Tobble talking', async () => {
  const { context, page } = await slowTablet(env.browser);
  // The code is held back until the tap, so that the tap surely comes first.
  let release;
  const tapped = new Promise((resolve) => { release = resolve; });
  await page.route(/tobble\.[0-9a-f]+\.wasm$/, async (route) => {
    await tapped;
    await route.continue();
  });
  await page.goto(env.server.url, { waitUntil: 'commit' });
  await page.waitForFunction(() => performance.getEntriesByName('first-contentful-paint').length > 0);
  await page.getByRole('button', { name: 'Start' }).tap();
  assert.equal(await page.evaluate(() => document.body.dataset.state ?? null), null);
  release();
  await page.waitForFunction(() => [...document.querySelectorAll('.panel .label')]
    .some((e) => /^Hi! I am Tobble!/.test(e.textContent) && e.style.display !== 'none'), null, { timeout: 120000 });
  await context.close();
});

for (const viewport of [{ width: 1024, height: 768 }, { width: 768, height: 1024 }, { width: 390, height: 844 }]) {
  test(`at ${viewport.width}x${viewport.height} the intro and the card game fill the screen, `
    + 'and their close buttons are large enough to touch', async () => {
    const game = await openGame(env, { touch: true, viewport });
    const check = async (caption) => {
      const box = await game.panel(caption).boundingBox();
      const filled = Math.max(box.width / viewport.width, box.height / viewport.height);
      assert.ok(filled >= 0.9, `${caption} fills ${(100 * filled).toFixed(1)} %`);
      // Every point of a 24 px square around the button's middle is the button's.
      const target = await game.panel(caption).locator('.close').evaluate((close) => {
        const r = close.getBoundingClientRect();
        const [x, y] = [r.left + r.width / 2, r.top + r.height / 2];
        return [-12, 11.5].flatMap((dx) => [-12, 11.5].map((dy) => document.elementFromPoint(x + dx, y + dy) === close));
      });
      assert.deepEqual(target, [true, true, true, true], caption);
    };
    await check(INTRO);
    await toGuide(game);
    await guideTo(game, CARDS);
    await check(CARDS);
    assert.deepEqual(game.errors, []);
    await game.close();
  });
}
