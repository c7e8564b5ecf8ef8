// Keeps the game's own files on the device so the game starts with no
// network: stored at the first visit, served from the store after. Each build
// has its own store; a new build fills its own, then drops the old ones.
// Nothing about the child is kept here.
const VERSION = 'unbuilt';
const FILES = [];
const STORE = `buddycare-${VERSION}`;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const store = await caches.open(STORE);
    // Past the browser's own cache: the store must hold this build's files.
    await store.addAll(FILES.map((file) => new Request(file, { cache: 'reload' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    const old = (await caches.keys()).filter((name) => name.startsWith('buddycare-') && name !== STORE);
    await Promise.all(old.map((name) => caches.delete(name)));
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const store = await caches.open(STORE);
    // The page is one file whatever its query (a test's seed, say).
    const kept = await store.match(request, { ignoreSearch: request.mode === 'navigate' });
    return kept || fetch(request);
  })());
});
