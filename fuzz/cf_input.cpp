// Fuzz target of the confidence-probability text of zorpa95: the parse rule, the check of a
// button press and the live filter of the box.
//
// The parse is compared with a regular expression of the rule and its value with strtod over
// the same text; the check's ranges, the filter's result and the end of the filter loop (the
// box drops its last character until the text is good) are asserted.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

#include "fuzz/fuzz_check.h"
#include "zorpa95/cf_input.h"

namespace {

// The rule: blanks; a sign and INF or NAN; or an optional sign, digits with an optional point
// (one digit at least), then optionally E or e, an optional sign and optional digits.
const std::regex& Rule() {
  static const std::regex rule(
      "[ \\t\\n\\v\\f\\r]*([+-](INF|NAN)|[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]*)?)");
  return rule;
}

bool SameValue(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64) return 0;  // the box holds at most 61 characters
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (text.find('\0') != std::string::npos) return 0;  // an edit box text ends at a NUL

  double value = -1;
  const int parsed = ParseCfText(text, value);
  FUZZ_CHECK(parsed == (std::regex_match(text, Rule()) ? 1 : 0));
  const bool special = text.find("INF") != std::string::npos ||
                       text.find("NAN") != std::string::npos;
  if (parsed) {
    // strtod stops before an exponent letter without digits, just as the rule counts it 0.
    const double expected = std::strtod(text.c_str(), nullptr);
    FUZZ_CHECK(SameValue(value, expected));
    FUZZ_CHECK(special || std::isfinite(value) || text.find_first_of("eE") != std::string::npos);
  } else {
    FUZZ_CHECK(value == 0.0);
  }

  // The scan stops inside the text, and what it took parses alone to the same value.
  double scanned = -1;
  const std::size_t used = ScanCfNumber(text, scanned);
  FUZZ_CHECK(used <= text.size());
  if (used > 0) {
    double again = -1;
    FUZZ_CHECK(ParseCfText(text.substr(0, used), again) == 1);
    FUZZ_CHECK(SameValue(again, scanned));
  } else {
    FUZZ_CHECK(scanned == 0.0);
  }

  // The check of a button press: the message order and the two ranges.
  double mean = -1, variance = -1;
  const CfInputCheck meanCheck = CheckCfInput(text, 1, mean);
  const CfInputCheck varianceCheck = CheckCfInput(text, 0, variance);
  if (text.empty()) {
    FUZZ_CHECK(meanCheck == kCfEmpty && varianceCheck == kCfEmpty);
  } else if (!parsed) {
    FUZZ_CHECK(meanCheck == kCfNotANumber && varianceCheck == kCfNotANumber);
  } else {
    FUZZ_CHECK(meanCheck == kCfAccepted || meanCheck == kCfOutOfMeanRange);
    FUZZ_CHECK(varianceCheck == kCfAccepted || varianceCheck == kCfOutOfVarianceRange);
  }
  if (meanCheck == kCfAccepted) {
    FUZZ_CHECK(mean >= 1.0E-5 && mean < 100 && SameValue(mean, value));
    FUZZ_CHECK(varianceCheck == kCfAccepted);
  } else {
    FUZZ_CHECK(mean == 0.0);
  }
  if (varianceCheck == kCfAccepted)
    FUZZ_CHECK(variance > 0 && variance < 100 && SameValue(variance, value));
  else
    FUZZ_CHECK(variance == 0.0);
  FUZZ_CHECK((CfInputMessage(meanCheck, 0)[0] == '\0') == (meanCheck == kCfAccepted));

  // The live filter: an empty text stays, a text that does not parse is bad, and dropping the
  // last character until the text is good ends in a parsing prefix (or nothing). The filter
  // judges at most 20 characters of the exponent, all the box can hold after the letter: a
  // good text whose exponent fits in them has a finite value unless it is INF or NAN.
  FUZZ_CHECK(IsBadCfText("") == 0);
  if (!text.empty() && !parsed) FUZZ_CHECK(IsBadCfText(text) == 1);
  std::string box = text;
  while (IsBadCfText(box)) box.pop_back();
  if (!box.empty()) {
    double kept = -1;
    FUZZ_CHECK(ParseCfText(box, kept) == 1);
    const bool boxSpecial = box.find("INF") != std::string::npos ||
                            box.find("NAN") != std::string::npos;
    const std::size_t letter = box.find_first_of("Ee");
    const bool exponentJudged = letter == std::string::npos || box.size() - letter - 1 <= 20;
    FUZZ_CHECK(boxSpecial || !exponentJudged || std::isfinite(kept));
  }
  return 0;
}
