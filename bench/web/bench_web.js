// Measures the browser game: the site's size by part under gzip, the intro's
// first paint against a plain page with one panel of the intro's size, when
// a tap on Start is answered on a slow tablet and network, how soon a
// repeat visit starts with no network, and the CPU the page costs while
// Tobble treads on the spot. Prints a table in
// the form of the desktop's (and writes it to OUT/web-table.md).
//
//   node bench/web/bench_web.js SITE OUT [--quick]
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { chromium } = require(path.join(__dirname, '../../tests/browser/node_modules/playwright-core'));
const { serve } = require('../../tools/web/serve_site.js');
const { slowTablet } = require('../../tools/web/slow_tablet.js');

const [site, out] = process.argv.slice(2);
const quick = process.argv.includes('--quick');
const KiB = 1024;
const rows = [];
const row = (measure, game, baseline, ratio, target, met, notes) =>
  rows.push([measure, game, baseline, ratio, target, met, notes]);

function sizes() {
  const parts = {
    'code (tobble.wasm)': /^tobble\.[0-9a-f]+\.wasm$/,
    'page (index.html: the first screen, styles, head scripts; the deferred scripts)': /^(index\.html|[\w-]+\.[0-9a-f]{10}\.js)$/,
    'fonts (8 WOFF2 faces)': /^fonts\/.*\.woff2$/,
    'pictures (SVG)': /^art\/.*\.svg$/,
    'web app (service worker, manifest, 4 PNG icons)': /^(sw\.js|manifest\.webmanifest|icons\/.*\.png)$/,
  };
  const files = [];
  const walk = (dir) => {
    for (const name of fs.readdirSync(path.join(site, dir))) {
      const rel = dir ? `${dir}/${name}` : name;
      if (fs.statSync(path.join(site, rel)).isDirectory()) walk(rel); else files.push(rel);
    }
  };
  walk('');
  // The .br and .gz beside a file are the same file, for a host to send.
  files.splice(0, files.length, ...files.filter((f) => !/\.(br|gz)$/.test(f)));
  let total = 0;
  let raw = 0;
  for (const [part, pattern] of Object.entries(parts)) {
    const mine = files.filter((f) => pattern.test(f));
    const data = mine.map((f) => fs.readFileSync(path.join(site, f)));
    const gz = data.reduce((n, d) => n + zlib.gzipSync(d, { level: 9 }).length, 0);
    const size = data.reduce((n, d) => n + d.length, 0);
    total += gz;
    raw += size;
    row(`Site size, ${part}`, `${(gz / KiB).toFixed(1)} KiB gzip`, '-', '-', 'report', '-',
      `${mine.length} files, ${(size / KiB).toFixed(1)} KiB as served`);
  }
  // The voice and sounds come after the first paint, each browser fetching
  // one of the two formats; they hardly compress, so they count as served.
  const audio = { Opus: /^audio\/.*\.opus$/, MP3: /^audio\/.*\.mp3$/ };
  const other = files.filter((f) => ![...Object.values(parts), ...Object.values(audio)].some((p) => p.test(f)));
  if (other.length) throw new Error('files in no part: ' + other.join(', '));
  row('Site size, all of it but the voice and sounds', `${(total / KiB).toFixed(1)} KiB gzip`, '-', '-',
    '<= 1024 KiB gzip', total <= 1024 * KiB ? 'yes' : 'NO', `${(raw / KiB).toFixed(1)} KiB as served`);
  for (const [format, pattern] of Object.entries(audio)) {
    const mine = files.filter((f) => pattern.test(f));
    const size = mine.reduce((n, f) => n + fs.statSync(path.join(site, f)).size, 0);
    const voice = mine.filter((f) => f.startsWith('audio/voice/')).length;
    row(`Voice and sounds as ${format}, after the first paint`, `${(size / KiB).toFixed(1)} KiB`, '-', '-', 'report',
      '-', `${voice} voice clips and ${mine.length - voice} sounds; ${format === 'Opus' ? 'fetched by Chromium, Firefox'
        : 'the fallback where Opus cannot be decoded'}`);
  }
}

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const span = (xs) => `[${Math.min(...xs).toFixed(0)}-${Math.max(...xs).toFixed(0)}]`;

// Runs in the page before its scripts: when the core started, and when
// Tobble's first sentence showed.
function markStart() {
  window.marks = {};
  new MutationObserver(() => {
    if (!window.marks.playing && document.body && document.body.dataset.state === 'playing') {
      window.marks.playing = performance.now();
    }
    if (!window.marks.talking && [...document.querySelectorAll('.panel .label')]
      .some((e) => e.style.display !== 'none' && /^Hi! I am Tobble!/.test(e.textContent))) {
      window.marks.talking = performance.now();
    }
  }).observe(document, { subtree: true, childList: true, attributes: true, characterData: true });
}

const fcp = (page) => page.evaluate(() => new Promise((resolve) => {
  new PerformanceObserver((list) => {
    const entry = list.getEntries().find((e) => e.name === 'first-contentful-paint');
    if (entry) resolve(entry.startTime);
  }).observe({ type: 'paint', buffered: true });
}));

// A tablet four times slower than this machine on "Fast 3G" (as the
// browser's developer tools have it), a first visit: the child taps Start
// the moment the intro is painted. Times from the navigation's start.
async function slowStart(browser, url) {
  const { context, page } = await slowTablet(browser);
  await context.addInitScript(markStart);
  await page.goto(url, { waitUntil: 'commit' });
  const painted = await fcp(page);
  await page.getByRole('button', { name: 'Start' }).tap();
  await page.waitForFunction(() => window.marks.talking, null, { timeout: 120000 });
  const marks = await page.evaluate(() => window.marks);
  await context.close();
  return { painted, ...marks };
}

// A visit with the whole site kept by the first, and no network: how soon
// the intro is painted and the game runs, against the first visit's.
async function offlineStart(browser, site) {
  const server = await serve({ '/': site });
  const context = await browser.newContext({ viewport: { width: 1280, height: 1024 } });
  await context.addInitScript(markStart);
  const visit = async () => {
    const page = await context.newPage();
    await page.goto(server.url);
    await page.waitForFunction(() => window.marks.playing, null, { timeout: 60000 });
    return { page, painted: await fcp(page), playing: await page.evaluate(() => window.marks.playing) };
  };
  const first = await visit();
  await first.page.evaluate(() => navigator.serviceWorker.ready);
  await first.page.close();
  server.close();
  server.closeAllConnections();
  const again = await visit();
  await context.close();
  return { first, again };
}

async function firstPaint(browser, url) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 1024 } });
  const page = await context.newPage();
  await page.goto(url);
  const ms = await page.evaluate(() => new Promise((resolve) => {
    new PerformanceObserver((list) => {
      const fcp = list.getEntries().find((e) => e.name === 'first-contentful-paint');
      if (fcp) resolve(fcp.startTime);
    }).observe({ type: 'paint', buffered: true });
  }));
  await context.close();
  return ms;
}

// CPU seconds (user + system) of every process below this one: the browser
// and its renderer, GPU and utility processes.
function childCpuSeconds() {
  const tick = 100;  // USER_HZ on Linux
  const stats = fs.readdirSync('/proc').filter((d) => /^\d+$/.test(d)).map((pid) => {
    try {
      const text = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = text.slice(text.lastIndexOf(')') + 2).split(' ');
      return { pid: Number(pid), ppid: Number(fields[1]), cpu: (Number(fields[11]) + Number(fields[12])) / tick };
    } catch { return null; }
  }).filter(Boolean);
  const mine = new Set([process.pid]);
  let grew = true;
  while (grew) {
    grew = false;
    for (const s of stats) if (!mine.has(s.pid) && mine.has(s.ppid)) { mine.add(s.pid); grew = true; }
  }
  return stats.filter((s) => s.pid !== process.pid && mine.has(s.pid)).reduce((n, s) => n + s.cpu, 0);
}

async function idle(browser, url, settleMs, measureMs) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 1024 } });
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Performance.enable');
  await page.goto(url);
  await page.waitForTimeout(settleMs);
  const task = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  const [cpu0, task0, t0] = [childCpuSeconds(), await task(), Date.now()];
  await page.waitForTimeout(measureMs);
  const [cpu1, task1, t1] = [childCpuSeconds(), await task(), Date.now()];
  await context.close();
  const wall = (t1 - t0) / 1000;
  return { all: (cpu1 - cpu0) / wall, main: (task1 - task0) / wall };
}

(async () => {
  sizes();
  // The plain page gets the game page's own styles, inline as there, and is
  // served from the site's folder for the same fonts and icon.
  const index = fs.readFileSync(path.join(site, 'index.html'), 'utf8');
  const styles = index.match(/<style>[\s\S]*?<\/style>/g).join('\n');
  const hashes = JSON.parse(index.match(/<script type="application\/json" id="files">(.*?)<\/script>/)[1]);
  const plainFile = path.join(site, 'plain-bench.html');
  // Its panel is placed as the game places the intro's in this window:
  // scaled to fill it (site/place.js, 8 px margins), so both paint as much.
  const [w, h, view] = [518, 518, { width: 1280, height: 1024 }];
  const scale = Math.min((view.width - 16) / w, (view.height - 16) / h);
  const placed = `left: ${Math.round((view.width - w * scale) / 2)}px; top: ${Math.round((view.height - h * scale) / 2)}px; `
    + `transform: scale(${scale}); --scale: ${scale}`;
  fs.writeFileSync(plainFile, fs.readFileSync(path.join(__dirname, 'plain.html'), 'utf8')
    .replace(/<link rel="stylesheet"[^>]*>\n/g, '').replace('</head>', styles + '\n</head>')
    .replace(/style="left: calc\(50% - 259px\); top: calc\(50% - 258px\)"/, `style="${placed}"`)
    // The site's files by their hashed names (finish_site.py).
    .replace(/\b(?:art|fonts)\/[\w.-]+\.(?:svg|woff2)/g, (name) => (hashes[name]
      ? name.replace(/(\.[^./]+)$/, `.${hashes[name]}$1`) : name)));
  const server = await serve({ '/': site });
  const plainUrl = server.url + 'plain-bench.html';
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'] });
  try {
    // Warm the caches once, then alternate, the plain page first every other pair.
    await firstPaint(browser, server.url);
    await firstPaint(browser, plainUrl);
    // First paints in headless chromium spread widely (a plain panel alone
    // from 100 to 240 ms), so the median takes enough pairs to settle.
    const pairs = quick ? 3 : 41;
    const game = [];
    const plain = [];
    for (let i = 0; i < pairs; ++i) {
      if (i % 2) plain.push(await firstPaint(browser, plainUrl));
      game.push(await firstPaint(browser, server.url));
      if (!(i % 2)) plain.push(await firstPaint(browser, plainUrl));
    }
    const ratios = game.map((g, i) => g / plain[i]);
    const r = median(ratios);
    row(`First paint, intro vs a plain panel (${pairs} pairs)`, `${median(game).toFixed(0)} ms`,
      `${median(plain).toFixed(0)} ms`, `${r.toFixed(2)}x [${Math.min(...ratios).toFixed(2)}-${Math.max(...ratios).toFixed(2)}]`,
      '<= 1.5x', r <= 1.5 ? 'yes' : 'NO', 'first-contentful-paint, headless chromium, served from 127.0.0.1');
    const slow = [];
    for (let i = 0; i < (quick ? 2 : 9); ++i) slow.push(await slowStart(browser, server.url));
    const col = (key) => slow.map((m) => m[key]);
    row(`A tap on Start at the first paint answered, 4x CPU and "Fast 3G" (${slow.length} runs)`,
      `${median(col('talking')).toFixed(0)} ms ${span(col('talking'))}`, '-', '-', 'answered', 'yes',
      `from the navigation; intro painted at ${median(col('painted')).toFixed(0)} ms ${span(col('painted'))}, `
      + `the core running at ${median(col('playing')).toFixed(0)} ms ${span(col('playing'))}`);
    const offline = [];
    for (let i = 0; i < (quick ? 2 : 9); ++i) offline.push(await offlineStart(browser, site));
    const of = (visit, key) => offline.map((o) => o[visit][key]);
    row(`Repeat visit with no network, the core running (${offline.length} runs)`,
      `${median(of('again', 'playing')).toFixed(0)} ms ${span(of('again', 'playing'))}`,
      `${median(of('first', 'playing')).toFixed(0)} ms`, '-', 'starts', 'yes',
      `baseline: the first visit, online from 127.0.0.1; intro painted at ${median(of('again', 'painted')).toFixed(0)} ms `
      + `(first visit ${median(of('first', 'painted')).toFixed(0)} ms)`);
    if (!quick) {
      const g = await idle(browser, server.url, 18000, 20000);
      const p = await idle(browser, plainUrl, 2000, 20000);
      row('Idle CPU, intro treading on the spot (20 s)', `${(100 * g.all).toFixed(2)} %`, `${(100 * p.all).toFixed(2)} %`,
        '-', 'next to none', '-', `all chromium processes; page's main thread ${(100 * g.main).toFixed(2)} % (plain ${(100 * p.main).toFixed(2)} %)`);
    }
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(plainFile, { force: true });
  }
  const header = ['Measure', 'Browser game', 'Baseline', 'Ratio (median [min-max])', 'Target', 'Met', 'Notes'];
  const widths = header.map((h, i) => Math.max(h.length, ...rows.map((r) => String(r[i]).length)));
  const line = (cells) => '| ' + cells.map((c, i) => String(c).padEnd(widths[i])).join(' | ') + ' |';
  const table = [line(header), '|' + widths.map((w) => '-'.repeat(w + 2)).join('|') + '|', ...rows.map(line)].join('\n');
  console.log(table);
  fs.mkdirSync(out, { recursive: true });
  fs.writeFileSync(path.join(out, 'web-table.md'), table + '\n');
})().catch((e) => { console.error(e); process.exit(1); });
