// The staff plan summary tile over the painting fixture's plan: a stand-in
// plan window answers the plan record, the tile sits in a cell window that
// notes what it is told, and the figures are read back from the text each
// pane drew.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "BESKEDER.h"
#include "PlanMedOpg.h"
#include "VINDUER.h"
#include "plantegning_fixtur.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;

Plan *gSvarPlan = nullptr;
std::vector<UINT> *gCelleFik = nullptr;

LRESULT CALLBACK PlanStandIn(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == REL_PLAN_TILSTAND) return reinterpret_cast<LRESULT>(gSvarPlan);
  return DefWindowProcA(h, m, w, l);
}

LRESULT CALLBACK CelleProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= WM_USER) {
    if (gCelleFik) gCelleFik->push_back(m);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// The figures of one column: its four rows and its total.
struct Kolonne {
  std::vector<std::string> raekker;
  std::string ialt;
  bool operator==(const Kolonne &) const = default;
};

std::ostream &operator<<(std::ostream &o, const Kolonne &k) {
  for (const auto &r : k.raekker) o << "[" << r << "]";
  return o << " ialt [" << k.ialt << "]";
}

class PlanMedOpgFixtur : public PlanTegningFixtur {
 protected:
  HWND celle = 0, planVindue = 0, flise = 0, vaert = 0;
  std::vector<UINT> celleFik;
  uint32_t gemtAnfo = 0;

  void SetUp() override {
    PlanTegningFixtur::SetUp();
    wfb_test::Registrer("PlanMedOpgWndClass", PlanMedOpgWndProc, CS_OWNDC);
    wfb_test::Registrer("PlanOpgStandIn", PlanStandIn, 0);
    wfb_test::Registrer("PlanOpgCelle", CelleProc, 0);
    gCelleFik = &celleFik;
    gemtAnfo = tvanfo.AktuelRec;
    vaert = CreateWindowExA(0, "PlanOpgCelle", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, 0, 0, 0, nullptr);
    celle = CreateWindowExA(0, "PlanOpgCelle", "", WS_CHILD | WS_VISIBLE, 0, 0, 500, 300, vaert, 0, 0, nullptr);
    AabnPlan();
    tvanfo.AktuelRec = anne;
    float *t = plan.PlanAnfoTab[anne].PlanMedTal;
    // Hours by slot: planned 8, 9, 10, 12; taught 0 to 5 and 7; 6, 11 and
    // 13 on are not shown and must not count.
    const std::map<int, float> tal = {{0, 11}, {1, 22}, {2, 33}, {3, 4},  {4, 5},   {5, 6},  {6, 900},
                                      {7, 100}, {8, 10}, {9, 20}, {10, 30}, {11, 700}, {12, 40}, {13, 800}};
    for (const auto &[i, v] : tal) t[i] = v;
  }
  void TearDown() override {
    if (flise && IsWindow(flise)) DestroyWindow(flise);
    LukPlan();
    DestroyWindow(vaert);
    gCelleFik = nullptr;
    tvanfo.AktuelRec = gemtAnfo;
    PlanTegningFixtur::TearDown();
  }

  void AabnPlan() {
    gSvarPlan = &plan;
    planVindue = CreateWindowExA(0, "PlanOpgStandIn", "", WS_CHILD, 0, 0, 10, 10, vaert,
                                 static_cast<HMENU>(kPlanVindueType), 0, nullptr);
    VinduesListeTilfoej(planVindue);
  }
  void LukPlan() {
    if (!planVindue) return;
    VinduesListeFjern(planVindue);
    DestroyWindow(planVindue);
    planVindue = 0;
  }

  PlanMedOpgWS *Ws() { return reinterpret_cast<PlanMedOpgWS *>(GetWindowLongPtrA(flise, GWLP_USERDATA)); }

  void Opret() {
    flise = CreatePlanMedOpgWnd(celle, 0, 0);
    ASSERT_NE(flise, 0u);
    ShowWindow(flise, SW_SHOW);
    tavo::test::PumpUntilIdle();
  }
  // The tile filled again after the message, and what its panes drew.
  void Send(UINT m, WPARAM w = 0) {
    tavo::test::ClearDrawnTexts();
    SendMessageA(flise, m, w, 0);
  }
  Kolonne Laes(int rude) {
    PlanMedOpgWS *ws = Ws();
    Kolonne k;
    k.raekker.assign(4, "");
    const int h = ws->Y[5] - ws->Y[4] - 1;
    auto trim = [](std::string s) {
      s.erase(0, s.find_first_not_of(' '));
      return s;
    };
    for (const auto &t : tavo::test::DrawnTexts()) {
      if (t.hwnd == ws->hwndRude[rude]) {
        const int r = (t.y - ws->TekstOffset) / h;
        if (r >= 0 && r < 4) k.raekker[static_cast<size_t>(r)] = trim(t.text);
      }
      if (t.hwnd == ws->hwndRude[rude + 1]) k.ialt = trim(t.text);
    }
    return k;
  }
  bool Tom(int rude) {
    const Kolonne k = Laes(rude);
    return k == Kolonne{{"", "", "", ""}, ""};
  }
};

// ---- The figures ----

class PlanMedOpgTal : public PlanMedOpgFixtur {};

TEST_F(PlanMedOpgTal, PlanLaestOgDiffFraMedarbejderensTal) {
  Opret();
  Send(DATA_AENDRET);
  EXPECT_EQ(Laes(PMO_PLAN), (Kolonne{{"10", "20", "30", "40"}, "100"}));
  // "Øv. tim." taught is 3 + 4 + 5; the total also counts 7.
  EXPECT_EQ(Laes(PMO_LAEST), (Kolonne{{"11", "22", "33", "15"}, "181"}));
  EXPECT_EQ(Laes(PMO_DIFF), (Kolonne{{"1", "2", "3", "-25"}, "81"}));
  EXPECT_EQ(Ws()->SidsteRyd, uint32_t{PMO_RYD_REGNSKAB});

  // Without plan figures the taught hours are the differences.
  float *t = plan.PlanAnfoTab[anne].PlanMedTal;
  t[8] = t[9] = t[10] = t[12] = 0.0f;
  Send(DATA_AENDRET);
  EXPECT_EQ(Laes(PMO_PLAN), (Kolonne{{"0", "0", "0", "0"}, "0"}));
  EXPECT_EQ(Laes(PMO_DIFF), (Kolonne{{"11", "22", "33", "15"}, "181"}));
}

TEST_F(PlanMedOpgTal, TilstandeUdenTalRydderDeresDele) {
  struct Tilfaelde {
    const char *navn;
    std::function<void()> saet;
    uint32_t ryd;
    bool plan;  // the "Plan" column written
  };
  const Tilfaelde tabel[] = {
      {"gruppen uden for skemaperioden", [this] { plan.Fradato = 20240701; }, 60, true},
      {"planvinduet lukket", [this] { LukPlan(); }, 63, false},
      {"ingen aktuel medarbejder", [] { tvanfo.AktuelRec = 0; }, 62, false},
      {"medarbejder uden for tabellen", [] { tvanfo.AktuelRec = 100000; }, 62, false},
      {"ansættelse ikke aktuel", [this] { TabRec<AnfoRec>(tvanfo, anne)->Status = 20; },
       2 | 4 | 8 | 32, false},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    Opret();
    Send(DATA_AENDRET);
    ASSERT_FALSE(Tom(PMO_LAEST));  // figures of the run before
    t.saet();
    Send(DATA_AENDRET);
    EXPECT_EQ(Ws()->SidsteRyd, t.ryd);
    EXPECT_EQ(Tom(PMO_PLAN), !t.plan);
    EXPECT_TRUE(Tom(PMO_LAEST));
    EXPECT_TRUE(Tom(PMO_DIFF));
    // The cleared panes show the background.
    EXPECT_EQ(tavo::test::WindowPixel(Ws()->hwndRude[PMO_LAEST], 20, 3), FarveTab[0]);
    DestroyWindow(flise);
    plan.Fradato = 20240801;
    tvanfo.AktuelRec = anne;
    TabRec<AnfoRec>(tvanfo, anne)->Status = 10;
    if (!planVindue) AabnPlan();
  }
}

TEST_F(PlanMedOpgTal, FoelgerAktuelMedarbejderOgMaling) {
  float *t = plan.PlanAnfoTab[bo].PlanMedTal;
  t[8] = 7.0f;
  t[0] = 2.0f;
  Opret();
  Send(DATA_AENDRET);
  ASSERT_EQ(Laes(PMO_PLAN).ialt, "100");
  // Another employee made current elsewhere: the tile follows whether it
  // is the active cell or not.
  for (WPARAM aktiv : {0, 1}) {
    SCOPED_TRACE(aktiv);
    SendMessageA(flise, aktiv ? VINDUE_SAET_AKTIV : VINDUE_DEAKTIVER, 0, 0);
    tvanfo.AktuelRec = bo;
    Send(AKTUEL_AENDRET);
    EXPECT_EQ(Ws()->Anfo, bo);
    EXPECT_EQ(Laes(PMO_PLAN), (Kolonne{{"7", "0", "0", "0"}, "7"}));
    EXPECT_EQ(Laes(PMO_DIFF).raekker[0], "-5");
    tvanfo.AktuelRec = anne;
    Send(AKTUEL_AENDRET);
    EXPECT_EQ(Laes(PMO_PLAN).ialt, "100");
  }
  // A paint writes the figures too, with the captions and the period.
  tavo::test::ClearDrawnTexts();
  InvalidateRect(flise, nullptr, FALSE);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Laes(PMO_LAEST).ialt, "181");
  // Kept in the build to be looked at.
  tavo::test::SaveWindowPng(flise, TAVO_BINARY_DIR "/tests/klient/planning/plan_medopg_flise.png");
  std::vector<std::string> tekster;
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == flise) tekster.push_back(d.text);
  for (const char *s : {"Plan", "L\xE6st", "Diff.", "Undervis.", "Rettearb.", "Eksamen", "\xD8v. tim.", "Ialt",
                        "Planperiode:", "20240801-20250731"})
    EXPECT_NE(std::find(tekster.begin(), tekster.end(), s), tekster.end()) << s;
}

// ---- The window ----

class PlanMedOpgVindue : public PlanMedOpgFixtur {};

TEST_F(PlanMedOpgVindue, StoerrelseBeskederOgLukning) {
  const int32_t h = CalcPlanMedOpgHeight(10000);
  EXPECT_EQ(CalcPlanMedOpgHeight(50), std::min(50, h));
  EXPECT_EQ(CalcPlanMedOpgWidth(), CalcPlanMedOpgCol1Width() + CalcPlanMedOpgCol2Width() + 183);
  Opret();
  RECT rc;
  GetClientRect(flise, &rc);
  EXPECT_EQ(rc.right, CalcPlanMedOpgWidth());
  EXPECT_EQ(rc.bottom, h);
  // The grid fits the window.
  EXPECT_LT(Ws()->X[6], rc.right);
  EXPECT_LT(Ws()->Y[5], rc.bottom);
  EXPECT_EQ(GetWindowLongA(flise, GWL_ID), static_cast<LONG>(kPlanOpgType));
  EXPECT_EQ(SendMessageA(flise, VINDUE_ART, 0, 0), static_cast<LRESULT>(kPlanOpgType));
  EXPECT_EQ(SendMessageA(flise, WM_ERASEBKGND, 0, 0), 0);

  struct Tilfaelde {
    UINT besked;
    std::vector<UINT> celle;
    uint8_t aktiv;
  };
  const Tilfaelde tabel[] = {
      {VINDUE_AKTIVER, {ENS_BLEV_AKTIV}, 1},
      {VINDUE_DEAKTIVER, {ENS_BLEV_INAKTIV}, 0},
      {VINDUE_AKTIVER_STILLE, {}, 1},
      {VINDUE_DEAKTIVER, {ENS_BLEV_INAKTIV}, 0},
      {VINDUE_SAET_AKTIV, {}, 1},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.besked);
    celleFik.clear();
    SendMessageA(flise, t.besked, 0, 0);
    EXPECT_EQ(celleFik, t.celle);
    EXPECT_EQ(Ws()->Aktiv, t.aktiv);
  }
  // F4 alone is not the close key; Ctrl+F4 asks the cell to take the tile out.
  celleFik.clear();
  SendMessageA(flise, WM_KEYDOWN, VK_F4, 0);
  EXPECT_TRUE(celleFik.empty());
  BYTE taster[256];
  GetKeyboardState(taster);
  taster[VK_CONTROL] = 0x80;
  SetKeyboardState(taster);
  SendMessageA(flise, WM_SYSKEYDOWN, VK_F4, 0);
  taster[VK_CONTROL] = 0;
  SetKeyboardState(taster);
  EXPECT_EQ(celleFik, std::vector<UINT>{ELEMENT_LUK});
}

}  // namespace
