// Every command of vx8tool over hostile files, as a user would run it: the first byte chooses
// list, verify, sheet, extract, unpack (into a scratch folder, then packed back) or pack; the
// rest is the library, or for pack the one picture its manifest names. The tool's limits are
// lowered so that with libFuzzer's -malloc_limit_mb any allocation a file could steer past them
// (a decompression bomb, a sheet of wrapped size) is a finding, as is any write out of bounds.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "image/VX8Library.h"
#include "tools/png/PngFile.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/SafeFiles.h"
#include "tools/vx8tool/ToolSupport.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// A folder of this process's own, in memory where the system has one, with the palette
// picture and the manifest that pack reads beside the picture.
const std::string& Scratch() {
  static const std::string folder = [] {
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    pattern += "/fuzz-vx8tool-XXXXXX";
    Check(mkdtemp(pattern.data()) != nullptr);
    // Left to the end of the process, whatever the fuzzer's last input did there.
    static const std::string* removed = new std::string(pattern);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(*removed, ignored);
    });
    vx8tool::ToolLimits() = {int64_t(32) << 20, int64_t(32) << 20};
    vx8tool::ErrorOutput() = std::fopen("/dev/null", "w");
    Check(std::freopen("/dev/null", "w", stdout) != nullptr);
    png::PngPalette palette{};
    for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
    std::vector<uint8_t> indices(256);
    std::iota(indices.begin(), indices.end(), 0);
    vx8tool::WriteFileAtomically(pattern + "/palette.png",
                                 png::EncodePngIndexed(16, 16, indices.data(), palette, {}));
    const std::string manifest = "palette palette.png\nimage pic pic.png transparent=3\n";
    vx8tool::WriteFileAtomically(pattern + "/manifest.txt",
                                 std::vector<uint8_t>(manifest.begin(), manifest.end()));
    return pattern;
  }();
  return folder;
}

// As main runs a command: its failures are messages, never a crash.
int Run(int (*command)(const vx8tool::Args&), std::vector<std::string> words,
        std::vector<std::string> options = {}) {
  try {
    return command({std::move(words), std::move(options)});
  } catch (const std::exception&) {
    return vx8tool::ExitFailure;
  }
}

// The first catalogued name, for extract; none in a file that does not open.
std::string FirstName(const std::string& path) {
  try {
    TVX8Library library;
    vx8tool::OpenLibrary(library, path);
    const std::vector<std::string> names = library.ImageNames();
    return names.empty() ? "none" : names.front();
  } catch (const std::exception&) {
    return "none";
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string& dir = Scratch();
  const std::vector<uint8_t> file(data + 1, data + size);
  const std::string library = dir + "/in.vx8";
  switch (data[0] % 6) {
    case 0:
      vx8tool::WriteFileAtomically(library, file);
      Run(vx8tool::ListCommand, {library});
      break;
    case 1:
      vx8tool::WriteFileAtomically(library, file);
      Run(vx8tool::VerifyCommand, {library});
      break;
    case 2:
      vx8tool::WriteFileAtomically(library, file);
      Run(vx8tool::SheetCommand, {library, dir + "/sheet.png"});
      break;
    case 3:
      vx8tool::WriteFileAtomically(library, file);
      Run(vx8tool::ExtractCommand, {library, FirstName(library), dir + "/picture.png"});
      break;
    case 4: {
      vx8tool::WriteFileAtomically(library, file);
      // What unpack writes, pack reads back, and the game loads every picture of it.
      if (Run(vx8tool::UnpackCommand, {library, dir + "/out"}, {"--force"}) == vx8tool::ExitOk) {
        Check(Run(vx8tool::PackCommand, {dir + "/out/manifest.txt", dir + "/again.vx8"}) ==
              vx8tool::ExitOk);
        Check(Run(vx8tool::VerifyCommand, {dir + "/again.vx8"}) == vx8tool::ExitOk);
      }
      break;
    }
    default:
      vx8tool::WriteFileAtomically(dir + "/pic.png", file);
      Run(vx8tool::PackCommand, {dir + "/manifest.txt", dir + "/packed.vx8"});
      break;
  }
  return 0;
}
