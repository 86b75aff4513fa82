// Which arrow of the player's board lies under a point of its picture.
#pragma once

#include <optional>

#include "game/BoardModel.h"
#include "game/BoardRenderer.h"

// The arrow under (x, y) on the player's board picture as the move it starts; none between
// and beside the arrows.
std::optional<TMoveCommand> HitArrow(const TBoardRenderer& renderer, const TBoardModel& model,
                                     int32_t x, int32_t y);
