// Keeps the game playable with the network gone, and a page all of one
// build. A build's files come whole into a cache of its own, each checked
// to be of the build, before its worker takes over; until then the build
// before stays. The page asks for its scripts, stylesheet and .wasm tagged
// with its build (?build=...), and gets them from that build's cache.
// BUILD and FILES are written in by site.cmake.
'use strict';

const BUILD = '@BUILD@';
// The files beside the page, each with its SHA-256.
const FILES = {
@FILES@};
const CACHE = `zorvane-${BUILD}`;
// Names the build that was current before: a page of it still loading when
// this worker takes over must find its files.
const NOTE = 'zorvane-current';
const scope = new URL(self.registration.scope);

// A host may send index.html on to the folder's own address (301, 308): a
// browser refuses a redirected response for a page load, so the page is
// kept as a response of its own, never as the redirect's.
const unredirected = async (response) => (response.redirected
  ? new Response(await response.blob(), { status: response.status, statusText: response.statusText, headers: response.headers })
  : response);

const hex = (bytes) => [...new Uint8Array(bytes)].map((byte) => byte.toString(16).padStart(2, '0')).join('');

self.addEventListener('install', (event) => {
  // One file that fails to come, or comes other than this build's, fails the
  // install: the worker before keeps the page, and tries again at the next load.
  event.waitUntil((async () => {
    // The page by its stamp, as a host may add to it (a script, a banner);
    // every other file by its hash.
    const ofThisBuild = async (file, response) => (file === 'index.html'
      ? (await response.clone().text()).includes(`?build=${BUILD}"`)
      : hex(await crypto.subtle.digest('SHA-256', await response.clone().arrayBuffer())) === FILES[file]);
    const responses = await Promise.all(['index.html', ...Object.keys(FILES)].map(async (file) => {
      const response = await fetch(new URL(file, scope), { cache: 'no-store' });
      if (!response.ok) throw new Error(`${file}: ${response.status}`);
      if (!(await ofThisBuild(file, response))) throw new Error(`${file} is not this build's`);
      return [file, await unredirected(response)];
    }));
    const cache = await caches.open(CACHE);
    try {
      for (const [file, response] of responses) await cache.put(new URL(file, scope), response);
    } catch (error) {
      await caches.delete(CACHE);
      throw error;
    }
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  // This build's cache and the one current until now stay; older ones go.
  // A second worker of the same build (the old script's address, which the
  // host now answers with the new script, then the new one's) deletes
  // nothing: the build before it may still have a page open.
  event.waitUntil((async () => {
    const note = await caches.open(NOTE);
    const before = await note.match('build');
    const current = before ? await before.text() : BUILD;
    if (current !== BUILD || !before) {
      await note.put('build', new Response(BUILD));
      for (const name of await caches.keys()) {
        if ((name === 'zorvane' || name.startsWith('zorvane-')) && ![CACHE, NOTE, `zorvane-${current}`].includes(name)) await caches.delete(name);
      }
    }
    await self.clients.claim();
  })());
});

// A file tagged with a build comes from that build's cache; any other from
// this worker's build, the page itself at every address of it. Only what
// no cache holds goes to the network, checked with the server there.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) return;
  event.respondWith((async () => {
    const name = `zorvane-${url.searchParams.get('build') ?? BUILD}`;
    const path = url.pathname === scope.pathname ? 'index.html' : url.pathname.slice(scope.pathname.length);
    const cached = name !== NOTE && (await caches.has(name)) && (await (await caches.open(name)).match(new URL(path, scope)));
    if (cached) return unredirected(cached);
    // The page asks for this script past every cache to learn the host's
    // newest build; offline it learns nothing, quietly.
    if (path === 'sw.js') return fetch(request, { cache: 'no-store' }).catch(() => new Response(null, { status: 204 }));
    return fetch(request, { cache: 'no-cache' });
  })());
});
