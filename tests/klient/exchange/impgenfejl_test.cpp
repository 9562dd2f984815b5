// The refusal report log\genfejl.log built from a "genfejl" section, its
// rotation at the next import, and the settings section "inifil".

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HENTGEM.h"
#include "INDSTIL.h"
#include "ImpData.h"
#include "KROGE.h"
#include "ImpGenfejl.h"
#include "STATUSBAR.h"
#include "eksport_fixture.h"
#include "import_tekst.h"

namespace {

using namespace eksporttest;

constexpr char kStatus[] = "K;20240801;20240801;20250731;1733835600;1;A;12;34\n";

class AfsnitTest : public EksportSkole {
 public:
  static int Laes(const std::string &tekst) { return LaesImportTekst(tekst); }
  // The report is a text file: its lines end in CR LF on the disk.
  std::string Rapport() const {
    std::string t = LaesFil(rod / "log" / "genfejl.log"), ud;
    for (size_t i = 0; i < t.size(); ++i)
      if (!(t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n')) ud += t[i];
    return ud;
  }
};

// ---- genfejl ----

class Genfejl : public AfsnitTest {
 public:
  void SetUp() override {
    AfsnitTest::SetUp();
    Stamdata();
    Faelles f;
    f.skfa = s.dansk;
    Begivenhed(202437, f, {{s.k1}, {0, s.a1, s.rolL}, {0, 0, 0, s.l1, s.lokrolle}});
    f.skfa = 0;
    Begivenhed(202437, f, {{s.k2}});
    Postering(202409, 1, 0x40, s.k1, s.a1, 1, -50);
    Postering(202409, 2, 0x40, s.k1, s.a1, 2, -150);
    Postering(202409, 3, 0x40, s.k1, s.a1, 3, 125);
  }

  static std::string Hoved(int skema, int poster) {
    char t[200];
    std::string h =
        "Denne logfil er genereret, fordi skemaet er blevet gendannet.\n"
        "\xC5rsagen til gendannelsen kan v\xE6re at:\n";
    snprintf(t, sizeof t, " antal skema i easy er : 12, antal skema p\xE5 pc'en er : %d\n", skema);
    h += t;
    snprintf(t, sizeof t, " antal poster i easy er: 34, antal poster p\xE5 pc'en er: %d\n\n", poster);
    h += t;
    return h +
           "Fejllinie syntaks for skemabegivenhed.\n"
           "Dato,Starttid,Sluttid;Akti,...;Skfa;Meda,...;Loka,...;\n"
           "Fejllinie syntaks for postering.\n"
           "Dato;Akti;Meda;Timer;\n\n"
           "F\xF8lgende skemabegivenheder / timeposter kunne IKKE behandles i EASY.\n" +
           std::string(71, '-') + "\n";
  }
};

TEST_F(Genfejl, EventAndPostingLinesUnderTheirHeaders) {
  struct {
    const char *navn;
    bool medExp;
    int skema, poster;
  } const tabel[] = {{"with the last export", true, 5, 8}, {"without data\\exp.dat", false, 0, 0}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    std::error_code ec;
    fs::remove(Data("exp.dat"), ec);
    if (t.medExp) std::ofstream(Data("exp.dat")) << "T;J;7;10413;20240801;20250731;5;0;0;8;1\n@S+\n";
    ASSERT_EQ(Laes(std::string(kStatus) +
                   "@genfejl\n"
                   "S2024,37,1,15,0,0,9\n"
                   "  S2024,37,4,15,0,0,9  \n"
                   "T2024,9,1,15,0\n"
                   "T2024,9,2,19,0\n"
                   "T2024,9,99,20,0\n"
                   "T2024,9,3,19,0\n"
                   "S2030,37,1,16,0,0,9\n"
                   "S2024,37,1,16,0,0,9\n"
                   "S2024,37,1,16,0,0,9\n"
                   "T2024,9,3,777,0\n"
                   "X ukendt linje\n"
                   "@message\n"),
              1);
    EXPECT_EQ(Rapport(),
              Hoved(t.skema, t.poster) +
                  "Skema fejl 15, objekt 9:  Skolefag ikke p\xE5 aktiviteten \n"
                  "20240910,1000,1045;hold;DA ;ABC;101;\n"
                  // No subject: ";;" between activities and employees.
                  "20240910,1000,1045;hold;;;;\n"
                  // The same error as the events: no header.
                  "20240901;hold;ABC;-0,50;\n"
                  "Post fejl 19 :  Akti+Anfo allerede posteret \n"
                  "20240902;hold;ABC;-1,50;\n"
                  // Row 99 wrote nothing and kept error 19.
                  "20240903;hold;ABC;1,25;\n"
                  // The week outside the period wrote nothing either.
                  "Skema fejl 16, objekt 9:  Fridag for aktiviteten \n"
                  "20240910,1000,1045;hold;DA ;ABC;101;\n"
                  "20240910,1000,1045;hold;DA ;ABC;101;\n"
                  "Post fejl 777 : Ukendt fejl!\n"
                  "20240903;hold;ABC;1,25;\n");
    EXPECT_TRUE(GenFejlLogFindes());
    free(ImportBesked);
    ImportBesked = nullptr;
  }
}

TEST_F(Genfejl, AReportThatCannotBeMadeSkipsOnlyItsSection) {
  fs::remove_all(rod / "log");
  std::ofstream(rod / "log") << "ikke en mappe";
  ASSERT_EQ(Laes(std::string(kStatus) + "@genfejl\nS2024,37,1,15,0,0,9\n@minusakti\n1001\n"), 1);
  EXPECT_FALSE(GenFejlLogFindes());
  EXPECT_EQ(GetRec(&tdakti, &tvakti, s.k1)[offsetof(AktiRec, Slettet_i_EASY)], 1);
}

TEST_F(Genfejl, TheNextImportMovesTheReportToTheOldOne) {
  HentGemKrog = HentGemKroge{};
  // The save takes the exchange files in its commit through the slots the
  // program's wiring fills.
  InstallerImportData();
  std::ofstream(rod / "log" / "genfejl.log") << "forrige rapport\n";
  std::ofstream(Data("imp.dat")) << kStatus << "@genfejl\nS2024,37,1,15,0,0,9\n";
  ASSERT_EQ(ImportDriver(0), 1);
  EXPECT_EQ(LaesFil(rod / "log" / "genfejl.old"), "forrige rapport\n");
  EXPECT_NE(Rapport().find("Skema fejl 15"), std::string::npos);
  EXPECT_TRUE(GenFejlLogFindes());
  // An import without the section leaves no report: the pane goes.
  std::ofstream(Data("imp.dat")) << kStatus << "@message\nx\n";
  ASSERT_EQ(ImportDriver(0), 1);
  EXPECT_FALSE(GenFejlLogFindes());
  EXPECT_NE(LaesFil(rod / "log" / "genfejl.old").find("Skema fejl 15"), std::string::npos);
  free(ImportBesked);
  ImportBesked = nullptr;
  HentGemKrog = HentGemKroge{};
}

// ---- inifil ----

class Inifil : public AfsnitTest {};

TEST_F(Inifil, EachLineIsStoredAndTheKeptSettingsAreReadAgain) {
  GlobalIndstillinger.checkminutnorm = 'j';
  GlobalIndstillinger.niveaufag = 0;
  const std::string lang(150, 'v');
  ASSERT_EQ(Laes(std::string(kStatus) + "@inifil\n"
                                        "global.checkminutnorm=nej\n"
                                        "Tider.B069_AFRUNDING=01-08-2021\n"
                                        "global.x=1.5\n"
                                        "global.niveaufag=1\n"
                                        "tider.standardlektionslengde=45\n"
                                        "global.sammenfaldsinterval=5\n"
                                        "global.tomt\n"
                                        "global=ingen\n"
                                        "g\n"
                                        "lang." +
                lang + "=" + lang + "\n"),
            1);
  struct {
    const char *sektion, *noegle, *vaerdi;
  } const tabel[] = {
      {"global", "checkminutnorm", "nej"},
      {"Tider", "b069_afrunding", "20210801"},
      {"global", "x", "1.5"},
      // Lines with fewer than three parts write nothing.
      {"global", "tomt", ""},
      {"global", "", ""},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(std::string(t.sektion) + "." + t.noegle);
    EXPECT_EQ(Indstilling(t.sektion, t.noegle), t.vaerdi);
  }
  char v[300];
  GetPrivateProfileStringA("lang", std::string(103, 'v').c_str(), "", v, sizeof v, StiTab.szini);
  EXPECT_EQ(std::string(v), std::string(103, 'v'));
  EXPECT_EQ(GlobalIndstillinger.checkminutnorm, 'n');
  EXPECT_EQ(GlobalIndstillinger.niveaufag, 1);
  EXPECT_EQ(GlobalIndstillinger.standardlektionslengde, 45);
  EXPECT_EQ(GlobalIndstillinger.sammenfaldsinterval, 5);
  EXPECT_EQ(GlobalIndstillinger.afrunding, 0);
}

}  // namespace
