// Cell occupation on a small week with two layers of one activity: the
// event of a cell and its first cell, the minutes and latest end of a day;
// which activities are scheduled at the time of the current cell; and the
// student-overlap list over students enrolled on related activities.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../ui/ens_support.h"
#include "LISTBOX.h"
#include "OPTAGET.h"
#include "PROGVINDUER.h"
#include "TAVOTB.h"
#include "VALG.h"
#include "ske_fixture.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace {

using namespace sketest;

// Tuesday of the fixture's week.
constexpr Dato kTirsdag = 20241001;

class CelleOptag : public SkeMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    // Lessons of 45 minutes from 08:00 with breaks of 10: 1 08:00-08:45,
    // 2 08:55-09:40, 3 09:50-10:35, 4 10:45-11:30.
    ring = Ringesystem({});
  }

  // The window's current week is the fixture's.
  static void AktuelUge(SkeVindue &w) {
    free(w->Ens.UgeTab);
    w->Ens.UgeTab = static_cast<uint32_t *>(calloc(2, sizeof(uint32_t)));
    w->Ens.UgeTab[1] = UgeTilIndeks(2024 * 100 + kUge);
    w->UgeAntal = 1;
    w->AktuelUgeRaekke = 1;
  }

  // The entry of the list that shows the event with this first row.
  static uint32_t Indgang(const SkeVindue &w, uint32_t forste) {
    for (uint32_t n = 1; n <= w->SkeVisAntal; ++n)
      if (w.Indgang(n).Forste == forste) return n;
    return 0;
  }

  uint32_t ring = 0;
};

// Tuesday: activity 0 has 08:00-09:40 (lessons 1-2), 08:55-09:40 beside it
// in the second layer, 10:45-11:30, and a row whose times run past 24:00;
// activity 1 has 08:00-08:45. Wednesday: activity 0 08:00-08:45. The rows
// are activity 0 in layers 1 and 2, then activity 1.
class CelleUge : public CelleOptag {
 protected:
  void SetUp() override {
    CelleOptag::SetUp();
    e1 = NyBegivenhed(akti[0], 2, 800, 940);
    e2 = NyBegivenhed(akti[0], 2, 855, 940);
    e3 = NyBegivenhed(akti[0], 2, 1045, 1130);
    NyBegivenhed(akti[0], 2, 2300, 2500);
    e5 = NyBegivenhed(akti[1], 2, 800, 845);
    e6 = NyBegivenhed(akti[0], 3, 800, 845);
    // Made now: the window takes the view settings the fixture has set.
    vindue.emplace(SKE_AKTI);
    SkeVindue &w = *vindue;
    w->RingSystem = ring;
    w.Raekker({akti[0], akti[0], akti[1]});
    w->LagTabNo = static_cast<uint32_t *>(calloc(4, sizeof(uint32_t)));
    const uint32_t lag[] = {0, 1, 2, 1};
    memcpy(w->LagTabNo, lag, sizeof lag);
    ByggeSkeVisListeUge(w.get(), 2024 * 100 + kUge);
  }

  std::optional<SkeVindue> vindue;
  uint32_t e1 = 0, e2 = 0, e3 = 0, e5 = 0, e6 = 0;
};

TEST_F(CelleUge, TheEventOfACellIsTheOneOfItsLayer) {
  SkeVindue &w = *vindue;
  // Layout 'V': the columns are the 8 lessons of each day, Monday first.
  auto Kol = [](uint8_t dag, uint32_t lektion) { return (dag - 1u) * 8 + lektion; };
  const struct {
    const char *hvad;
    uint32_t kolonne, raekke, forste;
    uint8_t foersteCelle;
  } tilfaelde[] = {
      {"the first cell of an event", Kol(2, 1), 1, e1, 1},
      {"its second cell", Kol(2, 2), 1, e1, 0},
      {"the event beside it in the second layer", Kol(2, 2), 2, e2, 1},
      {"the first layer's event is not found in the second", Kol(2, 1), 2, 0, 0},
      {"an empty cell between events", Kol(2, 3), 1, 0, 0},
      {"a later event", Kol(2, 4), 1, e3, 1},
      {"another activity's row", Kol(2, 1), 3, e5, 1},
      {"another day", Kol(3, 1), 1, e6, 1},
      {"a row past the axis", Kol(2, 1), 4, 0, 0},
      {"row 0", Kol(2, 1), 0, 0, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    uint8_t foersteCelle = 9;
    EXPECT_EQ(FindBegivenhedICelle(w.get(), t.kolonne, t.raekke, &foersteCelle),
              t.forste ? Indgang(w, t.forste) : 0u);
    EXPECT_EQ(foersteCelle, t.foersteCelle);
  }
  // In layout 'L' the objects run across: column and row change places.
  w->Layout = 'L';
  uint8_t foersteCelle = 9;
  EXPECT_EQ(FindBegivenhedICelle(w.get(), 2, Kol(2, 2), &foersteCelle), Indgang(w, e2));
  EXPECT_EQ(foersteCelle, 1);
}

TEST_F(CelleUge, ADaysEventsAreSummedInMinutesToTheLatestEnd) {
  SkeVindue &w = *vindue;
  const struct {
    const char *hvad;
    uint32_t kolonne, raekke, akti;
    bool har;
    uint32_t slut, minutter;
  } tilfaelde[] = {
      // 100 + 45 + 45; the row past 24:00 adds nothing; both layers count.
      {"activity 0 on Tuesday", 9, 1, akti[0], true, 1130, 190},
      {"from the second layer and another cell", 14, 2, akti[0], true, 1130, 190},
      {"asking for another activity", 9, 1, akti[1], false, 1130, 190},
      {"activity 1 on Tuesday", 10, 3, akti[1], true, 845, 45},
      {"activity 0 on Wednesday", 17, 1, akti[0], true, 845, 45},
      {"an empty day", 25, 1, akti[0], false, 0, 0},
      {"a row past the axis", 9, 4, akti[0], false, 0, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    uint32_t slut = 7, minutter = 7;
    EXPECT_EQ(CelleSummer(w.get(), t.kolonne, t.raekke, t.akti, &slut, &minutter), t.har);
    EXPECT_EQ(slut, t.slut);
    EXPECT_EQ(minutter, t.minutter);
  }
}

TEST_F(CelleOptag, ScheduledInDayModeMeansWithinTheWorkingHoursAndTheGap) {
  WritePrivateProfileStringA("tider", "sluttid", "1500", StiTab.szini);
  VisningsTilstandFor('D').Ugedag = 2;
  enum Aendring { Intet, Slettet, Onsdag, Lektion49 };
  const struct {
    const char *hvad;
    Klokkeslaet start, slut;
    uint8_t gap;
    Aendring aendring;
    uint8_t skemalagt;
  } tilfaelde[] = {
      {"ending at starttid without a gap", 700, 800, 0, Intet, 0},
      {"ending at starttid with a gap", 700, 800, 5, Intet, 1},
      {"the gap carries into the hour", 650, 758, 5, Intet, 1},
      {"starting at sluttid without a gap", 1500, 1600, 0, Intet, 0},
      {"starting at sluttid with a gap", 1500, 1600, 5, Intet, 1},
      {"within the day", 1200, 1300, 0, Intet, 1},
      {"deleted", 1200, 1300, 0, Slettet, 0},
      {"another weekday", 1200, 1300, 0, Onsdag, 0},
      {"a lesson above 48", 1200, 1300, 0, Lektion49, 0},
      {"an end past 24:00", 1200, 2401, 0, Intet, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    TomSkemabeg();
    GlobalIndstillinger.sammenfaldsinterval = t.gap;
    Faelles f{.dag = static_cast<uint8_t>(t.aendring == Onsdag ? 3 : 2), .start = t.start, .slut = t.slut};
    if (t.aendring == Slettet) f.status |= SKE_SLETTET;
    if (t.aendring == Lektion49) f.lektion = 49;
    SkrivRaekker({{.akti = akti[1]}}, f);
    SkeVindue w(SKE_AKTI, 'D');
    AktuelUge(w);
    const uint32_t spurgt[] = {akti[0], akti[1], akti[1]};
    uint8_t skemalagt[3] = {7, 7, 7};
    MarkerSkemalagte(w.get(), spurgt, 3, skemalagt);
    EXPECT_EQ(std::vector<uint8_t>(skemalagt, skemalagt + 3),
              (std::vector<uint8_t>{0, t.skemalagt, t.skemalagt}));
  }
}

TEST_F(CelleOptag, ScheduledInLessonModeMeansCoveringTheCurrentLesson) {
  // A ring system of lessons of 100 minutes: 08:00-09:40 is its lesson 1.
  const uint32_t lang = Ringesystem({.laengde = 100});
  VisningsTilstandFor('L').Ugedag = 2;
  const struct {
    const char *hvad;
    Klokkeslaet start, slut;
    uint32_t raekkensRing, vinduetsRing, lektion;
    uint8_t skemalagt;
  } tilfaelde[] = {
      {"lessons 1-2 at lesson 2", 800, 940, ring, 0, 2, 1},
      {"lessons 1-2 at lesson 1", 800, 940, ring, 0, 1, 1},
      {"lessons 1-2 at lesson 3", 800, 940, ring, 0, 3, 0},
      {"the row's own ring system makes it lesson 1 alone", 800, 940, lang, 0, 2, 0},
      {"the window's ring system goes first", 800, 940, lang, ring, 2, 1},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    TomSkemabeg();
    SkrivRaekker({{.akti = akti[2]}}, {.risy = t.raekkensRing, .dag = 2, .start = t.start, .slut = t.slut});
    VisningsTilstandFor('L').AktuelSlot = t.lektion;
    SkeVindue w(SKE_AKTI, 'L');
    w->RingSystem = t.vinduetsRing;
    AktuelUge(w);
    const uint32_t spurgt[] = {akti[2]};
    uint8_t skemalagt = 7;
    MarkerSkemalagte(w.get(), spurgt, 1, &skemalagt);
    EXPECT_EQ(skemalagt, t.skemalagt);
  }
}

// ==================================================================== the overlap list

// Activities E1 and E2 (the event's own candidates) and R1..R5; students
// enrolled on them; pairs; and rows at Tuesday's first lesson for E2, R1,
// R3, R4 and R5, R2's at the third.
class Elevsammenfald : public CelleOptag {
 protected:
  void SetUp() override {
    CelleOptag::SetUp();
    wfb_test::RegistrerUiKlasser();
    ASSERT_TRUE(RegistrerListeKlasser(0));
    ASSERT_TRUE(RegistrerToolbarKlasser(0));
    ASSERT_TRUE(RegistrerValgKlasse(0));
    hwndHoved = CreateWindowExA(0, "WfbVaert", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 40, 900, 700,
                                0, 0, 0, nullptr);
    ejer = CreateWindowExA(0, "WfbVaert", "", WS_CHILD | WS_VISIBLE, 120, 80, 300, 200, hwndHoved, 0, 0, nullptr);
    tavo::test::StartDialogScript();

    E1 = akti[0], E2 = akti[1], R1 = akti[2];
    for (uint32_t *r : {&R2, &R3, &R4, &R5}) {
      AktiRec a{};
      a.id = 1100 + tvakti.wRecCnt;
      Tekst(a.Aktivitet, "hold");
      a.Status = 10;
      *r = Ny(tdakti, tvakti, a);
    }
    for (int i = 0; i < 6; ++i) {
      PersRec p{};
      p.id = 800 + i;
      snprintf(p.Cpr_Nr, sizeof p.Cpr_Nr, "0101%02d-1234", i);
      p.Status = 10;
      P[i] = Ny(tdpers, tvpers, p);
    }
    Tilmeld(P[0], E1), Tilmeld(P[0], R1);
    Tilmeld(P[1], E2), Tilmeld(P[1], R1);
    Tilmeld(P[2], E1), Tilmeld(P[2], E2);
    Tilmeld(P[3], E1, 20250101, 20250301), Tilmeld(P[3], R1, 20250101, 20250301);
    Tilmeld(P[4], E2), Tilmeld(P[4], R2);
    Tilmeld(P[5], E1), Tilmeld(P[5], R4), Tilmeld(P[5], R5);

    Par(E1, E2), Par(E1, R1), Par(R2, E2), Par(E1, R3);
    // A pair past the table, one with activity 0, and a free record.
    Par(E1, tvakti.wRecCnt + 10), Par(0, E1);
    Rec<Elvrel2Rec>(tvelvrel2, Par(E1, R4))->Status = 0;

    for (uint32_t a : {E2, R1, R3, R4, R5}) NyBegivenhed(a, 2, 800, 845);
    NyBegivenhed(R2, 2, 950, 1035);
    VisningsTilstandFor('L').Ugedag = 2;
    VisningsTilstandFor('L').AktuelSlot = 1;
    vindue.emplace(SKE_AKTI);
    (*vindue)->RingSystem = ring;
    AktuelUge(*vindue);
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    tavo::test::ResetUser();
    hwndHoved = 0;
    CelleOptag::TearDown();
  }

  static void Tilmeld(uint32_t pers, uint32_t a, Dato fra = 20240801, Dato til = 20250731) {
    AkplRec r{};
    r.pers_id = pers;
    r.akti_id = a;
    r.Status = 30;
    r.Startdato = fra;
    r.Slutdato = til;
    Ny(tdakpl, tvakpl, r);
  }
  static uint32_t Par(uint32_t a, uint32_t b) {
    Elvrel2Rec r{};
    r.akti1_id = a;
    r.akti2_id = b;
    r.Status = 10;
    return Ny(tdelvrel2, tvelvrel2, r);
  }
  // The event being entered has these activities.
  static void Begivenhed(const std::vector<uint32_t> &aktiviteter) {
    CleanupAVS(&AktuelAVS);
    AktuelAVS.aktiAntal = static_cast<uint32_t>(aktiviteter.size());
    AktuelAVS.aktiTab = static_cast<uint32_t *>(calloc(aktiviteter.size() + 1, sizeof(uint32_t)));
    std::copy(aktiviteter.begin(), aktiviteter.end(), AktuelAVS.aktiTab);
  }

  std::optional<SkeVindue> vindue;
  HWND ejer = 0;
  uint32_t E1 = 0, E2 = 0, R1 = 0, R2 = 0, R3 = 0, R4 = 0, R5 = 0;
  uint32_t P[6] = {};
};

TEST_F(Elevsammenfald, TheStudentsOfRelatedActivitiesScheduledAtTheTime) {
  using Liste = std::vector<std::pair<uint32_t, uint32_t>>;  // student, related activity
  const struct {
    const char *hvad;
    std::vector<uint32_t> egne;
    Liste ventet;  // empty: the information box
  } tilfaelde[] = {
      // E2 is the event's own; R2 is not at the time; R3 shares no one; R4's
      // pair is a free record and R5 has none; P3 shares only outside the
      // date.
      {"two activities related to each other are not listed", {E1, E2}, {{P[0], R1}, {P[1], R1}}},
      {"E2 is listed when it is not the event's own", {E1}, {{P[2], E2}, {P[0], R1}}},
      {"related activities not scheduled at the time", {E2}, {}},
      {"an event without activities", {}, {}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    Begivenhed(t.egne);
    if (t.ventet.empty()) tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDOK; });
    const size_t bokseFoer = tavo::test::MessageBoxesShown().size();
    HWND h = VisElevsammenfald(ejer, vindue->get());
    tavo::test::PumpUntilIdle();
    const auto bokse = tavo::test::MessageBoxesShown();
    if (t.ventet.empty()) {
      EXPECT_EQ(h, 0u);
      ASSERT_EQ(bokse.size(), bokseFoer + 1);
      EXPECT_EQ(bokse.back().caption, "Ingen elevsammenfald");
      EXPECT_EQ(bokse.back().text,
                "Ingen elevsammenfald på relaterede aktiviteter på aktuel dato.\n"
                "Start skemalægningen og klik på knappen 'Check fra' for at fjerne den grønne bundfarve.");
      EXPECT_EQ(bokse.back().type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
      continue;
    }
    EXPECT_EQ(bokse.size(), bokseFoer);
    ASSERT_NE(h, 0u);
    const VWS *v = reinterpret_cast<const VWS *>(GetWindowLongPtrA(h, GWLP_USERDATA));
    ASSERT_TRUE(v && v->pValgListe);
    const ValgListe &l = *v->pValgListe;
    EXPECT_STREQ(l.Caption, " Elevsammenfald på hold");
    EXPECT_EQ(l.ListeArt, kSkemaSammenfaldArt);
    EXPECT_EQ(l.TitelArt, kSammenfaldTitelArt);
    EXPECT_EQ(l.Bogstav, 'K');
    EXPECT_EQ(l.KildeRec, t.egne[0]);
    Liste vist;
    for (uint32_t i = 1; i <= l.Antal; ++i) vist.emplace_back(l.ObjTab[i], l.Vaerdier[i]);
    EXPECT_EQ(vist, t.ventet);
    // At the owner's corner on the main window.
    RECT r, e;
    GetWindowRect(h, &r);
    GetWindowRect(ejer, &e);
    EXPECT_EQ(GetParent(h), hwndHoved);
    EXPECT_EQ(r.left, e.left);
    EXPECT_EQ(r.top, e.top);
    DestroyWindow(h);
  }
}

}  // namespace
