// The browser edition served over HTTP (make web-serve) keeps working with
// the network gone: the page and its manifest are kept at the first visit
// and answered from the cache afterwards; the network is asked in the
// background so a newer build replaces them at the next visit.
const CACHE = "planetarium-v1";
const FILES = ["./planetarium.html", "./manifest.webmanifest", "./icon.svg"];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(
    caches.open(CACHE).then(async (cache) => {
      const kept = await cache.match(event.request, {ignoreSearch: true});
      const fresh = fetch(event.request)
        .then((response) => {
          if (response.ok) cache.put(event.request, response.clone());
          return response;
        })
        .catch(() => undefined);
      return kept || (await fresh) || Response.error();
    }));
});
