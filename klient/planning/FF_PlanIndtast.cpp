// The plan's edit rules. A number is kept where it was put: a week set by
// hand (bit 4) outlives every spread, a period spread (bit 16) outlives the
// group spread unless that is forced, and a locked record (bit 0x10) is
// never rewritten; the spreads and clears below only fill what those leave.
#include "FF_PlanIndtast.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "BESKEDER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "GEMNING.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "PlanTraad.h"
#include "RECPRED.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TAVODATA.h"
#include "TIMOAK.h"

namespace {

constexpr uint32_t kRetSpredt = 64;  // RetStatus of a week spread from a period, the period's PlanStatus flag
constexpr uint32_t kEksSpredt = 32;  // EksStatus of the same for exam time
constexpr uint32_t kHaandtastet = 4; // RetStatus / EksStatus of a week typed by hand

const char *const kTitelObs = "OBS!";
const char *const kTitelTal = "Ikke gyldigt tal!";
const char *const kAktiTal =
    "Der er registreret lektioner eller timer p\xE5 aktiviteten,\nDerfor kan den ikke fjernes, du skal slette "
    "informationerne f\xF8rst.";
const char *const kAktiMedarbejder =
    "Der er sat medarbejder p\xE5 aktiviteten,\nDerfor kan den ikke fjernes, du skal slette medarbejderen f\xF8rst.";
const char *const kMedaTal =
    "Der er registreret lektioner eller timer p\xE5 medarbejderen,\nDerfor kan den ikke fjernes, du skal slette "
    "informationerne f\xF8rst.";
const char *const kOpgaveTal =
    "Der er registreret timer p\xE5 aktiviteten.\nDerfor kan den ikke fjernes, du skal slette informationerne f\xF8rst.";
const char *const kSkjulTal = "Der er registreret lektioner/timer p\xE5 dette objekt.\nDerfor kan objektet ikke skjules!";
const char *const kSkjulMedarbejder = "Der er p\xE5sat medarbejder p\xE5 dette objekt.\nDerfor kan objektet ikke skjules!";
const char *const kMaksLektioner =
    "Det indtastede 'max' tal (%d) er mindre end summen af de timer (%d), som allerede er indtastet.\nTallet skal "
    "v\xE6re st\xF8rre end summen af de indtastede tal.";
const char *const kMaksTimer =
    "Det indtastede 'max' tal (%.2f) er mindre end summen af de timer (%.2f), som allerede er indtastet.\nTallet skal "
    "v\xE6re st\xF8rre end summen af de indtastede tal.";

void Besked(HWND ejer, const char *tekst, const char *titel) {
  MessageBoxA(ejer, tekst, titel, MB_OK | MB_ICONINFORMATION);
}

bool GyldigRaekke(const Plan *plan, uint32_t raekke) {
  return plan && plan->GrundTab && raekke >= 1 && raekke <= plan->GrundTabAntal && plan->ObjTypeTab[raekke] != 0 &&
         plan->GrundTab[raekke].TalTab && plan->GrundTab[raekke].PerTab;
}

// The row an edit works on: the source of a display copy.
uint32_t Kilde(const Plan *plan, uint32_t raekke) {
  const uint32_t k = plan->GrundTab[raekke].KopiAf;
  return k && GyldigRaekke(plan, k) ? k : raekke;
}

// The display copy of a source row, 0 when it has none.
uint32_t KopiAf(const Plan *plan, uint32_t kilde) {
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
    if (plan->GrundTab[r].KopiAf == kilde && GyldigRaekke(plan, r)) return r;
  return 0;
}

bool Laast(const TabDesc &td, TabVar &tv, uint32_t nr) {
  return nr && nr < tv.wRecCnt && PlanRecBevaret(RecStatus(&td, GetRec(&td, &tv, nr)));
}

bool UgeLaast(const GrundRaekke &r, uint32_t u) { return Laast(tdfftaltab, tvfftaltab, r.TalTab[u].TalRec); }
bool PeriodeLaast(const GrundRaekke &r, uint32_t p) { return Laast(tdffpertab, tvffpertab, r.PerTab[p].PerRec); }

// A record in use is made live before it is rewritten, as the writers only
// rewrite live records; a locked one is left, and a record the central
// system knows (bit 32) keeps that mark for the export.
void GoerLevende(const TabDesc &td, TabVar &tv, uint32_t nr) {
  if (nr == 0 || nr >= tv.wRecCnt) return;
  const uint8_t s = RecStatus(&td, GetRec(&td, &tv, nr));
  if (!PlanRecIBrug(s) || PlanRecBevaret(s) || PlanRecLever(s)) return;
  SetRecStatus(&td, &tv, nr, static_cast<uint8_t>(PLANREC_LEVER | (s & 0x20)));
  tv.pfSave[nr / td.RecPrBlok] = 1;
}

void SkrivUge(Plan *plan, uint32_t raekke, uint32_t u) {
  const TalPost &t = plan->GrundTab[raekke].TalTab[u];
  if (t.PlanStatus || t.RetStatus || t.EksStatus) GoerLevende(tdfftaltab, tvfftaltab, t.TalRec);
  GemUge(plan, u, raekke, false);
}

void SkrivPeriode(Plan *plan, uint32_t raekke, uint32_t pos) {
  const PerPost &e = plan->GrundTab[raekke].PerTab[pos];
  if (e.PlanStatus != 0 && e.PlanStatus != PS_NULSTIL) GoerLevende(tdffpertab, tvffpertab, e.PerRec);
  GemPeriode(plan, pos, plan->PeriodeTab[pos].ffpp, raekke, false);
}

void SkrivRaekke(Plan *plan, uint32_t raekke) {
  GoerLevende(tdffgrund, tvffgrund, plan->GrundTab[raekke].GrundRec);
  GemRaekke(plan, raekke, false);
}

// The changes of one operation are one save, reported when it fails.
void Afslut(Plan *plan, Gemning &gemning) {
  SaveTab(&tdfftaltab, &tvfftaltab, nullptr);
  SaveTab(&tdffpertab, &tvffpertab, nullptr);
  SaveTab(&tdffgrund, &tvffgrund, nullptr);
  if (!gemning.Fuldfoer()) {
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(plan->hwndPlan, fejl);
  }
  if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
}

// Headings and scheduled lessons feed no employee's week sums.
bool IMedarbejderSum(const Plan *plan, uint32_t raekke) {
  return !plan->GrundTab[raekke].ErSum && plan->ObjTypeTab[raekke] != PLAN_SKEMA;
}

// A row is out of its heading's and its employees' sums while it changes.
class RaekkeUde {
 public:
  RaekkeUde(Plan *plan, uint32_t raekke) : plan_(plan), raekke_(raekke) {
    const GrundRaekke &r = plan->GrundTab[raekke];
    m1_ = r.Medarbejder1, m2_ = r.Medarbejder2;
    overskrift_ = FindOverskrift(plan, raekke);
    FlytTal(plan, overskrift_, raekke, -1);
    if (IMedarbejderSum(plan, raekke)) AddPlanRaekkeTilSum(plan, raekke, -1, 3);
  }
  // Back in; the row may have a new heading and new employees by now.
  void Ind() {
    if (!GyldigRaekke(plan_, raekke_)) {
      if (overskrift_) BeregnRaekke(plan_, overskrift_);
    } else {
      const uint32_t ny = FindOverskrift(plan_, raekke_);
      FlytTal(plan_, ny, raekke_, +1);
      if (IMedarbejderSum(plan_, raekke_)) AddPlanRaekkeTilSum(plan_, raekke_, +1, 3);
      if (ny) BeregnRaekke(plan_, ny);
      if (overskrift_ && overskrift_ != ny) BeregnRaekke(plan_, overskrift_);
      if (const uint32_t k = KopiAf(plan_, raekke_)) BeregnRaekke(plan_, k);
      const GrundRaekke &r = plan_->GrundTab[raekke_];
      for (uint32_t a : {r.Medarbejder1, r.Medarbejder2})
        if (a && a != m1_ && a != m2_) BeregnMedarbejderTal(plan_, a);
    }
    for (uint32_t a : {m1_, m2_})
      if (a) BeregnMedarbejderTal(plan_, a);
  }

 private:
  Plan *plan_;
  uint32_t raekke_, overskrift_ = 0, m1_ = 0, m2_ = 0;
};

// The column a cell lies in: its kind, and for a period or a week the
// period's position and week indexes, for a week its index.
struct Kolonne {
  uint32_t art = 0;
  uint32_t pos = 0;
  uint32_t fra = 0, til = 0;
  uint32_t uge = 0;
};

uint32_t PeriodeAfUge(const Plan *plan, uint32_t u) {
  for (uint32_t p = 1; plan->PeriodeTab && p <= plan->PeriodeAntal; ++p)
    if (UgeTilIndeks(plan->PeriodeTab[p].Frauge) <= u && UgeTilIndeks(plan->PeriodeTab[p].Tiluge) >= u) return p;
  return 0;
}

bool LaesKolonne(const Plan *plan, uint32_t kolonne, Kolonne *k) {
  if (!plan->ObjTypeTabX || kolonne == 0 || kolonne > plan->KolonneAntal) return false;
  k->art = plan->ObjTypeTabX[kolonne];
  if (k->art == PLAN_KOL_TOTAL) return true;
  if (k->art == PLAN_KOL_UGE) {
    k->uge = plan->UgeTab ? UgeTilIndeks(plan->UgeTab[kolonne]) : 0;
    if (k->uge < 1 || k->uge > plan->UgeAntal) return false;
    k->pos = plan->PPeriode ? plan->PPeriode[kolonne] : 0;
    if (k->pos == 0 || k->pos > plan->PeriodeAntal) k->pos = PeriodeAfUge(plan, k->uge);
  } else if (k->art == PLAN_KOL_PERIODE) {
    k->pos = plan->PPeriode ? plan->PPeriode[kolonne] : 0;
  } else {
    return false;
  }
  if (k->pos && plan->PeriodeTab && k->pos <= plan->PeriodeAntal && k->pos <= plan->UgeAntal + 1) {
    const PeriodePost &p = plan->PeriodeTab[k->pos];
    k->fra = std::max(UgeTilIndeks(p.Frauge), 1u);
    k->til = std::min(UgeTilIndeks(p.Tiluge), plan->UgeAntal);
  } else {
    k->pos = 0;
  }
  return k->art == PLAN_KOL_UGE || k->pos != 0;
}

void GruppeUger(const Plan *plan, uint32_t *fra, uint32_t *til) {
  *fra = std::max(PlanUgeIndeks(plan->Fradato), 1u);
  *til = std::min(PlanUgeIndeks(plan->Tildato), plan->UgeAntal);
}

bool ErTimer(const Plan *plan, uint32_t raekke) { return plan->ObjTypeTab[raekke] == PLAN_OPG_TIMER; }

uint32_t Dage(const Plan *plan, uint32_t raekke, uint32_t u) {
  const GrundRaekke &r = plan->GrundTab[raekke];
  return PlanDageIUge(r.Aktivitet, r.Medarbejder1, IndeksTilUge(u), ErTimer(plan, raekke) ? PLAN_OPG_TIMER : PLAN_FAG);
}

uint32_t Undervisningsuger(const Plan *plan, uint32_t raekke, uint32_t fra, uint32_t til) {
  uint32_t n = 0;
  for (uint32_t u = fra; u <= til; ++u)
    if (Dage(plan, raekke, u) > 0) ++n;
  return n;
}

// Whether a spread with these flags leaves the week as it is.
bool SpredningSpringer(const GrundRaekke &r, uint32_t u, uint32_t flag, bool force) {
  const uint32_t s = r.TalTab[u].PlanStatus;
  if (UgeLaast(r, u)) return true;
  if ((s & PS_UGE) && !(flag & PS_UGE)) return true;
  return (flag & PS_GRUPPE) && (s & PS_PERIODE) && !force;
}

// The per-week value of a maximum (positive, lessons in tenths or hours)
// over the weeks fra..til: what is left of it after the numbers the spread
// with these flags will not touch, over the weeks the activity teaches.
// Those untouched numbers are the fixed ones: counting a week the spread is
// about to overwrite would make the same maximum typed twice spread nothing.
bool MaksProUge(const Plan *plan, uint32_t raekke, uint32_t fra, uint32_t til, double maks, uint32_t flag,
                double *proUge, double *fast) {
  const GrundRaekke &r = plan->GrundTab[raekke];
  const bool timer = ErTimer(plan, raekke);
  *fast = 0.0;
  for (uint32_t u = fra; u <= til; ++u)
    if (SpredningSpringer(r, u, flag, false)) *fast += timer ? r.TalTab[u].Timer : r.TalTab[u].Lektioner;
  const double rest = maks - *fast;
  if (rest < 0.0) return false;
  const uint32_t uger = std::max(Undervisningsuger(plan, raekke, fra, til), 1u);
  *proUge = timer ? rest / uger : static_cast<double>(static_cast<int32_t>(rest) / static_cast<int32_t>(uger) / 10 * 10);
  return true;
}

void MaksBesked(const Plan *plan, uint32_t raekke, double maks, double fast) {
  char tekst[400];
  if (ErTimer(plan, raekke))
    snprintf(tekst, sizeof tekst, kMaksTimer, maks, fast);
  else
    snprintf(tekst, sizeof tekst, kMaksLektioner, static_cast<int>(maks) / 10, static_cast<int>(fast) / 10);
  Besked(NULL, tekst, kTitelTal);
}

// The per-week value of a typed period or group number: the number itself,
// or for a maximum what is left of it per teaching week; false (after the
// message) when the fixed numbers exceed the maximum.
bool ProUge(const Plan *plan, uint32_t raekke, uint32_t fra, uint32_t til, double vaerdi, uint32_t flag,
            double *proUge) {
  *proUge = vaerdi;
  if (vaerdi >= 0.0) return true;
  double fast = 0.0;
  if (MaksProUge(plan, raekke, fra, til, -vaerdi, flag, proUge, &fast)) return true;
  MaksBesked(plan, raekke, -vaerdi, fast);
  return false;
}

int32_t Rund(int32_t v, uint32_t *status) {
  if (v % 10 == 0) return v;
  *status |= PS_AFRUNDET;
  return v >= 0 ? (v + 5) / 10 * 10 : -((-v + 5) / 10 * 10);
}

// A week's number from a per-week value at d teaching days: lessons at five
// days a week (rounded to whole lessons), hours as they are.
void SaetUgeTal(Plan *plan, uint32_t raekke, uint32_t u, double vaerdi, uint32_t d, uint32_t flag) {
  GrundRaekke &r = plan->GrundTab[raekke];
  TalPost &t = r.TalTab[u];
  uint32_t status = flag;
  if (ErTimer(plan, raekke)) {
    t.Timer = static_cast<float>((flag & PS_UGE) ? vaerdi : d * vaerdi);
  } else {
    const int32_t v = static_cast<int32_t>(vaerdi);
    t.Lektioner = Rund((flag & PS_UGE) ? v : static_cast<int32_t>(d) * v / 5, &status);
  }
  t.PlanStatus = status;
  t.Ejer = PlanEgenInst();
  BeregnUgeTimer(plan, u, raekke, t.Lektioner);
  if (const uint32_t k = KopiAf(plan, raekke)) {
    TalPost &c = plan->GrundTab[k].TalTab[u];
    c.Lektioner = t.Lektioner;
    c.Timer = t.Timer;
    c.PlanStatus = t.PlanStatus;
    c.Ejer = t.Ejer;
    BeregnUgeTimer(plan, u, k, c.Lektioner);
  }
  SkrivUge(plan, raekke, u);
}

void Fordel(Plan *plan, uint32_t fra, uint32_t til, uint32_t raekke, double vaerdi, uint32_t flag, bool force) {
  const GrundRaekke &r = plan->GrundTab[raekke];
  fra = std::max(fra, 1u);
  til = std::min(til, plan->UgeAntal);
  for (uint32_t u = fra; u <= til; ++u) {
    if (SpredningSpringer(r, u, flag, force)) continue;
    const uint32_t d = Dage(plan, raekke, u);
    if (d == 0 && flag != 0) continue;
    SaetUgeTal(plan, raekke, u, vaerdi, d, flag);
  }
}

// Week entry 0 marks a total typed for the whole group.
void MarkerGruppeTotal(Plan *plan, uint32_t raekke, uint32_t status) {
  for (uint32_t r : {raekke, KopiAf(plan, raekke)}) {
    if (!r) continue;
    TalPost &t = plan->GrundTab[r].TalTab[0];
    t.PlanStatus = status;
    t.Ejer = PlanEgenInst();
  }
}

bool LaesTal(const char *tekst, double *v) {
  if (!tekst) return false;
  char buf[64];
  snprintf(buf, sizeof buf, "%s", tekst);
  if (char *komma = strchr(buf, ',')) *komma = '.';
  char *slut = nullptr;
  const double d = strtod(buf, &slut);
  if (slut == buf || !std::isfinite(d) || std::fabs(d) > 1e7) return false;
  *v = d;
  return true;
}

bool ErFagRaekke(const Plan *plan, uint32_t raekke) { return plan->ObjTypeTab[raekke] == PLAN_FAG; }

// Sets a typed number (lessons in tenths, or hours) into a cell of the
// source row.
bool SaetTal(Plan *plan, uint32_t kolonne, uint32_t raekke, double vaerdi) {
  Kolonne k;
  if (!GyldigRaekke(plan, raekke) || !LaesKolonne(plan, kolonne, &k)) return false;
  raekke = Kilde(plan, raekke);
  GrundRaekke &r = plan->GrundTab[raekke];
  const bool timer = ErTimer(plan, raekke);
  if (k.art == PLAN_KOL_UGE) {
    // A week of its own takes no maximum: negative lessons are refused,
    // negative hours are a correction. A week the activity does not teach
    // takes nothing.
    if ((vaerdi < 0.0 && !timer) || UgeLaast(r, k.uge) || Dage(plan, raekke, k.uge) == 0) return false;
    PlanLaas laas;
    Gemning gemning;
    RaekkeUde ude(plan, raekke);
    Fordel(plan, k.uge, k.uge, raekke, vaerdi, PS_UGE, false);
    ude.Ind();
    Afslut(plan, gemning);
    return true;
  }
  uint32_t fra, til;
  if (k.art == PLAN_KOL_PERIODE) {
    if (PeriodeLaast(r, k.pos)) return false;
    fra = k.fra, til = k.til;
  } else {
    if (UgeLaast(r, 0)) return false;
    GruppeUger(plan, &fra, &til);
  }
  const uint32_t flag = k.art == PLAN_KOL_PERIODE ? PS_PERIODE : PS_GRUPPE;
  double proUge = 0.0;
  if (!ProUge(plan, raekke, fra, til, vaerdi, flag, &proUge)) return false;
  PlanLaas laas;
  Gemning gemning;
  RaekkeUde ude(plan, raekke);
  const uint32_t kopi = KopiAf(plan, raekke);
  if (k.art == PLAN_KOL_PERIODE) {
    for (uint32_t x : {raekke, kopi}) {
      if (!x) continue;
      PerPost &e = plan->GrundTab[x].PerTab[k.pos];
      if (timer)
        e.Timer = static_cast<float>(vaerdi);
      else
        e.Lektioner = static_cast<int32_t>(vaerdi);
      e.PlanStatus |= PS_PERIODE;
    }
    SkrivPeriode(plan, raekke, k.pos);
    Fordel(plan, fra, til, raekke, proUge, PS_PERIODE, false);
  } else {
    Fordel(plan, fra, til, raekke, proUge, PS_GRUPPE, false);
    for (uint32_t x : {raekke, kopi}) {
      if (!x) continue;
      if (timer)
        plan->GrundTab[x].Timer = static_cast<float>(vaerdi);
      else
        plan->GrundTab[x].Lektioner = static_cast<int32_t>(vaerdi);
    }
    MarkerGruppeTotal(plan, raekke, PS_GRUPPE);
    SkrivRaekke(plan, raekke);
    SkrivUge(plan, raekke, 0);
  }
  ude.Ind();
  Afslut(plan, gemning);
  return true;
}

// The value a week takes back when its own number is cleared: its
// period's spread, else the group's; flag 0 when neither was typed.
double TilbageVaerdi(const Plan *plan, uint32_t raekke, const Kolonne &k, uint32_t *flag) {
  const GrundRaekke &r = plan->GrundTab[raekke];
  const bool timer = ErTimer(plan, raekke);
  *flag = 0;
  double vaerdi = 0.0, proUge = 0.0, fast = 0.0;
  uint32_t fra = 0, til = 0;
  if (k.pos && (r.PerTab[k.pos].PlanStatus & PS_PERIODE)) {
    vaerdi = timer ? r.PerTab[k.pos].Timer : r.PerTab[k.pos].Lektioner;
    *flag = PS_PERIODE, fra = k.fra, til = k.til;
  } else if (timer ? r.Timer != 0.0f : r.Lektioner != 0) {
    vaerdi = timer ? r.Timer : r.Lektioner;
    *flag = PS_GRUPPE;
    GruppeUger(plan, &fra, &til);
  }
  if (*flag == 0 || vaerdi >= 0.0) return vaerdi;
  return MaksProUge(plan, raekke, fra, til, -vaerdi, *flag, &proUge, &fast) ? proUge : 0.0;
}

void GemRyddet(Plan *plan, double vaerdi, bool timer) {
  if (timer)
    plan->KopiTimer = static_cast<float>(vaerdi);
  else
    plan->KopiLektioner = static_cast<uint32_t>(static_cast<int32_t>(vaerdi) / 10);
}

// Marking work (flag 64) or exam time (32) of a week entry.
float &RetteFelt(TalPost &t, uint32_t flag) { return flag == kRetSpredt ? t.Rettearbejd : t.Eksametid; }
uint32_t &RetteStatus(TalPost &t, uint32_t flag) { return flag == kRetSpredt ? t.RetStatus : t.EksStatus; }
float &RetteFelt(PerPost &e, uint32_t flag) { return flag == kRetSpredt ? e.Rettearbejd : e.Eksametid; }

void KopierRette(Plan *plan, uint32_t raekke, uint32_t u, uint32_t flag) {
  if (const uint32_t k = KopiAf(plan, raekke)) {
    TalPost &t = plan->GrundTab[raekke].TalTab[u];
    TalPost &c = plan->GrundTab[k].TalTab[u];
    RetteFelt(c, flag) = RetteFelt(t, flag);
    RetteStatus(c, flag) = RetteStatus(t, flag);
  }
}

// Removes a row of the plan with its records, out of its sums first.
void FjernRaekke(Plan *plan, uint32_t raekke) {
  if (!GyldigRaekke(plan, raekke)) return;
  RaekkeUde ude(plan, raekke);
  const uint32_t grund = plan->GrundTab[raekke].GrundRec;
  // A copy shares its source's record: only the source's own is deleted.
  if (grund && plan->GrundTab[raekke].KopiAf == 0) SletPlanRaekke(grund);
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
    if (plan->GrundTab[r].KopiAf == raekke) RydRaekke(plan, r);
  RydRaekke(plan, raekke);
  ude.Ind();
}

// The pair's link goes back to status 0 when no posted hours are left.
void NulstilAakrel(uint32_t akti, uint32_t anfo) {
  if (TimoakKrog.SumTimoak && TimoakKrog.SetAakrel && TimoakKrog.SumTimoak(akti, anfo) == 0)
    TimoakKrog.SetAakrel(akti, anfo, 0);
}

// Numbers of either sign: hours can be negative, and a row with them must
// not go as if it were empty.
bool HarTal(const GrundRaekke &r) { return r.SumLektioner != 0 || r.SumTimer1 != 0.0f; }

// Removes one employment row the way its kind asks.
void FjernMedarbejderRaekke(Plan *plan, uint32_t gruppe, uint32_t raekke, bool *fjernetRel) {
  const uint32_t art = plan->ObjTypeTab[raekke];
  const GrundRaekke r = plan->GrundTab[raekke];
  switch (art) {
    case PLAN_POST:
    case PLAN_FREMMED_OPG_TIMER: {
      RaekkeUde ude(plan, raekke);
      RydRaekke(plan, raekke);
      ude.Ind();
      break;
    }
    case PLAN_OPG_TIMER:
      FjernRaekke(plan, raekke);
      NulstilAakrel(r.Aktivitet, r.Medarbejder1);
      break;
    case PLAN_MEDA:
    case PLAN_SKEMA:
      FjernRaekke(plan, raekke);
      if (r.Medarbejder1 && FindPgRel(gruppe, r.Medarbejder1, 'M')) {
        RemovePgRel(gruppe, r.Medarbejder1, 'M');
        *fjernetRel = true;
      }
      break;
    default:
      break;
  }
}

// Every ffgrund record that matches goes, and the rows of the model that
// held one of them.
template <class Test>
void SletGrundRecs(Plan *plan, Test test) {
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
    if (!PlanRecIBrug(g->Status) || !test(*g)) continue;
    for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
      if (plan->GrundTab[r].GrundRec == n && GyldigRaekke(plan, r) && plan->GrundTab[r].KopiAf == 0) {
        plan->GrundTab[r].GrundRec = 0;
        FjernRaekke(plan, r);
      }
    SletPlanRaekke(n);
  }
}

}  // namespace

// ---- Lessons and hours ----

void FordelLektioner(Plan *plan, uint32_t fra, uint32_t til, uint32_t raekke, int32_t vaerdi, uint32_t flag,
                     bool force) {
  if (!GyldigRaekke(plan, raekke)) return;
  const uint32_t art = plan->ObjTypeTab[raekke];
  if (art != PLAN_FAG && art != PLAN_FREMMED_FAG) return;
  Fordel(plan, fra, til, raekke, vaerdi, flag, force);
  SaveTab(&tdfftaltab, &tvfftaltab, nullptr);
}

bool SaetLektioner(Plan *plan, uint32_t kolonne, uint32_t raekke, int32_t lektioner) {
  if (!GyldigRaekke(plan, raekke) || !ErFagRaekke(plan, Kilde(plan, raekke))) return false;
  if (lektioner > INT32_MAX / 10 || lektioner < -(INT32_MAX / 10)) return false;
  if (kolonne && kolonne <= plan->KolonneAntal && plan->ObjTypeTabX &&
      plan->ObjTypeTabX[kolonne] == PLAN_KOL_PERIODE)
    return SaetPeriodeLektioner(plan, kolonne, raekke, lektioner * 10);
  return SaetTal(plan, kolonne, raekke, lektioner * 10.0);
}

bool SaetPeriodeLektioner(Plan *plan, uint32_t kolonne, uint32_t raekke, int32_t tiendedele) {
  if (!GyldigRaekke(plan, raekke) || !ErFagRaekke(plan, Kilde(plan, raekke))) return false;
  if (!plan->ObjTypeTabX || kolonne == 0 || kolonne > plan->KolonneAntal ||
      plan->ObjTypeTabX[kolonne] != PLAN_KOL_PERIODE)
    return false;
  return SaetTal(plan, kolonne, raekke, tiendedele);
}

bool SaetTimer(Plan *plan, uint32_t kolonne, uint32_t raekke, const char *tekst) {
  double v = 0.0;
  if (!GyldigRaekke(plan, raekke) || !ErTimer(plan, Kilde(plan, raekke)) || !LaesTal(tekst, &v)) return false;
  return SaetTal(plan, kolonne, raekke, v);
}

bool SletLektioner(Plan *plan, uint32_t kolonne, uint32_t raekke) {
  Kolonne k;
  if (!GyldigRaekke(plan, raekke) || !LaesKolonne(plan, kolonne, &k)) return false;
  raekke = Kilde(plan, raekke);
  if (!ErFagRaekke(plan, raekke) && !ErTimer(plan, raekke)) return false;
  GrundRaekke &r = plan->GrundTab[raekke];
  const bool timer = ErTimer(plan, raekke);
  const uint32_t kopi = KopiAf(plan, raekke);
  if (k.art == PLAN_KOL_UGE) {
    if (UgeLaast(r, k.uge)) return false;
    PlanLaas laas;
    Gemning gemning;
    RaekkeUde ude(plan, raekke);
    TalPost &t = r.TalTab[k.uge];
    GemRyddet(plan, timer ? t.Timer : t.Lektioner, timer);
    for (uint32_t x : {raekke, kopi}) {
      if (!x) continue;
      TalPost &c = plan->GrundTab[x].TalTab[k.uge];
      c.Lektioner = 0;
      if (timer) c.Timer = 0.0f;
      c.PlanStatus = 0;
    }
    const uint32_t d = Dage(plan, raekke, k.uge);
    uint32_t flag = 0;
    const double tilbage = d ? TilbageVaerdi(plan, raekke, k, &flag) : 0.0;
    if (flag)
      SaetUgeTal(plan, raekke, k.uge, tilbage, d, flag);
    else
      for (uint32_t x : {raekke, kopi})
        if (x) BeregnUgeTimer(plan, k.uge, x, 0);
    SkrivUge(plan, raekke, k.uge);
    ude.Ind();
    Afslut(plan, gemning);
    return true;
  }
  if (k.art == PLAN_KOL_PERIODE) {
    if (PeriodeLaast(r, k.pos)) return false;
    PlanLaas laas;
    Gemning gemning;
    RaekkeUde ude(plan, raekke);
    PerPost &e = r.PerTab[k.pos];
    GemRyddet(plan, timer ? e.Timer : e.Lektioner, timer);
    for (uint32_t x : {raekke, kopi}) {
      if (!x) continue;
      PerPost &c = plan->GrundTab[x].PerTab[k.pos];
      c.Lektioner = 0;
      c.Timer = 0.0f;
      c.PlanStatus &= ~PS_PERIODE;
    }
    // The period's weeks fall back to the group's spread, or are cleared.
    Kolonne ingen;
    uint32_t flag = 0;
    const double gruppe = TilbageVaerdi(plan, raekke, ingen, &flag);
    Fordel(plan, k.fra, k.til, raekke, gruppe, flag, true);
    SkrivPeriode(plan, raekke, k.pos);
    ude.Ind();
    Afslut(plan, gemning);
    return true;
  }
  if (UgeLaast(r, 0)) return false;
  PlanLaas laas;
  Gemning gemning;
  RaekkeUde ude(plan, raekke);
  GemRyddet(plan, timer ? r.Timer : r.Lektioner, timer);
  for (uint32_t x : {raekke, kopi}) {
    if (!x) continue;
    plan->GrundTab[x].Lektioner = 0;
    if (timer) plan->GrundTab[x].Timer = 0.0f;
    plan->GrundTab[x].TalTab[0].PlanStatus = 0;
  }
  SkrivRaekke(plan, raekke);
  SkrivUge(plan, raekke, 0);
  uint32_t fra, til;
  GruppeUger(plan, &fra, &til);
  for (uint32_t u = fra; u <= til; ++u) {
    const TalPost &t = r.TalTab[u];
    if ((t.PlanStatus & (PS_UGE | PS_PERIODE)) || UgeLaast(r, u)) continue;
    for (uint32_t x : {raekke, kopi}) {
      if (!x) continue;
      TalPost &c = plan->GrundTab[x].TalTab[u];
      c.Lektioner = 0;
      if (timer) c.Timer = 0.0f;
      c.PlanStatus = 0;
      BeregnUgeTimer(plan, u, x, 0);
    }
    SkrivUge(plan, raekke, u);
  }
  ude.Ind();
  Afslut(plan, gemning);
  return true;
}

// ---- Marking work and exam time ----

bool SaetRetteEksamen(Plan *plan, uint32_t kolonne, uint32_t raekke, const char *tekst) {
  const uint32_t flag = plan && plan->UnderVisning == 1 ? kRetSpredt : plan && plan->UnderVisning == 2 ? kEksSpredt : 0;
  Kolonne k;
  double v = 0.0;
  if (!flag || !GyldigRaekke(plan, raekke) || !LaesKolonne(plan, kolonne, &k) || !LaesTal(tekst, &v) || v < 0.0)
    return false;
  raekke = Kilde(plan, raekke);
  if (!ErFagRaekke(plan, raekke)) return false;
  GrundRaekke &r = plan->GrundTab[raekke];
  if (k.art == PLAN_KOL_UGE) {
    if (UgeLaast(r, k.uge)) return false;
    PlanLaas laas;
    Gemning gemning;
    RaekkeUde ude(plan, raekke);
    TalPost &t = r.TalTab[k.uge];
    RetteFelt(t, flag) = static_cast<float>(v);
    RetteStatus(t, flag) = kHaandtastet;
    t.Ejer = PlanEgenInst();
    KopierRette(plan, raekke, k.uge, flag);
    SkrivUge(plan, raekke, k.uge);
    ude.Ind();
    Afslut(plan, gemning);
    return true;
  }
  if (k.art != PLAN_KOL_PERIODE || PeriodeLaast(r, k.pos)) return false;
  PlanLaas laas;
  Gemning gemning;
  RaekkeUde ude(plan, raekke);
  PerPost &e = r.PerTab[k.pos];
  RetteFelt(e, flag) = static_cast<float>(v);
  e.PlanStatus |= flag;
  SkrivPeriode(plan, raekke, k.pos);
  const uint32_t uger = std::max(Undervisningsuger(plan, raekke, k.fra, k.til), 1u);
  const float proUge = static_cast<float>(v / uger);
  for (uint32_t u = k.fra; u <= k.til; ++u) {
    TalPost &t = r.TalTab[u];
    if (Dage(plan, raekke, u) == 0 || UgeLaast(r, u) || (RetteStatus(t, flag) & kHaandtastet)) continue;
    RetteFelt(t, flag) = proUge;
    RetteStatus(t, flag) = flag;
    t.Ejer = PlanEgenInst();
    KopierRette(plan, raekke, u, flag);
    SkrivUge(plan, raekke, u);
  }
  ude.Ind();
  Afslut(plan, gemning);
  return true;
}

bool SletRetteEksamen(Plan *plan, uint32_t kolonne, uint32_t raekke, uint32_t flag) {
  Kolonne k;
  if ((flag != kRetSpredt && flag != kEksSpredt) || !GyldigRaekke(plan, raekke) || !LaesKolonne(plan, kolonne, &k))
    return false;
  raekke = Kilde(plan, raekke);
  if (!ErFagRaekke(plan, raekke)) return false;
  GrundRaekke &r = plan->GrundTab[raekke];
  if (k.art == PLAN_KOL_UGE) {
    if (UgeLaast(r, k.uge)) return false;
    PlanLaas laas;
    Gemning gemning;
    RaekkeUde ude(plan, raekke);
    TalPost &t = r.TalTab[k.uge];
    RetteFelt(t, flag) = 0.0f;
    RetteStatus(t, flag) = 0;
    KopierRette(plan, raekke, k.uge, flag);
    SkrivUge(plan, raekke, k.uge);
    ude.Ind();
    Afslut(plan, gemning);
    return true;
  }
  if (k.art != PLAN_KOL_PERIODE || PeriodeLaast(r, k.pos)) return false;
  PlanLaas laas;
  Gemning gemning;
  RaekkeUde ude(plan, raekke);
  PerPost &e = r.PerTab[k.pos];
  RetteFelt(e, flag) = 0.0f;
  e.PlanStatus &= ~flag;
  SkrivPeriode(plan, raekke, k.pos);
  for (uint32_t u = k.fra; u <= k.til; ++u) {
    TalPost &t = r.TalTab[u];
    if (UgeLaast(r, u) || !(RetteStatus(t, flag) & flag)) continue;
    RetteFelt(t, flag) = 0.0f;
    RetteStatus(t, flag) &= ~flag;
    KopierRette(plan, raekke, u, flag);
    SkrivUge(plan, raekke, u);
  }
  ude.Ind();
  Afslut(plan, gemning);
  return true;
}

int FindRetteFaktorer(uint32_t skfa, uint32_t gruppe, float *opgaver, float *minutter) {
  const FfpgRec *g = gruppe && gruppe < tvffpg.wRecCnt ? TabRec<FfpgRec>(tvffpg, gruppe) : nullptr;
  if (!g || !PlanRecIBrug(g->Status)) return 0;
  for (uint32_t n = 1; n < tvtif.wRecCnt; ++n) {
    const TifRec *t = TabRec<TifRec>(tvtif, n);
    if (t->Status == 0 || StatusKlasse(t->Status) != KLASSE_AKTUEL || t->skfa_id != skfa) continue;
    // One that ended before the group began is passed over, as the marking
    // dialog does, so a later record of the subject can still answer.
    if (t->Slutdato != 0 && t->Slutdato < g->Fradato) continue;
    if (t->Startdato > g->Tildato) continue;
    if (opgaver && t->Opgaveantal > 0.0f) *opgaver = t->Opgaveantal;
    if (minutter && t->Opgaveminutter > 0.0f) *minutter = t->Opgaveminutter;
    return 1;
  }
  return 0;
}

// ---- Removal and hiding ----

bool FjernAktivitet(Plan *plan, uint32_t akti) {
  if (!plan || !plan->GrundTab || akti == 0) return false;
  const uint32_t gruppe = plan->AktPlanGruppe;
  std::vector<uint32_t> raekker;
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    const uint32_t art = plan->ObjTypeTab[r];
    if (!GyldigRaekke(plan, r) || g.ffpg_id != gruppe || g.Aktivitet != akti) continue;
    if ((art == PLAN_AKTI || art == PLAN_FAG) && HarTal(g)) {
      Besked(plan->hwndPlan, kAktiTal, kTitelObs);
      return false;
    }
    if (art == PLAN_AKTI || art == PLAN_FAG) raekker.push_back(r);
  }
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    const uint32_t art = plan->ObjTypeTab[r];
    if ((art == PLAN_FAG || art == PLAN_OPG_TIMER) && g.ffpg_id == gruppe && g.Aktivitet == akti &&
        (g.Medarbejder1 || g.Medarbejder2)) {
      Besked(plan->hwndPlan, kAktiMedarbejder, kTitelObs);
      return false;
    }
  }
  PlanLaas laas;
  Gemning gemning;
  for (uint32_t r : raekker) FjernRaekke(plan, r);
  if (FindPgRel(gruppe, akti, 'K')) RemovePgRel(gruppe, akti, 'K');
  SaveTab(&tdffpgrel, &tvffpgrel, nullptr);
  if (FindPgRel(0, akti, 'K') == 0) {
    SletGrundRecs(plan, [&](const FfgrundRec &g) { return g.Aktivitet == akti; });
    if (plan->PlanAktiTab && akti <= plan->PlanAktiAntal) plan->PlanAktiTab[akti].IPlan = 0;
  }
  Afslut(plan, gemning);
  return true;
}

bool FjernMedarbejder(Plan *plan, uint32_t gruppe, uint32_t anfo, uint32_t raekke, bool spoerg) {
  if (!GyldigRaekke(plan, raekke) || anfo == 0) return false;
  switch (plan->ObjTypeTab[raekke]) {
    case PLAN_MEDA:
    case PLAN_OPG_TIMER:
    case PLAN_POST:
    case PLAN_FREMMED_OPG_TIMER:
    case PLAN_SKEMA:
      break;
    default:
      return false;  // a subject row loses its employee through FjernMedarbejderFraRaekke
  }
  if (HarTal(plan->GrundTab[raekke])) {
    if (spoerg) Besked(plan->hwndPlan, kMedaTal, kTitelObs);
    return false;
  }
  PlanLaas laas;
  Gemning gemning;
  bool rel = false;
  FjernMedarbejderRaekke(plan, gruppe, raekke, &rel);
  bool staarPaa = false;
  for (uint32_t r = 1; r <= plan->GrundTabAntal && !staarPaa; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    const uint32_t art = plan->ObjTypeTab[r];
    staarPaa = (art == PLAN_FAG || art == PLAN_OPG_TIMER) && g.ffpg_id == gruppe &&
               (g.Medarbejder1 == anfo || g.Medarbejder2 == anfo);
  }
  if (!staarPaa) {
    for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
      const GrundRaekke &g = plan->GrundTab[r];
      const uint32_t art = plan->ObjTypeTab[r];
      if (g.ffpg_id == gruppe && g.Medarbejder1 == anfo &&
          (art == PLAN_POST || art == PLAN_FREMMED_OPG_TIMER || art == PLAN_OPG_TIMER))
        FjernMedarbejderRaekke(plan, gruppe, r, &rel);
    }
    if (FindPgRel(0, anfo, 'M') == 0) {
      if (plan->PlanAnfoTab && anfo <= plan->PlanAnfoAntal) plan->PlanAnfoTab[anfo].IPlan = 0;
      SletGrundRecs(plan, [&](const FfgrundRec &g) { return g.Medarbejder1 == anfo; });
    }
  }
  if (rel) SaveTab(&tdffpgrel, &tvffpgrel, nullptr);
  Afslut(plan, gemning);
  return true;
}

bool FjernOpgave(Plan *plan, uint32_t akti) {
  if (!plan || !plan->GrundTab || akti == 0) return false;
  const uint32_t gruppe = plan->AktPlanGruppe;
  const uint32_t cur = PlanAktuelRaekke(plan);
  const bool enRaekke = GyldigRaekke(plan, cur) && plan->GrundTab[cur].Aktivitet == akti &&
                        (plan->ObjTypeTab[cur] == PLAN_OPG_TIMER || plan->ObjTypeTab[cur] == PLAN_POST ||
                         plan->ObjTypeTab[cur] == PLAN_FREMMED_OPG_TIMER);
  const uint32_t anfo = enRaekke ? plan->GrundTab[cur].Medarbejder1 : 0;
  std::vector<uint32_t> raekker;
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    const uint32_t art = plan->ObjTypeTab[r];
    if (!GyldigRaekke(plan, r) || g.ffpg_id != gruppe || g.Aktivitet != akti || g.KopiAf) continue;
    if (art != PLAN_OPG_TIMER && art != PLAN_POST && art != PLAN_FREMMED_OPG_TIMER) continue;
    if (enRaekke && g.Medarbejder1 != anfo) continue;
    raekker.push_back(r);
  }
  // The rows that go are asked as well as the cursor's: hours of one of
  // them must not go with a heading whose sum hides them.
  bool tal = GyldigRaekke(plan, cur) && HarTal(plan->GrundTab[cur]);
  for (uint32_t r : raekker) tal = tal || (plan->ObjTypeTab[r] == PLAN_OPG_TIMER && HarTal(plan->GrundTab[r]));
  if (tal) {
    Besked(plan->hwndPlan, kOpgaveTal, kTitelObs);
    return false;
  }
  PlanLaas laas;
  Gemning gemning;
  bool rel = false;
  for (uint32_t r : raekker) FjernMedarbejderRaekke(plan, gruppe, r, &rel);
  bool tilbage = false;
  for (uint32_t r = 1; r <= plan->GrundTabAntal && !tilbage; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    tilbage = plan->ObjTypeTab[r] == PLAN_OPG_TIMER && g.ffpg_id == gruppe && g.Aktivitet == akti && g.Medarbejder1;
  }
  if (!tilbage)
    for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
      if (plan->ObjTypeTab[r] == PLAN_OPG_AKTI && plan->GrundTab[r].ffpg_id == gruppe &&
          plan->GrundTab[r].Aktivitet == akti)
        FjernRaekke(plan, r);
  Afslut(plan, gemning);
  return true;
}

bool FjernMedarbejderFraRaekke(Plan *plan, uint32_t anfo, uint32_t raekke) {
  if (!GyldigRaekke(plan, raekke) || anfo == 0) return false;
  raekke = Kilde(plan, raekke);
  GrundRaekke &r = plan->GrundTab[raekke];
  if (r.Medarbejder1 != anfo && r.Medarbejder2 != anfo) return false;
  PlanLaas laas;
  Gemning gemning;
  RaekkeUde ude(plan, raekke);
  if (r.Medarbejder1 == anfo) {
    r.Medarbejder1 = 0;
    r.Minutnorm1 = -1.0f;
  } else {
    r.Medarbejder2 = 0;
    r.Minutnorm2 = -1.0f;
    for (uint32_t u = 0; u <= plan->UgeAntal + 1; ++u) r.TalTab[u].Timer2 = 0.0f;
  }
  if (r.Medarbejder1 == 0 && r.Medarbejder2 != 0) {
    r.Medarbejder1 = r.Medarbejder2;
    r.Minutnorm1 = r.Minutnorm2;
    r.Medarbejder2 = 0;
    r.Minutnorm2 = -1.0f;
    for (uint32_t u = 0; u <= plan->UgeAntal + 1; ++u) {
      r.TalTab[u].Timer1 = r.TalTab[u].Timer2;
      r.TalTab[u].Timer2 = 0.0f;
    }
  } else if (r.Medarbejder1 == 0) {
    for (uint32_t u = 0; u <= plan->UgeAntal + 1; ++u) r.TalTab[u].Timer1 = 0.0f;
  }
  // A display copy shows the second employment: without one it goes.
  if (r.Medarbejder2 == 0)
    for (uint32_t k = 1; k <= plan->GrundTabAntal; ++k)
      if (plan->GrundTab[k].KopiAf == raekke) RydRaekke(plan, k);
  SkrivRaekke(plan, raekke);
  ude.Ind();
  Afslut(plan, gemning);
  return true;
}

bool SkjulRaekke(Plan *plan, uint32_t raekke) {
  if (!GyldigRaekke(plan, raekke)) return false;
  GrundRaekke &r = plan->GrundTab[raekke];
  if (!r.Skjult) {
    if (r.SumLektioner != 0 || r.SumTimer1 != 0.0f) {
      Besked(plan->hwndPlan, kSkjulTal, kTitelObs);
      return false;
    }
    if (r.Medarbejder1 || r.Medarbejder2) {
      Besked(plan->hwndPlan, kSkjulMedarbejder, kTitelObs);
      return false;
    }
  }
  PlanLaas laas;
  Gemning gemning;
  r.Skjult = r.Skjult ? 0 : 1;
  SkrivRaekke(plan, raekke);
  Afslut(plan, gemning);
  return true;
}
