// The plan periods of a group: the normalisation, the clean-up of what lies
// outside the group's dates, the warning before figures go and the removal
// of a period.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <string>
#include <random>
#include <utility>
#include <vector>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "FF_PlanRec.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PlanPerioder.h"
#include "RECPRED.h"
#include "tavo/test_dialog.h"

namespace {

using predtest::Ny;
using predtest::Tekst;
using Par = std::pair<Uge, Uge>;

constexpr uint8_t kEgen = 7;
// Monday of week 202333 to a Wednesday of week 202426.
constexpr Dato kFra = 20230814, kTil = 20240626;

// The ISO week of a date by the C++ library's calendar, independent of the
// data store's date code.
Uge IsoUge(Dato d) {
  using namespace std::chrono;
  const sys_days dag{year_month_day{year(static_cast<int>(d / 10000)), month(d / 100 % 100), day(d % 100)}};
  const weekday wd{dag};
  const sys_days torsdag = dag + days{3 - ((wd.c_encoding() + 6) % 7)};
  const year_month_day t{torsdag};
  const sys_days aarStart{year_month_day{t.year(), January, day(1)}};
  return static_cast<Uge>(static_cast<int>(t.year()) * 100 + (torsdag - aarStart).count() / 7 + 1);
}

// The week after a week by the same calendar.
Uge NaesteUge(Uge u) {
  using namespace std::chrono;
  // Monday of week 1: the Monday on or before 4 January.
  const sys_days jan4{year_month_day{year(static_cast<int>(u / 100)), January, day(4)}};
  const sys_days mandag1 = jan4 - days{(weekday{jan4}.c_encoding() + 6) % 7};
  const year_month_day naeste{mandag1 + days{7 * (u % 100)}};
  return IsoUge(static_cast<Dato>(static_cast<int>(naeste.year()) * 10000 + unsigned(naeste.month()) * 100 +
                                  unsigned(naeste.day())));
}

class PlanPerioderTest : public storetest::DataMappe {
 protected:
  uint8_t gemtInsnr = 0;
  uint32_t gruppe = 0;

  void SetUp() override {
    storetest::DataMappe::SetUp();
    gemtInsnr = GlobalIndstillinger.insnr;
    GlobalIndstillinger.insnr = kEgen;
    predtest::TommeTabeller();
    gruppe = NyGruppe(kFra, kTil);
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    GlobalIndstillinger.insnr = gemtInsnr;
    storetest::DataMappe::TearDown();
  }

  uint32_t NyGruppe(Dato fra, Dato til) {
    FfpgRec g{};
    Tekst(g.Navn, "Fag 23/24");
    g.Fradato = fra;
    g.Tildato = til;
    g.Ejer = kEgen;
    g.Status = 64;
    return Ny(tdffpg, tvffpg, g);
  }
  uint32_t Per(Uge fra, Uge til, uint8_t status = 64, uint32_t g = 0) {
    FfppRec p{};
    p.ffpg_id = g ? g : gruppe;
    p.Frauge = fra;
    p.Tiluge = til;
    p.Ejer = kEgen;
    p.Status = status;
    return Ny(tdffpp, tvffpp, p);
  }
  uint32_t Raekke(uint32_t art, uint32_t akti, uint32_t anfo) {
    FfgrundRec r{};
    r.ffpg_id = gruppe;
    r.ObjType = art;
    r.Aktivitet = akti;
    r.Medarbejder1 = anfo;
    r.Ejer = kEgen;
    r.Status = 64;
    return Ny(tdffgrund, tvffgrund, r);
  }
  uint32_t Tal(uint32_t grund, Uge uge, uint32_t lektioner, float timer = 0) {
    FftaltabRec t{};
    t.ffgrund_id = grund;
    t.Uge = uge;
    t.Lektioner = lektioner;
    t.Timer = timer;
    t.Ejer = kEgen;
    t.Status = 64;
    return Ny(tdfftaltab, tvfftaltab, t);
  }
  uint32_t PerTal(uint32_t grund, uint32_t periode, uint32_t lektioner, float rette = 0, float elev = 0,
                  float eksamen = 0) {
    FfpertabRec t{};
    t.ffgrund_id = grund;
    t.ffpp_id = periode;
    t.Lektioner = lektioner;
    t.Rettearbejd = rette;
    t.Elevtid = elev;
    t.Eksametid = eksamen;
    t.Ejer = kEgen;
    t.Status = 64;
    return Ny(tdffpertab, tvffpertab, t);
  }
  uint32_t Akti(Dato fra, Dato til) {
    AktiRec a{};
    Tekst(a.Aktivitet, "1a Da");
    Tekst(a.Type, "HOLD");
    a.Aflyst = 'N';
    a.Status = 10;
    a.Fradato = fra;
    a.Tildato = til;
    return Ny(tdakti, tvakti, a);
  }
  uint32_t Anfo(Dato fra, Dato til) {
    AnfoRec a{};
    a.Status = 10;
    a.Fradato = fra;
    a.Tildato = til;
    return Ny(tdanfo, tvanfo, a);
  }
  std::vector<Par> Perioder(uint32_t g = 0) {
    std::vector<Par> v;
    for (uint32_t n : PlanPeriodeListe(g ? g : gruppe)) {
      const FfppRec *p = TabRec<FfppRec>(tvffpp, n);
      v.emplace_back(p->Frauge, p->Tiluge);
    }
    return v;
  }
  template <class R>
  static bool Lever(const TabVar &tv, uint32_t n) {
    const R *r = TabRec<R>(tv, n);
    return r && PlanRecIBrug(r->Status);
  }
};

// ---- the normalisation

struct NormCase {
  const char *navn;
  std::vector<std::pair<Par, uint8_t>> foer;  // periods with their status
  int keep;
  std::vector<Par> efter;
  // A lone period's follower makes a pair that the next run mends: the
  // first run left the period where the user put it.
  bool fastEfterIgen = true;
};

TEST_F(PlanPerioderTest, NormaliseringTilfaelde) {
  const std::vector<NormCase> cases = {
      {"no period gets one over the group", {}, 1, {{202333, 202426}}},
      {"no period, keep 0", {}, 0, {{202333, 202426}}},
      {"a gap is closed from the right", {{{202333, 202340}, 64}, {{202345, 202426}, 64}}, 0,
       {{202333, 202340}, {202341, 202426}}},
      {"an overlap is closed from the right", {{{202333, 202345}, 64}, {{202340, 202426}, 64}}, 1,
       {{202333, 202345}, {202346, 202426}}},
      {"a period inside another is swallowed", {{{202333, 202426}, 64}, {{202410, 202420}, 64}}, 0,
       {{202333, 202426}}},
      {"keep stretches the last period", {{{202333, 202410}, 64}, {{202411, 202420}, 64}}, 1,
       {{202333, 202410}, {202411, 202426}}},
      {"without keep the rest gets a period", {{{202333, 202410}, 64}, {{202411, 202420}, 64}}, 0,
       {{202333, 202410}, {202411, 202420}, {202421, 202426}}},
      {"a period ending on 31 December is followed by week 01", {{{202333, 202352}, 64}, {{202403, 202426}, 64}}, 0,
       {{202333, 202352}, {202401, 202426}}},
      {"the first period starts in the first week", {{{202336, 202340}, 64}, {{202341, 202426}, 64}}, 0,
       {{202333, 202340}, {202341, 202426}}},
      {"weeks before and after the group are cut", {{{202320, 202340}, 64}, {{202341, 202440}, 64}}, 0,
       {{202333, 202340}, {202341, 202426}}},
      {"a period after the group goes", {{{202333, 202426}, 64}, {{202430, 202440}, 64}}, 1, {{202333, 202426}}},
      {"a reversed period is put right", {{{202340, 202333}, 64}, {{202341, 202426}, 64}}, 0,
       {{202333, 202340}, {202341, 202426}}},
      {"a protected period is left alone", {{{202333, 202340}, 64}, {{202345, 202426}, 0x50}}, 0,
       {{202333, 202340}, {202345, 202426}}},
      {"another installation's period is left alone", {{{202333, 202340}, 30}, {{202345, 202420}, 64}}, 1,
       {{202333, 202340}, {202345, 202420}}},
      {"a lone period is stretched with keep", {{{202336, 202420}, 64}}, 1, {{202333, 202426}}},
      {"a lone period is followed without keep", {{{202336, 202340}, 64}}, 0, {{202336, 202340}, {202341, 202426}},
       false},
      {"a lone period to the end stays", {{{202336, 202426}, 64}}, 0, {{202336, 202426}}},
      {"pairs swallowed to one are stretched with keep", {{{202336, 202426}, 64}, {{202340, 202420}, 64}}, 1,
       {{202333, 202426}}},
      {"three periods in a muddle", {{{202350, 202410}, 64}, {{202333, 202345}, 64}, {{202340, 202352}, 64}}, 0,
       {{202333, 202345}, {202346, 202352}, {202401, 202410}, {202411, 202426}}},
  };
  for (const NormCase &c : cases) {
    SCOPED_TRACE(c.navn);
    predtest::TommeTabeller();
    gruppe = NyGruppe(kFra, kTil);
    for (const auto &[p, status] : c.foer) Per(p.first, p.second, status);
    NormaliserPlanPerioder(gruppe, c.keep);
    EXPECT_EQ(Perioder(), c.efter);
    if (!c.fastEfterIgen) continue;
    // A second run leaves them as they are (a lone period that runs past
    // the group's last day still counts as a change: the clean-up runs).
    NormaliserPlanPerioder(gruppe, c.keep);
    EXPECT_EQ(Perioder(), c.efter);
  }
}

TEST_F(PlanPerioderTest, NormaliseringMaerkerAendredeOgNyeLever) {
  const uint32_t a = Per(202333, 202340, 0x60), b = Per(202345, 202426, 0x60);
  EXPECT_TRUE(NormaliserPlanPerioder(gruppe, 0));
  EXPECT_EQ(TabRec<FfppRec>(tvffpp, a)->Status, 0x60);
  EXPECT_EQ(TabRec<FfppRec>(tvffpp, b)->Status, 0x60);
  EXPECT_EQ(TabRec<FfppRec>(tvffpp, b)->Frauge, 202341u);
  // A new period is this installation's and saved at once.
  predtest::TommeTabeller();
  gruppe = NyGruppe(kFra, kTil);
  EXPECT_TRUE(NormaliserPlanPerioder(gruppe, 1));
  const std::vector<uint32_t> liste = PlanPeriodeListe(gruppe);
  ASSERT_EQ(liste.size(), 1u);
  const FfppRec *p = TabRec<FfppRec>(tvffpp, liste[0]);
  EXPECT_EQ(p->Status, 64);
  EXPECT_EQ(p->Ejer, kEgen);
  EXPECT_EQ(p->ffpg_id, gruppe);
  bool gemt = false;
  for (const auto &f : std::filesystem::directory_iterator(rod / "data")) {
    std::string navn = f.path().filename().string();
    for (char &ch : navn) ch = static_cast<char>(tolower(ch));
    gemt = gemt || navn == "ffpp.dat";
  }
  EXPECT_TRUE(gemt);
}

TEST_F(PlanPerioderTest, SlugtPeriodeTagerSinePeriodetal) {
  const uint32_t r = Raekke(2, 0, 0);
  Per(202333, 202426);
  const uint32_t b = Per(202410, 202420);
  const uint32_t pt = PerTal(r, b, 20);
  const uint32_t ude = Tal(r, 202430, 10), inde = Tal(r, 202412, 10);
  NormaliserPlanPerioder(gruppe, 0);
  EXPECT_EQ(Perioder(), (std::vector<Par>{{202333, 202426}}));
  EXPECT_FALSE(Lever<FfppRec>(tvffpp, b));
  EXPECT_FALSE(Lever<FfpertabRec>(tvffpertab, pt));
  EXPECT_FALSE(Lever<FftaltabRec>(tvfftaltab, ude));
  // Its weeks now belong to the period that swallowed it.
  EXPECT_TRUE(Lever<FftaltabRec>(tvfftaltab, inde));
}

TEST_F(PlanPerioderTest, EgenskabDaekkerGruppensUger) {
  std::mt19937 rnd(20231231);
  // Weeks from before the group to after it, every one a real ISO week.
  std::vector<Uge> uger;
  for (Uge u = 202320; u <= 202440; u = NaesteUge(u)) uger.push_back(u);
  for (int tilfaelde = 0; tilfaelde < 300; ++tilfaelde) {
    predtest::TommeTabeller();
    gruppe = NyGruppe(kFra, kTil);
    const int keep = tilfaelde % 2;
    const int antal = static_cast<int>(rnd() % 6);
    std::vector<Par> foer;
    for (int i = 0; i < antal; ++i) {
      Uge a = uger[rnd() % uger.size()], b = uger[rnd() % uger.size()];
      if (rnd() % 4 != 0 && a > b) std::swap(a, b);  // now and then reversed
      Per(a, b);
      foer.emplace_back(a, b);
    }
    SCOPED_TRACE(::testing::Message() << "case " << tilfaelde << " keep " << keep);
    NormaliserPlanPerioder(gruppe, keep);
    const std::vector<Par> efter = Perioder();
    ASSERT_FALSE(efter.empty());
    if (antal == 1 && keep == 0) {
      // A lone period stays where it is.
      EXPECT_NE(std::find(efter.begin(), efter.end(), foer[0]), efter.end());
      continue;
    }
    // One period left without keep stays as the lone period's rule leaves
    // it.
    if (efter.size() == 1 && keep == 0) continue;
    EXPECT_EQ(efter.front().first, 202333u);
    EXPECT_EQ(efter.back().second, 202426u);
    for (size_t i = 0; i < efter.size(); ++i) {
      EXPECT_LE(efter[i].first, efter[i].second);
      if (i > 0) {
        EXPECT_EQ(efter[i].first, NaesteUge(efter[i - 1].second)) << "period " << i;
      }
    }
    NormaliserPlanPerioder(gruppe, keep);
    EXPECT_EQ(Perioder(), efter);
  }
}

TEST_F(PlanPerioderTest, NormaliseringStopperNaarIngenPeriodeKanLaves) {
  Per(202333, 202410);
  Per(202411, 202420);
  TabAllokatorer gemt = TabAlloc;
  TabAlloc.Realloc = [](void *, size_t) -> void * { return nullptr; };
  TabAlloc.Calloc = [](size_t, size_t) -> void * { return nullptr; };
  // The table is full when every record is taken.
  for (uint32_t n; (n = NewRec(&tdffpp, &tvffpp)) != 0;) {
    TabRec<FfppRec>(tvffpp, n)->Status = 64;
    TabRec<FfppRec>(tvffpp, n)->ffpg_id = 999;
  }
  NormaliserPlanPerioder(gruppe, 0);
  TabAlloc = gemt;
  EXPECT_EQ(Perioder(), (std::vector<Par>{{202333, 202410}, {202411, 202420}}));
}

// ---- clean-up of what lies outside the group

TEST_F(PlanPerioderTest, RydPlanGruppeEfterKortereDatoer) {
  const uint32_t inde = Anfo(20230801, 20240731), ude = Anfo(20230801, 20230810);
  const uint32_t aktiInde = Akti(20230801, 20240731), aktiUde = Akti(20240701, 20240731);
  const uint32_t fag = Raekke(2, aktiInde, ude);
  const uint32_t fagInde = Raekke(2, aktiInde, inde);
  const uint32_t medarb = Raekke(9, 0, ude);
  const uint32_t time = Raekke(14, aktiInde, ude);
  const uint32_t aktiRaekke = Raekke(1, aktiUde, 0);
  const uint32_t fagUdeAkti = Raekke(2, aktiUde, inde);
  const uint32_t talMedarb = Tal(medarb, 202340, 10);
  const uint32_t talAkti = Tal(aktiRaekke, 202340, 10);
  const uint32_t udenfor = Tal(fagInde, 202430, 10), indenfor = Tal(fagInde, 202340, 10);
  EXPECT_EQ(RydPlanGruppe(gruppe, 0), 1);
  const FfgrundRec *f = TabRec<FfgrundRec>(tvffgrund, fag);
  EXPECT_TRUE(PlanRecIBrug(f->Status));
  EXPECT_EQ(f->Medarbejder1, 0u);
  EXPECT_EQ(TabRec<FfgrundRec>(tvffgrund, fagInde)->Medarbejder1, inde);
  for (uint32_t g : {medarb, time, aktiRaekke, fagUdeAkti}) EXPECT_FALSE(Lever<FfgrundRec>(tvffgrund, g)) << g;
  // A row that goes takes its figures along.
  EXPECT_FALSE(Lever<FftaltabRec>(tvfftaltab, talMedarb));
  EXPECT_FALSE(Lever<FftaltabRec>(tvfftaltab, talAkti));
  EXPECT_FALSE(Lever<FftaltabRec>(tvfftaltab, udenfor));
  EXPECT_TRUE(Lever<FftaltabRec>(tvfftaltab, indenfor));
  EXPECT_EQ(RydPlanGruppe(0, 0), 0);
}

TEST_F(PlanPerioderTest, PeriodetalUdenforGruppenSlettesKunMedRigtigTilstand) {
  const uint32_t r = Raekke(2, 0, 0);
  const uint32_t inde = Per(202333, 202426), ude = Per(202430, 202440);
  const uint32_t ptInde = PerTal(r, inde, 10), ptUde = PerTal(r, ude, 10);
  struct Case {
    uint32_t periode;
    int mode;
    bool indeLever, udeLever;
  };
  for (const Case &c : {Case{inde, 0, true, true}, Case{ude, 1, true, true}, Case{ude, 0, true, false},
                        Case{inde, 1, false, false}}) {
    EXPECT_EQ(SletPerTabForPeriode(gruppe, c.periode, c.mode), 1);
    EXPECT_EQ(Lever<FfpertabRec>(tvffpertab, ptInde), c.indeLever) << c.periode << " " << c.mode;
    EXPECT_EQ(Lever<FfpertabRec>(tvffpertab, ptUde), c.udeLever) << c.periode << " " << c.mode;
  }
  EXPECT_EQ(SletPerTabForPeriode(gruppe, 0, 1), 0);
  EXPECT_EQ(SletPerTabForPeriode(0, inde, 1), 0);
}

TEST_F(PlanPerioderTest, UgerIPlanOgGyldigeUger) {
  struct Case {
    Uge uge;
    bool gyldig;
  };
  for (const Case &c : {Case{202333, true}, Case{202352, true}, Case{202353, false}, Case{202053, true},
                        Case{202000, false}, Case{202360, false}, Case{0, false}, Case{99999999, false}})
    EXPECT_EQ(GyldigUge(c.uge), c.gyldig) << c.uge;
  EXPECT_TRUE(UgeIPlan(gruppe, 202333));
  EXPECT_TRUE(UgeIPlan(gruppe, 202426));
  EXPECT_FALSE(UgeIPlan(gruppe, 202330));
  EXPECT_FALSE(UgeIPlan(gruppe, 202427));
  EXPECT_FALSE(UgeIPlan(0, 202340));
  const auto vist = tavo::test::MessageBoxesShown();
  ASSERT_EQ(vist.size(), 2u);
  EXPECT_EQ(vist[0].caption, "Fejl indtastning");
  EXPECT_EQ(vist[0].text, "Den indtastede uge ligger før dato: 20230814.\nUgen skal ligge indenfor planens periode.");
  EXPECT_EQ(vist[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(vist[1].text, "Den indtastede uge ligger efter dato: 20240626.\nUgen skal ligge indenfor planens periode.");
}

// ---- the warning and the removal of a period

TEST_F(PlanPerioderTest, BekraeftSletPerioderSpoergerMedSummerne) {
  const uint32_t r = Raekke(2, 0, 0);
  const uint32_t a = Per(202333, 202340), b = Per(202341, 202426);
  EXPECT_TRUE(BekraeftSletPerioder(gruppe, a));
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  Tal(r, 202335, 25, 1.5f);
  Tal(r, 202345, 10, 2.0f);  // another period's week
  const uint32_t slettet = Tal(r, 202336, 100, 9.0f);
  TabRec<FftaltabRec>(tvfftaltab, slettet)->Status = 0x48;
  PerTal(r, a, 15, 0.5f, 0.25f, 1.0f);
  PerTal(r, b, 70, 3.0f, 3.0f, 3.0f);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDCANCEL; });
  EXPECT_FALSE(BekraeftSletPerioder(gruppe, a));
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDOK; });
  EXPECT_TRUE(BekraeftSletPerioder(gruppe, 0));
  const auto vist = tavo::test::MessageBoxesShown();
  ASSERT_EQ(vist.size(), 2u);
  EXPECT_EQ(vist[0].caption, "Advarsel");
  EXPECT_EQ(vist[0].text,
            "Der er registreret poster i de perioder du er ved at slette, hvis du fortsætter slettes de!\n\n"
            "Lektioner: \t\t   4.00\nTimer: \t\t1.50\nEksame Tid.: \t1.00\nRette Tid.: \t0.50\nElev Tid: \t\t0.25\n\n"
            "Vil du fortsætte?");
  EXPECT_EQ(vist[0].type & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON2));
  EXPECT_EQ(vist[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
  // Every period: 2.5 + 1 + 1.5 + 7 lessons.
  EXPECT_NE(vist[1].text.find("Lektioner: \t\t  12.00\nTimer: \t\t3.50\nEksame Tid.: \t4.00"), std::string::npos)
      << vist[1].text;
}

TEST_F(PlanPerioderTest, FjernPlanPeriodeTagerUgeOgPeriodetal) {
  const uint32_t r = Raekke(2, 0, 0);
  const uint32_t a = Per(202333, 202340), b = Per(202341, 202410), c = Per(202411, 202426);
  const uint32_t iB = Tal(r, 202345, 10), iA = Tal(r, 202335, 10), iC = Tal(r, 202420, 10);
  const uint32_t pB = PerTal(r, b, 10), pA = PerTal(r, a, 10);
  EXPECT_TRUE(FjernPlanPeriode(gruppe, b));
  EXPECT_FALSE(Lever<FfppRec>(tvffpp, b));
  EXPECT_FALSE(Lever<FftaltabRec>(tvfftaltab, iB));
  EXPECT_FALSE(Lever<FfpertabRec>(tvffpertab, pB));
  EXPECT_TRUE(Lever<FftaltabRec>(tvfftaltab, iA));
  EXPECT_TRUE(Lever<FftaltabRec>(tvfftaltab, iC));
  EXPECT_TRUE(Lever<FfpertabRec>(tvffpertab, pA));
  NormaliserPlanPerioder(gruppe, 1);
  EXPECT_EQ(Perioder(), (std::vector<Par>{{202333, 202340}, {202341, 202426}}));
  EXPECT_FALSE(FjernPlanPeriode(gruppe, b));
  const uint32_t anden = NyGruppe(kFra, kTil);
  EXPECT_FALSE(FjernPlanPeriode(anden, c));
  // A period the central system knows is marked for the export.
  TabRec<FfppRec>(tvffpp, a)->Id = 55;
  EXPECT_TRUE(FjernPlanPeriode(gruppe, a));
  EXPECT_EQ(TabRec<FfppRec>(tvffpp, a)->Status, 0x48);
}

}  // namespace
