// Reading and checking the confidence probability typed into the cf box: the parse rule,
// the decision of ReadCfInput and the decision of the live filter of the box.
#pragma once

#include <cstddef>
#include <string>

// Scans one number at the start of text: leading white space, an optional sign, digits with
// an optional decimal point (at least one digit), then optionally "E" or "e", an optional
// sign and optional digits (an exponent without digits counts as 0); or a sign followed by
// "INF" or "NAN". Returns the number of characters that form the number (0 when there is
// none) and stores its value (0 when there is none).
std::size_t ScanCfNumber(const std::string &text, double &value);

// 1 when the whole text is one number by the rule above (nothing left after it), else 0.
int ParseCfText(const std::string &text, double &value);

enum CfInputCheck {
  kCfAccepted = 0,
  kCfEmpty,                // "No numerical value in the Editbox!"
  kCfNotANumber,           // "No normal numerical value in the Editbox!"
  kCfOutOfMeanRange,       // 1.0E-5 <= cf < 100 required
  kCfOutOfVarianceRange    // 0 < cf < 100 required
};

// The decision of ReadCfInput for the text of the cf box: cfMode 1 checks the range of the
// mean coefficient, 0 that of the variance coefficients. On acceptance value is the cf.
CfInputCheck CheckCfInput(const std::string &text, int cfMode, double &value);

// The message of a refused input (empty for kCfAccepted) and the caption of every message
// box of the calculator.
const char *CfInputMessage(CfInputCheck check, int useJapanese);
const char *CfErrorCaption(int useJapanese);

// The decision of the live filter: 1 when the text is bad and the box must drop its last
// character, 0 when it stays (an empty text stays).
int IsBadCfText(const std::string &text);
