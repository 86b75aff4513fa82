// What the game's WebAssembly holds: its sections, and its code by the library each function
// comes from (the project's own static libraries, found with llvm-nm; the C++ and C runtimes by
// their names), with the largest functions.
//   node bench/web/wasm-breakdown.mjs [WEB_BUILD]      (default build-web, after `make web`)
// Needs the symbol map the web build writes beside the module (module/site/zeltoria.js.symbols).
import { execFileSync } from "node:child_process";
import { existsSync, readFileSync, readdirSync, statSync } from "node:fs";
import { basename, join } from "node:path";
import { gzipSync } from "node:zlib";

const root = new URL("../..", import.meta.url).pathname;
const build = process.argv[2] ?? join(root, "build-web");
const wasm = readFileSync(join(build, "module/site/zeltoria.wasm"));

function leb(bytes, at) {
  let value = 0, shift = 0, byte;
  do {
    byte = bytes[at++];
    value += (byte & 0x7f) * 2 ** shift;
    shift += 7;
  } while (byte & 0x80);
  return [value, at];
}

const sectionNames = ["custom", "type", "import", "function", "table", "memory", "global",
                      "export", "start", "element", "code", "data", "data count", "tag"];
const sections = [];
let importedFunctions = 0;
const bodies = [];  // size of each defined function's body, in index order
for (let at = 8; at < wasm.length;) {
  const id = wasm[at];
  const [size, start] = leb(wasm, at + 1);
  let name = sectionNames[id] ?? `section ${id}`;
  if (id === 0) {
    const [length, text] = leb(wasm, start);
    name = `custom "${wasm.subarray(text, text + length).toString()}"`;
  }
  sections.push({ name, bytes: size + (start - at) });
  if (id === 2) {  // imports: functions take the first indices
    let [count, p] = leb(wasm, start);
    for (let i = 0; i < count; ++i) {
      let length;
      [length, p] = leb(wasm, p); p += length;  // module
      [length, p] = leb(wasm, p); p += length;  // field
      const kind = wasm[p++];
      if (kind === 0) { ++importedFunctions; [, p] = leb(wasm, p); }
      else if (kind === 1) { p += 1; const flags = wasm[p++]; [, p] = leb(wasm, p); if (flags & 1) [, p] = leb(wasm, p); }
      else if (kind === 2) { const flags = wasm[p++]; [, p] = leb(wasm, p); if (flags & 1) [, p] = leb(wasm, p); }
      else if (kind === 3) p += 2;
      else if (kind === 4) { p += 1; [, p] = leb(wasm, p); }
    }
  }
  if (id === 10) {
    let [count, p] = leb(wasm, start);
    for (let i = 0; i < count; ++i) {
      const [length, body] = leb(wasm, p);
      bodies.push(length + (body - p));
      p = body + length;
    }
  }
  at = start + size;
}

// Function index -> name, from the map the link writes: demangled, with characters that are
// not allowed in the map written as \XX in hex.
const names = new Map();
for (const line of readFileSync(join(build, "module/site/zeltoria.js.symbols"), "utf8").split("\n")) {
  const colon = line.indexOf(":");
  if (colon > 0) {
    const name = line.slice(colon + 1).replace(/\\([0-9a-fA-F]{2})/g, (_, hex) => String.fromCharCode(parseInt(hex, 16)));
    names.set(Number(line.slice(0, colon)), name);
  }
}

// Name -> the project library that defines it (llvm-nm reads wasm objects; -C demangles as
// the map does).
const nm = ["llvm-nm", "llvm-nm-14"].find((tool) => {
  try {
    execFileSync(tool, ["--version"], { stdio: "ignore" });
    return true;
  } catch {
    return false;
  }
});
if (!nm) throw new Error("llvm-nm is needed (Debian package llvm)");
const library = new Map();
function archives(dir) {
  return readdirSync(dir).flatMap((entry) => {
    const path = join(dir, entry);
    if (statSync(path).isDirectory()) return ["site", "lab", "module", "CMakeFiles"].includes(entry) ? [] : archives(path);
    return entry.endsWith(".a") ? [path] : [];
  });
}
// The web entry is the executable's own object, in no library.
const entry = join(build, "app/web/CMakeFiles/zeltoria_web.dir/WebMain.cpp.o");
for (const archive of [...archives(build), ...(existsSync(entry) ? [entry] : [])]) {
  const lib = archive === entry ? "web entry" : basename(archive, ".a").replace(/^lib/, "");
  const listing = execFileSync(nm, ["--defined-only", "--no-sort", "-C", archive],
                               { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] });
  for (const line of listing.split("\n")) {
    const match = /^\S*\s+[TtWw]\s+(.+)$/.exec(line.trim());
    if (match) library.set(match[1], lib);
  }
}

const plainNames = bodies.map((_, i) => names.get(importedFunctions + i) ?? `function ${importedFunctions + i}`);

function group(plain) {
  if (library.has(plain)) return `project: ${library.get(plain)}`;
  if (/^(std::|__cxxabiv1::|__cxa_|__gxx_|_Unwind|__cxx_|operator new|operator delete)/.test(plain) ||
      plain.includes("std::__2::"))
    return "C++ runtime (libc++, libc++abi)";
  if (/^(dlmalloc|dlfree|dlrealloc|malloc|free|realloc|calloc|sbrk|emscripten_builtin_|internal_memalign|dispose_chunk|tmalloc|prepend_alloc|init_top|init_bins|sys_alloc|sys_trim|release_unused)/.test(plain))
    return "malloc";
  if (/^(\$?invoke_|dynCall_|stackSave|stackRestore|stackAlloc|emscripten_stack)/.test(plain)) return "Emscripten glue";
  return "C library and Emscripten runtime";
}

const groups = new Map();
const functions = [];
bodies.forEach((bytes, i) => {
  const plain = plainNames[i];
  const g = group(plain);
  const entry = groups.get(g) ?? { count: 0, bytes: 0 };
  entry.count += 1;
  entry.bytes += bytes;
  groups.set(g, entry);
  functions.push({ name: plain, bytes, group: g });
});

const total = wasm.length;
console.log(`zeltoria.wasm: ${total} bytes, ${gzipSync(wasm, { level: 9 }).length} gzipped`);
console.log("\nsection                          bytes   share");
for (const s of sections)
  console.log(`${s.name.padEnd(28)} ${String(s.bytes).padStart(9)} ${(100 * s.bytes / total).toFixed(1).padStart(6)} %`);
const code = bodies.reduce((a, b) => a + b, 0);
console.log(`\ncode by origin (${bodies.length} functions, ${code} bytes)`);
for (const [g, e] of [...groups].sort((a, b) => b[1].bytes - a[1].bytes))
  console.log(`${g.padEnd(40)} ${String(e.count).padStart(5)} fn ${String(e.bytes).padStart(8)} ${(100 * e.bytes / code).toFixed(1).padStart(6)} %`);
console.log("\nlargest functions");
for (const f of functions.sort((a, b) => b.bytes - a.bytes).slice(0, 12))
  console.log(`${String(f.bytes).padStart(7)}  ${f.name.slice(0, 90)}  [${f.group}]`);
