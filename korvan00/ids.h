// The numbers by which korvan00's window, its icon bar, its system menu and its dialogs name
// commands and controls. Shared by the program, its pure core and the Windows test driver,
// which sends these commands and finds these controls.
#pragma once

namespace korvan00 {

// Commands: the WM_COMMAND ids that the icon-bar buttons send to the main window.
constexpr int kCommandSetConditions = 101;
constexpr int kCommandAnalysis = 102;
constexpr int kCommandDrawGraph = 103;
constexpr int kCommandCopyGraph = 104;
constexpr int kCommandSaveGraph = 105;
constexpr int kCommandPrintGraph = 106;
constexpr int kCommandAbout = 107;
constexpr int kCommandHelp = 108;
constexpr int kCommandExit = 109;

// Icon-bar controls: the "Gap" element, the nine command buttons (button 111 + i sends
// command 101 + i) and the "Space" element.
constexpr int kButtonGap = 110;
constexpr int kButtonSetConditions = 111;
constexpr int kButtonAnalysis = 112;
constexpr int kButtonDrawGraph = 113;
constexpr int kButtonCopyGraph = 114;
constexpr int kButtonSaveGraph = 115;
constexpr int kButtonPrintGraph = 116;
constexpr int kButtonAbout = 117;
constexpr int kButtonHelp = 118;
constexpr int kButtonExit = 119;
constexpr int kButtonSpace = 120;

// The program's icon resource as the dialogs show it.
constexpr int kIconResource = 121;

// Controls of the conditions dialog ("ANALYSIS_DLG" / "ANALYSIS_DLG_J").
constexpr int kIntervalCombo = 122;     // drop-down list "2" ... "20"
constexpr int kConfidenceEdit = 123;    // confidence probability in percent
constexpr int kRadioSample = 124;       // statistics basis: sample values
constexpr int kRadioUnbiased = 125;     // statistics basis: unbiased estimates
constexpr int kRadioDisplay = 126;      // markers shown
constexpr int kRadioNotDisplay = 127;   // markers not shown
constexpr int kRadioStandard = 128;     // interval number from the data count
constexpr int kRadioChoice = 129;       // interval number chosen in the list
constexpr int kDialogOk = 1;            // IDOK
constexpr int kDialogCancel = 2;        // IDCANCEL

// System-menu commands (WM_SYSCOMMAND).
constexpr int kSysPrinterSetup = 130;
constexpr int kSysPrintZoom = 131;

// Controls of the print zoom dialog ("PRINTZOOM_DLG" / "PRINTZOOM_DLG_J").
constexpr int kZoomScrollBar = 132;
constexpr int kZoomEdit = 133;

}  // namespace korvan00
