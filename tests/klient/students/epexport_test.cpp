// data\ep_exp.dat: the request kinds byte for byte over small schools, the
// groups that take part, the header every ten lines, the marks that writing
// leaves (and that counting does not), a request that cannot be written, the
// windows it tells, and the fetch command of the planning window.
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "EPEXPORT.h"
#include "GEMNING.h"
#include "INDSTIL.h"
#include "elev_fixture.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"
#include "tavo/test_user.h"

using namespace eleventest;

namespace {

class EpEksport : public ElevMappe {
 protected:
  void SetUp() override {
    ElevMappe::SetUp();
    InitStiTab();
    StandardIndstillinger();
    GlobalIndstillinger.insnr = 7;
    EpTilstand = {};
    EpTilstand.FraDato = 20240801;
    EpTilstand.TilDato = 20250731;
    EpEksportKrog = {};
    hwndEpKontakt = hwndEpStatus = 0;
  }

  void TearDown() override {
    EpTilstand = {};
    EpEksportKrog = {};
    hwndEpKontakt = hwndEpStatus = 0;
    StandardIndstillinger();
    tavo::test::StopDialogScript();
    tavo::test::ResetUser();
    ElevMappe::TearDown();
  }

  // A week group inside the exchange period.
  static uint32_t Gruppe(uint32_t id) {
    const uint32_t g = NyTg(id, 'U');
    TgRec *t = TgRecNr(g);
    t->tilmeldingsfradato = 20240601;
    t->tilmeldingstildato = 20240815;
    t->fradato = 20240901;
    t->tildato = 20250630;
    return g;
  }

  static uint32_t Elev(uint32_t id) {
    uint32_t nr;
    Ny<ElevRec>(&tdelev, &tvelev, 10, &nr)->id = id;
    return nr;
  }

  static uint32_t Aktivitet(uint32_t tg, uint32_t id, const char *navn, Dato fra = 0, Dato til = 0) {
    const uint32_t la = NyLa(tg, id, navn);
    LaRecNr(la)->fradato = fra;
    LaRecNr(la)->tildato = til;
    LaRecNr(la)->Lektionsantal = 12;
    return la;
  }

  static uint32_t Dublet(uint32_t tg, uint32_t id, uint32_t hoved, uint32_t nr, char epStatus) {
    const uint32_t la = NyLa(tg, id, "Dublet");
    LaRecNr(la)->kopi_id = LaRecNr(hoved)->id;
    LaRecNr(la)->dubletnr = nr;
    LaRecNr(la)->ElevPlanStatus = epStatus;
    return la;
  }

  struct Oenske {
    uint32_t id;
    uint32_t elev;
    uint32_t oenske;  // la record
    uint32_t plac;    // la record
    uint8_t prio = 1;
    const char *accept = "";
    uint8_t status = 10;
    char epStatus = 0;
  };
  static uint32_t NytOenske(uint32_t tg, const Oenske &o) {
    const uint32_t r = NyEv(o.id, o.status);
    EvRec *e = EvRecNr(r);
    e->tg_id = tg;
    e->elev_id = o.elev;
    e->elevplan_onske_la_id = o.oenske;
    e->placerings_la_id = o.plac;
    e->prioritet = o.prio;
    snprintf(e->Accept, sizeof e->Accept, "%s", o.accept);
    e->ElevPlanStatus = o.epStatus;
    return r;
  }

  std::string Anmodning() const {
    const storetest::Bytes b = Laes("ep_exp.dat");
    return std::string(b.begin(), b.end());
  }

  static bool Lig(const EpTilstandData &a, const EpTilstandData &b) {
    return a.Tg == b.Tg && a.Trin == b.Trin && a.FraDato == b.FraDato && a.TilDato == b.TilDato;
  }

  static std::vector<std::string> Linjer(const std::string &fil) {
    std::vector<std::string> ud;
    size_t p = 0;
    for (size_t nl; (nl = fil.find('\n', p)) != std::string::npos; p = nl + 1) ud.push_back(fil.substr(p, nl - p));
    if (p < fil.size()) ud.push_back(fil.substr(p));
    return ud;
  }

  std::string SkrivTrin(uint8_t trin) {
    EpTilstand.Trin = trin;
    EXPECT_TRUE(SkrivEpExportFil());
    return Anmodning();
  }

  // A window that the messages of a written request reach.
  static HWND Vindue() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "EpEksportTest";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "EpEksportTest", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 20, 0, 0, 0, nullptr);
  }

  // A folder with a file in it where the request belongs: no rename can
  // replace it (file permissions would not stop a test run as root).
  void SpaerAnmodning() const {
    fs::create_directories(Fil("ep_exp.dat"));
    std::ofstream(Fil("ep_exp.dat") / "x") << "x";
  }
};

// ---- The header every ten lines ----

TEST_F(EpEksport, HeaderBeforeEveryTenthLineOfAGroup) {
  const struct {
    std::vector<int> grupper;       // selected wishes per group
    std::vector<size_t> overskrift;  // line numbers of the headers, from 0
  } tabel[] = {
      {{23}, {0, 11, 22}},
      {{3, 3}, {0, 4}},
      {{10}, {0}},
      {{11}, {0, 11}},
      {{10, 1}, {0, 11}},
      {{0, 2}, {0}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(::testing::PrintToString(t.grupper));
    TomElevTabeller();
    uint32_t id = 300000001;
    for (size_t i = 0; i < t.grupper.size(); ++i) {
      const uint32_t g = Gruppe(static_cast<uint32_t>(501 + i));
      const uint32_t la = Aktivitet(g, static_cast<uint32_t>(7001 + i), "Hold", 20240902, 20240927);
      const uint32_t elev = Elev(static_cast<uint32_t>(9001 + i));
      for (int n = 0; n < t.grupper[i]; ++n) NytOenske(g, {id++, elev, la, la});
    }
    const std::vector<std::string> fil = Linjer(SkrivTrin(2));
    std::vector<size_t> overskrift;
    size_t linjer = 0;
    for (size_t i = 0; i < fil.size(); ++i) {
      if (fil[i] == "@NyTilmelding")
        overskrift.push_back(i);
      else
        ++linjer;
    }
    EXPECT_EQ(overskrift, t.overskrift);
    int ialt = 0;
    for (int n : t.grupper) ialt += n;
    EXPECT_EQ(linjer, static_cast<size_t>(ialt));
    EXPECT_EQ(EpSkrivNyTilmelding(nullptr, false), static_cast<uint32_t>(ialt));
  }
}

// ---- The groups that take part ----

// A group with one record of every enrolment request kind.
struct Fuld {
  uint32_t g, a, d, b;
  uint32_t evNy, evAccept, evSlet;
};

TEST_F(EpEksport, OnlyEligibleGroupsTakePart) {
  auto Byg = [](uint32_t id) {
    Fuld f{};
    f.g = Gruppe(id);
    f.a = Aktivitet(f.g, 5001, "Tømrer H1");
    f.d = Dublet(f.g, 2137483647, f.a, 2, EP_LA_NY_DUBLET);
    f.b = Aktivitet(f.g, 5002, "Tømrer H2");
    const uint32_t pp = NyPp(f.g, 801, 202440, 0, 0);
    NyLap(f.g, 901, f.a, pp, 1);
    const uint32_t elev = Elev(9001);
    f.evNy = NytOenske(f.g, {301, elev, f.a, f.b});
    f.evAccept = NytOenske(f.g, {302, elev, f.a, f.a});
    f.evSlet = NytOenske(f.g, {303, elev, f.d, 0});
    return f;
  };
  const struct {
    const char *navn;
    uint32_t id;
    std::function<void(TgRec &)> ret;
    bool med;
  } tabel[] = {
      {"plain", 501, [](TgRec &) {}, true},
      {"id 11", 11, [](TgRec &) {}, true},
      {"id 10", 10, [](TgRec &) {}, false},
      {"EasyLaast", 501, [](TgRec &t) { t.EasyLaast = 1; }, false},
      {"ExportLaast", 501, [](TgRec &t) { t.ExportLaast = 1; }, false},
      {"PlanlaegningsLaast", 501, [](TgRec &t) { t.PlanlaegningsLaast = 1; }, false},
      {"Laast alone", 501, [](TgRec &t) { t.Laast = 1; }, true},
      {"ends the day before", 501, [](TgRec &t) { t.fradato = 20240101, t.tildato = 20240731; }, false},
      {"ends on the first day", 501, [](TgRec &t) { t.fradato = 20240101, t.tildato = 20240801; }, true},
      {"starts the day after", 501, [](TgRec &t) { t.fradato = 20250801, t.tildato = 20251231; }, false},
      {"starts on the last day", 501, [](TgRec &t) { t.fradato = 20250731, t.tildato = 20251231; }, true},
      {"deleted group", 501, [](TgRec &t) { t.Status = 30; }, true},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    TomElevTabeller();
    const Fuld f = Byg(t.id);
    t.ret(*TgRecNr(f.g));
    const uint32_t en = t.med ? 1 : 0;
    EXPECT_EQ(EpSkrivKopierAktivitet(nullptr, false), en);
    EXPECT_EQ(EpSkrivNyTilmelding(nullptr, false), en);
    EXPECT_EQ(EpSkrivRedigerAktivitet(nullptr, false), en);
    EXPECT_EQ(EpSkrivAccepterTilmelding(nullptr, false), en);
    EXPECT_EQ(EpSkrivAfvisTilmelding(nullptr, false), en);
    EXPECT_EQ(EpSkrivSletTilmelding(nullptr, false), en);
    // The per-group writers do not ask.
    EXPECT_EQ(EpSkrivRedigerAktivitetTg(nullptr, f.g, false), 1u);
    EXPECT_EQ(EpSkrivAccepterTilmeldingTg(nullptr, f.g, false), 1u);
  }
}

// ---- What each kind selects and writes ----

TEST_F(EpEksport, NewEnrolmentsByIdAndPriority) {
  const struct {
    const char *navn;
    uint32_t id;
    int oenske;  // 0 none, 1 the activity placed on, 2 another
    bool placeret;
    uint8_t prio;
    uint8_t status;
    const char *linje;  // without the student's and the activity's part
  } tabel[] = {
      {"on its wish, id 200000000", 200000000, 1, true, 2, 10, nullptr},
      {"on its wish, id 200000001", 200000001, 1, true, 2, 10, "3"},
      {"elsewhere, priority 2", 77, 2, true, 2, 10, "2"},
      {"elsewhere, priority 1", 77, 2, true, 1, 10, "1"},
      {"elsewhere, priority 3", 77, 2, true, 3, 10, "3"},
      {"no wish, placed", 77, 0, true, 1, 10, "3"},
      {"not placed", 200000001, 2, false, 1, 10, nullptr},
      {"pending record", 77, 2, true, 1, 220, nullptr},
      {"deleted record", 77, 2, true, 1, 30, nullptr},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    TomElevTabeller();
    GlobalIndstillinger.elevplanprio = 3;
    const uint32_t g = Gruppe(501);
    const uint32_t placering = Aktivitet(g, 2400000000u, "Hold", 20240902, 20241220);
    const uint32_t anden = Aktivitet(g, 5002, "Andet hold");
    const uint32_t oenske = t.oenske == 0 ? 0 : t.oenske == 1 ? placering : anden;
    NytOenske(g, {t.id, Elev(4000000000u), oenske, t.placeret ? placering : 0, t.prio, "", t.status});
    const std::string forventet =
        t.linje ? std::string("@NyTilmelding\n4000000000;2400000000;20240902;20241220;") + t.linje + "\n" : "";
    EXPECT_EQ(SkrivTrin(2), forventet);
  }
}

TEST_F(EpEksport, FixedRequestsByStep) {
  const uint32_t g = Gruppe(3000000001u);
  const struct {
    uint8_t trin;
    uint32_t tg;
    const char *fil;
  } tabel[] = {
      {4, g, "@HentAlleTilmeldingsgrupper\n20240801\n20250731\n"},
      {4, 0, "@HentAlleTilmeldingsgrupper\n20240801\n20250731\n"},
      {5, g, "@TilmeldingsgruppeSystemID\nTavoSkema - 7\n3000000001\n"},
      {5, 0, ""},
      {5, 999, "@TilmeldingsgruppeSystemID\nTavoSkema - 7\n0\n"},  // past the table: record 0
      {6, g, "@HentAlleTilmeldingsgrupper\n20240801\n20250731\n@HentTilmeldingsgruppe\n3000000001\n"},
      {6, 0, ""},
      {7, g, "@HentAlt\n20240801\n20250731\n"},
      {0, g, ""},
      {8, g, ""},
  };
  const HWND kontakt = Vindue();
  hwndEpKontakt = kontakt;
  for (const auto &t : tabel) {
    SCOPED_TRACE(::testing::Message() << "Trin " << int(t.trin) << " Tg " << t.tg);
    EpTilstand.Tg = t.tg;
    tavo::test::StartMessageLog();
    EXPECT_EQ(SkrivTrin(t.trin), t.fil);
    // The contact program starts also for an empty request.
    const auto log = tavo::test::StopMessageLog();
    EXPECT_EQ(tavo::test::MessagesOf(log, kontakt, {WM_EP_KONTAKT}).size(), 1u);
  }
}

// The kinds of one step come group by group, each kind over every group
// before the next.
TEST_F(EpEksport, StepThreeWritesEachKindOverAllGroups) {
  uint32_t evId = 100;
  for (uint32_t id : {501u, 502u}) {
    const uint32_t g = Gruppe(id);
    const uint32_t a = Aktivitet(g, id * 10, "Hold");
    const uint32_t d = Dublet(g, id * 10 + 1, a, 2, EP_LA_KOPI_LAVET);
    const uint32_t elev = Elev(id * 100);
    NytOenske(g, {evId++, elev, a, a});       // accepted
    NytOenske(g, {evId++, elev, a, 0});       // rejected
    NytOenske(g, {evId++, elev, d, 0, 2});    // rejected, and deleted as a duplicate's
  }
  EXPECT_EQ(SkrivTrin(3),
            "@AccepterTilmelding\n100\n@AccepterTilmelding\n103\n"
            "@AfvisTilmelding\n101\n102\n@AfvisTilmelding\n104\n105\n"
            "@SletTilmelding\n102\n@SletTilmelding\n105\n");
}

TEST_F(EpEksport, CopiesOfDuplicates) {
  const uint32_t g = Gruppe(501);
  const uint32_t a = Aktivitet(g, 5001, "Hold");
  Dublet(g, 2137483647, a, 2, EP_LA_NY_DUBLET);  // made here
  Dublet(g, 10000001, a, 3, EP_LA_KOPI_LAVET);   // an id Elevplan never gives
  Dublet(g, 10000000, a, 4, EP_LA_KOPI_LAVET);   // Elevplan's copy
  Dublet(g, 600, a, 5, EP_LA_NY_DUBLET);
  LaRecNr(Dublet(g, 601, a, 6, EP_LA_NY_DUBLET))->Status = 30;
  LaRecNr(a)->ElevPlanStatus = EP_LA_NY_DUBLET;  // dubletnr 1: no duplicate
  EXPECT_EQ(SkrivTrin(1), "@KopierAktivitet\n5001\n5001\n5001\n");
}

// ---- Activity dates ----

TEST_F(EpEksport, ActivityDatesFromItsPlacedWeeks) {
  struct Placering {
    int slot;  // 1-based position among the group's slots
    uint32_t lengde;
    char blokering = 0;
    uint8_t status = 10;
  };
  // The slots as a week group gets them: from its last week backwards.
  const Uge uger[] = {202502, 202501, 202452, 202451};
  const struct {
    const char *navn;
    std::vector<Placering> placeringer;
    Dato fra, til;  // the activity's own dates
    const char *linje;
  } tabel[] = {
      {"week 52 and week 2", {{3, 1}, {1, 1}}, 0, 0, "20241223;20250110"},
      {"a block of two weeks", {{2, 2}}, 0, 0, "20241223;20250103"},
      {"a block past the last slot", {{3, 5}}, 0, 0, "20241216;20241227"},
      {"length 0 as 1", {{1, 0}}, 0, 0, "20250106;20250110"},
      {"same dates", {{3, 1}, {1, 1}}, 20241223, 20250110, nullptr},
      {"first day differs", {{3, 1}, {1, 1}}, 20241224, 20250110, "20241223;20250110"},
      {"last day differs", {{3, 1}, {1, 1}}, 20241223, 20250109, "20241223;20250110"},
      {"a barred slot", {{1, 1, 1}}, 0, 0, nullptr},
      {"a deleted placement", {{1, 1, 0, 30}}, 0, 0, nullptr},
      {"no placement", {}, 0, 0, nullptr},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    TomElevTabeller();
    const uint32_t g = Gruppe(501);
    std::vector<uint32_t> slots;
    for (Uge u : uger) slots.push_back(NyPp(g, 800 + u % 100, u, 0, 0));
    NyPp(g, 799, 202450, 0, 0, 30);  // a deleted slot is no position
    const uint32_t la = Aktivitet(g, 5001, "Tømrer H1", t.fra, t.til);
    uint32_t id = 900;
    for (const Placering &p : t.placeringer)
      NyLap(g, id++, la, slots[p.slot - 1], p.lengde, p.blokering, p.status);
    const std::string forventet =
        t.linje ? std::string("@RedigerAktivitet\n5001;") + t.linje + ";12;Tømrer H1\n" : "";
    EXPECT_EQ(SkrivTrin(2), forventet);
  }
}

TEST_F(EpEksport, ActivityNameStaysOnItsLine) {
  const uint32_t g = Gruppe(501);
  const uint32_t la = Aktivitet(g, 5001, "");
  LaRec *l = LaRecNr(la);
  memcpy(l->Navn, "Linje\r\n@SletTilmelding\n1", 25);
  NyLap(g, 900, la, NyPp(g, 801, 202440, 0, 0), 1);
  EXPECT_EQ(SkrivTrin(2), "@RedigerAktivitet\n5001;20240930;20241004;12;Linje  @SletTilmelding 1\n");

  // A name that fills its field is cut at its end.
  memset(l->Navn, 'x', sizeof l->Navn);
  EXPECT_EQ(SkrivTrin(2), "@RedigerAktivitet\n5001;20240930;20241004;12;" + std::string(101, 'x') + "\n");
}

TEST_F(EpEksport, LessonGroupsHaveNoWeeksToSend) {
  const uint32_t g = Gruppe(501);
  TgRecNr(g)->UgeLektionsGruppe = 'L';
  const uint32_t la = Aktivitet(g, 5001, "Hold");
  NyLap(g, 900, la, NyPp(g, 801, 0, 1, 3), 2);
  EXPECT_EQ(SkrivTrin(2), "");
}

// ---- Marks ----

class EpEksportMaerker : public EpEksport {
 public:
  uint32_t g = 0, a = 0, b = 0, lukket = 0, d1 = 0, d2 = 0, d3 = 0;
  uint32_t evNy = 0, evAccept = 0, evJ = 0, evAfvis = 0, evSletAfvis = 0, evAldrig = 0, evGraense = 0, evN = 0;

  void SetUp() override {
    EpEksport::SetUp();
    g = Gruppe(501);
    a = Aktivitet(g, 5001, "Hold A", 20240902, 20240927);
    b = Aktivitet(g, 5002, "Hold B", 20240930, 20241025);
    lukket = Aktivitet(g, 5003, "Arkiveret");
    LaRecNr(lukket)->Status = 30;
    d1 = Dublet(g, 2137483647, a, 2, EP_LA_NY_DUBLET);
    d2 = Dublet(g, 12000000, a, 3, EP_LA_KOPI_LAVET);
    d3 = Dublet(g, 9000000, a, 4, EP_LA_KOPI_LAVET);
    NyLap(g, 900, a, NyPp(g, 801, 202440, 0, 0), 1);  // A's dates differ from its week
    const uint32_t elev = Elev(9001);
    evNy = NytOenske(g, {300, elev, a, b, 2, "", 10, EP_EV_SKAL_SENDES});
    evAccept = NytOenske(g, {301, elev, a, a});
    evJ = NytOenske(g, {302, elev, b, b, 1, "J", 10, EP_EV_BEKRAEFTET});
    evAfvis = NytOenske(g, {303, elev, b, 0});
    evSletAfvis = NytOenske(g, {304, elev, d1, 0});
    evAldrig = NytOenske(g, {2000000001, elev, b, 0});
    evGraense = NytOenske(g, {2000000000, elev, a, 0});
    evN = NytOenske(g, {305, elev, b, 0, 1, "N"});
  }

 protected:
  static char LaStatus(uint32_t r) { return LaRecNr(r)->ElevPlanStatus; }
  static char EvStatus(uint32_t r) { return EvRecNr(r)->ElevPlanStatus; }
};

TEST_F(EpEksportMaerker, WritingMarksWhatItSent) {
  const struct {
    uint8_t trin;
    const char *fil;
    std::function<void(EpEksportMaerker &)> tjek;
  } tabel[] = {
      {1, "@KopierAktivitet\n5001\n5001\n",
       [](EpEksportMaerker &t) {
         EXPECT_EQ(LaStatus(t.d1), EP_LA_KOPI_BEDT);  // 6 -> 1
         EXPECT_EQ(LaStatus(t.d2), EP_LA_KOPI_BEDT);  // 5 -> 1: an id above 10000000
         EXPECT_EQ(LaStatus(t.d3), EP_LA_KOPI_LAVET);
       }},
      {2, "@NyTilmelding\n9001;5002;20240930;20241025;2\n@RedigerAktivitet\n5001;20240930;20241004;12;Hold A\n",
       [](EpEksportMaerker &t) {
         EXPECT_EQ(EvStatus(t.evNy), EP_EV_SENDT_NY);  // 7 -> 2
         EXPECT_EQ(+EvRecNr(t.evNy)->elevplan_onske_la_id, t.b);
         EXPECT_EQ(+LaRecNr(t.a)->fradato, 20240902u);  // RedigerAktivitet changes nothing
         EXPECT_EQ(+LaRecNr(t.a)->tildato, 20240927u);
       }},
      {3,
       "@AccepterTilmelding\n301\n@AfvisTilmelding\n303\n304\n2000000000\n@SletTilmelding\n304\n",
       [](EpEksportMaerker &t) {
         EXPECT_EQ(EvStatus(t.evAccept), EP_EV_ACCEPT_SENDT);
         EXPECT_EQ(EvStatus(t.evJ), EP_EV_BEKRAEFTET);
         EXPECT_EQ(EvStatus(t.evAfvis), EP_EV_AFVIS_SENDT);
         EXPECT_EQ(EvStatus(t.evSletAfvis), EP_EV_SLET_SENDT);  // rejected, then deleted
         EXPECT_EQ(EvRecNr(t.evAldrig)->Status, 0);
         EXPECT_EQ(EvStatus(t.evGraense), EP_EV_AFVIS_SENDT);
         EXPECT_EQ(EvStatus(t.evN), 0);
         // The group's acceptance closes, keeps and locks all its activities.
         for (uint32_t la : {t.a, t.b, t.lukket, t.d1, t.d2, t.d3}) {
           EXPECT_EQ(LaRecNr(la)->LukForNyeElever, 1) << la;
           EXPECT_EQ(LaRecNr(la)->BeholdElever, 1) << la;
           EXPECT_EQ(LaRecNr(la)->PladsLaas, 1) << la;
         }
       }},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(::testing::Message() << "Trin " << int(t.trin));
    TearDown();
    SetUp();
    EXPECT_EQ(SkrivTrin(t.trin), t.fil);
    t.tjek(*this);
  }
}

TEST_F(EpEksportMaerker, MarkedRecordsAreSavedWithTheirBlocks) {
  for (uint32_t i = 0; i * tdla.RecPrBlok < tvla.wRecCnt; ++i) tvla.pfSave[i] = 0;
  for (uint32_t i = 0; i * tdev.RecPrBlok < tvev.wRecCnt; ++i) tvev.pfSave[i] = 0;
  EpTilstand.Trin = 1;
  ASSERT_TRUE(SkrivEpExportFil());
  EXPECT_EQ(tvla.pfSave[d1 / tdla.RecPrBlok], 1);
  EpTilstand.Trin = 2;
  ASSERT_TRUE(SkrivEpExportFil());
  EXPECT_EQ(tvev.pfSave[evNy / tdev.RecPrBlok], 1);
}

TEST_F(EpEksportMaerker, CountingChangesNothingButNeverSentWishes) {
  const TabelBillede foer = Nu();
  FILE *f = tmpfile();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(EpSkrivKopierAktivitet(f, false), 2u);
  EXPECT_EQ(EpSkrivNyTilmelding(f, false), 1u);
  EXPECT_EQ(EpSkrivRedigerAktivitet(f, false), 1u);
  EXPECT_EQ(EpSkrivAccepterTilmelding(f, false), 1u);
  EXPECT_EQ(EpSkrivAfvisTilmelding(f, false), 3u);
  EXPECT_EQ(EpSkrivSletTilmelding(f, false), 1u);
  EXPECT_EQ(ftell(f), 0);
  fclose(f);
  // The unplaced, unanswered wish that Elevplan never had is gone; the one
  // at the limit stays.
  EXPECT_EQ(Forskelle(foer, Nu()), std::vector<std::string>{"ev:" + std::to_string(evAldrig)});
  EXPECT_EQ(EvRecNr(evAldrig)->Status, 0);
  EXPECT_EQ(EvRecNr(evGraense)->Status, 10);
  // Counting leaves no mark behind for the next write.
  EpTilstand.Trin = 7;
  ASSERT_TRUE(SkrivEpExportFil());
  EXPECT_EQ(Forskelle(foer, Nu()), std::vector<std::string>{"ev:" + std::to_string(evAldrig)});
}

TEST_F(EpEksportMaerker, RejectionNeedsAnAnsweredGroup) {
  // Without a wish to accept and without a "J" or "N", the group sends no
  // rejection, and keeps its never-sent wishes.
  EvRecNr(evAccept)->Status = 30;
  EvRecNr(evJ)->Status = 30;
  EvRecNr(evN)->Accept[0] = '\0';
  EXPECT_EQ(EpSkrivAfvisTilmeldingTg(nullptr, g, false), 0u);
  EXPECT_EQ(EvRecNr(evAldrig)->Status, 10);
  // A "N" alone is answer enough; the wish that carries it is not rejected.
  EvRecNr(evN)->Accept[0] = 'N';
  EXPECT_EQ(EpSkrivAfvisTilmeldingTg(nullptr, g, false), 3u);
  EXPECT_EQ(EvRecNr(evAldrig)->Status, 0);
  EvRecNr(evN)->Accept[0] = '\0';
  EvRecNr(evJ)->Status = 10;
  EXPECT_EQ(EpSkrivAfvisTilmeldingTg(nullptr, g, false), 4u);
}

// ---- A request that cannot be written ----

TEST_F(EpEksportMaerker, UnwritableRequestLeavesNoFileNoMarkNoContact) {
  const HWND kontakt = Vindue(), status = Vindue();
  hwndEpKontakt = kontakt;
  hwndEpStatus = status;
  SpaerAnmodning();
  for (uint8_t trin : {1, 2, 3, 7}) {
    SCOPED_TRACE(::testing::Message() << "Trin " << int(trin));
    EpSkrivAfvisTilmelding(nullptr, false);  // the deletions that any count makes
    const TabelBillede foer = Nu();
    EpTilstand.Trin = trin;
    tavo::test::StartMessageLog();
    EXPECT_FALSE(SkrivEpExportFil());
    const auto log = tavo::test::StopMessageLog();
    EXPECT_TRUE(fs::is_directory(Fil("ep_exp.dat")));
    EXPECT_FALSE(Findes("ep_exp.dat.tmp"));
    EXPECT_EQ(Forskelle(foer, Nu()), std::vector<std::string>{});
    EXPECT_TRUE(tavo::test::MessagesOf(log, kontakt, {WM_EP_KONTAKT}).empty());
    EXPECT_TRUE(tavo::test::MessagesOf(log, status, {WM_PAINT}).empty());
    EXPECT_EQ(EpTilstand.Trin, trin);
  }
}

TEST_F(EpEksportMaerker, EveryFailingFileCallLeavesNothing) {
  EpSkrivAfvisTilmelding(nullptr, false);
  const TabelBillede foer = Nu();
  EpTilstand.Trin = 3;
  unsigned n = 1;
  for (;; ++n) {
    SCOPED_TRACE("call " + std::to_string(n));
    tavo::test::StartFileFaults(n, ERROR_DISK_FULL);
    const bool ok = SkrivEpExportFil();
    const bool fejlede = tavo::test::FileFaultHappened();
    tavo::test::StopFileFaults();
    // A failure after the save was decided leaves the whole request, as
    // the next start finishes it.
    if (!fejlede || ok) {
      ASSERT_TRUE(GendanAfbrudtGemning());
      break;
    }
    EXPECT_FALSE(Findes("ep_exp.dat"));
    EXPECT_FALSE(Findes("ep_exp.dat.tmp"));
    EXPECT_EQ(Forskelle(foer, Nu()), std::vector<std::string>{});
    if (HasFailure()) break;
  }
  // The open, the header and line writes, the rename.
  EXPECT_GT(n, 8u);
  EXPECT_EQ(Anmodning(),
            "@AccepterTilmelding\n301\n@AfvisTilmelding\n303\n304\n2000000000\n@SletTilmelding\n304\n");
  EXPECT_EQ(EvStatus(evSletAfvis), EP_EV_SLET_SENDT);
}

// ---- The windows a request tells ----

TEST_F(EpEksport, ContactAndStatusPaneAreToldWhenTheyExist) {
  EpTilstand.Trin = 7;
  // Without them the request is only written.
  EXPECT_TRUE(SkrivEpExportFil());
  EXPECT_EQ(Anmodning(), "@HentAlt\n20240801\n20250731\n");

  const HWND kontakt = Vindue(), status = Vindue();
  tavo::test::PumpUntilIdle();
  hwndEpKontakt = kontakt;
  hwndEpStatus = status;
  tavo::test::StartMessageLog();
  EXPECT_TRUE(SkrivEpExportFil());
  const auto log = tavo::test::StopMessageLog();
  EXPECT_EQ(tavo::test::MessagesOf(log, kontakt, {WM_EP_KONTAKT}).size(), 1u);
  EXPECT_EQ(tavo::test::MessagesOf(log, kontakt, {WM_PAINT}).size(), 0u);
  EXPECT_EQ(tavo::test::MessagesOf(log, status, {WM_PAINT}).size(), 1u);
  EXPECT_EQ(tavo::test::MessagesOf(log, status, {WM_EP_KONTAKT}).size(), 0u);
}

// ---- Ctrl+H ----

struct LaasKald {
  uint32_t tg;
  std::string titel;
  int mode;
};
std::vector<LaasKald> &LaasKaldene() {
  static std::vector<LaasKald> v;
  return v;
}

TEST_F(EpEksport, FetchCommandOfThePlanningWindow) {
  const struct {
    const char *navn;
    char planlaegning, eksport, easy;
    int mode;
    int svar;
    const char *boks;  // text of the message box, or none
    int laasMode;      // mode passed to the lock message, or 0 for none
    bool fil;
  } tabel[] = {
      {"open, performed", 0, 0, 0, 2, 0, "Tilmeldingsgruppen er allerede åben for redigering.!", 0, false},
      {"open, asked", 0, 0, 0, 1, 0, nullptr, 0, false},
      {"open and exported", 0, 1, 0, 2, 0, "Tilmeldingsgruppen er allerede åben for redigering.!", 0, false},
      {"exported", 1, 1, 0, 2, 0, nullptr, 2, false},
      {"with EASY, asked", 1, 0, 1, 1, 0, nullptr, 1, false},
      {"to be fetched, asked", 1, 0, 0, 1, 1, nullptr, 0, false},
      {"to be fetched, performed", 1, 0, 0, 2, 1, nullptr, 0, true},
  };
  EpEksportKrog.VisTgLaas = [](uint32_t tg, const char *titel, int mode) {
    LaasKaldene().push_back({tg, titel, mode});
  };
  const HWND kontakt = Vindue();
  hwndEpKontakt = kontakt;
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    TomElevTabeller();
    Gruppe(501);
    const uint32_t g = Gruppe(502);
    TgRec *tg = TgRecNr(g);
    tg->PlanlaegningsLaast = t.planlaegning;
    tg->ExportLaast = t.eksport;
    tg->EasyLaast = t.easy;
    tg->Laast = 1;
    fs::remove(Fil("ep_exp.dat"));
    const EpTilstandData foer = {0, 2, 20240801, 20250731};
    EpTilstand = foer;
    LaasKaldene().clear();
    tavo::test::StartDialogScript();
    tavo::test::StartMessageLog();
    EXPECT_EQ(EpHentTgKommando(kontakt, g, t.mode), t.svar);
    const auto log = tavo::test::StopMessageLog();
    const auto bokse = tavo::test::MessageBoxesShown();
    tavo::test::StopDialogScript();

    if (t.boks) {
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].text, t.boks);
      EXPECT_EQ(bokse[0].caption, "Tilmeldingsgruppen er åben");
      EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    } else {
      EXPECT_TRUE(bokse.empty());
    }
    if (t.laasMode) {
      ASSERT_EQ(LaasKaldene().size(), 1u);
      EXPECT_EQ(LaasKaldene()[0].tg, g);
      EXPECT_EQ(LaasKaldene()[0].titel, "Kommando ikke udført");
      EXPECT_EQ(LaasKaldene()[0].mode, t.laasMode);
    } else {
      EXPECT_TRUE(LaasKaldene().empty());
    }
    EXPECT_EQ(Findes("ep_exp.dat"), t.fil);
    EXPECT_EQ(tavo::test::MessagesOf(log, kontakt, {WM_EP_KONTAKT}).size(), t.fil ? 1u : 0u);
    if (t.fil) {
      // The group's first enrolment day and its last teaching day.
      EXPECT_EQ(Anmodning(), "@HentAlleTilmeldingsgrupper\n20240601\n20250630\n");
      EXPECT_EQ(EpTilstand.Tg, g);
      EXPECT_EQ(EpTilstand.Trin, 4);
      EXPECT_EQ(EpTilstand.FraDato, 20240601u);
      EXPECT_EQ(EpTilstand.TilDato, 20250630u);
    } else {
      EXPECT_TRUE(Lig(EpTilstand, foer));
    }
  }
  // No group, or one past the table.
  EXPECT_EQ(EpHentTgKommando(0, 0, 1), 0);
  EXPECT_EQ(EpHentTgKommando(0, 999, 1), 0);
}

TEST_F(EpEksport, FetchThatCannotBeWrittenKeepsTheExchangeState) {
  const uint32_t g = Gruppe(501);
  TgRecNr(g)->PlanlaegningsLaast = 1;
  SpaerAnmodning();
  const EpTilstandData foer = {0, 2, 20240801, 20250731};
  EpTilstand = foer;
  EXPECT_EQ(EpHentTgKommando(0, g, 2), 0);
  EXPECT_TRUE(Lig(EpTilstand, foer));
}

}  // namespace
