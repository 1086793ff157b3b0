// The Copy command: the captured page as one CF_DIB on the clipboard.
#include <cstring>
#include <vector>

#include "output/output.h"

int CopyGraph(const OutputContext& context, const PageCanvas& canvas) {
  PageImage image;
  if (!image.CaptureFor(context, canvas)) return 0;
  std::vector<unsigned char> dib;
  {
    GlobalBlockLock lock(image.block());
    const unsigned char* block = lock.Address();
    if (!block || !BuildClipboardDib(block, image.bytes(), image.size(), dib)) {
      ShowOutputMessage(context, kOutputClipboardMemory);
      return 0;
    }
  }
  image.Free();

  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, dib.size());
  if (!copy) {
    ShowOutputMessage(context, kOutputClipboardMemory);
    return 0;
  }
  {
    GlobalBlockLock lock(copy);
    unsigned char* address = lock.Address();
    if (!address) {
      GlobalFree(copy);
      ShowOutputMessage(context, kOutputClipboardMemory);
      return 0;
    }
    std::memcpy(address, dib.data(), dib.size());
  }
  bool taken = false;
  {
    // Open only while the clipboard is changed; closed before any message box.
    ClipboardGuard clipboard(context.window);
    taken = clipboard.Open() && clipboard.Empty() && clipboard.SetData(CF_DIB, copy);
  }
  if (!taken) {
    // The clipboard did not take the block, so it is still ours.
    GlobalFree(copy);
    ShowOutputMessage(context, kOutputClipboardFailed);
    return 0;
  }
  return 1;
}
