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
