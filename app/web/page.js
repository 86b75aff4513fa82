// The page around the game: it loads the module and the data file, shows the client area on the
// canvas at a whole-number scale, passes the pointer, keys and timer ticks to the game, runs the
// about box as an HTML dialog and offers window.zeltoriaLab to tests.
"use strict";

(function () {
  const ClientWidth = 517;
  const ClientHeight = 403;
  const canvas = document.getElementById("game");
  const context = canvas.getContext("2d", { alpha: false });
  const status = document.getElementById("status");
  const failure = document.getElementById("failure");
  const about = document.getElementById("about");

  let module = null;
  let running = false;
  let timer = null;
  let firstFrame = null;  // when the game's first frame was on the screen
  let frameAsked = false;
  // Settles once the game's first frame is on the screen, or start() finds that it drew none.
  let nowOnScreen;
  const onScreen = new Promise((resolve) => (nowOnScreen = resolve));
  let labReady;
  const lab = new Promise((resolve) => (labReady = resolve));

  // "#seed=N" deals the puzzle that seed gives, so a puzzle can be shared as a link.
  function seedFromAddress() {
    const match = /^#seed=(\d{1,10})$/.exec(window.location.hash);
    if (!match) return null;
    const seed = Number(match[1]);
    return seed <= 0xffffffff ? seed : null;
  }

  // Whole device pixels per game pixel, as many as fit, so the pixels stay sharp squares.
  function fitCanvas() {
    const ratio = window.devicePixelRatio || 1;
    const room = Math.min(window.innerWidth / ClientWidth, window.innerHeight / ClientHeight);
    const devicePixels = Math.max(1, Math.floor(room * ratio));
    const scale = devicePixels / ratio;
    canvas.style.width = ClientWidth * scale + "px";
    canvas.style.height = ClientHeight * scale + "px";
    about.style.transform = "scale(" + Math.max(1, Math.floor(room)) + ")";
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

  function wireKeys() {
    document.addEventListener("keydown", (event) => {
      if (!running || about.open) return;
      // With Ctrl, Alt or Meta held a key is a shortcut of the browser's, not the game's.
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      // Tab and Shift+Tab move the game's own focus; Enter and Space press what has it, unless
      // a mirrored button has the page's focus: it takes them as a click itself.
      if (event.key === "Tab") {
        event.preventDefault();
        module._zeltoria_focus_key(event.shiftKey ? 1 : 0);
        return;
      }
      const onPart = event.target instanceof HTMLButtonElement && event.target.classList.contains("part");
      if ((event.key === "Enter" || event.key === " ") && !event.repeat && !onPart)
        module._zeltoria_focus_key(2);
      if ([...event.key].length !== 1) return;
      // A typed character is the game's; a space would scroll the page.
      event.preventDefault();
      module._zeltoria_key(event.key.codePointAt(0));
    });
    document.addEventListener("keyup", () => {
      if (running) module._zeltoria_key_up();
    });
    window.addEventListener("focus", () => {
      if (running) module._zeltoria_activate();
    });
    // Whatever was held when the page lost the focus is let go elsewhere.
    window.addEventListener("blur", () => {
      buttonsHeld = 0;
      if (running) module._zeltoria_capture_lost();
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

  // Puts a painted part of the client area on the canvas: the module keeps the whole area as
  // canvas bytes, so the browser copies the part without a loop here.
  function present(rgba, width, height, x, y, w, h) {
    const bytes = new Uint8ClampedArray(module.HEAPU8.buffer, rgba, width * height * 4);
    context.putImageData(new ImageData(bytes, width, height), 0, 0, x, y, w, h);
    // When the browser can first paint the game: for measuring the start-up, and for the
    // about box, which waits until the game is on the screen.
    if (!frameAsked) {
      frameAsked = true;
      requestAnimationFrame(() => {
        firstFrame = performance.now();
        nowOnScreen();
      });
    }
  }

  // Runs `step` as an event of its own once the game's first frame is on the screen.
  function whenOnScreen(step) {
    onScreen.then(() => setTimeout(step, 0));
  }

  function cssCursor(file, hotX, hotY) {
    return file ? "url(" + file + ") " + hotX + " " + hotY + ", pointer" : "default";
  }

  function setCursor(file, hotX, hotY) {
    canvas.style.cursor = cssCursor(file, hotX, hotY);
  }

  function showMessage(text) {
    failure.textContent = text;
    failure.classList.add("shown");
  }

  // ---- The about box -------------------------------------------------------------------------

  const aboutText = (n) => module.UTF8ToString(module._zeltoria_about_text(n));
  const Text = { Name: 0, Version: 1, WhatIs: 2, Family: 3, Visit: 4, See: 5, Link: 6,
                 Notice: 7, Credit: 8, Meaning: 9, IKnow: 10, Ok: 11, HomeOf: 12, Caption: 15 };
  const part = (id) => document.getElementById("about-" + id);
  const hex = (rgb) => "#" + (rgb >>> 0).toString(16).padStart(6, "0");

  function showHomeOf() {
    const line = part("homeof");
    line.textContent = aboutText(Text.HomeOf + module._zeltoria_about_line());
    line.style.color = hex(module._zeltoria_about_line_color());
  }

  function showPanel() {
    part("panel").hidden = !module._zeltoria_about_panel_shown();
    part("whatis").disabled = !module._zeltoria_about_what_is_enabled();
  }

  function setLinkHot(hot) {
    if (!module._zeltoria_about_link_hot(hot ? 1 : 0)) return;
    const link = part("link");
    link.classList.toggle("hot", hot);
    link.style.color = hex(module._zeltoria_about_link_color());
  }

  function buildAbout() {
    part("caption").textContent = aboutText(Text.Caption);
    part("name").textContent = aboutText(Text.Name);
    part("version").textContent = aboutText(Text.Version);
    part("whatis").textContent = aboutText(Text.WhatIs);
    part("family").textContent = aboutText(Text.Family);
    part("visit").textContent = aboutText(Text.Visit);
    part("see").textContent = aboutText(Text.See);
    part("notice").textContent = aboutText(Text.Notice);
    part("credit").textContent = aboutText(Text.Credit);
    part("meaning").textContent = aboutText(Text.Meaning);
    part("iknow").textContent = aboutText(Text.IKnow);
    part("ok").textContent = aboutText(Text.Ok);
    const link = part("link");
    link.textContent = aboutText(Text.Link);
    link.href = "http://" + link.textContent;
    link.style.color = hex(module._zeltoria_about_link_color());
    const cursor = module.UTF8ToString(module._zeltoria_link_cursor()).split(" ");
    link.style.cursor = cssCursor(cursor[0], cursor[1], cursor[2]);
    part("link-frame").style.cursor = link.style.cursor;
    showHomeOf();
    // The title line changes every four seconds from the dialog's creation on, shown or not.
    setInterval(() => {
      module._zeltoria_about_next();
      showHomeOf();
    }, 4000);

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

  function showAbout() {
    if (about.open) return;
    module._zeltoria_about_show();
    showPanel();
    about.showModal();
    part("ok").focus();
  }

  // ---- Start-up --------------------------------------------------------------------------------

  async function fetchData() {
    try {
      const response = await fetch("zelto.vx8");
      if (!response.ok) return null;
      return new Uint8Array(await response.arrayBuffer());
    } catch (error) {
      return null;
    }
  }
  // Asked for now, while the program still loads.
  const dataFile = fetchData();

  // The code is compiled as it arrives, not only once the script that needs it has run.
  async function compileCode() {
    const response = await fetch("zeltoria.wasm");
    if (!response.ok) throw new Error("its code did not load");
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
    status.remove();
    // A file that did not arrive is missing: the game says so, with its address, and does not
    // start, as on the desktop.
    if (!bytes) {
      const address = new URL("zelto.vx8", document.baseURI).href;
      showMessage(module.UTF8ToString(module._zeltoria_missing_data_file()).replace("%s", () => address));
      labReady();
      return;
    }
    module.FS.writeFile("/zelto.vx8", bytes);
    const seed = seedFromAddress();
    fitCanvas();
    window.addEventListener("resize", fitCanvas);
    wirePointer();
    wireKeys();
    const started = module._zeltoria_start(seed === null ? 0 : seed, seed === null ? 0 : 1) === 0;
    performance.mark("zeltoria-started");
    if (!frameAsked) nowOnScreen();
    // The about box is made right after the window, whether or not that failed.
    buildAbout();
    running = started;
    if (running) {
      canvas.classList.add("running");
      canvas.focus({ preventScroll: true });
      zeltoriaAccess.attach(module, canvas);
    }
    labReady();
  }

  // ---- The lab, for tests ----------------------------------------------------------------------

  function labShot(actions) {
    const text = actions.join("\n");
    const size = module.lengthBytesUTF8(text) + 1;
    const buffer = module._malloc(size);
    module.stringToUTF8(text, buffer, size);
    const result = module._zeltoria_lab_shot(buffer);
    module._free(buffer);
    if (result !== 0) throw new Error(module.UTF8ToString(module._zeltoria_lab_error()));
    const width = module._zeltoria_lab_width();
    const height = module._zeltoria_lab_height();
    const pixels = module._zeltoria_lab_pixels();
    return {
      text: module.UTF8ToString(module._zeltoria_lab_text()),
      width,
      height,
      rgba: new Uint8ClampedArray(module.HEAPU8.buffer.slice(pixels, pixels + width * height * 4)),
    };
  }

  window.zeltoriaLab = {
    ready: lab,
    shot: labShot,
    // The player's game, read without touching it: its state as shot prints it, and where a
    // move's arrow lies in the client area.
    state: () => module.UTF8ToString(module._zeltoria_state()),
    arrowAt: (column, index) => ({
      x: module._zeltoria_arrow_x(column ? 1 : 0, index),
      y: module._zeltoria_arrow_y(column ? 1 : 0, index),
    }),
  };

  window.zeltoriaPage = {
    // For measurements: the module, and the time of the first frame since navigation.
    get module() {
      return module;
    },
    get firstFrame() {
      return firstFrame;
    },
    present,
    startTimer,
    stopTimer,
    setCursor,
    showMessage,
    // After the event that asked for it, as the desktop shows it once the window is up.
    showAbout: () => whenOnScreen(showAbout),
    moduleLoaded() {
      performance.mark("zeltoria-script");
      start().catch((error) => {
        status.remove();
        showMessage("Zeltoria could not start: " + error);
        labReady();
      });
    },
    loadFailed() {
      status.remove();
      showMessage("Zeltoria could not start: its program did not load.");
      labReady();
    },
  };
})();
