// The page's service worker: keeps one build's files, so that once the page has been opened the editor starts
// without a server. packaging/web/write-service-worker writes it into dist/web/ with kBuild filled in: the build's
// key and every file of the page with its digest.
//
// The page asks for the program's files with the build's key as their query (star-editor.js?KEY). Those are
// answered from this worker's cache when the key is its own, and from the network otherwise: a page never runs the
// files of two builds. Every other file (the page itself, the manifest, the icons) comes from the network while
// there is one, and from the cache when there is none.
const kBuild = { key: '', files: [] };  // the build's key and files, written in by write-service-worker
const kScope = new URL(self.registration.scope);
// Caches are shared by the whole origin; another copy of the page under another path keeps its own.
const kCachePrefix = `star-editor ${kScope.pathname} `;
const kCacheName = kCachePrefix + kBuild.key;
const kPaths = new Set(kBuild.files.map((file) => file.path));

const cachedUrl = (path) => new URL(`${path}?${kBuild.key}`, kScope).href;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(kCacheName);
    // Each file must match its digest: should the server already hold another build, nothing is kept, and the
    // next visit tries again.
    await cache.addAll(kBuild.files.map((file) =>
      new Request(cachedUrl(file.path), { cache: 'no-cache', integrity: file.integrity })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(kCachePrefix) && name !== kCacheName) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

async function fromCache(path) {
  return (await caches.open(kCacheName)).match(cachedUrl(path));
}

// The network's answer, or this build's copy when there is no server (a proxy before a stopped server answers 5xx).
async function networkFirst(request, path) {
  try {
    const response = await fetch(request);
    if (response.status < 500) return response;
    return (await fromCache(path)) || response;
  } catch (error) {
    const cached = await fromCache(path);
    if (cached) return cached;
    throw error;
  }
}

self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== kScope.origin || !url.pathname.startsWith(kScope.pathname)) return;
  const path = decodeURIComponent(url.pathname.slice(kScope.pathname.length)) || 'index.html';
  if (request.mode === 'navigate') {
    // Always asked for whole: the page names the build to run, and a server's validators may not tell two builds
    // apart (a file's time in whole seconds).
    if (path === 'index.html') event.respondWith(networkFirst(new Request(request, { cache: 'no-store' }), path));
    return;
  }
  if (!kPaths.has(path)) return;
  if (url.search === `?${kBuild.key}`) {
    event.respondWith(fromCache(path).then((cached) => cached || fetch(request)));
  } else if (url.search === '') {
    event.respondWith(networkFirst(request, path));
  }
});
