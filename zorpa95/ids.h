// The numbers by which zorpa95's window names its commands and controls. Shared by the
// program and the Windows test driver, which clicks these buttons and reads these boxes.
// Pure: no windows.h.
#pragma once

namespace zorpa95 {

// Commands: the WM_COMMAND ids that the icon-bar buttons send to the main window.
constexpr int kCommandMean = 101;      // "m Coeff.(Cl)": the mean coefficient
constexpr int kCommandVariance = 102;  // "s Coeff.(Cl,Cu)": the variance coefficients
constexpr int kCommandAbout = 103;
constexpr int kCommandHelp = 104;
constexpr int kCommandExit = 105;

// Icon-bar buttons, left to right (button 106 + i sends command 101 + i).
constexpr int kButtonMean = 106;
constexpr int kButtonVariance = 107;
constexpr int kButtonAbout = 108;
constexpr int kButtonHelp = 109;
constexpr int kButtonExit = 110;

// Controls: the sample-size combobox, the cf box and the two result boxes (Cl, Cu).
constexpr int kSampleSizeCombo = 112;
constexpr int kCfBox = 113;
constexpr int kResult1Box = 114;
constexpr int kResult2Box = 115;

}  // namespace zorpa95
