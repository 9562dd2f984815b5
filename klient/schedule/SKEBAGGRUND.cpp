// The busy background of a schedule window. A cell's byte lies at
// row key x (cells per row + 7) + (weekday - 1) x (cells of a day + 1) +
// slot: each day keeps a slot 0 unused, so the seven days fill the row's
// width exactly.
#include "SKEBAGGRUND.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "AVSHJAELP.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEBEG.h"
#include "SKEREC.h"
#include "SKEVIS.h"
#include "tavo/assert.h"

uint8_t ValgtPaaElevsammenfald = 0;

namespace {

constexpr Klokkeslaet kDoegnSlut = 2400;

bool RolleOptager(uint32_t rol) {
  const SkemarolRec *r = TabRec<SkemarolRec>(tvskemarol, rol);
  return r && r->Check_skemasammenfald == 'J';
}

bool LokrolleOptager(uint32_t rolle) {
  const LokrolleRec *r = TabRec<LokrolleRec>(tvlokrolle, rolle);
  return r && r->Check_sammenfald == 'J';
}

// The start and end week of an object of a kind, from its table's period
// fields; both 0 when the record does not exist.
void ObjektUger(char art, uint32_t id, Uge *fra, Uge *til) {
  *fra = *til = 0;
  const TabDesc *pTd = art == 'K' ? &tdakti : art == 'M' ? &tdanfo : art == 'L' ? &tdloka : nullptr;
  const TabVar *pTv = art == 'K' ? &tvakti : art == 'M' ? &tvanfo : art == 'L' ? &tvloka : nullptr;
  if (!pTd || !pTv->pbTab || id == 0 || id >= pTv->wRecCnt) return;
  const uint8_t *rec = pTv->pbTab + static_cast<size_t>(id) * pTd->RecSize;
  const uint8_t fs = pTd->PeriodeFelter[PF_STARTUGE], fe = pTd->PeriodeFelter[PF_SLUTUGE];
  if (fs) memcpy(fra, rec + pTd->FeltTab[fs].Offset, sizeof *fra);
  if (fe) memcpy(til, rec + pTd->FeltTab[fe].Offset, sizeof *til);
}

uint32_t RaekkeDeltager(const SkeRec &s, char art) {
  return art == 'K' ? s.akti_id : art == 'M' ? s.anfo_id : art == 'L' ? s.loka_id : 0;
}

// Whether a row of the object counts as making it busy.
bool RaekkeTaeller(const SkeRec &s, char art) {
  switch (art) {
    case 'K': {
      const AktiRec *a = TabRec<AktiRec>(tvakti, s.akti_id);
      return a && a->Aktivitet[0] != '*' && !ErFravaersAkti(s.akti_id);
    }
    case 'M': return RolleOptager(s.skemarol_id);
    case 'L': return LokrolleOptager(s.lokrolle_id);
    default: return false;
  }
}

// What one walk over the object's rows writes into a cell.
struct Skriver {
  virtual ~Skriver() = default;
  virtual void Celle(SkeStruct *ske, uint32_t noegle, uint8_t dag, uint32_t slot, UgeIndeks uge, bool heleDagen) = 0;
};

// Walks every counting row of object id of kind art in the weeks of the
// object (or between the dates), on the view's weekdays, and hands the
// cells it covers to the writer, in every row key that shows them.
void GaaRaekker(SkeStruct *ske, char art, uint32_t id, Dato fra, Dato til, Skriver &skriv) {
  const uint32_t n = SkemaPeriode.AntalUger;
  if (n == 0 || id == 0) return;
  uint8_t fraDag = 1, tilDag = 7;
  Uge fraUge, tilUge;
  if (fra && til) {
    DatoTilUge(fra, &fraUge, &fraDag);
    DatoTilUge(til, &tilUge, &tilDag);
  } else {
    ObjektUger(art, id, &fraUge, &tilUge);
  }
  UgeIndeks w1 = std::clamp<UgeIndeks>(UgeTilIndeks(fraUge), 1, n);
  UgeIndeks w2 = std::clamp<UgeIndeks>(UgeTilIndeks(tilUge), 1, n);
  const bool foerPeriode = UgeTilIndeks(fraUge) == 0, efterPeriode = UgeTilIndeks(tilUge) > n;
  if (UgeTilIndeks(tilUge) == 0 || UgeTilIndeks(fraUge) > n) return;
  if (ske->AlleObjekter) {
    // One week is shown: only its rows matter.
    const UgeIndeks a = SkeAktuelUgeIndeks(ske);
    if (a < w1 || a > w2) return;
    w1 = w2 = a;
  }
  const VisningsTilstandRec &v = ske->Vis;
  const bool dagVisning = ske->Visning == 'D';
  const Klokkeslaet dagStart = static_cast<Klokkeslaet>(GlobalIndstillinger.starttid);
  const Klokkeslaet dagSlut = static_cast<Klokkeslaet>(GlobalIndstillinger.sluttid);
  for (UgeIndeks w = w1; w <= w2; ++w) {
    const Uge uge = IndeksTilUge(w);
    const TabVar *b = SkemabegBucket(uge);
    if (!b || !b->pbTab) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec &s = *reinterpret_cast<const SkeRec *>(b->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
      if (s.Status == 0 || (s.Status & SKE_SLETTET) || RaekkeDeltager(s, art) != id) continue;
      if (s.Dag < std::max<uint8_t>(v.FoersteUgedag, 1) || s.Dag > std::min<uint8_t>(v.SidsteUgedag, 7)) continue;
      if (fra && til && ((uge == fraUge && !foerPeriode && s.Dag < fraDag) ||
                         (uge == tilUge && !efterPeriode && s.Dag > tilDag)))
        continue;
      if (s.Lektion > kLektionerPrDag || s.Starttid > kDoegnSlut || s.Sluttid > kDoegnSlut) continue;
      if (!RaekkeTaeller(s, art)) continue;
      uint32_t foerste = v.FoersteSlot, sidste = v.SidsteSlot;
      if (dagVisning) {
        const bool over = s.Starttid < MedSammenfaldsinterval(dagSlut) && dagStart < MedSammenfaldsinterval(s.Sluttid);
        if (!over) continue;
      } else {
        uint8_t sn = 0, en = 0;
        FindCeller(ske, &foerste, &sidste, &sn, &en, s.Starttid, s.Sluttid, s.risy_id ? s.risy_id : ske->RingSystem);
        foerste = std::max(foerste, v.FoersteSlot);
        sidste = std::min(sidste, v.SidsteSlot);
      }
      // The row keys that show the cell: the week in the one-object view;
      // the object's own row when the window lists its kind, else every
      // row, in the view of all objects in one week.
      uint32_t k1 = w, k2 = w;
      if (ske->AlleObjekter) {
        if (art == ske->ObjektArt) {
          k1 = k2 = id;
        } else {
          k1 = 1;
          k2 = ske->FarveTimeRaekker ? ske->FarveTimeRaekker - 1 : 0;
        }
      }
      for (uint32_t k = k1; k <= k2; ++k)
        for (uint32_t slot = foerste; slot <= sidste; ++slot) skriv.Celle(ske, k, s.Dag, slot, w, dagVisning);
    }
  }
}

struct FarveSkriver : Skriver {
  uint8_t farve;
  explicit FarveSkriver(uint8_t f) : farve(f) {}
  void Celle(SkeStruct *ske, uint32_t noegle, uint8_t dag, uint32_t slot, UgeIndeks uge, bool heleDagen) override {
    uint8_t *c = BaggrundCelle(ske, ske->FarveTimeTab, noegle, dag, slot);
    if (!c) return;
    if (*c == 0) *c = farve;
    else if (!heleDagen && farve == BAGGRUND_FAELLES && *c == BAGGRUND_AKTI) *c = BAGGRUND_FAELLES;
    if (*c == BAGGRUND_FAELLES) {
      const uint8_t *valgt = BlokCelle(ske->BlokTab, ske->BlokUger, uge, dag, slot);
      if (valgt && (*valgt & BLOK_VALGT)) ValgtPaaElevsammenfald = 1;
    }
  }
};

struct PrioritetSkriver : Skriver {
  void Celle(SkeStruct *ske, uint32_t noegle, uint8_t dag, uint32_t slot, UgeIndeks, bool) override {
    uint8_t *c = BaggrundCelle(ske, ske->FarveTimeTab, noegle, dag, slot);
    uint8_t *p = BaggrundCelle(ske, ske->PrioritetTimeTab, noegle, dag, slot);
    if (!c || !p) return;
    if (*c == 0) *p = ske->Visning == 'T' ? BAGGRUND_PRIORITET_T : BAGGRUND_PRIORITET;
    else if (*c == BAGGRUND_AKTI) *c = BAGGRUND_FAELLES;
  }
};

bool IListe(const uint32_t *tab, uint32_t antal, uint32_t n) {
  for (uint32_t i = 0; tab && i < antal; ++i)
    if (tab[i] == n) return true;
  return false;
}

uint32_t AktiGruppe(uint32_t akti) {
  const AktiRec *a = TabRec<AktiRec>(tvakti, akti);
  return a ? a->Gruppe : 0;
}

// The student-overlap partners of activity a, each with the pair's dates.
template <class F>
void ForPartnere(uint32_t a, F &&f) {
  for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r) {
    const Elvrel2Rec *e = TabRec<Elvrel2Rec>(tvelvrel2, r);
    if (!e || e->Status == 0) continue;
    const uint32_t p = e->akti1_id == a ? e->akti2_id : e->akti2_id == a ? e->akti1_id : 0;
    if (p && p != a) f(p, e->Startdato, e->Slutdato);
  }
}

}  // namespace

uint32_t BaggrundCellerPrDag(const SkeStruct *ske) { return ske->Visning == 'T' ? kSlotsPrDag : kLektionerPrDag; }

uint8_t *BaggrundCelle(const SkeStruct *ske, uint8_t *tab, uint32_t noegle, uint8_t ugedag, uint32_t slot) {
  const uint32_t celler = BaggrundCellerPrDag(ske);
  if (!tab || noegle >= ske->FarveTimeRaekker || ugedag < 1 || ugedag > 7 || slot < 1 || slot > celler)
    return nullptr;
  const size_t i = static_cast<size_t>(noegle) * ske->FarveTimeBredde + (ugedag - 1u) * (celler + 1u) + slot;
  return i < static_cast<size_t>(ske->FarveTimeRaekker) * ske->FarveTimeBredde ? tab + i : nullptr;
}

void MarkerOptaget(SkeStruct *ske, char art, uint32_t id, uint8_t farve, Dato fra, Dato til) {
  FarveSkriver s(farve);
  GaaRaekker(ske, art, id, fra, til, s);
}

void MarkerPrioritet(SkeStruct *ske, uint32_t akti, Dato fra, Dato til) {
  PrioritetSkriver s;
  GaaRaekker(ske, 'K', akti, fra, til, s);
}

void ByggFarveTimeTab(SkeStruct *ske) {
  const AVS &a = AktuelAVS;
  // The event's group: one shared by all its activities, else none.
  bool enGruppe = a.aktiAntal > 0 && a.aktiTab;
  const uint32_t gruppe = enGruppe ? AktiGruppe(a.aktiTab[0]) : 0;
  for (uint32_t i = 1; enGruppe && i < a.aktiAntal; ++i) enGruppe = AktiGruppe(a.aktiTab[i]) == gruppe;

  const uint32_t raekker = ske->AlleObjekter ? (ske->pObjTv ? ske->pObjTv->wRecCnt : 0)
                                             : std::max(ske->UgeAntal, SkemaPeriode.AntalUger);
  const uint32_t celler = BaggrundCellerPrDag(ske);
  ske->FarveTimeRaekker = raekker + 1;
  ske->FarveTimeBredde = 7 * celler + 7;
  const size_t str = static_cast<size_t>(ske->FarveTimeRaekker) * ske->FarveTimeBredde;
  for (uint8_t **tab : {&ske->FarveTimeTab, &ske->PrioritetTimeTab}) {
    free(*tab);
    *tab = static_cast<uint8_t *>(calloc(str, 1));
    if (!*tab) tavo::AssertFailed("SkeStruct->FarveTimeTab != NULL", "SKEBAGGRUND", __LINE__);
  }
  ValgtPaaElevsammenfald = 0;
  const bool elevCheck = GlobalIndstillinger.checkelevsammenfald;

  if (ske->Variant != 'B') {
    if (ske->AlleObjekter) return;
    const uint32_t objekt = SkeRaekkeObjekt(ske, ske->AktuelObjRaekke);
    switch (ske->ObjektArt) {
      case 'K':
        MarkerOptaget(ske, 'K', objekt, BAGGRUND_AKTI, 0, 0);
        if (elevCheck)
          ForPartnere(objekt, [&](uint32_t p, Dato fra, Dato til) {
            MarkerOptaget(ske, 'K', p, BAGGRUND_FAELLES, fra, til);
          });
        break;
      case 'M': MarkerOptaget(ske, 'M', objekt, BAGGRUND_ANFO, 0, 0); break;
      case 'L': MarkerOptaget(ske, 'L', objekt, BAGGRUND_LOKA, 0, 0); break;
      default: break;
    }
    return;
  }

  if (ske->Tilstand == 'R') {
    // A change: what the event holds that the old event did not.
    const AVS &g = GammelAVS;
    for (uint32_t i = 0; a.aktiTab && i < a.aktiAntal; ++i)
      if (!IListe(g.aktiTab, g.aktiAntal, a.aktiTab[i])) MarkerOptaget(ske, 'K', a.aktiTab[i], BAGGRUND_AKTI, 0, 0);
    for (uint32_t i = 0; a.anfoTab && i < a.anfoAntal; ++i)
      if (!IListe(g.anfoTab, g.anfoAntal, a.anfoTab[i]) && a.skemarolTab && RolleOptager(a.skemarolTab[i]))
        MarkerOptaget(ske, 'M', a.anfoTab[i], BAGGRUND_ANFO, 0, 0);
    for (uint32_t i = 0; a.lokaTab && i < a.lokaAntal; ++i)
      if (!IListe(g.lokaTab, g.lokaAntal, a.lokaTab[i]) && a.lokrolleTab && LokrolleOptager(a.lokrolleTab[i]))
        MarkerOptaget(ske, 'L', a.lokaTab[i], BAGGRUND_LOKA, 0, 0);
    return;
  }
  if (ske->Visning == 'L' && a.risy_id == 0) return;
  for (uint32_t i = 0; a.aktiTab && i < a.aktiAntal; ++i) MarkerOptaget(ske, 'K', a.aktiTab[i], BAGGRUND_AKTI, 0, 0);
  if (elevCheck)
    for (uint32_t i = 0; a.aktiTab && i < a.aktiAntal; ++i)
      ForPartnere(a.aktiTab[i], [&](uint32_t p, Dato fra, Dato til) {
        if (IListe(a.aktiTab, a.aktiAntal, p)) return;
        if (enGruppe && AktiGruppe(p) != gruppe) MarkerPrioritet(ske, p, fra, til);
        else MarkerOptaget(ske, 'K', p, BAGGRUND_FAELLES, fra, til);
      });
  for (uint32_t i = 0; a.anfoTab && i < a.anfoAntal; ++i)
    if (a.skemarolTab && RolleOptager(a.skemarolTab[i])) MarkerOptaget(ske, 'M', a.anfoTab[i], BAGGRUND_ANFO, 0, 0);
  for (uint32_t i = 0; a.lokaTab && i < a.lokaAntal; ++i)
    if (a.lokrolleTab && LokrolleOptager(a.lokrolleTab[i]))
      MarkerOptaget(ske, 'L', a.lokaTab[i], BAGGRUND_LOKA, 0, 0);
  // The special schedule's planned working time (colour 58) waits for the
  // staff-time records of planned time and the setting that turns it on.
}
