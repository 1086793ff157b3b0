// The rows each program hands to the frame besides its command table: the elements of its
// icon bar and the keys of its commands, with the decisions made over them (which command a
// key runs, how a key is written, how wide a tooltip text can get). Pure: no windows.h.
#pragma once

#include <string>

#include "common/texts.h"

// One element of the icon bar: a command button, or a spacer ("Gap", "Space") without one.
struct IconBarButton {
  int x;
  int width;  // 0: to the right edge of the screen
  int controlId;
  const char* stem;
  int command;  // 0 for the "Gap" and "Space" elements
  Text label;
  int disabledAtStart;
};

// Modifier keys held with a key (bits).
constexpr unsigned kModShift = 1;
constexpr unsigned kModCtrl = 2;
constexpr unsigned kModAlt = 4;

// Virtual-key codes of the command keys (the values of the Win32 headers); letters are their
// upper-case characters ('N' is 0x4E).
constexpr unsigned kKeyPageUp = 0x21;    // VK_PRIOR
constexpr unsigned kKeyPageDown = 0x22;  // VK_NEXT
constexpr unsigned kKeyF1 = 0x70;        // F2 ... F12 follow
constexpr unsigned kKeyF4 = 0x73;
constexpr unsigned kKeyF5 = 0x74;
constexpr unsigned kKeyF6 = 0x75;
constexpr unsigned kKeyF7 = 0x76;
constexpr unsigned kKeyF12 = 0x7B;

// A key of a command: the key with exactly these modifiers runs `command` (the id the menu
// item or the icon-bar button sends).
struct CommandKey {
  unsigned key;
  unsigned modifiers;
  int command;
};

// The command of a key pressed with `modifiers` held, or 0:
//  - the modifiers must be those of the row, no more and no fewer;
//  - the keys of the navigation block (Page Up/Down, Home, End, the arrows, Insert, Delete)
//    count only from the dedicated block, whose key data carry the extended-key bit: with
//    Num Lock off the keypad sends the same codes without it, and keeps its digits;
//  - a row with Alt is a key of the system (Alt+F4 closes the window as it always did): it
//    names the command in the texts and is never translated here.
int CommandForKey(const CommandKey* keys, int count, unsigned virtualKey, bool extended, unsigned modifiers);

// The first row for `command` (0 has none), or null.
const CommandKey* KeyOfCommand(const CommandKey* keys, int count, int command);

// How the key is written in tooltips, menus and manuals: "F5", "Shift+F1", "Ctrl+N",
// "Ctrl+Shift+S", "Ctrl+Page Up", "Alt+F4" (the same in both languages).
std::string KeyText(const CommandKey& key);

// A button's tooltip: its label and, when its command has a key, the key in brackets,
// "Previous Page (Ctrl+Page Up)".
std::string LabelWithKey(const char* label, const CommandKey* key);
