// A board window and view that records every call as one line of text, with what of the state
// it is given a call would draw, and keeps the timer's state for driving ticks.
#pragma once

#include <string>
#include <vector>

#include "game/BoardModel.h"

class TRecordingWindow : public TBoardWindow, public TBoardView {
 public:
  std::vector<std::string> Calls;
  bool TimerOn = false;
  int32_t Interval = 0;

  void EnableControls(bool idle) override {
    Add(idle ? "EnableControls idle" : "EnableControls playing");
  }
  void DrawCells(const TBoardState&, int32_t c0, int32_t r0, int32_t c1, int32_t r1) override {
    Add("DrawCells " + std::to_string(c0) + "," + std::to_string(r0) + " " + std::to_string(c1) +
        "," + std::to_string(r1));
  }
  void DrawArrow(const TBoardState& state, const TMoveCommand& move) override {
    const bool pressed = move == state.Move();
    Add(std::string("DrawArrow ") + (move.Axis == TAxis::Column ? "col " : "row ") +
        std::to_string(move.Index) + (pressed ? " pressed" : " normal"));
  }
  void DrawBoard(const TBoardState&, bool player) override {
    Add(player ? "DrawBoard player" : "DrawBoard back");
  }
  void ShowSurface(bool player) override { Add(player ? "Show player" : "Show back"); }
  void DrawMoveFrame(const TBoardState& state) override {
    Add("Frame " + std::to_string(state.MoveStep));
  }
  void SetTimerInterval(int32_t ms) override {
    Interval = ms;
    Add("Interval " + std::to_string(ms));
  }
  void SetTimerEnabled(bool enabled) override {
    TimerOn = enabled;
    Add(enabled ? "Timer on" : "Timer off");
  }

  // The calls since the last Take.
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(Calls);
    return taken;
  }

 private:
  void Add(std::string call) { Calls.push_back(std::move(call)); }
};
