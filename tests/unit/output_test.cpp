// The graph output's pure part: page bitmap layout, BMP file and clipboard block, printed
// size, Print Zoom rules, drive decisions, the safe write's temporary name, and the texts.
#include <gtest/gtest.h>

#include "tests/test_support.h"
#include "tests/unit/fields.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "common/text_rules.h"
#include "korvan00/ids.h"
#include "korvan95/ids.h"
#include "output/drive_rules.h"
#include "output/output_texts.h"
#include "output/page_bitmap.h"
#include "output/print_rules.h"

std::ostream& operator<<(std::ostream& out, const PrintedPicture& p) {
  return out << "(" << p.x << ", " << p.y << ") " << p.width << " x " << p.height;
}

namespace {

using Bytes = std::vector<unsigned char>;

// ---- Page bitmap --------------------------------------------------------------------------

TEST(PageBitmap, SizesFromTheClientArea) {
  const struct { int clientWidth, clientHeight, width, height; std::size_t rowBytes, blockBytes; std::uint64_t bmpAsked; } cases[] = {
      // Negative: the magnitudes of the client rectangle. 9 wide: 5 bytes of pixels, 3 of padding. Then the largest page.
      {640, 421, 640, 400, 320, 128104, 129118}, {-640, -421, 640, 400, 320, 128104, 129118}, {9, 22, 9, 1, 8, 112, 1126},
      {8, 31, 8, 10, 4, 144, 1158}, {474, 377, 474, 356, 240, 85544, 86558},
      {32768, 32789, 32768, 32768, 16384, 536871016, 536872030}};
  for (const auto& c : cases) {
    const PageImageSize size = PageImageSizeOf(c.clientWidth, c.clientHeight);
    EXPECT_FIELDS(std::tuple(c.width, c.height, 1, c.rowBytes, c.blockBytes, c.bmpAsked), size.width, size.height,
                  IsCapturable(size), PageRowBytes(size.width), PageBlockBytes(size),
                  BitmapFileBytesAsked(c.clientWidth, c.clientHeight)) << c.clientWidth << " x " << c.clientHeight;
  }
  // A client area no higher than the icon bar, without width, or beyond 32768 holds no page.
  const int none[][2] = {{640, 21}, {640, 5}, {0, 400}, {32769, 400}, {640, 32790}};
  for (const auto& n : none) EXPECT_EQ(IsCapturable(PageImageSizeOf(n[0], n[1])), 0) << n[0] << " x " << n[1];
}

// The header and rows are the BMP writer's (bmpgen_test): here the page's sizes, colours and palette.
TEST(PageBitmap, FileAndClipboardOfACapturedBlock) {
  const PageImageSize size{640, 400};
  Bytes indexes(640 * 400, 15), file, dib;
  indexes[0] = 0;               // top-left pixel black
  indexes[640 * 399 + 1] = 12;  // second pixel of the bottom row blue
  const Bytes block = EncodePageBlock(indexes, size, PageHeaderUse::kCapture);
  // The captured header leaves colours used and important at 0; the file's header says 16 colours used.
  EXPECT_EQ(MismatchedFields(block, {{32, 4, 0}, {36, 4, 0}}), "");
  ASSERT_EQ(BuildBitmapFile(block.data(), block.size(), file), 1);
  EXPECT_EQ(file.size(), 128118u);
  // Palette entries blue, green, red, 0, the dark grey at 7 and the light grey at 8; bottom row first: white, blue;
  // top row last: black, white.
  EXPECT_EQ(MismatchedFields(file, {{2, 4, 128118}, {18, 4, 640}, {22, 4, 400}, {34, 4, 128000}, {46, 4, 16}, {50, 4, 0},
                                    {54, 4, 0}, {58, 4, 0x800000}, {70, 4, 0x80}, {82, 4, 0x808080}, {86, 4, 0xC0C0C0},
                                    {90, 4, 0xFF0000}, {102, 4, 0xFF}, {114, 4, 0xFFFFFF}, {118, 1, 0xFC},
                                    {118 + 399 * 320, 1, 0x0F}, {117 + 128000, 1, 0xFF}}),
            "");
  // The clipboard gets the same header and pixels, with 16 important colours as well.
  Bytes clipboard(file.begin() + 14, file.end());
  clipboard[36] = 16;
  ASSERT_EQ(BuildClipboardDib(block.data(), block.size(), size, dib), 1);
  EXPECT_EQ(dib, clipboard);
  // A captured block shorter than its size says is not copied past its end.
  EXPECT_EQ(BuildClipboardDib(block.data(), block.size() - 1, size, dib), 0);
  EXPECT_TRUE(dib.empty());
  // A wrong count of indexes, or a size that cannot be captured, gives no block at all.
  for (const auto& [w, h, count] : {std::tuple(2, 2, 3), {2, 2, 5}, {0, 0, 0}})
    EXPECT_TRUE(EncodePageBlock(Bytes(count), {w, h}, PageHeaderUse::kCapture).empty()) << w << " x " << h << ", " << count;
}

TEST(PageBitmap, HeaderCompletionAndRefusal) {
  // Colours used 0 becomes 2^bits (none for 24 bits); an image size of 0 is computed for rows
  // padded to 4 bytes (9 pixels a row).
  const struct { unsigned bits; std::uint32_t imageSize; unsigned colours; std::size_t pixels; std::uint32_t completedSize; } cases[] = {
      {4, 0, 16, 104, 8 * 400}, {8, 0, 256, 40 + 1024, 12 * 400}, {24, 0, 0, 40, 28 * 400}, {4, 777, 16, 104, 777}};
  for (const auto& c : cases) {
    Bytes block = PageBlockHeader({9, 400}, PageHeaderUse::kCapture);
    block[14] = static_cast<unsigned char>(c.bits);
    for (int i = 0; i < 4; ++i) block[20 + i] = static_cast<unsigned char>(c.imageSize >> (8 * i));
    PageBlockLayout layout;
    ASSERT_EQ(CompletePageBlockHeader(block.data(), block.size(), layout), 1) << c.bits;
    EXPECT_FIELDS(std::tuple(c.colours, std::size_t{40}, c.pixels, std::uint32_t{c.colours}, c.completedSize),
                  layout.colourCount, layout.colourTable, layout.pixels, Field(block, 32, 4), Field(block, 20, 4)) << c.bits;
  }
  // A header size other than 40 is refused, but the file is still built from the block.
  Bytes bad = PageBlockHeader({8, 1}, PageHeaderUse::kCapture);
  bad.resize(108, 0);
  bad[0] = 12;
  PageBlockLayout layout;
  EXPECT_EQ(std::tuple(CompletePageBlockHeader(bad.data(), bad.size(), layout), CompletePageBlockHeader(bad.data(), 20, layout)),
            std::tuple(0, 0));
  Bytes file;
  EXPECT_EQ(BuildBitmapFile(bad.data(), bad.size(), file), 0);
  EXPECT_EQ(file.size(), 122u);
  bad[0] = 124;  // a larger header is refused as well
  EXPECT_EQ(CompletePageBlockHeader(bad.data(), bad.size(), layout), 0);
}

// ---- Printed size -------------------------------------------------------------------------

TEST(PrintedSize, EveryOrientation) {
  const PrinterPage tall{203, 271, 600, 600}, wide{271, 203, 600, 600}, a4{209, 297, 300, 300};
  const struct { PrinterPage page; int clientWidth, clientHeight, zoom; PrintedPicture picture; } cases[] = {
      // Wide window on tall paper: the full width.
      {tall, 800, 600, 100, {383, 512, 3836, 2878}}, {tall, 800, 600, 50, {191, 256, 1918, 1439}},
      // Wide window on wide paper: the height limits a moderate window, the width a long one.
      {wide, 800, 600, 100, {512, 383, 5112, 3836}}, {wide, 1000, 300, 100, {512, 383, 5121, 1539}},
      {wide, 500, 500, 100, {512, 383, 3836, 3836}},
      // Tall window on tall paper: the height limits a narrow window, the width a nearly
      // square one; where both limits truncate to the same width, the height limits.
      {tall, 300, 800, 100, {383, 512, 1924, 5121}}, {tall, 600, 601, 100, {383, 512, 3836, 3842}},
      {tall, 211, 282, 100, {383, 512, 3836, 5121}},
      // Tall window on wide paper: the full height.
      {wide, 300, 800, 100, {512, 383, 1441, 3836}},
      // The A4 page of the PDF printer at 300 pixels per inch.
      {a4, 640, 421, 100, {197, 280, 1974, 1300}}, {a4, 640, 421, 20, {39, 56, 394, 260}}};
  for (const auto& c : cases)
    EXPECT_EQ(ComputePrintedPicture(c.page, c.clientWidth, c.clientHeight, c.zoom), c.picture) << "row " << &c - cases;
}

// ---- Print Zoom ---------------------------------------------------------------------------

// One dialog event of a zoom script; the end code of the dialog, or -1 for a step that does not end it.
using Step = std::function<int(ZoomState&)>;

TEST(PrintZoom, DialogScriptsAndWhatTheControlsShow) {
  const Step ok = ZoomOk, cancel = ZoomCancelled, close = [](ZoomState& s) { ZoomClosed(s); return kZoomEndClosed; };
  auto type = [](int value) { return Step([value](ZoomState& s) { ZoomEdited(s, value); return -1; }); };
  auto scroll = [](int code, int thumb = 0) { return Step([=](ZoomState& s) { ZoomScrolled(s, code, thumb); return -1; }); };
  // The zoom factor when the dialog opens, the steps (the last ends the dialog), the factor before the last step,
  // the dialog's end code, the warning after it and the factor then.
  const struct { int opened; std::vector<Step> steps; int factorInDialog, endCode, warning, factorAfter; } cases[] = {
      // Typed, then OK: out of range (an emptied box reads 0) the warning and the factor from before the dialog.
      {100, {type(15), type(150), ok}, 100, 1, 1, 100}, {60, {type(150), ok}, 100, 1, 1, 60}, {70, {type(5), ok}, 20, 1, 1, 70},
      {70, {type(0), ok}, 20, 1, 1, 70}, {70, {type(-30), ok}, 20, 1, 1, 70}, {100, {type(5), type(50), ok}, 50, 1, 0, 50},
      // The scroll bar stops at 20 and 100, takes the thumb, ignores other codes, and starts from the clamped typed value.
      {21, {scroll(kScrollLineLeft), scroll(kScrollLineLeft), ok}, 20, 1, 0, 20},
      {25, {scroll(kScrollPageLeft), ok}, 20, 1, 0, 20}, {50, {scroll(kScrollLineRight), ok}, 51, 1, 0, 51},
      {95, {scroll(kScrollPageRight), scroll(kScrollLineRight), ok}, 100, 1, 0, 100},
      {50, {scroll(kScrollThumbTrack, 33), scroll(kScrollThumbPosition, 44), ok}, 44, 1, 0, 44},
      {50, {scroll(8, 99), scroll(6, 99), ok}, 50, 1, 0, 50}, {100, {type(150), scroll(kScrollLineLeft), ok}, 99, 1, 0, 99},
      // Cancel and close give back the factor the dialog opened with.
      {80, {type(50), cancel}, 50, 2, 0, 80}, {80, {type(150), cancel}, 100, 2, 0, 80}, {80, {type(999), close}, 100, 0, 0, 80},
      {80, {scroll(kScrollPageLeft), close}, 70, 0, 0, 80}, {80, {close}, 80, 0, 0, 80}};
  for (const auto& c : cases) {
    ZoomState state{.zoomFactor = c.opened, .zoomTyped = c.opened};
    ZoomDialogOpened(state);
    for (auto step = c.steps.begin(); step + 1 != c.steps.end(); ++step) (*step)(state);
    const int factorInDialog = state.zoomFactor, endCode = c.steps.back()(state);
    EXPECT_FIELDS(std::tuple(c.factorInDialog, c.endCode, c.warning, c.factorAfter, c.factorAfter), factorInDialog, endCode,
                  ZoomAfterDialog(state), state.zoomFactor, state.zoomTyped) << "row " << &c - cases;
  }

  ZoomState state{.zoomFactor = 50};
  ZoomDialogOpened(state);
  // A scroll that changes the value moves both controls; one that stays at a limit, neither.
  EXPECT_EQ(ZoomScrolled(state, kScrollPageRight, 0), (ZoomControls{true, true, 60}));
  state.zoomFactor = state.zoomTyped = 100;
  EXPECT_EQ(ZoomScrolled(state, kScrollLineRight, 0), ZoomControls{});
  // Typing moves only the scroll bar, to the clamped value; the edit text stays as typed.
  EXPECT_EQ(ZoomEdited(state, 45), (ZoomControls{true, false, 45}));
  EXPECT_EQ(ZoomEdited(state, 7), (ZoomControls{true, false, 20}));
  EXPECT_EQ(state.zoomTyped, 7);
  // Closing shows the value the dialog opened with again.
  EXPECT_EQ(ZoomClosed(state), (ZoomControls{true, true, 50}));
}

// ---- Drive checks -------------------------------------------------------------------------

TEST(DriveChecks, RefusedTypesFreeSpaceRoomRootExtensionAndTemporaryName) {
  for (unsigned type : {kDriveUnknown, kDriveNoRootDir, kDriveRemote, kDriveCdrom})
    EXPECT_EQ(IsRefusedDriveType(type), 1) << type;
  for (unsigned type : {kDriveRemovable, kDriveFixed, kDriveRamdisk, DriveType{7}, DriveType{0xFFFFFFFFu}})
    EXPECT_EQ(IsRefusedDriveType(type), 0) << type;
  using enum FreeSpaceQuery;
  const struct { int versionClass; unsigned long platformId, build; FreeSpaceQuery query; } cases[] = {
      // 1111: Windows 95 OSR2; 0x040003E8: build 1000 under version bits.
      {1, 1, 1998, k64Bit}, {5, 2, 2600, k64Bit}, {7, 0, 0, k64Bit}, {0, 1, 1001, k64Bit}, {0, 1, 1111, k64Bit},
      {0, 1, 1000, k32Bit}, {0, 1, 950, k32Bit}, {0, 1, 0x040003E8, k32Bit}, {0, 1, 0x04000457, k64Bit},
      {0, 2, 2600, k32Bit}, {0, 0, 5000, k32Bit}};
  for (const auto& c : cases)
    EXPECT_EQ(ChooseFreeSpaceQuery(c.versionClass, c.platformId, c.build), c.query)
        << "class " << c.versionClass << " platform " << c.platformId << " build " << c.build;

  // Asked: 13 bytes a data value + 1000, the results text + 1000, the BMP of a 640 x 421 client
  // area 128000 pixel bytes + 1118. Room: the free bytes reach the request + 1000.
  EXPECT_EQ(std::tuple(DataFileBytesAsked(1000), DataFileBytesAsked(0), ResultsFileBytesAsked(5000)),
            std::tuple(14000u, 1000u, 6000u));
  EXPECT_EQ(std::tuple(HasRoom(15000, 14000), HasRoom(14999, 14000)), std::tuple(1, 0));
  // Free space beyond 4 GiB, from either query, is not wrapped round.
  EXPECT_EQ(std::tuple(FreeBytesOf32BitQuery(64, 512, 200000), FreeBytesOf32BitQuery(8, 512, 3)),
            std::tuple(6553600000u, 12288u));
  EXPECT_EQ(std::tuple(HasRoom(6553600000u, 3000000000u), HasRoom(0x100000000u, 0xFFFFFFFFu)), std::tuple(1, 0));

// Paths as the wide file dialogs give them: a character outside the code page, or a CP932
// character whose second byte is 0x5C ("表"), is one character and never a separator.
  const wchar_t* roots[][2] = {{L"C:\\data\\graph.bmp", L"C:\\"}, {L"\\\\server\\share\\g.bmp", L"\\\\s"},
                               {L"a:", L"a:"}, {L"", L""}, {L"Ł:\\g.bmp", L"?:\\"}, {L"é:", L"?:"}};
  for (const auto& r : roots) {
    const std::wstring expected = r[1];
    EXPECT_EQ(DriveRoot(r[0]), std::string(expected.begin(), expected.end())) << "root row " << (&r - roots);
  }
  const struct { const wchar_t* path; const char* ext; int accepted; } extensions[] = {
      {L"C:\\g.bmp", "BMP", 1},  {L"C:\\g.BMP", "BMP", 1},     {L"C:\\g.Bmp", "BMP", 1},  {L"C:\\g.bmp", "bmp", 1},
      {L".bmp", "BMP", 1},       {L"C:\\g.bitmap", "BMP", 0},  {L"C:\\gbmp", "BMP", 0},   {L"bmp", "BMP", 0},
      {L"C:\\g.bmpx", "BMP", 0}, {L"C:\\g.bmp ", "BMP", 0},    {L"C:\\g.dmp", "BMP", 0},  {L"", "BMP", 0},
      {L"C:\\d.Txt", "TXT", 1},  {L"C:\\d.txt.bak", "TXT", 0}, {L"C:\\r.XLS", "XLS", 1},  {L"C:\\r.xlsx", "XLS", 0},
      {L"C:\\表.ｔｘｔ", "TXT", 0}, {L"C:\\日本語 😀.txt", "TXT", 1}};
  for (const auto& c : extensions) EXPECT_EQ(HasExtension(c.path, c.ext), c.accepted) << "extension row " << &c - extensions;
  // The safe write's temporary file goes in the same folder.
  const struct { const wchar_t* path; unsigned attempt; const wchar_t* temporary; } temporaries[] = {
      {L"C:\\data\\graph.bmp", 0, L"C:\\data\\~kv0.tmp"}, {L"C:\\data\\graph.bmp", 26, L"C:\\data\\~kv1a.tmp"},
      {L"C:\\graph.bmp", 3, L"C:\\~kv3.tmp"},             {L"C:graph.bmp", 0, L"C:~kv0.tmp"},
      {L"Z:/tmp/x/graph.bmp", 0, L"Z:/tmp/x/~kv0.tmp"}, {L"\\\\server\\share\\r.xls", 1, L"\\\\server\\share\\~kv1.tmp"},
      {L"graph.bmp", 0, L"~kv0.tmp"}, {L"C:\\表\\Łukasz\\ソ.bmp", 2, L"C:\\表\\Łukasz\\~kv2.tmp"}};
  for (const auto& t : temporaries)
    EXPECT_TRUE(TemporaryPathFor(t.path, t.attempt) == t.temporary) << "temporary row " << (&t - temporaries);
}

// ---- Texts --------------------------------------------------------------------------------

TEST(OutputTexts, EveryMessageInBothLanguagesAndTheProgramDifferences) {
  const struct { OutputMessage message; OutputProgram program; int japanese; const char *text, *caption; unsigned style; } cases[] = {
      {kOutputDialogFailed, kKorvan95, 0, "Unable to display dialog.", "System Error", 0x1010},
      {kOutputDialogFailed, kKorvan00, 0, "Unable to display dialog", "System Error", 0x1010},
      {kOutputZoomOutOfRange, kKorvan95, 1, "ズーム係数が範囲外です.\n前の値にセットします.", "警告", 0x10},
      {kOutputZoomOutOfRange, kKorvan00, 1, "縮小ファクターが限度以下なので\n前の値を適用します.", "警告", 0x10},
      {kOutputZoomOutOfRange, kKorvan00, 0, "Zoom out factor was out of the limits\nso that the previous value has been set.",
       "Warning", 0x10},
      {kOutputBmpExtension, kKorvan95, 0, "Assign a file with BMP extension.", "Error", 0x30},
      {kOutputBadInfoHeader, kKorvan00, 0, "Illegal structure size is found in info header.", "Error", 0x10},
      {kOutputPrintStartFailed, kKorvan95, 0, "Unable to start print job.", "Warning", 0x10},
      // Out of range: no text and no icon.
      {kOutputMessageCount, kKorvan95, 0, "", "", 0}, {kOutputMessageCount, kKorvan00, 1, "", "", 0}};
  for (const auto& c : cases) {
    const MessageBoxText box = GetOutputMessage(c.message, c.program, c.japanese);
    EXPECT_EQ(std::tuple(std::string(box.text), std::string(box.caption), box.icon), std::tuple(c.text, c.caption, c.style))
        << c.message << " program " << c.program << " japanese " << c.japanese;
  }
  // The Print Zoom controls the output looks for are those of each program's dialog.
  const OutputProgramTraits &k95 = TraitsOf(kKorvan95), &k00 = TraitsOf(kKorvan00);
  EXPECT_EQ(std::tuple(k95.zoomEditId, k95.zoomScrollId, k00.zoomEditId, k00.zoomScrollId),
            std::tuple(kDlgZoomEdit, kDlgZoomScroll, korvan00::kZoomEdit, korvan00::kZoomScrollBar));
}

}  // namespace
