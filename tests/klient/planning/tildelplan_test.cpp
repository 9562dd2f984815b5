// The assignment toggle beside a real plan window: a membership added shows
// its team in the plan, and one removed takes it out again.
#include <gtest/gtest.h>

#include "BESKEDER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "HENTGEM.h"
#include "PLANIDX.h"
#include "PROGVINDUER.h"
#include "TALTAB.h"
#include "PlanTraad.h"
#include "PlanVindue.h"
#include "TildelGruppe.h"
#include "plantegning_fixtur.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;

LRESULT CALLBACK StilleProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return m >= WM_USER ? 0 : DefWindowProcA(h, m, w, l);
}

class TildelPlanGruppeMedPlan : public PlanTegningFixtur {
 protected:
  HWND gemtHoved = 0, gemtDesktop = 0, h = 0;
  HANDLE gemtMutex = 0;

  void SetUp() override {
    PlanTegningFixtur::SetUp();
    OpretTalMutex();
    gemtMutex = hPlanMutex;
    hPlanMutex = 0;
    PlanOpdaterVenter.store(0);
    wfb_test::Registrer("PlanWndClass", PlanWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("TildelStille", StilleProc, 0);
    gemtHoved = hwndHoved;
    gemtDesktop = hwndDesktop;
    hwndHoved = CreateWindowExA(0, "TildelStille", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
    hwndDesktop = CreateWindowExA(0, "TildelStille", "", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 1000, 0, 0, 0, nullptr);
    for (uint32_t a : {akti, akti2}) AddPgRel(gruppe, a, 'K');
    for (uint32_t m : {anne, bo}) AddPgRel(gruppe, m, 'M');
    RegistrerPlanVenteSkabeloner();
  }
  void TearDown() override {
    if (h && IsWindow(h)) Luk();
    DestroyWindow(hwndHoved);
    DestroyWindow(hwndDesktop);
    hwndHoved = gemtHoved;
    hwndDesktop = gemtDesktop;
    if (hPlanMutex) CloseHandle(hPlanMutex);
    hPlanMutex = gemtMutex;
    FreePlanTab();
    PlanIndeksNulstil();
    PlanOpdaterVenter.store(0);
    PlanTegningFixtur::TearDown();
  }
  static void Svar(int antal, INT_PTR svar = 0) {
    for (int i = 0; i < antal; ++i)
      tavo::test::AnswerNextDialog([svar](const tavo::test::ShownDialog &) -> INT_PTR { return svar; });
  }
  void Aabn() {
    tavo::test::StartDialogScript(30000);
    Svar(1);
    h = CreatePlan(hwndDesktop, kPlanVindueType, 0, 0, 1200, 900);
    tavo::test::StopDialogScript();
    ASSERT_NE(h, 0u);
    ShowWindow(h, SW_SHOW);
    tavo::test::PumpUntilIdle();
  }
  void Luk() {
    tavo::test::StartDialogScript(30000);
    Svar(4);
    DestroyWindow(h);
    tavo::test::StopDialogScript();
    h = 0;
  }
  Plan *P() { return reinterpret_cast<Plan *>(SendMessageA(h, REL_PLAN_TILSTAND, 0, 0)); }
  bool HarRaekke(uint32_t a) {
    Plan *p = P();
    for (uint32_t r = 1; r <= p->GrundTabAntal; ++r)
      if (p->ObjTypeTab[r] != 0 && p->GrundTab[r].Aktivitet == a && p->GrundTab[r].ffpg_id == gruppe) return true;
    return false;
  }
};

TEST_F(TildelPlanGruppeMedPlan, ThePlanWindowFollowsAnAddedAndARemovedTeam) {
  const uint32_t ny = NyAkti("3c Fy", "Fysik");
  ASSERT_NO_FATAL_FAILURE(Aabn());
  ASSERT_TRUE(HarRaekke(akti));
  ASSERT_FALSE(HarRaekke(ny));

  // Added: the plan window lists the new team.
  EXPECT_TRUE(SkiftTildeling(h, gruppe, ny, 'K', false));
  EXPECT_NE(FindPgRel(gruppe, ny, 'K'), 0u);
  EXPECT_TRUE(HarRaekke(ny));

  // Its removal the plan window agrees to: the team and its rows go.
  tavo::test::StartDialogScript(3000);
  EXPECT_TRUE(SkiftTildeling(h, gruppe, ny, 'K', true));
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  tavo::test::StopDialogScript();
  EXPECT_EQ(FindPgRel(gruppe, ny, 'K'), 0u);
  EXPECT_FALSE(HarRaekke(ny));
}

}  // namespace
