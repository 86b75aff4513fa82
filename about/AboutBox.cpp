#include "about/AboutBox.h"

namespace about {

std::string_view LinkToOpen(std::string_view shown) {
  return shown.substr(0, 79);
}

void TAboutBox::Create(uint32_t seed) {
  Random.Seed = seed;
  ShowNextHomeOf();
}

void TAboutBox::Show() {
  PanelShown_ = false;
}

void TAboutBox::WhatIsClick() {
  PanelShown_ = true;
}

void TAboutBox::IKnowClick() {
  PanelShown_ = false;
}

void TAboutBox::ShowNextHomeOf() {
  FlashTag_ = (FlashTag_ + 1) % int(HomeOfLines.size());
  HomeOfColor_ = HomeOfColors[Random.Random(uint32_t(HomeOfColors.size()))];
}

bool TAboutBox::SetLinkHot(bool hot) {
  if (hot == LinkHot_) return false;
  LinkHot_ = hot;
  return true;
}

}  // namespace about
