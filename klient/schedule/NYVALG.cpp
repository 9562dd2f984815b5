// The entry window's selection lists. Every build and every mark pass is a
// linear walk over a table or a week bucket; record numbers read from rows
// and relations are checked against the tables and the mark arrays before
// they are used as indexes.
#include "NYVALG.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "AVS.h"
#include "BESKEDER.h"
#include "DATO.h"
#include "ENSDC.h"
#include "FARVER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "OBJFELT.h"
#include "RECPRED.h"
#include "SKEBEG.h"
#include "SKEMA.h"
#include "SKEMARK.h"
#include "SKEVIS.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "tavo/assert.h"

namespace {

struct Tabel {
  const TabDesc *td;
  TabVar *tv;
};

constexpr char kBogstav[kAntalDifValg] = {'K', 'U', 'M', 'L', 'R', '/'};

Tabel TabelFor(uint8_t fokus) {
  switch (fokus) {
    case FOCUS_AKTI: return {&tdakti, &tvakti};
    case FOCUS_SKFA: return {&tdskfa, &tvskfa};
    case FOCUS_ANFO: return {&tdanfo, &tvanfo};
    case FOCUS_LOKA: return {&tdloka, &tvloka};
    case FOCUS_RISY: return {&tdrisy, &tvrisy};
    case FOCUS_SPESKE: return {&tdsls_koder, &tvsls_koder};
    default: return {nullptr, nullptr};
  }
}

bool Aktiv(uint8_t status) { return status >= 10 && status <= 29; }

const AktiRec *Akti(uint32_t n) { return TabRec<AktiRec>(tvakti, n); }
const RisyRec *Risy(uint32_t n) { return TabRec<RisyRec>(tvrisy, n); }

// The mark byte of a record, or null past the array.
uint8_t *Maerke(DifValg &v, uint32_t recnr) {
  return v.Maerker && recnr < v.AntalMaerker ? &v.Maerker[recnr] : nullptr;
}
uint8_t MaerkeAf(const DifValg &v, uint32_t recnr) {
  return v.Maerker && recnr < v.AntalMaerker ? v.Maerker[recnr] : 0;
}
void SaetBit(DifValg &v, uint32_t recnr, uint8_t bit) {
  if (uint8_t *m = Maerke(v, recnr)) *m |= bit;
}

// The kind's list emptied as a build starts.
void Nulstil(DifValg &v) {
  std::free(v.ObjTab);
  v.ObjTab = nullptr;
  v.Antal = 0;
  v.Aktuel = v.ForrigeAktuel = 0;
  v.DetaljeKolonner = 1;
}

void Tilfoej(DifValg &v, uint32_t recnr, const char *navn) {
  // Entry 0 holds nothing, so the list is one longer than its count.
  auto *ny = static_cast<uint32_t *>(std::realloc(v.ObjTab, (static_cast<size_t>(v.Antal) + 2) * sizeof(uint32_t)));
  if (!ny) ::tavo::AssertFailed(navn, ::tavo::ModuleName(__FILE__), __LINE__);
  v.ObjTab = ny;
  if (v.Antal == 0) v.ObjTab[0] = 0;
  v.ObjTab[++v.Antal] = recnr;
}

const char *const kTomHukommelse[kAntalDifValg] = {
    "B->DifValg[FOCUS_AKTI].ObjTab != NULL", "B->DifValg[FOCUS_SKFA].ObjTab != NULL",
    "B->DifValg[FOCUS_ANFO].ObjTab != NULL", "B->DifValg[FOCUS_LOKA].ObjTab != NULL",
    "B->DifValg[FOCUS_RISY].ObjTab != NULL", "B->DifValg[FOCUS_SPESKE].ObjTab != NULL"};

UgeIndeks UgeIndeksAf(Dato d) {
  Uge u = 0;
  uint8_t dag = 0;
  DatoTilUge(d, &u, &dag);
  return UgeTilIndeks(u);
}

bool IUgen(uint32_t start, uint32_t slut, Uge uge) { return start <= uge && uge <= slut; }

bool IGrupper(const DifValg &v, uint32_t gruppe) { return (gruppe & v.GruppeMaske) != 0; }

// The 1-based position of a record in a list; 0 when it is not listed.
uint32_t Position(const DifValg &v, uint32_t recnr) {
  if (!recnr) return 0;
  for (uint32_t i = 1; i <= v.Antal; ++i)
    if (v.ObjTab[i] == recnr) return i;
  return 0;
}

const AVS &E() { return AktuelAVS; }

uint32_t FoersteAkti(const AVS &e) { return e.aktiAntal && e.aktiTab ? e.aktiTab[0] : 0; }

// ---- the planning module's mutex: tried, never waited for.
enum class Plan { Uden, Taget, Optaget };
Plan ProevPlan() {
  if (!hPlanMutex) return Plan::Uden;
  const DWORD r = WaitForSingleObject(hPlanMutex, 0);
  return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED ? Plan::Taget : Plan::Optaget;
}
void SlipPlan(Plan p) {
  if (p == Plan::Taget) ReleaseMutex(hPlanMutex);
}

// The fffagfordl row of the event's date with the largest student lessons
// among those the predicate keeps (a tie goes to the later row); the field
// the caller wants of it, 0 when none or while the mutex is busy.
template <class Hold, class Felt>
uint32_t StoersteFordeling(Dato dato, Hold hold, Felt felt) {
  const Plan p = ProevPlan();
  if (p == Plan::Optaget) return 0;
  uint32_t bedst = 0, fundet = 0;
  bool nogen = false;
  for (uint32_t r = 1; r < tvfffagfordl.wRecCnt; ++r) {
    const FffagfordlRec *f = TabRec<FffagfordlRec>(tvfffagfordl, r);
    if (!hold(*f) || f->Fradato > dato || dato > f->Tildato) continue;
    if (!nogen || f->Elevlektioner >= bedst) {
      bedst = f->Elevlektioner;
      fundet = felt(*f);
      nogen = true;
    }
  }
  SlipPlan(p);
  return fundet;
}

// Planned distribution, subject distribution or competence of an
// employment in a subject of an activity at a date; 0 for none.
uint8_t FordelingsFarve(uint32_t anfo, uint32_t skfa, uint32_t akti, Dato dato) {
  if (FFFagfordlFindes(anfo, skfa, akti, dato)) return VFARVE_PLANFORDELING;
  if (FagfordlFindes(anfo, skfa, akti, dato)) return VFARVE_FAGFORDL;
  if (AnfoHarKompetence(anfo, skfa, dato)) return VFARVE_KOMPETENCE;
  return 0;
}

// The week index (1-based into the marked block) to its cells of one day.
const uint8_t *DagCeller(const BrikIndStruct *b, uint32_t w, uint32_t dag) {
  if (!b->BlokTab || w == 0 || w >= b->BlokUger || dag < 1 || dag > 7) return nullptr;
  return b->BlokTab + (static_cast<size_t>(w) * 7 + dag - 1) * kBlokSlots;
}

uint32_t DagCelleAntal(const BrikIndStruct *) { return E().Placering == 'T' ? 288 : kLektionerPrDag; }

bool DagMarkeret(const BrikIndStruct *b, uint32_t w, uint32_t dag) {
  const uint8_t *c = DagCeller(b, w, dag);
  if (!c) return false;
  const uint32_t n = DagCelleAntal(b);
  for (uint32_t i = 0; i < n; ++i)
    if (c[i] & BLOK_VALGT) return true;
  return false;
}

struct Spand {
  Klokkeslaet start, slut;
};

bool Overlapper(Klokkeslaet rStart, Klokkeslaet rSlut, const Spand &s, int32_t gab) {
  return rStart < LaegMinutterTil(s.slut, gab) && s.start < LaegMinutterTil(rSlut, gab);
}

// The marked spans of one day of a week.
void DagensSpand(const BrikIndStruct *b, uint32_t w, uint32_t dag, std::vector<Spand> *ud) {
  ud->clear();
  const uint8_t *c = DagCeller(b, w, dag);
  if (!c) return;
  const AVS &e = E();
  const uint32_t n = DagCelleAntal(b);
  if (e.Placering == 'D') {
    if (DagMarkeret(b, w, dag)) ud->push_back({b->Starttid, b->Sluttid});
    return;
  }
  if (e.Placering == 'T') {
    for (uint32_t i = 0; i < n; ++i) {
      if (!(c[i] & BLOK_VALGT)) continue;
      uint32_t j = i;
      while (j + 1 < n && (c[j + 1] & BLOK_VALGT)) ++j;
      ud->push_back({LaegMinutterTil(0, static_cast<int32_t>(i * 5)), LaegMinutterTil(0, static_cast<int32_t>((j + 1) * 5))});
      i = j;
    }
    return;
  }
  if (const RisyRec *r = e.risy_id ? Risy(e.risy_id) : nullptr) {
    for (uint32_t i = 0; i < n; ++i)
      if ((c[i] & BLOK_VALGT) && r->Sluttid[i] > 0) ud->push_back({r->Starttid[i], r->Sluttid[i]});
    return;
  }
  // Without a ring system the lessons' times are those of the events the
  // schedule window shows in them.
  const SkeStruct *ske = b->SkemaSke;
  if (!ske || !ske->lpSkeVisListe) return;
  const uint8_t aarIdx = IndeksTilAarOffset(w), ugeNr = static_cast<uint8_t>(IndeksTilUgeNr(w));
  for (uint32_t k = 1; k <= ske->SkeVisAntal; ++k) {
    const SkeVisListe &l = ske->lpSkeVisListe[k];
    if (l.AarIndeks != aarIdx || l.Uge != ugeNr) continue;
    const SkeRec *row = BegRaekke(l.AarIndeks, l.Uge, l.Forste);
    if (!row || row->Dag != dag) continue;
    uint32_t lektion = row->Lektion;
    if (!lektion) {
      uint8_t naer = 0;
      FindLektionForTid('L', &lektion, &naer, row->Starttid, row->risy_id);
    }
    if (lektion >= 1 && lektion <= n && (c[lektion - 1] & BLOK_VALGT)) ud->push_back({row->Starttid, row->Sluttid});
  }
}

char RolleFelt(const TabVar &tv, uint32_t rolle, bool lokale) {
  if (lokale) {
    const LokrolleRec *r = TabRec<LokrolleRec>(tv, rolle);
    return r ? r->Check_sammenfald : 0;
  }
  const SkemarolRec *r = TabRec<SkemarolRec>(tv, rolle);
  return r ? r->Check_skemasammenfald : 0;
}

}  // namespace

// ---------------------------------------------------------------- sizing

bool AllokerDifValg(BrikIndStruct *b) {
  for (uint8_t k = 0; k < kAntalDifValg; ++k) {
    DifValg &v = b->Valg[k];
    v.Bogstav = kBogstav[k];
    if (!v.GruppeMaske) v.GruppeMaske = 0xFFFFFFFFu;
    const Tabel t = TabelFor(k);
    std::free(v.Maerker);
    v.AntalMaerker = t.tv->wRecCnt ? t.tv->wRecCnt : 1;
    v.Maerker = static_cast<uint8_t *>(std::calloc(v.AntalMaerker, 1));
    if (!v.Maerker) return false;
  }
  const uint32_t anfo = tvanfo.wRecCnt ? tvanfo.wRecCnt : 1, loka = tvloka.wRecCnt ? tvloka.wRecCnt : 1;
  std::free(b->AnfoRolle);
  std::free(b->AnfoMinut);
  std::free(b->AnfoRolleLaast);
  std::free(b->LokaRolle);
  b->AnfoPladser = anfo;
  b->AnfoRolle = static_cast<uint32_t *>(std::calloc(anfo, sizeof(uint32_t)));
  b->AnfoMinut = static_cast<float *>(std::malloc(anfo * sizeof(float)));
  b->AnfoRolleLaast = static_cast<uint8_t *>(std::calloc(anfo, 1));
  b->LokaPladser = loka;
  b->LokaRolle = static_cast<uint32_t *>(std::calloc(loka, sizeof(uint32_t)));
  if (!b->AnfoRolle || !b->AnfoMinut || !b->AnfoRolleLaast || !b->LokaRolle) return false;
  for (uint32_t i = 0; i < anfo; ++i) b->AnfoMinut[i] = -1.0f;
  return true;
}

// ---------------------------------------------------------------- builds

void ByggAktiValg(BrikIndStruct *b) {
  DifValg &v = b->Valg[FOCUS_AKTI];
  Nulstil(v);
  const AVS &e = E();
  std::vector<uint32_t> antal;
  if (e.skfa_id) {
    antal.assign(tvakti.wRecCnt ? tvakti.wRecCnt : 1, 0);
    for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) {
      const SkphRec *p = TabRec<SkphRec>(tvskph, r);
      if (p->skfa_id == e.skfa_id && Aktiv(p->Status) && p->akti_id < antal.size()) ++antal[p->akti_id];
    }
  }
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) {
    const AktiRec *a = Akti(n);
    if (a->RisyOk != 1 || (e.skfa_id && antal[n] == 0) || !Aktiv(a->Status)) continue;
    if (!IUgen(a->StartUge, a->SlutUge, b->UgeNr) || a->Aktivitet[0] == '+') continue;
    if (IGrupper(v, a->Gruppe) || (!e.skfa_id && a->Aktivitet[0] == '*')) Tilfoej(v, n, kTomHukommelse[FOCUS_AKTI]);
  }
}

void ByggSkfaValg(BrikIndStruct *b) {
  DifValg &v = b->Valg[FOCUS_SKFA];
  Nulstil(v);
  const AVS &e = E();
  const uint32_t fag = tvskfa.wRecCnt ? tvskfa.wRecCnt : 1;
  std::free(b->FagNiveau);
  b->FagNiveau = static_cast<uint8_t *>(std::calloc(fag, 1));
  b->FagNiveauAntal = b->FagNiveau ? fag : 0;
  std::vector<uint32_t> antal(fag, 0);
  uint32_t maal = 1;
  if (!e.aktiAntal) {
    for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) {
      const SkphRec *p = TabRec<SkphRec>(tvskph, r);
      if (Aktiv(p->Status) && p->skfa_id < fag) antal[p->skfa_id] = 1;
    }
  } else {
    maal = e.aktiAntal;
    for (uint32_t i = 0; i < e.aktiAntal; ++i)
      for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) {
        const SkphRec *p = TabRec<SkphRec>(tvskph, r);
        if (p->akti_id != e.aktiTab[i] || !Aktiv(p->Status) || p->skfa_id >= fag) continue;
        ++antal[p->skfa_id];
        if (p->SkygFaget && b->FagNiveau) b->FagNiveau[p->skfa_id] = 1;
      }
  }
  for (uint32_t n = 1; n < tvskfa.wRecCnt; ++n) {
    const SkfaRec *s = TabRec<SkfaRec>(tvskfa, n);
    if (!Aktiv(s->Status)) continue;
    if (s->Niveau != '-' && GlobalIndstillinger.niveaufag > 0 && b->FagNiveau) b->FagNiveau[n] = 1;
    if (antal[n] == maal) Tilfoej(v, n, kTomHukommelse[FOCUS_SKFA]);
  }
}

void ByggDifValg(BrikIndStruct *b, uint8_t fokus) {
  if (fokus == FOCUS_AKTI) return ByggAktiValg(b);
  if (fokus == FOCUS_SKFA) return ByggSkfaValg(b);
  if (fokus >= kAntalDifValg) return;
  DifValg &v = b->Valg[fokus];
  Nulstil(v);
  const Tabel t = TabelFor(fokus);
  for (uint32_t n = 1; n < t.tv->wRecCnt; ++n) {
    bool med = false;
    switch (fokus) {
      case FOCUS_ANFO: {
        const AnfoRec *a = TabRec<AnfoRec>(tvanfo, n);
        med = Aktiv(a->Status) && IUgen(a->StartUge, a->SlutUge, b->UgeNr) &&
              (IGrupper(v, a->Gruppe) || IsStjerneMeda(n) || IsHashMeda(n));
        break;
      }
      case FOCUS_LOKA: {
        const LokaRec *l = TabRec<LokaRec>(tvloka, n);
        med = Aktiv(l->Status) && IUgen(l->StartUge, l->SlutUge, b->UgeNr) &&
              (IGrupper(v, l->Gruppe) || l->Lokalenr[0] == '*');
        break;
      }
      case FOCUS_RISY: {
        const RisyRec *r = Risy(n);
        med = r->Status == 10 && r->Anvendt == 1;
        break;
      }
      default: {
        const Sls_koderRec *s = TabRec<Sls_koderRec>(tvsls_koder, n);
        med = s->Status == 10 && s->Anvendes == 'J';
        break;
      }
    }
    if (med) Tilfoej(v, n, kTomHukommelse[fokus]);
  }
}

// ---------------------------------------------------------------- marks

bool UgeHarMarkering(const BrikIndStruct *b, uint32_t w) {
  if (!b->BlokTab) return false;
  for (uint32_t d = 1; d <= 7; ++d)
    if (const uint8_t *c = DagCeller(b, w, d)) {
      const uint32_t n = DagCelleAntal(b);
      for (uint32_t i = 0; i < n; ++i)
        if (c[i]) return true;
    }
  return false;
}

void MarkerPeriode(BrikIndStruct *b, Dato fra, Dato til) {
  const AVS &e = E();
  // The marked dates, each tested once against a calendar.
  std::vector<Dato> datoer;
  const uint32_t fraW = UgeIndeksAf(fra), tilW = UgeIndeksAf(til);
  for (uint32_t w = fraW; w && w <= tilW && w < b->BlokUger; ++w)
    for (uint32_t d = 1; d <= 7; ++d)
      if (DagMarkeret(b, w, d)) datoer.push_back(UgeDagTilDato(IndeksTilUge(w), static_cast<uint8_t>(d)));
  std::vector<uint8_t> kalender(tvskka.wRecCnt ? tvskka.wRecCnt : 1, 0);  // 0 unknown, 1 school days, 2 not
  auto skoledage = [&](uint32_t skka) {
    if (skka >= kalender.size()) return datoer.empty();
    if (!kalender[skka]) {
      kalender[skka] = 1;
      for (Dato d : datoer)
        if (!IsSkoledag(d, skka)) {
          kalender[skka] = 2;
          break;
        }
    }
    return kalender[skka] == 1;
  };
  DifValg &ak = b->Valg[FOCUS_AKTI];
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) {
    const AktiRec *a = Akti(n);
    if (!(a->Fradato <= fra && a->Tildato >= til)) SaetBit(ak, n, MAERKE_PERIODE);
    if (const RisyRec *r = a->risy_id ? Risy(a->risy_id) : nullptr)
      if (r->Anvendt == 0) SaetBit(ak, n, MAERKE_RING_UBRUGT);
    if (!skoledage(a->skka_id)) SaetBit(ak, n, MAERKE_SKOLEFRI);
  }
  DifValg &fg = b->Valg[FOCUS_SKFA];
  for (uint32_t i = 0; i < e.aktiAntal; ++i)
    for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) {
      const SkphRec *p = TabRec<SkphRec>(tvskph, r);
      if (p->akti_id != e.aktiTab[i]) continue;
      if (AktiUdenforPeriode(fra, p->akti_id, p->skfa_id) || AktiUdenforPeriode(til, p->akti_id, p->skfa_id))
        SaetBit(fg, p->skfa_id, MAERKE_PERIODE);
    }
  for (uint32_t n = 1; n < tvanfo.wRecCnt; ++n) {
    const AnfoRec *a = TabRec<AnfoRec>(tvanfo, n);
    if (a->Fradato > fra || a->Tildato < til) SaetBit(b->Valg[FOCUS_ANFO], n, MAERKE_PERIODE);
  }
  for (uint32_t n = 1; n < tvloka.wRecCnt; ++n) {
    const LokaRec *l = TabRec<LokaRec>(tvloka, n);
    if (l->Fradato > fra || l->Tildato < til) SaetBit(b->Valg[FOCUS_LOKA], n, MAERKE_PERIODE);
  }
}

void MarkerOptagne(BrikIndStruct *b) {
  const AVS &e = E();
  for (uint8_t k = FOCUS_AKTI; k <= FOCUS_RISY; ++k) {
    DifValg &v = b->Valg[k];
    for (uint32_t i = 0; v.Maerker && i < v.AntalMaerker; ++i) v.Maerker[i] &= MAERKE_VALGT | MAERKE_GAMMEL;
  }
  if (!b->BlokTab && b->SkemaSke) {
    b->BlokTab = b->SkemaSke->BlokTab;
    b->BlokUger = b->SkemaSke->BlokUger;
  }
  bool markeret = false;
  Dato fra = 0, til = 0;
  for (uint32_t w = 1; w < b->BlokUger; ++w)
    for (uint32_t d = 1; d <= 7; ++d) {
      if (!DagMarkeret(b, w, d)) continue;
      const Dato dato = UgeDagTilDato(IndeksTilUge(w), static_cast<uint8_t>(d));
      if (!markeret) fra = dato;
      til = std::max(til, dato);
      markeret = true;
    }

  // Ring systems and activities on another ring system than the event.
  DifValg &rv = b->Valg[FOCUS_RISY], &av = b->Valg[FOCUS_AKTI];
  const RisyRec *eRisy = e.risy_id ? Risy(e.risy_id) : nullptr;
  if (e.Placering == 'L' && eRisy && !e.aktiAntal)
    for (uint32_t n = 1; n < tvrisy.wRecCnt; ++n)
      if (n != e.risy_id && Risy(n)->RingeGruppe != eRisy->RingeGruppe) SaetBit(rv, n, MAERKE_RINGSYSTEM);
  // One pass over the activities for the ring system and the sort.
  const bool efterRisy = e.risy_id && e.aktiAntal, efterGruppe = eRisy && !e.aktiAntal && markeret;
  const bool sort = e.aktiAntal != 0, fravaer = sort && IsOvakAkti(FoersteAkti(e));
  if (efterRisy || efterGruppe || sort)
    for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) {
      const AktiRec *a = Akti(n);
      if (efterRisy && a->risy_id != e.risy_id) SaetBit(av, n, MAERKE_RINGSYSTEM);
      if (efterGruppe) {
        const RisyRec *r = Risy(a->risy_id);
        if (!r || r->RingeGruppe != eRisy->RingeGruppe) SaetBit(av, n, MAERKE_RINGSYSTEM);
      }
      // Absence activities and ordinary activities do not mix.
      if (sort && IsOvakAkti(n) != fravaer) SaetBit(av, n, MAERKE_ANDEN_SORT);
    }
  if (!markeret) return;
  MarkerPeriode(b, fra, til);

  // Busy: live rows of the marked weeks that overlap a marked span.
  const int32_t gab = GlobalIndstillinger.sammenfaldsinterval;
  std::vector<Spand> spand[8];
  for (uint32_t w = 1; w < b->BlokUger; ++w) {
    if (!UgeHarMarkering(b, w)) continue;
    const uint8_t aarIdx = IndeksTilAarOffset(w), ugeNr = static_cast<uint8_t>(IndeksTilUgeNr(w));
    const TabVar *bucket = BegBucket(aarIdx, ugeNr);
    if (!bucket || bucket->wRecCnt < 2) continue;
    bool nogen = false;
    for (uint32_t d = 1; d <= 7; ++d) {
      DagensSpand(b, w, d, &spand[d]);
      nogen |= !spand[d].empty();
    }
    if (!nogen) continue;
    const SkeRec *raekker = reinterpret_cast<const SkeRec *>(bucket->pbTab);
    for (uint32_t r = 1; r < bucket->wRecCnt; ++r) {
      const SkeRec *s = &raekker[r];
      if (!(s->Status & SKE_EGEN) || (s->Status & SKE_SLETTET) || s->Dag < 1 || s->Dag > 7) continue;
      const std::vector<Spand> &sp = spand[s->Dag];
      if (sp.empty()) continue;
      if (!std::any_of(sp.begin(), sp.end(), [&](const Spand &x) { return Overlapper(s->Starttid, s->Sluttid, x, gab); }))
        continue;
      if (s->akti_id && !IsStjerneAkti(s->akti_id) && !IsOvakAkti(s->akti_id)) SaetBit(av, s->akti_id, MAERKE_OPTAGET);
      if (s->anfo_id && RolleFelt(tvskemarol, s->skemarol_id, false) == 'J')
        SaetBit(b->Valg[FOCUS_ANFO], s->anfo_id, MAERKE_OPTAGET);
      if (s->loka_id && RolleFelt(tvlokrolle, s->lokrolle_id, true) == 'J')
        SaetBit(b->Valg[FOCUS_LOKA], s->loka_id, MAERKE_OPTAGET);
    }
  }
  // An edited event does not stand in its own way.
  if (b->Mode == 'R') {
    const AVS &g = GammelAVS;
    constexpr uint8_t kBehold = MAERKE_VALGT | MAERKE_ANDEN_SORT | MAERKE_GAMMEL;
    for (uint32_t i = 0; i < g.aktiAntal; ++i)
      if (uint8_t *m = Maerke(av, g.aktiTab[i])) *m &= kBehold;
    for (uint32_t i = 0; i < g.lokaAntal; ++i)
      if (uint8_t *m = Maerke(b->Valg[FOCUS_LOKA], g.lokaTab[i])) *m &= kBehold;
    for (uint32_t i = 0; i < g.anfoAntal; ++i)
      if (g.skemarolTab && TabRec<SkemarolRec>(tvskemarol, g.skemarolTab[i]))
        if (uint8_t *m = Maerke(b->Valg[FOCUS_ANFO], g.anfoTab[i])) *m &= kBehold;
  }
}

// ---------------------------------------------------------------- current entry

uint32_t HentDifValg(char art) {
  const AVS &e = E();
  switch (art) {
    case 'K': return e.aktiAntal && e.aktiTab ? e.aktiTab[0] : 0;
    case 'L': return e.lokaAntal && e.lokaTab ? e.lokaTab[0] : 0;
    case 'M': return e.anfoAntal && e.anfoTab ? e.anfoTab[0] : 0;
    case 'R': return e.risy_id;
    case 'U': return e.skfa_id;
    default: return 0;
  }
}


Dato DifValgDato(const BrikIndStruct *b) {
  const uint8_t dag = E().Dag >= 1 && E().Dag <= 7 ? E().Dag : 1;
  return b->UgeNr ? UgeDagTilDato(b->UgeNr, dag) : 0;
}

namespace {

uint32_t ForeslaaetRaekke(BrikIndStruct *b, uint8_t fokus) {
  DifValg &v = b->Valg[fokus];
  const AVS &e = E();
  const Dato dato = DifValgDato(b);
  if (uint32_t p = Position(v, HentDifValg(v.Bogstav))) return p;
  if (fokus == FOCUS_SPESKE && v.Antal) {
    for (uint32_t i = 1; i <= v.Antal; ++i)
      if (MaerkeAf(v, v.ObjTab[i]) & MAERKE_VALGT) return i;
    return 0;
  }
  const uint32_t akti = FoersteAkti(e);
  if (fokus == FOCUS_SKFA && e.aktiAntal == 1 && e.anfoAntal == 1) {
    const uint32_t anfo = e.anfoTab[0];
    const uint32_t fag = StoersteFordeling(
        dato, [&](const FffagfordlRec &f) { return f.akti_id == akti && f.anfo_id == anfo && f.skfa_id; },
        [](const FffagfordlRec &f) { return f.skfa_id; });
    if (fag) return Position(v, fag);
  }
  if (fokus == FOCUS_SKFA && v.Antal && e.aktiAntal) return 1;
  if (fokus == FOCUS_ANFO && e.aktiAntal == 1 && e.skfa_id) {
    const uint32_t anfo = StoersteFordeling(
        dato, [&](const FffagfordlRec &f) { return f.akti_id == akti && f.skfa_id == e.skfa_id; },
        [](const FffagfordlRec &f) { return f.anfo_id; });
    if (uint32_t p = Position(v, anfo)) return p;
    uint32_t bedst = 0;
    const SkfaRec *s = TabRec<SkfaRec>(tvskfa, e.skfa_id);
    // The chain comes from the file: a step count bounds a loop in it.
    uint32_t trin = 0;
    for (uint32_t n = s ? s->forste_fagfordl : 0; n && trin < tvfagfordl.wRecCnt; ++trin) {
      const FagfordlRec *f = TabRec<FagfordlRec>(tvfagfordl, n);
      if (!f) break;
      if (f->akti_id == akti && f->Fradato <= dato && dato <= f->Tildato)
        if (uint32_t p = Position(v, f->anfo_id); p && (!bedst || p < bedst)) bedst = p;
      n = f->neste_fagfordl_fag;
    }
    return bedst;
  }
  if (fokus == FOCUS_LOKA && e.aktiAntal == 1) {
    uint32_t bedst = 0;
    if (e.skfa_id)
      for (uint32_t r = 1; r < tvskfalokarel.wRecCnt; ++r) {
        const SkfalokarelRec *s = TabRec<SkfalokarelRec>(tvskfalokarel, r);
        if (!SkfalokarelFindes(e.skfa_id, s->loka_id)) continue;
        if (uint32_t p = Position(v, s->loka_id); p && (!bedst || p < bedst)) bedst = p;
      }
    if (!bedst && v.Antal) bedst = AlrelFoersteIListe(v.ObjTab, v.Antal, 'L', akti);
    return bedst;
  }
  if (fokus == FOCUS_AKTI && e.lokaAntal == 1 && v.Antal)
    return AlrelFoersteIListe(v.ObjTab, v.Antal, 'K', e.lokaTab[0]);
  return 0;
}

// The list pane's height in rows; at least one.
uint32_t SynligeRaekker(const BrikIndStruct *b) {
  const RECT &r = b->BoernRekt[BARN_LISTE];
  const int h = r.bottom - r.top;
  return h > 0 ? std::max<uint32_t>(1, static_cast<uint32_t>(h) / kDifValgRaekkeHoejde) : 1;
}

void RulTilAktuel(BrikIndStruct *b, DifValg &v) {
  v.AntalSynlige = SynligeRaekker(b);
  if (!v.FoersteSynlige) v.FoersteSynlige = 1;
  if (v.Aktuel) {
    if (v.Aktuel < v.FoersteSynlige) v.FoersteSynlige = v.Aktuel;
    else if (v.Aktuel >= v.FoersteSynlige + v.AntalSynlige) v.FoersteSynlige = v.Aktuel - v.AntalSynlige + 1;
  }
  v.ScrollY = (v.FoersteSynlige - 1) * kDifValgRaekkeHoejde;
}

}  // namespace

void OpdaterDifValg(BrikIndStruct *b, bool spring) {
  const uint8_t k = b->AktuelListe;
  if (k >= kAntalDifValg) return;
  DifValg &v = b->Valg[k];
  if (!spring && b->ListeAktiv[k] == 1) {
    v.Bygget = 1;
    ByggDifValg(b, k);
    const uint8_t gemt = b->AktuelListe;
    SorterValg(b);
    b->AktuelListe = gemt;
    v.Aktuel = ForeslaaetRaekke(b, k);
    v.ForrigeAktuel = v.Aktuel;
  }
  RulTilAktuel(b, v);
}

bool RolleTjekkerSammenfald(const BrikIndStruct *b, char art, uint32_t recnr) {
  if (art == 'L') {
    if (!b->LokaRolle || recnr >= b->LokaPladser) return true;
    return RolleFelt(tvlokrolle, b->LokaRolle[recnr], true) != 'N';
  }
  if (art == 'M') {
    if (!b->AnfoRolle || recnr >= b->AnfoPladser) return true;
    return RolleFelt(tvskemarol, b->AnfoRolle[recnr], false) != 'N';
  }
  return true;
}

bool HarElevSammenfald(uint32_t akti, Dato fra, Dato til) {
  const AVS &e = E();
  if (!e.aktiAntal || !GlobalIndstillinger.checkelevsammenfald) return false;
  auto iBegivenhed = [&](uint32_t a) { return std::find(e.aktiTab, e.aktiTab + e.aktiAntal, a) != e.aktiTab + e.aktiAntal; };
  for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r) {
    const Elvrel2Rec *x = TabRec<Elvrel2Rec>(tvelvrel2, r);
    if (!x || x->Status == 0) continue;  // a deleted pair
    const bool par = (x->akti1_id == akti && iBegivenhed(x->akti2_id)) || (x->akti2_id == akti && iBegivenhed(x->akti1_id));
    if (!par) continue;
    // Any pair inside the dates decides: an expired pair read later must
    // not hide a real overlap.
    if (fra && til && !(x->Startdato <= til && x->Slutdato >= fra)) continue;
    return true;
  }
  return false;
}

void DifValgMarkeretInterval(const BrikIndStruct *b, Dato *fra, Dato *til) {
  *fra = *til = 0;
  for (uint32_t w = 1; w < b->BlokUger; ++w)
    for (uint32_t d = 1; d <= 7; ++d)
      if (DagMarkeret(b, w, d)) {
        const Dato x = UgeDagTilDato(IndeksTilUge(w), static_cast<uint8_t>(d));
        if (!*fra) *fra = x;
        *til = x;
      }
}

bool DifValgTabel(uint8_t fokus, const TabDesc **td, TabVar **tv) {
  const Tabel t = TabelFor(fokus);
  *td = t.td;
  *tv = t.tv;
  return t.td && t.tv;
}

// ---------------------------------------------------------------- colours

uint8_t DifValgRaekkeFarve(const BrikIndStruct *b, uint8_t fokus, uint32_t pos, bool harFokus) {
  if (fokus >= kAntalDifValg) return 0;
  const DifValg &v = b->Valg[fokus];
  uint8_t farve = pos == v.Aktuel && pos ? (harFokus ? VFARVE_AKTUEL_FOKUS : VFARVE_AKTUEL) : 0;
  if (!pos || pos > v.Antal) return farve;
  const uint32_t n = v.ObjTab[pos];
  const AVS &e = E();
  const Dato dato = DifValgDato(b);
  const uint32_t akti = FoersteAkti(e);
  auto saet = [&](uint8_t f) {
    if (f) farve = f;
  };
  if (fokus == FOCUS_AKTI) {
    Dato fra = 0, til = 0;
    DifValgMarkeretInterval(b, &fra, &til);
    if (HarElevSammenfald(n, fra, til)) saet(VFARVE_ELEVSAMMENFALD);
  }
  if (fokus == FOCUS_SKFA && e.lokaAntal == 1 && SkfalokarelFindes(n, e.lokaTab[0])) saet(VFARVE_RELATION);
  if (fokus == FOCUS_ANFO && e.aktiAntal == 1 && e.skfa_id) saet(FordelingsFarve(n, e.skfa_id, akti, dato));
  if (fokus == FOCUS_SKFA && e.aktiAntal == 1 && e.anfoAntal == 1) saet(FordelingsFarve(e.anfoTab[0], n, akti, dato));
  if (fokus == FOCUS_AKTI && e.lokaAntal == 1 && AlrelFindes(n, e.lokaTab[0])) saet(VFARVE_RELATION);
  if (fokus == FOCUS_LOKA &&
      ((e.skfa_id && SkfalokarelFindes(e.skfa_id, n)) || (e.aktiAntal == 1 && AlrelFindes(akti, n))))
    saet(VFARVE_RELATION);
  return farve;
}

uint8_t DifValgVistMaerke(const BrikIndStruct *b, uint8_t fokus, uint32_t recnr) {
  if (fokus >= kAntalDifValg) return 0;
  uint8_t m = MaerkeAf(b->Valg[fokus], recnr);
  if (!RolleTjekkerSammenfald(b, b->Valg[fokus].Bogstav, recnr)) m &= static_cast<uint8_t>(~MAERKE_OPTAGET);
  return m;
}

char DifValgMaerkeTegn(uint8_t m) {
  if (m & MAERKE_VALGT) return 'X';
  if (m & MAERKE_OPTAGET) return '\xF7';  // ÷
  if (m & MAERKE_PERIODE) return 'U';
  if (m & MAERKE_RINGSYSTEM) return 'R';
  if (m & MAERKE_RING_UBRUGT) return 'M';
  if (m & MAERKE_SKOLEFRI) return 'S';
  if (m & MAERKE_ANDEN_SORT) return 'T';
  if (m & ~MAERKE_GAMMEL) return 'E';
  return ' ';
}

// ---------------------------------------------------------------- painting

namespace {

void TegnRaekker(BrikIndStruct *b, int rude, uint32_t fra, uint32_t til) {
  const uint8_t k = b->AktuelListe;
  HWND h = b->hwndListe[rude];
  if (k >= kAntalDifValg || !h) return;
  DifValg &v = b->Valg[k];
  const Tabel t = TabelFor(k);
  HDC dc = GetDC(h);
  if (!dc) return;
  RECT klient{};
  GetClientRect(h, &klient);
  EnsDC edc{dc, kIngenFarve, kIngenFarve};
  const bool harFokus = b->TastaturFokus == k;
  const uint32_t art = rude == 0 ? kDifValgListeArt : kDifValgDetaljeArt;
  const uint8_t bogstav = static_cast<uint8_t>(v.Bogstav);
  SwitchRaekkeValg valg;
  valg.hwnd = b->hwnd;
  valg.Hoejde = kDifValgRaekkeHoejde - 1;
  for (uint32_t r = std::max<uint32_t>(fra, 1); r <= til; ++r) {
    const int y = static_cast<int>((r - 1) * kDifValgRaekkeHoejde) - static_cast<int>(v.ScrollY);
    if (y >= klient.bottom) break;
    const int x = rude == 1 ? -static_cast<int>(v.DetaljeX) : 0;
    if (r > v.Antal) {
      RECT fyld{klient.left, y, klient.right, y + static_cast<int>(kDifValgRaekkeHoejde)};
      const uint8_t f = r == v.Aktuel ? (harFokus ? VFARVE_AKTUEL_FOKUS : VFARVE_AKTUEL) : 0;
      FillRect(dc, &fyld, f ? FarveBrush[f] : (b->Pensel ? b->Pensel : FarveBrush[0]));
      continue;
    }
    const uint32_t n = v.ObjTab[r];
    uint8_t farve = DifValgRaekkeFarve(b, k, r, harFokus);
    if (rude == 1) {
      const bool aktuel = r == v.Aktuel;
      farve = aktuel ? (harFokus ? VFARVE_AKTUEL_FOKUS : VFARVE_DETALJE_AKTUEL) : 0;
      if (k == FOCUS_SKFA && b->FagNiveau && n < b->FagNiveauAntal && b->FagNiveau[n])
        farve = aktuel ? (harFokus ? VFARVE_NIVEAU_FOKUS : VFARVE_NIVEAU_AKTUEL) : VFARVE_NIVEAU;
      else if (k != FOCUS_AKTI || !aktuel) {
        const uint8_t f = DifValgRaekkeFarve(b, k, r, harFokus);
        if (f >= VFARVE_FAGFORDL && f != VFARVE_ELEVSAMMENFALD) farve = f;
      }
      if (k == FOCUS_ANFO && n < b->AnfoPladser) {
        valg.Valg1 = static_cast<int32_t>(b->AnfoRolle ? b->AnfoRolle[n] : 0);
        // Minutes in hundredths; none given stays below 0.
        const float minut = b->AnfoMinut ? b->AnfoMinut[n] : -1.0f;
        valg.Valg2 = !(minut >= 0) ? -1 : static_cast<int32_t>(std::lround(std::min(static_cast<double>(minut), 1e7) * 100.0));
      } else if (k == FOCUS_LOKA && n < b->LokaPladser) {
        valg.Valg1 = static_cast<int32_t>(b->LokaRolle ? b->LokaRolle[n] : 0);
      }
    } else {
      valg.Valg1 = DifValgVistMaerke(b, k, n);
    }
    TegnObjSwitchRaekke(&edc, x, y, farve, art, bogstav, v.SwitchValgt, t.td, t.tv, n, &valg);
    if (rude == 0) {
      // The legend letter leads the row.
      const char tegn[2] = {DifValgMaerkeTegn(static_cast<uint8_t>(valg.Valg1)), 0};
      SetBkMode(dc, TRANSPARENT);
      TextOutA(dc, x + 1, y, tegn, 1);
    }
  }
  ReleaseDC(h, dc);
}

}  // namespace

void TegnDifValgRaekker(BrikIndStruct *b, uint32_t fra, uint32_t til) { TegnRaekker(b, 0, fra, til); }
void TegnDifValgDetaljer(BrikIndStruct *b, uint32_t fra, uint32_t til) { TegnRaekker(b, 1, fra, til); }

void TegnDifValgRaekke(BrikIndStruct *b, uint32_t raekke) {
  if (!raekke || b->AktuelListe >= kAntalDifValg) return;
  TegnRaekker(b, 0, raekke, raekke);
  TegnRaekker(b, 1, raekke, raekke);
  b->Valg[b->AktuelListe].ForrigeAktuel = raekke;
}

void TegnSynligeRaekker(BrikIndStruct *b) {
  if (b->AktuelListe >= kAntalDifValg) return;
  DifValg &v = b->Valg[b->AktuelListe];
  const uint32_t foerste = std::max<uint32_t>(v.FoersteSynlige, 1);
  TegnDifValgRaekker(b, foerste, foerste + SynligeRaekker(b));
}

void OpdaterDifValgVindue(BrikIndStruct *b) {
  if (b->AktuelListe >= kAntalDifValg) return;
  DifValg &v = b->Valg[b->AktuelListe];
  const uint32_t foerste = std::max<uint32_t>(v.FoersteSynlige, 1);
  const uint32_t sidste = foerste + SynligeRaekker(b);
  TegnDifValgRaekker(b, foerste, sidste);
  TegnDifValgDetaljer(b, foerste, sidste);
  const RECT &d = b->BoernRekt[BARN_DETALJE];
  const RECT &l = b->BoernRekt[BARN_LISTE];
  const uint32_t bredde = ObjSwitchBredde(kDifValgDetaljeArt, static_cast<uint8_t>(v.Bogstav), v.SwitchValgt);
  const uint32_t hoejde = v.Antal ? v.Antal * kDifValgRaekkeHoejde : kDifValgRaekkeHoejde;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  if (b->hwndRulle[0]) {
    si.nMin = 0;
    si.nMax = bredde ? static_cast<int>(bredde) - 1 : 0;
    si.nPage = static_cast<UINT>(std::max<LONG>(0, d.right - d.left));
    si.nPos = static_cast<int>(v.DetaljeX);
    SetScrollInfo(b->hwndRulle[0], SB_CTL, &si, TRUE);
  }
  if (b->hwndRulle[1]) {
    si.nMin = 0;
    si.nMax = static_cast<int>(hoejde) - 1;
    si.nPage = static_cast<UINT>(std::max<LONG>(0, l.bottom - l.top));
    si.nPos = static_cast<int>(v.ScrollY);
    SetScrollInfo(b->hwndRulle[1], SB_CTL, &si, TRUE);
  }
  if (v.SwitchValgt < kMaxSwitchKnapper && v.hwndSwitchButtons[v.SwitchValgt])
    SendMessageA(v.hwndSwitchButtons[v.SwitchValgt], NYB_LAAS_NED, 1, 0);
  PlacerKolonneKnapper(b);
}

void SkiftDifValgFokus(BrikIndStruct *b, uint8_t fokus) {
  if (fokus >= kAntalDifValg) return;
  if (fokus != b->AktuelListe && b->AktuelListe < kAntalDifValg) {
    DifValg &g = b->Valg[b->AktuelListe];
    for (int i = 0; i < g.AntalSwitchKnapper && i < kMaxSwitchKnapper; ++i)
      if (g.hwndSwitchButtons[i]) ShowWindow(g.hwndSwitchButtons[i], SW_HIDE);
    for (int i = 0; i < g.AntalKnapper2 && i < kMaxSwitchKnapper; ++i)
      if (g.hwndKnapper2[i]) ShowWindow(g.hwndKnapper2[i], SW_HIDE);
    if (g.hwndBarn) ShowWindow(g.hwndBarn, SW_HIDE);
  }
  b->AktuelListe = fokus;
  DifValg &v = b->Valg[fokus];
  if (v.hwndBarn) ShowWindow(v.hwndBarn, SW_SHOW);
  v.DetaljeKolonner = 1;
  OpdaterDifValg(b, v.Bygget != 0);
  const RECT &l = b->BoernRekt[BARN_LISTE];
  int x = l.left;
  const int bk = 22, hk = 18;
  for (int i = 0; i < v.AntalSwitchKnapper && i < kMaxSwitchKnapper; ++i)
    if (v.hwndSwitchButtons[i]) {
      MoveWindow(v.hwndSwitchButtons[i], x, l.top - hk - 22, bk, hk, FALSE);
      ShowWindow(v.hwndSwitchButtons[i], SW_SHOW);
      x += bk;
    }
  OpdaterDifValgVindue(b);
}
