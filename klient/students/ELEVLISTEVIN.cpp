// The list windows' shared frame parts. The row axis is the list's own
// RaekkePos; the cell pane is the only pane with rows (no row header).
#include "ELEVLISTEVIN.h"

#include <algorithm>

#include "ELEVLISTE.h"
#include "ELEVPLANVIN.h"
#include "FARVER.h"
#include "SWITCH.h"
#include "VINDUER.h"

ElevPlanWS *FindElevPlanWS(HWND *pVindue) {
  const HWND plan = FindVindueType(kElevPlanType);
  if (pVindue) *pVindue = plan;
  if (!plan) return nullptr;
  return reinterpret_cast<ElevPlanWS *>(SendMessageA(plan, ELEVPLAN_HENT_WS, 0, 0));
}

ElevPlanWS *LevendePlanWS(HWND planVindue, ElevPlanWS *plan) {
  if (!plan || !planVindue || !IsWindow(planVindue)) return nullptr;
  return ElevPlanVinduesWS(planVindue) == plan ? plan : nullptr;
}

void ElevListeLayKnapper(ElevListeTilstand *l) {
  const Ens *e = l->ens;
  if (!e || !l->SorterKnapper) return;
  const int B = e->RudeB[ENS_KOLHOVED];
  const int y = static_cast<int>(e->KolHovedHoejde) - kElevListeKnapHoejde;
  int x = -static_cast<int>(e->ScrollX);
  for (uint32_t i = 0; i < l->SorterKnapAntal; ++i) {
    const int w = static_cast<int>(ObjSwitchFeltBredde(l->ListeArt, l->Bogstav, l->ValgtLayout, i));
    const HWND k = l->SorterKnapper[i];
    if (k) {
      int b = w;
      // The first button covers the two columns after it, which have none.
      for (uint32_t j = 1; i == 0 && j <= 2 && j < l->SorterKnapAntal; ++j)
        b += static_cast<int>(ObjSwitchFeltBredde(l->ListeArt, l->Bogstav, l->ValgtLayout, j));
      b = std::max(0, std::min(b, B - x));
      MoveWindow(k, x, y, b, kElevListeKnapHoejde, TRUE);
      InvalidateRect(k, nullptr, FALSE);
    }
    x += w;
  }
}

void ElevListeSynligeRaekker(const ElevListeTilstand *l, uint32_t *fra, uint32_t *til) {
  const Ens *e = l->ens;
  *fra = 1;
  *til = 0;
  const int H = e ? e->RudeH[ENS_CELLER] : 0;
  if (H <= 0 || l->RaekkeAntal == 0) return;
  *fra = std::max<uint32_t>(1, GridPixelTilCelle(&e->AkseY, e->ScrollY));
  *til = std::min(l->RaekkeAntal, GridPixelTilCelle(&e->AkseY, e->ScrollY + static_cast<uint32_t>(H) - 1));
}

void ElevListeTegnRaekker(ElevListeTilstand *l, ElevRaekkeVaerdierFn vaerdier, void *ejer,
                          uint32_t fra, uint32_t til) {
  Ens *e = l->ens;
  if (!e) return;
  EnsDC *dc = &e->dc[ENSDC_CELLER];
  const int B = e->RudeB[ENS_CELLER], H = e->RudeH[ENS_CELLER];
  if (!dc->hdc || B <= 0 || H <= 0) return;
  const uint32_t sidste = std::min(til, l->RaekkeAntal);
  const int bredde = static_cast<int>(ObjSwitchBredde(l->ListeArt, l->Bogstav, l->ValgtLayout));
  const int x = -static_cast<int>(e->ScrollX);
  for (uint32_t r = std::max<uint32_t>(fra, 1); r <= sidste; ++r) {
    const int y = static_cast<int>(int64_t{GridCelleStart(&e->AkseY, r)} - e->ScrollY);
    if (y >= H || y + kElevListeRaekke <= 0) continue;
    FillRectSys(dc->hdc, COLOR_3DDKSHADOW, 0, y, B, y + 1);
    uint32_t v1 = 0, v2 = 0;
    vaerdier(ejer, r, &v1, &v2);
    const uint8_t mode = e->Aktiv && r == l->RaekkePos.Aktuel ? 1 : 0;
    TegnElevRaekke(ElevListeFeltTekst, l, dc, x, y + 1, mode, l->ListeArt, l->Bogstav, l->ValgtLayout, v1,
                   v2, 0, 0, 0, std::max(0, B - x - bredde));
  }
  if (til >= l->RaekkeAntal) {
    const int bund = l->RaekkeAntal ? static_cast<int>(int64_t{GridCelleSlut(&e->AkseY, l->RaekkeAntal)} -
                                                       e->ScrollY) + 1
                                    : 0;
    FillRectSys(dc->hdc, COLOR_BTNFACE, 0, std::max(0, bund), B, H);
  }
}

int ElevListeScrollTilAktuel(ElevListeTilstand *l, GridPos *kolonner) {
  Ens *e = l->ens;
  int flag = 0;
  for (int x = 1; x >= 0; --x) {
    GridPos *pos = x ? kolonner : &l->RaekkePos;
    const GridAkse *akse = x ? &e->AkseX : &e->AkseY;
    const int extent = x ? e->RudeB[ENS_CELLER] : e->RudeH[ENS_CELLER];
    if (!pos || extent <= 0) continue;
    // Ens is packed: the offsets are copied, never referenced.
    uint32_t off = x ? e->ScrollX : e->ScrollY;
    if (pos->Antal && pos->Aktuel && GridScrollTilAktuel(pos, &off, static_cast<uint32_t>(extent), akse))
      flag |= ELEVLISTE_TEGN_RULLET;
    const uint32_t slut = pos->Antal ? GridCelleSlut(akse, pos->Antal) : 0;
    // A list that has become shorter leaves no offset past its end.
    if (slut < off + static_cast<uint32_t>(extent) && off > 0) {
      const uint32_t ny = slut + 1 > static_cast<uint32_t>(extent) ? slut + 1 - static_cast<uint32_t>(extent) : 0;
      if (ny < off) {
        off = ny;
        flag |= ELEVLISTE_TEGN_RULLET;
      }
    }
    (x ? e->ScrollX : e->ScrollY) = off;
    pos->Foerste = pos->Antal ? GridPixelTilCelle(akse, off) : 0;
    pos->Synlige = std::max<uint32_t>(1, static_cast<uint32_t>(extent) / std::max<uint32_t>(1, akse->CelleBredde + akse->Mellemrum));
    if (HWND bar = x ? e->hwndHScroll : e->hwndVScroll) SetScrollCtl(bar, extent, static_cast<int>(slut), static_cast<int>(off));
  }
  return flag;
}

uint32_t ElevListeRaekkeVedY(const ElevListeTilstand *l, int y) {
  if (l->RaekkeAntal == 0 || !l->ens) return 0;
  const int64_t p = std::max<int64_t>(0, int64_t{y} + l->ens->ScrollY);
  return std::clamp<uint32_t>(GridPixelTilCelle(&l->ens->AkseY, static_cast<uint32_t>(p)), 1, l->RaekkeAntal);
}

namespace {

TastInfo Tast(int32_t shift, int32_t ctrl, uint32_t tast) { return TastInfo{shift, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0}; }

const ShortCutPost kHoldPoster[] = {
    {Tast(0, 0, VK_SPACE), "<Mellemrum>", "Placer/fjern elev."},
    {Tast(0, 1, VK_SPACE), "<Ctrl + Mellemrum>", "Placer elev uden tilmelding."},
    {Tast(1, 1, VK_SPACE), "<Ctrl + Shift + Mellemrum>", "Placer elev på fyldt aktivitet."},
    {Tast(0, 0, VK_PRIOR), "<PageUp>", "Forrige aktivitet."},
    {Tast(0, 0, VK_NEXT), "<PageDown>", "Næste aktivitet."},
    {Tast(0, 0, VK_F3), "<F3>", "Maksimer / gendan aktuelt vindue."},
    {TastInfo{}, "", ""},
};
const ShortCutPost kOnskPoster[] = {
    {Tast(0, 0, VK_SPACE), "<Mellemrum>", "Placer/fjern elev."},
    {Tast(0, 1, VK_SPACE), "<Ctrl + Mellemrum>", "Placer elev uden tilmelding."},
    {Tast(1, 1, VK_SPACE), "<Ctrl + Shift + Mellemrum>", "Placer elev på fyldt aktivitet."},
    {Tast(0, 0, VK_PRIOR), "<PageUp>", "Forrige elev."},
    {Tast(0, 0, VK_NEXT), "<PageDown>", "Næste elev."},
    {Tast(0, 0, VK_F3), "<F3>", "Maksimer / gendan aktuelt vindue."},
    {TastInfo{}, "", ""},
};
ShortCutTabel HoldGenveje{0, kHoldPoster};
ShortCutTabel OnskGenveje{0, kOnskPoster};

}  // namespace

ShortCutTabel *ElevListeGenveje(uint8_t vindue) {
  return vindue == ELEVLISTE_ONSK ? &OnskGenveje : &HoldGenveje;
}
