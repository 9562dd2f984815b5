// The line reader of the import files and their section importer, given a
// buffer smaller than the import file's: a line longer than the buffer is
// one line, cut, whatever its bytes, and its rest never reads as a line of
// its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "IMPORT.h"
#include "ImpTabel.h"

namespace {

std::vector<std::string> Linjer(const std::string &tekst, size_t n) {
  FILE *f = fmemopen(const_cast<char *>(tekst.data()), tekst.size(), "rb");
  EXPECT_NE(f, nullptr);
  std::vector<char> buf(n + 8, 'z');
  std::vector<std::string> ud;
  while (LaesImportLinje(f, buf.data(), n)) ud.emplace_back(buf.data(), strnlen(buf.data(), n));
  EXPECT_EQ(buf[0], '\0');
  // Nothing written past the buffer.
  for (size_t i = n; i < buf.size(); ++i) EXPECT_EQ(buf[i], 'z');
  fclose(f);
  return ud;
}

TEST(ImportLinje, LinesLongerThanTheBufferAreCutAndTheirRestDropped) {
  const struct {
    const char *navn;
    std::string tekst;
    std::vector<std::string> linjer;
  } tabel[] = {
      {"short lines", "ab\ncd\n", {"ab\n", "cd\n"}},
      {"last line without its end", "ab\ncd", {"ab\n", "cd"}},
      {"exactly full with its end", "abcdefg\nx\n", {"abcdefg", "x\n"}},
      {"one over", "abcdefgh\nx\n", {"abcdefg", "x\n"}},
      {"long, rest like a header", "abcdefg@tg;1;2\n@la\n", {"abcdefg", "@la\n"}},
      {"long at the end of the file", "x\nabcdefghijk", {"x\n", "abcdefg"}},
      {"zero bytes inside", std::string("a\0b\ncd\n", 7), {"a", "cd\n"}},
      {"zero bytes in a long line", std::string("a\0bcdefghij\nk\n", 14), {"a", "k\n"}},
      {"empty file", "", {}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    EXPECT_EQ(Linjer(t.tekst, 8), t.linjer);
  }
}

TEST(ImportLinje, TheSectionImporterReadsIntoTheBufferItIsGiven) {
  std::string tekst = "@ukendt\n" + std::string(511, 'x') + "@tg\n#slut\n";
  FILE *f = fmemopen(tekst.data(), tekst.size(), "rb");
  ASSERT_NE(f, nullptr);
  char linje[512 + 8];
  memset(linje, 'z', sizeof linje);
  ASSERT_TRUE(LaesImportLinje(f, linje, 512));
  // No table: the lines are passed by up to the next header.
  char *svar = ImportTabelSektion(f, nullptr, linje, 'C', nullptr, nullptr, nullptr, 0, 512);
  ASSERT_EQ(svar, linje);
  EXPECT_STREQ(linje, "#slut\n");
  for (size_t i = 512; i < sizeof linje; ++i) EXPECT_EQ(linje[i], 'z');
  fclose(f);
}

}  // namespace
