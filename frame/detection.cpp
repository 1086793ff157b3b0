#include <cstring>

#include "frame/frame.h"
#include "frame/platform_class.h"

int DetectLanguage() { return LanguageFromCodePage(GetACP()); }

namespace {

// Reads a text value of a key under HKEY_LOCAL_MACHINE. 0: the key did not open;
// 1: it opened (value holds the text, empty when the value could not be read);
// 2: it opened and the value was read.
int ReadMachineText(const char* key, const char* name, char (&value)[258]) {
  HKEY handle;
  std::memset(value, 0, sizeof value);
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return 0;
  DWORD size = 256;
  LONG status = RegQueryValueExA(handle, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) {
    std::memset(value, 0, sizeof value);
    return 1;
  }
  value[256] = '\0';
  return 2;
}

}  // namespace

int DetectWindowsVersion(int fullVersionVariant) {
  char value[258];
  if (ReadMachineText("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", value) == 2) {
    return VersionClassFromNtVersion(value, fullVersionVariant);
  }
  if (ReadMachineText("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProductName", value) == 0) return 0;
  return VersionClassFromProductName(value);
}

int ShowMessage(HWND owner, int japanese, const Text& text, const Text& caption, UINT style) {
  return MessageBoxA(owner, TextFor(text, japanese), TextFor(caption, japanese), style);
}

int ShowMessageRow(HWND owner, int japanese, const MessageEntry& entry, UINT extraStyle) {
  const MessageBoxText box = MessageFromTable(&entry, 1, 0, 0, japanese);
  return MessageBoxA(owner, box.text, box.caption, MB_OK | box.icon | extraStyle);
}
