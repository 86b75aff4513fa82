// The image library: opens and validates the data file, catalogues its records by name, loads
// pictures on demand and shares them by use counts, hands out their drawing surfaces and
// builds the logical palette every window selects before it shows a picture.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "image/ImageList.h"
#include "platform/BitmapInfo.h"
#include "platform/Device.h"
#include "platform/LogicalPalette.h"
#include "platform/Stream.h"

// The one bitmap-information block of the process: 8 bits per pixel and the colour table
// 0, 1, ..., 255. Every surface shares it; DrawImage works on a copy.
extern platform::BitmapInfo PBMInfo;

class TVX8Library {
 public:
  static constexpr int64_t HeadBytes = 1030;  // signature, format number, palette
  // What the game lets its pictures hold decoded at once; tools that read any library raise it.
  static constexpr int64_t DefaultDecodeLimit = int64_t(64) << 20;

  TVX8Library() = default;
  // Clears every registered variable, then closes the library.
  ~TVX8Library();
  TVX8Library(const TVX8Library&) = delete;
  TVX8Library& operator=(const TVX8Library&) = delete;

  // Opens the data file at `fileName`; a failure leaves the library closed and goes on.
  void OpenLibrary(const std::string& fileName);
  // The same over a stream already open on the file's bytes, known by `fileName`.
  void OpenLibrary(const std::string& fileName, std::unique_ptr<platform::Stream> stream);
  // Frees every loaded entry, whatever its use count, and forgets the file.
  void CloseLibrary();

  // The record offset of the name, 0 when the file holds no such record.
  uint32_t ImageOffset(const std::string& name) const;
  bool ImageExists(const std::string& name) const { return ImageOffset(name) > 0; }
  void CheckImageName(const std::string& name, bool mustExist) const;

  // The loaded entry of the name, loading it first when needed; counts one use.
  TImageNode* GetImage(const std::string& name);
  // Gives back one use; frees the entry when none is left.
  void ReleaseImage(TImageNode* entry);
  // A new blank picture of zero pixels, owned by the caller until its ReleaseImage.
  TImageNode* AddBlankImage(const std::string& name, uint16_t width, uint16_t height);
  // The entry's drawing surface, made on the first request; null when it cannot be made.
  TVX8ImageData* GetImageData(TImageNode* entry);
  void DrawImage(platform::Device& device, TPoint at, TImageNode* entry);
  // The file's colours between the colours the screen keeps for itself: on a screen with
  // static colours its n reserved ones at both ends, else 0 black and 255 white. Built once and
  // kept until closed.
  const platform::LogicalPalette* GetHPal();
  // The screen GetHPal builds the palette for (which OpenLibrary asks for): set it before; a
  // screen without a system palette until then.
  void SetScreenPalette(const platform::ScreenPalette& screen) { Screen_ = screen; }

  // The most bytes of pixel rows the loaded pictures may hold together; a GetImage or
  // AddBlankImage that would pass it is refused, naming the picture.
  void SetDecodeLimit(int64_t bytes) { DecodeLimit_ = bytes; }
  int64_t DecodeLimit() const { return DecodeLimit_; }
  int64_t DecodedBytes() const { return DecodedBytes_; }
  // Refuses, naming the picture at which the total passes `limit`, a library whose catalogued
  // pictures could not all be held decoded at once within it.
  void CheckCatalogueDecodedBytes(int64_t limit) const;

  // Remembers a variable that holds this library, to set it to null when the library goes.
  void RegisterReference(TVX8Library** variable);
  void UnregisterReference(TVX8Library** variable);

  std::string FileName;
  int64_t FileSize() const { return FileSize_; }
  // The catalogued names, sorted.
  std::vector<std::string> ImageNames() const;
  // The file's 256 entries of blue, green, red and an unused byte; null while closed.
  const std::array<uint8_t, 1024>* Palette() const { return Palette_.get(); }
  const TImageList& LoadedImages() const { return LoadedImages_; }

 private:
  struct CatalogueEntry {
    std::string Name;  // lower case
    uint32_t Offset;
    uint32_t DecodedBytes;  // the picture's rows, as its record header gives its size
  };

  void ReadLibrary();
  static void ValidateVX8FileHeader(const uint8_t header[6]);
  void BuildCatalogue();
  void FreePalette();
  const CatalogueEntry* Find(const std::string& lowerName) const;
  // Counts `bytes` more held decoded, or refuses them for picture `name`.
  void ReserveDecoded(const char* operation, const std::string& name, int64_t bytes);

  TImageList LoadedImages_;
  std::unique_ptr<std::array<uint8_t, 1024>> Palette_;
  std::unique_ptr<platform::LogicalPalette> PaletteHandle_;
  platform::ScreenPalette Screen_;
  std::vector<CatalogueEntry> Catalogue_;  // sorted by name
  std::unique_ptr<platform::Stream> Stream_;
  int64_t FileSize_ = 0;
  int64_t DecodeLimit_ = DefaultDecodeLimit;
  int64_t DecodedBytes_ = 0;
  std::vector<TVX8Library**> References_;
};
