// The master-data window. Its five panes are relay panes laid out by the
// window itself (not the grid frame): a caption strip of column-header
// buttons above a body the window paints; the list panes carry their own
// scroll bar. Every change of the object shown goes through OpdaterStam, so
// the lists, the publishing and the repaint follow one road.

#include "STAMOPL.h"
#include "STAMTAL.h"
#include "STAMTEKST.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ARRANGER.h"
#include "ENS.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FELTTEKST.h"
#include "FONTE.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "KATALOG.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "RELAY.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

StamKroge StamKrog{};

namespace {

constexpr const char *kModul = "STAMOPL";
constexpr const char *kKlasse = "StamWndClass";
constexpr int kRaekke = kStamRaekke;
constexpr int kTekstTop = 1;
constexpr int kNoegletalKrop = 4 * kRaekke + 5;
constexpr LRESULT kHjaelpEmne = 102;
constexpr int kLukB = 16, kLukH = 14;
// The wanted rows of the counts, subjects and schedulers panes.
constexpr int kOenskeRaekker[kStamRuder] = {0, 6, 25, 12, 0};
constexpr int kOenskeIalt = 6 + 25 + 12;

const char *const kTimerKnapper[3] = {"OPTÆLLINGER:", "Lektioner", "Arbejdstimer"};

StamWS *Ws(HWND h) { return reinterpret_cast<StamWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

HBRUSH Brush(uint8_t slot) {
  return slot < kAntalFarver && FarveBrush[slot] ? FarveBrush[slot] : GetSysColorBrush(COLOR_BTNFACE);
}

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

bool ErMedarbejder(const StamWS *ws) { return ws->Bogstav == 'M'; }
bool ErListe(int p) { return p >= STAM_FOCUS_TIMER && p <= STAM_FOCUS_INS; }

int Bredde(const RECT &r) { return std::max<int>(0, r.right - r.left); }
int Hoejde(const RECT &r) { return std::max<int>(0, r.bottom - r.top); }

uint32_t AntalHovedRaekker(const StamWS *ws) { return ObjSwitchAntal(kStamHovedArt, ws->Bogstav); }

// ==================================================================== geometry

struct Plan {
  int top, bundMargen, fast, hoved;
};

// The fixed parts of the height: frame, caption, toolbar, pane outlines,
// caption strips, the key figures and the footnote of an employee.
Plan Grundplan(const StamWS *ws) {
  Plan p{};
  p.top = CyFrame() + GetSystemMetrics(SM_CYCAPTION) + kToolbarHoejde + 1;
  p.bundMargen = CyFrame() + 1;
  const int blokke = ErMedarbejder(ws) ? 5 : 4;
  p.fast = blokke * 2 + (blokke - 1) + 4 * kStamKnapHoejde;
  for (int r = STAM_FOCUS_TIMER; r <= STAM_FOCUS_INS; ++r) p.fast += StamKaptionLinjer(ws, r) * kRaekke;
  if (ErMedarbejder(ws)) p.fast += kNoegletalKrop + kRaekke;
  p.hoved = std::max<int>(kStamHovedMindst, static_cast<int>(AntalHovedRaekker(ws)) * kRaekke);
  return p;
}

int FuldHoejde(const StamWS *ws) {
  const Plan p = Grundplan(ws);
  return p.top + p.fast + p.hoved + kOenskeIalt * kRaekke + p.bundMargen;
}

// The work area the window opens in: the free desktop area less 40 pixels
// at the top, 20 at the bottom and 3 at each side.
RECT Arbejdsomraade() {
  const RECT &f = FriArealRect;
  return RECT{f.left + 3, f.top + 40, f.right + 1 - 3, f.bottom + 1 - 20};
}

void Placer(StamRude &d, int x, int y, int b, int kaption, int krop, bool scroll) {
  const int sb = scroll ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  d.Kaption = RECT{x, y, x + b, y + kaption};
  d.Krop = RECT{x, y + kaption, x + std::max(0, b - sb), y + kaption + krop};
}

// ==================================================================== texts

struct Celle {
  StamWS *ws;
  int rude;
  uint32_t raekke;
};

void Blank(char *tekst) {
  std::memset(tekst, ' ', kSwitchMaksTegn);
  tekst[kSwitchMaksTegn] = '\0';
}

// A formatted text over the blanks, the terminator turned back to a blank.
void Skriv(char *tekst, const char *fmt, int bredde, const char *vaerdi) {
  const int n = std::snprintf(tekst, kSwitchTekstLen, fmt, bredde, vaerdi);
  if (n >= 0 && n < static_cast<int>(kSwitchMaksTegn)) tekst[n] = ' ';
  tekst[kSwitchMaksTegn] = '\0';
}

SwitchRaekkeValg Valg(const StamWS *ws, uint32_t hoejde) {
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Hoejde = hoejde;
  v.TopMargen = kTekstTop;
  return v;
}

uint32_t ListeCelle(void *arg, const SwitchFelt *sf, uint32_t, char *tekst, uint8_t *, uint8_t *pFarve) {
  auto *c = static_cast<Celle *>(arg);
  StamRude &d = c->ws->DWnd[c->rude];
  if (StamKrog.CelleTekst && StamKrog.CelleTekst(c->ws, c->rude, c->raekke, sf, tekst, pFarve)) return 0;
  if (!d.pTd || sf->FeltNr >= FOERSTE_BEREGNET_FELT || c->raekke < 1 || c->raekke > d.ObjTabAntal) return 0;
  const SwitchRaekkeValg v = Valg(c->ws, kRaekke);
  SwitchCelleTekst(sf, d.Bogstav, d.pTd, d.pTv, d.ObjTab[c->raekke], &v, tekst, pFarve);
  return 0;
}

uint32_t ToolbarCelle(void *arg, const SwitchFelt *sf, uint32_t, char *tekst, uint8_t *, uint8_t *pFarve) {
  auto *ws = static_cast<StamWS *>(arg);
  const uint32_t rec = StamObjekt(ws);
  if (!rec) return 0;
  if (sf->FeltNr == 101 || sf->FeltNr == 102) {
    *pFarve = StamItemTekst(ws, kStamToolbarArt, sf->FeltNr, sf->Tegn, tekst);
    return 0;
  }
  const SwitchRaekkeValg v = Valg(ws, kRaekke);
  SwitchCelleTekst(sf, ws->Bogstav, ws->pTd, ws->pTv, rec, &v, tekst, pFarve);
  return 0;
}

// ==================================================================== painting

HWND ToolbarRude(const StamWS *ws) {
  return ws->hwndToolbar ? static_cast<HWND>(SendMessageA(ws->hwndToolbar, ENS_TOOLBAR_RUDE, 0, 0)) : 0;
}

void TegnToolbar(StamWS *ws) {
  const HWND rude = ToolbarRude(ws);
  EnsDC *dc = &ws->ToolbarDC;
  if (!rude || !dc->hdc) return;
  RECT rc;
  GetClientRect(rude, &rc);
  FillRectIfAny(dc->hdc, Brush(0), 0, 0, rc.right, rc.bottom);
  if (!StamObjekt(ws)) return;
  SwitchRaekkeValg v = Valg(ws, static_cast<uint32_t>(std::max<LONG>(rc.bottom, 0)));
  v.TopMargen = 0;
  TegnObjSwitchRaekkeCb(dc, 0, 0, 0, kStamToolbarArt, ws->Bogstav, ws->ToolbarLayout, ToolbarCelle, ws, &v);
}

// The items 26 and 27 span the label and value columns of the rows above.
uint32_t BredTegn(const StamWS *ws) {
  uint32_t f0 = 0, f1 = 0;
  for (uint32_t r = 0; r < AntalHovedRaekker(ws); ++r) {
    f0 = std::max(f0, ObjSwitchFeltTegn(kStamHovedArt, ws->Bogstav, r, 0));
    f1 = std::max(f1, ObjSwitchFeltTegn(kStamHovedArt, ws->Bogstav, r, 1));
  }
  return std::min(f0 + f1, kSwitchMaksTegn);
}

void TegnHoved(StamWS *ws) {
  StamRude &d = ws->DWnd[STAM_FOCUS_STAM];
  EnsDC *dc = &d.KropDC;
  const int B = Bredde(d.Krop), H = Hoejde(d.Krop);
  if (!dc->hdc || B <= 0 || H <= 0) return;
  const uint32_t raekker = AntalHovedRaekker(ws);
  const uint32_t bred = BredTegn(ws);
  const SwitchRaekkeValg v = Valg(ws, kRaekke - 1);
  char tekst[kSwitchTekstLen];
  for (uint32_t r = 0; r < raekker; ++r) {
    const int y = static_cast<int>(r) * kRaekke - static_cast<int>(d.ScrollY);
    if (y >= H) break;
    int x = -static_cast<int>(d.ScrollX);
    const SwitchLayout *l = ObjSwitchLayout(kStamHovedArt, ws->Bogstav, r);
    for (const SwitchFelt *f = l ? l->FoersteFelt : nullptr; f; f = f->Naeste) {
      SwitchFelt g = *f;
      if (g.FeltNr == 26 || g.FeltNr == 27) g.Tegn = bred;
      const uint8_t farve = StamItemTekst(ws, kStamHovedArt, g.FeltNr, g.Tegn, tekst);
      x += static_cast<int>(TegnSwitchTekstCelle(dc, x, y, &g, 0, farve, tekst, &v));
    }
    FillRectIfAny(dc->hdc, Brush(0), std::max(x, 0), y, B, y + kRaekke - 1);
    FillRectSys(dc->hdc, COLOR_3DDKSHADOW, 0, y + kRaekke - 1, B, y + kRaekke);
  }
  const int bund = static_cast<int>(raekker) * kRaekke - static_cast<int>(d.ScrollY);
  FillRectIfAny(dc->hdc, Brush(0), 0, std::max(bund, 0), B, H);
}

void TegnListe(StamWS *ws, int p) {
  StamRude &d = ws->DWnd[p];
  EnsDC *dc = &d.KropDC;
  const int B = Bredde(d.Krop), H = Hoejde(d.Krop);
  if (!dc->hdc || B <= 0 || H <= 0) return;
  int y = 0;
  const SwitchRaekkeValg v = Valg(ws, kRaekke);
  if (StamKrog.OmListeTegning) StamKrog.OmListeTegning(ws, p, true);
  for (uint32_t i = std::max<uint32_t>(1, d.PosY.Foerste); i <= d.ObjTabAntal; ++i) {
    y = static_cast<int>(GridCelleStart(&d.AkseY, i)) - static_cast<int>(d.ScrollY);
    if (y >= H) break;
    // The counts pane's total rows (row value 0) stand out from the roles.
    const uint8_t farve = i == d.PosY.Aktuel && ws->Fokus == static_cast<uint32_t>(p) ? 1
                          : p == STAM_FOCUS_TIMER && d.ObjTab && d.ObjTab[i] == 0 ? 32
                                                                                 : 30;
    FillRectIfAny(dc->hdc, Brush(farve), 0, y, B, y + kRaekke);
    Celle c{ws, p, i};
    TegnObjSwitchRaekkeCb(dc, -static_cast<int>(d.ScrollX), y, farve, d.Art, d.Bogstav, d.Layout, ListeCelle, &c, &v);
    y += kRaekke;
  }
  if (StamKrog.OmListeTegning) StamKrog.OmListeTegning(ws, p, false);
  FillRectIfAny(dc->hdc, Brush(0), 0, std::max(y, 0), B, H);
}

void TegnRude(StamWS *ws, int p) {
  if (p == STAM_FOCUS_STAM) {
    TegnHoved(ws);
  } else if (ErListe(p)) {
    TegnListe(ws, p);
    if (StamKrog.TegnKaption) StamKrog.TegnKaption(ws, p);
  } else {
    StamRude &d = ws->DWnd[p];
    if (d.KropDC.hdc) FillRectIfAny(d.KropDC.hdc, Brush(0), 0, 0, Bredde(d.Krop), Hoejde(d.Krop));
    if (StamKrog.TegnNoegletal) StamKrog.TegnNoegletal(ws);
  }
}

void TegnRamme(StamWS *ws) {
  HDC hdc = ws->Dc.hdc;
  if (!hdc) return;
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  const int B = rc.right, H = rc.bottom;
  if (B <= 0 || H <= 0) return;
  FillRectSys(hdc, COLOR_BTNFACE, 0, 0, B, H);
  DrawFrame3D(hdc, 0, 0, B - 1, H - 1, EDGE_RAISED);
  const int cx = CxFrame(), cy = CyFrame(), ch = GetSystemMetrics(SM_CYCAPTION);
  FillSysColRect(hdc, ws->VistAktiv ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION, cx, cy, B - 1 - cx, cy + ch - 2);
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(ws->VistAktiv ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  ws->Dc.TekstFarve = ws->Dc.BkFarve = kIngenFarve;
  TextOutA(hdc, cx + 2, cy + 2, ws->Titel, static_cast<int>(std::strlen(ws->Titel)));
  for (const StamRude &d : ws->DWnd) {
    if (!d.hwndKrop || Hoejde(d.Krop) + Hoejde(d.Kaption) == 0) continue;
    DrawFrame3D(hdc, d.Kaption.left - 1, d.Kaption.top - 1, d.Krop.right - 1 + (d.hwndScroll ? GetSystemMetrics(SM_CXVSCROLL) : 0) + 1,
                d.Krop.bottom, BDR_SUNKENOUTER);
  }
  if (StamKrog.TegnRamme) StamKrog.TegnRamme(ws);
}

void TegnAlt(StamWS *ws) {
  TegnRamme(ws);
  TegnToolbar(ws);
  for (int p = 0; p < kStamRuder; ++p) TegnRude(ws, p);
}

// ==================================================================== buttons

void SaetSortMaerke(StamRude &d, uint32_t knap, int kode) {
  if (d.Knapper && knap < d.KnapAntal && d.Knapper[knap])
    SendMessageA(d.Knapper[knap], NYB_BILLEDE, NYB_BILLEDE_HOEJRE,
                 kode ? reinterpret_cast<LPARAM>(MAKEINTRESOURCE(kode)) : 0);
}

void LayoutKnapper(StamRude &d) {
  if (!d.Knapper) return;
  const int B = Bredde(d.Kaption), H = Hoejde(d.Kaption);
  int x = 0;
  for (uint32_t i = 0; i < d.KnapAntal; ++i) {
    int b = static_cast<int>(ObjSwitchFeltBredde(d.Art, d.Bogstav, d.Layout, d.FeltIndeks[i]));
    if (b == 0 && d.Art == kStamTimerArt) b = static_cast<int>(std::strlen(kTimerKnapper[i])) * 8 + 8;
    if (d.Knapper[i]) MoveWindow(d.Knapper[i], x, 0, b, H, TRUE);
    x += b;
  }
  if (HWND fyld = d.Knapper[d.KnapAntal]) {
    if (B > x) {
      MoveWindow(fyld, x, 0, B - x, H, TRUE);
      ShowWindow(fyld, SW_SHOWNA);
    } else {
      ShowWindow(fyld, SW_HIDE);
    }
  }
}

void FrigivKnapper(StamRude &d) {
  for (uint32_t i = 0; d.Knapper && i <= d.KnapAntal; ++i)
    if (d.Knapper[i] && IsWindow(d.Knapper[i])) DestroyWindow(d.Knapper[i]);
  std::free(d.Knapper);
  std::free(d.FeltIndeks);
  d.Knapper = nullptr;
  d.FeltIndeks = nullptr;
  d.KnapAntal = 0;
}

void BygKnapper(StamWS *ws, int p) {
  StamRude &d = ws->DWnd[p];
  FrigivKnapper(d);
  if (p == STAM_NOEGLETAL || !d.hwndKaption) return;
  const uint32_t n = p == STAM_FOCUS_TIMER ? 3 : ObjSwitchFeltAntal(d.Art, d.Bogstav, d.Layout);
  d.Knapper = static_cast<HWND *>(std::calloc(n + 1, sizeof(HWND)));
  d.FeltIndeks = static_cast<uint32_t *>(std::calloc(n + 1, sizeof(uint32_t)));
  if (!d.Knapper || !d.FeltIndeks) {
    FrigivKnapper(d);
    return;
  }
  d.KnapAntal = n;
  const uint32_t vaerdi = d.Sorterbar ? 1 : 0;
  for (uint32_t i = 0; i < n; ++i) {
    d.FeltIndeks[i] = i;
    // The header's fields are item codes, which have no heading of a table.
    const char *navn = p == STAM_FOCUS_TIMER ? kTimerKnapper[i]
                       : p == STAM_FOCUS_STAM ? ""
                                              : SwitchFeltNavn(d.pTd, ObjSwitchFeltNr(d.Art, d.Bogstav, d.Layout, i));
    d.Knapper[i] = CreateNyButtonWnd(hInst, d.hwndKaption, ws->hwnd, i, vaerdi, NYB_VENSTRE | NYB_BILLEDE_HOEJRE, 0, 0,
                                     0, kStamKnapHoejde, nullptr, navn);
    if (d.Knapper[i]) ShowWindow(d.Knapper[i], SW_SHOWNA);
  }
  d.Knapper[n] = CreateNyButtonWnd(hInst, d.hwndKaption, ws->hwnd, n, 0, NYB_VENSTRE, 0, 0, 0, kStamKnapHoejde,
                                   nullptr, "");
  LayoutKnapper(d);
  if (d.Sort && d.Layout < d.AntalLayouts && d.Sort[d.Layout].Sat)
    SaetSortMaerke(d, d.Sort[d.Layout].FeltIndeks, d.Sort[d.Layout].Stigende ? kStamSortStigende : kStamSortFaldende);
}

// ==================================================================== panes

void OpretRude(StamWS *ws, int p) {
  StamRude &d = ws->DWnd[p];
  for (int k = 0; k < 2; ++k) {
    auto *info = static_cast<DummyInfo *>(std::calloc(1, sizeof(DummyInfo)));
    if (!info) continue;
    info->owner = ws->hwnd;
    if (k == 1) {
      info->msgLButtonDown = ENS_CELLER_NED;
      info->msgPaint = ENS_CELLER_TEGN;
    }
    HWND h = CreateWindowExA(0, "DummyWndClass", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                             0, 0, ws->hwnd, 0, hInst, info);
    if (!h) {
      std::free(info);
      continue;
    }
    (k == 0 ? d.hwndKaption : d.hwndKrop) = h;
    if (TxtFont) SelectDCPalette(h, k == 0 ? &d.KaptionDC : &d.KropDC, TxtFont);
  }
  if (ErListe(p))
    d.hwndScroll = CreateScrollBarCtl(hInst, ws->hwnd, WS_CHILD | SBS_VERT, 0, 0, GetSystemMetrics(SM_CXVSCROLL), 0);
}

void SaetLayout(StamWS *ws, int p, uint32_t art, uint8_t bogstav, const TabDesc *pTd, TabVar *pTv) {
  StamRude &d = ws->DWnd[p];
  d.Art = art;
  d.Bogstav = bogstav;
  d.pTd = pTd;
  d.pTv = pTv;
  d.AntalLayouts = art ? ObjSwitchAntal(art, bogstav) : 0;
  d.Layout = art ? ObjSwitchValgt(art, bogstav) : 0;
  d.AkseY = GridAkse{0, kRaekke - 2, 1, 0, 2};
  d.AkseX = GridAkse{0, 8, 1, 0, 0};
  std::free(d.Sort);
  d.Sort = d.AntalLayouts ? static_cast<StamSort *>(std::calloc(d.AntalLayouts, sizeof(StamSort))) : nullptr;
  for (uint32_t l = 0; d.Sort && l < d.AntalLayouts; ++l) {
    // The sort field is kept with the kind and letter, on switch 0.
    const SwitchLayout *s = ObjSwitchLayout(art, bogstav, 0);
    const uint32_t felt = s ? s->SortFelt : 0;
    if (!felt) continue;
    const uint32_t i = ObjSwitchFeltIndex(art, bogstav, l, felt);
    if (ObjSwitchFeltNr(art, bogstav, l, i) != felt) continue;
    d.Sort[l] = StamSort{i, 1, 1};
  }
}

void TomListe(StamRude &d, int p) {
  std::free(d.ObjTab);
  d.ObjTab = StamNyObjTab(p, 0);
  d.ObjTabAntal = 0;
  if (p == STAM_FOCUS_SKFA) {
    std::free(d.SkfaSumTab);
    d.SkfaSumTab = StamNySkfaSumTab(0);
  }
}

// The lists of the object: the later parts' builder, or empty panes.
void ByggLister(StamWS *ws) {
  if (StamKrog.ByggLister) {
    StamKrog.ByggLister(ws);
  } else {
    for (int p = STAM_FOCUS_TIMER; p <= STAM_FOCUS_INS; ++p) TomListe(ws->DWnd[p], p);
  }
  for (int p = STAM_FOCUS_TIMER; p <= STAM_FOCUS_INS; ++p) {
    StamRude &d = ws->DWnd[p];
    d.PosY.Antal = d.ObjTabAntal;
    if (d.PosY.Aktuel > d.ObjTabAntal || (d.PosY.Aktuel == 0 && d.ObjTabAntal)) d.PosY.Aktuel = d.ObjTabAntal ? 1 : 0;
  }
}

// The first visible row and the count in view from the scroll offset.
void SaetSynlige(StamRude &d) {
  const int H = Hoejde(d.Krop);
  d.PosY.Foerste = GridPixelTilCelle(&d.AkseY, d.ScrollY);
  if (d.PosY.Foerste == 0) d.PosY.Foerste = 1;
  // A row counts as seen when its text is: the gap after the last may be cut.
  d.PosY.Synlige = static_cast<uint32_t>(std::max(H + 2, 0) / kRaekke);
}

uint32_t TotalPixels(const StamRude &d) { return d.ObjTabAntal * static_cast<uint32_t>(kRaekke); }

void OpdaterScrollBar(StamRude &d) {
  if (!d.hwndScroll) return;
  SetScrollCtl(d.hwndScroll, Hoejde(d.Krop), static_cast<int>(TotalPixels(d)), static_cast<int>(d.ScrollY));
}

void FlytRuder(StamWS *ws) {
  for (StamRude &d : ws->DWnd) {
    if (d.hwndKaption) MoveWindow(d.hwndKaption, d.Kaption.left, d.Kaption.top, Bredde(d.Kaption), Hoejde(d.Kaption), TRUE);
    if (d.hwndKrop) MoveWindow(d.hwndKrop, d.Krop.left, d.Krop.top, Bredde(d.Krop), Hoejde(d.Krop), TRUE);
    if (d.hwndScroll)
      MoveWindow(d.hwndScroll, d.Krop.right, d.Krop.top, GetSystemMetrics(SM_CXVSCROLL), Hoejde(d.Krop), TRUE);
    LayoutKnapper(d);
    SaetSynlige(d);
    OpdaterScrollBar(d);
  }
  const int cx = CxFrame(), cy = CyFrame(), ch = GetSystemMetrics(SM_CYCAPTION);
  if (ws->hwndLuk) MoveWindow(ws->hwndLuk, ws->Bredde - cx - kLukB - 2, cy + std::max(0, (ch - 1 - kLukH) / 2), kLukB, kLukH, TRUE);
  if (ws->hwndToolbar) MoveWindow(ws->hwndToolbar, cx, cy + ch, std::max(0, ws->Bredde - 2 * cx), kToolbarHoejde, TRUE);
}

// ==================================================================== keys

bool ErFlytTast(uint32_t t) {
  return t == VK_UP || t == VK_DOWN || t == VK_PRIOR || t == VK_NEXT || t == VK_LEFT || t == VK_RIGHT;
}

bool Flyt(GridPos *p, uint32_t tast, bool ctrl, bool alt) {
  if (p->Antal == 0) return false;
  const bool tilbage = tast == VK_UP || tast == VK_PRIOR || tast == VK_LEFT;
  const uint32_t a = std::clamp<uint32_t>(p->Aktuel, 1, p->Antal);
  const uint32_t trin = ctrl ? std::max<uint32_t>(1, p->Synlige > 1 ? p->Synlige - 1 : 1) : 1;
  uint32_t ny;
  if (alt)
    ny = tilbage ? 1 : p->Antal;
  else
    ny = tilbage ? (a > trin ? a - trin : 1) : std::min(p->Antal, a + trin);
  const bool flyttet = ny != p->Aktuel;
  p->Aktuel = ny;
  return flyttet;
}

void Luk(StamWS *ws) { DestroyWindow(ws->hwnd); }

// ==================================================================== window

void Aktiver(HWND h, StamWS *ws, UINT msg, WPARAM wParam) {
  ws->VistAktiv = 1;
  if (ws->Aktiv) return;
  ws->Aktiv = 1;
  VinduesListeTilTop(h);
  BringWindowToTop(h);
  if (msg == VINDUE_AKTIVER && ws->hwndParent) {
    SendMessageA(ws->hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
    if (Ws(h) != ws) return;
  }
  TegnAlt(ws);
}

int RudeAf(const StamWS *ws, HWND krop) {
  for (int p = 0; p < kStamRuder; ++p)
    if (krop && ws->DWnd[p].hwndKrop == krop) return p;
  return -1;
}

void Klik(HWND h, StamWS *ws, LPARAM lParam) {
  SetFocus(h);
  if (Ws(h) != ws) return;
  if (!ws->Aktiv) {
    if (!ws->hwndParent || !SendMessageA(ws->hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) return;
    SendMessageA(h, VINDUE_AKTIVER, 1, 0);
    if (Ws(h) != ws || !ws->Aktiv) return;
  }
  const int p = RudeAf(ws, ws->SidstKlikket);
  if (p < 0 || p == STAM_NOEGLETAL) return;
  if (static_cast<uint32_t>(p) != ws->Fokus) {
    ws->DWnd[ws->Fokus].Flag |= STAM_TEGN;
    ws->ForrigeFokus = ws->Fokus;
    ws->Fokus = static_cast<uint32_t>(p);
    ws->DWnd[p].Flag |= STAM_TEGN;
  }
  if (ErListe(p)) {
    StamRude &d = ws->DWnd[p];
    const int y = static_cast<short>(HIWORD(lParam));
    if (d.ObjTabAntal && y >= 0) {
      const uint32_t r = std::min<uint32_t>(d.ObjTabAntal, (static_cast<uint32_t>(y) + d.ScrollY) / kRaekke + 1);
      if (r != d.PosY.Aktuel) {
        d.PosY.Aktuel = r;
        d.Flag |= STAM_TEGN | STAM_RAEKKER;
      }
    }
  }
  OpdaterStam(ws);
}

void Scroll(StamWS *ws, WPARAM kode, HWND bar) {
  for (int p = STAM_FOCUS_TIMER; p <= STAM_FOCUS_INS; ++p) {
    StamRude &d = ws->DWnd[p];
    if (!bar || d.hwndScroll != bar) continue;
    const uint32_t foer = d.PosY.Foerste;
    const int H = Hoejde(d.Krop);
    uint32_t off = d.ScrollY;
    GridScrollPixel(&d.AkseY, TotalPixels(d), static_cast<uint32_t>(std::max(H, 0)), &off, static_cast<uint32_t>(kode));
    d.ScrollY = off;
    SaetSynlige(d);
    OpdaterScrollBar(d);
    if (d.PosY.Foerste != foer) {
      d.Flag |= STAM_SCROLLET | STAM_TEGN;
      TegnRude(ws, p);
      d.Flag = 0;
    }
  }
}

void Hjul(HWND h, StamWS *ws, WPARAM wParam) {
  if (!ErListe(static_cast<int>(ws->Fokus))) return;
  // Sideways only with a horizontal bar, which no pane has.
  if (LOWORD(wParam) == MK_CONTROL) return;
  const int delta = static_cast<short>(HIWORD(wParam));
  const int hak = std::max(1, std::abs(delta) / WHEEL_DELTA);
  const WPARAM kode = delta > 0 ? SB_LINEUP : SB_LINEDOWN;
  const HWND bar = ws->DWnd[ws->Fokus].hwndScroll;
  for (int i = 0; i < 2 * hak && delta != 0; ++i) {
    SendMessageA(h, WM_VSCROLL, kode, static_cast<LPARAM>(bar));
    if (Ws(h) != ws) return;
  }
}

// The cursor of pane 0 on the table's current record, as another window
// left it.
void Foelg(StamWS *ws, WPARAM wParam) {
  const uint8_t flag = static_cast<uint8_t>(wParam & kStamFlagMaske);
  if (ws->Aktiv && flag == 0) return;
  StamRude &d = ws->DWnd[STAM_FOCUS_STAM];
  const uint32_t i = ws->pTv ? FindObjIdx(d.ObjTab, d.ObjTabAntal, ws->pTv->AktuelRec) : 0;
  d.Flag |= flag | STAM_TEGN;
  if (i && i != d.Objekt.Aktuel) {
    d.Objekt.Aktuel = i;
    d.Flag |= STAM_RAEKKER;
  }
  ws->Foelger = 1;
  OpdaterStam(ws);
  ws->Foelger = 0;
}

void Knap(HWND h, StamWS *ws, WPARAM id, LPARAM vaerdi) {
  if (vaerdi == NYB_LUK) {
    DestroyWindow(h);
    return;
  }
  if (vaerdi == 1) SorterStamSkfa(ws, static_cast<uint32_t>(id));
}

void Opret(HWND h, StamWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  ws->hwndParent = GetParent(h);
  std::snprintf(ws->Titel, sizeof ws->Titel, "%s",
                ws->Bogstav == 'M'   ? " Stamoplysninger  -  Medarbejder"
                : ws->Bogstav == 'L' ? " Stamoplysninger  -  Lokale"
                                     : " Stamoplysninger  -  Aktivitet");
  RECT rc;
  GetClientRect(h, &rc);
  ws->Bredde = rc.right;
  ws->Hoejde = rc.bottom;
  SelectDCPalette(h, &ws->Dc, StdFont ? StdFont : TxtFont);
  ws->hwndLuk = CreateNyButtonWnd(hInst, h, h, NYB_LUK, NYB_LUK, NYB_LUK | NYB_KAPTION_STOR, 0, 0, kLukB, kLukH,
                                  nullptr, "");
  if (ws->hwndLuk) ShowWindow(ws->hwndLuk, SW_SHOWNA);
  ws->ToolbarLayout = ObjSwitchValgt(kStamToolbarArt, ws->Bogstav);
  const int rudeB = static_cast<int>(ObjSwitchBredde(kStamToolbarArt, ws->Bogstav, ws->ToolbarLayout));
  ws->hwndToolbar = CreateTavoTBWnd(hInst, h, static_cast<char>(ws->Bogstav), 0, ws->GruppeMaske, false, false, false,
                                    false, rudeB, std::max(0, ws->Bredde - 2 * CxFrame()));
  if (ws->hwndToolbar) {
    ShowWindow(ws->hwndToolbar, SW_SHOWNA);
    if (HWND rude = ToolbarRude(ws); rude && TxtFont) SelectDCPalette(rude, &ws->ToolbarDC, TxtFont);
  }
  for (int p = 0; p < kStamRuder; ++p) OpretRude(ws, p);
  ws->DWnd[STAM_FOCUS_SKFA].Sorterbar = 1;
  for (int p = 0; p < kStamRuder; ++p) BygKnapper(ws, p);

  StamRude &o = ws->DWnd[STAM_FOCUS_STAM];
  ByggStamObjTab(ws);
  o.Objekt.Antal = o.ObjTabAntal;
  const uint32_t i = ws->pTv ? FindObjIdx(o.ObjTab, o.ObjTabAntal, ws->pTv->AktuelRec) : 0;
  o.Objekt.Aktuel = i ? i : (o.ObjTabAntal ? 1 : 0);
  o.PosY.Antal = AntalHovedRaekker(ws);
  ByggLister(ws);
  StamLayout(ws, ws->Bredde, ws->Hoejde);
  FlytRuder(ws);
  VinduesListeTilfoej(h);
  ws->Aktiv = ws->VistAktiv = 1;
  if (ws->hwndParent) SendMessageA(ws->hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
}

void Nedlaeg(HWND h, StamWS *ws) {
  VinduesListeFjern(h);
  if (ws->hwndParent && IsWindow(ws->hwndParent)) SendMessageA(ws->hwndParent, HOVED_INPUT_LUKKET, 0, static_cast<LPARAM>(h));
  if (StamKrog.Frigiv) StamKrog.Frigiv(ws);
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  for (StamRude &d : ws->DWnd) {
    FrigivKnapper(d);
    std::free(d.Sort);
    std::free(d.ObjTab);
    std::free(d.SkfaSumTab);
  }
  std::free(ws->RolleTab);
  std::free(ws);
}

}  // namespace

// ==================================================================== texts

const char *StamLabelTekst(uint32_t kode) {
  struct Label {
    uint32_t kode;
    const char *tekst;
  };
  static const Label labels[] = {
      {1, "Aktivitet:"},  {3, "Betegnelse - K:"}, {5, "Betegnelse - L:"},     {7, "Periode:"},
      {12, "Afregningsform:"}, {19, "TMK:"},       {25, "UVFO:"},            {30, "Initialer:"},
      {32, "Navn:"},       {36, "Arbejdstidsaftale:"}, {60, "Lokale:"},       {65, "Gade:"},
      {67, "Sted:"},       {91, "Elevlektioner:"},
  };
  for (const Label &l : labels)
    if (l.kode == kode) return l.tekst;
  return "";
}

uint8_t StamItemTekst(StamWS *ws, uint32_t art, uint32_t kode, uint32_t bredde, char *tekst) {
  Blank(tekst);
  uint8_t farve = 16;
  if (!ws || !StamObjekt(ws) || kode == 999 || (art == kStamToolbarArt && kode == 101)) return farve;
  const int b = static_cast<int>(std::min(bredde, kSwitchMaksTegn));
  // Codes 101 and 102 of the object line are its own; a label there would
  // be a header code in the wrong layout.
  if (art != kStamToolbarArt) {
    const char *label = StamLabelTekst(kode);
    if (*label) {
      Skriv(tekst, "%-*s", b, label);
      // Cut to the field like every item text.
      std::memset(tekst + b, ' ', kSwitchMaksTegn - static_cast<uint32_t>(b));
      return farve;
    }
  }
  if (StamKrog.VaerdiTekst && !StamKrog.VaerdiTekst(ws, art, kode, static_cast<uint32_t>(b), tekst, &farve)) Blank(tekst);
  tekst[kSwitchMaksTegn] = '\0';
  return farve;
}

// ==================================================================== lists

uint32_t *StamNyObjTab(int rude, uint32_t antal) {
  // The key figures keep no rows.
  static const char *const betingelse[kStamFokusRuder] = {
      "Stam->DWnd[STAM_FOCUS_STAM].ObjTab != NULL", "Stam->DWnd[STAM_FOCUS_TIMER].ObjTab != NULL",
      "Stam->DWnd[STAM_FOCUS_SKFA].ObjTab != NULL", "Stam->DWnd[STAM_FOCUS_INS].ObjTab != NULL"};
  auto *tab = static_cast<uint32_t *>(std::calloc(size_t{antal} + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed(betingelse[std::clamp(rude, 0, static_cast<int>(kStamFokusRuder) - 1)], kModul, __LINE__);
  return tab;
}

SkfaSum *StamNySkfaSumTab(uint32_t antal) {
  auto *tab = static_cast<SkfaSum *>(std::calloc(size_t{antal} + 1, sizeof(SkfaSum)));
  if (!tab) tavo::AssertFailed("Stam->DWnd[STAM_FOCUS_SKFA].SkfaSumTab != NULL", kModul, __LINE__);
  return tab;
}

void ByggStamObjTab(StamWS *ws) {
  StamRude &d = ws->DWnd[STAM_FOCUS_STAM];
  std::free(d.ObjTab);
  d.ObjTab = nullptr;
  d.ObjTabAntal = 0;
  const TabDesc *pTd = ws->pTd;
  const TabVar *pTv = ws->pTv;
  std::vector<uint32_t> poster;
  if (pTd && pTv && pTv->pbTab) {
    const uint8_t fg = pTd->PeriodeFelter[PF_GRUPPE];
    const uint32_t statusOff = pTd->FeltTab[pTd->StatusFelt].Offset;
    for (uint32_t n = 1; n < pTv->wRecCnt; ++n) {
      const uint8_t *rec = pTv->pbTab + static_cast<size_t>(n) * pTd->RecSize;
      const uint8_t st = rec[statusOff];
      if (st < 10 || st > 29) continue;
      if (fg) {
        uint32_t g = 0;
        const FeltDef &f = pTd->FeltTab[fg];
        if (f.Offset + 4 <= pTd->RecSize) std::memcpy(&g, rec + f.Offset, 4);
        if ((g & ws->GruppeMaske) == 0) continue;
      }
      poster.push_back(n);
    }
  }
  const uint32_t antal = static_cast<uint32_t>(poster.size());
  d.ObjTab = StamNyObjTab(STAM_FOCUS_STAM, antal);
  std::copy(poster.begin(), poster.end(), d.ObjTab + 1);
  d.ObjTabAntal = antal;
  if (antal >= 2) {
    const SwitchLayout *l = ObjSwitchLayout(kStamHovedArt, ws->Bogstav, 0);
    const uint32_t felt = l && l->SortFelt ? l->SortFelt : 1;
    const VisFeltKontekst k{ws->hwnd, 0, 0, 0};
    SorterPaaFelter(static_cast<char>(ws->Bogstav), d.ObjTab, antal, pTd, pTv, &k, 0, 1, &felt, 1);
  }
}

uint32_t StamObjekt(const StamWS *ws) {
  const StamRude &d = ws->DWnd[STAM_FOCUS_STAM];
  const uint32_t i = d.Objekt.Aktuel;
  if (!d.ObjTab || i < 1 || i > d.ObjTabAntal || !ws->pTv) return 0;
  const uint32_t rec = d.ObjTab[i];
  return rec < ws->pTv->wRecCnt ? rec : 0;
}

void SorterStamSkfa(StamWS *ws, uint32_t knap) {
  StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  if (!d.Sort || d.Layout >= d.AntalLayouts || knap >= d.KnapAntal) return;
  StamSort &s = d.Sort[d.Layout];
  if (s.Sat && s.FeltIndeks == knap) {
    s.Stigende = s.Stigende ? 0 : 1;
  } else {
    if (s.Sat) SaetSortMaerke(d, s.FeltIndeks, 0);
    s = StamSort{knap, 1, 1};
  }
  SaetSortMaerke(d, knap, s.Stigende ? kStamSortStigende : kStamSortFaldende);
  const uint32_t felt = ObjSwitchFeltNr(d.Art, d.Bogstav, d.Layout, d.FeltIndeks[knap]);
  ObjSwitchSaetSortFelt(d.Art, d.Bogstav, felt);

  const uint32_t r = d.PosY.Aktuel;
  const uint32_t vaerdi = r >= 1 && r <= d.ObjTabAntal ? d.ObjTab[r] : 0;
  if (d.ObjTab && d.ObjTabAntal >= 2) {
    const VisFeltKontekst k{ws->hwnd, 0, 0, 0};
    SorterPaaFelter(static_cast<char>(d.Bogstav), d.ObjTab, d.ObjTabAntal, d.pTd, d.pTv, &k,
                    s.Stigende ? 0 : SORT_FALDENDE, 1, &felt, 1);
    // The figures follow their subjects.
    if (d.SkfaSumTab) {
      std::vector<SkfaSum> gamle(d.SkfaSumTab + 1, d.SkfaSumTab + 1 + d.ObjTabAntal);
      std::vector<bool> brugt(gamle.size(), false);
      for (uint32_t i = 1; i <= d.ObjTabAntal; ++i)
        for (size_t j = 0; j < gamle.size(); ++j)
          if (!brugt[j] && gamle[j].id == d.ObjTab[i]) {
            d.SkfaSumTab[i] = gamle[j];
            brugt[j] = true;
            break;
          }
    }
  }
  if (StamKrog.EfterSkfaSort) StamKrog.EfterSkfaSort(ws);
  if (vaerdi) d.PosY.Aktuel = FindObjIdx(d.ObjTab, d.ObjTabAntal, vaerdi);
  for (StamRude &e : ws->DWnd) e.Flag |= STAM_TEGN;
  OpdaterStam(ws);
}

// ==================================================================== geometry

int StamKaptionLinjer(const StamWS *ws, int rude) {
  if (rude == STAM_FOCUS_SKFA) return ErMedarbejder(ws) ? 2 : 1;
  return rude == STAM_FOCUS_INS ? 1 : 0;
}

int StamOenskeBredde(const StamWS *ws, int plads) {
  const StamRude &d = ws->DWnd[STAM_FOCUS_SKFA];
  const int indhold = std::max<int>(350, static_cast<int>(ObjSwitchBredde(kStamSkfaArt, kStamSkfaBogstav, d.Layout)));
  const int b = indhold + 2 * CxFrame() + GetSystemMetrics(SM_CXVSCROLL) + 2;
  return plads > 0 ? std::min(b, plads) : b;
}

int StamOenskeHoejde(const StamWS *ws, int plads) {
  const int h = FuldHoejde(ws);
  return plads > 0 ? std::min(h, plads) : h;
}

void StamLayout(StamWS *ws, int bredde, int hoejde) {
  const Plan p = Grundplan(ws);
  const int x = CxFrame() + 1;
  const int b = std::max(0, bredde - 2 * CxFrame() - 2);
  const int plads = std::max(0, hoejde - p.top - p.bundMargen - p.fast);
  const int hoved = std::min(p.hoved, plads);
  const int rest = plads - hoved;
  int liste[kStamRuder] = {};
  if (rest >= kOenskeIalt * kRaekke) {
    liste[STAM_FOCUS_TIMER] = kOenskeRaekker[STAM_FOCUS_TIMER] * kRaekke;
    liste[STAM_FOCUS_INS] = kOenskeRaekker[STAM_FOCUS_INS] * kRaekke;
  } else {
    liste[STAM_FOCUS_TIMER] = rest * kOenskeRaekker[STAM_FOCUS_TIMER] / kOenskeIalt;
    liste[STAM_FOCUS_INS] = rest * kOenskeRaekker[STAM_FOCUS_INS] / kOenskeIalt;
  }
  liste[STAM_FOCUS_SKFA] = rest - liste[STAM_FOCUS_TIMER] - liste[STAM_FOCUS_INS];
  int y = p.top + 1;
  Placer(ws->DWnd[STAM_FOCUS_STAM], x, y, b, kStamKnapHoejde, hoved, false);
  y += kStamKnapHoejde + hoved + 3;
  if (ErMedarbejder(ws)) {
    Placer(ws->DWnd[STAM_NOEGLETAL], x, y, b, 0, kNoegletalKrop, false);
    y += kNoegletalKrop + 3;
  } else {
    Placer(ws->DWnd[STAM_NOEGLETAL], x, y, 0, 0, 0, false);
  }
  for (int r = STAM_FOCUS_TIMER; r <= STAM_FOCUS_INS; ++r) {
    y += StamKaptionLinjer(ws, r) * kRaekke;
    Placer(ws->DWnd[r], x, y, b, kStamKnapHoejde, liste[r], true);
    y += kStamKnapHoejde + liste[r] + 3;
    // The footnote's line under an employee's subjects.
    if (r == STAM_FOCUS_SKFA && ErMedarbejder(ws)) y += kRaekke;
  }
}

// ==================================================================== keys and refresh

bool StamTast(StamWS *ws, const TastInfo &t, int mode) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return false;
  const bool udfoer = mode == KMD_UDFOER;
  const uint32_t tast = t.wParam;
  switch (tast) {
    case VK_ESCAPE:
      if (udfoer) Luk(ws);
      return true;
    case VK_F4:
      // F4 alone (and Alt+F4) belongs to the shell.
      if (!t.ctrl || t.alt) return false;
      if (udfoer) Luk(ws);
      return true;
    case VK_F3:
      return SkiftMaksimeret(ws->hwnd, &ws->GemtRect, mode);
    case VK_TAB: {
      if (!udfoer) return true;
      const uint32_t gammel = ws->Fokus % kStamFokusRuder;
      const uint32_t ny = t.shift ? (gammel + kStamFokusRuder - 1) % kStamFokusRuder : (gammel + 1) % kStamFokusRuder;
      ws->ForrigeFokus = gammel;
      ws->Fokus = ny;
      ws->DWnd[gammel].Flag |= STAM_TEGN;
      ws->DWnd[ny].Flag |= STAM_TEGN;
      OpdaterStam(ws);
      return true;
    }
  }
  if (ErFlytTast(tast) && udfoer) {
    const uint32_t f = ws->Fokus % kStamFokusRuder;
    StamRude &d = ws->DWnd[f];
    if (Flyt(f == STAM_FOCUS_STAM ? &d.Objekt : &d.PosY, tast, t.ctrl != 0, t.alt != 0)) d.Flag |= STAM_RAEKKER;
    OpdaterStam(ws);
  }
  return true;
}

void OpdaterStam(StamWS *ws) {
  const HWND h = ws->hwnd;
  StamRude &o = ws->DWnd[STAM_FOCUS_STAM];
  if (o.Flag & STAM_RAEKKER) {
    ByggLister(ws);
    for (StamRude &d : ws->DWnd) d.Flag |= STAM_TEGN;
    for (int p = STAM_FOCUS_TIMER; p <= STAM_FOCUS_INS; ++p) ws->DWnd[p].Flag |= STAM_RAEKKER;
    TegnToolbar(ws);
    const uint32_t obj = StamObjekt(ws);
    if (ws->Aktiv && !ws->Foelger && obj && ws->pTv && obj != ws->pTv->AktuelRec) {
      ws->pTv->AktuelRec = obj;
      SendTilAlleVinduer(AKTUEL_AENDRET, o.Flag & kStamFlagMaske, 0, h);
      if (Ws(h) != ws) return;
    }
  }
  for (int p = 0; p < kStamRuder; ++p) {
    StamRude &d = ws->DWnd[p];
    if (!d.Flag) continue;
    if (ErListe(p)) {
      d.PosY.Antal = d.ObjTabAntal;
      const int H = Hoejde(d.Krop);
      if (H > 0 && d.PosY.Aktuel) {
        uint32_t off = d.ScrollY;
        if (GridScrollTilAktuel(&d.PosY, &off, static_cast<uint32_t>(H), &d.AkseY)) d.Flag |= STAM_SCROLLET;
        d.ScrollY = off;
      }
      if (d.PosY.Aktuel == 0) d.ScrollY = 0;
      SaetSynlige(d);
      OpdaterScrollBar(d);
    }
    TegnRude(ws, p);
    d.Flag = 0;
  }
}

// ==================================================================== window

HWND CreateStamWnd(HWND ejer, UINT id, char bogstav) {
  if (bogstav == 0 && ejer) bogstav = static_cast<char>(SendMessageA(ejer, OBJEKT_ART, 0, 0));
  if (bogstav != 'M' && bogstav != 'L') bogstav = 'K';
  auto *ws = static_cast<StamWS *>(std::calloc(1, sizeof(StamWS)));
  if (!ws) return 0;
  ws->Bogstav = static_cast<uint8_t>(bogstav);
  ws->VindueId = id;
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (TabFromType(ws->Bogstav, &pTd, &pTv) == 0) {
    ws->pTd = pTd;
    ws->pTv = pTv;
  }
  const int gi = GruppeArtIndeks(bogstav);
  ws->GruppeMaske = gi >= 0 ? HuskGruppe[gi] : kAlleGrupper;
  const TabDesc *skfaTd = nullptr, *insTd = nullptr;
  TabVar *skfaTv = nullptr, *insTv = nullptr;
  if (TabFromType(kStamSkfaBogstav, &skfaTd, &skfaTv) != 0) skfaTd = nullptr, skfaTv = nullptr;
  if (TabFromType(kStamInsBogstav, &insTd, &insTv) != 0) insTd = nullptr, insTv = nullptr;
  SaetLayout(ws, STAM_FOCUS_STAM, kStamHovedArt, ws->Bogstav, ws->pTd, ws->pTv);
  SaetLayout(ws, STAM_FOCUS_TIMER, kStamTimerArt, ws->Bogstav, nullptr, nullptr);
  SaetLayout(ws, STAM_FOCUS_SKFA, kStamSkfaArt, kStamSkfaBogstav, skfaTd, skfaTv);
  SaetLayout(ws, STAM_FOCUS_INS, kStamInsArt, kStamInsBogstav, insTd, insTv);
  SaetLayout(ws, STAM_NOEGLETAL, 0, ws->Bogstav, nullptr, nullptr);

  const RECT a = Arbejdsomraade();
  const int pladsB = std::max<int>(0, a.right - a.left), pladsH = std::max<int>(0, a.bottom - a.top);
  const int b = StamOenskeBredde(ws, pladsB);
  const int hh = StamOenskeHoejde(ws, pladsH);
  const int x = a.left + std::max(0, (pladsB - b) / 2);
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, a.top, b, hh,
                              hwndDesktop, static_cast<HMENU>(id), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) {
      for (StamRude &d : ws->DWnd) std::free(d.Sort);
      std::free(ws);
    }
    return 0;
  }
  return hwnd;
}

StamWS *StamVinduesWS(HWND hwnd) { return Ws(hwnd); }

LRESULT CALLBACK StamWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<StamWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  StamWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY:
      Nedlaeg(h, ws);
      return 0;
    case WM_SIZE:
      ws->Bredde = LOWORD(lParam);
      ws->Hoejde = HIWORD(lParam);
      StamLayout(ws, ws->Bredde, ws->Hoejde);
      FlytRuder(ws);
      InvalidateRect(h, nullptr, FALSE);
      TegnAlt(ws);
      return 0;
    case WM_SETFOCUS:
      if (hwndDesktop && hwndDesktop != h && IsWindow(hwndDesktop)) SetFocus(hwndDesktop);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      TegnRamme(ws);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, ws->hwndParent, ws->Aktiv, 0, ws->TraekOffset, lParam);
      return 0;
    case WM_SIZING: {
      RECT pr{0, 0, 0, 0};
      if (ws->hwndParent) GetClientRect(ws->hwndParent, &pr);
      BegraensSizing(h, static_cast<UINT>(wParam), reinterpret_cast<RECT *>(lParam), kStamMindsteBredde,
                     std::max(kStamMindsteBredde, StamOenskeBredde(ws, pr.right)), kStamMindsteHoejde,
                     std::max(kStamMindsteHoejde, StamOenskeHoejde(ws, 0)));
      return TRUE;
    }
    case WM_SYSKEYDOWN:
    case WM_KEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      StamTast(ws, t, KMD_UDFOER);
      return 0;
    }
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && StamTast(ws, *t, 1) ? 1 : 0;
    }
    case WM_VSCROLL:
      Scroll(ws, wParam, static_cast<HWND>(lParam));
      return 0;
    case TB_RUDE_TEGN:
      TegnToolbar(ws);
      return 0;
    case DUMMY_MUS_I_RUDE:
      ws->SidstKlikket = static_cast<HWND>(lParam);
      return 0;
    case AKTUEL_AENDRET:
      Foelg(ws, wParam);
      return 0;
    case ENS_CELLER_NED:
      Klik(h, ws, lParam);
      return 0;
    case ENS_CELLER_TEGN:
      if (const int p = RudeAf(ws, static_cast<HWND>(lParam)); p >= 0) TegnRude(ws, p);
      return 0;
    case ENS_HJUL:
      Hjul(h, ws, wParam);
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ws, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      ws->Aktiv = ws->VistAktiv = 0;
      TegnAlt(ws);
      return 0;
    case VINDUE_TEGN_MED:
      ws->VistAktiv = wParam ? 1 : 0;
      TegnRamme(ws);
      break;
    case VINDUE_SAET_AKTIV:
      ws->Aktiv = ws->VistAktiv = 1;
      return 0;
    case OBJEKT_ART:
      return ws->Bogstav;
    case STAM_TEGN_ALT:
      TegnAlt(ws);
      return 0;
    case NYB_KLIK:
      Knap(h, ws, wParam, lParam);
      return 0;
    case HJAELP_EMNE:
      return kHjaelpEmne;
    case ENS_BREDDE:
      return StamOenskeBredde(ws, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return StamOenskeHoejde(ws, static_cast<int>(wParam));
    case VINDUE_ART:
      return static_cast<LRESULT>(ws->VindueId);
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerStamKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = StamWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}
