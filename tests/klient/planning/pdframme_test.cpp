// The reports' frame as real PDF readers see it: pages, footers, figures,
// Danish letters, the logo, old files and the failures.
#include <gtest/gtest.h>

#include <fstream>

#include "../data/store_fixture.h"
#include "Udskrivning.h"
#include "pdf_laeser.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"
#include "windows.h"

namespace {

std::string U8(const char8_t *s) { return reinterpret_cast<const char *>(s); }

class PdfRamme : public storetest::DataMappe {
 protected:
  std::filesystem::path temp;
  std::string gemtTmp;

  void SetUp() override {
    storetest::DataMappe::SetUp();
    temp = rod / "temp";
    std::filesystem::create_directories(temp);
    if (const char *t = getenv("TMPDIR")) gemtTmp = t;
    setenv("TMPDIR", temp.c_str(), 1);
    tavo::test::StartDialogScript();
    tavo::test::StartShellLog();
  }
  void TearDown() override {
    tavo::test::StopShellLog();
    tavo::test::StopDialogScript();
    tavo::ClearFakeClock();
    if (gemtTmp.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", gemtTmp.c_str(), 1);
    storetest::DataMappe::TearDown();
  }

  void Logo() {
    std::filesystem::copy_file(std::string(TAVO_SOURCE_DIR) + "/resources/orvane/tavo_skema_udskrift.jpg",
                               rod / "ini" / "tavo_skema_udskrift.jpg");
  }

  // A report of n pages, each with the logo and a line, saved and opened.
  std::filesystem::path Rapport(int sider, uint32_t nr = 7) {
    PdfDokument dok;
    float y = 0;
    for (int i = 0; i < sider; ++i) {
      y = 0;
      NyPdfSide(dok, &y);
      PdfLogo(dok, dok.Side(), y);
      PdfTekst(dok.Side(), 40, y - 30, "Linje");
    }
    PdfSidefod(dok, "Titel");
    EXPECT_EQ(GemOgAabnPdf(dok, nr), 0);
    auto filer = pdftest::PdfFiler(temp);
    return filer.empty() ? std::filesystem::path() : filer.back();
  }
};

TEST_F(PdfRamme, BodyAtTheBottomLimitStaysOnItsPage) {
  struct {
    float y;
    int sider;
  } tab[] = {{60.0f, 1}, {59.9f, 2}, {801.89f, 1}, {0.0f, 2}};
  for (const auto &t : tab) {
    SCOPED_TRACE(t.y);
    std::filesystem::remove_all(temp);
    std::filesystem::create_directories(temp);
    PdfDokument dok;
    float y = 0;
    EXPECT_EQ(NyPdfSide(dok, &y), 1);
    EXPECT_FLOAT_EQ(y, 841.89f - 40);
    y = t.y;
    EXPECT_EQ(NyPdfSide(dok, &y), t.sider - 1);
    PdfSidefod(dok, "T");
    ASSERT_EQ(GemOgAabnPdf(dok, 1), 0);
    ASSERT_EQ(pdftest::PdfFiler(temp).size(), 1u);
    EXPECT_EQ(pdftest::Sider(pdftest::PdfFiler(temp)[0]), t.sider);
  }
}

TEST_F(PdfRamme, FooterCountsThePagesAndTheFileIsOpened) {
  tavo::SetFakeClock(1700000000);  // 14-11-2023 22:13 UTC
  const auto en = Rapport(1, 42);
  ASSERT_FALSE(en.empty());
  EXPECT_EQ(en.filename().string(), "TAVO_1700000000_42.pdf");
  EXPECT_NE(pdftest::Tekst(en, 1).find("Side 1 af 1"), std::string::npos);
  EXPECT_NE(pdftest::Tekst(en, 1).find("Vemko Pelago+"), std::string::npos);
  EXPECT_NE(pdftest::Tekst(en, 1).find("Titel"), std::string::npos);
  std::filesystem::remove(en);
  const auto tre = Rapport(3, 43);
  EXPECT_EQ(pdftest::Sider(tre), 3);
  EXPECT_NE(pdftest::Tekst(tre, 3).find("Side 3 af 3"), std::string::npos);
  EXPECT_NE(pdftest::Tekst(tre, 2).find("Side 2 af 3"), std::string::npos);
  const auto kald = tavo::test::StopShellLog();
  ASSERT_EQ(kald.size(), 2u);
  for (const auto &k : kald) {
    EXPECT_EQ(k.operation, "open");
    EXPECT_EQ(k.parameters, "/n /s");
    EXPECT_EQ(k.show, SW_SHOWNORMAL);
  }
  EXPECT_NE(kald[1].file.find("TAVO_1700000000_43.pdf"), std::string::npos);
  tavo::test::StartShellLog();
}

TEST_F(PdfRamme, FiguresDatesAndDanishLetters) {
  struct {
    double v;
    const char *tekst;
  } tal[] = {{-3.25, "-3,25"}, {12.5, "12,50"}, {0, "0,00"}, {1234.567, "1234,57"}};
  for (const auto &t : tal) EXPECT_EQ(PdfKomma(t.v), t.tekst);
  EXPECT_STREQ(DatoPeriodeTekst(20240801, 20250731), "01.08.2024 - 31.07.2025");

  PdfDokument dok;
  float y = 0;
  NyPdfSide(dok, &y);
  PdfHoejre(dok.Side(), 515, y, PdfKomma(-3.25).c_str());
  PdfTekst(dok.Side(), 40, y - 20, "Årsnorm æ ø å Æ Ø");
  PdfCentreret(dok.Side(), y - 40, "Opgørelse");
  ASSERT_EQ(GemOgAabnPdf(dok, 1), 0);
  const auto f = pdftest::PdfFiler(temp).at(0);
  std::string check;
  EXPECT_TRUE(pdftest::QpdfOk(f, &check)) << check;
  const std::string t = pdftest::Tekst(f);
  EXPECT_NE(t.find("-3,25"), std::string::npos) << t;
  EXPECT_NE(t.find(U8(u8"Årsnorm æ ø å Æ Ø")), std::string::npos) << t;
  EXPECT_NE(t.find(U8(u8"Opgørelse")), std::string::npos) << t;
  // Right-aligned: the figure ends 515 points from the left edge.
  const std::string indhold = pdftest::Indhold(f);
  EXPECT_NE(indhold.find("(-3,25) Tj"), std::string::npos);
}

TEST_F(PdfRamme, LogoOnEveryPageWhenTheDataFolderHasIt) {
  const auto uden = Rapport(2, 1);
  EXPECT_EQ(pdftest::Billeder(uden), 0);
  EXPECT_EQ(pdftest::Sider(uden), 2);
  std::filesystem::remove(uden);
  Logo();
  const auto med = Rapport(2, 2);
  EXPECT_EQ(pdftest::Billeder(med), 2);
  std::string check;
  EXPECT_TRUE(pdftest::QpdfOk(med, &check)) << check;
  std::filesystem::remove(med);
  // A file that is no picture is left out like a missing one.
  std::ofstream(rod / "ini" / "tavo_skema_udskrift.jpg", std::ios::trunc) << "ikke et billede";
  const auto daarlig = Rapport(1, 3);
  ASSERT_FALSE(daarlig.empty());
  EXPECT_EQ(pdftest::Billeder(daarlig), 0);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

TEST_F(PdfRamme, OldReportFilesGoAfterFourteenDays) {
  const int64_t nu = 1718000000;
  tavo::SetFakeClock(nu);
  const std::string femten = "TAVO_" + std::to_string(nu - 15 * 86400) + "_3.pdf";
  const std::string tretten = "TAVO_" + std::to_string(nu - 13 * 86400) + "_3.pdf";
  for (const std::string &n : {femten, tretten, std::string("TAVO_plan.pdf"), std::string("ANDET_1.pdf")})
    std::ofstream(temp / n) << "x";
  DeleteOldPdfFiles();
  EXPECT_FALSE(std::filesystem::exists(temp / femten));
  EXPECT_TRUE(std::filesystem::exists(temp / tretten));
  EXPECT_TRUE(std::filesystem::exists(temp / "TAVO_plan.pdf"));
  EXPECT_TRUE(std::filesystem::exists(temp / "ANDET_1.pdf"));
}

TEST_F(PdfRamme, FailuresLeaveNoFileAndAreShown) {
  // A write that fails on the way.
  {
    PdfDokument dok;
    float y = 0;
    NyPdfSide(dok, &y);
    PdfTekst(dok.Side(), 40, y, "x");
    tavo::test::FileFault f;
    f.kinds = tavo::test::kFileWrite;
    f.nth = 1;
    f.error = ERROR_DISK_FULL;
    f.under = temp.string();
    tavo::test::SetFileFault(f);
    EXPECT_EQ(GemOgAabnPdf(dok, 5), 1);
    tavo::test::ClearFileFault();
  }
  EXPECT_TRUE(pdftest::PdfFiler(temp).empty());
  // A libharu error (a page higher than PDF allows) while drawing.
  {
    PdfDokument dok;
    float y = 0;
    NyPdfSide(dok, &y);
    HPDF_Page_SetHeight(dok.Side(), 20000);
    EXPECT_TRUE(dok.Fejlet());
    EXPECT_EQ(GemOgAabnPdf(dok, 6), 1);
  }
  EXPECT_TRUE(pdftest::PdfFiler(temp).empty());
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 2u);
  for (const auto &b : bokse) EXPECT_EQ(b.caption, "Fejl");
  EXPECT_NE(bokse[1].text.find("error_no=1054"), std::string::npos) << bokse[1].text;
  EXPECT_TRUE(tavo::test::StopShellLog().empty());
  tavo::test::StartShellLog();
}

}  // namespace
