// The confidence-coefficient calculator: worked values, the choice between the expansion and
// the search, the check of every quantile against the exact tails, the coefficients against
// exact values (tests/data/coefficients.txt), the refused inputs and the live filter of the
// cf box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "zorpa95/cf_input.h"
#include "zorpa95/coefficients.h"
#include "tests/unit/fields.h"

namespace {

constexpr QuantileKind kKinds[] = {QuantileKind::kStudentT, QuantileKind::kChiSquareLarger, QuantileKind::kChiSquareSmaller};

// A coefficient as shown, without the padding of the box.
std::string Trimmed(double value) {
  const std::string text = FormatCoefficient(value);
  return text.substr(0, text.find(' '));
}

// The status and the coefficients of one computation: the mean coefficient (and -1), or Cl and Cu. The results
// start at -1 to see them zeroed.
std::tuple<CoefficientStatus, double, double> Computed(bool mean, double cf, int n) {
  double cl = -1.0, cu = -1.0;
  const CoefficientStatus status = mean ? MeanCoefficient(cf, n, cl) : VarianceCoefficients(cf, n, cl, cu);
  return {status, cl, cu};
}

// ---------------------------------------------------------------- worked values

TEST(ZorpaCoefficients, ShowsTheWorkedValues) {
  // Shown: the mean coefficient, then Cl and Cu. n = 2 at cf 99.95 (a < 0.001): the search tolerance is 0.01.
  const struct { int n; double cf; std::string shown; } cases[] = {
      {2, 95.0, "8.984647        0.199049        1018.258294     "}, {2, 99.95, "900.295425      "},
      {10, 95.0, "0.715357        0.473117        3.332521        "}, {6, 95.0, "1.049406        "}};
  for (const auto &c : cases) {
    const auto [varianceOk, cl, cu] = Computed(false, c.cf, c.n);
    const std::string variance = c.shown.size() > 16 ? FormatCoefficient(cl) + FormatCoefficient(cu) : "";
    EXPECT_EQ(FormatCoefficient(std::get<1>(Computed(true, c.cf, c.n))) + variance, c.shown) << c.n;
  }
  // Wider than the field and the 64-byte buffer: nothing is cut.
  EXPECT_EQ(FormatCoefficient(1234567890.1234567), "1234567890.123457");
  EXPECT_EQ(FormatCoefficient(1e60), "999999999999999949387135297074018866963645011013410073083904.000000");
}

// ---------------------------------------------------------------- expansion or search

// For each degrees of freedom df and two-sided tail a: the tolerance e of the search, and whether the search (not
// the expansion) gives the quantile. The expansion is close to the search but not on its grid.
TEST(ZorpaCoefficients, SearchToleranceAndTheChoiceOfExpansionOrSearch) {
  const struct { int df; double a, tolerance; bool search; } cases[] = {
      {1, 0.05, 1e-5, 1},   {1, 0.01, 1e-5, 1},    {1, 0.0099, 1e-4, 1},  {1, 0.001, 1e-4, 1},  {1, 0.0009, 0.01, 1},
      {2, 0.0001, 1e-5, 1}, {2, 0.00009, 1e-4, 1}, {3, 0.00009, 1e-5, 1}, {5, 0.3, 1e-5, 1},    {12, 0.004, 1e-5, 1},
      {13, 0.005, 1e-5, 1}, {13, 0.001, 1e-5, 1},  {13, 0.0051, 1e-5, 0}, {13, 0.05, 1e-5, 0},  {14, 0.005, 1e-5, 0},
      {14, 0.0001, 1e-5, 0}, {14, 0.5, 1e-5, 0},   {5, 0.5, 1e-5, 1},     {5, 0.05, 1e-5, 1},   {1, 0.9, 1e-5, 1},
      {6, 0.05, 1e-5, 0},   {6, 0.005, 1e-5, 1},   {999, 0.0001, 1e-5, 0}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << "a=" << c.a << " df=" << c.df);
    // The quantile P(|T| > t) = a lies between t - e and t - e + 10e for a search result t.
    const double searched = TQuantileSearch(c.a, c.df), chosen = TQuantileTwoSided(c.a, c.df);
    const double low = searched - c.tolerance, high = low + 10.0 * c.tolerance, cells = low / (10.0 * c.tolerance);
    EXPECT_NEAR(cells, std::floor(cells + 0.5), 1e-6) << "not on the grid";
    EXPECT_EQ(std::tuple(TTwoSidedTail(low, c.df) > c.a, TTwoSidedTail(high, c.df) <= c.a, chosen == searched),
              std::tuple(true, true, c.search));
    EXPECT_NEAR(chosen, searched, 0.01);
  }
}

// ---------------------------------------------------------------- the two faults

// Where the approximations give up (a search beyond the reach of its tail, a chi-square start
// clamped to 0), the exact root takes over; only where the exact tails cannot resolve the
// target does the refusal remain.
TEST(ZorpaCoefficients, GivenUpAndWrongApproximationsAreReplacedByTheExactRootAndGoodOnesKept) {
  // For odd degrees of freedom the tail never falls below about 1.3e-10: the search gives up.
  for (int df : {1, 3, 5, 13}) EXPECT_EQ(TQuantileSearch(1e-12, df) + TQuantileSearch(0.0, df), 0.0) << df;
  EXPECT_EQ(std::tuple(ChiSquareQuantileApprox(0.99999, 3), ChiSquareTailSeries(0.0, 3),
                       ChiSquareQuantileApprox((100.0 + 99.99999999) * 0.005, 1)),
            std::tuple(0.0, 1.0, 0.0));

  // Exact values (Boost.Math, 50 digits) of what the approximations could not give: the mean
  // coefficient (cf as a double already moves alpha by 1e-8), or Cu.
  const struct { int n; double cf; bool mean; double exact; } cases[] = {
      {4, 99.99999999, true, 1.4021469126697628e+03}, {14, 99.99999999, true, 4.9495823176718358e+00},
      {4, 99.95, false, 3.1203664464995493e+02},      {2, 99.99999999, false, 2.5464790894703254e+20}};
  for (const auto &c : cases) {
    const auto [ok, cl, cu] = Computed(c.mean, c.cf, c.n);
    EXPECT_NEAR((c.mean ? cl : cu) / c.exact, 1.0, c.mean ? 1e-6 : 1e-5) << "n=" << c.n << " cf=" << c.cf;
  }

  // Beyond the resolution of the exact tails: the refusal, with the results zeroed.
  for (int n : {2, 3}) EXPECT_EQ(Computed(true, 99.9999999999, n), std::tuple(kCoefficientOutOfRange, 0.0, -1.0)) << n;
  EXPECT_EQ(Computed(false, 99.9999999999999, 4), std::tuple(kCoefficientOutOfRange, 0.0, 0.0));
  for (QuantileKind kind : kKinds)
    EXPECT_EQ(std::tuple(CheckedQuantile(kind, 99.9999999999999, 200).source, ExactQuantile(kind, 99.9999999999999, 200, 1.0)),
              std::tuple(QuantileSource::kUnresolved, 0.0));

// ---------------------------------------------------------------- the check
// The coefficients shown, and which of the two chi-square quantiles were replaced by the exact root.
  const struct { int n; double cf; const char *cl, *cu; bool exactL, exactU; } shown[] = {
      {4, 95, "0.320915", "13.820657", false, false}, {4, 99, "0.233707", "41.828301", false, true},
      {4, 99.9, "0.169205", "196.348349", true, true}, {5, 99.9, "0.200026", "62.576221", true, true},
      {8, 99.999, "0.189941", "55.995555", true, true}, {8, 99.99999, "0.148163", "210.865471", true, true},
      {12, 99.9, "0.331959", "6.931982", true, true}};
  using enum QuantileKind;
  for (const auto &c : shown) {
    const auto [ok, cl, cu] = Computed(false, c.cf, c.n);
    EXPECT_FIELDS(std::tuple(c.cl, c.cu, c.exactL, c.exactU), Trimmed(cl), Trimmed(cu),
                  CheckedQuantile(kChiSquareLarger, c.cf, c.n).source == QuantileSource::kExactRoot,
                  CheckedQuantile(kChiSquareSmaller, c.cf, c.n).source == QuantileSource::kExactRoot)
        << "n=" << c.n << " cf=" << c.cf;
  }
}

TEST(ZorpaCoefficients, TailCheckKeepsOnlyValuesWithinOnePercent) {
  // The exact 95 % quantiles of 3 degrees of freedom (n = 4), Boost.Math with 50 digits.
  const double exact[] = {3.1824463052837096, 9.3484036044961478, 0.21579528262389787};
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const QuantileKind kind = kKinds[k];
    for (double start : {1.0, 1e6}) EXPECT_NEAR(ExactQuantile(kind, 95.0, 4, start) / exact[k], 1.0, 1e-14);  // any start
    for (double x : {exact[k], exact[k] * 1.0005}) EXPECT_TRUE(PassesTailCheck(kind, 95.0, 4, x)) << x;
    for (double x : {exact[k] * 1.02, exact[k] / 1.02, 0.0, -1.0, HUGE_VAL, std::nan("")})
      EXPECT_FALSE(PassesTailCheck(kind, 95.0, 4, x)) << x;
  }
  // One degree of freedom, lower tail: 1 % of the tail is 2 % of the quantile, so a
  // quantile 1.5 % off either way fails although its tail (about 0.75 % off) is within 1 %.
  const QuantileKind smaller = QuantileKind::kChiSquareSmaller;
  const double lower = ExactQuantile(smaller, 99.0, 2, 1.0);
  EXPECT_LT(std::fabs(static_cast<double>(SmallerTail(smaller, 2, lower * 1.015)) / TargetTail(99.0) - 1), 0.01);
  EXPECT_EQ(std::tuple(PassesTailCheck(smaller, 99.0, 2, lower * 1.005), PassesTailCheck(smaller, 99.0, 2, lower * 1.015),
                       PassesTailCheck(smaller, 99.0, 2, lower / 1.015)), std::tuple(true, false, false));
}

// ---------------------------------------------------------------- exact reference

// n = 2 ... 200 at cf 50 ... 99.99999: every shown coefficient within 1 % of the exact value,
// and monotone in cf for each n.
TEST(ZorpaCoefficients, AgreeWithExactValuesWithinOnePercent) {
  std::FILE *file = std::fopen(SUITE_TEST_DATA_DIR "/coefficients.txt", "r");
  ASSERT_NE(file, nullptr);
  char line[256];
  int rows = 0, n = 0, previousN = 0;
  double cf = 0, exact[3] = {}, previous[3] = {};
  while (std::fgets(line, sizeof line, file) != nullptr) {
    if (std::sscanf(line, "%d %lf %lf %lf %lf", &n, &cf, &exact[0], &exact[1], &exact[2]) != 5) continue;  // # comments
    ++rows;
    const double mean = std::get<1>(Computed(true, cf, n));
    const auto [ok, cl, cu] = Computed(false, cf, n);
    EXPECT_LE(std::max({std::fabs(mean / exact[0] - 1), std::fabs(cl / exact[1] - 1), std::fabs(cu / exact[2] - 1)}), 0.01)
        << n << " " << cf;
    EXPECT_TRUE(n != previousN || (mean >= previous[0] && cl <= previous[1] && cu >= previous[2])) << n << " " << cf;
    previousN = n;
    previous[0] = mean, previous[1] = cl, previous[2] = cu;
  }
  std::fclose(file);
  EXPECT_EQ(rows, 199 * 9);
}

// ---------------------------------------------------------------- the cf box

// Each text typed into the cf box with the message it gets in either mode (the mean coefficient,
// the variance coefficients), and the cf read where it is accepted. A number is a whole decimal
// text with an optional exponent, whose digits may be missing, or a signed INF or NAN (refused
// by the range).
TEST(ZorpaCfInput, TheNumberRuleAndTheRangeOfEachMode) {
  const std::string ok, none = "No numerical value in the Editbox!", bad = "No normal numerical value in the Editbox!";
  const std::string mean = "Numerical value (cf) in the Editbox is 1.0E-5<=cf<100 !";
  const std::string variance = "Numerical value (cf) in the Editbox is 0<cf<100 !";
  const struct { const char *text; std::string inMean, inVariance; double value = 0; } cases[] = {
      {" \t95", ok, ok, 95}, {"1.0E-5", ok, ok, 1e-5}, {"1.0E", ok, ok, 1}, {"1.0E-", ok, ok, 1}, {"2e+", ok, ok, 2},
      {".5", ok, ok, 0.5}, {"5.", ok, ok, 5}, {"+0.25e1", ok, ok, 2.5}, {"9.5E1", ok, ok, 95},
      {"99.99999999999999", ok, ok, 99.99999999999999}, {"0.000009", mean, ok, 0.000009}, {"0.000001", mean, ok, 0.000001},
      {"0", mean, variance}, {"-0", mean, variance}, {"100", mean, variance}, {"-3", mean, variance},
      {"+INF", mean, variance}, {"-INF", mean, variance}, {"+NAN", mean, variance}, {"-NAN", mean, variance},
      {"1E-400", mean, variance}, {"", none, none}};
  for (const auto &c : cases) {
    for (const int cfMode : {1, 0}) {
      double value = -1.0;
      const std::string &message = cfMode ? c.inMean : c.inVariance;
      EXPECT_EQ(std::pair(std::string(CfInputMessage(CheckCfInput(c.text, cfMode, value), 0)), value),
                std::pair(message, message.empty() ? c.value : 0.0)) << '"' << c.text << "\" mode " << cfMode;
    }
  }
  for (const char *text : {"95 ", "95%", "cf", " ", "abc", ".", "+", "-", "E5", ".E5", "-.e1", "1e5e", "--5", "1.2.3", "INF",
                           "+INFINITY", "0x10", "1E+-5", "-NAN5"}) {
    double value = -1.0;
    EXPECT_EQ(CfInputMessage(CheckCfInput(text, 0, value), 0), bad) << text;
  }
  // The Japanese range messages keep the ASCII range text.
  EXPECT_NE(std::string(CfInputMessage(kCfOutOfMeanRange, 1)).find(" 1.0E-5<=cf<100 "), std::string::npos);
  EXPECT_NE(std::string(CfInputMessage(kCfOutOfVarianceRange, 1)).find(" 0<cf<100 "), std::string::npos);
}

// ---------------------------------------------------------------- the live filter

// The live filter removes the last character while the text is bad. Returns every text the
// box held, the first included.
std::vector<std::string> Filtered(std::string text) {
  std::vector<std::string> shown{text};
  while (IsBadCfText(text)) shown.push_back(text.erase(text.size() - 1));
  return shown;
}

TEST(ZorpaCfFilter, ValidNumbersKeepEveryPrefixAndBadTextIsCutBackOneCharacterAtATime) {
  for (const std::string typed : {"1.0E-5", "9.5e+1", "0.000001", "99.99999999999999"}) {
    for (std::size_t length = 0; length <= typed.size(); ++length)
      EXPECT_EQ(IsBadCfText(typed.substr(0, length)), 0) << typed.substr(0, length);
  }
  EXPECT_EQ(IsBadCfText("+INF"), 0);  // pasted whole it stays, and is refused at the press
  const struct { const char *text; std::vector<std::string> shown; } cases[] = {
      {"195", {"195"}},       {"1x5", {"1x5", "1x", "1"}},   {"1.0Ex", {"1.0Ex", "1.0E"}}, {"95%", {"95%", "95"}},
      {"1E100", {"1E100", "1E10"}}, {"1E-100", {"1E-100", "1E-10"}}, {"1E99", {"1E99"}},  {"1E-99", {"1E-99"}},
      {"5e+100", {"5e+100", "5e+10"}}, {"ab", {"ab", "a", ""}}, {"95 ", {"95 ", "95"}}, {"+I", {"+I", "+", ""}},
      {"-", {"-", ""}},       {".", {".", ""}}};
  for (const auto &c : cases) EXPECT_EQ(Filtered(c.text), c.shown) << c.text;
}

}  // namespace
