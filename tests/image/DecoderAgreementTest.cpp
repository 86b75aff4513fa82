// The fast decoders against the reference decoders: whole pictures of every kind coded by the
// real encoder, the same bytes damaged, and streams of random tokens. Widths around multiples
// of eight and short stored ends steer the decoders onto every switch between word-at-a-time
// and byte-at-a-time work.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/SegmentEncoder.h"
#include "image/SegmentGeometry.h"
#include "tests/support/DecoderAgreement.h"
#include "tests/support/ReferenceDecoder.h"

namespace {

using namespace vx8test;
using Bytes = std::vector<uint8_t>;

struct Band {
  vx8::BandShape Shape;
  Bytes Rows;  // Rows x LineBytes, padding zero
};

// Rows of long runs, short runs, dither, noise and repeats of the row below, in a mix the seed
// picks; values crowd around a few so that escapes are common pixels too.
Band MakeBand(std::mt19937& random) {
  static const uint16_t widths[] = {1, 3, 7, 8, 9, 15, 16, 17, 63, 64, 65, 200, 255, 256, 257, 640};
  const uint16_t width = widths[random() % std::size(widths)];
  Band band{{width, uint16_t(1 + random() % 12), vx8::LineBytes(width)}, {}};
  band.Rows.assign(size_t(band.Shape.Rows) * band.Shape.LineBytes, 0);
  const uint8_t base = uint8_t(random());
  for (uint16_t r = 0; r < band.Shape.Rows; ++r) {
    uint8_t* row = band.Rows.data() + size_t(r) * band.Shape.LineBytes;
    const unsigned kind = random() % 5;
    if (kind == 4 && r > 0) {
      std::copy(row - band.Shape.LineBytes, row - band.Shape.LineBytes + width, row);
      if (random() % 2) row[random() % width] ^= 1;
      continue;
    }
    for (uint16_t x = 0; x < width;) {
      const uint32_t length = kind == 0 ? 1 + random() % 400 : kind == 1 ? 1 + random() % 9 : 1;
      const uint8_t v = uint8_t(base + (kind == 2 ? (x + r) % 2 : random() % 4));
      for (uint32_t i = 0; i < length && x < width; ++i) row[x++] = v;
    }
  }
  return band;
}

// The band coded by the real encoder in each stored coding, with escapes of its own choice
// and with escapes that are common pixels.
std::vector<StoredBand> Codings(const Band& band, std::mt19937& random) {
  std::vector<StoredBand> out;
  const vx8::CodedBand chosen = vx8::Encode(band.Rows.data(), band.Shape);
  const bool runs = chosen.Flags & vx8::SegmentFlag::PlainRuns;
  const bool raw = chosen.Flags & vx8::SegmentFlag::RawRows;
  out.push_back({band.Shape, chosen.Escape,
                 runs  ? StoredCoding::PlainRuns
                 : raw ? StoredCoding::PlainRows
                       : StoredCoding::LineCode,
                 chosen.Bytes});
  vx8::Escapes common{band.Rows[0] ? band.Rows[0] : uint8_t(1), 0};
  common.Triple = uint8_t(common.Run + 1 + random() % 3);
  if (common.Triple == 0) common.Triple = 1;
  StoredBand lines{band.Shape, common, StoredCoding::LineCode, {}};
  vx8::LineWork work(band.Shape.Width);
  Bytes line(vx8::MaxLineBytes(band.Shape.Width));
  for (uint16_t r = 0; r < band.Shape.Rows; ++r) {
    const uint8_t* row = band.Rows.data() + size_t(r) * band.Shape.LineBytes;
    const size_t n = vx8::EncodeLine(line.data(), row, r == 0, band.Shape.Width,
                                     r ? row - band.Shape.LineBytes : nullptr, common, work);
    lines.Bytes.insert(lines.Bytes.end(), line.begin(), line.begin() + n);
  }
  out.push_back(lines);
  const vx8::CodedBand plain = vx8::EncodeRuns(band.Rows.data(), band.Shape, common);
  out.push_back({band.Shape, common,
                 plain.Flags & vx8::SegmentFlag::PlainRuns ? StoredCoding::PlainRuns
                                                           : StoredCoding::PlainRows,
                 plain.Bytes});
  return out;
}

Bytes DecodeFast(const StoredBand& s) {
  Bytes out(size_t(s.Shape.Rows) * s.Shape.LineBytes, 0xEE);
  if (s.Coding == StoredCoding::PlainRuns)
    vx8::DecodeRuns(s.Bytes.data(), s.Bytes.size(), out.data(), s.Shape, s.Escape);
  else
    vx8::DecodeLineCode(s.Bytes.data(), s.Bytes.size(), out.data(), s.Shape, s.Escape,
                        s.Coding == StoredCoding::PlainRows);
  return out;
}

TEST(DecoderAgreement, CodedPicturesComeBackAndDamagedOnesFailAlike) {
  std::mt19937 random(20261208);
  for (int i = 0; i < 1500; ++i) {
    const Band band = MakeBand(random);
    for (StoredBand coded : Codings(band, random)) {
      ASSERT_EQ(DecodeFast(coded), band.Rows) << "picture " << i;
      // Cut short, a byte changed, or a byte appended.
      const size_t n = coded.Bytes.size();
      switch (random() % 3) {
        case 0:
          coded.Bytes.resize(random() % n);
          break;
        case 1:
          coded.Bytes[random() % n] = uint8_t(random() % 3 ? coded.Escape.Run : random());
          break;
        default:
          coded.Bytes.push_back(uint8_t(random()));
          break;
      }
      ASSERT_EQ(DecoderDisagreement(coded), "") << "picture " << i;
    }
  }
}

TEST(DecoderAgreement, RandomTokenStreams) {
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    Bytes head{uint8_t(random()),     uint8_t(random()),         uint8_t(random() % 4),
               uint8_t(random() % 3), uint8_t(1 + random() % 4), uint8_t(1 + random() % 4)};
    // Escapes, small counts, line codes and plain bytes, each common enough to meet the others.
    for (uint32_t n = random() % 1200; n > 0; --n) {
      const unsigned pick = random() % 8;
      head.push_back(pick < 3   ? uint8_t(1 + random() % 4)
                     : pick < 6 ? uint8_t(random() % 12)
                                : uint8_t(random()));
    }
    const StoredBand band = StoredBandFromBytes(head.data(), head.size());
    ASSERT_EQ(DecoderDisagreement(band), "") << "stream " << i;
  }
}

}  // namespace
