#include "image/VX8Library.h"

#include <algorithm>
#include <cstring>

#include "image/SegmentGeometry.h"
#include "image/VX8Exception.h"
#include "platform/FileStream.h"

platform::BitmapInfo PBMInfo = platform::BitmapInfo::Identity();

TVX8Library::~TVX8Library() {
  for (TVX8Library** variable : References_) *variable = nullptr;
  References_.clear();
  CloseLibrary();
}

void TVX8Library::OpenLibrary(const std::string& fileName) {
  CloseLibrary();
  FileName = fileName;
  try {
    Stream_ = std::make_unique<platform::FileStream>(fileName);
    ReadLibrary();
  } catch (...) {
    CloseLibrary();
    throw;
  }
}

void TVX8Library::OpenLibrary(const std::string& fileName,
                              std::unique_ptr<platform::Stream> stream) {
  CloseLibrary();
  FileName = fileName;
  Stream_ = std::move(stream);
  try {
    if (!Stream_) throw platform::StreamError("Cannot open file " + fileName);
    ReadLibrary();
  } catch (...) {
    CloseLibrary();
    throw;
  }
}

void TVX8Library::ReadLibrary() {
  // A file too short for its head cannot hold the header and the palette.
  const int64_t size = Stream_->Size();
  if (size < HeadBytes) throw VX8Exception("ValidateVX8FileHeader: header invalid");
  uint8_t header[6];
  Stream_->Seek(0);
  Stream_->Read(header, sizeof header);
  ValidateVX8FileHeader(header);
  Palette_ = std::make_unique<std::array<uint8_t, 1024>>();
  Stream_->Read(Palette_->data(), Palette_->size());
  GetHPal();
  FileSize_ = size;
  BuildCatalogue();
}

void TVX8Library::ValidateVX8FileHeader(const uint8_t h[6]) {
  if (h[0] != 0x56 || h[1] != 0x58 || h[2] != 8 || (h[4] | h[5] << 8) != 2)
    throw VX8Exception("ValidateVX8FileHeader: header invalid");
}

void TVX8Library::BuildCatalogue() {
  Catalogue_.clear();
  int64_t offset = HeadBytes;
  // Every record is at least its header long and ends within the file, so the walk ends.
  while (offset < FileSize_) {
    if (offset > int64_t(UINT32_MAX)) throw VX8Exception("Invalid VX8 image header");
    Stream_->Seek(offset);
    const uint32_t length = TVX8Image::RecordSize(*Stream_);
    // RecordSize has checked the header, and that the record holds it.
    uint8_t bytes[TVX8ImageHeader::Bytes];
    Stream_->Seek(offset);
    Stream_->Read(bytes, sizeof bytes);
    const TVX8ImageHeader header = TVX8ImageHeader::FromBytes(bytes);
    Catalogue_.push_back({LowerImageName(std::string(header.Name, strnlen(header.Name, 8))),
                          uint32_t(offset), vx8::ImageBytes(header.Width, header.Height)});
    offset += length;
  }
  // Sorted by name, records alike in file order; of several records alike the last one wins.
  std::stable_sort(
      Catalogue_.begin(), Catalogue_.end(),
      [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.Name < b.Name; });
  size_t kept = 0;
  for (size_t at = 0; at < Catalogue_.size(); ++at) {
    if (kept > 0 && Catalogue_[kept - 1].Name == Catalogue_[at].Name)
      Catalogue_[kept - 1] = Catalogue_[at];
    else if (kept++ != at)
      Catalogue_[kept - 1] = std::move(Catalogue_[at]);
  }
  Catalogue_.resize(kept);
}

void TVX8Library::CheckCatalogueDecodedBytes(int64_t limit) const {
  int64_t total = 0;
  for (const CatalogueEntry& e : Catalogue_) {
    total += e.DecodedBytes;
    if (total > limit)
      throw VX8Exception("OpenLibrary: image \"" + e.Name + "\" takes the pictures to " +
                         std::to_string(total) + " bytes decoded, over the limit of " +
                         std::to_string(limit));
  }
}

void TVX8Library::ReserveDecoded(const char* operation, const std::string& name, int64_t bytes) {
  if (DecodedBytes_ + bytes > DecodeLimit_)
    throw VX8Exception(std::string(operation) + ": image \"" + name +
                       "\" would take the pictures held to " +
                       std::to_string(DecodedBytes_ + bytes) +
                       " bytes decoded, over the limit of " + std::to_string(DecodeLimit_));
  DecodedBytes_ += bytes;
}

void TVX8Library::CloseLibrary() {
  Stream_.reset();
  LoadedImages_.Clear();
  Catalogue_.clear();
  DecodedBytes_ = 0;
  FreePalette();
  FileName.clear();
  FileSize_ = 0;
}

void TVX8Library::FreePalette() {
  PaletteHandle_.reset();
  Palette_.reset();
}

const TVX8Library::CatalogueEntry* TVX8Library::Find(const std::string& lowerName) const {
  auto at =
      std::lower_bound(Catalogue_.begin(), Catalogue_.end(), lowerName,
                       [](const CatalogueEntry& e, const std::string& n) { return e.Name < n; });
  return at != Catalogue_.end() && at->Name == lowerName ? &*at : nullptr;
}

uint32_t TVX8Library::ImageOffset(const std::string& name) const {
  const CatalogueEntry* entry = Find(LowerImageName(name));
  return entry ? entry->Offset : 0;
}

void TVX8Library::CheckImageName(const std::string& name, bool mustExist) const {
  if (ImageExists(name) == mustExist) return;
  if (mustExist) throw VX8Exception("Image \"" + name + "\" does not exist");
  throw VX8Exception("Image name \"" + name + "\" is already in use");
}

TImageNode* TVX8Library::GetImage(const std::string& name) {
  TImageNode* entry = LoadedImages_.FindImage(name);
  if (!entry) {
    CheckImageName(name, true);
    const CatalogueEntry& record = *Find(LowerImageName(name));
    ReserveDecoded("GetImage", name, record.DecodedBytes);
    try {
      auto fresh = std::make_unique<TImageNode>();
      fresh->Name = record.Name;
      fresh->DecodedBytes = record.DecodedBytes;
      Stream_->Seek(record.Offset);
      fresh->Image = std::make_unique<TVX8Image>();
      fresh->Image->Open(*Stream_);
      fresh->Image->DecodeSegments();
      entry = fresh.release();
    } catch (...) {
      DecodedBytes_ -= record.DecodedBytes;
      throw;
    }
    LoadedImages_.Add(entry);
  }
  ++entry->UseCount;
  return entry;
}

void TVX8Library::ReleaseImage(TImageNode* entry) {
  if (!entry) return;
  if (entry->UseCount > 0) --entry->UseCount;
  if (entry->UseCount == 0) {
    if (LoadedImages_.Contains(entry)) {
      LoadedImages_.Remove(entry);
      // Only pictures still in the list are counted: a reopened library has forgotten the rest.
      DecodedBytes_ -= entry->DecodedBytes;
    }
    delete entry;
  }
}

TImageNode* TVX8Library::AddBlankImage(const std::string& name, uint16_t width, uint16_t height) {
  const int64_t bytes = vx8::ImageBytes(width, height);
  ReserveDecoded("AddBlankImage", name, bytes);
  auto entry = std::make_unique<TImageNode>();
  try {
    entry->Name = LowerImageName(name);
    entry->DecodedBytes = bytes;
    entry->Image = std::make_unique<TVX8Image>();
    entry->Image->Init("", width, height);
  } catch (...) {
    DecodedBytes_ -= bytes;
    throw;
  }
  LoadedImages_.Add(entry.get());
  return entry.release();
}

TVX8ImageData* TVX8Library::GetImageData(TImageNode* entry) {
  if (!entry) return nullptr;
  if (!entry->ImageData) entry->ImageData = entry->Image->CreateImageData(&PBMInfo);
  return entry->ImageData.get();
}

void TVX8Library::DrawImage(platform::Device& device, TPoint at, TImageNode* entry) {
  if (!entry) return;
  platform::BitmapInfo copy = PBMInfo;
  entry->Image->DrawToDevice(device, at.X, at.Y, copy);
}

const platform::LogicalPalette* TVX8Library::GetHPal() {
  if (PaletteHandle_) return PaletteHandle_.get();
  if (!Palette_) throw VX8Exception("GetHPal: global palette unavailable");
  // The screen's own entries, the file's colours between the reserved ones at both ends.
  auto palette = std::make_unique<platform::LogicalPalette>();
  palette->Entries = Screen_.System;
  const int n = (Screen_.Static ? Screen_.ReservedColors : 2) / 2;
  for (int i = n; i <= 255 - n; ++i) {
    const uint8_t* file = Palette_->data() + 4 * i;
    palette->Entries[size_t(i)] = {file[2], file[1], file[0], platform::PaletteNoCollapse};
  }
  if (Screen_.Static) {
    for (int i = 0; i < std::min(n, 128); ++i) {
      palette->Entries[size_t(i)].Flags = 0;
      palette->Entries[size_t(255 - i)].Flags = 0;
    }
  } else {
    palette->Entries[0] = {0, 0, 0, 0};
    palette->Entries[255] = {255, 255, 255, 0};
  }
  PaletteHandle_ = std::move(palette);
  return PaletteHandle_.get();
}

void TVX8Library::RegisterReference(TVX8Library** variable) {
  if (variable && *variable == this) References_.push_back(variable);
}

void TVX8Library::UnregisterReference(TVX8Library** variable) {
  auto at = std::find(References_.begin(), References_.end(), variable);
  if (at != References_.end()) References_.erase(at);
}

std::vector<std::string> TVX8Library::ImageNames() const {
  std::vector<std::string> names;
  for (const CatalogueEntry& e : Catalogue_) names.push_back(e.Name);
  return names;
}
