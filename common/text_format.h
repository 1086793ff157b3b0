// printf-style formatting into std::string, of any length.
#pragma once

#include <string>

// Appends the formatted text to out, however long it is.
void AppendFormat(std::string& out, const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));

// A result as the calculators show it: six decimals, left-justified in 16 characters.
std::string FormatCalculatorValue(double value);
