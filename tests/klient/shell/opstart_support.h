// Running the main program's start-up, message loop and shutdown inside
// the test process, on a copy of a small made-up school.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "../datamappe.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "OPSTART.h"
#include "PROGVINDUER.h"
#include "SKOLEDATA.h"
#include "STITAB.h"
#include "TABREG.h"
#include "ressourcer.h"
#include "tavo/test_dialog.h"
#include "windows.h"

namespace opstarttest {

namespace fs = std::filesystem;

inline std::string Laes(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

inline void Skriv(const fs::path &p, const std::string &indhold) {
  std::ofstream(p, std::ios::binary) << indhold;
}

// Every table's records as loaded now.
inline std::vector<std::string> Tabeller() {
  std::vector<std::string> t;
  for (size_t i = 0; i < TabRegisterAntal; ++i) {
    const TabVar *v = TabRegister[i].pTabVar;
    const size_t n = v->pbTab ? static_cast<size_t>(v->wRecCnt) * TabRegister[i].pTabDesc->RecSize : 0;
    t.emplace_back(reinterpret_cast<const char *>(v->pbTab), n);
  }
  return t;
}

class OpstartTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    char skabelon[] = "/tmp/opstart_skole_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    Skole() = skabelon;
    SkoleStoerrelse st;
    ASSERT_TRUE(SkoleStoerrelseFraNavn("small", &st));
    std::string fejl;
    ASSERT_EQ(LavSkoleData(Skole().c_str(), st, 1, &fejl), 0) << fejl;
  }
  static void TearDownTestSuite() { fs::remove_all(Skole()); }
  static fs::path &Skole() {
    static fs::path p;
    return p;
  }

  void SetUp() override {
    char skabelon[] = "/tmp/opstart_test_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
    fs::create_directories(Prog());
    fs::copy(Skole(), Data(), fs::copy_options::recursive);
    gammelMappe_ = fs::current_path();
    VenteDialogLukPause = 0;
    tavo::test::StartDialogScript(30000);
  }
  void TearDown() override {
    if (hwndHoved && IsWindow(hwndHoved)) Luk();
    tavo::test::StopDialogScript();
    fs::current_path(gammelMappe_);
    fs::remove_all(rod_);
  }

  // Public, so that the tables of cases can reach the folders.
 public:
  fs::path Prog() const { return rod_ / "prog"; }
  fs::path Data() const { return rod_ / "data"; }
  fs::path Ini() const { return Data() / "ini" / "tavo.ini"; }
  fs::path Laasefil() const { return Data() / "ini" / "tavo.lck"; }
  fs::path StartLog() const { return Prog() / "START.LOG"; }
  fs::path Log() const { return Data() / "log" / "tavo.log"; }


 protected:
  void SaetIndstilling(const char *sektion, const char *noegle, const char *vaerdi) {
    ASSERT_TRUE(WritePrivateProfileStringA(sektion, noegle, vaerdi, Ini().c_str()));
  }
  std::string LaesIndstillingen(const char *sektion, const char *noegle) {
    char v[256] = "";
    GetPrivateProfileStringA(sektion, noegle, "", v, sizeof v, Ini().c_str());
    return v;
  }

  // Runs the start-up with the program and data folders and any further
  // arguments; kOpstartFortsaet or the exit code.
  int Start(const std::vector<std::string> &ekstra = {}) {
    // The folders as the start menu passes them: without their trailing
    // separator, in the Windows form in the "/windowsform" runs.
    auto mappe = [](const fs::path &p) {
      std::string m = DataMappeNavn(p);
      m.pop_back();
      return m;
    };
    std::vector<std::string> args = {"/opt/tavo/10413.exe", "-p" + mappe(Prog()), "-d" + mappe(Data())};
    args.insert(args.end(), ekstra.begin(), ekstra.end());
    std::vector<char *> argv;
    for (std::string &a : args) argv.push_back(a.data());
    tavo::SetCommandLine(static_cast<int>(argv.size()), argv.data());
    return Opstart(kOrvaneInstans, SW_SHOWNORMAL);
  }
  // Closes the main window as the user does and runs the loop and the
  // shutdown; the exit code.
  int Luk() {
    PostMessageA(hwndHoved, WM_CLOSE, 0, 0);
    return Nedluk(KoerBeskedLoekke());
  }

  // The boxes shown so far, as "caption|text".
  static std::vector<std::string> Bokse() {
    std::vector<std::string> b;
    for (const auto &m : tavo::test::MessageBoxesShown()) b.push_back(m.caption + "|" + m.text);
    return b;
  }

  fs::path rod_;
  fs::path gammelMappe_;
};

}  // namespace opstarttest
