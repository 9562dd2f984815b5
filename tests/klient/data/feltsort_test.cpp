// Field display texts and the sorters over them: small fixture tables whose
// expected orders are worked out independently (numeric order, the Danish
// alphabet), and the small made-up school sorted end to end.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "../datamappe.h"
#include "KATALOG.h"
#include "OBJFELT.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "TABOPER.h"
#include "VISFELT.h"
#include "pred_tabeller.h"

using namespace predtest;

namespace {

std::string Blanke(const std::string &s) { return s + std::string(VISFELT_LEN - 1 - s.size(), ' '); }

// ---- VisFeltTekst per data type ----

#pragma pack(push, 1)
struct TypeRec {
  uint32_t id;
  char tegn;
  char flag;
  uint8_t u8;
  int32_t i32;
  uint32_t u32;
  int32_t heltal;
  uint32_t id2;
  int32_t i32b;
  float f32;
  double f64;
  char tekst[11];
  char gentaget[5];
  uint32_t meda;
};
#pragma pack(pop)

// A table with one field of every data type, its foreign key leading to the
// real employee table.
TabDesc TypeTabel() {
  TabDesc td{};
  td.Navn = "typer";
  const FeltDef felter[] = {
      {FT_ID, 4, 1, 0, 6, 0, offsetof(TypeRec, id), 1, 0, 0, 0, 0, "id"},
      {FT_CHAR, 1, 1, 0, 1, 0, offsetof(TypeRec, tegn), 1, 0, 0, 0, 0, "tegn"},
      {FT_JANEJ, 1, 1, 0, 1, 0, offsetof(TypeRec, flag), 1, 0, 0, 0, 0, "flag"},
      {FT_U8, 1, 1, 0, 3, 0, offsetof(TypeRec, u8), 1, 0, 0, 0, 0, "u8"},
      {FT_I32, 4, 1, 0, 5, 0, offsetof(TypeRec, i32), 1, 0, 0, 0, 0, "i32"},
      {FT_U32, 4, 1, 0, 5, 0, offsetof(TypeRec, u32), 1, 0, 0, 0, 0, "u32"},
      {FT_HELTAL, 4, 1, 0, 8, 0, offsetof(TypeRec, heltal), 1, 0, 0, 0, 0, "heltal"},
      {FT_ID, 4, 1, 0, 8, 0, offsetof(TypeRec, id2), 1, 0, 0, 0, 0, "id2"},
      {FT_INT, 4, 1, 0, 5, 0, offsetof(TypeRec, i32b), 1, 0, 0, 0, 0, "int"},
      {FT_FLOAT, 4, 1, 0, 6, 2, offsetof(TypeRec, f32), 1, 0, 0, 0, 0, "f32"},
      {FT_DOUBLE, 8, 1, 0, 8, 0, offsetof(TypeRec, f64), 1, 0, 0, 0, 0, "f64"},
      {FT_TEKST, 11, 1, 0, 12, 0, offsetof(TypeRec, tekst), 1, 0, 0, 0, 0, "tekst"},
      {FT_CHAR, 1, 5, 0, 1, 0, offsetof(TypeRec, gentaget), 1, 0, 0, 0, 0, "gentaget"},
      {FT_ID, 4, 1, 144, 6, 0, offsetof(TypeRec, meda), 1, 0, 0, 0, 0, "meda_id"},
  };
  std::copy(std::begin(felter), std::end(felter), td.FeltTab);
  td.AntalFelter = static_cast<uint8_t>(std::size(felter));
  td.KeyLen = 4;
  td.RecSize = sizeof(TypeRec);
  return td;
}

TEST(FeltSorteringVis, TextPerDataType) {
  TommeTabeller();
  MedaRec m{};
  m.Status = 10;
  Tekst(m.Initialer, "ÆBL");
  const uint32_t meda = Ny(tdmeda, tvmeda, m);

  const TabDesc td = TypeTabel();
  std::vector<TypeRec> recs(2);
  TypeRec &r = recs[1];
  r.id = 7;
  r.tegn = 'x';
  r.flag = 'J';
  r.u8 = 7;
  r.i32 = -42;
  r.u32 = 123456;
  r.heltal = -1234567;
  r.id2 = 4000000000u;
  r.i32b = 99;
  r.f32 = -0.5f;
  r.f64 = 2.5;
  Tekst(r.tekst, "Åse");
  memcpy(r.gentaget, "ABCDE", 5);
  r.meda = meda;
  TabVar tv{};
  tv.pbTab = reinterpret_cast<uint8_t *>(recs.data());
  tv.wRecCnt = 2;

  const VisFeltKontekst kontekst{0, 1, 0, 0};
  struct {
    uint32_t felt, rec;
    int foelg;
    const char *tekst;
    bool blanke;  // the rest of the 254 blanks stays after the text
  } tabel[] = {
      {1, 1, 1, "x", true},
      {2, 1, 1, "J", true},
      {3, 1, 1, "  7", false},
      {4, 1, 1, "  -42", false},
      {5, 1, 1, "123456", false},
      {6, 1, 1, "-1234567", false},
      {7, 1, 1, "4000000000", false},
      {8, 1, 1, "", true},  // type 8 shows nothing
      {9, 1, 1, "  -0,50", false},
      {10, 1, 1, "       3", false},  // 2.5 rounds away from zero
      {11, 1, 1, "Åse         ", false},
      {12, 1, 1, "ABCDE", true},
      {13, 1, 1, "ÆBL ", false},      // field 1 of the employee, at its display width
      {1, 2, 1, "", false},           // a record beyond the table
      {209, 1, 1, "X", false},        // computed: the kind letter of the first selection value
  };
  for (const auto &t : tabel) {
    const char *ud = VisFeltTekst('X', &td, &tv, t.felt, t.rec, &kontekst, t.foelg);
    EXPECT_EQ(std::string(ud), t.blanke ? Blanke(t.tekst) : std::string(t.tekst)) << "field " << t.felt;
  }

  // Not followed: the stored record number.
  EXPECT_EQ(std::string(VisFeltTekst('X', &td, &tv, 13, 1, nullptr, 0)), "       " + std::to_string(meda));
  // A foreign key naming an employee beyond that table shows nothing.
  r.meda = tvmeda.wRecCnt;
  EXPECT_STREQ(VisFeltTekst('X', &td, &tv, 13, 1, nullptr, 1), "");
  // An empty table.
  tv.wRecCnt = 0;
  EXPECT_STREQ(VisFeltTekst('X', &td, &tv, 11, 0, nullptr, 1), "");
  FrigivAlle();
}

// ---- Sorting ----

// The Danish alphabet, worked out apart from the code under test: A..Z,
// then Æ, Ø, Å; letters in either case alike; '*' after everything.
int DanskRang(unsigned char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
  switch (c) {
    case 0xE6: case 0xC6: return 'Z' * 4 + 1;  // æ Æ
    case 0xF8: case 0xD8: return 'Z' * 4 + 2;  // ø Ø
    case 0xE5: case 0xC5: return 'Z' * 4 + 3;  // å Å
    case '*': return 256 * 4;
    default: return c * 4;
  }
}

int DanskSammenlign(const std::string &a, const std::string &b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const int ra = DanskRang(static_cast<unsigned char>(a[i])), rb = DanskRang(static_cast<unsigned char>(b[i]));
    if (ra != rb) return ra < rb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::vector<uint32_t> Liste(const std::vector<uint32_t> &recs) {
  std::vector<uint32_t> l(1, 0);
  l.insert(l.end(), recs.begin(), recs.end());
  return l;
}

class FeltSortering : public ::testing::Test {
 protected:
  void SetUp() override { TommeTabeller(); }
  void TearDown() override {
    ObjFeltKilder = {};
    ObjFeltKrog = {};
    FrigivAlle();
  }

  uint32_t NyAkti(const char *navn, uint32_t id) {
    AktiRec a{};
    a.id = id;
    a.Status = 10;
    Tekst(a.Aktivitet, navn);
    return Ny(tdakti, tvakti, a);
  }
  uint32_t NyMeda(const char *ini) {
    MedaRec m{};
    m.Status = 10;
    Tekst(m.Initialer, ini);
    return Ny(tdmeda, tvmeda, m);
  }
  uint32_t NyAnfo(uint32_t meda, uint32_t id) {
    AnfoRec a{};
    a.id = id;
    a.meda_id = meda;
    a.Status = 10;
    return Ny(tdanfo, tvanfo, a);
  }
  // The names of the activities of a sorted list, in its order.
  static std::vector<std::string> Navne(const std::vector<uint32_t> &l) {
    std::vector<std::string> v;
    for (size_t i = 1; i < l.size(); ++i)
      v.push_back(l[i] < tvakti.wRecCnt ? Rec<AktiRec>(tvakti, l[i])->Aktivitet : "?");
    return v;
  }
};

// Column 257 (lessons less teacher lessons of a subject on the chosen
// activity) may be negative: its sort must be numeric.
uint32_t valgtAkti = 0;
uint32_t DifValg(char art) { return art == 'K' ? valgtAkti : 0; }

TEST_F(FeltSortering, SignedComputedFieldInNumericOrder) {
  ObjFeltKrog.HentDifValg = DifValg;
  const std::vector<std::vector<int>> tilfaelde = {
      {-12, 5, 0, -3},
      {-100, 7, -99, 10, -7, 0, 999},
      {3, 2, 1},
      {-1, -11, -111},
  };
  for (const auto &vaerdier : tilfaelde) {
    TommeTabeller();
    valgtAkti = NyAkti("HOLD", 1);
    std::vector<uint32_t> fag;
    for (size_t i = 0; i < vaerdier.size(); ++i) {
      SkfaRec s{};
      s.id = static_cast<uint32_t>(i + 1);
      s.Status = 10;
      const uint32_t nr = Ny(tdskfa, tvskfa, s);
      SkphRec p{};
      p.akti_id = valgtAkti;
      p.skfa_id = nr;
      p.Status = 10;
      p.AntalLektioner = static_cast<uint32_t>(200 + vaerdier[i]);
      p.Laererlektioner = 200;
      Ny(tdskph, tvskph, p);
      fag.push_back(nr);
    }
    tvskph.fSorter = 1;
    std::vector<int> forventet = vaerdier;
    std::sort(forventet.begin(), forventet.end());

    for (uint32_t option : {0u, SORT_FALDENDE}) {
      std::vector<uint32_t> l = Liste(fag);
      SorterPaaFelter('U', l.data(), static_cast<uint32_t>(fag.size()), &tdskfa, &tvskfa, nullptr, option, 1,
                      {257});
      std::vector<int> ud;
      for (size_t i = 1; i < l.size(); ++i)
        ud.push_back(vaerdier[std::find(fag.begin(), fag.end(), l[i]) - fag.begin()]);
      std::vector<int> f = forventet;
      if (option == SORT_FALDENDE) std::reverse(f.begin(), f.end());
      EXPECT_EQ(ud, f) << "option " << option << ", first value " << vaerdier[0];
    }
  }
}

TEST_F(FeltSortering, DanishLettersAfterZInTheirOrder) {
  const std::vector<std::string> navne = {"Åben", "zebra", "Ørn", "ænder", "Anna", "Zulu", "øl",
                                          "åkande", "Æble", "bil", "*Arkiv", "Øvelse"};
  std::vector<uint32_t> recs;
  for (size_t i = 0; i < navne.size(); ++i) recs.push_back(NyAkti(navne[i].c_str(), 100 + i));

  // Z..., then Æ, Ø, Å in either case, then '*'; the independent ordering
  // the school test below relies on agrees.
  const std::vector<std::string> dansk = {"Anna", "bil", "zebra",  "Zulu", "Æble",   "ænder",
                                          "øl",   "Ørn", "Øvelse", "Åben", "åkande", "*Arkiv"};
  std::vector<std::string> uafhaengig = navne;
  std::sort(uafhaengig.begin(), uafhaengig.end(),
            [](const std::string &a, const std::string &b) { return DanskSammenlign(a, b) < 0; });
  EXPECT_EQ(uafhaengig, dansk);
  // Without Danish order the upper-cased Windows-1252 bytes decide: Å Æ Ø,
  // all after Z, and '*' before the letters.
  const std::vector<std::string> bytevis = {"*Arkiv", "Anna",  "bil", "zebra", "Zulu", "Åben",
                                            "åkande", "Æble", "ænder", "øl",   "Ørn",  "Øvelse"};
  std::vector<std::string> faldende = dansk;
  std::reverse(faldende.begin(), faldende.end());

  struct {
    uint32_t option;
    const std::vector<std::string> &forventet;
  } tabel[] = {{0, dansk}, {SORT_IKKE_DANSK, bytevis}, {SORT_FALDENDE, faldende}};
  for (const auto &t : tabel) {
    std::vector<uint32_t> l = Liste(recs);
    SorterPaaFelter('K', l.data(), static_cast<uint32_t>(recs.size()), &tdakti, &tvakti, nullptr, t.option, 1, {1});
    EXPECT_EQ(Navne(l), t.forventet) << "option " << t.option;
  }
}

TEST_F(FeltSortering, ForeignKeyByTargetNameNotNumber) {
  // Employee records in an order unlike their initials; BO has two
  // employments.
  const uint32_t ole = NyMeda("OLE"), ase = NyMeda("ÅSE"), bo = NyMeda("BO"), aeb = NyMeda("ÆBL");
  const uint32_t a1 = NyAnfo(ole, 1), a2 = NyAnfo(ase, 2), a3 = NyAnfo(bo, 3), a4 = NyAnfo(aeb, 4),
                 a5 = NyAnfo(bo, 0);

  struct {
    const char *hvad;
    int foelg;
    std::vector<uint32_t> felter, liste, forventet;
  } tabel[] = {
      {"by name", 1, {1}, {a4, a2, a1, a3}, {a3, a1, a4, a2}},
      {"by name, then number", 1, {1, 0}, {a1, a2, a3, a4, a5}, {a5, a3, a1, a4, a2}},
      {"not followed: by the stored record number", 0, {1}, {a4, a2, a1, a3}, {a1, a2, a3, a4}},
  };
  for (const auto &t : tabel) {
    std::vector<uint32_t> l = Liste(t.liste);
    SorterPaaFelter('M', l.data(), static_cast<uint32_t>(t.liste.size()), &tdanfo, &tvanfo, nullptr, 0, t.foelg,
                    t.felter.data(), static_cast<uint32_t>(t.felter.size()));
    EXPECT_EQ(std::vector<uint32_t>(l.begin() + 1, l.end()), t.forventet) << t.hvad;
  }

  // Two fields, always ascending and in Danish order.
  std::vector<uint32_t> l = Liste({a2, a4, a1, a3, a5});
  SorterPaaToFelter('M', l.data(), 5, &tdanfo, &tvanfo, nullptr, 1, 1, 0);
  EXPECT_EQ(std::vector<uint32_t>(l.begin() + 1, l.end()), (std::vector<uint32_t>{a5, a3, a1, a4, a2}));
}

// The selection window's rule: Danish order goes to text and flag fields
// and to fields whose flag byte has its high bit, not to foreign keys.
TEST_F(FeltSortering, FlagBitRuleInPlaceOfForeignKeys) {
  const uint32_t ase = NyMeda("ÅSE"), aeb = NyMeda("ÆBL"), bo = NyMeda("BO");
  const uint32_t a1 = NyAnfo(ase, 1), a2 = NyAnfo(aeb, 2), a3 = NyAnfo(bo, 3);
  struct {
    uint32_t option;
    std::vector<uint32_t> forventet;
  } anfo[] = {{0, {a3, a2, a1}}, {SORT_DANSK_FLAGBIT, {a3, a1, a2}}};
  for (const auto &t : anfo) {
    std::vector<uint32_t> l = Liste({a1, a2, a3});
    SorterPaaFelter('M', l.data(), 3, &tdanfo, &tvanfo, nullptr, t.option, 1, {1});
    EXPECT_EQ(std::vector<uint32_t>(l.begin() + 1, l.end()), t.forventet) << "option " << t.option;
  }

  // A character field (type 1) with the high flag bit.
  TabDesc td = TypeTabel();
  std::vector<TypeRec> recs(4);
  recs[1].tegn = static_cast<char>(0xC5);  // Å
  recs[2].tegn = static_cast<char>(0xC6);  // Æ
  recs[3].tegn = 'Z';
  TabVar tv{};
  tv.pbTab = reinterpret_cast<uint8_t *>(recs.data());
  tv.wRecCnt = 4;
  struct {
    uint8_t flag;
    uint32_t option;
    std::vector<uint32_t> forventet;
  } tegn[] = {
      {0x80, SORT_DANSK_FLAGBIT, {3, 2, 1}},
      {0x01, SORT_DANSK_FLAGBIT, {3, 1, 2}},
      {0x80, 0, {3, 1, 2}},
  };
  for (const auto &t : tegn) {
    td.FeltTab[1].Flag = t.flag;
    std::vector<uint32_t> l = Liste({1, 2, 3});
    SorterPaaFelter('X', l.data(), 3, &td, &tv, nullptr, t.option, 1, {1});
    EXPECT_EQ(std::vector<uint32_t>(l.begin() + 1, l.end()), t.forventet)
        << "flag " << int(t.flag) << ", option " << t.option;
  }
}

TEST_F(FeltSortering, MarkedRecordsLast) {
  const uint32_t c = NyAkti("Cirkel", 1), a = NyAkti("Anker", 2), b = NyAkti("Bro", 3), oe = NyAkti("Øl", 4),
                 d = NyAkti("Due", 5);
  std::vector<uint8_t> maerker(tvakti.wRecCnt, 0);
  maerker[a] = 1;
  maerker[oe] = 1;
  const uint32_t felter[] = {1};
  struct {
    uint32_t option;
    uint32_t maerkeAntal;
    std::vector<uint32_t> forventet;
  } tabel[] = {
      {0, static_cast<uint32_t>(maerker.size()), {b, c, d, a, oe}},
      {SORT_FALDENDE, static_cast<uint32_t>(maerker.size()), {oe, a, d, c, b}},
      // A mark array too short for the record numbers: those records count
      // as unmarked.
      {0, a + 1, {b, c, d, oe, a}},
  };
  for (const auto &t : tabel) {
    std::vector<uint32_t> l = Liste({c, a, b, oe, d});
    SorterMarkeredeSidst('K', l.data(), 5, &tdakti, &tvakti, nullptr, t.option, 1, maerker.data(), t.maerkeAntal,
                         felter, 1);
    EXPECT_EQ(std::vector<uint32_t>(l.begin() + 1, l.end()), t.forventet) << t.option << " " << t.maerkeAntal;
  }
}

TEST_F(FeltSortering, FieldListKeepsCaseAndAlwaysDanish) {
  const uint32_t lille = NyAkti("abe", 1), bil = NyAkti("Bil", 2), stor = NyAkti("Abe", 3), oel = NyAkti("Øl", 4),
                 zoo = NyAkti("Zoo", 5), aeg = NyAkti("Æg", 6), aa = NyAkti("Åen", 7);
  const uint32_t felter[] = {1, 0};
  std::vector<uint32_t> l = Liste({lille, oel, bil, aa, stor, zoo, aeg});
  SorterPaaFeltListe(l.data(), 7, &tdakti, &tvakti, felter, 2);
  // Capitals before small letters, the Danish capitals after Z as Æ Ø Å,
  // and the small letters last.
  EXPECT_EQ(std::vector<uint32_t>(l.begin() + 1, l.end()), (std::vector<uint32_t>{stor, bil, zoo, aeg, oel, aa, lille}));

  // The same list upper-cased by SorterPaaFelter: "abe" and "Abe" tie on
  // the name and the number decides.
  l = Liste({lille, oel, bil, aa, stor, zoo, aeg});
  SorterPaaFelter('K', l.data(), 7, &tdakti, &tvakti, nullptr, 0, 1, {1, 0});
  EXPECT_EQ(std::vector<uint32_t>(l.begin() + 1, l.end()), (std::vector<uint32_t>{lille, stor, bil, zoo, aeg, oel, aa}));
}

TEST_F(FeltSortering, EdgesOfTheList) {
  const uint32_t b = NyAkti("Bro", 1), a = NyAkti("Anker", 2);
  // A list of one, even of a record beyond the table, stays as it is.
  std::vector<uint32_t> l = {0, 0x7FFFFFFFu};
  SorterPaaFelter('K', l.data(), 1, &tdakti, &tvakti, nullptr, SORT_FALDENDE, 1, {1});
  EXPECT_EQ(l[1], 0x7FFFFFFFu);
  // Entry 0 is not part of the list, whatever it holds.
  l = {b, b, a};
  SorterPaaFelter('K', l.data(), 2, &tdakti, &tvakti, nullptr, 0, 1, {1});
  EXPECT_EQ(l, (std::vector<uint32_t>{b, a, b}));

  // Record numbers at and far beyond the table's count have empty texts and
  // sort first; their keys take no room beside the list's own.
  const uint32_t forbi = tvakti.wRecCnt;
  for (uint32_t fjern : {forbi, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    l = Liste({b, fjern, a});
    SorterPaaFelter('K', l.data(), 3, &tdakti, &tvakti, nullptr, 0, 1, {1, 0});
    EXPECT_EQ(std::vector<uint32_t>(l.begin() + 1, l.end()), (std::vector<uint32_t>{fjern, a, b})) << fjern;
    l = Liste({b, fjern, a});
    const uint32_t felter[] = {1};
    SorterMarkeredeSidst('K', l.data(), 3, &tdakti, &tvakti, nullptr, 0, 1, nullptr, 0, felter, 1);
    EXPECT_EQ(std::vector<uint32_t>(l.begin() + 1, l.end()), (std::vector<uint32_t>{fjern, a, b})) << fjern;
  }
}

// ---- The small school end to end ----

class FeltSorteringSkole : public ::testing::Test {
 protected:
  std::filesystem::path rod;

  void SetUp() override {
    char skabelon[] = "/tmp/feltsort_test_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod = skabelon;
    SkoleStoerrelse lille{};
    ASSERT_TRUE(SkoleStoerrelseFraNavn("small", &lille));
    std::string fejl;
    ASSERT_EQ(LavSkoleData((rod / "skole").c_str(), lille, 7, &fejl), 0) << fejl;
    ASSERT_TRUE(SaetSkoleMappe(DataMappeNavn(rod / "skole").c_str()));
  }
  void TearDown() override {
    TomSkemabeg();
    TomTimoak();
    TomUdplatim();
    TomHontim();
    FrigivAlle();
    std::filesystem::remove_all(rod);
  }

  // The live records of a table, in record order.
  static std::vector<uint32_t> Levende(const TabDesc &td, const TabVar &tv) {
    std::vector<uint32_t> l(1, 0);
    for (uint32_t n = 1; n < tv.wRecCnt; ++n) {
      const uint8_t s = RecStatus(&td, tv.pbTab + static_cast<size_t>(n) * td.RecSize);
      if (s >= 10 && s <= 29) l.push_back(n);
    }
    return l;
  }
};

struct NavnNr {
  std::string navn;
  uint32_t nr;
};

// Consecutive entries in order by name under the Danish rule (upper case
// alike), then by number; reversed when descending.
void KontrollerOrden(const std::vector<NavnNr> &v, bool faldende, const char *hvad) {
  ASSERT_GE(v.size(), 2u) << hvad;
  for (size_t i = 1; i < v.size(); ++i) {
    const NavnNr &a = faldende ? v[i] : v[i - 1];
    const NavnNr &b = faldende ? v[i - 1] : v[i];
    const int c = DanskSammenlign(a.navn, b.navn);
    EXPECT_TRUE(c < 0 || (c == 0 && a.nr < b.nr))
        << hvad << (faldende ? " descending" : " ascending") << " at " << i << ": " << a.navn << " " << a.nr
        << " / " << b.navn << " " << b.nr;
  }
}

TEST_F(FeltSorteringSkole, ActivitiesAndEmploymentsByNameThenNumber) {
  for (uint32_t option : {0u, SORT_FALDENDE}) {
    std::vector<uint32_t> l = Levende(tdakti, tvakti);
    const uint32_t antal = static_cast<uint32_t>(l.size() - 1);
    SorterPaaFelter('K', l.data(), antal, &tdakti, &tvakti, nullptr, option, 1, {1, 0});
    std::vector<NavnNr> v;
    for (uint32_t i = 1; i <= antal; ++i) {
      const AktiRec *r = Rec<AktiRec>(tvakti, l[i]);
      const uint32_t id = r->id;
      v.push_back({std::string(r->Aktivitet, strnlen(r->Aktivitet, sizeof r->Aktivitet)), id});
    }
    KontrollerOrden(v, option == SORT_FALDENDE, "activities");

    l = Levende(tdanfo, tvanfo);
    const uint32_t anfoAntal = static_cast<uint32_t>(l.size() - 1);
    SorterPaaFelter('M', l.data(), anfoAntal, &tdanfo, &tvanfo, nullptr, option, 1, {1, 0});
    v.clear();
    for (uint32_t i = 1; i <= anfoAntal; ++i) {
      const AnfoRec *r = Rec<AnfoRec>(tvanfo, l[i]);
      const uint32_t meda = r->meda_id;
      ASSERT_LT(meda, tvmeda.wRecCnt);
      const MedaRec *m = Rec<MedaRec>(tvmeda, meda);
      const uint32_t id = r->id;
      v.push_back({std::string(m->Initialer, strnlen(m->Initialer, sizeof m->Initialer)), id});
    }
    KontrollerOrden(v, option == SORT_FALDENDE, "employments");
  }
}

}  // namespace
