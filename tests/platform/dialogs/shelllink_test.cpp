// Shell links over the layer's own link file: what is saved loads back, a
// save replaces the link whole, and files that are no link are refused.
// The user's desktop folder stands in the registry from the start.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "windows.h"
#include "win/kreg.h"
#include "win/shlobj.h"

namespace {

namespace fs = std::filesystem;

std::wstring Wide(const std::string &s) { return std::wstring(s.begin(), s.end()); }

struct Link {
  IShellLinkA *link = nullptr;
  IPersistFile *fil = nullptr;
  Link() {
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&link), S_OK);
    EXPECT_EQ(link->QueryInterface(IID_IPersistFile, (void **)&fil), S_OK);
  }
  ~Link() {
    fil->Release();
    link->Release();
  }
};

TEST(ShellLink, SavedLinkLoadsBack) {
  char skabelon[] = "/tmp/genvej_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const std::string navn = (rod / "Tavo.lnk").string();
  {
    Link l;
    ASSERT_EQ(l.link->SetPath("C:\\Prog\\Tavo.exe"), S_OK);
    ASSERT_EQ(l.link->SetArguments("-p\"C:\\Pro g\" -dC:\\Data"), S_OK);
    ASSERT_EQ(l.link->SetIconLocation("C:\\Prog\\Tavo.exe", 1), S_OK);
    // A value that would break the file's lines is refused.
    EXPECT_EQ(l.link->SetArguments("a\r\nIkonindeks=7"), E_INVALIDARG);
    ASSERT_EQ(l.fil->Save(Wide(navn).c_str(), TRUE), S_OK);
  }
  Link l;
  ASSERT_EQ(l.fil->Load(Wide(navn).c_str(), STGM_READ), S_OK);
  char buf[MAX_PATH];
  int indeks = -1;
  EXPECT_EQ(l.link->GetPath(buf, sizeof buf, nullptr, SLGP_UNCPRIORITY), S_OK);
  EXPECT_STREQ(buf, "C:\\Prog\\Tavo.exe");
  l.link->GetArguments(buf, sizeof buf);
  EXPECT_STREQ(buf, "-p\"C:\\Pro g\" -dC:\\Data");
  l.link->GetIconLocation(buf, sizeof buf, &indeks);
  EXPECT_EQ(indeks, 1);
  // A small buffer gets the text cut, terminated.
  l.link->GetPath(buf, 5, nullptr, 0);
  EXPECT_STREQ(buf, "C:\\P");
  // Saved over itself, nothing is left beside it.
  l.link->SetIconLocation("C:\\Prog\\Tavo.exe", 0);
  ASSERT_EQ(l.fil->Save(nullptr, FALSE), S_OK);
  int filer = 0;
  for (const auto &e : fs::directory_iterator(rod)) filer += e.is_regular_file();
  EXPECT_EQ(filer, 1);

  std::ofstream(rod / "ikke.lnk") << "[InternetShortcut]\r\nURL=x\r\n";
  EXPECT_EQ(l.fil->Load(Wide((rod / "ikke.lnk").string()).c_str(), STGM_READ), E_FAIL);
  EXPECT_EQ(l.fil->Load(Wide((rod / "mangler.lnk").string()).c_str(), STGM_READ), STG_E_FILENOTFOUND);
  fs::remove_all(rod);
}

TEST(ShellLink, OnlyTheShellLinkClassAndItsInterfaces) {
  void *p = nullptr;
  EXPECT_EQ(CoCreateInstance(IID_IPersistFile, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &p), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(p, nullptr);
  const IID ukendt = {1, 2, 3, {4}};
  EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, ukendt, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
}

TEST(ShellLink, DesktopFolderInTheRegistry) {
  tavo::reg::Clear();
  char skrivebord[MAX_PATH] = "";
  HKEY k = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, tavo::reg::kShellFolders, 0, KEY_READ, &k), ERROR_SUCCESS);
  DWORD str = sizeof skrivebord;
  ASSERT_EQ(RegQueryValueExA(k, "Desktop", nullptr, nullptr, (LPBYTE)skrivebord, &str), ERROR_SUCCESS);
  RegCloseKey(k);
  char forventet[MAX_PATH];
  ASSERT_EQ(SHGetFolderPathA(0, CSIDL_DESKTOPDIRECTORY, 0, 0, forventet), S_OK);
  EXPECT_STREQ(skrivebord, forventet);
}

TEST(OsVersion, AnswersAsTheNtFamily) {
  OSVERSIONINFOA os{};
  EXPECT_FALSE(GetVersionExA(&os));
  os.dwOSVersionInfoSize = sizeof os;
  ASSERT_TRUE(GetVersionExA(&os));
  EXPECT_EQ(os.dwPlatformId, (DWORD)VER_PLATFORM_WIN32_NT);
}

}  // namespace
