// Where a panel lies on the page. Run before the first paint, for the first
// screen written into the page, and by the page script for every panel after.
'use strict';

var Module = typeof Module !== 'undefined' ? Module : {};

// Each panel is scaled, up or down, to fill the window with its shape kept,
// and centred: the pictures are SVG and the texts are text, so it stays
// crisp on a tablet as on a phone. A page marked data-scale="desktop" (the
// screen comparison's) shows panels at the desktop's size instead, centred
// or where a desktop puts a new window, scaled down only where they would
// not fit. The panel's size is known from its client area and the frame
// (tobble.css), so placing it asks the browser for no layout. Returns the
// scale, which the frame's close button reads to keep its target large
// enough to touch (tobble.css).
Module.place = (root, width, height, centred) => {
  const MARGIN = 8; // kept free around a panel scaled to the window
  const [w, h] = Module.place.outside(width, height);
  const desktop = document.body && document.body.dataset.scale === 'desktop';
  const fits = Math.min((window.innerWidth - 2 * MARGIN) / w, (window.innerHeight - 2 * MARGIN) / h);
  const scale = fits > 0 ? (desktop ? Math.min(1, fits) : fits) : 1;
  let left = 2 * MARGIN;
  let top = 2 * MARGIN;
  if (centred || scale !== 1 || !desktop) {
    left = (window.innerWidth - w * scale) / 2;
    top = (window.innerHeight - h * scale) / 2;
  }
  root.style.left = Math.max(0, Math.round(left)) + 'px';
  root.style.top = Math.max(0, Math.round(top)) + 'px';
  root.style.transform = scale !== 1 ? `scale(${scale})` : '';
  root.style.setProperty('--scale', String(scale));
  return scale;
};

// A panel's size with its frame and title bar, from its client area's.
Module.place.outside = (width, height) => {
  const FRAME = 3;
  const TITLE = 23;
  return [width + 2 * FRAME, height + TITLE + 2 * FRAME];
};

// A panel's client area, size and centring, read back from the page: for the
// first screen, which the site's build wrote into it.
Module.place.drawn = (root) => {
  const client = root.querySelector('.client');
  return {
    client, width: parseFloat(client.style.width), height: parseFloat(client.style.height),
    centred: root.classList.contains('centred'),
  };
};

// A file's name on the host: the site's build puts each file's hash in its
// name, and the hashes by name at the end of the page (finish_site.py); a
// page without them asks for the names as they are.
Module.file = (name) => {
  if (!Module.files) {
    const list = document.getElementById('files');
    Module.files = list ? JSON.parse(list.textContent) : {};
  }
  const hash = Module.files[name];
  return hash ? name.replace(/(\.[^./]+)$/, `.${hash}$1`) : name;
};
