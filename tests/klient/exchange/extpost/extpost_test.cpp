// The external postings import: the lines of a posting file, the checks
// against the school's activities and employments, and the command as a
// user drives it from its information box through the dialog, the two
// questions and the log. The school: "Dansk 1" and "Matematik" for the
// whole period; AB with two employments (running numbers 2 and 1), CD with
// one, EF whose employment ended in January 2025.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "KROGE.h"
#include "../skole_fixture.h"
#include "ExtPostImp.h"
#include "ImpTimoak.h"
#include "RECPRED.h"
#include "VEDLIGE.h"
#include "extskemadlg.h"
#include "ressourcer.h"
#include "tavo/test_dialog.h"

namespace {

using namespace skoletest;
using tavo::test::ShownDialog;

struct Linje {
  std::string Aktivitet, Initialer;
  uint32_t Dato = 0;
  int32_t Timer = 0;
  bool operator==(const Linje &) const = default;
};
std::ostream &operator<<(std::ostream &o, const Linje &l) {
  return o << "{" << l.Initialer << "|" << l.Aktivitet << "|" << l.Dato << "|" << l.Timer << "}";
}
Linje Som(const ExtPostRec &r) {
  EXPECT_LT(strnlen(r.Aktivitet, sizeof r.Aktivitet), sizeof r.Aktivitet);
  EXPECT_LT(strnlen(r.Initialer, sizeof r.Initialer), sizeof r.Initialer);
  return {r.Aktivitet, r.Initialer, r.Dato, r.Timer};
}

class ExtPost : public Skole {
 protected:
  void SetUp() override {
    Skole::SetUp();
    InstallerImportKroge();
    dansk = AktiNavn(1, "Dansk 1");
    mat = AktiNavn(2, "Matematik");
    ab2 = Ansat(11, "AB", "2");
    ab1 = Ansat(12, "AB", "1");
    cd = Ansat(13, "CD", "1");
    ef = Ansat(14, "EF", "1", 20240801, 20250131);
    CountExportChanges();
  }

  uint32_t AktiNavn(uint32_t id, const char *navn) {
    const uint32_t r = Akti(id);
    Tekst(TabRec<AktiRec>(tvakti, r)->Aktivitet, navn);
    return r;
  }
  uint32_t Ansat(uint32_t id, const char *init, const char *loebenr, uint32_t fra = 20240801,
                 uint32_t til = 20250731) {
    MedaRec m{};
    m.id = id;
    m.Status = 10;
    Tekst(m.Initialer, init);
    uint32_t meda = 0;
    for (uint32_t r = 1; r < tvmeda.wRecCnt && !meda; ++r)
      if (strncmp(TabRec<MedaRec>(tvmeda, r)->Initialer, init, 5) == 0) meda = r;
    if (!meda) meda = Ny(tdmeda, tvmeda, m);
    const uint32_t f = Anfo(id, fra, til);
    TabRec<AnfoRec>(tvanfo, f)->meda_id = meda;
    Tekst(TabRec<AnfoRec>(tvanfo, f)->Loebenummer, loebenr);
    return f;
  }

  std::vector<ExtPostRec> Poster(std::initializer_list<Linje> linjer) {
    std::vector<ExtPostRec> p(1);
    for (const Linje &l : linjer) {
      ExtPostRec r{};
      Tekst(r.Aktivitet, l.Aktivitet.c_str());
      Tekst(r.Initialer, l.Initialer.c_str());
      r.Dato = l.Dato;
      r.Timer = l.Timer;
      p.push_back(r);
    }
    return p;
  }

  // Every live posting of the period: activity, employment, date, hours.
  static std::vector<std::tuple<uint32_t, uint32_t, uint32_t, int32_t>> Posteringer() {
    std::vector<std::tuple<uint32_t, uint32_t, uint32_t, int32_t>> ud;
    for (Maaned m = SkemaPeriode.FoersteMaaned; m <= SkemaPeriode.SidsteMaaned;
         m = m % 100 == 12 ? m + 89 : m + 1) {
      const TabVar *b = TimoakBucket(m);
      for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
        const TimoakRaekke t = Tim(m * 100 + 1, r);
        if ((t.Status & 0x48) == 0x40) ud.emplace_back(+t.akti_id, +t.anfo_id, +t.Dato, +t.Timer);
      }
    }
    return ud;
  }

  uint8_t AakrelStatus(uint32_t akti, uint32_t anfo) const {
    for (uint32_t r = 1; r < tvaakrel.wRecCnt; ++r) {
      const AakrelRec *a = TabRec<AakrelRec>(tvaakrel, r);
      if (a->akti_id == akti && a->anfo_id == anfo) return a->Status;
    }
    return 0;
  }

  std::string Log(FILE *f) {
    fflush(f);
    rewind(f);
    std::string s;
    for (int c; (c = getc(f)) != EOF;) s += static_cast<char>(c);
    return s;
  }

  uint32_t dansk = 0, mat = 0, ab1 = 0, ab2 = 0, cd = 0, ef = 0;
};

}  // namespace

TEST(ExtPostLinjer, EachLineIsCleanedAndReadByPosition) {
  SkemaPeriode.FraDato = 20240801;
  SkemaPeriode.TilDato = 20250731;
  const std::string lang(30, 'X');
  struct {
    std::string linje;
    ExtPostLinje art;
    Linje post;
  } const tilfaelde[] = {
      {" AB ; Dansk 1 ;20250203;7,25\r", ExtPostLinje::Postering, {"Dansk1", "AB", 20250203, 730}},
      {"\"CD;Mate matik;20250204;2.5\"", ExtPostLinje::Postering, {"Matematik", "CD", 20250204, 250}},
      {"ab;Dansk1;20250205;0,05;ekstra", ExtPostLinje::Postering, {"Dansk1", "ab", 20250205, 10}},
      // Fewer than four fields: empty text and 0, which the checks refuse.
      {"AB;Dansk1", ExtPostLinje::Postering, {"Dansk1", "AB", 0, 0}},
      {"AB", ExtPostLinje::Postering, {"", "AB", 0, 0}},
      {";;x;y", ExtPostLinje::Postering, {"", "", 0, 0}},
      // Fields longer than the record's 24 characters are cut.
      {lang + ";" + lang + ";20250203;1", ExtPostLinje::Postering,
       {std::string(24, 'X'), std::string(24, 'X'), 20250203, 100}},
      {"' dette er en kommentar", ExtPostLinje::Kommentar, {}},
      {"  'AB;Dansk1;20250203;1", ExtPostLinje::Kommentar, {}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.linje);
    char buf[512];
    snprintf(buf, sizeof buf, "%s", t.linje.c_str());
    ExtPostDlgData dlg{};
    ExtPostRec rec;
    memset(&rec, 0x5A, sizeof rec);
    ASSERT_EQ(FortolkExtPostLinje(buf, dlg, rec), t.art);
    if (t.art == ExtPostLinje::Postering) {
      EXPECT_EQ(Som(rec), t.post);
    }
  }
}

TEST(ExtPostLinjer, TopLinesSetInstallationAndPeriodInAnyCase) {
  SkemaPeriode.FraDato = 20240801;
  SkemaPeriode.TilDato = 20250731;
  struct {
    const char *linje;
    int32_t tavonr;
    uint32_t maaned, fra, til;
  } const tilfaelde[] = {
      {"TAVONR=7;AAR=2024;MAANED=2", 7, 202402, 20240201, 20240229},
      {"TavoNr=12;Aar=2024;Maaned=03;AnsvarsNr=999", 12, 202403, 20240301, 20240331},
      {" tavonr = 7 ; aar = 2025 ; maaned = 1 ", 7, 202501, 20250101, 20250131},
      // No year and month: the schedule period.
      {"TavoNr=7", 7, 0, 20240801, 20250731},
      {"TavoNr=7;Aar=;Maaned=x", 7, 0, 20240801, 20250731},
      {"TavoNr=x;Aar=2025;Maaned=2", 0, 202502, 20250201, 20250228},
      // A month that does not exist gives a period the command refuses.
      {"TavoNr=7;Aar=2025;Maaned=13", 7, 202513, 0, 0},
      {"TavoNr=7;Aar=0;Maaned=5", 7, 5, 0, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.linje);
    char buf[512];
    snprintf(buf, sizeof buf, "%s", t.linje);
    ExtPostDlgData dlg{};
    ExtPostRec rec{};
    ASSERT_EQ(FortolkExtPostLinje(buf, dlg, rec), ExtPostLinje::Top);
    EXPECT_EQ(dlg.TavoNr, t.tavonr);
    EXPECT_EQ(dlg.Maaned, t.maaned);
    EXPECT_EQ(dlg.FraDato, t.fra);
    EXPECT_EQ(dlg.TilDato, t.til);
  }
}

TEST(ExtPostLinjer, HoursAreRoundedToOneDecimalHalfAwayFromZero) {
  struct {
    const char *tekst;
    int32_t timer;
  } const tilfaelde[] = {
      {"7,25", 730}, {"7.25", 730}, {"7,15", 720}, {"7,149", 710}, {"7,24", 720}, {"7", 700},
      {"0,05", 10},  {"-1,25", -130}, {"+2,5", 250}, {"", 0},        {"x", 0},     {"3,", 300},
      {",5", 50},    {"99999999999", INT32_MAX / 10 * 10},
  };
  for (const auto &t : tilfaelde) EXPECT_EQ(ExtPostTimer(t.tekst), t.timer) << t.tekst;
}

TEST_F(ExtPost, TheFileKeepsItsPostingLinesAndItsTopLine) {
  ExtPostDlgData dlg{};
  snprintf(dlg.Sti, sizeof dlg.Sti, "%s", (std::string(TAVO_FIXTURES) + "/exchange/extpost").c_str());
  snprintf(dlg.FilNavn, sizeof dlg.FilNavn, "februar.txt");
  std::vector<ExtPostRec> p;
  ASSERT_EQ(LaesExtPostFil(dlg, p), 6u);
  EXPECT_EQ(dlg.TavoNr, 7);
  EXPECT_EQ(dlg.FraDato, 20250201u);
  EXPECT_EQ(dlg.TilDato, 20250228u);
  EXPECT_EQ(Som(p[1]), (Linje{"Dansk1", "AB", 20250203, 730}));
  EXPECT_EQ(Som(p[2]), (Linje{"Dansk1", "AB", 20250204, 250}));
  EXPECT_EQ(Som(p[6]), (Linje{"Dansk1", "AB", 20250310, 400}));

  // A line longer than 511 characters keeps its start; blank lines are no
  // postings; the last line needs no line end.
  fs::create_directories(rod / "imp");
  std::ofstream(rod / "imp" / "lang.txt", std::ios::binary)
      << "CD;Matematik;20250205;1" << std::string(600, ' ') << ";9\r\n\r\n   \r\nAB;Dansk1;20250206;2";
  snprintf(dlg.Sti, sizeof dlg.Sti, "%s", (rod / "imp").c_str());
  snprintf(dlg.FilNavn, sizeof dlg.FilNavn, "lang.txt");
  ASSERT_EQ(LaesExtPostFil(dlg, p), 2u);
  EXPECT_EQ(dlg.TavoNr, 0);
  EXPECT_EQ(dlg.FraDato, SkemaPeriode.FraDato);
  EXPECT_EQ(Som(p[1]), (Linje{"Matematik", "CD", 20250205, 100}));
  EXPECT_EQ(Som(p[2]), (Linje{"Dansk1", "AB", 20250206, 200}));

  snprintf(dlg.FilNavn, sizeof dlg.FilNavn, "findes_ikke.txt");
  EXPECT_EQ(LaesExtPostFil(dlg, p), 0u);
}

TEST_F(ExtPost, TheChecksCountAndLogEachFaultOncePerName) {
  auto p = Poster({
      {"Dansk1", "ab", 20250203, 100},     // found; AB has two employments
      {"Dansk1", "AB", 20250204, 100},
      {"Fysik", "CD", 20250205, 100},      // activity missing (logged once)
      {"Fysik", "CD", 20250206, 100},
      {"Matematik", "EF", 20250207, 100},  // outside her employment
      {"Matematik", "XY", 20250207, 100},  // employee missing
      {"Matematik", "CD", 20250310, 100},  // outside the period
  });
  FILE *log = tmpfile();
  const auto res = TjekExtPost(p, 20250201, 20250228, log);
  const std::string tekst = Log(log);
  fclose(log);
  EXPECT_EQ(res[1].akti_id, dansk);
  EXPECT_EQ(res[1].anfo, (std::vector<uint32_t>{ab1, ab2}));  // lower running number first
  EXPECT_EQ(res[3].akti_id, 0u);
  EXPECT_EQ(res[5].akti_id, mat);
  EXPECT_TRUE(res[5].anfo.empty());
  EXPECT_EQ(res[7].akti_id, 0u);  // the activity is known, the date is not in the period
  EXPECT_EQ(res[7].anfo, (std::vector<uint32_t>{cd}));
  EXPECT_EQ(std::string(p[1].Initialer), "AB");
  const ExtPostTaellere &t = ExtPostTal;
  EXPECT_EQ(t.AktiMangler, 2u);
  EXPECT_EQ(t.AktiPeriode, 0u);
  EXPECT_EQ(t.AnsatMangler, 1u);
  EXPECT_EQ(t.AnsatPeriode, 1u);
  EXPECT_EQ(t.PostPeriode, 1u);
  EXPECT_EQ(tekst,
            "Postering udenfor periode : 20250201-20250228, Postdato: 20250310\n"
            "Aktivitet mangler : Fysik\n"
            "Udenfor medarbejderens/ansættelsesforholdets periode : EF\n"
            "Medarbejder/Ansættelsesforhold mangler : XY\n");
}

TEST_F(ExtPost, AnActivityOutsideItsOwnDatesIsAPeriodFault) {
  TabRec<AktiRec>(tvakti, mat)->Tildato = 20250210;
  auto p = Poster({{"Matematik", "CD", 20250212, 100}, {"Matematik", "CD", 20250213, 100},
                   {"Matematik", "CD", 20250205, 100}});
  FILE *log = tmpfile();
  const auto res = TjekExtPost(p, 20250201, 20250228, log);
  EXPECT_EQ(Log(log), "Udenfor aktivitetens periode : Matematik, Postdato: 20250212\n");
  fclose(log);
  EXPECT_EQ(ExtPostTal.AktiPeriode, 2u);
  EXPECT_EQ(res[1].akti_id, 0u);
  EXPECT_EQ(res[3].akti_id, mat);
}

TEST_F(ExtPost, NamesMatchWithoutTheirBlanksButOtherwiseExactly) {
  // The reader drops every blank of the file's line, so the stored name
  // must be compared without its blanks as well.
  const uint32_t blank = AktiNavn(3, "Fag 2 b");
  auto p = Poster({{"Dansk1", "CD", 20250203, 100}, {"Fag2b", "CD", 20250203, 100},
                   {"dansk1", "CD", 20250203, 100}, {"Matematikken", "CD", 20250203, 100}});
  const auto res = TjekExtPost(p, 20250201, 20250228, nullptr);
  EXPECT_EQ(res[1].akti_id, dansk);
  EXPECT_EQ(res[2].akti_id, blank);
  EXPECT_EQ(res[3].akti_id, 0u);  // case counts
  EXPECT_EQ(res[4].akti_id, 0u);
  EXPECT_EQ(ExtPostTal.AktiMangler, 2u);
}

TEST_F(ExtPost, APostingAlreadyPresentIsFoundAndNotAddedAgain) {
  TimRaekke(20250205, 0x40, kEgen, mat, cd, 300);
  auto p = Poster({{"Matematik", "CD", 20250205, 500}, {"Matematik", "CD", 20250206, 500}});
  auto res = TjekExtPost(p, 20250201, 20250228, nullptr);
  FILE *log = tmpfile();
  EXPECT_EQ(TjekPostsammenfald(p, res, log), 1u);
  ImporterExtPost(res, log);
  const std::string linje = "Postering fundet på aktivitet,medarbejder,dato : Matematik, CD, 20250205\n";
  EXPECT_EQ(Log(log), linje + linje);
  fclose(log);
  using P = std::tuple<uint32_t, uint32_t, uint32_t, int32_t>;
  EXPECT_EQ(Posteringer(), (std::vector<P>{{mat, cd, 20250205, 300}, {mat, cd, 20250206, 500}}));
  EXPECT_EQ(AakrelStatus(mat, cd), 20);
}

TEST_F(ExtPost, StarredActivityAndEmployeeAreLeftOut) {
  const uint32_t stjerne = AktiNavn(4, "*Fri");
  const uint32_t x = Ansat(15, "*X", "1");
  auto p = Poster({{"*Fri", "*X", 20250203, 100}, {"*Fri", "CD", 20250203, 100}});
  const auto res = TjekExtPost(p, 20250201, 20250228, nullptr);
  ASSERT_EQ(res[1].anfo, (std::vector<uint32_t>{x}));
  ImporterExtPost(res, nullptr);
  using P = std::tuple<uint32_t, uint32_t, uint32_t, int32_t>;
  EXPECT_EQ(Posteringer(), (std::vector<P>{{stjerne, cd, 20250203, 100}}));
}

// ---- The command ----

class ExtPostKommandoTest : public ExtPost {
 protected:
  void SetUp() override {
    ExtPost::SetUp();
    RegistrerOrvaneRessourcer();
    imp = rod / "imp";
    fs::create_directories(imp);
    for (const char *f : {"februar.txt", "uden_top.txt", "tavo9.txt", "maaned13.txt", "udenfor.txt"})
      fs::copy_file(fs::path(TAVO_FIXTURES) / "exchange" / "extpost" / f, imp / f);
    impNavn = DataMappeNavn(imp);
    impNavn.pop_back();  // the dialog takes the folder without its separator
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    ExtPost::TearDown();
  }

  static void Svar(INT_PTR svar) {
    tavo::test::AnswerNextDialog([svar](const ShownDialog &) { return svar; });
  }
  void Dialog(const char *fil) {
    tavo::test::AnswerNextDialog([this, fil](const ShownDialog &d) {
      dlgTitel = d.caption;
      SetDlgItemTextA(d.hwnd, IDC_EXT_MAPPE, impNavn.c_str());
      SetDlgItemTextA(d.hwnd, IDC_EXT_FILNAVN, fil);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }
  void LogVindue() {
    tavo::test::AnswerNextDialog([this](const ShownDialog &d) {
      logTitel = d.caption;
      EndDialog(d.hwnd, IDOK);
      return INT_PTR{0};
    });
  }
  // The log as written in text mode, with its line ends as "\n".
  std::string LogTekst() const {
    std::string s = LaesFil(rod / "log" / "ExtPost.log");
    for (size_t i; (i = s.find("\r\n")) != std::string::npos;) s.erase(i, 1);
    return s;
  }
  std::string LogSti() const { return std::string(StiTab.szdata) + "log\\ExtPost.log"; }
  static std::vector<tavo::test::MessageBoxRecord> Bokse() {
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
    return tavo::test::MessageBoxesShown();
  }

  fs::path imp;
  std::string impNavn, dlgTitel, logTitel;
};

TEST_F(ExtPostKommandoTest, FromTheMenuToTheImportedPostings) {
  Svar(IDOK);  // the information box
  Dialog("februar.txt");
  Svar(IDYES);
  Svar(IDYES);
  LogVindue();
  ExtPostKommando(0);
  const auto bokse = Bokse();
  ASSERT_EQ(bokse.size(), 3u);
  EXPECT_EQ(bokse[0].caption, "ExtPost-import");
  EXPECT_EQ(bokse[0].text,
            "Extern Post indlæsning.\n\nDer kan importeres månedvis, og måneden hentes fra top linien i filen.\n"
            "Hvis toplinien ikke indholder år og måned, så er det TAVO perioden der gælder.");
  EXPECT_EQ(bokse[0].type, UINT(MB_OKCANCEL | MB_ICONINFORMATION));
  EXPECT_EQ(dlgTitel, "Extern import");
  EXPECT_EQ(bokse[1].caption, "ExtPost - Import");
  EXPECT_EQ(bokse[1].type & (MB_TYPEMASK | MB_DEFMASK), UINT(MB_YESNO | MB_DEFBUTTON2));
  EXPECT_EQ(bokse[1].text,
            "Der er undersøgt 6 postering(er)\n"
            "Der er konstateret 3 mangler/periodefejl\n"
            "Se nedenfor for detaljer: \n\n"
            "   Antal\n"
            "   posteringer\tResultat\n"
            " ---------------------------------------------- \n"
            "            3\t\tIndlæses i TAVO\n"
            "            1\t\tFejl Aktivitet\n"
            "            1\t\tFejl Medarbejder\n"
            "            1\t\tPosteringer med periode fejl\n"
            " ---------------------------------------------- \n"
            "            1\t\tMedarbejdere med flere ansættelsesforhold\n"
            "\nDetaljer om fejl/mangler kan ses i\n  " +
                LogSti() + "\n\nØnsker du at fortsætte ?");
  EXPECT_EQ(bokse[2].text, "ExtPost-filen er nu klar til import.\nØnsker du at importere nu ?\n");

  using P = std::tuple<uint32_t, uint32_t, uint32_t, int32_t>;
  EXPECT_EQ(Posteringer(), (std::vector<P>{{dansk, ab1, 20250203, 730},
                                           {dansk, ab1, 20250204, 250},
                                           {mat, cd, 20250205, 300}}));
  for (const P &p : Posteringer()) {
    EXPECT_EQ(AakrelStatus(std::get<0>(p), std::get<1>(p)), 20);
  }
  const TimoakRaekke t = Tim(20250203, 1);
  EXPECT_EQ(t.Ejer, kEgen);
  EXPECT_EQ(EksportTaellere[5], 3u);  // new postings for the next export
  EXPECT_EQ(logTitel, "Extern post import log!");
  EXPECT_EQ(LogTekst(),
            "Logfil:\n" + LogSti() + "\n\n" +
                "Postering udenfor periode : 20250201-20250228, Postdato: 20250310\n"
                "Aktivitet mangler : Fysik\n"
                "Udenfor medarbejderens/ansættelsesforholdets periode : EF\n"
                "Flere ansættelsesforhold er fundet - følgende bruges : AB - 1\n"
                "\n\nDer er behandlet 6 postering(er)\n"
                "Der er konstateret 3 mangler/periodefejl\n"
                "Se nedenfor for detaljer: \n\n"
                "   Antal\n"
                "   posteringer\tResultat\n"
                " ---------------------------------------------- \n"
                "            3\tIndlæst i TAVO\n"
                "            1\tFejl Aktivitet\n"
                "            1\tFejl Medarbejder\n"
                "            1\tPosteringer med periode fejl\n"
                " ---------------------------------------------- \n"
                "            1\tMedarbejdere med flere ansættelsesforhold\n"
                "\n");
  char sti[260], navn[260];
  GetPrivateProfileStringA("ExtPost", "path", "", sti, sizeof sti, StiTab.szini);
  GetPrivateProfileStringA("ExtPost", "filnavn", "", navn, sizeof navn, StiTab.szini);
  EXPECT_EQ(std::string(sti), impNavn);
  EXPECT_EQ(std::string(navn), "februar.txt");
}

TEST_F(ExtPostKommandoTest, NoAtEitherQuestionImportsNothing) {
  for (int nej : {0, 1}) {
    SCOPED_TRACE(nej);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Svar(IDOK);
    Dialog("februar.txt");
    if (nej == 1) Svar(IDYES);
    Svar(IDNO);
    LogVindue();
    ExtPostKommando(0);
    EXPECT_EQ(Bokse().size(), nej == 0 ? 2u : 3u);
    EXPECT_TRUE(Posteringer().empty());
    EXPECT_EQ(tvaakrel.wRecCnt <= 1 ? 0u : AakrelStatus(dansk, ab1), 0u);
    EXPECT_EQ(EksportTaellere[5], 0u);
    EXPECT_NE(LogTekst().find("            3\tIndlæses i TAVO\n"), std::string::npos);
    EXPECT_EQ(LogTekst().find("Indlæst"), std::string::npos);
  }
}

TEST_F(ExtPostKommandoTest, RefusalsEndWithoutAChange) {
  const std::string hint =
      "\nKontroller om der er en top linie i filen.\nTop linien skal have syntaksen: "
      "TavoNr=99;Aar=åååå;Maaned=mm;AnsvarsNr=999";
  struct {
    const char *fil;
    std::string tekst;
  } const tilfaelde[] = {
      {"uden_top.txt", "Importfilens installationsnr (0) passer ikke til denne TAVO (7)." + hint},
      {"tavo9.txt", "Importfilens installationsnr (9) passer ikke til denne TAVO (7)."},
      {"maaned13.txt", "Månednr er ikke valid."},
      {"udenfor.txt", "Måned ligger helt eller delvist uden for TAVO-skemaets periode."},
  };
  const uint32_t relationer = AakrelAntal();
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.fil);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Svar(IDOK);
    Dialog(t.fil);
    ExtPostKommando(0);
    const auto bokse = Bokse();
    ASSERT_EQ(bokse.size(), 2u);
    EXPECT_EQ(bokse[1].text, t.tekst);
    EXPECT_EQ(bokse[1].caption, "ExtPost - Fejl");
    EXPECT_TRUE(Posteringer().empty());
    EXPECT_EQ(AakrelAntal(), relationer);
    EXPECT_EQ(EksportTaellere[5], 0u);
  }
}

TEST_F(ExtPostKommandoTest, NoLogNoImport) {
  // A folder where the log would go.
  fs::create_directories(rod / "log" / "ExtPost.log");
  Svar(IDOK);
  Dialog("februar.txt");
  ExtPostKommando(0);
  const auto bokse = Bokse();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[1].text, "Importen kan ikke fortsætte,\n da \\log\\ExtPost.log ikke kunne oprettes !");
  EXPECT_EQ(bokse[1].caption, "ExtPost - Fejl");
  EXPECT_TRUE(Posteringer().empty());
}

TEST_F(ExtPostKommandoTest, TheDialogWantsAFileThatIsThere) {
  // Cancel at the information box ends the command at once.
  Svar(IDCANCEL);
  ExtPostKommando(0);
  EXPECT_EQ(Bokse().size(), 1u);

  // A missing file keeps the dialog open after its box; Cancel then ends.
  tavo::test::StopDialogScript();
  tavo::test::StartDialogScript();
  Svar(IDOK);
  tavo::test::AnswerNextDialog([this](const ShownDialog &d) {
    SetDlgItemTextA(d.hwnd, IDC_EXT_MAPPE, impNavn.c_str());
    SetDlgItemTextA(d.hwnd, IDC_EXT_FILNAVN, "mangler.txt");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    SetDlgItemTextA(d.hwnd, IDC_EXT_FILNAVN, "");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);  // an empty field: nothing
    SendMessageA(d.hwnd, WM_COMMAND, IDCANCEL, 0);
    return INT_PTR{0};
  });
  Svar(IDOK);  // the box about the missing file
  ExtPostKommando(0);
  const auto bokse = Bokse();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[1].text,
            "ExtPost filen ikke fundet.\nTjek om du har angivet en korrekt sti.\nEller navngivet filen korrekt.");
  EXPECT_EQ(bokse[1].caption, "ExtPost - Fejl");
  EXPECT_FALSE(fs::exists(rod / "log" / "ExtPost.log"));
}

TEST_F(ExtPostKommandoTest, TheDialogStartsFromItsSettingsAndBrowses) {
  // Nothing remembered: the program folder, and the focus on the file name.
  const std::string prog = StiTab.szprog;
  snprintf(StiTab.szprog, sizeof StiTab.szprog, "%s", DataMappeNavn(rod).c_str());
  std::string mappe, navn, titel;
  bool fokusNavn = false, fokusOk = false;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    char buf[300];
    GetDlgItemTextA(d.hwnd, IDC_EXT_MAPPE, buf, sizeof buf);
    mappe = buf;
    fokusNavn = GetFocus() == GetDlgItem(d.hwnd, IDC_EXT_FILNAVN);
    SetDlgItemTextA(d.hwnd, IDC_EXT_MAPPE, impNavn.c_str());
    SendMessageA(d.hwnd, WM_COMMAND, IDC_IMP_BROWSE, 0);
    fokusOk = GetFocus() == GetDlgItem(d.hwnd, IDOK);
    GetDlgItemTextA(d.hwnd, IDC_EXT_FILNAVN, buf, sizeof buf);
    navn = buf;
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    titel = d.caption;
    SetDlgItemTextA(d.hwnd, 0x480, "februar");  // ".txt" is the default extension
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  RegistrerExtSkemaDialoger();
  ExtPostDlgData dlg{};
  EXPECT_EQ(DialogBoxParamA(0, IDD_EXTSKEMAFIL, 0, ExtPostDlgProc, reinterpret_cast<LPARAM>(&dlg)), 1);
  snprintf(StiTab.szprog, sizeof StiTab.szprog, "%s", prog.c_str());
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  std::string forventet = DataMappeNavn(rod);
  forventet.pop_back();
  EXPECT_EQ(mappe, forventet);
  EXPECT_TRUE(fokusNavn);
  EXPECT_EQ(titel, "Åben extern post fil");
  EXPECT_EQ(navn, "februar.txt");
  EXPECT_TRUE(fokusOk);
  EXPECT_EQ(std::string(dlg.FilNavn), "februar.txt");
  std::string linux;
  ASSERT_TRUE(tavo::MapPath(dlg.Sti, linux)) << dlg.Sti;
  EXPECT_TRUE(fs::equivalent(linux, imp)) << dlg.Sti;

  // Both remembered: the focus on OK.
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    char buf[300];
    GetDlgItemTextA(d.hwnd, IDC_EXT_FILNAVN, buf, sizeof buf);
    navn = buf;
    fokusOk = GetFocus() == GetDlgItem(d.hwnd, IDOK);
    SendMessageA(d.hwnd, WM_COMMAND, IDCANCEL, 0);
    return INT_PTR{0};
  });
  EXPECT_EQ(DialogBoxParamA(0, IDD_EXTSKEMAFIL, 0, ExtPostDlgProc, reinterpret_cast<LPARAM>(&dlg)), 2);
  EXPECT_EQ(navn, "februar.txt");
  EXPECT_TRUE(fokusOk);
}
