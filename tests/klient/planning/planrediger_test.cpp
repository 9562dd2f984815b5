// The plan grid's cell editors over a small plan on a test window that
// stands in for the plan window (child id 40268): which editor a cell
// opens, where the box stands, the minute-norm dialog with its bounds, and
// the boxes driven by typed keys, their text arriving at the window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../ui/dialog_input.h"
#include "BESKEDER.h"
#include "EDITBOX.h"
#include "FF_PlanUtil.h"
#include "INDSTIL.h"
#include "PLANGITTER.h"
#include "PlanFold.h"
#include "PlanRediger.h"
#include "RAMME.h"
#include "SWITCH.h"
#include "plan_fixtur.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "windows.h"

using namespace plantest;
using tavo::test::ShownDialog;

namespace {

constexpr int kPlanId = 40268;

struct Modtaget {
  UINT msg;
  std::string tekst;
};
std::vector<Modtaget> modtaget;

// As the plan window: records what the boxes send.
LRESULT CALLBACK TestPlanProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == EDITBOX_OK || msg == EDITBOX_FORTRYD) {
    modtaget.push_back({msg, lParam ? reinterpret_cast<const char *>(lParam) : ""});
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Registrer(const char *navn, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = navn;
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  RegisterClassA(&wc);
}

enum Editor { INGEN, TEKST, TAL, DIALOG };

class PlanEditor : public PlanFixtur {
 protected:
  SwitchFelt kol[3]{}, venstre[5]{};
  SwitchLayout kolLayout{}, venstreLayout{};
  SwitchLayout *gemt111 = nullptr, *gemt113 = nullptr;
  HWND vaert = 0;
  uint32_t a1 = 0, ma = 0, e1 = 0, h1 = 0, s1 = 0, t1 = 0, udgr = 0;
  char gemtCheck = 0;

  void SetUp() override {
    PlanFixtur::SetUp();
    gemtCheck = GlobalIndstillinger.checkminutnorm;
    modtaget.clear();
    Registrer("EditboxWndClass", EditboxWndProc);
    Registrer("EditboxIntWndClass", EditboxIntWndProc);
    Registrer("TestPlanVaert", DefWindowProcA);
    Registrer("TestPlan", TestPlanProc);
    tavo::test::StartDialogScript();
    // Week area: 31 40 pixels, 32 24, 33 60; caption area: 22 80, 23 64,
    // 24 32, 25 32, 26 32.
    kol[0] = {0, 0, 31, 0, 0, 5, 0, 0, 'S', 0, &kol[1]};
    kol[1] = {0, 0, 32, 0, 0, 3, 0, 0, 'S', 0, &kol[2]};
    kol[2] = {0, 0, 33, 0, 0, 7, 4, 0, 'S', 0, nullptr};
    const uint32_t v[][2] = {{22, 10}, {23, 8}, {24, 4}, {25, 4}, {26, 4}};
    for (int i = 0; i < 5; ++i) venstre[i] = {0, 0, v[i][0], 0, 0, v[i][1], 0, 0, 'S', 0, i < 4 ? &venstre[i + 1] : nullptr};
    kolLayout = {'#', 0, 1, 0, &kol[0], nullptr};
    venstreLayout = {'#', 0, 1, 0, &venstre[0], nullptr};
    gemt111 = ObjSwitchTab[111];
    gemt113 = ObjSwitchTab[113];
    ObjSwitchTab[111] = &kolLayout;
    ObjSwitchTab[113] = &venstreLayout;
    plan.LayoutKolonne = {111, '#', 0, 3, 0};
    plan.LayoutVenstre = {113, '#', 0, 5, 0};

    UdgrRec u{};
    u.Status = 10;
    u.Minimum_minutnorm = 30;
    u.Maximum_minutnorm = 50;
    udgr = Ny(tdudgr, tvudgr, u);
    a1 = NyAkti("1a", "A");
    Rec<AktiRec>(tvakti, a1)->udgr_id = udgr;
    ma = NySkfa("MA", 'A', "Mat");
    e1 = NyAnfo("ABC", "1", "Anne");
    h1 = Raekke(PLAN_AKTI, a1, 0, 0);
    s1 = Raekke(PLAN_FAG, a1, ma, e1);
    t1 = Raekke(PLAN_OPG_TIMER, a1, 0, e1);
    Orden({h1, s1, t1});
    GridAkse akse{2, 11, 1, 1, 1};  // rows 15 pixels apart, the cell 2 down
    plan.Ens.AkseY = akse;
    Kolonner({{31}, {32, 1, 202440}, {33, 1, 202440}, {33, 1, 202441}});
    Venstre({22, 23, 24, 25, 26});
    NulstilLXAkse(&plan);

    vaert = CreateWindowExA(0, "TestPlanVaert", "", WS_POPUP | WS_VISIBLE, 100, 80, 700, 400, 0, 0, 0, nullptr);
    plan.hwndPlan = CreateWindowExA(0, "TestPlan", "", WS_CHILD | WS_VISIBLE, 20, 30, 600, 300, vaert,
                                    static_cast<HMENU>(kPlanId), 0, nullptr);
    ASSERT_NE(plan.hwndPlan, 0u);
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    if (plan.hwndRediger && IsWindow(plan.hwndRediger)) DestroyWindow(plan.hwndRediger);
    if (vaert) DestroyWindow(vaert);
    tavo::test::ResetUser();
    ObjSwitchTab[111] = gemt111;
    ObjSwitchTab[113] = gemt113;
    GlobalIndstillinger.checkminutnorm = gemtCheck;
    PlanFixtur::TearDown();
  }

  // The cursor on a row and on a column of the week area (kolonne) or of
  // the caption area (venstreArt, its kind).
  void Cursor(uint32_t raekke, uint32_t kolonne, uint32_t venstreArt = 0) {
    for (uint32_t i = 1; i <= plan.Ens.ObjTabAntal; ++i)
      if (plan.Ens.ObjTab[i] == raekke) plan.StyrY.Pos.Aktuel = i;
    NulstilLXAkse(&plan);
    plan.StyrX.Pos.Aktuel = kolonne;
    for (uint32_t i = 1; venstreArt && i <= plan.VenstreAntal; ++i)
      if (plan.ObjTypeTabLX[i] == venstreArt) plan.StyrLX.Pos.Aktuel = i;
  }
  POINT Origo() const {
    POINT p{0, 0};
    ClientToScreen(plan.hwndPlan, &p);
    return p;
  }
  static RECT Rect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
  }
  static std::string Klasse(HWND h) {
    char navn[64] = {};
    GetClassNameA(h, navn, sizeof navn);
    return navn;
  }
};

TEST_F(PlanEditor, TheCellChoosesItsEditorAndASecondCallClosesIt) {
  const struct {
    uint32_t raekke;
    uint32_t kolonne, venstreArt;
    uint8_t underVisning;
    const char *tekst;
    Editor editor;
    uint32_t graenseEllerDecimaler;
    const char *boksTekst;
  } tilfaelde[] = {
      // Week and period cells of a subject row: text in the normal view,
      // numbers of two decimals in marking work and exam time.
      {s1, 3, 0, 0, "12345", TEKST, 4, "123"},
      {s1, 1, 0, 0, "7", TEKST, 4, "7"},
      {s1, 2, 0, 1, "", TAL, 2, "   0,00"},
      {s1, 3, 0, 1, "-75", TAL, 2, "-  0,75"},
      {s1, 3, 0, 2, "123456", TAL, 2, "  12,34"},
      // An hours row always takes a number, a header never.
      {t1, 3, 0, 0, "12345", TAL, 2, "  12,34"},
      {t1, 0, 25, 0, "99", TAL, 2, "   0,99"},
      {h1, 3, 0, 0, "1", INGEN, 0, nullptr},
      // Caption columns: the minute norms by dialog, 25 and 26 as text,
      // the others not at all; in marking work not the minute norms.
      {s1, 0, 23, 0, "", DIALOG, 0, nullptr},
      {s1, 0, 24, 0, "", DIALOG, 0, nullptr},
      {s1, 0, 25, 0, "8", TEKST, 4, "8"},
      {s1, 0, 22, 0, "8", INGEN, 0, nullptr},
      {s1, 0, 23, 1, "8", INGEN, 0, nullptr},
      {h1, 0, 26, 0, "abcdef", TEKST, 4, "abc"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE("row " + std::to_string(t.raekke) + " column " + std::to_string(t.kolonne) + "/" +
                 std::to_string(t.venstreArt) + " view " + std::to_string(t.underVisning) + " \"" + t.tekst + "\"");
    Cursor(t.raekke, t.kolonne, t.venstreArt);
    plan.UnderVisning = t.underVisning;
    bool dialog = false;
    if (t.editor == DIALOG)
      tavo::test::AnswerNextDialog([&](const ShownDialog &) {
        dialog = true;
        return INT_PTR{IDCANCEL};
      });
    EXPECT_FALSE(PlanRedigerCelle(&plan, t.tekst));
    EXPECT_EQ(dialog, t.editor == DIALOG);
    const HWND boks = plan.hwndRediger;
    if (t.editor == INGEN || t.editor == DIALOG) {
      EXPECT_EQ(boks, 0u);
      continue;
    }
    ASSERT_NE(boks, 0u);
    ASSERT_TRUE(IsWindowVisible(boks));
    if (t.editor == TEKST) {
      EXPECT_EQ(Klasse(boks), "EditboxWndClass");
      auto *b = reinterpret_cast<EditboxInfo *>(GetWindowLongPtrA(boks, GWLP_USERDATA));
      EXPECT_EQ(b->maxLength, t.graenseEllerDecimaler);
      EXPECT_STREQ(b->text, t.boksTekst);
      EXPECT_EQ(b->owner, plan.hwndPlan);
    } else {
      EXPECT_EQ(Klasse(boks), "EditboxIntWndClass");
      auto *e = reinterpret_cast<EditIntInfo *>(GetWindowLongPtrA(boks, GWLP_USERDATA));
      EXPECT_EQ(e->decimals, t.graenseEllerDecimaler);
      EXPECT_STREQ(e->text, t.boksTekst);
      EXPECT_EQ(e->owner, plan.hwndPlan);
      EXPECT_NE(GetWindowLongA(boks, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    }
    // The second call closes the box and opens nothing.
    EXPECT_FALSE(PlanRedigerCelle(&plan, "1"));
    EXPECT_EQ(plan.hwndRediger, 0u);
    EXPECT_FALSE(IsWindow(boks));
  }
  EXPECT_TRUE(modtaget.empty());
}

TEST_F(PlanEditor, TheBoxesStandOverTheCell) {
  plan.Ens.ScrollX = 10;
  plan.Ens.ScrollY = 15;
  const POINT o = Origo();
  const int kant = EdgeWidth(20), tal = EdgeWidth(17);
  const struct {
    uint32_t raekke, kolonne, venstreArt;
    int x, y, bredde, hoejde;  // relative to the plan window's client area
  } tilfaelde[] = {
      // s1 is row 2: its top at 15 - 15, the cell at 2 - 1; columns start
      // at 0, 41, 66 and 127, less 10.
      {s1, 3, 0, 56, 1, 60, 13},
      {s1, 2, 0, 31 + kant - 1, 1, 24 - 2 * kant + 2, 13},
      {h1, 0, 25, 81 + 65 + 33, -14, 32, 13},
      // Numbers: the box the row's full height, centred on a column
      // narrower than it.
      {t1, 3, 0, 56, 15, 60, 15},
      {t1, 1, 0, -10 + (40 - (tal + 56)) / 2, 15, tal + 56, 15},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE("row " + std::to_string(t.raekke) + " column " + std::to_string(t.kolonne));
    Cursor(t.raekke, t.kolonne, t.venstreArt);
    PlanRedigerCelle(&plan, "1");
    ASSERT_NE(plan.hwndRediger, 0u);
    const RECT r = Rect(plan.hwndRediger);
    EXPECT_EQ(r.left, o.x + t.x);
    EXPECT_EQ(r.top, o.y + t.y);
    EXPECT_EQ(r.right - r.left, t.bredde);
    EXPECT_EQ(r.bottom - r.top, t.hoejde);
    PlanRedigerCelle(&plan, nullptr);
  }
}

TEST_F(PlanEditor, TheMinuteNormDialogTakesItsBoundsAndStoresAChange) {
  const char *kAfvist = "Det indtastede tal skal ligge mellem";
  const struct {
    char check;
    float foer;
    const char *tekst;  // null: Esc
    bool afvist;
    float efter;
  } tilfaelde[] = {
      {'n', -1.0f, "0", false, 0.0f},
      {'n', 10.0f, "999,99", false, 999.99f},
      {'n', 10.0f, "60", false, 60.0f},
      {'n', 10.0f, "1000", true, 10.0f},
      {'n', 10.0f, "10", false, 10.0f},  // unchanged: nothing sent
      {'n', 10.0f, nullptr, false, 10.0f},
      // The activity's education group allows 30 to 50, and 60.
      {'j', -1.0f, "45", false, 45.0f},
      {'j', -1.0f, "55", true, -1.0f},
      {'j', -1.0f, "20", true, -1.0f},
      {'j', -1.0f, "60", false, 60.0f},
  };
  const POINT o = Origo();
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::string(1, t.check) + " " + std::to_string(t.foer) + " \"" + (t.tekst ? t.tekst : "Esc") + "\"");
    GlobalIndstillinger.checkminutnorm = t.check;
    R(s1).Minutnorm1 = t.foer;
    R(s1).Minutnorm2 = 7.0f;
    Cursor(s1, 0, 23);
    modtaget.clear();
    std::string vist;
    RECT dlg{};
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      char buf[32] = {};
      GetWindowTextA(GetFocus(), buf, sizeof buf);
      vist = buf;
      dlg = Rect(d.hwnd);
      if (!t.tekst) {
        dlgtest::Tast(d.hwnd, VK_ESCAPE);
        return INT_PTR{0};
      }
      dlgtest::Skriv(d.hwnd, t.tekst);  // over the selected value
      dlgtest::Tast(d.hwnd, VK_RETURN);
      if (t.afvist) dlgtest::Tast(d.hwnd, VK_ESCAPE);
      return INT_PTR{0};
    });
    PlanRedigerCelle(&plan, nullptr);
    EXPECT_EQ(vist, t.foer < 0 ? "   0,00" : t.foer == 10.0f ? "  10,00" : vist);
    // At the cell, centred on the 64-pixel column: 81 + (64 - 50) / 2.
    EXPECT_EQ(dlg.left, o.x + 88);
    EXPECT_EQ(dlg.top, o.y + 16);
    EXPECT_EQ(R(s1).Minutnorm1, t.efter);
    EXPECT_EQ(R(s1).Minutnorm2, 7.0f);
    const auto bokse = tavo::test::MessageBoxesShown();
    if (t.afvist) {
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].text.rfind(kAfvist, 0), 0u) << bokse[0].text;
    } else {
      EXPECT_TRUE(bokse.empty());
    }
    const bool aendret = t.efter != t.foer;
    ASSERT_EQ(modtaget.size(), aendret ? 1u : 0u);
    if (aendret) {
      EXPECT_EQ(modtaget[0].msg, UINT{EDITBOX_OK});
    }
    EXPECT_EQ(plan.hwndRediger, 0u);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
  }
}

TEST_F(PlanEditor, TypedTextReachesThePlanWindowOnEnterAndNothingOnEsc) {
  const struct {
    uint32_t raekke;
    const char *skrevet;
    UINT tast;
    UINT besked;
    const char *tekst;
  } tilfaelde[] = {
      {s1, "12", VK_RETURN, EDITBOX_OK, "12"},
      {s1, "12", VK_ESCAPE, EDITBOX_FORTRYD, ""},
      // The number box: digits come in from the right.
      {t1, "125", VK_RETURN, EDITBOX_OK, " 125,00"},
      {t1, "125", VK_ESCAPE, EDITBOX_FORTRYD, ""},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE("row " + std::to_string(t.raekke) + " key " + std::to_string(t.tast));
    modtaget.clear();
    Cursor(t.raekke, 3);
    PlanRedigerCelle(&plan, nullptr);
    const HWND boks = plan.hwndRediger;
    ASSERT_NE(boks, 0u);
    EXPECT_EQ(GetFocus(), boks);
    tavo::test::TypeText(t.skrevet);
    tavo::test::PressKey(t.tast);
    tavo::test::PumpUntilIdle();
    EXPECT_FALSE(IsWindow(boks));
    ASSERT_EQ(modtaget.size(), 1u);
    EXPECT_EQ(modtaget[0].msg, t.besked);
    EXPECT_EQ(modtaget[0].tekst, t.tekst);
    // The plan still holds the ended box: the next key opens a new one.
    PlanRedigerCelle(&plan, nullptr);
    EXPECT_NE(plan.hwndRediger, 0u);
    EXPECT_NE(plan.hwndRediger, boks);
    PlanRedigerCelle(&plan, nullptr);
  }
}

}  // namespace
