// Rows, weeks, layers and day colours of a schedule window. The rows before
// layer expansion are kept beside the expanded axis, so a layer change never
// expands an already expanded axis twice.
#include "SKERAEKKE.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "AKTICHK.h"
#include "AVSHJAELP.h"
#include "ENS.h"
#include "ENSDC.h"
#include "GRIDAKSE.h"
#include "FARVER.h"
#include "KALENDER.h"
#include "KATALOG.h"
#include "OPTAGET.h"
#include "RECPRED.h"
#include "RINGTID.h"
#include "ROLLER.h"
#include "SKEBAGGRUND.h"
#include "SKEBEG.h"
#include "SKEMARK.h"
#include "SKETEGN.h"
#include "SKEVIS.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TAVODATA.h"
#include "VISFELT.h"
#include "tavo/assert.h"

HWND hwndBrikInfo = 0;
HWND hwndBrikInd = 0;
char BrikIndTilstand = 0;
AVS BrikInfoAVS = [] {
  AVS a{};
  CleanupAVS(&a);
  return a;
}();

namespace {

template <class T>
T *Alloker(size_t antal, const char *udtryk, int linje) {
  auto *p = static_cast<T *>(calloc(std::max<size_t>(antal, 1), sizeof(T)));
  if (!p) tavo::AssertFailed(udtryk, "SKERAEKKE", linje);
  return p;
}

template <class T>
void Erstat(T *&felt, T *ny) {
  free(felt);
  felt = ny;
}

const uint8_t *Post(const SkeStruct *ske, uint32_t n) {
  const TabVar *tv = ske->pObjTv;
  if (!tv || !tv->pbTab || !ske->pObjTd || n >= tv->wRecCnt) return nullptr;
  return tv->pbTab + static_cast<size_t>(n) * ske->pObjTd->RecSize;
}

uint32_t PeriodeFelt(const TabDesc *pTd, const uint8_t *rec, int slot) {
  const uint8_t f = pTd->PeriodeFelter[slot];
  if (!f) return 0;
  uint32_t v;
  memcpy(&v, rec + pTd->FeltTab[f].Offset, sizeof v);
  return v;
}

bool ErMarkeret(const SkeStruct *ske, uint32_t n) {
  const uint8_t *tab = nullptr;
  uint32_t str = 0;
  switch (ske->ObjektArt) {
    case SKE_AKTI: tab = ske->MarkAkti, str = ske->MarkAktiStr; break;
    case SKE_ANFO: tab = ske->MarkAnfo, str = ske->MarkAnfoStr; break;
    case SKE_LOKA: tab = ske->MarkLoka, str = ske->MarkLokaStr; break;
    default: break;
  }
  return tab && n < str && tab[n];
}

bool IListe(const uint32_t *tab, uint32_t antal, uint32_t n) {
  for (uint32_t i = 0; tab && i < antal; ++i)
    if (tab[i] == n) return true;
  return false;
}

// The rule of an editor view for one kind: shown when the event lists it,
// or, when its list is empty, when the event has no participant at all of
// the kinds before it in the rule (activities: neither employees nor rooms).
bool VisesIRedigering(char art, uint32_t n) {
  const AVS &a = AktuelAVS;
  switch (art) {
    case SKE_AKTI: return a.aktiAntal ? IListe(a.aktiTab, a.aktiAntal, n) : !a.anfoAntal && !a.lokaAntal;
    case SKE_ANFO: return a.anfoAntal ? IListe(a.anfoTab, a.anfoAntal, n) : !a.aktiAntal && !a.lokaAntal;
    case SKE_LOKA: return a.lokaAntal ? IListe(a.lokaTab, a.lokaAntal, n) : !a.aktiAntal && !a.anfoAntal;
    default: return false;
  }
}

// Layer count of a row key, 1 without layers or a count.
uint32_t Lag(const SkeStruct *ske, uint32_t noegle) {
  if (!ske->LagVis) return 1;
  return ske->LagAntal && noegle < ske->LagAntalStr ? ske->LagAntal[noegle] : 1;
}

// Expands grund[1..antal] into *ud (1-based) with LagTabNo; the current row
// becomes the copy of noegle in layer lag (its last copy when lag is above
// its count), else row 1 when rows exist.
uint32_t *Udvid(SkeStruct *ske, const uint32_t *grund, uint32_t antal, uint32_t *udAntal, uint32_t noegle,
                uint32_t lag, uint32_t *aktuel, const char *udtryk, int linje) {
  uint64_t ialt = 0;
  for (uint32_t i = 1; i <= antal; ++i) ialt += Lag(ske, grund[i]);
  auto *tab = Alloker<uint32_t>(ialt + 1, udtryk, linje);
  auto *lagNr = Alloker<uint32_t>(ialt + 1, "SkeStruct->LagTabNo != NULL", __LINE__);
  uint32_t r = 0, fundet = 0;
  for (uint32_t i = 1; i <= antal; ++i) {
    const uint32_t n = Lag(ske, grund[i]);
    for (uint32_t l = 1; l <= n; ++l) {
      tab[++r] = grund[i];
      lagNr[r] = l;
      if (grund[i] == noegle && (l == lag || (l == n && lag > n && !fundet))) fundet = r;
    }
  }
  Erstat(ske->LagTabNo, lagNr);
  *aktuel = fundet ? fundet : (r ? 1 : 0);
  *udAntal = r;
  return tab;
}

// The layer counts of the row keys from the visible list's lanes.
void TagLagAntal(SkeStruct *ske, uint32_t noegler) {
  auto *tab = Alloker<uint32_t>(noegler, "SkeStruct->LagAntal != NULL", __LINE__);
  for (uint32_t k = 0; k < noegler; ++k)
    tab[k] = ske->SporTab && k < ske->MarkRaekker ? std::max<uint32_t>(ske->SporTab[k], 1) : 1;
  Erstat(ske->LagAntal, tab);
  ske->LagAntalStr = noegler;
}

uint32_t AktuelLag(const SkeStruct *ske, uint32_t raekke, uint32_t antal) {
  return ske->LagTabNo && raekke >= 1 && raekke <= antal ? ske->LagTabNo[raekke] : 1;
}

// The rows of the record table laid out as R.
template <class R>
const R *Rec(const TabVar &tv, uint32_t n) {
  return TabRec<R>(tv, n);
}

bool IPeriode(Dato d) { return d >= SkemaPeriode.FraDato && d <= SkemaPeriode.TilDato; }

// The colour of a day for one object of a kind, 0 when none.
uint8_t DagsFarve(char art, uint32_t n, Dato d) {
  const bool fri = !IPeriode(d) || (GlobalIndstillinger.markerhellig && Helligdag(d));
  switch (art) {
    case SKE_AKTI: {
      const AktiRec *a = Rec<AktiRec>(tvakti, n);
      if (!a || IsReservedRec('K', n)) return 0;
      if (fri || (a->skka_id && !IsSkoledag(d, a->skka_id))) return DAGFARVE_UDENFOR;
      if (d < a->Fradato || d > a->Tildato || AktiUdenforPeriode(d, n, 0)) return DAGFARVE_AKTI;
      return 0;
    }
    case SKE_ANFO: {
      const AnfoRec *a = Rec<AnfoRec>(tvanfo, n);
      if (!a || IsReservedRec('M', n)) return 0;
      if (fri) return DAGFARVE_UDENFOR;
      return d < a->Fradato || d > a->Tildato ? DAGFARVE_ANFO : 0;
    }
    case SKE_LOKA: {
      const LokaRec *l = Rec<LokaRec>(tvloka, n);
      if (!l || IsReservedRec('L', n)) return 0;
      if (fri) return DAGFARVE_UDENFOR;
      return d < l->Fradato || d > l->Tildato ? DAGFARVE_LOKA : 0;
    }
    default: return 0;
  }
}

// Colours the 7 days of a row key for one object: activities over anything
// but a 6 (so 6 wins whichever activity brought it), employees and rooms
// only where the byte is still 0.
void FarvDage(SkeStruct *ske, uint32_t noegle, UgeIndeks uge, char art, uint32_t n) {
  if (noegle >= ske->FarveDagNoegler) return;
  const Uge u = IndeksTilUge(uge);
  if (u == 0) return;
  uint8_t *b = ske->FarveDagTab + static_cast<size_t>(noegle) * 7;
  for (uint8_t d = 1; d <= 7; ++d) {
    const uint8_t f = DagsFarve(art, n, UgeDagTilDato(u, d));
    if (!f) continue;
    if (art == SKE_AKTI ? b[d - 1] != DAGFARVE_UDENFOR : b[d - 1] == 0) b[d - 1] = f;
  }
}

// The row key's week and object.
void NoegleUgeObjekt(const SkeStruct *ske, uint32_t raekke, uint32_t *noegle, UgeIndeks *uge, uint32_t *objekt) {
  *noegle = SkeRaekkeNoegle(ske, raekke);
  if (ske->AlleObjekter) {
    *uge = SkeAktuelUgeIndeks(ske);
    *objekt = *noegle;
  } else {
    *uge = *noegle;
    *objekt = SkeRaekkeObjekt(ske, raekke);
  }
}

uint32_t RaekkeAntal(const SkeStruct *ske) { return ske->AlleObjekter ? ske->Ens.ObjTabAntal : ske->UgeAntal; }

int Metrik(int n) { return GetSystemMetrics(n); }

// The current cell of the grid: the column and row of the frame's axes.
void AktuelCelle(const SkeStruct *ske, uint32_t *kolonne, uint32_t *raekke) {
  *kolonne = ske->Ens.StyrX ? ske->Ens.StyrX->Aktuel : 0;
  *raekke = ske->Ens.StyrY ? ske->Ens.StyrY->Aktuel : 0;
}

// The period week of the current cell.
UgeIndeks CelleUge(const SkeStruct *ske) {
  if (ske->AlleObjekter) return SkeAktuelUgeIndeks(ske);
  const uint32_t w = SkeRaekkeNoegle(ske, ske->ObjPos.Aktuel);
  return w >= 1 && w <= SkemaPeriode.AntalUger ? w : SkeAktuelUgeIndeks(ske);
}

// Keeps the current row and column in view after a rebuild and sets the
// scroll bars. The frame's head is packed: its fields are copied out and
// back.
void HoldScroll(SkeStruct *ske) {
  Ens &e = ske->Ens;
  ske->ObjPos.Antal = RaekkeAntal(ske);
  ske->ObjPos.Aktuel = ske->AlleObjekter ? ske->AktuelObjRaekke : ske->AktuelUgeRaekke;
  // The object axis of the dot schedule steps a grid row, as its painter.
  if (ske->Layout == 'V') e.AkseY = {0, kRaekkeHoejde, 1, 0, 0};
  for (int i = 0; i < 2; ++i) {
    GridPos *pos = i == 0 ? e.StyrX : e.StyrY;
    if (!pos) continue;
    const GridAkse akse = i == 0 ? e.AkseX : e.AkseY;
    const int32_t extent = i == 0 ? e.RudeB[ENS_CELLER] : e.RudeH[ENS_CELLER];
    uint32_t offset = i == 0 ? e.ScrollX : e.ScrollY;
    if (extent > 0) GridScrollTilAktuel(pos, &offset, static_cast<uint32_t>(extent), &akse);
    if (i == 0) e.ScrollX = offset;
    else e.ScrollY = offset;
    HWND bar = i == 0 ? e.hwndHScroll : e.hwndVScroll;
    if (bar && extent > 0)
      SetScrollCtl(bar, extent, static_cast<int>(GridCelleSlut(&akse, pos->Antal)) + 1, static_cast<int>(offset));
  }
}

}  // namespace

// ---- Object rows ----

bool ObjektVises(const SkeStruct *ske, uint32_t n, Uge uge) {
  const uint8_t *rec = Post(ske, n);
  if (n < 2 || !rec) return false;
  const TabDesc *pTd = ske->pObjTd;
  const uint8_t status = RecStatus(pTd, rec);
  if (status < 10 || status > 29) return false;
  if (uge && !ske->IgnorerPeriode &&
      (uge < PeriodeFelt(pTd, rec, PF_STARTUGE) || uge > PeriodeFelt(pTd, rec, PF_SLUTUGE)))
    return false;
  if (pTd->PeriodeFelter[PF_GRUPPE] && !(PeriodeFelt(pTd, rec, PF_GRUPPE) & ske->ObjFilter)) return false;
  if (ske->FoelgerAVS[0] && ske->FoelgerAVS[1]) return VisesIRedigering(ske->ObjektArt, n);
  return ske->Variant != 'A' || ErMarkeret(ske, n);
}

uint32_t TaelObjekter(const SkeStruct *ske, Uge uge) {
  if (!ske->pObjTv) return 0;
  uint32_t antal = 0;
  for (uint32_t n = 2; n < ske->pObjTv->wRecCnt; ++n) antal += ObjektVises(ske, n, uge);
  return antal;
}

void ByggObjTab(SkeStruct *ske, Uge uge) {
  const uint32_t antal = TaelObjekter(ske, uge);
  auto *tab = Alloker<uint32_t>(antal + 1, "SkeStruct->Ens.ObjTab != NULL", __LINE__);
  uint32_t i = 0;
  for (uint32_t n = 2; ske->pObjTv && n < ske->pObjTv->wRecCnt && i < antal; ++n)
    if (ObjektVises(ske, n, uge)) tab[++i] = n;
  if (ske->pObjTd && i > 1) {
    // The sort field of the row-header layouts first, then the chosen
    // layout's own fields; without a layout the table's first field.
    const uint32_t art = SkeObjSwitchArt(ske);
    const uint8_t bogstav = ske->pObjTd->TypeBogstav;
    const uint32_t nr = ObjSwitchValgt(art, bogstav);
    uint32_t felter[kSwitchKolonner + 1];
    uint32_t antalFelter = 0;
    const SwitchLayout *nul = ObjSwitchLayout(art, bogstav, 0);
    if (nul && nul->SortFelt) felter[antalFelter++] = nul->SortFelt;
    const uint32_t feltAntal = std::min(ObjSwitchFeltAntal(art, bogstav, nr), kSwitchKolonner);
    for (uint32_t f = 0; f < feltAntal; ++f) felter[antalFelter++] = ObjSwitchFeltNr(art, bogstav, nr, f);
    if (antalFelter == 0) felter[antalFelter++] = 1;
    SorterPaaFelter(static_cast<char>(bogstav), tab, i, ske->pObjTd, ske->pObjTv, nullptr, 0, 1, felter,
                    antalFelter);
  }
  free(ske->Ens.ObjTab);
  ske->Ens.ObjTab = tab;
  ske->Ens.ObjTabAntal = i;
  ske->ObjAntal = i;
  auto *grund = Alloker<uint32_t>(i + 1, "lkObjTab != NULL", __LINE__);
  memcpy(grund, tab, (static_cast<size_t>(i) + 1) * sizeof(uint32_t));
  Erstat(ske->ObjGrund, grund);
  ske->AktuelObjRaekke = i ? std::clamp<uint32_t>(ske->AktuelObjRaekke, 1, i) : 0;
}

void ByggObjLag(SkeStruct *ske, uint32_t objekt, uint32_t lag) {
  if (!ske->ObjGrund) return;
  // The frame's head is packed: its fields are set by value.
  uint32_t antal = 0;
  uint32_t *tab = Udvid(ske, ske->ObjGrund, ske->ObjAntal, &antal, objekt, lag, &ske->AktuelObjRaekke,
                        "SkeStruct->Ens.ObjTab != NULL", __LINE__);
  free(ske->Ens.ObjTab);
  ske->Ens.ObjTab = tab;
  ske->Ens.ObjTabAntal = antal;
  ske->ObjPos.Antal = ske->Ens.ObjTabAntal;
  ske->ObjPos.Aktuel = ske->AktuelObjRaekke;
}

// ---- Week rows ----

namespace {

void SaetUger(SkeStruct *ske, UgeIndeks fra, UgeIndeks til, UgeIndeks aktuel) {
  const uint32_t antal = til >= fra ? til - fra + 1 : 0;
  auto *tab = Alloker<uint32_t>(antal + 1, "SkeStruct->Ens.UgeTab != NULL", __LINE__);
  auto *grund = Alloker<uint32_t>(antal + 1, "lkUgeTab != NULL", __LINE__);
  for (uint32_t i = 1; i <= antal; ++i) tab[i] = grund[i] = fra + i - 1;
  free(ske->Ens.UgeTab);
  ske->Ens.UgeTab = tab;
  Erstat(ske->UgeGrund, grund);
  ske->UgeAntal = ske->UgeGrundAntal = antal;
  ske->AktuelUgeRaekke = antal ? std::clamp<uint32_t>(aktuel >= fra ? aktuel - fra + 1 : 1, 1, antal) : 0;
  // Without layers each row is its own first layer.
  auto *lag = Alloker<uint32_t>(antal + 1, "SkeStruct->LagTabNo != NULL", __LINE__);
  for (uint32_t i = 1; i <= antal; ++i) lag[i] = 1;
  if (!ske->AlleObjekter) Erstat(ske->LagTabNo, lag);
  else free(lag);
  const uint32_t str = SkemaPeriode.AntalUger + 1;
  auto *invers = Alloker<uint32_t>(str, "SkeStruct->InversInternUgeTab != NULL", __LINE__);
  for (uint32_t i = 1; i <= antal; ++i) invers[tab[i]] = i;
  Erstat(ske->InversInternUgeTab, invers);
  ske->InversInternUgeStr = str;
}

}  // namespace

void ByggUgeTab(SkeStruct *ske, uint32_t objekt) {
  const uint32_t n = SkemaPeriode.AntalUger;
  const uint8_t *rec = Post(ske, objekt);
  if (ske->AlleObjekter || objekt == 0 || !rec || ske->Variant == 'B') {
    SaetUger(ske, 1, n, SkemaPeriode.AktuelUgeIndeks);
    return;
  }
  // Weeks before the period count from its first, after it from its last.
  const auto klem = [n](Uge u) { return std::clamp<UgeIndeks>(UgeTilIndeks(u), 1, std::max<uint32_t>(n, 1)); };
  const UgeIndeks fra = klem(PeriodeFelt(ske->pObjTd, rec, PF_STARTUGE));
  const UgeIndeks til = std::max(fra, klem(PeriodeFelt(ske->pObjTd, rec, PF_SLUTUGE)));
  SaetUger(ske, fra, n ? til : 0, SkemaPeriode.AktuelUgeIndeks);
}

void ByggUgeLag(SkeStruct *ske, UgeIndeks uge, uint32_t lag) {
  if (!ske->UgeGrund) return;
  uint32_t *tab = Udvid(ske, ske->UgeGrund, ske->UgeGrundAntal, &ske->UgeAntal, uge, lag, &ske->AktuelUgeRaekke,
                        "SkeStruct->Ens.UgeTab != NULL", __LINE__);
  free(ske->Ens.UgeTab);
  ske->Ens.UgeTab = tab;
  const uint32_t str = SkemaPeriode.AntalUger + 1;
  auto *invers = Alloker<uint32_t>(str, "SkeStruct->InversInternUgeTab != NULL", __LINE__);
  for (uint32_t r = ske->UgeAntal; r >= 1; --r)
    if (ske->Ens.UgeTab[r] < str && ske->LagTabNo[r] == 1) invers[ske->Ens.UgeTab[r]] = r;
  Erstat(ske->InversInternUgeTab, invers);
  ske->InversInternUgeStr = str;
}

void ByggUgeTabAlle(SkeStruct *ske) {
  const uint32_t n = SkemaPeriode.AntalUger;
  UgeIndeks aktuel = 0;
  for (uint32_t w = 1; w <= n && !aktuel; ++w)
    for (uint32_t d = 1; d <= 7 && !aktuel; ++d)
      for (uint32_t s = 1; s <= kBlokSlots && !aktuel; ++s) {
        const uint8_t *c = BlokCelle(ske->BlokTab, ske->BlokUger, w, d, s);
        if (!c) break;
        if (*c & BLOK_VALGT) aktuel = w;
      }
  SaetUger(ske, 1, n, aktuel ? aktuel : SkemaPeriode.AktuelUgeIndeks);
  auto *lag = Alloker<uint32_t>(n + 1, "SkeStruct->LagTabNo != NULL", __LINE__);
  for (uint32_t i = 1; i <= n; ++i) lag[i] = 1;
  Erstat(ske->LagTabNo, lag);
}

uint32_t FindUgeRaekke(const SkeStruct *ske, UgeIndeks uge) {
  if (!ske->Ens.UgeTab || ske->UgeAntal == 0) return 1;
  const uint32_t a = ske->AktuelUgeRaekke;
  if (ske->LagVis && a >= 1 && a <= ske->UgeAntal && ske->Ens.UgeTab[a] == uge) return a;
  for (uint32_t r = ske->UgeAntal; r >= 1; --r)
    if (ske->Ens.UgeTab[r] == uge) return r;
  return 1;
}

// ---- Day colours ----

void ByggFarveDagTab(SkeStruct *ske) {
  const uint32_t noegler =
      ske->AlleObjekter ? (ske->pObjTv ? ske->pObjTv->wRecCnt : 0) : SkemaPeriode.AntalUger + 1;
  Erstat(ske->FarveDagTab, Alloker<uint8_t>(static_cast<size_t>(noegler) * 7, "SkeStruct->FarveDagTab != NULL",
                                            __LINE__));
  ske->FarveDagNoegler = noegler;
  const uint32_t raekker = RaekkeAntal(ske);
  for (uint32_t r = 1; r <= raekker; ++r) {
    uint32_t noegle, objekt;
    UgeIndeks uge;
    NoegleUgeObjekt(ske, r, &noegle, &uge, &objekt);
    if (ske->Variant == 'B') {
      // A change also colours the old event's participants the new one
      // does not list.
      const AVS &a = AktuelAVS, &g = GammelAVS;
      const bool ret = ske->Tilstand == 'R';
      for (uint32_t i = 0; a.aktiTab && i < a.aktiAntal; ++i) FarvDage(ske, noegle, uge, SKE_AKTI, a.aktiTab[i]);
      for (uint32_t i = 0; ret && g.aktiTab && i < g.aktiAntal; ++i)
        if (!IListe(a.aktiTab, a.aktiAntal, g.aktiTab[i])) FarvDage(ske, noegle, uge, SKE_AKTI, g.aktiTab[i]);
      for (uint32_t i = 0; a.anfoTab && i < a.anfoAntal; ++i) FarvDage(ske, noegle, uge, SKE_ANFO, a.anfoTab[i]);
      for (uint32_t i = 0; ret && g.anfoTab && i < g.anfoAntal; ++i)
        if (!IListe(a.anfoTab, a.anfoAntal, g.anfoTab[i])) FarvDage(ske, noegle, uge, SKE_ANFO, g.anfoTab[i]);
      for (uint32_t i = 0; a.lokaTab && i < a.lokaAntal; ++i) FarvDage(ske, noegle, uge, SKE_LOKA, a.lokaTab[i]);
      for (uint32_t i = 0; ret && g.lokaTab && i < g.lokaAntal; ++i)
        if (!IListe(a.lokaTab, a.lokaAntal, g.lokaTab[i])) FarvDage(ske, noegle, uge, SKE_LOKA, g.lokaTab[i]);
    } else {
      FarvDage(ske, noegle, uge, ske->ObjektArt, objekt);
    }
    // Days outside the period, whatever the object.
    const Uge u = IndeksTilUge(uge);
    if (noegle >= noegler) continue;
    for (uint8_t d = 1; d <= 7; ++d)
      if (u == 0 || !IPeriode(UgeDagTilDato(u, d)))
        ske->FarveDagTab[static_cast<size_t>(noegle) * 7 + d - 1] = DAGFARVE_UDENFOR;
  }
}

uint8_t FarveDag(const SkeStruct *ske, uint32_t noegle, uint8_t ugedag) {
  if (!ske->FarveDagTab || noegle >= ske->FarveDagNoegler || ugedag < 1 || ugedag > 7) return 0;
  return ske->FarveDagTab[static_cast<size_t>(noegle) * 7 + ugedag - 1];
}

// ---- Field-switch kinds ----

uint32_t SkeObjSwitchArt(const SkeStruct *ske) {
  if (ske->Layout == 'L') return ske->EtObjekt ? 11 : ske->AlleObjekter ? 5 : 2;
  if (ske->EtObjekt) return 24;
  if (ske->Variant == 'B') return 29;
  return ske->AlleObjekter ? 22 : 19;
}

uint32_t SkeBrkSwitchArt(const SkeStruct *ske) {
  if (ske->Layout == 'L') return ske->EtObjekt ? 2 : ske->AlleObjekter ? 1 : 0;
  if (ske->EtObjekt) return 5;
  if (ske->Visning == 'T') return 7;
  return ske->Variant == 'B' ? 4 : 3;
}

// ---- Geometry ----

uint32_t CalcSkemaWndWidth(uint32_t hovedBredde, uint32_t feltBredde, uint32_t ekstra, const TabDesc *pTd,
                           const TabVar *pTv, uint32_t maske, uint32_t tilbudt, int art, bool ugerFraTabel) {
  const int64_t f = Metrik(SM_CXFRAME), s = Metrik(SM_CXVSCROLL);
  const int64_t w = std::max<int64_t>(feltBredde + 15, hovedBredde);
  const int64_t n = ugerFraTabel ? MaxAktivePrUge(pTd, pTv, maske) : SkemaPeriode.AntalUger;
  const int64_t del = art == 1 ? w - 2 * f : art == 2 ? w : (w + 1) * n - 1;
  const int64_t r = ekstra + 6 + f + s + f + del;
  const int64_t mindst = art == 1 || art == 2 ? 150 : 550;
  return static_cast<uint32_t>(std::max<int64_t>(std::min<int64_t>(r, tilbudt), mindst));
}

namespace {

// Shown weekdays and steps of one day of a mode's view settings.
struct Omfang {
  int64_t dage, trin;
  bool enDag;
};

Omfang VisOmfang(char visning) {
  const VisningsTilstandRec &v = VisningsTilstandFor(visning);
  return {static_cast<int64_t>(v.SidsteUgedag) - v.FoersteUgedag + 1,
          static_cast<int64_t>(v.SidsteSlot) - v.FoersteSlot + 1, v.Ugedag >= 1 && v.Ugedag <= 7};
}

}  // namespace

uint32_t CalcSkemaWndHeight(uint32_t tilbudt, bool udenRamme, uint32_t statusLinjer, char visning) {
  const Omfang o = VisOmfang(visning);
  const int64_t f = Metrik(SM_CYFRAME), s = Metrik(SM_CYHSCROLL), c = Metrik(SM_CYCAPTION);
  const int64_t celler = o.enDag ? o.trin * 11 : o.dage * o.trin * 11;
  int64_t r = o.dage * (celler + 3) + 40 + s + 20 * static_cast<int64_t>(statusLinjer) + f + c + f;
  if (udenRamme) r -= c + 2 * f;
  return static_cast<uint32_t>(std::max<int64_t>(std::min<int64_t>(r, tilbudt), 100));
}

uint32_t CalcSkemaWndWidthV(uint32_t basis, uint32_t tilbudt, char visning, char layout, uint32_t slotBredde,
                            uint32_t ekstra) {
  const Omfang o = VisOmfang(visning);
  const int64_t f = Metrik(SM_CXFRAME), s = Metrik(SM_CXVSCROLL);
  const int64_t gange = o.enDag ? 1 : o.dage;
  int64_t w;
  if (visning == 'T') {
    w = (o.trin * gange * slotBredde + ekstra) * o.dage - 1;
  } else {
    w = (4 * (3 * o.trin * gange) + 1) * o.dage - 1;
  }
  int64_t r = s + 3 + static_cast<int64_t>(basis) + 3 + w;
  if (layout != 'B') r += 2 * f;
  return static_cast<uint32_t>(std::max<int64_t>(std::min<int64_t>(r, tilbudt), 150));
}

uint32_t SkemaHovedBredde(const SkeStruct *ske) {
  const uint32_t *p = ske->HovedDele;
  if (ske->Visning == 'T') return 35 + p[0] + 3 * p[2] + p[3] + p[4] + p[5];
  if (ske->Layout == 'V') return p[0] + 2 * p[1] + p[2] + 33;
  return p[0] + p[2] + 11;
}

uint32_t CalcSkemaWndHeightV(const SkeStruct *ske, uint32_t tilbudt, uint32_t statusLinjer) {
  const int64_t f = Metrik(SM_CYFRAME), s = Metrik(SM_CYHSCROLL), c = Metrik(SM_CYCAPTION);
  int64_t raekker = ske->ObjPos.Antal;
  if (raekker == 0)
    raekker = ske->AlleObjekter ? MaxAktivePrUge(ske->pObjTd, ske->pObjTv, ske->ObjFilter) : SkemaPeriode.AntalUger;
  const int64_t r = SkemaHovedBredde(ske) + c + 2 * f + s + 20 * static_cast<int64_t>(statusLinjer) +
                    15 * std::max<int64_t>(5, raekker) + 27;
  return static_cast<uint32_t>(std::max<int64_t>(std::min<int64_t>(r, tilbudt), 100));
}

void SkemaAkser(SkeStruct *ske) {
  if (ske->Layout != 'L') return;
  // The columns are as wide as the painter draws them and the rows as high,
  // so that a click lands on the cell under it.
  ske->Ens.KolHovedHoejde = kLodretHovedHoejde;
  ske->Ens.AkseX = {0, LodretKolonneBredde(ske), 1, 0, 0};
  ske->Ens.AkseY = {0, LodretRaekkeHoejde(ske), 1, 0, 0};
}

// ---- Status panes ----

bool CreateSkemaStatBar(HWND hwnd, SkeStruct *ske) {
  if (!EnsKrog.OpretStatusBar) return false;
  SkemaStatBar &sb = ske->StatBar;
  bool norm = false;
  if (ske->ObjektArt == SKE_AKTI)
    for (uint32_t n = 1; n < tvakti.wRecCnt && !norm; ++n) {
      const AktiRec *a = Rec<AktiRec>(tvakti, n);
      norm = a->BudgetLererLektioner != 0 || a->BudgetLererTimer != 0;
    }
  uint32_t sidste = ske->ObjektArt == SKE_AKTI ? (norm ? 6 : 4) : ske->ObjektArt == SKE_LOKA ? 3 : 4;
  if (ske->FoelgerAVS[1] && !ske->FoelgerAVS[0]) sidste = 1;
  Erstat(sb.hwndStatBar, Alloker<HWND>(sidste + 1, "SkeStruct->StatBar.hwndStatBar != NULL", __LINE__));
  Erstat(sb.StatHDC, Alloker<HDC>(sidste + 1, "SkeStruct->StatBar.StatHDC != NULL", __LINE__));
  Erstat(sb.statbarWindowNr, Alloker<uint8_t>(sidste + 1, "SkeStruct->StatBar.statbarWindowNr != NULL", __LINE__));
  sb.SidsteRude = sidste;
  for (uint32_t i = 0; i <= sidste; ++i) {
    const int id = ske->ObjektArt == SKE_ANFO && i == 3 ? 104 : static_cast<int>(i) + 1;
    HWND rude = EnsKrog.OpretStatusBar(hwnd, "", 0, id);
    sb.hwndStatBar[i] = rude;
    sb.StatHDC[i] = rude ? GetDC(rude) : 0;
    sb.statbarWindowNr[i] = static_cast<uint8_t>(i);
    if (rude) {
      ShowWindow(rude, SW_SHOW);
      UpdateWindow(rude);
    }
  }
  if (ske->ObjektArt == SKE_AKTI && !norm && sidste >= 3) sb.statbarWindowNr[3] = 5;
  if (ske->ObjektArt == SKE_ANFO && sidste >= 3 && sb.hwndStatBar[3]) {
    static const char kTip[] =
        "R = Antal arbejdstimer i snit pr. uge resten af året.\n"
        "N = Antal arbejdstimer i snit pr. uge resten af året\n"
        "    for at opfylde normen.";
    SendMessageA(sb.hwndStatBar[3], TT_SETTEXT, 0, reinterpret_cast<LPARAM>(kTip));
  }
  return true;
}

void SkemaStatTekst(SkeStruct *ske, uint8_t indhold, char *tekst, size_t str, uint8_t *farve) {
  *farve = 60;
  if (str == 0) return;
  tekst[0] = '\0';
  const uint32_t objekt = SkeRaekkeObjekt(ske, ske->AktuelObjRaekke);
  if (!ske->pObjTd || !Post(ske, objekt)) return;
  const uint32_t art = SkeObjSwitchArt(ske);
  const uint8_t bogstav = ske->pObjTd->TypeBogstav;
  SwitchRaekkeValg v;
  if (indhold == 5) {
    uint32_t kolonne, raekke;
    AktuelCelle(ske, &kolonne, &raekke);
    v.Valg1 = static_cast<int32_t>(FindBegivenhedICelle(ske, kolonne, raekke, nullptr));
  }
  char buf[kSwitchTekstLen];
  uint8_t f = 16;
  ObjSwitchCelleTekst(art, bogstav, ObjSwitchValgt(art, bogstav), indhold, ske->pObjTd, ske->pObjTv, objekt, &v,
                      buf, &f);
  size_t n = std::min<size_t>({72, strnlen(buf, sizeof buf), str - 1});
  while (n > 0 && buf[n - 1] == ' ') --n;
  memcpy(tekst, buf, n);
  tekst[n] = '\0';
  *farve = f;
}

void VisSkemaStatBar(SkeStruct *ske, uint32_t flags) {
  SkemaStatBar &sb = ske->StatBar;
  if (!sb.hwndStatBar || !sb.StatHDC || !sb.statbarWindowNr) return;
  // Content 2 holds figures of a year: it changes with the week only when
  // the first and the current week lie in different years.
  const Uge foerste = IndeksTilUge(ske->UgeAntal ? SkeRaekkeNoegle(ske, 1) : 1);
  const bool aarSkift = ske->AlleObjekter || foerste / 100 != IndeksTilUge(SkeAktuelUgeIndeks(ske)) / 100;
  for (uint32_t i = 0; i <= sb.SidsteRude; ++i) {
    HWND rude = sb.hwndStatBar[i];
    HDC dc = sb.StatHDC[i];
    if (!rude || !dc) continue;
    const uint8_t indhold = sb.statbarWindowNr[i];
    if (!(flags & 1) && indhold == 2 && !aarSkift) continue;
    char tekst[80];
    uint8_t farve;
    SkemaStatTekst(ske, indhold, tekst, sizeof tekst, &farve);
    RECT rc;
    GetClientRect(rude, &rc);
    rc.left += 2, rc.top += 2, rc.right -= 2, rc.bottom -= 2;
    const COLORREF gemt = GetTextColor(dc);
    if (farve < kAntalFarver) SetTextColor(dc, FarveTab[farve]);
    ExtTextOutA(dc, 4, 3, ETO_OPAQUE | ETO_CLIPPED, &rc, tekst, static_cast<UINT>(strlen(tekst)), nullptr);
    SetTextColor(dc, gemt);
  }
}

// ---- Rebuild and refresh ----

void ByggRaekker(SkeStruct *ske) {
  const uint32_t gammel = SkeRaekkeObjekt(ske, ske->AktuelObjRaekke);
  if (ske->AlleObjekter) {
    const uint32_t lag = AktuelLag(ske, ske->AktuelObjRaekke, ske->Ens.ObjTabAntal);
    if (!ske->Ens.UgeTab) ByggUgeTab(ske, 0);
    const Uge uge = IndeksTilUge(SkeAktuelUgeIndeks(ske));
    ByggObjTab(ske, uge);
    if (ske->LagVis) {
      ByggeSkeVisListeUge(ske, uge);
      MarkerBegivenheder(ske);
    }
    TagLagAntal(ske, ske->pObjTv ? ske->pObjTv->wRecCnt : 0);
    ByggObjLag(ske, gammel, lag);
    return;
  }
  if (ske->Variant == 'A') MarkerAktiveObjekter(ske, IndeksTilUge(SkeAktuelUgeIndeks(ske)));
  if (!ske->Ens.ObjTab) ByggObjTab(ske, 0);
  // The rows that follow an event's participants (variant 'B' of a window
  // of kind 'U') belong to the event-row layer, which builds them itself.
  const uint32_t objekt = SkeRaekkeObjekt(ske, ske->AktuelObjRaekke);
  if (ske->Variant == 'N' || ske->Tilstand != 'R') {
    const UgeIndeks uge = SkeAktuelUgeIndeks(ske);
    const uint32_t lag = AktuelLag(ske, ske->AktuelUgeRaekke, ske->UgeAntal);
    ByggUgeTab(ske, objekt);
    if (ske->LagVis) {
      ByggeSkeVisListeObjekt(ske, objekt);
      MarkerBegivenheder(ske);
    }
    TagLagAntal(ske, SkemaPeriode.AntalUger + 1);
    ByggUgeLag(ske, uge, lag);
  }
  if (ske->ObjektArt == SKE_AKTI && ske->Variant == 'N' && ske->Visning != 'T') {
    if (const AktiRec *a = Rec<AktiRec>(tvakti, objekt)) {
      ske->RingSystem = a->risy_id;
      // The toolbar hands the message on to its ring strip.
      if (ske->Ens.hwndToolbar) SendMessageA(ske->Ens.hwndToolbar, RING_VIS_ID, a->risy_id, 0);
    }
  }
}

void OpdaterEfterAendring(SkeStruct *ske, bool genbyg, bool tegn) {
  if (genbyg) {
    ByggRaekker(ske);
    ByggFarveDagTab(ske);
    ByggFarveTimeTab(ske);
    HoldScroll(ske);
    if (ske->Ens.Aktiv && (ske->Variant == 'N' || ske->Variant == 'A') && ske->Layout == 'V') {
      uint32_t kolonne, raekke;
      AktuelCelle(ske, &kolonne, &raekke);
      const uint32_t indgang = FindBegivenhedICelle(ske, kolonne, raekke, nullptr);
      CleanupAVS(&BrikInfoAVS);
      if (indgang) HentVisAVS(ske, &BrikInfoAVS, indgang, true);
    }
  }
  if (tegn) OpdaterSkemaVindue(ske, 0);
}

void OpdaterSkemaVindue(SkeStruct *ske, uint32_t flags) {
  const uint32_t gammelFoerste = ske->Vis.FoersteSlot;
  ske->Vis = VisningsTilstandFor(ske->Visning);
  // The tile grid's time axis follows a moved start of the day; the dot
  // schedule's axes are the tile layer's.
  if (ske->Visning == 'T' && ske->Vis.FoersteSlot != gammelFoerste) SkemaAkser(ske);
  uint32_t kolonne, raekke;
  AktuelCelle(ske, &kolonne, &raekke);
  const uint32_t tidsKolonne = ske->TidPos.Aktuel;
  const uint8_t ugedag = KolonneUgedag(ske->Visning, tidsKolonne);
  if (ske->Ens.Aktiv) {
    for (int m = 0; m < kAntalVisninger; ++m) VisningsTilstand[m].Ugedag = ugedag;
    VisningsTilstandRec &l = VisningsTilstandFor('L'), &t = VisningsTilstandFor('T');
    switch (ske->Visning) {
      case 'D': VisningsTilstandFor('D').AktuelSlot = 1; break;
      case 'T': {
        const uint32_t slot = KolonneLektion('T', t.FoersteSlot, tidsKolonne);
        t.AktuelSlot = slot;
        l.AktuelSlot = slot >= t.FoersteSlot ? (slot - t.FoersteSlot) / 12 + 1 : 1;
        break;
      }
      default: {
        const uint32_t lektion = KolonneLektion('L', l.FoersteSlot, tidsKolonne);
        l.AktuelSlot = lektion;
        t.AktuelSlot = t.FoersteSlot + (lektion >= l.FoersteSlot ? (lektion - l.FoersteSlot) * 12 : 0);
        break;
      }
    }
    ske->Vis = VisningsTilstandFor(ske->Visning);
  }
  const UgeIndeks uge = CelleUge(ske);
  if (ske->Variant == 'N' || ske->Variant == 'A') {
    const uint32_t indgang = FindBegivenhedICelle(ske, kolonne, raekke, nullptr);
    const uint32_t objekt = SkeRaekkeObjekt(ske, ske->AlleObjekter ? ske->ObjPos.Aktuel : ske->AktuelObjRaekke);
    if (ske->pObjTv && objekt) ske->pObjTv->AktuelRec = objekt;
    if (uge >= 1 && uge <= SkemaPeriode.AntalUger) SkemaPeriode.AktuelUgeIndeks = uge;
    if (hwndBrikInfo && IsWindow(hwndBrikInfo))
      SendMessageA(hwndBrikInfo, BRIKINFO_VIS, indgang, reinterpret_cast<LPARAM>(ske));
    if (indgang && indgang <= ske->SkeVisAntal) {
      const SkeVisListe &e = ske->lpSkeVisListe[indgang];
      const SkeRec *r = VisFoersteRaekke(e);
      if (e.FarveKode == FARVE_MAERKET && r && r->Lektion == 0 && r->Starttid != 0) flags |= 1;
    }
  }
  if (hDatoVindue && IsWindow(hDatoVindue))
    SendMessageA(hDatoVindue, STATUS_DATO_SAET, 0, static_cast<LPARAM>(UgeDagTilDato(IndeksTilUge(uge), ugedag)));
  if (hwndBrikInd && IsWindow(hwndBrikInd) && BrikIndTilstand == 'B' && AktuelAVS.Art != 'S' &&
      uge != ske->ForrigeUge && AktuelAVS.anfoAntal && AktuelAVS.skemarolTab &&
      (AktuelAVS.Art == 'P' || SkemarolErFravaer(AktuelAVS.skemarolTab[0])))
    SendMessageA(hwndBrikInd, SKE_INDTAST_OPDATER, 0, 0);
  for (HWND rude : {ske->Ens.hwndCeller, ske->Ens.hwndRaekkeHoved, ske->Ens.hwndKolHoved, ske->Ens.hwndHoejre})
    if (rude) InvalidateRect(rude, nullptr, FALSE);
  if (ske->StatBar.hwndStatBar) VisSkemaStatBar(ske, flags);
  ske->ForrigeObjPos = ske->ObjPos.Aktuel;
  ske->ForrigeTidPos = ske->TidPos.Aktuel;
  ske->ForrigeUge = uge;
}
