#include "output/output_texts.h"

namespace {

constexpr OutputProgramTraits kTraits[] = {
    // edit, scroll bar, Save button strip, default extension
    {116, 115, 15, 47, "BMP"},    // korvan95: Save As is the second icon-bar button
    {133, 132, 143, 175, "bmp"},  // korvan00: Save Graph is the sixth
};

constexpr MessageEntry kMessages[kOutputMessageCount] = {
    {"Illegal structure size is found in info header.", kCaptionError.english,
     "ビットマップのファイル構造ではありません.", kCaptionError.japanese, kIconError},
    {"Unable to open file.", kCaptionError.english, "ファイルを開けません.",
     kCaptionError.japanese, kIconError},
    {"Unable to write to file.", kCaptionError.english, "ファイルに書き込めません.",
     kCaptionError.japanese, kIconError},
    {"GetSaveFileName error 0x%lx", kCaptionError.english, "GetSaveFileName エラー 0x%lx",
     kCaptionError.japanese, kIconError},
    {"Unable to save the graph to the remote disk.", kCaptionWarning.english,
     "リモート・ディスクへはグラフを保存できません.", kCaptionWarning.japanese, kIconWarning},
    {"Not enough free diskspace.", kCaptionWarning.english, "ディスクの空容量が不足です.",
     kCaptionWarning.japanese, kIconWarning},
    {"Assign a file with BMP extension.", kCaptionError.english,
     "ファイルは拡張子 BMP を持つ必要があります.", kCaptionError.japanese, kIconWarning},
    {"Unable to display dialog.", kCaptionSystemError.english, "ダイアログを表示できません.",
     kCaptionSystemError.japanese, kIconError | kSystemModal},
    {"Zoom out factor was out of the limits\nso that the previous value has been set.",
     kCaptionWarning.english, "ズーム係数が範囲外です.\n前の値にセットします.",
     kCaptionWarning.japanese, kIconError},
    {"Unable to start print job.", kCaptionWarning.english, "印刷をスタートできません.",
     kCaptionWarning.japanese, kIconError},
    {"Unable to allocate clipboard memory.", kCaptionError.english,
     "クリップボードのメモリを確保できません.", kCaptionError.japanese, kIconError},
    {"Unable to copy the graph to the clipboard.", kCaptionError.english,
     "グラフをクリップボードにコピーできません.", kCaptionError.japanese, kIconError},
    {"Unable to allocate memory for the graph.", kCaptionError.english,
     "グラフのメモリを確保できません.", kCaptionError.japanese, kIconError},
};

// korvan00's own texts of two messages: the dialog failure without the final point, and its
// own Japanese zoom warning.
constexpr MessageEntry kKorvan00DialogFailed = {
    "Unable to display dialog", kCaptionSystemError.english, "ダイアログを表示できません",
    kCaptionSystemError.japanese, kIconError | kSystemModal};
constexpr MessageEntry kKorvan00ZoomOutOfRange = {
    "Zoom out factor was out of the limits\nso that the previous value has been set.",
    kCaptionWarning.english, "縮小ファクターが限度以下なので\n前の値を適用します.",
    kCaptionWarning.japanese, kIconError};

}  // namespace

const OutputProgramTraits& TraitsOf(OutputProgram program) {
  return kTraits[program == kKorvan00 ? 1 : 0];
}

MessageBoxText GetOutputMessage(OutputMessage message, OutputProgram program, int useJapanese) {
  if (program == kKorvan00 && message == kOutputDialogFailed) {
    return MessageFromTable(&kKorvan00DialogFailed, 1, 0, 0, useJapanese);
  }
  if (program == kKorvan00 && message == kOutputZoomOutOfRange) {
    return MessageFromTable(&kKorvan00ZoomOutOfRange, 1, 0, 0, useJapanese);
  }
  return MessageFromTable(kMessages, kOutputMessageCount, 0, message, useJapanese);
}
