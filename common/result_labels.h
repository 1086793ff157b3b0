// The labels of the six result lines of an analysis, in both languages (the Japanese texts as
// code page 932 bytes). korvan95's results page, korvan00's histogram page and korvan00's
// results file name the results alike: on the pages a value follows its name after " = " and
// an interval after " : " (ValueLabel, IntervalLabel); the results file puts each name on a
// line of its own, without either.
#pragma once

#include <string>

#include "common/texts.h"

constexpr Text kResultCount = {"Number of Data", "データ数"};
constexpr Text kResultSampleMean = {"Sample Mean (m)", "標本平均 (m)"};
constexpr Text kResultUnbiasedMean = {"Unbiased Estimate of Population Mean (m)", "母平均の不偏推定値 (m)"};
constexpr Text kResultSampleDeviation = {"Sample Standard Deviation (s)", "標本標準偏差 (s)"};
constexpr Text kResultUnbiasedDeviation = {"Unbiased Estimate of Population Standard Deviation (s)",
                                           "母標準偏差の不偏推定値 (s)"};
// The confidence line, around the probability: the same on the pages and in the file.
constexpr Text kResultConfidenceBefore = {"  ** Under ", "  ** "};
constexpr Text kResultConfidenceAfter = {"% Confidence Probability **", "% の信頼区間において **"};
constexpr Text kResultMeanInterval = {"Confidence Interval of Population Mean", "母平均の区間推定"};
constexpr Text kResultDeviationInterval = {"Confidence Interval of Population Standard Deviation",
                                           "母標準偏差の区間推定"};
// Between the bounds of the two intervals: "lower < mu < upper", "lower < sigma < upper".
constexpr const char* kMeanIntervalMiddle = " < mu < ";
constexpr const char* kDeviationIntervalMiddle = " < sigma < ";

// The label of a value on a page: its name and " = ".
inline std::string ValueLabel(const Text& name, int useJapanese) {
  return std::string(TextFor(name, useJapanese)) + " = ";
}
// The label of an interval on a page: its name and " : ".
inline std::string IntervalLabel(const Text& name, int useJapanese) {
  return std::string(TextFor(name, useJapanese)) + " : ";
}
