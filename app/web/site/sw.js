// The service worker: the whole site, voice and sounds included, is kept at
// the first visit, so that the next one starts and plays with no network.
// The site's build fills in BUILD and FILES (app/web/finish_site.py).
//
// Every file but the page, this worker, the manifest and the icons carries
// its content's hash in its name, so a page of one build can never be given
// another build's file. The page itself is asked of the network first, so a
// new build is played at the next visit; the cache answers when the network
// does not, or not soon enough. A new build's worker waits until no page of
// the old one is open, then deletes the old build's cache.
'use strict';

const BUILD = '@BUILD@';
const FILES = ['@FILES@'];
const CACHE = 'tobble-' + BUILD;
// The voice and sounds only in the format this browser plays (offline.js
// says which in the worker's address): half the download.
const AUDIO = new URL(self.location.href).searchParams.get('audio') || 'mp3';
const KEPT = FILES.filter((name) => !name.startsWith('audio/') || name.endsWith('.' + AUDIO));
const HASHED = /\.[0-9a-f]{10}\.[a-z0-9]+$/;
const PATIENCE_MS = 4000; // school Wi-Fi that answers later than this is as good as none

self.addEventListener('install', (event) => {
  // A hashed name may come from the browser's own cache (the page has just
  // fetched most of them); the rest straight from the host, as the browser
  // may still hold the build before's.
  event.waitUntil(caches.open(CACHE).then((cache) =>
    cache.addAll(KEPT.map((name) => new Request(name, { cache: HASHED.test(name) ? 'default' : 'no-cache' })))));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((keys) =>
    Promise.all(keys.filter((key) => key.startsWith('tobble-') && key !== CACHE).map((key) => caches.delete(key)))));
});

function fromNetwork(request) {
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('the network is too slow')), PATIENCE_MS);
    fetch(request).then((response) => {
      clearTimeout(timer);
      if (response.ok) resolve(response); else reject(new Error(String(response.status)));
    }, (error) => {
      clearTimeout(timer);
      reject(error);
    });
  });
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  if (request.mode === 'navigate') {
    event.respondWith(fromNetwork(request).catch(async () => {
      const page = await caches.match(new URL('./', self.location.href).href, { cacheName: CACHE });
      return page || Response.error();
    }));
    return;
  }
  // This build's own files; a page of a newer build, still under this
  // worker, asks for names this cache has not, and gets them from the host.
  event.respondWith(caches.match(request, { cacheName: CACHE, ignoreSearch: true })
    .then((found) => found || fetch(request)));
});
