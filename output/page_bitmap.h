// The captured page image: a 4-bit device-independent bitmap of the page below the icon bar,
// with the fixed graph palette, as one block of info header, colour table and pixel rows.
// This block is the input of the BMP file, the printout and the clipboard copy. Pure: no
// file, dialog or window calls; the Win32 side (output/output.h) only fills the pixel rows.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "output/bmp_writer.h"

// The fixed 16 colours of every captured page. Unlike the VGA order of kVgaPalette, index 7
// is the dark grey (128) and index 8 the light grey (192).
extern const std::array<PaletteColour, 16> kGraphPalette;

// Height of the icon-bar strip above the page in the client area.
constexpr int kIconBarStrip = 21;
// Info header and colour table in front of the pixel rows of a block.
constexpr int kPageBlockHeaderBytes = kBmpInfoHeaderSize + kBmp4PaletteSize;  // 104

// Size of the image captured from a client area: the whole width, the height below the
// icon-bar strip (negative client sizes count by their magnitude).
struct PageImageSize {
  int width;
  int height;
};
PageImageSize PageImageSizeOf(int clientWidth, int clientHeight);
// 1 when an image of that size can be captured (both sides 1 to 32768), else 0: a client
// area no higher than the icon bar holds no page.
int IsCapturable(PageImageSize size);

// Bytes of one pixel row (4·⌈W/8⌉), of all rows, and of the whole block (104 + rows).
std::size_t PageRowBytes(int width);
std::size_t PageImageBytes(PageImageSize size);
std::size_t PageBlockBytes(PageImageSize size);

// The two headers a block carries: at capture the colour counts are left 0 (all colours,
// completed to 16 when the block is locked for the file); the clipboard copy states 16 colours
// used and 16 important.
enum class PageHeaderUse { kCapture, kClipboard };

// Info header and colour table (104 bytes) of a block of that size.
std::vector<unsigned char> PageBlockHeader(PageImageSize size, PageHeaderUse use);

// Encodes a whole block from palette indexes (0..15, width·height of them, rows top to
// bottom): rows stored bottom row first, the left pixel of a byte in the high four bits,
// unused bits 0. Returns an empty block for a size that cannot be captured or a wrong count.
std::vector<unsigned char> EncodePageBlock(const std::vector<unsigned char>& indexes,
                                           PageImageSize size, PageHeaderUse use);

// Where the parts of a locked block are, after CompletePageBlockHeader.
struct PageBlockLayout {
  std::size_t colourTable = 0;  // offset of the colour table
  std::size_t pixels = 0;       // offset of the pixel rows
  unsigned colourCount = 0;
};
// Checks and completes the header of a block as the file and the printout need it: refuses
// (0) a block whose info-header size field is not 40 (or that is too short for a header);
// otherwise a colours-used field of 0 becomes the colour count (2 to the power of the bit
// count, unless 24 bits), an image-size field of 0 becomes the size of the rows, the layout is
// filled in, and the result is 1.
int CompletePageBlockHeader(unsigned char* block, std::size_t blockBytes, PageBlockLayout& layout);

// The BMP file of a captured block: the 14-byte file header ("BM", block + 14 bytes, pixels
// at 118) followed by the whole block with its header completed. The file is built even when
// the header check refuses the block; the result is that check (1 good, 0 refused).
int BuildBitmapFile(const unsigned char* block, std::size_t blockBytes,
                    std::vector<unsigned char>& file);

// The CF_DIB block of the clipboard from a captured block: the clipboard header and the graph
// palette followed by the pixel rows of the captured block for the given size. Returns 0 and
// an empty block when the captured block is too short for that size.
int BuildClipboardDib(const unsigned char* block, std::size_t blockBytes, PageImageSize size,
                      std::vector<unsigned char>& dib);
