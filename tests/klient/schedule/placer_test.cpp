// The placement checks on a small week: the period and busy checks as one
// table, the tile check in the three views, its messages, and the question
// before work in the locked period.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "BRIKIND.h"
#include "FINDREC.h"
#include "INDSTIL.h"
#include "PLACER.h"
#include "PROGVINDUER.h"
#include "ROLLEFORSLAG.h"
#include "SIDEFIL.h"
#include "ske_fixture.h"
#include "tavo/test_dialog.h"

namespace {

using namespace sketest;
using tavo::test::ShownDialog;

constexpr Dato kTirsdag = 20241001;  // in week 40 of 2024, the fixture's

class Placering : public SkeMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    gemtUge = SkemaPeriode.AktuelUgeIndeks;
    SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(2024 * 100 + kUge);
    // School Monday to Friday.
    kalender = Skolekalender(2024, 2, [](uint32_t, uint32_t, uint8_t d) { return d <= 5; });
    ring = Ringesystem({});
    for (uint32_t a : akti) {
      Rec<AktiRec>(tvakti, a)->skka_id = kalender;
      Rec<AktiRec>(tvakti, a)->risy_id = ring;
    }
    for (uint32_t l : loka) {
      Rec<LokaRec>(tvloka, l)->Fradato = 20240801;
      Rec<LokaRec>(tvloka, l)->Tildato = 20250731;
    }
    Tekst(Rec<AktiRec>(tvakti, akti[1])->Aktivitet, "*fri");
    Tekst(Rec<AktiRec>(tvakti, akti[2])->Type, "OVAK");
    fri = NyAkti("fri", 2000);
    reserveret = NyAkti("res", 999999995);
    optager = RolleMed('J', "U");
    ikkeOptager = RolleMed('N', "N");
    lokOptager = LokrolleMed('J');
    lokIkke = LokrolleMed('N');
    for (auto &r : RolleForslagene) r = optager;
    RolleForslagene[RF_LOKA] = RolleForslagene[RF_STJERNE_LOKA] = lokOptager;
    GlobalIndstillinger.checkelevsammenfald = 1;
    GlobalIndstillinger.sammenfaldsinterval = 0;
    GlobalIndstillinger.markerhellig = 1;
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    SkemaPeriode.AktuelUgeIndeks = gemtUge;
    for (auto &r : RolleForslagene) r = 0;
    SkeMappe::TearDown();
  }

  uint32_t NyAkti(const char *navn, uint32_t id) {
    AktiRec a = *Rec<AktiRec>(tvakti, akti[0]);
    a.id = id;
    Tekst(a.Aktivitet, navn);
    return Ny(tdakti, tvakti, a);
  }
  uint32_t RolleMed(char optag, const char *tekst) {
    const uint32_t r = Rolle({tekst});
    Rec<SkemarolRec>(tvskemarol, r)->Check_skemasammenfald = optag;
    return r;
  }
  static uint32_t LokrolleMed(char optag) {
    LokrolleRec l{};
    l.id = 800 + tvlokrolle.wRecCnt;
    l.Status = 10;
    l.Check_sammenfald = optag;
    return Ny(tdlokrolle, tvlokrolle, l);
  }
  static void Par(uint32_t a, uint32_t b, Dato fra = 20240801, Dato til = 20250731, uint8_t status = 10) {
    Elvrel2Rec p{};
    p.akti1_id = a;
    p.akti2_id = b;
    p.Startdato = fra;
    p.Slutdato = til;
    p.Status = status;
    Ny(tdelvrel2, tvelvrel2, p);
  }

  // A row of one participant on a weekday and time of the fixture's week.
  struct Raekke {
    Deltager d;
    Klokkeslaet start = 800, slut = 845;
    uint32_t status = SKE_EGEN;
    uint8_t dag = 2;
  };
  static void Skriv(const std::vector<Raekke> &raekker) {
    uint32_t id = 50;
    for (const Raekke &r : raekker) {
      Faelles f;
      f.id = ++id;
      f.status = r.status;
      f.dag = r.dag;
      f.start = r.start;
      f.slut = r.slut;
      SkrivRaekker({r.d}, f);
    }
  }

  struct Begiv {
    std::vector<uint32_t> akti;
    std::vector<std::pair<uint32_t, uint32_t>> anfo, loka;  // with role
  };
  static void Byg(AVS *a, const Begiv &b) {
    CleanupAVS(a);
    for (uint32_t x : b.akti) AddAVSEgenskab(a, 'K', x, 0, 0);
    for (auto [x, r] : b.anfo) AddAVSEgenskab(a, 'M', x, r, 45);
    for (auto [x, r] : b.loka) AddAVSEgenskab(a, 'L', x, r, 0);
  }

  UgeIndeks gemtUge = 0;
  uint32_t kalender = 0, ring = 0, fri = 0, reserveret = 0;
  uint32_t optager = 0, ikkeOptager = 0, lokOptager = 0, lokIkke = 0;
};

// ==================================================================== period and busy

TEST_F(Placering, PeriodAndBusyTable) {
  const uint32_t a0 = akti[0], stjerne = akti[1], ovak = akti[2], m0 = anfo[0], l0 = loka[0];
  // Participants whose period ends, or starts, on the fixture's Tuesday.
  const uint32_t mSlut = anfo[1], mStart = anfo[2], lSlut = loka[1], lStart = loka[2];
  Rec<AnfoRec>(tvanfo, mSlut)->Tildato = kTirsdag;
  Rec<AnfoRec>(tvanfo, mStart)->Fradato = kTirsdag;
  Rec<LokaRec>(tvloka, lSlut)->Tildato = kTirsdag;
  Rec<LokaRec>(tvloka, lStart)->Fradato = kTirsdag;
  const uint32_t aSlut = NyAkti("slut", 3000), aStart = NyAkti("start", 3001);
  Rec<AktiRec>(tvakti, aSlut)->Tildato = kTirsdag;
  Rec<AktiRec>(tvakti, aStart)->Fradato = kTirsdag;
  constexpr Dato kMandag = 20240930, kOnsdag = 20241002;
  struct Tilfaelde {
    const char *navn;
    std::vector<Raekke> raekker;
    Begiv begiv;
    Klokkeslaet start, slut;
    int optaget;  // -1: not asked
    int periode;  // -1: not asked
    Dato dato = kTirsdag;
    uint8_t gap = 0;
    bool elev = true, hellig = true, drop = false;
    std::vector<std::pair<uint32_t, uint32_t>> par = {};
    uint8_t parStatus = 10;
  };
  const Tilfaelde tab[] = {
      {"an empty week without lesson times", {}, {{a0}}, 800, 0, OPTAGET_INGEN_TIDER, 0},
      {"a conflict before the missing times", {{{.akti = a0}, 0, 0}}, {{a0}}, 0, 0, OPTAGET_AKTI, -1, kTirsdag, 5},
      {"a deleted row", {{{.akti = a0}, 800, 845, SKE_EGEN | SKE_SLETTET}}, {{a0}}, 800, 845, 0, -1},
      {"a free row", {{{.akti = a0}, 800, 845, 0}}, {{a0}}, 800, 845, 0, -1},
      {"another weekday", {{{.akti = a0}, 800, 845, SKE_EGEN, 3}}, {{a0}}, 800, 845, 0, -1},
      {"touching times, gap 0", {{{.akti = a0}, 900, 1000}}, {{a0}}, 1000, 1045, 0, -1},
      {"touching times, gap 5", {{{.akti = a0}, 900, 1000}}, {{a0}}, 1000, 1045, OPTAGET_AKTI, -1, kTirsdag, 5},
      {"the gap carries into the hour", {{{.loka = l0, .lokrolle = lokOptager}, 810, 855}},
       {{}, {}, {{l0, lokOptager}}}, 900, 945, OPTAGET_LOKA, -1, kTirsdag, 10},
      {"a * activity is busy with nobody", {{{.akti = stjerne}}}, {{stjerne}}, 800, 845, 0, -1},
      {"an absence activity is busy with nobody", {{{.akti = ovak}}}, {{ovak}}, 800, 845, 0, -1},
      {"a reserved activity is busy with nobody", {{{.akti = reserveret}}}, {{reserveret}}, 800, 845, 0, -1},
      {"a * activity gives student overlap", {{{.akti = stjerne}}}, {{a0}}, 800, 845, OPTAGET_ELEVSAMMENFALD, -1,
       kTirsdag, 0, true, true, false, {{stjerne, a0}}},
      {"an absence activity gives student overlap", {{{.akti = ovak}}}, {{a0}}, 800, 845, OPTAGET_ELEVSAMMENFALD,
       -1, kTirsdag, 0, true, true, false, {{a0, ovak}}},
      {"a pair outside its dates", {{{.akti = stjerne}}}, {{a0}}, 800, 845, 0, -1, kTirsdag, 0, true, true, false,
       {{stjerne, a0}}},
      {"a deleted pair", {{{.akti = stjerne}}}, {{a0}}, 800, 845, 0, -1, kTirsdag, 0, true, true, false,
       {{stjerne, a0}}, 0},
      {"the student check switched off", {{{.akti = stjerne}}}, {{a0}}, 800, 845, 0, -1, kTirsdag, 0, false, true,
       false, {{stjerne, a0}}},
      {"an employee busy", {{{.anfo = m0, .rol = optager}}}, {{}, {{m0, optager}}}, 800, 845, OPTAGET_ANFO, -1},
      {"the row's role does not occupy", {{{.anfo = m0, .rol = ikkeOptager}}}, {{}, {{m0, optager}}}, 800, 845, 0,
       -1},
      {"the event's role does not occupy", {{{.anfo = m0, .rol = optager}}}, {{}, {{m0, ikkeOptager}}}, 800, 845,
       0, -1},
      {"a role outside its table does not occupy", {{{.anfo = m0, .rol = 9999}}}, {{}, {{m0, optager}}}, 800, 845,
       0, -1},
      {"a room in a non-occupying room role", {{{.loka = l0, .lokrolle = lokIkke}}}, {{}, {}, {{l0, lokOptager}}},
       800, 845, 0, -1},
      {"dropBusy empties the busy parts", {{{.anfo = m0, .rol = optager}}, {{.loka = l0, .lokrolle = lokOptager}}},
       {{a0}, {{m0, optager}}, {{l0, lokOptager}}}, 800, 845, 0, -1, kTirsdag, 0, true, true, true},
      // One row holding all three: the first of activity, student overlap,
      // employee, room.
      {"one row: the activity first", {{{.akti = a0, .anfo = m0, .rol = optager, .loka = l0, .lokrolle = lokOptager}}},
       {{a0}, {{m0, optager}}, {{l0, lokOptager}}}, 800, 845, OPTAGET_AKTI, -1},
      {"one row: student overlap before the employee",
       {{{.akti = a0, .anfo = m0, .rol = optager, .loka = l0, .lokrolle = lokOptager}}},
       {{fri}, {{m0, optager}}, {{l0, lokOptager}}}, 800, 845, OPTAGET_ELEVSAMMENFALD, -1, kTirsdag, 0, true, true,
       false, {{fri, a0}}},
      {"one row: the employee before the room",
       {{{.akti = a0, .anfo = m0, .rol = optager, .loka = l0, .lokrolle = lokOptager}}},
       {{fri}, {{m0, optager}}, {{l0, lokOptager}}}, 800, 845, OPTAGET_ANFO, -1},
      {"one row: the room", {{{.akti = a0, .anfo = m0, .rol = optager, .loka = l0, .lokrolle = lokOptager}}},
       {{fri}, {}, {{l0, lokOptager}}}, 800, 845, OPTAGET_LOKA, -1},
      // The period check.
      {"inside everything", {}, {{a0}, {{m0, optager}}, {{l0, lokOptager}}}, 800, 845, -1, 0},
      {"a holiday", {}, {{a0}}, 800, 845, -1, PERIODE_HELLIGDAG, 20241225},
      {"a holiday with the marking off", {}, {{a0}}, 800, 845, -1, 0, 20241225, 0, true, false},
      {"a school-free day", {}, {{a0}}, 800, 845, -1, PERIODE_SKOLEFRI, 20241005},
      {"the activity's period before a later school-free day", {}, {{akti[0], 0}}, 800, 845, -1, PERIODE_AKTI,
       20240730},
      {"before the schedule period", {}, {}, 800, 845, -1, PERIODE_FOER, 20240729},
      {"after the schedule period", {}, {}, 800, 845, -1, PERIODE_EFTER, 20250801},
      {"outside the employment", {}, {{}, {{m0, optager}}}, 800, 845, -1, PERIODE_ANFO, 20240730},
      {"outside the room", {}, {{}, {}, {{l0, lokOptager}}}, 800, 845, -1, PERIODE_LOKA, 20240730},
      // Each period holds on its first and its last day, and not a day
      // beyond.
      {"the employment's last day", {}, {{}, {{mSlut, optager}}}, 800, 845, -1, 0},
      {"the day after the employment", {}, {{}, {{mSlut, optager}}}, 800, 845, -1, PERIODE_ANFO, kOnsdag},
      {"the employment's first day", {}, {{}, {{mStart, optager}}}, 800, 845, -1, 0},
      {"the day before the employment", {}, {{}, {{mStart, optager}}}, 800, 845, -1, PERIODE_ANFO, kMandag},
      {"the room's last day", {}, {{}, {}, {{lSlut, lokOptager}}}, 800, 845, -1, 0},
      {"the day after the room", {}, {{}, {}, {{lSlut, lokOptager}}}, 800, 845, -1, PERIODE_LOKA, kOnsdag},
      {"the room's first day", {}, {{}, {}, {{lStart, lokOptager}}}, 800, 845, -1, 0},
      {"the day before the room", {}, {{}, {}, {{lStart, lokOptager}}}, 800, 845, -1, PERIODE_LOKA, kMandag},
      {"the activity's last day", {}, {{aSlut}}, 800, 845, -1, 0},
      {"the day after the activity", {}, {{aSlut}}, 800, 845, -1, PERIODE_AKTI, kOnsdag},
      {"the activity's first day", {}, {{aStart}}, 800, 845, -1, 0},
      {"the day before the activity", {}, {{aStart}}, 800, 845, -1, PERIODE_AKTI, kMandag},
      {"the schedule period's first day", {}, {}, 800, 845, -1, 0, 20240801},
      {"the schedule period's last day", {}, {}, 800, 845, -1, 0, 20250731},
      // Back-to-back lessons, before and after, for each kind: no clash; a
      // minute more is one.
      {"back to back after, the activity", {{{.akti = a0}, 845, 930}}, {{a0}}, 800, 845, 0, -1},
      {"a minute into the next, the activity", {{{.akti = a0}, 844, 930}}, {{a0}}, 800, 845, OPTAGET_AKTI, -1},
      {"back to back before, the employee", {{{.anfo = m0, .rol = optager}, 715, 800}}, {{}, {{m0, optager}}}, 800,
       845, 0, -1},
      {"back to back after, the employee", {{{.anfo = m0, .rol = optager}, 845, 930}}, {{}, {{m0, optager}}}, 800,
       845, 0, -1},
      {"a minute over, the employee", {{{.anfo = m0, .rol = optager}, 715, 801}}, {{}, {{m0, optager}}}, 800, 845,
       OPTAGET_ANFO, -1},
      {"a minute into the next, the employee", {{{.anfo = m0, .rol = optager}, 844, 930}}, {{}, {{m0, optager}}},
       800, 845, OPTAGET_ANFO, -1},
      {"back to back before, the room", {{{.loka = l0, .lokrolle = lokOptager}, 715, 800}},
       {{}, {}, {{l0, lokOptager}}}, 800, 845, 0, -1},
      {"back to back after, the room", {{{.loka = l0, .lokrolle = lokOptager}, 845, 930}},
       {{}, {}, {{l0, lokOptager}}}, 800, 845, 0, -1},
      {"a minute into the next, the room", {{{.loka = l0, .lokrolle = lokOptager}, 844, 930}},
       {{}, {}, {{l0, lokOptager}}}, 800, 845, OPTAGET_LOKA, -1},
      {"back to back, student overlap", {{{.akti = stjerne}, 845, 930}}, {{a0}}, 800, 845, 0, -1, kTirsdag, 0, true,
       true, false, {{stjerne, a0}}},
      {"a minute over, student overlap", {{{.akti = stjerne}, 715, 801}}, {{a0}}, 800, 845, OPTAGET_ELEVSAMMENFALD,
       -1, kTirsdag, 0, true, true, false, {{stjerne, a0}}},
  };
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    predtest::TomTabel(&tvelvrel2);
    for (auto [a, b] : t.par)
      Par(a, b, std::string(t.navn).find("outside its dates") != std::string::npos ? 20250101 : 20240801,
          std::string(t.navn).find("outside its dates") != std::string::npos ? 20250201 : 20250731, t.parStatus);
    Skriv(t.raekker);
    GlobalIndstillinger.sammenfaldsinterval = t.gap;
    GlobalIndstillinger.checkelevsammenfald = t.elev;
    GlobalIndstillinger.markerhellig = t.hellig;
    Byg(&avs, t.begiv);
    if (t.periode >= 0) { EXPECT_EQ(PeriodeCheck(&avs, t.dato), t.periode); }
    if (t.optaget >= 0) {
      Uge uge = 0;
      uint8_t dag = 0;
      DatoTilUge(t.dato, &uge, &dag);
      EXPECT_EQ(OptagetCheck(&avs, dag, t.start, t.slut, t.dato, t.drop), t.optaget);
    }
    if (t.drop) {
      EXPECT_EQ(avs.anfoAntal, 0u);
      EXPECT_EQ(avs.lokaAntal, 0u);
      EXPECT_EQ(avs.aktiAntal, 1u);
    }
  }
}

// ==================================================================== the tile check

TEST_F(Placering, TileCheckInTheThreeViews) {
  // Lesson 3 of a Tuesday, 09:50-10:35.
  Byg(&avs, {{akti[0]}});
  avs.Lektion = 1;
  avs.Placering = 'L';
  avs.risy_id = 0;
  struct {
    const char *navn;
    char layout;
    bool alle;
  } tab[] = {{"all objects, layout V", 'V', true}, {"all objects, layout L", 'L', true}, {"one object", 'V', false}};
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    SkeVindue w(SKE_AKTI, 'L', t.alle);
    w->Layout = t.layout;
    if (t.alle) {
      w.Raekker({akti[1], akti[0]});
    } else {
      w.Raekker({SkemaPeriode.AktuelUgeIndeks});
      w->Ens.ObjTab = static_cast<uint32_t *>(calloc(2, sizeof(uint32_t)));
      w->Ens.ObjTab[1] = akti[0];
      w->Ens.ObjTabAntal = 1;
      w->AktuelObjRaekke = 1;
      w->AktuelUgeRaekke = 1;
    }
    const uint32_t celle = 8 + 3, objekt = t.alle ? 2 : 1;
    const uint32_t kolonne = t.layout == 'V' ? celle : objekt, raekke = t.layout == 'V' ? objekt : celle;
    AVS a{};
    KopierAVS(&avs, &a);
    EXPECT_TRUE(CheckBrik(w.get(), 0, kolonne, raekke, &a, false, true, nullptr, false));
    EXPECT_EQ(+a.Dag, 2);
    EXPECT_EQ(+a.Lektion, 3);
    EXPECT_EQ(+a.Starttid, 950u);
    EXPECT_EQ(+a.Sluttid, 1035u);
    EXPECT_EQ(+a.risy_id, ring);
    EXPECT_EQ(+a.Ejer, GlobalIndstillinger.insnr);
    CleanupAVS(&a);
  }
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

TEST_F(Placering, TileCheckAdaptsTheEventToTheCell) {
  SkeVindue w(SKE_ANFO, 'L', true);
  w.Raekker({anfo[0], anfo[1]});
  const uint32_t tirsdag3 = 8 + 3;
  Byg(&avs, {{akti[0]}, {{anfo[2], ikkeOptager}}});
  avs.Lektion = 1;
  // The target employee replaces the event's employee, with its proposal.
  uint32_t taellere[kOptagetTaellere] = {};
  AVS a{};
  KopierAVS(&avs, &a);
  EXPECT_TRUE(CheckBrik(w.get(), 0, tirsdag3, 1, &a, false, false, taellere, false));
  EXPECT_EQ(std::vector<uint32_t>(a.anfoTab, a.anfoTab + a.anfoAntal), std::vector<uint32_t>{anfo[0]});
  EXPECT_EQ(a.skemarolTab[0], RolleForslagene[RF_ANFO]);
  EXPECT_EQ(a.minutTab[0], -1.0f);

  // Check only: the event stays as it was.
  CleanupAVS(&a);
  KopierAVS(&avs, &a);
  EXPECT_TRUE(CheckBrik(w.get(), 0, tirsdag3, 1, &a, true, false, taellere, false));
  EXPECT_EQ(a.anfoTab[0], anfo[2]);
  EXPECT_EQ(+a.Dag, 0);

  // Busy: counted by code, nothing written back.
  Skriv({{{.akti = akti[0]}, 950, 1035}, {{.anfo = anfo[0], .rol = optager}, 950, 1035}});
  Byg(&avs, {{fri}, {{anfo[2], ikkeOptager}}});
  avs.Lektion = 1;
  EXPECT_FALSE(CheckBrik(w.get(), 0, tirsdag3, 1, &avs, false, false, taellere, false));
  EXPECT_EQ(avs.anfoTab[0], anfo[2]);
  Byg(&avs, {{akti[0]}, {{anfo[2], ikkeOptager}}});
  avs.Lektion = 1;
  EXPECT_FALSE(CheckBrik(w.get(), 0, tirsdag3, 1, &avs, false, false, taellere, false));
  EXPECT_EQ(taellere[OPTAGET_ANFO], 1u);
  EXPECT_EQ(taellere[OPTAGET_AKTI], 1u);
  // dropBusy: placed with the busy employee part emptied.
  Byg(&avs, {{fri}, {{anfo[2], ikkeOptager}}});
  avs.Lektion = 1;
  EXPECT_TRUE(CheckBrik(w.get(), 0, tirsdag3, 1, &avs, false, false, taellere, true));
  EXPECT_EQ(avs.anfoAntal, 0u);
  EXPECT_EQ(avs.aktiAntal, 1u);
  CleanupAVS(&a);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

TEST_F(Placering, TileCheckNeedsALiveSubjectLinkOfTheTargetActivity) {
  SkeVindue w(SKE_AKTI, 'L', true);
  w.Raekker({akti[1], akti[0]});
  SkphRec p{};
  p.akti_id = akti[0];
  p.skfa_id = skfa;
  p.Status = 10;
  const uint32_t link = Ny(tdskph, tvskph, p);
  SortTab(&tdskph, &tvskph);
  struct {
    const char *navn;
    uint8_t status;
    uint32_t raekke;  // the target activity's row
    bool ok;
  } tab[] = {
      {"a live link", 10, 2, true},
      {"a deleted link", 30, 2, false},
      {"another activity without a link", 10, 1, false},
  };
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    Rec<SkphRec>(tvskph, link)->Status = t.status;
    Byg(&avs, {{akti[2]}});
    avs.skfa_id = skfa;
    avs.Lektion = 1;
    EXPECT_EQ(CheckBrik(w.get(), 0, 8 + 3, t.raekke, &avs, false, false, nullptr, false), t.ok);
    // The target replaces the event's activity.
    if (t.ok) {
      EXPECT_EQ(std::vector<uint32_t>(avs.aktiTab, avs.aktiTab + avs.aktiAntal), std::vector<uint32_t>{akti[0]});
    }
  }
}

TEST_F(Placering, TileCheckTimesByMode) {
  struct {
    const char *navn;
    char visning;
    Klokkeslaet visStart;
    uint8_t dag;
    uint32_t slot;  // the cell's slot (time mode)
    Klokkeslaet start, slut;
    bool ok;
    Klokkeslaet nyStart, nySlut;
  } tab[] = {
      {"time mode keeps the length at the new slot", 'T', 800, 2, 121, 900, 1015, true, 1000, 1115},
      {"ending at midnight", 'T', 1400, 2, 277, 2200, 2300, true, 2300, 2400},
      {"a late placement past midnight fails", 'T', 1400, 2, 283, 900, 1000, false, 0, 0},
      {"day mode keeps the times", 'D', 800, 4, 0, 815, 1430, true, 815, 1430},
  };
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    SaetVisningstider(t.visStart, 10, 7);
    SkeVindue w(SKE_AKTI, t.visning, true);
    w.Raekker({akti[0]});
    const VisningsTilstandRec &v = w->Vis;
    const uint32_t perDag = v.SidsteSlot - v.FoersteSlot + 1;
    const uint32_t kolonne = t.visning == 'D' ? t.dag : (t.dag - 1) * perDag + (t.slot - v.FoersteSlot) + 1;
    Byg(&avs, {{akti[0]}});
    avs.Placering = t.visning;
    avs.Starttid = t.start;
    avs.Sluttid = t.slut;
    EXPECT_EQ(CheckBrik(w.get(), 0, kolonne, 1, &avs, false, true, nullptr, false), t.ok);
    if (t.ok) {
      EXPECT_EQ(+avs.Dag, t.dag);
      EXPECT_EQ(+avs.Starttid, t.nyStart);
      EXPECT_EQ(+avs.Sluttid, t.nySlut);
    } else {
      EXPECT_EQ(+avs.Starttid, t.start);  // left alone
    }
  }
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  EXPECT_EQ(SlotTid(97), 800u);
  EXPECT_EQ(SlotTid(1), 0u);
  EXPECT_EQ(SlotTid(288), 2355u);
}

// ==================================================================== messages

TEST_F(Placering, EveryMessageOfTheTileCheck) {
  struct Tilfaelde {
    const char *navn;
    char art;  // window kind
    std::function<void(AVS *)> forbered;
    uint32_t dag;
    const char *tekst, *titel;
    UINT ikon = MB_ICONEXCLAMATION;
  };
  const uint32_t a0 = akti[0];
  auto lektion = [&](AVS *a, std::vector<uint32_t> k) {
    Byg(a, {k});
    a->Lektion = 1;
  };
  const std::vector<Tilfaelde> tab = {
      {"roles missing", 'K', [&](AVS *a) { lektion(a, {a0}); RolleForslagene[RF_SYG] = 0; }, 2,
       "Alle rolleforslag skal være sat for at kunne indsætte en brik !\n\nDette gøres under System / Roller ",
       "Roller mangler"},
      {"subject not linked", 'K', [&](AVS *a) { lektion(a, {a0}); a->skfa_id = skfa; }, 2,
       "Skolefag er ikke tilknyttet aktiviteten", "Skolefags fejl"},
      {"special schedule without a role", 'M', [&](AVS *a) { lektion(a, {}); a->Art = 'P'; }, 2,
       "Der er ingen hjælpeaktivitet tilknyttet den valgte medarbejder.\nFå tilknyttet de nødvendige "
       "hjælpeaktiviteter i easy, før du kan skemalægge særlig skema.",
       "Særlig skema oplysning", MB_ICONINFORMATION},
      {"period 1", 'K', [&](AVS *a) { lektion(a, {a0}); Rec<AktiRec>(tvakti, a0)->Tildato = 20240901; }, 2,
       "Begivenheden ligger udenfor aktivitetens periode", "Indsættelse"},
      {"period 2", 'M', [&](AVS *a) { lektion(a, {}); Rec<AnfoRec>(tvanfo, anfo[0])->Tildato = 20240901; }, 2,
       "Begivenheden ligger udenfor medarbejderens periode", "Indsættelse"},
      {"period 4", 'L', [&](AVS *a) { lektion(a, {}); Rec<LokaRec>(tvloka, loka[0])->Tildato = 20240901; }, 2,
       "Begivenheden ligger udenfor lokalets periode", "Indsættelse"},
      {"period 8", 'K', [&](AVS *a) { lektion(a, {a0}); }, 6,
       "Der kan ikke placeres begivenheder på en skolefridag", "Indsættelse"},
      {"period 16", 'M',
       [&](AVS *a) {
         lektion(a, {});
         Rec<AnfoRec>(tvanfo, anfo[0])->Fradato = 20240101;
         SkemaPeriode.AktuelUgeIndeks = 1;
       },
       1, "Der kan ikke placeres begivenheder før skemaets periode starter", "Indsættelse"},
      {"period 32", 'M',
       [&](AVS *a) {
         lektion(a, {});
         Rec<AnfoRec>(tvanfo, anfo[0])->Tildato = 20251231;
         SkemaPeriode.AktuelUgeIndeks = SkemaPeriode.AntalUger;
       },
       5, "Der kan ikke placeres begivenheder efter skemaets periode slutter", "Indsættelse"},
      {"period 64", 'K',
       [&](AVS *a) {
         lektion(a, {a0});
         SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(202452);
       },
       3,
       "Hvis der skal placeres begivenheder på en helligdag skal\n 'Marker helligdage' slåes fra under "
       "menupunktet 'System/Installationsoplysninger/Diverse",
       "Indsættelse"},
      {"busy 1", 'K', [&](AVS *a) { lektion(a, {a0}); Skriv({{{.akti = a0}, 950, 1035}}); }, 2,
       "Aktiviteten er optaget", "Indsættelse"},
      {"busy 2", 'M',
       [&](AVS *a) { lektion(a, {a0}); Skriv({{{.anfo = anfo[0], .rol = optager}, 950, 1035}}); }, 2,
       "Medarbejderen er optaget", "Indsættelse"},
      {"busy 4", 'L',
       [&](AVS *a) { lektion(a, {a0}); Skriv({{{.loka = loka[0], .lokrolle = lokOptager}, 950, 1035}}); }, 2,
       "Lokalet er optaget", "Indsættelse"},
      {"busy 8", 'K',
       [&](AVS *a) {
         lektion(a, {a0});
         for (int l = 0; l < 48; ++l) Rec<RisyRec>(tvrisy, ring)->Sluttid[l] = 0;
       },
       2, "Der er ikke defineret tider i ringetidssystemet for denne lektion", "Indsættelse"},
      {"busy 16", 'K',
       [&](AVS *a) {
         lektion(a, {a0});
         Par(a0, fri);
         Skriv({{{.akti = fri}, 950, 1035}});
       },
       2,
       "Der er elevsammenfald på denne aktivitet.\nDu kan slå checket fra i under menupunktet:\n  "
       "'System/Installations oplysninger/Diverse'.\n\nDu kan se hold med risiko for elevsammenfald ved "
       "'Alt + F9'.",
       "Indsættelse"},
  };
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    TearDown();
    akti.clear();
    anfo.clear();
    loka.clear();
    SetUp();
    SkeVindue w(t.art, 'L', true);
    const uint32_t obj = t.art == 'K' ? akti[0] : t.art == 'M' ? anfo[0] : loka[0];
    w.Raekker({obj});
    t.forbered(&avs);
    const uint32_t kolonne = (t.dag - 1) * 8 + 3;
    EXPECT_FALSE(CheckBrik(w.get(), 0, kolonne, 1, &avs, false, true, nullptr, false));
    auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text, t.tekst);
    EXPECT_EQ(bokse[0].caption, t.titel);
    EXPECT_EQ(bokse[0].type & MB_ICONMASK, t.ikon);
    EXPECT_EQ(bokse[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    // Without messages nothing is shown, but the special-schedule box.
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    EXPECT_FALSE(CheckBrik(w.get(), 0, kolonne, 1, &avs, false, false, nullptr, false));
    EXPECT_EQ(tavo::test::MessageBoxesShown().size(), t.ikon == MB_ICONINFORMATION ? 1u : 0u);
  }
}

// ==================================================================== locked period

TEST_F(Placering, LockedPeriodQuestion) {
  SkeVindue w(SKE_AKTI, 'L', false);
  const UgeIndeks uge = SkemaPeriode.AktuelUgeIndeks;
  w.Raekker({uge});
  w->Vis.Ugedag = 2;  // Tuesday, 1 October
  const Dato gemt = SkemaPeriode.LaasDato;
  SkemaPeriode.LaasDato = 20241001;
  // Cancel is the default: a box answered with it refuses.
  EXPECT_EQ(LaastPeriodeSpm(w.get(), 1, false), -1);
  auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].text, "Vil du arbejde i LÅST periode?");
  EXPECT_EQ(bokse[0].caption, "Låst periode");
  EXPECT_EQ(bokse[0].type, static_cast<UINT>(MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONEXCLAMATION));
  EXPECT_EQ(bokse[0].result, IDCANCEL);
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return INT_PTR{IDOK}; });
  EXPECT_EQ(LaastPeriodeSpm(w.get(), 1, false), 0);
  EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 2u);
  EXPECT_EQ(LaastPeriodeSpm(w.get(), 1, true), -1);
  EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 2u);
  SkemaPeriode.LaasDato = 20240930;
  EXPECT_EQ(LaastPeriodeSpm(w.get(), 1, false), 0);
  EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 2u);
  SkemaPeriode.LaasDato = gemt;
}

}  // namespace
