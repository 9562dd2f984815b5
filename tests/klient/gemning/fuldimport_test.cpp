// A whole data set imported at the start ('G'): emptied and read in one
// commit with the save of the imported data. A broken file deletes nothing
// and does not stop the next start; a start killed at any file-changing
// call leaves the old data set or the new one.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "FULDIMPORT.h"
#include "KROGE.h"
#include "ImpData.h"
#include "NULSTIL.h"
#include "nedbrud_fixture.h"

namespace nedbrud {
namespace {

class FuldImportFejl : public NedbrudSkole {
 protected:
  // Table and side files only: the start itself may rewrite settings and
  // group files.
  static Billede Data(const Billede &b) {
    Billede d;
    for (auto &[n, v] : b)
      if (n.compare(0, 5, "data/") == 0 && n != "data/imp.dat" && n != "data/imp.fejl") d[n] = v;
    return d;
  }

  // Without the group files: the import saves the group choices on its own
  // before it reads the file, a save of its own.
  static Billede UdenGrupper(Billede b) {
    b.erase("ini/grupper.ini");
    b.erase("ini/huskgrp.ini");
    return b;
  }

  struct Start {
    int kode = -1;
    std::string bokse;  // "caption|text" of each box, one a line
  };

  // A start in a child process: the recovery, then the load with the import
  // of data\imp.dat. The boxes are answered with their default and
  // reported; the hook ends the child at the nth file-changing call under
  // the folder (0: never).
  Start KoerStart(uint64_t nth, uint64_t *pKald = nullptr) {
    int roer[2];
    EXPECT_EQ(pipe(roer), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      close(roer[0]);
      tavo::SetFakeClock(kUr);
      tavo::test::StartDialogScript();
      for (int i = 0; i < 8; ++i)
        tavo::test::AnswerNextDialog([fd = roer[1]](const tavo::test::ShownDialog &d) -> INT_PTR {
          if (!d.messageBox) return 0;
          const std::string linje = "B" + d.caption + "|" + d.text + "\n";
          (void)!write(fd, linje.data(), linje.size());
          return IDOK;
        });
      PegPaa(arbejde_);
      HentGemKrog.GemStartKopi = GemStartKopi;
      InstallerImportData();
      ImportDataKrog = ImportDataKroge{};
      ImportDataKrog.ResetAllData = ResetAllData;
      storetest::TomAlleTabeller();
      FreePlanTalTabeller();
      tavo::test::FileFault f;
      f.nth = nth;
      f.exitCode = kDraebt;
      f.under = arbejde_.string();
      tavo::test::SetFileFault(f);
      int kode = 0;
      if (!GendanAfbrudtGemning()) {
        kode = 3;
      } else {
        StartHentAlleData();
        if (!AlleDataHentet()) kode = 4;
      }
      char tal[32];
      snprintf(tal, sizeof tal, "K%llu\n", static_cast<unsigned long long>(tavo::test::FileCallsCounted()));
      (void)!write(roer[1], tal, strlen(tal));
      _exit(kode);
    }
    close(roer[1]);
    std::string ud;
    char buf[512];
    ssize_t n;
    while ((n = read(roer[0], buf, sizeof buf)) > 0) ud.append(buf, static_cast<size_t>(n));
    close(roer[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    Start s;
    s.kode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    size_t pos = 0;
    while (pos < ud.size()) {
      const size_t nl = ud.find('\n', pos);
      const std::string l = ud.substr(pos, nl - pos);
      pos = nl == std::string::npos ? ud.size() : nl + 1;
      if (l[0] == 'B') s.bokse += l.substr(1) + "\n";
      if (l[0] == 'K' && pKald) *pKald = std::stoull(l.substr(1));
    }
    return s;
  }

  // The files in which two pictures differ.
  static std::string Forskel(const Billede &a, const Billede &b) {
    std::string r;
    std::set<std::string> navne;
    for (const Billede *x : {&a, &b})
      for (auto &[n, _] : *x) navne.insert(n);
    for (const auto &n : navne) {
      auto ia = a.find(n), ib = b.find(n);
      if (ia == a.end() || ib == b.end() || ia->second != ib->second) r += n + " ";
    }
    return r;
  }

  static void SkrivImport(const fs::path &mappe, const std::string &indhold) {
    std::ofstream(mappe / "data" / "imp.dat", std::ios::binary) << indhold;
  }
};

TEST_F(FuldImportFejl, ABrokenFileDeletesNothingAndTheNextStartRuns) {
  const std::string imp = "G;20240801;20240801;20250731;1733835600;1;A;0;0\r\n!FEJL\r\n";
  KopierMappe(ren_, arbejde_);
  SkrivImport(arbejde_, imp);
  const Billede foer = Data(Foto(arbejde_));

  const Start s = KoerStart(0);
  EXPECT_EQ(s.kode, kDataFejlExitKode);
  EXPECT_NE(s.bokse.find("Data fejl|Fejl i data import filen! Programmet stopper."), std::string::npos)
      << s.bokse;
  EXPECT_EQ(Data(Foto(arbejde_)), foer) << "a table or side file changed";
  EXPECT_TRUE(Strejfere(arbejde_).empty());
  // Kept for the support, where the next start does not read it.
  EXPECT_FALSE(fs::exists(arbejde_ / "data" / "imp.dat"));
  EXPECT_EQ(LaesFil(arbejde_ / "data" / "imp.fejl"), Bytes(imp.begin(), imp.end()));

  const Start naeste = KoerStart(0);
  EXPECT_EQ(naeste.kode, 0) << naeste.bokse;
  EXPECT_EQ(naeste.bokse, "");
  EXPECT_EQ(Data(Foto(arbejde_)), foer);
}

// The whole school as a 'G' file over the school: killed at each call, the
// next start finds the old data set (and reads the import again) or the
// new one (and the file gone).
TEST_F(FuldImportFejl, AStartKilledDuringAWholeImportLeavesTheOldOrTheNewDataSet) {
  KopierMappe(ren_, arbejde_);
  // A start and a save first, so that what any start rewrites before the
  // import (settings, group files) already stands as it writes it.
  ASSERT_TRUE(Hent(arbejde_));
  ASSERT_TRUE(GemAlleData(0, 1));
  const fs::path fuld = base_ / "fuld.dat";
  std::string fejl;
  ASSERT_EQ(SkrivFuldImport(fuld.c_str(), &fejl), 0) << fejl;
  std::string imp((std::istreambuf_iterator<char>(std::ifstream(fuld, std::ios::binary).rdbuf())),
                  std::istreambuf_iterator<char>());
  ASSERT_FALSE(imp.empty());
  imp[0] = 'G';
  SkrivImport(arbejde_, imp);
  const fs::path klar = base_ / "klar";
  KopierMappe(arbejde_, klar);
  const Billede foer = UdenGrupper(Foto(arbejde_));

  uint64_t kald = 0;
  const Start hel = KoerStart(0, &kald);
  ASSERT_EQ(hel.kode, 0) << hel.bokse;
  const Billede efter = UdenGrupper(Foto(arbejde_));
  ASSERT_FALSE(efter.count("data/imp.dat"));
  ASSERT_GT(kald, 10u);

  // Every call is one whole start under the sanitizers; the test command
  // kills at the first calls, the commit's calls at the end and a spread
  // between them. TAVO_ALLE_DRAEBSPUNKTER=1 kills at every call.
  std::set<uint64_t> punkter;
  const bool alle = std::getenv("TAVO_ALLE_DRAEBSPUNKTER") != nullptr;
  for (uint64_t n = 1; n <= kald; ++n)
    if (alle || n <= 4 || n + 12 > kald || n % std::max<uint64_t>(1, kald / 8) == 0) punkter.insert(n);
  std::map<Tilstand, int> udfald;
  for (uint64_t n : punkter) {
    SCOPED_TRACE("killed at call " + std::to_string(n) + " of " + std::to_string(kald));
    KopierMappe(klar, arbejde_);
    ASSERT_EQ(KoerStart(n).kode, kDraebt);
    PegPaa(arbejde_);
    ASSERT_TRUE(GendanAfbrudtGemning());
    const Billede nu = UdenGrupper(Foto(arbejde_));
    const auto strejfere = Strejfere(arbejde_);
    EXPECT_TRUE(strejfere.empty()) << strejfere[0];
    std::string revnet;
    const Tilstand t = Klassificer(nu, foer, efter, &revnet);
    EXPECT_NE(t, Tilstand::Blandet) << "new: " << Forskel(nu, foer) << " old: " << Forskel(nu, efter);
    EXPECT_EQ(revnet, "") << "torn files";
    ++udfald[t];
  }
  std::cout << "   " << kald << " calls: " << udfald[Tilstand::Foer] << " old, " << udfald[Tilstand::Efter]
            << " new\n";
  EXPECT_GT(udfald[Tilstand::Foer], 0);
  EXPECT_GT(udfald[Tilstand::Efter], 0);
}

}  // namespace
}  // namespace nedbrud
