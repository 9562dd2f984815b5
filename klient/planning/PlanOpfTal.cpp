// The plan follow-up's entries, lines and totals, read from the plan list
// through its index of entries per employment.
#include "PlanOpfTal.h"

#include "FF_PlanFyld.h"
#include "PLANIDX.h"
#include "TALTAB.h"

namespace {

// Week index and weekday of a date, as the list keeps them.
void UgeOgDag(Dato d, UgeIndeks *ui, uint8_t *dag) {
  *ui = PlanUgeIndeks(d);
  Uge u = 0;
  *dag = 0;
  DatoTilUge(d, &u, dag);
}

bool IkkeEfter(UgeIndeks ui, uint8_t dag, UgeIndeks grUi, uint8_t grDag) {
  return ui < grUi || (ui == grUi && dag <= grDag);
}

}  // namespace

double PlanOpfPlanVaerdi(const PlanTabPost &p, bool lektioner) {
  if (lektioner) return static_cast<double>(static_cast<int32_t>(p.PlanLektioner) / 10);
  return static_cast<double>(p.PlanUndervisning) + p.PlanTimer + p.PlanRettearbejde + p.PlanEksamen;
}

double PlanOpfAktuelVaerdi(const PlanTabPost &p, bool lektioner) {
  if (!lektioner) return p.Aktuel;
  const int64_t v = static_cast<int32_t>(p.SkemaLektioner);
  return static_cast<double>((v >= 0 ? v + 500 : v - 500) / 1000);
}

std::vector<PlanOpfPost> PlanOpfPoster(uint32_t anfo, Dato fra, Dato til, Dato perDato, bool lektioner) {
  UgeIndeks uf = 0, ut = 0, ud = 0;
  uint8_t df = 0, dt = 0, dd = 0;
  UgeOgDag(fra, &uf, &df);
  UgeOgDag(til, &ut, &dt);
  UgeOgDag(perDato, &ud, &dd);
  std::vector<PlanOpfPost> v;
  TagTalMutex();
  for (uint32_t n = PlanAnfoFoerste(anfo); n; n = PlanAnfoNaeste(n)) {
    if (n > PlanTal.Antal || !PlanTal.PlanTab) break;
    const PlanTabPost &p = PlanTal.PlanTab[n];
    const UgeIndeks ui = p.UgeIdx;
    const uint8_t dag = p.Ugedag;
    if (ui < uf || ui > ut || (ui == uf && dag < df) || (ui == ut && dag > dt)) continue;
    v.push_back({n, p.akti, p.skfa, p.Art, ui, dag, PlanOpfPlanVaerdi(p, lektioner),
                 PlanOpfAktuelVaerdi(p, lektioner), IkkeEfter(ui, dag, ud, dd)});
  }
  SlipTalMutex();
  return v;
}

std::vector<PlanOpfLinje> PlanOpfLinjer(const std::vector<PlanOpfPost> &poster) {
  std::vector<PlanOpfLinje> linjer;
  for (uint32_t i = 0; i < poster.size(); ++i) {
    const PlanOpfPost &p = poster[i];
    if (linjer.empty() || linjer.back().akti != p.akti || linjer.back().skfa != p.skfa || linjer.back().Art != p.Art)
      linjer.push_back({p.akti, p.skfa, p.Art, i, 0, 0.0, 0.0, 0.0, 0.0});
    PlanOpfLinje &l = linjer.back();
    ++l.Antal;
    l.PlanTotal += p.Plan;
    if (p.FoerDato) {
      l.AktuelFoer += p.Aktuel;
    } else {
      l.AktuelEfter += p.Aktuel;
      l.PlanEfter += p.Plan;
    }
  }
  return linjer;
}

PlanOpfSum PlanOpfSummer(const std::vector<PlanOpfLinje> &linjer) {
  PlanOpfSum s;
  for (const PlanOpfLinje &l : linjer) {
    s.AktuelFoer += l.AktuelFoer;
    s.AktuelEfter += l.AktuelEfter;
    s.Rest += l.Rest();
  }
  return s;
}
