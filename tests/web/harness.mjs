// What the browser tests stand on: the site served on 127.0.0.1 (with a damaged and a missing
// data file under their own paths), Debian's Chromium, and the native zeltoria-lab.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, readdirSync, rmSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import { chromium } from "playwright-core";
import { decodePng } from "./png.mjs";

const root = new URL("../..", import.meta.url).pathname;
export const siteDir = process.env.ZELTORIA_SITE ?? join(root, "build-web/site");
export const labPath = process.env.ZELTORIA_LAB ?? join(root, "build/zeltoria-lab");
const chromiumPath = process.env.ZELTORIA_CHROMIUM ?? "/usr/bin/chromium";

const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm",
                ".png": "image/png", ".vx8": "application/octet-stream" };

// Every file of the site, with its path.
export function siteFiles(dir = siteDir) {
  return readdirSync(dir, { withFileTypes: true }).flatMap((entry) =>
    entry.isDirectory() ? siteFiles(join(dir, entry.name)) : [join(dir, entry.name)]);
}

// "/" serves the site; "/damaged/" the same with a data file whose head is spoiled;
// "/missing/" the same without a data file. `extra` adds pages of its own by path.
export function serveSite(extra = {}) {
  const server = createServer((request, response) => {
    let path = decodeURIComponent(new URL(request.url, "http://x").pathname);
    if (path in extra) return response.writeHead(200, { "Content-Type": "text/html" }).end(extra[path]);
    let variant = "";
    for (const v of ["/damaged", "/missing"]) {
      if (path.startsWith(v + "/")) {
        variant = v;
        path = path.slice(v.length);
      }
    }
    if (path.endsWith("/")) path += "index.html";
    const file = normalize(join(siteDir, path));
    if (!file.startsWith(siteDir)) return response.writeHead(403).end();
    let body;
    try {
      body = readFileSync(file);
    } catch {
      return response.writeHead(404).end();
    }
    if (path === "/zelto.vx8" && variant === "/missing") return response.writeHead(404).end();
    if (path === "/zelto.vx8" && variant === "/damaged") body = Buffer.concat([Buffer.from("VX7"), body.subarray(3)]);
    response.writeHead(200, { "Content-Type": types[extname(file)] ?? "application/octet-stream" });
    response.end(body);
  });
  return new Promise((resolve) =>
    server.listen(0, "127.0.0.1", () => resolve({ server, url: `http://127.0.0.1:${server.address().port}` })));
}

export function launchChromium() {
  return chromium.launch({
    executablePath: chromiumPath,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
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

// What `zeltoria-lab tree` prints for the actions.
export function nativeTree(actions) {
  return execFileSync(labPath, ["tree", ...actions], { encoding: "utf8" });
}
