// Painting the schedule grid: codes worked out here, pixels by a SkemaMaler.
#include "SKETEGN.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "DATO.h"
#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LISTETAL.h"
#include "RECPRED.h"
#include "SKEBAGGRUND.h"
#include "SKEMARK.h"
#include "SKERAEKKE.h"
#include "SLETMARK.h"
#include "SWITCHTEGN.h"
#include "TALTAB.h"

namespace {

uint32_t Min5(Klokkeslaet t) { return t / 100 * 60 + t % 100; }
Klokkeslaet SomHHMM(uint32_t minutter) { return minutter / 60 * 100 + minutter % 60; }

// The shown cells of a day in the window's mode.
uint32_t FoersteSlot(const SkeStruct *ske) { return std::max<uint32_t>(+ske->Vis.FoersteSlot, 1); }
uint32_t SidsteSlot(const SkeStruct *ske) {
  return std::clamp<uint32_t>(+ske->Vis.SidsteSlot, FoersteSlot(ske), CellerIDag(ske));
}
uint8_t FoersteDag(const SkeStruct *ske) { return std::clamp<uint8_t>(static_cast<uint8_t>(ske->Vis.FoersteUgedag), 1, 7); }
uint8_t SidsteDag(const SkeStruct *ske) {
  return std::clamp<uint8_t>(static_cast<uint8_t>(ske->Vis.SidsteUgedag), FoersteDag(ske), 7);
}

uint32_t KolonneBredde(const SkeStruct *ske) {
  if (ske->Visning == 'T') return kSlotBredde;
  if (ske->Visning == 'D') return kLektionBredde * (SidsteSlot(ske) - FoersteSlot(ske) + 1);
  return kLektionBredde;
}

uint32_t RaekkeAntal(const SkeStruct *ske) { return ske->AlleObjekter ? ske->Ens.ObjTabAntal : ske->UgeAntal; }

// The layer a grid row shows: with layers off every row shows lane 1.
uint32_t RaekkeLag(const SkeStruct *ske, uint32_t raekke) {
  if (!ske->LagVis || !ske->LagTabNo || raekke < 1 || raekke > RaekkeAntal(ske)) return 1;
  return ske->LagTabNo[raekke];
}

// The chain of (row key, weekday) into the workspace's event table; its count.
uint32_t HentKaede(SkeStruct *ske, uint32_t noegle, uint8_t ugedag) {
  ske->BegivenhedAntal = 0;
  if (!ske->KaedeHoveder || noegle >= ske->KaedeRaekker || ugedag < 1 || ugedag > 7) return 0;
  const uint32_t hoved = ske->KaedeHoveder[static_cast<size_t>(noegle) * 8 + ugedag];
  if (!hoved) return 0;
  uint32_t spor = 1;
  FindCelleBegivenheder(ske, &ske->lkBegivenhed, &ske->BegivenhedAntal, hoved, &spor, nullptr,
                        &ske->BegivenhedKapacitet);
  return ske->BegivenhedAntal;
}

bool Daekker(const Begivenhed &b, uint32_t celle) { return b.FoersteCelle <= celle && celle <= b.SidsteCelle; }

// Whether an event of another lane covers the cell.
bool AndetSpor(const Begivenhed *tab, uint32_t antal, uint32_t lag, uint32_t celle) {
  for (uint32_t i = 0; i < antal; ++i)
    if (tab[i].Spor != lag && Daekker(tab[i], celle)) return true;
  return false;
}

const Begivenhed *FindSporBegivenhed(const Begivenhed *tab, uint32_t antal, uint32_t lag, uint32_t celle) {
  for (uint32_t i = 0; i < antal; ++i)
    if (tab[i].Spor == lag && Daekker(tab[i], celle)) return &tab[i];
  return nullptr;
}

// The date of a cell; 0 outside the period.
Dato CelleDato(const SkeStruct *ske, uint32_t noegle, uint8_t ugedag) {
  const Uge uge = IndeksTilUge(CelleUge(ske, noegle));
  return uge ? UgeDagTilDato(uge, ugedag) : 0;
}

// Writes a text over the start of a blank-padded field buffer.
void SkrivFelt(char *tekst, const char *s) {
  memcpy(tekst, s, strnlen(s, kSwitchMaksTegn));
}

// The start and end minute of a cell of the window's mode.
bool CelleTid(const SkeStruct *ske, uint32_t celle, uint32_t *fra, uint32_t *til) {
  if (ske->Visning == 'T') {
    if (celle < 1 || celle > kSlotsPrDag) return false;
    *fra = (celle - 1) * 5;
    *til = celle * 5;
    return true;
  }
  const RisyRec *r = TabRec<RisyRec>(tvrisy, ske->RingSystem);
  if (!r || celle < 1 || celle > kLektionerPrDag || r->Sluttid[celle - 1] == 0) return false;
  *fra = Min5(r->Starttid[celle - 1]);
  *til = Min5(r->Sluttid[celle - 1]);
  return true;
}

// The current cell of the window: row, weekday and cell; false when none.
bool AktuelCelle(const SkeStruct *ske, uint32_t *raekke, uint8_t *ugedag, uint32_t *celle) {
  *raekke = ske->ObjPos.Aktuel;
  return ske->TidPos.Aktuel && KolonneCelle(ske, ske->TidPos.Aktuel, ugedag, celle);
}

int KolonneX(const SkeStruct *ske, uint32_t kolonne) {
  return static_cast<int>((kolonne - ske->TidPos.Foerste) * KolonneBredde(ske));
}
int RaekkeY(const SkeStruct *ske, uint32_t raekke) {
  return static_cast<int>((raekke - ske->ObjPos.Foerste) * kRaekkeHoejde);
}

uint8_t PlusMarkoer(uint8_t farve, uint8_t tillaeg) {
  return farve == FARVE_BLOK_FRI ? tillaeg : static_cast<uint8_t>(farve + tillaeg);
}

// Visible range of an axis, clamped.
void Synlige(const GridPos &p, uint32_t *fra, uint32_t *til) {
  const uint32_t foerste = p.Foerste, synlige = p.Synlige, antal = p.Antal;
  *fra = std::max<uint32_t>(foerste, 1);
  *til = std::min<uint32_t>(foerste + synlige - (synlige ? 1 : 0), antal);
}

const char *const kDagNavn[8] = {"", "Man", "Tir", "Ons", "Tor", "Fre", "Lør", "Søn"};

}  // namespace

// ---- The window's painter.

void EnsDCMaler::Celle(int x, int y, int bredde, uint8_t farve, uint8_t tegn, uint32_t) {
  const uint8_t f = farve < kAntalFarver ? farve : 0;
  RECT rc{x, y, x + bredde, y + static_cast<int>(kRaekkeHoejde)};
  FillRect(dc_->hdc, &rc, FarveBrush[f]);
  if (tegn) {
    HGDIOBJ gammel = TgnFont ? SelectObject(dc_->hdc, TgnFont) : 0;
    TegnFarvetTegn(dc_, x, y + 1, f, tegn, 0, 0);
    if (gammel) SelectObject(dc_->hdc, gammel);
  }
}

void EnsDCMaler::Strimmel(int x, int y, int segBredde, uint8_t farve, const uint8_t *tegn, uint32_t antal,
                          uint32_t) {
  const uint8_t f = farve < kAntalFarver ? farve : 0;
  RECT rc{x, y, x + segBredde * static_cast<int>(antal), y + static_cast<int>(kRaekkeHoejde)};
  FillRect(dc_->hdc, &rc, FarveBrush[f]);
  uint8_t koder[kLektionerPrDag];
  antal = std::min(antal, kLektionerPrDag);
  memset(koder, f, antal);
  HGDIOBJ gammel = TgnFont ? SelectObject(dc_->hdc, TgnFont) : 0;
  TegnBrikTegn(dc_, x, y + 1, tegn, koder, antal, static_cast<uint32_t>(segBredde), 0, 0);
  if (gammel) SelectObject(dc_->hdc, gammel);
}

void EnsDCMaler::Tekst(int x, int y, int bredde, const char *tekst, uint8_t farve) {
  const int n = static_cast<int>(strlen(tekst));
  SIZE sz{};
  GetTextExtentPoint32A(dc_->hdc, tekst, n, &sz);
  const int tx = bredde > 0 ? x + (bredde - sz.cx) / 2 : x;
  TegnFarvetTekst(dc_, tx, y, farve, 0, tekst, n, 1);
}

void EnsDCMaler::Linie(int x, int y, int hoejde, uint8_t art) {
  static const int kSys[5] = {COLOR_3DLIGHT, COLOR_3DLIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_BTNTEXT};
  FillRectSys(dc_->hdc, kSys[std::min<uint8_t>(art, 4)], x, y, x + (art == 4 ? 2 : 1), y + hoejde);
}

// ---- Cells and columns.

uint32_t CellerPrDag(char visning, bool helUge) {
  const uint32_t n = visning == 'T' ? kSlotsPrDag : kLektionerPrDag;
  return helUge ? n * 7 : n;
}

uint32_t KolonnerPrDag(const SkeStruct *ske) {
  return ske->Visning == 'D' ? 1 : SidsteSlot(ske) - FoersteSlot(ske) + 1;
}

uint32_t CelleIndeks(const SkeStruct *ske, uint32_t raekke, uint8_t ugedag, uint32_t celle) {
  const uint32_t prDag = CellerIDag(ske);
  raekke = std::max<uint32_t>(raekke, 1);
  ugedag = std::clamp<uint8_t>(ugedag, 1, 7);
  celle = std::clamp<uint32_t>(celle, 1, prDag);
  return raekke * prDag * 7 - 1 + (ugedag - 1u) * prDag + celle;
}

uint32_t KolonneStart(const SkeStruct *ske, uint8_t ugedag) {
  if (ugedag < FoersteDag(ske) || ugedag > SidsteDag(ske)) return 0;
  return (ugedag - FoersteDag(ske)) * KolonnerPrDag(ske) + 1;
}

bool KolonneCelle(const SkeStruct *ske, uint32_t kolonne, uint8_t *ugedag, uint32_t *celle) {
  const uint32_t prDag = KolonnerPrDag(ske);
  const uint32_t dage = SidsteDag(ske) - FoersteDag(ske) + 1u;
  if (kolonne < 1 || kolonne > dage * prDag) return false;
  *ugedag = static_cast<uint8_t>(FoersteDag(ske) + (kolonne - 1) / prDag);
  *celle = FoersteSlot(ske) + (kolonne - 1) % prDag;
  return true;
}

uint32_t FindObjRaekke(const SkeStruct *ske, uint32_t objekt) {
  uint32_t fundet = 0;
  for (uint32_t r = 1; ske->Ens.ObjTab && r <= ske->Ens.ObjTabAntal; ++r)
    if (ske->Ens.ObjTab[r] == objekt) fundet = r;
  return fundet;
}

uint32_t GetSkeObjNo(const SkeStruct *ske, uint32_t raekke) { return SkeRaekkeObjekt(ske, raekke); }

UgeIndeks CelleUge(const SkeStruct *ske, uint32_t noegle) {
  return ske->AlleObjekter ? SkeAktuelUgeIndeks(ske) : noegle;
}

uint32_t TidsAkse(const SkeStruct *ske, uint32_t *akse, uint32_t plads) {
  uint32_t n = 0;
  for (uint8_t d = FoersteDag(ske); d <= SidsteDag(ske); ++d)
    for (uint32_t s = FoersteSlot(ske); s <= SidsteSlot(ske); ++s)
      if (++n < plads) akse[n] = d * 1000u + s;
  return n;
}

void SkemaAkseOpsaet(SkeStruct *ske) {
  GridAkse &tid = ske->Layout == 'L' ? ske->Ens.AkseY : ske->Ens.AkseX;
  GridAkse &obj = ske->Layout == 'L' ? ske->Ens.AkseX : ske->Ens.AkseY;
  tid = {};
  tid.CelleBredde = KolonneBredde(ske);
  tid.CellerPrGruppe = KolonnerPrDag(ske);
  obj = {};
  obj.CelleBredde = kRaekkeHoejde;
  obj.CellerPrGruppe = 1;
}

uint32_t HovedBredde(const SkeStruct *ske) {
  const uint32_t b = ObjSwitchBredde(SkeObjSwitchArt(ske), static_cast<uint8_t>(ske->ObjektArt),
                                     ObjSwitchValgt(SkeObjSwitchArt(ske), static_cast<uint8_t>(ske->ObjektArt)));
  return ske->Visning == 'L' ? b + kLektionHovedEkstra : b;
}

void SaetHovedBredde(SkeStruct *ske) {
  const uint32_t hele = HovedBredde(ske);
  ske->Ens.RaekkeHovedBredde = hele;
  // The object part takes the layout; time mode keeps its own part after it.
  ske->HovedDele[0] = ske->Visning == 'L' ? hele - kLektionHovedEkstra : hele;
  ske->HovedDele[1] = ske->Visning == 'L' ? kLektionHovedEkstra : 0;
}

// ---- Codes.

uint8_t CelleFarve(const SkeStruct *ske, uint32_t noegle, uint32_t indgang, uint8_t ugedag, uint32_t celle) {
  if (indgang && indgang <= ske->SkeVisAntal && ske->lpSkeVisListe[indgang].FarveKode)
    return ske->lpSkeVisListe[indgang].FarveKode;
  const uint8_t dag = FarveDag(ske, noegle, ugedag);
  const uint8_t *t = ske->FarveTimeTab ? BaggrundCelle(ske, ske->FarveTimeTab, noegle, ugedag, celle) : nullptr;
  const uint8_t tid = t ? *t : 0;
  const uint8_t farve = dag == 0 && ske->Variant == 'B' ? tid : dag;
  const UgeIndeks uge = CelleUge(ske, noegle);
  if (const uint8_t *b = BlokCelle(ske->BlokTab, ske->BlokUger, uge, ugedag, celle)) {
    if (farve && farve != FARVE_BLOK_FRI) return farve;
    if (*b & BLOK_VALGT) return FARVE_BLOKERET;
    if (ske->Tilstand == 'R') {
      const uint8_t *p = BlokCelle(ske->PotTab, ske->BlokUger, uge, ugedag, celle);
      if (p && (*p & BLOK_VALGT)) return farve ? farve : static_cast<uint8_t>(FARVE_FUNDET);
    }
  }
  if (farve) return farve;
  if (ske->ObjektArt == SKE_AKTI && GlobalIndstillinger.checkelevsammenfald && dag == 0 &&
      tid == FARVE_ELEVSAMMENFALD)
    return FARVE_ELEVSAMMENFALD;
  if (GlobalIndstillinger.markerhellig) {
    const Dato d = CelleDato(ske, noegle, ugedag);
    if (d && Helligdag(d)) return FARVE_HELLIGDAG;
  }
  return 0;
}

uint8_t MarkoerTillaeg(const SkeStruct *ske) { return ske->Ens.Aktiv == 1 ? 1 : 2; }

uint8_t TidTegnKode(const SkeStruct *ske, const Begivenhed *tab, uint32_t antal, uint32_t lag, uint32_t slot,
                    uint32_t *indgang) {
  const bool lagVist = ske->LagVis;
  const Begivenhed *b = FindSporBegivenhed(tab, antal, lag, slot);
  *indgang = b ? b->Indgang : 0;
  const bool andet = !lagVist && AndetSpor(tab, antal, lag, slot);
  if (!b) return lagVist ? 255 : (andet ? '!' : 0);
  uint8_t kode;
  if (b->FoersteCelle == slot && b->SidsteCelle == slot)
    kode = '@';
  else if (b->SidsteCelle == slot)
    kode = b->AKRolle ? '4' : (b->PosterTid ? '$' : '6');
  else if (b->FoersteCelle == slot)
    kode = b->AKRolle ? '3' : (b->PosterTid ? '#' : '5');
  else if (b->Sammenfald)
    kode = 254;
  else
    kode = (lagVist ? b->SammenfaldsCheck : andet) ? '&' : '%';
  if (!lagVist && !b->Sammenfald && b->Bem) kode = static_cast<uint8_t>(kode + 64);
  return kode;
}

uint8_t LektionTegnKode(const SkeStruct *ske, const Begivenhed *tab, uint32_t antal, uint32_t lag,
                        uint32_t celle, uint32_t *indgang) {
  const bool lagVist = ske->LagVis;
  const Begivenhed *b = FindSporBegivenhed(tab, antal, lag, celle);
  *indgang = b ? b->Indgang : 0;
  const bool andet = !lagVist && AndetSpor(tab, antal, lag, celle);
  if (!b) return andet ? ' ' : 0;
  uint32_t kode;
  if (b->Klasse == 2) {
    kode = b->AKRolle ? 'T' : (b->PosterTid ? '$' : 'K');
  } else {
    const bool foer = b->FoersteCelle < celle, efter = b->SidsteCelle > celle;
    if (foer && efter) {
      kode = '(';
    } else if (foer) {
      kode = b->SlutNaerSlut ? ',' : '0';
    } else if (efter) {
      kode = b->StartNaerSlut ? '8' : '4';
    } else {
      kode = '<';
      if (b->SlutNaerSlut) kode = 'D';
      if (b->StartNaerSlut) kode = '@';
    }
  }
  if (b->Klasse == 1) kode += 56;
  if (b->Sammenfald)
    kode += 2;
  else if (lagVist ? b->SammenfaldsCheck : andet)
    kode += 1;
  if (!b->Sammenfald) {
    const bool bytflyt = b->Ejer == GlobalIndstillinger.insnr && GlobalIndstillinger.visbytflyt &&
                         (b->Status & SKE_MAERKE2);
    if (b->Bem || bytflyt || (b->Status & (SKE_AUTOSKEMA | SKE_UNTIS))) kode += 128;
  }
  return static_cast<uint8_t>(kode);
}

bool DelDagen(const SkeStruct *ske, DagSegmenter *seg) {
  *seg = {};
  const VisningsTilstandRec &dv = ske->Visning == 'D' ? ske->Vis : VisningsTilstandFor('D');
  const uint32_t fra = std::max<uint32_t>(+dv.FoersteSlot, 1);
  const uint32_t til = std::min<uint32_t>(+dv.SidsteSlot, kLektionerPrDag);
  if (til < fra) return false;
  const uint32_t start = Min5(static_cast<Klokkeslaet>(std::max<int32_t>(VisStarttid, 0)));
  const uint32_t slut = std::max(start, Min5(static_cast<Klokkeslaet>(std::max<int32_t>(VisSluttid, 0))));
  seg->Antal = til - fra + 1;
  const uint32_t hver = (slut - start) / seg->Antal;
  for (uint32_t i = 1; i <= seg->Antal; ++i) {
    const uint32_t a = start + (i - 1) * hver;
    seg->Start[i] = SomHHMM(a);
    seg->Slut[i] = SomHHMM(i == seg->Antal ? slut : a + hver);
  }
  return true;
}

void DagStrimmel(const SkeStruct *ske, const Begivenhed *tab, uint32_t antal, uint32_t lag,
                 const DagSegmenter &seg, uint8_t *tegn, uint32_t *farveIndgang) {
  (void)ske;
  const uint32_t n = seg.Antal;
  memset(tegn, '_', n + 1);
  tegn[0] = 0;
  *farveIndgang = 0;
  for (uint32_t i = 0; i < antal; ++i) {
    const Begivenhed &b = tab[i];
    const uint8_t plus = static_cast<uint8_t>((b.Klasse == 1 ? 56 : 0) + (b.SammenfaldsCheck ? 1 : 0));
    for (uint32_t s = 1; s <= n; ++s) tegn[s] = static_cast<uint8_t>('(' + plus);
    if (n) {
      tegn[1] = static_cast<uint8_t>((b.StartNaerSlut ? '8' : '4') + plus);
      tegn[n] = static_cast<uint8_t>((b.SlutNaerSlut ? ',' : '0') + plus);
    }
    if (!*farveIndgang && n && b.Spor == lag && b.Starttid <= seg.Start[1] && b.Sluttid >= seg.Slut[1])
      *farveIndgang = b.Indgang;
  }
}

// ---- Painters.

void TegnTomCelle(SkeStruct *ske, SkemaMaler *m, int x, int y, int bredde, uint32_t noegle, uint8_t ugedag,
                  uint32_t celle, bool aktuel) {
  const uint8_t farve = CelleFarve(ske, noegle, 0, ugedag, celle);
  m->Celle(x, y, bredde, aktuel ? PlusMarkoer(farve, MarkoerTillaeg(ske)) : farve, 0, 0);
}

void TegnHelligdag(const SkeStruct *ske, SkemaMaler *m, uint8_t ugedag, uint32_t noegle, int x, int y,
                   int bredde) {
  if (!GlobalIndstillinger.markerhellig) return;
  const Dato d = CelleDato(ske, noegle, ugedag);
  const int kode = d ? Helligdag(d) : 0;
  if (!kode) return;
  char navn[64];
  snprintf(navn, sizeof navn, "%s", HelligdagNavn(kode));
  // Cut to the characters the cell holds, in the header font's width.
  const size_t plads = static_cast<size_t>(std::max(bredde, 0) / 8);
  if (strlen(navn) > plads) navn[plads] = '\0';
  if (navn[0]) m->Tekst(x, y, bredde, navn, 0);
}

namespace {

// The painter of one grid row in lesson or time mode.
void TegnRaekkeCeller(SkeStruct *ske, SkemaMaler *m, uint32_t raekke, uint32_t kolFra, uint32_t kolTil,
                      bool tidVisning) {
  const uint32_t noegle = SkeRaekkeNoegle(ske, raekke);
  const uint32_t lag = RaekkeLag(ske, raekke);
  const int y = RaekkeY(ske, raekke);
  const int bredde = static_cast<int>(KolonneBredde(ske));
  uint8_t hentetDag = 0;
  uint32_t antal = 0;
  int dagX = 0;
  uint8_t helligDag = 0;
  for (uint32_t k = kolFra; k <= kolTil; ++k) {
    uint8_t dag;
    uint32_t celle;
    if (!KolonneCelle(ske, k, &dag, &celle)) break;
    if (dag != hentetDag) {
      if (helligDag) TegnHelligdag(ske, m, helligDag, noegle, dagX, y, KolonneX(ske, k) - dagX);
      antal = HentKaede(ske, noegle, dag);
      hentetDag = helligDag = dag;
      dagX = KolonneX(ske, k);
    }
    uint32_t indgang = 0;
    const uint8_t tegn = tidVisning ? TidTegnKode(ske, ske->lkBegivenhed, antal, lag, celle, &indgang)
                                    : LektionTegnKode(ske, ske->lkBegivenhed, antal, lag, celle, &indgang);
    const bool aktuel = raekke == ske->ObjPos.Aktuel && k == ske->TidPos.Aktuel;
    if (!indgang) {
      // A glyph's cell is filled whole again in the cell's own colour, so
      // the empty cell's fill under it would never show.
      if (!tegn || TegnBaggrundHel) TegnTomCelle(ske, m, KolonneX(ske, k), y, bredde, noegle, dag, celle, aktuel);
      if (tegn) m->Celle(KolonneX(ske, k), y, bredde, CelleFarve(ske, noegle, 0, dag, celle), tegn, 0);
      continue;
    }
    uint8_t farve = CelleFarve(ske, noegle, indgang, dag, celle);
    if (aktuel) farve = static_cast<uint8_t>(farve + MarkoerTillaeg(ske));
    m->Celle(KolonneX(ske, k), y, bredde, farve, tegn, indgang);
  }
  if (helligDag) TegnHelligdag(ske, m, helligDag, noegle, dagX, y, KolonneX(ske, kolTil + 1) - dagX);
}

}  // namespace

void TegnTidCeller(SkeStruct *ske, SkemaMaler *m, uint32_t raekkeFra, uint32_t raekkeTil, uint32_t kolFra,
                   uint32_t kolTil) {
  for (uint32_t r = raekkeFra; r <= raekkeTil && r <= RaekkeAntal(ske); ++r)
    TegnRaekkeCeller(ske, m, r, kolFra, kolTil, true);
}

void TegnLektionCeller(SkeStruct *ske, SkemaMaler *m, uint32_t raekkeFra, uint32_t raekkeTil, uint32_t kolFra,
                       uint32_t kolTil) {
  for (uint32_t r = raekkeFra; r <= raekkeTil && r <= RaekkeAntal(ske); ++r)
    TegnRaekkeCeller(ske, m, r, kolFra, kolTil, false);
}

void TegnDagCeller(SkeStruct *ske, SkemaMaler *m, uint32_t raekkeFra, uint32_t raekkeTil, uint32_t kolFra,
                   uint32_t kolTil) {
  // Without segments the day cells still get their colours.
  DagSegmenter seg;
  const bool strimler = DelDagen(ske, &seg);
  uint8_t tegn[kLektionerPrDag + 1];
  for (uint32_t r = raekkeFra; r <= raekkeTil && r <= RaekkeAntal(ske); ++r) {
    const uint32_t noegle = SkeRaekkeNoegle(ske, r);
    const uint32_t lag = RaekkeLag(ske, r);
    const int y = RaekkeY(ske, r);
    for (uint32_t k = kolFra; k <= kolTil; ++k) {
      uint8_t dag;
      uint32_t celle;
      if (!KolonneCelle(ske, k, &dag, &celle)) break;
      const uint32_t antal = strimler ? HentKaede(ske, noegle, dag) : 0;
      const bool aktuel = r == ske->ObjPos.Aktuel && k == ske->TidPos.Aktuel;
      const int x = KolonneX(ske, k);
      const int bredde = static_cast<int>(KolonneBredde(ske));
      if (!antal) {
        TegnTomCelle(ske, m, x, y, bredde, noegle, dag, celle, aktuel);
      } else {
        uint32_t indgang = 0;
        DagStrimmel(ske, ske->lkBegivenhed, antal, lag, seg, tegn, &indgang);
        uint8_t farve = CelleFarve(ske, noegle, indgang, dag, celle);
        if (aktuel) farve = indgang ? static_cast<uint8_t>(farve + MarkoerTillaeg(ske))
                                    : PlusMarkoer(farve, MarkoerTillaeg(ske));
        m->Strimmel(x, y, static_cast<int>(kLektionBredde), farve, tegn + 1, seg.Antal,
                    indgang ? indgang : ske->lkBegivenhed[antal - 1].Indgang);
      }
      TegnHelligdag(ske, m, dag, noegle, x, y, bredde);
    }
  }
}

void TegnCeller(SkeStruct *ske, SkemaMaler *m, uint32_t raekkeFra, uint32_t raekkeTil, uint32_t kolFra,
                uint32_t kolTil) {
  if (ske->Visning == 'D')
    TegnDagCeller(ske, m, raekkeFra, raekkeTil, kolFra, kolTil);
  else if (ske->Visning == 'T')
    TegnTidCeller(ske, m, raekkeFra, raekkeTil, kolFra, kolTil);
  else
    TegnLektionCeller(ske, m, raekkeFra, raekkeTil, kolFra, kolTil);
}

// ---- The tile grid.

uint32_t LodretKolonneBredde(const SkeStruct *ske) {
  const uint8_t b = static_cast<uint8_t>(ske->ObjektArt);
  const uint32_t art = SkeObjSwitchArt(ske), brk = SkeBrkSwitchArt(ske);
  const uint32_t obj =
      ObjSwitchBredde(art, b, ObjSwitchValgt(art, b)) + (ske->Visning == 'L' ? kLektionHovedEkstra : 0);
  const uint32_t tegl = BrkSwitchBredde(brk, b, BrkSwitchValgt(brk, b));
  return std::max({obj, tegl, kLodretTidBredde}) + 1;
}

uint32_t LodretRaekkeHoejde(const SkeStruct *ske) {
  return ske->Visning == 'D' ? kLodretTrin * (SidsteSlot(ske) - FoersteSlot(ske) + 1) : kLodretTrin;
}

namespace {

int LodretX(const SkeStruct *ske, uint32_t r) {
  return static_cast<int>((static_cast<int64_t>(r) - ske->ObjPos.Foerste) * LodretKolonneBredde(ske));
}
int LodretY(const SkeStruct *ske, uint32_t k) {
  return static_cast<int>((static_cast<int64_t>(k) - ske->TidPos.Foerste) * LodretRaekkeHoejde(ske));
}

// A day cell lists the day's events of the column's lane, a line each.
void TegnLodretDag(SkeStruct *ske, SkemaMaler *m, uint32_t noegle, uint32_t lag, uint32_t antal, uint8_t dag,
                   uint32_t celle, int x, int y, int bredde, bool aktuel) {
  const uint8_t tillaeg = MarkoerTillaeg(ske);
  uint8_t farve = CelleFarve(ske, noegle, 0, dag, celle);
  const uint32_t linjer = SidsteSlot(ske) - FoersteSlot(ske) + 1;
  // The event lines fill their rows whole, so the cell's colour goes only
  // below the last of them; first, as the lines' texts may reach below.
  uint32_t fyldte = 0;
  for (uint32_t i = 0; i < antal && fyldte < linjer; ++i)
    if (!ske->LagVis || ske->lkBegivenhed[i].Spor == lag) ++fyldte;
  if (TegnBaggrundHel) fyldte = 0;
  const int top = static_cast<int>(fyldte * kLodretTrin), hoejde = static_cast<int>(LodretRaekkeHoejde(ske));
  if (top < hoejde)
    m->Brik(x, y + top, bredde, hoejde - top, aktuel ? PlusMarkoer(farve, tillaeg) : farve, 0, 0, false, false);
  uint32_t linje = 0;
  for (uint32_t i = 0; i < antal && linje < linjer; ++i) {
    const Begivenhed &b = ske->lkBegivenhed[i];
    if (ske->LagVis && b.Spor != lag) continue;
    farve = CelleFarve(ske, noegle, b.Indgang, dag, celle);
    if (aktuel) farve = static_cast<uint8_t>(farve + tillaeg);
    m->Brik(x, y + static_cast<int>(linje * kLodretTrin), bredde, static_cast<int>(kLodretTrin), farve, b.Indgang,
            0, true, true);
    ++linje;
  }
}

// One object column of the tile grid over the rows fra..til.
void TegnLodretKolonne(SkeStruct *ske, SkemaMaler *m, uint32_t r, uint32_t fra, uint32_t til) {
  const uint32_t noegle = SkeRaekkeNoegle(ske, r);
  const uint32_t lag = RaekkeLag(ske, r);
  const int x = LodretX(ske, r);
  const int bredde = static_cast<int>(LodretKolonneBredde(ske));
  const int hoejde = static_cast<int>(LodretRaekkeHoejde(ske));
  const uint8_t tillaeg = MarkoerTillaeg(ske);
  uint8_t hentetDag = 0;
  uint32_t antal = 0;
  for (uint32_t k = fra; k <= til; ++k) {
    uint8_t dag;
    uint32_t celle;
    if (!KolonneCelle(ske, k, &dag, &celle)) break;
    if (dag != hentetDag) {
      antal = HentKaede(ske, noegle, dag);
      hentetDag = dag;
    }
    const int y = LodretY(ske, k);
    const bool aktuel = r == ske->ObjPos.Aktuel && k == ske->TidPos.Aktuel;
    if (ske->Visning == 'D') {
      TegnLodretDag(ske, m, noegle, lag, antal, dag, celle, x, y, bredde, aktuel);
    } else {
      // The tile shows its lines, not the dot schedule's glyphs.
      const Begivenhed *b = FindSporBegivenhed(ske->lkBegivenhed, antal, lag, celle);
      uint8_t farve = CelleFarve(ske, noegle, b ? b->Indgang : 0, dag, celle);
      if (aktuel) farve = b ? static_cast<uint8_t>(farve + tillaeg) : PlusMarkoer(farve, tillaeg);
      if (b)
        m->Brik(x, y, bredde, hoejde, farve, b->Indgang, celle - b->FoersteCelle, celle == b->FoersteCelle,
                celle == b->SidsteCelle);
      else
        m->Brik(x, y, bredde, hoejde, farve, 0, 0, false, false);
    }
    if (k == KolonneStart(ske, dag) || k == fra) TegnHelligdag(ske, m, dag, noegle, x, y, bredde);
  }
}

// The row of an event's tile line: its linje-th row (an event's rows follow
// its first) with a record of the tile layout's table; 0 when it has none.
uint32_t BrikLinieRaekke(const SkeVisListe &e, uint8_t tabel, uint32_t linje) {
  for (uint32_t n = e.Forste;; ++n) {
    const SkeRec *r = BrikRaekke(e.AarIndeks, e.Uge, n);
    if (!r || r->Forste != e.Forste) return 0;
    if (tabel && BrikRecNr(r, tabel) == 0) continue;
    if (linje-- == 0) return n;
  }
}

}  // namespace

void TegnLodretCeller(SkeStruct *ske, SkemaMaler *m, uint32_t objFra, uint32_t objTil, uint32_t tidFra,
                      uint32_t tidTil) {
  for (uint32_t r = std::max<uint32_t>(objFra, 1); r <= objTil && r <= RaekkeAntal(ske); ++r)
    TegnLodretKolonne(ske, m, r, tidFra, tidTil);
}

void EnsDCMaler::Brik(int x, int y, int bredde, int hoejde, uint8_t farve, uint32_t indgang, uint32_t linje,
                      bool start, bool slut) {
  const uint8_t f = farve < kAntalFarver ? farve : 0;
  // The column's last pixel is the line between two columns.
  const int h = y + hoejde, v = x + bredde - 1;
  if (!indgang) {
    FillRectIfAny(dc_->hdc, FarveBrush[f], x, y, v, h);
    return;
  }
  const SkeVisListe *e = ske_ && indgang <= ske_->SkeVisAntal && ske_->lpSkeVisListe ? &ske_->lpSkeVisListe[indgang]
                                                                                      : nullptr;
  const uint8_t bogstav = static_cast<uint8_t>(ske_ ? ske_->ObjektArt : 0);
  const uint32_t brk = e ? SkeBrkSwitchArt(ske_) : 0, nr = e ? BrkSwitchValgt(brk, bogstav) : 0;
  const SwitchLayout *l = e ? BrkSwitchLayout(brk, bogstav, nr) : nullptr;
  const uint32_t raekke = l ? BrikLinieRaekke(*e, l->Bogstav, linje) : 0;
  // The edges drawn last and the line's own fill cover their pixels
  // whatever lies under them: the tile's colour goes only where they do not.
  RECT ydre{x + 1, start ? y + 1 : y, v - 1, slut ? h - 1 : h};
  RECT hul{0, 0, 0, 0};
  if (raekke && FarveBrush[f]) {  // the line fills its own rectangle only with a brush
    const int b = static_cast<int>(BrkSwitchBredde(brk, bogstav, nr));
    hul = RECT{std::max(x + 2, ydre.left), ydre.top, std::min(x + 2 + b, ydre.right),
               std::min(y + static_cast<int>(kLodretTrin), ydre.bottom)};
  }
  if (TegnBaggrundHel) ydre = RECT{x, y, v, h}, hul = RECT{0, 0, 0, 0};
  if (hul.left >= hul.right || hul.top >= hul.bottom)
    FillRectIfAny(dc_->hdc, FarveBrush[f], ydre.left, ydre.top, ydre.right, ydre.bottom);
  else
    FillFrame(dc_->hdc, FarveBrush[f], ydre.left, ydre.top, hul.left, hul.top, hul.right, hul.bottom, ydre.right,
              ydre.bottom);
  if (raekke) {
    SwitchRaekkeValg sv;
    sv.Hoejde = kLodretTrin;
    TegnBrikLinie(dc_, x + 2, y, f, brk, bogstav, nr, e->AarIndeks, e->Uge, raekke, &sv);
  }
  // The tile's edges: its sides on every cell, its top and bottom where it
  // begins and ends.
  FillRectSys(dc_->hdc, COLOR_3DDKSHADOW, x, y, x + 1, h);
  FillRectSys(dc_->hdc, COLOR_3DDKSHADOW, v - 1, y, v, h);
  if (start) FillRectSys(dc_->hdc, COLOR_3DDKSHADOW, x, y, v, y + 1);
  if (slut) FillRectSys(dc_->hdc, COLOR_3DDKSHADOW, x, h - 1, v, h);
}

// ---- Headers.

void TegnKolonneHoved(SkeStruct *ske, SkemaMaler *m, uint32_t fra, uint32_t til) {
  const int bredde = static_cast<int>(KolonneBredde(ske));
  for (uint32_t k = fra; k <= til; ++k) {
    uint8_t dag;
    uint32_t celle;
    if (!KolonneCelle(ske, k, &dag, &celle)) break;
    const int x = KolonneX(ske, k);
    const uint8_t farve = k == ske->TidPos.Aktuel ? MarkoerTillaeg(ske) : 0;
    m->Celle(x, 0, bredde, farve, 0, 0);
    char tekst[16];
    if (ske->Visning == 'D' || k == KolonneStart(ske, dag)) m->Tekst(x, 0, 0, kDagNavn[dag], farve);
    if (ske->Visning != 'D') {
      snprintf(tekst, sizeof tekst, "%u", celle % 100);
      m->Tekst(x, static_cast<int>(kRaekkeHoejde), bredde, tekst, farve);
    }
  }
}

namespace {

// The chosen block around a slot: the run of chosen slots of its day.
bool BlokSpan(const SkeStruct *ske, uint32_t noegle, uint8_t ugedag, uint32_t slot, uint32_t *fra,
              uint32_t *til) {
  const UgeIndeks uge = CelleUge(ske, noegle);
  auto Valgt = [&](uint32_t s) {
    const uint8_t *b = BlokCelle(ske->BlokTab, ske->BlokUger, uge, ugedag, s);
    return b && (*b & BLOK_VALGT);
  };
  if (!Valgt(slot)) return false;
  *fra = *til = slot;
  while (*fra > 1 && Valgt(*fra - 1)) --*fra;
  while (*til < kSlotsPrDag && Valgt(*til + 1)) ++*til;
  return true;
}

}  // namespace

void TegnTidsHoved(SkeStruct *ske, SkemaMaler *m, uint32_t fra, uint32_t til) {
  const int hoejde = static_cast<int>(kRaekkeHoejde);
  uint8_t sidsteDag = 0;
  uint32_t aktRaekke, aktCelle;
  uint8_t aktDag;
  const bool harAktuel = AktuelCelle(ske, &aktRaekke, &aktDag, &aktCelle);
  for (uint32_t k = fra; k <= til; ++k) {
    uint8_t dag;
    uint32_t slot;
    if (!KolonneCelle(ske, k, &dag, &slot)) break;
    const int x = KolonneX(ske, k);
    const bool dagensFoerste = k == KolonneStart(ske, dag);
    if (dag != sidsteDag) {
      const int b = static_cast<int>(KolonnerPrDag(ske) * kSlotBredde);
      m->Tekst(KolonneX(ske, KolonneStart(ske, dag)), 0, b, kDagNavn[dag], 0);
      sidsteDag = dag;
    }
    char tekst[32];
    if (harAktuel && k == ske->TidPos.Aktuel) {
      uint32_t bFra, bTil;
      if (BlokSpan(ske, SkeRaekkeNoegle(ske, aktRaekke), dag, slot, &bFra, &bTil))
        snprintf(tekst, sizeof tekst, "%02u.%02u-%02u.%02u", (bFra - 1) * 5 / 60, (bFra - 1) * 5 % 60,
                 bTil * 5 / 60, bTil * 5 % 60);
      else
        snprintf(tekst, sizeof tekst, "%2u.%02u", (slot - 1) * 5 / 60, (slot - 1) * 5 % 60);
      m->Tekst(x, 2 * hoejde, 0, tekst, MarkoerTillaeg(ske));
    } else if (!dagensFoerste && (slot - 1) % 12 == 0) {
      snprintf(tekst, sizeof tekst, "%2u.%02u", (slot - 1) / 12, 0u);
      m->Tekst(x, hoejde, 0, tekst, 0);
    }
    const uint8_t art = dagensFoerste           ? uint8_t{4}
                        : (slot - 1) % 12 == 0 ? uint8_t{3}
                        : (slot - 1) % 6 == 0  ? uint8_t{2}
                        : (slot - 1) % 3 == 0  ? uint8_t{1}
                                               : uint8_t{0};
    m->Linie(x, 2 * hoejde, hoejde, art);
  }
}

void TegnRaekkeHoved(SkeStruct *ske, uint32_t fra, uint32_t til) {
  EnsDC *dc = &ske->Ens.dc[ENSDC_RAEKKEHOVED];
  if (!dc->hdc) return;
  const uint32_t art = SkeObjSwitchArt(ske);
  const uint8_t bogstav = static_cast<uint8_t>(ske->ObjektArt);
  const uint32_t nr = ObjSwitchValgt(art, bogstav);
  SwitchRaekkeValg v;
  v.Hoejde = kRaekkeHoejde;
  v.Skrift = TgnFont;  // the highlighted digits and the arrows of the computed fields
  for (uint32_t r = std::max<uint32_t>(fra, 1); r <= til && r <= RaekkeAntal(ske); ++r) {
    SkemaRaekkeArg arg{ske, r};
    const uint8_t farve = r == ske->ObjPos.Aktuel ? MarkoerTillaeg(ske) : 0;
    TegnObjSwitchRaekkeCb(dc, 0, RaekkeY(ske, r), farve, art, bogstav, nr, SkemaRaekkeTekst, &arg, &v);
  }
}

bool TidsEtiketTekst(const SkeStruct *ske, char *tekst, size_t str) {
  uint32_t raekke, celle, fra, til;
  uint8_t dag;
  if (!AktuelCelle(ske, &raekke, &dag, &celle)) return false;
  // While a block is being marked the label spans the block.
  uint32_t blokFra = 0, blokTil = 0;
  if (BlokTider(ske, &blokFra, &blokTil) && blokTil) {
    snprintf(tekst, str, "%02u.%02u-%02u.%02u", blokFra / 100, blokFra % 100, blokTil / 100, blokTil % 100);
    return true;
  }
  if (ske->Visning == 'D') {
    fra = Min5(static_cast<Klokkeslaet>(std::max<int32_t>(VisStarttid, 0)));
    til = Min5(static_cast<Klokkeslaet>(std::max<int32_t>(VisSluttid, 0)));
  } else if (!CelleTid(ske, celle, &fra, &til)) {
    return false;
  }
  snprintf(tekst, str, "%02u.%02u-%02u.%02u", fra / 60, fra % 60, til / 60, til % 60);
  return true;
}

bool TegnTidsEtiket(SkeStruct *ske, SkemaMaler *m, int arealBredde) {
  char tekst[32];
  if (!TidsEtiketTekst(ske, tekst, sizeof tekst)) return false;
  const int b = static_cast<int>(strlen(tekst)) * 8;
  const int kol = KolonneX(ske, ske->TidPos.Aktuel);
  int x = kol + static_cast<int>(KolonneBredde(ske)) + 2;
  if (x + b > arealBredde) x = kol - b - 2;
  x = std::clamp(x, 0, std::max(arealBredde - b, 0));
  const uint32_t r = ske->ObjPos.Aktuel >= ske->ObjPos.Foerste ? ske->ObjPos.Aktuel : ske->ObjPos.Foerste;
  m->Tekst(x, RaekkeY(ske, r), 0, tekst, 0);
  return true;
}

// ---- Row header texts.

namespace {

void Ciffer(char *buf, size_t str, uint32_t n) {
  if (n > 9)
    snprintf(buf, str, "*");
  else
    snprintf(buf, str, "%u", n);
}

// The digits of a number as the picture font's highlighted digits: digit
// d is the character d + 33.
void Forskudt(char *buf, size_t str, const char *cifre) {
  size_t i = 0;
  for (; cifre[i] && i + 1 < str; ++i)
    buf[i] = cifre[i] >= '0' && cifre[i] <= '9' ? static_cast<char>(cifre[i] - '0' + 33) : cifre[i];
  buf[i] = '\0';
}

}  // namespace

uint32_t SkemaRaekkeTekst(void *arg, const SwitchFelt *sf, uint32_t, char *tekst, uint8_t *, uint8_t *pFarve) {
  const auto *a = static_cast<const SkemaRaekkeArg *>(arg);
  const SkeStruct *ske = a->ske;
  const uint32_t noegle = SkeRaekkeNoegle(ske, a->raekke);
  const uint32_t objekt = SkeRaekkeObjekt(ske, a->raekke);
  const UgeIndeks uge = CelleUge(ske, noegle);
  char buf[32] = "";
  switch (sf ? sf->FeltNr : 0) {
    case 223: {
      if (!ske->LagVis) {
        const bool sammenfald = ske->SammenfaldTab && noegle < ske->MarkRaekker && ske->SammenfaldTab[noegle];
        const uint32_t spor = ske->SporTab && noegle < ske->MarkRaekker ? ske->SporTab[noegle] : 1;
        if (sammenfald)
          snprintf(buf, sizeof buf, "P");
        else if (spor > 1)
          Ciffer(buf, sizeof buf, spor);
      } else {
        const uint32_t lag = ske->LagAntal && noegle < ske->LagAntalStr ? ske->LagAntal[noegle] : 1;
        if (lag > 1) Ciffer(buf, sizeof buf, RaekkeLag(ske, a->raekke));
      }
      break;
    }
    case 242: {
      const Uge u = IndeksTilUge(uge);
      if (!u) break;
      snprintf(buf, sizeof buf, "%4u", u / 100);
      if (uge == SkemaPeriode.AktuelDatoIndeks) Forskudt(buf, sizeof buf, std::string(buf).c_str());
      break;
    }
    case 243: {
      const Uge u = IndeksTilUge(uge);
      if (!u) break;
      snprintf(buf, sizeof buf, "%02u", u % 100);
      if (u > SkemaPeriode.LaasUge) Forskudt(buf, sizeof buf, std::string(buf).c_str());
      break;
    }
    case 279: {
      if (!ske->FoersteCelleTab || noegle >= ske->MarkRaekker || !ske->FoersteCelleTab[noegle]) {
        snprintf(buf, sizeof buf, " ");
        break;
      }
      uint32_t kFra, kTil;
      Synlige(ske->TidPos, &kFra, &kTil);
      uint8_t d1 = 0, d2 = 0;
      uint32_t c1 = 0, c2 = 0;
      const uint32_t prDag = CellerIDag(ske);
      const bool ok = KolonneCelle(ske, kFra, &d1, &c1) && KolonneCelle(ske, kTil, &d2, &c2);
      if (ske->Visning == 'D') {
        c1 = 1;
        c2 = prDag;
      }
      const uint32_t foerste = ok ? (d1 - 1u) * prDag + c1 : 0, sidste = ok ? (d2 - 1u) * prDag + c2 : 0;
      const bool foer = ok && ske->FoersteCelleTab[noegle] < foerste;
      const bool efter = ok && ske->SidsteCelleTab[noegle] > sidste;
      snprintf(buf, sizeof buf, "%c", foer && efter ? '=' : foer ? ';' : efter ? ':' : ' ');
      break;
    }
    case 351: {
      if (ske->ObjektArt != SKE_AKTI) break;
      const AktiRec *r = TabRec<AktiRec>(tvakti, objekt);
      const AktiRec *w = TabRec<AktiRec>(tvakti, SkeRaekkeObjekt(ske, ske->AktuelObjRaekke));
      if (r && w && r->uvfo_id && r->uvfo_id == w->uvfo_id) snprintf(buf, sizeof buf, "u");
      break;
    }
    case 355: {
      const uint32_t n = PlanTalUgeTab && uge <= PlanTalUgeW ? PlanTalUgeTab[uge].Lektioner : 0;
      const int vidde = static_cast<int>(std::min<uint32_t>(sf->Tegn + 1u, 20u));
      if (n == 0)
        snprintf(buf, sizeof buf, "  -");
      else
        snprintf(buf, sizeof buf, "%*u", vidde, (n + 5) / 10);
      break;
    }
    case 369: {
      if (ske->ObjektArt != SKE_ANFO || !objekt) break;
      const int32_t l = AnfoUgeLektioner(0, objekt, uge);
      const int32_t hele = l >= 0 ? (l + 500) / 1000 : -((-l + 500) / 1000);
      snprintf(buf, sizeof buf, "%*d", static_cast<int>(std::min<uint32_t>(+sf->Tegn, 20u)), hele);
      break;
    }
    case 370: {
      if (ske->ObjektArt != SKE_ANFO || !objekt) break;
      float timer = 0;
      if (!AnfoTreUgerTimer(0, objekt, uge, &timer)) break;
      const int t = static_cast<int>(timer + 0.5f);
      if (t < 100)
        snprintf(buf, sizeof buf, "%2d", t);
      else
        snprintf(buf, sizeof buf, "##");
      if (timer > 70.5f && pFarve) *pFarve = 8;
      break;
    }
    default: {
      SwitchRaekkeValg v;
      return SwitchCelleTekst(sf, static_cast<uint8_t>(ske->ObjektArt), ske->pObjTd, ske->pObjTv, objekt, &v,
                              tekst, pFarve);
    }
  }
  SkrivFelt(tekst, buf);
  return 0;
}

// ---- Repaints.

namespace {

// The old and the new current position of an axis, each once.
uint32_t GamleOgNye(uint32_t gammel, uint32_t ny, uint32_t ud[2]) {
  uint32_t n = 0;
  if (gammel) ud[n++] = gammel;
  if (ny && ny != gammel) ud[n++] = ny;
  return n;
}

}  // namespace

void OpdaterHoveder(SkeStruct *ske, SkemaMaler *m, uint32_t flag) {
  const bool tid = ske->Visning == 'T';
  auto Tegn = [&](uint32_t fra, uint32_t til) {
    if (tid)
      TegnTidsHoved(ske, m, fra, til);
    else
      TegnKolonneHoved(ske, m, fra, til);
  };
  if (flag & (SKE_TEGN_ALT | SKE_TEGN_GENBYG)) {
    uint32_t fra, til;
    Synlige(ske->TidPos, &fra, &til);
    Tegn(fra, til);
    return;
  }
  const uint32_t markoer = tid ? (SKE_TEGN_MARKOER | SKE_TEGN_RAEKKE) : (SKE_TEGN_MARKOER | SKE_TEGN_KOLONNE);
  if (!(flag & markoer)) return;
  uint32_t k[2];
  const uint32_t n = GamleOgNye(ske->ForrigeTidPos, ske->TidPos.Aktuel, k);
  for (uint32_t i = 0; i < n; ++i) Tegn(k[i], k[i]);
}

void OpdaterRaekkeHoveder(SkeStruct *ske, uint32_t flag) {
  if (flag & (SKE_TEGN_ALT | SKE_TEGN_GENBYG | SKE_TEGN_RULLET)) {
    uint32_t fra, til;
    Synlige(ske->ObjPos, &fra, &til);
    TegnRaekkeHoved(ske, fra, til);
    return;
  }
  if (!(flag & SKE_TEGN_RAEKKE)) return;
  uint32_t r[2];
  const uint32_t n = GamleOgNye(ske->ForrigeObjPos, ske->ObjPos.Aktuel, r);
  for (uint32_t i = 0; i < n; ++i) TegnRaekkeHoved(ske, r[i], r[i]);
}

void OpdaterCeller(SkeStruct *ske, SkemaMaler *m, uint32_t flag, int arealBredde) {
  uint32_t rFra, rTil, kFra, kTil;
  Synlige(ske->ObjPos, &rFra, &rTil);
  Synlige(ske->TidPos, &kFra, &kTil);
  if (flag & (SKE_TEGN_ALT | SKE_TEGN_GENBYG | SKE_TEGN_RULLET)) {
    TegnCeller(ske, m, rFra, rTil, kFra, kTil);
  } else if (flag & (SKE_TEGN_MARKOER | SKE_TEGN_RAEKKE | SKE_TEGN_KOLONNE)) {
    // Only the old and the new current cell's rows and columns.
    uint32_t r[2], k[2];
    const uint32_t nr = GamleOgNye(ske->ForrigeObjPos, ske->ObjPos.Aktuel, r);
    const uint32_t nk = GamleOgNye(ske->ForrigeTidPos, ske->TidPos.Aktuel, k);
    for (uint32_t i = 0; i < nr; ++i)
      if (r[i] >= rFra && r[i] <= rTil) TegnCeller(ske, m, r[i], r[i], kFra, kTil);
    for (uint32_t i = 0; i < nk; ++i)
      if (k[i] >= kFra && k[i] <= kTil) TegnCeller(ske, m, rFra, rTil, k[i], k[i]);
  } else {
    return;
  }
  TegnTidsEtiket(ske, m, arealBredde);
}

void OpdaterHjoerne(SkeStruct *ske) {
  EnsDC *dc = &ske->Ens.dc[ENSDC_HJOERNE_V];
  if (!dc->hdc) return;
  const uint32_t art = SkeObjSwitchArt(ske);
  const uint8_t bogstav = static_cast<uint8_t>(ske->ObjektArt);
  SkemaRaekkeArg arg{ske, ske->ObjPos.Aktuel};
  SwitchRaekkeValg v;
  v.Hoejde = kRaekkeHoejde;
  v.Skrift = TgnFont;  // the highlighted digits and the arrows of the computed fields
  TegnObjSwitchRaekkeCb(dc, 0, 0, 0, art, bogstav, ObjSwitchValgt(art, bogstav), SkemaRaekkeTekst, &arg, &v);
}

void OpdaterLodretCeller(SkeStruct *ske, SkemaMaler *m, uint32_t flag) {
  if (!(flag & (SKE_TEGN_ALT | SKE_TEGN_GENBYG | SKE_TEGN_RULLET | SKE_TEGN_MARKOER | SKE_TEGN_RAEKKE |
                SKE_TEGN_KOLONNE)))
    return;
  uint32_t oFra, oTil, tFra, tTil;
  Synlige(ske->ObjPos, &oFra, &oTil);
  Synlige(ske->TidPos, &tFra, &tTil);
  TegnLodretCeller(ske, m, oFra, oTil, tFra, tTil);
}

void OpdaterLodretHoveder(SkeStruct *ske, uint32_t flag) {
  EnsDC *dc = &ske->Ens.dc[ENSDC_KOLHOVED];
  if (!dc->hdc || !flag) return;
  const uint32_t art = SkeObjSwitchArt(ske);
  const uint8_t bogstav = static_cast<uint8_t>(ske->ObjektArt);
  const uint32_t nr = ObjSwitchValgt(art, bogstav);
  SwitchRaekkeValg v;
  v.Hoejde = kRaekkeHoejde;
  v.Skrift = TgnFont;  // the highlighted digits and the arrows of the computed fields
  uint32_t fra, til;
  Synlige(ske->ObjPos, &fra, &til);
  for (uint32_t r = fra; r <= til && r <= RaekkeAntal(ske); ++r) {
    SkemaRaekkeArg arg{ske, r};
    const uint8_t farve = r == ske->ObjPos.Aktuel ? MarkoerTillaeg(ske) : 0;
    TegnObjSwitchRaekkeCb(dc, LodretX(ske, r), 1, farve, art, bogstav, nr, SkemaRaekkeTekst, &arg, &v);
  }
}

namespace {

// A label's text colour on a background code: the glyphs' rule.
uint8_t EtiketFarve(uint8_t baggrund) {
  CelleFarveData c;
  c.Moenster = baggrund;
  c.Beregnet = true;
  return CelleTekstFarveKode(c);
}

}  // namespace

void OpdaterLodretRaekker(SkeStruct *ske, SkemaMaler *m, uint32_t flag) {
  if (!flag) return;
  const int hoejde = static_cast<int>(LodretRaekkeHoejde(ske));
  const int bredde = static_cast<int>(kLodretTidBredde);
  uint32_t fra, til;
  Synlige(ske->TidPos, &fra, &til);
  for (uint32_t k = fra; k <= til; ++k) {
    uint8_t dag;
    uint32_t celle;
    if (!KolonneCelle(ske, k, &dag, &celle)) break;
    const int y = LodretY(ske, k);
    const uint8_t farve = k == ske->TidPos.Aktuel ? MarkoerTillaeg(ske) : 0;
    m->Brik(0, y, bredde + 1, hoejde, farve, 0, 0, false, false);
    const bool dagStart = k == KolonneStart(ske, dag);
    const uint8_t tekstFarve = EtiketFarve(farve);
    if (ske->Visning == 'D' || dagStart) m->Tekst(1, y, 0, kDagNavn[dag], tekstFarve);
    char tekst[16] = "";
    if (ske->Visning == 'L')
      snprintf(tekst, sizeof tekst, "%u", celle % 100);
    else if (ske->Visning == 'T' && !dagStart && (celle - 1) % 12 == 0)
      snprintf(tekst, sizeof tekst, "%u.00", (celle - 1) / 12);
    if (tekst[0])
      m->Tekst(ske->Visning == 'L' ? bredde - 14 : 1, y, ske->Visning == 'L' ? 14 : 0, tekst, tekstFarve);
  }
}

void OpdaterLodretHjoerne(SkeStruct *ske, SkemaMaler *m) {
  const uint32_t hoved = ske->Ens.RaekkeHovedBredde;  // the frame's head is packed
  const int bredde = static_cast<int>(hoved ? hoved : kLodretTidBredde);
  m->Brik(0, 0, bredde + 1, static_cast<int>(kLodretHovedHoejde), 0, 0, 0, false, false);
  uint32_t raekke, celle;
  uint8_t dag;
  if (AktuelCelle(ske, &raekke, &dag, &celle)) m->Tekst(0, 1, bredde, kDagNavn[dag], EtiketFarve(0));
}

void RegistrerSkemaTegning() {
  SkeCelleFarveKrog = [](SkeStruct *ske, uint32_t raekke, uint32_t indgang, uint8_t ugedag, uint32_t celle) {
    return CelleFarve(ske, raekke, indgang, ugedag, celle);
  };
}
