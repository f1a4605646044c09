// Keeps the game playable with the network gone: every file of the page is
// cached at install, and each fetch goes to the network first, so a new
// build is picked up at once, and to the cache when there is no network.
'use strict';

const CACHE = 'zorvane';
const FILES = ['./', 'index.html', 'page.js', 'zorvane.js', 'zorvane.wasm', 'zorvane.css', 'manifest.webmanifest',
  'icons/zorvane-32.png', 'icons/zorvane-48.png', 'icons/zorvane-64.png', 'icons/zorvane-128.png',
  'icons/zorvane-256.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    try {
      const response = await fetch(request);
      if (response.ok) await cache.put(request, response.clone());
      return response;
    } catch (error) {
      const cached = await cache.match(request, { ignoreSearch: true });
      if (cached) return cached;
      throw error;
    }
  })());
});
