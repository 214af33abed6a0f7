// Every screen of docs/screens, at 1x and 2x, drawn in the browser in the same
// state as the desktop's offscreen render (both walk the game through the
// same states on the headless platform) and compared with it pixel by pixel.
//
// The tolerance: two renderers anti-alias edges and glyphs differently, and
// may place an edge half a pixel apart. So a pixel agrees when the other
// image has a pixel within TOLERANCE on every channel at the same place or
// one pixel away; this is asked both ways. Anything else differs: a wrong
// colour, a missing or moved control, a line wrapped elsewhere, a different
// font show up as hundreds or thousands of differing pixels. At most
// MAX_DIFFERING of a screen's pixels may differ, and at most
// TILE_MAX_DIFFERING of any square of 32 pixels (64 device pixels at 2x), so
// that one thing gone wrong in a corner cannot hide in a large screen (a
// hidden "Pick the Cards" on the blackboard: 16 % of a square). Type of 8 points is too thin for this to
// see a short label of it go missing; the journeys read the texts.
// Measured here: at most 0.66 % of a screen and 6.8 % of a square, both on
// the completion screen's large serif heading, whose glyphs the two
// renderers place up to two pixels apart by the word's end.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch } = require('./harness.js');

const TOLERANCE = 48;
const MAX_DIFFERING = 0.01;
const TILE_MAX_DIFFERING = 0.12;
const STATES = ['intro-start', 'intro-bubble', 'guide', 'cards-preview', 'cards-turn', 'guide-failure', 'pattern-lit',
  'pattern-waiting', 'worm-apple', 'worm-baby', 'completion', 'intro-farewell'];

let env;
const contexts = {};
test.before(async () => {
  env = await launch();
  for (const scale of [1, 2]) {
    contexts[scale] = await env.browser.newContext({ viewport: { width: 1280, height: 1024 }, deviceScaleFactor: scale });
  }
});
test.after(async () => { await env.close(); });

// Counts the pixels of `a` with no near match in `b` and the other way round.
function compareInPage({ shot, reference, tolerance, scale }) {
  const load = (src) => new Promise((resolve, reject) => {
    const image = new Image();
    image.onload = () => resolve(image);
    image.onerror = () => reject(new Error('cannot load ' + src.slice(0, 40)));
    image.src = src;
  });
  const pixels = (image) => {
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    const g = canvas.getContext('2d');
    g.drawImage(image, 0, 0);
    return g.getImageData(0, 0, image.width, image.height);
  };
  return Promise.all([load(shot), load(reference)]).then(([s, r]) => {
    if (s.width !== r.width || s.height !== r.height) return { size: [s.width, s.height, r.width, r.height] };
    const A = pixels(s);
    const B = pixels(r);
    const w = A.width;
    const h = A.height;
    const TILE = 32 * scale;
    const tiles = new Map();
    const unmatched = (P, Q) => {
      let count = 0;
      for (let y = 0; y < h; ++y) {
        for (let x = 0; x < w; ++x) {
          const i = 4 * (y * w + x);
          let found = false;
          for (let dy = -1; dy <= 1 && !found; ++dy) {
            for (let dx = -1; dx <= 1 && !found; ++dx) {
              const X = x + dx;
              const Y = y + dy;
              if (X < 0 || Y < 0 || X >= w || Y >= h) continue;
              const j = 4 * (Y * w + X);
              found = Math.abs(P.data[i] - Q.data[j]) <= tolerance && Math.abs(P.data[i + 1] - Q.data[j + 1]) <= tolerance &&
                Math.abs(P.data[i + 2] - Q.data[j + 2]) <= tolerance;
            }
          }
          if (!found) {
            ++count;
            const tile = `${Math.floor(x / TILE)},${Math.floor(y / TILE)}`;
            tiles.set(tile, (tiles.get(tile) || 0) + 1);
          }
        }
      }
      return count;
    };
    const differing = Math.max(unmatched(A, B), unmatched(B, A));
    return { total: w * h, differing, worstTile: Math.max(0, ...tiles.values()) / (2 * TILE * TILE) };
  });
}

// The screens with texts a grown-up may ask to read better, in high contrast.
const HIGH_CONTRAST = ['intro-bubble', 'guide', 'guide-failure'];

for (const [state, scale, high] of STATES.flatMap((s) => [[s, 1], [s, 2]]).concat(HIGH_CONTRAST.map((s) => [s, 1, true]))) {
  test(`${state} looks as on the desktop at ${scale}x${high ? ' in high contrast' : ''}`, async () => {
    const page = await contexts[scale].newPage();
    await page.goto(`${env.server.url}probe/?state=${state}${high ? '&contrast=high' : ''}`);
    await page.waitForFunction(() => document.body.dataset.state);
    assert.equal(await page.evaluate(() => document.body.dataset.state), 'drawn');
    await page.evaluate(() => Promise.all([document.fonts.ready,
      ...[...document.images].filter((i) => i.getAttribute('src')).map((i) => i.decode())]));
    const shot = await page.locator('.client').screenshot({ scale: 'device' });
    const result = await page.evaluate(compareInPage, {
      shot: 'data:image/png;base64,' + shot.toString('base64'),
      reference: `${env.server.url}reference/${high ? 'high-contrast/' : ''}${state}@${scale}x.png`,
      tolerance: TOLERANCE,
      scale,
    });
    await page.close();
    assert.equal(result.size, undefined, `sizes differ: ${result.size}`);
    const share = result.differing / result.total;
    process.stdout.write(`# ${state}@${scale}x: ${result.differing} of ${result.total} pixels differ (${(100 * share).toFixed(2)} %), worst tile ${(100 * result.worstTile).toFixed(1)} %\n`);
    assert.ok(share <= MAX_DIFFERING, `${result.differing} pixels differ, more than ${100 * MAX_DIFFERING} %`);
    assert.ok(result.worstTile <= TILE_MAX_DIFFERING, `${(100 * result.worstTile).toFixed(1)} % of a square differ`);
  });
}
