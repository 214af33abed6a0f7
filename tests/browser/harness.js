// What every browser test shares: Debian's chromium, headless, driven by
// playwright-core against the built site served on 127.0.0.1, and a player's
// view of the page: panels by caption, controls by what they show.
'use strict';
const fs = require('fs');
const path = require('path');
const { chromium } = require('playwright-core');
const { serve } = require('../../tools/web/serve_site.js');

const ROOT = path.join(__dirname, '../..');
const SITE = path.join(ROOT, 'build/web/site');
const PROBE = path.join(ROOT, 'build/web/probe');
// The site before the build gives its files hashed names: the probe's page uses it.
const STAGE = path.join(ROOT, 'build/web/core/app/web/stage');
const REFERENCE = path.join(ROOT, 'docs/screens');
const CHROMIUM_ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// The layouts' panels.
const INTRO = 'Tobble Goes to school!';
const CARDS = 'Pick the Card';

async function launch() {
  if (!fs.existsSync(path.join(SITE, 'index.html'))) throw new Error('no site: run scripts/build-web first');
  const server = await serve({ '/': SITE, '/probe/': PROBE, '/stage/': STAGE, '/reference/': REFERENCE });
  // Playwright gives the browser a fresh profile of its own each time.
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, args: CHROMIUM_ARGS,
  });
  return {
    server, browser,
    async close() {
      await browser.close();
      server.close();
    },
  };
}

// Runs in the page before its scripts: records in `window.tobbleCues` the
// cues the core gives the page's player, at the player's own entry points
// as audio.js sets it up.
function recordCues() {
  window.tobbleCues = [];
  const asCue = {
    play: (sound, pan = null, rate = 1) => (pan === null ? { sound } : { sound, pan, rate }),
    say: (say, clips, interrupt) => ({ say, clips, interrupt }),
    silence: () => ({ silence: true }),
  };
  let player;
  Object.defineProperty(window.Module = window.Module || {}, 'audio', {
    configurable: true,
    get: () => player,
    set(made) {
      player = made;
      for (const [name, cue] of Object.entries(asCue)) {
        const own = made[name];
        made[name] = (...args) => {
          window.tobbleCues.push(cue(...args));
          return own.apply(made, args);
        };
      }
    },
  });
}

// A fresh page of the game on a clock the test moves: the game's timers
// tick only when the test lets time pass, so a whole lesson takes seconds.
// `init(initArg)` runs in the page before any of its own scripts;
// `watch(context)` is called before the page opens; `query` is the
// address's own (`?pace=0.5`); with `cues` the cues are recorded (recordCues).
async function openGame(env, { touch = false, viewport = { width: 1280, height: 1024 }, init = null,
  initArg, watch = null, query = '', cues = false } = {}) {
  const context = await env.browser.newContext({ viewport, hasTouch: touch, isMobile: touch, deviceScaleFactor: 1 });
  if (cues) await context.addInitScript(recordCues);
  if (init) await context.addInitScript(init, initArg);
  if (watch) watch(context);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  const start = new Date('2026-03-02T09:00:00').getTime();
  await page.clock.install({ time: start });
  // Stopped at a time the real clock cannot have reached yet, so that the
  // same game is dealt every run and no tick comes from the time the test
  // itself takes.
  await page.clock.pauseAt(start + 10 * 60 * 1000);
  await page.goto(env.server.url + query);
  await page.waitForFunction(() => document.body.dataset.state === 'playing');
  await page.evaluate(() => document.fonts.ready);
  return new Game(page, context, touch, errors);
}

class Game {
  constructor(page, context, touch, errors) {
    Object.assign(this, { page, context, touch, errors });
    this.now = 0;
  }

  close() { return this.context.close(); }

  async pass(ms) {
    await this.page.clock.runFor(ms);
    this.now += ms;
  }

  // The panels on show, by caption, front last.
  shownPanels() {
    return this.page.evaluate(() => [...document.querySelectorAll('.panel:not([hidden])')]
      .sort((a, b) => Number(a.style.zIndex) - Number(b.style.zIndex))
      .map((p) => p.getAttribute('aria-label')));
  }

  // The front panel of that caption, or the front panel.
  panel(caption) {
    const all = this.page.locator('.panel:not([hidden])');
    return caption ? all.filter({ has: this.page.locator(`.caption:text-is("${caption}")`) }) : all;
  }

  // What a panel shows: its labels' texts, its pictures' names, its buttons.
  read(caption) {
    return this.panel(caption).first().evaluate((panel) => {
      const seen = (e) => e.style.display !== 'none';
      const controls = [...panel.querySelectorAll('.client > [data-slot]')].filter(seen);
      const place = (e) => ({ slot: Number(e.dataset.slot), x: parseFloat(e.style.left), y: parseFloat(e.style.top),
        w: parseFloat(e.style.width || e.width), h: parseFloat(e.style.height || e.height) });
      return {
        caption: panel.getAttribute('aria-label'),
        labels: controls.filter((e) => e.classList.contains('label')).map((e) => ({ ...place(e), text: e.textContent })),
        pictures: controls.filter((e) => e.tagName === 'IMG').map((e) => ({ ...place(e), name: e.alt,
          w: e.width, h: e.height })),
        buttons: controls.filter((e) => e.tagName === 'BUTTON').map((e) => ({ ...place(e), text: e.textContent,
          enabled: !e.disabled })),
        // Lit shapes: the pen's rectangle of every shape on show.
        shapes: controls.filter((e) => e.tagName === 'svg').map((e) => {
          const r = e.querySelector(':scope > rect, :scope > ellipse');
          return r && { slot: Number(e.dataset.slot), hatched: !!e.querySelector('pattern'),
            x: Number(r.getAttribute('x') ?? r.getAttribute('cx')), width: Number(r.getAttribute('width') ?? 0) };
        }).filter(Boolean),
      };
    });
  }

  // A click or a tap at a point of a panel's client area, in its own pixels,
  // however the panel is scaled. Time moves on a little before it, as a
  // child's clicks are never at the same instant (and two at one spot
  // within the double-click time would be a double-click); what the click
  // did can be read right after it.
  async clickAt(caption, x, y, { wait = 450 } = {}) {
    if (wait) await this.pass(wait);
    const client = this.panel(caption).first().locator('.client');
    const [box, size] = await Promise.all([client.boundingBox(),
      client.evaluate((c) => [parseFloat(c.style.width), parseFloat(c.style.height)])]);
    const px = box.x + x * box.width / size[0];
    const py = box.y + y * box.height / size[1];
    if (this.touch) await this.page.touchscreen.tap(px, py);
    else await this.page.mouse.click(px, py);
  }

  async clickControl(caption, control, options) {
    await this.clickAt(caption, control.x + Math.min(control.w, 40) / 2, control.y + Math.min(control.h, 40) / 2,
      options);
  }

  async clickLabel(caption, pattern) {
    const label = (await this.read(caption)).labels.find((l) => pattern.test(l.text));
    if (!label) throw new Error(`no label ${pattern} on ${caption}`);
    await this.clickControl(caption, label);
  }

  async closePanel(caption) {
    const button = this.panel(caption).first().locator('.close');
    if (this.touch) await button.tap(); else await button.click();
    await this.pass(100);
  }

  state() { return this.page.evaluate(() => document.body.dataset.state); }
}

module.exports = { launch, openGame, Game, INTRO, CARDS, ROOT, PROBE, STAGE };
