// Visible events. The list is built in one pass over the buckets of the
// weeks shown, each chain linked at its tail, and grows geometrically: the
// week list of a large school holds tens of thousands of entries. Every
// number read from a row (weekday, object, Forste, lesson, times) is checked
// or clamped before it indexes a table, since rows come from files as they
// are.
#include "SKEVIS.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include "KATALOG.h"
#include "MINNORM.h"
#include "RECPRED.h"
#include "REGNING.h"
#include "SIDEFIL.h"
#include "STATUSFILTER.h"
#include "tavo/assert.h"

namespace {

const SkeRec *Raekke(const TabVar *b, uint32_t r) {
  return reinterpret_cast<const SkeRec *>(b->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
}


// Room for n entries; a list that cannot grow stops the program.
void SikrPlads(SkeStruct *ske, uint32_t n, uint32_t trin) {
  if (n <= ske->SkeVisKapacitet) return;
  const uint64_t ny = std::max<uint64_t>({n, uint64_t{ske->SkeVisKapacitet} + trin, uint64_t{ske->SkeVisKapacitet} * 2});
  void *p = ny > UINT32_MAX ? nullptr : realloc(ske->lpSkeVisListe, ny * sizeof(SkeVisListe));
  if (!p) tavo::AssertFailed("lkSkeVisListe != NULL", "SKEVIS", __LINE__);
  ske->lpSkeVisListe = static_cast<SkeVisListe *>(p);
  ske->SkeVisKapacitet = static_cast<uint32_t>(ny);
}

// A new list: chain heads for the grid rows, all zero, and entry 0. Grid
// row 0 names no object and no week, so its chains stay empty.
// The memory of the old list is used again, as a window rebuilds the same
// week over and over; every entry and head is new.
class Bygger {
 public:
  Bygger(SkeStruct *ske, uint32_t raekker, uint32_t trin) : ske_(ske), trin_(trin) {
    const size_t n = std::max<size_t>(static_cast<size_t>(raekker) * 8, 1);
    free(ske->KaedeHoveder);
    ske->KaedeHoveder = static_cast<uint32_t *>(calloc(n, sizeof(uint32_t)));
    hale_ = static_cast<uint32_t *>(calloc(n, sizeof(uint32_t)));
    if (!ske->KaedeHoveder || !hale_) tavo::AssertFailed("lkSkeVisListe != NULL", "SKEVIS", __LINE__);
    ske->KaedeRaekker = raekker;
    if (ske->ObjektArt == SKE_AKTI) fravaer_.assign(tvakti.wRecCnt, 0);
    SikrPlads(ske, 1, trin);
    memset(&ske->lpSkeVisListe[0], 0, sizeof(SkeVisListe));
    ske->SkeVisAntal = 0;
  }
  ~Bygger() { free(hale_); }

  // Appends the row's entry to the end of the chain (grid row, weekday).
  void Tilfoej(uint32_t raekke, uint8_t aarIdx, uint8_t uge, const SkeRec &s, uint8_t farve) {
    const uint32_t n = ske_->SkeVisAntal + 1;
    SikrPlads(ske_, n + 1, trin_);
    SkeVisListe &e = ske_->lpSkeVisListe[n];
    e.AarIndeks = aarIdx;
    e.Uge = uge;
    e.Forste = s.Forste;
    e.Naeste = 0;
    e.PosterTid = 1;
    e.SammenfaldsCheck = 1;
    e.AKRolle = 0;
    e.Bem = s.bem_id != 0;
    e.FarveKode = farve;
    e.Nul = 0;
    e.Spor = 0;
    JusterFlag(s, &e);
    const size_t k = static_cast<size_t>(raekke) * 8 + s.Dag;
    if (hale_[k])
      ske_->lpSkeVisListe[hale_[k]].Naeste = n;
    else
      ske_->KaedeHoveder[k] = n;
    hale_[k] = n;
    ske_->SkeVisAntal = n;
  }

 private:
  // The participant's exemptions by the window's kind.
  void JusterFlag(const SkeRec &s, SkeVisListe *e) {
    switch (ske_->ObjektArt) {
      case SKE_ANFO:
        if (const SkemarolRec *r = TabRec<SkemarolRec>(tvskemarol, s.skemarol_id)) {
          if (r->Check_skemasammenfald == 'N') e->SammenfaldsCheck = 0;
          if (r->Genererer_timeposter == 'N') e->PosterTid = 0;
          if ((r->Rolle[0] == 'A' || r->Rolle[0] == 'a') && (r->Rolle[1] == 'K' || r->Rolle[1] == 'k')) e->AKRolle = 1;
        }
        break;
      case SKE_LOKA:
        if (const LokrolleRec *r = TabRec<LokrolleRec>(tvlokrolle, s.lokrolle_id))
          if (r->Check_sammenfald == 'N') e->SammenfaldsCheck = 0;
        break;
      case SKE_AKTI:
        if (Fravaer(s.akti_id)) e->SammenfaldsCheck = 0;
        break;
      default: break;
    }
  }

  // Whether the activity is an absence, asked of each activity once per
  // list: its records lie far apart, its rows come many to an activity.
  bool Fravaer(uint32_t akti) {
    if (akti >= fravaer_.size()) return ErFravaersAkti(akti);
    if (!fravaer_[akti]) fravaer_[akti] = ErFravaersAkti(akti) ? 2 : 1;
    return fravaer_[akti] == 2;
  }

  SkeStruct *ske_;
  uint32_t trin_;
  uint32_t *hale_ = nullptr;
  std::vector<uint8_t> fravaer_;
};

// The colour code a row starts with in the week and object lists.
uint8_t StartFarve(uint32_t st) {
  if ((st & SKE_MAERKE1) && !(st & SKE_EGEN)) return FARVE_MAERKE1;
  if ((st & SKE_AUTOSKEMA) && !(st & SKE_EGEN)) return FARVE_AUTOSKEMA;
  return 0;
}

// Whether a row of the week or object list is shown by its status.
bool VisesUge(bool autoSkema, uint32_t st) {
  if (st & SKE_SLETTET) return false;
  return autoSkema ? (st & SKE_AUTOSKEMA) != 0 : (st & (SKE_EGEN | SKE_AUTOSKEMA)) != 0;
}

// The checks every listed row passes: a weekday of the week and a first row
// inside its bucket of raekker rows.
bool GyldigRaekke(const SkeRec &s, uint32_t raekker) {
  return s.Dag >= 1 && s.Dag <= 7 && s.Forste >= 1 && s.Forste < raekker;
}

uint32_t ObjektId(const SkeStruct *ske, const SkeRec &s) {
  uint32_t id = 0;
  memcpy(&id, reinterpret_cast<const uint8_t *>(&s) + ske->pObjTd->ObjektOffset, sizeof id);
  return id;
}

bool ErPladsholder(char art, uint32_t objekt) {
  switch (art) {
    case SKE_AKTI: return IsStjerneAkti(objekt);
    case SKE_ANFO: return IsStjerneMeda(objekt);
    case SKE_LOKA: return IsStjerneLoka(objekt);
    default: return false;
  }
}

// Walks the rows of every week of the period, as (year index, week) with
// the period week index as the grid row.
template <class F>
void HverPeriodeUge(F &&f) {
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    const Uge uge = IndeksTilUge(i);
    const TabVar *b = SkemabegBucket(uge);
    if (!b || !b->pbTab) continue;
    f(i, static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), static_cast<uint8_t>(uge % 100), b);
  }
}

// Whether the status overview's display filter lets a first row through.
bool FilterTillader(const SkeRec &f) {
  const StatusFilter &sf = BegivenhedsFilter;
  if (sf.Fremmed && f.Ejer == GlobalIndstillinger.insnr) return false;
  if (sf.FejlKode && f.Fejl != sf.FejlKode) return false;
  if (sf.Tilstand && !(f.Status & SKE_AUTOSKEMA)) {
    const bool central = f.Status & SKE_KENDT, sendt = f.Status & SKE_UROERT;
    switch (sf.Tilstand) {
      case 1: return central;
      case 2: return !central && !sendt;
      case 3: return sendt && !central;
      default: break;
    }
  }
  return true;
}

uint32_t Klem(uint32_t c, uint32_t n) { return std::clamp<uint32_t>(c, 1, n); }

bool RingeLige(const SkeStruct *ske, uint32_t risy) {
  return ske->RingeTab && risy < ske->RingeTabAntal && ske->RingeTab[risy] == 1;
}

}  // namespace

// The first letter spares most activities the whole text.
bool ErFravaersAkti(uint32_t akti) {
  const AktiRec *a = TabRec<AktiRec>(tvakti, akti);
  return a && a->Type[0] == 'O' && IsOvakAkti(akti);
}

void FrigivSkeVisListe(SkeStruct *ske) {
  free(ske->lpSkeVisListe);
  ske->lpSkeVisListe = nullptr;
  ske->SkeVisAntal = ske->SkeVisKapacitet = 0;
  free(ske->KaedeHoveder);
  ske->KaedeHoveder = nullptr;
  ske->KaedeRaekker = 0;
}

void ByggeSkeVisListeUge(SkeStruct *ske, Uge uge) {
  const TabVar *objTv = ske->pObjTv;
  Bygger byg(ske, objTv ? objTv->wRecCnt : 0, 100);
  const TabVar *b = SkemabegBucket(uge);
  if (!objTv || !b || !b->pbTab) return;
  const uint8_t aarIdx = static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), ugeNr = static_cast<uint8_t>(uge % 100);
  // Read once: the entries written below are bytes, which the compiler
  // must otherwise suppose could be any of these.
  const bool autoSkema = ske->Variant == 'A';
  const size_t offset = ske->pObjTd->ObjektOffset;
  const uint32_t objekter = objTv->wRecCnt, raekker = b->wRecCnt;
  for (uint32_t r = 1; r < raekker; ++r) {
    const SkeRec &s = *Raekke(b, r);
    // Most rows of a week are other participants' rows: the object first.
    uint32_t objekt = 0;
    memcpy(&objekt, reinterpret_cast<const uint8_t *>(&s) + offset, sizeof objekt);
    if (objekt == 0 || objekt >= objekter) continue;
    if (!VisesUge(autoSkema, s.Status) || !GyldigRaekke(s, raekker)) continue;
    byg.Tilfoej(objekt, aarIdx, ugeNr, s, StartFarve(s.Status));
  }
}

void ByggeSkeVisListeObjekt(SkeStruct *ske, uint32_t objekt) {
  Bygger byg(ske, SkemaPeriode.AntalUger + 1, 10);
  if (!ske->pObjTv || !GyldigRef(ske->pObjTv, objekt)) return;
  if (ske->Variant == 'B' && ske->Tilstand != 'R' && ErPladsholder(ske->ObjektArt, objekt)) return;
  HverPeriodeUge([&](UgeIndeks i, uint8_t aarIdx, uint8_t ugeNr, const TabVar *b) {
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec &s = *Raekke(b, r);
      if (!VisesUge(ske->Variant == 'A', s.Status) || !GyldigRaekke(s, b->wRecCnt) || ObjektId(ske, s) != objekt)
        continue;
      byg.Tilfoej(i, aarIdx, ugeNr, s, StartFarve(s.Status));
    }
  });
}

void ByggeSkeVisListeAktiFag(SkeStruct *ske, uint32_t akti, uint32_t skfa) {
  Bygger byg(ske, SkemaPeriode.AntalUger + 1, 100);
  if (akti == 0 || skfa == 0) return;
  HverPeriodeUge([&](UgeIndeks i, uint8_t aarIdx, uint8_t ugeNr, const TabVar *b) {
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec &s = *Raekke(b, r);
      if (!(s.Status & SKE_EGEN) || (s.Status & SKE_SLETTET) || !GyldigRaekke(s, b->wRecCnt)) continue;
      if (s.akti_id != akti || s.skfa_id != skfa) continue;
      byg.Tilfoej(i, aarIdx, ugeNr, s, 0);
    }
  });
}

void MarkerAktiveObjekter(SkeStruct *ske, Uge uge) {
  if (ske->Variant != 'A') return;
  struct {
    uint8_t *&tab;
    uint32_t &str;
    const TabVar &tv;
  } const tabeller[] = {{ske->MarkAkti, ske->MarkAktiStr, tvakti},
                        {ske->MarkAnfo, ske->MarkAnfoStr, tvanfo},
                        {ske->MarkLoka, ske->MarkLokaStr, tvloka}};
  for (const auto &t : tabeller) {
    free(t.tab);
    t.str = t.tv.wRecCnt + 1;
    t.tab = static_cast<uint8_t *>(calloc(t.str, 1));
    if (!t.tab) tavo::AssertFailed("SkeStruct->MarkTab != NULL", "SKEVIS", __LINE__);
  }
  const uint32_t mandag = DatoTilDagNr(UgeDagTilDato(uge, 1));
  if (mandag == 0) return;
  for (int32_t skridt : {-7, 0, 7}) {
    Uge u = 0;
    DatoTilUge(DagNrTilDato(static_cast<uint32_t>(int64_t{mandag} + skridt)), &u, nullptr);
    const TabVar *b = SkemabegBucket(u);
    if (!b || !b->pbTab) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec &s = *Raekke(b, r);
      if (!(s.Status & SKE_AUTOSKEMA) || (s.Status & SKE_SLETTET)) continue;
      const uint32_t ids[] = {s.akti_id, s.anfo_id, s.loka_id};
      for (size_t t = 0; t < std::size(ids); ++t)
        if (GyldigRef(&tabeller[t].tv, ids[t])) tabeller[t].tab[ids[t]] = 1;
    }
  }
}

Klokkeslaet MedSammenfaldsinterval(Klokkeslaet tid) {
  const uint8_t gap = GlobalIndstillinger.sammenfaldsinterval;
  return gap ? LaegMinutterTil(tid, gap) : tid;
}

void FindLektionForTid(char visning, uint32_t *lektion, uint8_t *naerSlut, Klokkeslaet tid, uint32_t risy) {
  *naerSlut = 0;
  if (visning == 'T') {
    *lektion = (KlokMinutter(tid) + 5) / 5;
    return;
  }
  *lektion = 1;
  const RisyRec *r = TabRec<RisyRec>(tvrisy, risy);
  if (!r) return;
  uint32_t k = 0;
  while (k < kLektionerPrDag && r->Sluttid[k] != 0 && tid >= MedSammenfaldsinterval(r->Sluttid[k])) ++k;
  if (k == 0) return;
  *lektion = std::min(k + 1, kLektionerPrDag);
  if (k < kLektionerPrDag && r->Sluttid[k] != 0 && r->Starttid[k] < tid)
    *naerSlut = MinutterMellem(r->Starttid[k], tid) > MinutterMellem(tid, r->Sluttid[k]);
}

void FindLektionForSluttid(char visning, uint32_t *lektion, uint8_t *naerSlut, Klokkeslaet tid, uint32_t risy) {
  *naerSlut = 0;
  if (visning == 'T') {
    *lektion = (KlokMinutter(tid) + 4) / 5;
    return;
  }
  *lektion = 1;
  const RisyRec *r = TabRec<RisyRec>(tvrisy, risy);
  if (!r) return;
  const Klokkeslaet graense = MedSammenfaldsinterval(tid);
  uint32_t k = 0;
  while (k < kLektionerPrDag && r->Sluttid[k] != 0 && r->Starttid[k] < graense) ++k;
  if (k == 0) return;
  *lektion = k;
  *naerSlut = 1;
  if (k < kLektionerPrDag && r->Sluttid[k] != 0 && r->Sluttid[k] > tid)
    *naerSlut = MinutterMellem(r->Starttid[k], tid) > MinutterMellem(tid, r->Sluttid[k]);
}

void FindCeller(const SkeStruct *ske, uint32_t *foerste, uint32_t *sidste, uint8_t *startNaerSlut,
                uint8_t *slutNaerSlut, Klokkeslaet start, Klokkeslaet slut, uint32_t risy) {
  FindLektionForTid(ske->Visning, foerste, startNaerSlut, start, risy);
  FindLektionForSluttid(ske->Visning, sidste, slutNaerSlut, slut, risy);
  if (*sidste < *foerste) {
    const int32_t std = GlobalIndstillinger.standardlektionslengde;
    *sidste = *foerste + (std > 0 ? MinutterMellem(start, slut) / static_cast<uint32_t>(std) : 0);
  }
}

uint8_t TildelSpor(Begivenhed *tab, uint32_t antal, const SkeStruct *ske, uint32_t niveau) {
  const uint32_t visFra = ske->Vis.FoersteSlot, visTil = ske->Vis.SidsteSlot;
  auto Synlig = [&](const Begivenhed &b) { return b.FoersteCelle <= visTil && b.SidsteCelle >= visFra; };
  auto Forste = [&](const Begivenhed &b) {
    return b.Indgang <= ske->SkeVisAntal ? ske->lpSkeVisListe[b.Indgang].Forste : 0;
  };
  const uint8_t egen = GlobalIndstillinger.insnr;
  uint8_t fundet = 0;
  for (uint32_t i = 0; i < antal; ++i) {
    for (uint32_t j = i + 1; j < antal && tab[i].Spor == niveau; ++j) {
      Begivenhed &a = tab[i], &b = tab[j];
      if (b.Spor != niveau) continue;
      if (a.FoersteCelle > b.SidsteCelle || b.FoersteCelle > a.SidsteCelle) continue;
      if (!Synlig(a) || !Synlig(b)) continue;
      fundet = 1;
      // The first rule that tells them apart picks the one that moves.
      const bool regler[][2] = {
          {a.Ejer != egen, b.Ejer != egen},
          {(a.Status & SKE_KENDT) != 0, (b.Status & SKE_KENDT) != 0},
          {!RingeLige(ske, a.risy_id), !RingeLige(ske, b.risy_id)},
          {a.SammenfaldsCheck == 0, b.SammenfaldsCheck == 0},
      };
      Begivenhed *flyt = nullptr;
      for (const auto &r : regler)
        if (r[0] != r[1]) {
          flyt = r[0] ? &a : &b;
          break;
        }
      if (!flyt) flyt = Forste(a) > Forste(b) ? &a : &b;
      flyt->Spor = niveau + 1;
    }
  }
  return fundet;
}

uint8_t FindCelleBegivenheder(SkeStruct *ske, Begivenhed **tab, uint32_t *antal, uint32_t hoved, uint32_t *spor,
                              uint8_t *optagTab, uint32_t *kapacitet) {
  // Read once: the records written below are bytes, which the compiler must
  // otherwise suppose could be any of these.
  const bool tidVisning = ske->Visning == 'T';
  const uint32_t celler = CellerIDag(ske);
  const SkeVisListe *liste = ske->lpSkeVisListe;
  const uint32_t visAntal = ske->SkeVisAntal;
  const StatusFilter &filter = BegivenhedsFilter;
  const bool filtrer = filter.Tilstand || filter.FejlKode || filter.Fremmed;
  uint32_t n = 0, kap = *kapacitet;
  Begivenhed *t = *tab;
  // Entries are appended after the one that links to them, so a chain only
  // runs forward; a link backwards ends it.
  for (uint32_t e = hoved, forrige = 0; e != 0 && e <= visAntal && e > forrige; forrige = e, e = liste[e].Naeste) {
    const SkeVisListe &v = liste[e];
    const SkeRec *f = VisFoersteRaekke(v);
    if (!f || f->Status == 0 || (f->Status & SKE_SLETTET) || (filtrer && !FilterTillader(*f))) continue;
    if (n >= kap) {
      const uint64_t ny = std::max<uint64_t>(uint64_t{kap} + 100, uint64_t{kap} * 2);
      void *p = ny > UINT32_MAX ? nullptr : realloc(t, ny * sizeof(Begivenhed));
      if (!p) tavo::AssertFailed("lkBegivenhed != NULL", "SKEVIS", __LINE__);
      t = static_cast<Begivenhed *>(p);
      kap = static_cast<uint32_t>(ny);
    }
    Begivenhed &b = t[n++];
    memset(&b, 0, sizeof b);
    b.Indgang = e;
    b.StartCelle = tidVisning ? (KlokMinutter(f->Starttid) + 5) / 5 : f->Lektion;
    b.risy_id = f->risy_id;
    b.Starttid = f->Starttid;
    b.Sluttid = f->Sluttid;
    b.Status = f->Status;
    b.Ejer = f->Ejer;
    b.Spor = 1;
    b.SammenfaldsCheck = v.SammenfaldsCheck;
    b.PosterTid = v.PosterTid;
    b.AKRolle = v.AKRolle;
    b.Bem = v.Bem;
    b.FarveKode = v.FarveKode;
    uint32_t foerste = f->Lektion, sidste = f->Lektion;
    if (f->Lektion != 0 && !tidVisning &&
        (ske->ObjektArt == SKE_AKTI || RingeLige(ske, f->risy_id) || ske->RingSystem == 0)) {
      b.Klasse = 2;
    } else {
      b.Klasse = f->Lektion ? 3 : 1;
      const uint32_t risy = ske->RingSystem ? ske->RingSystem : GlobalIndstillinger.standardRingSystem;
      uint8_t startNaer = 0, slutNaer = 0;
      FindCeller(ske, &foerste, &sidste, &startNaer, &slutNaer, f->Starttid, f->Sluttid, risy);
      b.StartNaerSlut = startNaer;
      b.SlutNaerSlut = slutNaer;
    }
    b.FoersteCelle = Klem(foerste, celler);
    b.SidsteCelle = Klem(sidste, celler);
  }
  *tab = t;
  *kapacitet = kap;
  *antal = n;

  uint32_t niveau = 1;
  while (n > 1 && TildelSpor(t, n, ske, niveau)) ++niveau;
  if (spor) *spor = niveau;

  if (optagTab) {
    memset(optagTab, 0, kOptagBytes);
    for (uint32_t i = 0; i < n; ++i)
      if (t[i].SammenfaldsCheck)
        for (uint32_t c = t[i].FoersteCelle; c <= t[i].SidsteCelle; ++c) optagTab[c] = 1;
  }

  uint8_t sammenfald = 0;
  for (uint32_t i = 0; n > 1 && i < n; ++i) {
    if (!t[i].SammenfaldsCheck) continue;
    for (uint32_t j = i + 1; j < n; ++j) {
      if (!t[j].SammenfaldsCheck) continue;
      if (t[i].Starttid >= MedSammenfaldsinterval(t[j].Sluttid) ||
          t[j].Starttid >= MedSammenfaldsinterval(t[i].Sluttid))
        continue;
      t[i].Sammenfald = t[j].Sammenfald = 1;
      sammenfald = 1;
    }
  }
  return sammenfald;
}
