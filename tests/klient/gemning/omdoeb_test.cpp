// Files replaced in a data folder named as the command line names it
// ("C:\...\data\": backslashes, a trailing backslash), where a rename that
// misses the Windows path rules fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../data/store_fixture.h"
#include "../datamappe.h"
#include "ELVRELLOKAL.h"
#include "FINDREC.h"
#include "GEMNING.h"
#include "GRUPPER.h"
#include "KATALOG.h"
#include "TIMOAK.h"

namespace {

namespace fs = std::filesystem;

class Omdoeb : public ::testing::Test {
 protected:
  fs::path base_, rod_;

  void SetUp() override {
    std::string skabelon = (fs::temp_directory_path() / "omdoebXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    base_ = skabelon;
    rod_ = base_ / "data";
    for (const char *u : {"data", "ini", "log"}) fs::create_directories(rod_ / u);
    const std::string d = WindowsMappe(rod_);
    ASSERT_EQ(d.back(), '\\');
    ASSERT_NE(d.find("\\data\\"), std::string::npos) << d;
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", d.c_str());
    snprintf(StiTab.szini, sizeof StiTab.szini, "%sini\\tavo.ini", d.c_str());
    storetest::TomAlleTabeller();
    SetInitTabFn(InitTab);
    InitPeriode(20240801, 20250731, 20240801);
  }
  void TearDown() override {
    storetest::TomAlleTabeller();
    fs::remove_all(base_);
  }

  void Skriv(const std::string &navn, const std::string &t) {
    std::ofstream(rod_ / navn, std::ios::binary | std::ios::trunc) << t;
  }
  std::string Laes(const std::string &navn) {
    std::ifstream i(rod_ / navn, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }
  // Nothing of the writing left beside the files.
  void IngenRester() {
    for (const char *u : {"data", "ini"})
      for (auto &e : fs::directory_iterator(rod_ / u))
        EXPECT_EQ(e.path().filename().string().find(kGemTmpEndelse), std::string::npos) << e.path();
  }
  uint32_t Akti(uint32_t id) {
    const uint32_t r = NewRec(&tdakti, &tvakti);
    AktiRec *a = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, r));
    a->id = id;
    a->Status = 10;
    tvakti.fSorter = 1;
    return r;
  }
};

TEST_F(Omdoeb, GroupFilesAreReplaced) {
  InitTab(&tdanfo, &tvanfo);
  uint32_t r = NewRec(&tdanfo, &tvanfo);
  AnfoRec *a = reinterpret_cast<AnfoRec *>(GetRec(&tdanfo, &tvanfo, r));
  a->id = 31;
  a->Status = 10;
  a->Gruppe = 6;
  tvanfo.fSorter = 1;
  Skriv("ini/grupper.ini", "M31,1,0\n");
  Skriv("ini/huskgrp.ini", "K1\nM1\nL1\n");
  Skriv("ini/group.ini", "[Group Names]\n");
  HuskGruppe[GRP_ANFO] = 4;
  ASSERT_TRUE(GemGruppeValg(0));
  EXPECT_NE(Laes("ini/grupper.ini").find("M31,6,0\n"), std::string::npos) << Laes("ini/grupper.ini");
  EXPECT_NE(Laes("ini/huskgrp.ini").find("M4\n"), std::string::npos);
  StandardGruppeNavne();
  EXPECT_NE(Laes("ini/group.ini").find("A,1, 1 : Alle hold\n"), std::string::npos);
  IngenRester();
}

TEST_F(Omdoeb, LocalOverlapFileIsReadAndReplaced) {
  InitTab(&tdakti, &tvakti);
  Akti(11);
  Akti(12);
  Skriv("ini/ElvRelLokal.dat", "0;11;12\n");
  LoadLokalElvRel();
  EXPECT_EQ(CountAktiveRec(&tdelvrel2, &tvelvrel2), 1u);
  Skriv("ini/ElvRelLokal.dat", "gammel\n");
  ASSERT_EQ(GemLokalElvRel(), 0);
  EXPECT_EQ(Laes("ini/ElvRelLokal.dat"), "0;11;12\r\n");
  IngenRester();
}

TEST_F(Omdoeb, StartCopiesAreReplacedAndRestored) {
  Skriv("data/skemabeg.dat", "ny-s");
  Skriv("data/timoak.dat", "ny-t");
  Skriv("data/skemabegkopi.dat", "gammel-s");
  Skriv("data/timoakkopi.dat", "gammel-t");
  ASSERT_TRUE(GemStartKopi());
  EXPECT_EQ(Laes("data/skemabegkopi.dat"), "ny-s");
  EXPECT_EQ(Laes("data/timoakkopi.dat"), "ny-t");
  EXPECT_FALSE(Laes("data/StartTid.dat").empty());
  Skriv("data/skemabeg.dat", "senere-s");
  ASSERT_TRUE(GendanStartKopi());
  EXPECT_EQ(Laes("data/skemabeg.dat"), "ny-s");
  IngenRester();
}

}  // namespace
