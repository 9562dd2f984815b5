// The docking layout: geometry and fitting over given layout rectangles,
// the choice of a section, cells made on a test main window with recording
// cell and divider classes, and layouts written to and read back from
// ini\skrm.ini, damaged ones included. B is 14 throughout (c0 = 1).

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "../datamappe.h"
#include "ELEMENT.h"
#include "GEMNING.h"
#include "FONTE.h"
#include "LOGFIL.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "ens_support.h"
#include "tavo/test_file.h"

inline bool operator==(const Plads &a, const Plads &b) {
  return a.x == b.x && a.y == b.y && a.bredde == b.bredde && a.hoejde == b.hoejde;
}
inline std::ostream &operator<<(std::ostream &os, const Plads &p) {
  return os << "(" << p.x << "," << p.y << " " << p.bredde << "x" << p.hoejde << ")";
}

namespace {

using tavo::test::PumpUntilIdle;

constexpr int kB = 14;

void TomTabeller() {
  std::memset(DeskTab, 0, sizeof DeskTab);
  std::memset(SectionTab, 0, sizeof SectionTab);
  std::memset(ElementTab, 0, sizeof ElementTab);
}

// One cell of the model: its length and what its object window wants along
// and across.
struct C {
  int32_t laengde, langs, tvaers;
};

// Section s of desk d with the cells given; the desk gets at least s + 1
// sections.
void SaetSektion(int d, int s, int32_t tykkelse, const std::vector<C> &celler) {
  if (DeskTab[d].AntalSektioner < s + 1) DeskTab[d].AntalSektioner = s + 1;
  Sektion(d, s) = SectionRec{(uint32_t)d, (uint32_t)s, tykkelse, 0, (int32_t)celler.size()};
  for (size_t k = 0; k < celler.size(); ++k) {
    ElementCelle &c = Celle(d, s, (int)k);
    std::memset(&c, 0, sizeof c);
    c.Desk = (uint32_t)d;
    c.Sektion = (uint32_t)s;
    c.Nr = (uint32_t)k;
    c.Art = 40000u + (uint32_t)(d * 100 + s * 10 + (int)k);
    c.Laengde = celler[k].laengde;
    c.IndholdLangs = celler[k].langs;
    c.IndholdTvaers = celler[k].tvaers;
    snprintf(c.Titel, sizeof c.Titel, "Celle %d%d%zu", d, s, k);
  }
}

std::vector<int32_t> Laengder(int d, int s) {
  std::vector<int32_t> v;
  for (int k = 0; k < Sektion(d, s).AntalCeller; ++k) v.push_back(+Celle(d, s, k).Laengde);
  return v;
}

// "desk:thickness/cells,..." for the four desks.
std::string Form() {
  std::ostringstream o;
  for (int d = 0; d < kAntalDesks; ++d) {
    o << (d ? " " : "") << d << ":";
    for (int s = 0; s < DeskTab[d].AntalSektioner; ++s)
      o << (s ? "," : "") << Sektion(d, s).Tykkelse << "/" << Sektion(d, s).AntalCeller;
  }
  return o.str();
}

// What must hold of the tables whatever was read: counts within the
// layout's limits, every record where its slot says, titles ended, empty
// entries all zero and, with windows, a window for every cell.
std::string Brud(bool medVinduer) {
  std::ostringstream o;
  static const ElementCelle tomCelle{};
  static const SectionRec tomSektion{};
  for (int d = 0; d < kAntalDesks; ++d) {
    const int n = DeskTab[d].AntalSektioner;
    if (n < 0 || n > 2) o << "desk " << d << " sections " << n << ";";
    for (int s = 0; s < kSektionerPrDesk; ++s) {
      const SectionRec &r = Sektion(d, s);
      const bool findes = s < n;
      if (!findes && std::memcmp(&r, &tomSektion, sizeof r) != 0) o << "section " << d << s << " not empty;";
      if (findes && (r.Desk != (uint32_t)d || r.Sektion != (uint32_t)s || r.Tykkelse < 1 || r.AntalCeller < 1 ||
                     r.AntalCeller > 5))
        o << "section " << d << s << " broken;";
      for (int k = 0; k < kCellerPrSektion; ++k) {
        const ElementCelle &c = Celle(d, s, k);
        if (!findes || k >= r.AntalCeller) {
          if (std::memcmp(&c, &tomCelle, sizeof c) != 0) o << "slot " << d << s << k << " not empty;";
          continue;
        }
        if (c.Desk != (uint32_t)d || c.Sektion != (uint32_t)s || c.Nr != (uint32_t)k)
          o << "cell " << d << s << k << " fields;";
        if (!std::memchr(c.Titel, 0, sizeof c.Titel)) o << "cell " << d << s << k << " title;";
        if (c.Laengde < 0 || c.IndholdLangs < 0 || c.IndholdTvaers < 0) o << "cell " << d << s << k << " size;";
        if (medVinduer && !IsWindow(c.hwndElement)) o << "cell " << d << s << k << " window;";
      }
    }
  }
  return o.str();
}

class ModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gemtB = TitelBaand;
    gemtL = LayoutRect;
    TitelBaand = kB;
    TomTabeller();
  }
  void TearDown() override {
    TomTabeller();
    TitelBaand = gemtB;
    LayoutRect = gemtL;
  }
  int gemtB = 0;
  RECT gemtL{};
};

// ---------------------------------------------------------------------------
// Geometry

class SkaermLayoutGeometri : public ModelTest {};

TEST_F(SkaermLayoutGeometri, DeskLengthsSectionsAndDividersWithBothVerticalDesks) {
  // A main client area of 1000 x 700: L = (1, 1) - (997, 697).
  LayoutRect = RECT{1, 1, 997, 697};
  SaetSektion(0, 0, 100, {{50, 10, 10}});
  SaetSektion(0, 1, 80, {{50, 10, 10}});
  SaetSektion(2, 0, 120, {{50, 10, 10}});
  SaetSektion(3, 0, 60, {{50, 10, 10}});
  SaetSektion(1, 0, 50, {{50, 10, 10}});
  SaetSektion(1, 1, 40, {{50, 10, 10}});
  BeregnDeskLaengder();
  // W = 100 + 80 + 120 + 2 x 3 = 306.
  EXPECT_EQ(+DeskTab[0].Laengde, 697);
  EXPECT_EQ(+DeskTab[2].Laengde, 697);
  EXPECT_EQ(+DeskTab[1].Laengde, 691);
  EXPECT_EQ(+DeskTab[3].Laengde, 691);
  EXPECT_EQ(DeskStart(0), 1);
  EXPECT_EQ(DeskStart(2), 1);
  EXPECT_EQ(DeskStart(1), 123);
  EXPECT_EQ(DeskStart(3), 123);
  struct Tilfaelde {
    int d, s;
    Plads sektion, divider;
  };
  const Tilfaelde tilfaelde[] = {
      {0, 0, {898, 1, 100, 697}, {896, 1, 2, 697}}, {0, 1, {816, 1, 80, 697}, {814, 1, 2, 697}},
      {2, 0, {1, 1, 120, 697}, {121, 1, 2, 697}},   {3, 0, {123, 1, 691, 60}, {123, 61, 691, 2}},
      {1, 0, {123, 648, 691, 50}, {123, 646, 691, 2}}, {1, 1, {123, 606, 691, 40}, {123, 604, 691, 2}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    EXPECT_EQ(SektionPlads(t.d, t.s), t.sektion) << "desk " << t.d << " section " << t.s;
    EXPECT_EQ(SektionDividerPlads(t.d, t.s), t.divider) << "desk " << t.d << " section " << t.s;
  }
}

// Every pixel of the layout rectangle lies in exactly one section or
// divider, or in the free middle that the desktop takes: the desks' widths
// and heights with 2 pixels per section, counted from the edges.
TEST_F(SkaermLayoutGeometri, SectionsAndDividersTileTheLayoutAroundTheFreeMiddle) {
  struct Opsaetning {
    const char *navn;
    int t[4][2];  // thickness per desk and section, 0: none
  };
  const Opsaetning opsaetninger[] = {
      {"none", {{0, 0}, {0, 0}, {0, 0}, {0, 0}}},
      {"all eight", {{100, 80}, {50, 40}, {120, 90}, {60, 30}}},
      {"vertical only", {{70, 0}, {0, 0}, {33, 21}, {0, 0}}},
      {"horizontal only", {{0, 0}, {25, 0}, {0, 0}, {45, 19}}},
      {"one each", {{18, 0}, {18, 0}, {18, 0}, {18, 0}}},
  };
  LayoutRect = RECT{1, 1, 597, 417};
  const int bredde = 597, hoejde = 417;
  for (const Opsaetning &o : opsaetninger) {
    TomTabeller();
    for (int d = 0; d < 4; ++d)
      for (int s = 0; s < 2; ++s)
        if (o.t[d][s]) SaetSektion(d, s, o.t[d][s], {{30, 10, 10}});
    BeregnDeskLaengder();
    std::vector<int> daekket((size_t)(bredde + 1) * (hoejde + 1), 0);
    auto marker = [&](const Plads &p) {
      for (int y = p.y; y < p.y + p.hoejde; ++y)
        for (int x = p.x; x < p.x + p.bredde; ++x) {
          ASSERT_TRUE(x >= 1 && x <= bredde && y >= 1 && y <= hoejde) << o.navn << " " << p;
          ++daekket[(size_t)y * (bredde + 1) + x];
        }
    };
    for (int d = 0; d < 4; ++d)
      for (int s = 0; s < DeskTab[d].AntalSektioner; ++s) {
        marker(SektionPlads(d, s));
        marker(SektionDividerPlads(d, s));
      }
    auto kant = [&](int d) { return o.t[d][0] + o.t[d][1] + 2 * ((o.t[d][0] > 0) + (o.t[d][1] > 0)); };
    const int venstre = 1 + kant(2), hoejre = bredde - kant(0), top = 1 + kant(3), bund = hoejde - kant(1);
    for (int y = 1; y <= hoejde; ++y)
      for (int x = 1; x <= bredde; ++x) {
        const bool midte = x >= venstre && x <= hoejre && y >= top && y <= bund;
        ASSERT_EQ(daekket[(size_t)y * (bredde + 1) + x], midte ? 0 : 1) << o.navn << " at " << x << "," << y;
      }
  }
}

TEST_F(SkaermLayoutGeometri, CellsAndTheirDividersShareTheSectionTheLastTakingTheRest) {
  LayoutRect = RECT{1, 1, 997, 697};
  SaetSektion(2, 0, 120, {{100, 10, 10}, {200, 10, 10}, {50, 10, 10}});
  SaetSektion(3, 0, 60, {{300, 10, 10}, {40, 10, 10}});
  SaetSektion(1, 0, 70, {{999, 10, 10}});  // one cell: the whole desk whatever it says
  BeregnDeskLaengder();
  struct Tilfaelde {
    int d, s, k;
    Plads celle, divider;
  };
  const Tilfaelde tilfaelde[] = {
      {2, 0, 0, {1, 1, 120, 100}, {1, 1, 0, 0}},
      {2, 0, 1, {1, 103, 120, 200}, {1, 101, 120, 2}},
      {2, 0, 2, {1, 305, 120, 393}, {1, 303, 120, 2}},
      // Desk 3 starts after desk 2's section and divider, 997 - 122 = 875 long.
      {3, 0, 0, {123, 1, 300, 60}, {123, 1, 0, 0}},
      {3, 0, 1, {425, 1, 573, 60}, {423, 1, 2, 60}},
      {1, 0, 0, {123, 628, 875, 70}, {123, 628, 0, 0}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    EXPECT_EQ(CellePlads(t.d, t.s, t.k), t.celle) << "cell " << t.d << t.s << t.k;
    EXPECT_EQ(CelleDividerPlads(t.d, t.s, t.k), t.divider) << "cell " << t.d << t.s << t.k;
  }
  // Cells and dividers cover the section end to end.
  for (int d : {2, 3}) {
    const Plads sek = SektionPlads(d, 0);
    int32_t naeste = LodretDesk(d) ? sek.y : sek.x;
    for (int k = 0; k < Sektion(d, 0).AntalCeller; ++k) {
      const Plads c = CellePlads(d, 0, k), dv = CelleDividerPlads(d, 0, k);
      EXPECT_EQ(LodretDesk(d) ? dv.y : dv.x, naeste) << "divider " << d << k;
      naeste += LodretDesk(d) ? dv.hoejde : dv.bredde;
      EXPECT_EQ(LodretDesk(d) ? c.y : c.x, naeste) << "cell " << d << k;
      naeste += LodretDesk(d) ? c.hoejde : c.bredde;
    }
    EXPECT_EQ(naeste, LodretDesk(d) ? sek.y + sek.hoejde : sek.x + sek.bredde) << "desk " << d;
  }
}

TEST_F(SkaermLayoutGeometri, ObjectWindowAndButtonsInVerticalAndHorizontalCells) {
  struct Tilfaelde {
    int d;
    int32_t t, len, c;
    Plads objekt, luk, str;
  };
  const Plads ingen{0, 0, 0, 0};
  const Tilfaelde tilfaelde[] = {
      // Vertical: the object window against the inner side when the cell is
      // thicker than it wants.
      {0, 100, 300, 80, {18, 17, 80, 281}, {85, 3, 12, 12}, {72, 3, 12, 12}},
      {0, 84, 300, 80, {2, 17, 80, 281}, {69, 3, 12, 12}, {56, 3, 12, 12}},
      {0, 85, 300, 80, {3, 17, 80, 281}, {70, 3, 12, 12}, {57, 3, 12, 12}},
      {0, 60, 300, 80, {2, 17, 56, 281}, {45, 3, 12, 12}, {32, 3, 12, 12}},
      // No area at len <= B + 18 or t < 17.
      {2, 100, 32, 80, ingen, {85, 3, 12, 12}, {72, 3, 12, 12}},
      {2, 100, 33, 80, {18, 17, 80, 14}, {85, 3, 12, 12}, {72, 3, 12, 12}},
      {2, 16, 300, 10, ingen, {1, 3, 12, 12}, {0, 3, 0, 0}},
      {2, 17, 300, 10, {5, 17, 10, 281}, {2, 3, 12, 12}, {0, 3, 0, 0}},
      // No size button below 31.
      {0, 30, 300, 20, {8, 17, 20, 281}, {15, 3, 12, 12}, {0, 3, 0, 0}},
      {0, 31, 300, 20, {9, 17, 20, 281}, {16, 3, 12, 12}, {3, 3, 12, 12}},
      // Horizontal: the band at the left, the buttons stacked in it.
      {1, 100, 300, 80, {17, 18, 281, 80}, {3, 3, 12, 12}, {3, 16, 12, 12}},
      {3, 60, 300, 80, {17, 2, 281, 56}, {3, 3, 12, 12}, {3, 16, 12, 12}},
      {3, 30, 300, 20, {17, 8, 281, 20}, {3, 3, 12, 12}, {3, 16, 0, 0}},
      {1, 100, 32, 80, ingen, {3, 3, 12, 12}, {3, 16, 12, 12}},
      {1, 16, 300, 10, ingen, {3, 3, 12, 12}, {3, 16, 0, 0}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    TomTabeller();
    // One cell takes the whole desk: the layout rectangle gives its length.
    LayoutRect = LodretDesk(t.d) ? RECT{0, 0, 999, t.len - 1} : RECT{0, 0, t.len - 1, 999};
    SaetSektion(t.d, 0, t.t, {{5, 10, t.c}});
    BeregnDeskLaengder();
    ASSERT_EQ(CellePlads(t.d, 0, 0), (LodretDesk(t.d) ? Plads{t.d == 2 ? 0 : 999 - t.t + 1, 0, t.t, t.len}
                                                      : Plads{0, t.d == 3 ? 0 : 999 - t.t + 1, t.len, t.t}));
    const std::string navn = "desk " + std::to_string(t.d) + " t " + std::to_string(t.t) + " len " +
                             std::to_string(t.len) + " c " + std::to_string(t.c);
    EXPECT_EQ(ObjektPlads(t.d, 0, 0), t.objekt) << navn;
    EXPECT_EQ(LukKnapPlads(t.d, 0, 0), t.luk) << navn;
    EXPECT_EQ(StrKnapPlads(t.d, 0, 0), t.str) << navn;
  }
}

// ---------------------------------------------------------------------------
// Fitting

class SkaermLayoutTilpas : public ModelTest {};

TEST_F(SkaermLayoutTilpas, FitCellRangeGrowsAndShrinksFromEitherEnd) {
  // Content along 81: every cell wants B + 81 + 5 = 100.
  struct Tilfaelde {
    const char *navn;
    std::vector<int32_t> foer;
    int foerste, sidste;
    int32_t maal;
    std::vector<int32_t> efter;
  };
  const Tilfaelde tilfaelde[] = {
      {"range ends the section: grows from the first", {60, 60, 60, 60}, 0, 3, 346, {100, 100, 80, 60}},
      {"range before the last: grows from its end", {60, 60, 60, 60}, 0, 2, 284, {80, 100, 100, 60}},
      {"never beyond the wanted length", {60, 60, 60, 60}, 1, 3, 5000, {60, 100, 100, 100}},
      {"a cell longer than it wants is brought back", {150, 60}, 0, 1, 222, {100, 100}},
      {"no change, no growth back", {150, 60}, 0, 1, 212, {150, 60}},
      {"range after cell 0: shrinks from its start", {60, 60, 60, 60}, 1, 3, 98, {60, 19, 19, 56}},
      {"range from cell 0: shrinks from its end", {60, 60, 60, 60}, 0, 3, 150, {60, 46, 19, 19}},
      {"never below B + 5", {60, 60, 60}, 0, 2, 0, {19, 19, 19}},
      {"one cell", {60}, 0, 0, 30, {30}},
      {"an empty range changes nothing", {60, 60}, 1, 0, 0, {60, 60}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    TomTabeller();
    std::vector<C> celler;
    for (int32_t l : t.foer) celler.push_back({l, 81, 10});
    SaetSektion(0, 1, 50, celler);
    FitCellRange(0, 1, t.foerste, t.sidste, t.maal);
    EXPECT_EQ(Laengder(0, 1), t.efter) << t.navn;
  }
}

TEST_F(SkaermLayoutTilpas, FitDeskCellsFitsEverySectionToTheDesk) {
  LayoutRect = RECT{0, 0, 799, 299};  // vertical desks 300 long
  SaetSektion(0, 0, 50, {{60, 81, 10}, {60, 81, 10}});    // grows: 100, 100
  SaetSektion(0, 1, 50, {{200, 81, 10}, {200, 81, 10}});  // shrinks from the end: 200, 98
  BeregnDeskLaengder();
  FitDeskCells(0);
  EXPECT_EQ(Laengder(0, 0), (std::vector<int32_t>{100, 100}));
  EXPECT_EQ(Laengder(0, 1), (std::vector<int32_t>{200, 98}));
}

TEST_F(SkaermLayoutTilpas, ShrinkSectionStopsAt18) {
  struct Tilfaelde {
    int32_t tykkelse, behov;
    int32_t efter, rest;
  };
  const Tilfaelde tilfaelde[] = {
      {100, 30, 70, 0},  // enough: loses what is needed
      {48, 30, 18, 0},   // exactly down to 18
      {40, 30, 18, 8},   // reaches 18 and leaves the rest
      {18, 5, 18, 5},
      {16, 5, 16, 5},    // already thinner: not widened to 18
      {100, 0, 100, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    TomTabeller();
    SaetSektion(1, 0, t.tykkelse, {{30, 10, 10}});
    EXPECT_EQ(ShrinkSection(1, 0, t.behov), t.rest) << t.tykkelse << " less " << t.behov;
    EXPECT_EQ(+Sektion(1, 0).Tykkelse, t.efter) << t.tykkelse << " less " << t.behov;
  }
  TomTabeller();
  EXPECT_EQ(ShrinkSection(1, 1, 5), 5);  // no section
  EXPECT_EQ(+Sektion(1, 1).Tykkelse, 0);
}

TEST_F(SkaermLayoutTilpas, FitElementsToDeskThinsSectionsInTheFixedOrder) {
  // Vertical desks: 100 + 80 + 120 + 90 + 2 x 4 = 398; the middle keeps 249
  // of width, so the sections thin once right - left < 647. Horizontal
  // desks: 50 + 40 + 60 + 30 + 8 = 188, thinning below bottom - top = 367.
  struct Tilfaelde {
    int32_t bredde, hoejde;  // right - left, bottom - top
    int t00, t01, t20, t21, t10, t11, t30, t31;
  };
  const Tilfaelde tilfaelde[] = {
      {647, 367, 100, 80, 120, 90, 50, 40, 60, 30},
      {617, 367, 100, 50, 120, 90, 50, 40, 60, 30},   // (0,1) first
      {585, 367, 100, 18, 120, 90, 50, 40, 60, 30},   // (0,1) down to 18
      {500, 367, 87, 18, 120, 18, 50, 40, 60, 30},    // then (2,1), then (0,0)
      {300, 367, 18, 18, 18, 18, 50, 40, 60, 30},     // all at 18, none below
      {647, 357, 100, 80, 120, 90, 50, 30, 60, 30},   // (1,1) first
      {647, 333, 100, 80, 120, 90, 50, 18, 60, 18},   // then (3,1)
      {647, 296, 100, 80, 120, 90, 18, 18, 55, 18},   // then (1,0), then (3,0)
      {400, 100, 18, 18, 89, 18, 18, 18, 18, 18},
  };
  for (const Tilfaelde &t : tilfaelde) {
    TomTabeller();
    LayoutRect = RECT{1, 1, 1 + t.bredde, 1 + t.hoejde};
    const int ts[4][2] = {{100, 80}, {50, 40}, {120, 90}, {60, 30}};
    // Each section holds two cells wanting 100 along.
    for (int d = 0; d < 4; ++d)
      for (int s = 0; s < 2; ++s) SaetSektion(d, s, ts[d][s], {{300, 81, 10}, {300, 81, 10}});
    FitElementsToDesk();
    const std::string navn = std::to_string(t.bredde) + " x " + std::to_string(t.hoejde);
    const int forventet[4][2] = {{t.t00, t.t01}, {t.t10, t.t11}, {t.t20, t.t21}, {t.t30, t.t31}};
    for (int d = 0; d < 4; ++d)
      for (int s = 0; s < 2; ++s)
        EXPECT_EQ(+Sektion(d, s).Tykkelse, forventet[d][s]) << navn << " section " << d << s;
    // The desks measured again and their cells fitted: each desk's cells
    // add up to its length, or all stand at B + 5.
    EXPECT_EQ(+DeskTab[0].Laengde, t.hoejde + 1) << navn;
    EXPECT_EQ(+DeskTab[1].Laengde, t.bredde + 1 - SamletTykkelse(true)) << navn;
    for (int d = 0; d < 4; ++d)
      for (int s = 0; s < 2; ++s) {
        const std::vector<int32_t> l = Laengder(d, s);
        const int32_t sum = l[0] + l[1] + 2;
        if (sum != DeskTab[d].Laengde) {
          EXPECT_EQ(l, (std::vector<int32_t>{19, 19})) << navn << " desk " << d;
        }
      }
  }
}

TEST_F(SkaermLayoutTilpas, MakeRoomForSectionThinsTheSameDeskThenTheOppositeOne) {
  // Width 700: the vertical sections may take 451 with their dividers.
  LayoutRect = RECT{0, 0, 700, 500};
  struct Tilfaelde {
    const char *navn;
    int d, s;
    int t[4][2];       // before
    int efter[4][2];   // after
  };
  const Tilfaelde tilfaelde[] = {
      {"fits", 2, 1, {{100, 0}, {0, 0}, {100, 100}, {0, 0}}, {{100, 0}, {0, 0}, {100, 100}, {0, 0}}},
      // 200 + 150 + 100 + 50 + 8 = 508: 57 too many; section 0 of the same
      // desk gives them.
      {"own section 0 first", 2, 1, {{100, 50}, {0, 0}, {200, 150}, {0, 0}}, {{100, 50}, {0, 0}, {143, 150}, {0, 0}}},
      // 100 + 30 + 40 + 330 + 8 = 508: 57; section 0 of the same desk to 18,
      // then the opposite desk's inner section, then its outer one.
      {"then the opposite desk", 2, 1, {{100, 30}, {0, 0}, {40, 330}, {0, 0}}, {{77, 18}, {0, 0}, {18, 330}, {0, 0}}},
      // 450 + 30 + 40 + 6 = 526: 75; the opposite desk gives 34, the grown
      // section the rest.
      {"the grown section last", 0, 0, {{450, 0}, {0, 0}, {30, 40}, {0, 0}}, {{409, 0}, {0, 0}, {18, 18}, {0, 0}}},
      // Horizontal: height 500 keeps 179, so 321 with dividers: 100 + 250 +
      // 30 + 6 = 386, 65 from section 0 of the same desk.
      {"horizontal", 1, 1, {{0, 0}, {100, 250}, {0, 0}, {30, 0}}, {{0, 0}, {35, 250}, {0, 0}, {30, 0}}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    TomTabeller();
    for (int d = 0; d < 4; ++d)
      for (int s = 0; s < 2; ++s)
        if (t.t[d][s]) SaetSektion(d, s, t.t[d][s], {{40, 81, 10}});
    MakeRoomForSection(t.d, t.s, false);
    for (int d = 0; d < 4; ++d)
      for (int s = 0; s < 2; ++s) EXPECT_EQ(+Sektion(d, s).Tykkelse, t.efter[d][s]) << t.navn << " " << d << s;
    if (LodretDesk(t.d)) {
      EXPECT_EQ(+DeskTab[1].Laengde, 701 - SamletTykkelse(true)) << t.navn;
    }
  }
}

// ---------------------------------------------------------------------------
// Choosing a section

class SkaermLayoutValg : public ModelTest {};

TEST_F(SkaermLayoutValg, ChooseSectionRulesOneToTenTiesToSectionOne) {
  // Desk 0, 600 long; the main window wide enough for a new section unless
  // a case narrows it. A section is (thickness, cell lengths).
  struct S {
    int32_t t;
    std::vector<int32_t> celler;
  };
  struct Tilfaelde {
    const char *regel;
    std::vector<S> sektioner;
    int32_t lw, tw;
    int32_t bredde;  // right - left
    int forventet;
  };
  const std::vector<int32_t> fem = {50, 50, 50, 50, 50};
  const Tilfaelde tilfaelde[] = {
      {"1: only section 0 fits", {{100, {200}}}, 100, 50, 999, 0},
      {"1: both fit, the thinner", {{100, {200}}, {120, {200}}}, 100, 50, 999, 0},
      {"1: both fit, the thinner is 1", {{120, {200}}, {100, {200}}}, 100, 50, 999, 1},
      {"1: both fit, a tie", {{100, {200}}, {100, {200}}}, 100, 50, 999, 1},
      {"2: section 0 too thin", {{40, {200}}, {100, {200}}}, 100, 50, 999, 1},
      {"2: section 0 full", {{100, fem}, {100, {200}}}, 100, 50, 999, 1},
      {"3: both too thin, the thicker", {{45, {200}}, {40, {200}}}, 100, 50, 999, 0},
      {"3: both too thin, a tie", {{40, {200}}, {40, {200}}}, 100, 50, 999, 1},
      {"3: section 0 alone too thin", {{40, {200}}}, 100, 50, 200, 0},
      {"4: section 0 too short", {{100, {550}}, {40, {200}}}, 100, 50, 999, 1},
      {"5: a new section 1 rather than a short one", {{100, {550}}}, 100, 50, 999, 1},
      {"5: a new section 0", {}, 100, 50, 999, 0},
      {"6: both too short, the less used", {{100, {590}}, {100, {560}}}, 100, 50, 999, 1},
      {"6: both too short, the less used is 0", {{100, {560}}, {100, {590}}}, 100, 50, 999, 0},
      {"6: both too short, a tie", {{100, {560}}, {100, {560}}}, 100, 50, 999, 1},
      {"6: no room across for a new one", {{100, {560}}}, 100, 50, 400, 0},
      {"7: section 0 thin and short", {{40, {560}}, {100, {560}}}, 100, 50, 999, 1},
      {"8: both thin and short, the thicker", {{45, {560}}, {40, {560}}}, 100, 50, 999, 0},
      {"8: both thin and short, a tie", {{40, {560}}, {40, {560}}}, 100, 50, 999, 1},
      {"9: section 0 full, 1 thin and short", {{100, fem}, {40, {560}}}, 100, 50, 999, 1},
      {"10: section 0 full and no room across", {{100, fem}}, 100, 50, 400, 1},
      {"10: both full", {{100, fem}, {100, fem}}, 100, 50, 999, -1},
  };
  for (const Tilfaelde &t : tilfaelde) {
    TomTabeller();
    LayoutRect = RECT{0, 0, t.bredde, 599};
    for (size_t s = 0; s < t.sektioner.size(); ++s) {
      std::vector<C> celler;
      for (int32_t l : t.sektioner[s].celler) celler.push_back({l, 10, 10});
      SaetSektion(0, (int)s, t.sektioner[s].t, celler);
    }
    BeregnDeskLaengder();
    EXPECT_EQ(ChooseSection(0, t.lw, t.tw), t.forventet) << "rule " << t.regel;
  }
}

// ---------------------------------------------------------------------------
// Windows: a test main window that makes object windows on 1134, a desktop
// that counts 1034, and recording cell and divider classes.

struct Optagelse {
  std::vector<std::string> oprettet;  // "E<d><s><k> <title>", "V<kind><d><s><n>", "H..."
  std::vector<std::pair<WPARAM, HWND>> spurgt;  // 1134: kind, element window
  std::vector<std::pair<HWND, WPARAM>> aktiveret;  // 1100 to object windows
  int frieArealer = 0;  // 1034 to the desktop
  uint32_t umulig = 0;  // the kind the main window cannot make
};
Optagelse &Opt() {
  static Optagelse o;
  return o;
}

LRESULT CALLBACK OptElementProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CREATE) {
    auto *slot = static_cast<ElementCelle *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(slot));
    std::ostringstream o;
    o << "E" << slot->Desk << slot->Sektion << slot->Nr << " " << slot->Titel;
    if (slot != &Celle((int)slot->Desk, (int)slot->Sektion, (int)slot->Nr)) o << " (wrong slot)";
    Opt().oprettet.push_back(o.str());
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

LRESULT DividerProc(char klasse, HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CREATE) {
    auto *ds = static_cast<DivideStruct *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ds));
    std::ostringstream o;
    o << klasse << ds->Art << ds->Desk << ds->Sektion << ds->Nr;
    Opt().oprettet.push_back(o.str());
    return 0;
  }
  if (m == WM_DESTROY) free(reinterpret_cast<DivideStruct *>(GetWindowLongPtrA(h, GWLP_USERDATA)));
  return DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK OptVerProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DividerProc('V', h, m, w, l); }
LRESULT CALLBACK OptHorProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DividerProc('H', h, m, w, l); }

LRESULT CALLBACK OptObjektProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == VINDUE_AKTIVER) Opt().aktiveret.push_back({h, w});
  return DefWindowProcA(h, m, w, l);
}

LRESULT CALLBACK OptHovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ELEMENT_OPRET_OBJEKT) {
    Opt().spurgt.push_back({w, (HWND)l});
    if (w == Opt().umulig) return 0;
    return (LRESULT)CreateWindowExA(0, "SkrmObjekt", "", WS_CHILD, 0, 0, 10, 10, (HWND)l, 0, 0, nullptr);
  }
  return DefWindowProcA(h, m, w, l);
}

LRESULT CALLBACK OptDesktopProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ELEMENT_FRIT_AREAL) ++Opt().frieArealer;
  return DefWindowProcA(h, m, w, l);
}

// Tables compared field by field, window handles and drawing records aside.
std::string UdenHandles() {
  std::ostringstream o;
  for (const DeskRec &d : DeskTab) o << d.Laengde << "/" << d.AntalSektioner << " ";
  o << "|";
  for (const SectionRec &s : SectionTab) o << s.Desk << s.Sektion << "/" << s.Tykkelse << "/" << s.AntalCeller << " ";
  o << "|";
  for (const ElementCelle &c : ElementTab)
    o << c.Desk << c.Sektion << c.Nr << "/" << +c.Aktiv << "/" << c.Art << "/" << c.Laengde << "/" << c.IndholdLangs
      << "/" << c.IndholdTvaers << "/" << c.Titel << " ";
  return o.str();
}

class VindueTest : public wfb_test::UiTest {
 protected:
  void SetUp() override {
    wfb_test::UiTest::SetUp();
    Opt() = Optagelse{};
    gemtB = TitelBaand;
    TitelBaand = kB;
    TomTabeller();
    std::string skabelon = (std::filesystem::temp_directory_path() / "skrmXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    std::filesystem::create_directories(rod / "ini");
    std::filesystem::create_directories(rod / "data");
    std::filesystem::create_directories(rod / "log");
    gemtSti = StiTab;
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(rod).c_str());
    snprintf(StiTab.szskrm, sizeof StiTab.szskrm, "%sini\\skrm.ini", StiTab.szdata);
    ASSERT_EQ(AabnLog(), 1);

    wfb_test::Registrer("ElementWndClass", OptElementProc);
    wfb_test::Registrer("VerDivideWndClass", OptVerProc);
    wfb_test::Registrer("HorDivideWndClass", OptHorProc);
    wfb_test::Registrer("SkrmObjekt", OptObjektProc);
    wfb_test::Registrer("SkrmHoved", OptHovedProc);
    wfb_test::Registrer("SkrmDesktop", OptDesktopProc);
    hoved = CreateWindowExA(0, "SkrmHoved", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 700, 0, 0,
                            0, nullptr);
    desktop = CreateWindowExA(0, "SkrmDesktop", "", WS_CHILD | WS_VISIBLE, 200, 100, 500, 400, hoved, 0, 0, nullptr);
    hwndHoved = hoved;
    hwndDesktop = desktop;
    LayoutRect = RECT{1, 1, 997, 697};
    PumpUntilIdle();
  }
  void TearDown() override {
    wfb_test::UiTest::TearDown();  // the windows go, their records with them
    TomTabeller();
    hwndHoved = hwndDesktop = 0;
    LayoutRect = RECT{0, 0, 0, 0};
    TitelBaand = gemtB;
    LukLog();
    StiTab = gemtSti;
    std::error_code ec;
    std::filesystem::remove_all(rod, ec);
  }

  // What CloseAllElements leaves: no layout window and empty tables.
  void TomLayout() {
    for (int d = 0; d < kAntalDesks; ++d)
      for (int s = 0; s < kSektionerPrDesk; ++s) {
        DestroyWindow(Sektion(d, s).hwndDivider);
        for (int k = 0; k < kCellerPrSektion; ++k) {
          DestroyWindow(Celle(d, s, k).hwndDivider);
          DestroyWindow(Celle(d, s, k).hwndElement);
        }
      }
    TomTabeller();
    PumpUntilIdle();
  }

  std::string Loggen() const {
    std::ifstream i(rod / "log" / "tavo.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }
  std::string SkrmIni() const {
    std::ifstream i(rod / "ini" / "skrm.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }

  // The window's rectangle in its parent's client coordinates.
  static Plads IForaelder(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(h), &p);
    return Plads{p.x, p.y, r.right - r.left, r.bottom - r.top};
  }
  static BWS *Knap(HWND h) { return reinterpret_cast<BWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

  HWND hoved = 0, desktop = 0;
  std::filesystem::path rod;
  StiTabData gemtSti{};
  int gemtB = 0;
};

class SkaermLayoutVinduer : public VindueTest {};

TEST_F(SkaermLayoutVinduer, CellsAreMadeSavedAndRestoredWithTheirWindows) {
  struct Ny {
    int32_t bredde, hoejde;
    int desk;
    const char *titel;
    uint32_t art;
  };
  const Ny nye[] = {
      {150, 100, 0, "Aktuel", 40154},        {150, 100, 0, "H U S K  ! ! !", 40176},
      {150, 100, 0, "Kalender", 40223},      {150, 100, 0, "Opgørelse", 40187},
      {150, 100, 0, "TimeOpg", 40203},       {300, 400, 2, "Aktivitetsskema", 40009},
      {250, 350, 2, "LærerSkema", 40011},
  };
  std::vector<HWND> elementer;
  for (const Ny &n : nye) {
    HWND el = CreateElementWnd(n.bredde, n.hoejde, n.desk, true, n.titel, n.art);
    ASSERT_NE(el, (HWND)0) << n.titel;
    elementer.push_back(el);
  }
  PumpUntilIdle();
  // Desk 0 takes a section for the first cell and stacks the other four in
  // it; on desk 2 the second schedule is too long for what is left of
  // section 0 and gets a section of its own.
  const std::vector<std::string> oprettet = {
      "V1000", "E000 Aktuel",    "H2000", "E001 H U S K  ! ! !", "H2001", "E002 Kalender", "H2002",
      "E003 Opgørelse", "H2003", "E004 TimeOpg", "H2004", "V1200", "E200 Aktivitetsskema", "H2200",
      "V1210", "E210 LærerSkema", "H2210"};
  EXPECT_EQ(Opt().oprettet, oprettet);
  EXPECT_EQ(Opt().frieArealer, 7);
  EXPECT_EQ(CountElements(), 7);
  EXPECT_EQ(Form(), "0:154/5 1: 2:304/1,254/1 3:");
  EXPECT_EQ(Laengder(0, 0), (std::vector<int32_t>{119, 119, 119, 119, 119}));
  EXPECT_EQ(Brud(true), "");
  for (int k = 0; k < 5; ++k) {
    const ElementCelle &c = Celle(0, 0, k);
    EXPECT_EQ(+c.hwndElement, elementer[(size_t)k]);
    EXPECT_EQ(+c.IndholdLangs, 100);
    EXPECT_EQ(+c.IndholdTvaers, 150);
    // The caption buttons: close (picture 2) and size (picture 3), small,
    // in the element window and telling it.
    const BWS *luk = Knap(c.hwndLuk), *str = Knap(c.hwndStr);
    ASSERT_TRUE(luk && str) << "cell " << k;
    EXPECT_EQ(luk->id, 1u);
    EXPECT_EQ(str->id, 2u);
    EXPECT_EQ(luk->value, 0u);
    EXPECT_EQ(luk->style & 0xFF00u, 0x2200u);
    EXPECT_EQ(str->style & 0xFF00u, 0x3200u);
    EXPECT_EQ(luk->target, +c.hwndElement);
    EXPECT_EQ(GetParent(c.hwndStr), +c.hwndElement);
    EXPECT_TRUE(IsWindowVisible(c.hwndLuk));
  }

  // Placed, every window stands where the geometry says.
  PlaceAllDesks();
  PumpUntilIdle();
  for (int d : {0, 2})
    for (int s = 0; s < DeskTab[d].AntalSektioner; ++s) {
      EXPECT_EQ(IForaelder(Sektion(d, s).hwndDivider), SektionDividerPlads(d, s));
      for (int k = 0; k < Sektion(d, s).AntalCeller; ++k) {
        const ElementCelle &c = Celle(d, s, k);
        EXPECT_EQ(IForaelder(c.hwndElement), CellePlads(d, s, k)) << d << s << k;
        EXPECT_EQ(IForaelder(c.hwndDivider), CelleDividerPlads(d, s, k)) << d << s << k;
        EXPECT_EQ(IForaelder(c.hwndLuk), LukKnapPlads(d, s, k)) << d << s << k;
      }
    }

  // Cell 0 of desk 0 is set to its full length (content + 15) with the last
  // cell taking the rest, the schedule of section 1 is the active one, and
  // the main window cannot make the kind of cell 0.
  Celle(0, 0, 0).Laengde = 115;
  Celle(0, 0, 4).Laengde = 697 - (115 + 3 * 119 + 8);
  Celle(2, 1, 0).Aktiv = 1;
  Opt().umulig = 40154;
  const std::string foer = UdenHandles();
  ASSERT_TRUE(GemSkrmLayout(4, nullptr, nullptr));
  TomLayout();
  Opt().oprettet.clear();
  Opt().frieArealer = 0;
  EXPECT_EQ(CountElements(), 0);

  LoadSkrmLayout(4);
  PumpUntilIdle();
  EXPECT_EQ(UdenHandles(), foer);
  EXPECT_EQ(Brud(true), "");
  // The same windows again, desk by desk, in the same order.
  EXPECT_EQ(Opt().oprettet, oprettet);
  EXPECT_EQ(Opt().frieArealer, 1);
  // The main window was asked for each cell's object window, in order.
  std::vector<std::pair<WPARAM, HWND>> spurgt;
  for (int d : {0, 2})
    for (int s = 0; s < DeskTab[d].AntalSektioner; ++s)
      for (int k = 0; k < Sektion(d, s).AntalCeller; ++k)
        spurgt.push_back({+Celle(d, s, k).Art, +Celle(d, s, k).hwndElement});
  EXPECT_EQ(Opt().spurgt, spurgt);
  EXPECT_EQ(+Celle(0, 0, 0).hwndObjekt, (HWND)0);
  for (int d : {0, 2})
    for (int s = 0; s < DeskTab[d].AntalSektioner; ++s)
      for (int k = 0; k < Sektion(d, s).AntalCeller; ++k) {
        const ElementCelle &c = Celle(d, s, k);
        const std::string navn = std::to_string(d) + std::to_string(s) + std::to_string(k);
        EXPECT_EQ(IForaelder(c.hwndElement), CellePlads(d, s, k)) << navn;
        EXPECT_EQ(IForaelder(c.hwndDivider), CelleDividerPlads(d, s, k)) << navn;
        if (c.hwndObjekt) {
          EXPECT_EQ(GetParent(c.hwndObjekt), +c.hwndElement) << navn;
          EXPECT_TRUE(IsWindowVisible(c.hwndObjekt)) << navn;
          EXPECT_EQ(IForaelder(c.hwndObjekt), ObjektPlads(d, s, k)) << navn;
        }
        // Restore picture only where the cell has its full length.
        ASSERT_TRUE(Knap(c.hwndStr)) << navn;
        EXPECT_EQ(Knap(c.hwndStr)->style & NYB_KAPTION_MASKE, navn == "000" ? 0x3000u : 0x4000u) << navn;
      }
  EXPECT_EQ(+Celle(2, 1, 0).Aktiv, 1);

  // Desk 0's inner section is its only one, and its first cell has no
  // object window: nothing to activate there. Desk 2 activates the first
  // cell of section 1.
  EXPECT_FALSE(ActivateDesk(0));
  EXPECT_FALSE(ActivateDesk(1));
  EXPECT_TRUE(ActivateDesk(2));
  EXPECT_EQ(Opt().aktiveret, (std::vector<std::pair<HWND, WPARAM>>{{+Celle(2, 1, 0).hwndObjekt, 1}}));
}

TEST_F(SkaermLayoutVinduer, AFifthCellFillsASectionTheSixthGoesOnAndTwoFullSectionsTakeNoMore) {
  // Desk 1 is 997 long; cells of 100 wanted along fit five to a section.
  for (int i = 0; i < 5; ++i) ASSERT_NE(CreateElementWnd(81, 60, 1, true, "Opgørelse", 40187), (HWND)0);
  EXPECT_EQ(Form(), "0: 1:64/5 2: 3:");
  ASSERT_NE(CreateElementWnd(81, 60, 1, true, "Opgørelse", 40187), (HWND)0);
  EXPECT_EQ(Form(), "0: 1:64/5,64/1 2: 3:");
  for (int i = 0; i < 4; ++i) ASSERT_NE(CreateElementWnd(81, 60, 1, true, "Opgørelse", 40187), (HWND)0);
  EXPECT_EQ(Form(), "0: 1:64/5,64/5 2: 3:");
  const std::string foer = UdenHandles();
  const size_t vinduer = Opt().oprettet.size();
  EXPECT_EQ(CreateElementWnd(81, 60, 1, true, "Opgørelse", 40187), (HWND)0);
  EXPECT_EQ(UdenHandles(), foer);
  EXPECT_EQ(Opt().oprettet.size(), vinduer);
  EXPECT_EQ(Opt().frieArealer, 10);
  EXPECT_EQ(Brud(true), "");
}

TEST_F(SkaermLayoutVinduer, TitlesAndContentSizesAreCutToWhatTheFileTakesBack) {
  const std::string lang(80, 'x');
  ASSERT_NE(CreateElementWnd(100, 100, 3, false, lang.c_str(), 40009), (HWND)0);
  EXPECT_EQ(std::string(Celle(3, 0, 0).Titel), lang.substr(0, 49));
  EXPECT_EQ(Opt().frieArealer, 0);  // no repaint asked
  ASSERT_NE(CreateElementWnd(100, 100, 3, false, nullptr, 40009), (HWND)0);
  EXPECT_EQ(std::string(Celle(3, 0, 1).Titel), "");
  ASSERT_NE(CreateElementWnd(-5, 100000, 0, false, "Stor", 40009), (HWND)0);
  EXPECT_EQ(+Celle(0, 0, 0).IndholdLangs, kMaksPixel);
  EXPECT_EQ(+Celle(0, 0, 0).IndholdTvaers, 0);
  // Saved and read back, all three cells are there.
  ASSERT_TRUE(GemSkrmLayout(1, nullptr, nullptr));
  TomLayout();
  LoadSkrmLayout(1);
  EXPECT_EQ(CountElements(), 3);
  EXPECT_EQ(Brud(true), "");
}

TEST_F(SkaermLayoutVinduer, ACellWhoseWindowCannotBeMadeLeavesNoSectionBehind) {
  UnregisterClassA("ElementWndClass", 0);
  EXPECT_EQ(CreateElementWnd(150, 100, 0, true, "Aktuel", 40154), (HWND)0);
  PumpUntilIdle();
  EXPECT_EQ(Form(), "0: 1: 2: 3:");
  EXPECT_EQ(Brud(false), "");
  EXPECT_EQ(GetWindow(hoved, GW_CHILD), desktop);  // the section divider went again
  EXPECT_EQ(GetWindow(desktop, GW_HWNDNEXT), (HWND)0);
  EXPECT_NE(Loggen().find("** Fejl: CreateElementWnd(): "), std::string::npos);
}

// ---------------------------------------------------------------------------
// The screen file

class SkaermLayoutFil : public VindueTest {
 protected:
  // Two sections on desks 0 and 2, one on desk 1; none on desk 3.
  static void Grundlayout() {
    TomTabeller();
    SaetSektion(0, 0, 100, {{100, 50, 90}, {100, 50, 90}, {100, 50, 90}});
    SaetSektion(0, 1, 80, {{200, 50, 70}, {200, 50, 70}});
    SaetSektion(1, 0, 50, {{300, 200, 40}});
    SaetSektion(2, 0, 120, {{300, 200, 110}, {300, 200, 110}});
    SaetSektion(2, 1, 90, {{400, 300, 80}});
  }
  // The value of key in section skrm<n> changed by the function.
  void RetNoegle(long n, const char *noegle, void (*ret)(std::string &)) {
    const std::string sek = "skrm" + std::to_string(n);
    char v[4096];
    ASSERT_GT(GetPrivateProfileStringA(sek.c_str(), noegle, "", v, sizeof v, StiTab.szskrm), 0u) << noegle;
    std::string s = v;
    ret(s);
    // An emptied value deletes the key.
    ASSERT_TRUE(WritePrivateProfileStringA(sek.c_str(), noegle, s.empty() ? nullptr : s.c_str(), StiTab.szskrm));
  }
};

TEST_F(SkaermLayoutFil, DamagedRecordsAreLeftOutAndLogged) {
  struct Tilfaelde {
    const char *navn;
    void (*foer)();          // changes the tables before they are written
    const char *noegle;      // a key changed in the file after, or null
    void (*ret)(std::string &);
    const char *form;        // what the layout then holds
    const char *logLinje;
    bool (*tjek)() = nullptr;  // more to hold after the load
  };
  const Tilfaelde tilfaelde[] = {
      {"intact", [] {}, nullptr, nullptr, "0:100/3,80/2 1:50/1 2:120/2,90/1 3:", nullptr},
      {"wrong checksum", [] {}, "element00", [](std::string &s) { s.back() = s.back() == '0' ? '1' : '0'; },
       "0:80/2 1:50/1 2:120/2,90/1 3:", "skrm7: nøglen element00 kunne ikke læses; sektion 00 er tom"},
      {"short section key", [] {}, "section", [](std::string &s) { s.resize(s.size() - 2); }, "0: 1: 2: 3:",
       "skrm7: nøglen section kunne ikke læses; desk 0 er tom"},
      {"missing element key", [] {}, "element21", [](std::string &s) { s.clear(); },
       "0:100/3,80/2 1:50/1 2:120/2 3:", "skrm7: nøglen element21 kunne ikke læses; sektion 21 er tom"},
      {"seven cells", [] { Sektion(0, 0).AntalCeller = 7; }, nullptr, nullptr, "0:80/2 1:50/1 2:120/2,90/1 3:",
       "skrm7: sektion 00 med 7 celler og tykkelsen 100 er udeladt"},
      {"three sections", [] { DeskTab[0].AntalSektioner = 3; }, nullptr, nullptr, "0: 1:50/1 2:120/2,90/1 3:",
       "skrm7: desk 0 med 3 sektioner er udeladt"},
      {"negative thickness", [] { Sektion(2, 0).Tykkelse = -5; }, nullptr, nullptr, "0:100/3,80/2 1:50/1 2:90/1 3:",
       "skrm7: sektion 20 med 2 celler og tykkelsen -5 er udeladt"},
      {"negative length", [] { Celle(0, 0, 1).Laengde = -1; }, nullptr, nullptr, "0:100/2,80/2 1:50/1 2:120/2,90/1 3:",
       "skrm7: celle 001 med længden -1 og indholdet 50 x 90 er udeladt"},
      {"huge content", [] { Celle(1, 0, 0).IndholdTvaers = 0x7FFFFFFF; }, nullptr, nullptr,
       "0:100/3,80/2 1: 2:120/2,90/1 3:", "skrm7: celle 100 med længden 300 og indholdet 200 x 2147483647 er udeladt"},
      {"title without its end", [] { std::memset(Celle(0, 1, 1).Titel, 'A', kTitelLaengde); }, nullptr, nullptr,
       "0:100/3,80/2 1:50/1 2:120/2,90/1 3:", "skrm7: titlen i celle 011 mangler sit nul-tegn og er afkortet",
       [] { return std::string(Celle(0, 1, 1).Titel) == std::string(49, 'A'); }},
      {"cell fields off their slot", [] { Celle(2, 0, 1).Nr = 4; Celle(2, 0, 1).Sektion = 1; }, nullptr, nullptr,
       "0:100/3,80/2 1:50/1 2:120/2,90/1 3:", "skrm7: celle 201 siger desk 2, sektion 1 og nummer 4"},
      {"section fields off their slot", [] { Sektion(1, 0).Desk = 3; }, nullptr, nullptr,
       "0:100/3,80/2 1:50/1 2:120/2,90/1 3:", "skrm7: sektion 10 siger desk 3 og sektion 0"},
  };
  for (const Tilfaelde &t : tilfaelde) {
    std::filesystem::remove(rod / "ini" / "skrm.ini");
    TomLayout();
    Grundlayout();
    t.foer();
    ASSERT_TRUE(SkrivSkrmLayout(StiTab.szskrm, 7)) << t.navn;
    if (t.noegle) RetNoegle(7, t.noegle, t.ret);
    TomTabeller();
    const size_t logFoer = Loggen().size();
    LoadSkrmLayout(7);
    PumpUntilIdle();
    EXPECT_EQ(Form(), t.form) << t.navn;
    EXPECT_EQ(Brud(true), "") << t.navn;
    const std::string log = Loggen().substr(logFoer);
    if (t.logLinje) {
      EXPECT_NE(log.find(std::string("** Fejl: LoadSkrmLayout(): ") + t.logLinje + "\r\n"), std::string::npos)
          << t.navn << ":\n" << log;
    } else {
      EXPECT_EQ(log, "") << t.navn;
    }
    if (t.tjek) {
      EXPECT_TRUE(t.tjek()) << t.navn;
    }
  }
}

TEST_F(SkaermLayoutFil, ALayoutNotInTheFileLeavesTheLayoutEmpty) {
  Grundlayout();
  ASSERT_TRUE(SkrivSkrmLayout(StiTab.szskrm, 1));
  TomTabeller();
  LoadSkrmLayout(2);
  EXPECT_EQ(Form(), "0: 1: 2: 3:");
  EXPECT_EQ(Opt().frieArealer, 1);
  EXPECT_NE(Loggen().find("** Fejl: LoadSkrmLayout(): skrm2: nøglen array kunne ikke læses\r\n"), std::string::npos);
}

TEST_F(SkaermLayoutFil, TheRecordsAreWrittenByteForByte) {
  Grundlayout();
  Celle(0, 0, 0).hwndElement = 0x01020304;
  ASSERT_TRUE(SkrivSkrmLayout(StiTab.szskrm, 3));
  // Read back raw, the records are the tables' bytes.
  DeskRec d[4];
  SectionRec s[8];
  ElementCelle e[5];
  ASSERT_TRUE(GetPrivateProfileStructA("skrm3", "array", d, 32, StiTab.szskrm));
  ASSERT_TRUE(GetPrivateProfileStructA("skrm3", "section", s, 160, StiTab.szskrm));
  ASSERT_TRUE(GetPrivateProfileStructA("skrm3", "element00", e, 525, StiTab.szskrm));
  EXPECT_EQ(std::memcmp(d, DeskTab, 32), 0);
  EXPECT_EQ(std::memcmp(s, SectionTab, 160), 0);
  EXPECT_EQ(std::memcmp(e, &Celle(0, 0, 0), 525), 0);
  // The kind of cell 010 at +29 of the second slot of element01, the title at +49.
  const std::string ini = SkrmIni();
  const size_t p = ini.find("element01=");
  ASSERT_NE(p, std::string::npos);
  const std::string hex = ini.substr(p + 10, 2 * 525 + 2);
  auto byte = [&](size_t i) { return (unsigned)std::stoul(hex.substr(2 * i, 2), nullptr, 16); };
  const uint32_t art = Celle(0, 1, 1).Art;
  EXPECT_EQ(byte(105 + 29) | byte(105 + 30) << 8 | byte(105 + 31) << 16 | byte(105 + 32) << 24, art);
  EXPECT_EQ(byte(105 + 49), (unsigned)'C');
  for (const char *k : {"element10", "element11", "element20", "element21", "element30", "element31"})
    EXPECT_NE(ini.find(std::string(k) + "="), std::string::npos) << k;
}

TEST_F(SkaermLayoutFil, SavingReplacesTheFileWholeWithTheCallersKeys) {
  ASSERT_TRUE(WritePrivateProfileStringA("skrm1", "navn", "Andet", StiTab.szskrm));
  Grundlayout();
  auto navn = [](const char *fil, long n, void *data) -> bool {
    const std::string sek = "skrm" + std::to_string(n);
    return WritePrivateProfileStringA(sek.c_str(), "navn", static_cast<const char *>(data), fil) != FALSE;
  };
  char tekst[] = "Skema";
  ASSERT_TRUE(GemSkrmLayout(5, navn, tekst));
  const std::string gemt = SkrmIni();
  EXPECT_NE(gemt.find("[skrm1]\r\nnavn=Andet"), std::string::npos) << gemt;
  EXPECT_NE(gemt.find("[skrm5]\r\nnavn=Skema\r\narray="), std::string::npos) << gemt;
  EXPECT_FALSE(std::filesystem::exists(rod / "ini" / "skrm.ini.tmp"));

  // Every file-changing step failing in turn: the file is the old one or
  // the new one, never a mixture, and no copy is left beside it.
  const std::string foer = SkrmIni();
  Celle(0, 0, 0).Laengde = 77;
  tavo::test::StartFileFaults(0, ERROR_DISK_FULL);
  ASSERT_TRUE(GemSkrmLayout(5, navn, tekst));
  const std::string efter = SkrmIni();
  const unsigned kald = tavo::test::FileCallsCounted();
  tavo::test::StopFileFaults();
  ASSERT_NE(foer, efter);
  ASSERT_GT(kald, 0u);
  for (unsigned n = 1; n <= kald; ++n) {
    std::ofstream(rod / "ini" / "skrm.ini", std::ios::binary | std::ios::trunc) << foer;
    tavo::test::StartFileFaults(n, ERROR_DISK_FULL);
    const bool ok = GemSkrmLayout(5, navn, tekst);
    const bool fejlede = tavo::test::FileFaultHappened();
    tavo::test::StopFileFaults();
    EXPECT_TRUE(SkrmIni() == foer || SkrmIni() == efter) << "call " << n;
    // A save that failed after it was decided is finished by the next start;
    // until then its caller has been told it holds.
    if (fejlede) { ASSERT_TRUE(GendanAfbrudtGemning()) << "call " << n; }
    const std::string nu = SkrmIni();
    EXPECT_TRUE(nu == foer || nu == efter) << "call " << n;
    EXPECT_EQ(ok, nu == efter) << "call " << n << (fejlede ? " failed" : "");
    EXPECT_FALSE(std::filesystem::exists(rod / "ini" / "skrm.ini.tmp")) << "call " << n;
  }
}

}  // namespace
