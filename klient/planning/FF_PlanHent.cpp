// The plan load: the stored rows of the selected groups with their week and
// period numbers, the rows the data implies, the rows whose basis has gone,
// the derived budgets and the axes. The week and period records are grouped
// by their row once per load, never searched per row: a large school has
// hundreds of thousands of week records and thousands of rows.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <thread>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "GEMNING.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "MEDPER.h"
#include "PLANAKSER.h"
#include "PlanNoegleSaet.h"
#include "PlanTraad.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TALTAB.h"
#include "TAVODATA.h"
#include "tavo/assert.h"
#include "tavo/prefetch.h"
#include "win/controls.h"

namespace {

constexpr uint32_t kAfledt = FFGRUND_AFLEDT;

void Trin(HWND hDlg) {
  if (hDlg) SendDlgItemMessageA(hDlg, IDC_VENTE_BAR, PBM_STEPIT, 0, 0);
}

void MarkerBlok(const TabDesc &td, TabVar &tv, uint32_t n) { tv.pfSave[n / td.RecPrBlok] = 1; }

const FfpgRec *Gruppe(uint32_t g) {
  const FfpgRec *r = g ? TabRec<FfpgRec>(tvffpg, g) : nullptr;
  return r && PlanRecIBrug(r->Status) ? r : nullptr;
}

const AktiRec *Akti(uint32_t a) { return GyldigRef(&tvakti, a) ? TabRec<AktiRec>(tvakti, a) : nullptr; }

bool ErLevendePar(const SkphRec *p) { return p->Status != 0 && StatusKlasse(p->Status) == KLASSE_AKTUEL; }

uint64_t Noegle(uint32_t a, uint32_t b) { return (uint64_t(a) << 32) | b; }

// The selected groups that exist, in the order of StyrZ.
std::vector<uint32_t> ValgteGrupper(const Plan *plan) {
  std::vector<uint32_t> v;
  for (uint32_t i = 1; plan->StyrZ.ObjTab && i <= plan->StyrZ.Pos.Antal; ++i) {
    const uint32_t g = plan->StyrZ.ObjTab[i];
    if (Gruppe(g) && std::find(v.begin(), v.end(), g) == v.end()) v.push_back(g);
  }
  return v;
}

// The memberships of ffpgrel in one pass, as FindPgRel answers them.
struct Medlemmer {
  PlanNoegleSaet<uint64_t, PlanNoegleHash64> akti{tvffpgrel.wRecCnt}, anfo{tvffpgrel.wRecCnt};
  Medlemmer() {
    for (uint32_t n = 1; n < tvffpgrel.wRecCnt; ++n) {
      const FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, n);
      if (!PlanRecIBrug(r->Status)) continue;
      if (r->akti_id) akti.insert(Noegle(r->Plangruppe_id, r->akti_id));
      if (r->anfo_id) anfo.insert(Noegle(r->Plangruppe_id, r->anfo_id));
    }
  }
  bool Akti(uint32_t g, uint32_t a) const { return akti.count(Noegle(g, a)) != 0; }
  bool Anfo(uint32_t g, uint32_t m) const { return anfo.count(Noegle(g, m)) != 0; }
};

// The rules of AktiBrugbarIGruppe and AnfoBrugbarIGruppe over the
// memberships read once.
bool AktiBrugbar(const Medlemmer &m, uint32_t akti, uint32_t gruppe) {
  const FfpgRec *g = Gruppe(gruppe);
  const AktiRec *a = Akti(akti);
  return g && a && a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & 0x80000000u) && a->Fradato <= g->Tildato &&
         a->Tildato >= g->Fradato && IsHoldAkti(akti) && m.Akti(gruppe, akti) && a->Aflyst == 'N' &&
         a->Slettet_i_EASY == 0;
}

bool AnfoBrugbar(const Medlemmer &m, uint32_t anfo, uint32_t gruppe) {
  const FfpgRec *g = Gruppe(gruppe);
  const AnfoRec *a = GyldigRef(&tvanfo, anfo) ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  return g && a && a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & 0x80000000u) && a->Fradato <= g->Tildato &&
         a->Tildato >= g->Fradato && m.Anfo(gruppe, anfo);
}

// The live skph pairs of each activity, in record order.
struct Par {
  std::unordered_map<uint32_t, std::vector<uint32_t>> afAkti;
  std::unordered_map<uint64_t, uint32_t> nr;  // (activity, subject) -> first pair
  Par() {
    for (uint32_t n = 1; n < tvskph.wRecCnt; ++n) {
      const SkphRec *p = TabRec<SkphRec>(tvskph, n);
      if (!ErLevendePar(p)) continue;
      const uint32_t akti = p->akti_id, skfa = p->skfa_id;
      afAkti[akti].push_back(n);
      nr.try_emplace(Noegle(akti, skfa), n);
    }
  }
  uint32_t Find(uint32_t akti, uint32_t skfa) const {
    const auto i = nr.find(Noegle(akti, skfa));
    return i == nr.end() ? 0 : i->second;
  }
  const std::vector<uint32_t> &AfAkti(uint32_t akti) const {
    static const std::vector<uint32_t> ingen;
    const auto i = afAkti.find(akti);
    return i == afAkti.end() ? ingen : i->second;
  }
};

// The pairs read once for the load running on this thread: its steps ask
// them four times, and nothing of the load changes them.
thread_local const Par *tIndlaesPar = nullptr;

// The pairs read on a kept thread while the load's first steps run: none
// of them changes the pairs.
class ParForud {
 public:
  ParForud() {
    StartPlanParti(&parti_, 2, [](void *f, size_t) { static_cast<ParForud *>(f)->par_ = std::make_unique<Par>(); },
                   this);
  }
  ~ParForud() { VentPaaPlanParti(&parti_); }
  ParForud(const ParForud &) = delete;
  ParForud &operator=(const ParForud &) = delete;
  std::unique_ptr<Par> Tag() {
    VentPaaPlanParti(&parti_);
    return par_ ? std::move(par_) : std::make_unique<Par>();
  }

 private:
  PlanParti parti_;
  std::unique_ptr<Par> par_;
};

class IndlaesningensPar {
 public:
  explicit IndlaesningensPar(ParForud &forud) : par_(forud.Tag()), forrige_(tIndlaesPar) { tIndlaesPar = par_.get(); }
  ~IndlaesningensPar() { tIndlaesPar = forrige_; }
  IndlaesningensPar(const IndlaesningensPar &) = delete;
  IndlaesningensPar &operator=(const IndlaesningensPar &) = delete;

 private:
  const std::unique_ptr<const Par> par_;
  const Par *forrige_;
};

// The load's pairs while it runs, else the pairs read afresh.
class ParNu {
 public:
  ParNu() {
    if (!tIndlaesPar) egen_ = std::make_unique<Par>();
  }
  const Par &operator*() const { return egen_ ? *egen_ : *tIndlaesPar; }

 private:
  std::unique_ptr<Par> egen_;
};

// What rows the model holds: groups with an activity, subject rows with
// Dublet 0, and employments named on a row of a group.
struct Raekker {
  struct Fag {
    uint32_t gruppe, akti, skfa;
    bool operator==(const Fag &) const = default;
  };
  struct FagHash {
    uint64_t operator()(const Fag &f) const {
      return Noegle(f.gruppe, f.akti) * 0x9E3779B97F4A7C15ull ^ f.skfa;
    }
  };
  // Asked for every pair of every activity on a load: hashed, not ordered.
  PlanNoegleSaet<uint64_t, PlanNoegleHash64> akti, anfo;
  PlanNoegleSaet<Fag, FagHash> fag;
  explicit Raekker(const Plan *plan) : akti(plan->GrundTabAntal), anfo(plan->GrundTabAntal), fag(plan->GrundTabAntal) {
    for (uint32_t r = 1; plan->GrundTab && r <= plan->GrundTabAntal; ++r) {
      if (plan->ObjTypeTab[r] == 0) continue;
      Tilfoej(plan->GrundTab[r]);
    }
  }
  void Tilfoej(const GrundRaekke &g) {
    akti.insert(Noegle(g.ffpg_id, g.Aktivitet));
    if (g.Dublet == 0) fag.insert({g.ffpg_id, g.Aktivitet, g.Skolefag});
    if (g.Medarbejder1) anfo.insert(Noegle(g.ffpg_id, g.Medarbejder1));
    if (g.Medarbejder2) anfo.insert(Noegle(g.ffpg_id, g.Medarbejder2));
  }
};

// A new row, stored or not; a new activity or subject row starts with the
// activity's students and, when it has no budget, the pair's lessons as a
// derived budget and the pair's assignments.
uint32_t NyRaekke(Plan *plan, uint32_t art, uint32_t gruppe, uint32_t akti, uint32_t skfa, uint8_t ejer, bool gem,
                  Raekker *raekker, const Par &alle) {
  FfgrundRec rec{};
  rec.ObjType = art;
  rec.ffpg_id = gruppe;
  rec.Aktivitet = akti;
  rec.Skolefag = skfa;
  rec.Minutnorm1 = rec.Minutnorm2 = -1.0f;
  rec.Ejer = ejer;
  const bool aktiArt = art == PLAN_AKTI || art == PLAN_FAG || art == PLAN_FREMMED_AKTI || art == PLAN_FREMMED_FAG;
  const SkphRec *par = nullptr;
  if (aktiArt && skfa) {
    const uint32_t n = alle.Find(akti, skfa);
    par = n ? TabRec<SkphRec>(tvskph, n) : nullptr;
  }
  // Derived from the pair, so marked derived: it follows the pair at the
  // next load instead of passing for an entered budget.
  if (par && par->Elevlektioner) rec.Budget = par->Elevlektioner | kAfledt;
  const uint32_t r = NyPlanRaekke(plan, &rec, 0, false);
  GrundRaekke &g = plan->GrundTab[r];
  if (aktiArt) {
    if (const AktiRec *a = Akti(akti)) g.ElevAntal = a->StartElever;
    if (par) g.Opgave_antal = par->Antal_opgaver;
  }
  if (gem) GemRaekke(plan, r, false);
  if (raekker) raekker->Tilfoej(g);
  return r;
}

void FagRaekker(Plan *plan, uint32_t gruppe, uint32_t akti, uint32_t overskrift, const Par &par, Raekker &raekker) {
  if (overskrift == 0 || overskrift > plan->GrundTabAntal) return;
  const uint32_t hovedArt = plan->ObjTypeTab[overskrift];
  const uint32_t art = hovedArt == PLAN_FREMMED_AKTI ? PLAN_FREMMED_FAG : PLAN_FAG;
  const uint8_t ejer = plan->GrundTab[overskrift].Ejer;
  const uint32_t hovedGruppe = plan->GrundTab[overskrift].ffpg_id;
  for (uint32_t n : par.AfAkti(akti)) {
    const uint32_t skfa = TabRec<SkphRec>(tvskph, n)->skfa_id;
    if (raekker.fag.count({gruppe, akti, skfa})) continue;
    NyRaekke(plan, art, hovedGruppe, akti, skfa, ejer, true, &raekker, par);
  }
}

void Aktiviteter(Plan *plan, uint32_t gruppe, const Medlemmer &m, const Par &par, Raekker &raekker) {
  const FfpgRec *g = Gruppe(gruppe);
  if (!g) return;
  const uint8_t ejer = g->Ejer;
  for (uint32_t a = 1; a < tvakti.wRecCnt; ++a) {
    if (raekker.akti.count(Noegle(gruppe, a)) || !AktiBrugbar(m, a, gruppe)) continue;
    const uint32_t r = NyRaekke(plan, PLAN_AKTI, gruppe, a, 0, ejer, true, &raekker, par);
    FagRaekker(plan, gruppe, a, r, par, raekker);
  }
}

// The week and period records of every ffgrund record, in record order:
// records in use only, grouped by a counting sort over their row.
struct Boern {
  std::vector<uint32_t> start, rec;
  template <class Rec>
  void Byg(const TabVar &tv) {
    const uint32_t grunde = tvffgrund.wRecCnt;
    start.assign(size_t(grunde) + 2, 0);
    // Each record's row is kept from the counting pass, so the table, too
    // large for the cache, is read once.
    std::vector<uint32_t> grund(tv.wRecCnt, 0);
    for (uint32_t n = 1; n < tv.wRecCnt; ++n) {
      const Rec *p = TabRec<Rec>(tv, n);
      if (PlanRecIBrug(p->Status) && p->ffgrund_id && p->ffgrund_id < grunde) {
        grund[n] = p->ffgrund_id;
        ++start[p->ffgrund_id + 1];
      }
    }
    for (size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
    rec.assign(start.back(), 0);
    std::vector<uint32_t> pos(start.begin(), start.end() - 1);
    for (uint32_t n = 1; n < tv.wRecCnt; ++n)
      if (grund[n]) rec[pos[grund[n]]++] = n;
  }
  const uint32_t *Fra(uint32_t g) const { return rec.data() + start[g]; }
  const uint32_t *Til(uint32_t g) const { return rec.data() + start[g + 1]; }
  // The record a few places on in the grouped list, asked for ahead: the
  // rows take their records in the list's order, and the records lie
  // scattered over a table too large for the cache.
  template <class Rec>
  void Forhent(const TabVar &tv, const uint32_t *i) const {
    constexpr ptrdiff_t kFrem = 8;
    if (rec.data() + rec.size() - i > kFrem) tavo::Prefetch(TabRec<Rec>(tv, i[kFrem]));
  }
};

// The week index of a stored week: 0 for the group-total marker (week 0),
// 1..UgeAntal for a week of the schedule period, -1 for any other week.
// The schedule period's weeks are laid in a table by year and week number
// once per load: worked out from the calendar, each of the hundreds of
// thousands of week records cost a count of weeks over the years.
class UgeIndekser {
 public:
  explicit UgeIndekser(const Plan *plan) {
    const uint32_t antal = std::min(plan->UgeAntal, SkemaPeriode.AntalUger);
    if (antal == 0) return;
    aar0_ = IndeksTilUge(1) / 100;
    for (uint32_t u = 1; u <= antal; ++u) {
      const Uge uge = IndeksTilUge(u);
      const size_t i = Plads(uge);
      if (uge / 100 < aar0_ || uge % 100 == 0) continue;
      if (i >= tab_.size()) tab_.resize(i + 1, 0);
      tab_[i] = u;
    }
  }
  int64_t operator()(Uge uge) const {
    if (uge == 0) return 0;
    if (uge < SkemaPeriode.FoersteUge || uge > SkemaPeriode.SidsteUge || uge / 100 < aar0_) return -1;
    const size_t i = Plads(uge);
    return i < tab_.size() && tab_[i] ? tab_[i] : -1;
  }

 private:
  size_t Plads(Uge uge) const { return size_t(uge / 100 - aar0_) * 100 + uge % 100; }
  uint32_t aar0_ = 0;
  std::vector<uint32_t> tab_;
};

int32_t RundTilHeleLektioner(int32_t v) {
  if (v > 0) return (v + 5) / 10 * 10;
  if (v < 0) return (v - 5) / 10 * 10;
  return 0;
}

void LaesUger(Plan *plan, uint32_t raekke, uint32_t grund, bool fremmed, const Boern &tal, const UgeIndekser &uger) {
  GrundRaekke &r = plan->GrundTab[raekke];
  for (const uint32_t *i = tal.Fra(grund); i != tal.Til(grund); ++i) {
    tal.Forhent<FftaltabRec>(tvfftaltab, i);
    FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, *i);
    if ((t->PlanStatus | t->RetStatus | t->EksStatus) == 0) continue;
    const int64_t u = uger(t->Uge);
    if (u < 0) continue;
    TalPost &e = r.TalTab[u];
    e.TalRec = *i;
    e.Lektioner = static_cast<int32_t>(t->Lektioner);
    e.Timer = t->Timer;
    e.PlanStatus = t->PlanStatus;
    e.ElevAntal = t->ElevAntal;
    e.Opgave_antal = t->Opgave_antal;
    e.Minutter_per_opgave = t->Minutter_per_opgave;
    e.Rettearbejd = t->Rettearbejd;
    e.RetStatus = t->RetStatus;
    e.Eksametid = t->Eksametid;
    e.EksStatus = t->EksStatus;
    e.Elevtid = t->Elevtid;
    e.Elevtid_per_elev = t->Elevtid_per_elev;
    e.Ejer = t->Ejer;
    if (fremmed) {
      if (t->Status != PLANREC_FREMMED) t->Status = PLANREC_FREMMED, MarkerBlok(tdfftaltab, tvfftaltab, *i);
      e.PlanStatus |= PS_FREMMED | PS_UGE;
    }
    if (e.Lektioner % 10 != 0) {
      e.Lektioner = RundTilHeleLektioner(e.Lektioner);
      e.PlanStatus |= PS_AFRUNDET;
    }
  }
}

// A plan period of a group with the days an activity must meet, worked out
// once per load, not once per row.
struct LaestPeriode {
  Uge Frauge, Tiluge;
  Dato foersteDag, sidsteDag;  // Monday of the first week, Friday of the last
};

std::vector<LaestPeriode> LaestePerioder(uint32_t gruppe) {
  std::vector<LaestPeriode> v;
  for (const PeriodePost &pp : PlanPerioder(gruppe))
    v.push_back({pp.Frauge, pp.Tiluge, UgeDagTilDato(pp.Frauge, 1), UgeDagTilDato(pp.Tiluge, 5)});
  return v;
}

void LaesPerioder(Plan *plan, uint32_t raekke, uint32_t grund, bool fremmed, const std::vector<LaestPeriode> &perioder,
                  const Boern &per) {
  GrundRaekke &r = plan->GrundTab[raekke];
  const AktiRec *a = Akti(r.Aktivitet);
  for (uint32_t p = 1; p <= perioder.size() && p <= plan->UgeAntal; ++p) {
    const LaestPeriode &pp = perioder[p - 1];
    if (a && (a->Fradato > pp.sidsteDag || a->Tildato < pp.foersteDag)) continue;
    for (const uint32_t *i = per.Fra(grund); i != per.Til(grund); ++i) {
      FfpertabRec *rec = TabRec<FfpertabRec>(tvffpertab, *i);
      const FfppRec *egen = GyldigRef(&tvffpp, rec->ffpp_id) ? TabRec<FfppRec>(tvffpp, rec->ffpp_id) : nullptr;
      if (!egen || egen->Tiluge < pp.Frauge || egen->Frauge > pp.Tiluge) continue;
      PerPost &e = r.PerTab[p];
      e.PerRec = *i;
      if (rec->PlanStatus != 0) {
        e.Lektioner = static_cast<int32_t>(rec->Lektioner);
        e.Timer = rec->Timer;
        e.Opgave_antal = rec->Opgave_antal;
        e.Minutter_per_opgave = rec->Minutter_per_opgave;
        e.Elevtid_per_elev = rec->Elevtid_per_elev;
        e.Rettearbejd = rec->Rettearbejd;
        e.Elevtid = rec->Elevtid;
        e.Eksametid = rec->Eksametid;
        e.PlanStatus = rec->PlanStatus;
      }
      if (fremmed) {
        if (rec->Status != PLANREC_FREMMED) rec->Status = PLANREC_FREMMED, MarkerBlok(tdffpertab, tvffpertab, *i);
        e.PlanStatus |= PS_FREMMED;
      }
      break;
    }
  }
}

// A row of the load whose tables are cleared and filled off the loop that
// makes the rows; grund 0: cleared only.
struct RaekkeArbejde {
  uint32_t raekke, grund;
  const std::vector<LaestPeriode> *perioder;
};

// Clears and fills the rows' tables, split over a few threads on a large
// plan: each row's tables and records are its own, and an own row writes
// nothing else (another installation's rows, which mark records and blocks,
// are filled where they are made), so the rows come out as filled one by
// one. The threads are joined before it returns.
void FyldRaekker(Plan *plan, const std::vector<RaekkeArbejde> &arbejde, const Boern &tal, const Boern &per,
                 const UgeIndekser &uger) {
  auto fyld = [&](size_t fra, size_t til) {
    for (size_t i = fra; i < til; ++i) {
      const RaekkeArbejde &a = arbejde[i];
      NulstilRaekkeTabeller(plan, a.raekke);
      if (!a.grund) continue;
      LaesUger(plan, a.raekke, a.grund, false, tal, uger);
      LaesPerioder(plan, a.raekke, a.grund, false, *a.perioder, per);
    }
  };
  const size_t traade = PlanArbejdere(arbejde.size());
  const size_t del = (arbejde.size() + traade - 1) / traade;
  PaaPlanTraade(traade,
                [&](size_t t) { fyld(std::min(arbejde.size(), t * del), std::min(arbejde.size(), (t + 1) * del)); });
}

bool ErAktiArt(uint32_t art) {
  switch (art) {
    case PLAN_AKTI: case PLAN_FAG: case PLAN_OPG_AKTI: case PLAN_OPG_TIMER:
    case PLAN_FREMMED_AKTI: case PLAN_FREMMED_FAG: case PLAN_FREMMED_OPG_AKTI: case PLAN_FREMMED_OPG_TIMER:
      return true;
    default:
      return false;
  }
}

// Rows of the activity may stay in the group: its dates meet the group's,
// it is neither cancelled nor deleted in EASY, and it is a member.
bool AktiPasser(const Medlemmer &m, uint32_t akti, const FfpgRec *g, uint32_t gruppe) {
  const AktiRec *a = Akti(akti);
  return a && a->Fradato <= g->Tildato && a->Tildato >= g->Fradato && a->Aflyst == 'N' && a->Slettet_i_EASY == 0 &&
         m.Akti(gruppe, akti);
}

// The first row of each group and activity, in display order, then in row
// order for rows not shown.
std::unordered_map<uint64_t, uint32_t> FoersteAktiRaekker(const Plan *plan) {
  std::unordered_map<uint64_t, uint32_t> v;
  auto tag = [&](uint32_t r) {
    if (r < 1 || r > plan->GrundTabAntal || plan->ObjTypeTab[r] == 0) return;
    const GrundRaekke &g = plan->GrundTab[r];
    if (g.Aktivitet) v.try_emplace(Noegle(g.ffpg_id, g.Aktivitet), r);
  };
  for (uint32_t i = 1; plan->Ens.ObjTab && i <= plan->Ens.ObjTabAntal; ++i) tag(plan->Ens.ObjTab[i]);
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) tag(r);
  return v;
}

// Step 7: a subject row for every pair of an activity in a group.
void ParRaekker(Plan *plan) {
  const ParNu parNu;
  const Par &par = *parNu;
  Raekker raekker(plan);
  const std::unordered_map<uint64_t, uint32_t> foerste = FoersteAktiRaekker(plan);
  std::vector<uint32_t> aktiviteter;
  for (const auto &[akti, liste] : par.afAkti) aktiviteter.push_back(akti);
  std::sort(aktiviteter.begin(), aktiviteter.end());
  for (uint32_t gruppe : ValgteGrupper(plan)) {
    for (uint32_t akti : aktiviteter) {
      const std::vector<uint32_t> &liste = par.AfAkti(akti);
      const auto f = foerste.find(Noegle(gruppe, akti));
      if (f == foerste.end()) continue;
      const uint32_t fundet = f->second;
      const uint32_t fundetArt = plan->ObjTypeTab[fundet];
      const uint32_t art =
          fundetArt == PLAN_AKTI ? PLAN_FAG : fundetArt == PLAN_FREMMED_AKTI ? PLAN_FREMMED_FAG : fundetArt;
      for (uint32_t n : liste) {
        const uint32_t skfa = TabRec<SkphRec>(tvskph, n)->skfa_id;
        if (raekker.fag.count({gruppe, akti, skfa})) continue;
        const GrundRaekke &g = plan->GrundTab[fundet];
        NyRaekke(plan, art, g.ffpg_id, akti, skfa, g.Ejer, true, &raekker, par);
      }
    }
  }
}

// Step 8: subject rows whose pair has gone, with their records.
void FjernRaekkerUdenPar(Plan *plan) {
  const ParNu parNu;
  const Par &par = *parNu;
  std::vector<uint32_t> slet, ryd;
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const uint32_t art = plan->ObjTypeTab[r];
    if (art != PLAN_FAG && art != PLAN_FREMMED_FAG) continue;
    const GrundRaekke &g = plan->GrundTab[r];
    if (par.Find(g.Aktivitet, g.Skolefag)) continue;
    if (g.GrundRec) slet.push_back(g.GrundRec);
    ryd.push_back(r);
  }
  SletPlanRaekker(slet);
  for (uint32_t r : ryd) RydRaekke(plan, r);
}

// Step 1: the current entry of the plan groups axis when it names a group,
// else the first that does.
bool VaelgGruppe(Plan *plan) {
  PlanStyr &z = plan->StyrZ;
  if (!z.ObjTab || z.Pos.Antal == 0) return false;
  uint32_t valgt = 0;
  if (z.Pos.Aktuel >= 1 && z.Pos.Aktuel <= z.Pos.Antal && Gruppe(z.ObjTab[z.Pos.Aktuel])) valgt = z.Pos.Aktuel;
  for (uint32_t i = 1; valgt == 0 && i <= z.Pos.Antal; ++i)
    if (Gruppe(z.ObjTab[i])) valgt = i;
  if (valgt == 0) return false;
  z.Pos.Aktuel = valgt;
  const uint32_t gruppe = z.ObjTab[valgt];
  const FfpgRec *g = Gruppe(gruppe);
  plan->AktPlanGruppe = gruppe;
  plan->Fradato = g->Fradato;
  plan->Tildato = g->Tildato;
  plan->VisSkeLekt = g->VisSkeLekt;
  return true;
}

}  // namespace

uint32_t gPlanRaekkerPrArbejder = 2048;

size_t PlanArbejdere(size_t raekker) {
  const size_t cpu = std::max(1u, std::thread::hardware_concurrency());
  const size_t pr = std::max<uint32_t>(1, gPlanRaekkerPrArbejder);
  return std::clamp<size_t>(std::min(raekker / pr, std::min<size_t>(cpu, 8)), 1, 8);
}

uint32_t PlanKolonnePlads(const Plan *plan) {
  uint32_t stoerst = 0;
  for (uint32_t gruppe : ValgteGrupper(plan)) {
    uint32_t sum = 0;
    // The weeks are counted whole: a period of a long schedule period may
    // hold more than 255 weeks, and each of them gets a column.
    for (const PeriodePost &p : PlanPerioder(gruppe)) {
      const uint32_t uger = p.AntalUger;
      sum += 1 + std::max<uint32_t>(4, uger);
    }
    stoerst = std::max(stoerst, sum);
  }
  return stoerst + 1;
}

bool LaesPlanRaekker(Plan *plan) {
  // The setting is read as the plan has always read it; nothing uses it.
  (void)GetPrivateProfileIntA("flag", "forstestart", 0, StiTab.szini);
  const std::vector<uint32_t> grupper = ValgteGrupper(plan);
  std::vector<uint8_t> valgt(tvffpg.wRecCnt, 0);
  for (uint32_t g : grupper) valgt[g] = 1;
  std::map<uint32_t, std::vector<LaestPeriode>> perioder;
  for (uint32_t g : grupper) perioder[g] = LaestePerioder(g);
  Medlemmer m;
  Boern tal, per;
  tal.Byg<FftaltabRec>(tvfftaltab);
  per.Byg<FfpertabRec>(tvffpertab);
  const UgeIndekser uger(plan);
  const uint8_t egen = PlanEgenInst();
  std::vector<std::pair<uint32_t, uint32_t>> fjern;  // (group, activity), in the order met
  std::set<std::pair<uint32_t, uint32_t>> fjernet;
  // The own rows' tables are cleared and filled once all rows are made.
  const UdsatRaekkeNulstilling udsat;
  std::vector<RaekkeArbejde> arbejde;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    FfgrundRec *rec = TabRec<FfgrundRec>(tvffgrund, n);
    if (!PlanRecIBrug(rec->Status) || rec->ffpg_id >= valgt.size() || !valgt[rec->ffpg_id]) continue;
    const uint32_t gruppe = rec->ffpg_id;
    if (rec->Ejer == 0 && rec->Status >= 10 && rec->Status <= 29) {
      rec->Ejer = egen;
      MarkerBlok(tdffgrund, tvffgrund, n);
    }
    const bool fremmed = rec->Ejer != egen || rec->Status == PLANREC_FREMMED;
    if (fremmed && (rec->Status != PLANREC_FREMMED || (rec->ObjType >= 1 && rec->ObjType <= 20))) {
      rec->Status = PLANREC_FREMMED;
      if (rec->ObjType >= 1 && rec->ObjType <= 20) rec->ObjType += PLAN_FREMMED;
      MarkerBlok(tdffgrund, tvffgrund, n);
    }
    const uint32_t art = rec->ObjType, akti = rec->Aktivitet;
    if (ErAktiArt(art)) {
      const std::pair<uint32_t, uint32_t> k{gruppe, akti};
      if (fjernet.count(k)) continue;
      if (!AktiPasser(m, akti, Gruppe(gruppe), gruppe)) {
        fjernet.insert(k);
        fjern.push_back(k);
        continue;
      }
    } else if (art != PLAN_MEDA) {
      continue;
    }
    const uint32_t raekke = NyPlanRaekke(plan, rec, 0, false);
    GrundRaekke &r = plan->GrundTab[raekke];
    r.GrundRec = n;
    const bool medTal = !r.ErSum && art != PLAN_SKEMA;
    if (!fremmed) {
      arbejde.push_back({raekke, medTal ? n : 0, &perioder[gruppe]});
      continue;
    }
    NulstilRaekkeTabeller(plan, raekke);
    if (!medTal) continue;
    LaesUger(plan, raekke, n, fremmed, tal, uger);
    LaesPerioder(plan, raekke, n, fremmed, perioder[gruppe], per);
  }
  FyldRaekker(plan, arbejde, tal, per, uger);
  if (fjern.empty()) return false;
  // Every row of a pair that goes, in one pass over the week and period
  // records for all of them.
  std::vector<uint32_t> slet;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *rec = TabRec<FfgrundRec>(tvffgrund, n);
    const std::pair<uint32_t, uint32_t> k{rec->ffpg_id + 0, rec->Aktivitet + 0};
    if (PlanRecIBrug(rec->Status) && fjernet.count(k)) slet.push_back(n);
  }
  SletPlanRaekker(slet);
  for (const auto &[gruppe, akti] : fjern)
    if (FindPgRel(gruppe, akti, 'K')) RemovePgRel(gruppe, akti, 'K');
  SaveTab(&tdffpgrel, &tvffpgrel, nullptr);
  return true;
}

void TilfoejAktivitet(Plan *plan, uint32_t gruppe) {
  const Medlemmer m;
  const ParNu parNu;
  const Par &par = *parNu;
  Raekker raekker(plan);
  Aktiviteter(plan, gruppe, m, par, raekker);
}

void TilfoejFagRaekker(Plan *plan, uint32_t gruppe, uint32_t akti, uint32_t overskrift) {
  const ParNu parNu;
  const Par &par = *parNu;
  Raekker raekker(plan);
  FagRaekker(plan, gruppe, akti, overskrift, par, raekker);
}

void TilfoejManglendeRaekker(Plan *plan) {
  const Medlemmer m;
  const ParNu parNu;
  const Par &par = *parNu;
  Raekker raekker(plan);
  const std::vector<uint32_t> grupper = ValgteGrupper(plan);
  for (uint32_t g : grupper) Aktiviteter(plan, g, m, par, raekker);
  for (uint32_t g : grupper) {
    const uint8_t ejer = Gruppe(g)->Ejer;
    for (uint32_t a = 1; a < tvanfo.wRecCnt; ++a) {
      if (raekker.anfo.count(Noegle(g, a)) || !AnfoBrugbar(m, a, g)) continue;
      FfgrundRec rec{};
      rec.ObjType = PLAN_MEDA;
      rec.ffpg_id = g;
      rec.Medarbejder1 = a;
      rec.Minutnorm1 = rec.Minutnorm2 = -1.0f;
      rec.Ejer = ejer;
      // The new row may move GrundTab: it is read after the row is made.
      const uint32_t ny = NyPlanRaekke(plan, &rec, 0, true);
      raekker.Tilfoej(plan->GrundTab[ny]);
    }
  }
  BeregnBudget(plan);
  BygAktiSkph(plan);
  StartPlanTraad(plan, 2);
}

void TilfoejKopiRaekker(Plan *plan) {
  const uint8_t egen = PlanEgenInst();
  std::vector<uint8_t> harKopi(size_t(plan->GrundTabAntal) + 1, 0);
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r)
    if (plan->ObjTypeTab[r] && plan->GrundTab[r].KopiAf <= plan->GrundTabAntal) harKopi[plan->GrundTab[r].KopiAf] = 1;
  const uint32_t antal = plan->GrundTabAntal;
  for (uint32_t r = 1; r <= antal; ++r) {
    const GrundRaekke g = plan->GrundTab[r];
    if (plan->ObjTypeTab[r] == 0 || g.KopiAf || !g.Medarbejder2 || g.Ejer != egen || harKopi[r]) continue;
    FfgrundRec rec{};
    rec.ObjType = PLAN_FAG;
    rec.ffpg_id = g.ffpg_id;
    rec.Aktivitet = g.Aktivitet;
    rec.Skolefag = g.Skolefag;
    rec.Medarbejder1 = g.Medarbejder2;
    rec.Minutnorm1 = g.Minutnorm2;
    rec.Minutnorm2 = -1.0f;
    rec.Dublet = g.Dublet;
    rec.Ejer = g.Ejer;
    // The copy takes its source's lessons; its hours are worked out with
    // the other rows' in the load's walk over all rows that follows.
    const uint32_t k = NyPlanRaekke(plan, &rec, 0, false);
    GrundRaekke &kopi = plan->GrundTab[k];
    const GrundRaekke &kilde = plan->GrundTab[r];
    kopi.KopiAf = r;
    for (uint32_t u = 0; kopi.TalTab && kilde.TalTab && u <= plan->UgeAntal + 1; ++u) {
      kopi.TalTab[u].Lektioner = kilde.TalTab[u].Lektioner;
      kopi.TalTab[u].PlanStatus = kilde.TalTab[u].PlanStatus;
    }
  }
}

void BeregnBudget(Plan *plan) {
  PlanLaas laas;
  UdsatPlanGem udsat;
  const ParNu parNu;
  const Par &par = *parNu;
  const Dato idag = DagsDato();
  for (uint32_t r = 1; plan->GrundTab && r <= plan->GrundTabAntal; ++r) {
    const uint32_t art = plan->ObjTypeTab[r];
    GrundRaekke &g = plan->GrundTab[r];
    const AktiRec *a = Akti(g.Aktivitet);
    if (!a || g.KopiAf) continue;
    const bool afledt = g.Budget == 0 || (g.Budget & kAfledt) != 0;
    const uint32_t budget = g.Budget;
    if (art == PLAN_AKTI || art == PLAN_FREMMED_AKTI) {
      if (afledt && a->Elevlektioner != 0) g.Budget = (a->Kursistlektioner + a->Elevlektioner) | kAfledt;
    } else if (art == PLAN_OPG_AKTI || art == PLAN_FREMMED_OPG_AKTI) {
      if (afledt && a->BudgetLererTimer > 0) g.Budget = static_cast<uint32_t>(a->BudgetLererTimer) | kAfledt;
    } else if (art == PLAN_FAG || art == PLAN_FREMMED_FAG) {
      g.ElevAntal = a->StartElever;
      const uint32_t n = par.Find(g.Aktivitet, g.Skolefag);
      if (n) {
        const SkphRec *p = TabRec<SkphRec>(tvskph, n);
        float enheder = 0.0f;
        uint8_t flag = 0;
        const bool fundet = g.Medarbejder1 && GyldigRef(&tvanfo, g.Medarbejder1) &&
                            FagfordlLektionsenheder(idag, g.Aktivitet, g.Skolefag, g.Medarbejder1,
                                                    GetOpgPerFra(idag, g.Medarbejder1),
                                                    GetOpgPerTil(idag, g.Medarbejder1), &enheder, &flag) &&
                            enheder >= 1.0f;
        if (afledt && fundet)
          g.Budget = static_cast<uint32_t>(enheder) | kAfledt;
        else if (afledt && p->Elevlektioner != 0)
          g.Budget = p->Elevlektioner | kAfledt;
        g.Opgave_antal = p->Antal_opgaver;
      }
    } else {
      continue;
    }
    // The assignments live in the model only: a row is written when its
    // budget changed.
    if (g.Budget != budget) GemRaekke(plan, r, false);
  }
}

namespace {

// How SaetFlag leaves the row axis.
enum class Raekkeakse { Ingen, Hel, KunOrden };

// The flags and the columns; the rows too unless the caller builds them
// right after, or only their order when the caller builds every figure
// afresh after it.
void SaetFlag(Plan *plan, Raekkeakse raekker) {
  const Medlemmer m;
  const uint32_t gruppe = plan->AktPlanGruppe;
  for (uint32_t a = 0; plan->PlanAktiTab && a <= plan->PlanAktiAntal; ++a)
    plan->PlanAktiTab[a].IPlan = a < tvakti.wRecCnt && AktiBrugbar(m, a, gruppe) ? 1 : 0;
  for (uint32_t a = 0; plan->PlanAnfoTab && a <= plan->PlanAnfoAntal; ++a) {
    const AnfoRec *f = GyldigRef(&tvanfo, a) ? TabRec<AnfoRec>(tvanfo, a) : nullptr;
    plan->PlanAnfoTab[a].IPlan = f && f->Status >= 10 && f->Status <= 29 && !(f->Gruppe & 0x80000000u) &&
                                         f->Fradato <= plan->Tildato && f->Tildato >= plan->Fradato &&
                                         m.Anfo(gruppe, a)
                                     ? 1
                                     : 0;
  }
  for (uint32_t n = 0; plan->PlanSkphTab && n <= plan->PlanSkphAntal; ++n) {
    const SkphRec *p = GyldigRef(&tvskph, n) ? TabRec<SkphRec>(tvskph, n) : nullptr;
    const bool med = p && p->Status != 0 && p->akti_id <= plan->PlanAktiAntal && plan->PlanAktiTab &&
                     plan->PlanAktiTab[p->akti_id].IPlan;
    plan->PlanSkphTab[n] = med ? PlanSkphPost{1, p->akti_id, p->skfa_id} : PlanSkphPost{};
  }
  BygVenstreKolonner(plan);
  BygHoejreKolonner(plan);
  BygKolonner(plan);
  BygSynligeKolonner(plan);
  if (raekker == Raekkeakse::Hel) BygRaekker(plan, true);
  if (raekker == Raekkeakse::KunOrden) BygRaekkeOrden(plan);
  plan->StyrY.Pos.Aktuel = plan->StyrY.Pos.Antal ? 1 : 0;
  plan->StyrY.Pos.Foerste = plan->StyrY.Pos.Antal ? 1 : 0;
  plan->StyrX.Pos.Aktuel = plan->StyrX.Pos.Antal ? 1 : 0;
  plan->StyrX.Pos.Foerste = plan->StyrX.Pos.Antal ? 1 : 0;
}

}  // namespace

void SaetPlanFlag(Plan *plan) { SaetFlag(plan, Raekkeakse::Hel); }

bool HentPlan(HWND hDlg, Plan *plan) {
  if (!plan || !VaelgGruppe(plan)) return false;
  // The model is the plan jobs' too: they wait while it is built.
  PlanLaas laas;
  // Everything the load writes is one save at its end.
  Gemning gemning;
  bool gemt = false;
  {
    UdsatPlanGem udsat;
    TomPlanTilGenbrug(plan);
    if (!plan->PlanAktiTab || plan->PlanAktiAntal != tvakti.wRecCnt || plan->PlanAnfoAntal != tvanfo.wRecCnt ||
        plan->PlanSkphAntal != tvskph.wRecCnt || plan->UgeAntal != SkemaPeriode.AntalUger)
      AllokerPlanTabeller(plan);
    LavPeriodeTab(plan, plan->AktPlanGruppe);
    Trin(hDlg);  // 1
    // Mostly there are none: then the three passes below would each find
    // that alone, one after the other.
    const bool ingenDubletter = IngenPlanDubletter();
    while (!ingenDubletter && FjernGrundDubletter() != 0) {
    }
    Trin(hDlg);  // 2
    while (!ingenDubletter && FjernPerTabDubletter() != 0) {
    }
    Trin(hDlg);  // 3
    while (!ingenDubletter && FjernTalTabDubletter() != 0) {
    }
    Trin(hDlg);  // 4
    // Read while the steps before the ones that ask them run.
    ParForud parForud;
    const PosteringerForud posteringer(plan);
    const uint32_t plads = PlanKolonnePlads(plan);
    Trin(hDlg);  // 5
    if (LaesPlanRaekker(plan)) StartPlanTraad(plan, 3);
    Trin(hDlg);  // 6
    const IndlaesningensPar par(parForud);
    TilfoejManglendeRaekker(plan);
    Trin(hDlg);  // 7
    // The headings' figures are built afresh from all rows further on: here
    // only the order of the rows is needed, for the first row of each
    // activity.
    SaetFlag(plan, Raekkeakse::KunOrden);
    TAVO_ASSERT(plan->KolonneAntal <= plads);
    Trin(hDlg);  // 8
    ParRaekker(plan);
    Trin(hDlg);  // 9
    FjernRaekkerUdenPar(plan);
    Trin(hDlg);  // 10
    HentPosteringer(plan);
    Trin(hDlg);  // 11
    // The rows are laid out once, after the headings below.
    SaetFlag(plan, Raekkeakse::Ingen);
    Trin(hDlg);  // 12
    // The hours of the rows' planned lessons, the display copies' too, are
    // worked out in the walk that sums the rows below: nothing before it
    // reads them (a display copy takes its source's lessons, not its
    // hours).
    LaesSkemaLektioner(plan);
    StartPlanTraad(plan, 4);
    Trin(hDlg);  // 13
    TilfoejKopiRaekker(plan);
    // No step before adds into a heading row: the first layout took only
    // the order, and the passes that fill weeks fill no heading.
    OpretIndlaesteOverskrifter(plan, plan->GrundTabAntal);
    Trin(hDlg);  // 14
    BygRaekkerOverRegnedeRaekker(plan);
    Trin(hDlg);  // 15
    // Only the tables the load wrote: a load that changes nothing leaves
    // the files alone.
    udsat.Gem();
  }
  gemt = gemning.Fuldfoer();
  if (!gemt) {
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(hDlg, fejl);
  }
  StartPlanTraad(plan, 5);
  Trin(hDlg);  // 16
  return true;
}
