// Keeps the whole game for the next visit, with or without a network
// (sw.js). Once the game runs, so that the download of everything does not
// hold up the code on a slow network.
'use strict';

var Module = typeof Module !== 'undefined' ? Module : {};

Module.onPlaying = () => {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  const format = Module.audio ? Module.audio.format : 'none';
  navigator.serviceWorker.register('sw.js?audio=' + format).then((registration) => {
    // Kept from an earlier visit: look for a new build now, not some time later.
    // Offline the look fails, and the kept build plays on.
    if (registration.active) registration.update().catch(() => {});
  }).catch(() => {});
};
