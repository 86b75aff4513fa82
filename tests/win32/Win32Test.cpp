// The Windows services as the system has them, under Wine: global memory blocks, the data
// file's stream, the registry, the file system's paths, and the window's device drawing through
// a real palette with StretchDIBits.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/FileStream.h"
#include "platform/MemoryBlock.h"
#include "platform/win32/Win32Device.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Text.h"

namespace {

using platform::win32::Win32Device;
using platform::win32::Win32Palettes;

TEST(Win32Memory, AnUnloadedBlockIsADiscardedGlobalBlockAndAPresentOneIsMovable) {
  platform::MemoryBlock block;
  block.SetUnloaded(300);
  auto* handle = static_cast<HGLOBAL>(const_cast<void*>(block.SystemHandle()));
  ASSERT_NE(handle, nullptr);
  EXPECT_TRUE(GlobalFlags(handle) & GMEM_DISCARDED);
  EXPECT_EQ(GlobalLock(handle), nullptr);
  EXPECT_EQ(block.Size(), 300u);

  ASSERT_TRUE(block.Allocate(100, platform::BlockMoveable | platform::BlockDiscardable));
  handle = static_cast<HGLOBAL>(const_cast<void*>(block.SystemHandle()));
  EXPECT_TRUE(GlobalFlags(handle) & GMEM_DISCARDABLE);
  EXPECT_FALSE(GlobalFlags(handle) & GMEM_DISCARDED);
  block.Lock();
  EXPECT_EQ(GlobalFlags(handle) & GMEM_LOCKCOUNT, 1u) << "locked once, however often asked";
  block.Lock();
  EXPECT_EQ(GlobalFlags(handle) & GMEM_LOCKCOUNT, 1u);
  block.Unlock();
  EXPECT_EQ(GlobalFlags(handle) & GMEM_LOCKCOUNT, 0u);
}

TEST(Win32Files, PathsUseBackslashesAndTheDataFileMayBeWrittenWhileItIsRead) {
  platform::win32::Win32FileSystem files;
  const std::string exe = files.ExecutablePath();
  ASSERT_GT(exe.size(), 4u);
  EXPECT_EQ(exe.substr(exe.size() - 4), ".exe");
  EXPECT_EQ(files.Separator(), '\\');
  const std::string folder = exe.substr(0, exe.rfind('\\'));
  EXPECT_TRUE(files.GetFileAttributes(folder)->Directory);
  EXPECT_TRUE(files.FileExists(exe));
  EXPECT_FALSE(files.FileExists(folder));
  EXPECT_FALSE(files.GetFileAttributes(folder + "\\no such file").has_value());

  const std::string path = folder + "\\stream-test.bin";
  std::ofstream(path, std::ios::binary) << "abcdef";
  {
    platform::FileStream stream(path);
    // Another program may write the file meanwhile.
    HANDLE writer =
        CreateFileW(platform::win32::Wide(path).c_str(), GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(writer, INVALID_HANDLE_VALUE);
    CloseHandle(writer);
    char got[4] = {};
    stream.Seek(2);
    EXPECT_EQ(stream.ReadSome(got, 3), 3u);
    EXPECT_EQ(std::string(got), "cde");
    EXPECT_EQ(stream.Size(), 6);
  }
  std::remove(path.c_str());
  EXPECT_THROW(platform::FileStream{folder}, platform::StreamError) << "a folder is no file";
}

TEST(Win32Registry, AKeyOpensCreatedOnlyWhenAskedAndReadsOnlyStrings) {
  const std::string key = "Software\\Zeltoria tests\\Keys";
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zeltoria tests");
  platform::win32::Win32SettingsStore store;
  EXPECT_EQ(store.OpenKey(key, false), nullptr);
  ASSERT_NE(store.OpenKey(key, true), nullptr);
  HKEY raw = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &raw), ERROR_SUCCESS);
  const wchar_t folder[] = L"C:\\Spiele\\Zeltoria \u00e9t\u00e9";
  RegSetValueExW(raw, L"Directory", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                 sizeof(folder));
  const DWORD number = 7;
  RegSetValueExW(raw, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
  RegCloseKey(raw);
  const auto opened = store.OpenKey(key, false);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->ReadString("Directory"), "C:\\Spiele\\Zeltoria \xc3\xa9t\xc3\xa9");
  EXPECT_EQ(opened->ReadString("Number"), std::nullopt);
  EXPECT_EQ(opened->ReadString("Missing"), std::nullopt);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zeltoria tests");
}

// A true-colour memory picture drawn through the device at scale 2: each index lands as its
// palette colour on a square of four device pixels, and the raster operations combine per
// channel.
TEST(Win32Device, BlocksLandThroughTheSelectedPaletteAtTheWindowsScale) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -6, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ before = SelectObject(dc, picture);
  const auto pixel = [&](int x, int y) { return static_cast<const uint32_t*>(bits)[y * 8 + x]; };

  platform::LogicalPalette palette;
  for (int i = 0; i < 256; ++i)
    palette.Entries[size_t(i)] = {uint8_t(i), uint8_t(255 - i), 0x40, 0};
  Win32Palettes palettes;
  {
    Win32Device device(dc, 2, palettes);
    device.SelectPalette(&palette, false);
    EXPECT_EQ(device.SelectedPalette(), &palette);
    // 2 x 2, bottom-up: the bottom line is 10 20, the top one 30 40.
    const uint8_t block[] = {10, 20, 0, 0, 30, 40, 0, 0};
    platform::BitmapInfo dib = platform::BitmapInfo::Identity();
    dib.Header.Width = 2;
    dib.Header.Height = 2;
    EXPECT_EQ(device.StretchDIBits(1, 0, 2, 2, 0, 0, 2, 2, block, dib, platform::RasterOp::SrcCopy),
              2);
    device.FillRect({0, 2, 4, 3}, 0x0F0F0F);
    const uint8_t one[] = {200, 0, 0, 0};
    dib.Header.Width = 1;
    dib.Header.Height = 1;
    device.StretchDIBits(0, 2, 1, 1, 0, 0, 1, 1, one, dib, platform::RasterOp::SrcPaint);
    EXPECT_EQ(device.ClipBox(), (TRect{0, 0, 4, 3}));
  }
  GdiFlush();
  const auto rgb = [](int i) { return uint32_t(i) << 16 | uint32_t(255 - i) << 8 | 0x40u; };
  EXPECT_EQ(pixel(2, 0) & 0xFFFFFF, rgb(30));
  EXPECT_EQ(pixel(3, 1) & 0xFFFFFF, rgb(30));
  EXPECT_EQ(pixel(4, 0) & 0xFFFFFF, rgb(40));
  EXPECT_EQ(pixel(2, 2) & 0xFFFFFF, rgb(10));
  EXPECT_EQ(pixel(5, 3) & 0xFFFFFF, rgb(20));
  EXPECT_EQ(pixel(0, 0) & 0xFFFFFF, 0u) << "outside the block";
  EXPECT_EQ(pixel(1, 5) & 0xFFFFFF, rgb(200) | 0x0F0F0Fu);
  SelectObject(dc, before);
  DeleteObject(picture);
  DeleteDC(dc);
}

}  // namespace
