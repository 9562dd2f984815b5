// "STATIC": labels, frames, etched lines, icons and bitmaps.

#include "ctlint.h"

namespace tavo::controls {

namespace {

struct Static {
  HFONT font = 0;
  HANDLE image = 0;  // icon or bitmap for SS_ICON / SS_BITMAP
};

void Paint(HWND h, HDC dc) {
  Static *s = Data<Static>(h);
  if (!s) return;
  RECT rc;
  GetClientRect(h, &rc);
  DWORD style = (DWORD)GetWindowLongA(h, GWL_STYLE);
  DWORD type = style & SS_TYPEMASK;
  HBRUSH brush = ParentBrush(h, dc, WM_CTLCOLORSTATIC);
  switch (type) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: {
      int c = type == SS_BLACKRECT ? COLOR_WINDOWFRAME : type == SS_GRAYRECT ? COLOR_BTNSHADOW : COLOR_WINDOW;
      FillRect(dc, &rc, GetSysColorBrush(c));
      return;
    }
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: {
      int c = type == SS_BLACKFRAME ? COLOR_WINDOWFRAME : type == SS_GRAYFRAME ? COLOR_BTNSHADOW : COLOR_WINDOW;
      FrameRect(dc, &rc, GetSysColorBrush(c));
      return;
    }
    case SS_ETCHEDHORZ: {
      RECT r{rc.left, rc.top, rc.right, rc.top + 2};
      DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
      return;
    }
    case SS_ETCHEDVERT: {
      RECT r{rc.left, rc.top, rc.left + 2, rc.bottom};
      DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
      return;
    }
    case SS_ETCHEDFRAME:
      DrawEdge(dc, &rc, EDGE_ETCHED, BF_RECT);
      return;
    case SS_OWNERDRAW: {
      DRAWITEMSTRUCT dis{};
      dis.CtlType = ODT_STATIC;
      dis.CtlID = (UINT)GetDlgCtrlID(h);
      dis.itemAction = ODA_DRAWENTIRE;
      dis.hwndItem = h;
      dis.hDC = dc;
      dis.rcItem = rc;
      SendMessageA(GetParent(h), WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
      return;
    }
  }
  FillRect(dc, &rc, brush);
  RECT inner = rc;
  if (style & SS_SUNKEN) DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  if (type == SS_ICON) {
    if (s->image) DrawIconEx(dc, inner.left, inner.top, (HICON)s->image, 0, 0, 0, 0, DI_NORMAL | DI_DEFAULTSIZE);
    return;
  }
  if (type == SS_BITMAP) {
    if (!s->image) return;
    BITMAP bm{};
    GetObjectA((HGDIOBJ)s->image, sizeof bm, &bm);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, (HGDIOBJ)s->image);
    BitBlt(dc, inner.left, inner.top, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    return;
  }
  std::string text = TextOf(h);
  UINT fmt = DT_EXPANDTABS;
  if (type == SS_CENTER)
    fmt |= DT_CENTER | DT_WORDBREAK;
  else if (type == SS_RIGHT)
    fmt |= DT_RIGHT | DT_WORDBREAK;
  else if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP)
    fmt |= DT_LEFT | DT_SINGLELINE;
  else
    fmt |= DT_LEFT | DT_WORDBREAK;
  if (style & SS_NOPREFIX) fmt |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) fmt |= DT_VCENTER | DT_SINGLELINE;
  HGDIOBJ old = SelectObject(dc, FontOr(s->font));
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text.c_str(), (int)text.size(), &inner, fmt);
  SelectObject(dc, old);
}

}  // namespace

LRESULT CALLBACK StaticProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  Static *s = ControlData<Static>(h, m);
  if (!s) return DefWindowProcA(h, m, wp, lp);
  switch (m) {
    case WM_CREATE: {
      DWORD type = (DWORD)GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK;
      auto *cs = (CREATESTRUCTA *)lp;
      // An icon or bitmap static names its picture by its title, as a
      // dialog template does.
      if (cs && cs->lpszName && (type == SS_ICON || type == SS_BITMAP)) {
        LPCSTR name = cs->lpszName;
        if (name[0] == '#') name = MAKEINTRESOURCE(atoi(name + 1));
        s->image = type == SS_ICON ? (HANDLE)LoadIconA(cs->hInstance, name) : (HANDLE)LoadBitmapA(cs->hInstance, name);
      }
      return 0;
    }
    case WM_PAINT:
      PaintMessage(h, wp, Paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFONT:
      s->font = (HFONT)wp;
      if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return (LRESULT)s->font;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(h, m, wp, lp);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case WM_ENABLE:
      InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_NCHITTEST:
      return (GetWindowLongA(h, GWL_STYLE) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
      if (GetWindowLongA(h, GWL_STYLE) & SS_NOTIFY) NotifyParent(h, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (GetWindowLongA(h, GWL_STYLE) & SS_NOTIFY) NotifyParent(h, STN_DBLCLK);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case STM_SETICON:
    case STM_SETIMAGE: {
      HANDLE old = s->image;
      s->image = (HANDLE)(m == STM_SETICON ? wp : lp);
      InvalidateRect(h, nullptr, TRUE);
      return (LRESULT)old;
    }
    case STM_GETICON:
    case STM_GETIMAGE:
      return (LRESULT)s->image;
  }
  return DefWindowProcA(h, m, wp, lp);
}

}  // namespace tavo::controls
