// The analysis conditions of korvan00 and the model of their dialog.
#include "korvan00/conditions.h"

#include <cstdlib>

#include "common/text_rules.h"
#include "korvan00/sheet_text.h"

namespace korvan00 {

namespace {

// The list item of an interval number, kept inside the list.
int ItemOfInterval(int number) {
  int item = number - kFirstListedInterval;
  if (item < 0) item = 0;
  if (item > kIntervalItemCount - 1) item = kIntervalItemCount - 1;
  return item;
}

}  // namespace

double LeadingDecimalValue(const char* text) {
  if (text == nullptr) return 0;
  const char* start = text;
  while (IsBlank(*start)) ++start;
  const char* c = start;
  if (*c == '+' || *c == '-') ++c;
  int digits = 0;
  while (IsDigit(*c)) ++c, ++digits;
  if (*c == '.') {
    ++c;
    while (IsDigit(*c)) ++c, ++digits;
  }
  if (digits == 0) return 0;
  // An exponent counts only with at least one digit; "5e" and "5e+" read as 5.
  if (*c == 'e' || *c == 'E') {
    const char* e = c + 1;
    if (*e == '+' || *e == '-') ++e;
    if (IsDigit(*e)) {
      while (IsDigit(*e)) ++e;
      c = e;
    }
  }
  return std::strtod(std::string(start, c).c_str(), nullptr);
}

int IsAcceptedConfidence(const char* text) {
  const double p = LeadingDecimalValue(text);
  return p > 0 && p < 100 ? 1 : 0;
}

double ConfidenceOf(const AnalysisConditions& conditions) {
  return LeadingDecimalValue(conditions.confidenceText.c_str());
}

const std::array<const char*, kIntervalItemCount>& IntervalItems() {
  static constexpr std::array<const char*, kIntervalItemCount> kItems = {
      "2", "3", "4", "5", "6", "7", "8", "9", "10", "11",
      "12", "13", "14", "15", "16", "17", "18", "19", "20"};
  return kItems;
}

ConditionsDialog::ConditionsDialog(ConditionsStore& store, int dataCount)
    : store_(store), dataCount_(dataCount) {}

const std::string& ConditionsDialog::InitialConfidenceText() const {
  return store_.working.confidenceText;
}

void ConditionsDialog::SelectIntervalText() {
  view_.listSelection = ItemOfInterval(std::atoi(store_.working.intervalText.c_str()));
}

// Standard mode: the standard number of the last data set in a disabled list, or, without
// such a data set, the list hidden with the chosen number selected.
void ConditionsDialog::ShowStandardList() {
  if (dataCount_ >= kMinSheetValues) {
    view_.listSelection = ItemOfInterval(ComputeIntervalNumber(kIntervalStandard, nullptr, dataCount_));
    view_.listEnabled = false;
  } else {
    SelectIntervalText();
    view_.listVisible = false;
  }
}

void ConditionsDialog::Init() {
  const AnalysisConditions& working = store_.working;
  view_.basisButton = working.statisticsBasis == StatisticsBasis::kSample ? kRadioSample : kRadioUnbiased;
  view_.markersButton = working.showMarkers ? kRadioDisplay : kRadioNotDisplay;
  view_.listEnabled = true;
  view_.listVisible = true;
  if (working.intervalMode == kIntervalStandard) {
    view_.modeButton = kRadioStandard;
    ShowStandardList();
  } else {
    view_.modeButton = kRadioChoice;
    SelectIntervalText();
  }
}

void ConditionsDialog::End(ConditionsDialogResult result) {
  result_ = result;
  ended_ = true;
}

void ConditionsDialog::OnCommand(int controlId, const ConditionsDialogInput& input) {
  if (ended_) return;
  AnalysisConditions& working = store_.working;
  switch (controlId) {
    case kRadioSample:
    case kRadioUnbiased:
      view_.basisButton = controlId;
      working.statisticsBasis = controlId == kRadioSample ? StatisticsBasis::kSample : StatisticsBasis::kUnbiased;
      break;
    case kRadioDisplay:
    case kRadioNotDisplay:
      view_.markersButton = controlId;
      working.showMarkers = controlId == kRadioDisplay;
      break;
    case kRadioStandard:
      view_.modeButton = kRadioStandard;
      working.intervalMode = kIntervalStandard;
      ShowStandardList();
      break;
    case kRadioChoice:
      view_.modeButton = kRadioChoice;
      working.intervalMode = kIntervalChoice;
      view_.listVisible = true;
      view_.listEnabled = true;
      SelectIntervalText();
      break;
    case kIntervalCombo:
      // Only a usable list chooses; a notification without a selection changes nothing.
      if (working.intervalMode == kIntervalChoice && input.listSelection >= 0 &&
          input.listSelection < kIntervalItemCount) {
        view_.listSelection = input.listSelection;
        working.intervalText = IntervalItems()[input.listSelection];
      }
      break;
    case kConfidenceEdit: {
      const std::string text = input.confidenceText.substr(0, kConfidenceReadLimit);
      if (IsAcceptedConfidence(text.c_str())) {
        working.confidenceText = text;
      } else {
        End(ConditionsDialogResult::kBadConfidence);
      }
      break;
    }
    case kDialogOk:
      store_.committed = working;
      End(ConditionsDialogResult::kOk);
      break;
    case kDialogCancel:
      End(ConditionsDialogResult::kCancelled);
      break;
    default:
      break;
  }
}

void ConditionsDialog::OnClose() {
  if (!ended_) End(ConditionsDialogResult::kCancelled);
}

const MessageEntry kConfidenceWarning = {
    "Input a proper value!\n        (0<P<100)", "WARNING",
    "適切な数値(0<数値<100)を入力して下さい.", kCaptionWarning.japanese, kIconWarning};

const MessageEntry kConditionsDialogFailed = {
    "Unable to display dialog.", kCaptionSystemError.english,
    "ダイアログを表示できません.", kCaptionSystemError.japanese, kIconError};

}  // namespace korvan00
