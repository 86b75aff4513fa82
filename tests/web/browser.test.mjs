// The browser build against the desktop's: the test build's lab plays the actions of
// zeltoria-lab shot and must print and show exactly what the native tool does; then the page as
// a visitor meets it, in headless Chromium, read through the lab; and what ships has no lab.
import assert from "node:assert/strict";
import { existsSync, readdirSync, readFileSync } from "node:fs";
import { join, relative } from "node:path";
import { after, before, describe, test } from "node:test";
import { gzipSync } from "node:zlib";
import { canvasPixels, fingerprint, labSiteDir, launchChromium, nativeShot, nativeTree, onCanvas, serveSite, siteDir,
         siteFiles, siteVersion } from "./harness.mjs";

let site, lab, browser;

before(async () => {
  site = await serveSite();
  lab = await serveSite({ dir: labSiteDir });
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  site?.server.close();
  lab?.server.close();
});

// The page at `path` of the test build (or of `from`), once the game has started or failed;
// `problems` collects errors, failed requests and what the content policy refused.
async function openPage(path = "/", options = {}, from = lab) {
  const context = await browser.newContext({ viewport: { width: 1100, height: 900 }, ...options });
  await context.addInitScript(() =>
    document.addEventListener("securitypolicyviolation", (event) =>
      console.error(`content policy refused ${event.violatedDirective}: ${event.blockedURI}`)));
  const page = await context.newPage();
  const problems = [];
  page.on("console", (message) => {
    if (message.text().startsWith("content policy refused")) problems.push(message.text());
  });
  page.on("pageerror", (error) => problems.push(error.message));
  page.on("requestfailed", (request) => problems.push("request failed: " + request.url()));
  await page.goto(from.url + path);
  await page.waitForFunction(() => document.body.dataset.zeltoria);
  return { page, context, problems };
}

describe("the page's lab shows what zeltoria-lab shot shows", () => {
  let page;
  before(async () => ({ page } = await openPage("/")));

  const start = ["seed=7", "click=377,343"];
  const cases = {
    idle: ["seed=7"],
    "start and the whole shuffle": [...start, "run"],
    "a shuffle under way": [...start, "tick=3"],
    "a key move, frame 1": [...start, "run", "key=A", "tick"],
    "a key move, frame 2": [...start, "run", "key=A", "tick=2"],
    "a key move, frame 3": [...start, "run", "key=A", "tick=3"],
    "a key move at rest": [...start, "run", "key=A", "keyup", "tick=4"],
    "an arrow held": [...start, "run", "press=143,118", "tick=7"],
    "a win": ["seed=32", "click=377,343", "run", "key=2", "keyup", "run", "key=B", "keyup",
              "run", "key=C", "keyup", "run", "key=1", "keyup", "run"],
    exit: [...start, "run", "click=377,373"],
    "a size button": ["seed=7", "click=219,343", "click=219,373"],
    "a resize": ["seed=7", "resize=640,480", "click=438,381", "run"],
  };
  for (const [name, actions] of Object.entries(cases)) {
    test(name, async () => {
      const expected = nativeShot(actions);
      const shot = await page.evaluate((a) => {
        const s = window.zeltoriaLab.shot(a);
        // The bytes travel as base64: far quicker than a list of numbers.
        let binary = "";
        for (let i = 0; i < s.rgba.length; i += 0x8000)
          binary += String.fromCharCode(...s.rgba.subarray(i, i + 0x8000));
        return { text: s.text, width: s.width, height: s.height, rgba: btoa(binary) };
      }, actions);
      assert.equal(shot.text, expected.text);
      assert.equal(shot.width, expected.width);
      assert.equal(shot.height, expected.height);
      const rgba = Buffer.from(shot.rgba, "base64");
      const differing = rgba.findIndex((v, i) => v !== expected.rgba[i]);
      assert.equal(rgba.length, expected.rgba.length);
      assert.equal(differing, -1, `first differing byte ${differing} of ${rgba.length}`);
    });
  }

  test("a win is a win", () => {
    assert.match(nativeShot(cases["a win"]).text, /solved=1\n$/);
  });

  test("actions that do not parse are an error", async () => {
    const message = await page.evaluate(() => {
      try {
        window.zeltoriaLab.shot(["tick", "seed=3"]);
        return "";
      } catch (error) {
        return error.message;
      }
    });
    assert.match(message, /seed=N must come first/);
  });

  test("a window too big for the memory is an error, and the lab goes on", async () => {
    const message = await page.evaluate(() => {
      try {
        window.zeltoriaLab.shot(["seed=7", "resize=65536,65536"]);
        return "";
      } catch (error) {
        return error.message;
      }
    });
    assert.match(message, /65536 x 65536 is too large/);
    const again = await page.evaluate(() => window.zeltoriaLab.shot(["seed=7"]).text);
    assert.equal(again, nativeShot(["seed=7"]).text);
  });
});

// The shortest list of moves from the player's board to the back board, from a state as shot
// prints it; each move with its key, its axis and its index.
function solve(state) {
  const [board, target] = state.split("\n\n").map((part) =>
    part.split("\n").filter((line) => /^[0-9a-f]{2}( |$)/.test(line)).map((line) => line.split(" ")));
  const rows = board.length, cols = board[0].length;
  const moves = [];
  for (let i = 1; i <= 2 * cols; ++i) moves.push({ key: "ABCDEFGHIJK"[i - 1], column: true, index: i });
  for (let i = 1; i <= 2 * rows; ++i) moves.push({ key: "1234567890"[i - 1], column: false, index: i });
  const apply = (cells, move) => {
    const next = cells.map((row) => [...row]);
    const lines = move.column ? cols : rows;
    const line = (move.index - 1) % lines;
    const forward = move.index <= lines;  // up or left
    if (move.column) {
      const values = next.map((row) => row[line]);
      const turned = forward ? [...values.slice(1), values[0]] : [values.at(-1), ...values.slice(0, -1)];
      turned.forEach((v, r) => (next[r][line] = v));
    } else {
      const values = next[line];
      next[line] = forward ? [...values.slice(1), values[0]] : [values.at(-1), ...values.slice(0, -1)];
    }
    return next;
  };
  const key = (cells) => cells.map((row) => row.join(" ")).join("/");
  const goal = key(target);
  const cameFrom = new Map([[key(board), null]]);
  const queue = [board];
  while (queue.length && !cameFrom.has(goal)) {
    const cells = queue.shift();
    for (const move of moves) {
      const next = apply(cells, move);
      const k = key(next);
      if (!cameFrom.has(k)) {
        cameFrom.set(k, { from: key(cells), move });
        queue.push(next);
      }
    }
  }
  const path = [];
  for (let k = goal; cameFrom.get(k); k = cameFrom.get(k).from) path.unshift(cameFrom.get(k).move);
  return path;
}

// The canvas and the open about box (its OK button too) lie inside the viewport, nothing
// scrolls, and the canvas is scaled by whole device pixels where one device pixel per pixel
// fits, else as large as fits.
async function assertFits(page, width, height, ratio) {
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  const inside = (box, what) => {
    assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= width + 0.01 &&
              box.y + box.height <= height + 0.01, `${what} at ${JSON.stringify(box)}`);
  };
  const canvas = await page.locator("#game").boundingBox();
  inside(canvas, "the canvas");
  const room = Math.min(width / 517, height / 403);
  const devicePixels = Math.floor(room * ratio);
  if (devicePixels >= 1) {
    // Layout rounds to 1/64 of a CSS pixel.
    assert.ok(Math.abs(canvas.width * ratio - 517 * devicePixels) < 0.5, `${canvas.width} wide`);
    assert.ok(Math.abs(canvas.height * ratio - 403 * devicePixels) < 0.5, `${canvas.height} high`);
  } else {
    assert.ok(Math.abs(Math.max(canvas.width / width, canvas.height / height) - 1) < 0.01);
  }
  if (await page.locator("#about").evaluate((d) => d.open)) {
    inside(await page.locator("#about").boundingBox(), "the about box");
    inside(await page.locator("#about-ok").boundingBox(), "its OK button");
  }
  const scrolled = await page.evaluate(() => {
    window.scrollTo(50, 50);
    const root = document.scrollingElement;
    return [window.scrollX, window.scrollY, root.scrollWidth - root.clientWidth, root.scrollHeight - root.clientHeight];
  });
  assert.deepEqual(scrolled, [0, 0, 0, 0]);
}

describe("the page as a visitor meets it", () => {
  test("the about box shows first, then Start, a key and the title work", async () => {
    const { page, context, problems } = await openPage("/#seed=32");
    assert.equal(await page.locator("#about").evaluate((d) => d.open), true);
    assert.equal(await page.locator("#about-version").textContent(), "1.5.0");
    await page.locator("#about-ok").click();
    assert.equal(await page.locator("#about").evaluate((d) => d.open), false);

    // Scaled by a whole number: 1100 x 900 takes twice the client area.
    const box = await page.locator("#game").boundingBox();
    assert.deepEqual([box.width, box.height], [1034, 806]);

    const idle = await canvasPixels(page);
    const start = await onCanvas(page, 377, 343);
    await page.mouse.click(start.x, start.y);
    await page.waitForTimeout(1500);  // the shuffle's ten batches of 55 ms
    const shuffled = await canvasPixels(page);
    assert.notEqual(shuffled, idle);
    await page.keyboard.down("a");
    await page.waitForTimeout(150);
    assert.notEqual(await canvasPixels(page), shuffled);
    await page.keyboard.up("a");

    const title = await onCanvas(page, 71 + 20, 9 + 8);
    await page.mouse.click(title.x, title.y, { button: "right" });
    assert.equal(await page.locator("#about").evaluate((d) => d.open), false);
    await page.mouse.click(title.x, title.y);
    // Opened as an event of its own, after the click's.
    await page.waitForFunction(() => document.getElementById("about").open);
    assert.deepEqual(problems, []);
    await context.close();
  });

  for (const way of ["keys", "mouse", "touch"]) {
    test(`a game is played to a win by ${way}`, async () => {
      // By touch on a phone upright, the about box read first.
      const phone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
      const { page, context, problems } = await openPage("/", way === "touch" ? phone : {});
      if (way === "touch") await assertFits(page, 390, 844, 3);
      await page.locator("#about-ok").click();
      const start = await onCanvas(page, 377, 343);
      await page.mouse.click(start.x, start.y);
      const settled = () => page.waitForFunction(() => / move=0 /.test(window.zeltoriaLab.state()) &&
                                                       / shuffle=0 /.test(window.zeltoriaLab.state()));
      await settled();
      for (const move of solve(await page.evaluate(() => window.zeltoriaLab.state()))) {
        if (way === "keys") {
          await page.keyboard.press(move.key);
        } else {
          const arrow = await page.evaluate((m) => window.zeltoriaLab.arrowAt(m.column, m.index), move);
          const at = await onCanvas(page, arrow.x, arrow.y);
          if (way === "mouse") await page.mouse.click(at.x, at.y);
          else await page.touchscreen.tap(at.x, at.y);
        }
        await settled();
      }
      assert.match(await page.evaluate(() => window.zeltoriaLab.state()), /playing=0 shuffle=0 move=0 solved=1\n$/);
      assert.deepEqual(problems, []);
      await context.close();
    });
  }

  test("a second mouse button neither blocks nor swallows a click", async () => {
    const { page, context, problems } = await openPage("/");
    await page.locator("#about-ok").click();
    const start = await onCanvas(page, 377, 343);
    await page.mouse.move(start.x, start.y);
    // The left press and release come while the right button is held: pointermoves only.
    await page.mouse.down({ button: "right" });
    await page.mouse.down();
    await page.mouse.up();
    assert.match(await page.evaluate(() => window.zeltoriaLab.state()), /^playing=1 /m);
    await page.mouse.up({ button: "right" });
    assert.deepEqual(problems, []);
    await context.close();
  });

  test("the timer does not catch up after the page was held back", async () => {
    const context = await browser.newContext({ viewport: { width: 1100, height: 900 } });
    const page = await context.newPage();
    await page.clock.install();
    await page.goto(lab.url + "/");
    await page.waitForFunction(() => document.body.dataset.zeltoria);
    await page.locator("#about-ok").click();
    const start = await onCanvas(page, 377, 343);
    await page.mouse.click(start.x, start.y);
    const shuffle = async () =>
      Number(/ shuffle=(\d+) /.exec(await page.evaluate(() => window.zeltoriaLab.state()))[1]);
    await page.clock.pauseAt(Date.now() + 60);
    const before = await shuffle();
    // A lid closed for three seconds: the timer's one due tick runs, then the rhythm goes on.
    await page.clock.fastForward(3000);
    await page.clock.runFor(40);
    assert.ok(before - (await shuffle()) <= 1, `the shuffle went from ${before} to ${await shuffle()}`);
    await context.close();
  });

  // Width, height and device pixel ratio: phones upright and on their side, a laptop, a 4K screen.
  const screens = [[320, 568, 2], [360, 640, 1], [390, 844, 3], [844, 390, 3], [1366, 768, 1], [1920, 1080, 2]];
  for (const [width, height, ratio] of screens) {
    test(`${width} x ${height} at ${ratio}: the game and the about box fit, Start and an arrow act`, async () => {
      const phone = width < 1000;
      const { page, context, problems } = await openPage("/#seed=7", {
        viewport: { width, height }, deviceScaleFactor: ratio, isMobile: phone, hasTouch: true });
      await assertFits(page, width, height, ratio);
      await page.locator("#about-ok").tap();
      assert.equal(await page.locator("#about").evaluate((d) => d.open), false);

      const state = () => page.evaluate(() => window.zeltoriaLab.state());
      const board = (text) => text.split("\n\n")[0];
      const start = await onCanvas(page, 377, 343);
      await page.touchscreen.tap(start.x, start.y);
      await page.waitForFunction(() => /playing=1 shuffle=0 move=0 /.test(window.zeltoriaLab.state()));
      const before = board(await state());
      const arrow = await page.evaluate(() => window.zeltoriaLab.arrowAt(true, 1));
      const at = await onCanvas(page, arrow.x, arrow.y);
      await page.touchscreen.tap(at.x, at.y);
      await page.waitForFunction(() => / move=0 /.test(window.zeltoriaLab.state()));
      assert.notEqual(board(await state()), before);

      // Turned on its side, or the window resized: fitted again at once.
      await page.setViewportSize({ width: height, height: width });
      await assertFits(page, height, width, ratio);
      assert.deepEqual(problems, []);
      await context.close();
    });
  }

  test("a damaged data file shows the start-up failure, a missing one says where it looked", async () => {
    for (const [path, message] of [
      ["/damaged/", "Zeltoria encountered a problem on start-up: ValidateVX8FileHeader: header invalid"],
      ["/missing/", "Sorry! Zeltoria cannot find the needed file \"${address}\"."]]) {
      const { page, context, problems } = await openPage(path, {}, site);
      const address = await page.evaluate(() => new URL("zelto.vx8", document.querySelector("script[src$='page.js']").src).href);
      assert.ok(address.startsWith(site.url + path), address);
      assert.equal(await page.locator("#failure").textContent(), message.replace("${address}", address));
      assert.equal(await page.locator("#game").isVisible(), false);
      assert.deepEqual(problems, []);
      await context.close();
    }
  });
});

describe("the keyboard on any layout, a held key and a shared link", () => {
  const state = (page) => page.evaluate(() => window.zeltoriaLab.state());
  const ready = async (path) => {
    const opened = await openPage(path);
    await opened.page.locator("#about-ok").click();
    const start = await onCanvas(opened.page, 377, 343);
    await opened.page.mouse.click(start.x, start.y);
    await opened.page.waitForFunction(() => /playing=1 shuffle=0 move=0 /.test(window.zeltoriaLab.state()));
    return opened;
  };

  test("a key that types no Latin letter or digit acts by its place", async () => {
    const { page, context, problems } = await ready("/#seed=7");
    // What an AZERTY and a Russian keyboard send: the character typed and the key's place.
    for (const [key, code, move] of [["\u0444", "KeyA", "Column A up"], ["&", "Digit1", "Row 1 left"],
                                     ["a", "KeyQ", "Column A up"], ["\u00e9", "Digit2", "Row 2 left"]]) {
      await page.evaluate(([key, code]) => {
        for (const type of ["keydown", "keyup"])
          document.dispatchEvent(new KeyboardEvent(type, { key, code, bubbles: true }));
      }, [key, code]);
      await page.waitForFunction((move) => / move=0 /.test(window.zeltoriaLab.state()) &&
        document.getElementById("announcements").textContent.startsWith(move + ":"), move);
    }
    assert.deepEqual(problems, []);
    await context.close();
  });

  test("a key held when the page loses the focus, and let go elsewhere, stops moving the board", async () => {
    const { page, context, problems } = await ready("/#seed=7");
    const cdp = await context.newCDPSession(page);
    await cdp.send("Emulation.setFocusEmulationEnabled", { enabled: false });
    await page.keyboard.down("a");
    await page.waitForTimeout(1200);  // the move repeats while the key is held
    const other = await context.newPage();
    await other.bringToFront();
    await other.keyboard.up("a");
    await page.waitForFunction(() => / move=0 /.test(window.zeltoriaLab.state()), null, { timeout: 2000 });
    const boards = [];
    for (let i = 0; i < 4; ++i, await page.waitForTimeout(700)) boards.push(await state(page));
    assert.ok(boards.every((b) => b === boards[0]), "the board kept moving");
    assert.deepEqual(problems, []);
    await context.close();
  });

  test("two visitors of the same #seed link play the same puzzle, whenever they press Start", async () => {
    const expected = nativeShot(["seed=7", "click=377,343", "run"]);
    for (const wait of [0, 4500]) {
      // The second visitor reads the about box for longer: its title line changes meanwhile.
      const { page, context, problems } = await openPage("/#seed=7");
      await page.waitForTimeout(wait);
      await page.locator("#about-ok").click();
      const start = await onCanvas(page, 377, 343);
      await page.mouse.click(start.x, start.y);
      await page.waitForFunction(() => /playing=1 shuffle=0 move=0 /.test(window.zeltoriaLab.state()));
      assert.equal(await state(page), expected.text);
      assert.equal(await canvasPixels(page), fingerprint(expected.rgba), `after ${wait} ms`);
      assert.deepEqual(problems, []);
      await context.close();
    }
  });
});

// The roles and names of the page's parts, and of the desktop's for zeltoria-lab tree's actions.
async function partNames(page) {
  const roles = { button: "button", grid: "grid", row: "row", gridcell: "cell", img: "image" };
  return (await page.locator("#parts").ariaSnapshot()).split("\n").flatMap((line) => {
    const m = /- (\w+) "([^"]*)"/.exec(line);
    return m && roles[m[1]] ? [`${roles[m[1]]} "${m[2]}"`] : [];
  });
}
const desktopNames = (actions) => nativeTree(actions).split("\n").flatMap((line) => {
  const m = /^ +(\w+) "([^"]*)"/.exec(line);
  return m ? [`${m[1]} "${m[2]}"`] : [];
});

describe("the page as assistive technology meets it", () => {
  // A move's result on a grid of rows, by its arrow's name: "Column B up, key B".
  function moved(rows, name) {
    const [, kind, line, way] = /^(Column|Row) (\w+) (\w+),/.exec(name);
    const next = rows.map((row) => [...row]);
    const turn = (values, back) => (back ? [values.at(-1), ...values.slice(0, -1)] : [...values.slice(1), values[0]]);
    if (kind === "Column") {
      const c = line.charCodeAt(0) - 65;
      turn(next.map((row) => row[c]), way === "down").forEach((v, r) => (next[r][c] = v));
    } else {
      next[Number(line) - 1] = turn(next[Number(line) - 1], way === "right");
    }
    return next;
  }
  const key = (rows) => JSON.stringify(rows);

  test("the parts carry the desktop's names", async () => {
    const { page, context } = await openPage("/#seed=7");
    await page.locator("#about-ok").click();
    assert.deepEqual(await partNames(page), desktopNames(["seed=7"]));
    await context.close();
  });

  test("a game is played to a win by roles and names alone", async () => {
    const { page, context, problems } = await openPage("/");
    await page.getByRole("button", { name: "OK" }).click();
    const said = page.locator("#announcements");
    const grid = async (name) => {
      const rows = page.getByRole("grid", { name }).getByRole("row");
      return rows.evaluateAll((all) => all.map((row) => [...row.children].map(
        (cell) => cell.getAttribute("aria-description").replace(/, (not )?in place$/, ""))));
    };
    // Pressed as assistive technology presses: a click on the element itself.
    const press = (name) => page.getByRole("button", { name, exact: true }).dispatchEvent("click");
    await press("Start");
    await said.filter({ hasText: /^Board scrambled/ }).waitFor();
    const arrows = await page.getByRole("button", { name: /^(Column|Row) / })
      .evaluateAll((all) => all.map((b) => b.getAttribute("aria-label")));
    const target = key(await grid("Pattern"));
    const cameFrom = new Map([[key(await grid("Your board")), null]]);
    const queue = [await grid("Your board")];
    while (queue.length && !cameFrom.has(target)) {
      const rows = queue.shift();
      for (const name of arrows) {
        const next = moved(rows, name);
        if (!cameFrom.has(key(next))) {
          cameFrom.set(key(next), { from: key(rows), name });
          queue.push(next);
        }
      }
    }
    const path = [];
    for (let k = target; cameFrom.get(k); k = cameFrom.get(k).from) path.unshift(cameFrom.get(k).name);
    for (const name of path) {
      const expected = key(moved(await grid("Your board"), name));
      await press(name);
      await page.waitForFunction(([move]) =>
        document.getElementById("announcements").textContent.startsWith(move) &&
        !document.querySelector("#parts [aria-pressed]"), [name.split(",")[0]]);
      assert.equal(key(await grid("Your board")), expected);
    }
    await said.filter({ hasText: /Solved, well done!$/ }).waitFor();
    assert.deepEqual(problems, []);
    await context.close();
  });
});

// The translation of `english` in po/CODE.po.
function translation(code, english) {
  const po = readFileSync(new URL(`../../po/${code}.po`, import.meta.url), "utf8");
  const found = new RegExp(`^msgid ${JSON.stringify(english)}\\nmsgstr (".*")$`, "m").exec(po);
  assert.ok(found, `po/${code}.po translates "${english}"`);
  return JSON.parse(found[1]);
}

describe("the page in the visitor's language", () => {
  for (const [locale, code] of [["fr-FR", "fr"], ["ja-JP", "ja"]]) {
    test(`a browser asking for ${locale} gets the game, its pictures and the page in ${code}`, async () => {
      const asked = [];
      const listen = (request) => asked.push(new URL(request.url, site.url).pathname);
      site.server.on("request", listen);
      const { page, context, problems } = await openPage("/#seed=7", { locale }, site);
      await page.evaluate(() => navigator.serviceWorker.ready);  // its files kept
      site.server.off("request", listen);
      const data = [...new Set(asked.filter((path) => path.endsWith("/zelto.vx8")))];
      assert.deepEqual(data, [`/${siteVersion()}/${code}/zelto.vx8`]);
      assert.equal(await page.evaluate(() => document.documentElement.lang), code.replace("_", "-"));
      const expected = fingerprint(nativeShot(["seed=7", `lang=${code}`]).rgba);
      assert.notEqual(expected, fingerprint(nativeShot(["seed=7"]).rgba), "the pictures are not English");
      assert.equal(await canvasPixels(page), expected);

      await page.locator("#about-whatis").click();
      assert.equal(await page.locator("#about-iknow").textContent(), translation(code, "Now I know"));
      const overflowing = await page.locator("#about [id]").evaluateAll((all) => all.filter((e) =>
        e.getClientRects().length && (e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight)).map((e) => e.id));
      assert.deepEqual(overflowing, [], "texts that do not fit");
      await page.locator("#about-ok").click();
      const names = await partNames(page);
      assert.deepEqual(names, desktopNames(["seed=7", `lang=${code}`]));
      assert.ok(names.includes(`button "${translation(code, "Start")}"`), names[0]);
      assert.deepEqual(problems, []);
      await context.close();
    });
  }
});

test("the shipped site carries no test interface", async () => {
  const { page, context, problems } = await openPage("/", {}, site);
  assert.equal(await page.evaluate(() => document.body.dataset.zeltoria), "running");
  assert.equal(await page.evaluate(() => "zeltoriaLab" in window), false);
  for (const file of siteFiles()) {
    const bytes = readFileSync(file).toString("latin1");
    for (const name of ["zeltoriaLab", "zeltoria_lab", "zeltoria_state", "zeltoria_arrow", "_malloc"])
      assert.ok(!bytes.includes(name), `${file} holds ${name}`);
  }
  assert.deepEqual(problems, []);
  await context.close();
});

// What a visitor downloads (the service worker keeps the set at the first visit, with their
// language's own folder of it, or English's data file). Every language's texts are in the module
// (27 KB of it), so that no text waits for a fetch. A library that drags the C++ locale machinery
// in, for one, would double the module; the runtime's file system would add 13 KB; true-colour
// cursors, logo and favicon would add 10 KB.
test("one visitor's site is at most 160 KB gzipped, in every language", () => {
  const set = join(siteDir, siteVersion());
  const languages = readdirSync(set).filter((name) => existsSync(join(set, name, "zelto.vx8")));
  const languageOf = (file) => {
    const path = relative(set, file);
    return path === "zelto.vx8" ? "" : languages.find((code) => path.startsWith(code + "/"));
  };
  const sizes = siteFiles().map((file) => [languageOf(file), gzipSync(readFileSync(file), { level: 9 }).length]);
  const total = (language) =>
    sizes.reduce((sum, [of, size]) => (of === undefined || of === language ? sum + size : sum), 0);
  for (const language of ["", ...languages])
    assert.ok(total(language) <= 160 * 1024, `the site in ${language || "English"} is ${total(language)} bytes gzipped`);
});
