// The window frame shared by the four programs: the main-window runner with its command
// table, language and version detection, the icon bar, the program-drawn tooltips, Help and
// About. Each program describes itself in one `ProgramDefinition`; what the frame learns at
// run time lives in the `FrameState` of the main window, reached from its handle.
#pragma once

#include <windows.h>

#include <string>

#include "common/texts.h"
#include "frame/program_tables.h"
#include "frame/tooltip_layout.h"

// ---- What each program supplies -----------------------------------------------------------
// (IconBarButton and CommandKey: frame/program_tables.h.)

enum IconBarLine { kLineBlack, kLineButtonFace, kLineFrameColour };

// One command: the id a menu item sends (of the menu bar, or an item the program adds to the
// system menu), the id an icon-bar button sends (a command from the bar hides the tooltip
// first), what it runs, and when its menu item and its button are enabled. Ids and rules left
// 0 / null do not apply. A command that arrives while another is under way, or while a box of
// the program is open, is ignored.
struct Command {
  int menuId;
  int barId;
  void (*run)(HWND mainWindow);
  bool (*menuEnabled)(HWND mainWindow);
  bool (*buttonEnabled)(HWND mainWindow);
};

enum class ReadmeViewer { kNotepad, kPdfViewer };

struct ProgramDefinition {
  // Window class and window.
  const char* className;
  const char* windowName;
  const char* classMenu;   // null: no menu
  bool whiteBackground;    // else the button-face colour
  bool classArrowCursor;   // else no class cursor (the program sets it)
  DWORD style;
  // Initial place and size of the main window from the screen size.
  RECT (*initialPlace)(int screenWidth, int screenHeight);

  // Icon bar and tooltips.
  int fullVersionVariant;
  const IconBarButton* buttons;
  int buttonCount;
  int rowRightEnd;  // right end of the tooltip button row
  bool hasMenuBar;
  bool barHasArrowCursor;
  IconBarLine line;

  // Commands, and the keys that run them (ids of the command table).
  const Command* commands;
  int commandCount;
  const CommandKey* keys;
  int keyCount;
  bool tabBetweenFields;  // Tab and Shift+Tab move the focus among the window's tab stops

  // Help and About.
  ReadmeViewer viewer;
  Text readmeMissing;
  Text readmeFailed;
  Text aboutFailed;

  // Hooks, each optional. `create` runs in WM_CREATE after the detections; `handle` sees
  // every other message first and returns true when it handled it (result in `result`);
  // `control` gets WM_COMMAND ids that are no command of the table.
  void (*create)(HWND mainWindow);
  bool (*handle)(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void (*control)(HWND mainWindow, int id, int notification);
};

// ---- What the frame knows of one main window ----------------------------------------------
constexpr int kMaxIconBarButtons = 16;
struct IconBarRecord {
  HWND handle;
  char upName[12];
  char downName[12];
  char inactiveName[12];
};

struct TooltipState {
  int button = 0;  // 1-based button whose box is shown, 0 for none
  RECT rect = {0, 0, 0, 0};
  COLORREF pixels[kTooltipStoreRows][kTooltipStoreColumns] = {};
};

struct FrameState {
  const ProgramDefinition* program = nullptr;
  void* programState = nullptr;  // the program's own window state
  int useJapanese = 0;
  int windowsVersionClass = 0;
  int platformDetected = 0;
  HWND iconBar = nullptr;
  IconBarRecord records[kMaxIconBarButtons] = {};
  COLORREF lineColour = RGB(0, 0, 0);
  int lineColourSet = 0;
  TooltipState tooltip;
  std::wstring readmePath;  // the readme Help opens (UTF-16: the folder may have any name)
  int commandsRunning = 0;  // commands under way (a table command, and the notifications it causes)
};

// The frame state of a main window made by RunMainWindow.
FrameState& FrameOf(HWND mainWindow);
// The program's own state, as handed to RunMainWindow.
template <typename State>
State& ProgramStateOf(HWND mainWindow) {
  return *static_cast<State*>(FrameOf(mainWindow).programState);
}
inline int UseJapanese(HWND mainWindow) { return FrameOf(mainWindow).useJapanese; }

// ---- Main window --------------------------------------------------------------------------
// Registers the class, creates the main window (its WM_CREATE runs the detections and the
// program's creation steps), shows it, adds the icon bar and runs the message loop until
// WM_QUIT. Returns the exit code, 0 when the window could not be made.
int RunMainWindow(HINSTANCE instance, int showCommand, const ProgramDefinition& program, void* programState);

// Menu items by their rules (WM_INITMENU runs it too).
void EnableMenuCommands(HWND mainWindow);
// Whether the command id may run now: the rule of its menu item for a menu id, of its button
// for an icon-bar id (a row without a rule is always enabled); an unknown id never.
bool CommandEnabled(HWND mainWindow, int id);
// Icon-bar buttons by their rules.
void EnableCommandButtons(HWND mainWindow);

// ---- Keyboard (frame/keyboard.cpp) ---------------------------------------------------------
// A message of the loop that the keyboard rules take: a key of the program's key table,
// pressed in the main window or one of its controls, sends its command to the main window as
// WM_COMMAND (the way the menu and the icon bar send theirs) when the command is enabled, and
// is not typed; in a program with tabBetweenFields, Tab and Shift+Tab move the focus to the
// next and the previous tab stop. True when the message was taken.
bool TakeKeyboardMessage(HWND mainWindow, const MSG& message);
// The key of a command row (by its menu id, else by its icon-bar id), or null.
const CommandKey* KeyOfCommandRow(const ProgramDefinition& program, const Command& row);
// The menu items with a key show it after a tab ("&Data Input...\tCtrl+N").
void ShowKeysInMenu(HWND mainWindow);

// ---- Detection ----------------------------------------------------------------------------
// 1 for the Japanese interface (ANSI code page 932), else 0.
int DetectLanguage();
// The Windows-version class read from the registry.
int DetectWindowsVersion(int fullVersionVariant);

// ---- Messages -----------------------------------------------------------------------------
// MessageBoxA with the text and caption of the language.
int ShowMessage(HWND owner, int japanese, const Text& text, const Text& caption, UINT style);
// A message row as a box with an OK button (and `extraStyle`, e.g. MB_SYSTEMMODAL).
int ShowMessageRow(HWND owner, int japanese, const MessageEntry& entry, UINT extraStyle = 0);

// ---- Icon bar -----------------------------------------------------------------------------
// Registers IconBarWindow and creates the bar along the top of the main window.
void CreateIconBar(HINSTANCE instance, HWND mainWindow);
// The button window of a control id, or null.
HWND IconBarButtonWindow(HWND mainWindow, int controlId);
// The button window that sends a command id, or null.
HWND IconBarCommandButton(HWND mainWindow, int command);
COLORREF CalculatorColour(int windowsVersionClass);

// ---- Tooltips -----------------------------------------------------------------------------
void UpdateTooltip(HWND mainWindow);
void HideTooltip(HWND mainWindow);

// ---- Help and About -----------------------------------------------------------------------
// Opens the readme of FrameState::readmePath with Notepad or the PDF viewer.
void ShowReadme(HWND mainWindow);
void ShowAbout(HWND mainWindow);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The full path of the program's own file as SearchPathW finds it (the program's folder
// first), or empty when it is not found under that name.
std::wstring OwnProgramPath(const wchar_t* ownFileName);
// That path with its last `cut` characters replaced by `replacement`; empty when the file is
// not found under that name.
std::wstring BuildSiblingPath(const wchar_t* ownFileName, std::size_t cut, const wchar_t* replacement);
