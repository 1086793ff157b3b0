#include "tests/win/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>

std::wstring Wide(const std::string& text) { return std::filesystem::path(std::u8string(text.begin(), text.end())); }

std::string Utf8(const std::wstring& wide) {
  const std::u8string text = std::filesystem::path(wide).u8string();
  return std::string(text.begin(), text.end());
}

std::vector<HWND> TopLevelWindows(const char* className, DWORD processId) {
  std::vector<HWND> found;
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr;) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (IsWindowVisible(window) && (!processId || owner == processId)) found.push_back(window);
  }
  return found;
}

std::string BesideDriver(const char* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (wchar_t* slash = std::wcsrchr(path, L'\\')) slash[1] = L'\0';
  return Utf8(path) + name;
}

std::string ProgramPath(const char* exeName) {
  const std::string folder = Environment("KORVAN_PROGRAMS");
  return folder.empty() ? BesideDriver(exeName) : folder + "\\" + exeName;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(Wide(folder), error)) {
    if (entry.is_regular_file()) names.push_back(Utf8(entry.path().filename().wstring()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string MakeTestFolder(const std::string& name) {
  const std::string folder = Utf8((std::filesystem::temp_directory_path() / Wide(name)).wstring());
  // Empty a folder left by an earlier run, read-only files included.
  for (const std::string& file : FilesIn(folder)) {
    SetFileAttributesW(Wide(folder + "\\" + file).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(Wide(folder + "\\" + file).c_str());
  }
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  return folder;
}

bool CopyInto(const std::string& file, const std::string& folder, const std::string& newName) {
  const std::string name = newName.empty() ? file.substr(file.find_last_of("\\/") + 1) : newName;
  return CopyFileW(Wide(file).c_str(), Wide(folder + "\\" + name).c_str(), FALSE) != 0;
}

bool FileExists(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MoveFileTo(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::string Environment(const char* name) {
  const wchar_t* value = _wgetenv(Wide(name).c_str());
  return value ? Utf8(value) : std::string();
}

namespace {
HANDLE watched = nullptr;
std::function<void(const std::source_location&)> watchedEnded;
}  // namespace

void WatchProgram(HANDLE process, std::function<void(const std::source_location&)> ended) {
  watched = process;
  watchedEnded = std::move(ended);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, const std::source_location& where) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (watched && WaitForSingleObject(watched, 0) == WAIT_OBJECT_0) {
      if (condition()) return true;
      if (watchedEnded) watchedEnded(where);
      return false;
    }
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(20);
  }
}

bool LaunchProgram(const std::string& exePath, RunningProgram& program) {
  // Under Wine a program that crashes waits behind the debugger's "Program Error" box, still
  // running, until someone closes it. Without that box the debugger writes the backtrace and
  // the program ends with the exception's code (0xC0000005), which the tests then see.
  const DWORD show = 0;
  RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineDbg", "ShowCrashDialog", REG_DWORD, &show, sizeof show);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  // Wine now and then refuses a start just after a program ended (the loaded machine of the
  // tests): a few more tries, then the reason.
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::wstring commandLine = Wide("\"" + exePath + "\"");
    if (CreateProcessW(Wide(exePath).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &program.process) != 0) {
      return true;
    }
    std::fprintf(stderr, "CreateProcess %s failed: error %lu\n", exePath.c_str(), GetLastError());
    Sleep(500);
  }
  return false;
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
    WaitUntil([&] { return !IsWindow(dialog); }, 1000);
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
  const std::vector<HWND> dialogs = TopLevelWindows("#32770", processId);
  return dialogs.empty() ? nullptr : dialogs.front();
}

HWND WaitForDialog(DWORD processId, int timeoutMs) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindDialog(processId)) != nullptr; }, timeoutMs);
  return dialog;
}

bool SettlesWithoutBox(const RunningProgram& program) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(program.window, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &result)) return false;
  // A box opened just now becomes visible when its message loop first waits.
  return WaitForDialog(program.process.dwProcessId, 100) == nullptr;
}

BoxContent ReadMessageBox(HWND box) {
  BoxContent content = {TextOf(box), ""};
  // The message is the first static text that is not empty (the icon is an empty one).
  for (HWND child = nullptr; content.text.empty() && (child = FindWindowExA(box, child, "Static", nullptr)) != nullptr;) {
    content.text = TextOf(child);
  }
  return content;
}

void PressDialogButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

BoxContent AnswerMessageBox(const RunningProgram& program, int button) {
  HWND box = WaitForDialog(program.process.dwProcessId);
  if (!box) return BoxContent();
  const BoxContent content = ReadMessageBox(box);
  PressDialogButton(box, button);
  WaitUntil([&] { return !IsWindow(box); });
  return content;
}

std::string TextOf(HWND window) {
  if (window == nullptr) return "";
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
  return SendMessageTimeoutA(window, WM_COMMAND, id, 0, SMTO_NORMAL, static_cast<UINT>(timeoutMs), &result) != 0;
}

void PostCommand(HWND window, int id) { PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0); }

HWND IconBarButton(HWND mainWindow, int controlId) {
  HWND bar = FindWindowExA(mainWindow, nullptr, "IconBarWindow", nullptr);
  return bar ? GetDlgItem(bar, controlId) : nullptr;
}

void DoubleClickIconBarButton(HWND mainWindow, int controlId) {
  HWND button = IconBarButton(mainWindow, controlId);
  const LPARAM inside = MAKELPARAM(4, 4);
  for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    PostMessageA(button, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, inside);
  }
}

void ClickIconBarButton(HWND mainWindow, int controlId) {
  HWND button = IconBarButton(mainWindow, controlId);
  PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void TypeInto(HWND edit, const std::string& characters) {
  DWORD_PTR result = 0;
  for (unsigned char c : characters) SendMessageTimeoutA(edit, WM_CHAR, c, 1, SMTO_NORMAL, 3000, &result);
}

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

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

void Screenshot(HWND window, const char* name) {
  const char* wanted = std::getenv("SUITE_SCREENSHOTS");
  if (wanted == nullptr || std::strcmp(wanted, "1") != 0) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(300);  // the program repaints in its own time; only the picture waits for it
  RECT area;
  GetWindowRect(window, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, {}};
  const std::size_t size = static_cast<std::size_t>((width * 3 + 3) & ~3) * static_cast<std::size_t>(height);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(size);
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  WriteWholeFile(BesideDriver((std::string(name) + ".bmp").c_str()),
                 std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                     std::string(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader) +
                     std::string(static_cast<const char*>(bits), size));
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
}

namespace {

void PostKey(HWND window, UINT message, UINT virtualKey, bool extended) {
  const LPARAM scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC) & 0xFF;
  const LPARAM release = message == WM_KEYUP ? static_cast<LPARAM>(3) << 30 : 0;  // previous state, transition
  PostMessageA(window, message, virtualKey, 1 | (scan << 16) | (extended ? 1 << 24 : 0) | release);
}

// A message sent after the posted ones returns once they have been handled, or times out while
// a message box of theirs is open.
void AfterPostedKeys(HWND window) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1500, &result);
}

}  // namespace

void PressKey(HWND window, UINT virtualKey, bool extended) {
  PostKey(window, WM_KEYDOWN, virtualKey, extended);
  PostKey(window, WM_KEYUP, virtualKey, extended);
  AfterPostedKeys(window);
}

void HoldKey(HWND window, UINT virtualKey, bool down) {
  PostKey(window, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, false);
  AfterPostedKeys(window);
}

void TypeKeys(HWND window, const std::string& keys, bool atOnce) {
  for (char c : keys) {
    const UINT key = c >= '0' && c <= '9' ? static_cast<UINT>(c)
                     : c == '.'           ? VK_OEM_PERIOD
                     : c == '-'           ? VK_OEM_MINUS
                     : c == '\r'          ? VK_RETURN
                                          : VK_BACK;
    PostKey(window, WM_KEYDOWN, key, false);
    PostKey(window, WM_KEYUP, key, false);
    if (!atOnce) AfterPostedKeys(window);
  }
  if (atOnce) AfterPostedKeys(window);
}

bool PressKeys(HWND window, const std::string& keys) {
  const std::string key = keys.substr(keys.find_last_of('+') + 1);  // after the modifiers
  const DWORD extended = key.starts_with("Page") ? KEYEVENTF_EXTENDEDKEY : 0;  // of the dedicated block
  const UINT code = extended ? (key == "Page Up" ? VK_PRIOR : VK_NEXT)
                    : key == "Tab" ? VK_TAB
                    : key.size() > 1 ? VK_F1 + std::stoi(key.substr(1)) - 1
                                     : static_cast<UINT>(key[0]);
  std::vector<INPUT> inputs;
  const auto add = [&](UINT virtualKey, DWORD flags) {
    inputs.emplace_back().type = INPUT_KEYBOARD;
    inputs.back().ki = {static_cast<WORD>(virtualKey), static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)),
                        flags, 0, 0};
  };
  const std::pair<const char*, UINT> modifiers[] = {{"Ctrl+", VK_CONTROL}, {"Shift+", VK_SHIFT}, {"Alt+", VK_MENU}};
  for (const auto& [name, modifier] : modifiers) {
    if (keys.find(name) != std::string::npos) add(modifier, 0);
  }
  add(code, extended);
  add(code, extended | KEYEVENTF_KEYUP);
  for (const auto& [name, modifier] : modifiers) {
    if (keys.find(name) != std::string::npos) add(modifier, KEYEVENTF_KEYUP);
  }
  SetForegroundWindow(window);
  return WaitUntil([&] { return GetForegroundWindow() == window; }, 3000) &&
         SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool AnswerFileDialog(DWORD processId, const std::string& title, const std::string& path) {
  HWND dialog = nullptr;
  WaitUntil([&] {
    for (HWND candidate : TopLevelWindows("#32770", processId)) {
      if (TextOf(candidate) == title) dialog = candidate;
    }
    return dialog != nullptr;
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
    for (HWND question : TopLevelWindows("#32770", processId)) {
      if (question != dialog && GetWindow(question, GW_OWNER) == dialog) PressDialogButton(question, IDYES);
    }
    return !IsWindow(dialog);
  });
}

std::string ClipboardDib() {
  std::string bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  HANDLE block = GetClipboardData(CF_DIB);
  if (const char* data = block ? static_cast<const char*>(GlobalLock(block)) : nullptr) {
    bytes.assign(data, GlobalSize(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return bytes;
}

bool SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
  bool set = false;
  if (char* data = block ? static_cast<char*>(GlobalLock(block)) : nullptr) {
    std::memcpy(data, text.data(), text.size());
    GlobalUnlock(block);
    set = SetClipboardData(CF_TEXT, block) != nullptr;
  }
  if (block && !set) GlobalFree(block);
  CloseClipboard();
  return set;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(std::filesystem::path(Wide(path)), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool WriteWholeFile(const std::string& path, const std::string& content) {
  std::ofstream file(std::filesystem::path(Wide(path)), std::ios::binary);
  return file.write(content.data(), static_cast<std::streamsize>(content.size())).flush().good();
}

bool Bitmap4::Load(const std::string& file) {
  // A file header of 14 bytes before the block.
  if (file.size() < 14 || file.compare(0, 2, "BM") != 0 || !LoadDib(file.substr(14))) return false;
  bytes = file;
  pixels += 14;
  return bytes.size() == pixels + RowBytes() * static_cast<std::size_t>(height);
}

bool Bitmap4::LoadDib(const std::string& block) {
  bytes = block;
  pixels = 40 + 16 * 4;  // the information header and 16 palette entries
  if (bytes.size() < pixels || Field(bytes, 14, 2) != 4) return false;
  width = static_cast<int>(Field(bytes, 4, 4));
  height = static_cast<int>(Field(bytes, 8, 4));
  return bytes.size() >= pixels + RowBytes() * static_cast<std::size_t>(height);
}

int Bitmap4::At(int x, int y) const {
  const unsigned char b = static_cast<unsigned char>(bytes.at(pixels + (height - 1 - y) * RowBytes() + x / 2));
  return x % 2 == 0 ? b >> 4 : b & 0x0F;
}

// The number of files the cups-pdf print queue has written so far (into ~/PDF; Wine names the
// Unix home folder in WINEHOMEDIR, "\??\Z:\root").
static int PrintedFiles() {
  std::string home = std::getenv("WINEHOMEDIR") ? std::getenv("WINEHOMEDIR") : "";
  if (home.rfind("\\??\\", 0) == 0) home.erase(0, 4);
  const std::vector<std::string> files = home.empty() ? std::vector<std::string>() : FilesIn(home + "\\PDF");
  return static_cast<int>(std::count_if(files.begin(), files.end(), [](const std::string& f) { return f.ends_with(".pdf"); }));
}

std::string PrintIntoQueue(const RunningProgram& program, int command) {
  const DWORD processId = program.process.dwProcessId;
  const int before = PrintedFiles();
  PostCommand(program.window, command);
  HWND dialog = WaitForDialog(processId);
  if (dialog == nullptr) return "no print dialog";
  PressDialogButton(dialog, IDOK);
  if (!WaitUntil([&] { return PrintedFiles() > before; }, 60000)) return "no document reached the PDF queue";
  if (!SettlesWithoutBox(program)) return "a box after printing: " + TextOf(FindDialog(processId));
  return std::string();
}

std::string RecordPath() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return Utf8(folder) + "recorded command line.txt";
}

namespace {

std::string WindowsNotepad() {
  wchar_t folder[MAX_PATH] = {};
  GetWindowsDirectoryW(folder, MAX_PATH);
  return Utf8(folder) + "\\notepad.exe";
}

}  // namespace

bool RecordOpens(bool record) {
  const std::wstring notepad = Wide(WindowsNotepad()), recorder = Wide(BesideDriver("recorder.exe"));
  if (!record) {
    const LSTATUS removed = RegDeleteTreeW(HKEY_CLASSES_ROOT, L".pdf");
    // A recorder started just now may still be running from the file.
    return (removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND) &&
           WaitUntil([&] { return DeleteFileW(notepad.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; }, 3000);
  }
  const std::wstring type = L"KorvanTest.Recorder", command = L"\"" + recorder + L"\" \"%1\"";
  const auto set = [](const std::wstring& key, const std::wstring& value) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  };
  DeleteFileW(Wide(RecordPath()).c_str());
  return set(L".pdf", type) && set(type + L"\\shell\\open\\command", command) &&
         CopyFileW(recorder.c_str(), notepad.c_str(), FALSE) != 0;
}

std::string RecordedOpen() {
  std::string line;
  const bool complete = WaitUntil([&] {
    line = ReadWholeFile(RecordPath());
    return !line.empty() && line.back() == '\n';
  });
  DeleteFileW(Wide(RecordPath()).c_str());
  if (complete) line.pop_back();
  return line;
}
