// What the page's game shows of itself to the test build's lab, which reads it without touching
// it.
#pragma once

class TFormZelto;

namespace web {

// Where the page puts the data file.
inline constexpr char PageDataDir[] = "/";

// The player's window, or null before the start.
const TFormZelto* PlayerForm();

}  // namespace web
