// A pane's kept drawing context and the grid windows' standard scroll bars.
#include "ENSDC.h"

#include "FARVER.h"

void SelectDCPalette(HWND hwnd, EnsDC *ens, HFONT font) {
  ens->hdc = GetDC(hwnd);
  ens->TekstFarve = kIngenFarve;
  ens->BkFarve = kIngenFarve;
  if (font) SelectObject(ens->hdc, font);
  if (TavoPalette) {
    SelectPalette(ens->hdc, TavoPalette, FALSE);
    RealizePalette(ens->hdc);
  }
}

HWND CreateScrollBarCtl(HINSTANCE inst, HWND parent, DWORD style, int x, int y, int width,
                        int height) {
  HWND h = CreateWindowExA(0, "SCROLLBAR", "", style, x, y, width, height, parent, 0, inst,
                           nullptr);
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  return h;
}

void SetScrollCtl(HWND scrollBar, int page, int count, int pos) {
  // One record for every call, as the grid windows share the main thread.
  static SCROLLINFO si;
  EnableScrollBar(scrollBar, SB_CTL, ESB_ENABLE_BOTH);
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = count - 1;
  si.nPage = static_cast<UINT>(page);
  si.nPos = pos;
  SetScrollInfo(scrollBar, SB_CTL, &si, TRUE);
}
