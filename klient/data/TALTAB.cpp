// The count tables.
#include "TALTAB.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "DATO.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "PLANIDX.h"
#include "RECPRED.h"
#include "tavo/assert.h"
#include "windows.h"

PlanTalRec PlanTal;
PlanTalMndCelle *PlanTalMndTab;
uint32_t PlanTalMndM, PlanTalMndF;
PlanTalUgeCelle *PlanTalUgeTab;
uint32_t PlanTalUgeW;
MedTalUgeCelle *MedTalUgeTab;
MedTalArbejdstidCelle *MedTalArbejdstidTab;
MedTalFerieCelle *MedTalFerieTab;
AktiTalCelle *AktiTalTab;
uint16_t *AktiDagTab;
uint32_t *AktiAflystTab;
uint32_t *skphAkkTab;
uint32_t *LokaSumTab;
uint8_t *LokaOptalt;
uint32_t AflystBegAntal;
TalDimRec TalDim;
uint32_t MedTalM;
HANDLE TalMutex;

TalAllokatorer TalAlloc = {malloc, calloc, realloc};

namespace {

// The table allocations report under the module name the tables have
// always had, so the lines in old logs and new ones read alike.
[[noreturn]] void TabelFejl(const char *udtryk, int linje) {
  tavo::AssertFailed(udtryk, "TAVODATA", linje);
}
#define TAL_KRAEV(expr) ((expr) ? (void)0 : TabelFejl(#expr, __LINE__))

template <class T>
T *Nulstillet(size_t antal) {
  return static_cast<T *>(TalAlloc.Calloc(antal ? antal : 1, sizeof(T)));
}

template <class T>
void Fri(T *&p) {
  free(p);
  p = nullptr;
}

uint32_t PlanAntal() { return PlanTal.PlanTab ? PlanTal.Antal : 0; }

bool PlanPost(uint32_t n, PlanTabVaerdiPost *pPost) {
  if (!PlanTal.PlanTab || n == 0 || n > PlanTal.Antal) return false;
  const PlanTabPost &e = PlanTal.PlanTab[n];
  pPost->anfo = e.anfo;
  pPost->akti = e.akti;
  pPost->skfa = e.skfa;
  pPost->Vaerdi = e.Minutnorm;
  pPost->Kilde = e.Kilde;
  return true;
}

// How many times this thread holds TalMutex. Only the first take and the
// last release go to the mutex: a counter is all that a recursive mutex's
// owner needs for the takes in between, and the counters take it once per
// event.
thread_local uint32_t tTalDybde = 0;

PlanTabLaeser gLaeser = {0, PlanAntal, PlanPost, PlanVaerdiFind, ProevTalMutex, SlipTalMutex};

}  // namespace

void OpretTalMutex() {
  if (!TalMutex) TalMutex = CreateMutex(nullptr, FALSE, nullptr);
  gLaeser.hMutex = TalMutex;
  SaetPlanTabLaeser(&gLaeser);
}

void LukTalMutex() {
  SaetPlanTabLaeser(nullptr);
  if (TalMutex) CloseHandle(TalMutex);
  TalMutex = 0;
  gLaeser.hMutex = 0;
  tTalDybde = 0;
}

void TagTalMutex() {
  if (!TalMutex) return;
  if (tTalDybde == 0) WaitForSingleObject(TalMutex, INFINITE);
  ++tTalDybde;
}

bool ProevTalMutex() {
  if (!TalMutex) return true;
  if (tTalDybde == 0) {
    const DWORD r = WaitForSingleObject(TalMutex, 0);
    if (r != WAIT_OBJECT_0 && r != WAIT_ABANDONED) return false;
  }
  ++tTalDybde;
  return true;
}

void SlipTalMutex() {
  if (!TalMutex || tTalDybde == 0) return;
  if (--tTalDybde == 0) ReleaseMutex(TalMutex);
}

TalDimRec BeregnTalDim() {
  const SkemaPeriodeData &p = SkemaPeriode;
  TalDimRec d{};
  d.W = p.AntalUger;
  d.M = p.AntalMaaneder;
  d.Y = p.AntalAar;
  d.Y1 = p.AntalAarMedForrige;
  const int32_t dage = DatoTilAbsDag(p.TilDato) - DatoTilAbsDag(p.FraDato);
  d.D = static_cast<uint32_t>(dage < 0 ? -dage : dage);
  d.A = tvakti.wRecCnt;
  d.F = tvanfo.wRecCnt;
  d.E = tvmeda.wRecCnt;
  d.R = tvloka.wRecCnt;
  d.S = tvskph.wRecCnt;
  return d;
}

MedTalMaaned *MedTalFor(uint32_t anfo) {
  if (anfo == 0 || anfo >= tvanfo.wRecCnt) return nullptr;
  return static_cast<MedTalMaaned *>(GetRunPtr(&tvanfo, anfo));
}

// ---- The plan list ----

// The entries a list of n entries (a multiple of the step) is reallocated
// to: at least n + 10,001, and then up to the next size of the series 2^k,
// 3 x 2^(k-1), so that a list that grows step by step is copied only when
// it passes one of those sizes. Reallocated to the same size in between,
// it stays where it is: a large school's hundreds of thousands of entries
// are copied a few times instead of once per step.
size_t PlanTabPladser(uint32_t n) {
  const size_t mindst = static_cast<size_t>(n) + PLANTAB_SKRIDT + 1;
  size_t p = 1;
  while (p < mindst && p + p / 2 < mindst) p *= 2;
  return p >= mindst ? p : p + p / 2;
}

namespace {

// The block under PlanTal's list and the entries it has room for; and the
// block of the list before it while a list begun anew has no entry yet.
// The list is rebuilt over and over while the program runs, each time as
// large as the time before: a new block would have every page faulted in
// again while the counters add their entries, so the old one is kept.
PlanTabPost *gPlanBlok = nullptr;
size_t gPlanPladser = 0;
bool gPlanGenbrugt = false;  // the block is the list before's
PlanTabPost *gPlanReserve = nullptr;
size_t gPlanReservePladser = 0;

void FriPlanReserve() {
  free(gPlanReserve);
  gPlanReserve = nullptr;
  gPlanReservePladser = 0;
}

}  // namespace

void GrowPlanTab(PlanTalRec *pPlanTal) {
  const uint32_t n = pPlanTal->Antal;
  const bool egen = pPlanTal == &PlanTal;
  if (n < 2) {
    // A fresh list. A caller that reset the count without freeing the old
    // list would lose it: it is freed here.
    free(pPlanTal->PlanTab);
    if (egen) PlanIndeksNulstil();
    if (egen && gPlanReserve) {
      pPlanTal->PlanTab = gPlanReserve;
      gPlanPladser = gPlanReservePladser;
      gPlanReserve = nullptr;
      gPlanReservePladser = 0;
      gPlanGenbrugt = true;
      memset(pPlanTal->PlanTab, 0, (PLANTAB_SKRIDT + 1) * sizeof(PlanTabPost));
    } else {
      pPlanTal->PlanTab = Nulstillet<PlanTabPost>(PLANTAB_SKRIDT + 1);
      if (!pPlanTal->PlanTab) TabelFejl("PlanTal->PlanTab != NULL", __LINE__);
      if (egen) gPlanPladser = PLANTAB_SKRIDT + 1, gPlanGenbrugt = false;
    }
    if (egen) gPlanBlok = pPlanTal->PlanTab;
  } else if (n % PLANTAB_SKRIDT == 0) {
    const size_t pladser = PlanTabPladser(n);
    PlanTabPost *ptab = pPlanTal->PlanTab;
    // A new block grows at every step, as it always has; the block of the
    // list before has room already.
    if (!egen || ptab != gPlanBlok || !gPlanGenbrugt || pladser > gPlanPladser) {
      ptab = static_cast<PlanTabPost *>(TalAlloc.Realloc(ptab, pladser * sizeof(PlanTabPost)));
      TAL_KRAEV(ptab != NULL);
      if (egen) gPlanBlok = ptab, gPlanPladser = pladser;
    }
    memset(ptab + n, 0, (PLANTAB_SKRIDT + 1) * sizeof(PlanTabPost));
    pPlanTal->PlanTab = ptab;
  }
  if (!pPlanTal->PlanTab) TabelFejl("PlanTal->PlanTab != NULL", __LINE__);
}

PlanTabPost *NyPlanTabPost() {
  ++PlanTal.Antal;
  GrowPlanTab(&PlanTal);
  PlanTabPost *e = &PlanTal.PlanTab[PlanTal.Antal];
  memset(e, 0, sizeof *e);
  return e;
}

void BegyndPlanTab() {
  // A list begun anew twice without an entry keeps the block it was given.
  if (PlanTal.PlanTab && PlanTal.PlanTab == gPlanBlok && gPlanPladser > PLANTAB_SKRIDT) {
    FriPlanReserve();
    gPlanReserve = PlanTal.PlanTab;
    gPlanReservePladser = gPlanPladser;
    PlanTal.PlanTab = nullptr;
  }
  Fri(PlanTal.PlanTab);
  PlanTal.Antal = 0;
  PlanIndeksNulstil();
  gPlanBlok = nullptr;
  gPlanPladser = 0;
}

void FreePlanTab() {
  Fri(PlanTal.PlanTab);
  FriPlanReserve();
  PlanTal.Antal = 0;
  PlanIndeksNulstil();
  gPlanBlok = nullptr;
  gPlanPladser = 0;
}

void AllokerPlanTalMndTab() {
  Fri(PlanTalMndTab);
  PlanTalMndM = SkemaPeriode.AntalMaaneder;
  PlanTalMndF = tvanfo.wRecCnt;
  PlanTalMndTab = Nulstillet<PlanTalMndCelle>((static_cast<size_t>(PlanTalMndM) + 1) * (PlanTalMndF + 1));
  TAL_KRAEV(PlanTalMndTab != NULL);
}

void AllokerPlanTalUgeTab() {
  Fri(PlanTalUgeTab);
  PlanTalUgeW = SkemaPeriode.AntalUger;
  PlanTalUgeTab = Nulstillet<PlanTalUgeCelle>(static_cast<size_t>(PlanTalUgeW) + 1);
  TAL_KRAEV(PlanTalUgeTab != NULL);
}

void FreePlanTalTabeller() {
  FreePlanTab();
  PlanIndeksFri();
  Fri(PlanTalMndTab);
  Fri(PlanTalUgeTab);
  PlanTalMndM = PlanTalMndF = PlanTalUgeW = 0;
}

// ---- Activities ----

void FreeAktiTalTab() {
  Fri(AktiTalTab);
  Fri(AktiDagTab);
  Fri(AktiAflystTab);
}

void AllokerAktiTalTab() {
  const TalDimRec d = BeregnTalDim();
  FreeAktiTalTab();
  TalDim.A = d.A;
  TalDim.M = d.M;
  TalDim.D = d.D;
  AktiTalTab = Nulstillet<AktiTalCelle>((static_cast<size_t>(d.M) + 1) * d.A);
  TAL_KRAEV(AktiTalTab != NULL);
  AktiDagTab = Nulstillet<uint16_t>((static_cast<size_t>(d.A) + 1) * (d.D + 1));
  AktiAflystTab = Nulstillet<uint32_t>(static_cast<size_t>(d.A) + 1);
  AflystBegAntal = 0;
  TAL_KRAEV(AktiDagTab != NULL);
  TAL_KRAEV(AktiAflystTab != NULL);

  const Dato fra = SkemaPeriode.FraDato, til = SkemaPeriode.TilDato;
  const int32_t fraDag = DatoTilAbsDag(fra);
  for (uint32_t r = 1; r < tvakpl.wRecCnt; ++r) {
    const AkplRec *k = TabRec<AkplRec>(tvakpl, r);
    if (!k || k->Startdato > til || k->Slutdato < fra) continue;
    if (k->akti_id == 0 || k->akti_id >= d.A) continue;
    const int32_t start = DatoTilAbsDag(k->Startdato > fra ? k->Startdato : fra) - fraDag;
    const int32_t slut = DatoTilAbsDag(k->Slutdato < til ? k->Slutdato : til) - fraDag;
    uint16_t *raekke = AktiDagTab + static_cast<size_t>(k->akti_id) * (d.D + 1);
    // Saturating, without a branch, so the loop over a year of days runs
    // several days at a time.
    const int32_t til = slut < static_cast<int32_t>(d.D) ? slut : static_cast<int32_t>(d.D);
    for (int32_t o = start < 0 ? 0 : start; o <= til; ++o)
      raekke[o] = static_cast<uint16_t>(raekke[o] + (raekke[o] != UINT16_MAX));
  }
}

uint32_t AktiDagElever(uint32_t akti, int32_t dagOffset) {
  if (!AktiDagTab || akti == 0 || akti >= TalDim.A) return 0;
  if (dagOffset < 0 || dagOffset > static_cast<int32_t>(TalDim.D)) return 0;
  return AktiDagTab[static_cast<size_t>(akti) * (TalDim.D + 1) + dagOffset];
}

// ---- Subject placements ----

void FreeSkphTalTab() {
  LogPrintf("Funktion: %s, %s, Free'er mem i skphAkkTab\n", "FreeSkphTalTab", "_FreeSkphTalTab");
  Fri(skphAkkTab);
}

void AllokerSkphTalTab() {
  FreeSkphTalTab();
  LogMemUsage("AllokerSkphTalTab");
  const TalDimRec d = BeregnTalDim();
  TalDim.W = d.W;
  TalDim.S = d.S;
  const size_t n = static_cast<size_t>(d.W) * d.S;
  const size_t oensket = n * 7;
  errno = 0;
  uint32_t *p = static_cast<uint32_t *>(TalAlloc.Malloc(oensket ? oensket * 4 : 4));
  if (p) {
    memset(p, 0, oensket * 4);
  } else {
    LogPrintf("** Fejl: Hukommelses fejl: %s\n", strerror(errno ? errno : ENOMEM));
    if (oensket)
      LogPrintf("Funktion: %s, %s, Ønsket mem i byte=%i\n", "MemErrorHandler", "_MemErrorHandler",
                static_cast<int>(oensket * 4));
    else
      LogPrintf("Funktion: %s, %s\n", "MemErrorHandler", "_MemErrorHandler");
    // Half first, then the rest: a fragmented heap may give it in two steps.
    const size_t h = oensket / 2;
    LogPrintf("** Info: Alloker det 1. halve mem: %i\n", static_cast<int>(h * 4));
    errno = 0;
    uint32_t *halv = static_cast<uint32_t *>(TalAlloc.Malloc(h ? h * 4 : 4));
    if (!halv) {
      LogPrintf("** Fejl: Hukommelses fejl: %s\n", strerror(errno ? errno : ENOMEM));
      LogPrintf("Funktion: %s, %s, Det 1. halve af Ønsket mem i byte=%i\n", "AllocSkph", "_AllocSkph",
                static_cast<int>(h * 4));
    } else {
      LogPrintf("** Info: Alloker det 2. halve mem: %i\n", static_cast<int>(oensket * 4));
      errno = 0;
      uint32_t *hel = static_cast<uint32_t *>(TalAlloc.Realloc(halv, oensket ? oensket * 4 : 4));
      if (!hel) {
        LogPrintf("** Fejl: Hukommelses fejl: %s\n", strerror(errno ? errno : ENOMEM));
        LogPrintf("Funktion: %s, %s, Det 2. halve af Ønsket mem i byte=%i\n", "AllocSkph", "_AllocSkph",
                  static_cast<int>(h * 4));
        free(halv);
      } else {
        memset(hel, 0, oensket * 4);
        p = hel;
      }
    }
  }
  skphAkkTab = p;
  LogPrintf("Funktion: %s, %s, Ønsket mem i byte=%i\n", "AllokerSkphTalTab", "_AllokerSkphTalTab",
            static_cast<int>(n * 28));
  LogMemUsage("AllokerSkphTalTab");
}

// ---- Rooms ----

void FreeLokaSumTab() {
  LogPrintf("Funktion: %s, %s, Free'er mem i lokaOptalt\n", "FreeLokaSumTab", "_FreeLokaSumTab");
  Fri(LokaSumTab);
  Fri(LokaOptalt);
}

void AllokerLokaTalTab() {
  FreeLokaSumTab();
  const TalDimRec d = BeregnTalDim();
  TalDim.Y = d.Y;
  TalDim.R = d.R;
  LokaSumTab = Nulstillet<uint32_t>(static_cast<size_t>(d.Y) * d.R);
  TAL_KRAEV(LokaSumTab != NULL);
  const size_t bytes = static_cast<size_t>(d.Y) * d.R * LOKA_SLOTS_PR_AAR;
  LogPrintf("Funktion: %s, %s, Ønsket mem i byte=%i\n", "AllokerLokaTalTab", "_AllokerLokaTalTab",
            static_cast<int>(bytes));
  LokaOptalt = Nulstillet<uint8_t>(bytes);
  TAL_KRAEV(LokaOptalt != NULL);
}

// ---- Staff ----

void FreeMedTalArbejdstidTab() { Fri(MedTalArbejdstidTab); }

void AllokerMedTalArbejdstidTab() {
  FreeMedTalArbejdstidTab();
  const TalDimRec d = BeregnTalDim();
  TalDim.M = d.M;
  TalDim.E = d.E;
  MedTalArbejdstidTab = Nulstillet<MedTalArbejdstidCelle>((static_cast<size_t>(d.M) + 1) * (d.E + 1));
  TAL_KRAEV(MedTalArbejdstidTab != NULL);
}

void AllokerMedTal() {
  MedTalM = SkemaPeriode.AntalMaaneder;
  for (uint32_t r = 1; r < tvanfo.wRecCnt; ++r) {
    SetRunPtr(&tvanfo, r, nullptr);
    const AnfoRec *a = TabRec<AnfoRec>(tvanfo, r);
    if (a->Status != 10 && a->Status != 30) continue;
    void *anfoRecMedTal = TalAlloc.Calloc(static_cast<size_t>(MedTalM) + 1, sizeof(MedTalMaaned));
    if (!anfoRecMedTal) TabelFejl("anfoRec->MedTal != NULL", __LINE__);
    SetRunPtr(&tvanfo, r, anfoRecMedTal);
  }
}

void AllokerTalTabeller() {
  TalDim = BeregnTalDim();
  const TalDimRec &d = TalDim;
  for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) TabRec<SkphRec>(tvskph, r)->AntalLektioner = 0;
  for (uint32_t r = 0; r < tvakti.wRecCnt; ++r) {
    AktiRec *a = TabRec<AktiRec>(tvakti, r);
    a->AntalElevLektioner = 0;
    a->AntalLererLektioner = 0;
    a->AntalLererTimer = 0;
  }
  AllokerMedTal();

  Fri(MedTalUgeTab);
  MedTalUgeTab = Nulstillet<MedTalUgeCelle>((static_cast<size_t>(d.F) + 1) * (d.W + 1));
  TAL_KRAEV(MedTalUgeTab != NULL);

  AllokerAktiTalTab();
  AllokerSkphTalTab();
  AllokerLokaTalTab();

  Fri(MedTalFerieTab);
  MedTalFerieTab = Nulstillet<MedTalFerieCelle>((static_cast<size_t>(d.Y1) + 1) * (d.E + 1));
  TAL_KRAEV(MedTalFerieTab != NULL);
  for (uint32_t r = 1; r < tvferieopg.wRecCnt; ++r) {
    const FerieopgRec *f = TabRec<FerieopgRec>(tvferieopg, r);
    if (f->Status < 10 || f->Status > 29 || f->meda_id >= d.E) continue;
    const uint32_t aar = SkoleAarIndeks(f->StartDato);
    if (aar > d.Y1) continue;
    MedTalFerieCelle &c = MedTalFerieTab[static_cast<size_t>(f->meda_id) * (d.Y1 + 1) + aar];
    c.Overfoert = static_cast<uint32_t>(static_cast<int64_t>(f->OverfoertFerie) * 1000);
    c.Optjent = static_cast<uint32_t>(static_cast<int64_t>(f->OptjentFerie) * 1000);
    c.OptjentFridage = static_cast<uint32_t>(static_cast<int64_t>(f->OptjentFerieFridage) * 1000);
  }
}

void FreeAlleTalTabeller() {
  FreePlanTalTabeller();
  Fri(MedTalUgeTab);
  FreeMedTalArbejdstidTab();
  Fri(MedTalFerieTab);
  FreeAktiTalTab();
  Fri(skphAkkTab);
  Fri(LokaSumTab);
  Fri(LokaOptalt);
  for (uint32_t r = 1; r < tvanfo.wRecCnt; ++r) SetRunPtr(&tvanfo, r, nullptr);
  TalDim = TalDimRec{};
  MedTalM = 0;
}
