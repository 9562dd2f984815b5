// The field-switch files: layouts read from TavoSwt.ini and LokalSwt.ini,
// the choices in ValgtSwt.ini, refused lines, and the queries over the
// layouts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "STITAB.h"
#include "SWITCH.h"
#include "switch_fixture.h"

namespace {

using switchtest::Tabeller;

// The sort field of switch 0 (a copy: the records are packed).
uint32_t SortFelt(uint32_t art, uint8_t bogstav) {
  const SwitchLayout *l = ObjSwitchLayout(art, bogstav, 0);
  return l ? static_cast<uint32_t>(l->SortFelt) : 0;
}

// A line of an ObjectSwitchField or BrikSwitchField section; a field of
// width 1 + 2 + 8 x tegn + 0 + 1.
std::string L(const std::string &start, int felt, int tegn, const std::string &type = "T",
              int delOffset = 0) {
  return start + "," + std::to_string(felt) + ",1,2," + std::to_string(delOffset) + ",0," +
         std::to_string(tegn) + ",0,1," + type + ",0\r\n";
}

class FeltSwitchIni : public switchtest::SwitchMappe {
 protected:
  // The log lines without the data folder in front of the file name.
  std::vector<std::string> Fejl() const {
    std::vector<std::string> ud;
    for (const std::string &l : SwitchLog()) {
      const size_t p = l.rfind("ini\\");
      ud.push_back(p == std::string::npos ? l : l.substr(p + 4));
    }
    return ud;
  }
};

TEST_F(FeltSwitchIni, FixtureFilesGiveThePartsLayouts) {
  const std::string obj = "[ObjectSwitchField]\r\n";
  const std::string brk = "[BrikSwitchField]\r\n";
  const std::string lang = "12,K,1,5,1,2,0,0,10,0,1,S,0//" + std::string(253 - 29, 'x') + "13,K,0,1,0,0,0,0,1,0,0,T,0\r\n";
  struct Tilfaelde {
    const char *navn;
    std::string tavo, lokal;
    uint8_t medopg;
    int32_t normsystem;
    std::string tabeller;
    std::vector<std::string> log;
  } tabel[] = {
      {"the Part's 84-pixel field", obj + "12,K,1,5,1,2,0,0,10,0,1,S,0\r\n", "", 1, 0, "O12K1:5/84;", {}},
      {"LokalSwt.ini appends to a layout and carries the section over",
       obj + L("12,K,1", 5, 10) + brk + L("3,L,0", 1, 2),
       L("3,L,0", 2, 1) + obj + L("12,K,1", 6, 3) + L("12,K,2", 1, 1), 1, 0,
       "O12K1:5/84,6/28;O12K2:1/12;B3L0:1/20,2/12;", {}},
      {"interleaved layouts each keep their own fields in file order",
       obj + L("3,K,0", 5, 10) + L("3,K,1", 1, 1) + L("3,M,0", 1, 2) + L("3,K,0", 6, 3) + brk + L("3,K,0", 7, 1) +
           obj + L("3,K,1", 2, 2),
       "", 1, 0, "O3K0:5/84,6/28;O3K1:1/12,2/20;O3M0:1/20;B3K0:7/12;", {}},
      {"lines before the first header, comments and unknown sections are skipped",
       L("12,K,1", 5, 10) + "/ " + L("x", 1, 1) + obj + "/" + L("12,K,1", 6, 1) + "\r\n[Andet]\r\n" +
           L("12,K,1", 7, 1) + obj + L("12,K,1", 8, 1),
       "", 1, 0, "O12K1:8/12;", {}},
      {"a comment without a comma: the last column is its first 3 characters",
       obj + "12,K,1,5,1,2,0,0,10,0,1 // navn\r\n", "", 1, 0, "O12K1:5/84;", {}},
      {"a comment with a comma: the columns end at the last comma before it",
       obj + "12,K,1,5,1,2,0,0,10,0,1 // navn, mere\r\n" + "12,K,2,5,1,2,0,0,10,0,1,// navn, mere\r\n", "", 1,
       0, "O12K1:5/83;O12K2:5/84;", {}},
      {"tile lines know no comments",
       brk + "1,K,0,1,1,2,0,0,2,0,1 // a,b\r\n", "", 1, 0, "B1K0:1/20;", {}},
      {"medopg off drops the staff-time fields of employments only",
       obj + L("46,M,0", 1, 4) + L("46,M,0", 314, 7, "S") + L("46,K,0", 1, 2, "S") + L("46,M,1", 315, 7, "S"), "",
       0, 0, "O46M0:1/36;O46K0:1/20;", {}},
      {"medopg on keeps them", obj + L("46,M,0", 314, 7, "S"), "", 1, 0, "O46M0:314/60;", {}},
      {"normsystem drops field 316 of kind 73 switch 5 only",
       obj + L("73,M,5", 316, 7, "S") + L("73,M,5", 315, 7, "S") + L("73,M,4", 316, 7, "S") +
           L("73,K,5", 316, 7, "S"),
       "", 1, 1, "O73M5:315/60;O73M4:316/60;O73K5:316/60;", {}},
      {"kinds of 116 and more, tile kinds of 8 and more are dropped",
       obj + L("116,K,0", 1, 1) + L("115,K,0", 1, 1) + L("-1,K,0", 1, 1) + brk + L("8,K,0", 1, 1) +
           L("7,K,0", 1, 1),
       "", 1, 0, "O115K0:1/12;B7K0:1/12;", {}},
      {"a 15th column is ignored and logged, the line kept",
       obj + "12,K,1,5,1,2,0,0,10,0,1,S,0,0,99\r\n", "", 1, 0, "O12K1:5/84;",
       {"TavoSwt.ini linje 2: mere end 14 kolonner, resten ignoreres"}},
      {"a field number the descriptor lacks is dropped and logged",
       obj + L("12,K,1", 53, 1) + L("12,K,1", 52, 1) + L("12,S,1", 60, 1), "", 1, 0, "O12K1:52/12;O12S1:60/12;",
       {"TavoSwt.ini linje 2: feltnummer 53 findes ikke i tabellen akti"}},
      {"the plan's column areas number column kinds, not fields of their table",
       obj + L("113,#,0", 22, 1) + L("113,#,0", 273, 1) + L("111,#,0", 50, 1), "", 1, 0, "O113#0:22/12,273/12;",
       {"TavoSwt.ini linje 4: feltnummer 50 findes ikke i tabellen ffpp"}},
      {"a byte offset outside the field is dropped and logged",
       obj + L("12,K,1", 1, 1, "T", 16) + L("12,K,1", 1, 1, "T", 15) + L("12,K,1", 210, 1, "T", 999), "", 1, 0,
       "O12K1:1/12,210/12;", {"TavoSwt.ini linje 2: deloffset 16 ligger uden for feltet akti.Aktivitet (16 byte)"}},
      {"an over-long line is dropped and logged, its rest not read as a line",
       obj + lang + L("12,K,2", 1, 1), "", 1, 0, "O12K2:1/12;",
       {"TavoSwt.ini linje 2: linjen er længere end 253 tegn"}},
      {"a line of exactly 253 characters is read",
       obj + "12,K,1,5,1,2,0,0,10,0,1,S,0//" + std::string(253 - 29, 'x') + "\r\n", "", 1, 0, "O12K1:5/84;", {}},
      {"Tegn is clamped to the cell's 254 characters",
       obj + "12,K,1,5,0,0,0,0,999,0,0,T,0\r\n", "", 1, 0, "O12K1:5/2032;", {}},
      {"LokalSwt.ini without TavoSwt.ini", "", obj + L("12,K,1", 5, 10), 1, 0, "O12K1:5/84;", {}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    std::filesystem::remove(rod / "ini" / "TavoSwt.ini");
    std::filesystem::remove(rod / "ini" / "LokalSwt.ini");
    std::filesystem::remove(rod / "log" / "tavo.log");
    LukLog();
    ASSERT_EQ(AabnLog(), 1);
    if (!t.tavo.empty()) SkrivIniFil("TavoSwt.ini", t.tavo);
    if (!t.lokal.empty()) SkrivIniFil("LokalSwt.ini", t.lokal);
    GlobalIndstillinger.medopg = t.medopg;
    GlobalIndstillinger.normsystem = t.normsystem;
    LaesSwitchIni();
    EXPECT_EQ(Tabeller(), t.tabeller);
    EXPECT_EQ(Fejl(), t.log);
  }
}

TEST_F(FeltSwitchIni, NoFilesGiveEmptyTables) {
  LaesSwitchIni();
  EXPECT_EQ(Tabeller(), "");
  EXPECT_EQ(ObjSwitchBredde(12, 'K', 1), 0u);
  EXPECT_EQ(ObjSwitchValgt(12, 'K'), 0u);
}

TEST_F(FeltSwitchIni, TileWidthsCountThreePixelsACharacterInKind7AndAdd14InKinds0To2) {
  std::string t = "[BrikSwitchField]\n";
  for (int art : {0, 1, 2, 3, 7}) t += std::to_string(art) + ",K,0,1,1,2,0,0,10,0,1,T,0\n";
  SkrivIniFil("TavoSwt.ini", t);
  LaesSwitchIni();
  const struct {
    uint32_t art, bredde;
  } tabel[] = {{0, 98}, {1, 98}, {2, 98}, {3, 84}, {7, 34}, {4, 0}, {8, 0}};
  for (const auto &b : tabel) EXPECT_EQ(BrkSwitchBredde(b.art, 'K', 0), b.bredde) << "brikart " << b.art;
  EXPECT_EQ(BrkSwitchBredde(1, 'K', 1), 0u);
}

// ---- The queries ----

class FeltSwitchForesp : public switchtest::SwitchMappe {
 protected:
  void SetUp() override {
    switchtest::SwitchMappe::SetUp();
    // Widths 84, 24 (3 + 8 x 2 + 5), 9 and a field of type I first in switch 1.
    SkrivIniFil("TavoSwt.ini",
                "[ObjectSwitchField]\n"
                "12,K,0,5,1,2,0,0,10,0,1,S,0\n"
                "12,K,0,210,0,3,0,0,2,5,0,T,0\n"
                "12,K,0,5,0,1,0,0,1,0,0,T,0\n"
                "12,K,1,7,0,0,0,0,1,0,0,I,0\n"
                "12,M,0,1,0,0,0,0,1,0,0,T,0\n");
    LaesSwitchIni();
  }
};

TEST_F(FeltSwitchForesp, FieldsWidthsAndPositions) {
  EXPECT_EQ(ObjSwitchFeltAntal(12, 'K', 0), 3u);
  EXPECT_EQ(ObjSwitchBredde(12, 'K', 0), 84u + 24u + 9u);
  const struct {
    uint32_t i, nr, bredde, tegn, start;
  } felter[] = {{0, 5, 84, 10, 0}, {1, 210, 24, 2, 84}, {2, 5, 9, 1, 108}, {3, 0, 0, 0, 0}};
  for (const auto &f : felter) {
    SCOPED_TRACE(f.i);
    EXPECT_EQ(ObjSwitchFeltNr(12, 'K', 0, f.i), f.nr);
    EXPECT_EQ(ObjSwitchFeltBredde(12, 'K', 0, f.i), f.bredde);
    EXPECT_EQ(ObjSwitchFeltTegn(12, 'K', 0, f.i), f.tegn);
    EXPECT_EQ(ObjSwitchFeltStart(12, 'K', 0, f.i), f.start);
    EXPECT_EQ(ObjSwitchFelt(12, 'K', 0, f.i) != nullptr, f.i < 3);
  }
  // The first field and a missing one both answer 0; the field number at
  // the index tells them apart.
  EXPECT_EQ(ObjSwitchFeltIndex(12, 'K', 0, 210), 1u);
  EXPECT_EQ(ObjSwitchFeltIndex(12, 'K', 0, 5), 0u);
  EXPECT_EQ(ObjSwitchFeltIndex(12, 'K', 0, 99), 0u);
  EXPECT_NE(ObjSwitchFeltNr(12, 'K', 0, ObjSwitchFeltIndex(12, 'K', 0, 99)), 99u);

  EXPECT_EQ(ObjSwitchStartMedMellemrum(12, 'K', 0, 4, 0), 0u);
  EXPECT_EQ(ObjSwitchStartMedMellemrum(12, 'K', 0, 4, 1), 0u);
  EXPECT_EQ(ObjSwitchStartMedMellemrum(12, 'K', 0, 4, 3), 84u + 4 + 24 + 4);
  EXPECT_EQ(ObjSwitchStartMedMellemrum(12, 'K', 0, 4, 5), 84u + 24 + 9 + 4 * 4);
  EXPECT_EQ(ObjSwitchStartMedMellemrum(116, 'K', 0, 4, 3), 8u);

  const struct {
    int32_t scroll, x;
    uint32_t felt;
  } vedX[] = {{0, 0, 0},   {0, 1, 5},    {0, 83, 5},   {0, 84, 0},   {0, 85, 210},
              {0, 116, 5}, {0, 117, 0},  {80, 3, 5},   {80, 5, 210}, {-10, 10, 0}, {-10, 11, 5}};
  for (const auto &v : vedX) EXPECT_EQ(ObjSwitchFeltVedX(12, 'K', 0, v.scroll, v.x), v.felt) << v.scroll << "," << v.x;

  EXPECT_FALSE(ObjSwitchFoersteFeltErI(12, 'K', 0));
  EXPECT_TRUE(ObjSwitchFoersteFeltErI(12, 'K', 1));
  EXPECT_FALSE(ObjSwitchFoersteFeltErI(12, 'K', 7));
}

TEST_F(FeltSwitchForesp, KindsAbove115AndMissingLayoutsAnswerNothing) {
  for (uint32_t art : {116u, 200u, 0xFFFFFFFFu}) {
    EXPECT_EQ(ObjSwitchLayout(art, 'K', 0), nullptr);
    EXPECT_EQ(ObjSwitchFelt(art, 'K', 0, 0), nullptr);
    EXPECT_EQ(ObjSwitchFeltNr(art, 'K', 0, 0), 0u);
    EXPECT_EQ(ObjSwitchFeltAntal(art, 'K', 0), 0u);
    EXPECT_EQ(ObjSwitchBredde(art, 'K', 0), 0u);
    EXPECT_EQ(ObjSwitchFeltVedX(art, 'K', 0, 0, 5), 0u);
    EXPECT_EQ(ObjSwitchAntal(art, 'K'), 0u);
    EXPECT_EQ(ObjSwitchValgt(art, 'K'), 0u);
    ObjSwitchVaelg(art, 'K', 1);
    ObjSwitchSaetSortFelt(art, 'K', 3);
    EXPECT_EQ(BrkSwitchValgt(art, 'K'), 0u);
    BrkSwitchVaelg(art, 'K', 1);
    EXPECT_EQ(BrkSwitchBredde(art, 'K', 0), 0u);
  }
  EXPECT_EQ(ObjSwitchFeltAntal(12, 'L', 0), 0u);
  EXPECT_EQ(ObjSwitchBredde(11, 'K', 0), 0u);
  EXPECT_EQ(Tabeller(),
            "O12K0:5/84,210/24,5/9;O12K1:7/8;O12M0:1/8;");
}

TEST_F(FeltSwitchForesp, ChoosingALayoutClearsTheOthersOfItsLetter) {
  EXPECT_EQ(ObjSwitchAntal(12, 'K'), 2u);
  EXPECT_EQ(ObjSwitchAntal(12, 'M'), 1u);
  ObjSwitchVaelg(12, 'M', 0);
  ObjSwitchVaelg(12, 'K', 1);
  EXPECT_EQ(ObjSwitchValgt(12, 'K'), 1u);
  ObjSwitchVaelg(12, 'K', 0);
  EXPECT_EQ(ObjSwitchValgt(12, 'K'), 0u);
  EXPECT_EQ(Tabeller(), "O12K0*:5/84,210/24,5/9;O12K1:7/8;O12M0*:1/8;");
  // A switch that does not exist leaves none chosen.
  ObjSwitchVaelg(12, 'K', 5);
  EXPECT_EQ(Tabeller(), "O12K0:5/84,210/24,5/9;O12K1:7/8;O12M0*:1/8;");
  ObjSwitchSaetSortFelt(12, 'K', 210);
  ObjSwitchSaetSortFelt(12, 'L', 1);  // no switch 0 of 'L': nothing kept
  EXPECT_EQ(SortFelt(12, 'K'), 210u);
  EXPECT_EQ(static_cast<uint32_t>(ObjSwitchLayout(12, 'K', 1)->SortFelt), 0u);
}

// ---- The choice file ----

class FeltSwitchValgt : public switchtest::SwitchMappe {
 protected:
  void SetUp() override {
    switchtest::SwitchMappe::SetUp();
    std::string t = "[ObjectSwitchField]\n";
    for (const char *l : {"3,K,0", "3,K,1", "3,M,0", "3,M,2", "3,L,0", "3,L,1", "3,U,0", "3,U,1", "3,R,0",
                          "3,R,1", "20,K,0", "20,K,4", "115,U,0", "115,U,9"})
      t += std::string(l) + ",1,0,0,0,0,1,0,0,T,0\n";
    t += "[BrikSwitchField]\n";
    for (const char *l : {"0,K,0", "0,K,1", "7,M,0", "7,M,3", "2,L,0", "2,L,2", "4,U,0", "4,U,1"})
      t += std::string(l) + ",1,0,0,0,0,1,0,0,T,0\n";
    SkrivIniFil("TavoSwt.ini", t);
    LaesSwitchIni();
  }

  void Vaelg() {
    ObjSwitchVaelg(115, 'U', 9);
    ObjSwitchVaelg(20, 'K', 4);
    ObjSwitchVaelg(3, 'K', 1);
    ObjSwitchVaelg(3, 'M', 2);
    ObjSwitchVaelg(3, 'L', 0);  // switch 0 is the default: not written
    ObjSwitchVaelg(3, 'R', 1);  // letters other than K, L, M, U are not kept
    BrkSwitchVaelg(7, 'M', 3);
    BrkSwitchVaelg(0, 'K', 1);
    BrkSwitchVaelg(2, 'L', 2);
    BrkSwitchVaelg(4, 'U', 1);
    ObjSwitchSaetSortFelt(3, 'M', 210);
    ObjSwitchSaetSortFelt(3, 'K', 5);
    ObjSwitchSaetSortFelt(115, 'U', 1);
  }

  static constexpr const char *kFil =
      "[ObjSwitchNo]\r\n"
      "3,K,1\r\n"
      "20,K,4\r\n"
      "3,M,2\r\n"
      "115,U,9\r\n"
      "[BrkSwitchNo]\r\n"
      "0,K,1\r\n"
      "2,L,2\r\n"
      "7,M,3\r\n"
      "[ObjSortFelt]\r\n"
      "3,K,5\r\n"
      "3,M,210\r\n"
      "115,U,1\r\n";
};

TEST_F(FeltSwitchValgt, SaveWritesThePartsFileAndReadingItBackGivesTheChoices) {
  Vaelg();
  ASSERT_TRUE(GemValgtSwt());
  EXPECT_EQ(IniFil("ValgtSwt.ini"), kFil);
  EXPECT_FALSE(IniFindes("ValgtSwt.tmp"));

  const std::string foer = Tabeller();
  LaesSwitchIni();
  // Choices of switch 0 come back as the default, not as a choice; tile
  // choices of letters other than K, L and M and list choices of letters
  // other than K, L, M and U are not kept.
  std::string forventet = foer;
  for (const char *valg : {"O3L0*", "O3R1*", "B4U1*"}) {
    const size_t p = forventet.find(valg);
    ASSERT_NE(p, std::string::npos) << valg;
    forventet.erase(p + 4, 1);
  }
  EXPECT_EQ(Tabeller(), forventet);
  ASSERT_TRUE(GemValgtSwt());
  EXPECT_EQ(IniFil("ValgtSwt.ini"), kFil);
}

TEST_F(FeltSwitchValgt, NothingChosenWritesTheHeadersOnly) {
  ASSERT_TRUE(GemValgtSwt());
  EXPECT_EQ(IniFil("ValgtSwt.ini"), "[ObjSwitchNo]\r\n[BrkSwitchNo]\r\n[ObjSortFelt]\r\n");
}

TEST_F(FeltSwitchValgt, TheDataFolderAsTheCommandLineFormsIt) {
  const std::string prog = "-p" + rod.string() + "/";
  const std::string data = "-d" + rod.string();
  const char *argv[] = {"orvane", prog.c_str(), data.c_str()};
  LaesKommandolinje(3, argv);
  ASSERT_EQ(StiTab.szdata[strlen(StiTab.szdata) - 1], '\\');
  LaesSwitchIni();
  Vaelg();
  ASSERT_TRUE(GemValgtSwt());
  EXPECT_EQ(IniFil("ValgtSwt.ini"), kFil);
  LaesSwitchIni();
  EXPECT_EQ(ObjSwitchValgt(3, 'M'), 2u);
}

TEST_F(FeltSwitchValgt, AFileThatCannotBeWrittenLeavesTheOldOne) {
  SkrivIniFil("ValgtSwt.ini", "[ObjSwitchNo]\r\n3,K,1\r\n");
  std::filesystem::create_directory(rod / "ini" / "ValgtSwt.ini.gemny");
  Vaelg();
  EXPECT_FALSE(GemValgtSwt());
  EXPECT_EQ(IniFil("ValgtSwt.ini"), "[ObjSwitchNo]\r\n3,K,1\r\n");
}

TEST_F(FeltSwitchValgt, ReadingTakesEachSectionsLinesAndSkipsTheRest) {
  SkrivIniFil("ValgtSwt.ini",
              "3,K,1\n"                       // before any header
              "[ObjSwitchNo]\n"
              "/ 3,M,2\n"                     // a comment
              "3,M,2\n"
              "116,K,1\n"                     // kind out of range
              "-3,K,1\n"
              "20,K,4xyz\n"                   // columns cut to 3 characters
              "[BrkSwitchNo]\n"
              "8,K,1\n"
              "7,M,3\n"
              "[ObjSortFelt]\n"
              "3,K,386\n"
              "3,L,7\n"
              "[Ukendt]\n"
              "3,U,1\n");
  LaesSwitchIni();
  EXPECT_EQ(ObjSwitchValgt(3, 'K'), 0u);
  EXPECT_EQ(ObjSwitchValgt(3, 'M'), 2u);
  EXPECT_EQ(ObjSwitchValgt(20, 'K'), 4u);
  EXPECT_EQ(ObjSwitchValgt(3, 'U'), 0u);
  EXPECT_EQ(BrkSwitchValgt(7, 'M'), 3u);
  EXPECT_EQ(SortFelt(3, 'K'), 386u);
  EXPECT_EQ(SortFelt(3, 'L'), 7u);
}

TEST_F(FeltSwitchValgt, TheOldChoiceFileIsMovedOnlyWhenTheNewOneIsMissing) {
  SkrivIniFil("Lokal.ini", "[ObjSwitchNo]\r\n3,K,1\r\n");
  LaesSwitchIni();
  EXPECT_FALSE(IniFindes("Lokal.ini"));
  EXPECT_EQ(IniFil("ValgtSwt.ini"), "[ObjSwitchNo]\r\n3,K,1\r\n");
  EXPECT_EQ(ObjSwitchValgt(3, 'K'), 1u);

  SkrivIniFil("Lokal.ini", "[ObjSwitchNo]\r\n3,M,2\r\n");
  LaesSwitchIni();
  EXPECT_EQ(IniFil("Lokal.ini"), "[ObjSwitchNo]\r\n3,M,2\r\n");
  EXPECT_EQ(IniFil("ValgtSwt.ini"), "[ObjSwitchNo]\r\n3,K,1\r\n");
  EXPECT_EQ(ObjSwitchValgt(3, 'K'), 1u);
  EXPECT_EQ(ObjSwitchValgt(3, 'M'), 0u);
}

}  // namespace
