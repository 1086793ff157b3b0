// The main-window runner: class, window, icon bar and message loop, and the dispatch of the
// program's command table.
#include "frame/frame.h"

namespace {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Counts a command as under way for as long as it runs.
class CommandRunning {
 public:
  explicit CommandRunning(FrameState& frame) : frame_(frame) { ++frame_.commandsRunning; }
  ~CommandRunning() { --frame_.commandsRunning; }
  CommandRunning(const CommandRunning&) = delete;
  CommandRunning& operator=(const CommandRunning&) = delete;

 private:
  FrameState& frame_;
};

// The table's command of an id, or null; fromBar tells whether it came from the icon bar.
const Command* FindCommand(const ProgramDefinition& program, int id, bool& fromBar) {
  for (int i = 0; i < program.commandCount; ++i) {
    const Command& command = program.commands[i];
    fromBar = command.barId != 0 && id == command.barId;
    if (fromBar || (command.menuId != 0 && id == command.menuId)) return &command;
  }
  return nullptr;
}

// One command at a time: while a command is under way (its dialog or box is open) or a box of
// the program disables the window, a command from the icon bar, a key, the menu or the system
// menu is ignored. Clicks that arrive faster than the program answers (both clicks of a
// double-click, queued behind the first) would otherwise open a second dialog inside the first,
// and closing the inner one would enable the window under the outer one.
void RunCommand(HWND window, int id, int notification) {
  FrameState& frame = FrameOf(window);
  const ProgramDefinition& program = *frame.program;
  bool fromBar = false;
  const Command* command = FindCommand(program, id, fromBar);
  if (command != nullptr && (frame.commandsRunning > 0 || !IsWindowEnabled(window))) return;
  CommandRunning running(frame);
  if (command == nullptr) {
    if (program.control) program.control(window, id, notification);
    return;
  }
  if (fromBar) HideTooltip(window);
  command->run(window);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    // The frame state comes with the creation data and stays with the window.
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcA(window, message, wParam, lParam);
  }
  auto* frame = reinterpret_cast<FrameState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (frame == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const ProgramDefinition& program = *frame->program;

  if (message == WM_CREATE) {
    frame->useJapanese = DetectLanguage();
    frame->windowsVersionClass = DetectWindowsVersion(program.fullVersionVariant);
    frame->platformDetected = 1;
    if (program.create) program.create(window);
    return 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  // A close request (End task, the end of the session) while a box or dialog of the program is
  // open, or a command is under way, would end the window under the code that waits for the
  // box. It waits instead: the box comes to the front, and the request may be made again
  // once the box is answered. The session is asked to wait too.
  if ((message == WM_CLOSE || message == WM_QUERYENDSESSION) &&
      (frame->commandsRunning > 0 || !IsWindowEnabled(window))) {
    HWND popup = GetLastActivePopup(window);
    if (popup && popup != window) SetForegroundWindow(popup);
    return message == WM_QUERYENDSESSION ? FALSE : 0;
  }
  LRESULT result = 0;
  if (program.handle && program.handle(window, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_SETCURSOR:
      result = DefWindowProcA(window, message, wParam, lParam);
      UpdateTooltip(window);
      return result;
    case WM_INITMENU:
      EnableMenuCommands(window);
      return 0;
    case WM_COMMAND:
      RunCommand(window, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_SYSCOMMAND:
      // An item the program added to the system menu runs as a command of its table.
      if (LOWORD(wParam) < 0xF000) {
        bool fromBar = false;
        if (FindCommand(program, LOWORD(wParam), fromBar) != nullptr && !fromBar) {
          RunCommand(window, LOWORD(wParam), 0);
          return 0;
        }
      }
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

FrameState& FrameOf(HWND mainWindow) {
  static const ProgramDefinition noProgram = {};
  static FrameState none;  // for a handle that is no main window: no buttons, no commands
  none.program = &noProgram;
  auto* frame = reinterpret_cast<FrameState*>(GetWindowLongPtrA(mainWindow, GWLP_USERDATA));
  return frame ? *frame : none;
}

int RunMainWindow(HINSTANCE instance, int showCommand, const ProgramDefinition& program, void* programState) {
  WNDCLASSA description = {};
  description.style = CS_VREDRAW | CS_HREDRAW;
  description.lpfnWndProc = MainWindowProc;
  description.hInstance = instance;
  description.hIcon = LoadIconA(instance, "ICON_1");
  description.hCursor = program.classArrowCursor ? LoadCursor(nullptr, IDC_ARROW) : nullptr;
  description.hbrBackground = program.whiteBackground
                                  ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                  : reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  description.lpszMenuName = program.classMenu;
  description.lpszClassName = program.className;
  if (!RegisterClassA(&description)) return 0;

  FrameState frame;
  frame.program = &program;
  frame.programState = programState;
  const RECT place = program.initialPlace(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  HMENU menu = program.classMenu ? LoadMenuA(instance, program.classMenu) : nullptr;
  HWND mainWindow = CreateWindowExA(WS_EX_LEFT, program.className, program.windowName, program.style, place.left,
                                    place.top, place.right - place.left, place.bottom - place.top, nullptr, menu,
                                    instance, &frame);
  if (!mainWindow) return 0;
  ShowWindow(mainWindow, showCommand);
  UpdateWindow(mainWindow);
  if (IsWindow(mainWindow)) {
    ShowKeysInMenu(mainWindow);
    CreateIconBar(instance, mainWindow);
  }

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (TakeKeyboardMessage(mainWindow, message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void EnableMenuCommands(HWND mainWindow) {
  const ProgramDefinition& program = *FrameOf(mainWindow).program;
  HMENU menu = GetMenu(mainWindow);
  if (menu == nullptr) return;
  for (int i = 0; i < program.commandCount; ++i) {
    const Command& command = program.commands[i];
    if (command.menuId == 0 || command.menuEnabled == nullptr) continue;
    EnableMenuItem(menu, static_cast<UINT>(command.menuId),
                   MF_BYCOMMAND | (command.menuEnabled(mainWindow) ? MF_ENABLED : MF_GRAYED));
  }
}

void EnableCommandButtons(HWND mainWindow) {
  const ProgramDefinition& program = *FrameOf(mainWindow).program;
  for (int i = 0; i < program.commandCount; ++i) {
    const Command& command = program.commands[i];
    if (command.barId == 0 || command.buttonEnabled == nullptr) continue;
    HWND button = IconBarCommandButton(mainWindow, command.barId);
    if (button == nullptr) continue;
    const BOOL enable = command.buttonEnabled(mainWindow) ? TRUE : FALSE;
    if ((IsWindowEnabled(button) != FALSE) != (enable != FALSE)) EnableWindow(button, enable);
  }
}
