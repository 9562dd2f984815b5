// The plan group assignment: which groups are columns and which activities
// and employments are rows, the toggle with its "OBS!" question and the plan
// rows it takes away, the plan window's say when it is open, the removal of
// whole groups, and the window driven by keys and the mouse.
#include "tildel_fixtur.h"

#include "ENSMUS.h"
#include "HENTGEM.h"
#include "MENUKOMMANDO.h"
#include "OBJVINDUE.h"
#include "SKOLEDATA.h"

namespace {

using namespace tildeltest;

// ==================================================================== columns and rows

class TildelPlanGruppeAkser : public TildelTest {};

TEST_F(TildelPlanGruppeAkser, ColumnsAreOwnLiveGroupsAndRowsOverlapTheCurrentColumn) {
  struct Tilfaelde {
    const char *navn;
    bool grupper;
  };
  for (const Tilfaelde t : {Tilfaelde{"no plan groups", false}, Tilfaelde{"groups", true}}) {
    SCOPED_TRACE(t.navn);
    predtest::TommeTabeller();
    uint32_t efteraar = 0, foraar = 0;
    if (t.grupper) {
      efteraar = Gruppe("Efterår", 20240801, 20241231, 0x40);
      foraar = Gruppe("Forår", 20250102, 20250630, 0x60);
      Gruppe("Sendt", 20240801, 20250630, 0x50);
      Gruppe("Slettet", 20240801, 20250630, 0x48);
      Gruppe("Fremmed", 20240801, 20250630, 0x40, 3);
      Gruppe("Tom status", 20240801, 20250630, 0x00);
    }
    const uint32_t hE = Hold("E", 20240801, 20241231), hF = Hold("F", 20250102, 20250630),
                   hAar = Hold("Aar", 20240801, 20250731);
    Hold("Ivak", 20240801, 20250731, "IVAK");
    Hold("Hold ", 20240801, 20250731, "HOLD ");
    Hold("Aflyst", 20240801, 20250731, "HOLD", 'J');
    Hold("Easy", 20240801, 20250731, "HOLD", 'N', 1);
    Hold("Negativ", 20240801, 20250731, "HOLD", 'N', 0, 0x80000000u);
    Hold("Status", 20240801, 20250731, "HOLD", 'N', 0, 1, 131);
    const uint32_t mE = Ansat("ME", 20240801, 20241231), mAar = Ansat("MA", 20240801, 20250731);
    Ansat("MN", 20240801, 20250731, 0xFFFFFFFFu);

    const std::vector<uint32_t> kol = TildelKolonner();
    uint32_t fra = 0, til = 0;
    if (!t.grupper) {
      EXPECT_EQ(kol, std::vector<uint32_t>{0});
      TildelSpaend(kol, 0, &fra, &til);
      EXPECT_EQ(fra, 0u);
      EXPECT_EQ(til, 0u);
      EXPECT_TRUE(Uden0(TildelRaekker('K', fra, til)).empty());
      EXPECT_TRUE(Uden0(TildelRaekker('M', fra, til)).empty());
      continue;
    }
    ASSERT_EQ(kol, (std::vector<uint32_t>{0, efteraar, foraar}));
    struct Forventet {
      uint32_t aktuel;
      std::vector<uint32_t> akti, anfo;
    };
    const Forventet forventet[] = {
        {1, {hE, hAar}, {mE, mAar}},
        {2, {hF, hAar}, {mAar}},
        {0, {hE, hF, hAar}, {mE, mAar}},  // no current column: the span of all
    };
    for (const Forventet &f : forventet) {
      SCOPED_TRACE(f.aktuel);
      TildelSpaend(kol, f.aktuel, &fra, &til);
      EXPECT_EQ(Uden0(TildelRaekker('K', fra, til)), f.akti);
      EXPECT_EQ(Uden0(TildelRaekker('M', fra, til)), f.anfo);
    }
  }
}

// ==================================================================== the toggle, plan window closed

class TildelPlanGruppeSkift : public TildelTest {};

TEST_F(TildelPlanGruppeSkift, RemovingAnActivityWithLessonsAsksAndNoKeepsEverything) {
  const uint32_t g = Gruppe("Fag", 20240801, 20250731);
  const uint32_t a = Hold("H1", 20240801, 20250731);
  ASSERT_NE(AddPgRel(g, a, 'K'), 0u);
  const uint32_t r = Raekke(g, 1, a, 0, 0, 40);

  auto vist = MedSvar({IDNO}, [&] { EXPECT_FALSE(SkiftTildeling(desktop, g, a, 'K', true)); });
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].caption, "OBS!");
  EXPECT_EQ(vist[0].text, kObsAkti);
  EXPECT_EQ(vist[0].type & (MB_TYPEMASK | MB_DEFMASK | MB_ICONMASK),
            static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2 | MB_ICONINFORMATION));
  EXPECT_NE(FindPgRel(g, a, 'K'), 0u);
  EXPECT_TRUE(RaekkeLever(r));
  EXPECT_EQ(LektionerAf(r), 40u);

  vist = MedSvar({IDYES}, [&] { EXPECT_TRUE(SkiftTildeling(desktop, g, a, 'K', true)); });
  EXPECT_EQ(vist.size(), 1u);
  EXPECT_EQ(FindPgRel(g, a, 'K'), 0u);
  EXPECT_FALSE(RaekkeLever(r));
  EXPECT_EQ(LektionerAf(r), 0u);
}

TEST_F(TildelPlanGruppeSkift, WithoutNumbersNothingIsAskedAndAddingBringsTheMembershipBack) {
  const uint32_t g = Gruppe("Fag", 20240801, 20250731);
  const uint32_t a = Hold("H1", 20240801, 20250731), m = Ansat("AB", 20240801, 20250731);
  Raekke(g, 1, a, 0, 0, 0);  // a row, but nothing registered on it
  auto vist = MedSvar({}, [&] {
    EXPECT_TRUE(SkiftTildeling(desktop, g, a, 'K', false));
    EXPECT_TRUE(SkiftTildeling(desktop, g, m, 'M', false));
  });
  EXPECT_TRUE(vist.empty());
  EXPECT_NE(FindPgRel(g, a, 'K'), 0u);
  // Both share one carrier, as adding fills the free slot first.
  EXPECT_EQ(FindPgRel(g, a, 'K'), FindPgRel(g, m, 'M'));
  vist = MedSvar({}, [&] { EXPECT_TRUE(SkiftTildeling(desktop, g, a, 'K', true)); });
  EXPECT_TRUE(vist.empty());
  EXPECT_EQ(FindPgRel(g, a, 'K'), 0u);
  EXPECT_NE(FindPgRel(g, m, 'M'), 0u);
  EXPECT_TRUE(gPlanHoert.empty());
}

TEST_F(TildelPlanGruppeSkift, RemovingAnEmploymentLeavesTheOtherEmployeeFirstOnTheSubjectRows) {
  const uint32_t g = Gruppe("Fag", 20240801, 20250731), anden = Gruppe("Andet", 20240801, 20250731);
  const uint32_t a = Hold("H1", 20240801, 20250731);
  const uint32_t anne = Ansat("AN", 20240801, 20250731), bo = Ansat("BO", 20240801, 20250731);
  for (uint32_t m : {anne, bo}) AddPgRel(g, m, 'M');
  AddPgRel(anden, anne, 'M');
  const uint32_t fag1 = Raekke(g, 2, a, anne, bo, 20);   // Anne first, Bo second
  const uint32_t fag2 = Raekke(g, 2, a, bo, anne, 10);   // Bo first, Anne second
  const uint32_t anneRk = Raekke(g, 9, 0, anne, 0, 5);   // Anne's employee row
  const uint32_t boRk = Raekke(g, 9, 0, bo, 0, 7);       // Bo's employee row
  const uint32_t andenRk = Raekke(anden, 9, 0, anne, 0, 3);  // another group's

  auto vist = MedSvar({IDYES}, [&] { EXPECT_TRUE(SkiftTildeling(desktop, g, anne, 'M', true)); });
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].text, kObsAnfo);
  const FfgrundRec *r1 = TabRec<FfgrundRec>(tvffgrund, fag1), *r2 = TabRec<FfgrundRec>(tvffgrund, fag2);
  EXPECT_EQ(r1->Medarbejder1, bo);
  EXPECT_EQ(r1->Medarbejder2, 0u);
  EXPECT_EQ(r2->Medarbejder1, bo);
  EXPECT_EQ(r2->Medarbejder2, 0u);
  EXPECT_TRUE(tvffgrund.pfSave[fag1 / tdffgrund.RecPrBlok]);
  EXPECT_FALSE(RaekkeLever(anneRk));
  EXPECT_TRUE(RaekkeLever(boRk));
  EXPECT_EQ(LektionerAf(boRk), 7u);
  EXPECT_EQ(LektionerAf(fag1), 20u);
  EXPECT_TRUE(RaekkeLever(andenRk));
  EXPECT_EQ(FindPgRel(g, anne, 'M'), 0u);
  EXPECT_NE(FindPgRel(g, bo, 'M'), 0u);
  EXPECT_NE(FindPgRel(anden, anne, 'M'), 0u);
}

// ==================================================================== the toggle, plan window open

class TildelPlanGruppePlanVindue : public TildelTest {};

TEST_F(TildelPlanGruppePlanVindue, ThePlanWindowIsAskedInsteadAndToldOfEveryChange) {
  const uint32_t g = Gruppe("Fag", 20240801, 20250731);
  const uint32_t a = Hold("H1", 20240801, 20250731), m = Ansat("AB", 20240801, 20250731);
  AddPgRel(g, a, 'K');
  const uint32_t r = Raekke(g, 1, a, 0, 0, 40);
  AabnPlan();

  // A 0 answer refuses: no question, nothing changes.
  gPlanSvar = {0};
  auto vist = MedSvar({}, [&] { EXPECT_FALSE(SkiftTildeling(desktop, g, a, 'K', true)); });
  EXPECT_TRUE(vist.empty());
  EXPECT_EQ(gPlanHoert, (std::vector<PlanHoert>{{VALG_AFMARKERET, 'Q', static_cast<LPARAM>(a)}}));
  EXPECT_NE(FindPgRel(g, a, 'K'), 0u);
  EXPECT_TRUE(RaekkeLever(r));

  // Agreed: told before and after; the plan rows are the plan window's.
  gPlanHoert.clear();
  EXPECT_TRUE(SkiftTildeling(desktop, g, a, 'K', true));
  EXPECT_EQ(gPlanHoert, (std::vector<PlanHoert>{{VALG_AFMARKERET, 'Q', static_cast<LPARAM>(a)},
                                                {VALG_AFMARKERET, 'Q', static_cast<LPARAM>(a)}}));
  EXPECT_EQ(FindPgRel(g, a, 'K'), 0u);
  EXPECT_TRUE(RaekkeLever(r));

  gPlanHoert.clear();
  EXPECT_TRUE(SkiftTildeling(desktop, g, a, 'K', false));
  EXPECT_TRUE(SkiftTildeling(desktop, g, m, 'M', false));
  EXPECT_EQ(gPlanHoert, (std::vector<PlanHoert>{{VALG_MARKERET, 'Q', static_cast<LPARAM>(a)},
                                                {VALG_MARKERET, 'S', static_cast<LPARAM>(m)}}));
}

// ==================================================================== whole groups

class TildelPlanGruppeMasse : public TildelTest {};

TEST_F(TildelPlanGruppeMasse, OneQuestionForAGroupAndNoChangesNothing) {
  const uint32_t g = Gruppe("Fag", 20240801, 20250731), g2 = Gruppe("Fag2", 20240801, 20250731);
  const uint32_t a1 = Hold("H1", 20240801, 20250731), a2 = Hold("H2", 20240801, 20250731);
  const uint32_t m = Ansat("AB", 20240801, 20250731);
  for (uint32_t a : {a1, a2}) AddPgRel(g, a, 'K'), AddPgRel(g2, a, 'K');
  AddPgRel(g, m, 'M');
  AddPgRel(g2, m, 'M');
  const uint32_t r1 = Raekke(g, 1, a1, 0, 0, 40), r2 = Raekke(g, 1, a2, 0, 0, 20), rm = Raekke(g, 9, 0, m, 0, 5);

  // Shift+Delete's removal: three members with numbers, one question.
  auto vist = MedSvar({IDNO}, [&] { EXPECT_FALSE(FjernTildelinger(desktop, {g})); });
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].text, kObsAkti);
  for (uint32_t a : {a1, a2}) EXPECT_NE(FindPgRel(g, a, 'K'), 0u);
  EXPECT_NE(FindPgRel(g, m, 'M'), 0u);
  EXPECT_TRUE(RaekkeLever(r1) && RaekkeLever(r2) && RaekkeLever(rm));

  vist = MedSvar({IDYES}, [&] { EXPECT_TRUE(FjernTildelinger(desktop, {g})); });
  EXPECT_EQ(vist.size(), 1u);
  for (uint32_t a : {a1, a2}) EXPECT_EQ(FindPgRel(g, a, 'K'), 0u);
  EXPECT_EQ(FindPgRel(g, m, 'M'), 0u);
  EXPECT_FALSE(RaekkeLever(r1) || RaekkeLever(r2) || RaekkeLever(rm));
  // The other group is untouched.
  for (uint32_t a : {a1, a2}) EXPECT_NE(FindPgRel(g2, a, 'K'), 0u);

  // Ctrl+Delete's removal: every group, no numbers left, no question.
  AddPgRel(g, a1, 'K');
  vist = MedSvar({}, [&] { EXPECT_TRUE(FjernTildelinger(desktop, {g, g2})); });
  EXPECT_TRUE(vist.empty());
  for (uint32_t gr : {g, g2}) {
    for (uint32_t a : {a1, a2}) EXPECT_EQ(FindPgRel(gr, a, 'K'), 0u);
    EXPECT_EQ(FindPgRel(gr, m, 'M'), 0u);
  }
}

TEST_F(TildelPlanGruppeMasse, WithThePlanWindowOpenEachMembershipIsAskedFor) {
  const uint32_t g = Gruppe("Fag", 20240801, 20250731);
  const uint32_t a1 = Hold("H1", 20240801, 20250731), a2 = Hold("H2", 20240801, 20250731);
  const uint32_t m = Ansat("AB", 20240801, 20250731);
  for (uint32_t a : {a1, a2}) AddPgRel(g, a, 'K');
  AddPgRel(g, m, 'M');
  Raekke(g, 1, a1, 0, 0, 40);
  AabnPlan();
  gPlanSvar = {1, 1, 0, 1, 1};  // a1 before and after, a2 refused, m before and after
  auto vist = MedSvar({}, [&] { EXPECT_TRUE(FjernTildelinger(desktop, {g})); });
  EXPECT_TRUE(vist.empty());
  EXPECT_EQ(FindPgRel(g, a1, 'K'), 0u);
  EXPECT_NE(FindPgRel(g, a2, 'K'), 0u);
  EXPECT_EQ(FindPgRel(g, m, 'M'), 0u);
  EXPECT_EQ(gPlanHoert.size(), 5u);
}

// ==================================================================== the window

class TildelPlanGruppeVindue : public TildelVindueTest {};

TEST_F(TildelPlanGruppeVindue, KeysAndClicksDriveTheMatrix) {
  Skole();
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  RelWS *ws = Ws(h);
  EXPECT_EQ(GetWindowLongA(h, GWL_ID), 40269);
  EXPECT_STREQ(ws->Matrix.Titel, "Tildel til plangrupper");
  EXPECT_EQ(Liste(ws->Kol), (std::vector<uint32_t>{g1, g2}));
  EXPECT_EQ(ws->RaekkeBogstav, 'K');
  const std::vector<uint32_t> hold = Liste(ws->Raekke);
  EXPECT_EQ(std::set<uint32_t>(hold.begin(), hold.end()), (std::set<uint32_t>{a1, a2}));

  // Right: the spring group has no H2.
  Tast(VK_RIGHT);
  EXPECT_EQ(ws->PosX.Aktuel, 2u);
  EXPECT_EQ(Liste(ws->Raekke), std::vector<uint32_t>{a1});
  Tast(VK_LEFT);

  // A single click only moves the cursor; a double click on the same cell
  // toggles it.
  const uint32_t r2 = static_cast<uint32_t>(std::find(hold.begin(), hold.end(), a2) - hold.begin()) + 1;
  KlikCelle(h, 1, r2);
  EXPECT_EQ(ws->PosY.Aktuel, r2);
  EXPECT_EQ(FindPgRel(g1, a2, 'K'), 0u);
  const POINT p = CellePunkt(h, 1, r2);
  tavo::test::DoubleClick(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_NE(FindPgRel(g1, a2, 'K'), 0u);

  // Page Down: the employments; Space makes the cursor's one a member.
  Tast(VK_NEXT);
  EXPECT_EQ(ws->RaekkeBogstav, 'M');
  EXPECT_EQ(Liste(ws->Raekke), std::vector<uint32_t>{m1});
  Tast(VK_SPACE);
  EXPECT_NE(FindPgRel(g1, m1, 'M'), 0u);
  Tast(VK_PRIOR);
  EXPECT_EQ(ws->RaekkeBogstav, 'K');

  // Minimised, Space restores the window and toggles nothing.
  const uint32_t rec = ws->Raekke.ObjTab[ws->PosY.Aktuel];
  const bool medlem = FindPgRel(g1, rec, 'K') != 0;
  EnsMinimize(h, &ws->Matrix);
  ASSERT_EQ(ws->Matrix.Tilstand, 2u);
  Tast(VK_SPACE);
  EXPECT_EQ(ws->Matrix.Tilstand, 0u);
  EXPECT_EQ(FindPgRel(g1, rec, 'K') != 0, medlem);

  // Closing after a change tells the other windows to rebuild their plan.
  AabnPlan();
  DestroyWindow(h);
  tavo::test::PumpUntilIdle();
  EXPECT_NE(std::find(gPlanHoert.begin(), gPlanHoert.end(), PlanHoert{PLAN_GENOPBYG_GRUPPE, 0, 0}),
            gPlanHoert.end());
}

TEST_F(TildelPlanGruppeVindue, AGroupButtonPutsItsMembersOnTopAndADigitChoosesALayout) {
  Skole();
  const uint32_t a0 = Hold("A0", 20240801, 20250731);  // first by name
  AddPgRel(g2, a1, 'K');
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  RelWS *ws = Ws(h);
  ASSERT_EQ(Liste(ws->Raekke).front(), a0);
  Tast(VK_DOWN);
  const uint32_t paa = ws->Raekke.ObjTab[ws->PosY.Aktuel];

  const Ens &e = ws->Matrix;
  const POINT p = tavo::test::ScreenPoint(e.hwndKolHoved, 16 + 7 - static_cast<int>(e.ScrollX), 7);
  tavo::test::Click(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(ws->PosX.Aktuel, 2u);
  EXPECT_EQ(Liste(ws->Raekke), (std::vector<uint32_t>{a1, a0}));  // the spring group has no H2
  EXPECT_EQ(ws->Raekke.ObjTab[ws->PosY.Aktuel], paa);
  // A rebuild puts the cursors on the first column and row, and the spring
  // group's members stay on top of the autumn's rows.
  SendMessageA(h, DATA_AENDRET, 0, 0);
  EXPECT_EQ(ws->PosX.Aktuel, 1u);
  EXPECT_EQ(ws->PosY.Aktuel, 1u);
  EXPECT_EQ(Liste(ws->Raekke), (std::vector<uint32_t>{a1, a0, a2}));

  RECT foer;
  GetWindowRect(h, &foer);
  Tast('2');
  EXPECT_EQ(ws->RaekkeSwitch, 1u);
  RECT efter;
  GetWindowRect(h, &efter);
  EXPECT_EQ(efter.right - efter.left, SendMessageA(h, ENS_BREDDE, 100000, 0));
  EXPECT_NE(efter.right - efter.left, foer.right - foer.left);
  EXPECT_EQ(e.KolHovedHoejde, 16u);
}

TEST_F(TildelPlanGruppeVindue, ShiftDeleteEmptiesTheCurrentGroupAndClosingUnchangedSaysNothing) {
  Skole();
  AddPgRel(g1, a1, 'K');
  AddPgRel(g2, a1, 'K');
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  Tast(VK_DELETE, tavo::test::ModShift);
  EXPECT_EQ(FindPgRel(g1, a1, 'K'), 0u);
  EXPECT_NE(FindPgRel(g2, a1, 'K'), 0u);
  Tast(VK_DELETE, tavo::test::ModCtrl);
  EXPECT_EQ(FindPgRel(g2, a1, 'K'), 0u);
  DestroyWindow(h);

  h = Aabn();
  AabnPlan();
  DestroyWindow(h);
  tavo::test::PumpUntilIdle();
  EXPECT_TRUE(gPlanHoert.empty());
}

}  // namespace

// ==================================================================== end to end

class TildelPlanGruppeEndeTilEnde : public TildelTest {};

TEST_F(TildelPlanGruppeEndeTilEnde, TwoCellsToggledInTheToolWindowAreSavedAsLiveOwnRecords) {
  fs::path skole;
  struct Fjern {
    fs::path &p;
    ~Fjern() {
      std::error_code ec;
      if (!p.empty()) fs::remove_all(p, ec);
    }
  } fjern{skole};
  ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("tildelgruppe", &skole));
  LaesSwitchIni();
  const uint8_t egen = PlanEgenInst();
  // A plan group of this installation over the school's teams.
  uint32_t fra = UINT32_MAX, til = 0;
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n)
    if (ErTildelRaekke('K', n, 0, UINT32_MAX)) {
      fra = std::min<uint32_t>(fra, TabRec<AktiRec>(tvakti, n)->Fradato);
      til = std::max<uint32_t>(til, TabRec<AktiRec>(tvakti, n)->Tildato);
    }
  ASSERT_LE(fra, til);
  const uint32_t g = Gruppe("Fagfordeling", fra, til, 0x40, egen);
  TabRec<FfpgRec>(tvffpg, g)->id = 987654;

  // The plan window's and the plan groups window's 'T' opens it so.
  HWND h = SkiftVaerktoejsVindue(40269, 0);
  ASSERT_NE(h, 0u);
  ASSERT_EQ(FindVindueType(40269), h);
  ShowWindow(h, SW_SHOWNORMAL);
  tavo::test::PumpUntilIdle();
  RelWS *ws = Ws(h);
  const std::vector<uint32_t> kol = Liste(ws->Kol);
  const auto c = static_cast<uint32_t>(std::find(kol.begin(), kol.end(), g) - kol.begin()) + 1;
  ASSERT_LE(c, kol.size());
  ASSERT_GE(ws->Raekke.ObjTabAntal, 2u);
  std::set<uint32_t> valgt;
  for (uint32_t r : {1u, 2u}) {
    KlikCelle(h, c, r);
    valgt.insert(ws->Raekke.ObjTab[r]);
    Tast(VK_SPACE);
  }
  std::vector<uint32_t> id;
  for (uint32_t a : valgt) {
    ASSERT_NE(FindPgRel(g, a, 'K'), 0u);
    id.push_back(TabRec<AktiRec>(tvakti, a)->id);
  }
  const uint32_t gId = TabRec<FfpgRec>(tvffpg, g)->id;
  Tast(VK_ESCAPE);
  ASSERT_FALSE(IsWindow(h));

  MainMenuCommand(hoved, 40170, 0);
  storetest::TomAlleTabeller();
  ASSERT_TRUE(SaetSkoleMappe(DataMappeNavn(skole).c_str()));
  ASSERT_EQ(HentAlleData(0), 0);

  // Found again by the keys, as the load may renumber the records.
  uint32_t gEfter = 0;
  for (uint32_t n = 1; n < tvffpg.wRecCnt; ++n)
    if (TabRec<FfpgRec>(tvffpg, n)->id == gId && TabRec<FfpgRec>(tvffpg, n)->Status) gEfter = n;
  ASSERT_NE(gEfter, 0u);
  for (uint32_t aId : id) {
    uint32_t a = 0;
    for (uint32_t n = 1; n < tvakti.wRecCnt; ++n)
      if (TabRec<AktiRec>(tvakti, n)->id == aId) a = n;
    ASSERT_NE(a, 0u) << aId;
    const uint32_t rel = FindPgRel(gEfter, a, 'K');
    ASSERT_NE(rel, 0u) << aId;
    const FfpgrelRec *r = TabRec<FfpgrelRec>(tvffpgrel, rel);
    EXPECT_EQ(r->Ejer, egen);
    EXPECT_TRUE(PlanRecLever(r->Status));
  }
}
