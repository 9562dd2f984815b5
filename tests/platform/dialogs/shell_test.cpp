// Shell calls and the open, save and folder dialogs, on a folder of our own.

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "dialogs_support.h"
#include "pathmap.h"
#include "win/controls.h"
#include "win/shellapi.h"

using namespace dlgtest;

namespace {

class ShellTest : public DialogTest {
 protected:
  std::string dir_, win_;
  void SetUp() override {
    DialogTest::SetUp();
    char tmpl[] = "/tmp/tavo-shell-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    std::filesystem::create_directories(dir_ + "/Documents/skemaer");
    for (const char *f : {"Documents/a.txt", "Documents/b.csv", "Documents/c.TXT"}) {
      FILE *fp = std::fopen((dir_ + "/" + f).c_str(), "w");
      ASSERT_NE(fp, nullptr);
      std::fclose(fp);
    }
    ASSERT_TRUE(tavo::UnmapPath(dir_, win_));
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    DialogTest::TearDown();
  }
};

constexpr int kFiles = 0x460, kName = 0x480;

}  // namespace

TEST_F(ShellTest, ShellExecuteIsRecordedAndChecksItsFile) {
  tavo::test::StartShellLog();
  EXPECT_GT((INT_PTR)ShellExecuteA(0, "open", "https://www.example.org/tavo", nullptr, nullptr, SW_SHOWNORMAL), 32);
  EXPECT_GT((INT_PTR)ShellExecuteA(0, "explore", (win_ + "\\Documents").c_str(), nullptr, nullptr, SW_SHOW), 32);
  EXPECT_EQ((INT_PTR)ShellExecuteA(0, "open", (win_ + "\\mangler.pdf").c_str(), nullptr, nullptr, SW_SHOW), SE_ERR_FNF);
  EXPECT_EQ((INT_PTR)ShellExecuteA(0, "print", (win_ + "\\Documents\\a.txt").c_str(), nullptr, nullptr, 0),
            SE_ERR_NOASSOC);
  auto calls = tavo::test::StopShellLog();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].file, "https://www.example.org/tavo");
  EXPECT_EQ(calls[1].operation, "explore");
}

TEST_F(ShellTest, SpecialFoldersComeFromHome) {
  std::string oldHome = getenv("HOME") ? getenv("HOME") : "";
  setenv("HOME", dir_.c_str(), 1);
  char path[MAX_PATH];
  EXPECT_EQ(SHGetFolderPathA(0, CSIDL_PERSONAL, 0, SHGFP_TYPE_CURRENT, path), S_OK);
  EXPECT_EQ(std::string(path), win_ + "\\Documents");
  EXPECT_TRUE(SHGetSpecialFolderPathA(0, path, CSIDL_DESKTOPDIRECTORY, TRUE));
  EXPECT_EQ(std::string(path), win_ + "\\Desktop");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/Desktop"));
  std::filesystem::remove_all(dir_ + "/Documents");
  EXPECT_EQ(SHGetFolderPathA(0, CSIDL_PERSONAL, 0, 0, path), S_OK);
  EXPECT_EQ(std::string(path), win_);
  EXPECT_NE(SHGetFolderPathA(0, 0x7F, 0, 0, path), S_OK);
  setenv("HOME", oldHome.c_str(), 1);
}

TEST_F(ShellTest, OpenDialogFiltersAndAddsTheDefaultExtension) {
  char file[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = "Tekstfiler (*.txt)\0*.txt\0Alle filer (*.*)\0*.*\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  std::string initial = win_ + "\\Documents";
  ofn.lpstrInitialDir = initial.c_str();
  ofn.lpstrTitle = "Indlæs skema";
  ofn.lpstrDefExt = "txt";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  int listed = -1;
  std::string caption;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    caption = d.caption;
    listed = (int)SendDlgItemMessageA(d.hwnd, kFiles, LB_GETCOUNT, 0, 0);
    SetDlgItemTextA(d.hwnd, kName, "a");
    tavo::test::PressKey(VK_RETURN);
    return 0;
  });
  ASSERT_TRUE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(caption, "Indlæs skema");
  EXPECT_EQ(listed, 2);  // a.txt and c.TXT, not b.csv
  EXPECT_EQ(std::string(file), initial + "\\a.txt");
  EXPECT_EQ(std::string(file + ofn.nFileOffset), "a.txt");
  EXPECT_EQ(std::string(file + ofn.nFileExtension), "txt");

  // A file that must exist and does not: told, and the dialog stays.
  std::vector<std::string> boxes;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    SetDlgItemTextA(d.hwnd, kName, "findes-ikke.txt");
    tavo::test::PressKey(VK_RETURN);
    return 0;
  });
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    boxes.push_back(d.text);
    tavo::test::PressKey(VK_ESCAPE);  // reaches the dialog once the box is gone: cancel
    return IDOK;
  });
  file[0] = 0;
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("Filen findes ikke"), std::string::npos);
  tavo::test::PumpUntilIdle();
}

TEST_F(ShellTest, SaveDialogAsksBeforeReplacingAndReportsASmallBuffer) {
  std::string proposed = win_ + "\\Documents\\b.csv";
  char file[MAX_PATH];
  std::snprintf(file, sizeof file, "%s", proposed.c_str());
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrFilter = "CSV (*.csv)\0*.csv\0";
  ofn.Flags = OFN_OVERWRITEPROMPT;
  std::string boxText;
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR {
    tavo::test::PressKey(VK_RETURN);  // the proposed name
    return 0;
  });
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    boxText = d.text;
    return IDYES;
  });
  ASSERT_TRUE(GetSaveFileNameA(&ofn));
  EXPECT_EQ(std::string(file), proposed);
  EXPECT_NE(boxText.find("findes allerede"), std::string::npos);

  char tiny[8] = "x.csv";
  ofn.lpstrFile = tiny;
  ofn.nMaxFile = sizeof tiny;
  ofn.lpstrInitialDir = nullptr;
  std::string initial = win_ + "\\Documents";
  ofn.lpstrInitialDir = initial.c_str();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR {
    tavo::test::PressKey(VK_RETURN);
    return 0;
  });
  EXPECT_FALSE(GetSaveFileNameA(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), (DWORD)FNERR_BUFFERTOOSMALL);
}

TEST_F(ShellTest, FolderBrowserAnswersAWindowsPath) {
  BROWSEINFOA bi{};
  char name[MAX_PATH];
  bi.pszDisplayName = name;
  bi.lpszTitle = "Vælg mappen til eksporten";
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  std::string start = win_ + "\\Documents";
  bi.lpfn = [](HWND dlg, UINT msg, LPARAM, LPARAM data) -> int {
    if (msg == BFFM_INITIALIZED) SendMessageA(dlg, BFFM_SETSELECTION, TRUE, data);
    return 0;
  };
  bi.lParam = (LPARAM)start.c_str();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    // Into "skemaer" from the folder list, then OK.
    HWND list = GetDlgItem(d.hwnd, 0x461);
    int i = (int)SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "skemaer");
    SendMessageA(list, LB_SETCURSEL, (WPARAM)i, 0);
    SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(0x461, LBN_DBLCLK), (LPARAM)list);
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
  ASSERT_NE(pidl, nullptr);
  char path[MAX_PATH];
  ASSERT_TRUE(SHGetPathFromIDListA(pidl, path));
  EXPECT_EQ(std::string(path), start + "\\skemaer");
  EXPECT_STREQ(name, "skemaer");
  CoTaskMemFree(pidl);
}
