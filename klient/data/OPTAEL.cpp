// Filling the count tables.
#include "OPTAEL.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "FINDREC.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "MINNORM.h"
#include "PLANIDX.h"
#include "RECPRED.h"
#include "ROLLER.h"
#include "tavo/assert.h"
#include "tavo/prefetch.h"

AnfoAktiGrundRec AnfoAktiGrund;
uint32_t HarEgenPlan;
Dato (*TalDagsDato)() = DagsDato;

namespace {

[[noreturn]] void GrundFejl(const char *udtryk, int linje) { tavo::AssertFailed(udtryk, "TavoTal", linje); }

const GlobalIndstillingerData &Ind() { return GlobalIndstillinger; }

Uge UgeAf(uint8_t aarIdx, uint8_t uge) { return (SkemaPeriode.BaseAar + aarIdx) * 100 + uge; }

SkeRec *Raekke(const TabVar *b, uint32_t r) {
  if (!b || !b->pbTab || r == 0 || r >= b->wRecCnt) return nullptr;
  return reinterpret_cast<SkeRec *>(b->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
}

// The rows of a week bucket read in a walk: the base and count are taken
// once, as the walks write through the rows and the compiler would
// otherwise read them again for every row.
struct UgeRaekker {
  SkeRec *base;
  uint32_t n;  // rows 1..n-1 exist
  explicit UgeRaekker(const TabVar *b)
      : base(b && b->pbTab ? reinterpret_cast<SkeRec *>(b->pbTab) : nullptr), n(base ? b->wRecCnt : 0) {}
  SkeRec *operator()(uint32_t r) const { return r != 0 && r < n ? base + r : nullptr; }
};

template <class R>
R *Post(const TabVar *b, uint32_t r) {
  if (!b || !b->pbTab || r >= b->wRecCnt) return nullptr;
  return reinterpret_cast<R *>(b->pbTab + static_cast<size_t>(r) * sizeof(R));
}

// A row's lesson value: its own when set, else its length in standard
// lessons when the school counts that way, else one lesson.
float Lektionsvaerdi(float antalStd, double minutter) {
  if (antalStd > 0) return antalStd;
  if (Ind().standardlektion && Ind().standardlektionslengde != 0)
    return static_cast<float>(minutter / Ind().standardlektionslengde);
  return 1.0f;
}

int32_t DagOffset(Dato dato) { return DatoTilAbsDag(dato) - DatoTilAbsDag(SkemaPeriode.FraDato); }

bool Levende(uint32_t status) { return (status & 0x40) != 0 && (status & 0x08) == 0; }

// Plan groups and plan rows: counted unless empty or deleted-and-written.
bool PlanStatusTaeller(uint8_t status) { return status != 0 && (status & 0x48) != 0x48; }

// The three tables of the figures grow to hold their counts.
template <class T>
void SikrPlads(T *&tab, uint32_t &alloc, uint32_t antal, const char *udtryk) {
  if (alloc < antal || !tab) {
    T *ny = static_cast<T *>(realloc(tab, (static_cast<size_t>(antal) + 11) * sizeof(T)));
    if (!ny) GrundFejl(udtryk, __LINE__);
    tab = ny;
    alloc = antal + 10;
  }
}

MedTalArbejdstidCelle *ArbCelle(uint32_t meda, MaanedIndeks m) {
  if (!MedTalArbejdstidTab || meda >= TalDim.E || m > TalDim.M) return nullptr;
  return &MedTalArbejdstidTab[static_cast<size_t>(meda) * (TalDim.M + 1) + m];
}

MedTalFerieCelle *FerieCelle(uint32_t meda, uint32_t aar) {
  if (!MedTalFerieTab || meda >= TalDim.E || aar > TalDim.Y1) return nullptr;
  return &MedTalFerieTab[static_cast<size_t>(meda) * (TalDim.Y1 + 1) + aar];
}

// Packed record fields cannot be bound by reference: the sum is assigned.
template <class T>
T Plus(T felt, int sign, int64_t v) {
  return static_cast<T>(static_cast<int64_t>(felt) + sign * v);
}
#define LAEG_TIL(felt, sign, v) ((felt) = Plus((felt), (sign), (v)))

// One question of a recount to the plan list, with its answer: the entry
// found, or, with PLAN_NY, the entry it made. tredje is the subject of an
// event's question and the kind of a posting's.
struct PlanSvar {
  uint32_t akti, anfo, tredje, uge, post;
};
constexpr uint32_t PLAN_NY = 0x80000000u;

// ---- The recount's own working copies ----
//
// The tables are laid out record by record, but the recount walks the
// period week by week: each event would land on a far row of every table.
// While a recount runs, the activity-month and employment-week cells are
// gathered in copies laid out period by period, the room slots of the week
// in a small block, and the persons per activity and day are read from a
// copy laid out day by day. Each cell receives the same additions in the
// same order as it would in the table, from the same zero, so the copies
// are put in place unchanged when the walk ends.
struct Samler {
  uint32_t A = 0, M = 0, F = 0, W = 0, R = 0, D = 0;
  std::vector<AktiTalCelle> aktiMnd;    // m x A + akti
  std::vector<MedTalUgeCelle> medUge;   // w x F + anfo
  // day x A + akti; laid out at the first question, as only events with
  // more than one activity ask, and many schools have none.
  std::vector<uint16_t> dagElever;
  bool dagEleverKlar = false;
  // The room slots of the week being walked: loka x 336 + slot.
  std::vector<uint8_t> lokaUge;
  // The rooms with a slot set this week, the first nLokaRoert of one
  // place per room: whether a room is new to the week is seldom the same
  // from one event to the next, so it is counted without a branch.
  std::vector<uint32_t> lokaRoert;
  uint32_t nLokaRoert = 0;
  std::vector<uint8_t> lokaErRoert;
  bool lokaAktiv = false;
  uint8_t lokaAar = 0, lokaUgeNr = 0;
  // The days of the week being walked, worked out once for its events.
  struct Dag {
    Dato dato;
    int32_t dagOff;
    MaanedIndeks m;
    uint32_t y;
  };
  bool ugeAktiv = false;
  uint8_t ugeAar = 0, ugeNr = 0;
  UgeIndeks w = 0;
  Dag dage[8];
  Dato idag = 0;
  Maaned sidsteMnd = 0;
  MaanedIndeks sidsteMndIdx = 0;
  static constexpr size_t AAR_HUSK = 64;
  Dato aarDato[AAR_HUSK];
  uint32_t aarIdx[AAR_HUSK];
  // The week index and weekday of the postings' dates.
  Dato ugeDato[AAR_HUSK];
  UgeIndeks ugeIdx[AAR_HUSK];
  uint8_t ugeDag[AAR_HUSK];
  // The last posting's date and its week and weekday: a month's postings
  // come in runs of one date.
  Dato postDato = UINT32_MAX;
  UgeIndeks postW = 0;
  uint8_t postDag = 0;
  Samler() {
    for (Dato &d : aarDato) d = UINT32_MAX;
    for (Dato &d : ugeDato) d = UINT32_MAX;
  }
  // Each employment's monthly figures: m x F + anfo.
  uint32_t MedM = 0;
  std::vector<float> medTal;            // MEDTAL_SLOTS floats per cell
  std::vector<uint8_t> harMedTal;
  std::vector<uint32_t> meda;           // each employment's employee
  // The activities' stored counters, summed beside them (whole numbers, so
  // one addition at the end gives what the additions one by one gave), and
  // their cancellation marks, read once.
  struct AktiSum {
    int64_t lererTimer, elev, lerer;
  };
  std::vector<AktiSum> aktiSum;
  std::vector<char> aflyst;
  // The subject placements' lessons of the week being walked, per weekday
  // (skph x 7 + weekday - 1), put in skphAkkTab when the week ends; and
  // their stored counters, summed beside them.
  uint32_t S = 0;
  std::vector<uint32_t> skphUge;
  std::vector<uint32_t> skphRoert;      // as lokaRoert
  uint32_t nSkphRoert = 0;
  std::vector<uint8_t> skphErRoert;
  std::vector<int64_t> skphSum;
  bool skphAktiv = false;
  UgeIndeks skphW = 0;
  // The actual figures for plan-list entries that exist, in the order they
  // came: added to the entries when the recount ends, each entry's in the
  // same order as one by one.
  struct PlanTilvaekst {
    uint32_t post;
    float vaerdi;
    uint32_t lektioner;
  };
  std::vector<PlanTilvaekst> plan;
  // The calls that add actual figures to the plan list, held until the
  // week or month is counted: art 0 an event's, else a posting's kind.
  struct PlanKald {
    uint8_t art;
    uint32_t akti, anfo, skfa;
    MaanedIndeks m;
    UgeIndeks w;
    uint8_t ugedag;
    float minutnorm, vaerdi;
    uint32_t lektioner;
  };
  std::vector<PlanKald> planKald;
  // The plan questions answered from the answers kept by the recount
  // before (PlanSvarHusk): whether this recount asks at all, whether the
  // kept answers hold for the list's first planGraense entries, and
  // whether every question so far came as it came then. The questions of
  // the bucket being walked are kept in planLog, the next at planPos.
  bool planAktiv = false, planHusk = false, planEns = false;
  uint32_t planGraense = 0, planN0 = 0;
  std::vector<PlanSvar> *planLog = nullptr;
  size_t planPos = 0;
  ~Samler();
};
thread_local Samler *gSamler = nullptr;  // the recount's own thread only

// The working copies' memory, kept from one recount to the next on the
// thread that runs them: a recount of the same school needs the same
// sizes again, and memory taken afresh would be faulted in page by page
// while the walk writes its first cells.
struct SamlerLager {
  std::vector<AktiTalCelle> aktiMnd;
  std::vector<MedTalUgeCelle> medUge;
  std::vector<uint16_t> dagElever;
  std::vector<uint8_t> lokaUge, lokaErRoert, harMedTal, skphErRoert;
  std::vector<uint32_t> lokaRoert, meda, skphUge, skphRoert;
  std::vector<float> medTal;
  std::vector<Samler::AktiSum> aktiSum;
  std::vector<char> aflyst;
  std::vector<int64_t> skphSum;
  std::vector<Samler::PlanTilvaekst> plan;
  std::vector<Samler::PlanKald> planKald;

  // Swaps the kept vectors with the recount's own.
  void Byt(Samler &s) {
    aktiMnd.swap(s.aktiMnd);
    medUge.swap(s.medUge);
    dagElever.swap(s.dagElever);
    lokaUge.swap(s.lokaUge);
    lokaErRoert.swap(s.lokaErRoert);
    harMedTal.swap(s.harMedTal);
    skphErRoert.swap(s.skphErRoert);
    lokaRoert.swap(s.lokaRoert);
    meda.swap(s.meda);
    skphUge.swap(s.skphUge);
    skphRoert.swap(s.skphRoert);
    medTal.swap(s.medTal);
    aktiSum.swap(s.aktiSum);
    aflyst.swap(s.aflyst);
    skphSum.swap(s.skphSum);
    plan.swap(s.plan);
    planKald.swap(s.planKald);
  }
};
thread_local SamlerLager tSamlerLager;

// Takes over the kept memory, every vector emptied (its capacity kept).
void LaanLager(Samler &s) {
  tSamlerLager.Byt(s);
  s.aktiMnd.clear();
  s.medUge.clear();
  s.dagElever.clear();
  s.lokaUge.clear();
  s.lokaErRoert.clear();
  s.harMedTal.clear();
  s.skphErRoert.clear();
  s.lokaRoert.clear();
  s.meda.clear();
  s.skphUge.clear();
  s.skphRoert.clear();
  s.medTal.clear();
  s.aktiSum.clear();
  s.aflyst.clear();
  s.skphSum.clear();
  s.plan.clear();
  s.planKald.clear();
}

Samler::~Samler() {
  if (gSamler == this) gSamler = nullptr;
  // What this recount took goes back for the next one.
  tSamlerLager.Byt(*this);
}

constexpr uint32_t LOKA_SLOTS_PR_UGE = 7 * 48;

AktiTalCelle *AktiCelle(uint32_t akti, MaanedIndeks m) {
  if (!AktiTalTab || akti >= TalDim.A || m > TalDim.M) return nullptr;
  if (gSamler && !gSamler->aktiMnd.empty()) return &gSamler->aktiMnd[static_cast<size_t>(m) * gSamler->A + akti];
  return &AktiTalTab[static_cast<size_t>(akti) * (TalDim.M + 1) + m];
}

MedTalUgeCelle *MedUgeCelle(uint32_t anfo, UgeIndeks w) {
  if (!MedTalUgeTab || anfo >= TalDim.F || w > TalDim.W) return nullptr;
  if (gSamler && !gSamler->medUge.empty()) return &gSamler->medUge[static_cast<size_t>(w) * gSamler->F + anfo];
  return &MedTalUgeTab[static_cast<size_t>(anfo) * (TalDim.W + 1) + w];
}

[[gnu::noinline]] void LaegDagEleverUd(Samler &s) {
  s.dagEleverKlar = true;
  if (!AktiDagTab || !s.A) return;
  s.dagElever.resize((static_cast<size_t>(s.D) + 1) * s.A);
  for (uint32_t a = 0; a < s.A; ++a) {
    const uint16_t *raekke = AktiDagTab + static_cast<size_t>(a) * (s.D + 1);
    for (uint32_t d = 0; d <= s.D; ++d) s.dagElever[static_cast<size_t>(d) * s.A + a] = raekke[d];
  }
}

uint32_t DagElever(uint32_t akti, int32_t dagOffset) {
  Samler *s = gSamler;
  if (s && !s->dagEleverKlar) LaegDagEleverUd(*s);
  if (!s || s->dagElever.empty()) return AktiDagElever(akti, dagOffset);
  if (akti == 0 || akti >= s->A || dagOffset < 0 || dagOffset > static_cast<int32_t>(s->D)) return 0;
  return s->dagElever[static_cast<size_t>(dagOffset) * s->A + akti];
}

// The room slot of an event; in the week's block while the recount walks
// that week.
uint8_t *LokaSlot(uint32_t loka, uint8_t aarIdx, uint8_t uge, uint8_t dag, uint8_t lektion) {
  const uint32_t iUge = static_cast<uint32_t>(dag - 1) * 48u + (lektion - 1);
  if (Samler *s = gSamler; s && s->lokaAktiv && s->lokaAar == aarIdx && s->lokaUgeNr == uge && loka < s->R) {
    s->lokaRoert[s->nLokaRoert] = loka;
    s->nLokaRoert += !s->lokaErRoert[loka];
    s->lokaErRoert[loka] = 1;
    return &s->lokaUge[static_cast<size_t>(loka) * LOKA_SLOTS_PR_UGE + iUge];
  }
  return &LokaOptalt[static_cast<size_t>(loka) * TalDim.Y * LOKA_SLOTS_PR_AAR +
                     static_cast<size_t>(aarIdx) * LOKA_SLOTS_PR_AAR + (uge - 1) * 336u + iUge];
}

// Puts the week's room slots in the table; its slots there are untouched
// until now, as no other week shares them.
void LaegLokaUgeUd() {
  Samler *s = gSamler;
  if (!s || !s->lokaAktiv) return;
  const bool ud = LokaOptalt && s->lokaAar < TalDim.Y;
  auto Til = [&](uint32_t loka) {
    return &LokaOptalt[static_cast<size_t>(loka) * TalDim.Y * LOKA_SLOTS_PR_AAR +
                       static_cast<size_t>(s->lokaAar) * LOKA_SLOTS_PR_AAR + (s->lokaUgeNr - 1) * 336u];
  };
  // Each room's week lies in a line of the table no other week has
  // touched: the lines of the rooms a few ahead are asked for while this
  // one is copied.
  constexpr size_t FORUD = 24;
  const size_t n = s->nLokaRoert;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t loka = s->lokaRoert[i];
    if (ud && i + FORUD < n && s->lokaRoert[i + FORUD] < TalDim.R) {
      const uint8_t *t = Til(s->lokaRoert[i + FORUD]);
      for (uint32_t b = 0; b < LOKA_SLOTS_PR_UGE; b += 64) tavo::Prefetch(t + b);
      tavo::Prefetch(t + LOKA_SLOTS_PR_UGE - 1);
    }
    uint8_t *fra = &s->lokaUge[static_cast<size_t>(loka) * LOKA_SLOTS_PR_UGE];
    if (ud && loka < TalDim.R) memcpy(Til(loka), fra, LOKA_SLOTS_PR_UGE);
    memset(fra, 0, LOKA_SLOTS_PR_UGE);
    s->lokaErRoert[loka] = 0;
  }
  s->nLokaRoert = 0;
  s->lokaAktiv = false;
}

// Adds a subject placement's lessons of one weekday of week w.
void LaegTilSkph(uint32_t p, UgeIndeks w, uint8_t dag, int sign, int64_t L) {
  if (Samler *s = gSamler; s && !s->skphSum.empty() && p < s->skphSum.size()) {
    s->skphSum[p] += sign * L;
    if (!s->skphAktiv || s->skphW != w || p >= s->S) {
      if (skphAkkTab && p < TalDim.S && w <= TalDim.W)
        LAEG_TIL(skphAkkTab[(static_cast<size_t>(p) * TalDim.W + w - 1) * 7 + dag - 1], sign, L);
      return;
    }
    s->skphRoert[s->nSkphRoert] = p;
    s->nSkphRoert += !s->skphErRoert[p];
    s->skphErRoert[p] = 1;
    LAEG_TIL(s->skphUge[static_cast<size_t>(p) * 7 + dag - 1], sign, L);
    return;
  }
  SkphRec *sp = TabRec<SkphRec>(tvskph, p);
  LAEG_TIL(sp->AntalLektioner, sign, L);
  if (skphAkkTab && p < TalDim.S && w <= TalDim.W)
    LAEG_TIL(skphAkkTab[(static_cast<size_t>(p) * TalDim.W + w - 1) * 7 + dag - 1], sign, L);
}

// Puts the week's subject-placement lessons in the table; their cells
// there are untouched until now, as no other week shares them.
void LaegSkphUgeUd() {
  Samler *s = gSamler;
  if (!s || !s->skphAktiv) return;
  // The placements' cells of the week lie far apart in the table: those a
  // few ahead are asked for while this one is copied.
  constexpr size_t FORUD = 32;
  const size_t n = s->nSkphRoert;
  const bool ud = skphAkkTab && s->skphW >= 1 && s->skphW <= TalDim.W;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t p = s->skphRoert[i];
    if (ud && i + FORUD < n) {
      const uint32_t q = s->skphRoert[i + FORUD];
      if (q < TalDim.S) {
        const uint32_t *t = &skphAkkTab[(static_cast<size_t>(q) * TalDim.W + s->skphW - 1) * 7];
        tavo::Prefetch(t);
        tavo::Prefetch(t + 6);
      }
    }
    uint32_t *fra = &s->skphUge[static_cast<size_t>(p) * 7];
    if (skphAkkTab && p < TalDim.S && s->skphW >= 1 && s->skphW <= TalDim.W)
      memcpy(&skphAkkTab[(static_cast<size_t>(p) * TalDim.W + s->skphW - 1) * 7], fra, 7 * sizeof(uint32_t));
    memset(fra, 0, 7 * sizeof(uint32_t));
    s->skphErRoert[p] = 0;
  }
  s->nSkphRoert = 0;
  s->skphAktiv = false;
}

// An actual figure for an existing entry of the plan list: to the entry,
// or while a recount runs, to its list of additions. Entry numbers stay
// right when the list grows, so the additions find their entries after it.
// A recount that answers from kept answers asks each question as it
// comes: the entries it made itself are in the cache then, and take their
// figures at once. Each entry takes all of its figures one way, so in the
// same order.
void LaegTilPlanPost(uint32_t n, float vaerdi, uint32_t lektioner) {
  if (Samler *s = gSamler; s && !(s->planHusk && n > s->planN0)) {
    s->plan.push_back({n, vaerdi, lektioner});
    return;
  }
  PlanTabPost &e = PlanTal.PlanTab[n];
  e.Aktuel += vaerdi;
  e.SkemaLektioner += lektioner;
}

void LaegPlanUd(Samler &s) {
  // The entries lie anywhere in the list: those a few additions ahead are
  // asked for while this one is made.
  constexpr size_t FORUD = 48;
  const size_t n = s.plan.size();
  for (size_t i = 0; i < n; ++i) {
    if (i + FORUD < n) {
      PlanTabPost &f = PlanTal.PlanTab[s.plan[i + FORUD].post];
      tavo::Prefetch(&f.SkemaLektioner);
      tavo::Prefetch(&f.Aktuel);
    }
    const Samler::PlanTilvaekst &t = s.plan[i];
    PlanTabPost &e = PlanTal.PlanTab[t.post];
    e.Aktuel += t.vaerdi;
    e.SkemaLektioner += t.lektioner;
  }
  s.plan.clear();
}

Samler::AktiSum *AktiSumFor(uint32_t akti) {
  Samler *s = gSamler;
  return s && akti < s->aktiSum.size() ? &s->aktiSum[akti] : nullptr;
}

char AktiAflyst(const AktiRec *ar, uint32_t akti) {
  const Samler *s = gSamler;
  return s && akti < s->aflyst.size() ? s->aflyst[akti] : ar->Aflyst;
}

// The facts of a weekday of the week being walked; null outside it.
const Samler::Dag *UgeDag(uint8_t aarIdx, uint8_t uge, uint8_t dag) {
  const Samler *s = gSamler;
  if (!s || !s->ugeAktiv || s->ugeAar != aarIdx || s->ugeNr != uge || dag < 1 || dag > 7) return nullptr;
  return &s->dage[dag];
}

// The index of a month; the postings of a month bucket ask for the same
// month over and over.
MaanedIndeks MaanedIndeksAf(Maaned mnd) {
  Samler *s = gSamler;
  if (!s) return MaanedTilIndeks(mnd);
  if (s->sidsteMnd != mnd || s->sidsteMnd == 0) {
    s->sidsteMnd = mnd;
    s->sidsteMndIdx = MaanedTilIndeks(mnd);
  }
  return s->sidsteMndIdx;
}

// The school year of a date; the postings of a month share a few dozen
// dates, each worked out once.
uint32_t SkoleAar(Dato d) {
  Samler *s = gSamler;
  if (!s) return SkoleAarIndeks(d);
  const size_t i = d % Samler::AAR_HUSK;
  if (s->aarDato[i] != d) {
    s->aarDato[i] = d;
    s->aarIdx[i] = SkoleAarIndeks(d);
  }
  return s->aarIdx[i];
}

// The week index and weekday of a date.
UgeIndeks UgeOgDag(Dato d, uint8_t *pDag) {
  Samler *s = gSamler;
  const size_t i = d % Samler::AAR_HUSK;
  if (!s || s->ugeDato[i] != d) {
    Uge uge = 0;
    uint8_t dag = 0;
    DatoTilUge(d, &uge, &dag);
    const UgeIndeks w = UgeTilIndeks(uge);
    if (!s) {
      *pDag = dag;
      return w;
    }
    s->ugeDato[i] = d;
    s->ugeIdx[i] = w;
    s->ugeDag[i] = dag;
  }
  *pDag = s->ugeDag[i];
  return s->ugeIdx[i];
}

// Today, asked once for the whole recount.
Dato Idag() { return gSamler ? gSamler->idag : TalDagsDato(); }

void UdfoerPlanKald();

void BegyndUge(uint8_t aarIdx, uint8_t uge) {
  Samler *s = gSamler;
  if (!s) return;
  UdfoerPlanKald();
  LaegLokaUgeUd();
  LaegSkphUgeUd();
  s->ugeAktiv = false;
  if (uge == 0 || uge >= UGE_SLOTS) return;
  s->ugeAktiv = true;
  s->ugeAar = aarIdx;
  s->ugeNr = uge;
  const Uge U = UgeAf(aarIdx, uge);
  s->w = UgeTilIndeks(U);
  s->skphAktiv = !s->skphUge.empty();
  s->skphW = s->w;
  for (uint8_t d = 1; d <= 7; ++d) {
    Samler::Dag &x = s->dage[d];
    x.dato = UgeDagTilDato(U, d);
    x.dagOff = DagOffset(x.dato);
    x.m = MaanedTilIndeks(x.dato / 100);
    x.y = SkoleAarIndeks(x.dato);
  }
  if (s->lokaUge.empty()) return;
  s->lokaAktiv = true;
  s->lokaAar = aarIdx;
  s->lokaUgeNr = uge;
}

// Made for one recount: sizes from the tables as they were just allocated.
void BegyndSamler(Samler &s) {
  LaanLager(s);
  s.A = TalDim.A;
  s.M = TalDim.M;
  s.F = TalDim.F;
  s.W = TalDim.W;
  s.R = TalDim.R;
  s.D = TalDim.D;
  s.idag = TalDagsDato();
  if (AktiTalTab) s.aktiMnd.assign((static_cast<size_t>(s.M) + 1) * s.A, AktiTalCelle{});
  if (MedTalUgeTab) s.medUge.assign((static_cast<size_t>(s.W) + 1) * s.F, MedTalUgeCelle{});
  s.dagEleverKlar = false;
  if (tvakti.pbTab && tvakti.wRecCnt) {
    s.aktiSum.assign(tvakti.wRecCnt, Samler::AktiSum{});
    s.aflyst.resize(tvakti.wRecCnt);
    for (uint32_t a = 0; a < tvakti.wRecCnt; ++a) s.aflyst[a] = TabRec<AktiRec>(tvakti, a)->Aflyst;
  }
  // The employments' monthly figures are fresh and zero: the working-time
  // pass that follows adds to them here too.
  s.MedM = MedTalM;
  const uint32_t antalAnfo = tvanfo.wRecCnt;
  s.harMedTal.assign(antalAnfo, 0);
  s.meda.assign(antalAnfo, 0);
  bool nogen = false;
  for (uint32_t f = 1; f < antalAnfo; ++f) {
    if (MedTalFor(f)) s.harMedTal[f] = 1, nogen = true;
    s.meda[f] = TabRec<AnfoRec>(tvanfo, f)->meda_id;
  }
  if (nogen && s.F == antalAnfo) s.medTal.assign((static_cast<size_t>(s.MedM) + 1) * s.F * MEDTAL_SLOTS, 0.0f);
  if (LokaOptalt && LokaSumTab && s.R) {
    s.lokaUge.assign(static_cast<size_t>(s.R) * LOKA_SLOTS_PR_UGE, 0);
    s.lokaErRoert.assign(s.R, 0);
    s.lokaRoert.assign(static_cast<size_t>(s.R) + 1, 0);  // one past: written before it is counted
  }
  s.S = TalDim.S;
  if (tvskph.pbTab && tvskph.wRecCnt) s.skphSum.assign(tvskph.wRecCnt, 0);
  if (skphAkkTab && s.S) {
    s.skphUge.assign(static_cast<size_t>(s.S) * 7, 0);
    s.skphErRoert.assign(s.S, 0);
    s.skphRoert.assign(static_cast<size_t>(s.S) + 1, 0);
  }
  gSamler = &s;
}

// The gathered cells into the tables, which held zeros until now.
void AfslutSamler(Samler &s) {
  UdfoerPlanKald();
  LaegLokaUgeUd();
  LaegSkphUgeUd();
  LaegPlanUd(s);
  for (uint32_t p = 0; p < s.skphSum.size(); ++p)
    if (s.skphSum[p]) {
      SkphRec *sp = TabRec<SkphRec>(tvskph, p);
      LAEG_TIL(sp->AntalLektioner, 1, s.skphSum[p]);
    }
  if (!s.aktiMnd.empty() && AktiTalTab && s.A == TalDim.A && s.M == TalDim.M)
    for (uint32_t a = 0; a < s.A; ++a)
      for (uint32_t m = 0; m <= s.M; ++m)
        AktiTalTab[static_cast<size_t>(a) * (s.M + 1) + m] = s.aktiMnd[static_cast<size_t>(m) * s.A + a];
  if (!s.medUge.empty() && MedTalUgeTab && s.F == TalDim.F && s.W == TalDim.W)
    for (uint32_t f = 0; f < s.F; ++f)
      for (uint32_t w = 0; w <= s.W; ++w)
        MedTalUgeTab[static_cast<size_t>(f) * (s.W + 1) + w] = s.medUge[static_cast<size_t>(w) * s.F + f];
  for (uint32_t a = 0; a < s.aktiSum.size(); ++a) {
    const Samler::AktiSum &x = s.aktiSum[a];
    AktiRec *ar = TabRec<AktiRec>(tvakti, a);
    if (!ar || (x.lererTimer == 0 && x.elev == 0 && x.lerer == 0)) continue;
    LAEG_TIL(ar->AntalLererTimer, 1, x.lererTimer);
    LAEG_TIL(ar->AntalElevLektioner, 1, x.elev);
    LAEG_TIL(ar->AntalLererLektioner, 1, x.lerer);
  }
  if (!s.medTal.empty() && s.MedM == MedTalM)
    for (uint32_t f = 1; f < s.F && f < tvanfo.wRecCnt; ++f)
      if (MedTalMaaned *mt = s.harMedTal[f] ? MedTalFor(f) : nullptr)
        for (uint32_t m = 0; m <= s.MedM; ++m)
          memcpy(mt[m], &s.medTal[(static_cast<size_t>(m) * s.F + f) * MEDTAL_SLOTS], sizeof(MedTalMaaned));
  gSamler = nullptr;
}

bool HarMedTal(uint32_t anfo) {
  if (const Samler *s = gSamler; s && !s->medTal.empty())
    return anfo < s->harMedTal.size() && s->harMedTal[anfo];
  return MedTalFor(anfo) != nullptr;
}

float *MedTalSlots(uint32_t anfo, MaanedIndeks m) {
  if (Samler *s = gSamler; s && !s->medTal.empty()) {
    if (anfo >= s->harMedTal.size() || !s->harMedTal[anfo] || m > s->MedM) return nullptr;
    return &s->medTal[(static_cast<size_t>(m) * s->F + anfo) * MEDTAL_SLOTS];
  }
  MedTalMaaned *mt = MedTalFor(anfo);
  if (!mt || m > MedTalM) return nullptr;
  return mt[m];
}

uint32_t MedaAf(uint32_t anfo) {
  if (const Samler *s = gSamler; s && anfo < s->meda.size()) return s->meda[anfo];
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  return a ? a->meda_id : 0;
}

bool KodeEr(const char *kode, const char *s) { return strncmp(kode, s, AKTTYPE_LEN) == 0; }

// A month YYYYMM inside the period.
bool MaanedIPerioden(Maaned mnd) {
  return mnd >= SkemaPeriode.FoersteMaaned && mnd <= SkemaPeriode.SidsteMaaned && SkemaPeriode.AntalMaaneder;
}

// The activity's dates overlap the plan group's.
bool AktiInPlanGruppe(uint32_t akti, uint32_t ffpg) {
  const AktiRec *a = TabRec<AktiRec>(tvakti, akti);
  const FfpgRec *p = TabRec<FfpgRec>(tvffpg, ffpg);
  if (!a || !p || akti == 0 || ffpg == 0) return false;
  return a->Fradato <= p->Tildato && p->Fradato <= a->Tildato;
}



// ---- Answers about single records ----
//
// While a full recount runs nothing changes the stored tables, so what the
// counters ask about one role, activity, employee or subject placement is
// asked once and kept until the recount ends. Outside a recount every
// question goes to the tables.

struct RolSvar {
  char kode[AKTTYPE_LEN];
  bool kodeAfsp, kodeOmsorg, kodeSyg, kodeFerieSh;
  bool syg, bs1, bs2, fravaer, sls, ferie, saerlig;
};

struct AktiSvar {
  bool plus, ovak;
  char type[AKTITYPE_LEN];
  char kode[AKTTYPE_LEN];
  bool kodeAfsp, kodeOmsorg, kodeFerie;  // of a non-empty code
};

RolSvar BeregnRol(uint32_t rol) {
  RolSvar r{};
  HentSkemarolAktivitetstype(rol, r.kode, sizeof r.kode);
  r.kode[sizeof r.kode - 1] = '\0';
  r.kodeAfsp = ErAfspadseringKode(r.kode);
  r.kodeOmsorg = ErOmsorgKode(r.kode);
  r.kodeSyg = ErSygdomKode(r.kode);
  r.kodeFerieSh = ErFerieKode(r.kode) || ErShKode(r.kode);
  r.syg = SkemarolErSygdom(rol);
  r.bs1 = strcmp(r.kode, "BS1") == 0 || SkemarolErBS1(rol);
  r.bs2 = strcmp(r.kode, "BS2") == 0 || SkemarolErBS2(rol);
  r.fravaer = SkemarolErFravaer(rol);
  r.sls = FindSlsKodeForSkemarol(rol) != 0;
  const SkemarolRec *rr = TabRec<SkemarolRec>(tvskemarol, rol);
  r.ferie = SkemarolHarSls500Eller505(rol) || (rr && rr->Rolle[0] == 'F');
  r.saerlig = !r.ferie && (SkemarolHarSls520Eller530(rol) || (rr && FeltErTekstI(rr->Rolle, sizeof rr->Rolle, "SF")));
  return r;
}

AktiSvar BeregnAkti(uint32_t akti) {
  AktiSvar a{};
  a.plus = IsPlusAkti(akti);
  a.ovak = IsOvakAkti(akti);
  AktiTypeTekster(akti, a.type, a.kode, sizeof a.type, sizeof a.kode);
  if (a.kode[0]) {
    a.kodeAfsp = ErAfspadseringKode(a.kode);
    a.kodeOmsorg = KodeEr(a.kode, "O");
    a.kodeFerie = ErFerieKode(a.kode);
  }
  return a;
}

// A small open-addressing map from 64-bit keys: the recount asks it once
// per event, and std::unordered_map's division and node chase were most of
// the cost of a subject-placement question.
class TalKort {
 public:
  // Null when the key is not held.
  const uint32_t *Find(uint64_t k) const {
    if (antal_ == 0) return nullptr;
    for (size_t i = Plads(k);; i = (i + 1) & maske_) {
      const Post &p = poster_[i];
      if (!p.brugt) return nullptr;
      if (p.noegle == k) return &p.vaerdi;
    }
  }
  void Forhaand(uint64_t k) const {
    if (antal_) tavo::Prefetch(&poster_[Plads(k)]);
  }
  void Saet(uint64_t k, uint32_t v) {
    if ((antal_ + 1) * 2 > poster_.size()) Voks();
    for (size_t i = Plads(k);; i = (i + 1) & maske_) {
      Post &p = poster_[i];
      if (!p.brugt) {
        p = {k, v, 1};
        ++antal_;
        return;
      }
      if (p.noegle == k) {
        p.vaerdi = v;
        return;
      }
    }
  }

 private:
  // Key, value and mark side by side: one cache line answers a question.
  struct Post {
    uint64_t noegle;
    uint32_t vaerdi;
    uint32_t brugt;
  };
  size_t Plads(uint64_t k) const { return static_cast<size_t>((k * 0x9E3779B97F4A7C15ull) >> skift_) & maske_; }
  void Voks() {
    std::vector<Post> gamle = std::move(poster_);
    const size_t stoerrelse = gamle.empty() ? 64 : gamle.size() * 2;
    poster_.assign(stoerrelse, Post{});
    maske_ = stoerrelse - 1;
    skift_ = 64;
    for (size_t s = stoerrelse; s > 1; s >>= 1) --skift_;
    antal_ = 0;
    for (const Post &p : gamle)
      if (p.brugt) Saet(p.noegle, p.vaerdi);
  }
  std::vector<Post> poster_;
  size_t maske_ = 0;
  int skift_ = 64;
  size_t antal_ = 0;
};

// The minute norms of the recount, per employment, role, activity,
// subject, fallback and plan value, each with the dates around the one it
// was worked out for on which the rules give the same: an employment's
// lessons of one activity ask the same rules week after week.
class NormHusk {
 public:
  struct Svar {
    DatoSpan span;
    float norm;
    uint8_t kode;
  };
  struct Noegle {
    uint32_t anfo, rol, akti, skfa, fallback, plan;  // the two floats as bits
    bool operator==(const Noegle &) const = default;
  };
  // The kept answer for the date, or null: the newest first, as they were
  // kept.
  const Svar *Find(const Noegle &k, Dato dato) const { return Find(k, Blanding(k), dato); }
  // The same with the key's mix worked out before: the table may have
  // grown since, as the mix is taken before the table's size.
  const Svar *Find(const Noegle &k, uint64_t blanding, Dato dato) const {
    if (antal_ == 0) return nullptr;
    for (size_t i = blanding & maske_;; i = (i + 1) & maske_) {
      const Post &p = poster_[i];
      if (!p.brugt) return nullptr;
      if (!(p.k == k)) continue;
      if (p.nyeste.span.Holder(dato)) return &p.nyeste;
      for (uint32_t n = p.aeldre; n; n = svar_[n].naeste)
        if (svar_[n].s.span.Holder(dato)) return &svar_[n].s;
      return nullptr;
    }
  }
  // Brings the key's slot toward the cache; answers nothing.
  void Forhaand(uint64_t blanding) const {
    if (antal_) tavo::Prefetch(&poster_[blanding & maske_]);
  }
  static uint64_t Blanding(const Noegle &k) {
    uint64_t h = k.anfo * 0x9E3779B97F4A7C15ull ^ k.rol * 0xC2B2AE3D27D4EB4Full ^ k.akti * 0x165667B19E3779F9ull ^
                 k.skfa * 0xD6E8FEB86659FD93ull ^ k.fallback * 0xFF51AFD7ED558CCDull ^ k.plan * 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 32;
    return h * 0x94D049BB133111EBull >> 40;
  }
  void Gem(const Noegle &k, const Svar &s) {
    if ((antal_ + 1) * 2 > poster_.size()) Voks();
    for (size_t i = Plads(k);; i = (i + 1) & maske_) {
      Post &p = poster_[i];
      if (!p.brugt) {
        p.k = k;
        p.nyeste = s;
        p.aeldre = 0;
        p.brugt = 1;
        ++antal_;
        return;
      }
      if (p.k == k) {
        if (svar_.empty()) svar_.push_back({});  // answer 0 ends a list
        svar_.push_back({p.nyeste, p.aeldre});
        p.aeldre = static_cast<uint32_t>(svar_.size() - 1);
        p.nyeste = s;
        return;
      }
    }
  }

 private:
  // The key with its newest answer in one cache line: most keys have one
  // answer for the whole period, and a question then reads nothing else.
  struct alignas(64) Post {
    Noegle k;
    Svar nyeste;
    uint32_t aeldre;  // into svar_, the older answers newest first
    uint32_t brugt;
  };
  struct Kaedet {
    Svar s;
    uint32_t naeste;
  };
  size_t Plads(const Noegle &k) const { return static_cast<size_t>(Blanding(k)) & maske_; }
  void Voks() {
    std::vector<Post> gamle = std::move(poster_);
    poster_.assign(gamle.empty() ? 256 : gamle.size() * 2, Post{});
    maske_ = poster_.size() - 1;
    for (const Post &p : gamle) {
      if (!p.brugt) continue;
      size_t i = Plads(p.k);
      while (poster_[i].brugt) i = (i + 1) & maske_;
      poster_[i] = p;
    }
  }
  std::vector<Post> poster_;
  std::vector<Kaedet> svar_;
  size_t antal_ = 0;
  size_t maske_ = 0;
};

// The time off that hontim rows register, per employment, day and
// thousandths of an hour, read once per month bucket while a recount runs.
struct HontimNoegle {
  uint32_t anfo;
  Dato dato;
  int64_t v;
  bool operator==(const HontimNoegle &) const = default;
};
struct HontimHash {
  size_t operator()(const HontimNoegle &k) const {
    const uint64_t h = (static_cast<uint64_t>(k.anfo) * 0x9E3779B97F4A7C15ull ^ k.dato * 0xC2B2AE3D27D4EB4Full) +
                       static_cast<uint64_t>(k.v) * 0x165667B19E3779F9ull;
    return static_cast<size_t>(h ^ (h >> 29));
  }
};

struct Huske {
  NormHusk normer;
  std::unordered_set<HontimNoegle, HontimHash> hontim;
  std::vector<Maaned> hontimLaest;
  std::vector<RolSvar> rol;
  std::vector<uint8_t> rolKlar;
  std::vector<AktiSvar> akti;
  std::vector<uint8_t> aktiKlar;
  std::vector<int8_t> stjerne;
  TalKort skph;
  // Each activity's last few subjects and their placements, the newest
  // first: an activity's events mostly share one subject or a few, and the
  // answer is then one load from a small array, early enough for the
  // placement's cells to be fetched ahead.
  static constexpr uint32_t SKPH_VED = 4;
  struct alignas(32) SkphVed {
    uint32_t skfa[SKPH_VED];  // 0: nothing kept
    uint32_t p[SKPH_VED];
    // The placement kept for the subject, or -1.
    int64_t Find(uint32_t fag) const {
      for (uint32_t i = 0; i < SKPH_VED; ++i)
        if (skfa[i] == fag) return p[i];
      return -1;
    }
    void Gem(uint32_t fag, uint32_t placering) {
      for (uint32_t i = SKPH_VED - 1; i > 0; --i) skfa[i] = skfa[i - 1], p[i] = p[i - 1];
      skfa[0] = fag;
      p[0] = placering;
    }
  };
  std::vector<SkphVed> skphVed;
  // The 8-byte keys the subject placements hold, built at the first
  // question: a pair found in neither order is answered 0 without a search.
  TalKort skphNoegler;
  bool skphNoeglerKlar = false;
  bool skphNoeglerBrugbar = false;
  // The activities' own minute norms for the postings, each with the dates
  // around the one it was worked out for that give the same answer.
  struct AktiNorm {
    DatoSpan span;
    float norm;
    uint8_t plus;
    bool fundet, klar;
  };
  std::vector<AktiNorm> aktiNorm;
};
thread_local Huske *gHuske = nullptr;  // the recount's own thread only

// The kept answer is read in place; working one out, or answering outside
// a recount, stays out of line so the common path is a few loads.
[[gnu::noinline]] const RolSvar &RolLangsomt(uint32_t rol) {
  thread_local RolSvar tmp;
  if (!gHuske || rol >= gHuske->rol.size()) return tmp = BeregnRol(rol);
  if (!gHuske->rolKlar[rol]) {
    gHuske->rol[rol] = BeregnRol(rol);
    gHuske->rolKlar[rol] = 1;
  }
  return gHuske->rol[rol];
}

inline const RolSvar &Rol(uint32_t rol) {
  if (const Huske *h = gHuske; h && rol < h->rol.size() && h->rolKlar[rol]) return h->rol[rol];
  return RolLangsomt(rol);
}

[[gnu::noinline]] const AktiSvar &AktiLangsomt(uint32_t akti) {
  thread_local AktiSvar tmp;
  if (!gHuske || akti >= gHuske->akti.size()) return tmp = BeregnAkti(akti);
  if (!gHuske->aktiKlar[akti]) {
    gHuske->akti[akti] = BeregnAkti(akti);
    gHuske->aktiKlar[akti] = 1;
  }
  return gHuske->akti[akti];
}

inline const AktiSvar &Akti(uint32_t akti) {
  if (const Huske *h = gHuske; h && akti < h->akti.size() && h->aktiKlar[akti]) return h->akti[akti];
  return AktiLangsomt(akti);
}

bool StjerneMeda(uint32_t anfo) {
  if (!gHuske || anfo >= gHuske->stjerne.size()) return IsStjerneMeda(anfo);
  int8_t &v = gHuske->stjerne[anfo];
  if (v < 0) v = IsStjerneMeda(anfo) ? 1 : 0;
  return v != 0;
}

uint64_t Noegle8(uint32_t a, uint32_t b) {
  const uint32_t par[2] = {a, b};
  uint64_t k;
  memcpy(&k, par, sizeof k);
  return k;
}

// Every record's first eight bytes, when the table's key is exactly those.
void ByggSkphNoegler(Huske &h) {
  h.skphNoeglerKlar = true;
  if (tdskph.KeyLen != 8 || tdskph.FeltTab[0].Type == FT_TEKST || tdskph.RecSize < 8 || !tvskph.pbTab) return;
  for (uint32_t r = 0; r < tvskph.wRecCnt; ++r) {
    uint64_t k;
    memcpy(&k, tvskph.pbTab + static_cast<size_t>(r) * tdskph.RecSize, sizeof k);
    h.skphNoegler.Saet(k, 1);
  }
  h.skphNoeglerBrugbar = true;
}

template <class E>
uint32_t SkphSoeg(Huske &h, uint32_t akti, uint32_t skfa, E Egen) {
  const uint64_t k = Noegle8(akti, skfa);
  if (const uint32_t *v = h.skph.Find(k)) return *v;
  if (h.skphNoeglerBrugbar && !h.skphNoegler.Find(k) && !h.skphNoegler.Find(Noegle8(skfa, akti))) return 0;
  // The first search sorts a table marked for it, so the keys are read
  // after it, where the records then stand.
  const uint32_t p = Egen(FindParRec(&tdskph, &tvskph, akti, skfa));
  if (!h.skphNoeglerKlar) ByggSkphNoegler(h);
  h.skph.Saet(k, p);
  return p;
}

// The subject placement of (activity, subject) that counts the activity's
// lessons: found by key, and only when it is the activity's own; else 0.
uint32_t SkphFor(uint32_t akti, uint32_t skfa) {
  auto Egen = [akti](uint32_t p) {
    const SkphRec *sp = p ? TabRec<SkphRec>(tvskph, p) : nullptr;
    return sp && sp->akti_id == akti ? p : 0;
  };
  if (!gHuske) return Egen(FindParRec(&tdskph, &tvskph, akti, skfa));
  Huske &h = *gHuske;
  Huske::SkphVed *ved = skfa && akti < h.skphVed.size() ? &h.skphVed[akti] : nullptr;
  if (ved)
    if (const int64_t p = ved->Find(skfa); p >= 0) return static_cast<uint32_t>(p);
  const uint32_t p = SkphSoeg(h, akti, skfa, Egen);
  if (ved) ved->Gem(skfa, p);
  return p;
}

// What the look-ahead worked out for the event it fetched for, handed on to
// its count: the event's minutes, and the mix of the minute-norm keys of its
// first valid employments and activities, keyed as the count will ask them.
// A mix that no longer fits its key (a role mended since) only sends the
// question the long way round: the table compares whole keys.
constexpr uint32_t NORM_FORUD = 4;
struct Forud {
  uint32_t forste = 0;
  float minutter = 0;
  uint32_t nAnfo = 0, nAkti = 0;
  uint64_t blanding[NORM_FORUD][NORM_FORUD];
};

// The working copies and kept answers as plain arrays, taken once when the
// recount has laid them out: none of them changes its size while the weeks
// are walked. A null array is one the recount does without.
struct Genveje {
  AktiTalCelle *aktiMnd = nullptr;
  MedTalUgeCelle *medUge = nullptr;
  float *medTal = nullptr;
  const uint8_t *harMedTal = nullptr;
  const uint32_t *meda = nullptr;
  Samler::AktiSum *aktiSum = nullptr;
  const char *aflyst = nullptr;
  uint8_t *lokaUge = nullptr;
  uint32_t nHarMedTal = 0, nMeda = 0, nAktiSum = 0, nAflyst = 0;
  const RolSvar *rol = nullptr;
  const uint8_t *rolKlar = nullptr;
  const AktiSvar *akti = nullptr;
  const uint8_t *aktiKlar = nullptr;
  Huske::SkphVed *skphVed = nullptr;
  Huske::AktiNorm *aktiNorm = nullptr;
  uint32_t nRol = 0, nAkti = 0, nSkphVed = 0, nAktiNorm = 0;

  Genveje(Samler &s, Huske &h) {
    if (!s.aktiMnd.empty()) aktiMnd = s.aktiMnd.data();
    if (!s.medUge.empty()) medUge = s.medUge.data();
    if (!s.medTal.empty()) medTal = s.medTal.data();
    harMedTal = s.harMedTal.data();
    nHarMedTal = static_cast<uint32_t>(s.harMedTal.size());
    meda = s.meda.data();
    nMeda = static_cast<uint32_t>(s.meda.size());
    aktiSum = s.aktiSum.data();
    nAktiSum = static_cast<uint32_t>(s.aktiSum.size());
    aflyst = s.aflyst.data();
    nAflyst = static_cast<uint32_t>(s.aflyst.size());
    if (!s.lokaUge.empty()) lokaUge = s.lokaUge.data();
    rol = h.rol.data();
    rolKlar = h.rolKlar.data();
    nRol = static_cast<uint32_t>(h.rol.size());
    akti = h.akti.data();
    aktiKlar = h.aktiKlar.data();
    nAkti = static_cast<uint32_t>(h.akti.size());
    skphVed = h.skphVed.data();
    nSkphVed = static_cast<uint32_t>(h.skphVed.size());
    aktiNorm = h.aktiNorm.data();
    nAktiNorm = static_cast<uint32_t>(h.aktiNorm.size());
  }
  // As Rol and Akti, with the kept answer read in place.
  const RolSvar &Rol_(uint32_t r) const { return r < nRol && rolKlar[r] ? rol[r] : Rol(r); }
  const AktiSvar &Akti_(uint32_t a) const { return a < nAkti && aktiKlar[a] ? akti[a] : Akti(a); }
};

// Fetches into the cache the cells and kept answers that the next event of
// a recount will read, while the event before it is counted: each event's
// cells lie anywhere in the tables, and the counting of one event is long
// enough for them to arrive. The event lies in the week being walked.
// Changes nothing but *pFu.
void ForhaandHent(const Genveje &gv, const Samler &s, const Huske &h, const UgeRaekker &rk, uint32_t forste,
                  Forud *pFu) {
  pFu->forste = 0;
  const SkeRec *f = rk(forste);
  if (!f || !s.ugeAktiv || f->Dag < 1 || f->Dag > 7) return;
  const MaanedIndeks m = s.dage[f->Dag].m;
  const UgeIndeks w = s.w;
  const bool mOk = m <= s.M, medM = m <= s.MedM, wOk = w <= s.W;
  MedTalArbejdstidCelle *const arb = MedTalArbejdstidTab && m <= TalDim.M ? MedTalArbejdstidTab + m : nullptr;
  const size_t arbRaekke = TalDim.M + 1;
  const uint32_t E = TalDim.E;
  uint8_t *const loka = gv.lokaUge && f->Lektion ? gv.lokaUge + (f->Dag - 1) * 48u + (f->Lektion - 1) : nullptr;
  // The minute-norm questions of the event's first employments and
  // activities are keyed below as the count will ask them.
  uint32_t akti[NORM_FORUD], nAkti = 0, nAnfo = 0;
  const SkeRec *anfoRk[NORM_FORUD];
  const uint32_t antalAkti = tvakti.wRecCnt, antalAnfo = tvanfo.wRecCnt, antalRol = tvskemarol.wRecCnt;
  const uint32_t A = s.A, F = s.F, R = s.R;
  for (uint32_t r = forste; const SkeRec *x = rk(r); ++r) {
    if (x->Forste != forste) break;
    if (const uint32_t a = x->akti_id; a) {
      if (a < antalAkti && nAkti < NORM_FORUD) akti[nAkti++] = a;
      if (a < A) {
        if (a < gv.nAktiSum) tavo::Prefetch(&gv.aktiSum[a]);
        if (gv.aktiMnd && mOk) tavo::Prefetch(&gv.aktiMnd[static_cast<size_t>(m) * A + a]);
        if (a < gv.nAkti) tavo::Prefetch(&gv.akti[a]);
        if (f->skfa_id && a < gv.nSkphVed) tavo::Prefetch(&gv.skphVed[a]);
      }
    }
    if (const uint32_t a = x->anfo_id; a) {
      if (a < antalAnfo && nAnfo < NORM_FORUD) anfoRk[nAnfo++] = x;
      if (a < F) {
        if (gv.medTal && medM) tavo::Prefetch(&gv.medTal[(static_cast<size_t>(m) * F + a) * MEDTAL_SLOTS]);
        if (gv.medUge && wOk) tavo::Prefetch(&gv.medUge[static_cast<size_t>(w) * F + a]);
        if (const uint32_t e = a < gv.nMeda ? gv.meda[a] : 0; arb && e < E) tavo::Prefetch(arb + e * arbRaekke);
      }
    }
    if (const uint32_t l = x->loka_id; l && l < R && loka) tavo::Prefetch(loka + static_cast<size_t>(l) * LOKA_SLOTS_PR_UGE);
  }
  const float minutter = static_cast<float>(MinutterMellem(f->Starttid, f->Sluttid));
  pFu->forste = forste;
  pFu->minutter = minutter;
  pFu->nAnfo = nAnfo;
  pFu->nAkti = nAkti;
  NormHusk::Noegle k{0, 0, 0, nAkti ? f->skfa_id : 0, 0, 0};
  memcpy(&k.fallback, &minutter, sizeof k.fallback);
  for (uint32_t j = 0; j < nAnfo; ++j) {
    const SkeRec *x = anfoRk[j];
    k.anfo = x->anfo_id;
    k.rol = antalRol && x->skemarol_id >= antalRol ? 0 : x->skemarol_id;
    const float plan = x->Minutnorm > 0 ? x->Minutnorm : -1.0f;
    memcpy(&k.plan, &plan, sizeof k.plan);
    for (uint32_t i = 0; i < (nAkti ? nAkti : 1); ++i) {
      k.akti = nAkti ? akti[i] : 0;
      const uint64_t b = NormHusk::Blanding(k);
      pFu->blanding[j][i] = b;
      h.normer.Forhaand(b);
    }
  }
}

// The same for a posting of month m a few rows ahead: its activity's and
// employment's cells lie anywhere, and a posting is counted in less time
// than they take to come.
void ForhaandHentPost(const TimoakRaekke *row, MaanedIndeks m) {
  const Samler *s = gSamler;
  const Huske *h = gHuske;
  if (!s || !h || !row) return;
  if (const uint32_t a = row->akti_id; a && a < s->A) {
    if (a < s->aktiSum.size()) tavo::Prefetch(&s->aktiSum[a]);
    if (!s->aktiMnd.empty() && m <= s->M) tavo::Prefetch(&s->aktiMnd[static_cast<size_t>(m) * s->A + a]);
    if (a < h->akti.size()) tavo::Prefetch(&h->akti[a]);
    if (a < h->aktiNorm.size()) tavo::Prefetch(&h->aktiNorm[a]);
  }
  if (const uint32_t a = row->anfo_id; a && a < s->F && !s->medTal.empty() && m <= s->MedM)
    tavo::Prefetch(&s->medTal[(static_cast<size_t>(m) * s->F + a) * MEDTAL_SLOTS]);
}

// Keeps the answers for the length of one recount.
struct HuskUnderOptaelling {
  Huske h;
  HuskUnderOptaelling() {
    h.rol.resize(tvskemarol.wRecCnt);
    h.rolKlar.assign(tvskemarol.wRecCnt, 0);
    h.akti.resize(tvakti.wRecCnt);
    h.aktiKlar.assign(tvakti.wRecCnt, 0);
    h.stjerne.assign(tvanfo.wRecCnt, -1);
    h.aktiNorm.assign(tvakti.wRecCnt, Huske::AktiNorm{});
    h.skphVed.assign(tvakti.wRecCnt, Huske::SkphVed{});
    gHuske = &h;
  }
  ~HuskUnderOptaelling() { gHuske = foer; }
  Huske *const foer = gHuske;
};

// AktiMinutnorm, from the kept answer while a recount runs: a month's
// postings of one activity mostly lie inside the dates of one rule.
bool AktiNormFor(Dato dato, uint32_t akti, float *pNorm, uint8_t *pPlus) {
  Huske *h = gHuske;
  if (!h || akti >= h->aktiNorm.size()) return AktiMinutnorm(dato, akti, pNorm, pPlus);
  Huske::AktiNorm &k = h->aktiNorm[akti];
  if (!k.klar || !k.span.Holder(dato)) {
    k = Huske::AktiNorm{};
    k.norm = *pNorm;
    k.fundet = AktiMinutnorm(dato, akti, &k.norm, &k.plus, &k.span);
    k.klar = true;
  }
  // As the rules leave them: the norm only when one was found.
  if (k.fundet) *pNorm = k.norm;
  *pPlus = k.plus;
  return k.fundet;
}

}  // namespace

int32_t Tusindedele(double v) {
  // Hundredths, halves away from zero, then nudged away from zero so the
  // truncation to thousandths cannot fall one short.
  const double a = std::fabs(v) * 100.0;
  if (!(a < 2.0e9)) return 0;
  // Truncation is the floor here, the sum being positive and well inside
  // the range of the integer.
  double r = static_cast<double>(static_cast<int64_t>(a + 0.5 + 1e-12)) / 100.0 + 1e-14;
  r *= 1000.0;
  return static_cast<int32_t>(v < 0 ? -r : r);
}

namespace {

// Thousandths of the values the counters meet over and over (a lesson of
// 1.0, three quarters of an hour), kept by the value's bits.
int32_t TusindedeleAf(float v) {
  struct Husket {
    uint32_t bits;
    int32_t t;
  };
  // All zero to begin with: the bits of 0.0, whose thousandths are 0.
  thread_local Husket husk[64] = {};
  uint32_t b;
  memcpy(&b, &v, sizeof b);
  Husket &h = husk[(b * 0x9E3779B1u) >> 26];
  if (h.bits != b) h = {b, Tusindedele(v)};
  return h.t;
}

}  // namespace

// ---- The figures of one event ----

void AllokerAnfoAktiGrund(AnfoAktiGrundRec *g) {
  SikrPlads(g->AnfoGrundTab, g->AllokAnfo, g->AntalAnfo, "AnfoAktiGrund->AnfoGrundTab != NULL");
  SikrPlads(g->AktiGrundTab, g->AllokAkti, g->AntalAkti, "AnfoAktiGrund->AktiGrundTab != NULL");
  SikrPlads(g->LokaGrundTab, g->AllokLoka, g->AntalLoka, "AnfoAktiGrund->LokaGrundTab != NULL");
  // The recount reads no entry past the counts, and every entry it counts is
  // written whole: clearing the tables for each of its events is left out.
  if (gSamler) return;
  memset(g->AnfoGrundTab, 0, g->AllokAnfo * sizeof(AnfoGrundPost));
  memset(g->AktiGrundTab, 0, g->AllokAkti * sizeof(AktiGrundPost));
  memset(g->LokaGrundTab, 0, g->AllokLoka * sizeof(LokaGrundPost));
}

void FreeAnfoAktiGrund(AnfoAktiGrundRec *g) {
  free(g->AnfoGrundTab);
  free(g->AktiGrundTab);
  free(g->LokaGrundTab);
  memset(g, 0, sizeof *g);
}

TabVar *UgeBucket(uint8_t aarIdx, uint8_t uge) {
  if (uge == 0 || uge >= UGE_SLOTS) return nullptr;
  return &SkemabegUgeTab[static_cast<size_t>(aarIdx) * UGE_SLOTS + uge];
}

bool SaetAnfoAktiGrundHoved(uint8_t aarIdx, uint8_t uge, uint32_t forste, AnfoAktiGrundRec *g) {
  g->AntalAkti = g->AntalAnfo = g->AntalLoka = 0;
  g->AntalLaerere = g->AntalSyge = 0;
  const TabVar *b = UgeBucket(aarIdx, uge);
  const SkeRec *f = Raekke(b, forste);
  if (!f || f->Forste != forste) return false;
  // A weekday or lesson the tables have no cell for: the event is left out.
  if (f->Dag < 1 || f->Dag > 7 || f->Lektion > MAX_LEKTION) return false;
  const Samler::Dag *ud = UgeDag(aarIdx, uge, f->Dag);
  g->Dato_ = ud ? ud->dato : UgeDagTilDato(UgeAf(aarIdx, uge), f->Dag);
  const UgeRaekker rk(b);
  for (uint32_t r = forste; const SkeRec *s = rk(r); ++r) {
    if (s->Forste != forste) break;
    if (s->akti_id) ++g->AntalAkti;
    if (s->anfo_id) ++g->AntalAnfo;
    if (s->loka_id) ++g->AntalLoka;
  }
  g->skfa = f->skfa_id;
  g->Lektionsvaerdi = f->Antal_std_lektioner;
  g->Minutter = static_cast<float>(MinutterMellem(f->Starttid, f->Sluttid));
  return true;
}

namespace {

// The factor of an employment: the event's lesson value, or, for an event
// without its own, the employment's standard lesson length when it has one.
float AnfoFaktor(uint32_t anfo, Dato dato, float antalStd, float lv, float minutter) {
  if (antalStd != 0) return lv;
  const uint32_t aftalop = MedPerAftalop(anfo, dato);
  const AftalopRec *a = TabRec<AftalopRec>(tvaftalop, aftalop);
  if (a && aftalop != 0 && a->Standardlektionslaengde != 0) {
    const float l = static_cast<float>(a->Standardlektionslaengde);
    return minutter == l ? 1.0f : minutter / l;
  }
  return lv;
}

void NyAnfoPost(AnfoAktiGrundRec *g, uint32_t anfo, uint32_t rol, float minutnorm, float antalStd, float lv) {
  if (g->AntalAnfo >= g->AllokAnfo) return;
  AnfoGrundPost &e = g->AnfoGrundTab[g->AntalAnfo++];
  memset(&e, 0, sizeof e);
  e.anfo = anfo;
  e.skemarol = rol;
  e.Minutnorm = minutnorm;
  if (!StjerneMeda(anfo) || Ind().taelstjerneakti) ++g->AntalLaerere;
  const RolSvar r = Rol(rol);
  memcpy(e.Aktivitetstype, r.kode, sizeof e.Aktivitetstype);
  if (r.kodeSyg) ++g->AntalSyge;
  e.Faktor = AnfoFaktor(anfo, g->Dato_, antalStd, lv, g->Minutter);
}

void NyAktiPost(AnfoAktiGrundRec *g, uint32_t akti, float andel, float lv) {
  if (g->AntalAkti >= g->AllokAkti) return;
  // The minute-norm rules read the activity's record next; it is fetched
  // while the rest of the event is gathered. A recount answers them from
  // its kept answers, which rarely read the record: there the fetch would
  // only take a place among the misses it waits for.
  if (!gHuske) tavo::Prefetch(TabRec<AktiRec>(tvakti, akti));
  AktiGrundPost &a = g->AktiGrundTab[g->AntalAkti++];
  memset(&a, 0, sizeof a);
  a.akti = akti;
  const AktiSvar &s = Akti(akti);
  memcpy(a.Type, s.type, sizeof a.Type);
  memcpy(a.Aktivitetstype, s.kode, sizeof a.Aktivitetstype);
  a.Andel = andel;
  a.Lektionsvaerdi = lv;
}

// The persons on each activity that day, their sum over the activities that
// are not plus activities, the activity with the most, and the share left
// over for it when the shares do not make up the whole. Each activity's
// persons are read once and kept beside it.
constexpr uint32_t FORDEL_MAX = 64;

struct Fordeling {
  double personer = 0;
  uint32_t flest = 0;  // index among the activities
  double rest = 0;
  uint32_t elever[FORDEL_MAX];
};

void Fordel(const uint32_t *akti, uint32_t n, int32_t dagOff, bool restTilHundrededele, Fordeling *pF) {
  Fordeling &f = *pF;
  f.personer = 0;
  f.flest = 0;
  f.rest = 0;
  if (n > FORDEL_MAX) n = FORDEL_MAX;
  uint32_t maks = 0;
  bool plus[FORDEL_MAX];
  for (uint32_t i = 0; i < n; ++i) {
    f.elever[i] = DagElever(akti[i], dagOff);
    plus[i] = Akti(akti[i]).plus;
    if (plus[i]) continue;
    const uint32_t p = f.elever[i];
    f.personer += p;
    if (p > maks) maks = p, f.flest = i;
  }
  if (f.personer > 0) {
    double sum = 0;
    for (uint32_t i = 0; i < n; ++i)
      if (!plus[i]) sum += f.elever[i] / f.personer;
    f.rest = 1.0 - sum;
    if (restTilHundrededele) f.rest = RoundDecimals(2, f.rest);
  }
}

float Andel(const Fordeling &f, uint32_t akti, uint32_t i, uint32_t aktiRaekker, int32_t dagOff) {
  if (f.personer <= 0) return 1.0f / static_cast<float>(aktiRaekker ? aktiRaekker : 1);
  double a = (i < FORDEL_MAX ? f.elever[i] : DagElever(akti, dagOff)) / f.personer;
  if (i == f.flest) a += f.rest;
  return static_cast<float>(a);
}

}  // namespace

void FyldAnfoAktiGrund(uint8_t aarIdx, uint8_t uge, uint32_t forste, AnfoAktiGrundRec *g) {
  TabVar *b = UgeBucket(aarIdx, uge);
  const SkeRec *f = Raekke(b, forste);
  g->AntalAkti = g->AntalAnfo = g->AntalLoka = 0;
  g->AntalLaerere = g->AntalSyge = 0;
  if (!f) return;
  const Samler::Dag *ud = UgeDag(aarIdx, uge, f->Dag);
  const int32_t dagOff = ud && ud->dato == g->Dato_ ? ud->dagOff : DagOffset(g->Dato_);
  const float lv = Lektionsvaerdi(f->Antal_std_lektioner, g->Minutter);

  // The event's activities, in row order, as the shares are counted over them.
  uint32_t aktiListe[64];
  uint32_t nAkti = 0, aktiRaekker = 0;
  const UgeRaekker rk(b);
  for (uint32_t r = forste; const SkeRec *s = rk(r); ++r) {
    if (s->Forste != forste) break;
    if (s->akti_id && s->akti_id < tvakti.wRecCnt) {
      ++aktiRaekker;
      if (nAkti < 64) aktiListe[nAkti++] = s->akti_id;
    }
  }
  // One activity takes the whole event, whoever is enrolled on it.
  Fordeling ford;
  if (nAkti > 1) Fordel(aktiListe, nAkti, dagOff, false, &ford);

  uint32_t aktiNr = 0;
  for (uint32_t r = forste; SkeRec *s = rk(r); ++r) {
    if (s->Forste != forste) break;
    // A role past the table is mended to none; the data store has no
    // window layer to beep through.
    if (tvskemarol.wRecCnt && s->skemarol_id >= tvskemarol.wRecCnt) s->skemarol_id = 0;
    if (tvskemarol.wRecCnt && !(s->skemarol_id < tvskemarol.wRecCnt))
      tavo::AssertFailed("SkeRec->skemarol_id < tvskemarol.wRecCnt", "TavoTal", __LINE__);
    if (s->akti_id && s->akti_id < tvakti.wRecCnt) {
      NyAktiPost(g, s->akti_id, nAkti > 1 ? Andel(ford, s->akti_id, aktiNr, aktiRaekker, dagOff) : 1.0f, lv);
      ++aktiNr;
    }
    if (s->anfo_id && s->anfo_id < tvanfo.wRecCnt)
      NyAnfoPost(g, s->anfo_id, s->skemarol_id, s->Minutnorm, f->Antal_std_lektioner, lv);
    if (s->loka_id && s->loka_id < tvloka.wRecCnt && g->AntalLoka < g->AllokLoka)
      g->LokaGrundTab[g->AntalLoka++] = LokaGrundPost{s->loka_id, s->lokrolle_id, lv};
  }
}

namespace {

// The rows of an event's valid employments that a recount's walk keeps for
// writing the computed norms back.
constexpr uint32_t ANFO_RAEKKER = 16;
struct AnfoRaekker {
  SkeRec *rk[ANFO_RAEKKER];
  uint32_t n = 0;
};

// The recount's gathering of one event: what SaetAnfoAktiGrundHoved,
// AllokerAnfoAktiGrund and FyldAnfoAktiGrund give one after the other, in
// one walk over the rows. The lists grow as the walk meets their entries;
// the activities' shares, which need every activity of the event, are put
// in when the walk ends. False as SaetAnfoAktiGrundHoved.
bool SamletAnfoAktiGrund(uint8_t aarIdx, uint8_t uge, uint32_t forste, AnfoAktiGrundRec *g, AnfoRaekker *pRk) {
  g->AntalAkti = g->AntalAnfo = g->AntalLoka = 0;
  g->AntalLaerere = g->AntalSyge = 0;
  pRk->n = 0;
  TabVar *b = UgeBucket(aarIdx, uge);
  const SkeRec *f = Raekke(b, forste);
  if (!f || f->Forste != forste) return false;
  if (f->Dag < 1 || f->Dag > 7 || f->Lektion > MAX_LEKTION) return false;
  const Samler::Dag *ud = UgeDag(aarIdx, uge, f->Dag);
  g->Dato_ = ud ? ud->dato : UgeDagTilDato(UgeAf(aarIdx, uge), f->Dag);
  g->skfa = f->skfa_id;
  g->Lektionsvaerdi = f->Antal_std_lektioner;
  g->Minutter = static_cast<float>(MinutterMellem(f->Starttid, f->Sluttid));
  SikrPlads(g->AnfoGrundTab, g->AllokAnfo, 0, "AnfoAktiGrund->AnfoGrundTab != NULL");
  SikrPlads(g->AktiGrundTab, g->AllokAkti, 0, "AnfoAktiGrund->AktiGrundTab != NULL");
  SikrPlads(g->LokaGrundTab, g->AllokLoka, 0, "AnfoAktiGrund->LokaGrundTab != NULL");
  const int32_t dagOff = ud ? ud->dagOff : DagOffset(g->Dato_);
  const float lv = Lektionsvaerdi(f->Antal_std_lektioner, g->Minutter);
  const float antalStd = f->Antal_std_lektioner;
  const uint32_t antalAkti = tvakti.wRecCnt, antalAnfo = tvanfo.wRecCnt, antalLoka = tvloka.wRecCnt;
  const uint32_t antalRol = tvskemarol.wRecCnt;
  uint32_t aktiListe[64];
  uint32_t nAkti = 0;
  const UgeRaekker rk(b);
  for (uint32_t r = forste; SkeRec *x = rk(r); ++r) {
    if (x->Forste != forste) break;
    if (antalRol && x->skemarol_id >= antalRol) x->skemarol_id = 0;
    if (const uint32_t a = x->akti_id; a && a < antalAkti) {
      if (nAkti < 64) aktiListe[nAkti++] = a;
      if (g->AntalAkti >= g->AllokAkti)
        SikrPlads(g->AktiGrundTab, g->AllokAkti, g->AntalAkti + 1, "AnfoAktiGrund->AktiGrundTab != NULL");
      NyAktiPost(g, a, 1.0f, lv);
    }
    if (const uint32_t a = x->anfo_id; a && a < antalAnfo) {
      if (g->AntalAnfo >= g->AllokAnfo)
        SikrPlads(g->AnfoGrundTab, g->AllokAnfo, g->AntalAnfo + 1, "AnfoAktiGrund->AnfoGrundTab != NULL");
      NyAnfoPost(g, a, x->skemarol_id, x->Minutnorm, antalStd, lv);
      if (pRk->n < ANFO_RAEKKER) pRk->rk[pRk->n] = x;
      ++pRk->n;
    }
    if (const uint32_t l = x->loka_id; l && l < antalLoka) {
      if (g->AntalLoka >= g->AllokLoka)
        SikrPlads(g->LokaGrundTab, g->AllokLoka, g->AntalLoka + 1, "AnfoAktiGrund->LokaGrundTab != NULL");
      g->LokaGrundTab[g->AntalLoka++] = LokaGrundPost{l, x->lokrolle_id, lv};
    }
  }
  // One activity takes the whole event, whoever is enrolled on it.
  if (nAkti > 1) {
    Fordeling ford;
    Fordel(aktiListe, nAkti, dagOff, false, &ford);
    for (uint32_t k = 0; k < g->AntalAkti; ++k) {
      AktiGrundPost &a = g->AktiGrundTab[k];
      a.Andel = Andel(ford, a.akti, k, g->AntalAkti, dagOff);
    }
  }
  return true;
}

}  // namespace

void FyldAnfoAktiGrundFraAVS(Dato dato, const AVSLister *avs, AnfoAktiGrundRec *g) {
  g->AntalAkti = g->AntalAnfo = g->AntalLoka = 0;
  g->AntalLaerere = g->AntalSyge = 0;
  const int32_t dagOff = DagOffset(dato);
  const float lv = Lektionsvaerdi(g->Lektionsvaerdi, g->Minutter);
  uint32_t gyldige[64] = {};
  uint32_t n = 0;
  for (uint32_t i = 0; avs->aktiTab && i < avs->AntalAkti && n < 64; ++i)
    if (avs->aktiTab[i] && avs->aktiTab[i] < tvakti.wRecCnt) gyldige[n++] = avs->aktiTab[i];
  Fordeling ford;
  Fordel(gyldige, n, dagOff, true, &ford);
  for (uint32_t i = 0; i < n; ++i) NyAktiPost(g, gyldige[i], Andel(ford, gyldige[i], i, n, dagOff), lv);
  for (uint32_t i = 0; avs->anfoTab && i < avs->AntalAnfo; ++i) {
    const uint32_t anfo = avs->anfoTab[i];
    if (!anfo || anfo >= tvanfo.wRecCnt) continue;
    NyAnfoPost(g, anfo, avs->skemarolTab ? avs->skemarolTab[i] : 0, avs->minutTab ? avs->minutTab[i] : 0.0f,
               g->Lektionsvaerdi, lv);
  }
}

namespace {

// A row minute norm of 0 or less sets no norm of its own: passed on as
// "no plan value", so an event written without one still counts its time.
float PlanVaerdi(float rowNorm) { return rowNorm > 0 ? rowNorm : -1.0f; }

uint32_t Bits(float f) {
  uint32_t b;
  memcpy(&b, &f, sizeof b);
  return b;
}

// The minute-norm rules, from the recount's kept answers when it runs.
// Nothing the rules read changes while it runs: the records stay as they
// are, and the plan value question answers from the plan lines' entries,
// which only the plan-line pass makes, and it waits for the mutex the
// recount holds.
void Minutnorm(Dato dato, uint32_t anfo, uint32_t rol, float fallback, uint32_t akti, uint32_t skfa,
               float *pNorm, uint8_t *pKode, float planVaerdi) {
  Huske *h = gHuske;
  if (!h) {
    BeregnMinutnorm(dato, anfo, rol, fallback, akti, skfa, pNorm, pKode, planVaerdi);
    return;
  }
  const NormHusk::Noegle k{anfo, rol, akti, skfa, Bits(fallback), Bits(planVaerdi)};
  if (const NormHusk::Svar *s = h->normer.Find(k, dato)) {
    *pNorm = s->norm;
    *pKode = s->kode;
    return;
  }
  NormHusk::Svar s{};
  BeregnMinutnorm(dato, anfo, rol, fallback, akti, skfa, &s.norm, &s.kode, planVaerdi, &s.span);
  *pNorm = s.norm;
  *pKode = s.kode;
  if (s.span.Holder(dato)) h->normer.Gem(k, s);
}

// BeregnPlanTimer through the kept answers: a planned line's norm is that
// of role 0 with no fallback. Only the norm is used, and it does not depend
// on the plan value question (the plan value is the norm), so the answers
// kept while the plan-line pass makes the list's entries hold.
float PlanTimer(uint32_t akti, uint32_t anfo, uint32_t skfa, Dato dato, int32_t tiendeLektioner, float planVaerdi) {
  if (!gHuske) return BeregnPlanTimer(akti, anfo, skfa, dato, tiendeLektioner, planVaerdi);
  float norm = 0.0f;
  uint8_t kode = 0;
  Minutnorm(dato, anfo, 0, 0.0f, akti, skfa, &norm, &kode, planVaerdi);
  return MinutterTilTimer(norm, static_cast<float>(tiendeLektioner) / 10.0f);
}

// The minute norm of each employment and activity of the last event that
// BeregnAnfoTimer worked out (employment x activities + activity): the
// event counter's plan actuals need the same norms again.
thread_local std::vector<float> tNormer;

// One employment's share of an event's hours from the norm of one of its
// activities (k: the activity's place in the event); the single count and
// the recount ask the norms their own ways and add them here alike.
[[gnu::always_inline]] inline void LaegNormTil(AnfoGrundPost &e, AktiGrundPost &a, uint32_t k, float norm,
                                               uint8_t kode, bool syg) {
  const float h = a.Andel * e.Faktor * norm / 60.0f;
  e.Timer += h;
  e.Beregn += a.Andel * norm;
  if (!syg) a.Timer += h;
  if (k == 0)
    e.Hvorfra = kode;
  else if (kode != e.Hvorfra)
    e.Hvorfra = 3;
}

// The hours of an employment of an event without activities.
[[gnu::always_inline]] inline void SaetNormUdenAkti(AnfoGrundPost &e, float norm, uint8_t kode) {
  e.Beregn = norm;
  e.Hvorfra = kode;
  e.Timer = norm / 60.0f * e.Faktor;
}


}  // namespace

void BeregnAnfoTimer(AnfoAktiGrundRec *g) {
  for (uint32_t i = 0; i < g->AntalAnfo; ++i) {
    AnfoGrundPost &e = g->AnfoGrundTab[i];
    e.Timer = 0;
    e.Beregn = 0;
    e.Hvorfra = 0;
    if (g->AntalAkti == 0) {
      float norm = 0;
      uint8_t kode = 0;
      Minutnorm(g->Dato_, e.anfo, e.skemarol, g->Minutter, 0, 0, &norm, &kode, PlanVaerdi(e.Minutnorm));
      SaetNormUdenAkti(e, norm, kode);
      continue;
    }
    const bool syg = Rol(e.skemarol).syg;
    if (tNormer.size() < static_cast<size_t>(g->AntalAnfo) * g->AntalAkti)
      tNormer.resize(static_cast<size_t>(g->AntalAnfo) * g->AntalAkti);
    for (uint32_t k = 0; k < g->AntalAkti; ++k) {
      AktiGrundPost &a = g->AktiGrundTab[k];
      float norm = 0;
      uint8_t kode = 0;
      Minutnorm(g->Dato_, e.anfo, e.skemarol, g->Minutter, a.akti, g->skfa, &norm, &kode, PlanVaerdi(e.Minutnorm));
      tNormer[static_cast<size_t>(i) * g->AntalAkti + k] = norm;
      LaegNormTil(e, a, k, norm, kode, syg);
    }
  }
}

namespace {

// Each live row of the bucket of dato's month that registers time off: the
// amount it registers (thousandths of an hour), given to f with its row.
template <class F>
void HontimFravaer(Maaned mnd, F f) {
  const TabVar *b = HontimBucket(mnd);
  for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
    const HontimRaekke *h = Post<HontimRaekke>(b, r);
    if (!h || !Levende(h->Status)) continue;
    const HontityRec *t = TabRec<HontityRec>(tvhontity, h->hontity_id);
    if (!t || h->hontity_id == 0) continue;
    const int64_t v = static_cast<int64_t>(h->Enheder) * 10;
    if (FeltErTekst(t->timetype, 3, "AF") || FeltErTekst(t->timetype, 3, "A9")) f(*h, v);
    if (FeltErTekst(t->timetype, 3, "O") && h->Enheder < 0) f(*h, -v);
  }
}

}  // namespace

bool HontimFindes(uint32_t anfo, Dato dato, int32_t H) {
  if (Huske *hu = gHuske) {
    // A recount asks for many events: the month's rows are read once. Only
    // the rows dated in the bucket's own month can answer, as below.
    const Maaned mnd = dato / 100;
    if (std::find(hu->hontimLaest.begin(), hu->hontimLaest.end(), mnd) == hu->hontimLaest.end()) {
      hu->hontimLaest.push_back(mnd);
      HontimFravaer(mnd, [&](const HontimRaekke &h, int64_t v) {
        if (h.Dato / 100 == mnd) hu->hontim.insert({h.anfo_id, h.Dato, v});
      });
    }
    return hu->hontim.count({anfo, dato, H}) != 0;
  }
  bool fundet = false;
  HontimFravaer(dato / 100, [&](const HontimRaekke &h, int64_t v) {
    fundet = fundet || (h.anfo_id == anfo && h.Dato == dato && v == H);
  });
  return fundet;
}

namespace {

// The norm worked out for an employment back into its event row, written
// only when changed: a row that already holds it (as after the last count)
// is left clean, and the recount does not have to write every event row of
// the period back to memory.
[[gnu::always_inline]] inline void SkrivNormTilbage(SkeRec *s, const AnfoGrundPost &e) {
  const float beregn = e.Beregn;
  const char hvorfra = static_cast<char>(e.Hvorfra);
  float gammel;
  memcpy(&gammel, reinterpret_cast<const char *>(s) + offsetof(SkeRec, Beregn), sizeof gammel);
  if (memcmp(&gammel, &beregn, sizeof beregn) != 0) s->Beregn = beregn;
  if (s->Hvorfra != hvorfra) s->Hvorfra = hvorfra;
}

// What the rules for one employment's share of an event read of the event.
struct BegRegel {
  int sign;
  int32_t L;
  Dato dato, idag;
  bool norm, egenPlan;
  uint32_t antalAkti, skfa;
  MaanedIndeks m;
  UgeIndeks w;
  uint8_t dag;
};

// The rules by which one employment's hours of an event go to its month
// slots, working time, week cell, holiday days and plan actuals. The single
// count and the recount reach the cells their own ways: ugeCelle gives the
// employment's week cell (asked only when the hours go there), ovak whether
// the event's first activity is kept out of the counts, and normer the
// employment's norm of each activity.
template <class UgeCelle, class Ovak>
[[gnu::always_inline]] inline void TaelAnfoRegler(const BegRegel &b, const AnfoGrundPost &e, const RolSvar &rs,
                                                  float *slot, MedTalArbejdstidCelle *arb, MedTalFerieCelle *ferie,
                                                  AktiGrundPost *aktier, const float *normer, UgeCelle ugeCelle,
                                                  Ovak ovak) {
  const int sign = b.sign;
  const int32_t L = b.L;
  const Dato dato = b.dato, idag = b.idag;
  const bool norm = b.norm;
  const uint32_t anfo = e.anfo;
  const float h = e.Timer, sh = static_cast<float>(sign) * h;
  const bool afsp = rs.kodeAfsp, omsorg = rs.kodeOmsorg;
  auto Slot = [&](int n) {
    if (slot) slot[n] += sh;
  };
  auto Fravaer = [&] {
    if (arb) arb->Fravaer += sh;
  };
  if (h != 0) {
    if (afsp && !HontimFindes(anfo, dato, Tusindedele(h))) Slot(15);
    if (omsorg && !HontimFindes(anfo, dato, Tusindedele(h))) Slot(17);
    const bool bs1 = rs.bs1, bs2 = rs.bs2;
    if (bs1 || bs2) {
      if (bs1) Slot(19);
      if (bs2) Slot(20);
      if (!norm) Slot(4);
      Fravaer();
    } else if (b.antalAkti == 0) {
      if (omsorg || afsp || rs.fravaer) Slot(4);
      if ((h != 0 || L != 0) && b.egenPlan)
        AddPlanTabSkema(0, anfo, b.skfa, b.m, b.w, b.dag, e.Minutnorm, sh, static_cast<uint32_t>(sign * L));
    } else if (omsorg || afsp || rs.kodeSyg) {
      if (!norm) Slot(4);
      Fravaer();
    } else if (rs.kodeFerieSh) {
      Slot(3);
      Fravaer();
    } else if (rs.sls) {
      Fravaer();
    } else if (!ovak()) {
      if (MedTalUgeCelle *c = ugeCelle()) {
        LAEG_TIL(c->Lektioner, sign, L);
        c->Timer += sh;
      }
      if (!norm) {
        Slot(0);
      } else if (dato < idag) {
        if (arb) arb->Undervisning += sh;
        Slot(0);
      } else if (arb) {
        arb->Fremtid += sh;
      }
    } else {
      Slot(4);
    }
  }

  // Holiday days.
  const bool ferieRolle = rs.ferie, saerlig = rs.saerlig;
  if (ferie && (ferieRolle || saerlig)) {
    const int64_t dage = L > GetDagsNorm(anfo, dato) / 2 ? 1000 : 500;
    if (dato > idag && ferieRolle)
      LAEG_TIL(ferie->PlanlagtFremad, sign, dage);
    else if (dato > idag)
      LAEG_TIL(ferie->SaerligFremad, sign, dage);
    else if (ferieRolle)
      LAEG_TIL(ferie->Afholdt, sign, dage);
    else
      LAEG_TIL(ferie->SaerligAfholdt, sign, dage);
  }

  // Plan actuals per activity, with the minute norms the hours were
  // worked out with: the same rule for the same employment and activity.
  if (b.egenPlan && b.antalAkti > 0) {
    for (uint32_t k = 0; k < b.antalAkti; ++k) {
      AktiGrundPost &a = aktier[k];
      a.Skrab = a.Andel * e.Faktor * normer[k] / 60.0f;
      if (a.Skrab != 0 || L != 0)
        AddPlanTabSkema(a.akti, anfo, b.skfa, b.m, b.w, b.dag, e.Minutnorm, static_cast<float>(sign) * a.Skrab,
                        static_cast<uint32_t>(sign * L));
      a.Skrab = 0;
    }
  }
}

// An activity's lessons of an event: to its running sums while a count
// keeps them, else to its record, and to its month cell.
[[gnu::always_inline]] inline void TaelAktiLektioner(AktiRec *ar, Samler::AktiSum *sum, AktiTalCelle *c, int sign,
                                                     int32_t L, int64_t t) {
  if (sum) {
    sum->elev += sign * static_cast<int64_t>(L);
    sum->lerer += sign * (t * L);
  } else {
    LAEG_TIL(ar->AntalElevLektioner, sign, L);
    LAEG_TIL(ar->AntalLererLektioner, sign, t * L);
  }
  if (c) {
    LAEG_TIL(c->ElevLektioner, sign, L);
    LAEG_TIL(c->LaererLektioner, sign, t * L);
  }
}

}  // namespace

void OptaelSkemabeg(uint8_t aarIdx, uint8_t uge, uint32_t forste, int sign) {
  AnfoAktiGrundRec &g = AnfoAktiGrund;
  const Dato idag = Idag();
  AnfoRaekker anfoRk;
  if (gSamler) {
    if (!SamletAnfoAktiGrund(aarIdx, uge, forste, &g, &anfoRk)) return;
  } else {
    if (!SaetAnfoAktiGrundHoved(aarIdx, uge, forste, &g)) return;
    AllokerAnfoAktiGrund(&g);
    FyldAnfoAktiGrund(aarIdx, uge, forste, &g);
  }
  BeregnAnfoTimer(&g);

  TabVar *b = UgeBucket(aarIdx, uge);
  const SkeRec f = *Raekke(b, forste);
  auto SkrivTilbage = [&g](SkeRec *s, uint32_t i) { SkrivNormTilbage(s, g.AnfoGrundTab[i]); };
  if (anfoRk.n <= ANFO_RAEKKER && anfoRk.n == g.AntalAnfo) {
    for (uint32_t i = 0; i < anfoRk.n; ++i) SkrivTilbage(anfoRk.rk[i], i);
  } else {
    uint32_t i = 0;
    const UgeRaekker rk(b);
    for (uint32_t r = forste; SkeRec *s = rk(r); ++r) {
      if (s->Forste != forste) break;
      if (!s->anfo_id || s->anfo_id >= tvanfo.wRecCnt || i >= g.AntalAnfo) continue;
      SkrivTilbage(s, i++);
    }
  }

  const Uge U = UgeAf(aarIdx, uge);
  const Samler::Dag *ud = UgeDag(aarIdx, uge, f.Dag);
  if (ud && ud->dato != g.Dato_) ud = nullptr;
  const UgeIndeks w = ud ? gSamler->w : UgeTilIndeks(U);
  if (w == 0 || w > SkemaPeriode.AntalUger) return;
  const Dato dato = g.Dato_;
  const MaanedIndeks m = ud ? ud->m : MaanedTilIndeks(dato / 100);
  const int32_t L = TusindedeleAf(Lektionsvaerdi(f.Antal_std_lektioner, g.Minutter));
  const uint32_t y = ud ? ud->y : SkoleAarIndeks(dato);
  const BegRegel regel{sign, L, dato, idag, Ind().normsystem != 0, !Ind().supertavo && HarEgenPlan,
                       g.AntalAkti, f.skfa_id, m, w, f.Dag};

  for (uint32_t i = 0; i < g.AntalAnfo; ++i) {
    const AnfoGrundPost &e = g.AnfoGrundTab[i];
    if (!HarMedTal(e.anfo)) continue;
    const uint32_t meda = MedaAf(e.anfo);
    float *slot = MedTalSlots(e.anfo, m);
    MedTalArbejdstidCelle *arb = ArbCelle(meda, m);
    MedTalFerieCelle *ferie = FerieCelle(meda, y);
    TaelAnfoRegler(
        regel, e, Rol(e.skemarol), slot, arb, ferie, g.AktiGrundTab, tNormer.data() + static_cast<size_t>(i) * g.AntalAkti,
        [&] { return MedUgeCelle(e.anfo, w); }, [&] { return Akti(g.AktiGrundTab[0].akti).ovak; });
  }

  // Activities.
  for (uint32_t k = 0; k < g.AntalAkti; ++k) {
    const AktiGrundPost &a = g.AktiGrundTab[k];
    AktiRec *ar = TabRec<AktiRec>(tvakti, a.akti);
    if (!ar) continue;
    Samler::AktiSum *sum = AktiSumFor(a.akti);
    if (sum)
      sum->lererTimer += sign * static_cast<int64_t>(TusindedeleAf(a.Timer));
    else
      LAEG_TIL(ar->AntalLererTimer, sign, TusindedeleAf(a.Timer));
    AktiTalCelle *c = AktiCelle(a.akti, m);
    if (c) c->Timer += static_cast<float>(sign) * a.Timer;
    if (!Ind().supertavo && !Ind().skemalaast && AktiAflyst(ar, a.akti) == 'J' && U > SkemaPeriode.LaasUge &&
        f.Ejer == Ind().insnr) {
      // Counted whichever way the event goes: the check reports every
      // change on a cancelled activity.
      ++AflystBegAntal;
      if (AktiAflystTab && a.akti <= TalDim.A) ++AktiAflystTab[a.akti];
    }
    const bool taeller = g.AntalLaerere > g.AntalSyge || (g.AntalLaerere == 0 && Ind().taelaktibooking);
    if (!taeller || Akti(a.akti).ovak) continue;
    TaelAktiLektioner(ar, sum, c, sign, L, static_cast<int64_t>(g.AntalLaerere) - g.AntalSyge);
    if (g.skfa)
      if (const uint32_t p = SkphFor(a.akti, g.skfa)) LaegTilSkph(p, w, f.Dag, sign, L);
  }

  // Rooms: a slot counts once however many events hold it.
  if (f.Lektion != 0 && LokaSumTab && LokaOptalt && aarIdx < TalDim.Y) {
    for (uint32_t k = 0; k < g.AntalLoka; ++k) {
      const uint32_t loka = g.LokaGrundTab[k].loka;
      if (loka >= TalDim.R) continue;
      uint8_t &v = *LokaSlot(loka, aarIdx, uge, f.Dag, f.Lektion);
      uint32_t &sum = LokaSumTab[static_cast<size_t>(loka) * TalDim.Y + aarIdx];
      if (sign > 0) {
        if (v < LOKA_OPTALT_MAX && ++v == 1) sum += 1000;
      } else if (v > 0 && --v == 0) {
        sum -= 1000;
      }
    }
  }
}

namespace {

// What the count of each event of a week asks of the week, the settings
// and the tables: the same for every event of the week, so worked out when
// the week begins.
struct UgeFakta {
  uint8_t aarIdx = 0, uge = 0;
  bool aktiv = false;  // the week the working copies walk
  UgeIndeks w = 0;
  bool wOk = false;    // a week of the period
  Uge U = 0;
  uint32_t antalAkti = 0, antalAnfo = 0, antalLoka = 0, antalRol = 0;
  bool taelStjerne = false, norm = false, egenPlan = false, taelBooking = false;
  bool medUgeHer = false, aktiTab = false, skphHer = false, lokaHer = false, aflystUge = false, lokaTal = false;
  uint8_t insnr = 0;

  UgeFakta(const Samler &s, const Genveje &gv, uint8_t aar, uint8_t nr) : aarIdx(aar), uge(nr) {
    aktiv = s.ugeAktiv && s.ugeAar == aar && s.ugeNr == nr;
    w = s.w;
    wOk = w != 0 && w <= SkemaPeriode.AntalUger;
    U = UgeAf(aar, nr);
    antalAkti = tvakti.wRecCnt;
    antalAnfo = tvanfo.wRecCnt;
    antalLoka = tvloka.wRecCnt;
    antalRol = tvskemarol.wRecCnt;
    taelStjerne = Ind().taelstjerneakti != 0;
    norm = Ind().normsystem != 0;
    egenPlan = !Ind().supertavo && HarEgenPlan;
    taelBooking = Ind().taelaktibooking != 0;
    medUgeHer = MedTalUgeTab && w <= TalDim.W && gv.medUge;
    aktiTab = AktiTalTab && gv.aktiMnd;
    skphHer = !s.skphSum.empty() && s.skphAktiv && s.skphW == w;
    lokaHer = s.lokaAktiv && s.lokaAar == aar && s.lokaUgeNr == nr;
    aflystUge = !Ind().supertavo && !Ind().skemalaast && U > SkemaPeriode.LaasUge;
    lokaTal = LokaSumTab && LokaOptalt && aar < TalDim.Y;
    insnr = Ind().insnr;
  }
};

// A minute norm of the recount's count, from the kept answers, at the slot
// the look-ahead mixed for it where there is one.
[[gnu::always_inline]] inline void NormIOptaelling(const NormHusk &normer, const NormHusk::Noegle &k,
                                                   const uint64_t *blanding, uint32_t j, uint32_t nBlanding, Dato dato,
                                                   float minutter, float raekkeNorm, float *pNorm, uint8_t *pKode) {
  const NormHusk::Svar *sv = blanding && j < nBlanding ? normer.Find(k, blanding[j], dato) : normer.Find(k, dato);
  if (sv) {
    *pNorm = sv->norm;
    *pKode = sv->kode;
    return;
  }
  Minutnorm(dato, k.anfo, k.rol, minutter, k.akti, k.skfa, pNorm, pKode, PlanVaerdi(raekkeNorm));
}

// The recount's own count of one event: what OptaelSkemabeg gives with sign
// +1 while a recount walks the event's week, in one pass over the rows and
// with each employment's figures worked out once for the event. Every cell
// receives the same additions in the same order as there, so the two give
// the same bytes.
void OptaelIOptaelling(Samler &s, Huske &hu, const Genveje &gv, const UgeFakta &uf, const UgeRaekker &rk,
                        uint32_t forste, const Forud &fu) {
  const uint8_t aarIdx = uf.aarIdx, uge = uf.uge;
  if (!uf.aktiv) {
    OptaelSkemabeg(aarIdx, uge, forste, +1);
    return;
  }
  constexpr int sign = 1;
  SkeRec *fp = rk(forste);
  if (!fp || fp->Forste != forste) return;
  if (fp->Dag < 1 || fp->Dag > 7 || fp->Lektion > MAX_LEKTION) return;
  const Samler::Dag &ud = s.dage[fp->Dag];
  AnfoAktiGrundRec &g = AnfoAktiGrund;
  g.AntalAkti = g.AntalAnfo = g.AntalLoka = 0;
  g.AntalLaerere = g.AntalSyge = 0;
  const Dato dato = ud.dato;
  g.Dato_ = dato;
  const uint32_t skfa = fp->skfa_id;
  g.skfa = skfa;
  const float antalStd = fp->Antal_std_lektioner;
  g.Lektionsvaerdi = antalStd;
  const bool forud = fu.forste == forste;
  const float minutter = forud ? fu.minutter : static_cast<float>(MinutterMellem(fp->Starttid, fp->Sluttid));
  g.Minutter = minutter;
  if (!g.AnfoGrundTab) SikrPlads(g.AnfoGrundTab, g.AllokAnfo, 0, "AnfoAktiGrund->AnfoGrundTab != NULL");
  if (!g.AktiGrundTab) SikrPlads(g.AktiGrundTab, g.AllokAkti, 0, "AnfoAktiGrund->AktiGrundTab != NULL");
  if (!g.LokaGrundTab) SikrPlads(g.LokaGrundTab, g.AllokLoka, 0, "AnfoAktiGrund->LokaGrundTab != NULL");
  const float lv = Lektionsvaerdi(antalStd, minutter);
  const uint32_t antalAkti = uf.antalAkti, antalAnfo = uf.antalAnfo, antalLoka = uf.antalLoka;
  const uint32_t antalRol = uf.antalRol;
  const bool taelStjerne = uf.taelStjerne;
  uint32_t aktiListe[FORDEL_MAX];
  uint32_t nAkti = 0;
  AnfoRaekker anfoRk;
  for (uint32_t r = forste; SkeRec *x = rk(r); ++r) {
    if (x->Forste != forste) break;
    if (antalRol && x->skemarol_id >= antalRol) x->skemarol_id = 0;
    if (const uint32_t a = x->akti_id; a && a < antalAkti) {
      if (nAkti < FORDEL_MAX) aktiListe[nAkti++] = a;
      // The placement's cells of the week lie anywhere in its copies; the
      // placement kept beside the activity (fetched by the look-ahead)
      // names them, and they arrive while the hours are worked out.
      if (uf.skphHer && skfa && a < gv.nSkphVed)
        if (const int64_t p = gv.skphVed[a].Find(skfa); p > 0 && p < s.S) {
          tavo::Prefetch(&s.skphUge[static_cast<size_t>(p) * 7 + fp->Dag - 1]);
          tavo::Prefetch(&s.skphSum[static_cast<size_t>(p) < s.skphSum.size() ? p : 0]);
        }
      if (g.AntalAkti >= g.AllokAkti)
        SikrPlads(g.AktiGrundTab, g.AllokAkti, g.AntalAkti + 1, "AnfoAktiGrund->AktiGrundTab != NULL");
      AktiGrundPost &e = g.AktiGrundTab[g.AntalAkti++];
      e.akti = a;
      e.Timer = 0;
      e.Skrab = 0;
      e.Andel = 1.0f;
    }
    if (const uint32_t a = x->anfo_id; a && a < antalAnfo) {
      if (g.AntalAnfo >= g.AllokAnfo)
        SikrPlads(g.AnfoGrundTab, g.AllokAnfo, g.AntalAnfo + 1, "AnfoAktiGrund->AnfoGrundTab != NULL");
      AnfoGrundPost &e = g.AnfoGrundTab[g.AntalAnfo++];
      const uint32_t rol = x->skemarol_id;
      e.anfo = a;
      e.skemarol = rol;
      e.Minutnorm = x->Minutnorm;
      if (taelStjerne || !StjerneMeda(a)) ++g.AntalLaerere;
      if (gv.Rol_(rol).kodeSyg) ++g.AntalSyge;
      e.Faktor = antalStd != 0 ? lv : AnfoFaktor(a, dato, antalStd, lv, minutter);
      if (anfoRk.n < ANFO_RAEKKER) anfoRk.rk[anfoRk.n] = x;
      ++anfoRk.n;
    }
    if (const uint32_t l = x->loka_id; l && l < antalLoka) {
      if (g.AntalLoka >= g.AllokLoka)
        SikrPlads(g.LokaGrundTab, g.AllokLoka, g.AntalLoka + 1, "AnfoAktiGrund->LokaGrundTab != NULL");
      g.LokaGrundTab[g.AntalLoka++] = LokaGrundPost{l, x->lokrolle_id, lv};
    }
  }
  // One activity takes the whole event, whoever is enrolled on it.
  if (nAkti > 1) {
    Fordeling ford;
    Fordel(aktiListe, nAkti, ud.dagOff, false, &ford);
    for (uint32_t k = 0; k < g.AntalAkti; ++k) {
      AktiGrundPost &a = g.AktiGrundTab[k];
      a.Andel = Andel(ford, a.akti, k, g.AntalAkti, ud.dagOff);
    }
  }

  // The hours of each employment, as BeregnAnfoTimer works them out.
  const uint32_t nA = g.AntalAkti, nF = g.AntalAnfo;
  // The norms of each employment and activity, for the plan actuals below.
  constexpr size_t NORMER_HER = 64;
  float normerHer[NORMER_HER];
  float *const alleNormer = static_cast<size_t>(nF) * nA <= NORMER_HER ? normerHer : nullptr;
  if (!alleNormer && tNormer.size() < static_cast<size_t>(nF) * nA) tNormer.resize(static_cast<size_t>(nF) * nA);
  float *const normTab = alleNormer ? alleNormer : tNormer.data();
  NormHusk::Noegle k{0, 0, 0, 0, Bits(minutter), 0};
  for (uint32_t i = 0; i < nF; ++i) {
    AnfoGrundPost &e = g.AnfoGrundTab[i];
    e.Timer = 0;
    e.Beregn = 0;
    e.Hvorfra = 0;
    k.anfo = e.anfo;
    k.rol = e.skemarol;
    k.plan = Bits(PlanVaerdi(e.Minutnorm));
    // The look-ahead's mixes, where it keyed this employment.
    const uint64_t *blanding = forud && i < fu.nAnfo ? fu.blanding[i] : nullptr;
    const uint32_t nBlanding = fu.nAkti ? fu.nAkti : 1;
    if (nA == 0) {
      float norm = 0;
      uint8_t kode = 0;
      k.akti = 0;
      k.skfa = 0;
      NormIOptaelling(hu.normer, k, blanding, 0, nBlanding, dato, minutter, e.Minutnorm, &norm, &kode);
      SaetNormUdenAkti(e, norm, kode);
      continue;
    }
    const bool syg = gv.Rol_(e.skemarol).syg;
    k.skfa = skfa;
    float *normer = normTab + static_cast<size_t>(i) * nA;
    for (uint32_t j = 0; j < nA; ++j) {
      AktiGrundPost &a = g.AktiGrundTab[j];
      float norm = 0;
      uint8_t kode = 0;
      k.akti = a.akti;
      NormIOptaelling(hu.normer, k, blanding, j, nBlanding, dato, minutter, e.Minutnorm, &norm, &kode);
      normer[j] = norm;
      LaegNormTil(e, a, j, norm, kode, syg);
    }
  }

  // The norms back into the rows, written only when changed.
  auto SkrivTilbage = [&g](SkeRec *x, uint32_t i) { SkrivNormTilbage(x, g.AnfoGrundTab[i]); };
  if (anfoRk.n <= ANFO_RAEKKER) {
    for (uint32_t i = 0; i < anfoRk.n; ++i) SkrivTilbage(anfoRk.rk[i], i);
  } else {
    uint32_t i = 0;
    for (uint32_t r = forste; SkeRec *x = rk(r); ++r) {
      if (x->Forste != forste) break;
      if (!x->anfo_id || x->anfo_id >= antalAnfo || i >= nF) continue;
      SkrivTilbage(x, i++);
    }
  }

  const uint8_t dag = fp->Dag, lektion = fp->Lektion, ejer = fp->Ejer;
  const UgeIndeks w = uf.w;
  if (!uf.wOk) return;
  const MaanedIndeks m = ud.m;
  const int32_t L = TusindedeleAf(lv);
  const uint32_t y = ud.y;
  const BegRegel regel{sign, L, dato, s.idag, uf.norm, uf.egenPlan, nA, skfa, m, w, dag};
  const bool medTalHer = gv.medTal != nullptr;
  const bool medUgeHer = uf.medUgeHer;

  for (uint32_t i = 0; i < nF; ++i) {
    const AnfoGrundPost &e = g.AnfoGrundTab[i];
    const uint32_t anfo = e.anfo;
    float *slot = nullptr;
    if (medTalHer) {
      if (anfo >= gv.nHarMedTal || !gv.harMedTal[anfo]) continue;
      if (m <= s.MedM) slot = &gv.medTal[(static_cast<size_t>(m) * s.F + anfo) * MEDTAL_SLOTS];
    } else {
      if (!HarMedTal(anfo)) continue;
      slot = MedTalSlots(anfo, m);
    }
    const uint32_t meda = anfo < gv.nMeda ? gv.meda[anfo] : MedaAf(anfo);
    MedTalArbejdstidCelle *arb = ArbCelle(meda, m);
    MedTalFerieCelle *ferie = FerieCelle(meda, y);
    TaelAnfoRegler(
        regel, e, gv.Rol_(e.skemarol), slot, arb, ferie, g.AktiGrundTab, normTab + static_cast<size_t>(i) * nA,
        [&]() -> MedTalUgeCelle * {
          return medUgeHer && anfo < TalDim.F ? &gv.medUge[static_cast<size_t>(w) * s.F + anfo] : MedUgeCelle(anfo, w);
        },
        [&] { return gv.Akti_(g.AktiGrundTab[0].akti).ovak; });
  }

  // Activities.
  const bool aktiHer = uf.aktiTab && m <= TalDim.M;
  // The subject placements' lessons of this week, and the room slots of
  // this week, go to the week's working copies as LaegTilSkph and LokaSlot
  // would put them.
  const bool skphHer = uf.skphHer;
  const bool lokaHer = uf.lokaHer;
  const bool aflystTjek = uf.aflystUge && ejer == uf.insnr;
  const bool taeller = g.AntalLaerere > g.AntalSyge || (g.AntalLaerere == 0 && uf.taelBooking);
  const int64_t t = static_cast<int64_t>(g.AntalLaerere) - g.AntalSyge;
  for (uint32_t j = 0; j < nA; ++j) {
    const AktiGrundPost &a = g.AktiGrundTab[j];
    const uint32_t akti = a.akti;
    AktiRec *ar = TabRec<AktiRec>(tvakti, akti);
    if (!ar) continue;
    Samler::AktiSum *sum = akti < gv.nAktiSum ? &gv.aktiSum[akti] : nullptr;
    if (sum)
      sum->lererTimer += sign * static_cast<int64_t>(TusindedeleAf(a.Timer));
    else
      LAEG_TIL(ar->AntalLererTimer, sign, TusindedeleAf(a.Timer));
    AktiTalCelle *c = aktiHer ? (akti < TalDim.A ? &gv.aktiMnd[static_cast<size_t>(m) * s.A + akti] : nullptr)
                              : AktiCelle(akti, m);
    if (c) c->Timer += static_cast<float>(sign) * a.Timer;
    if (aflystTjek && (akti < gv.nAflyst ? gv.aflyst[akti] : ar->Aflyst) == 'J') {
      // Counted whichever way the event goes: the check reports every
      // change on a cancelled activity.
      ++AflystBegAntal;
      if (AktiAflystTab && akti <= TalDim.A) ++AktiAflystTab[akti];
    }
    if (!taeller || gv.Akti_(akti).ovak) continue;
    TaelAktiLektioner(ar, sum, c, sign, L, t);
    if (!skfa) continue;
    int64_t kendt = akti < gv.nSkphVed ? gv.skphVed[akti].Find(skfa) : -1;
    const uint32_t p = kendt >= 0 ? static_cast<uint32_t>(kendt) : SkphFor(akti, skfa);
    if (!p) continue;
    if (skphHer && p < s.skphSum.size() && p < s.S) {
      s.skphSum[p] += sign * L;
      s.skphRoert[s.nSkphRoert] = p;
      s.nSkphRoert += !s.skphErRoert[p];
      s.skphErRoert[p] = 1;
      LAEG_TIL(s.skphUge[static_cast<size_t>(p) * 7 + dag - 1], sign, L);
    } else {
      LaegTilSkph(p, w, dag, sign, L);
    }
  }

  // Rooms: a slot counts once however many events hold it.
  if (lektion != 0 && uf.lokaTal) {
    for (uint32_t j = 0; j < g.AntalLoka; ++j) {
      const uint32_t loka = g.LokaGrundTab[j].loka;
      if (loka >= TalDim.R) continue;
      uint8_t *pv;
      if (lokaHer && loka < s.R) {
        s.lokaRoert[s.nLokaRoert] = loka;
        s.nLokaRoert += !s.lokaErRoert[loka];
        s.lokaErRoert[loka] = 1;
        pv = &gv.lokaUge[static_cast<size_t>(loka) * LOKA_SLOTS_PR_UGE + (dag - 1) * 48u + (lektion - 1)];
      } else {
        pv = LokaSlot(loka, aarIdx, uge, dag, lektion);
      }
      uint8_t &v = *pv;
      uint32_t &sum = LokaSumTab[static_cast<size_t>(loka) * TalDim.Y + aarIdx];
      if (v < LOKA_OPTALT_MAX && ++v == 1) sum += 1000;
    }
  }
}

}  // namespace

void OptaelAVS(Dato dato, AVSLister *avs, float lektionsvaerdi) {
  AnfoAktiGrundRec &g = AnfoAktiGrund;
  g.Dato_ = dato;
  g.AntalAkti = avs->AntalAkti;
  g.AntalAnfo = avs->AntalAnfo;
  g.AntalLoka = avs->AntalLoka;
  g.skfa = avs->skfa_id;
  g.Lektionsvaerdi = lektionsvaerdi;
  g.Minutter = static_cast<float>(MinutterMellem(avs->Starttid, avs->Sluttid));
  AllokerAnfoAktiGrund(&g);
  FyldAnfoAktiGrundFraAVS(dato, avs, &g);
  BeregnAnfoTimer(&g);
  // The entries follow the valid employments of the lists, in order.
  uint32_t k = 0;
  for (uint32_t i = 0; avs->anfoTab && i < avs->AntalAnfo; ++i) {
    const uint32_t anfo = avs->anfoTab[i];
    if (!anfo || anfo >= tvanfo.wRecCnt || k >= g.AntalAnfo) continue;
    if (avs->hvorfraTab) avs->hvorfraTab[i] = g.AnfoGrundTab[k].Hvorfra;
    if (avs->beregnTab) avs->beregnTab[i] = g.AnfoGrundTab[k].Beregn;
    ++k;
  }
}

// ---- The plan list ----

void CountPlanTal() {
  TagTalMutex();
  // The lines' norms, week after week the same, are worked out once.
  HuskUnderOptaelling husk;
  BegyndPlanTab();
  struct UgeFakta {
    Uge uge = UINT32_MAX;
    UgeIndeks w = 0;
    Dato d = 0;
    MaanedIndeks m = 0;
  } ugeFakta[64];
  for (uint32_t r = 0; r < tvfftaltab.wRecCnt; ++r) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, r);
    const uint32_t gnr = t->ffgrund_id;
    if (gnr == 0 || gnr >= tvffgrund.wRecCnt || !PlanStatusTaeller(t->Status)) continue;
    const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, gnr);
    if (!AktiInPlanGruppe(g->Aktivitet, g->ffpg_id)) continue;
    const uint32_t ot = g->ObjType;
    if (ot != 2 && ot != 14 && ot != 23 && ot != 35) continue;
    // A plan line's weeks come one after the other: each week's index,
    // Wednesday and month are worked out once.
    UgeFakta &uf = ugeFakta[t->Uge % 64];
    if (uf.uge != t->Uge) {
      uf.uge = t->Uge;
      uf.w = UgeTilIndeks(t->Uge);
      uf.d = UgeDagTilDato(t->Uge, 3);
      uf.m = MaanedTilIndeks(uf.d / 100);
    }
    const UgeIndeks w = uf.w;
    const Dato d = uf.d;
    const MaanedIndeks m = uf.m;
    const bool fag = ot == 2 || ot == 23;

    bool fundet = false;
    for (uint32_t i = PlanGrundFoerste(gnr, w); i && !fundet; i = PlanGrundNaeste(i)) {
      PlanTabPost &e = PlanTal.PlanTab[i];
      if (e.akti != g->Aktivitet) continue;
      float mn;
      if (fag) {
        if (e.skfa != g->Skolefag || (e.Art != 'U' && e.Art != 'R' && e.Art != 'E')) continue;
        if (e.anfo == g->Medarbejder1)
          mn = g->Minutnorm1;
        else if (e.anfo == g->Medarbejder2)
          mn = g->Minutnorm2;
        else
          continue;
      } else {
        if (e.anfo != g->Medarbejder1 || e.Art != 'A') continue;
        mn = g->Minutnorm1;
      }
      fundet = true;
      if (e.anfo == 0) break;
      if (e.Art == 'R') e.PlanRettearbejde = t->Rettearbejd;
      if (e.Art == 'E') e.PlanEksamen = t->Eksametid;
      if (e.Art == 'U') e.PlanLektioner = t->Lektioner;
      e.PlanTimer = t->Timer;
      e.PlanUndervisning =
          PlanTimer(g->Aktivitet, e.anfo, g->Skolefag, d, static_cast<int32_t>(t->Lektioner), mn);
    }
    if (fundet) continue;

    struct Anfo {
      uint32_t anfo;
      float mn;
    } anfos[2] = {{g->Medarbejder1, g->Minutnorm1}, {g->Medarbejder2, g->Minutnorm2}};
    const int nAnfo = g->Medarbejder2 ? 2 : 1;
    auto Ny = [&](const Anfo &a, uint8_t art) {
      PlanTabPost *e = NyPlanTabPost();
      e->ffgrund = gnr;
      e->akti = g->Aktivitet;
      e->skfa = g->Skolefag;
      e->anfo = a.anfo;
      e->UgeIdx = w;
      e->MndIdx = m;
      e->Ugedag = 3;
      e->Kilde = 0;
      e->Art = art;
      e->Minutnorm = a.mn;
      return e;
    };
    if (t->Lektioner != 0)
      for (int k = 0; k < nAnfo; ++k) {
        PlanTabPost *e = Ny(anfos[k], 'U');
        e->PlanLektioner = t->Lektioner;
        e->PlanUndervisning = PlanTimer(g->Aktivitet, anfos[k].anfo, g->Skolefag, d,
                                              static_cast<int32_t>(t->Lektioner), anfos[k].mn);
      }
    if (t->Timer > 0)
      for (int k = 0; k < nAnfo; ++k) Ny(anfos[k], 'A')->PlanTimer = t->Timer;
    if (t->Rettearbejd > 0)
      for (int k = 0; k < nAnfo; ++k) Ny(anfos[k], 'R')->PlanRettearbejde = t->Rettearbejd;
    if (t->Eksametid > 0)
      for (int k = 0; k < nAnfo; ++k) Ny(anfos[k], 'E')->PlanEksamen = t->Eksametid;
  }
  // The counters that add actual figures next ask by week: the new list's
  // entries are sorted into the weeks' tables here, all at once.
  PlanIndeksIndhent();
  SlipTalMutex();
}

namespace {

// The entry an event's actual figures make when none has their key; its
// number with PLAN_NY.
uint32_t NySkemaPost(uint32_t akti, uint32_t anfo, uint32_t skfa, MaanedIndeks m, UgeIndeks w, uint8_t ugedag,
                     float minutnorm, float vaerdi, uint32_t lektioner) {
  PlanTabPost *e = NyPlanTabPost();
  e->akti = akti;
  e->anfo = anfo;
  e->skfa = skfa;
  e->UgeIdx = w;
  e->MndIdx = m;
  e->SkemaLektioner = lektioner;
  e->Aktuel = vaerdi;
  e->Minutnorm = minutnorm;
  e->Art = 'U';
  e->Ugedag = ugedag;
  e->Kilde = 1;
  return PLAN_NY | PlanTal.Antal;
}

// The same for a posting's.
uint32_t NyTimoakPost(uint32_t akti, uint32_t anfo, MaanedIndeks m, UgeIndeks w, uint8_t ugedag, uint8_t art,
                      float timer) {
  PlanTabPost *e = NyPlanTabPost();
  e->akti = akti;
  e->anfo = anfo;
  e->MndIdx = m;
  e->UgeIdx = w;
  e->Aktuel = timer;
  e->Minutnorm = -1.0f;
  e->Art = art;
  e->Ugedag = ugedag;
  e->Kilde = 2;
  return PLAN_NY | PlanTal.Antal;
}

// The entry found for the figures, or the one made for them (PLAN_NY).
uint32_t PlanTabSkemaNu(uint32_t akti, uint32_t anfo, uint32_t skfa, MaanedIndeks m, UgeIndeks w, uint8_t ugedag,
                        float minutnorm, float vaerdi, uint32_t lektioner) {
  // The planning worker rebuilds the list under TalMutex while the main
  // thread's counters add to it: the adder holds the mutex too (it is
  // recursive, so the worker's own calls under its lock go straight on).
  TagTalMutex();
  uint32_t svar = PlanFindSkema(akti, anfo, skfa, w);
  if (svar)
    LaegTilPlanPost(svar, vaerdi, lektioner);
  else
    svar = NySkemaPost(akti, anfo, skfa, m, w, ugedag, minutnorm, vaerdi, lektioner);
  SlipTalMutex();
  return svar;
}

uint32_t PlanTabTimoakNu(uint32_t akti, uint32_t anfo, MaanedIndeks m, UgeIndeks w, uint8_t ugedag, uint8_t art,
                         float timer) {
  TagTalMutex();
  uint32_t svar = PlanFindTimoak(akti, anfo, w, art);
  if (svar)
    LaegTilPlanPost(svar, timer, 0);
  else
    svar = NyTimoakPost(akti, anfo, m, w, ugedag, art, timer);
  SlipTalMutex();
  return svar;
}

uint32_t Tredje(const Samler::PlanKald &c) { return c.art ? c.art : c.skfa; }

uint32_t UdfoerEt(const Samler::PlanKald &c) {
  if (c.art) return PlanTabTimoakNu(c.akti, c.anfo, c.m, c.w, c.ugedag, c.art, c.vaerdi);
  return PlanTabSkemaNu(c.akti, c.anfo, c.skfa, c.m, c.w, c.ugedag, c.minutnorm, c.vaerdi, c.lektioner);
}

// ---- The answers kept from one recount to the next ----
//
// A recount asks the plan list the same questions in the same order as the
// one before it as long as the data have not changed, and the plan-line
// pass between them makes the same entries again. Each week's and month's
// questions are kept with their answers. A question asked at the same
// place as then, on a list that begins with the entries that one began
// with (PlanListeHusk), has the same answer when that was one of those
// entries: they come before any entry a recount makes. Its answers of
// entries made in the recount hold as long as every question before it
// came as then, and the list began with just those entries: the same
// entries are then made in the same order. Any other question is asked of
// the index, and its answer kept for the next recount.
struct PlanSvarHusk {
  std::vector<std::vector<PlanSvar>> skema, timoak;  // per week, per month index
  uint64_t liste = 0;                                // the kept list they hold for
};
PlanSvarHusk gPlanSvar;  // guarded by TalMutex, as the list
PlanSvarTal gPlanSvarTal;

bool NoegleLig(const PlanTabPost &e, const Samler::PlanKald &c) {
  return e.akti == c.akti && e.anfo == c.anfo && e.UgeIdx == c.w &&
         (c.art ? e.Art == c.art : e.skfa == c.skfa);
}

void BegyndPlanSvar(Samler &s) {
  s.planAktiv = HarEgenPlan && !Ind().supertavo;
  s.planHusk = s.planEns = false;
  s.planLog = nullptr;
  gPlanSvarTal = {};
  if (!s.planAktiv) return;
  s.planN0 = PlanTal.PlanTab ? PlanTal.Antal : 0;
  uint64_t nummer = 0;
  const uint32_t husket = PlanListeHusket(&nummer);
  const size_t W = SkemaPeriode.AntalUger + 1u, M = SkemaPeriode.AntalMaaneder + 1u;
  s.planHusk = nummer != 0 && nummer == gPlanSvar.liste && husket <= s.planN0 && gPlanSvar.skema.size() == W &&
               gPlanSvar.timoak.size() == M && PlanListeBegynderSomHusket();
  s.planEns = s.planHusk && husket == s.planN0;
  s.planGraense = s.planHusk ? husket : 0;
  if (s.planHusk) return;
  // Kept anew from the questions of this recount.
  gPlanSvar.liste = 0;
  gPlanSvar.skema.resize(W);
  gPlanSvar.timoak.resize(M);
  for (auto &v : gPlanSvar.skema) v.clear();
  for (auto &v : gPlanSvar.timoak) v.clear();
}

// The questions of a week (skema) or a month (timoak) come next.
void PlanSvarSpand(Samler &s, bool skema, uint32_t idx) {
  if (!s.planAktiv) return;
  if (s.planLog && s.planHusk && s.planPos < s.planLog->size()) {
    // Fewer questions than then: the entries made from here on differ.
    s.planLog->resize(s.planPos);
    s.planEns = false;
  }
  std::vector<std::vector<PlanSvar>> &v = skema ? gPlanSvar.skema : gPlanSvar.timoak;
  s.planLog = idx < v.size() ? &v[idx] : nullptr;
  s.planPos = 0;
}

void AfslutPlanSvar(Samler &s) {
  if (!s.planAktiv) return;
  PlanSvarSpand(s, true, UINT32_MAX);
  gPlanSvar.liste = PlanListeHusk(s.planN0);
}

// One question while the kept answers hold, answered at once, in the
// order the questions come.
void PlanKaldHusket(Samler &s, const Samler::PlanKald &c) {
  std::vector<PlanSvar> *log = s.planLog;
  PlanSvar *r = log && s.planPos < log->size() ? &(*log)[s.planPos] : nullptr;
  const uint32_t tredje = Tredje(c);
  const bool lig = r && r->akti == c.akti && r->anfo == c.anfo && r->tredje == tredje && r->uge == c.w;
  uint32_t svar = 0;
  if (lig) {
    const uint32_t post = r->post & ~PLAN_NY, ny = r->post & PLAN_NY;
    if (!ny && post != 0 && post <= s.planGraense) {
      svar = r->post;
    } else if (s.planEns) {
      if (ny ? post == PlanTal.Antal + 1
             : post > s.planGraense && post <= PlanTal.Antal && NoegleLig(PlanTal.PlanTab[post], c))
        svar = r->post;
    }
  }
  if (!lig || !svar) s.planEns = false;
  ++gPlanSvarTal.spurgt;
  if (svar) ++gPlanSvarTal.husket;
  if (svar & PLAN_NY) {
    svar = c.art ? NyTimoakPost(c.akti, c.anfo, c.m, c.w, c.ugedag, c.art, c.vaerdi)
                 : NySkemaPost(c.akti, c.anfo, c.skfa, c.m, c.w, c.ugedag, c.minutnorm, c.vaerdi, c.lektioner);
  } else if (svar) {
    LaegTilPlanPost(svar, c.vaerdi, c.lektioner);
  } else {
    svar = UdfoerEt(c);
  }
  if (r && !(lig && r->post == svar))
    *r = {c.akti, c.anfo, tredje, c.w, svar};
  else if (!r && log)
    log->push_back({c.akti, c.anfo, tredje, c.w, svar});
  ++s.planPos;
}

// The recount's calls, in the order they came, each as it would have run:
// nothing reads the plan list's actual figures or the entries they make
// until the week or month has been counted, and the plan value question,
// which the counting asks meanwhile, answers from the plan lines' entries
// alone. Run together, a week's calls find its table in the cache.
void UdfoerPlanKald() {
  Samler *s = gSamler;
  if (!s || s->planKald.empty()) return;
  // Each question reads a slot anywhere in its week's table: the slots of
  // the questions a few calls ahead are asked for while this one is
  // answered.
  constexpr size_t FORUD = 8;
  const size_t n = s->planKald.size();
  auto Forhaand = [&](size_t i) {
    const Samler::PlanKald &c = s->planKald[i];
    if (c.art)
      PlanForhaandTimoak(c.akti, c.anfo, c.w, c.art);
    else
      PlanForhaandSkema(c.akti, c.anfo, c.skfa, c.w);
  };
  for (size_t i = 0; i < n && i < FORUD; ++i) Forhaand(i);
  for (size_t i = 0; i < n; ++i) {
    if (i + FORUD < n) Forhaand(i + FORUD);
    const Samler::PlanKald &c = s->planKald[i];
    const uint32_t svar = UdfoerEt(c);
    ++gPlanSvarTal.spurgt;
    // The answers are kept for the next recount.
    if (s->planLog) s->planLog->push_back({c.akti, c.anfo, Tredje(c), c.w, svar});
  }
  s->planKald.clear();
}

// The common question while the kept answers hold: asked as it was kept,
// and answered by an entry the list began with. The rest, and the keeping
// of what changed, go the long way (PlanKaldHusket).
[[gnu::always_inline]] inline bool PlanSvarGenvej(Samler &s, bool erArt, uint32_t akti, uint32_t anfo, uint32_t tredje,
                                           MaanedIndeks m, UgeIndeks w, uint8_t ugedag, float minutnorm, float vaerdi,
                                           uint32_t lektioner) {
  const std::vector<PlanSvar> *log = s.planLog;
  if (!log || s.planPos >= log->size()) return false;
  // An entry this recount made is added to at once: the one of a question
  // a few ahead is asked for while this one is answered.
  constexpr size_t FORUD = 16;
  if (s.planPos + FORUD < log->size()) {
    const uint32_t f = (*log)[s.planPos + FORUD].post;
    if (f > s.planGraense && f <= PlanTal.Antal) tavo::Prefetch(&PlanTal.PlanTab[f]);
  }
  const PlanSvar &r = (*log)[s.planPos];
  if (r.akti != akti || r.anfo != anfo || r.tredje != tredje || r.uge != w) return false;
  const uint32_t post = r.post;
  if (post == 0 || post > s.planGraense) {
    // One this recount made, while every question has come as then (an
    // entry made after a changed question may not be the first of its key
    // any more, though it has the key).
    if (!s.planEns) return false;
    if (post & PLAN_NY) {
      // Made by this question then, and by nothing since: it makes the
      // same entry now, as the next of the list.
      if ((post & ~PLAN_NY) != PlanTal.Antal + 1) return false;
      if (erArt)
        NyTimoakPost(akti, anfo, m, w, ugedag, static_cast<uint8_t>(tredje), vaerdi);
      else
        NySkemaPost(akti, anfo, tredje, m, w, ugedag, minutnorm, vaerdi, lektioner);
      ++s.planPos;
      ++gPlanSvarTal.spurgt;
      ++gPlanSvarTal.husket;
      return true;
    }
    if (post > PlanTal.Antal) return false;
    PlanTabPost &e = PlanTal.PlanTab[post];
    if (e.akti != akti || e.anfo != anfo || e.UgeIdx != w || (erArt ? e.Art : e.skfa) != tredje) return false;
    e.Aktuel += vaerdi;
    e.SkemaLektioner += lektioner;
  } else {
    s.plan.push_back({post, vaerdi, lektioner});
  }
  ++s.planPos;
  ++gPlanSvarTal.spurgt;
  ++gPlanSvarTal.husket;
  return true;
}

}  // namespace

void AddPlanTabSkema(uint32_t akti, uint32_t anfo, uint32_t skfa, MaanedIndeks m, UgeIndeks w, uint8_t ugedag,
                     float minutnorm, float vaerdi, uint32_t lektioner) {
  if (vaerdi == 0.0f && lektioner == 0) return;
  if (Samler *s = gSamler) {
    if (s->planHusk && PlanSvarGenvej(*s, false, akti, anfo, skfa, m, w, ugedag, minutnorm, vaerdi, lektioner)) return;
    const Samler::PlanKald c{0, akti, anfo, skfa, m, w, ugedag, minutnorm, vaerdi, lektioner};
    if (s->planHusk)
      PlanKaldHusket(*s, c);
    else
      s->planKald.push_back(c);
    return;
  }
  PlanTabSkemaNu(akti, anfo, skfa, m, w, ugedag, minutnorm, vaerdi, lektioner);
}

namespace {

uint8_t PlanArt(uint8_t type) {
  return type == 'e' ? 'E' : (type == 'k' || type == 'u') ? 'U' : type == 'r' ? 'R' : 'A';
}

// A posting's question that the kept answers did not answer at once.
void PlanTimoakLang(Samler &s, uint32_t akti, uint32_t anfo, MaanedIndeks m, UgeIndeks w, uint8_t ugedag, uint8_t art,
                    float timer) {
  const Samler::PlanKald c{art, akti, anfo, 0, m, w, ugedag, -1.0f, timer, 0};
  if (s.planHusk)
    PlanKaldHusket(s, c);
  else
    s.planKald.push_back(c);
}

}  // namespace

void AddPlanTabTimoak(uint32_t akti, uint32_t anfo, MaanedIndeks m, UgeIndeks w, uint8_t ugedag, uint8_t type,
                      float timer) {
  if (timer == 0.0f) return;
  const uint8_t art = PlanArt(type);
  if (w == 0 || w > SkemaPeriode.AntalUger) return;
  if (Samler *s = gSamler) {
    if (s->planHusk && PlanSvarGenvej(*s, true, akti, anfo, art, m, w, ugedag, -1.0f, timer, 0)) return;
    PlanTimoakLang(*s, akti, anfo, m, w, ugedag, art, timer);
    return;
  }
  PlanTabTimoakNu(akti, anfo, m, w, ugedag, art, timer);
}

PlanSvarTal SidstePlanSvar() { return gPlanSvarTal; }

void CountSkemaTal() {
  // Nothing changes the records while the pass runs: what it asks about
  // roles, activities and employees is asked once.
  HuskUnderOptaelling husk;
  AnfoAktiGrundRec g{};
  const uint32_t W = SkemaPeriode.AntalUger;
  for (UgeIndeks w = 1; w <= W; ++w) {
    const Uge U = IndeksTilUge(w);
    const uint8_t aarIdx = static_cast<uint8_t>(U / 100 - SkemaPeriode.BaseAar);
    const uint8_t uge = static_cast<uint8_t>(U % 100);
    const TabVar *b = UgeBucket(aarIdx, uge);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const SkeRec *s = Raekke(b, r);
      if (!Levende(s->Status) || s->Forste != r) continue;
      if (!SaetAnfoAktiGrundHoved(aarIdx, uge, r, &g) || g.AntalAkti == 0 || g.AntalAnfo == 0) continue;
      AllokerAnfoAktiGrund(&g);
      FyldAnfoAktiGrund(aarIdx, uge, r, &g);
      BeregnAnfoTimer(&g);
      const MaanedIndeks m = MaanedTilIndeks(g.Dato_ / 100);
      const uint32_t L = static_cast<uint32_t>(TusindedeleAf(Lektionsvaerdi(s->Antal_std_lektioner, g.Minutter)));
      for (uint32_t i = 0; i < g.AntalAnfo; ++i)
        for (uint32_t k = 0; k < g.AntalAkti; ++k) {
          const AktiGrundPost &a = g.AktiGrundTab[k];
          if (a.Timer == 0.0f && L == 0) continue;
          AddPlanTabSkema(a.akti, g.AnfoGrundTab[i].anfo, s->skfa_id, m, w, s->Dag, g.AnfoGrundTab[i].Minutnorm,
                          a.Timer, L);
        }
    }
  }
  FreeAnfoAktiGrund(&g);
}

void CountTimoakTal() {
  for (MaanedIndeks m = 1; m <= SkemaPeriode.AntalMaaneder; ++m) {
    const TabVar *b = TimoakBucket(IndeksTilMaaned(m));
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const TimoakRaekke *t = Post<TimoakRaekke>(b, r);
      if (!Levende(t->Status)) continue;
      Uge uge = 0;
      uint8_t dag = 0;
      DatoTilUge(t->Dato, &uge, &dag);
      AddPlanTabTimoak(t->akti_id, t->anfo_id, m, UgeTilIndeks(uge), dag, static_cast<uint8_t>(t->Type),
                       static_cast<float>(t->Timer) / 100.0f);
    }
  }
}

void SumPlanTalUge(uint32_t akti, uint32_t skfa) {
  if (!PlanTal.PlanTab) return;
  TagTalMutex();
  if (PlanTalUgeTab && PlanTal.PlanTab) {
    memset(PlanTalUgeTab, 0, (static_cast<size_t>(PlanTalUgeW) + 1) * sizeof(PlanTalUgeCelle));
    for (uint32_t i = PlanAktiFagFoerste(akti, skfa); i; i = PlanAktiFagNaeste(i)) {
      const PlanTabPost &e = PlanTal.PlanTab[i];
      if (e.UgeIdx <= PlanTalUgeW) PlanTalUgeTab[e.UgeIdx].Lektioner += e.PlanLektioner;
    }
  }
  SlipTalMutex();
}

void FillPlanTalMnd(uint32_t anfo) {
  if (!PlanTal.PlanTab) return;
  TagTalMutex();
  if (PlanTalMndTab && PlanTal.PlanTab && anfo < PlanTalMndF) {
    const size_t raekke = static_cast<size_t>(PlanTalMndM) + 1;
    if (anfo == 0)
      memset(PlanTalMndTab, 0, raekke * PlanTalMndF * sizeof(PlanTalMndCelle));
    else
      memset(PlanTalMndTab + anfo * raekke, 0, raekke * sizeof(PlanTalMndCelle));
    for (uint32_t i = PlanAnfoFoerste(anfo); i; i = PlanAnfoNaeste(i)) {
      const PlanTabPost &e = PlanTal.PlanTab[i];
      if (e.MndIdx > PlanTalMndM) continue;
      PlanTalMndCelle &c = PlanTalMndTab[anfo * raekke + e.MndIdx];
      c.Undervisning += e.PlanUndervisning;
      c.Timer += e.PlanTimer;
      c.Rettearbejde += e.PlanRettearbejde;
      c.Eksamen += e.PlanEksamen;
    }
  }
  SlipTalMutex();
}

void CountPlanTalMnd() {
  TagTalMutex();
  AllokerPlanTalMndTab();
  // What FillPlanTalMnd of every employment gives, in one walk of the list:
  // each cell receives its entries in list order, from zero, as there.
  if (PlanTal.PlanTab && PlanTalMndTab) {
    const size_t raekke = static_cast<size_t>(PlanTalMndM) + 1;
    for (uint32_t i = 1; i <= PlanTal.Antal; ++i) {
      const PlanTabPost &e = PlanTal.PlanTab[i];
      if (e.anfo >= PlanTalMndF || e.MndIdx > PlanTalMndM) continue;
      PlanTalMndCelle &c = PlanTalMndTab[e.anfo * raekke + e.MndIdx];
      c.Undervisning += e.PlanUndervisning;
      c.Timer += e.PlanTimer;
      c.Rettearbejde += e.PlanRettearbejde;
      c.Eksamen += e.PlanEksamen;
    }
  }
  SlipTalMutex();
}

// ---- The recount ----

void AllokerMedTalArbejdstid() {
  AllokerMedTalArbejdstidTab();
  const bool norm = Ind().normsystem != 0;
  for (uint32_t r = 1; r < tvarbejdstid.wRecCnt; ++r) {
    const ArbejdstidRec *a = TabRec<ArbejdstidRec>(tvarbejdstid, r);
    if (a->Status < 10 || a->Status > 29 || a->meda_id >= TalDim.E) continue;
    const MaanedIndeks m = MaanedTilIndeks(a->Dato / 100);
    if (norm) {
      for (uint32_t f = 1; f < tvanfo.wRecCnt; ++f) {
        if (TabRec<AnfoRec>(tvanfo, f)->meda_id != a->meda_id) continue;
        if (float *slot = MedTalSlots(f, m)) slot[0] += static_cast<float>(a->Undervisning * 1000 / 60);
      }
    }
    if (MedTalArbejdstidCelle *c = ArbCelle(a->meda_id, m)) {
      c->Minutter += a->Minutter * 1000;
      c->Bidrag += static_cast<float>(a->Bidrag) * 1000.0f;
      c->Indbetalt += static_cast<float>(a->Indbetalt) * 1000.0f;
      c->Undervisning += static_cast<float>(a->Undervisning) * 1000.0f;
    }
  }
}

void AllokerTalTab() {
  AllokerTalTabeller();
  GenoptaelTalTab();
}

namespace {
void OptaelTimoakIOptaelling(const Genveje &gv, Samler &s, const TimoakRaekke *row);
}  // namespace

void GenoptaelTalTab() {
  // The event and posting actuals go into the plan list, which the planning
  // worker rebuilds under TalMutex: the recount holds it from start to end,
  // so the worker finds the list either before the recount or after it, and
  // the counters' own takes on the way cost a count each.
  TagTalMutex();
  HuskUnderOptaelling husk;
  Samler samler;
  BegyndSamler(samler);
  BegyndPlanSvar(samler);
  AllokerMedTalArbejdstid();
  FreeAnfoAktiGrund(&AnfoAktiGrund);
  const Genveje gv(samler, husk.h);
  for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
    const Uge U = IndeksTilUge(w);
    const uint8_t aarIdx = static_cast<uint8_t>(U / 100 - SkemaPeriode.BaseAar);
    const uint8_t uge = static_cast<uint8_t>(U % 100);
    const TabVar *b = UgeBucket(aarIdx, uge);
    BegyndUge(aarIdx, uge);
    PlanSvarSpand(samler, true, w);
    const UgeRaekker rk(b);
    const UgeFakta uf(samler, gv, aarIdx, uge);
    // Each event is counted once the next one's cells are on their way.
    uint32_t venter = 0;
    Forud forud[2];
    uint32_t ny = 0;
    for (uint32_t r = 1; r < rk.n; ++r) {
      const SkeRec *s = rk.base + r;
      if (!Levende(s->Status) || s->Forste != r) continue;
      ForhaandHent(gv, samler, husk.h, rk, r, &forud[ny]);
      if (venter) OptaelIOptaelling(samler, husk.h, gv, uf, rk, venter, forud[ny ^ 1]);
      venter = r;
      ny ^= 1;
    }
    if (venter) OptaelIOptaelling(samler, husk.h, gv, uf, rk, venter, forud[ny ^ 1]);
  }
  UdfoerPlanKald();
  for (MaanedIndeks m = 1; m <= SkemaPeriode.AntalMaaneder; ++m) {
    PlanSvarSpand(samler, false, m);
    const Maaned mnd = IndeksTilMaaned(m);
    const TabVar *t = TimoakBucket(mnd);
    constexpr uint32_t POST_FORUD = 8;
    for (uint32_t r = 1; t && r < t->wRecCnt; ++r) {
      if (r + POST_FORUD < t->wRecCnt) ForhaandHentPost(Post<TimoakRaekke>(t, r + POST_FORUD), m);
      OptaelTimoakIOptaelling(gv, samler, Post<TimoakRaekke>(t, r));
    }
    const TabVar *u = UdplatimBucket(mnd);
    for (uint32_t r = 1; u && r < u->wRecCnt; ++r) OptaelUdplatim(Post<UdplatimRaekke>(u, r), m);
    const TabVar *h = HontimBucket(mnd);
    for (uint32_t r = 1; h && r < h->wRecCnt; ++r) OptaelHontim(Post<HontimRaekke>(h, r), m);
    UdfoerPlanKald();
  }
  AfslutPlanSvar(samler);
  AfslutSamler(samler);
  FreeAnfoAktiGrund(&AnfoAktiGrund);
  SlipTalMutex();
}

namespace {

// The small posting types that count their hours as they stand: a b e f h
// k p r u.
bool ErTimerType(char type) {
  switch (type) {
    case 'a': case 'b': case 'e': case 'f': case 'h': case 'k': case 'p': case 'r': case 'u': return true;
    default: return false;
  }
}

}  // namespace

namespace {

// What one posting gives its employment's month slots and holiday days;
// the single count and the recount find the slots their own ways.
[[gnu::always_inline]] inline void TaelPostSlots(float *slot, const AktiSvar &as, uint8_t plus, char type, float st,
                                                 float norm, int sign, const TimoakRaekke *row, Dato idag) {
  if (!slot) return;
  if (plus) {
    slot[7] += st;
    return;
  }
  if (as.kode[0]) {
    if (as.kodeAfsp) slot[15] += st * norm * 10.0f / 60.0f;
    if (as.kodeOmsorg) slot[17] += st * norm * 10.0f / 60.0f;
    if (as.kodeFerie) {
      const uint32_t anfo = row->anfo_id;
      const Dato dato = row->Dato;
      const int64_t dage = static_cast<int64_t>(row->Timer) * 10 > GetDagsNorm(anfo, dato) / 2 ? 1000 : 500;
      if (MedTalFerieCelle *c = FerieCelle(MedaAf(anfo), SkoleAar(dato))) {
        if (dato <= idag)
          LAEG_TIL(c->Afholdt, sign, dage);
        else
          LAEG_TIL(c->PlanlagtFremad, sign, dage);
      }
    }
  }
  switch (type) {
    case 'A': slot[4] += st * norm / 60.0f; break;
    case 'F': case 'H': slot[3] += st * norm / 60.0f; break;
    case 'P': slot[5] += st * norm / 60.0f; break;
    case 'a': case 'b': slot[4] += st; break;
    case 'e': slot[2] += st; break;
    case 'f': case 'h': slot[3] += st; break;
    case 'k': case 'u': slot[0] += st; break;
    case 'p': slot[5] += st; break;
    case 'r': slot[1] += st; break;
    default: break;
  }
}

// What one posting gives its activity's teacher hours: to the running sums
// while a count keeps them, else to the record, and to its month cell.
[[gnu::always_inline]] inline void TaelPostAkti(AktiTalCelle *c, Samler::AktiSum *sum, uint32_t akti, bool stor,
                                                char type, const TimoakRaekke *row, float st, float norm, int sign) {
  if (stor) {
    const int32_t v = static_cast<int32_t>(static_cast<double>(row->Timer) * norm * 10 * sign / 60);
    if (sum)
      sum->lererTimer += v;
    else
      LAEG_TIL(TabRec<AktiRec>(tvakti, akti)->AntalLererTimer, 1, v);
    if (c) c->TimoakTimer += st * norm / 60.0f;
  } else if (ErTimerType(type)) {
    if (sum)
      sum->lererTimer += sign * (static_cast<int64_t>(row->Timer) * 10);
    else
      LAEG_TIL(TabRec<AktiRec>(tvakti, akti)->AntalLererTimer, sign, static_cast<int64_t>(row->Timer) * 10);
    if (c) c->TimoakTimer += st;
  }
}

}  // namespace

void OptaelTimoak(const TimoakRaekke *row, int sign) {
  if (!row || !Levende(row->Status) || !row->anfo_id || !row->akti_id) return;
  if (row->anfo_id >= tvanfo.wRecCnt || row->akti_id >= tvakti.wRecCnt) return;
  // The recount visits only the period's months; a posting outside them has
  // no place in the tables.
  if (!MaanedIPerioden(row->Dato / 100)) return;
  const float timer = static_cast<float>(row->Timer) / 100.0f;
  const float st = static_cast<float>(sign) * timer;
  const MaanedIndeks m = MaanedIndeksAf(row->Dato / 100);
  const Dato idag = Idag();
  const char type = row->Type;
  const bool stor = type == 'F' || type == 'H' || type == 'P' || type == 'A';
  float norm = 60.0f;
  uint8_t plus = 0;
  if (stor) {
    float n = 0;
    if (AktiNormFor(row->Dato, row->akti_id, &n, &plus))
      norm = n;
    else
      norm = 60.0f;
  }
  const AktiSvar &as = Akti(row->akti_id);
  if (!stor) plus = as.plus ? 1 : 0;

  TaelPostSlots(MedTalSlots(row->anfo_id, m), as, plus, type, st, norm, sign, row, idag);
  TaelPostAkti(AktiCelle(row->akti_id, m), AktiSumFor(row->akti_id), row->akti_id, stor, type, row, st, norm, sign);

  if (row->Timer != 0 && !Ind().supertavo && HarEgenPlan) {
    uint8_t dag = 0;
    const UgeIndeks w = UgeOgDag(row->Dato, &dag);
    AddPlanTabTimoak(row->akti_id, row->anfo_id, m, w, dag, static_cast<uint8_t>(type), st);
  }
}

namespace {

// The recount's own count of one posting: what OptaelTimoak gives with sign
// +1 while a recount runs, reading the working copies and kept answers in
// place. Each cell receives the same additions in the same order.
void OptaelTimoakIOptaelling(const Genveje &gv, Samler &s, const TimoakRaekke *row) {
  constexpr int sign = 1;
  if (!row || !Levende(row->Status) || !row->anfo_id || !row->akti_id) return;
  const uint32_t anfo = row->anfo_id, akti = row->akti_id;
  if (anfo >= tvanfo.wRecCnt || akti >= tvakti.wRecCnt) return;
  const Dato dato = row->Dato;
  if (!MaanedIPerioden(dato / 100)) return;
  const float timer = static_cast<float>(row->Timer) / 100.0f;
  const float st = static_cast<float>(sign) * timer;
  const MaanedIndeks m = MaanedIndeksAf(dato / 100);
  const char type = row->Type;
  const bool stor = type == 'F' || type == 'H' || type == 'P' || type == 'A';
  float norm = 60.0f;
  uint8_t plus = 0;
  if (stor) {
    float n = 0;
    if (akti < gv.nAktiNorm && gv.aktiNorm[akti].klar && gv.aktiNorm[akti].span.Holder(dato)) {
      const Huske::AktiNorm &k = gv.aktiNorm[akti];
      if (k.fundet) n = k.norm;
      plus = k.plus;
      norm = k.fundet ? n : 60.0f;
    } else if (AktiNormFor(dato, akti, &n, &plus)) {
      norm = n;
    } else {
      norm = 60.0f;
    }
  }
  const AktiSvar &as = gv.Akti_(akti);
  if (!stor) plus = as.plus ? 1 : 0;

  float *slot;
  if (gv.medTal)
    slot = anfo < gv.nHarMedTal && gv.harMedTal[anfo] && m <= s.MedM
               ? &gv.medTal[(static_cast<size_t>(m) * s.F + anfo) * MEDTAL_SLOTS]
               : nullptr;
  else
    slot = MedTalSlots(anfo, m);
  TaelPostSlots(slot, as, plus, type, st, norm, sign, row, s.idag);

  AktiTalCelle *c = AktiTalTab && m <= TalDim.M && gv.aktiMnd
                        ? (akti < TalDim.A ? &gv.aktiMnd[static_cast<size_t>(m) * s.A + akti] : nullptr)
                        : AktiCelle(akti, m);
  TaelPostAkti(c, akti < gv.nAktiSum ? &gv.aktiSum[akti] : nullptr, akti, stor, type, row, st, norm, sign);

  // The recount's plan group is live or not for the whole recount.
  if (row->Timer != 0 && s.planAktiv && st != 0.0f) {
    if (dato != s.postDato) {
      s.postW = UgeOgDag(dato, &s.postDag);
      s.postDato = dato;
    }
    const UgeIndeks w = s.postW;
    const uint8_t dag = s.postDag;
    if (w == 0 || w > SkemaPeriode.AntalUger) return;
    const uint8_t art = PlanArt(static_cast<uint8_t>(type));
    if (s.planHusk && PlanSvarGenvej(s, true, akti, anfo, art, m, w, dag, -1.0f, st, 0)) return;
    PlanTimoakLang(s, akti, anfo, m, w, dag, art, st);
  }
}

}  // namespace

void OptaelUdplatim(const UdplatimRaekke *row, MaanedIndeks m) {
  if (!row || !Levende(row->Status) || row->anfo_id >= tvanfo.wRecCnt) return;
  float *slot = MedTalSlots(row->anfo_id, m);
  if (!slot) return;
  const float v = static_cast<float>(row->Timer) * 10.0f;
  switch (row->Type) {
    case 'a': slot[12] += v; break;
    case 'e': slot[10] += v; break;
    case 'f': case 'h': slot[11] += v; break;
    case 'k': case 'u': slot[8] += v; break;
    case 'p': slot[13] += v; break;
    case 'r': slot[9] += v; break;
    default: break;
  }
}

void OptaelHontim(const HontimRaekke *row, MaanedIndeks m) {
  if (!row || !Levende(row->Status) || !row->anfo_id || row->anfo_id >= tvanfo.wRecCnt) return;
  float *slot = MedTalSlots(row->anfo_id, m);
  const HontityRec *t = TabRec<HontityRec>(tvhontity, row->hontity_id);
  if (!slot || !t || row->hontity_id == 0) return;
  const char *tt = t->timetype;
  const float v = static_cast<float>(row->Enheder) * 10.0f;
  auto Er = [&](const char *s) { return FeltErTekst(tt, sizeof t->timetype, s); };
  if (Er("31") || Er("3B") || Er("F") || Er("G"))
    slot[6] += v;
  else if (Er("AA"))
    slot[16] += v;
  else if (Er("AF"))
    slot[15] += v;
  else if (Er("A9"))
    slot[15] += static_cast<float>(static_cast<int64_t>(static_cast<double>(row->Enheder) * 10 * 1.5));
  else if (Er("O"))
    slot[row->Enheder < 0 ? 17 : 18] += row->Enheder < 0 ? -v : v;
}
