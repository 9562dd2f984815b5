// Small decisions about activities and their budgets that several windows and checks share.
#include "AKTICHK.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BESKEDER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LISTETAL.h"
#include "RECPRED.h"
#include "REGNING.h"
#include "TALTAB.h"

HWND hDatoVindue = 0;

namespace {

constexpr uint32_t BUDGET_IKKE_TALT = 0x40000000u;
constexpr size_t BEM_MAX = 254;

void Advar(bool fHovedvindue, const char *tekst, const char *titel) {
  if (AktiChkKrog.Advarsel) AktiChkKrog.Advarsel(fHovedvindue, tekst, titel);
}

bool BudtGaelder(const BudtRec &b, uint32_t akti, Dato dato) {
  return b.Status >= 10 && b.Status <= 30 && b.akti_id == akti && b.Startdato <= dato && dato <= b.Slutdato;
}

// The calendar year of a week counted from the period's first year.
uint32_t PeriodeAar(Uge uge) { return uge / 100 >= SkemaPeriode.BaseAar ? uge / 100 - SkemaPeriode.BaseAar : 0; }

void Saml(const BemaerkningsLinjer &l, char *ud) {
  size_t n = 0;
  ud[0] = '\0';
  for (uint32_t i = 0; i < l.Antal && l.Linje && n < BEM_MAX; ++i) {
    const char *s = l.Linje[i];
    if (!s) continue;
    while (*s && n < BEM_MAX) ud[n++] = *s++;
  }
  ud[n] = '\0';
}

}  // namespace

AktiChkKroge AktiChkKrog = {};

bool AnfoTidspostCheck(uint32_t anfo, Dato fradato, Dato tildato, TidspostRec *poster, unsigned antal) {
  if (!GyldigRef(&tvanfo, anfo)) return false;
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  if (!a || !AktiChkKrog.TidspostCheck || !GyldigRef(&tvmeda, a->meda_id)) return false;
  const MedaRec *m = TabRec<MedaRec>(tvmeda, a->meda_id);
  if (!m) return false;
  char status = 0;
  AktiChkKrog.TidspostCheck(static_cast<int>(m->id), static_cast<int>(fradato), static_cast<int>(tildato), poster, antal,
                 &status);
  return status == '0';
}

Dato BudgetDato() {
  const Dato d = static_cast<Dato>(TalSpoerg(hDatoVindue, STATUS_DATO_HENT, 0, 0));
  if (d) return d;
  return SkemaPeriode.AktuelDato;
}

int KanSkemalaegges(uint8_t typeBogstav, uint32_t recnr, int mode) {
  if (typeBogstav != 'K') return 1;
  const AktiRec *a = TabRec<AktiRec>(tvakti, recnr);
  if (!a || a->Aktivitet[0] != '+') return 1;
  if (mode == 2) {
    char tekst[80];
    snprintf(tekst, sizeof tekst, "Der kan ikke skemalægges på denne %s.", "aktivitet");
    Advar(true, tekst, "Advarsel");
  }
  return 0;
}

int FindBudtPeriode(uint32_t akti, Dato *pFra, Dato *pTil) {
  if (!GyldigRef(&tvakti, akti)) return 0;
  const Dato dato = BudgetDato();
  for (uint32_t n = 1; n < tvbudt.wRecCnt; ++n) {
    const BudtRec *b = TabRec<BudtRec>(tvbudt, n);
    if (b && BudtGaelder(*b, akti, dato)) {
      if (pFra) *pFra = b->Startdato;
      if (pTil) *pTil = b->Slutdato;
      return 1;
    }
  }
  return 0;
}

int32_t AktiBudgetTimer(uint32_t akti) {
  const AktiRec *a = GyldigRef(&tvakti, akti) ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  if (!a) return 0;
  const Dato dato = BudgetDato();
  int64_t sum = 0;
  for (uint32_t n = 1; n < tvbudt.wRecCnt; ++n) {
    const BudtRec *b = TabRec<BudtRec>(tvbudt, n);
    if (b && BudtGaelder(*b, akti, dato)) sum += b->Laerertimer;
  }
  if (sum == 0) return static_cast<int32_t>(a->BudgetLererTimer);
  return sum > INT32_MAX ? INT32_MAX : static_cast<int32_t>(sum);
}

int32_t AktiTimerBrugt(uint32_t akti) {
  float postTimer = 0, begTimer = 0;
  int32_t laerer = 0, elev = 0;
  AktiPeriodeTal(0, akti, &postTimer, &begTimer, &laerer, &elev, TALPER_IALT);
  const double x = std::llround(RoundDecimals(2, static_cast<double>(postTimer) + begTimer) * 100.0);
  if (x > INT32_MAX) return INT32_MAX;
  if (x < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(x);
}

int CheckBudgetLaas(uint32_t akti, int32_t tilfoej) {
  const AktiRec *a = GyldigRef(&tvakti, akti) ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  if (!a) return 1;
  bool laast = false;
  for (uint32_t n = 1; n < tvret.wRecCnt; ++n) {
    const RetRec *r = TabRec<RetRec>(tvret, n);
    if (r && r->Id == a->id) {
      laast = r->Budget_laas == 'J';
      break;
    }
  }
  if (!laast) return 1;
  const int64_t brugt = AktiTimerBrugt(akti);
  const int64_t budget = static_cast<int64_t>(AktiBudgetTimer(akti)) * 100;
  if (brugt + tilfoej <= budget) return 1;
  const int64_t over = brugt + tilfoej - budget;
  char tekst[160];
  snprintf(tekst, sizeof tekst, "Der er budgetlås på aktiviteten\nog budgettet er overskredet med %6ld,%02ld timer!",
           static_cast<long>(over / 100), static_cast<long>(std::llabs(over % 100)));
  Advar(false, tekst, "Budget lås");
  return 0;
}

int PlanLektioner(uint32_t akti, uint32_t skfa, uint32_t anfo, uint32_t *pLektioner, uint32_t *pBudget) {
  uint64_t budget = 0, lektioner = 0;
  if (pBudget && tvffgrund.wRecCnt > 0) {
    for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
      const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
      if (!g || g->Skolefag != skfa || (g->Budget & BUDGET_IKKE_TALT)) continue;
      if (akti && g->Aktivitet != akti) continue;
      if (anfo && g->Medarbejder1 != anfo) continue;
      budget += g->Budget;
    }
  }
  const bool perAar = (akti && GlobalIndstillinger.aktisumperaar) || (anfo && GlobalIndstillinger.anfosumperaar);
  const uint32_t aktuelAar = PeriodeAar(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks));
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    if (!t || t->Lektioner == 0 || !GyldigRef(&tvffgrund, t->ffgrund_id)) continue;
    const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, t->ffgrund_id);
    if ((akti && g->Aktivitet != akti) || (anfo && g->Medarbejder1 != anfo) || (skfa && g->Skolefag != skfa))
      continue;
    if (perAar && PeriodeAar(t->Uge) != aktuelAar) continue;
    lektioner += (static_cast<uint64_t>(t->Lektioner) + 5) / 10;
  }
  auto u32 = [](uint64_t v) { return v > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(v); };
  if (lektioner && pLektioner) *pLektioner = u32(lektioner);
  if (budget && pBudget) *pBudget = u32(budget);
  return lektioner + budget > 0 ? 1 : 0;
}

uint32_t GetAktiDatoElever(uint32_t akti, Dato dato) {
  if (akti == 0 || !AktiDagTab) return 0;
  // A date outside the period has no day in the table: before it the
  // offset would be negative, after it the next activity's days begin.
  if (dato < SkemaPeriode.FraDato || dato > SkemaPeriode.TilDato) return 0;
  const int32_t d = DatoTilAbsDag(dato) - DatoTilAbsDag(SkemaPeriode.FraDato);
  return AktiDagElever(akti, d);
}

bool ObjListeDiffer(BemaerkningsLinjer a, BemaerkningsLinjer b) {
  char ta[BEM_MAX + 1], tb[BEM_MAX + 1];
  Saml(a, ta);
  Saml(b, tb);
  return strcmp(ta, tb) != 0;
}
