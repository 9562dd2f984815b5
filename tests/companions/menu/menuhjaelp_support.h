#pragma once
// A temporary folder per test, the start menu's resources and common
// controls, and dialog 103 made modeless for the routines that report into
// it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "MENUHJAELP.h"
#include "menuressourcer.h"
#include "tavo/test_dialog.h"

namespace menutest {

namespace fs = std::filesystem;

inline std::string Laes(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

inline void Skriv(const fs::path &p, const std::string &indhold) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << indhold;
}

// A Linux path in the Windows form the start menu works with.
inline std::string WinForm(const fs::path &p) {
  std::string s = p.string();
  for (char &c : s)
    if (c == '/') c = '\\';
  return s;
}

// A [global] value of a profile file; "" when it has none.
inline std::string IniVaerdi(const fs::path &fil, const char *noegle) {
  char buf[64] = "";
  GetPrivateProfileStringA("global", noegle, "", buf, sizeof buf, fil.c_str());
  return buf;
}

inline INT_PTR CALLBACK TomDlgProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/menuhjaelp_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    mappe_ = skabelon;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    cwd_ = cwd;
    InitCommonControls();
    RegistrerTavoMenuRessourcer();
  }
  void TearDown() override {
    if (dlg_) DestroyWindow(dlg_);
    tavo::test::StopDialogScript();
    // Unpacking leaves the target folder current.
    if (chdir(cwd_.c_str()) != 0) ADD_FAILURE() << "chdir";
    std::error_code ec;
    fs::permissions(mappe_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(mappe_, ec);
  }
  // The path as the routines take it: the Linux path, with a trailing
  // separator for a folder when asked.
  std::string Sti(const std::string &rel = "") const { return (mappe_ / rel).string(); }
  HWND Dialog() {
    if (!dlg_) dlg_ = CreateDialogParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), 0, TomDlgProc, 0);
    return dlg_;
  }
  std::string Tekst(int id) {
    char buf[512];
    GetDlgItemTextA(Dialog(), id, buf, sizeof buf);
    return buf;
  }

  fs::path mappe_;
  std::string cwd_;
  HWND dlg_ = 0;
};

}  // namespace menutest
