// The answer sections of data\ep_imp.dat over a small group: each answer
// kind as a table of lines (OK and error, record found or not), with the
// records it changes, the log byte for byte and the count of error answers;
// the header of the log once after an export command; lines of the wrong
// field count; over-long lines, fields and error texts.
#include <functional>
#include <string>
#include <vector>

#include "epimport_fixture.h"
#include "tavo/test_user.h"

using namespace eleventest;

namespace {

class EpImportSvar : public EpImportMappe {
 protected:
  // Group 501; activities 1 and 2 "Smed #2" waiting for their copy, 3
  // "Smed" (id 5003), 4 "Maler" waiting but deleted; students 1 Anna Berg
  // (9001) and 2 Bo Dahl (9002); wishes 1 and 2 of Anna for Smed sent as
  // new, 3 of Bo (id 303) and 4 of Anna (id 303 as well, deleted).
  void SetUp() override {
    EpImportMappe::SetUp();
    g = NyTg(501, 'U');
    for (uint32_t id : {2137483648u, 2137483649u}) {
      const uint32_t a = NyLa(g, id, "Smed #2");
      LaRecNr(a)->ElevPlanStatus = EP_LA_KOPI_BEDT;
    }
    NyLa(g, 5003, "Smed");
    LaRecNr(NyLa(g, 2137483650u, "Maler", 30))->ElevPlanStatus = EP_LA_KOPI_BEDT;
    Elev(9001, "Anna Berg");
    Elev(9002, "Bo Dahl");
    Oenske(2137483647u, g, 1, 3, EP_EV_SENDT_NY);
    Oenske(2137483651u, g, 1, 3, EP_EV_SENDT_NY);
    Oenske(303, g, 2, 3, 0);
    Oenske(303, g, 1, 3, 0, 30);
    for (TabVar *tv : {&tvtg, &tvla, &tvelev, &tvev}) tv->fSorter = 1;
  }
  uint32_t g = 0;
};

struct SvarTilfaelde {
  const char *navn;
  const char *fil;
  std::vector<std::string> aendret;  // "table:record"
  const char *log;                   // after the header when errors were counted
  uint32_t fejl;
  std::function<void()> tjek;
};

TEST_F(EpImportSvar, EachAnswerKindAsATableOfLines) {
  const SvarTilfaelde tabel[] = {
      {"copy made", "@KopierAktivitet\n7001;Smed #2;a;b;c;d;OK\n", {"la:1"}, "", 0,
       [] {
         EXPECT_EQ(+LaRecNr(1)->id, 7001u);
         EXPECT_EQ(+LaRecNr(1)->ElevPlanStatus, EP_LA_KOPI_LAVET);
       }},
      {"two copies of one name, in record order",
       "@KopierAktivitet\n7001;Smed #2;;;;;OK\n7002;Smed #2;;;;;OK\n7003;Smed #2;;;;;OK\n",
       {"la:1", "la:2"}, "", 0,
       [] {
         EXPECT_EQ(+LaRecNr(1)->id, 7001u);
         EXPECT_EQ(+LaRecNr(2)->id, 7002u);
       }},
      {"copy of no waiting activity", "@KopierAktivitet\n7001;Smed;;;;;OK\n7002;Maler;;;;;OK\n", {}, "", 0,
       nullptr},
      {"copy refused", "@KopierAktivitet\n0;Smed #2;;;;;Aktiviteten kan ikke kopieres\n", {},
       "0;Smed #2;;;;;Aktiviteten kan ikke kopieres\n", 1, nullptr},
      {"copy line of 6 fields", "@KopierAktivitet\n7001;Smed #2;a;b;c;OK\n", {},
       "Lilien har ikke det rigtige antal felter - 7001;Smed #2;a;b;c;OK\n", 0, nullptr},
      {"copy line of 8 fields", "@KopierAktivitet\n7001;Smed #2;a;b;c;d;OK;x\n", {},
       "Lilien har ikke det rigtige antal felter - 7001;Smed #2;a;b;c;d;OK;x\n", 0, nullptr},
      {"enrolment made, twice for one pair",
       "@NyTilmelding\n800001;OK;9001;5003;a;b;c\n800002;OK;9001;5003;a;b;c\n800003;OK;9001;5003;a;b;c\n",
       {"ev:1", "ev:2"}, "", 0,
       [] {
         EXPECT_EQ(+EvRecNr(1)->id, 800001u);
         EXPECT_EQ(+EvRecNr(1)->ElevPlanStatus, EP_EV_BEKRAEFTET);
         EXPECT_EQ(+EvRecNr(2)->id, 800002u);
       }},
      {"enrolment of a student that is gone", "@NyTilmelding\n800001;OK;9999;5003;a;b;c\n", {}, "", 0, nullptr},
      {"enrolment of a pair not sent", "@NyTilmelding\n800001;OK;9002;5003;a;b;c\n", {}, "", 0, nullptr},
      {"enrolment refused, both found",
       "@NyTilmelding\n0;Eleven er ikke optaget;9001;5003;20240902;20250627;1\n", {},
       "0;Eleven er ikke optaget;\n  9001;Anna Berg;\n  5003;Smed;\n  20240902;20250627;1\n", 1, nullptr},
      {"enrolment refused, student not found", "@NyTilmelding\n0;Fejl;9999;5003;x;y;z\n", {},
       "0;Fejl;\n  5003;Smed;\n  x;y;z\n", 1, nullptr},
      {"enrolment refused, neither found", "@NyTilmelding\n0;Fejl;9999;9998;x;y;z\n", {}, "0;Fejl;\n  x;y;z\n", 1,
       nullptr},
      {"deletion", "@SletTilmelding\n303;OK\n", {"ev:3"}, "", 0,
       [] {
         const EvRec *e = EvRecNr(3);
         EXPECT_EQ(+e->id, 0u);
         EXPECT_EQ(+e->Status, 0);
         EXPECT_EQ(+e->ElevPlanStatus, 0);
         // The other bytes stay.
         EXPECT_EQ(+e->elev_id, 2u);
         EXPECT_STREQ(e->Accept, "J");
       }},
      {"deletion refused still empties the wish", "@SletTilmelding\n303;Ukendt tilmelding\n", {"ev:3"},
       "303;Ukendt tilmelding;\n  \n", 1, [] { EXPECT_EQ(+EvRecNr(3)->Status, 0); }},
      {"deletion of no wish", "@SletTilmelding\n999;OK\n998;Ukendt\n", {}, "998;Ukendt;\n  \n", 1, nullptr},
      {"acceptance", "@AccepterTilmelding\n303;OK\n", {}, "", 0, nullptr},
      {"rejection refused", "@AfvisTilmelding\n303;Kan ikke afvises\n", {}, "303;Kan ikke afvises\n", 1, nullptr},
      {"acceptance of an inactive student", "@AccepterTilmelding\n303;Eleven er inaktiv\n", {},
       "303;Eleven er inaktiv\n  9002;Bo Dahl\n", 1, nullptr},
      {"inactive, wish not found", "@AfvisTilmelding\n999;inaktiv elev\n", {}, "999;inaktiv elev\n", 1, nullptr},
      {"answers of every kind in one file",
       "@KopierAktivitet\n0;Smed #2;;;;;Nej\n@SletTilmelding\n303;Nej\n@AfvisTilmelding\n303;Eleven er inaktiv\n",
       // The deleted wish of the same id is the one left to name its student.
       {"ev:3"}, "0;Smed #2;;;;;Nej\n303;Nej;\n  \n303;Eleven er inaktiv\n  9001;Anna Berg\n", 3, nullptr},
  };
  const TabelBillede start = Nu();
  for (const SvarTilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    TearDown();
    SetUp();
    Laes(t.fil);
    EXPECT_EQ(Forskelle(start, Nu()), t.aendret);
    const std::string hoved = t.fejl > 0 ? Hoved() : "";
    EXPECT_EQ(Log(), Crlf(hoved + t.log));
    EXPECT_EQ(EpFejlAntal, t.fejl);
    if (t.tjek) t.tjek();
  }
}

TEST_F(EpImportSvar, ErrorsBeforeTheFirstAnswerLineAndShortLinesArePassedBy) {
  Laes("7001;Smed #2;;;;;OK\n@KopierAktivitet\n\nx\n \"\n7001;Smed #2;;;;;OK\n");
  EXPECT_EQ(+LaRecNr(1)->id, 7001u);
  EXPECT_EQ(Log(), "");
}

TEST_F(EpImportSvar, TheHeaderIsWrittenOncePerExportCommand) {
  EpTilstand = {};
  // Two answers after one export command: the header in the first log with
  // an error, not in the second's.
  SkrivSvar("@SletTilmelding\n999;OK\n");
  ImportElevplan();
  EXPECT_EQ(Log(), "");
  SkrivSvar("@AfvisTilmelding\n303;Nej\n");
  ImportElevplan();
  EXPECT_EQ(Log(), Crlf(Hoved() + "303;Nej\n"));
  SkrivSvar("@AfvisTilmelding\n304;Nej\n");
  ImportElevplan();
  EXPECT_EQ(Log(), Crlf("304;Nej\n"));
  EXPECT_EQ(EpFejlAntal, 2u);
  // The export command starts the count again.
  EpFejlAntal = 0;
  SkrivSvar("@AfvisTilmelding\n305;Nej\n");
  ImportElevplan();
  EXPECT_EQ(Log(), Crlf(Hoved() + "305;Nej\n"));
}

TEST_F(EpImportSvar, EveryLoggedErrorRepaintsTheStatusPane) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "EpImportStatus";
  RegisterClassA(&wc);
  const HWND status = CreateWindowExA(0, "EpImportStatus", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 20, 0, 0, 0,
                                      nullptr);
  tavo::test::PumpUntilIdle();
  hwndEpStatus = status;
  tavo::test::StartMessageLog();
  Laes("@AfvisTilmelding\n303;Nej\n304;Nej\n@KopierAktivitet\n1;2;3;4;5;6\n");
  const auto log = tavo::test::StopMessageLog();
  // Two error answers; the line of the wrong field count is none.
  EXPECT_EQ(tavo::test::MessagesOf(log, status, {WM_PAINT}).size(), 2u);
  DestroyWindow(status);
}

TEST_F(EpImportSvar, OverLongLinesFieldsAndTextsAreCut) {
  const std::string f(110, 'F'), lang(600, 'x');
  // A line of 511 characters and a rest that would read as a header of its
  // own if the line were split.
  const std::string raekke = std::string(511, 'r') + "@ukendt;;;;;;\n";
  const std::string fil = "@NyTilmelding\n1;" + f + ";9001;5003;" + f + ";" + f + ";" + f + "\n" + raekke +
                          "@AfvisTilmelding\n303;" + lang + "\n";
  Laes(fil);
  const std::string f99(99, 'F');
  const std::string ny = ("1;" + f99 + ";\n  9001;Anna Berg;\n  5003;Smed;\n  " + f99 + ";" + f99).substr(0, 199);
  const std::string afvis = ("303;" + std::string(99, 'x')).substr(0, 199);
  EXPECT_EQ(Log(), Crlf(Hoved() + ny + "\n" + "Lilien har ikke det rigtige antal felter - " + std::string(511, 'r') +
                        "\n" + afvis + "\n"));
  EXPECT_EQ(EpFejlAntal, 2u);
}

}  // namespace
