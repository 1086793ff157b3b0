// The data text file of korvan95: reader, writer and the message texts of Data Read and
// Data Save.
#include "korvan95/data_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Indexed by DataFileMessage.
constexpr MessageEntry kMessages[kDataFileMessageCount] = {
    {"", "", "", "", 0},
    {"File does not have a proper format.", "Error", "ファイルは不適切なフォーマットです.",
     "エラー", kIconError},
    {"Number of data <= 1000", "Error", "最大データ数は1000です.", "エラー", kIconError},
    {"File is not terminated by Enter-key.", "Error",
     "ファイルの最後がEnterで終了されていません.", "エラー", kIconError},
    {"Over 11 digit(s) are ignored\nso that the file may not correctly be read.", "Warning",
     "11文字を越える文字は無視されます.\nファイルが正しく読まれない可能性があります.", "警告",
     kIconError},
    {"Unable to open file.", "Error", "ファイルをオープンできません.", "エラー", kIconError},
    {"Unable to read file.", "Error", "ファイルを読めません.", "エラー", kIconError},
    {"GetOpenFileName error 0x%lx", "Error", "GetOpenFileName エラー 0x%lx", "エラー",
     kIconError},
    {"NO data to save!", "Warning", "保存すべきデータがありません!", "警告", kIconError},
    {"Press Enter-key to fix the data before saving!", "Warning",
     "Enterキーで入力データを確定させてから保存して下さい!", "警告", kIconError},
    {"GetSaveFileName error 0x%lx", "Error", "GetSaveFileName エラー 0x%lx", "エラー",
     kIconError},
    {"Unable to save the data to the remote disk.", "Warning",
     "リモート・ディスクへはデータを保存できません.", "警告", kIconWarning},
    {"Not enough free diskspace.", "Warning", "ディスクの空容量が不足です.", "警告",
     kIconWarning},
    {"Assign a file with TXT extension.", "Error", "ファイルは拡張子 TXT を持つ必要があります.",
     "エラー", kIconWarning},
    {"Save the data set?", "Warning", "既入力データをセーブしますか？", "警告", kIconQuestion},
    {"Too few data! (Data < 3)", "Warning", "データ数が3以下で少な過ぎます!", "警告",
     kIconError},
    {"All data have a same value!", "Warning", "すべてのデータが同じ値です!", "警告",
     kIconError},
    {"Unable to write to file.", "Error", "ファイルに書き込めません.", "エラー", kIconError},
};

constexpr unsigned char kCR = 0x0D;

// The exponent part of a number text: none yet, after "e", after its sign, in its digits.
enum ExponentState { kNoExponent, kExponentLetter, kExponentSign, kExponentDigits };

// Largest exponent magnitude kept; larger written exponents overflow or underflow anyway.
constexpr int kExponentCap = 99999;

DataReadResult Refuse(DataReadResult& result, DataFileMessage outcome) {
  result.outcome = outcome;
  result.values.clear();
  result.valueTexts.clear();
  return result;
}

}  // namespace

MessageBoxText GetDataFileMessage(DataFileMessage message, int useJapanese) {
  return MessageFromTable(kMessages, kDataFileMessageCount, kDataFileOk + 1, message, useJapanese);
}

DataReadResult ReadDataText(const char* bytes, std::size_t size) {
  DataReadResult result;
  // An empty file holds not even a line end.
  if (size == 0) return Refuse(result, kDataFileFormatError);

  const unsigned char* data = reinterpret_cast<const unsigned char*>(bytes);
  std::string cellText;  // the kept characters of the open number text
  int digitCount = 0;    // characters of the open number text, kept or dropped
  int significantDigits = 0;  // kept digits from the first one other than 0 on
  bool pointTyped = false;
  bool minusPoint = false;  // the text is exactly "-."
  bool hasDigit = false;    // the kept or dropped characters include a digit
  ExponentState exponentState = kNoExponent;
  bool exponentNegative = false;
  int exponentValue = 0;
  std::size_t textStart = 0;

  std::size_t position = 0;
  while (position < size) {
    const unsigned char byte = data[position];

    if (byte == kCR) {
      if (digitCount == 0 || minusPoint || exponentState == kExponentLetter ||
          exponentState == kExponentSign)
        return Refuse(result, kDataFileFormatError);
      std::string number = cellText;
      if (exponentState == kExponentDigits) {
        number += exponentNegative ? "e-" : "e";
        number += std::to_string(exponentValue);
      }
      const double value = std::strtod(number.c_str(), nullptr);
      // A written exponent beyond the range of a double gives no value.
      if (!std::isfinite(value)) return Refuse(result, kDataFileFormatError);
      result.values.push_back(value);
      result.valueTexts.push_back({textStart, position - textStart});
      if (result.values.size() > static_cast<std::size_t>(kMaxDataValues))
        return Refuse(result, kDataFileTooMany);
      // The byte after the CR is skipped without looking at it.
      position += 2;
      cellText.clear();
      digitCount = 0;
      pointTyped = false;
      minusPoint = false;
      hasDigit = false;
      exponentState = kNoExponent;
      exponentNegative = false;
      exponentValue = 0;
      continue;
    }

    if (byte == ';') {
      // A comment line; a ";" after a number text on the same line is refused.
      if (digitCount != 0) return Refuse(result, kDataFileFormatError);
      const void* cr = std::memchr(data + position, kCR, size - position);
      // A comment that runs into the end of the file lacks its line end.
      if (cr == nullptr) return Refuse(result, kDataFileNotTerminated);
      position = static_cast<std::size_t>(static_cast<const unsigned char*>(cr) - data) + 2;
      continue;
    }

    if (byte == ' ') {
      if (digitCount != 0) return Refuse(result, kDataFileFormatError);
      ++position;
      continue;
    }

    const bool isDigit = byte >= '0' && byte <= '9';
    if (exponentState != kNoExponent) {
      // Inside the exponent part: an optional sign right after the letter, then digits.
      if (isDigit) {
        exponentValue = exponentValue * 10 + (byte - '0');
        if (exponentValue > kExponentCap) exponentValue = kExponentCap;
        exponentState = kExponentDigits;
      } else if ((byte == '+' || byte == '-') && exponentState == kExponentLetter) {
        exponentNegative = byte == '-';
        exponentState = kExponentSign;
      } else {
        return Refuse(result, kDataFileFormatError);
      }
    } else if ((byte == 'e' || byte == 'E') && hasDigit) {
      exponentState = kExponentLetter;
    } else if (!isDigit && byte != '.' && byte != '-') {
      return Refuse(result, kDataFileFormatError);
    } else if (digitCount == 0) {
      // The first character opens the number text.
      textStart = position;
      cellText.assign(1, static_cast<char>(byte));
      significantDigits = isDigit && byte != '0' ? 1 : 0;
      digitCount = 1;
      pointTyped = byte == '.';
      hasDigit = isDigit;
    } else {
      if ((byte == '.' && pointTyped) || byte == '-') return Refuse(result, kDataFileFormatError);
      ++digitCount;
      if (digitCount == 2) {
        minusPoint = cellText == "-" && byte == '.';
      } else {
        minusPoint = false;
      }
      // Only significant digits count toward the limit: a sign, a point and the zeros
      // before the first other digit carry no precision, so every value Data Save writes
      // (%.11g, as "-0.000123456789") reads back whole.
      if (isDigit && (significantDigits > 0 || byte != '0')) {
        if (significantDigits < kMaxNumberChars) {
          ++significantDigits;
          cellText += static_cast<char>(byte);
        } else {
          result.droppedOffsets.push_back(position);
        }
      } else {
        cellText += static_cast<char>(byte);
      }
      if (byte == '.') pointTyped = true;
      if (isDigit) hasDigit = true;
    }

    // A number character: the file must not end before the line's CR.
    ++position;
    if (position >= size) return Refuse(result, kDataFileNotTerminated);
  }
  return result;
}

DataReadResult ReadDataText(const std::string& content) {
  return ReadDataText(content.data(), content.size());
}

std::string WriteDataText(const double* values, int count) {
  std::string text;
  char buffer[64];
  for (int i = 0; i < count; ++i) {
    const int length = std::snprintf(buffer, sizeof buffer, "%.11g", values[i]);
    if (length > 0) text.append(buffer, static_cast<std::size_t>(length));
    text += "\r\n";
  }
  return text;
}

std::string WriteDataText(const std::vector<double>& values) {
  return WriteDataText(values.data(), static_cast<int>(values.size()));
}
