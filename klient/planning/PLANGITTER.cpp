// Grid layout, pixel scrolling over columns of unequal widths, and the
// drawing of field lines for the planning module's windows.
#include "PLANGITTER.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "FARVER.h"
#include "FF_PlanUtil.h"
#include "GRIDAKSE.h"
#include "SWITCHTEGN.h"

namespace {

const PlanStyr *Akse(const Plan *plan, uint32_t omraade) {
  switch (omraade) {
    case PLAN_OMR_VENSTRE: return &plan->StyrLX;
    case PLAN_OMR_UGER: return &plan->StyrX;
    case PLAN_OMR_HOEJRE: return &plan->StyrRX;
    default: return nullptr;
  }
}

uint32_t Antal(const Plan *plan, uint32_t omraade) {
  const PlanStyr *s = Akse(plan, omraade);
  return s && s->ObjTab ? s->Pos.Antal : 0;
}

int64_t Side(const Plan *plan) { return plan->Ens.RudeB[ENS_CELLER] > 0 ? plan->Ens.RudeB[ENS_CELLER] : 0; }

uint32_t Slut(const Plan *plan, uint32_t n) {
  return KolonneStart(plan, n, PLAN_OMR_UGER) + KolonneBreddeIOmraade(plan, n, PLAN_OMR_UGER);
}

// The cell pane's height; Ens is packed, so its fields are read by value.
uint32_t SynligHoejde(const Ens &e) {
  const int h = e.RudeH[ENS_CELLER];
  return h > 0 ? static_cast<uint32_t>(h) : 0;
}

uint32_t TilOffset(int64_t v) { return v < 0 ? 0 : static_cast<uint32_t>(v); }

void SaetFoersteKolonne(Plan *plan) {
  const uint32_t o = plan->Ens.ScrollX;
  plan->StyrX.Pos.Foerste = std::min(KolonneVedTegn(plan, o, PLAN_OMR_UGER), plan->StyrX.Pos.Antal);
  plan->StyrX.Pos.Synlige = SynligeKolonner(plan, o, static_cast<uint32_t>(Side(plan)));
}

uint32_t SynligeRaekker(const GridAkse *akse, uint32_t offset, int extent, uint32_t antal) {
  if (extent <= 0 || !akse->CelleBredde || !akse->CellerPrGruppe) return 0;
  const uint32_t n = GridPixelTilCelle(akse, offset + static_cast<uint32_t>(extent) - 1) + 1 -
                     GridPixelTilCelle(akse, offset);
  return std::min(n, antal);
}

uint32_t RaekkeHoejdeIalt(const Ens *e) {
  if (!e->StyrY || !e->AkseY.CelleBredde || !e->AkseY.CellerPrGruppe || e->StyrY->Antal == 0) return 0;
  return GridCelleSlut(&e->AkseY, e->StyrY->Antal) + 1;
}

void Skjul(HWND h) {
  if (h) MoveWindow(h, 0, 0, 0, 0, TRUE);
}

}  // namespace

void PlanLayout(Ens *e, HWND, int bredde, int hoejde, uint8_t antalSkift) {
  const int cxRamme = GetSystemMetrics(SM_CXFRAME), cyRamme = GetSystemMetrics(SM_CYFRAME);
  e->Areal[2] = bredde - 1 - (e->EgenRamme ? cxRamme : 0);
  e->Areal[3] = hoejde - 1 - (e->EgenRamme ? cyRamme : 0);
  EnsCalcLayout(e);
  if (e->EgenRamme) {
    const int y = (GetSystemMetrics(SM_CYCAPTION) - 14) / 2 + cyRamme;
    if (e->hwndLuk) MoveWindow(e->hwndLuk, e->Areal[2] - 18, y, 16, 14, TRUE);
    if (e->hwndMaks) MoveWindow(e->hwndMaks, e->Areal[2] - 36, y, 16, 14, TRUE);
    if (e->hwndMin) MoveWindow(e->hwndMin, e->Areal[2] - 52, y, 16, 14, TRUE);
  }
  if (e->RudeB[ENS_CELLER] == 0 && e->RudeH[ENS_CELLER] == 0) {
    for (HWND h : {e->hwndRaekkeHoved, e->hwndKolHoved, e->hwndCeller, e->hwndHoejre, e->hwndHScroll,
                   e->hwndVScroll, e->hwndToolbar, e->hwndHjoerneV, e->hwndHjoerneH, e->hwndFodV, e->hwndFodH})
      Skjul(h);
    for (int i = 0; i < antalSkift && e->hwndSwitchButtons; ++i) Skjul(e->hwndSwitchButtons[i]);
    return;
  }
  // Rows: as many as fit; the axis scrolls back when they would run past
  // the last row.
  if (GridPos *pos = e->StyrY; pos && e->AkseY.CelleBredde && e->AkseY.CellerPrGruppe) {
    const int extent = e->RudeH[ENS_CELLER];
    uint32_t off = e->ScrollY;
    const uint32_t foerste = std::max(GridPixelTilCelle(&e->AkseY, off), 1u);
    if (foerste - 1 + SynligeRaekker(&e->AkseY, off, extent, UINT32_MAX) > pos->Antal && off > 0) {
      // The last row goes to the bottom (as far as the first row allows),
      // then the cursor row is kept in view.
      const uint32_t passer = std::max(SynligeRaekker(&e->AkseY, 0, extent, UINT32_MAX), 1u) - 1;
      const uint32_t ny = pos->Antal > passer ? pos->Antal - passer + 1 : 1;
      off = ny > 1 ? GridCelleStart(&e->AkseY, ny) : 0;
      GridScrollTilAktuel(pos, &off, static_cast<uint32_t>(std::max(extent, 0)), &e->AkseY);
      e->ScrollY = off;
    }
    pos->Foerste = std::max(GridPixelTilCelle(&e->AkseY, e->ScrollY), 1u);
    pos->Synlige = SynligeRaekker(&e->AkseY, e->ScrollY, extent, pos->Antal);
  }
  const struct {
    HWND h;
    int i;
  } ruder[] = {{e->hwndRaekkeHoved, ENS_RAEKKEHOVED}, {e->hwndKolHoved, ENS_KOLHOVED}, {e->hwndCeller, ENS_CELLER},
               {e->hwndHoejre, ENS_HOEJRE}};
  for (const auto &r : ruder)
    if (r.h && e->RudeB[r.i] && e->RudeH[r.i])
      MoveWindow(r.h, e->RudeX[r.i], e->RudeY[r.i], e->RudeB[r.i], e->RudeH[r.i], FALSE);
  if (e->hwndHScroll) MoveWindow(e->hwndHScroll, e->RudeX[4], e->RudeY[4], e->RudeB[4], e->RudeH[4], TRUE);
  if (e->hwndVScroll) {
    MoveWindow(e->hwndVScroll, e->RudeX[5], e->RudeY[5], e->RudeB[5], e->RudeH[5], TRUE);
    SetScrollCtl(e->hwndVScroll, e->RudeH[ENS_CELLER], static_cast<int>(RaekkeHoejdeIalt(e)),
                 static_cast<int>(e->ScrollY));
  }
  if (e->hwndToolbar) {
    if (e->EgenRamme)
      MoveWindow(e->hwndToolbar, cxRamme, GetSystemMetrics(SM_CYCAPTION) + cyRamme, e->Areal[2] - cxRamme + 1, 22,
                 TRUE);
    else
      MoveWindow(e->hwndToolbar, 0, 0, bredde, 22, TRUE);
  }
  const int knapB = GetSystemMetrics(SM_CXVSCROLL), knapH = GetSystemMetrics(SM_CYHSCROLL);
  for (int i = 0; i < antalSkift && e->hwndSwitchButtons; ++i)
    if (e->hwndSwitchButtons[i])
      MoveWindow(e->hwndSwitchButtons[i], e->Areal[0] + 2 + i * knapB, e->RudeY[4], knapB, knapH, TRUE);
  if (e->hwndHScroll) SetScrollPos(e->hwndHScroll, SB_CTL, static_cast<int>(e->ScrollX), TRUE);
  if (e->hwndVScroll) SetScrollPos(e->hwndVScroll, SB_CTL, static_cast<int>(e->ScrollY), TRUE);
  // The corners over the caption and summary panes follow their widths: a
  // view with a narrower caption area would otherwise keep the old corner
  // over the first week headers.
  for (int k = 0; k < 2; ++k) {
    const HWND h = k ? e->hwndHjoerneH : e->hwndHjoerneV;
    if (!h) continue;
    if (e->HjoerneB[k])
      MoveWindow(h, e->HjoerneX[k], e->HjoerneY[k], e->HjoerneB[k], e->HjoerneH[k], TRUE);
    else
      MoveWindow(h, 0, 0, 0, 0, TRUE);
  }
  const int fodY = e->RudeY[4] - static_cast<int>(e->FodHoejde);
  if (e->Fod && e->FodHoejde) {
    if (e->hwndFodV) MoveWindow(e->hwndFodV, e->Areal[0] + 2, fodY, e->RudeB[0], static_cast<int>(e->FodHoejde) - 1, TRUE);
    if (e->hwndFodH) MoveWindow(e->hwndFodH, e->RudeX[2], fodY, e->RudeB[2], static_cast<int>(e->FodHoejde) - 1, TRUE);
  } else {
    Skjul(e->hwndFodV);
    Skjul(e->hwndFodH);
  }
}

// ---- Column geometry.

uint32_t KolonneBreddeIOmraade(const Plan *plan, uint32_t n, uint32_t omraade) {
  const PlanStyr *s = Akse(plan, omraade);
  if (!s || !s->ObjTab || n == 0 || n > s->Pos.Antal) return 0;
  return PlanKolonneBredde(plan, s->ObjTab[n], omraade);
}

uint32_t KolonneVedTegn(const Plan *plan, uint32_t x, uint32_t omraade) {
  const uint32_t antal = Antal(plan, omraade);
  if (antal == 0) return 0;
  uint64_t start = 0;
  for (uint32_t n = 1; n <= antal; ++n) {
    const uint64_t b = KolonneBreddeIOmraade(plan, n, omraade);
    if (start + b > x) return n;
    start += b + 1;
  }
  return antal + 1;
}

uint32_t KolonneStart(const Plan *plan, uint32_t n, uint32_t omraade) {
  uint32_t start = 0;
  for (uint32_t k = 1; k < n && k <= Antal(plan, omraade); ++k) start += KolonneBreddeIOmraade(plan, k, omraade) + 1;
  return start;
}

uint32_t KolonnerBredde(const Plan *plan, uint32_t n) {
  const uint32_t sum = KolonneStart(plan, n + 1, PLAN_OMR_UGER);
  return sum >= 2 ? sum - 2 : 0;
}

uint32_t SynligeKolonner(const Plan *plan, uint32_t foerste, uint32_t side) {
  if (side == 0) return 0;
  const uint32_t antal = Antal(plan, PLAN_OMR_UGER);
  const uint32_t a = KolonneVedTegn(plan, foerste, PLAN_OMR_UGER);
  const uint32_t b = std::min(KolonneVedTegn(plan, foerste + side - 1, PLAN_OMR_UGER), antal);
  return a == 0 || a > b ? 0 : b - a + 1;
}

// ---- Scrolling.

int PlanScroll(Plan *plan, UINT msg, WPARAM kode) {
  Ens &e = plan->Ens;
  const UINT code = LOWORD(kode);
  if (msg == WM_HSCROLL) {
    const int64_t o = e.ScrollX, p = Side(plan);
    const int64_t t = static_cast<int64_t>(KolonnerBredde(plan, plan->StyrX.Pos.Antal)) + 1;
    int64_t ny = o;
    switch (code) {
      case SB_LINELEFT: {
        const uint32_t c = KolonneVedTegn(plan, static_cast<uint32_t>(o), PLAN_OMR_UGER);
        const uint32_t s = KolonneStart(plan, c, PLAN_OMR_UGER);
        ny = (o == s && c > 1) ? KolonneStart(plan, c - 1, PLAN_OMR_UGER) : s;
        break;
      }
      case SB_LINERIGHT:
        // The separator pixel belongs to the next column, so a column that
        // already ends at the page's edge makes the next one the target.
        if (o + p < t && p > 0) ny = static_cast<int64_t>(Slut(plan, KolonneVedTegn(plan, static_cast<uint32_t>(o + p - 1), PLAN_OMR_UGER))) - p + 1;
        break;
      case SB_PAGELEFT: ny = o <= p ? 0 : o - p; break;
      case SB_PAGERIGHT: ny = o + 2 * p >= t ? t - p - 1 : o + p; break;
      case SB_THUMBPOSITION:
      case SB_THUMBTRACK: {
        // The message carries 16 bits of the position; the bar holds 32.
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        ny = e.hwndHScroll && GetScrollInfo(e.hwndHScroll, SB_CTL, &si) ? si.nTrackPos : HIWORD(kode);
        break;
      }
      default: return 0;
    }
    const uint32_t nyO = TilOffset(ny);
    if (nyO == e.ScrollX) return 0;
    e.ScrollX = nyO;
    SaetFoersteKolonne(plan);
    if (e.hwndHScroll) SetScrollPos(e.hwndHScroll, SB_CTL, static_cast<int>(nyO), TRUE);
    return 8;
  }
  if (msg != WM_VSCROLL || !e.StyrY || !e.AkseY.CelleBredde || !e.AkseY.CellerPrGruppe) return 0;
  uint32_t ny = e.ScrollY;
  if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    ny = e.hwndVScroll && GetScrollInfo(e.hwndVScroll, SB_CTL, &si) ? TilOffset(si.nTrackPos) : HIWORD(kode);
  } else {
    GridScrollPixel(&e.AkseY, RaekkeHoejdeIalt(&e), SynligHoejde(e), &ny,
                    static_cast<uint32_t>(kode));
  }
  if (ny == e.ScrollY) return 0;
  e.ScrollY = ny;
  e.StyrY->Foerste = GridPixelTilCelle(&e.AkseY, ny);
  e.StyrY->Synlige = SynligeRaekker(&e.AkseY, ny, e.RudeH[ENS_CELLER], e.StyrY->Antal);
  if (e.hwndVScroll) SetScrollPos(e.hwndVScroll, SB_CTL, static_cast<int>(ny), TRUE);
  return 16;
}

bool PlanHScrollInfo(Plan *plan) {
  Ens &e = plan->Ens;
  const int64_t p = Side(plan), gammel = e.ScrollX;
  const uint32_t antal = plan->StyrX.Pos.Antal;
  int64_t o = gammel;
  const uint32_t c = plan->StyrX.Pos.Aktuel;
  if (antal && c >= 1 && c <= antal && p > 0) {
    const int64_t start = KolonneStart(plan, c, PLAN_OMR_UGER), slut = Slut(plan, c);
    const int64_t ende = KolonnerBredde(plan, antal);
    if (start <= o)
      o = start;
    else if (slut > o + p - 1)
      o = slut - p + 1;
    if (KolonneVedTegn(plan, TilOffset(o + p - 1), PLAN_OMR_UGER) > antal) {
      if (slut > o + p - 1)
        o = slut - p + 1;
      else if (o + p - 1 <= ende)
        o = 0;
      else
        o = ende > p ? ende - p + 1 : 0;
    }
  }
  e.ScrollX = TilOffset(o);
  SaetFoersteKolonne(plan);
  if (e.hwndHScroll) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = static_cast<int>(KolonnerBredde(plan, antal));  // T - 1
    si.nPage = static_cast<UINT>(p);
    si.nPos = static_cast<int>(e.ScrollX);
    SetScrollInfo(e.hwndHScroll, SB_CTL, &si, TRUE);
  }
  return e.ScrollX != gammel;
}

bool PlanVScrollInfo(Plan *plan) {
  Ens &e = plan->Ens;
  if (!e.StyrY || !e.AkseY.CelleBredde || !e.AkseY.CellerPrGruppe) return false;
  uint32_t off = e.ScrollY;
  const bool flyttet =
      GridScrollTilAktuel(e.StyrY, &off, SynligHoejde(e), &e.AkseY);
  e.ScrollY = off;
  if (e.hwndVScroll) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    const uint32_t h = RaekkeHoejdeIalt(&e);
    si.nMax = h ? static_cast<int>(h - 1) : 0;
    si.nPage = SynligHoejde(e);
    si.nPos = static_cast<int>(off);
    SetScrollInfo(e.hwndVScroll, SB_CTL, &si, TRUE);
  }
  return flyttet;
}

// ---- Field lines.

uint8_t SwitchLinieTekstFarve(uint8_t baggrund, uint8_t kald) {
  switch (baggrund) {
    case 0: case 42: return kald;
    case 3: case 6: case 9: case 12: case 15: case 18: case 21: case 24: case 27: case 33: case 39: case 57:
      return 16;
    case 1: case 4: case 10: case 13: case 16: case 19: case 22: case 25: case 28: case 31: case 37: case 40:
    case 43: case 58:
      return 17;
    case 2: case 5: case 11: case 14: case 17: case 20: case 23: case 26: case 29: case 38: case 41: case 44:
    case 59:
      return 19;
    case 36: return (kald == 3 || kald == 7 || kald == 8 || kald == 10 || kald == 12) ? kald : 5;
    case 46: return kald == 8 ? 8 : 16;
    default: return 16;
  }
}

bool TegnFeltVaerdi(EnsDC *dc, uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i, const TabDesc *pTd,
                    const TabVar *pTv, uint32_t recnr, int x, int y, uint8_t *pFarve) {
  if (!pTd || !pTv || recnr >= pTv->wRecCnt) return false;
  const SwitchFelt *sf = ObjSwitchFelt(art, bogstav, nr, i);
  if (!sf) return false;
  char tekst[kSwitchTekstLen + 1];
  uint8_t farve = 16;
  SwitchRaekkeValg v;
  // The field switch follows a foreign key into field 1 of the record it
  // names, and on through every further key.
  ObjSwitchCelleTekst(art, bogstav, nr, i, pTd, pTv, recnr, &v, tekst, &farve);
  tekst[kSwitchTekstLen] = 0;
  if (pFarve) *pFarve = farve;
  if (dc) {
    const uint32_t tegn = sf->Tegn;  // packed: read by value
    const int n = static_cast<int>(std::min(tegn, kSwitchMaksTegn));
    TegnFarvetTekst(dc, x + static_cast<int>(sf->StregVenstre + sf->LuftVenstre), y, farve, dc->BkFarve, tekst, n, 1);
  }
  return true;
}

void TegnSwitchLinie(SwitchLinieFn fn, void *tilstand, EnsDC *dc, int x, int y, uint8_t baggrund, uint32_t art,
                     uint8_t bogstav, uint32_t nr, uint32_t felt, void *arg, uint32_t linieHoejde,
                     uint32_t ekstraHoejde, uint32_t restBredde, bool etFelt, bool farveEfterBaggrund) {
  if (!dc || art > 115) return;
  SetBkMode(dc->hdc, TRANSPARENT);
  const int hoejde = static_cast<int>(linieHoejde + ekstraHoejde + 11);
  const int bredde = static_cast<int>(etFelt ? ObjSwitchFeltBredde(art, bogstav, nr, felt)
                                             : ObjSwitchBredde(art, bogstav, nr));
  HBRUSH bund = baggrund < kAntalFarver ? FarveBrush[baggrund] : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  const uint32_t antal = ObjSwitchFeltAntal(art, bogstav, nr);
  // The fields' strips fill their pixels afterwards whatever lies under
  // them, so the background leaves them out.
  std::vector<std::pair<int, int>> strimler;
  for (uint32_t i = etFelt ? felt : 0, fx = 0; FarveBrush[19] && !TegnBaggrundHel && i < antal && (!etFelt || i == felt);
       ++i) {
    const SwitchFelt *sf = ObjSwitchFelt(art, bogstav, nr, i);
    if (!sf) break;
    const int fra = x + static_cast<int>(fx), b = static_cast<int>(SwitchFeltBredde(sf));
    if (sf->StregVenstre) strimler.emplace_back(fra, fra + static_cast<int>(sf->StregVenstre));
    if (sf->StregHoejre) strimler.emplace_back(fra + b - static_cast<int>(sf->StregHoejre), fra + b);
    fx += static_cast<uint32_t>(b);
  }
  FillRectUdenKolonner(dc->hdc, bund, x, y, x + bredde, y + hoejde, std::move(strimler));
  int fx = x;
  for (uint32_t i = etFelt ? felt : 0; i < antal && (!etFelt || i == felt); ++i) {
    const SwitchFelt *sf = ObjSwitchFelt(art, bogstav, nr, i);
    if (!sf) break;
    if (sf->StregVenstre) {
      RECT l{fx, y, fx + static_cast<int>(sf->StregVenstre), y + hoejde};
      FillRect(dc->hdc, &l, FarveBrush[19]);
    }
    char tekst[kSwitchTekstLen + 1];
    memset(tekst, ' ', kSwitchTekstLen);
    tekst[kSwitchTekstLen] = 0;
    uint8_t kald = 16;
    if (fn) fn(tilstand, sf, i, arg, tekst, &kald);
    const uint8_t farve = farveEfterBaggrund ? SwitchLinieTekstFarve(baggrund, kald) : kald;
    const uint32_t tegn = sf->Tegn;  // packed: read by value
    const int n = static_cast<int>(std::min(tegn, kSwitchMaksTegn));
    TegnFarvetTekst(dc, fx + static_cast<int>(sf->StregVenstre + sf->LuftVenstre), y, farve, dc->BkFarve, tekst, n, 1);
    const int b = static_cast<int>(SwitchFeltBredde(sf));
    if (sf->StregHoejre) {
      RECT h{fx + b - static_cast<int>(sf->StregHoejre), y, fx + b, y + hoejde};
      FillRect(dc->hdc, &h, FarveBrush[19]);
    }
    fx += b;
  }
  if (restBredde) {
    RECT rr{fx, y, fx + static_cast<int>(restBredde), y + hoejde};
    FillRect(dc->hdc, &rr, bund);
  }
  SetBkMode(dc->hdc, OPAQUE);
}
