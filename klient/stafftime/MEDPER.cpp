// The employments' period chains, read against the program's settings rather than copies of them.
#include "MEDPER.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "INDSTIL.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "tavo/assert.h"
#include "win/kprofile.h"

MedPerRec *MedPerTab = nullptr;
uint32_t MedPerAntal = 0;
MedPerIdx *MedPerIdxTab = nullptr;
uint32_t MedPerIdxAntal = 0;

namespace {

bool NormSystem() { return GlobalIndstillinger.normsystem != 0; }

// A period array that grows by MEDPER_BLOK records; entry 0 stays empty.
struct PeriodeArray {
  MedPerRec *pb = nullptr;
  uint32_t antal = 1;  // next record number to write

  void Tilfoej(const MedPerRec &r) {
    const uint32_t n = antal;
    if ((n - 1) % MEDPER_BLOK == 0) {
      pb = static_cast<MedPerRec *>(realloc(pb, (static_cast<size_t>(n) + MEDPER_BLOK) * sizeof(MedPerRec)));
      TAVO_ASSERT(pb != NULL);
      memset(pb + n, 0, MEDPER_BLOK * sizeof(MedPerRec));
      if (n == 1) memset(pb, 0, sizeof(MedPerRec));
    }
    pb[n] = r;
    antal = n + 1;
  }
};

struct Stykke {
  uint32_t Fradato;
  uint32_t Tildato;
  uint32_t neste;
};

// Cuts fra..til by a chain of dated records (accounting periods or agreement
// terms) into gap, covered and tail pieces. hent gives a chain record's
// dates and next link; false when the number names no record.
template <class HentFn, class SkrivFn>
void Skaer(Dato fra, Dato til, uint32_t foerste, uint32_t kaedeAntal, HentFn hent, SkrivFn skriv) {
  Dato cur = fra, sidst = 0;
  uint32_t n = foerste < kaedeAntal ? foerste : 0;
  for (uint32_t skridt = 0; n && skridt < kaedeAntal; ++skridt) {
    Stykke s;
    if (!hent(n, &s)) break;
    if (s.Fradato > til) break;
    if (s.Tildato >= fra) {
      if (cur < s.Fradato) {
        skriv(0u, cur, ForrigeDato(s.Fradato));
        cur = s.Fradato;
      }
      const Dato slut = std::min<Dato>(s.Tildato, til);
      // Overlapping chain records would give a piece that ends before it
      // begins; such a record adds nothing.
      if (cur <= slut) {
        skriv(n, cur, slut);
        sidst = slut;
        cur = NaesteDato(slut);
      }
    }
    n = s.neste;
  }
  if (sidst < til) skriv(0u, cur, til);
}

// Inserts element p into a chain by ascending date: a date not after the
// head's goes in front; otherwise after the last member with an earlier
// date, so among equal dates the later inserted stands first.
template <class DatoFn, class NesteFn, class SaetNesteFn>
void IndsaetSorteret(uint32_t &hoved, uint32_t p, DatoFn dato, NesteFn neste, SaetNesteFn saetNeste,
                     uint32_t graense) {
  if (hoved == 0 || dato(p) <= dato(hoved)) {
    saetNeste(p, hoved);
    hoved = p;
    return;
  }
  uint32_t forrige = hoved;
  for (uint32_t skridt = 0; skridt < graense; ++skridt) {
    const uint32_t nx = neste(forrige);
    if (nx == 0 || dato(nx) >= dato(p)) break;
    forrige = nx;
  }
  saetNeste(p, neste(forrige));
  saetNeste(forrige, p);
}

// With pSpan, narrowed to the dates on which the walk goes the same way.
const MedPerRec *PeriodeVedDato(uint32_t anfo, Dato dato, DatoSpan *pSpan = nullptr) {
  if (anfo == 0 || anfo >= tvanfo.wRecCnt || !MedPerIdxTab || anfo >= MedPerIdxAntal) return nullptr;
  uint32_t p = MedPerIdxTab[anfo].forste_medper;
  for (uint32_t skridt = 0; p && p < MedPerAntal && skridt < MedPerAntal; ++skridt) {
    const MedPerRec &r = MedPerTab[p];
    if (r.Fradato > dato) {
      if (pSpan) pSpan->Foer(r.Fradato);
      return nullptr;
    }
    if (pSpan) pSpan->Fra(r.Fradato);
    if (r.Tildato >= dato) {
      if (pSpan) pSpan->Til(r.Tildato);
      return &r;
    }
    if (pSpan) pSpan->Efter(r.Tildato);
    p = r.neste_medper;
  }
  return nullptr;
}

bool AnfoGyldig(uint32_t anfo) { return anfo != 0 && anfo < tvanfo.wRecCnt; }

const MedPerIdx *Idx(uint32_t anfo) {
  if (!AnfoGyldig(anfo) || !MedPerIdxTab || anfo >= MedPerIdxAntal) return nullptr;
  return &MedPerIdxTab[anfo];
}

// The employee of an employment, 0 when none.
uint32_t MedaAf(uint32_t anfo) {
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  return a ? a->meda_id : 0;
}

const OpgperRec *OpgperVedDato(uint32_t anfo, Dato dato) {
  const MedPerRec *p = PeriodeVedDato(anfo, dato);
  if (!p || p->araf_id == 0 || p->opgper_id == 0) return nullptr;
  return TabRec<OpgperRec>(tvopgper, p->opgper_id);
}

const OpgperiodeRec *OpgperiodeVedDato(uint32_t anfo, Dato dato) {
  const uint32_t n = MedPerOpgPer(anfo, dato);
  return n ? TabRec<OpgperiodeRec>(tvopgperiode, n) : nullptr;
}

// The program's current date: the current weekday of the current week.
Dato AktuelDato() {
  const Dato d = UgeDagTilDato(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks),
                               VisningsTilstand[VISNING_LEKTION].Ugedag);
  return d ? d : SkemaPeriode.AktuelDato;
}

// The default accounting period on calendar months: the period of the set
// length that begins in the start month (or a multiple of the length after
// it) and holds the current month. Months are counted as year x 12 + month.
void StdOpgPer(int64_t *pFoerste, int64_t *pSidste) {
  const Dato d = AktuelDato();
  const int64_t laengde = GlobalIndstillinger.opgPeriodeLaengde ? 12 : 6;
  uint32_t start = GlobalIndstillinger.opgPeriodeStartMaaned;
  if (start < 1 || start > 12) start = 1;
  const int64_t c = static_cast<int64_t>(d / 10000) * 12 + (d / 100 % 100) - 1;
  const int64_t s0 = static_cast<int64_t>(d / 10000) * 12 + start - 1;
  const int64_t fra = c - (((c - s0) % laengde) + laengde) % laengde;
  *pFoerste = fra;
  *pSidste = fra + laengde - 1;
}

Maaned SomMaaned(int64_t m) { return static_cast<Maaned>((m / 12) * 100 + m % 12 + 1); }

MaanedIndeks IndeksAfDato(Dato d) { return MaanedTilIndeks(d / 100); }

}  // namespace

void FreeMedPer() {
  free(MedPerTab);
  MedPerTab = nullptr;
  MedPerAntal = 0;
  free(MedPerIdxTab);
  MedPerIdxTab = nullptr;
  MedPerIdxAntal = 0;
}

void BuildMedPer() {
  // 1. Cut each terms record by its agreement calendar's accounting periods.
  PeriodeArray tmp;
  for (uint32_t r = 1; r < tvansk.wRecCnt; ++r) {
    const AnskRec *k = TabRec<AnskRec>(tvansk, r);
    if (k->Status == 0 || k->araf_id >= tvaraf.wRecCnt) continue;
    const ArafRec *af = TabRec<ArafRec>(tvaraf, k->araf_id);
    if (af->opgkal_id >= tvopgkal.wRecCnt) continue;
    // A record that ends before it begins covers no day.
    if (k->Gyldig_fra > k->Gyldig_til) continue;
    const OpgkalRec *kal = TabRec<OpgkalRec>(tvopgkal, af->opgkal_id);
    const uint32_t anfo = k->anfo_id, araf = k->araf_id;
    Skaer(
        k->Gyldig_fra, k->Gyldig_til, kal->forste_opgper, tvopgper.wRecCnt,
        [](uint32_t n, Stykke *s) {
          const OpgperRec *o = TabRec<OpgperRec>(tvopgper, n);
          if (!o) return false;
          *s = {o->Fradato, o->Tildato, o->neste_opgper};
          return true;
        },
        [&](uint32_t opgper, Dato fra, Dato til) {
          tmp.Tilfoej(MedPerRec{anfo, r, araf, opgper, 0, fra, til, 0});
        });
  }

  // 2. Cut those periods by the agreement's terms into the new MedPerTab.
  FreeMedPer();
  PeriodeArray ny;
  for (uint32_t t = 1; t < tmp.antal; ++t) {
    const MedPerRec tp = tmp.pb[t];
    if (tp.araf_id == 0 || tp.araf_id >= tvaraf.wRecCnt) continue;
    const ArafRec *af = TabRec<ArafRec>(tvaraf, tp.araf_id);
    if (af->forste_aftalop >= tvaftalop.wRecCnt) continue;
    Skaer(
        tp.Fradato, tp.Tildato, af->forste_aftalop, tvaftalop.wRecCnt,
        [](uint32_t n, Stykke *s) {
          const AftalopRec *a = TabRec<AftalopRec>(tvaftalop, n);
          if (!a) return false;
          *s = {a->Fradato, a->Tildato, a->neste_aftalop};
          return true;
        },
        [&](uint32_t aftalop, Dato fra, Dato til) {
          ny.Tilfoej(MedPerRec{tp.anfo_id, tp.ansk_id, tp.araf_id, tp.opgper_id, aftalop, fra, til, 0});
        });
  }
  free(tmp.pb);
  MedPerTab = ny.pb;
  MedPerAntal = ny.antal;

  // 3. Chain the periods per employment by ascending first day.
  const uint32_t anfoAntal = tvanfo.wRecCnt;
  MedPerIdxTab = static_cast<MedPerIdx *>(calloc(static_cast<size_t>(anfoAntal) + 1, sizeof(MedPerIdx)));
  MedPerIdx *pb = MedPerIdxTab;
  TAVO_ASSERT(pb != NULL);
  MedPerIdxAntal = anfoAntal + 1;
  for (uint32_t p = 1; p < MedPerAntal; ++p) {
    const uint32_t a = MedPerTab[p].anfo_id;
    if (a > anfoAntal) continue;
    uint32_t hoved = MedPerIdxTab[a].forste_medper;
    IndsaetSorteret(
        hoved, p, [](uint32_t n) { return MedPerTab[n].Fradato; },
        [](uint32_t n) { return MedPerTab[n].neste_medper; },
        [](uint32_t n, uint32_t v) { MedPerTab[n].neste_medper = v; }, MedPerAntal);
    MedPerIdxTab[a].forste_medper = hoved;
  }

  // 4. The buffer-hour records of each employment.
  for (uint32_t r = 1; r < tvbuftim.wRecCnt; ++r) {
    BuftimRec *b = TabRec<BuftimRec>(tvbuftim, r);
    b->neste_buftim = 0;
    if (b->Status != 10 || b->anfo_id >= anfoAntal) continue;
    uint32_t hoved = MedPerIdxTab[b->anfo_id].forste_buftim;
    IndsaetSorteret(
        hoved, r, [](uint32_t n) { return TabRec<BuftimRec>(tvbuftim, n)->Fradato; },
        [](uint32_t n) { return TabRec<BuftimRec>(tvbuftim, n)->neste_buftim; },
        [](uint32_t n, uint32_t v) { TabRec<BuftimRec>(tvbuftim, n)->neste_buftim = v; }, tvbuftim.wRecCnt);
    MedPerIdxTab[b->anfo_id].forste_buftim = hoved;
  }

  // 5. The norm adjustments of each employment.
  for (uint32_t r = 1; r < tvnormjust.wRecCnt; ++r) {
    NormjustRec *j = TabRec<NormjustRec>(tvnormjust, r);
    j->neste_normjust = 0;
    if (j->Status != 10 || j->anfo_id >= anfoAntal) continue;
    uint32_t hoved = MedPerIdxTab[j->anfo_id].forste_normjust;
    IndsaetSorteret(
        hoved, r, [](uint32_t n) { return TabRec<NormjustRec>(tvnormjust, n)->Dato; },
        [](uint32_t n) { return TabRec<NormjustRec>(tvnormjust, n)->neste_normjust; },
        [](uint32_t n, uint32_t v) { TabRec<NormjustRec>(tvnormjust, n)->neste_normjust = v; },
        tvnormjust.wRecCnt);
    MedPerIdxTab[j->anfo_id].forste_normjust = hoved;
  }
}

uint32_t MedPerAnsk(uint32_t anfo, Dato dato, DatoSpan *pSpan) {
  const MedPerRec *p = PeriodeVedDato(anfo, dato, pSpan);
  return p ? p->ansk_id : 0;
}

uint32_t MedPerAraf(uint32_t anfo, Dato dato, DatoSpan *pSpan) {
  const MedPerRec *p = PeriodeVedDato(anfo, dato, pSpan);
  return p ? p->araf_id : 0;
}

uint32_t MedPerAftalop(uint32_t anfo, Dato dato) {
  const MedPerRec *p = PeriodeVedDato(anfo, dato);
  return p ? p->aftalop_id : 0;
}

uint32_t MedPerOpgPer(uint32_t anfo, Dato dato) {
  if (!NormSystem()) {
    const MedPerRec *p = PeriodeVedDato(anfo, dato);
    return p ? p->opgper_id : 0;
  }
  if (!AnfoGyldig(anfo)) return 0;
  const uint32_t meda = MedaAf(anfo);
  for (uint32_t r = 1; r < tvregperiode.wRecCnt; ++r) {
    const RegperiodeRec *g = TabRec<RegperiodeRec>(tvregperiode, r);
    if (g->meda_id == meda && g->FraDato <= dato && dato <= g->TilDato) return g->opgp_id;
  }
  for (uint32_t r = 1; r < tvopgperiode.wRecCnt; ++r) {
    const OpgperiodeRec *o = TabRec<OpgperiodeRec>(tvopgperiode, r);
    if (o->FraDato <= dato && dato <= o->TilDato) return r;
  }
  return 0;
}

Dato StdOpgPerFra() {
  int64_t fra, til;
  StdOpgPer(&fra, &til);
  return SomMaaned(fra) * 100 + 1;
}

Dato StdOpgPerTil() {
  int64_t fra, til;
  StdOpgPer(&fra, &til);
  return SidsteDatoIMaaned(SomMaaned(til));
}

Dato GetOpgPerFra(Dato dato, uint32_t anfo) {
  if (NormSystem()) {
    const OpgperiodeRec *o = OpgperiodeVedDato(anfo, dato);
    return o ? o->FraDato : 0;
  }
  const OpgperRec *o = OpgperVedDato(anfo, dato);
  return o ? o->Fradato : StdOpgPerFra();
}

Dato GetOpgPerTil(Dato dato, uint32_t anfo) {
  if (NormSystem()) {
    const OpgperiodeRec *o = OpgperiodeVedDato(anfo, dato);
    return o ? o->TilDato : 0;
  }
  const OpgperRec *o = OpgperVedDato(anfo, dato);
  return o ? o->Tildato : StdOpgPerTil();
}

void GetOpgPerMonths(Dato dato, uint32_t anfo, MaanedIndeks *pFoerste, MaanedIndeks *pSidste,
                     int32_t *pNorm) {
  MaanedIndeks foerste = 0, sidste = 0;
  int32_t norm = 0;
  if (NormSystem()) {
    if (const OpgperiodeRec *o = OpgperiodeVedDato(anfo, dato)) {
      foerste = IndeksAfDato(o->FraDato);
      sidste = IndeksAfDato(o->TilDato);
      norm = BeregnPeriodeNorm(anfo, o->FraDato, o->TilDato);
    }
  } else if (const OpgperRec *o = OpgperVedDato(anfo, dato)) {
    foerste = IndeksAfDato(o->Fradato);
    sidste = IndeksAfDato(o->Tildato);
    // A norm beyond the range of the result is no norm at all.
    norm = (std::fabs(o->Norm) < 2147483647.0f) ? static_cast<int32_t>(o->Norm) : 0;
  } else {
    foerste = IndeksAfDato(StdOpgPerFra());
    sidste = IndeksAfDato(StdOpgPerTil());
    norm = GlobalIndstillinger.opgPeriodeNorm;
  }
  if (pFoerste) *pFoerste = foerste;
  if (pSidste) *pSidste = sidste;
  if (pNorm) *pNorm = norm;
}

int32_t GetDagsNorm(uint32_t anfo, Dato dato) {
  if (!NormSystem()) {
    // The setting is hours; the norm counts hundredths of an hour.
    const int32_t v = static_cast<int32_t>(std::lround(GlobalIndstillinger.lektionerprdag * 100.0f));
    // Less than one or more than 24 hours is no working day: 7.40 hours.
    if (v < 100 || v > 2400) return 7400;
    return v * 10;
  }
  if (anfo >= tvanfo.wRecCnt) return 7400;
  const uint32_t meda = MedaAf(anfo);
  const RegperiodeRec *sidst = nullptr;
  for (uint32_t r = 1; r < tvregperiode.wRecCnt; ++r) {
    const RegperiodeRec *g = TabRec<RegperiodeRec>(tvregperiode, r);
    if (g->meda_id == meda && g->FraDato <= dato && dato <= g->TilDato) sidst = g;
  }
  if (sidst && sidst->Dagsnorm != 0) return sidst->Dagsnorm * 10;
  const OpgperiodeRec *o = OpgperiodeVedDato(anfo, dato);
  if (!o) return 7400;
  const NormsystemRec *ns = TabRec<NormsystemRec>(tvnormsystem, o->nosy_id);
  if (!ns || ns->Dagsnorm == 0) return 7400;
  return ns->Dagsnorm * 10;
}

int32_t BeregnPeriodeNorm(uint32_t anfo, Dato fra, Dato til) {
  if (anfo >= tvanfo.wRecCnt) return 0;
  const uint32_t meda = MedaAf(anfo);
  int64_t sum = 0;
  for (uint32_t r = 1; r < tvregperiode.wRecCnt; ++r) {
    const RegperiodeRec *g = TabRec<RegperiodeRec>(tvregperiode, r);
    // Inclusive: a registration period that only touches the range still
    // gives its one shared day.
    if (g->meda_id != meda || g->FraDato > til || g->TilDato < fra) continue;
    const Dato regFra = g->FraDato, regTil = g->TilDato;
    const Dato start = std::max(fra, regFra), slut = std::min(til, regTil);
    if (!GyldigDato(start)) continue;
    // Bounded walk: no range of real dates is longer than this.
    Dato d = start;
    for (int dage = 0; d <= slut && dage < 200 * 366; ++dage, d = NaesteDato(d)) {
      uint8_t ugedag = 0;
      DatoTilUge(d, nullptr, &ugedag);
      if (ugedag >= 1 && ugedag <= 5 && Helligdag(d) == 0) sum += g->Dagsnorm;
    }
  }
  const int64_t milli = sum * 10;
  const int64_t graense = 2147483647 - 500;
  return RoundMilli(static_cast<int32_t>(std::clamp<int64_t>(milli, -graense, graense)));
}

float SumNormJust(uint32_t anfo, Dato fra, Dato til) {
  const MedPerIdx *i = Idx(anfo);
  if (!i) return 0.0f;
  float sum = 0.0f;
  uint32_t n = i->forste_normjust;
  for (uint32_t skridt = 0; n && n < tvnormjust.wRecCnt && skridt < tvnormjust.wRecCnt; ++skridt) {
    const NormjustRec *j = TabRec<NormjustRec>(tvnormjust, n);
    if (j->Dato >= fra && j->Dato <= til) sum += j->Timer;
    n = j->neste_normjust;
  }
  return sum;
}

float GetBufTimSaldo(uint32_t anfo, Dato dato) {
  const MedPerIdx *i = Idx(anfo);
  if (!i) return 0.0f;
  float saldo = 0.0f;
  uint32_t n = i->forste_buftim;
  for (uint32_t skridt = 0; n && n < tvbuftim.wRecCnt && skridt < tvbuftim.wRecCnt; ++skridt) {
    const BuftimRec *b = TabRec<BuftimRec>(tvbuftim, n);
    if (b->Fradato <= dato && dato <= b->Tildato) saldo += b->Undertimer_fra_forrige - b->Overtimer_fra_forrige;
    n = b->neste_buftim;
  }
  return saldo;
}

uint32_t FindAnscAtDate(uint32_t anfo, Dato dato) {
  if (anfo == 0) return 0;
  for (uint32_t r = 1; r < tvansc.wRecCnt; ++r) {
    const AnscRec *c = TabRec<AnscRec>(tvansc, r);
    if (c->Status >= 10 && c->Status <= 29 && c->anfo_id == anfo && c->Gyldig_fra <= dato &&
        dato <= c->Gyldig_til)
      return r;
  }
  return 0;
}

uint32_t FindAnskAtDate(uint32_t anfo, Dato dato) {
  if (anfo == 0) return 0;
  uint32_t kandidat = 0;
  for (uint32_t r = 1; r < tvansk.wRecCnt; ++r) {
    const AnskRec *k = TabRec<AnskRec>(tvansk, r);
    if (k->anfo_id != anfo) continue;
    if (kandidat == 0) {
      kandidat = r;
      continue;
    }
    const AnskRec *c = TabRec<AnskRec>(tvansk, kandidat);
    if (c->Gyldig_til < dato) {
      if (k->Gyldig_til > c->Gyldig_til) kandidat = r;
    } else if (k->Gyldig_fra > dato && k->Gyldig_fra < c->Gyldig_fra) {
      kandidat = r;
    }
  }
  return kandidat;
}

