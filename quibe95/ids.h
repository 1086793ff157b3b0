// The numbers by which quibe95's window names its commands and controls. Shared by the
// program and the Windows test driver, which clicks these buttons and reads these boxes.
// Pure: no windows.h.
#pragma once

namespace quibe95 {

// Commands: the WM_COMMAND ids that the icon-bar buttons send to the main window.
constexpr int kCommandGet = 101;  // "Get Coeff."
constexpr int kCommandAbout = 102;
constexpr int kCommandHelp = 103;
constexpr int kCommandExit = 104;

// Icon-bar buttons, left to right (button 105 + i sends command 101 + i).
constexpr int kButtonGet = 105;
constexpr int kButtonAbout = 106;
constexpr int kButtonHelp = 107;
constexpr int kButtonExit = 108;

// Controls: the sample-size combobox and the result box.
constexpr int kSampleSizeCombo = 110;
constexpr int kResultBox = 111;

}  // namespace quibe95
