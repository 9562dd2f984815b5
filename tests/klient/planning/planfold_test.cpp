// Folding the plan's headers and periods, and the cursors kept on their
// objects across a rebuild, over a small plan of two activities and a group
// of two periods; the start plan group from the settings file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FF_PlanUtil.h"
#include "PLANAKSER.h"
#include "PlanFold.h"
#include "STITAB.h"
#include "plan_fixtur.h"
#include "windows.h"

using namespace plantest;

namespace {

class PlanFold : public PlanFixtur {
 protected:
  uint32_t a1 = 0, a2 = 0, ma = 0, da = 0, fy = 0, e1 = 0;
  uint32_t h1 = 0, s1 = 0, s2 = 0, h2 = 0, s3 = 0;
  uint32_t rec1 = 0;  // h1's ffgrund record; h2 has none

  void SetUp() override {
    PlanFixtur::SetUp();
    plan.StyrZ.ObjTab = nullptr;  // the axes are built here and freed with them
    a1 = NyAkti("1a", "A");
    a2 = NyAkti("2a", "B");
    ma = NySkfa("MA", 'A', "Mat");
    da = NySkfa("DA", 'A', "Dansk");
    fy = NySkfa("FY", 'B', "Fysik");
    e1 = NyAnfo("ABC", "1", "Anne");
    IPlan(a1, e1);
    IPlan(a2);
    h1 = Raekke(PLAN_AKTI, a1, 0, 0);
    s1 = Raekke(PLAN_FAG, a1, da, e1);  // the view sorts Dansk before Mat
    s2 = Raekke(PLAN_FAG, a1, ma, e1);
    h2 = Raekke(PLAN_AKTI, a2, 0, 0);
    s3 = Raekke(PLAN_FAG, a2, ma, 0);
    FfgrundRec g{};
    g.ffpg_id = gruppe;
    g.ObjType = PLAN_AKTI;
    g.Aktivitet = a1;
    g.Udfoldet = 1;
    rec1 = Ny(tdffgrund, tvffgrund, g);
    R(h1).GrundRec = rec1;
    R(h1).Udfoldet = 1;
    BygRaekker(&plan, true);
  }
  void TearDown() override {
    FrigivPlanAkser(&plan);
    PlanFixtur::TearDown();
  }
  std::vector<uint32_t> Vist() const {
    return std::vector<uint32_t>(plan.Ens.ObjTab + 1, plan.Ens.ObjTab + 1 + plan.Ens.ObjTabAntal);
  }
  // The rows shown, in this order, without a rebuild.
  void Vis(const std::vector<uint32_t> &orden) {
    free(plan.Ens.ObjTab);
    plan.Ens.ObjTab = static_cast<uint32_t *>(calloc(orden.size() + 1, sizeof(uint32_t)));
    for (size_t i = 0; i < orden.size(); ++i) plan.Ens.ObjTab[i + 1] = orden[i];
    plan.Ens.ObjTabAntal = static_cast<uint32_t>(orden.size());
    plan.StyrY.Pos = {plan.Ens.ObjTabAntal, 1, plan.Ens.ObjTabAntal, 1};
  }
  void RaekkeCursor(uint32_t raekke) { plan.StyrY.Pos.Aktuel = plan.StyrYRev[raekke]; }
  uint32_t KolonneCursor() const { return plan.StyrX.ObjTab[plan.StyrX.Pos.Aktuel]; }
  static bool Maerket(const TabDesc &td, TabVar &tv, uint32_t n) { return tv.pfSave[n / td.RecPrBlok] != 0; }
  static void RydMaerke(const TabDesc &td, TabVar &tv, uint32_t n) { tv.pfSave[n / td.RecPrBlok] = 0; }
  std::vector<uint32_t> SynligeKolonner() const {
    return std::vector<uint32_t>(plan.StyrX.ObjTab + 1, plan.StyrX.ObjTab + 1 + plan.StyrX.Pos.Antal);
  }
};

TEST_F(PlanFold, TheToggleValueAndTheCursorObjectByKindAndView) {
  std::vector<uint32_t> typer(9, 0);
  typer[1] = PLAN_AKTI;
  typer[2] = PLAN_FAG;
  typer[3] = 31;
  typer[4] = PLAN_SKEMA;
  typer[5] = 201;
  const struct {
    uint32_t objekt;
    uint32_t udfoldet;
    bool skift;
  } skift[] = {{1, 0, true}, {1, 1, false}, {2, 0, false}, {3, 1, true}, {4, 1, true}, {5, 0, false}, {0, 0, false}};
  for (const auto &t : skift) {
    SCOPED_TRACE("object " + std::to_string(t.objekt) + " folded " + std::to_string(t.udfoldet));
    if (t.objekt >= 1 && t.objekt <= plan.GrundTabAntal) R(t.objekt).Udfoldet = t.udfoldet;
    EXPECT_EQ(UdfoldSkift(&plan, typer.data(), t.objekt), t.skift);
  }

  // The row under the cursor: its activity or its first employee.
  const uint32_t m = Raekke(PLAN_MEDA, 0, 0, e1);
  const uint32_t t14 = Raekke(PLAN_OPG_TIMER, a1, 0, e1);
  const uint32_t p15 = Raekke(PLAN_POST, a1, 0, e1);
  Vis({h1, s1, m, t14, p15});
  const struct {
    uint32_t raekke;
    uint8_t visning;
    uint32_t objekt;
  } objekter[] = {{h1, 'A', a1}, {s1, 'A', a1}, {s1, 'O', a1}, {s1, 'M', e1}, {h1, 'M', 0},
                  {m, 'A', e1},  {t14, 'O', e1}, {p15, 'M', 0}};
  for (const auto &t : objekter) {
    SCOPED_TRACE("row " + std::to_string(t.raekke) + " view " + char(t.visning));
    plan.Visning = t.visning;
    plan.StyrY.Pos.Aktuel = 0;
    for (uint32_t i = 1; i <= plan.Ens.ObjTabAntal; ++i)
      if (plan.Ens.ObjTab[i] == t.raekke) plan.StyrY.Pos.Aktuel = i;
    EXPECT_EQ(PlanCelleObjekt(&plan), t.objekt);
  }
  plan.StyrY.Pos.Aktuel = 0;
  EXPECT_EQ(PlanCelleObjekt(&plan), 0u);
}

TEST_F(PlanFold, RowFoldsMarkTheRecordAndKeepTheCursorOnTheHeader) {
  ASSERT_EQ(Vist(), (std::vector<uint32_t>{h1, s1, s2, h2}));
  const struct {
    uint32_t cursor;  // the row the cursor stands on
    bool alle;
    uint32_t udfoldet1, udfoldet2;
    uint32_t efter;  // the row the cursor stands on afterwards
    std::vector<uint32_t> vist;
  } trin[] = {
      // A detail row folds its header.
      {s2, false, 0, 0, h1, {h1, h2}},
      // Toggled back: the flag is as it was, the record marked again.
      {h1, false, 1, 0, h1, {h1, s1, s2, h2}},
      // A header without a record changes only its row.
      {h2, false, 1, 1, h2, {h1, s1, s2, h2, s3}},
      {h1, false, 0, 1, h1, {h1, h2, s3}},
      // One header unfolded: the all-command closes every header.
      {s3, true, 0, 0, h2, {h1, h2}},
      // All closed: the all-command opens them all.
      {h2, true, 1, 1, h2, {h1, s1, s2, h2, s3}},
  };
  for (size_t i = 0; i < std::size(trin); ++i) {
    const auto &t = trin[i];
    SCOPED_TRACE("step " + std::to_string(i + 1));
    RaekkeCursor(t.cursor);
    const uint32_t foer1 = R(h1).Udfoldet;
    RydMaerke(tdffgrund, tvffgrund, rec1);
    EXPECT_TRUE(FoldRaekke(&plan, t.alle));
    EXPECT_EQ(R(h1).Udfoldet, t.udfoldet1);
    EXPECT_EQ(R(h2).Udfoldet, t.udfoldet2);
    EXPECT_EQ(Rec<FfgrundRec>(tvffgrund, rec1)->Udfoldet, t.udfoldet1);
    EXPECT_EQ(Maerket(tdffgrund, tvffgrund, rec1), foer1 != t.udfoldet1 || t.alle);
    EXPECT_EQ(Vist(), t.vist);
    EXPECT_EQ(PlanAktuelRaekke(&plan), t.efter);
    EXPECT_EQ(plan.StyrY.Forrige, plan.StyrY.Pos.Aktuel);
  }
  EXPECT_EQ(R(h2).GrundRec, 0u);
  EXPECT_EQ(tvffgrund.wRecCnt, rec1 + 1);  // no record made for h2

  // Without rows there is nothing to fold.
  plan.Ens.ObjTabAntal = 0;
  EXPECT_FALSE(FoldRaekke(&plan, false));
}

TEST_F(PlanFold, ColumnFoldsActOnThePeriodOrTheGroupAndKeepTheCursorOnTheColumn) {
  const uint32_t p1 = NyPeriode(gruppe, 202440, 202441);
  const uint32_t p2 = NyPeriode(gruppe, 202445, 202446);
  VaelgGruppe(gruppe);
  BygKolonner(&plan);
  // Column objects: 1 the total, 2 period one, 3-4 its weeks, 5 period two,
  // 6-7 its weeks.
  ASSERT_EQ(std::vector<uint32_t>(plan.ObjTypeTabX + 1, plan.ObjTypeTabX + 8),
            (std::vector<uint32_t>{31, 32, 33, 33, 32, 33, 33}));
  BygSynligeKolonner(&plan);
  ASSERT_EQ(SynligeKolonner(), (std::vector<uint32_t>{1, 2, 5}));
  const struct {
    uint32_t cursor;  // column object
    bool alle, gruppe;
    uint8_t udfold1, udfold2;
    uint32_t efter;
    std::vector<uint32_t> synlige;
  } trin[] = {
      {2, false, false, 1, 0, 2, {1, 2, 3, 4, 5}},
      // A week column folds its period; the cursor goes to the period.
      {4, false, false, 0, 0, 2, {1, 2, 5}},
      // All folded: the all option opens every period.
      {5, true, false, 1, 1, 5, {1, 2, 3, 4, 5, 6, 7}},
      // Both options on a week: from the column group, every period closed.
      {6, true, true, 0, 0, 1, {1, 2, 5}},
      {5, true, true, 1, 1, 1, {1, 2, 3, 4, 5, 6, 7}},
      {3, false, false, 0, 1, 2, {1, 2, 5, 6, 7}},
  };
  for (size_t i = 0; i < std::size(trin); ++i) {
    const auto &t = trin[i];
    SCOPED_TRACE("step " + std::to_string(i + 1));
    plan.StyrX.Pos.Aktuel = plan.StyrXRev[t.cursor];
    ASSERT_NE(plan.StyrX.Pos.Aktuel, 0u);
    RydMaerke(tdffpp, tvffpp, p1);
    RydMaerke(tdffpp, tvffpp, p2);
    EXPECT_TRUE(FoldKolonne(&plan, t.alle, t.gruppe));
    EXPECT_EQ(plan.PeriodeTab[1].Udfold, t.udfold1);
    EXPECT_EQ(plan.PeriodeTab[2].Udfold, t.udfold2);
    EXPECT_EQ(Rec<FfppRec>(tvffpp, p1)->Udfold, t.udfold1);
    EXPECT_EQ(Rec<FfppRec>(tvffpp, p2)->Udfold, t.udfold2);
    EXPECT_TRUE(Maerket(tdffpp, tvffpp, p1));
    EXPECT_EQ(SynligeKolonner(), t.synlige);
    EXPECT_EQ(KolonneCursor(), t.efter);
    EXPECT_EQ(plan.StyrX.Forrige, plan.StyrX.Pos.Aktuel);
    EXPECT_EQ(plan.StyrX.Pos.Foerste, 1u);
  }
  // The periods' flags survive a reload of the periods from their records.
  BygKolonner(&plan);
  BygSynligeKolonner(&plan);
  EXPECT_EQ(SynligeKolonner(), (std::vector<uint32_t>{1, 2, 5, 6, 7}));
}

TEST_F(PlanFold, FindPlanRaekkeTakesTheSubjectRowOfAnOpenHeaderAndElseTheLastCandidate) {
  // A second header of a1 (a duplicate) with no subject rows, and one of
  // another group, which is no candidate.
  const uint32_t h1b = Raekke(PLAN_AKTI, a1, 0, 0);
  const uint32_t h1g = Raekke(PLAN_AKTI, a1, 0, 0, 0, kEgen, NyGruppe("C", kEgen, 20240801, 20250731));
  const uint32_t s4 = Raekke(PLAN_FAG, a2, fy, 0);
  R(h1b).Udfoldet = 1;
  const struct {
    std::vector<uint32_t> orden;
    uint32_t objekt, fag, type;
    uint32_t raekke;  // the row found, 0 for none
  } tilfaelde[] = {
      {{h1, s1, s2, h2, s3}, a1, 0, PLAN_AKTI, h1},
      {{h1, s1, s2, h2, s3}, a1, ma, PLAN_AKTI, s2},
      // A folded header is the result itself.
      {{h1, s1, s2, h2}, a2, ma, PLAN_AKTI, h2},
      // The subject row is looked for in the header's own block only.
      {{h1, s1, s2, h2, s4}, a1, fy, PLAN_AKTI, h1},
      // The last candidate wins when no subject row matches.
      {{h1, s1, s2, h1b, h1g}, a1, fy, PLAN_AKTI, h1b},
      {{h1, s1, s2, h1b, h1g}, a1, ma, PLAN_AKTI, h1b},
      // An employee's rows by their first employee.
      {{h1, s1, s2, h2}, e1, 0, PLAN_FAG, s2},
      {{h1, s1, s2, h2}, a2 + 100, 0, 0, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE("object " + std::to_string(t.objekt) + " subject " + std::to_string(t.fag));
    Vis(t.orden);
    plan.StyrY.Pos = {plan.Ens.ObjTabAntal, 3, 2, 3};
    const uint32_t pos = FindPlanRaekke(&plan, t.objekt, t.fag, t.type);
    EXPECT_EQ(pos, plan.StyrY.Pos.Aktuel);
    EXPECT_EQ(PlanAktuelRaekke(&plan), t.raekke ? t.raekke : plan.Ens.ObjTab[1]);
    EXPECT_EQ(plan.StyrY.Forrige, pos);
    EXPECT_EQ(plan.StyrY.Pos.Foerste, 1u);
    EXPECT_EQ(plan.StyrY.Pos.Synlige, 0u);
  }
}

TEST_F(PlanFold, TheCursorsFindTheirObjectsAgainAfterARebuild) {
  // Rows: the remembered row at its new place; gone, the cursor stays
  // where it stood, within the rows.
  R(h2).Udfoldet = 1;
  BygRaekker(&plan, true);
  RaekkeCursor(s3);
  HuskPlanCursor(&plan);
  R(h1).Udfoldet = 0;
  BygRaekker(&plan, true);
  BevarRaekkeCursor(&plan);
  EXPECT_EQ(PlanAktuelRaekke(&plan), s3);
  RaekkeCursor(s3);
  HuskPlanCursor(&plan);
  R(h2).Udfoldet = 0;
  BygRaekker(&plan, true);
  BevarRaekkeCursor(&plan);
  EXPECT_EQ(plan.StyrY.Pos.Aktuel, 2u);  // the last row
  EXPECT_EQ(SaetRaekkeCursor(&plan, s3, PLAN_FAG), 1u);
  EXPECT_EQ(SaetRaekkeCursor(&plan, h2, PLAN_FAG), 1u);
  EXPECT_EQ(SaetRaekkeCursor(&plan, h2, PLAN_AKTI), 2u);

  // Columns: a period put before the cursor's week moves its column on.
  NyPeriode(gruppe, 202445, 202446, 1);
  VaelgGruppe(gruppe);
  BygKolonner(&plan);
  BygSynligeKolonner(&plan);
  plan.StyrX.Pos.Aktuel = 4;  // week 202446
  ASSERT_EQ(plan.UgeTab[KolonneCursor()], 202446u);
  HuskPlanCursor(&plan);
  NyPeriode(gruppe, 202440, 202441, 1);
  VaelgGruppe(gruppe);
  BygKolonner(&plan);
  BygSynligeKolonner(&plan);
  BevarKolonneCursor(&plan);
  EXPECT_EQ(plan.StyrX.Pos.Aktuel, 7u);
  EXPECT_EQ(plan.ObjTypeTabX[KolonneCursor()], 33u);
  EXPECT_EQ(plan.UgeTab[KolonneCursor()], 202446u);
  EXPECT_EQ(plan.StyrX.Forrige, 7u);
  // Its period folded, the week is gone: the first column.
  HuskPlanCursor(&plan);
  plan.PeriodeTab[2].Udfold = 0;
  BygSynligeKolonner(&plan);
  BevarKolonneCursor(&plan);
  EXPECT_EQ(plan.StyrX.Pos.Aktuel, 1u);
  // Nothing remembered: the column at the cursor stays.
  plan.StyrX.Pos.Aktuel = 3;
  BevarKolonneCursor(&plan);
  EXPECT_EQ(plan.StyrX.Pos.Aktuel, 3u);
}

TEST_F(PlanFold, TheStartGroupComesFromTheSettingsFileOrIsTheFirst) {
  const uint32_t g2 = NyGruppe("B", kEgen, 20240901, 20250630);
  const uint32_t g3 = NyGruppe("C", kEgen, 20241001, 20250630);
  BygGruppeListe(&plan);
  ASSERT_EQ(plan.StyrZ.Pos.Antal, 3u);
  const struct {
    const char *vaerdi;  // null: no setting
    uint32_t pos, gruppe;
  } tilfaelde[] = {
      {nullptr, 1, gruppe},
      {"0", 1, gruppe},
      {"999", 1, gruppe},
      {"x", 1, gruppe},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.vaerdi ? t.vaerdi : "(none)");
    WritePrivateProfileStringA("ffplan", "ffplangruppe", t.vaerdi, StiTab.szini);
    tvffpg.AktuelRec = 0;
    VaelgStartPlanGruppe(&plan);
    EXPECT_EQ(plan.StyrZ.Pos.Aktuel, t.pos);
    EXPECT_EQ(tvffpg.AktuelRec, t.gruppe);
    EXPECT_EQ(plan.AktPlanGruppe, t.gruppe);
  }
  for (uint32_t g : {g2, g3}) {
    SCOPED_TRACE(g);
    WritePrivateProfileStringA("ffplan", "ffplangruppe", std::to_string(g).c_str(), StiTab.szini);
    VaelgStartPlanGruppe(&plan);
    ASSERT_NE(plan.StyrZ.Pos.Aktuel, 0u);
    EXPECT_EQ(plan.StyrZ.ObjTab[plan.StyrZ.Pos.Aktuel], g);
    EXPECT_EQ(plan.StyrZ.Forrige, plan.StyrZ.Pos.Aktuel);
    EXPECT_EQ(plan.StyrZ.Pos.Foerste, 1u);
    EXPECT_EQ(plan.StyrZ.Pos.Synlige, 1u);
    EXPECT_EQ(tvffpg.AktuelRec, g);
    EXPECT_EQ(plan.Fradato, Rec<FfpgRec>(tvffpg, g)->Fradato);
  }
  // No group at all: no cursor and no current group.
  plan.StyrZ.Pos.Antal = 0;
  VaelgStartPlanGruppe(&plan);
  EXPECT_EQ(plan.StyrZ.Pos.Aktuel, 0u);
  EXPECT_EQ(tvffpg.AktuelRec, 0u);
}

}  // namespace
