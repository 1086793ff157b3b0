#include "frame/platform_class.h"

#include <cstring>

namespace {

bool Contains(const char* text, const char* part) {
  return text != nullptr && std::strstr(text, part) != nullptr;
}

}  // namespace

int LanguageFromCodePage(unsigned codePage) {
  return codePage == kJapaneseCodePage ? 1 : 0;
}

int VersionClassFromNtVersion(const char* currentVersion, int fullVariant) {
  if (Contains(currentVersion, "4.0")) return 3;
  if (Contains(currentVersion, "5.0")) return 4;
  if (!fullVariant) return 5;
  if (Contains(currentVersion, "5.1") || Contains(currentVersion, "5.2")) return 5;
  if (Contains(currentVersion, "6.0") || Contains(currentVersion, "6.1")) return 6;
  return 7;
}

int VersionClassFromProductName(const char* productName) {
  if (Contains(productName, "Windows ME")) return 2;
  if (Contains(productName, "Windows 98")) return 1;
  return 0;
}

const char* BitmapSuffix(int versionClass) {
  switch (versionClass) {
    case 2: return "9";
    case 4: return "8";
    case 5: return "X";
    default: return "";
  }
}

std::string BitmapName(const char* stem, int versionClass, const char* state) {
  return std::string(stem) + BitmapSuffix(versionClass) + state;
}

std::string StartPictureName(int versionClass, int japanese) {
  const char* base;
  switch (versionClass) {
    case 2: base = "IBMP_ME"; break;
    case 4: base = "IBMP_2K"; break;
    case 5: base = "IBMP_XP"; break;
    default: base = "IBMP_98"; break;
  }
  return std::string(base) + (japanese ? "J" : "E");
}

Rgb CalculatorFrameColour(int versionClass) {
  switch (versionClass) {
    case 2: return {216, 208, 200};
    case 4: return {214, 210, 206};
    case 5: return {236, 233, 216};
    default: return {192, 192, 192};
  }
}

TooltipFont TooltipFontFor(int japanese, int versionClass) {
  constexpr int kShiftJisCharset = 128;
  constexpr int kOemCharset = 255;
  if (japanese) return {"ＭＳゴシック", 12, kShiftJisCharset, 0, 0, 1};
  if (versionClass <= 2) return {"Helv", 12, kOemCharset, 0, -1, 2};
  return {"Helv", 14, kOemCharset, 1, -1, 2};
}
