// ToolbarWindow32 with its tooltips, and tooltips_class32, the pop-up that
// shows a tip's text.

#include <algorithm>
#include <cstring>

#include "ctlint.h"

// String resources belong to the dialog layer; a tooltip text given as a
// string id is looked up there when that layer is linked in.
int LoadStringA(HINSTANCE inst, UINT id, LPSTR buf, int size) __attribute__((weak));

namespace tavo::controls {

namespace {

const UINT_PTR kTipTimer = 1;
const UINT kTipDelay = 400;  // the system hover time

struct Strip {
  HBITMAP bitmap = 0;
  int first = 0;  // image index of the strip's first image
  int count = 0;
};

struct Toolbar {
  std::vector<TBBUTTON> buttons;
  std::vector<Strip> strips;
  int images = 0;
  SIZE bitmap{16, 15};
  SIZE button{24, 22};
  int pressed = -1;  // index held down by the mouse
  bool pressedInside = false;
  int hot = -1;
  int tipFor = -1;  // index whose tip shows
  HWND tip = 0;
  HWND notify = 0;  // TB_SETPARENT
  bool leaveTracked = false;
};

DWORD StyleOf(HWND h) { return (DWORD)GetWindowLongA(h, GWL_STYLE); }
HWND Target(HWND h, const Toolbar *t) { return t->notify ? t->notify : GetParent(h); }

bool Hidden(const TBBUTTON &b) { return (b.fsState & TBSTATE_HIDDEN) != 0; }
bool Sep(const TBBUTTON &b) { return (b.fsStyle & TBSTYLE_SEP) != 0; }

// Button rectangles in order; hidden buttons get an empty one.
std::vector<RECT> Layout(HWND h, const Toolbar *t) {
  std::vector<RECT> r;
  int x = 0, y = (StyleOf(h) & CCS_NODIVIDER) ? 0 : 2;
  for (const TBBUTTON &b : t->buttons) {
    if (Hidden(b)) {
      r.push_back(RECT{x, y, x, y});
      continue;
    }
    int w = Sep(b) ? (b.iBitmap > 0 ? b.iBitmap : 8) : t->button.cx;
    r.push_back(RECT{x, y, x + w, y + t->button.cy});
    x += w;
  }
  return r;
}

int IndexOf(const Toolbar *t, WPARAM id) {
  for (size_t i = 0; i < t->buttons.size(); ++i)
    if (t->buttons[i].idCommand == (int)id) return (int)i;
  return -1;
}

int HitButton(HWND h, const Toolbar *t, POINT pt) {
  auto rects = Layout(h, t);
  for (size_t i = 0; i < rects.size(); ++i)
    if (!Sep(t->buttons[i]) && Contains(rects[i], pt.x, pt.y)) return (int)i;
  return -1;
}

void Redraw(HWND h) { InvalidateRect(h, nullptr, TRUE); }

// A bitmap loaded from the resources takes the button colours, as the
// system's toolbar maps it: black, grey, silver and white become the button
// text, shadow, face and highlight, so that a picture's silver background
// is the face it sits on.
void MapToButtonColours(HBITMAP bm) {
  if (!bm) return;
  BITMAP b{};
  if (!GetObjectA(bm, sizeof b, &b)) return;
  const struct {
    COLORREF fra;
    int til;
  } kort[] = {{RGB(0, 0, 0), COLOR_BTNTEXT},
              {RGB(128, 128, 128), COLOR_BTNSHADOW},
              {RGB(192, 192, 192), COLOR_BTNFACE},
              {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT}};
  HDC mem = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(mem, bm);
  for (int y = 0; y < b.bmHeight; ++y)
    for (int x = 0; x < b.bmWidth; ++x) {
      const COLORREF c = GetPixel(mem, x, y);
      for (const auto &k : kort)
        if (c == k.fra) {
          SetPixel(mem, x, y, GetSysColor(k.til));
          break;
        }
    }
  SelectObject(mem, old);
  DeleteDC(mem);
}

void DrawImage(HDC dc, const Toolbar *t, int image, int x, int y, bool enabled) {
  for (const Strip &s : t->strips) {
    if (image < s.first || image >= s.first + s.count || !s.bitmap) continue;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, s.bitmap);
    BitBlt(dc, x, y, t->bitmap.cx, t->bitmap.cy, mem, (image - s.first) * t->bitmap.cx, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    if (!enabled) {
      // Greyed: every other pixel in the face colour, the classic dither.
      COLORREF face = GetSysColor(COLOR_BTNFACE);
      for (int yy = 0; yy < t->bitmap.cy; ++yy)
        for (int xx = (yy & 1); xx < t->bitmap.cx; xx += 2) SetPixel(dc, x + xx, y + yy, face);
    }
    return;
  }
}

void Paint(HWND h, HDC dc) {
  Toolbar *t = Data<Toolbar>(h);
  if (!t) return;
  RECT rc;
  GetClientRect(h, &rc);
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  DWORD style = StyleOf(h);
  if (!(style & CCS_NODIVIDER)) {
    RECT line{rc.left, rc.top, rc.right, rc.top + 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
  }
  bool flat = (style & TBSTYLE_FLAT) != 0;
  auto rects = Layout(h, t);
  for (size_t i = 0; i < t->buttons.size(); ++i) {
    const TBBUTTON &b = t->buttons[i];
    RECT r = rects[i];
    if (Hidden(b)) continue;
    if (Sep(b)) {
      if (flat) {
        RECT line{(r.left + r.right) / 2 - 1, r.top, (r.left + r.right) / 2 + 1, r.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
      }
      continue;
    }
    bool enabled = (b.fsState & TBSTATE_ENABLED) != 0;
    bool down = (b.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED)) || ((int)i == t->pressed && t->pressedInside);
    if (b.fsState & TBSTATE_CHECKED) {
      RECT in = r;
      Inflate(&in, -1, -1);
      FillRect(dc, &in, GetSysColorBrush(COLOR_3DHILIGHT));
    }
    if (!flat)
      DrawEdge(dc, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    else if (down)
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if ((int)i == t->hot && enabled)
      DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    int x = r.left + (r.right - r.left - t->bitmap.cx) / 2 + (down ? 1 : 0);
    int y = r.top + (r.bottom - r.top - t->bitmap.cy) / 2 + (down ? 1 : 0);
    DrawImage(dc, t, b.iBitmap, x, y, enabled);
  }
}

void HideTip(Toolbar *t) {
  t->tipFor = -1;
  if (t->tip) ShowWindow(t->tip, SW_HIDE);
}

// Asks the parent for the text of a button's tip.
std::string TipText(HWND h, Toolbar *t, int index) {
  NMTTDISPINFOA di{};
  di.hdr.hwndFrom = t->tip ? t->tip : h;
  di.hdr.idFrom = (UINT_PTR)t->buttons[(size_t)index].idCommand;
  di.hdr.code = TTN_NEEDTEXTA;
  di.lpszText = di.szText;
  HWND target = Target(h, t);
  if (!target) return {};
  SendMessageA(target, WM_NOTIFY, di.hdr.idFrom, (LPARAM)&di);
  if (!IsWindow(h)) return {};
  di.szText[sizeof di.szText - 1] = 0;
  if (!di.lpszText) return {};
  if (IS_INTRESOURCE(di.lpszText)) {
    char buf[256] = {};
    if (LoadStringA && LoadStringA(di.hinst, (UINT)(UINT_PTR)di.lpszText, buf, (int)sizeof buf) > 0) return buf;
    return {};
  }
  if (di.lpszText == di.szText) return std::string(di.szText, strnlen(di.szText, sizeof di.szText));
  return std::string(di.lpszText, strnlen(di.lpszText, 1024));
}

void ShowTip(HWND h, Toolbar *t, int index) {
  std::string text = TipText(h, t, index);
  if (!IsWindow(h) || text.empty() || !t->tip) return;
  SetWindowTextA(t->tip, text.c_str());
  int w = TextWidth(0, text.c_str(), (int)text.size()) + 8;
  int hgt = LineHeight(0) + 4;
  POINT pt;
  GetCursorPos(&pt);
  SetWindowPos(t->tip, HWND_TOPMOST, pt.x, pt.y + 20, w, hgt, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  t->tipFor = index;
}

void Click(HWND h, Toolbar *t, int i) {
  TBBUTTON &b = t->buttons[(size_t)i];
  if (b.fsStyle & TBSTYLE_CHECK) {
    bool on = !(b.fsState & TBSTATE_CHECKED);
    if (b.fsStyle & TBSTYLE_GROUP) {
      on = true;  // a check group keeps one button down
      for (int k = i - 1; k >= 0 && (t->buttons[(size_t)k].fsStyle & TBSTYLE_GROUP); --k)
        t->buttons[(size_t)k].fsState &= (BYTE)~TBSTATE_CHECKED;
      for (size_t k = (size_t)i + 1; k < t->buttons.size() && (t->buttons[k].fsStyle & TBSTYLE_GROUP); ++k)
        t->buttons[k].fsState &= (BYTE)~TBSTATE_CHECKED;
    }
    b.fsState = on ? (BYTE)(b.fsState | TBSTATE_CHECKED) : (BYTE)(b.fsState & ~TBSTATE_CHECKED);
  }
  Redraw(h);
  HWND target = Target(h, t);
  if (target) SendMessageA(target, WM_COMMAND, MAKEWPARAM(b.idCommand, BN_CLICKED), (LPARAM)h);
}

void AutoSize(HWND h, Toolbar *t) {
  DWORD style = StyleOf(h);
  if (style & CCS_NORESIZE) return;
  HWND parent = GetParent(h);
  RECT pr{0, 0, 0, 0};
  if (parent) GetClientRect(parent, &pr);
  int height = t->button.cy + ((style & CCS_NODIVIDER) ? 4 : 6);
  if (style & CCS_NOPARENTALIGN) {
    RECT wr;
    GetWindowRect(h, &wr);
    SetWindowPos(h, 0, 0, 0, wr.right - wr.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  int y = ((style & CCS_BOTTOM) == CCS_BOTTOM) ? pr.bottom - height : 0;
  SetWindowPos(h, 0, 0, y, pr.right - pr.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
  Redraw(h);
}

void SetState(HWND h, Toolbar *t, int i, BYTE bit, bool on) {
  BYTE &s = t->buttons[(size_t)i].fsState;
  BYTE next = on ? (BYTE)(s | bit) : (BYTE)(s & ~bit);
  if (next == s) return;
  s = next;
  Redraw(h);
}

LRESULT ToolbarMessage(HWND h, Toolbar *t, UINT m, WPARAM wp, LPARAM lp) {
  int count = (int)t->buttons.size();
  switch (m) {
    case TB_BUTTONSTRUCTSIZE:
      return 0;
    case TB_SETBITMAPSIZE: {
      int cx = LOWORD(lp), cy = HIWORD(lp);
      if (cx <= 0 || cy <= 0 || cx > 256 || cy > 256) return FALSE;
      t->bitmap = SIZE{cx, cy};
      t->button.cx = std::max<LONG>(t->button.cx, cx + 7);
      t->button.cy = std::max<LONG>(t->button.cy, cy + 7);
      return TRUE;
    }
    case TB_SETBUTTONSIZE: {
      int cx = LOWORD(lp), cy = HIWORD(lp);
      if (cx <= 0 || cy <= 0 || cx > 512 || cy > 512) return FALSE;
      // A button is never smaller than its picture and its frame, however
      // small the size asked for.
      t->button = SIZE{std::max<LONG>(cx, t->bitmap.cx + 7), std::max<LONG>(cy, t->bitmap.cy + 7)};
      Redraw(h);
      return TRUE;
    }
    case TB_ADDBITMAP: {
      auto *ab = (const TBADDBITMAP *)lp;
      int n = (int)wp;
      if (!ab || n <= 0) return -1;
      Strip s;
      s.first = t->images;
      s.count = n;
      if (ab->hInst == HINST_COMMCTRL) {
        s.bitmap = 0;  // the shared standard images are not drawn
      } else if (!ab->hInst) {
        s.bitmap = (HBITMAP)ab->nID;
      } else {
        s.bitmap = LoadBitmapA(ab->hInst, MAKEINTRESOURCE((WORD)ab->nID));
        MapToButtonColours(s.bitmap);
      }
      t->strips.push_back(s);
      t->images += n;
      Redraw(h);
      return s.first;
    }
    case TB_ADDBUTTONSA:
    case TB_INSERTBUTTONA: {
      auto *src = (const TBBUTTON *)lp;
      if (!src) return FALSE;
      int n = m == TB_ADDBUTTONSA ? (int)wp : 1;
      if (n <= 0 || n > 4096) return FALSE;
      // An index past the end appends.
      int at = m == TB_ADDBUTTONSA ? count : std::clamp((int)wp, 0, count);
      if ((int)wp < 0 && m == TB_INSERTBUTTONA) at = count;
      t->buttons.insert(t->buttons.begin() + at, src, src + n);
      HideTip(t);
      Redraw(h);
      return TRUE;
    }
    case TB_DELETEBUTTON:
      if ((int)wp < 0 || (int)wp >= count) return FALSE;
      t->buttons.erase(t->buttons.begin() + (int)wp);
      t->pressed = t->hot = -1;
      HideTip(t);
      Redraw(h);
      return TRUE;
    case TB_BUTTONCOUNT:
      return count;
    case TB_GETBUTTON:
      if ((int)wp < 0 || (int)wp >= count || !lp) return FALSE;
      *(TBBUTTON *)lp = t->buttons[wp];
      return TRUE;
    case TB_COMMANDTOINDEX:
      return IndexOf(t, wp);
    case TB_GETITEMRECT: {
      if ((int)wp < 0 || (int)wp >= count || !lp) return FALSE;
      *(RECT *)lp = Layout(h, t)[wp];
      return TRUE;
    }
    case TB_AUTOSIZE:
      AutoSize(h, t);
      return 0;
    case TB_GETTOOLTIPS:
      return (LRESULT)t->tip;
    case TB_SETTOOLTIPS:
      t->tip = (HWND)wp;
      return 0;
    case WM_USER + 37: {  // TB_SETPARENT
      HWND old = Target(h, t);
      t->notify = (HWND)wp;
      return (LRESULT)old;
    }
  }
  int i = IndexOf(t, wp);
  bool on = LOWORD(lp) != 0;
  switch (m) {
    case TB_ENABLEBUTTON:
      if (i < 0) return FALSE;
      SetState(h, t, i, TBSTATE_ENABLED, on);
      return TRUE;
    case TB_CHECKBUTTON:
      if (i < 0) return FALSE;
      SetState(h, t, i, TBSTATE_CHECKED, on);
      return TRUE;
    case TB_PRESSBUTTON:
      if (i < 0) return FALSE;
      SetState(h, t, i, TBSTATE_PRESSED, on);
      return TRUE;
    case TB_HIDEBUTTON:
      if (i < 0) return FALSE;
      SetState(h, t, i, TBSTATE_HIDDEN, on);
      return TRUE;
    case TB_INDETERMINATE:
      if (i < 0) return FALSE;
      SetState(h, t, i, TBSTATE_INDETERMINATE, on);
      return TRUE;
    case TB_ISBUTTONENABLED:
      return i >= 0 && (t->buttons[(size_t)i].fsState & TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED:
      return i >= 0 && (t->buttons[(size_t)i].fsState & TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED:
      return i >= 0 && (t->buttons[(size_t)i].fsState & TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN:
      return i >= 0 && (t->buttons[(size_t)i].fsState & TBSTATE_HIDDEN);
    case TB_SETSTATE:
      if (i < 0) return FALSE;
      t->buttons[(size_t)i].fsState = (BYTE)LOWORD(lp);
      Redraw(h);
      return TRUE;
    case TB_GETSTATE:
      return i < 0 ? -1 : t->buttons[(size_t)i].fsState;
  }
  return 0;
}

}  // namespace

LRESULT CALLBACK ToolbarProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_NCCREATE:
      Attach<Toolbar>(h);
      return DefWindowProcA(h, m, wp, lp);
    case WM_NCDESTROY: {
      Toolbar *t = Data<Toolbar>(h);
      if (t && t->tip && IsWindow(t->tip)) DestroyWindow(t->tip);
      Detach<Toolbar>(h);
      return DefWindowProcA(h, m, wp, lp);
    }
  }
  Toolbar *t = Data<Toolbar>(h);
  if (!t) return DefWindowProcA(h, m, wp, lp);
  if ((m >= TB_ENABLEBUTTON && m <= WM_USER + 37)) return ToolbarMessage(h, t, m, wp, lp);
  switch (m) {
    case WM_CREATE:
      if (StyleOf(h) & TBSTYLE_TOOLTIPS)
        t->tip = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASS, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                                 GetAncestor(h, GA_ROOT), 0, 0, nullptr);
      AutoSize(h, t);
      return 0;
    case WM_PAINT:
      PaintMessage(h, wp, Paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE: {
      POINT pt = PointOf(lp);
      int i = HitButton(h, t, pt);
      if (t->pressed >= 0) {
        bool inside = i == t->pressed;
        if (inside != t->pressedInside) {
          t->pressedInside = inside;
          Redraw(h);
        }
        return 0;
      }
      if (!t->leaveTracked) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, h, 0};
        TrackMouseEvent(&tme);
        t->leaveTracked = true;
      }
      if (i != t->hot) {
        t->hot = i;
        if (StyleOf(h) & TBSTYLE_FLAT) Redraw(h);
        if (t->tipFor >= 0 && t->tipFor != i) HideTip(t);
        KillTimer(h, kTipTimer);
        if (i >= 0 && t->tip) SetTimer(h, kTipTimer, kTipDelay, nullptr);
      }
      return 0;
    }
    case WM_TIMER:
      if (wp == kTipTimer) {
        KillTimer(h, kTipTimer);
        if (t->hot >= 0 && t->hot < (int)t->buttons.size() && t->pressed < 0) ShowTip(h, t, t->hot);
        return 0;
      }
      return DefWindowProcA(h, m, wp, lp);
    case WM_MOUSELEAVE:
      t->leaveTracked = false;
      t->hot = -1;
      KillTimer(h, kTipTimer);
      HideTip(t);
      if (StyleOf(h) & TBSTYLE_FLAT) Redraw(h);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      KillTimer(h, kTipTimer);
      HideTip(t);
      int i = HitButton(h, t, PointOf(lp));
      if (i < 0 || !(t->buttons[(size_t)i].fsState & TBSTATE_ENABLED)) return 0;
      t->pressed = i;
      t->pressedInside = true;
      SetCapture(h);
      Redraw(h);
      return 0;
    }
    case WM_LBUTTONUP: {
      int i = t->pressed;
      if (i < 0) return 0;
      bool inside = HitButton(h, t, PointOf(lp)) == i;
      t->pressed = -1;
      t->pressedInside = false;
      if (GetCapture() == h) ReleaseCapture();
      Redraw(h);
      if (inside && i < (int)t->buttons.size()) Click(h, t, i);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (t->pressed >= 0 && (HWND)lp != h) {
        t->pressed = -1;
        Redraw(h);
      }
      return 0;
    case WM_SIZE:
      Redraw(h);
      return 0;
  }
  return DefWindowProcA(h, m, wp, lp);
}

LRESULT CALLBACK TooltipProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT rc;
      GetClientRect(h, &rc);
      FillRect(dc, &rc, GetSysColorBrush(COLOR_INFOBK));
      std::string text = TextOf(h);
      HGDIOBJ old = SelectObject(dc, GuiFont());
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
      SetBkMode(dc, TRANSPARENT);
      Inflate(&rc, -3, -1);
      DrawTextA(dc, text.c_str(), (int)text.size(), &rc, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      SelectObject(dc, old);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(h, m, wp, lp);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    case TTM_POP:
      ShowWindow(h, SW_HIDE);
      return 0;
    case TTM_ACTIVATE:
      if (!wp) ShowWindow(h, SW_HIDE);
      return 0;
  }
  return DefWindowProcA(h, m, wp, lp);
}

}  // namespace tavo::controls

HWND CreateToolbarEx(HWND parent, DWORD style, UINT id, int bitmaps, HINSTANCE bitmapInst, UINT_PTR bitmapId,
                     LPCTBBUTTON buttons, int numButtons, int dxButton, int dyButton, int dxBitmap, int dyBitmap,
                     UINT structSize) {
  HWND h = CreateWindowExA(0, TOOLBARCLASSNAME, "", style | WS_CHILD, 0, 0, 0, 0, parent, (HMENU)(UINT_PTR)id, 0,
                           nullptr);
  if (!h) return 0;
  SendMessageA(h, TB_BUTTONSTRUCTSIZE, structSize, 0);
  if (dxBitmap > 0 && dyBitmap > 0) SendMessageA(h, TB_SETBITMAPSIZE, 0, MAKELONG(dxBitmap, dyBitmap));
  if (dxButton > 0 && dyButton > 0) SendMessageA(h, TB_SETBUTTONSIZE, 0, MAKELONG(dxButton, dyButton));
  if (bitmaps > 0) {
    TBADDBITMAP ab{bitmapInst, bitmapId};
    SendMessageA(h, TB_ADDBITMAP, (WPARAM)bitmaps, (LPARAM)&ab);
  }
  if (buttons && numButtons > 0) SendMessageA(h, TB_ADDBUTTONSA, (WPARAM)numButtons, (LPARAM)buttons);
  SendMessageA(h, TB_AUTOSIZE, 0, 0);
  return h;
}
