// The Print Zoom dialog, Printer Setup and Print. The zoom rules are those of
// output/print_rules.h; this file moves values between them and the controls.
#include "output/output.h"

namespace {

void ShowZoomControls(HWND dialog, const PrintZoomDialogData& data, const ZoomControls& controls) {
  if (controls.setScroll) SetScrollPos(GetDlgItem(dialog, data.scrollId), SB_CTL, controls.value, TRUE);
  if (controls.setEdit) SetDlgItemInt(dialog, data.editId, static_cast<UINT>(controls.value), TRUE);
}

}  // namespace

void PreparePrintState(PrintState& state, HWND window) {
  state.zoom = ZoomState{};
  state.settings = PRINTDLGA{};
  state.settings.lStructSize = sizeof state.settings;
  state.settings.hwndOwner = window;
  state.settings.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_SHOWHELP;
}

void ReleasePrintState(PrintState& state) {
  if (state.settings.hDevMode) GlobalFree(state.settings.hDevMode);
  if (state.settings.hDevNames) GlobalFree(state.settings.hDevNames);
  state.settings.hDevMode = nullptr;
  state.settings.hDevNames = nullptr;
}

INT_PTR CALLBACK PrintZoomDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* data = reinterpret_cast<PrintZoomDialogData*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      data = reinterpret_cast<PrintZoomDialogData*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      ZoomDialogOpened(*data->zoom);
      const int value = data->zoom->zoomFactor;
      HWND scroll = GetDlgItem(dialog, data->scrollId);
      SetScrollRange(scroll, SB_CTL, kZoomMin, kZoomMax, FALSE);
      SetScrollPos(scroll, SB_CTL, value, TRUE);
      SendDlgItemMessageA(dialog, data->editId, EM_LIMITTEXT, 3, 0);
      SetDlgItemInt(dialog, data->editId, static_cast<UINT>(value), TRUE);
      return TRUE;
    }
    case WM_HSCROLL:
      if (!data || data->ended) return FALSE;
      ShowZoomControls(dialog, *data,
                       ZoomScrolled(*data->zoom, LOWORD(wParam), static_cast<short>(HIWORD(wParam))));
      return TRUE;
    case WM_COMMAND:
      if (!data || data->ended) return FALSE;
      if (LOWORD(wParam) == data->editId) {
        BOOL read = FALSE;
        const int typed = static_cast<int>(GetDlgItemInt(dialog, data->editId, &read, TRUE));
        ShowZoomControls(dialog, *data, ZoomEdited(*data->zoom, read ? typed : 0));
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK) {
        data->ended = true;
        EndDialog(dialog, ZoomOk(*data->zoom));
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        data->ended = true;
        EndDialog(dialog, ZoomCancelled(*data->zoom));
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      if (!data || data->ended) return FALSE;
      ShowZoomControls(dialog, *data, ZoomClosed(*data->zoom));
      data->ended = true;
      EndDialog(dialog, kZoomEndClosed);
      return TRUE;
    default:
      return FALSE;
  }
}

void ShowPrintZoom(const OutputContext& context, ZoomState& zoom) {
  const OutputProgramTraits& traits = TraitsOf(context.program);
  PrintZoomDialogData data{&zoom, traits.zoomEditId, traits.zoomScrollId, false};
  const INT_PTR ended = DialogBoxParamA(context.instance,
                                        context.useJapanese ? "PRINTZOOM_DLG_J" : "PRINTZOOM_DLG",
                                        context.window, PrintZoomDialogProc,
                                        reinterpret_cast<LPARAM>(&data));
  if (ended == -1) {
    ShowOutputMessage(context, kOutputDialogFailed);
    return;
  }
  if (ZoomAfterDialog(zoom)) ShowOutputMessage(context, kOutputZoomOutOfRange);
}

void PrinterSetup(PrintState& state) {
  state.settings.Flags |= PD_PRINTSETUP;
  PrintDlgA(&state.settings);
  state.settings.Flags &= ~static_cast<DWORD>(PD_PRINTSETUP);
  if (state.settings.hDC) DeleteDC(state.settings.hDC);
  state.settings.hDC = nullptr;
}

int PrintPage(const OutputContext& context, const PageCanvas& canvas, PrintState& state) {
  PageImage image;
  if (!image.CaptureFor(context, canvas)) return 0;
  RECT client = {};
  GetClientRect(context.window, &client);
  if (!PrintDlgA(&state.settings)) return 0;
  const HDC printer = state.settings.hDC;
  state.settings.hDC = nullptr;
  if (!printer) return 0;
  const PrinterPage page{GetDeviceCaps(printer, HORZSIZE), GetDeviceCaps(printer, VERTSIZE),
                         GetDeviceCaps(printer, LOGPIXELSX), GetDeviceCaps(printer, LOGPIXELSY)};
  const PrintedPicture picture = ComputePrintedPicture(
      page, client.right - client.left, client.bottom - client.top, state.zoom.zoomFactor);

  DOCINFOA document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = "Korvan";
  if (StartDocA(printer, &document) <= 0) {
    ShowOutputMessage(context, kOutputPrintStartFailed);
    DeleteDC(printer);
    return 0;
  }
  int printed = 0;
  {
    GlobalBlockLock lock(image.block());
    unsigned char* block = lock.Address();
    PageBlockLayout layout;
    if (block && CompletePageBlockHeader(block, image.bytes(), layout)) {
      StartPage(printer);
      SetStretchBltMode(printer, COLORONCOLOR);
      const PageImageSize size = image.size();
      printed = StretchDIBits(printer, picture.x, picture.y, picture.width, picture.height, 0, 0,
                              size.width, size.height, block + layout.pixels,
                              reinterpret_cast<const BITMAPINFO*>(block), DIB_RGB_COLORS,
                              SRCCOPY) > 0;
      EndPage(printer);
    } else if (block) {
      ShowOutputMessage(context, kOutputBadInfoHeader);
    }
  }
  EndDoc(printer);
  DeleteDC(printer);
  return printed;
}
