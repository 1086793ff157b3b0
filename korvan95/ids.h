// Command and control ids of korvan95, shared by the program, its resources and the Windows
// test driver. Pure: no windows.h.
#pragma once

// Menu commands (the same ids in the English and the Japanese menu).
constexpr int kCmdSaveAs = 101;        // "Save &As..."
constexpr int kCmdPrinterSetup = 102;  // "Printer Set&up..."
constexpr int kCmdPrintZoom = 103;     // "Print &Zoom..."
constexpr int kCmdPrint = 104;         // "&Print..."
constexpr int kCmdExit = 105;          // "&Exit"
constexpr int kCmdCopy = 106;          // "&Copy"
constexpr int kCmdDataInput = 107;     // "&Data Input..."
constexpr int kCmdDataRead = 108;      // "Data &Read..."
constexpr int kCmdPreviousPage = 109;  // "&Previous Page"
constexpr int kCmdNextPage = 110;      // "&Next Page"
constexpr int kCmdAnalysis = 111;      // "&Analysis..."
constexpr int kCmdAbout = 112;         // "&About..."
constexpr int kCmdHowToUse = 113;      // "How to &Use..."
constexpr int kCmdDataSave = 114;      // "Data &Save..."

// Icon-bar buttons: each sends its id to the main window, which hides the tooltip and runs
// the menu command of the same row (kButtonFirst + i for the i-th button from the left).
constexpr int kButtonSaveAs = 139;
constexpr int kButtonPrint = 140;
constexpr int kButtonCopy = 141;
constexpr int kButtonDataInput = 142;
constexpr int kButtonDataRead = 143;
constexpr int kButtonPreviousPage = 144;
constexpr int kButtonNextPage = 145;
constexpr int kButtonAnalysis = 146;
constexpr int kButtonAbout = 147;
constexpr int kButtonHowToUse = 148;
constexpr int kButtonExit = 149;
constexpr int kButtonFirst = kButtonSaveAs;
constexpr int kButtonCount = 11;

// Controls of the analysis conditions dialog ("ANALYSIS_DLG" / "ANALYSIS_DLG_J").
constexpr int kDlgIntervalEdit = 131;
constexpr int kDlgConfidenceEdit = 132;
constexpr int kDlgBasisSample = 133;
constexpr int kDlgBasisUnbiased = 134;
constexpr int kDlgMarkersDisplay = 135;
constexpr int kDlgMarkersHide = 136;
constexpr int kDlgModeStandard = 137;
constexpr int kDlgModeChoice = 138;
constexpr int kDlgOk = 1;      // IDOK
constexpr int kDlgCancel = 2;  // IDCANCEL
// The icon resource shown in the dialog.
constexpr int kDlgIconResource = 130;

// The icon-bar button that sends command id `buttonId` has the control id 21 lower (118 for
// Save As ... 128 for Exit; 117 and 129 are the "Gap" and "Space" elements).
constexpr int ButtonControlId(int buttonId) { return buttonId - 21; }

// The Print Zoom dialog's edit box and scroll bar.
constexpr int kDlgZoomEdit = 116;
constexpr int kDlgZoomScroll = 115;
