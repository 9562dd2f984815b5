// Record files: load, save by changed blocks, first content, reserved
// records and the clean-up of deleted records.
#include <map>

#include "FINDREC.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "store_fixture.h"

using namespace storetest;

namespace {

// udgr: 45-byte records, 10 per block, status at offset 8.
constexpr uint32_t kUdgrSize = 45;
constexpr uint32_t kUdgrStatus = 8;

// n udgr records (record 0 included) whose bytes tell them apart.
Bytes UdgrRecords(uint32_t n, uint8_t status = 10) {
  Bytes b(static_cast<size_t>(n) * kUdgrSize);
  for (uint32_t r = 0; r < n; ++r) {
    uint8_t *p = b.data() + static_cast<size_t>(r) * kUdgrSize;
    for (uint32_t i = 0; i < kUdgrSize; ++i) p[i] = static_cast<uint8_t>(r * 7 + i);
    memcpy(p, &r, 4);
    p[kUdgrStatus] = r == 0 ? 0 : status;
  }
  return b;
}

Bytes Saml(Bytes a, const Bytes &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes TabelBytes(const TabDesc *pTd, const TabVar *pTv) {
  return Bytes(pTv->pbTab, pTv->pbTab + static_cast<size_t>(pTv->wRecCnt) * pTd->RecSize);
}

class StoreTest : public DataMappe {};

TEST_F(StoreTest, EmptyFolderGivesReservedRecordsAndSavesEveryTable) {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    ASSERT_EQ(LoadTab(e->pTabDesc, e->pTabVar), 0) << e->Navn;
    e->pTabVar->fSorter = 1;
  }
  const std::map<std::string, uint32_t> reserverede = {
      {"akti", 7}, {"meda", 2}, {"anfo", 2}, {"loka", 2}, {"skfa", 2}, {"sphp", 0}};
  std::map<std::string, Bytes> foer;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    auto it = reserverede.find(e->Navn);
    EXPECT_EQ(e->pTabVar->wRecCnt, it == reserverede.end() ? 1u : it->second) << e->Navn;
    foer[e->Navn] = TabelBytes(e->pTabDesc, e->pTabVar);
  }

  // The placeholder texts of record 0 and the content of a reserved record.
  const TabDesc *pAkti;
  TabVar *tvAkti;
  Tabel('K', pAkti, tvAkti);
  const AktiRec *a0 = reinterpret_cast<const AktiRec *>(GetRec(pAkti, tvAkti, 0));
  EXPECT_STREQ(a0->Betegnelse, "Ukendt");
  EXPECT_EQ(+a0->Status, 0);
  uint32_t omsorg = GetOmsorgAkti();
  ASSERT_NE(omsorg, 0u);
  const AktiRec *a = reinterpret_cast<const AktiRec *>(GetRec(pAkti, tvAkti, omsorg));
  EXPECT_EQ(+a->id, 999999998u);
  EXPECT_STREQ(a->Aktivitet, "<OMSORG>");
  EXPECT_STREQ(a->Type, "OVAK");
  EXPECT_STREQ(a->Kort_betegnelse, "Omsorg");
  EXPECT_EQ(+a->Status, 1);
  EXPECT_EQ(+a->Fradato, 20010101u);
  EXPECT_EQ(+a->Tildato, 20990101u);
  EXPECT_EQ(+a->StartUge, 200101u);
  EXPECT_EQ(+a->StartDag, 1);
  EXPECT_EQ(+a->Aflyst, 'N');
  EXPECT_EQ(+a->Gruppe, 1u);
  EXPECT_EQ(+a->Laerer_anvendelse, '1');
  EXPECT_EQ(GetRec(pAkti, tvAkti, GetAfspadserAkti())[4], '<');
  // The employment refers to the reserved employee by record number.
  const TabDesc *pAnfo;
  TabVar *tvAnfo;
  Tabel('M', pAnfo, tvAnfo);
  const AnfoRec *f = reinterpret_cast<const AnfoRec *>(GetRec(pAnfo, tvAnfo, 1));
  EXPECT_EQ(+f->id, 999999999u);
  EXPECT_EQ(+f->meda_id, 1u);
  EXPECT_EQ(+f->Kan_laeses, 'J');

  for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
    ASSERT_EQ(SaveTab(e->pTabDesc, e->pTabVar, nullptr), 0) << e->Navn;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
    EXPECT_EQ(Findes(std::string(e->Navn) + ".DAT"), std::string(e->Navn) != "sphp") << e->Navn;

  TomAlleTabeller();
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    ASSERT_EQ(LoadTab(e->pTabDesc, e->pTabVar), 0) << e->Navn;
    EXPECT_EQ(TabelBytes(e->pTabDesc, e->pTabVar), foer[e->Navn]) << e->Navn;
  }
}

TEST_F(StoreTest, OldHeaderFileIsRewrittenWholeWithNewHeader) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  Bytes recs = UdgrRecords(25);
  Skriv("udgr.DAT", Saml(GammelHeader(10100, 4242), recs));
  ASSERT_EQ(LoadTab(pTd, pTv), 0);
  EXPECT_EQ(pTv->wRecCnt, 25u);
  EXPECT_EQ(pTv->FilVersion, 10100u);
  EXPECT_EQ(pTv->FilOrd, 4242u);
  EXPECT_EQ(TabelBytes(pTd, pTv), recs);
  ASSERT_EQ(SaveTab(pTd, pTv, nullptr), 0);
  EXPECT_EQ(Laes("udgr.DAT"), Saml(NyHeader(version, 4242, kUdgrSize), recs));
}

// The windows' current record names a record of the old contents; after a
// load or a reset it names none.
TEST_F(StoreTest, TheCurrentRecordWordIsClearedByALoadAndAReset) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  Skriv("udgr.DAT", Saml(NyHeader(version, 0, kUdgrSize), UdgrRecords(25)));
  pTv->AktuelRec = 17;
  ASSERT_EQ(LoadTab(pTd, pTv), 0);
  EXPECT_EQ(pTv->AktuelRec, 0u);
  pTv->AktuelRec = 3;
  ResetTab(pTd, pTv, 1);
  EXPECT_EQ(pTv->AktuelRec, 0u);
}

TEST_F(StoreTest, FilesWithoutAWholeRecordAreDeleted) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  const Bytes tilfaelde[] = {
      NyHeader(10413, 0, kUdgrSize),                                   // header alone
      Saml(NyHeader(10413, 0, kUdgrSize), Bytes(kUdgrSize - 1, 1)),  // part of a record
      Bytes(5, 9),                                                     // shorter than a header
      Bytes(),                                                         // empty
  };
  for (const Bytes &b : tilfaelde) {
    FrigivTabel(pTv);
    Skriv("udgr.DAT", b);
    ASSERT_EQ(LoadTab(pTd, pTv), 0) << b.size();
    EXPECT_FALSE(Findes("udgr.DAT")) << b.size();
    EXPECT_EQ(pTv->wRecCnt, 1u) << b.size();
  }
}

TEST_F(StoreTest, WrongRecordSizeWithoutConverterFails) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  Skriv("udgr.DAT", Saml(NyHeader(10413, 0, kUdgrSize - 1), Bytes(10 * (kUdgrSize - 1), 1)));
  EXPECT_EQ(LoadTab(pTd, pTv), -1);
  EXPECT_EQ(pTv->wRecCnt, 0u);
  // A header that claims an enormous record size is refused the same way.
  Skriv("udgr.DAT", Saml(NyHeader(10413, 0, 0xFFFFFFF0u), Bytes(100, 1)));
  EXPECT_EQ(LoadTab(pTd, pTv), -1);
  EXPECT_EQ(pTv->wRecCnt, 0u);
}

TEST_F(StoreTest, OnlyChangedBlocksAreRewritten) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  Bytes recs = UdgrRecords(55);  // blocks 0..5, the last one of 5 records
  Skriv("udgr.DAT", Saml(NyHeader(10001, 77, kUdgrSize), recs));
  ASSERT_EQ(LoadTab(pTd, pTv), 0);

  // Sentinels written behind the program's back must survive in every block
  // that did not change.
  Bytes fil = Laes("udgr.DAT");
  for (size_t i = 22; i < fil.size(); ++i) fil[i] = 0xA5;
  Skriv("udgr.DAT", fil);

  uint8_t *rec = GetRec(pTd, pTv, 33);
  rec[20] = 'X';
  pTv->pfSave[3] = 1;
  ASSERT_EQ(SaveTab(pTd, pTv, nullptr), 0);

  Bytes ny = Laes("udgr.DAT");
  ASSERT_EQ(ny.size(), 22 + 55 * kUdgrSize);
  EXPECT_EQ(Bytes(ny.begin(), ny.begin() + 22), NyHeader(version, 77, kUdgrSize));
  const size_t blok3 = 22 + 30 * kUdgrSize, blok4 = 22 + 40 * kUdgrSize;
  for (size_t i = 22; i < ny.size(); ++i) {
    if (i >= blok3 && i < blok4) {
      ASSERT_EQ(ny[i], pTv->pbTab[i - 22]) << i;
    } else {
      ASSERT_EQ(ny[i], 0xA5) << i;
    }
  }
}

TEST_F(StoreTest, DeletedTrailingRecordsShortenTheFile) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  Bytes recs = UdgrRecords(25);
  Skriv("udgr.DAT", Saml(NyHeader(10413, 0, kUdgrSize), recs));
  ASSERT_EQ(LoadTab(pTd, pTv), 0);
  DelRec(pTd, pTv, 24);
  DelRec(pTd, pTv, 23);
  DelRec(pTd, pTv, 21);  // a gap before the last record in use stays
  ASSERT_EQ(SaveTab(pTd, pTv, nullptr), 0);
  EXPECT_EQ(pTv->wRecCnt, 23u);
  Bytes ny = Laes("udgr.DAT");
  ASSERT_EQ(ny.size(), 22 + 23 * kUdgrSize);
  EXPECT_EQ(ny[22 + 22 * kUdgrSize + kUdgrStatus], 10);
  EXPECT_EQ(ny[22 + 21 * kUdgrSize + kUdgrStatus], 0);

  // Everything deleted: record 0 stays.
  for (uint32_t r = 1; r < 23; ++r) DelRec(pTd, pTv, r);
  ASSERT_EQ(SaveTab(pTd, pTv, nullptr), 0);
  EXPECT_EQ(Laes("udgr.DAT").size(), 22 + kUdgrSize);
}

TEST_F(StoreTest, SaveCreatesAMissingFileWithEveryBlock) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  Bytes recs = UdgrRecords(25);
  Skriv("udgr.DAT", Saml(NyHeader(10413, 0, kUdgrSize), recs));
  ASSERT_EQ(LoadTab(pTd, pTv), 0);
  std::filesystem::remove(Fil("udgr.DAT"));
  ASSERT_EQ(SaveTab(pTd, pTv, nullptr), 0);
  EXPECT_EQ(Laes("udgr.DAT"), Saml(NyHeader(version, 0, kUdgrSize), recs));
}

TEST_F(StoreTest, FileErrorsAreReturned) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  // A folder where the file should be: load and save both fail with an
  // error number and leave it alone.
  std::filesystem::create_directories(Fil("udgr.DAT"));
  EXPECT_GT(LoadTab(pTd, pTv), 0);
  FrigivTabel(pTv);
  InitTab(pTd, pTv);
  EXPECT_GT(SaveTab(pTd, pTv, nullptr), 0);
  EXPECT_TRUE(std::filesystem::is_directory(Fil("udgr.DAT")));
}

TEST_F(StoreTest, CleanupZeroesDeletedAndEmptyRecordsWithoutMovingAny) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  InitTab(pTd, pTv);
  const Bytes rec0 = TabelBytes(pTd, pTv);
  struct {
    uint8_t foer, efter;
    bool nulstillet;
  } const tilfaelde[] = {
      {10, 10, false}, {5, 5, false}, {150, 0, true}, {100, 0, true},
      {210, 10, false}, {230, 30, false}, {200, 200, false}, {0, 0, true},
  };
  for (auto &t : tilfaelde) {
    uint32_t r = NewRec(pTd, pTv);
    uint8_t *p = GetRec(pTd, pTv, r);
    memset(p, 0x11, kUdgrSize);
    p[kUdgrStatus] = t.foer;
  }
  pTv->FoersteLedige = pTv->wRecCnt;
  CleanupTab(pTd, pTv);
  for (size_t i = 0; i < std::size(tilfaelde); ++i) {
    const uint8_t *p = GetRec(pTd, pTv, static_cast<uint32_t>(i + 1));
    EXPECT_EQ(p[kUdgrStatus], tilfaelde[i].efter) << i;
    EXPECT_EQ(p[0], tilfaelde[i].nulstillet ? 0 : 0x11) << i;
  }
  EXPECT_EQ(pTv->FoersteLedige, 3u);
  EXPECT_EQ(pTv->wRecCnt, 1 + std::size(tilfaelde));
  EXPECT_EQ(Bytes(pTv->pbTab, pTv->pbTab + kUdgrSize), rec0);

  // A pending record that became current reaches the file with its status.
  while (pTv->wRecCnt < 15) GetRec(pTd, pTv, NewRec(pTd, pTv))[kUdgrStatus] = 10;
  GetRec(pTd, pTv, 14)[kUdgrStatus] = 220;
  memset(pTv->pfSave, 0, pTv->AllocAntal / pTd->RecPrBlok + 1);
  CleanupTab(pTd, pTv);
  EXPECT_EQ(GetRec(pTd, pTv, 14)[kUdgrStatus], 20);
  EXPECT_EQ(pTv->pfSave[1], 1);
}

TEST_F(StoreTest, ReservedRecordsAreAddedOnceAndRecognised) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('K', pTd, pTv);
  CreateReservedRecs('K');
  EXPECT_EQ(pTv->wRecCnt, 7u);  // record 0 made by NewRec, then six
  CreateReservedRecs('K');
  EXPECT_EQ(pTv->wRecCnt, 7u);

  // A missing care-day activity is made again on demand.
  uint32_t omsorg = GetOmsorgAkti();
  DelRec(pTd, pTv, omsorg);
  pTv->fSorter = 1;
  uint32_t ny = GetOmsorgAkti();
  ASSERT_NE(ny, 0u);
  EXPECT_EQ(Get32(GetRec(pTd, pTv, ny)), 999999998u);

  EXPECT_EQ(IsReservedRec('K', ny), 1);
  EXPECT_EQ(IsReservedRec('K', 0), 0);
  EXPECT_EQ(IsReservedRec('K', 99), 0);
  uint32_t r = NewRec(pTd, pTv);
  uint32_t id = 4711;
  memcpy(GetRec(pTd, pTv, r), &id, 4);
  EXPECT_EQ(IsReservedRec('K', r), 0);

  // Letters 'E' and 'M' both make the employee and then the employment.
  const TabDesc *pMeda, *pAnfo;
  TabVar *tvMeda, *tvAnfo;
  Tabel('E', pMeda, tvMeda);
  Tabel('M', pAnfo, tvAnfo);
  CreateReservedRecs('M');
  EXPECT_EQ(tvMeda->wRecCnt, 2u);
  EXPECT_EQ(tvAnfo->wRecCnt, 2u);
  CreateReservedRecs('X');  // no family: nothing

  // Resetting a table that must hold its reserved records makes them again.
  ResetTab(pTd, pTv, 0);
  EXPECT_EQ(pTv->wRecCnt, 7u);
  EXPECT_NE(GetAfspadserAkti(), 0u);
}

std::vector<std::string> modtagneLinjer;

TEST_F(StoreTest, AnInstalledLineParserTakesOverTheReservedLines) {
  SetReserveretLinjeFn([](const char *linje, const TabDesc *, TabVar *) {
    modtagneLinjer.push_back(linje);
    return 0;
  });
  CreateReservedRecs('L');
  SetReserveretLinjeFn(nullptr);
  EXPECT_EQ(modtagneLinjer,
            std::vector<std::string>{"999999999;<******>;19900101;Afventer natjob;20991231;;;;0;;;;"});
  EXPECT_EQ(AntalReserveredeLinjer, 10u);
}

TEST_F(StoreTest, LoadAndSaveWriteTheirLogLines) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('u', pTd, pTv);
  Skriv("udgr.DAT", Saml(GammelHeader(10100, 0), UdgrRecords(25)));
  ASSERT_EQ(AabnLog(), 1);
  ASSERT_EQ(LoadTab(pTd, pTv), 0);
  ASSERT_EQ(SaveTab(pTd, pTv, nullptr), 0);
  CleanupTab(pTd, pTv);
  std::filesystem::create_directories(Fil("bygn.DAT") / "x");
  const TabDesc *pBygn;
  TabVar *tvBygn;
  Tabel('1', pBygn, tvBygn);
  int fejl = LoadTab(pBygn, tvBygn);
  EXPECT_GT(fejl, 0);
  LukLog();

  std::ifstream i(rod / "log" / "tavo.log", std::ios::binary);
  std::string log((std::istreambuf_iterator<char>(i)), std::istreambuf_iterator<char>());
  std::erase(log, '\r');  // a text file
  const std::string sti = std::string(StiTab.szdata) + "data/udgr.DAT";
  const std::string bygn = std::string(StiTab.szdata) + "data/bygn.DAT";
  for (const std::string &linje : std::vector<std::string>{
           "   LoadTab(" + sti + "): Data hentes (type u):    25 records   1125 bytes\n",
           "   SaveTab(" + sti + "): Data gemmes (type u):    25 records   1125 bytes\n",
           "   SaveBlock(" + sti + "): AllocAntal=25, AllocBytes=1125 BlockNr: 1,    450 BlockBytes\n",
           "   WriteBlock(" + sti + "): Data skrives: 450, Data skrevet: 450\n",
           "   SaveBlock(" + sti + "): AllocAntal=25, AllocBytes=1125 BlockNr: 2,    225 BlockBytes\n",
           "   F\xE6rdig: SaveTab(" + sti + "): ",
           "** Info: CleanupTab(udgr): Slettede 0 records\n",
           "** Fejl: LoadTab(" + bygn + "): ",
       })
    EXPECT_NE(log.find(linje), std::string::npos) << linje;
  EXPECT_NE(log.find(" (" + std::to_string(fejl) + ")\n"), std::string::npos);

  std::ifstream e(rod / "log" / "STDERR.LOG", std::ios::binary);
  std::string stdErr((std::istreambuf_iterator<char>(e)), std::istreambuf_iterator<char>());
  EXPECT_EQ(stdErr.rfind("LoadTab: \"" + bygn + "\": ", 0), 0u) << stdErr;
  EXPECT_NE(stdErr.find(" (" + std::to_string(fejl) + ")"), std::string::npos) << stdErr;
}

}  // namespace
