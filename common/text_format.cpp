#include "common/text_format.h"

#include <cstdarg>
#include <cstdio>

void AppendFormat(std::string& out, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  va_list copy;
  va_copy(copy, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length > 0) {
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(length) + 1);
    std::vsnprintf(&out[start], static_cast<std::size_t>(length) + 1, format, arguments);
    out.resize(start + static_cast<std::size_t>(length));
  }
  va_end(arguments);
}

std::string FormatCalculatorValue(double value) {
  std::string text;
  AppendFormat(text, "%-16.6f", value);
  return text;
}
