// Small helpers shared by the unit tests and the Windows test driver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

// A little-endian field of 1 to 4 bytes of a byte block (std::string or a byte vector).
template <typename Bytes>
std::uint32_t Field(const Bytes& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

// One little-endian field of a byte layout: where it starts, its size in bytes, its value.
struct ByteField { std::size_t offset; int size; std::uint32_t value; };

// The fields of a layout table that the bytes do not hold, one "at <offset>: <found> not
// <value>" line each ("past the end" for a field beyond the bytes); empty when the bytes hold them all.
template <typename Bytes>
std::string MismatchedFields(const Bytes& bytes, std::initializer_list<ByteField> fields) {
  std::string out;
  for (const ByteField& f : fields) {
    const std::string expected = std::to_string(f.value);
    const std::string found = f.offset + f.size <= bytes.size() ? std::to_string(Field(bytes, f.offset, f.size)) : "past the end";
    if (found != expected) out += "at " + std::to_string(f.offset) + ": " + found + " not " + expected + "\n";
  }
  return out;
}

// The bits of a double, so that comparisons tell -0 from 0 and see every last bit.
inline std::uint64_t Bits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The bytes of a file (empty when it cannot be read).
inline std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
