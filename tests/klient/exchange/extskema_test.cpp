// Timetable files of Untis, Lectio, Tabulex and the Extern layout, and the
// conversion files: single lines as a table, the fixture files read whole,
// and what a file decides for the run (the Tabulex week count, the files a
// folder holds).

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "UNTIS.h"

namespace {

namespace fs = std::filesystem;

// What a lesson holds, in a form a failing case prints.
struct Felter {
  std::string Klasse, Laerer, Fag, Lokale;
  uint32_t Dato = 0, Uge = 0, Dag = 0, Lektion = 0, LektionsId = 0, Starttid = 0, Sluttid = 0;
  float Antal = 0;

  bool operator==(const Felter &) const = default;
};

Felter Som(const ImportLektion &l) {
  for (const char *t : {l.Klasse, l.Laerer, l.Fag, l.Lokale})
    EXPECT_LT(strnlen(t, kImportTekstLaengde), size_t(kImportTekstLaengde)) << "unterminated text";
  return {l.Klasse, l.Laerer, l.Fag, l.Lokale, l.Dato, l.Uge, l.Dag, l.Lektion, l.LektionsId, l.Starttid,
          l.Sluttid, l.Antal};
}

std::ostream &operator<<(std::ostream &o, const Felter &l) {
  return o << "{" << l.Klasse << "|" << l.Laerer << "|" << l.Fag << "|" << l.Lokale << " dato " << l.Dato
           << " uge " << l.Uge << " dag " << l.Dag << " lektion " << l.Lektion << " id " << l.LektionsId
           << " tid " << l.Starttid << "-" << l.Sluttid << " antal " << l.Antal << "}";
}

std::string Fixtur(const char *mappe) { return std::string(TAVO_FIXTURES) + "/exchange/extskema/" + mappe; }

// A folder of its own for files a test writes.
class Mappe : public ::testing::Test {
 protected:
  fs::path rod;
  void SetUp() override {
    std::string skabelon = (fs::temp_directory_path() / "extskemaXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(rod, ec);
  }
  void Skriv(const char *navn, const std::string &indhold) {
    std::ofstream(rod / navn, std::ios::binary) << indhold;
  }
  std::string Sti() const { return rod.string(); }
};

}  // namespace

TEST(ExtSkemaFilLinje, EachLayoutTakesItsColumns) {
  const std::string lang(60, 'K');
  const std::string kort(49, 'K');
  struct {
    uint32_t kilde;
    std::string linje;
    bool lektion;
    Felter forventet;
  } const tilfaelde[] = {
      // Quotes around a field disappear; the first column is not read.
      {KILDE_UNTIS, "2b;\"ABC\";MA;\"101\";2;3", true, {"ABC", "MA", "101", "2", 0, 0, 3, 0}},
      {KILDE_UNTIS, "x,1a,,MA", true, {"1a", "", "MA", ""}},
      {KILDE_UNTIS, "\" 1;  1a ;AB ;DA;101;5;7;8;9 \"", true, {"1a", "AB", "DA", "101", 0, 0, 5, 7}},
      {KILDE_UNTIS, "", true, {}},
      {KILDE_UNTIS, "   \t ", true, {}},
      // Only the Extern and Untis-with-dates files know comment lines.
      {KILDE_UNTIS, "'x;1a", true, {"1a"}},
      {KILDE_UNTIS, "1;" + lang + ";AB", true, {kort, "AB"}},
      {KILDE_UNTIS, "1;1a;AB;DA;101;dag;3x", true, {"1a", "AB", "DA", "101", 0, 0, 0, 3}},
      {KILDE_UNTIS_DATO, "AB;2026;1;5;1;\"D A \";1a;101", true, {"1a", "AB", "DA", "101", 20260105, 0, 0, 1}},
      {KILDE_UNTIS_DATO, "'AB;2026;1;5;1;DA;1a;101", false, {}},
      {KILDE_UNTIS_DATO, "", true, {}},
      {KILDE_TABULEX, "1;x;AB;1a;y;101;7;2;;;DA;A", true, {"1a", "AB", "0DAA", "101", 0, 0, 7, 2}},
      {KILDE_TABULEX, "1;x;AB;1a;y;101;7;2;;;DA;-", true, {"1a", "AB", "0DA", "101", 0, 0, 7, 2}},
      {KILDE_TABULEX, "1;x;AB;1a;y;101;7;2;;;MATEM;B", true, {"1a", "AB", "MATEMB", "101", 0, 0, 7, 2}},
      {KILDE_TABULEX, "1;x;AB;1a;y;101;7;2;;;;B", true, {"1a", "AB", "B", "101", 0, 0, 7, 2}},
      {KILDE_TABULEX, "1;x;AB;1a;y;101;7;2;;;" + kort + ";B", true, {"1a", "AB", kort, "101", 0, 0, 7, 2}},
      {KILDE_TABULEX, "[Skema]", false, {}},
      {KILDE_TABULEX, "'x;y;AB", true, {"", "AB"}},
      {KILDE_LECTIO, "1001;1a;AB;DA;101;2;3;5;20260127", true,
       {"1a", "AB", "DA", "101", 20260127, 5, 2, 3, 1001}},
      {KILDE_EXTERN, "1a;DA;AB;101;20260105;2;0855;0940;1.5", true,
       {"1a", "AB", "DA", "101", 20260105, 0, 0, 2, 0, 855, 940, 1.5f}},
      {KILDE_EXTERN, "1a;DA;AB;101;20260105;2;0855;0940;inf", true,
       {"1a", "AB", "DA", "101", 20260105, 0, 0, 2, 0, 855, 940, 0}},
      {KILDE_EXTERN, "'1a;DA;AB;101;20260105;2;0855;0940;1", false, {}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::to_string(t.kilde) + ": " + t.linje);
    ImportLektion l;
    memset(&l, 0x5A, sizeof l);  // whatever the record held before
    ASSERT_EQ(FortolkSkemaLinje(t.linje.c_str(), t.kilde, l), t.lektion);
    if (t.lektion) { EXPECT_EQ(Som(l), t.forventet); }
  }
}

TEST(ExtSkemaFilLinje, NumbersAreReadAsWholeNumbersWithinRange) {
  struct {
    const char *tekst;
    int32_t tal;
  } const tilfaelde[] = {
      {"42", 42},         {"+7", 7},           {"-3", -3},   {"0800", 800},
      {"12x", 12},        {"x12", 0},          {"", 0},      {"99999999999", INT32_MAX},
      {" 5", 5},          {"-99999999999", INT32_MIN},
  };
  for (const auto &t : tilfaelde) EXPECT_EQ(ImportHelTal(t.tekst), t.tal) << t.tekst;
}

using ExtSkemaFilLaes = Mappe;

TEST_F(ExtSkemaFilLaes, ALongLineKeepsItsFirst511CharactersAndNothingElse) {
  // The tail of the first line would have been a lesson of its own.
  std::string foerste = "1;" + std::string(600, 'K') + ";AB;DA;101;1;1";
  std::string anden = "2;1a;" + std::string(505, ' ') + "XY;DA";  // XY lies across character 511
  Skriv("skema.txt", foerste + "\r\n" + anden + "\r\n3;2b;CD;MA;102;3;4\r\n");
  ImportLektioner l;
  ASSERT_EQ(LaesUntisSkema(Sti().c_str(), l, 0), 3u);
  EXPECT_EQ(Som(l[1]), (Felter{std::string(49, 'K')}));
  EXPECT_EQ(Som(l[2]), (Felter{"1a", "X"}));
  EXPECT_EQ(Som(l[3]), (Felter{"2b", "CD", "MA", "102", 0, 0, 3, 4}));
}

TEST_F(ExtSkemaFilLaes, TheTabulexWeekCountComesFromEachFile) {
  struct {
    const char *indhold;
    uint32_t uger;
  } const filer[] = {
      {"1;x;AB;1a;y;101;11;1;;;DA;\r\n1;x;AB;1a;y;101;3;1;;;DA;\r\n", 3},
      {"1;x;AB;1a;y;101;5;1;;;DA;\r\n1;x;AB;1a;y;101;1;1;;;DA;\r\n", 1},  // after a longer file
      {"1;x;AB;1a;y;101;10;1;;;DA;\r\n", 2},
      {"1;x;AB;1a;y;101;-20;1;;;DA;\r\n1;x;AB;1a;y;101;0;1;;;DA;\r\n", 1},
      {"1;x;AB;1a;y;101;2147483647;1;;;DA;\r\n", 429496730},
      {"", 1},
  };
  for (const auto &f : filer) {
    SCOPED_TRACE(f.indhold);
    Skriv("skema.csv", f.indhold);
    ImportLektioner l;
    LaesTabulexSkema(Sti().c_str(), l);
    EXPECT_EQ(TabulexAntalUger, f.uger);
  }
}

TEST_F(ExtSkemaFilLaes, AMissingFileGivesNoLessonsAndAnEmptyArray) {
  ImportLektioner l(5);
  ExtImportIndstillinger ind{};
  snprintf(ind.Mappe, sizeof ind.Mappe, "%s", Sti().c_str());
  snprintf(ind.FilNavn, sizeof ind.FilNavn, "mangler.txt");
  for (auto laes : {+[](ImportLektioner &l, const ExtImportIndstillinger &i) { return LaesUntisSkema(i.Mappe, l, 7); },
                    +[](ImportLektioner &l, const ExtImportIndstillinger &i) { return LaesTabulexSkema(i.Mappe, l); },
                    +[](ImportLektioner &l, const ExtImportIndstillinger &i) { return LaesLectioSkema(i.Mappe, l); },
                    +[](ImportLektioner &l, const ExtImportIndstillinger &i) { return LaesExtSkema(i, l); },
                    +[](ImportLektioner &l, const ExtImportIndstillinger &i) { return LaesUntisDatoSkema(i, l); }}) {
    EXPECT_EQ(laes(l, ind), 0u);
    EXPECT_EQ(l.size(), 1u);
  }
}

TEST_F(ExtSkemaFilLaes, ConversionLinesApplyInTurnToWholeNames) {
  Skriv("skema.txt", "1;1a;AB;DA;101\r\n2;2a;CD;DA;102\r\n3;1ab;EF;MA;1010\r\n4;1A;GH;FY;101\r\n");
  struct {
    const char *fil, *indhold;
    std::vector<std::string> klasser, lokaler, fag;
  } const tilfaelde[] = {
      {"klasser.txt", "1a;2a\r\n2a;3a\r\n", {"3a", "3a", "1ab", "1A"}, {"101", "102", "1010", "101"},
       {"DA", "DA", "MA", "FY"}},
      {"klasser.txt", "'1a;x\r\n1a\r\n;2a\r\n1a;\r\n\"2a\" , \"4a\";5a\r\n", {"1a", "4a", "1ab", "1A"},
       {"101", "102", "1010", "101"}, {"DA", "DA", "MA", "FY"}},
      {"lokaler.txt", "101;A 101\r\n", {"1a", "2a", "1ab", "1A"}, {"A 101", "102", "1010", "A 101"},
       {"DA", "DA", "MA", "FY"}},
      {"fag.txt", "DA,Dansk\r\nMA;Matematik;x\r\n", {"1a", "2a", "1ab", "1A"}, {"101", "102", "1010", "101"},
       {"Dansk", "Dansk", "Matematik", "FY"}},
      {"andet.txt", "1a;2a\r\n", {"1a", "2a", "1ab", "1A"}, {"101", "102", "1010", "101"}, {"DA", "DA", "MA", "FY"}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::string(t.fil) + ": " + t.indhold);
    for (const char *f : {"klasser.txt", "lokaler.txt", "fag.txt", "andet.txt"}) fs::remove(rod / f);
    Skriv(t.fil, t.indhold);
    ImportLektioner l;
    const uint32_t n = LaesUntisSkema(Sti().c_str(), l, 0);
    ASSERT_EQ(n, 4u);
    EXPECT_TRUE(LaesKlasserTxt(Sti().c_str(), l, n));
    EXPECT_TRUE(LaesLokalerTxt(Sti().c_str(), l, n));
    EXPECT_TRUE(LaesFagTxt(Sti().c_str(), l, n));
    for (uint32_t i = 1; i <= n; ++i) {
      EXPECT_EQ(l[i].Klasse, t.klasser[i - 1]) << i;
      EXPECT_EQ(l[i].Lokale, t.lokaler[i - 1]) << i;
      EXPECT_EQ(l[i].Fag, t.fag[i - 1]) << i;
    }
  }
  // A count beyond the array touches nothing outside it.
  Skriv("klasser.txt", "1a;9a\r\n");
  ImportLektioner l;
  ASSERT_EQ(LaesUntisSkema(Sti().c_str(), l, 0), 4u);
  LaesKlasserTxt(Sti().c_str(), l, 1000);
  EXPECT_STREQ(l[1].Klasse, "9a");
  ImportLektioner tom;
  LaesKlasserTxt(Sti().c_str(), tom, 3);
}

TEST(ExtSkemaFilFixtur, EachFileReadWhole) {
  ExtImportIndstillinger dato{}, ext{};
  snprintf(dato.Mappe, sizeof dato.Mappe, "%s", Fixtur("untisdato").c_str());
  snprintf(dato.FilNavn, sizeof dato.FilNavn, "untis.txt");
  snprintf(ext.Mappe, sizeof ext.Mappe, "%s\\", Fixtur("extern").c_str());  // a folder with its backslash
  snprintf(ext.FilNavn, sizeof ext.FilNavn, "UGESKEMA.TXT");                // names as Windows matches them
  const std::string untis = Fixtur("untis"), tabulex = Fixtur("tabulex"), lectio = Fixtur("lectio");
  struct Udvalgt {
    size_t nr;
    Felter lektion;
  };
  struct {
    const char *navn;
    std::function<uint32_t(ImportLektioner &)> laes;
    uint32_t antal;
    std::vector<Udvalgt> udvalgte;
  } const filer[] = {
      {"untis/skema.txt", [&](ImportLektioner &l) { return LaesUntisSkema(untis.c_str(), l, 0); }, 7,
       {{1, {"1a", "AB", "DA", "101", 0, 0, 1, 1}},
        {3, {"2b", "CD", "MA", "102", 0, 0, 2, 3}},
        {4, {"3.x", "ÆØ", "Fysik", "Lab Å", 0, 0, 3, 4}},
        {6, {}},
        {7, {"2b", "CD", "MA", "102", 0, 0, 4, 1}}}},
      {"untis/skema5.txt", [&](ImportLektioner &l) { return LaesUntisSkema(untis.c_str(), l, 5); }, 3,
       {{2, {"1a", "AB", "DA", "101", 0, 0, 2, 1}}, {3, {"2b", "CD", "MA", "102", 0, 0, 3, 2}}}},
      {"untisdato/untis.txt", [&](ImportLektioner &l) { return LaesUntisDatoSkema(dato, l); }, 5,
       {{1, {"1a", "AB", "DA", "101", 20260105, 0, 0, 1}},
        {2, {"1a", "AB", "DA", "101", 20260105, 0, 0, 2}},
        {3, {"2b", "CD", "Mate", "102", 20260106, 0, 0, 3}},
        {4, {}},
        {5, {"3.x", "ÆØ", "Fysik", "Lab Å", 20260107, 0, 0, 4}}}},
      {"tabulex/skema.csv", [&](ImportLektioner &l) { return LaesTabulexSkema(tabulex.c_str(), l); }, 5,
       {{1, {"1a", "AB", "0DAA", "101", 0, 0, 1, 1}},
        {2, {"1a", "AB", "0DA", "101", 0, 0, 6, 2}},
        {3, {"2b", "CD", "MATEM", "102", 0, 0, 11, 3}},
        {4, {"3.x", "ÆØ", "0FYB", "Lab Å", 0, 0, 15, 4}},
        {5, {}}}},
      {"lectio/skema.txt", [&](ImportLektioner &l) { return LaesLectioSkema(lectio.c_str(), l); }, 5,
       {{2, {"1a", "CD", "DA", "102", 20260126, 5, 1, 1, 1001}},
        {3, {"2b", "CD", "MA", "102", 20260127, 5, 2, 3, 1002}},
        {4, {"3.x", "ÆØ", "Fysik", "Lab Å", 20260204, 6, 3, 4, 1003}}}},
      {"extern/ugeskema.txt", [&](ImportLektioner &l) { return LaesExtSkema(ext, l); }, 5,
       {{1, {"1a", "AB", "DA", "101", 20260105, 0, 0, 1, 0, 800, 845, 1.5f}},
        {3, {"2b", "CD", "MA", "102", 20260106, 0, 0, 0, 0, 1000, 1130, 2}},
        {5, {"3.x", "ÆØ", "Fysik", "Lab Å", 20260107, 0, 0, 4, 0, 1200, 1245, 0.75f}}}},
  };
  for (const auto &f : filer) {
    SCOPED_TRACE(f.navn);
    ImportLektioner l(3);  // a previous run's array is started anew
    ASSERT_EQ(f.laes(l), f.antal);
    ASSERT_EQ(l.size(), size_t(f.antal) + 1);
    EXPECT_EQ(Som(l[0]), Felter{});
    for (const auto &u : f.udvalgte) EXPECT_EQ(Som(l[u.nr]), u.lektion) << "lesson " << u.nr;
  }
  EXPECT_EQ(TabulexAntalUger, 3u);
}

TEST(ExtSkemaFilFixtur, UntisConversionFilesInTheirOrder) {
  // klasser.txt, lokaler.txt and fag.txt of the Untis fixture; "3.x" alone
  // on its line renames nothing.
  const std::string untis = Fixtur("untis");
  ImportLektioner l;
  const uint32_t n = LaesUntisSkema(untis.c_str(), l, 0);
  ASSERT_EQ(n, 7u);
  LaesKlasserTxt(untis.c_str(), l, n);
  LaesLokalerTxt(untis.c_str(), l, n);
  LaesFagTxt(untis.c_str(), l, n);
  EXPECT_EQ(Som(l[1]), (Felter{"1.a", "AB", "Dansk", "A101", 0, 0, 1, 1}));
  EXPECT_EQ(Som(l[3]), (Felter{"2.b", "CD", "Matematik", "102", 0, 0, 2, 3}));
  EXPECT_EQ(Som(l[4]), (Felter{"3.x", "ÆØ", "Fysik", "Lab Å", 0, 0, 3, 4}));
  EXPECT_EQ(Som(l[6]), Felter{});
}

TEST(ExtSkemaFilFixtur, FilesAFolderHolds) {
  EXPECT_TRUE(FindKonvFiler(Fixtur("untis").c_str()));
  EXPECT_FALSE(FindKonvFiler(Fixtur("lectio").c_str()));
  struct {
    const char *mappe, *filnavn;
    uint32_t kilde, uge;
    bool findes;
  } const tilfaelde[] = {
      {"untis", "", KILDE_UNTIS, 0, true},           {"untis", "", KILDE_UNTIS, 5, true},
      {"untis", "", KILDE_UNTIS, 6, false},          {"tabulex", "", KILDE_UNTIS, 0, false},
      {"lectio", "", KILDE_LECTIO, 0, true},         {"untis", "", KILDE_LECTIO, 0, true},
      {"tabulex", "", KILDE_TABULEX, 0, true},       {"lectio", "", KILDE_TABULEX, 0, false},
      {"extern", "ugeskema.txt", KILDE_EXTERN, 0, true}, {"extern", "andet.txt", KILDE_EXTERN, 0, false},
      {"untisdato", "untis.txt", KILDE_UNTIS_DATO, 0, true}, {"untisdato", "", KILDE_UNTIS_DATO, 0, false},
      {"", "untis", KILDE_EXTERN, 0, false},  // a folder is no file
  };
  for (const auto &t : tilfaelde) {
    ExtImportIndstillinger ind{};
    snprintf(ind.Mappe, sizeof ind.Mappe, "%s", Fixtur(t.mappe).c_str());
    snprintf(ind.FilNavn, sizeof ind.FilNavn, "%s", t.filnavn);
    ind.Kilde = t.kilde;
    EXPECT_EQ(FindSkemaFil(ind, t.uge), t.findes) << t.mappe << " " << t.filnavn << " " << t.kilde << " " << t.uge;
  }
}
