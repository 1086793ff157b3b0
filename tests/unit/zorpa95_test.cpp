// The confidence-coefficient calculator: worked values, the choice between the expansion and
// the search, the bounded search, the refused inputs and the live filter of the cf box.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "zorpa95/cf_input.h"
#include "zorpa95/coefficients.h"

namespace {

// ---------------------------------------------------------------- worked values

TEST(ZorpaCoefficients, SearchGivesTheWorkedQuantiles) {
  // n = 2, cf = 95: a = 0.05, tolerance 0.00001.
  EXPECT_NEAR(TQuantileTwoSided(0.05, 1), 12.70621, 1e-9);
  // n = 2, cf = 99.95: a < 0.001, tolerance 0.01.
  EXPECT_NEAR(TQuantileTwoSided((100.0 - 99.95) * 0.01, 1), 1273.21, 1e-7);
}

struct ShownCase {
  int n;
  double cf;
  const char *mean;       // result box 1 in the mean mode
  const char *varianceL;  // result boxes 1 and 2 in the variance mode
  const char *varianceU;
};

TEST(ZorpaCoefficients, ShowsTheWorkedValues) {
  const ShownCase cases[] = {
      {2, 95.0, "8.984647        ", "0.199049        ", "1018.258294     "},
      {10, 95.0, "0.715357        ", "0.473117        ", "3.332521        "},
      {2, 99.95, "900.295425      ", nullptr, nullptr},
  };
  for (const ShownCase &c : cases) {
    SCOPED_TRACE(c.n);
    double cl = -1.0;
    ASSERT_EQ(MeanCoefficient(c.cf, c.n, cl), kCoefficientOk);
    EXPECT_EQ(FormatCoefficient(cl), c.mean);
    if (c.varianceL == nullptr) continue;
    double vl = -1.0, vu = -1.0;
    ASSERT_EQ(VarianceCoefficients(c.cf, c.n, vl, vu), kCoefficientOk);
    EXPECT_EQ(FormatCoefficient(vl), c.varianceL);
    EXPECT_EQ(FormatCoefficient(vu), c.varianceU);
  }
}

TEST(ZorpaCoefficients, FormatIsLeftJustifiedSixDecimals) {
  EXPECT_EQ(FormatCoefficient(0.0), "0.000000        ");
  EXPECT_EQ(FormatCoefficient(1234567890.1234567), "1234567890.123457");
  // Wider than the field and the 64-byte buffer: nothing is cut.
  std::string wide = FormatCoefficient(1e60);
  EXPECT_EQ(wide.size(), 60u + 7u);
  EXPECT_EQ(wide.substr(0, 16), "9999999999999999");
  EXPECT_EQ(wide.substr(wide.size() - 7), ".000000");
}

// ---------------------------------------------------------------- expansion or search

// The quantile P(|T| > t) = a lies between t - e and t - e + 10e for a search result t.
void ExpectSearchBrackets(double a, int df, double e) {
  double t = TQuantileSearch(a, df);
  double low = t - e;
  double cells = low / (10.0 * e);
  EXPECT_NEAR(cells, std::floor(cells + 0.5), 1e-6) << "not on the grid: " << t;
  EXPECT_GT(TTwoSidedTail(low, df), a);
  EXPECT_LE(TTwoSidedTail(low + 10.0 * e, df), a);
}

TEST(ZorpaCoefficients, SearchToleranceFollowsDegreesAndProbability) {
  struct {
    double a;
    int df;
    double e;
  } const cases[] = {
      {0.05, 1, 0.00001},  {0.01, 1, 0.00001},  {0.0099, 1, 0.0001}, {0.001, 1, 0.0001},
      {0.0009, 1, 0.01},   {0.0001, 2, 0.00001}, {0.00009, 2, 0.0001}, {0.00009, 3, 0.00001},
      {0.3, 5, 0.00001},   {0.004, 12, 0.00001},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.a);
    SCOPED_TRACE(c.df);
    ExpectSearchBrackets(c.a, c.df, c.e);
  }
}

TEST(ZorpaCoefficients, ExpansionOrSearchBySampleSizeAndProbability) {
  struct {
    int n;       // sample size
    double a;    // two-sided tail probability
    bool search;
  } const cases[] = {
      {14, 0.005, true},   {14, 0.001, true},    {14, 0.0051, false}, {14, 0.05, false},
      {15, 0.005, false},  {15, 0.0001, false},  {15, 0.5, false},    {6, 0.5, true},
      {6, 0.05, true},     {2, 0.9, true},       {7, 0.05, false},    {7, 0.005, true},
      {1000, 0.0001, false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.n);
    SCOPED_TRACE(c.a);
    double chosen = TQuantileTwoSided(c.a, c.n - 1);
    double searched = TQuantileSearch(c.a, c.n - 1);
    if (c.search) {
      EXPECT_EQ(chosen, searched);
    } else {
      // The expansion is close to the search but not on its grid.
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
    SCOPED_TRACE(df);
    EXPECT_EQ(TQuantileSearch(1e-12, df), 0.0);
    EXPECT_EQ(TQuantileSearch(0.0, df), 0.0);
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
}

// Every sample size, with cf values the 16-character box admits up to the one closest to 100:
// each computation ends, and what it gives is either a shown value or the refusal.
TEST(ZorpaCoefficients, EverySampleSizeEndsWithAValueOrTheRefusal) {
  const double cfs[] = {1.0E-5, 0.000001, 50.0, 99.9999999, 99.99999999999999};
  for (int n = 2; n <= 10000; n += (n < 40 ? 1 : 97)) {
    for (double cf : cfs) {
      SCOPED_TRACE(n);
      SCOPED_TRACE(cf);
      double cl = -1.0, cu = -1.0;
      if (cf >= 1.0E-5) {
        if (MeanCoefficient(cf, n, cl) == kCoefficientOk) {
          EXPECT_TRUE(std::isfinite(cl) && cl > 0.0);
          EXPECT_LE(FormatCoefficient(cl).size(), 63u);
        } else {
          EXPECT_EQ(cl, 0.0);
        }
      }
      if (VarianceCoefficients(cf, n, cl, cu) == kCoefficientOk) {
        EXPECT_TRUE(std::isfinite(cl) && cl > 0.0 && std::isfinite(cu) && cu > 0.0);
        EXPECT_LE(FormatCoefficient(cl).size(), 63u);
        EXPECT_LE(FormatCoefficient(cu).size(), 63u);
      } else {
        EXPECT_EQ(cl, 0.0);
        EXPECT_EQ(cu, 0.0);
      }
    }
  }
}

TEST(ZorpaCoefficients, RangeMessageInBothLanguages) {
  EXPECT_STREQ(CoefficientRangeMessage(0),
               "Unable to compute the coefficient for this value (cf too close to 100)!");
  // The Japanese text is stored as code page 932 bytes.
  EXPECT_STREQ(CoefficientRangeMessage(1), "\x90\x94\x92\x6c\x28\x63\x66\x29\x82\xaa\x31\x30\x30\x82\xc9\x8b\xdf\x82\xb7\x82\xac\x82\xe9\x82\xbd\x82\xdf\x81\x41\x8c\x57\x90\x94\x82\xf0\x8c\x76\x8e\x5a\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x21");
}

// ---------------------------------------------------------------- parse rule

TEST(ZorpaCfInput, ParseRule) {
  struct {
    const char *text;
    int whole;
    double value;
  } const cases[] = {
      {"95", 1, 95.0},          {"9.5E1", 1, 95.0},     {" \t95", 1, 95.0},
      {"1.0E-5", 1, 1.0E-5},    {"1.0E", 1, 1.0},       {"1.0E-", 1, 1.0},
      {"2e+", 1, 2.0},          {".5", 1, 0.5},         {"5.", 1, 5.0},
      {"-3", 1, -3.0},          {"+0.25e1", 1, 2.5},    {"0.000009", 1, 0.000009},
      {"95 ", 0, 0.0},          {"95%", 0, 0.0},        {"abc", 0, 0.0},
      {"", 0, 0.0},             {" ", 0, 0.0},          {".", 0, 0.0},
      {"+", 0, 0.0},            {"-", 0, 0.0},          {"E5", 0, 0.0},
      {".E5", 0, 0.0},          {"-.e1", 0, 0.0},       {"1e5e", 0, 0.0},
      {"--5", 0, 0.0},          {"1.2.3", 0, 0.0},      {"INF", 0, 0.0},
      {"+INFINITY", 0, 0.0},    {"0x10", 0, 0.0},       {"1E+-5", 0, 0.0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.text);
    double value = -1.0;
    EXPECT_EQ(ParseCfText(c.text, value), c.whole);
    EXPECT_EQ(value, c.value);
  }
}

TEST(ZorpaCfInput, SignedInfinityAndNanAreNumbers) {
  double value = 0.0;
  EXPECT_EQ(ParseCfText("+INF", value), 1);
  EXPECT_TRUE(std::isinf(value) && value > 0.0);
  EXPECT_EQ(ParseCfText("-INF", value), 1);
  EXPECT_TRUE(std::isinf(value) && value < 0.0);
  EXPECT_EQ(ParseCfText("+NAN", value), 1);
  EXPECT_TRUE(std::isnan(value));
  EXPECT_EQ(ParseCfText("-NAN", value), 1);
  EXPECT_TRUE(std::isnan(value));
  EXPECT_EQ(ScanCfNumber("-NAN5", value), 4u);
}

// ---------------------------------------------------------------- ReadCfInput decision

TEST(ZorpaCfInput, AcceptsAndRefusesByMode) {
  struct {
    const char *text;
    int cfMode;
    CfInputCheck check;
    double value;
  } const cases[] = {
      {"1.0E-5", 1, kCfAccepted, 1.0E-5},
      {"0.00001", 1, kCfAccepted, 1.0E-5},
      {"0.000009", 1, kCfOutOfMeanRange, 0.0},
      {"0.000009", 0, kCfAccepted, 0.000009},
      {"0.000001", 0, kCfAccepted, 0.000001},
      {"0.000001", 1, kCfOutOfMeanRange, 0.0},
      {"0", 1, kCfOutOfMeanRange, 0.0},
      {"0", 0, kCfOutOfVarianceRange, 0.0},
      {"-0", 0, kCfOutOfVarianceRange, 0.0},
      {"100", 1, kCfOutOfMeanRange, 0.0},
      {"100", 0, kCfOutOfVarianceRange, 0.0},
      {"99.99999999999999", 1, kCfAccepted, 99.99999999999999},
      {"99.99999999999999", 0, kCfAccepted, 99.99999999999999},
      {"-5", 0, kCfOutOfVarianceRange, 0.0},
      {"95", 1, kCfAccepted, 95.0},
      {"9.5E1", 0, kCfAccepted, 95.0},
      {" 95", 1, kCfAccepted, 95.0},
      {"95 ", 1, kCfNotANumber, 0.0},
      {"95%", 0, kCfNotANumber, 0.0},
      {"cf", 1, kCfNotANumber, 0.0},
      {" ", 0, kCfNotANumber, 0.0},
      {"", 1, kCfEmpty, 0.0},
      {"", 0, kCfEmpty, 0.0},
      {"+INF", 1, kCfOutOfMeanRange, 0.0},
      {"+INF", 0, kCfOutOfVarianceRange, 0.0},
      {"-NAN", 1, kCfOutOfMeanRange, 0.0},
      {"+NAN", 0, kCfOutOfVarianceRange, 0.0},
      {"1E-400", 0, kCfOutOfVarianceRange, 0.0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.text);
    SCOPED_TRACE(c.cfMode);
    double value = -1.0;
    EXPECT_EQ(CheckCfInput(c.text, c.cfMode, value), c.check);
    EXPECT_EQ(value, c.value);
  }
}

TEST(ZorpaCfInput, MessageTexts) {
  struct {
    CfInputCheck check;
    const char *english;
  } const cases[] = {
      {kCfEmpty, "No numerical value in the Editbox!"},
      {kCfNotANumber, "No normal numerical value in the Editbox!"},
      {kCfOutOfMeanRange, "Numerical value (cf) in the Editbox is 1.0E-5<=cf<100 !"},
      {kCfOutOfVarianceRange, "Numerical value (cf) in the Editbox is 0<cf<100 !"},
      {kCfAccepted, ""},
  };
  for (const auto &c : cases) EXPECT_STREQ(CfInputMessage(c.check, 0), c.english);
  EXPECT_STREQ(CfErrorCaption(0), "Error");
  // "エラー" in code page 932.
  EXPECT_STREQ(CfErrorCaption(1), "\x83\x47\x83\x89\x81\x5B");
  // The Japanese range messages keep the ASCII range text.
  EXPECT_NE(std::string(CfInputMessage(kCfOutOfMeanRange, 1)).find(" 1.0E-5<=cf<100 "),
            std::string::npos);
  EXPECT_NE(std::string(CfInputMessage(kCfOutOfVarianceRange, 1)).find(" 0<cf<100 "),
            std::string::npos);
  EXPECT_STRNE(CfInputMessage(kCfEmpty, 1), CfInputMessage(kCfNotANumber, 1));
}

// ---------------------------------------------------------------- live filter

// What the box shows after the filter has run on every change: the last character is
// removed while the text is bad. Returns every text the box held, the first included.
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
    for (std::size_t length = 1; length <= typed.size(); ++length) {
      std::string prefix = typed.substr(0, length);
      EXPECT_EQ(IsBadCfText(prefix), 0) << prefix;
    }
  }
  EXPECT_EQ(IsBadCfText(""), 0);
  // Pasted whole, a signed infinity stays (and is refused at the button press).
  EXPECT_EQ(IsBadCfText("+INF"), 0);
}

TEST(ZorpaCfFilter, BadTextIsCutBackOneCharacterAtATime) {
  struct {
    const char *text;
    std::vector<std::string> shown;
  } const cases[] = {
      {"195", {"195"}},
      {"1x5", {"1x5", "1x", "1"}},
      {"1.0Ex", {"1.0Ex", "1.0E"}},
      {"95%", {"95%", "95"}},
      {"1E100", {"1E100", "1E10"}},
      {"1E-100", {"1E-100", "1E-10"}},
      {"1E99", {"1E99"}},
      {"1E-99", {"1E-99"}},
      {"5e+100", {"5e+100", "5e+10"}},
      {"ab", {"ab", "a", ""}},
      {"95 ", {"95 ", "95"}},
      {"+I", {"+I", "+", ""}},
      {"-", {"-", ""}},
      {".", {".", ""}},
  };
  for (const auto &c : cases) EXPECT_EQ(Filtered(c.text), c.shown) << c.text;
}

}  // namespace
