// The texts of the interface are code-page strings (CP932 in Japanese) for the ANSI calls;
// the file dialogs and file calls are the wide ones, so that a path keeps every character
// the file system allows. These turn a text of the interface into UTF-16 as the ANSI calls
// themselves do (the system code page), and a UTF-16 text into the code page for a box.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring WideText(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}
