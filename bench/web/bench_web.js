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
    'code (tobble.wasm, tobble.js)': /^tobble\.(wasm|js)$/,
    'page (index.html, page.js, styles, font metrics)': /^(index\.html|page\.js|tobble\.css|fonts\.(css|js))$/,
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
  const other = files.filter((f) => !Object.values(parts).some((p) => p.test(f)));
  if (other.length) throw new Error('files in no part: ' + other.join(', '));
  row('Site size, all of it (no voice or sound files yet)', `${(total / KiB).toFixed(1)} KiB gzip`, '-', '-',
    '<= 1024 KiB gzip', total <= 1024 * KiB ? 'yes' : 'NO', `${(raw / KiB).toFixed(1)} KiB as served`);
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
  fs.copyFileSync(path.join(__dirname, 'plain.html'), path.join(site, '..', 'plain.html'));
  const server = await serve({ '/': site, '/plain/': path.join(site, '..') });
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'] });
  try {
    // Warm the caches once, then alternate, the plain page first every other pair.
    await firstPaint(browser, server.url);
    await firstPaint(browser, server.url + 'plain/plain.html');
    const pairs = quick ? 3 : 9;
    const game = [];
    const plain = [];
    for (let i = 0; i < pairs; ++i) {
      if (i % 2) plain.push(await firstPaint(browser, server.url + 'plain/plain.html'));
      game.push(await firstPaint(browser, server.url));
      if (!(i % 2)) plain.push(await firstPaint(browser, server.url + 'plain/plain.html'));
    }
    const ratios = game.map((g, i) => g / plain[i]);
    const r = median(ratios);
    row(`First paint, intro vs a plain panel (${pairs} pairs)`, `${median(game).toFixed(0)} ms`,
      `${median(plain).toFixed(0)} ms`, `${r.toFixed(2)}x [${Math.min(...ratios).toFixed(2)}-${Math.max(...ratios).toFixed(2)}]`,
      '<= 1.5x', r <= 1.5 ? 'yes' : 'NO', 'first-contentful-paint, headless chromium, served from 127.0.0.1');
    if (!quick) {
      const g = await idle(browser, server.url, 18000, 20000);
      const p = await idle(browser, server.url + 'plain/plain.html', 2000, 20000);
      row('Idle CPU, intro treading on the spot (20 s)', `${(100 * g.all).toFixed(2)} %`, `${(100 * p.all).toFixed(2)} %`,
        '-', 'next to none', '-', `all chromium processes; page's main thread ${(100 * g.main).toFixed(2)} % (plain ${(100 * p.main).toFixed(2)} %)`);
    }
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(path.join(site, '..', 'plain.html'), { force: true });
  }
  const header = ['Measure', 'Browser game', 'Baseline', 'Ratio (median [min-max])', 'Target', 'Met', 'Notes'];
  const widths = header.map((h, i) => Math.max(h.length, ...rows.map((r) => String(r[i]).length)));
  const line = (cells) => '| ' + cells.map((c, i) => String(c).padEnd(widths[i])).join(' | ') + ' |';
  const table = [line(header), '|' + widths.map((w) => '-'.repeat(w + 2)).join('|') + '|', ...rows.map(line)].join('\n');
  console.log(table);
  fs.mkdirSync(out, { recursive: true });
  fs.writeFileSync(path.join(out, 'web-table.md'), table + '\n');
})().catch((e) => { console.error(e); process.exit(1); });
