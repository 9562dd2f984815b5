// The plan window's keys on a small data folder: which cells may be edited,
// the views and sub-views, the plan groups under Ctrl, paste, clear and
// remove, duplicate rows, "Gem ALT påny", and that asking in test mode
// never acts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "BESKEDER.h"
#include "FF_PlanFyld.h"
#include "FF_PlanIndtast.h"
#include "FF_PlanRec.h"
#include "HOVEDVIN.h"
#include "KATALOG.h"
#include "PLANAKSER.h"
#include "PlanFold.h"
#include "PlanTast.h"
#include "PlanTraad.h"
#include "PlanVindue.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "TASTINFO.h"
#include "planvindue_fixtur.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;

enum { S = 1, C = 2, A = 4 };

class PlanTastTest : public PlanVindueFixtur {
 protected:
  RECT gemtFri{};

  void SetUp() override {
    PlanVindueFixtur::SetUp();
    // The desktop's free area, which a window fitted to it takes.
    gemtFri = FriArealRect;
    FriArealRect = RECT{0, 0, 1199, 899};
    SkphRec p{};
    p.akti_id = akti;
    p.skfa_id = dansk;
    p.Status = 10;
    Ny(tdskph, tvskph, p);
    Aabn();
    ASSERT_NE(P(), nullptr);
    // The first activity open, so its subject row is shown.
    const uint32_t pos = RaekkePos(PLAN_AKTI, akti);
    ASSERT_NE(pos, 0u);
    if (UdfoldSkift(P(), P()->ObjTypeTab, P()->Ens.ObjTab[pos])) {
      P()->StyrY.Pos.Aktuel = pos;
      ASSERT_TRUE(FoldRaekke(P(), false));
    }
    ASSERT_NE(RaekkePos(PLAN_FAG, akti), 0u);
  }

  void TearDown() override {
    PlanVindueFixtur::TearDown();
    FriArealRect = gemtFri;
  }

  // A key as the main window hands it on: the key record with its
  // modifiers.
  void Tast(UINT vk, int mods = 0) {
    TastInfo t{};
    t.shift = mods & S ? -1 : 0;
    t.ctrl = mods & C ? -1 : 0;
    t.alt = mods & A ? -1 : 0;
    t.message = mods & A ? WM_SYSKEYDOWN : WM_KEYDOWN;
    t.wParam = vk;
    SendMessageA(h, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  }
  LRESULT Spoerg(UINT vk, int mods = 0) {
    TastInfo t{};
    t.shift = mods & S ? -1 : 0;
    t.ctrl = mods & C ? -1 : 0;
    t.alt = mods & A ? -1 : 0;
    t.message = WM_KEYDOWN;
    t.wParam = vk;
    return SendMessageA(h, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&t));
  }

  uint32_t RaekkePos(uint32_t art, uint32_t a, uint8_t dublet = 0) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
      const uint32_t r = p->Ens.ObjTab[i];
      if (p->ObjTypeTab[r] == art && p->GrundTab[r].Aktivitet == a && p->GrundTab[r].Dublet == dublet) return i;
    }
    return 0;
  }
  uint32_t Raekke(uint32_t pos) { return P()->Ens.ObjTab[pos]; }
  uint32_t KolonnePos(uint32_t art, Uge uge = 0) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrX.Pos.Antal; ++i) {
      const uint32_t c = p->StyrX.ObjTab[i];
      if (p->ObjTypeTabX[c] == art && (uge == 0 || p->UgeTab[c] == uge)) return i;
    }
    return 0;
  }
  uint32_t VenstrePos(uint32_t art) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrLX.Pos.Antal; ++i)
      if (p->ObjTypeTabLX[p->StyrLX.ObjTab[i]] == art) return i;
    return 0;
  }
  void Cursor(uint32_t raekke, uint32_t kolonne, uint32_t venstre = 0) {
    Plan *p = P();
    p->StyrY.Pos.Aktuel = p->StyrY.Forrige = raekke;
    p->StyrX.Pos.Aktuel = p->StyrX.Forrige = kolonne;
    p->StyrLX.Pos.Aktuel = p->StyrLX.Forrige = venstre;
  }
  TalPost &UgeTal(uint32_t raekke, ::Uge uge) { return P()->GrundTab[raekke].TalTab[UgeTilIndeks(uge)]; }
  void Skriv(const char *tekst) { SendMessageA(h, EDITBOX_OK, 0, reinterpret_cast<LPARAM>(tekst)); }
  // The Dublet numbers of the first activity's subject rows, in row order.
  std::vector<int> Dubletter() {
    std::vector<int> v;
    Plan *p = P();
    for (uint32_t r = 1; r <= p->GrundTabAntal; ++r)
      if (p->ObjTypeTab[r] == PLAN_FAG && p->GrundTab[r].Aktivitet == akti && p->GrundTab[r].KopiAf == 0)
        v.push_back(p->GrundTab[r].Dublet);
    std::sort(v.begin(), v.end());
    return v;
  }
  std::vector<int> GemteDubletter() {
    std::vector<int> v;
    for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
      const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
      if (PlanRecIBrug(g->Status) && g->ObjType == PLAN_FAG && g->Aktivitet == akti) v.push_back(g->Dublet);
    }
    std::sort(v.begin(), v.end());
    return v;
  }
};

// ---- Which cells may be edited ----

TEST_F(PlanTastTest, CelleReglerEfterRaekkeKolonneVisningOgUndervisning) {
  struct Tilfaelde {
    uint32_t raekkeArt;
    uint32_t venstre;  // left-panel column kind; 0: the week area
    uint32_t kolonne;  // week-area column kind
    uint32_t status;   // PlanStatus of the week
    char visning;
    uint32_t meda;
    uint8_t under;
    bool redigerbar;
  };
  const Tilfaelde tilfaelde[] = {
      // The activity heading: only its budget.
      {PLAN_AKTI, 25, 0, 0, 'A', 0, 0, true},
      {PLAN_AKTI, 26, 0, 0, 'A', 0, 0, false},
      {PLAN_AKTI, 22, 0, 0, 'A', 0, 0, false},
      {PLAN_AKTI, 0, 33, 0, 'A', 0, 0, false},
      // A subject row's caption columns: 23 to 26 in 'A', any in 'M'/'O'.
      {PLAN_FAG, 22, 0, 0, 'A', 0, 0, false},
      {PLAN_FAG, 23, 0, 0, 'A', 0, 0, true},
      {PLAN_FAG, 26, 0, 0, 'A', 0, 0, true},
      {PLAN_FAG, 273, 0, 0, 'A', 0, 0, false},
      {PLAN_FAG, 22, 0, 0, 'M', 1, 0, true},
      {PLAN_FAG, 22, 0, 0, 'O', 0, 0, true},
      // Its weeks by their mark.
      {PLAN_FAG, 0, 33, 0, 'A', 0, 0, true},
      {PLAN_FAG, 0, 33, PS_UGE, 'A', 0, 0, true},
      {PLAN_FAG, 0, 33, PS_GRUPPE, 'A', 0, 0, true},
      {PLAN_FAG, 0, 33, PS_PERIODE, 'A', 0, 0, true},
      {PLAN_FAG, 0, 33, PS_FREMMED, 'A', 0, 0, false},
      {PLAN_FAG, 0, 33, PS_POSTERET, 'A', 0, 0, false},
      {PLAN_FAG, 0, 32, 0, 'A', 0, 0, true},
      // In 'M' and 'O' only while the employee columns are off.
      {PLAN_FAG, 0, 33, 0, 'M', 1, 0, false},
      {PLAN_FAG, 0, 33, 0, 'M', 0, 0, true},
      {PLAN_FAG, 0, 33, PS_UGE, 'O', 1, 0, false},
      {PLAN_FAG, 0, 33, PS_UGE, 'O', 0, 0, true},
      // The sub-views: period and week columns of view 'A' only.
      {PLAN_FAG, 0, 33, 0, 'A', 0, 1, true},
      {PLAN_FAG, 0, 32, 0, 'A', 0, 2, true},
      {PLAN_FAG, 0, 31, 0, 'A', 0, 1, false},
      {PLAN_FAG, 25, 0, 0, 'A', 0, 1, false},
      {PLAN_FAG, 0, 33, 0, 'M', 0, 2, false},
      // Employee and sum rows.
      {PLAN_OPG_TIMER, 25, 0, 0, 'A', 0, 0, true},
      {PLAN_POST, 26, 0, 0, 'M', 1, 0, true},
      {PLAN_FREMMED_FAG, 22, 0, 0, 'A', 0, 0, false},
      {PLAN_FREMMED_FAG, 22, 0, 0, 'M', 1, 0, true},
      {PLAN_FREMMED_OPG_TIMER, 22, 0, 0, 'O', 1, 0, true},
      {PLAN_OPG_TIMER, 23, 0, 0, 'M', 1, 0, false},
      {PLAN_OPG_TIMER, 0, 33, PS_UGE, 'M', 1, 0, true},
      {PLAN_OPG_TIMER, 0, 33, PS_FREMMED, 'M', 1, 0, false},
      // Other kinds never.
      {PLAN_MEDA, 25, 0, 0, 'M', 1, 0, false},
      {PLAN_SKEMA, 0, 33, 0, 'M', 0, 0, false},
  };
  Plan *p = P();
  const uint32_t pos = RaekkePos(PLAN_FAG, akti);
  const uint32_t r = Raekke(pos);
  const uint32_t art = p->ObjTypeTab[r];
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "kind " << t.raekkeArt << " left " << t.venstre << " column " << t.kolonne
                                    << " status " << t.status << " view " << t.visning << " meda " << t.meda
                                    << " sub-view " << int(t.under));
    p->ObjTypeTab[r] = t.raekkeArt;
    p->Visning = static_cast<uint8_t>(t.visning);
    p->MedaVisning = t.meda;
    p->UnderVisning = t.under;
    const uint32_t k = t.kolonne == 33 ? KolonnePos(33, kUge) : t.kolonne ? KolonnePos(t.kolonne) : 1;
    const uint32_t v = t.venstre ? VenstrePos(t.venstre) : 0;
    ASSERT_TRUE(k != 0 && (t.venstre == 0 || v != 0));
    Cursor(pos, k, v);
    UgeTal(r, kUge).PlanStatus = t.status;
    EXPECT_EQ(PlanCelleRedigerbar(p), t.redigerbar);
  }
  p->ObjTypeTab[r] = art;
  p->Visning = 'A';
  p->MedaVisning = 0;
  p->UnderVisning = 0;
  UgeTal(r, kUge).PlanStatus = 0;
}

// ---- Views ----

TEST_F(PlanTastTest, VisningerSkifterOgBeholderObjektet) {
  Plan *p = P();
  const uint32_t fagPos = RaekkePos(PLAN_FAG, akti);
  const uint32_t fag = Raekke(fagPos);
  ASSERT_EQ(p->GrundTab[fag].Medarbejder1, 0u);
  TilknytMedarbejder(p, anne, fag);
  BygRaekker(p, true);
  Cursor(RaekkePos(PLAN_FAG, akti), KolonnePos(33, kUge));

  // From the subject row to its employee's heading in 'M'.
  Tast(VK_NEXT);
  ASSERT_EQ(p->Visning, 'M');
  EXPECT_EQ(p->MedaVisning, 1u);
  uint32_t r = PlanAktuelRaekke(p);
  EXPECT_EQ(p->ObjTypeTab[r], PLAN_MEDA);
  EXPECT_EQ(p->GrundTab[r].Medarbejder1, anne);
  // The narrower caption area of 'M' takes its corner along: the week
  // headers beside it are not covered.
  RECT hjoerne{}, uger{};
  GetWindowRect(p->Ens.hwndHjoerneV, &hjoerne);
  GetWindowRect(p->Ens.hwndKolHoved, &uger);
  EXPECT_LE(hjoerne.right, uger.left);
  // Three steps round: back on the activity's heading in 'A'.
  Tast(VK_NEXT);
  EXPECT_EQ(p->Visning, 'O');
  Tast(VK_NEXT);
  ASSERT_EQ(p->Visning, 'A');
  EXPECT_EQ(p->MedaVisning, 0u);
  r = PlanAktuelRaekke(p);
  EXPECT_EQ(p->ObjTypeTab[r], PLAN_AKTI);
  EXPECT_EQ(p->GrundTab[r].Aktivitet, akti);
  // PgUp goes the other way.
  Tast(VK_PRIOR);
  EXPECT_EQ(p->Visning, 'O');
  Tast(VK_PRIOR);
  EXPECT_EQ(p->Visning, 'M');
  Tast(VK_PRIOR);
  EXPECT_EQ(p->Visning, 'A');
}

TEST_F(PlanTastTest, EscForladerUndervisningOgGoerIntetINormalVisning) {
  Plan *p = P();
  const uint32_t pos = RaekkePos(PLAN_FAG, akti), kol = KolonnePos(33, kUge);
  Cursor(pos, kol);
  Tast(VK_ESCAPE);
  EXPECT_EQ(p->UnderVisning, 0u);
  EXPECT_EQ(p->StyrY.Pos.Aktuel, pos);
  EXPECT_EQ(p->StyrX.Pos.Aktuel, kol);

  for (UINT tast : {UINT('R'), UINT('E')}) {
    Tast(tast);
    EXPECT_EQ(p->UnderVisning, tast == 'R' ? 1u : 2u);
    Tast(VK_ESCAPE);
    EXPECT_EQ(p->UnderVisning, 0u);
    EXPECT_EQ(p->StyrLX.Pos.Aktuel, 0u);
    // The same key again leaves the sub-view too.
    Tast(tast);
    Tast(tast);
    EXPECT_EQ(p->UnderVisning, 0u);
  }
}

TEST_F(PlanTastTest, CtrlPgDnTilEnGruppeDerIkkeKanBygges) {
  Luk();
  const uint32_t anden = NyGruppe("Fag 25/26", kEgen, 20250801, 20260731);
  NyPeriode(anden, 202532, 202604, 1);
  Aabn();
  Plan *p = P();
  ASSERT_EQ(p->StyrZ.Pos.Antal, 2u);
  ASSERT_EQ(p->AktPlanGruppe, gruppe);
  Tast(VK_NEXT, C);
  EXPECT_EQ(p->AktPlanGruppe, anden);
  EXPECT_EQ(tvffpg.AktuelRec, anden);
  Tast(VK_PRIOR, C);
  EXPECT_EQ(p->AktPlanGruppe, gruppe);
  // The second group went meanwhile: its build answers no, the first stays.
  TabRec<FfpgRec>(tvffpg, anden)->Status = 0;
  Tast(VK_NEXT, C);
  EXPECT_EQ(p->AktPlanGruppe, gruppe);
  EXPECT_EQ(p->StyrZ.ObjTab[p->StyrZ.Pos.Aktuel], gruppe);
  EXPECT_NE(p->StyrY.Pos.Antal, 0u);
}

// The toggles cycle where their view allows them and nowhere else.
TEST_F(PlanTastTest, OmskiftereCyklerIDeresVisninger) {
  Plan *p = P();
  struct Tilf {
    char visning;
    UINT tast;
    int mods;
    uint32_t Plan::*u32;
    uint8_t Plan::*u8;
    std::vector<int> efter;  // the field after each press
  };
  const Tilf tilf[] = {
      {'A', 'F', 0, nullptr, &Plan::FagVisning, {1, 2, 0}},
      {'M', 'F', 0, nullptr, &Plan::FagVisning, {0}},
      {'M', 'L', 0, &Plan::MedaVisning, nullptr, {0, 1}},
      {'A', 'L', 0, &Plan::MedaVisning, nullptr, {0}},
      {'M', 'D', 0, nullptr, &Plan::DetaljeNiveau, {1, 2, 0}},
      {'A', 'D', 0, nullptr, &Plan::DetaljeNiveau, {0}},
      {'M', 'V', 0, &Plan::VisSkeLekt, nullptr, {0, 1}},
  };
  for (const Tilf &t : tilf) {
    SCOPED_TRACE(testing::Message() << t.visning << " " << char(t.tast));
    while (p->Visning != t.visning) Tast(VK_NEXT);
    p->VisSkeLekt = 1;
    for (int vaerdi : t.efter) {
      Tast(t.tast, t.mods);
      EXPECT_EQ(t.u32 ? int(p->*t.u32) : int(p->*t.u8), vaerdi);
    }
  }
  while (p->Visning != 'A') Tast(VK_NEXT);
  // Y folds the heading under the cursor, X the period of the column.
  const uint32_t hoved = RaekkePos(PLAN_AKTI, akti);
  Cursor(RaekkePos(PLAN_FAG, akti), KolonnePos(33, kUge));
  Tast('Y');
  EXPECT_EQ(RaekkePos(PLAN_FAG, akti), 0u);
  EXPECT_EQ(p->StyrY.Pos.Aktuel, hoved);
  Tast('Y');
  EXPECT_NE(RaekkePos(PLAN_FAG, akti), 0u);
  Cursor(hoved, KolonnePos(33, kUge));
  Tast('X');
  EXPECT_EQ(KolonnePos(33, kUge), 0u);
  Tast('X');
  EXPECT_NE(KolonnePos(33, kUge), 0u);
}

// ---- Editing ----

TEST_F(PlanTastTest, InsaetUdenKopiGemmerNul) {
  Plan *p = P();
  const uint32_t pos = RaekkePos(PLAN_FAG, akti), kol = KolonnePos(33, kUge);
  const uint32_t fag = Raekke(pos);
  ASSERT_TRUE(SaetLektioner(p, p->StyrX.ObjTab[kol], fag, 3));
  ASSERT_EQ(UgeTal(fag, kUge).Lektioner, 30);
  Cursor(pos, kol);
  Tast(VK_INSERT);
  EXPECT_EQ(UgeTal(fag, kUge).Lektioner, 0);
  EXPECT_EQ(p->StyrX.Pos.Aktuel, kol);  // no arrow key yet: nothing to repeat
}

TEST_F(PlanTastTest, IndsaetEfterKopiIndsaetterOgFlytterVidere) {
  Plan *p = P();
  const uint32_t pos = RaekkePos(PLAN_FAG, akti);
  const uint32_t fag = Raekke(pos);
  const uint32_t kol = KolonnePos(33, kUge);
  const uint32_t foer = PlanOptaellinger();
  Cursor(pos, kol);
  Skriv("4");  // what was typed last is what Insert pastes
  EXPECT_EQ(UgeTal(fag, kUge).Lektioner, 40);
  Tast(VK_RIGHT);
  ASSERT_EQ(p->StyrX.Pos.Aktuel, kol + 1);
  const Uge naeste = p->UgeTab[p->StyrX.ObjTab[kol + 1]];
  Tast(VK_INSERT);
  EXPECT_EQ(UgeTal(fag, naeste).Lektioner, 40);
  EXPECT_TRUE(UgeTal(fag, naeste).PlanStatus & PS_UGE);
  // The repeat key moved the cursor on.
  EXPECT_EQ(p->StyrX.Pos.Aktuel, kol + 2);
  VentPaaPlanTraade(p);
  EXPECT_GT(PlanOptaellinger(), foer);
  // And Delete clears it, moving on the same way.
  Cursor(pos, kol + 1);
  Tast(VK_DELETE);
  EXPECT_EQ(UgeTal(fag, naeste).Lektioner, 0);
  EXPECT_EQ(p->StyrX.Pos.Aktuel, kol + 2);
}

TEST_F(PlanTastTest, DubletterLaegesTilOgFjernes) {
  Plan *p = P();
  // Ctrl+D twice from the first row: numbers 1 and 2, stored at once.
  for (int i = 0; i < 2; ++i) {
    Cursor(RaekkePos(PLAN_FAG, akti), KolonnePos(33, kUge));
    Tast('D', C);
  }
  EXPECT_EQ(Dubletter(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(GemteDubletter(), (std::vector<int>{0, 1, 2}));
  // From a duplicate the next number is still one above the highest.
  Cursor(RaekkePos(PLAN_FAG, akti, 1), KolonnePos(33, kUge));
  Tast('D', C);
  EXPECT_EQ(Dubletter(), (std::vector<int>{0, 1, 2, 3}));
  const uint32_t ny = Raekke(RaekkePos(PLAN_FAG, akti, 3));
  EXPECT_EQ(p->GrundTab[ny].Minutnorm1, -1.0f);
  EXPECT_EQ(p->GrundTab[ny].Medarbejder1, 0u);
  EXPECT_EQ(p->GrundTab[ny].Ejer, kEgen);

  // A duplicate with hours is refused and nothing moves.
  const uint32_t en = Raekke(RaekkePos(PLAN_FAG, akti, 1));
  ASSERT_TRUE(SaetLektioner(p, p->StyrX.ObjTab[KolonnePos(33, kUge)], en, 2));
  BygRaekker(p, true);
  Cursor(RaekkePos(PLAN_FAG, akti, 1), 1, VenstrePos(22));
  tavo::test::StartDialogScript(5000);
  Tast(VK_DELETE);
  auto bokse = tavo::test::MessageBoxesShown();
  tavo::test::StopDialogScript();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "OBS!");
  EXPECT_EQ(bokse[0].text,
            "Der er registreret lektioner eller timer p\xE5 faget,\neller der er tilknyttet en medarbejder\nDerfor kan "
            "det ikke fjernes, du skal slette informationerne f\xF8rst.");
  EXPECT_EQ(Dubletter(), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(GemteDubletter(), (std::vector<int>{0, 1, 2, 3}));

  // An empty duplicate goes; those after it move down one.
  Cursor(RaekkePos(PLAN_FAG, akti, 2), 1, VenstrePos(22));
  tavo::test::StartDialogScript(5000);
  Tast(VK_DELETE);
  bokse = tavo::test::MessageBoxesShown();
  tavo::test::StopDialogScript();
  EXPECT_TRUE(bokse.empty());
  EXPECT_EQ(Dubletter(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(GemteDubletter(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(p->GrundTab[en].Dublet, 1u);  // the one before keeps its number
  EXPECT_GE(p->StyrY.Pos.Aktuel, 1u);
  EXPECT_LE(p->StyrY.Pos.Aktuel, p->StyrY.Pos.Antal);
}

TEST_F(PlanTastTest, SletIBudgetRydderOgBeregnerDetAfledte) {
  Plan *p = P();
  AktiRec *a = TabRec<AktiRec>(tvakti, akti);
  a->Elevlektioner = 12;
  a->Kursistlektioner = 3;
  const uint32_t pos = RaekkePos(PLAN_AKTI, akti);
  const uint32_t hoved = Raekke(pos);
  p->GrundTab[hoved].Budget = 99;  // entered by hand
  GemRaekke(p, hoved, false);
  Cursor(pos, 1, VenstrePos(25));
  Tast(VK_DELETE);
  EXPECT_EQ(p->GrundTab[hoved].Budget, 15u | (1u << 30));
  const FfgrundRec *rec = TabRec<FfgrundRec>(tvffgrund, p->GrundTab[hoved].GrundRec);
  EXPECT_EQ(rec->Budget, 15u | (1u << 30));
  EXPECT_EQ(rec->Status, 64u);
}

// ---- Saving everything again ----

TEST_F(PlanTastTest, GemAltPaanyAfbrudtGemmerIntet) {
  Plan *p = P();
  tavo::test::StartDialogScript(5000);
  std::string titel, tekst;
  UINT type = 0;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    titel = d.caption;
    tekst = d.text;
    type = d.type;
    return IDCANCEL;
  });
  Tast('S', S | C);
  const auto fejl = tavo::test::DialogFailures();
  tavo::test::StopDialogScript();
  EXPECT_EQ(titel, "Gem ALT p\xE5ny");
  EXPECT_EQ(tekst,
            "Denne 'gem' vil medf\xF8re at ALT PLAN-data bliver gemt og ALT PLAN-data bliver exporteret til EASY.\nDette "
            "g\xF8r at PLAN-tabellerne i EASY bliver slettet/t\xF8mte og lokal PLAN-data bliver lagt ind p\xE5ny!\n\nEr "
            "du sikker p\xE5 du vil dette?");
  EXPECT_EQ(type & MB_TYPEMASK, UINT(MB_OKCANCEL));
  EXPECT_EQ(type & MB_ICONMASK, UINT(MB_ICONWARNING));
  EXPECT_EQ(type & MB_DEFMASK, UINT(MB_DEFBUTTON2));
  EXPECT_EQ(p->GemAlt, 0u);
  EXPECT_TRUE(fejl.empty()) << fejl.front();  // no save dialog came
}

TEST_F(PlanTastTest, GemAltPaanySkriverAltSomNyt) {
  Plan *p = P();
  WritePrivateProfileStringA("flag", "planexport", "0", StiTab.szini);
  // A row the central system knows by its id.
  const uint32_t fag = Raekke(RaekkePos(PLAN_FAG, akti));
  ASSERT_NE(p->GrundTab[fag].GrundRec, 0u);
  TabRec<FfgrundRec>(tvffgrund, p->GrundTab[fag].GrundRec)->Id = 4711;
  tavo::test::StartDialogScript(30000);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDOK; });
  Svar(1);  // the save's own dialog
  Tast('S', S | C);
  const auto fejl = tavo::test::DialogFailures();
  tavo::test::StopDialogScript();
  EXPECT_TRUE(fejl.empty());
  EXPECT_EQ(p->GemAlt, 0u);  // the save clears it again
  uint32_t iBrug = 0;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, n);
    if (!PlanRecIBrug(g->Status)) continue;
    ++iBrug;
    EXPECT_EQ(g->Id, 0u) << "record " << n;
    EXPECT_EQ(g->Status, 64u) << "record " << n;
  }
  EXPECT_GE(iBrug, 2u);
  char flag[8] = "";
  GetPrivateProfileStringA("flag", "planexport", "", flag, sizeof flag, StiTab.szini);
  EXPECT_STREQ(flag, "1");
}

// ---- Asking in test mode ----

TEST_F(PlanTastTest, TestTilstandSvarerUdenAtHandle) {
  struct Tilf {
    UINT tast;
    int mods;
  };
  const Tilf taster[] = {{VK_F4, C},     {VK_ESCAPE, 0}, {'T', 0},       {VK_LEFT, 0},  {VK_RIGHT, 0}, {VK_UP, 0},
                         {VK_DOWN, 0},   {VK_NEXT, C},   {VK_PRIOR, C},  {VK_NEXT, 0},  {VK_PRIOR, 0}, {'D', C},
                         {'D', 0},       {'E', S | C},   {'E', 0},       {'R', 0},      {'F', 0},      {'I', S | C},
                         {'L', 0},       {'M', C},       {'P', 0},       {'S', C},      {'S', 0},      {'S', S | C},
                         {'V', 0},       {'V', C},       {'V', A},       {'X', 0},      {'Y', 0},      {VK_RETURN, 0},
                         {VK_INSERT, 0}, {VK_DELETE, 0}, {VK_DELETE, C}, {'4', 0},      {VK_OEM_MINUS, 0}};
  Plan *p = P();
  const uint32_t pos = RaekkePos(PLAN_FAG, akti), kol = KolonnePos(33, kUge);
  const uint32_t fag = Raekke(pos);
  Cursor(pos, kol);
  UgeTal(fag, kUge).Lektioner = 30;
  p->KopiLektioner = 7;
  p->GentagTast = VK_RIGHT;
  const int bip = tavo::test::BeepCount();
  const uint32_t raekker = p->GrundTabAntal, synlige = p->StyrY.Pos.Antal;
  tavo::test::StartDialogScript(2000);
  for (const Tilf &t : taster) {
    SCOPED_TRACE(testing::Message() << "key " << t.tast << " mods " << t.mods);
    EXPECT_EQ(Spoerg(t.tast, t.mods), 1);
    EXPECT_EQ(p->Visning, 'A');
    EXPECT_EQ(p->UnderVisning, 0u);
    EXPECT_EQ(p->StyrY.Pos.Aktuel, pos);
    EXPECT_EQ(p->StyrX.Pos.Aktuel, kol);
    EXPECT_EQ(p->StyrLX.Pos.Aktuel, 0u);
    EXPECT_EQ(p->StyrZ.ObjTab[p->StyrZ.Pos.Aktuel], gruppe);
    EXPECT_EQ(p->GrundTabAntal, raekker);
    EXPECT_EQ(p->StyrY.Pos.Antal, synlige);
    EXPECT_EQ(UgeTal(fag, kUge).Lektioner, 30);
    EXPECT_EQ(p->hwndRediger, HWND{0});
    EXPECT_EQ(p->GemAlt, 0u);
    EXPECT_EQ(p->FagVisning, 0u);
    EXPECT_TRUE(IsWindow(h));
  }
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  tavo::test::StopDialogScript();
  EXPECT_EQ(tavo::test::BeepCount(), bip);
  // Keys of the main window are not the plan's.
  for (UINT tast : {UINT(VK_F5), UINT(VK_F11), UINT(VK_TAB), UINT('Q')}) EXPECT_EQ(Spoerg(tast), 0) << tast;
}

// ---- Keys through the main window ----

// The main window's own key routing in front of the plan window: keys
// typed reach the plan only as the main window hands them on.
LRESULT CALLBACK TastHovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
      return MainWndProc(h, m, w, l);
    default:
      return PlanVindueHovedProc(h, m, w, l);
  }
}

class PlanTastVindue : public PlanTastTest {
 protected:
  HWND fixturHoved = 0;
  HovedFokusRec gemtFokus;

  void SetUp() override {
    PlanTastTest::SetUp();
    if (HasFatalFailure()) return;
    wfb_test::Registrer("PlanTastHoved", TastHovedProc, 0);
    fixturHoved = hwndHoved;
    hwndHoved = CreateWindowExA(0, "PlanTastHoved", "Tavo", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, 0, 0, 0, nullptr);
    gemtFokus = HovedFokus;
    HovedFokus = HovedFokusRec{h, 0, -1, 0, {}, 0, 0};
    SetForegroundWindow(hwndHoved);
    SetFocus(hwndHoved);
    tavo::test::PumpUntilIdle();
  }
  void TearDown() override {
    if (fixturHoved) {
      if (h && IsWindow(h)) Luk();
      DestroyWindow(hwndHoved);
      hwndHoved = fixturHoved;
      HovedFokus = gemtFokus;
    }
    PlanTastTest::TearDown();
  }
  void Tryk(UINT vk, int mods = 0) {
    tavo::test::PressKey(vk, (mods & S ? tavo::test::ModShift : 0) | (mods & C ? tavo::test::ModCtrl : 0) |
                                 (mods & A ? tavo::test::ModAlt : 0));
    tavo::test::PumpUntilIdle();
  }
};

TEST_F(PlanTastVindue, PilTilUgeTalOgEnterGemmerLektioner) {
  Plan *p = P();
  const uint32_t fagPos = RaekkePos(PLAN_FAG, akti), kol = KolonnePos(33, kUge);
  const uint32_t fag = Raekke(fagPos), hoved = Raekke(RaekkePos(PLAN_AKTI, akti));
  ASSERT_EQ(GetFocus(), hwndHoved);
  // From the heading's first week: down to the subject row, right to the week.
  Cursor(fagPos - 1, 1);
  Tryk(VK_DOWN);
  EXPECT_EQ(p->StyrY.Pos.Aktuel, fagPos);
  for (uint32_t i = 1; i < kol; ++i) Tryk(VK_RIGHT);
  ASSERT_EQ(p->StyrX.Pos.Aktuel, kol);
  const int32_t hovedFoer = UgeTal(hoved, kUge).Lektioner;
  const uint32_t optalt = PlanOptaellinger();
  Tryk('4');
  ASSERT_NE(p->hwndRediger, HWND{0});
  tavo::test::ClearDrawnTexts();
  Tryk(VK_RETURN);
  VentPaaPlanTraade(p);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(p->hwndRediger, HWND{0});
  EXPECT_EQ(UgeTal(fag, kUge).Lektioner, 40);
  EXPECT_EQ(UgeTal(fag, kUge).PlanStatus & 0xFF, PS_UGE);
  EXPECT_EQ(UgeTal(hoved, kUge).Lektioner, hovedFoer + 40);
  EXPECT_GT(PlanOptaellinger(), optalt);
  bool vist = false;
  for (const auto &t : tavo::test::DrawnTexts()) vist = vist || t.text == " 4";
  EXPECT_TRUE(vist) << "the week cell does not show \" 4\"";

  EXPECT_EQ(GetFocus(), hwndHoved);
}

// V in view 'A' puts on the subject row the employee who taught its
// students the subject before the group began.
TEST_F(PlanTastVindue, VForeslaarLaererenPaaFagraekken) {
  Luk();
  TabRec<FfpgRec>(tvffpg, gruppe)->Fradato = 20241104;
  // Another team with five of the activity's students, taught Danish by
  // Bo twice in the weeks before the group.
  AktiRec b = *TabRec<AktiRec>(tvakti, akti);
  const uint32_t hold = Ny(tdakti, tvakti, b);
  FagelvRec f{};
  f.akti1_id = akti;
  f.akti2_id = hold;
  f.Status = 10;
  f.Faelles_Fag = 1;
  f.Faelles_Elever = 5;
  Ny(tdfagelv, tvfagelv, f);
  for (Dato d : {20240910u, 20240917u}) {
    TabVar *spand = SkemabegBucket(IndeksTilUge(PlanUgeIndeks(d)));
    ASSERT_NE(spand, nullptr);
    spand->FoersteLedige = spand->wRecCnt;
    const uint32_t n = NewRec(&tdske, spand);
    ASSERT_NE(n, 0u);
    SkeRec *s = reinterpret_cast<SkeRec *>(GetRec(&tdske, spand, n));
    s->id = 9000 + n;
    s->Status = 0x40;
    s->akti_id = hold;
    s->anfo_id = bo;
    s->skfa_id = dansk;
    s->Dag = 2;
    s->Starttid = 800;
    s->Sluttid = 845;
    s->Forste = n;
  }
  Aabn();
  Plan *p = P();
  uint32_t pos = RaekkePos(PLAN_AKTI, akti);
  ASSERT_NE(pos, 0u);
  if (RaekkePos(PLAN_FAG, akti) == 0) {
    p->StyrY.Pos.Aktuel = pos;
    ASSERT_TRUE(FoldRaekke(p, false));
  }
  pos = RaekkePos(PLAN_FAG, akti);
  ASSERT_NE(pos, 0u);
  const uint32_t fag = Raekke(pos);
  ASSERT_EQ(p->GrundTab[fag].Medarbejder1, 0u);
  Cursor(pos, 1);
  HovedFokus.Aktiv = h;
  SetFocus(hwndHoved);
  Tryk('V');
  VentPaaPlanTraade(p);
  EXPECT_EQ(p->GrundTab[fag].Medarbejder1, bo);
  EXPECT_EQ(TabRec<FfgrundRec>(tvffgrund, p->GrundTab[fag].GrundRec)->Medarbejder1, bo);
  // Shift+V chooses nothing.
  p->GrundTab[fag].Medarbejder1 = 0;
  Tryk('V', S);
  VentPaaPlanTraade(p);
  EXPECT_EQ(p->GrundTab[fag].Medarbejder1, 0u);
}

}  // namespace
