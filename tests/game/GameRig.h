// A model with its recording window, brought into the states that tests start from.
#pragma once

#include <vector>

#include "RecordingWindow.h"
#include "game/BoardModel.h"
#include "game/Random.h"
#include "tests/support/GameProbe.h"

struct TGameRig {
  TRecordingWindow Window;
  TRandom Random;
  TBoardModel Model{Window, Window, Random};

  // Start-up at the given size: a dealt puzzle, idle.
  void Idle(uint8_t cols = 3, uint8_t rows = 3, uint32_t seed = 1) {
    Random.Seed = seed;
    Model.SetCols(cols);
    Model.SetRows(rows);
    Model.Exit();
    Window.Take();
  }

  // Ticks the timer while it runs, at most `limit` times; returns the ticks made.
  int RunTimer(int limit = 1000) {
    int ticks = 0;
    while (Window.TimerOn && ticks < limit) {
      Model.TimerTick();
      ++ticks;
    }
    return ticks;
  }

  // A started game whose shuffle has finished: moves are taken now.
  void Ready(uint8_t cols = 3, uint8_t rows = 3, uint32_t seed = 1) {
    Idle(cols, rows, seed);
    Model.Start();
    RunTimer();
    Window.Take();
  }

  // The model's state, to set up what play reaches only slowly.
  TBoardState& Set() { return TGameProbe::State(Model); }
  const TBoardState& State() const { return Model.State(); }

  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) Model.TimerTick();
  }
};

using Calls = std::vector<std::string>;
