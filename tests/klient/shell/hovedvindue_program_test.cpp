// The main window of the running program on a small school: the
// background save started by a change, the closing with and without saving
// (also while a slowed background save is still writing), the end of the
// Windows session, and the server entries greyed from the start.
#include <atomic>
#include <cstring>
#include <thread>

#include "HOVEDVIN.h"
#include "KATALOG.h"
#include "KONTAKT.h"
#include "TABOPER.h"
#include "INDSTIL.h"
#include "opstart_support.h"
#include "optager_proces.h"
#include "tavo/test_user.h"

namespace opstarttest {
namespace {

// The background save waits here before it refreshes the start copies:
// until let go, or for the time set.
std::atomic<bool> slip{true};
std::atomic<int> pauseMs{0};
bool (*gemStartKopi)() = nullptr;

bool LangsomStartKopi() {
  for (int i = 0; !slip.load() && i < 2000; ++i) Sleep(5);
  if (pauseMs.load()) Sleep(static_cast<DWORD>(pauseMs.load()));
  return gemStartKopi();
}

class Lukning : public OpstartTest {
 protected:
  void TearDown() override {
    slip = true;
    if (gemStartKopi) HentGemKrog.GemStartKopi = gemStartKopi;
    gemStartKopi = nullptr;
    pauseMs = 0;
    OpstartTest::TearDown();
  }
  // After the start: the background save made slow.
  void Langsom() {
    gemStartKopi = HentGemKrog.GemStartKopi;
    ASSERT_NE(gemStartKopi, nullptr);
    HentGemKrog.GemStartKopi = LangsomStartKopi;
  }
  static void Ret(const char *navn) {
    auto *akti = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, 1));
    std::memcpy(akti->Aktivitet, navn, std::strlen(navn) + 1);
    SetRecStatus(&tdakti, &tvakti, 1, akti->Status);
    // As an edit of the events counts itself.
    ++AendringsTaellere[AENDRING_RETTEDE_BEGIVENHEDER];
  }
  bool Gemt(const char *navn) const { return Laes(Data() / "data" / "akti.DAT").find(navn) != std::string::npos; }
  // The event and posting files, each beside its start copy.
  std::vector<std::pair<std::string, std::string>> Kopier() const {
    std::vector<std::pair<std::string, std::string>> v;
    for (const char *n : {"skemabeg", "timoak"})
      v.emplace_back(Laes(Data() / "data" / (std::string(n) + ".dat")),
                     Laes(Data() / "data" / (std::string(n) + "kopi.dat")));
    return v;
  }
  // The event files changed on disk behind the program's back, so that
  // putting the start copies back shows.
  void RoerFilerne() {
    for (const char *n : {"skemabeg", "timoak"}) {
      const fs::path p = Data() / "data" / (std::string(n) + ".dat");
      ASSERT_TRUE(fs::exists(p));
      Skriv(p, Laes(p) + "rørt");
    }
  }
  static bool Ens(const std::vector<std::pair<std::string, std::string>> &v) {
    for (const auto &[fil, kopi] : v)
      if (fil != kopi || kopi.empty()) return false;
    return true;
  }
  std::string StartLogSlut() const {
    const std::string s = Laes(StartLog());
    return s.size() >= 3 ? s.substr(s.size() - 3) : s;
  }
};

// A burst of changes while a save runs starts no second save: the running
// one took the first change, the next save takes the last.
TEST_F(Lukning, TheBackgroundSaveRunsOneAtATime) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  GlobalIndstillinger.autogem = 1;
  Langsom();
  slip = false;
  Ret("FOERSTE");
  SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
  ASSERT_TRUE(AutoGemKoerer());
  Ret("SIDSTE");
  for (int i = 0; i < 3; ++i) SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
  EXPECT_EQ(DataAendret.load(), 1u) << "the running save did not take the last change";
  slip = true;
  VentPaaAutoGem();
  EXPECT_TRUE(Gemt("FOERSTE"));
  EXPECT_FALSE(Gemt("SIDSTE"));
  SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
  VentPaaAutoGem();
  EXPECT_TRUE(Gemt("SIDSTE"));
  EXPECT_EQ(Luk(), 0);
}

TEST_F(Lukning, NoBackgroundSaveLockedInSuperTavoOrWithoutAutogem) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  const struct {
    const char *navn;
    uint8_t laast, supertavo, autogem;
  } fald[] = {{"locked", 1, 0, 1}, {"SuperTavo", 0, 1, 1}, {"autogem off", 0, 0, 0}};
  for (const auto &f : fald) {
    SCOPED_TRACE(f.navn);
    GlobalIndstillinger.skemalaast = f.laast;
    GlobalIndstillinger.supertavo = f.supertavo;
    GlobalIndstillinger.autogem = f.autogem;
    DataAendret = 0;
    Ret("IKKEAUTO");
    SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
    EXPECT_FALSE(AutoGemKoerer());
    EXPECT_EQ(DataAendret.load(), 0u);
    EXPECT_FALSE(Gemt("IKKEAUTO"));
  }
  GlobalIndstillinger.skemalaast = GlobalIndstillinger.supertavo = 0;
  // Nothing is saved on closing either: autogem is off and the answer is Yes.
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDYES}; });
  EXPECT_EQ(Luk(), 0);
  EXPECT_FALSE(Gemt("IKKEAUTO"));
}

// Closing: autogem on saves without a question; autogem off asks, and Yes
// puts the start copies back while No saves; 1934 puts them back without
// asking. Each also while a slowed background save still writes: the
// closing waits for it before it saves or puts anything back.
TEST_F(Lukning, ClosingSavesOrPutsTheStartCopiesBack) {
  enum Vej { Autogem, Ja, Nej, UdenGem };
  const struct {
    const char *navn;
    Vej vej;
    bool gemt, gendannet;
    std::vector<std::string> bokse;
  } fald[] = {
      {"autogem on", Autogem, true, false, {}},
      {"Yes to the quit question", Ja, false, true, {"Gemme data"}},
      {"No to the quit question", Nej, true, false, {"Gemme data"}},
      {"quit without saving", UdenGem, false, true, {}},
  };
  for (bool underGemning : {false, true}) {
    for (const auto &f : fald) {
      SCOPED_TRACE(std::string(f.navn) + (underGemning ? ", with a save running" : ""));
      TearDown();
      SetUp();
      ASSERT_EQ(Start(), kOpstartFortsaet);
      GlobalIndstillinger.autogem = 1;
      if (underGemning) {
        Langsom();
        pauseMs = 400;
        Ret("AUTOGEMT");
        SendMessageA(hwndHoved, HOVED_DATA_AENDRET, 0, 0);
        ASSERT_TRUE(AutoGemKoerer());
      }
      Ret("LUKKET");
      if (f.gendannet) RoerFilerne();
      GlobalIndstillinger.autogem = f.vej == Autogem;
      if (f.vej == Ja || f.vej == Nej)
        tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
          EXPECT_EQ(d.caption, "Gemme data");
          return INT_PTR{f.vej == Ja ? IDYES : IDNO};
        });
      if (f.vej == UdenGem) {
        SendMessageA(hwndHoved, HOVED_LUK_UDEN_GEM, 0, 0);
        EXPECT_FALSE(AutoGemKoerer()) << "the closing returned while the save still wrote";
        EXPECT_TRUE(Ens(Kopier()));
        EXPECT_EQ(Nedluk(KoerBeskedLoekke()), 0);
      } else {
        EXPECT_EQ(Luk(), 0);
      }
      EXPECT_FALSE(AutoGemKoerer());
      std::vector<std::string> bokse;
      for (const auto &b : tavo::test::MessageBoxesShown()) bokse.push_back(b.caption);
      EXPECT_EQ(bokse, f.bokse);
      EXPECT_EQ(Gemt("LUKKET"), f.gemt);
      if (f.gendannet) { EXPECT_TRUE(Ens(Kopier())); }
    }
  }
}

// The end of the Windows session never asks and never puts the start
// copies back: with autogem on it saves; the lock file goes and the
// START.LOG line is closed either way.
TEST_F(Lukning, TheEndOfTheSessionSavesWithoutAsking) {
  for (bool autogem : {true, false}) {
    SCOPED_TRACE(autogem ? "autogem on" : "autogem off");
    TearDown();
    SetUp();
    ASSERT_EQ(Start(), kOpstartFortsaet);
    GlobalIndstillinger.autogem = autogem;
    Ret("SESSION");
    RoerFilerne();
    const auto roert = Kopier();
    EXPECT_EQ(SendMessageA(hwndHoved, WM_ENDSESSION, TRUE, 0), 0);
    EXPECT_EQ(Gemt("SESSION"), autogem);
    EXPECT_FALSE(fs::exists(Laasefil()));
    EXPECT_EQ(StartLogSlut(), ";\r\n");
    if (!autogem) { EXPECT_EQ(Kopier(), roert) << "the start copies were put back"; }
    // The windows that go after it save and ask nothing more.
    EXPECT_EQ(Luk(), 0);
    EXPECT_TRUE(Bokse().empty());
    EXPECT_EQ(Gemt("SESSION"), autogem);
  }
}

// With the server switch in the data folder at the start, export and
// server contact are greyed in the menu.
TEST_F(Lukning, TheServerSwitchGreysTheServerEntries) {
  Skriv(Data() / "disableserver.lck", "");
  ASSERT_EQ(Start(), kOpstartFortsaet);
  for (UINT id : {40249u, 40250u})
    EXPECT_TRUE(GetMenuState(GetMenu(hwndHoved), id, MF_BYCOMMAND) & MF_GRAYED) << id;
  EXPECT_EQ(Luk(), 0);
}

// "Tjek for opdatering" with an update package waiting: the run's changes
// are saved and its lock and START.LOG line let go before the process ends;
// a read-only run saves nothing and keeps the other run's lock file.
TEST_F(Lukning, AnUpdatePackageEndsTheRunAfterSaving) {
  static std::vector<UINT> afsluttet;
  for (bool laast : {false, true}) {
    SCOPED_TRACE(laast ? "read-only run" : "the run holds the data");
    TearDown();
    SetUp();
    afsluttet.clear();
    const std::string anden = "07,10413,anden,pc7,20260105,08:00,\r\n";
    if (laast) Skriv(Laasefil(), anden);
    ASSERT_EQ(Start(laast ? std::vector<std::string>{"-l"} : std::vector<std::string>{}), kOpstartFortsaet);
    HovedKrog.AfslutProces = [](UINT kode) { afsluttet.push_back(kode); };
    Ret("OPDATERET");
    SaetIndstilling("flag", "koropd", "1");
    ASSERT_TRUE(optagertest::Placer(Prog().string(), "opd" + std::to_string(version + 1) + ".exe"));
    SendMessageA(hwndHoved, WM_COMMAND, 40285, 0);
    EXPECT_EQ(afsluttet, std::vector<UINT>{0});
    EXPECT_EQ(Gemt("OPDATERET"), !laast);
    if (laast) {
      EXPECT_EQ(Laes(Laasefil()), anden);
    } else {
      EXPECT_FALSE(fs::exists(Laasefil()));
      EXPECT_EQ(StartLogSlut(), ";\r\n");
    }
    HovedKrog.AfslutProces = nullptr;
    if (laast) fs::remove(Laasefil());
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDYES}; });
    Luk();
  }
}

using HovedVindueProgram = Lukning;

// The toolbar's buttons name themselves from the start-up's list.
TEST_F(HovedVindueProgram, TheToolbarButtonsHaveTheirTooltips) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  for (const auto &[id, tekst] : {std::pair<int, std::string>{40170, "Gem data"}, {40156, "Arranger i kaskade"}}) {
    NMTTDISPINFOA di{};
    di.hdr.code = TTN_NEEDTEXTA;
    di.hdr.idFrom = static_cast<UINT_PTR>(id);
    EXPECT_EQ(SendMessageA(hwndHoved, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&di)), 0);
    EXPECT_EQ(std::string(di.szText), tekst);
  }
  EXPECT_EQ(Luk(), 0);
}

// Without a newer version the check says which version runs.
TEST_F(Lukning, TheUpdateCheckNamesTheRunningVersion) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  SaetIndstilling("global", "nyversion", "0");
  SendMessageA(hwndHoved, WM_COMMAND, 40285, 0);
  char forventet[80];
  std::snprintf(forventet, sizeof forventet, "Versions tjek|Du er på den nyeste version! (%u.%02u.%02u)",
                version / 10000, version / 100 % 100, version % 100);
  EXPECT_EQ(Bokse(), std::vector<std::string>{forventet});
  EXPECT_EQ(Luk(), 0);
}

}  // namespace
}  // namespace opstarttest

namespace opstarttest {
namespace {

// The contact's worker tells the main window that an auto-schedule file has
// come; the main thread, which owns the menu, enables the import entry.
TEST_F(Lukning, AnAutoScheduleFileEnablesItsImportOnTheMainThread) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  HMENU menu = GetMenu(hwndHoved);
  EnableMenuItem(menu, kImportAutoSkemaKommando, MF_BYCOMMAND | MF_GRAYED);
  // The worker tells only once the answer is there; the start's own menu
  // pass, which may land during the pump, then leaves the entry as well.
  Skriv(Data() / "data" / "as_imp.json", "{}");
  std::thread arbejder([] { PostMessageA(hwndHoved, WM_AUTOSKEMA_KOMMET, 0, 0); });
  arbejder.join();
  EXPECT_TRUE(GetMenuState(menu, kImportAutoSkemaKommando, MF_BYCOMMAND) & MF_GRAYED);
  tavo::test::PumpUntilIdle();
  EXPECT_FALSE(GetMenuState(menu, kImportAutoSkemaKommando, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(Luk(), 0);
}

}  // namespace
}  // namespace opstarttest
