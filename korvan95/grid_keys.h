// Which key of the data grid a key message stands for. Pure: no windows.h.
//
// The grid decides by the key's role (a digit, the point, Enter, an arrow ...), which is
// read from the virtual-key code and the extended-key bit (bit 24 of the key data of
// WM_KEYDOWN/WM_KEYUP). Key name texts are not used: they differ between systems (Windows
// says "Enter", "Num Enter", "Backspace", "Ctrl", "Num 1"; Wine says "Return", "KP_Enter",
// "BackSpace", "Control", "KP_End").
#pragma once

// Virtual-key codes (the values of the Win32 headers).
constexpr unsigned kVkBack = 0x08;
constexpr unsigned kVkClear = 0x0C;  // keypad 5 with Num Lock off
constexpr unsigned kVkReturn = 0x0D;
constexpr unsigned kVkShift = 0x10;
constexpr unsigned kVkControl = 0x11;
constexpr unsigned kVkPrior = 0x21;  // Page Up; keypad 9 without the extended bit
constexpr unsigned kVkNext = 0x22;   // Page Down; keypad 3
constexpr unsigned kVkEnd = 0x23;    // keypad 1
constexpr unsigned kVkHome = 0x24;   // keypad 7
constexpr unsigned kVkLeft = 0x25;   // keypad 4
constexpr unsigned kVkUp = 0x26;     // keypad 8
constexpr unsigned kVkRight = 0x27;  // keypad 6
constexpr unsigned kVkDown = 0x28;   // keypad 2
constexpr unsigned kVkInsert = 0x2D; // keypad 0
constexpr unsigned kVkDelete = 0x2E; // keypad decimal point ("Num Del")
constexpr unsigned kVk0 = 0x30;      // '0' ... '9' are 0x30 ... 0x39
constexpr unsigned kVk9 = 0x39;
constexpr unsigned kVkNumpad0 = 0x60;  // VK_NUMPAD0 ... VK_NUMPAD9 are 0x60 ... 0x69
constexpr unsigned kVkNumpad9 = 0x69;
constexpr unsigned kVkMultiply = 0x6A;
constexpr unsigned kVkAdd = 0x6B;
constexpr unsigned kVkSeparator = 0x6C;
constexpr unsigned kVkSubtract = 0x6D;
constexpr unsigned kVkDecimal = 0x6E;
constexpr unsigned kVkDivide = 0x6F;  // keypad "/" (sent with the extended bit)
constexpr unsigned kVkNumLock = 0x90;
constexpr unsigned kVkLShift = 0xA0;
constexpr unsigned kVkRShift = 0xA1;
constexpr unsigned kVkLControl = 0xA2;
constexpr unsigned kVkRControl = 0xA3;
constexpr unsigned kVkOemMinus = 0xBD;
constexpr unsigned kVkOemPeriod = 0xBE;

// The extended-key bit of the key data (lParam) of WM_KEYDOWN and WM_KEYUP.
constexpr unsigned long long kKeyDataExtended = 1ull << 24;

// The roles a key can have in the grid.
enum class GridKeyClass {
  kOther,         // a key without a role in the grid (letters, F keys, Tab, Left ...)
  kCharacter,     // types `character`: a digit, "." or "-", from the main keyboard or keypad
  kKeypadOther,   // a keypad key that types nothing: "+", "*", "/", Num Lock
  kEnter,         // Enter or keypad Enter
  kUp,            // the dedicated Up arrow
  kDown,          // the dedicated Down arrow
  kDelete,        // the dedicated Delete key
  kBackspace,
  kModifier,      // Shift or Ctrl, left or right
};

struct GridKey {
  GridKeyClass keyClass = GridKeyClass::kOther;
  char character = 0;   // '0'...'9', '.' or '-' for kCharacter, else 0
  bool keypad = false;  // the key lies on the numeric keypad
};

// The grid role of the key with this virtual-key code and extended-key bit:
//  - main-keyboard digits '0'...'9', VK_OEM_PERIOD (".") and VK_OEM_MINUS ("-") type;
//  - the keypad types the same with Num Lock on (VK_NUMPAD0...9, VK_DECIMAL as ".",
//    VK_SUBTRACT as "-") and with Num Lock off, where its keys arrive as the navigation
//    codes without the extended bit: Insert 0, End 1, Down 2, Page Down 3, Left 4, Clear 5,
//    Right 6, Home 7, Up 8, Page Up 9, Delete "." (Windows names these keys "Num 0" ...
//    "Num 9" and "Num Del" whatever the Num Lock state);
//  - the other keypad keys (+, *, /, separator, Num Lock) type nothing;
//  - VK_RETURN is Enter, with or without the extended bit (keypad Enter);
//  - VK_UP, VK_DOWN and VK_DELETE with the extended bit are the dedicated keys;
//  - VK_SHIFT, VK_CONTROL and their left/right codes are the modifiers.
// The Left and Right arrows, Home, End, Page Up/Down and Insert of the dedicated block
// (extended bit set) have no role.
GridKey IdentifyGridKey(unsigned virtualKey, bool extended);

// The same from the key data (lParam) of the message.
inline GridKey IdentifyGridKeyFromData(unsigned virtualKey, unsigned long long keyData) {
  return IdentifyGridKey(virtualKey, (keyData & kKeyDataExtended) != 0);
}
