// The plan axes (groups, periods, columns, rows by view), the plan grid's
// column geometry and pixel scrolling, its layout for a new size, and the
// drawing of a field line.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "ENS.h"
#include "FARVER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanUtil.h"
#include "PLANAKSER.h"
#include "PLANGITTER.h"
#include "SWITCH.h"
#include "plan_fixtur.h"
#include "tavo/clock.h"
#include "tavo/test_gdi.h"
#include "../ui/pixel_support.h"
#include "windows.h"

using namespace plantest;

namespace {

class PlanAkser : public PlanFixtur {
 protected:
  uint32_t g2 = 0;
  void SetUp() override {
    PlanFixtur::SetUp();
    plan.StyrZ.ObjTab = nullptr;  // built here, freed with the axes
    g2 = NyGruppe("B", kEgen, 20240901, 20250630);
  }
  void TearDown() override {
    FrigivPlanAkser(&plan);
    tavo::ClearFakeClock();
    PlanFixtur::TearDown();
  }
  std::vector<uint32_t> Arter() const { return std::vector<uint32_t>(plan.ObjTypeTabX + 1, plan.ObjTypeTabX + 1 + plan.KolonneAntal); }
  std::vector<uint32_t> Vist() const {
    return std::vector<uint32_t>(plan.Ens.ObjTab + 1, plan.Ens.ObjTab + 1 + plan.Ens.ObjTabAntal);
  }
};

TEST_F(PlanAkser, GroupsSpanAndColumns) {
  NyGruppe("Fremmed", kAnden, 20230801, 20260731);
  NyGruppe("Slettet", kEgen, 20230801, 20260731, 72);
  BygGruppeListe(&plan);
  ASSERT_EQ(plan.StyrZ.Pos.Antal, 2u);
  EXPECT_EQ(plan.StyrZ.ObjTab[1], gruppe);  // by first date
  EXPECT_EQ(plan.StyrZ.ObjTab[2], g2);
  EXPECT_EQ(plan.FoersteUge, 202431u);
  EXPECT_EQ(plan.SidsteUge, 202531u);

  // Periods of 2, 5 (across New Year) and 8 weeks.
  const uint32_t p1 = NyPeriode(gruppe, 202450, 202451);
  const uint32_t p2 = NyPeriode(gruppe, 202452, 202504);
  NyPeriode(gruppe, 202510, 202517);
  (void)p1;
  // A group without periods has only the total column.
  VaelgGruppe(g2);
  BygKolonner(&plan);
  EXPECT_EQ(Arter(), (std::vector<uint32_t>{31}));
  VaelgGruppe(gruppe);
  BygKolonner(&plan);
  std::vector<uint32_t> forventet{31, 32, 33, 33, 32, 33, 33, 33, 33, 33, 32};
  forventet.insert(forventet.end(), 8, 33);
  EXPECT_EQ(Arter(), forventet);
  EXPECT_EQ(std::vector<uint32_t>(plan.UgeTab + 5, plan.UgeTab + 11),
            (std::vector<uint32_t>{202452, 202452, 202501, 202502, 202503, 202504}));
  EXPECT_EQ(plan.PPeriode[7], 2u);
  EXPECT_EQ(plan.UgeTab[19], 202517u);

  // Folded periods show one column; unfolding shows the weeks after it.
  BygSynligeKolonner(&plan);
  EXPECT_EQ(plan.StyrX.Pos.Antal, 4u);
  Rec<FfppRec>(tvffpp, p2)->Udfold = 1;
  BygPeriodeListe(&plan, gruppe);
  BygSynligeKolonner(&plan);
  ASSERT_EQ(plan.StyrX.Pos.Antal, 9u);
  EXPECT_EQ(std::vector<uint32_t>(plan.StyrX.ObjTab + 1, plan.StyrX.ObjTab + 10),
            (std::vector<uint32_t>{1, 2, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(plan.StyrXRev[3], 0u);
  EXPECT_EQ(plan.StyrXRev[11], 9u);

  // After a period change the cursor stays on its week and the first
  // column shown moves one step.
  plan.StyrX.Pos.Aktuel = 5;  // week 202501
  plan.StyrX.Pos.Foerste = 1;
  GenbygKolonner(&plan);
  EXPECT_EQ(plan.UgeTab[plan.StyrX.ObjTab[plan.StyrX.Pos.Aktuel]], 202501u);
  EXPECT_EQ(plan.StyrX.Pos.Foerste, 2u);

  // The sub-views have no total column.
  plan.UnderVisning = 1;
  BygKolonner(&plan);
  EXPECT_EQ(plan.KolonneAntal, 18u);
  EXPECT_EQ(plan.ObjTypeTabX[1], 32u);
}

TEST_F(PlanAkser, WithoutAGroupTheSpanIsThisYearCutToTheSchedulePeriod) {
  Rec<FfpgRec>(tvffpg, gruppe)->Ejer = kAnden;
  Rec<FfpgRec>(tvffpg, g2)->Status = 0;
  tavo::SetFakeClock(1740830400);  // 1 March 2025
  BygGruppeListe(&plan);
  EXPECT_EQ(plan.StyrZ.Pos.Antal, 0u);
  EXPECT_EQ(plan.FoersteUge, 202501u);
  EXPECT_EQ(plan.SidsteUge, 202531u);
  EXPECT_EQ(plan.FoersteAar, 2025u);
}

class PlanAkserRaekker : public PlanAkser {
 protected:
  uint32_t a1 = 0, a2 = 0, a3 = 0, ma = 0, da = 0, e1 = 0, e2 = 0;
  uint32_t h1 = 0, s1 = 0, kopi = 0, skjult = 0, h2 = 0, s3 = 0, f1 = 0, f2 = 0;
  uint32_t m1 = 0, t1 = 0, t2 = 0, t3 = 0, p1 = 0, o1 = 0, t4 = 0;
  static constexpr Uge kUge = 202505;
  void SetUp() override {
    PlanAkser::SetUp();
    a1 = NyAkti("1a", "A");
    a2 = NyAkti("2a", "Gammel", 20230101, 20230601);
    a3 = NyAkti("3a", "Fremmed");
    ma = NySkfa("MA", 'A', "Mat");
    da = NySkfa("DA", 'A', "Dansk");
    e1 = NyAnfo("ABC", "1", "Anne");
    e2 = NyAnfo("XYZ", "1", "Xen");
    AddPgRel(gruppe, e1, 'M');
    IPlan(a1);
    IPlan(a2);
    h1 = Raekke(PLAN_AKTI, a1, 0, 0);
    s1 = Raekke(PLAN_FAG, a1, ma, e1);
    kopi = Raekke(PLAN_FAG, a1, ma, e1);
    R(kopi).KopiAf = s1;
    skjult = Raekke(PLAN_FAG, a1, da, 0);
    R(skjult).Skjult = 1;
    h2 = Raekke(PLAN_AKTI, a2, 0, 0);
    s3 = Raekke(PLAN_FAG, a2, ma, 0);
    f1 = Raekke(PLAN_FREMMED_AKTI, a3, 0, 0, 0, kAnden, g2);
    f2 = Raekke(PLAN_FREMMED_FAG, a3, ma, e1, 0, kAnden, g2);
    m1 = Raekke(PLAN_MEDA, 0, 0, e1);
    t1 = Raekke(PLAN_OPG_TIMER, a1, 0, e1);
    t2 = Raekke(PLAN_OPG_TIMER, a1, 0, e1, 0, kEgen, g2);  // no numbers in the group's weeks
    t3 = Raekke(PLAN_OPG_TIMER, a1, 0, e1, 0, kEgen, g2);
    p1 = Raekke(PLAN_POST, a1, 0, e1);                      // nothing posted
    o1 = Raekke(PLAN_OPG_AKTI, a1, 0, 0);
    t4 = Raekke(PLAN_OPG_TIMER, a1, 0, e2);                 // not a member
    for (uint32_t h : {h1, f1, m1, o1}) R(h).Udfoldet = 1;
    T(s1, kUge).Lektioner = 30;
    T(skjult, kUge).Lektioner = 20;
    T(f2, kUge).Lektioner = 10;
    T(t1, kUge).Timer = 1.5f;
    T(t3, kUge).Timer = 2.0f;
    T(t4, kUge).Timer = 4.0f;
    T(p1, 202510).PostTimer = 0.0f;
  }
  // Every heading's week figures equal the sums of the rows after it up to
  // the next heading (display copies feed nothing).
  void SummerPasser() {
    const std::vector<uint32_t> v = Vist();
    for (size_t i = 0; i < v.size(); ++i) {
      if (!R(v[i]).ErSum) continue;
      int32_t lek = 0;
      float timer = 0;
      for (size_t k = i + 1; k < v.size() && !R(v[k]).ErSum; ++k) {
        if (R(v[k]).KopiAf) continue;
        lek += T(v[k], kUge).Lektioner;
        timer += T(v[k], kUge).Timer;
      }
      EXPECT_EQ(T(v[i], kUge).Lektioner, lek) << "heading " << v[i];
      EXPECT_FLOAT_EQ(T(v[i], kUge).Timer, timer) << "heading " << v[i];
    }
  }
};

TEST_F(PlanAkserRaekker, RowsByView) {
  struct Tilfaelde {
    uint8_t visning;
    std::vector<uint32_t> raekker;
  };
  const Tilfaelde tabel[] = {
      // Headings with their subject rows and copies; hidden rows and
      // activities outside the group's dates left out; another group's
      // activity taught by the group's employee.
      {'A', {h1, s1, kopi, f1, f2}},
      // The employee with the rows of the employment that have numbers.
      {'M', {m1, t1, t3, s1}},
  };
  // Again with a row whose activity and employee numbers are far past
  // every table (a damaged record): it is under no heading, and the rows
  // under the others are found as before.
  for (const bool skadet : {false, true}) {
    if (skadet) {
      const uint32_t r = Raekke(PLAN_FAG, a1, ma, e1);
      R(r).Aktivitet = R(r).Medarbejder1 = 4000000000u;
    }
    for (const Tilfaelde &t : tabel) {
      SCOPED_TRACE(t.visning);
      SCOPED_TRACE(skadet);
      plan.Visning = t.visning;
      BygRaekker(&plan, true);
      EXPECT_EQ(Vist(), t.raekker);
      SummerPasser();
      for (uint32_t i = 1; i <= plan.Ens.ObjTabAntal; ++i) EXPECT_EQ(plan.StyrYRev[plan.Ens.ObjTab[i]], i);
    }
  }
  EXPECT_EQ(plan.StyrYRev[h2], 0u);
  // View 'O': the kind-13 heading with the hours rows of the group's
  // employees, of any group, and their posted rows; not another employee's.
  plan.Visning = 'O';
  BygRaekker(&plan, true);
  const std::vector<uint32_t> v = Vist();
  ASSERT_EQ(v.size(), 5u);
  EXPECT_EQ(v[0], o1);
  EXPECT_EQ(std::set<uint32_t>(v.begin() + 1, v.begin() + 4), (std::set<uint32_t>{t1, t2, t3}));
  EXPECT_EQ(v[4], p1);
  SummerPasser();
  // A folded heading keeps its sums but shows no rows.
  R(o1).Udfoldet = 0;
  BygRaekker(&plan, true);
  EXPECT_EQ(Vist(), (std::vector<uint32_t>{o1}));
  EXPECT_FLOAT_EQ(T(o1, kUge).Timer, 3.5f);
}

// ---- Column geometry and scrolling.

class PlanAkserGitter : public PlanFixtur {
 protected:
  SwitchFelt felter[2]{};
  SwitchLayout layout{};
  SwitchLayout *gemt = nullptr;
  void SetUp() override {
    PlanFixtur::SetUp();
    // Kind 31: 8 x 5 = 40 pixels; kind 32 has no field (0 wide); kind 33:
    // 8 x 7 + 4 = 60.
    felter[0] = {0, 0, 31, 0, 0, 5, 0, 0, 'S', 0, &felter[1]};
    felter[1] = {0, 0, 33, 0, 0, 7, 4, 0, 'S', 0, nullptr};
    layout = {'#', 0, 1, 0, &felter[0], nullptr};
    gemt = ObjSwitchTab[111];
    ObjSwitchTab[111] = &layout;
    plan.LayoutKolonne = {111, '#', 0, 2, 0};
    Kolonner({{31}, {32}, {33}});
    plan.Ens.RudeB[ENS_CELLER] = 50;
  }
  void TearDown() override {
    ObjSwitchTab[111] = gemt;
    PlanFixtur::TearDown();
  }
};

TEST_F(PlanAkserGitter, ColumnGeometry) {
  EXPECT_EQ(KolonneStart(&plan, 1, PLAN_OMR_UGER), 0u);
  EXPECT_EQ(KolonneStart(&plan, 2, PLAN_OMR_UGER), 41u);
  EXPECT_EQ(KolonneStart(&plan, 3, PLAN_OMR_UGER), 42u);  // the 0-wide column keeps its separator
  EXPECT_EQ(KolonnerBredde(&plan, 1), 39u);
  EXPECT_EQ(KolonnerBredde(&plan, 3), 101u);
  const std::pair<uint32_t, uint32_t> ved[] = {{0, 1}, {39, 1}, {40, 2}, {41, 3}, {101, 3}, {102, 4}, {5000, 4}};
  for (auto [x, kol] : ved) EXPECT_EQ(KolonneVedTegn(&plan, x, PLAN_OMR_UGER), kol) << "pixel " << x;
  EXPECT_EQ(KolonneVedTegn(&plan, 0, PLAN_OMR_VENSTRE), 0u);  // no columns
  EXPECT_EQ(SynligeKolonner(&plan, 0, 50), 3u);
  EXPECT_EQ(SynligeKolonner(&plan, 42, 60), 1u);
  EXPECT_EQ(SynligeKolonner(&plan, 0, 0), 0u);
}

TEST_F(PlanAkserGitter, HorizontalScrollByCode) {
  struct Tilfaelde {
    const char *navn;
    uint32_t offset;
    int32_t side;
    WPARAM kode;
    uint32_t ny;
    int resultat;
  };
  const Tilfaelde tabel[] = {
      {"line left at 0 stays", 0, 50, SB_LINELEFT, 0, 0},
      {"line left inside a column", 45, 50, SB_LINELEFT, 42, 8},
      {"line left at a column's start", 42, 50, SB_LINELEFT, 41, 8},
      {"line right: the column at the edge ends there", 0, 50, SB_LINERIGHT, 53, 8},
      {"line right: it already ends there, the next one", 1, 41, SB_LINERIGHT, 62, 8},
      {"line right at the end", 60, 50, SB_LINERIGHT, 60, 0},
      {"page right", 0, 50, SB_PAGERIGHT, 50, 8},
      {"page right near the end: T - p - 1", 10, 50, SB_PAGERIGHT, 51, 8},
      {"page left", 60, 50, SB_PAGELEFT, 10, 8},
      {"page left to 0", 30, 50, SB_PAGELEFT, 0, 8},
      {"thumb", 0, 50, MAKEWPARAM(SB_THUMBTRACK, 45), 45, 8},
      {"other codes", 10, 50, SB_ENDSCROLL, 10, 0},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    plan.Ens.ScrollX = t.offset;
    plan.Ens.RudeB[ENS_CELLER] = t.side;
    EXPECT_EQ(PlanScroll(&plan, WM_HSCROLL, t.kode), t.resultat);
    EXPECT_EQ(plan.Ens.ScrollX, t.ny);
    if (t.resultat) {
      EXPECT_EQ(plan.StyrX.Pos.Foerste, std::min(KolonneVedTegn(&plan, t.ny, PLAN_OMR_UGER), 3u));
    }
  }
  // The cursor column beyond the page comes into view.
  plan.Ens.ScrollX = 0;
  plan.Ens.RudeB[ENS_CELLER] = 50;
  plan.StyrX.Pos.Aktuel = 3;
  EXPECT_TRUE(PlanHScrollInfo(&plan));
  EXPECT_EQ(plan.Ens.ScrollX, 52u);
  EXPECT_EQ(plan.StyrX.Pos.Foerste, 3u);
  // Again: the cursor column now starts before the offset, which goes to
  // its start and stays there.
  EXPECT_TRUE(PlanHScrollInfo(&plan));
  EXPECT_EQ(plan.Ens.ScrollX, 42u);
  EXPECT_FALSE(PlanHScrollInfo(&plan));
  // Back on the first column the offset returns to 0.
  plan.StyrX.Pos.Aktuel = 1;
  EXPECT_TRUE(PlanHScrollInfo(&plan));
  EXPECT_EQ(plan.Ens.ScrollX, 0u);
}

TEST_F(PlanAkserGitter, RowsScrollAndTheWindowAsksForItsSize) {
  Ens &e = plan.Ens;
  e.AkseY = {0, 11, 1, 0, 0};
  e.StyrY = &plan.StyrY.Pos;
  plan.StyrY.Pos = {30, 1, 10, 1};
  e.RudeH[ENS_CELLER] = 110;
  EXPECT_EQ(PlanScroll(&plan, WM_VSCROLL, SB_LINEDOWN), 16);
  EXPECT_EQ(e.ScrollY, 11u);
  EXPECT_EQ(plan.StyrY.Pos.Foerste, 2u);
  EXPECT_EQ(PlanScroll(&plan, WM_VSCROLL, SB_LINEUP), 16);
  EXPECT_EQ(PlanScroll(&plan, WM_VSCROLL, SB_LINEUP), 0);
  EXPECT_EQ(PlanScroll(&plan, WM_COMMAND, SB_LINEUP), 0);
  plan.StyrY.Pos.Aktuel = 30;
  EXPECT_TRUE(PlanVScrollInfo(&plan));
  EXPECT_GE(plan.StyrY.Pos.Foerste + plan.StyrY.Pos.Synlige - 1, 30u);

  // At least 400 by 100, at most what is offered.
  EXPECT_EQ(PlanBredde(&plan, 1000), 400);
  EXPECT_EQ(PlanBredde(&plan, 300), 300);
  EXPECT_GE(PlanHoejde(&plan, 1000), 15 * 11);
  EXPECT_EQ(PlanHoejde(&plan, 50), 50);
}

TEST_F(PlanAkserGitter, LayoutCollapsesForNoRoomAndScrollsRowsBack) {
  HWND far = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, 0, 0, 0, nullptr);
  Ens &e = plan.Ens;
  HWND knapper[2];
  auto barn = [&](const char *klasse) {
    return CreateWindowExA(0, klasse, "", WS_CHILD | WS_VISIBLE, 5, 5, 30, 30, far, 0, 0, nullptr);
  };
  e.hwndRaekkeHoved = barn("STATIC");
  e.hwndKolHoved = barn("STATIC");
  e.hwndCeller = barn("STATIC");
  e.hwndHoejre = barn("STATIC");
  e.hwndHScroll = barn("SCROLLBAR");
  e.hwndVScroll = barn("SCROLLBAR");
  knapper[0] = barn("BUTTON");
  knapper[1] = barn("BUTTON");
  e.hwndSwitchButtons = knapper;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  e.KolHovedHoejde = 20;
  e.RaekkeHovedBredde = 100;
  e.HoejreBredde = 60;
  e.AkseY = {0, 11, 1, 0, 0};
  e.StyrY = &plan.StyrY.Pos;
  plan.StyrY.Pos = {20, 15, 10, 20};
  e.ScrollY = 14 * 11;

  PlanLayout(&e, far, 500, 200, 2);
  ASSERT_GT(e.RudeH[ENS_CELLER], 0);
  const uint32_t passer = static_cast<uint32_t>(e.RudeH[ENS_CELLER]) / 11;
  EXPECT_LT(e.ScrollY, 14u * 11u);
  EXPECT_LE(plan.StyrY.Pos.Foerste - 1 + passer, 20u);
  EXPECT_GE(plan.StyrY.Pos.Foerste + plan.StyrY.Pos.Synlige - 1, 20u);  // the last row is shown
  RECT r;
  GetWindowRect(e.hwndCeller, &r);
  EXPECT_GT(r.right - r.left, 0);

  PlanLayout(&e, far, 0, 0, 2);
  for (HWND h : {e.hwndRaekkeHoved, e.hwndKolHoved, e.hwndCeller, e.hwndHoejre, e.hwndHScroll, e.hwndVScroll,
                 knapper[0], knapper[1]}) {
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(r.bottom - r.top, 0);
  }
  e.hwndSwitchButtons = nullptr;
  DestroyWindow(far);
}

// ---- Field lines.

TEST(PlanAkserLinie, TextColourByBackground) {
  struct Tilfaelde {
    uint8_t baggrund, kald, farve;
  };
  const Tilfaelde tabel[] = {
      {0, 8, 8},   {42, 3, 3},  {3, 8, 16},  {57, 8, 16}, {1, 8, 17},  {58, 8, 17}, {2, 8, 19},
      {59, 8, 19}, {36, 3, 3},  {36, 7, 7},  {36, 8, 8},  {36, 10, 10}, {36, 12, 12}, {36, 16, 5},
      {36, 4, 5},  {46, 8, 8},  {46, 3, 16}, {30, 8, 16},
  };
  for (const Tilfaelde &t : tabel)
    EXPECT_EQ(SwitchLinieTekstFarve(t.baggrund, t.kald), t.farve)
        << "background " << int(t.baggrund) << " callback " << int(t.kald);
}

class PlanAkserTegn : public PlanFixtur {
 protected:
  SwitchFelt felter[2]{};
  SwitchLayout layout{};
  SwitchLayout *gemt = nullptr;
  HDC dc = 0;
  HBITMAP bmp = 0;
  EnsDC edc{};
  void SetUp() override {
    PlanFixtur::SetUp();
    // Two fields of 40 pixels with 1-pixel lines: ffpgrel's group and
    // employment.
    felter[0] = {1, 1, 1, 0, 0, 4, 6, 1, 'S', 0, &felter[1]};
    felter[1] = {1, 1, 3, 0, 0, 4, 6, 1, 'S', 0, nullptr};
    layout = {0xF8, 0, 1, 0, &felter[0], nullptr};
    gemt = ObjSwitchTab[105];
    ObjSwitchTab[105] = &layout;
    HDC skaerm = GetDC(0);
    dc = CreateCompatibleDC(skaerm);
    bmp = CreateCompatibleBitmap(skaerm, 200, 40);
    ReleaseDC(0, skaerm);
    SelectObject(dc, bmp);
    RECT alt{0, 0, 200, 40};
    FillRect(dc, &alt, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    edc = {dc, 255, 255};
    if (!FarveBrush[36]) InitPalette();
    tavo::test::ClearDrawnTexts();
  }
  void TearDown() override {
    DeleteDC(dc);
    DeleteObject(bmp);
    ObjSwitchTab[105] = gemt;
    PlanFixtur::TearDown();
  }
};

void Tekst2(void *, const SwitchFelt *, uint32_t i, void *, char *tekst, uint8_t *farve) {
  memcpy(tekst, i == 0 ? "AAAA" : "BBBB", 4);
  *farve = 8;
}

// The line's background leaves out the fields' strips, which are filled
// over it afterwards: the pixels stay those of the background filled whole
// first, for strips of one and two pixels or none, texts that reach the
// strips, every field or one, with and without the trailing fill.
TEST_F(PlanAkserTegn, TheLinePaintsTheSamePixelsAsWithTheBackgroundFilledWholeFirst) {
  SwitchFelt mange[4]{};
  mange[0] = {2, 0, 1, 0, 0, 4, 0, 1, 'S', 0, &mange[1]};
  mange[1] = {0, 0, 3, 0, 0, 4, 2, 2, 'S', 0, &mange[2]};
  mange[2] = {1, 0, 1, 0, 0, 3, 0, 0, 'S', 0, &mange[3]};
  mange[3] = {1, 3, 3, 0, 0, 2, 1, 1, 'S', 0, nullptr};
  for (SwitchFelt *foerste : {&felter[0], &mange[0]}) {
    layout.FoersteFelt = foerste;
    for (const uint8_t bund : {0, 1, 19, 36})
      for (const bool etFelt : {false, true}) {
        SCOPED_TRACE(std::to_string(bund) + (etFelt ? ", one field" : ", every field"));
        pixeltest::SammePixels(200, 40, [&](HDC hdc) {
          EnsDC d{hdc, 255, 255};
          TegnSwitchLinie(Tekst2, nullptr, &d, 3, 2, bund, 105, '\xF8', 0, 1, nullptr, 11, 0, 10, etFelt, true);
          TegnSwitchLinie(Tekst2, nullptr, &d, -5, 24, bund, 105, '\xF8', 0, 0, nullptr, 11, 0, 0, etFelt, false);
        });
      }
  }
}

TEST_F(PlanAkserTegn, OneFieldAndTheForeignKeyChain) {
  // One field: its text only, nothing beyond it but the trailing fill.
  TegnSwitchLinie(Tekst2, nullptr, &edc, 0, 0, 19, 105, '\xF8', 0, 1, nullptr, 11, 0, 10, true, true);
  auto t = tavo::test::DrawnTexts();
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].text, "BBBB");
  EXPECT_EQ(t[0].x, 2);
  // The field is 41 pixels wide; the trailing fill (a patterned brush)
  // covers the next 10 and nothing after it; the line is 22 pixels high.
  auto gemalet = [&](int fra, int til, int y) {
    for (int x = fra; x < til; ++x)
      if (tavo::test::SurfacePixel(dc, x, y) != RGB(0, 0, 0)) return true;
    return false;
  };
  EXPECT_TRUE(gemalet(41, 51, 5));
  EXPECT_TRUE(gemalet(41, 51, 6));
  EXPECT_FALSE(gemalet(51, 200, 5));
  EXPECT_FALSE(gemalet(0, 200, 22));
  EXPECT_TRUE(gemalet(0, 51, 21));

  // The employment field of a membership shows the employee's initials:
  // ffpgrel -> anfo, whose field 1 is itself a key -> meda.
  const uint32_t anfo = NyAnfo("ABC", "1", "Anne");
  const uint32_t rel = AddPgRel(gruppe, anfo, 'M');
  ASSERT_NE(rel, 0u);
  tavo::test::ClearDrawnTexts();
  EXPECT_TRUE(TegnFeltVaerdi(&edc, 105, '\xF8', 0, 1, &tdffpgrel, &tvffpgrel, rel, 0, 0, nullptr));
  t = tavo::test::DrawnTexts();
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].text.substr(0, 3), "ABC");
  EXPECT_FALSE(TegnFeltVaerdi(&edc, 105, '\xF8', 0, 1, &tdffpgrel, &tvffpgrel, 999, 0, 0, nullptr));
}

}  // namespace
