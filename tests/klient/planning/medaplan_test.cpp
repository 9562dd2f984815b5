// The employee plan report and the kladdeplan, read back with pdftotext
// and Python's csv module, over a hand-made plan list.
#include "plan_rapport_fixture.h"

#include "UdskrivValg.h"
#include "planudskrivdlg.h"
#include "tavo/test_file.h"
#include "tavo/test_user.h"

namespace plantest {
namespace {

using Raekker = std::vector<std::vector<std::string>>;
const std::vector<std::string> kOverskrift = {"Aktiviteter/planaktiviteter", "Betegnelse", "Skolefag", "Niveau",
                                              "Betegnelse", "Type", "Gyldig fra", "Gyldig til", "Lektioner",
                                              "Arbejdstimer"};

class MedaPlanRapport : public PlanRapportTest {
 protected:
  uint32_t anfo = 0;
  void SetUp() override {
    PlanRapportTest::SetUp();
    anfo = Ansat("ABC", "Anne Bæk");
  }
  std::string Print(Dato fra = 20240801, Dato til = 20250731) {
    if (!araf) return "";
    BuildMedPer();
    EXPECT_EQ(PrintMedaPlan(anfo, fra, til), 0);
    const auto f = EnRapport();
    std::string check;
    EXPECT_TRUE(pdftest::QpdfOk(f, &check)) << check;
    return pdftest::Tekst(f, 0, "-layout");
  }
  // The rows of the table: after the heading row, up to the first empty row.
  static Raekker Tabel(const Raekker &r) {
    Raekker t;
    size_t i = 0;
    while (i < r.size() && r[i] != kOverskrift) ++i;
    for (++i; i < r.size() && !r[i].empty(); ++i) t.push_back(r[i]);
    return t;
  }
};

TEST_F(MedaPlanRapport, EntriesOfOneActivitySubjectAndKindMakeOneLine) {
  // A quote in a text stays inside its cell.
  const uint32_t hold = Akti("HOLD1", "Hold\"kort"), dan = Fag("DAN", 'C', "Dansk"), mat = Fag("MAT", 'B', "Matematik");
  Post(anfo, hold, dan, 20240905, 'U').PlanLektioner = 20;
  PlanTal.PlanTab[PlanTal.Antal].PlanUndervisning = 1.5f;
  // Hours of the same activity and subject, between the two teaching weeks
  // in the list: their key is the teaching key.
  Post(anfo, hold, dan, 20240912, 'A').PlanTimer = 2;
  PlanTabPost &u2 = Post(anfo, hold, dan, 20240919, 'U');
  u2.PlanLektioner = 15;
  u2.PlanUndervisning = 1;
  Post(anfo, hold, dan, 20240926, 'R').PlanRettearbejde = 3;
  Post(anfo, hold, mat, 20241003, 'U').PlanLektioner = 15;
  Post(anfo, hold, mat, 20241010, 'U');  // nothing planned: left out
  Post(anfo, hold, 0, 20241010, 'E').PlanEksamen = 4;
  const std::string t = Print();

  const std::string datoer[] = {"01.08.2024", "31.07.2025"};
  const Raekker forventet = {
      {"HOLD1", "Hold\"kort", "DAN", "C", "Dansk", "A", datoer[0], datoer[1], "", "2,00"},
      {"HOLD1", "Hold\"kort", "DAN", "C", "Dansk", "U", datoer[0], datoer[1], "3", "2,50"},
      {"HOLD1", "Hold\"kort", "DAN", "C", "Dansk", "R", datoer[0], datoer[1], "", "3,00"},
      {"HOLD1", "Hold\"kort", "MAT", "B", "Matematik", "U", datoer[0], datoer[1], "1", ""},
      {"HOLD1", "Hold\"kort", "", "", "", "E", datoer[0], datoer[1], "", "4,00"},
  };
  const Raekker csv = pdftest::Csv(Kladde());
  EXPECT_EQ(Tabel(csv), forventet);
  const Raekker hoved = {{"TAVO plan for medarbejder"},
                         {"Periode: 01.08.2024 - 31.07.2025"},
                         {U8(u8"Ansættelsesforhold: ABC - 01")},
                         {U8(u8"Navn: Anne Bæk")},
                         {U8(u8"Opgørelsesperiode: 01.08.2024 - 31.07.2025")},
                         {},
                         kOverskrift};
  ASSERT_GE(csv.size(), hoved.size() + forventet.size() + 2);
  EXPECT_EQ(Raekker(csv.begin(), csv.begin() + 7), hoved);
  EXPECT_EQ(Raekker(csv.end() - 2, csv.end()), Raekker(2));  // two empty lines after the employee
  EXPECT_EQ(csv.size(), hoved.size() + forventet.size() + 2);

  // The same lines in the PDF, in that order, and the total.
  const size_t a = t.find("Dansk"), u = t.find("Dansk", a + 1), r = t.find("Dansk", u + 1);
  ASSERT_NE(r, std::string::npos) << t;
  EXPECT_NE(Linje(t.substr(a), "Dansk").find(" A "), std::string::npos);
  EXPECT_NE(Linje(t.substr(u), "Dansk").find("2,50"), std::string::npos);
  EXPECT_NE(Linje(t.substr(r), "Dansk").find(" R "), std::string::npos);
  EXPECT_EQ(t.find("Dansk", r + 1), std::string::npos);
  const std::string total = Linje(t, "Total:");
  EXPECT_NE(total.find(" 5 "), std::string::npos) << total;
  EXPECT_NE(total.find("11,50"), std::string::npos) << total;
  EXPECT_NE(Linje(t, "Arbejdstimer i alt").find("11,50"), std::string::npos);
  EXPECT_NE(t.find(U8(u8"Navn: Anne Bæk")), std::string::npos);
  EXPECT_NE(t.find("Side 1 af 1"), std::string::npos);
  EXPECT_NE(t.find("TAVO-plan"), std::string::npos);
  EXPECT_NE(t.find("Pelago+"), std::string::npos);
  EXPECT_EQ(t.find("Vemko"), std::string::npos);

  const auto kald = tavo::test::StopShellLog();
  ASSERT_EQ(kald.size(), 1u);
  EXPECT_EQ(kald[0].operation, "open");
  EXPECT_EQ(kald[0].parameters, "/n /s");
  EXPECT_NE(kald[0].file.find("_" + std::to_string(anfo) + ".pdf"), std::string::npos);
  tavo::test::StartShellLog();
}

TEST_F(MedaPlanRapport, FiguresStopAtTheEndOfTheAccountingPeriod) {
  araf = 0;
  Aftale({predtest::Opg(20240801, 20241231, 800), predtest::Opg(20250101, 20250731, 880)});
  // The employment of the fixture came before this agreement: a new one.
  anfo = Ansat("DEF", "Dorte");
  const uint32_t hold = Akti("HOLD2"), dan = Fag("DAN", 'C', "Dansk");
  Post(anfo, hold, dan, 20241204, 'U').PlanUndervisning = 1;
  Post(anfo, hold, dan, 20250205, 'U').PlanUndervisning = 2;
  const std::string t = Print();
  EXPECT_NE(Linje(t, "Total:").find("1,00"), std::string::npos) << t;
  EXPECT_NE(Linje(t, U8(u8"Årsnorm")).find("800,00"), std::string::npos) << t;
  EXPECT_NE(t.find(U8(u8"Opgørelsesperiode: 01.08.2024 - 31.12.2024")), std::string::npos);
}

TEST_F(MedaPlanRapport, StatementSetsTheHoursAgainstTheAdjustedNorm) {
  const uint32_t hold = Akti("HOLD3"), dan = Fag("DAN", 'C', "Dansk");
  Post(anfo, hold, dan, 20240905, 'U').PlanUndervisning = 11.5f;
  NormjustRec j{};
  j.Status = 10;
  j.anfo_id = anfo;
  j.Dato = 20241001;
  j.Timer = 10;
  predtest::Ny(tdnormjust, tvnormjust, j);
  BuftimRec b{};
  b.Status = 10;
  b.anfo_id = anfo;
  b.Fradato = 20240801;
  b.Tildato = 20250731;
  b.Overtimer_fra_forrige = 2.5f;
  predtest::Ny(tdbuftim, tvbuftim, b);
  const std::string t = Print();
  struct {
    const char8_t *tekst;
    const char *vaerdi;
  } const tab[] = {{u8"Arbejdstimer i alt", "11,50"},
                   {u8"Årsnorm", "1680,00"},
                   {u8"Normjustering", "10,00"},
                   {u8"Sving", "-2,50"},
                   {u8"Faktisk årsnorm", "1687,50"},
                   {u8"Over-/undertimer i perioden", "-1676,00"}};
  for (const auto &r : tab) {
    const std::string l = Linje(t, U8(r.tekst));
    EXPECT_NE(l.find(r.vaerdi), std::string::npos) << U8(r.tekst) << ": " << l;
  }
  EXPECT_NE(t.find(U8(u8"Opgørelse")), std::string::npos);

  // Under the norm system neither adjustment nor swing counts.
  TomTemp();
  GlobalIndstillinger.normsystem = 1;
  const std::string n = Print();
  EXPECT_NE(Linje(n, "Normjustering").find("0,00"), std::string::npos) << n;
  EXPECT_EQ(Linje(n, "Normjustering").find("10,00"), std::string::npos) << n;
  EXPECT_NE(Linje(n, "Sving").find("0,00"), std::string::npos) << n;
  EXPECT_EQ(Linje(n, "Sving").find("2,50"), std::string::npos) << n;
}

TEST_F(MedaPlanRapport, OnlyZeroEntriesStillGiveTotalAndStatement) {
  const uint32_t hold = Akti("HOLD4"), dan = Fag("DAN", 'C', "Dansk");
  Post(anfo, hold, dan, 20240905, 'U');
  Post(anfo, hold, dan, 20240912, 'R');
  const std::string t = Print();
  EXPECT_NE(t.find("Total:"), std::string::npos);
  EXPECT_NE(Linje(t, "Arbejdstimer i alt").find("0,00"), std::string::npos);
  EXPECT_EQ(t.find("HOLD4"), std::string::npos);
  const Raekker csv = pdftest::Csv(Kladde());
  EXPECT_TRUE(Tabel(csv).empty());
  ASSERT_GE(csv.size(), 2u);
  EXPECT_EQ(csv[csv.size() - 3], kOverskrift);
}

TEST_F(MedaPlanRapport, LongBodiesBreakPagesAndTheTotalsMoveWhenTheyDoNotFit) {
  std::vector<uint32_t> akti;
  for (int i = 0; i < 70; ++i) {
    char navn[16];
    std::snprintf(navn, sizeof navn, "AKT%02d", i);
    akti.push_back(Akti(navn));
  }
  const uint32_t dan = Fag("DAN", 'C', "Dansk");
  struct {
    int linjer, sider, totalSide, overskrifterICsv;
  } const tab[] = {{40, 1, 1, 1}, {55, 2, 2, 1}, {63, 2, 2, 1}, {70, 2, 2, 2}};
  for (const auto &c : tab) {
    SCOPED_TRACE(c.linjer);
    FreePlanTab();
    TomTemp();
    std::filesystem::remove(Kladde());
    for (int i = 0; i < c.linjer; ++i) Post(anfo, akti[i], dan, 20240905, 'U').PlanUndervisning = 1;
    Print();
    const auto f = EnRapport();
    EXPECT_EQ(pdftest::Sider(f), c.sider);
    EXPECT_NE(pdftest::Tekst(f, c.totalSide).find("Total:"), std::string::npos);
    EXPECT_NE(pdftest::Tekst(f, c.totalSide).find("Over-/undertimer"), std::string::npos);
    const std::string sidste = pdftest::Tekst(f, c.sider);
    char sidstelinje[16];
    std::snprintf(sidstelinje, sizeof sidstelinje, "AKT%02d", c.linjer - 1);
    EXPECT_EQ(sidste.find(sidstelinje) != std::string::npos, c.linjer != 55 && c.linjer != 63 ? true : c.sider == 1);
    const Raekker csv = pdftest::Csv(Kladde());
    int overskrifter = 0, linjer = 0;
    for (const auto &r : csv) {
      overskrifter += r == kOverskrift;
      linjer += !r.empty() && r[0].rfind("AKT", 0) == 0;
    }
    EXPECT_EQ(overskrifter, c.overskrifterICsv);
    EXPECT_EQ(linjer, c.linjer);
  }
}

// The menu command with its dialog answered: the chosen employments.
class MedaPlanKommandoTest : public MedaPlanRapport {
 protected:
  uint32_t anden = 0;
  void SetUp() override {
    MedaPlanRapport::SetUp();
    anden = Ansat("GHI", "Gitte");
    const uint32_t hold = Akti("HOLD5"), dan = Fag("DAN", 'C', "Dansk");
    Post(anfo, hold, dan, 20240905, 'U').PlanUndervisning = 1;
    Post(anden, hold, dan, 20240905, 'U').PlanUndervisning = 2;
    BuildMedPer();
  }
  // Answers dialog 166 with the items chosen (by position) and OK.
  static void Vaelg(std::vector<int> pos, std::string *fra = nullptr) {
    tavo::test::AnswerNextDialog([pos, fra](const tavo::test::ShownDialog &d) -> INT_PTR {
      EXPECT_EQ(d.caption, "Udskriv TAVO plan for medarbejder");
      if (fra) *fra = d.Control(IDC_PLANUDSK_FRA)->text;
      HWND liste = GetDlgItem(d.hwnd, IDC_PLANUDSK_LISTE);
      SendMessageA(liste, LB_SETSEL, FALSE, -1);
      for (int p : pos) SendMessageA(liste, LB_SETSEL, TRUE, p);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return 0;
    });
  }
};

TEST_F(MedaPlanKommandoTest, TheKladdeplanIsChosenOnceAndHoldsTheLastRun) {
  KladdeplanSti[0] = 0;
  std::string fra;
  Vaelg({0, 1}, &fra);
  std::string filTitel;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    filTitel = d.caption;
    return IDCANCEL;
  });
  MedaPlanKommando(0, 40278, 0);
  EXPECT_EQ(fra, "20240101");  // the year of the current date
  EXPECT_EQ(filTitel, "Gem kladdeplan csv fil");
  const auto standard = rod / "log" / "kladdeplan.csv";
  ASSERT_TRUE(std::filesystem::exists(standard));
  auto navne = [&] {
    std::vector<std::string> n;
    for (const auto &r : pdftest::Csv(standard))
      if (!r.empty() && r[0].rfind("Navn: ", 0) == 0) n.push_back(r[0]);
    return n;
  };
  EXPECT_EQ(navne(), (std::vector<std::string>{U8(u8"Navn: Anne Bæk"), "Navn: Gitte"}));
  EXPECT_EQ(pdftest::PdfFiler(temp).size(), 2u);

  // A second print asks for no file and starts the kladdeplan afresh.
  TomTemp();
  Vaelg({1});
  MedaPlanKommando(0, 40278, 0);
  EXPECT_EQ(navne(), (std::vector<std::string>{"Navn: Gitte"}));
  EXPECT_EQ(pdftest::PdfFiler(temp).size(), 1u);
}

TEST_F(MedaPlanKommandoTest, TheKladdeplanGoesWhereTheUserSavesIt) {
  KladdeplanSti[0] = 0;
  const std::filesystem::path hjem = rod / "hjem";
  std::filesystem::create_directories(hjem / "Documents");
  std::string gemtHjem = getenv("HOME") ? getenv("HOME") : "";
  setenv("HOME", hjem.c_str(), 1);
  Vaelg({0});
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR {
    tavo::test::PressKey(VK_RETURN);  // the proposed name in the documents folder
    return 0;
  });
  MedaPlanKommando(0, 40278, 0);
  setenv("HOME", gemtHjem.c_str(), 1);
  const auto valgt = hjem / "Documents" / "kladdeplan.csv";
  ASSERT_TRUE(std::filesystem::exists(valgt));
  EXPECT_FALSE(std::filesystem::exists(rod / "log" / "kladdeplan.csv"));
  EXPECT_EQ(pdftest::Csv(valgt).at(0), std::vector<std::string>{"TAVO plan for medarbejder"});
}

TEST_F(MedaPlanKommandoTest, DialogListsPlanEmploymentsAndChecksItsDates) {
  // A star employee and an ended employment stay out of the list.
  const uint32_t stjerne = Ansat("*VIK", "Vikar"), inaktiv = Ansat("JKL", "Jens");
  predtest::Rec<AnfoRec>(tvanfo, inaktiv)->Status = 30;
  Post(stjerne, 1, 1, 20240905, 'U').PlanUndervisning = 1;
  Post(inaktiv, 1, 1, 20240905, 'U').PlanUndervisning = 1;
  tvanfo.AktuelRec = anden;
  std::vector<std::string> punkter;
  int valgt = -1;
  struct {
    int felt;
    const char *tekst;
  } const fejl[] = {{IDC_PLANUDSK_FRA, "20240230"}, {IDC_PLANUDSK_TIL, "2025"}};
  std::vector<int> fokus;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    HWND liste = GetDlgItem(d.hwnd, IDC_PLANUDSK_LISTE);
    const int n = static_cast<int>(SendMessageA(liste, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char b[400];
      SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(b));
      punkter.push_back(b);
      if (SendMessageA(liste, LB_GETSEL, i, 0) > 0) valgt = i;
    }
    for (const auto &f : fejl) {
      SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_FRA, "20240801");
      SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_TIL, "20250731");
      SetDlgItemTextA(d.hwnd, f.felt, f.tekst);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      EXPECT_TRUE(IsWindow(d.hwnd));
      fokus.push_back(GetDlgCtrlID(GetFocus()));
    }
    return IDCANCEL;
  });
  MedaPlanKommando(0, 40278, 0);
  char en[400], to[400];
  std::snprintf(en, sizeof en, "ABC\t01\tAnne Bæk %*d", 200, static_cast<int>(anfo));
  std::snprintf(to, sizeof to, "GHI\t01\tGitte %*d", 200, static_cast<int>(anden));
  EXPECT_EQ(punkter, (std::vector<std::string>{en, to}));
  EXPECT_EQ(valgt, 1);
  EXPECT_EQ(fokus, (std::vector<int>{IDC_PLANUDSK_FRA, IDC_PLANUDSK_TIL}));
  EXPECT_TRUE(pdftest::PdfFiler(temp).empty());
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

TEST_F(MedaPlanKommandoTest, AFailedWriteIsShownAndTheNextEmploymentIsPrinted) {
  tavo::test::FileFault f;
  f.kinds = tavo::test::kFileWrite;
  f.nth = 1;
  f.error = ERROR_DISK_FULL;
  f.under = temp.string();
  tavo::test::SetFileFault(f);
  Vaelg({0, 1});
  MedaPlanKommando(0, 40278, 0);
  tavo::test::ClearFileFault();
  const auto filer = pdftest::PdfFiler(temp);
  ASSERT_EQ(filer.size(), 1u);
  EXPECT_NE(filer[0].filename().string().find("_" + std::to_string(anden) + ".pdf"), std::string::npos);
  EXPECT_NE(pdftest::Tekst(filer[0]).find("Gitte"), std::string::npos);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Fejl");
}

}  // namespace
}  // namespace plantest
