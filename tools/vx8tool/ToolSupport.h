// Small helpers shared by the commands of vx8tool: error lines, names fit for a terminal,
// reading a surface's pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TVX8ImageData;

namespace vx8tool {

// "vx8tool: TEXT" on stderr.
void PrintError(const std::string& text);
// The name with bytes outside printable ASCII written as \xNN.
std::string Printable(const std::string& name);
// Width x Height palette indices, top row first, no padding.
std::vector<uint8_t> SurfacePixels(TVX8ImageData& data);

}  // namespace vx8tool
