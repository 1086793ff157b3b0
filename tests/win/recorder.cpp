// Stands in for a viewer or Notepad in the program tests: writes the arguments of its command
// line (everything after its own name, outer quotes removed) as UTF-8, with a line end, where
// RecordPath says. It reads the UTF-16 command line, so a path outside the code page is
// recorded as it was given.
#include <windows.h>

#include <string>

#include "tests/win/driver.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::wstring line = GetCommandLineW();
  const std::size_t nameEnd = line.starts_with(L"\"") ? line.find(L'"', 1) : line.find(L' ');
  const std::size_t at = nameEnd == std::wstring::npos ? line.size() : line.find_first_not_of(L' ', nameEnd + 1);
  std::wstring arguments = at == std::wstring::npos ? L"" : line.substr(at);
  if (arguments.size() >= 2 && arguments.front() == L'"' && arguments.back() == L'"') {
    arguments = arguments.substr(1, arguments.size() - 2);
  }
  return WriteWholeFile(RecordPath(), Utf8(arguments) + "\n") ? 0 : 1;
}
