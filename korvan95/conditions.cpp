// The analysis conditions and their dialog's rules.
#include "korvan95/conditions.h"

#include "common/text_rules.h"
#include "korvan95/ids.h"

#include <climits>
#include <cstdlib>

namespace {

constexpr MessageEntry kBadInterval = {"Input a proper value!\n  (N=2,3,..,20)", "Warning",
                                       "適切な数値(2,3,...,20)を入力して下さい.", "警告",
                                       kIconWarning};
constexpr MessageEntry kBadConfidence = {"Input a proper value!\n        (0<P<100)", "Warning",
                                         "適切な数値(0<数値<100)を入力して下さい.", "警告",
                                         kIconWarning};
constexpr MessageEntry kDialogFailed = {"Unable to display dialog.", "System Error",
                                        "ダイアログを表示できません.", "システム・エラー",
                                        kSystemModal | kIconError};

MessageBoxText Message(const MessageEntry& entry, int useJapanese) {
  return MessageFromTable(&entry, 1, 0, 0, useJapanese);
}

// The field as read from the control: at most 19 characters.
std::string FieldText(const std::string& text) {
  return text.substr(0, static_cast<std::size_t>(kConditionFieldReadLimit));
}

}  // namespace

double LenientDecimal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      end = j;
    }
  }
  return std::strtod(text.substr(start, end - start).c_str(), nullptr);
}

int LenientInteger(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool TooFewForAnalysis(int valueCount) { return valueCount < 3; }

std::string StandardIntervalText(int valueCount) {
  return std::to_string(ComputeIntervalNumber(kIntervalStandard, "", valueCount));
}

ConditionsDialogView ConditionsDialogOpens(const AnalysisConditions& conditions, int valueCount) {
  const ConditionValues& w = conditions.working;
  ConditionsDialogView view;
  view.confidenceText = w.confidenceText;
  view.basisButton = w.statisticsBasis == kBasisSample ? kDlgBasisSample : kDlgBasisUnbiased;
  view.markersButton = w.showMarkers ? kDlgMarkersDisplay : kDlgMarkersHide;
  const bool standard = w.intervalMode == kIntervalStandard;
  view.modeButton = standard ? kDlgModeStandard : kDlgModeChoice;
  view.intervalText = standard ? StandardIntervalText(valueCount) : w.intervalText;
  view.intervalEnabled = !standard;
  return view;
}

void BeginConditionsDialog(AnalysisConditions& conditions) { conditions.working = conditions.committed; }

void OnConditionsRadio(AnalysisConditions& conditions, ConditionsDialogView& view, int buttonId,
                       int valueCount) {
  ConditionValues& w = conditions.working;
  switch (buttonId) {
    case kDlgBasisSample: w.statisticsBasis = kBasisSample; view.basisButton = buttonId; break;
    case kDlgBasisUnbiased: w.statisticsBasis = kBasisUnbiased; view.basisButton = buttonId; break;
    case kDlgMarkersDisplay: w.showMarkers = 1; view.markersButton = buttonId; break;
    case kDlgMarkersHide: w.showMarkers = 0; view.markersButton = buttonId; break;
    case kDlgModeStandard:
      w.intervalMode = kIntervalStandard;
      view.modeButton = buttonId;
      view.intervalText = StandardIntervalText(valueCount);
      view.intervalEnabled = false;
      break;
    case kDlgModeChoice:
      w.intervalMode = kIntervalChoice;
      view.modeButton = buttonId;
      view.intervalText = w.intervalText;
      view.intervalEnabled = true;
      break;
    default: break;
  }
}

ConditionsDialogResult OnIntervalEdit(AnalysisConditions& conditions, const std::string& text) {
  if (conditions.working.intervalMode != kIntervalChoice) return kConditionsOk;
  const std::string field = FieldText(text);
  const int n = LenientInteger(field);
  const double x = LenientDecimal(field);
  if (n < 1 || n > kMaxIntervals || x != n) return kConditionsBadInterval;
  conditions.working.intervalText = field;
  return kConditionsOk;
}

ConditionsDialogResult OnConfidenceEdit(AnalysisConditions& conditions, const std::string& text) {
  const std::string field = FieldText(text);
  const double x = LenientDecimal(field);
  if (!(x > 0 && x < 100)) return kConditionsBadConfidence;
  conditions.working.confidenceText = field;
  return kConditionsOk;
}

void CommitConditions(AnalysisConditions& conditions) { conditions.committed = conditions.working; }

void CancelConditions(AnalysisConditions& conditions) { conditions.working = conditions.committed; }

ConditionsStep AfterConditionsDialog(AnalysisConditions& conditions, ConditionsDialogResult result,
                                     int useJapanese) {
  switch (result) {
    case kConditionsOk:
      return {ConditionsNext::kAnalyse, {"", "", 0}};
    case kConditionsBadInterval:
      conditions.working.intervalText = conditions.committed.intervalText;
      return {ConditionsNext::kWarnAndReopen, Message(kBadInterval, useJapanese)};
    case kConditionsBadConfidence:
      conditions.working.confidenceText = conditions.committed.confidenceText;
      return {ConditionsNext::kWarnAndReopen, Message(kBadConfidence, useJapanese)};
    default:
      CancelConditions(conditions);
      return {ConditionsNext::kStop, {"", "", 0}};
  }
}

MessageBoxText ConditionsDialogFailedMessage(int useJapanese) {
  return Message(kDialogFailed, useJapanese);
}
