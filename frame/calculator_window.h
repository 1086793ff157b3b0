// The window pieces the two calculators share: start-up and message loop, the single-copy
// check, the background in the version colour, the two pictures, the sample-size combobox
// with its owner-drawn items, the edit boxes and their font, and the end steps.
#pragma once

#include <windows.h>

struct CalculatorWindowClass {
  const char* className;
  const char* windowName;
  int clientHeight;  // added to SM_CYCAPTION for the window height
  int comboId;       // the sample-size combobox, drawn by the window
  void (*create)(HWND window);           // the program's creation steps, after the detections
  void (*command)(HWND window, int id);  // WM_COMMAND, by the low word of wParam only
};

// Registers the class, creates the centred fixed-size window, adds the icon bar and runs the
// message loop. Returns the exit code.
int RunCalculator(HINSTANCE instance, int showCommand, const CalculatorWindowClass& windowClass);
// The main window procedure of both calculators.
LRESULT CALLBACK CalculatorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Whether a top-level window with either title already exists.
int CalculatorAlreadyRunning(const char* englishTitle, const wchar_t* japaneseTitle);

// The version colour as window background; a DC of the main window keeps the brush selected.
void PrepareCalculatorBackground(HWND mainWindow);
// Loads picture 1 ("IBMP_1E"/"IBMP_1J") and the version picture, shows the window and draws
// both; the memory DCs stay for painting.
void LoadCalculatorPictures(HWND mainWindow, int picture2Height);
void PaintCalculatorPictures(HWND mainWindow);

// The sample-size combobox (items "2" to "10000", item 0 selected) and an edit box.
HWND CreateSampleSizeBox(HWND mainWindow, int controlId);
HWND CreateCalculatorEdit(HWND mainWindow, int controlId, int y);
// Selects the control font into a DC of the edit box (kept until the end) and sets it.
void SetCalculatorFont(HWND edit);
// The result boxes show text but take no input.
void MakeResultBox(HWND edit);
void DrawSampleSizeItem(const DRAWITEMSTRUCT* item, int comboId);

// Selected sample size n (combobox index + 2) and the other way round.
int SelectedSampleSize(HWND combo);
void SelectSampleSize(HWND combo, int n);

// Empties an edit box if it holds text.
void ClearEditText(HWND edit);

// Releases the pictures, fonts, DCs and the brush, and ends the message loop.
void EndCalculator();
