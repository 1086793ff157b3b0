// The spreadsheet text of korvan00: cells separated by TAB, rows ended by CR LF, as a
// spreadsheet puts a copied range on the clipboard. Splitting into cells, the number and
// fraction rules of one cell, the import loop with its limits and the message texts. Pure:
// the clipboard and the memory blocks stay with the caller.
#pragma once

#include "common/texts.h"

#include <cstddef>
#include <string>
#include <vector>

constexpr int kMaxSheetValues = 30000;      // input stops when this many values are stored
constexpr int kMaxNumberTextLength = 44;    // a longer number text is refused
constexpr int kMaxCellLength = 256;         // bytes gathered per cell
constexpr int kMinSheetValues = 3;          // fewer values end the analysis
constexpr double kMaxWrittenExponent = 100; // the exponent as written: -100 to 100

// Codes of ClassifyCellText and CheckNumberText.
constexpr int kCellNumber = 0;         // a plain number text that passed the rules
constexpr int kCellFraction = 1;       // a fraction whose two halves passed them
constexpr int kCellSlashes = 2;        // more than one slash
constexpr int kCellExponent = 3;       // a written exponent outside -100..100
constexpr int kCellTooLong = 4;        // a number text longer than 44 characters

// Every message of the import and of the analysis of korvan00's data.
enum SheetMessage {
  kSheetOk = 0,
  kSheetNoText,              // no text on the clipboard
  kSheetNotFromSpreadsheet,  // shorter than 2 bytes, not ended by CR LF, or a 0xFF inside
  kSheetNoProperData,        // a cell that is no number or fraction, two slashes, zero divisor
  kSheetExponent,            // written exponent below -100 or above 100
  kSheetLength,              // a number text longer than 44 characters
  kSheetInputLimit,          // 30000 values stored (an Information box; the import goes on)
  kSheetTooFew,              // fewer than 3 values
  kSheetSameValue,           // all values equal (raised by the analysis)
  kSheetMessageCount
};

// The message in English (useJapanese 0) or Japanese (code page 932 bytes). kSheetOk and
// values out of range give empty texts and icon 0.
MessageBoxText GetSheetMessage(SheetMessage message, int useJapanese);

// Bytes of the text: those before its first NUL (or all), less a 0xFF that is the last of
// them. A 0xFF with nothing after it is an end-of-text mark that some programs write; a 0xFF
// anywhere else (the letter y with diaeresis under code page 1252) stays in the text, and the
// import refuses such a text.
std::size_t SheetTextLength(const char* bytes, std::size_t size);

// One step of the cell walk over text[0, length): the cell starts at position and runs up to
// the next TAB or CR, at most kMaxCellLength bytes; its length goes to cellLength. Returns
// the position after the byte that stopped the cell and after one LF that follows it; lineEnd
// is 1 when such a LF was stepped over (the row ends there), else 0.
std::size_t NextSheetCell(const char* text, std::size_t length, std::size_t position,
                          std::size_t& cellLength, int& lineEnd);

// kCellTooLong when the text is longer than 44 characters; else, when it holds an E or e,
// kCellExponent when the value of everything after the first E or e (by atof) lies outside
// -100..100; else successCode.
int CheckNumberText(const char* text, int successCode);

// kCellNumber or kCellFraction when the text passed the slash, length and exponent rules
// (a fraction leaves its halves in numeratorText and denominatorText), else kCellSlashes,
// kCellExponent or kCellTooLong.
int ClassifyCellText(const char* cellText, std::string& numeratorText,
                     std::string& denominatorText);

// 1 when the whole text is a decimal number: optional leading white space, optional sign,
// digits with an optional point, an optional exponent (e or E, optional sign, digits).
// Infinity, NaN and hexadecimal forms are no numbers here.
int IsDecimalNumberText(const char* text);

// Converts one non-empty cell. kSheetOk with the value, or the message of the failure.
SheetMessage ConvertCellText(const char* cellText, double& value);

struct SheetImportResult {
  SheetMessage outcome = kSheetOk;  // kSheetOk or the failure that ended the import
  std::vector<double> values;       // the values stored; empty unless outcome is kSheetOk
  std::size_t textLength = 0;       // SheetTextLength of the text
  int limitReached = 0;             // 1 when input stopped at 30000 values (tell the user)
};

// The import of one clipboard text (bytes[0, size), ended early by a NUL, less a final 0xFF;
// see SheetTextLength): the refusal of a text that holds a 0xFF or does not end with CR LF
// (nothing after a 0xFF is dropped unseen, and nothing before it analysed on its own), the
// cell loop with the conversion of every non-empty cell, the 30000 limit, and the check for
// at least 3 values.
SheetImportResult ImportSheetText(const char* bytes, std::size_t size);
SheetImportResult ImportSheetText(const std::string& text);
