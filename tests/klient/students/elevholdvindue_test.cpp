// The activity window beside the planning window: placing and removing by
// Space as a user presses it, stepping students and activities, following
// the planning window, its shortcut list, and the placements on disk.

#include <filesystem>
#include <string>
#include <vector>

#include "ELEVHOLDVIN.h"
#include "ELEVLISTEVIN.h"
#include "elevvindue_fixture.h"

namespace {

using namespace eleventest;

constexpr char kUdenOenske[] =
    "Eleven optaget: Anvend <CTRL + SPACE> for at placere en elev der ikke har ønsket læringsaktiviteten.!";
constexpr char kFyldt[] =
    "Eleven optaget: Anvend <CTRL + SHIFT + SPACE> for at placere en elev på en aktivitet der har nået det "
    "maksimale antal elever.!";

class ElevHoldVindueTest : public ElevVindueTest {
 protected:
  HWND plan = 0, hold = 0;
  ElevHoldWS *w = nullptr;

  void SetUp() override {
    ElevVindueTest::SetUp();
    ASSERT_TRUE(RegistrerElevHoldKlasse(0));
    // The rows by name.
    ObjSwitchSaetSortFelt(ELEVHOLD_ART, 'K', 1);
  }
  void TearDown() override {
    ElevVindueTest::TearDown();
    AfregistrerElevHoldKlasse(0);
  }

  ElevPlanWS *Pw() const { return ElevPlanVinduesWS(plan); }

  // The planning window, then the activity window on the planning
  // window's first activity row.
  void AabnBegge() {
    Gruppe();
    plan = Aabn(kElevPlanType);
    ASSERT_NE(plan, 0u);
    tvla.AktuelRec = Pw()->LaVisTab[1];
    hold = Aabn(kElevHoldType);
    ASSERT_NE(hold, 0u);
    w = ElevHoldVinduesWS(hold);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(gElevAktiv, hold);
  }

  uint32_t VistLa() const { return Pw()->LaVisTab[w->LaPos.Aktuel]; }
  uint32_t ElevIRaekke(uint32_t r) const { return w->Liste.Raekker[r]; }
  uint8_t Placering(uint32_t l, uint32_t e) const {
    return Pw()->Placeringer(LaPosition(Pw(), l), ElevPosition(Pw(), e));
  }
  std::vector<uint32_t> Raekker() const {
    return std::vector<uint32_t>(w->Liste.Raekker + 1, w->Liste.Raekker + 1 + w->Liste.RaekkeAntal);
  }
  // The status column (code 11, the seventh of the layout) of row r as
  // the rows pane paints it.
  std::string Status(uint32_t r) const {
    const auto v = Tekster(hold, ENS_CELLER_TEGN);
    const size_t i = (r - 1) * 8 + 6;
    return i < v.size() ? v[i] : "";
  }
  void Til(uint32_t r) {
    while (w->Liste.RaekkePos.Aktuel > r) Tast(VK_UP);
    while (w->Liste.RaekkePos.Aktuel < r) Tast(VK_DOWN);
    ASSERT_EQ(w->Liste.RaekkePos.Aktuel, r);
  }
};

// ==================================================================== Space

class ElevHoldVindueMellemrum : public ElevHoldVindueTest {};

TEST_F(ElevHoldVindueMellemrum, PlacesAWishedStudentRemovesHimAndCtrlPlacesOneWithoutAWish) {
  AabnBegge();
  // Matematik is Dansk's successor by name: show it.
  if (VistLa() != la[0]) Tast(VK_NEXT);
  ObjSwitchSaetSortFelt(ELEVHOLD_ART, 'K', 1);
  ByggElevHoldRaekker(w);
  ASSERT_EQ(VistLa(), la[0]);
  ASSERT_EQ(Raekker(), (std::vector<uint32_t>{elev[0], elev[1], elev[2], elev[3]}));
  Til(1);

  Tast(VK_SPACE);
  EXPECT_EQ(Placering(la[0], elev[0]), PLACERET);
  EXPECT_EQ(AntalPaaLa(Pw(), LaPosition(Pw(), la[0])), 1u);
  EXPECT_EQ(Status(1), std::string(5, ' ') + G(34)) << "placed on a priority-1 wish";
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, 2u) << "the cursor moves down";

  Tast(VK_UP);
  Tast(VK_SPACE);
  EXPECT_EQ(Placering(la[0], elev[0]), 0);
  EXPECT_EQ(AntalPaaLa(Pw(), LaPosition(Pw(), la[0])), 0u);
  EXPECT_EQ(Status(1), std::string(5, ' ') + "1") << "wished, not placed";

  Til(3);  // Carl has no wish
  Tast(VK_SPACE);
  EXPECT_EQ(Bokse(), (std::vector<std::string>{kUdenOenske}));
  EXPECT_EQ(Placering(la[0], elev[2]), 0);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, 3u) << "a refusal leaves the row";
  Tast(VK_SPACE, tavo::test::ModCtrl);
  EXPECT_EQ(Placering(la[0], elev[2]), PLACERET);
  EXPECT_EQ(PlaceringsArt(Pw(), LaPosition(Pw(), la[0]), ElevPosition(Pw(), elev[2])), 3u);
  EXPECT_EQ(Status(3), std::string(5, ' ') + G(36));
  EXPECT_TRUE(Bokse().empty());
}

TEST_F(ElevHoldVindueMellemrum, AFullActivityWantsCtrlShiftAndALockedGroupRefusesEverything) {
  AabnBegge();
  if (VistLa() != la[0]) Tast(VK_NEXT);
  ObjSwitchSaetSortFelt(ELEVHOLD_ART, 'K', 1);
  ByggElevHoldRaekker(w);
  LaRecNr(la[0])->min_elevantal = 0;
  LaRecNr(la[0])->max_elevantal = 1;
  Til(1);
  Tast(VK_SPACE);
  ASSERT_EQ(Placering(la[0], elev[0]), PLACERET);
  ASSERT_EQ(w->Liste.RaekkePos.Aktuel, 2u);

  Tast(VK_SPACE);
  EXPECT_EQ(Bokse(), (std::vector<std::string>{kFyldt}));
  EXPECT_EQ(Placering(la[0], elev[1]), 0);
  Tast(VK_SPACE, tavo::test::ModCtrl | tavo::test::ModShift);
  EXPECT_EQ(Placering(la[0], elev[1]), PLACERET);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, 3u);

  TgRecNr(tg)->Laast = 1;
  TgRecNr(tg)->EasyLaast = 1;
  const std::string foer = eleventest::Raekke(Pw()->Placeringer, LaPosition(Pw(), la[0]));
  for (int mods : {0, int(tavo::test::ModCtrl), tavo::test::ModCtrl | tavo::test::ModShift}) {
    Tast(VK_SPACE, mods);
    EXPECT_EQ(Bokse(), (std::vector<std::string>{
                           "Kommando ikke udført: Tilmeldingsgruppen er låst for redigering.\nElevtilmeldinger er "
                           "overført til EASY!"}))
        << mods;
  }
  EXPECT_EQ(eleventest::Raekke(Pw()->Placeringer, LaPosition(Pw(), la[0])), foer);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, 3u);
}

// ==================================================================== cursor

class ElevHoldVindueMarkoer : public ElevHoldVindueTest {};

TEST_F(ElevHoldVindueMarkoer, SpaceOnTheLastStudentKeepsTheCursorOnHim) {
  AabnBegge();
  if (VistLa() != la[0]) Tast(VK_NEXT);
  Til(w->Liste.RaekkeAntal);
  const uint32_t sidste = ElevIRaekke(w->Liste.RaekkeAntal);
  Tast(VK_SPACE, tavo::test::ModCtrl);
  EXPECT_EQ(Placering(la[0], sidste), PLACERET);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, w->Liste.RaekkeAntal);
  Tast(VK_SPACE);
  EXPECT_EQ(Placering(la[0], sidste), 0);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, w->Liste.RaekkeAntal);
}

TEST_F(ElevHoldVindueMarkoer, PageUpOnTheFirstActivityChangesNothingPageDownStepsAndSortsOnStatus) {
  AabnBegge();
  ASSERT_EQ(w->LaPos.Aktuel, 1u);
  Til(2);
  Spion();
  const std::vector<uint32_t> foer = Raekker();
  Tast(VK_PRIOR);
  EXPECT_EQ(w->LaPos.Aktuel, 1u);
  EXPECT_EQ(ElevListeSortFelt(&w->Liste), 1u) << "no re-sort";
  EXPECT_EQ(Raekker(), foer);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, 2u) << "no rebuild";
  EXPECT_TRUE(gUdsendt.empty());

  Tast(VK_NEXT);
  EXPECT_EQ(w->LaPos.Aktuel, 2u);
  EXPECT_EQ(ElevListeSortFelt(&w->Liste), 11u);
  EXPECT_TRUE(w->Liste.StatusSort);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, 1u);
  EXPECT_EQ(gUdsendt, (std::vector<WPARAM>{4}));
  EXPECT_EQ(tvla.AktuelRec, Pw()->LaVisTab[2]);
  if (Pw()->LaVisTab[2] == la[0]) {
    // On Matematik the wished students come before Carl, who has none.
    EXPECT_EQ(ElevIRaekke(4), elev[2]);
  }
}

// ==================================================================== following

class ElevHoldVindueFoelger : public ElevHoldVindueTest {};

TEST_F(ElevHoldVindueFoelger, ThePlanningWindowsCursorMovesTheShownActivity) {
  AabnBegge();
  ASSERT_EQ(w->LaPos.Aktuel, 1u);
  SendMessageA(plan, VINDUE_AKTIVER, 1, 0);
  tavo::test::PumpUntilIdle();
  ASSERT_EQ(gElevAktiv, plan);
  ASSERT_EQ(Pw()->LaPos.Aktuel, 1u);
  Tast(VK_DOWN);
  ASSERT_EQ(Pw()->LaPos.Aktuel, 2u);
  EXPECT_EQ(w->LaPos.Aktuel, 2u);
  const char *navn = LaRecNr(Pw()->LaVisTab[2])->Navn;
  EXPECT_TRUE(Indeholder(Tekster(hold, TB_RUDE_TEGN), navn));
}

TEST_F(ElevHoldVindueFoelger, AfterTheStudentOverviewWasActiveABroadcastEmptiesTheActivity) {
  AabnBegge();
  SendMessageA(plan, VINDUE_AKTIVER, 1, 0);
  Pw()->SidstAktiv = 3;
  SendMessageA(hold, AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(w->LaPos.Aktuel, 0u);
  const auto hoved = Tekster(hold, TB_RUDE_TEGN);
  EXPECT_FALSE(Indeholder(hoved, "Matematik"));
  EXPECT_FALSE(Indeholder(hoved, "Dansk"));
}

TEST_F(ElevHoldVindueFoelger, WhileActiveItSetsTheCurrentRecordsAndBroadcasts) {
  AabnBegge();
  Spion();
  Tast(VK_DOWN);
  EXPECT_EQ(tvelev.AktuelRec, ElevIRaekke(2));
  EXPECT_EQ(tvla.AktuelRec, VistLa());
  Tast(VK_SPACE, tavo::test::ModCtrl);
  Tast(VK_NEXT);
  Tast(VK_PRIOR);
  EXPECT_EQ(gUdsendt, (std::vector<WPARAM>{4, 1, 4, 4}));
  EXPECT_EQ(Pw()->SidstAktiv, 2);
  // A plain refresh (0) from another window is not followed while active.
  const uint32_t a = w->LaPos.Aktuel;
  tvla.AktuelRec = Pw()->LaVisTab[a == 1 ? 2 : 1];
  SendMessageA(hold, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(w->LaPos.Aktuel, a);
}

// ==================================================================== shortcuts, opener

class ElevHoldVindueAabner : public ElevHoldVindueTest {};

TEST_F(ElevHoldVindueAabner, TheShortcutListHasTheSixEntries) {
  AabnBegge();
  Tast(VK_APPS);
  ASSERT_NE(gElevPopup, 0u);
  auto *si = reinterpret_cast<ShortCutInfo *>(GetWindowLongPtrA(gElevPopup, GWLP_USERDATA));
  ASSERT_NE(si, nullptr);
  std::vector<std::string> v;
  for (const ShortCutPost *p = si->table->Poster; p->Beskrivelse[0]; ++p)
    v.push_back(std::string(p->TastNavn) + " " + p->Beskrivelse);
  EXPECT_EQ(v, (std::vector<std::string>{"<Mellemrum> Placer/fjern elev.",
                                         "<Ctrl + Mellemrum> Placer elev uden tilmelding.",
                                         "<Ctrl + Shift + Mellemrum> Placer elev på fyldt aktivitet.",
                                         "<PageUp> Forrige aktivitet.", "<PageDown> Næste aktivitet.",
                                         "<F3> Maksimer / gendan aktuelt vindue."}));
}

TEST_F(ElevHoldVindueAabner, OnlyBesideThePlanningWindowOnceAtTheSizeRules) {
  Gruppe();
  EXPECT_EQ(CreateElevHoldWnd(desktop, 0, 0, kDeskB, kDeskH), 0u);
  EXPECT_EQ(Aabn(kElevHoldType), 0u);
  EXPECT_EQ(VinduesListeAntal(), 0);
  plan = Aabn(kElevPlanType);
  hold = Aabn(kElevHoldType);
  ASSERT_NE(hold, 0u);
  EXPECT_EQ(Aabn(kElevHoldType), 0u) << "a second one";
  EXPECT_EQ(GetWindowLongA(hold, GWL_ID), kElevHoldType);
  EXPECT_EQ(SendMessageA(hold, 1133, 0, 0), kElevHoldType);
  w = ElevHoldVinduesWS(hold);
  RECT r;
  GetWindowRect(hold, &r);
  EXPECT_EQ(r.right - r.left, ElevHoldBredde(&w->Liste, kDeskB));
  EXPECT_EQ(r.bottom - r.top, ElevHoldHoejde(&w->Liste, kDeskH));
  EXPECT_EQ(SendMessageA(hold, ENS_HOEJDE, 300, 0), 300) << "4 students want more than 300";
}

TEST_F(ElevHoldVindueAabner, ClosingThePlanningWindowLeavesTheWindowHarmless) {
  AabnBegge();
  DestroyWindow(plan);
  tavo::test::PumpUntilIdle();
  ASSERT_TRUE(IsWindow(hold));
  SendMessageA(hold, VINDUE_AKTIVER, 1, 0);
  Tast(VK_SPACE);
  Tast(VK_NEXT);
  SendMessageA(hold, AKTUEL_AENDRET, 1, 0);
  SendMessageA(hold, ENS_CELLER_TEGN, 0, 0);
  EXPECT_TRUE(Bokse().empty());
  DestroyWindow(hold);
}

// ==================================================================== end to end

class ElevHoldVindueHelhed : public ElevHoldVindueTest {};

TEST_F(ElevHoldVindueHelhed, ThreePlacementsBySpaceReachEvOnDisk) {
  AabnBegge();
  GemElevTabeller();
  const auto evFil = rod / "data" / "ev.DAT";
  const auto foer = std::filesystem::file_size(evFil);
  if (VistLa() != la[0]) Tast(VK_NEXT);
  ObjSwitchSaetSortFelt(ELEVHOLD_ART, 'K', 1);
  SendMessageA(hold, ELEVLISTE_DATA_1, 0, 0);
  ASSERT_EQ(Raekker(), (std::vector<uint32_t>{elev[0], elev[1], elev[2], elev[3]}));
  Til(1);
  Tast(VK_SPACE);                         // Anna, priority 1
  Tast(VK_SPACE);                         // Bo, priority 2
  Tast(VK_SPACE, tavo::test::ModCtrl);    // Carl, no wish
  EXPECT_TRUE(Bokse().empty());
  Tast(VK_F4, tavo::test::ModCtrl);
  EXPECT_FALSE(IsWindow(hold));
  DestroyWindow(plan);
  EXPECT_GT(std::filesystem::file_size(evFil), foer) << "the placement without a wish has a record of its own";

  // Loading sorts the tables: records are found again by their ids.
  LaesElevTabeller();
  FrigivElevPlanWS(ws);
  ws = NytElevPlanWS('K', 1);
  tvtg.AktuelRec = FindElevRec(&tdtg, &tvtg, 30);
  BuildElevPlanData(ws);
  const uint32_t a = LaPosition(ws, FindElevRec(&tdla, &tvla, 300));
  ASSERT_NE(a, 0u);
  auto s = [&](uint32_t i) { return ElevPosition(ws, FindElevRec(&tdelev, &tvelev, 400 + i)); };
  for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(PlaceringsArt(ws, a, s(i)), i + 1) << i;
  EXPECT_EQ(ws->Placeringer(a, s(3)), 0);
}

}  // namespace
