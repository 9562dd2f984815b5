// Clicks on the entry window's lists with the program's own column layouts:
// a click in the employees' role or minutes column, the rooms' role column
// or the activities' priority column opens that column's dialog for the row
// under the pointer, as the keys O, M and P do; any other click only moves
// the current row, and below the last row to the last row. In a list
// scrolled either way the click finds the row and the column that are
// painted under the pointer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "KROGE.h"
#include "BRIKVALG.h"
#include "NYVALG.h"
#include "SMAADLG.h"
#include "SWITCH.h"
#include "brikind_fixture.h"

namespace {

using namespace sketest;
using predtest::Rec;
using tavo::test::ShownDialog;

LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == 1338) return 0;
  if (m == 1119) return 'K';
  if (m >= 1024 && m < 12000) return 0;
  return DefWindowProcA(h, m, w, l);
}

// Which cell editor a dialog is, by what it offers: the minutes dialog edits
// a number, the priority dialog offers the three priorities, a role dialog
// the roles of its kind.
std::string Slags(const ShownDialog &d) {
  for (const auto &c : d.controls)
    if (c.className == "EDIT") return "minutter";
  for (const auto &c : d.controls) {
    if (c.className != "COMBOBOX") continue;
    char linje[64] = {};
    SendMessageA(c.hwnd, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(linje));
    if (std::string(linje).rfind(" 0 - ", 0) == 0) return "prioritet";
    char rolle[64];
    for (uint8_t art : {'M', 'L'})
      for (uint32_t r = 1; r < (art == 'M' ? tvskemarol.wRecCnt : tvlokrolle.wRecCnt); ++r) {
        RolleLinje(art, r, rolle, sizeof rolle);
        if (std::string(linje) == rolle) return art == 'M' ? "skemarolle" : "lokalerolle";
      }
    return "ukendt liste";
  }
  return "ukendt";
}

class IndtastningKlik : public BrikIndMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    Forbered("IndtastningKlikLytter", LytterProc);
    InstallerBrikValg();
    // The layouts the program ships.
    FrigivSwitchTab();
    FILE *f = std::fopen(TAVO_SOURCE_DIR "/resources/orvane/TavoSwt.ini", "rb");
    ASSERT_NE(f, nullptr);
    int sektion = 0;
    switch_intern::LaesLayoutFil(f, "TavoSwt.ini", &sektion);
    std::fclose(f);
    LokrolleRec l{};
    l.id = 71, l.Lokalerolle = 'A', l.Status = 10, l.Check_sammenfald = 'J';
    Ny(tdlokrolle, tvlokrolle, l);
  }
  void TearDown() override {
    if (vindue_ && IsWindow(vindue_)) DestroyWindow(vindue_);
    if (skema_ && IsWindow(skema_)) DestroyWindow(skema_);
    BrikIndKrog.ListeTast = nullptr;
    BrikIndKrog.Bem = nullptr;
    FrigivAktiPrioritetMinde();
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    Afslut();
  }

  BrikIndStruct *Aabn() {
    skema_ = CreateSkemaWnd(0, hoved_, hoved_, SKE_AKTI, 0, 0, 800, 600, 0, nullptr, 'L', 'L', 'N', 'S', 'V', 0, 1, 0,
                            40001);
    vindue_ = CreateBrikIndWnd('L', skema_);
    EXPECT_TRUE(vindue_);
    if (!vindue_) return nullptr;
    ShowWindow(vindue_, SW_SHOW);
    UpdateWindow(vindue_);
    return BrikIndWS(vindue_);
  }
  static void Liste(BrikIndStruct *b, uint8_t fokus) {
    b->Valg[fokus].Bygget = 0;
    ASSERT_TRUE(GaaTilTrin(b, fokus)) << int(fokus);
  }
  static uint32_t Pos(const BrikIndStruct *b, uint8_t fokus, uint32_t rec) {
    const DifValg &v = b->Valg[fokus];
    for (uint32_t i = 1; i <= v.Antal; ++i)
      if (v.ObjTab[i] == rec) return i;
    return 0;
  }
  // The pane point inside column kode (0: the layout's first field) of
  // row pos, where the pane paints it.
  static POINT Celle(const BrikIndStruct *b, bool detalje, uint32_t kode, uint32_t pos) {
    const DifValg &v = b->Valg[b->AktuelListe];
    const uint32_t art = detalje ? kDifValgDetaljeArt : kDifValgListeArt;
    const uint8_t bogstav = static_cast<uint8_t>(v.Bogstav);
    const uint32_t i = kode ? ObjSwitchFeltIndex(art, bogstav, v.SwitchValgt, kode) : 0;
    EXPECT_EQ(ObjSwitchFeltNr(art, bogstav, v.SwitchValgt, i), kode ? kode : ObjSwitchFeltNr(art, bogstav, v.SwitchValgt, 0))
        << "the shipped layout of '" << v.Bogstav << "' has no column " << kode;
    const int x = static_cast<int>(ObjSwitchFeltStart(art, bogstav, v.SwitchValgt, i)) + 3 -
                  (detalje ? static_cast<int>(v.DetaljeX) : 0);
    const int y = static_cast<int>((pos - 1) * kDifValgRaekkeHoejde) - static_cast<int>(v.ScrollY) + 4;
    return POINT{x, y};
  }
  // A click of the mouse at a pane point; the dialog that opens, "" for
  // none, is closed with Esc.
  std::string Klik(BrikIndStruct *b, bool detalje, POINT p, bool dobbelt = false) {
    std::string slags;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      slags = Slags(d);
      return INT_PTR{IDCANCEL};
    });
    const POINT s = tavo::test::ScreenPoint(b->hwndListe[detalje ? 1 : 0], p.x, p.y);
    if (dobbelt) tavo::test::DoubleClick(s.x, s.y);
    else tavo::test::Click(s.x, s.y);
    tavo::test::PumpUntilIdle();
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    return slags;
  }

  HWND vindue_ = 0, skema_ = 0;
};

TEST_F(IndtastningKlik, AClickOnARoleMinutesOrPriorityCellOpensItsDialogOtherClicksMoveTheRow) {
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  // The minutes and the priority ask for a chosen activity first.
  ASSERT_TRUE(VaelgRaekke(b, FOCUS_AKTI, akti[0]));
  struct Sag {
    const char *navn;
    uint8_t liste;
    bool detalje;    // the detail pane, else the mark column
    uint32_t kode;   // the column clicked; 0 the layout's first
    int raekke;      // position of the row clicked; -1 below the last row
    bool dobbelt;
    const char *dialog;
    int ventetRaekke;  // the current row afterwards; -1 the last row
  };
  const Sag sager[] = {
      {"an employee's role", FOCUS_ANFO, true, 217, 2, false, "skemarolle", 2},
      {"an employee's role, double click", FOCUS_ANFO, true, 217, 3, true, "skemarolle", 3},
      {"an employee's minutes", FOCUS_ANFO, true, 218, 1, false, "minutter", 1},
      {"an employee's name", FOCUS_ANFO, true, 210, 3, false, "", 3},
      {"an employee's initials", FOCUS_ANFO, true, 1, 2, false, "", 2},
      {"an employee's mark", FOCUS_ANFO, false, 0, 1, false, "", 1},
      {"below the employees, in the role column", FOCUS_ANFO, true, 217, -1, false, "", -1},
      {"a room's role", FOCUS_LOKA, true, 219, 2, false, "lokalerolle", 2},
      {"a room's name", FOCUS_LOKA, true, 1, 1, false, "", 1},
      {"an activity's priority", FOCUS_AKTI, true, 385, 3, false, "prioritet", 3},
      {"an activity's name", FOCUS_AKTI, true, 1, 2, false, "", 2},
      {"below the activities", FOCUS_AKTI, true, 1, -1, false, "", -1},
  };
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.navn);
    Liste(b, s.liste);
    DifValg &v = b->Valg[s.liste];
    ASSERT_GE(v.Antal, 3u);
    v.Aktuel = s.raekke == 1 ? 2 : 1;  // the click moves it
    const uint32_t pos = s.raekke < 0 ? v.Antal + 1 : static_cast<uint32_t>(s.raekke);
    EXPECT_EQ(Klik(b, s.detalje, Celle(b, s.detalje, s.kode, pos), s.dobbelt), s.dialog);
    EXPECT_EQ(v.Aktuel, s.ventetRaekke < 0 ? v.Antal : static_cast<uint32_t>(s.ventetRaekke));
  }
  // The dialogs opened on the clicked row: a role chosen in the dialog is
  // the clicked employee's.
  Liste(b, FOCUS_ANFO);
  const uint32_t vikar = [&] {
    SkemarolRec r{};
    r.id = 190, r.Status = 10;
    Tekst(r.Rolle, "V");
    return Ny(tdskemarol, tvskemarol, r);
  }();
  const uint32_t pos = Pos(b, FOCUS_ANFO, anfo[2]);
  ASSERT_NE(pos, 0u);
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    for (const auto &c : d.controls)
      if (c.className == "COMBOBOX") {
        char linje[64];
        RolleLinje('M', vikar, linje, sizeof linje);
        SendMessageA(c.hwnd, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(linje));
      }
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  const POINT s = tavo::test::ScreenPoint(b->hwndListe[1], Celle(b, true, 217, pos).x, Celle(b, true, 217, pos).y);
  tavo::test::Click(s.x, s.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(b->AnfoRolle[anfo[2]], vikar);
}

TEST_F(IndtastningKlik, InAScrolledListTheClickHitsTheRowAndColumnUnderThePointer) {
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  Liste(b, FOCUS_ANFO);
  DifValg &v = b->Valg[FOCUS_ANFO];
  ASSERT_GE(v.Antal, 3u);
  // One row down, and the detail pane moved right by the horizontal bar to
  // where the role column starts at the pane's left edge.
  SendMessageA(vindue_, WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(v.ScrollY, kDifValgRaekkeHoejde);
  const uint32_t rolleStart =
      ObjSwitchFeltStart(kDifValgDetaljeArt, 'M', v.SwitchValgt, ObjSwitchFeltIndex(kDifValgDetaljeArt, 'M', v.SwitchValgt, 217));
  ASSERT_GT(rolleStart, 0u);
  // Narrow enough that the layout is wider than the pane.
  MoveWindow(vindue_, 0, 0, kBrikIndMinBredde + 20, kBrikIndMinHoejde + 100, TRUE);
  tavo::test::PumpUntilIdle();
  SendMessageA(vindue_, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, rolleStart), 0);
  ASSERT_EQ(v.DetaljeX, rolleStart) << "the bar moves the detail pane";
  // The pane's first pixels: the second row, in the role column.
  v.Aktuel = 1;
  EXPECT_EQ(Klik(b, true, POINT{3, 4}), "skemarolle");
  EXPECT_EQ(v.Aktuel, 2u);
  // Just left of it, scrolled back by a character: the column before.
  SendMessageA(vindue_, WM_HSCROLL, SB_LINELEFT, 0);
  EXPECT_EQ(v.DetaljeX, rolleStart - 8);
  EXPECT_EQ(Klik(b, true, POINT{3, 4 + static_cast<int>(kDifValgRaekkeHoejde)}), "");
  EXPECT_EQ(v.Aktuel, 3u);
  // The bar stops at either end.
  SendMessageA(vindue_, WM_HSCROLL, SB_LEFT, 0);
  EXPECT_EQ(v.DetaljeX, 0u);
  SendMessageA(vindue_, WM_HSCROLL, SB_LINELEFT, 0);
  EXPECT_EQ(v.DetaljeX, 0u);
  SendMessageA(vindue_, WM_HSCROLL, SB_RIGHT, 0);
  const uint32_t slut = v.DetaljeX;
  SendMessageA(vindue_, WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(v.DetaljeX, slut);
  EXPECT_LT(slut, ObjSwitchBredde(kDifValgDetaljeArt, 'M', v.SwitchValgt));
}

}  // namespace
