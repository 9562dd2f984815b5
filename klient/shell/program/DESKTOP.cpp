// The desktop: the main window's child that holds the object windows, and the status row's panes.
#include "DESKTOP.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "BESKEDER.h"
#include "ELEMENT.h"
#include "ENSMUS.h"
#include "EPKONTAKT.h"
#include "FARVER.h"
#include "INDSTIL.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TOOLTIP.h"
#include "VEDLIGE.h"
#include "WCSERVER.h"


EnsDC DesktopDC = {0, kIngenFarve, kIngenFarve};

namespace {


constexpr COLORREF kLogoGrund = RGB(210, 210, 255);
constexpr COLORREF kLogoTekst = RGB(200, 200, 245);

// What a desk takes from the client area: its sections with a divider of
// two pixels each.
int32_t DeskTykkelse(int desk) {
  return 2 * DeskTab[desk].AntalSektioner + Sektion(desk, 0).Tykkelse + Sektion(desk, 1).Tykkelse;
}

int32_t Kant(int desk) {
  const int32_t t = DeskTykkelse(desk);
  return t < 1 ? 1 : t;
}

bool Synlig(HWND h) { return h && IsWindowVisible(h); }

}  // namespace

void BeregnSkrivebord(bool genberegnDesks) {
  RECT k = {0, 0, 0, 0};
  if (hwndHoved) GetClientRect(hwndHoved, &k);
  LayoutRect = {k.left + 1, k.top + 1, k.right - 2, k.bottom - 2};
  if (Synlig(hwndMainToolbar)) {
    RECT tb;
    GetWindowRect(hwndMainToolbar, &tb);
    LayoutRect.top += (tb.bottom - tb.top) + 2;
  }
  if (Synlig(StatusFelter.TekstBar)) {
    RECT sb;
    GetWindowRect(StatusFelter.TekstBar, &sb);
    // The row is laid out only on WM_SIZE; before that its height is the
    // row's own.
    LayoutRect.bottom -= sb.bottom > sb.top ? sb.bottom - sb.top : kStatusHoejde;
  }
  if (genberegnDesks) BeregnDeskLaengder();
  DesktopRect = {LayoutRect.left + Kant(2), LayoutRect.top + Kant(3), LayoutRect.right - Kant(0),
                 LayoutRect.bottom - Kant(1)};
  if (DesktopRect.right < DesktopRect.left) DesktopRect.right = DesktopRect.left;
  if (DesktopRect.bottom < DesktopRect.top) DesktopRect.bottom = DesktopRect.top;
  FriArealRect = {0, 0, DesktopRect.right - DesktopRect.left, DesktopRect.bottom - DesktopRect.top};
}

void PlacerDesktop() {
  if (!hwndDesktop) return;
  MoveWindow(hwndDesktop, DesktopRect.left, DesktopRect.top, DesktopRect.right - DesktopRect.left + 1,
             DesktopRect.bottom - DesktopRect.top + 1, TRUE);
}

void TegnBaggrund(HWND hovedvindue) {
  BeregnSkrivebord(false);
  InvalidateRect(hovedvindue, nullptr, FALSE);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hovedvindue, &ps);
  RECT k;
  GetClientRect(hovedvindue, &k);
  DrawFrame3D(dc, k.left - 1, k.top - 1, k.right, k.bottom, 530);
  const int venstre = k.left + 1, hoejre = k.right;
  const int top = DesktopRect.top, bund = DesktopRect.bottom + 1 + Sektion(1, 0).Tykkelse + Sektion(1, 1).Tykkelse;
  if (hoejre > venstre && bund > top) {
    RECT baand = {venstre, top, hoejre, bund};
    FillRect(dc, &baand, FarveBrush[0]);
  }
  EndPaint(hovedvindue, &ps);
}

void TegnDesktopLogo(HWND desktop) {
  RECT k;
  GetClientRect(desktop, &k);
  const int bredde = k.right - k.left, hoejde = k.bottom - k.top;
  if (bredde <= 0 || hoejde <= 0) return;
  HDC dc = GetDC(desktop);
  HBRUSH grund = CreateSolidBrush(kLogoGrund);
  HFONT font = CreateFontA(-(std::min(bredde, hoejde) * 30 / 100), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, "Arial");
  HGDIOBJ gammelFont = SelectObject(dc, font);
  const char *ord[2] = {"TAVO", "skema"};
  SIZE s[2];
  for (int i = 0; i < 2; ++i) GetTextExtentPoint32A(dc, ord[i], static_cast<int>(std::strlen(ord[i])), &s[i]);
  const int mellem = s[0].cy * 6 / 100;
  int y[2];
  y[0] = (hoejde - (s[0].cy + mellem + s[1].cy)) / 2;
  y[1] = y[0] + s[0].cy + mellem;
  // Around each word only, so the words do not flicker.
  int over = 0;
  for (int i = 0; i < 2; ++i) {
    const int x = (bredde - s[i].cx) / 2;
    RECT r[3] = {{0, over, bredde, y[i]}, {0, y[i], x, y[i] + s[i].cy}, {x + s[i].cx, y[i], bredde, y[i] + s[i].cy}};
    for (auto &f : r)
      if (f.right > f.left && f.bottom > f.top) FillRect(dc, &f, grund);
    over = y[i] + s[i].cy;
  }
  RECT under = {0, over, bredde, hoejde};
  if (under.bottom > under.top) FillRect(dc, &under, grund);
  // The words' own cells are painted with the text: drawn transparently they
  // would keep whatever the desktop showed before (an earlier, larger logo).
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, kLogoGrund);
  SetTextColor(dc, kLogoTekst);
  for (int i = 0; i < 2; ++i)
    TextOutA(dc, (bredde - s[i].cx) / 2, y[i], ord[i], static_cast<int>(std::strlen(ord[i])));
  SelectObject(dc, gammelFont);
  DeleteObject(font);
  DeleteObject(grund);
  ReleaseDC(desktop, dc);
}

HWND OpretEpKontaktFelt(HWND parent) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(hInst, WC_ELEVPLAN_KONTAKT, &wc)) return 0;
  StatusFelter.EpKontakt = CreateWindowExA(0, WC_ELEVPLAN_KONTAKT, "", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, 0, 0, 0,
                                           0, parent, 0, hInst, nullptr);
  return StatusFelter.EpKontakt;
}

void OpretStatusFelter(HWND hovedvindue) {
  CreateMainStatusBar(hovedvindue);
  OpretLaasFelt(hovedvindue);
  OpretInsnrFelt(hovedvindue);
  OpretDatoFelt(hovedvindue);
  // The event-status pane starts from a clean count.
  std::fill(std::begin(EksportTaellere), std::end(EksportTaellere), 0u);
  OpretInsStatusFelt(hovedvindue);
  OpretForbindelseFelt(hovedvindue);
  StatusFelter.Server = OpretServerFelt(hovedvindue);
  if (ElevplanSlaaetTil) {
    OpretEpKontaktFelt(hovedvindue);
    OpretEpStatusFelt(hovedvindue);
  }
  OpretGenFejlLogFelt(hovedvindue);
  OpretNyhedsFelt(hovedvindue);
}

LRESULT CALLBACK DesktopWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case ENS_MAA_AKTIVERES:
      return SendMessageA(hwndHoved, HOVED_INTET_INPUT, 0, 0);
    case WM_ERASEBKGND:
      return 0;
    case WM_SIZE:
      PlaceMinimizedWnds();
      InvalidateRect(hwnd, nullptr, FALSE);
      SendMessageA(hwnd, WM_PAINT, 0, 0);
      break;
    case WM_PAINT:
      TegnDesktopLogo(hwnd);
      break;
    case ELEMENT_FRIT_AREAL:
      BeregnSkrivebord(true);
      PlacerDesktop();
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      return 0;
    case ENS_BLEV_AKTIV:
      SendMessageA(hwndHoved, HOVED_VINDUE_AKTIV, wParam, lParam);
      break;
    case 1124:
    case 1129:
    case 1137:
    case 1138:
      SendMessageA(hwndHoved, msg, wParam, lParam);
      break;
    case WM_DESTROY:
      // The drawing context kept since the start goes with the window.
      if (DesktopDC.hdc) ReleaseDC(hwnd, DesktopDC.hdc);
      DesktopDC = {0, kIngenFarve, kIngenFarve};
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void VarighedTekst(int64_t sekunder, char *svar, unsigned stoerrelse) {
  if (sekunder < 0) sekunder = 0;
  const int64_t dage = sekunder / 86400;
  const int t = static_cast<int>(sekunder / 3600 % 24), m = static_cast<int>(sekunder / 60 % 60),
            s = static_cast<int>(sekunder % 60);
  if (dage > 0)
    std::snprintf(svar, stoerrelse, "%" PRId64 " %s og %02i:%02i:%02i", dage, dage == 1 ? "dag" : "dage", t, m, s);
  else
    std::snprintf(svar, stoerrelse, "%02i:%02i:%02i", t, m, s);
}

int SpoergAfslutUdenGem() {
  char sti[kStiLaengde];
  std::snprintf(sti, sizeof sti, "%sdata\\StartTid.dat", StiTab.szdata);
  unsigned long a = 0, b = 0;
  unsigned long long kopiTid = 0;
  if (FILE *f = std::fopen(sti, "r")) {
    if (std::fscanf(f, "%lu, %lu, %llu", &a, &b, &kopiTid) != 3) kopiTid = 0;
    std::fclose(f);
  }
  const int64_t nu = static_cast<int64_t>(std::time(nullptr));
  char varighed[64];
  VarighedTekst(nu - static_cast<int64_t>(kopiTid), varighed, sizeof varighed);
  char tekst[300];
  std::snprintf(tekst, sizeof tekst,
                "Vil du afslutte uden af gemme data?\nData der er lavet indenfor tiden: %s vil IKKE blive "
                "gemt!\n\nVil du fortsætte?",
                varighed);
  return MessageBoxA(hwndHoved, tekst, "Gemme data", MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION);
}
