// The analysis conditions of korvan95 and the model of their dialog: what the dialog shows
// when it opens, what each control notification does to the conditions, and what the
// Analysis command does after the dialog ended. Pure: no dialog calls.
#pragma once

#include "common/texts.h"
#include "stats/sample_statistics.h"

#include <string>

// Statistics basis of the shown mean and deviation.
constexpr int kBasisSample = 0;    // the sample mean and standard deviation
constexpr int kBasisUnbiased = 1;  // the unbiased estimates of the population's

// The five conditions (statisticsBasis kBasisSample / kBasisUnbiased; showMarkers 1 display,
// 0 not; intervalMode kIntervalStandard 1 / kIntervalChoice 0).
struct ConditionValues {
  int statisticsBasis = 1;            // Unbiased Estimate
  int showMarkers = 1;                // Display
  int intervalMode = kIntervalChoice;  // Choice, with ...
  std::string intervalText = "6";     // ... 6 intervals
  std::string confidenceText = "90";  // percent
};

// The working copy is what the dialog edits and the results page reads; the committed copy
// is what the last OK accepted. Outside the dialog both are equal.
struct AnalysisConditions {
  ConditionValues working;
  ConditionValues committed;
};

// How the dialog ended (conditionsDialogResult).
enum ConditionsDialogResult {
  kConditionsOk = 0,
  kConditionsBadInterval = 1,    // edit 131 held an invalid interval number
  kConditionsBadConfidence = 2,  // edit 132 held an invalid probability
  kConditionsCancelled = 3,      // Cancel or the close box
};

// Characters the confidence field takes (EM_LIMITTEXT); the fields are read with at most
// 19 characters.
constexpr int kConfidenceTextLimit = 8;
constexpr int kConditionFieldReadLimit = 19;

// The lenient conversions of the dialog fields and of the analysis: leading blanks skipped,
// the longest prefix that forms a decimal number ([sign] digits [. digits] [exponent]) read,
// 0 when there is none. Hexadecimal, infinity and NaN forms are not numbers here.
double LenientDecimal(const std::string& text);
// Leading blanks, an optional sign and the digits up to the first other character; 0 when
// there are none (as strtol, kept within int).
int LenientInteger(const std::string& text);

// Fewer than 3 values cannot be analysed (the kDataFileTooFew message).
bool TooFewForAnalysis(int valueCount);

// The standard interval number for `valueCount` values as a decimal text:
// ceil(3.3 log10 N) as the analysis computes it ("2" for 3 values, "10" for 1000).
std::string StandardIntervalText(int valueCount);

// What the dialog shows when it opens (WM_INITDIALOG), from the working copy.
struct ConditionsDialogView {
  std::string confidenceText;  // edit 132, limited to kConfidenceTextLimit characters
  int basisButton;             // 133 or 134, checked
  int markersButton;           // 135 or 136, checked
  int modeButton;              // 137 or 138, checked
  std::string intervalText;    // edit 131: the standard number (Standard) or the working text
  bool intervalEnabled;        // edit 131 enabled (Choice only)
};
ConditionsDialogView ConditionsDialogOpens(const AnalysisConditions& conditions, int valueCount);

// The start of the Analysis command: working copies := committed copies.
void BeginConditionsDialog(AnalysisConditions& conditions);

// A click on a radio button (133 ... 138) changes the working copy at once. For 137 and 138
// the view's interval field (text and enabled state) is what edit 131 now shows; other ids
// leave the view as it was.
void OnConditionsRadio(AnalysisConditions& conditions, ConditionsDialogView& view, int buttonId,
                       int valueCount);

// Any notification of edit 131 with its present text (Choice mode only; in Standard mode
// the field is the computed number and nothing happens): valid when its integer value n is
// 1 ... 20 and its decimal value equals n exactly (5, 10.0 and 7x pass; 2.5, 0, 21 and an
// empty field do not); a valid text becomes the working intervalText as typed. Returns
// kConditionsOk, or kConditionsBadInterval: the dialog ends at once.
ConditionsDialogResult OnIntervalEdit(AnalysisConditions& conditions, const std::string& text);
// Any notification of edit 132: valid when 0 < its decimal value < 100; a valid text
// becomes the working confidenceText. Returns kConditionsOk or kConditionsBadConfidence.
ConditionsDialogResult OnConfidenceEdit(AnalysisConditions& conditions, const std::string& text);

// OK: the committed copy := the working copy.
void CommitConditions(AnalysisConditions& conditions);
// Cancel or close: the working copy := the committed copy.
void CancelConditions(AnalysisConditions& conditions);

// The Analysis command's step after the dialog ended with `result`.
enum class ConditionsNext {
  kAnalyse,         // OK: run the analysis with the working copy and show the results
  kWarnAndReopen,   // show `message`, then open the dialog again
  kStop,            // cancelled: nothing else changes
};
struct ConditionsStep {
  ConditionsNext next;
  MessageBoxText message;  // for kWarnAndReopen
};
// Applies the result to the conditions: an invalid interval number returns the working
// intervalText to the committed one (the other choices stay as the user left them), an
// invalid probability the working confidenceText; Cancel restores the whole working copy.
ConditionsStep AfterConditionsDialog(AnalysisConditions& conditions, ConditionsDialogResult result,
                                     int useJapanese);

// "Unable to display dialog." (caption "System Error", MB_SYSTEMMODAL | MB_ICONERROR, no
// owner) when DialogBoxParamA returns -1.
MessageBoxText ConditionsDialogFailedMessage(int useJapanese);
