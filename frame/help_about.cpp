#include <string>

#include "frame/frame.h"

#include <shellapi.h>

void ShowReadme(HWND mainWindow) {
  const FrameState& frame = FrameOf(mainWindow);
  const ProgramDefinition& program = *frame.program;
  const std::string& path = frame.readmePath;
  WIN32_FIND_DATAA found;
  // A program file under another name has no readme path: it counts as a missing readme.
  HANDLE search = path.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    ShowMessage(mainWindow, frame.useJapanese, program.readmeMissing, kCaptionError, MB_OK | MB_ICONERROR);
    return;
  }
  bool opened = false;
  if (program.viewer == ReadmeViewer::kNotepad) {
    char windowsDirectory[MAX_PATH + 2] = {};
    GetWindowsDirectoryA(windowsDirectory, MAX_PATH);
    // Notepad takes the rest of its command line as the file name, blanks included.
    const std::string commandLine = std::string(windowsDirectory) + "\\NOTEPAD.EXE " + path;
    opened = WinExec(commandLine.c_str(), SW_SHOWNORMAL) > 31;
  } else {
    const HINSTANCE result = ShellExecuteA(mainWindow, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    opened = reinterpret_cast<INT_PTR>(result) > 32;
  }
  if (!opened) ShowMessage(mainWindow, frame.useJapanese, program.readmeFailed, kCaptionError, MB_OK | MB_ICONERROR);
  FindClose(search);
}

void ShowAbout(HWND mainWindow) {
  const FrameState& frame = FrameOf(mainWindow);
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  const INT_PTR result = DialogBoxParamA(instance, frame.useJapanese ? "ABOUT_DLG_J" : "ABOUT_DLG", mainWindow,
                                         AboutDialogProc, 0);
  if (result == -1) {
    ShowMessage(nullptr, frame.useJapanese, frame.program->aboutFailed, kCaptionSystemError,
                MB_OK | MB_SYSTEMMODAL | MB_ICONERROR);
  }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    case WM_COMMAND:
      // Only OK (or Enter) closes the box; the Esc key's cancel command is ignored.
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, 1);
      return TRUE;
    default:
      return FALSE;
  }
}

std::string BuildSiblingPath(const char* ownFileName, int cut, const char* replacement) {
  char found[258] = {};
  const DWORD length = SearchPathA(nullptr, ownFileName, nullptr, 256, found, nullptr);
  if (length == 0 || length >= 256 || static_cast<int>(length) < cut) return std::string();
  return std::string(found, length - static_cast<DWORD>(cut)) + replacement;
}
