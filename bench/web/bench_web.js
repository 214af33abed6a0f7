// Measures the browser game: the site's size by part under gzip, the intro's
// first paint against a plain page with one panel of the intro's size, and
// the CPU the page costs while Tobble treads on the spot. Prints a table in
// the form of the desktop's (and writes it to OUT/web-table.md).
//
//   node bench/web/bench_web.js SITE OUT [--quick]
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { chromium } = require(path.join(__dirname, '../../tests/browser/node_modules/playwright-core'));
const { serve } = require('../../tools/web/serve_site.js');

const [site, out] = process.argv.slice(2);
const quick = process.argv.includes('--quick');
const KiB = 1024;
const rows = [];
const row = (measure, game, baseline, ratio, target, met, notes) =>
  rows.push([measure, game, baseline, ratio, target, met, notes]);

function sizes() {
  const parts = {
    'code (tobble.wasm)': /^tobble\.wasm$/,
    'page (index.html: the loader, the page script, styles, font metrics, the first screen)': /^index\.html$/,
    'fonts (8 WOFF2 faces)': /^fonts\/.*\.woff2$/,
    'pictures (SVG)': /^art\/.*\.svg$/,
  };
  const files = [];
  const walk = (dir) => {
    for (const name of fs.readdirSync(path.join(site, dir))) {
      const rel = dir ? `${dir}/${name}` : name;
      if (fs.statSync(path.join(site, rel)).isDirectory()) walk(rel); else files.push(rel);
    }
  };
  walk('');
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
  const styles = fs.readFileSync(path.join(site, 'index.html'), 'utf8').match(/<style>[\s\S]*?<\/style>/g).join('\n');
  const plainFile = path.join(site, 'plain-bench.html');
  fs.writeFileSync(plainFile, fs.readFileSync(path.join(__dirname, 'plain.html'), 'utf8')
    .replace(/<link rel="stylesheet"[^>]*>\n/g, '').replace('</head>', styles + '\n</head>'));
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
