// The changed-events panes (line counts, headings and their marks) and the
// entry window's time line.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "BRIKIND.h"
#include "LISTBOX.h"
#include "RETINFO.h"
#include "beg_fixture.h"
#include "tavo/test_gdi.h"

namespace {

using namespace begtest;

std::vector<uint32_t> Linjer(const AVS &a, const char *bogstaver) {
  uint32_t l[kRetInfoBlokke];
  RetInfoLinjer(&a, bogstaver, l);
  return std::vector<uint32_t>(l, l + kRetInfoBlokke);
}

AVS Begivenhed(uint32_t akti, uint32_t anfo, uint32_t loka, uint32_t bem) {
  AVS a{};
  a.aktiAntal = akti;
  a.anfoAntal = anfo;
  a.lokaAntal = loka;
  a.bemAntal = bem;
  return a;
}

TEST(RetInfoLinjeTal, CutToTwelveFromTheLargestBlock) {
  struct {
    const char *navn;
    AVS avs;
    const char *bogstaver;
    std::vector<uint32_t> linjer;  // activities, subject, employees, rooms, remark
  } tab[] = {
      // 17 lines: activities give up to the tie with the employees, then the
      // employees lead and give one.
      {"8 activities, 5 employees, 1 room", Begivenhed(8, 5, 1, 0), "KSMLB", {4, 1, 4, 1, 2}},
      {"within 12", Begivenhed(2, 0, 0, 1), "KSMLB", {2, 1, 1, 1, 2}},
      {"rooms lead", Begivenhed(1, 2, 12, 0), "KSMLB", {1, 1, 2, 6, 2}},
      {"only the letters present", Begivenhed(9, 9, 9, 9), "KM", {6, 0, 6, 0, 0}},
      {"a long remark stops at one line each", Begivenhed(3, 3, 3, 20), "KSMLB", {1, 1, 1, 1, 20}},
  };
  for (const auto &t : tab) EXPECT_EQ(Linjer(t.avs, t.bogstaver), t.linjer) << t.navn;
}

TEST(RetInfoOverskrifter, LongShortMarkedAndTheRemarkKey) {
  char buf[32];
  EXPECT_STREQ(RetInfoOverskrift(RI_ANFO, true, false, true, buf, sizeof buf), "Medarbejdere *");
  EXPECT_STREQ(RetInfoOverskrift(RI_AKTI, false, true, false, buf, sizeof buf), "Akt");
  EXPECT_STREQ(RetInfoOverskrift(RI_BEM, true, true, false, buf, sizeof buf), "&Bemærkning");
  EXPECT_STREQ(RetInfoOverskrift(RI_BEM, false, true, true, buf, sizeof buf), "&Bem *");
  EXPECT_STREQ(RetInfoOverskrift(RI_BEM, true, false, false, buf, sizeof buf), "Bemærkning");
}

class RetInfoRude : public BegMappe {
 protected:
  void SetUp() override {
    BegMappe::SetUp();
    RegistrerRetInfoKlasse(0);
    RegistrerListeKlasser(0);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "RetInfoTestVaert";
    RegisterClassA(&wc);
    vaert = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 900, 400, 0, 0, 0, nullptr);
    for (uint32_t a : akti) AddAVSEgenskab(&avs, 'K', a, 0, 0);
    AddAVSEgenskab(&avs, 'M', anfo[0], laerer, 45);
    AddAVSEgenskab(&avs, 'M', anfo[1], laerer, 30);
    AddAVSEgenskab(&avs, 'L', loka[0], 0, 0);
    AddAVSEgenskab(&avs, 'U', skfa, 0, 0);
  }
  void TearDown() override {
    DestroyWindow(vaert);
    BegMappe::TearDown();
  }
  // The headings drawn by the pane's paint.
  std::set<std::string> Tegnet(HWND rude) {
    tavo::test::ClearDrawnTexts();
    InvalidateRect(rude, nullptr, TRUE);
    UpdateWindow(rude);
    std::set<std::string> s;
    for (const auto &d : tavo::test::DrawnTexts())
      if (d.hwnd == rude) s.insert(d.text);
    return s;
  }
  HWND vaert = 0;
};

TEST_F(RetInfoRude, MinutesMarkOnlyTheEmployeesAndTheChangedPaneKeysTheRemark) {
  HWND rude = CreateRetInfoWnd(0, vaert, 0, 0, 599, 299, &avs, 0, "KSMLB", "INDHOLD RETTET TIL");
  ASSERT_TRUE(rude);
  ShowWindow(rude, SW_SHOW);
  EXPECT_TRUE(RetInfoLangeOverskrifter(rude));
  auto tekster = Tegnet(rude);
  EXPECT_TRUE(tekster.count("INDHOLD RETTET TIL"));
  for (const char *o : {"Aktiviteter", "Skolefag", "Medarbejdere", "Lokaler", "Bemærkning"})
    EXPECT_TRUE(tekster.count(o)) << o;

  avs.minutTab[1] = 40;
  SendMessageA(rude, DATA_AENDRET2, 0, 0);
  bool m[kRetInfoBlokke];
  RetInfoMaerker(rude, m);
  EXPECT_EQ(std::vector<bool>(m, m + kRetInfoBlokke), (std::vector<bool>{false, false, true, false, false}));
  tekster = Tegnet(rude);
  EXPECT_TRUE(tekster.count("Medarbejdere *"));
  EXPECT_TRUE(tekster.count("Aktiviteter"));
  EXPECT_FALSE(tekster.count("Aktiviteter *"));

  // A changed room role marks the rooms; going back unmarks the employees.
  avs.minutTab[1] = 30;
  avs.lokrolleTab[0] = 5;
  RetInfoMaerker(rude, m);
  EXPECT_EQ(std::vector<bool>(m, m + kRetInfoBlokke), (std::vector<bool>{false, false, false, true, false}));
  DestroyWindow(rude);
}

TEST_F(RetInfoRude, ANarrowPaneTakesTheShortHeadings) {
  const int32_t bred = RetInfoBredde("KSMLB", 2000);
  const int32_t smal = RetInfoBredde("KSMLB", bred - 1);
  EXPECT_LT(smal, bred);
  EXPECT_EQ(RetInfoBredde("KSMLB", 20), 20);
  HWND rude = CreateRetInfoWnd(0, vaert, 0, 0, 60, 200, &avs, 0, "KSMLB", "OPRINDELIGT INDHOLD");
  ASSERT_TRUE(rude);
  ShowWindow(rude, SW_SHOW);
  EXPECT_FALSE(RetInfoLangeOverskrifter(rude));
  avs.skfa_id = 0;
  const auto tekster = Tegnet(rude);
  EXPECT_TRUE(tekster.count("Fag *"));
  EXPECT_TRUE(tekster.count("Akt"));
  EXPECT_FALSE(tekster.count("Aktiviteter"));
  DestroyWindow(rude);
}

// ==================================================================== time line

TEST_F(RetInfoRude, TimeLineTextsAndLabels) {
  GlobalIndstillinger.standardlektionslengde = 45;
  const uint32_t saerlig = Rolle({"SP", "", "810"});
  struct {
    const char *navn;
    char visning, mode, art;
    uint32_t start, slut;
    float std;
    uint32_t rolle;
    const char *tid, *lekt;
    bool tidEtiket;
  } tab[] = {
      {"lesson mode", 'L', 'B', 'S', 800, 845, 1.0f, 0, "08:00-08:45", "1,00", false},
      {"day mode", 'D', 'B', 'S', 800, 1530, 8.333f, 0, "08:00-15:30", "8,33", true},
      {"time mode, new event", 'T', 'B', 'S', 905, 1000, 1.25f, 0, "09:05-10:00", "1,25", false},
      {"time mode, changing", 'T', 'R', 'S', 905, 1000, 1.25f, 0, "09:05-10:00", "1,25", true},
      {"hundredths rounded with the whole part", 'D', 'R', 'S', 800, 1000, 1.996f, 0, "08:00-10:00", "2,00",
       true},
      {"special schedule with a special role", 'D', 'B', 'P', 800, 1200, 4.0f, saerlig, "10:30-12:00", "2,00",
       true},
      {"special schedule with an ordinary role", 'D', 'B', 'P', 800, 1200, 4.0f, laerer, "08:00-12:00", "4,00",
       true},
  };
  BrikIndStruct b{};
  b.hwnd = vaert;
  b.TidLinjeRekt = {10, 10, 400, 30};
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    CleanupAVS(&AktuelAVS);
    AktuelAVS.Art = t.art;
    AktuelAVS.Starttid = t.start;
    AktuelAVS.Sluttid = t.slut;
    AktuelAVS.Antal_std_lektioner = t.std;
    if (t.rolle) AddAVSEgenskab(&AktuelAVS, 'M', anfo[0], t.rolle, 0);
    AktuelAVS.Antal_std_lektioner = t.std;
    b.Visning = t.visning;
    b.Mode = t.mode;
    tavo::test::ClearDrawnTexts();
    TegnTidLinje(&b);
    std::set<std::string> s;
    for (const auto &d : tavo::test::DrawnTexts()) s.insert(d.text);
    EXPECT_TRUE(s.count(t.tid));
    EXPECT_TRUE(s.count(t.lekt));
    EXPECT_TRUE(s.count("Lekt:"));
    EXPECT_EQ(s.count("Tid:"), t.tidEtiket ? 1u : 0u);
  }
  CleanupAVS(&AktuelAVS);
}

}  // namespace
