// The plan selection window as the plan window opens it for a subject row
// in view 'A': the employments it lists, the one it starts on, what a mark
// and an unmark do to the plan, a change of layout and the close.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "BESKEDER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_VALG.h"
#include "PlanFold.h"
#include "PlanValgVindue.h"
#include "PlanVindue.h"
#include "SKEBEG.h"
#include "SWITCH.h"
#include "planvindue_fixtur.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;

class PlanValgVinduePlan : public PlanVindueFixtur {
 protected:
  uint32_t cille = 0, par = 0;
  AVS gemtAVS{};
  uint32_t avsAkti = 0;

  void SetUp() override {
    PlanVindueFixtur::SetUp();
    wfb_test::Registrer("PlanValgWndClass", PlanValgWndProc, CS_OWNDC | CS_DBLCLKS);
    // An employment of the group's period that is not assigned to it.
    cille = NyAnfo("CIH", "1", "Cille Holm");
    SkphRec p{};
    p.akti_id = akti;
    p.skfa_id = dansk;
    p.Status = 10;
    par = Ny(tdskph, tvskph, p);
    // Cille has Danish on the activity in the subject distribution.
    FagfordlRec f{};
    f.Status = 10;
    f.Fradato = 19000101;
    f.Tildato = 20991231;
    f.anfo_id = cille;
    f.akti_id = akti;
    f.skfa_id = dansk;
    TabRec<SkfaRec>(tvskfa, dansk)->forste_fagfordl = Ny(tdfagfordl, tvfagfordl, f);
    // An event of Danish on the activity is being entered.
    gemtAVS = AktuelAVS;
    AktuelAVS = AVS{};
    avsAkti = akti;
    AktuelAVS.aktiTab = &avsAkti;
    AktuelAVS.aktiAntal = 1;
    AktuelAVS.skfa_id = dansk;
    ObjSwitchVaelg(kPlanValgArt, 'M', 0);
  }
  void TearDown() override {
    AktuelAVS = gemtAVS;
    PlanVindueFixtur::TearDown();
  }

  uint32_t RaekkePos(uint32_t art, uint32_t a) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
      const uint32_t r = p->Ens.ObjTab[i];
      if (p->ObjTypeTab[r] == art && p->GrundTab[r].Aktivitet == a) return i;
    }
    return 0;
  }
  // The subject row of the activity, its heading opened first.
  uint32_t FagRaekke() {
    Plan *p = P();
    const uint32_t pos = RaekkePos(PLAN_AKTI, akti);
    if (pos == 0) return 0;
    if (UdfoldSkift(p, p->ObjTypeTab, p->Ens.ObjTab[pos])) {
      p->StyrY.Pos.Aktuel = pos;
      FoldRaekke(p, false);
    }
    const uint32_t fag = RaekkePos(PLAN_FAG, akti);
    p->StyrY.Pos.Aktuel = fag;
    return fag ? p->Ens.ObjTab[fag] : 0;
  }
  HWND Valg() const { return GetDlgItem(hwndDesktop, kValgVindueId); }
  PVWS *W() const { return reinterpret_cast<PVWS *>(GetWindowLongPtrA(Valg(), GWLP_USERDATA)); }
  std::vector<uint32_t> Raekker() const {
    const PVWS *w = W();
    return std::vector<uint32_t>(w->ens.ObjTab + 1, w->ens.ObjTab + 1 + w->ens.ObjTabAntal);
  }
  // The colour the name was drawn in among the rows; CLR_INVALID when not.
  COLORREF NavnFarve(const char *navn) const {
    COLORREF c = CLR_INVALID;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == W()->ens.hwndCeller && t.text.find(navn) != std::string::npos) c = t.text_color;
    return c;
  }
  void GaaTil(uint32_t rec) {
    PVWS *w = W();
    for (uint32_t r = 1; r <= w->ens.ObjTabAntal; ++r)
      if (w->ens.ObjTab[r] == rec) w->PosY.Aktuel = r;
  }
  void Tast(UINT vk) {
    SendMessageA(Valg(), WM_KEYDOWN, vk, 1);
    tavo::test::PumpUntilIdle();
  }
  // The employments the subject row holds.
  std::set<uint32_t> PaaRaekken(uint32_t r) {
    const GrundRaekke &g = P()->GrundTab[r];
    std::set<uint32_t> s;
    for (uint32_t m : {g.Medarbejder1, g.Medarbejder2})
      if (m) s.insert(m);
    return s;
  }
};

TEST_F(PlanValgVinduePlan, MarkeringTilfoejerOgFjernerPaaFagraekkenOgLayoutSkifterListen) {
  Aabn();
  Plan *p = P();
  ASSERT_EQ(p->Visning, 'A');
  const uint32_t r = FagRaekke();
  ASSERT_NE(r, 0u);
  ASSERT_TRUE(PaaRaekken(r).empty());
  BygAnfoSkfaKryds(p);

  VisPlanValgListe(p, 0);
  tavo::test::PumpUntilIdle();
  ASSERT_NE(Valg(), 0u);
  // Every employment of the period, the one not assigned to the group
  // last and in another colour; the subject's teacher is the current row.
  EXPECT_EQ(Raekker(), (std::vector<uint32_t>{anne, bo, cille}));
  EXPECT_EQ(PlanValgAktuelRec(W()), cille);
  tavo::test::ClearDrawnTexts();
  SetFocus(h);
  SendMessageA(Valg(), VINDUE_DEAKTIVER, 0, 0);
  EXPECT_NE(NavnFarve("Anne Berg"), CLR_INVALID);
  EXPECT_EQ(NavnFarve("Anne Berg"), NavnFarve("Bo Lund"));
  EXPECT_NE(NavnFarve("Cille Holm"), NavnFarve("Bo Lund"));
  SendMessageA(Valg(), VINDUE_AKTIVER, 1, 0);
  // As tall as its rows want: the desktop has room.
  RECT rc{};
  GetWindowRect(Valg(), &rc);
  EXPECT_EQ(rc.bottom - rc.top, SendMessageA(Valg(), ENS_HOEJDE, 0, 0));
  EXPECT_EQ(rc.right - rc.left, SendMessageA(Valg(), ENS_BREDDE, 0, 0));
  EXPECT_EQ(W()->MaerkeGraense, 2u);
  EXPECT_EQ(W()->MarkeretAntal, 0u);

  GaaTil(anne);
  Tast(VK_SPACE);
  EXPECT_EQ(PaaRaekken(r), (std::set<uint32_t>{anne}));
  // The plan counts the subject on her from here on, and says so.
  EXPECT_EQ(SendMessageA(h, PLAN_KRYDS, anne, dansk), 1);
  Tast(VK_SPACE);
  EXPECT_TRUE(PaaRaekken(r).empty());
  EXPECT_EQ(W()->MarkeretAntal, 0u);

  // The second layout lists those assigned to the group, the third every
  // employment again.
  SendTast(Valg(), '2', true, false, false);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(W()->ListeValgt, 1u);
  EXPECT_EQ(Raekker(), (std::vector<uint32_t>{anne, bo}));
  SendTast(Valg(), '3', true, false, false);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(W()->ListeValgt, 2u);
  EXPECT_EQ(Raekker(), (std::vector<uint32_t>{anne, bo, cille}));

  SetFocus(Valg());
  Tast(VK_ESCAPE);
  EXPECT_EQ(Valg(), 0u);
  // Back to the plan window, which hands the keys on to the main window.
  EXPECT_EQ(GetFocus(), hwndHoved);
}

TEST_F(PlanValgVinduePlan, FormarkererRaekkensMedarbejdere) {
  Aabn();
  Plan *p = P();
  const uint32_t r = FagRaekke();
  ASSERT_NE(r, 0u);
  PlanValgt(p, 'M', bo);
  ASSERT_EQ(PaaRaekken(r), (std::set<uint32_t>{bo}));
  FagRaekke();
  VisPlanValgListe(p, 0);
  tavo::test::PumpUntilIdle();
  ASSERT_NE(Valg(), 0u);
  EXPECT_EQ(W()->MarkeretAntal, 1u);
  EXPECT_EQ(W()->Maerker[bo] & 1, 1);
  // Bo is marked: Space on him takes him off the row.
  GaaTil(bo);
  Tast(VK_SPACE);
  EXPECT_TRUE(PaaRaekken(r).empty());
  Tast(VK_ESCAPE);
  EXPECT_EQ(Valg(), 0u);
}

}  // namespace
