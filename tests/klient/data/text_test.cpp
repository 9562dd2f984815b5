#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TEKST.h"

namespace {

struct Tilfaelde {
  void (*rutine)(char *);
  const char *ind;
  const char *ud;
};

void CommaToPointVoid(char *t) { CommaToPoint(t); }

TEST(Tekst, RoutinesInPlace) {
  const Tilfaelde tabel[] = {
      {StripBlanks, " a b  c ", "abc"},
      {StripBlanks, "", ""},
      {StripBlanks, "abc", "abc"},
      {StripCrLf, "a\r\nb\n\rc\r\n", "abc"},
      {CommaToPointVoid, "1,5", "1.5"},
      {CommaToPointVoid, "1,234,50", "1,234.50"},  // only the last comma
      {CommaToPointVoid, "12", "12"},
      {TrimStr, " \t\"ord\" ", "ord"},
      {TrimStr, "  \"\" \" ", ""},
      {TrimStr, "\"C:\\Prog\\\"", "C:\\Prog\\"},
      {TrimStr, " \xE6" "bler\xE5 ", "\xE6" "bler\xE5"},  // 1252 letters are text
      {TrimStr, "a b", "a b"},
      {KeepDigits, "tlf. 12 34-56 78", "12345678"},
      {KeepDigits, "", ""},
      {KeepDigitsPoint, "kr 1.234,50", "1.23450"},
      {KeepDigitsPoint, "\x80 12.500,75", "12.50075"},  // € sign
  };
  for (const Tilfaelde &t : tabel) {
    char buf[64];
    std::strcpy(buf, t.ind);
    t.rutine(buf);
    EXPECT_STREQ(buf, t.ud) << "input \"" << t.ind << "\"";
  }
}

TEST(Tekst, KeepDigitsServesLongTexts) {
  // More than 127 characters: the positions are sizes, not signed bytes.
  std::string lang;
  std::string forventet;
  for (int i = 0; i < 300; ++i) {
    lang += static_cast<char>('0' + i % 10);
    lang += 'x';
    forventet += static_cast<char>('0' + i % 10);
  }
  std::string kopi = lang;
  KeepDigits(kopi.data());
  EXPECT_STREQ(kopi.c_str(), forventet.c_str());
  kopi = lang;
  KeepDigitsPoint(kopi.data());
  EXPECT_STREQ(kopi.c_str(), forventet.c_str());
}

TEST(Tekst, DanskSortTegnMapsWindows1252Letters) {
  char buf[] = "*\xE6\xF8\xE5\xC6\xD8\xC5zZ\x91\x9B";
  DanskSortTegn(buf, static_cast<int>(sizeof buf - 1));
  EXPECT_EQ(std::string(buf), std::string("\xFF{|}[\\]zZ\x91\x9B"));

  char urort[] = "*\xE6";
  DanskSortTegn(urort, 0);
  DanskSortTegn(urort, -3);
  EXPECT_STREQ(urort, "*\xE6");

  // Only the given number of bytes.
  char delvis[] = "\xE6\xE6";
  DanskSortTegn(delvis, 1);
  EXPECT_STREQ(delvis, "{\xE6");
}

TEST(Tekst, DanishNamesSortAfterZ) {
  const char *navne[] = {"\xC5" "l", "*X", "\xD8" "l", "Zebra", "\xC6" "ble"};
  std::string noegler[5];
  for (int i = 0; i < 5; ++i) {
    char buf[16];
    std::strcpy(buf, navne[i]);
    TilStoreBogstaver(buf);
    DanskSortTegn(buf, static_cast<int>(std::strlen(buf)));
    noegler[i] = buf;
  }
  // Zebra < Æble < Øl < Ål < *X, compared as unsigned bytes.
  const int orden[] = {3, 4, 2, 0, 1};
  for (int i = 0; i + 1 < 5; ++i)
    EXPECT_LT(noegler[orden[i]], noegler[orden[i + 1]])
        << navne[orden[i]] << " / " << navne[orden[i + 1]];
}

TEST(Tekst, UpperCaseForSortKeys) {
  char buf[] = "abz\xE6\xF8\xE5\xE9\xF7" "1";
  TilStoreBogstaver(buf);
  // The division sign is no letter and stays.
  EXPECT_STREQ(buf, "ABZ\xC6\xD8\xC5\xC9\xF7" "1");
}

}  // namespace
