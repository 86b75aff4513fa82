// The site as an app, in headless Chromium: installable from any folder of a host, playing
// after one visit with the host gone, and taking a new build whole at the next start.
import assert from "node:assert/strict";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";
import { chromium } from "playwright-core";
import { canvasPixels, chromiumArgs, chromiumPath, fingerprint, labSiteDir, launchChromium, nativeShot, onCanvas,
         serveSite, siteDir, siteVersion } from "./harness.mjs";

let browser;
before(async () => (browser = await launchChromium()));
after(async () => await browser?.close());

const started = (page) => page.waitForFunction(() => document.body.dataset.zeltoria === "running");

// The page with its service worker in charge of the next start.
async function visit(context, url) {
  const page = await context.newPage();
  await page.goto(url);
  await started(page);
  await page.evaluate(() => navigator.serviceWorker.ready);
  return page;
}

test("the manifest makes the site installable from any folder", async () => {
  const host = await serveSite();
  // A profile of its own: Chromium installs nothing from a private window.
  const profile = mkdtempSync(join(tmpdir(), "zeltoria-profile-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath, args: chromiumArgs });
  const page = await visit(context, host.url + "/deep/in/a/folder/");
  const cdp = await context.newCDPSession(page);
  const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
  assert.deepEqual(installabilityErrors, []);

  const manifest = await page.evaluate(async () => {
    const link = document.querySelector("link[rel=manifest]").href;
    const m = await (await fetch(link)).json();
    const resolve = (url) => new URL(url, link).href;
    return { ...m, start_url: resolve(m.start_url), scope: resolve(m.scope),
             icons: m.icons.map((icon) => ({ ...icon, src: resolve(icon.src) })) };
  });
  assert.equal(manifest.start_url, host.url + "/deep/in/a/folder/");
  assert.equal(manifest.scope, manifest.start_url);
  assert.equal(manifest.display, "standalone");
  assert.match(manifest.theme_color, /^#[0-9a-f]{6}$/);
  const purposes = [];
  for (const icon of manifest.icons) {
    // The size from the PNG's header.
    const png = readFileSync(join(siteDir, new URL(icon.src).pathname.replace("/deep/in/a/folder/", "")));
    assert.equal(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, icon.sizes);
    purposes.push(`${icon.sizes} ${icon.purpose}`);
  }
  assert.deepEqual(purposes.sort(), ["192x192 any", "192x192 maskable", "512x512 any"]);
  await context.close();
  rmSync(profile, { recursive: true, force: true });
  host.stop();
});

test("after one visit the game starts and plays with the host gone, #seed=N links too", async () => {
  const host = await serveSite();
  const context = await browser.newContext();
  await visit(context, host.url + "/");
  host.stop();
  await context.setOffline(true);
  const page = await context.newPage();
  const problems = [];
  page.on("pageerror", (error) => problems.push(error.message));
  await page.goto(host.url + "/#seed=7");
  await started(page);
  await page.locator("#about-ok").click();
  // The puzzle of seed 7, as zeltoria-lab shot deals it.
  assert.equal(await canvasPixels(page), fingerprint(nativeShot(["seed=7"]).rgba));
  const start = await onCanvas(page, 377, 343);
  await page.mouse.click(start.x, start.y);
  await page.waitForTimeout(1500);  // the shuffle
  const shuffled = await canvasPixels(page);
  await page.keyboard.press("a");
  await page.waitForTimeout(300);
  assert.notEqual(await canvasPixels(page), shuffled);
  assert.deepEqual(problems, []);
  await context.close();
});

test("a new build is taken whole at the next start", async () => {
  const host = await serveSite();
  const context = await browser.newContext();
  const page = await visit(context, host.url + "/");
  const [old, now] = [siteVersion(siteDir), siteVersion(labSiteDir)];
  assert.notEqual(old, now);
  host.dir = labSiteDir;  // the test build: another program and code, the same data file
  const asked = [];
  page.on("request", (request) => asked.push(new URL(request.url()).pathname));
  await page.reload();
  await started(page);
  assert.equal(await page.evaluate(() => "zeltoriaLab" in window), true);
  const used = await page.evaluate(() =>
    performance.getEntriesByType("resource").map((entry) => new URL(entry.name).pathname));
  for (const file of ["page.js", "site.css", "zeltoria.js", "zeltoria.wasm", "zelto.vx8"])
    assert.ok(used.includes(`/${now}/${file}`), `${file} of the new build is used`);
  assert.deepEqual([...used, ...asked].filter((path) => path.startsWith(`/${old}/`)), []);
  await context.close();
  host.stop();
});
