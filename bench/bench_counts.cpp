// The full recount of the count tables over a large school held in memory:
// 3,000 activities, 800 employees with their employments, 400 rooms, about
// 1,000,000 event rows in the week buckets and 300,000 postings in the month
// buckets. Reports the recount's time and its ratio to one plain pass that
// reads the same rows once.
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

#include "INDSTIL.h"
#include "KATALOG.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "TABOPER.h"
#include "TALTAB.h"
#include "TAVODATA.h"

namespace {

template <class R>
uint32_t Ny(const TabDesc &td, TabVar &tv, const R &r) {
  const uint32_t n = NewRec(&td, &tv);
  if (n) memcpy(GetRec(&td, &tv, n), &r, sizeof r);
  return n;
}

template <class R>
R *Tilfoej(const TabDesc &td, TabVar *b, uint32_t *pNr) {
  b->FoersteLedige = b->wRecCnt;
  const uint32_t n = NewRec(&td, b);
  if (pNr) *pNr = n;
  return n ? reinterpret_cast<R *>(GetRec(&td, b, n)) : nullptr;
}

template <size_t N>
void Tekst(char (&felt)[N], const char *s) {
  memset(felt, 0, N);
  strncpy(felt, s, N - 1);
}

constexpr uint32_t kAkti = 3000, kMeda = 800, kLoka = 400, kFag = 50;
constexpr uint32_t kBegivenheder = 250000;  // four rows each
constexpr uint32_t kPoster = 300000;

Dato BenchDag() { return 20250115; }

void BygSkole() {
  SetInitTabFn(InitTab);
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) ResetTab(e->pTabDesc, e->pTabVar, 1);
  InitPeriode(20240801, 20250731, 20240801);
  StandardIndstillinger();
  TalDagsDato = BenchDag;
  std::mt19937 rnd(42);

  const char *koder[] = {"", "11sy", "FF", "AF"};
  uint32_t loty[4];
  for (int i = 0; i < 4; ++i) {
    LotyRec l{};
    l.id = 10 + i;
    Tekst(l.Aktivitetstype, koder[i]);
    l.Status = 10;
    loty[i] = Ny(tdloty, tvloty, l);
  }
  uint32_t rol[4];
  const char *roller[] = {"L", "F", "S", "A"};
  for (int i = 0; i < 4; ++i) {
    SkemarolRec r{};
    r.id = 100 + i;
    Tekst(r.Rolle, roller[i]);
    r.Status = 10;
    r.Genererer_timeposter = 'J';
    r.loty_id = i ? loty[i] : 0;
    rol[i] = Ny(tdskemarol, tvskemarol, r);
  }
  uint32_t fag[kFag];
  for (uint32_t i = 0; i < kFag; ++i) {
    SkfaRec s{};
    s.id = 200 + i;
    s.Status = 10;
    fag[i] = Ny(tdskfa, tvskfa, s);
  }
  static uint32_t akti[kAkti], anfo[kMeda], loka[kLoka];
  for (uint32_t i = 0; i < kAkti; ++i) {
    AktiRec a{};
    a.id = 1000 + i;
    Tekst(a.Aktivitet, "hold");
    a.Status = 10;
    Tekst(a.Type, "UV");
    a.Fradato = 20240801;
    a.Tildato = 20250731;
    a.Aflyst = 'N';
    a.loty_id = loty[i % 7 == 0 ? 2 : 0];
    akti[i] = Ny(tdakti, tvakti, a);
    SkphRec p{};
    p.akti_id = akti[i];
    p.skfa_id = fag[i % kFag];
    p.Status = 10;
    Ny(tdskph, tvskph, p);
    for (uint32_t k = 0; k < 10; ++k) {
      AkplRec e{};
      e.pers_id = i * 10 + k + 1;
      e.akti_id = akti[i];
      e.Status = 10;
      e.Startdato = 20240801;
      e.Slutdato = 20250630;
      Ny(tdakpl, tvakpl, e);
    }
  }
  tvskph.fSorter = 1;
  for (uint32_t i = 0; i < kMeda; ++i) {
    MedaRec m{};
    m.id = 5000 + i;
    Tekst(m.Initialer, "ABC");
    m.Status = 10;
    AnfoRec f{};
    f.id = 6000 + i;
    f.meda_id = Ny(tdmeda, tvmeda, m);
    f.Status = 10;
    anfo[i] = Ny(tdanfo, tvanfo, f);
  }
  for (uint32_t i = 0; i < kLoka; ++i) {
    LokaRec l{};
    l.id = 7000 + i;
    l.Status = 10;
    loka[i] = Ny(tdloka, tvloka, l);
  }

  const uint32_t W = SkemaPeriode.AntalUger;
  for (uint32_t n = 0; n < kBegivenheder; ++n) {
    const Uge uge = IndeksTilUge(1 + n % W);
    TabVar *b = UgeBucket(static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), static_cast<uint8_t>(uge % 100));
    const uint8_t dag = static_cast<uint8_t>(1 + rnd() % 5), lektion = static_cast<uint8_t>(1 + rnd() % 8);
    const uint32_t a = akti[rnd() % kAkti], s = fag[rnd() % kFag];
    const uint32_t dele[4][4] = {{a, 0, 0, 0},
                                 {0, anfo[rnd() % kMeda], rol[rnd() % 8 == 0 ? 1 + rnd() % 3 : 0], 0},
                                 {0, anfo[rnd() % kMeda], rol[0], 0},
                                 {0, 0, 0, loka[rnd() % kLoka]}};
    uint32_t forste = 0;
    for (const auto &d : dele) {
      uint32_t nr = 0;
      SkeRec *r = Tilfoej<SkeRec>(tdske, b, &nr);
      if (!forste) forste = nr;
      r->id = n + 1;
      r->Status = SKE_EGEN;
      r->akti_id = d[0];
      r->anfo_id = d[1];
      r->skemarol_id = d[2];
      r->loka_id = d[3];
      r->skfa_id = s;
      r->Dag = dag;
      r->Lektion = lektion;
      r->Starttid = 800 + lektion * 100;
      r->Sluttid = r->Starttid + 45;
      r->Forste = forste;
    }
  }
  const char *typer = "kuFHPAabefhpr";
  for (uint32_t n = 0; n < kPoster; ++n) {
    const Dato dato = DagNrTilDato(DatoTilDagNr(20240801) + rnd() % 365);
    TimoakRaekke *t = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(dato / 100), nullptr);
    t->id = n + 1;
    t->Status = 0x40;
    t->Type = typer[rnd() % 13];
    t->akti_id = akti[rnd() % kAkti];
    t->anfo_id = anfo[rnd() % kMeda];
    t->Dato = dato;
    t->Timer = 50 + static_cast<int32_t>(rnd() % 400);
  }
}

// Reads every live row of the period once, as the recount must at least.
double EnGennemgang(uint64_t *pRaekker) {
  double sum = 0;
  uint64_t n = 0;
  for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
    const Uge uge = IndeksTilUge(w);
    const TabVar *b = UgeBucket(static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), static_cast<uint8_t>(uge % 100));
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const SkeRec *s = reinterpret_cast<const SkeRec *>(b->pbTab + size_t(r) * sizeof(SkeRec));
      if (!SkeRaekkeLever(s->Status)) continue;
      sum += s->akti_id + s->anfo_id + s->loka_id + s->Dag + s->Lektion + s->Starttid;
      ++n;
    }
  }
  for (MaanedIndeks m = 1; m <= SkemaPeriode.AntalMaaneder; ++m) {
    const TabVar *b = TimoakBucket(IndeksTilMaaned(m));
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const TimoakRaekke *t = reinterpret_cast<const TimoakRaekke *>(b->pbTab + size_t(r) * sizeof(TimoakRaekke));
      if (!SkeRaekkeLever(t->Status)) continue;
      sum += t->Timer + t->akti_id + t->anfo_id;
      ++n;
    }
  }
  *pRaekker = n;
  return sum;
}

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// The thread's own processor time: on a shared machine the wall clock also
// counts the time others hold the processor.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

int main() {
  BygSkole();
  uint64_t raekker = 0;
  volatile double sink = EnGennemgang(&raekker);  // warm the rows once
  double c0 = CpuMs();
  auto t0 = std::chrono::steady_clock::now();
  sink = sink + EnGennemgang(&raekker);
  const double pass = Ms(std::chrono::steady_clock::now() - t0);
  const double passCpu = CpuMs() - c0;

  c0 = CpuMs();
  t0 = std::chrono::steady_clock::now();
  AllokerTalTab();
  const double recount = Ms(std::chrono::steady_clock::now() - t0);
  const double recountCpu = CpuMs() - c0;

  printf("rows %llu rows\n", static_cast<unsigned long long>(raekker));
  printf("pass-ms %.1f ms\n", pass);
  printf("recount-ms %.1f ms\n", recount);
  printf("recount-vs-pass %.1f x\n", pass > 0 ? recount / pass : 0.0);
  printf("pass-cpu-ms %.1f ms\n", passCpu);
  printf("recount-cpu-ms %.1f ms\n", recountCpu);
  printf("recount-vs-pass-cpu %.1f x\n", passCpu > 0 ? recountCpu / passCpu : 0.0);
  FreeAlleTalTabeller();
  return 0;
}
