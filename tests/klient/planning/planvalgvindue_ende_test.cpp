// A planner's path through the pick list of the plan by employee: the key T
// on an employee opens the list of the school's absence activities, Enter
// gives the employee the one chosen, and the plan keeps it over a close and
// a reload of the plan tables from their files.
#include <gtest/gtest.h>

#include <vector>

#include "BESKEDER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "PlanValgVindue.h"
#include "PlanVindue.h"
#include "RECPRED.h"
#include "TABOPER.h"
#include "TASTINFO.h"
#include "TAVODATA.h"
#include "planvindue_fixtur.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;

class PlanValgVindueEndeTilEnde : public PlanVindueFixtur {
 protected:
  uint32_t kursus = 0, sygdom = 0, arkiveret = 0, stjerne = 0;

  void SetUp() override {
    PlanVindueFixtur::SetUp();
    wfb_test::Registrer("PlanValgWndClass", PlanValgWndProc, CS_OWNDC | CS_DBLCLKS);
    // The absence activities of the school as the exchange delivers them:
    // members of group 5 (the activities' own group), one archived (the
    // star mark of the group word) and one whose name hides it from lists.
    kursus = Fravaer("Kursus", 0x20);
    sygdom = Fravaer("Sygdom", 0x20);
    arkiveret = Fravaer("Orlov", 0x80000020u);
    stjerne = Fravaer("*Intern", 0x20);
  }

  uint32_t Fravaer(const char *navn, uint32_t grupper) {
    const uint32_t a = NyAkti(navn, "");
    AktiRec *r = TabRec<AktiRec>(tvakti, a);
    predtest::Tekst(r->Type, "OVAK");
    r->Gruppe = grupper;
    return a;
  }

  // A key as the main window hands it on to the plan window.
  void PlanTast(UINT vk) {
    TastInfo t{};
    t.message = WM_KEYDOWN;
    t.wParam = vk;
    SendMessageA(h, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
    tavo::test::PumpUntilIdle();
  }
  // Page Down walks the views: by activity, by employee, other tasks.
  void TilVisningM() {
    for (int i = 0; i < 3 && P()->Visning != 'M'; ++i) PlanTast(VK_NEXT);
    ASSERT_EQ(P()->Visning, 'M');
  }
  void TilVisning(char v) {
    for (int i = 0; i < 3 && P()->Visning != v; ++i) PlanTast(VK_NEXT);
    ASSERT_EQ(P()->Visning, v);
  }
  // The pick list's cursor on the record.
  void GaaTil(uint32_t rec) {
    PVWS *w = W();
    for (uint32_t r = 1; r <= w->ens.ObjTabAntal; ++r)
      if (w->ens.ObjTab[r] == rec) w->PosY.Aktuel = r;
    ASSERT_EQ(PlanValgAktuelRec(w), rec);
  }
  void ValgTast(UINT vk) {
    SendMessageA(Valg(), WM_KEYDOWN, vk, 1);
    tavo::test::PumpUntilIdle();
  }
  // A heading opened with the fold key, which the plan stores.
  void Udfold(uint32_t pos) {
    ASSERT_NE(pos, 0u);
    if (P()->GrundTab[P()->Ens.ObjTab[pos]].Udfoldet) return;
    P()->StyrY.Pos.Aktuel = pos;
    PlanTast('Y');
  }
  // A stored plan row as an earlier session left it.
  void GemtRaekke(uint32_t art, uint32_t a, uint32_t m) {
    FfgrundRec r{};
    r.ffpg_id = gruppe;
    r.ObjType = art;
    r.Aktivitet = a;
    r.Medarbejder1 = m;
    r.Minutnorm1 = r.Minutnorm2 = -1.0f;
    r.Ejer = kEgen;
    r.Status = 64;
    Ny(tdffgrund, tvffgrund, r);
  }
  // Anne's heading opened with the fold key, which the plan stores.
  void AabnAnne() {
    const uint32_t pos = Vist(PLAN_MEDA, 0, anne);
    ASSERT_NE(pos, 0u);
    if (P()->GrundTab[P()->Ens.ObjTab[pos]].Udfoldet) return;
    P()->StyrY.Pos.Aktuel = pos;
    PlanTast('Y');
    ASSERT_EQ(P()->GrundTab[P()->Ens.ObjTab[pos]].Udfoldet, 1u);
  }
  HWND Valg() const { return GetDlgItem(hwndDesktop, kValgVindueId); }
  PVWS *W() const { return reinterpret_cast<PVWS *>(GetWindowLongPtrA(Valg(), GWLP_USERDATA)); }
  std::vector<uint32_t> Raekker() const {
    const PVWS *w = W();
    return std::vector<uint32_t>(w->ens.ObjTab + 1, w->ens.ObjTab + 1 + w->ens.ObjTabAntal);
  }

  // The position of the first row shown of the kind, activity (0: any) and
  // first employment.
  uint32_t Vist(uint32_t art, uint32_t a, uint32_t m) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
      const GrundRaekke &g = p->GrundTab[p->Ens.ObjTab[i]];
      if (p->ObjTypeTab[p->Ens.ObjTab[i]] == art && (a == 0 || g.Aktivitet == a) && g.Medarbejder1 == m) return i;
    }
    return 0;
  }
  // The plan rows of the kind for the activity and employment in the group.
  std::vector<uint32_t> IModellen(uint32_t art, uint32_t a, uint32_t m) {
    Plan *p = P();
    std::vector<uint32_t> v;
    for (uint32_t r = 1; r <= p->GrundTabAntal; ++r)
      if (p->ObjTypeTab[r] == art && p->GrundTab[r].Aktivitet == a && p->GrundTab[r].Medarbejder1 == m &&
          p->GrundTab[r].ffpg_id == gruppe)
        v.push_back(r);
    return v;
  }

  // The plan tables as the files hold them.
  static void GenlaesPlanTabeller() {
    const TabDesc *td[] = {&tdffpg, &tdffpgrel, &tdffpp, &tdffgrund, &tdffpertab, &tdfftaltab};
    TabVar *tv[] = {&tvffpg, &tvffpgrel, &tvffpp, &tvffgrund, &tvffpertab, &tvfftaltab};
    for (size_t i = 0; i < 6; ++i) {
      predtest::TomTabel(tv[i]);
      ASSERT_EQ(LoadTab(td[i], tv[i]), 0) << td[i]->Navn;
    }
  }
};

TEST_F(PlanValgVindueEndeTilEnde, FravaerValgtMedEnterPaaMedarbejderGemmesOgLaesesIgen) {
  Aabn();
  TilVisningM();
  const uint32_t annePos = Vist(PLAN_MEDA, 0, anne);
  ASSERT_NE(annePos, 0u);
  P()->StyrY.Pos.Aktuel = annePos;

  PlanTast('T');
  ASSERT_NE(Valg(), 0u);
  EXPECT_EQ(W()->Bogstav, 'K');
  EXPECT_EQ(W()->MaerkeGraense, 0u);
  // The live absence activities of the plan's dates, by name; no team.
  ASSERT_EQ(Raekker(), (std::vector<uint32_t>{kursus, sygdom}));
  EXPECT_EQ(PlanValgAktuelRec(W()), kursus);

  SendMessageA(Valg(), WM_KEYDOWN, VK_DOWN, 1);
  tavo::test::PumpUntilIdle();
  ASSERT_EQ(PlanValgAktuelRec(W()), sygdom);
  SendMessageA(Valg(), WM_KEYDOWN, VK_RETURN, 1);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Valg(), 0u);
  EXPECT_EQ(GetFocus(), hwndHoved);

  // Anne has an hours row of the absence, shown under her, and the
  // activity a heading of its own for the view of other tasks.
  const std::vector<uint32_t> raekke = IModellen(PLAN_OPG_TIMER, sygdom, anne);
  ASSERT_EQ(raekke.size(), 1u);
  EXPECT_NE(P()->GrundTab[raekke[0]].GrundRec, 0u);
  EXPECT_EQ(IModellen(PLAN_OPG_AKTI, sygdom, 0).size(), 1u);
  AabnAnne();
  EXPECT_NE(Vist(PLAN_OPG_TIMER, sygdom, anne), 0u);
  EXPECT_TRUE(IModellen(PLAN_OPG_TIMER, kursus, anne).empty());
  EXPECT_NE(FindPgRel(gruppe, sygdom, 'K'), 0u);

  Luk();
  GenlaesPlanTabeller();
  Aabn();
  EXPECT_EQ(IModellen(PLAN_OPG_TIMER, sygdom, anne).size(), 1u);
  EXPECT_EQ(IModellen(PLAN_OPG_AKTI, sygdom, 0).size(), 1u);
  TilVisningM();
  AabnAnne();
  EXPECT_NE(Vist(PLAN_OPG_TIMER, sygdom, anne), 0u);
}

// What the plan window does with an absence activity chosen elsewhere
// than on an employee of its own plan by employee, or one that the next
// load would take off the plan again: nothing, and the activity stays out
// of the group.
TEST_F(PlanValgVindueEndeTilEnde, FravaerDerIkkeKanBliveIPlanenTagesIkke) {
  struct Tilfaelde {
    const char *hvad;
    char visning;
    void (*aendr)(AktiRec *);
  };
  // The view it opens in first.
  const Tilfaelde tilfaelde[] = {
      {"chosen in the plan by activity", 'A', [](AktiRec *) {}},
      {"cancelled", 'M', [](AktiRec *a) { a->Aflyst = 'J'; }},
      {"after the group's dates", 'M', [](AktiRec *a) { a->Fradato = 20250801, a->Tildato = 20251231; }},
      {"archived", 'M', [](AktiRec *a) { a->Gruppe |= 0x80000000u; }},
      {"deleted in EASY", 'M', [](AktiRec *a) { a->Slettet_i_EASY = 1; }},
  };
  std::vector<uint32_t> akti;
  for (const Tilfaelde &t : tilfaelde) {
    akti.push_back(Fravaer(t.hvad, 0x20));
    t.aendr(TabRec<AktiRec>(tvakti, akti.back()));
  }
  Aabn();
  for (size_t i = 0; i < akti.size(); ++i) {
    SCOPED_TRACE(tilfaelde[i].hvad);
    if (tilfaelde[i].visning == 'M') TilVisningM();
    ASSERT_EQ(P()->Visning, tilfaelde[i].visning);
    if (tilfaelde[i].visning == 'M') P()->StyrY.Pos.Aktuel = Vist(PLAN_MEDA, 0, anne);
    const uint32_t raekker = P()->GrundTabAntal;
    SendMessageA(h, VALG_MARKERET, 'K', akti[i]);
    EXPECT_EQ(P()->GrundTabAntal, raekker);
    EXPECT_EQ(FindPgRel(gruppe, akti[i], 'K'), 0u);
  }
}

// The hours row goes to the employee of the heading the cursor is under,
// once, whichever of her rows the cursor is on; also to an employee the
// plan shows without her being a member of the group, as it shows one
// with rows in it.
TEST_F(PlanValgVindueEndeTilEnde, FravaerGaarTilOverskriftensMedarbejderEnGang) {
  const uint32_t cille = NyAnfo("CIH", "1", "Cille Holm");
  FfgrundRec hoved{};
  hoved.ffpg_id = gruppe;
  hoved.ObjType = PLAN_MEDA;
  hoved.Medarbejder1 = cille;
  hoved.Minutnorm1 = hoved.Minutnorm2 = -1.0f;
  hoved.Ejer = kEgen;
  hoved.Status = 64;
  Ny(tdffgrund, tvffgrund, hoved);
  Aabn();
  TilVisningM();
  ASSERT_EQ(FindPgRel(gruppe, cille, 'M'), 0u);
  P()->StyrY.Pos.Aktuel = Vist(PLAN_MEDA, 0, cille);
  ASSERT_NE(P()->StyrY.Pos.Aktuel, 0u);
  SendMessageA(h, VALG_MARKERET, 'K', sygdom);
  EXPECT_EQ(IModellen(PLAN_OPG_TIMER, sygdom, cille).size(), 1u);
  AabnAnne();
  P()->StyrY.Pos.Aktuel = Vist(PLAN_MEDA, 0, anne);
  SendMessageA(h, VALG_MARKERET, 'K', kursus);
  ASSERT_EQ(IModellen(PLAN_OPG_TIMER, kursus, anne).size(), 1u);
  AabnAnne();
  for (uint32_t a : {sygdom, kursus}) {
    const uint32_t pos = Vist(PLAN_OPG_TIMER, kursus, anne);
    ASSERT_NE(pos, 0u);
    P()->StyrY.Pos.Aktuel = pos;
    SendMessageA(h, VALG_MARKERET, 'K', a);
  }
  EXPECT_EQ(IModellen(PLAN_OPG_TIMER, kursus, anne).size(), 1u);
  EXPECT_EQ(IModellen(PLAN_OPG_TIMER, sygdom, anne).size(), 1u);
  EXPECT_TRUE(IModellen(PLAN_OPG_TIMER, kursus, bo).empty());
  EXPECT_TRUE(IModellen(PLAN_OPG_TIMER, sygdom, bo).empty());
}

// A view without rows offers what can start it: the plan by employee
// every employment of the group's dates, the view of other tasks the
// absence activities. What is picked there gets its row, shown at once and
// still there after a fresh load; an employee who was no member of the
// group becomes one, as the view shows members only.
TEST_F(PlanValgVindueEndeTilEnde, ValgIVisningUdenRaekkerGiverRaekken) {
  struct Tilfaelde {
    const char *hvad;
    char visning;
    char liste;  // the pick list's table letter
    uint32_t valgt;
    UINT tast;
    uint32_t art;
    bool aktiRaekke;  // the row is the activity's, else the employee's
    char medlem;
  };
  const Tilfaelde tilfaelde[] = {
      {"an employee of the period in the plan by employee", 'M', 'M', bo, VK_SPACE,
       PLAN_MEDA, false, 'M'},
      {"an absence activity in the view of other tasks", 'O', 'K', sygdom, VK_RETURN,
       PLAN_OPG_AKTI, true, 'K'},
  };
  for (uint32_t m : {anne, bo}) RemovePgRel(gruppe, m, 'M');
  Aabn();
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    const uint32_t rec = t.valgt;
    const uint32_t a = t.aktiRaekke ? rec : 0, m = t.aktiRaekke ? 0 : rec;
    TilVisning(t.visning);
    ASSERT_EQ(P()->StyrY.Pos.Antal, 0u);
    PlanTast('T');
    ASSERT_NE(Valg(), 0u);
    EXPECT_EQ(W()->Bogstav, t.liste);
    GaaTil(rec);
    ValgTast(t.tast);
    const std::vector<uint32_t> r = IModellen(t.art, a, m);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_NE(P()->GrundTab[r[0]].GrundRec, 0u);
    EXPECT_NE(Vist(t.art, a, m), 0u);
    EXPECT_NE(FindPgRel(gruppe, rec, t.medlem), 0u);
    if (Valg()) ValgTast(VK_ESCAPE);
  }
  Luk();
  GenlaesPlanTabeller();
  Aabn();
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    const uint32_t rec = t.valgt;
    TilVisning(t.visning);
    EXPECT_NE(Vist(t.art, t.aktiRaekke ? rec : 0, t.aktiRaekke ? 0 : rec), 0u);
  }
}

// Unmarked again in the same list, the employee picked in the empty plan
// by employee leaves it and the group as she came.
TEST_F(PlanValgVindueEndeTilEnde, MedarbejderAfmarkeretIgenForladerGruppen) {
  for (uint32_t m : {anne, bo}) RemovePgRel(gruppe, m, 'M');
  Aabn();
  TilVisning('M');
  PlanTast('T');
  ASSERT_NE(Valg(), 0u);
  GaaTil(bo);
  ValgTast(VK_SPACE);
  ASSERT_EQ(IModellen(PLAN_MEDA, 0, bo).size(), 1u);
  ValgTast(VK_SPACE);
  EXPECT_TRUE(IModellen(PLAN_MEDA, 0, bo).empty());
  EXPECT_EQ(FindPgRel(gruppe, bo, 'M'), 0u);
  EXPECT_EQ(P()->StyrY.Pos.Antal, 0u);
  ValgTast(VK_ESCAPE);
}

// Under an activity of the view of other tasks the employees picked get
// their hours rows of that activity, however the rebuild after each pick
// moves the rows; one unmarked loses that row only, not her rows of other
// activities or her place in the group.
TEST_F(PlanValgVindueEndeTilEnde, MedarbejderValgtUnderOpgaveFaarTimerRaekken) {
  const uint32_t cille = NyAnfo("CIH", "1", "Cille Holm");
  for (uint32_t a : {kursus, sygdom}) {
    AddPgRel(gruppe, a, 'K');
    GemtRaekke(PLAN_OPG_AKTI, a, 0);
  }
  GemtRaekke(PLAN_OPG_TIMER, kursus, anne);
  Aabn();
  TilVisning('O');
  Udfold(Vist(PLAN_OPG_AKTI, kursus, 0));
  Udfold(Vist(PLAN_OPG_AKTI, sygdom, 0));
  P()->StyrY.Pos.Aktuel = Vist(PLAN_OPG_AKTI, sygdom, 0);
  PlanTast('T');
  ASSERT_NE(Valg(), 0u);
  EXPECT_EQ(W()->Bogstav, 'M');
  GaaTil(anne);
  ValgTast(VK_SPACE);
  EXPECT_EQ(IModellen(PLAN_OPG_TIMER, sygdom, anne).size(), 1u);
  // One of every employment of the period, as the list offers on its
  // wider layouts.
  SendMessageA(h, VALG_MARKERET, 'M', cille);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(IModellen(PLAN_OPG_TIMER, sygdom, cille).size(), 1u);
  EXPECT_TRUE(IModellen(PLAN_OPG_TIMER, kursus, cille).empty());
  EXPECT_NE(FindPgRel(gruppe, cille, 'M'), 0u);
  for (uint32_t m : {anne, cille}) EXPECT_NE(Vist(PLAN_OPG_TIMER, sygdom, m), 0u);

  // Anne again: her row of the absence goes, her course stays.
  GaaTil(anne);
  ValgTast(VK_SPACE);
  EXPECT_TRUE(IModellen(PLAN_OPG_TIMER, sygdom, anne).empty());
  EXPECT_EQ(IModellen(PLAN_OPG_TIMER, kursus, anne).size(), 1u);
  EXPECT_EQ(IModellen(PLAN_MEDA, 0, anne).size(), 1u);
  EXPECT_NE(FindPgRel(gruppe, anne, 'M'), 0u);
  EXPECT_EQ(IModellen(PLAN_OPG_TIMER, sygdom, cille).size(), 1u);
  ValgTast(VK_ESCAPE);

  // Opened on Cille's own row: once that row is gone the next pick is
  // still for her activity.
  P()->StyrY.Pos.Aktuel = Vist(PLAN_OPG_TIMER, sygdom, cille);
  ASSERT_NE(P()->StyrY.Pos.Aktuel, 0u);
  PlanTast('T');
  ASSERT_NE(Valg(), 0u);
  GaaTil(cille);
  ValgTast(VK_SPACE);
  EXPECT_TRUE(IModellen(PLAN_OPG_TIMER, sygdom, cille).empty());
  GaaTil(bo);
  ValgTast(VK_SPACE);
  EXPECT_EQ(IModellen(PLAN_OPG_TIMER, sygdom, bo).size(), 1u);
  EXPECT_TRUE(IModellen(PLAN_OPG_TIMER, kursus, bo).empty());
  ValgTast(VK_ESCAPE);
}

}  // namespace
