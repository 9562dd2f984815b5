// The object-window factory, the tool windows and the docked element
// windows, with the test kind standing in for the other modules' windows.

#include "objektvindue_support.h"

#include "SKEMAVIN.h"
#include "STATUS.h"

namespace {

using namespace objvin_test;

// Every type the factory must know.
const int kFabrikTyper[] = {
    40001, 40002, 40003, 40004, 40005, 40006, 40132, 40133, 40134, 40135, 40136, 40137, 40024, 40025, 40026,
    40027, 40028, 40029, 40030, 40146, 40147, 40148, 40151, 40152, 40163, 40167, 40164, 40202, 40204, 40205,
    40206, 40212, 40292, 40273, 40283, 40284, 40225, 40226, 40227, 40228, 40229, 40130, 40140, 40268, 40269,
    40270,
    // DataView
    40033, 40035, 40037, 40102, 40103, 40104, 40105, 40106, 40107, 40108, 40109, 40110, 40111, 40112, 40113,
    40114, 40115, 40116, 40117, 40118, 40119, 40120, 40121, 40122, 40123, 40124, 40125, 40126, 40127, 40128,
    40129, 40131, 40165, 40183, 40184, 40185, 40186, 40188, 40189, 40190, 40191, 40214, 40215, 40216, 40217,
    40218, 40219, 40220, 40221, 40222, 40260, 40261, 40262, 40263, 40298};

class ObjektvindueFabrik : public ObjektvindueTest {};

TEST_F(ObjektvindueFabrik, EveryTypeReachesItsCreateFunctionWithItsArgumentsAndIsShownOnTop) {
  for (int type : kFabrikTyper) ASSERT_NE(FindObjektRaekke(type), nullptr) << type;
  // The windows built so far are named by their rows.
  for (int type : {40024, 40025, 40026, 40027, 40028, 40029, 40030, 40130, 40140, 40273, 40284})
    EXPECT_TRUE(ObjektVindueTilgaengeligt(type)) << type;

  // A student planning window, for the windows that need one beside it.
  Test(kElevPlanType);
  ASSERT_NE(OpretObjektVindue(hoved, kElevPlanType, 0, nullptr), (HWND)0);
  const RECT rum = {40, 30, 700, 500};
  for (int i = 0; i < ObjektRaekkeAntal(); ++i) {
    const int type = ObjektRaekkeNr(i).Type;
    if (type == kElevPlanType) continue;
    Test(type);
    T().kald.clear();
    HWND h = OpretObjektVindue(hoved, type, 77, &rum);
    ASSERT_NE(h, (HWND)0) << type;
    ASSERT_EQ(T().kald.size(), 1u) << type;
    const ObjektKald &k = T().kald[0];
    EXPECT_EQ(k.Type, type);
    EXPECT_EQ(k.lParam, 77) << type;
    EXPECT_EQ(k.hwndHoved, hoved) << type;
    EXPECT_EQ(k.hwndForaelder, desktop) << type;
    EXPECT_EQ((RECT{k.Venstre, k.Top, k.Hoejre, k.Bund}), rum) << type;
    EXPECT_TRUE(IsWindowVisible(h)) << type;
    EXPECT_EQ(GetWindow(desktop, GW_CHILD), h) << type << " is raised";
    DestroyWindow(h);
  }

  struct Tilfaelde {
    int type;
    char art;
    const char *bogstaver;
    uint8_t etObjekt, alleObjekter;
  };
  const Tilfaelde tilfaelde[] = {
      {40001, 'K', "LLNSV", 0, 1}, {40002, 'M', "LLNSV", 0, 1}, {40003, 'L', "LLNSV", 0, 1},
      {40006, 'L', "LLNSV", 0, 0}, {40132, 'K', "LVNSV", 0, 1}, {40137, 'L', "LVNSV", 0, 0},
      {40025, 'M', "", 0, 0},      {40030, 'U', "", 0, 0},      {40148, 'L', "", 0, 0},
      {40152, 'M', "", 0, 0},      {40163, 'S', "", 0, 0},      {40167, 'F', "", 0, 0},
      {40164, 'B', "", 0, 0},      {40206, 'L', "", 0, 0},      {40033, 'a', "", 0, 0},
      {40131, '!', "", 0, 0},      {40165, 'O', "", 0, 0},      {40219, '3', "", 0, 0},
      {40261, '\xA7', "", 0, 0},   {40262, '#', "", 0, 0},      {40298, '/', "", 0, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    T().kald.clear();
    HWND h = OpretObjektVindue(hoved, t.type, 0, nullptr);
    ASSERT_EQ(T().kald.size(), 1u) << t.type;
    const ObjektKald &k = T().kald[0];
    EXPECT_EQ(k.Art, t.art) << t.type;
    EXPECT_STREQ(k.Bogstaver, t.bogstaver) << t.type;
    EXPECT_EQ(k.EtObjekt, t.etObjekt) << t.type;
    EXPECT_EQ(k.AlleObjekter, t.alleObjekter) << t.type;
    // Without a rectangle the window may take the whole desktop.
    EXPECT_EQ((RECT{k.Venstre, k.Top, k.Hoejre, k.Bund}), (RECT{0, 0, kDeskB, kDeskH})) << t.type;
    DestroyWindow(h);
  }
}

TEST_F(ObjektvindueFabrik, AnOpenPlanWindowIsRefittedAfterAnotherOpens) {
  Test(kPlanVindueType);
  Test(40001);
  HWND plan = OpretObjektVindue(hoved, kPlanVindueType, 0, nullptr);
  ASSERT_NE(plan, (HWND)0);
  ASSERT_EQ(Plads(plan), (RECT{0, 0, 300, 200}));
  ASSERT_NE(OpretObjektVindue(hoved, 40001, 0, nullptr), (HWND)0);
  // It takes the 250 x 150 it wants.
  EXPECT_EQ(Plads(plan), (RECT{0, 0, 250, 150}));
}

TEST_F(ObjektvindueFabrik, SettingsSingleTogglingAndCompanionRules) {
  for (int type : {40151, 40202, static_cast<int>(kElevPlanType), 40226, 40227, 40268, 40269, 40270}) Test(type);
  // [vinduer] post is read when the window is asked for.
  GlobalIndstillinger.post = 0;
  EXPECT_EQ(OpretObjektVindue(hoved, 40151, 0, nullptr), (HWND)0);
  EXPECT_TRUE(T().kald.empty());
  GlobalIndstillinger.post = 1;
  EXPECT_NE(OpretObjektVindue(hoved, 40151, 0, nullptr), (HWND)0);

  GlobalIndstillinger.medopg = 0;
  EXPECT_EQ(OpretObjektVindue(hoved, 40202, 0, nullptr), (HWND)0);
  GlobalIndstillinger.medopg = 1;
  // Toggled: the second time closes it, the third opens it again.
  for (int type : {40202, 40268, 40269, 40270}) {
    HWND h = OpretObjektVindue(hoved, type, 0, nullptr);
    ASSERT_NE(h, (HWND)0) << type;
    EXPECT_EQ(OpretObjektVindue(hoved, type, 0, nullptr), (HWND)0) << type;
    EXPECT_FALSE(IsWindow(h)) << type;
    EXPECT_EQ(FindVindueType(type), (HWND)0) << type;
    EXPECT_NE(OpretObjektVindue(hoved, type, 0, nullptr), (HWND)0) << type;
  }

  // The student windows need the planning window; each comes once.
  EXPECT_EQ(OpretObjektVindue(hoved, 40226, 0, nullptr), (HWND)0);
  HWND elevplan = OpretObjektVindue(hoved, kElevPlanType, 0, nullptr);
  ASSERT_NE(elevplan, (HWND)0);
  EXPECT_EQ(OpretObjektVindue(hoved, kElevPlanType, 0, nullptr), (HWND)0);
  EXPECT_TRUE(IsWindow(elevplan));
  EXPECT_NE(OpretObjektVindue(hoved, 40226, 0, nullptr), (HWND)0);
  EXPECT_EQ(OpretObjektVindue(hoved, 40226, 0, nullptr), (HWND)0);
  EXPECT_NE(OpretObjektVindue(hoved, 40227, 0, nullptr), (HWND)0);
}

// The schedule rows open the schedule window with the view of their
// letters, titled by it and keyed by the menu command.
TEST_F(ObjektvindueFabrik, TheScheduleRowsOpenTheirViews) {
  RegistrerSkemaKlasse(0);
  const struct {
    int type;
    const char *titel;
  } sager[] = {
      {40001, " Alle aktiviteter i en uge"}, {40005, " En medarbejder i alle uger"},
      {40134, " Prikskema alle lokaler"},    {40135, " Prikskema en aktivitet"},
  };
  for (const auto &s : sager) {
    HWND h = OpretObjektVindue(hoved, s.type, 0, nullptr);
    ASSERT_NE(h, (HWND)0) << s.type;
    const SkeStruct *ske = SkemaVinduesSke(h);
    ASSERT_NE(ske, nullptr) << s.type;
    EXPECT_STREQ(ske->Ens.Titel, s.titel);
    EXPECT_EQ(ske->MenuKommando, static_cast<uint32_t>(s.type));
    EXPECT_EQ(GetDlgCtrlID(h), s.type);
    DestroyWindow(h);
  }
  EXPECT_GT(ElementHoejde(40009), 0);
  EXPECT_GE(ElementBredde(40011), 150);
}

TEST_F(ObjektvindueFabrik, EmptyUnknownAndFailingRowsGiveZeroAndALineButNoBox) {
  // The common subjects window follows the plan window: without one its
  // row makes nothing, quietly.
  EXPECT_TRUE(ObjektVindueTilgaengeligt(40270));
  // The master-data windows that exist have their rows.
  for (int type : {40204, 40205, 40206, 40212, 40273, 40283}) EXPECT_TRUE(ObjektVindueTilgaengeligt(type)) << type;
  EXPECT_TRUE(VaerktoejsVindueTilgaengeligt(40213));
  EXPECT_EQ(OpretObjektVindue(hoved, 40270, 0, nullptr), (HWND)0);
  EXPECT_EQ(OpretObjektVindue(hoved, 39999, 0, nullptr), (HWND)0);
  EXPECT_EQ(SkiftVaerktoejsVindue(40007, 'L'), (HWND)0);
  EXPECT_EQ(TilfoejElementVindue(40271, true), (HWND)0);
  EXPECT_EQ(CountElements(), 0) << "no cell is made for a window that cannot be";
  const std::string log = Loggen();
  EXPECT_EQ(log.find("vinduestype 40270"), std::string::npos) << log;
  EXPECT_NE(log.find("** Info: OpretObjektVindue(): vinduestype 39999 findes ikke"), std::string::npos);
  EXPECT_NE(log.find("vinduestype 40007"), std::string::npos);
  EXPECT_NE(log.find("vinduestype 40271"), std::string::npos);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());

  Test(40004);
  T().fejl = true;
  EXPECT_EQ(OpretObjektVindue(hoved, 40004, 0, nullptr), (HWND)0);
  EXPECT_EQ(VinduesListeAntal(), 0);
}

class ObjektvindueVaerktoej : public ObjektvindueTest {};

TEST_F(ObjektvindueVaerktoej, ToggledToolsCloseAndEntryWindowsAlwaysOpenEachAnnounced) {
  for (int type : {40213, 40007, 40196, 40208, 40266, 40268}) Test(type);
  HWND stam = SkiftVaerktoejsVindue(40213, 'M');
  ASSERT_NE(stam, (HWND)0);
  EXPECT_TRUE(IsWindowVisible(stam));
  EXPECT_EQ(T().kald.back().Art, 'M');
  ASSERT_FALSE(T().hoved.empty());
  EXPECT_EQ(T().hoved.back().msg, (UINT)HOVED_INPUT_AABEN);
  EXPECT_EQ((HWND)T().hoved.back().l, stam);
  EXPECT_EQ(SkiftVaerktoejsVindue(40213, 'M'), (HWND)0);
  EXPECT_FALSE(IsWindow(stam));

  struct Tilfaelde {
    int type;
    char tilstand;
  };
  for (const Tilfaelde &t : {Tilfaelde{40007, 'L'}, Tilfaelde{40196, 'T'}, Tilfaelde{40208, 'D'}}) {
    HWND a = SkiftVaerktoejsVindue(t.type, 1234);
    HWND b = SkiftVaerktoejsVindue(t.type, 1234);
    EXPECT_NE(a, (HWND)0) << t.type;
    EXPECT_NE(b, (HWND)0) << t.type;
    EXPECT_TRUE(IsWindow(a)) << t.type;
    EXPECT_EQ(T().kald.back().Art, t.tilstand) << t.type;
    EXPECT_EQ(T().kald.back().lParam, 1234) << t.type;
  }

  // The planning module's tools stand 20 in and 10 from the top and bottom.
  T().kald.clear();
  ASSERT_NE(SkiftVaerktoejsVindue(40266, 0), (HWND)0);
  ASSERT_NE(SkiftVaerktoejsVindue(40268, 0), (HWND)0);
  ASSERT_EQ(T().kald.size(), 2u);
  EXPECT_EQ((RECT{T().kald[0].Venstre, T().kald[0].Top, T().kald[0].Hoejre, T().kald[0].Bund}),
            (RECT{20, 10, 520, kDeskH - 10}));
  EXPECT_EQ(T().kald[1].Hoejre, 620);
}

class ObjektvindueElement : public ObjektvindueTest {};

TEST_F(ObjektvindueElement, EachTypeDocksOnItsDeskWithItsTitleAndContentSize) {
  struct Tilfaelde {
    int type;
    const char *titel;
    uint32_t desk;
    int32_t hoejde;  // 0: the test kind's
  };
  const Tilfaelde tilfaelde[] = {
      {40009, "Aktivitetsskema", 2, 0}, {40011, "LærerSkema", 2, 0},   {40013, "LokaleSkema", 2, 0},
      {40139, "Kalender", 2, 91},       {40223, "Kalender", 1, 91},    {40154, "Aktuel", 0, 0},
      {40177, "Aktuel", 1, 0},          {40176, "H U S K  ! ! !", 0, 0}, {40178, "H U S K  ! ! !", 1, 0},
      {40187, "Opgørelse", 1, 0},       {40203, "TimeOpg", 1, 123},    {40271, "PlanOpg", 1, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    Test(t.type);
    T().kald.clear();
    T().modtaget.clear();
    HWND h = TilfoejElementVindue(t.type, true);
    ASSERT_NE(h, (HWND)0) << t.type;
    const ElementCelle *c = CelleAf(t.type);
    ASSERT_NE(c, nullptr) << t.type;
    EXPECT_STREQ(c->Titel, t.titel);
    EXPECT_EQ(+c->Desk, t.desk) << t.type;
    EXPECT_EQ(+c->hwndObjekt, h) << t.type;
    EXPECT_EQ(GetParent(h), +c->hwndElement) << t.type;
    const int32_t hoejde = ElementHoejde(t.type), bredde = ElementBredde(t.type);
    if (t.hoejde) {
      EXPECT_EQ(hoejde, t.hoejde) << t.type;
    }
    EXPECT_GT(bredde, 0) << t.type;
    // Along a vertical desk goes the height, along a horizontal one the width.
    const bool lodret = LodretDesk(static_cast<int>(t.desk));
    EXPECT_EQ(+c->IndholdLangs, lodret ? hoejde : bredde) << t.type;
    EXPECT_EQ(+c->IndholdTvaers, lodret ? bredde : hoejde) << t.type;
    ASSERT_EQ(T().kald.size(), 1u);
    EXPECT_EQ(T().kald[0].hwndForaelder, +c->hwndElement) << t.type;
    EXPECT_EQ(Fik(h), std::vector<UINT>{OBJVINDUE_OPRETTET}) << t.type;
    CloseAllElements();
    PumpUntilIdle();
  }
  // The docked schedules are the one-object lesson view.
  Test(40011);
  TilfoejElementVindue(40011, true);
  EXPECT_EQ(T().kald.back().Art, 'M');
  EXPECT_STREQ(T().kald.back().Bogstaver, "LLNSV");
  EXPECT_EQ(T().kald.back().EtObjekt, 1);
  EXPECT_EQ(T().kald.back().AlleObjekter, 1);
  // The statements' widths follow their columns; the plan statement's at most 800.
  EXPECT_LE(ElementBredde(40271), 800);
}

TEST_F(ObjektvindueElement, ASecondPanelOrAStatementWithoutMedopgIsRefused) {
  for (int type : {40154, 40177, 40176, 40178, 40187, 40203}) Test(type);
  ASSERT_NE(TilfoejElementVindue(40154, true), (HWND)0);
  EXPECT_EQ(TilfoejElementVindue(40177, true), (HWND)0);
  EXPECT_EQ(TilfoejElementVindue(40154, true), (HWND)0);
  ASSERT_NE(TilfoejElementVindue(40178, true), (HWND)0);
  EXPECT_EQ(TilfoejElementVindue(40176, true), (HWND)0);
  GlobalIndstillinger.medopg = 0;
  EXPECT_EQ(TilfoejElementVindue(40187, true), (HWND)0);
  EXPECT_EQ(TilfoejElementVindue(40203, true), (HWND)0);
  EXPECT_EQ(CountElements(), 2);
  GlobalIndstillinger.medopg = 1;
  EXPECT_NE(TilfoejElementVindue(40187, true), (HWND)0);

  // A cell whose window cannot be made goes again.
  CloseAllElements();
  T().fejl = true;
  EXPECT_EQ(TilfoejElementVindue(40176, true), (HWND)0);
  EXPECT_EQ(CountElements(), 0);
}

TEST_F(ObjektvindueElement, AnEventPanelIsAnnouncedToTheCellItselfAndTheFrontWindowInOrder) {
  Test(40001);
  Test(40177);
  HWND bag = OpretObjektVindue(hoved, 40001, 0, nullptr);
  HWND front = OpretObjektVindue(hoved, 40001, 0, nullptr);
  ASSERT_EQ(VinduesListeForrest(), front);
  tavo::test::StartMessageLog();
  HWND panel = TilfoejElementVindue(40177, true);
  const auto log = tavo::test::StopMessageLog();
  ASSERT_NE(panel, (HWND)0);
  HWND element = CelleAf(40177)->hwndElement;
  std::vector<std::pair<HWND, UINT>> set;
  for (const auto &m : log)
    if (m.msg == ELEMENT_OBJEKT || m.msg == OBJVINDUE_OPRETTET || m.msg == BRIKINFO_NU)
      set.emplace_back(m.hwnd, m.msg);
  const std::vector<std::pair<HWND, UINT>> ventet = {
      {element, ELEMENT_OBJEKT}, {panel, OBJVINDUE_OPRETTET}, {front, BRIKINFO_NU}};
  EXPECT_EQ(set, ventet);
  EXPECT_EQ(Fik(bag), std::vector<UINT>{});
}

TEST_F(ObjektvindueElement, DockedWindowsGetTheProgramWideBroadcasts) {
  Test(40001);
  Test(40139);
  HWND fri = OpretObjektVindue(hoved, 40001, 0, nullptr);
  HWND dokket = TilfoejElementVindue(40139, true);
  ASSERT_NE(dokket, (HWND)0);
  T().modtaget.clear();
  for (UINT m : {1027u, 1054u, 1089u, 1122u, 1336u}) SendTilAlleVinduer(m, 1, 3, 0);
  const std::vector<UINT> alle = {1027, 1054, 1089, 1122, 1336};
  EXPECT_EQ(Fik(dokket), alle);
  EXPECT_EQ(Fik(fri), alle);
  ASSERT_FALSE(T().modtaget.empty());
  EXPECT_EQ(T().modtaget[0].w, 1u);
  EXPECT_EQ(T().modtaget[0].l, 3);
  // What is not a broadcast stays with the cell.
  T().modtaget.clear();
  SendMessageA(CelleAf(40139)->hwndElement, 1500, 0, 0);
  EXPECT_EQ(Fik(dokket), std::vector<UINT>{});
}

}  // namespace

namespace {

using namespace objvin_test;

class ObjektvindueKalender : public ObjektvindueTest {
 protected:
  void SetUp() override {
    ObjektvindueTest::SetUp();
    ASSERT_TRUE(RegistrerKalKlasse(0));
  }
  static KalInfo *Ki(HWND h) { return reinterpret_cast<KalInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
};

TEST_F(ObjektvindueKalender, TheCalendarOpensThroughItsRowsFreeAtTodayAndDocked) {
  HWND fri = OpretObjektVindue(hoved, 40140, 0, nullptr);
  ASSERT_NE(fri, (HWND)0);
  EXPECT_EQ(GetParent(fri), desktop);
  EXPECT_EQ(FindVindueType(40140), fri);
  EXPECT_EQ(SendMessageA(fri, VINDUE_ART, 0, 0), 40140) << "a saved screen names it by its type";
  EXPECT_TRUE(IsWindowVisible(fri));

  HWND idag = OpretObjektVindue(hoved, 40130, 0, nullptr);
  ASSERT_NE(idag, (HWND)0);
  EXPECT_EQ(Ki(idag)->shownDate, DagsDato());

  HWND dokket = TilfoejElementVindue(40223, true);
  ASSERT_NE(dokket, (HWND)0);
  const ElementCelle *c = CelleAf(40223);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(+c->hwndObjekt, dokket);
  EXPECT_EQ(GetParent(dokket), +c->hwndElement);
  EXPECT_TRUE(Ki(dokket)->embedded);
  EXPECT_EQ(+c->IndholdTvaers, 91);
}

}  // namespace

namespace {

using namespace objvin_test;

class ObjektvindueStatus : public ObjektvindueTest {
 protected:
  void SetUp() override {
    ObjektvindueTest::SetUp();
    RegistrerStatusKlasse(hInst);
  }
};

TEST_F(ObjektvindueStatus, TheThreeOverviewsOpenThroughTheirRowsAtTheDesktopCorner) {
  struct Art {
    int type;
    const char *titel;
  };
  for (const Art &a : {Art{40163, " Statusoversigt begivenheder"}, Art{40167, " Fejloversigt skemabegivenheder"},
                       Art{40164, " Statusoversigt posteringer"}}) {
    HWND h = AabnStatusOversigt(hoved, a.type);
    ASSERT_NE(h, (HWND)0) << a.type;
    EXPECT_EQ(GetParent(h), desktop);
    char t[64] = "";
    GetWindowTextA(h, t, sizeof t);
    EXPECT_STREQ(t, a.titel);
    EXPECT_EQ(SendMessageA(h, VINDUE_ART, 0, 0), a.type);
    RECT r{};
    GetWindowRect(h, &r);
    POINT p{r.left, r.top};
    ScreenToClient(desktop, &p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_TRUE(IsWindowVisible(h));
    DestroyWindow(h);
  }
}

}  // namespace
