// korvan95's first steps, shared by its program tests.
#pragma once

#include <string>

#include "korvan95/ids.h"
#include "tests/win/driver.h"

constexpr int K95(int button) { return ButtonControlId(button); }

// The grid after Data Input, with keys typed (see TypeKeys).
inline void Grid(HWND window, const std::string& keys) {
  PostCommand(window, kCmdDataInput);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(IconBarButton(window, K95(kButtonAnalysis))); }))
      << "no grid after Data Input";
  TypeKeys(window, keys);
}

// The results page of 1 to 5.
inline void Results(HWND window) {
  Grid(window, "1\r2\r3\r4\r5\r");
  PostCommand(window, kCmdAnalysis);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HWND dialog = WaitForDialog(processId);
  ASSERT_NE(dialog, nullptr);
  PressDialogButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(IconBarButton(window, K95(kButtonSaveAs))); }))
      << "no results page";
}
