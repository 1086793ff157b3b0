// Fuzz target of the data text file reader and writer.
//
// Every input is read twice: by ReadDataText and by a reference reader written here line by
// line from the file grammar (not byte by byte like the real one). Both must agree on the
// outcome, the values (bit for bit), the number-text spans and the dropped digits. An
// accepted file must then survive a write and a re-read without a warning: the same values,
// and the same bytes when written again.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/text_rules.h"
#include "fuzz/fuzz_check.h"
#include "korvan95/data_file.h"

namespace {

DataReadResult Refused(DataReadResult& result, DataFileMessage outcome) {
  result.outcome = outcome;
  result.values.clear();
  result.valueTexts.clear();
  return result;
}

// The grammar of one value line after its leading spaces: a number text (first character a
// digit, "." or "-", then digits and at most one "." in all), optionally an exponent part
// (e or E after at least one digit, an optional sign, digits), then CR and one more byte.
DataReadResult ReferenceRead(const unsigned char* data, std::size_t size) {
  DataReadResult result;
  if (size == 0) return Refused(result, kDataFileFormatError);
  std::size_t p = 0;
  while (p < size) {
    if (data[p] == ' ') {
      ++p;
      continue;
    }
    if (data[p] == ';') {
      const void* cr = std::memchr(data + p, '\r', size - p);
      if (cr == nullptr) return Refused(result, kDataFileNotTerminated);
      p = static_cast<std::size_t>(static_cast<const unsigned char*>(cr) - data) + 2;
      continue;
    }
    if (data[p] == '\r') return Refused(result, kDataFileFormatError);  // no number text

    // One number text, checked character by character as it grows.
    const std::size_t start = p;
    std::string mantissa, kept, exponent;
    bool point = false, digit = false, inExponent = false, significant = false;
    int digits = 0;
    for (;; ++p) {
      if (p == size) return Refused(result, kDataFileNotTerminated);
      const unsigned char c = data[p];
      if (c == '\r') break;
      const bool mantissaCharacter = !inExponent && c != 'e' && c != 'E';
      bool ok;
      if (inExponent) {
        ok = IsDigit(c) || ((c == '+' || c == '-') && exponent.empty());
        exponent += static_cast<char>(c);
      } else if ((c == 'e' || c == 'E') && digit) {
        ok = inExponent = true;
      } else if (c == '-') {
        ok = mantissa.empty();
      } else if (c == '.') {
        ok = !point;
        point = true;
      } else {
        ok = IsDigit(c);
        digit = digit || ok;
      }
      if (!ok) return Refused(result, kDataFileFormatError);
      if (mantissaCharacter) {
        // Digits beyond the 11th significant one (from the first digit other than 0 on) are
        // dropped, each with a warning; signs, points and leading zeros are always kept.
        mantissa += static_cast<char>(c);
        significant = significant || (IsDigit(c) && c != '0');
        if (significant && IsDigit(c) && ++digits > kMaxNumberChars) {
          result.droppedOffsets.push_back(p);
        } else {
          kept += static_cast<char>(c);
        }
      }
      if (p + 1 == size) return Refused(result, kDataFileNotTerminated);
    }
    const bool exponentComplete = !inExponent || (!exponent.empty() && IsDigit(exponent.back()));
    if (mantissa == "-." || !exponentComplete) return Refused(result, kDataFileFormatError);
    std::string number = kept;
    if (inExponent) number += "e" + exponent;
    const double value = std::strtod(number.c_str(), nullptr);
    if (!(value - value == 0)) return Refused(result, kDataFileFormatError);  // not finite
    result.values.push_back(value);
    result.valueTexts.push_back({start, p - start});
    if (result.values.size() > static_cast<std::size_t>(kMaxDataValues))
      return Refused(result, kDataFileTooMany);
    p += 2;  // the CR and the byte after it
  }
  return result;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DataReadResult read = ReadDataText(reinterpret_cast<const char*>(data), size);
  const DataReadResult reference = ReferenceRead(data, size);

  FUZZ_CHECK(read.outcome == reference.outcome);
  FUZZ_CHECK(SameBits(read.values, reference.values));
  FUZZ_CHECK(read.droppedOffsets == reference.droppedOffsets);
  FUZZ_CHECK(read.valueTexts.size() == read.values.size());
  for (std::size_t i = 0; i < read.valueTexts.size(); ++i) {
    FUZZ_CHECK(read.valueTexts[i].offset == reference.valueTexts[i].offset);
    FUZZ_CHECK(read.valueTexts[i].length == reference.valueTexts[i].length);
    FUZZ_CHECK(read.valueTexts[i].offset + read.valueTexts[i].length < size);
  }
  if (read.outcome != kDataFileOk) {
    FUZZ_CHECK(read.values.empty());
    return 0;
  }
  FUZZ_CHECK(read.values.size() <= static_cast<std::size_t>(kMaxDataValues));

  // Write, re-read, write again. An empty data set (a file of comments and spaces) is written
  // as an empty file, which the reader refuses as it refuses every empty file.
  const std::string written = WriteDataText(read.values);
  if (read.values.empty()) {
    FUZZ_CHECK(written.empty() && ReadDataText(written).outcome == kDataFileFormatError);
    return 0;
  }
  const DataReadResult reread = ReadDataText(written);
  FUZZ_CHECK(reread.outcome == kDataFileOk);
  FUZZ_CHECK(reread.values.size() == read.values.size());
  FUZZ_CHECK(reread.droppedOffsets.empty());
  FUZZ_CHECK(SameBits(reread.values, read.values));
  FUZZ_CHECK(WriteDataText(reread.values) == written);
  return 0;
}
