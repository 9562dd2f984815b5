// Key names for the key trace log, and the 3-D frames, fills and lines in the system colours.
#include "RAMME.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "LOGFIL.h"

namespace {

struct TastNavn {
  unsigned vk;
  const char *navn;
};

const TastNavn kTastNavne[] = {
    {1, "Left mouse button"},
    {2, "Right mouse button"},
    {3, "Control-break processing"},
    {4, "Middle mouse button on a three-button mouse"},
    {8, "BACKSPACE key"},
    {9, "TAB key"},
    {12, "CLEAR key"},
    {13, "ENTER key"},
    {16, "SHIFT key"},
    {17, "CTRL key"},
    {18, "ALT key"},
    {19, "PAUSE key"},
    {20, "CAPS LOCK key"},
    {27, "ESC key"},
    {32, "SPACEBAR"},
    {33, "PAGE UP key"},
    {34, "PAGE DOWN key"},
    {35, "END key"},
    {36, "HOME key"},
    {37, "LEFT ARROW key"},
    {38, "UP ARROW key"},
    {39, "RIGHT ARROW key"},
    {40, "DOWN ARROW key"},
    {41, "SELECT key"},
    {43, "EXECUTE key"},
    {44, "PRINT SCREEN key"},
    {45, "INS key"},
    {46, "DEL key"},
    {47, "HELP key"},
    {91, "Left Windows key on a Microsoft Natural Keyboard"},
    {92, "Right Windows key on a Microsoft Natural Keyboard"},
    {93, "Applications key on a Microsoft Natural Keyboard"},
    {96, "Numeric keypad 0 key"},
    {97, "Numeric keypad 1 key"},
    {98, "Numeric keypad 2 key"},
    {99, "Numeric keypad 3 key"},
    {100, "Numeric keypad 4 key"},
    {101, "Numeric keypad 5 key"},
    {102, "Numeric keypad 6 key"},
    {103, "Numeric keypad 7 key"},
    {104, "Numeric keypad 8 key"},
    {105, "Numeric keypad 9 key"},
    {106, "Multiply key"},
    {107, "Add key"},
    {108, "Separator key"},
    {109, "Subtract key"},
    {110, "Decimal key"},
    {111, "Divide key"},
    {112, "F1 key"},
    {113, "F2 key"},
    {114, "F3 key"},
    {115, "F4 key"},
    {116, "F5 key"},
    {117, "F6 key"},
    {118, "F7 key"},
    {119, "F8 key"},
    {120, "F9 key"},
    {121, "F10 key"},
    {122, "F11 key"},
    {123, "F12 key"},
    {124, "F13 key"},
    {125, "F14 key"},
    {126, "F15 key"},
    {127, "F16 key"},
    {128, "F17 key"},
    {129, "F18 key"},
    {130, "F19 key"},
    {131, "F20 key"},
    {132, "F21 key"},
    {133, "F22 key"},
    {134, "F23 key"},
    {135, "F24 key"},
    {144, "NUM LOCK key"},
    {145, "SCROLL LOCK key"},
    {160, "Left SHIFT"},
    {161, "Right SHIFT"},
    {162, "Left CTRL"},
    {163, "Right CTRL"},
    {164, "Left ALT"},
    {165, "Right ALT"},
};

// The pens of one ring: top-left and bottom-right system colours.
struct Ring {
  int tl, br;
};

// Ring colours by style; where the style bit chooses, `alt` is the colour
// with the bit set.
bool RingFarver(int stil, Ring ringe[4], int *antal) {
  const bool bit = (stil & kRammeStilBit) != 0;
  const int s = stil & 0xFF;
  const Ring hoej = {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
  const Ring lav = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  const Ring hoej1 = {bit ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW};
  const Ring hoej2 = {bit ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_BTNSHADOW};
  const Ring lav1 = {bit ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT};
  const Ring lav2 = {bit ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_3DLIGHT};
  switch (s) {
    case 1: ringe[0] = hoej; break;
    case 2: ringe[0] = lav; break;
    case 4: ringe[0] = hoej, ringe[1] = lav; break;
    case 8: ringe[0] = lav, ringe[1] = hoej; break;
    case 17: ringe[0] = hoej1, ringe[1] = hoej2; break;
    case 18: ringe[0] = lav1, ringe[1] = lav2; break;
    case 20: ringe[0] = hoej1, ringe[1] = hoej2, ringe[2] = lav1, ringe[3] = lav2; break;
    case 24: ringe[0] = lav1, ringe[1] = lav2, ringe[2] = hoej1, ringe[3] = hoej2; break;
    default: return false;
  }
  if (s & 16)
    *antal = (s & 12) ? 4 : 2;
  else
    *antal = (s & 12) ? 2 : 1;
  return true;
}

void Linie(HDC hdc, int sysFarve, int x1, int y1, int x2, int y2) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(sysFarve));
  HGDIOBJ gammel = SelectObject(hdc, pen);
  MoveToEx(hdc, x1, y1, nullptr);
  LineTo(hdc, x2, y2);
  SelectObject(hdc, gammel);
  DeleteObject(pen);
}

}  // namespace

const char *VirtuelTastNavn(unsigned vk) {
  static char bogstav[2];
  if (vk >= 65 && vk <= 90) {
    bogstav[0] = static_cast<char>(vk);
    bogstav[1] = '\0';
    return bogstav;
  }
  for (const TastNavn &t : kTastNavne)
    if (t.vk == vk) return t.navn;
  return "0";
}

void TastLogKey(const TastInfo *tast) {
  if (tast == nullptr) return;
  const unsigned vk = tast->wParam;
  if (vk == 16 || vk == 17 || vk == 18) return;
  if (tast->lParam & (1u << 30)) return;  // auto-repeat of a held key
  char navn[51] = "";
  if (tast->lParam != 0) {
    if (GetKeyNameTextA(static_cast<LONG>(tast->lParam), navn, sizeof navn) <= 0) navn[0] = '\0';
    navn[sizeof navn - 1] = '\0';
  } else {
    std::snprintf(navn, sizeof navn, "%s", VirtuelTastNavn(vk));
  }
  std::string linie = "Tast: ";
  bool mod = false;
  if (tast->shift) {
    linie += "Shift";
    if (tast->ctrl) linie += " + Ctrl";
    mod = true;
  } else if (tast->ctrl) {
    linie += "Ctrl";
    mod = true;
  }
  if (tast->alt) {
    linie += mod ? " + Alt" : "Alt";
    mod = true;
  }
  if (mod) linie += " + ";
  linie += navn;
  TastLogLine(linie.c_str());
}

int EdgeWidth(int stil) {
  switch (stil & 0xFF) {
    case 1:
    case 2: return 1;
    case 4:
    case 8:
    case 17:
    case 18: return 2;
    case 20:
    case 24: return 4;
    default: return 0;
  }
}

void FillSysColRect(HDC hdc, int sysFarve, int left, int top, int right, int bottom) {
  FillRectIncl(hdc, GetSysColorBrush(sysFarve), left, top, right, bottom);
}

void FillRectIncl(HDC hdc, HBRUSH brush, int left, int top, int right, int bottom) {
  if (left > right || top > bottom) return;
  const RECT rc = {left, top, right + 1, bottom + 1};
  FillRect(hdc, &rc, brush);
}

void FillBorderRect(HDC hdc, HBRUSH brush, int x0, int y0, int x1, int y1, int x2, int y2, int x3,
                    int y3) {
  FillRectIncl(hdc, brush, x0, y0, x3, y1);
  FillRectIncl(hdc, brush, x0, y2, x3, y3);
  FillRectIncl(hdc, brush, x0, y1 + 1, x1, y2 - 1);
  FillRectIncl(hdc, brush, x2, y1 + 1, x3, y2 - 1);
}

void DrawFrame3D(HDC hdc, int left, int top, int right, int bottom, int stil) {
  Ring ringe[4];
  int antal = 0;
  if (!RingFarver(stil, ringe, &antal)) return;
  HPEN pens[8] = {};
  for (int k = 0; k < antal; ++k) {
    pens[2 * k] = CreatePen(PS_SOLID, 1, GetSysColor(ringe[k].tl));
    pens[2 * k + 1] = CreatePen(PS_SOLID, 1, GetSysColor(ringe[k].br));
  }
  HGDIOBJ gammel = SelectObject(hdc, pens[0]);
  for (int k = 0; k < antal; ++k) {
    SelectObject(hdc, pens[2 * k]);
    MoveToEx(hdc, left, bottom - 1, nullptr);
    LineTo(hdc, left, top);
    LineTo(hdc, right, top);
    SelectObject(hdc, pens[2 * k + 1]);
    MoveToEx(hdc, left, bottom, nullptr);
    LineTo(hdc, right, bottom);
    LineTo(hdc, right, top - 1);
    ++left, ++top, --right, --bottom;
  }
  SelectObject(hdc, gammel);
  for (int k = 0; k < 2 * antal; ++k) DeleteObject(pens[k]);
}

void DrawRaisedBar(HDC hdc, HBRUSH brush, int left, int top, int right, int bottom) {
  if (right - left + 1 > 2 * EdgeWidth(17)) FillRectIncl(hdc, brush, left + 2, top, right - 2, bottom);
  Linie(hdc, COLOR_BTNHIGHLIGHT, left, bottom, left, top);
  Linie(hdc, COLOR_3DDKSHADOW, right, bottom, right, top);
  Linie(hdc, COLOR_3DLIGHT, left + 1, bottom, left + 1, top);
  Linie(hdc, COLOR_BTNSHADOW, right - 1, bottom, right - 1, top);
}

void DrawColorLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF farve) {
  HPEN pen = CreatePen(PS_SOLID, 1, farve);
  HGDIOBJ gammel = SelectObject(hdc, pen);
  MoveToEx(hdc, x1, y1, nullptr);
  LineTo(hdc, x2, y2);
  SelectObject(hdc, gammel);
  DeleteObject(pen);
}
