#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FELTTEKST.h"
#include "KATALOG.h"
#include "TABOPER.h"
#include "pred_tabeller.h"

namespace {

TEST(FormatLongFelt, WidthsSignsAndOverflow) {
  struct {
    uint32_t w;
    int32_t v;
    const char *ud;
  } tabel[] = {
      {3, 999, "999"},     {3, 1000, "###"},     {3, -99, "-99"},     {3, -100, "###"},
      {2, 99, "99"},       {2, 100, "##"},       {2, -9, "-9"},       {2, -10, "##"},
      {4, 9999, "9999"},   {4, 10000, "####"},   {4, -999, "-999"},   {4, -1000, "####"},
      {5, 7, "    7"},     {5, -7, "   -7"},     {6, 1000000, "######"},
      {9, 999999999, "999999999"},               {9, 1000000000, "#########"},
      {9, -99999999, "-99999999"},               {9, -100000000, "#########"},
      {9, INT32_MIN, "#########"},                {9, INT32_MAX, "#########"},
      // Outside 2..9 a value keeps all its digits.
      {1, 123, "123"},     {10, INT32_MIN, "-2147483648"},                {0, -5, "-5"},
  };
  for (const auto &t : tabel) {
    char buf[32];
    EXPECT_STREQ(FormatLongFelt(buf, sizeof buf, t.w, t.v), t.ud) << t.w << " " << t.v;
  }
}

TEST(FormatLongFelt, NeverWritesPastItsBuffer) {
  char buf[8];
  memset(buf, 'x', sizeof buf);
  FormatLongFelt(buf, 4, 9, 12);  // "       12" cut to 3 characters
  EXPECT_STREQ(buf, "   ");
  EXPECT_EQ(buf[4], 'x');
  FormatLongFelt(buf, 4, 6, 9999999);
  EXPECT_STREQ(buf, "###");
  EXPECT_EQ(buf[4], 'x');
}

TEST(FormatKommaTekst, RoundsHalfAwayFromZeroWithDecimalComma) {
  struct {
    int w, d;
    double v;
    const char *ud;
  } tabel[] = {
      {4, 2, 12.345f, "  12,35"},  // f32 as stored
      {4, 2, -0.004, "   0,00"},
      {4, 2, 0.125, "   0,13"},
      {4, 2, -0.125, "  -0,13"},  // the minus of a value above -1 stays
      {4, 1, -0.05, "  -0,1"},
      {4, 1, -1.25, "  -1,3"},
      {3, 0, 2.5, "  3"},
      {3, 0, -2.5, " -3"},
      {2, 3, 1.0005, " 1,001"},
      {1, 2, 1234.5, "1234,50"},  // a wide whole part is not cut
  };
  for (const auto &t : tabel) {
    char buf[32];
    EXPECT_STREQ(FormatKommaTekst(buf, sizeof buf, t.w, t.d, t.v), t.ud) << t.v;
  }
}

#pragma pack(push, 1)
struct TestRec {
  uint32_t id;        // 0
  char Navn[16];      // 4
  char Tegn;          // 20
  char JaNej;         // 21
  uint8_t Lille;      // 22
  int32_t I4;         // 23
  uint32_t U5;        // 27
  int32_t H6;         // 31
  uint32_t Id7;       // 35
  int32_t Int8;       // 39
  float Tal;          // 43
  double Stempel;     // 47
  uint32_t Peger;     // 55
  uint8_t Uger[53];   // 59
  char Tre[3];        // 112
  float Tal0;         // 115
};
#pragma pack(pop)

// A made-up table holding one field of every type.
TabDesc LavTestDesc() {
  TabDesc td{};
  td.Navn = "test";
  td.RecSize = sizeof(TestRec);
  auto saet = [&](int i, uint8_t type, uint8_t size, uint8_t antal, uint8_t bredde, uint8_t dec, uint32_t off) {
    td.FeltTab[i].Type = type;
    td.FeltTab[i].Size = size;
    td.FeltTab[i].Antal = antal;
    td.FeltTab[i].Bredde = bredde;
    td.FeltTab[i].Decimaler = dec;
    td.FeltTab[i].Offset = off;
  };
  saet(0, FT_ID, 4, 1, 6, 0, 0);
  saet(1, FT_TEKST, 16, 1, 15, 0, 4);
  saet(2, FT_CHAR, 1, 1, 1, 0, 20);
  saet(3, FT_JANEJ, 1, 1, 1, 0, 21);
  saet(4, FT_U8, 1, 1, 3, 0, 22);
  saet(5, FT_I32, 4, 1, 7, 0, 23);
  saet(6, FT_U32, 4, 1, 7, 0, 27);
  saet(7, FT_HELTAL, 4, 1, 7, 0, 31);
  saet(8, FT_ID, 4, 1, 7, 0, 35);
  saet(9, FT_INT, 4, 1, 7, 0, 39);
  saet(10, FT_FLOAT, 4, 1, 6, 2, 43);
  saet(11, FT_DOUBLE, 8, 1, 9, 0, 47);
  saet(12, FT_PEGER, 4, 1, 4, 0, 55);
  saet(13, FT_U8, 1, 53, 3, 0, 59);
  saet(14, FT_CHAR, 1, 3, 1, 0, 112);
  saet(15, FT_FLOAT, 4, 0, 6, 0, 115);  // repeat count 0 counts as 1
  td.AntalFelter = 16;
  return td;
}

TEST(FeltTekst, EveryTypeCode) {
  const TabDesc td = LavTestDesc();
  TestRec recs[2] = {};
  TestRec &r = recs[1];
  r.id = 7;
  strcpy(r.Navn, "Anker");
  r.Tegn = 'x';
  r.JaNej = 'J';
  r.Lille = 200;
  r.I4 = -42;
  r.U5 = 4000000000u;
  r.H6 = -1234567;
  r.Id7 = 20240131;
  r.Int8 = 5;
  r.Tal = 12.345f;
  r.Stempel = -2.5;
  r.Peger = 1;
  for (int i = 0; i < 53; ++i) r.Uger[i] = static_cast<uint8_t>(i);
  memcpy(r.Tre, "abc", 3);
  r.Tal0 = 3.5f;
  TabVar tv{};
  tv.pbTab = reinterpret_cast<uint8_t *>(recs);
  tv.wRecCnt = 2;

  struct {
    uint8_t felt;
    uint32_t bredde;
    const char *tekst;
  } tabel[] = {
      {0, 8, "       7"},
      {1, 15, "Anker          "},
      {2, 1, "x"},
      {3, 1, "J"},
      {4, 3, "200"},
      {5, 5, "  -42"},
      {6, 5, "4000000000"},
      {7, 8, "-1234567"},
      {8, 8, "20240131"},
      {9, 7, ""},
      {10, 6, "  12,35"},
      {11, 9, "       -3"},
      {12, 4, ""},
      {13, 159, " 52"},  // a week table shows its last element
      {14, 3, "abc"},
      {15, 6, "     4"},
  };
  for (const auto &t : tabel) {
    EXPECT_EQ(FeltBredde(&td, t.felt, 1), t.bredde) << int(t.felt);
    EXPECT_EQ(std::string(FeltTilTekst(&td, &tv, 1, t.felt)), t.tekst) << int(t.felt);
  }
}

TEST(FeltTekst, MissingRecordsAndFieldsGiveNothing) {
  const TabDesc td = LavTestDesc();
  TestRec recs[2] = {};
  strcpy(recs[1].Navn, "Anker");
  TabVar tv{};
  tv.pbTab = reinterpret_cast<uint8_t *>(recs);
  tv.wRecCnt = 2;
  EXPECT_STREQ(FeltTilTekst(&td, &tv, 2, 1), "");
  EXPECT_STREQ(FeltTilTekst(&td, &tv, 0xFFFFFFFFu, 1), "");
  EXPECT_STREQ(FeltTilTekst(&td, &tv, 1, 59), "");  // an unused slot
  TabVar tom{};
  EXPECT_STREQ(FeltTilTekst(&td, &tom, 0, 1), "");
  tom.wRecCnt = 3;  // a count without records
  EXPECT_STREQ(FeltTilTekst(&td, &tom, 1, 1), "");
  EXPECT_EQ(FeltBredde(&td, 60, 1), 0u);
  // Computed fields have the widths of their own table.
  EXPECT_EQ(FeltBredde(&td, 210, 1), 25u);
  EXPECT_EQ(FeltBredde(nullptr, 255, 0), BeregnetFeltBredde(255));
  EXPECT_EQ(FeltBredde(nullptr, 1, 1), 0u);
}

TEST(FeltTekst, FullTextFieldWithoutTerminatorStaysInside) {
  const TabDesc td = LavTestDesc();
  TestRec recs[2] = {};
  memset(recs[1].Navn, 'Z', sizeof recs[1].Navn);  // no terminator
  TabVar tv{};
  tv.pbTab = reinterpret_cast<uint8_t *>(recs);
  tv.wRecCnt = 2;
  EXPECT_EQ(std::string(FeltTilTekst(&td, &tv, 1, 1)), std::string(15, 'Z'));
}

int FeltNr(const TabDesc &td, const char *navn) {
  for (int i = 0; i < MAXFELT; ++i)
    if (strcmp(td.FeltTab[i].Navn, navn) == 0) return i;
  return -1;
}

TEST(FeltTekst, ForeignKeyShowsTheTargetsNameField) {
  predtest::TommeTabeller();
  const int felt = FeltNr(tdbudt, "akti_id");
  ASSERT_GE(felt, 0);
  EXPECT_EQ(FeltBredde(&tdbudt, felt, 1), 15u);  // akti field 1 is a 16-byte text
  EXPECT_EQ(FeltBredde(&tdbudt, felt, 0), 8u);   // not followed: its own type

  AktiRec a{};
  a.id = 501;
  strcpy(a.Aktivitet, "Dansk");
  const uint32_t akti = predtest::Ny(tdakti, tvakti, a);
  BudtRec b{};
  b.Status = 10;
  b.akti_id = akti;
  const uint32_t budt = predtest::Ny(tdbudt, tvbudt, b);
  b.akti_id = tvakti.wRecCnt;  // past the end
  const uint32_t skaev = predtest::Ny(tdbudt, tvbudt, b);
  ASSERT_NE(budt, 0u);
  EXPECT_EQ(std::string(FeltTilTekst(&tdbudt, &tvbudt, budt, static_cast<uint8_t>(felt))), "Dansk          ");
  EXPECT_STREQ(FeltTilTekst(&tdbudt, &tvbudt, skaev, static_cast<uint8_t>(felt)), "");
  predtest::FrigivAlle();
}

TEST(FeltTekst, ForeignKeyToAMissingTableIsEmpty) {
  TabDesc td = LavTestDesc();
  td.FeltTab[8].Ref = 128;  // no table has this number
  TestRec recs[2] = {};
  recs[1].Id7 = 1;
  TabVar tv{};
  tv.pbTab = reinterpret_cast<uint8_t *>(recs);
  tv.wRecCnt = 2;
  const TabDesc *p = nullptr;
  TabVar *pv = nullptr;
  ASSERT_NE(TabFromNr(128, &p, &pv), 0);
  EXPECT_EQ(FeltBredde(&td, 8, 1), 0u);
  EXPECT_STREQ(FeltTilTekst(&td, &tv, 1, 8), "");
}

}  // namespace
