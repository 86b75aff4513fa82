#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/FileStream.h"
#include "platform/MemoryStream.h"
#include "tests/support/ThrownMessage.h"

namespace {

using platform::StreamError;

const auto Message = &vx8test::ThrownMessage<StreamError>;

// The same contract for every stream: exact reads, short reads raise, seeking past the end.
void CheckStream(platform::Stream& s) {
  EXPECT_EQ(s.Size(), 10);
  char buf[8] = {};
  s.Seek(3);
  s.Read(buf, 4);
  EXPECT_EQ(std::string(buf, 4), "3456");
  EXPECT_EQ(s.Position(), 7);
  EXPECT_EQ(s.Remaining(), 3);
  EXPECT_EQ(Message([&] { s.Read(buf, 4); }), "Stream read error");
  s.Seek(20);
  EXPECT_EQ(s.Remaining(), 0);
  EXPECT_EQ(s.ReadSome(buf, 1), 0u);
  EXPECT_EQ(Message([&] { s.Seek(-1); }), "Stream seek error");
}

TEST(Stream, FileAndMemoryStreamsReadAlike) {
  const auto path =
      std::filesystem::temp_directory_path() / ("zeltoria-stream-" + std::to_string(::getpid()));
  std::ofstream(path) << "0123456789";
  {
    platform::FileStream file(path.string());
    CheckStream(file);
  }
  std::filesystem::remove(path);

  platform::MemoryStream memory(
      std::vector<uint8_t>{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'});
  CheckStream(memory);
}

TEST(Stream, FileThatWillNotOpenNamesItsPath) {
  EXPECT_EQ(Message([] { platform::FileStream("/nonexistent/zelto.vx8"); }),
            "Cannot open file /nonexistent/zelto.vx8");
  const std::string folder = std::filesystem::temp_directory_path().string();
  EXPECT_EQ(Message([&] { platform::FileStream{folder}; }), "Cannot open file " + folder);
}

}  // namespace
