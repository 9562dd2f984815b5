// Plan texts and the number format: one builder per text, shared by the
// window's painters and the CSV export so both write identical figures.
#include "PLANTEKST.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DATO.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "REGNING.h"
#include "SWITCHTEGN.h"

namespace {

void Skriv(char *tekst, const char *format, ...) __attribute__((format(printf, 2, 3)));
void Skriv(char *tekst, const char *format, ...) {
  va_list ap;
  va_start(ap, format);
  vsnprintf(tekst, kPlanTekstLen, format, ap);
  va_end(ap);
}

// A stored text field, which may fill its bytes without a terminator.
template <size_t N>
std::string Felt(const char (&f)[N]) {
  return std::string(f, strnlen(f, N));
}

const GrundRaekke *Raekke(const Plan *plan, uint32_t raekke) {
  if (!plan || !plan->GrundTab || !plan->ObjTypeTab || raekke == 0 || raekke > plan->GrundTabAntal) return nullptr;
  return &plan->GrundTab[raekke];
}

const AktiRec *Akti(uint32_t n) { return n ? TabRec<AktiRec>(tvakti, n) : nullptr; }
const SkfaRec *Skfa(uint32_t n) { return n ? TabRec<SkfaRec>(tvskfa, n) : nullptr; }
const AnfoRec *Anfo(uint32_t n) { return n ? TabRec<AnfoRec>(tvanfo, n) : nullptr; }
const MedaRec *MedaAf(const AnfoRec *a) { return a && a->meda_id ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr; }

bool ErTal(double v) { return !std::isnan(v); }

// The status word of a number cell that the sub-view reads.
uint32_t Status(const TalPost &t, uint8_t visning) {
  return visning == 1 ? t.RetStatus : visning == 2 ? t.EksStatus : t.PlanStatus;
}

uint32_t Tier(uint8_t d) {
  uint32_t f = 1;
  while (d--) f *= 10;
  return f;
}

}  // namespace

uint32_t PlanGruppeNr(const Plan *plan, uint32_t gruppe) {
  if (!plan || !plan->StyrZ.ObjTab || gruppe == 0) return 0;
  for (uint32_t i = 1; i <= plan->StyrZ.Pos.Antal; ++i) {
    if (plan->StyrZ.ObjTab[i] != gruppe) continue;
    const FfpgRec *g = TabRec<FfpgRec>(tvffpg, gruppe);
    if (g && (g->Status & 0x48) == 0x48) return 0;
    return i;
  }
  return 0;
}

void PlanGruppePrefiks(const Plan *plan, uint32_t raekke, char *tekst, size_t n) {
  if (n == 0) return;
  tekst[0] = 0;
  const GrundRaekke *r = Raekke(plan, raekke);
  if (!r) return;
  const uint32_t art = plan->ObjTypeTab[raekke];
  if (art == PLAN_POST) {
    snprintf(tekst, n, "%*s", 3, "");
    return;
  }
  if (art != PLAN_OPG_TIMER && art != PLAN_FREMMED_OPG_TIMER && art != PLAN_FAG && art != PLAN_FREMMED_FAG) return;
  const uint32_t nr = r->ffpg_id != plan->AktPlanGruppe ? PlanGruppeNr(plan, r->ffpg_id) : 0;
  if (nr)
    snprintf(tekst, n, "%2u-", nr);
  else
    snprintf(tekst, n, "%*s", 3, "");
}

// ---- The number format.

uint32_t PlanTimeTekst(double timer, uint8_t decimaler, uint32_t skala, char *tekst) {
  tekst[0] = 0;
  if (!ErTal(timer)) timer = 0.0;
  const uint8_t d = decimaler > 6 ? 6 : decimaler;
  const uint32_t tier = Tier(d);
  const double afrundet = RoundDecimals(static_cast<int8_t>(d), timer) * tier;
  // Beyond what a cell can show the figure is held at the limit rather than
  // overflowing the integer.
  const double graense = 9.0e15;
  const int64_t n = static_cast<int64_t>(afrundet > graense ? graense : afrundet < -graense ? -graense : afrundet);
  const uint64_t abs = static_cast<uint64_t>(n < 0 ? -n : n);
  const uint64_t hel = abs / tier;
  if (d == 0) {
    snprintf(tekst, kPlanTekstLen, "%2lld", static_cast<long long>(n));
    return hel >= skala ? PLAN_SKRIFT_SMAL : 0;
  }
  // One leading minus and the absolute parts: "-2,50", "-0,05".
  snprintf(tekst, kPlanTekstLen, "%s%llu,%0*llu", n < 0 ? "-" : "", static_cast<unsigned long long>(hel),
           static_cast<int>(d), static_cast<unsigned long long>(abs % tier));
  return PLAN_SKRIFT_SMAL;
}

uint32_t PlanLektionTekst(int32_t tiendedele, bool decimal, uint32_t skala, char *tekst) {
  tekst[0] = 0;
  if (tiendedele < 1) return 0;
  if (decimal && tiendedele % 10 >= 1) {
    Skriv(tekst, "%d,%d", tiendedele / 10, tiendedele % 10);
    return PLAN_SKRIFT_SMAL;
  }
  const int32_t hel = static_cast<int32_t>((static_cast<int64_t>(tiendedele) + 5) / 10);
  Skriv(tekst, "%2d", hel);
  return static_cast<uint32_t>(hel) >= skala ? PLAN_SKRIFT_SMAL : 0;
}

// ---- Captions.

bool PlanAktiTekst(const Plan *plan, uint32_t raekke, char *tekst) {
  tekst[0] = 0;
  const GrundRaekke *r = Raekke(plan, raekke);
  const AktiRec *a = r ? Akti(r->Aktivitet) : nullptr;
  if (!a) return false;
  char prefiks[8];
  PlanGruppePrefiks(plan, raekke, prefiks, sizeof prefiks);
  const std::string navn = Felt(a->Aktivitet), kort = Felt(a->Kort_betegnelse);
  switch (plan->ObjTypeTab[raekke]) {
    case PLAN_AKTI:
    case PLAN_OPG_AKTI:
    case PLAN_FREMMED_AKTI:
    case PLAN_FREMMED_OPG_AKTI:
      Skriv(tekst, "%s%-s, %-s", "", navn.c_str(), kort.c_str());
      return true;
    case PLAN_OPG_TIMER:
      Skriv(tekst, "%s%-s, %-s", prefiks, navn.c_str(), kort.c_str());
      return true;
    case PLAN_FREMMED_OPG_TIMER:
      Skriv(tekst, "%s%-s, %-s,(Frem %i)", prefiks, navn.c_str(), kort.c_str(), r->Ejer);
      return true;
    case PLAN_POST:
      Skriv(tekst, "%s%-s, %-s,(Vippet)", prefiks, navn.c_str(), kort.c_str());
      return true;
    default:
      return false;
  }
}

bool PlanAnfoTekst(const Plan *plan, uint32_t raekke, char *tekst) {
  tekst[0] = 0;
  const GrundRaekke *r = Raekke(plan, raekke);
  const AnfoRec *anfo = r ? Anfo(r->Medarbejder1) : nullptr;
  const MedaRec *m = MedaAf(anfo);
  if (!m) return false;
  char prefiks[8];
  PlanGruppePrefiks(plan, raekke, prefiks, sizeof prefiks);
  const std::string ini = Felt(m->Initialer), loeb = Felt(anfo->Loebenummer), navn = Felt(m->Navn);
  const uint32_t art = plan->ObjTypeTab[raekke];
  switch (art) {
    case PLAN_FAG:
    case PLAN_FREMMED_FAG: {
      const SkfaRec *f = Skfa(r->Skolefag);
      const AktiRec *a = Akti(r->Aktivitet);
      if (!f || !a) return false;
      const std::string fag = Felt(f->Skolefag), bet = Felt(f->Betegnelse), akt = Felt(a->Aktivitet);
      if (art == PLAN_FAG)
        Skriv(tekst, "%s%-5s %-10s - %-12s", prefiks, fag.c_str(), bet.c_str(), akt.c_str());
      else
        Skriv(tekst, "%s%-5s %-10s - %-12s (Frem %i)", prefiks, fag.c_str(), bet.c_str(), akt.c_str(), r->Ejer);
      return true;
    }
    case PLAN_MEDA:
      Skriv(tekst, "%s%-4s, %-s", "", ini.c_str(), navn.c_str());
      return true;
    case PLAN_OPG_TIMER:
      Skriv(tekst, "%s%-s, %-s, %-s", prefiks, ini.c_str(), loeb.c_str(), navn.c_str());
      return true;
    case PLAN_FREMMED_OPG_TIMER:
      Skriv(tekst, "%s%-s, %-s (Frem %i)", prefiks, ini.c_str(), loeb.c_str(), r->Ejer);
      return true;
    case PLAN_POST:
      Skriv(tekst, "%s%-s, %-s (Vippet)", prefiks, ini.c_str(), loeb.c_str());
      return true;
    case PLAN_SKEMA:
      Skriv(tekst, "Fra Skema");
      return true;
    default:
      return false;
  }
}

bool PlanFagTekst(const Plan *plan, uint32_t raekke, char *tekst) {
  tekst[0] = 0;
  const GrundRaekke *r = Raekke(plan, raekke);
  const SkfaRec *f = r ? Skfa(r->Skolefag) : nullptr;
  if (!f) return false;
  Skriv(tekst, "  %-5s %c %-15s", Felt(f->Skolefag).c_str(), f->Niveau ? f->Niveau : ' ', Felt(f->Betegnelse).c_str());
  if (r->Dublet) {
    char med[kPlanTekstLen];
    Skriv(med, "%s #%d", tekst, r->Dublet);
    memcpy(tekst, med, kPlanTekstLen);
  }
  return true;
}

void TegnAktiTekst(const Plan *plan, EnsDC *dc, uint32_t raekke, uint8_t farve, int x, int y, int bredde,
                   int hoejde) {
  char tekst[kPlanTekstLen];
  if (!dc || !PlanAktiTekst(plan, raekke, tekst)) return;
  // Sets the colour through the DC's cache; draws nothing itself.
  TegnFarvetTekst(dc, x, y, farve, dc->BkFarve, tekst, 0, 1);
  RECT rc{x + 2, y, x + bredde, y + hoejde - 2};
  DrawTextA(dc->hdc, tekst, -1, &rc, DT_LEFT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
}

void TegnAnfoTekst(const Plan *plan, EnsDC *dc, uint32_t raekke, uint8_t farve, int x, int y) {
  char tekst[kPlanTekstLen];
  if (!dc || !PlanAnfoTekst(plan, raekke, tekst)) return;
  TegnFarvetTekst(dc, x + 2, y + 2, farve, dc->BkFarve, tekst, static_cast<int>(strlen(tekst)), 1);
}

// ---- Header texts.

void PlanLXOverskrift(const Plan *plan, uint32_t kolonne, char *tekst) {
  tekst[0] = 0;
  if (!plan || !plan->ObjTypeTabLX || kolonne == 0 || kolonne > plan->VenstreAntal) return;
  switch (plan->ObjTypeTabLX[kolonne]) {
    case 22:
      Skriv(tekst, "%s", plan->Visning == 'M' ? "Medarbejdere" : plan->Visning == 'O' ? "Øvrig aktiviteter" : "Aktiviteter");
      return;
    case 23: Skriv(tekst, "M1"); return;
    case 24: Skriv(tekst, "M2"); return;
    case 25: Skriv(tekst, "Bud"); return;
    case 26: Skriv(tekst, "Blok"); return;
    case 273: Skriv(tekst, "Pom"); return;
    default: return;
  }
}

void PlanXOverskrift(const Plan *plan, uint32_t kolonne, char *tekst) {
  tekst[0] = 0;
  if (!plan || !plan->ObjTypeTabX || kolonne == 0 || kolonne > plan->KolonneAntal) return;
  switch (plan->ObjTypeTabX[kolonne]) {
    case 31: {
      const FfpgRec *g = plan->AktPlanGruppe ? TabRec<FfpgRec>(tvffpg, plan->AktPlanGruppe) : nullptr;
      if (!g) {
        Skriv(tekst, "Per");
        return;
      }
      Uge fra = 0, til = 0;
      uint8_t dag = 0;
      DatoTilUge(plan->Fradato, &fra, &dag);
      DatoTilUge(plan->Tildato, &til, &dag);
      Skriv(tekst, "%02i-\n%02i ", static_cast<int>(fra % 100), static_cast<int>(til % 100));
      return;
    }
    case 32: {
      const uint32_t pos = plan->PPeriode ? plan->PPeriode[kolonne] : 0;
      if (!plan->PeriodeTab || pos == 0 || pos > plan->PeriodeAntal) return;
      const PeriodePost &p = plan->PeriodeTab[pos];
      const Uge fra = p.Frauge, til = p.Tiluge;
      Skriv(tekst, "%02i-\n%02i ", static_cast<int>(fra % 100), static_cast<int>(til % 100));
      return;
    }
    case 33: {
      if (!plan->UgeTab) return;
      const Uge uge = plan->UgeTab[kolonne];
      const int nr = static_cast<int>(uge % 100);
      if (nr == 1 || (kolonne > 1 && plan->ObjTypeTabX[kolonne - 1] == 32))
        Skriv(tekst, "%02i\n%02i", static_cast<int>(uge / 100 % 100), nr);
      else
        Skriv(tekst, "%02i", nr);
      return;
    }
    case 34: Skriv(tekst, "Opg.Ant"); return;
    case 35: Skriv(tekst, "Opg.Min"); return;
    case 36: Skriv(tekst, "Elevtid"); return;
    case 37: Skriv(tekst, "Elever"); return;
    default: return;
  }
}

void PlanRXOverskrift(const Plan *plan, uint32_t kolonne, char *tekst) {
  tekst[0] = 0;
  if (!plan || !plan->ObjTypeTabRX || kolonne == 0 || kolonne > plan->HoejreAntal) return;
  static const char *const kTekster[] = {"M\nA\nX",          "Sum\nPlan", "Bud",       "Bud\nDif",
                                         "Res",               "Skema",     "Sum\nLæst", "Sum\nPlan\nOpg",
                                         "Over/\nunder",      "Plan\nDif"};
  const uint32_t art = plan->ObjTypeTabRX[kolonne];
  if (art >= 40 && art <= 49) Skriv(tekst, "%s", kTekster[art - 40]);
}

// ---- Cells.

uint32_t PlanCelleTekst(const Plan *plan, uint32_t kolonne, uint32_t raekke, char *tekst, uint8_t *pFarve) {
  tekst[0] = 0;
  const GrundRaekke *r = Raekke(plan, raekke);
  if (!r || !plan->ObjTypeTabX || kolonne == 0 || kolonne > plan->KolonneAntal) return 0;
  const uint32_t kind = plan->ObjTypeTabX[kolonne];
  const uint32_t type = plan->ObjTypeTab[raekke];
  const bool timeMode = plan->MedaVisning != 0;
  const uint8_t tv = plan->UnderVisning;
  const uint8_t d = plan->DetaljeNiveau;
  int32_t lek = 0;
  double timer = 0.0;
  uint32_t status = 0, skala = 100;
  switch (kind) {
    case 31:
      if (r->ffpg_id != plan->AktPlanGruppe) return 0;
      lek = static_cast<int32_t>(r->SumLektioner);
      timer = tv == 1 ? r->SumRettearbejd
              : tv == 2 ? r->SumEksametid
              : (type == PLAN_POST || type == PLAN_FREMMED_OPG_TIMER || type == PLAN_SKEMA) ? r->SumTimer2
                                                                                          : r->SumTimer1;
      status = r->TalTab ? Status(r->TalTab[0], tv) : 0;
      skala = 1000;
      break;
    case 32: {
      const uint32_t pos = plan->PPeriode ? plan->PPeriode[kolonne] : 0;
      if (!r->PerTab || !plan->PeriodeTab || pos == 0 || pos > plan->PeriodeAntal) return 0;
      const PerPost &p = r->PerTab[pos];
      status = p.PlanStatus;
      if (tv == 0) {
        lek = p.Lektioner;
        timer = p.Timer;
        skala = (p.PlanStatus & 1) ? 1 : 1000;
      } else {
        const uint32_t uger = plan->PeriodeTab[pos].AntalUger ? plan->PeriodeTab[pos].AntalUger : 1;
        timer = (tv == 1 ? p.Rettearbejd : p.Eksametid) / static_cast<double>(uger);
      }
      break;
    }
    case 33: {
      const UgeIndeks u = plan->UgeTab ? UgeTilIndeks(plan->UgeTab[kolonne]) : 0;
      if (!r->TalTab || u < 1 || u > plan->UgeAntal) return 0;
      const TalPost &t = r->TalTab[u];
      status = Status(t, tv);
      if (tv == 1) {
        timer = t.Rettearbejd;
      } else if (tv == 2) {
        timer = t.Eksametid;
      } else {
        lek = t.Lektioner;
        switch (type) {
          case PLAN_FAG:
          case PLAN_FREMMED_FAG: timer = t.Timer1; break;
          case PLAN_OPG_TIMER: timer = t.Timer; break;
          case PLAN_POST: timer = t.PostTimer; break;
          case PLAN_FREMMED_OPG_TIMER: timer = (t.PlanStatus & PS_POSTERET) ? t.PostTimerFremmed : t.Timer; break;
          case PLAN_SKEMA:
            lek = static_cast<int32_t>(t.SkemaLektioner);
            timer = t.SkemaTimer;
            break;
          default: timer = static_cast<double>(t.Timer1) + t.Timer; break;
        }
      }
      break;
    }
    default:
      return 0;
  }
  if (!ErTal(timer)) timer = 0.0;
  switch (type) {
    case PLAN_AKTI:
    case PLAN_FREMMED_AKTI:
      if (tv == 0) return PlanLektionTekst(lek, kind == 33, skala, tekst);
      if (timeMode && kind != 31 && timer > 0) return PlanTimeTekst(timer, d, skala, tekst);
      return 0;
    case PLAN_MEDA:
      if (!timeMode) return PlanLektionTekst(lek, true, skala, tekst);
      return timer != 0 ? PlanTimeTekst(timer, d, skala, tekst) : 0;
    case PLAN_OPG_AKTI:
    case PLAN_FREMMED_OPG_AKTI:
      return timeMode && timer != 0 ? PlanTimeTekst(timer, d, skala, tekst) : 0;
    case PLAN_SKEMA:
      if (timeMode) return timer > 0 ? PlanTimeTekst(timer, d, skala, tekst) : 0;
      if (lek == 0) return 0;
      {
        const int32_t hel = static_cast<int32_t>((static_cast<int64_t>(lek) + 5) / 10);
        Skriv(tekst, "%2d", hel);
        return static_cast<uint32_t>(std::abs(hel)) >= skala ? PLAN_SKRIFT_SMAL : 0;
      }
    case PLAN_FAG:
    case PLAN_FREMMED_FAG:
      if (tv == 0) {
        if (lek == 0 && (status & 5) != 4 && !(status & 20)) return 0;
        if (plan->Visning == 'A' || !timeMode) return PlanLektionTekst(lek, true, skala, tekst);
        return PlanTimeTekst(timer, d, skala, tekst);
      }
      if (!timeMode || kind == 31) return 0;
      if (!(timer > 0) && !(status & (tv == 1 ? 84u : 52u))) return 0;
      if (tv == 1 && (status & 128) && pFarve) *pFarve = 10;
      return PlanTimeTekst(timer, d, skala, tekst);
    case PLAN_OPG_TIMER:
    case PLAN_POST:
    case PLAN_FREMMED_OPG_TIMER: {
      if (!timeMode) return 0;
      if (timer == 0 && (status & 5) != 4) return 0;
      uint32_t skrift = PlanTimeTekst(timer, d, skala, tekst);
      if (status == 5) skrift |= PLAN_SKRIFT_FED;
      return skrift;
    }
    default:
      return 0;
  }
}

namespace {

// The figures of a summary cell, in the units the texts show.
struct SumTal {
  int32_t lektioner;  // whole lessons of the plan sum
  double timer;       // hours of the plan sum in the sub-view's figure
  int32_t skema;      // whole hours or lessons of the schedule
  double laest;       // hours read
  double opgave;      // hours of the accounting period
  int32_t overUnder;  // whole hours
};

SumTal Tal(const Plan *plan, const GrundRaekke &r, uint32_t type) {
  SumTal s{};
  s.lektioner = static_cast<int32_t>((static_cast<int64_t>(static_cast<int32_t>(r.SumLektioner)) + 5) / 10);
  const uint8_t tv = plan->UnderVisning;
  s.timer = tv == 1 ? r.SumRettearbejd : tv == 2 ? r.SumEksametid : r.SumTimer1;
  s.skema = RoundMilli(static_cast<int32_t>(r.SkemaTimerIalt));
  s.laest = r.SumTimer2;
  s.opgave = r.OpgSumTimer;
  // An employee's own figures come from its entry (thousandths of an hour).
  if (type == PLAN_MEDA && plan->MedaVisning && plan->PlanAnfoTab && r.Medarbejder1 &&
      r.Medarbejder1 < plan->PlanAnfoAntal + 1) {
    const PlanAnfoPost &e = plan->PlanAnfoTab[r.Medarbejder1];
    if (e.MedTal && e.PlanOpgMedTal) {
      s.skema = RoundMilli(static_cast<int32_t>(e.MedTal[0]));
      double laest = 0;
      for (int slot : {0, 1, 2, 3, 4, 5, 7}) laest += e.MedTal[slot];
      s.laest = laest / 1000.0;
      s.opgave = (static_cast<double>(e.PlanOpgMedTal[8]) + e.PlanOpgMedTal[9] + e.PlanOpgMedTal[10] +
                  e.PlanOpgMedTal[12]) / 1000.0;
    }
    s.overUnder = RoundMilli(e.PlanSaldo);
  }
  if (!ErTal(s.timer)) s.timer = 0;
  if (!ErTal(s.laest)) s.laest = 0;
  if (!ErTal(s.opgave)) s.opgave = 0;
  return s;
}

}  // namespace

uint32_t PlanSumTekst(const Plan *plan, uint32_t kolonne, uint32_t raekke, char *tekst, uint8_t *pFarve) {
  tekst[0] = 0;
  const GrundRaekke *r = Raekke(plan, raekke);
  if (!r || !plan->ObjTypeTabRX || kolonne == 0 || kolonne > plan->HoejreAntal) return 0;
  const uint32_t kind = plan->ObjTypeTabRX[kolonne];
  const uint32_t type = plan->ObjTypeTab[raekke];
  const bool timeMode = plan->MedaVisning != 0;
  const uint8_t d = plan->DetaljeNiveau;
  const double enhed = 1.0 / Tier(d > 6 ? 6 : d);
  const SumTal s = Tal(plan, *r, type);
  auto farve = [&](uint8_t f) {
    if (pFarve) *pFarve = f;
  };
  const int32_t budget = static_cast<int32_t>(r->Budget & ~0x40000000u);
  switch (kind) {
    case 40: {
      if (!timeMode) {
        const int32_t m = static_cast<int32_t>((static_cast<int64_t>(r->MaxLektioner) + 5) / 10);
        if (m == 0) return 0;
        Skriv(tekst, "%d", m);
        if (m >= 29) farve(8);
        return m > 99 ? 1 : 0;
      }
      if (!(r->MaxTimer > 0)) return 0;
      const int32_t h = static_cast<int32_t>(RoundDecimals(0, r->MaxTimer));
      Skriv(tekst, "%2d", h);
      if (r->MaxTimer > 37.0f) farve(8);
      return r->MaxTimer > 99.0f ? 1 : 0;
    }
    case 41:
      if (type == PLAN_SKEMA) return 0;
      if (!timeMode) {
        if (s.lektioner != 0) Skriv(tekst, "%d", s.lektioner);
        return 0;
      }
      if (std::fabs(s.timer) < enhed) return 0;
      PlanTimeTekst(s.timer, d, 1000, tekst);
      return plan->UnderVisning == 0 ? 1 : 0;
    case 42:
      if (budget != 0) Skriv(tekst, "%d", budget);
      return 0;
    case 43: {
      if (type == PLAN_SKEMA) return 0;
      if (!timeMode) {
        const int32_t dif = s.lektioner - budget;
        if (dif == 0) return 0;
        Skriv(tekst, "%d", dif);
        if (dif > 0) farve(8);
        return 0;
      }
      const double dif = s.timer - budget;
      PlanTimeTekst(dif, d, 1000, tekst);
      if (d == 0 && RoundDecimals(0, dif) == 0.0) tekst[0] = 0;
      if (tekst[0] && dif > 0) farve(8);
      return 0;
    }
    case 44:
    case 45:
      if (s.skema != 0) Skriv(tekst, "%d", s.skema);
      return 0;
    case 46:
      if (timeMode) {
        if (std::fabs(s.laest) >= enhed) PlanTimeTekst(s.laest, d, 1000, tekst);
      } else if (type == PLAN_SKEMA && s.lektioner != 0) {
        Skriv(tekst, "%d", s.lektioner);
      }
      return 0;
    case 47:
      if (type == PLAN_SKEMA) return 0;
      if (timeMode) {
        if (std::fabs(s.opgave) >= enhed) PlanTimeTekst(s.opgave, d, 1000, tekst);
      } else if (s.lektioner != 0) {
        Skriv(tekst, "%d", s.lektioner);
      }
      return 0;
    case 48:
      if (timeMode && s.overUnder != 0) {
        Skriv(tekst, "%d", s.overUnder);
        if (s.overUnder >= 1) farve(8);
      }
      return 0;
    case 49: {
      if (type == PLAN_SKEMA || timeMode) return 0;
      const int32_t dif = s.skema - s.lektioner;
      if (dif == 0) return 0;
      Skriv(tekst, "%d", dif);
      if (dif > 0) farve(8);
      return 0;
    }
    default:
      return 0;
  }
}
