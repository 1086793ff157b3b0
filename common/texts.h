// A user-visible text in both languages of the interface. The Japanese texts are compiled
// to code page 932 bytes.
#pragma once

struct Text {
  const char* english;
  const char* japanese;
};

// The text of the interface language: Japanese when japanese is non-zero.
inline const char* TextFor(const Text& text, int japanese) {
  return japanese ? text.japanese : text.english;
}

// Captions shared by the whole suite.
constexpr Text kCaptionError = {"Error", "エラー"};
constexpr Text kCaptionWarning = {"Warning", "警告"};
constexpr Text kCaptionSystemError = {"System Error", "システム・エラー"};
constexpr Text kCaptionInformation = {"Information", "お知らせ"};
constexpr Text kCaptionSuccess = {"Success", "成功"};

// Message-box icons, the values of MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING and
// MB_ICONINFORMATION (the message tables live in code without windows.h).
constexpr unsigned kIconError = 0x10;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconWarning = 0x30;
constexpr unsigned kIconInformation = 0x40;
// The style bit of a box that stays above every window (MB_SYSTEMMODAL), for rows whose
// `icon` holds the whole style.
constexpr unsigned kSystemModal = 0x1000;

// One entry of a message table: text and caption in both languages, and the icon.
struct MessageEntry {
  const char* english;
  const char* englishCaption;
  const char* japanese;
  const char* japaneseCaption;
  unsigned icon;
};

// A message as a message box shows it, in one language.
struct MessageBoxText {
  const char* text;
  const char* caption;
  unsigned icon;
};

// Entry `index` of a table of `count` messages; an index out of range, or below `first`,
// gives empty texts and icon 0.
inline MessageBoxText MessageFromTable(const MessageEntry* table, int count, int first, int index, int japanese) {
  if (index < first || index >= count) return {"", "", 0};
  const MessageEntry& entry = table[index];
  if (japanese) return {entry.japanese, entry.japaneseCaption, entry.icon};
  return {entry.english, entry.englishCaption, entry.icon};
}
