// Run by the site's build: writes the game's first screen into the page, so
// that the intro is painted from the HTML alone, before any script.
//   node draw_first_screen.js PAGE.html RECORD.json OUT.html SCRIPT.js...
// The record (first_frame_main.cpp) is drawn by the page's own scripts, in a
// DOM without a browser, and the desk they drew is put into the page. The
// style sheets and scripts of the page's head, which that paint waits for,
// are put into it too, from OUT.html's folder: a request of their own would
// cost the paint a round trip.
'use strict';
const fs = require('fs');
const path = require('path');
const { JSDOM } = require('jsdom');

function draw(record, scripts) {
  const dom = new JSDOM('<!doctype html><html><body><main id="desk"></main></body></html>',
    { runScripts: 'dangerously' });
  const { document } = dom.window;
  const errors = [];
  dom.window.addEventListener('error', (e) => errors.push(e.message));
  for (const file of scripts) {
    const script = document.createElement('script');
    script.textContent = fs.readFileSync(file, 'utf8');
    document.body.appendChild(script);
  }
  const { Module } = dom.window;
  Module.page.replay(record);
  if (errors.length) throw new Error(errors.join('\n'));
  // This DOM has no window to place the panels in; the page places them as
  // soon as it knows its own (first_paint.js), at its scale. Until then a
  // centred panel is centred by its style alone.
  for (const root of document.querySelectorAll('#desk > .panel')) {
    root.style.transform = '';
    root.style.removeProperty('--scale');
  }
  for (const root of document.querySelectorAll('#desk > .panel.centred')) {
    const { width, height } = Module.place.drawn(root);
    const [w, h] = Module.place.outside(width, height);
    root.style.left = `calc(50% - ${w / 2}px)`;
    root.style.top = `calc(50% - ${h / 2}px)`;
  }
  return dom;
}

function main() {
  const [pageFile, recordFile, outFile, ...scripts] = process.argv.slice(2);
  if (!outFile || !scripts.length) {
    console.error('usage: draw_first_screen.js PAGE.html RECORD.json OUT.html SCRIPT.js...');
    process.exit(2);
  }
  const drawn = draw(JSON.parse(fs.readFileSync(recordFile, 'utf8')), scripts).window.document;
  const page = new JSDOM(fs.readFileSync(pageFile, 'utf8'));
  const { document } = page.window;
  const desk = document.getElementById('desk');
  if (!desk || desk.childNodes.length) throw new Error(`${pageFile}: no empty #desk to draw into`);
  for (const panel of drawn.getElementById('desk').children) desk.appendChild(document.importNode(panel, true));
  // The theme's colours, which the page script sets on the root.
  const theme = drawn.documentElement.getAttribute('style');
  if (theme) document.documentElement.setAttribute('style', theme);
  const inline = (element, tag, file) => {
    const text = fs.readFileSync(path.join(path.dirname(outFile), file), 'utf8');
    if (text.includes(`</${tag}`)) throw new Error(`${file} would end its <${tag}> early`);
    const replacement = document.createElement(tag);
    replacement.textContent = text;
    element.replaceWith(replacement);
  };
  for (const link of document.querySelectorAll('head link[rel=stylesheet]')) inline(link, 'style', link.getAttribute('href'));
  for (const script of document.querySelectorAll('head script[src]')) inline(script, 'script', script.getAttribute('src'));
  fs.writeFileSync(outFile, page.serialize());
}

main();
