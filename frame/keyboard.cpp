// The keyboard side of the main window: command keys, Tab between the fields, and the keys
// shown in the menu. Which key runs which command is decided by CommandForKey
// (frame/program_tables.h); this reads the key state and dispatches.
#include <string>

#include "frame/frame.h"

namespace {

unsigned ModifiersHeld() {
  unsigned modifiers = 0;
  if (GetKeyState(VK_SHIFT) & 0x8000) modifiers |= kModShift;
  if (GetKeyState(VK_CONTROL) & 0x8000) modifiers |= kModCtrl;
  if (GetKeyState(VK_MENU) & 0x8000) modifiers |= kModAlt;
  return modifiers;
}

bool RunCommandKey(HWND mainWindow, const MSG& message) {
  const ProgramDefinition& program = *FrameOf(mainWindow).program;
  const int command = CommandForKey(program.keys, program.keyCount, static_cast<unsigned>(message.wParam),
                                    (message.lParam & (1 << 24)) != 0, ModifiersHeld());
  if (command == 0) return false;
  // The same WM_COMMAND as from a menu item or a button (notification 1, as an accelerator
  // sends it), so the dispatch treats it alike.
  if (CommandEnabled(mainWindow, command)) {
    HideTooltip(mainWindow);
    SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(command, 1), 0);
  }
  return true;
}

// As in a dialog: the next (Shift: previous) enabled, visible tab stop takes the focus, and the
// text of an edit box is selected.
bool MoveFocusOnTab(HWND mainWindow, const MSG& message) {
  if (!FrameOf(mainWindow).program->tabBetweenFields || message.wParam != VK_TAB) return false;
  const unsigned modifiers = ModifiersHeld();
  if ((modifiers & ~kModShift) != 0) return false;
  HWND focus = GetFocus();
  if (focus && !IsChild(mainWindow, focus)) focus = nullptr;
  while (focus && GetParent(focus) != mainWindow) focus = GetParent(focus);  // a control inside a control
  HWND next = GetNextDlgTabItem(mainWindow, focus, (modifiers & kModShift) != 0);
  if (next == nullptr || (GetWindowLongPtrA(next, GWL_STYLE) & WS_TABSTOP) == 0) return true;
  SetFocus(next);
  if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(next, EM_SETSEL, 0, -1);
  return true;
}

}  // namespace

bool TakeKeyboardMessage(HWND mainWindow, const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.hwnd != mainWindow && !IsChild(mainWindow, message.hwnd)) return false;
  return RunCommandKey(mainWindow, message) || MoveFocusOnTab(mainWindow, message);
}

bool CommandEnabled(HWND mainWindow, int id) {
  const ProgramDefinition& program = *FrameOf(mainWindow).program;
  for (int i = 0; id != 0 && i < program.commandCount; ++i) {
    const Command& row = program.commands[i];
    if (id == row.menuId) return row.menuEnabled == nullptr || row.menuEnabled(mainWindow);
    if (id == row.barId) return row.buttonEnabled == nullptr || row.buttonEnabled(mainWindow);
  }
  return false;
}

const CommandKey* KeyOfCommandRow(const ProgramDefinition& program, const Command& row) {
  const CommandKey* key = KeyOfCommand(program.keys, program.keyCount, row.menuId);
  return key ? key : KeyOfCommand(program.keys, program.keyCount, row.barId);
}

void ShowKeysInMenu(HWND mainWindow) {
  const ProgramDefinition& program = *FrameOf(mainWindow).program;
  HMENU menu = GetMenu(mainWindow);
  for (int i = 0; menu && i < program.commandCount; ++i) {
    const Command& row = program.commands[i];
    const CommandKey* key = KeyOfCommandRow(program, row);
    char text[258] = {};
    if (row.menuId == 0 || key == nullptr ||
        GetMenuStringA(menu, static_cast<UINT>(row.menuId), text, sizeof text, MF_BYCOMMAND) <= 0) {
      continue;
    }
    std::string shown = std::string(text) + "\t" + KeyText(*key);
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = shown.data();
    SetMenuItemInfoA(menu, static_cast<UINT>(row.menuId), FALSE, &item);
  }
}
