#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <cstdint>
#include <ctime>

#include "DATO.h"
#include "INDSTIL.h"
#include "STITAB.h"
#include "tavo/clock.h"

namespace {

using namespace std::chrono;

Dato TilDato(year_month_day ymd) {
  return static_cast<Dato>(static_cast<int>(ymd.year()) * 10000 +
                           static_cast<unsigned>(ymd.month()) * 100 + static_cast<unsigned>(ymd.day()));
}

// ISO week by the Thursday rule: a week belongs to the year of its Thursday,
// and its number counts the Thursdays of that year up to it.
Uge IsoUge(sys_days dag) {
  const unsigned iso = weekday(dag).iso_encoding();  // 1 = Monday
  const sys_days torsdag = dag + days(4 - static_cast<int>(iso));
  const year_month_day t(torsdag);
  const sys_days nytaar = sys_days(t.year() / January / 1);
  const int nr = (torsdag - nytaar).count() / 7 + 1;
  return static_cast<Uge>(static_cast<int>(t.year()) * 100 + nr);
}

TEST(Dato, EveryIsoWeekOf1900To2099) {
  const sys_days foerste = sys_days(year(1900) / January / 1);
  const sys_days sidste = sys_days(year(2099) / December / 31);
  uint32_t forventetDagNr = 1;
  for (sys_days d = foerste; d <= sidste; d += days(1), ++forventetDagNr) {
    const Dato dato = TilDato(year_month_day(d));
    Uge uge = 0;
    uint8_t ugedag = 0;
    DatoTilUge(dato, &uge, &ugedag);
    ASSERT_EQ(uge, IsoUge(d)) << dato;
    ASSERT_EQ(ugedag, weekday(d).iso_encoding()) << dato;
    ASSERT_EQ(DatoTilDagNr(dato), forventetDagNr) << dato;
    ASSERT_EQ(DagNrTilDato(forventetDagNr), dato);
    ASSERT_EQ(DatoTilAbsDag(dato), d.time_since_epoch().count()) << dato;
    if (uge / 100 >= 1900 && uge / 100 <= 2099) {
      ASSERT_EQ(UgeDagTilDato(uge, ugedag), dato) << uge;
    }
  }
}

TEST(Dato, WeeksPerYearAndWeekCounts) {
  for (int aar = 1900; aar <= 2099; ++aar) {
    const Uge dec28 = IsoUge(sys_days(year(aar) / December / 28));
    ASSERT_EQ(UgerIAar(aar), dec28 % 100) << aar;
  }
  const struct {
    Uge fra, til;
    uint32_t antal;
  } tabel[] = {
      {201531, 201531, 1},   {201531, 201553, 23}, {201553, 201601, 2},
      {201731, 201952, 126}, {190001, 190152, 104},
      {189952, 190001, 0},   {190001, 209954, 0},  {201602, 201601, 0},
  };
  for (const auto &t : tabel) EXPECT_EQ(AntalUger(t.fra, t.til), t.antal) << t.fra << ".." << t.til;
}

TEST(Dato, ListedEdgeCases) {
  Uge uge;
  uint8_t dag;
  DatoTilUge(20210103, &uge, &dag);
  EXPECT_EQ(uge, 202053u);
  EXPECT_EQ(dag, 7);
  DatoTilUge(20200101, &uge, &dag);
  EXPECT_EQ(uge, 202001u);
  EXPECT_EQ(dag, 3);
  DatoTilUge(20151231, &uge, &dag);
  EXPECT_EQ(uge, 201553u);
  DatoTilUge(18991231, &uge, &dag);
  EXPECT_EQ(uge, 0u);
  EXPECT_EQ(dag, 0);
  DatoTilUge(21000101, &uge, &dag);
  EXPECT_EQ(uge, 0u);

  EXPECT_EQ(DageIMaaned(200002), 29u);
  EXPECT_EQ(DageIMaaned(190002), 28u);
  EXPECT_EQ(DageIMaaned(202312), 31u);
  EXPECT_EQ(ForrigeDato(20240101), 20231231u);
  EXPECT_EQ(NaesteDato(20240228), 20240229u);
  EXPECT_EQ(NaesteDato(20231231), 20240101u);
  EXPECT_EQ(SidsteDatoIMaaned(202402), 20240229u);
  EXPECT_EQ(SidsteDatoIMaaned(202400), 0u);
  EXPECT_EQ(AntalMaaneder(201708, 201907), 24u);
  EXPECT_EQ(AntalMaaneder(201708, 201708), 1u);
  EXPECT_EQ(AntalMaaneder(201709, 201708), 0u);
  EXPECT_EQ(AntalMaaneder(201708, 210001), 0u);
  EXPECT_EQ(UgeDagTilDato(190000, 1), 0u);
  EXPECT_EQ(UgeDagTilDato(209954, 1), 0u);
  EXPECT_EQ(UgeDagTilDato(202053, 7), 20210103u);
}

TEST(Dato, LeapYearsAndValidDates) {
  const struct {
    uint32_t aar;
    int skud;
  } aar[] = {{1900, 0}, {2000, 1}, {2023, 0}, {2024, 1}, {2100, 0}, {2400, 1}};
  for (const auto &a : aar) EXPECT_EQ(ErSkudaar(a.aar), a.skud) << a.aar;
  const struct {
    Dato dato;
    bool gyldig;
  } datoer[] = {{20240229, true}, {20230229, false}, {20241231, true}, {20241301, false},
                {20240001, false}, {20240100, false}, {10101, true},   {99991231, true},
                {19000229, false}, {0, false}};
  for (const auto &d : datoer) EXPECT_EQ(GyldigDato(d.dato), d.gyldig) << d.dato;
}

TEST(Dato, EasterHolidays2000To2040) {
  // Easter Sundays computed once by Knuth's Gregorian algorithm.
  const Dato paaske[] = {
      20000423, 20010415, 20020331, 20030420, 20040411, 20050327, 20060416, 20070408, 20080323,
      20090412, 20100404, 20110424, 20120408, 20130331, 20140420, 20150405, 20160327, 20170416,
      20180401, 20190421, 20200412, 20210404, 20220417, 20230409, 20240331, 20250420, 20260405,
      20270328, 20280416, 20290401, 20300421, 20310413, 20320328, 20330417, 20340409, 20350325,
      20360413, 20370405, 20380425, 20390410, 20400401};
  const struct {
    int afstand;
    int kode;
  } dage[] = {{-3, 4}, {-2, 5}, {0, 6}, {1, 7}, {26, 8}, {39, 9}, {49, 10}, {50, 11}};
  for (Dato p : paaske) {
    EXPECT_EQ(PaaskeDag(p / 10000), p);
    const sys_days s = sys_days(year(p / 10000) / month(p / 100 % 100) / day(p % 100));
    int helligdage = 0;
    for (int i = -60; i <= 70; ++i) {
      const Dato d = TilDato(year_month_day(s + days(i)));
      int forventet = 0;
      for (const auto &h : dage)
        if (h.afstand == i) forventet = h.kode;
      ASSERT_EQ(Helligdag(d), forventet) << d;
      helligdage += forventet != 0;
    }
    EXPECT_EQ(helligdage, 8);
  }
  EXPECT_EQ(Helligdag(20240329), 5);
  EXPECT_EQ(Helligdag(20240426), 8);
  EXPECT_EQ(Helligdag(20240101), 1);
  EXPECT_EQ(Helligdag(20241225), 2);
  EXPECT_EQ(Helligdag(20241226), 3);
  EXPECT_EQ(Helligdag(20241224), 0);
}

TEST(Dato, ClockTimeCarriesIntoTheHour) {
  const struct {
    Klokkeslaet tid;
    int32_t min;
    Klokkeslaet ud;
  } tabel[] = {{855, 10, 905}, {800, 60, 900}, {1959, 1, 2000}, {905, -10, 855}, {0, -5, 0}};
  for (const auto &t : tabel) EXPECT_EQ(LaegMinutterTil(t.tid, t.min), t.ud) << t.tid << "+" << t.min;
}

TEST(Dato, TodayFromTheLocalClock) {
  const int64_t t = 1772694489;  // 5 March 2026 07:08:09 UTC
  tavo::SetFakeClock(t);
  const Dato idag = DagsDato();
  tavo::ClearFakeClock();
  const std::time_t tt = static_cast<std::time_t>(t);
  std::tm lokal{};
  localtime_r(&tt, &lokal);
  EXPECT_EQ(idag, static_cast<Dato>((lokal.tm_year + 1900) * 10000 + (lokal.tm_mon + 1) * 100 + lokal.tm_mday));
}

class Periode : public ::testing::Test {
 protected:
  void SetUp() override {
    InitPeriode(20170801, 20191231, 20180101);
    SaetVisningstider(800, 8, 5);
  }
};

TEST_F(Periode, DerivedFields) {
  const SkemaPeriodeData &p = SkemaPeriode;
  EXPECT_EQ(p.FoersteUge, 201731u);
  EXPECT_EQ(p.SidsteUge, 202001u);  // 31 December 2019 lies in week 1 of 2020
  EXPECT_EQ(p.FoersteMaaned, 201708u);
  EXPECT_EQ(p.SidsteMaaned, 201912u);
  EXPECT_EQ(p.LaasUge, 201801u);  // 1 January 2018 is a Monday
  EXPECT_EQ(p.BaseAar, 2017u);
  EXPECT_EQ(p.SidsteAar, 2020u);
  EXPECT_EQ(p.UgerPrAar[0], 52);
  EXPECT_EQ(p.UgerPrAar[3], 53);
  EXPECT_EQ(p.AntalUger, 22u + 52u + 52u + 1u);
  EXPECT_EQ(p.AntalMaaneder, 29u);
  EXPECT_EQ(p.AntalAar, 4u);
  EXPECT_EQ(p.AntalAarMedForrige, 5u);
}

TEST_F(Periode, WeekAndMonthIndexes) {
  const SkemaPeriodeData &p = SkemaPeriode;
  EXPECT_EQ(UgeTilIndeks(p.FoersteUge), 1u);
  EXPECT_EQ(UgeTilIndeks(p.SidsteUge), p.AntalUger);
  EXPECT_EQ(UgeTilIndeks(201730), 0u);
  EXPECT_EQ(UgeTilIndeks(202002), p.AntalUger + 1);
  EXPECT_EQ(IndeksTilUge(0), 0u);
  for (UgeIndeks i = 1; i <= p.AntalUger; ++i) {
    const Uge u = IndeksTilUge(i);
    ASSERT_EQ(UgeTilIndeks(u), i) << u;
    ASSERT_EQ(IndeksTilUgeNr(i), u % 100);
    ASSERT_EQ(IndeksTilAarOffset(i), u / 100 - 2017);
  }
  EXPECT_EQ(IndeksTilUge(23), 201801u);
  EXPECT_EQ(IndeksTilAarOffset(0), 0);

  EXPECT_EQ(MaanedTilIndeks(201707), 0u);
  EXPECT_EQ(MaanedTilIndeks(201708), 1u);
  EXPECT_EQ(MaanedTilIndeks(201801), 6u);
  EXPECT_EQ(MaanedTilIndeks(202005), 29u);  // capped at the last month
  EXPECT_EQ(IndeksTilMaaned(0), 0u);
  EXPECT_EQ(IndeksTilMaaned(6), 201801u);
  EXPECT_EQ(IndeksTilMaaned(29), 201912u);
}

TEST_F(Periode, CurrentDateAndSchoolYear) {
  SaetAktuelDato(20180315);  // a Thursday in week 11 of 2018
  const SkemaPeriodeData &p = SkemaPeriode;
  EXPECT_EQ(p.AktuelDato, 20180315u);
  EXPECT_EQ(p.AktuelDatoIndeks, UgeTilIndeks(201811));
  EXPECT_EQ(p.AktuelUgeIndeks, p.AktuelDatoIndeks);
  EXPECT_EQ(VisningsTilstand[VISNING_LEKTION].Ugedag, 4);
  EXPECT_EQ(VisningsTilstand[VISNING_DAG].Ugedag, 4);
  EXPECT_EQ(p.SkoleAar, 0);  // its school year began 1 May 2017, before the period
  EXPECT_EQ(AarStartDato(VISNING_LEKTION), 20180101u);
  EXPECT_EQ(AarSlutDato(VISNING_TID), 20181231u);

  SaetAktuelDato(20170301);  // before the period
  EXPECT_EQ(p.AktuelDatoIndeks, 0u);
  EXPECT_EQ(p.AktuelUgeIndeks, 1u);
  EXPECT_EQ(p.SkoleAar, 0);  // 1 May 2016 lies before the period
  SaetAktuelDato(20200301);  // after it
  EXPECT_EQ(p.AktuelDatoIndeks, p.AntalUger + 1);
  EXPECT_EQ(p.AktuelUgeIndeks, p.AntalUger);
  EXPECT_EQ(SkoleAarIndeks(20190601), 3);
  EXPECT_EQ(SkoleAarIndeks(20180430), 0);
  EXPECT_EQ(SkoleAarIndeks(20180501), 2);
}

TEST_F(Periode, TodayOnAWeekendMovesToTheNextWeek) {
  // Midday UTC, so that the local date is the same in every time zone.
  tavo::SetFakeClock(1521288000);  // Saturday 17 March 2018
  SaetDagsDato();
  EXPECT_EQ(SkemaPeriode.AktuelDato, 20180317u);
  EXPECT_EQ(SkemaPeriode.AktuelDatoIndeks, UgeTilIndeks(201811));
  EXPECT_EQ(SkemaPeriode.AktuelUgeIndeks, UgeTilIndeks(201812));
  for (const VisningsTilstandRec &v : VisningsTilstand) EXPECT_EQ(v.Ugedag, 1);

  tavo::SetFakeClock(1578139200);  // Saturday 4 January 2020, in the last week
  SaetDagsDato();
  tavo::ClearFakeClock();
  EXPECT_EQ(SkemaPeriode.AktuelUgeIndeks, SkemaPeriode.AntalUger);  // no week after it
  EXPECT_EQ(VisningsTilstand[VISNING_LEKTION].Ugedag, 1);
}

TEST_F(Periode, DisplayRanges) {
  const struct {
    Klokkeslaet start;
    uint32_t timer;
    uint32_t foerste, sidste;
  } tabel[] = {{800, 8, 97, 193}, {2200, 8, 192, 288}, {0, 24, 1, 288}, {755, 2, 96, 120}};
  for (const auto &t : tabel) {
    SaetVisningstider(t.start, t.timer, 5);
    const VisningsTilstandRec &v = VisningsTilstand[VISNING_TID];
    EXPECT_EQ(v.FoersteSlot, t.foerste) << t.start;
    EXPECT_EQ(v.SidsteSlot, t.sidste) << t.start;
    EXPECT_EQ(VisningsTilstand[VISNING_LEKTION].SidsteSlot, t.timer);
    EXPECT_EQ(VisningsTilstand[VISNING_DAG].SidsteUgedag, 5);
  }
}

TEST_F(Periode, DisplaySettingsFromTheIniFile) {
  namespace fs = std::filesystem;
  const fs::path mappe = fs::temp_directory_path() / ("dataut_vis_" + std::to_string(::getpid()));
  fs::create_directories(mappe / "ini");
  std::ofstream(mappe / "ini" / "tavo.ini") << "[tider]\nstarttid=2200\n[global]\nantaltimer=8\nantaldage=6\n";
  std::snprintf(StiTab.szini, sizeof StiTab.szini, "%s/ini\\tavo.ini", mappe.string().c_str());
  LaesVisningstider();
  EXPECT_EQ(VisningsTilstand[VISNING_TID].FoersteSlot, 192u);
  EXPECT_EQ(VisningsTilstand[VISNING_TID].SidsteSlot, 288u);
  EXPECT_EQ(VisningsTilstand[VISNING_LEKTION].SidsteSlot, 8u);
  EXPECT_EQ(VisningsTilstand[VISNING_DAG].SidsteUgedag, 6);

  fs::remove(mappe / "ini" / "tavo.ini");  // defaults
  LaesVisningstider();
  EXPECT_EQ(VisningsTilstand[VISNING_TID].FoersteSlot, 97u);
  EXPECT_EQ(VisningsTilstand[VISNING_LEKTION].SidsteSlot, 8u);
  EXPECT_EQ(VisningsTilstand[VISNING_LEKTION].SidsteUgedag, 5);
  StiTab.szini[0] = '\0';
  fs::remove_all(mappe);
}

TEST_F(Periode, ShownDateInMonth) {
  // Monday to Friday shown; 2018-03 is month index 8.
  const MaanedIndeks marts = MaanedTilIndeks(201803);
  const struct {
    uint32_t dag;
    MaanedIndeks m;
    Dato fra, til, ud;
  } tabel[] = {
      {15, marts, 20170801, 20191231, 20180315},  // a Thursday stays
      {17, marts, 20170801, 20191231, 20180316},  // Saturday: the Friday before
      {18, marts, 20170801, 20191231, 20180316},  // Sunday: the Friday before
      {3, marts, 20180303, 20191231, 20180305},   // the Friday before lies before from
      {31, marts, 20170801, 20191231, 20180330},  // Saturday 31st
      {31, MaanedTilIndeks(201802), 20170801, 20191231, 20180228},  // stepped back to a valid day
      {1, MaanedTilIndeks(201804), 20170801, 20191231, 20180402},   // Sunday 1st: Friday lies in March
      {15, marts, 20180401, 20191231, 0},        // clipped out of the month
  };
  for (const auto &t : tabel) EXPECT_EQ(VistDatoIMaaned(t.dag, t.m, t.fra, t.til), t.ud) << t.dag;
}

}  // namespace
