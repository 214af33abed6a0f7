// In the page's head: the first screen, written into the page when the site
// was built, is placed for this window, and what the child does before the
// game's code has run (deferred scripts, index.html) is kept for it.
'use strict';

var Module = typeof Module !== 'undefined' ? Module : {};

// The first screen is placed once the page has been laid out, before it is
// painted: asking for the window's size while the page is parsed would lay
// it out before its fonts have arrived, twice the work of the first paint.
(() => {
  const place = () => {
    // The hatches were laid for one device pixel to the CSS pixel.
    const k = 1 / (window.devicePixelRatio || 1);
    for (const root of document.querySelectorAll('#desk > .panel')) {
      const { width, height, centred } = Module.place.drawn(root);
      Module.place(root, width, height, centred);
      if (k !== 1) for (const p of root.querySelectorAll('pattern')) p.setAttribute('patternTransform', `scale(${k})`);
    }
  };
  document.addEventListener('DOMContentLoaded', () => {
    if (!window.ResizeObserver) {
      place();
      return;
    }
    const observer = new ResizeObserver(() => {
      observer.disconnect();
      place();
    });
    observer.observe(document.getElementById('desk'));
  });
})();

// The first paint with something in it, from the browser's own record rather
// than a timer: timers may be held (a test's clock) where painting is not.
Module.afterFirstPaint = new Promise((resolve) => {
  const types = window.PerformanceObserver && PerformanceObserver.supportedEntryTypes;
  if (!types || !types.includes('paint')) {
    requestAnimationFrame(() => setTimeout(resolve, 0));
    return;
  }
  const observer = new PerformanceObserver((list) => {
    if (!list.getEntriesByName('first-contentful-paint').length) return;
    observer.disconnect();
    resolve();
  });
  observer.observe({ type: 'paint', buffered: true });
});

// What the child presses before the page script has run (a tap on Start the
// moment it shows, a key) is kept, in order, for the page script, which
// keeps it in turn until the game's code runs (page.js). The first such
// gesture also opens the sound, which some browsers allow only during one.
(() => {
  const early = [];
  const types = ['pointerdown', 'pointerup', 'click', 'keydown'];
  const held = (e) => {
    early.push(e);
    const onPanel = e.target.closest && e.target.closest('.panel .client');
    if ((e.type === 'pointerdown' && onPanel) || (e.type === 'keydown' && /^(Tab| |Enter)$/.test(e.key))) {
      e.preventDefault();
    }
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Module.audioContext && Context && e.type !== 'pointerup') {
      try {
        Module.audioContext = new Context();
        Module.audioContext.resume();
      } catch (error) {
        Module.audioContext = null;
      }
    }
  };
  for (const type of types) document.addEventListener(type, held, true);
  Module.earlyInput = () => {
    for (const type of types) document.removeEventListener(type, held, true);
    return early.splice(0);
  };
})();
