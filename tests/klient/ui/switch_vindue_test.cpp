// The field switches at work: a list window on the grid frame over the small
// school that tools/mkdata makes, switched by its buttons and digit keys and
// reopened on the saved choice; and the tile painters over a week's event.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "FARVER.h"
#include "GRIDAKSE.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "ens_support.h"
#include "switch_fixture.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kListeArt = 46;  // the selection window's list

struct Liste {
  std::vector<uint32_t> rec;  // one activity a row
};

void TegnListe(wfb_test::GitterVindue *g) {
  const auto *l = static_cast<const Liste *>(g->data);
  Ens &e = g->ens;
  const uint32_t nr = ObjSwitchValgt(kListeArt, 'K');
  SwitchRaekkeValg v;
  v.Hoejde = e.AkseY.CelleBredde;
  v.TopMargen = 2;
  v.Skrift = switchtest::TekstSkrift();
  const int rest = e.RudeB[ENS_CELLER] - static_cast<int>(ObjSwitchBredde(kListeArt, 'K', nr));
  v.RestBredde = rest > 0 ? static_cast<uint32_t>(rest) : 0;
  for (uint32_t r = g->y.Foerste; r < g->y.Foerste + g->y.Synlige + 1 && r <= g->y.Antal; ++r) {
    const int y = static_cast<int>(GridCelleStart(&e.AkseY, r)) - static_cast<int>(e.ScrollY);
    TegnObjSwitchRaekke(&e.dc[ENSDC_CELLER], -static_cast<int>(e.ScrollX), y, 0, kListeArt, 'K', nr, &tdakti,
                        &tvakti, l->rec[r - 1], &v);
  }
}

// The switch buttons (2124 with 200 + n) and the digit keys choose layout n.
bool ListeBesked(wfb_test::GitterVindue *g, HWND h, UINT m, WPARAM w, LPARAM) {
  const uint32_t antal = ObjSwitchAntal(kListeArt, 'K');
  if (m == 2124 && w >= ENS_SKIFT_ID && w < ENS_SKIFT_ID + antal) {
    ObjSwitchVaelg(kListeArt, 'K', static_cast<uint32_t>(w - ENS_SKIFT_ID));
    InvalidateRect(g->ens.hwndCeller, nullptr, FALSE);
    return true;
  }
  if (m == WM_KEYDOWN && w >= '1' && w <= '9') {
    GridCifferKommando(h, static_cast<unsigned>(w), true, antal, 2);
    return true;
  }
  return false;
}

class FeltSwitchVindue : public wfb_test::UiTest {
 protected:
  fs::path rod;
  Liste liste;
  std::vector<std::string> navne;
  uint32_t aflyst = 0;

  void SetUp() override {
    UiTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("feltswitch", &rod));
    // Palette file entry 16 is colour 14, the colour of a cancelled activity.
    std::ofstream(rod / "ini" / "tavo.pal") << "Palette\n16 (230,20,40)\n";
    farver_intern::InitPaletteDybde(32);
    LaesSwitchIni();

    for (uint32_t r = 1; r < tvakti.wRecCnt; ++r) {
      const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, r));
      if (a->Status < 10 || a->Status > 29) continue;
      liste.rec.push_back(r);
      navne.emplace_back(a->Aktivitet);
    }
    ASSERT_GE(liste.rec.size(), 3u);
    aflyst = liste.rec[2];
    reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, aflyst))->Aflyst = 'J';
  }
  void TearDown() override {
    FrigivSwitchTab();
    storetest::TomAlleTabeller();
    fs::remove_all(rod);
    UiTest::TearDown();
  }

  HWND Aabn() {
    wfb_test::GitterParam p{&navne, false, static_cast<uint8_t>(ObjSwitchAntal(kListeArt, 'K')), TegnListe,
                            ListeBesked, &liste};
    HWND h = CreateWindowExA(0, "WfbGitter", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 620, 300, vaert,
                             0, 0, &p);
    tavo::test::PumpUntilIdle();
    return h;
  }
  static wfb_test::GitterVindue *G(HWND h) {
    return reinterpret_cast<wfb_test::GitterVindue *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  }

  // Every row the window shows, drawn by layout nr: each column's text at its
  // x, exactly Tegn characters.
  void TjekRaekker(HWND h, uint32_t nr) {
    const auto *g = G(h);
    const HWND celler = g->ens.hwndCeller;
    std::vector<tavo::test::DrawnText> tekster;
    for (const auto &d : tavo::test::DrawnTexts())
      if (d.hwnd == celler) tekster.push_back(d);
    const uint32_t synlige = g->y.Synlige;
    ASSERT_GE(synlige, liste.rec.size()) << "the window shows every activity";
    for (size_t i = 0; i < liste.rec.size(); ++i) {
      const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, liste.rec[i]));
      const int y = static_cast<int>(GridCelleStart(&g->ens.AkseY, static_cast<uint32_t>(i + 1))) + 2;
      for (const switchtest::Kolonne &k : switchtest::AktiListeKolonner(*a, nr)) {
        bool fundet = false;
        for (const auto &d : tekster)
          if (d.x == k.x && d.y == y) {
            EXPECT_EQ(d.text, k.tekst) << "row " << i + 1 << ", x " << k.x;
            fundet = true;
          }
        EXPECT_TRUE(fundet) << "row " << i + 1 << ", x " << k.x << ": " << k.tekst;
      }
    }
  }
};

TEST_F(FeltSwitchVindue, ListRowsSwitchByButtonAndKeyAndReopenOnTheSavedChoice) {
  ASSERT_EQ(ObjSwitchAntal(kListeArt, 'K'), 3u);
  tavo::test::ClearDrawnTexts();
  HWND h = Aabn();
  TjekRaekker(h, 0);

  // The cancelled activity's row is struck through in colour 14, in the air
  // before its first text; the other rows are not.
  const HWND celler = G(h)->ens.hwndCeller;
  const auto RaekkeY = [&](size_t i) { return static_cast<int>(GridCelleStart(&G(h)->ens.AkseY, uint32_t(i + 1))); };
  EXPECT_EQ(tavo::test::WindowPixel(celler, 0, RaekkeY(2) + 8), FarveTab[14]);
  EXPECT_EQ(tavo::test::WindowPixel(celler, 0, RaekkeY(1) + 8), FarveTab[0]);
  EXPECT_EQ(tavo::test::WindowPixel(celler, 0, RaekkeY(2) + 7), FarveTab[0]);
  ASSERT_TRUE(tavo::test::SaveWindowPng(h, TAVO_BINARY_DIR "/feltswitch_liste.png"));

  // Switch button 2 redraws with the second layout.
  tavo::test::ClearDrawnTexts();
  HWND knap = G(h)->ens.hwndSwitchButtons[1];
  RECT rk;
  GetClientRect(knap, &rk);
  const POINT p = tavo::test::ScreenPoint(knap, rk.right / 2, rk.bottom / 2);
  tavo::test::Click(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(ObjSwitchValgt(kListeArt, 'K'), 1u);
  TjekRaekker(h, 1);

  // So does the digit key 2.
  ObjSwitchVaelg(kListeArt, 'K', 0);
  InvalidateRect(celler, nullptr, FALSE);
  tavo::test::PumpUntilIdle();
  SetFocus(h);
  tavo::test::ClearDrawnTexts();
  tavo::test::PressKey('2');
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(ObjSwitchValgt(kListeArt, 'K'), 1u);
  TjekRaekker(h, 1);

  // Saved at exit, read at the next start: the window opens on switch 1.
  ASSERT_TRUE(GemValgtSwt());
  std::ifstream i(rod / "ini" / "ValgtSwt.ini", std::ios::binary);
  const std::string valgt((std::istreambuf_iterator<char>(i)), std::istreambuf_iterator<char>());
  EXPECT_NE(valgt.find("\r\n46,K,1\r\n"), std::string::npos) << valgt;
  DestroyWindow(h);
  ObjSwitchVaelg(kListeArt, 'K', 0);
  LaesSwitchIni();
  tavo::test::ClearDrawnTexts();
  h = Aabn();
  EXPECT_EQ(ObjSwitchValgt(kListeArt, 'K'), 1u);
  TjekRaekker(h, 1);
}

// ---- Tiles ----

class FeltSwitchBrik : public switchtest::SwitchMappe {
 protected:
  static constexpr uint32_t kAar = 0, kUge = 10;
  uint32_t k1 = 0, m1 = 0, m2 = 0, a1 = 0, a2 = 0, l1 = 0, f1 = 0;
  EnsDC dc{};
  HBITMAP bm = 0;
  static constexpr COLORREF kBund = RGB(12, 34, 56);

  template <typename R>
  R *Ny(const TabDesc *pTd, TabVar *pTv, uint32_t *pNr) {
    *pNr = NewRec(pTd, pTv);
    EXPECT_NE(*pNr, 0u);
    return reinterpret_cast<R *>(GetRec(pTd, pTv, *pNr));
  }

  void SetUp() override {
    switchtest::SwitchMappe::SetUp();
    SkrivIniFil("tavo.pal", "Palette\n9 (200,10,10)\n11 (10,10,200)\n12 (10,200,10)\n13 (200,200,10)\n15 (10,200,200)\n");  // colours 4, 7, 8, 10, 13
    farver_intern::InitPaletteDybde(32);
    GlobalIndstillinger.insnr = 1;
    auto *k = Ny<AktiRec>(&tdakti, &tvakti, &k1);
    snprintf(k->Aktivitet, sizeof k->Aktivitet, "Hold1");
    auto *m = Ny<MedaRec>(&tdmeda, &tvmeda, &m1);
    snprintf(m->Initialer, sizeof m->Initialer, "ABC");
    snprintf(m->Navn, sizeof m->Navn, "Anne Berg");
    m = Ny<MedaRec>(&tdmeda, &tvmeda, &m2);
    snprintf(m->Initialer, sizeof m->Initialer, "DEF");
    snprintf(m->Navn, sizeof m->Navn, "Dan Eskildsen");
    Ny<AnfoRec>(&tdanfo, &tvanfo, &a1)->meda_id = m1;
    Ny<AnfoRec>(&tdanfo, &tvanfo, &a2)->meda_id = m2;
    snprintf(Ny<LokaRec>(&tdloka, &tvloka, &l1)->Lokalenr, sizeof(LokaRec::Lokalenr), "A101");
    snprintf(Ny<SkfaRec>(&tdskfa, &tvskfa, &f1)->Skolefag, sizeof(SkfaRec::Skolefag), "Dansk");

    // Week 10: rows 1-4 one event (activity, two employments, room), row 5
    // the first row of the next event; the rows carry the subject and a
    // foreign owner.
    std::vector<SkeRec> r(7);
    for (uint32_t i = 1; i <= 5; ++i) {
      r[i].id = i <= 4 ? 1 : 2;
      r[i].Status = SKE_EGEN;
      r[i].Forste = i <= 4 ? 1 : 5;
      r[i].skfa_id = f1;
      r[i].Ejer = 2;
      r[i].Dag = 1;
    }
    r[1].akti_id = k1;
    r[2].anfo_id = a1;
    r[3].anfo_id = a2;
    r[4].loka_id = l1;
    r[5].anfo_id = a1;
    TabVar &b = SkemabegUgeTab[kAar * UGE_SLOTS + kUge];
    ASSERT_EQ(AddTabBlock(&tdske, &b, static_cast<uint32_t>(r.size())), 0);
    memcpy(b.pbTab, r.data(), r.size() * sizeof(SkeRec));
    b.wRecCnt = static_cast<uint32_t>(r.size());  // row 6 is empty

    std::string t = "[BrikSwitchField]\n";
    for (const char *art : {"1", "7"}) {
      const std::string a = art;
      t += a + ",K,0,1,0,1,0,0,6,0,1,T,0\n";
      t += a + ",M,0,1,0,1,0,0,3,0,0,T,0\n";
      t += a + ",M,0,210,0,1,0,0,4,0,1,T,0\n";
      t += a + ",L,0,1,0,1,0,0,4,0,1,T,0\n";
      t += a + ",U,0,1,0,1,0,0,5,0,1,T,0\n";
    }
    SkrivIniFil("TavoSwt.ini", t);
    LaesSwitchIni();

    dc.hdc = CreateCompatibleDC(0);
    bm = CreateCompatibleBitmap(dc.hdc, 400, 40);
    SelectObject(dc.hdc, bm);
    SelectPalette(dc.hdc, TavoPalette, FALSE);
    SelectObject(dc.hdc, switchtest::TekstSkrift());
    dc.TekstFarve = dc.BkFarve = kIngenFarve;
    Tom();
  }
  void TearDown() override {
    DeleteDC(dc.hdc);
    DeleteObject(bm);
    switchtest::SwitchMappe::TearDown();
  }
  void Tom() {
    HBRUSH b = CreateSolidBrush(kBund);
    const RECT r{0, 0, 400, 40};
    FillRect(dc.hdc, &r, b);
    DeleteObject(b);
    tavo::test::ClearDrawnTexts();
  }
  COLORREF Pixel(int x, int y) const { return tavo::test::SurfacePixel(dc.hdc, x, y); }
  std::vector<tavo::test::DrawnText> Tekster() const { return tavo::test::DrawnTexts(); }
};

TEST_F(FeltSwitchBrik, ALineShowsTheRowsRecordByTheLayoutsLetter) {
  struct Tilfaelde {
    uint32_t art;
    char bogstav;
    uint32_t raekke;
    std::vector<std::pair<int, std::string>> tekster;  // x, text
    uint8_t tekstFarve;
  } tabel[] = {
      {1, 'K', 1, {{1, "Hold1 "}}, 7},
      {1, 'M', 2, {{1, "ABC"}, {26, "Anne"}}, 8},
      {1, 'M', 3, {{1, "DEF"}, {26, "Dan "}}, 8},
      {1, 'L', 4, {{1, "A101"}}, 10},
      {1, 'U', 2, {{1, "Dansk"}}, 13},
      {7, 'K', 1, {{1, "Hold1 "}}, 7},
      {7, 'M', 3, {{1, "DEF"}, {11, "Dan "}}, 8},
      {7, 'U', 4, {{1, "Dansk"}}, 13},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(std::to_string(t.art) + t.bogstav + std::to_string(t.raekke));
    Tom();
    const int x = 20, y = 10;
    ASSERT_TRUE(TegnBrikLinie(&dc, x, y, 0, t.art, t.bogstav, 0, kAar, kUge, t.raekke, nullptr));
    const auto d = Tekster();
    ASSERT_EQ(d.size(), t.tekster.size());
    for (size_t i = 0; i < d.size(); ++i) {
      EXPECT_EQ(d[i].x, x + t.tekster[i].first);
      EXPECT_EQ(d[i].y, y);
      EXPECT_EQ(d[i].text, t.tekster[i].second);
    }
    // Plain fields in the record's class; a computed field of an event of
    // another installation in colour 4.
    EXPECT_EQ(d[0].text_color, FarveTab[t.tekstFarve]);
    if (d.size() > 1) {
      EXPECT_EQ(d[1].text_color, FarveTab[4]);
    }
    // The background covers exactly the width BrkSwitchBredde gives.
    const int b = static_cast<int>(BrkSwitchBredde(t.art, t.bogstav, 0));
    EXPECT_EQ(b, static_cast<int>((t.art == 7 ? 3 : 8) * (d.size() > 1 ? 7 : t.tekster[0].second.size()) +
                                  (d.size() > 1 ? 3 : 2) + (t.art == 1 ? 14 : 0)));
    EXPECT_EQ(Pixel(x, y + 10), FarveTab[0]);
    EXPECT_NE(Pixel(x + b - 1, y + 10), kBund);
    EXPECT_EQ(Pixel(x + b, y + 10), kBund);
    EXPECT_EQ(Pixel(x - 1, y + 10), kBund);
    EXPECT_EQ(Pixel(x, y + 11), kBund);
  }
}

TEST_F(FeltSwitchBrik, RowsOutsideTheirBucketDrawNothing) {
  const struct {
    uint32_t aar, uge, raekke;
  } tabel[] = {{kAar, kUge, 6},   {kAar, kUge, 7},  {kAar, kUge, 0xFFFFFFFFu}, {kAar, kUge, 0},
               {kAar, 0, 1},      {kAar, 54, 1},    {kAar, 0xFFFFFFFFu, 1},    {256, kUge, 1},
               {0xFFFFFFFFu, kUge, 1}, {kAar + 1, kUge, 1}, {kAar, kUge + 1, 1}};
  for (const auto &t : tabel) {
    Tom();
    EXPECT_FALSE(TegnBrikLinie(&dc, 20, 10, 0, 1, 'K', 0, t.aar, t.uge, t.raekke, nullptr));
    EXPECT_EQ(TegnBrikPoster(&dc, 20, 10, 0, 1, 'K', 0, t.aar, t.uge, t.raekke, nullptr), 0u);
    EXPECT_TRUE(Tekster().empty()) << t.aar << "/" << t.uge << "/" << t.raekke;
    EXPECT_EQ(Pixel(20, 10), kBund);
  }
  EXPECT_EQ(BrikRaekke(kAar, kUge, 6), nullptr);
  EXPECT_NE(BrikRaekke(kAar, kUge, 5), nullptr);
  EXPECT_FALSE(TegnBrikLinie(&dc, 20, 10, 0, 1, 'K', 1, kAar, kUge, 1, nullptr)) << "no such layout";
  EXPECT_FALSE(TegnBrikLinie(&dc, 20, 10, 0, 8, 'K', 0, kAar, kUge, 1, nullptr)) << "no such tile kind";
}

TEST_F(FeltSwitchBrik, AnEventsPostingsAlongOneLine) {
  // The employments of the event of row 1, one after the other.
  EXPECT_EQ(TegnBrikPoster(&dc, 0, 0, 0, 1, 'M', 0, kAar, kUge, 1, nullptr), 2u * 59);
  auto d = Tekster();
  ASSERT_EQ(d.size(), 4u);
  EXPECT_EQ(d[0].text, "ABC");
  EXPECT_EQ(d[0].x, 1);
  EXPECT_EQ(d[2].text, "DEF");
  EXPECT_EQ(d[2].x, 60);
  EXPECT_EQ(Pixel(116, 5), FarveTab[0]);
  EXPECT_EQ(Pixel(118, 5), kBund);
  // In tile kind 7 three pixels a character.
  Tom();
  EXPECT_EQ(TegnBrikPoster(&dc, 0, 0, 0, 7, 'M', 0, kAar, kUge, 1, nullptr), 2u * 24);
  // The next event has one employment; a row that is not an event's first
  // draws nothing.
  Tom();
  EXPECT_EQ(TegnBrikPoster(&dc, 0, 0, 0, 1, 'M', 0, kAar, kUge, 5, nullptr), 59u);
  EXPECT_EQ(TegnBrikPoster(&dc, 0, 0, 0, 1, 'M', 0, kAar, kUge, 2, nullptr), 0u);
  EXPECT_EQ(TegnBrikPoster(&dc, 0, 0, 0, 1, 'L', 0, kAar, kUge, 1, nullptr), 34u);
}

TEST_F(FeltSwitchBrik, TileTextsInTheirOwnColour) {
  TegnBrikTekst(&dc, 4, 5, 8, "abc", 3);
  const auto d = Tekster();
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].text, "abc");
  EXPECT_EQ(d[0].text_color, FarveTab[8]);
  EXPECT_EQ(d[0].bk_mode, TRANSPARENT);
}

}  // namespace
