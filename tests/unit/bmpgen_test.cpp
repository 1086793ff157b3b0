// The 16-colour BMP, icon and cursor writer: header layout, size arithmetic, row padding and
// order, and the refused pictures.
#include <gtest/gtest.h>

#include "tests/test_support.h"

#include <cstdint>
#include <tuple>
#include <vector>

#include "output/bmp_writer.h"

namespace {

using Bytes = std::vector<unsigned char>;

Image4 Picture(int width, int height) {
  Image4 image{.width = width, .height = height, .palette = kVgaPalette, .pixels = {}};
  image.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  return image;
}

IconImage Icon(int width, int height, unsigned char transparent) {
  return {Picture(width, height), std::vector<unsigned char>(static_cast<std::size_t>(width) * height, transparent)};
}

TEST(BmpWriter, HeaderFieldsRowsAndRefusedPictures) {
  Image4 image = Picture(115, 49);
  image.palette[7] = PaletteColour{236, 233, 216};
  Bytes bytes;
  ASSERT_EQ(EncodeBmp4(image, bytes), 1);
  EXPECT_EQ(std::tuple(bytes.size(), Bmp4FileBytes(115, 49)), std::tuple(118u + 60 * 49, 118u + 60 * 49));
  // "BM", file size, reserved, pixel offset, info size, width, height (positive: bottom-up
  // rows), planes, bits per pixel, BI_RGB, image size, colours used; palette entries are
  // blue, green, red, 0 (entry 7 set above, entry 12 VGA blue).
  EXPECT_EQ(MismatchedFields(bytes, {{0, 2, 0x4D42}, {2, 4, 118 + 60 * 49}, {6, 4, 0}, {10, 4, 118}, {14, 4, 40},
                                     {18, 4, 115}, {22, 4, 49}, {26, 2, 1}, {28, 2, 4}, {30, 4, 0}, {34, 4, 60 * 49},
                                     {46, 4, 16}, {54 + 4 * 7, 4, 0xECE9D8}, {54 + 4 * 12, 4, 0x0000FF}}),
            "");
  // Rows bottom first, the left pixel in the high nibble, padded with zeros.
  Image4 small = Picture(3, 2);
  small.pixels = {1, 2, 3, 14, 15, 9};  // the top row, then the bottom row
  ASSERT_EQ(EncodeBmp4(small, bytes), 1);
  EXPECT_EQ(Bytes(bytes.begin() + 118, bytes.end()), (Bytes{0xEF, 0x90, 0, 0, 0x12, 0x30, 0, 0}));
  // No pixels, one pixel short, a colour index beyond the palette, a size out of range: refused.
  Image4 shortPixels = Picture(4, 4), badIndex = Picture(2, 2);
  shortPixels.pixels.pop_back();
  badIndex.pixels[3] = 16;
  for (const Image4& bad : {Picture(0, 1), shortPixels, badIndex}) EXPECT_EQ(EncodeBmp4(bad, bytes), 0);
  Bytes header;
  EXPECT_EQ(std::tuple(AppendBmp4Header(-5, 10, kVgaPalette, header), AppendBmp4Header(10, 40000, kVgaPalette, header)),
            std::tuple(0, 0));
  EXPECT_TRUE(header.empty());
}

TEST(IcoWriter, DirectoryEntriesMaskAndTheCursorsHotSpot) {
  IconImage big = Icon(32, 32, 0), small = Icon(16, 16, 1);
  big.transparent[0] = 1;  // top-left pixel of the top row
  Bytes bytes;
  ASSERT_EQ(EncodeIco4({big, small}, bytes), 1);
  // 32 x 32: 40 + 64 + 16*32 + 4*32 bytes; 16 x 16: 40 + 64 + 8*16 + 4*16 bytes.
  const std::uint32_t bigBytes = 40 + 64 + 512 + 128, smallBytes = 40 + 64 + 128 + 64;
  EXPECT_EQ(bytes.size(), 6u + 2 * 16 + bigBytes + smallBytes);
  // Reserved, type icon, two images; per entry width, bits, size, offset; the doubled height
  // of the big image's header; its AND mask's last row (stored last) is the top row; the
  // small image is transparent everywhere: 16 ones then 16 padding zeros per row.
  const std::uint32_t smallMask = 38 + bigBytes + 40 + 64 + 128;
  EXPECT_EQ(MismatchedFields(bytes, {{0, 2, 0}, {2, 2, 1}, {4, 2, 2}, {6, 1, 32}, {8, 1, 16}, {12, 2, 4},
                                     {14, 4, bigBytes}, {18, 4, 38}, {22, 1, 16}, {30, 4, smallBytes},
                                     {34, 4, 38 + bigBytes}, {38 + 8, 4, 64}, {38 + bigBytes - 4, 2, 0x0080},
                                     {smallMask, 4, 0x0000FFFF}}),
            "");
  // No pictures, a mask of the wrong size, a picture over 256 pixels: refused.
  IconImage noMask = Icon(16, 16, 0), tooBig = Icon(300, 16, 0);
  noMask.transparent.clear();
  for (const std::vector<IconImage>& bad : {std::vector<IconImage>{}, {noMask}, {tooBig}}) EXPECT_EQ(EncodeIco4(bad, bytes), 0);
  // A cursor is an icon file of type 2 whose entry carries the hot spot in place of planes and
  // bit count; a hot spot off the picture is refused.
  const IconImage cursor = Icon(32, 32, 1);
  ASSERT_EQ(EncodeCur4({cursor}, 15, 7, bytes), 1);
  EXPECT_EQ(MismatchedFields(bytes, {{2, 2, 2}, {4, 2, 1}, {6, 1, 32}, {10, 2, 15}, {12, 2, 7}, {18, 4, 22},
                                     {22 + 8, 4, 64}}),
            "");
  EXPECT_EQ(std::tuple(EncodeCur4({cursor}, 32, 0, bytes), EncodeCur4({cursor}, 0, -1, bytes)), std::tuple(0, 0));
}

}  // namespace
