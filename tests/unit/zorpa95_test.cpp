// The confidence-coefficient calculator: worked values, the choice between the expansion and
// the search, the bounded search, the refused inputs and the live filter of the cf box.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "zorpa95/cf_input.h"
#include "zorpa95/coefficients.h"

namespace {

// ---------------------------------------------------------------- worked values

TEST(ZorpaCoefficients, ShowsTheWorkedValues) {
  // n = 2 at cf 99.95 (a < 0.001): the search tolerance is 0.01.
  const struct {
    int n;
    double cf, t;
    const char *mean, *varianceL, *varianceU;  // the boxes in the two modes
  } cases[] = {
      {2, 95.0, 12.70621, "8.984647        ", "0.199049        ", "1018.258294     "},
      {10, 95.0, 0, "0.715357        ", "0.473117        ", "3.332521        "},
      {2, 99.95, 1273.21, "900.295425      ", nullptr, nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.n);
    if (c.t != 0) {
      EXPECT_NEAR(TQuantileTwoSided((100.0 - c.cf) * 0.01, c.n - 1), c.t, 1e-7);
    }
    double cl = -1.0, cu = -1.0;
    ASSERT_EQ(MeanCoefficient(c.cf, c.n, cl), kCoefficientOk);
    EXPECT_EQ(FormatCoefficient(cl), c.mean);
    if (c.varianceL == nullptr) continue;
    ASSERT_EQ(VarianceCoefficients(c.cf, c.n, cl, cu), kCoefficientOk);
    EXPECT_EQ(FormatCoefficient(cl), c.varianceL);
    EXPECT_EQ(FormatCoefficient(cu), c.varianceU);
  }
  // Wider than the field and the 64-byte buffer: nothing is cut.
  EXPECT_EQ(FormatCoefficient(1234567890.1234567), "1234567890.123457");
  EXPECT_EQ(FormatCoefficient(1e60),
            "999999999999999949387135297074018866963645011013410073083904.000000");
}

// ---------------------------------------------------------------- expansion or search

TEST(ZorpaCoefficients, SearchToleranceFollowsDegreesAndProbability) {
  const double cases[][3] = {  // a, degrees of freedom, tolerance
      {0.05, 1, 0.00001},   {0.01, 1, 0.00001},    {0.0099, 1, 0.0001},   {0.001, 1, 0.0001},
      {0.0009, 1, 0.01},    {0.0001, 2, 0.00001},  {0.00009, 2, 0.0001},  {0.00009, 3, 0.00001},
      {0.3, 5, 0.00001},    {0.004, 12, 0.00001}};
  for (const auto &c : cases) {
    const int df = static_cast<int>(c[1]);
    SCOPED_TRACE(testing::Message() << "a=" << c[0] << " df=" << df);
    // The quantile P(|T| > t) = a lies between t - e and t - e + 10e for a search result t.
    const double low = TQuantileSearch(c[0], df) - c[2];
    const double cells = low / (10.0 * c[2]);
    EXPECT_NEAR(cells, std::floor(cells + 0.5), 1e-6) << "not on the grid";
    EXPECT_GT(TTwoSidedTail(low, df), c[0]);
    EXPECT_LE(TTwoSidedTail(low + 10.0 * c[2], df), c[0]);
  }
}

TEST(ZorpaCoefficients, ExpansionOrSearchBySampleSizeAndProbability) {
  const struct {
    int n;     // sample size
    double a;  // two-sided tail probability
    bool search;
  } cases[] = {{14, 0.005, true},   {14, 0.001, true},   {14, 0.0051, false}, {14, 0.05, false},
               {15, 0.005, false},  {15, 0.0001, false}, {15, 0.5, false},    {6, 0.5, true},
               {6, 0.05, true},     {2, 0.9, true},      {7, 0.05, false},    {7, 0.005, true},
               {1000, 0.0001, false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << "n=" << c.n << " a=" << c.a);
    const double chosen = TQuantileTwoSided(c.a, c.n - 1);
    const double searched = TQuantileSearch(c.a, c.n - 1);
    if (c.search) {
      EXPECT_EQ(chosen, searched);
    } else {  // the expansion is close to the search but not on its grid
      EXPECT_NE(chosen, searched);
      EXPECT_NEAR(chosen, searched, 0.01);
    }
  }
}

// ---------------------------------------------------------------- the two faults

TEST(ZorpaCoefficients, SearchBelowTheReachOfTheTailGivesUp) {
  // For odd degrees of freedom the tail never falls below about 1.3e-10.
  EXPECT_GT(TTwoSidedTail(1e300, 1), 1e-10);
  for (int df : {1, 3, 5, 13}) {
    EXPECT_EQ(TQuantileSearch(1e-12, df), 0.0) << df;
    EXPECT_EQ(TQuantileSearch(0.0, df), 0.0) << df;
  }
  double cl = 7.0;
  EXPECT_EQ(MeanCoefficient(99.99999999999999, 2, cl), kCoefficientOutOfRange);
  EXPECT_EQ(cl, 0.0);
  EXPECT_EQ(MeanCoefficient(99.99999999, 4, cl), kCoefficientOutOfRange);
  EXPECT_EQ(MeanCoefficient(99.99999999, 14, cl), kCoefficientOutOfRange);
  // Even degrees of freedom end by themselves.
  EXPECT_EQ(MeanCoefficient(99.99999999999999, 3, cl), kCoefficientOk);
}

TEST(ZorpaCoefficients, ClampedChiSquareStartHasNoNewtonStep) {
  // The Wilson-Hilferty start is clamped to 0: the density is 0 and 0 is returned.
  EXPECT_EQ(ChiSquareQuantileApprox(0.99999, 3), 0.0);
  EXPECT_EQ(ChiSquareTailSeries(0.0, 3), 1.0);
  double cl = 7.0, cu = 7.0;
  EXPECT_EQ(VarianceCoefficients(99.9, 4, cl, cu), kCoefficientOk);
  EXPECT_EQ(VarianceCoefficients(99.95, 4, cl, cu), kCoefficientOutOfRange);
  EXPECT_EQ(cl, 0.0);
  EXPECT_EQ(cu, 0.0);
  // One degree of freedom: the upper quantile evaluates to 0.
  EXPECT_EQ(ChiSquareQuantileApprox((100.0 + 99.99999999) * 0.005, 1), 0.0);
  EXPECT_EQ(VarianceCoefficients(99.99999999, 2, cl, cu), kCoefficientOutOfRange);
  EXPECT_EQ(VarianceCoefficients(99.9999, 2, cl, cu), kCoefficientOk);
  EXPECT_STREQ(CoefficientRangeMessage(0),
               "Unable to compute the coefficient for this value (cf too close to 100)!");
  EXPECT_STRNE(CoefficientRangeMessage(1), CoefficientRangeMessage(0));
}

// Every sample size, with cf values the 16-character box admits up to the one closest to 100:
// each computation ends with a shown value or the refusal (results zeroed).
TEST(ZorpaCoefficients, EverySampleSizeEndsWithAValueOrTheRefusal) {
  auto shown = [](double v) {
    return std::isfinite(v) && v > 0.0 && FormatCoefficient(v).size() < 64;
  };
  for (int n = 2; n <= 10000; n += (n < 40 ? 1 : 97)) {
    for (double cf : {1.0E-5, 0.000001, 50.0, 99.9999999, 99.99999999999999}) {
      SCOPED_TRACE(testing::Message() << "n=" << n << " cf=" << cf);
      double cl = -1.0, cu = -1.0;
      if (cf >= 1.0E-5) {
        const bool ok = MeanCoefficient(cf, n, cl) == kCoefficientOk;
        EXPECT_TRUE(ok ? shown(cl) : cl == 0.0);
      }
      const bool ok = VarianceCoefficients(cf, n, cl, cu) == kCoefficientOk;
      EXPECT_TRUE(ok ? shown(cl) && shown(cu) : cl == 0.0 && cu == 0.0);
    }
  }
}

// ---------------------------------------------------------------- the cf box

TEST(ZorpaCfInput, ParseRule) {
  const struct { const char *text; int whole; double value; } cases[] = {
      {" \t95", 1, 95.0}, {"1.0E-5", 1, 1.0E-5}, {"1.0E", 1, 1.0},  {"1.0E-", 1, 1.0},
      {"2e+", 1, 2.0},    {".5", 1, 0.5},        {"5.", 1, 5.0},    {"-3", 1, -3.0},
      {"+0.25e1", 1, 2.5}, {"0.000009", 1, 0.000009}, {"abc", 0, 0.0}, {"", 0, 0.0},
      {".", 0, 0.0},      {"+", 0, 0.0},         {"-", 0, 0.0},     {"E5", 0, 0.0},
      {".E5", 0, 0.0},    {"-.e1", 0, 0.0},      {"1e5e", 0, 0.0},  {"--5", 0, 0.0},
      {"1.2.3", 0, 0.0},  {"INF", 0, 0.0},       {"+INFINITY", 0, 0.0}, {"0x10", 0, 0.0},
      {"1E+-5", 0, 0.0}};
  for (const auto &c : cases) {
    double value = -1.0;
    EXPECT_EQ(ParseCfText(c.text, value), c.whole) << c.text;
    EXPECT_EQ(value, c.value) << c.text;
  }
  // A signed infinity or NaN is a number (refused later by the range).
  double value = 0.0;
  for (const char *text : {"+INF", "-INF", "+NAN", "-NAN"}) {
    EXPECT_EQ(ParseCfText(text, value), 1) << text;
    EXPECT_EQ(text[1] == 'I' ? std::isinf(value) && (value > 0) == (text[0] == '+')
                             : std::isnan(value), true) << text;
  }
  EXPECT_EQ(ScanCfNumber("-NAN5", value), 4u);
}

TEST(ZorpaCfInput, AcceptsAndRefusesByMode) {
  const struct { const char *text; int cfMode; CfInputCheck check; double value; } cases[] = {
      {"1.0E-5", 1, kCfAccepted, 1.0E-5},   {"0.00001", 1, kCfAccepted, 1.0E-5},
      {"0.000009", 1, kCfOutOfMeanRange, 0}, {"0.000009", 0, kCfAccepted, 0.000009},
      {"0.000001", 0, kCfAccepted, 0.000001}, {"0.000001", 1, kCfOutOfMeanRange, 0},
      {"0", 1, kCfOutOfMeanRange, 0},        {"0", 0, kCfOutOfVarianceRange, 0},
      {"-0", 0, kCfOutOfVarianceRange, 0},   {"100", 1, kCfOutOfMeanRange, 0},
      {"100", 0, kCfOutOfVarianceRange, 0},  {"-5", 0, kCfOutOfVarianceRange, 0},
      {"99.99999999999999", 1, kCfAccepted, 99.99999999999999},
      {"99.99999999999999", 0, kCfAccepted, 99.99999999999999},
      {"95", 1, kCfAccepted, 95},            {"9.5E1", 0, kCfAccepted, 95},
      {" 95", 1, kCfAccepted, 95},           {"95 ", 1, kCfNotANumber, 0},
      {"95%", 0, kCfNotANumber, 0},          {"cf", 1, kCfNotANumber, 0},
      {" ", 0, kCfNotANumber, 0},            {"", 1, kCfEmpty, 0},
      {"", 0, kCfEmpty, 0},                  {"+INF", 1, kCfOutOfMeanRange, 0},
      {"+INF", 0, kCfOutOfVarianceRange, 0}, {"-NAN", 1, kCfOutOfMeanRange, 0},
      {"+NAN", 0, kCfOutOfVarianceRange, 0}, {"1E-400", 0, kCfOutOfVarianceRange, 0}};
  for (const auto &c : cases) {
    double value = -1.0;
    EXPECT_EQ(CheckCfInput(c.text, c.cfMode, value), c.check) << c.text << " mode " << c.cfMode;
    EXPECT_EQ(value, c.value) << c.text << " mode " << c.cfMode;
  }
}

TEST(ZorpaCfInput, MessageTexts) {
  const struct { CfInputCheck check; const char *english; } cases[] = {
      {kCfEmpty, "No numerical value in the Editbox!"},
      {kCfNotANumber, "No normal numerical value in the Editbox!"},
      {kCfOutOfMeanRange, "Numerical value (cf) in the Editbox is 1.0E-5<=cf<100 !"},
      {kCfOutOfVarianceRange, "Numerical value (cf) in the Editbox is 0<cf<100 !"},
      {kCfAccepted, ""}};
  for (const auto &c : cases) EXPECT_STREQ(CfInputMessage(c.check, 0), c.english);
  EXPECT_STREQ(CfErrorCaption(0), "Error");
  EXPECT_STREQ(CfErrorCaption(1), "\x83\x47\x83\x89\x81\x5B");  // "エラー" in code page 932
  // The Japanese range messages keep the ASCII range text.
  EXPECT_NE(std::string(CfInputMessage(kCfOutOfMeanRange, 1)).find(" 1.0E-5<=cf<100 "),
            std::string::npos);
  EXPECT_NE(std::string(CfInputMessage(kCfOutOfVarianceRange, 1)).find(" 0<cf<100 "),
            std::string::npos);
  EXPECT_STRNE(CfInputMessage(kCfEmpty, 1), CfInputMessage(kCfNotANumber, 1));
}

// The live filter removes the last character while the text is bad. Returns every text the
// box held, the first included.
std::vector<std::string> Filtered(std::string text) {
  std::vector<std::string> shown{text};
  while (IsBadCfText(text)) {
    text.erase(text.size() - 1);
    shown.push_back(text);
  }
  return shown;
}

TEST(ZorpaCfFilter, TypingAValidNumberKeepsEveryPrefix) {
  for (const std::string typed : {"1.0E-5", "9.5e+1", "0.000001", "99.99999999999999"}) {
    for (std::size_t length = 0; length <= typed.size(); ++length)
      EXPECT_EQ(IsBadCfText(typed.substr(0, length)), 0) << typed.substr(0, length);
  }
  EXPECT_EQ(IsBadCfText("+INF"), 0);  // pasted whole it stays, and is refused at the press
}

TEST(ZorpaCfFilter, BadTextIsCutBackOneCharacterAtATime) {
  const struct { const char *text; std::vector<std::string> shown; } cases[] = {
      {"195", {"195"}},           {"1x5", {"1x5", "1x", "1"}},  {"1.0Ex", {"1.0Ex", "1.0E"}},
      {"95%", {"95%", "95"}},     {"1E100", {"1E100", "1E10"}}, {"1E-100", {"1E-100", "1E-10"}},
      {"1E99", {"1E99"}},         {"1E-99", {"1E-99"}},         {"5e+100", {"5e+100", "5e+10"}},
      {"ab", {"ab", "a", ""}},    {"95 ", {"95 ", "95"}},       {"+I", {"+I", "+", ""}},
      {"-", {"-", ""}},           {".", {".", ""}}};
  for (const auto &c : cases) EXPECT_EQ(Filtered(c.text), c.shown) << c.text;
}

}  // namespace
