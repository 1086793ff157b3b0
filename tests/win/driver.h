// The test driver: starts a program of the suite, finds its windows, drives it with window
// messages and reads back what the user would see. Texts are read and compared as UTF-8,
// whatever the code page of the program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <source_location>
#include <string>
#include <vector>

#include "tests/test_support.h"

constexpr int kWaitMs = 10000;

struct RunningProgram {
  PROCESS_INFORMATION process = {};
  HWND window = nullptr;
};

// Paths and texts are UTF-8 here; the file calls take them as UTF-16, whole.
std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& wide);

// Full path of a file beside the driver (the build's bin directory).
std::string BesideDriver(const char* name);
// A program under test: in the folder KORVAN_PROGRAMS names (Windows path; the unpacked 32-bit
// release), else beside the driver.
std::string ProgramPath(const char* exeName);
// A fresh empty folder for a test, under the system's temporary folder, and the names of the
// files in a folder, sorted.
std::string MakeTestFolder(const std::string& name);
std::vector<std::string> FilesIn(const std::string& folder);
bool CopyInto(const std::string& file, const std::string& folder, const std::string& newName = "");
bool FileExists(const std::string& path);
bool MoveFileTo(const std::string& from, const std::string& to);
// An environment variable, empty when unset.
std::string Environment(const char* name);

// Starts exePath without waiting for anything.
bool LaunchProgram(const std::string& exePath, RunningProgram& program);
// Closes the program (any box still open, WM_CLOSE, then termination) and waits for its end;
// returns its exit code, kStoppedByForce when it had to be terminated.
DWORD StopProgram(RunningProgram& program);
constexpr DWORD kStoppedByForce = 0xDEAD;
bool ProcessEnded(const RunningProgram& program, int timeoutMs);

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = kWaitMs,
               const std::source_location& where = std::source_location::current());
// The program under test (none: null): a wait of WaitUntil gives up at once when it has ended
// (its condition checked a last time) and first calls `ended` with the place of the wait.
void WatchProgram(HANDLE process, std::function<void(const std::source_location&)> ended = nullptr);
// Visible top-level windows of a class, of the process (of all when processId is 0).
std::vector<HWND> TopLevelWindows(const char* className, DWORD processId = 0);

// Dialog boxes (message boxes, About) of a process: class "#32770", visible.
HWND FindDialog(DWORD processId);
HWND WaitForDialog(DWORD processId, int timeoutMs = kWaitMs);
// Waits until the program has handled what it is busy with (a message sent to its main window
// returns), then tells whether it shows no box.
bool SettlesWithoutBox(const RunningProgram& program);

struct BoxContent {
  std::string caption;
  std::string text;  // the message text of a message box
  bool operator==(const BoxContent&) const = default;
};
inline void PrintTo(const BoxContent& box, std::ostream* out) { *out << '"' << box.caption << "\": \"" << box.text << '"'; }
BoxContent ReadMessageBox(HWND box);
// Waits for a message box, reads it and presses its button (OK unless given); the content is
// empty when no box came.
BoxContent AnswerMessageBox(const RunningProgram& program, int button = IDOK);
void PressDialogButton(HWND dialog, int id);

// Window texts in UTF-8.
std::string TextOf(HWND window);
void SetTextOf(HWND window, const std::string& text);

// Sends a command to the main window and waits up to timeoutMs for its handler to end;
// false when it did not end (a modal box or dialog is open).
bool SendCommand(HWND window, int id, int timeoutMs = 1500);
void PostCommand(HWND window, int id);
// Clicks an icon-bar button (a command goes to the main window as from the mouse).
void ClickIconBarButton(HWND mainWindow, int controlId);
// Both clicks of a double-click on an icon-bar button, posted at once (a busy machine).
void DoubleClickIconBarButton(HWND mainWindow, int controlId);
HWND IconBarButton(HWND mainWindow, int controlId);

// Types characters into an edit box (WM_CHAR each, as the keyboard would).
void TypeInto(HWND edit, const std::string& characters);

// A key press and release as the keyboard sends them to the focused window: the virtual-key
// code with its scan code and, for the keys of the navigation block and keypad Enter, the
// extended-key bit. Waits until the window has handled both (a message box that follows
// stays open).
void PressKey(HWND window, UINT virtualKey, bool extended = false);
// Holds a modifier (VK_SHIFT, VK_CONTROL) down or releases it.
void HoldKey(HWND window, UINT virtualKey, bool down);
// Keys as typed into korvan95's grid: digits, '.', '-', '\r' Enter, '\b' Backspace; each
// handled before the next, or all posted at once (typed faster than the program answers).
void TypeKeys(HWND window, const std::string& keys, bool atOnce = false);
// A key with its modifiers as the keyboard presses it ("Ctrl+Shift+S", "Ctrl+Page Down",
// "Shift+Tab", "F5"): SendInput to the window brought to the foreground, which, unlike a posted
// key message, sets the key state the program reads. False when the window did not come to the
// foreground or the input was refused.
bool PressKeys(HWND window, const std::string& keys);

// A common file dialog of the process with this title: waits for it, puts the path into its
// file-name box and presses OK (or Cancel when path is empty), answering Yes when it asks
// whether to replace an existing file. False when no such dialog came, or it did not close.
bool AnswerFileDialog(DWORD processId, const std::string& title, const std::string& path);

// The clipboard's CF_DIB block, or empty.
std::string ClipboardDib();
// Puts text on the clipboard (CF_TEXT, bytes as given).
bool SetClipboardText(const std::string& bytes);

// The whole content of a file (empty when it cannot be read).
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& content);

// Combobox selection index.
int ComboSelection(HWND combo);
void SelectComboItem(HWND combo, int index);  // as the user does: selection and notification

// Screen pixels (the display the programs draw on).
COLORREF ScreenPixel(int x, int y);
// The pictures of the manuals: only when SUITE_SCREENSHOTS=1 (tools/update-screenshots.sh),
// the window's area of the screen, once it has repainted, as name.bmp beside the driver.
void Screenshot(HWND window, const char* name);

// A 4-bit picture read back (a BMP file, or a CF_DIB block): the palette index of a pixel,
// rows counted from the top.
struct Bitmap4 {
  std::string bytes;
  int width = 0, height = 0;
  std::size_t pixels = 0;  // where the rows start
  bool Load(const std::string& file);
  bool LoadDib(const std::string& block);
  std::size_t RowBytes() const { return 4 * ((static_cast<std::size_t>(width) + 7) / 8); }
  int At(int x, int y) const;
};
// Palette indexes of the page colours in the 16-colour pictures.
constexpr int kBlack = 0, kRed = 9, kBlue = 12, kWhite = 15;

// Sends the print command, confirms the print dialog and waits for a new document in the PDF
// queue; empty when it came and no box followed, else what went wrong.
std::string PrintIntoQueue(const RunningProgram& program, int command);

// Puts the recorder (recorder.exe beside the driver) in place of what Help starts: the shell's
// "open" of a ".pdf" file and the Windows folder's Notepad. Each start then writes its
// arguments, as the program gave them in UTF-16, for RecordedOpen; an earlier record is
// dropped. With record false, takes both away instead: nothing opens a ".pdf" file, and the
// Windows folder has no Notepad.
bool RecordOpens(bool record = true);
// Where the recorder writes (in the temporary folder).
std::string RecordPath();
// The arguments recorded by the next start, without outer quotes: waits for them; empty when
// none came.
std::string RecordedOpen();
