// Command keys: translation and names.
#include "frame/program_tables.h"

#include <cstdio>

namespace {

// Page Up, Page Down, End, Home, the arrows, Insert, Delete: the keypad sends them as well.
bool IsNavigationKey(unsigned virtualKey) {
  return (virtualKey >= 0x21 && virtualKey <= 0x28) || virtualKey == 0x2D || virtualKey == 0x2E;
}

std::string KeyName(unsigned key) {
  if (key == kKeyPageUp) return "Page Up";
  if (key == kKeyPageDown) return "Page Down";
  char name[8];
  if (key >= kKeyF1 && key <= kKeyF12) {
    std::snprintf(name, sizeof name, "F%u", key - kKeyF1 + 1);
  } else {
    std::snprintf(name, sizeof name, "%c", static_cast<char>(key));
  }
  return name;
}

}  // namespace

int CommandForKey(const CommandKey* keys, int count, unsigned virtualKey, bool extended, unsigned modifiers) {
  if ((modifiers & kModAlt) != 0) return 0;
  if (IsNavigationKey(virtualKey) && !extended) return 0;
  for (int i = 0; i < count; ++i) {
    if (keys[i].key == virtualKey && keys[i].modifiers == modifiers) return keys[i].command;
  }
  return 0;
}

const CommandKey* KeyOfCommand(const CommandKey* keys, int count, int command) {
  for (int i = 0; command != 0 && i < count; ++i) {
    if (keys[i].command == command) return &keys[i];
  }
  return nullptr;
}

std::string KeyText(const CommandKey& key) {
  std::string text;
  if (key.modifiers & kModCtrl) text += "Ctrl+";
  if (key.modifiers & kModAlt) text += "Alt+";
  if (key.modifiers & kModShift) text += "Shift+";
  return text + KeyName(key.key);
}

std::string LabelWithKey(const char* label, const CommandKey* key) {
  return key ? std::string(label) + " (" + KeyText(*key) + ")" : std::string(label);
}
