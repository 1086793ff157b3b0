// The spreadsheet text of korvan00: cell walk, cell conversion, import loop and messages.
#include "korvan00/sheet_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "common/text_rules.h"

namespace {

// Indexed by SheetMessage.
constexpr MessageEntry kMessages[kSheetMessageCount] = {
    {"", "", "", "", 0},
    {"No text data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).", "Error",
     "クリップボードにテキストデータがありません.\n説明ファイル(KORVAN0J.PDF)を参照してください.",
     "エラー", kIconError},
    {"Incorrect Clipboard data.\nNot copied data from Excel.", "Error",
     "クリップボードのデータが不正です.\nExcelのデータのコピーではありません.", "エラー",
     kIconError},
    {"No proper data on the Clipboard.\nPlease refer to the readme file (KORVAN0E.PDF).",
     "Error",
     "クリップボードに適切なデータがありません.\n説明ファイル(KORVAN0J.PDF)を参照してください.",
     "エラー", kIconError},
    {"E-100 <= exponent of the numerical value <= E100", "Error",
     "E-100 <= 入力数値の指数の範囲 <= E100", "エラー", kIconError},
    {"More than 44 characters forming the numerical value.", "Error",
     "入力数値の文字数が４４以上です.", "エラー", kIconError},
    {"More than 30000 data so that data input is terminated.", "Information",
     "入力データの数が３００００以上なので、入力を打ち切ります.", "お知らせ", kIconInformation},
    {"Too few data! (Data < 3)", "Error", "データ数が３未満で少な過ぎます!", "エラー",
     kIconError},
    {"All data have a same value!", "Error", "すべてのデータが同じ値です!", "エラー",
     kIconError},
};

constexpr char kTab = 0x09;
constexpr char kCR = 0x0D;
constexpr char kLF = 0x0A;

}  // namespace

MessageBoxText GetSheetMessage(SheetMessage message, int useJapanese) {
  return MessageFromTable(kMessages, kSheetMessageCount, kSheetOk + 1, message, useJapanese);
}

std::size_t SheetTextLength(const char* bytes, std::size_t size) {
  std::size_t length = size;
  if (const void* nul = std::memchr(bytes, '\0', length))
    length = static_cast<std::size_t>(static_cast<const char*>(nul) - bytes);
  if (length > 0 && static_cast<unsigned char>(bytes[length - 1]) == 0xFF) --length;
  return length;
}

std::size_t NextSheetCell(const char* text, std::size_t length, std::size_t position,
                          std::size_t& cellLength, int& lineEnd) {
  std::size_t p = position;
  while (p < length && text[p] != kTab && text[p] != kCR &&
         p - position < static_cast<std::size_t>(kMaxCellLength))
    ++p;
  cellLength = p - position;
  // Step past the byte that stopped the copy, and past a LF that follows it.
  ++p;
  lineEnd = 0;
  if (p < length && text[p] == kLF) {
    ++p;
    lineEnd = 1;
  }
  return p;
}

int CheckNumberText(const char* text, int successCode) {
  if (std::strlen(text) > static_cast<std::size_t>(kMaxNumberTextLength)) return kCellTooLong;
  const char* letter = std::strpbrk(text, "Ee");
  if (letter == nullptr) return successCode;
  // The text has at most 44 characters here, so the exponent text is short.
  const double exponent = std::atof(letter + 1);
  if (exponent < -kMaxWrittenExponent || exponent > kMaxWrittenExponent) return kCellExponent;
  return successCode;
}

int ClassifyCellText(const char* cellText, std::string& numeratorText,
                     std::string& denominatorText) {
  const char* slash = std::strchr(cellText, '/');
  if (slash == nullptr) return CheckNumberText(cellText, kCellNumber);
  if (std::strrchr(cellText, '/') != slash) return kCellSlashes;
  numeratorText.assign(cellText, static_cast<std::size_t>(slash - cellText));
  const int code = CheckNumberText(numeratorText.c_str(), kCellFraction);
  if (code != kCellFraction) return code;
  denominatorText.assign(slash + 1);
  return CheckNumberText(denominatorText.c_str(), kCellFraction);
}

int IsDecimalNumberText(const char* text) {
  const char* c = text;
  while (IsBlank(*c)) ++c;
  if (*c == '+' || *c == '-') ++c;
  int digits = 0;
  for (; IsDigit(*c); ++c) ++digits;
  if (*c == '.') {
    ++c;
    for (; IsDigit(*c); ++c) ++digits;
  }
  if (digits == 0) return 0;
  if (*c == 'e' || *c == 'E') {
    ++c;
    if (*c == '+' || *c == '-') ++c;
    if (!IsDigit(*c)) return 0;
    while (IsDigit(*c)) ++c;
  }
  return *c == '\0';
}

namespace {

// strtod over the whole text, refusing anything that is no decimal number (infinity, NaN
// and hexadecimal forms, which strtod also takes, included).
int ConvertDecimal(const std::string& text, double& value) {
  if (!IsDecimalNumberText(text.c_str())) return 0;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0';
}

}  // namespace

SheetMessage ConvertCellText(const char* cellText, double& value) {
  std::string numeratorText, denominatorText;
  switch (ClassifyCellText(cellText, numeratorText, denominatorText)) {
    case kCellNumber:
      if (!ConvertDecimal(cellText, value)) return kSheetNoProperData;
      return kSheetOk;
    case kCellFraction: {
      double numerator = 0, denominator = 0;
      // An empty numerator converts to 0; an empty denominator is a zero denominator.
      if (!numeratorText.empty() && !ConvertDecimal(numeratorText, numerator))
        return kSheetNoProperData;
      if (!denominatorText.empty() && !ConvertDecimal(denominatorText, denominator))
        return kSheetNoProperData;
      if (denominator == 0.0) return kSheetNoProperData;
      value = numerator / denominator;
      return kSheetOk;
    }
    case kCellExponent:
      return kSheetExponent;
    case kCellTooLong:
      return kSheetLength;
    default:
      return kSheetNoProperData;
  }
}

namespace {

// The common cell in one pass: an optional sign, digits with an optional point, an optional
// exponent (e or E, optional sign, digits) and nothing else, at most 44 characters, with a
// written exponent within -100..100. Such a cell passes the slash, length and exponent rules
// (an exponent text of a sign and digits converts by atof to its integer value) and the
// number grammar, and is converted correctly rounded (Clinger's fast path, else from_chars),
// to the value strtod gives.
// Returns 0 for every other cell (leading blanks, fractions, refusals), which then takes the
// general path with its messages.
int ConvertPlainCell(const char* cell, std::size_t length, double& value) {
  if (length == 0 || length > static_cast<std::size_t>(kMaxNumberTextLength)) return 0;
  const char* end = cell + length;
  const char* c = cell;
  const bool negative = *c == '-';
  if (*c == '+' || *c == '-') ++c;
  const char* number = *cell == '+' ? cell + 1 : cell;  // from_chars takes no '+'
  // The digits as a whole number m (while it has at most 19 of them) and the power of ten.
  std::uint64_t mantissa = 0;
  int significant = 0;  // digits of m from its first non-zero one
  int digits = 0;
  int scale = 0;        // the value is m 10^scale
  while (c < end && IsDigit(*c)) {
    if (mantissa != 0 || *c != '0') ++significant;
    if (significant <= 19) mantissa = mantissa * 10 + static_cast<unsigned>(*c - '0');
    else ++scale;
    ++c, ++digits;
  }
  if (c < end && *c == '.') {
    ++c;
    while (c < end && IsDigit(*c)) {
      if (mantissa != 0 || *c != '0') ++significant;
      if (significant <= 19) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*c - '0');
        --scale;
      }
      ++c, ++digits;
    }
  }
  if (digits == 0) return 0;
  if (c < end) {
    if (*c != 'e' && *c != 'E') return 0;
    ++c;
    const bool negativeExponent = c < end && *c == '-';
    if (c < end && (*c == '+' || *c == '-')) ++c;
    if (c == end) return 0;
    int exponent = 0;
    for (; c < end; ++c) {
      if (!IsDigit(*c)) return 0;
      if (exponent <= 1000) exponent = exponent * 10 + (*c - '0');
    }
    if (exponent > kMaxWrittenExponent) return 0;  // either sign: refused or general path
    scale += negativeExponent ? -exponent : exponent;
  }
  // Clinger's fast path: m below 2^53 and 10^|scale| up to 10^22 are exact doubles, so one
  // multiplication or division rounds the exact value once, correctly, as strtod does.
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (significant <= 19 && mantissa <= (std::uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
    const double m = static_cast<double>(mantissa);
    const double magnitude = scale < 0 ? m / kPowersOfTen[-scale] : m * kPowersOfTen[scale];
    value = negative ? -magnitude : magnitude;
    return 1;
  }
  const std::from_chars_result converted = std::from_chars(number, end, value);
  return converted.ec == std::errc() && converted.ptr == end;
}

}  // namespace

namespace {

// The powers of ten that are exact doubles, and those below 10^8 as integers.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kPowersOfTen64[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

// The common cell read in the same pass that finds its end: an optional sign, digits with an
// optional point, an optional exponent (e or E, optional sign, at most three digits), ended
// by a TAB or a CR, at most 44 characters, with at most 19 digits, a written exponent within
// -100..100 and a value that Clinger's fast path converts (as ConvertPlainCell does, to the
// value strtod gives). Returns the TAB or CR that ends the cell, or nullptr for every other
// cell, which then takes the cell walk and the general conversion. The text must end with a
// LF after cell: every loop here stops at it.
const char* ReadPlainCell(const char* cell, double& value) {
  const char* c = cell;
  const bool negative = *c == '-';
  if (*c == '+' || *c == '-') ++c;
  std::uint64_t mantissa = 0;
  const char* digitsFrom = c;
  for (; IsDigit(*c); ++c) mantissa = mantissa * 10 + static_cast<unsigned>(*c - '0');
  std::ptrdiff_t digits = c - digitsFrom;
  int scale = 0;  // the value is mantissa 10^scale
  if (*c == '.') {
    const char* fractionFrom = ++c;
    for (; IsDigit(*c); ++c) mantissa = mantissa * 10 + static_cast<unsigned>(*c - '0');
    digits += c - fractionFrom;
    scale = -static_cast<int>(c - fractionFrom);
  }
  if (digits == 0 || digits > 19) return nullptr;
  if (*c == 'e' || *c == 'E') {
    ++c;
    const bool negativeExponent = *c == '-';
    if (*c == '+' || *c == '-') ++c;
    const char* exponentFrom = c;
    int exponent = 0;
    for (; IsDigit(*c); ++c) {
      if (exponent <= 1000) exponent = exponent * 10 + (*c - '0');  // long ones are refused
    }
    const std::ptrdiff_t exponentDigits = c - exponentFrom;
    if (exponentDigits == 0 || exponentDigits > 3 || exponent > kMaxWrittenExponent) return nullptr;
    scale += negativeExponent ? -exponent : exponent;
  }
  if ((*c != kTab && *c != kCR) || c - cell > kMaxNumberTextLength) return nullptr;
  if (mantissa > (std::uint64_t{1} << 53) || scale < -22 || scale > 22) return nullptr;
  const double m = static_cast<double>(mantissa);
  const double magnitude = scale < 0 ? m / kPowersOfTen[-scale] : m * kPowersOfTen[scale];
  value = negative ? -magnitude : magnitude;
  return c;
}

// The digits at the start of eight bytes (the first byte the first digit) read little-endian
// from text: their count (0 to 8) and, when it is below 8, their value.
struct DigitRun {
  int count;
  std::uint64_t value;
};

[[gnu::always_inline]] inline DigitRun ReadDigitRun(const char* text) {
  std::uint64_t bytes;
  std::memcpy(&bytes, text, sizeof bytes);
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  // A byte is a digit when its high nibble is 3 and stays 3 after adding 6. A carry out of a
  // byte of 0xFA and above reaches only bytes after it, and it is no digit itself.
  const std::uint64_t nonDigits = ((bytes & (0xF0 * kOnes)) ^ (0x30 * kOnes)) |
                                  (((bytes + 0x06 * kOnes) & (0xF0 * kOnes)) ^ (0x30 * kOnes));
  if (nonDigits == 0) return {8, 0};
  const int count = __builtin_ctzll(nonDigits) / 8;
  if (count == 0) return {0, 0};
  // The digits moved to the top bytes (zeros before them lead), then combined pairwise.
  std::uint64_t digits = (bytes - 0x30 * kOnes) << (8 * (8 - count));
  digits = digits * 10 + (digits >> 8);
  digits = (((digits & 0x000000FF000000FFu) * (100 + (1000000ull << 32))) +
            (((digits >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >> 32;
  return {count, digits};
}

// ReadPlainCell for the commonest cells, a sign, up to 7 digits and an optional point with
// up to 7 digits, by eight bytes at a time; every other cell is handed on to ReadPlainCell.
// The text must hold kShortCellReach bytes from cell on.
constexpr std::size_t kShortCellReach = 18;  // a sign, 7 digits, a point and 8 bytes
const char* ReadShortPlainCell(const char* cell, double& value) {
  const char* c = cell;
  const bool negative = *c == '-';
  if (*c == '+' || *c == '-') ++c;
  const DigitRun whole = ReadDigitRun(c);
  if (whole.count == 8) return ReadPlainCell(cell, value);
  c += whole.count;
  std::uint64_t mantissa = whole.value;
  int fractionDigits = 0;
  if (*c == '.') {
    const DigitRun fraction = ReadDigitRun(c + 1);
    if (fraction.count == 8) return ReadPlainCell(cell, value);
    fractionDigits = fraction.count;
    mantissa = mantissa * kPowersOfTen64[fractionDigits] + fraction.value;
    c += 1 + fractionDigits;
  }
  if (whole.count + fractionDigits == 0) return nullptr;
  if (*c != kTab && *c != kCR) return ReadPlainCell(cell, value);
  // At most 14 digits: the mantissa is an exact double, and one division rounds once.
  const double m = static_cast<double>(mantissa);
  const double magnitude = fractionDigits != 0 ? m / kPowersOfTen[fractionDigits] : m;
  value = negative ? -magnitude : magnitude;
  return c;
}

// The TABs and CRs of the text: every value is ended by one, so their count bounds the values.
std::size_t CountSeparators(const char* bytes, std::size_t length) {
  const auto* u = reinterpret_cast<const unsigned char*>(bytes);
  std::size_t count = 0;
  std::size_t i = 0;
  // Blocks of 255 bytes keep the per-byte counters of a vector loop from overflowing.
  while (i < length) {
    const std::size_t blockEnd = std::min(length, i + 255);
    unsigned char block = 0;
    for (; i < blockEnd; ++i) block += static_cast<unsigned char>((u[i] == '\t') | (u[i] == '\r'));
    count += block;
  }
  return count;
}

}  // namespace

SheetImportResult ImportSheetText(const char* bytes, std::size_t size) {
  SheetImportResult result;
  const std::size_t length = SheetTextLength(bytes, size);
  result.textLength = length;
  if (length < 2 || bytes[length - 2] != kCR || bytes[length - 1] != kLF ||
      std::memchr(bytes, 0xFF, length) != nullptr) {
    result.outcome = kSheetNotFromSpreadsheet;
    return result;
  }
  // The array is sized once from the count of separators.
  result.values.resize(
      std::min(CountSeparators(bytes, length), static_cast<std::size_t>(kMaxSheetValues)));
  double* values = result.values.data();
  std::size_t stored = 0;
  std::string cell;
  std::size_t position = 0;
  while (position < length) {
    // The text ends with LF, which ends every loop of the quick read.
    double value = 0;
    const char* from = bytes + position;
    const char* separator = position + kShortCellReach <= length
                                ? ReadShortPlainCell(from, value)
                                : ReadPlainCell(from, value);
    if (separator != nullptr) {
      values[stored++] = value;
      position = static_cast<std::size_t>(separator - bytes) + 1;
      if (position < length && bytes[position] == kLF) ++position;
    } else {
      std::size_t cellLength = 0;
      int lineEnd = 0;
      const std::size_t next = NextSheetCell(bytes, length, position, cellLength, lineEnd);
      if (cellLength != 0) {
        if (!ConvertPlainCell(bytes + position, cellLength, value)) {
          cell.assign(bytes + position, cellLength);
          const SheetMessage outcome = ConvertCellText(cell.c_str(), value);
          if (outcome != kSheetOk) {
            result.outcome = outcome;
            result.values.clear();
            return result;
          }
        }
        values[stored++] = value;
      }
      position = next;
    }
    if (stored >= static_cast<std::size_t>(kMaxSheetValues)) {
      result.limitReached = 1;
      break;
    }
  }
  result.values.resize(stored);  // shrinks in place
  if (stored < static_cast<std::size_t>(kMinSheetValues)) {
    result.outcome = kSheetTooFew;
    result.values.clear();
  }
  return result;
}

SheetImportResult ImportSheetText(const std::string& text) {
  return ImportSheetText(text.data(), text.size());
}
