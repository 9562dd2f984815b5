// The import sections that carry schedule events: each section read from a
// fixture and its events taken back through HentAVS, the owner and id
// rules of the changed and deleted events of other installations, the
// report of changed events, and the broken import when an event cannot be
// written.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KROGE.h"
#include "ADDBEG.h"
#include "FINDREC.h"
#include "AVSHJAELP.h"
#include "HENTGEM.h"
#include "ImpData.h"
#include "ImpSkema.h"
#include "SKEBEG.h"
#include "eksport_fixture.h"
#include "import_tekst.h"
#include "tavo/test_dialog.h"

namespace {

using namespace eksporttest;
using tavo::test::ShownDialog;

template <class T>
std::vector<T> Liste(const T *p, uint32_t n) {
  return p ? std::vector<T>(p, p + n) : std::vector<T>{};
}

// One stored event: its first row and its property set.
struct Beg {
  uint32_t forste;
  SkeRec raekke;
  std::vector<uint32_t> akti, anfo, roller, loka, lokroller;
  std::vector<float> minut;
  AVS avs;
};

class SkemaImport : public EksportSkole {
 public:
  void SetUp() override {
    EksportSkole::SetUp();
    Stamdata();
    // The import finds the tables sorted, as the load leaves them.
    for (const TabRegEntry *e = TabRegister; e->Navn; ++e) SortTab(e->pTabDesc, e->pTabVar);
    AendredeBegivenhederModtaget = 0;
    AndretSkemaSkrevet = 0;
  }
  void TearDown() override {
    CleanupAVS(&LkAVS);
    EksportSkole::TearDown();
  }

  // The sections of an import file after its status line; the reader's answer.
  static int Laes(const std::string &tekst) { return LaesImportTekst(tekst); }
  static int Afsnit(const std::string &afsnit) {
    return Laes("K;20240801;20240801;20250731;1733835600;1;A;0;0\n" + afsnit);
  }

  static uint8_t Aar(Uge u) { return static_cast<uint8_t>(u / 100 - SkemaPeriode.BaseAar); }

  // The live events of a week in row order.
  static std::vector<Beg> Begivenheder(Uge u) {
    std::vector<Beg> v;
    TabVar *b = SkemabegBucket(u);
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec &s = Ske(u, r);
      if (s.Status == 0 || s.Forste != r) continue;
      Beg e{r, s, {}, {}, {}, {}, {}, {}, {}};
      CleanupAVS(&e.avs);
      HentAVS(Aar(u), static_cast<uint8_t>(u % 100), r, &e.avs, true);
      const AVS &a = e.avs;
      e.akti = Liste(a.aktiTab, a.aktiAntal);
      e.anfo = Liste(a.anfoTab, a.anfoAntal);
      e.roller = Liste(a.skemarolTab, a.anfoAntal);
      e.minut = Liste(a.minutTab, a.anfoAntal);
      e.loka = Liste(a.lokaTab, a.lokaAntal);
      e.lokroller = Liste(a.lokrolleTab, a.lokaAntal);
      CleanupAVS(&e.avs);
      v.push_back(e);
    }
    return v;
  }
  // Rows of the week, free ones included.
  static uint32_t Raekker(Uge u) {
    const uint32_t n = SkemabegBucket(u)->wRecCnt;
    return n ? n - 1 : 0;
  }

  static uint32_t Reserveret(const TabDesc &td, TabVar &tv, uint32_t id) {
    return FindRec(&td, &tv, &id, KLASSE_AKTUEL);
  }
  static std::string BemTekst(uint32_t r) {
    return r ? std::string(Rec<BemRec>(tdbem, tvbem, r).Betegnelse) : std::string();
  }
  uint32_t Rolle(uint32_t id, const char *tekst) {
    SkemarolRec r{};
    r.id = id, r.Status = 10, r.Genererer_timeposter = 'J';
    Tekst(r.Rolle, tekst);
    return Ny(tdskemarol, tvskemarol, r);
  }
};

// ---- skemabeg ----

class SkemabegAfsnit : public SkemaImport {};

TEST_F(SkemabegAfsnit, EveryLineOfTheFixtureComesBackThroughHentAVS) {
  ASSERT_EQ(Laes(Fixture("skema_skemabeg.dat")), 1);
  const auto v = Begivenheder(202437);
  ASSERT_EQ(v.size(), 3u);

  // One activity ("A0" adds none), two employments and two rooms: two
  // rows, the second with the second employment and room.
  const Beg &e = v[0];
  EXPECT_EQ(e.akti, (std::vector<uint32_t>{s.k1}));
  EXPECT_EQ(e.anfo, (std::vector<uint32_t>{s.a1, s.a3}));
  EXPECT_EQ(e.roller, (std::vector<uint32_t>{s.rolL, s.rolV}));
  EXPECT_EQ(e.minut, (std::vector<float>{45.0f, -1.0f}));
  EXPECT_EQ(e.loka, (std::vector<uint32_t>{s.l1, s.l2}));
  EXPECT_EQ(e.lokroller, (std::vector<uint32_t>{s.lokrolle, 0u}));
  EXPECT_EQ(Raekker(202437) >= 2 && Ske(202437, e.forste + 1).Forste == e.forste, true);
  EXPECT_EQ(+e.raekke.skfa_id, s.dansk);
  EXPECT_EQ(+e.raekke.risy_id, s.risy);
  EXPECT_EQ(BemTekst(e.raekke.bem_id), "Husk b\xF8ger");
  EXPECT_EQ(+e.raekke.Dag, 2);
  EXPECT_EQ(+e.raekke.Lektion, 1);
  EXPECT_EQ(+e.raekke.Starttid, 800u);
  EXPECT_EQ(+e.raekke.Sluttid, 845u);
  EXPECT_FLOAT_EQ(+e.raekke.Antal_std_lektioner, 1.5f);
  EXPECT_EQ(+e.raekke.Ejer, kIns);
  EXPECT_EQ(+e.raekke.id, 11u);
  // X 1: status 64; an own row changed by a user is marked.
  EXPECT_EQ(+e.raekke.Status, uint32_t{SKE_EGEN | SKE_MAERKE2});
  EXPECT_DOUBLE_EQ(+e.raekke.opdtid, 20240901120000.0);
  EXPECT_STREQ(e.raekke.AEndret_af, "BRUGER");
  EXPECT_DOUBLE_EQ(+e.raekke.AEndret_tid, 20240910093000.0);

  // Another installation's events with a live employment: X 0 gives 96,
  // each time list of the T line is an event of its own, and the parts
  // emptied by their "0" lines stay empty.
  for (const Beg *f : {&v[1], &v[2]}) {
    EXPECT_EQ(+f->raekke.Ejer, kFremmed);
    EXPECT_EQ(+f->raekke.Status, uint32_t{SKE_EGEN | SKE_KENDT});
    EXPECT_EQ(f->akti, std::vector<uint32_t>{});
    EXPECT_EQ(f->loka, std::vector<uint32_t>{});
    EXPECT_EQ(f->anfo, (std::vector<uint32_t>{s.a1}));
    EXPECT_EQ(f->minut, (std::vector<float>{30.0f}));
    EXPECT_EQ(+f->raekke.skfa_id, 0u);
    EXPECT_EQ(+f->raekke.risy_id, 0u);
    EXPECT_EQ(+f->raekke.bem_id, 0u);
  }
  EXPECT_EQ(+v[1].raekke.id, 12u);
  EXPECT_STREQ(v[1].raekke.AEndret_af, "TAVO");
  EXPECT_EQ(+v[2].raekke.id, 13u);
  EXPECT_EQ(+v[2].raekke.Lektion, 3);
  // No live participant of another installation (14), a date outside the
  // period (15) and times 0 (16) write nothing anywhere.
  uint32_t raekker = 0;
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) raekker += Raekker(IndeksTilUge(i));
  EXPECT_EQ(raekker, Raekker(202437));
  EXPECT_EQ(LkAVS.aktiAntal + LkAVS.anfoAntal + LkAVS.lokaAntal, 0u);
}

TEST_F(SkemabegAfsnit, UnknownParticipantsTakeTheReservedRecordsAndAbsencesTheirActivities) {
  struct {
    const char *navn, *rolle;
    uint32_t akti;
  } const tabel[] = {
      {"sickness", "S", 999999994},   {"care day", "O", 999999998}, {"time off", "A", 999999997},
      {"OP", "OP", 999999996},        {"holiday", "F", 999999995},  {"ordinary", "L", 0},
  };
  uint32_t id = 700;
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    Rolle(++id, t.rolle);
    SortTab(&tdskemarol, &tvskemarol);
    ASSERT_EQ(Afsnit("@skemabeg\nF7\nD20241001\nM2001," + std::to_string(id) + "\nT" + std::to_string(id) +
                     ",800,1600\n"),
              1);
    const auto v = Begivenheder(202440);
    ASSERT_FALSE(v.empty());
    const Beg &e = v.back();
    EXPECT_EQ(+e.raekke.id, id);
    EXPECT_EQ(+e.raekke.akti_id ? Rec<AktiRec>(tdakti, tvakti, e.raekke.akti_id).id : 0u, t.akti);
  }
  // An employment and a room the tables do not hold: the reserved ones.
  ASSERT_EQ(Afsnit("@skemabeg\nF7\nD20241002\nM888888\nL888888,999\nT1,800,900\n"), 1);
  const auto v = Begivenheder(202440);
  EXPECT_EQ(v.back().anfo, (std::vector<uint32_t>{Reserveret(tdanfo, tvanfo, 999999999)}));
  EXPECT_EQ(v.back().loka, (std::vector<uint32_t>{Reserveret(tdloka, tvloka, 999999999)}));
  EXPECT_EQ(v.back().lokroller, (std::vector<uint32_t>{0u}));
  EXPECT_NE(v.back().anfo[0], 0u);
}

TEST_F(SkemabegAfsnit, EventsOnThePeriodsFirstAndLastDayAreImportedTheDaysBeyondAreNot) {
  Rolle(801, "L");
  SortTab(&tdskemarol, &tvskemarol);
  auto alleRaekker = [] {
    uint32_t n = 0;
    for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) n += Raekker(IndeksTilUge(i));
    return n;
  };
  const Dato foerste = SkemaPeriode.FraDato, sidste = SkemaPeriode.TilDato;
  ASSERT_TRUE(foerste && sidste && foerste < sidste);
  const struct {
    const char *navn;
    Dato dato;
    bool ind;
  } tabel[] = {
      {"the first day", foerste, true},
      {"the last day", sidste, true},
      {"the day before", ForrigeDato(foerste), false},
      {"the day after", NaesteDato(sidste), false},
  };
  uint32_t id = 900;
  for (const auto &t : tabel) {
    SCOPED_TRACE(std::string(t.navn) + " " + std::to_string(t.dato));
    const uint32_t foer = alleRaekker();
    ASSERT_EQ(Afsnit("@skemabeg\nF7\nD" + std::to_string(t.dato) + "\nM2001,801\nT" + std::to_string(++id) +
                     ",800,900\n"),
              1);
    EXPECT_EQ(alleRaekker(), foer + (t.ind ? 1u : 0u));
    if (!t.ind) continue;
    Uge u = 0;
    uint8_t dag = 0;
    DatoTilUge(t.dato, &u, &dag);
    const auto v = Begivenheder(u);
    ASSERT_FALSE(v.empty());
    EXPECT_EQ(+v.back().raekke.id, id);
    EXPECT_EQ(+v.back().raekke.Dag, +dag);
  }
}

TEST_F(SkemabegAfsnit, AnEventThatCannotBeWrittenStopsTheImportAsBroken) {
  std::ofstream(Data("imp.dat"), std::ios::binary) << Fixture("skema_skemabeg.dat");
  std::ofstream(rod / "ini" / "tavo.lck") << "laas";
  HentGemKrog = HentGemKroge{};
  HentGemKrog.DeleteLockFile = SletLaaseFil;
  InstallerImportData();
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "SkemaImportVente";
  RegisterClassA(&wc);
  // A plain window stands in for the wait dialog.
  HWND vente = CreateWindowExA(0, "SkemaImportVente", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
  EXPECT_EXIT(
      {
        tavo::test::StartDialogScript(5000);
        tavo::test::AnswerNextDialog([](const ShownDialog &d) {
          fprintf(stderr, "[%s|%s]\n", d.caption.c_str(), d.text.c_str());
          return INT_PTR{IDOK};
        });
        // No week bucket can grow.
        TabAllokatorer ingen;
        ingen.Calloc = [](size_t, size_t) -> void * { return nullptr; };
        ingen.Realloc = [](void *, size_t) -> void * { return nullptr; };
        TabAlloc = ingen;
        ImportData(vente);
      },
      ::testing::ExitedWithCode(kDataFejlExitKode), "\\[Data fejl\\|Fejl i data import filen! Programmet stopper.");
  EXPECT_FALSE(fs::exists(rod / "ini" / "tavo.lck"));
  // Moved aside, so that the next start is not stopped by it again.
  EXPECT_FALSE(Findes("imp.dat"));
  EXPECT_TRUE(Findes("imp.fejl"));
  DestroyWindow(vente);
  HentGemKrog = HentGemKroge{};
}

// The readers remember their lookups; a table that changes under the
// memory answers as it would without it.
TEST_F(SkemabegAfsnit, RememberedKeysFollowTheirTable) {
  auto tabel = [](const char *n) { return FindRec(&tdakti, &tvakti, ParseFeltVaerdi(&tdakti, n), KLASSE_AKTUEL); };
  NoegleHukommelse hukommelse;
  EXPECT_EQ(FindNoegle(tdakti, tvakti, "1001"), s.k1);
  EXPECT_EQ(FindNoegle(tdakti, tvakti, "4242"), 0u);
  {
    NoegleHukommelse indre;
    EXPECT_EQ(FindNoegle(tdakti, tvakti, "1001"), s.k1);
  }
  // A record added with the key that was missing.
  AktiRec a{};
  a.id = 4242, a.Status = 10;
  const uint32_t ny = Ny(tdakti, tvakti, a);
  tvakti.fSorter = 1;
  EXPECT_EQ(FindNoegle(tdakti, tvakti, "4242"), ny);
  // A record deleted.
  DelRec(&tdakti, &tvakti, s.k1);
  tvakti.fSorter = 1;
  EXPECT_EQ(FindNoegle(tdakti, tvakti, "1001"), tabel("1001"));
  EXPECT_EQ(FindNoegle(tdakti, tvakti, "4242"), ny);
}

TEST_F(SkemabegAfsnit, CommaListsByMode) {
  struct {
    const char *tekst;
    int mode;
    char tegn;
    int32_t a, b, c;
    int laest;
  } const tabel[] = {
      {"T,1,-2,3,99", 0, 'T', 1, -2, 3, 4}, {"T,1", 0, 'T', 1, 0, 0, 2},  {",5,6,7", 0, 0, 5, 6, 7, 3},
      {"4,5,6,7", 1, 0, 4, 5, 6, 3},        {"4,5,6", 2, 0, 4, 5, 0, 2},  {"", 1, 0, 0, 0, 0, 1},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.tekst);
    char tegn = 'x';
    int32_t tal[3] = {9, 9, 9};
    EXPECT_EQ(LaesKommaFelter(t.tekst, t.mode, &tegn, tal), t.laest);
    EXPECT_EQ(tegn, t.tegn);
    EXPECT_EQ(std::vector<int32_t>(tal, tal + 3), (std::vector<int32_t>{t.a, t.b, t.c}));
  }
  // A part longer than an item is cut, never read past.
  const std::string lang = "T," + std::string(600, '7');
  int32_t tal[3];
  EXPECT_EQ(LaesKommaFelter(lang.c_str(), 0, nullptr, tal), 2);
}

// ---- extprogske ----

class Extprogske : public SkemaImport {};

TEST_F(Extprogske, UnknownKeysTakeTheReservedRecordsAndTheEventIsOwnAndCounted) {
  GlobalIndstillinger.standardRingSystem = s.risy;
  ASSERT_EQ(Laes(Fixture("skema_extprogske.dat")), 1);
  const auto v = Begivenheder(202437);
  ASSERT_EQ(v.size(), 1u);
  const Beg &e = v[0];
  EXPECT_EQ(e.akti, (std::vector<uint32_t>{Reserveret(tdakti, tvakti, 999999999)}));
  EXPECT_NE(e.akti[0], 0u);
  EXPECT_EQ(+e.raekke.skfa_id, Reserveret(tdskfa, tvskfa, 999999999));
  EXPECT_NE(+e.raekke.skfa_id, 0u);
  EXPECT_EQ(+e.raekke.risy_id, s.risy);
  // The F line is ignored, the remark is not made, the changed-by parts
  // are not read.
  EXPECT_EQ(+e.raekke.Ejer, kIns);
  EXPECT_EQ(+e.raekke.Status, uint32_t{SKE_EGEN});
  EXPECT_EQ(+e.raekke.bem_id, 0u);
  EXPECT_EQ(+e.raekke.id, 21u);
  EXPECT_EQ(+e.raekke.Dag, 4);
  EXPECT_EQ(+e.raekke.Starttid, 800u);
  EXPECT_EQ(+e.raekke.Sluttid, 930u);
  EXPECT_FLOAT_EQ(+e.raekke.Antal_std_lektioner, 2.0f);
  EXPECT_DOUBLE_EQ(+e.raekke.opdtid, 20240901120000.0);
  EXPECT_STREQ(e.raekke.AEndret_af, "");
  EXPECT_DOUBLE_EQ(+e.raekke.AEndret_tid, 0.0);
  EXPECT_EQ(e.anfo, (std::vector<uint32_t>{s.a1}));
}

// ---- forandringske ----

class Forandringske : public SkemaImport {
 public:
  uint32_t egen0 = 0, egen55 = 0, fremmed55 = 0;
  void SetUp() override {
    SkemaImport::SetUp();
    Faelles f;
    f.id = 0;
    egen0 = Begivenhed(202437, f, {{s.k1}});
    f.id = 55;
    egen55 = Begivenhed(202437, f, {{s.k1}, {0, s.a1, s.rolL}});
    f.ejer = kFremmed;
    fremmed55 = Begivenhed(202437, f, {{s.k2}, {0, s.a3, s.rolL}});
    f.id = 0;
    Begivenhed(202437, f, {{s.k2}});
  }
};

TEST_F(Forandringske, PlusReplacesAndMinusDeletesOnlyTheOtherInstallationsEvent) {
  ASSERT_EQ(Afsnit("@forandringske\nF3\nD20240911\nA1001\nX0\n+55,900,945,2,1,0,ANDEN,0\n"), 1);
  // The other installation's rows are freed, the own event of that id
  // stays; the new version comes at the end.
  EXPECT_EQ(+Ske(202437, fremmed55).Status, 0u);
  EXPECT_EQ(+Ske(202437, fremmed55 + 1).Status, 0u);
  auto v = Begivenheder(202437);
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[1].forste, egen55);
  EXPECT_EQ(+v[1].raekke.Status, 0x40u);
  EXPECT_EQ(+v[3].raekke.id, 55u);
  EXPECT_EQ(+v[3].raekke.Ejer, kFremmed);
  EXPECT_EQ(+v[3].raekke.Status, uint32_t{SKE_EGEN | SKE_KENDT});
  EXPECT_EQ(+v[3].raekke.Dag, 3);
  EXPECT_EQ(v[3].akti, (std::vector<uint32_t>{s.k1}));
  EXPECT_STREQ(v[3].raekke.AEndret_af, "ANDEN");

  ASSERT_EQ(Afsnit("@forandringske\nF3\nD20240911\n-55\n"), 1);
  v = Begivenheder(202437);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[1].forste, egen55);
}

TEST_F(Forandringske, LinesThatNameNoOtherConfirmedEventChangeNothing) {
  struct {
    const char *navn, *afsnit;
  } const tabel[] = {
      {"own installation's line", "F7\nD20240911\nA1001\n+55,900,945\n-55\n"},
      {"id 0 on a + line", "F3\nD20240911\nA1001\n+,900,945\n"},
      {"id 0 on a - line", "F3\nD20240911\n- \n-,\n"},
      {"date outside the period", "F3\nD20270101\nA1001\n+55,900,945\n-55\n"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    const Billede foer = Billede::Nu(false);
    ASSERT_EQ(Afsnit(std::string("@forandringske\n") + t.afsnit), 1);
    EXPECT_EQ(Forskelle(foer, Billede::Nu(false)), std::vector<std::string>{});
  }
}

// ---- andretskema ----

class AndretSkema : public SkemaImport {
 public:
  uint32_t gl = 0;
  void SetUp() override {
    SkemaImport::SetUp();
    Faelles f;
    f.id = 44, f.ejer = kFremmed, f.lektion = 3;
    gl = Begivenhed(202437, f, {{s.k1}, {0, s.a1, s.rolL}, {0, 0, 0, s.l1, s.lokrolle}});
  }
  fs::path LogSti() const { return rod / "log" / "AndretSkema.log"; }

  static std::string Rapport() {
    char hoved[200];
    snprintf(hoved, sizeof hoved, "%-12s%-10s%-10s%-10s%-10s%-12s%-12s%-14s%-14s%s", "\xC6ndret af", "Fra",
             "Lektion", "Til", "Lektion", "Fra Meda", "Til Meda", "Fra lokale", "Til lokale", "\xC6ndret tid\n");
    return std::string("\xC6ndrede skemabegivenheder!\n\n") + hoved +
           "BRUGER      10-09-2024   3      17-09-2024   3      ABC         ABC         101           101           "
           "20240915 1015\n"
           "\t\t\t\t\t\t    Ingen       ABC         Intet         Intet         \n"
           "\n" +
           std::string(78, '*') + "\n";
  }
  // The report as a text file holds it: lines end in CR LF.
  static std::string RapportFil() {
    std::string ud;
    for (char c : Rapport()) {
      if (c == '\n') ud += '\r';
      ud += c;
    }
    return ud;
  }

  void ErErstattet() {
    EXPECT_EQ(+Ske(202437, gl).Status, 0u);
    EXPECT_EQ(+Ske(202437, gl + 2).Status, 0u);
    const auto v = Begivenheder(202438);
    ASSERT_EQ(v.size(), 1u);
    const Beg &e = v[0];
    EXPECT_EQ(+e.raekke.id, 44u);
    EXPECT_EQ(+e.raekke.Ejer, kFremmed);
    EXPECT_EQ(+e.raekke.Status, uint32_t{SKE_EGEN | SKE_MAERKE2});
    EXPECT_EQ(e.anfo, (std::vector<uint32_t>{s.a3, s.a1}));
    EXPECT_EQ(e.loka, (std::vector<uint32_t>{s.l2}));
    EXPECT_EQ(+e.raekke.Lektion, 3);
    EXPECT_EQ(+e.raekke.Starttid, 1000u);
  }
};

TEST_F(AndretSkema, TheChangedEventReplacesTheOldAndIsReportedFirst) {
  ASSERT_EQ(Laes(Fixture("skema_andretskema.dat")), 1);
  ErErstattet();
  EXPECT_EQ(LaesFil(LogSti()), RapportFil());
  EXPECT_EQ(AendredeBegivenhederModtaget, 1);
  EXPECT_EQ(AndretSkemaSkrevet, 1);
}

TEST_F(AndretSkema, TheOldLogIsCutAndKeptBehindTheNewReport) {
  std::string gammel(1500000, 'x');
  for (size_t i = 0; i < gammel.size(); i += 1000) gammel[i] = '\n';
  std::ofstream(LogSti(), std::ios::binary) << gammel;
  ASSERT_EQ(Laes(Fixture("skema_andretskema.dat")), 1);
  EXPECT_EQ(LaesFil(LogSti()), RapportFil() + gammel.substr(0, 1024000));
  // The rewrite leaves no temporary file behind.
  for (const auto &f : fs::directory_iterator(rod / "log"))
    EXPECT_EQ(f.path().filename(), "AndretSkema.log");
}

TEST_F(AndretSkema, ALogThatCannotBeWrittenStillReplacesTheEvents) {
  fs::remove_all(rod / "log");
  std::ofstream(rod / "log") << "ikke en mappe";
  ASSERT_EQ(Laes(Fixture("skema_andretskema.dat")), 1);
  ErErstattet();
  EXPECT_EQ(AndretSkemaSkrevet, 0);
}

TEST_F(AndretSkema, AnIdOfZeroMatchesNoUnconfirmedEvent) {
  Faelles f;
  f.id = 0;
  Begivenhed(202437, f, {{s.k1}});
  const Billede foer = Billede::Nu(false);
  ASSERT_EQ(Afsnit("@andretskema\nD20240917\nA1001\nT,1000,1045\n"), 1);
  EXPECT_EQ(Forskelle(foer, Billede::Nu(false)), std::vector<std::string>{});
}

}  // namespace
