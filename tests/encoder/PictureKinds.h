// Seeded pictures of the kinds that stress the encoder: noise, few colours, gradients, stripes,
// repeated rows, rows patched against the row below, runs of rare values, pairs that begin
// matches. The same kind, size and seed always give the same pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testpics {

enum class Kind {
  Noise,
  FewColours,
  Gradient,
  Stripes,
  RepeatedRows,
  PatchedRows,
  RareRuns,
  PairMatches
};
constexpr Kind AllKinds[] = {Kind::Noise,    Kind::FewColours,   Kind::Gradient,
                             Kind::Stripes,  Kind::RepeatedRows, Kind::PatchedRows,
                             Kind::RareRuns, Kind::PairMatches};

std::string KindName(Kind kind);

// width x height pixels, row after row without padding.
std::vector<uint8_t> MakePixels(Kind kind, uint16_t width, uint16_t height, uint32_t seed);

// The pixels as raw rows of LineBytes(width) bytes each, the padding filled with `padding`.
std::vector<uint8_t> PadRows(const std::vector<uint8_t>& pixels, uint16_t width, uint16_t height,
                             uint8_t padding);

}  // namespace testpics
