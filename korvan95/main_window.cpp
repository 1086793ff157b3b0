// Placement, sizing and enabling rules of korvan95's main window.
#include "korvan95/main_window.h"

#include "korvan95/ids.h"

#include <algorithm>
#include <cstdlib>

const std::array<CommandRow, 14> kCommandTable = {{
    {kCmdSaveAs, kButtonSaveAs, EnabledWhen::kResultsPage},
    {kCmdPrinterSetup, 0, EnabledWhen::kAlways},
    {kCmdPrintZoom, 0, EnabledWhen::kAlways},
    {kCmdPrint, kButtonPrint, EnabledWhen::kResultsPage},
    {kCmdExit, kButtonExit, EnabledWhen::kAlways},
    {kCmdCopy, kButtonCopy, EnabledWhen::kResultsPage},
    {kCmdDataInput, kButtonDataInput, EnabledWhen::kAlways},
    {kCmdDataRead, kButtonDataRead, EnabledWhen::kDataMode},
    {kCmdPreviousPage, kButtonPreviousPage, EnabledWhen::kGridPage},
    {kCmdNextPage, kButtonNextPage, EnabledWhen::kGridPage},
    {kCmdAnalysis, kButtonAnalysis, EnabledWhen::kDataMode},
    {kCmdAbout, kButtonAbout, EnabledWhen::kAlways},
    {kCmdHowToUse, kButtonHowToUse, EnabledWhen::kAlways},
    {kCmdDataSave, 0, EnabledWhen::kDataMode},
}};

WorkAreaMargins MarginsFromDesktopIcons(const ScreenRect& r, int screenWidth, int screenHeight) {
  WorkAreaMargins m;
  if (r.left == 0 && r.top == 0) {
    if (r.right < screenWidth) m = {0, screenWidth - r.right, 0, 0};
    if (r.bottom < screenHeight) m = {0, 0, 0, screenHeight - r.bottom};
  } else if (r.left == 0) {
    m.top = std::abs(r.top);
  } else if (r.top == 0) {
    m.left = std::abs(r.left);
  }
  return m;
}

WorkAreaMargins MarginsFromWorkArea(const ScreenRect& r, int screenWidth, int screenHeight) {
  WorkAreaMargins m;
  m.left = std::max(0, r.left);
  m.top = std::max(0, r.top);
  m.right = std::max(0, screenWidth - r.right);
  m.bottom = std::max(0, screenHeight - r.bottom);
  return m;
}

WindowPlacement PlaceMainWindow(int screenWidth, int screenHeight, const WorkAreaMargins& m) {
  const int freeWidth = screenWidth - m.right - m.left;
  const int freeHeight = screenHeight - m.top - m.bottom;
  WindowPlacement p;
  p.width = freeWidth * 9 / 10;
  p.height = freeHeight * 9 / 10;
  p.x = (freeWidth - p.width) / 2 + m.left;
  p.y = (freeHeight - p.height) / 2 + m.top;
  return p;
}

MinimumSizeFix EnforceMinimumSize(int windowWidth, int windowHeight, int frameExtraWidth,
                                  int frameExtraHeight, bool minimized) {
  const int minimumWidth = frameExtraWidth + kMinimumClientWidth;
  const int minimumHeight = frameExtraHeight + kMinimumClientHeight;
  if (minimized || (windowWidth >= minimumWidth && windowHeight >= minimumHeight))
    return {false, windowWidth, windowHeight};
  return {true, std::max(windowWidth, minimumWidth), std::max(windowHeight, minimumHeight)};
}

CommandView ViewOf(const PageState& page, const GridState& grid) {
  return {page.pageShown, grid.gridActive, page.dataModeEntered, grid.currentPage, grid.lastPage};
}

int CommandForButton(int buttonId) {
  for (const CommandRow& row : kCommandTable)
    if (buttonId != 0 && row.buttonId == buttonId) return row.menuId;
  return 0;
}

bool MenuItemEnabled(int menuId, const CommandView& view) {
  const bool pageShown = view.pageShown == PageShown::kPage;
  for (const CommandRow& row : kCommandTable) {
    if (row.menuId != menuId) continue;
    switch (row.enabledWhen) {
      case EnabledWhen::kAlways: return true;
      case EnabledWhen::kDataMode: return pageShown && view.dataModeEntered;
      case EnabledWhen::kGridPage: return pageShown && view.gridActive;
      case EnabledWhen::kResultsPage: return pageShown && !view.gridActive;
    }
  }
  return true;
}

std::array<ButtonChange, 11> ButtonChangesOnPaint(const CommandView& view) {
  std::array<ButtonChange, 11> changes;
  changes.fill(ButtonChange::kUnchanged);
  if (view.pageShown != PageShown::kPage) return changes;
  auto set = [&](int button, bool enabled) {
    changes[static_cast<std::size_t>(button - kButtonFirst)] =
        enabled ? ButtonChange::kEnable : ButtonChange::kDisable;
  };
  if (view.dataModeEntered) {
    set(kButtonDataRead, true);
    set(kButtonAnalysis, true);
  }
  const bool results = !view.gridActive;
  set(kButtonSaveAs, results);
  set(kButtonPrint, results);
  set(kButtonCopy, results);
  set(kButtonPreviousPage, !results && view.currentPage != 1);
  set(kButtonNextPage, !results && view.currentPage != view.lastPage);
  return changes;
}

ResizeRebuild RebuildOnResize(const CommandView& view) {
  if (view.pageShown != PageShown::kPage) return ResizeRebuild::kNothing;
  return view.gridActive ? ResizeRebuild::kGridPage : ResizeRebuild::kResultsPage;
}
