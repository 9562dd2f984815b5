// The program's own push button.

#include "NYBUTTON.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "FARVER.h"
#include "FONTE.h"
#include "RAMME.h"
#include "TOOLTIP.h"
#include "tavo/assert.h"

static void FlytRect(RECT &r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
}

static HGDIOBJ StdSkrift() { return StdFont ? (HGDIOBJ)StdFont : GetStockObject(DEFAULT_GUI_FONT); }

// The caption strips are looked up once, from the button's module.
static SysBmpStrip StripStor, StripLille;
static bool StripStorHentet, StripLilleHentet;

static const SysBmpStrip *HentStrip(HINSTANCE inst, bool stor) {
  SysBmpStrip &s = stor ? StripStor : StripLille;
  bool &hentet = stor ? StripStorHentet : StripLilleHentet;
  if (!hentet) {
    HRSRC r = FindResourceA(inst, stor ? NYB_STRIP_STOR : NYB_STRIP_LILLE, RT_BITMAP);
    if (r) {
      s.res = LoadResource(inst, r);
      s.stoerrelse = SizeofResource(inst, r);
      s.bredde = stor ? 16 : 12;
      s.hoejde = stor ? 14 : 12;
      hentet = s.res != 0;
    }
  }
  return hentet ? &s : nullptr;
}

static char *KopierTekst(const char *s) {
  if (!s) s = "";
  size_t n = std::strlen(s);
  char *c = static_cast<char *>(std::malloc(n + 1));
  if (c) std::memcpy(c, s, n + 1);
  return c;
}

static bool Inde(const BWS *b, LPARAM lParam) {
  int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
  return x >= 0 && y >= 0 && x < b->width && y < b->height;
}

static void Spor(HWND hwnd, DWORD flags) {
  TRACKMOUSEEVENT t = {sizeof t, flags, hwnd, 0};
  TrackMouseEvent(&t);
}

// Copies the DIB with its grey tones swapped for the current system colours
// and sets it to the DC.
static void TegnBillede(BWS *b, int x, int y, int w, int h) {
  const auto *bytes = static_cast<const uint8_t *>(LockResource(b->picture));
  if (!bytes || w <= 0 || h <= 0) return;
  BITMAPINFOHEADER bi;
  std::memcpy(&bi, bytes, sizeof bi);
  if (bi.biSize != sizeof(BITMAPINFOHEADER)) return;
  int farver = bi.biClrUsed ? (int)bi.biClrUsed
               : bi.biBitCount == 1 ? 2
               : bi.biBitCount == 4 ? 16
               : bi.biBitCount == 8 ? 256
                                    : 0;
  if (farver > 256) return;
  long stride = ((long)bi.biWidth * bi.biBitCount + 31) / 32 * 4;
  long rows = bi.biHeight < 0 ? -(long)bi.biHeight : bi.biHeight;
  size_t total = sizeof bi + (size_t)farver * 4 + (size_t)(stride * rows);
  std::vector<uint8_t> copy(bytes, bytes + total);
  auto *tab = reinterpret_cast<RGBQUAD *>(copy.data() + sizeof bi);
  auto sat = [&](int i, COLORREF c) {
    if (i < farver) {
      tab[i].rgbRed = GetRValue(c);
      tab[i].rgbGreen = GetGValue(c);
      tab[i].rgbBlue = GetBValue(c);
    }
  };
  sat(0, GetSysColor(COLOR_3DDKSHADOW));
  sat(7, FarveTab[0]);
  sat(8, GetSysColor(COLOR_BTNSHADOW));
  sat(15, GetSysColor(COLOR_BTNHIGHLIGHT));
  // Bottom-up rows: the picture's top rows are the last scan lines.
  int srcY = bi.biHeight > 0 ? (int)(rows - h) : 0;
  SetDIBitsToDevice(b->dc, x, y, w, h, 0, srcY, 0, (UINT)rows, copy.data() + sizeof bi + farver * 4,
                    reinterpret_cast<BITMAPINFO *>(copy.data()), DIB_RGB_COLORS);
}

static void TegnKnap(BWS *b) {
  if (!b->dc) return;
  HDC dc = b->dc;
  bool std = b->id == NYB_STD_ID && !(b->style & (NYB_BILLEDE_VENSTRE | NYB_BILLEDE_HOEJRE));
  int w = b->width, h = b->height;
  int fladeIdx = b->latched ? 2 : std ? 30 : 0;
  HBRUSH flade = FarveBrush[fladeIdx] ? FarveBrush[fladeIdx] : GetSysColorBrush(COLOR_BTNFACE);
  RECT all = {0, 0, w + 1, h + 1};
  FillRect(dc, &all, flade);
  SetBkColor(dc, FarveTab[b->latched ? 2 : 0]);

  RECT tr;
  if (b->pressed) {
    DrawFrame3D(dc, 0, 0, w - 1, h - 1, 18);
    if (std) DrawFrame3D(dc, 2, 2, w - 3, h - 3, 18);
    tr = {6, 3, w - 4, h};
  } else if (b->latched) {
    DrawFrame3D(dc, 0, 0, w - 1, h - 1, 2);
    DrawFrame3D(dc, 1, 1, w - 2, h - 2, 1);
    tr = {4, 1, w - 6, h - 2};
  } else {
    DrawFrame3D(dc, 0, 0, w - 1, h - 1, 17);
    if (std) DrawFrame3D(dc, 2, 2, w - 3, h - 3, 17);
    tr = {4, 1, w - 6, h - 2};
  }

  if (b->style & (NYB_KAPTION_STOR | NYB_KAPTION_LILLE)) {
    int nr = (int)((b->style & NYB_KAPTION_MASKE) >> 12);
    if (b->strip && nr >= 1) DrawSysColBitmap(dc, b->strip, nr - 1, b->disabled ? 0 : b->pressed ? 1 : 2);
    return;
  }

  if (b->picture) {
    int pw = (int)b->pictureWidth, ph = (int)b->pictureHeight;
    if (pw > w - 4) pw = w - 4;
    if (ph > h - 4) ph = h - 4;
    int tryk = b->pressed ? 1 : 0;
    int px;
    if ((b->style & NYB_BILLEDE_HOEJRE) && pw < w - 4) {
      px = w - 4 - pw + tryk;
      tr.right -= pw + 3;
    } else {
      px = 2 + tryk;
      tr.left += pw + 3;
    }
    int py = (int)b->pictureHeight + 5 < h ? 1 + tryk + (h - (int)b->pictureHeight - 2) / 2 : 1 + tryk;
    TegnBillede(b, px, py, pw, ph);
  }

  if (b->txt && *b->txt) {
    // A button text marks its Alt key with '&', drawn underlined as in a
    // dialog; '&&' stands for the character itself.
    UINT fmt = DT_SINGLELINE | DT_END_ELLIPSIS;
    fmt |= (b->style & NYB_VENSTRE) ? DT_LEFT : (b->style & NYB_HOEJRE) ? DT_RIGHT : DT_CENTER;
    fmt |= (b->style & NYB_TOP) ? DT_TOP : (b->style & NYB_BUND) ? DT_BOTTOM : DT_VCENTER;
    SetBkMode(dc, TRANSPARENT);
    if (b->disabled) {
      RECT r = tr;
      FlytRect(r, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextA(dc, b->txt, -1, &r, fmt);
      SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
      DrawTextA(dc, b->txt, -1, &tr, fmt);
    } else {
      RECT r = tr;
      if (b->latched) FlytRect(r, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawTextA(dc, b->txt, -1, &r, fmt);
    }
  }

  if (b->focused) {
    RECT f = b->pressed ? RECT{4, 4, w - 2, h - 2} : RECT{2, 2, w - 4, h - 4};
    COLORREF c = GetSysColor(COLOR_3DDKSHADOW);
    for (int x = f.left; x <= f.right; x += 2) {
      SetPixel(dc, x, f.top, c);
      SetPixel(dc, x, f.bottom, c);
    }
    for (int y = f.top; y <= f.bottom; y += 2) {
      SetPixel(dc, f.left, y, c);
      SetPixel(dc, f.right, y, c);
    }
  }
}

static void Saet(BWS *b, uint32_t &felt, uint32_t v) {
  if (felt != v) {
    felt = v;
    TegnKnap(b);
  }
}

static void Send(BWS *b, UINT msg) { SendMessageA(b->target, msg, b->id, b->value); }

LRESULT CALLBACK NyButtonWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *b = reinterpret_cast<BWS *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_CREATE) {
    auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
    b = static_cast<BWS *>(cs->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(b));
    if (!b) return -1;
    b->dc = GetDC(hwnd);
    b->oldFont = (HFONT)SelectObject(b->dc, StdSkrift());
    return 0;
  }
  if (!b) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      TegnKnap(b);
      return 0;
    }
    case WM_SIZE:
      b->width = (short)LOWORD(lParam);
      b->height = (short)HIWORD(lParam);
      TegnKnap(b);
      return 0;
    case WM_MOUSEMOVE: {
      Spor(hwnd, TME_HOVER | TME_LEAVE);
      bool inde = Inde(b, lParam);
      if (inde && GetCapture() == hwnd) ReleaseCapture();
      if ((wParam & MK_LBUTTON) && inde && b->tracking && !b->pressed) {
        b->pressed = 1;
        TegnKnap(b);
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
      SkjulTooltip();
      if (!b->disabled) {
        Spor(hwnd, TME_LEAVE);
        b->tracking = 1;
        b->pressed = 1;
        TegnKnap(b);
        Send(b, NYB_TRYK);
      }
      return 0;
    case WM_LBUTTONUP: {
      SkjulTooltip();
      if (b->pressed) {
        b->pressed = 0;
        TegnKnap(b);
      }
      bool klik = false;
      if (b->tracking) {
        b->tracking = 0;
        klik = Inde(b, lParam);
      }
      if (GetCapture() == hwnd) ReleaseCapture();
      if (klik) {
        Send(b, NYB_SLIP);
        Send(b, NYB_KLIK);
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      SkjulTooltip();
      if (b->tracking) {
        SetCapture(hwnd);
        b->pressed = 0;
      }
      TegnKnap(b);
      return 0;
    case WM_MOUSEHOVER:
      if (!b->pressed) VisTooltip(b->tooltxt, nullptr, 0);
      return 0;
    case WM_KEYDOWN:
      if ((wParam == VK_RETURN || wParam == VK_SPACE) && b->focused && !b->disabled) {
        Send(b, NYB_TRYK);
        b->pressed = 1;
        TegnKnap(b);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_RETURN || wParam == VK_SPACE) {
        if (b->pressed) {
          b->pressed = 0;
          TegnKnap(b);
        }
        if (b->focused && !b->disabled) {
          Send(b, NYB_SLIP);
          Send(b, NYB_KLIK);
        }
      }
      return 0;
    case NYB_FOKUS_TIL:
      Saet(b, b->focused, 1);
      return 0;
    case NYB_FOKUS:
      return b->focused;
    case NYB_FOKUS_FRA:
      Saet(b, b->focused, 0);
      return 0;
    case NYB_AKTIVER:
      Saet(b, b->disabled, 0);
      return 0;
    case NYB_DEAKTIVER:
      Saet(b, b->disabled, 1);
      return 0;
    case NYB_LAAS_NED:
      Saet(b, b->latched, 1);
      return 0;
    case NYB_LAAS_OP:
      Saet(b, b->latched, 0);
      return 0;
    case NYB_BILLEDE: {
      b->picture = 0;
      b->pictureName = reinterpret_cast<LPCSTR>(lParam);
      b->pictureWidth = b->pictureHeight = 0;
      if (lParam) {
        HRSRC r = FindResourceA(b->instance, b->pictureName, RT_BITMAP);
        HGLOBAL g = r ? LoadResource(b->instance, r) : 0;
        const auto *p = static_cast<const uint8_t *>(g ? LockResource(g) : nullptr);
        DWORD n = r ? SizeofResource(b->instance, r) : 0;
        uint32_t hs = 0;
        if (p && n >= 4) std::memcpy(&hs, p, 4);
        if (p && hs == 40 && n >= 40) {
          int32_t wd, ht;
          std::memcpy(&wd, p + 4, 4);
          std::memcpy(&ht, p + 8, 4);
          b->pictureWidth = (uint32_t)wd;
          b->pictureHeight = (uint32_t)(ht < 0 ? -ht : ht);
          b->picture = g;
        } else if (p && hs == 12 && n >= 12) {
          uint16_t wd, ht;
          std::memcpy(&wd, p + 4, 2);
          std::memcpy(&ht, p + 6, 2);
          b->pictureWidth = wd;
          b->pictureHeight = ht;
          b->picture = g;
        }
      }
      b->style &= ~(uint32_t)(NYB_BILLEDE_VENSTRE | NYB_BILLEDE_HOEJRE);
      b->style |= (wParam & NYB_BILLEDE_HOEJRE) ? NYB_BILLEDE_HOEJRE : NYB_BILLEDE_VENSTRE;
      TegnKnap(b);
      return 0;
    }
    case NYB_TEKST: {
      char *ny = KopierTekst(reinterpret_cast<const char *>(lParam));
      if (!ny) tavo::AssertFailed("BWS->txt != NULL", "NYBUTTON", __LINE__);
      std::free(b->txt);
      b->txt = ny;
      b->style = (b->style & ~3u) | (uint32_t)(wParam & 3);
      return 0;
    }
    case NYB_TOOLTIP: {
      SkjulTooltip();
      char *ny = KopierTekst(reinterpret_cast<const char *>(lParam));
      if (!ny) tavo::AssertFailed("BWS->tooltxt != NULL", "NYBUTTON", __LINE__);
      std::free(b->tooltxt);
      b->tooltxt = ny;
      return 0;
    }
    case NYB_KAPTIONBILLEDE:
      b->style = (b->style & ~(uint32_t)NYB_KAPTION_MASKE) | (uint32_t)(wParam & NYB_KAPTION_MASKE);
      TegnKnap(b);
      return 0;
    case VALG_KAN_SKIFTE:
      return 1;
    case WM_DESTROY:
      SkjulTooltip();
      if (b->dc) SelectObject(b->dc, b->oldFont);
      std::free(b->tooltxt);
      std::free(b->txt);
      std::free(b);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateNyButtonWnd(HINSTANCE inst, HWND parent, HWND target, uint32_t id, uint32_t value,
                       uint32_t style, int x, int y, int width, int height, const char *tooltip,
                       const char *text) {
  auto *b = static_cast<BWS *>(std::calloc(1, sizeof(BWS)));
  if (!b) return 0;
  if (!(style & (NYB_BILLEDE_VENSTRE | NYB_BILLEDE_HOEJRE)) && id != NYB_STD_ID)
    style |= NYB_BILLEDE_VENSTRE;
  if (style & NYB_KAPTION_STOR) {
    width = 16;
    height = 14;
    b->strip = HentStrip(inst, true);
  } else if (style & NYB_KAPTION_LILLE) {
    width = 12;
    height = 12;
    b->strip = HentStrip(inst, false);
  }
  b->instance = inst;
  b->parent = parent;
  b->target = target;
  b->id = id;
  b->value = value;
  b->style = style;
  b->x = x;
  b->y = y;
  b->width = width;
  b->height = height;
  b->tooltxt = KopierTekst(tooltip);
  if (!b->tooltxt) tavo::AssertFailed("BWS->tooltxt != NULL", "NYBUTTON", __LINE__);
  b->txt = KopierTekst(text);
  if (!b->txt) tavo::AssertFailed("BWS->txt != NULL", "NYBUTTON", __LINE__);
  HWND h = CreateWindowExA(0, "NyButtonWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                           x, y, width, height, parent, 0, inst, b);
  if (!h) {
    std::free(b->tooltxt);
    std::free(b->txt);
    std::free(b);
  }
  return h;
}
