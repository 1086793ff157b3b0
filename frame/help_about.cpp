#include <string>

#include "frame/frame.h"

#include <shellapi.h>

void ShowReadme(HWND mainWindow) {
  const FrameState& frame = FrameOf(mainWindow);
  const ProgramDefinition& program = *frame.program;
  const std::wstring& path = frame.readmePath;
  WIN32_FIND_DATAW found;
  // A program file under another name has no readme path: it counts as a missing readme.
  HANDLE search = path.empty() ? INVALID_HANDLE_VALUE : FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    ShowMessage(mainWindow, frame.useJapanese, program.readmeMissing, kCaptionError, MB_OK | MB_ICONERROR);
    return;
  }
  bool opened = false;
  if (program.viewer == ReadmeViewer::kNotepad) {
    wchar_t windowsDirectory[MAX_PATH + 2] = {};
    const UINT length = GetWindowsDirectoryW(windowsDirectory, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      const std::wstring notepad = std::wstring(windowsDirectory) + L"\\NOTEPAD.EXE";
      // Notepad takes the rest of its command line as the file name, blanks included.
      std::wstring commandLine = L"\"" + notepad + L"\" " + path;
      STARTUPINFOW startup = {};
      startup.cb = sizeof startup;
      startup.dwFlags = STARTF_USESHOWWINDOW;
      startup.wShowWindow = SW_SHOWNORMAL;
      PROCESS_INFORMATION process = {};
      opened = CreateProcessW(notepad.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process) != 0;
      if (opened) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
      }
    }
  } else {
    const HINSTANCE result = ShellExecuteW(mainWindow, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
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

std::wstring OwnProgramPath(const wchar_t* ownFileName) {
  // Asked for its length first: a folder of any length is found whole, never cut.
  const DWORD needed = SearchPathW(nullptr, ownFileName, nullptr, 0, nullptr, nullptr);
  if (needed == 0) return std::wstring();
  std::wstring found(needed, L'\0');
  const DWORD length = SearchPathW(nullptr, ownFileName, nullptr, needed, found.data(), nullptr);
  if (length == 0 || length >= needed) return std::wstring();
  found.resize(length);
  return found;
}

std::wstring BuildSiblingPath(const wchar_t* ownFileName, std::size_t cut, const wchar_t* replacement) {
  const std::wstring found = OwnProgramPath(ownFileName);
  if (found.empty() || found.size() < cut) return std::wstring();
  return found.substr(0, found.size() - cut) + replacement;
}
