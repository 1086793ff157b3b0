#include "output/bmp_writer.h"

#include <cstdio>

const std::array<PaletteColour, 16> kVgaPalette = {{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

namespace {

// Largest side accepted: keeps every size computation far inside 32 bits.
constexpr int kMaxSide = 32768;

void PutU16(std::vector<unsigned char>& out, unsigned value) {
  out.push_back(static_cast<unsigned char>(value & 0xFF));
  out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void PutU32(std::vector<unsigned char>& out, unsigned long value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
  }
}

int ValidSize(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}

int ValidImage(const Image4& image) {
  if (!ValidSize(image.width, image.height)) return 0;
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) return 0;
  for (unsigned char index : image.pixels) {
    if (index > 15) return 0;
  }
  return 1;
}

void PutInfoHeader(std::vector<unsigned char>& out, int width, int height, int bitCount,
                   std::size_t imageBytes, unsigned coloursUsed = 16, unsigned coloursImportant = 0) {
  PutU32(out, kBmpInfoHeaderSize);
  PutU32(out, static_cast<unsigned long>(width));
  PutU32(out, static_cast<unsigned long>(height));
  PutU16(out, 1);          // planes
  PutU16(out, static_cast<unsigned>(bitCount));
  PutU32(out, 0);          // BI_RGB
  PutU32(out, static_cast<unsigned long>(imageBytes));
  PutU32(out, 0);          // pixels per metre, x and y: unspecified
  PutU32(out, 0);
  PutU32(out, coloursUsed);       // 0: all 16
  PutU32(out, coloursImportant);  // 0: all
}

void PutPalette(std::vector<unsigned char>& out, const std::array<PaletteColour, 16>& palette) {
  for (const PaletteColour& colour : palette) {
    out.push_back(colour.blue);
    out.push_back(colour.green);
    out.push_back(colour.red);
    out.push_back(0);
  }
}

std::size_t MaskRowBytes(int width) {
  return (static_cast<std::size_t>(width) + 31) / 32 * 4;
}

}  // namespace

std::size_t Bmp4RowBytes(int width) {
  return (static_cast<std::size_t>(width) * 4 + 31) / 32 * 4;
}

std::size_t Bmp4ImageBytes(int width, int height) {
  return Bmp4RowBytes(width) * static_cast<std::size_t>(height);
}

std::size_t Bmp4FileBytes(int width, int height) {
  return kBmp4HeaderSize + Bmp4ImageBytes(width, height);
}

void AppendBmpFileHeader(std::size_t fileBytes, std::vector<unsigned char>& out) {
  out.push_back('B');
  out.push_back('M');
  PutU32(out, static_cast<unsigned long>(fileBytes));
  PutU16(out, 0);
  PutU16(out, 0);
  PutU32(out, kBmp4HeaderSize);
}

void AppendBmp4InfoHeader(int width, int height, unsigned coloursUsed, unsigned coloursImportant,
                          std::vector<unsigned char>& out) {
  PutInfoHeader(out, width, height, 4, Bmp4ImageBytes(width, height), coloursUsed,
                coloursImportant);
}

void AppendBmpPalette(const std::array<PaletteColour, 16>& palette, std::vector<unsigned char>& out) {
  PutPalette(out, palette);
}

int AppendBmp4Header(int width, int height, const std::array<PaletteColour, 16>& palette,
                     std::vector<unsigned char>& out) {
  if (!ValidSize(width, height)) return 0;
  AppendBmpFileHeader(Bmp4FileBytes(width, height), out);
  PutInfoHeader(out, width, height, 4, Bmp4ImageBytes(width, height));
  PutPalette(out, palette);
  return 1;
}

void AppendBmp4Rows(const Image4& image, std::vector<unsigned char>& out) {
  const std::size_t rowBytes = Bmp4RowBytes(image.width);
  for (int y = image.height - 1; y >= 0; --y) {
    const unsigned char* row = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
    std::size_t written = 0;
    for (int x = 0; x < image.width; x += 2) {
      unsigned high = row[x] & 0x0F;
      unsigned low = (x + 1 < image.width) ? (row[x + 1] & 0x0F) : 0;
      out.push_back(static_cast<unsigned char>((high << 4) | low));
      ++written;
    }
    for (; written < rowBytes; ++written) out.push_back(0);
  }
}

int EncodeBmp4(const Image4& image, std::vector<unsigned char>& out) {
  if (!ValidImage(image)) return 0;
  out.clear();
  out.reserve(Bmp4FileBytes(image.width, image.height));
  if (!AppendBmp4Header(image.width, image.height, image.palette, out)) return 0;
  AppendBmp4Rows(image, out);
  return 1;
}

namespace {

// Icon and cursor files share one layout; a cursor has type 2 and its hot spot in the fields
// that hold planes and bit count in an icon.
int EncodeIconFile(const std::vector<IconImage>& images, int type, int hotX, int hotY,
                   std::vector<unsigned char>& out) {
  if (images.empty() || images.size() > 255) return 0;
  for (const IconImage& entry : images) {
    const Image4& image = entry.image;
    if (!ValidImage(image) || image.width > 256 || image.height > 256) return 0;
    if (entry.transparent.size() != image.pixels.size()) return 0;
  }
  out.clear();
  PutU16(out, 0);  // reserved
  PutU16(out, static_cast<unsigned>(type));
  PutU16(out, static_cast<unsigned>(images.size()));
  unsigned long offset = 6 + 16 * static_cast<unsigned long>(images.size());
  for (const IconImage& entry : images) {
    const Image4& image = entry.image;
    const unsigned long bytes = kBmpInfoHeaderSize + kBmp4PaletteSize +
        static_cast<unsigned long>(Bmp4ImageBytes(image.width, image.height) +
                                   MaskRowBytes(image.width) * image.height);
    out.push_back(static_cast<unsigned char>(image.width & 0xFF));   // 256 is stored as 0
    out.push_back(static_cast<unsigned char>(image.height & 0xFF));
    out.push_back(16);  // colours
    out.push_back(0);
    PutU16(out, type == 1 ? 1 : static_cast<unsigned>(hotX));  // planes, or hot spot x
    PutU16(out, type == 1 ? 4 : static_cast<unsigned>(hotY));  // bits per pixel, or hot spot y
    PutU32(out, bytes);
    PutU32(out, offset);
    offset += bytes;
  }
  for (const IconImage& entry : images) {
    const Image4& image = entry.image;
    const std::size_t maskBytes = MaskRowBytes(image.width) * image.height;
    PutInfoHeader(out, image.width, image.height * 2, 4,
                  Bmp4ImageBytes(image.width, image.height) + maskBytes);
    PutPalette(out, image.palette);
    AppendBmp4Rows(image, out);
    for (int y = image.height - 1; y >= 0; --y) {
      std::vector<unsigned char> row(MaskRowBytes(image.width), 0);
      for (int x = 0; x < image.width; ++x) {
        if (entry.transparent[static_cast<std::size_t>(y) * image.width + x]) {
          row[x / 8] = static_cast<unsigned char>(row[x / 8] | (0x80 >> (x % 8)));
        }
      }
      out.insert(out.end(), row.begin(), row.end());
    }
  }
  return 1;
}

}  // namespace

int EncodeIco4(const std::vector<IconImage>& images, std::vector<unsigned char>& out) {
  return EncodeIconFile(images, 1, 0, 0, out);
}

int EncodeCur4(const std::vector<IconImage>& images, int hotX, int hotY, std::vector<unsigned char>& out) {
  for (const IconImage& entry : images) {
    if (hotX < 0 || hotY < 0 || hotX >= entry.image.width || hotY >= entry.image.height) return 0;
  }
  return EncodeIconFile(images, 2, hotX, hotY, out);
}

int WriteBytesToFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  const std::size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
  const int closed = std::fclose(file) == 0;
  return closed && written == bytes.size();
}
