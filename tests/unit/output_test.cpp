// The graph output's pure part: page bitmap layout, BMP file and clipboard block, printed
// size, Print Zoom rules, drive decisions, the safe write's temporary name, and the texts.
#include <gtest/gtest.h>

#include "tests/test_support.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "output/drive_rules.h"
#include "output/output_texts.h"
#include "output/page_bitmap.h"
#include "output/print_rules.h"

namespace {

struct FieldCase {
  std::size_t offset;
  int size;
  std::uint32_t value;
};

void ExpectFields(const std::vector<unsigned char>& bytes, const std::vector<FieldCase>& fields,
                  const char* what) {
  for (const FieldCase& f : fields) {
    EXPECT_EQ(Field(bytes, f.offset, f.size), f.value) << what << " offset " << f.offset;
  }
}

// ---- Page bitmap --------------------------------------------------------------------------

TEST(PageBitmap, SizesFromTheClientArea) {
  struct Case {
    int clientWidth, clientHeight;
    int width, height;
    std::size_t rowBytes, blockBytes;
    std::uint64_t bmpAsked;
  } cases[] = {
      {640, 421, 640, 400, 320, 128104, 129118},
      {-640, -421, 640, 400, 320, 128104, 129118},  // magnitudes of the client rectangle
      {9, 22, 9, 1, 8, 112, 1126},                  // 5 bytes of pixels, 3 of padding
      {8, 31, 8, 10, 4, 144, 1158},
      {474, 377, 474, 356, 240, 85544, 86558},
  };
  for (const Case& c : cases) {
    const PageImageSize size = PageImageSizeOf(c.clientWidth, c.clientHeight);
    EXPECT_EQ(size.width, c.width) << c.clientWidth;
    EXPECT_EQ(size.height, c.height) << c.clientHeight;
    EXPECT_EQ(IsCapturable(size), 1);
    EXPECT_EQ(PageRowBytes(size.width), c.rowBytes) << c.clientWidth;
    EXPECT_EQ(PageBlockBytes(size), c.blockBytes) << c.clientWidth << " x " << c.clientHeight;
    EXPECT_EQ(BitmapFileBytesAsked(c.clientWidth, c.clientHeight), c.bmpAsked) << c.clientWidth;
  }
  // A client area no higher than the icon bar, or without width, holds no page.
  for (const PageImageSize& none : {PageImageSizeOf(640, 21), PageImageSizeOf(640, 5),
                                    PageImageSizeOf(0, 400), PageImageSizeOf(40000, 400)}) {
    EXPECT_EQ(IsCapturable(none), 0) << none.width << " x " << none.height;
  }
}

TEST(PageBitmap, CaptureAndClipboardHeaders) {
  const PageImageSize size{640, 400};
  const std::vector<unsigned char> capture = PageBlockHeader(size, PageHeaderUse::kCapture);
  const std::vector<unsigned char> clipboard = PageBlockHeader(size, PageHeaderUse::kClipboard);
  ASSERT_EQ(capture.size(), 104u);
  ASSERT_EQ(clipboard.size(), 104u);
  // size, width, height, planes, bits, compression, image size, resolutions, colours
  // used / important (0 at capture, 16 and 16 on the clipboard); palette entries are blue,
  // green, red, 0 with the dark grey at 7 and the light grey at 8.
  const std::vector<FieldCase> common = {
      {0, 4, 40}, {4, 4, 640}, {8, 4, 400}, {12, 2, 1}, {14, 2, 4}, {16, 4, 0},
      {20, 4, 128000}, {24, 4, 0}, {28, 4, 0}, {40 + 4 * 0, 4, 0x00000000},
      {40 + 4 * 1, 4, 0x00800000}, {40 + 4 * 4, 4, 0x00000080}, {40 + 4 * 7, 4, 0x00808080},
      {40 + 4 * 8, 4, 0x00C0C0C0}, {40 + 4 * 9, 4, 0x00FF0000}, {40 + 4 * 12, 4, 0x000000FF},
      {40 + 4 * 15, 4, 0x00FFFFFF}};
  ExpectFields(capture, common, "capture");
  ExpectFields(clipboard, common, "clipboard");
  ExpectFields(capture, {{32, 4, 0}, {36, 4, 0}}, "capture");
  ExpectFields(clipboard, {{32, 4, 16}, {36, 4, 16}}, "clipboard");
}

TEST(PageBitmap, RowsBottomUpLeftPixelHighNibble) {
  struct Case {
    int width, height;
    std::vector<unsigned char> indexes;   // rows top to bottom
    std::vector<unsigned char> pixels;    // stored rows, bottom first
  } cases[] = {
      {3, 2, {1, 2, 3, 14, 15, 9}, {0xEF, 0x90, 0, 0, 0x12, 0x30, 0, 0}},
      {9, 1, {15, 0, 12, 9, 15, 15, 0, 0, 7}, {0xF0, 0xC9, 0xFF, 0x00, 0x70, 0, 0, 0}},
      {8, 1, {8, 7, 6, 5, 4, 3, 2, 1}, {0x87, 0x65, 0x43, 0x21}},
  };
  for (const Case& c : cases) {
    const std::vector<unsigned char> block =
        EncodePageBlock(c.indexes, {c.width, c.height}, PageHeaderUse::kCapture);
    ASSERT_EQ(block.size(), 104 + c.pixels.size()) << c.width;
    EXPECT_EQ(std::vector<unsigned char>(block.begin() + 104, block.end()), c.pixels) << c.width;
  }
  EXPECT_TRUE(EncodePageBlock({1, 2, 3}, {2, 2}, PageHeaderUse::kCapture).empty());
  EXPECT_TRUE(EncodePageBlock({}, {0, 0}, PageHeaderUse::kCapture).empty());
}

TEST(PageBitmap, BitmapFileOfACapturedBlock) {
  const PageImageSize size{640, 400};
  std::vector<unsigned char> indexes(640 * 400, 15);
  indexes[0] = 0;                 // top-left pixel black
  indexes[640 * 399 + 1] = 12;    // second pixel of the bottom row blue
  const std::vector<unsigned char> block = EncodePageBlock(indexes, size, PageHeaderUse::kCapture);
  std::vector<unsigned char> file;
  ASSERT_EQ(BuildBitmapFile(block.data(), block.size(), file), 1);
  ASSERT_EQ(file.size(), 128118u);
  ExpectFields(file, {{0, 2, 0x4D42}, {2, 4, 128118}, {6, 2, 0}, {8, 2, 0}, {10, 4, 118},
                      {14, 4, 40}, {18, 4, 640}, {22, 4, 400}, {26, 2, 1}, {28, 2, 4},
                      {30, 4, 0}, {34, 4, 128000}, {38, 4, 0}, {42, 4, 0}, {46, 4, 16},
                      {50, 4, 0}, {54 + 4 * 8, 4, 0x00C0C0C0}},
               "file");
  EXPECT_EQ(file[118], 0xFC);                // bottom row first: white, blue
  EXPECT_EQ(file[118 + 399 * 320], 0x0F);    // top row last: black, white
  EXPECT_EQ(file[117 + 128000], 0xFF);
}

TEST(PageBitmap, HeaderCompletionAndRefusal) {
  // Colours used 0 becomes 2^bits (none for 24 bits); an image size of 0 is computed.
  struct Case {
    unsigned bits;
    std::uint32_t imageSize;
    unsigned colours;
    std::size_t pixels;
    std::uint32_t completedSize;
  } cases[] = {
      {4, 0, 16, 104, 320 * 400},
      {8, 0, 256, 40 + 1024, 640 * 400},
      {24, 0, 0, 40, 1920 * 400},
      {4, 777, 16, 104, 777},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> block = PageBlockHeader({640, 400}, PageHeaderUse::kCapture);
    block[14] = static_cast<unsigned char>(c.bits);
    for (int i = 0; i < 4; ++i) block[20 + i] = static_cast<unsigned char>(c.imageSize >> (8 * i));
    PageBlockLayout layout;
    ASSERT_EQ(CompletePageBlockHeader(block.data(), block.size(), layout), 1) << c.bits;
    EXPECT_EQ(layout.colourCount, c.colours) << c.bits;
    EXPECT_EQ(layout.colourTable, 40u);
    EXPECT_EQ(layout.pixels, c.pixels) << c.bits;
    EXPECT_EQ(Field(block, 32, 4), c.colours) << c.bits;
    EXPECT_EQ(Field(block, 20, 4), c.completedSize) << c.bits;
  }
  // A header size other than 40 is refused, but the file is still built from the block.
  std::vector<unsigned char> bad = PageBlockHeader({8, 1}, PageHeaderUse::kCapture);
  bad.resize(108, 0);
  bad[0] = 12;
  PageBlockLayout layout;
  EXPECT_EQ(CompletePageBlockHeader(bad.data(), bad.size(), layout), 0);
  EXPECT_EQ(CompletePageBlockHeader(bad.data(), 20, layout), 0);
  std::vector<unsigned char> file;
  EXPECT_EQ(BuildBitmapFile(bad.data(), bad.size(), file), 0);
  EXPECT_EQ(file.size(), 122u);
}

TEST(PageBitmap, ClipboardBlock) {
  const PageImageSize size{640, 400};
  std::vector<unsigned char> indexes(640 * 400, 9);
  const std::vector<unsigned char> block = EncodePageBlock(indexes, size, PageHeaderUse::kCapture);
  std::vector<unsigned char> dib;
  ASSERT_EQ(BuildClipboardDib(block.data(), block.size(), size, dib), 1);
  ASSERT_EQ(dib.size(), 128104u);
  ExpectFields(dib, {{0, 4, 40}, {4, 4, 640}, {8, 4, 400}, {20, 4, 128000}, {32, 4, 16},
                     {36, 4, 16}}, "dib");
  EXPECT_TRUE(std::equal(dib.begin() + 104, dib.end(), block.begin() + 104));
  // A captured block shorter than its size says is not copied past its end.
  EXPECT_EQ(BuildClipboardDib(block.data(), block.size() - 1, size, dib), 0);
  EXPECT_TRUE(dib.empty());
}

// ---- Printed size -------------------------------------------------------------------------

TEST(PrintedSize, EveryOrientation) {
  struct Case {
    PrinterPage page;
    int clientWidth, clientHeight, zoom;
    PrintedPicture picture;
  } cases[] = {
      // Wide window on tall paper: the full width.
      {{203, 271, 600, 600}, 800, 600, 100, {383, 512, 3836, 2878}},
      {{203, 271, 600, 600}, 800, 600, 50, {191, 256, 1918, 1439}},
      // Wide window on wide paper: the height limits a moderate window, the width a long one.
      {{271, 203, 600, 600}, 800, 600, 100, {512, 383, 5112, 3836}},
      {{271, 203, 600, 600}, 1000, 300, 100, {512, 383, 5121, 1539}},
      {{271, 203, 600, 600}, 500, 500, 100, {512, 383, 3836, 3836}},
      // Tall window on tall paper: the height limits a narrow window, the width a nearly
      // square one.
      {{203, 271, 600, 600}, 300, 800, 100, {383, 512, 1924, 5121}},
      {{203, 271, 600, 600}, 600, 601, 100, {383, 512, 3836, 3842}},
      // Tall window on wide paper: the full height.
      {{271, 203, 600, 600}, 300, 800, 100, {512, 383, 1441, 3836}},
      // The A4 page of the PDF printer at 300 pixels per inch.
      {{209, 297, 300, 300}, 640, 421, 100, {197, 280, 1974, 1300}},
      {{209, 297, 300, 300}, 640, 421, 20, {39, 56, 394, 260}},
  };
  for (const Case& c : cases) {
    const PrintedPicture p =
        ComputePrintedPicture(c.page, c.clientWidth, c.clientHeight, c.zoom);
    const std::string what = std::to_string(c.page.widthMm) + "x" +
                             std::to_string(c.page.heightMm) + " mm, window " +
                             std::to_string(c.clientWidth) + "x" +
                             std::to_string(c.clientHeight) + ", zoom " + std::to_string(c.zoom);
    EXPECT_EQ(p.x, c.picture.x) << what;
    EXPECT_EQ(p.y, c.picture.y) << what;
    EXPECT_EQ(p.width, c.picture.width) << what;
    EXPECT_EQ(p.height, c.picture.height) << what;
  }
}

// ---- Print Zoom ---------------------------------------------------------------------------

// One dialog event of a zoom script.
enum class Event { kScroll, kType, kOk, kCancel, kClose };
struct Step {
  Event event;
  int code;   // scroll code
  int value;  // thumb position or typed value
};

struct ZoomCase {
  const char* name;
  int opened;               // zoomFactor when the dialog opens
  std::vector<Step> steps;  // the last step ends the dialog
  int factorInDialog;       // zoomFactor before the last step
  int endCode;
  int warning;
  int factorAfter;
};

TEST(PrintZoom, DialogScripts) {
  const Step ok{Event::kOk, 0, 0}, cancel{Event::kCancel, 0, 0}, close{Event::kClose, 0, 0};
  const ZoomCase cases[] = {
      {"typed 150, OK", 100, {{Event::kType, 0, 15}, {Event::kType, 0, 150}, ok}, 100, 1, 1, 100},
      {"typed 150 from 60, OK", 60, {{Event::kType, 0, 150}, ok}, 100, 1, 1, 60},
      {"typed 50, OK", 100, {{Event::kType, 0, 5}, {Event::kType, 0, 50}, ok}, 50, 1, 0, 50},
      {"typed 5, OK", 70, {{Event::kType, 0, 5}, ok}, 20, 1, 1, 70},
      {"emptied edit box, OK", 70, {{Event::kType, 0, 0}, ok}, 20, 1, 1, 70},
      {"typed -30, OK", 70, {{Event::kType, 0, -30}, ok}, 20, 1, 1, 70},
      {"line left stops at 20", 21,
       {{Event::kScroll, kScrollLineLeft, 0}, {Event::kScroll, kScrollLineLeft, 0}, ok}, 20, 1, 0, 20},
      {"page left stops at 20", 25, {{Event::kScroll, kScrollPageLeft, 0}, ok}, 20, 1, 0, 20},
      {"page right stops at 100", 95,
       {{Event::kScroll, kScrollPageRight, 0}, {Event::kScroll, kScrollLineRight, 0}, ok}, 100, 1, 0, 100},
      {"line right", 50, {{Event::kScroll, kScrollLineRight, 0}, ok}, 51, 1, 0, 51},
      {"thumb track and position", 50,
       {{Event::kScroll, kScrollThumbTrack, 33}, {Event::kScroll, kScrollThumbPosition, 44}, ok},
       44, 1, 0, 44},
      {"other scroll codes", 50, {{Event::kScroll, 8, 99}, {Event::kScroll, 6, 99}, ok}, 50, 1, 0, 50},
      {"scroll after typing out of range", 100,
       {{Event::kType, 0, 150}, {Event::kScroll, kScrollLineLeft, 0}, ok}, 99, 1, 0, 99},
      {"cancel after typing", 80, {{Event::kType, 0, 50}, cancel}, 50, 2, 0, 80},
      {"cancel after typing 150", 80, {{Event::kType, 0, 150}, cancel}, 100, 2, 0, 80},
      {"close after scrolling", 80, {{Event::kScroll, kScrollPageLeft, 0}, close}, 70, 0, 0, 80},
      {"close after typing 999", 80, {{Event::kType, 0, 999}, close}, 100, 0, 0, 80},
      {"close unchanged", 80, {close}, 80, 0, 0, 80},
  };
  for (const ZoomCase& c : cases) {
    ZoomState state;
    state.zoomFactor = state.zoomTyped = c.opened;
    ZoomDialogOpened(state);
    int endCode = -1;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const Step& step = c.steps[i];
      if (i + 1 == c.steps.size()) {
        EXPECT_EQ(state.zoomFactor, c.factorInDialog) << c.name;
      }
      switch (step.event) {
        case Event::kScroll: ZoomScrolled(state, step.code, step.value); break;
        case Event::kType: ZoomEdited(state, step.value); break;
        case Event::kOk: endCode = ZoomOk(state); break;
        case Event::kCancel: endCode = ZoomCancelled(state); break;
        case Event::kClose: endCode = kZoomEndClosed; ZoomClosed(state); break;
      }
      EXPECT_GE(state.zoomFactor, kZoomMin) << c.name;
      EXPECT_LE(state.zoomFactor, kZoomMax) << c.name;
    }
    EXPECT_EQ(endCode, c.endCode) << c.name;
    EXPECT_EQ(ZoomAfterDialog(state), c.warning) << c.name;
    EXPECT_EQ(state.zoomFactor, c.factorAfter) << c.name;
    EXPECT_EQ(state.zoomTyped, c.factorAfter) << c.name;
  }
}

TEST(PrintZoom, WhatTheControlsShow) {
  ZoomState state;
  state.zoomFactor = 50;
  ZoomDialogOpened(state);
  // A scroll that changes the value moves both controls; one that stays at a limit, neither.
  ZoomControls shown = ZoomScrolled(state, kScrollPageRight, 0);
  EXPECT_TRUE(shown.setScroll && shown.setEdit);
  EXPECT_EQ(shown.value, 60);
  state.zoomFactor = state.zoomTyped = 100;
  shown = ZoomScrolled(state, kScrollLineRight, 0);
  EXPECT_FALSE(shown.setScroll || shown.setEdit);
  // Typing moves only the scroll bar, to the clamped value; the edit text stays as typed.
  shown = ZoomEdited(state, 45);
  EXPECT_TRUE(shown.setScroll && !shown.setEdit);
  EXPECT_EQ(shown.value, 45);
  shown = ZoomEdited(state, 7);
  EXPECT_TRUE(shown.setScroll && !shown.setEdit);
  EXPECT_EQ(shown.value, 20);
  EXPECT_EQ(state.zoomTyped, 7);
  // Closing shows the value the dialog opened with again.
  shown = ZoomClosed(state);
  EXPECT_TRUE(shown.setScroll && shown.setEdit);
  EXPECT_EQ(shown.value, 50);
}

// ---- Drive checks -------------------------------------------------------------------------

TEST(DriveChecks, RefusedDriveTypes) {
  const struct {
    unsigned type;
    int refused;
  } cases[] = {{kDriveUnknown, 1}, {kDriveNoRootDir, 1}, {kDriveRemovable, 0}, {kDriveFixed, 0},
               {kDriveRemote, 1},  {kDriveCdrom, 1},     {kDriveRamdisk, 0},   {7, 0},
               {0xFFFFFFFFu, 0}};
  for (const auto& c : cases) EXPECT_EQ(IsRefusedDriveType(c.type), c.refused) << c.type;
}

TEST(DriveChecks, FreeSpaceQueryByVersion) {
  const struct {
    int versionClass;
    unsigned long platformId, build;
    FreeSpaceQuery query;
  } cases[] = {
      {1, 1, 1998, FreeSpaceQuery::k64Bit},      {5, 2, 2600, FreeSpaceQuery::k64Bit},
      {7, 0, 0, FreeSpaceQuery::k64Bit},         {0, 1, 1001, FreeSpaceQuery::k64Bit},
      {0, 1, 1111, FreeSpaceQuery::k64Bit},      // Windows 95 OSR2
      {0, 1, 1000, FreeSpaceQuery::k32Bit},      {0, 1, 950, FreeSpaceQuery::k32Bit},
      {0, 1, 0x040003E8, FreeSpaceQuery::k32Bit},  // build 1000 under version bits
      {0, 1, 0x04000457, FreeSpaceQuery::k64Bit},
      {0, 2, 2600, FreeSpaceQuery::k32Bit},      {0, 0, 5000, FreeSpaceQuery::k32Bit},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseFreeSpaceQuery(c.versionClass, c.platformId, c.build), c.query)
        << "class " << c.versionClass << " platform " << c.platformId << " build " << c.build;
  }
}

TEST(DriveChecks, RoomForEachWriter) {
  // 1000 values of the data file need 15000 free bytes: 13000 + 1000 asked, 1000 margin.
  EXPECT_EQ(DataFileBytesAsked(1000), 14000u);
  EXPECT_EQ(HasRoom(15000, DataFileBytesAsked(1000)), 1);
  EXPECT_EQ(HasRoom(14999, DataFileBytesAsked(1000)), 0);
  EXPECT_EQ(DataFileBytesAsked(0), 1000u);
  EXPECT_EQ(ResultsFileBytesAsked(5000), 6000u);
  EXPECT_EQ(HasRoom(7000, ResultsFileBytesAsked(5000)), 1);
  EXPECT_EQ(HasRoom(6999, ResultsFileBytesAsked(5000)), 0);
  // The BMP of a 640 x 421 client area: 128000 pixel bytes + 1118, then the margin.
  EXPECT_EQ(HasRoom(130118, BitmapFileBytesAsked(640, 421)), 1);
  EXPECT_EQ(HasRoom(130117, BitmapFileBytesAsked(640, 421)), 0);
  // Free space beyond 4 GiB, from either query, is not wrapped round.
  EXPECT_EQ(FreeBytesOf32BitQuery(64, 512, 200000), 6553600000u);
  EXPECT_EQ(HasRoom(FreeBytesOf32BitQuery(64, 512, 200000), 3000000000u), 1);
  EXPECT_EQ(HasRoom(0x100000000ull, 0xFFFFFFFFull), 0);
  EXPECT_EQ(FreeBytesOf32BitQuery(8, 512, 3), 12288u);
}

TEST(DriveChecks, RootAndExtension) {
  EXPECT_EQ(DriveRoot("C:\\data\\graph.bmp"), "C:\\");
  EXPECT_EQ(DriveRoot("\\\\server\\share\\g.bmp"), "\\\\s");
  EXPECT_EQ(DriveRoot("a:"), "a:");
  EXPECT_EQ(DriveRoot(""), "");
  const struct {
    const char* path;
    const char* ext;
    int accepted;
  } cases[] = {
      {"C:\\g.bmp", "BMP", 1},   {"C:\\g.BMP", "BMP", 1},     {"C:\\g.Bmp", "BMP", 1},
      {"C:\\g.bmp", "bmp", 1},   {".bmp", "BMP", 1},          {"C:\\g.bitmap", "BMP", 0},
      {"C:\\gbmp", "BMP", 0},    {"bmp", "BMP", 0},           {"C:\\g.bmpx", "BMP", 0},
      {"C:\\g.bmp ", "BMP", 0},  {"C:\\g.dmp", "BMP", 0},     {"", "BMP", 0},
      {"C:\\d.Txt", "TXT", 1},   {"C:\\d.txt.bak", "TXT", 0}, {"C:\\r.XLS", "XLS", 1},
      {"C:\\r.xlsx", "XLS", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(HasExtension(c.path, c.ext), c.accepted) << c.path;
}

TEST(SafeWrite, TemporaryNameInTheSameFolder) {
  const struct {
    const char* path;
    unsigned attempt;
    const char* temporary;
  } cases[] = {
      {"C:\\data\\graph.bmp", 0, "C:\\data\\~kv0.tmp"},
      {"C:\\data\\graph.bmp", 26, "C:\\data\\~kv1a.tmp"},
      {"C:\\graph.bmp", 3, "C:\\~kv3.tmp"},
      {"C:graph.bmp", 0, "C:~kv0.tmp"},
      {"Z:/tmp/x/graph.bmp", 0, "Z:/tmp/x/~kv0.tmp"},
      {"\\\\server\\share\\r.xls", 1, "\\\\server\\share\\~kv1.tmp"},
      {"graph.bmp", 0, "~kv0.tmp"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TemporaryPathFor(c.path, c.attempt), c.temporary) << c.path;
    EXPECT_NE(TemporaryPathFor(c.path, c.attempt), c.path);
  }
}

// ---- Texts --------------------------------------------------------------------------------

TEST(OutputTexts, EveryMessageInBothLanguages) {
  for (OutputProgram program : {kKorvan95, kKorvan00}) {
    for (int m = 0; m < kOutputMessageCount; ++m) {
      for (int japanese : {0, 1}) {
        const MessageBoxText box = GetOutputMessage(static_cast<OutputMessage>(m), program, japanese);
        EXPECT_GT(std::strlen(box.text), 0u) << m;
        EXPECT_GT(std::strlen(box.caption), 0u) << m;
        EXPECT_NE(box.icon, 0u) << m;
      }
    }
  }
  EXPECT_EQ(GetOutputMessage(kOutputMessageCount, kKorvan95, 0).icon, 0u);
  EXPECT_STREQ(GetOutputMessage(static_cast<OutputMessage>(-1), kKorvan00, 1).text, "");
}

TEST(OutputTexts, ProgramDifferences) {
  struct Case {
    OutputMessage message;
    OutputProgram program;
    int japanese;
    const char* text;
    const char* caption;
    unsigned style;
  } cases[] = {
      {kOutputDialogFailed, kKorvan95, 0, "Unable to display dialog.", "System Error", 0x1010},
      {kOutputDialogFailed, kKorvan00, 0, "Unable to display dialog", "System Error", 0x1010},
      {kOutputDialogFailed, kKorvan00, 1, "ダイアログを表示できません", "システム・エラー", 0x1010},
      {kOutputZoomOutOfRange, kKorvan95, 1, "ズーム係数が範囲外です.\n前の値にセットします.",
       "警告", 0x10},
      {kOutputZoomOutOfRange, kKorvan00, 1, "縮小ファクターが限度以下なので\n前の値を適用します.",
       "警告", 0x10},
      {kOutputZoomOutOfRange, kKorvan00, 0,
       "Zoom out factor was out of the limits\nso that the previous value has been set.",
       "Warning", 0x10},
      {kOutputUnableToWrite, kKorvan00, 1, "ファイルに書き込めません.", "エラー", 0x10},
      {kOutputClipboardFailed, kKorvan95, 0, "Unable to copy the graph to the clipboard.", "Error",
       0x10},
      {kOutputClipboardFailed, kKorvan00, 1, "グラフをクリップボードにコピーできません.", "エラー",
       0x10},
      {kOutputBmpExtension, kKorvan95, 0, "Assign a file with BMP extension.", "Error", 0x30},
      {kOutputRemoteDisk, kKorvan00, 0, "Unable to save the graph to the remote disk.", "Warning",
       0x30},
      {kOutputPrintStartFailed, kKorvan95, 0, "Unable to start print job.", "Warning", 0x10},
  };
  for (const Case& c : cases) {
    const MessageBoxText box = GetOutputMessage(c.message, c.program, c.japanese);
    EXPECT_STREQ(box.text, c.text) << c.message << " program " << c.program;
    EXPECT_STREQ(box.caption, c.caption) << c.message;
    EXPECT_EQ(box.icon, c.style) << c.message;
  }
  // The Japanese texts are code page 932 bytes: "エラー".
  EXPECT_STREQ(GetOutputMessage(kOutputUnableToOpen, kKorvan95, 1).caption,
               "\x83\x47\x83\x89\x81\x5B");
  const OutputProgramTraits& k95 = TraitsOf(kKorvan95);
  const OutputProgramTraits& k00 = TraitsOf(kKorvan00);
  EXPECT_EQ(k95.zoomEditId, 116);
  EXPECT_EQ(k95.zoomScrollId, 115);
  EXPECT_EQ(k00.zoomEditId, 133);
  EXPECT_EQ(k00.zoomScrollId, 132);
  EXPECT_EQ(k95.saveButtonLeft, 15);
  EXPECT_EQ(k00.saveButtonRight, 175);
  EXPECT_STREQ(k95.defaultExtension, "BMP");
  EXPECT_STREQ(k00.defaultExtension, "bmp");
}

}  // namespace
