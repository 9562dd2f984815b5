// The staff plan summary tile beside the real plan window: the cursor moved
// onto another teacher's subject row makes that employee current, the
// plan window tells every window (1054), and the tile shows that
// employee's figures from the plan the window loaded and counted.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "BESKEDER.h"
#include "PlanFold.h"
#include "PlanMedOpg.h"
#include "PlanTegn.h"
#include "PlanTraad.h"
#include "VINDUER.h"
#include "planvindue_fixtur.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;

class PlanMedOpgPlanVindue : public PlanVindueFixtur {
 protected:
  HWND flise = 0;
  void (*gemtKrog)(Plan *) = nullptr;

  void SetUp() override {
    PlanVindueFixtur::SetUp();
    for (uint32_t fag : {dansk, mat}) {
      SkphRec p{};
      p.akti_id = akti;
      p.skfa_id = fag;
      p.Status = 10;
      Ny(tdskph, tvskph, p);
    }
    wfb_test::Registrer("PlanMedOpgWndClass", PlanMedOpgWndProc, CS_OWNDC);
    gemtKrog = PlanVindueKrog.SaetPlanPeriode;
    PlanVindueKrog.SaetPlanPeriode = SaetPlanPeriode;
  }
  void TearDown() override {
    if (flise) {
      VinduesListeFjern(flise);
      DestroyWindow(flise);
    }
    PlanVindueKrog.SaetPlanPeriode = gemtKrog;
    PlanVindueFixtur::TearDown();
  }

  // The tile in a cell of the screen: it gets what every window is told.
  void OpretFlise() {
    flise = CreatePlanMedOpgWnd(hwndDesktop, 0, 0);
    ASSERT_NE(flise, 0u);
    VinduesListeTilfoej(flise);
    ShowWindow(flise, SW_SHOW);
    tavo::test::PumpUntilIdle();
  }
  PlanMedOpgWS *Ws() { return reinterpret_cast<PlanMedOpgWS *>(GetWindowLongPtrA(flise, GWLP_USERDATA)); }
  // The "Plan" total the tile drew since the log was cleared.
  std::string PlanIalt() {
    std::string s;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == Ws()->hwndRude[PMO_PLAN_IALT]) s = t.text.substr(t.text.find_first_not_of(' '));
    return s;
  }
  // The shown position of the first subject row whose first teacher is anfo.
  uint32_t Position(uint32_t anfo) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
      const uint32_t r = p->Ens.ObjTab[i];
      if (p->ObjTypeTab[r] == PLAN_FAG && p->GrundTab[r].Medarbejder1 == anfo) return i;
    }
    return 0;
  }
};

TEST_F(PlanMedOpgPlanVindue, FoelgerMedarbejderenPaaPlanensCursor) {
  Aabn();
  Plan *p = P();
  VentPaaPlanTraade(p);
  // Unfold every heading, so the subject rows are shown.
  for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
    const uint32_t r = p->Ens.ObjTab[i];
    if (p->ObjTypeTab[r] != PLAN_AKTI || p->GrundTab[r].Udfoldet) continue;
    UdfoldSkift(p, p->ObjTypeTab, r);
    p->StyrY.Pos.Aktuel = i;
    FoldRaekke(p, false);
  }
  // Anne and Bo on a subject row each, as a selection would put them.
  auto Giv = [&](uint32_t anfo) {
    if (const uint32_t i = Position(anfo)) return i;
    for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
      const uint32_t r = p->Ens.ObjTab[i];
      if (p->ObjTypeTab[r] == PLAN_FAG && p->GrundTab[r].Medarbejder1 == 0) {
        p->GrundTab[r].Medarbejder1 = anfo;
        return i;
      }
    }
    return 0u;
  };
  const uint32_t annes = Giv(anne), bos = Giv(bo);
  ASSERT_NE(annes, 0u);
  ASSERT_NE(bos, 0u);
  // Figures of the two that the tile can tell apart.
  p->PlanAnfoTab[anne].PlanMedTal[8] = 12.0f;
  p->PlanAnfoTab[bo].PlanMedTal[8] = 30.0f;
  p->PlanAnfoTab[bo].PlanMedTal[12] = 4.0f;
  OpretFlise();

  p->Ens.Aktiv = 1;
  struct Skridt {
    uint32_t pos;
    uint32_t anfo;
    const char *ialt;
  };
  for (const Skridt &s : {Skridt{annes, anne, "12"}, Skridt{bos, bo, "34"}, Skridt{annes, anne, "12"}}) {
    SCOPED_TRACE(s.ialt);
    tavo::test::ClearDrawnTexts();
    p->StyrY.Pos.Aktuel = s.pos;
    p->StyrLX.Pos.Aktuel = 0;
    TegnPlan(p, PLAN_TEGN_ALT);
    EXPECT_EQ(tvanfo.AktuelRec, s.anfo);
    EXPECT_EQ(Ws()->Anfo, s.anfo);
    EXPECT_EQ(PlanIalt(), s.ialt);
  }
  // Closing the plan window leaves the tile without figures.
  Luk();
  tavo::test::ClearDrawnTexts();
  SendMessageA(flise, DATA_AENDRET, 0, 0);
  EXPECT_EQ(Ws()->SidsteRyd, uint32_t{PMO_RYD_ALT});
  EXPECT_EQ(PlanIalt(), "");
}

}  // namespace
