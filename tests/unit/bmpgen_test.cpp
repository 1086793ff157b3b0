// The 16-colour BMP and icon writer: header layout, size arithmetic, row padding and order.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tools/bmp_writer.h"

namespace {

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
unsigned U16(const std::vector<unsigned char>& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

Image4 Picture(int width, int height) {
  Image4 image;
  image.width = width;
  image.height = height;
  image.palette = kVgaPalette;
  image.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  return image;
}

TEST(BmpWriter, RowBytesArePaddedToFourBytes) {
  struct Case { int width; std::size_t bytes; };
  const Case cases[] = {{1, 4}, {2, 4}, {7, 4}, {8, 4}, {9, 8}, {16, 8}, {17, 12},
                        {32, 16}, {115, 60}, {330, 168}, {474, 240}, {2000, 1000}};
  for (const Case& c : cases) {
    EXPECT_EQ(Bmp4RowBytes(c.width), c.bytes) << "width " << c.width;
  }
}

TEST(BmpWriter, FileSizesOfTheSuitesPictures) {
  EXPECT_EQ(kBmp4HeaderSize, 118);
  EXPECT_EQ(Bmp4FileBytes(32, 20), 118u + 16 * 20);
  EXPECT_EQ(Bmp4FileBytes(16, 20), 118u + 8 * 20);
  EXPECT_EQ(Bmp4FileBytes(2000, 20), 118u + 1000 * 20);
  EXPECT_EQ(Bmp4FileBytes(115, 93), 118u + 60 * 93);
  EXPECT_EQ(Bmp4FileBytes(330, 83), 118u + 168 * 83);
}

TEST(BmpWriter, HeaderFields) {
  Image4 image = Picture(115, 49);
  image.palette[7] = PaletteColour{236, 233, 216};
  std::vector<unsigned char> bytes;
  ASSERT_EQ(EncodeBmp4(image, bytes), 1);
  ASSERT_EQ(bytes.size(), Bmp4FileBytes(115, 49));
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(U32(bytes, 2), bytes.size());
  EXPECT_EQ(U32(bytes, 6), 0u);     // reserved
  EXPECT_EQ(U32(bytes, 10), 118u);  // pixel data offset
  EXPECT_EQ(U32(bytes, 14), 40u);   // info header size
  EXPECT_EQ(U32(bytes, 18), 115u);
  EXPECT_EQ(U32(bytes, 22), 49u);   // positive: bottom-up rows
  EXPECT_EQ(U16(bytes, 26), 1u);    // planes
  EXPECT_EQ(U16(bytes, 28), 4u);    // bits per pixel
  EXPECT_EQ(U32(bytes, 30), 0u);    // BI_RGB
  EXPECT_EQ(U32(bytes, 34), 60u * 49);
  EXPECT_EQ(U32(bytes, 46), 16u);   // colours used
  // Palette entries are blue, green, red, 0.
  EXPECT_EQ(bytes[54 + 4 * 7 + 0], 216);
  EXPECT_EQ(bytes[54 + 4 * 7 + 1], 233);
  EXPECT_EQ(bytes[54 + 4 * 7 + 2], 236);
  EXPECT_EQ(bytes[54 + 4 * 7 + 3], 0);
  EXPECT_EQ(bytes[54 + 4 * 12 + 0], 255);  // VGA blue
  EXPECT_EQ(bytes[54 + 4 * 12 + 2], 0);
}

TEST(BmpWriter, RowsAreBottomUpHighNibbleFirstAndZeroPadded) {
  Image4 image = Picture(3, 2);
  image.pixels = {1, 2, 3,     // top row
                  14, 15, 9};  // bottom row
  std::vector<unsigned char> bytes;
  ASSERT_EQ(EncodeBmp4(image, bytes), 1);
  ASSERT_EQ(bytes.size(), 118u + 2 * 4);
  const std::vector<unsigned char> rows(bytes.begin() + 118, bytes.end());
  const std::vector<unsigned char> expected = {0xEF, 0x90, 0, 0, 0x12, 0x30, 0, 0};
  EXPECT_EQ(rows, expected);
}

TEST(BmpWriter, RefusesBadPictures) {
  std::vector<unsigned char> bytes;
  Image4 empty = Picture(1, 1);
  empty.width = 0;
  empty.pixels.clear();
  EXPECT_EQ(EncodeBmp4(empty, bytes), 0);
  Image4 shortPixels = Picture(4, 4);
  shortPixels.pixels.pop_back();
  EXPECT_EQ(EncodeBmp4(shortPixels, bytes), 0);
  Image4 badIndex = Picture(2, 2);
  badIndex.pixels[3] = 16;
  EXPECT_EQ(EncodeBmp4(badIndex, bytes), 0);
  std::vector<unsigned char> header;
  EXPECT_EQ(AppendBmp4Header(-5, 10, kVgaPalette, header), 0);
  EXPECT_EQ(AppendBmp4Header(10, 40000, kVgaPalette, header), 0);
  EXPECT_TRUE(header.empty());
}

TEST(IcoWriter, DirectoryEntriesAndMask) {
  IconImage big;
  big.image = Picture(32, 32);
  big.transparent.assign(32 * 32, 0);
  big.transparent[0] = 1;            // top-left pixel of the top row
  IconImage small;
  small.image = Picture(16, 16);
  small.transparent.assign(16 * 16, 1);
  std::vector<unsigned char> bytes;
  ASSERT_EQ(EncodeIco4({big, small}, bytes), 1);
  EXPECT_EQ(U16(bytes, 0), 0u);
  EXPECT_EQ(U16(bytes, 2), 1u);  // icon
  EXPECT_EQ(U16(bytes, 4), 2u);  // two images
  // 32 x 32: 40 + 64 + 16*32 + 4*32 bytes; 16 x 16: 40 + 64 + 8*16 + 4*16 bytes.
  const std::uint32_t bigBytes = 40 + 64 + 512 + 128, smallBytes = 40 + 64 + 128 + 64;
  EXPECT_EQ(bytes[6], 32);
  EXPECT_EQ(bytes[8], 16);
  EXPECT_EQ(U16(bytes, 12), 4u);
  EXPECT_EQ(U32(bytes, 14), bigBytes);
  EXPECT_EQ(U32(bytes, 18), 6u + 2 * 16);
  EXPECT_EQ(U32(bytes, 30), smallBytes);
  EXPECT_EQ(U32(bytes, 34), 6u + 2 * 16 + bigBytes);
  ASSERT_EQ(bytes.size(), 6u + 2 * 16 + bigBytes + smallBytes);
  const std::size_t bigStart = 38;
  EXPECT_EQ(U32(bytes, bigStart + 8), 64u);  // doubled height
  // The AND mask of the big image: its last row (stored last) is the top row.
  const std::size_t lastMaskRow = bigStart + bigBytes - 4;
  EXPECT_EQ(bytes[lastMaskRow], 0x80);
  EXPECT_EQ(bytes[lastMaskRow + 1], 0x00);
  // The small image is transparent everywhere: 16 ones then 16 padding zeros per row.
  const std::size_t smallMask = 38 + bigBytes + 40 + 64 + 128;
  EXPECT_EQ(bytes[smallMask], 0xFF);
  EXPECT_EQ(bytes[smallMask + 1], 0xFF);
  EXPECT_EQ(bytes[smallMask + 2], 0x00);
}

TEST(IcoWriter, RefusesBadInput) {
  std::vector<unsigned char> bytes;
  EXPECT_EQ(EncodeIco4({}, bytes), 0);
  IconImage noMask;
  noMask.image = Picture(16, 16);
  EXPECT_EQ(EncodeIco4({noMask}, bytes), 0);
  IconImage tooBig;
  tooBig.image = Picture(300, 16);
  tooBig.transparent.assign(300 * 16, 0);
  EXPECT_EQ(EncodeIco4({tooBig}, bytes), 0);
}

}  // namespace
