// The data text file of korvan95: one number per line, lines ended by CR and one more byte
// (LF as written), comment lines starting with ";". The reader works on the whole file
// content held in memory; the writer returns the bytes to put in the file. Pure: no file,
// dialog or window calls, so the command-line analyser and the tests use the same code.
#pragma once

#include "common/texts.h"

#include <cstddef>
#include <string>
#include <vector>

// Values the data grid holds, and the most a data file may hold.
constexpr int kMaxDataValues = 1000;
// The largest data file read. Data Save writes at most some 25 kilobytes; a larger file is
// refused as a format error before it is read whole, never read in part.
constexpr unsigned long long kMaxDataFileBytes = 64ull << 20;
// Significant digits kept of one number text (the digits from the first one other than 0 on,
// without the exponent part); further digits are dropped with the over-digits warning. The
// grid takes at most this many characters, so a typed number never loses a digit, and every
// value written by WriteDataText reads back to the same double.
constexpr int kMaxNumberChars = 11;

// Every message box of the data file commands (and korvan95's two data-set refusals).
// kDataFileOk is the outcome of a read that was accepted; it has no text.
enum DataFileMessage {
  kDataFileOk = 0,
  kDataFileFormatError,     // "File does not have a proper format."
  kDataFileTooMany,         // "Number of data <= 1000"
  kDataFileNotTerminated,   // "File is not terminated by Enter-key."
  kDataFileOverDigits,      // "Over 11 digit(s) are ignored..." (a warning, reading goes on)
  kDataFileUnableToOpen,    // "Unable to open file."
  kDataFileUnableToRead,    // "Unable to read file."
  kDataFileOpenDialogError, // "GetOpenFileName error 0x%lx" (a format with the code)
  kDataFileNoDataToSave,    // "NO data to save!"
  kDataFileFixBeforeSaving, // "Press Enter-key to fix the data before saving!"
  kDataFileSaveDialogError, // "GetSaveFileName error 0x%lx" (a format with the code)
  kDataFileRemoteDisk,      // "Unable to save the data to the remote disk."
  kDataFileNoFreeSpace,     // "Not enough free diskspace."
  kDataFileTxtExtension,    // "Assign a file with TXT extension."
  kDataFileSaveQuestion,    // "Save the data set?" (Yes/No question of Data Input)
  kDataFileTooFew,          // "Too few data! (Data < 3)" (Analysis)
  kDataFileSameValue,       // "All data have a same value!" (Analysis)
  kDataFileUnableToWrite,   // "Unable to write to file." (Data Save)
  kDataFileMessageCount
};

// The message in English (useJapanese 0) or Japanese (code page 932 bytes). kDataFileOk and
// values out of range give empty texts and icon 0.
MessageBoxText GetDataFileMessage(DataFileMessage message, int useJapanese);

// Where the number text of one value line stands in the file.
struct DataTextSpan {
  std::size_t offset;
  std::size_t length;
};

struct DataReadResult {
  DataFileMessage outcome = kDataFileOk;  // kDataFileOk, or the refusal that ended the read
  std::vector<double> values;             // the values read; empty unless outcome is kDataFileOk
  std::vector<DataTextSpan> valueTexts;   // the number text of each value (same count)
  // File offset of every number character dropped beyond the 11th: one over-digits warning
  // each, in file order. Kept also when the read is refused afterwards.
  std::vector<std::size_t> droppedOffsets;
};

// Reads a data text file from its whole content. Refusals: format error (also for an empty
// file), too many values (the 1001st value is complete), a number running into the end of
// the file without its CR, a comment line running into the end of the file (told as not
// terminated as well). An exponent part (e or E, optional sign, at least one digit) may follow
// the number text; it does not count toward the 11 significant digits, and a value beyond the
// range of a double is a format error.
DataReadResult ReadDataText(const char* bytes, std::size_t size);
DataReadResult ReadDataText(const std::string& content);

// The file content Data Save writes: each value as %.11g followed by CR LF.
std::string WriteDataText(const double* values, int count);
std::string WriteDataText(const std::vector<double>& values);
