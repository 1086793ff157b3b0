// The window pieces the two calculators share: the fixed centred window, the single-copy
// check, the background in the version colour, the two pictures, the sample-size combobox
// with its owner-drawn items, the edit boxes and their font, and the end steps. What they
// hold lives in the calculator's window state, which starts with a `CalculatorWindow`.
#pragma once

#include <windows.h>

#include "frame/frame.h"

struct CalculatorWindow {
  static constexpr int kMaxEdits = 3;
  int comboId = 0;  // the sample-size combobox, drawn by the window
  HDC mainDc = nullptr;
  HBRUSH frameBrush = nullptr;
  HGDIOBJ mainOldBrush = nullptr;
  HDC pictureDc[2] = {nullptr, nullptr};
  HBITMAP pictureBitmap[2] = {nullptr, nullptr};
  HGDIOBJ pictureOld[2] = {nullptr, nullptr};
  int pictureHeight2 = 0;
  HFONT controlFont = nullptr;
  HWND editWindow[kMaxEdits] = {};
  HDC editDc[kMaxEdits] = {};
  HGDIOBJ editOldFont[kMaxEdits] = {};
  int editCount = 0;
  HWND lastFocus = nullptr;  // the field that had the keyboard focus when the window was left
};

// The calculator state of a main window (the program state handed to RunMainWindow must be
// a CalculatorWindow, or start with one as a base).
CalculatorWindow& CalculatorOf(HWND mainWindow);

// The centred window 336 pixels wide and caption + clientHeight high.
RECT CalculatorPlace(int screenWidth, int screenHeight, int clientHeight);
constexpr DWORD kCalculatorStyle = WS_SYSMENU | WS_MINIMIZEBOX;

// Paint, owner-drawn combobox items, the keyboard focus given back to the field that had it
// when the window is active again (as in a dialog), and the end of the window; true when
// handled.
bool HandleCalculatorMessage(HWND mainWindow, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Whether a top-level window with either title already exists.
int CalculatorAlreadyRunning(const char* englishTitle, const wchar_t* japaneseTitle);

// The version colour as window background; a DC of the main window keeps the brush selected.
void PrepareCalculatorBackground(HWND mainWindow);
// Loads picture 1 ("IBMP_1E"/"IBMP_1J") and the version picture, shows the window and draws
// both; the memory DCs stay for painting.
void LoadCalculatorPictures(HWND mainWindow, int picture2Height);

// The name of the sample-size list, as the label picture shows it.
constexpr Text kSampleSizeLabel = {"Sample size n", "標本数 n"};

// The sample-size combobox (items "2" to "10000", item 0 selected) and an edit box, each a
// tab stop named by a label window just before it: the text its label picture shows, for
// screen readers, drawn by the picture alone.
HWND CreateSampleSizeBox(HWND mainWindow, int controlId);
HWND CreateCalculatorEdit(HWND mainWindow, int controlId, int y, const Text& label);
// Selects the control font into a DC of the edit box (kept until the end) and sets it.
void SetCalculatorFont(HWND mainWindow, HWND edit);
// The result boxes show text but take no input.
void MakeResultBox(HWND edit);

// Selected sample size n (combobox index + 2) and the other way round.
int SelectedSampleSize(HWND combo);
void SelectSampleSize(HWND combo, int n);

// Empties an edit box if it holds text.
void ClearEditText(HWND edit);

// Releases the pictures, fonts, DCs and the brush, and ends the message loop.
void EndCalculator(HWND mainWindow);
