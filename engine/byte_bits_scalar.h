// Bitmaps of bytes without vector instructions: eight bytes at a time in a
// 64-bit word, for the kernels of targets that have no vector unit we use.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace toridasu::scalar_bits {

// Eight bytes from `p`, byte i at bits 8i whatever the byte order.
inline uint64_t Load8(const char* p) {
  uint64_t word;
  std::memcpy(&word, p, 8);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

// 0x80 in every byte of `word` that equals `c`, 0 in the others. Exact: no
// sum carries from one byte into the next.
inline uint64_t EqualBytes(uint64_t word, char c) {
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
  const uint64_t x = word ^ (0x0101010101010101u * static_cast<unsigned char>(c));
  return ~(((x & kLow7) + kLow7) | x) & ~kLow7;
}

// The top bits of the eight bytes as eight bits, byte i at bit i. Each
// product lands on its own bit, so nothing carries.
inline uint64_t Gather(uint64_t high) { return ((high >> 7) * 0x0102040810204080u) >> 56; }

}  // namespace toridasu::scalar_bits
