// Saving the entry window's event over the small school of the event tests:
// the checks with their messages and steps, the new events by lesson, time
// and whole day, the edit of marked events with its conflict question, and
// the whole-day special schedule against scripted time-post answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BRIKINDVIN.h"
#include "BRIKINFO.h"
#include "GEMBEG.h"
#include "PROGVINDUER.h"
#include "SIDEFIL.h"
#include "SKEMAVIN.h"
#include "TABOPER.h"
#include "VEDLIGE.h"
#include "ske_fixture.h"
#include "tavo/test_dialog.h"

namespace {

using namespace sketest;
using predtest::Rec;

constexpr uint8_t kTirsdag = 2, kOnsdag = 3;

// One written event as its first row has it.
struct Skrevet {
  uint8_t dag, lektion;
  uint32_t start, slut;
  float timer;
  uint32_t anfo;
  uint32_t deltagere;
  bool operator==(const Skrevet &) const = default;
};
std::ostream &operator<<(std::ostream &o, const Skrevet &s) {
  return o << "{dag " << +s.dag << " lekt " << +s.lektion << " " << s.start << "-" << s.slut << " t " << s.timer
           << " anfo " << s.anfo << " rows " << s.deltagere << "}";
}

// The scripted hub: the records per (employment, date), and whether it
// answers at all.
std::map<std::pair<int, int>, std::vector<TidspostRec>> gPoster;
bool gHubSvarer = true;
int gForespoergsler = 0;
int TidspostStandIn(int meda, int fra, int, TidspostRec *poster, unsigned antal, char *status) {
  ++gForespoergsler;
  *status = 0;
  if (!gHubSvarer) return 0;
  const auto it = gPoster.find({meda, fra});
  if (it != gPoster.end())
    for (unsigned i = 0; i < it->second.size() && i < antal; ++i) poster[i] = it->second[i];
  *status = '0';
  return 0;
}
std::vector<std::string> gVisteLogs;
void VisLogStandIn(const char *titel, const char *fil) { gVisteLogs.push_back(std::string(titel) + "|" + fil); }
int32_t NormStandIn(uint32_t, Dato) { return 450; }

class GemBeg : public SkeMappe {
 public:  // the cases of the check table set the event up through it
  void SetUp() override {
    SkeMappe::SetUp();
    gemtPeriode_ = SkemaPeriode;
    SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(202400 + kUge);
    ring = Ringesystem({});
    // School on weekdays.
    const uint32_t kalender = Skolekalender(2024, 2, [](uint32_t, uint32_t, uint8_t d) { return d <= 5; });
    for (uint32_t n : akti) Rec<AktiRec>(tvakti, n)->risy_id = ring, Rec<AktiRec>(tvakti, n)->skka_id = kalender;
    tavo::test::StartDialogScript();
    b.BlokUger = SkemaPeriode.AntalUger + 1;
    blok_.assign(static_cast<size_t>(b.BlokUger) * kBlokUgeBytes, 0);
    b.BlokTab = blok_.data();
    b.Mode = 'B';
    b.GitterTrin = TRIN_LEKTIONER;
    b.Dele = dele_;
    CleanupAVS(&AktuelAVS);
    CleanupAVS(&GammelAVS);
    AktuelAVS.Placering = 'L';
    AktuelAVS.Art = 'S';
    AktuelAVS.risy_id = ring;
    GlobalIndstillinger.checkminutnorm = 'j';
    gPoster.clear();
    gHubSvarer = true;
    gForespoergsler = 0;
    gVisteLogs.clear();
    AktiChkKrog.TidspostCheck = TidspostStandIn;
    GemBegKrog.DagsNorm = NormStandIn;
    GemBegKrog.VisLog = VisLogStandIn;
  }
  void TearDown() override {
    AktiChkKrog.TidspostCheck = nullptr;
    GemBegKrog = {};
    tavo::test::StopDialogScript();
    CleanupAVS(&BrikIndGemtAVS);
    for (HWND h : vinduer_)
      if (IsWindow(h)) DestroyWindow(h);
    SkemaPeriode = gemtPeriode_;
    SkeMappe::TearDown();
  }

  uint8_t &Celle(uint8_t dag, uint32_t slot, uint32_t uge = kUge) {
    return *BlokCelle(b.BlokTab, b.BlokUger, UgeTilIndeks(202400 + uge), dag, slot);
  }
  static void Svar(int svar) {
    tavo::test::AnswerNextDialog([svar](const tavo::test::ShownDialog &) { return svar; });
  }
  static std::vector<std::string> Bokse() {
    std::vector<std::string> ud;
    for (const auto &m : tavo::test::MessageBoxesShown()) ud.push_back(m.caption + "|" + m.text);
    return ud;
  }
  // The live events of the fixture's week whose first row is at or after
  // fra, in row order.
  static std::vector<Skrevet> Skrevne(uint32_t fra = 1) {
    std::vector<Skrevet> ud;
    const TabVar *bucket = BegBucket(kAar, kUge);
    for (uint32_t r = fra; bucket && r < bucket->wRecCnt; ++r) {
      const SkeRec *s = BegFoersteRaekke(kAar, kUge, r);
      if (!s || !SkeRaekkeLever(s->Status)) continue;
      uint32_t n = 0;
      for (uint32_t k = r; k < bucket->wRecCnt && Raekke(k)->Forste == r; ++k) ++n;
      ud.push_back({s->Dag, s->Lektion, s->Starttid, s->Sluttid, s->Antal_std_lektioner, s->anfo_id, n});
    }
    return ud;
  }
  static uint32_t Raekker() { return BegBucket(kAar, kUge)->wRecCnt; }

  uint32_t Fag() const { return skfa; }
  void Aktivitet(uint32_t n = 0) { AddAVSEgenskab(&AktuelAVS, 'K', akti[n], 0, -1.0f); }
  void Medarbejder(uint32_t n, float minutter = -1.0f) {
    AddAVSEgenskab(&AktuelAVS, 'M', anfo[n], laerer, minutter);
  }
  // The activity's minute norms through its udgr record.
  void MinutNorm(uint32_t min, uint32_t max) {
    UdgrRec u{};
    u.id = 900;
    u.Status = 10;
    u.Minimum_minutnorm = min;
    u.Maximum_minutnorm = max;
    Rec<AktiRec>(tvakti, akti[0])->udgr_id = Ny(tdudgr, tvudgr, u);
  }

  uint32_t ring = 0;
  BrikIndStruct b{};
  char dele_[8] = "";
  std::vector<uint8_t> blok_;
  std::vector<HWND> vinduer_;
  SkemaPeriodeData gemtPeriode_;
};

// ==================================================================== checks

TEST_F(GemBeg, TheChecksInTheirOrderWithMessageStepAndResult) {
  struct Sag {
    const char *navn;
    std::function<void(GemBeg &)> opsaet;
    const char *besked;  // null: saved without a word
    uint8_t ud, resultat;
  };
  constexpr const char *kIngenRing = "Der skal tilknyttes en ringetid til en begivenhed";
  constexpr const char *kUgyldigMinut = "Der er indtastet et minuttal på en medarbejder, som ikke er gyldigt.";
  constexpr const char *kMinutUdenAkti = "Der er sat minutter på en medarbejder og ikke valgt nogen aktivitet.";
  const Sag sager[] = {
      {"lesson placement without a ring system",
       [](GemBeg &t) {
         t.Aktivitet();
         AktuelAVS.risy_id = 0;
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       kIngenRing, TRIN_RISY, 0},
      {"'T' among the parts needs no ring system",
       [](GemBeg &t) {
         t.Aktivitet();
         AktuelAVS.risy_id = 0;
         std::strcpy(t.dele_, "T");
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       nullptr, 0, 0},
      {"minutes inside the activity's norms",
       [](GemBeg &t) {
         t.MinutNorm(30, 50);
         t.Aktivitet();
         t.Medarbejder(0, 45);
         t.Medarbejder(1, 30);
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       nullptr, 0, 0},
      {"minutes above the upper norm",
       [](GemBeg &t) {
         t.MinutNorm(30, 50);
         t.Aktivitet();
         t.Medarbejder(0, 55);
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       kUgyldigMinut, TRIN_ANFO, 1},
      {"minutes below the lower norm",
       [](GemBeg &t) {
         t.MinutNorm(30, 50);
         t.Aktivitet();
         t.Medarbejder(0, 20);
         t.Medarbejder(1, 45);
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       kUgyldigMinut, TRIN_ANFO, 1},
      {"60 minutes are never judged",
       [](GemBeg &t) {
         t.MinutNorm(30, 50);
         t.Aktivitet();
         t.Medarbejder(0, 60);
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       nullptr, 0, 0},
      {"the minute check off",
       [](GemBeg &t) {
         GlobalIndstillinger.checkminutnorm = 'n';
         t.MinutNorm(30, 50);
         t.Aktivitet();
         t.Medarbejder(0, 55);
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       nullptr, 0, 0},
      {"minutes without an activity while the check is on",
       [](GemBeg &t) {
         t.Medarbejder(0, 45);
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       kUgyldigMinut, TRIN_ANFO, 1},
      {"minutes without an activity while the check is off",
       [](GemBeg &t) {
         GlobalIndstillinger.checkminutnorm = 'n';
         t.Medarbejder(0, 0);
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       kMinutUdenAkti, TRIN_AKTI, 1},
      {"an employee without minutes and without an activity",
       [](GemBeg &t) {
         t.Medarbejder(0);
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       nullptr, 0, 0},
      {"nobody and nothing",
       [](GemBeg &t) { t.Celle(kTirsdag, 2) = BLOK_VALGT; },
       "Der skal tilknyttes aktivitet, lærer eller lokale til en begivenhed", TRIN_AKTI, 1},
      {"a subject without an activity",
       [](GemBeg &t) {
         t.Medarbejder(0);
         AktuelAVS.skfa_id = t.Fag();
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
       },
       "Der kan ikke tilknyttes et fag uden at tilknytte en aktivitet", TRIN_AKTI, 1},
      {"nothing marked", [](GemBeg &t) { t.Aktivitet(); },
       "Der skal opmærkes en blok før, der kan oprettes nye begivenheder", TRIN_LEKTIONER, 1},
      {"a lesson the ring system has no times for",
       [](GemBeg &t) {
         t.Aktivitet();
         t.Celle(kTirsdag, 2) = BLOK_VALGT;
         t.Celle(kTirsdag, 10) = BLOK_VALGT;
       },
       "Der mangler tider for lektion 10 i ringetidssystemet", TRIN_LEKTIONER, 1},
  };
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.navn);
    // Each case on an empty week: an event saved by the one before would
    // make the same lesson busy.
    TomSkemabeg();
    CleanupAVS(&AktuelAVS);
    AktuelAVS.Placering = 'L';
    AktuelAVS.Art = 'S';
    AktuelAVS.risy_id = ring;
    GlobalIndstillinger.checkminutnorm = 'j';
    std::fill(blok_.begin(), blok_.end(), 0);
    dele_[0] = '\0';
    Rec<AktiRec>(tvakti, akti[0])->udgr_id = 0;
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    if (s.besked) Svar(IDOK);
    s.opsaet(*this);
    const uint32_t foer = Raekker();
    uint8_t ud = 99;
    EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), s.resultat);
    if (s.besked) {
      EXPECT_EQ(Bokse(), std::vector<std::string>{std::string(kBegIkkeOK) + "|" + s.besked});
      EXPECT_EQ(+ud, +s.ud);
      EXPECT_EQ(Raekker(), foer) << "a refused save writes nothing";
    } else {
      EXPECT_EQ(Bokse(), std::vector<std::string>{});
    }
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
  }
}

TEST_F(GemBeg, AnEditThatChangesNothingIsRefusedAndClearsTheMarks) {
  Faelles f;
  f.risy = ring;
  f.lektion = 1;
  f.dag = kTirsdag;
  const uint32_t forste = SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer, .minut = 45}}, f);
  HentAVS(kAar, kUge, forste, &GammelAVS, true);
  HentAVS(kAar, kUge, forste, &AktuelAVS, true);
  b.Mode = 'R';
  Celle(kTirsdag, 1) = BLOK_VALGT;
  Svar(IDOK);
  uint8_t ud = 99;
  EXPECT_EQ(GemBegivenhed(&b, KNAP_OK, &ud), 0);
  EXPECT_EQ(Bokse(), std::vector<std::string>{std::string(kBegIkkeOK) + "|Der er ikke rettet noget i begivenheden"});
  EXPECT_EQ(Celle(kTirsdag, 1), 0);
  EXPECT_EQ(+ud, +FoersteFokus(&b));
  // A changed minute value is a change.
  AktuelAVS.minutTab[0] = 30;
  GammelAVS.minutTab[0] = 45;
  Celle(kTirsdag, 1) = BLOK_VALGT;
  tavo::test::StopDialogScript();
  tavo::test::StartDialogScript();
  EXPECT_EQ(KontrolRettelse(&b, &ud), 0);
  EXPECT_EQ(Bokse(), std::vector<std::string>{});
}

TEST_F(GemBeg, AnEditOfAnyOnePartAloneIsAChange) {
  Faelles f;
  f.risy = ring;
  f.lektion = 1;
  f.dag = kTirsdag;
  const uint32_t forste = SkrivRaekker(
      {{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer, .minut = 45}, {.loka = loka[0], .lokrolle = 0}}, f);
  const uint32_t andenRolle = Rolle({"V"});
  b.Mode = 'R';
  const struct {
    const char *navn;
    std::function<void(AVS &)> ret;
    bool aendret;
  } sager[] = {
      {"nothing", [](AVS &) {}, false},
      {"the end time alone", [](AVS &a) { a.Sluttid += 5; }, true},
      {"the start time alone", [](AVS &a) { a.Starttid -= 5; }, true},
      {"the standard lessons alone", [](AVS &a) { a.Antal_std_lektioner += 1; }, true},
      {"the employee's role alone", [&](AVS &a) { a.skemarolTab[0] = andenRolle; }, true},
      {"the employee's minutes alone", [](AVS &a) { a.minutTab[0] = 44; }, true},
      {"the subject alone", [&](AVS &a) { a.skfa_id = skfa; }, true},
      {"the room alone", [&](AVS &a) { a.lokaTab[0] = loka[1]; }, true},
  };
  for (const auto &c : sager) {
    SCOPED_TRACE(c.navn);
    HentAVS(kAar, kUge, forste, &GammelAVS, true);
    HentAVS(kAar, kUge, forste, &AktuelAVS, true);
    ASSERT_EQ(AktuelAVS.anfoAntal, 1u);
    ASSERT_EQ(AktuelAVS.lokaAntal, 1u);
    c.ret(AktuelAVS);
    Celle(kTirsdag, 1) = BLOK_VALGT;
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Svar(IDOK);
    uint8_t ud = 99;
    const uint8_t svar = KontrolRettelse(&b, &ud);
    if (c.aendret) {
      EXPECT_EQ(svar, 0);
      EXPECT_EQ(Bokse(), std::vector<std::string>{});
    } else {
      EXPECT_EQ(Bokse(),
                std::vector<std::string>{std::string(kBegIkkeOK) + "|Der er ikke rettet noget i begivenheden"});
    }
  }
}

// ==================================================================== new events

TEST_F(GemBeg, NewEventsFromTheMarkedCells) {
  struct Sag {
    const char *navn;
    char placering, art;
    std::vector<std::pair<uint8_t, uint32_t>> celler;  // day, cell
    uint32_t medarbejdere;
    bool tidAendret;
    std::vector<Skrevet> ventet;
  };
  const Sag sager[] = {
      {"each lesson one event with the ring system's times",
       'L', 'S', {{kTirsdag, 2}, {kTirsdag, 3}, {kOnsdag, 1}}, 1, false,
       {{kTirsdag, 2, 855, 940, 1.0f, 0, 1}, {kTirsdag, 3, 950, 1035, 1.0f, 0, 1}, {kOnsdag, 1, 800, 845, 1.0f, 0, 1}}},
      {"a run of time slots one event, two runs two",
       'T', 'S', {{kTirsdag, 97}, {kTirsdag, 98}, {kTirsdag, 99}, {kTirsdag, 100}, {kTirsdag, 101}, {kTirsdag, 102},
                  {kTirsdag, 109}, {kTirsdag, 110}}, 1, false,
       {{kTirsdag, 0, 800, 830, 0.5f, 0, 1}, {kTirsdag, 0, 900, 910, 10.0f / 60.0f, 0, 1}}},
      {"a run of time slots with the typed times",
       'T', 'S', {{kTirsdag, 97}, {kTirsdag, 98}}, 1, true, {{kTirsdag, 0, 1000, 1130, 1.5f, 0, 1}}},
      {"whole days with the workspace's times",
       'D', 'S', {{kTirsdag, 1}, {kOnsdag, 1}}, 1, false,
       {{kTirsdag, 0, 1000, 1130, 1.5f, 0, 1}, {kOnsdag, 0, 1000, 1130, 1.5f, 0, 1}}},
      {"a special schedule with two employees, one event each",
       'D', 'P', {{kTirsdag, 1}}, 2, false,
       {{kTirsdag, 0, 1000, 1130, 1.5f, 0, 1}, {kTirsdag, 0, 1000, 1130, 1.5f, 0, 1}}},
  };
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.navn);
    CleanupAVS(&AktuelAVS);
    AktuelAVS.Placering = s.placering;
    AktuelAVS.Art = s.art;
    AktuelAVS.risy_id = s.placering == 'L' ? ring : 0;
    Aktivitet();
    for (uint32_t m = 0; m < s.medarbejdere; ++m) Medarbejder(m);
    std::fill(blok_.begin(), blok_.end(), 0);
    for (const auto &[dag, celle] : s.celler) Celle(dag, celle) = BLOK_VALGT;
    b.Starttid = 1000;
    b.Sluttid = 1130;
    b.StdLektioner = 1.5f;
    b.TidAendret = s.tidAendret;
    const uint32_t foer = Raekker();
    uint8_t ud = 99;
    EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), 0);
    std::vector<Skrevet> skrevne = Skrevne(foer);
    std::vector<Skrevet> ventet = s.ventet;
    for (size_t i = 0; i < skrevne.size() && i < ventet.size(); ++i) {
      // The employee: the only one, or each in turn for the special schedule.
      ventet[i].anfo = 0;
      EXPECT_EQ(skrevne[i].anfo, s.art == 'P' ? anfo[i] : anfo[0]);
      skrevne[i].anfo = 0;
    }
    EXPECT_EQ(skrevne, ventet);
    // The last saved event is remembered for the rest of the program.
    ASSERT_FALSE(skrevne.empty());
    const uint8_t gemtDag = BrikIndGemtAVS.Dag;
    const uint32_t gemtStart = BrikIndGemtAVS.Starttid;
    EXPECT_EQ(gemtDag, skrevne.back().dag);
    EXPECT_EQ(gemtStart, skrevne.back().start);
    const SkeRec *husket = BegFoersteRaekke(b.HuskAarIdx, b.HuskUge, b.HuskForste);
    ASSERT_TRUE(husket);
    const uint32_t husketStart = husket->Starttid, husketId = husket->id;
    EXPECT_EQ(husketStart, skrevne.back().start);
    EXPECT_EQ(husketId, b.HuskId);
    // Closing the window afterwards leaves the saved times as they are.
    GendanBrikIndTider(&b);
    const Skrevet efter = Skrevne(foer).back();
    EXPECT_EQ(efter.start, skrevne.back().start);
    EXPECT_EQ(efter.slut, skrevne.back().slut);
    EXPECT_EQ(efter.timer, skrevne.back().timer);
  }
}

TEST_F(GemBeg, StudentOverlapCellsAndClosedDaysGetNoEvent) {
  // The activity's calendar closes Wednesdays.
  Rec<AktiRec>(tvakti, akti[0])->skka_id = Skolekalender(2024, 2, [](uint32_t, uint32_t, uint8_t d) {
    return d != kOnsdag;
  });
  Aktivitet();
  Celle(kTirsdag, 1) = BLOK_VALGT;
  Celle(kOnsdag, 1) = BLOK_VALGT;
  uint8_t ud = 0;
  const uint32_t foer = Raekker();
  EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), 0);
  const std::vector<Skrevet> skrevne = Skrevne(foer);
  ASSERT_EQ(skrevne.size(), 1u);
  EXPECT_EQ(skrevne[0].dag, kTirsdag);
}

TEST_F(GemBeg, ANewEventOnABusyTeacherAsksAsAnEditDoes) {
  // The teacher has lesson 2 of Tuesday with another activity, in a role
  // that makes him busy.
  Rec<SkemarolRec>(tvskemarol, laerer)->Check_skemasammenfald = 'J';
  Faelles f;
  f.risy = ring;
  f.lektion = 2;
  f.start = 855;
  f.slut = 940;
  SkrivRaekker({{.akti = akti[0], .anfo = anfo[0], .rol = laerer}}, f);
  const struct {
    int svar;
    uint8_t resultat, ud;
    size_t nye;
  } sager[] = {{IDYES, 1, TRIN_LEKTIONER, 0}, {IDNO, 0, 0, 1}};
  for (const auto &s : sager) {
    SCOPED_TRACE(s.svar == IDYES ? "yes: given up" : "no: written");
    CleanupAVS(&AktuelAVS);
    AktuelAVS.Placering = 'L';
    AktuelAVS.Art = 'S';
    AktuelAVS.risy_id = ring;
    Aktivitet(1);
    Medarbejder(0);
    std::fill(blok_.begin(), blok_.end(), 0);
    Celle(kTirsdag, 2) = BLOK_VALGT;
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Svar(s.svar);
    const uint32_t foer = Raekker();
    uint8_t ud = 99;
    EXPECT_EQ(GemBegivenhed(&b, KNAP_OK, &ud), s.resultat);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, kBegIkkeOK);
    EXPECT_EQ(bokse[0].text,
              "Den/de ændrede begivenhed'er skaber konflikt med nogle andre skemabrikker!\nVil du afbryde "
              "rettelsen?");
    EXPECT_EQ(bokse[0].type & (MB_TYPEMASK | MB_DEFMASK), UINT{MB_YESNO | MB_DEFBUTTON2});
    if (s.resultat) {
      EXPECT_EQ(+ud, +s.ud);
    }
    EXPECT_EQ(Skrevne(foer).size(), s.nye);
  }
}

// ==================================================================== the edit

class GemRet : public GemBeg {
 protected:
  void SetUp() override {
    GemBeg::SetUp();
    RegistrerSkemaKlasse(0);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "GemBegHoved";
    RegisterClassA(&wc);
    HWND hoved = CreateWindowExA(0, "GemBegHoved", "Tavo", WS_POPUP, 0, 0, 1200, 900, 0, 0, 0, nullptr);
    ASSERT_TRUE(hoved);
    vinduer_.push_back(hoved);
    gitter_ = CreateSkemaWnd(0, hoved, hoved, SKE_AKTI, 0, 0, 800, 600, 0, nullptr, 'L', 'L', 'N', 'S', 'V', 0, 1, 0, 40001);
    ASSERT_TRUE(gitter_);
    vinduer_.push_back(gitter_);
    b.hwndGitter = gitter_;
    b.Mode = 'R';
  }
  // The event of one activity with a room at a lesson of Tuesday.
  uint32_t Begivenhed(uint32_t aktiN, uint8_t lektion, uint32_t lokaN) {
    Faelles f;
    f.id = 50 + lektion;
    f.risy = ring;
    f.lektion = lektion;
    f.dag = kTirsdag;
    const Klokkeslaet start = Rec<RisyRec>(tvrisy, ring)->Starttid[lektion - 1];
    f.start = start;
    f.slut = Rec<RisyRec>(tvrisy, ring)->Sluttid[lektion - 1];
    return SkrivRaekker({{.akti = akti[aktiN], .loka = loka[lokaN]}}, f);
  }
  // Rebuilds the grid's events and marks those of the given first rows.
  void Marker(const std::vector<uint32_t> &forste) {
    SendMessageA(gitter_, DATA_AENDRET, 0, 0);
    SkeStruct *g = SkemaVinduesSke(gitter_);
    ASSERT_TRUE(g && g->lpSkeVisListe);
    for (uint32_t f : forste) {
      bool fundet = false;
      for (uint32_t i = 1; i <= g->SkeVisAntal; ++i)
        if (g->lpSkeVisListe[i].Forste == f) g->lpSkeVisListe[i].FarveKode = 3, fundet = true;
      EXPECT_TRUE(fundet) << f;
    }
    Celle(kTirsdag, 1) = BLOK_VALGT;
  }
  // A change of the event at forste, marked: its participant fra of kind
  // del ('K' activity, 'L' room) becomes til, and del is the part changed.
  void Skift(uint32_t forste, char del, uint32_t fra, uint32_t til) {
    HentAVS(kAar, kUge, forste, &GammelAVS, true);
    HentAVS(kAar, kUge, forste, &AktuelAVS, true);
    FjernAVSEgenskab(&AktuelAVS, del, fra);
    AddAVSEgenskab(&AktuelAVS, del, til, 0, 0);
    dele_[0] = del;
    dele_[1] = '\0';
    Marker({forste});
  }
  // Every live event of the week with its activity and room.
  static std::vector<std::pair<uint32_t, uint32_t>> Levende() {
    std::vector<std::pair<uint32_t, uint32_t>> ud;
    const TabVar *bucket = BegBucket(kAar, kUge);
    for (uint32_t r = 1; r < bucket->wRecCnt; ++r) {
      const SkeRec *s = BegFoersteRaekke(kAar, kUge, r);
      if (s && SkeRaekkeLever(s->Status)) ud.push_back({uint32_t{s->akti_id}, uint32_t{s->loka_id}});
    }
    std::sort(ud.begin(), ud.end());
    return ud;
  }
  HWND gitter_ = 0;
};

TEST_F(GemRet, BothMarkedEventsTakeTheChangedPart) {
  const uint32_t a = Begivenhed(0, 1, 0), c = Begivenhed(1, 2, 0);
  HentAVS(kAar, kUge, a, &GammelAVS, true);
  HentAVS(kAar, kUge, a, &AktuelAVS, true);
  FjernAVSEgenskab(&AktuelAVS, 'L', loka[0]);
  AddAVSEgenskab(&AktuelAVS, 'L', loka[2], 0, 0);
  std::strcpy(dele_, "L");
  Marker({a, c});
  uint8_t ud = 99;
  EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), 0);
  EXPECT_EQ(Bokse(), std::vector<std::string>{});
  using P = std::pair<uint32_t, uint32_t>;
  EXPECT_EQ(Levende(), (std::vector<P>{{akti[0], loka[2]}, {akti[1], loka[2]}}));
}

TEST_F(GemRet, ACollisionAsksAndYesWritesNothingWhileNoWrites) {
  const uint32_t a = Begivenhed(0, 1, 0);
  Begivenhed(1, 1, 1);  // the other tile already has activity 1 in lesson 1
  using P = std::pair<uint32_t, uint32_t>;
  const std::vector<P> foer = Levende();
  for (const int svar : {IDYES, IDNO}) {
    SCOPED_TRACE(svar == IDYES ? "yes" : "no");
    Skift(a, 'K', akti[0], akti[1]);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Svar(svar);
    uint8_t ud = 99;
    EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), 0);
    ASSERT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
    EXPECT_EQ(tavo::test::MessageBoxesShown()[0].text,
              "Den/de ændrede begivenhed'er skaber konflikt med nogle andre skemabrikker!\nVil du afbryde "
              "rettelsen?");
    EXPECT_TRUE(tavo::test::MessageBoxesShown()[0].type & MB_DEFBUTTON2);
    if (svar == IDYES) {
      EXPECT_EQ(Levende(), foer);
    } else {
      EXPECT_EQ(Levende(), (std::vector<P>{{akti[1], loka[0]}, {akti[1], loka[1]}}));
    }
  }
}

TEST_F(GemRet, AnEventWithAPendingChangeExistsOnceAfterTheEdit) {
  const uint32_t a = Begivenhed(0, 1, 0);
  Raekke(a)->Status |= SKE_AENDRING;
  Raekke(a)->Fejl = '=';
  Skift(a, 'L', loka[0], loka[2]);
  uint8_t ud = 99;
  EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), 0);
  using P = std::pair<uint32_t, uint32_t>;
  EXPECT_EQ(Levende(), (std::vector<P>{{akti[0], loka[2]}}));
}

TEST_F(GemRet, ASaveThatCannotWriteSaysSoAndLeavesTheWeekAsItWas) {
  const struct {
    const char *navn;
    char mode;
    const char *besked;
  } sager[] = {
      {"an edit", 'R', "Begivenheden den 01-10-2024 kl. 08:00-08:45 kunne ikke gemmes.\nDen er som før rettelsen."},
      {"a new event", 'B', "Begivenheden den 01-10-2024 kl. 09:50-10:35 kunne ikke gemmes.\nDen er ikke oprettet."},
  };
  for (const auto &s : sager) {
    SCOPED_TRACE(s.navn);
    TomSkemabeg();
    const uint32_t a = Begivenhed(0, 1, 0);
    b.Mode = s.mode;
    if (s.mode == 'R') {
      Skift(a, 'L', loka[0], loka[2]);
    } else {
      CleanupAVS(&AktuelAVS);
      AktuelAVS.Placering = 'L';
      AktuelAVS.Art = 'S';
      AktuelAVS.risy_id = ring;
      Aktivitet(1);
      std::fill(blok_.begin(), blok_.end(), 0);
      Celle(kTirsdag, 3) = BLOK_VALGT;
    }
    // The week's table is full and cannot grow.
    TabVar *bucket = BegBucket(kAar, kUge);
    bucket->wRecCnt = bucket->AllocAntal;
    const std::vector<uint8_t> raekker(bucket->pbTab, bucket->pbTab + size_t{bucket->wRecCnt} * sizeof(SkeRec));
    uint32_t taellere[std::size(AendringsTaellere)];
    std::copy(std::begin(AendringsTaellere), std::end(AendringsTaellere), taellere);
    const TabAllokatorer gamle = TabAlloc;
    TabAlloc.Calloc = [](size_t, size_t) -> void * { return nullptr; };
    TabAlloc.Realloc = [](void *, size_t) -> void * { return nullptr; };
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    uint8_t ud = 99;
    const uint8_t svar = GemBegivenhed(&b, KNAP_OK, &ud);
    TabAlloc = gamle;
    // The window stays on its grid with the change it holds.
    EXPECT_EQ(svar, 1);
    EXPECT_EQ(+ud, +TRIN_LEKTIONER);
    EXPECT_EQ(Bokse(), std::vector<std::string>{std::string("Fejl|") + s.besked});
    EXPECT_EQ(bucket->wRecCnt, bucket->AllocAntal);
    EXPECT_TRUE(std::equal(raekker.begin(), raekker.end(), bucket->pbTab)) << "the rows are as they were";
    EXPECT_TRUE(std::equal(std::begin(taellere), std::end(taellere), std::begin(AendringsTaellere)));
    const std::vector<std::string> fejl = FejlLinjer();
    EXPECT_TRUE(std::any_of(fejl.begin(), fejl.end(), [](const std::string &l) {
      return l.find("GemBegivenhed(): begivenheden den 01-10-2024") != std::string::npos;
    }));
  }
}

// ==================================================================== special schedule

class GemSaerlig : public GemBeg {
 protected:
  void SetUp() override {
    GemBeg::SetUp();
    GlobalIndstillinger.normsystem = 1;
    AktuelAVS.Placering = 'D';
    AktuelAVS.Art = 'P';
    AktuelAVS.risy_id = 0;
    Aktivitet();
    Medarbejder(0);
    Medarbejder(1);
    b.GitterTrin = TRIN_DAGE;
    b.Starttid = 800;
    b.Sluttid = 1530;
    Celle(kTirsdag, 1) = BLOK_VALGT;
    Celle(kOnsdag, 1) = BLOK_VALGT;
  }
  int Meda(uint32_t n) const { return static_cast<int>(Rec<MedaRec>(tvmeda, Rec<AnfoRec>(tvanfo, anfo[n])->meda_id)->id); }
  static int Dag(uint8_t d) { return static_cast<int>(UgeDagTilDato(202400 + kUge, d)); }
  std::string Log() const {
    std::ifstream i(rod / "log" / kSaerligLogNavn, std::ios::binary);
    std::stringstream s;
    s << i.rdbuf();
    return s.str();
  }
  static TidspostRec Lukket(uint32_t start, uint32_t slut, uint32_t minutter) { return {'+', slut, minutter, start}; }
  static TidspostRec Aaben(uint32_t start) { return {'-', 0, 0, start}; }
};

TEST_F(GemSaerlig, TheHubsAnswersMapToTheReasons) {
  const TidspostRec ingen[1] = {};
  const TidspostRec aaben[2] = {Lukket(700, 800, 60), Aaben(900)};
  const TidspostRec fuld[2] = {Lukket(700, 1100, 240), Lukket(1130, 1500, 210)};
  const TidspostRec delvis[1] = {Lukket(800, 1000, 120)};
  struct Sag {
    const TidspostRec *poster;
    unsigned antal;
    uint32_t skemaSlut;
    uint8_t grund;
  };
  const Sag sager[] = {
      {ingen, 1, 0, SAERLIG_PLACERES},    {ingen, 1, 1200, SAERLIG_KONFLIKT}, {aaben, 2, 0, SAERLIG_AABEN},
      {fuld, 2, 0, SAERLIG_NORM},         {delvis, 1, 0, SAERLIG_PLACERES},  {delvis, 1, 1200, SAERLIG_SKEMA_EFTER},
      {delvis, 1, 900, SAERLIG_SKEMA},
  };
  for (const Sag &s : sager) EXPECT_EQ(+SaerligDagGrund(s.poster, s.antal, 450, s.skemaSlut), +s.grund);
}

TEST_F(GemSaerlig, PlacesWhatItCanAndLogsTheDaysLeftOut) {
  Rec<MedaRec>(tvmeda, Rec<AnfoRec>(tvanfo, anfo[0])->meda_id)->Navn[0] = 'A';
  std::strcpy(Rec<MedaRec>(tvmeda, Rec<AnfoRec>(tvanfo, anfo[1])->meda_id)->Navn, "Bent Hansen");
  gPoster[{Meda(1), Dag(kTirsdag)}] = {Lukket(700, 800, 60), Aaben(900)};
  gPoster[{Meda(0), Dag(kOnsdag)}] = {Lukket(700, 1000, 180)};  // part of the day
  Svar(IDYES);  // part-day where there are registrations
  Svar(IDOK);   // the summary box
  const uint32_t foer = Raekker();
  uint8_t ud = 0;
  EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), 1);
  EXPECT_EQ(+ud, TRIN_DAGE);
  EXPECT_EQ(gForespoergsler, 4);
  const std::vector<std::string> bokse = Bokse();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[0].substr(0, 12), "Information|");
  EXPECT_EQ(bokse[1], "Ikke behandlet skemabrikker.|Antal skemabrikker, som IKKE kunne lægges: 1 / 4.\nDe skal behandles "
                      "manuelt!\nDatoerne kan ses i efterfølgende logfil!");
  const std::string log = Log();
  EXPECT_EQ(log, "Særligt skemabegivenheder, som ikke kunne placeres på disse datoer!\r\n\r\nMedarbejder: Bent "
                 "Hansen,\tDato: 01-10-2024. Info: Der er en tidspost, som ikke er afsluttet.\r\n");
  EXPECT_EQ(gVisteLogs, std::vector<std::string>{"Særligt skema, som ikke kunne placeres!|SaerligSkemaIkkePlaceret.log"});
  // Three days placed in time placement, one employee each: the whole norm
  // from the day's start, and the rest of the norm after the registrations.
  const std::vector<Skrevet> skrevne = Skrevne(foer);
  ASSERT_EQ(skrevne.size(), 3u);
  const std::vector<Skrevet> ventet = {{kTirsdag, 0, 800, 1530, 7.5f, anfo[0], 1},
                                       {kOnsdag, 0, 1000, 1430, 4.5f, anfo[0], 1},
                                       {kOnsdag, 0, 800, 1530, 7.5f, anfo[1], 1}};
  EXPECT_EQ(skrevne, ventet);
}

TEST_F(GemSaerlig, ScheduleOnAMarkedDaySendsTheUserOnToTimeMarking) {
  Faelles f;
  f.dag = kOnsdag;
  f.start = 800;
  f.slut = 900;
  SkrivRaekker({{.anfo = anfo[1], .rol = laerer}}, f);
  const uint32_t foer = Raekker();
  for (const int svar : {IDCANCEL, IDOK}) {
    SCOPED_TRACE(svar == IDOK ? "ok" : "cancel");
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Svar(svar);
    Celle(kTirsdag, 1) = BLOK_VALGT;
    b.StdLektioner = 3;
    uint8_t ud = 0;
    EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), svar == IDOK ? 1 : 0);
    ASSERT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
    EXPECT_EQ(tavo::test::MessageBoxesShown()[0].caption, "Information");
    EXPECT_EQ(tavo::test::MessageBoxesShown()[0].text.substr(0, 50), "Medarbejderen har skema på dage i opmærkningen!\nFj");
    EXPECT_EQ(Raekker(), foer);
    if (svar == IDOK) {
      EXPECT_EQ(+ud, 8);
      EXPECT_EQ(Celle(kTirsdag, 1), 0);
      EXPECT_EQ(b.StdLektioner, 0.0f);
    }
  }
}

TEST_F(GemSaerlig, AHubThatCannotBeAskedPlacesNothing) {
  gHubSvarer = false;
  Svar(IDOK);
  const uint32_t foer = Raekker();
  uint8_t ud = 0;
  EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), 1);
  ASSERT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
  EXPECT_EQ(tavo::test::MessageBoxesShown()[0].caption, "Fejl");
  EXPECT_EQ(Raekker(), foer);
  EXPECT_FALSE(std::filesystem::exists(rod / "log" / kSaerligLogNavn));
}

TEST_F(GemSaerlig, ALogThatCannotBeWrittenKeepsThePlacedDays) {
  gPoster[{Meda(1), Dag(kTirsdag)}] = {Aaben(900)};
  // A folder where the log should be.
  std::filesystem::create_directories(rod / "log" / kSaerligLogNavn);
  Svar(IDOK);
  const uint32_t foer = Raekker();
  uint8_t ud = 0;
  EXPECT_EQ(GemBegivenhed(&b, KNAP_ANVEND, &ud), 1);
  EXPECT_EQ(Skrevne(foer).size(), 3u);
  ASSERT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
  EXPECT_NE(tavo::test::MessageBoxesShown()[0].text.find("1 / 4"), std::string::npos);
  EXPECT_TRUE(gVisteLogs.empty());
  bool logget = false;
  for (const std::string &l : FejlLinjer()) logget |= l.find(kSaerligLogNavn) != std::string::npos;
  EXPECT_TRUE(logget);
}

}  // namespace
