#include <cstring>

#include "frame/frame.h"
#include "frame/platform_class.h"

int useJapanese = 0;
int windowsVersionClass = 0;
int platformDetected = 0;

void DetectLanguage() {
  useJapanese = LanguageFromCodePage(GetACP());
}

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

void DetectWindowsVersion() {
  char value[258];
  if (ReadMachineText("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", value) == 2) {
    windowsVersionClass = VersionClassFromNtVersion(value, frameProgram.fullVersionVariant);
    return;
  }
  if (ReadMachineText("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProductName", value) == 0) return;
  windowsVersionClass = VersionClassFromProductName(value);
}

int ShowMessage(HWND owner, const Text& text, const Text& caption, UINT style) {
  return MessageBoxA(owner, TextFor(text, useJapanese), TextFor(caption, useJapanese), style);
}
