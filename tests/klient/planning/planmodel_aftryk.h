// A text imprint of the plan model: every row with its kind, its fields and
// one checksum of its week entries and one of its period entries, the
// display order, the per-object tables and the employee week sums. Two
// loads that build the same model give the same text, to the bit of every
// float; a difference names the row and the part that differs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "PLAN.h"

namespace plantest {

class Aftryk {
 public:
  explicit Aftryk(bool medUger = false) : medUger_(medUger) {}

  std::string Af(const Plan &plan) {
    ud_.clear();
    Linje("rows %u weeks %u periods %u columns %u left %u right %u", plan.GrundTabAntal, plan.UgeAntal,
          plan.PeriodeAntal, plan.KolonneAntal, plan.VenstreAntal, plan.HoejreAntal);
    for (uint32_t r = 1; plan.GrundTab && r <= plan.GrundTabAntal; ++r) Raekke(plan, r);
    Linje("order %u", plan.Ens.ObjTabAntal);
    uint64_t h = kStart;
    for (uint32_t i = 1; plan.Ens.ObjTab && i <= plan.Ens.ObjTabAntal; ++i) h = Bland(h, plan.Ens.ObjTab[i]);
    Linje("order-sum %016llx y %u/%u/%u x %u/%u/%u", static_cast<unsigned long long>(h), plan.StyrY.Pos.Antal,
          plan.StyrY.Pos.Foerste, plan.StyrY.Pos.Aktuel, plan.StyrX.Pos.Antal, plan.StyrX.Pos.Foerste,
          plan.StyrX.Pos.Aktuel);
    for (uint32_t a = 0; plan.PlanAktiTab && a <= plan.PlanAktiAntal; ++a) {
      const PlanAktiPost &p = plan.PlanAktiTab[a];
      uint64_t s = kStart;
      for (uint32_t i = 1; p.SkphTab && i <= p.SkphAntal; ++i) s = Bland(s, p.SkphTab[i]);
      if (p.IPlan || p.SkphAntal) Linje("akti %u in %u pairs %u %016llx", a, p.IPlan, p.SkphAntal, Ull(s));
    }
    for (uint32_t n = 0; plan.PlanSkphTab && n <= plan.PlanSkphAntal; ++n) {
      const PlanSkphPost &p = plan.PlanSkphTab[n];
      if (p.IPlan || p.akti || p.skfa) Linje("skph %u %u %u %u", n, p.IPlan, p.akti, p.skfa);
    }
    for (uint32_t a = 0; plan.PlanAnfoTab && a <= plan.PlanAnfoAntal; ++a) {
      const PlanAnfoPost &p = plan.PlanAnfoTab[a];
      uint64_t s = kStart;
      for (uint32_t u = 0; p.SumTalTab && u <= plan.UgeAntal + 1; ++u) s = Tal(s, p.SumTalTab[u]);
      Linje("anfo %u in %u sum %016llx", a, p.IPlan, Ull(s));
    }
    return ud_;
  }

 private:
  static constexpr uint64_t kStart = 1469598103934665603ull;
  bool medUger_;
  std::string ud_;

  static unsigned long long Ull(uint64_t v) { return static_cast<unsigned long long>(v); }
  static uint64_t Bland(uint64_t h, uint64_t v) {
    for (int i = 0; i < 8; ++i) h = (h ^ ((v >> (8 * i)) & 0xff)) * 1099511628211ull;
    return h;
  }
  static uint32_t Bits(float f) {
    uint32_t b;
    memcpy(&b, &f, 4);
    return b;
  }
  static uint64_t Tal(uint64_t h, const TalPost &t) {
    const uint32_t v[] = {t.TalRec, static_cast<uint32_t>(t.Lektioner), Bits(t.Timer1), Bits(t.Timer2),
                          t.SkemaLektioner, Bits(t.SkemaTimer), Bits(t.Timer), Bits(t.PostTimer),
                          Bits(t.PostTimerFremmed), Bits(t.PostTimerIalt), Bits(t.Opgave_antal),
                          Bits(t.Minutter_per_opgave), t.ElevAntal, Bits(t.Elevtid_per_elev), Bits(t.Rettearbejd),
                          Bits(t.Elevtid), Bits(t.Eksametid), t.Ejer, t.PlanStatus, t.RetStatus, t.EksStatus};
    for (uint32_t x : v) h = Bland(h, x);
    return h;
  }
  static uint64_t Per(uint64_t h, const PerPost &p) {
    const uint32_t v[] = {p.PerRec, static_cast<uint32_t>(p.Lektioner), Bits(p.Opgave_antal),
                          Bits(p.Minutter_per_opgave), p.Arbejd, Bits(p.Elevtid_per_elev), Bits(p.Timer),
                          Bits(p.Rettearbejd), Bits(p.Elevtid), Bits(p.Eksametid), p.PlanStatus};
    for (uint32_t x : v) h = Bland(h, x);
    return h;
  }
  template <class... A>
  void Linje(const char *f, A... a) {
    char b[512];
    snprintf(b, sizeof b, f, a...);
    ud_ += b;
    ud_ += '\n';
  }
  void Raekke(const Plan &plan, uint32_t r) {
    const GrundRaekke &g = plan.GrundTab[r];
    uint64_t tal = kStart, per = kStart;
    for (uint32_t u = 0; g.TalTab && u <= plan.UgeAntal + 1; ++u) tal = Tal(tal, g.TalTab[u]);
    for (uint32_t p = 0; g.PerTab && p <= plan.UgeAntal + 1; ++p) per = Per(per, g.PerTab[p]);
    Linje("row %u kind %u rec %u g %u a %u f %u m %u/%08x m2 %u/%08x sum %u fold %u skjult %u dub %u kopi %u "
          "st %08x %08x %08x %08x %u %u %u %08x %d %08x %u %u %08x %08x %08x %u %u %u %u %08x tal %016llx per %016llx",
          r, plan.ObjTypeTab[r], g.GrundRec, g.ffpg_id, g.Aktivitet, g.Skolefag, g.Medarbejder1, Bits(g.Minutnorm1),
          g.Medarbejder2, Bits(g.Minutnorm2), g.ErSum, g.Udfoldet, g.Skjult, g.Dublet, g.KopiAf, Bits(g.SumTimer1),
          Bits(g.SumTimer2), Bits(g.OpgPostTimer), Bits(g.OpgSumTimer), g.SumLektioner, g.SkemaTimerIalt,
          g.MaxLektioner, Bits(g.MaxTimer), g.Lektioner, Bits(g.Timer), g.Budget, g.LektionsBlok,
          Bits(g.SumRettearbejd), Bits(g.SumElevtid), Bits(g.SumEksametid), g.Foraelder, g.BudgetOverskredet,
          g.Ejer, g.ElevAntal, Bits(g.Opgave_antal), Ull(tal), Ull(per));
    if (!medUger_) return;
    for (uint32_t u = 0; g.TalTab && u <= plan.UgeAntal + 1; ++u) {
      const uint64_t h = Tal(kStart, g.TalTab[u]);
      if (h != Tal(kStart, TalPost{})) Linje("  week %u %016llx", u, Ull(h));
    }
    for (uint32_t p = 0; g.PerTab && p <= plan.UgeAntal + 1; ++p) {
      const uint64_t h = Per(kStart, g.PerTab[p]);
      if (h != Per(kStart, PerPost{})) Linje("  period %u %016llx", p, Ull(h));
    }
  }
};

}  // namespace plantest
