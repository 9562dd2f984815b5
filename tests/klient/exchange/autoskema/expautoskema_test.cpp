// The AutoSkema export: the whole document of a fixture week against a
// hand-written file, the format's edge cases, the refusals, the stops that
// must leave no file and no deleted event, the group dialog, and the
// command from the menu as the user gives it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ExpAutoSkema.h"
#include "LOGFIL.h"
#include "TABOPER.h"
#include "MENUKOMMANDO.h"
#include "autoskema_fixture.h"
#include "eksportdlg.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"
#include "win/controls.h"

namespace {

using namespace autotest;
using tavo::test::ShownDialog;

struct Boks {
  std::string tekst, titel;
};

std::vector<Boks> Bokse() {
  std::vector<Boks> v;
  for (const auto &m : tavo::test::MessageBoxesShown()) v.push_back({m.text, m.caption});
  return v;
}

class ExpAutoSkemaTest : public AutoSkole {
 public:
  uint32_t akti1 = 0, akti2 = 0, anfo1 = 0, anfo2 = 0, fag1 = 0, fag2 = 0, risy = 0, loka1 = 0, loka3 = 0;
  uint32_t gruppeA = 0, gruppeB = 0, autoBeg = 0;

  // The fixture week: one ordinary event, one earlier AutoSkema event and
  // one deleted event; a plan row of the current group that shares its
  // teacher with a row of another group.
  void Skolen() {
    risy = Ring(401, "STD", {{800, 845, 1.0f}, {845, 945, 1.5f}});
    akti1 = Aktivitet(101, "1a", risy);
    akti2 = Aktivitet(102, "2b", 0);
    const uint32_t m1 = Meda(501, "AB"), m2 = Meda(502, "CD");
    anfo1 = AnfoMed(601, m1);
    anfo2 = AnfoMed(602, m2);
    fag1 = Fag(301, "DAN", "Dansk");
    fag2 = Fag(302, "MAT", "Matematik");
    loka1 = Lokale(701, 1, "28");
    const uint32_t arkiv = Lokale(702, 0x80000001u, "30");
    loka3 = Lokale(703, 2, "");
    const uint32_t p1 = Person(801), p2 = Person(802);
    Tilmeld(p1, akti1, 20240801, 20250731);
    Tilmeld(p2, akti1, 20250101, 20250731);

    Begivenhed(9001, 0x50, 1, 1, 800, 845, risy, fag1, {{akti1, anfo1, 0}, {0, 0, loka1}});
    autoBeg = Begivenhed(9002, 128, 2, 1, 800, 845, risy, fag1, {{akti1, anfo1, 0}});
    Begivenhed(9003, 0x48, 2, 2, 845, 945, risy, fag1, {{akti1, anfo1, 0}});

    gruppeA = Gruppe(1, "Gruppe A");
    gruppeB = Gruppe(2, "Gruppe B");
    // 4 lessons planned, 1 scheduled: 3 to place.
    PlanRaekke(gruppeA, akti1, fag1, anfo1, 0, 0, 400, 40);
    PlanRaekke(gruppeB, akti2, fag2, anfo1, anfo2, 1, 200, 20);

    Prioritet(anfo1, 1, 1000, 1200, 1);
    Prioritet(anfo1, 1, 800, 1000, 1);
    Prioritet(anfo1, 2, 800, 900, 2);
    Prioritet(anfo2, 3, 900, 1000, 1);
    Prioritet(anfo2, 4, 900, 1000, 1, 0x48);  // a deletion not yet sent
    AktiLokale(akti1, loka1);
    AktiLokale(akti1, arkiv);
    AktiLokale(akti2, loka3);
    FagLokale(fag1, loka1);
    FagLokale(fag2, loka3);
  }

  // Answers the group dialog: the groups left selected, then OK, or
  // Annuller; the lines it showed are kept.
  std::vector<std::string> viste;
  void SvarGrupper(bool ok, std::function<void(HWND liste)> vaelg = nullptr) {
    tavo::test::AnswerNextDialog([this, ok, vaelg](const ShownDialog &d) -> INT_PTR {
      EXPECT_EQ(d.caption, "Medarbejder i andre plan grupper");
      HWND liste = GetDlgItem(d.hwnd, IDC_ANDRE_GRUPPER);
      const LRESULT n = SendMessageA(liste, LB_GETCOUNT, 0, 0);
      for (LRESULT i = 0; i < n; ++i) {
        char linje[300] = {};
        SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(linje));
        viste.push_back(std::string(linje) + (SendMessageA(liste, LB_GETSEL, i, 0) > 0 ? " [valgt]" : ""));
      }
      if (const char *ud = std::getenv("TAVO_SNAPSHOT_DIR")) {
        tavo::test::PumpUntilIdle();
        tavo::test::SaveWindowPng(d.hwnd, (std::string(ud) + "/andre_plan_grupper.png").c_str());
      }
      if (vaelg) vaelg(liste);
      SendMessageA(d.hwnd, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
      return 0;
    });
  }
};

TEST_F(ExpAutoSkemaTest, TheFixtureWeekIsWrittenByteForByte) {
  Skolen();
  AabnPlan(gruppeA);
  SvarGrupper(true);
  ExpAutoSkema();
  const std::string forventet = LaesFil(fs::path(TAVO_FIXTURES) / "exchange" / "as_exp_uge52.json");
  const std::string skrevet = LaesFil(Eksport());
  EXPECT_EQ(skrevet, forventet);
  EXPECT_TRUE(GyldigJson(skrevet));
  // The group line: the name, a blank and the number in a field of 200.
  ASSERT_EQ(viste.size(), 1u);
  EXPECT_EQ(viste[0], "Gruppe B " + std::string(199, ' ') + "2 [valgt]");
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  // The obsolete parameter is gone from the parameters file.
  WritePrivateProfileStringA("straffaktorer", "undervisning_i_lektion_7_eller_8", "5", StiTab.szautoske);
  SvarGrupper(false);
  ExpAutoSkema();
  char buf[16];
  GetPrivateProfileStringA("straffaktorer", "undervisning_i_lektion_7_eller_8", "", buf, sizeof buf,
                           StiTab.szautoske);
  EXPECT_STREQ(buf, "");
}

TEST_F(ExpAutoSkemaTest, ParametersAreReadEachTime) {
  AabnPlan(0);
  WritePrivateProfileStringA("global", "antalkoersler", "5", StiTab.szautoske);
  WritePrivateProfileStringA("global", "regn_i_minutter", "0", StiTab.szautoske);
  WritePrivateProfileStringA("straffaktorer", "sene_lektioner", "9", StiTab.szautoske);
  ExpAutoSkema();
  const std::string d = LaesFil(Eksport());
  EXPECT_NE(d.find("\"antalkoersler\":5,"), std::string::npos) << d;
  EXPECT_NE(d.find("\"regn_i_minutter\":false,"), std::string::npos) << d;
  EXPECT_NE(d.find(",\"sene_lektioner\":9,"), std::string::npos) << d;
}

// The format's edge cases, each on a fixture of its own.
TEST_F(ExpAutoSkemaTest, EdgeCasesOfTheFormat) {
  struct Tilfaelde {
    const char *navn;
    std::function<void(ExpAutoSkemaTest &)> skole;
    std::string forventet;
  };
  const std::vector<Tilfaelde> tabel = {
      {"a week without events", [](ExpAutoSkemaTest &) {}, "\"skemabegivenheder\":[\n]\n,\n"},
      {"a first lesson starting at 0",
       [](ExpAutoSkemaTest &t) {
         const uint32_t r = t.Ring(402, "NUL", {{0, 845, 1.0f}});
         const uint32_t a = t.Aktivitet(103, "3c", r);
         t.Begivenhed(9100, 0x50, 3, 1, 0, 845, r, 0, {{a, 0, 0}});
       },
       "\"lektioner\":[{\"lektion\":1,\"antal_std_lektioner\":1.00,\"starttid\":0,\"sluttid\":845}]}\n]\n"},
      {"a name with a quote, a backslash and a tab",
       [](ExpAutoSkemaTest &t) {
         const uint32_t a = t.Aktivitet(104, "4\"d\\e\tf", 0);
         t.Begivenhed(9101, 0x50, 1, 2, 845, 930, 0, 0, {{a, 0, 0}});
       },
       "\"aktivitet\":\"4\\\"d\\\\e\\u0009f\""},
      {"a room group not selected",
       [](ExpAutoSkemaTest &t) {
         HuskGruppe[GRP_LOKA] = 2;
         t.Lokale(710, 1, "10");
         t.Lokale(711, 2, "abc");
       },
       "\"lokaler\":[\n{\"loka_id\":711,\"undervisningspladser\":0}\n]\n"},
      {"empty relation and period arrays",
       [](ExpAutoSkemaTest &) {},
       "\"medaarbejdsperioder\":[\n]\n,\n\"skolefag_lokale\":[\n]\n,\n\"aktivitet_lokale\":[\n]\n,\n"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    TearDown();
    SetUp();
    t.skole(*this);
    AabnPlan(0);
    ExpAutoSkema();
    const std::string d = LaesFil(Eksport());
    EXPECT_NE(d.find(t.forventet), std::string::npos) << d;
    EXPECT_TRUE(GyldigJson(d)) << d;
  }
}

// Each refusal shows its box and changes no file and no event.
TEST_F(ExpAutoSkemaTest, RefusalsLeaveEverythingAsItWas) {
  struct Tilfaelde {
    const char *navn;
    bool plan;
    std::vector<const char *> filer;  // in data/, each holding "gammel"
    Boks boks;
  };
  const std::vector<Tilfaelde> tabel = {
      {"no plan window", false, {},
       {"Planmodul skal være åbent for at kunne eksportere til autoskema", "Planmodul ikke åbent!"}},
      {"the export is at the server", true, {"as_exp.json", "as_exp.json.gz"},
       {"Der er allerede oprettet en eksportfil.\nOg serveren behandler den i øjeblikket, vent til serveren har "
        "færdigbehandlet exporten.\nDu kan ikke lave en ny eksport før den eksistende er behandlet færdig.",
        "AutoSkema Eksport!"}},
      {"only the packed export is left, at the server", true, {"as_exp.json.gz"},
       {"Der er allerede oprettet en eksportfil.\nOg serveren behandler den i øjeblikket, vent til serveren har "
        "færdigbehandlet exporten.\nDu kan ikke lave en ny eksport før den eksistende er behandlet færdig.",
        "AutoSkema Eksport!"}},
      {"an answer waits", true, {"as_imp.json"},
       {"Der ligger et svar fra AutoSkema, som endnu ikke er indlæst.\nIndlæs det med \"Import fra AutoSkema\", "
        "før du laver en ny eksport.",
        "AutoSkema Eksport!"}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    TearDown();
    SetUp();
    Skolen();
    if (t.plan) AabnPlan(gruppeA);
    for (const char *f : t.filer) std::ofstream(rod / "data" / f) << "gammel";
    const std::vector<uint32_t> foer = Statusser();
    ExpAutoSkema();
    const auto b = Bokse();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].tekst, t.boks.tekst);
    EXPECT_EQ(b[0].titel, t.boks.titel);
    std::set<std::string> filer;
    for (const auto &e : fs::directory_iterator(rod / "data"))
      if (e.path().filename().string().rfind("as_", 0) == 0) filer.insert(e.path().filename().string());
    EXPECT_EQ(filer, std::set<std::string>(t.filer.begin(), t.filer.end()));
    for (const char *f : t.filer) EXPECT_EQ(LaesFil(rod / "data" / f), "gammel");
    EXPECT_EQ(Statusser(), foer);
  }
}

// An export that stops leaves no file, and the week's AutoSkema events stay.
TEST_F(ExpAutoSkemaTest, StopsLeaveNoFileAndKeepTheAutoSkemaEvents) {
  struct Tilfaelde {
    const char *navn;
    std::function<void(ExpAutoSkemaTest &)> forbered;
    Boks boks;  // empty: none
  };
  const std::vector<Tilfaelde> tabel = {
      {"too many lessons for the block",
       [](ExpAutoSkemaTest &t) {
         // 12 lessons in blocks of 2 with 1 scheduled: 11 > 10.
         const uint32_t g = t.Gruppe(3, "Gruppe C");
         t.PlanRaekke(g, t.akti1, t.fag1, t.anfo1, 0, 2, 120, 120);
         t.AabnPlan(g);
         t.SvarGrupper(true);
       },
       {"Antal af lektioner (11) med pågældende lektionsblok-størrelse (2), kan ikke placeres på en uge, med en blok "
        "pr. dag.\r\n\r\nAktivitet: 1a Skolefag:DAN - Dansk\r\n\r\nTilpas og lav derefter eksporten på ny.",
        "Kan ikke placere lektioner!"}},
      {"Annuller in the group dialog",
       [](ExpAutoSkemaTest &t) {
         t.AabnPlan(t.gruppeA);
         t.SvarGrupper(false);
       },
       {}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    TearDown();
    SetUp();
    Skolen();
    std::ofstream(Eksport()) << "gammel";  // an unsent old export is replaced, never sent
    const std::vector<uint32_t> foer = Statusser();
    t.forbered(*this);
    ExpAutoSkema();
    const auto b = Bokse();
    if (t.boks.titel.empty()) {
      EXPECT_TRUE(b.empty());
    } else {
      ASSERT_EQ(b.size(), 1u);
      EXPECT_EQ(b[0].tekst, t.boks.tekst);
      EXPECT_EQ(b[0].titel, t.boks.titel);
    }
    EXPECT_FALSE(fs::exists(Eksport()));
    EXPECT_EQ(Statusser(), foer);
    EXPECT_EQ(Ske(kUge, autoBeg).Status, 128u);
    EXPECT_TRUE(KontaktNu().empty());
  }
}

TEST_F(ExpAutoSkemaTest, WithoutMemoryForTheSelectionNothingIsWritten) {
  Skolen();
  AabnPlan(gruppeA);
  const std::vector<uint32_t> foer = Statusser();
  // The selection's bytes are the only single-byte allocations.
  TabAlloc.Calloc = [](size_t antal, size_t stoerrelse) -> void * {
    return stoerrelse == 1 ? nullptr : calloc(antal, stoerrelse);
  };
  ExpAutoSkema();
  TabAlloc = {calloc, realloc};
  const auto b = Bokse();
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].titel, "AutoSkema Eksport!");
  EXPECT_EQ(b[0].tekst, "Der er ikke hukommelse nok til eksporten til AutoSkema.\nDer er ikke lavet nogen eksportfil.");
  EXPECT_FALSE(fs::exists(Eksport()));
  EXPECT_EQ(Statusser(), foer);
  EXPECT_TRUE(KontaktNu().empty());
}

TEST_F(ExpAutoSkemaTest, OnlyTheChosenGroupsRowsAreWritten) {
  Skolen();
  const uint32_t gruppeC = Gruppe(3, "Gruppe C");
  const uint32_t akti3 = Aktivitet(103, "3c", 0);
  PlanRaekke(gruppeC, akti3, fag2, anfo1, 0, 2, 100, 10);
  AabnPlan(gruppeA);
  // Gruppe B deselected, Gruppe C kept.
  SvarGrupper(true, [](HWND liste) { SendMessageA(liste, LB_SETSEL, FALSE, 0); });
  ExpAutoSkema();
  ASSERT_EQ(viste.size(), 2u);
  EXPECT_EQ(viste[0].substr(0, 9), "Gruppe B ");
  EXPECT_EQ(viste[1].substr(0, 9), "Gruppe C ");
  const std::string d = LaesFil(Eksport());
  EXPECT_NE(d.find("{\"akti_id\":101,\"skfa_id\":301,"), std::string::npos) << d;
  EXPECT_NE(d.find("{\"akti_id\":103,\"skfa_id\":302,"), std::string::npos) << d;
  EXPECT_EQ(d.find("\"akti_id\":102"), std::string::npos) << d;
  // Gruppe B's second teacher is in no chosen row: no working periods.
  EXPECT_EQ(d.find("\"meda_id\":502, \"perioder\""), std::string::npos) << d;
  EXPECT_TRUE(GyldigJson(d));
}

TEST_F(ExpAutoSkemaTest, FromTheMenuAsTheUserGivesIt) {
  Skolen();
  const uint32_t andenUge = Begivenhed(9200, 128, 1, 1, 800, 845, risy, fag1, {{akti1, anfo1, 0}}, 202451);
  AabnPlan(gruppeA);
  SvarGrupper(true);
  std::vector<uint32_t> foer = Statusser();
  ASSERT_EQ(AabnLog(), 1);
  MainMenuCommand(hwndHoved, 40282, 0);
  LukLog();
  EXPECT_TRUE(fs::exists(Eksport()));
  const auto b = Bokse();
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].titel, "Eksport afsluttet!");
  EXPECT_EQ(b[0].tekst, "Data for uge 202452 er nu eksporteret til " + std::string(StiTab.szasexp) + ".");
  EXPECT_EQ(KontaktNu(), std::vector<LPARAM>{1});
  const std::string log = LaesFil(rod / "log" / "tavo.log");
  EXPECT_NE(log.find("   " + b[0].tekst), std::string::npos) << log;
  // The earlier AutoSkema event of the week is gone; nothing else changed.
  const std::vector<uint32_t> efter = Statusser();
  ASSERT_EQ(efter.size(), foer.size());
  for (size_t i = 0; i < foer.size(); ++i) {
    if (i + 1 == autoBeg)
      EXPECT_NE(efter[i] & 448, 128u) << "row " << i + 1;
    else
      EXPECT_EQ(efter[i], foer[i]) << "row " << i + 1;
  }
  EXPECT_EQ(Ske(202451, andenUge).Status, 128u);
}

}  // namespace
