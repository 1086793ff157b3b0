// Reading and checking the confidence probability typed into the cf box.
#include "zorpa95/cf_input.h"

#include <cmath>
#include <cstdlib>

#include "common/text_rules.h"

namespace {

// The value of a text already known to be one number of the rule (sign, digits, decimal
// point, exponent with digits): the C library's decimal conversion.
double ConvertNumber(const std::string &number) {
  return std::strtod(number.c_str(), nullptr);
}

}  // namespace

std::size_t ScanCfNumber(const std::string &text, double &value) {
  value = 0.0;
  std::size_t length = text.size();
  std::size_t i = 0;
  while (i < length && IsBlank(text[i])) ++i;
  std::size_t numberStart = i;
  bool negative = false;
  bool hasSign = false;
  if (i < length && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    hasSign = true;
    ++i;
  }

  // A sign followed by INF or NAN.
  if (hasSign && length - i >= 3) {
    std::string word = text.substr(i, 3);
    if (word == "INF") {
      value = negative ? -HUGE_VAL : HUGE_VAL;
      return i + 3;
    }
    if (word == "NAN") {
      value = negative ? -std::nan("") : std::nan("");
      return i + 3;
    }
  }

  std::size_t digits = 0;
  while (i < length && IsDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < length && text[i] == '.') {
    ++i;
    while (i < length && IsDigit(text[i])) {
      ++i;
      ++digits;
    }
  }
  if (digits == 0) return 0;
  std::size_t mantissaEnd = i;

  std::size_t exponentDigits = 0;
  if (i < length && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < length && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < length && IsDigit(text[i])) {
      ++i;
      ++exponentDigits;
    }
  }
  // An exponent without digits counts as 0: convert the mantissa alone.
  std::size_t convertedEnd = exponentDigits > 0 ? i : mantissaEnd;
  value = ConvertNumber(text.substr(numberStart, convertedEnd - numberStart));
  return i;
}

int ParseCfText(const std::string &text, double &value) {
  std::size_t used = ScanCfNumber(text, value);
  if (used == 0 || used != text.size()) {
    value = 0.0;
    return 0;
  }
  return 1;
}

CfInputCheck CheckCfInput(const std::string &text, int cfMode, double &value) {
  value = 0.0;
  if (text.empty()) return kCfEmpty;
  double cf;
  if (!ParseCfText(text, cf)) return kCfNotANumber;
  if (cfMode == 1) {
    if (!(cf >= 1.0E-5 && cf < 100.0)) return kCfOutOfMeanRange;
  } else {
    if (!(cf > 0.0 && cf < 100.0)) return kCfOutOfVarianceRange;
  }
  value = cf;
  return kCfAccepted;
}

const char *CfInputMessage(CfInputCheck check, int useJapanese) {
  switch (check) {
    case kCfEmpty:
      return useJapanese ? "エディットボックスに数値がありません!"
                         : "No numerical value in the Editbox!";
    case kCfNotANumber:
      return useJapanese ? "エディットボックスに正しい文字列(数値)が入力されていません!"
                         : "No normal numerical value in the Editbox!";
    case kCfOutOfMeanRange:
      return useJapanese ? "エディットボックスの数値(cf)は 1.0E-5<=cf<100 です!"
                         : "Numerical value (cf) in the Editbox is 1.0E-5<=cf<100 !";
    case kCfOutOfVarianceRange:
      return useJapanese ? "エディットボックスの数値(cf)は 0<cf<100 です!"
                         : "Numerical value (cf) in the Editbox is 0<cf<100 !";
    case kCfAccepted:
      break;
  }
  return "";
}

const char *CfErrorCaption(int useJapanese) { return useJapanese ? "エラー" : "Error"; }

int IsBadCfText(const std::string &text) {
  if (text.empty()) return 0;
  double value;
  if (!ParseCfText(text, value)) return 1;
  std::size_t letter = text.find_first_of("Ee");
  if (letter == std::string::npos) return 0;
  // The characters after the first exponent letter, at most 20, converted leniently.
  std::string exponentText = text.substr(letter + 1, 20);
  double exponent = std::strtod(exponentText.c_str(), nullptr);
  return (exponent > -100.0 && exponent < 100.0) ? 0 : 1;
}
