// The student wish window beside the planning window: the slot strip read
// back as pixels, placing and removing by Space, stepping students, and
// the placements on disk.

#include <filesystem>
#include <string>
#include <vector>

#include "ELEVLISTEVIN.h"
#include "ELEVONSKVIN.h"
#include "FARVER.h"
#include "elevvindue_fixture.h"

namespace {

using namespace eleventest;

class ElevOnskVindueTest : public ElevVindueTest {
 protected:
  HWND plan = 0, onsk = 0;
  ElevOnskWS *w = nullptr;

  // Colours of their own for the strip: backgrounds 36 and 18, shapes 3,
  // 7, 8, 10 and 11. The file numbers its own entries, each of which sets
  // one colour-table slot: entry 0 slot 3, 11 slot 7, 12 slot 8, 13 slot 10,
  // 14 slot 11, 5 slot 18 and 22 slot 36.
  static constexpr uint8_t kStribeFarver[] = {3, 7, 8, 10, 11, 18, 36};
  std::string Palet() const override {
    return "Palette\n0 (250,0,0)\n11 (0,250,0)\n12 (0,0,250)\n13 (250,250,0)\n14 (0,250,250)\n5 (120,60,0)\n"
           "22 (255,255,200)\n";
  }

  void SetUp() override {
    ElevVindueTest::SetUp();
    ASSERT_TRUE(RegistrerElevOnskKlasse(0));
  }
  void TearDown() override {
    ElevVindueTest::TearDown();
    AfregistrerElevOnskKlasse(0);
  }

  ElevPlanWS *Pw() const { return ElevPlanVinduesWS(plan); }

  void AabnBegge() {
    plan = Aabn(kElevPlanType);
    ASSERT_NE(plan, 0u);
    onsk = Aabn(kElevOnskType);
    ASSERT_NE(onsk, 0u);
    w = ElevOnskVinduesWS(onsk);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(gElevAktiv, onsk);
  }

  uint32_t Elev() const { return Pw()->ElevTab[w->ElevPos.Aktuel]; }
  uint32_t RaekkeAf(uint32_t l) const { return FindObjIdx(w->Liste.Raekker, w->Liste.RaekkeAntal, l); }
  uint8_t Placering(uint32_t l, uint32_t e) const {
    return Pw()->Placeringer(LaPosition(Pw(), l), ElevPosition(Pw(), e));
  }
  void Til(uint32_t r) {
    while (w->Liste.RaekkePos.Aktuel > r) Tast(VK_UP);
    while (w->Liste.RaekkePos.Aktuel < r) Tast(VK_DOWN);
    ASSERT_EQ(w->Liste.RaekkePos.Aktuel, r);
  }

  // The pixel at (dx, dy) from the strip cell of slot j in row r: dx from
  // x0 = 6 + 8 (j - 1), dy from the row's text line.
  COLORREF Strimmel(uint32_t r, uint32_t j, int dx, int dy) const {
    const Ens &e = w->ens;
    const int y = static_cast<int>((r - 1) * kElevListeRaekke) + 1 - static_cast<int>(e.ScrollY);
    return tavo::test::WindowPixel(e.hwndRaekkeHoved, 6 + 8 * static_cast<int>(j - 1) + dx, y + dy) & 0xFFFFFF;
  }
  static COLORREF Farve(uint8_t i) { return FarveTab[i] & 0xFFFFFF; }
  static COLORREF Sys(int i) { return GetSysColor(i) & 0xFFFFFF; }
  void TegnStriber() {
    SendMessageA(onsk, ENS_RAEKKEHOVED_TEGN, 0, 0);
    tavo::test::PumpUntilIdle();
  }
};

// ==================================================================== the strip

class ElevOnskVindueStribe : public ElevOnskVindueTest {};

// The strip's assertions tell a wrong colour only when its colours differ
// from each other and from the frame's system colours.
TEST_F(ElevOnskVindueStribe, TheStripColoursDifferFromEachOther) {
  std::vector<COLORREF> farver;
  for (uint8_t i : kStribeFarver) farver.push_back(Farve(i));
  farver.push_back(Sys(COLOR_BTNSHADOW));
  farver.push_back(Sys(COLOR_3DDKSHADOW));
  for (size_t i = 0; i < farver.size(); ++i)
    for (size_t j = i + 1; j < farver.size(); ++j)
      EXPECT_NE(farver[i], farver[j]) << i << " and " << j;
  EXPECT_EQ(Farve(3), RGB(250, 0, 0));
  EXPECT_EQ(Farve(36), RGB(255, 255, 200));
}

// Two days of four lessons; Alfa on slots 1-3 (placed, wished), Beta on 5
// (placed without a wish, place lock), Gamma on 2 (wished, closed for new
// students), Delta on 7 (nothing, students kept); Anna barred at slot 4.
TEST_F(ElevOnskVindueStribe, ShapesBackgroundsMarksAndDayLinesAsPixels) {
  tg = NyTg(40, 'L');
  for (uint8_t d = 0; d < 2; ++d)
    for (uint32_t l = 1; l <= 4; ++l) pp.push_back(NyPp(tg, 40000 + d * 10 + l, 0, d, l));
  struct Fag {
    const char *navn;
    uint32_t slot, laengde;
  } fag[] = {{"Alfa", 1, 3}, {"Beta", 5, 1}, {"Gamma", 2, 1}, {"Delta", 7, 1}};
  for (uint32_t i = 0; i < 4; ++i) {
    la.push_back(NyLa(tg, 410 + i, fag[i].navn));
    LaRecNr(la[i])->max_elevantal = 10;
    NyLap(tg, 4100 + i, la[i], pp[fag[i].slot - 1], fag[i].laengde);
  }
  LaRecNr(la[1])->PladsLaas = 1;
  LaRecNr(la[2])->LukForNyeElever = 1;
  LaRecNr(la[3])->BeholdElever = 1;
  elev.push_back(NyElev(420, "Anna"));
  NyElti(elev[0], tg);
  NyOenske(tg, 430, elev[0], la[0], 1);
  NyOenske(tg, 431, elev[0], la[2], 2);
  NyEb(tg, 440, elev[0], pp[3]);
  tvtg.AktuelRec = tg;
  tvla.AktuelRec = la[0];
  tvelev.AktuelRec = elev[0];
  AabnBegge();
  ASSERT_EQ(Elev(), elev[0]);
  ASSERT_EQ(Pw()->PpAntal, 8u);
  // Alfa and Beta placed as a user places them.
  for (uint32_t i : {0u, 1u}) {
    Til(RaekkeAf(la[i]));
    Tast(VK_SPACE, i == 1 ? tavo::test::ModCtrl : 0);
    ASSERT_EQ(Placering(la[i], elev[0]), PLACERET) << fag[i].navn;
  }
  TegnStriber();

  const uint32_t alfa = RaekkeAf(la[0]), beta = RaekkeAf(la[1]), gamma = RaekkeAf(la[2]), delta = RaekkeAf(la[3]);
  struct Punkt {
    const char *hvad;
    uint32_t r, j;
    int dx, dy;
    COLORREF farve;
  } punkter[] = {
      {"background", delta, 1, -4, 0, Farve(36)},
      {"barred slot", delta, 4, -4, 0, Farve(18)},
      {"gap", delta, 1, 2, 5, Sys(COLOR_BTNSHADOW)},
      {"first: left bar", alfa, 1, -4, 3, Farve(7)},
      {"first: band to the gap", alfa, 1, 2, 5, Farve(7)},
      {"first: no right bar", alfa, 1, 1, 3, Farve(36)},
      {"middle: band across", alfa, 2, -5, 6, Farve(7)},
      {"middle: no left bar", alfa, 2, -4, 3, Farve(36)},
      {"last: right bar", alfa, 3, 1, 3, Farve(7)},
      {"last: band from the left", alfa, 3, -5, 5, Farve(7)},
      {"last: no band in the gap", alfa, 3, 2, 5, Sys(COLOR_BTNSHADOW)},
      {"placed without a wish", beta, 5, -2, 5, Farve(8)},
      {"place lock: band a pixel higher", beta, 5, -2, 4, Farve(8)},
      {"place lock: and a pixel lower", beta, 5, -2, 7, Farve(8)},
      {"wished: single's left bar", gamma, 2, -5, 2, Farve(3)},
      {"closed: upper mark", gamma, 2, -2, 2, Farve(3)},
      {"no place lock: band is two pixels", gamma, 2, -2, 7, Farve(36)},
      {"other: lower mark", delta, 7, -2, 9, Farve(11)},
      {"other: no upper mark", delta, 7, -2, 3, Farve(36)},
      {"day line after the fourth slot", delta, 4, 1, 0, Sys(COLOR_3DDKSHADOW)},
      {"no day line inside a day", delta, 3, 1, 0, Farve(36)},
  };
  for (const Punkt &p : punkter) EXPECT_EQ(Strimmel(p.r, p.j, p.dx, p.dy), p.farve) << p.hvad;

  // A placement on a duplicate, and a week group without day lines.
  Pw()->Placeringer(LaPosition(Pw(), la[3]), ElevPosition(Pw(), elev[0])) = PLACERET_DUBLET;
  TgRecNr(tg)->UgeLektionsGruppe = 'U';
  TegnStriber();
  EXPECT_EQ(Strimmel(delta, 7, -2, 5), Farve(10)) << "placed on a duplicate";
  EXPECT_EQ(Strimmel(delta, 4, 1, 0), Farve(18)) << "no day line in a week group";
}

TEST_F(ElevOnskVindueStribe, WithoutStudentsBackgroundsAndDayLinesButNoShapesAndNoBroadcast) {
  tg = NyTg(50, 'L');
  for (uint8_t d = 0; d < 2; ++d)
    for (uint32_t l = 1; l <= 2; ++l) pp.push_back(NyPp(tg, 50000 + d * 10 + l, 0, d, l));
  la.push_back(NyLa(tg, 510, "Alfa"));
  NyLap(tg, 5100, la[0], pp[0], 4);
  tvtg.AktuelRec = tg;
  tvla.AktuelRec = la[0];
  plan = Aabn(kElevPlanType);
  Spion();
  onsk = Aabn(kElevOnskType);
  w = ElevOnskVinduesWS(onsk);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->ElevPos.Aktuel, 0u);
  TegnStriber();
  for (uint32_t j = 1; j <= 4; ++j) EXPECT_EQ(Strimmel(1, j, -4, 5), Farve(36)) << j;
  EXPECT_EQ(Strimmel(1, 2, 1, 0), Sys(COLOR_3DDKSHADOW));
  EXPECT_TRUE(gUdsendt.empty());
  EXPECT_FALSE(Indeholder(Tekster(onsk, TB_RUDE_TEGN), "Anna"));
}

TEST_F(ElevOnskVindueStribe, AStripWiderThanThePaneIsCutAtIt) {
  tg = NyTg(60, 'U');
  for (uint32_t u = 0; u < 150; ++u) pp.push_back(NyPp(tg, 60000 + u, 202401 + u % 50 + (u / 50) * 100, 0, 0));
  la.push_back(NyLa(tg, 610, "Alfa"));
  NyLap(tg, 6100, la[0], pp[0], 150);
  elev.push_back(NyElev(620, "Anna"));
  NyElti(elev[0], tg);
  NyOenske(tg, 630, elev[0], la[0], 1);
  tvtg.AktuelRec = tg;
  tvelev.AktuelRec = elev[0];
  AabnBegge();
  ASSERT_EQ(Pw()->PpAntal, 150u);
  // The strip pane ends inside the frame, before the scroll bar, and its
  // last cell there is drawn.
  const Ens &e = w->ens;
  // Ens is packed: its fields are read by value.
  const int x = e.RudeX[ENS_RAEKKEHOVED], b = e.RudeB[ENS_RAEKKEHOVED], rulle = e.RudeX[ENS_VSCROLL];
  EXPECT_LT(x + b, rulle);
  EXPECT_GT(b, 100);
  RECT rp;
  GetClientRect(e.hwndRaekkeHoved, &rp);
  EXPECT_EQ(rp.right, b);
  TegnStriber();
  const uint32_t j = static_cast<uint32_t>(b - 7) / 8;
  EXPECT_EQ(Strimmel(1, j, -2, 5), Farve(3)) << "the shape of a wished block";
}

// ==================================================================== keys

class ElevOnskVindueTaster : public ElevOnskVindueTest {};

TEST_F(ElevOnskVindueTaster, SpacePlacesAndMovesDownUpAndSpaceRemovesARefusalKeepsTheRow) {
  Gruppe();
  AabnBegge();
  ASSERT_EQ(Elev(), elev[0]);
  EXPECT_EQ(ElevListeSortFelt(&w->Liste), 9u) << "a new window sorts on the status glyph";
  Til(RaekkeAf(la[0]));
  const uint32_t r = w->Liste.RaekkePos.Aktuel;
  Tast(VK_SPACE);
  EXPECT_EQ(Placering(la[0], elev[0]), PLACERET);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, std::min(r + 1, w->Liste.RaekkeAntal));
  if (r < w->Liste.RaekkeAntal) Tast(VK_UP);
  Tast(VK_SPACE);
  EXPECT_EQ(Placering(la[0], elev[0]), 0);

  // Dansk is not wished: Space is refused and the row stays; Ctrl+Space
  // places; on the last row the cursor stays.
  Til(RaekkeAf(la[1]));
  const uint32_t d = w->Liste.RaekkePos.Aktuel;
  Tast(VK_SPACE);
  EXPECT_EQ(Bokse().size(), 1u);
  EXPECT_EQ(Placering(la[1], elev[0]), 0);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, d);
  Til(w->Liste.RaekkeAntal);
  const uint32_t sidste = w->Liste.Raekker[w->Liste.RaekkeAntal];
  Tast(VK_SPACE, tavo::test::ModCtrl | tavo::test::ModShift);
  EXPECT_EQ(Placering(sidste, elev[0]), PLACERET);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, w->Liste.RaekkeAntal);
}

TEST_F(ElevOnskVindueTaster, PageDownStepsThroughTheStudentsAndOnTheLastStillResorts) {
  Gruppe();
  AabnBegge();
  ObjSwitchSaetSortFelt(ELEVONSK_ART, 'K', 7);
  SendMessageA(onsk, ELEVLISTE_DATA_1, 0, 0);
  std::vector<uint32_t> set;
  for (uint32_t i = 0; i < Pw()->ElevAntal; ++i) {
    set.push_back(Elev());
    Tast(VK_NEXT);
  }
  EXPECT_EQ(set, std::vector<uint32_t>(Pw()->ElevTab + 1, Pw()->ElevTab + 1 + Pw()->ElevAntal));
  ASSERT_EQ(w->ElevPos.Aktuel, Pw()->ElevAntal);
  Til(2);
  ObjSwitchSaetSortFelt(ELEVONSK_ART, 'K', 7);
  Tast(VK_NEXT);
  EXPECT_EQ(w->ElevPos.Aktuel, Pw()->ElevAntal) << "the last student stays";
  EXPECT_EQ(ElevListeSortFelt(&w->Liste), 11u);
  EXPECT_EQ(w->Liste.RaekkePos.Aktuel, 1u);
  Tast(VK_PRIOR);
  EXPECT_EQ(w->ElevPos.Aktuel, Pw()->ElevAntal - 1);
  EXPECT_EQ(tvelev.AktuelRec, Elev());
}

// ==================================================================== following

class ElevOnskVindueFoelger : public ElevOnskVindueTest {};

TEST_F(ElevOnskVindueFoelger, AnotherGroupRebuildsTheRowsAndResizesTheStrip) {
  Gruppe();
  const uint32_t anden = NyTg(31, 'L');
  for (uint32_t l = 1; l <= 9; ++l) NyPp(anden, 31000 + l, 0, 0, l);
  const uint32_t fag = NyLa(anden, 310, "Fysik");
  NyElti(elev[2], anden);
  AabnBegge();
  ASSERT_EQ(w->Liste.RaekkeAntal, 2u);
  RECT foer;
  GetWindowRect(onsk, &foer);

  // The planning window shows the other group and broadcasts while the
  // activity window was the last active student window.
  SendMessageA(plan, VINDUE_AKTIVER, 1, 0);
  Pw()->SidstAktiv = 2;
  tvtg.AktuelRec = anden;
  Pw()->TgPos.Aktuel = FindObjIdx(Pw()->TgTab, Pw()->TgAntal, anden);
  BuildElevPlanData(Pw());
  tvelev.AktuelRec = elev[2];
  SendMessageA(onsk, AKTUEL_AENDRET, 1, 0);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(w->ByggetTg, anden);
  EXPECT_EQ(std::vector<uint32_t>(w->Liste.Raekker + 1, w->Liste.Raekker + 1 + w->Liste.RaekkeAntal),
            (std::vector<uint32_t>{fag}));
  EXPECT_EQ(Elev(), elev[2]);
  RECT efter;
  GetWindowRect(onsk, &efter);
  EXPECT_EQ((efter.right - efter.left) - (foer.right - foer.left), 8 * (9 - 4)) << "8 pixels a slot more";
  EXPECT_EQ(efter.left, foer.left);

  // Once the planning window was the last active one, the student goes.
  Pw()->SidstAktiv = 1;
  SendMessageA(onsk, AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(w->ElevPos.Aktuel, 0u);
}

// ==================================================================== end to end

class ElevOnskVindueHelhed : public ElevOnskVindueTest {};

TEST_F(ElevOnskVindueHelhed, TwoPlacementsPageDownAndAThirdReachEvOnDisk) {
  Gruppe();
  NyOenske(tg, 503, elev[0], la[1], 2);
  NyOenske(tg, 504, elev[1], la[1], 1);
  tvelev.AktuelRec = elev[0];
  GemElevTabeller();
  AabnBegge();
  ASSERT_EQ(Elev(), elev[0]);
  Til(1);
  Tast(VK_SPACE);
  Tast(VK_SPACE);
  EXPECT_TRUE(Bokse().empty());
  EXPECT_EQ(Placering(la[0], elev[0]), PLACERET);
  EXPECT_EQ(Placering(la[1], elev[0]), PLACERET);
  Tast(VK_NEXT);
  ASSERT_EQ(Elev(), elev[1]);
  Til(RaekkeAf(la[1]));
  Tast(VK_SPACE);
  EXPECT_EQ(Placering(la[1], elev[1]), PLACERET);
  Tast(VK_F4, tavo::test::ModCtrl);
  EXPECT_FALSE(IsWindow(onsk));
  DestroyWindow(plan);

  LaesElevTabeller();
  FrigivElevPlanWS(ws);
  ws = NytElevPlanWS('K', 1);
  tvtg.AktuelRec = FindElevRec(&tdtg, &tvtg, 30);
  BuildElevPlanData(ws);
  auto a = [&](uint32_t id) { return LaPosition(ws, FindElevRec(&tdla, &tvla, id)); };
  auto s = [&](uint32_t id) { return ElevPosition(ws, FindElevRec(&tdelev, &tvelev, id)); };
  EXPECT_EQ(ws->Placeringer(a(300), s(400)), PLACERET);
  EXPECT_EQ(ws->Placeringer(a(301), s(400)), PLACERET);
  EXPECT_EQ(ws->Placeringer(a(301), s(401)), PLACERET);
  EXPECT_EQ(ws->Placeringer(a(300), s(401)), 0);
}

}  // namespace
