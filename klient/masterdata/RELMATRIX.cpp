// The relation matrix. Every row and column is 16 pixels; the cursor is the
// pair (PosX.Aktuel, PosY.Aktuel), and a move repaints only the cells whose
// colour it changes: the cell left, the cell come to and the guide strips
// from the headers to each.

#include "RELMATRIX.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AKTICHK.h"
#include "ARRANGER.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FELTTEKST.h"
#include "FINDREC.h"
#include "FONTE.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "IMPORT.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "KATALOG.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "TOOLTIP.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

RelMatrixKroge RelMatrixKrog = {};

HBRUSH RelBrush(uint8_t slot) { return FarveBrush[slot] ? FarveBrush[slot] : GetSysColorBrush(COLOR_BTNFACE); }

const uint8_t *RelPost(const TabDesc *pTd, const TabVar *pTv, uint32_t n) {
  if (!pTd || !pTv || !pTv->pbTab || n == 0 || n >= pTv->wRecCnt) return nullptr;
  return pTv->pbTab + static_cast<size_t>(n) * pTd->RecSize;
}

namespace {

// The toolbar strip and the frame's lines above and below the panes.
constexpr int kHoejdeTillaeg = 27;
constexpr int kBreddeTillaeg = 5;
constexpr uint32_t kTekstTop = 2;    // the text's top in a cell of 15
constexpr LRESULT kHjaelpEmne = 535;
constexpr int kInfoHoejde = 11;      // the toolbar's pane
constexpr int kTegnBredde = 8;

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

RelWS *Ws(HWND h) { return reinterpret_cast<RelWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

HBRUSH Brush(uint8_t slot) { return RelBrush(slot); }

int Begraens(int64_t oenske, uint32_t plads, int64_t mindst) {
  if (oenske >= static_cast<int64_t>(plads)) return static_cast<int>(std::min<int64_t>(plads, INT_MAX));
  return static_cast<int>(std::min<int64_t>(std::max(oenske, mindst), INT_MAX));
}

const uint8_t *Post(const TabDesc *pTd, const TabVar *pTv, uint32_t n) { return RelPost(pTd, pTv, n); }

uint32_t FeltU32(const TabDesc *pTd, const uint8_t *rec, uint8_t felt) {
  uint32_t v = 0;
  const FeltDef &f = pTd->FeltTab[felt];
  if (f.Offset + 4 <= pTd->RecSize) std::memcpy(&v, rec + f.Offset, 4);
  return v;
}

// The key of a record: its first field, a number.
uint32_t PostId(const TabDesc *pTd, const TabVar *pTv, uint32_t n) {
  const uint8_t *rec = Post(pTd, pTv, n);
  if (!rec) return 0;
  switch (pTd->FeltTab[0].Type) {
    case FT_I32: case FT_U32: case FT_HELTAL: case FT_ID: case FT_INT:
      return FeltU32(pTd, rec, 0);
  }
  return 0;
}

// The field of a table named so, or -1.
int FeltMedNavn(const TabDesc *pTd, const char *navn) {
  for (int i = 0; pTd && i < pTd->AntalFelter && i < MAXFELT; ++i)
    if (std::strncmp(pTd->FeltTab[i].Navn, navn, FELTNAVN_LEN) == 0) return i;
  return -1;
}

// The cells of an axis in view: first..last, last below first when none.
void Synlige(const GridAkse *a, uint32_t scroll, int extent, uint32_t antal, uint32_t *foerste, uint32_t *sidste) {
  *foerste = 1;
  *sidste = 0;
  if (extent <= 0 || antal == 0) return;
  *foerste = std::max<uint32_t>(1, GridPixelTilCelle(a, scroll));
  *sidste = std::min(antal, GridPixelTilCelle(a, scroll + static_cast<uint32_t>(extent) - 1));
}

// The cell under a pixel of a pane, clamped to the count.
uint32_t CelleVed(const GridAkse *a, int pixel, uint32_t scroll, uint32_t antal) {
  if (antal == 0) return 0;
  const int64_t p = std::max<int64_t>(0, int64_t{pixel} + scroll);
  return std::min(antal, GridPixelTilCelle(a, static_cast<uint32_t>(std::min<int64_t>(p, UINT32_MAX))));
}

int Start(const GridAkse *a, uint32_t n, uint32_t scroll) {
  return static_cast<int>(int64_t{GridCelleStart(a, n)} - scroll);
}
// The first pixel after cell n (after none: the pane's start).
int Efter(const GridAkse *a, uint32_t n, uint32_t scroll) {
  return n ? static_cast<int>(int64_t{GridCelleSlut(a, n)} - scroll) + 1 : -static_cast<int>(scroll);
}
int Laengde(const GridAkse *a, uint32_t n) { return static_cast<int>(GridCelleSlut(a, n) - GridCelleStart(a, n) + 1); }
uint32_t SidstePixel(const GridAkse *a, uint32_t antal) { return antal ? GridCelleSlut(a, antal) : 0; }

SwitchRaekkeValg RaekkeValg(const RelWS *ws, uint32_t hoejde) {
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Hoejde = hoejde;
  v.TopMargen = kTekstTop;
  return v;
}

uint8_t Markoer(const RelWS *ws) { return ws->Matrix.Aktiv ? 1 : 2; }

void SaetAktiv(RelWS *ws, uint8_t aktiv) {
  ws->Matrix.Aktiv = ws->Kol.Aktiv = ws->Raekke.Aktiv = aktiv;
}

// ---- painting

void TegnCelle(RelWS *ws, uint32_t c, uint32_t r) {
  Ens &e = ws->Matrix;
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  if (!dc->hdc || c < 1 || c > ws->PosX.Antal || r < 1 || r > ws->PosY.Antal) return;
  const int x = Start(&e.AkseX, c, e.ScrollX), y = Start(&e.AkseY, r, e.ScrollY);
  const int b = Laengde(&e.AkseX, c), h = Laengde(&e.AkseY, r);
  if (x >= e.RudeB[ENS_CELLER] || y >= e.RudeH[ENS_CELLER] || x + b <= 0 || y + h <= 0) return;
  if (ws->Art->TegnCelle) {
    ws->Art->TegnCelle(ws, dc, c, r, x, y, b, h);
    return;
  }
  const uint8_t farve = RelCelleFarve(ws, c, r);
  FillRectIfAny(dc->hdc, Brush(farve), x, y, x + b, y + h);
  const uint32_t rel = ws->Art->FindRelation(ws, ws->Raekke.ObjTab[r], ws->Kol.ObjTab[c]);
  if (!rel) return;
  RelCelle arg{ws, rel};
  const SwitchRaekkeValg v = RaekkeValg(ws, static_cast<uint32_t>(h));
  TegnObjSwitchRaekkeCb(dc, x, y, farve, kRelCelleArt, ws->RelBogstav, ws->CelleSwitch, AlrelCelleTekst, &arg, &v);
}

void TegnKolonneStribe(RelWS *ws, uint32_t c, uint32_t fra, uint32_t til) {
  for (uint32_t r = fra; c && r <= til; ++r) TegnCelle(ws, c, r);
}
void TegnRaekkeStribe(RelWS *ws, uint32_t r, uint32_t fra, uint32_t til) {
  for (uint32_t c = fra; r && c <= til; ++c) TegnCelle(ws, c, r);
}

void TegnCeller(RelWS *ws) {
  Ens &e = ws->Matrix;
  HDC hdc = e.dc[ENSDC_CELLER].hdc;
  const int B = e.RudeB[ENS_CELLER], H = e.RudeH[ENS_CELLER];
  if (!hdc || B <= 0 || H <= 0) return;
  const uint32_t nk = ws->PosX.Antal, nr = ws->PosY.Antal;
  if (nk == 0 || nr == 0) {
    FillRectIfAny(hdc, Brush(0), 0, 0, B, H);
    return;
  }
  uint32_t k1, k2, r1, r2;
  Synlige(&e.AkseX, e.ScrollX, B, nk, &k1, &k2);
  Synlige(&e.AkseY, e.ScrollY, H, nr, &r1, &r2);
  const int hoejre = Efter(&e.AkseX, nk, e.ScrollX);
  const int bund = Efter(&e.AkseY, nr, e.ScrollY);
  for (uint32_t c = k1; c <= k2 && c < nk; ++c) {
    const int x = Efter(&e.AkseX, c, e.ScrollX);
    FillRectSys(hdc, COLOR_3DDKSHADOW, x, 0, x + 1, std::min(bund, H));
  }
  for (uint32_t r = r1; r <= r2 && r < nr; ++r) {
    const int y = Efter(&e.AkseY, r, e.ScrollY);
    FillRectSys(hdc, COLOR_3DDKSHADOW, 0, y, std::min(hoejre, B), y + 1);
  }
  for (uint32_t r = r1; r <= r2; ++r)
    for (uint32_t c = k1; c <= k2; ++c) TegnCelle(ws, c, r);
  FillRectIfAny(hdc, Brush(0), std::max(hoejre, 0), 0, B, H);
  FillRectIfAny(hdc, Brush(0), 0, std::max(bund, 0), std::min(std::max(hoejre, 0), B), H);
}

// After a move the cells whose colour changed: the strips from the first
// cell in view to the cell left and to the cell come to, and the cells
// between the two along the line of the move.
void TegnFlyttet(RelWS *ws, uint32_t flag) {
  Ens &e = ws->Matrix;
  uint32_t k1, k2, r1, r2;
  Synlige(&e.AkseX, e.ScrollX, e.RudeB[ENS_CELLER], ws->PosX.Antal, &k1, &k2);
  Synlige(&e.AkseY, e.ScrollY, e.RudeH[ENS_CELLER], ws->PosY.Antal, &r1, &r2);
  const uint32_t fk = ws->ForrigeKol, fr = ws->ForrigeRaekke, ak = ws->PosX.Aktuel, ar = ws->PosY.Aktuel;
  if (flag & REL_TEGN_KOLONNE) {
    TegnKolonneStribe(ws, fk, r1, fr);
    if (std::max(fk, ak) > 0) TegnRaekkeStribe(ws, ar, std::min(fk, ak) + 1, std::max(fk, ak) - 1);
    TegnKolonneStribe(ws, ak, r1, ar);
  }
  if (flag & REL_TEGN_RAEKKE) {
    TegnRaekkeStribe(ws, fr, k1, fk);
    if (std::max(fr, ar) > 0) TegnKolonneStribe(ws, ak, std::min(fr, ar) + 1, std::max(fr, ar) - 1);
    TegnRaekkeStribe(ws, ar, k1, ak);
  }
}

void TegnKolHoved(RelWS *ws, uint32_t c) {
  Ens &e = ws->Matrix;
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  if (!dc->hdc || c < 1 || c > ws->PosX.Antal) return;
  const int x = Start(&e.AkseX, c, e.ScrollX), b = Laengde(&e.AkseX, c);
  if (x >= e.RudeB[ENS_KOLHOVED] || x + b <= 0) return;
  const uint8_t farve = c == ws->PosX.Aktuel ? Markoer(ws) : 0;
  FillRectIfAny(dc->hdc, Brush(farve), x, 0, x + b, e.RudeH[ENS_KOLHOVED]);
  const SwitchRaekkeValg v = RaekkeValg(ws, static_cast<uint32_t>(b));
  TegnRelationRaekke(dc, x, 0, farve, ws->KolBogstav, ws->Kol.pTd, ws->Kol.pTv, ws->Kol.ObjTab[c], &v);
}

void TegnKolHoveder(RelWS *ws) {
  Ens &e = ws->Matrix;
  HDC hdc = e.dc[ENSDC_KOLHOVED].hdc;
  const int B = e.RudeB[ENS_KOLHOVED], H = e.RudeH[ENS_KOLHOVED];
  if (!hdc || B <= 0 || H <= 0) return;
  uint32_t k1, k2;
  Synlige(&e.AkseX, e.ScrollX, B, ws->PosX.Antal, &k1, &k2);
  for (uint32_t c = k1; c <= k2; ++c) {
    TegnKolHoved(ws, c);
    const int x = Efter(&e.AkseX, c, e.ScrollX);
    if (c < ws->PosX.Antal) FillRectSys(hdc, COLOR_3DDKSHADOW, x, 0, x + 1, H);
  }
  const int hoejre = Efter(&e.AkseX, ws->PosX.Antal, e.ScrollX);
  FillRectIfAny(hdc, Brush(0), std::max(hoejre, 0), 0, B, H);
}

void TegnRaekkeHoved(RelWS *ws, uint32_t r) {
  Ens &e = ws->Matrix;
  EnsDC *dc = &e.dc[ENSDC_RAEKKEHOVED];
  if (!dc->hdc || r < 1 || r > ws->PosY.Antal) return;
  const int y = Start(&e.AkseY, r, e.ScrollY), h = Laengde(&e.AkseY, r);
  if (y >= e.RudeH[ENS_RAEKKEHOVED] || y + h <= 0) return;
  const HBRUSH brush = Brush(r == ws->PosY.Aktuel ? Markoer(ws) : 0);
  const SwitchRaekkeValg v = RaekkeValg(ws, static_cast<uint32_t>(h));
  const uint32_t bredde = static_cast<uint32_t>(std::max<int>(int{e.RudeB[ENS_RAEKKEHOVED]}, 0));
  TegnObjSwitchRaekkeBund(dc, 0, y, brush, kRelRaekkeArt, ws->RaekkeBogstav, ws->RaekkeSwitch, ws->Raekke.pTd,
                          ws->Raekke.pTv, ws->Raekke.ObjTab[r], bredde, &v);
}

void TegnRaekkeHoveder(RelWS *ws) {
  Ens &e = ws->Matrix;
  HDC hdc = e.dc[ENSDC_RAEKKEHOVED].hdc;
  const int B = e.RudeB[ENS_RAEKKEHOVED], H = e.RudeH[ENS_RAEKKEHOVED];
  if (!hdc || B <= 0 || H <= 0) return;
  uint32_t r1, r2;
  Synlige(&e.AkseY, e.ScrollY, H, ws->PosY.Antal, &r1, &r2);
  for (uint32_t r = r1; r <= r2; ++r) {
    TegnRaekkeHoved(ws, r);
    const int y = Efter(&e.AkseY, r, e.ScrollY);
    if (r < ws->PosY.Antal) FillRectSys(hdc, COLOR_3DDKSHADOW, 0, y, B, y + 1);
  }
  const int bund = Efter(&e.AkseY, ws->PosY.Antal, e.ScrollY);
  FillRectIfAny(hdc, Brush(0), 0, std::max(bund, 0), B, H);
}

HWND InfoRude(const RelWS *ws) {
  const HWND tb = ws->Matrix.hwndToolbar;
  return tb ? static_cast<HWND>(SendMessageA(tb, ENS_TOOLBAR_RUDE, 0, 0)) : 0;
}

// The current row's object " x " the current column's object.
void TegnInfo(RelWS *ws) {
  EnsDC *dc = &ws->Matrix.dc[ENSDC_TOOLBAR];
  const HWND rude = InfoRude(ws);
  if (!dc->hdc || !rude) return;
  RECT rc;
  GetClientRect(rude, &rc);
  FillRectIfAny(dc->hdc, Brush(0), 0, 0, rc.right, rc.bottom);
  const uint32_t ak = ws->PosX.Aktuel, ar = ws->PosY.Aktuel;
  if (!ak || !ar || ak > ws->Kol.ObjTabAntal || ar > ws->Raekke.ObjTabAntal) return;
  SwitchRaekkeValg vi = RaekkeValg(ws, kInfoHoejde);
  vi.TopMargen = 0;
  TegnObjSwitchRaekke(dc, 0, 0, 0, kRelInfoArt, ws->RaekkeBogstav, kRelInfoSwitch, ws->Raekke.pTd, ws->Raekke.pTv,
                      ws->Raekke.ObjTab[ar], &vi);
  int x = static_cast<int>(ObjSwitchBredde(kRelInfoArt, ws->RaekkeBogstav, kRelInfoSwitch));
  TegnFarvetTekst(dc, x, 0, 16, 0, " x ", 3, 1);
  x += 3 * kTegnBredde;
  TegnObjSwitchRaekke(dc, x, 0, 0, kRelInfoArt, ws->KolBogstav, kRelInfoSwitch, ws->Kol.pTd, ws->Kol.pTv,
                      ws->Kol.ObjTab[ak], &vi);
}

void TegnHjoerne(RelWS *ws, HWND rude) {
  Ens &e = ws->Matrix;
  for (int i : {ENSDC_HJOERNE_V, ENSDC_HJOERNE_H}) {
    if ((i == ENSDC_HJOERNE_V ? e.hwndHjoerneV : e.hwndHjoerneH) != rude || !e.dc[i].hdc) continue;
    RECT rc;
    GetClientRect(rude, &rc);
    FillRectIfAny(e.dc[i].hdc, Brush(0), 0, 0, rc.right, rc.bottom);
  }
}

// The current column's field 1 under its caption, while the window is the
// active one.
void VisKolTooltip(RelWS *ws) {
  Ens &e = ws->Matrix;
  const uint32_t ak = ws->PosX.Aktuel;
  if (!ak || ak > ws->Kol.ObjTabAntal || !e.hwndKolHoved) return;
  const char *t = VisFeltTekst(static_cast<char>(ws->KolBogstav), ws->Kol.pTd, ws->Kol.pTv, 1, ws->Kol.ObjTab[ak],
                               nullptr, 1);
  size_t n = std::min(std::strlen(t), sizeof ws->Tooltip - 1);
  const uint32_t bredde = ws->Kol.pTd ? FeltBredde(ws->Kol.pTd, 1, 1) : 0;
  if (bredde && n > bredde) n = bredde;
  while (n > 0 && t[n - 1] == ' ') --n;
  std::memcpy(ws->Tooltip, t, n);
  ws->Tooltip[n] = '\0';
  SkjulTooltip();
  if (!n) return;
  POINT p{Start(&e.AkseX, ak, e.ScrollX), e.RudeH[ENS_KOLHOVED]};
  if (p.x < 0 || p.x >= e.RudeB[ENS_KOLHOVED]) return;
  ClientToScreen(e.hwndKolHoved, &p);
  VisTooltip(ws->Tooltip, &p, 0);
}

// ---- the window

int FuldBredde(const RelWS *ws, HWND h) {
  RECT pr{0, 0, 0, 0};
  GetClientRect(GetParent(h), &pr);
  return RelVinduesBredde(&ws->Kol, ws->Matrix.RaekkeHovedBredde, static_cast<uint32_t>(std::max<LONG>(0, pr.right - pr.left)));
}
int FuldHoejde(const RelWS *ws, HWND h) {
  RECT pr{0, 0, 0, 0};
  GetClientRect(GetParent(h), &pr);
  return RelVinduesHoejde(&ws->Raekke, ws->Matrix.KolHovedHoejde,
                          static_cast<uint32_t>(std::max<LONG>(0, pr.bottom - pr.top)));
}

// The window takes the size it wants for the desktop, where it stands; its
// panes follow also when the size stays.
void Tilpas(RelWS *ws) {
  const HWND h = ws->hwnd;
  Ens &e = ws->Matrix;
  if (!h || e.Tilstand == 2) return;
  SetWindowPos(h, 0, 0, 0, FuldBredde(ws, h), FuldHoejde(ws, h), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (Ws(h) != ws) return;
  RECT rc;
  GetClientRect(h, &rc);
  EnsOnSize(&e, h, rc.right, rc.bottom, ws->AntalSwitch);
  EnsPaintFrame(&e);
}

void Aktiver(HWND h, RelWS *ws, UINT msg, WPARAM wParam) {
  Ens &e = ws->Matrix;
  e.CaptionAktiv = 1;
  if (e.Aktiv) return;
  SaetAktiv(ws, 1);
  VinduesListeTilTop(h);
  BringWindowToTop(h);
  if (msg == VINDUE_AKTIVER) {
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
    if (Ws(h) != ws) return;
  }
  EnsPaintFrame(&e);
  TegnRelVindue(ws, REL_TEGN_ALT);
}

// A click or a key on an inactive window asks the desktop first; false when
// it refused (or the window went meanwhile).
bool BlivAktiv(HWND h, RelWS *ws) {
  if (ws->Matrix.Aktiv) return true;
  if (!SendMessageA(ws->Matrix.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return IsWindow(h) && Ws(h) == ws && ws->Matrix.Aktiv;
}

void Klik(HWND h, RelWS *ws, UINT msg, LPARAM lParam) {
  if (!BlivAktiv(h, ws)) return;
  Ens &e = ws->Matrix;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  uint32_t flag = 0;
  if (msg != ENS_RAEKKEHOVED_NED) {
    const uint32_t c = CelleVed(&e.AkseX, x, e.ScrollX, ws->PosX.Antal);
    if (c != ws->PosX.Aktuel) flag |= REL_TEGN_KOLONNE;
    ws->PosX.Aktuel = c;
  }
  if (msg != ENS_KOLHOVED_NED) {
    const uint32_t r = CelleVed(&e.AkseY, y, e.ScrollY, ws->PosY.Antal);
    if (r != ws->PosY.Aktuel) flag |= REL_TEGN_RAEKKE;
    ws->PosY.Aktuel = r;
  }
  OpdaterRelVindue(ws, false, flag);
  SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, 0);
}

void Hoejreklik(HWND h, RelWS *ws) {
  EnsActivateOnClick(h, &ws->Matrix);
  if (!IsWindow(h) || Ws(h) != ws || !ws->Matrix.Aktiv) return;
  POINT p{0, 0};
  GetCursorPos(&p);
  CreateShortCutWnd(ws->Matrix.hInstance, h, p.x, p.y, ws->Art->Genveje);
}

// The current records of the tables, as another window left them.
void FoelgAktuel(RelWS *ws, WPARAM wParam) {
  if ((ws->Matrix.Aktiv && wParam == 0) || ws->Deaktiveret) return;
  const uint32_t k = ws->Kol.pTv ? FindObjIdx(ws->Kol.ObjTab, ws->Kol.ObjTabAntal, ws->Kol.pTv->AktuelRec) : 0;
  const uint32_t r =
      ws->Raekke.pTv ? FindObjIdx(ws->Raekke.ObjTab, ws->Raekke.ObjTabAntal, ws->Raekke.pTv->AktuelRec) : 0;
  uint32_t flag = 0;
  if (k != ws->PosX.Aktuel) flag |= REL_TEGN_KOLONNE;
  if (r != ws->PosY.Aktuel) flag |= REL_TEGN_RAEKKE;
  ws->PosX.Aktuel = k;
  ws->PosY.Aktuel = r;
  OpdaterRelVindue(ws, false, flag);
}

void VaelgGruppe(RelWS *ws, WPARAM gruppe) {
  if (gruppe > static_cast<WPARAM>(kGruppeAlle)) return;
  ws->RaekkeGruppeMaske = gruppe == static_cast<WPARAM>(kGruppeAlle) ? kAlleGrupper : 1u << gruppe;
  SaetRelGruppeValg(ws->RaekkeBogstav, ws->RaekkeGruppeMaske);
  OpdaterRelVindue(ws, true, REL_TEGN_ALT);
}

void VaelgLayout(RelWS *ws, uint32_t nr) {
  Ens &e = ws->Matrix;
  HWND *knap = e.hwndSwitchButtons;
  if (knap && ws->RaekkeSwitch < ws->AntalSwitch && knap[ws->RaekkeSwitch])
    SendMessageA(knap[ws->RaekkeSwitch], NYB_LAAS_OP, 0, 0);
  if (knap && nr < ws->AntalSwitch && knap[nr]) SendMessageA(knap[nr], NYB_LAAS_NED, 0, 0);
  ws->RaekkeSwitch = ws->KolSwitch = static_cast<uint8_t>(nr);
  ObjSwitchVaelg(kRelRaekkeArt, ws->RaekkeBogstav, nr);
  ObjSwitchVaelg(kRelKolArt, ws->KolBogstav, nr);
  e.RaekkeHovedBredde = ObjSwitchBredde(kRelRaekkeArt, ws->RaekkeBogstav, nr);
  e.KolHovedHoejde = RelKolHovedHoejde(ws);
  Tilpas(ws);
  if (Ws(ws->hwnd) == ws) OpdaterRelVindue(ws, false, REL_TEGN_ALT);
}

void Knap(HWND h, RelWS *ws, WPARAM id, LPARAM vaerdi) {
  if (id >= ENS_SKIFT_ID && id < static_cast<WPARAM>(ENS_SKIFT_ID) + ws->AntalSwitch &&
      (vaerdi == 0 || static_cast<WPARAM>(vaerdi) == id)) {
    // The switch number as the byte wParam + 56 makes of it.
    VaelgLayout(ws, static_cast<uint8_t>(id + 56));
    return;
  }
  switch (vaerdi ? static_cast<WPARAM>(vaerdi) : id) {
    case NYB_LUK:
      DestroyWindow(h);
      return;
    case NYB_MAKSIMER:
      EnsMaximize(h, &ws->Matrix);
      return;
    case NYB_MINIMER:
      EnsMinimize(h, &ws->Matrix);
      return;
  }
}

void Opret(HWND h, RelWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->Matrix;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", ws->Art->Titel);

  const uint8_t rb = ws->RaekkeBogstav;
  ws->RaekkeSwitch = static_cast<uint8_t>(ObjSwitchValgt(kRelRaekkeArt, rb));
  ws->KolSwitch = ws->RaekkeSwitch;
  ws->AntalSwitch = static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchAntal(kRelRaekkeArt, rb), UINT8_MAX));
  ws->CelleSwitch = static_cast<uint8_t>(ObjSwitchValgt(kRelCelleArt, ws->RelBogstav));
  e.RaekkeHovedBredde = ObjSwitchBredde(kRelRaekkeArt, rb, ws->RaekkeSwitch);
  e.KolHovedHoejde = RelKolHovedHoejde(ws);
  e.SkiftBredde = static_cast<uint32_t>(ws->AntalSwitch * GetSystemMetrics(SM_CXVSCROLL));
  e.hdc = GetDC(h);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyFrame() + GetSystemMetrics(SM_CYCAPTION) + kToolbarHoejde;
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  e.StyrX = &ws->PosX;
  e.StyrY = &ws->PosY;
  EnsCalcLayout(&e);

  e.hwndSwitchButtons = static_cast<HWND *>(std::calloc(ws->AntalSwitch + 1u, sizeof(HWND)));
  const bool gruppeKnap = GruppeArtIndeks(static_cast<char>(rb)) >= 0;
  const uint32_t infoBredde = ObjSwitchBredde(kRelInfoArt, rb, kRelInfoSwitch) + 3 * kTegnBredde +
                              ObjSwitchBredde(kRelInfoArt, ws->KolBogstav, kRelInfoSwitch);
  const uint32_t toolbar[7] = {rb, 0, ws->RaekkeGruppeMaske, 0, gruppeKnap ? 1u : 0u, 0, infoBredde};
  EnsCreateChildren(&e, h, ws->AntalSwitch, toolbar, TxtFont, true, true, nullptr);

  // The captions and the info line are written in the grid font; the
  // column captions run downward.
  ws->KolSkrift = CreateFontA(11, 8, 2700, 2700, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, FIXED_PITCH, "Tvo11x8Txt");
  if (e.hwndKolHoved && ws->KolSkrift) SelectDCPalette(e.hwndKolHoved, &e.dc[ENSDC_KOLHOVED], ws->KolSkrift);
  if (TxtFont) {
    if (e.hwndRaekkeHoved) SelectDCPalette(e.hwndRaekkeHoved, &e.dc[ENSDC_RAEKKEHOVED], TxtFont);
    if (HWND rude = InfoRude(ws)) SelectDCPalette(rude, &e.dc[ENSDC_TOOLBAR], TxtFont);
  }
  if (e.hwndSwitchButtons && ws->RaekkeSwitch < ws->AntalSwitch && e.hwndSwitchButtons[ws->RaekkeSwitch])
    SendMessageA(e.hwndSwitchButtons[ws->RaekkeSwitch], NYB_LAAS_NED, 0, 0);
  VinduesListeTilfoej(h);
  // A new window is the active one when the desktop allows it.
  if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
    SaetAktiv(ws, 1);
    e.CaptionAktiv = 1;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  }
}

void FrigivWS(RelWS *ws) {
  std::free(ws->Kol.ObjTab);
  std::free(ws->Raekke.ObjTab);
  std::free(ws->Matrix.hwndSwitchButtons);
  std::free(ws);
}

void Nedlaeg(HWND h, RelWS *ws) {
  if (ws->Matrix.Aktiv) SkjulTooltip();
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  if (ws->KolSkrift) {
    if (HDC dc = ws->Matrix.dc[ENSDC_KOLHOVED].hdc) SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(ws->KolSkrift);
  }
  FrigivWS(ws);
}

void Tast(HWND h, RelWS *ws, const TastInfo &t) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return;
  if (!BlivAktiv(h, ws)) return;
  if (t.message == WM_KEYDOWN && EnsTypeAhead(&ws->Raekke, &ws->PosY, t.wParam)) {
    OpdaterRelVindue(ws, false, REL_TEGN_RAEKKE);
    return;
  }
  RelTast(ws, t, KMD_UDFOER);
}

bool ErPil(uint32_t tast) { return tast == VK_LEFT || tast == VK_RIGHT || tast == VK_UP || tast == VK_DOWN; }

}  // namespace

// ==================================================================== geometry

void InitRelAkser(GridAkse *a, GridAkse *b) { *a = *b = GridAkse{2, 11, 1, 2, 1}; }

int RelVinduesBredde(const Ens *kol, uint32_t raekkeHovedBredde, uint32_t plads) {
  const int64_t fast = 2 * int64_t{CxFrame()} + GetSystemMetrics(SM_CXVSCROLL);
  const int64_t oenske = int64_t{raekkeHovedBredde} + int64_t{kRelCelle} * kol->ObjTabAntal + kBreddeTillaeg + fast;
  return Begraens(oenske, plads, int64_t{raekkeHovedBredde} + kRelMindsteBreddeTillaeg);
}

int RelVinduesHoejde(const Ens *raekke, uint32_t kolHovedHoejde, uint32_t plads) {
  const int64_t fast = 2 * int64_t{CyFrame()} + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYHSCROLL);
  const int64_t oenske = int64_t{kolHovedHoejde} + int64_t{kRelCelle} * raekke->ObjTabAntal + kHoejdeTillaeg + fast;
  return Begraens(oenske, plads, kRelMindsteHoejde);
}

uint32_t RelKolHovedHoejde(const RelWS *ws) {
  const uint32_t h = ObjSwitchBredde(kRelKolArt, ws->KolBogstav, ws->KolSwitch);
  return h ? h : ObjSwitchBredde(kRelKolArt, ws->KolBogstav, 0);
}

// ==================================================================== lists

void HentRelUgeInterval(Uge *foerste, Uge *sidste) {
  const Uge uge = IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);
  *foerste = *sidste = uge;
  const HWND plan = FindVindueType(kPlanVindueType);
  if (!plan || !RelMatrixKrog.RelPlanGruppe) return;
  const void *tilstand = reinterpret_cast<const void *>(SendMessageA(plan, REL_PLAN_TILSTAND, 0, 0));
  if (!tilstand) return;
  const auto *g = reinterpret_cast<const FfpgRec *>(Post(&tdffpg, &tvffpg, RelMatrixKrog.RelPlanGruppe(tilstand)));
  if (!g) return;
  Uge fra = 0, til = 0;
  DatoTilUge(g->Fradato, &fra, nullptr);
  DatoTilUge(g->Tildato, &til, nullptr);
  if (fra && til) {
    *foerste = fra;
    *sidste = til;
  }
}

namespace {

void ByggListe(Ens *hoved, uint32_t maske, uint32_t sorteringsArt, const char *modul, bool kunHold) {
  std::free(hoved->ObjTab);
  hoved->ObjTab = nullptr;
  hoved->ObjTabAntal = 0;
  const TabDesc *pTd = hoved->pTd;
  const TabVar *pTv = hoved->pTv;
  uint32_t antal = 0;
  uint32_t *tab = nullptr;
  if (pTd && pTv && pTv->pbTab && pTv->wRecCnt > 1) {
    Uge fra = 0, til = 0;
    HentRelUgeInterval(&fra, &til);
    const uint8_t fs = pTd->PeriodeFelter[PF_STARTUGE], fe = pTd->PeriodeFelter[PF_SLUTUGE],
                  fg = pTd->PeriodeFelter[PF_GRUPPE];
    const int type = kunHold ? FeltMedNavn(pTd, "Type") : -1;
    const uint32_t statusOff = pTd->FeltTab[pTd->StatusFelt].Offset;
    auto medtag = [&](uint32_t n) {
      const uint8_t *rec = pTv->pbTab + static_cast<size_t>(n) * pTd->RecSize;
      const uint8_t st = rec[statusOff];
      if (st < 10 || st > 29) return false;
      if (fs && FeltU32(pTd, rec, fs) > til) return false;
      if (fe && FeltU32(pTd, rec, fe) < fra) return false;
      if (fg) {
        const uint32_t g = FeltU32(pTd, rec, fg);
        if (g != 0 && (g & maske) == 0) return false;
      }
      if (kunHold) {
        if (type < 0) return false;
        const FeltDef &f = pTd->FeltTab[type];
        const char *t = reinterpret_cast<const char *>(rec + f.Offset);
        if (strnlen(t, f.Size) != 4 || std::memcmp(t, "HOLD", 4) != 0) return false;
      }
      return true;
    };
    for (uint32_t n = 1; n < pTv->wRecCnt; ++n) antal += medtag(n);
    tab = static_cast<uint32_t *>(std::calloc(antal + 1, sizeof(uint32_t)));
    if (!tab) tavo::AssertFailed("Ens->ObjTab != NULL", modul, __LINE__);
    uint32_t i = 0;
    for (uint32_t n = 1; n < pTv->wRecCnt && i < antal; ++n)
      if (medtag(n)) tab[++i] = n;
  } else {
    tab = static_cast<uint32_t *>(std::calloc(1, sizeof(uint32_t)));
    if (!tab) tavo::AssertFailed("Ens->ObjTab != NULL", modul, __LINE__);
  }
  hoved->ObjTab = tab;
  hoved->ObjTabAntal = antal;
  SorterRelListe(hoved, sorteringsArt);
}

}  // namespace

void SorterRelListe(Ens *hoved, uint32_t sorteringsArt) {
  const TabDesc *pTd = hoved->pTd;
  const uint32_t antal = hoved->ObjTabAntal;
  if (!pTd || !hoved->ObjTab || antal < 2) return;
  const SwitchLayout *l = ObjSwitchLayout(sorteringsArt, pTd->TypeBogstav, 0);
  const uint32_t felter[2] = {l ? l->SortFelt : 0, 1};
  SorterPaaFelter(static_cast<char>(pTd->TypeBogstav), hoved->ObjTab, antal, pTd, hoved->pTv, nullptr, 0, 1, felter, 2);
}

void ByggRelObjListe(Ens *hoved, uint32_t maske, uint32_t sorteringsArt, const char *modul) {
  ByggListe(hoved, maske, sorteringsArt, modul, false);
}

void ByggHoldListe(Ens *hoved, uint32_t maske, uint32_t sorteringsArt, const char *modul) {
  ByggListe(hoved, maske, sorteringsArt, modul, true);
}

void ByggRelKolonner(RelWS *ws) {
  ByggRelObjListe(&ws->Kol, RelGruppeValg(ws->KolBogstav), kRelKolArt, ws->Art->Modul);
}

void ByggAktiLokaLister(RelWS *ws) {
  if (ws->Art->ByggLister) {
    ws->Art->ByggLister(ws);
    return;
  }
  ws->Art->ByggRaekker(ws);
  ws->Art->ByggKolonner(ws);
  ws->PosX.Antal = ws->Kol.ObjTabAntal;
  ws->PosY.Antal = ws->Raekke.ObjTabAntal;
  const bool fyldt = ws->PosX.Antal && ws->PosY.Antal;
  ws->PosX.Aktuel = ws->PosY.Aktuel = fyldt ? 1 : 0;
}

uint32_t RelGruppeValg(uint8_t bogstav) {
  const int i = GruppeArtIndeks(static_cast<char>(bogstav));
  return i >= 0 ? HuskGruppe[i] : kAlleGrupper;
}

void SaetRelGruppeValg(uint8_t bogstav, uint32_t maske) {
  const int i = GruppeArtIndeks(static_cast<char>(bogstav));
  if (i >= 0) HuskGruppe[i] = maske;
}

// ==================================================================== cells

uint32_t FindRelPar(RelWS *ws, uint32_t raekkeRec, uint32_t kolRec) {
  const TabDesc *pTd = ws->Matrix.pTd;
  TabVar *pTv = ws->Matrix.pTv;
  if (!pTd || !pTv || !pTv->pbTab) return 0;
  const uint32_t noegle[2] = {raekkeRec, kolRec};
  return FindRec(pTd, pTv, noegle, KLASSE_AKTUEL);
}

uint32_t FindRelParBegge(RelWS *ws, uint32_t raekkeRec, uint32_t kolRec) {
  const TabDesc *pTd = ws->Matrix.pTd;
  TabVar *pTv = ws->Matrix.pTv;
  if (!pTd || !pTv || !pTv->pbTab) return 0;
  return FindParRec(pTd, pTv, raekkeRec, kolRec);
}

uint32_t AlrelCelleTekst(void *arg, const SwitchFelt *sf, uint32_t, char *tekst, uint8_t *, uint8_t *) {
  std::memset(tekst, ' ', kSwitchMaksTegn);
  tekst[kSwitchMaksTegn] = '\0';
  const auto *c = static_cast<const RelCelle *>(arg);
  if (!c || !sf || sf->FeltNr >= FOERSTE_BEREGNET_FELT) return 0;
  const TabDesc *pTd = c->ws->Matrix.pTd;
  const uint8_t *rec = Post(pTd, c->ws->Matrix.pTv, c->rec);
  if (!rec || sf->FeltNr >= pTd->AntalFelter) return 0;
  const FeltDef &f = pTd->FeltTab[sf->FeltNr];
  const uint64_t str = uint64_t{f.Size} * (f.Antal ? f.Antal : 1);
  if (f.Offset + str > pTd->RecSize || sf->DelOffset >= str) return 0;
  SwitchFeltTekst(&f, sf, rec + f.Offset + sf->DelOffset, static_cast<uint32_t>(str - sf->DelOffset), tekst);
  return 0;
}

uint8_t RelCelleFarve(const RelWS *ws, uint32_t kol, uint32_t raekke) {
  const uint32_t ak = ws->PosX.Aktuel, ar = ws->PosY.Aktuel;
  if (kol == ak && raekke == ar) return Markoer(ws);
  if ((kol == ak && raekke < ar) || (raekke == ar && kol < ak)) return 5;
  return 0;
}

bool SkiftRelation(RelWS *ws, int mode, const char *flagNoegle) {
  const uint32_t c = ws->PosX.Aktuel, r = ws->PosY.Aktuel;
  const TabDesc *pTd = ws->Matrix.pTd;
  TabVar *pTv = ws->Matrix.pTv;
  if (!pTd || !pTv || c == 0 || r == 0 || c > ws->Kol.ObjTabAntal || r > ws->Raekke.ObjTabAntal) return false;
  const uint32_t kolRec = ws->Kol.ObjTab[c], raekkeRec = ws->Raekke.ObjTab[r];
  const uint32_t rel = ws->Art->FindRelation(ws, raekkeRec, kolRec);
  if (mode != KMD_UDFOER) return true;
  if (rel) {
    DelRec(pTd, pTv, rel);
  } else {
    const uint32_t a = PostId(ws->Raekke.pTd, ws->Raekke.pTv, raekkeRec);
    const uint32_t b = PostId(ws->Kol.pTd, ws->Kol.pTv, kolRec);
    if (a == 0 || b == 0) return false;
    char linje[32];
    std::snprintf(linje, sizeof linje, "%ld;%ld", static_cast<long>(a), static_cast<long>(b));
    if (AddRecordFromLine(pTd, pTv, linje, 'L') == 0) return false;
  }
  SortTab(pTd, pTv);
  TegnCelle(ws, c, r);
  if (flagNoegle && !GlobalIndstillinger.skemalaast)
    WritePrivateProfileStringA("flag", flagNoegle, "1", StiTab.szini);
  return true;
}

// ==================================================================== painting

void OpdaterRelVindue(RelWS *ws, bool resize, uint32_t flag) {
  Ens &e = ws->Matrix;
  if (resize) {
    ByggAktiLokaLister(ws);
    Tilpas(ws);
    if (ws->hwnd && Ws(ws->hwnd) != ws) return;
  }
  if (!flag) return;
  const int B = e.RudeB[ENS_CELLER], H = e.RudeH[ENS_CELLER];
  if (B > 0) {
    uint32_t off = e.ScrollX;
    if (GridScrollTilAktuel(&ws->PosX, &off, static_cast<uint32_t>(B), &e.AkseX)) flag |= REL_TEGN_SCROLL_X;
    e.ScrollX = off;
  }
  if (H > 0) {
    uint32_t off = e.ScrollY;
    if (GridScrollTilAktuel(&ws->PosY, &off, static_cast<uint32_t>(H), &e.AkseY)) flag |= REL_TEGN_SCROLL_Y;
    e.ScrollY = off;
  }
  if (e.hwndHScroll)
    SetScrollCtl(e.hwndHScroll, B, static_cast<int>(SidstePixel(&e.AkseX, ws->PosX.Antal)), static_cast<int>(e.ScrollX));
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, H, static_cast<int>(SidstePixel(&e.AkseY, ws->PosY.Antal)), static_cast<int>(e.ScrollY));
  TegnRelVindue(ws, flag);
}

void TegnRelCelle(RelWS *ws, uint32_t c, uint32_t r) { TegnCelle(ws, c, r); }

void TegnRelVindue(RelWS *ws, uint32_t flag) {
  if (!flag) return;
  if (ws->Art->TegnFlag) flag = ws->Art->TegnFlag(ws, flag);
  TegnInfo(ws);
  if (flag & (REL_TEGN_ALT | REL_TEGN_SCROLL_X)) {
    TegnKolHoveder(ws);
  } else if (flag & REL_TEGN_KOLONNE) {
    TegnKolHoved(ws, ws->ForrigeKol);
    TegnKolHoved(ws, ws->PosX.Aktuel);
  }
  if (flag & (REL_TEGN_ALT | REL_TEGN_SCROLL_Y)) {
    TegnRaekkeHoveder(ws);
  } else if (flag & REL_TEGN_RAEKKE) {
    TegnRaekkeHoved(ws, ws->ForrigeRaekke);
    TegnRaekkeHoved(ws, ws->PosY.Aktuel);
  }
  if (flag & (REL_TEGN_ALT | REL_TEGN_SCROLL_X | REL_TEGN_SCROLL_Y))
    TegnCeller(ws);
  else if (flag & (REL_TEGN_KOLONNE | REL_TEGN_RAEKKE))
    TegnFlyttet(ws, flag);
  ws->ForrigeKol = ws->PosX.Aktuel;
  ws->ForrigeRaekke = ws->PosY.Aktuel;
  if (!ws->Matrix.Aktiv || ws->Deaktiveret) return;
  const uint32_t ak = ws->PosX.Aktuel, ar = ws->PosY.Aktuel;
  if (ak && ak <= ws->Kol.ObjTabAntal && ws->Kol.pTv) ws->Kol.pTv->AktuelRec = ws->Kol.ObjTab[ak];
  if (ar && ar <= ws->Raekke.ObjTabAntal && ws->Raekke.pTv) ws->Raekke.pTv->AktuelRec = ws->Raekke.ObjTab[ar];
  VisKolTooltip(ws);
}

// ==================================================================== keys

bool RelUgeSkift(RelWS *ws, int retning, int mode) {
  SkemaPeriodeData &p = SkemaPeriode;
  const uint32_t antal = AntalUger(p.FoersteUge, p.SidsteUge);
  if (antal == 0) return false;
  const uint32_t i = std::clamp<uint32_t>(p.AktuelUgeIndeks, 1, antal);
  const uint32_t ny = retning < 0 ? (i > 1 ? i - 1 : i) : (i < antal ? i + 1 : i);
  if (ny == i) return false;
  if (mode != KMD_UDFOER) return true;
  p.AktuelUgeIndeks = ny;
  const HWND h = ws->hwnd;
  OpdaterRelVindue(ws, true, REL_TEGN_ALT);
  SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, h);
  if (hDatoVindue && IsWindow(hDatoVindue))
    SendMessageA(hDatoVindue, STATUS_DATO_SAET, 0, static_cast<LPARAM>(KalAktuelDato()));
  return true;
}

bool RelTast(RelWS *ws, const TastInfo &t, int mode) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return false;
  const bool udfoer = mode == KMD_UDFOER;
  const HWND h = ws->hwnd;
  Ens &e = ws->Matrix;
  const uint32_t tast = t.wParam;
  if (ErPil(tast)) {
    // An empty matrix has no cursor to move.
    if (ws->PosX.Antal == 0 || ws->PosY.Antal == 0) return false;
    const bool kolonne = tast == VK_LEFT || tast == VK_RIGHT;
    const bool flyttet = GridTastFlytTrin(kolonne ? &ws->PosX : &ws->PosY, tast, t.ctrl ? -1 : 0, t.alt ? -1 : 0,
                                          false, udfoer ? 0 : 1);
    if (flyttet && udfoer) OpdaterRelVindue(ws, false, kolonne ? REL_TEGN_KOLONNE : REL_TEGN_RAEKKE);
    return flyttet;
  }
  if (t.message == WM_SYSKEYDOWN) return false;
  switch (tast) {
    case VK_ESCAPE:
      if (udfoer) DestroyWindow(h);
      return true;
    case VK_SPACE: {
      const bool skiftet = ws->Art->Skift(ws, mode);
      if (skiftet && udfoer && Ws(h) == ws) OpdaterRelVindue(ws, false, REL_TEGN_SCROLL_X);
      return skiftet;
    }
    case VK_PRIOR:
    case VK_NEXT:
      return RelUgeSkift(ws, tast == VK_PRIOR ? -1 : 1, mode);
    case VK_APPS:
      return KmdHoejreklik(h, 0, 0, mode);
    case VK_F4:
      return KmdLukVindue(h, 0, 0, true, mode);
    case 'A':
      if (!udfoer) return e.hwndToolbar != 0;
      return e.hwndToolbar && GridCifferIndtast(e.hwndToolbar, tast, false, true, 0, nullptr, 0, mode);
  }
  if (tast >= '0' && tast <= '9') return GridCifferIndtast(h, tast, e.Aktiv, false, ws->AntalSwitch, nullptr, 0, mode);
  return ws->Art->EgenTast && ws->Art->EgenTast(ws, t, mode);
}

// ==================================================================== window

HWND CreateRelVindue(const RelArt *art, HWND desktop, int venstre, int top, int hoejre, int bund) {
  auto *ws = static_cast<RelWS *>(std::calloc(1, sizeof(RelWS)));
  if (!ws) return 0;
  ws->Art = art;
  ws->RelBogstav = art->RelBogstav;
  ws->KolBogstav = art->KolBogstav;
  ws->RaekkeBogstav = art->RaekkeBogstav;
  struct {
    Ens *hoved;
    uint8_t bogstav;
  } hoveder[3] = {{&ws->Matrix, ws->RelBogstav}, {&ws->Kol, ws->KolBogstav}, {&ws->Raekke, ws->RaekkeBogstav}};
  for (auto &h : hoveder) {
    // Ens is packed: the table is found into locals and copied in.
    const TabDesc *pTd = nullptr;
    TabVar *pTv = nullptr;
    if (TabFromType(h.bogstav, &pTd, &pTv) == 0) {
      h.hoved->pTd = pTd;
      h.hoved->pTv = pTv;
    }
    InitRelAkser(&h.hoved->AkseX, &h.hoved->AkseY);
    h.hoved->hInstance = hInst;
  }
  ws->RaekkeGruppeMaske = RelGruppeValg(ws->RaekkeBogstav);
  ByggAktiLokaLister(ws);
  ws->KolSwitch = static_cast<uint8_t>(ObjSwitchValgt(kRelKolArt, ws->KolBogstav));
  ws->RaekkeSwitch = static_cast<uint8_t>(ObjSwitchValgt(kRelRaekkeArt, ws->RaekkeBogstav));
  const int b = RelVinduesBredde(&ws->Kol, ObjSwitchBredde(kRelRaekkeArt, ws->RaekkeBogstav, ws->RaekkeSwitch),
                                 static_cast<uint32_t>(std::max(hoejre - venstre, 0)));
  const int h = RelVinduesHoejde(&ws->Raekke, RelKolHovedHoejde(ws), static_cast<uint32_t>(std::max(bund - top, 0)));
  HWND hwnd = CreateWindowExA(0, art->Klasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top, b, h,
                              desktop, static_cast<HMENU>(art->VindueType), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) FrigivWS(ws);
    return 0;
  }
  return hwnd;
}

RelWS *RelVinduesWS(HWND hwnd) { return Ws(hwnd); }

LRESULT RelVindueProc(const RelArt *art, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<RelWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws || ws->Art != art) return -1;
    Opret(h, ws);
    return 0;
  }
  RelWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ws->Matrix;
  switch (msg) {
    case WM_DESTROY:
      Nedlaeg(h, ws);
      return 0;
    case WM_SETFOCUS:
      // The main window takes the keys and hands the window its own.
      if (hwndHoved && hwndHoved != h && IsWindow(hwndHoved)) SetFocus(hwndHoved);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      EnsPaintFrame(&e);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), ws->AntalSwitch);
        EnsPaintFrame(&e);
        TegnRelVindue(ws, REL_TEGN_ALT);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (const int flag = EnsOnScroll(&e, msg, wParam)) TegnRelVindue(ws, static_cast<uint32_t>(flag));
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      if (static_cast<HWND>(lParam) == e.hwndKolHoved)
        TegnKolHoveder(ws);
      else
        TegnHjoerne(ws, static_cast<HWND>(lParam));
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnRaekkeHoveder(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnCeller(ws);
      return 0;
    case TB_RUDE_TEGN:
      TegnInfo(ws);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(h, ws, msg, lParam);
      return 0;
    case ENS_CELLER_DBL:
      // The Space key's road: the main window hands it to the active window.
      if (hwndHoved && hwndHoved != h && IsWindow(hwndHoved)) SendMessageA(hwndHoved, WM_KEYDOWN, VK_SPACE, 0);
      return 0;
    case WM_RBUTTONDOWN:
      Hoejreklik(h, ws);
      return 0;
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &e, lParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_ENTERSIZEMOVE:
      SkjulTooltip();
      break;
    case WM_EXITSIZEMOVE:
      EnsPaintFrame(&e);
      TegnRelVindue(ws, REL_TEGN_ALT);
      break;
    case WM_SIZING:
      BegraensSizing(h, static_cast<UINT>(wParam), reinterpret_cast<RECT *>(lParam),
                     static_cast<int>(e.RaekkeHovedBredde) + kRelSizingBreddeTillaeg, FuldBredde(ws, h),
                     kRelMindsteHoejde, FuldHoejde(ws, h));
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto *mm = reinterpret_cast<MINMAXINFO *>(lParam);
      mm->ptMaxTrackSize.x = FuldBredde(ws, h);
      mm->ptMaxTrackSize.y = FuldHoejde(ws, h);
      return 0;
    }
    case WM_ENABLE:
      ws->Deaktiveret = wParam ? 0 : 1;
      return 0;
    case ENS_BREDDE:
      return RelVinduesBredde(&ws->Kol, e.RaekkeHovedBredde, static_cast<uint32_t>(wParam));
    case ENS_HOEJDE:
      return RelVinduesHoejde(&ws->Raekke, e.KolHovedHoejde, static_cast<uint32_t>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_ART:
      return art->VindueType;
    case HJAELP_EMNE:
      return kHjaelpEmne;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ws, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      SaetAktiv(ws, 0);
      e.CaptionAktiv = 0;
      SkjulTooltip();
      EnsPaintFrame(&e);
      TegnRelVindue(ws, REL_TEGN_ALT);
      return 0;
    case VINDUE_TEGN_MED: {
      const uint8_t aktiv = e.Aktiv;
      SaetAktiv(ws, wParam ? 1 : 0);
      EnsPaintFrame(&e);
      TegnRelVindue(ws, REL_TEGN_ALT);
      SaetAktiv(ws, aktiv);
      return 0;
    }
    case VINDUE_SAET_AKTIV:
      SaetAktiv(ws, 1);
      e.CaptionAktiv = 1;
      return 0;
    case AKTUEL_AENDRET:
      FoelgAktuel(ws, wParam);
      return 0;
    case GRUPPE_VALGT:
      VaelgGruppe(ws, wParam);
      return 0;
    case NYB_KLIK:
      Knap(h, ws, wParam, lParam);
      return 0;
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && RelTast(ws, *t, 1) ? 1 : 0;
    }
    case WM_SYSKEYDOWN:
      if (!ErPil(static_cast<uint32_t>(wParam))) break;
      [[fallthrough]];
    case WM_KEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      Tast(h, ws, t);
      return 0;
    }
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerRelKlasse(HINSTANCE inst, const char *klasse, WNDPROC proc) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = klasse;
  return RegisterClassA(&wc) != 0;
}
