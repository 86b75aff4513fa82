// What the browser tests stand on: the site, or the test build's site with the lab, served on
// 127.0.0.1 (with a damaged and a missing data file under their own paths), Debian's Chromium,
// and the native zeltoria-lab.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, readdirSync, rmSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import { chromium } from "playwright-core";
import { decodePng } from "./png.mjs";

const root = new URL("../..", import.meta.url).pathname;
export const siteDir = process.env.ZELTORIA_SITE ?? join(root, "build-web/site");
export const labSiteDir = process.env.ZELTORIA_LAB_SITE ?? join(root, "build-web/lab");
export const labPath = process.env.ZELTORIA_LAB ?? join(root, "build/zeltoria-lab");
export const chromiumPath = process.env.ZELTORIA_CHROMIUM ?? "/usr/bin/chromium";
export const chromiumArgs = ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                             "--disable-background-networking", "--disable-component-update", "--disable-sync"];

// The strictest policy the site must work under, sent with every answer.
export const contentPolicy = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; " +
  "img-src 'self' data:; object-src 'none'; base-uri 'none'";

const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
                ".png": "image/png", ".vx8": "application/octet-stream",
                ".css": "text/css", ".webmanifest": "application/manifest+json" };

// The folder of a site's set of files, named by their hash.
export function siteVersion(dir = siteDir) {
  return readFileSync(join(dir, "index.html"), "utf8").match(/src="([0-9a-f]{16})\/page\.js"/)[1];
}

// Every file of the site, with its path.
export function siteFiles(dir = siteDir) {
  return readdirSync(dir, { withFileTypes: true }).flatMap((entry) =>
    entry.isDirectory() ? siteFiles(join(dir, entry.name)) : [join(dir, entry.name)]);
}

// "/" serves the folder `dir` (the shipped site unless told); "/damaged/" the same with a data
// file whose head is spoiled; "/missing/" the same without a data file; "/deep/in/a/folder/"
// the same, from a folder of the host. `extra` adds pages of
// its own by path (without the content policy that comes with the site's files). The answer's `dir` may be changed to serve another build from then on.
export function serveSite({ extra = {}, dir = siteDir } = {}) {
  const served = { dir };
  const server = createServer((request, response) => {
    const siteDir = served.dir;
    let path = decodeURIComponent(new URL(request.url, "http://x").pathname);
    if (path in extra) return response.writeHead(200, { "Content-Type": "text/html" }).end(extra[path]);
    response.setHeader("Content-Security-Policy", contentPolicy);
    let variant = "";
    for (const v of ["/damaged", "/missing", "/deep/in/a/folder"]) {
      if (path.startsWith(v + "/")) {
        variant = v;
        path = path.slice(v.length);
      }
    }
    if (path.endsWith("/")) path += "index.html";
    const file = normalize(join(siteDir, path));
    if (!file.startsWith(join(siteDir, "/"))) return response.writeHead(403).end();
    let body;
    try {
      body = readFileSync(file);
    } catch {
      return response.writeHead(404).end();
    }
    const data = path.endsWith("/zelto.vx8");
    if (data && variant === "/missing") return response.writeHead(404).end();
    if (data && variant === "/damaged") body = Buffer.concat([Buffer.from("VX7"), body.subarray(3)]);
    response.writeHead(200, { "Content-Type": types[extname(file)] ?? "application/octet-stream" });
    response.end(body);
  });
  // The host gone: no answer at all from now on.
  served.stop = () => {
    server.close();
    server.closeAllConnections();
  };
  return new Promise((resolve) =>
    server.listen(0, "127.0.0.1", () =>
      resolve(Object.assign(served, { server, url: `http://127.0.0.1:${server.address().port}` }))));
}

export function launchChromium() {
  return chromium.launch({
    executablePath: chromiumPath,
    args: chromiumArgs,
  });
}

// What `zeltoria-lab shot` prints and draws for the actions.
export function nativeShot(actions) {
  const folder = mkdtempSync(join(tmpdir(), "zeltoria-web-"));
  try {
    const png = join(folder, "shot.png");
    const text = execFileSync(labPath, ["shot", png, ...actions], { encoding: "utf8" });
    return { text, ...decodePng(readFileSync(png)) };
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// A fingerprint of RGBA bytes (FNV-1a), and of the canvas's, to see whether something changed.
export function fingerprint(data) {
  let hash = 2166136261;
  for (let i = 0; i < data.length; ++i) hash = Math.imul(hash ^ data[i], 16777619);
  return hash >>> 0;
}
export const canvasPixels = async (page) =>
  fingerprint(Buffer.from(await page.evaluate(() => {
    const canvas = document.getElementById("game");
    const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let binary = "";
    for (let i = 0; i < data.length; i += 0x8000) binary += String.fromCharCode(...data.subarray(i, i + 0x8000));
    return btoa(binary);
  }), "base64"));

// A point of the client area on the page.
export async function onCanvas(page, x, y) {
  const box = await page.locator("#game").boundingBox();
  return { x: box.x + ((x + 0.5) * box.width) / 517, y: box.y + ((y + 0.5) * box.height) / 403 };
}

// What `zeltoria-lab tree` prints for the actions.
export function nativeTree(actions) {
  return execFileSync(labPath, ["tree", ...actions], { encoding: "utf8" });
}
