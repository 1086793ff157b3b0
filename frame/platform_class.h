// What the language and the Windows-version class decide: the mapping from the registry
// texts to a class, and the tables the class selects (bitmap variant, start pictures,
// colours, tooltip fonts). Pure functions, shared by every program.
#pragma once

#include <string>

constexpr unsigned kJapaneseCodePage = 932;

// 1 for the Japanese interface (ANSI code page 932), 0 for every other code page.
int LanguageFromCodePage(unsigned codePage);

// Version class from the NT "CurrentVersion" text. The full variant (the analysing programs)
// knows classes 3 to 7, the short variant (the calculators) 3 to 5.
int VersionClassFromNtVersion(const char* currentVersion, int fullVariant);
// Version class from the "ProductName" text when no NT version could be read: 2, 1 or 0.
int VersionClassFromProductName(const char* productName);

// The suffix of the icon-bar bitmaps: "9", "8", "X" or "".
const char* BitmapSuffix(int versionClass);
// Bitmap name: stem + suffix + state ("Up", "Dn" or "In"), e.g. "SaveAsXDn".
std::string BitmapName(const char* stem, int versionClass, const char* state);
// Start picture of the calculators: "IBMP_98E", "IBMP_MEJ", ...
std::string StartPictureName(int versionClass, int japanese);

struct Rgb {
  unsigned char red, green, blue;
};
// Window background and icon-bar line colour of the calculators.
Rgb CalculatorFrameColour(int versionClass);

struct TooltipFont {
  const char* face;
  int height;
  int charset;
  int textOffsetX;
  int textOffsetY;
  int extraWidth;
};
TooltipFont TooltipFontFor(int japanese, int versionClass);
