// Figures of the browser build, each beside its anchor in the same run, in headless Chromium:
//   node bench/web/measure.mjs [RUNS]
// - every file of the site, raw and gzipped (a language's folder as one line), and what one
//   visitor's first visit downloads in each language: the files the service worker keeps for
//   them, and the files the server answered for in Chromium (the page and its worker);
// - the time from navigation to the first painted frame of the game, beside a page that paints
//   an empty canvas of the same size, and beside the floor: a page that loads the game's program
//   and data file and then paints the empty canvas (runs alternate; medians); and on a repeat
//   visit, the site served by its service worker, beside the same empty canvas page;
// - one animation frame of a move: the tick that composes it and puts it on the canvas (in the
//   test build, whose lab holds the module).
// Needs `make web` first (build-web/site and lab) and tests/web/node_modules (make test-web
// installs it).
import { existsSync, readdirSync, readFileSync } from "node:fs";
import { join, relative } from "node:path";
import { gzipSync } from "node:zlib";
import { labSiteDir, launchChromium, serveSite, siteDir, siteFiles, siteVersion } from "../../tests/web/harness.mjs";

const runs = Number(process.argv[2] ?? 15);
const v = siteVersion();

// Each file by its path in the site, raw and gzipped, with the language it belongs to ("" for
// English's data file, undefined for a file every visitor takes).
const languages = readdirSync(join(siteDir, v)).filter((name) => existsSync(join(siteDir, v, name, "zelto.vx8")));
const files = siteFiles().sort().map((file) => {
  const path = relative(siteDir, file);
  const bytes = readFileSync(file);
  const language = path === `${v}/zelto.vx8` ? "" : languages.find((code) => path.startsWith(`${v}/${code}/`));
  return { path, language, raw: bytes.length, gz: gzipSync(bytes, { level: 9 }).length };
});
const sum = (list, field) => list.reduce((total, file) => total + file[field], 0);
const row = (name, list) =>
  console.log(`${name.padEnd(40)} ${String(sum(list, "raw")).padStart(8)} ${String(sum(list, "gz")).padStart(10)}`);
console.log(`${"file".padEnd(40)}      raw    gzip -9`);
for (const file of files.filter((f) => f.language === undefined || f.language === "")) row(file.path, [file]);
for (const code of languages) row(`${v}/${code}/`, files.filter((f) => f.language === code));
row("the whole site", files);
console.log("one visitor's site (what the service worker keeps), gzip -9:");
const visitor = (code) => files.filter((f) => f.language === undefined || f.language === code);
for (const code of ["", ...languages])
  console.log(`  ${(code || "English").padEnd(8)} ${String(sum(visitor(code), "gz")).padStart(8)}`);

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
// The anchor: a page that paints a canvas of the client area's size once, and marks its frame.
const emptyPage = `<!DOCTYPE html><html><body style="margin:0">
<canvas id="c" width="517" height="403"></canvas><script>
const x = document.getElementById("c").getContext("2d");
x.fillStyle = "#123456"; x.fillRect(0, 0, 517, 403);
requestAnimationFrame(() => (window.firstFrame = performance.now()));
</script></body></html>`;
// The floor: a page that loads the game's program and data file as the game's page does (the
// code compiled as it arrives) and then paints the same empty canvas, running nothing.
const floorPage = `<!DOCTYPE html><html><head>
<link rel="preload" href="${v}/zeltoria.js" as="script">
<link rel="preload" href="${v}/zeltoria.wasm" as="fetch" type="application/wasm" crossorigin>
<link rel="preload" href="${v}/zelto.vx8" as="fetch" crossorigin></head><body style="margin:0">
<canvas id="c" width="517" height="403"></canvas><script>
const loaded = Promise.all([
  WebAssembly.compileStreaming(fetch("${v}/zeltoria.wasm")),
  fetch("${v}/zelto.vx8").then((r) => r.arrayBuffer()),
  new Promise((resolve) => (window.scriptLoaded = resolve)),
]);
loaded.then(() => {
  const x = document.getElementById("c").getContext("2d");
  x.fillStyle = "#123456"; x.fillRect(0, 0, 517, 403);
  requestAnimationFrame(() => (window.firstFrame = performance.now()));
});
</script><script src="${v}/zeltoria.js" async onload="scriptLoaded()"></script></body></html>`;
const site = await serveSite({ extra: { "/empty.html": emptyPage, "/floor.html": floorPage } });
const lab = await serveSite({ dir: labSiteDir });
// The game's first frame, as the page marks it.
const gameFrame = () => performance.getEntriesByName("zeltoria-frame")[0]?.startTime;
const browser = await launchChromium();

// A first visit in a browser set to `locale`, until the service worker has kept the site: the
// files the server answered for, each counted once (a host whose files may be cached answers
// the worker's requests from the browser's cache).
console.log("a first visit in Chromium, by the browser's language: the files asked for, gzip -9:");
for (const locale of ["en-US", "fr-FR", "ja-JP"]) {
  const asked = new Set();
  const listen = (request) => asked.add(new URL(request.url, site.url).pathname.slice(1) || "index.html");
  site.server.on("request", listen);
  const context = await browser.newContext({ locale });
  const page = await context.newPage();
  await page.goto(site.url + "/");
  await page.waitForFunction(() => document.body.dataset.zeltoria);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.close();
  site.server.off("request", listen);
  const fetched = files.filter((f) => asked.has(f.path));
  const data = fetched.filter((f) => f.path.endsWith("zelto.vx8")).map((f) => f.path.slice(v.length + 1));
  console.log(`  ${locale.padEnd(8)} ${String(sum(fetched, "gz")).padStart(8)} in ${fetched.length} files (${data.join(", ")})`);
}

// The time of the first frame since navigation; with `steps`, when each file arrived and each
// of the page's marks was reached, on the same clock.
async function firstFrame(load, read, steps, before) {
  const context = await browser.newContext({ viewport: { width: 1100, height: 900 } });
  if (before) await before(context);
  const page = await context.newPage();
  await load(page);
  await page.waitForFunction(read);
  const ms = await page.evaluate(read);
  if (steps) {
    const times = await page.evaluate(() => [
      ["page", performance.getEntriesByType("navigation")[0].responseEnd],
      ...performance.getEntriesByType("resource").map((e) => [e.name.split("/").pop(), e.responseEnd]),
      ...performance.getEntriesByType("mark").map((m) => [m.name, m.startTime]),
    ]);
    for (const [name, t] of times) (steps[name] ??= []).push(t);
  }
  await context.close();
  return ms;
}

// A first visit, in the same context, until the service worker has kept the site.
async function visitOnce(context) {
  const page = await context.newPage();
  await page.goto(site.url + "/");
  await page.waitForFunction(() => document.body.dataset.zeltoria);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.close();
}

const game = [], repeat = [], empty = [], floor = [], steps = {};
for (let i = 0; i < runs; ++i) {
  game.push(await firstFrame((p) => p.goto(site.url + "/"), gameFrame, steps));
  repeat.push(await firstFrame((p) => p.goto(site.url + "/"), gameFrame, null, visitOnce));
  empty.push(await firstFrame((p) => p.goto(site.url + "/empty.html"), () => window.firstFrame));
  floor.push(await firstFrame((p) => p.goto(site.url + "/floor.html"), () => window.firstFrame));
}
console.log(`first painted frame: game median ${median(game).toFixed(1)} ms, empty canvas median ` +
            `${median(empty).toFixed(1)} ms, ratio ${(median(game) / median(empty)).toFixed(2)} (${runs} runs each)`);
console.log(`repeat visit, served by the service worker: median ${median(repeat).toFixed(1)} ms, ` +
            `ratio ${(median(repeat) / median(empty)).toFixed(2)} to the empty canvas`);
console.log(`the floor, the program and data file loaded and an empty canvas painted: median ` +
            `${median(floor).toFixed(1)} ms, ${(median(floor) / median(empty)).toFixed(2)} x the empty canvas; ` +
            `the game ${(median(game) / median(floor)).toFixed(2)} x the floor`);
console.log("the game's start, medians since navigation (files: when they arrived):");
for (const [name, times] of Object.entries(steps).sort((a, b) => median(a[1]) - median(b[1])))
  console.log(`  ${name.padEnd(20)} ${median(times).toFixed(1).padStart(7)} ms`);
console.log(`  ${"first frame".padEnd(20)} ${median(game).toFixed(1).padStart(7)} ms`);

// One frame of a move: the tick that composes it and puts it on the canvas.
const context = await browser.newContext({ viewport: { width: 1100, height: 900 } });
const page = await context.newPage();
await page.goto(lab.url + "/#seed=7");
await page.waitForFunction(() => document.body.dataset.zeltoria);
const frames = await page.evaluate(() => {
  const m = window.zeltoriaLab.module;
  document.getElementById("about").close();
  m._zeltoria_mouse_down(0, 377, 343);
  m._zeltoria_mouse_up(0, 377, 343);
  for (let i = 0; i < 100; ++i) m._zeltoria_tick();  // the whole shuffle, by hand
  const times = [];
  for (let move = 0; move < 200; ++move) {
    m._zeltoria_key_down(65, 97, 0);  // "A": a frame at each of the next three ticks
    for (let step = 1; step <= 3; ++step) {
      const t0 = performance.now();
      m._zeltoria_tick();
      times.push(performance.now() - t0);
    }
    m._zeltoria_key_up(0);
    m._zeltoria_tick();
  }
  return times;
});
console.log(`one animation frame of a move: median ${median(frames).toFixed(3)} ms (${frames.length} frames)`);
await browser.close();
site.server.close();
lab.server.close();
