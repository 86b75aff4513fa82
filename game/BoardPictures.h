// The library pictures the main window keeps for its whole life: the arrow strips, the cell
// parts and the two board pictures, each as its library entry and its drawing surface.
#pragma once

#include <array>
#include <string_view>

#include "game/BoardLayout.h"
#include "image/VX8Library.h"

// Indices into TBoardPictures' arrow arrays, in the order the pictures are taken.
enum TArrowPicture {
  ArrowAbove,
  ArrowAbovePressed,
  ArrowBelow,
  ArrowBelowPressed,
  ArrowLeft,
  ArrowLeftPressed,
  ArrowRight,
  ArrowRightPressed,
  ArrowPictureCount
};

inline constexpr std::array<std::string_view, ArrowPictureCount> ArrowPictureNames = {
    "arru_up", "arru_dn", "arrd_up", "arrd_dn", "arrl_up", "arrl_dn", "arrr_up", "arrr_dn"};

struct TBoardPictures {
  // The library the pictures came from; not owned.
  TVX8Library* Library = nullptr;

  std::array<TImageNode*, ArrowPictureCount> ArrowNodes{};
  std::array<TVX8ImageData*, ArrowPictureCount> ArrowData{};
  TImageNode* EmptyNode = nullptr;
  TImageNode* RoadsNode = nullptr;
  TImageNode* ConnDiagNode = nullptr;
  TImageNode* BoardNode = nullptr;
  TImageNode* BackBoardNode = nullptr;
  TVX8ImageData* EmptyData = nullptr;
  TVX8ImageData* RoadsData = nullptr;
  TVX8ImageData* ConnDiagData = nullptr;
  TVX8ImageData* BoardData = nullptr;
  TVX8ImageData* BackBoardData = nullptr;

  // Takes every picture from `library`: the eight arrows, then their surfaces; "empty",
  // "roads" and "conndiag", then theirs; then the blank "_BOARD_" and "_BACKBOARD_". A missing
  // picture raises the library's error; what was taken before it stays taken.
  void Take(TVX8Library& library);
};
