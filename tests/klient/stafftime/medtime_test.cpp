// The timesheet's lines: the split of an event by enrolment (beside the data
// store's own counting of the same events), the lines of each source, the
// grouping by layout and the sort order.
#include "medtime_fixture.h"

#include <cmath>
#include <functional>

namespace medtimetest {
namespace {

std::string Navn(uint32_t akti) {
  const AktiRec *a = TabRec<AktiRec>(tvakti, akti);
  return a ? std::string(a->Aktivitet, strnlen(a->Aktivitet, sizeof a->Aktivitet)) : "";
}

class MedTimeTest : public MedTimeSkole {};

// The shares of the data store's event figures, per activity.
std::vector<float> OptaeltAndele(Uge uge, uint32_t forste) {
  AnfoAktiGrundRec g{};
  AllokerAnfoAktiGrund(&g);
  std::vector<float> v;
  const uint8_t aar = static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar);
  if (SaetAnfoAktiGrundHoved(aar, static_cast<uint8_t>(uge % 100), forste, &g)) {
    FyldAnfoAktiGrund(aar, static_cast<uint8_t>(uge % 100), forste, &g);
    for (uint32_t i = 0; i < g.AntalAkti; ++i) v.push_back(g.AktiGrundTab[i].Andel);
  }
  FreeAnfoAktiGrund(&g);
  return v;
}

TEST_F(MedTimeTest, SplitByEnrolmentMatchesTheDataStoresCounting) {
  struct Tilfaelde {
    const char *navn;
    std::vector<uint16_t> personer;  // per activity; 0xFFFF marks a '+' activity with 40
    std::vector<float> lektioner;    // of the lines, in row order
    float rest;
  };
  const Tilfaelde tilfaelde[] = {
      {"10 and 30", {10, 30}, {0.25f, 0.75f}, 0},
      {"nobody enrolled", {0, 0}, {0.5f, 0.5f}, 0},
      {"three of one", {1, 1, 1}, {1 / 3.0f, 1 / 3.0f, 1 / 3.0f}, 0},
      {"a plus activity", {10, 0xFFFF, 30}, {0.25f, 1.0f, 0.75f}, 0},
  };
  const Dato mandag = 20241014;
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    Beg b;
    for (size_t i = 0; i < t.personer.size(); ++i) {
      const bool plus = t.personer[i] == 0xFFFF;
      const uint32_t a = NavngivetAkti(plus ? "+P" : ("U" + std::to_string(i)).c_str());
      Personer(a, mandag, plus ? 40 : t.personer[i]);
      b.akti.push_back(a);
    }
    const uint32_t forste = Begivenhed(b);
    const UgeIndeks w = UgeTilIndeks(kUge42);
    EXPECT_EQ(CountBegRows(w, forste), t.personer.size());
    float rest = -1;
    SplitBegByElever(w, forste, &rest);
    EXPECT_FLOAT_EQ(rest, t.rest);

    const auto linier = Detaljer();
    ASSERT_EQ(linier.size(), t.lektioner.size());
    // The lines come sorted by activity name, which here is row order
    // except for the plus activity; match them by activity.
    const auto optalt = OptaeltAndele(kUge42, forste);
    ASSERT_EQ(optalt.size(), b.akti.size());
    for (size_t i = 0; i < b.akti.size(); ++i) {
      const MedTimeLinie *l = nullptr;
      for (const auto &x : linier)
        if (x.akti == b.akti[i]) l = &x;
      ASSERT_NE(l, nullptr) << Navn(b.akti[i]);
      EXPECT_NEAR(l->Lektioner, t.lektioner[i], 1e-6) << Navn(b.akti[i]);
      EXPECT_NEAR(optalt[i], l->Lektioner, 1e-6) << Navn(b.akti[i]);
    }
  }
}

TEST_F(MedTimeTest, SumsSkipPlusActivitiesAndTheRestCoversRounding) {
  const Dato mandag = 20241014;
  const uint32_t a = NavngivetAkti("U1"), b = NavngivetAkti("U2"), c = NavngivetAkti("U3"),
                 p = NavngivetAkti("+P");
  for (uint32_t x : {a, b, c}) Personer(x, mandag, 1);
  Personer(p, mandag, 9);
  Beg e;
  e.akti = {a, b, p, c};
  const uint32_t forste = Begivenhed(e);
  const UgeIndeks w = UgeTilIndeks(kUge42);
  EXPECT_EQ(SumBegElever(w, forste), 3u);
  const uint32_t liste[] = {a, p, b};
  EXPECT_EQ(SumAktiListElever(w, liste, 3, 1), 2u);
  EXPECT_EQ(GetAktiDagElever(w, p, 1), 9u);
  EXPECT_EQ(GetAktiDagElever(w, a, 2), 0u);  // nobody on Tuesday
  EXPECT_EQ(GetAktiDagElever(w, 0, 1), 0u);
  float rest = -1;
  // A tie of all three: the last activity is the one with the most.
  EXPECT_EQ(SplitBegByElever(w, forste, &rest), c);
  EXPECT_FLOAT_EQ(rest, 0.0f);
  EXPECT_DOUBLE_EQ(CalcElevAndel(w, 1, 4), 0.25);
  EXPECT_DOUBLE_EQ(CalcElevAndel(w, 1, 0), 0.0);
}

// However the pupils are spread, the lines of a shared event add up to its
// length, so the timesheet's total is the event's.
TEST_F(MedTimeTest, TheLinesOfASharedEventAddUpToItsLength) {
  const Dato mandag = 20241014;
  const struct {
    std::vector<uint16_t> personer;
    float lektioner;
  } tilfaelde[] = {
      {{1, 1, 1}, 1}, {{1, 1, 1}, 2},   {{1, 2}, 1},     {{3, 3, 1}, 1.5f}, {{7, 11, 13}, 1},
      {{0, 0, 0}, 1}, {{1, 0, 0}, 2},   {{5, 5, 5, 5, 5, 5, 5}, 3},        {{999, 1}, 1},
  };
  for (const auto &t : tilfaelde) {
    std::string navn;
    for (uint16_t p : t.personer) navn += std::to_string(p) + " ";
    SCOPED_TRACE(navn + "in " + std::to_string(t.lektioner) + " lessons");
    TomSkemabeg();
    Beg b;
    b.lektioner = t.lektioner;
    for (size_t i = 0; i < t.personer.size(); ++i) {
      const uint32_t a = NavngivetAkti(("D" + std::to_string(i)).c_str());
      Personer(a, mandag, t.personer[i]);
      b.akti.push_back(a);
    }
    Begivenhed(b);
    double sum = 0;
    const auto linier = Detaljer();
    ASSERT_EQ(linier.size(), t.personer.size());
    for (const auto &l : linier) sum += l.Lektioner;
    EXPECT_NEAR(sum, t.lektioner, 1e-5);
  }
}

TEST_F(MedTimeTest, LinesOfEachSource) {
  const uint32_t rolAK = Rolle("AK", 'N', "AK"), rolIngen = Rolle("XX", 'N', "Andet");
  const uint32_t u = NavngivetAkti("Dansk"), ovak = NavngivetAkti("Syg", "OVAK");
  const uint32_t f = NavngivetAkti("Ferie");
  Minutnorm(f, 45);
  struct Tilfaelde {
    const char *navn;
    std::function<void()> byg;
    uint8_t art;
    float lektioner, timer, arbTimer;
    size_t antal;  // detail lines
  };
  const Tilfaelde tilfaelde[] = {
      {"role without hour postings", [&] { Begivenhed({.akti = {u}, .rol = rolAK}); }, 'U', 1, 0, 0, 1},
      {"role neither J nor AK", [&] { Begivenhed({.akti = {u}, .rol = rolIngen}); }, 0, 0, 0, 0, 0},
      {"role with hour postings", [&] { Begivenhed({.akti = {u}, .lektioner = 2, .beregn = 45}); }, 'U', 2,
       1.5f, 0, 1},
      {"agreement's standard lesson of 45, 90 minutes",
       [&] {
         Aftale(45);
         Begivenhed({.akti = {u}, .lektioner = 0, .start = 800, .slut = 930, .beregn = 0});
       },
       'U', 2, 0, 0, 1},
      {"absence activity", [&] { Begivenhed({.akti = {ovak}}); }, 'A', 0, 0.75f, 0, 1},
      {"posting F with minute norm 45", [&] { Postering(f, 20241016, 200, 'F'); }, 'F', 0, 1.5f, 0, 1},
      {"posting a shown as A, no minute norm", [&] { Postering(u, 20241016, 200, 'a'); }, 'A', 0, 2, 0, 1},
      {"posting on a plus activity", [&] { Postering(NavngivetAkti("+X"), 20241016, 200, 'A'); }, 0, 0, 0, 0,
       0},
      {"deleted posting",
       [&] {
         const uint32_t n = Postering(u, 20241016, 200, 'A');
         reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, TimoakBucket(202410), n))->Status |= 8;
       },
       0, 0, 0, 0, 0},
      {"working time", [&] { Arbejdstid(20241016, 90); }, 0, 0, 0, 1.5f, 1},
      {"working time of another month", [&] { Arbejdstid(20241116, 90); }, 0, 0, 0, 0, 0},
      {"event of another employment", [&] { Begivenhed({.akti = {u}, .anfo = Anfo(99)}); }, 0, 0, 0, 0, 0},
      {"deleted event waiting to be sent",
       [&] {
         const uint32_t forste = Begivenhed({.akti = {u}, .lektioner = 2, .beregn = 45});
         TabVar *b = SkemabegBucket(kUge42);
         for (uint32_t r = forste; r < b->wRecCnt; ++r) {
           SkeRec *x = reinterpret_cast<SkeRec *>(GetRec(&tdske, b, r));
           if (x->Forste == forste) x->Status |= SKE_SLETTET;
         }
       },
       0, 0, 0, 0, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    TomTimoak();
    Frigiv(&tvarbejdstid);
    ResetTab(&tdarbejdstid, &tvarbejdstid, 1);
    t.byg();
    const auto d = Detaljer();
    ASSERT_EQ(d.size(), t.antal);
    if (!t.antal) continue;
    EXPECT_EQ(d[0].Art, t.art);
    EXPECT_FLOAT_EQ(d[0].Lektioner, t.lektioner);
    EXPECT_FLOAT_EQ(d[0].Timer, t.timer);
    EXPECT_FLOAT_EQ(d[0].ArbTimer, t.arbTimer);
    EXPECT_EQ(d[0].Uge, UgeTilIndeks(kUge42));
  }
}

TEST_F(MedTimeTest, GroupingByLayout) {
  const uint32_t a = NavngivetAkti("A1"), b = NavngivetAkti("B1");
  Postering(a, 20241014, 100, 'A');
  Postering(a, 20241017, 250, 'A');  // same kind, activity and week: merged
  Postering(a, 20241017, 100, 'F');  // another kind
  Postering(b, 20241022, 300, 'A');  // week 43
  Arbejdstid(20241022, 120);
  const UgeIndeks w42 = UgeTilIndeks(kUge42), w43 = UgeTilIndeks(kUge43);

  for (uint32_t layout : {0u, 1u}) {
    SCOPED_TRACE(layout);
    const auto l = Linier(layout);
    struct Forventet {
      UgeIndeks uge;
      uint32_t akti;
      uint8_t art;
      float timer, arb;
    };
    const Forventet f[] = {
        {0, 0, 0, 7.5f, 2}, {w42, a, 'A', 3.5f, 0}, {w42, a, 'F', 1, 0}, {w42, 0, ' ', 4.5f, 0},
        {w43, 0, 0, 0, 2},  {w43, b, 'A', 3, 0},    {w43, 0, ' ', 3, 2},
    };
    ASSERT_EQ(l.size(), std::size(f));
    for (size_t i = 0; i < l.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(l[i].Uge, f[i].uge);
      EXPECT_EQ(l[i].akti, f[i].akti);
      EXPECT_EQ(l[i].Art, f[i].art);
      EXPECT_FLOAT_EQ(l[i].Timer, f[i].timer);
      EXPECT_FLOAT_EQ(l[i].ArbTimer, f[i].arb);
    }
  }
  const auto l2 = Linier(2);
  ASSERT_EQ(l2.size(), 3u);
  EXPECT_EQ(l2[0].Uge, 0u);
  EXPECT_FLOAT_EQ(l2[0].Timer, 7.5f);
  EXPECT_EQ(l2[1].Art, ' ');
  EXPECT_EQ(l2[1].Uge, w42);
  EXPECT_FLOAT_EQ(l2[1].Timer, 4.5f);
  EXPECT_EQ(l2[2].Uge, w43);
  EXPECT_FLOAT_EQ(l2[2].ArbTimer, 2);
}

TEST_F(MedTimeTest, EmptyMonthAndDateOutsideThePeriodGiveTheTotalsLineOnly) {
  Postering(NavngivetAkti("A1"), 20241114, 100, 'A');
  for (Dato d : {20241015u, 20250915u}) {
    SCOPED_TRACE(d);
    SkemaPeriode.AktuelDato = d;
    const auto l = Linier();
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].Uge, 0u);
    EXPECT_EQ(l[0].Art, 0);
    EXPECT_EQ(l[0].Lektioner + l[0].Timer + l[0].ArbTimer, 0.0f);
  }
}

TEST_F(MedTimeTest, SortOrderWithinAWeek) {
  // Given in an order the sort has to undo.
  const char *const navne[] = {"*A", "9A", "\xE6" "A", "aa", "ZA"};
  for (const char *n : navne) Postering(NavngivetAkti(n), 20241015, 100, 'A');
  const uint32_t fag = Fag("DA");
  const uint32_t s = NavngivetAkti("\xE5" "Z");
  Begivenhed({.akti = {s}, .skfa = fag});
  std::vector<std::string> orden;
  for (const auto &l : Detaljer()) orden.push_back(Navn(l.akti));
  const std::vector<std::string> forventet = {"\xE5" "Z", "ZA", "aa", "\xE6" "A", "9A", "*A"};
  EXPECT_EQ(orden, forventet);
}

}  // namespace
}  // namespace medtimetest
