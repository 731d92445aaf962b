// The browser edition served over HTTP keeps working with the network
// gone, and a new build replaces the old one whole.
//
// Each build writes its version (a hash of the page) into this file, so a
// new build is a new worker: at the next start the browser finds it,
// installs it beside the old one (its own cache, filled completely or not
// at all), and it takes over at once, deleting every older cache. The page
// hears of it (controllerchange) and says so. Until then the old worker
// answers only from its own cache: a page and its manifest always come from
// the same build.
const VERSION = "__VERSION__";
const CACHE = `planetarium-${VERSION}`;
const FILES = ["./planetarium.html", "./manifest.webmanifest", "./icon.svg"];

self.addEventListener("install", (event) => {
  event.waitUntil(
    caches.open(CACHE)
      .then((cache) => cache.addAll(FILES.map((f) => new Request(f, {cache: "reload"}))))
      .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()));
});

// Only the build's own files are answered; anything else the browser asks
// for by itself (a favicon) goes to the network as if there were no worker,
// so a request the cache cannot answer with the server gone is no error of
// the page.
const OWN = new Set(FILES.map((f) => new URL(f, self.registration.scope).pathname));

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET" || !OWN.has(new URL(event.request.url).pathname)) return;
  event.respondWith(
    caches.open(CACHE).then(async (cache) => (await cache.match(event.request, {ignoreSearch: true})) || fetch(event.request)));
});
