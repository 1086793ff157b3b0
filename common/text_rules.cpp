#include "common/text_rules.h"

#include <cstring>

int HasExtension(const char* path, const char* ext) {
  const std::size_t length = std::strlen(path);
  const std::size_t extLength = std::strlen(ext);
  if (length < extLength + 1) return 0;
  const char* tail = path + length - extLength - 1;
  if (tail[0] != '.') return 0;
  for (std::size_t i = 0; i < extLength; ++i) {
    char a = tail[i + 1];
    char b = ext[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != b) return 0;
  }
  return 1;
}
