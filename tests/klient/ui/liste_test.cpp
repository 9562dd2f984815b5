// The record lists and the one-record field over the small school that
// tools/mkdata makes, drawn by the shipped activity layout of the selection
// window's list: rows, empty rows, the scroll bar that follows the owner's
// count, the staff figures and marks, the plain-text list, the caption and
// the tooltip.

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "FARVER.h"
#include "FONTE.h"
#include "KATALOG.h"
#include "SKOLEDATA.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "TOOLTIP.h"
#include "liste_support.h"
#include "switch_fixture.h"
#include "tavo/test_gdi.h"

namespace {

namespace fs = std::filesystem;

constexpr uint8_t kArt = 46;  // the selection window's list: 'K' name, type, from and to

std::vector<tavo::test::DrawnText> TeksterVed(HWND h, int y) {
  std::vector<tavo::test::DrawnText> v;
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == h && d.y == y) v.push_back(d);
  return v;
}

bool Blank(const std::string &s) { return s.find_first_not_of(' ') == std::string::npos; }

class ListeSkole : public liste_test::ListeTest {
 protected:
  fs::path rod;
  HFONT gammelTxtFont = 0;
  std::vector<uint32_t> akti, anfo;  // live records

  void SetUp() override {
    ListeTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("listebokse", &rod));
    farver_intern::InitPaletteDybde(32);
    LaesSwitchIni();
    gammelTxtFont = TxtFont;
    TxtFont = switchtest::TekstSkrift();
    for (uint32_t r = 1; r < tvakti.wRecCnt && akti.size() < 12; ++r) {
      const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, r));
      if (a->Status >= 10 && a->Status <= 29) akti.push_back(r);
    }
    for (uint32_t r = 1; r < tvanfo.wRecCnt && anfo.size() < 3; ++r) {
      const auto *a = reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, r));
      if (a->Status >= 10 && a->Status <= 29) anfo.push_back(r);
    }
    ASSERT_GE(akti.size(), 12u);
    ASSERT_EQ(anfo.size(), 3u);
  }
  void TearDown() override {
    TxtFont = gammelTxtFont;
    FrigivSwitchTab();
    storetest::TomAlleTabeller();
    fs::remove_all(rod);
    ListeTest::TearDown();
  }

  static ListeInfo *Li(HWND h) { return reinterpret_cast<ListeInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
  static void Vis(HWND h) {
    ShowWindow(h, SW_SHOW);
    tavo::test::PumpUntilIdle();
  }
  static void Tegn(HWND h) {
    InvalidateRect(h, nullptr, FALSE);
    UpdateWindow(h);
  }
  static void DobbeltKlik(HWND h) {
    const POINT p = tavo::test::ScreenPoint(h, 20, 5);
    tavo::test::DoubleClick(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }
  // The (18, 66) key messages the owner's parent heard.
  size_t AltTaster() const {
    size_t n = 0;
    for (const auto &h : HoertAf(foraeldre))
      if (h.msg == WM_KEYDOWN && h.w == VK_MENU && h.l == 66) ++n;
    return n;
  }

  // Row y shows the activity's texts at their places, exactly.
  static void TjekRaekke(HWND h, int y, uint32_t rec) {
    const auto d = TeksterVed(h, y);
    const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, rec));
    for (const switchtest::Kolonne &t : switchtest::AktiListeKolonner(*a, 0)) {
      bool fundet = false;
      for (const auto &x : d)
        if (x.x == t.x) {
          EXPECT_EQ(x.text, t.tekst) << "y " << y << ", x " << t.x;
          fundet = true;
        }
      EXPECT_TRUE(fundet) << "y " << y << ": " << t.tekst;
    }
  }
  static void TjekTom(HWND h, int y) {
    for (const auto &x : TeksterVed(h, y)) EXPECT_TRUE(Blank(x.text)) << "y " << y << ": " << x.text;
  }
};

class ListeBokseListe : public ListeSkole {};

TEST_F(ListeBokseListe, RowsByTheLayoutElevenApartThenEmptyRows) {
  std::vector<uint32_t> rec = {akti[0], akti[1], akti[2]};
  uint32_t *recs = rec.data();
  uint32_t antal = 2;
  const int lagBredde = static_cast<int>(ObjSwitchBredde(kArt, 'K', 0));
  ASSERT_EQ(lagBredde, 340);
  HWND l = CreateListeWnd(ejer, 'K', 5, 5, lagBredde + 20, 4, &antal, &recs, nullptr, nullptr, kArt);
  ASSERT_NE(l, 0u);
  EXPECT_FALSE(IsWindowVisible(l));
  RECT r;
  GetClientRect(l, &r);
  EXPECT_EQ(r.bottom, 44);
  tavo::test::ClearDrawnTexts();
  Vis(l);
  TjekRaekke(l, 0, akti[0]);
  TjekRaekke(l, 11, akti[1]);
  TjekTom(l, 22);
  TjekTom(l, 33);
  EXPECT_TRUE(TeksterVed(l, 44).empty());
  // Right of the layout the row is filled with colour 0.
  EXPECT_EQ(tavo::test::WindowPixel(l, lagBredde + 10, 5), FarveTab[0]);

  // The owner's arrays are read at every paint; a record number at or past
  // the end of its table draws an empty row.
  for (uint32_t forkert : {tvakti.wRecCnt, tvakti.wRecCnt + 7, 0xFFFFFFFFu}) {
    rec[1] = forkert;
    tavo::test::ClearDrawnTexts();
    Tegn(l);
    TjekRaekke(l, 0, akti[0]);
    TjekTom(l, 11);
  }
  antal = 3;
  rec[1] = akti[1];
  tavo::test::ClearDrawnTexts();
  Tegn(l);
  TjekRaekke(l, 22, akti[2]);
}

TEST_F(ListeBokseListe, ScrollBarComesWithMoreRecordsThanRowsAndGoesWithFewer) {
  uint32_t *recs = akti.data();
  uint32_t antal = 3;
  HWND l = CreateListeWnd(ejer, 'K', 5, 5, 360, 3, &antal, &recs, nullptr, nullptr, kArt);
  Vis(l);
  ListeInfo *li = Li(l);
  EXPECT_EQ(li->scrollBar, 0u) << "as many records as rows";

  antal = 5;
  EXPECT_EQ(li->scrollBar, 0u) << "not before the next paint";
  Tegn(l);
  ASSERT_NE(li->scrollBar, 0u);
  RECT rb;
  GetWindowRect(li->scrollBar, &rb);
  POINT o = {0, 0};
  ClientToScreen(l, &o);
  EXPECT_EQ(rb.left - o.x, 360 - 13);
  EXPECT_EQ(rb.right - rb.left, 13);
  EXPECT_EQ(rb.bottom - rb.top, 33);
  SCROLLINFO si{sizeof si, SIF_ALL};
  GetScrollInfo(li->scrollBar, SB_CTL, &si);
  EXPECT_EQ(si.nPage, 33u);
  EXPECT_EQ(si.nMax, 5 * 11 - 1);

  // Page down stops at (count - rows) x 11, showing the last records.
  SendMessageA(l, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(li->scroll, 22);
  tavo::test::ClearDrawnTexts();
  SendMessageA(l, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(li->scroll, 22);
  Tegn(l);
  TjekRaekke(l, 0, akti[2]);
  TjekRaekke(l, 22, akti[4]);
  EXPECT_EQ(GetScrollPos(li->scrollBar, SB_CTL), 22);

  antal = 3;
  Tegn(l);
  EXPECT_EQ(li->scrollBar, 0u);
  EXPECT_EQ(li->scroll, 0);
  EXPECT_EQ(GetWindow(l, GW_CHILD), 0u);
}

TEST_F(ListeBokseListe, ScrollingByTheRulesOfElevenPixelRows) {
  uint32_t *recs = akti.data();
  uint32_t antal = 10;
  HWND l = CreateListeWnd(ejer, 'K', 5, 5, 360, 3, &antal, &recs, nullptr, nullptr, kArt);
  Vis(l);
  ListeInfo *li = Li(l);
  // 10 records, 3 rows: 110 pixels, 33 shown, 77 at most.
  struct Trin {
    int fra;
    UINT kode;
    int til;
  } trin[] = {
      {0, SB_LINEDOWN, 11},  {5, SB_LINEDOWN, 11}, {70, SB_LINEDOWN, 77}, {77, SB_LINEDOWN, 77},
      {22, SB_LINEUP, 11},   {16, SB_LINEUP, 11},  {5, SB_LINEUP, 0},     {0, SB_LINEUP, 0},
      {0, SB_PAGEDOWN, 33},  {40, SB_PAGEDOWN, 73}, {44, SB_PAGEDOWN, 77}, {50, SB_PAGEUP, 17},
      {20, SB_PAGEUP, 0},
  };
  for (const Trin &t : trin) {
    li->scroll = t.fra;
    SendMessageA(l, WM_VSCROLL, t.kode, 0);
    EXPECT_EQ(li->scroll, t.til) << t.fra << " " << t.kode;
  }
  // A position that would show empty space below the records goes back to
  // the top at the next paint.
  li->scroll = 80;
  Tegn(l);
  EXPECT_EQ(li->scroll, 0);

  // A new row count changes the height; one row more than the records
  // takes the scroll bar away.
  SendMessageA(l, LISTE_RAEKKER, 0, 11);
  RECT r;
  GetClientRect(l, &r);
  EXPECT_EQ(r.bottom, 121);
  EXPECT_EQ(li->scrollBar, 0u);
  SendMessageA(l, LISTE_RAEKKER, 0, 0x7FFFFFFF);  // refused: no such height
  EXPECT_EQ(li->rows, 11u);
}

TEST_F(ListeBokseListe, StaffFiguresAndMarksAfterTheLayout) {
  std::vector<uint32_t> rec = {anfo[0], anfo[1], anfo[2]};
  std::vector<float> fig = {-1.5f, 2.345f, 0.0f}, alt = {-0.125f, 9.0f, -4.0f};
  std::vector<uint8_t> maerker = {0, 2, 1};
  uint32_t *recs = rec.data();
  float *figs = fig.data(), *alts = alt.data();
  uint8_t *mrk = maerker.data();
  uint32_t antal = 3;
  const int lag = static_cast<int>(ObjSwitchBredde(kArt, 'M', 0));
  ASSERT_GT(lag, 0);
  HWND l = CreateMedaListeWnd(ejer, 5, 5, lag + 80, 4, &antal, &recs, nullptr, &alts, &figs, &mrk, kArt);
  ASSERT_NE(l, 0u);
  tavo::test::ClearDrawnTexts();
  Vis(l);

  struct Raekke {
    int y;
    std::string figur;
    uint8_t farve;
    const char *maerke;
  } tabel[] = {
      {0, " -0,13", 16, nullptr},  // negative: the alternative figure, its sign kept
      {11, "  2,35", 8, "B"},
      {22, "  0,00", 8, "A"},
  };
  for (const Raekke &t : tabel) {
    SCOPED_TRACE(t.y);
    const auto d = TeksterVed(l, t.y);
    const tavo::test::DrawnText *figur = nullptr, *maerke = nullptr;
    for (const auto &x : d) {
      if (x.x == lag) figur = &x;
      if (x.x == lag + 51) maerke = &x;
    }
    ASSERT_NE(figur, nullptr);
    EXPECT_EQ(figur->text, t.figur);
    EXPECT_EQ(figur->text_color, FarveTab[t.farve]);
    if (!t.maerke) {
      EXPECT_EQ(maerke, nullptr);
      continue;
    }
    ASSERT_NE(maerke, nullptr);
    EXPECT_EQ(maerke->text, t.maerke);
    EXPECT_EQ(maerke->text_color, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(maerke->bk_mode, TRANSPARENT);
  }
  // The empty fourth row has no figure.
  for (const auto &x : TeksterVed(l, 33)) EXPECT_TRUE(Blank(x.text)) << x.text;

  // Without a marks array neither figures nor marks are drawn.
  uint8_t *ingen = nullptr;
  HWND uden = CreateMedaListeWnd(ejer, 5, 60, lag + 80, 3, &antal, &recs, nullptr, &alts, &figs, &ingen, kArt);
  tavo::test::ClearDrawnTexts();
  Vis(uden);
  for (const auto &x : tavo::test::DrawnTexts())
    if (x.hwnd == uden) { EXPECT_LT(x.x, lag) << x.text; }

  // The info panel as a user sees it: activities, the subject field, staff
  // and remarks.
  uint32_t *akt = akti.data();
  uint32_t toAkt = 2;
  HWND k = CreateListeWnd(ejer, 'K', 5, 100, 360, 2, &toAkt, &akt, nullptr, nullptr, kArt);
  uint32_t fag = 1;
  HWND u = CreateSoloWnd(ejer, 'U', 5, 130, 200, &fag, "Fag", kArt, "Fag");
  const char *linjer[] = {"Bemærkning til begivenheden", "Anden linje"};
  char **tekster = const_cast<char **>(linjer);
  uint32_t toLinjer = 2;
  HWND b = CreateListeWnd(ejer, '-', 5, 150, 360, 2, &toLinjer, nullptr, nullptr, &tekster, kArt);
  for (HWND h : {k, u, b}) Vis(h);
  ASSERT_TRUE(tavo::test::SaveWindowPng(ejer, TAVO_BINARY_DIR "/listebokse_panel.png"));
}

TEST_F(ListeBokseListe, PlainTextsAndTheDoubleClickThatPlaysAlt) {
  const char *linjer[] = {"Første linje", nullptr, "Tredje", "Fjerde"};
  char **tekster = const_cast<char **>(linjer);
  uint32_t antal = 4;
  HWND l = CreateListeWnd(ejer, '-', 5, 5, 300, 2, &antal, nullptr, nullptr, &tekster, kArt);
  tavo::test::ClearDrawnTexts();
  Vis(l);
  ListeInfo *li = Li(l);
  EXPECT_NE(li->scrollBar, 0u);
  std::vector<std::pair<int, std::string>> set;
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == l) {
      set.emplace_back(d.y, d.text);
      EXPECT_EQ(d.x, 0);
      EXPECT_EQ(d.text_color, FarveTab[16]);
      EXPECT_EQ(d.bk_mode, TRANSPARENT);
    }
  EXPECT_EQ(set, (std::vector<std::pair<int, std::string>>{{0, "Første linje"}}));
  EXPECT_EQ(tavo::test::WindowPixel(l, 250, 15), FarveTab[0]);
  tavo::test::ClearDrawnTexts();
  SendMessageA(l, WM_VSCROLL, SB_PAGEDOWN, 0);
  set.clear();
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == l) set.emplace_back(d.y, d.text);
  EXPECT_EQ(set, (std::vector<std::pair<int, std::string>>{{0, "Tredje"}, {11, "Fjerde"}}));

  DobbeltKlik(l);
  EXPECT_EQ(AltTaster(), 1u);
  EXPECT_TRUE(HoertAf(ejer).empty());

  // A record list does not play the key.
  uint32_t *recs = akti.data();
  HWND k = CreateListeWnd(ejer, 'K', 5, 40, 360, 2, &antal, &recs, nullptr, nullptr, kArt);
  Vis(k);
  DobbeltKlik(k);
  EXPECT_EQ(AltTaster(), 1u);
}

// ---- the one-record field

class ListeBokseFelt : public ListeSkole {};

TEST_F(ListeBokseFelt, TheOwnersRecordByItsLayoutOrTheCaptionWithout) {
  uint32_t rec = akti[3];
  HWND f = CreateSoloWnd(ejer, 'K', 5, 5, 400, &rec, "Ingen aktivitet", kArt, nullptr);
  ASSERT_NE(f, 0u);
  RECT r;
  GetClientRect(f, &r);
  EXPECT_EQ(r.bottom, 11);
  tavo::test::ClearDrawnTexts();
  Vis(f);
  TjekRaekke(f, 0, akti[3]);
  rec = akti[4];
  tavo::test::ClearDrawnTexts();
  Tegn(f);
  TjekRaekke(f, 0, akti[4]);
  rec = tvakti.wRecCnt;
  tavo::test::ClearDrawnTexts();
  Tegn(f);
  TjekTom(f, 0);

  for (const auto &[bogstav, post] : {std::pair<uint8_t, uint32_t *>{'K', nullptr}, {0, &rec}}) {
    HWND c = CreateSoloWnd(ejer, bogstav, 5, 30, 400, post, "Ingen aktivitet", kArt, nullptr);
    tavo::test::ClearDrawnTexts();
    Vis(c);
    const auto d = TeksterVed(c, 0);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].x, 0);
    EXPECT_EQ(d[0].text, "Ingen aktivitet");
    EXPECT_EQ(d[0].text_color, FarveTab[16]);
    EXPECT_EQ(d[0].bk_mode, TRANSPARENT);
    DestroyWindow(c);
  }
}

TEST_F(ListeBokseFelt, TooltipOnHoverTheDefaultFontBackOnLeaveAndAltOnDoubleClick) {
  ASSERT_NE(OpretTooltip(0, foraeldre), 0u);
  auto *ti = reinterpret_cast<TooltipInfo *>(GetWindowLongPtrA(hwndTooltip, GWLP_USERDATA));
  uint32_t rec = akti[0];
  HWND f = CreateSoloWnd(ejer, 'K', 5, 5, 400, &rec, nullptr, kArt, "Indsæt bemærkning");
  Vis(f);
  SendMessageA(hwndTooltip, TT_LUCIDAFONT, 0, 0);
  const HGDIOBJ standard = StdFont ? static_cast<HGDIOBJ>(StdFont) : GetStockObject(DEFAULT_GUI_FONT);
  ASSERT_NE(GetCurrentObject(ti->dc, OBJ_FONT), standard);

  const POINT inde = tavo::test::ScreenPoint(f, 50, 5);
  tavo::test::MouseMove(inde.x, inde.y);
  for (int i = 0; i < 100 && !TooltipVises; ++i) {
    tavo::test::PumpUntilIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(TooltipVises);
  EXPECT_STREQ(ti->text, "Indsæt bemærkning");

  const POINT ude = tavo::test::ScreenPoint(ejer, 300, 300);
  tavo::test::MouseMove(ude.x, ude.y);
  tavo::test::PumpUntilIdle();
  EXPECT_FALSE(TooltipVises);
  EXPECT_FALSE(IsWindowVisible(hwndTooltip));
  EXPECT_EQ(GetCurrentObject(ti->dc, OBJ_FONT), standard);

  DobbeltKlik(f);
  EXPECT_EQ(AltTaster(), 1u);
  DestroyWindow(hwndTooltip);
}

}  // namespace
