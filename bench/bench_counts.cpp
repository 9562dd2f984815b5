// The count tables over the made-up schools of mkdata, the medium and the
// large one, each with its plan group, made in a temporary folder and
// loaded back as the program loads a data folder.
//
// Start-up: the time of load all and of each step of the data step after
// it, in the order BehandlData runs them (its chains, CountPlanTal,
// AllokerTalTab as its allocation and its recount, CountPlanTalMnd), the
// whole data step once more, and the planning worker's count of the event
// actuals (CountSkemaTal).
//
// The full recount (AllokerTalTab's recount, on tables it has just
// allocated) against two baselines over the same rows: one plain pass that
// reads every live row once, and the increments pass, which adds the
// recount's amounts to the recount's cells with each row's cells and
// amounts worked out beforehand, outside the timing: what any recount must
// at least do. Per row, large against medium, shows whether the cost per row
// stays flat as the school grows. With the plan group live, the recount
// is timed in rounds side by side with one without it, so that what the
// group adds is told apart from the machine's load.
//
// Start-up as a whole: load all and BehandlData on the large school,
// against a raw read of the same files in the same run; and each step's
// growth per row from the medium to the large school, over the growth per
// row of the increments pass (what the memory bound alone gives).
//
// Each timed figure is the best of several rounds; the spread figures give
// the worst round over the best, to show how noisy the run was.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "FINDREC.h"
#include "HENTGEM.h"
#include "ImpBehandl.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SKOLEDATA.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TALTAB.h"
#include "TAVODATA.h"

namespace {

using Klok = std::chrono::steady_clock;

double Ms(Klok::time_point a, Klok::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

template <class F>
double Tid(F f) {
  const auto t0 = Klok::now();
  f();
  return Ms(t0, Klok::now());
}

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_counts: %s\n", hvad);
  exit(1);
}

constexpr int RUNDER = 9;
// Rounds of the recount with and without the plan group side by side.
constexpr int PAR_RUNDER = 15;

struct Maaling {
  double bedst = 1e300, vaerst = 0;
  void Tag(double ms) {
    bedst = std::min(bedst, ms);
    vaerst = std::max(vaerst, ms);
  }
  double Spredning() const { return bedst > 0 ? vaerst / bedst : 0; }
};

void FrigivAlt() {
  FreeAlleTalTabeller();
  FreeAnfoAktiGrund(&AnfoAktiGrund);
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    TabVar *pTv = e->pTabVar;
    FreeRunPtrs(pTv);
    free(pTv->pbTab);
    free(pTv->pwSort);
    free(pTv->pfSave);
    memset(pTv, 0, sizeof *pTv);
  }
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
  FrigivAktiPrioritetMinde();
  FreeMedPer();
}

// As the program decides it after a load: a live plan group of this
// installation.
uint32_t EgenPlan() {
  for (uint32_t r = 1; r < tvffpg.wRecCnt; ++r) {
    const FfpgRec *p = TabRec<FfpgRec>(tvffpg, r);
    if (p->Status != 0 && (p->Status & 0x48) != 0x48 && p->Ejer == GlobalIndstillinger.insnr) return 1;
  }
  return 0;
}

template <class F>
void HverUge(F f) {
  for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
    const Uge uge = IndeksTilUge(w);
    const uint8_t aar = static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), nr = static_cast<uint8_t>(uge % 100);
    const TabVar *b = UgeBucket(aar, nr);
    if (b && b->pbTab) f(w, aar, nr, reinterpret_cast<const SkeRec *>(b->pbTab), b->wRecCnt);
  }
}

template <class F>
void HverMaaned(F f) {
  for (MaanedIndeks m = 1; m <= SkemaPeriode.AntalMaaneder; ++m) {
    const TabVar *b = TimoakBucket(IndeksTilMaaned(m));
    if (b && b->pbTab) f(m, reinterpret_cast<const TimoakRaekke *>(b->pbTab), b->wRecCnt);
  }
}

// Reads every live row of the period once, as the recount must at least.
double EnGennemgang(uint64_t *pRaekker) {
  double sum = 0;
  uint64_t n = 0;
  HverUge([&](UgeIndeks, uint8_t, uint8_t, const SkeRec *rk, uint32_t antal) {
    for (uint32_t r = 1; r < antal; ++r) {
      const SkeRec *s = rk + r;
      if (!SkeRaekkeLever(s->Status)) continue;
      sum += s->akti_id + s->anfo_id + s->loka_id + s->Dag + s->Lektion + s->Starttid;
      ++n;
    }
  });
  HverMaaned([&](MaanedIndeks, const TimoakRaekke *rk, uint32_t antal) {
    for (uint32_t r = 1; r < antal; ++r) {
      const TimoakRaekke *t = rk + r;
      if (!SkeRaekkeLever(t->Status)) continue;
      sum += t->Timer + t->akti_id + t->anfo_id;
      ++n;
    }
  });
  *pRaekker = n;
  return sum;
}

// ---- The increments pass ----

// One addition to one cell: the address with the kind of cell in its top
// bits, and the amount.
#pragma pack(push, 1)
struct Tilvaekst {
  uint64_t adrArt;
  uint32_t v;
};
#pragma pack(pop)

enum Art : uint64_t { F32 = 1, U32 = 2, U8 = 3 };
constexpr int ART_SKIFT = 56;

struct Tilvaekster {
  std::vector<Tilvaekst> op;
  std::vector<uint8_t> antal;  // additions per event or posting, in walk order

  void Laeg(void *p, Art a, uint32_t v) {
    op.push_back({reinterpret_cast<uint64_t>(p) | (static_cast<uint64_t>(a) << ART_SKIFT), v});
  }
  void Flyd(float *p, float v) {
    uint32_t u;
    memcpy(&u, &v, 4);
    Laeg(p, F32, u);
  }
  void Hel(void *p, int64_t v) { Laeg(p, U32, static_cast<uint32_t>(v)); }
};

uint8_t *Felt(TabVar &tv, const TabDesc &td, uint32_t r, size_t offset) {
  return tv.pbTab + static_cast<size_t>(r) * td.RecSize + offset;
}

// The cells and amounts of every event and posting without a plan group,
// for the school's data: teaching roles without codes, as mkdata makes
// them, and the posting types it makes.
void ForberedTilvaekster(Tilvaekster *pT) {
  Tilvaekster &T = *pT;
  T.op.clear();
  T.antal.clear();
  const TalDimRec &d = TalDim;
  std::vector<uint8_t> optalt(LokaOptalt ? static_cast<size_t>(d.R) * d.Y * LOKA_SLOTS_PR_AAR : 0, 0);
  AnfoAktiGrundRec g{};
  HverUge([&](UgeIndeks w, uint8_t aar, uint8_t nr, const SkeRec *rk, uint32_t antal) {
    for (uint32_t r = 1; r < antal; ++r) {
      const SkeRec &f = rk[r];
      if (!SkeRaekkeLever(f.Status) || f.Forste != r) continue;
      const size_t foer = T.op.size();
      if (SaetAnfoAktiGrundHoved(aar, nr, r, &g)) {
        AllokerAnfoAktiGrund(&g);
        FyldAnfoAktiGrund(aar, nr, r, &g);
        BeregnAnfoTimer(&g);
        const MaanedIndeks m = MaanedTilIndeks(g.Dato_ / 100);
        const float lv = f.Antal_std_lektioner > 0 ? f.Antal_std_lektioner : 1.0f;
        const int32_t L = Tusindedele(lv);
        for (uint32_t i = 0; i < g.AntalAnfo; ++i) {
          const AnfoGrundPost &e = g.AnfoGrundTab[i];
          MedTalMaaned *mt = MedTalFor(e.anfo);
          if (!mt || e.Timer == 0) continue;
          MedTalUgeCelle &c = MedTalUgeTab[static_cast<size_t>(e.anfo) * (d.W + 1) + w];
          T.Hel(&c.Lektioner, L);
          T.Flyd(&c.Timer, e.Timer);
          T.Flyd(&mt[m][0], e.Timer);
        }
        const int64_t t = static_cast<int64_t>(g.AntalLaerere) - g.AntalSyge;
        for (uint32_t k = 0; k < g.AntalAkti; ++k) {
          const AktiGrundPost &a = g.AktiGrundTab[k];
          AktiTalCelle &c = AktiTalTab[static_cast<size_t>(a.akti) * (d.M + 1) + m];
          T.Hel(Felt(tvakti, tdakti, a.akti, offsetof(AktiRec, AntalLererTimer)), Tusindedele(a.Timer));
          T.Flyd(&c.Timer, a.Timer);
          if (t <= 0) continue;
          T.Hel(Felt(tvakti, tdakti, a.akti, offsetof(AktiRec, AntalElevLektioner)), L);
          T.Hel(Felt(tvakti, tdakti, a.akti, offsetof(AktiRec, AntalLererLektioner)), t * L);
          T.Hel(&c.ElevLektioner, L);
          T.Hel(&c.LaererLektioner, t * L);
          const uint32_t p = g.skfa ? FindParRec(&tdskph, &tvskph, a.akti, g.skfa) : 0;
          const SkphRec *sp = p ? TabRec<SkphRec>(tvskph, p) : nullptr;
          if (!sp || sp->akti_id != a.akti) continue;
          T.Hel(Felt(tvskph, tdskph, p, offsetof(SkphRec, AntalLektioner)), L);
          if (skphAkkTab) T.Hel(&skphAkkTab[(static_cast<size_t>(p) * d.W + w - 1) * 7 + f.Dag - 1], L);
        }
        for (uint32_t k = 0; f.Lektion && LokaOptalt && k < g.AntalLoka; ++k) {
          const size_t i = static_cast<size_t>(g.LokaGrundTab[k].loka) * d.Y * LOKA_SLOTS_PR_AAR +
                           static_cast<size_t>(aar) * LOKA_SLOTS_PR_AAR + (nr - 1) * 336u + (f.Dag - 1) * 48u +
                           (f.Lektion - 1);
          T.Laeg(&LokaOptalt[i], U8, 1);
          if (optalt[i]++ == 0) T.Hel(&LokaSumTab[static_cast<size_t>(g.LokaGrundTab[k].loka) * d.Y + aar], 1000);
        }
      }
      T.antal.push_back(static_cast<uint8_t>(T.op.size() - foer));
    }
  });
  FreeAnfoAktiGrund(&g);
  HverMaaned([&](MaanedIndeks m, const TimoakRaekke *rk, uint32_t antal) {
    for (uint32_t r = 1; r < antal; ++r) {
      const TimoakRaekke &p = rk[r];
      if (!SkeRaekkeLever(p.Status)) continue;
      const size_t foer = T.op.size();
      const bool stor = p.Type == 'F' || p.Type == 'H' || p.Type == 'P' || p.Type == 'A';
      float norm = 60.0f;
      uint8_t plus = 0;
      if (stor && !AktiMinutnorm(p.Dato, p.akti_id, &norm, &plus)) norm = 60.0f;
      const float timer = static_cast<float>(p.Timer) / 100.0f;
      const int slot = p.Type == 'A' || p.Type == 'a' || p.Type == 'b' ? 4
                       : p.Type == 'P' || p.Type == 'p'                  ? 5
                       : p.Type == 'F' || p.Type == 'H' || p.Type == 'f' || p.Type == 'h' ? 3
                       : p.Type == 'k' || p.Type == 'u'                  ? 0
                       : p.Type == 'e'                                   ? 2
                                                                         : 1;
      if (MedTalMaaned *mt = MedTalFor(p.anfo_id)) T.Flyd(&mt[m][slot], stor ? timer * norm / 60.0f : timer);
      T.Hel(Felt(tvakti, tdakti, p.akti_id, offsetof(AktiRec, AntalLererTimer)),
            stor ? static_cast<int32_t>(static_cast<double>(p.Timer) * norm * 10 / 60) : p.Timer * 10);
      T.Flyd(&AktiTalTab[static_cast<size_t>(p.akti_id) * (d.M + 1) + m].TimoakTimer,
             stor ? timer * norm / 60.0f : timer);
      T.antal.push_back(static_cast<uint8_t>(T.op.size() - foer));
    }
  });
}

void Udfoer(const Tilvaekst *&o, uint8_t n) {
  for (const Tilvaekst *slut = o + n; o != slut; ++o) {
    uint8_t *p = reinterpret_cast<uint8_t *>(o->adrArt & ((uint64_t{1} << ART_SKIFT) - 1));
    switch (o->adrArt >> ART_SKIFT) {
      case F32: {
        float x, v;
        memcpy(&x, p, 4);
        memcpy(&v, &o->v, 4);
        x += v;
        memcpy(p, &x, 4);
        break;
      }
      case U32: {
        uint32_t x;
        memcpy(&x, p, 4);
        x += o->v;
        memcpy(p, &x, 4);
        break;
      }
      default:
        ++*p;
        break;
    }
  }
}

// The rows walked as the recount walks them; each event and posting adds
// its worked-out amounts.
void Tilvaekstgennemgang(const Tilvaekster &T) {
  const Tilvaekst *o = T.op.data();
  const uint8_t *a = T.antal.data();
  HverUge([&](UgeIndeks, uint8_t, uint8_t, const SkeRec *rk, uint32_t antal) {
    for (uint32_t r = 1; r < antal; ++r)
      if (SkeRaekkeLever(rk[r].Status) && rk[r].Forste == r) Udfoer(o, *a++);
  });
  HverMaaned([&](MaanedIndeks, const TimoakRaekke *rk, uint32_t antal) {
    for (uint32_t r = 1; r < antal; ++r)
      if (SkeRaekkeLever(rk[r].Status)) Udfoer(o, *a++);
  });
}

// The cells the two passes fill, back to zero.
void NulstilCeller() {
  const TalDimRec &d = TalDim;
  memset(MedTalUgeTab, 0, sizeof(MedTalUgeCelle) * (d.F + 1) * (d.W + 1));
  memset(AktiTalTab, 0, sizeof(AktiTalCelle) * (d.M + 1) * d.A);
  if (skphAkkTab) memset(skphAkkTab, 0, sizeof(uint32_t) * d.S * d.W * 7);
  memset(LokaOptalt, 0, static_cast<size_t>(d.R) * d.Y * LOKA_SLOTS_PR_AAR);
  memset(LokaSumTab, 0, sizeof(uint32_t) * d.R * d.Y);
  for (uint32_t f = 1; f < tvanfo.wRecCnt; ++f)
    if (MedTalMaaned *mt = MedTalFor(f)) memset(mt, 0, sizeof(MedTalMaaned) * (MedTalM + 1));
  for (uint32_t a = 0; a < tvakti.wRecCnt; ++a)
    for (size_t off : {offsetof(AktiRec, AntalElevLektioner), offsetof(AktiRec, AntalLererLektioner),
                       offsetof(AktiRec, AntalLererTimer)})
      memset(Felt(tvakti, tdakti, a, off), 0, 4);
  for (uint32_t p = 1; p < tvskph.wRecCnt; ++p) memset(Felt(tvskph, tdskph, p, offsetof(SkphRec, AntalLektioner)), 0, 4);
}

// What the two passes filled, to check that the increments pass adds what
// the recount adds.
std::vector<uint8_t> Celler() {
  const TalDimRec &d = TalDim;
  std::vector<uint8_t> v;
  auto Tilfoej = [&](const void *p, size_t n) {
    v.insert(v.end(), static_cast<const uint8_t *>(p), static_cast<const uint8_t *>(p) + n);
  };
  Tilfoej(MedTalUgeTab, sizeof(MedTalUgeCelle) * (d.F + 1) * (d.W + 1));
  Tilfoej(AktiTalTab, sizeof(AktiTalCelle) * (d.M + 1) * d.A);
  if (skphAkkTab) Tilfoej(skphAkkTab, sizeof(uint32_t) * d.S * d.W * 7);
  Tilfoej(LokaOptalt, static_cast<size_t>(d.R) * d.Y * LOKA_SLOTS_PR_AAR);
  Tilfoej(LokaSumTab, sizeof(uint32_t) * d.R * d.Y);
  for (uint32_t f = 1; f < tvanfo.wRecCnt; ++f)
    if (MedTalMaaned *mt = MedTalFor(f)) Tilfoej(mt, sizeof(MedTalMaaned) * (MedTalM + 1));
  for (uint32_t a = 0; a < tvakti.wRecCnt; ++a)
    for (size_t off : {offsetof(AktiRec, AntalElevLektioner), offsetof(AktiRec, AntalLererLektioner),
                       offsetof(AktiRec, AntalLererTimer)})
      Tilfoej(Felt(tvakti, tdakti, a, off), 4);
  for (uint32_t p = 1; p < tvskph.wRecCnt; ++p) Tilfoej(Felt(tvskph, tdskph, p, offsetof(SkphRec, AntalLektioner)), 4);
  return v;
}

size_t Forskellige(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b) {
  if (a.size() != b.size()) return std::max(a.size(), b.size());
  size_t n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}

// ---- Start-up against a raw read ----

// The files a load reads: every file of the data folder, each read whole
// into fresh memory, as the loaders read into freshly grown tables.
double RaaLaesning(const std::string &mappe) {
  std::vector<std::filesystem::path> filer;
  for (auto &e : std::filesystem::directory_iterator(std::filesystem::path(mappe) / "data"))
    if (e.is_regular_file()) filer.push_back(e.path());
  std::vector<char *> ind;
  const auto t0 = Klok::now();
  for (const auto &f : filer) {
    const size_t n = std::filesystem::file_size(f);
    FILE *h = ::fopen(f.c_str(), "rb");
    char *data = static_cast<char *>(malloc(n ? n : 1));
    if (!h || !data || fread(data, 1, n, h) != n) Stop("raw read");
    ::fclose(h);
    ind.push_back(data);
  }
  const double ms = Ms(t0, Klok::now());
  for (char *d : ind) free(d);
  return ms;
}

// Load all and the data step, as the program starts on the folder.
double StartOp(const std::string &mappe) {
  FrigivAlt();
  if (!SaetSkoleMappe(mappe.c_str())) Stop("folder");
  LaesIndstillinger();
  const double ms = Tid([] {
    HentAlleData(0);
    BehandlData();
  });
  if (!AlleDataHentet()) Stop("load all");
  return ms;
}

// ---- One school ----

struct Resultat {
  uint64_t raekker = 0;
  uint32_t planPoster = 0;
  double hent = 0, kaeder = 0, behandlData = 0, countPlanTal = 0, allokering = 0, genoptael = 0, countPlanTalMnd = 0, countSkemaTal = 0;
  Maaling pass, optael, tilvaekst, optaelPlan;
  size_t afvigelser = 0;
  // The recount without the plan group in the rounds beside it, each
  // round's ratio of the two, and the bytes where its cells differ from
  // the recount's above (0: the same figures).
  Maaling optaelPar;
  std::vector<double> planForhold;
  size_t parAfvigelser = 0;
  // Load all with the data step, and a raw read of the same files, turn
  // about (large school only).
  Maaling startOp, raaLaes;
};

Resultat Skole(const char *stoerrelse, bool medPlan) {
  Resultat res;
  std::string skabelon = (std::filesystem::temp_directory_path() / "benchcountsXXXXXX").string();
  if (!mkdtemp(skabelon.data())) Stop("temporary folder");
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn(stoerrelse, &st);
  std::string fejl;
  if (LavSkoleData(skabelon.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());

  // Start-up: load all, then the derived-data steps in the program's order.
  FrigivAlt();
  if (!SaetSkoleMappe(skabelon.c_str())) Stop("folder");
  LaesIndstillinger();
  res.hent = Tid([] { HentAlleData(0); });
  if (!AlleDataHentet()) Stop("load all");
  // The data step (BehandlData) up to its counts: the record chains the
  // minute-norm rules follow, the employment periods, fftaltab tidied.
  res.kaeder = Tid([] {
    LinkAnfoFagfordl();
    OpbygDatoKaeder();
    LinkAktiMiakBudt();
    BuildMedPer();
    RydFftaltab();
  });
  HarEgenPlan = EgenPlan();
  if (!HarEgenPlan) Stop("the school has no plan group");
  res.countPlanTal = Tid(CountPlanTal);
  res.allokering = Tid(AllokerTalTabeller);
  res.genoptael = Tid(GenoptaelTalTab);
  res.countPlanTalMnd = Tid(CountPlanTalMnd);
  res.planPoster = PlanTal.Antal;
  // The whole data step once more, as the program runs it after a load.
  res.behandlData = Tid(BehandlData);
  // The planning worker's count of the actuals, on the list it rebuilt.
  CountPlanTal();
  res.countSkemaTal = Tid([] {
    TagTalMutex();
    CountSkemaTal();
    SlipTalMutex();
  });
  // The recount without a plan group against the two baselines.
  HarEgenPlan = 0;
  FreePlanTab();
  volatile double sink = EnGennemgang(&res.raekker);
  for (int i = 0; i < RUNDER; ++i) {
    uint64_t n = 0;
    const auto t0 = Klok::now();
    sink = sink + EnGennemgang(&n);
    res.pass.Tag(Ms(t0, Klok::now()));
    AllokerTalTabeller();
    res.optael.Tag(Tid(GenoptaelTalTab));
  }
  (void)sink;
  // The cells of the last recount stay where they are from here on.
  const std::vector<uint8_t> optalt = Celler();
  Tilvaekster T;
  ForberedTilvaekster(&T);
  for (int i = 0; i < RUNDER; ++i) {
    NulstilCeller();
    res.tilvaekst.Tag(Tid([&] { Tilvaekstgennemgang(T); }));
    if (i == 0) res.afvigelser = Forskellige(Celler(), optalt);
  }

  // And with the plan group live, as the program runs it after a load,
  // each round beside one without it: the plan group's cost is their
  // difference, which the machine's load between rounds would otherwise
  // hide. The round without empties the list as a rebuild begins it, and
  // the cells of both are checked against the recount's above.
  for (int i = 0; medPlan && i < PAR_RUNDER; ++i) {
    HarEgenPlan = 0;
    CountPlanTal();
    HarEgenPlan = 1;
    AllokerTalTabeller();
    const double medPlanMs = Tid(GenoptaelTalTab);
    HarEgenPlan = 0;
    BegyndPlanTab();
    AllokerTalTabeller();
    const double udenMs = Tid(GenoptaelTalTab);
    if (i == 0) res.parAfvigelser = Forskellige(Celler(), optalt);
    res.optaelPlan.Tag(medPlanMs);
    res.optaelPar.Tag(udenMs);
    res.planForhold.push_back(medPlanMs / udenMs);
  }
  HarEgenPlan = 0;
  for (int i = 0; medPlan && i < 3; ++i) {
    res.raaLaes.Tag(RaaLaesning(skabelon));
    res.startOp.Tag(StartOp(skabelon));
  }
  HarEgenPlan = 0;
  FrigivAlt();
  std::filesystem::remove_all(skabelon);
  return res;
}

void Skriv(const char *navn, const Resultat &r) {
  printf("%s-rows %llu rows\n", navn, static_cast<unsigned long long>(r.raekker));
  printf("%s-plan-entries %u entries\n", navn, r.planPoster);
  printf("startup-%s-load-all-ms %.2f ms\n", navn, r.hent);
  printf("startup-%s-chains-ms %.2f ms\n", navn, r.kaeder);
  printf("startup-%s-count-plan-tal-ms %.2f ms\n", navn, r.countPlanTal);
  printf("startup-%s-alloker-tal-tab-ms %.2f ms\n", navn, r.allokering + r.genoptael);
  printf("startup-%s-alloker-tal-tab-allocation-ms %.2f ms\n", navn, r.allokering);
  printf("startup-%s-recount-ms %.2f ms\n", navn, r.genoptael);
  printf("startup-%s-count-plan-tal-mnd-ms %.2f ms\n", navn, r.countPlanTalMnd);
  printf("startup-%s-behandl-data-ms %.2f ms\n", navn, r.behandlData);
  printf("worker-%s-count-skema-tal-ms %.1f ms\n", navn, r.countSkemaTal);
  printf("%s-pass-ms %.1f ms\n", navn, r.pass.bedst);
  printf("%s-increments-ms %.1f ms\n", navn, r.tilvaekst.bedst);
  printf("%s-recount-ms %.1f ms\n", navn, r.optael.bedst);
  if (r.optaelPlan.vaerst > 0) printf("%s-recount-with-plan-ms %.1f ms\n", navn, r.optaelPlan.bedst);
  printf("%s-pass-spread %.2f x\n", navn, r.pass.Spredning());
  printf("%s-increments-spread %.2f x\n", navn, r.tilvaekst.Spredning());
  printf("%s-recount-spread %.2f x\n", navn, r.optael.Spredning());
  if (r.optaelPlan.vaerst > 0) printf("%s-recount-with-plan-spread %.2f x\n", navn, r.optaelPlan.Spredning());
  // Bytes where the increments pass left other figures than the recount:
  // 0 when it adds what the recount adds.
  printf("%s-increments-differing-bytes %zu bytes\n", navn, r.afvigelser);
  if (r.planForhold.empty()) return;
  printf("%s-recount-beside-plan-ms %.1f ms\n", navn, r.optaelPar.bedst);
  printf("%s-recount-beside-plan-differing-bytes %zu bytes\n", navn, r.parAfvigelser);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main() {
  OpretTalMutex();
  const Resultat mellem = Skole("medium", false);
  const Resultat stor = Skole("large", true);
  Skriv("medium", mellem);
  Skriv("large", stor);
  const double pass = stor.pass.bedst, optael = stor.optael.bedst;
  printf("recount-vs-pass %.2f x\n", optael / pass);
  printf("recount-vs-increments %.2f x\n", optael / stor.tilvaekst.bedst);
  printf("recount-with-plan-vs-pass %.2f x\n", stor.optaelPlan.bedst / pass);
  // What the plan group adds to the recount: the best round of each, and
  // the median of the rounds' own ratios.
  printf("recount-with-plan-vs-recount %.2f x\n", stor.optaelPlan.bedst / stor.optaelPar.bedst);
  printf("recount-with-plan-vs-recount-median %.2f x\n", Median(stor.planForhold));
  auto PrRaekke = [](double ms, const Resultat &r) { return ms / static_cast<double>(r.raekker); };
  printf("recount-large-vs-medium-per-row %.2f x\n",
         PrRaekke(stor.optael.bedst, stor) / PrRaekke(mellem.optael.bedst, mellem));
  const double tilvaekstVaekst = PrRaekke(stor.tilvaekst.bedst, stor) / PrRaekke(mellem.tilvaekst.bedst, mellem);
  printf("increments-large-vs-medium-per-row %.2f x\n", tilvaekstVaekst);
  // Each derived-data step's growth per row from the medium to the large
  // school, over what the increments pass grows per row.
  const struct {
    const char *navn;
    double Resultat::*felt;
  } trin[] = {{"chains", &Resultat::kaeder},
              {"count-plan-tal", &Resultat::countPlanTal},
              {"alloker-tal-tab-allocation", &Resultat::allokering},
              {"recount", &Resultat::genoptael},
              {"count-plan-tal-mnd", &Resultat::countPlanTalMnd},
              {"behandl-data", &Resultat::behandlData}};
  for (const auto &t : trin)
    printf("startup-%s-growth-vs-increments %.2f x\n", t.navn,
           PrRaekke(stor.*t.felt, stor) / PrRaekke(mellem.*t.felt, mellem) / tilvaekstVaekst);
  printf("startup-large-data-ms %.1f ms\n", stor.startOp.bedst);
  printf("startup-large-raw-read-ms %.1f ms\n", stor.raaLaes.bedst);
  printf("startup-large-data-vs-raw-read %.2f x\n", stor.startOp.bedst / stor.raaLaes.bedst);
  LukTalMutex();
  return 0;
}
