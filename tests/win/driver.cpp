#include "tests/win/driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
  return wide;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size, nullptr, nullptr);
  return text;
}

struct WindowSearch {
  DWORD processId;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
  WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
  if (!IsWindowVisible(window)) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::strcmp(className, search.className) != 0) return TRUE;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (search.processId == 0 || owner == search.processId) search.found.push_back(window);
  return TRUE;
}

std::vector<HWND> FindTopLevel(DWORD processId, const char* className) {
  WindowSearch search = {processId, className, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::string BesideDriver(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (slash) slash[1] = '\0';
  return std::string(path) + name;
}

std::string MakeTestFolder(const char* name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name;
  // Empty a folder left by an earlier run.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool CopyInto(const std::string& file, const std::string& folder) {
  const size_t slash = file.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
  return CopyFileA(file.c_str(), (folder + "\\" + name).c_str(), FALSE) != 0;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(20);
  }
}

std::vector<HWND> TopLevelWindows(const char* className) {
  return FindTopLevel(0, className);
}

namespace {

// Under Wine a program that crashes waits behind the debugger's "Program Error" box, still
// running, until someone closes it. Without that box the debugger writes the backtrace and
// the program ends with the exception's code (0xC0000005), which the tests then see.
void EndCrashedProgramsAtOnce() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineDbg", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const DWORD show = 0;
  RegSetValueExA(key, "ShowCrashDialog", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&show), sizeof show);
  RegCloseKey(key);
}

}  // namespace

bool LaunchProgram(const std::string& exePath, RunningProgram& program) {
  EndCrashedProgramsAtOnce();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  // Wine now and then refuses a start just after a program ended (the loaded machine of the
  // tests): a few more tries, then the reason.
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::string commandLine = "\"" + exePath + "\"";
    if (CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &program.process) != 0) {
      return true;
    }
    std::fprintf(stderr, "CreateProcess %s failed: error %lu\n", exePath.c_str(), GetLastError());
    Sleep(500);
  }
  return false;
}

bool StartProgram(const std::string& exePath, const char* className, RunningProgram& program) {
  if (!LaunchProgram(exePath, program)) return false;
  WaitForInputIdle(program.process.hProcess, kWaitMs);
  return WaitUntil([&] {
    const std::vector<HWND> windows = FindTopLevel(program.process.dwProcessId, className);
    program.window = windows.empty() ? nullptr : windows.front();
    return program.window != nullptr;
  });
}

bool ProcessEnded(const RunningProgram& program, int timeoutMs) {
  return WaitForSingleObject(program.process.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD StopProgram(RunningProgram& program) {
  if (!program.process.hProcess) return 0;
  // Close any box still open, then the main window.
  for (int i = 0; i < 5; ++i) {
    HWND dialog = FindDialog(program.process.dwProcessId);
    if (!dialog) break;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    PressDialogButton(dialog, IDOK);
    Sleep(100);
  }
  if (program.window) PostMessageA(program.window, WM_CLOSE, 0, 0);
  if (!ProcessEnded(program, 5000)) {
    TerminateProcess(program.process.hProcess, kStoppedByForce);
    ProcessEnded(program, 5000);
  }
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(program.process.hProcess, &code);
  CloseHandle(program.process.hThread);
  CloseHandle(program.process.hProcess);
  program = RunningProgram();
  return code;
}

HWND FindDialog(DWORD processId) {
  const std::vector<HWND> dialogs = FindTopLevel(processId, "#32770");
  return dialogs.empty() ? nullptr : dialogs.front();
}

HWND WaitForDialog(DWORD processId, int timeoutMs) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(processId)) != nullptr; }, timeoutMs);
  return dialog;
}

bool NoDialogWithin(DWORD processId, int timeoutMs) {
  return WaitForDialog(processId, timeoutMs) == nullptr;
}

namespace {

BOOL CALLBACK FindMessageText(HWND child, LPARAM parameter) {
  std::string& text = *reinterpret_cast<std::string*>(parameter);
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  if (_stricmp(className, "Static") != 0) return TRUE;
  const std::string content = TextOf(child);
  if (!content.empty() && text.empty()) text = content;
  return TRUE;
}

}  // namespace

BoxContent ReadMessageBox(HWND box) {
  BoxContent content;
  content.caption = TextOf(box);
  EnumChildWindows(box, FindMessageText, reinterpret_cast<LPARAM>(&content.text));
  return content;
}

void PressDialogButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

BoxContent AnswerMessageBox(const RunningProgram& program) {
  HWND box = WaitForDialog(program.process.dwProcessId);
  if (!box) return BoxContent();
  const BoxContent content = ReadMessageBox(box);
  PressDialogButton(box, IDOK);
  WaitUntil([&] { return !IsWindow(box); });
  return content;
}

std::string TextOf(HWND window) {
  wchar_t buffer[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 3000, nullptr);
  return Utf8(buffer);
}

void SetTextOf(HWND window, const std::string& text) {
  const std::wstring wide = Wide(text);
  SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL, 3000, nullptr);
}

bool SendCommand(HWND window, int id, int timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_COMMAND, static_cast<WPARAM>(id), 0, SMTO_NORMAL,
                             static_cast<UINT>(timeoutMs), &result) != 0;
}

void PostCommand(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

HWND IconBarButton(HWND mainWindow, int controlId) {
  HWND bar = FindWindowExA(mainWindow, nullptr, "IconBarWindow", nullptr);
  return bar ? GetDlgItem(bar, controlId) : nullptr;
}

void ClickIconBarButton(HWND mainWindow, int controlId) {
  HWND button = IconBarButton(mainWindow, controlId);
  HWND bar = GetParent(button);
  PostMessageA(bar, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void TypeInto(HWND edit, const std::string& characters) {
  for (char c : characters) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1, SMTO_NORMAL, 3000,
                        &result);
  }
}

int ComboSelection(HWND combo) {
  return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

void SelectComboItem(HWND combo, int index) {
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool SaveScreenshot(HWND window, const std::string& path) {
  RECT area;
  GetWindowRect(window, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const int stride = (width * 3 + 3) & ~3;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  bool written = false;
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + static_cast<DWORD>(stride * height);
    written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
              std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
              std::fwrite(bits, static_cast<size_t>(stride * height), 1, file) == 1;
    std::fclose(file);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return written;
}

namespace {

LPARAM KeyData(UINT virtualKey, bool extended, bool release) {
  const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC) & 0xFF;
  LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
  if (extended) data |= static_cast<LPARAM>(1) << 24;
  if (release) data |= (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
  return data;
}

}  // namespace

void PressKey(HWND window, UINT virtualKey, bool extended) {
  DWORD_PTR result = 0;
  PostMessageA(window, WM_KEYDOWN, virtualKey, KeyData(virtualKey, extended, false));
  PostMessageA(window, WM_KEYUP, virtualKey, KeyData(virtualKey, extended, true));
  // A message sent after the posted ones returns once they have been handled, or times out
  // while a message box of theirs is open.
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1500, &result);
}

void HoldKey(HWND window, UINT virtualKey, bool down) {
  DWORD_PTR result = 0;
  PostMessageA(window, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, KeyData(virtualKey, false, !down));
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1500, &result);
}

void TypeKeys(HWND window, const std::string& keys) {
  for (char c : keys) {
    if (c >= '0' && c <= '9') {
      PressKey(window, static_cast<UINT>(c));
    } else if (c == '.') {
      PressKey(window, VK_OEM_PERIOD);
    } else if (c == '-') {
      PressKey(window, VK_OEM_MINUS);
    } else if (c == '\r') {
      PressKey(window, VK_RETURN);
    } else if (c == '\b') {
      PressKey(window, VK_BACK);
    }
  }
}

std::string DialogTitle(DWORD processId) {
  HWND dialog = FindDialog(processId);
  return dialog ? TextOf(dialog) : std::string();
}

bool AnswerFileDialog(DWORD processId, const std::string& title, const std::string& path) {
  HWND dialog = nullptr;
  WaitUntil([&] {
    for (HWND candidate : FindTopLevel(processId, "#32770")) {
      if (TextOf(candidate) == title) {
        dialog = candidate;
        return true;
      }
    }
    return false;
  });
  if (dialog == nullptr) return false;
  if (path.empty()) {
    PressDialogButton(dialog, IDCANCEL);
  } else {
    // The explorer-style dialogs have a combobox 0x47c with an edit inside; older ones an
    // edit 0x480.
    HWND box = GetDlgItem(dialog, 0x47c);
    HWND edit = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr;
    if (edit == nullptr) edit = box ? box : GetDlgItem(dialog, 0x480);
    if (edit == nullptr) return false;
    SetTextOf(edit, path);
    PressDialogButton(dialog, IDOK);
  }
  // A file that exists already is confirmed with Yes when the dialog asks.
  return WaitUntil([&] {
    if (!IsWindow(dialog)) return true;
    for (HWND question : FindTopLevel(processId, "#32770")) {
      if (question != dialog && GetWindow(question, GW_OWNER) == dialog) PressDialogButton(question, IDYES);
    }
    return false;
  });
}

std::vector<unsigned char> ClipboardDib() {
  std::vector<unsigned char> bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  HANDLE block = GetClipboardData(CF_DIB);
  if (block != nullptr) {
    const auto* data = static_cast<const unsigned char*>(GlobalLock(block));
    if (data != nullptr) {
      bytes.assign(data, data + GlobalSize(block));
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return bytes;
}

bool SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool set = false;
  if (block != nullptr) {
    if (auto* data = static_cast<char*>(GlobalLock(block))) {
      std::memcpy(data, text.data(), text.size());
      data[text.size()] = '\0';
      GlobalUnlock(block);
      set = SetClipboardData(CF_TEXT, block) != nullptr;
    }
    if (!set) GlobalFree(block);
  }
  CloseClipboard();
  return set;
}

std::string ReadWholeFile(const std::string& path) {
  std::string content;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, got);
    std::fclose(file);
  }
  return content;
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  return std::fclose(file) == 0 && written;
}

std::uint32_t Field(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

bool Bitmap4::Load(const std::string& content) {
  bytes = content;
  if (bytes.size() < 118 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  width = static_cast<int>(Field(bytes, 18, 4));
  height = static_cast<int>(Field(bytes, 22, 4));
  return Field(bytes, 28, 2) == 4 && bytes.size() == 118 + RowBytes() * static_cast<std::size_t>(height);
}

int Bitmap4::At(int x, int y) const {
  const unsigned char b = static_cast<unsigned char>(bytes[118 + (height - 1 - y) * RowBytes() + x / 2]);
  return x % 2 == 0 ? b >> 4 : b & 0x0F;
}

std::vector<std::string> PrintedFiles() {
  std::vector<std::string> names;
  // Wine names the Unix home folder in WINEHOMEDIR ("\\??\\Z:\\root").
  const char* home = std::getenv("WINEHOMEDIR");
  if (home == nullptr) return names;
  std::string folder = home;
  if (folder.rfind("\\??\\", 0) == 0) folder.erase(0, 4);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\PDF\\Korvan*.pdf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string PrintIntoQueue(HWND mainWindow, DWORD processId, int command) {
  const std::size_t before = PrintedFiles().size();
  PostCommand(mainWindow, command);
  HWND dialog = WaitForDialog(processId);
  if (dialog == nullptr) return "no print dialog";
  PressDialogButton(dialog, IDOK);
  if (!WaitUntil([&] { return PrintedFiles().size() > before; }, 60000)) return "no document reached the PDF queue";
  if (!NoDialogWithin(processId, 500)) return "a box after printing: " + DialogTitle(processId);
  return std::string();
}

bool RecordShellOpens(const char* extension, const std::string& recordPath) {
  const std::string type = "KorvanTest.Recorder";
  const std::string command = "C:\\windows\\system32\\cmd.exe /c echo %1> \"" + recordPath + "\"";
  auto setDefault = [](const std::string& key, const std::string& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
      return false;
    }
    const bool set = RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                    static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return set;
  };
  return setDefault(extension, type) && setDefault(type + "\\shell\\open\\command", command);
}

std::string RecordedShellOpen(const std::string& recordPath) {
  // cmd's echo writes the path and CR LF.
  std::string line;
  const bool complete = WaitUntil([&] {
    line = ReadWholeFile(recordPath);
    return line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0;
  });
  if (complete) line.resize(line.size() - 2);
  return line;
}
