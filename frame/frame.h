// The window frame shared by the four programs: language and version detection, the icon
// bar, the program-drawn tooltips, Help and About. Each program supplies its tables in
// `frameProgram`.
#pragma once

#include <windows.h>

#include "frame/texts.h"

// ---- Program-wide state -------------------------------------------------------------------
extern int useJapanese;
extern int windowsVersionClass;
extern int platformDetected;
extern HWND iconBarHandle;
extern COLORREF frameColour;      // calculators: the version colour
extern int frameColourSet;
extern COLORREF buttonFaceColour;  // korvan00: the line colour of the bar
extern int buttonFaceColourSet;

// ---- What each program supplies -----------------------------------------------------------
struct IconBarButton {
  int x;
  int width;  // 0: to the right edge of the screen
  int controlId;
  const char* stem;
  int command;  // 0 for the "Gap" and "Space" elements
  Text label;
  int disabledAtStart;
};

enum IconBarLine { kLineBlack, kLineButtonFace, kLineFrameColour };

struct FrameProgram {
  int fullVersionVariant;
  const IconBarButton* buttons;
  int buttonCount;
  int rowRightEnd;  // right end of the tooltip button row
  int hasMenuBar;
  int barHasArrowCursor;
  IconBarLine line;
  Text readmeMissing;
  Text readmeFailed;
  Text aboutFailed;
};
extern const FrameProgram frameProgram;

// ---- Detection ----------------------------------------------------------------------------
void DetectLanguage();
void DetectWindowsVersion();

// ---- Messages -----------------------------------------------------------------------------
// MessageBoxA with the text and caption of the interface language.
int ShowMessage(HWND owner, const Text& text, const Text& caption, UINT style);

// ---- Icon bar -----------------------------------------------------------------------------
constexpr int kMaxIconBarButtons = 16;
struct IconBarRecord {
  HWND handle;
  char upName[12];
  char downName[12];
  char inactiveName[12];
};
extern IconBarRecord iconBarRecords[kMaxIconBarButtons];

// Registers IconBarWindow and creates the bar along the top of the main window.
void CreateIconBar(HINSTANCE instance, HWND mainWindow);
LRESULT CALLBACK IconBarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The button window of a control id, or null.
HWND IconBarButtonWindow(int controlId);
COLORREF CalculatorColour();

// ---- Tooltips -----------------------------------------------------------------------------
void UpdateTooltip(HWND mainWindow);
void HideTooltip(HWND mainWindow);

// ---- Help and About -----------------------------------------------------------------------
// Notepad variant: opens the text readme at readmePath.
void ShowReadme(HWND mainWindow, const char* readmePath);
void ShowAbout(HWND mainWindow);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The full path of the program's own file with its last `cut` characters replaced by
// `replacement` (readme paths).
void BuildSiblingPath(const char* ownFileName, int cut, const char* replacement, char* out,
                      int outSize);
