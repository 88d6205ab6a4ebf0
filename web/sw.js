// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the page for play without the network. Its cache is named by the
// page's hash, so a new release gets a cache of its own and the old one is
// dropped; by the scope too, as the same site may serve other copies of
// the page from other folders.
const version = '@VERSION@';
const cacheName = `tembrela ${version} ${self.registration.scope}`;
const files = ['index.html', 'manifest.webmanifest', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', event => {
    event.waitUntil(caches.open(cacheName)
        .then(cache => cache.addAll(files.map(file => new Request(file, { cache: 'reload' }))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
    const ours = name => name.startsWith('tembrela ') && name.endsWith(` ${self.registration.scope}`);
    event.waitUntil(caches.keys()
        .then(names => Promise.all(names.filter(name => ours(name) && name !== cacheName)
            .map(name => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// The page from the site while it answers, so a new release shows at the
// next visit with the network; from the cache without it. The rest never
// changes within a release.
self.addEventListener('fetch', event => {
    const request = event.request;
    if (request.method !== 'GET')
        return;
    if (request.mode === 'navigate') {
        event.respondWith(fetch(request.url, { cache: 'no-cache' })
            .catch(() => caches.open(cacheName).then(cache => cache.match('index.html'))));
        return;
    }
    event.respondWith(caches.match(request, { cacheName })
        .then(cached => cached ?? fetch(request)));
});
