// Capture of the page into the 16-colour block, the BMP file and the Save Graph command.
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/text_rules.h"
#include "frame/gdi_guard.h"
#include "frame/wide_text.h"
#include "output/drive_rules.h"
#include "output/output.h"

void ShowOutputMessage(const OutputContext& context, OutputMessage message, unsigned long argument) {
  const MessageBoxText box = GetOutputMessage(message, context.program, context.useJapanese);
  char text[258] = {};
  std::snprintf(text, sizeof text, box.text, argument);
  const HWND owner = (box.icon & kSystemModal) ? nullptr : context.window;
  const MessageFunction show = context.showMessage ? context.showMessage : MessageBoxA;
  show(owner, text, box.caption, MB_OK | box.icon);
}

// ---- PageImage ----------------------------------------------------------------------------

PageImage::~PageImage() { Free(); }

void PageImage::Free() {
  if (block_) GlobalFree(block_);
  block_ = nullptr;
  bytes_ = 0;
  size_ = {0, 0};
}

PageImage::Outcome PageImage::Capture(HWND window, const PageCanvas& canvas) {
  Free();
  RECT client = {};
  if (!canvas.dc || !GetClientRect(window, &client)) return Outcome::kNothing;
  const PageImageSize size = PageImageSizeOf(client.right - client.left, client.bottom - client.top);
  if (!IsCapturable(size)) return Outcome::kNothing;
  const std::vector<unsigned char> header = PageBlockHeader(size, PageHeaderUse::kCapture);
  const std::size_t bytes = PageBlockBytes(size);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!block) return Outcome::kFailed;

  // A section with the graph palette: StretchBlt into it picks the nearest palette colour.
  WindowDc windowDc(window, false);
  void* bits = nullptr;
  GdiObject<HBITMAP> section(CreateDIBSection(
      windowDc.get(), reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS, &bits,
      nullptr, 0));
  MemoryDc memory(windowDc.get());
  int captured = 0;
  if (section && bits && memory.get()) {
    Selection selected(memory.get(), section.get());
    SetStretchBltMode(memory.get(), COLORONCOLOR);
    if (selected.ok() &&
        StretchBlt(memory.get(), 0, 0, size.width, size.height, canvas.dc, 0, 0, canvas.width,
                   canvas.height - kIconBarStrip, SRCCOPY)) {
      GdiFlush();
      GlobalBlockLock lock(block);
      if (unsigned char* address = lock.Address()) {
        std::memcpy(address, header.data(), header.size());
        std::memcpy(address + header.size(), bits, PageImageBytes(size));
        captured = 1;
      }
    }
  }
  if (!captured) {
    GlobalFree(block);
    return Outcome::kFailed;
  }
  block_ = block;
  bytes_ = bytes;
  size_ = size;
  return Outcome::kCaptured;
}

bool PageImage::CaptureFor(const OutputContext& context, const PageCanvas& canvas) {
  const Outcome outcome = Capture(context.window, canvas);
  if (outcome == Outcome::kFailed) ShowOutputMessage(context, kOutputCaptureMemory);
  return outcome == Outcome::kCaptured;
}

// ---- Guards -------------------------------------------------------------------------------

unsigned char* GlobalBlockLock::Address() {
  if (!address_ && block_) address_ = static_cast<unsigned char*>(GlobalLock(block_));
  return address_;
}

void GlobalBlockLock::Unlock() {
  if (address_) GlobalUnlock(block_);
  address_ = nullptr;
}

int ClipboardGuard::Open() {
  if (!opened_) opened_ = OpenClipboard(owner_);
  return opened_ != 0;
}

int ClipboardGuard::Empty() {
  Open();
  return EmptyClipboard() != 0;
}

HANDLE ClipboardGuard::SetData(UINT format, HANDLE data) {
  Open();
  return SetClipboardData(format, data);
}

// ---- BMP file -----------------------------------------------------------------------------

int WriteBitmapFile(const OutputContext& context, const PageImage& image, const std::wstring& path) {
  std::vector<unsigned char> file;
  {
    GlobalBlockLock lock(image.block());
    const unsigned char* block = lock.Address();
    if (!block) {
      ShowOutputMessage(context, kOutputUnableToWrite);
      return 0;
    }
    if (!BuildBitmapFile(block, image.bytes(), file)) {
      ShowOutputMessage(context, kOutputBadInfoHeader);
    }
  }
  switch (WriteFileSafely(path, file.data(), file.size())) {
    case SafeWriteOutcome::kWritten:
      return 1;
    case SafeWriteOutcome::kUnableToOpen:
      ShowOutputMessage(context, kOutputUnableToOpen);
      return 0;
    case SafeWriteOutcome::kUnableToWrite:
      break;
  }
  ShowOutputMessage(context, kOutputUnableToWrite);
  return 0;
}

int SaveGraphAs(const OutputContext& context, const PageCanvas& canvas) {
  const OutputProgramTraits& traits = TraitsOf(context.program);
  // A name longer than the buffer is the dialog's error (FNERR_BUFFERTOOSMALL), never a cut path.
  wchar_t name[MAX_PATH] = {};
  const std::wstring title = WideText(context.useJapanese ? "グラフを保存するファイル名の設定"
                                                          : "Assign a file to save the graph.");
  const std::wstring defaultExtension = WideText(traits.defaultExtension);
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = context.window;
  dialog.lpstrFilter = L"Bitmaps (*.bmp)\0*.bmp\0";
  dialog.lpstrFile = name;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = title.c_str();
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  dialog.lpstrDefExt = defaultExtension.c_str();
  const BOOL chosen = GetSaveFileNameW(&dialog);
  const DWORD dialogError = chosen ? 0 : CommDlgExtendedError();

  // The Save button of the icon bar, under the dialog a moment ago.
  RECT button;
  SetRect(&button, traits.saveButtonLeft, 0, traits.saveButtonRight, 20);
  InvalidateRect(context.window, &button, TRUE);
  UpdateWindow(context.window);

  if (!chosen) {
    if (dialogError) ShowOutputMessage(context, kOutputSaveDialogError, dialogError);
    return 0;
  }
  const std::wstring path = name;
  const std::string root = DriveRoot(path);
  if (IsRefusedDrive(root.c_str())) {
    ShowOutputMessage(context, kOutputRemoteDisk);
    return 0;
  }
  RECT client = {};
  GetClientRect(context.window, &client);
  const std::uint64_t asked =
      BitmapFileBytesAsked(client.right - client.left, client.bottom - client.top);
  if (!HasEnoughFreeSpace(root.c_str(), asked, context.windowsVersionClass)) {
    ShowOutputMessage(context, kOutputNoFreeSpace);
    return 0;
  }
  if (!HasExtension(path, "BMP")) {
    ShowOutputMessage(context, kOutputBmpExtension);
    return 0;
  }
  PageImage image;
  if (!image.CaptureFor(context, canvas)) return 0;
  return WriteBitmapFile(context, image, path);
}
