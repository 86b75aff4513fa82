// The page around the game: it loads the module and the data file, fits the client area's
// canvas and the about box into the window, passes the pointer, keys and timer ticks to the
// game, runs the about box as an HTML dialog and has the site kept for offline play. Once the
// game has started or failed to, the body's data-zeltoria says which ("running" or "failed").
"use strict";

(function () {
  // The shipped languages by their codes, in the game's order, and the page's own words in
  // each: the build writes them in from the catalogues.
  const Languages = @PAGE_LANGUAGES@;

  // The player's language: the first of the browser's that the game has, by its full name
  // ("pt_BR") and then by its language part ("pt"); English ("") otherwise, and for anyone who
  // reads English first.
  function chooseLanguage() {
    for (const name of navigator.languages ?? [navigator.language]) {
      const [first, ...rest] = String(name).split(/[-_]/);
      const language = first.toLowerCase();
      const region = rest.find((part) => part.length === 2);
      for (const candidate of [region ? language + "_" + region.toUpperCase() : language, language]) {
        if (candidate === "en") return "";
        if (Languages.codes.includes(candidate)) return candidate;
      }
    }
    return "";
  }
  const language = chooseLanguage();
  // The game's number for it: its place among the codes, from 1; English is 0.
  const languageNumber = Languages.codes.indexOf(language) + 1;
  const words = Languages.words[language] ?? {};
  const tr = (english) => words[english] ?? english;
  // The language's own files: its pictures' data file and its web app manifest.
  const languageFolder = language ? language + "/" : "";
  if (language) document.documentElement.lang = language.replace("_", "-");

  // The client area's size, as the game gives it when it starts.
  let ClientWidth = 0;
  let ClientHeight = 0;
  const canvas = document.getElementById("game");
  const context = canvas.getContext("2d", { alpha: false });
  const status = document.getElementById("status");
  // The loading note, once the wait is long enough to need one.
  setTimeout(() => {
    status.textContent = tr("Loading Zeltoria…");
    status.hidden = false;
  }, 500);
  const failure = document.getElementById("failure");
  const about = document.getElementById("about");
  // The folder of this build's files, where this script is: the page lies above it.
  const base = new URL(".", document.currentScript.src).href;
  if (language) document.querySelector("link[rel=manifest]").href = base + languageFolder + "manifest.webmanifest";

  let module = null;
  let running = false;
  let timer = null;
  let frameAsked = false;
  // Settles once the game's first frame is on the screen, or start() finds that it drew none.
  let nowOnScreen;
  const onScreen = new Promise((resolve) => (nowOnScreen = resolve));

  function settled(state) {
    document.body.dataset.zeltoria = state;
  }

  // "#seed=N" deals the puzzle that seed gives, so a puzzle can be shared as a link.
  function seedFromAddress() {
    const match = /^#seed=(\d{1,10})$/.exec(window.location.hash);
    if (!match) return null;
    const seed = Number(match[1]);
    return seed <= 0xffffffff ? seed : null;
  }

  // The about box's size at scale 1: its client area, caption and border.
  const AboutWidth = 427 + 2;
  const AboutHeight = 286 + 22 + 2;

  // Whole device pixels per game pixel, as many as fit, so the pixels stay sharp squares; on a
  // window too small for one device pixel per pixel, the largest size that fits, smoothed (the
  // pixels cannot stay squares there, and smoothing keeps every thin line in view). The about
  // box takes the game's scale, or less where it would not fit.
  function fitCanvas() {
    const ratio = window.devicePixelRatio || 1;
    const width = document.documentElement.clientWidth;
    const height = document.documentElement.clientHeight;
    const room = Math.min(width / ClientWidth, height / ClientHeight);
    // A ratio such as 2.625 may land a hair below a whole number.
    const devicePixels = Math.floor(room * ratio + 1e-9);
    const whole = devicePixels >= 1;
    const scale = whole ? devicePixels / ratio : room;
    canvas.classList.toggle("smooth", !whole);
    // Centred on a whole device pixel, so that no pixel straddles two.
    const snap = (free) => Math.max(0, Math.floor((free / 2) * ratio)) / ratio;
    canvas.style.left = snap(width - ClientWidth * scale) + "px";
    canvas.style.top = snap(height - ClientHeight * scale) + "px";
    canvas.style.width = ClientWidth * scale + "px";
    canvas.style.height = ClientHeight * scale + "px";
    const aboutScale = Math.min(scale, width / AboutWidth, height / AboutHeight);
    about.style.setProperty("--scale", String(aboutScale));
  }

  // Fits again whenever the window's size or its device pixel ratio changes (a phone turned, a
  // window resized or moved to another screen, the browser zoomed).
  function keepFitting() {
    window.addEventListener("resize", fitCanvas);
    const watchRatio = () =>
      matchMedia("(resolution: " + window.devicePixelRatio + "dppx)").addEventListener(
        "change", () => { fitCanvas(); watchRatio(); }, { once: true });
    watchRatio();
  }

  function clientPoint(event) {
    const box = canvas.getBoundingClientRect();
    return [
      Math.floor(((event.clientX - box.left) * ClientWidth) / box.width),
      Math.floor(((event.clientY - box.top) * ClientHeight) / box.height),
    ];
  }

  // The buttons as the game numbers them, by their bit in PointerEvent.buttons.
  const ButtonBits = [[1, 0], [4, 1], [2, 2]];
  let buttonsHeld = 0;

  // Presses and releases follow from the change in `buttons`: a second button pressed while
  // another is held, or one let go while another stays down, comes as a pointermove.
  function followButtons(event, buttons) {
    const [x, y] = clientPoint(event);
    module._zeltoria_mouse_move(x, y);
    for (const [bit, button] of ButtonBits) {
      if (buttons & bit && !(buttonsHeld & bit)) {
        buttonsHeld |= bit;
        module._zeltoria_mouse_down(button, x, y);
      } else if (!(buttons & bit) && buttonsHeld & bit) {
        buttonsHeld &= ~bit;
        module._zeltoria_mouse_up(button, x, y);
      }
    }
  }

  function wirePointer() {
    canvas.addEventListener("pointerdown", (event) => {
      if (!running) return;
      event.preventDefault();
      canvas.setPointerCapture(event.pointerId);
      canvas.focus({ preventScroll: true });
      followButtons(event, event.buttons);
    });
    canvas.addEventListener("pointermove", (event) => {
      if (running) followButtons(event, event.buttons);
    });
    canvas.addEventListener("pointerup", (event) => {
      if (running) followButtons(event, event.buttons);
    });
    // A gesture the browser took over releases whatever it held.
    canvas.addEventListener("pointercancel", (event) => {
      if (running) followButtons(event, 0);
    });
    canvas.addEventListener("contextmenu", (event) => event.preventDefault());
  }

  // A key as the game's key policy takes it: what it types, the letter or digit at its place on
  // a US keyboard, and its kind and state as flags (see zeltoria_key_down).
  const KeyKinds = { Tab: 1, Enter: 2, " ": 3 };
  function keyPlace(code) {
    const match = /^(?:Key([A-Z])|Digit([0-9]))$/.exec(code);
    return match ? (match[1] ? match[1].toLowerCase() : match[2]).codePointAt(0) : 0;
  }

  function wireKeys() {
    document.addEventListener("keydown", (event) => {
      if (!running || about.open) return;
      // With Ctrl, Alt or Meta held a key is a shortcut of the browser's, not the game's.
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      const printable = [...event.key].length === 1;
      // A mirrored button that has the page's focus takes Enter and Space as a click itself.
      const onPart = event.target instanceof HTMLButtonElement && event.target.classList.contains("part");
      const kind = onPart && event.key !== "Tab" ? 0 : KeyKinds[event.key] ?? 0;
      const typed = printable ? event.key.codePointAt(0) : event.key === "Enter" ? 13 : 0;
      // A typed character or Tab is the game's: a space would scroll the page, Tab leave it.
      if (printable || kind === 1) event.preventDefault();
      module._zeltoria_key_down(typed, keyPlace(event.code),
                                kind | (event.shiftKey ? 4 : 0) | (event.repeat ? 8 : 0));
    });
    document.addEventListener("keyup", (event) => {
      if (running) module._zeltoria_key_up(event.repeat ? 1 : 0);
    });
    window.addEventListener("focus", () => {
      if (running) module._zeltoria_activate();
    });
    // Whatever was held when the page lost the focus, or went out of sight, is let go elsewhere.
    const letGo = () => {
      buttonsHeld = 0;
      if (running) module._zeltoria_capture_lost();
    };
    window.addEventListener("blur", letGo);
    document.addEventListener("visibilitychange", () => {
      if (document.hidden) letGo();
    });
  }

  // The one timer: each tick is planned one interval after the last one planned, so it keeps
  // its rhythm however long a tick takes. After the page was throttled or hidden it does not
  // catch up: the next tick comes one interval after the late one.
  function startTimer(milliseconds) {
    stopTimer();
    let due = performance.now() + milliseconds;
    const tick = () => {
      const now = performance.now();
      due += milliseconds;
      if (due < now) due = now + milliseconds;
      timer = setTimeout(tick, due - now);
      module._zeltoria_tick();
    };
    timer = setTimeout(tick, milliseconds);
  }

  function stopTimer() {
    if (timer !== null) clearTimeout(timer);
    timer = null;
  }

  // Puts a painted part of the client area on the canvas: the module keeps the whole area in
  // the canvas's byte order, so the browser copies the part without a loop here.
  function present(rgba, width, height, x, y, w, h) {
    const bytes = new Uint8ClampedArray(module.HEAPU8.buffer, rgba, width * height * 4);
    context.putImageData(new ImageData(bytes, width, height), 0, 0, x, y, w, h);
    // When the browser can first paint the game: for measuring the start-up, and for the
    // about box, which waits until the game is on the screen.
    if (!frameAsked) {
      frameAsked = true;
      requestAnimationFrame(() => {
        // For measuring the start-up (bench/web/measure.mjs).
        performance.mark("zeltoria-frame");
        module._zeltoria_frame_shown();
        nowOnScreen();
      });
    }
  }

  // Runs `step` as an event of its own once the game's first frame is on the screen.
  function whenOnScreen(step) {
    onScreen.then(() => setTimeout(step, 0));
  }

  function cssCursor(file, hotX, hotY) {
    return file ? "url(" + base + file + ") " + hotX + " " + hotY + ", pointer" : "default";
  }

  function setCursor(file, hotX, hotY) {
    canvas.style.cursor = cssCursor(file, hotX, hotY);
  }

  function showMessage(text) {
    failure.textContent = text;
    failure.classList.add("shown");
  }

  // ---- The about box -------------------------------------------------------------------------

  // The texts by the part they go to, as the game gives them.
  let aboutTexts = {};
  const part = (id) => document.getElementById("about-" + id);
  const hex = (rgb) => "#" + (rgb >>> 0).toString(16).padStart(6, "0");

  // The box was laid out for English: a longer translation is drawn smaller until it fits its
  // place, never clipped. Only a shown box can be measured.
  const SmallestPixelSize = 7;
  function fitText(element) {
    if (!language || !about.open) return;
    element.style.fontSize = "";
    let size = parseFloat(getComputedStyle(element).fontSize);
    const overflows = () =>
      element.scrollWidth > element.clientWidth || element.scrollHeight > element.clientHeight;
    while (overflows() && size > SmallestPixelSize) element.style.fontSize = --size + "px";
  }
  const FittedParts = ["whatis", "family", "visit", "see", "homeof", "notice", "credit", "ok"];
  const PanelParts = ["meaning", "iknow"];

  function showHomeOf() {
    const line = part("homeof");
    line.textContent = aboutTexts["homeof" + module._zeltoria_about_line()];
    line.style.color = hex(module._zeltoria_about_line_color());
    fitText(line);
  }

  function showPanel() {
    part("panel").hidden = !module._zeltoria_about_panel_shown();
    part("whatis").disabled = !module._zeltoria_about_what_is_enabled();
    // The panel's parts can be measured only once it shows.
    if (!part("panel").hidden) for (const id of PanelParts) fitText(part(id));
  }

  function setLinkHot(hot) {
    if (!module._zeltoria_about_link_hot(hot ? 1 : 0)) return;
    const link = part("link");
    link.classList.toggle("hot", hot);
    link.style.color = hex(module._zeltoria_about_link_color());
  }

  // The about box's texts and handlers, once: after the game's first frame, or when the box
  // first shows.
  let aboutFilled = false;
  function fillAbout() {
    if (aboutFilled) return;
    aboutFilled = true;
    const lines = module.UTF8ToString(module._zeltoria_about_texts()).split("\n");
    aboutTexts = Object.fromEntries(lines.filter(Boolean).map((line) => {
      const at = line.indexOf("=");
      return [line.slice(0, at), line.slice(at + 1)];
    }));
    for (const [id, text] of Object.entries(aboutTexts)) if (part(id)) part(id).textContent = text;
    const link = part("link");
    link.href = "http://" + link.textContent;
    link.style.color = hex(module._zeltoria_about_link_color());
    const cursor = module.UTF8ToString(module._zeltoria_link_cursor()).split(" ");
    link.style.cursor = cssCursor(cursor[0], cursor[1], cursor[2]);
    part("link-frame").style.cursor = link.style.cursor;
    showHomeOf();

    part("whatis").addEventListener("click", () => {
      module._zeltoria_about_what_is();
      showPanel();
    });
    part("iknow").addEventListener("click", () => {
      module._zeltoria_about_i_know();
      showPanel();
    });
    part("ok").addEventListener("click", () => about.close());
    for (const hot of [link, part("link-frame")])
      hot.addEventListener("mousemove", (event) => {
        event.stopPropagation();
        setLinkHot(true);
      });
    about.addEventListener("mousemove", () => setLinkHot(false));
    about.addEventListener("cancel", () => about.close());
  }

  // Keeps the site for play without the network, once the game is on the screen: the service
  // worker stores its files then, not while the game starts.
  function keepOffline() {
    if (!("serviceWorker" in navigator)) return;  // only in a secure context
    // The worker keeps the files of the player's language besides the common ones.
    navigator.serviceWorker.register("sw.js" + (language ? "?lang=" + language : "")).catch((error) =>
      console.warn("Zeltoria will not play offline: " + error));
  }

  // The title line changes every four seconds from the dialog's creation on, shown or not.
  function startHomeOfTimer() {
    setInterval(() => {
      module._zeltoria_about_next();
      if (aboutFilled) showHomeOf();
    }, 4000);
  }

  function showAbout() {
    if (about.open) return;
    fillAbout();
    module._zeltoria_about_show();
    showPanel();
    about.showModal();
    for (const id of part("panel").hidden ? FittedParts : [...FittedParts, ...PanelParts]) fitText(part(id));
    part("ok").focus();
  }

  // ---- Start-up --------------------------------------------------------------------------------

  async function fetchData() {
    try {
      const response = await fetch(base + languageFolder + "zelto.vx8");
      // Read even when refused, so that the request ends instead of being cancelled.
      const bytes = new Uint8Array(await response.arrayBuffer());
      return response.ok ? bytes : null;
    } catch (error) {
      return null;
    }
  }
  // Asked for now, while the program still loads.
  const dataFile = fetchData();

  // The code is compiled as it arrives, not only once the script that needs it has run.
  async function compileCode() {
    const response = await fetch(base + "zeltoria.wasm");
    if (!response.ok) throw new Error(tr("its code did not load"));
    // Compiling while it streams in needs the type application/wasm; from any other server the
    // code is compiled from its bytes.
    if (response.headers.get("Content-Type")?.startsWith("application/wasm"))
      return WebAssembly.compileStreaming(response);
    return WebAssembly.compile(await response.arrayBuffer());
  }
  const code = compileCode();
  code.catch(() => {});  // start() reports it

  // The module around the code compiled above.
  async function createModule() {
    const compiled = await code;
    return new Promise((resolve, reject) => {
      createZeltoria({
        instantiateWasm(imports, receive) {
          WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled), reject);
          return {};
        },
      }).then(resolve, reject);
    });
  }

  async function start() {
    const [created, bytes] = await Promise.all([createModule(), dataFile]);
    // Marks for measuring the start-up (bench/web/measure.mjs).
    performance.mark("zeltoria-module");
    module = created;
    ClientWidth = module._zeltoria_client_width();
    ClientHeight = module._zeltoria_client_height();
    canvas.width = ClientWidth;
    canvas.height = ClientHeight;
    status.remove();
    // A file that did not arrive is missing: the game says so, with its address, and does not
    // start, as on the desktop.
    if (!bytes) {
      const address = new URL(languageFolder + "zelto.vx8", base).href;
      showMessage(module.UTF8ToString(module._zeltoria_missing_data_file(languageNumber))
        .replace("%s", () => address));
      settled("failed");
      return;
    }
    const room = module._zeltoria_data_file(bytes.length);
    if (room) module.HEAPU8.set(bytes, room);
    const seed = seedFromAddress();
    fitCanvas();
    keepFitting();
    wirePointer();
    wireKeys();
    // The about box is made with the window, whether or not that failed.
    const started =
      module._zeltoria_start(seed === null ? 0 : seed, seed === null ? 0 : 1, languageNumber) === 0;
    performance.mark("zeltoria-started");
    if (!frameAsked) nowOnScreen();
    startHomeOfTimer();
    running = started;
    if (running) {
      canvas.classList.add("running");
      canvas.focus({ preventScroll: true });
    }
    // What the first frame does not need waits for it: the about box's texts, the parts for
    // assistive technology, and the site kept for offline play.
    whenOnScreen(() => {
      fillAbout();
      if (running) zeltoriaAccess.attach(module, canvas);
      settled(running ? "running" : "failed");
    });
    if (running) whenOnScreen(keepOffline);
  }

  window.zeltoriaPage = {
    present,
    startTimer,
    stopTimer,
    setCursor,
    showMessage,
    showAbout,
  };

  // The program's script came just before this one, or did not load.
  if (typeof createZeltoria !== "function") {
    status.remove();
    showMessage(tr("Zeltoria could not start: its program did not load."));
    settled("failed");
  } else {
    performance.mark("zeltoria-script");
    start().catch((error) => {
      status.remove();
      // TRANSLATORS: {0} is the browser's reason, in its own words.
      showMessage(tr("Zeltoria could not start: {0}").replace("{0}", () => String(error)));
      settled("failed");
    });
  }
})();
