// Reaches inside the board model and the main window for the few tests that start from a state
// play reaches only slowly: a game one move from its end, or a window brought to another's state.
#pragma once

#include "game/FormZelto.h"

class TGameProbe {
 public:
  static TBoardState& State(TBoardModel& model) { return model.S; }
  static TBoardState& State(TFormZelto& form) { return form.Model.S; }
  static TBoardModel& Model(TFormZelto& form) { return form.Model; }

  // After the state was set from outside: the buttons and both boards as the state calls for,
  // shown at the next painting.
  static void Redraw(TFormZelto& form) {
    const TBoardState& state = form.Model.State();
    form.EnableControls(!state.Playing);
    form.Renderer.DrawBoard(state, true);
    form.Renderer.DrawBoard(state, false);
    form.Invalidate();
  }
};
