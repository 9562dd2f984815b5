// Random lines against the parser, the error text and the status line: no
// input may crash or write outside its record (run under the sanitizers).
#include <random>
#include <string>
#include <vector>

#include "import_fixture.h"

namespace importtest {
namespace {

class Fuzz : public Import {
 protected:
  std::mt19937 rng{20261209};

  size_t Tal(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); }

  std::string Felt() {
    static const char *const kFaste[] = {
        "", "0", "J", "N", "j", "-", "-1", "20240229", "20230229", "99999999", "4294967296",
        "-2147483649", "1e39", "1.5", "2,25", "nan", "inf", "0x1F", "  7 ", "999999999", "15",
        "1,2,3,4,5,6,7,8,9,10", "@", "\xE6\xF8\xE5"};
    switch (Tal(4)) {
      case 0:
        return kFaste[Tal(std::size(kFaste))];
      case 1:
        return std::to_string(static_cast<int64_t>(rng()) - (int64_t(1) << 31));
      case 2:
        return std::string(Tal(3) * KALDAG_UGER + Tal(3), static_cast<char>('A' + Tal(3)));
      default: {
        std::string s(Tal(70), ' ');
        for (char &c : s) c = static_cast<char>(1 + Tal(255));
        return s;
      }
    }
  }

  std::string Linje() {
    std::string s;
    const size_t felter = Tal(80);
    for (size_t i = 0; i < felter; ++i) s += (i ? ";" : "") + Felt();
    return s;
  }
};

TEST_F(Fuzz, RandomLinesNeverCrash) {
  std::vector<const TabDesc *> tabeller;
  std::vector<TabVar *> vars;
  for (uint8_t t : {'K', 'M', 'E', 'L', 'U', 'k', '-', 'R', 'G', 'D'}) {
    const TabDesc *pTd;
    TabVar *pTv;
    ASSERT_EQ(TabFromType(t, &pTd, &pTv), 0);
    tabeller.push_back(pTd);
    vars.push_back(pTv);
  }
  tabeller.push_back(&tdtst);
  vars.push_back(&tvtst);

  FILE *log = tmpfile();
  ASSERT_NE(log, nullptr);
  ImportStatus st{};
  int fejl = 0;
  for (int i = 0; i < 3000; ++i) {
    if (i % 500 == 0) TomAlle();
    const size_t t = Tal(tabeller.size());
    const std::string linje = Linje();
    const char bogstav = "ABCFLSUPX"[Tal(9)];
    const int kode = ImportRecordLine(linje.c_str(), bogstav, tabeller[t], vars[t],
                                      Tal(2) ? &st : nullptr, static_cast<int>(Tal(2)));
    if (kode != 0) {
      ++fejl;
      ImportFejlTekst(log, static_cast<uint32_t>(i), linje.c_str(), linje.c_str(), kode,
                      tabeller[t]);
    }
    ImportFejlTekst(log, 1, "x", linje.c_str(), static_cast<int>(rng()), tabeller[t]);
    ParseFeltVaerdi(tabeller[t], linje.c_str());
    if (i % 50 == 0) rewind(log);
  }
  fclose(log);
  EXPECT_GT(fejl, 0);
  EXPECT_GT(st.Antal['t'] + st.Antal['K'] + st.Antal['-'], 0u);
}

TEST_F(Fuzz, RandomStatusLinesNeverCrash) {
  char linje[IMPORT_LINJE_LEN];
  for (int i = 0; i < 300; ++i) {
    FILE *f = tmpfile();
    ASSERT_NE(f, nullptr);
    std::string s = Linje();
    if (Tal(3) == 0) s += std::string(3000, ';');
    fwrite(s.data(), 1, s.size(), f);
    rewind(f);
    ImportStatus st;
    const int r = LaesImportStatus(f, linje, &st);
    EXPECT_TRUE(r == 0 || r == -1);
    EXPECT_LT(strlen(linje), size_t(IMPORT_LINJE_LEN));
    fclose(f);
  }
}

}  // namespace
}  // namespace importtest
