// The plan CSV export: the file read back with Python's csv module, the
// file dialog and its answers, the columns in view, the rows of each view,
// and the message boxes of an export that cannot run.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BESKEDER.h"
#include "CSVCELLE.h"
#include "KROGE.h"
#include "MENUKOMMANDO.h"
#include "PLANCSV.h"
#include "PLANTEKST.h"
#include "VINDUER.h"
#include "plan_fixtur.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "windows.h"

using namespace plantest;
namespace fs = std::filesystem;

namespace {

using Raekker = std::vector<std::vector<std::string>>;

LRESULT CALLBACK PlanTestVindue(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == REL_PLAN_TILSTAND) return GetWindowLongPtrA(hwnd, GWLP_USERDATA);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// The cell functions' text as the file holds it.
std::string Ren(std::string s) {
  std::string u;
  for (char c : s)
    if (c != ' ' && c != '\r' && c != '\n') u += c;
  return u;
}

TEST(PlanCsvCelle, QuotesDoubleAndCellsAreCleaned) {
  struct Tilfaelde {
    const char *tekst;
    bool tab;
    const char *ud;
  };
  const Tilfaelde tabel[] = {
      {"abc", true, "\"abc\"\t"},
      {"", false, "\"\""},
      {"4\"b", true, "\"4\"\"b\"\t"},
      {"\"\"", false, "\"\"\"\"\"\""},
  };
  for (const Tilfaelde &t : tabel) {
    std::string ud;
    CsvCelle(ud, t.tekst, t.tab);
    EXPECT_EQ(ud, t.ud) << t.tekst;
  }
  std::string ud;
  CsvCelle(ud, nullptr, false);
  EXPECT_EQ(ud, "\"\"");
  // A stored field without its terminator ends at its size.
  const char felt[3] = {'a', 'b', 'c'};
  ud.clear();
  CsvCelle(ud, felt, 2, false);
  EXPECT_EQ(ud, "\"ab\"");
}

class PlanCsv : public PlanFixtur {
 protected:
  uint32_t akti = 0, ma = 0, da = 0, anfo = 0;
  uint32_t hoved = 0, medLaerer = 0, udenLaerer = 0, kopi = 0;
  HWND forael = 0, vindue = 0;
  fs::path hjem;
  std::string gemtHjem;

  void SetUp() override {
    PlanFixtur::SetUp();
    PlanCsvSti[0] = 0;
    hjem = rod / "hjem";
    fs::create_directories(hjem / "Documents");
    const char *h = getenv("HOME");
    gemtHjem = h ? h : "";
    setenv("HOME", hjem.c_str(), 1);
    NyPeriode(gruppe, 202431, 202452);
    NyPeriode(gruppe, 202501, 202531, 1);
    VaelgGruppe(gruppe);
    akti = NyAkti("1a Ma", "Mat");
    ma = NySkfa("MA", 'A', "Matematik");
    da = NySkfa("DA", 'A', "Dansk");
    anfo = NyAnfo("ABC", "1", "Anne Berg");
    IPlan(akti, anfo);
    hoved = Raekke(PLAN_AKTI, akti, 0, 0);
    medLaerer = Raekke(PLAN_FAG, akti, ma, anfo);
    udenLaerer = Raekke(PLAN_FAG, akti, da, 0);
    kopi = Raekke(PLAN_FAG, akti, ma, anfo);
    R(kopi).KopiAf = medLaerer;
    R(medLaerer).Budget = 0x40000000u | 12;
    T(medLaerer, 202501).Lektioner = 35;
    T(medLaerer, 202502).Lektioner = 120;
    T(hoved, 202501).Lektioner = 35;
    T(hoved, 202502).Lektioner = 120;
    R(medLaerer).SumLektioner = R(hoved).SumLektioner = 155;
    R(medLaerer).PerTab[2].Lektioner = R(hoved).PerTab[2].Lektioner = 155;
    Orden({hoved, medLaerer, kopi, udenLaerer});
    Venstre({21, 22, 23, 25});
    Kolonner({{31}, {32, 1}, {32, 2}, {33, 0, 202501}, {33, 0, 202502}});
    Hoejre({41, 42, 43});

    WNDCLASSA wc{};
    wc.lpfnWndProc = PlanTestVindue;
    wc.lpszClassName = "PlanCsvTestVindue";
    RegisterClassA(&wc);
    forael = CreateWindowExA(0, "PlanCsvTestVindue", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, 0, 0, 0, nullptr);
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    LukPlanVindue();
    if (forael) DestroyWindow(forael);
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    setenv("HOME", gemtHjem.c_str(), 1);
    PlanCsvSti[0] = 0;
    PlanFixtur::TearDown();
  }
  void AabnPlanVindue() {
    vindue = CreateWindowExA(0, "PlanCsvTestVindue", "", WS_CHILD, 0, 0, 100, 100, forael,
                             static_cast<HMENU>(kPlanVindueType), 0, nullptr);
    SetWindowLongPtrA(vindue, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&plan));
    VinduesListeTilfoej(vindue);
  }
  void LukPlanVindue() {
    if (!vindue) return;
    VinduesListeFjern(vindue);
    DestroyWindow(vindue);
    vindue = 0;
  }
  // The next file dialog takes the name it proposes.
  void SvarForeslaaetNavn(std::string *titel = nullptr) {
    tavo::test::AnswerNextDialog([titel](const tavo::test::ShownDialog &d) -> INT_PTR {
      if (titel) *titel = d.caption;
      tavo::test::PressKey(VK_RETURN);
      return 0;
    });
  }
  fs::path Dokument() const { return hjem / "Documents" / "Plan.csv"; }

  // The file as Python's csv module reads it: tab-separated, Windows-1252.
  Raekker Laes(const fs::path &fil) {
    const fs::path script = rod / "laes.py", ud = rod / "laest.txt";
    std::ofstream(script) << "import csv, sys\n"
                             "with open(sys.argv[1], newline='', encoding='cp1252') as f, \\\n"
                             "     open(sys.argv[2], 'w', newline='', encoding='cp1252') as u:\n"
                             "    for row in csv.reader(f, delimiter='\\t'):\n"
                             "        u.write('\\x1f'.join(row) + '\\n')\n";
    const std::string kommando = std::string(TAVO_PYTHON) + " '" + script.string() + "' '" + fil.string() + "' '" +
                                 ud.string() + "'";
    EXPECT_EQ(std::system(kommando.c_str()), 0) << kommando;
    Raekker r;
    std::ifstream ind(ud, std::ios::binary);
    for (std::string linje; std::getline(ind, linje);) {
      std::vector<std::string> celler;
      if (!linje.empty()) {
        std::stringstream s(linje);
        for (std::string c; std::getline(s, c, '\x1f');) celler.push_back(c);
        if (linje.back() == '\x1f') celler.push_back("");
      }
      r.push_back(celler);
    }
    return r;
  }
  // The cells the export must write for a row, from the cell functions.
  std::vector<std::string> TalCeller(uint32_t raekke) {
    std::vector<std::string> v;
    char tekst[kPlanTekstLen];
    for (uint32_t p = plan.StyrX.Pos.Foerste; p < plan.StyrX.Pos.Foerste + plan.StyrX.Pos.Synlige; ++p) {
      PlanCelleTekst(&plan, plan.StyrX.ObjTab[p], raekke, tekst, nullptr);
      v.push_back(Ren(tekst));
    }
    for (uint32_t p = 1; p <= plan.HoejreAntal; ++p) {
      PlanSumTekst(&plan, p, raekke, tekst, nullptr);
      v.push_back(Ren(tekst));
    }
    return v;
  }
  static std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
};

TEST_F(PlanCsv, TheFileReadsBackAsTheWindowShowsIt) {
  AabnPlanVindue();
  std::string titel;
  SvarForeslaaetNavn(&titel);
  ExportPlanCsv(forael);
  EXPECT_EQ(titel, "Gem plan csv fil");
  ASSERT_TRUE(fs::exists(Dokument()));
  const Raekker r = Laes(Dokument());
  ASSERT_EQ(r.size(), 7u);
  EXPECT_EQ(r[0], (std::vector<std::string>{"Plan gruppe: Fag 24/25"}));
  EXPECT_EQ(r[1], (std::vector<std::string>{"Periode: 20240801-20250731"}));
  EXPECT_TRUE(r[2].empty());
  // The left panel from its second visible column; headers lose their
  // blanks and line breaks.
  EXPECT_EQ(r[3], (std::vector<std::string>{"Aktiviteter", "M1", "Bud", "31-31", "31-52", "01-31", "2501", "02",
                                            "SumPlan", "Bud", "BudDif"}));
  // The copy is not exported; each row has one cell per visible column.
  EXPECT_EQ(r[4], Plus({"1a Ma, Mat", "", ""}, TalCeller(hoved)));
  EXPECT_EQ(r[5], Plus({"  MA    A Matematik      ", "ABC", "12"}, TalCeller(medLaerer)));
  EXPECT_EQ(r[6], Plus({"  DA    A Dansk          ", "", ""}, TalCeller(udenLaerer)));
  EXPECT_EQ(r[5][6], "3,5");
  EXPECT_EQ(r[5][7], "12");
  EXPECT_EQ(r[5][9], "12");  // the budget without its derived flag
}

TEST_F(PlanCsv, TheViewDecidesTheRowsAndTheColumnsInViewTheCells) {
  AabnPlanVindue();
  strcpy(PlanCsvSti, (DataMappeNavn(rod) + "log\\Plan.csv").c_str());
  const fs::path fil = rod / "log" / "Plan.csv";
  // Only the columns scrolled into view: the two week columns.
  plan.StyrX.Pos.Foerste = 4;
  plan.StyrX.Pos.Synlige = 2;
  // Subject rows without a teacher only.
  plan.FagVisning = 2;
  ExportPlanCsv(forael);
  Raekker r = Laes(fil);
  ASSERT_EQ(r.size(), 6u);
  EXPECT_EQ(r[3], (std::vector<std::string>{"Aktiviteter", "M1", "Bud", "2501", "02", "SumPlan", "Bud", "BudDif"}));
  EXPECT_EQ(r[4][0], "1a Ma, Mat");
  EXPECT_EQ(r[5], Plus({"  DA    A Dansk          ", "", ""}, TalCeller(udenLaerer)));

  // Teachers only.
  plan.FagVisning = 1;
  ExportPlanCsv(forael);
  r = Laes(fil);
  ASSERT_EQ(r.size(), 6u);
  EXPECT_EQ(r[5][1], "ABC");
  EXPECT_EQ(r[5][3], "3,5");

  // The view by employee: the employee heading and the subject row under it.
  const uint32_t medaR = Raekke(PLAN_MEDA, 0, 0, anfo);
  plan.Visning = 'M';
  Orden({medaR, medLaerer, udenLaerer});
  ExportPlanCsv(forael);
  r = Laes(fil);
  ASSERT_EQ(r.size(), 6u);
  EXPECT_EQ(r[3][0], "Medarbejdere");
  EXPECT_EQ(r[4][0], "ABC , Anne Berg");
  EXPECT_EQ(r[5][0], "   MA    Matematik  - 1a Ma       ");

  // A row whose employee record is gone keeps its name cell, empty, so the
  // cells after it stay under their headings.
  Rec<AnfoRec>(tvanfo, anfo)->meda_id = 999;
  ExportPlanCsv(forael);
  r = Laes(fil);
  ASSERT_EQ(r.size(), 6u);
  EXPECT_EQ(r[4].size(), r[3].size());
  EXPECT_EQ(r[4][0], "");
}

TEST_F(PlanCsv, ASecondExportReplacesTheSameFileWithoutAsking) {
  AabnPlanVindue();
  SvarForeslaaetNavn();
  ExportPlanCsv(forael);
  ASSERT_EQ(Laes(Dokument()).size(), 7u);
  // A name holding a double quote, and fewer rows: the file is replaced.
  Tekst(Rec<AktiRec>(tvakti, akti)->Aktivitet, "4\"b");
  Orden({hoved});
  ExportPlanCsv(forael);  // no dialog is answered: none may come
  const Raekker r = Laes(Dokument());
  ASSERT_EQ(r.size(), 5u);
  EXPECT_EQ(r[4][0], "4\"b, Mat");
  EXPECT_EQ(r[4].size(), 11u);
}

TEST_F(PlanCsv, CancelWritesToTheLogFolderAndAForeignGroupShowsItsOwner) {
  const uint32_t x = NyGruppe("X", kAnden, 20240801, 20250731);
  Grupper({gruppe, x});
  VaelgGruppe(x);
  for (uint32_t rk : {hoved, medLaerer, kopi, udenLaerer}) R(rk).ffpg_id = x;
  AabnPlanVindue();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDCANCEL; });
  ExportPlanCsv(forael);
  EXPECT_FALSE(fs::exists(Dokument()));
  const Raekker r = Laes(rod / "log" / "Plan.csv");
  ASSERT_GE(r.size(), 2u);
  EXPECT_EQ(r[0], (std::vector<std::string>{"Plan gruppe: 3-X"}));
  EXPECT_EQ(r.size(), 7u);
}

TEST_F(PlanCsv, AnExportThatCannotRunSaysSoAndWritesNothing) {
  // No plan window: a message, no dialog, no file; through the menu command
  // the same message, not "Ikke tilgængelig".
  ExportPlanCsv(forael);
  InstallerKroge();
  MainMenuCommand(forael, 40290, 0);
  auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 2u);
  for (const auto &b : bokse) {
    EXPECT_EQ(b.caption, "TAVO plan til CSV");
    EXPECT_NE(b.text.find("Planvinduet er ikke åbent"), std::string::npos) << b.text;
  }
  EXPECT_TRUE(PlanCsvSti[0] == 0);

  // A plan without rows asks nothing and writes nothing.
  AabnPlanVindue();
  Orden({});
  ExportPlanCsv(forael);
  EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 2u);

  // A file that cannot be written: a message, nothing left behind, and the
  // next export asks again.
  Orden({hoved});
  strcpy(PlanCsvSti, (DataMappeNavn(rod) + "mangler\\Plan.csv").c_str());
  ExportPlanCsv(forael);
  bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 3u);
  EXPECT_NE(bokse[2].text.find("kan ikke skrives"), std::string::npos) << bokse[2].text;
  EXPECT_FALSE(fs::exists(rod / "mangler"));
  EXPECT_TRUE(PlanCsvSti[0] == 0);
}

}  // namespace
