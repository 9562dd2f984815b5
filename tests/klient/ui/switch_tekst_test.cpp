// Cell texts, headings, the colour rule and the row painters of the field
// switches, drawn into a memory bitmap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "FARVER.h"
#include "KATALOG.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "pixel_support.h"
#include "switch_fixture.h"
#include "tavo/test_gdi.h"

namespace {

std::string Trim(const char *t) {
  std::string s(t);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

SwitchFelt Felt(uint32_t feltNr, uint32_t tegn, uint32_t delOffset = 0) {
  SwitchFelt f{};
  f.FeltNr = feltNr;
  f.Tegn = tegn;
  f.DelOffset = delOffset;
  return f;
}

template <typename R>
R *Ny(const TabDesc *pTd, TabVar *pTv, uint32_t *pNr) {
  const uint32_t r = NewRec(pTd, pTv);
  EXPECT_NE(r, 0u);
  *pNr = r;
  return reinterpret_cast<R *>(GetRec(pTd, pTv, r));
}

// Records allocated to the last byte, so the sanitizer sees any read past
// the table.
void Stram(const TabDesc *pTd, TabVar *pTv) {
  pTv->pbTab = static_cast<uint8_t *>(realloc(pTv->pbTab, size_t(pTv->wRecCnt) * pTd->RecSize));
  pTv->AllocAntal = pTv->wRecCnt;
}

// A 400 x 60 memory bitmap filled in a colour no palette slot has, with its
// EnsDC and the grid text font (made after the palette).
struct MinneDC {
  EnsDC dc{};
  HBITMAP bm = 0;
  HGDIOBJ gammel = 0;
  static constexpr COLORREF kGraa = RGB(12, 34, 56);
  MinneDC() {
    dc.hdc = CreateCompatibleDC(0);
    bm = CreateCompatibleBitmap(dc.hdc, 400, 60);
    gammel = SelectObject(dc.hdc, bm);
    // As every pane's DC: the program palette selected.
    SelectPalette(dc.hdc, TavoPalette, FALSE);
    RealizePalette(dc.hdc);
    SelectObject(dc.hdc, switchtest::TekstSkrift());
    dc.TekstFarve = dc.BkFarve = kIngenFarve;
    HBRUSH g = CreateSolidBrush(kGraa);
    const RECT r{0, 0, 400, 60};
    FillRect(dc.hdc, &r, g);
    DeleteObject(g);
  }
  ~MinneDC() {
    SelectObject(dc.hdc, gammel);
    DeleteObject(bm);
    DeleteDC(dc.hdc);
  }
  COLORREF Pixel(int x, int y) const { return tavo::test::SurfacePixel(dc.hdc, x, y); }
};

class FeltSwitchTekst : public switchtest::SwitchMappe {
 protected:
  uint32_t m1 = 0, a1 = 0, a2 = 0, k1 = 0, k2 = 0, k3 = 0, f1 = 0;

  void SetUp() override {
    switchtest::SwitchMappe::SetUp();
    // Distinct colours in every slot the palette file reaches.
    std::string pal = "Palette\n";
    for (int i = 0; i < 32; ++i)
      pal += std::to_string(i) + " (" + std::to_string(10 + i * 7) + "," + std::to_string(100 + i) + "," +
             std::to_string(240 - i * 3) + ")\n";
    SkrivIniFil("tavo.pal", pal);
    farver_intern::InitPaletteDybde(32);

    auto *m = Ny<MedaRec>(&tdmeda, &tvmeda, &m1);
    snprintf(m->Initialer, sizeof m->Initialer, "ABC");
    snprintf(m->Navn, sizeof m->Navn, "Anne Berg");
    m->Status = 10;
    auto *a = Ny<AnfoRec>(&tdanfo, &tvanfo, &a1);
    a->meda_id = m1;
    a->Status = 10;
    snprintf(a->Loebenummer, sizeof a->Loebenummer, "1");
    a = Ny<AnfoRec>(&tdanfo, &tvanfo, &a2);
    a->meda_id = 999;
    a->Status = 10;
    auto *k = Ny<AktiRec>(&tdakti, &tvakti, &k1);
    snprintf(k->Aktivitet, sizeof k->Aktivitet, "Hold1");
    k->Status = 10;
    k->Aflyst = 'N';
    k = Ny<AktiRec>(&tdakti, &tvakti, &k2);
    snprintf(k->Aktivitet, sizeof k->Aktivitet, "Arkiv");
    k->Status = 10;
    k->Gruppe = 0x80000000u;
    k = Ny<AktiRec>(&tdakti, &tvakti, &k3);
    snprintf(k->Aktivitet, sizeof k->Aktivitet, "+Stjerne");
    k->Status = 10;
    k->Skema_prioritet = 7;
    k->uvfo_id = 0x05000000u;
    auto *f = Ny<SkfaRec>(&tdskfa, &tvskfa, &f1);
    memset(f->Lang_Betegnelse, 'x', sizeof f->Lang_Betegnelse);
    f->forste_minutfau = 0x41414141u;
    for (auto [pTd, pTv] : {std::pair{&tdmeda, &tvmeda}, {&tdanfo, &tvanfo}, {&tdakti, &tvakti}, {&tdskfa, &tvskfa}})
      Stram(pTd, pTv);
  }

  std::string Post(const TabDesc *pTd, const TabVar *pTv, const SwitchFelt &sf, uint32_t n) {
    char tekst[kSwitchTekstLen];
    memset(tekst, 'Z', sizeof tekst);
    SwitchFeltTekstPost(pTd, pTv, &sf, tekst, n);
    EXPECT_EQ(tekst[kSwitchMaksTegn], '\0');
    EXPECT_EQ(strlen(tekst), kSwitchMaksTegn) << "the cell is blank-padded to its end";
    return Trim(tekst);
  }
};

TEST_F(FeltSwitchTekst, OneValueByItsDataType) {
  // A number's 4 bytes as stored.
  auto Tal = [](uint32_t v, size_t n = 4) {
    std::vector<uint8_t> b(4);
    memcpy(b.data(), &v, 4);
    b.resize(n);
    return b;
  };
  struct Tilfaelde {
    uint8_t type, size, dec;
    std::vector<uint8_t> vaerdi;
    uint32_t tegn;
    const char *ud;
  } tabel[] = {
      {FT_CHAR, 1, 0, {'A'}, 1, "A"},
      {FT_JANEJ, 1, 0, {'J'}, 1, "J"},
      {FT_CHAR, 1, 0, {'A'}, 0, ""},
      {FT_U8, 1, 0, {200}, 3, "200"},
      {FT_U8, 1, 0, {7}, 3, "  7"},
      {FT_I32, 4, 0, Tal(static_cast<uint32_t>(-5)), 4, "  -5"},
      {FT_U32, 4, 0, Tal(4000000000u), 10, "4000000000"},
      {FT_HELTAL, 4, 0, Tal(static_cast<uint32_t>(-123)), 5, " -123"},
      {FT_ID, 4, 0, Tal(20260801), 8, "20260801"},
      {FT_INT, 4, 0, Tal(static_cast<uint32_t>(-7)), 3, " -7"},
      {FT_ID, 4, 0, Tal(123456), 3, "123456"},   // wider than Tegn: the cell shows 3
      {FT_ID, 2, 0, Tal(0x00FF1234u, 2), 5, " 4660"},  // only the bytes the field holds
      // Whole places Tegn - decimals, then the comma and the decimals.
      {FT_HELTAL, 4, 2, Tal(150), 6, " 150,00"},
      {FT_TEKST, 16, 0, {'H', 'o', 'l', 'd', '1', 0, 'x'}, 3, "Hol"},
      {FT_TEKST, 16, 0, {'H', 'o', 'l', 'd', '1', 0, 'x'}, 15, "Hold1"},
      {FT_TEKST, 3, 0, {'a', 'b', 'c'}, 15, "abc"},           // no terminator: the field's bytes only
      {FT_FLOAT, 4, 2, {0, 0, 0x80, 0x3F}, 6, ""},
      {FT_DOUBLE, 8, 0, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, 6, ""},
      {FT_PEGER, 4, 0, {1, 2, 3, 4}, 6, ""},
  };
  for (const auto &t : tabel) {
    FeltDef f{};
    f.Type = t.type;
    f.Size = t.size;
    f.Antal = 1;
    f.Decimaler = t.dec;
    const SwitchFelt sf = Felt(1, t.tegn);
    char tekst[kSwitchTekstLen];
    SwitchFeltTekst(&f, &sf, t.vaerdi.data(), static_cast<uint32_t>(t.vaerdi.size()), tekst);
    const std::string ud = t.ud;
    EXPECT_EQ(Trim(tekst), ud.substr(0, ud.find_last_not_of(' ') + 1)) << "type " << int(t.type);
    EXPECT_EQ(std::string(tekst, ud.size()), ud) << "type " << int(t.type);
  }
}

TEST_F(FeltSwitchTekst, RecordsFieldsAndOffsetsOutsideTheirTablesGiveBlankCells) {
  const uint32_t nAkti = tvakti.wRecCnt;
  struct Tilfaelde {
    const char *navn;
    const TabDesc *pTd;
    const TabVar *pTv;
    SwitchFelt sf;
    uint32_t n;
    std::string ud;
  } tabel[] = {
      {"a record's text", &tdakti, &tvakti, Felt(1, 15), k1, "Hold1"},
      {"a byte offset into the text", &tdakti, &tvakti, Felt(1, 15, 2), k1, "ld1"},
      {"the last byte of the text field", &tdakti, &tvakti, Felt(1, 15, 15), k1, ""},
      {"the record count itself", &tdakti, &tvakti, Felt(1, 15), nAkti, ""},
      {"a record far beyond", &tdakti, &tvakti, Felt(1, 15), 0xFFFFFFFFu, ""},
      {"the field count itself", &tdakti, &tvakti, Felt(tdakti.AntalFelter, 15), k1, ""},
      {"field 199", &tdakti, &tvakti, Felt(199, 15), k1, ""},
      {"an offset at the field's size", &tdakti, &tvakti, Felt(1, 15, 16), k1, ""},
      {"an offset far past the record", &tdakti, &tvakti, Felt(1, 15, 0xFFFFFFF0u), k1, ""},
      {"the record's last field", &tdakti, &tvakti, Felt(52, 3), k3, "  7"},
      {"past the record's last field", &tdakti, &tvakti, Felt(52, 3, 1), k3, ""},
      {"a key read from the field's last byte", &tdakti, &tvakti, Felt(50, 3, 3), k3, ""},
      {"a foreign key to its name", &tdanfo, &tvanfo, Felt(1, 4), a1, "ABC"},
      {"a foreign key beyond its table", &tdanfo, &tvanfo, Felt(1, 4), a2, ""},
      {"an offset past the key", &tdanfo, &tvanfo, Felt(1, 4, 4), a1, ""},
      {"a key read from its last byte names record 0", &tdanfo, &tvanfo, Felt(1, 4, 3), a1, ""},
      {"a text that fills its field", &tdskfa, &tvskfa, Felt(12, 60), f1, std::string(50, 'x')},
      {"no table", nullptr, nullptr, Felt(1, 15), 1, ""},
  };
  for (const auto &t : tabel) EXPECT_EQ(Post(t.pTd, t.pTv, t.sf, t.n), t.ud) << t.navn;
}

TEST_F(FeltSwitchTekst, HeadingsFollowForeignKeysAndComputedCaptions) {
  EXPECT_STREQ(SwitchFeltNavn(&tdakti, 1), "Aktivitet");
  EXPECT_STREQ(SwitchFeltNavn(&tdanfo, 1), "Initialer");
  EXPECT_STREQ(SwitchFeltNavn(&tdanfo, 2), "Løbenummer");
  EXPECT_STREQ(SwitchFeltNavn(&tdakti, 210), "Navn");
  EXPECT_STREQ(SwitchFeltNavn(nullptr, 210), "Navn");
  EXPECT_STREQ(SwitchFeltNavn(&tdakti, tdakti.AntalFelter), "");
  EXPECT_STREQ(SwitchFeltNavn(&tdakti, 199), "");
  EXPECT_STREQ(SwitchFeltNavn(nullptr, 1), "");
}

TEST_F(FeltSwitchTekst, CellTextsOfComputedAndPlainFields) {
  SkrivIniFil("TavoSwt.ini", "[ObjectSwitchField]\n40,M,0,1,0,0,0,0,4,0,0,T,0\n40,M,0,210,0,0,0,0,25,0,0,T,0\n");
  LaesSwitchIni();
  char tekst[kSwitchTekstLen];
  uint8_t farve = 0;
  EXPECT_EQ(ObjSwitchCelleTekst(40, 'M', 0, 1, &tdanfo, &tvanfo, a1, nullptr, tekst, &farve), 0u);
  EXPECT_EQ(Trim(tekst), "Anne Berg");
  EXPECT_EQ(strlen(tekst), kSwitchMaksTegn);
  EXPECT_EQ(farve, tdanfo.VisKlasse);  // the employment's display class, from the data layer
  ObjSwitchCelleTekst(40, 'M', 0, 0, &tdanfo, &tvanfo, a1, nullptr, tekst, &farve);
  EXPECT_EQ(Trim(tekst), "ABC");
  EXPECT_EQ(farve, tdanfo.VisKlasse);
  ObjSwitchCelleTekst(40, 'M', 0, 2, &tdanfo, &tvanfo, a1, nullptr, tekst, &farve);
  EXPECT_EQ(Trim(tekst), "");
  ObjSwitchCelleTekst(40, 'M', 0, 0, nullptr, nullptr, a1, nullptr, tekst, &farve);
  EXPECT_EQ(farve, 16);
}

// ---- The colour rule ----

class FeltSwitchFarve : public FeltSwitchTekst {};

TEST_F(FeltSwitchFarve, EveryBranchOfTheTextColour) {
  enum Tabel { INGEN, AKTI, ANFO, SKEMAROL, LOKROLLE, BEM };
  struct Tilfaelde {
    uint8_t moenster;
    bool beregnet;
    uint8_t kald;
    uint8_t supertavo, skphakkord;
    uint8_t ejer;
    uint32_t flag;
    Tabel tabel;
    uint32_t rec;  // 0: a record of the table that is not archived
    bool foerste;
    const char *tekst;
    uint8_t ud;
  } tabel[] = {
      // Pattern codes above 59.
      {60, false, 7, 0, 1, 0, 0, AKTI, 0, false, "", 16},
      {255, true, 7, 0, 1, 0, 0, INGEN, 0, false, "", 16},
      // Plain backgrounds, computed fields.
      {0, true, 7, 1, 1, 2, 0x1200, INGEN, 0, false, "", 16},  // SuperTavo wins
      {3, true, 7, 0, 1, 2, 0x1200, INGEN, 0, false, "", 4},   // foreign owner
      {6, true, 7, 0, 1, 1, 0x1200, INGEN, 0, false, "", 11},  // own owner, akkord mark
      {9, true, 7, 0, 1, 0, 0x1000, INGEN, 0, false, "", 11},  // no owner counts as own
      {12, true, 7, 0, 0, 0, 0x1000, INGEN, 0, false, "", 16}, // akkord mark without the setting
      {15, true, 7, 0, 0, 0, 0x1200, INGEN, 0, false, "", 39}, // Untis mark
      {18, true, 7, 0, 1, 1, 0x0200, INGEN, 0, false, "", 39},
      {57, true, 7, 0, 1, 1, 0, INGEN, 0, false, "", 16},
      {42, true, 8, 0, 1, 1, 0, AKTI, 0, false, "", 16},
      // Plain backgrounds, plain fields: only 0 and 42 coloured.
      {3, false, 7, 0, 1, 0, 0, AKTI, 0, false, "Hold1", 16},
      {33, false, 7, 0, 1, 0, 0, AKTI, 0, false, "Hold1", 16},
      {0, false, 12, 0, 1, 0, 0, INGEN, 0, false, "Hold1", 12},  // no descriptor: the caller's colour
      {0, false, 12, 0, 1, 0, 0, AKTI, 1, true, "+Stjerne", 8},  // an activity's first field with '+'
      {0, false, 12, 0, 1, 0, 0, AKTI, 1, false, "+Stjerne", 7}, // not the first field
      {0, false, 12, 0, 1, 0, 0, AKTI, 0, true, "Hold1", 7},     // the display class
      {42, false, 12, 0, 1, 0, 0, AKTI, 2, false, "Arkiv", 5},   // an archived record
      {0, false, 12, 0, 1, 0, 0, ANFO, 0, false, "", 8},
      {0, false, 12, 0, 1, 0, 0, ANFO, 0xFFFF, false, "", 8},    // beyond the table: the table's class
      {0, false, 12, 0, 1, 0, 0, SKEMAROL, 0, false, "", 16},
      {0, false, 12, 0, 1, 0, 0, LOKROLLE, 0, false, "", 16},
      {0, false, 12, 0, 1, 0, 0, BEM, 0, false, "", 16},
      // The selected rows.
      {1, false, 7, 0, 1, 0, 0, AKTI, 0, false, "", 17},
      {58, true, 7, 0, 1, 2, 0, INGEN, 0, false, "", 17},
      {37, false, 7, 0, 1, 0, 0, AKTI, 0, false, "", 17},
      {31, false, 7, 0, 1, 0, 0, AKTI, 0, false, "", 17},
      {2, false, 7, 0, 1, 0, 0, AKTI, 0, false, "", 19},
      {38, true, 7, 0, 1, 2, 0, INGEN, 0, false, "", 19},
      {59, false, 7, 0, 1, 0, 0, AKTI, 0, false, "", 19},
      // Marked rows: the caller's colour when it is an object kind's.
      {36, false, 8, 0, 1, 0, 0, AKTI, 0, false, "", 8},
      {36, true, 7, 0, 1, 0, 0, INGEN, 0, false, "", 7},
      {36, false, 3, 0, 1, 0, 0, AKTI, 0, false, "", 3},
      {36, false, 12, 0, 1, 0, 0, AKTI, 0, false, "", 12},
      {36, false, 10, 0, 1, 0, 0, AKTI, 0, false, "", 10},
      {36, false, 16, 0, 1, 0, 0, AKTI, 0, false, "", 5},
      {36, false, 13, 0, 1, 0, 0, AKTI, 0, false, "", 5},
      {46, false, 8, 0, 1, 0, 0, AKTI, 0, false, "", 8},
      {46, true, 7, 0, 1, 0, 0, INGEN, 0, false, "", 16},
      // Every other code.
      {7, false, 8, 0, 1, 0, 0, AKTI, 0, false, "", 16},
      {30, true, 8, 0, 1, 0, 0, INGEN, 0, false, "", 16},
      {45, false, 8, 0, 1, 0, 0, AKTI, 0, false, "", 16},
      {56, false, 8, 0, 1, 0, 0, AKTI, 0, false, "", 16},
  };
  GlobalIndstillinger.insnr = 1;
  const uint32_t arkiv = k2, stjerne = k3;
  for (const auto &t : tabel) {
    GlobalIndstillinger.supertavo = t.supertavo;
    GlobalIndstillinger.skphakkord = t.skphakkord;
    CelleFarveData c;
    c.Moenster = t.moenster;
    c.Beregnet = t.beregnet;
    c.KaldFarve = t.kald;
    c.Ejer = t.ejer;
    c.Flag = t.flag;
    c.FoersteFelt = t.foerste;
    c.Tekst = t.tekst;
    switch (t.tabel) {
      case AKTI: c.pTd = &tdakti, c.pTv = &tvakti; break;
      case ANFO: c.pTd = &tdanfo, c.pTv = &tvanfo; break;
      case SKEMAROL: c.pTd = &tdskemarol, c.pTv = &tvskemarol; break;
      case LOKROLLE: c.pTd = &tdlokrolle, c.pTv = &tvlokrolle; break;
      case BEM: c.pTd = &tdbem, c.pTv = &tvbem; break;
      case INGEN: break;
    }
    c.RecNr = t.rec == 1 ? stjerne : t.rec == 2 ? arkiv : t.rec == 0 ? (t.tabel == ANFO ? a1 : k1) : t.rec;
    EXPECT_EQ(CelleTekstFarveKode(c), t.ud)
        << "pattern " << int(t.moenster) << (t.beregnet ? " computed" : " plain") << ", caller " << int(t.kald)
        << ", owner " << int(t.ejer) << ", flags " << t.flag << ", table " << t.tabel;
  }
}

TEST_F(FeltSwitchFarve, TheCacheSavesTheColourCalls) {
  MinneDC m;
  CelleFarveData c;
  c.Beregnet = true;
  EXPECT_EQ(SaetCelleTekstFarve(&m.dc, c), 16);
  EXPECT_EQ(m.dc.TekstFarve, 16);
  // A DC whose cache already holds the colour gets no call: the colour set
  // behind the cache's back stays.
  SetTextColor(m.dc.hdc, RGB(1, 2, 3));
  SaetCelleTekstFarve(&m.dc, c);
  SkrivIniFil("TavoSwt.ini", "[ObjectSwitchField]\n40,K,0,1,0,0,0,0,5,0,0,T,0\n40,K,0,1,0,0,0,0,5,0,0,T,0\n");
  LaesSwitchIni();
  tavo::test::ClearDrawnTexts();
  m.dc.TekstFarve = 7;
  TegnObjSwitchRaekke(&m.dc, 0, 0, 0, 40, 'K', 0, &tdakti, &tvakti, k1, nullptr);
  auto tekster = tavo::test::DrawnTexts();
  ASSERT_EQ(tekster.size(), 2u);
  for (const auto &d : tekster) EXPECT_EQ(d.text_color, RGB(1, 2, 3));
  // Colours of 60 and up are one black.
  TegnFarvetTekst(&m.dc, 0, 0, 60, 61, "x", 1, 2);
  SetTextColor(m.dc.hdc, RGB(4, 5, 6));
  TegnFarvetTekst(&m.dc, 0, 0, 99, 99, "y", 1, 2);
  EXPECT_EQ(tavo::test::DrawnTexts().back().text_color, RGB(4, 5, 6));
  m.dc.TekstFarve = kIngenFarve;
  TegnFarvetTekst(&m.dc, 0, 0, 99, 16, "z", 1, 2);
  EXPECT_EQ(tavo::test::DrawnTexts().back().text_color, RGB(0, 0, 0));
}

// ---- Painters ----

class FeltSwitchTegn : public FeltSwitchTekst {};

TEST_F(FeltSwitchTegn, FiguresWithTwoDecimalsRoundHalfAwayFromZeroWithOneSign) {
  MinneDC m;
  const struct {
    double v;
    const char *ud;
  } tabel[] = {{1.5, "  1,50"},     {-1.24, " -1,24"}, {-0.5, " -0,50"},  {0.005, "  0,01"},
               {-0.005, " -0,01"}, {-1.235, " -1,24"}, {1234.567, "1234,57"}, {0, "  0,00"}};
  for (const auto &t : tabel) {
    tavo::test::ClearDrawnTexts();
    TegnTal2Dec(&m.dc, 5, 6, 8, 0, t.v);
    const auto d = tavo::test::DrawnTexts();
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].text, t.ud) << t.v;
    EXPECT_EQ(d[0].bk_mode, OPAQUE);
    EXPECT_EQ(d[0].text_color, FarveTab[8]);
    EXPECT_EQ(d[0].bk_color, FarveTab[0]);
  }
}

TEST_F(FeltSwitchTegn, TextCellsAndMarks) {
  MinneDC m;
  tavo::test::ClearDrawnTexts();
  TegnTekstCelle(&m.dc, 10, 5, 3, 14, "Ma", 4, 6);
  SIZE s{};
  GetTextExtentPoint32A(m.dc.hdc, "Ma", 2, &s);
  auto d = tavo::test::DrawnTexts();
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].x, 14);
  EXPECT_EQ(d[0].text_color, FarveTab[14]);
  EXPECT_EQ(d[0].bk_mode, TRANSPARENT);
  EXPECT_EQ(m.Pixel(10, 5), FarveTab[3]);
  EXPECT_EQ(m.Pixel(10 + s.cx + 9, 5 + s.cy - 1), FarveTab[3]);
  EXPECT_EQ(m.Pixel(10 + s.cx + 10, 5), MinneDC::kGraa);
  EXPECT_EQ(m.Pixel(10, 5 + s.cy), MinneDC::kGraa);

  GlobalIndstillinger.insnr = 1;
  const uint8_t tegn[] = {'a', 'b', 'c', 'd'};
  const uint8_t koder[] = {36, 1, 0, 0};
  tavo::test::ClearDrawnTexts();
  TegnBrikTegn(&m.dc, 0, 20, tegn, koder, 4, 3, 2, 0);
  d = tavo::test::DrawnTexts();
  ASSERT_EQ(d.size(), 4u);
  const struct {
    int x;
    uint8_t tekst, bk;
  } ud[] = {{0, 5, 36}, {3, 17, 1}, {6, 4, 0}, {9, 4, 0}};  // owner 2 is foreign
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(d[i].x, ud[i].x);
    EXPECT_EQ(d[i].text, std::string(1, static_cast<char>(tegn[i])));
    EXPECT_EQ(d[i].text_color, FarveTab[ud[i].tekst]) << i;
    EXPECT_EQ(d[i].bk_color, FarveTab[ud[i].bk]) << i;
    EXPECT_EQ(d[i].bk_mode, OPAQUE);
  }
}

TEST_F(FeltSwitchTegn, RowsDrawEachCellAtItsPlaceAndAlwaysTegnCharacters) {
  // Cells: lines and air 1 + 2, 5 characters, 3 extra, right line; then a
  // computed field without lines; then the activity's priority.
  SkrivIniFil("TavoSwt.ini",
              "[ObjectSwitchField]\n"
              "40,K,0,1,1,2,0,0,5,3,1,T,0\n"
              "40,K,0,351,0,1,0,0,2,0,0,T,0\n"
              "40,K,0,52,0,0,0,0,3,0,0,N,0\n"
              "200,K,0,1,0,0,0,0,5,0,0,T,0\n");
  LaesSwitchIni();
  ASSERT_EQ(ObjSwitchBredde(40, 'K', 0), 1u + 2 + 40 + 3 + 1 + 17 + 24);
  MinneDC m;
  tavo::test::ClearDrawnTexts();
  SwitchRaekkeValg v;
  v.Hoejde = 14;
  v.TopMargen = 2;
  v.RestBredde = 20;
  TegnObjSwitchRaekke(&m.dc, 10, 4, 0, 40, 'K', 0, &tdakti, &tvakti, k3, &v);
  const auto d = tavo::test::DrawnTexts();
  ASSERT_EQ(d.size(), 3u);
  const struct {
    int x;
    std::string tekst;
  } ud[] = {{13, "+Stje"}, {58, "  "}, {74, "  7"}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(d[i].x, ud[i].x);
    EXPECT_EQ(d[i].y, 6);
    EXPECT_EQ(d[i].text, ud[i].tekst);
    EXPECT_EQ(d[i].bk_mode, TRANSPARENT);
  }
  EXPECT_EQ(d[0].text_color, FarveTab[8]);   // an activity's '+' first field
  EXPECT_EQ(d[1].text_color, FarveTab[16]);  // a computed field
  EXPECT_EQ(d[2].text_color, FarveTab[7]);   // the activity's display class
  const COLORREF linje = GetSysColor(COLOR_3DDKSHADOW);
  EXPECT_EQ(m.Pixel(10, 4), linje);
  EXPECT_EQ(m.Pixel(10, 17), linje);
  EXPECT_EQ(m.Pixel(11, 4), FarveTab[0]);
  EXPECT_EQ(m.Pixel(13 + 40 + 3, 10), linje);  // text start + Tegn x 8 + Ekstra
  EXPECT_EQ(m.Pixel(10 + 47 + 17 + 24 + 19, 17), FarveTab[0]);  // the rest of the row
  EXPECT_EQ(m.Pixel(10 + 47 + 17 + 24 + 20, 17), MinneDC::kGraa);
  EXPECT_EQ(m.Pixel(10, 18), MinneDC::kGraa);
  EXPECT_EQ(GetBkMode(m.dc.hdc), OPAQUE);

  tavo::test::ClearDrawnTexts();
  TegnObjSwitchRaekke(&m.dc, 0, 0, 0, 200, 'K', 0, &tdakti, &tvakti, k1, nullptr);
  TegnObjSwitchRaekke(&m.dc, 0, 0, 0, 40, 'K', 9, &tdakti, &tvakti, k1, nullptr);
  EXPECT_TRUE(tavo::test::DrawnTexts().empty());
}

// A field's background leaves out its lines, which are filled over it
// afterwards: the pixels stay those of the background filled whole first,
// for lines of every width or none, on plain and checkered brushes, along
// a row and down a column, struck through or not.
TEST_F(FeltSwitchTegn, RowsPaintTheSamePixelsAsWithTheBackgroundFilledWholeFirst) {
  SkrivIniFil("TavoSwt.ini",
              "[ObjectSwitchField]\n"
              "40,K,0,1,1,0,0,0,5,0,1,T,0\n"
              "40,K,0,1,2,1,0,0,4,3,2,T,0\n"
              "40,K,0,1,0,0,0,0,3,0,0,T,0\n"
              "40,K,0,351,0,1,0,0,2,1,1,T,0\n"
              "40,K,0,1,1,0,0,0,6,0,0,T,0\n"
              "65,K,0,1,1,2,0,0,5,0,1,T,0\n"
              "65,K,0,1,2,0,0,0,3,1,0,T,0\n");
  LaesSwitchIni();
  auto Forbered = [](HDC dc) {
    SelectPalette(dc, TavoPalette, FALSE);
    RealizePalette(dc);
    SelectObject(dc, switchtest::TekstSkrift());
  };
  SwitchRaekkeValg lodret;
  lodret.Hoejde = 16;
  lodret.TopMargen = 2;
  for (const char aflyst : {'N', 'J'})
    for (const uint8_t farve : {0, 1, 2, 3, 6, 12}) {
      SCOPED_TRACE(std::string("colour ") + std::to_string(farve) + ", cancelled " + aflyst);
      reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, k1))->Aflyst = aflyst;
      pixeltest::SammePixels(260, 70, [&](HDC hdc) {
        EnsDC dc{hdc, kIngenFarve, kIngenFarve};
        TegnObjSwitchRaekke(&dc, 1, 0, farve, 40, 'K', 0, &tdakti, &tvakti, k1, nullptr);
        TegnObjSwitchRaekke(&dc, -4, 14, farve, 40, 'K', 0, &tdakti, &tvakti, k3, nullptr);
        TegnRelationRaekke(&dc, 200, 2, farve, 'K', &tdakti, &tvakti, k1, &lodret);
        TegnRelationRaekke(&dc, 230, -3, farve, 'K', &tdakti, &tvakti, k3, &lodret);
      }, Forbered);
    }
}

TEST_F(FeltSwitchTegn, CancelledAndDeletedActivitiesAreStruckThrough) {
  SkrivIniFil("TavoSwt.ini", "[ObjectSwitchField]\n40,K,0,1,0,2,0,0,5,0,0,T,0\n40,K,0,351,0,2,0,0,2,0,0,T,0\n");
  LaesSwitchIni();
  const struct {
    char aflyst;
    uint8_t slettet;
    COLORREF streg;
  } tabel[] = {{'N', 0, FarveTab[0]}, {'J', 0, FarveTab[14]}, {'N', 1, FarveTab[16]}, {'J', 1, FarveTab[14]}};
  for (const auto &t : tabel) {
    auto *a = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, k1));
    a->Aflyst = t.aflyst;
    a->Slettet_i_EASY = t.slettet;
    MinneDC m;
    TegnObjSwitchRaekke(&m.dc, 0, 0, 0, 40, 'K', 0, &tdakti, &tvakti, k1, nullptr);
    EXPECT_EQ(m.Pixel(0, 5), t.streg) << t.aflyst << int(t.slettet);
    EXPECT_EQ(m.Pixel(1, 5), t.streg);
    EXPECT_EQ(m.Pixel(0, 4), FarveTab[0]);
    EXPECT_EQ(m.Pixel(43, 5), FarveTab[0]) << "computed fields are not struck through";
  }
}

TEST_F(FeltSwitchTegn, RowVariantsOnABrushFromACallbackAndDownAColumn) {
  SkrivIniFil("TavoSwt.ini",
              "[ObjectSwitchField]\n"
              "40,K,0,1,1,0,0,0,5,0,1,T,0\n"
              "40,K,0,5,0,0,0,0,2,4,0,T,0\n"
              "65,K,0,1,1,2,0,0,5,0,1,T,0\n");
  LaesSwitchIni();
  MinneDC m;
  // On palette brush 1 every cell has pattern code 1: text colour 17.
  tavo::test::ClearDrawnTexts();
  TegnObjSwitchRaekkeBund(&m.dc, 0, 0, FarveBrush[1], 40, 'K', 0, &tdakti, &tvakti, k1, 0, nullptr);
  auto d = tavo::test::DrawnTexts();
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].text_color, FarveTab[17]);
  EXPECT_EQ(d[1].text_color, FarveTab[17]);
  EXPECT_EQ(m.Pixel(0, 3), GetSysColor(COLOR_BTNTEXT));
  EXPECT_NE(m.Pixel(42 + 19, 3), MinneDC::kGraa) << "the brush covers the layout's width";
  EXPECT_EQ(m.Pixel(42 + 20, 3), MinneDC::kGraa);
  // On another brush: the record's display class, over a given width.
  tavo::test::ClearDrawnTexts();
  TegnObjSwitchRaekkeBund(&m.dc, 0, 20, FarveBrush[5], 40, 'K', 0, &tdakti, &tvakti, k2, 100, nullptr);
  d = tavo::test::DrawnTexts();
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].text_color, FarveTab[5]);
  EXPECT_NE(m.Pixel(99, 21), MinneDC::kGraa);
  EXPECT_EQ(m.Pixel(100, 21), MinneDC::kGraa);

  // The caller's texts, pattern codes and colours.
  struct Kald {
    std::vector<uint32_t> felter;
  } kald;
  auto fn = [](void *arg, const SwitchFelt *sf, uint32_t i, char *tekst, uint8_t *pMoenster,
               uint8_t *pFarve) -> uint32_t {
    static_cast<Kald *>(arg)->felter.push_back(sf->FeltNr);
    memcpy(tekst, i == 0 ? "abcdefgh" : "xy", i == 0 ? 8 : 2);
    if (i == 1) *pMoenster = 2;
    *pFarve = 10;
    return 0;
  };
  tavo::test::ClearDrawnTexts();
  TegnObjSwitchRaekkeCb(&m.dc, 0, 40, 0, 40, 'K', 0, fn, &kald, nullptr);
  d = tavo::test::DrawnTexts();
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(kald.felter, (std::vector<uint32_t>{1, 5}));
  EXPECT_EQ(d[0].text, "abcde");
  EXPECT_EQ(d[0].text_color, FarveTab[10]);  // pattern 0, no table: the caller's colour
  EXPECT_EQ(d[1].text, "xy");
  EXPECT_EQ(d[1].text_color, FarveTab[19]);  // pattern 2
  EXPECT_EQ(m.Pixel(42 + 16 + 2, 45), FarveTab[2]);  // field 2's extra pixels, on pattern 2

  // The relation caption runs down a column 16 pixels wide.
  MinneDC r;
  tavo::test::ClearDrawnTexts();
  SwitchRaekkeValg v;
  v.Hoejde = 16;
  v.TopMargen = 2;
  TegnRelationRaekke(&r.dc, 100, 0, 6, 'K', &tdakti, &tvakti, k1, &v);
  d = tavo::test::DrawnTexts();
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].x, 114);
  EXPECT_EQ(d[0].y, 3);
  EXPECT_EQ(d[0].text, "Hold1");
  EXPECT_EQ(r.Pixel(100, 0), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(r.Pixel(115, 1), FarveTab[6]);
  EXPECT_EQ(r.Pixel(100, 43), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(r.Pixel(100, 44), MinneDC::kGraa);
  EXPECT_EQ(r.Pixel(116, 1), MinneDC::kGraa);
}

}  // namespace
