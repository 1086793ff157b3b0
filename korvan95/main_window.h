// The pure decisions of korvan95's main window: where it is placed, how small it may get,
// which commands exist and when each is enabled, and which icon-bar buttons a painted page
// enables. Pure: the window procedure asks these and carries out the answers.
#pragma once

#include "frame/program_tables.h"
#include "korvan95/grid.h"
#include "korvan95/ids.h"

#include <array>

// A screen rectangle (right and bottom outside, as RECT).
struct ScreenRect {
  int left, top, right, bottom;
};

// Pixels between the screen edges and the area left free by the taskbar.
struct WorkAreaMargins {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// From the window rectangle of the desktop's icon window (the first grandchild of the
// "Progman" window), which covers the area the taskbar leaves free:
//  - at (0, 0): a right margin when it ends left of the screen's right edge; else a bottom
//    margin when it ends above the bottom edge (a taskbar on one side only);
//  - at (0, top): a top margin |top|; at (left, 0): a left margin |left|;
//  - any other rectangle gives no margins.
WorkAreaMargins MarginsFromDesktopIcons(const ScreenRect& iconWindow, int screenWidth, int screenHeight);
// From the system work area (SystemParametersInfo SPI_GETWORKAREA), for desktops without a
// "Progman" window (Wine's, for one): each margin is the distance from the screen edge,
// never negative.
WorkAreaMargins MarginsFromWorkArea(const ScreenRect& workArea, int screenWidth, int screenHeight);

// The first placement: 9/10 of the free area in each direction, centred in it (integer
// arithmetic, truncated).
struct WindowPlacement {
  int x, y, width, height;
};
WindowPlacement PlaceMainWindow(int screenWidth, int screenHeight, const WorkAreaMargins& margins);

// The smallest client area, 492 x 390 pixels.
constexpr int kMinimumClientWidth = 492;
constexpr int kMinimumClientHeight = 390;
// The size a resized window must get: at least the minimum client area plus the frame
// (window size minus client size, measured after the first placement) in each direction.
// A minimized window is left alone. `resize` is false when the size may stay.
struct MinimumSizeFix {
  bool resize;
  int width, height;
};
MinimumSizeFix EnforceMinimumSize(int windowWidth, int windowHeight, int frameExtraWidth,
                                  int frameExtraHeight, bool minimized);

// What the enabling rules look at.
struct CommandView {
  PageShown pageShown;
  bool gridActive;
  bool dataModeEntered;
  int currentPage;
  int lastPage;
};
CommandView ViewOf(const PageState& page, const GridState& grid);

// When a menu item is enabled.
enum class EnabledWhen {
  kAlways,
  kDataMode,     // a page is shown and Data Input or Data Read was used
  kGridPage,     // the grid page is shown
  kResultsPage,  // the results page is shown
};

// One row per command: menu id, icon-bar id (0: none), the menu item's enabling rule.
struct CommandRow {
  int menuId;
  int buttonId;
  EnabledWhen enabledWhen;
};
extern const std::array<CommandRow, 14> kCommandTable;

// The keys of the menu commands; the icon-bar buttons show the key of their menu command.
inline constexpr CommandKey kCommandKeys[] = {
    {kKeyF1, 0, kCmdHowToUse},
    {kKeyF1, kModShift, kCmdAbout},
    {kKeyF5, 0, kCmdAnalysis},
    {'N', kModCtrl, kCmdDataInput},
    {'O', kModCtrl, kCmdDataRead},
    {'S', kModCtrl, kCmdDataSave},
    {'S', kModCtrl | kModShift, kCmdSaveAs},
    {'P', kModCtrl, kCmdPrint},
    {'C', kModCtrl, kCmdCopy},
    {kKeyPageUp, kModCtrl, kCmdPreviousPage},
    {kKeyPageDown, kModCtrl, kCmdNextPage},
    {kKeyF4, kModAlt, kCmdExit},  // the system's, as in every window
};

// The icon bar: "Gap", the eleven buttons of the commands 139 to 149, "Space".
inline constexpr IconBarButton kIconBarButtons[] = {
    {0, 16, 117, "Gap", 0, {"", ""}, 1},
    {16, 32, 118, "SaveAs", kButtonSaveAs, {"Save As", "画面の保存"}, 1},
    {48, 32, 119, "Print", kButtonPrint, {"Print", "印刷"}, 1},
    {80, 32, 120, "Copy", kButtonCopy, {"Copy", "コピー"}, 1},
    {112, 32, 121, "DataW", kButtonDataInput, {"Data Input", "データ入力"}, 0},
    {144, 32, 122, "Read", kButtonDataRead, {"Data Read", "データ読込"}, 1},
    {176, 32, 123, "Prev", kButtonPreviousPage, {"Previous Page", "前ページ"}, 1},
    {208, 32, 124, "Next", kButtonNextPage, {"Next Page", "次ページ"}, 1},
    {240, 32, 125, "AnaW", kButtonAnalysis, {"Analysis", "データ解析"}, 1},
    {272, 32, 126, "About", kButtonAbout, {"About", "御案内"}, 0},
    {304, 32, 127, "Help", kButtonHowToUse, {"How to Use", "使い方"}, 0},
    {336, 32, 128, "Exit", kButtonExit, {"Exit", "終了"}, 0},
    {368, 0, 129, "Space", 0, {"", ""}, 1},
};

// The menu command an icon-bar id stands for, or 0 for an id without one.
int CommandForButton(int buttonId);
// The menu item `menuId` is enabled (EnableMenuCommands at WM_INITMENU); unknown ids are.
bool MenuItemEnabled(int menuId, const CommandView& view);

// What a page paint does to an icon-bar button.
enum class ButtonChange { kUnchanged, kEnable, kDisable };
// The button changes of a paint while a page is shown: Data Read and Analysis enabled once
// Data Input or Data Read was used; on the results page Save As, Print and Copy enabled,
// Previous and Next Page disabled; on the grid page Save As, Print and Copy disabled,
// Previous Page enabled except on page 1, Next Page enabled except on the last page.
// Before any page, and while the results page is rebuilt, nothing changes.
// Index i is the button kButtonFirst + i.
std::array<ButtonChange, 11> ButtonChangesOnPaint(const CommandView& view);

// What a resize rebuilds.
enum class ResizeRebuild { kNothing, kGridPage, kResultsPage };
ResizeRebuild RebuildOnResize(const CommandView& view);
