// The decisions of korvan00's main window: its fixed size and place, its caption, the
// commands with their icon-bar buttons and the rule that enables them, the system-menu
// items, the readme path and the texts of Help and About. Pure: the window procedure asks
// these and makes the Win32 calls.
#pragma once

#include <string>

#include "common/texts.h"
#include "frame/program_tables.h"
#include "korvan00/ids.h"
#include "korvan00/program_state.h"

namespace korvan00 {

// ---- Size and place -----------------------------------------------------------------------
// The window is 480 wide and caption + 383 high, neither sizable nor maximisable; with the
// 3-pixel fixed frame its client area is 474 x 377: the icon bar over the top 21 pixels and
// the 474 x 356 page below it.
constexpr int kWindowWidth = 480;
constexpr int kWindowHeightBelowCaption = 383;
constexpr int kClientWidth = 474;
constexpr int kClientHeight = 377;
constexpr int kPageWidth = 474;
constexpr int kPageHeight = 356;

struct WindowPlace {
  int x, y, width, height;
  bool operator==(const WindowPlace&) const = default;
};
// Centred on the screen, both halves rounded toward zero (a screen smaller than the window
// gives negative coordinates).
WindowPlace PlaceMainWindow(int screenWidth, int screenHeight, int captionHeight);

// The client size the window gets with a fixed frame of frameWidth x frameHeight pixels.
ClientSize ClientSizeForFrame(int frameWidth, int frameHeight);

// The window's caption; a second copy of the program finds the first by either of them.
constexpr Text kMainCaption = {"Korvan [II]", "コルヴァン [II]"};
// The window class and the name the window has until its caption is set.
constexpr const char* kMainClassName = "KORVAN00";
constexpr const char* kInitialWindowName = "Korvan_II";

// ---- Commands and the icon bar ------------------------------------------------------------
struct CommandRow {
  int command;   // WM_COMMAND id, 101 ... 109
  int button;    // icon-bar control id, 111 ... 119
  int x;         // left edge of the button on the bar (32 pixels wide)
  const char* stem;
  Text tooltip;
  bool disabledAtStart;
};
constexpr int kCommandCount = 9;
extern const CommandRow kCommandRows[kCommandCount];

// The keys of the commands: each runs its button's command while the button is enabled.
inline constexpr CommandKey kCommandKeys[] = {
    {kKeyF1, 0, kCommandHelp},
    {kKeyF1, kModShift, kCommandAbout},
    {kKeyF5, 0, kCommandAnalysis},
    {kKeyF6, 0, kCommandSetConditions},
    {kKeyF7, 0, kCommandDrawGraph},
    {'S', kModCtrl | kModShift, kCommandSaveGraph},
    {'P', kModCtrl, kCommandPrintGraph},
    {'C', kModCtrl, kCommandCopyGraph},
    {kKeyF4, kModAlt, kCommandExit},  // the system's, as in every window
};

// The button rule applied on every paint: Draw Graph is usable once results can be drawn
// (pageState 1 or 2), Copy, Save and Print Graph only while the page is drawn (2); the other
// command buttons always; "Gap", "Space" and unknown ids never.
bool IsButtonEnabled(int buttonId, PageState pageState);

// Whether the page shows the start picture (pageState 0 and 1) or the drawn page (2).
bool ShowsStartPicture(PageState pageState);

// ---- System menu --------------------------------------------------------------------------
struct SystemMenuRow {
  int position;  // MF_BYPOSITION
  int id;        // 0 for the separator
  Text text;     // empty for the separator
};
constexpr int kSystemMenuRowCount = 3;
extern const SystemMenuRow kSystemMenuRows[kSystemMenuRowCount];

// ---- Help ---------------------------------------------------------------------------------
// The program file that the readme lies beside, as SearchPathW is asked for it.
constexpr const wchar_t* kProgramFileName = L"KORVAN00.EXE";
// The readme beside the found program file: its path without the last 5 characters
// ("0.EXE") and "E.PDF" or "J.PDF" by the language. Empty when the program file was not
// found under its name (foundProgramPath empty) or the path is too short to cut.
std::wstring ReadmePathFor(const std::wstring& foundProgramPath, int useJapanese);

// The texts of Help's boxes, caption Error, MB_ICONERROR: no readme beside the program file
// (or the program file under another name), and the viewer that could not open it.
extern const Text kReadmeMissingText;
extern const Text kReadmeNoViewerText;

// ---- About --------------------------------------------------------------------------------
extern const Text kAboutTitle;        // the centred first line of "ABOUT_DLG" / "ABOUT_DLG_J"
extern const Text kAboutBody;         // the body text under it
extern const Text kAboutDialogFailed; // system-modal, caption System Error, MB_ICONERROR

}  // namespace korvan00
