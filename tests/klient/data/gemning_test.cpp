// The crash-safe save's recovery at start-up: a committed save is finished,
// one that was not committed is undone, and nothing of either is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "GEMNING.h"
#include "store_fixture.h"
#include "tavo/test_file.h"

namespace {

namespace fs = std::filesystem;

class NedbrudGendan : public storetest::DataMappe {
 protected:
  void TearDown() override {
    tavo::test::ClearFileFault();
    DataMappe::TearDown();
  }

  std::string Sti(const std::string &rel) const { return std::string(StiTab.szdata) + rel; }
  void Tekst(const std::string &rel, const std::string &t) const {
    std::ofstream(rod / rel, std::ios::binary | std::ios::trunc) << t;
  }
  std::string Tekst(const std::string &rel) const {
    std::ifstream i(rod / rel, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }
  bool Der(const std::string &rel) const { return fs::exists(rod / rel); }

  // The nth call of the kinds fails as a file held open by another program.
  static void Optaget(unsigned kinds, uint64_t nth) {
    tavo::test::FileFault f;
    f.kinds = kinds;
    f.nth = nth;
    f.error = ERROR_SHARING_VIOLATION;
    tavo::test::SetFileFault(f);
  }

  // A save of two files whose second rename fails: committed, half done.
  void HalvtGemt() {
    Tekst("data/x.dat", "gammel x");
    Tekst("ini/y.dat", "gammel y");
    Optaget(tavo::test::kFileRename, 2);
    {
      Gemning g;
      GemFil x, y;
      ASSERT_TRUE(x.Aabn(Sti("data/x.dat").c_str()) && x.Printf("ny x") && x.Luk());
      ASSERT_TRUE(y.Aabn(Sti("ini/y.dat").c_str()) && y.Printf("ny y") && y.Luk());
      EXPECT_FALSE(g.Fuldfoer());
    }
    tavo::test::ClearFileFault();
    GemFejl fejl{};
    ASSERT_TRUE(SidsteGemFejl(&fejl));
    EXPECT_TRUE(fejl.Besluttet);
    EXPECT_EQ(fejl.Fejl, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_NE(std::string(fejl.Fil).find("y.dat"), std::string::npos) << fejl.Fil;
    ASSERT_EQ(Tekst("data/x.dat"), "ny x");
    ASSERT_EQ(Tekst("ini/y.dat"), "gammel y");
    ASSERT_TRUE(Der("data/gemning.jnl"));
  }

  void IntetTilbage() const {
    for (const char *u : {"data", "ini"})
      for (auto &e : fs::directory_iterator(rod / u)) {
        const std::string n = e.path().filename().string();
        EXPECT_EQ(n.find(kGemTmpEndelse), std::string::npos) << n;
        EXPECT_NE(n, "gemning.jnl");
      }
  }
};

TEST_F(NedbrudGendan, ACommittedSaveIsFinished) {
  HalvtGemt();
  ASSERT_TRUE(GendanAfbrudtGemning());
  EXPECT_EQ(Tekst("data/x.dat"), "ny x");
  EXPECT_EQ(Tekst("ini/y.dat"), "ny y");
  IntetTilbage();
}

// The record names the files below the data folder, so a folder copied
// elsewhere after the crash is finished where it now lies.
TEST_F(NedbrudGendan, AMovedFolderIsFinishedWhereItLies) {
  HalvtGemt();
  const fs::path gammel = rod;
  rod = rod.string() + "_flyttet";
  fs::rename(gammel, rod);
  const std::string d = DataMappeNavn(rod);
  snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", d.c_str());
  ASSERT_TRUE(GendanAfbrudtGemning());
  EXPECT_EQ(Tekst("ini/y.dat"), "ny y");
  IntetTilbage();
}

TEST_F(NedbrudGendan, TheNextSaveFinishesTheRecordFirst) {
  HalvtGemt();
  GemFil z;
  ASSERT_TRUE(z.Aabn(Sti("data/z.dat").c_str()) && z.Printf("z") && z.Luk());
  EXPECT_EQ(Tekst("ini/y.dat"), "ny y");
  EXPECT_EQ(Tekst("data/z.dat"), "z");
  IntetTilbage();
}

// A record cut short or damaged was never finished being written, so no
// rename was done: the new files go and the old ones stay.
TEST_F(NedbrudGendan, ARecordCutShortOrDamagedUndoesTheSave) {
  HalvtGemt();
  const std::string hel = Tekst("data/gemning.jnl");
  std::string skadet = hel;
  skadet[skadet.find("ini/y.dat")] = 'I';
  for (const std::string &journal : {hel.substr(0, hel.size() - 3), hel.substr(0, hel.size() / 2), skadet}) {
    Tekst("data/x.dat", "gammel x");
    Tekst("data/x.dat.gemny", "ny x");
    Tekst("ini/y.dat.gemny", "ny y");
    Tekst("data/gemning.jnl", journal);
    ASSERT_TRUE(GendanAfbrudtGemning());
    EXPECT_EQ(Tekst("data/x.dat"), "gammel x");
    EXPECT_EQ(Tekst("ini/y.dat"), "gammel y");
    IntetTilbage();
  }
}

TEST_F(NedbrudGendan, ARecordThatCannotBeFinishedIsKeptAndReported) {
  HalvtGemt();
  fs::remove(rod / "ini" / "y.dat");
  fs::create_directory(rod / "ini" / "y.dat");
  EXPECT_FALSE(GendanAfbrudtGemning());
  GemFejl fejl{};
  ASSERT_TRUE(SidsteGemFejl(&fejl));
  EXPECT_TRUE(fejl.Besluttet);
  EXPECT_NE(std::string(fejl.Fil).find("y.dat"), std::string::npos) << fejl.Fil;
  EXPECT_TRUE(Der("data/gemning.jnl"));
  EXPECT_TRUE(Der("ini/y.dat.gemny"));
  fs::remove(rod / "ini" / "y.dat");
  ASSERT_TRUE(GendanAfbrudtGemning());
  EXPECT_EQ(Tekst("ini/y.dat"), "ny y");
}

// A file the save removes goes with its commit and only with it: an
// abandoned save keeps it, a save refused before its commit keeps it, and a
// removal cut off after the commit is done by the next start.
TEST_F(NedbrudGendan, ARemovalGoesWithTheCommitAndOnlyWithIt) {
  Tekst("data/x.dat", "gammel x");
  Tekst("data/imp.dat", "import");
  const std::string imp = Sti("data/imp.dat");
  auto skrivX = [&] {
    GemFil x;
    ASSERT_TRUE(x.Aabn(Sti("data/x.dat").c_str()) && x.Printf("ny x") && x.Luk());
  };
  {
    Gemning g;
    skrivX();
    ASSERT_TRUE(GemSlet(imp.c_str()));
    EXPECT_FALSE(GemFindes(imp.c_str()));
  }
  EXPECT_EQ(Tekst("data/imp.dat"), "import");
  EXPECT_EQ(Tekst("data/x.dat"), "gammel x");
  IntetTilbage();

  // A folder cannot be removed as a file: refused before the commit.
  fs::create_directory(rod / "data" / "mappe");
  {
    Gemning g;
    skrivX();
    GemSlet(imp.c_str());
    GemSlet(Sti("data/mappe").c_str());
    EXPECT_FALSE(g.Fuldfoer());
    EXPECT_FALSE(g.Besluttet());
  }
  EXPECT_EQ(Tekst("data/imp.dat"), "import");
  EXPECT_EQ(Tekst("data/x.dat"), "gammel x");
  IntetTilbage();

  Optaget(tavo::test::kFileRemove, 1);
  {
    Gemning g;
    skrivX();
    GemSlet(Sti("data/ingen.dat").c_str());
    GemSlet(imp.c_str());
    EXPECT_FALSE(g.Fuldfoer());
    EXPECT_TRUE(g.Besluttet());
  }
  tavo::test::ClearFileFault();
  EXPECT_EQ(Tekst("data/x.dat"), "ny x");
  EXPECT_TRUE(Der("data/imp.dat"));
  ASSERT_TRUE(Der("data/gemning.jnl"));
  ASSERT_TRUE(GendanAfbrudtGemning());
  EXPECT_FALSE(Der("data/imp.dat"));
  IntetTilbage();
}

// A file written after its removal in the same save is written; one
// removed after it was written goes, its new version too.
TEST_F(NedbrudGendan, TheLastOfARemovalAndAWriteOfOneFileHolds) {
  Tekst("data/x.dat", "gammel x");
  const std::string x = Sti("data/x.dat");
  {
    Gemning g;
    GemSlet(x.c_str());
    GemFil f;
    ASSERT_TRUE(f.Aabn(x.c_str()) && f.Printf("ny x") && f.Luk());
    EXPECT_TRUE(GemFindes(x.c_str()));
    ASSERT_TRUE(g.Fuldfoer());
  }
  EXPECT_EQ(Tekst("data/x.dat"), "ny x");
  {
    Gemning g;
    GemFil f;
    ASSERT_TRUE(f.Aabn(x.c_str()) && f.Printf("nyere x") && f.Luk());
    GemSlet(x.c_str());
    ASSERT_TRUE(g.Fuldfoer());
  }
  EXPECT_FALSE(Der("data/x.dat"));
  IntetTilbage();
}

// Temporary files of this program's earlier versions go too; other files
// stay.
TEST_F(NedbrudGendan, LeftoversOfEarlierVersionsAreRemoved) {
  for (const char *rel : {"data/skemabeg.tmp", "data/timoak.tmp", "data/CntLokaleBeg.tmp", "data/akti.konv",
                          "data/skemabegkopi.dat.tmp", "data/hontim.gemtmp", "data/akti.DAT.gemny",
                          "ini/ElvRelLokal.tmp", "ini/kopi.ini", "ini/group.ini.tmp", "ini/grupper.ini.gemny"})
    Tekst(rel, "rest");
  for (const char *rel : {"data/akti.DAT", "data/noter.tmp", "ini/grupper.ini", "ini/tavo.ini"}) Tekst(rel, "bliver");
  ASSERT_TRUE(GendanAfbrudtGemning());
  std::set<std::string> tilbage;
  for (const char *u : {"data", "ini"})
    for (auto &e : fs::directory_iterator(rod / u)) tilbage.insert(std::string(u) + "/" + e.path().filename().string());
  EXPECT_EQ(tilbage, (std::set<std::string>{"data/akti.DAT", "data/noter.tmp", "ini/grupper.ini", "ini/tavo.ini"}));
}

// A save abandoned before its commit (a writer's failure, or never
// committed) leaves nothing behind and changes nothing.
TEST_F(NedbrudGendan, AnAbandonedSaveLeavesNothing) {
  Tekst("data/x.dat", "gammel x");
  {
    Gemning g;
    GemFil x, y;
    ASSERT_TRUE(x.Aabn(Sti("data/x.dat").c_str()) && x.Printf("ny x") && x.Luk());
    ASSERT_TRUE(y.Aabn(Sti("ini/y.dat").c_str()) && y.Printf("ny y"));
    // y is dropped unclosed: the save fails; g is never committed.
  }
  EXPECT_EQ(Tekst("data/x.dat"), "gammel x");
  EXPECT_FALSE(Der("ini/y.dat"));
  IntetTilbage();
  // A writer's failure fails the save it is part of, and later files are
  // not even started.
  {
    Gemning g;
    GemMislykket(Sti("data/w.dat").c_str(), ERROR_ACCESS_DENIED);
    GemFil x;
    EXPECT_FALSE(x.Aabn(Sti("data/x.dat").c_str()));
    EXPECT_EQ(x.Fejl(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(g.Fuldfoer());
  }
  EXPECT_EQ(Tekst("data/x.dat"), "gammel x");
  IntetTilbage();
}

}  // namespace
