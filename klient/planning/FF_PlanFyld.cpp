// The plan model and its record writers. Every writer keeps the rules of the
// plan records: only own rows of the stored kinds are written, a record that
// is not live is never rewritten, and a removed record goes through the
// export-safe delete.
#include "FF_PlanFyld.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "FF_GRUPPE.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "GEMNING.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "MEDPER.h"
#include "MINNORM.h"
#include "PLANAKSER.h"
#include "PLANIDX.h"
#include "PlanOpfTal.h"
#include "PlanPostRaekker.h"
#include "PlanTraad.h"
#include "PROGVINDUER.h"
#include "BESKEDER.h"
#include "RECPRED.h"
#include "ROLLER.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SKPHIDX.h"
#include "STITAB.h"
#include "TALTAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "VISFELT.h"
#include "tavo/assert.h"
#include "tavo/prefetch.h"
#include "win/controls.h"

#include <sanitizer/asan_interface.h>

namespace {

// While the save pass rewrites every row, the per-row saves are left to its
// own save of the tables: writing fftaltab whole once per row would cost
// rows x table size for the same files.
thread_local bool gUdsatGem = false;
// The tables written while the saves were held back, for UdsatPlanGem::Gem.
thread_local std::vector<std::pair<const TabDesc *, TabVar *>> gUdsatte;

bool ErSumArt(uint32_t art) {
  return art == PLAN_AKTI || art == PLAN_MEDA || art == PLAN_OPG_AKTI || art == PLAN_FREMMED_AKTI ||
         art == PLAN_FREMMED_OPG_AKTI;
}

void MarkerBlok(const TabDesc &td, TabVar &tv, uint32_t n) { tv.pfSave[n / td.RecPrBlok] = 1; }

void Gem(const TabDesc &td, TabVar &tv) {
  if (!gUdsatGem) {
    SaveTab(&td, &tv, nullptr);
    return;
  }
  for (const auto &[d, v] : gUdsatte)
    if (d == &td) return;
  gUdsatte.push_back({&td, &tv});
}

const FfpgRec *Gruppe(uint32_t gruppe) {
  const FfpgRec *g = gruppe ? TabRec<FfpgRec>(tvffpg, gruppe) : nullptr;
  return g && PlanRecIBrug(g->Status) ? g : nullptr;
}

bool Overlapper(Dato fra, Dato til, const FfpgRec *g) { return fra <= g->Tildato && til >= g->Fradato; }

uint32_t FeltNr(const TabDesc &td, const char *navn) {
  for (uint32_t i = 0; i < td.AntalFelter && i < MAXFELT; ++i)
    if (strcmp(td.FeltTab[i].Navn, navn) == 0) return i;
  TAVO_ASSERT(!"plan field in the catalogue");
  return 0;
}

template <class T>
T *Alloker(size_t antal) {
  return static_cast<T *>(calloc(antal ? antal : 1, sizeof(T)));
}

Uge IndeksUge(uint32_t idx) { return idx >= 1 && idx <= SkemaPeriode.AntalUger ? IndeksTilUge(idx) : 0; }

// The record a plan entry is written to: the entry's own while it is in use
// (with `kunLevende`, only while it is live: another's or a deleted-mark
// record is left as it is), else a new one, taken only for an entry of this
// installation (`egen`). The record comes back emptied with its id and
// status kept (a new one gets `nyStatus`) and its block marked changed, for
// the caller to fill; null when nothing is to be written.
template <class Rec>
Rec *PlanRecTilSkrivning(const TabDesc &td, TabVar &tv, uint32_t &nr, const Plan *plan, bool kunLevende, bool egen,
                         uint8_t nyStatus, const char *fuldtLog) {
  if (plan->GemAlt) nr = 0;
  bool ny = true;
  if (nr && nr < tv.wRecCnt) {
    const uint8_t s = RecStatus(&td, GetRec(&td, &tv, nr));
    if (PlanRecIBrug(s)) {
      if (kunLevende && !PlanRecLever(s)) return nullptr;
      ny = false;
    }
  }
  if (ny) {
    if (!egen) return nullptr;
    nr = NewRec(&td, &tv);
    if (nr == 0) {
      LogPrintf("%s", fuldtLog);
      return nullptr;
    }
  }
  Rec *p = TabRec<Rec>(tv, nr);
  const uint32_t id = ny ? 0 : p->Id;
  const uint8_t status = ny ? nyStatus : p->Status;
  *p = Rec{};
  p->Id = id;
  p->Status = status;
  MarkerBlok(td, tv, nr);
  return p;
}

}  // namespace

// ---- The model ----

uint32_t PlanUgeIndeks(Dato dato) {
  if (dato < SkemaPeriode.FraDato) return 0;
  if (dato > SkemaPeriode.TilDato) return SkemaPeriode.AntalUger + 1;
  Uge u = 0;
  DatoTilUge(dato, &u, nullptr);
  return UgeTilIndeks(u);
}

void SikrGrundTab(Plan *plan, uint32_t raekker) {
  if (raekker < plan->GrundTabAlloc) return;
  if (plan->GrundTabStep == 0) plan->GrundTabStep = kGrundTabStep;
  // Grows by the step, or by half of what it holds when that is more: a
  // load adds rows one at a time, tens of thousands on a large school.
  const uint32_t vaekst = std::max(plan->GrundTabStep, plan->GrundTabAlloc / 2);
  const uint32_t ny = plan->GrundTab ? std::max(raekker + 1, plan->GrundTabAlloc + vaekst) : raekker + 2;
  auto *g = static_cast<GrundRaekke *>(realloc(plan->GrundTab, size_t(ny) * sizeof(GrundRaekke)));
  TAVO_ASSERT(g != NULL && "Plan->GrundTab != NULL");
  auto *k = static_cast<uint32_t *>(realloc(plan->ObjTypeTab, size_t(ny) * sizeof(uint32_t)));
  TAVO_ASSERT(k != NULL && "Plan->ObjTypeTab != NULL");
  memset(g + plan->GrundTabAlloc, 0, size_t(ny - plan->GrundTabAlloc) * sizeof(GrundRaekke));
  memset(k + plan->GrundTabAlloc, 0, size_t(ny - plan->GrundTabAlloc) * sizeof(uint32_t));
  plan->GrundTab = g;
  plan->ObjTypeTab = k;
  plan->GrundTabAlloc = ny;
}

namespace {

// The minute norm of one employment on a row, kept for the dates that give
// the same norm: a row's weeks mostly share it, and working it out is the
// bulk of the hours of a plan.
struct NormHukommelse {
  bool kendt = false;
  uint32_t akti = 0, anfo = 0, skfa = 0;
  float planVaerdi = 0.0f;
  DatoSpan span;
  float norm = 0.0f;

  // The hours of the last lessons asked under this norm: a row's weeks
  // mostly repeat their lessons as well as their norm, and the hours are
  // the norm's and the lessons' alone.
  bool timerKendt = false;
  int32_t timerLektioner = 0;
  float timer = 0.0f;

  float Timer(uint32_t a, uint32_t m, uint32_t f, Dato dato, int32_t lektioner, float plan) {
    if (!kendt || a != akti || m != anfo || f != skfa || plan != planVaerdi || !span.Holder(dato)) {
      span = DatoSpan{};
      const float foer = norm;
      norm = 0.0f;
      // No code asked: the hours need the norm alone.
      BeregnMinutnorm(dato, m, 0, 0.0f, a, f, &norm, nullptr, plan, &span);
      kendt = true, akti = a, anfo = m, skfa = f, planVaerdi = plan;
      // Compared as bits: a norm of -0 or one that is not a number gives
      // its own hours.
      if (memcmp(&foer, &norm, sizeof norm) != 0) timerKendt = false;
    }
    if (!timerKendt || lektioner != timerLektioner) {
      timer = MinutterTilTimer(norm, static_cast<float>(lektioner) / 10.0f);
      timerKendt = true, timerLektioner = lektioner;
    }
    return timer;
  }
};

// The hours of a row's two employments, week after week.
struct RaekkeNormer {
  NormHukommelse n1, n2;

  void Timer(const GrundRaekke &r, TalPost &t, Dato onsdag) {
    t.Timer1 = n1.Timer(r.Aktivitet, r.Medarbejder1, r.Skolefag, onsdag, t.Lektioner, r.Minutnorm1);
    t.Timer2 = n2.Timer(r.Aktivitet, r.Medarbejder2, r.Skolefag, onsdag, t.Lektioner, r.Minutnorm2);
  }
};

// The Wednesday of each week index of the schedule period (index 0 and the
// one after the last give what a week 0 gives), worked out once per schedule
// period rather than once per row and week.
class Onsdage {
 public:
  Onsdage() {
    thread_local std::vector<Dato> tab;
    thread_local Uge foerste = 0;
    thread_local uint32_t antal = UINT32_MAX;
    if (foerste != SkemaPeriode.FoersteUge || antal != SkemaPeriode.AntalUger) {
      foerste = SkemaPeriode.FoersteUge;
      antal = SkemaPeriode.AntalUger;
      tab.resize(size_t(antal) + 2);
      for (uint32_t u = 0; u <= antal + 1; ++u) tab[u] = UgeDagTilDato(IndeksUge(u), 3);
    }
    tab_ = &tab;
  }
  Dato operator[](uint32_t u) const { return u < tab_->size() ? (*tab_)[u] : UgeDagTilDato(IndeksUge(u), 3); }

 private:
  const std::vector<Dato> *tab_;
};

// Held over a pass that works out the hours of many rows, when it can be
// had at once: a row's own minute norm asks the plan figures once per row,
// under TalMutex, and taking and releasing the mutex per row wakes every
// thread that waits on any mutex. Not had, each ask tries on its own as
// before.
class TalMutexForPas {
 public:
  TalMutexForPas() : holdt_(ProevTalMutex()) {}
  ~TalMutexForPas() {
    if (holdt_) SlipTalMutex();
  }
  TalMutexForPas(const TalMutexForPas &) = delete;
  TalMutexForPas &operator=(const TalMutexForPas &) = delete;

 private:
  bool holdt_;
};

// The hours of every week of a row whose lessons are not 0.
void BeregnRaekkensUgeTimer(Plan *plan, uint32_t raekke, const Onsdage &onsdage = Onsdage()) {
  GrundRaekke &r = plan->GrundTab[raekke];
  if (r.ErSum || !r.TalTab) return;
  RaekkeNormer normer;
  for (uint32_t u = 0; u <= plan->UgeAntal + 1; ++u) {
    TalPost &t = r.TalTab[u];
    if (t.Lektioner) normer.Timer(r, t, onsdage[u]);
  }
}

}  // namespace

void BeregnUgeTimer(Plan *plan, uint32_t uge, uint32_t raekke, int32_t lektioner) {
  GrundRaekke &r = plan->GrundTab[raekke];
  if (r.ErSum || !r.TalTab || uge > plan->UgeAntal + 1) return;
  const Dato onsdag = UgeDagTilDato(IndeksUge(uge), 3);
  TalPost &t = r.TalTab[uge];
  t.Timer1 = BeregnPlanTimer(r.Aktivitet, r.Medarbejder1, r.Skolefag, onsdag, lektioner, r.Minutnorm1);
  t.Timer2 = BeregnPlanTimer(r.Aktivitet, r.Medarbejder2, r.Skolefag, onsdag, lektioner, r.Minutnorm2);
}

// The week and period tables of the rows come from blocks of many rows:
// a load makes tens of thousands of rows, and a table of their own for each
// cost an allocation, zeroing by the kernel and a free per row on every
// reload. The blocks stay from one load to the next, so a reload only
// zeroes the tables it hands out again.
namespace {
// Set while an UdsatRaekkeNulstilling lives on the thread.
thread_local bool tUdsatNulstilling = false;
}  // namespace

struct PlanRaekkeLager {
  static constexpr uint32_t kBlokRaekker = 256;
#if defined(__SANITIZE_ADDRESS__)
  // A poisoned gap after each table keeps an overrun caught as it was
  // while every table was an allocation of its own.
  static constexpr size_t kVagt = 64;
#else
  static constexpr size_t kVagt = 0;
#endif
  uint32_t poster = 0;  // entries of each table: UgeAntal + 2
  size_t talBytes = 0, perBytes = 0, raekkeBytes = 0;
  std::vector<unsigned char *> blokke;
  std::vector<std::pair<unsigned char *, size_t>> gamle;  // blocks of an earlier schedule period, with their size
  uint32_t udleveret = 0;  // rows handed out since the last emptying
  uint32_t brugt = 0;      // rows of the blocks that may hold figures

  ~PlanRaekkeLager() { Frigiv(); }
  void Frigiv() {
    for (unsigned char *b : blokke) gamle.push_back({b, raekkeBytes});
    blokke.clear();
    for (const auto &[b, bytes] : gamle) {
      if (kVagt) ASAN_UNPOISON_MEMORY_REGION(b, kBlokRaekker * bytes);
      free(b);
    }
    gamle.clear();
    udleveret = brugt = 0;
  }
  // Every table handed out is given back at once; the blocks stay.
  void Toem() {
    brugt = std::max(brugt, udleveret);
    udleveret = 0;
  }
  void Udlever(uint32_t antalPoster, TalPost **tal, PerPost **per) {
    if (antalPoster != poster) {
      // The schedule period changed: the blocks were cut for other weeks.
      // Rows still out keep theirs until the plan is emptied.
      if (udleveret == 0) {
        Frigiv();
      } else {
        for (unsigned char *b : blokke) gamle.push_back({b, raekkeBytes});
        blokke.clear();
        udleveret = brugt = 0;
      }
      poster = antalPoster;
      talBytes = (size_t(poster) * sizeof(TalPost) + 15) / 16 * 16;
      perBytes = (size_t(poster) * sizeof(PerPost) + 15) / 16 * 16;
      raekkeBytes = talBytes + kVagt + perBytes + kVagt;
    }
    const uint32_t i = udleveret++;
    const uint32_t b = i / kBlokRaekker;
    if (b == blokke.size()) {
      auto *ny = static_cast<unsigned char *>(calloc(kBlokRaekker, raekkeBytes));
      TAVO_ASSERT(ny != NULL && "Plan->GrundTab[].TalTab != NULL");
      if (kVagt)
        for (uint32_t r = 0; r < kBlokRaekker; ++r) {
          ASAN_POISON_MEMORY_REGION(ny + r * raekkeBytes + talBytes, kVagt);
          ASAN_POISON_MEMORY_REGION(ny + r * raekkeBytes + talBytes + kVagt + perBytes, kVagt);
        }
      blokke.push_back(ny);
    }
    unsigned char *p = blokke[b] + size_t(i % kBlokRaekker) * raekkeBytes;
    if (i < brugt && !tUdsatNulstilling) {
      memset(p, 0, talBytes);
      memset(p + talBytes + kVagt, 0, perBytes);
    }
    *tal = reinterpret_cast<TalPost *>(p);
    *per = reinterpret_cast<PerPost *>(p + talBytes + kVagt);
  }
};

uint32_t NyPlanRaekke(Plan *plan, const FfgrundRec *rec, uint32_t kilde, bool gem) {
  const uint32_t raekke = plan->GrundTabAntal + 1;
  SikrGrundTab(plan, raekke);
  plan->GrundTabAntal = raekke;
  GrundRaekke &r = plan->GrundTab[raekke];
  r = GrundRaekke{};
  r.ffpg_id = rec->ffpg_id;
  r.Aktivitet = rec->Aktivitet;
  r.Skolefag = rec->Skolefag;
  r.Medarbejder1 = rec->Medarbejder1;
  r.Minutnorm1 = rec->Minutnorm1;
  r.Medarbejder2 = rec->Medarbejder2;
  r.Minutnorm2 = rec->Minutnorm2;
  r.Dublet = rec->Dublet;
  r.Udfoldet = rec->Udfoldet;
  r.Skjult = rec->Skjult;
  r.Budget = rec->Budget;
  r.LektionsBlok = rec->LektionsBlok;
  r.Lektioner = rec->Lektioner;
  r.Timer = rec->Timer;
  r.Ejer = rec->Ejer;
  r.ErSum = ErSumArt(rec->ObjType) ? 1 : 0;
  plan->ObjTypeTab[raekke] = rec->ObjType;
  if (!plan->RaekkeLager) plan->RaekkeLager = new PlanRaekkeLager;
  plan->RaekkeLager->Udlever(plan->UgeAntal + 2, &r.TalTab, &r.PerTab);
  const bool fag = rec->ObjType == PLAN_FAG || rec->ObjType == PLAN_FREMMED_FAG;
  if (fag && kilde && kilde < raekke && plan->GrundTab[kilde].TalTab) {
    r.KopiAf = kilde;
    for (uint32_t u = 0; u <= plan->UgeAntal + 1; ++u) {
      const TalPost &k = plan->GrundTab[kilde].TalTab[u];
      r.TalTab[u].Lektioner = k.Lektioner;
      r.TalTab[u].PlanStatus = k.PlanStatus;
    }
    BeregnRaekkensUgeTimer(plan, raekke);
  }
  if (gem) GemRaekke(plan, raekke, false);
  return raekke;
}

UdsatRaekkeNulstilling::UdsatRaekkeNulstilling() : foer_(tUdsatNulstilling) { tUdsatNulstilling = true; }
UdsatRaekkeNulstilling::~UdsatRaekkeNulstilling() { tUdsatNulstilling = foer_; }

void NulstilRaekkeTabeller(Plan *plan, uint32_t raekke) {
  const PlanRaekkeLager *lager = plan->RaekkeLager;
  GrundRaekke &r = plan->GrundTab[raekke];
  if (!lager || !r.TalTab) return;
  memset(r.TalTab, 0, lager->talBytes);
  memset(r.PerTab, 0, lager->perBytes);
}

void TomPlan(Plan *plan) {
  delete plan->RaekkeLager;
  plan->RaekkeLager = nullptr;
  free(plan->GrundTab);
  free(plan->ObjTypeTab);
  free(plan->Ens.ObjTab);
  plan->GrundTab = nullptr;
  plan->ObjTypeTab = nullptr;
  plan->Ens.ObjTab = nullptr;
  plan->Ens.ObjTabAntal = 0;
  plan->GrundTabAlloc = 0;
  plan->GrundTabAntal = 0;
  plan->GrundTabStep = kGrundTabStep;
}

void TomPlanTilGenbrug(Plan *plan) {
  if (!plan->GrundTab || !plan->RaekkeLager) {
    TomPlan(plan);
    return;
  }
  plan->RaekkeLager->Toem();
  const uint32_t brugt = std::min(plan->GrundTabAntal + 1, plan->GrundTabAlloc);
  memset(plan->GrundTab, 0, size_t(brugt) * sizeof(GrundRaekke));
  memset(plan->ObjTypeTab, 0, size_t(brugt) * sizeof(uint32_t));
  free(plan->Ens.ObjTab);
  plan->Ens.ObjTab = nullptr;
  plan->Ens.ObjTabAntal = 0;
  plan->GrundTabAntal = 0;
  plan->GrundTabStep = kGrundTabStep;
}

void TomPlanTabeller(Plan *plan) {
  for (uint32_t i = 0; plan->PlanAktiTab && i <= plan->PlanAktiAntal; ++i) free(plan->PlanAktiTab[i].SkphTab);
  for (uint32_t i = 0; plan->PlanAnfoTab && i <= plan->PlanAnfoAntal; ++i) {
    PlanAnfoPost &a = plan->PlanAnfoTab[i];
    free(a.SumTalTab);
    free(a.PlanOverUnderTimer);
    free(a.PlanMedTal);
    free(a.PlanOpgMedTal);
    free(a.MedTal);
  }
  free(plan->PlanAktiTab);
  free(plan->PlanAnfoTab);
  free(plan->PlanSkphTab);
  free(plan->AnfoSkfaKrydsTab);
  plan->AnfoSkfaKrydsTab = nullptr;
  plan->KrydsAnfoAntal = plan->KrydsFagAntal = 0;
  plan->PlanAktiTab = nullptr;
  plan->PlanAnfoTab = nullptr;
  plan->PlanSkphTab = nullptr;
  plan->PlanAktiAntal = plan->PlanAnfoAntal = plan->PlanSkphAntal = 0;
}

void AllokerPlanTabeller(Plan *plan) {
  TomPlanTabeller(plan);
  plan->UgeAntal = SkemaPeriode.AntalUger;
  plan->PlanAktiAntal = tvakti.wRecCnt;
  plan->PlanAnfoAntal = tvanfo.wRecCnt;
  plan->PlanSkphAntal = tvskph.wRecCnt;
  plan->PlanAktiTab = Alloker<PlanAktiPost>(plan->PlanAktiAntal + 1);
  TAVO_ASSERT(plan->PlanAktiTab != NULL && "Plan->PlanAktiTab != NULL");
  plan->PlanAnfoTab = Alloker<PlanAnfoPost>(plan->PlanAnfoAntal + 1);
  TAVO_ASSERT(plan->PlanAnfoTab != NULL && "Plan->PlanAnfoTab != NULL");
  plan->PlanSkphTab = Alloker<PlanSkphPost>(plan->PlanSkphAntal + 1);
  TAVO_ASSERT(plan->PlanSkphTab != NULL && "Plan->PlanSkphTab != NULL");
  for (uint32_t i = 0; i <= plan->PlanAnfoAntal; ++i) {
    PlanAnfoPost &a = plan->PlanAnfoTab[i];
    a.SumTalTab = Alloker<TalPost>(plan->UgeAntal + 2);
    TAVO_ASSERT(a.SumTalTab != NULL && "Plan->PlanAnfoTab[Idx].SumTalTab != NULL");
    a.PlanOverUnderTimer = Alloker<int32_t>(plan->UgeAntal + 2);
    TAVO_ASSERT(a.PlanOverUnderTimer != NULL && "Plan->PlanAnfoTab[Idx].PlanOverUnderTimer != NULL");
    a.PlanMedTal = Alloker<float>(kPlanMedTalAntal);
    a.PlanOpgMedTal = Alloker<float>(kPlanMedTalAntal);
    a.MedTal = Alloker<float>(kPlanMedTalAntal);
    TAVO_ASSERT(a.PlanMedTal && a.PlanOpgMedTal && a.MedTal && "Plan->PlanAnfoTab[Idx].MedTal != NULL");
  }
}

namespace {

template <class Test>
uint32_t FindRaekke(const Plan *plan, Test test) {
  if (!plan->GrundTab) return 0;
  if (plan->Ens.ObjTab) {
    for (uint32_t i = 1; i <= plan->Ens.ObjTabAntal; ++i) {
      const uint32_t r = plan->Ens.ObjTab[i];
      if (r >= 1 && r <= plan->GrundTabAntal && test(plan->GrundTab[r])) return r;
    }
    return 0;
  }
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
    if (plan->ObjTypeTab[r] != 0 && test(plan->GrundTab[r])) return r;
  return 0;
}

}  // namespace

uint32_t FindAktiRaekke(const Plan *plan, uint32_t gruppe, uint32_t akti) {
  return FindRaekke(plan, [&](const GrundRaekke &r) { return r.ffpg_id == gruppe && r.Aktivitet == akti; });
}

uint32_t FindFagRaekke(const Plan *plan, uint32_t gruppe, uint32_t akti, uint32_t skfa) {
  return FindRaekke(plan, [&](const GrundRaekke &r) {
    return r.ffpg_id == gruppe && r.Aktivitet == akti && r.Skolefag == skfa && r.Dublet == 0;
  });
}

uint32_t FindSkph(uint32_t akti, uint32_t skfa) {
  // A plain walk: plan threads call this, and the keyed lookup may re-sort.
  for (uint32_t n = 1; n < tvskph.wRecCnt; ++n) {
    const SkphRec *p = TabRec<SkphRec>(tvskph, n);
    if (p->akti_id == akti && p->skfa_id == skfa && p->Status != 0 && StatusKlasse(p->Status) == KLASSE_AKTUEL)
      return n;
  }
  return 0;
}

bool AktiLeverIGruppe(uint32_t akti, const FfpgRec *gruppe) {
  const AktiRec *a = akti ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  return a && gruppe && a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & 0x80000000u) && a->Aflyst == 'N' &&
         a->Slettet_i_EASY == 0 && Overlapper(a->Fradato, a->Tildato, gruppe);
}

bool AnfoLever(uint32_t anfo, const FfpgRec *gruppe) {
  const AnfoRec *m = anfo ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  return m && m->Status >= 10 && m->Status <= 29 && !(m->Gruppe & 0x80000000u) &&
         (!gruppe || Overlapper(m->Fradato, m->Tildato, gruppe));
}

bool AktiBrugbarIGruppe(uint32_t akti, uint32_t gruppe) {
  return AktiLeverIGruppe(akti, Gruppe(gruppe)) && IsHoldAkti(akti) && FindPgRel(gruppe, akti, 'K') != 0;
}

bool AnfoBrugbarIGruppe(uint32_t anfo, uint32_t gruppe) {
  const FfpgRec *g = Gruppe(gruppe);
  return g && AnfoLever(anfo, g) && FindPgRel(gruppe, anfo, 'M') != 0;
}

bool PeriodeIGruppe(uint32_t ffpp, uint32_t gruppe) {
  const FfpgRec *g = Gruppe(gruppe);
  const FfppRec *p = ffpp ? TabRec<FfppRec>(tvffpp, ffpp) : nullptr;
  if (!g || !p || p->Status == 0 || (p->Status & 0x08) || p->ffpg_id != gruppe) return false;
  return UgeDagTilDato(p->Frauge, 7) >= g->Fradato && UgeDagTilDato(p->Tiluge, 1) <= g->Tildato;
}

std::vector<PeriodePost> PlanPerioder(uint32_t gruppe) {
  std::vector<PeriodePost> v;
  for (uint32_t n = 1; n < tvffpp.wRecCnt; ++n) {
    if (!PeriodeIGruppe(n, gruppe)) continue;
    const FfppRec *p = TabRec<FfppRec>(tvffpp, n);
    PeriodePost e{};
    const Uge fra = p->Frauge, til = p->Tiluge;
    e.Frauge = std::max(fra, SkemaPeriode.FoersteUge);
    e.Tiluge = std::min(til, SkemaPeriode.SidsteUge);
    e.AntalUger = AntalUger(e.Frauge, e.Tiluge);
    e.Udfold = p->Udfold;
    e.ffpp = n;
    v.push_back(e);
  }
  std::stable_sort(v.begin(), v.end(), [](const PeriodePost &a, const PeriodePost &b) { return a.Frauge < b.Frauge; });
  return v;
}

void LavPeriodeTab(Plan *plan, uint32_t gruppe) {
  const std::vector<PeriodePost> v = PlanPerioder(gruppe);
  free(plan->PeriodeTab);
  free(plan->PeriodeSort);
  plan->PeriodeTab = Alloker<PeriodePost>(v.size() + 1);
  plan->PeriodeSort = Alloker<uint32_t>(v.size() + 1);
  TAVO_ASSERT(plan->PeriodeTab && plan->PeriodeSort && "Plan->PeriodeTab != NULL");
  for (size_t i = 0; i < v.size(); ++i) {
    plan->PeriodeTab[i + 1] = v[i];
    plan->PeriodeSort[i + 1] = static_cast<uint32_t>(i + 1);
  }
  plan->PeriodeAntal = static_cast<uint32_t>(v.size());
}

// ---- Writers ----

uint32_t GemRaekke(Plan *plan, uint32_t raekke, bool medTal) {
  if (raekke == 0 || raekke > plan->GrundTabAntal) return 0;
  GrundRaekke &r = plan->GrundTab[raekke];
  const uint32_t art = plan->ObjTypeTab[raekke];
  if (!PlanRaekkeGemmes(art, r.Ejer, r.KopiAf)) return 0;
  FfgrundRec *p = PlanRecTilSkrivning<FfgrundRec>(tdffgrund, tvffgrund, r.GrundRec, plan, false, true, PLANREC_LEVER,
                                                  "** Fejl: GemRaekke(): ingen plads til en plan r\xE6kke\n");
  if (!p) return 0;
  p->ffpg_id = r.ffpg_id;
  p->Aktivitet = r.Aktivitet;
  p->Skolefag = r.Skolefag;
  p->Medarbejder1 = r.Medarbejder1;
  p->Medarbejder2 = r.Medarbejder2;
  p->Skjult = static_cast<uint8_t>(r.Skjult);
  p->Dublet = r.Dublet;
  p->Udfoldet = static_cast<uint8_t>(r.Udfoldet);
  p->ObjType = art;
  p->Budget = r.Budget;
  p->LektionsBlok = r.LektionsBlok;
  p->Timer = r.Timer;
  p->Lektioner = r.Lektioner;
  p->SumLektioner = r.SumLektioner;
  p->Minutnorm1 = r.Minutnorm1;
  p->Minutnorm2 = r.Minutnorm2;
  p->Ejer = r.Ejer;
  Gem(tdffgrund, tvffgrund);
  if (medTal) GemRaekkeTal(plan, raekke);
  return r.GrundRec;
}

void GemRaekkeTal(Plan *plan, uint32_t raekke) {
  if (raekke == 0 || raekke > plan->GrundTabAntal) return;
  const GrundRaekke &r = plan->GrundTab[raekke];
  const FfpgRec *g = Gruppe(r.ffpg_id);
  if (r.ErSum || r.Ejer != PlanEgenInst() || !r.TalTab || !g) return;
  const std::vector<PeriodePost> perioder = PlanPerioder(r.ffpg_id);
  for (size_t i = 0; i < perioder.size() && i + 1 <= plan->UgeAntal + 1; ++i)
    GemPeriode(plan, static_cast<uint32_t>(i + 1), perioder[i].ffpp, raekke, false);
  const uint32_t fra = PlanUgeIndeks(g->Fradato), til = std::min(PlanUgeIndeks(g->Tildato), plan->UgeAntal + 1);
  for (uint32_t u = fra; u <= til; ++u) GemUge(plan, u, raekke, false);
  Gem(tdffpertab, tvffpertab);
  Gem(tdfftaltab, tvfftaltab);
}

void GemUge(Plan *plan, uint32_t uge, uint32_t raekke, bool gem) {
  if (raekke == 0 || raekke > plan->GrundTabAntal || uge > plan->UgeAntal + 1) return;
  GrundRaekke &r = plan->GrundTab[raekke];
  if (!r.TalTab) return;
  TalPost &t = r.TalTab[uge];
  if (t.PlanStatus == 0 && t.RetStatus == 0 && t.EksStatus == 0) {
    if (t.TalRec) t.TalRec = SletEllerMaerkRec(&tdfftaltab, &tvfftaltab, t.TalRec);
  } else {
    FftaltabRec *p = PlanRecTilSkrivning<FftaltabRec>(
        tdfftaltab, tvfftaltab, t.TalRec, plan, true, r.Ejer == PlanEgenInst(),
        (t.PlanStatus & PS_FREMMED) ? PLANREC_FREMMED : PLANREC_LEVER, "** Fejl: GemUge(): ingen plads til en uge post\n");
    if (!p) return;
    p->ffgrund_id = r.GrundRec;
    p->PlanStatus = t.PlanStatus;
    p->Uge = IndeksUge(uge);
    p->Timer = t.Timer;
    p->Lektioner = static_cast<uint32_t>(t.Lektioner);
    // The marking-work dialog keeps the student count here; the load reads it.
    p->ElevAntal = t.ElevAntal;
    p->Eksametid = t.Eksametid;
    p->Elevtid = t.Elevtid;
    p->Elevtid_per_elev = t.Elevtid_per_elev;
    p->Opgave_antal = t.Opgave_antal;
    p->Minutter_per_opgave = t.Minutter_per_opgave;
    p->Rettearbejd = t.Rettearbejd;
    p->RetStatus = t.RetStatus;
    p->EksStatus = t.EksStatus;
    p->ElevtidStatus = 0;
    p->Ejer = r.Ejer;
  }
  if (gem) Gem(tdfftaltab, tvfftaltab);
}

void GemPeriode(Plan *plan, uint32_t pos, uint32_t ffpp, uint32_t raekke, bool gem) {
  if (raekke == 0 || raekke > plan->GrundTabAntal || pos > plan->UgeAntal + 1) return;
  GrundRaekke &r = plan->GrundTab[raekke];
  if (!r.PerTab) return;
  PerPost &e = r.PerTab[pos];
  if (e.PlanStatus == 0 || e.PlanStatus == PS_NULSTIL) {
    if (e.PerRec) e.PerRec = SletEllerMaerkRec(&tdffpertab, &tvffpertab, e.PerRec);
  } else {
    FfpertabRec *p = PlanRecTilSkrivning<FfpertabRec>(
        tdffpertab, tvffpertab, e.PerRec, plan, true, r.Ejer == PlanEgenInst(),
        (e.PlanStatus & PS_FREMMED) ? PLANREC_FREMMED : PLANREC_LEVER,
        "** Fejl: GemPeriode(): ingen plads til en periode post\n");
    if (!p) return;
    const bool nulstil = (e.PlanStatus & PS_NULSTIL) != 0;
    p->ffgrund_id = r.GrundRec;
    p->ffpp_id = ffpp;
    p->Timer = e.Timer;
    p->Lektioner = static_cast<uint32_t>(e.Lektioner);
    p->Eksametid = e.Eksametid;
    if (!nulstil) {
      p->Opgave_antal = e.Opgave_antal;
      p->Minutter_per_opgave = e.Minutter_per_opgave;
      p->Elevtid_per_elev = e.Elevtid_per_elev;
      p->Rettearbejd = e.Rettearbejd;
      p->Elevtid = e.Elevtid;
    }
    p->PlanStatus = e.PlanStatus & ~PS_NULSTIL;
    p->Ejer = r.Ejer;
  }
  if (gem) Gem(tdffpertab, tvffpertab);
}

uint32_t FindPerRec(uint32_t grund, uint32_t ffpp) {
  const FfppRec *givet = ffpp ? TabRec<FfppRec>(tvffpp, ffpp) : nullptr;
  if (!givet || grund == 0) return 0;
  for (uint32_t n = 1; n < tvffpertab.wRecCnt; ++n) {
    const FfpertabRec *p = TabRec<FfpertabRec>(tvffpertab, n);
    if (!PlanRecIBrug(p->Status) || p->ffgrund_id != grund) continue;
    const FfppRec *egen = p->ffpp_id ? TabRec<FfppRec>(tvffpp, p->ffpp_id) : nullptr;
    if (!egen || egen->ffpg_id == givet->ffpg_id) continue;
    if (egen->Frauge <= givet->Tiluge && egen->Tiluge >= givet->Frauge) return n;
  }
  return 0;
}

// ---- Duplicates ----

namespace {

struct DublerSpec {
  const TabDesc *td;
  TabVar *tv;
  const char *logNavn;
  std::vector<const char *> sortFelter;
  size_t sammenlign;  // the first fields of sortFelter that are compared
  bool medBoern;      // ffgrund: the week and period records go with a row
};

// No two records in use share the compared fields, so the pass below would
// delete nothing. Told from one sort of the compared fields packed into one
// number per record, when their values fit in 64 bits; false when they do
// not, or when a pair does share them.
bool IngenDubletter(const TabDesc &td, const TabVar &tv, const std::vector<uint32_t> &felter, size_t sammenlign) {
  const uint32_t statusOff = td.FeltTab[td.StatusFelt].Offset;
  std::vector<const FeltDef *> f;
  for (size_t j = 0; j < sammenlign && j < felter.size(); ++j) {
    const FeltDef &d = td.FeltTab[felter[j]];
    if (!((d.Size == 1 && d.Type == FT_U8) || (d.Size == 4 && (d.Type == FT_U32 || d.Type == FT_ID)))) return false;
    f.push_back(&d);
  }
  auto felt = [](const uint8_t *rec, const FeltDef *d) {
    uint32_t v = 0;
    if (d->Size == 1)
      v = rec[d->Offset];
    else
      memcpy(&v, rec + d->Offset, 4);
    return v;
  };
  auto iBrug = [&](const uint8_t *rec) { return rec[statusOff] != 0 && !(rec[statusOff] & 0x08); };
  std::vector<uint32_t> stoerst(f.size(), 0);
  for (uint32_t n = 1; n < tv.wRecCnt; ++n) {
    const uint8_t *rec = GetRec(&td, &tv, n);
    if (!iBrug(rec)) continue;
    for (size_t j = 0; j < f.size(); ++j) stoerst[j] = std::max(stoerst[j], felt(rec, f[j]));
  }
  std::vector<uint32_t> bits(f.size());
  uint32_t alle = 0;
  for (size_t j = 0; j < f.size(); ++j) {
    bits[j] = stoerst[j] ? 32 - static_cast<uint32_t>(__builtin_clz(stoerst[j])) : 0;
    alle += bits[j];
  }
  if (alle > 64) return false;
  std::vector<uint64_t> noegler;
  noegler.reserve(tv.wRecCnt);
  for (uint32_t n = 1; n < tv.wRecCnt; ++n) {
    const uint8_t *rec = GetRec(&td, &tv, n);
    if (!iBrug(rec)) continue;
    uint64_t k = 0;
    for (size_t j = 0; j < f.size(); ++j) k = bits[j] ? (k << bits[j]) | felt(rec, f[j]) : k;
    noegler.push_back(k);
  }
  if (!std::is_sorted(noegler.begin(), noegler.end())) std::sort(noegler.begin(), noegler.end());
  return std::adjacent_find(noegler.begin(), noegler.end()) == noegler.end();
}

uint32_t FjernDubletter(const DublerSpec &s) {
  const TabDesc &td = *s.td;
  TabVar &tv = *s.tv;
  if (tv.wRecCnt < 3) return 0;
  std::vector<uint32_t> felter;
  for (const char *navn : s.sortFelter) felter.push_back(FeltNr(td, navn));
  if (IngenDubletter(td, tv, felter, s.sammenlign)) return 0;
  // The whole table in one sort: records 1..count-1 at positions 1..n.
  const uint32_t antal = tv.wRecCnt - 1;
  uint32_t *plkTab = static_cast<uint32_t *>(calloc(size_t(antal) + 1, sizeof(uint32_t)));
  TAVO_ASSERT(plkTab != NULL);
  // Every sort field is a number of one or four bytes: the records are
  // sorted on their field values read once, in the order the field sort
  // gives them, ties by record number. The generic field sort compares
  // through the catalogue for every pair, which over the week records of a
  // large school took most of the load of the plan.
  struct Noegle {
    uint32_t v[8];
    uint32_t n;
  };
  const size_t nf = std::min<size_t>(felter.size(), 8);
  bool tal = nf == felter.size();
  for (size_t j = 0; j < nf; ++j) {
    const FeltDef &f = td.FeltTab[felter[j]];
    tal = tal && ((f.Size == 1 && f.Type == FT_U8) || (f.Size == 4 && (f.Type == FT_U32 || f.Type == FT_ID)));
  }
  if (tal) {
    std::vector<Noegle> noegler(antal);
    for (uint32_t i = 1; i <= antal; ++i) {
      const uint8_t *rec = GetRec(&td, &tv, i);
      Noegle &k = noegler[i - 1];
      k.n = i;
      for (size_t j = 0; j < nf; ++j) {
        const FeltDef &f = td.FeltTab[felter[j]];
        uint32_t v = 0;
        if (f.Size == 1)
          v = rec[f.Offset];
        else
          memcpy(&v, rec + f.Offset, 4);
        k.v[j] = v;
      }
    }
    std::sort(noegler.begin(), noegler.end(), [nf](const Noegle &a, const Noegle &b) {
      for (size_t j = 0; j < nf; ++j)
        if (a.v[j] != b.v[j]) return a.v[j] < b.v[j];
      return a.n < b.n;
    });
    for (uint32_t i = 1; i <= antal; ++i) plkTab[i] = noegler[i - 1].n;
  } else {
    for (uint32_t i = 1; i <= antal; ++i) plkTab[i] = i;
    SorterPaaFeltListe(plkTab, antal, &td, &tv, felter.data(), static_cast<uint32_t>(felter.size()));
  }
  const uint8_t egen = PlanEgenInst();
  const uint32_t statusOff = td.FeltTab[td.StatusFelt].Offset;
  const uint32_t ejerOff = td.FeltTab[FeltNr(td, "Ejer")].Offset;
  auto ens = [&](uint32_t a, uint32_t b) {
    const uint8_t *ra = GetRec(&td, &tv, a), *rb = GetRec(&td, &tv, b);
    for (size_t j = 0; j < s.sammenlign; ++j) {
      const FeltDef &f = td.FeltTab[felter[j]];
      if (memcmp(ra + f.Offset, rb + f.Offset, f.Size) != 0) return false;
    }
    return true;
  };
  uint32_t slettet = 0;
  std::vector<uint8_t> fjernet;
  if (s.medBoern) fjernet.assign(tv.wRecCnt, 0);
  uint32_t holdt = plkTab[1];
  for (uint32_t i = 2; i <= antal; ++i) {
    const uint32_t n = plkTab[i];
    const uint8_t *rec = GetRec(&td, &tv, n);
    const uint8_t status = rec[statusOff];
    const uint8_t *rh = GetRec(&td, &tv, holdt);
    // Free records and deleted ones are no part of a run.
    const bool holdtIBrug = rh[statusOff] != 0 && !(rh[statusOff] & 0x08);
    if (holdtIBrug && status != 0 && !(status & 0x08) && rec[ejerOff] == egen && ens(holdt, n)) {
      SletEllerMaerkRec(&td, &tv, n);
      if (s.medBoern) fjernet[n] = 1;
      ++slettet;
      continue;
    }
    holdt = n;
  }
  free(plkTab);
  // Nothing removed: the table is as its file holds it.
  if (slettet == 0) return 0;
  // A removed row takes its week and period records with it, or they would
  // stay behind naming a row that is gone.
  if (s.medBoern && slettet) {
    for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
      const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
      if (PlanRecIBrug(t->Status) && t->ffgrund_id < fjernet.size() && fjernet[t->ffgrund_id])
        SletEllerMaerkRec(&tdfftaltab, &tvfftaltab, n);
    }
    for (uint32_t n = 1; n < tvffpertab.wRecCnt; ++n) {
      const FfpertabRec *p = TabRec<FfpertabRec>(tvffpertab, n);
      if (PlanRecIBrug(p->Status) && p->ffgrund_id < fjernet.size() && fjernet[p->ffgrund_id])
        SletEllerMaerkRec(&tdffpertab, &tvffpertab, n);
    }
    Gem(tdfftaltab, tvfftaltab);
    Gem(tdffpertab, tvffpertab);
  }
  Gem(td, tv);
  if (slettet) LogPrintf("Plan dubletter slettet (%s): %i records\n", s.logNavn, static_cast<int>(slettet));
  return slettet;
}

}  // namespace

namespace {

DublerSpec GrundDubletSpec() {
  return {&tdffgrund, &tvffgrund, "ffgrund",
          {"Ejer", "ffpg_id", "Aktivitet", "Skolefag", "Medarbejder1", "Medarbejder2", "Dublet", "Id"},
          7, true};
}

DublerSpec PerTabDubletSpec() {
  return {&tdffpertab, &tvffpertab, "pertab", {"Ejer", "ffgrund_id", "ffpp_id", "Id"}, 3, false};
}

DublerSpec TalTabDubletSpec() {
  return {&tdfftaltab, &tvfftaltab, "taltab", {"Ejer", "ffgrund_id", "Uge", "PlanStatus", "Id"}, 3, false};
}

// FjernDubletter's own finding that there is nothing to delete, without
// deleting: it reads the table only.
bool UdenDubletter(const DublerSpec &s) {
  if (s.tv->wRecCnt < 3) return true;
  std::vector<uint32_t> felter;
  for (const char *navn : s.sortFelter) felter.push_back(FeltNr(*s.td, navn));
  return IngenDubletter(*s.td, *s.tv, felter, s.sammenlign);
}

}  // namespace

uint32_t FjernGrundDubletter() { return FjernDubletter(GrundDubletSpec()); }

uint32_t FjernPerTabDubletter() { return FjernDubletter(PerTabDubletSpec()); }

namespace {

// The week records mostly lie in the order of their keys (owner, row,
// week): one pass that finds the keys of the records in use strictly
// rising shows that no two share one, without the key table and its sort.
bool TalTabStigende() {
  bool foerste = true;
  uint8_t ejer = 0;
  uint32_t grund = 0, uge = 0;
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    // In use as the duplicate pass counts it: neither free nor deleted.
    if (t->Status == 0 || (t->Status & 0x08)) continue;
    const uint8_t e = t->Ejer;
    const uint32_t g = t->ffgrund_id, u = t->Uge;
    if (!foerste && std::tie(e, g, u) <= std::tie(ejer, grund, uge)) return false;
    foerste = false;
    ejer = e;
    grund = g;
    uge = u;
  }
  return true;
}

}  // namespace

uint32_t FjernTalTabDubletter() {
  if (TalTabStigende()) return 0;
  return FjernDubletter(TalTabDubletSpec());
}

bool IngenPlanDubletter() {
  // Each check only reads its own table.
  bool ingen[3] = {false, false, false};
  PaaPlanTraade(3, [&ingen](size_t t) {
    if (t == 0) ingen[0] = UdenDubletter(GrundDubletSpec());
    if (t == 1) ingen[1] = UdenDubletter(PerTabDubletSpec());
    if (t == 2) ingen[2] = TalTabStigende() || UdenDubletter(TalTabDubletSpec());
  });
  return ingen[0] && ingen[1] && ingen[2];
}

// ---- The save pass ----

namespace {

void Trin(HWND hDlg) {
  if (hDlg) SendDlgItemMessageA(hDlg, 1077, PBM_STEPIT, 0, 0);
}

bool ValgtGruppe(const Plan *plan, uint32_t gruppe) {
  for (uint32_t i = 1; plan->StyrZ.ObjTab && i <= plan->StyrZ.Pos.Antal; ++i)
    if (plan->StyrZ.ObjTab[i] == gruppe) return true;
  return false;
}

}  // namespace

bool GemPlan(HWND hDlg, Plan *plan) {
  char gruppeTekst[16];
  snprintf(gruppeTekst, sizeof gruppeTekst, "%i", static_cast<int>(plan->AktPlanGruppe));
  // The whole pass is one save: a stop half-way leaves every plan table as
  // the last save left it.
  Gemning gemning;
  while (FjernGrundDubletter() != 0) {
  }
  Trin(hDlg);
  while (FjernPerTabDubletter() != 0) {
  }
  Trin(hDlg);
  while (FjernTalTabDubletter() != 0) {
  }
  Trin(hDlg);
  if (plan->GemAlt) {
    ResetTab(&tdffgrund, &tvffgrund, 1);
    ResetTab(&tdfftaltab, &tvfftaltab, 1);
    ResetTab(&tdffpertab, &tvffpertab, 1);
    if (!GlobalIndstillinger.skemalaast) WritePrivateProfileStringA("flag", "planexport", "1", StiTab.szini);
    gUdsatGem = true;
    for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
      if (plan->GrundTab[r].KopiAf == 0) GemRaekke(plan, r, true);
    gUdsatGem = false;
  }
  Trin(hDlg);
  // The group's setting and the membership tidy change ffpg and ffpgrel: done
  // before the tables are written, so that this save holds them.
  if (ValgtGruppe(plan, plan->AktPlanGruppe)) {
    FfpgRec *g = TabRec<FfpgRec>(tvffpg, plan->AktPlanGruppe);
    if (g && g->VisSkeLekt != static_cast<uint8_t>(plan->VisSkeLekt ? 1 : 0)) {
      g->VisSkeLekt = plan->VisSkeLekt ? 1 : 0;
      MarkerBlok(tdffpg, tvffpg, plan->AktPlanGruppe);
    }
  }
  RydFfpgrel();
  const TabDesc *tabeller[] = {&tdffpg, &tdffpgrel, &tdffpp, &tdffgrund, &tdffpertab, &tdfftaltab};
  TabVar *vars[] = {&tvffpg, &tvffpgrel, &tvffpp, &tvffgrund, &tvffpertab, &tvfftaltab};
  for (size_t i = 0; i < 6; ++i) {
    SaveTab(tabeller[i], vars[i], nullptr);
    Trin(hDlg);
  }
  if (!GlobalIndstillinger.skemalaast) WritePrivateProfileStringA("ffplan", "ffplangruppe", gruppeTekst, StiTab.szini);
  plan->GemAlt = 0;
  const bool ok = gemning.Fuldfoer();
  if (!ok) {
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(hDlg, fejl);
  }
  return ok;
}

void SletPlanRaekke(uint32_t grund) { SletPlanRaekker({grund}); }

void SletPlanRaekker(const std::vector<uint32_t> &grund) {
  std::vector<uint8_t> slet(tvffgrund.wRecCnt, 0);
  bool nogen = false;
  for (uint32_t g : grund)
    if (g != 0 && g < tvffgrund.wRecCnt) slet[g] = 1, nogen = true;
  if (!nogen) return;
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    if (PlanRecIBrug(t->Status) && t->ffgrund_id < slet.size() && slet[t->ffgrund_id])
      SletEllerMaerkRec(&tdfftaltab, &tvfftaltab, n);
  }
  for (uint32_t n = 1; n < tvffpertab.wRecCnt; ++n) {
    const FfpertabRec *p = TabRec<FfpertabRec>(tvffpertab, n);
    if (PlanRecIBrug(p->Status) && p->ffgrund_id < slet.size() && slet[p->ffgrund_id])
      SletEllerMaerkRec(&tdffpertab, &tvffpertab, n);
  }
  for (uint32_t g = 1; g < slet.size(); ++g)
    if (slet[g] && PlanRecIBrug(TabRec<FfgrundRec>(tvffgrund, g)->Status)) SletEllerMaerkRec(&tdffgrund, &tvffgrund, g);
  Gem(tdfftaltab, tvfftaltab);
  Gem(tdffpertab, tvffpertab);
  Gem(tdffgrund, tvffgrund);
}

void FjernAktivitetFraGruppe(uint32_t akti, uint32_t gruppe) {
  // The rows of the pair go in one pass over the week and period records.
  std::vector<uint32_t> raekker;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
    if (PlanRecIBrug(g->Status) && g->ffpg_id == gruppe && g->Aktivitet == akti) raekker.push_back(n);
  }
  SletPlanRaekker(raekker);
  if (FindPgRel(gruppe, akti, 'K')) RemovePgRel(gruppe, akti, 'K');
}

void RydRaekke(Plan *plan, uint32_t raekke) {
  if (!plan || !plan->GrundTab || raekke == 0 || raekke > plan->GrundTabAntal) return;
  GrundRaekke &r = plan->GrundTab[raekke];
  for (uint32_t u = 0; u <= plan->UgeAntal + 1; ++u) {
    if (r.TalTab) r.TalTab[u] = TalPost{};
    if (r.PerTab) r.PerTab[u] = PerPost{};
  }
  TalPost *tal = r.TalTab;
  PerPost *per = r.PerTab;
  r = GrundRaekke{};
  r.TalTab = tal;
  r.PerTab = per;
  if (plan->ObjTypeTab) plan->ObjTypeTab[raekke] = 0;
}

UdsatPlanGem::UdsatPlanGem() : foer_(gUdsatGem) {
  if (!foer_) gUdsatte.clear();
  gUdsatGem = true;
}
UdsatPlanGem::~UdsatPlanGem() { gUdsatGem = foer_; }

void UdsatPlanGem::Gem() {
  for (const auto &[td, tv] : gUdsatte) SaveTab(td, tv, nullptr);
  gUdsatte.clear();
}

// ---- Row totals, headings and scheduled numbers ----

namespace {

bool ErOverskriftArt(uint32_t art) { return ErSumArt(art); }

// The group's week indexes.
void GruppeUger(const Plan *plan, uint32_t *fra, uint32_t *til) {
  *fra = PlanUgeIndeks(plan->Fradato);
  *til = std::min(PlanUgeIndeks(plan->Tildato), plan->UgeAntal + 1);
}

uint32_t MaanedAf(Dato d) { return d / 100; }

// The plan's reference date: the current weekday of the current schedule
// week, as the schedule windows share it.
Dato PlanRefDato() {
  const Dato d = UgeDagTilDato(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks), VisningsTilstand[VISNING_LEKTION].Ugedag);
  return d ? d : SkemaPeriode.AktuelDato;
}

// The month index of each week's Wednesday, worked out once per schedule
// period rather than once per row and week.
const std::vector<MaanedIndeks> &OnsdagsMaaneder() {
  thread_local std::vector<MaanedIndeks> tab;
  thread_local Uge foerste = 0;
  thread_local uint32_t antal = 0;
  if (foerste != SkemaPeriode.FoersteUge || antal != SkemaPeriode.AntalUger || tab.size() != antal + 2) {
    foerste = SkemaPeriode.FoersteUge;
    antal = SkemaPeriode.AntalUger;
    tab.assign(antal + 2, 0);
    for (uint32_t u = 1; u <= antal; ++u) tab[u] = MaanedTilIndeks(MaanedAf(UgeDagTilDato(IndeksTilUge(u), 3)));
  }
  return tab;
}

int64_t RundTilHeleTimer(int64_t v) {
  if (v >= 1) return (v + 500) / 1000 * 1000;
  if (v < 0) return (v - 500) / 1000 * 1000;
  return 0;
}

}  // namespace

namespace {

// The part of an employment's accounting period at the plan's reference
// date that the row totals use.
struct OpgUdsnit {
  MaanedIndeks mf = 0, ms = 0, mFra = 0, mTil = 0;
  uint32_t ugeFra = 0, ugeTil = 0;
};

OpgUdsnit BeregnOpgUdsnit(Dato ref, uint32_t anfo) {
  OpgUdsnit o;
  GetOpgPerMonths(ref, anfo, &o.mf, &o.ms, nullptr);
  const Dato opgFra = GetOpgPerFra(ref, anfo), opgTil = GetOpgPerTil(ref, anfo);
  o.ugeFra = PlanUgeIndeks(opgFra);
  o.ugeTil = PlanUgeIndeks(opgTil);
  o.mFra = MaanedTilIndeks(MaanedAf(opgFra));
  o.mTil = MaanedTilIndeks(MaanedAf(opgTil));
  return o;
}

// One pass over many rows asks each employment's period once: an employee
// heads many rows, and the period chains do not change during a pass.
class OpgUdsnitCache {
 public:
  OpgUdsnitCache() : ref_(PlanRefDato()), kendt_(tvanfo.wRecCnt, 0), udsnit_(tvanfo.wRecCnt) {}
  // Asked on the thread that owns the cache before other threads read it:
  // false for an employment Hent cannot keep, whose answer would be written
  // where all threads read.
  bool Kendes(uint32_t anfo) {
    if (anfo >= kendt_.size()) return false;
    Hent(anfo);
    return true;
  }
  const OpgUdsnit &Hent(uint32_t anfo) {
    if (anfo >= kendt_.size()) {
      ekstra_ = BeregnOpgUdsnit(ref_, anfo);
      return ekstra_;
    }
    if (!kendt_[anfo]) udsnit_[anfo] = BeregnOpgUdsnit(ref_, anfo), kendt_[anfo] = 1;
    return udsnit_[anfo];
  }

 private:
  Dato ref_;
  std::vector<uint8_t> kendt_;
  std::vector<OpgUdsnit> udsnit_;
  OpgUdsnit ekstra_;
};

void BeregnRaekke(Plan *plan, uint32_t raekke, OpgUdsnitCache *cache,
                  const std::vector<MaanedIndeks> *onsdag = nullptr);

// The cache of the RaekkeSumPas living on this thread, if any.
thread_local OpgUdsnitCache *tPasCache = nullptr;

}  // namespace

void BeregnRaekke(Plan *plan, uint32_t raekke) { BeregnRaekke(plan, raekke, tPasCache); }

RaekkeSumPas::RaekkeSumPas() : egen_(tPasCache == nullptr) {
  if (egen_) tPasCache = new OpgUdsnitCache;
}

RaekkeSumPas::~RaekkeSumPas() {
  if (!egen_) return;
  delete tPasCache;
  tPasCache = nullptr;
}

namespace {

// A row's totals, taken week by week: by BeregnRaekke in a walk of its own,
// or by the load in the one walk that also works out the row's hours and
// adds it to its heading and employees. Both give each total the same
// weeks in the same order.
class RaekkeSummer {
 public:
  // A walk on a worker thread gives the calling thread's `onsdag`: the
  // table of each thread is its own.
  RaekkeSummer(Plan *plan, uint32_t raekke, OpgUdsnitCache *cache, uint32_t fra, uint32_t til,
               const std::vector<MaanedIndeks> *onsdag = nullptr)
      : plan_(plan), r_(plan->GrundTab[raekke]), art_(plan->ObjTypeTab[raekke]), fra_(fra), til_(til),
        onsdag_(onsdag ? *onsdag : OnsdagsMaaneder()) {
    maxArt_ = art_ == 1 || art_ == 9 || art_ == 13 || art_ == 14 || art_ == 22 || art_ == 34 || art_ == 35 ||
              art_ == PLAN_SKEMA;
    if (GyldigRef(&tvanfo, r_.Medarbejder1) && SkemaPeriode.AntalUger) {
      o_ = cache ? cache->Hent(r_.Medarbejder1) : BeregnOpgUdsnit(PlanRefDato(), r_.Medarbejder1);
      opg_ = o_.mf != 0;
    }
    opgTil_ = std::min<uint32_t>(plan->UgeAntal, static_cast<uint32_t>(onsdag_.size()) - 1);
    skema_ = art_ == PLAN_SKEMA && plan->VisSkeLekt;
    foerste_ = std::min(fra_, 1u);
    sidste_ = std::max(til_, opg_ ? opgTil_ : 0u);
  }
  // The weeks Uge must be given, in order.
  uint32_t Foerste() const { return foerste_; }
  uint32_t Sidste() const { return sidste_; }

  void Uge(uint32_t u, const TalPost &t) {
    if (opg_ && u >= 1 && u <= opgTil_) {
      const MaanedIndeks m = u == o_.ugeFra ? o_.mFra : u == o_.ugeTil ? o_.mTil : onsdag_[u];
      if (m >= o_.mf && m <= o_.ms) {
        opgSum_ += t.Timer1 + t.Timer;
        a_ += t.Rettearbejd;
        b_ += t.Eksametid;
        c_ += t.Elevtid;
        opgPost_ += t.PostTimerIalt;
      }
    }
    if (u < fra_ || u > til_) return;
    sumLek_ += static_cast<uint32_t>(t.Lektioner);
    sum1_ += t.Timer1 + t.Timer;
    sum2_ += t.PostTimer + t.PostTimerFremmed;
    ret_ += t.Rettearbejd;
    elev_ += t.Elevtid;
    eks_ += t.Eksametid;
    if (maxArt_) {
      if (static_cast<uint32_t>(t.Lektioner) > maxLek_) maxLek_ = static_cast<uint32_t>(t.Lektioner);
      if (t.Timer1 + t.Timer > maxTimer_) maxTimer_ = t.Timer1 + t.Timer;
    }
    if (skema_) {
      sum2_ += t.SkemaTimer;
      sumLek_ += t.SkemaLektioner;
    }
  }

  // With `tom` the row's weeks are known to hold only +0 (a table as the
  // row store hands it out, never written since): the period sums are the
  // +0 that adding its weeks gives, without the walk.
  void Slut(bool tom = false) {
    Plan *plan = plan_;
    GrundRaekke &r = r_;
    const uint32_t art = art_;
    r.SumLektioner = sumLek_;
    r.SumTimer1 = sum1_;
    r.SumTimer2 = sum2_;
    r.SumRettearbejd = ret_;
    r.SumElevtid = elev_;
    r.SumEksametid = eks_;
    r.OpgSumTimer = opgSum_;
    r.OpgPostTimer = opgPost_;
    if (maxArt_) r.MaxLektioner = maxLek_, r.MaxTimer = maxTimer_;
    const bool alle = art == 1 || art == 9 || art == 22, lekTimer = art == 13 || art == PLAN_SKEMA;
    if (r.PerTab && (alle || lekTimer)) {
      for (uint32_t p = 1; p <= plan->PeriodeAntal && p <= plan->UgeAntal + 1; ++p) {
        const PeriodePost &per = plan->PeriodeTab[p];
        const uint32_t pf = std::max(UgeTilIndeks(per.Frauge), 1u), pt = std::min(UgeTilIndeks(per.Tiluge), plan->UgeAntal);
        int32_t l = 0;
        float h = 0.0f, rr = 0.0f, e = 0.0f, s = 0.0f;
        for (uint32_t u = pf; !tom && u <= pt; ++u) {
          const TalPost &t = r.TalTab[u];
          l += t.Lektioner;
          rr += t.Rettearbejd;
          e += t.Eksametid;
          s += t.Elevtid;
          h += t.Timer1 + t.Timer + t.Rettearbejd + t.Eksametid + t.Elevtid;
        }
        PerPost &pp = r.PerTab[p];
        pp.Lektioner = l;
        pp.Timer = h;
        if (alle) pp.Rettearbejd = rr, pp.Eksametid = e, pp.Elevtid = s;
      }
    }
    if (art == PLAN_MEDA) {
      r.SumTimer1 += r.SumElevtid + r.SumRettearbejd + r.SumEksametid;
      r.OpgSumTimer += a_ + b_ + c_;
    }
  }

 private:
  Plan *plan_;
  GrundRaekke &r_;
  uint32_t art_;
  uint32_t fra_, til_;
  const std::vector<MaanedIndeks> &onsdag_;
  bool maxArt_ = false, opg_ = false, skema_ = false;
  OpgUdsnit o_;
  uint32_t opgTil_ = 0, foerste_ = 0, sidste_ = 0;
  float a_ = 0.0f, b_ = 0.0f, c_ = 0.0f, opgSum_ = 0.0f, opgPost_ = 0.0f;
  uint32_t sumLek_ = 0, maxLek_ = 0;
  float sum1_ = 0.0f, sum2_ = 0.0f, ret_ = 0.0f, elev_ = 0.0f, eks_ = 0.0f, maxTimer_ = 0.0f;
};

void BeregnRaekke(Plan *plan, uint32_t raekke, OpgUdsnitCache *cache, const std::vector<MaanedIndeks> *onsdag) {
  if (raekke == 0 || raekke > plan->GrundTabAntal) return;
  GrundRaekke &r = plan->GrundTab[raekke];
  if (!r.TalTab) return;
  uint32_t fra, til;
  GruppeUger(plan, &fra, &til);
  RaekkeSummer summer(plan, raekke, cache, fra, til, onsdag);
  for (uint32_t u = summer.Foerste(); u <= summer.Sidste(); ++u) summer.Uge(u, r.TalTab[u]);
  summer.Slut();
}

// BeregnRaekke for a row whose weeks hold only +0: no week adds anything
// to a total that starts at +0, so the walk is left out.
void BeregnTomRaekke(Plan *plan, uint32_t raekke, OpgUdsnitCache *cache,
                     const std::vector<MaanedIndeks> *onsdag = nullptr) {
  if (raekke == 0 || raekke > plan->GrundTabAntal || !plan->GrundTab[raekke].TalTab) return;
  uint32_t fra, til;
  GruppeUger(plan, &fra, &til);
  RaekkeSummer summer(plan, raekke, cache, fra, til, onsdag);
  summer.Slut(true);
}

}  // namespace

uint32_t FindOverskrift(const Plan *plan, uint32_t raekke) {
  if (raekke == 0 || raekke > plan->GrundTabAntal) return 0;
  const GrundRaekke &r = plan->GrundTab[raekke];
  const uint32_t art = plan->ObjTypeTab[raekke];
  if (r.ErSum || r.KopiAf) return 0;
  uint32_t soeg = 0;
  bool medarbejder = false;
  if (plan->Visning == 'M') {
    medarbejder = true, soeg = PLAN_MEDA;
  } else if (art == PLAN_FAG) {
    soeg = PLAN_AKTI;
  } else if (art == PLAN_FREMMED_FAG) {
    soeg = PLAN_FREMMED_AKTI;
  } else if (art == PLAN_OPG_TIMER) {
    soeg = PLAN_OPG_AKTI;
  } else if (art == PLAN_FREMMED_OPG_TIMER) {
    soeg = PLAN_FREMMED_OPG_AKTI;
  }
  if (!soeg || (medarbejder && !r.Medarbejder1)) return 0;
  for (uint32_t h = 1; h <= plan->GrundTabAntal; ++h) {
    if (plan->ObjTypeTab[h] != soeg) continue;
    const GrundRaekke &o = plan->GrundTab[h];
    if (o.ffpg_id != r.ffpg_id) continue;
    if (medarbejder ? o.Medarbejder1 == r.Medarbejder1 : o.Aktivitet == r.Aktivitet) return h;
  }
  return 0;
}

void FlytTal(Plan *plan, uint32_t overskrift, uint32_t raekke, int fortegn) {
  FlytUgeTal(plan, overskrift, raekke, fortegn);
  BeregnRaekke(plan, raekke);
}

void ForhentRaekkeUger(const Plan *plan, uint32_t r) {
  if (r == 0 || r > plan->GrundTabAntal || !plan->GrundTab[r].TalTab) return;
  const char *p = reinterpret_cast<const char *>(plan->GrundTab[r].TalTab);
  const size_t bytes = sizeof(TalPost) * (size_t(plan->UgeAntal) + 2);
  for (size_t i = 0; i < bytes; i += 64) tavo::Prefetch(p + i);
}

void FlytUgeTal(Plan *plan, uint32_t overskrift, uint32_t raekke, int fortegn) {
  if (overskrift && overskrift <= plan->GrundTabAntal && raekke && raekke <= plan->GrundTabAntal) {
    GrundRaekke &o = plan->GrundTab[overskrift];
    const GrundRaekke &r = plan->GrundTab[raekke];
    const float f = static_cast<float>(fortegn);
    for (uint32_t u = 0; o.TalTab && r.TalTab && u <= plan->UgeAntal + 1; ++u) {
      TalPost &h = o.TalTab[u];
      const TalPost &t = r.TalTab[u];
      h.Lektioner += fortegn * t.Lektioner;
      h.Timer1 += f * t.Timer1;
      h.Timer2 += f * t.Timer2;
      h.Timer += f * t.Timer;
      h.PostTimer += f * t.PostTimer;
      h.PostTimerFremmed += f * t.PostTimerFremmed;
      h.Rettearbejd += f * t.Rettearbejd;
      h.Elevtid += f * t.Elevtid;
      h.Eksametid += f * t.Eksametid;
    }
  }
}

namespace {

// One week of a row into an employee's week sums; the second employee of a
// row is given the row's hours by her own norm.
inline void LaegUgeTilAnfoSum(TalPost &s, const TalPost &t, int fortegn, float f, bool anden) {
  s.Lektioner += fortegn * t.Lektioner;
  s.Timer += f * t.Timer;
  s.PostTimer += f * t.PostTimer;
  s.PostTimerFremmed += f * t.PostTimerFremmed;
  s.Rettearbejd += f * t.Rettearbejd;
  s.Elevtid += f * t.Elevtid;
  s.Eksametid += f * t.Eksametid;
  s.Timer1 += f * (anden ? t.Timer2 : t.Timer1);
}

}  // namespace

void AddPlanRaekkeTilSum(Plan *plan, uint32_t raekke, int faktor, uint32_t flag) {
  if (raekke == 0 || raekke > plan->GrundTabAntal || !plan->PlanAnfoTab) return;
  const GrundRaekke &r = plan->GrundTab[raekke];
  if (r.KopiAf || !r.TalTab) return;
  const float f = static_cast<float>(faktor);
  for (int hvem = 1; hvem <= 2; ++hvem) {
    if (!(flag & static_cast<uint32_t>(hvem))) continue;
    const uint32_t anfo = hvem == 1 ? r.Medarbejder1 : r.Medarbejder2;
    if (anfo == 0 || anfo > plan->PlanAnfoAntal || !plan->PlanAnfoTab[anfo].SumTalTab) continue;
    TalPost *sum = plan->PlanAnfoTab[anfo].SumTalTab;
    for (uint32_t u = 1; u <= plan->UgeAntal; ++u) LaegUgeTilAnfoSum(sum[u], r.TalTab[u], faktor, f, hvem == 2);
  }
}

void AddPlanRaekkeTilSum1(Plan *plan, uint32_t raekke) {
  if (raekke && raekke <= plan->GrundTabAntal && plan->GrundTab[raekke].Medarbejder1)
    AddPlanRaekkeTilSum(plan, raekke, 1, 3);
}

void NulstilPlanUgeTal(Plan *plan, uint32_t raekke) {
  if (raekke == 0 || raekke > plan->GrundTabAntal) return;
  GrundRaekke &r = plan->GrundTab[raekke];
  if (!r.ErSum || r.KopiAf) return;
  for (uint32_t u = 0; r.TalTab && u <= plan->UgeAntal + 1; ++u) {
    TalPost &t = r.TalTab[u];
    t.Lektioner = 0;
    t.Timer1 = t.Timer2 = t.Timer = t.PostTimer = t.PostTimerFremmed = 0.0f;
    t.Opgave_antal = t.Minutter_per_opgave = t.Elevtid_per_elev = 0.0f;
    t.ElevAntal = 0;
    t.Rettearbejd = t.Elevtid = t.Eksametid = 0.0f;
  }
  for (uint32_t p = 0; r.PerTab && p <= plan->UgeAntal + 1; ++p) {
    PerPost &e = r.PerTab[p];
    e.Lektioner = 0;
    e.Timer = e.Rettearbejd = e.Elevtid = e.Eksametid = 0.0f;
  }
}

namespace {

// The heading each row is summed into (FindOverskrift's rule), found once
// per row through a map, not by a walk over the rows per row.
class Overskrifter {
 public:
  explicit Overskrifter(const Plan *plan) : plan_(plan) {
    tab_.reserve(plan->GrundTabAntal / 4 + 16);
    for (uint32_t h = 1; h <= plan->GrundTabAntal; ++h) {
      const uint32_t art = plan->ObjTypeTab[h];
      if (!ErOverskriftArt(art)) continue;
      const GrundRaekke &o = plan->GrundTab[h];
      tab_.try_emplace(Noegle{art, o.ffpg_id, art == PLAN_MEDA ? o.Medarbejder1 : o.Aktivitet}, h);
    }
  }
  // True for a row that feeds a heading and the employee sums; `hoved` is
  // its heading, 0 when it has none.
  bool Foeder(uint32_t r, uint32_t *hoved) const {
    const GrundRaekke &g = plan_->GrundTab[r];
    const uint32_t art = plan_->ObjTypeTab[r];
    if (g.ErSum || g.KopiAf || art == 0) return false;
    uint32_t soeg = 0, noegle = g.Aktivitet;
    if (plan_->Visning == 'M') soeg = PLAN_MEDA, noegle = g.Medarbejder1;
    else if (art == PLAN_FAG) soeg = PLAN_AKTI;
    else if (art == PLAN_FREMMED_FAG) soeg = PLAN_FREMMED_AKTI;
    else if (art == PLAN_OPG_TIMER) soeg = PLAN_OPG_AKTI;
    else if (art == PLAN_FREMMED_OPG_TIMER) soeg = PLAN_FREMMED_OPG_AKTI;
    const auto it = soeg && noegle ? tab_.find(Noegle{soeg, g.ffpg_id, noegle}) : tab_.end();
    *hoved = it == tab_.end() ? 0 : it->second;
    return true;
  }

 private:
  struct Noegle {
    uint32_t art, gruppe, id;
    bool operator==(const Noegle &) const = default;
  };
  struct NoegleHash {
    size_t operator()(const Noegle &k) const {
      return static_cast<size_t>(((uint64_t(k.gruppe) << 32 | k.id) * 0x9E3779B97F4A7C15ull) ^ k.art);
    }
  };
  const Plan *plan_;
  // Asked once per row of a large plan: hashed, not ordered.
  std::unordered_map<Noegle, uint32_t, NoegleHash> tab_;
};

void ForhentUger(const Plan *plan, uint32_t r) { ForhentRaekkeUger(plan, r); }

void NulstilAnfoSummer(Plan *plan) {
  for (uint32_t i = 0; plan->PlanAnfoTab && i <= plan->PlanAnfoAntal; ++i)
    if (plan->PlanAnfoTab[i].SumTalTab) memset(plan->PlanAnfoTab[i].SumTalTab, 0, sizeof(TalPost) * (plan->UgeAntal + 2));
}

}  // namespace

void BygOverskriftSummer(Plan *plan, bool nulstillet) {
  RaekkeSumPas pas;
  for (uint32_t r = 1; !nulstillet && r <= plan->GrundTabAntal; ++r) NulstilPlanUgeTal(plan, r);
  NulstilAnfoSummer(plan);
  const Overskrifter overskrifter(plan);
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    uint32_t h = 0;
    if (!overskrifter.Foeder(r, &h)) continue;
    FlytTal(plan, h, r, 1);
    if (plan->ObjTypeTab[r] != PLAN_SKEMA) AddPlanRaekkeTilSum1(plan, r);
  }
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
    if (plan->GrundTab[r].ErSum) BeregnRaekke(plan, r);
}

namespace {

// The heading rows the rows of the selected groups lack.
void LavOverskriftRaekker(Plan *plan) {
  // Asked once or twice per row of a large plan: hashed, not ordered.
  struct Par {
    std::unordered_set<uint64_t> s;
    void insert(std::pair<uint32_t, uint32_t> k) { s.insert((uint64_t(k.first) << 32) | k.second); }
    size_t count(std::pair<uint32_t, uint32_t> k) const { return s.count((uint64_t(k.first) << 32) | k.second); }
  } akti1, akti13, akti22, meda9, meda200;
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    switch (plan->ObjTypeTab[r]) {
      case PLAN_AKTI: akti1.insert({g.ffpg_id, g.Aktivitet}); break;
      case PLAN_OPG_AKTI: akti13.insert({g.ffpg_id, g.Aktivitet}); break;
      case PLAN_FREMMED_AKTI: akti22.insert({g.ffpg_id, g.Aktivitet}); break;
      case PLAN_MEDA: meda9.insert({g.ffpg_id, g.Medarbejder1}); break;
      case PLAN_SKEMA: meda200.insert({g.ffpg_id, g.Medarbejder1}); break;
      default: break;
    }
  }
  auto ny = [&](uint32_t art, uint32_t gruppe, uint32_t akti, uint32_t anfo, uint8_t ejer, bool gem) {
    FfgrundRec rec{};
    rec.ObjType = art;
    rec.ffpg_id = gruppe;
    rec.Aktivitet = akti;
    rec.Medarbejder1 = anfo;
    rec.Minutnorm1 = rec.Minutnorm2 = -1.0f;
    rec.Ejer = ejer;
    NyPlanRaekke(plan, &rec, 0, gem);
  };
  // New heading rows are stored with one save of ffgrund at the end (or
  // the caller's, when it holds the saves back itself).
  const bool udsat = gUdsatGem;
  gUdsatGem = true;
  bool gemt = false;
  const uint8_t egen = PlanEgenInst();
  for (uint32_t i = 1; plan->StyrZ.ObjTab && i <= plan->StyrZ.Pos.Antal; ++i) {
    const uint32_t gruppe = plan->StyrZ.ObjTab[i];
    const FfpgRec *g = Gruppe(gruppe);
    if (!g || g->Ejer != egen) continue;
    const Dato gFra = g->Fradato, gTil = g->Tildato;
    const uint32_t antal = plan->GrundTabAntal;  // rows made here are headings: not walked again
    for (uint32_t r = 1; r <= antal; ++r) {
      const GrundRaekke g2 = plan->GrundTab[r];
      const uint32_t art = plan->ObjTypeTab[r];
      if (g2.ffpg_id != gruppe || g2.KopiAf) continue;
      const AktiRec *a = g2.Aktivitet ? TabRec<AktiRec>(tvakti, g2.Aktivitet) : nullptr;
      if (a && a->Fradato <= gTil && a->Tildato >= gFra) {
        const std::pair<uint32_t, uint32_t> k{gruppe, g2.Aktivitet};
        if (art == PLAN_FAG && !akti1.count(k)) {
          ny(PLAN_AKTI, gruppe, g2.Aktivitet, 0, g2.Ejer, true), akti1.insert(k), gemt = true;
        } else if (art == PLAN_OPG_TIMER && !akti13.count(k)) {
          ny(PLAN_OPG_AKTI, gruppe, g2.Aktivitet, 0, g2.Ejer, true), akti13.insert(k), gemt = true;
        } else if (art == PLAN_FREMMED_FAG && !akti22.count(k)) {
          ny(PLAN_FREMMED_AKTI, gruppe, g2.Aktivitet, 0, g2.Ejer, false), akti22.insert(k);
        }
      }
      if (g2.Medarbejder1 && art < PLAN_FREMMED) {
        const std::pair<uint32_t, uint32_t> k{gruppe, g2.Medarbejder1};
        if (!meda9.count(k)) ny(PLAN_MEDA, gruppe, 0, g2.Medarbejder1, g2.Ejer, true), meda9.insert(k), gemt = true;
        if (!meda200.count(k)) ny(PLAN_SKEMA, gruppe, 0, g2.Medarbejder1, g2.Ejer, false), meda200.insert(k);
      }
    }
  }
  gUdsatGem = udsat;
  if (gemt && !udsat) SaveTab(&tdffgrund, &tvffgrund, nullptr);
}

}  // namespace

void OpretOverskrifter(Plan *plan, bool nulstillet) {
  PlanLaas laas;
  LavOverskriftRaekker(plan);
  BygOverskriftSummer(plan, nulstillet);
}

namespace {

uint32_t Bits(float f) {
  uint32_t b;
  memcpy(&b, &f, sizeof b);
  return b;
}

// Every figure a sum of the row's weeks reads is +0.
bool Nul(const TalPost &t) {
  return (static_cast<uint32_t>(t.Lektioner) | Bits(t.Timer1) | Bits(t.Timer2) | t.SkemaLektioner | Bits(t.SkemaTimer) |
          Bits(t.Timer) | Bits(t.PostTimer) | Bits(t.PostTimerFremmed) | Bits(t.PostTimerIalt) | Bits(t.Rettearbejd) |
          Bits(t.Elevtid) | Bits(t.Eksametid)) == 0;
}

// One row's walk of the load, for a row that feeds a heading and its
// employees: its hours (with `timer`), what it adds to heading `hoved` (0:
// none), to its employees' week sums and its own totals, week by week.
// Each figure gets what BeregnRaekkensUgeTimer, FlytUgeTal,
// AddPlanRaekkeTilSum and BeregnRaekke one after the other give it, in the
// same order: each week's hours are in place before anything reads them,
// and every sum takes the weeks in ascending order as the separate walks
// do.
// A row made by this load's heading pass (`ny`) has weeks of nothing but
// +0: no hours, nothing to add anywhere, only its totals to set.
void IndlaesRaekke(Plan *plan, uint32_t raekke, uint32_t hoved, bool timer, const Onsdage &onsdage, uint32_t fra,
                   uint32_t til, bool ny) {
  GrundRaekke &r = plan->GrundTab[raekke];
  if (!r.TalTab) return;
  if (ny) {
    BeregnTomRaekke(plan, raekke, tPasCache);
    return;
  }
  const uint32_t uger = plan->UgeAntal;
  TalPost *h = hoved && hoved <= plan->GrundTabAntal ? plan->GrundTab[hoved].TalTab : nullptr;
  // The employees' week sums, as AddPlanRaekkeTilSum1 finds them.
  TalPost *sum[2] = {nullptr, nullptr};
  if (plan->ObjTypeTab[raekke] != PLAN_SKEMA && r.Medarbejder1 && plan->PlanAnfoTab) {
    const uint32_t anfo[2] = {r.Medarbejder1, r.Medarbejder2};
    for (int i = 0; i < 2; ++i)
      if (anfo[i] && anfo[i] <= plan->PlanAnfoAntal) sum[i] = plan->PlanAnfoTab[anfo[i]].SumTalTab;
  }
  RaekkeSummer summer(plan, raekke, tPasCache, fra, til);
  const uint32_t foerste = summer.Foerste(), sidste = summer.Sidste();
  RaekkeNormer normer;
  const float f = 1.0f;
  const int fortegn = 1;
  for (uint32_t u = 0; u <= uger + 1; ++u) {
    TalPost &t = r.TalTab[u];
    if (timer && t.Lektioner) normer.Timer(r, t, onsdage[u]);
    if (h) {
      TalPost &o = h[u];
      o.Lektioner += fortegn * t.Lektioner;
      o.Timer1 += f * t.Timer1;
      o.Timer2 += f * t.Timer2;
      o.Timer += f * t.Timer;
      o.PostTimer += f * t.PostTimer;
      o.PostTimerFremmed += f * t.PostTimerFremmed;
      o.Rettearbejd += f * t.Rettearbejd;
      o.Elevtid += f * t.Elevtid;
      o.Eksametid += f * t.Eksametid;
    }
    // A week of nothing but +0 adds nothing to a sum that began at +0 and
    // has only been added to (no such sum is ever -0): the employees'
    // sums and the row's totals pass it by.
    if (Nul(t)) continue;
    if (u >= 1 && u <= uger) {
      for (int hvem = 0; hvem < 2; ++hvem) {
        if (!sum[hvem]) continue;
        LaegUgeTilAnfoSum(sum[hvem][u], t, fortegn, f, hvem == 1);
      }
    }
    if (u >= foerste && u <= sidste) summer.Uge(u, t);
  }
  summer.Slut();
}

}  // namespace

uint32_t gPlanLoebRaekker = 256;

namespace {

// The load's walk of OpretIndlaesteOverskrifter on worker threads, each
// figure written by one thread. The rows go in runs of consecutive rows.
// Each row's hours and totals are worked out by one thread (nothing of one
// row's hours or totals feeds another row); each heading and each
// employee's week sums belong to one thread, which adds the rows into it
// in row order as the one walk does, so every float sum is the same to the
// bit. A thread takes its share of a run's rows, then adds the run before
// it, once all of that run's rows are worked out, into what it owns: the
// run's weeks, just written, are still in the cache. Last, each thread
// works out the totals of the headings it added into.
// False, with nothing done, when the walk must stay on the calling
// thread: one thread would only read the weeks twice, and a lookup that
// would sort the pair table or an employment the period cache cannot keep
// would write what the other threads read.
bool IndlaesRaekkerPaaTraade(Plan *plan, uint32_t timerTil, uint32_t foer, const Overskrifter &overskrifter,
                             const std::vector<uint8_t> &igen, std::vector<uint8_t> &fik, const Onsdage &onsdage,
                             uint32_t fra, uint32_t til) {
  const uint32_t antal = plan->GrundTabAntal;
  const size_t traade = PlanArbejdere(antal);
  OpgUdsnitCache *cache = tPasCache;
  if (traade <= 1 || !cache || tvskph.fSorter) return false;
  for (uint32_t r = 1; r <= antal; ++r) {
    const uint32_t m = plan->GrundTab[r].Medarbejder1;
    if (GyldigRef(&tvanfo, m) && SkemaPeriode.AntalUger && !cache->Kendes(m)) return false;
  }
  enum : uint8_t { kIntet, kTimer, kFoeder, kFoederMedTimer, kTom };
  std::vector<uint8_t> slags(size_t(antal) + 1, kIntet);
  struct Tilfoej {
    uint32_t raekke;
    TalPost *hoved, *sum[2];
    uint8_t ejer[3];  // the thread that adds into hoved, sum[0], sum[1]
  };
  std::vector<Tilfoej> tilfoej;
  tilfoej.reserve(antal);
  for (uint32_t r = 1; r <= antal; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    uint32_t h = 0;
    if (!overskrifter.Foeder(r, &h)) {
      if (r <= timerTil && !g.ErSum && g.TalTab) slags[r] = kTimer;
      continue;
    }
    const uint32_t hoved = h && !igen[h] ? h : 0;
    if (hoved) fik[hoved] = 1;
    if (!g.TalTab) continue;
    if (r > foer) {
      slags[r] = kTom;
      continue;
    }
    slags[r] = r <= timerTil ? kFoederMedTimer : kFoeder;
    Tilfoej t{r, hoved && hoved <= antal ? plan->GrundTab[hoved].TalTab : nullptr, {nullptr, nullptr},
              {static_cast<uint8_t>(hoved % traade), 0, 0}};
    if (plan->ObjTypeTab[r] != PLAN_SKEMA && g.Medarbejder1 && plan->PlanAnfoTab) {
      const uint32_t anfo[2] = {g.Medarbejder1, g.Medarbejder2};
      for (int i = 0; i < 2; ++i)
        if (anfo[i] && anfo[i] <= plan->PlanAnfoAntal) {
          t.sum[i] = plan->PlanAnfoTab[anfo[i]].SumTalTab;
          t.ejer[1 + i] = static_cast<uint8_t>((anfo[i] + 1) % traade);
        }
    }
    if (t.hoved || t.sum[0] || t.sum[1]) tilfoej.push_back(t);
  }
  std::vector<uint32_t> hoveder;
  for (uint32_t r = 1; r <= antal; ++r)
    if (plan->GrundTab[r].ErSum && !igen[r] && plan->GrundTab[r].TalTab) hoveder.push_back(r);

  const std::vector<MaanedIndeks> &onsdag = OnsdagsMaaneder();
  const uint32_t uger = plan->UgeAntal;
  const uint32_t kLoeb = std::max<uint32_t>(1, gPlanLoebRaekker);
  constexpr uint32_t kBid = 16;
  const uint32_t loeb = (antal + kLoeb - 1) / kLoeb;
  // Where each run's rows begin in `tilfoej`.
  std::vector<size_t> tilfoejFra(size_t(loeb) + 1, tilfoej.size());
  for (size_t i = tilfoej.size(); i-- > 0;) tilfoejFra[(tilfoej[i].raekke - 1) / kLoeb] = i;
  for (size_t l = loeb; l-- > 0;) tilfoejFra[l] = std::min(tilfoejFra[l], tilfoejFra[l + 1]);
  std::vector<std::atomic<uint32_t>> naeste(loeb), klar(loeb);
  for (uint32_t l = 0; l < loeb; ++l) naeste[l].store(l * kLoeb + 1, std::memory_order_relaxed);
  for (uint32_t l = 0; l < loeb; ++l) klar[l].store(0, std::memory_order_relaxed);
  auto LoebRaekker = [&](uint32_t l) { return std::min(antal, (l + 1) * kLoeb) - l * kLoeb; };

  auto Raekke = [&](uint32_t r) {
    switch (slags[r]) {
      case kTimer: BeregnRaekkensUgeTimer(plan, r, onsdage); break;
      case kTom: BeregnTomRaekke(plan, r, cache, &onsdag); break;
      case kFoeder:
      case kFoederMedTimer: {
        GrundRaekke &g = plan->GrundTab[r];
        RaekkeSummer summer(plan, r, cache, fra, til, &onsdag);
        const uint32_t foerste = summer.Foerste(), sidste = summer.Sidste();
        const bool timer = slags[r] == kFoederMedTimer;
        RaekkeNormer normer;
        for (uint32_t u = 0; u <= uger + 1; ++u) {
          TalPost &w = g.TalTab[u];
          if (timer && w.Lektioner) normer.Timer(g, w, onsdage[u]);
          if (!Nul(w) && u >= foerste && u <= sidste) summer.Uge(u, w);
        }
        summer.Slut();
        break;
      }
      default: break;
    }
  };
  PaaPlanTraade(traade, [&](size_t t) {
    for (uint32_t l = 0; l <= loeb; ++l) {
      if (l < loeb) {
        const uint32_t slut = std::min(antal, (l + 1) * kLoeb);
        for (;;) {
          const uint32_t fraR = naeste[l].fetch_add(kBid, std::memory_order_relaxed);
          if (fraR > slut) break;
          const uint32_t tilR = std::min(slut, fraR + kBid - 1);
          for (uint32_t r = fraR; r <= tilR; ++r) {
            if (r + 2 <= tilR) ForhentRaekkeUger(plan, r + 2);
            Raekke(r);
          }
          if (klar[l].fetch_add(tilR - fraR + 1, std::memory_order_acq_rel) + (tilR - fraR + 1) == LoebRaekker(l))
            klar[l].notify_all();
        }
      }
      if (l > 0) {
        // The run's rows are all worked out before any is added.
        for (int spin = 0;; ++spin) {
          const uint32_t v = klar[l - 1].load(std::memory_order_acquire);
          if (v == LoebRaekker(l - 1)) break;
          if (spin > 64) klar[l - 1].wait(v, std::memory_order_acquire);
        }
        for (size_t i = tilfoejFra[l - 1]; i < tilfoejFra[l]; ++i) {
          const Tilfoej &a = tilfoej[i];
          const TalPost *w = plan->GrundTab[a.raekke].TalTab;
          if (a.hoved && a.ejer[0] == t)
            for (uint32_t u = 0; u <= uger + 1; ++u) {
              TalPost &o = a.hoved[u];
              o.Lektioner += w[u].Lektioner;
              o.Timer1 += 1.0f * w[u].Timer1;
              o.Timer2 += 1.0f * w[u].Timer2;
              o.Timer += 1.0f * w[u].Timer;
              o.PostTimer += 1.0f * w[u].PostTimer;
              o.PostTimerFremmed += 1.0f * w[u].PostTimerFremmed;
              o.Rettearbejd += 1.0f * w[u].Rettearbejd;
              o.Elevtid += 1.0f * w[u].Elevtid;
              o.Eksametid += 1.0f * w[u].Eksametid;
            }
          for (int hvem = 0; hvem < 2; ++hvem) {
            if (!a.sum[hvem] || a.ejer[1 + hvem] != t) continue;
            for (uint32_t u = 1; u <= uger; ++u)
              if (!Nul(w[u])) LaegUgeTilAnfoSum(a.sum[hvem][u], w[u], 1, 1.0f, hvem == 1);
          }
        }
      }
    }
    // A heading's totals by the thread that added into it, once it has
    // added every row.
    for (const uint32_t h : hoveder) {
      if (h % traade != t) continue;
      if (fik[h])
        BeregnRaekke(plan, h, cache, &onsdag);
      else
        BeregnTomRaekke(plan, h, cache, &onsdag);
    }
  });
  return true;
}

}  // namespace

void OpretIndlaesteOverskrifter(Plan *plan, uint32_t timerTil) {
  PlanLaas laas;
  // The rows made next come clean from the row store and nothing writes
  // their weeks before the walk below.
  const uint32_t foer = plan->GrundTabAntal;
  LavOverskriftRaekker(plan);
  RaekkeSumPas pas;
  NulstilAnfoSummer(plan);
  const Overskrifter overskrifter(plan);
  // The headings the row layout zeroes and sums again in the order it
  // shows their rows: what was added to them here would be thrown away.
  // The load's headings are new or had nothing added, so the others need
  // no zeroing either.
  const uint32_t antal = plan->GrundTabAntal;
  std::vector<uint8_t> igen(size_t(antal) + 1, 0);
  for (uint32_t h = 1; h <= antal; ++h) igen[h] = OverskriftSummeresIRaekker(plan, h) ? 1 : 0;
  std::vector<uint8_t> fik(size_t(antal) + 1, 0);  // headings a row added to
  // A row's weeks are the bulk of what it holds and do not stay in the
  // cache from one pass over all rows to the next: its hours, its totals
  // and what it adds to its heading and its employees are taken while
  // they are at hand. Nothing of one row's hours feeds another row's.
  const Onsdage onsdage;
  TalMutexForPas tal;
  ForhentUger(plan, 1);
  ForhentUger(plan, 2);
  uint32_t fra, til;
  GruppeUger(plan, &fra, &til);
  if (IndlaesRaekkerPaaTraade(plan, timerTil, foer, overskrifter, igen, fik, onsdage, fra, til)) return;
  for (uint32_t r = 1; r <= antal; ++r) {
    ForhentUger(plan, r + 2);
    uint32_t h = 0;
    if (!overskrifter.Foeder(r, &h)) {
      if (r <= timerTil) BeregnRaekkensUgeTimer(plan, r, onsdage);
      continue;
    }
    const uint32_t hoved = h && !igen[h] ? h : 0;
    if (hoved) fik[hoved] = 1;
    IndlaesRaekke(plan, r, hoved, r <= timerTil, onsdage, fra, til, r > foer);
  }
  // A heading no row added to holds the +0 it was handed out with: every
  // step before leaves the headings' weeks alone.
  for (uint32_t r = 1; r <= antal; ++r) {
    if (!plan->GrundTab[r].ErSum || igen[r]) continue;
    if (fik[r])
      BeregnRaekke(plan, r);
    else
      BeregnTomRaekke(plan, r, tPasCache);
  }
}

void SummerOverskrifterPaaTraade(Plan *plan, const std::vector<uint32_t> &hoveder,
                                 const std::vector<uint32_t> &start, const std::vector<uint32_t> &raekker) {
  const size_t antal = hoveder.size();
  OpgUdsnitCache *cache = tPasCache;
  size_t traade = PlanArbejdere(plan->GrundTabAntal);
  // The employments' periods are asked here, on the thread that owns the
  // cache: the workers only read it.
  for (size_t i = 0; i < antal && traade > 1; ++i) {
    const uint32_t h = hoveder[i];
    const uint32_t m = h && h <= plan->GrundTabAntal ? plan->GrundTab[h].Medarbejder1 : 0;
    if (!cache || tvskph.fSorter || (GyldigRef(&tvanfo, m) && SkemaPeriode.AntalUger && !cache->Kendes(m))) traade = 1;
  }
  const std::vector<MaanedIndeks> &onsdag = OnsdagsMaaneder();
  std::atomic<size_t> naeste{0};
  constexpr size_t kBid = 8;
  PaaPlanTraade(traade, [&](size_t) {
    for (;;) {
      const size_t fra = naeste.fetch_add(kBid, std::memory_order_relaxed);
      if (fra >= antal) break;
      for (size_t i = fra; i < std::min(antal, fra + kBid); ++i) {
        const uint32_t h = hoveder[i];
        for (uint32_t j = start[i]; j < start[i + 1]; ++j) {
          if (j + 1 < start[i + 1]) ForhentRaekkeUger(plan, raekker[j + 1]);
          FlytUgeTal(plan, h, raekker[j], 1);
        }
        BeregnRaekke(plan, h, cache, &onsdag);
      }
    }
  });
}

void LaesSkemaLektioner(Plan *plan) {
  const uint32_t perioder = TalDim.W;
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    if (plan->ObjTypeTab[r] != PLAN_SKEMA) continue;
    GrundRaekke &g = plan->GrundTab[r];
    g.SumLektioner = 0;
    g.SumTimer2 = 0.0f;
    const uint32_t anfo = g.Medarbejder1;
    for (uint32_t u = 1; g.TalTab && u <= plan->UgeAntal; ++u) {
      TalPost &t = g.TalTab[u];
      t.SkemaLektioner = 0;
      t.SkemaTimer = 0.0f;
      if (!MedTalUgeTab || anfo >= TalDim.F || u > perioder) continue;
      const MedTalUgeCelle &c = MedTalUgeTab[size_t(anfo) * (perioder + 1) + u];
      const int64_t v = static_cast<int32_t>(c.Lektioner);
      t.SkemaLektioner = static_cast<uint32_t>(RundTilHeleTimer(v) / 1000 * 10);
      t.SkemaTimer = c.Timer / 1000.0f;
    }
  }
}

void HentSkemaLektioner(Plan *plan) {
  LaesSkemaLektioner(plan);
  const Onsdage onsdage;
  TalMutexForPas tal;
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) BeregnRaekkensUgeTimer(plan, r, onsdage);
}

void HentSkemaTimer(Plan *plan) {
  // The events add into one sum per asked activity (kind 1) and one per
  // asked activity and subject (kinds 2 and 23); the rows take their sums at
  // the end. Adding into the rows per event would touch a row record for
  // every asking row of every event.
  std::vector<uint32_t> aktiPlads(tvakti.wRecCnt, 0);  // activity -> slot from 1
  // The asked subjects numbered from 1, and per slot and subject number the
  // sum from 1 (0: no row asks), a dense table over the asked pairs only.
  std::unordered_map<uint32_t, uint32_t> fagNr;
  std::vector<std::pair<uint32_t, uint32_t>> fagRaekker;  // (row, subject number)
  std::vector<uint64_t> aktiSum(1, 0), fagSum(1, 0);
  std::vector<std::tuple<uint32_t, bool, uint32_t>> raekkeKilde;  // (row, by subject, sum)
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const uint32_t art = plan->ObjTypeTab[r];
    GrundRaekke &g = plan->GrundTab[r];
    if (art != PLAN_AKTI && art != PLAN_FAG && art != PLAN_FREMMED_FAG) continue;
    g.SkemaTimerIalt = 0;
    if (g.Aktivitet >= tvakti.wRecCnt) continue;
    uint32_t &plads = aktiPlads[g.Aktivitet];
    if (!plads) {
      plads = static_cast<uint32_t>(aktiSum.size());
      aktiSum.push_back(0);
    }
    if (art == PLAN_AKTI)
      raekkeKilde.emplace_back(r, false, plads);
    else
      fagRaekker.emplace_back(r, fagNr.try_emplace(g.Skolefag, static_cast<uint32_t>(fagNr.size() + 1)).first->second);
  }
  const size_t fagAntal = fagNr.size() + 1;
  std::vector<uint32_t> fagPlads(aktiSum.size() * fagAntal, 0);
  for (const auto &[r, nr] : fagRaekker) {
    uint32_t &sum = fagPlads[aktiPlads[plan->GrundTab[r].Aktivitet] * fagAntal + nr];
    if (!sum) {
      sum = static_cast<uint32_t>(fagSum.size());
      fagSum.push_back(0);
    }
    raekkeKilde.emplace_back(r, true, sum);
  }
  if (raekkeKilde.empty()) return;
  // Who is a star employee and which role is a sickness, asked once per
  // employment and role before the walk.
  std::vector<uint8_t> stjerne(tvanfo.wRecCnt, 0), syg(tvskemarol.wRecCnt, 0);
  for (uint32_t n = 1; n < stjerne.size(); ++n) stjerne[n] = IsStjerneMeda(n) ? 1 : 0;
  for (uint32_t n = 1; n < syg.size(); ++n) {
    char kode[AKTTYPE_LEN] = "";
    HentSkemarolAktivitetstype(n, kode, sizeof kode);
    kode[sizeof kode - 1] = '\0';
    syg[n] = ErSygdomKode(kode) ? 1 : 0;
  }
  const uint32_t fra = std::max(PlanUgeIndeks(plan->Fradato), 1u);
  const uint32_t til = std::min(PlanUgeIndeks(plan->Tildato), SkemaPeriode.AntalUger);
  const uint32_t gFra = DatoTilDagNr(plan->Fradato), gTil = DatoTilDagNr(plan->Tildato);
  const bool lektioner = GlobalIndstillinger.standardlektion && GlobalIndstillinger.standardlektionslengde > 0;
  std::vector<uint32_t> aktier;
  for (uint32_t u = fra; u <= til; ++u) {
    const Uge uge = IndeksTilUge(u);
    const TabVar *tv = SkemabegBucket(uge);
    if (!tv || !tv->pbTab) continue;
    const uint32_t mandag = DatoTilDagNr(UgeDagTilDato(uge, 1));
    const SkeRec *rk = reinterpret_cast<const SkeRec *>(tv->pbTab);
    for (uint32_t i = 1; i < tv->wRecCnt;) {
      // One event: its rows lie together from its first row.
      uint32_t j = i + 1;
      while (j < tv->wRecCnt && rk[j].Forste == i && rk[j].id == rk[i].id) ++j;
      const SkeRec &f = rk[i];
      const uint32_t status = f.Status;
      const uint32_t dag = mandag + f.Dag - 1u;
      if (f.Forste != i || (status & 0x48) != 0x40 || f.Dag < 1 || f.Dag > 7 || dag < gFra || dag > gTil) {
        i = j;
        continue;
      }
      aktier.clear();
      uint32_t skfa = 0, deltagere = 0, syge = 0;
      for (uint32_t k = i; k < j; ++k) {
        const SkeRec &x = rk[k];
        const uint32_t akti = x.akti_id, anfo = x.anfo_id, rol = x.skemarol_id;
        if (!skfa) skfa = x.skfa_id;
        if (akti && akti < aktiPlads.size() && aktiPlads[akti] &&
            std::find(aktier.begin(), aktier.end(), akti) == aktier.end())
          aktier.push_back(akti);
        if (anfo == 0 || anfo >= stjerne.size() || !stjerne[anfo]) ++deltagere;
        if (rol < syg.size() && syg[rol]) ++syge;
      }
      if (aktier.empty()) {
        i = j;
        continue;
      }
      if (deltagere > syge) {
        double timer = 1.0;
        const float antal = f.Antal_std_lektioner;
        if (antal > 0.0f) {
          timer = antal;
        } else if (lektioner) {
          timer = static_cast<double>(MinutterMellem(f.Starttid, f.Sluttid)) /
                  static_cast<double>(GlobalIndstillinger.standardlektionslengde);
        }
        // Half away from zero, as llround, without the library call per event.
        const double x = timer * 1000.0;
        const uint32_t tusinde = static_cast<uint32_t>(x >= 0.0 ? static_cast<int64_t>(x + 0.5)
                                                                : -static_cast<int64_t>(0.5 - x));
        const auto fn = fagNr.find(skfa);
        const uint32_t nr = fn == fagNr.end() ? 0 : fn->second;
        for (uint32_t akti : aktier) {
          const uint32_t plads = aktiPlads[akti];
          aktiSum[plads] += tusinde;
          if (nr) fagSum[fagPlads[plads * fagAntal + nr]] += tusinde;  // sum 0 collects the unasked pairs
        }
      }
      i = j;
    }
  }
  for (const auto &[r, fag, sum] : raekkeKilde)
    plan->GrundTab[r].SkemaTimerIalt = static_cast<uint32_t>(fag ? fagSum[sum] : aktiSum[sum]);
}

namespace {

// A posting read, with the number of its row's key in its run of months.
struct PostLaest {
  uint32_t noegle, uge;
  float h;
  uint8_t ejer;
  uint8_t egen;
};
// A run's keys (employment, activity and kind) in the order first met,
// with the owner of the first posting.
struct PostNoegle {
  uint32_t anfo, akti, art;
  uint8_t ejer;
};
struct PostRun {
  std::vector<PostLaest> laest;
  std::vector<PostNoegle> noegler;
};

// Whether FindPgRel(0, anfo, 'M') finds a membership, for every employment
// in one pass over the memberships rather than one per employment; taken
// on the thread that may change them, so that a reading on another thread
// never reads the table.
struct PostMedlemmer {
  std::vector<uint8_t> medlem;
  std::vector<uint32_t> ud;  // members beyond the employments' table, sorted
  PostMedlemmer() : medlem(tvanfo.wRecCnt, 0) {
    for (uint32_t n = 1; n < tvffpgrel.wRecCnt; ++n) {
      const FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
      if (!PlanRecIBrug(r->Status) || !r->anfo_id) continue;
      if (r->anfo_id < medlem.size())
        medlem[r->anfo_id] = 1;
      else
        ud.push_back(r->anfo_id);
    }
    std::sort(ud.begin(), ud.end());
    ud.erase(std::unique(ud.begin(), ud.end()), ud.end());
  }
  bool operator()(uint32_t anfo) const {
    return anfo < medlem.size() ? medlem[anfo] == 1 : std::binary_search(ud.begin(), ud.end(), anfo);
  }
  bool operator==(const PostMedlemmer &) const = default;
};

struct PostMaaned {
  const TimoakRaekke *rk;
  uint32_t antal;
  bool operator==(const PostMaaned &) const = default;
};

// The runs' lists are kept from one reading to the next: a reload reads as
// many postings again, and fresh memory of that size costs a page fault a
// page. One reading holds them at a time; another meanwhile makes its own.
std::mutex gPostRunsLaas;
std::vector<PostRun> gPostRuns;

}  // namespace

// The postings of the schedule period that count for the plan, read in a
// few runs of months, each run into its own list: a posting's hours and
// week are its own, and the activities' minute norms and the memberships
// are only read. What it reads is the month buckets, the activities and
// their norms, and the memberships taken when it is made.
struct PostLaesning {
  PostMedlemmer medlemmer;
  uint8_t egen = PlanEgenInst();
  uint32_t ugeAntal;
  std::vector<PostMaaned> maaneder;
  size_t iAlt = 0;
  size_t laesere = 1;
  std::vector<PostRun> runs;

  explicit PostLaesning(uint32_t antalUger) : ugeAntal(antalUger) {
    for (MaanedIndeks mi = 1; mi <= SkemaPeriode.AntalMaaneder; ++mi) {
      const TabVar *tv = TimoakBucket(IndeksTilMaaned(mi));
      if (!tv || !tv->pbTab) continue;
      maaneder.push_back({reinterpret_cast<const TimoakRaekke *>(tv->pbTab), tv->wRecCnt});
      iAlt += tv->wRecCnt;
    }
    laesere = std::max<size_t>(1, std::min(PlanArbejdere(iAlt / 16), maaneder.size()));
    {
      const std::lock_guard<std::mutex> l(gPostRunsLaas);
      runs.swap(gPostRuns);
    }
    if (runs.size() < laesere) runs.resize(laesere);
  }
  ~PostLaesning() {
    const std::lock_guard<std::mutex> l(gPostRunsLaas);
    if (runs.size() > gPostRuns.size()) runs.swap(gPostRuns);
  }
  PostLaesning(const PostLaesning &) = delete;
  PostLaesning &operator=(const PostLaesning &) = delete;

  // Still what a reading made now would read.
  bool Gaelder(uint32_t antalUger) const {
    if (antalUger != ugeAntal || egen != PlanEgenInst()) return false;
    const PostLaesning nu(antalUger, true);
    return nu.maaneder == maaneder && nu.medlemmer == medlemmer;
  }

  void Laes() {
    std::vector<size_t> graenser{0};
    size_t sum = 0;
    for (size_t m = 0; m < maaneder.size() && graenser.size() < laesere; ++m) {
      sum += maaneder[m].antal;
      if (sum * laesere >= iAlt * graenser.size()) graenser.push_back(m + 1);
    }
    while (graenser.size() <= laesere) graenser.push_back(maaneder.size());
    graenser.back() = maaneder.size();
    PaaPlanTraade(laesere, [this, &graenser](size_t t) {
      LaesRun(maaneder.data() + graenser[t], maaneder.data() + graenser[t + 1], runs[t]);
    });
  }

 private:
  // Only the months and the memberships, for Gaelder.
  PostLaesning(uint32_t antalUger, bool) : ugeAntal(antalUger) {
    for (MaanedIndeks mi = 1; mi <= SkemaPeriode.AntalMaaneder; ++mi) {
      const TabVar *tv = TimoakBucket(IndeksTilMaaned(mi));
      if (tv && tv->pbTab) maaneder.push_back({reinterpret_cast<const TimoakRaekke *>(tv->pbTab), tv->wRecCnt});
    }
  }

  void LaesRun(const PostMaaned *fra, const PostMaaned *til, PostRun &run) const {
    // Per activity: the postings of several activities come mixed.
    struct Minutnorm {
      bool kendt = false;
      DatoSpan span;
      float norm = 0.0f;
    };
    auto plads = [](uint32_t art) { return art == PLAN_POST ? 0 : 1; };
    std::vector<PostLaest> &laest = run.laest;
    laest.clear();
    run.noegler.clear();
    PostRaekker lokale;  // a key's number + 1 in the slot of its kind
    uint32_t sidsteAnfo = 0, sidsteAkti = 0, sidsteArt = 0, sidsteNr = 0;
    Dato sidsteDato = 0;
    uint32_t sidsteUge = 0;
    std::vector<Minutnorm> minutnormer(tvakti.wRecCnt + 1);
    Minutnorm udenfor;
    for (const PostMaaned *m = fra; m != til; ++m) {
      const TimoakRaekke *rk = m->rk;
      for (uint32_t i = 1; i < m->antal; ++i) {
        const TimoakRaekke &p = rk[i];
        const Dato dato = p.Dato;
        if ((p.Status & 0x48) != 0x40 || dato < SkemaPeriode.FraDato || dato > SkemaPeriode.TilDato) continue;
        const uint32_t anfo = p.anfo_id, akti = p.akti_id;
        if (!medlemmer(anfo)) continue;
        const char art = p.Type;
        const float v = static_cast<float>(p.Timer);
        float h = 0.0f;
        // The kinds by a switch, not a search of a string per posting.
        const bool timer = art == 'A' || art == 'F' || art == 'H' || art == 'P';
        const bool direkte = art == 'a' || art == 'b' || art == 'e' || art == 'f' || art == 'h' || art == 'k' ||
                             art == 'p' || art == 'r';
        if (timer) {
          Minutnorm &minutnorm = akti < minutnormer.size() ? minutnormer[akti] : (udenfor = Minutnorm{});
          if (!minutnorm.kendt || !minutnorm.span.Holder(dato)) {
            minutnorm.span = DatoSpan{};
            uint8_t plus = 0;
            if (!AktiMinutnorm(dato, akti, &minutnorm.norm, &plus, &minutnorm.span)) minutnorm.norm = 60.0f;
            minutnorm.kendt = true;
          }
          h = v * minutnorm.norm / 60.0f / 100.0f;
        } else if (direkte) {
          h = v / 100.0f;
        } else {
          continue;
        }
        if (dato != sidsteDato) {
          Uge ugeNr = 0;
          DatoTilUge(dato, &ugeNr, nullptr);
          sidsteUge = UgeTilIndeks(ugeNr);
          sidsteDato = dato;
        }
        const uint32_t u = sidsteUge;
        if (u < 1 || u > ugeAntal) continue;
        const bool egenPost = p.Ejer == egen;
        const uint32_t kind = egenPost ? PLAN_POST : PLAN_FREMMED_OPG_TIMER;
        if (sidsteArt == 0 || anfo != sidsteAnfo || akti != sidsteAkti || kind != sidsteArt) {
          uint32_t &nr = lokale.Tag((uint64_t(anfo) << 32) | akti).raekke[plads(kind)];
          if (nr == 0) {
            run.noegler.push_back({anfo, akti, kind, p.Ejer});
            nr = static_cast<uint32_t>(run.noegler.size());
          }
          sidsteAnfo = anfo;
          sidsteAkti = akti;
          sidsteArt = kind;
          sidsteNr = nr - 1;
        }
        laest.push_back({sidsteNr, u, h, p.Ejer, static_cast<uint8_t>(egenPost ? 1 : 0)});
      }
    }
  }
};

namespace {

// The reading ahead of the load on this thread, while one lives.
thread_local PosteringerForud *tPostForud = nullptr;

}  // namespace

PosteringerForud::PosteringerForud(const Plan *plan) : foer_(tPostForud) {
  tPostForud = this;
  laesning_ = new PostLaesning(plan->UgeAntal);
  // One run is read where it is asked for: another thread would only add
  // its handing over.
  if (laesning_->laesere < 2) {
    delete laesning_;
    laesning_ = nullptr;
    return;
  }
  StartPlanParti(&parti_, 2, [](void *l, size_t) { static_cast<PostLaesning *>(l)->Laes(); }, laesning_);
  startet_ = true;
}

PosteringerForud::~PosteringerForud() {
  if (startet_) VentPaaPlanParti(&parti_);
  delete laesning_;
  tPostForud = foer_;
}

PostLaesning *PosteringerForud::Tag(const Plan *plan) {
  if (startet_) VentPaaPlanParti(&parti_);
  startet_ = false;
  PostLaesning *l = laesning_;
  laesning_ = nullptr;
  if (l && !l->Gaelder(plan->UgeAntal)) {
    delete l;
    l = nullptr;
  }
  return l;
}

void HentPosteringer(Plan *plan) {
  PlanLaas laas;
  // The rows of kinds 15 (own postings) and 35 (another installation's)
  // by employment and activity, one slot per kind: the postings change
  // employment and activity often, and some employments have long lists.
  PostRaekker postRaekker;
  auto plads = [](uint32_t art) { return art == PLAN_POST ? 0 : 1; };
  auto find = [&](uint32_t anfo, uint32_t akti, uint32_t art) -> uint32_t {
    const PostRaekker::Post *p = postRaekker.Find((uint64_t(anfo) << 32) | akti);
    return p ? p->raekke[plads(art)] : 0;
  };
  auto tilfoej = [&](uint32_t anfo, uint32_t akti, uint32_t art, uint32_t r) {
    postRaekker.Tag((uint64_t(anfo) << 32) | akti).raekke[plads(art)] = r;
  };
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const uint32_t art = plan->ObjTypeTab[r];
    if (art != PLAN_POST && art != PLAN_FREMMED_OPG_TIMER) continue;
    GrundRaekke &g = plan->GrundTab[r];
    for (uint32_t u = 0; g.TalTab && u <= plan->UgeAntal + 1; ++u) {
      TalPost &t = g.TalTab[u];
      t.Ejer = 0;
      t.PostTimer = t.PostTimerFremmed = t.PostTimerIalt = 0.0f;
      t.PlanStatus = 0;
    }
    if (!find(g.Medarbejder1, g.Aktivitet, art)) tilfoej(g.Medarbejder1, g.Aktivitet, art, r);
  }
  // What neighbouring postings share is worked out once: an employment's
  // membership, a date's week, an activity's minute norm over the dates
  // that give it, and the row of the last posting. The rows are found and
  // numbered after, over the runs in month order, as one pass over the
  // months would.
  std::unique_ptr<PostLaesning> laesning(tPostForud ? tPostForud->Tag(plan) : nullptr);
  if (!laesning) {
    laesning = std::make_unique<PostLaesning>(plan->UgeAntal);
    laesning->Laes();
  }
  const size_t laesere = laesning->laesere;
  std::vector<PostRun> &mine = laesning->runs;
  const std::vector<PostRun> &runs = mine;
  using Laest = PostLaest;
  using Noegle = PostNoegle;
  // The postings are first put on their rows, then added row by row in the
  // order they came: added as they come, each would land on another row's
  // weeks, and a large school's rows do not stay in the cache.
  struct Post {
    uint32_t raekke;
    uint32_t uge;
    float h;
    uint8_t ejer;
    uint8_t egen;
  };
  // Kept as the runs above.
  thread_local std::vector<Post> sorteret;
  thread_local std::vector<std::vector<uint32_t>> pladser;
  // The rows a posting asks for that are not there yet, in the order asked:
  // row GrundTabAntal + 1 + i is the i-th of them. Each has a posting.
  struct NyRaekke {
    uint32_t anfo, akti, art;
    uint8_t ejer;
  };
  std::vector<NyRaekke> nye;
  // Each run's keys their rows, the runs in month order: a key first met in
  // a run was met by no run before it.
  std::vector<std::vector<uint32_t>> raekkeAf(laesere);
  size_t antalPoster = 0;
  for (size_t t = 0; t < laesere; ++t) {
    antalPoster += runs[t].laest.size();
    for (const Noegle &k : runs[t].noegler) {
      uint32_t r = find(k.anfo, k.akti, k.art);
      if (r == 0) {
        // Numbered now, made when its postings are added: made here, its
        // week table would be out of the cache again by then.
        r = plan->GrundTabAntal + 1 + static_cast<uint32_t>(nye.size());
        nye.push_back({k.anfo, k.akti, k.art, k.ejer});
        tilfoej(k.anfo, k.akti, k.art, r);
      }
      raekkeAf[t].push_back(r);
    }
  }
  // Stable by row: each row's postings keep their order. Each run counts
  // and places its own postings, on its own thread: a row's postings of an
  // earlier run go before those of a later one.
  const uint32_t foer = plan->GrundTabAntal;
  const uint32_t raekker = foer + static_cast<uint32_t>(nye.size());
  // Per run and row, where the row's next posting of the run goes.
  if (pladser.size() < laesere) pladser.resize(laesere);
  // This thread's lists: the names read on a helper thread are its own.
  std::vector<std::vector<uint32_t>> &minePladser = pladser;
  std::vector<Post> &minSortering = sorteret;
  PaaPlanTraade(laesere, [&mine, &minePladser, &raekkeAf, raekker](size_t t) {
    std::vector<uint32_t> &c = minePladser[t];
    c.assign(size_t(raekker) + 1, 0);
    for (const Laest &p : mine[t].laest) ++c[raekkeAf[t][p.noegle]];
  });
  uint32_t pos = 0;
  for (uint32_t r = 0; r <= raekker; ++r)
    for (size_t t = 0; t < laesere; ++t) {
      const uint32_t n = minePladser[t][r];
      minePladser[t][r] = pos;
      pos += n;
    }
  // The postings themselves are moved, not their numbers: the walk below
  // then reads them in a row, not from all over the list.
  sorteret.resize(antalPoster);
  PaaPlanTraade(laesere, [&mine, &minePladser, &raekkeAf, &minSortering](size_t t) {
    std::vector<uint32_t> &c = minePladser[t];
    for (const Laest &p : mine[t].laest) {
      const uint32_t r = raekkeAf[t][p.noegle];
      minSortering[c[r]++] = {r, p.uge, p.h, p.ejer, p.egen};
    }
  });
  // The new rows are made in the order numbered, their tables left to the
  // walk below, which clears each at the row's first posting: made with
  // their tables cleared here, the tables would be out of the cache again
  // by then.
  {
    const UdsatRaekkeNulstilling udsat;
    for (const NyRaekke &ny : nye) {
      FfgrundRec rec{};
      rec.ObjType = ny.art;
      rec.ffpg_id = plan->AktPlanGruppe;
      rec.Aktivitet = ny.akti;
      rec.Medarbejder1 = ny.anfo;
      rec.Minutnorm1 = rec.Minutnorm2 = -1.0f;
      rec.Ejer = ny.ejer;
      const uint32_t r = NyPlanRaekke(plan, &rec, 0, false);
      TAVO_ASSERT(r > foer && r <= raekker);
      (void)r;
    }
  }
  // Each row's postings are added by one thread in their order, the rows
  // split over a few threads on a large plan at the bounds between rows.
  // This thread's list: the name read on a helper thread is that thread's own.
  const std::vector<Post> &liste = sorteret;
  auto tilfoejPoster = [plan, foer, &liste](size_t fra, size_t til) {
    // The week entries a few postings on are asked for ahead: the rows'
    // weeks lie far apart.
    constexpr size_t kFrem = 8;
    for (size_t n = fra; n < til; ++n) {
      if (n + kFrem < til) {
        const Post &f = liste[n + kFrem];
        tavo::Prefetch(&plan->GrundTab[f.raekke].TalTab[f.uge]);
      }
      const Post &p = liste[n];
      if (p.raekke > foer && (n == fra || liste[n - 1].raekke != p.raekke)) NulstilRaekkeTabeller(plan, p.raekke);
      TalPost &t = plan->GrundTab[p.raekke].TalTab[p.uge];
      t.Ejer = p.ejer;
      if (p.h != 0.0f) {
        if (p.egen) {
          t.PostTimer += p.h;
          t.PlanStatus |= PS_POSTERET;
        } else {
          t.PostTimerFremmed += p.h;
          t.PlanStatus |= PS_POSTERET | PS_FREMMED;
        }
      }
      t.PostTimerIalt += p.h;
    }
  };
  const size_t traade = PlanArbejdere(raekker);
  std::vector<size_t> graenser{0};
  for (size_t t = 1; t < traade; ++t) {
    size_t g = std::max(graenser.back(), sorteret.size() * t / traade);
    while (g > 0 && g < sorteret.size() && sorteret[g].raekke == sorteret[g - 1].raekke) ++g;
    graenser.push_back(g);
  }
  graenser.push_back(sorteret.size());
  PaaPlanTraade(traade, [&](size_t t) { tilfoejPoster(graenser[t], graenser[t + 1]); });
}

void BygAktiSkph(Plan *plan) {
  PlanLaas laas;
  if (!plan->PlanAktiTab) return;
  // Each activity's pairs in record order, by a counting sort over the
  // activities: a list per activity cost an allocation per activity.
  const uint32_t aktier = plan->PlanAktiAntal + 1;
  std::vector<uint32_t> start(size_t(aktier) + 1, 0), akti(tvskph.wRecCnt, UINT32_MAX);
  for (uint32_t i = 0; plan->PlanSkphTab && i <= plan->PlanSkphAntal; ++i) plan->PlanSkphTab[i] = PlanSkphPost{};
  for (uint32_t n = 1; n < tvskph.wRecCnt; ++n) {
    const SkphRec *p = TabRec<SkphRec>(tvskph, n);
    if (p->Status == 0 || StatusKlasse(p->Status) != KLASSE_AKTUEL) continue;
    const uint32_t a = p->akti_id, skfa = p->skfa_id;
    if (a < aktier) {
      akti[n] = a;
      ++start[a + 1];
    }
    if (plan->PlanSkphTab && n <= plan->PlanSkphAntal) plan->PlanSkphTab[n] = {1, a, skfa};
  }
  for (uint32_t a = 1; a <= aktier; ++a) start[a] += start[a - 1];
  std::vector<uint32_t> par(start[aktier]);
  {
    std::vector<uint32_t> pos(start.begin(), start.end() - 1);
    for (uint32_t n = 1; n < tvskph.wRecCnt; ++n)
      if (akti[n] != UINT32_MAX) par[pos[akti[n]]++] = n;
  }
  SkphOrdner ordner;
  for (uint32_t a = 0; a < aktier; ++a) {
    PlanAktiPost &e = plan->PlanAktiTab[a];
    const uint32_t antal = start[a + 1] - start[a];
    // A reload mostly finds the same number of pairs: the list is written
    // over in its own memory.
    if (!e.SkphTab || e.SkphAntal != antal || antal == 0) {
      free(e.SkphTab);
      e.SkphTab = nullptr;
      e.SkphAntal = antal;
      if (antal == 0) continue;
      e.SkphTab = Alloker<uint32_t>(size_t(antal) + 1);
      TAVO_ASSERT(e.SkphTab != NULL && "Plan->PlanAktiTab[Idx].SkphTab != NULL");
    }
    e.SkphTab[0] = 0;
    std::copy(par.begin() + start[a], par.begin() + start[a + 1], e.SkphTab + 1);
    ordner.Sorter(e.SkphTab, e.SkphAntal);
  }
}

void BygAnfoSkfaKryds(Plan *plan) {
  PlanLaas laas;
  const uint32_t anfoer = tvanfo.wRecCnt + 1, fag = tvskfa.wRecCnt + 1;
  free(plan->AnfoSkfaKrydsTab);
  plan->AnfoSkfaKrydsTab = Alloker<uint16_t>(size_t(anfoer) * fag);
  TAVO_ASSERT(plan->AnfoSkfaKrydsTab != NULL && "Plan->AnfoSkfaKrydsTab != NULL");
  plan->KrydsAnfoAntal = anfoer;
  plan->KrydsFagAntal = fag;
  for (uint32_t u = 1; u <= SkemaPeriode.AntalUger; ++u) {
    const TabVar *tv = SkemabegBucket(IndeksTilUge(u));
    if (!tv || !tv->pbTab) continue;
    const SkeRec *rk = reinterpret_cast<const SkeRec *>(tv->pbTab);
    for (uint32_t i = 1; i < tv->wRecCnt; ++i) {
      const uint32_t anfo = rk[i].anfo_id, skfa = rk[i].skfa_id;
      if ((rk[i].Status & 0x48) != 0x40 || !anfo || !skfa || anfo >= anfoer || skfa >= fag) continue;
      uint16_t &c = plan->AnfoSkfaKrydsTab[size_t(anfo) * fag + skfa];
      if (c < UINT16_MAX) ++c;
    }
  }
}

// ---- Staff figures ----

bool AnfoIPlanGruppe(const Plan *plan, uint32_t anfo) {
  const AnfoRec *a = anfo ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  return a && a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & 0x80000000u) && a->Fradato <= plan->Tildato &&
         a->Tildato >= plan->Fradato && FindPgRel(plan->AktPlanGruppe, anfo, 'M') != 0;
}

void BeregnMedarbejderTal(Plan *plan, uint32_t anfo) {
  const AnfoRec *a = anfo ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  if (!a || (a->Status != 10 && a->Status != 30) || !plan->PlanAnfoTab || anfo > plan->PlanAnfoAntal) return;
  const MedTalMaaned *mt = MedTalFor(anfo);
  if (!mt) return;
  PlanAnfoPost &e = plan->PlanAnfoTab[anfo];
  const uint32_t gFra = PlanUgeIndeks(plan->Fradato), gTil = PlanUgeIndeks(plan->Tildato);
  Dato ref = PlanRefDato();
  if (PlanUgeIndeks(ref) < gFra) ref = plan->Fradato;
  else if (PlanUgeIndeks(ref) > gTil) ref = plan->Tildato;
  MaanedIndeks mf = 0, ms = 0;
  int32_t norm = 0;
  GetOpgPerMonths(ref, anfo, &mf, &ms, &norm);
  const Dato opgFra = GetOpgPerFra(ref, anfo), opgTil = GetOpgPerTil(ref, anfo);
  e.PlanSaldo = 0;
  for (uint32_t s = 0; s < kPlanMedTalAntal; ++s) e.PlanMedTal[s] = e.PlanOpgMedTal[s] = e.MedTal[s] = 0.0f;
  int64_t g[4] = {}, o[4] = {};  // Timer1, Timer, Rettearbejd, Eksametid in thousandths
  const std::vector<MaanedIndeks> &onsdag = OnsdagsMaaneder();
  for (uint32_t u = 1; u <= plan->UgeAntal && u < onsdag.size() && e.SumTalTab; ++u) {
    const TalPost &t = e.SumTalTab[u];
    const int64_t v[4] = {static_cast<int64_t>(t.Timer1 * 1000.0f), static_cast<int64_t>(t.Timer * 1000.0f),
                          static_cast<int64_t>(t.Rettearbejd * 1000.0f), static_cast<int64_t>(t.Eksametid * 1000.0f)};
    const bool iGruppe = u >= gFra && u <= gTil;
    const MaanedIndeks m = onsdag[u];
    const bool iOpg = m >= 1 && m <= SkemaPeriode.AntalMaaneder && m >= mf && m <= ms;
    for (int k = 0; k < 4; ++k) {
      if (iGruppe) g[k] += v[k];
      if (iOpg) o[k] += v[k];
    }
  }
  if (SkemaPeriode.FraDato > plan->Fradato || SkemaPeriode.TilDato < plan->Tildato) return;
  int64_t justering = 0, buffer = 0;
  if (!GlobalIndstillinger.normsystem) {
    justering = static_cast<int64_t>(SumNormJust(anfo, opgFra, opgTil) * 1000.0f);
    buffer = static_cast<int64_t>(GetBufTimSaldo(anfo, ref) * 1000.0f);
  }
  const MaanedIndeks gmf = std::max<MaanedIndeks>(MaanedTilIndeks(MaanedAf(plan->Fradato)), 1);
  const MaanedIndeks gms = std::min<MaanedIndeks>(MaanedTilIndeks(MaanedAf(plan->Tildato)), MedTalM);
  double planMed[8] = {}, med[8] = {};
  for (MaanedIndeks m = gmf; m <= gms; ++m)
    for (int s = 0; s < 8; ++s) planMed[s] += mt[m][s];
  int64_t w = 0;
  const uint32_t meda = a->meda_id;
  for (MaanedIndeks m = std::max<MaanedIndeks>(mf, 1); m <= ms && m <= MedTalM; ++m) {
    for (int s = 0; s < 8; ++s) med[s] += mt[m][s];
    if (MedTalArbejdstidTab && meda < TalDim.E && m <= TalDim.M)
      w = static_cast<int64_t>(static_cast<double>(w) + MedTalArbejdstidTab[size_t(meda) * (TalDim.M + 1) + m].Fremtid);
  }
  int64_t medRund[8];
  for (int s = 0; s < 8; ++s) {
    e.PlanMedTal[s] = static_cast<float>(RundTilHeleTimer(static_cast<int64_t>(planMed[s])));
    medRund[s] = RundTilHeleTimer(static_cast<int64_t>(med[s]));
    e.MedTal[s] = static_cast<float>(medRund[s]);
  }
  const int64_t plus = medRund[0] + medRund[1] + medRund[2] + medRund[3] + medRund[4] + medRund[5] + medRund[7];
  e.PlanSaldo = static_cast<int32_t>(RundTilHeleTimer(w) + plus - medRund[6] - buffer - justering -
                                     static_cast<int64_t>(norm) * 1000);
  const int slots[4] = {8, 12, 9, 10};  // Timer1, Timer, Rettearbejd, Eksametid
  for (int k = 0; k < 4; ++k) {
    e.PlanMedTal[slots[k]] = static_cast<float>(RundTilHeleTimer(g[k]));
    e.PlanOpgMedTal[slots[k]] = static_cast<float>(RundTilHeleTimer(o[k]));
  }
}

namespace {

// The plan follow-up's totals of one employment over one accounting period,
// moved on date by date: the entries up to the date count as held, the
// rest of each line (planned after less held after, at least 0) as still
// to come.
class OpfoelgningsSum {
 public:
  OpfoelgningsSum(uint32_t anfo, Dato fra, Dato til) : fra_(fra), til_(til) {
    // The follow-up's own entries in hours; no per dato yet: all lie after.
    std::map<std::tuple<uint32_t, uint32_t, uint8_t>, uint32_t> linjeNr;
    for (const PlanOpfPost &p : PlanOpfPoster(anfo, fra, til, 0, false)) {
      const auto [it, ny] = linjeNr.try_emplace({p.akti, p.skfa, p.Art}, static_cast<uint32_t>(linjer_.size()));
      if (ny) linjer_.push_back({});
      poster_.push_back({p.UgeIdx, p.Ugedag, it->second, p.Plan, p.Aktuel});
      linjer_[it->second].planEfter += p.Plan;
      linjer_[it->second].aktuelEfter += p.Aktuel;
      aktuelEfter_ += p.Aktuel;
    }
    std::stable_sort(poster_.begin(), poster_.end(),
                     [](const Post &a, const Post &b) { return a.uge != b.uge ? a.uge < b.uge : a.dag < b.dag; });
    for (const Linje &l : linjer_) rest_ += std::max(0.0, l.planEfter - l.aktuelEfter);
  }
  bool Daekker(Dato fra, Dato til) const { return fra == fra_ && til == til_; }
  // The total at date d (never earlier than the last date asked).
  double Ialt(Dato d) {
    const UgeIndeks ud = PlanUgeIndeks(d);
    uint8_t dd = 0;
    Uge u = 0;
    DatoTilUge(d, &u, &dd);
    for (; naeste_ < poster_.size(); ++naeste_) {
      const Post &p = poster_[naeste_];
      if (p.uge > ud || (p.uge == ud && p.dag > dd)) break;
      Linje &l = linjer_[p.linje];
      rest_ -= std::max(0.0, l.planEfter - l.aktuelEfter);
      l.planEfter -= p.plan;
      l.aktuelEfter -= p.aktuel;
      rest_ += std::max(0.0, l.planEfter - l.aktuelEfter);
      aktuelFoer_ += p.aktuel;
      aktuelEfter_ -= p.aktuel;
    }
    return aktuelFoer_ + aktuelEfter_ + std::max(0.0, rest_);
  }

 private:
  struct Post {
    uint32_t uge;
    uint8_t dag;
    uint32_t linje;
    double plan, aktuel;
  };
  struct Linje {
    double planEfter = 0.0, aktuelEfter = 0.0;
  };
  Dato fra_, til_;
  std::vector<Post> poster_;
  std::vector<Linje> linjer_;
  size_t naeste_ = 0;
  double aktuelFoer_ = 0.0, aktuelEfter_ = 0.0, rest_ = 0.0;
};

}  // namespace

void BeregnOverUnder(Plan *plan, uint32_t anfo) {
  const AnfoRec *a = anfo ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  if (!a || a->Status != 10 || !plan->PlanAnfoTab || anfo > plan->PlanAnfoAntal) return;
  int32_t *ou = plan->PlanAnfoTab[anfo].PlanOverUnderTimer;
  if (!ou) return;
  const Dato spanFra = std::max(plan->Fradato, SkemaPeriode.FraDato);
  const Dato spanTil = std::min(plan->Tildato, SkemaPeriode.TilDato);
  if (spanFra > spanTil) return;
  const uint32_t uf = PlanUgeIndeks(spanFra), ut = std::min(PlanUgeIndeks(spanTil), plan->UgeAntal);
  // The plan list is the count module's, under its mutex (after the plan
  // mutex, never before it).
  TagTalMutex();
  std::unique_ptr<OpfoelgningsSum> sum;
  for (uint32_t u = std::max(uf, 1u); u <= ut; ++u) {
    const Dato d = u == uf ? spanFra : u == ut ? spanTil : UgeDagTilDato(IndeksTilUge(u), 3);
    const Dato opgFra = GetOpgPerFra(d, anfo), opgTil = GetOpgPerTil(d, anfo);
    int32_t norm = 0;
    GetOpgPerMonths(d, anfo, nullptr, nullptr, &norm);
    int64_t n = static_cast<int64_t>(norm) * 1000;
    if (!GlobalIndstillinger.normsystem)
      n = static_cast<int64_t>(static_cast<double>(n) + SumNormJust(anfo, opgFra, opgTil) * 1000.0 +
                               GetBufTimSaldo(anfo, d) * 1000.0);
    if (!sum || !sum->Daekker(opgFra, opgTil)) sum = std::make_unique<OpfoelgningsSum>(anfo, opgFra, opgTil);
    const double p = sum->Ialt(d);
    double x = p - static_cast<double>(RundTilHeleTimer(n) / 1000);
    x = x >= 0 ? std::floor(x + 0.5 + 1e-12) : std::ceil(x - 0.5 - 1e-12);
    ou[u] = static_cast<int32_t>(x) * 1000;
  }
  SlipTalMutex();
}

namespace {

// The employments of the current group, by record number: one walk of the
// memberships for the whole pass instead of one per employment.
std::vector<uint8_t> GruppensAnsaettelser(const Plan *plan) {
  std::vector<uint8_t> medlem(tvanfo.wRecCnt, 0);
  for (uint32_t n = 1; n < tvffpgrel.wRecCnt; ++n) {
    const FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
    const uint32_t anfo = r->anfo_id;
    if (PlanRecIBrug(r->Status) && r->Plangruppe_id == plan->AktPlanGruppe && anfo < medlem.size()) medlem[anfo] = 1;
  }
  for (uint32_t anfo = 1; anfo < medlem.size(); ++anfo) {
    if (!medlem[anfo]) continue;
    const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
    medlem[anfo] = a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & 0x80000000u) && a->Fradato <= plan->Tildato &&
                   a->Tildato >= plan->Fradato;
  }
  return medlem;
}

}  // namespace

bool OpdaterMedarbejdere(Plan *plan) {
  PlanLaas laas(true);
  if (!laas.Taget()) return false;
  const std::vector<uint8_t> medlem = GruppensAnsaettelser(plan);
  for (uint32_t anfo = 1; anfo < medlem.size() && anfo <= plan->PlanAnfoAntal; ++anfo)
    if (medlem[anfo]) BeregnMedarbejderTal(plan, anfo);
  if (plan->Visning == 'M') {
    OpgUdsnitCache cache;
    for (uint32_t i = 1; plan->Ens.ObjTab && i <= plan->Ens.ObjTabAntal; ++i)
      BeregnRaekke(plan, plan->Ens.ObjTab[i], &cache);
  }
  return true;
}

void OpdaterOverUnder(Plan *plan) {
  PlanLaas laas;
  const std::vector<uint8_t> medlem = GruppensAnsaettelser(plan);
  for (uint32_t anfo = 1; anfo < medlem.size() && anfo <= plan->PlanAnfoAntal; ++anfo)
    if (medlem[anfo]) BeregnOverUnder(plan, anfo);
}

void OpdaterAlt(Plan *plan) {
  {
    PlanLaas laas;
    HentSkemaTimer(plan);
    OpgUdsnitCache cache;
    for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
      const uint32_t art = plan->ObjTypeTab[r];
      if (art == PLAN_FAG || art == PLAN_OPG_TIMER || art == PLAN_POST || art == PLAN_FREMMED_FAG ||
          art == PLAN_FREMMED_OPG_TIMER || (art == PLAN_SKEMA && plan->VisSkeLekt))
        BeregnRaekke(plan, r, &cache);
    }
  }
  OpdaterMedarbejdere(plan);
}

// ---- Student lessons and the subject distribution ----

namespace {

uint64_t Par(uint32_t a, uint32_t b) { return (static_cast<uint64_t>(a) << 32) | b; }

// A group's subject rows (kinds 2 and 23) and the activities of its heading
// rows (kinds 1 and 22).
bool ErFagArt(uint32_t art) { return art == PLAN_FAG || art == PLAN_FREMMED_FAG; }
bool ErAktiArt(uint32_t art) { return art == PLAN_AKTI || art == PLAN_FREMMED_AKTI; }

bool AnfoLevende(uint32_t anfo) {
  if (anfo == 0 || anfo >= tvanfo.wRecCnt) return false;
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  return a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & 0x80000000u);
}

// Live, unarchived and of the group's dates; membership is not asked, as
// assigning makes the employment a member.
bool AnfoIGruppensDatoer(uint32_t anfo, const FfpgRec *g) {
  if (!AnfoLevende(anfo) || !g) return false;
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  return Overlapper(a->Fradato, a->Tildato, g);
}

// Whether the row has planned lessons in a week that lies wholly outside
// the employment's dates.
bool PlanUdenforAnfo(const Plan *plan, uint32_t raekke, uint32_t anfo) {
  const GrundRaekke &r = plan->GrundTab[raekke];
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  const Dato fra = a->Fradato, til = a->Tildato;
  for (uint32_t u = 1; r.TalTab && u <= plan->UgeAntal; ++u) {
    if (r.TalTab[u].Lektioner == 0) continue;
    const Uge uge = IndeksTilUge(u);
    if (UgeDagTilDato(uge, 7) < fra || UgeDagTilDato(uge, 1) > til) return true;
  }
  return false;
}

}  // namespace

void BeregnElevLektioner(Plan *plan, uint32_t gruppe, BruttoTabel *tab) {
  PlanLaas laas;
  free(tab->Poster);
  tab->Antal = plan->GrundTabAntal + 1;
  tab->Poster = Alloker<BruttoPost>(tab->Antal);
  TAVO_ASSERT(tab->Poster != NULL && "Brutto != NULL");
  const FfpgRec *g = Gruppe(gruppe);
  if (!g) return;
  // 1. The group's subjects and its heading rows' activities, numbered in
  // row order from 1.
  std::unordered_map<uint32_t, uint32_t> fagNr, planAktiNr;
  std::vector<uint32_t> fagRaekker;
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const GrundRaekke &gr = plan->GrundTab[r];
    if (gr.ffpg_id != gruppe) continue;
    const uint32_t art = plan->ObjTypeTab[r];
    if (ErAktiArt(art)) planAktiNr.try_emplace(gr.Aktivitet, static_cast<uint32_t>(planAktiNr.size() + 1));
    if (ErFagArt(art)) {
      fagNr.try_emplace(gr.Skolefag, static_cast<uint32_t>(fagNr.size() + 1));
      fagRaekker.push_back(r);
    }
  }
  if (fagRaekker.empty()) return;
  // 2.-5. The weeks before the group's first week: the scheduled activities
  // and employments numbered by first appearance, and the lessons per
  // (scheduled activity, subject, employment), kept for the triples that
  // occur only.
  const uint32_t sidsteUge = std::min(PlanUgeIndeks(g->Fradato), SkemaPeriode.AntalUger);
  std::vector<uint32_t> aktiNr(tvakti.wRecCnt, 0), anfoNr(tvanfo.wRecCnt, 0);
  uint32_t aktiAntal = 0, anfoAntal = 0;
  std::vector<uint8_t> levende(tvanfo.wRecCnt, 0);
  for (uint32_t n = 1; n < tvanfo.wRecCnt; ++n) levende[n] = AnfoLevende(n) ? 1 : 2;
  struct Noegle {
    uint32_t b, f, e;
    bool operator==(const Noegle &o) const { return b == o.b && f == o.f && e == o.e; }
  };
  struct NoegleHash {
    size_t operator()(const Noegle &k) const {
      return std::hash<uint64_t>()((static_cast<uint64_t>(k.b) << 40) ^ (static_cast<uint64_t>(k.f) << 20) ^ k.e);
    }
  };
  std::unordered_map<Noegle, uint32_t, NoegleHash> lektioner;
  for (uint32_t u = 1; u <= sidsteUge; ++u) {
    const TabVar *tv = SkemabegBucket(IndeksTilUge(u));
    if (!tv || !tv->pbTab) continue;
    const SkeRec *rk = reinterpret_cast<const SkeRec *>(tv->pbTab);
    for (uint32_t i = 1; i < tv->wRecCnt; ++i) {
      const SkeRec &x = rk[i];
      const uint32_t akti = x.akti_id, anfo = x.anfo_id, skfa = x.skfa_id;
      if ((x.Status & 0x48) != 0x40 || !akti || !anfo || !skfa || akti >= aktiNr.size() || anfo >= anfoNr.size() ||
          levende[anfo] != 1)
        continue;
      const auto f = fagNr.find(skfa);
      if (f == fagNr.end()) continue;
      if (!aktiNr[akti]) aktiNr[akti] = ++aktiAntal;
      if (!anfoNr[anfo]) anfoNr[anfo] = ++anfoAntal;
      ++lektioner[{aktiNr[akti], f->second, anfoNr[anfo]}];
    }
  }
  if (lektioner.empty()) return;
  // 4. The common students of a plan activity and a scheduled activity,
  // for the pairs fagelv names: per plan activity its partners.
  std::unordered_map<uint32_t, std::vector<std::pair<uint32_t, uint32_t>>> partnere;  // plan akti -> (b, s)
  std::unordered_map<uint64_t, uint32_t> faelles;
  auto Saet = [&](uint32_t a, uint32_t b, uint32_t s) {
    if (!planAktiNr.count(a) || b >= aktiNr.size() || !aktiNr[b]) return;
    const auto [it, ny] = faelles.insert_or_assign(Par(a, aktiNr[b]), s);
    (void)it;
    if (ny) partnere[a].push_back({aktiNr[b], 0});
  };
  for (uint32_t n = 1; n < tvfagelv.wRecCnt; ++n) {
    const FagelvRec *f = TabRec<FagelvRec>(tvfagelv, n);
    if (f->Status == 0) continue;
    const uint32_t a1 = f->akti1_id, a2 = f->akti2_id, s = f->Faelles_Elever;
    Saet(a1, a2, s);
    Saet(a2, a1, s);
  }
  for (auto &[a, v] : partnere) {
    for (auto &p : v) p.second = faelles[Par(a, p.first)];
    std::sort(v.begin(), v.end());
  }
  // The employments and lessons of each (scheduled activity, subject), in
  // employment order.
  std::unordered_map<uint64_t, std::vector<std::pair<uint32_t, uint32_t>>> efterAktiFag;  // (b, f) -> (e, c)
  std::vector<uint32_t> anfoAf(anfoAntal + 1, 0);
  for (uint32_t n = 1; n < anfoNr.size(); ++n)
    if (anfoNr[n]) anfoAf[anfoNr[n]] = n;
  for (const auto &[k, c] : lektioner) efterAktiFag[Par(k.b, k.f)].push_back({k.e, c});
  for (auto &[k, v] : efterAktiFag) std::sort(v.begin(), v.end());
  // 6. Each subject row: s x c for its activity's partners b and the
  // employments of (b, its subject), in the order of b and then of the
  // employment; an eleventh employment is dropped.
  for (uint32_t r : fagRaekker) {
    const GrundRaekke &gr = plan->GrundTab[r];
    const auto p = partnere.find(gr.Aktivitet);
    if (p == partnere.end()) continue;
    const uint32_t f = fagNr[gr.Skolefag];
    BruttoPost &post = tab->Poster[r];
    for (const auto &[b, s] : p->second) {
      if (s == 0) continue;
      const auto l = efterAktiFag.find(Par(b, f));
      if (l == efterAktiFag.end()) continue;
      for (const auto &[e, c] : l->second) {
        const uint32_t anfo = anfoAf[e], v = s * c;
        uint32_t i = 0;
        while (i < post.Antal && post.Anfo[i] != anfo) ++i;
        if (i == post.Antal) {
          if (post.Antal >= kBruttoAnfo) continue;
          post.Anfo[post.Antal++] = anfo;
        }
        post.Vaerdi[i] += v;
        post.Vaerdi2[i] += v;
      }
    }
  }
}

void ByggFagfordl(Plan *plan) {
  PlanLaas laas;
  ResetTab(&tdfffagfordl, &tvfffagfordl, 1);
  BruttoTabel tab{};
  for (uint32_t i = 1; plan->StyrZ.ObjTab && i <= plan->StyrZ.Pos.Antal; ++i) {
    const uint32_t gruppe = plan->StyrZ.ObjTab[i];
    const FfpgRec *g = Gruppe(gruppe);
    if (!g) continue;
    const Dato fra = g->Fradato, til = g->Tildato;
    BeregnElevLektioner(plan, gruppe, &tab);
    for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
      const GrundRaekke &gr = plan->GrundTab[r];
      if (gr.ffpg_id != gruppe || !ErFagArt(plan->ObjTypeTab[r]) || !gr.Medarbejder1) continue;
      const BruttoPost &p = tab.Poster[r];
      uint32_t anfo = gr.Medarbejder1, vaerdi = 0;
      bool fundet = false;
      for (uint32_t hvem : {gr.Medarbejder1, gr.Medarbejder2}) {
        for (uint32_t k = 0; hvem && k < p.Antal && k < kBruttoAnfo && !fundet; ++k)
          if (p.Anfo[k] == hvem) anfo = hvem, vaerdi = p.Vaerdi[k], fundet = true;
      }
      const uint32_t n = NewRec(&tdfffagfordl, &tvfffagfordl);
      if (n == 0) {
        LogPrintf("** Fejl: ByggFagfordl(): ingen plads til en fagfordeling\n");
        free(tab.Poster);
        return;
      }
      FffagfordlRec *f = TabRec<FffagfordlRec>(tvfffagfordl, n);
      *f = FffagfordlRec{};
      f->ffpg_id = gruppe;
      f->Fradato = fra;
      f->Tildato = til;
      f->anfo_id = anfo;
      f->akti_id = gr.Aktivitet;
      f->skfa_id = gr.Skolefag;
      f->Elevlektioner = vaerdi;
      f->Ejer = gr.Ejer;
      f->Status = PLANREC_LEVER;
      MarkerBlok(tdfffagfordl, tvfffagfordl, n);
    }
  }
  free(tab.Poster);
}

bool TilknytMedarbejder(Plan *plan, uint32_t anfo, uint32_t raekke) {
  if (raekke == 0 || raekke > plan->GrundTabAntal || plan->ObjTypeTab[raekke] != PLAN_FAG) return false;
  const FfpgRec *g = Gruppe(plan->AktPlanGruppe);
  if (!AnfoIGruppensDatoer(anfo, g)) return false;
  PlanLaas laas;
  GrundRaekke &r = plan->GrundTab[raekke];
  const uint32_t gruppe = r.ffpg_id;
  if (plan->AnfoSkfaKrydsTab && anfo < plan->KrydsAnfoAntal && r.Skolefag < plan->KrydsFagAntal) {
    uint16_t &c = plan->AnfoSkfaKrydsTab[size_t(anfo) * plan->KrydsFagAntal + r.Skolefag];
    if (c == 0) c = 1;
  }
  if (plan->PlanAnfoTab && anfo <= plan->PlanAnfoAntal) plan->PlanAnfoTab[anfo].IPlan = 1;
  bool ingenRaekke = true;
  for (uint32_t k = 1; k <= plan->GrundTabAntal && ingenRaekke; ++k) {
    const GrundRaekke &o = plan->GrundTab[k];
    if (o.ffpg_id == gruppe && !o.ErSum && (o.Medarbejder1 == anfo || o.Medarbejder2 == anfo)) ingenRaekke = false;
  }
  const uint32_t overskrift = FindOverskrift(plan, raekke);
  bool sat = false;
  if (r.Medarbejder1 == 0 || r.Medarbejder2 != anfo) {
    if (r.Medarbejder1 != anfo) {
      // Out of the heading's and the employees' sums while it changes.
      FlytTal(plan, overskrift, raekke, -1);
      AddPlanRaekkeTilSum(plan, raekke, -1, 3);
      if (r.Medarbejder1 == 0) {
        r.Medarbejder1 = anfo;
        r.Minutnorm1 = -1.0f;
      } else {
        r.Medarbejder2 = anfo;
        r.Minutnorm2 = -1.0f;
      }
      sat = true;
    }
  }
  if (ingenRaekke && FindPgRel(gruppe, anfo, 'M') == 0) AddPgRel(gruppe, anfo, 'M');
  if (sat) {
    for (uint32_t u = 0; r.TalTab && u <= plan->UgeAntal + 1; ++u)
      if (r.TalTab[u].Lektioner) BeregnUgeTimer(plan, u, raekke, r.TalTab[u].Lektioner);
    FlytTal(plan, overskrift, raekke, +1);
    AddPlanRaekkeTilSum(plan, raekke, +1, 3);
  }
  if (GemRaekke(plan, raekke, false) && r.GrundRec < tvffgrund.wRecCnt) {
    FfgrundRec *rec = TabRec<FfgrundRec>(tvffgrund, r.GrundRec);
    if (rec->Status != PLANREC_LEVER) {
      rec->Status = PLANREC_LEVER;
      MarkerBlok(tdffgrund, tvffgrund, r.GrundRec);
      Gem(tdffgrund, tvffgrund);
    }
  }
  if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
  return ingenRaekke;
}

bool Vip(Plan *plan, const uint32_t valg[3]) {
  if (valg[0]) return false;
  const uint32_t gruppe = plan->AktPlanGruppe;
  const FfpgRec *g = Gruppe(gruppe);
  if (!g) return false;
  bool udenfor = false, nogen = false;
  {
    PlanLaas laas;
    BruttoTabel tab{};
    BeregnElevLektioner(plan, gruppe, &tab);
    const uint32_t aktuel = PlanAktuelRaekke(plan);
    const GrundRaekke *cur = aktuel ? &plan->GrundTab[aktuel] : nullptr;
    std::set<uint32_t> overskrifter;
    for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
      if (plan->ObjTypeTab[r] == PLAN_AKTI && plan->GrundTab[r].ffpg_id == gruppe)
        overskrifter.insert(plan->GrundTab[r].Aktivitet);
    for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
      const GrundRaekke &gr = plan->GrundTab[r];
      if (plan->ObjTypeTab[r] != PLAN_FAG || gr.ffpg_id != gruppe || !overskrifter.count(gr.Aktivitet)) continue;
      if (!valg[2]) {
        if (!cur || gr.Aktivitet != cur->Aktivitet) continue;
        if (!valg[1] && gr.Skolefag != cur->Skolefag) continue;
      }
      const BruttoPost &p = tab.Poster[r];
      const uint32_t antal = std::min(p.Antal, kBruttoAnfo);
      if (antal == 0) continue;
      uint32_t vinder = 0, bedst = 0;
      for (uint32_t k = 0; k < antal; ++k)
        if (AnfoIGruppensDatoer(p.Anfo[k], g) && (vinder == 0 || p.Vaerdi[k] > bedst)) vinder = p.Anfo[k], bedst = p.Vaerdi[k];
      if (vinder == 0) vinder = p.Anfo[antal - 1];
      if (!gr.Skolefag) continue;
      if (vinder >= tvanfo.wRecCnt || PlanUdenforAnfo(plan, r, vinder)) {
        udenfor = udenfor || vinder < tvanfo.wRecCnt;
        continue;
      }
      const uint32_t m1 = gr.Medarbejder1, m2 = gr.Medarbejder2;
      TilknytMedarbejder(plan, vinder, r);
      nogen = nogen || gr.Medarbejder1 != m1 || gr.Medarbejder2 != m2;
    }
    free(tab.Poster);
    if (nogen) OpretOverskrifter(plan);
  }
  if (udenfor)
    MessageBoxA(plan->hwndPlan, "Der er lagt plan lektioner/timer udenfor medarbejderens periode!\nDe medarbejdere blev ikke vippet!",
                "Planer udenfor periode!", MB_OK | MB_ICONINFORMATION);
  return nogen;
}
