// Minute norms.
#include "MINNORM.h"

#include <cmath>
#include <cstdlib>

#include "FINDREC.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "RECPRED.h"
#include "ROLLER.h"
#include "TAVODATA.h"

namespace {

const SkemarolRec *Rolle(uint32_t rol) { return rol ? TabRec<SkemarolRec>(tvskemarol, rol) : nullptr; }

bool GyldigPaa(Dato fra, Dato til, Dato dato) { return fra <= dato && dato <= til; }

// A record of a date-ordered chain that a walk passed at this date: the
// walk goes the same way only on dates from its start on, and on the same
// side of its end.
void Besoegt(DatoSpan *pSpan, Dato fra, Dato til, Dato dato) {
  if (!pSpan) return;
  pSpan->Fra(fra);
  if (til >= dato)
    pSpan->Til(til);
  else
    pSpan->Efter(til);
}

// The activity type is exactly "OVAK". Asked for every event of a recount,
// so the letters are compared in place instead of through the library.
bool ErOvak(const AktiRec *a) {
  constexpr size_t n = sizeof a->Type;
  static_assert(n >= 4);
  const char *t = a->Type;
  return t[0] == 'O' && t[1] == 'V' && t[2] == 'A' && t[3] == 'K' && (n == 4 || t[4] == '\0');
}

// Step 5: the agreement's minute-norm rate.
bool AcsaNorm(Dato dato, uint32_t anfo, uint32_t akti, const AktiRec *a, uint32_t skfa, float *pNorm,
              DatoSpan *pSpan) {
  if (ErOvak(a)) return false;
  const uint32_t araf = MedPerAraf(anfo, dato, pSpan);
  const ArafRec *af = TabRec<ArafRec>(tvaraf, araf);
  if (!af || araf == 0 || af->ac_minut_norm != 'J') return false;
  uint32_t acsa = 0;
  if (tvskph.wRecCnt) {
    const uint32_t n = FindParRec(&tdskph, &tvskph, akti, skfa);
    if (const SkphRec *s = n ? TabRec<SkphRec>(tvskph, n) : nullptr) {
      if (s->akti_id == akti && s->Afregningsform == 'A') return false;
      acsa = s->acsa_id;
    }
  }
  if (acsa == 0 || acsa >= tvacsa.wRecCnt) acsa = a->acsa_id;
  const AcsaRec *r = acsa ? TabRec<AcsaRec>(tvacsa, acsa) : nullptr;
  if (!r || !(r->Minutnorm >= 0)) return false;
  *pNorm = r->Minutnorm;
  return true;
}

// Step 6: a subject distribution of this employment and activity, first in
// the subject's chain, then in the employment's.
bool FagfordlNorm(Dato dato, uint32_t anfo, uint32_t akti, uint32_t skfa, float *pNorm, DatoSpan *pSpan) {
  for (int kaede = 0; kaede < 2; ++kaede) {
    uint32_t n = 0;
    if (kaede == 0) {
      const SkfaRec *s = skfa ? TabRec<SkfaRec>(tvskfa, skfa) : nullptr;
      n = s ? s->forste_fagfordl : 0;
    } else {
      const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
      n = a ? a->forste_fagfordl : 0;
    }
    for (uint32_t skridt = 0; n && skridt < tvfagfordl.wRecCnt; ++skridt) {
      const FagfordlRec *f = TabRec<FagfordlRec>(tvfagfordl, n);
      if (!f) break;
      if (f->Fradato > dato) {
        if (pSpan) pSpan->Foer(f->Fradato);
        break;
      }
      Besoegt(pSpan, f->Fradato, f->Tildato, dato);
      if (f->anfo_id == anfo && f->akti_id == akti && f->Tildato >= dato && f->Minutnorm >= 0) {
        *pNorm = f->Minutnorm;
        return true;
      }
      n = kaede == 0 ? f->neste_fagfordl_fag : f->neste_fagfordl_anfo;
    }
  }
  return false;
}

// Step 8: the subject's norm for the activity's education group.
bool MinutfauNorm(Dato dato, const AktiRec *a, uint32_t skfa, float *pNorm, DatoSpan *pSpan) {
  const SkfaRec *s = skfa ? TabRec<SkfaRec>(tvskfa, skfa) : nullptr;
  if (!s) return false;
  uint32_t n = s->forste_minutfau;
  for (uint32_t skridt = 0; n && skridt < tvminutfau.wRecCnt; ++skridt) {
    const MinutfauRec *m = TabRec<MinutfauRec>(tvminutfau, n);
    if (!m) break;
    if (m->Gyldig_fra > dato) {
      if (pSpan) pSpan->Foer(m->Gyldig_fra);
      break;
    }
    Besoegt(pSpan, m->Gyldig_fra, m->Gyldig_til, dato);
    if (m->udgr_id == a->udgr_id && GyldigPaa(m->Gyldig_fra, m->Gyldig_til, dato) && m->Minutnorm >= 0) {
      *pNorm = m->Minutnorm;
      return true;
    }
    n = m->neste_minutfau;
  }
  return false;
}

// Step 9: the education group's own norm.
bool MinutudNorm(Dato dato, const AktiRec *a, float *pNorm, DatoSpan *pSpan) {
  if (ErOvak(a)) return false;
  const UdgrRec *u = a->udgr_id ? TabRec<UdgrRec>(tvudgr, a->udgr_id) : nullptr;
  if (!u) return false;
  uint32_t n = u->forste_minutud;
  for (uint32_t skridt = 0; n && skridt < tvminutud.wRecCnt; ++skridt) {
    const MinutudRec *m = TabRec<MinutudRec>(tvminutud, n);
    if (!m) break;
    if (m->Gyldig_fra > dato) {
      if (pSpan) pSpan->Foer(m->Gyldig_fra);
      break;
    }
    Besoegt(pSpan, m->Gyldig_fra, m->Gyldig_til, dato);
    if (GyldigPaa(m->Gyldig_fra, m->Gyldig_til, dato) && m->Minutnorm >= 0) {
      *pNorm = m->Minutnorm;
      return true;
    }
    n = m->neste_minutud;
  }
  return false;
}

void Trin(Dato dato, uint32_t anfo, uint32_t rol, float fallback, uint32_t akti, uint32_t skfa,
          float planVaerdi, float *pNorm, uint8_t *pBeregn, DatoSpan *pSpan, bool medKode) {
  const SkemarolRec *r = Rolle(rol);
  // 0: roles of a kind that counts no time.
  if (r) {
    const SkemrtypRec *t = r->skemrtyp_id ? TabRec<SkemrtypRec>(tvskemrtyp, r->skemrtyp_id) : nullptr;
    if (t && t->Rolletype[0] == 'E') {
      *pBeregn = BEREGN_INGEN_TIMER;
      return;
    }
  }
  // 1.
  if (anfo == 0) {
    *pBeregn = BEREGN_INGEN_ANFO;
    return;
  }
  // 2.
  if (r && r->Genererer_timeposter == 'N') {
    *pBeregn = BEREGN_INGEN_TIMER;
    return;
  }
  // 3. An activity number that names no record counts as no activity.
  // The reserved placeholders are told by their id, read here straight from
  // the record: the general lookup by table letter cost more than the rest
  // of the rules together in a full recount.
  const AktiRec *a = akti ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  if (!a || (a->id >= RESERVERET_ID_MIN && a->id <= RESERVERET_ID_UKENDT)) {
    if (SkemarolErFravaer(rol)) {
      *pBeregn = BEREGN_FRAVAER;
      *pNorm = 60.0f;
    } else {
      *pBeregn = BEREGN_INGEN_AKTI;
    }
    return;
  }
  // 4. The plan list tells only the code apart: a caller that takes no
  // code leaves it unasked, and with it the count mutex it is read under
  // (a pass on several threads would queue on that mutex for nothing).
  if (planVaerdi >= 0) {
    float v = 0;
    *pBeregn = (medKode && PlanTabVaerdi(anfo, akti, skfa, &v) && v == planVaerdi) ? BEREGN_PLANTAB : BEREGN_PLAN;
    *pNorm = planVaerdi;
    return;
  }
  float norm = 0;
  // 5.
  if (AcsaNorm(dato, anfo, akti, a, skfa, &norm, pSpan)) {
    *pBeregn = BEREGN_ACSA;
    *pNorm = norm;
    return;
  }
  // 6.
  if (FagfordlNorm(dato, anfo, akti, skfa, &norm, pSpan)) {
    *pBeregn = BEREGN_FAGFORDL;
    *pNorm = norm;
    return;
  }
  // 7. A '+' activity counts no minutes.
  uint8_t plus = 0;
  if (AktiMinutnorm(dato, akti, &norm, &plus, pSpan)) {
    *pBeregn = BEREGN_MIAK;
    *pNorm = plus ? 0.0f : norm;
    return;
  }
  // 8.
  if (MinutfauNorm(dato, a, skfa, &norm, pSpan)) {
    *pBeregn = BEREGN_MINUTFAU;
    *pNorm = norm;
    return;
  }
  // 9.
  if (MinutudNorm(dato, a, &norm, pSpan)) {
    *pBeregn = BEREGN_MINUTUD;
    *pNorm = norm;
    return;
  }
  // 10.
  if (r && FindSlsKodeForSkemarol(rol)) {
    *pBeregn = BEREGN_SLS;
    *pNorm = 60.0f;
    return;
  }
  // 11.
  *pBeregn = BEREGN_STANDARD;
  *pNorm = fallback > 0 ? fallback : 60.0f;
}

}  // namespace

void BeregnMinutnorm(Dato dato, uint32_t anfo, uint32_t skemarol, float fallback, uint32_t akti,
                     uint32_t skfa, float *pNorm, uint8_t *pBeregn, float planVaerdi, DatoSpan *pSpan) {
  float norm = 0.0f;
  uint8_t beregn = 0;
  Trin(dato, anfo, skemarol, fallback, akti, skfa, planVaerdi, &norm, &beregn, pSpan, pBeregn != nullptr);
  if (norm > 0) {
    const uint32_t ansk = MedPerAnsk(anfo, dato, pSpan);
    const AnskRec *k = TabRec<AnskRec>(tvansk, ansk);
    if (k && ansk != 0 && k->Minutnorm_regulering != 0) {
      beregn = BEREGN_REGULERET;
      norm += k->Minutnorm_regulering;
    }
  }
  if (pNorm) *pNorm = norm;
  if (pBeregn) *pBeregn = beregn;
}

float BeregnPlanTimer(uint32_t akti, uint32_t anfo, uint32_t skfa, Dato dato, int32_t tiendeLektioner,
                      float planVaerdi) {
  // A planned line has no schedule role: role 0 adds nothing to the steps
  // that read one.
  float norm = 0.0f;
  uint8_t beregn = 0;
  BeregnMinutnorm(dato, anfo, 0, 0.0f, akti, skfa, &norm, &beregn, planVaerdi);
  return MinutterTilTimer(norm, static_cast<float>(tiendeLektioner) / 10.0f);
}

float MinutterTilTimer(float norm, float lektioner) {
  float timer = norm / 60.0f * lektioner;
  if (GlobalIndstillinger.afrunding) {
    double y = static_cast<double>(timer) * 100.0;
    y = timer >= 0 ? y + 0.5 + 1e-12 : y - 0.5 - 1e-12;
    if (std::fabs(y) < 9.2e18) {
      double r = static_cast<double>(static_cast<int64_t>(y)) / 100.0;
      r = timer >= 0 ? r + 1e-14 : r - 1e-14;
      timer = static_cast<float>(r);
    }
  }
  return timer;
}

Klokkeslaet BeregnSluttid(Klokkeslaet start, float *pVarighed) {
  const double v = pVarighed ? *pVarighed : 0.0;
  // Hundredths of an hour, halves away from zero, and those to whole minutes.
  const double h = v >= 0 ? std::floor(v * 100.0 + 0.5) : std::ceil(v * 100.0 - 0.5);
  if (!(std::fabs(h) < 1e9)) return start > 2400 ? 2400 : start;
  const int64_t hundr = static_cast<int64_t>(h);
  const int64_t hele = hundr / 100, rest = hundr % 100;
  const double restMin = static_cast<double>(rest) * 60.0 / 100.0;
  const int64_t minutter = hele * 60 + static_cast<int64_t>(restMin >= 0 ? std::floor(restMin + 0.5)
                                                                            : std::ceil(restMin - 0.5));
  if (pVarighed) *pVarighed = static_cast<float>(static_cast<double>(minutter) / 60.0);
  int64_t slut = static_cast<int64_t>(start / 100) * 60 + start % 100 + minutter;
  if (slut < 0) slut = 0;
  if (slut >= 24 * 60) return 2400;
  return static_cast<Klokkeslaet>(slut / 60 * 100 + slut % 60);
}

float BeregnTimerTil(int32_t startMinutter, float tid) {
  // The small nudge keeps a typed 0.29 from becoming 28 hundredths through
  // its binary form.
  const double t = static_cast<double>(tid) * 100.0;
  if (!(std::fabs(t) < 1e9)) return 0.0f;
  const int64_t hundr = static_cast<int64_t>(t + (t >= 0 ? 1e-4 : -1e-4));
  const int64_t minutter = hundr / 100 * 60 + static_cast<int64_t>(std::lround(static_cast<double>(hundr % 100) * 60.0 / 100.0));
  if (minutter <= startMinutter) return 0.0f;
  return static_cast<float>(static_cast<double>(minutter - startMinutter) / 60.0);
}

uint32_t MinutterMellem(Klokkeslaet a, Klokkeslaet b) {
  const int64_t ma = static_cast<int64_t>(a / 100) * 60 + a % 100;
  const int64_t mb = static_cast<int64_t>(b / 100) * 60 + b % 100;
  return static_cast<uint32_t>(ma > mb ? ma - mb : mb - ma);
}
