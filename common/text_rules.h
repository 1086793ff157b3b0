// Small rules on texts shared by several programs: the character classes of the number
// parsers, and the extension test of a file name chosen in a file dialog.
#pragma once

// '0' to '9'.
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The white space that the C library's conversions skip before a number: space, tab, line
// feed, vertical tab, form feed, carriage return.
inline bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// 1 when the path ends in a point followed by ext in any mix of case ("x.Bmp" has "BMP"),
// else 0. ext is plain ASCII letters or digits.
int HasExtension(const char* path, const char* ext);
