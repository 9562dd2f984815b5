// The grid-window frame.

#include "ENS.h"

#include "DATO.h"
#include "TABREG.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FARVER.h"
#include "FONTE.h"
#include "NYBUTTON.h"
#include "RAMME.h"
#include "RELAY.h"
#include "TAVOTB.h"

EnsToolbarFn EnsOpretToolbar = EnsOpretTavoTB;
EnsKroge EnsKrog = {};

static HFONT StdSkrift() { return StdFont ? StdFont : (HFONT)GetStockObject(DEFAULT_GUI_FONT); }
static HFONT FodSkrift() { return SansFont ? SansFont : StdSkrift(); }

static int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
static int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }
static int CyCaption() { return GetSystemMetrics(SM_CYCAPTION); }
static int CxVScroll() { return GetSystemMetrics(SM_CXVSCROLL); }
static int CyHScroll() { return GetSystemMetrics(SM_CYHSCROLL); }

static HWND OpretRude(Ens *e, HWND hwnd, int x, int y, int w, int h, const char *tip, UINT ned,
                      UINT dbl, UINT tegn) {
  auto *d = static_cast<DummyInfo *>(std::calloc(1, sizeof(DummyInfo)));
  if (!d) return 0;
  *d = DummyInfo{const_cast<char *>(tip), hwnd, ned, ENS_MUS_FLYT, ENS_MUS_FORLAD, ENS_MUS_HVIL,
                 dbl, tegn};
  HWND r = CreateWindowExA(0, "DummyWndClass", "", WS_CHILD | WS_CLIPSIBLINGS, x, y, w, h, hwnd, 0,
                           e->hInstance, d);
  if (!r) std::free(d);
  return r;
}

static void TagDC(HWND rude, EnsDC *dc, HFONT font) {
  if (rude) SelectDCPalette(rude, dc, font);
}

void EnsCreateChildren(Ens *e, HWND hwnd, uint8_t antalSkift, const uint32_t toolbarVaerdier[7],
                       HFONT font, bool medToolbar, bool medScrollBars, const char *hovedTip) {
  if (e->EgenRamme) {
    static const uint32_t ids[3] = {NYB_LUK, NYB_MAKSIMER, NYB_MINIMER};
    static const int dx[3] = {18, 36, 52};
    HWND *knap[3] = {&e->hwndLuk, &e->hwndMaks, &e->hwndMin};
    for (int i = 0; i < 3; ++i) {
      *knap[i] = CreateNyButtonWnd(e->hInstance, hwnd, hwnd, ids[i], ids[i], ids[i] | NYB_KAPTION_STOR,
                                   e->Areal[2] - dx[i], CyFrame() + 2, 16, 14, "", "");
      if (*knap[i]) ShowWindow(*knap[i], SW_SHOW);
    }
  }

  e->hwndToolbar = 0;
  if (medToolbar && EnsOpretToolbar) {
    static const uint32_t nul[7] = {};
    e->hwndToolbar = EnsOpretToolbar(e, hwnd, toolbarVaerdier ? toolbarVaerdier : nul);
    if (e->hwndToolbar) {
      UpdateWindow(e->hwndToolbar);
      ShowWindow(e->hwndToolbar, SW_SHOW);
      HWND rude = (HWND)SendMessageA(e->hwndToolbar, ENS_TOOLBAR_RUDE, 0, 0);
      TagDC(rude, &e->dc[ENSDC_TOOLBAR], StdSkrift());
    }
  }

  HFONT std = StdSkrift();
  struct {
    HWND *hwnd;
    int x, y, w, h;
    const char *tip;
    UINT ned, dbl, tegn;
    int dc;
    HFONT font;
  } ruder[6] = {
      {&e->hwndRaekkeHoved, e->RudeX[0], e->RudeY[0], e->RudeB[0], e->RudeH[0], nullptr,
       ENS_RAEKKEHOVED_NED, ENS_RAEKKEHOVED_DBL, ENS_RAEKKEHOVED_TEGN, ENSDC_RAEKKEHOVED, std},
      {&e->hwndHjoerneV, e->HjoerneX[0], e->HjoerneY[0], e->HjoerneB[0], e->HjoerneH[0], hovedTip,
       ENS_HJOERNE_VENSTRE_NED, ENS_HJOERNE_VENSTRE_DBL, ENS_KOLHOVED_TEGN, ENSDC_HJOERNE_V, std},
      {&e->hwndKolHoved, e->RudeX[1], e->RudeY[1], e->RudeB[1], e->RudeH[1], hovedTip,
       ENS_KOLHOVED_NED, ENS_KOLHOVED_DBL, ENS_KOLHOVED_TEGN, ENSDC_KOLHOVED, std},
      {&e->hwndCeller, e->RudeX[2], e->RudeY[2], e->RudeB[2], e->RudeH[2], nullptr, ENS_CELLER_NED,
       ENS_CELLER_DBL, ENS_CELLER_TEGN, ENSDC_CELLER, font ? font : std},
      {&e->hwndHjoerneH, e->HjoerneX[1], e->HjoerneY[1], e->HjoerneB[1], e->HjoerneH[1], hovedTip,
       ENS_KOLHOVED_NED, ENS_KOLHOVED_DBL, ENS_KOLHOVED_TEGN, ENSDC_HJOERNE_H, std},
      {&e->hwndHoejre, e->RudeX[3], e->RudeY[3], e->RudeB[3], e->RudeH[3], nullptr, ENS_HOEJRE_NED,
       ENS_HOEJRE_DBL, ENS_HOEJRE_TEGN, ENSDC_HOEJRE, font ? font : std},
  };
  for (auto &r : ruder) {
    *r.hwnd = OpretRude(e, hwnd, r.x, r.y, r.w, r.h, r.tip, r.ned, r.dbl, r.tegn);
    if (*r.hwnd) {
      ShowWindow(*r.hwnd, SW_SHOW);
      TagDC(*r.hwnd, &e->dc[r.dc], r.font);
    }
  }

  if (medScrollBars) {
    e->hwndHScroll = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_HORZ, e->RudeX[4], e->RudeY[4],
                                     e->RudeB[4], e->RudeH[4], hwnd, 0, e->hInstance, nullptr);
    e->hwndVScroll = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | SBS_VERT, e->RudeX[5], e->RudeY[5],
                                     e->RudeB[5], e->RudeH[5], hwnd, 0, e->hInstance, nullptr);
    for (HWND b : {e->hwndHScroll, e->hwndVScroll})
      if (b) {
        ShowWindow(b, SW_SHOW);
        UpdateWindow(b);
      }
  }

  for (int i = 0; i < antalSkift && e->hwndSwitchButtons; ++i) {
    char tekst[8];
    std::snprintf(tekst, sizeof tekst, "%1u", (unsigned)(i + 1));
    HWND k = CreateNyButtonWnd(e->hInstance, hwnd, hwnd, ENS_SKIFT_ID + i, ENS_SKIFT_ID + i, 0,
                               2 + i * CxVScroll(), e->RudeY[4], CxVScroll(), CyHScroll(), "", tekst);
    e->hwndSwitchButtons[i] = k;
    if (k) ShowWindow(k, SW_SHOW);
  }

  e->hwndFodV = OpretRude(e, hwnd, 0, 0, 0, 0, nullptr, ENS_FODVENSTRE_NED, ENS_FODVENSTRE_DBL,
                          ENS_FODVENSTRE_TEGN);
  e->hwndFodH = OpretRude(e, hwnd, 0, 0, 0, 0, nullptr, ENS_BLEV_AKTIV, ENS_MAA_AKTIVERES,
                          ELEMENT_DOKKET_AKTIV);
  TagDC(e->hwndFodV, &e->FodDC[0], FodSkrift());
  TagDC(e->hwndFodH, &e->FodDC[1], FodSkrift());
  if (e->Fod) {
    ShowWindow(e->hwndFodV, SW_SHOW);
    ShowWindow(e->hwndFodH, SW_SHOW);
  }

  if (e->StatusBar && EnsKrog.OpretStatusBar) {
    e->hwndStatusBar = EnsKrog.OpretStatusBar(hwnd, "", 0, 0);
    if (e->hwndStatusBar) {
      ShowWindow(e->hwndStatusBar, SW_SHOW);
      UpdateWindow(e->hwndStatusBar);
    }
  }
}

static int FodHoejdeFraSkrift() {
  HDC dc = GetDC(0);
  if (!dc) return 16 + 5;
  HGDIOBJ old = SelectObject(dc, FodSkrift());
  SIZE sz = {0, 0};
  GetTextExtentPoint32A(dc, "A", 1, &sz);
  SelectObject(dc, old);
  ReleaseDC(0, dc);
  return sz.cy + 5;
}

void EnsCalcLayout(Ens *e) {
  const int L = e->Areal[0], T = e->Areal[1], R = e->Areal[2], B = e->Areal[3];
  const int S = (int)e->SepBredde, CH = (int)e->KolHovedHoejde, RW = (int)e->RaekkeHovedBredde,
            RP = (int)e->HoejreBredde, W = (int)e->SkiftBredde;
  if (e->Tilstand == 2 || R - L + 1 < 80 || B - T + 1 < e->Fod * 16 + e->StatusBar * 20 + 50) {
    std::memset(e->RudeX, 0, sizeof e->RudeX);
    std::memset(e->RudeB, 0, sizeof e->RudeB);
    std::memset(e->RudeY, 0, sizeof e->RudeY);
    std::memset(e->RudeH, 0, sizeof e->RudeH);
    std::memset(e->HjoerneX, 0, sizeof e->HjoerneX);
    std::memset(e->HjoerneB, 0, sizeof e->HjoerneB);
    std::memset(e->HjoerneY, 0, sizeof e->HjoerneY);
    std::memset(e->HjoerneH, 0, sizeof e->HjoerneH);
    e->FodHoejde = 0;
    return;
  }
  const int x0 = L + 2;
  const int cx = RW > 0 ? x0 + RW + S + 1 : x0;
  const int hx = W > RW ? x0 + W : cx;
  const int vx = (e->ScrollFlag & ENS_SCROLL_V) ? R - CxVScroll() - 1 : R - 1;
  const int rx = vx - RP - 1;
  int cw = RP == 0 ? rx - cx : rx - cx - S - 1;
  if (cw < 0) cw = 0;
  int hw = rx - hx - (RP > 0 ? S : 0);
  if (hw < 0) hw = 0;
  const int colY = T + 2;
  const int rowsY = T + 2 + CH + (CH > 0 ? 1 : 0);
  int hy = B - 1, hh = 0;
  if (e->StatusBar) hy -= 20;
  if (e->ScrollFlag & ENS_SCROLL_H) {
    hy -= CyHScroll();
    hh = CyHScroll();
  }
  int rowsH = hy - rowsY - 1;
  if (rowsH < 0) rowsH = 0;
  e->FodHoejde = 0;
  if (e->Fod) {
    e->FodHoejde = (uint32_t)FodHoejdeFraSkrift();
    if (rowsH > (int)e->FodHoejde) rowsH -= (int)e->FodHoejde;
  }
  auto saet = [&](int i, int x, int y, int w, int h) {
    e->RudeX[i] = x;
    e->RudeY[i] = y;
    e->RudeB[i] = w;
    e->RudeH[i] = h;
  };
  saet(ENS_RAEKKEHOVED, x0, rowsY, RW, rowsH);
  saet(ENS_KOLHOVED, cx, colY, cw, CH);
  saet(ENS_CELLER, cx, rowsY, cw, rowsH);
  saet(ENS_HOEJRE, rx, rowsY, RP, rowsH);
  saet(ENS_HSCROLL, hx, hy, hw, hh);
  saet(ENS_VSCROLL, vx, rowsY, CxVScroll(), rowsH);
  e->HjoerneX[0] = x0;
  e->HjoerneY[0] = colY;
  e->HjoerneB[0] = RW;
  e->HjoerneH[0] = CH;
  e->HjoerneX[1] = rx;
  e->HjoerneY[1] = colY;
  e->HjoerneB[1] = RP;
  e->HjoerneH[1] = CH;
}

static uint32_t Synlige(const GridAkse *akse, uint32_t offset, int extent) {
  if (extent <= 0) return 0;
  return GridPixelTilCelle(akse, offset + (uint32_t)extent - 1) + 1 - GridPixelTilCelle(akse, offset);
}

static uint32_t SidstePixel(const Ens *e, bool x) {
  const GridPos *pos = x ? e->StyrX : e->StyrY;
  const GridAkse *akse = x ? &e->AkseX : &e->AkseY;
  if (!pos || !akse->CelleBredde || !akse->CellerPrGruppe) return 0;
  return GridCelleSlut(akse, pos->Antal);
}

static void SaetScrollBar(Ens *e, bool x) {
  HWND bar = x ? e->hwndHScroll : e->hwndVScroll;
  if (!bar) return;
  SetScrollCtl(bar, x ? e->RudeB[ENS_CELLER] : e->RudeH[ENS_CELLER], (int)SidstePixel(e, x),
               (int)(x ? e->ScrollX : e->ScrollY));
}

void EnsOnSize(Ens *e, HWND hwnd, int bredde, int hoejde, uint8_t antalSkift) {
  // Right and bottom are the last pixels inside, as the window set them at
  // creation; the new width itself would put the frame's right and bottom
  // edges one pixel outside the window after every resize.
  e->Areal[2] = bredde - 1 - (e->EgenRamme ? CxFrame() : 0);
  e->Areal[3] = hoejde - 1 - (e->EgenRamme ? CyFrame() : 0);
  EnsCalcLayout(e);

  if (e->EgenRamme) {
    int y = (CyCaption() - 14) / 2 + CyFrame();
    if (e->hwndLuk) MoveWindow(e->hwndLuk, e->Areal[2] - 18, y, 16, 14, TRUE);
    if (e->hwndMaks) MoveWindow(e->hwndMaks, e->Areal[2] - 36, y, 16, 14, TRUE);
    if (e->hwndMin) MoveWindow(e->hwndMin, e->Areal[2] - 52, y, 16, 14, TRUE);
  }

  for (int x = 1; x >= 0; --x) {
    GridPos *pos = x ? e->StyrX : e->StyrY;
    const GridAkse *akse = x ? &e->AkseX : &e->AkseY;
    if (!pos || !akse->CelleBredde || !akse->CellerPrGruppe) continue;
    int extent = x ? e->RudeB[ENS_CELLER] : e->RudeH[ENS_CELLER];
    // Ens is packed: the offsets are copied, never referenced.
    uint32_t off = x ? e->ScrollX : e->ScrollY;
    pos->Synlige = Synlige(akse, off, extent);
    if (pos->Foerste - 1 + pos->Synlige > pos->Antal) {
      GridScrollTilAktuel(pos, &off, (uint32_t)extent, akse);
      (x ? e->ScrollX : e->ScrollY) = off;
    }
  }

  struct {
    HWND h;
    int i;
  } ruder[3] = {{e->hwndRaekkeHoved, ENS_RAEKKEHOVED}, {e->hwndKolHoved, ENS_KOLHOVED},
                {e->hwndCeller, ENS_CELLER}};
  for (auto &r : ruder)
    if (r.h && e->RudeB[r.i] && e->RudeH[r.i])
      MoveWindow(r.h, e->RudeX[r.i], e->RudeY[r.i], e->RudeB[r.i], e->RudeH[r.i], FALSE);
  if (e->hwndCeller) {
    if (e->hwndHScroll) {
      MoveWindow(e->hwndHScroll, e->RudeX[4], e->RudeY[4], e->RudeB[4], e->RudeH[4], TRUE);
      SaetScrollBar(e, true);
    }
    if (e->hwndVScroll) {
      MoveWindow(e->hwndVScroll, e->RudeX[5], e->RudeY[5], e->RudeB[5], e->RudeH[5], TRUE);
      SaetScrollBar(e, false);
    }
  }

  if (e->hwndToolbar) {
    if (e->EgenRamme)
      MoveWindow(e->hwndToolbar, CxFrame(), CyCaption() + CyFrame(), e->Areal[2] - CxFrame() + 1, 22,
                 TRUE);
    else
      MoveWindow(e->hwndToolbar, 0, 0, bredde, 22, TRUE);
  }

  for (int i = 1; i <= antalSkift && e->hwndSwitchButtons; ++i)
    if (e->hwndSwitchButtons[i - 1])
      MoveWindow(e->hwndSwitchButtons[i - 1], e->Areal[0] + 2 + (i - 1) * CxVScroll(), e->RudeY[4],
                 CxVScroll(), CyHScroll(), TRUE);

  if (e->hwndHScroll) SetScrollPos(e->hwndHScroll, SB_CTL, (int)e->ScrollX, TRUE);
  if (e->hwndVScroll) SetScrollPos(e->hwndVScroll, SB_CTL, (int)e->ScrollY, TRUE);
  for (int k = 0; k < 2; ++k) {
    HWND h = k ? e->hwndHjoerneH : e->hwndHjoerneV;
    if (!h) continue;
    if (e->HjoerneB[k])
      MoveWindow(h, e->HjoerneX[k], e->HjoerneY[k], e->HjoerneB[k], e->HjoerneH[k], TRUE);
    else
      MoveWindow(h, 0, 0, 0, 0, TRUE);
  }

  int fodY = e->RudeY[4] - (int)e->FodHoejde;
  if (e->Fod && e->FodHoejde) {
    if (e->hwndFodV)
      MoveWindow(e->hwndFodV, e->Areal[0] + 2, fodY, e->RudeB[0], (int)e->FodHoejde - 1, TRUE);
    if (e->hwndFodH)
      MoveWindow(e->hwndFodH, e->RudeX[2], fodY, e->RudeB[2], (int)e->FodHoejde - 1, TRUE);
  } else {
    if (e->hwndFodV) MoveWindow(e->hwndFodV, 0, 0, 0, 0, TRUE);
    if (e->hwndFodH) MoveWindow(e->hwndFodH, 0, 0, 0, 0, TRUE);
  }

  if (e->hwndStatusBar) {
    if (e->EgenRamme)
      MoveWindow(e->hwndStatusBar, CxFrame(), hoejde - CyFrame() - 19, e->Areal[2] - CxFrame() + 1, 20,
                 TRUE);
    else
      MoveWindow(e->hwndStatusBar, e->Areal[0], hoejde - 19, bredde + 1, 20, TRUE);
  }
}

int EnsKolonneX(const Ens *e, uint32_t kol) {
  return static_cast<int>(GridCelleStart(&e->AkseX, kol)) - static_cast<int>(e->ScrollX);
}
int EnsRaekkeY(const Ens *e, uint32_t raekke) {
  return static_cast<int>(GridCelleStart(&e->AkseY, raekke)) - static_cast<int>(e->ScrollY);
}

void EnsOpdaterScroll(Ens *e, uint32_t kolonner, uint32_t raekker) {
  if (e->hwndHScroll)
    SetScrollCtl(e->hwndHScroll, e->RudeB[ENS_CELLER],
                 static_cast<int>(kolonner ? GridCelleSlut(&e->AkseX, kolonner) : 0), static_cast<int>(e->ScrollX));
  if (e->hwndVScroll)
    SetScrollCtl(e->hwndVScroll, e->RudeH[ENS_CELLER],
                 static_cast<int>(raekker ? GridCelleSlut(&e->AkseY, raekker) : 0), static_cast<int>(e->ScrollY));
}

int EnsOnScroll(Ens *e, UINT msg, WPARAM kode) {
  bool x = msg == WM_HSCROLL;
  if (!x && msg != WM_VSCROLL) return 0;
  const GridAkse *akse = x ? &e->AkseX : &e->AkseY;
  GridPos *pos = x ? e->StyrX : e->StyrY;
  HWND bar = x ? e->hwndHScroll : e->hwndVScroll;
  if (!pos || !akse->CelleBredde || !akse->CellerPrGruppe) return 0;
  int extent = x ? e->RudeB[ENS_CELLER] : e->RudeH[ENS_CELLER];
  const uint32_t off = x ? e->ScrollX : e->ScrollY;
  uint32_t ny = off;
  UINT code = LOWORD(kode);
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
    // The message carries only 16 bits of the position; the bar has all 32.
    SCROLLINFO si;
    std::memset(&si, 0, sizeof si);
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    if (bar && GetScrollInfo(bar, SB_CTL, &si))
      ny = si.nTrackPos < 0 ? 0 : (uint32_t)si.nTrackPos;
    else
      ny = HIWORD(kode);
  } else {
    GridScrollPixel(akse, SidstePixel(e, x) + 1, (uint32_t)extent, &ny, (uint32_t)kode);
  }
  if (ny == off) return 0;
  (x ? e->ScrollX : e->ScrollY) = ny;
  pos->Foerste = GridPixelTilCelle(akse, ny);
  pos->Synlige = Synlige(akse, ny, extent);
  if (bar) SetScrollPos(bar, SB_CTL, (int)ny, TRUE);
  return x ? 8 : 16;
}

void EnsPaintCaption(Ens *e) {
  if (!e->EgenRamme || !e->hdc) return;
  HDC dc = e->hdc;
  const int cxf = CxFrame(), cyf = CyFrame(), cyc = CyCaption();
  const int R = e->Areal[2], B = e->Areal[3];
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DrawFrame3D(dc, 0, 0, R + cxf, B + cyf, 529);
  HBRUSH b0 = FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_BTNFACE);
  int kant = EdgeWidth(529);
  // The band between the outer frame and the caption bar.
  FillFrame(dc, b0, kant, kant, cxf, cyf, R + 1, cyf + cyc, R + cxf + 1 - kant, cyf + cyc);
  FillSysColRect(dc, e->CaptionAktiv ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION, cxf, cyf, R + 1,
                 cyf + cyc - 1);
  FillRectIncl(dc, b0, cxf, cyf + cyc, R + 1, cyf + cyc + 2);
  RECT rc = {cxf + 6, cyf, R - 10 - 3 * cyc, cyf + cyc};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(e->CaptionAktiv ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  e->dc[0].TekstFarve = kIngenFarve;
  DrawTextA(dc, e->Titel, (int)strnlen(e->Titel, sizeof e->Titel), &rc,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

void EnsPaintFrame(Ens *e) {
  if (!e->hdc) return;
  HDC dc = e->hdc;
  if (e->EgenRamme) EnsPaintCaption(e);
  const int L = e->Areal[0], T = e->Areal[1], R = e->Areal[2], B = e->Areal[3];
  HBRUSH b0 = FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_BTNFACE);
  if (!e->hwndRaekkeHoved && !e->hwndCeller && !e->hwndHoejre) {
    int top = e->hwndToolbar ? T - 22 : T;
    DrawFrame3D(dc, L, top, R, B, 530);
    int k = EdgeWidth(530);
    FillRectIncl(dc, b0, L + k, top + k, R - k, B - k);
    return;
  }
  DrawFrame3D(dc, L, T, R, e->StatusBar ? B - 20 : B, 530);
  if (!e->RudeB[ENS_CELLER] && !e->RudeB[ENS_RAEKKEHOVED]) return;  // too small: empty panes
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  const int rowsY = e->RudeY[ENS_CELLER], rowsH = e->RudeH[ENS_CELLER];
  const int topY = T + 2;
  const int sbY = e->RudeY[ENS_HSCROLL];
  auto linje = [&](int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
  };
  const int S = (int)e->SepBredde;
  const int bundLinje = sbY - 1 - (int)e->FodHoejde;
  if (e->RaekkeHovedBredde) {
    int x = e->RudeX[0] + e->RudeB[0];
    if (S) DrawRaisedBar(dc, b0, x, topY, x + S, bundLinje);
    linje(x + S, topY, x + S, sbY);
  }
  if (e->HoejreBredde) {
    int x = e->RudeX[2] + e->RudeB[2];
    if (S) DrawRaisedBar(dc, b0, x, topY, x + S, bundLinje);
    linje(x + S, topY, x + S, sbY);
  }
  const int vx = e->RudeX[ENS_VSCROLL];
  linje(vx - 1, topY, vx - 1, sbY);
  if (e->KolHovedHoejde) linje(L + 2, rowsY - 1, vx - 1, rowsY - 1);
  linje(L + 2, sbY - 1, R - 1, sbY - 1);
  if (e->Fod && e->FodHoejde) linje(L + 2, bundLinje, vx - 1, bundLinje);
  // Spaces no pane covers.
  if (e->ScrollFlag & ENS_SCROLL_V) {
    FillRectIncl(dc, b0, vx, topY, R - 1, rowsY - 1);
    FillRectIncl(dc, b0, vx, rowsY + rowsH, R - 1, sbY - 2);
  }
  if ((int)e->SkiftBredde < (int)e->RaekkeHovedBredde && e->RudeH[ENS_HSCROLL])
    FillRectIncl(dc, b0, L + 2, sbY, e->RudeX[ENS_HSCROLL] - 1, sbY + e->RudeH[ENS_HSCROLL] - 1);
  if (!e->hwndHScroll && e->RudeH[ENS_HSCROLL])
    FillRectIncl(dc, b0, e->RudeX[ENS_HSCROLL], sbY, R - 1, sbY + e->RudeH[ENS_HSCROLL] - 1);
  if (e->HoejreBredde) FillRectIncl(dc, b0, e->RudeX[3], rowsY + rowsH, e->RudeX[3] + e->RudeB[3] - 1, sbY - 2);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

uint32_t FindObjIdx(const uint32_t *tab, uint32_t antal, uint32_t vaerdi) {
  if (!tab) return 0;
  for (uint32_t i = 1; i <= antal; ++i)
    if (tab[i] == vaerdi) return i;
  return 0;
}

bool SameU32Tab(uint32_t antal1, uint32_t antal2, const uint32_t *tab1, const uint32_t *tab2) {
  if (antal1 != antal2) return false;
  for (uint32_t i = 0; i < antal1; ++i)
    if (tab1[i] != tab2[i]) return false;
  return true;
}

bool SameF32Tab(uint32_t antal1, uint32_t antal2, const float *tab1, const float *tab2) {
  if (antal1 != antal2) return false;
  for (uint32_t i = 0; i < antal1; ++i)
    if (tab1[i] != tab2[i]) return false;
  return true;
}

uint32_t MaxAktivePrUge(const TabDesc *pTd, const TabVar *pTv, uint32_t maske) {
  if (!pTd || !pTv || !pTv->pbTab || pTv->wRecCnt < 2 || SkemaPeriode.AntalUger == 0) return 0;
  const uint8_t fs = pTd->PeriodeFelter[PF_STARTUGE], fe = pTd->PeriodeFelter[PF_SLUTUGE],
                fg = pTd->PeriodeFelter[PF_GRUPPE];
  if (!fs || !fe || !fg) return 0;
  const uint32_t status = pTd->FeltTab[pTd->StatusFelt].Offset;
  const uint32_t oS = pTd->FeltTab[fs].Offset, oE = pTd->FeltTab[fe].Offset,
                 oG = pTd->FeltTab[fg].Offset;
  uint32_t bedst = 0;
  for (uint32_t i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    const Uge uge = IndeksTilUge(i);
    uint32_t antal = 0;
    for (uint32_t n = 0; n < pTv->wRecCnt; ++n) {
      const uint8_t *rec = pTv->pbTab + (size_t)n * pTd->RecSize;
      const uint8_t st = rec[status];
      if (st < 10 || st > 29) continue;
      uint32_t start, slut, gruppe;
      std::memcpy(&start, rec + oS, 4);
      std::memcpy(&slut, rec + oE, 4);
      std::memcpy(&gruppe, rec + oG, 4);
      if (start <= uge && slut >= uge && (gruppe & maske)) ++antal;
    }
    if (antal > bedst) bedst = antal;
  }
  return bedst;
}
