// Messages that korvan95 and korvan00 show alike (korvan-cli prints the texts), one row each
// in both languages.
#pragma once

#include "common/texts.h"

// An allocation failed in a command, which then changed nothing.
constexpr MessageEntry kNotEnoughMemory = {"Unable to allocate memory.\nClose other programs and try again.", "Error",
                                           "メモリを確保できません.\n他のプログラムを閉じてもう一度実行してください.",
                                           "エラー", kIconError};

// A result of the analysis lies beyond the range of a double (AnalysisOutcome::kTooLarge);
// nothing is shown and the data stay.
constexpr MessageEntry kDataTooLarge = {"The data are too large to analyse.", "Error",
                                        "データが大きすぎて解析できません.", "エラー", kIconError};

// The row as a message box shows it in the interface language.
inline MessageBoxText MessageOf(const MessageEntry& entry, int useJapanese) {
  return MessageFromTable(&entry, 1, 0, 0, useJapanese);
}
