#include <cstring>
#include <string>

#include "frame/frame.h"

void ShowReadme(HWND mainWindow, const char* readmePath) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(readmePath, &found);
  if (search == INVALID_HANDLE_VALUE) {
    ShowMessage(mainWindow, frameProgram.readmeMissing, kCaptionError, MB_OK | MB_ICONERROR);
    return;
  }
  char windowsDirectory[MAX_PATH + 2] = {};
  GetWindowsDirectoryA(windowsDirectory, MAX_PATH);
  // Notepad takes the rest of its command line as the file name, blanks included.
  const std::string commandLine = std::string(windowsDirectory) + "\\NOTEPAD.EXE " + readmePath;
  if (WinExec(commandLine.c_str(), SW_SHOWNORMAL) <= 31) {
    ShowMessage(mainWindow, frameProgram.readmeFailed, kCaptionError, MB_OK | MB_ICONERROR);
  }
  FindClose(search);
}

void ShowAbout(HWND mainWindow) {
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
  const INT_PTR result = DialogBoxParamA(instance, useJapanese ? "ABOUT_DLG_J" : "ABOUT_DLG", mainWindow,
                                         AboutDialogProc, 0);
  if (result == -1) {
    ShowMessage(nullptr, frameProgram.aboutFailed, kCaptionSystemError, MB_OK | MB_SYSTEMMODAL | MB_ICONERROR);
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

void BuildSiblingPath(const char* ownFileName, int cut, const char* replacement, char* out, int outSize) {
  char found[258] = {};
  std::memset(out, 0, static_cast<size_t>(outSize));
  const DWORD length = SearchPathA(nullptr, ownFileName, nullptr, 256, found, nullptr);
  if (length == 0 || length >= 256 || static_cast<int>(length) < cut) return;
  std::string path(found, length - static_cast<DWORD>(cut));
  path += replacement;
  if (static_cast<int>(path.size()) >= outSize) return;
  std::memcpy(out, path.c_str(), path.size() + 1);
}
