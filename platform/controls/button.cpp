// "BUTTON": push buttons, check boxes, three-state boxes, radio buttons,
// group boxes and owner-drawn buttons.

#include <algorithm>

#include "ctlint.h"

namespace tavo::controls {

namespace {

struct Button {
  UINT check = BST_UNCHECKED;
  bool pushed = false;  // drawn pressed
  bool tracking = false;  // a mouse press or the space bar is in progress
  bool spaceDown = false;
  HFONT font = 0;
};

UINT Type(HWND h) { return (UINT)(GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK); }

bool IsCheckType(UINT t) {
  return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE ||
         t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON;
}
bool IsRadio(UINT t) { return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON; }

void Redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

// The siblings of a radio button's group: from the nearest WS_GROUP at or
// before it to the next WS_GROUP after it.
void UncheckGroup(HWND h) {
  HWND first = h;
  while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP)) {
    HWND prev = GetWindow(first, GW_HWNDPREV);
    if (!prev) break;
    first = prev;
  }
  for (HWND c = first; c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (c != first && (GetWindowLongA(c, GWL_STYLE) & WS_GROUP)) break;
    if (c == h) continue;
    if (!IsClass(c, WC_BUTTON)) continue;
    if (Type(c) == BS_AUTORADIOBUTTON && SendMessageA(c, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
      SendMessageA(c, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void Clicked(HWND h) {
  Button *b = Data<Button>(h);
  if (!b) return;
  switch (Type(h)) {
    case BS_AUTOCHECKBOX:
      SendMessageA(h, BM_SETCHECK, b->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
      break;
    case BS_AUTO3STATE:
      SendMessageA(h, BM_SETCHECK, (b->check + 1) % 3, 0);
      break;
    case BS_AUTORADIOBUTTON:
      SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
      UncheckGroup(h);
      break;
  }
  NotifyParent(h, BN_CLICKED);
}

void DrawCheckMark(HDC dc, const RECT &box, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  int x = box.left + 3, y = box.top + 5;
  for (int i = 0; i < 3; ++i) {  // a classic 7-pixel tick, three pixels thick
    MoveToEx(dc, x, y + i, nullptr);
    LineTo(dc, x + 2, y + 2 + i);
    LineTo(dc, x + 7, y - 3 + i);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void FillCircle(HDC dc, int cx, int cy, int r, COLORREF c) {
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x)
      if (x * x + y * y <= r * r + r / 2) SetPixel(dc, cx + x, cy + y, c);
}

void Paint(HWND h, HDC dc) {
  Button *b = Data<Button>(h);
  if (!b) return;
  RECT rc;
  GetClientRect(h, &rc);
  DWORD style = (DWORD)GetWindowLongA(h, GWL_STYLE);
  UINT t = style & BS_TYPEMASK;
  bool enabled = IsWindowEnabled(h);
  std::string text = TextOf(h);
  HGDIOBJ oldFont = SelectObject(dc, FontOr(b->font));

  if (t == BS_OWNERDRAW) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = (UINT)GetDlgCtrlID(h);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (b->pushed ? ODS_SELECTED : 0) | (IsFocused(h) ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    dis.hwndItem = h;
    dis.hDC = dc;
    dis.rcItem = rc;
    SendMessageA(GetParent(h), WM_DRAWITEM, dis.CtlID, (LPARAM)&dis);
  } else if (t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || (style & BS_PUSHLIKE)) {
    HBRUSH brush = ParentBrush(h, dc, WM_CTLCOLORBTN);
    (void)brush;  // a push button keeps the button face whatever the parent says
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT r = rc;
    bool pushed = b->pushed || (IsCheckType(t) && b->check == BST_CHECKED);
    if (t == BS_DEFPUSHBUTTON) {
      FrameRect(dc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
      Inflate(&r, -1, -1);
    }
    DrawButtonFrame(dc, r, pushed);
    SetBkMode(dc, TRANSPARENT);
    RECT tr = r;
    if (pushed) Offset(&tr, 1, 1);
    DrawTextA(dc, text.c_str(), (int)text.size(), &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (IsFocused(h)) {
      RECT f = r;
      Inflate(&f, -4, -4);
      DrawFocusRect(dc, &f);
    }
  } else if (t == BS_GROUPBOX) {
    HBRUSH brush = ParentBrush(h, dc, WM_CTLCOLORSTATIC);
    int lh = LineHeight(b->font);
    RECT frame = rc;
    frame.top += lh / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text.empty()) {
      SIZE sz{};
      GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &sz);
      RECT tr{rc.left + 8, rc.top, rc.left + 8 + sz.cx + 4, rc.top + lh};
      FillRect(dc, &tr, brush);
      SetBkMode(dc, TRANSPARENT);
      tr.left += 2;
      DrawTextA(dc, text.c_str(), (int)text.size(), &tr, DT_LEFT | DT_SINGLELINE);
    }
  } else {
    HBRUSH brush = ParentBrush(h, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &rc, brush);
    const int box = 13;
    bool left = (style & BS_LEFTTEXT) != 0;
    int top = rc.top + std::max(0, (rc.bottom - rc.top - box) / 2);
    RECT br = left ? RECT{rc.right - box, top, rc.right, top + box} : RECT{rc.left, top, rc.left + box, top + box};
    COLORREF mark = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    if (IsRadio(t)) {
      int cx = (br.left + br.right) / 2, cy = (br.top + br.bottom) / 2;
      FillCircle(dc, cx, cy, 6, GetSysColor(COLOR_BTNSHADOW));
      FillCircle(dc, cx, cy, 5, GetSysColor(b->pushed || !enabled ? COLOR_BTNFACE : COLOR_WINDOW));
      if (b->check) FillCircle(dc, cx, cy, 2, mark);
    } else {
      RECT inner = br;
      DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      bool grey = b->pushed || !enabled || b->check == BST_INDETERMINATE;
      FillRect(dc, &inner, GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW));
      if (b->check == BST_CHECKED) DrawCheckMark(dc, br, mark);
      if (b->check == BST_INDETERMINATE) DrawCheckMark(dc, br, GetSysColor(COLOR_GRAYTEXT));
    }
    RECT tr = rc;
    if (left)
      tr.right = br.left - 4;
    else
      tr.left = br.right + 4;
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), (int)text.size(), &tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (IsFocused(h) && !text.empty()) {
      RECT calc = tr;
      DrawTextA(dc, text.c_str(), (int)text.size(), &calc, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
      int lh = calc.bottom - calc.top;
      RECT f{tr.left - 1, (tr.top + tr.bottom - lh) / 2 - 1, calc.right + 1, (tr.top + tr.bottom + lh) / 2 + 1};
      DrawFocusRect(dc, &f);
    }
  }
  SelectObject(dc, oldFont);
}

void SetPushed(HWND h, bool pushed) {
  Button *b = Data<Button>(h);
  if (!b || b->pushed == pushed) return;
  b->pushed = pushed;
  Redraw(h);
}

}  // namespace

LRESULT CALLBACK ButtonProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  Button *b = Data<Button>(h);
  switch (m) {
    case WM_NCCREATE:
      Attach<Button>(h);
      return DefWindowProcA(h, m, wp, lp);
    case WM_NCDESTROY:
      Detach<Button>(h);
      return DefWindowProcA(h, m, wp, lp);
  }
  if (!b) return DefWindowProcA(h, m, wp, lp);
  UINT t = Type(h);
  switch (m) {
    case WM_PAINT:
      PaintMessage(h, wp, Paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills everything
    case WM_SETFONT:
      b->font = (HFONT)wp;
      if (LOWORD(lp)) Redraw(h);
      return 0;
    case WM_GETFONT:
      return (LRESULT)b->font;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(h, m, wp, lp);
      Redraw(h);
      return r;
    }
    case WM_ENABLE:
      Redraw(h);
      return 0;
    case WM_GETDLGCODE:
      if (t == BS_GROUPBOX) return DLGC_STATIC;
      if (t == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (t == BS_PUSHBUTTON || t == BS_OWNERDRAW) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      if (IsRadio(t)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
      return DLGC_BUTTON;
    case WM_NCHITTEST:
      if (t == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProcA(h, m, wp, lp);
    case WM_SETFOCUS:
      Redraw(h);
      if (GetWindowLongA(h, GWL_STYLE) & BS_NOTIFY) NotifyParent(h, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (b->tracking && GetCapture() != h) b->tracking = false;
      b->spaceDown = false;
      if (!b->tracking) b->pushed = false;
      Redraw(h);
      if (GetWindowLongA(h, GWL_STYLE) & BS_NOTIFY) NotifyParent(h, BN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (t == BS_GROUPBOX) return 0;
      SetFocus(h);
      SetCapture(h);
      b->tracking = true;
      SetPushed(h, true);
      return 0;
    case WM_MOUSEMOVE:
      if (b->tracking && GetCapture() == h) {
        RECT rc;
        GetClientRect(h, &rc);
        POINT pt = PointOf(lp);
        SetPushed(h, Contains(rc, pt.x, pt.y));
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!b->tracking) return 0;
      bool was = b->pushed;
      b->tracking = false;
      SetPushed(h, false);
      if (GetCapture() == h) ReleaseCapture();
      if (was && IsWindow(h)) Clicked(h);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (b->tracking && (HWND)lp != h) {
        b->tracking = false;
        SetPushed(h, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_SPACE && t != BS_GROUPBOX && !b->spaceDown) {
        b->spaceDown = true;
        SetPushed(h, true);
        return 0;
      }
      return DefWindowProcA(h, m, wp, lp);
    case WM_KEYUP:
      if (wp == VK_SPACE && b->spaceDown) {
        b->spaceDown = false;
        SetPushed(h, false);
        Clicked(h);
        return 0;
      }
      return DefWindowProcA(h, m, wp, lp);
    case WM_CHAR:
      return 0;
    case BM_GETCHECK:
      return IsCheckType(t) ? b->check : 0;
    case BM_SETCHECK: {
      if (!IsCheckType(t)) return 0;
      UINT v = (UINT)wp;
      if (v > BST_INDETERMINATE) v = BST_CHECKED;
      if (v == BST_INDETERMINATE && t != BS_3STATE && t != BS_AUTO3STATE) v = BST_CHECKED;
      if (v != b->check) {
        b->check = v;
        Redraw(h);
      }
      // A checked radio button is the one the Tab key stops at.
      if (IsRadio(t)) {
        LONG s = GetWindowLongA(h, GWL_STYLE);
        SetWindowLongA(h, GWL_STYLE, v ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
      }
      return 0;
    }
    case BM_GETSTATE:
      return (IsCheckType(t) ? b->check : 0) | (b->pushed ? BST_PUSHED : 0) | (IsFocused(h) ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(h, wp != 0);
      return 0;
    case BM_SETSTYLE: {
      LONG s = GetWindowLongA(h, GWL_STYLE);
      SetWindowLongA(h, GWL_STYLE, (LONG)(((DWORD)s & 0xFFFF0000u) | (DWORD)LOWORD(wp)));
      if (lp) Redraw(h);
      return 0;
    }
    case BM_CLICK:
      if (IsWindowEnabled(h) && t != BS_GROUPBOX) Clicked(h);
      return 0;
  }
  return DefWindowProcA(h, m, wp, lp);
}

}  // namespace tavo::controls
