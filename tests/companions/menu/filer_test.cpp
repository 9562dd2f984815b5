// Files, folder trees, drives, copying and system texts of the start menu.
#include <sys/stat.h>
#include <cstring>
#include <unistd.h>

#include "pathmap.h"
#include "tavo/clock.h"
#include "menuhjaelp_support.h"

using namespace menutest;

namespace {

using MenuHjaelpFiler = MenuTest;

// The five answers; CI runs as root, so read-only is the platform's
// attribute and "opens in neither mode" a folder or a file held open
// without sharing.
TEST_F(MenuHjaelpFiler, FilAdgangAnswersAllFiveResults) {
  Skriv(mappe_ / "normal.txt", "n");
  Skriv(mappe_ / "laest.txt", "l");
  SetFileAttributesA(Sti("laest.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  Skriv(mappe_ / "holdt.txt", "h");
  Skriv(mappe_ / "holdt-laest.txt", "h");
  SetFileAttributesA(Sti("holdt-laest.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  fs::create_directory(mappe_ / "mappe");
  HANDLE holdt = CreateFileA(Sti("holdt.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
  HANDLE holdtLaest = CreateFileA(Sti("holdt-laest.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
  ASSERT_NE(holdt, INVALID_HANDLE_VALUE);
  ASSERT_NE(holdtLaest, INVALID_HANDLE_VALUE);
  const struct {
    const char *navn;
    int forventet;
  } tilfaelde[] = {
      {"normal.txt", 0}, {"mangler.txt", 1}, {"laest.txt", 2},
      {"mappe", 4},      {"holdt.txt", 4},   {"holdt-laest.txt", 6},
  };
  for (const auto &t : tilfaelde) {
    errno = EINVAL;
    EXPECT_EQ(FilAdgang(Sti(t.navn).c_str()), t.forventet) << t.navn;
  }
  CloseHandle(holdt);
  CloseHandle(holdtLaest);
  // Nothing was changed by asking.
  EXPECT_EQ(Laes(mappe_ / "normal.txt"), "n");
}

TEST_F(MenuHjaelpFiler, TrimBlanksAndStripFileName) {
  const struct {
    const char *ind, *ud;
  } trim[] = {
      {"\t\t C:\\Tavo\\ \r\n", "C:\\Tavo\\"},
      {"  midt i  tekst\x01\x1F ", "midt i  tekst"},
      {" \t\r\n", ""},
      {"", ""},
      {"\xE6\xF8\xE5", "\xE6\xF8\xE5"},  // letters above 127 are not blanks
      {"\xA0x\xA0", "\xA0x\xA0"},
  };
  for (const auto &t : trim) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s", t.ind);
    TrimBlanks(buf);
    EXPECT_STREQ(buf, t.ud) << t.ind;
  }
  const struct {
    const char *ind, *ud;
  } strip[] = {{"C:\\Prog\\Tavo.exe", "C:\\Prog\\"}, {"C:\\", "C:\\"}, {"Tavo.exe", ""}, {"a\\b\\", "a\\b\\"}};
  for (const auto &t : strip) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s", t.ind);
    StripFileName(buf);
    EXPECT_STREQ(buf, t.ud) << t.ind;
  }
  EXPECT_STREQ(FilNavnDel("C:\\a\\b.txt"), "b.txt");
  EXPECT_STREQ(FilNavnDel("b.txt"), "b.txt");
}

TEST_F(MenuHjaelpFiler, KlokkeNuIsTheLocalTime) {
  const char *tz = getenv("TZ");
  const std::string gemt = tz ? tz : "";
  setenv("TZ", "Europe/Copenhagen", 1);
  tzset();
  // 2026-07-01 21:59:30 UTC is 23:59 in Danish summer time.
  tavo::SetFakeClock(1782943170);
  EXPECT_EQ(KlokkeNu(), 2359);
  tavo::ClearFakeClock();
  if (tz)
    setenv("TZ", gemt.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

TEST_F(MenuHjaelpFiler, FoldersSizesAndIni) {
  EXPECT_EQ(OpretKatalog(Sti("ny").c_str()), 1);
  EXPECT_EQ(OpretKatalog(Sti("ny").c_str()), 1);
  EXPECT_EQ(OpretKatalog(Sti("mangler/ny").c_str()), 0);
  Skriv(mappe_ / "fil", "x");
  EXPECT_EQ(OpretKatalog(Sti("fil").c_str()), 0);
  MakeDirTree(Sti("a\\b/c").c_str());
  EXPECT_TRUE(fs::is_directory(mappe_ / "a/b/c"));

  Skriv(mappe_ / "stoer", std::string(12345, 'z'));
  EXPECT_EQ(FilStoerrelse(Sti("stoer").c_str()), 12345u);
  EXPECT_NE(KopierFil(Sti("stoer").c_str(), Sti("kopi").c_str(), TRUE), 0);
  EXPECT_EQ(KopierFil(Sti("stoer").c_str(), Sti("kopi").c_str(), TRUE), 0);
  EXPECT_EQ(FilStoerrelse(Sti("kopi").c_str()), 12345u);
  EXPECT_EQ(FilStoerrelse(Sti("mangler").c_str()), 0u);

  fs::create_directory(mappe_ / "ini");
  EXPECT_NE(SkrivIni("global", "version", "10413", Sti("ini\\tavo.ini").c_str()), 0);
  EXPECT_NE(Laes(mappe_ / "ini/tavo.ini").find("version=10413"), std::string::npos);

  // Every routine gives back the error mode it found.
  const UINT foer = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  FilAdgang(Sti("stoer").c_str());
  SletKatalogTrae(Sti("a").c_str());
  DrevType("C:\\");
  EXPECT_EQ(GetErrorMode(), (UINT)SEM_NOOPENFILEERRORBOX);
  SetErrorMode(foer);
}

// A tree with a link to its own parent and one to a folder outside it: the
// walkers end, the tree goes, the outside folder keeps its files and their
// attributes.
TEST_F(MenuHjaelpFiler, TreeWalkersDoNotFollowLinks) {
  Skriv(mappe_ / "ude/beholdes.txt", "b");
  SetFileAttributesA(Sti("ude/beholdes.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  Skriv(mappe_ / "trae/a.txt", "a");
  Skriv(mappe_ / "trae/under/b.txt", "b");
  Skriv(mappe_ / "trae/under/dybere/c.txt", "c");
  SetFileAttributesA(Sti("trae/under/b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  fs::create_directory_symlink("..", mappe_ / "trae/under/op");
  fs::create_directory_symlink(mappe_ / "ude", mappe_ / "trae/ud");
  fs::create_symlink(mappe_ / "ude/beholdes.txt", mappe_ / "trae/fil-link");

  const DWORD attr = GetFileAttributesA(Sti("trae/ud").c_str());
  EXPECT_EQ(attr & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
            (DWORD)(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));

  NulstilAttributter(Sti("trae").c_str());
  EXPECT_EQ(GetFileAttributesA(Sti("trae/under/b.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_NE(GetFileAttributesA(Sti("ude/beholdes.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  EXPECT_EQ(SletKatalogTrae(Sti("trae\\").c_str()), 1);
  EXPECT_FALSE(fs::exists(fs::symlink_status(mappe_ / "trae")));
  EXPECT_EQ(Laes(mappe_ / "ude/beholdes.txt"), "b");
  EXPECT_TRUE(fs::exists(mappe_ / "ude"));
}

class MenuHjaelpDrev : public MenuTest {
 protected:
  void TearDown() override {
    tavo::ResetDrives();
    MenuTest::TearDown();
  }
};

TEST_F(MenuHjaelpDrev, AnswersFromTheDriveTable) {
  fs::create_directory(mappe_ / "kort");
  tavo::SetDrive('E', Sti("kort"), DRIVE_REMOVABLE, 1440000, 2880000);
  tavo::SetDriveLabel('E', "TAVO-FLYT");
  // A removable drive whose folder is missing holds no medium.
  tavo::SetDrive('F', Sti("tomt-drev"), DRIVE_REMOVABLE);

  EXPECT_EQ(DrevType("E:\\TAVO-Flyt5\\"), (UINT)DRIVE_REMOVABLE);
  EXPECT_EQ(DrevType("c:"), (UINT)DRIVE_FIXED);
  EXPECT_EQ(DrevType("Q:\\"), (UINT)DRIVE_NO_ROOT_DIR);

  uint64_t ledig = 1, total = 1;
  EXPECT_EQ(LedigDiskPlads("E:\\", &ledig, &total), 1);
  EXPECT_EQ(ledig, 1440000u);
  EXPECT_EQ(total, 2880000u);
  char navn[261];
  EXPECT_EQ(HentVolumenNavn(navn, "E:\\TAVO-Flyt5"), 1);
  EXPECT_STREQ(navn, "TAVO-FLYT");
  EXPECT_NE(SaetVolumenNavn("E:\\", "NYT"), 0);
  EXPECT_EQ(HentVolumenNavn(navn, "e:"), 1);
  EXPECT_STREQ(navn, "NYT");

  tavo::test::StartDialogScript();
  EXPECT_EQ(LedigDiskPlads("F:\\", &ledig, &total), 0);
  EXPECT_EQ(HentVolumenNavn(navn, "F:\\"), 0);
  EXPECT_EQ(FilAdgang("F:\\flyt.ini"), 1);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());

  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDCANCEL; });
  EXPECT_EQ(IndsaetFlytbarDisk(0), IDCANCEL);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "TAVO-flyt");
  EXPECT_EQ(bokse[0].text, "Indsæt flytbar disk!");
  EXPECT_EQ(bokse[0].type & MB_TYPEMASK, (UINT)MB_OKCANCEL);
}

using MenuHjaelpKopier = MenuTest;

TEST_F(MenuHjaelpKopier, CopiesWholeFilesAndSlices) {
  std::string kilde(250000, '\0');
  for (size_t i = 0; i < kilde.size(); ++i) kilde[i] = static_cast<char>(i * 31 + i / 977);
  Skriv(mappe_ / "Data.zip", kilde);
  HWND bjaelke = GetDlgItem(Dialog(), IDC_BJAELKE2);

  const struct {
    long offset, limit;
    const char *mode;
    long resultat, blokke, skridt;
    std::string forventet;
  } tilfaelde[] = {
      {0, 0, "wb", 250000, 3, 3, kilde},
      {200000, 40000, "wb", 40000, 1, 1, kilde.substr(200000, 40000)},
      {200000, 40000, "ab", 40000, 1, 1, kilde.substr(200000, 40000) + kilde.substr(200000, 40000)},
      {150000, 0, "wb", 100000, 2, 1, kilde.substr(150000)},
      {0, 300000, "wb", 250000, 3, 3, kilde},
      {0, 102400, "wb", 102400, 1, 1, kilde.substr(0, 102400)},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::to_string(t.offset) + " " + std::to_string(t.limit) + " " + t.mode);
    EXPECT_EQ(KopierFilMedProgress(Dialog(), (mappe_.string() + "\\Data.zip").c_str(), Sti("Data.z01").c_str(),
                                   t.offset, t.limit, t.mode),
              t.resultat);
    EXPECT_EQ(Laes(mappe_ / "Data.z01"), t.forventet);
    PBRANGE r;
    SendMessageA(bjaelke, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.iHigh, t.blokke);
    EXPECT_EQ(SendMessageA(bjaelke, PBM_GETPOS, 0, 0), t.skridt);
    EXPECT_EQ(Tekst(IDC_STATUSLINJE), "Kopierer filen: Data.zip");
  }
  EXPECT_EQ(KopierFilMedProgress(Dialog(), Sti("mangler").c_str(), Sti("ud").c_str(), 0, 0, "wb"), 0);
  EXPECT_EQ(KopierFilMedProgress(Dialog(), Sti("Data.zip").c_str(), Sti("mangler/ud").c_str(), 0, 0, "wb"), 0);
}

// A full disk: the copy reports failure, not the bytes it was given.
TEST_F(MenuHjaelpKopier, FullDiskFails) {
  Skriv(mappe_ / "kilde/stor.zip", std::string(250000, 'q'));
  fs::create_directory(mappe_ / "disk");
  tavo::SetDrive('A', Sti("disk"), DRIVE_REMOVABLE, 1000, 200000);
  tavo::SetDriveQuota('A', 200000);
  EXPECT_EQ(KopierFilMedProgress(Dialog(), Sti("kilde/stor.zip").c_str(), "A:\\Data.z01", 0, 0, "wb"), 0);
  tavo::ResetDrives();
}

using MenuHjaelpSystekst = MenuTest;

TEST_F(MenuHjaelpSystekst, ErrorTextsAndBoxes) {
  char buf[256];
  SetLastError(ERROR_FILE_NOT_FOUND);
  char forventet[256];
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND,
                 MAKELANGID(LANG_DANISH, SUBLANG_DEFAULT), forventet, sizeof forventet, nullptr);
  EXPECT_STREQ(SystemErrorText(buf, sizeof buf), forventet);
  char lille[8];
  SystemErrorText(lille, sizeof lille);
  EXPECT_LT(std::strlen(lille), sizeof lille);

  tavo::test::StartDialogScript();
  EXPECT_EQ(VisSystemFejl("100 %s %d", MB_OK | MB_ICONERROR), IDOK);
  SetLastError(ERROR_FILE_NOT_FOUND);
  VisSystemFejl(nullptr, MB_OK);
  errno = ENOENT;
  EXPECT_EQ(VisErrnoFejl(), 0);
  errno = EISDIR;
  EXPECT_EQ(VisErrnoFejl(), 0);
  errno = EACCES;
  SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(VisErrnoFejl(), IDOK);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 3u);
  for (const auto &b : bokse) EXPECT_EQ(b.caption, "Fejl");
  EXPECT_EQ(bokse[0].text, "100 %s %d");
  EXPECT_EQ(bokse[1].text, forventet);
}

TEST_F(MenuHjaelpSystekst, FitDialogToClient) {
  HWND dlg = Dialog();
  MoveWindow(dlg, 100, 80, 400, 300, FALSE);
  RECT foer, klient;
  GetWindowRect(dlg, &foer);
  GetClientRect(dlg, &klient);
  FitDialogToClient(dlg);
  RECT efter;
  GetWindowRect(dlg, &efter);
  EXPECT_EQ(efter.top, foer.top);
  EXPECT_EQ(efter.left, foer.left);
  EXPECT_EQ(efter.right - efter.left, klient.right);
  EXPECT_EQ(efter.bottom - efter.top, klient.bottom + 19);

  // Wider than its parent's client area: moved left by half the overhang.
  HWND far = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, 0, 0, 0, nullptr);
  HWND barn = CreateDialogParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), far, TomDlgProc, 0);
  MoveWindow(barn, 300, 50, 400, 300, FALSE);
  RECT fk, bk, bv;
  GetClientRect(far, &fk);
  GetClientRect(barn, &bk);
  GetWindowRect(barn, &bv);
  FitDialogToClient(barn);
  RECT r;
  GetWindowRect(barn, &r);
  EXPECT_EQ(r.left, bv.left - (bk.right - fk.right) / 2);
  EXPECT_EQ(r.top, bv.top);
  DestroyWindow(barn);
  DestroyWindow(far);
}

TEST_F(MenuHjaelpSystekst, RectangleFills) {
  HDC skaerm = GetDC(0);
  HDC dc = CreateCompatibleDC(skaerm);
  HBITMAP bmp = CreateCompatibleBitmap(skaerm, 20, 20);
  HGDIOBJ gammel = SelectObject(dc, bmp);
  const RECT alt = {0, 0, 20, 20}, indre = {5, 5, 15, 15};
  FyldSystemFarve(dc, &alt, COLOR_WINDOW);
  EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_WINDOW));
  HBRUSH roed = CreateSolidBrush(RGB(200, 0, 0));
  FyldPensel(dc, &indre, roed);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(200, 0, 0));
  EXPECT_EQ(GetPixel(dc, 15, 15), GetSysColor(COLOR_WINDOW));  // right and bottom edges are outside
  RammeSystemFarve(dc, &indre, COLOR_BTNSHADOW);
  EXPECT_EQ(GetPixel(dc, 5, 5), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 14, 14), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(200, 0, 0));
  SelectObject(dc, gammel);
  DeleteObject(roed);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(0, skaerm);
}

}  // namespace
