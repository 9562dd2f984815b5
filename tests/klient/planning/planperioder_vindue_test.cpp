// The plan periods window on the test desktop: opened for a group, a week
// typed into a period, a period deleted, the window closed, with keys as
// the main window hands them on.
#include <string>
#include <utility>
#include <vector>

#include "../masterdata/relmatrix_support.h"
#include "BESKEDER.h"
#include "EDITBOX.h"
#include "FF_PlanRec.h"
#include "PlanPerioder.h"
#include "RECPRED.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "VEDLIGE.h"
#include "tavo/test_dialog.h"

namespace {

using namespace reltest;
using UgePar = std::pair<Uge, Uge>;

constexpr uint8_t kEgen = 7;

std::vector<UINT> gPlanHoert;

LRESULT CALLBACK FalskPlan(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == PLAN_GENOPBYG_AKSER) gPlanHoert.push_back(m);
  return DefWindowProcA(h, m, w, l);
}

class PlanPerioderVindueTest : public RelTest {
 protected:
  uint8_t gemtInsnr = 0;
  uint32_t gemtEksport = 0;
  uint32_t gruppe = 0;
  HWND plan = 0;

  void SetUp() override {
    RelTest::SetUp();
    gemtInsnr = GlobalIndstillinger.insnr;
    gemtEksport = EksportPlanTal;
    GlobalIndstillinger.insnr = kEgen;
    EksportPlanTal = 0;
    gPlanHoert.clear();
    wfb_test::Registrer("PlanPerioderWndClass", PlanPerioderWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("EditboxWndClass", EditboxWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("PeriodeFalskPlan", FalskPlan, 0);
    // Monday of week 202433 to a Wednesday of week 202526.
    FfpgRec g{};
    predtest::Tekst(g.Navn, "Fag 24/25");
    g.Fradato = 20240812;
    g.Tildato = 20250625;
    g.Ejer = kEgen;
    g.Status = 0x40;
    gruppe = predtest::Ny(tdffpg, tvffpg, g);
    Periode(202433, 202440);
    Periode(202441, 202526);
    plan = CreateWindowExA(0, "PeriodeFalskPlan", "", WS_CHILD, 0, 0, 10, 10, desktop,
                           static_cast<HMENU>(kPlanVindueType), 0, nullptr);
    VinduesListeTilfoej(plan);
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    VinduesListeFjern(plan);
    DestroyWindow(plan);
    GlobalIndstillinger.insnr = gemtInsnr;
    EksportPlanTal = gemtEksport;
    RelTest::TearDown();
  }

  uint32_t Periode(Uge fra, Uge til) {
    FfppRec p{};
    p.ffpg_id = gruppe;
    p.Frauge = fra;
    p.Tiluge = til;
    p.Ejer = kEgen;
    p.Status = 0x40;
    return predtest::Ny(tdffpp, tvffpp, p);
  }
  std::vector<UgePar> Perioder() const {
    std::vector<UgePar> v;
    for (uint32_t n : PlanPeriodeListe(gruppe)) {
      const FfppRec *p = TabRec<FfppRec>(tvffpp, n);
      v.emplace_back(p->Frauge, p->Tiluge);
    }
    return v;
  }
  HWND Aabn() {
    HWND h = CreatePlanPerioderWnd(desktop, hoved, 20, 20, kDeskB, kDeskH, gruppe);
    tavo::test::PumpUntilIdle();
    return h;
  }
  // A key as the main window hands it on.
  void Tast(HWND h, UINT vk) {
    TastInfo t;
    MakeTastInfo(&t, WM_KEYDOWN, vk, 0);
    SendMessageA(h, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
    tavo::test::PumpUntilIdle();
  }
  // F2, the text typed over the box's selection, Enter.
  void Skriv(HWND h, const char *uge) {
    Tast(h, VK_F2);
    HWND boks = GetFocus();
    ASSERT_NE(boks, h);
    for (const char *c = uge; *c; ++c) SendMessageA(boks, WM_CHAR, static_cast<WPARAM>(*c), 0);
    SendMessageA(boks, WM_KEYDOWN, VK_RETURN, 0);
    tavo::test::PumpUntilIdle();
  }
  static bool Tegnet(HWND h, const std::string &tekst) {
    for (const auto &d : tavo::test::DrawnTexts()) {
      if (d.text.find(tekst) != std::string::npos && (d.hwnd == h || GetParent(d.hwnd) == h)) return true;
    }
    return false;
  }
  static bool Lever(uint32_t tal) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, tal);
    return t && PlanRecIBrug(t->Status);
  }
};

TEST_F(PlanPerioderVindueTest, AabnesMedGruppensPerioder) {
  tavo::test::ClearDrawnTexts();
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  EXPECT_EQ(GetDlgCtrlID(h), 40267);
  char titel[100] = {};
  GetWindowTextA(h, titel, sizeof titel);
  EXPECT_STREQ(titel, "Perioder: \"Fag 24/25\"");
  bool aabnet = false;
  for (const Hoert &m : HovedHoert()) aabnet = aabnet || (m.msg == HOVED_INPUT_AABEN && m.l == static_cast<LPARAM>(h));
  EXPECT_TRUE(aabnet);
  EXPECT_TRUE(Tegnet(h, "202433"));
  EXPECT_TRUE(Tegnet(h, "202526"));
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_GE(r.right - r.left, 150);
  EXPECT_GE(r.bottom - r.top, 100);
  // A group whose one period no longer covers it is put right on opening.
  DestroyWindow(h);
  predtest::TommeTabeller();
  FfpgRec g{};
  predtest::Tekst(g.Navn, "Ny");
  g.Fradato = 20240812;
  g.Tildato = 20250625;
  g.Status = 0x40;
  gruppe = predtest::Ny(tdffpg, tvffpg, g);
  h = Aabn();
  ASSERT_NE(h, 0u);
  EXPECT_EQ(Perioder(), (std::vector<UgePar>{{202433, 202526}}));
  DestroyWindow(h);
}

TEST_F(PlanPerioderVindueTest, UgeIndtastesOgPerioderneRettes) {
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  Tast(h, VK_RIGHT);  // Tiluge
  Skriv(h, "202445");
  EXPECT_EQ(Perioder(), (std::vector<UgePar>{{202433, 202445}, {202446, 202526}}));
  EXPECT_EQ(EksportPlanTal, 1u);
  EXPECT_EQ(gPlanHoert, std::vector<UINT>{PLAN_GENOPBYG_AKSER});
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  // What was saved is what a fresh load reads.
  const std::vector<UgePar> gemt = Perioder();
  DestroyWindow(h);
  ResetTab(&tdffpp, &tvffpp, 1);
  ASSERT_EQ(LoadTab(&tdffpp, &tvffpp), 0);
  EXPECT_EQ(Perioder(), gemt);
}

TEST_F(PlanPerioderVindueTest, UgyldigeUgerAfvisesUdenAendring) {
  struct Case {
    UINT kolonne;
    const char *tekst;
    const char *besked;
  };
  const Case cases[] = {
      {0, "202430", "Den indtastede uge ligger før dato: 20240812.\nUgen skal ligge indenfor planens periode."},
      {VK_RIGHT, "202530", "Den indtastede uge ligger efter dato: 20250625.\nUgen skal ligge indenfor planens periode."},
      {0, "202460", "Den indtastede uge er ugyldig: 202460."},
      {0, "abc", "Den indtastede uge er ugyldig: 0."},
  };
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  for (const Case &c : cases) {
    SCOPED_TRACE(c.tekst);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    if (c.kolonne) Tast(h, c.kolonne);
    Skriv(h, c.tekst);
    const auto vist = tavo::test::MessageBoxesShown();
    ASSERT_EQ(vist.size(), 1u);
    EXPECT_EQ(vist[0].caption, "Fejl indtastning");
    EXPECT_EQ(vist[0].text, c.besked);
    EXPECT_EQ(vist[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(Perioder(), (std::vector<UgePar>{{202433, 202440}, {202441, 202526}}));
    if (c.kolonne) Tast(h, VK_LEFT);
  }
  EXPECT_TRUE(gPlanHoert.empty());
  DestroyWindow(h);
}

TEST_F(PlanPerioderVindueTest, SletUdenTalOgLukMedEsc) {
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  Tast(h, VK_DOWN);
  Tast(h, VK_DELETE);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  EXPECT_EQ(Perioder(), (std::vector<UgePar>{{202433, 202526}}));
  EXPECT_EQ(gPlanHoert, std::vector<UINT>{PLAN_GENOPBYG_AKSER});
  // The last period stays.
  Tast(h, VK_DELETE);
  EXPECT_EQ(Perioder(), (std::vector<UgePar>{{202433, 202526}}));
  // Esc closes an open box first, then the window.
  Tast(h, VK_F2);
  Tast(h, VK_ESCAPE);
  EXPECT_TRUE(IsWindow(h));
  HovedHoert().clear();
  Tast(h, VK_ESCAPE);
  EXPECT_FALSE(IsWindow(h));
  ASSERT_FALSE(HovedHoert().empty());
  EXPECT_EQ(HovedHoert().back().msg, HOVED_INPUT_LUKKET);
}

TEST_F(PlanPerioderVindueTest, SletMedTalSpoergerFoerst) {
  FfgrundRec r{};
  r.ffpg_id = gruppe;
  r.ObjType = 2;
  r.Ejer = kEgen;
  r.Status = 0x40;
  const uint32_t grund = predtest::Ny(tdffgrund, tvffgrund, r);
  FftaltabRec t{};
  t.ffgrund_id = grund;
  t.Uge = 202436;
  t.Lektioner = 30;
  t.Status = 0x40;
  const uint32_t tal = predtest::Ny(tdfftaltab, tvfftaltab, t);
  HWND h = Aabn();
  ASSERT_NE(h, 0u);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDCANCEL; });
  Tast(h, VK_DELETE);
  EXPECT_EQ(Perioder(), (std::vector<UgePar>{{202433, 202440}, {202441, 202526}}));
  EXPECT_TRUE(Lever(tal));
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDOK; });
  Tast(h, VK_DELETE);
  const auto vist = tavo::test::MessageBoxesShown();
  ASSERT_EQ(vist.size(), 2u);
  EXPECT_EQ(vist[0].caption, "Advarsel");
  EXPECT_NE(vist[0].text.find("Lektioner: \t\t   3.00"), std::string::npos) << vist[0].text;
  EXPECT_EQ(Perioder(), (std::vector<UgePar>{{202433, 202526}}));
  EXPECT_FALSE(Lever(tal));
  DestroyWindow(h);
}

}  // namespace
