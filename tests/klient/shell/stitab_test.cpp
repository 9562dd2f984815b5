#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "windows.h"

#include "INDSTIL.h"
#include "STITAB.h"

namespace {

void Laes(std::vector<const char *> args) {
  LaesKommandolinje(static_cast<int>(args.size()), args.data());
}

TEST(Kommandolinje, Options) {
  const struct {
    std::vector<const char *> args;
    const char *prog;
    const char *data;
    int laast;
    // Through the process's own command line the program file comes in
    // Windows form; null when that changes nothing.
    const char *procesMappe = nullptr;
  } tabel[] = {
      {{"C:\\Tavo\\10413.exe"}, "C:\\Tavo\\", "C:\\Tavo\\", 0},
      {{"/opt/tavo/10413.exe"}, "/opt/tavo/", "/opt/tavo/", 0, "\\opt\\tavo\\"},
      {{"x.exe", "-pC:\\Prog"}, "C:\\Prog\\", "C:\\Prog\\", 0},
      {{"x.exe", "-PC:\\Prog\\"}, "C:\\Prog\\", "C:\\Prog\\", 0},
      {{"x.exe", "-pC:\\Prog\\\"", "-dD:\\Data"}, "C:\\Prog\\", "D:\\Data\\", 0},
      {{"x.exe", "-pC:\\P", "-d"}, "C:\\P\\", "C:\\P\\", 0},
      {{"x.exe", "-pC:\\A", "-pC:\\B"}, "C:\\B\\", "C:\\B\\", 0},
      {{"x.exe", "-pC:\\P", "-lxyz"}, "C:\\P\\", "C:\\P\\", 1},
      {{"x.exe", "-L", "-pC:\\P"}, "C:\\P\\", "C:\\P\\", 1},
      {{"x.exe", "-x", "-", "pC:\\Q", "/pC:\\Q", "-pC:\\P"}, "C:\\P\\", "C:\\P\\", 0},
      {{"x.exe"}, "", "", 0},  // no folder part in the program file
      {{"x.exe", "-pC"}, "C", "C", 0},  // one character gets no backslash
      {{"x.exe", "-p C:\\M\xC3\xB8" "de "}, "C:\\M\xF8" "de\\", "C:\\M\xF8" "de\\", 0},
      {{"x.exe", "-p\xFF\xFE", "-pC:\\P"}, "C:\\P\\", "C:\\P\\", 0},  // not UTF-8: skipped
  };
  namespace fs = std::filesystem;
  const fs::path gammel = fs::current_path();
  for (const auto &t : tabel) {
    Laes(t.args);
    EXPECT_STREQ(StiTab.szprog, t.prog) << t.args.back();
    EXPECT_STREQ(StiTab.szdata, t.data) << t.args.back();
    EXPECT_EQ(StiTab.laastOenske, t.laast) << t.args.back();
    // The same arguments as the process's command line: quoted, joined and
    // split again by the Windows rules on the way.
    std::vector<std::string> kopi(t.args.begin(), t.args.end());
    std::vector<char *> argv;
    for (std::string &a : kopi) argv.push_back(a.data());
    tavo::SetCommandLine(static_cast<int>(argv.size()), argv.data());
    MainCommandLine();
    const char *prog = t.procesMappe ? t.procesMappe : t.prog;
    EXPECT_STREQ(StiTab.szprog, prog) << "process: " << t.args.back();
    EXPECT_STREQ(StiTab.szdata, t.procesMappe ? t.procesMappe : t.data) << "process: " << t.args.back();
    EXPECT_EQ(StiTab.laastOenske, t.laast) << "process: " << t.args.back();
    fs::current_path(gammel);
  }
}

TEST(Kommandolinje, OverlongArgumentIsSkipped) {
  const std::string lang = "-p" + std::string(258, 'a');  // 260 bytes
  Laes({"x.exe", "-pC:\\P", lang.c_str()});
  EXPECT_STREQ(StiTab.szprog, "C:\\P\\");
}

TEST(Kommandolinje, ProcessCommandLineAndCurrentFolder) {
  namespace fs = std::filesystem;
  const fs::path gammel = fs::current_path();
  const fs::path prog = fs::temp_directory_path() / ("dataut_prog_" + std::to_string(::getpid()));
  fs::create_directories(prog);
  const std::string progArg = "-p" + prog.string();
  std::vector<std::string> args = {"/usr/bin/orvane", progArg, "-d/data/tavo", "-l"};
  std::vector<char *> argv;
  for (std::string &a : args) argv.push_back(a.data());
  tavo::SetCommandLine(static_cast<int>(argv.size()), argv.data());
  MainCommandLine();
  EXPECT_STREQ(StiTab.szprog, (prog.string() + "\\").c_str());
  EXPECT_STREQ(StiTab.szdata, "/data/tavo\\");
  EXPECT_EQ(StiTab.laastOenske, 1);
  EXPECT_EQ(fs::current_path(), prog);
  fs::current_path(gammel);
  fs::remove_all(prog);
}

TEST(StiTab, PathsKeepTheirSeparators) {
  Laes({"x.exe", "-pC:\\Prog", "-dD:\\Data"});
  InitStiTab();
  EXPECT_STREQ(StiTab.szini, "D:\\Data\\ini\\tavo.ini");
  EXPECT_STREQ(StiTab.szexp, "D:\\Data\\data\\exp.dat");
  EXPECT_STREQ(StiTab.szasexp, "D:\\Data\\data/as_exp.json");
  EXPECT_STREQ(StiTab.szzipepimp, "D:\\Data\\data\\ep_imp.dat.gz");
  EXPECT_STREQ(StiTab.szopdatlck, "C:\\Prog\\opdat.lck");
  EXPECT_STREQ(StiTab.szdisableserverprog, "C:\\Prog\\disableserver.lck");
  EXPECT_STREQ(StiTab.szdisableserver, "D:\\Data\\disableserver.lck");
}

TEST(Indstillinger, ChangeCountersAndDisplayModes) {
  for (int i = 0; i < kAntalAendringsTaellere; ++i) AendringsTaellere[i] = 1u << i;
  EXPECT_EQ(AendringerFoersteFire(), 15u);
  EXPECT_EQ(AendringerSidsteFire(), 240u);
  EXPECT_EQ(AendringerIalt(), 255u);
  EXPECT_EQ(&VisningsTilstandFor('D'), &VisningsTilstand[VISNING_DAG]);
  EXPECT_EQ(&VisningsTilstandFor('T'), &VisningsTilstand[VISNING_TID]);
  EXPECT_EQ(&VisningsTilstandFor('L'), &VisningsTilstand[VISNING_LEKTION]);
  const struct {
    const char *v;
    int ja;
  } ja[] = {{"ja", 1}, {"Ja", 1}, {"jo", 1}, {"j", 1}, {"nej", 0}, {"", 0}, {nullptr, 0}};
  for (const auto &t : ja) EXPECT_EQ(ErJa(t.v), t.ja) << (t.v ? t.v : "null");
}

}  // namespace
