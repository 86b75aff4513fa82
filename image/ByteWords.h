// Eight bytes at a time: loads and stores of unaligned 64-bit words, a byte value repeated
// across a word, and the search for given byte values inside one. The decoder's fast paths
// are built from these.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace vx8::words {

static_assert(std::endian::native == std::endian::little,
              "the word helpers count byte positions from the low end");

using Word = uint64_t;
inline constexpr unsigned Size = sizeof(Word);
inline constexpr Word Ones = 0x0101010101010101ull;
inline constexpr Word Highs = 0x8080808080808080ull;

inline Word Load(const uint8_t* p) {
  Word w;
  std::memcpy(&w, p, Size);
  return w;
}
inline void Store(uint8_t* p, Word w) {
  std::memcpy(p, &w, Size);
}
constexpr Word Repeat(uint8_t v) {
  return v * Ones;
}

// The high bit of each zero byte of `w` set. Bytes above a zero byte may be marked too (the
// borrow runs on), so only the lowest mark is exact, which is all the callers read.
constexpr Word ZeroBytes(Word w) {
  return (w - Ones) & ~w & Highs;
}

// The high bit of each zero byte of `w` set, and of no other: exact for every byte.
constexpr Word ZeroBytesExact(Word w) {
  return ~(((w & ~Highs) + ~Highs) | w) & Highs;
}

// The position (0 to 7) of the first byte of `w` equal to either repeated value, or 8.
inline unsigned FirstOf(Word w, Word repeatedA, Word repeatedB) {
  const Word marks = ZeroBytes(w ^ repeatedA) | ZeroBytes(w ^ repeatedB);
  return marks ? unsigned(std::countr_zero(marks)) / 8 : Size;
}

// `count` (at least 8) bytes: whole words, the last one overlapping the one before it, so that
// nothing past the count is touched. `word(i)` gives the word for bytes i to i + 7.
template <typename WordAt>
inline void WriteWords(uint8_t* dst, uint32_t count, WordAt word) {
  uint32_t i = 0;
  for (; i + Size < count; i += Size) Store(dst + i, word(i));
  Store(dst + count - Size, word(count - Size));
}

// Copies the `count` bytes at `src` to `dst` but those equal to `key`, which leave `dst` as it
// is. The two must not overlap.
inline void CopyExcept(uint8_t* dst, const uint8_t* src, size_t count, uint8_t key) {
  const Word keys = Repeat(key);
  size_t i = 0;
  for (; i + Size <= count; i += Size) {
    const Word bytes = Load(src + i);
    const Word keep = (ZeroBytesExact(bytes ^ keys) >> 7) * 0xFF;  // whole bytes of the key
    Store(dst + i, (bytes & ~keep) | (Load(dst + i) & keep));
  }
  for (; i < count; ++i)
    if (src[i] != key) dst[i] = src[i];
}

}  // namespace vx8::words
