// korvan00's commands that decide: Set Conditions, Analysis and the save of the results
// file that ends every analysis, and the page reset they share. Pure: every contact with the
// system (clipboard, cursor, message boxes, page canvas, dialogs, drive checks, file write)
// goes through a CommandHost, which the Win32 window implements with one call each and the
// tests implement with a transcript.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "korvan00/conditions.h"
#include "korvan00/histogram_page.h"
#include "korvan00/program_state.h"

namespace korvan00 {

// The answer of the save dialog: a chosen path, or no file with CommDlgExtendedError's code
// (0 when the user cancelled or closed the dialog).
struct SaveDialogAnswer {
  bool chosen = false;
  std::wstring path;  // UTF-16, as the wide dialog gives it
  unsigned long extendedError = 0;
};

// The outcome of writing the results file safely: into a temporary file in the target's
// folder that replaces the target only after a complete write, so a failed write leaves an
// existing file as it was.
enum class FileWriteOutcome {
  kWritten,     // the whole content is in the file
  kNotCreated,  // the file could not be created
  kWriteFailed, // a write (or the closing, or the replacement) failed; the target is untouched
};

class CommandHost {
 public:
  virtual ~CommandHost() = default;
  // The CF_TEXT bytes of the clipboard (the clipboard opened, copied and closed at once), or
  // nothing when it holds no text or cannot be opened.
  virtual std::optional<std::string> ReadClipboardText() = 0;
  // IDC_WAIT when wait, else IDC_ARROW.
  virtual void SetWaitCursor(bool wait) = 0;
  virtual void ShowNotice(const Notice& notice) = 0;
  // Drops the drawn page (its bitmap and context), makes the start picture again, shows the
  // window normally and copies the picture into the client area at (0, 21). Called with
  // pageState already 0.
  virtual void ShowStartPicture() = 0;
  virtual void Repaint(IconBarStrip strip) = 0;
  virtual void BringToForeground() = 0;
  // Runs the conditions dialog modally ("ANALYSIS_DLG" or "ANALYSIS_DLG_J"), its procedure
  // feeding the model; false when the dialog could not be shown.
  virtual bool RunConditionsDialog(ConditionsDialog& dialog) = 0;
  // The save dialog of the results file (filter "*.xls", default extension "xls",
  // overwrite prompt).
  virtual SaveDialogAnswer AskResultsFileName(int useJapanese) = 0;
  virtual bool IsRefusedDrive(const std::string& root) = 0;
  // True when the drive has the bytes asked for plus the check's own margin.
  virtual bool HasEnoughFreeSpace(const std::string& root, unsigned long long bytes) = 0;
  virtual FileWriteOutcome WriteResultsFile(const std::wstring& path, const std::string& content) = 0;
  // The size of the main window's client area now.
  virtual ClientSize ClientAreaSize() = 0;
  // Releases what the page showed before (the start picture after pageState 0 or 1, the old
  // page after 2), draws the layout into a new off-screen page of page.width x page.height
  // and repaints the whole window. Called with pageState already 2.
  virtual void DrawPage(PageState before, const HistogramPage& page) = 0;
};

// Drops a drawn page: only with pageState 2, which becomes 0; the start picture is shown and
// the four graph buttons repainted (so they become unusable). Returns 1 when it did so.
int ResetPage(ProgramState& state, CommandHost& host);

// Set Conditions (command 101). The working conditions start as the committed ones; the
// dialog runs until it ends by OK (the page is reset) or by Cancel or its close box (the
// working conditions go back to the committed ones, the page stays). A confidence text
// outside 0 < P < 100 shows kConfidenceWarning and opens the dialog again with the committed
// confidence text and the other choices as the user left them. A dialog that cannot be shown
// gives kConditionsDialogFailed (system-modal), drops uncommitted choices and resets the page.
// An allocation that fails puts both conditions back as they were before the command and
// shows kNotEnoughMemory.
void ShowConditionsDialog(ProgramState& state, CommandHost& host, int useJapanese);

// The analysis of korvan00's data in its order: the interval number from the conditions,
// the frequencies (stopping when all values are equal), then the statistics at the
// conditions' confidence probability. kTooLarge: a result lies beyond the range of a double.
// Fills results only when it returns kAnalysed.
enum class AnalysisOutcome { kAnalysed, kAllEqual, kTooLarge };
AnalysisOutcome AnalyseValues(const std::vector<double>& values, const AnalysisConditions& conditions,
                              AnalysisResults& results);

// Analysis (command 102):
//  1. ResetPage; wait cursor.
//  2. The clipboard text is imported. No text: the no-text message. Refused text: the
//     message of the refusal (dataCount becomes the count when too few values were found,
//     else stays). In every refusal the arrow cursor comes back before the message, nothing
//     is held and the command ends. At 30000 values the input-limit Information box is shown
//     between an arrow and a wait cursor, and the first 30000 values go on.
//  3. The import blocks are held and dataCount is their count. AnalyseValues with the working
//     conditions; all values equal or a result too large: the blocks are released, arrow
//     cursor, the same-value message or kDataTooLarge, the command ends with the previous
//     results kept.
//  4. The results replace the previous ones; arrow cursor; the window comes to the
//     foreground; SaveResultsFile.
// An allocation that fails at any step (a clipboard text too large for the memory left) ends
// the command with the arrow cursor and kNotEnoughMemory: nothing is held, and the results,
// dataCount and pageState are those from before the command (after step 1). The text is
// held at most twice at once: the host's read moves into the import blocks, which are
// released once the results file content (holding the text) is formed, and the content once
// it is written.
void RunAnalysis(ProgramState& state, CommandHost& host, int useJapanese);

// Draw Graph (command 103): with results to draw (pageState 1 or 2) the page of the last
// results in the working basis and markers choice, for the present client size; pageState
// becomes 2. With pageState 0 there is nothing to draw and nothing happens. An allocation
// that fails shows kNotEnoughMemory and leaves pageState as it was.
void DrawGraph(ProgramState& state, CommandHost& host, int useJapanese);

// Offers and writes the results file of the held import and the last results, in the
// working statistics basis; releases the import blocks on every path.
//  - No file chosen: Analysis button strip repainted; code 0 shows "The solution not
//    saved..." (Success) and makes pageState 1 (Draw Graph strip repainted); another code
//    shows "GetSaveFileName error 0x<code>" and leaves pageState.
//  - A file chosen: Analysis button strip repainted, then in this order a refused drive
//    (root = the path's first three characters, DriveRoot), too little free space (the clip
//    text's ResultsFileBytesAsked, output/drive_rules.h), a path not ending in ".xls" in any
//    case, a file that cannot be created, a write that fails part-way ("Unable to write to
//    file."): each shows its message and leaves pageState. Otherwise the success message
//    naming the path, pageState 1 and the
//    Draw Graph strip repainted.
// The import is released as soon as the file content is formed, before the write. Nothing
// is allocated after a successful write; an allocation that fails before it propagates to
// the caller (RunAnalysis puts the state back).
void SaveResultsFile(ProgramState& state, CommandHost& host, int useJapanese);

// The message of a write that failed part-way (the target keeps what it held before).
extern const MessageEntry kResultsWriteFailed;

// "GetSaveFileName error 0x<code in hex>" in the language.
std::string SaveDialogErrorText(unsigned long code, int useJapanese);

}  // namespace korvan00
