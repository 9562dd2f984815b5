// A small school made once per test program, a day's changes to it, saves
// run in a child process that the file layer's hook ends at a chosen
// file-changing call, and pictures of the folder to tell the state before
// the save from the state after it.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../data/store_fixture.h"
#include "../datamappe.h"
#include "GEMNING.h"
#include "GRUPPER.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SKOLEDATA.h"
#include "TALTAB.h"
#include "TIMOAK.h"
#include "PERIODE.h"
#include "PPLAPINI.h"
#include "SWITCH.h"
#include "SkfaLokaRel.h"
#include "pathmap.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"

namespace nedbrud {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// Every file of data\ and ini\ by its path below the data folder. The
// settings file (written by the load, not by a save), the profile lock
// files and the log folder are not part of the data set.
using Billede = std::map<std::string, Bytes>;

// In one read: byte by byte, a medium school's folder takes seconds.
inline Bytes LaesFil(const fs::path &p) {
  std::ifstream i(p, std::ios::binary | std::ios::ate);
  Bytes b;
  if (!i) return b;
  b.resize(static_cast<size_t>(i.tellg()));
  i.seekg(0);
  i.read(reinterpret_cast<char *>(b.data()), static_cast<std::streamsize>(b.size()));
  b.resize(static_cast<size_t>(i.gcount()));
  return b;
}

inline Billede Foto(const fs::path &mappe) {
  Billede b;
  for (const char *under : {"data", "ini"}) {
    std::error_code ec;
    for (auto &e : fs::directory_iterator(mappe / under, ec)) {
      const std::string navn = e.path().filename().string();
      if (!e.is_regular_file() || navn[0] == '.' || navn == "tavo.ini") continue;
      b[std::string(under) + "/" + navn] = LaesFil(e.path());
    }
  }
  return b;
}

// The files a save leaves while it runs: temporary files and the record.
inline std::vector<std::string> Rester(const Billede &b) {
  std::vector<std::string> r;
  for (auto &[navn, _] : b)
    if (navn.size() > 6 && (navn.compare(navn.size() - 6, 6, kGemTmpEndelse) == 0 ||
                            navn == "data/gemning.jnl"))
      r.push_back(navn);
  return r;
}

// Files that no writer may leave behind once the next start has recovered:
// the save's own, the profile layer's new copies (".<name>.XXXXXX") and the
// temporary names of writers that wrote beside their file.
inline std::vector<std::string> Strejfere(const fs::path &mappe) {
  std::vector<std::string> r;
  for (const char *under : {"data", "ini", "log"}) {
    std::error_code ec;
    for (auto &e : fs::directory_iterator(mappe / under, ec)) {
      const std::string n = e.path().filename().string();
      const auto ender = [&](const char *x) {
        const size_t k = strlen(x);
        return n.size() >= k && n.compare(n.size() - k, k, x) == 0;
      };
      const bool profilKopi = n.size() > 8 && n[0] == '.' && n[n.size() - 7] == '.' && !ender(".lock");
      if (ender(kGemTmpEndelse) || n == "gemning.jnl" || ender(".tmp") || n == "kopiskph.ini" || profilKopi)
        r.push_back(std::string(under) + "/" + n);
    }
  }
  return r;
}

// Which of two states the folder is in after an interruption.
enum class Tilstand { Foer, Efter, Blandet };

// Each file must equal its picture before or after the save, a missing
// file counting as a state of its own; the folder is before or after as a
// whole, or mixed. A file in neither state is torn and reported in
// *pRevnet.
inline Tilstand Klassificer(const Billede &nu, const Billede &foer, const Billede &efter,
                            std::string *pRevnet) {
  std::set<std::string> navne;
  for (const Billede *b : {&nu, &foer, &efter})
    for (auto &[n, _] : *b) navne.insert(n);
  bool somFoer = true, somEfter = true;
  for (const auto &n : navne) {
    auto hent = [&](const Billede &b) { auto it = b.find(n); return it == b.end() ? nullptr : &it->second; };
    const Bytes *x = hent(nu), *f = hent(foer), *e = hent(efter);
    auto lig = [](const Bytes *a, const Bytes *b) { return (!a && !b) || (a && b && *a == *b); };
    const bool lf = lig(x, f), le = lig(x, e);
    if (!lf && !le) *pRevnet += n + " ";
    somFoer = somFoer && lf;
    somEfter = somEfter && le;
  }
  if (somFoer) return Tilstand::Foer;
  if (somEfter) return Tilstand::Efter;
  return Tilstand::Blandet;
}


// What the child process saves.
enum class Art {
  Forgrund,  // save all with the group files and the start copies
  Baggrund,  // the background save with the start copies
  Grupper,   // the group files alone (the grouping window's save)
  Periode,   // a new schedule period: the period tables and the side files
  Skph,      // ini\skph.ini rewritten by the load's pass over it
  ValgtSwt,  // the field-switch choices at exit
  PpLap,     // ini\pp.ini and ini\lap.ini
  Profil,    // a profile string written into an ini file of the folder
};

constexpr int kDraebt = 77;   // the exit code of a child the hook ended
constexpr int64_t kUr = 1767268800;  // 2026-01-01 12:00 UTC: the same time stamps in every run

class NedbrudSkole : public ::testing::Test {
 protected:
  static inline fs::path base_;
  static inline fs::path ren_;  // the school as made, never changed

  static void SetUpTestSuite() { LavSkole("small"); }
  static void LavSkole(const char *stoerrelse) {
    std::string skabelon = (fs::temp_directory_path() / "nedbrudXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    base_ = skabelon;
    ren_ = base_ / "ren";
    SkoleStoerrelse st;
    ASSERT_TRUE(SkoleStoerrelseFraNavn(stoerrelse, &st));
    std::string fejl;
    ASSERT_EQ(LavSkoleData(ren_.c_str(), st, 7, &fejl), 0) << fejl;
    // Group files from an earlier run, one line of a record long gone.
    std::ofstream(ren_ / "ini" / "grupper.ini", std::ios::binary) << "M424242,5,3\nK1,1,0\n";
    std::ofstream(ren_ / "ini" / "huskgrp.ini", std::ios::binary) << "K3\nM7\nL1\n";
    // Files of the smaller writers, each with something their next write
    // changes.
    std::ofstream(ren_ / "ini" / "skph.ini", std::ios::binary) << "X1,Y1,3\r\n";
    std::ofstream(ren_ / "ini" / "ValgtSwt.ini", std::ios::binary) << "[ObjSwitchNo]\r\n0,K,2\r\n";
    std::ofstream(ren_ / "ini" / "skrm.ini", std::ios::binary) << "[nedbrud]\r\nvaerdi=gammel\r\n";
    storetest::TomAlleTabeller();
    FreePlanTalTabeller();
  }
  static void TearDownTestSuite() {
    storetest::TomAlleTabeller();
    FreePlanTalTabeller();
    std::error_code ec;
    fs::remove_all(base_, ec);
  }

  void SetUp() override { arbejde_ = base_ / "arbejde"; }
  void TearDown() override {
    tavo::test::ClearFileFault();
    tavo::test::StopDialogScript();
    tavo::ClearFakeClock();
    storetest::TomAlleTabeller();
    FreePlanTalTabeller();
    GemningFsync = true;
  }

  fs::path arbejde_;

  static void KopierMappe(const fs::path &fra, const fs::path &til) {
    fs::remove_all(til);
    fs::copy(fra, til, fs::copy_options::recursive);
  }

  // The data store on a folder, named as the command line names it.
  static void PegPaa(const fs::path &mappe) {
    ASSERT_TRUE(SaetSkoleMappe(WindowsMappe(mappe).c_str()));
    VenteDialogLukPause = 0;
    HentGemKrog = HentGemKroge{};
    for (auto &t : AendringsTaellere) t = 0;
    DataAendret = 0;
  }

  // Loads the folder with the state of a fresh start.
  static bool Hent(const fs::path &mappe) {
    storetest::TomAlleTabeller();
    FreePlanTalTabeller();
    PegPaa(mappe);
    return HentAlleData(0) == 0 && AlleDataHentet();
  }

  // A day's work: every third record of akti, anfo, meda, loka, skfa and
  // skph changed, 400 activities added, the last meda records freed (40 of
  // a larger school, half of this one's), every event and posting row
  // changed, group words and remembered masks changed.
  static void Aendringer() {
    const struct {
      const TabDesc *pTd;
      TabVar *pTv;
    } tabeller[] = {{&tdakti, &tvakti}, {&tdanfo, &tvanfo}, {&tdmeda, &tvmeda},
                    {&tdloka, &tvloka}, {&tdskfa, &tvskfa}, {&tdskph, &tvskph}};
    for (auto &t : tabeller)
      for (uint32_t r = 3; r < t.pTv->wRecCnt; r += 3) {
        GetRec(t.pTd, t.pTv, r)[t.pTd->RecSize - 1] ^= 0x5A;
        t.pTv->pfSave[r / t.pTd->RecPrBlok] = 1;
      }
    for (uint32_t i = 0; i < 400; ++i) {
      const uint32_t r = NewRec(&tdakti, &tvakti);
      ASSERT_NE(r, 0u);
      AktiRec *a = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, r));
      a->id = 700000000 + i;
      a->Status = 10;
      snprintf(a->Aktivitet, sizeof a->Aktivitet, "NY%u", i);
      tvakti.pfSave[r / tdakti.RecPrBlok] = 1;
    }
    tvakti.fSorter = 1;
    const uint32_t frie = std::min<uint32_t>(40, (tvmeda.wRecCnt - 1) / 2);
    for (uint32_t r = tvmeda.wRecCnt - frie; r < tvmeda.wRecCnt; ++r) {
      memset(GetRec(&tdmeda, &tvmeda, r), 0, tdmeda.RecSize);
      tvmeda.pfSave[r / tdmeda.RecPrBlok] = 1;
    }
    tvmeda.fSorter = 1;
    for (TabVar *tabeller2 : {SkemabegUgeTab, TimoakMndTab}) {
      const bool uger = tabeller2 == SkemabegUgeTab;
      const TabDesc *pTd = uger ? &tdske : &tdtimoak;
      const uint32_t n = uger ? ANTAL_UGEBUCKETS : ANTAL_MNDBUCKETS;
      for (uint32_t b = 0; b < n; ++b)
        for (uint32_t r = 1; r < tabeller2[b].wRecCnt; ++r) GetRec(pTd, &tabeller2[b], r)[pTd->RecSize - 1] ^= 0x33;
    }
    for (uint32_t r = 1; r < tvakti.wRecCnt; r += 2) reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, r))->Gruppe ^= 0x40;
    for (uint32_t r = 1; r < tvanfo.wRecCnt; r += 2) reinterpret_cast<AnfoRec *>(GetRec(&tdanfo, &tvanfo, r))->Gruppe ^= 0x40;
    HuskGruppe[GRP_AKTI] = 5;
    HuskGruppe[GRP_ANFO] = 9;
    for (auto &t : AendringsTaellere) t = 2;
    DataAendret = 1;
  }

  // The save of art into the prepared tables; true when it reported success.
  static bool Gem(Art art) {
    HentGemKrog.GemGruppeValg = [] { GemGruppeValg(0); };
    HentGemKrog.GemStartKopi = GemStartKopi;
    switch (art) {
      case Art::Forgrund:
        return GemAlleData(0, 1);
      case Art::Baggrund: {
        AutoGemBlok blok{};
        HANDLE h = StartAutoGemAlleData(&blok);
        if (!h) return false;
        WaitForSingleObject(h, INFINITE);
        CloseHandle(h);
        return blok.Fejlet.load() == 0;
      }
      case Art::Grupper:
        return GemGruppeValg(0);
      case Art::Periode:
        // A month off the end of the period.
        return SkiftPeriode(SkemaPeriode.FraDato, SkemaPeriode.TilDato - 100, SkemaPeriode.LaasDato);
      case Art::Skph:
        LoadSkphIni();
        return true;
      case Art::ValgtSwt:
        return GemValgtSwt();
      case Art::PpLap:
        return GemPpLapIni() == 0;
      case Art::Profil: {
        const std::string ini = std::string(StiTab.szdata) + "ini\\skrm.ini";
        return WritePrivateProfileStringA("nedbrud", "vaerdi", "ny", ini.c_str()) != FALSE;
      }
    }
    return false;
  }

  struct Barn {
    int kode = -1;       // exit code; kDraebt when the hook ended it
    uint64_t kald = 0;   // file-changing calls under the folder (a save that ran to its end)
  };

  // A child process loads the work folder, makes the day's changes and
  // saves; the hook ends it at the nth file-changing call under the folder
  // (0: never, the calls are only counted).
  Barn KoerBarn(Art art, uint64_t nth) {
    int roer[2];
    EXPECT_EQ(pipe(roer), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      close(roer[0]);
      tavo::SetFakeClock(kUr);
      tavo::test::StartDialogScript();
      int kode = 2;
      if (Hent(arbejde_)) {
        Aendringer();
        tavo::test::FileFault f;
        f.nth = nth;
        f.exitCode = kDraebt;
        f.under = arbejde_.string();
        tavo::test::SetFileFault(f);
        kode = Gem(art) ? 0 : 1;
      }
      const uint64_t k = tavo::test::FileCallsCounted();
      (void)!write(roer[1], &k, sizeof k);
      _exit(kode);
    }
    close(roer[1]);
    Barn b;
    if (read(roer[0], &b.kald, sizeof b.kald) != sizeof b.kald) b.kald = 0;
    close(roer[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    b.kode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return b;
  }

  // Kills the save at every file-changing call in turn. After each, the
  // next start's recovery runs; no temporary file may remain, the files
  // must all be as before or all as after, none torn, and the folder loads.
  void DraebVedHvertKald(Art art, uint64_t mindstKald = 11) {
    KopierMappe(ren_, arbejde_);
    const Billede foer = Foto(arbejde_);
    const Barn hel = KoerBarn(art, 0);
    ASSERT_EQ(hel.kode, 0) << "the uninterrupted save";
    ASSERT_GE(hel.kald, mindstKald);
    const Billede efter = Foto(arbejde_);
    ASSERT_NE(foer, efter);
    ASSERT_TRUE(Rester(efter).empty());

    std::map<Tilstand, int> udfald;
    for (uint64_t n = 1; n <= hel.kald; ++n) {
      SCOPED_TRACE("killed at call " + std::to_string(n) + " of " + std::to_string(hel.kald));
      KopierMappe(ren_, arbejde_);
      const Barn b = KoerBarn(art, n);
      ASSERT_EQ(b.kode, kDraebt);

      PegPaa(arbejde_);
      ASSERT_TRUE(GendanAfbrudtGemning());
      const Billede nu = Foto(arbejde_);
      EXPECT_TRUE(Rester(nu).empty()) << Rester(nu)[0];
      const auto strejfere = Strejfere(arbejde_);
      EXPECT_TRUE(strejfere.empty()) << strejfere[0];
      std::string revnet;
      const Tilstand t = Klassificer(nu, foer, efter, &revnet);
      EXPECT_NE(t, Tilstand::Blandet);
      EXPECT_EQ(revnet, "") << "torn files";
      ++udfald[t];
      ASSERT_TRUE(Hent(arbejde_)) << "the folder loads";
    }
    std::cout << "   " << hel.kald << " calls: " << udfald[Tilstand::Foer] << " old, "
              << udfald[Tilstand::Efter] << " new\n";
    EXPECT_GT(udfald[Tilstand::Foer], 0);
    EXPECT_GT(udfald[Tilstand::Efter], 0);
  }
};

}  // namespace nedbrud
