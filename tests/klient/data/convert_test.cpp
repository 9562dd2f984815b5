// Conversion of the old 402-byte akti file to the current layout.
#include "INDSTIL.h"
#include "KATALOG.h"
#include "KONVERT.h"
#include "store_fixture.h"

using namespace storetest;

namespace {

constexpr uint32_t kGammel = 402;

// An old record: every field after Aktivitet lies 3 bytes lower.
Bytes GammelAkti(uint32_t id, uint8_t status, const char *aktivitet, const char *betegnelse,
                 uint8_t prioritet) {
  Bytes b(kGammel, 0);
  Put32(b, 0, id);
  snprintf(reinterpret_cast<char *>(b.data() + 4), 13, "%s", aktivitet);
  b[offsetof(AktiRec, Status) - 3] = status;
  snprintf(reinterpret_cast<char *>(b.data() + offsetof(AktiRec, Type) - 3), 11, "HOLD");
  snprintf(reinterpret_cast<char *>(b.data() + offsetof(AktiRec, Betegnelse) - 3), 51, "%s",
           betegnelse);
  Put32(b, offsetof(AktiRec, Fradato) - 3, 20240801);
  snprintf(reinterpret_cast<char *>(b.data() + offsetof(AktiRec, Undervisningssted) - 3), 51,
           "Skolevej 1");
  b[offsetof(AktiRec, Slettet_i_EASY) - 3] = 1;
  b[offsetof(AktiRec, Skema_prioritet) - 3] = prioritet;
  return b;
}

Bytes GamleRecords() {
  Bytes b(kGammel, 0);  // record 0
  for (Bytes r : {GammelAkti(100, 10, "ABCDEFGHIJKL", "Dansk A", 3),
                  GammelAkti(200, 30, "X", "Matematik", 9)})
    b.insert(b.end(), r.begin(), r.end());
  return b;
}

Bytes Saml(Bytes a, const Bytes &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class ConvertTest : public DataMappe {
 protected:
  const TabDesc *pTd;
  TabVar *pTv;
  void SetUp() override {
    DataMappe::SetUp();
    Tabel('K', pTd, pTv);
  }
  void TjekKonverteret(uint32_t filOrd) {
    ASSERT_EQ(pTv->wRecCnt, 3u);
    const AktiRec *a = reinterpret_cast<const AktiRec *>(GetRec(pTd, pTv, 1));
    EXPECT_EQ(+a->id, 100u);
    EXPECT_STREQ(a->Aktivitet, "ABCDEFGHIJKL");
    EXPECT_EQ(+a->Status, 10);
    EXPECT_STREQ(a->Type, "HOLD");
    EXPECT_STREQ(a->Betegnelse, "Dansk A");
    EXPECT_EQ(+a->Fradato, 20240801u);
    EXPECT_STREQ(a->Undervisningssted, "Skolevej 1");
    EXPECT_EQ(+a->Slettet_i_EASY, 1);
    EXPECT_EQ(+a->Skema_prioritet, 3);
    const AktiRec *b = reinterpret_cast<const AktiRec *>(GetRec(pTd, pTv, 2));
    EXPECT_EQ(+b->id, 200u);
    EXPECT_STREQ(b->Aktivitet, "X");
    EXPECT_EQ(+b->Skema_prioritet, 9);
    Bytes fil = Laes("akti.DAT");
    ASSERT_EQ(fil.size(), 22 + 3 * pTd->RecSize);
    EXPECT_EQ(Bytes(fil.begin(), fil.begin() + 22), NyHeader(version, filOrd, pTd->RecSize));
    EXPECT_EQ(Bytes(fil.begin() + 22, fil.end()), Bytes(pTv->pbTab, pTv->pbTab + fil.size() - 22));
    EXPECT_FALSE(Findes("akti.konv"));
  }
};

TEST_F(ConvertTest, Old402ByteFileBecomes405Bytes) {
  Skriv("akti.DAT", Saml(NyHeader(10300, 55, kGammel), GamleRecords()));
  ASSERT_EQ(LoadTab(pTd, pTv), 0);
  TjekKonverteret(55);
}

TEST_F(ConvertTest, OldHeaderAktiFileIsConvertedToo) {
  Skriv("akti.DAT", Saml(GammelHeader(10200, 8), GamleRecords()));
  ASSERT_EQ(LoadTab(pTd, pTv), 0);
  TjekKonverteret(8);
}

TEST_F(ConvertTest, OtherStoredSizesAreNotConverted) {
  for (uint32_t size : {403u, 401u, 0u}) {
    Bytes fil = Saml(NyHeader(10300, 0, size), Bytes(3 * 403, 7));
    Skriv("akti.DAT", fil);
    FrigivTabel(pTv);
    EXPECT_EQ(LoadTab(pTd, pTv), -1) << size;
    EXPECT_EQ(Laes("akti.DAT"), fil) << size;
  }
}

TEST_F(ConvertTest, ConversionOnlyShortlyAfterAVersionChange) {
  const Bytes fil = Saml(NyHeader(10300, 0, kGammel), GamleRecords());
  struct {
    std::string ini;
    bool konverteres;
  } const tilfaelde[] = {
      {"", true},
      {"[global]\r\nversionskift=" + std::to_string(version - 1) + "\r\n", true},
      {"[global]\r\nversionskift=" + std::to_string(version - 2) + "\r\n", true},
      {"[global]\r\nversionskift=" + std::to_string(version - 3) + "\r\n", false},
  };
  for (auto &t : tilfaelde) {
    SkrivIni(t.ini);
    Skriv("akti.DAT", fil);
    FrigivTabel(pTv);
    EXPECT_EQ(LoadTab(pTd, pTv), t.konverteres ? 0 : -1) << t.ini;
    EXPECT_EQ(Laes("akti.DAT").size() == fil.size(), !t.konverteres) << t.ini;
  }
}

TEST_F(ConvertTest, FailedConversionKeepsTheOldFile) {
  const Bytes fil = Saml(NyHeader(10300, 0, kGammel), GamleRecords());
  Skriv("akti.DAT", fil);
  // The new file cannot be made: its temporary name is taken by a folder.
  std::filesystem::create_directories(Fil("akti.DAT.gemny") / "optaget");
  EXPECT_EQ(LoadTab(pTd, pTv), -1);
  EXPECT_EQ(Laes("akti.DAT"), fil);
}

TEST_F(ConvertTest, OnlyAktiHasAConverter) {
  EXPECT_STREQ(KonverterTab[0].Navn, "akti");
  EXPECT_EQ(KonverterTab[1].Konverter, nullptr);
  const TabDesc *pMeda;
  TabVar *tvMeda;
  Tabel('E', pMeda, tvMeda);
  EXPECT_EQ(KonverterData(pMeda), 0);
}

}  // namespace
