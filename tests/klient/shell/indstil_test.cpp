#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../datamappe.h"
#include "INDSTIL.h"
#include "STITAB.h"
#include "tavo/version.h"

namespace fs = std::filesystem;

namespace {

class Indstil : public ::testing::Test {
 protected:
  void SetUp() override {
    mappe_ = fs::temp_directory_path() / ("dataut_ini_" + std::to_string(::getpid()));
    fs::create_directories(mappe_ / "ini");
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(mappe_).c_str());
    InitStiTab();
    StiTab.laastOenske = 0;
  }
  void TearDown() override {
    StiTab.laastOenske = 0;
    fs::remove_all(mappe_);
  }
  // Settings text (Windows-1252, as the literals of this file are) to read.
  void Laes(const std::string &ini, uint8_t laast = 0) {
    fs::remove(Fil());
    if (!ini.empty()) std::ofstream(Fil(), std::ios::binary) << ini;
    StiTab.laastOenske = laast;
    StandardIndstillinger();
    LaesIndstillinger();
  }
  std::string Indhold() const {
    std::ifstream f(Fil(), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  fs::path Fil() const { return mappe_ / "ini" / "tavo.ini"; }
  fs::path mappe_;
};

TEST_F(Indstil, DefaultsWithoutTheFile) {
  version = TAVO_VERSION_NUMBER;
  Laes("");
  const GlobalIndstillingerData &g = GlobalIndstillinger;
  EXPECT_EQ(g.insnr, 0);
  EXPECT_EQ(version, 99999u);
  EXPECT_EQ(g.taelaktibooking, 1);
  EXPECT_EQ(g.taelmedabooking, 1);
  EXPECT_EQ(g.taelstjerneakti, 1);
  EXPECT_EQ(g.taelstjernemeda, 1);
  EXPECT_EQ(g.skphakkord, 1);
  EXPECT_EQ(g.supertavo, 0);
  EXPECT_EQ(g.skemalaast, 0);
  EXPECT_EQ(g.autogem, 1);
  EXPECT_EQ(g.standardlektion, 0);
  EXPECT_EQ(g.normsystem, 0);
  EXPECT_EQ(g.tastlog, 0);
  EXPECT_EQ(g.medopg, 1);
  EXPECT_EQ(g.sammenfaldsinterval, 0);
  EXPECT_FALSE(fs::exists(Fil()));  // reading never creates it
}

TEST_F(Indstil, ReadOnlyState) {
  const struct {
    const char *ini;
    uint8_t laast;
    uint8_t skemalaast;
  } tabel[] = {
      {"[global]\nskemalåst=Ja\n", 0, 1},
      {"[global]\nskemalåst=jo\n", 0, 1},
      {"[global]\nskemalåst=j\n", 0, 1},
      {"[global]\nskemalåst=nej\n", 0, 0},
      {"[global]\ninsnr=3\n", 0, 0},
      {"[global]\nskemalåst=nej\n", 1, 1},
      {"[global]\nsupertavo=ja\n", 1, 0},
      {"[global]\nsupertavo=Ja\nskemalåst=ja\n", 0, 0},
  };
  for (const auto &t : tabel) {
    Laes(t.ini, t.laast);
    EXPECT_EQ(GlobalIndstillinger.skemalaast, t.skemalaast) << t.ini << " -l " << int(t.laast);
  }
}

TEST_F(Indstil, NumbersAndFlags) {
  Laes("[global]\ninsnr=300\nversion=10412\naktisumperaar=Ja\nsammenfaldsinterval=10\n"
       "[tider]\nstandardlektion=ja\nstandardlektionslengde=45\nB069_Afrunding=20100101\n"
       "[flag]\nnormsystem=2\ntastlog=257\n"
       "[vinduer]\nmedopg=Nej\n");
  const GlobalIndstillingerData &g = GlobalIndstillinger;
  EXPECT_EQ(g.insnr, 44);  // the low 8 bits
  EXPECT_EQ(version, 10412u);
  EXPECT_EQ(g.aktisumperaar, 1);
  EXPECT_EQ(g.anfosumperaar, 0);
  EXPECT_EQ(g.standardlektion, 1);
  EXPECT_EQ(g.standardlektionslengde, 45);
  EXPECT_EQ(g.afrunding, 0);
  EXPECT_EQ(g.normsystem, 2);
  EXPECT_EQ(g.tastlog, 1);
  EXPECT_EQ(g.medopg, 0);
  EXPECT_EQ(g.sammenfaldsinterval, 10);
}

TEST_F(Indstil, StarCountsFollowTheirBookingFlag) {
  const struct {
    const char *ini;
    uint8_t akti, stjerneAkti, meda, stjerneMeda;
  } tabel[] = {
      {"[global]\ntælaktibooking=nej\n", 0, 0, 1, 1},
      {"[global]\ntælaktibooking=nej\ntælstjerneakti=ja\n", 0, 1, 1, 1},
      {"[global]\ntælmedabooking=nej\n", 1, 1, 0, 0},
      {"[global]\ntælmedabooking=ja\ntælstjernemeda=nej\n", 1, 1, 1, 0},
  };
  for (const auto &t : tabel) {
    Laes(t.ini);
    const GlobalIndstillingerData &g = GlobalIndstillinger;
    EXPECT_EQ(g.taelaktibooking, t.akti) << t.ini;
    EXPECT_EQ(g.taelstjerneakti, t.stjerneAkti) << t.ini;
    EXPECT_EQ(g.taelmedabooking, t.meda) << t.ini;
    EXPECT_EQ(g.taelstjernemeda, t.stjerneMeda) << t.ini;
  }
}

TEST_F(Indstil, OldBookingKeysMove) {
  Laes("[global]\r\ntælbooking=NEJ\r\ntælstjerne=Ja\r\n");
  EXPECT_EQ(GlobalIndstillinger.taelaktibooking, 0);
  EXPECT_EQ(GlobalIndstillinger.taelstjerneakti, 1);
  const std::string ini = Indhold();
  EXPECT_EQ(ini.find("tælbooking"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("tælstjerne="), std::string::npos) << ini;
  EXPECT_NE(ini.find("tælaktibooking=nej"), std::string::npos) << ini;
  EXPECT_NE(ini.find("tælstjerneakti=ja"), std::string::npos) << ini;

  // A read-only start takes the old value but leaves the file alone.
  const std::string gammel = "[global]\r\ntælbooking=nej\r\n";
  Laes(gammel, 1);
  EXPECT_EQ(GlobalIndstillinger.taelaktibooking, 0);
  EXPECT_EQ(GlobalIndstillinger.taelstjerneakti, 0);
  EXPECT_EQ(Indhold(), gammel);
}

TEST_F(Indstil, ElevplanPriority) {
  const struct {
    const char *ini;
    int32_t prio;
  } tabel[] = {
      {"", 2},
      {"[flag]\nelevplanprio=1\n", 1},
      {"[flag]\nelevplanprio=3\n", 3},
      {"[global]\nelevplanprio=1\n", 2},  // [flag] only
  };
  for (const auto &t : tabel) {
    Laes(t.ini);
    EXPECT_EQ(GlobalIndstillinger.elevplanprio, t.prio) << t.ini;
  }
}

}  // namespace
