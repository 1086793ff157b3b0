// bmpgen: turns the readable picture sources of the programs into 16-colour resources.
//
//   bmpgen -o <output directory> -rc <resource fragment> <source>...
//
// Every source is a text file of blocks (see frame/res/buttons.pix for the full grammar):
//   glyph <hex code point>  rows of '#' and '.' (16 rows, 8 or 16 wide)    end
//   symbol <name>           rows of colour letters, '.' transparent           end
//   define <name>           drawing commands                                  enddef
//   picture <name> <w> <h>  drawing commands                                  end
//   icon <name>             32 rows of 32 colour letters, '.' transparent     end
//   buttons <stem>...       the twelve icon-bar bitmaps of each stem (its symbol has its name)
//   blank <stem> <width>    the twelve plain icon-bar bitmaps of a filler element
// Drawing commands: fill <c>; rect <x> <y> <w> <h> <c>; frame <x> <y> <w> <h> <c>;
//   line <x0> <y0> <x1> <y1> <c>; bell <centre x> <base y> <sigma> <height> <c>; text <x> <y> <scale> <c> "<text>";
//   ctext <centre x> <y> <scale> <c> "<text>" (scale 1..8, "2b": twice the size, bold); rtext <right x> <y> <scale> <c> "<text>";
//   sprite <x> <y> <scale> <symbol>; use <define>.
// Colours <c>: one colour letter (k black, R maroon, G green, Y olive, B navy, M purple,
//   C teal, s silver, d grey, r red, g lime, y yellow, b blue, m fuchsia, c aqua, w white)
//   or #rrggbb. A picture may use at most 16 different colours.
// Every bitmap is written as <name>.bmp, every icon as <name>.ico, and the resource fragment
// gets one line per resource ("<name> BITMAP "<path>"", "<name> ICON "<path>"").

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "output/bmp_writer.h"

namespace {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A picture being drawn: colours per pixel, with a transparency flag (symbols, icons).
struct Canvas {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;
  std::vector<unsigned char> clear;  // 1 = transparent
  Canvas() = default;
  Canvas(int w, int h, Rgb fill) : width(w), height(h),
      pixels(static_cast<std::size_t>(w) * h, fill), clear(static_cast<std::size_t>(w) * h, 0) {}
  void Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<std::size_t>(y) * width + x] = c;
    clear[static_cast<std::size_t>(y) * width + x] = 0;
  }
  Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  bool Clear(int x, int y) const { return clear[static_cast<std::size_t>(y) * width + x] != 0; }
};

struct Glyph {
  int width = 0;
  std::vector<std::string> rows;  // 16 rows of '#'/'.'
};

struct Block {  // a symbol, icon, picture or define: its header words and its body lines
  std::vector<std::string> words;
  std::vector<std::string> lines;
  std::string where;  // file:line for messages
};

std::map<unsigned long, Glyph> glyphs;
std::map<std::string, Block> symbols;
std::map<std::string, Block> defines;
std::vector<Block> jobs;  // buttons, blank, picture, icon in source order
std::string outputDir;
std::string rcText;
int failed = 0;

void Fail(const std::string& where, const std::string& what) {
  std::fprintf(stderr, "bmpgen: %s: %s\n", where.c_str(), what.c_str());
  failed = 1;
}

int LetterColour(char letter, Rgb& out) {
  static const char kLetters[] = "kRGYBMCsdrgybmcw";
  const char* found = std::strchr(kLetters, letter);
  if (!found || letter == '\0') return 0;
  const PaletteColour& p = kVgaPalette[static_cast<std::size_t>(found - kLetters)];
  out = Rgb{p.red, p.green, p.blue};
  return 1;
}

int ParseColour(const std::string& text, Rgb& out) {
  if (text.size() == 1) return LetterColour(text[0], out);
  if (text.size() == 7 && text[0] == '#') {
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str() + 1, &end, 16);
    if (*end != '\0') return 0;
    out = Rgb{static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
              static_cast<int>(value & 0xFF)};
    return 1;
  }
  return 0;
}

int ParseInt(const std::string& text, int& out) {
  if (text.empty()) return 0;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || value < -100000 || value > 100000) return 0;
  out = static_cast<int>(value);
  return 1;
}

// A text scale: a factor 1 to 8, with a trailing 'b' for bold (strokes one pixel wider).
int ParseScale(const std::string& text, int& scale, int& bold) {
  bold = !text.empty() && text.back() == 'b';
  return ParseInt(bold ? text.substr(0, text.size() - 1) : text, scale) && scale >= 1 &&
         scale <= 8;
}

// Splits a line into words; a double-quoted word keeps its blanks (no escapes).
std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    if (line[i] == '"') {
      std::size_t close = line.find('"', i + 1);
      if (close == std::string::npos) close = line.size();
      words.push_back(line.substr(i, close - i));  // keeps the opening quote as a marker
      i = close + 1;
    } else {
      std::size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
      words.push_back(line.substr(start, i - start));
    }
  }
  return words;
}

std::vector<unsigned long> DecodeUtf8(const std::string& text) {
  std::vector<unsigned long> points;
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    unsigned long point = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    ++i;
    for (int k = 0; k < extra && i < text.size(); ++k, ++i) {
      point = (point << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    points.push_back(point);
  }
  return points;
}

// ---- reading the sources ----

int ReadSource(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    Fail(path, "cannot open");
    return 0;
  }
  std::vector<std::string> lines;
  std::string line;
  int c;
  while ((c = std::fgetc(file)) != EOF) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line.push_back(static_cast<char>(c));
    }
  }
  if (!line.empty()) lines.push_back(line);
  std::fclose(file);

  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string> words = SplitWords(lines[i]);
    const std::string where = path + ":" + std::to_string(i + 1);
    if (words.empty() || words[0][0] == '#') continue;
    const std::string& kind = words[0];
    if (kind == "buttons" || kind == "blank") {
      Block job;
      job.words = words;
      job.where = where;
      jobs.push_back(job);
      continue;
    }
    if (kind != "glyph" && kind != "symbol" && kind != "define" && kind != "picture" &&
        kind != "icon" && kind != "cursor") {
      Fail(where, "unknown block '" + kind + "'");
      continue;
    }
    if (words.size() < 2) {
      Fail(where, "block without a name");
      continue;
    }
    Block block;
    block.words = words;
    block.where = where;
    const std::string closing = kind == "define" ? "enddef" : "end";
    std::size_t j = i + 1;
    for (; j < lines.size(); ++j) {
      std::vector<std::string> inner = SplitWords(lines[j]);
      if (inner.size() == 1 && inner[0] == closing) break;
      if (!inner.empty() && inner[0][0] == '#' && kind != "glyph" && kind != "symbol" &&
          kind != "icon" && kind != "cursor") {
        continue;  // comment inside drawing commands
      }
      block.lines.push_back(lines[j]);
    }
    if (j >= lines.size()) Fail(where, "block has no '" + closing + "'");
    i = j;
    if (kind == "glyph") {
      unsigned long point = std::strtoul(words[1].c_str(), nullptr, 16);
      Glyph glyph;
      for (const std::string& row : block.lines) {
        std::string trimmed = row.substr(0, row.find_last_not_of(" \t") + 1);
        glyph.rows.push_back(trimmed);
      }
      glyph.width = glyph.rows.empty() ? 0 : static_cast<int>(glyph.rows[0].size());
      glyphs[point] = glyph;
    } else if (kind == "symbol") {
      symbols[words[1]] = block;
    } else if (kind == "define") {
      defines[words[1]] = block;
    } else {
      jobs.push_back(block);
    }
  }
  return 1;
}

// ---- drawing ----

int SymbolCanvas(const std::string& name, const std::string& where, Canvas& out) {
  auto found = symbols.find(name);
  if (found == symbols.end()) {
    Fail(where, "no symbol '" + name + "'");
    return 0;
  }
  const std::vector<std::string>& rows = found->second.lines;
  int width = 0;
  for (const std::string& row : rows) width = std::max(width, static_cast<int>(row.size()));
  out = Canvas(width, static_cast<int>(rows.size()), Rgb{});
  std::fill(out.clear.begin(), out.clear.end(), 1);
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
      char letter = rows[y][x];
      if (letter == '.' || letter == ' ') continue;
      Rgb colour;
      if (!LetterColour(letter, colour)) {
        Fail(found->second.where, std::string("bad colour letter '") + letter + "'");
        return 0;
      }
      out.Set(x, y, colour);
    }
  }
  return 1;
}

void Paste(Canvas& target, const Canvas& source, int left, int top, int scale) {
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      if (source.Clear(x, y)) continue;
      for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) {
          target.Set(left + x * scale + dx, top + y * scale + dy, source.At(x, y));
        }
      }
    }
  }
}

int TextWidth(const std::vector<unsigned long>& points, int scale) {
  int width = 0;
  for (unsigned long point : points) {
    auto found = glyphs.find(point);
    width += (found == glyphs.end() ? 8 : found->second.width) * scale;
  }
  return width;
}

void DrawText(Canvas& canvas, int left, int top, int scale, int bold, Rgb colour,
              const std::vector<unsigned long>& points, const std::string& where) {
  int x = left;
  for (unsigned long point : points) {
    auto found = glyphs.find(point);
    if (found == glyphs.end()) {
      char code[16];
      std::snprintf(code, sizeof code, "%04lX", point);
      Fail(where, std::string("no glyph for U+") + code);
      x += 8 * scale;
      continue;
    }
    const Glyph& glyph = found->second;
    for (int gy = 0; gy < static_cast<int>(glyph.rows.size()); ++gy) {
      for (int gx = 0; gx < static_cast<int>(glyph.rows[gy].size()); ++gx) {
        if (glyph.rows[gy][gx] != '#') continue;
        for (int dy = 0; dy < scale; ++dy) {
          for (int dx = 0; dx < scale + bold; ++dx) {
            canvas.Set(x + gx * scale + dx, top + gy * scale + dy, colour);
          }
        }
      }
    }
    x += glyph.width * scale;
  }
}

void DrawLine(Canvas& canvas, int x0, int y0, int x1, int y1, Rgb colour) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    canvas.Set(x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

// The normal density curve over x = centre +- 3 sigma: height pixels above the base line at
// the centre, drawn as connected steps one pixel wide.
void DrawBell(Canvas& canvas, int centre, int base, int sigma, int height, Rgb colour) {
  int previous = 0;
  for (int x = centre - 3 * sigma; x <= centre + 3 * sigma; ++x) {
    const double z = static_cast<double>(x - centre) / sigma;
    const int y = base - static_cast<int>(height * std::exp(-0.5 * z * z) + 0.5);
    if (x == centre - 3 * sigma) previous = y;
    DrawLine(canvas, x, previous, x, y, colour);
    previous = y;
  }
}

void FillRect(Canvas& canvas, int x, int y, int w, int h, Rgb colour) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) canvas.Set(i, j, colour);
}

int RunCommands(Canvas& canvas, const Block& block, int depth) {
  if (depth > 8) {
    Fail(block.where, "defines nested too deeply");
    return 0;
  }
  for (std::size_t n = 0; n < block.lines.size(); ++n) {
    const std::vector<std::string> w = SplitWords(block.lines[n]);
    const std::string where = block.where + " +" + std::to_string(n + 1);
    if (w.empty()) continue;
    const std::string& op = w[0];
    int a = 0, b = 0, c = 0, d = 0, bold = 0;
    Rgb colour;
    if (op == "fill" && w.size() == 2 && ParseColour(w[1], colour)) {
      FillRect(canvas, 0, 0, canvas.width, canvas.height, colour);
    } else if ((op == "rect" || op == "frame") && w.size() == 6 && ParseInt(w[1], a) &&
               ParseInt(w[2], b) && ParseInt(w[3], c) && ParseInt(w[4], d) &&
               ParseColour(w[5], colour)) {
      if (op == "rect") {
        FillRect(canvas, a, b, c, d, colour);
      } else {
        FillRect(canvas, a, b, c, 1, colour);
        FillRect(canvas, a, b + d - 1, c, 1, colour);
        FillRect(canvas, a, b, 1, d, colour);
        FillRect(canvas, a + c - 1, b, 1, d, colour);
      }
    } else if (op == "line" && w.size() == 6 && ParseInt(w[1], a) && ParseInt(w[2], b) &&
               ParseInt(w[3], c) && ParseInt(w[4], d) && ParseColour(w[5], colour)) {
      DrawLine(canvas, a, b, c, d, colour);
    } else if ((op == "text" || op == "ctext" || op == "rtext") && w.size() == 6 &&
               ParseInt(w[1], a) && ParseInt(w[2], b) && ParseScale(w[3], c, bold) &&
               ParseColour(w[4], colour) && w[5][0] == '"') {
      std::vector<unsigned long> points = DecodeUtf8(w[5].substr(1));
      int left = op == "text" ? a : op == "ctext" ? a - TextWidth(points, c) / 2
                                                  : a - TextWidth(points, c);
      DrawText(canvas, left, b, c, bold, colour, points, where);
    } else if (op == "bell" && w.size() == 6 && ParseInt(w[1], a) && ParseInt(w[2], b) &&
               ParseInt(w[3], c) && c >= 1 && ParseInt(w[4], d) &&
               ParseColour(w[5], colour)) {
      DrawBell(canvas, a, b, c, d, colour);
    } else if (op == "sprite" && w.size() == 5 && ParseInt(w[1], a) && ParseInt(w[2], b) &&
               ParseInt(w[3], c) && c >= 1) {
      Canvas symbol;
      if (SymbolCanvas(w[4], where, symbol)) Paste(canvas, symbol, a, b, c);
    } else if (op == "use" && w.size() == 2) {
      auto found = defines.find(w[1]);
      if (found == defines.end()) {
        Fail(where, "no define '" + w[1] + "'");
      } else {
        RunCommands(canvas, found->second, depth + 1);
      }
    } else {
      Fail(where, "bad drawing command: " + block.lines[n]);
    }
  }
  return 1;
}

// ---- palettes and files ----

// Turns a canvas into palette indexes: the VGA colours keep their places, other colours
// take the places of VGA colours the picture does not use.
int Quantize(const Canvas& canvas, Image4& image, const std::string& where) {
  std::vector<Rgb> used;
  for (const Rgb& c : canvas.pixels) {
    if (std::find(used.begin(), used.end(), c) == used.end()) used.push_back(c);
  }
  if (used.size() > 16) {
    Fail(where, "more than 16 colours (" + std::to_string(used.size()) + ")");
    return 0;
  }
  std::array<int, 16> taken{};
  image.palette = kVgaPalette;
  std::vector<Rgb> extra;
  for (const Rgb& c : used) {
    bool standard = false;
    for (int i = 0; i < 16; ++i) {
      const PaletteColour& p = kVgaPalette[i];
      if (p.red == c.r && p.green == c.g && p.blue == c.b) {
        taken[i] = 1;
        standard = true;
      }
    }
    if (!standard) extra.push_back(c);
  }
  // Places given up first: the colours these pictures use least.
  static const int kFreeOrder[16] = {13, 5, 3, 6, 1, 2, 4, 14, 10, 11, 9, 12, 8, 7, 0, 15};
  std::size_t next = 0;
  for (int k = 0; k < 16 && next < extra.size(); ++k) {
    int slot = kFreeOrder[k];
    if (taken[slot]) continue;
    image.palette[slot] = PaletteColour{static_cast<unsigned char>(extra[next].r),
                                        static_cast<unsigned char>(extra[next].g),
                                        static_cast<unsigned char>(extra[next].b)};
    taken[slot] = 1;
    ++next;
  }
  image.width = canvas.width;
  image.height = canvas.height;
  image.pixels.assign(canvas.pixels.size(), 0);
  for (std::size_t i = 0; i < canvas.pixels.size(); ++i) {
    for (int k = 0; k < 16; ++k) {
      const PaletteColour& p = image.palette[k];
      if (p.red == canvas.pixels[i].r && p.green == canvas.pixels[i].g &&
          p.blue == canvas.pixels[i].b) {
        image.pixels[i] = static_cast<unsigned char>(k);
        break;
      }
    }
  }
  return 1;
}

std::string OutputPath(const std::string& name, const char* extension) {
  return outputDir + "/" + name + extension;
}

void EmitBitmap(const std::string& name, const Canvas& canvas, const std::string& where) {
  Image4 image;
  if (!Quantize(canvas, image, where + " (" + name + ")")) return;
  std::vector<unsigned char> bytes;
  const std::string path = OutputPath(name, ".bmp");
  if (!EncodeBmp4(image, bytes) || !WriteBytesToFile(path, bytes)) {
    Fail(where, "cannot write " + path);
    return;
  }
  rcText += name + " BITMAP \"" + path + "\"\n";
}

// ---- icon-bar buttons ----

// The four looks of the icon bar: the suffix and the window colour of each version class.
struct Look {
  const char* suffix;
  Rgb face;
  int style;  // 0 classic, 1 Windows ME, 2 Windows 2000, 3 Windows XP
};
const Look kLooks[4] = {
    {"", {192, 192, 192}, 0},
    {"9", {216, 208, 200}, 1},
    {"8", {214, 210, 206}, 2},
    {"X", {236, 233, 216}, 3},
};
const Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0}, kGrey{128, 128, 128};
const Rgb kDarkShadow{64, 64, 64};
const Rgb kXpBorder{0, 60, 116}, kXpCorner{122, 150, 180}, kXpLight{249, 248, 243};
const Rgb kXpShade{226, 222, 205}, kXpDeep{214, 208, 188}, kXpPressed{221, 218, 199};
const Rgb kXpDisabledBorder{201, 199, 186}, kXpDisabledInk{161, 157, 141};

enum ButtonState { kUp, kDown, kInactive };

void HLine(Canvas& c, int x0, int x1, int y, Rgb colour) {
  for (int x = x0; x <= x1; ++x) c.Set(x, y, colour);
}
void VLine(Canvas& c, int x, int y0, int y1, Rgb colour) {
  for (int y = y0; y <= y1; ++y) c.Set(x, y, colour);
}

void DrawButtonFrame(Canvas& c, const Look& look, ButtonState state) {
  const int r = c.width - 1, b = c.height - 1;
  switch (look.style) {
    case 0:  // classic: white and black outer edges, grey inner shadow
      if (state == kDown) {
        HLine(c, 0, r, 0, kBlack); VLine(c, 0, 0, b, kBlack);
        HLine(c, 1, r - 1, 1, kGrey); VLine(c, 1, 1, b - 1, kGrey);
        HLine(c, 0, r, b, kWhite); VLine(c, r, 0, b, kWhite);
      } else {
        HLine(c, 0, r, 0, kWhite); VLine(c, 0, 0, b, kWhite);
        HLine(c, 0, r, b, kBlack); VLine(c, r, 0, b, kBlack);
        HLine(c, 1, r - 1, b - 1, kGrey); VLine(c, r - 1, 1, b - 1, kGrey);
      }
      break;
    case 1:  // Windows ME: a thin one-pixel bevel
      if (state == kDown) {
        HLine(c, 0, r, 0, kGrey); VLine(c, 0, 0, b, kGrey);
        HLine(c, 0, r, b, kWhite); VLine(c, r, 0, b, kWhite);
      } else {
        HLine(c, 0, r, 0, kWhite); VLine(c, 0, 0, b, kWhite);
        HLine(c, 0, r, b, kGrey); VLine(c, r, 0, b, kGrey);
      }
      break;
    case 2:  // Windows 2000: inner highlight, dark outer shadow
      if (state == kDown) {
        HLine(c, 0, r, 0, kDarkShadow); VLine(c, 0, 0, b, kDarkShadow);
        HLine(c, 1, r - 1, 1, kGrey); VLine(c, 1, 1, b - 1, kGrey);
        HLine(c, 0, r, b, kWhite); VLine(c, r, 0, b, kWhite);
      } else {
        HLine(c, 1, r - 1, 1, kWhite); VLine(c, 1, 1, b - 1, kWhite);
        HLine(c, 0, r, b, kDarkShadow); VLine(c, r, 0, b, kDarkShadow);
        HLine(c, 1, r - 1, b - 1, kGrey); VLine(c, r - 1, 1, b - 1, kGrey);
      }
      break;
    default: {  // Windows XP: rounded blue frame on a light, shaded face
      const Rgb border = state == kInactive ? kXpDisabledBorder : kXpBorder;
      if (state == kDown) {
        FillRect(c, 1, 1, c.width - 2, c.height - 2, kXpPressed);
        HLine(c, 1, r - 1, 1, kXpDeep);
        HLine(c, 1, r - 1, 2, kXpShade);
        HLine(c, 1, r - 1, b - 1, kXpLight);
      } else {
        FillRect(c, 1, 1, c.width - 2, c.height - 2, kXpLight);
        HLine(c, 1, r - 1, 1, kWhite);
        HLine(c, 1, r - 1, 2, kWhite);
        HLine(c, 1, r - 1, b - 3, kXpShade);
        HLine(c, 1, r - 1, b - 2, kXpShade);
        HLine(c, 1, r - 1, b - 1, kXpDeep);
      }
      HLine(c, 2, r - 2, 0, border); HLine(c, 2, r - 2, b, border);
      VLine(c, 0, 2, b - 2, border); VLine(c, r, 2, b - 2, border);
      const Rgb corner = state == kInactive ? kXpDisabledBorder : kXpCorner;
      c.Set(1, 1, corner); c.Set(r - 1, 1, corner);
      c.Set(1, b - 1, corner); c.Set(r - 1, b - 1, corner);
      break;
    }
  }
}

int Luminance(const Rgb& c) { return (c.r * 30 + c.g * 59 + c.b * 11) / 100; }

void DrawButtonSymbol(Canvas& c, const Canvas& symbol, const Look& look, ButtonState state) {
  int left = (c.width - symbol.width) / 2;
  int top = (c.height - symbol.height) / 2;
  if (state == kDown) {
    ++left;
    ++top;
  }
  if (state != kInactive) {
    Paste(c, symbol, left, top, 1);
    return;
  }
  // Inactive: light parts of the symbol vanish, the rest becomes one grey ink, embossed with
  // a white shadow in the three older looks.
  const bool xp = look.style == 3;
  for (int pass = xp ? 1 : 0; pass < 2; ++pass) {
    for (int y = 0; y < symbol.height; ++y) {
      for (int x = 0; x < symbol.width; ++x) {
        if (symbol.Clear(x, y) || Luminance(symbol.At(x, y)) >= 200) continue;
        if (pass == 0) {
          c.Set(left + x + 1, top + y + 1, kWhite);
        } else {
          c.Set(left + x, top + y, xp ? kXpDisabledInk : kGrey);
        }
      }
    }
  }
}

void EmitButtons(const Block& job) {
  const bool blank = job.words[0] == "blank";
  int blankWidth = 0;
  if (blank && (job.words.size() != 3 || !ParseInt(job.words[2], blankWidth) ||
                blankWidth < 1 || blankWidth > 4000)) {
    Fail(job.where, "expected: blank <stem> <width>");
    return;
  }
  const std::size_t stems = blank ? 2 : job.words.size();
  for (std::size_t s = 1; s < stems; ++s) {
    const std::string& stem = job.words[s];
    Canvas symbol;
    if (!blank && !SymbolCanvas(stem, job.where, symbol)) continue;
    if (!blank && (symbol.width > 28 || symbol.height > 16)) {
      Fail(job.where, "symbol '" + stem + "' is larger than 28 x 16");
      continue;
    }
    static const char* const kStates[3] = {"Up", "Dn", "In"};
    for (const Look& look : kLooks) {
      for (int state = 0; state < 3; ++state) {
        Canvas canvas(blank ? blankWidth : 32, 20, look.face);
        if (!blank) {
          DrawButtonFrame(canvas, look, static_cast<ButtonState>(state));
          DrawButtonSymbol(canvas, symbol, look, static_cast<ButtonState>(state));
        }
        EmitBitmap(stem + look.suffix + kStates[state], canvas, job.where);
      }
    }
  }
}

// ---- pictures and icons ----

void EmitPicture(const Block& job) {
  int width = 0, height = 0;
  if (job.words.size() != 4 || !ParseInt(job.words[2], width) ||
      !ParseInt(job.words[3], height) || width < 1 || height < 1 || width > 4000 ||
      height > 4000) {
    Fail(job.where, "expected: picture <name> <width> <height>");
    return;
  }
  Canvas canvas(width, height, kWhite);
  RunCommands(canvas, job, 0);
  EmitBitmap(job.words[1], canvas, job.where);
}

// The small icon: each 2 x 2 block becomes its most frequent opaque colour (transparent when
// most of the block is).
Canvas HalveIcon(const Canvas& big) {
  Canvas small(big.width / 2, big.height / 2, kBlack);
  for (int y = 0; y < small.height; ++y) {
    for (int x = 0; x < small.width; ++x) {
      std::vector<Rgb> opaque;
      for (int k = 0; k < 4; ++k) {
        int bx = 2 * x + (k & 1), by = 2 * y + (k >> 1);
        if (!big.Clear(bx, by)) opaque.push_back(big.At(bx, by));
      }
      if (opaque.size() < 2) {
        small.clear[static_cast<std::size_t>(y) * small.width + x] = 1;
        continue;
      }
      Rgb best = opaque[0];
      int bestCount = 0;
      for (const Rgb& candidate : opaque) {
        int count = static_cast<int>(std::count(opaque.begin(), opaque.end(), candidate));
        if (count > bestCount || (count == bestCount && Luminance(candidate) < Luminance(best))) {
          best = candidate;
          bestCount = count;
        }
      }
      small.Set(x, y, best);
    }
  }
  return small;
}

void EmitIcon(const Block& job) {
  symbols[job.words[1]] = job;  // the icon's rows are read like a symbol
  Canvas big;
  if (!SymbolCanvas(job.words[1], job.where, big)) return;
  if (big.width != 32 || big.height != 32) {
    Fail(job.where, "an icon is 32 x 32");
    return;
  }
  std::vector<IconImage> images;
  for (const Canvas* source : {&big}) {
    Canvas sizes[2] = {*source, HalveIcon(*source)};
    for (Canvas& canvas : sizes) {
      IconImage entry;
      entry.transparent = canvas.clear;
      for (std::size_t i = 0; i < canvas.pixels.size(); ++i) {
        if (canvas.clear[i]) canvas.pixels[i] = kBlack;  // transparent pixels are black
      }
      if (!Quantize(canvas, entry.image, job.where)) return;
      images.push_back(entry);
    }
  }
  std::vector<unsigned char> bytes;
  const std::string path = OutputPath(job.words[1], ".ico");
  if (!EncodeIco4(images, bytes) || !WriteBytesToFile(path, bytes)) {
    Fail(job.where, "cannot write " + path);
    return;
  }
  rcText += job.words[1] + " ICON \"" + path + "\"\n";
}

// "cursor NAME x y": a 32 x 32 picture like an icon's, one image, hot spot at (x, y).
void EmitCursor(const Block& job) {
  if (job.words.size() != 4) {
    Fail(job.where, "a cursor needs a name and the hot spot x y");
    return;
  }
  symbols[job.words[1]] = job;
  Canvas canvas;
  if (!SymbolCanvas(job.words[1], job.where, canvas)) return;
  if (canvas.width != 32 || canvas.height != 32) {
    Fail(job.where, "a cursor is 32 x 32");
    return;
  }
  IconImage entry;
  entry.transparent = canvas.clear;
  for (std::size_t i = 0; i < canvas.pixels.size(); ++i) {
    if (canvas.clear[i]) canvas.pixels[i] = kBlack;
  }
  if (!Quantize(canvas, entry.image, job.where)) return;
  std::vector<unsigned char> bytes;
  const std::string path = OutputPath(job.words[1], ".cur");
  const int hotX = std::atoi(job.words[2].c_str());
  const int hotY = std::atoi(job.words[3].c_str());
  if (!EncodeCur4({entry}, hotX, hotY, bytes)) {
    Fail(job.where, "the hot spot lies outside the cursor");
    return;
  }
  if (!WriteBytesToFile(path, bytes)) {
    Fail(job.where, "cannot write " + path);
    return;
  }
  rcText += job.words[1] + " CURSOR \"" + path + "\"\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::string rcPath;
  std::vector<std::string> sources;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "-o" && i + 1 < argc) {
      outputDir = argv[++i];
    } else if (arg == "-rc" && i + 1 < argc) {
      rcPath = argv[++i];
    } else {
      sources.push_back(arg);
    }
  }
  if (outputDir.empty() || rcPath.empty() || sources.empty()) {
    std::fprintf(stderr, "usage: bmpgen -o <output directory> -rc <fragment.rc> <source>...\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(outputDir, error);
  if (error) {
    std::fprintf(stderr, "bmpgen: cannot make %s\n", outputDir.c_str());
    return 1;
  }
  for (const std::string& source : sources) ReadSource(source);
  if (failed) return 1;
  rcText = "// Generated by bmpgen from the picture sources; do not edit.\n";
  for (const Block& job : jobs) {
    const std::string& kind = job.words[0];
    if (kind == "buttons" || kind == "blank") {
      EmitButtons(job);
    } else if (kind == "picture") {
      EmitPicture(job);
    } else if (kind == "icon") {
      EmitIcon(job);
    } else if (kind == "cursor") {
      EmitCursor(job);
    }
  }
  if (failed) return 1;
  std::vector<unsigned char> text(rcText.begin(), rcText.end());
  if (!WriteBytesToFile(rcPath, text)) {
    std::fprintf(stderr, "bmpgen: cannot write %s\n", rcPath.c_str());
    return 1;
  }
  return 0;
}
