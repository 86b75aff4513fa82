// The service worker: it keeps this build's site for play without the network, in the player's
// language. The build writes the version and the files of its set in; every file but this and
// the page lives in a folder named by the set's hash, so a cached file never meets another
// build's.
"use strict";

const version = "@VERSION@";
const cacheName = "zeltoria-" + version;
const page = new URL("./", self.location).href;
const files = [@FILES@];
// Each language's own files, by its code ("" for English); the page names its language in the
// worker's address (sw.js?lang=de), and the worker keeps that language's files.
const languageFiles = {@LANGUAGE_FILES@
};
const language = new URL(self.location).searchParams.get("lang") ?? "";
const ownFiles = Object.hasOwn(languageFiles, language) ? languageFiles[language] : languageFiles[""];

// The whole set is kept at the first visit; a new build's worker takes over as soon as its set
// is kept, and the old set goes.
self.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(cacheName);
    // The page as the server has it now, not as a cache in between remembers it.
    await cache.add(new Request(page, { cache: "no-cache" }));
    await cache.addAll([...files, ...ownFiles]);
    // Where the browser can, it takes the set's files from the cache itself, without waking this
    // worker for each of them (a kept file is the same for ever; one missing goes to the network).
    if (event.addRoutes && typeof URLPattern === "function") {
      const set = new URLPattern({ pathname: new URL(version + "/*", self.location).pathname });
      await event.addRoutes({ condition: { urlPattern: set }, source: "cache" }).catch(() => {});
    }
    await self.skipWaiting();
  })());
});

self.addEventListener("activate", (event) => {
  event.waitUntil((async () => {
    // The page is asked for while this worker starts, not after.
    await self.registration.navigationPreload?.enable();
    for (const name of await caches.keys())
      if (name.startsWith("zeltoria-") && name !== cacheName) await caches.delete(name);
    await self.clients.claim();
  })());
});

// The page from the network while there is one, so that a new build starts whole at the next
// start; otherwise the kept page, whatever its address's query or fragment (#seed=N). The set's
// files never change under their names: kept ones are served from the cache.
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || !request.url.startsWith(self.registration.scope)) return;
  if (request.mode === "navigate") {
    event.respondWith((async () => {
      try {
        const response = (await event.preloadResponse) ?? (await fetch(request));
        if (response.ok) return response;
        return (await caches.match(page, { cacheName })) ?? response;
      } catch (error) {
        const kept = await caches.match(page, { cacheName });
        if (kept) return kept;
        throw error;
      }
    })());
    return;
  }
  event.respondWith((async () => (await caches.match(request, { cacheName })) ?? fetch(request))());
});
