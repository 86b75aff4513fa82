// The test build's lab, added to the module's script (--post-js), where `Module` is the page's
// module: window.zeltoriaLab plays `zeltoria-lab shot` actions on a window of its own and reads
// the player's game without touching it.
window.zeltoriaLab = {
  module: Module,

  // {text, width, height, rgba} of the shot, as zeltoria-lab shot prints and draws it.
  shot(actions) {
    const text = actions.join("\n");
    const size = Module.lengthBytesUTF8(text) + 1;
    const buffer = Module._malloc(size);
    Module.stringToUTF8(text, buffer, size);
    const result = Module._zeltoria_lab_shot(buffer);
    Module._free(buffer);
    if (result !== 0) throw new Error(Module.UTF8ToString(Module._zeltoria_lab_error()));
    const width = Module._zeltoria_lab_width();
    const height = Module._zeltoria_lab_height();
    const pixels = Module._zeltoria_lab_pixels();
    return {
      text: Module.UTF8ToString(Module._zeltoria_lab_text()),
      width,
      height,
      rgba: new Uint8ClampedArray(Module.HEAPU8.buffer.slice(pixels, pixels + width * height * 4)),
    };
  },

  // The player's game as shot prints it.
  state: () => Module.UTF8ToString(Module._zeltoria_state()),

  // Where the centre of a move's arrow lies in the client area.
  arrowAt: (column, index) => ({
    x: Module._zeltoria_arrow_x(column ? 1 : 0, index),
    y: Module._zeltoria_arrow_y(column ? 1 : 0, index),
  }),
};
