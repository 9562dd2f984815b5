// The central system's answer to an export, as a function of the export,
// the script and the state it keeps: every line that asks for a receipt
// gets one, in the export's order, with new ids from the counter; scripted
// refusals, extra sections, a failed job and a whole data set instead.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "central.h"

namespace {

using namespace jobserver;

// 2024-12-10 13:00:00 UTC.
constexpr time_t kNu = 1733835600;
constexpr const char kOpdtid[] = "20241210130000";

// An export of every section: removed records, a deleted event, events by
// lesson (a known ring system, an unknown one, a lesson beyond the known
// one) and by time, a deleted and two new postings, groups, and plan
// records deleted, new (without id) and changed (with id) in plan mode.
const char kEksport[] =
    "K;N;7;10413;20240801;20250731;0;2;1;0;2;1\n"
    "@retslet\n"
    "M2002\n"
    "@S-\n"
    "2024,37,4,22\n"
    "@S+\n"
    "A1001\nU201\nR1\nM2001,301,45.00\nL3001,401\nBHusk b\xF8ger\n"
    "N20240910,37,1,3,0\n"
    "A1002\nR0\n"
    "T20240913,37,9,1015,1145,1.50,0\n"
    "R9\n"
    "N20240910,37,12,2,0\n"
    "R1\n"
    "N20240910,37,14,11,0\n"
    "@B-\n"
    "2024,9,3,77\n"
    "@B+\n"
    "A1001\nM2001\n"
    "T20240915,9,1,250\n"
    "T20240916,9,2,125\n"
    "@grupper\n"
    "M1,L\xE6rere,2001\n"
    "@ffpg-\n"
    "5;3\n"
    "@ffpg\n"
    "\n"
    "@ffpg+\n"
    "0;Plan A;20240801;20250731;0;7\n"
    "@ffpp+\n"
    "4711;-7;1;2;0;3\n";

class Central : public ::testing::Test {
 protected:
  CentralScript s;
  CentralTilstand t;
  std::vector<std::string> log;

  static void SetUpTestSuite() {
    setenv("TZ", "UTC0", 1);
    tzset();
  }
  void Script(const std::vector<std::string> &linjer) {
    for (const std::string &l : linjer) {
      const size_t b = l.find(' ');
      std::string grund;
      ASSERT_EQ(LaesCentralLinje(l.substr(0, b), b == std::string::npos ? "" : l.substr(b + 1), &s, &grund), 1)
          << grund;
    }
  }
  std::string Svar(const std::string &eksport = kEksport) { return CentralSvar(eksport, s, &t, kNu, &log); }
  std::string Fil(const std::string &navn, const std::string &data) {
    const std::string sti = ::testing::TempDir() + "central_" + navn;
    std::ofstream(sti, std::ios::binary) << data;
    return sti;
  }
};

TEST_F(Central, AcceptsEveryLineWithNewIdsInTheExportsOrder) {
  Script({"ring 1 800-845 850-935 945-1030"});
  EXPECT_EQ(Svar(), std::string("K;20240801;20240801;20250731;1733835600;1;A;2;2\n"
                                "@S-\n"
                                "2024,37,4,0,0\n"
                                "@S+\n"
                                "2024,37,1,0,945,1030,100001,") +
                        kOpdtid +
                        "\n"
                        "2024,37,9,0,1015,1145,100002," +
                        kOpdtid +
                        "\n"
                        // The ring system the central system does not know,
                        // and a lesson beyond its ring system: refused.
                        "2024,37,12,41,0,0,0,0\n"
                        "2024,37,14,42,0,0,0,0\n"
                        "@B-\n"
                        "2024,9,3,0,0\n"
                        "@B+\n"
                        "2024,9,1,0,100003\n"
                        "2024,9,2,0,100004\n"
                        "@ffpg-\n"
                        "3,0\n"
                        "@ffpg+\n"
                        "100005,7,0\n"
                        // A record that has its central id keeps it.
                        "@ffpp+\n"
                        "4711,3,0\n");
  EXPECT_EQ(t.naesteId, 100006);
  // The counts follow: the next answer starts from them and from the next id.
  EXPECT_EQ(Svar("K;N;7;10413;20240801;20250731;0;0;0;0;1;0\n@B-\n2024,9,1,100003\n"),
            "K;20240801;20240801;20250731;1733835600;1;A;2;1\n@B-\n2024,9,1,0,0\n");
  EXPECT_EQ(LaesTilstand(SkrivTilstand(t)).naesteId, 100006);
  EXPECT_EQ(LaesTilstand(SkrivTilstand(t)).posteringer, 1);
}

TEST_F(Central, RefusesTheLinesItsScriptNames) {
  struct Tilfaelde {
    const char *script;
    const char *linje;  // the receipt that replaces the accepted one
  };
  const Tilfaelde tabel[] = {
      {"refuse S- 1 61", "2024,37,4,61,0\n"},
      {"refuse S- 1 62 4", "2024,37,4,62,4\n"},
      // Participant 2, conflict with installation 5; the times stay.
      {"refuse S+ 2 17 2 5", "2024,37,9,17,1015,1145,2,5\n"},
      {"refuse S+ 1 29", "2024,37,1,29,945,1030,0,0\n"},
      {"refuse B- 1 61 3", "2024,9,3,61,3\n"},
      {"refuse B+ 2 12 6", "2024,9,2,12,6\n"},
      {"refuse ffpg- 1 27", "\n3,27\n"},
      {"refuse ffpp+ 1 27", "\n0,3,27\n"},
  };
  for (const Tilfaelde &c : tabel) {
    SCOPED_TRACE(c.script);
    s = {};
    t = {};
    log.clear();
    Script({"ring 1 800-845 850-935 945-1030", c.script});
    const std::string svar = Svar();
    EXPECT_NE(svar.find(c.linje), std::string::npos) << svar;
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].rfind("afviser ", 0), 0u) << log[0];
  }
  // A refused new line takes no id: the next accepted line has the first.
  s = {};
  t = {};
  Script({"ring 1 800-845 850-935 945-1030", "refuse B+ 1 12"});
  const std::string svar = Svar();
  EXPECT_NE(svar.find("2024,9,2,0,100003\n"), std::string::npos) << svar;
}

TEST_F(Central, ExtraSectionsAFailedJobAndAWholeDataSet) {
  // Sections after the receipts, in script order; a missing file is logged.
  Script({"section fremmed " + Fil("fremmed", "2024;37;5;1\n"), "section #genfejl " + Fil("genfejl", "S2024,37,9,17,0,0,2"),
          "section message /ingen/sti", "lock-date 20241001"});
  std::string svar = Svar("K;N;7;10413;20240801;20250731;0;0;0;0;0;0\n");
  EXPECT_EQ(svar, "K;20241001;20240801;20250731;1733835600;1;A;0;0\n@fremmed\n2024;37;5;1\n#genfejl\nS2024,37,9,17,0,0,2\n");
  EXPECT_EQ(log, std::vector<std::string>{"kan ikke laese /ingen/sti"});

  // A failed job: the status line, "!FEJL", and nothing taken over.
  s = {};
  log.clear();
  Script({"fail"});
  const CentralTilstand foer = t;
  EXPECT_EQ(Svar(), "K;20240801;20240801;20250731;1733835600;1;A;0;0\n!FEJL\n");
  EXPECT_EQ(t.naesteId, foer.naesteId);

  // A whole data set in place of the receipts.
  s = {};
  Script({"full " + Fil("fuld", "G;20240801;20240801;20250731;0;1;A;0;0\n@akti\n")});
  EXPECT_EQ(Svar(), "G;20240801;20240801;20250731;0;1;A;0;0\n@akti\n");

  // An export it cannot read is a failed job.
  s = {};
  for (const char *eksport : {"", "\n@S-\n2024,37,4,22\n", "X;N;7;1;2;3\n", "K;N;7;10413;fra;til\n"}) {
    SCOPED_TRACE(eksport);
    EXPECT_EQ(Svar(eksport), "!FEJL\n");
  }
}

TEST_F(Central, ReadsItsOwnScriptLinesStrictly) {
  struct Tilfaelde {
    const char *ord, *rest;
    int svar;
  };
  const Tilfaelde tabel[] = {
      {"refuse", "S+ 1 17", 1},        {"refuse", "S+ 1 17 2 5", 1},   {"refuse", "ffpertab- 3 1", 1},
      {"refuse", "S* 1 17", -1},       {"refuse", "S+ 0 17", -1},      {"refuse", "S+ 1 0", -1},
      {"refuse", "S+ 1 256", -1},      {"refuse", "S+ 1", -1},         {"refuse", "S+ x 17", -1},
      {"refuse", "S+ 1 17 2 5 6", -1}, {"refuse", "S+ 1 17 -2", -1},   {"refuse", "", -1},
      {"section", "fremmed f", 1},     {"section", "fremmed", -1},     {"section", "@ f", -1},
      {"fail", "", 1},                 {"fail", "nu", -1},             {"full", "f", 1},
      {"full", "", -1},                {"lock-date", "20241001", 1},   {"lock-date", "2024", -1},
      {"ring", "1 800-845", 1},        {"ring", "1 845-800", -1},      {"ring", "1 800", -1},
      {"ring", "0 800-845", -1},       {"ring", "1", -1},              {"ring", "1 800-845 x", -1},
      {"greeting", "hej", 0},          {"refusee", "S+ 1 17", 0},
  };
  for (const Tilfaelde &c : tabel) {
    SCOPED_TRACE(std::string(c.ord) + " " + c.rest);
    CentralScript script;
    std::string grund;
    EXPECT_EQ(LaesCentralLinje(c.ord, c.rest, &script, &grund), c.svar);
    EXPECT_EQ(grund.empty(), c.svar >= 0);
  }
  // A state file it cannot read starts the counter afresh.
  for (const char *tekst : {"", "x 1 2\n", "0 1 2\n", "5 -1 2\n", "5 1\n"}) EXPECT_EQ(LaesTilstand(tekst).naesteId, 100001);
}

}  // namespace
