// The plan model and its record writers. Every writer keeps the rules of the
// plan records: only own rows of the stored kinds are written, a record that
// is not live is never rewritten, and a removed record goes through the
// export-safe delete.
#include "FF_PlanFyld.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FF_GRUPPE.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "GEMNING.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "MINNORM.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "VISFELT.h"
#include "tavo/assert.h"
#include "win/controls.h"

namespace {

// While the save pass rewrites every row, the per-row saves are left to its
// own save of the tables: writing fftaltab whole once per row would cost
// rows x table size for the same files.
thread_local bool gUdsatGem = false;

bool ErSumArt(uint32_t art) {
  return art == PLAN_AKTI || art == PLAN_MEDA || art == PLAN_OPG_AKTI || art == PLAN_FREMMED_AKTI ||
         art == PLAN_FREMMED_OPG_AKTI;
}

void MarkerBlok(const TabDesc &td, TabVar &tv, uint32_t n) { tv.pfSave[n / td.RecPrBlok] = 1; }

void Gem(const TabDesc &td, TabVar &tv) {
  if (!gUdsatGem) SaveTab(&td, &tv, nullptr);
}

const FfpgRec *Gruppe(uint32_t gruppe) {
  const FfpgRec *g = gruppe ? TabRec<FfpgRec>(tvffpg, gruppe) : nullptr;
  return g && PlanRecIBrug(g->Status) ? g : nullptr;
}

bool Overlapper(Dato fra, Dato til, const FfpgRec *g) { return fra <= g->Tildato && til >= g->Fradato; }

// A record number that still names a record the writer may reuse: one that
// is neither free nor deleted. Otherwise the entry takes a new record.
bool BrugbarRec(const TabDesc &td, const TabVar &tv, uint32_t n) {
  if (n == 0 || n >= tv.wRecCnt) return false;
  const uint8_t s = RecStatus(&td, GetRec(&td, &tv, n));
  return PlanRecIBrug(s);
}

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
  const uint32_t ny = plan->GrundTab ? std::max(raekker + 1, plan->GrundTabAlloc + plan->GrundTabStep) : raekker + 2;
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

void BeregnUgeTimer(Plan *plan, uint32_t uge, uint32_t raekke, int32_t lektioner) {
  GrundRaekke &r = plan->GrundTab[raekke];
  if (r.ErSum || !r.TalTab || uge > plan->UgeAntal + 1) return;
  const Dato onsdag = UgeDagTilDato(IndeksUge(uge), 3);
  TalPost &t = r.TalTab[uge];
  t.Timer1 = BeregnPlanTimer(r.Aktivitet, r.Medarbejder1, r.Skolefag, onsdag, lektioner, r.Minutnorm1);
  t.Timer2 = BeregnPlanTimer(r.Aktivitet, r.Medarbejder2, r.Skolefag, onsdag, lektioner, r.Minutnorm2);
}

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
  r.TalTab = Alloker<TalPost>(plan->UgeAntal + 2);
  TAVO_ASSERT(r.TalTab != NULL && "Plan->GrundTab[Plan->Ens.ObjTabAntal].TalTab != NULL");
  r.PerTab = Alloker<PerPost>(plan->UgeAntal + 2);
  TAVO_ASSERT(r.PerTab != NULL && "Plan->GrundTab[Plan->Ens.ObjTabAntal].PerTab != NULL");
  const bool fag = rec->ObjType == PLAN_FAG || rec->ObjType == PLAN_FREMMED_FAG;
  if (fag && kilde && kilde < raekke && plan->GrundTab[kilde].TalTab) {
    r.KopiAf = kilde;
    for (uint32_t u = 0; u <= plan->UgeAntal + 1; ++u) {
      const TalPost &k = plan->GrundTab[kilde].TalTab[u];
      r.TalTab[u].Lektioner = k.Lektioner;
      r.TalTab[u].PlanStatus = k.PlanStatus;
      if (k.Lektioner) BeregnUgeTimer(plan, u, raekke, k.Lektioner);
    }
  }
  if (gem) GemRaekke(plan, raekke, false);
  return raekke;
}

void TomPlan(Plan *plan) {
  for (uint32_t r = 1; plan->GrundTab && r <= plan->GrundTabAntal && r < plan->GrundTabAlloc; ++r) {
    free(plan->GrundTab[r].TalTab);
    free(plan->GrundTab[r].PerTab);
  }
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

bool AktiBrugbarIGruppe(uint32_t akti, uint32_t gruppe) {
  const FfpgRec *g = Gruppe(gruppe);
  const AktiRec *a = akti ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  return g && a && a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & 0x80000000u) &&
         Overlapper(a->Fradato, a->Tildato, g) && IsHoldAkti(akti) && FindPgRel(gruppe, akti, 'K') != 0 &&
         a->Aflyst == 'N' && a->Slettet_i_EASY == 0;
}

bool AnfoBrugbarIGruppe(uint32_t anfo, uint32_t gruppe) {
  const FfpgRec *g = Gruppe(gruppe);
  const AnfoRec *a = anfo ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  return g && a && a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & 0x80000000u) &&
         Overlapper(a->Fradato, a->Tildato, g) && FindPgRel(gruppe, anfo, 'M') != 0;
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
  if (plan->GemAlt) r.GrundRec = 0;
  bool ny = false;
  if (!BrugbarRec(tdffgrund, tvffgrund, r.GrundRec)) {
    r.GrundRec = NewRec(&tdffgrund, &tvffgrund);
    if (r.GrundRec == 0) {
      LogPrintf("** Fejl: GemRaekke(): ingen plads til en plan r\xE6kke\n");
      return 0;
    }
    ny = true;
  }
  FfgrundRec *p = TabRec<FfgrundRec>(tvffgrund, r.GrundRec);
  const uint32_t id = ny ? 0 : p->Id;
  const uint8_t status = ny ? PLANREC_LEVER : p->Status;
  *p = FfgrundRec{};
  p->Id = id;
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
  p->Status = status;
  MarkerBlok(tdffgrund, tvffgrund, r.GrundRec);
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
    if (plan->GemAlt) t.TalRec = 0;
    bool ny = false;
    if (t.TalRec && t.TalRec < tvfftaltab.wRecCnt) {
      const uint8_t s = TabRec<FftaltabRec>(tvfftaltab, t.TalRec)->Status;
      if (PlanRecIBrug(s) && !PlanRecLever(s)) return;  // another's, or not to be rewritten
      ny = !PlanRecIBrug(s);
    } else {
      ny = true;
    }
    if (ny) {
      if (r.Ejer != PlanEgenInst()) return;
      t.TalRec = NewRec(&tdfftaltab, &tvfftaltab);
      if (t.TalRec == 0) {
        LogPrintf("** Fejl: GemUge(): ingen plads til en uge post\n");
        return;
      }
    }
    FftaltabRec *p = TabRec<FftaltabRec>(tvfftaltab, t.TalRec);
    const uint32_t id = ny ? 0 : p->Id;
    const uint8_t status = ny ? ((t.PlanStatus & PS_FREMMED) ? PLANREC_FREMMED : PLANREC_LEVER) : p->Status;
    *p = FftaltabRec{};
    p->Id = id;
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
    p->Status = status;
    MarkerBlok(tdfftaltab, tvfftaltab, t.TalRec);
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
    if (plan->GemAlt) e.PerRec = 0;
    bool ny = false;
    if (e.PerRec && e.PerRec < tvffpertab.wRecCnt) {
      const uint8_t s = TabRec<FfpertabRec>(tvffpertab, e.PerRec)->Status;
      if (PlanRecIBrug(s) && !PlanRecLever(s)) return;
      ny = !PlanRecIBrug(s);
    } else {
      ny = true;
    }
    if (ny) {
      if (r.Ejer != PlanEgenInst()) return;
      e.PerRec = NewRec(&tdffpertab, &tvffpertab);
      if (e.PerRec == 0) {
        LogPrintf("** Fejl: GemPeriode(): ingen plads til en periode post\n");
        return;
      }
    }
    FfpertabRec *p = TabRec<FfpertabRec>(tvffpertab, e.PerRec);
    const uint32_t id = ny ? 0 : p->Id;
    const uint8_t status = ny ? ((e.PlanStatus & PS_FREMMED) ? PLANREC_FREMMED : PLANREC_LEVER) : p->Status;
    const bool nulstil = (e.PlanStatus & PS_NULSTIL) != 0;
    *p = FfpertabRec{};
    p->Id = id;
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
    p->Status = status;
    MarkerBlok(tdffpertab, tvffpertab, e.PerRec);
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

uint32_t FjernDubletter(const DublerSpec &s) {
  const TabDesc &td = *s.td;
  TabVar &tv = *s.tv;
  if (tv.wRecCnt < 3) return 0;
  std::vector<uint32_t> felter;
  for (const char *navn : s.sortFelter) felter.push_back(FeltNr(td, navn));
  // The whole table in one sort: records 1..count-1 at positions 1..n.
  const uint32_t antal = tv.wRecCnt - 1;
  uint32_t *plkTab = static_cast<uint32_t *>(calloc(size_t(antal) + 1, sizeof(uint32_t)));
  TAVO_ASSERT(plkTab != NULL);
  for (uint32_t i = 1; i <= antal; ++i) plkTab[i] = i;
  SorterPaaFeltListe(plkTab, antal, &td, &tv, felter.data(), static_cast<uint32_t>(felter.size()));
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

uint32_t FjernGrundDubletter() {
  return FjernDubletter({&tdffgrund, &tvffgrund, "ffgrund",
                         {"Ejer", "ffpg_id", "Aktivitet", "Skolefag", "Medarbejder1", "Medarbejder2", "Dublet", "Id"},
                         7, true});
}

uint32_t FjernPerTabDubletter() {
  return FjernDubletter({&tdffpertab, &tvffpertab, "pertab", {"Ejer", "ffgrund_id", "ffpp_id", "Id"}, 3, false});
}

uint32_t FjernTalTabDubletter() {
  return FjernDubletter({&tdfftaltab, &tvfftaltab, "taltab", {"Ejer", "ffgrund_id", "Uge", "PlanStatus", "Id"}, 3, false});
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
