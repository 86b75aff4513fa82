// The system's own text, UTF-16, to and from the game's UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace platform::win32
