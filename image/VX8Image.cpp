#include "image/VX8Image.h"

#include <cstring>

#include "image/VX8Exception.h"
#include "image/VX8ImageData.h"

namespace {

[[noreturn]] void InvalidHeader() {
  throw VX8Exception("Invalid VX8 image header");
}

uint32_t ReadU32(platform::Stream& stream) {
  uint8_t b[4];
  stream.Read(b, 4);
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// The record header at the stream's position; a stream that ends first holds no record.
TVX8ImageHeader ReadHeader(platform::Stream& stream) {
  if (stream.Remaining() < int64_t(TVX8ImageHeader::Bytes)) InvalidHeader();
  uint8_t bytes[TVX8ImageHeader::Bytes];
  stream.Read(bytes, sizeof bytes);
  return TVX8ImageHeader::FromBytes(bytes);
}

// A validated header whose band count is the one its size needs, so that every band found
// later is as large as the geometry says.
void ValidateBanding(const TVX8ImageHeader& header) {
  TVX8Image::ValidateHeader(header);
  if (header.SegmentCount != vx8::SegmentCount(header.Width, header.Height)) InvalidHeader();
}

uint32_t TableEnd(const TVX8ImageHeader& header) {
  return uint32_t(TVX8ImageHeader::Bytes) + 4u * header.SegmentCount;
}

}  // namespace

void TVX8Image::ValidateHeader(const TVX8ImageHeader& h) {
  if (h.Width == 0 || h.Height == 0 || h.SegmentCount == 0 || (h.State != 1 && h.State != 2) ||
      h.Format != 3)
    InvalidHeader();
}

void TVX8Image::InitHeader(TVX8ImageHeader& header, const std::string& name, uint16_t width,
                           uint16_t height) {
  header = TVX8ImageHeader{};
  std::memcpy(header.Name, name.data(), name.size() < 8 ? name.size() : 8);
  header.Width = width;
  header.Height = height;
  header.SegmentCount = uint8_t(vx8::SegmentCount(width, height));
  header.Format = 3;
}

std::string TVX8Image::RecordName(platform::Stream& stream) {
  const TVX8ImageHeader header = ReadHeader(stream);
  return std::string(header.Name, strnlen(header.Name, sizeof header.Name));
}

uint32_t TVX8Image::RecordSize(platform::Stream& stream) {
  const int64_t available = stream.Remaining();
  const TVX8ImageHeader header = ReadHeader(stream);
  ValidateBanding(header);
  if (available < int64_t(TableEnd(header))) InvalidHeader();
  stream.Seek(stream.Position() + 4 * (int64_t(header.SegmentCount) - 1));
  const uint32_t size = ReadU32(stream);
  // Room for the table and every segment's own header, and no further than the stream goes.
  if (size < TableEnd(header) + 3u * header.SegmentCount || size > available) InvalidHeader();
  return size;
}

std::string TVX8Image::Name() const {
  return std::string(Header_.Name, strnlen(Header_.Name, sizeof Header_.Name));
}

void TVX8Image::Open(platform::Stream& stream) {
  Release();
  try {
    if (stream.Position() > int64_t(UINT32_MAX)) InvalidHeader();
    RecordStart_ = uint32_t(stream.Position());
    Stream_ = &stream;
    const int64_t available = stream.Remaining();
    Header_ = ReadHeader(stream);
    ValidateBanding(Header_);
    if (available < int64_t(TableEnd(Header_))) InvalidHeader();

    const uint8_t count = Header_.SegmentCount;
    Segments_.resize(count);
    std::vector<uint32_t> begins(count);
    uint32_t p = TableEnd(Header_);
    for (uint8_t i = 0; i < count; ++i) {
      const uint32_t e = ReadU32(stream);
      // Each segment holds its 3-byte header and at most 65535 stored bytes.
      if (e < p || e - p < 3 || e - p - 3 > 0xFFFF) InvalidHeader();
      Segments_[i] = std::make_unique<TVX8ImageSegment>(this, i);
      Segments_[i]->SetUnloaded(uint16_t(e - p - 3));
      begins[i] = p;
      p = e;
    }
    if (p > available) InvalidHeader();

    for (uint8_t i = 0; i < count; ++i) {
      TVX8ImageSegment& segment = *Segments_[i];
      stream.Seek(int64_t(RecordStart_) + begins[i]);
      segment.ReadSegmentHeader(stream);
      // Bytes that become pixel rows as they are must be exactly one band.
      const bool finishedRows = Header_.State == 2 || !(segment.Flags & TVX8ImageSegment::Encoded);
      if (finishedRows && segment.Size() != vx8::SegmentBytes(Header_.Width, Header_.Height, i))
        InvalidHeader();
    }
    stream.Seek(int64_t(RecordStart_) + p);
  } catch (...) {
    Stream_ = nullptr;
    Release();
    throw;
  }
}

void TVX8Image::DecodeSegments() {
  if (Header_.State != 1) return;
  try {
    for (auto& segment : Segments_)
      if (segment) segment->Decode(Header_.Width, Header_.Height);
  } catch (...) {
    Release();
    throw;
  }
  Header_.State = 2;
}

void TVX8Image::LoadSegment(uint8_t index) {
  TVX8ImageSegment* segment = Segment(index);
  if (!Stream_ || !segment) return;
  uint32_t begin = TableEnd(Header_);
  if (index == 0) {
    Stream_->Seek(int64_t(RecordStart_) + 18);
  } else {
    Stream_->Seek(int64_t(RecordStart_) + 18 + 4 * (int64_t(index) - 1));
    begin = ReadU32(*Stream_);
  }
  begin += 3;
  const uint32_t end = ReadU32(*Stream_);
  // The table was checked when the record was opened; a file changed since then is refused
  // rather than read into a buffer of the wrong size.
  if (end < begin || end - begin != segment->Size()) InvalidHeader();
  const uint16_t n = uint16_t(end - begin);
  Stream_->Seek(int64_t(RecordStart_) + begin);
  segment->Allocate(n, TVX8ImageSegment::MovableBlock);
  try {
    Stream_->Read(segment->Lock(), n);
  } catch (...) {
    segment->SetUnloaded(n);
    throw;
  }
  segment->Unlock();
}

void TVX8Image::StartPicture(const std::string& name, uint16_t width, uint16_t height) {
  Release();
  Stream_ = nullptr;
  RecordStart_ = 0;
  const uint16_t count = vx8::SegmentCount(width, height);
  if (count == 0 || count > 255) InvalidHeader();
  InitHeader(Header_, name, width, height);
  Segments_.resize(count);
  for (uint16_t i = 0; i < count; ++i) Segments_[i] = std::make_unique<TVX8ImageSegment>(this, i);
}

void TVX8Image::Init(const std::string& name, uint16_t width, uint16_t height) {
  try {
    StartPicture(name, width, height);
    for (uint8_t i = 0; i < Header_.SegmentCount; ++i)
      Segments_[i]->Allocate(vx8::SegmentBytes(width, height, i), TVX8ImageSegment::MovableBlock);
    Header_.State = 2;
  } catch (...) {
    Release();
    throw;
  }
}

void TVX8Image::Release() {
  Segments_.clear();
  Header_.State = 0;
}

std::unique_ptr<TVX8ImageData> TVX8Image::CreateImageData(platform::BitmapInfo* bitmapInfo) {
  std::unique_ptr<TVX8ImageData> data;
  try {
    DecodeSegments();
    // A surface needs every band decoded; a released image has none.
    if (Header_.State != 2) return nullptr;
    std::vector<TVX8ImageSegment*> segments;
    for (auto& segment : Segments_) segments.push_back(segment.get());
    data = std::make_unique<TVX8ImageData>();
    data->Initialize(Header_.Width, Header_.Height, Header_.SegmentCount, std::move(segments),
                     Header_.TransparentColor, Header_.Transparent != 0, bitmapInfo);
    return data;
  } catch (const std::exception&) {
    if (data) ReleaseImageData(std::move(data));
    return nullptr;
  }
}

void TVX8Image::ReleaseImageData(std::unique_ptr<TVX8ImageData> imageData) {
  for (auto& segment : Segments_)
    if (segment) segment->Unlock();
  imageData.reset();
}

namespace {

// Clears Busy and gives up the lock when a band has been painted, also on an exception.
struct PaintingBand {
  TVX8ImageSegment& Segment;
  explicit PaintingBand(TVX8ImageSegment& s) : Segment(s) {
    Segment.Flags |= TVX8ImageSegment::Busy;
  }
  ~PaintingBand() {
    Segment.Unlock();
    Segment.Flags &= uint8_t(~TVX8ImageSegment::Busy);
  }
};

}  // namespace

void TVX8Image::DrawToDevice(platform::Device& dc, int x, int y, platform::BitmapInfo& bitmapInfo) {
  if (Header_.State != 2) return;
  const uint16_t w = Header_.Width;
  bitmapInfo.Header.Width = w;
  int bottom = Header_.Height;
  for (size_t i = 0; i < Segments_.size(); ++i) {
    const uint16_t rows = vx8::SegmentRows(w, Header_.Height, uint8_t(i));
    bottom -= rows;
    TVX8ImageSegment* segment = Segments_[i].get();
    if (!segment || (segment->Flags & TVX8ImageSegment::Busy)) continue;
    PaintingBand band(*segment);
    const uint32_t bytes = uint32_t(vx8::LineBytes(w)) * rows;
    bitmapInfo.Header.Height = rows;
    bitmapInfo.Header.SizeImage = bytes;
    const uint8_t* pixels = segment->Lock();
    if (pixels && segment->Size() >= bytes)
      dc.StretchDIBits(x, y + bottom, w, rows, 0, 0, w, rows, pixels, bitmapInfo,
                       platform::RasterOp::SrcCopy);
  }
}
