#include <ctime>

#include "import_fixture.h"

namespace importtest {
namespace {

// ---- Status line ----

class StatusLinje : public Import {
 protected:
  int Laes(const std::string &indhold, ImportStatus *st, char *linje) {
    FILE *f = tmpfile();
    EXPECT_NE(f, nullptr);
    fputs(indhold.c_str(), f);
    rewind(f);
    const int r = LaesImportStatus(f, linje, st);
    fclose(f);
    return r;
  }
  std::string ImportLog() const { return LaesFil(rod / "log" / "IMPORT.LOG"); }
  char linje[IMPORT_LINJE_LEN];
};

TEST_F(StatusLinje, AllNineFieldsAreRead) {
  ImportStatus st;
  memset(&st, 0xAB, sizeof st);  // zeroed by the reader
  ASSERT_EQ(Laes("C;20240801;20240801;20250731;1700000000;300;X;7;8;9;10\r\nnext\n", &st, linje), 0);
  EXPECT_EQ(+st.Art, 'C');
  EXPECT_EQ(+st.lasdato, 20240801u);
  EXPECT_EQ(+st.fradato, 20240801u);
  EXPECT_EQ(+st.tildato, 20250731u);
  EXPECT_EQ(+st.Tidsstempel, 1700000000u);
  EXPECT_EQ(+st.Nummer, 300 % 256);
  EXPECT_EQ(+st.Bogstav, 'X');
  EXPECT_EQ(+st.Tal1, 7u);
  EXPECT_EQ(+st.Tal2, 8u);
  EXPECT_EQ(+st.Antal['K'], 0u);
  EXPECT_STREQ(linje, "C;20240801;20240801;20250731;1700000000;300;X;7;8;9;10");
  EXPECT_EQ(GFlag, 0);
}

TEST_F(StatusLinje, FourFieldsPassAndTakeTheCurrentTime) {
  ImportStatus st;
  const uint32_t foer = static_cast<uint32_t>(time(nullptr));
  ASSERT_EQ(Laes("C;20240801;x;20250731\n", &st, linje), 0);
  EXPECT_EQ(+st.fradato, 0u);  // not a number
  EXPECT_GE(st.Tidsstempel, foer);
  EXPECT_LE(st.Tidsstempel, foer + 5);
}

TEST_F(StatusLinje, TooFewFieldsAreLogged) {
  const struct {
    const char *indhold;
    int felter;
    int gflag;
  } tilfaelde[] = {
      {"C;1;2\n", 3, 0},
      {"G;1;2;\n", 3, 1},  // a closing ';' adds no field; 'G' counts anyway
      {"", 0, 0},
      {";;\n", 2, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.indhold);
    GFlag = 0;
    ImportStatus st;
    EXPECT_EQ(Laes(t.indhold, &st, linje), -1);
    EXPECT_EQ(GFlag, t.gflag);
    const std::string forventet =
        "Importstatus indeholder for få felter (" + std::to_string(t.felter) + ").";
    EXPECT_NE(ImportLog().find(forventet), std::string::npos) << ImportLog();
  }
}

TEST_F(StatusLinje, LongLineIsReadInItsLimit) {
  ImportStatus st;
  const std::string lang = "G;1;2;3;" + std::string(5000, '9') + "\n";
  ASSERT_EQ(Laes(lang, &st, linje), 0);
  EXPECT_EQ(strlen(linje), size_t(IMPORT_LINJE_LEN - 1));
  EXPECT_EQ(GFlag, 1);
}

// ---- School-day calendars ----

class Kalender : public Import {
 protected:
  void SetUp() override {
    Import::SetUp();
    Tabel('k', pSkka, pvSkka);
    Tabel('G', pKaldag, pvKaldag);
    Tabel('D', pKdagrel, pvKdagrel);
  }
  static std::string Uger(char a, char b) {
    std::string s(KALDAG_UGER, a);
    s[10] = b;
    return s;
  }
  static std::string Linje(uint32_t id, uint32_t aar, const std::string &uger) {
    return std::to_string(id) + ";KAL;20240801;20250731;Kalender;2024;" + std::to_string(aar) +
           ";" + uger;
  }
  uint32_t Kdagrel(uint32_t skkaRec) { return Rec<SkkaRec>(pSkka, pvSkka, skkaRec).kaldagrel; }
  const KdagrelRec &Kd(uint32_t r) { return Rec<KdagrelRec>(pKdagrel, pvKdagrel, r); }

  const TabDesc *pSkka, *pKaldag, *pKdagrel;
  TabVar *pvSkka, *pvKaldag, *pvKdagrel;
};

TEST_F(Kalender, EqualPatternsShareDaysAndChains) {
  const std::string a = Uger('S', 'F'), b = Uger('S', 'H');
  ASSERT_EQ(ImportRecordLine(Linje(1, 2, a + b).c_str(), 'S', pSkka, pvSkka, nullptr, 0), 0);
  ASSERT_EQ(ImportRecordLine(Linje(2, 2, a + b).c_str(), 'S', pSkka, pvSkka, nullptr, 0), 0);
  ASSERT_EQ(ImportRecordLine(Linje(3, 1, b + "extra").c_str(), 'S', pSkka, pvSkka, nullptr, 0), 0);

  EXPECT_EQ(pvKaldag->wRecCnt, 3u);  // two patterns, record 0 unused
  const KaldagRec &k1 = Rec<KaldagRec>(pKaldag, pvKaldag, 1);
  EXPECT_EQ(+k1.Status, 10);
  EXPECT_EQ(std::string(reinterpret_cast<const char *>(k1.Uge), KALDAG_UGER), a);

  const uint32_t kd = Kdagrel(1);
  EXPECT_EQ(kd, 1u);
  EXPECT_EQ(Kdagrel(2), kd);  // the same chain
  EXPECT_EQ(+Kd(1).StartRel, 'J');
  EXPECT_EQ(+Kd(1).AntalAr, 2u);
  EXPECT_EQ(+Kd(1).Kaldag, 1u);
  EXPECT_EQ(+Kd(2).StartRel, 'N');
  EXPECT_EQ(+Kd(2).Kaldag, 2u);
  EXPECT_EQ(+Kd(2).Status, 10);
  // One year of pattern b is a chain of its own, though its day is shared.
  EXPECT_EQ(Kdagrel(3), 3u);
  EXPECT_EQ(+Kd(3).AntalAr, 1u);
  EXPECT_EQ(+Kd(3).Kaldag, 2u);
  EXPECT_EQ(pvKdagrel->wRecCnt, 4u);
}

TEST_F(Kalender, ShortValueIsRefusedAndNoYearsStoreNothing) {
  const std::string kort = Uger('S', 'F').substr(0, 52);
  EXPECT_EQ(ImportRecordLine(Linje(1, 1, kort).c_str(), 'S', pSkka, pvSkka, nullptr, 0),
            101 | 7 << 8);
  EXPECT_EQ(ImportRecordLine(Linje(1, 2, Uger('S', 'F')).c_str(), 'S', pSkka, pvSkka, nullptr, 0),
            101 | 7 << 8);
  EXPECT_EQ(ImportRecordLine(Linje(1, 999999999, "x").c_str(), 'S', pSkka, pvSkka, nullptr, 0),
            101 | 7 << 8);
  EXPECT_EQ(pvKaldag->wRecCnt, 0u);

  ASSERT_EQ(ImportRecordLine(Linje(1, 0, "x").c_str(), 'S', pSkka, pvSkka, nullptr, 0), 0);
  EXPECT_EQ(Kdagrel(1), 0u);
}

TEST_F(Kalender, EmptiedChainTableStartsAtRecordOne) {
  ASSERT_EQ(ImportRecordLine(Linje(1, 1, Uger('S', 'F')).c_str(), 'S', pSkka, pvSkka, nullptr, 0), 0);
  ASSERT_EQ(Kdagrel(1), 1u);
  // A new import of the calendars empties the chains, keeping the memory.
  memset(pvKdagrel->pbTab, 0, size_t(pvKdagrel->wRecCnt) * pKdagrel->RecSize);
  pvKdagrel->wRecCnt = 0;
  ASSERT_EQ(ImportRecordLine(Linje(2, 1, Uger('S', 'F')).c_str(), 'S', pSkka, pvSkka, nullptr, 0), 0);
  EXPECT_EQ(Kdagrel(2), 1u);
  EXPECT_EQ(pvKdagrel->wRecCnt, 2u);
  EXPECT_EQ(+Kd(0).Status, 0);
  EXPECT_EQ(pvKaldag->wRecCnt, 2u);  // the day record was reused

  // A freed day record is taken before the table grows.
  DelRec(pKaldag, pvKaldag, 1);
  ASSERT_EQ(ImportRecordLine(Linje(3, 1, Uger('S', 'X')).c_str(), 'S', pSkka, pvSkka, nullptr, 0), 0);
  EXPECT_EQ(pvKaldag->wRecCnt, 2u);
  EXPECT_EQ(Kd(Kdagrel(3)).Kaldag, 1u);
}

TEST_F(Kalender, ChainsAreFoundByEveryYear) {
  const uint32_t ab[] = {4, 5}, ac[] = {4, 6};
  const uint32_t r1 = FindEllerOpretKdagrel(ab, 2);
  const uint32_t r2 = FindEllerOpretKdagrel(ac, 2);
  EXPECT_EQ(r1, 1u);
  EXPECT_EQ(r2, 3u);
  EXPECT_EQ(FindEllerOpretKdagrel(ac, 2), r2);
  EXPECT_EQ(FindEllerOpretKdagrel(ab, 1), 5u);  // a shorter chain is another chain
  EXPECT_EQ(FindEllerOpretKdagrel(ab, 0), 0u);
}

}  // namespace
}  // namespace importtest
