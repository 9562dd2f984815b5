// The plan's edit rules over a small plan: an activity that teaches 5, 5, 3
// and 0 days in the four weeks of a plan period, its heading and subject
// rows, checked against the model, the record files read back, and the
// heading and employee sums worked out again from the rows.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "FF_GRUPPE.h"
#include "FF_PlanIndtast.h"
#include "FF_PlanRec.h"
#include "TAVODATA.h"
#include "TIMOAK.h"
#include "plan_fixtur.h"
#include "GEMNING.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"

namespace {

using plantest::Kol;
using plantest::kEgen;
using predtest::Ny;
using predtest::Rec;

// The columns of the fixture: the total, the period of weeks 37 to 40 and
// its weeks, and week 33 outside any period.
constexpr uint32_t kTotal = 1, kPeriode = 2, kUge37 = 3, kUge38 = 4, kUge39 = 5, kUge40 = 6, kUge33 = 7;
constexpr Uge kUger[4] = {202437, 202438, 202439, 202440};

struct UgeTal {
  int32_t lek;
  uint32_t status;
};

class PlanIndtast : public plantest::PlanFixtur {
 protected:
  uint32_t skka = 0, akti = 0, anfo = 0, anfo2 = 0, skfa = 0, hoved = 0, fag = 0;
  size_t bokse = 0;

  void SetUp() override {
    PlanFixtur::SetUp();
    // A school calendar of 2024 and 2025 in which every weekday is a school day.
    KaldagRec kd{};
    kd.Status = 10;
    memset(kd.Uge, 0x1F, sizeof kd.Uge);
    KdagrelRec kr{};
    kr.Status = 10;
    kr.Kaldag = Ny(tdkaldag, tvkaldag, kd);
    const uint32_t rel = Ny(tdkdagrel, tvkdagrel, kr);
    Ny(tdkdagrel, tvkdagrel, kr);
    SkkaRec k{};
    k.Status = 10;
    k.StartAr = 2024;
    k.AntalAr = 2;
    k.kaldagrel = rel;
    skka = Ny(tdskka, tvskka, k);
    // Ends on the Wednesday of week 39.
    akti = NyAkti("Dansk A", "DA", 20240801, 20240925);
    Rec<AktiRec>(tvakti, akti)->skka_id = skka;
    AddPgRel(gruppe, akti, 'K');
    anfo = NyAnfo("ABC", "0001", "Anne");
    anfo2 = NyAnfo("BCD", "0002", "Bo");
    skfa = NySkfa("Dansk", 'A', "Dansk A");
    NyPeriode(gruppe, 202437, 202440);
    VaelgGruppe(gruppe);
    Kolonner({{31}, {32, 1, 202437}, {33, 1, 202437}, {33, 1, 202438}, {33, 1, 202439}, {33, 1, 202440},
              {33, 0, 202433}});
    hoved = Gemt(Raekke(PLAN_AKTI, akti, 0, 0));
    fag = Gemt(Raekke(PLAN_FAG, akti, skfa, anfo));
    Orden({hoved, fag});
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    PlanFixtur::TearDown();
  }
  static bool GrundIBrug(uint32_t rec) {
    return rec && rec < tvffgrund.wRecCnt && PlanRecIBrug(Rec<FfgrundRec>(tvffgrund, rec)->Status);
  }
  uint32_t Gemt(uint32_t r) {
    GemRaekke(&plan, r, false);
    return r;
  }
  UgeTal U(uint32_t r, Uge uge) { return {T(r, uge).Lektioner, T(r, uge).PlanStatus}; }
  // The message boxes shown since the last call.
  std::vector<tavo::test::MessageBoxRecord> NyeBokse() {
    auto alle = tavo::test::MessageBoxesShown();
    std::vector<tavo::test::MessageBoxRecord> nye(alle.begin() + static_cast<long>(std::min(bokse, alle.size())),
                                                  alle.end());
    bokse = alle.size();
    return nye;
  }
  void ForventUger(uint32_t r, const UgeTal (&forventet)[4]) {
    for (int i = 0; i < 4; ++i) {
      const TalPost &t = T(r, kUger[i]);
      EXPECT_EQ(t.Lektioner, forventet[i].lek) << "week " << kUger[i];
      EXPECT_EQ(t.PlanStatus, forventet[i].status) << "week " << kUger[i];
    }
  }
  // The week records of an ffgrund record as the file holds them: week ->
  // lessons and PlanStatus.
  std::map<Uge, UgeTal> UgerPaaDisk(uint32_t grund) {
    predtest::TomTabel(&tvfftaltab);
    EXPECT_EQ(LoadTab(&tdfftaltab, &tvfftaltab), 0);
    std::map<Uge, UgeTal> m;
    for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
      const FftaltabRec *t = Rec<FftaltabRec>(tvfftaltab, n);
      if (PlanRecIBrug(t->Status) && t->ffgrund_id == grund)
        m[t->Uge] = {static_cast<int32_t>(t->Lektioner), t->PlanStatus};
    }
    return m;
  }
  // Every heading's weeks and totals, and every employee's week sums, are
  // those of the rows under it, added up here afresh.
  void TjekSummer() {
    for (uint32_t h = 1; h <= plan.GrundTabAntal; ++h) {
      if (!R(h).ErSum || plan.ObjTypeTab[h] == 0) continue;
      uint32_t sum = 0;
      for (uint32_t u = 0; u <= plan.UgeAntal + 1; ++u) {
        int32_t lek = 0;
        float timer = 0.0f;
        for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r)
          if (FindOverskrift(&plan, r) == h) lek += R(r).TalTab[u].Lektioner, timer += R(r).TalTab[u].Timer;
        EXPECT_EQ(R(h).TalTab[u].Lektioner, lek) << "heading " << h << " week " << u;
        EXPECT_NEAR(R(h).TalTab[u].Timer, timer, 1e-4) << "heading " << h << " week " << u;
        if (u >= 1 && u <= plan.UgeAntal) sum += static_cast<uint32_t>(lek);
      }
      EXPECT_EQ(R(h).SumLektioner, sum) << "heading " << h;
    }
    for (uint32_t a : {anfo, anfo2}) {
      for (uint32_t u = 1; u <= plan.UgeAntal; ++u) {
        int32_t lek = 0;
        float ret = 0.0f;
        for (uint32_t r = 1; r <= plan.GrundTabAntal; ++r)
          if (plan.ObjTypeTab[r] && !R(r).ErSum && !R(r).KopiAf && plan.ObjTypeTab[r] != PLAN_SKEMA &&
              (R(r).Medarbejder1 == a || R(r).Medarbejder2 == a))
            lek += R(r).TalTab[u].Lektioner, ret += R(r).TalTab[u].Rettearbejd;
        EXPECT_EQ(plan.PlanAnfoTab[a].SumTalTab[u].Lektioner, lek) << "employee " << a << " week " << u;
        EXPECT_NEAR(plan.PlanAnfoTab[a].SumTalTab[u].Rettearbejd, ret, 1e-4) << "employee " << a << " week " << u;
      }
    }
  }
};

// ---- Spreading over a period ----

class PlanIndtastFordeling : public PlanIndtast {};

TEST_F(PlanIndtastFordeling, PeriodeTabel) {
  const std::string maks10 =
      "Det indtastede 'max' tal (10) er mindre end summen af de timer (12), som allerede er indtastet.\nTallet skal "
      "v\xE6re st\xF8rre end summen af de indtastede tal.";
  struct Tilfaelde {
    const char *navn;
    std::vector<std::pair<uint32_t, int32_t>> indtastet;  // column, lessons, in turn
    bool sidsteOk;
    UgeTal uger[4];
    int32_t perLek;
    uint32_t perStatus;
    std::string besked;
  };
  const Tilfaelde tabel[] = {
      {"seven lessons for the period",
       {{kPeriode, 7}},
       true,
       {{70, 16}, {70, 16}, {40, 16 | 0x100}, {0, 0}},
       70,
       16,
       ""},
      {"a week by hand is left by the period",
       {{kUge38, 2}, {kPeriode, 7}},
       true,
       {{70, 16}, {20, 4}, {40, 16 | 0x100}, {0, 0}},
       70,
       16,
       ""},
      {"a second period value replaces the first",
       {{kPeriode, 7}, {kPeriode, 3}},
       true,
       {{30, 16}, {30, 16}, {20, 16 | 0x100}, {0, 0}},
       30,
       16,
       ""},
      {"a maximum spreads what the fixed lessons leave, in whole lessons",
       {{kUge37, 12}, {kPeriode, -20}},
       true,
       {{120, 4}, {20, 16}, {10, 16 | 0x100}, {0, 0}},
       -200,
       16,
       ""},
      {"the same maximum typed again spreads the same",
       {{kUge37, 12}, {kPeriode, -20}, {kPeriode, -20}},
       true,
       {{120, 4}, {20, 16}, {10, 16 | 0x100}, {0, 0}},
       -200,
       16,
       ""},
      {"a maximum below the fixed lessons is refused",
       {{kUge37, 12}, {kPeriode, -10}},
       false,
       {{120, 4}, {0, 0}, {0, 0}, {0, 0}},
       0,
       0,
       maks10},
      {"a week the activity does not teach takes nothing", {{kUge40, 3}}, false, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}, 0,
       0, ""},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    const uint32_t r = Gemt(Raekke(PLAN_FAG, akti, NySkfa(t.navn, 'B', "x"), anfo));
    NyeBokse();
    bool ok = false;
    for (auto [kol, lek] : t.indtastet) ok = SaetLektioner(&plan, kol, r, lek);
    EXPECT_EQ(ok, t.sidsteOk);
    ForventUger(r, t.uger);
    EXPECT_EQ(R(r).PerTab[1].Lektioner, t.perLek);
    EXPECT_EQ(R(r).PerTab[1].PlanStatus, t.perStatus);
    const auto nye = NyeBokse();
    if (t.besked.empty()) {
      EXPECT_TRUE(nye.empty());
    } else {
      ASSERT_EQ(nye.size(), 1u);
      EXPECT_EQ(nye[0].caption, "Ikke gyldigt tal!");
      EXPECT_EQ(nye[0].text, t.besked);
      EXPECT_EQ(nye[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    }
    // Written at once: the file holds each week with a number, and nothing
    // for the others.
    const auto disk = UgerPaaDisk(R(r).GrundRec);
    for (int i = 0; i < 4; ++i) {
      const auto it = disk.find(kUger[i]);
      if (t.uger[i].status == 0) {
        EXPECT_TRUE(it == disk.end()) << kUger[i];
      } else {
        ASSERT_TRUE(it != disk.end()) << kUger[i];
        EXPECT_EQ(it->second.lek, t.uger[i].lek) << kUger[i];
        EXPECT_EQ(it->second.status, t.uger[i].status) << kUger[i];
      }
    }
    TjekSummer();
  }
}

TEST_F(PlanIndtastFordeling, TimerLaesesMedKommaOgMaksimumVisesMedToDecimaler) {
  const uint32_t opg = Gemt(Raekke(PLAN_OPG_TIMER, akti, 0, anfo));
  const uint32_t opgHoved = Gemt(Raekke(PLAN_OPG_AKTI, akti, 0, 0));
  Orden({hoved, fag, opgHoved, opg});
  struct Tilfaelde {
    uint32_t kol;
    const char *tekst;
    bool ok;
    float uger[4];
  };
  const Tilfaelde tabel[] = {
      {kUge38, "7,5", true, {0.0f, 7.5f, 0.0f, 0.0f}},
      // One hours-day a week: the Wednesday; week 40's lies after the activity.
      {kPeriode, "2,25", true, {2.25f, 7.5f, 2.25f, 0.0f}},
      // A maximum: what the week by hand leaves, over the three weeks taught.
      {kPeriode, "-13,5", true, {2.0f, 7.5f, 2.0f, 0.0f}},
      {kPeriode, "-3,5", false, {2.0f, 7.5f, 2.0f, 0.0f}},
      {kUge37, "tekst", false, {2.0f, 7.5f, 2.0f, 0.0f}},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.tekst);
    NyeBokse();
    EXPECT_EQ(SaetTimer(&plan, t.kol, opg, t.tekst), t.ok);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(T(opg, kUger[i]).Timer, t.uger[i]) << kUger[i];
    TjekSummer();
  }
  const auto alle = tavo::test::MessageBoxesShown();
  ASSERT_EQ(alle.size(), 1u);
  EXPECT_EQ(alle[0].caption, "Ikke gyldigt tal!");
  EXPECT_EQ(alle[0].text,
            "Det indtastede 'max' tal (3.50) er mindre end summen af de timer (7.50), som allerede er indtastet.\n"
            "Tallet skal v\xE6re st\xF8rre end summen af de indtastede tal.");
  EXPECT_EQ(T(opg, 202438).PlanStatus, 4u);
  EXPECT_EQ(T(opg, 202437).PlanStatus, 16u);
  EXPECT_FLOAT_EQ(R(opg).PerTab[1].Timer, -13.5f);
  // Lessons are no number of an hours row, nor hours of a subject row.
  EXPECT_FALSE(SaetLektioner(&plan, kUge37, opg, 2));
  EXPECT_FALSE(SaetTimer(&plan, kUge37, fag, "2"));
}

// ---- The group total, clearing and locked weeks ----

class PlanIndtastTotal : public PlanIndtast {};

TEST_F(PlanIndtastTotal, TotalFordelesRyddesOgLaasteUgerBliver) {
  const uint32_t u31 = UgeTilIndeks(202431), u36 = UgeTilIndeks(202436);
  // Four lessons for the group: every week the activity teaches, at its days.
  ASSERT_TRUE(SaetLektioner(&plan, kTotal, fag, 4));
  EXPECT_EQ(R(fag).Lektioner, 40);
  EXPECT_EQ(R(fag).TalTab[0].PlanStatus, 8u);
  EXPECT_NE(R(fag).TalTab[0].TalRec, 0u);
  EXPECT_EQ(R(fag).TalTab[u31].Lektioner, 20);  // the schedule period begins on the Thursday
  EXPECT_EQ(R(fag).TalTab[u31].PlanStatus, 8u | 0x100);
  for (uint32_t u = u31 + 1; u <= u36; ++u) EXPECT_EQ(R(fag).TalTab[u].Lektioner, 40) << u;
  ForventUger(fag, {{40, 8}, {40, 8}, {20, 8 | 0x100}, {0, 0}});
  EXPECT_EQ(UgerPaaDisk(R(fag).GrundRec).count(0), 1u);
  TjekSummer();

  ASSERT_TRUE(SaetLektioner(&plan, kUge38, fag, 1));
  ASSERT_TRUE(SaetLektioner(&plan, kPeriode, fag, 2));
  ForventUger(fag, {{20, 16}, {10, 4}, {10, 16 | 0x100}, {0, 0}});
  // Week 37's record is locked from here on.
  Rec<FftaltabRec>(tvfftaltab, T(fag, 202437).TalRec)->Status |= PLANREC_BEVAR;

  // A new total leaves the week by hand, the period and the locked week.
  ASSERT_TRUE(SaetLektioner(&plan, kTotal, fag, 5));
  EXPECT_EQ(U(fag, 202436).lek, 50);
  ForventUger(fag, {{20, 16}, {10, 4}, {10, 16 | 0x100}, {0, 0}});
  TjekSummer();

  // Clearing a week takes back its period's spread, or the group's.
  ASSERT_TRUE(SletLektioner(&plan, kUge38, fag));
  EXPECT_EQ(plan.KopiLektioner, 1u);
  ForventUger(fag, {{20, 16}, {20, 16}, {10, 16 | 0x100}, {0, 0}});
  ASSERT_TRUE(SaetLektioner(&plan, kUge33, fag, 1));
  EXPECT_EQ(U(fag, 202433).status, 4u);
  ASSERT_TRUE(SletLektioner(&plan, kUge33, fag));
  EXPECT_EQ(U(fag, 202433).lek, 50);
  EXPECT_EQ(U(fag, 202433).status, 8u);
  // A locked week is not cleared.
  EXPECT_FALSE(SletLektioner(&plan, kUge37, fag));
  EXPECT_FALSE(SaetLektioner(&plan, kUge37, fag, 9));

  // Clearing the period gives its weeks the group's spread again.
  const uint32_t perRec = R(fag).PerTab[1].PerRec;
  ASSERT_NE(perRec, 0u);
  ASSERT_TRUE(SletLektioner(&plan, kPeriode, fag));
  EXPECT_EQ(plan.KopiLektioner, 2u);
  EXPECT_EQ(R(fag).PerTab[1].PlanStatus, 0u);
  EXPECT_EQ(R(fag).PerTab[1].PerRec, 0u);
  EXPECT_FALSE(PlanRecIBrug(Rec<FfpertabRec>(tvffpertab, perRec)->Status));
  ForventUger(fag, {{20, 16}, {50, 8}, {30, 8}, {0, 0}});
  TjekSummer();

  // Clearing the total empties what it spread, and week 0's record goes.
  const uint32_t rec0 = R(fag).TalTab[0].TalRec;
  ASSERT_TRUE(SletLektioner(&plan, kTotal, fag));
  EXPECT_EQ(plan.KopiLektioner, 5u);
  EXPECT_EQ(R(fag).Lektioner, 0);
  EXPECT_EQ(R(fag).TalTab[0].PlanStatus, 0u);
  EXPECT_EQ(R(fag).TalTab[0].TalRec, 0u);
  EXPECT_FALSE(PlanRecIBrug(Rec<FftaltabRec>(tvfftaltab, rec0)->Status));
  for (uint32_t u = u31; u <= u36; ++u) EXPECT_EQ(R(fag).TalTab[u].PlanStatus, 0u) << u;
  ForventUger(fag, {{20, 16}, {0, 0}, {0, 0}, {0, 0}});
  const auto disk = UgerPaaDisk(R(fag).GrundRec);
  ASSERT_EQ(disk.size(), 1u);
  EXPECT_EQ(disk.begin()->first, 202437u);
  EXPECT_EQ(disk.begin()->second.lek, 20);
  TjekSummer();
}

TEST_F(PlanIndtastTotal, LaastPeriodeOgLaastUge0AfviserUdenBesked) {
  ASSERT_TRUE(SaetLektioner(&plan, kPeriode, fag, 2));
  ASSERT_TRUE(SaetLektioner(&plan, kTotal, fag, 1));
  Rec<FfpertabRec>(tvffpertab, R(fag).PerTab[1].PerRec)->Status |= PLANREC_BEVAR;
  Rec<FftaltabRec>(tvfftaltab, R(fag).TalTab[0].TalRec)->Status |= PLANREC_BEVAR;
  NyeBokse();
  EXPECT_FALSE(SaetLektioner(&plan, kPeriode, fag, 4));
  EXPECT_FALSE(SletLektioner(&plan, kPeriode, fag));
  EXPECT_FALSE(SaetLektioner(&plan, kTotal, fag, 4));
  EXPECT_FALSE(SletLektioner(&plan, kTotal, fag));
  EXPECT_TRUE(NyeBokse().empty());
  EXPECT_EQ(R(fag).PerTab[1].Lektioner, 20);
  EXPECT_EQ(R(fag).Lektioner, 10);
  ForventUger(fag, {{20, 16}, {20, 16}, {10, 16 | 0x100}, {0, 0}});
}

TEST_F(PlanIndtastTotal, KopienFoelgerKildenOgRedigeresGennemDen) {
  R(fag).Medarbejder2 = anfo2;
  Gemt(fag);
  FfgrundRec rec{};
  rec.ffpg_id = gruppe;
  rec.ObjType = PLAN_FAG;
  rec.Aktivitet = akti;
  rec.Skolefag = skfa;
  rec.Medarbejder1 = anfo2;
  rec.Minutnorm1 = rec.Minutnorm2 = -1.0f;
  rec.Ejer = kEgen;
  const uint32_t kopi = NyPlanRaekke(&plan, &rec, fag, false);
  const uint32_t grundAntal = tvffgrund.wRecCnt;
  // Typed into the copy, it lands in the source and shows in both.
  ASSERT_TRUE(SaetLektioner(&plan, kPeriode, kopi, 7));
  ForventUger(fag, {{70, 16}, {70, 16}, {40, 16 | 0x100}, {0, 0}});
  ForventUger(kopi, {{70, 16}, {70, 16}, {40, 16 | 0x100}, {0, 0}});
  EXPECT_EQ(R(kopi).PerTab[1].PlanStatus, 16u);
  EXPECT_EQ(R(kopi).GrundRec, 0u);
  EXPECT_EQ(tvffgrund.wRecCnt, grundAntal);
  EXPECT_EQ(T(kopi, 202437).TalRec, 0u);
  ASSERT_TRUE(SletLektioner(&plan, kUge38, kopi));
  EXPECT_EQ(U(fag, 202438).lek, 70);
  TjekSummer();
}

// ---- Marking work and exam time ----

class PlanIndtastRette : public PlanIndtast {};

TEST_F(PlanIndtastRette, PeriodeFordelesOgRyddesUgeIndtastetBliver) {
  struct Form {
    uint8_t undervisning;
    uint32_t flag;
    float TalPost::*felt;
    uint32_t TalPost::*status;
    float PerPost::*perFelt;
  };
  const Form former[] = {
      {1, 64, &TalPost::Rettearbejd, &TalPost::RetStatus, &PerPost::Rettearbejd},
      {2, 32, &TalPost::Eksametid, &TalPost::EksStatus, &PerPost::Eksametid},
  };
  for (const Form &f : former) {
    SCOPED_TRACE(f.undervisning);
    plan.UnderVisning = f.undervisning;
    const uint32_t r = Gemt(Raekke(PLAN_FAG, akti, NySkfa("Ret", 'C', "x"), anfo));
    ASSERT_TRUE(SaetRetteEksamen(&plan, kUge38, r, "1,5"));
    ASSERT_TRUE(SaetRetteEksamen(&plan, kPeriode, r, "6"));
    // Six hours over the three weeks the activity teaches; the week typed
    // by hand keeps its own.
    const float ventet[4] = {2.0f, 1.5f, 2.0f, 0.0f};
    const uint32_t status[4] = {f.flag, 4, f.flag, 0};
    for (int i = 0; i < 4; ++i) {
      EXPECT_FLOAT_EQ(T(r, kUger[i]).*f.felt, ventet[i]) << kUger[i];
      EXPECT_EQ(T(r, kUger[i]).*f.status, status[i]) << kUger[i];
    }
    EXPECT_FLOAT_EQ(R(r).PerTab[1].*f.perFelt, 6.0f);
    EXPECT_EQ(R(r).PerTab[1].PlanStatus, f.flag);
    EXPECT_EQ(UgerPaaDisk(R(r).GrundRec).size(), 3u);
    TjekSummer();
    // Clearing the period takes its spread back; the week typed by hand
    // stays, and weeks left with no status lose their records.
    const uint32_t perRec = R(r).PerTab[1].PerRec;
    ASSERT_TRUE(SletRetteEksamen(&plan, kPeriode, r, f.flag));
    EXPECT_EQ(R(r).PerTab[1].PlanStatus, 0u);
    EXPECT_FALSE(PlanRecIBrug(Rec<FfpertabRec>(tvffpertab, perRec)->Status));
    for (int i = 0; i < 4; ++i) {
      EXPECT_FLOAT_EQ(T(r, kUger[i]).*f.felt, i == 1 ? 1.5f : 0.0f) << kUger[i];
      EXPECT_EQ(T(r, kUger[i]).*f.status, i == 1 ? 4u : 0u) << kUger[i];
    }
    const auto disk = UgerPaaDisk(R(r).GrundRec);
    ASSERT_EQ(disk.size(), 1u);
    EXPECT_EQ(disk.begin()->first, 202438u);
    TjekSummer();
    // The week itself clears too, and its record goes with its last status.
    ASSERT_TRUE(SletRetteEksamen(&plan, kUge38, r, f.flag));
    EXPECT_TRUE(UgerPaaDisk(R(r).GrundRec).empty());
  }
  // Lessons on a week keep its record when the marking work goes.
  plan.UnderVisning = 1;
  ASSERT_TRUE(SaetLektioner(&plan, kUge37, fag, 2));
  ASSERT_TRUE(SaetRetteEksamen(&plan, kUge37, fag, "3"));
  ASSERT_TRUE(SletRetteEksamen(&plan, kUge37, fag, 64));
  EXPECT_EQ(UgerPaaDisk(R(fag).GrundRec).count(202437), 1u);
  // Without the marking or exam view nothing is taken.
  plan.UnderVisning = 0;
  EXPECT_FALSE(SaetRetteEksamen(&plan, kUge38, fag, "2"));
}

TEST_F(PlanIndtastRette, RettefaktorerFraFoersteGyldigeTif) {
  // The group runs from 1 August 2024 to 31 July 2025.
  auto tif = [](uint32_t fag, Dato start, Dato slut, float antal, float minutter) {
    TifRec t{};
    t.skfa_id = fag;
    t.Startdato = start;
    t.Slutdato = slut;
    t.Opgaveantal = antal;
    t.Opgaveminutter = minutter;
    t.Status = 10;
    return Ny(tdtif, tvtif, t);
  };
  tif(5, 20200801, 20240630, 9.0f, 90.0f);  // ended before the group began: passed over
  tif(5, 20240101, 0, 4.0f, 30.0f);
  tif(5, 20240901, 0, 7.0f, 70.0f);
  tif(6, 20250801, 0, 2.0f, 20.0f);         // begins after the group
  tif(7, 20240801, 20250101, 0.0f, 45.0f);  // no count: the caller's stays
  struct Tilfaelde {
    uint32_t fag;
    int resultat;
    float antal, minutter;
  };
  const Tilfaelde tabel[] = {{5, 1, 4.0f, 30.0f}, {6, 0, -1.0f, -1.0f}, {7, 1, -1.0f, 45.0f}, {8, 0, -1.0f, -1.0f}};
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.fag);
    float antal = -1.0f, minutter = -1.0f;
    EXPECT_EQ(FindRetteFaktorer(t.fag, gruppe, &antal, &minutter), t.resultat);
    EXPECT_FLOAT_EQ(antal, t.antal);
    EXPECT_FLOAT_EQ(minutter, t.minutter);
  }
}

// ---- Removal and hiding ----

class PlanIndtastFjern : public PlanIndtast {
 protected:
  // The bytes of the row, week and membership tables, to see that a refusal
  // changed nothing.
  std::vector<uint8_t> Aftryk() {
    std::vector<uint8_t> v;
    for (TabVar *tv : {&tvffgrund, &tvfftaltab, &tvffpgrel}) {
      const TabDesc &td = tv == &tvffgrund ? tdffgrund : tv == &tvfftaltab ? tdfftaltab : tdffpgrel;
      v.insert(v.end(), tv->pbTab, tv->pbTab + size_t(tv->wRecCnt) * td.RecSize);
    }
    return v;
  }
};

TEST_F(PlanIndtastFjern, AfvisningerMedDeresTekster) {
  const std::string slet = ",\nDerfor kan den ikke fjernes, du skal slette ";
  const std::string aktiTal = "Der er registreret lektioner eller timer p\xE5 aktiviteten" + slet + "informationerne f\xF8rst.";
  const std::string aktiMeda = "Der er sat medarbejder p\xE5 aktiviteten" + slet + "medarbejderen f\xF8rst.";
  struct Tilfaelde {
    const char *navn;
    std::function<void()> forbered;
    std::function<bool()> goer;
    std::string tekst;  // empty: refused without a word
  };
  uint32_t opg = 0;
  auto udenMedarbejder = [&] { R(fag).Medarbejder1 = 0; };
  auto lektioner = [&] { ASSERT_TRUE(SaetLektioner(&plan, kUge37, fag, 2)); };
  // By employee, the employee's row sums the subject row under it.
  uint32_t meda = 0;
  auto medaMedLektioner = [&] {
    plan.Visning = 'M';
    meda = Gemt(Raekke(PLAN_MEDA, 0, 0, anfo));
    lektioner();
    ASSERT_EQ(R(meda).SumLektioner, 20u);
  };
  const Tilfaelde tabel[] = {
      {"an activity with lessons", [&] { udenMedarbejder(), lektioner(); }, [&] { return FjernAktivitet(&plan, akti); },
       aktiTal},
      {"an activity with an employee on a subject row", [] {}, [&] { return FjernAktivitet(&plan, akti); }, aktiMeda},
      {"an activity with an employee on an hours row",
       [&] { udenMedarbejder(), Raekke(PLAN_OPG_TIMER, akti, 0, anfo2); }, [&] { return FjernAktivitet(&plan, akti); },
       aktiMeda},
      {"an employee with lessons, asked", medaMedLektioner,
       [&] { return FjernMedarbejder(&plan, gruppe, anfo, meda, true); },
       "Der er registreret lektioner eller timer p\xE5 medarbejderen" + slet + "informationerne f\xF8rst."},
      {"an employee with lessons, not asked", medaMedLektioner,
       [&] { return FjernMedarbejder(&plan, gruppe, anfo, meda, false); }, ""},
      {"an hours row with hours",
       [&] {
         opg = Gemt(Raekke(PLAN_OPG_TIMER, akti, 0, anfo2));
         ASSERT_TRUE(SaetTimer(&plan, kUge38, opg, "3"));
         Orden({opg});
       },
       [&] { return FjernOpgave(&plan, akti); },
       "Der er registreret timer p\xE5 aktiviteten.\nDerfor kan den ikke fjernes, du skal slette informationerne "
       "f\xF8rst."},
      {"an hours row with negative hours",
       [&] {
         opg = Gemt(Raekke(PLAN_OPG_TIMER, akti, 0, anfo2));
         ASSERT_TRUE(SaetTimer(&plan, kUge38, opg, "-2"));
         Orden({opg});
       },
       [&] { return FjernOpgave(&plan, akti); },
       "Der er registreret timer p\xE5 aktiviteten.\nDerfor kan den ikke fjernes, du skal slette informationerne "
       "f\xF8rst."},
      {"hiding a heading with lessons", lektioner, [&] { return SkjulRaekke(&plan, hoved); },
       "Der er registreret lektioner/timer p\xE5 dette objekt.\nDerfor kan objektet ikke skjules!"},
      {"hiding a row with an employee", [] {}, [&] { return SkjulRaekke(&plan, fag); },
       "Der er p\xE5sat medarbejder p\xE5 dette objekt.\nDerfor kan objektet ikke skjules!"},
  };
  bool foerste = true;
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    // Each case on a plan of its own.
    if (!foerste) TearDown(), plan = Plan{}, SetUp();
    foerste = false;
    t.forbered();
    const auto foer = Aftryk();
    const uint32_t skjult = R(hoved).Skjult + R(fag).Skjult;
    NyeBokse();
    EXPECT_FALSE(t.goer());
    const auto bokse = NyeBokse();
    if (t.tekst.empty()) {
      EXPECT_TRUE(bokse.empty());
    } else {
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].caption, "OBS!");
      EXPECT_EQ(bokse[0].text, t.tekst);
      EXPECT_EQ(bokse[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    }
    EXPECT_EQ(Aftryk(), foer);
    EXPECT_NE(plan.ObjTypeTab[hoved], 0u);
    EXPECT_NE(plan.ObjTypeTab[fag], 0u);
    EXPECT_EQ(R(hoved).Skjult + R(fag).Skjult, skjult);
  }
}

TEST_F(PlanIndtastFjern, AktivitetFjernesMedRaekkerOgMedlemskab) {
  for (bool andenGruppe : {false, true}) {
    SCOPED_TRACE(andenGruppe ? "still in another group" : "in no group any more");
    if (andenGruppe) TearDown(), plan = Plan{}, SetUp();
    R(fag).Medarbejder1 = 0;
    Gemt(fag);
    const uint32_t fag2 = Gemt(Raekke(PLAN_FAG, akti, NySkfa("Tysk", 'B', "Tysk B"), 0));
    // A week written for the subject row, and a stored row of the activity
    // in another group that the model does not hold.
    T(fag2, 202437).PlanStatus = 16;
    GemUge(&plan, UgeTilIndeks(202437), fag2, true);
    const uint32_t uge = T(fag2, 202437).TalRec;
    ASSERT_NE(uge, 0u);
    const uint32_t anden = NyGruppe("Fag 25/26", kEgen, 20250801, 20260731);
    if (andenGruppe) AddPgRel(anden, akti, 'K');
    FfgrundRec fremmed{};
    fremmed.ffpg_id = anden;
    fremmed.ObjType = PLAN_AKTI;
    fremmed.Aktivitet = akti;
    fremmed.Ejer = kEgen;
    fremmed.Status = 64;
    const uint32_t andenRec = Ny(tdffgrund, tvffgrund, fremmed);
    IPlan(akti);
    const uint32_t recs[] = {R(hoved).GrundRec, R(fag).GrundRec, R(fag2).GrundRec};

    ASSERT_TRUE(FjernAktivitet(&plan, akti));
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
    for (uint32_t r : {hoved, fag, fag2}) EXPECT_EQ(plan.ObjTypeTab[r], 0u) << r;
    // From the files as written.
    predtest::TomTabel(&tvffgrund);
    ASSERT_EQ(LoadTab(&tdffgrund, &tvffgrund), 0);
    predtest::TomTabel(&tvfftaltab);
    ASSERT_EQ(LoadTab(&tdfftaltab, &tvfftaltab), 0);
    predtest::TomTabel(&tvffpgrel);
    ASSERT_EQ(LoadTab(&tdffpgrel, &tvffpgrel), 0);
    for (uint32_t rec : recs) EXPECT_FALSE(GrundIBrug(rec)) << rec;
    EXPECT_FALSE(uge < tvfftaltab.wRecCnt && PlanRecIBrug(Rec<FftaltabRec>(tvfftaltab, uge)->Status));
    EXPECT_EQ(FindPgRel(gruppe, akti, 'K'), 0u);
    EXPECT_EQ(GrundIBrug(andenRec), andenGruppe);
    EXPECT_EQ(plan.PlanAktiTab[akti].IPlan, andenGruppe ? 1 : 0);
  }
}

TEST_F(PlanIndtastFjern, MedarbejderensRaekkerOgAakrel) {
  // The posted hours of the pair, as the postings module would answer.
  static int32_t posteret = 0;
  static std::vector<std::tuple<uint32_t, uint32_t, uint8_t>> aakrel;
  const TimoakKroge gemt = TimoakKrog;
  TimoakKrog.SumTimoak = [](uint32_t, uint32_t) { return posteret; };
  TimoakKrog.SetAakrel = [](uint32_t a, uint32_t m, uint8_t s) { aakrel.emplace_back(a, m, s); };
  struct Tilfaelde {
    int32_t posteret;
    bool nulstilles;
  };
  for (const Tilfaelde t : {Tilfaelde{0, true}, Tilfaelde{250, false}}) {
    SCOPED_TRACE(t.posteret);
    posteret = t.posteret;
    aakrel.clear();
    const uint32_t opgHoved = Gemt(Raekke(PLAN_OPG_AKTI, akti, 0, 0));
    const uint32_t opg = Gemt(Raekke(PLAN_OPG_TIMER, akti, 0, anfo2));
    const uint32_t rec = R(opg).GrundRec;
    Orden({opgHoved, opg});
    ASSERT_TRUE(FjernMedarbejder(&plan, gruppe, anfo2, opg, true));
    EXPECT_EQ(plan.ObjTypeTab[opg], 0u);
    EXPECT_FALSE(GrundIBrug(rec));
    if (t.nulstilles) {
      ASSERT_EQ(aakrel.size(), 1u);
      EXPECT_EQ(aakrel[0], std::make_tuple(akti, anfo2, uint8_t{0}));
    } else {
      EXPECT_TRUE(aakrel.empty());
    }
    // No hours row with an employee is left: the activity's task heading
    // goes the same way when it is removed.
    const uint32_t opg2 = Gemt(Raekke(PLAN_OPG_TIMER, akti, 0, anfo2));
    Orden({opgHoved, opg2});
    ASSERT_TRUE(FjernOpgave(&plan, akti));
    EXPECT_EQ(plan.ObjTypeTab[opg2], 0u);
    EXPECT_EQ(plan.ObjTypeTab[opgHoved], 0u);
  }
  TimoakKrog = gemt;
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

TEST_F(PlanIndtastFjern, MedarbejderRaekkeTagerMedlemskabetOgSidsteGruppeRecords) {
  AddPgRel(gruppe, anfo2, 'M');
  IPlan(0, anfo2);
  const uint32_t meda = Gemt(Raekke(PLAN_MEDA, 0, 0, anfo2));
  // A stored hours row of the employment in another group.
  FfgrundRec andet{};
  andet.ffpg_id = NyGruppe("Fag 25/26", kEgen, 20250801, 20260731);
  andet.ObjType = PLAN_OPG_TIMER;
  andet.Aktivitet = akti;
  andet.Medarbejder1 = anfo2;
  andet.Ejer = kEgen;
  andet.Status = 64;
  const uint32_t andetRec = Ny(tdffgrund, tvffgrund, andet);
  const uint32_t medaRec = R(meda).GrundRec;
  ASSERT_TRUE(FjernMedarbejder(&plan, gruppe, anfo2, meda, true));
  EXPECT_EQ(plan.ObjTypeTab[meda], 0u);
  EXPECT_EQ(FindPgRel(0, anfo2, 'M'), 0u);
  EXPECT_EQ(plan.PlanAnfoTab[anfo2].IPlan, 0);
  EXPECT_FALSE(GrundIBrug(medaRec));
  EXPECT_FALSE(GrundIBrug(andetRec));
  // Still on a subject row of the group: only the employee row goes.
  AddPgRel(gruppe, anfo, 'M');
  const uint32_t meda1 = Gemt(Raekke(PLAN_MEDA, 0, 0, anfo));
  ASSERT_TRUE(FjernMedarbejder(&plan, gruppe, anfo, meda1, true));
  EXPECT_EQ(plan.ObjTypeTab[meda1], 0u);
  EXPECT_EQ(plan.ObjTypeTab[fag], PLAN_FAG);
  EXPECT_TRUE(GrundIBrug(R(fag).GrundRec));
}

TEST_F(PlanIndtastFjern, AndenMedarbejderRykkerOpMedMinutnormOgTimer) {
  R(fag).Medarbejder2 = anfo2;
  R(fag).Minutnorm2 = 45.0f;
  Gemt(fag);
  FfgrundRec rec{};
  rec.ffpg_id = gruppe;
  rec.ObjType = PLAN_FAG;
  rec.Aktivitet = akti;
  rec.Skolefag = skfa;
  rec.Medarbejder1 = anfo2;
  rec.Minutnorm1 = 45.0f;
  rec.Minutnorm2 = -1.0f;
  rec.Ejer = kEgen;
  const uint32_t kopi = NyPlanRaekke(&plan, &rec, fag, false);
  ASSERT_TRUE(SaetLektioner(&plan, kUge37, fag, 2));
  // Hours of each employment as the minute norms would give them.
  TalPost &t = T(fag, 202437);
  AddPlanRaekkeTilSum(&plan, fag, -1, 3);
  t.Timer1 = 1.5f;
  t.Timer2 = 1.25f;
  AddPlanRaekkeTilSum(&plan, fag, +1, 3);
  const uint32_t u = UgeTilIndeks(202437);
  ASSERT_TRUE(FjernMedarbejderFraRaekke(&plan, anfo, fag));
  EXPECT_EQ(R(fag).Medarbejder1, anfo2);
  EXPECT_FLOAT_EQ(R(fag).Minutnorm1, 45.0f);
  EXPECT_EQ(R(fag).Medarbejder2, 0u);
  EXPECT_FLOAT_EQ(R(fag).Minutnorm2, -1.0f);
  EXPECT_FLOAT_EQ(t.Timer1, 1.25f);
  EXPECT_FLOAT_EQ(t.Timer2, 0.0f);
  // The copy showed the second employment, which is no more.
  EXPECT_EQ(plan.ObjTypeTab[kopi], 0u);
  const FfgrundRec *p = Rec<FfgrundRec>(tvffgrund, R(fag).GrundRec);
  EXPECT_EQ(p->Medarbejder1, anfo2);
  EXPECT_EQ(p->Medarbejder2, 0u);
  EXPECT_FLOAT_EQ(p->Minutnorm1, 45.0f);
  EXPECT_FLOAT_EQ(plan.PlanAnfoTab[anfo2].SumTalTab[u].Timer1, 1.25f);
  EXPECT_FLOAT_EQ(plan.PlanAnfoTab[anfo].SumTalTab[u].Timer1, 0.0f);
  TjekSummer();
  // An employment not on the row changes nothing.
  EXPECT_FALSE(FjernMedarbejderFraRaekke(&plan, anfo, fag));
}

TEST_F(PlanIndtastFjern, SkjultRaekkeVisesIgen) {
  for (uint32_t skjult : {1u, 0u}) {
    ASSERT_TRUE(SkjulRaekke(&plan, hoved));
    EXPECT_EQ(R(hoved).Skjult, skjult);
    EXPECT_EQ(Rec<FfgrundRec>(tvffgrund, R(hoved).GrundRec)->Skjult, skjult);
  }
  // A hidden row with numbers is shown without a question.
  R(fag).Skjult = 1;
  ASSERT_TRUE(SkjulRaekke(&plan, fag));
  EXPECT_EQ(R(fag).Skjult, 0u);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

// ---- One save per edit ----

class PlanIndtastGemning : public PlanIndtast {
 protected:
  // A record file's bytes; the folder keeps the case the file was made with.
  std::string Fil(const std::string &navn) {
    for (const auto &e : std::filesystem::directory_iterator(rod / "data")) {
      std::string n = e.path().filename().string();
      for (char &c : n) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
      if (n != navn) continue;
      std::ifstream f(e.path(), std::ios::binary);
      return std::string(std::istreambuf_iterator<char>(f), {});
    }
    return "";
  }
};

TEST_F(PlanIndtastGemning, EnPeriodeFordelingGemmesHelEllerSlet) {
  // The period record and its weeks' records are written together: a save
  // that fails at any file call of the data folder leaves both files as
  // they were, or (once committed) both as the edit made them.
  for (uint64_t n = 1;; ++n) {
    SCOPED_TRACE(n);
    if (n > 1) TearDown(), plan = Plan{}, SetUp();
    const std::string tal = Fil("fftaltab.dat"), per = Fil("ffpertab.dat");
    tavo::test::FileFault fejl;
    fejl.nth = n;
    fejl.error = ERROR_DISK_FULL;
    fejl.under = (rod / "data").string();
    tavo::test::SetFileFault(fejl);
    SaetLektioner(&plan, kPeriode, fag, 7);
    const bool ramt = tavo::test::LastFileFaultHit().kind != 0;
    tavo::test::ClearFileFault();
    ASSERT_TRUE(GendanAfbrudtGemning());
    const bool nyTal = Fil("fftaltab.dat") != tal, nyPer = Fil("ffpertab.dat") != per;
    EXPECT_EQ(nyTal, nyPer);
    if (!ramt) {
      EXPECT_TRUE(nyTal);
      EXPECT_EQ(UgerPaaDisk(R(fag).GrundRec).size(), 3u);
      break;
    }
    if (!nyTal) {
      const auto bokse = tavo::test::MessageBoxesShown();
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].caption, "Gem");
    }
    ASSERT_LT(n, 200u);
  }
}

}  // namespace
