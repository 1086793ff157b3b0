#include "output/page_bitmap.h"

#include <cstdint>
#include <cstring>

const std::array<PaletteColour, 16> kGraphPalette = {{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
    {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

namespace {

constexpr int kMaxSide = 32768;

std::uint32_t GetU32(const unsigned char* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

void SetU32(unsigned char* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>((value >> (8 * i)) & 0xFF);
}

// Offsets of the info-header fields used here.
constexpr std::size_t kWidthField = 4;
constexpr std::size_t kHeightField = 8;
constexpr std::size_t kBitCountField = 14;
constexpr std::size_t kImageSizeField = 20;
constexpr std::size_t kColoursUsedField = 32;

}  // namespace

PageImageSize PageImageSizeOf(int clientWidth, int clientHeight) {
  const int width = clientWidth < 0 ? -clientWidth : clientWidth;
  const int height = clientHeight < 0 ? -clientHeight : clientHeight;
  return {width, height - kIconBarStrip};
}

int IsCapturable(PageImageSize size) {
  return size.width > 0 && size.height > 0 && size.width <= kMaxSide && size.height <= kMaxSide;
}

std::size_t PageRowBytes(int width) { return Bmp4RowBytes(width); }

std::size_t PageImageBytes(PageImageSize size) { return Bmp4ImageBytes(size.width, size.height); }

std::size_t PageBlockBytes(PageImageSize size) {
  return kPageBlockHeaderBytes + PageImageBytes(size);
}

std::vector<unsigned char> PageBlockHeader(PageImageSize size, PageHeaderUse use) {
  std::vector<unsigned char> header;
  header.reserve(kPageBlockHeaderBytes);
  const unsigned colours = use == PageHeaderUse::kClipboard ? 16 : 0;
  AppendBmp4InfoHeader(size.width, size.height, colours, colours, header);
  AppendBmpPalette(kGraphPalette, header);
  return header;
}

std::vector<unsigned char> EncodePageBlock(const std::vector<unsigned char>& indexes,
                                           PageImageSize size, PageHeaderUse use) {
  if (!IsCapturable(size) ||
      indexes.size() != static_cast<std::size_t>(size.width) * size.height) {
    return {};
  }
  Image4 image;
  image.width = size.width;
  image.height = size.height;
  image.palette = kGraphPalette;
  image.pixels = indexes;
  std::vector<unsigned char> block = PageBlockHeader(size, use);
  AppendBmp4Rows(image, block);
  return block;
}

int CompletePageBlockHeader(unsigned char* block, std::size_t blockBytes, PageBlockLayout& layout) {
  layout = PageBlockLayout{};
  if (blockBytes < static_cast<std::size_t>(kBmpInfoHeaderSize) ||
      GetU32(block) != static_cast<std::uint32_t>(kBmpInfoHeaderSize)) {
    return 0;
  }
  const unsigned bitCount = block[kBitCountField] | block[kBitCountField + 1] << 8;
  unsigned colourCount = GetU32(block + kColoursUsedField);
  if (colourCount == 0 && bitCount != 24 && bitCount < 32) colourCount = 1u << bitCount;
  SetU32(block + kColoursUsedField, colourCount);
  if (GetU32(block + kImageSizeField) == 0) {
    const std::uint64_t width = GetU32(block + kWidthField);
    const std::uint64_t height = GetU32(block + kHeightField);
    SetU32(block + kImageSizeField,
           static_cast<std::uint32_t>((width * bitCount + 31) / 32 * 4 * height));
  }
  layout.colourTable = kBmpInfoHeaderSize;
  layout.pixels = layout.colourTable + 4u * colourCount;
  layout.colourCount = colourCount;
  return 1;
}

int BuildBitmapFile(const unsigned char* block, std::size_t blockBytes,
                    std::vector<unsigned char>& file) {
  file.clear();
  file.reserve(kBmpFileHeaderSize + blockBytes);
  AppendBmpFileHeader(kBmpFileHeaderSize + blockBytes, file);
  file.insert(file.end(), block, block + blockBytes);
  PageBlockLayout layout;
  return CompletePageBlockHeader(file.data() + kBmpFileHeaderSize, blockBytes, layout);
}

int BuildClipboardDib(const unsigned char* block, std::size_t blockBytes, PageImageSize size,
                      std::vector<unsigned char>& dib) {
  dib.clear();
  if (!IsCapturable(size) || blockBytes < PageBlockBytes(size)) return 0;
  dib = PageBlockHeader(size, PageHeaderUse::kClipboard);
  dib.insert(dib.end(), block + kPageBlockHeaderBytes, block + PageBlockBytes(size));
  return 1;
}
