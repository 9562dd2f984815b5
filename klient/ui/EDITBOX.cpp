// The number cell, the number box and the one-line text box.

#include "EDITBOX.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FONTE.h"
#include "RAMME.h"
#include "TOOLTIP.h"

static HGDIOBJ StdSkrift() { return StdFont ? (HGDIOBJ)StdFont : GetStockObject(DEFAULT_GUI_FONT); }

// ------------------------------------------------------------ number texts

bool EditIntSaetVaerdi(EditIntInfo *info, int32_t value) {
  uint32_t digits = info->intDigits > 10 ? 10 : info->intDigits;
  uint32_t decimals = info->decimals > 9 ? 9 : info->decimals;
  info->intDigits = digits;
  info->decimals = decimals;
  uint32_t mag = value < 0 ? (uint32_t)(-(int64_t)value) : (uint32_t)value;
  uint32_t div = 1;
  for (uint32_t i = 0; i < decimals; ++i) div *= 10;
  // Sign, up to ten integer digits, comma, decimals and the NUL.
  size_t size = 32;  // sign, ten digits, comma, nine decimals and the NUL fit
  char *t = static_cast<char *>(std::calloc(size, 1));
  if (!t) return false;
  if (decimals)
    std::snprintf(t, size, " %*u,%0*u", (int)digits, mag / div, (int)decimals, mag % div);
  else
    std::snprintf(t, size, " %*u", (int)digits, mag);
  if (value < 0) t[0] = '-';
  std::free(info->text);
  info->text = t;
  info->negative = value < 0;
  info->caret = digits;
  return true;
}

static LRESULT EditIntVaerdi(EditIntInfo *e) {
  if (!e->text) return 0;
  size_t n = 0;
  for (const char *p = e->text; *p; ++p)
    if (*p >= '0' && *p <= '9') e->text[n++] = *p;
  e->text[n] = 0;
  long long v = 0;
  for (size_t i = 0; i < n && v <= INT32_MAX; ++i) v = v * 10 + (e->text[i] - '0');
  if (v > INT32_MAX) v = INT32_MAX;
  return (LRESULT)(e->negative ? -v : v);
}

// The editing rules shared by the cell and the box.
static void EditIntTast(EditIntInfo *e, UINT vk) {
  if (!e->text || (GetKeyState(VK_CONTROL) & 0x8000)) return;
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) vk = '0' + (vk - VK_NUMPAD0);
  if (vk == VK_SUBTRACT) vk = VK_OEM_MINUS;
  if (vk == VK_DECIMAL) vk = VK_OEM_COMMA;
  const uint32_t D = e->intDigits, F = e->decimals;
  char *t = e->text;
  size_t len = std::strlen(t);
  if (len < 1 + D + (F ? 1 + F : 0)) return;  // a text not in the field's layout is left alone
  uint32_t &c = e->caret;
  if (vk >= '0' && vk <= '9') {
    char ciffer = (char)vk;
    if (c <= D) {
      if (c == 0) return;
      if (t[1] != ' ') {
        MessageBeep(0);
        return;
      }
      for (uint32_t i = 1; i + 1 <= c; ++i) {
        char ny = t[i + 1];
        char venstre = i == 1 ? ' ' : t[i - 1];
        if (ny == '0' && venstre == ' ') ny = ' ';
        t[i] = ny;
      }
      t[c] = ciffer;
    } else if (F && c <= D + 1 + F) {
      t[c] = ciffer;
      if (!(c > D + F)) ++c;
    }
  } else if ((vk == VK_OEM_COMMA || vk == VK_OEM_PERIOD) && F) {
    if (c == D) c = D + 2;
  } else if (vk == VK_OEM_MINUS) {
    e->negative = !e->negative;
    t[0] = e->negative ? '-' : ' ';
  } else if (vk == VK_BACK || vk == VK_DELETE) {
    if (c == D) {
      for (uint32_t i = D; i >= 2; --i) t[i] = t[i - 1];
      t[1] = ' ';
      if (t[D] == ' ') t[D] = '0';
    } else if (F && c > D + 1 && c <= D + 1 + F) {
      t[c] = '0';
      --c;
      if (c == D + 1) c = D;
    }
  }
}

static void TegnEditInt(EditIntInfo *e) {
  if (!e->dc || !e->text) return;
  HDC dc = e->dc;
  RECT strip = {0, 0, 6, 11};
  FillRect(dc, &strip, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  size_t n = std::strlen(e->text);
  TextOutA(dc, 6, 0, e->text, (int)(n < 9 ? n : 9));
  if (e->caret < n) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOW));
    SetBkColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TextOutA(dc, 6 + (int)e->caret * 8, 0, e->text + e->caret, 1);
  }
}

static void TegnEditboxInt(EditIntInfo *e) {
  if (!e->dc || !e->text) return;
  HDC dc = e->dc;
  RECT all = {0, 0, e->width, e->height};
  FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
  DrawFrame3D(dc, 0, 0, e->width - 1, e->height - 1, 17);
  SetBkMode(dc, OPAQUE);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  size_t n = std::strlen(e->text);
  TextOutA(dc, e->textX, e->textY, e->text, (int)n);
  if (e->caret < n) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOW));
    SetBkColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TextOutA(dc, e->textX + (int)(e->caret * e->charWidth), e->textY, e->text + e->caret, 1);
  }
}

static EditIntInfo *EditIntFraCreate(HWND hwnd, LPARAM lParam) {
  auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
  auto *e = static_cast<EditIntInfo *>(cs->lpCreateParams);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(e));
  if (e) {
    e->dc = GetDC(hwnd);
    SelectObject(e->dc, e->font ? (HGDIOBJ)e->font : StdSkrift());
  }
  return e;
}

static void EditIntFrigiv(HWND hwnd, EditIntInfo *e) {
  if (!e) return;
  std::free(e->text);
  std::free(e);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
}

LRESULT CALLBACK EditIntWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *e = reinterpret_cast<EditIntInfo *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_CREATE:
      e = EditIntFraCreate(hwnd, lParam);
      if (!e) return -1;
      MoveWindow(hwnd, e->x, e->y, e->width, e->height, FALSE);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (e) {
        EditIntTast(e, (UINT)wParam);
        SendMessageA(hwnd, WM_PAINT, 0, 0);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (e) TegnEditInt(e);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case EDITINT_VAERDI:
      return e ? EditIntVaerdi(e) : 0;
    case WM_DESTROY:
      EditIntFrigiv(hwnd, e);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK EditboxIntWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *e = reinterpret_cast<EditIntInfo *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_CREATE: {
      e = EditIntFraCreate(hwnd, lParam);
      if (!e) return -1;
      SIZE sz = {0, 0};
      GetTextExtentPoint32A(e->dc, "0", 1, &sz);
      e->charWidth = (uint32_t)sz.cx;
      e->charHeight = (uint32_t)sz.cy;
      int ty = (e->height - (int)e->charHeight) / 2;
      e->textY = ty > 0 ? ty : 0;
      int n = e->text ? (int)std::strlen(e->text) : 0;
      int tx = e->width - n * (int)e->charWidth - EdgeWidth(17);
      e->textX = tx > 0 ? tx : 0;
      SetFocus(hwnd);
      SetCapture(hwnd);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!e) return 0;
      if (wParam == VK_RETURN) {
        SendMessageA(e->owner, EDITBOX_OK, 0, reinterpret_cast<LPARAM>(e->text));
        DestroyWindow(hwnd);
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        SendMessageA(e->owner, EDITBOX_FORTRYD, 0, 0);
        DestroyWindow(hwnd);
        return 0;
      }
      EditIntTast(e, (UINT)wParam);
      SendMessageA(hwnd, WM_PAINT, 0, 0);
      return 0;
    case WM_LBUTTONDOWN:
      // Read unsigned, a click left of or above the box is outside too.
      if (e && ((unsigned)LOWORD(lParam) >= (unsigned)e->width ||
                (unsigned)HIWORD(lParam) >= (unsigned)e->height)) {
        SendMessageA(e->owner, EDITBOX_OK, 0, reinterpret_cast<LPARAM>(e->text));
        DestroyWindow(hwnd);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (e) TegnEditboxInt(e);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case EDITINT_VAERDI:
      return e ? EditIntVaerdi(e) : 0;
    case WM_DESTROY:
      if (GetCapture() == hwnd) ReleaseCapture();
      EditIntFrigiv(hwnd, e);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// --------------------------------------------------------------- text box

static bool Tilladt(unsigned char ch) {
  if (std::isalnum(ch) && ch < 128) return true;
  if (std::strchr("\xE6\xF8\xE5\xC6\xD8\xC5", ch) && ch) return true;
  return ch && std::strchr(" ,;.:-_*!\"#%&/()=+?\\${[]}|@", ch) != nullptr;
}

static uint32_t Laengde(const EditboxInfo *b) { return (uint32_t)std::strlen(b->text); }

static int Bredde(const EditboxInfo *b, uint32_t fra, uint32_t til) {
  if (til <= fra) return 0;
  SIZE sz = {0, 0};
  GetTextExtentPoint32A(b->dc, b->text + fra, (int)(til - fra), &sz);
  return sz.cx;
}

// EditboxJusterStart: keeps the caret in view.
static void EditboxJusterStart(EditboxInfo *b) {
  if (b->caret < b->firstVisible) {
    while (b->caret < b->firstVisible) b->firstVisible = b->firstVisible > 5 ? b->firstVisible - 5 : 0;
  } else {
    while (b->firstVisible < b->caret && Bredde(b, b->firstVisible, b->caret) + 2 > b->width)
      ++b->firstVisible;
  }
}

// EditboxSletOmraade: removes the characters between two positions.
static void EditboxSletOmraade(EditboxInfo *b, uint32_t p1, uint32_t p2) {
  uint32_t fra = p1 < p2 ? p1 : p2, til = p1 < p2 ? p2 : p1;
  uint32_t n = Laengde(b);
  if (fra >= n) return;
  if (til > n) til = n;
  std::memmove(b->text + fra, b->text + til, n - til);
  std::memset(b->text + n - (til - fra), 0, til - fra);
}

static bool HarValg(const EditboxInfo *b) { return b->anchor != b->caret; }

static void SletValg(EditboxInfo *b) {
  if (!HarValg(b)) return;
  uint32_t fra = b->anchor < b->caret ? b->anchor : b->caret;
  EditboxSletOmraade(b, b->anchor, b->caret);
  b->caret = b->anchor = fra;
}

static void KopierValg(EditboxInfo *b) {
  if (!HarValg(b)) return;
  uint32_t fra = b->anchor < b->caret ? b->anchor : b->caret;
  uint32_t til = b->anchor < b->caret ? b->caret : b->anchor;
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, til - fra + 1);
  if (!g) return;
  char *p = static_cast<char *>(GlobalLock(g));
  std::memcpy(p, b->text + fra, til - fra);
  GlobalUnlock(g);
  if (OpenClipboard(b->window)) {
    EmptyClipboard();
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
  } else {
    GlobalFree(g);
  }
}

static void IndsaetKlip(EditboxInfo *b) {
  SletValg(b);
  if (!OpenClipboard(b->window)) return;
  HANDLE g = GetClipboardData(CF_TEXT);
  const char *p = g ? static_cast<const char *>(GlobalLock(g)) : nullptr;
  if (p) {
    uint32_t n = 0;
    uint32_t plads = b->maxLength - b->caret;
    while (p[n] && p[n] != '\r' && p[n] != '\n' && n < plads) ++n;
    uint32_t len = Laengde(b);
    // What would pass maxLength is lost.
    uint32_t behold = len - b->caret;
    if (b->caret + n + behold > b->maxLength) behold = b->maxLength - b->caret - n;
    std::memmove(b->text + b->caret + n, b->text + b->caret, behold);
    std::memcpy(b->text + b->caret, p, n);
    uint32_t nyLen = b->caret + n + behold;
    std::memset(b->text + nyLen, 0, b->maxLength + 1 - nyLen);
    b->caret += n;
    b->anchor = b->caret;
    GlobalUnlock(g);
  }
  CloseClipboard();
}

static void TegnEditbox(EditboxInfo *b) {
  if (!b->dc) return;
  HDC dc = b->dc;
  uint32_t n = Laengde(b);
  uint32_t s0 = b->anchor < b->caret ? b->anchor : b->caret;
  uint32_t s1 = b->anchor < b->caret ? b->caret : b->anchor;
  int x = 0, hoejde = 0;
  SetBkMode(dc, OPAQUE);
  auto stykke = [&](uint32_t fra, uint32_t til, bool valgt) {
    if (fra < b->firstVisible) fra = b->firstVisible;
    if (til <= fra) return;
    SetTextColor(dc, GetSysColor(valgt ? COLOR_CAPTIONTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(valgt ? COLOR_ACTIVECAPTION : COLOR_WINDOW));
    TextOutA(dc, x, 0, b->text + fra, (int)(til - fra));
    SIZE sz = {0, 0};
    GetTextExtentPoint32A(dc, b->text + fra, (int)(til - fra), &sz);
    x += sz.cx;
    if (sz.cy > hoejde) hoejde = sz.cy;
  };
  stykke(0, s0 < n ? s0 : n, false);
  stykke(s0, s1 < n ? s1 : n, true);
  stykke(s1, n, false);
  FillSysColRect(dc, COLOR_WINDOW, x, 0, b->width - 1, b->height - 1);
  FillSysColRect(dc, COLOR_WINDOW, 0, hoejde, x - 1, b->height - 1);
  if (b->active) {
    int cx = b->caret > b->firstVisible ? Bredde(b, b->firstVisible, b->caret) : 0;
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, cx, 1, nullptr);
    LineTo(dc, cx, b->height - 1);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
}

static void Afslut(HWND hwnd, EditboxInfo *b, UINT msg, WPARAM grund) {
  SendMessageA(b->owner, msg, grund, msg == EDITBOX_OK ? reinterpret_cast<LPARAM>(b->text) : 0);
  DestroyWindow(hwnd);
}

static uint32_t PosVedX(EditboxInfo *b, int x) {
  uint32_t n = Laengde(b);
  int sum = 0;
  for (uint32_t i = b->firstVisible; i < n; ++i) {
    SIZE sz = {0, 0};
    GetTextExtentPoint32A(b->dc, b->text + i, 1, &sz);
    if (x < sum + sz.cx) return i;
    sum += sz.cx;
  }
  return n;
}

LRESULT CALLBACK EditboxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *b = reinterpret_cast<EditboxInfo *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_CREATE) {
    auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
    b = static_cast<EditboxInfo *>(cs->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(b));
    if (!b) return -1;
    b->window = hwnd;
    TRACKMOUSEEVENT t = {sizeof t, TME_HOVER | TME_LEAVE, hwnd, 0};
    TrackMouseEvent(&t);
    b->dc = GetDC(hwnd);
    SetBkMode(b->dc, OPAQUE);
    b->oldFont = (HFONT)SelectObject(b->dc, b->font ? (HGDIOBJ)b->font : StdSkrift());
    SetFocus(hwnd);
    SetCapture(hwnd);
    return 0;
  }
  if (!b) return DefWindowProcA(hwnd, msg, wParam, lParam);
  bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  switch (msg) {
    case WM_CHAR: {
      SkjulTooltip();
      unsigned char ch = (unsigned char)wParam;
      if (!Tilladt(ch)) break;
      bool indsaet = b->insertMode != 0;
      if (HarValg(b)) {
        SletValg(b);
        indsaet = true;
      }
      uint32_t n = Laengde(b);
      if (b->caret >= b->maxLength || (indsaet && n >= b->maxLength)) return 0;
      if (indsaet) std::memmove(b->text + b->caret + 1, b->text + b->caret, n - b->caret);
      b->text[b->caret] = (char)ch;
      ++b->caret;
      EditboxJusterStart(b);
      b->anchor = b->caret;
      TegnEditbox(b);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      SkjulTooltip();
      uint32_t n = Laengde(b);
      switch (wParam) {
        case VK_BACK:
        case VK_DELETE:
          if (HarValg(b)) {
            if (wParam == VK_DELETE && shift) KopierValg(b);
            SletValg(b);
          } else if (wParam == VK_BACK) {
            if (b->caret > 0) {
              EditboxSletOmraade(b, b->caret - 1, b->caret);
              --b->caret;
            }
          } else {
            EditboxSletOmraade(b, b->caret, b->caret + 1);
          }
          b->anchor = b->caret;
          EditboxJusterStart(b);
          break;
        case VK_RETURN:
          Afslut(hwnd, b, EDITBOX_OK, 0);
          return 0;
        case VK_ESCAPE:
          Afslut(hwnd, b, EDITBOX_FORTRYD, 0);
          return 0;
        case VK_END:
          b->caret = n;
          if (!shift) b->anchor = b->caret;
          EditboxJusterStart(b);
          break;
        case VK_HOME:
          b->firstVisible = b->caret = 0;
          if (!shift) b->anchor = 0;
          break;
        case VK_LEFT:
          if (b->caret == 0) {
            Afslut(hwnd, b, EDITBOX_OK, VK_LEFT);
            return 0;
          }
          --b->caret;
          if (!shift) b->anchor = b->caret;
          if (b->caret <= b->firstVisible) b->firstVisible = b->firstVisible > 5 ? b->firstVisible - 5 : 0;
          break;
        case VK_RIGHT:
          if (b->caret >= n) {
            Afslut(hwnd, b, EDITBOX_OK, VK_RIGHT);
            return 0;
          }
          ++b->caret;
          if (!shift) b->anchor = b->caret;
          while (b->firstVisible < b->caret && Bredde(b, b->firstVisible, b->caret) > b->width - 2)
            ++b->firstVisible;
          break;
        case VK_UP:
        case VK_DOWN:
          Afslut(hwnd, b, EDITBOX_OK, wParam);
          return 0;
        case VK_INSERT:
          if (ctrl)
            KopierValg(b);
          else if (shift)
            IndsaetKlip(b);
          else
            b->insertMode = !b->insertMode;
          EditboxJusterStart(b);
          break;
        default:
          return DefWindowProcA(hwnd, msg, wParam, lParam);
      }
      TegnEditbox(b);
      return 0;
    }
    case EDITBOX_HENT:
      if (wParam && b->text[0]) {
        char *dst = reinterpret_cast<char *>(wParam);
        std::memcpy(dst, b->text, Laengde(b) + 1);
      }
      return 0;
    case WM_MOUSEMOVE: {
      int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
      RECT rc;
      GetClientRect(hwnd, &rc);
      if (x >= 1 && y >= 1 && x <= rc.right && y <= rc.bottom)
        VisTooltip(b->tooltip, nullptr, 0);
      else
        SkjulTooltip();
      return 0;
    }
    case WM_LBUTTONDOWN: {
      int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
      RECT rc;
      GetClientRect(hwnd, &rc);
      if (x >= 0 && y >= 0 && x < rc.right && y < rc.bottom) {
        b->caret = b->anchor = PosVedX(b, x);
        TegnEditbox(b);
      } else if (y >= 33 && y <= 51) {
        if (x >= 358 && x <= 421) Afslut(hwnd, b, EDITBOX_OK, 1);
        else if (x >= 438 && x <= 502) Afslut(hwnd, b, EDITBOX_OK, 2);
        else if (x >= 519 && x <= 582) Afslut(hwnd, b, EDITBOX_FORTRYD, 3);
      }
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      b->active = 1;
      if (HarValg(b)) {
        int x = (short)LOWORD(lParam);
        b->caret = b->anchor = x == 0 ? b->firstVisible : PosVedX(b, x);
      } else {
        b->anchor = 0;
        b->caret = Laengde(b);
      }
      TegnEditbox(b);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      TegnEditbox(b);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_DESTROY:
      if (GetCapture() == hwnd) ReleaseCapture();
      SkjulTooltip();
      if (b->dc) SelectObject(b->dc, b->oldFont);
      std::free(b->text);
      std::free(b->tooltip);
      std::free(b);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateEditboxWnd(HINSTANCE inst, HWND owner, int x, int y, int width, int height,
                      const char *text, uint32_t maxLength, bool selectAll) {
  auto *b = static_cast<EditboxInfo *>(std::calloc(1, sizeof(EditboxInfo)));
  char *buf = static_cast<char *>(std::calloc((size_t)maxLength + 1, 1));
  if (!b || !buf) {
    std::free(b);
    std::free(buf);
    return 0;
  }
  size_t n = text ? strnlen(text, maxLength) : 0;
  if (n) std::memcpy(buf, text, n);
  *b = EditboxInfo{};
  b->instance = inst;
  b->owner = owner;
  b->font = TxtFont;
  b->x = x;
  b->y = y;
  b->width = width;
  b->height = height;
  b->maxLength = maxLength;
  b->text = buf;
  b->anchor = (uint32_t)n;
  b->caret = selectAll ? 0 : (uint32_t)n;
  b->active = 1;
  b->insertMode = 1;
  HWND h = CreateWindowExA(WS_EX_TOPMOST, "EditboxWndClass", "",
                           WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, width, height, owner, 0,
                           inst, b);
  if (!h) {
    std::free(buf);
    std::free(b);
    return 0;
  }
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  return h;
}
