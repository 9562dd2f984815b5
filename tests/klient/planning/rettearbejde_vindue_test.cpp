// The marking-work and exam-time sub-views in the open plan window: the
// layouts and the caption they show, and the dialog run on a week cell
// whose figures survive the plan's save and a new load.
#include <gtest/gtest.h>

#include <string>

#include "../ui/dialog_input.h"
#include "PlanFold.h"
#include "Rettearbejde.h"
#include "SWITCH.h"
#include "TALTAB.h"
#include "planvindue_fixtur.h"
#include "rettedlg.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;

class RettearbejdeVindue : public PlanVindueFixtur {
 protected:
  bool egneElever = false;

  void SetUp() override {
    PlanVindueFixtur::SetUp();
    SkphRec p{};
    p.akti_id = akti;
    p.skfa_id = dansk;
    p.Status = 10;
    Ny(tdskph, tvskph, p);
    if (!AktiDagTab) {
      AllokerAktiTalTab();
      egneElever = true;
    }
  }
  void TearDown() override {
    PlanVindueFixtur::TearDown();
    if (egneElever) FreeAktiTalTab();
  }

  uint32_t RaekkePos(uint32_t art, uint32_t a) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
      const uint32_t r = p->Ens.ObjTab[i];
      if (p->ObjTypeTab[r] == art && p->GrundTab[r].Aktivitet == a) return i;
    }
    return 0;
  }
  uint32_t KolonnePos(uint32_t art, Uge uge = 0) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrX.Pos.Antal; ++i) {
      const uint32_t c = p->StyrX.ObjTab[i];
      if (p->ObjTypeTabX[c] == art && (uge == 0 || p->UgeTab[c] == uge)) return i;
    }
    return 0;
  }
  void Udfold(uint32_t a) {
    const uint32_t pos = RaekkePos(PLAN_AKTI, a);
    ASSERT_NE(pos, 0u);
    if (!UdfoldSkift(P(), P()->ObjTypeTab, P()->Ens.ObjTab[pos])) return;
    P()->StyrY.Pos.Aktuel = pos;
    ASSERT_TRUE(FoldRaekke(P(), false));
  }
  bool Tegnet(const std::string &tekst) {
    tavo::test::ClearDrawnTexts();
    InvalidateRect(h, nullptr, FALSE);
    tavo::test::PumpUntilIdle();
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.text == tekst) return true;
    return false;
  }
  const TalPost *Uge(Uge uge) {
    Plan *p = P();
    const uint32_t pos = RaekkePos(PLAN_FAG, akti);
    if (pos == 0) return nullptr;
    return &p->GrundTab[p->Ens.ObjTab[pos]].TalTab[UgeTilIndeks(uge)];
  }
};

TEST_F(RettearbejdeVindue, UnderVisningerneSkifterLayoutOgTitel) {
  Aabn();
  struct Form {
    void (*saet)(Plan *);
    uint8_t underVisning;
    const char *titel;
  };
  const Form former[] = {{SaetRettearbejdLayout, 1, "Planl\xE6gning - TAVO - Rettearbejde"},
                         {SaetEksametidLayout, 2, "Planl\xE6gning - TAVO - Eksametid"}};
  for (const Form &f : former) {
    SCOPED_TRACE(f.titel);
    Plan *p = P();
    p->VisSkeLekt = 1;
    p->StyrLX.Pos.Aktuel = 1;
    const uint8_t liste = p->LayoutPlanListe.Bogstav, listeNr = p->LayoutPlanListe.SwitchNr;
    f.saet(p);
    EXPECT_EQ(p->UnderVisning, f.underVisning);
    EXPECT_EQ(p->VisSkeLekt, 0u);
    EXPECT_EQ(p->DetaljeNiveau, 2);
    EXPECT_EQ(p->MedaVisning, 1u);
    EXPECT_EQ(p->LayoutKolonne.SwitchNr, 1);
    EXPECT_EQ(p->LayoutKolonne.FeltAntal, ObjSwitchFeltAntal(111, '#', 1));
    EXPECT_EQ(p->LayoutVenstre.SwitchNr, 3);
    EXPECT_EQ(p->LayoutVenstre.FeltAntal, ObjSwitchFeltAntal(113, '#', 3));
    EXPECT_EQ(p->LayoutPlanListe.Bogstav, liste);
    EXPECT_EQ(p->LayoutPlanListe.SwitchNr, listeNr);
    EXPECT_EQ(p->StyrLX.Pos.Aktuel, 0u);
    // The sub-views have no total column: their figures are per period
    // and week.
    EXPECT_EQ(KolonnePos(31), 0u);
    EXPECT_NE(KolonnePos(32), 0u);
    EXPECT_TRUE(Tegnet(f.titel));
  }
}

TEST_F(RettearbejdeVindue, DialogPaaEnUgeGemmesOgLaesesIgen) {
  Aabn();
  Udfold(akti);
  SaetRettearbejdLayout(P());
  const uint32_t raekke = RaekkePos(PLAN_FAG, akti), kolonne = KolonnePos(33, kUge);
  ASSERT_NE(raekke, 0u);
  ASSERT_NE(kolonne, 0u);
  P()->StyrY.Pos.Aktuel = raekke;
  P()->StyrX.Pos.Aktuel = kolonne;
  std::string caption, ialt;
  tavo::test::StartDialogScript(30000);
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    caption = d.caption;
    dlgtest::SkrivFelt(d.hwnd, IDC_RETTE_ELEVER, "25");
    dlgtest::Tast(d.hwnd, VK_TAB);
    dlgtest::SkrivFelt(d.hwnd, IDC_RETTE_OPGAVER, "4");
    dlgtest::Tast(d.hwnd, VK_TAB);
    dlgtest::SkrivFelt(d.hwnd, IDC_RETTE_MINUTTER, "30");
    dlgtest::Tast(d.hwnd, VK_TAB);
    char t[32] = {};
    GetDlgItemTextA(d.hwnd, IDC_RETTE_IALT, t, sizeof t);
    ialt = t;
    dlgtest::Tast(d.hwnd, VK_RETURN);
    return 0;
  });
  EXPECT_EQ(RedigerRettearbejde(P()), 0);
  tavo::test::StopDialogScript();
  EXPECT_EQ(caption, "Rette arbejde");
  EXPECT_EQ(ialt, "50,00");
  ASSERT_NE(Uge(kUge), nullptr);
  EXPECT_FLOAT_EQ(Uge(kUge)->Rettearbejd, 50.0f);
  Luk();

  Aabn();
  Udfold(akti);
  const TalPost *t = Uge(kUge);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->ElevAntal, 25u);
  EXPECT_FLOAT_EQ(t->Opgave_antal, 4.0f);
  EXPECT_FLOAT_EQ(t->Minutter_per_opgave, 30.0f);
  EXPECT_FLOAT_EQ(t->Rettearbejd, 50.0f);
}

}  // namespace
