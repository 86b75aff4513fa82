// vx8tool verify FILE: opens the file as the game does and loads every catalogued picture with
// its surface and every band, stopping at the first failure.
#include <cstdio>
#include <exception>
#include <string>

#include "image/VX8Library.h"
#include "platform/MemoryDevice.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/ToolSupport.h"

namespace vx8tool {

int VerifyCommand(const Args& args) {
  TVX8Library library;
  try {
    OpenLibrary(library, args[0]);
  } catch (const std::exception& e) {
    PrintError(e.what());
    return ExitFailure;
  }
  const std::vector<std::string> names = library.ImageNames();
  for (const std::string& name : names) {
    try {
      TImageNode* entry = library.GetImage(name);
      if (!library.GetImageData(entry)) throw std::runtime_error("cannot make its drawing surface");
      // Finished bands are read on their first use; painting uses every band.
      platform::MemoryDevice device(1, 1);
      library.DrawImage(device, {0, 0}, entry);
      library.ReleaseImage(entry);
    } catch (const std::exception& e) {
      PrintError(Printable(name) + ": " + WithoutOperation(e.what()));
      return ExitFailure;
    }
  }
  std::printf("ok: %zu pictures\n", names.size());
  return ExitOk;
}

}  // namespace vx8tool
