#include "game/BoardPictures.h"

void TBoardPictures::Take(TVX8Library& library) {
  Library = &library;
  for (size_t i = 0; i < ArrowPictureCount; ++i)
    ArrowNodes[i] = library.GetImage(std::string(ArrowPictureNames[i]));
  for (size_t i = 0; i < ArrowPictureCount; ++i) ArrowData[i] = library.GetImageData(ArrowNodes[i]);

  EmptyNode = library.GetImage("empty");
  RoadsNode = library.GetImage("roads");
  ConnDiagNode = library.GetImage("conndiag");
  EmptyData = library.GetImageData(EmptyNode);
  RoadsData = library.GetImageData(RoadsNode);
  ConnDiagData = library.GetImageData(ConnDiagNode);

  constexpr uint16_t size = TBoardLayout::PictureSize;
  BoardNode = library.AddBlankImage("_BOARD_", size, size);
  BackBoardNode = library.AddBlankImage("_BACKBOARD_", size, size);
  BoardData = library.GetImageData(BoardNode);
  BackBoardData = library.GetImageData(BackBoardNode);
}
