// Small rules on texts shared by several programs: the character classes of the number
// parsers, and the rules on a file path chosen in a file dialog. Paths are UTF-16 as the
// wide file dialogs give them (wchar_t on Windows), so that every name the file system allows
// reaches the file calls whole.
#pragma once

#include <string>
#include <string_view>

// '0' to '9'.
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The white space that the C library's conversions skip before a number: space, tab, line
// feed, vertical tab, form feed, carriage return.
inline bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// 1 when the path ends in a point followed by ext in any mix of case ("x.Bmp" has "BMP"),
// else 0. ext is plain ASCII letters or digits.
int HasExtension(std::wstring_view path, const char* ext);

// The root text of a path for the drive checks: its first three characters ("C:\"), fewer
// when the path is shorter. A character outside ASCII becomes '?', which names no drive (a
// drive letter or the "\\" of a network path is always ASCII).
std::string DriveRoot(std::wstring_view path);
