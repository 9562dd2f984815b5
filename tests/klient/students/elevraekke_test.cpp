// The row painter of the student lists in a headless window: each field's
// text at its x in the colour the background gives, the parts of each field
// filled, the band mode, the trailing width, and the cell callback's font.
#include <cstring>
#include <string>
#include <vector>

#include "ELEVLISTE.h"
#include "FARVER.h"
#include "SWITCH.h"
#include "elev_fixture.h"
#include "tavo/test_gdi.h"

using namespace eleventest;

namespace {

constexpr uint32_t kArt = 105;
constexpr uint8_t kBogstav = '9';
constexpr COLORREF kGrund = RGB(12, 34, 56);  // no palette slot has it

// Two fields: A (code 1) 1 + 2 + 6 x 8 + 3 + 1 = 55 pixels with its text at
// +3; B (code 2) 0 + 4 + 4 x 8 + 0 + 1 = 37 pixels with its text at +4.
const char kLayout[] =
    "[ObjectSwitchField]\r\n"
    "105,9,0,1,1,2,0,0,6,3,1,T,0\r\n"
    "105,9,0,2,0,4,0,0,4,0,1,T,0\r\n";

struct Celle {
  std::string Tekst;
  uint8_t Farve = 16;
  int Baggrund = -1;  // -1: leave the preset (the mode)
  HFONT Skrift = 0;
};

struct Kald {
  uint32_t FeltNr, Tegn, V1, V2, V3;
  uint8_t Farve, Baggrund;
};

struct Raekke {
  Celle Felter[2];
  std::vector<Kald> Kaldt;
};

void CelleFn(void *ctx, uint32_t feltNr, uint32_t tegn, uint32_t v1, uint32_t v2, uint32_t v3, char *tekst,
             uint8_t *pFarve, uint8_t *pBaggrund, HFONT *pSkrift) {
  auto *r = static_cast<Raekke *>(ctx);
  r->Kaldt.push_back({feltNr, tegn, v1, v2, v3, *pFarve, *pBaggrund});
  const Celle &c = r->Felter[feltNr == 1 ? 0 : 1];
  memcpy(tekst, c.Tekst.c_str(), c.Tekst.size());
  *pFarve = c.Farve;
  if (c.Baggrund >= 0) *pBaggrund = static_cast<uint8_t>(c.Baggrund);
  *pSkrift = c.Skrift;
}

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

class ElevListeTegn : public ElevMappe {
 protected:
  HWND hwnd = 0;
  EnsDC dc{};
  HFONT skrift = 0;
  HGDIOBJ gammelSkrift = 0;

  void SetUp() override {
    ElevMappe::SetUp();
    // Distinct colours in every slot the palette file reaches.
    std::string pal = "Palette\n";
    for (int i = 0; i < 32; ++i)
      pal += std::to_string(i) + " (" + std::to_string(10 + i * 7) + "," + std::to_string(100 + i) + "," +
             std::to_string(240 - i * 3) + ")\n";
    SkrivIni("tavo.pal", pal);
    farver_intern::InitPaletteDybde(32);
    SkrivIni("TavoSwt.ini", kLayout);
    LaesSwitchIni();
    ASSERT_EQ(ObjSwitchBredde(kArt, kBogstav, 0), 92u);

    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "ElevRaekkeTest";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, "ElevRaekkeTest", "Elever", WS_POPUP | WS_VISIBLE, 0, 0, 300, 80, 0, 0, 0, 0);
    ASSERT_NE(hwnd, 0u);
    dc.hdc = GetDC(hwnd);
    dc.TekstFarve = dc.BkFarve = kIngenFarve;
    // The lists' text line is 11 pixels high, as their font is.
    skrift = CreateFontA(11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    gammelSkrift = SelectObject(dc.hdc, skrift);
    Grund();
    tavo::test::ClearDrawnTexts();
  }

  void Grund() {
    HBRUSH b = CreateSolidBrush(kGrund);
    const RECT r{0, 0, 300, 80};
    FillRect(dc.hdc, &r, b);
    DeleteObject(b);
  }

  void TearDown() override {
    SelectObject(dc.hdc, gammelSkrift);
    DeleteObject(skrift);
    ReleaseDC(hwnd, dc.hdc);
    DestroyWindow(hwnd);
    FrigivSwitchTab();
    ElevMappe::TearDown();
  }

  COLORREF Pixel(int x, int y) const { return tavo::test::SurfacePixel(dc.hdc, x, y); }

  // The row at (10, 20): text line from y 22, the row 2 + 11 + 3 pixels.
  void Tegn(Raekke &r, uint8_t mode, int rest = 0, uint32_t art = kArt) {
    TegnElevRaekke(CelleFn, &r, &dc, 10, 20, mode, art, kBogstav, 0, 7, 8, 9, 2, 3, rest);
  }
};

TEST_F(ElevListeTegn, TextsAtTheirXInTheColourOfTheirBackground) {
  struct {
    const char *Navn;
    Celle A, B;
    uint8_t FarveA, FarveB;  // text colour indexes expected
  } const tilfaelde[] = {
      {"0 keeps the cell's colour, 36 gives 5", {"Abcdefgh", 8, 0}, {"Xy", 16, 36}, 8, 5},
      {"36 keeps 7, 0 keeps 12", {"Abc", 7, 36}, {"Xy", 12, 0}, 7, 12},
      {"46 keeps 8, else black", {"Abc", 8, 46}, {"Xy", 7, 46}, 8, 16},
      {"middle and dark backgrounds", {"Abc", 8, 31}, {"Xy", 8, 29}, 17, 19},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    tavo::test::ClearDrawnTexts();
    Raekke r;
    r.Felter[0] = t.A;
    r.Felter[1] = t.B;
    Tegn(r, 0);
    const auto d = tavo::test::DrawnTexts();
    ASSERT_EQ(d.size(), 2u);
    const struct {
      int x;
      std::string tekst;
      uint8_t farve, baggrund;
    } ud[] = {{13, t.A.Tekst.substr(0, 6), t.FarveA, static_cast<uint8_t>(t.A.Baggrund)},
              {69, t.B.Tekst, t.FarveB, static_cast<uint8_t>(t.B.Baggrund)}};
    for (size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(d[i].hwnd, hwnd);
      EXPECT_EQ(d[i].x, ud[i].x) << i;
      EXPECT_EQ(d[i].y, 22) << i;
      EXPECT_EQ(d[i].text, ud[i].tekst) << i;
      EXPECT_EQ(d[i].text_color, FarveTab[ud[i].farve]) << i;
      EXPECT_EQ(d[i].bk_mode, OPAQUE) << i;
      EXPECT_EQ(d[i].bk_color, FarveTab[ud[i].baggrund]) << i;
    }
  }
}

TEST_F(ElevListeTegn, EachFieldFillsItsOwnParts) {
  Raekke r;
  r.Felter[0] = {"Abc", 16, 31};
  r.Felter[1] = {"Xy", 16, 61};  // 60 and up fill black
  Tegn(r, 0);
  const COLORREF linje = GetSysColor(COLOR_BTNTEXT), a = FarveTab[31], b = RGB(0, 0, 0);
  const struct {
    int x;
    COLORREF farve;
  } raekke[] = {
      {9, kGrund}, {10, linje}, {11, a}, {12, a},  // line, air
      {13, a},     {61, a},     {63, a}, {64, linje},  // text cell and extra, right line
      {65, b},     {68, b},     {69, b}, {100, b}, {101, linje}, {102, kGrund},
  };
  for (const auto &p : raekke) {
    for (int y : {20, 21, 35}) EXPECT_EQ(Pixel(p.x, y), p.farve) << p.x << "," << y;
    EXPECT_EQ(Pixel(p.x, 19), kGrund) << p.x;
    EXPECT_EQ(Pixel(p.x, 36), kGrund) << p.x;
  }
  // The cell was asked with its code, width and the passed values, the mode
  // and black preset.
  ASSERT_EQ(r.Kaldt.size(), 2u);
  const Kald forventet[] = {{1, 6, 7, 8, 9, 16, 0}, {2, 4, 7, 8, 9, 16, 0}};
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(r.Kaldt[i].FeltNr, forventet[i].FeltNr);
    EXPECT_EQ(r.Kaldt[i].Tegn, forventet[i].Tegn);
    EXPECT_EQ(r.Kaldt[i].V1 * 100 + r.Kaldt[i].V2 * 10 + r.Kaldt[i].V3, 789u);
    EXPECT_EQ(r.Kaldt[i].Farve, 16);
    EXPECT_EQ(r.Kaldt[i].Baggrund, 0);
  }
}

TEST_F(ElevListeTegn, BandModeFillsTheLayoutOnceAndDrawsTransparently) {
  // Mode 31 is a band: the fields' own backgrounds only choose the colour.
  Raekke r;
  r.Felter[0] = {"Abc", 8, 0};
  r.Felter[1] = {"Xy", 8};
  Tegn(r, 31, 5);
  const auto d = tavo::test::DrawnTexts();
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].bk_mode, TRANSPARENT);
  EXPECT_EQ(d[0].text_color, FarveTab[8]);   // background 0: the cell's colour
  EXPECT_EQ(d[1].text_color, FarveTab[17]);  // background 31 (the mode): 17
  for (int x : {11, 12, 63, 65, 100, 103, 106})
    for (int y : {20, 35}) EXPECT_EQ(Pixel(x, y), FarveTab[31]) << x << "," << y;
  EXPECT_EQ(Pixel(10, 20), GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(Pixel(107, 20), kGrund);
  EXPECT_EQ(Pixel(50, 36), kGrund);
  EXPECT_EQ(r.Kaldt.at(1).Baggrund, 31);

  // A multiple of 3 is no band: each field fills its own parts in the mode.
  tavo::test::ClearDrawnTexts();
  Raekke r3;
  r3.Felter[0] = {"Abc", 8};
  r3.Felter[1] = {"Xy", 8, 46};
  Tegn(r3, 3);
  const auto d3 = tavo::test::DrawnTexts();
  ASSERT_EQ(d3.size(), 2u);
  EXPECT_EQ(d3[0].bk_mode, OPAQUE);
  EXPECT_EQ(d3[0].text_color, FarveTab[16]);
  EXPECT_EQ(d3[1].text_color, FarveTab[8]);
  EXPECT_EQ(Pixel(11, 20), FarveTab[3]);
}

TEST_F(ElevListeTegn, TheCellsFontAndMissingLayouts) {
  HFONT courier = CreateFontA(11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, "Courier New");
  HGDIOBJ foer = GetCurrentObject(dc.hdc, OBJ_FONT);
  Raekke r;
  r.Felter[0] = {"Abc", 16};
  r.Felter[1] = {"Xy", 16, -1, courier};
  Tegn(r, 0);
  const auto d = tavo::test::DrawnTexts();
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].face, "Arial");
  EXPECT_EQ(d[1].face, "Courier New");
  EXPECT_EQ(GetCurrentObject(dc.hdc, OBJ_FONT), foer);
  DeleteObject(courier);

  // A kind of 116 or more, and a switch that does not exist, draw nothing
  // and ask nothing.
  Grund();
  tavo::test::ClearDrawnTexts();
  for (uint32_t art : {116u, 4000u}) {
    Raekke x;
    Tegn(x, 0, 5, art);
    EXPECT_TRUE(x.Kaldt.empty());
  }
  Raekke x;
  TegnElevRaekke(CelleFn, &x, &dc, 10, 20, 0, kArt, kBogstav, 3, 0, 0, 0, 2, 3, 5);
  EXPECT_TRUE(x.Kaldt.empty());
  EXPECT_TRUE(tavo::test::DrawnTexts().empty());
  EXPECT_EQ(Pixel(10, 20), kGrund);
}

}  // namespace
