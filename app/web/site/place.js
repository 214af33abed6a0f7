// Where a panel lies on the page. Run before the first paint, for the first
// screen written into the page, and by the page script for every panel after.
'use strict';

var Module = typeof Module !== 'undefined' ? Module : {};

// Centred, or where a desktop puts a new window that asks for no place; a
// panel larger than the window is scaled down whole, keeping its shape, so a
// tablet or a phone held sideways shows all of it. The panel's size is known
// from its client area and the frame (tobble.css), so placing it asks the
// browser for no layout. Returns the scale.
Module.place = (root, width, height, centred) => {
  const MARGIN = 8; // kept free around a panel that had to be scaled down
  const [w, h] = Module.place.outside(width, height);
  const fits = Math.min(1, (window.innerWidth - 2 * MARGIN) / w, (window.innerHeight - 2 * MARGIN) / h);
  const scale = fits > 0 ? fits : 1;
  let left = 2 * MARGIN;
  let top = 2 * MARGIN;
  if (centred || scale < 1) {
    left = (window.innerWidth - w * scale) / 2;
    top = (window.innerHeight - h * scale) / 2;
  }
  root.style.left = Math.max(0, Math.round(left)) + 'px';
  root.style.top = Math.max(0, Math.round(top)) + 'px';
  root.style.transform = scale < 1 ? `scale(${scale})` : '';
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
