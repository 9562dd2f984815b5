// The planning rules through the planning window's keys and the Space key's
// placing: every refusal with its caption and text and nothing changed, in
// both modes; duplicates, the transfer of wishes and its return, removing
// and filling, the activity's and the group's dialogs as the commands use
// them, and one edit followed from the key to the record file.
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "DATO.h"
#include "ELEVLISTE.h"
#include "ELEVREGLER.h"
#include "HENTGEM.h"
#include "TALTAB.h"
#include "elevregler_fixture.h"

using namespace eleventest;

namespace {

constexpr const char *kIkkeUdfoert = "Kommando ikke udført";
constexpr UINT kAdvarsel = MB_OK | MB_ICONEXCLAMATION;

class ElevReglerTest : public ElevReglerMappe {
 public:
  // Public: the tables of cases name them by member pointer.
  uint32_t tg = 0, a = 0, b = 0, c = 0;
  std::vector<uint32_t> pp;
  uint32_t ida = 0, bo = 0, eva = 0;

 protected:
  // Group 501 in lessons with eight slots on day 0: A holds slots 1-2, B
  // 3-4, C 5-6; 1 to 2 students an activity, 2 lessons in blocks of 2.
  // Ida wishes A (priority 1), Bo A (2), Eva B (1).
  void LavGruppe() {
    tg = NyGruppe(501, 'L', 8, &pp);
    TgRec *t = TgRecNr(tg);
    t->min_elevtal = 1;
    t->max_elevtal = 2;
    t->lek_antal = 2;
    t->lek_deletal = 2;
    a = NyLa(tg, 7001, "A");
    b = NyLa(tg, 7002, "B");
    c = NyLa(tg, 7003, "C");
    for (uint32_t l : {a, b, c}) {
      LaRecNr(l)->fradato = 20240902;
      LaRecNr(l)->tildato = 20241220;
    }
    NyLap(tg, 1, a, pp[0], 2);
    NyLap(tg, 2, b, pp[2], 2);
    NyLap(tg, 3, c, pp[4], 2);
    ida = NyElev(3001, "Ida");
    bo = NyElev(3002, "Bo");
    eva = NyElev(3003, "Eva");
    for (uint32_t e : {ida, bo, eva}) NyElti(e, tg);
    NyOenske(tg, 101, ida, a, 1);
    NyOenske(tg, 102, bo, a, 2);
    NyOenske(tg, 103, eva, b, 1);
    Vis(tg);
    Cursor(a, 1);
  }

  // A duplicate of activity record head, made by hand, placed at slot
  // position from (two slots).
  uint32_t NyDublet(uint32_t head, uint32_t id, uint32_t nr, uint32_t fra) {
    char navn[160];
    snprintf(navn, sizeof navn, "%s #%u", LaRecNr(head)->Navn, nr);
    const uint32_t d = NyLa(tg, id, navn);
    LaRecNr(d)->kopi_id = LaRecNr(head)->id;
    LaRecNr(d)->dubletnr = nr;
    NyLap(tg, 900 + id % 100, d, pp[fra - 1], 2);
    return d;
  }

  // The workspace built again from the records, the cursor on la.
  void Genbyg(uint32_t la) {
    BuildElevPlanData(ws);
    Cursor(la, 1);
  }

  int Plads(uint32_t la, uint32_t elev, bool ctrl, bool shift, int mode) {
    tegn = 0;
    return PlacerEllerFjernElev(ws, tg, la, elev, ctrl ? -1 : 0, shift ? -1 : 0, mode, &tegn);
  }

  uint8_t Placering(uint32_t la, uint32_t elev) const {
    return ws->Placeringer(LaPosition(ws, la), ElevPosition(ws, elev));
  }

  // Everything a refused command must leave as it was: the records of the
  // eight tables, the matrices, the mark and the changed flags.
  std::string Tilstand() const {
    std::string s;
    for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap, &tdelev, &tdelti, &tdev, &tdeb}) {
      const TabDesc *d2 = nullptr;
      TabVar *tv = nullptr;
      EXPECT_EQ(TabFromName(td->KortNavn, &d2, &tv), 0);
      s.append(reinterpret_cast<const char *>(tv->pbTab), size_t(tv->wRecCnt) * td->RecSize);
      s += '|';
    }
    for (const ElevMatrix *m : {&ws->PlanGitter, &ws->LaSpaerring, &ws->ElevSpaerring,
                                &ws->Oensker, &ws->Placeringer, &ws->Markeringer})
      s += Alle(*m) + "/";
    s += std::to_string(ws->HusketLa) + std::to_string(ws->PlanAendret) +
         std::to_string(ws->PlaceringAendret) + std::to_string(ws->SpaerringAendret);
    return s;
  }

  // Each box shown since the last call had the exclamation icon and OK.
  static Tekst Advarsler() {
    for (const auto &m : tavo::test::MessageBoxesShown()) EXPECT_EQ(m.type, kAdvarsel) << m.text;
    return Tekster();
  }

  // Dialog 152 answered: the four boxes ticked as given (L, B, P, active)
  // and OK, the numbers as they stand.
  static void SvarRetLa(const std::string &lbpa) {
    tavo::test::AnswerNextDialog([lbpa](const tavo::test::ShownDialog &d) {
      const int bokse[] = {IDC_RETLA_LUK, IDC_RETLA_BEHOLD, IDC_RETLA_PLADSLAAS, IDC_RETLA_AKTIV};
      for (int i = 0; i < 4; ++i)
        CheckDlgButton(d.hwnd, bokse[i], lbpa[i] == '1' ? BST_CHECKED : BST_UNCHECKED);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }

  // Dialog 152 answered with numbers typed: minimum, maximum, number and
  // block size, and OK.
  static void SvarRetLaTal(const char *min, const char *max, const char *antal,
                           const char *blok) {
    tavo::test::AnswerNextDialog([=](const tavo::test::ShownDialog &d) {
      SetDlgItemTextA(d.hwnd, IDC_RETLA_MIN, min);
      SetDlgItemTextA(d.hwnd, IDC_RETLA_MAX, max);
      SetDlgItemTextA(d.hwnd, IDC_RETLA_ANTAL, antal);
      SetDlgItemTextA(d.hwnd, IDC_RETLA_BLOK, blok);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }

  std::string Flag(uint32_t la) const {
    const LaRec *l = LaRecNr(la);
    return std::string{char('0' + l->LukForNyeElever), char('0' + l->BeholdElever),
                       char('0' + l->PladsLaas)};
  }
};

// ---- Every refusal ----

struct Afvisning {
  const char *Navn;
  std::function<void()> Saet;
  std::function<int(int mode)> Kmd;
  Tekst Besked;
};

TEST_F(ElevReglerTest, EveryRefusalShowsItsTextOnlyWhenPerformingAndChangesNothing) {
  const char *easy =
      "Tilmeldingsgruppen er låst for redigering.\nElevtilmeldinger er overført til EASY!";
  const char *eksport =
      "Tilmeldingsgruppen er låst for redigering.\nTilmeldingsgruppen er blevet eksporteret til "
      "ElevPlan!";
  const char *hent =
      "Tilmeldingsgruppen skal hentes før redigering kan påbegyndes.\nHent tilmeldingsgruppen fra "
      "ElevPlan med <Ctrl + H> ";
  const char *markeres = "Elevønsker kan ikke markeres";
  const char *overfoeres = "Elevønsker kan ikke overføres";
  const char *tilbage = "Elevønsker ikke tilbageført";
  const char *dublet = "Dublet ikke oprettet";
  const char *optaget = "Eleven optaget";

  // The lock's causes from 3 (all three: EASY wins) down to 1 (the fetch
  // alone).
  auto laas = [this](int aarsager) {
    return [this, aarsager] {
      TgRec *t = TgRecNr(tg);
      t->Laast = 1;
      t->EasyLaast = aarsager >= 3;
      t->ExportLaast = aarsager >= 2;
      t->PlanlaegningsLaast = 1;
    };
  };
  auto tast = [this](uint32_t k, bool shift = false) {
    return [this, k, shift](int mode) { return Kmd(k, true, shift, mode); };
  };
  auto plads = [this](uint32_t ElevReglerTest::*elev, bool ctrl, bool shift) {
    return [this, elev, ctrl, shift](int mode) {
      return Plads(AktuelLa(ws), this->*elev, ctrl, shift, mode);
    };
  };
  auto ingen = [] {};
  auto dubleret = [this] {
    NyDublet(a, 7004, 2, 7);
    Genbyg(a);
  };
  auto paaB = [this] { Cursor(b, 1); };
  auto fuld = [this](uint32_t ElevReglerTest::*la) {
    return [this, la] {
      LaRecNr(this->*la)->min_elevantal = LaRecNr(this->*la)->max_elevantal = 0;
      Cursor(this->*la, 1);
    };
  };

  const Afvisning tilfaelde[] = {
      // The lock, under each command's caption.
      {"lock: Ctrl+M", laas(3), tast('M'), {{easy, markeres}}},
      {"lock: Ctrl+O", laas(2), tast('O'), {{eksport, overfoeres}}},
      {"lock: Ctrl+T", laas(1), tast('T'), {{hent, tilbage}}},
      {"lock: Ctrl+D", laas(3), tast('D'), {{easy, dublet}}},
      {"lock: Ctrl+S", laas(2), tast('S'), {{eksport, kIkkeUdfoert}}},
      {"lock: Ctrl+Shift+S", laas(1), tast('S', true), {{hent, kIkkeUdfoert}}},
      {"lock: Ctrl+R", laas(3), tast('R'), {{easy, kIkkeUdfoert}}},
      {"lock: Ctrl+Shift+R", laas(2), tast('R', true), {{eksport, kIkkeUdfoert}}},
      {"lock: Ctrl+F", laas(1), tast('F'), {{hent, kIkkeUdfoert}}},
      {"lock: Ctrl+Shift+F", laas(3), tast('F', true), {{easy, kIkkeUdfoert}}},
      {"lock: Space", laas(2), plads(&ElevReglerTest::ida, false, false),
       {{eksport, kIkkeUdfoert}}},
      {"lock without a cause", [this] { TgRecNr(tg)->Laast = 1; }, tast('M'), {}},

      // Marking wishes for a transfer.
      {"marked already", [this] { ws->HusketLa = a; }, tast('M'),
       {{"Aktivitetens tilmeldinger er allerede husket.!", markeres}}},
      {"its wishes went already", [this] { LaRecNr(a)->overfoer_til_la_id = b; }, tast('M'),
       {{"Eleverne er allerede overført til anden læringsaktivitet.!", markeres}}},
      {"no wishes", [this] { Cursor(c, 1); }, tast('M'),
       {{"Læringsaktiviteten har ingen elevønsker og kan derfor ikke markeres til overflytning.",
         markeres}}},
      {"duplicated", dubleret, tast('M'),
       {{"Man kan ikke markere elevønsker til overflytning på en aktivitet der er dubleret.\n"
         "Ønskes eleverne markeret, med henblik på overføring, skal dubletterne først arkiveres "
         "<Ctrl + A>",
         markeres}}},
      {"it received wishes", [this] { LaRecNr(c)->overfoer_til_la_id = a; }, tast('M'),
       {{"En læringsaktivitet der selv har fået tilført elever kan ikke flyttes.!\nTilbagefør "
         "eleverne først hvis denne læringsaktivitets elever ønskes flyttet",
         markeres}}},

      // The transfer.
      {"nothing marked", ingen, tast('O'),
       {{"Der skal være markeret elevønsker for en læringsaktivitet før man kan overføre "
         "elevønsker.\nHusk først en læringsaktivitet med <CTRL>+<M>.",
         overfoeres}}},
      {"marked in another group",
       [this] {
         const uint32_t g2 = NyGruppe(502, 'L', 2);
         ws->HusketLa = NyLa(g2, 7100, "Andet hold");
       },
       tast('O'),
       {{"Der skal være markeret elevønsker for en læringsaktivitet før man kan overføre "
         "elevønsker.\nHusk først en læringsaktivitet med <CTRL>+<M>.",
         overfoeres}}},
      {"onto itself", [this] { ws->HusketLa = a; }, tast('O'),
       {{"Aktivitetens elever kan ikke overføres til aktiviteten selv.", overfoeres}}},
      {"onto a duplicate",
       [this] {
         const uint32_t d = NyDublet(a, 7004, 2, 7);
         Genbyg(d);
         ws->HusketLa = b;
       },
       tast('O'),
       {{"Man kan ikke overføre elever til en dublet. Overfør eleverne på den oprindelige "
         "aktivitet",
         overfoeres}}},
      {"onto a source",
       [this] {
         ws->HusketLa = b;
         LaRecNr(a)->overfoer_til_la_id = c;
       },
       tast('O'),
       {{"En læringsaktivitet der selv har fået overført elever kan ikke modtage nye elever.!\n"
         "Tilbagefør eleverne først hvis denne læringsaktivitet skal modtage nye elever",
         overfoeres}}},

      // The return.
      {"return on a duplicate",
       [this] { Genbyg(NyDublet(a, 7004, 2, 7)); }, tast('T'),
       {{"Man kan kun ikke tilbageføre elever fra en dublet.", tilbage}}},
      {"nothing to return", ingen, tast('T'), {{"Der er ingen elever at tilbageføre.", tilbage}}},

      // Duplicates.
      {"the family's head is missing", [this] { LaRecNr(a)->kopi_id = 9999; }, tast('D'),
       {{"FejlKode 100. Ring til TavoSupport.", dublet}}},
      {"a ninth duplicate",
       [this] {
         for (uint32_t n = 2; n <= 9; ++n) NyDublet(a, 7002 + n * 10, n, 7);
         Genbyg(a);
       },
       tast('D'), {{"Der kan højst oprettes 8 kopier af en læringsaktivitet.", dublet}}},
      {"no dates", [this] { LaRecNr(a)->fradato = LaRecNr(a)->tildato = 0; }, tast('D'),
       {{"Læringsaktiviteten har ingen datoer og kan derfor ikke dubleres.", dublet}}},
      {"no end date", [this] { LaRecNr(a)->tildato = 0; }, tast('D'),
       {{"Læringsaktiviteten har ingen datoer og kan derfor ikke dubleres.", dublet}}},
      {"a duplicate of a head without dates",
       [this] {
         const uint32_t d = NyDublet(a, 7004, 2, 7);
         LaRecNr(a)->fradato = 0;
         Genbyg(d);
       },
       tast('D'), {{"Læringsaktiviteten har ingen datoer og kan derfor ikke dubleres.", dublet}}},

      // Removing all students.
      {"only kept students",
       [this] {
         LaRecNr(a)->BeholdElever = 1;
         PlacerElevPaaLa(ws, a, ida, 1);
       },
       tast('S'),
       {{"Denne aktivitet er låst.\nHvis disse elever skal tages ud af aktiviteten skal denne "
         "låses op",
         kIkkeUdfoert}}},
      {"only kept students on all",
       [this] {
         LaRecNr(a)->BeholdElever = 1;
         PlacerElevPaaLa(ws, a, ida, 1);
       },
       tast('S', true),
       {{"Der er kun elever på de aktiviteter der er låst.\nHvis disse elever skal tages ud af "
         "aktiviteterne skal de låses op",
         kIkkeUdfoert}}},
      {"no students", ingen, tast('S'),
       {{"Der er ingen elever der er accepteret på nogle af aktiviteterne.", kIkkeUdfoert}}},
      {"no students on any", [this] { PlacerElevPaaLa(ws, b, eva, 1); }, tast('S'),
       {{"Der er ingen elever der er accepteret på nogle af aktiviteterne.", kIkkeUdfoert}}},
      {"no students on all", ingen, tast('S', true),
       {{"Der er ingen elever der er accepteret på nogle af aktiviteterne.", kIkkeUdfoert}}},

      // Editing.
      {"an activity with students", [this] { PlacerElevPaaLa(ws, a, ida, 1); }, tast('R'),
       {{"Eleverne skal tages af aktiviteten før den kan rettes.", kIkkeUdfoert}}},
      {"a group with students", [this] { PlacerElevPaaLa(ws, b, eva, 1); }, tast('R', true),
       {{"Der må ikke være elever tilknytter aktiviteter hvis tilmeldingsgruppen skal rettes.",
         "Tilmeldingsgruppen kan ikke rettes"}}},

      // Filling and placing.
      {"filling an archived activity", [this] { LaRecNr(a)->aktiv = 0; }, tast('F'),
       {{"Aktiviteten er arkiveret.", kIkkeUdfoert}}},
      {"placing on an archived activity", [this] { LaRecNr(a)->aktiv = 2; },
       plads(&ElevReglerTest::ida, true, true), {{"Aktiviteten er arkiveret.", kIkkeUdfoert}}},
      {"the student sits on an activity sharing a slot",
       [this] {
         LapRecNr(3)->pp_id = pp[0];  // C on A's slots
         Genbyg(a);
         PlacerElevPaaLa(ws, c, ida, 3);
       },
       plads(&ElevReglerTest::ida, true, true),
       {{"Eleven er optaget af anden læringsaktivitet.!", optaget}}},
      {"no wish, room left, no Ctrl", paaB, plads(&ElevReglerTest::ida, false, true),
       {{"Anvend <CTRL + SPACE> for at placere en elev der ikke har ønsket "
         "læringsaktiviteten.!",
         optaget}}},
      {"no wish, full, Ctrl alone", fuld(&ElevReglerTest::b),
       plads(&ElevReglerTest::ida, true, false),
       {{"Anvend <CTRL + SHIFT + SPACE> for at placere en elev på en aktivitet der har nået det "
         "maksimale antal elever.!",
         optaget}}},
      {"wished, full, no keys", fuld(&ElevReglerTest::a), plads(&ElevReglerTest::ida, false, false),
       {{"Anvend <CTRL + SHIFT + SPACE> for at placere en elev på en aktivitet der har nået det "
         "maksimale antal elever.!",
         optaget}}},
      {"wished, full, Shift alone", fuld(&ElevReglerTest::a),
       plads(&ElevReglerTest::ida, false, true),
       {{"Anvend <CTRL + SHIFT + SPACE> for at placere en elev på en aktivitet der har nået det "
         "maksimale antal elever.!",
         optaget}}},
  };
  for (const Afvisning &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    Forfra();
    LavGruppe();
    t.Saet();
    const std::string foer = Tilstand();
    EXPECT_EQ(t.Kmd(1), 0) << "asked";
    EXPECT_TRUE(Advarsler().empty()) << "asking shows nothing";
    EXPECT_EQ(Tilstand(), foer) << "asking changes nothing";
    EXPECT_EQ(t.Kmd(2), 0);
    EXPECT_EQ(Advarsler(), t.Besked);
    EXPECT_EQ(Tilstand(), foer);
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
  }
}

TEST_F(ElevReglerTest, RuleKeysNeedCtrlAndAreAvailableWithIt) {
  LavGruppe();
  PlacerElevPaaLa(ws, a, ida, 1);
  ws->HusketLa = c;
  const std::string foer = Tilstand();
  // Each key as the availability test asks: with Ctrl 1, without 0.
  const struct {
    uint32_t Tast;
    bool Shift;
    uint32_t La;
  } taster[] = {{'D', false, a}, {'F', false, a}, {'F', true, a}, {'M', false, a},
                {'O', false, b}, {'S', false, a}, {'S', true, a}, {'R', false, b},
                {'R', true, c},  {'T', false, c}};
  for (const auto &t : taster) {
    SCOPED_TRACE(std::string(1, char(t.Tast)) + (t.Shift ? " with Shift" : ""));
    if (t.Tast == 'R' && t.Shift) FjernAlleEleverFraLa(ws, a);
    if (t.Tast == 'T') LaRecNr(c)->overfoer_til_la_id = b;
    Cursor(t.La, 1);
    EXPECT_EQ(Kmd(t.Tast, false, t.Shift, 1), 0);
    EXPECT_EQ(Kmd(t.Tast, true, t.Shift, 1), 1);
    if (t.Tast == 'R' && t.Shift) PlacerElevPaaLa(ws, a, ida, 1);
    if (t.Tast == 'T') LaRecNr(c)->overfoer_til_la_id = 0;
  }
  ws->HusketLa = c;
  EXPECT_EQ(Tilstand(), foer);
  EXPECT_TRUE(Tekster().empty());
}

// ---- Duplicates ----

TEST_F(ElevReglerTest, DuplicatesAreNumberedTwoToNineAndANinthIsRefused) {
  LavGruppe();
  LaRec *h = LaRecNr(a);
  h->fradato = 20240902;
  h->tildato = 20241220;
  h->Lektionsantal = 30;
  h->min_elevantal = 5;
  h->max_elevantal = 9;
  h->uge_antal = 3;
  h->uge_deletal = 1;
  ByggOensker(ws, tg);
  ASSERT_EQ(+LaRecNr(a)->onske_prio_1, 1u);
  ASSERT_EQ(+LaRecNr(a)->onske_prio_2, 1u);

  std::vector<uint32_t> dubletter;
  for (uint32_t n = 2; n <= 9; ++n) {
    SCOPED_TRACE(n);
    // Made from the head or from its latest duplicate alike.
    Cursor(dubletter.empty() || n % 2 ? a : dubletter.back(), 1);
    EXPECT_EQ(Kmd('D', true, false, 1), 1);
    ASSERT_EQ(Tryk('D', true), 1);
    EXPECT_EQ(efter, ELEVPLAN_TEGN_ALT);
    const uint32_t id = EGNE_ID_START + (n - 2);
    const uint32_t r = FindElevRec(&tdla, &tvla, id);
    ASSERT_NE(r, 0u) << "ids from 2137483647 on, though all others are small";
    dubletter.push_back(r);
    const LaRec &d = *LaRecNr(r);
    EXPECT_EQ(std::string(d.Navn), "A #" + std::to_string(n));
    EXPECT_EQ(+d.dubletnr, n);
    EXPECT_EQ(+d.kopi_id, 7001u);
    EXPECT_EQ(+d.ElevPlanStatus, 6);
    EXPECT_EQ(+d.Status, 20);
    EXPECT_EQ(+d.aktiv, 1u);
    EXPECT_EQ(+d.tg_id, tg);
    EXPECT_EQ(+d.fradato, 20240902u);
    EXPECT_EQ(+d.tildato, 20241220u);
    EXPECT_EQ(+d.Lektionsantal, 30u);
    EXPECT_EQ(+d.min_elevantal, 5u);
    EXPECT_EQ(+d.max_elevantal, 9u);
    EXPECT_EQ(+d.uge_antal, 3u);
    EXPECT_EQ(+d.uge_deletal, 1u);
    EXPECT_EQ(+d.lek_antal, 2u);
    EXPECT_EQ(+d.lek_deletal, 2u);
    EXPECT_EQ(+d.onske_prio_1, 1u);
    EXPECT_EQ(+d.onske_prio_2, 1u);
    EXPECT_NE(LaPosition(ws, r), 0u) << "listed after the rebuild";
  }
  EXPECT_TRUE(Tekster().empty());
  EXPECT_EQ(AntalLaMedDubletter(7001), 9u);
  const std::string foer = Tilstand();
  EXPECT_EQ(Kmd('D', true, false, 1), 0);
  EXPECT_EQ(Kmd('D', true), 0);
  EXPECT_EQ(Tekster(), (Tekst{{"Der kan højst oprettes 8 kopier af en læringsaktivitet.",
                               "Dublet ikke oprettet"}}));
  EXPECT_EQ(Tilstand(), foer);
}

TEST_F(ElevReglerTest, ADuplicateTakesTheNextNumberAndAnIdAboveEveryRecord) {
  LavGruppe();
  // A deleted activity not yet cleaned up keeps its own id, the first one
  // of those made here: the new id goes above it, so the re-sort never
  // merges the two.
  NyLa(tg, EGNE_ID_START, "Slettet", 31);
  SortTab(&tdla, &tvla);
  ASSERT_EQ(Tryk('D', true), 1);
  const uint32_t d2 = FindElevRec(&tdla, &tvla, EGNE_ID_START + 1);
  ASSERT_NE(d2, 0u);
  EXPECT_EQ(std::string(LaRecNr(d2)->Navn), "A #2");
  ASSERT_EQ(Tryk('D', true), 1);
  const uint32_t d3 = FindElevRec(&tdla, &tvla, EGNE_ID_START + 2);
  ASSERT_NE(d3, 0u);
  EXPECT_EQ(std::string(LaRecNr(d3)->Navn), "A #3");

  // #2 archived: a duplicate made here and never sent goes altogether.
  Cursor(d2, 1);
  ASSERT_EQ(Tryk('A', true), 1);
  EXPECT_EQ(+LaRecNr(d2)->Status, 0);
  Cursor(a, 1);
  ASSERT_EQ(Tryk('D', true), 1);
  const uint32_t d4 = FindElevRec(&tdla, &tvla, EGNE_ID_START + 3);
  ASSERT_NE(d4, 0u);
  EXPECT_EQ(std::string(LaRecNr(d4)->Navn), "A #4");
  EXPECT_EQ(+LaRecNr(d4)->dubletnr, 4u) << "never a second #3";
  EXPECT_TRUE(Tekster().empty());
}

TEST_F(ElevReglerTest, ADuplicatesNameIsTheHeadsWhateverItHolds) {
  const struct {
    const char *Navn;
    std::string Hoved;
    std::string Dublet;
  } tilfaelde[] = {
      {"a separator of the record lines", "Dansk; niveau C", "Dansk; niveau C #2"},
      {"the longest name", std::string(100, 'x'), std::string(97, 'x') + " #2"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    Forfra();
    LavGruppe();
    snprintf(LaRecNr(a)->Navn, sizeof LaRecNr(a)->Navn, "%s", t.Hoved.c_str());
    ASSERT_EQ(Tryk('D', true), 1);
    const LaRec *d = LaRecNr(FindElevRec(&tdla, &tvla, EGNE_ID_START));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(std::string(d->Navn), t.Dublet);
    EXPECT_EQ(+d->kopi_id, 7001u);
  }
  EXPECT_TRUE(Tekster().empty());
}

// ---- Transfer of wishes and its return ----

TEST_F(ElevReglerTest, TransferAndReturnOnEitherSideRestoreEveryWish) {
  for (const bool paaKilden : {true, false}) {
    SCOPED_TRACE(paaKilden ? "returned on the source" : "returned on the receiver");
    Forfra();
    LavGruppe();
    const uint32_t b2 = NyDublet(b, 7005, 2, 7);
    Genbyg(a);
    PlacerElevPaaLa(ws, a, ida, 1);
    PlacerElevPaaLa(ws, b2, eva, 1);

    ASSERT_EQ(Tryk('M', true), 1);
    EXPECT_EQ(ws->HusketLa, a);
    Cursor(b, 1);
    EXPECT_EQ(Kmd('O', true, false, 1), 1);
    EXPECT_EQ(ws->HusketLa, a) << "asking changes nothing";
    ASSERT_EQ(Tryk('O', true), 1);
    EXPECT_EQ(ws->HusketLa, 0u);
    EXPECT_EQ(+LaRecNr(a)->overfoer_til_la_id, b);
    EXPECT_EQ(Placering(a, ida), 0) << "the source's students taken off";
    EXPECT_TRUE(ws->PlaceringAendret);
    for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
      const EvRec *e = EvRecNr(r);
      EXPECT_EQ(+e->konverteret_onske_la, b) << e->id;
    }
    // The wishes now count for B and its duplicate.
    const uint32_t pb = LaPosition(ws, b), pb2 = LaPosition(ws, b2), pa = LaPosition(ws, a);
    EXPECT_EQ(ws->Oensker(pb, ElevPosition(ws, ida)), 1);
    EXPECT_EQ(ws->Oensker(pb2, ElevPosition(ws, bo)), 2);
    EXPECT_EQ(ws->Oensker(pa, ElevPosition(ws, ida)), 0);
    EXPECT_EQ(+LaRecNr(b)->reeltflyttet, 2u);

    // Ida goes onto B on her transferred wish.
    ASSERT_EQ(Plads(b, ida, false, false, 2), 1);
    EXPECT_EQ(Placering(b, ida), PLACERET);
    EXPECT_EQ(+LaRecNr(b)->akt_prio_1, 1u);

    Cursor(paaKilden ? a : b, 1);
    EXPECT_EQ(Kmd('T', true, false, 1), 1);
    EXPECT_EQ(+LaRecNr(a)->overfoer_til_la_id, b) << "asking changes nothing";
    ASSERT_EQ(Tryk('T', true), 1);
    EXPECT_EQ(+LaRecNr(a)->overfoer_til_la_id, 0u);
    for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
      const EvRec *e = EvRecNr(r);
      EXPECT_EQ(+e->konverteret_onske_la, +e->elevplan_onske_la_id) << e->id;
    }
    for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
      for (uint32_t p : {pb, pb2}) EXPECT_EQ(ws->Placeringer(p, s), 0) << p << "," << s;
    EXPECT_EQ(ws->Oensker(pa, ElevPosition(ws, ida)), 1);
    EXPECT_EQ(ws->Oensker(pb, ElevPosition(ws, ida)), 0);
    EXPECT_EQ(ws->Oensker(pb, ElevPosition(ws, eva)), 1);
    EXPECT_EQ(+LaRecNr(b)->reeltflyttet, 0u);
    EXPECT_TRUE(Tekster().empty());

    // Written back, nobody is placed by a wish any more.
    BuildElevPlanData(ws);
    for (uint32_t r = 1; r < tvev.wRecCnt; ++r)
      EXPECT_EQ(+EvRecNr(r)->placerings_la_id, 0u) << EvRecNr(r)->id;
  }
}

TEST_F(ElevReglerTest, ReturnOnAReceiverAlsoFreesAHiddenSource) {
  LavGruppe();
  // C gave its wishes to A and was archived out of sight since.
  LaRecNr(c)->overfoer_til_la_id = a;
  LaRecNr(c)->aktiv = 0;
  TgRecNr(tg)->SkjulArkiverede = 1;
  Genbyg(a);
  ASSERT_EQ(LaPosition(ws, c), 0u);
  ASSERT_EQ(Tryk('T', true), 1);
  EXPECT_EQ(+LaRecNr(c)->overfoer_til_la_id, 0u);
  // The last word goes: nothing is left to return.
  EXPECT_EQ(Kmd('T', true, false, 1), 0);
}

// ---- Removing, filling and placing ----

TEST_F(ElevReglerTest, RemovingAllKeepsTheStudentsOfKeptActivities) {
  LavGruppe();
  LaRecNr(a)->BeholdElever = 1;
  PlacerElevPaaLa(ws, a, ida, 1);
  PlacerElevPaaLa(ws, b, eva, 1);
  PlacerElevPaaLa(ws, c, bo, 3);
  const std::string foer = Tilstand();

  // With Shift the question comes first; Cancel changes nothing.
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDCANCEL}; });
  EXPECT_EQ(Kmd('S', true, true, 1), 1);
  EXPECT_EQ(Kmd('S', true, true), 0);
  EXPECT_EQ(Tilstand(), foer);
  auto vist = tavo::test::MessageBoxesShown();
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].text, "Skal alle elever på alle (ikke låste) aktiviteter fjernes");
  EXPECT_EQ(vist[0].caption, "Fjern alle elever ?");
  EXPECT_EQ(vist[0].type, UINT{MB_OKCANCEL | MB_ICONQUESTION});
  Tekster();

  // OK: the kept activity keeps Ida.
  ASSERT_EQ(Tryk('S', true, true), 1);
  EXPECT_EQ(efter, ELEVPLAN_TEGN_ALT);
  BuildElevPlanData(ws);
  EXPECT_EQ(Placering(a, ida), PLACERET);
  EXPECT_EQ(Placering(b, eva), 0);
  EXPECT_EQ(Placering(c, bo), 0);
  EXPECT_EQ(+LaRecNr(a)->akt_prio_1, 1u);
  EXPECT_EQ(+LaRecNr(b)->akt_prio_1, 0u);
  EXPECT_EQ(+LaRecNr(c)->akt_prio_3, 0u);
  EXPECT_EQ(Tekster().size(), 1u);

  // Without Shift the current activity only, without a question.
  PlacerElevPaaLa(ws, b, eva, 1);
  PlacerElevPaaLa(ws, c, bo, 3);
  Cursor(b, 1);
  ASSERT_EQ(Tryk('S', true), 1);
  EXPECT_EQ(Placering(b, eva), 0);
  EXPECT_EQ(Placering(c, bo), PLACERET);
  EXPECT_TRUE(Tekster().empty());
}

TEST_F(ElevReglerTest, PlacingOneStudentOnAndOff) {
  LavGruppe();
  const uint32_t d = NyDublet(b, 7005, 2, 7);
  Genbyg(a);
  struct Trin {
    const char *Navn;
    uint32_t La, Elev;
    bool Ctrl, Shift;
    uint8_t PaaLa, PaaDublet;      // Placeringer of (La, Elev) and (the duplicate, Elev) after
    uint32_t Prio1, Prio2, Prio3;  // the counts of La after
    int Tegn;
  };
  ws->PlaceringsMetode = METODE_PRIO12;
  LaRecNr(a)->max_elevantal = 1;
  const Trin trin[] = {
      {"Bo onto A on his priority-2 wish", a, bo, false, false, 1, 0, 0, 1, 0, 4},
      {"Eva without a wish onto the full A with Ctrl and Shift", a, eva, true, true, 1, 0, 0, 1,
       1, 4},
      {"Eva off A", a, eva, false, false, 0, 0, 0, 1, 0, 4},
      {"Bo off A", a, bo, true, false, 0, 0, 0, 0, 0, 4},
      {"Ida onto B without a wish, with Ctrl", b, ida, true, false, 1, 2, 0, 0, 1, 4},
      {"Ida off B", b, ida, false, false, 0, 0, 0, 0, 0, 4},
      {"Eva onto B's duplicate", d, eva, false, false, 1, 2, 1, 0, 0, 4},
      {"Eva off the duplicate from B", b, eva, false, false, 0, 0, 0, 0, 0, 1},
  };
  for (const Trin &t : trin) {
    SCOPED_TRACE(t.Navn);
    const std::string foer = Tilstand();
    EXPECT_EQ(Plads(t.La, t.Elev, t.Ctrl, t.Shift, 1), 1);
    EXPECT_EQ(Tilstand(), foer) << "asking changes nothing";
    ASSERT_EQ(Plads(t.La, t.Elev, t.Ctrl, t.Shift, 2), 1);
    EXPECT_EQ(tegn, +t.Tegn);
    EXPECT_EQ(Placering(t.La, t.Elev), +t.PaaLa);
    const uint32_t dublet = t.La == a ? a : (t.La == b ? d : b);
    if (t.La != a) { EXPECT_EQ(Placering(dublet, t.Elev), +t.PaaDublet); }
    const LaRec &l = *LaRecNr(t.La);
    EXPECT_EQ(+l.akt_prio_1, +t.Prio1);
    EXPECT_EQ(+l.akt_prio_2, +t.Prio2);
    EXPECT_EQ(+l.akt_prio_3, +t.Prio3);
  }
  EXPECT_EQ(Placering(b, eva), 0);
  EXPECT_EQ(Placering(d, eva), 0);
  EXPECT_TRUE(Tekster().empty());
}

TEST_F(ElevReglerTest, FillingPlacesTheStudentsWhoWishItUntilItIsFull) {
  LavGruppe();
  const uint32_t kim = NyElev(3004, "Kim");
  NyElti(kim, tg);
  NyOenske(tg, 104, kim, a, 1);
  Genbyg(a);
  const struct {
    const char *Navn;
    uint8_t Metode;
    std::vector<uint32_t ElevReglerTest::*> Placeret;
  } tilfaelde[] = {
      {"priority 1 and 2", METODE_PRIO12, {&ElevReglerTest::ida, &ElevReglerTest::bo}},
      {"priority 1 only", METODE_KUN_PRIO1, {&ElevReglerTest::ida}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    BuildElevPlanData(ws);
    Cursor(a, 1);
    ws->PlaceringsMetode = t.Metode;
    EXPECT_EQ(Kmd('F', true, false, 1), 1);
    EXPECT_EQ(AntalPaaLa(ws, LaPosition(ws, a)), 0u) << "asking places nobody";
    ASSERT_EQ(Tryk('F', true), 1);
    std::vector<uint32_t> paa;
    for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
      if (ws->Placeringer(LaPosition(ws, a), s) == PLACERET) paa.push_back(ws->ElevTab[s]);
    std::vector<uint32_t> forventet;
    for (auto e : t.Placeret) forventet.push_back(this->*e);
    if (t.Metode == METODE_KUN_PRIO1) forventet.push_back(kim);
    EXPECT_EQ(paa, forventet) << "in enrolment order until full (2)";
    FjernAlleEleverFraLa(ws, a);
    ws->PlaceringAendret = 0;
  }

  // Full, or nobody left who wishes it: not available, and no message.
  LaRecNr(a)->min_elevantal = LaRecNr(a)->max_elevantal = 0;
  EXPECT_EQ(Kmd('F', true, false, 1), 0);
  EXPECT_EQ(Kmd('F', true), 0);
  Cursor(c, 1);
  EXPECT_EQ(Kmd('F', true), 0);
  EXPECT_TRUE(Tekster().empty());

  // With Shift the whole group is placed again: Bo leaves C, where he was
  // put by hand, and the wishes are placed.
  LaRecNr(a)->min_elevantal = 1;
  LaRecNr(a)->max_elevantal = 2;
  PlacerElevPaaLa(ws, c, bo, 3);
  ws->PlaceringsMetode = METODE_PRIO12;
  EXPECT_EQ(Kmd('F', true, true, 1), 1);
  EXPECT_EQ(Placering(c, bo), PLACERET);
  ASSERT_EQ(Tryk('F', true, true), 1);
  EXPECT_EQ(tegn, ELEVPLAN_TEGN_ALT);
  EXPECT_EQ(Placering(c, bo), 0);
  EXPECT_EQ(Placering(b, eva), PLACERET);
  EXPECT_EQ(AntalPaaLa(ws, LaPosition(ws, a)), 2u);
}

// ---- Editing an activity ----

TEST_F(ElevReglerTest, EditingAnActivityMovesItsFlagsOneStepAtATime) {
  const struct {
    const char *Record;  // L, B, P
    const char *Dialog;  // L, B, P, active
    const char *Result;
  } tilfaelde[] = {
      {"000", "1001", "111"},  // closing takes keeping and the place lock along
      {"000", "1101", "111"},
      {"001", "1001", "111"},
      {"000", "1011", "001"},  // not closed while the dialog locks the place: the lock only
      {"000", "0001", "000"},  // nothing asked
      {"100", "1001", "100"},  // the same without a place lock: left as it stands
      {"000", "0101", "011"},  // keeping takes the place lock
      {"000", "0111", "011"},
      {"000", "0011", "001"},  // the place lock alone
      {"011", "0011", "001"},  // keeping off
      {"011", "0101", "000"},  // the place lock off takes keeping with it
      {"111", "0111", "011"},  // closing off
      {"111", "1111", "111"},
      {"001", "1011", "001"},  // closed without keeping cannot stand
      {"111", "1110", "000"},  // archived: every flag off
  };
  LavGruppe();
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::string(t.Record) + " + " + t.Dialog);
    LaRec *l = LaRecNr(a);
    l->LukForNyeElever = t.Record[0] - '0';
    l->BeholdElever = t.Record[1] - '0';
    l->PladsLaas = t.Record[2] - '0';
    l->aktiv = 1;
    SvarRetLa(t.Dialog);
    ASSERT_EQ(Kmd('R', true), 1);
    EXPECT_EQ(Flag(a), t.Result);
    EXPECT_EQ(+LaRecNr(a)->aktiv, t.Dialog[3] == '1' ? 1u : 0u);
    EXPECT_EQ(Plan(a), "24000000") << "the numbers stand: the row stays";
  }
  EXPECT_TRUE(Tekster().empty());
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

TEST_F(ElevReglerTest, NewNumbersEmptyTheActivityAndItsDuplicates) {
  LavGruppe();
  const uint32_t d = NyDublet(a, 7004, 2, 7);
  Genbyg(a);
  PlacerElevPaaLa(ws, d, ida, 1);
  ws->LaSpaerring(LaPosition(ws, a), 5) = 1;
  ASSERT_EQ(Plan(d), "00000024");

  // The minimum and maximum alone: the rows and students stay.
  SvarRetLaTal("2", "3", "2", "2");
  ASSERT_EQ(Kmd('R', true), 1);
  for (uint32_t l : {a, d}) {
    EXPECT_EQ(+LaRecNr(l)->min_elevantal, 2u);
    EXPECT_EQ(+LaRecNr(l)->max_elevantal, 3u);
  }
  EXPECT_EQ(Plan(a), "24000000");
  EXPECT_EQ(Placering(d, ida), PLACERET);
  EXPECT_FALSE(ws->PlanAendret);

  // Four lessons in blocks of two: both rows empty, Ida off the duplicate.
  SvarRetLaTal("2", "3", "4", "2");
  ASSERT_EQ(Tryk('R', true), 1);
  EXPECT_EQ(efter, ELEVPLAN_TEGN_ALT);
  for (uint32_t l : {a, d}) {
    EXPECT_EQ(+LaRecNr(l)->lek_antal, 4u);
    EXPECT_EQ(+LaRecNr(l)->lek_deletal, 2u);
  }
  EXPECT_EQ(Placering(d, ida), 0);
  EXPECT_EQ(Placering(a, ida), 0);
  EXPECT_EQ(Raekke(ws->LaSpaerring, LaPosition(ws, a)), "00000000");
  // The rebuild laid the default blocks of the new numbers.
  EXPECT_EQ(Plan(a), "24240000");
  EXPECT_EQ(Plan(d), "24240000");
  EXPECT_EQ(Plan(b), "00240000") << "others untouched";

  // Archived by the dialog: off and flagless, the duplicate too.
  PlacerElevPaaLa(ws, d, ida, 1);
  SvarRetLa("1110");
  ASSERT_EQ(Kmd('R', true), 1);
  EXPECT_EQ(Placering(d, ida), 0);
  for (uint32_t l : {a, d}) {
    EXPECT_EQ(+LaRecNr(l)->aktiv, 0u);
    EXPECT_EQ(Flag(l), "000");
  }

  // Cancel changes nothing.
  const std::string foer = Tilstand();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDCANCEL}; });
  EXPECT_EQ(Kmd('R', true), 1);
  EXPECT_EQ(Tilstand(), foer);
  EXPECT_TRUE(Tekster().empty());
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

// ---- Setting up a group ----

class ElevReglerGruppeTest : public ElevReglerTest {
 protected:
  uint32_t andenGruppe = 0, andenEb = 0, idaEb = 0;

  // Beside the group: Ida blocked at slot 3, and a block of another group
  // at its own slot.
  void LavMedBlokke() {
    LavGruppe();
    idaEb = NyEb(tg, 51, ida, pp[2]);
    std::vector<uint32_t> andre;
    andenGruppe = NyGruppe(502, 'L', 2, &andre);
    andenEb = NyEb(andenGruppe, 52, ida, andre[1]);
    Genbyg(a);
    ASSERT_EQ(ws->ElevSpaerring(ElevPosition(ws, ida), 3), 1);
  }

  // The group's live slots as (ugenr, dag, lektion), in table order.
  std::vector<std::tuple<uint32_t, uint32_t, uint32_t>> Slots(uint32_t g) const {
    std::vector<std::tuple<uint32_t, uint32_t, uint32_t>> v;
    for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
      const PpRec *p = PpRecNr(r);
      if (ElevTabAktiv(p->Status) && p->tg_id == g) v.push_back({uint32_t{p->ugenr}, uint32_t{p->dag}, uint32_t{p->lektion}});
    }
    return v;
  }

  void BlokkeneErVaek() {
    EXPECT_EQ(+EbRecNr(idaEb)->Status, 0) << "the block at a deleted slot goes";
    EXPECT_EQ(+EbRecNr(andenEb)->Status, 10) << "another group's block stays";
    for (uint32_t r = 1; r < tveb.wRecCnt; ++r) {
      const EbRec *e = EbRecNr(r);
      if (e->Status != 0) { EXPECT_NE(+e->tg_id, tg); }
    }
    for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
      EXPECT_EQ(Raekke(ws->ElevSpaerring, s), std::string(ws->PpAntal, '0'));
    for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
      const LapRec *l = LapRecNr(r);
      if (ElevTabAktiv(l->Status) && l->tg_id == tg) {
        EXPECT_NE(PpPosition(ws, l->pp_id), 0u) << "every placement on a new slot";
      }
    }
  }

  void AlleAktiviteterHar(const TgRec &t) {
    for (uint32_t l : {a, b, c}) {
      const LaRec &r = *LaRecNr(l);
      EXPECT_EQ(+r.min_elevantal, +t.min_elevtal);
      EXPECT_EQ(+r.max_elevantal, +t.max_elevtal);
      EXPECT_EQ(+r.lek_antal, +t.lek_antal);
      EXPECT_EQ(+r.lek_deletal, +t.lek_deletal);
      EXPECT_EQ(+r.uge_antal, +t.uge_antal);
      EXPECT_EQ(+r.uge_deletal, +t.uge_deletal);
    }
  }
};

TEST_F(ElevReglerGruppeTest, LessonModeLaysTheChosenGrid) {
  LavMedBlokke();
  // A move not yet written back is kept before the dialog.
  ASSERT_EQ(Kmd(VK_RIGHT, false, true), 1);
  ASSERT_TRUE(ws->PlanAendret);
  std::vector<int> markeretVed;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    for (int l = 1; l <= 8; ++l)
      if (Markeret(d.hwnd, IDC_SETUP_LEKTION_BASIS + l) == BST_CHECKED) markeretVed.push_back(l);
    // Day 0: lessons 5-8 off; day 1 (Tuesday): lessons 1-4 on.
    for (int l = 5; l <= 8; ++l)
      SendDlgItemMessageA(d.hwnd, IDC_SETUP_LEKTION_BASIS + l, BM_CLICK, 0, 0);
    for (int l = 1; l <= 4; ++l)
      SendDlgItemMessageA(d.hwnd, IDC_SETUP_LEKTION_BASIS + 48 + l, BM_CLICK, 0, 0);
    SetDlgItemTextA(d.hwnd, IDC_SETUP_MIN, "3");
    SetDlgItemTextA(d.hwnd, IDC_SETUP_MAX, "5");
    SetDlgItemTextA(d.hwnd, IDC_SETUP_ANTAL, "4");
    SetDlgItemTextA(d.hwnd, IDC_SETUP_BLOK, "2");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  EXPECT_EQ(Kmd('R', true, true, 1), 1);
  ASSERT_EQ(Tryk('R', true, true), 1);
  EXPECT_EQ(efter, ELEVPLAN_TEGN_ALT);
  EXPECT_EQ(markeretVed, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8})) << "the group's slots";
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  EXPECT_TRUE(Tekster().empty());

  const TgRec &t = *TgRecNr(tg);
  EXPECT_EQ(+t.UgeLektionsGruppe, 'L');
  EXPECT_EQ(+t.min_elevtal, 3u);
  EXPECT_EQ(+t.max_elevtal, 5u);
  EXPECT_EQ(+t.lek_antal, 4u);
  EXPECT_EQ(+t.lek_deletal, 2u);
  EXPECT_EQ(+t.uge_antal, 1u) << "the week defaults filled in before the dialog";
  EXPECT_EQ(+t.uge_deletal, 1u);
  AlleAktiviteterHar(t);
  using S = std::tuple<uint32_t, uint32_t, uint32_t>;
  EXPECT_EQ(Slots(tg), (std::vector<S>{{0, 0, 1}, {0, 0, 2}, {0, 0, 3}, {0, 0, 4}, {0, 1, 1},
                                       {0, 1, 2}, {0, 1, 3}, {0, 1, 4}}));
  EXPECT_EQ(Slots(andenGruppe).size(), 2u);
  // Rebuilt on the new slots, with the default blocks of the new numbers.
  EXPECT_EQ(ws->PpAntal, 8u);
  EXPECT_FALSE(ws->PlanAendret);
  EXPECT_EQ(Plan(a), "24240000");
  BlokkeneErVaek();
}

TEST_F(ElevReglerGruppeTest, WeekModeLaysTheChosenWeeks) {
  LavMedBlokke();
  TgRec *g = TgRecNr(tg);
  g->fradato = 20240902;  // week 36
  g->tildato = 20241220;  // week 51
  g->uge_antal = 0;
  std::vector<int> bokse;
  std::string titel;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    SendDlgItemMessageA(d.hwnd, IDC_SETUP_UGER, BM_CLICK, 0, 0);
    char b[100] = {};
    GetWindowTextA(d.hwnd, b, sizeof b);
    titel = b;
    for (uint32_t i = 1; i <= SkemaPeriode.AntalUger; ++i)
      if (GetDlgItem(d.hwnd, IDC_SETUP_UGE_BASIS + static_cast<int>(i)))
        bokse.push_back(static_cast<int>(IndeksTilUge(i)));
    for (Uge u : {202437u, 202438u, 202439u, 202440u})
      SendDlgItemMessageA(d.hwnd, IDC_SETUP_UGE_BASIS + static_cast<int>(UgeTilIndeks(u)),
                          BM_CLICK, 0, 0);
    SetDlgItemTextA(d.hwnd, IDC_SETUP_ANTAL, "4");
    SetDlgItemTextA(d.hwnd, IDC_SETUP_BLOK, "2");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  ASSERT_EQ(Tryk('R', true, true), 1);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  EXPECT_TRUE(Tekster().empty());
  EXPECT_EQ(titel, "Opsætning af uger");
  std::vector<int> forventet;
  for (int u = 202436; u <= 202451; ++u) forventet.push_back(u);
  EXPECT_EQ(bokse, forventet) << "only the weeks of the group's period";

  const TgRec &t = *TgRecNr(tg);
  EXPECT_EQ(+t.UgeLektionsGruppe, 'U');
  EXPECT_EQ(+t.uge_antal, 4u);
  EXPECT_EQ(+t.uge_deletal, 2u);
  EXPECT_EQ(+t.lek_antal, 2u);
  EXPECT_EQ(+t.min_elevtal, 1u);
  AlleAktiviteterHar(t);
  using S = std::tuple<uint32_t, uint32_t, uint32_t>;
  EXPECT_EQ(Slots(tg),
            (std::vector<S>{{202437, 0, 0}, {202438, 0, 0}, {202439, 0, 0}, {202440, 0, 0}}));
  EXPECT_EQ(ws->PpAntal, 4u);
  BlokkeneErVaek();

  // Set up again, its weeks come preselected; Cancel leaves them.
  std::vector<int> markeret;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    for (uint32_t i = 1; i <= SkemaPeriode.AntalUger; ++i)
      if (Markeret(d.hwnd, IDC_SETUP_UGE_BASIS + static_cast<int>(i)) == BST_CHECKED)
        markeret.push_back(static_cast<int>(IndeksTilUge(i)));
    return INT_PTR{IDCANCEL};
  });
  ASSERT_EQ(Tryk('R', true, true), 1);
  EXPECT_EQ(markeret, (std::vector<int>{202437, 202438, 202439, 202440}));
  EXPECT_EQ(Slots(tg).size(), 4u);
}

// ---- From the key to the record file ----

TEST_F(ElevReglerTest, AnEditedActivityReachesItsRecordFile) {
  struct FrigivTal {
    ~FrigivTal() { FreePlanTalTabeller(); }
  } frigiv;
  VenteDialogLukPause = 0;
  HentGemKrog = HentGemKroge{};
  HentGemKrog.DeleteLockFile = SletLaaseFil;
  SkrivIni("tavo.ini", "[global]\r\n");
  ASSERT_EQ(HentAlleData(0), 0);
  LavGruppe();
  const uint32_t anden = NyGruppe(502, 'L', 2);
  NyLa(anden, 7200, "Andet");
  BuildElevPlanData(ws);
  Cursor(a, 1);

  // Ctrl+R as the window gets it.
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) {
    Skriv(d.hwnd, IDC_RETLA_MIN, "3");
    Skriv(d.hwnd, IDC_RETLA_MAX, "7");
    Skriv(d.hwnd, IDC_RETLA_ANTAL, "6");
    Skriv(d.hwnd, IDC_RETLA_BLOK, "3");
    Klik(d.hwnd, IDOK);
    return INT_PTR{0};
  });
  TastInfo t{};
  t.ctrl = -1;
  t.message = WM_KEYDOWN;
  t.wParam = 'R';
  LRESULT svar = 0;
  int maling = 0;
  ASSERT_TRUE(ElevPlanBesked(ws, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t), &svar, &maling));
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  EXPECT_TRUE(Tekster().empty());
  EXPECT_EQ(+LaRecNr(a)->lek_antal, 6u);

  // The group left, and all data saved as at the program's end.
  ws->TgPos.Aktuel = FindObjIdx(ws->TgTab, ws->TgAntal, anden);
  BuildElevPlanData(ws);
  ASSERT_EQ(ws->Tg, anden);
  GemAlleData(0, 0);

  storetest::TomAlleTabeller();
  ASSERT_EQ(HentAlleData(0), 0);
  const LaRec *l = LaRecNr(FindElevRec(&tdla, &tvla, 7001));
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(+l->min_elevantal, 3u);
  EXPECT_EQ(+l->max_elevantal, 7u);
  EXPECT_EQ(+l->lek_antal, 6u);
  EXPECT_EQ(+l->lek_deletal, 3u);
  // Its blocks of the new numbers reached the placements too.
  uint32_t blokke = 0;
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *p = LapRecNr(r);
    if (ElevTabAktiv(p->Status) && p->la_id == FindElevRec(&tdla, &tvla, 7001)) {
      EXPECT_EQ(+p->lengde, 3u);
      ++blokke;
    }
  }
  EXPECT_EQ(blokke, 2u);
}

}  // namespace
