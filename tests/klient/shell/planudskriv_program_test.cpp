// The plan reports from the menu of the running program on a made school
// with its plan: the dialogs answered as a user would, the reports read back
// with real PDF readers.
#include <filesystem>
#include <set>

#include "../planning/pdf_laeser.h"
#include "KATALOG.h"
#include "MENUKOMMANDO.h"
#include "RECPRED.h"
#include "TALTAB.h"
#include "opstart_support.h"
#include "planudskrivdlg.h"
#include "tavo/test_dialog.h"

namespace opstarttest {
namespace {

class PlanUdskrivFixture : public OpstartTest {
 protected:
  fs::path temp;
  std::string gemtTmp;
  void SetUp() override {
    OpstartTest::SetUp();
    temp = rod_ / "temp";
    fs::create_directories(temp);
    if (const char *t = getenv("TMPDIR")) gemtTmp = t;
    setenv("TMPDIR", temp.c_str(), 1);
    tavo::test::StartShellLog();
  }
  void TearDown() override {
    tavo::test::StopShellLog();
    if (gemtTmp.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", gemtTmp.c_str(), 1);
    OpstartTest::TearDown();
  }
  // The record numbers of the first n items of the dialog's list, which it
  // chooses, with the dates given.
  static void Svar(int n, const char *fra, const char *til, std::vector<uint32_t> *valgte) {
    tavo::test::AnswerNextDialog([=](const tavo::test::ShownDialog &d) -> INT_PTR {
      HWND liste = GetDlgItem(d.hwnd, IDC_PLANUDSK_LISTE);
      SendMessageA(liste, LB_SETSEL, FALSE, -1);
      for (int i = 0; i < n; ++i) {
        SendMessageA(liste, LB_SETSEL, TRUE, i);
        char b[400] = "";
        SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(b));
        valgte->push_back(static_cast<uint32_t>(std::strtoul(std::strrchr(b, ' ') + 1, nullptr, 10)));
      }
      if (fra) SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_FRA, fra);
      if (til) SetDlgItemTextA(d.hwnd, IDC_PLANUDSK_TIL, til);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return 0;
    });
  }
  static std::string Navn(uint32_t anfo) {
    const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
    const MedaRec *m = a ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr;
    return m ? std::string(m->Navn, strnlen(m->Navn, sizeof m->Navn)) : "";
  }
};

class MedaPlanProgram : public PlanUdskrivFixture {};

TEST_F(MedaPlanProgram, FromTheMenuOneReportPerEmploymentAndOneKladdeplan) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  ASSERT_GT(PlanTal.Antal, 0u);
  std::vector<uint32_t> valgte;
  Svar(2, "20260801", "20270731", &valgte);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDCANCEL; });
  MainMenuCommand(hwndHoved, 40278, 0);
  ASSERT_EQ(valgte.size(), 2u);
  EXPECT_TRUE(Bokse().empty());
  const auto filer = pdftest::PdfFiler(temp);
  ASSERT_EQ(filer.size(), 2u);
  const auto kald = tavo::test::StopShellLog();
  tavo::test::StartShellLog();
  ASSERT_EQ(kald.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(valgte[i]);
    // TAVO_<time>_<record number>.pdf
    const std::string navn = filer[i].filename().string();
    unsigned long long tid = 0;
    unsigned long nr = 0;
    ASSERT_EQ(std::sscanf(navn.c_str(), "TAVO_%llu_%lu.pdf", &tid, &nr), 2) << navn;
    EXPECT_TRUE(std::find(valgte.begin(), valgte.end(), nr) != valgte.end());
    EXPECT_EQ(kald[i].operation, "open");
    EXPECT_EQ(kald[i].parameters, "/n /s");
    std::string check;
    EXPECT_TRUE(pdftest::QpdfOk(filer[i], &check)) << check;
    const std::string tekst = pdftest::Tekst(filer[i]);
    EXPECT_NE(tekst.find("Periode: 01.08.2026 - 31.07.2027"), std::string::npos) << tekst;
    EXPECT_NE(tekst.find("Total:"), std::string::npos);
    EXPECT_NE(tekst.find(pdftest::Utf8(Navn(static_cast<uint32_t>(nr)))), std::string::npos);
  }
  std::set<std::string> kaldteFiler;
  for (const auto &k : kald) kaldteFiler.insert(k.file.substr(k.file.find_last_of('\\') + 1));
  EXPECT_EQ(kaldteFiler, (std::set<std::string>{filer[0].filename().string(), filer[1].filename().string()}));
  int ansatte = 0;
  for (const auto &r : pdftest::Csv(Data() / "log" / "kladdeplan.csv"))
    ansatte += !r.empty() && r[0].rfind("Navn: ", 0) == 0;
  EXPECT_EQ(ansatte, 2);
  EXPECT_EQ(Luk(), 0);
}

class PlanOpfoelgningProgram : public PlanUdskrivFixture {};

TEST_F(PlanOpfoelgningProgram, FromTheMenuOneReportPerEmployment) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  std::vector<uint32_t> valgte;
  Svar(2, nullptr, nullptr, &valgte);
  MainMenuCommand(hwndHoved, 40297, 0);
  ASSERT_EQ(valgte.size(), 2u);
  EXPECT_TRUE(Bokse().empty());
  const auto filer = pdftest::PdfFiler(temp);
  ASSERT_EQ(filer.size(), 2u);
  const auto kald = tavo::test::StopShellLog();
  tavo::test::StartShellLog();
  ASSERT_EQ(kald.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    unsigned long long tid = 0;
    unsigned long nr = 0;
    ASSERT_EQ(std::sscanf(filer[i].filename().string().c_str(), "TAVO_%llu_%lu.pdf", &tid, &nr), 2);
    EXPECT_TRUE(std::find(valgte.begin(), valgte.end(), nr) != valgte.end());
    EXPECT_EQ(kald[i].operation, "open");
    std::string check;
    EXPECT_TRUE(pdftest::QpdfOk(filer[i], &check)) << check;
    const std::string tekst = pdftest::Tekst(filer[i]);
    EXPECT_NE(tekst.find("TAVO planopf\xC3\xB8lgning for medarbejder"), std::string::npos) << tekst;
    EXPECT_NE(tekst.find(pdftest::Utf8(Navn(static_cast<uint32_t>(nr)))), std::string::npos);
    EXPECT_NE(tekst.find("Total:"), std::string::npos);
  }
  EXPECT_EQ(Luk(), 0);
}

class PlanNormProgram : public PlanUdskrivFixture {};

TEST_F(PlanNormProgram, FromTheMenuOneReportForAll) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  std::vector<uint32_t> valgte;
  Svar(3, nullptr, nullptr, &valgte);
  MainMenuCommand(hwndHoved, 40280, 0);
  ASSERT_EQ(valgte.size(), 3u);
  EXPECT_TRUE(Bokse().empty());
  const auto filer = pdftest::PdfFiler(temp);
  ASSERT_EQ(filer.size(), 1u);
  EXPECT_NE(filer[0].filename().string().find("_0.pdf"), std::string::npos);
  const auto kald = tavo::test::StopShellLog();
  tavo::test::StartShellLog();
  ASSERT_EQ(kald.size(), 1u);
  EXPECT_EQ(kald[0].parameters, "/n /s");
  std::string check;
  EXPECT_TRUE(pdftest::QpdfOk(filer[0], &check)) << check;
  EXPECT_NE(pdftest::Tekst(filer[0]).find("medarbejder opg\xC3\xB8relsesperiode start"), std::string::npos);
  EXPECT_EQ(Luk(), 0);
}

}  // namespace
}  // namespace opstarttest
