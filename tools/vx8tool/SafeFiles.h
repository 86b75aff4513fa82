// How vx8tool touches the file system where other users may have been first: outputs that are
// never an input, files made new beside their place and renamed into it (never through a link
// found there), folders written into only when empty, and inputs read only from regular files.
#pragma once

#include <sys/types.h>
#include <cstdint>
#include <string>
#include <vector>

namespace vx8tool {

// Refuses (UsageError) an output whose name does not end in `ending` (".png").
void CheckOutputName(const std::string& out, const std::string& ending);

// The device and inode of each input, to refuse an output that would replace one.
class Inputs {
 public:
  explicit Inputs(const std::vector<std::string>& paths);
  void Add(const std::string& path);
  // Refuses "OUT is the same file as INPUT" when `out` names one of the inputs.
  void CheckNotAnInput(const std::string& out) const;

 private:
  struct Identity {
    dev_t Device;
    ino_t Inode;
    std::string Path;
  };
  std::vector<Identity> Files_;
};

// A folder to write files into, opened once so that a name swapped for a link while writing
// takes nothing elsewhere; every file is made new under a temporary name and renamed into place.
class OutputFolder {
 public:
  // `folder` made when missing; an existing one must be a folder, and empty unless `replace`.
  OutputFolder(const std::string& folder, bool create, bool replace);
  ~OutputFolder();
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;

  // Writes `name` in the folder; raises "cannot write FOLDER/NAME: REASON". An existing file
  // of that name is replaced, not written through, and never when it is one of `inputs`.
  // Unless `sync` is false the file reaches the disk before it takes the name.
  void Write(const std::string& name, const std::vector<uint8_t>& bytes,
             const Inputs* inputs = nullptr, bool sync = true) const;
  // Everything written so far reaches the disk: one wait for many files written unsynced.
  void SyncAll() const;

 private:
  std::string Folder_;
  int Fd_ = -1;
};

// `bytes` as the file `path`, through a new file beside it renamed into place.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// The whole of `path`, which must be a regular file of at most `maxBytes`; raises
// "cannot read PATH: REASON" (a folder, a device or a FIFO: "not a regular file").
std::vector<uint8_t> ReadRegularFile(const std::string& path, int64_t maxBytes);

}  // namespace vx8tool
