// Two programs on one data folder: a save holding its commit and another
// program writing one file through the save. One saver at a time per
// folder, whatever becomes of the first.
#include <signal.h>

#include <chrono>
#include <thread>

#include "nedbrud_fixture.h"

namespace nedbrud {
namespace {

class GemningFlereProcesser : public NedbrudSkole {
 protected:
  static constexpr char kAndenFil[] = "ini/andenskriver.ini";
  static constexpr char kAndenIndhold[] = "[anden]\r\nskrevet=1\r\n";
  static constexpr int kOptaget = 3;

  static void Vent(int fd) {
    char c = 0;
    EXPECT_EQ(read(fd, &c, 1), 1) << "a program ended early";
  }
  static void Signal(int fd) {
    const char c = 'x';
    (void)!write(fd, &c, 1);
  }

  // The other program: one file through the save, into the folder named as
  // the program names it. Exit 0 when written, kOptaget when the folder
  // was reported busy, 1 on any other failure.
  static int AndenSkriver(const fs::path &mappe, DWORD ventetid) {
    PegPaa(mappe);
    GemningVentetid = ventetid;
    GemFil f;
    const std::string sti = std::string(StiTab.szdata) + "ini\\andenskriver.ini";
    if (f.Aabn(sti.c_str()) && f.Skriv(kAndenIndhold, strlen(kAndenIndhold)) && f.Luk()) return 0;
    GemFejl fejl{};
    return SidsteGemFejl(&fejl) && fejl.Fejl == static_cast<DWORD>(ERROR_LOCK_VIOLATION) ? kOptaget : 1;
  }

  static int Afslut(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  struct Udfald {
    int foerste = -1, anden = -1;
    uint64_t omdoebninger = 0;
  };

  // The first program loads the work folder, makes the day's changes and
  // starts its save, holding the folder; the second then tries to write
  // its file; then the first saves and is killed at its nth rename (0:
  // never, the renames are only counted).
  Udfald ToProgrammer(uint64_t nth) {
    int tilForaelder[2], tilFoerste[2], fraAnden[2];
    EXPECT_EQ(pipe(tilForaelder), 0);
    EXPECT_EQ(pipe(tilFoerste), 0);
    EXPECT_EQ(pipe(fraAnden), 0);
    const pid_t foerste = fork();
    if (foerste == 0) {
      tavo::SetFakeClock(kUr);
      tavo::test::StartDialogScript();
      int kode = 2;
      uint64_t k = 0;
      if (Hent(arbejde_)) {
        Aendringer();
        Gemning g;
        Signal(tilForaelder[1]);
        Vent(tilFoerste[0]);
        tavo::test::FileFault f;
        f.kinds = tavo::test::kFileRename;
        f.nth = nth;
        f.exitCode = kDraebt;
        f.under = arbejde_.string();
        tavo::test::SetFileFault(f);
        kode = Gem(Art::Forgrund) && g.Fuldfoer() ? 0 : 1;
        k = tavo::test::FileCallsCounted();
      } else {
        Signal(tilForaelder[1]);
      }
      (void)!write(tilForaelder[1], &k, sizeof k);
      _exit(kode);
    }
    Udfald u;
    // Only the children write: a child that ends early ends the reads.
    close(tilForaelder[1]);
    close(tilFoerste[0]);
    Vent(tilForaelder[0]);
    const pid_t anden = fork();
    if (anden == 0) {
      Signal(fraAnden[1]);
      _exit(AndenSkriver(arbejde_, 30000));
    }
    close(fraAnden[1]);
    Vent(fraAnden[0]);
    // The second is now waiting on the folder, or about to.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    Signal(tilFoerste[1]);
    if (read(tilForaelder[0], &u.omdoebninger, sizeof u.omdoebninger) != sizeof u.omdoebninger)
      u.omdoebninger = 0;
    u.foerste = Afslut(foerste);
    u.anden = Afslut(anden);
    for (int fd : {tilForaelder[0], tilFoerste[1], fraAnden[0]}) close(fd);
    return u;
  }
};

TEST_F(GemningFlereProcesser, ASecondWriterWaitsAndEveryKilledRenameLeavesOldOrNew) {
  KopierMappe(ren_, arbejde_);
  const Billede foer = Foto(arbejde_);
  const Udfald hel = ToProgrammer(0);
  ASSERT_EQ(hel.foerste, 0);
  ASSERT_EQ(hel.anden, 0);
  ASSERT_GT(hel.omdoebninger, 5u);
  Billede efter = Foto(arbejde_);
  ASSERT_EQ(efter[kAndenFil], Bytes(kAndenIndhold, kAndenIndhold + strlen(kAndenIndhold)));
  efter.erase(kAndenFil);
  ASSERT_TRUE(Rester(efter).empty());

  for (uint64_t n = 1; n <= hel.omdoebninger; ++n) {
    SCOPED_TRACE("first killed at rename " + std::to_string(n) + " of " + std::to_string(hel.omdoebninger));
    KopierMappe(ren_, arbejde_);
    const Udfald u = ToProgrammer(n);
    ASSERT_EQ(u.foerste, kDraebt);
    // The second waited for the first's end and then wrote its file: the
    // renames the first had decided were finished first.
    EXPECT_EQ(u.anden, 0);

    // The next start.
    PegPaa(arbejde_);
    ASSERT_TRUE(GendanAfbrudtGemning());
    Billede nu = Foto(arbejde_);
    EXPECT_TRUE(Rester(nu).empty()) << Rester(nu)[0];
    EXPECT_EQ(nu[kAndenFil], Bytes(kAndenIndhold, kAndenIndhold + strlen(kAndenIndhold)));
    nu.erase(kAndenFil);
    std::string revnet;
    EXPECT_NE(Klassificer(nu, foer, efter, &revnet), Tilstand::Blandet);
    EXPECT_EQ(revnet, "") << "torn files";
    ASSERT_TRUE(Hent(arbejde_)) << "the folder loads";
  }
}

// A save killed after its commit record, while a third program holds the
// folder: the second program must neither take the record for a cut one
// nor clean up; it reports the busy folder, and nothing is lost.
TEST_F(GemningFlereProcesser, ARecordOfAFolderHeldElsewhereIsLeftAloneAndTheWriterToldBusy) {
  KopierMappe(ren_, arbejde_);
  const Billede foer = Foto(arbejde_);
  // Killed at the first rename: the record is whole, nothing renamed yet.
  tavo::SetFakeClock(kUr);
  {
    const pid_t pid = fork();
    if (pid == 0) {
      int kode = 2;
      tavo::test::StartDialogScript();
      if (Hent(arbejde_)) {
        Aendringer();
        tavo::test::FileFault f;
        f.kinds = tavo::test::kFileRename;
        f.nth = 1;
        f.exitCode = kDraebt;
        f.under = arbejde_.string();
        tavo::test::SetFileFault(f);
        kode = Gem(Art::Forgrund) ? 0 : 1;
      }
      _exit(kode);
    }
    ASSERT_EQ(Afslut(pid), kDraebt);
  }
  const Billede afbrudt = Foto(arbejde_);
  ASSERT_TRUE(afbrudt.count("data/gemning.jnl"));

  int roer[2];
  ASSERT_EQ(pipe(roer), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    PegPaa(arbejde_);
    char sti[kStiLaengde];
    GemLaasSti(sti, sizeof sti);
    HANDLE h = CreateFileA(sti, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, 0, 0);
    OVERLAPPED ov{};
    const bool ok = h != INVALID_HANDLE_VALUE && LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &ov);
    Signal(roer[1]);
    if (ok) pause();
    _exit(1);
  }
  Vent(roer[0]);
  const pid_t anden = fork();
  if (anden == 0) _exit(AndenSkriver(arbejde_, 300));
  EXPECT_EQ(Afslut(anden), kOptaget);
  // A start meanwhile waits too, and gives up without touching anything.
  PegPaa(arbejde_);
  GemningVentetid = 300;
  EXPECT_FALSE(GendanAfbrudtGemning());
  GemFejl fejl{};
  ASSERT_TRUE(SidsteGemFejl(&fejl));
  EXPECT_EQ(fejl.Fejl, static_cast<DWORD>(ERROR_LOCK_VIOLATION));
  EXPECT_EQ(Foto(arbejde_), afbrudt) << "the record or a temporary file was touched";

  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  close(roer[0]);
  close(roer[1]);
  GemningVentetid = 30000;
  ASSERT_TRUE(GendanAfbrudtGemning());
  const Billede nu = Foto(arbejde_);
  EXPECT_TRUE(Rester(nu).empty());
  EXPECT_NE(nu, foer) << "the decided save was not finished";
  EXPECT_TRUE(Hent(arbejde_));
  const pid_t igen = fork();
  if (igen == 0) _exit(AndenSkriver(arbejde_, 300));
  EXPECT_EQ(Afslut(igen), 0);
}

}  // namespace
}  // namespace nedbrud
