#include "common/text_rules.h"

#include <cstring>

int HasExtension(std::wstring_view path, const char* ext) {
  const std::size_t extLength = std::strlen(ext);
  if (path.size() < extLength + 1) return 0;
  const std::wstring_view tail = path.substr(path.size() - extLength - 1);
  if (tail[0] != L'.') return 0;
  for (std::size_t i = 0; i < extLength; ++i) {
    wchar_t a = tail[i + 1];
    char b = ext[i];
    if (a >= L'a' && a <= L'z') a = static_cast<wchar_t>(a - L'a' + L'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != static_cast<wchar_t>(b)) return 0;
  }
  return 1;
}

std::string DriveRoot(std::wstring_view path) {
  std::string root;
  for (const wchar_t c : path.substr(0, 3)) root += c > 0 && c < 0x80 ? static_cast<char>(c) : '?';
  return root;
}
