// Key roles of the data grid from virtual-key codes.
#include "korvan95/grid_keys.h"

namespace {

GridKey Typing(char character, bool keypad) {
  return {GridKeyClass::kCharacter, character, keypad};
}

// The digit a keypad key types when Num Lock is off, or 0 when the code is no such key.
char NumLockOffDigit(unsigned virtualKey) {
  switch (virtualKey) {
    case kVkInsert: return '0';
    case kVkEnd: return '1';
    case kVkDown: return '2';
    case kVkNext: return '3';
    case kVkLeft: return '4';
    case kVkClear: return '5';
    case kVkRight: return '6';
    case kVkHome: return '7';
    case kVkUp: return '8';
    case kVkPrior: return '9';
    default: return 0;
  }
}

}  // namespace

GridKey IdentifyGridKey(unsigned virtualKey, bool extended) {
  if (virtualKey >= kVk0 && virtualKey <= kVk9)
    return Typing(static_cast<char>('0' + (virtualKey - kVk0)), false);
  if (virtualKey >= kVkNumpad0 && virtualKey <= kVkNumpad9)
    return Typing(static_cast<char>('0' + (virtualKey - kVkNumpad0)), true);
  switch (virtualKey) {
    case kVkOemPeriod: return Typing('.', false);
    case kVkOemMinus: return Typing('-', false);
    case kVkDecimal: return Typing('.', true);
    case kVkSubtract: return Typing('-', true);
    case kVkAdd:
    case kVkMultiply:
    case kVkDivide:
    case kVkSeparator:
    case kVkNumLock: return {GridKeyClass::kKeypadOther, 0, true};
    case kVkReturn: return {GridKeyClass::kEnter, 0, extended};
    case kVkBack: return {GridKeyClass::kBackspace, 0, false};
    case kVkShift:
    case kVkControl:
    case kVkLShift:
    case kVkRShift:
    case kVkLControl:
    case kVkRControl: return {GridKeyClass::kModifier, 0, false};
    default: break;
  }
  if (extended) {
    // The dedicated block beside the main keyboard.
    if (virtualKey == kVkUp) return {GridKeyClass::kUp, 0, false};
    if (virtualKey == kVkDown) return {GridKeyClass::kDown, 0, false};
    if (virtualKey == kVkDelete) return {GridKeyClass::kDelete, 0, false};
    return {};
  }
  // Without the extended bit the navigation codes come from the keypad.
  if (virtualKey == kVkDelete) return Typing('.', true);
  if (const char digit = NumLockOffDigit(virtualKey)) return Typing(digit, true);
  return {};
}
