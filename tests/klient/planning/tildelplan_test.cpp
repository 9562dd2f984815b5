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
#include "planvindue_fixtur.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;

class TildelPlanGruppeMedPlan : public PlanVindueFixtur {
 protected:
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
