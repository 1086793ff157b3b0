// Writer of 16-colour pictures: 4-bit BMP files (BI_RGB, bottom-up rows padded to 4 bytes,
// 118-byte header) and icon files with one or more 4-bit images. Pure byte arithmetic, no
// platform calls: the resource generator and the page output (output/page_bitmap.h) share
// this one header layout.
#ifndef OUTPUT_BMP_WRITER_H
#define OUTPUT_BMP_WRITER_H

#include <array>
#include <cstddef>
#include <string>
#include <vector>

struct PaletteColour {
  unsigned char red;
  unsigned char green;
  unsigned char blue;
};

// A picture of width x height palette indexes (0..15), rows top to bottom.
struct Image4 {
  int width = 0;
  int height = 0;
  std::array<PaletteColour, 16> palette{};
  std::vector<unsigned char> pixels;  // width * height indexes, row 0 is the top row
};

constexpr int kBmpFileHeaderSize = 14;
constexpr int kBmpInfoHeaderSize = 40;
constexpr int kBmp4PaletteSize = 16 * 4;
constexpr int kBmp4HeaderSize = kBmpFileHeaderSize + kBmpInfoHeaderSize + kBmp4PaletteSize;  // 118

// The standard 16-colour VGA palette in the order Windows uses.
extern const std::array<PaletteColour, 16> kVgaPalette;

// Bytes of one stored row of a 4-bit picture: two pixels a byte, padded to a multiple of 4.
std::size_t Bmp4RowBytes(int width);
// Size of the pixel data and of the whole file of a 4-bit picture.
std::size_t Bmp4ImageBytes(int width, int height);
std::size_t Bmp4FileBytes(int width, int height);

// Appends the 118-byte header (file header, info header, palette) of a 4-bit picture.
// Returns 0 when the size is not positive or too large for a BMP file.
int AppendBmp4Header(int width, int height, const std::array<PaletteColour, 16>& palette,
                     std::vector<unsigned char>& out);
// The parts of that header, for writers that build a header of their own (the page capture
// and the clipboard block): the 14-byte file header of a 4-bit file of fileBytes bytes
// (pixels at offset 118); the 40-byte info header with the given colour counts; the palette
// as 16 entries of blue, green, red, 0.
void AppendBmpFileHeader(std::size_t fileBytes, std::vector<unsigned char>& out);
void AppendBmp4InfoHeader(int width, int height, unsigned coloursUsed, unsigned coloursImportant,
                          std::vector<unsigned char>& out);
void AppendBmpPalette(const std::array<PaletteColour, 16>& palette, std::vector<unsigned char>& out);
// Appends the rows of the picture bottom-up, each padded with zero bytes.
void AppendBmp4Rows(const Image4& image, std::vector<unsigned char>& out);
// Encodes a whole BMP file. Returns 0 for an empty or inconsistent picture.
int EncodeBmp4(const Image4& image, std::vector<unsigned char>& out);

// One image of an icon file: the picture and its transparency mask (1 = transparent),
// width * height entries, rows top to bottom. Width and height at most 256.
struct IconImage {
  Image4 image;
  std::vector<unsigned char> transparent;
};
// Encodes an icon file (ICONDIR, entries, then per image the BITMAPINFOHEADER with the
// doubled height, palette, XOR rows and 1-bit AND rows). Returns 0 on bad input.
int EncodeIco4(const std::vector<IconImage>& images, std::vector<unsigned char>& out);
// Encodes a cursor file: the icon layout with type 2, and the hot spot where an icon file
// keeps planes and bit count. Returns 0 on bad input or a hot spot outside the pictures.
int EncodeCur4(const std::vector<IconImage>& images, int hotX, int hotY, std::vector<unsigned char>& out);

// Writes bytes to a file. Returns 1 on success, 0 on failure.
int WriteBytesToFile(const std::string& path, const std::vector<unsigned char>& bytes);

#endif
