// Saves that fail: a disk that fills up at every point of the save, and
// each kind of file call failing. The save says so, and the folder keeps
// the last saved data.
#include "nedbrud_fixture.h"

namespace nedbrud {
namespace {

// The work folder on a drive of its own, so that a quota can be set on it.
class GemFejlSkole : public NedbrudSkole {
 protected:
  void SetUp() override {
    NedbrudSkole::SetUp();
    tavo::SetDrive('T', base_.string(), DRIVE_FIXED);
    tavo::SetFakeClock(kUr);
  }
  void TearDown() override {
    tavo::ResetDrives();
    NedbrudSkole::TearDown();
  }

  // The school loaded afresh with the day's changes, ready to save.
  void Forbered() {
    KopierMappe(ren_, arbejde_);
    ASSERT_TRUE(Hent(arbejde_));
    Aendringer();
  }

  // The one message box of a failed save.
  static tavo::test::MessageBoxRecord EnBoks() {
    const auto bokse = tavo::test::MessageBoxesShown();
    EXPECT_EQ(bokse.size(), 1u);
    return bokse.empty() ? tavo::test::MessageBoxRecord{} : bokse[0];
  }

  // Every table and bucket in memory, as bytes.
  static std::vector<Bytes> Hukommelse() {
    std::vector<Bytes> v;
    for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
      const uint8_t *p = e->pTabVar->pbTab;
      v.emplace_back(p, p + static_cast<size_t>(e->pTabVar->wRecCnt) * e->pTabDesc->RecSize);
    }
    for (uint32_t b = 0; b < ANTAL_UGEBUCKETS; ++b) {
      const TabVar &t = SkemabegUgeTab[b];
      if (t.wRecCnt) v.emplace_back(t.pbTab, t.pbTab + static_cast<size_t>(t.wRecCnt) * tdske.RecSize);
    }
    for (uint32_t b = 0; b < ANTAL_MNDBUCKETS; ++b) {
      const TabVar &t = TimoakMndTab[b];
      if (t.wRecCnt) v.emplace_back(t.pbTab, t.pbTab + static_cast<size_t>(t.wRecCnt) * tdtimoak.RecSize);
    }
    return v;
  }
};

using FuldDisk = GemFejlSkole;
using NedbrudFejlKald = GemFejlSkole;

TEST_F(FuldDisk, EveryLevelBelowTheSaveFailsAndKeepsTheFolderThenTheSaveSucceeds) {
  const Billede foer = Foto(ren_);
  // What the save writes, and what it leaves.
  Forbered();
  constexpr uint64_t kRigelig = 1ull << 40;
  ASSERT_TRUE(tavo::SetDriveQuota('T', kRigelig));
  ASSERT_TRUE(Gem(Art::Forgrund));
  tavo::DriveEntry t;
  ASSERT_TRUE(tavo::GetDrive('T', t));
  const uint64_t bytes = kRigelig - t.quotaLeft;
  const Billede efter = Foto(arbejde_);
  ASSERT_NE(foer, efter);

  for (uint64_t fri : {uint64_t{0}, uint64_t{1}, uint64_t{21}, uint64_t{22}, uint64_t{4096}, bytes / 4,
                       bytes / 2, bytes - 4096, bytes - 1}) {
    SCOPED_TRACE(std::to_string(fri) + " of " + std::to_string(bytes) + " bytes free");
    Forbered();
    ASSERT_TRUE(tavo::SetDriveQuota('T', fri));
    tavo::test::StartDialogScript();
    EXPECT_FALSE(Gem(Art::Forgrund));
    const auto boks = EnBoks();
    tavo::test::StopDialogScript();
    EXPECT_EQ(boks.caption, "Gem");
    EXPECT_NE(boks.text.find("Der er ikke plads nok på disken"), std::string::npos) << boks.text;
    EXPECT_NE(boks.text.find("De sidst gemte data er uændrede"), std::string::npos) << boks.text;
    EXPECT_EQ(DataAendret.load(), 1u);
    EXPECT_EQ(Foto(arbejde_), foer);

    // With room again, the same data in memory is saved.
    tavo::ClearDriveQuota('T');
    EXPECT_TRUE(Gem(Art::Forgrund));
    EXPECT_EQ(DataAendret.load(), 0u);
    EXPECT_EQ(Foto(arbejde_), efter);
    const auto gemt = Hukommelse();
    ASSERT_TRUE(Hent(arbejde_));
    EXPECT_TRUE(Hukommelse() == gemt) << "the saved folder loads equal to memory";
  }
  // With exactly enough room the save succeeds.
  Forbered();
  ASSERT_TRUE(tavo::SetDriveQuota('T', bytes));
  EXPECT_TRUE(Gem(Art::Forgrund));
  EXPECT_EQ(Foto(arbejde_), efter);
}

// The background save reports on its own thread, after the save lock is
// free again, and leaves the data marked for the next save.
TEST_F(FuldDisk, BackgroundSaveReportsAndTheNextOneSaves) {
  const Billede foer = Foto(ren_);
  Forbered();
  ASSERT_TRUE(tavo::SetDriveQuota('T', 4096));
  tavo::test::StartDialogScript();
  EXPECT_FALSE(Gem(Art::Baggrund));
  const auto boks = EnBoks();
  tavo::test::StopDialogScript();
  EXPECT_EQ(boks.caption, "Gem");
  EXPECT_NE(boks.text.find("Der er ikke plads nok på disken"), std::string::npos) << boks.text;
  EXPECT_EQ(DataAendret.load(), 1u);
  EXPECT_EQ(Foto(arbejde_), foer);

  tavo::ClearDriveQuota('T');
  EXPECT_TRUE(Gem(Art::Baggrund));
  const auto gemt = Hukommelse();
  ASSERT_TRUE(Hent(arbejde_));
  EXPECT_TRUE(Hukommelse() == gemt) << "the saved folder loads equal to memory";
}

// A call of each kind fails, the first, a middle and the last of its kind
// in the save. Before the commit the folder stays as it was; a failure
// after it (a rename, the folder flush, removing the record) is reported
// as such, and the next start finishes the save.
TEST_F(NedbrudFejlKald, EachFailingKindIsReportedAndLeavesAnIntactFolder) {
  using namespace tavo::test;
  const struct {
    unsigned kind;
    DWORD fejl;
    const char *tekst;
  } tilfaelde[] = {
      {kFileOpenForWrite, ERROR_ACCESS_DENIED, "Adgang nægtet"},
      {kFileWrite, ERROR_GEN_FAILURE, "fungerer ikke"},
      {kFileTruncate, ERROR_GEN_FAILURE, "fungerer ikke"},
      {kFileFlush, ERROR_GEN_FAILURE, "fungerer ikke"},
      {kFileRename, ERROR_SHARING_VIOLATION, "bruges af en anden"},
      {kFileRemove, ERROR_ACCESS_DENIED, "Adgang nægtet"},
  };
  const Billede foer = Foto(ren_);
  Forbered();
  ASSERT_TRUE(Gem(Art::Forgrund));
  const Billede efter = Foto(arbejde_);

  for (const auto &t : tilfaelde) {
    Forbered();
    FileFault taelling;
    taelling.kinds = t.kind;
    taelling.under = arbejde_.string();
    SetFileFault(taelling);
    ASSERT_TRUE(Gem(Art::Forgrund));
    const uint64_t antal = FileCallsCounted();
    ASSERT_GT(antal, 0u) << t.kind;
    for (uint64_t n : {uint64_t{1}, (antal + 1) / 2, antal}) {
      SCOPED_TRACE("kind " + std::to_string(t.kind) + ", call " + std::to_string(n) + " of " +
                   std::to_string(antal));
      Forbered();
      FileFault f = taelling;
      f.nth = n;
      f.error = t.fejl;
      SetFileFault(f);
      StartDialogScript();
      EXPECT_FALSE(Gem(Art::Forgrund));
      const auto boks = EnBoks();
      StopDialogScript();
      EXPECT_EQ(LastFileFaultHit().kind, t.kind);
      ClearFileFault();
      EXPECT_EQ(boks.caption, "Gem");
      EXPECT_NE(boks.text.find(t.tekst), std::string::npos) << boks.text;
      GemFejl fejl{};
      ASSERT_TRUE(SidsteGemFejl(&fejl));
      EXPECT_EQ(fejl.Fejl, t.fejl);
      EXPECT_EQ(DataAendret.load(), 1u);
      if (!fejl.Besluttet) { EXPECT_EQ(Foto(arbejde_), foer); }

      // The next start.
      PegPaa(arbejde_);
      ASSERT_TRUE(GendanAfbrudtGemning());
      const Billede nu = Foto(arbejde_);
      EXPECT_TRUE(Rester(nu).empty());
      EXPECT_EQ(nu, fejl.Besluttet ? efter : foer);
      EXPECT_TRUE(Hent(arbejde_));
    }
  }
}

}  // namespace
}  // namespace nedbrud
