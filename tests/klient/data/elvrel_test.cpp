#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ELVRELLOKAL.h"
#include "FINDREC.h"
#include "loadall_fixture.h"

namespace loadall {
namespace {

struct Par {
  uint32_t id1, id2;
  uint8_t Status;
  bool operator==(const Par &) const = default;
};

std::vector<Par> ElvRel2Par() {
  std::vector<Par> v;
  for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r) {
    const uint8_t *rec = GetRec(&tdelvrel2, &tvelvrel2, r);
    uint32_t a1, a2;
    memcpy(&a1, rec, 4);
    memcpy(&a2, rec + 4, 4);
    uint8_t st = rec[16];
    if (st == 0) continue;
    auto id = [](uint32_t n) {
      return reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, n))->id;
    };
    v.push_back({id(a1), id(a2), st});
  }
  return v;
}

// A pair the server sent: current, status 10.
void ServerPar(uint32_t a, uint32_t b) {
  uint32_t r = NewRec(&tdelvrel2, &tvelvrel2);
  uint8_t *rec = GetRec(&tdelvrel2, &tvelvrel2, r);
  memcpy(rec, &a, 4);
  memcpy(rec + 4, &b, 4);
  rec[16] = 10;
  tvelvrel2.pfSave[r / tdelvrel2.RecPrBlok] = 1;
  tvelvrel2.fSorter = 1;
}

TEST_F(HentGemMappe, LocalPairsMergeAndUnplacedOnesSurviveSavesAndLoads) {
  ASSERT_EQ(HentAlleData(0), 0);
  const uint32_t a111 = NyAkti(111), a222 = NyAkti(222), a333 = NyAkti(333);
  const uint32_t a444 = NyAkti(444);
  (void)a111;
  (void)a222;
  ServerPar(a333, a444);
  SkrivTekst(IniFil("ElvRelLokal.dat"),
             "0;222;111\n"    // new: added with the smaller id first
             "3;111;999\n"    // 999 is gone: carried with its count raised
             "0;444;333\n"    // the server holds it (other order): dropped
             "0;111;222\n"    // the same pair again: dropped
             "1;555\n"        // too few fields: unresolved
             "\n");
  LoadLokalElvRel();
  std::vector<Par> par = ElvRel2Par();
  EXPECT_EQ(par, (std::vector<Par>{{333, 444, 10}, {111, 222, 20}}));
  // Both files are text files: CR LF line ends, as Windows writes them.
  EXPECT_EQ(LaesTekst(LogFil("ElvRelFejl.log")), "4;111;999\r\n2;555\r\n");

  const std::string forventet = "4;111;999\r\n2;555\r\n0;111;222\r\n";
  GemAlleData(0, 0);
  EXPECT_EQ(LaesTekst(IniFil("ElvRelLokal.dat")), forventet);
  GemAlleData(0, 0);
  EXPECT_EQ(LaesTekst(IniFil("ElvRelLokal.dat")), forventet);

  // A new run loads the saved tables and merges the file again.
  storetest::TomAlleTabeller();
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_EQ(ElvRel2Par(), (std::vector<Par>{{333, 444, 10}, {111, 222, 20}}));
  EXPECT_EQ(LaesTekst(LogFil("ElvRelFejl.log")), "5;111;999\r\n3;555\r\n");
  GemAlleData(0, 0);
  EXPECT_EQ(LaesTekst(IniFil("ElvRelLokal.dat")), "5;111;999\r\n3;555\r\n0;111;222\r\n");
}

TEST_F(HentGemMappe, MissingLocalFileDropsLocalPairsAndEmptiesTheUnplacedLog) {
  ASSERT_EQ(HentAlleData(0), 0);
  const uint32_t a = NyAkti(7), b = NyAkti(8);
  ServerPar(a, b);
  // The pair becomes local (status 20), as one added in the window.
  GetRec(&tdelvrel2, &tvelvrel2, tvelvrel2.wRecCnt - 1)[16] = 20;
  SkrivTekst(LogFil("ElvRelFejl.log"), "1;7;99\n");
  LoadLokalElvRel();
  EXPECT_TRUE(ElvRel2Par().empty());
  EXPECT_EQ(LaesTekst(LogFil("ElvRelFejl.log")), "");
}

TEST_F(HentGemMappe, LocalFileSurvivesAMissingLogFolderAndIsKeptWhenUnreadable) {
  ASSERT_EQ(HentAlleData(0), 0);
  NyAkti(1);
  NyAkti(2);
  std::filesystem::remove_all(rod / "log");
  SkrivTekst(IniFil("ElvRelLokal.dat"), "0;1;2\n0;1;3\n");
  LoadLokalElvRel();
  EXPECT_EQ(ElvRel2Par(), (std::vector<Par>{{1, 2, 20}}));
  GemAlleData(0, 0);
  EXPECT_EQ(LaesTekst(IniFil("ElvRelLokal.dat")), "1;1;3\r\n0;1;2\r\n");

  // A file that cannot be read is not written over.
  std::filesystem::remove(IniFil("ElvRelLokal.dat"));
  std::filesystem::create_symlink("ElvRelLokal.dat", IniFil("ElvRelLokal.dat"));
  LoadLokalElvRel();
  GemAlleData(0, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(IniFil("ElvRelLokal.dat")));
}

TEST_F(HentGemMappe, PendingLocalPairIsWrittenAndNotDoubled) {
  ASSERT_EQ(HentAlleData(0), 0);
  const uint32_t a = NyAkti(7), b = NyAkti(8);
  ServerPar(a, b);
  GetRec(&tdelvrel2, &tvelvrel2, tvelvrel2.wRecCnt - 1)[16] = 220;
  GemAlleData(0, 0);
  EXPECT_EQ(LaesTekst(IniFil("ElvRelLokal.dat")), "0;7;8\r\n");
  LoadLokalElvRel();
  std::vector<Par> par = ElvRel2Par();
  ASSERT_EQ(par.size(), 1u);
  EXPECT_EQ(par[0].Status % 100, 20);
}

}  // namespace
}  // namespace loadall
