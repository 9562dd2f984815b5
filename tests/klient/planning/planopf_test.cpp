// The plan follow-up and the plan/norm follow-up reports, read back with
// pdftotext and, for padded texts, in qpdf's plain form of the content.
#include "plan_rapport_fixture.h"

#include <sstream>

#include "PlanNorm.h"
#include "PlanOpf.h"
#include "planudskrivdlg.h"

namespace plantest {
namespace {

// The words of a line of pdftotext -layout.
std::vector<std::string> Ord(const std::string &linje) {
  std::vector<std::string> r;
  std::istringstream i(linje);
  for (std::string o; i >> o;) r.push_back(o);
  return r;
}

class PlanOpfoelgningRapport : public PlanRapportTest {
 protected:
  uint32_t anfo = 0, hold = 0, dan = 0, mat = 0;
  void SetUp() override {
    PlanRapportTest::SetUp();
    anfo = Ansat("ABC", "Anne Bæk");
    hold = Akti("HOLD1");
    dan = Fag("DAN", 'C', "Dansk");
    mat = Fag("MAT", 'B', "Matematik");
  }
  PlanTabPost &Timer(uint32_t akti, uint32_t skfa, Dato dag, char art, float plan, float aktuel) {
    PlanTabPost &p = Post(anfo, akti, skfa, dag, art);
    (art == 'R' ? p.PlanRettearbejde : art == 'E' ? p.PlanEksamen : p.PlanUndervisning) = plan;
    p.Aktuel = aktuel;
    return p;
  }
  std::string Print(bool lektioner, Dato fra = 20240801, Dato til = 20250731) {
    BuildMedPer();
    PlanOpfValgRec v;
    v.PerDato = 20241016;  // a Wednesday
    v.Fra = fra;
    v.Til = til;
    v.Lektioner = lektioner;
    EXPECT_EQ(PrintPlanOpfEmployee(anfo, v), 0);
    const auto f = EnRapport();
    std::string check;
    EXPECT_TRUE(pdftest::QpdfOk(f, &check)) << check;
    return pdftest::Tekst(f, 0, "-layout");
  }
};

TEST_F(PlanOpfoelgningRapport, LinesSplitAtThePerDato) {
  Timer(hold, dan, 20241016, 'U', 2, 1.5f);   // Wednesday: held up to the per dato
  Timer(hold, dan, 20241017, 'U', 3, 0.5f);   // Thursday: after it
  Timer(hold, mat, 20241120, 'U', 1, 4);      // more held than planned after: no rest
  Timer(hold, 0, 20241120, 'E', 1, 0);
  Timer(hold, 0, 20241120, 'R', 2, 0);
  Timer(hold, 0, 20241120, 'U', 1, 0);
  const std::string t = Print(false);
  struct {
    const char *tekst;
    std::vector<const char *> tal;  // the figures of the line, in order; absent ones left out
  } const tab[] = {
      {"Dansk", {"5,00", "1,50", "0,50", "2,50"}},
      {"Matematik", {"1,00", "4,00"}},
      {"(RETTE ARB)", {"2,00", "2,00"}},
      {"(EKSAMES ARB)", {"1,00", "1,00"}},
      {"Total:", {"10,00", "1,50", "4,50", "6,50"}},
  };
  for (const auto &r : tab) {
    const std::string l = Linje(t, r.tekst);
    SCOPED_TRACE(l);
    size_t pos = 0;
    for (const char *v : r.tal) {
      pos = l.find(v, pos);
      ASSERT_NE(pos, std::string::npos) << v;
      pos += std::strlen(v);
    }
    EXPECT_EQ(l.find(',', pos), std::string::npos);  // nothing more
  }
  // Lines without a subject follow by activity and kind: teaching, marking, exam.
  const size_t u = t.find("HOLD1", t.find("Matematik")), r = t.find("(RETTE ARB)"), e = t.find("(EKSAMES ARB)");
  EXPECT_LT(t.find("Dansk"), t.find("Matematik"));
  EXPECT_LT(t.find("Matematik"), u);
  EXPECT_LT(u, r);
  EXPECT_LT(r, e);
  EXPECT_NE(t.find(U8(u8"TAVO planopfølgning for medarbejder (i Timer)")), std::string::npos) << t;
  EXPECT_NE(t.find("Pr. dato: 16.10.2024"), std::string::npos);
  EXPECT_NE(t.find(U8(u8"Opgørelsesperiode: 01.08.2024 - 31.07.2025")), std::string::npos);
}

TEST_F(PlanOpfoelgningRapport, TotalsAlwaysPrintAndTheBoxSetsThemAgainstTheNorm) {
  const std::string tom = Print(false);
  EXPECT_EQ(Ord(Linje(tom, "Total:")), (std::vector<std::string>{"Total:", "0,00", "0,00", "0,00", "0,00"}));
  TomTemp();
  Timer(hold, dan, 20241016, 'U', 2, 1.5f);
  Timer(hold, dan, 20241017, 'U', 3, 0.5f);
  Timer(hold, mat, 20241120, 'U', 1, 4);
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
  const std::string t = Print(false);
  // Adjusted norm 1680 + 10 - 2.5; in the period 1.5 + 4.5 + 2.5.
  const struct {
    const char8_t *tekst;
    const char *vaerdi;
  } boks[] = {{u8"Justeret norm:", "1687,50"},        {u8"Faktiske før pr. dato:", "1,50"},
              {u8"Faktiske efter pr. dato:", "4,50"}, {u8"Plan rest efter pr. dato:", "2,50"},
              {u8"Ialt i perioden:", "8,50"},         {u8"Over-/undertimer i perioden:", "-1679,00"}};
  for (const auto &r : boks) {
    const std::string l = Linje(t, U8(r.tekst));
    EXPECT_NE(l.find(r.vaerdi), std::string::npos) << U8(r.tekst) << ": " << l;
  }
}

TEST_F(PlanOpfoelgningRapport, LessonModeRoundsHeldThousandthsAndHasNoBox) {
  const struct {
    int32_t tusindedele;
    const char *total;
  } tab[] = {{1499, "1,00"}, {1500, "2,00"}, {-1500, "-2,00"}, {-1499, "-1,00"}};
  for (const auto &c : tab) {
    SCOPED_TRACE(c.tusindedele);
    FreePlanTab();
    TomTemp();
    Post(anfo, hold, dan, 20241002, 'U').SkemaLektioner = static_cast<uint32_t>(c.tusindedele);
    Post(anfo, hold, mat, 20241002, 'U').PlanLektioner = 29;  // 2 whole lessons planned
    const std::string t = Print(true);
    const std::string total = Linje(t, "Total:");
    EXPECT_NE(total.find("2,00"), std::string::npos) << total;
    EXPECT_NE(total.find(c.total), std::string::npos) << total;
    EXPECT_NE(t.find(U8(u8"TAVO planopfølgning for medarbejder (i Lektioner)")), std::string::npos);
    EXPECT_EQ(t.find("Justeret norm"), std::string::npos);
  }
}

// The commands with their dialogs answered.
class PlanOpfoelgningKommando : public PlanOpfoelgningRapport {
 protected:
  void SetUp() override {
    PlanOpfoelgningRapport::SetUp();
    araf = 0;
    Aftale({predtest::Opg(20240801, 20241231, 800), predtest::Opg(20250101, 20250731, 880)});
    anfo = Ansat("DEF", "Dorte");
    Timer(hold, dan, 20241002, 'U', 2, 1);
    BuildMedPer();
  }
  std::string Flag() {
    char b[16] = "";
    GetPrivateProfileStringA("flag", "udsk_i_lektioner", "", b, sizeof b, StiTab.szini);
    return b;
  }
};

TEST_F(PlanOpfoelgningKommando, AccountingPeriodVariantChecksThePerDatoAndKeepsTheLessonChoice) {
  std::vector<int> fokus;
  bool periodeFelter = true;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    periodeFelter = d.Control(IDC_PLANUDSK_FRA) || d.Control(IDC_PLANUDSK_TIL);
    EXPECT_EQ(d.Control(IDC_PLANUDSK_PERDATO)->text, "20241016");
    SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_PERDATO, "20240230");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(d.hwnd));
    fokus.push_back(GetDlgCtrlID(GetFocus()));
    SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_PERDATO, "20241016");
    CheckDlgButton(d.hwnd, IDC_PLANUDSK_LEKTIONER, BST_CHECKED);
    SendMessageA(GetDlgItem(d.hwnd, IDC_PLANUDSK_LISTE), LB_SETSEL, TRUE, 0);
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  PrintPlanOpfolgning(0, true);
  EXPECT_FALSE(periodeFelter);
  EXPECT_EQ(fokus, std::vector<int>{IDC_PLANUDSK_PERDATO});
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  EXPECT_EQ(Flag(), "1");
  const std::string t = pdftest::Tekst(EnRapport());
  EXPECT_NE(t.find(U8(u8"Opgørelsesperiode: 01.08.2024 - 31.12.2024")), std::string::npos) << t;
  EXPECT_NE(t.find("(i Lektioner)"), std::string::npos);

  // Cancel keeps the box's state too; the next dialog starts from it.
  TomTemp();
  int startet = -1;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    startet = d.Control(IDC_PLANUDSK_LEKTIONER)->checked;
    CheckDlgButton(d.hwnd, IDC_PLANUDSK_LEKTIONER, BST_UNCHECKED);
    SendMessageA(d.hwnd, WM_COMMAND, IDCANCEL, 0);
    return 0;
  });
  PrintPlanOpfolgning(0, true);
  EXPECT_EQ(startet, BST_CHECKED);
  EXPECT_EQ(Flag(), "0");
  EXPECT_TRUE(pdftest::PdfFiler(temp).empty());
}

TEST_F(PlanOpfoelgningKommando, FreePeriodDialogChecksItsDates) {
  const struct {
    int felt;
    const char *tekst;
  } tab[] = {{IDC_PLANUDSK_PERDATO, "0"}, {IDC_PLANUDSK_FRA, "2024"}, {IDC_PLANUDSK_TIL, "20241301"}};
  std::vector<int> fokus;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    for (const auto &c : tab) {
      SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_PERDATO, "20241016");
      SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_FRA, "");
      SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_TIL, "");
      SetDlgItemTextA(d.hwnd, c.felt, c.tekst);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      fokus.push_back(GetDlgCtrlID(GetFocus()));
    }
    // A period given in the dialog is the report's.
    SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_FRA, "20240901");
    SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_TIL, "20250630");
    SendMessageA(GetDlgItem(d.hwnd, IDC_PLANUDSK_LISTE), LB_SETSEL, TRUE, 0);
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  PrintPlanOpfolgning(0, false);
  EXPECT_EQ(fokus, (std::vector<int>{IDC_PLANUDSK_PERDATO, IDC_PLANUDSK_FRA, IDC_PLANUDSK_TIL}));
  const std::string t = pdftest::Tekst(EnRapport());
  EXPECT_NE(t.find(U8(u8"Opgørelsesperiode: 01.09.2024 - 30.06.2025")), std::string::npos) << t;
}

class PlanNormRapport : public PlanRapportTest {};

TEST_F(PlanNormRapport, MonthEndFromADayOrAMonth) {
  const struct {
    uint32_t ind;
    Dato d;
  } tab[] = {{20240315, 20240331}, {202403, 20240331}, {202402, 20240229}, {20241231, 20241231},
             {20240230, 0},        {202413, 0},        {0, 0},              {2024, 0}};
  for (const auto &c : tab) EXPECT_EQ(PlanNormMaanedsSlut(c.ind), c.d) << c.ind;
}

TEST_F(PlanNormRapport, NormUpToTheMonthAgainstPlannedAndActualHours) {
  araf = 0;
  Aftale({predtest::Opg(20240801, 20250731, 1200)});
  const uint32_t en = Ansat("ABC", "Anne Bæk"), ingen = Ansat("DEF", "Dorte"), kun = Ansat("GHI", "Gitte", "02");
  const uint32_t hold = Akti("HOLD1"), dan = Fag("DAN", 'C', "Dansk");
  PlanTabPost &a = Post(en, hold, dan, 20240904, 'U');
  a.PlanUndervisning = 10;
  a.Aktuel = 4;
  Post(en, hold, dan, 20241106, 'U').PlanUndervisning = 50;  // after the month: not counted
  Post(kun, hold, dan, 20241002, 'U').Aktuel = 5;
  BuildMedPer();
  ASSERT_EQ(PrintPlanNormOpfolgning({en, ingen, kun}, 20241031), 0);
  const auto f = EnRapport();
  std::string check;
  EXPECT_TRUE(pdftest::QpdfOk(f, &check)) << check;
  const std::string t = pdftest::Tekst(f, 0, "-layout");
  // 3 of 12 months of 1200; 4 held and 6 still planned against 300.
  const std::string l1 = Linje(t, "ABC");
  EXPECT_NE(l1.find("300.00"), std::string::npos) << l1;
  EXPECT_NE(l1.find("10,00"), std::string::npos) << l1;
  EXPECT_NE(l1.find("4,00"), std::string::npos) << l1;
  EXPECT_NE(l1.find("6,00"), std::string::npos) << l1;
  EXPECT_NE(l1.find("-290,00"), std::string::npos) << l1;
  EXPECT_NE(l1.find("- 01"), std::string::npos) << l1;
  EXPECT_NE(l1.find(U8(u8"Anne Bæk")), std::string::npos) << l1;
  EXPECT_EQ(t.find("DEF"), std::string::npos);
  // No plan: the plan and rest columns stay empty; actual and result print.
  const std::string l3 = Linje(t, "GHI");
  EXPECT_NE(l3.find("- 02"), std::string::npos) << l3;
  EXPECT_EQ(Ord(l3), (std::vector<std::string>{"GHI", "-", "02", "Gitte", "300.00", "5,00", "-295,00"}));

  EXPECT_NE(t.find(U8(u8"TAVO plan-/normopfølgning for medarbejdere")), std::string::npos);
  EXPECT_NE(t.find(U8(u8"TAVO plan-/norm opfølgning")), std::string::npos);
  const std::string raa = pdftest::Tekst(f);
  EXPECT_NE(raa.find(U8(u8"Periode: medarbejder opgørelsesperiode start - Oktober 2024")), std::string::npos)
      << raa;
  EXPECT_NE(pdftest::Indhold(f).find("Oktober   2024) Tj"), std::string::npos);
  EXPECT_NE(f.filename().string().find("_0.pdf"), std::string::npos);
}

TEST_F(PlanNormRapport, DialogTakesADayOrAMonthAndChoosesOneWithoutCtrl) {
  const uint32_t en = Ansat("ABC", "Anne"), to = Ansat("DEF", "Dorte");
  const uint32_t hold = Akti("HOLD1");
  Post(en, hold, 0, 20241002, 'U').PlanUndervisning = 1;
  Post(to, hold, 0, 20241002, 'U').PlanUndervisning = 1;
  BuildMedPer();
  tvanfo.AktuelRec = en;
  std::vector<int> fokus;
  std::string foreslaaet;
  std::vector<int> valgtEfterKlik;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    foreslaaet = d.Control(IDC_PLANUDSK_PERDATO)->text;
    HWND liste = GetDlgItem(d.hwnd, IDC_PLANUDSK_LISTE);
    // A click on the second item without Ctrl leaves it alone chosen.
    SendMessageA(liste, LB_SETSEL, TRUE, 1);
    SendMessageA(liste, LB_SETCARETINDEX, 1, 0);
    SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(IDC_PLANUDSK_LISTE, LBN_SELCHANGE), static_cast<LPARAM>(liste));
    for (int i = 0; i < 2; ++i)
      if (SendMessageA(liste, LB_GETSEL, i, 0) > 0) valgtEfterKlik.push_back(i);
    SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_PERDATO, "20241");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    fokus.push_back(GetDlgCtrlID(GetFocus()));
    SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_PERDATO, "20241015");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  PlanNormKommando(0, 40280, 0);
  EXPECT_EQ(foreslaaet, "202410");
  EXPECT_EQ(valgtEfterKlik, std::vector<int>{1});
  EXPECT_EQ(fokus, std::vector<int>{IDC_PLANUDSK_PERDATO});
  const std::string t = pdftest::Tekst(EnRapport(), 0, "-layout");
  EXPECT_NE(t.find("DEF"), std::string::npos);
  EXPECT_EQ(t.find("ABC"), std::string::npos);
  EXPECT_NE(t.find("Oktober"), std::string::npos);
}

}  // namespace
}  // namespace plantest
