// The analysis conditions of korvan00 and the model of the dialog that edits them. Pure: the
// dialog procedure feeds the model with the dialog's events and the controls' contents, and
// makes the controls show the model's view; it decides nothing itself.
#pragma once

#include <array>
#include <string>

#include "common/texts.h"
#include "korvan00/ids.h"
#include "stats/sample_statistics.h"

namespace korvan00 {

enum class StatisticsBasis { kSample = 0, kUnbiased = 1 };

// The five conditions. The analysis, the drawing and the export read the working copy.
struct AnalysisConditions {
  StatisticsBasis statisticsBasis = StatisticsBasis::kUnbiased;
  bool showMarkers = true;                 // the graph marks m and m +/- s
  int intervalMode = kIntervalChoice;      // kIntervalStandard or kIntervalChoice
  std::string intervalText = "6";          // "2" ... "20", as the list shows it
  std::string confidenceText = "90";       // P in percent as typed; always 0 < P < 100

  bool operator==(const AnalysisConditions&) const = default;
};

// The conditions twice: the working copy, which the dialog edits, and the committed copy,
// which OK writes and Cancel restores from. After every use of the dialog both are equal.
struct ConditionsStore {
  AnalysisConditions working;
  AnalysisConditions committed;
};

// The value of the number a text starts with: leading white space skipped, then an optional
// sign, digits with an optional decimal point and an optional exponent; the conversion stops
// at the first character that cannot continue such a number, and a text without one gives 0.
// Only decimal forms count: "inf", "nan" and "0x10" give 0 here on every platform (the C
// library's atof would read some of them).
double LeadingDecimalValue(const char* text);

// 1 when the text, read as LeadingDecimalValue reads it, is a P with 0 < P < 100.
int IsAcceptedConfidence(const char* text);

// The confidence probability of the working conditions, for the analysis.
double ConfidenceOf(const AnalysisConditions& conditions);

// Interval numbers offered by the list: items "2" ... "20", item index = number - 2.
constexpr int kFirstListedInterval = 2;
constexpr int kLastListedInterval = 20;
constexpr int kIntervalItemCount = kLastListedInterval - kFirstListedInterval + 1;
// The item texts in list order.
const std::array<const char*, kIntervalItemCount>& IntervalItems();

// Characters the confidence box takes (EM_LIMITTEXT) and reads back (GetDlgItemTextA).
constexpr int kConfidenceEditLimit = 8;
constexpr int kConfidenceReadLimit = 19;

// How the dialog ended; the values are those the program has always used for it.
enum class ConditionsDialogResult {
  kOk = 0,             // OK: the working conditions were committed
  kBadConfidence = 2,  // the confidence box held no 0 < P < 100 at some notification
  kCancelled = 3,      // Cancel or the close box
};

// What the dialog's controls show. Setting a control to the state it already has is
// harmless, so the dialog procedure may apply the whole view after every event.
struct ConditionsDialogView {
  int basisButton = 0;    // the checked one of kRadioSample / kRadioUnbiased
  int markersButton = 0;  // the checked one of kRadioDisplay / kRadioNotDisplay
  int modeButton = 0;     // the checked one of kRadioStandard / kRadioChoice
  int listSelection = 0;  // selected item of the interval list (number - 2)
  bool listEnabled = true;
  bool listVisible = true;

  bool operator==(const ConditionsDialogView&) const = default;
};

// What the controls hold when a WM_COMMAND arrives: the list's selected index (CB_GETCURSEL)
// and the first kConfidenceReadLimit characters of the confidence box.
struct ConditionsDialogInput {
  int listSelection = -1;
  std::string confidenceText;
};

// One run of the conditions dialog over the store. dataCount is the count of the last
// imported data set (0 before any import): with 3 or more values, Standard mode shows that
// data set's standard interval number in a disabled list; with fewer it hides the list.
class ConditionsDialog {
 public:
  ConditionsDialog(ConditionsStore& store, int dataCount);

  // WM_INITDIALOG: the view of the working conditions. The dialog procedure then fills the
  // list with IntervalItems(), puts InitialConfidenceText() into the confidence box and
  // limits it to kConfidenceEditLimit characters.
  void Init();
  const std::string& InitialConfidenceText() const;

  // WM_COMMAND from a control, whatever the notification code (every notification counts):
  // the radio buttons set their condition; Standard and Choice switch the list; a list
  // notification in Choice mode takes the selected number; every notification of the
  // confidence box checks its text and ends the dialog with kBadConfidence unless
  // 0 < P < 100; OK commits the working conditions; Cancel ends with kCancelled.
  // Events after the end change nothing.
  void OnCommand(int controlId, const ConditionsDialogInput& input);
  // WM_CLOSE: ends with kCancelled.
  void OnClose();

  const ConditionsDialogView& View() const { return view_; }
  bool Ended() const { return ended_; }
  ConditionsDialogResult Result() const { return result_; }
  // The EndDialog value: 1 after OK, else 0.
  int EndCode() const { return ended_ && result_ == ConditionsDialogResult::kOk ? 1 : 0; }

 private:
  void ShowStandardList();
  void SelectIntervalText();
  void End(ConditionsDialogResult result);

  ConditionsStore& store_;
  int dataCount_;
  ConditionsDialogView view_;
  bool ended_ = false;
  ConditionsDialogResult result_ = ConditionsDialogResult::kCancelled;
};

// The warning after a confidence text outside 0 < P < 100 (its English caption is written
// in capitals, unlike the suite's "Warning").
extern const MessageEntry kConfidenceWarning;
// The conditions dialog could not be shown: a system-modal box without owner.
extern const MessageEntry kConditionsDialogFailed;

}  // namespace korvan00
