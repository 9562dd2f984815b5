// The plan window's painting on a window of the plan's five panes: what is
// drawn where (the draw log) and in which colours (the pixels).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "FARVER.h"
#include "FF_PlanUtil.h"
#include "PLANGITTER.h"
#include "PlanTegn.h"
#include "plantegning_fixtur.h"

using namespace plantest;
using tavo::test::DrawnText;

namespace {

class PlanTegning : public PlanTegningFixtur {
 protected:
  // The texts drawn in one cell of a pane.
  std::vector<DrawnText> CelleTekster(HWND rude, uint32_t omraade, uint32_t kol, uint32_t raekke) {
    const int x = PlanKolonneX(&plan, kol, omraade), y = PlanRaekkeY(&plan, raekke);
    const int b = static_cast<int>(KolonneBreddeIOmraade(&plan, kol, omraade));
    std::vector<DrawnText> v;
    for (const DrawnText &t : Tekster(rude))
      if (t.x >= x && t.x < x + b && t.y + t.height > y && t.y + t.height <= y + PlanRaekkeHoejde(&plan))
        v.push_back(t);
    return v;
  }
  std::vector<DrawnText> KolonneTekster(HWND rude, uint32_t omraade, uint32_t kol) {
    const int x = PlanKolonneX(&plan, kol, omraade);
    const int b = static_cast<int>(KolonneBreddeIOmraade(&plan, kol, omraade));
    std::vector<DrawnText> v;
    for (const DrawnText &t : Tekster(rude))
      if (t.x >= x && t.x < x + b) v.push_back(t);
    return v;
  }
  // What a text takes in the status line's font.
  static int Bredde(const char *t, HFONT f) {
    HDC dc = CreateCompatibleDC(0);
    HGDIOBJ gammel = SelectObject(dc, f);
    SIZE str{0, 0};
    GetTextExtentPoint32A(dc, t, static_cast<int>(strlen(t)), &str);
    SelectObject(dc, gammel);
    DeleteDC(dc);
    return std::max(8 * static_cast<int>(strlen(t)), static_cast<int>(str.cx));
  }
  HWND StatusRude() { return static_cast<HWND>(SendMessageA(E().hwndToolbar, ENS_TOOLBAR_RUDE, 0, 0)); }
};

TEST_F(PlanTegning, WithoutARowTableNothingIsPaintedNotEvenTheCaption) {
  Aabn();
  free(E().ObjTab);
  E().ObjTab = nullptr;
  snprintf(E().Titel, sizeof E().Titel, "%s", "uændret");
  TegnPlan(&plan, PLAN_TEGN_ALT);
  EXPECT_TRUE(tavo::test::DrawnTexts().empty());
  EXPECT_STREQ(E().Titel, "uændret");
  // With the row table back, all of it.
  Orden({hoved, fag1});
  TegnPlan(&plan, PLAN_TEGN_ALT);
  EXPECT_NE(Tekst(Tekster(vindue), "Planlægning - TAVO  [LEKTION-MODE]"), nullptr);
  EXPECT_FALSE(Tekster(E().hwndRaekkeHoved).empty());
}

TEST_F(PlanTegning, AWindowUpdateRepaintsOnlyAfterARelayout) {
  Aabn();
  E().ScrollY = 3 * 14;  // further down than four rows need
  OpdaterPlanVindue(&plan, false);
  EXPECT_TRUE(tavo::test::DrawnTexts().empty());
  EXPECT_EQ(E().ScrollY, 3u * 14u);
  OpdaterPlanVindue(&plan, true);
  EXPECT_EQ(E().ScrollY, 0u);
  EXPECT_NE(Tekst(Tekster(E().hwndRaekkeHoved), "1a Da, Dansk"), nullptr);
}

TEST_F(PlanTegning, TheRowCursorIsKeptWithinTheRows) {
  Aabn();
  const struct {
    uint32_t aktuel, vist;
  } tilfaelde[] = {{0, 1}, {5, 4}, {99, 4}, {3, 3}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "cursor " << t.aktuel);
    plan.StyrY.Pos.Aktuel = t.aktuel;
    TegnPlan(&plan, PLAN_TEGN_ALT);
    EXPECT_EQ(plan.StyrY.Pos.Aktuel, t.vist);
    EXPECT_EQ(plan.StyrY.Forrige, t.vist);
    // The cursor row's summary cells.
    for (uint32_t r = 1; r <= 4; ++r)
      EXPECT_EQ(CellePixel(E().hwndHoejre, PLAN_OMR_HOEJRE, 2, r, 1, 1) == FarveTab[2], r == t.vist) << "row " << r;
  }
}

TEST_F(PlanTegning, TheCaptionByHourModeAndSubView) {
  Aabn();
  const struct {
    uint32_t timer;
    uint8_t under;
    const char *titel;
  } tilfaelde[] = {
      {0, 0, "Planlægning - TAVO  [LEKTION-MODE]"},
      {1, 0, "Planlægning - TAVO  [TIME-MODE]"},
      {1, 1, "Planlægning - TAVO - Rettearbejde"},
      {1, 2, "Planlægning - TAVO - Eksametid"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.titel);
    plan.MedaVisning = t.timer;
    plan.UnderVisning = t.under;
    tavo::test::ClearDrawnTexts();
    TegnPlan(&plan, PLAN_TEGN_ALT);
    EXPECT_STREQ(E().Titel, t.titel);
    EXPECT_NE(Tekst(Tekster(vindue), t.titel), nullptr);
  }
}

TEST_F(PlanTegning, WeekHeadersShowTheYearOverWeek01AndAfterAPeriodColumn) {
  Aabn();
  TegnPlan(&plan, PLAN_TEGN_ALT);
  const int H = E().RudeH[ENS_KOLHOVED];
  struct Linje {
    std::string tekst;
    int y;
  };
  const struct {
    uint32_t kol;
    std::vector<Linje> linjer;
  } tilfaelde[] = {
      {3, {{"24", H - 24}, {"51", H - 13}}},  // right after the period column
      {4, {{"52", H - 13}}},
      {5, {{"25", H - 24}, {"01", H - 13}}},  // week 01
      {6, {{"46", H - 13}}},
      {2, {{"32-", H - 24}, {"04", H - 13}}},  // the period itself
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "column " << t.kol);
    const std::vector<DrawnText> v = KolonneTekster(E().hwndKolHoved, PLAN_OMR_UGER, t.kol);
    std::vector<std::string> skrevet;
    for (const DrawnText &d : v)
      if (d.text.size() > 1) skrevet.push_back(d.text);  // the fold mark's glyphs are single bytes
    ASSERT_EQ(skrevet.size(), t.linjer.size()) << testing::PrintToString(skrevet);
    for (const Linje &l : t.linjer) {
      const DrawnText *d = Tekst(v, l.tekst);
      ASSERT_NE(d, nullptr) << l.tekst;
      EXPECT_EQ(d->y, l.y) << l.tekst;
    }
  }
}

TEST_F(PlanTegning, TheStatusLineNamesTheGroupAndItsDates) {
  const struct {
    uint8_t egen;
    char visning;
    const char *navn;
    uint8_t navnFyld;
    bool opg;
  } tilfaelde[] = {
      {kEgen, 'A', "Fag 24/25 ", 0, false},
      {kAnden, 'A', "7-Fag 24/25 ", 36, false},  // a group of installation 7 seen from installation 3
      {kEgen, 'M', "Fag 24/25 ", 0, true},
  };
  Aabn();
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    GlobalIndstillinger.insnr = t.egen;
    plan.Visning = static_cast<uint8_t>(t.visning);
    tavo::test::ClearDrawnTexts();
    TegnPlan(&plan, PLAN_TEGN_ALT);
    const std::vector<DrawnText> v = Tekster(StatusRude());
    // Each piece takes 8 pixels a character, or more where the bold face
    // runs wider; a label 3 more.
    const int etiket = Bredde("Plan gruppe: ", TxtFontFed) + 3, navn = Bredde(t.navn, TxtFont),
              periode = Bredde("Periode: ", TxtFontFed) + 3;
    const struct {
      const char *tekst;
      int x;
    } dele[] = {{"Plan gruppe: ", 0},
                {t.navn, etiket},
                {"Periode: ", etiket + navn},
                {"20240801-20250731", etiket + navn + periode}};
    for (const auto &d : dele) {
      const DrawnText *s = Tekst(v, d.tekst);
      ASSERT_NE(s, nullptr) << d.tekst;
      EXPECT_EQ(s->x, d.x) << d.tekst;
      EXPECT_EQ(s->text_color, FarveTab[16]) << d.tekst;
    }
    EXPECT_EQ(tavo::test::WindowPixel(StatusRude(), etiket + 1, 1), FarveTab[t.navnFyld]);
    const DrawnText *opg = Tekst(v, "Opg. periode");
    ASSERT_EQ(opg != nullptr, t.opg);
    if (opg) {
      RECT rc;
      GetClientRect(StatusRude(), &rc);
      EXPECT_EQ(opg->x + Bredde("Opg. periode", TxtFontFed), rc.right - 5);
    }
  }
}

TEST_F(PlanTegning, ColoursByCase) {
  enum Rude { RAEKKER, CELLER, SUM };
  struct Tilfaelde {
    const char *navn;
    std::function<void()> saet;
    Rude rude;
    uint32_t kol, raekke;
    int fyld;   // -1: not checked
    int tekst;  // -1: not checked
  };
  const Tilfaelde tilfaelde[] = {
      {"the cursor cell of an active window",
       [this] { E().Aktiv = 1, plan.StyrX.Pos.Aktuel = 6, plan.StyrY.Pos.Aktuel = 2; }, CELLER, 6, 2,
       1, 17},
      {"the cursor cell of an inactive window", [this] { plan.StyrX.Pos.Aktuel = 6, plan.StyrY.Pos.Aktuel = 2; },
       CELLER, 6, 2, 2, 19},
      {"a hidden subject row's caption", [this] { R(fag2).Skjult = 1; }, RAEKKER, 2, 3, 36, -1},
      {"a kind-14 row of a team activity",
       [this] {
         plan.Visning = 'M';
         plan.ObjTypeTab[fag2] = PLAN_OPG_TIMER;
       },
       RAEKKER, 2, 3, 45, 5},
      {"a week cell spread from the group", [this] { T(fag1, kUge).PlanStatus = 8; }, CELLER, 6, 2, 30,
       16},
      {"a week cell spread from a period", [this] { T(fag1, kUge).PlanStatus = 16; }, CELLER, 6, 2, 30,
       10},
      {"a week cell rounded on load", [this] { T(fag1, kUge).PlanStatus = 256 | 8; }, CELLER, 6, 2, 30,
       8},
      {"a week cell of another installation", [this] { T(fag1, kUge).PlanStatus = 1 | 8; }, CELLER, 6,
       2, 46, 16},
      {"a week cell with posted hours", [this] { T(fag1, kUge).PlanStatus = 2 | 8; }, CELLER, 6, 2, 46,
       16},
      {"Bud over the budget", [this] { R(fag1).Budget = 5; }, SUM, 3, 2, 30, 8},
      {"Bud within the budget", [this] { R(fag1).Budget = 8; }, SUM, 3, 2, 30, 16},
      {"Bud with the derived-value bit", [this] { R(fag1).Budget = FFGRUND_AFLEDT | 5; }, SUM, 3, 2,
       30, 8},
      {"MAX of 29 lessons", [this] { R(fag1).MaxLektioner = 290; }, SUM, 1, 2, 48, 8},
      {"MAX of 28 lessons", [this] { R(fag1).MaxLektioner = 280; }, SUM, 1, 2, 48, 16},
      {"a period of the marking-work view whose activity the group cannot plan",
       [this] { plan.UnderVisning = 1; }, CELLER, 2, 2, 9, -1},
      {"a period of the marking-work view whose activity the group can plan",
       [this] {
         plan.UnderVisning = 1;
         Ny(tdffpgrel, tvffpgrel, FfpgrelRec{0, gruppe, akti, 0, kEgen, 0, 64});
       },
       CELLER, 2, 2, 30, -1},
  };
  Aabn();
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    plan.StyrX.Pos.Aktuel = 2;
    plan.StyrY.Pos.Aktuel = 1;
    t.saet();
    tavo::test::ClearDrawnTexts();
    TegnPlan(&plan, PLAN_TEGN_ALT);
    const HWND rude = t.rude == RAEKKER ? E().hwndRaekkeHoved : t.rude == CELLER ? E().hwndCeller : E().hwndHoejre;
    const uint32_t omraade = t.rude == RAEKKER ? PLAN_OMR_VENSTRE : t.rude == CELLER ? PLAN_OMR_UGER : PLAN_OMR_HOEJRE;
    if (t.fyld >= 0) {
      EXPECT_EQ(CellePixel(rude, omraade, t.kol, t.raekke, 1, 0), Fylder(t.fyld));
    }
    if (t.tekst >= 0) {
      const std::vector<DrawnText> v = CelleTekster(rude, omraade, t.kol, t.raekke);
      ASSERT_FALSE(v.empty());
      for (const DrawnText &d : v) EXPECT_EQ(d.text_color, FarveTab[t.tekst]) << d.text << " at " << d.x << "," << d.y << " bk " << d.bk_color;
    }
    // Back to the fixture's plan.
    E().Aktiv = 0;
    plan.Visning = 'A';
    plan.UnderVisning = 0;
    plan.ObjTypeTab[fag2] = PLAN_FAG;
    R(fag1).Budget = R(fag1).MaxLektioner = 0;
    R(fag2).Skjult = 0;
    T(fag1, kUge).PlanStatus = 0;
  }
}

TEST_F(PlanTegning, DayStripesOfAWeekCell) {
  // Ends on the Tuesday of the schedule period's first week, which begins
  // on a Thursday.
  const uint32_t kort = NyAkti("3c Hi", "Historie", 20240701, 20240730);
  TabRec<AktiRec>(tvakti, kort)->skka_id = TabRec<AktiRec>(tvakti, akti)->skka_id;
  const uint32_t hoved3 = Raekke(PLAN_AKTI, kort, 0, 0);
  Orden({hoved, fag1, fag2, hoved2, hoved3});
  Kolonner({{31}, {32, 1}, {33, 1, 202431}, {33, 1, 202452}, {33, 1, kUge}, {32, 2}});
  Aabn();
  const struct {
    const char *navn;
    uint32_t kol, raekke;
    bool cursor;
    int dage[5];
  } tilfaelde[] = {
      {"outside the schedule period, then outside the activity", 3, 5, false, {36, 36, 9, 9, 9}},
      {"no school in the Christmas week", 4, 1, false, {49, 49, 49, 49, 49}},
      {"all masks empty", 5, 1, false, {45, 45, 45, 45, 45}},
      {"a subject row, all masks empty", 5, 2, false, {30, 30, 30, 30, 30}},
      {"the cursor cell", 3, 5, true, {2, 2, 2, 2, 2}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    plan.StyrX.Pos.Aktuel = t.cursor ? t.kol : 1;
    plan.StyrY.Pos.Aktuel = t.cursor ? t.raekke : 4;
    TegnPlan(&plan, PLAN_TEGN_ALT);
    const int b = static_cast<int>(KolonneBreddeIOmraade(&plan, t.kol, PLAN_OMR_UGER));
    for (int d = 0; d < 5; ++d) {
      const int dx = d < 4 ? d * (b / 5) + 2 : b - 3;
      EXPECT_EQ(CellePixel(E().hwndCeller, PLAN_OMR_UGER, t.kol, t.raekke, dx, 0), Fylder(t.dage[d]))
          << "day " << d + 1;
    }
  }
}

TEST_F(PlanTegning, FoldMarksOfRowsAndPeriods) {
  R(hoved2).Udfoldet = 0;  // folded: a click unfolds it
  Aabn();
  TegnPlan(&plan, PLAN_TEGN_ALT);
  auto Glyf = [&](HWND rude, uint32_t omraade, uint32_t kol, int raekke) -> std::string {
    std::string g;
    const std::vector<DrawnText> v =
        raekke ? CelleTekster(rude, omraade, kol, static_cast<uint32_t>(raekke)) : KolonneTekster(rude, omraade, kol);
    for (const DrawnText &d : v)
      if (d.text.size() == 1 && (d.text[0] == '\x83' || d.text[0] == '\x84')) g += d.text;
    return g;
  };
  EXPECT_EQ(Glyf(E().hwndRaekkeHoved, PLAN_OMR_VENSTRE, 1, 1), "\x84");  // unfolded
  EXPECT_EQ(Glyf(E().hwndRaekkeHoved, PLAN_OMR_VENSTRE, 1, 2), "");      // a subject row has none
  EXPECT_EQ(Glyf(E().hwndRaekkeHoved, PLAN_OMR_VENSTRE, 1, 4), "\x83");  // folded
  EXPECT_EQ(Glyf(E().hwndKolHoved, PLAN_OMR_UGER, 2, 0), "\x84");       // period 1 is unfolded
  EXPECT_EQ(Glyf(E().hwndKolHoved, PLAN_OMR_UGER, 7, 0), "\x83");
  EXPECT_EQ(Glyf(E().hwndKolHoved, PLAN_OMR_UGER, 1, 0), "\x84");  // the columns disagree
  // The caption header: folded only when every row would unfold.
  EXPECT_EQ(Glyf(E().hwndHjoerneV, PLAN_OMR_VENSTRE, 1, 0), "\x84");
  R(hoved).Udfoldet = 0;
  Orden({hoved, hoved2});
  tavo::test::ClearDrawnTexts();
  TegnPlan(&plan, PLAN_TEGN_ALT);
  EXPECT_EQ(Glyf(E().hwndHjoerneV, PLAN_OMR_VENSTRE, 1, 0), "\x83");
  EXPECT_EQ(Glyf(E().hwndRaekkeHoved, PLAN_OMR_VENSTRE, 1, 1), "\x83");
}

TEST_F(PlanTegning, ADownKeyRepaintsOnlyThePreviousAndTheNewRow) {
  R(fag1).PerTab[1].Lektioner = 80;
  R(fag2).PerTab[1].Lektioner = 50;
  Aabn();
  plan.StyrY.Pos.Aktuel = 2;
  TegnPlan(&plan, PLAN_TEGN_ALT);
  plan.StyrY.Pos.Aktuel = 3;
  tavo::test::ClearDrawnTexts();
  TegnPlan(&plan, PLAN_TEGN_RAEKKE);
  const int top = PlanRaekkeY(&plan, 2), bund = PlanRaekkeY(&plan, 3) + PlanRaekkeHoejde(&plan);
  for (HWND rude : {E().hwndRaekkeHoved, E().hwndCeller, E().hwndHoejre}) {
    const std::vector<DrawnText> v = Tekster(rude);
    int i2 = 0, i3 = 0;
    for (const DrawnText &d : v) {
      EXPECT_GT(d.y + d.height, top) << d.text;
      EXPECT_LE(d.y + d.height, bund) << d.text;
      (d.y + d.height <= PlanRaekkeY(&plan, 3) ? i2 : i3)++;
    }
    EXPECT_GT(i2, 0);
    EXPECT_GT(i3, 0);
  }
  for (HWND rude : {E().hwndKolHoved, E().hwndHjoerneV, E().hwndHjoerneH}) EXPECT_TRUE(Tekster(rude).empty());
  // The old cursor cell and the new one, as a whole repaint shows them.
  EXPECT_EQ(CellePixel(E().hwndCeller, PLAN_OMR_UGER, 2, 2, 1, 0), FarveTab[0]);
  EXPECT_EQ(CellePixel(E().hwndCeller, PLAN_OMR_UGER, 2, 3, 1, 0), FarveTab[2]);
  EXPECT_EQ(CellePixel(E().hwndHoejre, PLAN_OMR_HOEJRE, 2, 2, 1, 0), FarveTab[30]);
  EXPECT_EQ(CellePixel(E().hwndHoejre, PLAN_OMR_HOEJRE, 2, 3, 1, 0), FarveTab[2]);
}

TEST_F(PlanTegning, AnActiveWindowMakesTheCursorRowsObjectsCurrent) {
  Aabn();
  E().Aktiv = 1;
  static Plan *kaldt = nullptr;
  PlanVindueKrog.SaetPlanPeriode = [](Plan *p) { kaldt = p; };
  const struct {
    char visning;
    uint32_t lx;  // the caption column under the cursor
    uint32_t akti, anfo, objekt;
  } tilfaelde[] = {
      {'A', 0, akti, anne, akti},
      {'A', 4, akti, bo, akti},  // on the M2 column
      {'M', 4, akti, 0, anne},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << t.visning << " column " << t.lx);
    plan.Visning = static_cast<uint8_t>(t.visning);
    plan.StyrLX.Pos.Aktuel = t.lx;
    plan.StyrY.Pos.Aktuel = 2;
    kaldt = nullptr;
    TegnPlan(&plan, PLAN_TEGN_ALT);
    EXPECT_EQ(tvakti.AktuelRec, t.akti);
    EXPECT_EQ(tvanfo.AktuelRec, t.anfo);
    EXPECT_EQ(plan.ValgtObjekt, t.objekt);
    EXPECT_EQ(kaldt, &plan);
  }
  // An inactive window leaves them.
  E().Aktiv = 0;
  tvakti.AktuelRec = 0;
  kaldt = nullptr;
  TegnPlan(&plan, PLAN_TEGN_ALT);
  EXPECT_EQ(tvakti.AktuelRec, 0u);
  EXPECT_EQ(kaldt, nullptr);
  PlanVindueKrog.SaetPlanPeriode = nullptr;
}

TEST_F(PlanTegning, AnActivityCanBePlannedInTheGroupBetweenTwoDates) {
  const uint32_t medlem = Ny(tdffpgrel, tvffpgrel, FfpgrelRec{0, gruppe, akti, 0, kEgen, 0, 64});
  AktiRec &a = *TabRec<AktiRec>(tvakti, akti);
  const struct {
    const char *navn;
    std::function<void()> saet;
    Dato fra, til;
    bool kan;
  } tilfaelde[] = {
      {"a live team activity of the group", [] {}, 20241111, 20241115, true},
      {"dates before the activity's", [] {}, 20240722, 20240726, false},
      {"the last day overlaps", [] {}, 20240729, 20240801, true},
      {"not a member of the group", [&] { TabRec<FfpgrelRec>(tvffpgrel, medlem)->Status = 0; }, 20241111, 20241115,
       false},
      {"no team", [&] { memcpy(a.Type, "OVAK", 5); }, 20241111, 20241115, false},
      {"cancelled", [&] { a.Aflyst = 'J'; }, 20241111, 20241115, false},
      {"deleted in EASY", [&] { a.Slettet_i_EASY = 1; }, 20241111, 20241115, false},
      {"not live", [&] { a.Status = 30; }, 20241111, 20241115, false},
      {"archived", [&] { a.Gruppe = 0x80000000u; }, 20241111, 20241115, false},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    const AktiRec gemt = a;
    t.saet();
    EXPECT_EQ(AktiKanPlanlaegges(akti, gruppe, t.fra, t.til), t.kan);
    a = gemt;
    TabRec<FfpgrelRec>(tvffpgrel, medlem)->Status = 64;
  }
  EXPECT_FALSE(AktiKanPlanlaegges(akti, 0, 20241111, 20241115));
}

TEST_F(PlanTegning, ANumberCellIsFilledWrittenAndClosed) {
  Aabn();
  EnsDC *dc = &E().dc[ENSDC_CELLER];
  PlanTegnTal(dc, 42, 4, 10, 100, 40, 14, 46, 8);
  const std::vector<DrawnText> v = Tekster(E().hwndCeller);
  ASSERT_EQ(v.size(), 1u);
  EXPECT_EQ(v[0].text, "  42");
  EXPECT_EQ(v[0].x, 10);
  EXPECT_EQ(v[0].y, 100);
  EXPECT_EQ(v[0].text_color, FarveTab[8]);
  EXPECT_EQ(tavo::test::WindowPixel(E().hwndCeller, 10, 113), FarveTab[46]);
  EXPECT_EQ(tavo::test::WindowPixel(E().hwndCeller, 49, 113), FarveTab[46]);
  EXPECT_EQ(tavo::test::WindowPixel(E().hwndCeller, 50, 105), GetSysColor(COLOR_3DDKSHADOW));
}

TEST(PlanTegningRegler, TheBudgetIsExceededWhenTheWholeLessonsPassIt) {
  Plan plan{};
  GrundRaekke raekker[2]{};
  plan.GrundTab = raekker;
  plan.GrundTabAntal = 1;
  const struct {
    uint32_t budget, tiendedele;
    bool over;
  } tilfaelde[] = {
      {0, 500, false}, {5, 50, false}, {5, 54, false}, {5, 55, true},  // 5.5 lessons round to 6
      {FFGRUND_AFLEDT | 5, 60, true}, {FFGRUND_AFLEDT, 60, false},
  };
  for (const auto &t : tilfaelde) {
    raekker[1].Budget = t.budget;
    raekker[1].SumLektioner = t.tiendedele;
    EXPECT_EQ(PlanBudgetOverskredet(&plan, 1), t.over) << t.budget << " / " << t.tiendedele;
  }
  EXPECT_FALSE(PlanBudgetOverskredet(&plan, 2));
}

}  // namespace
