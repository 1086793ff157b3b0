// Texts and per-program differences of the graph output (page capture, BMP file, printing,
// clipboard copy, safe file writes) shared by korvan95 and korvan00. Pure: no file, dialog
// or window calls.
#pragma once

#include "common/texts.h"

// The two programs that use the graph output; they differ only in the rows of
// OutputProgramTraits and in two message texts (GetOutputMessage).
enum OutputProgram { kKorvan95, kKorvan00 };

// What differs between the programs, apart from texts.
struct OutputProgramTraits {
  int zoomEditId;           // Print Zoom edit box (also PRINTZOOM_EDIT_ID of the .rc)
  int zoomScrollId;         // Print Zoom scroll bar (PRINTZOOM_SCROLL_ID)
  int saveButtonLeft;       // after the Save Graph file dialog the icon-bar strip
  int saveButtonRight;      //   (left, 0)-(right, 20) is repainted
  const char* defaultExtension;  // of the Save Graph file dialog
};
const OutputProgramTraits& TraitsOf(OutputProgram program);

// The message boxes of the graph output. A row's `icon` holds the whole box style.
enum OutputMessage {
  kOutputBadInfoHeader = 0,   // "Illegal structure size is found in info header."
  kOutputUnableToOpen,        // "Unable to open file."
  kOutputUnableToWrite,       // "Unable to write to file."
  kOutputSaveDialogError,     // "GetSaveFileName error 0x%lx" (a format with the code)
  kOutputRemoteDisk,          // "Unable to save the graph to the remote disk."
  kOutputNoFreeSpace,         // "Not enough free diskspace."
  kOutputBmpExtension,        // "Assign a file with BMP extension."
  kOutputDialogFailed,        // "Unable to display dialog." (korvan00 without the point)
  kOutputZoomOutOfRange,      // "Zoom out factor was out of the limits..."
  kOutputPrintStartFailed,    // "Unable to start print job."
  kOutputClipboardMemory,     // "Unable to allocate clipboard memory."
  kOutputClipboardFailed,     // "Unable to copy the graph to the clipboard."
  kOutputCaptureMemory,       // "Unable to allocate memory for the graph."
  kOutputMessageCount
};

// The message of a program in English (useJapanese 0) or Japanese (code page 932 bytes).
// Values out of range give empty texts and style 0.
MessageBoxText GetOutputMessage(OutputMessage message, OutputProgram program, int useJapanese);
