// The plan's search lists over a small data folder: which activities and
// employments a pick list offers and in what order, which list a plan cell
// opens by its row type and the plan's view, and the row searches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FF_GRUPPE.h"
#include "FF_VALG.h"
#include "SWITCH.h"
#include "plan_fixtur.h"

namespace {

using plantest::PlanFixtur;
using predtest::Rec;
using predtest::Tekst;
using Liste = std::vector<uint32_t>;

Liste Indhold(const ValgListe *l) {
  Liste v;
  for (uint32_t i = 1; l && i <= l->Antal; ++i) v.push_back(l->ObjTab[i]);
  return v;
}

// ---- The searches over the row and column lists ----

TEST(PlanListeSoeg, RaekkerFoerOgEfterOgObjektMedType) {
  // Positions 1..6 show rows 10, 11, 12, 13, 14, 15 of the types below.
  const uint32_t objTab[] = {0, 10, 11, 12, 13, 14, 15};
  uint32_t typer[16] = {};
  typer[10] = 9, typer[11] = 14, typer[12] = 14, typer[13] = 9, typer[14] = 14, typer[15] = 2;
  const struct {
    uint32_t pos, type, graense, foer, efter;
  } tilfaelde[] = {
      {1, 9, 6, 0, 4},  // nothing before position 1
      {0, 9, 6, 0, 1},
      {3, 9, 6, 1, 4},
      {4, 9, 6, 1, 0},  // the row itself does not count
      {6, 14, 6, 5, 0}, // at the limit nothing comes after
      {5, 14, 5, 3, 0},
      {2, 2, 6, 0, 6},
      {7, 9, 6, 4, 0},  // beyond the limit
  };
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "pos " << c.pos << " type " << c.type);
    EXPECT_EQ(FindRaekkeFoer(objTab, typer, c.pos, c.type), c.foer);
    EXPECT_EQ(FindRaekkeEfter(objTab, typer, c.pos, c.type, c.graense), c.efter);
  }
  EXPECT_EQ(FindObjektMedType(objTab, typer, 6, 13, 9), 13u);
  EXPECT_EQ(FindObjektMedType(objTab, typer, 6, 13, 14), 0u);  // the object, but of another type
  EXPECT_EQ(FindObjektMedType(objTab, typer, 3, 13, 9), 0u);   // beyond the count
  EXPECT_EQ(FindObjektMedType(objTab, typer, 6, 99, 9), 0u);
}

TEST(PlanListeUmarkeredeBagud, EtGennemloeb) {
  const struct {
    const char *navn;
    Liste maerker, ud;
  } tilfaelde[] = {
      // Only the first and the last entry trade places, then the pass stops.
      {"not, marked, marked, not", {0, 1, 1, 0}, {4, 2, 3, 1}},
      {"all marked", {1, 1, 1}, {1, 2, 3}},
      {"none marked: the reversal undone", {0, 0, 0, 0, 0}, {5, 4, 3, 2, 1}},
      {"an unmarked entry swapped in is moved on", {0, 0, 1, 1}, {4, 3, 2, 1}},
      {"one entry", {0}, {1}},
  };
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(c.navn);
    const uint32_t n = static_cast<uint32_t>(c.maerker.size());
    Liste liste(n + 1), maerket(n + 1);
    for (uint32_t i = 1; i <= n; ++i) liste[i] = i, maerket[i] = c.maerker[i - 1];
    PlanFlytUmarkerede(liste.data(), maerket.data(), n);
    EXPECT_EQ(Liste(liste.begin() + 1, liste.end()), c.ud);
  }
}

// ---- Lists over the data folder ----

class PlanListe : public PlanFixtur {
 protected:
  SwitchLayout valgt115{}, valgt46{}, andet{};

  void TearDown() override {
    ObjSwitchTab[kPlanValgArt] = nullptr;
    ObjSwitchTab[kPlanValgAnfoArt] = nullptr;
    free(plan.Ens.ObjTab);
    plan.Ens.ObjTab = nullptr;
    free(plan.Brutto.Poster);
    plan.Brutto = {};
    PlanFixtur::TearDown();
  }
  uint32_t Ovak(const char *navn, Dato fra = 20240801, Dato til = 20250731) {
    const uint32_t a = NyAkti(navn, "K", fra, til);
    Tekst(Rec<AktiRec>(tvakti, a)->Type, "OVAK");
    return a;
  }
  // The chosen 'M' layout of a window kind: layout 0 chosen and then
  // layout nr, the last chosen one counting.
  void ValgtLayout(uint32_t art, SwitchLayout &l, uint32_t nr) {
    andet = {'M', 0, 1, 0, nullptr, nullptr};
    l = {'M', nr, 1, 0, nullptr, nullptr};
    andet.Naeste = &l;
    ObjSwitchTab[art] = &andet;
  }
  ValgListe *Lav(uint32_t objekt = 0) { return LavPlanValgListe(&plan, objekt, nullptr); }
};

TEST_F(PlanListe, AktiviteterErOvakUdenStjerneOgSorteretEfterNavn) {
  const uint32_t b = Ovak("Bogføring"), a = Ovak("Administration"), ae = Ovak("Ærinder");
  Ovak("*Skjult");
  NyAkti("Dansk A", "DA");  // a team, not a task
  const uint32_t doed = Ovak("Død");
  Rec<AktiRec>(tvakti, doed)->Status = 30;
  const uint32_t neg = Ovak("Negativ");
  Rec<AktiRec>(tvakti, neg)->Gruppe = 0x80000000u;
  Ovak("Før gruppen", 20230801, 20240731);
  const uint32_t o = Ovak("Overlap", 20230801, 20240801);
  ValgListe *l = static_cast<ValgListe *>(calloc(1, sizeof(ValgListe)));
  FyldPlanAktiListe(&plan, l);
  EXPECT_EQ(Indhold(l), (Liste{a, b, o, ae}));  // Æ sorts after Z
  FrigivValgListe(l);
}

TEST_F(PlanListe, MedarbejdereIAndreVisningerEfterNavnKunTildelteVedLayout1) {
  plan.Visning = 'O';
  const uint32_t ole = NyAnfo("OLE", "1", "Ole"), aase = NyAnfo("ÅSE", "2", "Åse"), bo = NyAnfo("BO", "3", "Bo");
  const uint32_t ida = NyAnfo("IDA", "4", "Ida");
  const uint32_t ude = NyAnfo("UDE", "5", "Ude");
  Rec<AnfoRec>(tvanfo, ude)->Fradato = 20250801;
  Rec<AnfoRec>(tvanfo, ude)->Tildato = 20260731;
  Rec<AnfoRec>(tvanfo, ida)->Status = 0;
  AddPgRel(gruppe, ole, 'M');
  AddPgRel(gruppe, aase, 'M');
  const uint32_t t14 = Raekke(PLAN_OPG_TIMER, 0, 0, ole);
  Orden({t14});

  for (const uint32_t layout : {0u, 2u, 1u}) {
    SCOPED_TRACE(testing::Message() << "layout " << layout);
    ValgtLayout(kPlanValgAnfoArt, valgt46, layout);
    ValgListe *l = Lav();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->ListeArt, kPlanValgAnfoArt);
    EXPECT_EQ(l->TitelArt, kPlanValgTitelArt);
    if (layout == 1)
      EXPECT_EQ(Indhold(l), (Liste{ole, aase}));
    else
      EXPECT_EQ(Indhold(l), (Liste{bo, ole, aase}));
    FrigivValgListe(l);
  }
}

TEST_F(PlanListe, ValgAfListeEfterRaekketypeOgVisning) {
  const uint32_t ovak = Ovak("Kursus");
  const uint32_t anne = NyAnfo("ANN", "1", "Anne");
  AddPgRel(gruppe, anne, 'M');
  const uint32_t aflyst = Ovak("Aflyst");
  // One row of each type; the types not named by the table fall to "any other".
  const uint32_t typer[] = {2, 9, 13, 14, 15, 23, 35, 1, 200};
  std::vector<uint32_t> raekker;
  for (uint32_t t : typer) raekker.push_back(Raekke(t, ovak, 0, anne));
  const uint32_t rDoed = Raekke(PLAN_OPG_TIMER, aflyst, 0, anne);
  Rec<AktiRec>(tvakti, aflyst)->Status = 40;
  std::vector<uint32_t> orden(raekker);
  orden.push_back(rDoed);
  free(plan.Ens.ObjTab);
  plan.Ens.ObjTab = static_cast<uint32_t *>(calloc(orden.size() + 1, sizeof(uint32_t)));
  for (size_t i = 0; i < orden.size(); ++i) plan.Ens.ObjTab[i + 1] = orden[i];
  plan.Ens.ObjTabAntal = static_cast<uint32_t>(orden.size());
  plan.StyrY.Pos.Antal = plan.Ens.ObjTabAntal;
  ValgtLayout(kPlanValgArt, valgt115, 1);

  struct Forventet {
    char bogstav;  // 0: nothing opens
    uint32_t art, graense;
  };
  constexpr Forventet kIngen{0, 0, 0};
  constexpr Forventet kAnfoA{'M', 115, 2}, kAnfoM{'M', 46, 10000}, kAkti{'K', 115, 0};
  const struct {
    uint32_t type;  // 0: the raise word is set, so type 0 decides
    char visning;
    Forventet f;
  } tilfaelde[] = {
      {0, 'A', kIngen},   {0, 'M', kAnfoM},   {0, 'O', kAkti},
      {2, 'A', kAnfoA},   {2, 'M', kAkti},    {2, 'O', kAnfoM},
      {9, 'A', kIngen},   {9, 'M', kAkti},    {9, 'O', kAnfoM},
      {13, 'A', kIngen},  {13, 'M', kAkti},   {13, 'O', kAnfoM},
      {14, 'A', kIngen},  {14, 'M', kAkti},   {14, 'O', kAnfoM},
      {15, 'A', kIngen},  {15, 'M', kAkti},   {15, 'O', kAnfoM},
      {23, 'A', kIngen},  {23, 'M', kAkti},   {23, 'O', kAnfoM},
      {35, 'A', kIngen},  {35, 'M', kAkti},   {35, 'O', kAnfoM},
      {1, 'A', kIngen},   {1, 'M', kIngen},   {1, 'O', kIngen},
      {200, 'A', kIngen}, {200, 'M', kIngen}, {200, 'O', kIngen},
  };
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " view " << c.visning);
    plan.Visning = static_cast<uint8_t>(c.visning);
    uint32_t objekt = 0;
    if (c.type == 0) {
      plan.StyrY.Pos.Aktuel = 1;  // a type-2 row under the cursor, but the raise word rules
      objekt = 5;
    } else {
      for (size_t i = 0; i < raekker.size(); ++i)
        if (typer[i] == c.type) plan.StyrY.Pos.Aktuel = static_cast<uint32_t>(i + 1);
    }
    PlanValgType t{};
    ValgListe *l = LavPlanValgListe(&plan, objekt, &t);
    EXPECT_EQ(t.Bogstav, static_cast<uint8_t>(c.f.bogstav));
    if (!c.f.bogstav) {
      EXPECT_EQ(l, nullptr);
      continue;
    }
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->ListeArt, c.f.art);
    EXPECT_EQ(t.MaerkeGraense, c.f.graense);
    EXPECT_EQ(l->Ubrugt[0], objekt);
    EXPECT_EQ(l->TitelArt, 16u);
    EXPECT_EQ(Indhold(l), c.f.bogstav == 'K' ? Liste{ovak} : Liste{anne});
    FrigivValgListe(l);
  }

  // View 'O' on a task row of an activity no longer live: nothing opens,
  // whatever the row type would offer.
  plan.Visning = 'O';
  plan.StyrY.Pos.Aktuel = static_cast<uint32_t>(orden.size());
  PlanValgType t{};
  EXPECT_EQ(LavPlanValgListe(&plan, 0, &t), nullptr);
  EXPECT_EQ(t.Bogstav, 0);
  // The same row in view 'M' offers the activities.
  plan.Visning = 'M';
  ValgListe *l = LavPlanValgListe(&plan, 0, &t);
  EXPECT_EQ(t.Bogstav, 'K');
  FrigivValgListe(l);
}

TEST_F(PlanListe, AlleMedarbejdereIVisningAUdenLayout1) {
  plan.Visning = 'A';
  const uint32_t akti = NyAkti("1a Da", "DA");
  const uint32_t anne = NyAnfo("ANN", "1", "Anne"), bo = NyAnfo("BO", "2", "Bo"), cai = NyAnfo("CAI", "3", "Cai");
  AddPgRel(gruppe, bo, 'M');
  const uint32_t fag = Raekke(PLAN_FAG, akti, 0, 0);
  Orden({fag});
  // No one taught the row's students: the list comes out in letter order.
  ValgtLayout(kPlanValgArt, valgt115, 3);
  ValgListe *l = Lav();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(Indhold(l), (Liste{anne, bo, cai}));
  FrigivValgListe(l);
  ValgtLayout(kPlanValgArt, valgt115, 1);
  l = Lav();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(Indhold(l), (Liste{bo}));
  FrigivValgListe(l);
}

}  // namespace
