// The browser's files: the page hands the module the files it fetched (the data file), held in
// memory by path. FileStream reads them in the browser build, which so needs no file system of
// the runtime's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Room for the file at `path`, `size` bytes, for the page to fill; replaces a file of that path.
uint8_t* AddPageFile(const std::string& path, size_t size);

}  // namespace platform
