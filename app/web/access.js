// The game's parts for assistive technology: HTML elements with ARIA roles laid over the canvas
// at the places the game draws them, kept in step with the game's accessible tree, and a polite
// live region for its announcements. The elements let the pointer through to the canvas; a
// press by assistive technology (a click on a mirrored button) does what a click does.
"use strict";

window.zeltoriaAccess = (function () {
  const Roles = ["", "button", "", "grid", "row", "gridcell", "img"];  // by the game's role
  const State = { Enabled: 1, Pressed: 2, Focusable: 4, Focused: 8 };
  let module = null;
  let canvas = null;
  let layer = null;
  let live = null;
  const parts = new Map();  // id -> { element, index }

  function place() {
    const box = canvas.getBoundingClientRect();
    layer.style.left = box.left + window.scrollX + "px";
    layer.style.top = box.top + window.scrollY + "px";
    layer.style.width = box.width + "px";
    layer.style.height = box.height + "px";
  }

  function elementFor(node) {
    const part = parts.get(node.id);
    const tag = node.role === 1 ? "button" : "div";
    if (part && part.element.localName === tag) return part.element;
    if (part) part.element.remove();
    const element = document.createElement(tag);
    element.className = "part";
    if (tag === "button") {
      element.type = "button";
      element.tabIndex = -1;  // Tab is the game's: it moves the game's own focus
      element.addEventListener("click", () => {
        const now = parts.get(node.id);
        if (now) module._zeltoria_accessible_press(now.index);
      });
    }
    return element;
  }

  // Sets the element's place in percent of the client area, so it follows any scale.
  function setBounds(element, bounds, parentBounds) {
    const [left, top, right, bottom] = bounds;
    const [pl, pt] = parentBounds;
    element.style.left = (100 * (left - pl)) / (parentBounds[2] - pl) + "%";
    element.style.top = (100 * (top - pt)) / (parentBounds[3] - pt) + "%";
    element.style.width = (100 * (right - left)) / (parentBounds[2] - pl) + "%";
    element.style.height = (100 * (bottom - top)) / (parentBounds[3] - pt) + "%";
  }

  function mirror(node, parentElement, parentBounds, seen, counter) {
    const element = elementFor(node);
    const role = Roles[node.role];
    if (role && role !== "button") element.setAttribute("role", role);
    element.setAttribute("aria-label", node.name);
    if (node.description) element.setAttribute("aria-description", node.description);
    else element.removeAttribute("aria-description");
    if (node.role === 1) {
      element.disabled = false;  // a disabled button would leave the tree of some readers
      element.setAttribute("aria-disabled", String(!(node.states & State.Enabled)));
      if (node.states & State.Pressed) element.setAttribute("aria-pressed", "true");
      else element.removeAttribute("aria-pressed");
    }
    setBounds(element, node.bounds, parentBounds);
    if (element.parentNode !== parentElement || element !== parentElement.children[counter.at]) {
      parentElement.insertBefore(element, parentElement.children[counter.at] || null);
    }
    counter.at += 1;
    parts.set(node.id, { element, index: node.index });
    seen.add(node.id);
    const inner = { at: 0 };
    for (const child of node.children) mirror(child, element, node.bounds, seen, inner);
    while (element.children.length > inner.at) element.lastElementChild.remove();
    if (node.states & State.Focused && document.activeElement !== element &&
        (document.activeElement === canvas || layer.contains(document.activeElement)))
      element.focus({ preventScroll: true });
  }

  function update() {
    const tree = JSON.parse(module.UTF8ToString(module._zeltoria_accessible_tree()));
    layer.setAttribute("aria-label", tree.name);
    const seen = new Set([tree.id]);
    const counter = { at: 0 };
    for (const child of tree.children) mirror(child, layer, tree.bounds, seen, counter);
    while (layer.children.length > counter.at) layer.lastElementChild.remove();
    for (const id of [...parts.keys()]) if (!seen.has(id)) parts.delete(id);
    place();
  }

  return {
    // Lays the parts over `canvas` once the game runs.
    attach(gameModule, gameCanvas) {
      module = gameModule;
      canvas = gameCanvas;
      layer = document.createElement("div");
      layer.id = "parts";
      layer.setAttribute("role", "application");
      live = document.createElement("div");
      live.id = "announcements";
      live.setAttribute("aria-live", "polite");
      document.body.append(layer, live);
      window.addEventListener("resize", place);
      new ResizeObserver(place).observe(canvas);
      module._zeltoria_accessibility_on();
      update();
    },
    changed() {
      if (layer) update();
    },
    // Polite, and said again when the same words come twice.
    announce(text) {
      if (!live) return;
      const line = document.createElement("p");
      line.textContent = text;
      live.replaceChildren(line);
    },
  };
})();
