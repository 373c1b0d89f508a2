// Keeps the page's files once it has been opened over HTTP(S), so that it works offline
// and can be installed to a home screen. Every request of the page is answered from this
// cache first; a new version of the page comes with a new cache name.
'use strict';
const CACHE = 'tage-@PROJECT_VERSION@';
const FILES = ['./', '@WEB_FILES@'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys().then((names) =>
      Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name)))),
  );
});

self.addEventListener('fetch', (event) => {
  event.respondWith(caches.match(event.request).then((cached) => cached || fetch(event.request)));
});
