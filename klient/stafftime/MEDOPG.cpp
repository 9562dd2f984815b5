// The hours account of one employment for the accounting period around the current date.
#include "MEDOPG.h"

#include <cmath>
#include <cstring>

#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "RECPRED.h"
#include "TABREG.h"

namespace {

void Saet(int32_t *p, double v) {
  if (p) *p = MedOpgTimer(v);
}

}  // namespace

// The hour figures are f32 sums of many months; a figure beyond the range
// of the output (a broken table) is shown as the nearest whole number that
// fits rather than wrapping.
int32_t MedOpgTusindedele(double x) {
  const double t = RoundDecimals(3, x) * 1000.0;
  if (!(t == t)) return 0;
  if (t >= 2147483647.0) return 2147483647;
  if (t <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int32_t>(t);
}

const MedTalArbejdstidCelle *MedOpgArbejdstidCelle(uint32_t meda, MaanedIndeks m) {
  if (!MedTalArbejdstidTab || meda >= TalDim.E || m > TalDim.M) return nullptr;
  return &MedTalArbejdstidTab[static_cast<size_t>(meda) * (TalDim.M + 1) + m];
}

const PlanTalMndCelle *MedOpgPlanCelle(uint32_t anfo, MaanedIndeks m) {
  if (!PlanTalMndTab) return nullptr;
  if (m > PlanTalMndM || anfo >= PlanTalMndF) return &PlanTalMndTab[0];
  return &PlanTalMndTab[static_cast<size_t>(anfo) * (PlanTalMndM + 1) + m];
}

int32_t MedOpgTimer(double timer) { return RoundMilli(MedOpgTusindedele(timer)); }

void CalcMedOpg(uint32_t anfo, float sums[MEDTAL_SLOTS], int32_t *pTidsreg, int32_t *pSaerligtSkema,
                int32_t *pLaest, int32_t *pNorm, int32_t *pSving, int32_t *pNormIalt, int32_t *pLaest2,
                int32_t *pUdbetalt, int32_t *pLaestIalt, int32_t *pResultat, int32_t *pPlanUndervisning,
                int32_t *pPlanOevrig, int32_t *pPlanRettearbejde, int32_t *pPlanEksamen) {
  const Dato dato = SkemaPeriode.AktuelDato;
  Dato fra = GetOpgPerFra(dato, anfo);
  Dato til = GetOpgPerTil(dato, anfo);
  MaanedIndeks foerste = 0, sidste = 0;
  int32_t normTimer = 0;
  GetOpgPerMonths(dato, anfo, &foerste, &sidste, &normTimer);

  if (GlobalIndstillinger.anfosumperaar) {
    const uint32_t aar = dato / 10000;
    fra = aar * 10000 + 101;
    til = aar * 10000 + 1231;
    foerste = MaanedTilIndeks(aar * 100 + 1);
    sidste = MaanedTilIndeks(aar * 100 + 12);
  }
  if (fra < SkemaPeriode.FraDato || til > SkemaPeriode.TilDato) return;

  if (tvanfo.wRecCnt == 0 || anfo >= tvanfo.wRecCnt) return;
  MedTalMaaned *medTal = MedTalFor(anfo);
  if (!medTal) return;
  const uint32_t meda = TabRec<AnfoRec>(tvanfo, anfo)->meda_id;

  const bool normSystem = GlobalIndstillinger.normsystem != 0;
  const float norm = static_cast<float>(normTimer);
  float sving = 0.0f, normIalt = norm;
  if (!normSystem) {
    sving = GetBufTimSaldo(anfo, dato);
    normIalt = norm + sving + SumNormJust(anfo, GetOpgPerFra(dato, anfo), GetOpgPerTil(dato, anfo));
  }

  float periode[MEDTAL_SLOTS] = {};
  float arb[5] = {};   // fields 1..4 of the working-time cells
  float plan[4] = {};
  static const int kSlots[] = {0, 1, 2, 3, 4, 5, 6, 7, 19, 20};
  // MedTal has MedTalM + 1 months; months past it hold nothing.
  for (MaanedIndeks m = foerste; m <= sidste && m <= MedTalM; ++m) {
    for (int s : kSlots) {
      periode[s] += medTal[m][s];
      sums[s] += medTal[m][s];
    }
    if (const MedTalArbejdstidCelle *c = MedOpgArbejdstidCelle(meda, m)) {
      arb[1] += c->Bidrag;
      arb[2] += c->Fravaer;
      arb[3] += c->Indbetalt;
      arb[4] += c->Fremtid;
    }
    if (const PlanTalMndCelle *p = MedOpgPlanCelle(anfo, m)) {
      plan[0] += p->Undervisning;
      plan[1] += p->Timer;
      plan[2] += p->Rettearbejde;
      plan[3] += p->Eksamen;
    }
  }
  const float tidsreg = arb[1] / 60.0f;
  float laest, udbetalt, laestIalt, resultat;
  if (normSystem) {
    laest = periode[0] + arb[4] + tidsreg + arb[2] + periode[4];
    udbetalt = arb[3];
    laestIalt = laest + arb[3];
    resultat = laest + arb[3] - norm;
  } else {
    laest = periode[0] + periode[1] + periode[2] + periode[3] + periode[5] + periode[4] + periode[7];
    udbetalt = periode[6];
    laestIalt = laest - periode[6];
    resultat = laestIalt - normIalt;
  }
  Saet(pTidsreg, tidsreg);
  Saet(pSaerligtSkema, arb[2]);
  Saet(pLaest, laest);
  Saet(pNorm, norm);
  Saet(pSving, sving);
  Saet(pNormIalt, normIalt);
  Saet(pLaest2, laest);
  Saet(pUdbetalt, udbetalt);
  Saet(pLaestIalt, laestIalt);
  Saet(pResultat, resultat);
  Saet(pPlanUndervisning, plan[0]);
  Saet(pPlanOevrig, plan[1]);
  Saet(pPlanRettearbejde, plan[2]);
  Saet(pPlanEksamen, plan[3]);
}
