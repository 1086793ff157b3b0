// Fuzz target of the spreadsheet text import: the cell walk, the cell rules and the import
// loop with its limits.
//
// The import is compared with a reference written here from the rules of the text: its own
// cell walk, the slash/length/exponent checks of each cell, and strtod over the whole cell as
// the judge of a decimal number (hexadecimal, infinity and NaN forms excluded). Both must
// agree on the outcome, the values (bit for bit) and the input limit; every value is finite;
// every step of NextSheetCell moves forward and stays inside the text.
// (The 30000-value limit needs inputs of 60 kB and more, far beyond what the fuzzer explores
// quickly; the unit tests cover it with exact counts.)
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "korvan00/sheet_text.h"

namespace {

bool WholeDecimal(const std::string& text) {
  if (text.find_first_of("xXnNiIpP") != std::string::npos) return false;
  const char* begin = text.c_str();
  char* end = nullptr;
  std::strtod(begin, &end);
  return end != begin && *end == '\0';
}

// The length, then exponent rule of one number text; kSheetOk when it passes.
SheetMessage CheckHalf(const std::string& text) {
  if (text.size() > static_cast<std::size_t>(kMaxNumberTextLength)) return kSheetLength;
  const std::size_t letter = text.find_first_of("Ee");
  if (letter != std::string::npos) {
    const double exponent = std::atof(text.c_str() + letter + 1);
    if (exponent < -100 || exponent > 100) return kSheetExponent;
  }
  return kSheetOk;
}

SheetMessage ReferenceCell(const std::string& cell, double& value) {
  const std::size_t slash = cell.find('/');
  if (slash == std::string::npos) {
    const SheetMessage check = CheckHalf(cell);
    if (check != kSheetOk) return check;
    if (!WholeDecimal(cell)) return kSheetNoProperData;
    value = std::strtod(cell.c_str(), nullptr);
    return kSheetOk;
  }
  if (cell.find('/', slash + 1) != std::string::npos) return kSheetNoProperData;
  const std::string numerator = cell.substr(0, slash), denominator = cell.substr(slash + 1);
  SheetMessage check = CheckHalf(numerator);
  if (check == kSheetOk) check = CheckHalf(denominator);
  if (check != kSheetOk) return check;
  if (!numerator.empty() && !WholeDecimal(numerator)) return kSheetNoProperData;
  if (!denominator.empty() && !WholeDecimal(denominator)) return kSheetNoProperData;
  const double n = numerator.empty() ? 0.0 : std::strtod(numerator.c_str(), nullptr);
  const double d = denominator.empty() ? 0.0 : std::strtod(denominator.c_str(), nullptr);
  if (d == 0.0) return kSheetNoProperData;
  value = n / d;
  return kSheetOk;
}

SheetImportResult ReferenceImport(const std::string& input) {
  SheetImportResult result;
  std::size_t length = 0;
  // The text ends at a NUL; a 0xFF as its last byte is an end mark, any other refuses it.
  while (length < input.size() && input[length] != '\0') ++length;
  if (length > 0 && input[length - 1] == '\xFF') --length;
  result.textLength = length;
  const std::string text = input.substr(0, length);
  if (length < 2 || text.compare(length - 2, 2, "\r\n") != 0 ||
      text.find('\xFF') != std::string::npos) {
    result.outcome = kSheetNotFromSpreadsheet;
    return result;
  }
  std::size_t p = 0;
  while (p < length) {
    // A cell: up to the next TAB or CR, at most 256 bytes; then the stopping byte and one LF.
    std::size_t stop = text.find_first_of("\t\r", p);
    if (stop == std::string::npos) stop = length;
    stop = std::min(stop, p + static_cast<std::size_t>(kMaxCellLength));
    const std::string cell = text.substr(p, stop - p);
    p = stop + 1;
    if (p < length && text[p] == '\n') ++p;
    if (cell.empty()) continue;
    double value = 0;
    const SheetMessage outcome = ReferenceCell(cell, value);
    if (outcome != kSheetOk) {
      result.outcome = outcome;
      result.values.clear();
      return result;
    }
    result.values.push_back(value);
    if (result.values.size() == static_cast<std::size_t>(kMaxSheetValues)) {
      result.limitReached = 1;
      break;
    }
  }
  if (result.values.size() < static_cast<std::size_t>(kMinSheetValues)) {
    result.outcome = kSheetTooFew;
    result.values.clear();
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  // Every step of the walk moves forward; the cell stays inside the text and holds no
  // separator.
  const std::size_t length = SheetTextLength(input.data(), input.size());
  for (std::size_t p = 0; p < length;) {
    std::size_t cellLength = 0;
    int lineEnd = -1;
    const std::size_t next = NextSheetCell(input.data(), length, p, cellLength, lineEnd);
    FUZZ_CHECK(next > p && next <= length + 1);
    FUZZ_CHECK(cellLength <= static_cast<std::size_t>(kMaxCellLength) && p + cellLength <= length);
    FUZZ_CHECK(std::memchr(input.data() + p, '\t', cellLength) == nullptr);
    FUZZ_CHECK(std::memchr(input.data() + p, '\r', cellLength) == nullptr);
    FUZZ_CHECK(lineEnd == 0 || (lineEnd == 1 && input[next - 1] == '\n'));
    p = next;
  }

  const SheetImportResult imported = ImportSheetText(input);
  const SheetImportResult reference = ReferenceImport(input);
  FUZZ_CHECK(imported.textLength == length && reference.textLength == length);
  FUZZ_CHECK(imported.outcome == reference.outcome);
  FUZZ_CHECK(imported.limitReached == reference.limitReached);
  FUZZ_CHECK(imported.values.size() == reference.values.size());
  FUZZ_CHECK(imported.values.empty() ||
             std::memcmp(imported.values.data(), reference.values.data(),
                         imported.values.size() * sizeof(double)) == 0);
  if (imported.outcome == kSheetOk) {
    FUZZ_CHECK(imported.values.size() >= static_cast<std::size_t>(kMinSheetValues));
    FUZZ_CHECK(imported.values.size() <= static_cast<std::size_t>(kMaxSheetValues));
    for (double value : imported.values) FUZZ_CHECK(value - value == 0);  // finite
  } else {
    FUZZ_CHECK(imported.values.empty());
  }
  return 0;
}
