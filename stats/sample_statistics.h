// Sample statistics, confidence intervals of the population mean and standard deviation,
// interval number and frequency distribution of one data set.
#pragma once

constexpr int kMaxIntervals = 20;

// Interval-number modes of the analysis conditions.
constexpr int kIntervalChoice = 0;
constexpr int kIntervalStandard = 1;

struct AnalysisResults {
  int count = 0;                 // N
  double mean = 0;               // m, the sample mean
  double unbiasedMean = 0;       // the unbiased estimate of the population mean (equals m)
  double sampleDeviation = 0;    // s, divisor N - 1
  double factorR = 0;            // r = sqrt((N - 1) / N); s * r has divisor N
  double unbiasedDeviation = 0;  // sigma hat, the unbiased estimate of the population deviation
  double confidence = 0;         // P in percent
  double tValue = 0;             // the two-sided t percentile used
  double meanLower = 0, meanUpper = 0;
  double chiSquareSmall = 0, chiSquareLarge = 0;  // the two chi-square quantiles a and b
  double deviationLower = 0, deviationUpper = 0;
  int intervalCount = 0;  // k
  double minimum = 0, maximum = 0, width = 0;
  int twiceFrequencies[kMaxIntervals + 1] = {};  // up-count + down-count per interval
  double frequencies[kMaxIntervals + 1] = {};    // the same, halved (may end in .5)
};

// Fills count, the means, deviations, factorR, confidence, tValue, the chi-square quantiles
// and the four limits. Needs count >= 3 and 0 < confidencePercent < 100.
void ComputeSampleStatistics(const double* data, int count, double confidencePercent,
                             AnalysisResults& results);

// The same with other percentile searches of identical results (the benchmarks compare the
// engine's searches with the step-by-step reference this way).
struct PercentileSearches {
  double (*studentT)(int n, double p);
  double (*chiSquare)(int n, double p);
};
void ComputeSampleStatisticsWith(const double* data, int count, double confidencePercent,
                                 AnalysisResults& results, const PercentileSearches& searches);

// 1 when every result shown is a finite double: both means, both deviations, the four limits,
// the minimum, maximum and width. Each is formed in extended precision from finite values
// (the sum of the values, where it leaves the range of a double, in scaled form), so one
// that is not finite is one whose true value lies beyond the range of a double (to within
// the rounding of the stored intermediates).
int ResultsWithinRange(const AnalysisResults& results);

// Standard: ceil(3.3 * log10(count)); Choice: the integer value of intervalText.
int ComputeIntervalNumber(int mode, const char* intervalText, int count);

// Fills intervalCount, minimum, maximum, width and both frequency arrays (slots from k on are
// cleared, so a record reused with a smaller k holds no stale counts). Returns 0 when all
// values are equal (width 0, every frequency cleared) or count < 1, else 1. k is kept within
// 1 ... kMaxIntervals. A width beyond the range of a double (infinite) or below its smallest
// step (0 for values that differ) is stored rounded; the values are counted with its
// extended-precision value then.
int ComputeFrequencies(const double* data, int count, int k, AnalysisResults& results);
