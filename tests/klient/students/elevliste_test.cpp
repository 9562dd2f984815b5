// The list helpers: the ";" splitter of the text files, the id of a new
// wish, and the four-column row sort checked against an independent sort.
#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ELEVLISTE.h"
#include "elev_fixture.h"

using namespace eleventest;

namespace {

TEST(ElevListeSemikolon, FieldsOfALine) {
  const std::string x99(99, 'x'), x100(100, 'x');
  struct {
    const char *Linje;
    int Kapacitet;
    int Antal;
    std::vector<std::string> Felter;
    bool Afkortet;
  } const tilfaelde[] = {
      {"", 6, 0, {}, false},
      {"1;2;", 6, 2, {"1", "2"}, false},             // a last ';' adds no field
      {"1;;2", 6, 3, {"1", "", "2"}, false},         // an empty middle field counts
      {";", 6, 1, {""}, false},
      {";;", 6, 2, {"", ""}, false},
      {"501;0;0;202634\n", 6, 4, {"501", "0", "0", "202634\n"}, false},  // newline kept
      {"a;b;c;", 3, 3, {"a", "b", "c"}, false},      // full, the last ';' is no field
      {"a;b;c;d", 3, -1, {"a", "b", "c"}, false},    // one field too many: refused
      {"a;b;c;d;e;f;g;h", 6, -1, {"a", "b", "c", "d", "e", "f"}, false},
      {nullptr, 6, 0, {}, false},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Linje ? t.Linje : "(null)");
    ElevFelt felter[6];
    memset(felter, '#', sizeof felter);
    bool afkortet = true;
    EXPECT_EQ(DelSemikolonFelter(felter, t.Kapacitet, t.Linje, &afkortet), t.Antal);
    EXPECT_EQ(afkortet, t.Afkortet);
    for (size_t i = 0; i < t.Felter.size(); ++i) EXPECT_EQ(felter[i], t.Felter[i]) << i;
  }

  // A field of 99 characters fits its slot; one of 100 is cut to 99 and
  // said to be cut, the next field still found.
  ElevFelt felter[6];
  bool afkortet = true;
  EXPECT_EQ(DelSemikolonFelter(felter, 6, (x99 + ";1").c_str(), &afkortet), 2);
  EXPECT_FALSE(afkortet);
  EXPECT_EQ(felter[0], x99);
  EXPECT_EQ(DelSemikolonFelter(felter, 6, (x100 + ";1").c_str(), &afkortet), 2);
  EXPECT_TRUE(afkortet);
  EXPECT_EQ(felter[0], x99);
  EXPECT_STREQ(felter[1], "1");
  EXPECT_EQ(DelSemikolonFelter(felter, 6, std::string(5000, 'y').c_str()), 1);
  EXPECT_EQ(strlen(felter[0]), 99u);
}

class ElevListeEvId : public ElevMappe {};

TEST_F(ElevListeEvId, OneAboveTheLargestOwnIdOfAnyRecord) {
  struct {
    const char *Navn;
    std::vector<IdStatus> Recs;
    uint32_t Forventet;
  } const tilfaelde[] = {
      {"no record", {}, EGNE_ID_START},
      {"only Elevplan ids", {{5, 10}, {2137483646, 10}}, EGNE_ID_START},
      {"live own ids", {{2137483650, 10}, {2137483647, 20}, {7, 10}}, 2137483651},
      {"a deleted wish keeps its id", {{2137483650, 10}, {2137483700, 30}}, 2137483701},
      {"a pending wish keeps its id", {{2137483650, 10}, {2137483800, 220}}, 2137483801},
      {"an old version keeps its id", {{2137483650, 10}, {2137483900, 110}}, 2137483901},
      {"ids used up", {{UINT32_MAX, 10}}, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    ResetTab(&tdev, &tvev, 1);
    for (const IdStatus &r : t.Recs) NyEv(r.id, r.Status);
    EXPECT_EQ(NaesteEvId(), t.Forventet);
  }
  // A zeroed record holds no id.
  ResetTab(&tdev, &tvev, 1);
  NyEv(2137483660, 10);
  const uint32_t r = NyEv(2137483990, 10);
  DelRec(&tdev, &tvev, r);
  EXPECT_EQ(NaesteEvId(), 2137483661u);
}

// ---- The row sort ----

// Rows are record numbers of a made-up list: a text and a number column.
struct Liste {
  std::map<uint32_t, std::string> Navn;   // by row value
  std::map<uint32_t, std::string> Tal;
  std::vector<uint32_t> Raekker;          // 1-based, [0] unused
  std::vector<uint32_t> Spurgt;           // the passed values of each call
  char Art = 'X';
};

constexpr int KOL_NAVN = 1, KOL_TAL = 2;

const char *Tekst(void *ctx, int kode, uint32_t v1, uint32_t v2, uint32_t v3) {
  auto *l = static_cast<Liste *>(ctx);
  const uint32_t i = l->Art == 'X' ? v1 : l->Art == 'Y' ? v2 : v3;
  l->Spurgt.insert(l->Spurgt.end(), {v1, v2, v3});
  const uint32_t r = l->Raekker.at(i);
  return (kode == KOL_NAVN ? l->Navn : l->Tal)[r].c_str();
}

uint32_t Bredde(void *, int kode, bool *pTekst) {
  *pTekst = kode == KOL_NAVN;
  return kode == KOL_NAVN ? 6 : 3;
}

std::vector<std::string> Navne(const Liste &l) {
  std::vector<std::string> v;
  for (size_t i = 1; i < l.Raekker.size(); ++i) v.push_back(l.Navn.at(l.Raekker[i]));
  return v;
}

void Sorter(Liste &l, const std::vector<int> &kol, int flag) {
  int felter[ELEVSORT_FELTER] = {};
  std::copy(kol.begin(), kol.end(), felter);
  SorterElevRaekker(Tekst, Bredde, &l, felter, l.Art, 11, 22, 33, l.Raekker.data(),
                    static_cast<uint32_t>(l.Raekker.size() - 1), flag);
}

TEST(ElevListeSorter, DanishLetterOrderAndTheReverse) {
  Liste l;
  const char *navne[] = {"Åse", "Zenia", "Ærø", "Anders", "Øster", "Bo"};
  // Row values far apart and far above the count.
  const uint32_t vaerdier[] = {70000, 3, 512, 9, 40000, 1};
  l.Raekker.push_back(0);
  for (size_t i = 0; i < std::size(navne); ++i) {
    l.Navn[vaerdier[i]] = navne[i];
    l.Tal[vaerdier[i]] = "0";
    l.Raekker.push_back(vaerdier[i]);
  }
  Sorter(l, {KOL_NAVN}, 0);
  const std::vector<std::string> stigende = {"Anders", "Bo", "Zenia", "Ærø", "Øster", "Åse"};
  EXPECT_EQ(Navne(l), stigende);
  Sorter(l, {KOL_NAVN}, ELEVSORT_FALDENDE);
  EXPECT_EQ(Navne(l), std::vector<std::string>(stigende.rbegin(), stigende.rend()));
}

TEST(ElevListeSorter, RowKindPassesThePositionInItsPlace) {
  for (char art : {'X', 'Y', 'Z'}) {
    Liste l;
    l.Art = art;
    l.Raekker = {0, 8, 4};
    l.Navn = {{8, "b"}, {4, "a"}};
    Sorter(l, {KOL_NAVN}, 0);
    EXPECT_EQ(Navne(l), (std::vector<std::string>{"a", "b"})) << art;
    const size_t plads = art == 'X' ? 0 : art == 'Y' ? 1 : 2;
    ASSERT_EQ(l.Spurgt.size(), 6u);
    for (size_t k = 0; k < 2; ++k) {
      const uint32_t *v = &l.Spurgt[k * 3];
      for (size_t p = 0; p < 3; ++p)
        EXPECT_EQ(v[p], p == plads ? k + 1 : (p + 1) * 11u) << art << " call " << k;
    }
  }
  // Fewer than two rows: nothing is asked, nothing moves.
  Liste l;
  l.Raekker = {0, 5};
  l.Navn = {{5, "x"}};
  Sorter(l, {KOL_NAVN}, 0);
  EXPECT_TRUE(l.Spurgt.empty());
}

// The Danish letter order written out as an alphabet: an oracle that does
// not go through the sort-letter conversion.
int Rang(unsigned char c) {
  static const std::string alfabet =
      " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC6\xD8\xC5"
      "abcdefghijklmnopqrstuvwxyz\xE6\xF8\xE5";
  if (c == 0) return -1;
  const size_t p = alfabet.find(static_cast<char>(c));
  return p == std::string::npos ? 1000 + c : static_cast<int>(p);
}

std::vector<int> Noegle(const std::string &s, size_t bredde) {
  std::vector<int> n(bredde, -1);
  for (size_t i = 0; i < bredde && i < s.size(); ++i) n[i] = Rang(static_cast<unsigned char>(s[i]));
  return n;
}

TEST(ElevListeSorter, TwoColumnsCutToTheirWidthsAgainstAnOracle) {
  std::mt19937 rnd(4711);
  const char *stykker[] = {"A", "a", "Æ", "æ", "Ø", "ø", "Å", "å", "Z", "z", "M", " ", "7"};
  for (int runde = 0; runde < 20; ++runde) {
    Liste l;
    l.Raekker.push_back(0);
    const uint32_t antal = 2 + rnd() % 150;
    for (uint32_t i = 0; i < antal; ++i) {
      uint32_t v;
      do v = rnd() % 5000; while (l.Navn.count(v));
      std::string navn;
      for (uint32_t k = rnd() % 9; k > 0; --k) navn += stykker[rnd() % std::size(stykker)];
      l.Navn[v] = navn;
      l.Tal[v] = std::to_string(rnd() % 1000);
      l.Raekker.push_back(v);
    }
    auto noegle = [&](uint32_t v) {
      std::vector<int> k = Noegle(l.Navn[v], 6), t = Noegle(l.Tal[v], 3);
      k.insert(k.end(), t.begin(), t.end());
      return k;
    };
    std::vector<uint32_t> forventet(l.Raekker.begin() + 1, l.Raekker.end());
    std::stable_sort(forventet.begin(), forventet.end(),
                     [&](uint32_t a, uint32_t b) { return noegle(a) < noegle(b); });
    const int flag = runde % 2 ? ELEVSORT_FALDENDE : 0;
    if (flag) std::reverse(forventet.begin(), forventet.end());

    Sorter(l, {KOL_NAVN, 0, KOL_TAL}, flag);
    // Rows with equal keys may come in either order: compare the keys.
    ASSERT_EQ(l.Raekker.size(), antal + 1);
    for (uint32_t i = 0; i < antal; ++i)
      EXPECT_EQ(noegle(l.Raekker[i + 1]), noegle(forventet[i])) << "round " << runde << " row " << i;
  }
}

}  // namespace

namespace {

TEST(ElevListeFarve, TextColourByBackground) {
  struct {
    uint8_t Baggrund, Kalder, Forventet;
  } const tilfaelde[] = {
      // The cell's own colour stands on 0 and 42.
      {0, 5, 5}, {0, 16, 16}, {42, 7, 7},
      // Light, middle and dark backgrounds, whatever the cell asked for.
      {3, 5, 16}, {33, 8, 16}, {39, 0, 16}, {57, 3, 16},
      {1, 5, 17}, {31, 16, 17}, {37, 8, 17}, {58, 8, 17},
      {2, 5, 19}, {29, 16, 19}, {38, 8, 19}, {59, 3, 19},
      // 36 keeps five colours of the cell's, else 5.
      {36, 3, 3}, {36, 7, 7}, {36, 8, 8}, {36, 10, 10}, {36, 12, 12}, {36, 16, 5}, {36, 4, 5},
      // 46 keeps 8, else black.
      {46, 8, 8}, {46, 7, 16}, {46, 16, 16},
      // Every other index, and the indexes drawn black.
      {7, 5, 16}, {8, 5, 16}, {30, 5, 16}, {45, 8, 16}, {60, 5, 16}, {255, 8, 16},
  };
  for (const auto &t : tilfaelde)
    EXPECT_EQ(ElevRaekkeTekstFarve(t.Baggrund, t.Kalder), t.Forventet)
        << int{t.Baggrund} << " " << int{t.Kalder};
  // The sets of three up to 29 (7 and 8 are no set's): n % 3 gives the
  // shade.
  for (uint8_t b = 1; b <= 29; ++b) {
    if (b == 7 || b == 8) continue;
    EXPECT_EQ(ElevRaekkeTekstFarve(b, 99), b % 3 == 0 ? 16 : b % 3 == 1 ? 17 : 19) << int{b};
  }
}

}  // namespace
