// Stands in for a viewer or Notepad in the program tests: writes the arguments of its command
// line (everything after its own name, outer quotes removed) as UTF-8, with a line end, to
// "recorded command line.txt" in the temporary folder. It reads the UTF-16 command line, so a
// path outside the code page is recorded as it was given.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::wstring line = GetCommandLineW();
  std::size_t at = 0;
  if (!line.empty() && line[0] == L'"') {
    at = line.find(L'"', 1);
    at = at == std::wstring::npos ? line.size() : at + 1;
  } else {
    at = line.find(L' ');
    if (at == std::wstring::npos) at = line.size();
  }
  while (at < line.size() && line[at] == L' ') ++at;
  std::wstring arguments = line.substr(at);
  if (arguments.size() >= 2 && arguments.front() == L'"' && arguments.back() == L'"') {
    arguments = arguments.substr(1, arguments.size() - 2);
  }
  std::string text(4 * arguments.size() + 1, '\0');
  text.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, arguments.data(), static_cast<int>(arguments.size()),
                                                           text.data(), static_cast<int>(text.size()), nullptr, nullptr)));
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring record = std::wstring(folder) + L"recorded command line.txt";
  std::FILE* file = _wfopen(record.c_str(), L"wb");
  if (file == nullptr) return 1;
  text += '\n';
  std::fwrite(text.data(), 1, text.size(), file);
  return std::fclose(file) == 0 ? 0 : 1;
}
