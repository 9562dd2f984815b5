// The plan model's record writers, the save pass and the duplicate removal,
// checked against the record files read back from the data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <iterator>
#include <string>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "MINNORM.h"
#include "PLAN.h"
#include "TAVODATA.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"

namespace {

using predtest::Ny;
using predtest::Rec;

constexpr uint8_t kEgen = 7;
constexpr uint8_t kAnden = 9;

class PlanModelMappe : public storetest::DataMappe {
 protected:
  uint8_t gemtInsnr = 0, gemtLaast = 0;
  Plan plan{};
  uint32_t gruppe = 0, periode1 = 0, periode2 = 0;
  uint32_t styrZ[2] = {0, 0};

  void SetUp() override {
    storetest::DataMappe::SetUp();
    gemtInsnr = GlobalIndstillinger.insnr;
    gemtLaast = GlobalIndstillinger.skemalaast;
    GlobalIndstillinger.insnr = kEgen;
    GlobalIndstillinger.skemalaast = 0;
    predtest::TommeTabeller();
    for (int i = 0; i < 6; ++i) {
      AktiRec a{};
      a.Status = 10;
      a.Fradato = 20240801;
      a.Tildato = 20250731;
      Ny(tdakti, tvakti, a);
      AnfoRec m{};
      m.Status = 10;
      m.Fradato = 20240801;
      m.Tildato = 20250731;
      Ny(tdanfo, tvanfo, m);
    }
    FfpgRec g{};
    g.id = 1;
    g.Fradato = 20240801;
    g.Tildato = 20250731;
    g.Ejer = kEgen;
    g.Status = 64;
    gruppe = Ny(tdffpg, tvffpg, g);
    periode1 = Periode(202431, 202452);
    periode2 = Periode(202501, 202531);
    AllokerPlanTabeller(&plan);
    plan.AktPlanGruppe = gruppe;
    styrZ[1] = gruppe;
    plan.StyrZ.ObjTab = styrZ;
    plan.StyrZ.Pos.Antal = 1;
  }
  void TearDown() override {
    TomPlan(&plan);
    TomPlanTabeller(&plan);
    free(plan.PeriodeTab);
    free(plan.PeriodeSort);
    GlobalIndstillinger.insnr = gemtInsnr;
    GlobalIndstillinger.skemalaast = gemtLaast;
    storetest::DataMappe::TearDown();
  }
  uint32_t Periode(Uge fra, Uge til) {
    FfppRec p{};
    p.ffpg_id = gruppe;
    p.Frauge = fra;
    p.Tiluge = til;
    p.Ejer = kEgen;
    p.Status = 64;
    return Ny(tdffpp, tvffpp, p);
  }
  uint32_t Raekke(uint32_t art, uint32_t akti, uint32_t skfa, uint8_t ejer = kEgen, bool gem = false) {
    FfgrundRec r{};
    r.ffpg_id = gruppe;
    r.ObjType = art;
    r.Aktivitet = akti;
    r.Skolefag = skfa;
    r.Medarbejder1 = 2;
    r.Minutnorm1 = -1.0f;
    r.Minutnorm2 = -1.0f;
    r.Lektioner = 40;
    r.Ejer = ejer;
    return NyPlanRaekke(&plan, &r, 0, gem);
  }
  // Every plan table dropped from memory and read again from its file.
  void GenindlaesPlanTabeller() {
    for (auto [td, tv] : {std::pair{&tdffgrund, &tvffgrund}, {&tdfftaltab, &tvfftaltab}, {&tdffpertab, &tvffpertab},
                          {&tdffpgrel, &tvffpgrel}, {&tdffpg, &tvffpg}, {&tdffpp, &tvffpp}}) {
      predtest::TomTabel(tv);
      ASSERT_EQ(LoadTab(td, tv), 0) << td->Navn;
    }
  }
};

// ---- Rows ----

class PlanModelRaekker : public PlanModelMappe {};

TEST_F(PlanModelRaekker, HvilkeRaekkerGemmesOgHvordan) {
  struct Tilfaelde {
    const char *navn;
    uint32_t art;
    uint8_t ejer;
    bool kopi;
    bool gemmes;
  };
  const Tilfaelde tabel[] = {
      {"subject row", PLAN_FAG, kEgen, false, true},
      {"activity heading", PLAN_AKTI, kEgen, false, true},
      {"hours row", PLAN_OPG_TIMER, kEgen, false, true},
      {"copy", PLAN_FAG, kEgen, true, false},
      {"another installation's", PLAN_FAG, kAnden, false, false},
      {"foreign kind", PLAN_FREMMED_FAG, kEgen, false, false},
      {"scheduled lessons", PLAN_SKEMA, kEgen, false, false},
      {"posted hours", PLAN_POST, kEgen, false, false},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    const uint32_t r = Raekke(t.art, 3, 4, t.ejer);
    if (t.kopi) plan.GrundTab[r].KopiAf = 1;
    const uint32_t antal = tvffgrund.wRecCnt;
    const uint32_t rec = GemRaekke(&plan, r, false);
    EXPECT_EQ(rec != 0, t.gemmes);
    EXPECT_EQ(plan.GrundTab[r].GrundRec, rec);
    if (!t.gemmes) {
      EXPECT_EQ(tvffgrund.wRecCnt, antal);
      continue;
    }
    const FfgrundRec *p = Rec<FfgrundRec>(tvffgrund, rec);
    EXPECT_EQ(+p->Status, 64);
    EXPECT_EQ(p->ObjType, t.art);
    EXPECT_EQ(p->Aktivitet, 3u);
    EXPECT_EQ(p->Lektioner, 40);
    EXPECT_EQ(+p->Ejer, kEgen);
  }
}

TEST_F(PlanModelRaekker, OmskrevetRaekkeBeholderIdOgStatusOgGemAltTagerNy) {
  const uint32_t r = Raekke(PLAN_FAG, 3, 4);
  const uint32_t rec = GemRaekke(&plan, r, false);
  Rec<FfgrundRec>(tvffgrund, rec)->Id = 55;
  Rec<FfgrundRec>(tvffgrund, rec)->Status = 32;  // confirmed by the central system
  plan.GrundTab[r].Medarbejder2 = 5;
  EXPECT_EQ(GemRaekke(&plan, r, false), rec);
  EXPECT_EQ(Rec<FfgrundRec>(tvffgrund, rec)->Id, 55u);
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, rec)->Status, 32);
  EXPECT_EQ(Rec<FfgrundRec>(tvffgrund, rec)->Medarbejder2, 5u);
  // Saved at once: the file holds the change.
  const FfgrundRec skrevet = *Rec<FfgrundRec>(tvffgrund, rec);
  predtest::TomTabel(&tvffgrund);
  ASSERT_EQ(LoadTab(&tdffgrund, &tvffgrund), 0);
  ASSERT_LT(rec, tvffgrund.wRecCnt);
  EXPECT_EQ(memcmp(Rec<FfgrundRec>(tvffgrund, rec), &skrevet, sizeof skrevet), 0);
  // A record that has been freed under the row is not written over: the row
  // takes a new one.
  DelRec(&tdffgrund, &tvffgrund, rec);
  const uint32_t igen = GemRaekke(&plan, r, false);
  EXPECT_NE(igen, 0u);
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, igen)->Status, 64);
  plan.GemAlt = 1;
  const uint32_t ny = GemRaekke(&plan, r, false);
  EXPECT_NE(ny, igen);
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, ny)->Status, 64);
  EXPECT_EQ(Rec<FfgrundRec>(tvffgrund, ny)->Id, 0u);
}

// ---- Week and period entries ----

class PlanModelTal : public PlanModelMappe {
 protected:
  uint32_t r = 0;
  void SetUp() override {
    PlanModelMappe::SetUp();
    r = Raekke(PLAN_FAG, 3, 4);
    GemRaekke(&plan, r, false);
  }
  TalPost &T(uint32_t u) { return plan.GrundTab[r].TalTab[u]; }
  PerPost &P(uint32_t p) { return plan.GrundTab[r].PerTab[p]; }
};

TEST_F(PlanModelTal, UgeposterSkrivesOgSlettes) {
  T(5) = TalPost{};
  T(5).PlanStatus = PS_UGE;
  T(5).Lektioner = 30;
  T(5).Timer = 1.5f;
  T(5).ElevAntal = 23;
  T(5).Rettearbejd = 2.0f;
  T(5).RetStatus = PS_UGE;
  GemUge(&plan, 5, r, true);
  const uint32_t rec = T(5).TalRec;
  ASSERT_NE(rec, 0u);
  {
    const FftaltabRec *p = Rec<FftaltabRec>(tvfftaltab, rec);
    EXPECT_EQ(+p->Status, 64);
    EXPECT_EQ(p->ffgrund_id, plan.GrundTab[r].GrundRec);
    EXPECT_EQ(p->Uge, IndeksTilUge(5));
    EXPECT_EQ(p->Lektioner, 30u);
    EXPECT_EQ(p->ElevAntal, 23u);  // the student count is kept
    EXPECT_EQ(p->Rettearbejd, 2.0f);
    EXPECT_EQ(p->ElevtidStatus, 0u);
  }
  // Read back from the file.
  predtest::TomTabel(&tvfftaltab);
  ASSERT_EQ(LoadTab(&tdfftaltab, &tvfftaltab), 0);
  EXPECT_EQ(Rec<FftaltabRec>(tvfftaltab, rec)->ElevAntal, 23u);
  EXPECT_EQ(Rec<FftaltabRec>(tvfftaltab, rec)->Timer, 1.5f);
  // ElevtidStatus is written 0 whatever stood in the record.
  Rec<FftaltabRec>(tvfftaltab, rec)->ElevtidStatus = 9;
  GemUge(&plan, 5, r, false);
  EXPECT_EQ(Rec<FftaltabRec>(tvfftaltab, rec)->ElevtidStatus, 0u);
  // All three status words 0: no record left.
  T(5).PlanStatus = T(5).RetStatus = T(5).EksStatus = 0;
  GemUge(&plan, 5, r, true);
  EXPECT_EQ(T(5).TalRec, 0u);
  EXPECT_EQ(+Rec<FftaltabRec>(tvfftaltab, rec)->Status, 0);
}

TEST_F(PlanModelTal, FremmedeOgIkkeLevendeUgeposter) {
  // A new entry with numbers of another installation gets status 30.
  T(6).PlanStatus = PS_FREMMED | PS_UGE;
  T(6).Lektioner = 20;
  GemUge(&plan, 6, r, false);
  ASSERT_NE(T(6).TalRec, 0u);
  EXPECT_EQ(+Rec<FftaltabRec>(tvfftaltab, T(6).TalRec)->Status, 30);
  // An existing record that is not live is left as it is.
  T(6).Lektioner = 90;
  GemUge(&plan, 6, r, false);
  EXPECT_EQ(Rec<FftaltabRec>(tvfftaltab, T(6).TalRec)->Lektioner, 20u);
  // A row of another installation makes no new records.
  const uint32_t fremmed = Raekke(PLAN_FREMMED_FAG, 3, 4, kAnden);
  plan.GrundTab[fremmed].TalTab[7].PlanStatus = PS_UGE;
  GemUge(&plan, 7, fremmed, false);
  EXPECT_EQ(plan.GrundTab[fremmed].TalTab[7].TalRec, 0u);
}

TEST_F(PlanModelTal, PeriodeposterEfterPlanStatus) {
  struct Tilfaelde {
    uint32_t planStatus;
    bool post;           // a record is left
    uint32_t gemtStatus;
    bool nulstillet;     // marking and student time stored as 0
    uint8_t recStatus;
  };
  const Tilfaelde tabel[] = {
      {0, false, 0, false, 0},
      {PS_NULSTIL, false, 0, false, 0},
      {PS_NULSTIL | PS_PERIODE, true, PS_PERIODE, true, 64},
      {PS_PERIODE, true, PS_PERIODE, false, 64},
      {PS_PERIODE | PS_FREMMED, true, PS_PERIODE | PS_FREMMED, false, 30},
  };
  uint32_t pos = 1;
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.planStatus);
    PerPost &e = P(pos);
    e = PerPost{};
    e.PlanStatus = t.planStatus;
    e.Lektioner = 50;
    e.Timer = 3.0f;
    e.Eksametid = 1.25f;
    e.Opgave_antal = 4.0f;
    e.Minutter_per_opgave = 10.0f;
    e.Elevtid_per_elev = 0.5f;
    e.Rettearbejd = 2.0f;
    e.Elevtid = 1.0f;
    GemPeriode(&plan, pos, periode1, r, true);
    EXPECT_EQ(e.PerRec != 0, t.post);
    if (t.post) {
      const FfpertabRec *p = Rec<FfpertabRec>(tvffpertab, e.PerRec);
      EXPECT_EQ(+p->Status, +t.recStatus);
      EXPECT_EQ(p->PlanStatus, t.gemtStatus);
      EXPECT_EQ(p->ffpp_id, periode1);
      EXPECT_EQ(p->Lektioner, 50u);
      EXPECT_EQ(p->Timer, 3.0f);
      EXPECT_EQ(p->Eksametid, 1.25f);
      const float m = t.nulstillet ? 0.0f : 1.0f;
      EXPECT_EQ(p->Opgave_antal, 4.0f * m);
      EXPECT_EQ(p->Minutter_per_opgave, 10.0f * m);
      EXPECT_EQ(p->Elevtid_per_elev, 0.5f * m);
      EXPECT_EQ(p->Rettearbejd, 2.0f * m);
      EXPECT_EQ(p->Elevtid, 1.0f * m);
      // Emptied again: the record goes.
      const uint32_t rec = e.PerRec;
      if (t.recStatus == 64) {
        e.PlanStatus = PS_NULSTIL;
        GemPeriode(&plan, pos, periode1, r, false);
        EXPECT_EQ(e.PerRec, 0u);
        EXPECT_EQ(+Rec<FfpertabRec>(tvffpertab, rec)->Status, 0);
      }
    }
    ++pos;
  }
}

// ---- Duplicates ----

class PlanModelDubletter : public PlanModelMappe {
 protected:
  uint32_t Grund(uint32_t id, uint8_t ejer, uint32_t akti, uint8_t status = 64) {
    FfgrundRec g{};
    g.Id = id;
    g.ffpg_id = gruppe;
    g.Aktivitet = akti;
    g.Skolefag = 4;
    g.Medarbejder1 = 2;
    g.ObjType = PLAN_FAG;
    g.Ejer = ejer;
    g.Status = status;
    return Ny(tdffgrund, tvffgrund, g);
  }
  uint32_t Tal(uint32_t id, uint32_t grund, Uge uge, uint8_t ejer = kEgen) {
    FftaltabRec t{};
    t.Id = id;
    t.ffgrund_id = grund;
    t.Uge = uge;
    t.PlanStatus = PS_UGE;
    t.Ejer = ejer;
    t.Status = 64;
    return Ny(tdfftaltab, tvfftaltab, t);
  }
  uint32_t Per(uint32_t id, uint32_t grund, uint32_t ffpp, uint8_t ejer = kEgen) {
    FfpertabRec p{};
    p.Id = id;
    p.ffgrund_id = grund;
    p.ffpp_id = ffpp;
    p.PlanStatus = PS_PERIODE;
    p.Ejer = ejer;
    p.Status = 64;
    return Ny(tdffpertab, tvffpertab, p);
  }
  std::string Log() {
    std::ifstream i(rod / "log" / "tavo.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }
  static size_t Antal(const std::string &s, const std::string &del) {
    size_t n = 0;
    for (size_t p = s.find(del); p != std::string::npos; p = s.find(del, p + 1)) ++n;
    return n;
  }
};

TEST_F(PlanModelDubletter, GrundDubletTagerSineUgerOgPerioderMed) {
  ASSERT_EQ(AabnLog(), 1);
  const uint32_t foerste = Grund(11, kEgen, 3);
  Grund(0, kEgen, 4);                                   // another activity
  const uint32_t anden = Grund(12, kEgen, 3);           // the duplicate, sorting later
  const uint32_t fremmed1 = Grund(21, kAnden, 3, 30);   // another installation's pair
  const uint32_t fremmed2 = Grund(22, kAnden, 3, 30);
  const uint32_t slettet = Grund(13, kEgen, 3, 0x48);   // already deleted
  const uint32_t t1 = Tal(0, anden, 202440), t2 = Tal(31, anden, 202441), t0 = Tal(0, foerste, 202440);
  const uint32_t p1 = Per(0, anden, periode1), p0 = Per(0, foerste, periode1);
  // The load's quick check of the three tables does not pass it by.
  EXPECT_FALSE(IngenPlanDubletter());
  EXPECT_EQ(FjernGrundDubletter(), 1u);
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, foerste)->Status, 64);
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, anden)->Status, 72);  // known centrally: marked
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, fremmed1)->Status, 30);
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, fremmed2)->Status, 30);
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, slettet)->Status, 0x48);
  // Its week and period records go with it; the kept row's stay.
  EXPECT_EQ(+Rec<FftaltabRec>(tvfftaltab, t1)->Status, 0);
  EXPECT_EQ(+Rec<FftaltabRec>(tvfftaltab, t2)->Status, 72);
  EXPECT_EQ(+Rec<FftaltabRec>(tvfftaltab, t0)->Status, 64);
  EXPECT_EQ(+Rec<FfpertabRec>(tvffpertab, p1)->Status, 0);
  EXPECT_EQ(+Rec<FfpertabRec>(tvffpertab, p0)->Status, 64);
  EXPECT_EQ(FjernGrundDubletter(), 0u);
  LukLog();
  const std::string log = Log();
  EXPECT_EQ(Antal(log, "Plan dubletter slettet (ffgrund): 1 records"), 1u) << log;
  EXPECT_EQ(Antal(log, "Plan dubletter slettet (ffgrund)"), 1u);
  // The tables went to their files.
  predtest::TomTabel(&tvffgrund);
  ASSERT_EQ(LoadTab(&tdffgrund, &tvffgrund), 0);
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, anden)->Status, 72);
}

TEST_F(PlanModelDubletter, UgeOgPeriodeDubletter) {
  ASSERT_EQ(AabnLog(), 1);
  const uint32_t g = Grund(11, kEgen, 3);
  const uint32_t a = Tal(0, g, 202440), b = Tal(0, g, 202440), c = Tal(0, g, 202441);
  const uint32_t f1 = Tal(0, g, 202442, kAnden), f2 = Tal(0, g, 202442, kAnden);
  Rec<FftaltabRec>(tvfftaltab, f1)->Status = 30;
  Rec<FftaltabRec>(tvfftaltab, f2)->Status = 30;
  EXPECT_EQ(FjernTalTabDubletter(), 1u);
  EXPECT_EQ(+Rec<FftaltabRec>(tvfftaltab, a)->Status, 64);
  EXPECT_EQ(+Rec<FftaltabRec>(tvfftaltab, b)->Status, 0);
  EXPECT_EQ(+Rec<FftaltabRec>(tvfftaltab, c)->Status, 64);
  EXPECT_EQ(+Rec<FftaltabRec>(tvfftaltab, f2)->Status, 30);
  EXPECT_EQ(FjernTalTabDubletter(), 0u);
  const uint32_t p = Per(0, g, periode1), q = Per(0, g, periode1), o = Per(0, g, periode2);
  EXPECT_EQ(FjernPerTabDubletter(), 1u);
  EXPECT_EQ(+Rec<FfpertabRec>(tvffpertab, p)->Status, 64);
  EXPECT_EQ(+Rec<FfpertabRec>(tvffpertab, q)->Status, 0);
  EXPECT_EQ(+Rec<FfpertabRec>(tvffpertab, o)->Status, 64);
  EXPECT_EQ(FjernPerTabDubletter(), 0u);
  LukLog();
  const std::string log = Log();
  EXPECT_EQ(Antal(log, "Plan dubletter slettet (taltab): 1 records"), 1u) << log;
  EXPECT_EQ(Antal(log, "Plan dubletter slettet (pertab): 1 records"), 1u) << log;
}

// ---- The save pass ----

class PlanModelGem : public PlanModelMappe {
 protected:
  std::string Ini(const char *sektion, const char *noegle) {
    char buf[64] = "";
    GetPrivateProfileStringA(sektion, noegle, "", buf, sizeof buf, StiTab.szini);
    return buf;
  }
};

TEST_F(PlanModelGem, GemAltSkriverAltPaanyOgDetLaesesTilbage) {
  SkrivIni("[flag]\r\nplanexport=0\r\n");
  // Two stored rows with weeks and a period, one row of another installation.
  const uint32_t a = Raekke(PLAN_AKTI, 3, 0, kEgen, true);
  const uint32_t b = Raekke(PLAN_FAG, 3, 4, kEgen, true);
  const uint32_t c = Raekke(PLAN_FAG, 3, 5, kEgen, true);
  const uint32_t f = Raekke(PLAN_FREMMED_FAG, 3, 6, kAnden);
  for (uint32_t u : {3u, 4u, 20u}) {
    plan.GrundTab[b].TalTab[u].PlanStatus = PS_UGE;
    plan.GrundTab[b].TalTab[u].Lektioner = static_cast<int32_t>(10 * u);
    plan.GrundTab[b].TalTab[u].ElevAntal = u;
  }
  plan.GrundTab[c].TalTab[9].EksStatus = PS_UGE;
  plan.GrundTab[c].TalTab[9].Eksametid = 2.5f;
  plan.GrundTab[b].PerTab[1].PlanStatus = PS_PERIODE;
  plan.GrundTab[b].PerTab[1].Lektioner = 120;
  GemRaekkeTal(&plan, b);
  GemRaekkeTal(&plan, c);
  const uint32_t gammelB = plan.GrundTab[b].GrundRec;
  Rec<FfgrundRec>(tvffgrund, gammelB)->Id = 77;  // sent once; the rewrite starts over
  // A membership naming no activity record, to be tidied.
  FfpgrelRec rel{};
  rel.Plangruppe_id = gruppe;
  rel.akti_id = 900;
  rel.Ejer = kEgen;
  rel.Status = 64;
  const uint32_t relNr = Ny(tdffpgrel, tvffpgrel, rel);
  plan.GemAlt = 1;
  plan.VisSkeLekt = 1;
  ASSERT_TRUE(GemPlan(0, &plan));
  EXPECT_EQ(plan.GemAlt, 0u);
  EXPECT_EQ(Ini("flag", "planexport"), "1");
  EXPECT_EQ(Ini("ffplan", "ffplangruppe"), std::to_string(gruppe));
  EXPECT_EQ(plan.GrundTab[f].GrundRec, 0u);
  EXPECT_EQ(+Rec<FfpgrelRec>(tvffpgrel, relNr)->Status, 0);

  // Read back: the rows, weeks and periods equal what the model holds.
  GenindlaesPlanTabeller();
  EXPECT_EQ(Rec<FfpgRec>(tvffpg, gruppe)->VisSkeLekt, 1);
  uint32_t levende = 0;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) levende += PlanRecLever(Rec<FfgrundRec>(tvffgrund, n)->Status);
  EXPECT_EQ(levende, 3u);
  for (uint32_t r : {a, b, c}) {
    SCOPED_TRACE(r);
    const GrundRaekke &g = plan.GrundTab[r];
    ASSERT_NE(g.GrundRec, 0u);
    const FfgrundRec *p = Rec<FfgrundRec>(tvffgrund, g.GrundRec);
    EXPECT_EQ(+p->Status, 64);
    EXPECT_EQ(p->Id, 0u);
    EXPECT_EQ(p->ObjType, plan.ObjTypeTab[r]);
    EXPECT_EQ(p->Aktivitet, g.Aktivitet);
    EXPECT_EQ(p->Skolefag, g.Skolefag);
    EXPECT_EQ(p->Lektioner, g.Lektioner);
    for (uint32_t u = 0; u <= plan.UgeAntal + 1; ++u) {
      const TalPost &t = g.TalTab[u];
      if (t.PlanStatus == 0 && t.RetStatus == 0 && t.EksStatus == 0) {
        EXPECT_EQ(t.TalRec, 0u) << u;
        continue;
      }
      ASSERT_NE(t.TalRec, 0u) << u;
      const FftaltabRec *w = Rec<FftaltabRec>(tvfftaltab, t.TalRec);
      EXPECT_EQ(w->ffgrund_id, g.GrundRec);
      EXPECT_EQ(w->Uge, IndeksTilUge(u));
      EXPECT_EQ(w->Lektioner, static_cast<uint32_t>(t.Lektioner));
      EXPECT_EQ(w->ElevAntal, t.ElevAntal);
      EXPECT_EQ(w->Eksametid, t.Eksametid);
      EXPECT_EQ(w->PlanStatus, t.PlanStatus);
      EXPECT_EQ(w->EksStatus, t.EksStatus);
    }
  }
  uint32_t uger = 0, perioder = 0;
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) uger += Rec<FftaltabRec>(tvfftaltab, n)->Status != 0;
  for (uint32_t n = 1; n < tvffpertab.wRecCnt; ++n) perioder += Rec<FfpertabRec>(tvffpertab, n)->Status != 0;
  EXPECT_EQ(uger, 4u);
  EXPECT_EQ(perioder, 1u);
  const FfpertabRec *per = Rec<FfpertabRec>(tvffpertab, plan.GrundTab[b].PerTab[1].PerRec);
  EXPECT_EQ(per->Lektioner, 120u);
  EXPECT_EQ(per->ffpp_id, periode1);
}

TEST_F(PlanModelGem, UdenGemAltFjernesDubletterOgIntetAndet) {
  const uint32_t b = Raekke(PLAN_FAG, 3, 4, kEgen, true);
  const uint32_t rec = plan.GrundTab[b].GrundRec;
  FfgrundRec kopi = *Rec<FfgrundRec>(tvffgrund, rec);
  const uint32_t dublet = Ny(tdffgrund, tvffgrund, kopi);
  ASSERT_TRUE(GemPlan(0, &plan));
  EXPECT_EQ(plan.GrundTab[b].GrundRec, rec);
  GenindlaesPlanTabeller();
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, rec)->Status, 64);
  EXPECT_TRUE(dublet >= tvffgrund.wRecCnt || Rec<FfgrundRec>(tvffgrund, dublet)->Status == 0);
  EXPECT_EQ(Ini("flag", "planexport"), "");
}

TEST_F(PlanModelGem, EnMislykketGemningEfterladerMappenSomFoerOgSigerDet) {
  const uint32_t b = Raekke(PLAN_FAG, 3, 4, kEgen, true);
  plan.GrundTab[b].TalTab[3].PlanStatus = PS_UGE;
  plan.GrundTab[b].TalTab[3].Lektioner = 30;
  GemRaekkeTal(&plan, b);
  ASSERT_TRUE(GemPlan(0, &plan));
  auto Mappe = [&] {
    std::map<std::string, std::string> m;
    for (const auto &e : std::filesystem::directory_iterator(rod / "data")) {
      std::ifstream i(e.path(), std::ios::binary);
      m[e.path().filename().string()] = std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
    }
    return m;
  };
  const auto foer = Mappe();
  // Every record rewritten, and a write of the save fails as on a full disk.
  plan.GemAlt = 1;
  plan.GrundTab[b].TalTab[4].PlanStatus = PS_UGE;
  tavo::test::FileFault fejl;
  fejl.kinds = tavo::test::kFileWrite;
  fejl.nth = 2;
  fejl.error = ERROR_DISK_FULL;
  fejl.profiles = false;
  tavo::test::SetFileFault(fejl);
  tavo::test::StartDialogScript();
  std::string titel;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    titel = d.caption;
    return INT_PTR{IDOK};
  });
  EXPECT_FALSE(GemPlan(0, &plan));
  EXPECT_TRUE(tavo::test::FileFaultHappened());
  tavo::test::ClearFileFault();
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  tavo::test::StopDialogScript();
  EXPECT_EQ(titel, "Gem");
  EXPECT_EQ(Mappe(), foer);
}

// ---- The model ----

TEST_F(PlanModelMappe, KopiRaekkeOgTomModel) {
  EXPECT_EQ(plan.UgeAntal, SkemaPeriode.AntalUger);
  ASSERT_NE(plan.PlanAnfoTab, nullptr);
  EXPECT_NE(plan.PlanAnfoTab[tvanfo.wRecCnt - 1].SumTalTab, nullptr);
  EXPECT_EQ(FindAktiRaekke(&plan, gruppe, 3), 0u);  // no rows: every pass does nothing
  const uint32_t kilde = Raekke(PLAN_FAG, 3, 4);
  plan.GrundTab[kilde].TalTab[5].Lektioner = 30;
  plan.GrundTab[kilde].TalTab[5].PlanStatus = PS_UGE;
  FfgrundRec rec{};
  rec.ffpg_id = gruppe;
  rec.ObjType = PLAN_FAG;
  rec.Aktivitet = 3;
  rec.Skolefag = 4;
  rec.Medarbejder1 = 2;
  rec.Minutnorm1 = 45.0f;
  rec.Minutnorm2 = -1.0f;
  rec.Ejer = kEgen;
  const uint32_t kopi = NyPlanRaekke(&plan, &rec, kilde, true);
  EXPECT_EQ(plan.GrundTab[kopi].KopiAf, kilde);
  EXPECT_EQ(plan.GrundTab[kopi].GrundRec, 0u);  // a copy is never stored
  const TalPost &t = plan.GrundTab[kopi].TalTab[5];
  EXPECT_EQ(t.Lektioner, 30);
  EXPECT_EQ(t.PlanStatus, PS_UGE);
  EXPECT_EQ(t.Timer1, BeregnPlanTimer(3, 2, 4, UgeDagTilDato(IndeksTilUge(5), 3), 30, 45.0f));
  EXPECT_EQ(plan.GrundTab[kopi].ErSum, 0u);
  const uint32_t meda = Raekke(PLAN_MEDA, 0, 0);
  EXPECT_EQ(plan.GrundTab[meda].ErSum, 1u);
  // Rows keep their numbers while the model grows past its step.
  for (int i = 0; i < 250; ++i) Raekke(PLAN_FAG, 3, 5);
  EXPECT_EQ(plan.GrundTab[kopi].TalTab[5].Lektioner, 30);
  EXPECT_EQ(plan.GrundTabAntal, 253u);
  TomPlan(&plan);
  EXPECT_EQ(plan.GrundTabAntal, 0u);
  EXPECT_EQ(plan.GrundTabStep, kGrundTabStep);
  EXPECT_EQ(Raekke(PLAN_FAG, 3, 4), 1u);
}

// ---- Lookups ----

TEST_F(PlanModelMappe, OpslagIRaekkerOgPerioder) {
  const uint32_t a = Raekke(PLAN_AKTI, 3, 0);
  const uint32_t b = Raekke(PLAN_FAG, 3, 4);
  const uint32_t d = Raekke(PLAN_FAG, 3, 4);
  plan.GrundTab[d].Dublet = 1;
  EXPECT_EQ(FindAktiRaekke(&plan, gruppe, 3), a);
  EXPECT_EQ(FindAktiRaekke(&plan, gruppe, 5), 0u);
  EXPECT_EQ(FindFagRaekke(&plan, gruppe, 3, 4), b);
  // In display order the first match wins.
  uint32_t orden[4] = {0, d, b, a};
  plan.Ens.ObjTab = orden;
  plan.Ens.ObjTabAntal = 3;
  EXPECT_EQ(FindAktiRaekke(&plan, gruppe, 3), d);
  EXPECT_EQ(FindFagRaekke(&plan, gruppe, 3, 4), b);  // Dublet 0 only
  plan.Ens.ObjTab = nullptr;
  plan.Ens.ObjTabAntal = 0;
  // The group's periods, by first week.
  const uint32_t tidlig = Periode(202433, 202435);
  const std::vector<PeriodePost> v = PlanPerioder(gruppe);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0].ffpp, periode1);
  EXPECT_EQ(v[1].ffpp, tidlig);
  EXPECT_EQ(v[2].ffpp, periode2);
  EXPECT_EQ(v[1].AntalUger, 3u);
  Rec<FfppRec>(tvffpp, tidlig)->Status = 0x48;
  EXPECT_FALSE(PeriodeIGruppe(tidlig, gruppe));
  EXPECT_TRUE(PeriodeIGruppe(periode2, gruppe));
  EXPECT_EQ(PlanUgeIndeks(20240101), 0u);
  EXPECT_EQ(PlanUgeIndeks(20260101), SkemaPeriode.AntalUger + 1);
  EXPECT_EQ(PlanUgeIndeks(20240801), 1u);
}

}  // namespace
