// Small helpers shared by the commands of vx8tool: error lines, names fit for a terminal,
// reading a surface's pixels.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class TVX8ImageData;
class TVX8Library;

namespace vx8tool {

// What the commands may allocate for what a file asks: the decoded pictures one library holds
// at once (far above what a game needs, yet no bomb) and the contact sheet. The fuzz target
// lowers them, so that any allocation past them shows up as a finding.
struct Limits {
  int64_t DecodedBytes = int64_t(1) << 30;
  int64_t SheetBytes = int64_t(1) << 30;
};
Limits& ToolLimits();

// Opens the library at `path` with the tool's decode limit; a refusal names the file.
void OpenLibrary(TVX8Library& library, const std::string& path);
// The name of every record of the open library, in file order, as stored.
std::vector<std::string> RecordNames(const TVX8Library& library, const std::string& path);

// The image engine's message without the operation it names first ("Decode: invalid line
// code" becomes "invalid line code"): a person reading vx8tool's output knows no operations.
std::string WithoutOperation(const std::string& message);

// "vx8tool: TEXT" on stderr, or where ErrorOutput was pointed (the fuzz target: nowhere).
void PrintError(const std::string& text);
std::FILE*& ErrorOutput();
// The name with bytes outside printable ASCII written as \xNN.
std::string Printable(const std::string& name);
// Width x Height palette indices, top row first, no padding.
std::vector<uint8_t> SurfacePixels(TVX8ImageData& data);

// Whether `text` ends in `end` (lower case), whatever the case of its letters.
bool EndsWithIgnoringCase(const std::string& text, const std::string& end);

}  // namespace vx8tool
