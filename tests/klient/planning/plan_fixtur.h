// A small plan over a data folder of its own: activities, subjects,
// employees, a plan group with its periods, plan rows, and the column and
// row axes set by hand, for the tests of the plan texts, the CSV export and
// the axes.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "FF_PlanFyld.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PLAN.h"
#include "RECPRED.h"

namespace plantest {

using predtest::Ny;
using predtest::Rec;
using predtest::Tekst;

constexpr uint8_t kEgen = 7;
constexpr uint8_t kAnden = 3;

// A number column: its kind, its period position and its week.
struct Kol {
  uint32_t art;
  uint32_t periode = 0;
  Uge uge = 0;
};

class PlanFixtur : public storetest::DataMappe {
 protected:
  uint8_t gemtInsnr = 0;
  Plan plan{};
  uint32_t gruppe = 0;
  std::vector<uint32_t> styrZ, artX, pper, ugeTab, styrX, artLX, styrLX, artRX, styrRX;

  void SetUp() override {
    storetest::DataMappe::SetUp();
    gemtInsnr = GlobalIndstillinger.insnr;
    StandardIndstillinger();
    GlobalIndstillinger.insnr = kEgen;
    predtest::TommeTabeller();
    gruppe = NyGruppe("Fag 24/25", kEgen, 20240801, 20250731);
    AllokerPlanTabeller(&plan);
    plan.Visning = 'A';
    Grupper({gruppe});
    VaelgGruppe(gruppe);
  }
  void TearDown() override {
    TomPlan(&plan);
    TomPlanTabeller(&plan);
    free(plan.PeriodeTab);
    free(plan.PeriodeSort);
    GlobalIndstillinger.insnr = gemtInsnr;
    StandardIndstillinger();
    storetest::DataMappe::TearDown();
  }

  uint32_t NyGruppe(const char *navn, uint8_t ejer, Dato fra, Dato til, uint8_t status = 64) {
    FfpgRec g{};
    Tekst(g.Navn, navn);
    g.Fradato = fra;
    g.Tildato = til;
    g.Ejer = ejer;
    g.Status = status;
    return Ny(tdffpg, tvffpg, g);
  }
  uint32_t NyPeriode(uint32_t g, Uge fra, Uge til, uint8_t udfold = 0) {
    FfppRec p{};
    p.ffpg_id = g;
    p.Frauge = fra;
    p.Tiluge = til;
    p.Udfold = udfold;
    p.Ejer = kEgen;
    p.Status = 64;
    return Ny(tdffpp, tvffpp, p);
  }
  void Grupper(std::initializer_list<uint32_t> g) {
    styrZ.assign(1, 0);
    styrZ.insert(styrZ.end(), g);
    plan.StyrZ.ObjTab = styrZ.data();
    plan.StyrZ.Pos.Antal = static_cast<uint32_t>(g.size());
  }
  void VaelgGruppe(uint32_t g) {
    plan.AktPlanGruppe = g;
    if (const FfpgRec *r = TabRec<FfpgRec>(tvffpg, g)) {
      plan.Fradato = r->Fradato;
      plan.Tildato = r->Tildato;
    }
    LavPeriodeTab(&plan, g);
  }
  uint32_t NyAkti(const char *navn, const char *kort, Dato fra = 20240801, Dato til = 20250731) {
    AktiRec a{};
    Tekst(a.Aktivitet, navn);
    Tekst(a.Kort_betegnelse, kort);
    a.Status = 10;
    a.Fradato = fra;
    a.Tildato = til;
    a.Aflyst = 'N';
    Tekst(a.Type, "HOLD");
    const uint32_t n = Ny(tdakti, tvakti, a);
    TomPlanTabeller(&plan);
    AllokerPlanTabeller(&plan);
    return n;
  }
  uint32_t NySkfa(const char *fag, char niveau, const char *bet) {
    SkfaRec f{};
    Tekst(f.Skolefag, fag);
    f.Niveau = niveau;
    Tekst(f.Betegnelse, bet);
    f.Status = 10;
    return Ny(tdskfa, tvskfa, f);
  }
  uint32_t NyAnfo(const char *ini, const char *loeb, const char *navn) {
    MedaRec m{};
    Tekst(m.Initialer, ini);
    Tekst(m.Navn, navn);
    m.Status = 10;
    AnfoRec f{};
    f.meda_id = Ny(tdmeda, tvmeda, m);
    memcpy(f.Loebenummer, loeb, strnlen(loeb, sizeof f.Loebenummer));
    f.Status = 10;
    f.Fradato = 20240801;
    f.Tildato = 20250731;
    const uint32_t n = Ny(tdanfo, tvanfo, f);
    TomPlanTabeller(&plan);
    AllokerPlanTabeller(&plan);
    return n;
  }
  // Activities and employments of the current group (the in-plan flags).
  void IPlan(uint32_t akti, uint32_t anfo = 0) {
    if (akti) plan.PlanAktiTab[akti].IPlan = 1;
    if (anfo) plan.PlanAnfoTab[anfo].IPlan = 1;
  }
  uint32_t Raekke(uint32_t art, uint32_t akti, uint32_t skfa, uint32_t m1, uint32_t m2 = 0, uint8_t ejer = kEgen,
                  uint32_t g = 0) {
    FfgrundRec r{};
    r.ffpg_id = g ? g : gruppe;
    r.ObjType = art;
    r.Aktivitet = akti;
    r.Skolefag = skfa;
    r.Medarbejder1 = m1;
    r.Medarbejder2 = m2;
    r.Minutnorm1 = r.Minutnorm2 = -1.0f;
    r.Ejer = ejer;
    return NyPlanRaekke(&plan, &r, 0, false);
  }
  GrundRaekke &R(uint32_t r) { return plan.GrundTab[r]; }
  TalPost &T(uint32_t r, Uge uge) { return plan.GrundTab[r].TalTab[UgeTilIndeks(uge)]; }
  // The rows shown, in this order.
  void Orden(std::initializer_list<uint32_t> raekker) {
    free(plan.Ens.ObjTab);
    plan.Ens.ObjTab = static_cast<uint32_t *>(calloc(raekker.size() + 1, sizeof(uint32_t)));
    uint32_t i = 0;
    for (uint32_t r : raekker) plan.Ens.ObjTab[++i] = r;
    plan.Ens.ObjTabAntal = i;
    plan.StyrY.Pos = {i, 1, i, 1};
  }
  static void Akse(PlanStyr &s, std::vector<uint32_t> &tab, uint32_t antal) {
    tab.assign(antal + 1, 0);
    for (uint32_t i = 1; i <= antal; ++i) tab[i] = i;
    s.ObjTab = tab.data();
    s.Pos = {antal, 1, antal, 1};
  }
  void Kolonner(std::initializer_list<Kol> k) {
    artX.assign(1, 0), pper.assign(1, 0), ugeTab.assign(1, 0);
    for (const Kol &c : k) artX.push_back(c.art), pper.push_back(c.periode), ugeTab.push_back(c.uge);
    plan.ObjTypeTabX = artX.data();
    plan.PPeriode = pper.data();
    plan.UgeTab = ugeTab.data();
    plan.KolonneAntal = static_cast<uint32_t>(k.size());
    Akse(plan.StyrX, styrX, plan.KolonneAntal);
  }
  void Venstre(std::initializer_list<uint32_t> arter) {
    artLX.assign(1, 0);
    artLX.insert(artLX.end(), arter);
    plan.ObjTypeTabLX = artLX.data();
    plan.VenstreAntal = static_cast<uint32_t>(arter.size());
    Akse(plan.StyrLX, styrLX, plan.VenstreAntal);
  }
  void Hoejre(std::initializer_list<uint32_t> arter) {
    artRX.assign(1, 0);
    artRX.insert(artRX.end(), arter);
    plan.ObjTypeTabRX = artRX.data();
    plan.HoejreAntal = static_cast<uint32_t>(arter.size());
    Akse(plan.StyrRX, styrRX, plan.HoejreAntal);
  }
};

}  // namespace plantest
