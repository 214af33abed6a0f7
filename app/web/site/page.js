// The page side of the game: one panel per loaded form, one element per
// control, drawn as the core describes them (app/web/dom_page.cpp), and the
// pointer, keys, close buttons and timers passed back to the core, which
// decides everything. The browser lays out the text and draws the SVG.
// It runs once the first screen, written into the page when the site was
// built by this same script (replay), has been painted (first_paint.js).
'use strict';

var Module = typeof Module !== 'undefined' ? Module : {};

Module.page = (() => {
  const SVG = 'http://www.w3.org/2000/svg';
  const KIND = { label: 0, image: 1, button: 2, shape: 3, line: 4 };
  const SHAPE = { rectangle: 0, rounded: 1, circle: 2 };
  const FILL = { transparent: 0, solid: 1, upwardDiagonal: 2, diagonalCross: 3 };
  const KEYS = { Tab: 0, BackTab: 1, Space: 2, Enter: 3, ArrowLeft: 4, ArrowRight: 5, ArrowUp: 6, ArrowDown: 7,
    Home: 8, End: 9 };
  // The block of keys that starts at 1, Q, A and Z, by physical place, so
  // that every keyboard layout has the same block: row, then column.
  const BLOCK = ['Digit1 Digit2 Digit3 Digit4 Digit5', 'KeyQ KeyW KeyE KeyR KeyT', 'KeyA KeyS KeyD KeyF KeyG',
    'KeyZ KeyX KeyC KeyV KeyB'].map((row) => row.split(' '));

  // The letters a child asks with: H, the last sentence again; I, how far.
  const ASK = { h: 0, i: 1 };
  const panels = new Map(); // panel number -> { root, client, controls, width, height, centred, scale }
  const timers = new Map();
  let ended = false;
  let firstShown = false;
  // The intro as the core drew it when the site was built is in the page
  // before the code has arrived; the core then takes its panels over. What
  // the child presses until the core has shown its first screen is kept, in
  // order, and passed on then: a tap on Start the moment it shows counts.
  let replaying = false;
  let live = false;
  const waiting = [];
  // Pictures that are hidden when drawn are fetched once the first screen
  // has been painted (or as soon as they show), so that the walk's frames do
  // not hold up the intro's first paint.
  let painted = false;

  const desk = () => document.getElementById('desk');
  const css = (rgb) => '#' + rgb.toString(16).padStart(6, '0');
  const px = (v) => v + 'px';
  const call = (name, ...args) => {
    if (ended) return;
    if (live && firstShown) Module['_tobble_' + name](...args);
    else waiting.push([name, args]);
  };
  const goLive = () => { if (!replaying) live = true; };

  function element(tag, className, parent) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (parent) parent.appendChild(e);
    return e;
  }

  function svg(tag, attributes, parent) {
    const e = document.createElementNS(SVG, tag);
    for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, v);
    if (parent) parent.appendChild(e);
    return e;
  }

  function theme(face, caption, captionText) {
    goLive();
    const root = document.documentElement.style;
    root.setProperty('--face', css(face));
    root.setProperty('--caption', css(caption));
    root.setProperty('--caption-text', css(captionText));
  }

  // Where the pointer is, in the client area's own pixels, however the panel
  // is scaled.
  function clientPoint(p, event) {
    const r = p.client.getBoundingClientRect();
    return [(event.clientX - r.left) * p.width / r.width, (event.clientY - r.top) * p.height / r.height];
  }

  function openPanel(id, caption, width, height, background, centred) {
    goLive();
    const early = panels.get(id);
    if (early && early.early && !replaying) {
      adopt(early, caption, width, height, background, centred);
      return;
    }
    const root = element('section', 'panel');
    root.hidden = true;
    root.classList.toggle('centred', centred);
    root.setAttribute('role', 'dialog');
    root.tabIndex = -1;  // the panel takes the focus as it comes to the front
    root.setAttribute('aria-label', caption);
    root.dataset.form = id;
    const bar = element('div', 'titlebar', root);
    const icon = element('img', 'icon', bar);
    icon.src = Module.file('art/icon.svg');
    icon.alt = '';
    element('span', 'caption', bar).textContent = caption;
    const close = element('button', 'close', bar);
    close.type = 'button';
    close.tabIndex = -1;
    close.setAttribute('aria-label', 'Close');
    const client = element('div', 'client', root);
    client.style.width = px(width);
    client.style.height = px(height);
    client.style.background = css(background);
    keep(id, { root, client, width, height, centred, early: replaying });
    desk().appendChild(root);
  }

  // A panel of the first screen, as the site's build wrote it into the page.
  function drawnPanel(root) {
    const p = keep(Number(root.dataset.form), { root, ...Module.place.drawn(root), early: true });
    for (const e of p.client.querySelectorAll(':scope > [data-slot]')) p.controls.set(Number(e.dataset.slot), e);
  }

  // Takes a panel's elements into the page's keeping, and its input to the core.
  function keep(id, panel) {
    const p = { ...panel, controls: new Map(), ring: null, scale: 1 };
    panels.set(id, p);
    const { root, client } = p;
    root.querySelector('.close').addEventListener('click', () => call('close', id));
    client.addEventListener('pointerdown', (e) => {
      if (e.button !== 0) return;
      e.preventDefault();
      client.setPointerCapture(e.pointerId);
      pointerDown(id, p, e, performance.now());
    });
    client.addEventListener('pointerup', (e) => pointerUp(id, p, e));
    client.addEventListener('click', (e) => clicked(id, e));
    client.addEventListener('contextmenu', (e) => e.preventDefault());
    return p;
  }

  function pointerDown(id, p, e, time) {
    if (e.button !== 0) return;
    const [x, y] = clientPoint(p, e);
    call('press', id, x, y, time);
  }

  function pointerUp(id, p, e) {
    if (e.button !== 0) return;
    const [x, y] = clientPoint(p, e);
    call('release', id, x, y);
  }

  // A screen reader presses a control without a pointer: a click of no
  // count, which the core treats as the desktop's accessible press.
  function clicked(id, e) {
    const target = e.target.closest('[data-slot]');
    if (e.detail === 0 && target) call('activate', id, Number(target.dataset.slot));
  }

  // What was pressed before this script ran (first_paint.js), as if it had
  // been pressed now.
  function earlyInput(events) {
    for (const e of events) {
      if (e.type === 'keydown') {
        keyDown(e);
        continue;
      }
      const root = e.target.closest && e.target.closest('#desk > .panel');
      const id = root && Number(root.dataset.form);
      const p = root && panels.get(id);
      if (!p) continue;
      if (e.type === 'click' && e.target.closest('.close')) call('close', id);
      else if (!p.client.contains(e.target)) continue;
      // The press's own time, for the double-click the core may tell.
      else if (e.type === 'pointerdown') pointerDown(id, p, e, e.timeStamp);
      else if (e.type === 'pointerup') pointerUp(id, p, e);
      else if (e.type === 'click') clicked(id, e);
    }
  }

  function place(p) { p.scale = Module.place(p.root, p.width, p.height, p.centred); }

  // The core opens a panel that was drawn early: it is kept as it stands, and
  // the core's own drawing then changes only what differs from it.
  function adopt(p, caption, width, height, background, centred) {
    p.early = false;
    p.root.setAttribute('aria-label', caption);
    p.root.classList.toggle('centred', centred);
    put(p.root.querySelector('.caption'), 'textContent', caption);
    put(p.client.style, 'width', px(width));
    put(p.client.style, 'height', px(height));
    put(p.client.style, 'background', css(background));
    Object.assign(p, { width, height, centred });
  }

  function showPanel(id, stack) {
    const p = panels.get(id);
    p.root.hidden = false;
    p.root.style.zIndex = stack;
    place(p);
    if (replaying) return;
    if (!firstShown) {
      firstShown = true;
      document.body.dataset.state = 'playing';
      // Early panels the core did not take over are not the game's.
      for (const [other, q] of panels) if (q.early) closePanel(other);
      Module.afterFirstPaint.then(fetchHiddenPictures);
      // Once the core has returned to the browser, not from within its call.
      queueMicrotask(() => { for (const [name, args] of waiting.splice(0)) call(name, ...args); });
      if (Module.onPlaying) Module.onPlaying();
    }
  }

  function fetchHiddenPictures() {
    painted = true;
    for (const e of desk().querySelectorAll('img[data-later]')) {
      e.src = e.dataset.later;
      delete e.dataset.later;
    }
  }

  // Draws a record of the core's calls (first_frame.h): how the site's build
  // writes the first screen into the page (draw_first_screen.js).
  function replay(calls) {
    replaying = true;
    try {
      for (const [name, ...args] of calls) ({ theme, openPanel, drawControl, showPanel, readOrder, readControl })[name](...args);
    } finally {
      replaying = false;
    }
  }

  function hidePanel(id) { panels.get(id).root.hidden = true; }

  function closePanel(id) {
    const p = panels.get(id);
    if (!p) return;
    p.root.remove();
    panels.delete(id);
  }

  // Writes only what changed: a tick that swaps one picture touches nothing else.
  function put(target, name, value) {
    if (target[name] !== value) target[name] = value;
  }

  function box(e, [x, y, w, h]) {
    put(e.style, 'left', px(x));
    put(e.style, 'top', px(y));
    put(e.style, 'width', px(w));
    put(e.style, 'height', px(h));
  }

  // A label's lines lie as the desktop lays them: each line the font's
  // ascent and descent apart, each rounded up to whole pixels, plus the
  // face's line gap where its rounded height leaves room for one.
  function lineHeight(look) {
    const metrics = Module.fontMetrics || {};
    const key = `${look.family}|${look.bold ? 700 : 400}|`;
    const face = metrics[key + (look.italic ? 'italic' : 'normal')] || metrics[key + 'normal'];
    if (!face) return 'normal';
    const [upm, ascent, descent, gap] = face;
    const scale = look.pixels / upm;
    const a = Math.ceil(ascent * scale);
    const d = Math.ceil(descent * scale);
    return px(a + d + Math.max(0, Math.round((ascent + descent + gap) * scale) - a - d));
  }

  function font(e, look) {
    e.style.fontFamily = `"${look.family}"`;
    e.style.fontSize = px(look.pixels);
    e.style.fontWeight = look.bold ? '700' : '400';
    e.style.fontStyle = look.italic ? 'italic' : 'normal';
    e.style.textDecoration = look.underline ? 'underline' : 'none';
  }

  // The desktop's hatches, eight device pixels square, lines one device
  // pixel wide, laid from the client area's corner: "/" lines, or "/" and
  // "\" crossed.
  function hatch(parent, id, fill, colour) {
    const k = 1 / (window.devicePixelRatio || 1);
    const pattern = svg('pattern', { id, width: 8 * k, height: 8 * k, patternUnits: 'userSpaceOnUse' }, parent);
    for (let y = 0; y < 8; ++y) {
      const xs = fill === FILL.diagonalCross ? [7 - y, y] : [7 - y];
      for (const x of xs) svg('rect', { x: x * k, y: y * k, width: k, height: k, fill: css(colour) }, pattern);
    }
    return `url(#${id})`;
  }

  function outline(look, attributes, parent) {
    const [x, y, w, h] = look.path;
    if (look.shape === SHAPE.circle) {
      return svg('ellipse', { cx: x + w / 2, cy: y + h / 2, rx: w / 2, ry: h / 2, ...attributes }, parent);
    }
    const r = look.shape === SHAPE.rounded ? look.radius : 0;
    return svg('rect', { x, y, width: w, height: h, rx: r, ry: r, ...attributes }, parent);
  }

  function drawShape(e, look, p, slot) {
    e.replaceChildren();
    const defs = svg('defs', {}, e);
    if (look.opaque) outline(look, { fill: css(look.back) }, e);
    if (look.fill === FILL.solid) {
      outline(look, { fill: css(look.fillColour) }, e);
    } else if (look.fill !== FILL.transparent) {
      const paint = hatch(defs, `hatch-${p.root.dataset.form}-${slot}`, look.fill, look.fillColour);
      outline(look, { fill: paint, 'shape-rendering': 'crispEdges' }, e);
    }
    outline(look, {
      fill: 'none', stroke: css(look.border), 'stroke-width': look.borderWidth, 'stroke-linejoin': 'miter',
    }, e);
  }

  function drawLine(e, look) {
    e.replaceChildren();
    svg('line', {
      x1: look.x1, y1: look.y1, x2: look.x2, y2: look.y2,
      stroke: css(look.border), 'stroke-width': look.borderWidth, 'stroke-linecap': 'round',
    }, e);
  }

  function make(kind, p) {
    switch (kind) {
      case KIND.label: return element('div', 'label');
      // Scenery until the game says what a reader is to meet (readControl).
      case KIND.image: {
        const e = element('img', 'picture');
        e.draggable = false;
        e.alt = '';
        e.setAttribute('aria-hidden', 'true');
        return e;
      }
      case KIND.button: {
        const e = element('button', 'button');
        e.type = 'button';
        e.setAttribute('aria-hidden', 'true');
        return e;
      }
      case KIND.shape:
      case KIND.line: {
        const e = svg('svg', { class: 'drawing', width: p.width, height: p.height, 'aria-hidden': 'true' });
        return e;
      }
      default: {
        const e = element('div', 'unseen');
        return e;
      }
    }
  }

  function drawControl(id, slot, look) {
    const p = panels.get(id);
    let e = p.controls.get(slot);
    if (!e) {
      e = make(look.kind, p);
      e.dataset.slot = slot;
      if (look.kind === KIND.label || look.kind === KIND.image || look.kind === KIND.button) e.tabIndex = -1;
      p.controls.set(slot, e);
      p.client.appendChild(e);
    }
    put(e.style, 'zIndex', String(look.depth));
    put(e.style, 'display', look.visible ? '' : 'none');
    switch (look.kind) {
      case KIND.label:
        box(e, look.box);
        font(e, look);
        e.style.lineHeight = lineHeight(look);
        e.style.color = css(look.fore);
        e.style.background = css(look.back);
        if (e.textContent !== look.text) e.textContent = look.text;
        break;
      case KIND.image:
        put(e.style, 'left', px(look.box[0]));
        put(e.style, 'top', px(look.box[1]));
        put(e, 'alt', look.name);
        put(e, 'width', look.box[2]);
        put(e, 'height', look.box[3]);
        if (!look.picture) {
          e.removeAttribute('src');
          delete e.dataset.later;
        } else if (e.getAttribute('src') !== Module.file('art/' + look.picture)) {
          if (look.visible || painted) {
            e.src = Module.file('art/' + look.picture);
            delete e.dataset.later;
          } else {
            e.dataset.later = Module.file('art/' + look.picture);
          }
        }
        break;
      case KIND.button:
        box(e, look.box);
        font(e, look);
        e.textContent = look.text;
        e.disabled = !look.enabled;
        break;
      case KIND.shape: drawShape(e, look, p, slot); break;
      case KIND.line: drawLine(e, look); break;
      default: break;
    }
  }

  function focusRing(id, slot, x, y, w, h) {
    const p = panels.get(id);
    if (!p) return;
    if (!p.ring) {
      p.ring = svg('svg', { class: 'ring', width: p.width, height: p.height, 'aria-hidden': 'true' }, p.client);
      // Two colours, so that the ring shows on white, grey and black alike.
      svg('rect', { rx: 6, ry: 6, fill: 'none', stroke: '#ffffff', 'stroke-width': 5 }, p.ring);
      svg('rect', { rx: 6, ry: 6, fill: 'none', stroke: '#ff7800', 'stroke-width': 3 }, p.ring);
    }
    p.ring.style.display = slot < 0 ? 'none' : '';
    if (slot < 0) return;
    for (const r of p.ring.children) {
      r.setAttribute('x', x);
      r.setAttribute('y', y);
      r.setAttribute('width', w);
      r.setAttribute('height', h);
    }
    const target = p.controls.get(slot);
    if (target) target.focus({ preventScroll: true });
  }

  function startTimer(id, ms) {
    stopTimer(id);
    timers.set(id, setInterval(() => call('tick', id), ms));
  }

  function stopTimer(id) {
    clearInterval(timers.get(id));
    timers.delete(id);
  }

  function stopEverything() {
    ended = true;
    for (const handle of timers.values()) clearInterval(handle);
    timers.clear();
  }

  // Each message a line of its own in the live region, so that none is
  // merged, cut or dropped, and the same words twice are read twice.
  function announce(text) {
    const say = document.getElementById('say');
    element('p', '', say).textContent = text;
    while (say.childElementCount > 12) say.firstElementChild.remove();
  }

  // The elements in the order a reader meets them; the panel's layers are
  // kept by their z-index, not by this order.
  function readOrder(id, slots) {
    const p = panels.get(id);
    if (!p) return;
    // Moving the element that has the focus takes the focus from it (the
    // scan's first stop is ringed before the panel is read): it is given back.
    const focused = document.activeElement;
    for (const slot of slots) {
      const e = p.controls.get(slot);
      if (e) p.client.appendChild(e);
    }
    if (focused !== document.activeElement && p.client.contains(focused)) focused.focus({ preventScroll: true });
  }

  // What a reader is told about a control: a clickable picture is a button
  // named by what it shows, with its grid place as its description; a text
  // that takes a click (a speech bubble) is a button too.
  function readControl(id, slot, r) {
    const p = panels.get(id);
    const e = p && p.controls.get(slot);
    if (!e) return;
    if (r.role === 'hidden') {
      e.setAttribute('aria-hidden', 'true');
      return;
    }
    e.removeAttribute('aria-hidden');
    if (e.tagName === 'IMG' || (e.tagName === 'DIV' && r.clickable)) {
      e.setAttribute('role', 'button');
      e.setAttribute('aria-label', r.name);
    }
    if (r.description) e.setAttribute('aria-description', r.description);
    else e.removeAttribute('aria-description');
    if (e.getAttribute('role') === 'button') e.setAttribute('aria-disabled', String(!r.enabled));
  }

  function focusPanel(id) {
    const p = panels.get(id);
    if (p && !replaying) p.root.focus({ preventScroll: true });
  }

  function notice(className, role, heading, text) {
    const card = element('div', 'notice ' + className, document.body);
    card.setAttribute('role', role);
    element('p', 'heading', card).textContent = heading;
    if (text) element('p', 'message', card).textContent = text;
    const again = element('button', 'again', card);
    again.type = 'button';
    again.textContent = 'Play again';
    again.addEventListener('click', () => location.reload());
    again.focus();
    return card;
  }

  function showError(message) {
    if (document.body.dataset.state === 'error') return;
    stopEverything();
    document.body.dataset.state = 'error';
    notice('error', 'alertdialog', 'Something went wrong, and the game has to stop.', message);
  }

  function sayGoodbye() {
    stopEverything();
    if (document.body.dataset.state === 'error') return;
    document.body.dataset.state = 'ended';
    notice('goodbye', 'status', 'Bye-bye! Thank you for playing.', '');
  }

  // The first screen as the site's build wrote it into the page.
  for (const root of document.querySelectorAll('#desk > .panel')) drawnPanel(root);

  // The faces the first screen does not use are fetched now, so that no
  // later screen waits for its text (the others are preloaded, index.html).
  if (document.fonts) for (const face of Object.keys(Module.fontMetrics || {})) {
    const [family, weight, style] = face.split('|');
    document.fonts.load(`${style} ${weight} 16px "${family}"`).catch(() => {});
  }

  function keyDown(e) {
    if (ended || e.altKey || e.ctrlKey || e.metaKey) return;
    let key;
    const blockRow = BLOCK.findIndex((row) => row.includes(e.code));
    const ask = ASK[e.key.toLowerCase()];
    if (e.key === 'Tab') key = e.shiftKey ? KEYS.BackTab : KEYS.Tab;
    else if (e.key === ' ') key = KEYS.Space;
    else if (e.key in KEYS) key = KEYS[e.key];
    else if (blockRow >= 0) {
      e.preventDefault();
      if (!e.repeat) call('place_key', blockRow, BLOCK[blockRow].indexOf(e.code));
      return;
    }
    else if (e.key === 'm' || e.key === 'M') {
      // Sound off or on, whichever panel has the focus.
      if (!e.repeat) call('mute');
      return;
    } else if (ask !== undefined) {
      // The last sentence again, or how far the game is.
      if (!e.repeat) call('ask', ask);
      return;
    } else return;
    // The core moves the focus and presses; the browser does neither.
    e.preventDefault();
    if (!e.repeat) call('key', key);
  }
  document.addEventListener('keydown', keyDown);
  if (Module.earlyInput) earlyInput(Module.earlyInput());
  document.addEventListener('keyup', (e) => { if (!ended && e.key === ' ') e.preventDefault(); });
  window.addEventListener('resize', () => { for (const p of panels.values()) if (!p.root.hidden) place(p); });

  return {
    theme, openPanel, showPanel, hidePanel, closePanel, drawControl, focusRing, startTimer, stopTimer, announce,
    readOrder, readControl, focusPanel,
    showError, sayGoodbye, replay,
    // The screen comparison's page tells its test when the state is drawn.
    stateDrawn(found) { document.body.dataset.state = found ? 'drawn' : 'missing'; },
  };
})();

// The wasm by its hashed name (Module.file), beside the loader.
Module.locateFile = (name, directory) => directory + Module.file(name);

// A failure of the core itself (out of memory, a broken download) is the
// game's error report too.
Module.onAbort = (what) => Module.page.showError(String(what));
