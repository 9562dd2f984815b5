// Zip archives: the archives the tests unpack are made here with minizip's
// own file calls, and what ZipAddFile writes is read back the same way, so
// neither direction checks itself.
#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <utime.h>

#include <algorithm>
#include <ctime>
#include <set>
#include <vector>

#include "ZIPPAK.h"
#include "tavo/test_file.h"
#include "menuhjaelp_support.h"

using namespace menutest;

// minizip keeps the header it made for a new entry when writing that header
// fails, and nothing can free it from outside: a library leak on the
// failure path that the failed writes below reach, not ours.
extern "C" const char *__lsan_default_suppressions() { return "leak:zipOpenNewFileInZip4_64\n"; }

namespace {

struct Entry {
  std::string navn;
  std::string indhold;
  uLong dosDato = 0;
};

// An archive made with minizip's plain stdio functions.
void LavArkiv(const fs::path &sti, const std::vector<Entry> &entries) {
  zipFile zf = zipOpen64(sti.c_str(), APPEND_STATUS_CREATE);
  ASSERT_NE(zf, nullptr);
  for (const Entry &e : entries) {
    zip_fileinfo info = {};
    info.dosDate = e.dosDato;
    ASSERT_EQ(zipOpenNewFileInZip(zf, e.navn.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                  Z_DEFAULT_COMPRESSION),
              ZIP_OK);
    if (!e.indhold.empty()) { ASSERT_EQ(zipWriteInFileInZip(zf, e.indhold.data(), e.indhold.size()), ZIP_OK); }
    ASSERT_EQ(zipCloseFileInZip(zf), ZIP_OK);
  }
  ASSERT_EQ(zipClose(zf, nullptr), ZIP_OK);
}

// Every entry of an archive with its content, read with minizip's stdio
// functions; crc checked on closing each.
std::vector<Entry> LaesArkiv(const fs::path &sti) {
  std::vector<Entry> ud;
  unzFile uf = unzOpen64(sti.c_str());
  if (!uf) return ud;
  for (int r = unzGoToFirstFile(uf); r == UNZ_OK; r = unzGoToNextFile(uf)) {
    char navn[512];
    unz_file_info64 info;
    unzGetCurrentFileInfo64(uf, &info, navn, sizeof navn, nullptr, 0, nullptr, 0);
    Entry e{navn, "", info.dosDate};
    unzOpenCurrentFile(uf);
    char buf[4096];
    int n;
    while ((n = unzReadCurrentFile(uf, buf, sizeof buf)) > 0) e.indhold.append(buf, n);
    EXPECT_EQ(n, 0) << navn;
    EXPECT_EQ(unzCloseCurrentFile(uf), UNZ_OK) << navn;
    ud.push_back(e);
  }
  unzClose(uf);
  return ud;
}

// Every path below the folder, relative to it.
std::set<std::string> Indhold(const fs::path &mappe) {
  std::set<std::string> ud;
  for (auto &p : fs::recursive_directory_iterator(mappe)) ud.insert(fs::relative(p.path(), mappe).string());
  return ud;
}

// A DOS date and time: 2025-03-14 10:26:58.
constexpr uLong kDos = ((uLong)((2025 - 1980) << 9 | 3 << 5 | 14) << 16) | (10 << 11 | 26 << 5 | 58 / 2);

using MenuHjaelpArkiv = MenuTest;

TEST_F(MenuHjaelpArkiv, UnpacksFoldersNestedPathsAndOverwrites) {
  const std::string stor(100000, 'x');
  LavArkiv(mappe_ / "a.zip", {{"tom/", "", 0},
                              {"data/akti.dat", "AKTI", kDos},
                              {"data\\under\\dybt.txt", stor, kDos},
                              {"findes.txt", "ny", kDos}});
  Skriv(mappe_ / "ud/findes.txt", "gammelt og langt indhold");
  ASSERT_EQ(UnzipArchive(Sti("a.zip").c_str(), nullptr, Sti("ud").c_str()), 0);

  EXPECT_EQ(Indhold(mappe_ / "ud"),
            (std::set<std::string>{"tom", "data", "data/akti.dat", "data/under", "data/under/dybt.txt", "findes.txt"}));
  EXPECT_EQ(Laes(mappe_ / "ud/data/akti.dat"), "AKTI");
  EXPECT_EQ(Laes(mappe_ / "ud/data/under/dybt.txt"), stor);
  EXPECT_EQ(Laes(mappe_ / "ud/findes.txt"), "ny");
  // The target folder stays the current one.
  EXPECT_EQ(fs::current_path(), mappe_ / "ud");

  // The entry's DOS time is a local time: reading the file's time back as
  // local time gives the same date and time.
  HANDLE h = CreateFileA(Sti("ud/data/akti.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME skrevet, lokal;
  GetFileTime(h, nullptr, nullptr, &skrevet);
  CloseHandle(h);
  FileTimeToLocalFileTime(&skrevet, &lokal);
  WORD dato = 0, tid = 0;
  FileTimeToDosDateTime(&lokal, &dato, &tid);
  EXPECT_EQ((((uLong)dato) << 16) | tid, kDos);
}

TEST_F(MenuHjaelpArkiv, OneEntryByNameWithoutRegardToCase) {
  LavArkiv(mappe_ / "b.zip", {{"INI/Tavo.ini", "[global]", 0}, {"andet.txt", "x", 0}});
  fs::create_directory(mappe_ / "ud");
  // The ".zip" may be left out of the archive's name.
  EXPECT_EQ(UnzipArchive(Sti("b").c_str(), "ini/tavo.INI", Sti("ud").c_str()), 0);
  EXPECT_EQ(Indhold(mappe_ / "ud"), (std::set<std::string>{"INI", "INI/Tavo.ini"}));

  fs::create_directory(mappe_ / "tom");
  EXPECT_EQ(UnzipArchive(Sti("b.zip").c_str(), "mangler.txt", Sti("tom").c_str()), 2);
  EXPECT_TRUE(Indhold(mappe_ / "tom").empty());
}

TEST_F(MenuHjaelpArkiv, FailuresBeforeExtracting) {
  fs::create_directory(mappe_ / "ud");
  EXPECT_EQ(UnzipArchive(Sti("findes-ikke.zip").c_str(), nullptr, Sti("ud").c_str()), -3);
  Skriv(mappe_ / "ikke-zip.zip", "dette er ikke et zip-arkiv");
  EXPECT_EQ(UnzipArchive(Sti("ikke-zip.zip").c_str(), nullptr, Sti("ud").c_str()), -3);
  LavArkiv(mappe_ / "c.zip", {{"x.txt", "x", 0}});
  EXPECT_EQ(UnzipArchive(Sti("c.zip").c_str(), nullptr, Sti("mangler/mappe").c_str()), -1);
  EXPECT_TRUE(Indhold(mappe_ / "ud").empty());
}

// Names that would land outside the target folder: the archive is refused
// with its own code and nothing is written, neither inside nor beside the
// target folder.
TEST_F(MenuHjaelpArkiv, RefusesEntriesThatLeaveTheTargetFolder) {
  const char *usikre[] = {"../x", "/x", "\\x", "C:\\x", "c:x", "a/../../x", "a\\..\\..\\x", ".."};
  for (const char *navn : usikre) {
    SCOPED_TRACE(navn);
    fs::remove_all(mappe_ / "t");
    fs::create_directories(mappe_ / "t/ud");
    LavArkiv(mappe_ / "t/u.zip", {{"foer.txt", "foer", 0}, {navn, "ude", 0}});
    const auto foer = Indhold(mappe_ / "t");
    EXPECT_EQ(UnzipArchive(Sti("t/u.zip").c_str(), nullptr, Sti("t/ud").c_str()), kUnzipUsikkertNavn);
    EXPECT_EQ(Indhold(mappe_ / "t"), foer);
    EXPECT_EQ(UnzipArchive(Sti("t/u.zip").c_str(), navn, Sti("t/ud").c_str()), kUnzipUsikkertNavn);
    EXPECT_EQ(Indhold(mappe_ / "t"), foer);
    ASSERT_EQ(chdir(cwd_.c_str()), 0);
  }
  // Names that only look alike stay allowed.
  for (const char *navn : {"a..b", "..a/x", "a/b../c", "a/./b"}) EXPECT_TRUE(SikkertEntryNavn(navn)) << navn;
}

// A damaged entry fails the extraction and leaves no file of its name;
// entries before it stay.
TEST_F(MenuHjaelpArkiv, DamagedEntryLeavesNoPartialFile) {
  std::string indhold;
  for (int i = 0; i < 40000; ++i) indhold += std::to_string(i * 7919 % 10007) + ",";
  LavArkiv(mappe_ / "d.zip", {{"hel.txt", "hel", 0}, {"skadet.dat", indhold, 0}});
  std::string bytes = Laes(mappe_ / "d.zip");
  // Spoil the middle of the second entry's deflated data.
  const size_t midt = bytes.find("skadet.dat") + 10 + (bytes.size() / 3);
  for (size_t i = midt; i < midt + 64; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  Skriv(mappe_ / "d.zip", bytes);
  fs::create_directory(mappe_ / "ud");
  const int r = UnzipArchive(Sti("d.zip").c_str(), nullptr, Sti("ud").c_str());
  EXPECT_NE(r, 0);
  EXPECT_EQ(Indhold(mappe_ / "ud"), (std::set<std::string>{"hel.txt"}));
}

TEST_F(MenuHjaelpArkiv, ZipAddFileCreatesAndAppends) {
  Skriv(mappe_ / "kilde/en.txt", "en");
  Skriv(mappe_ / "kilde/to.bin", std::string(70000, '\x07'));
  ASSERT_EQ(chdir(mappe_.c_str()), 0);
  // No dot in the archive's name: ".zip" is added.
  EXPECT_EQ(ZipAddFile("pakke", "kilde\\en.txt"), 0);
  EXPECT_EQ(ZipAddFile("pakke", "kilde/to.bin"), 0);
  const auto entries = LaesArkiv(mappe_ / "pakke.zip");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].navn, "kilde\\en.txt");
  EXPECT_EQ(entries[0].indhold, "en");
  EXPECT_EQ(entries[1].navn, "kilde/to.bin");
  EXPECT_EQ(entries[1].indhold, std::string(70000, '\x07'));

  // The entry time is the file's last write time in local time.
  const std::time_t t = std::time(nullptr) - 86400 * 3;
  struct tm lt;
  localtime_r(&t, &lt);
  struct utimbuf ut = {t, t};
  ASSERT_EQ(utime((mappe_ / "kilde/en.txt").c_str(), &ut), 0);
  EXPECT_EQ(ZipAddFile("tid.zip", Sti("kilde/en.txt").c_str()), 0);
  const auto tid = LaesArkiv(mappe_ / "tid.zip");
  ASSERT_EQ(tid.size(), 1u);
  // Leading separators are not part of the entry's name.
  EXPECT_EQ(tid[0].navn, Sti("kilde/en.txt").substr(1));
  const uLong forventet = ((uLong)((lt.tm_year - 80) << 9 | (lt.tm_mon + 1) << 5 | lt.tm_mday) << 16) |
                          (lt.tm_hour << 11 | lt.tm_min << 5 | lt.tm_sec / 2);
  EXPECT_EQ(tid[0].dosDato, forventet);
}

TEST_F(MenuHjaelpArkiv, ZipAddFileFailures) {
  ASSERT_EQ(chdir(mappe_.c_str()), 0);
  // A file that cannot be read leaves no archive behind.
  EXPECT_EQ(ZipAddFile("ny.zip", "mangler.txt"), -6);
  EXPECT_FALSE(fs::exists(mappe_ / "ny.zip"));
  Skriv(mappe_ / "f.txt", "f");
  EXPECT_EQ(ZipAddFile("ingen/mappe/a.zip", "f.txt"), -3);
  Skriv(mappe_ / "ikke.zip", "ikke et arkiv");
  EXPECT_EQ(ZipAddFile("ikke.zip", "f.txt"), -3);
  EXPECT_STREQ(ZipFejlTekst(-6), "Error in opening file for reading");
  EXPECT_STREQ(ZipFejlTekst(-10), "Error in closing the zipfile");
  EXPECT_STREQ(ZipFejlTekst(0), "");
  EXPECT_STREQ(ZipFejlTekst(-99), "");
}

TEST_F(MenuHjaelpArkiv, PackingWithProgressAndErrorBoxes) {
  Skriv(mappe_ / "data/a.dat", "a");
  Skriv(mappe_ / "data/b.dat", "bb");
  fs::create_directory(mappe_ / "data/under.dat");
  ASSERT_EQ(chdir(mappe_.c_str()), 0);
  HWND bjaelke = GetDlgItem(Dialog(), IDC_BJAELKE1);
  SendMessageA(bjaelke, PBM_SETRANGE, 0, MAKELPARAM(0, 10));
  SendMessageA(bjaelke, PBM_SETSTEP, 1, 0);
  PakFilerMedProgress(Dialog(), (mappe_.string() + "/").c_str(), "data\\*.dat", "p.zip");
  const auto entries = LaesArkiv(mappe_ / "p.zip");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].navn, "data\\a.dat");
  EXPECT_EQ(entries[1].navn, "data\\b.dat");
  EXPECT_EQ(SendMessageA(bjaelke, PBM_GETPOS, 0, 0), 2);
  EXPECT_EQ(Tekst(IDC_STATUSLINJE), "Pakker filen: b.dat");

  tavo::test::StartDialogScript();
  EXPECT_EQ(PakFilMedFejl(Dialog(), "mangler.dat", "p.zip", TRUE), -6);
  EXPECT_EQ(UdpakMedFejl(Dialog(), "ingen.zip", nullptr, mappe_.c_str(), TRUE), -3);
  EXPECT_EQ(PakFilMedFejl(Dialog(), "mangler.dat", "p.zip", FALSE), -6);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[0].caption, "Fejl");
  EXPECT_EQ(bokse[0].text, "Fejl ved pakning af filen 'mangler.dat'\n");
  EXPECT_EQ(bokse[0].type & MB_ICONMASK, (UINT)MB_ICONERROR);
  EXPECT_EQ(bokse[1].text, "Fejl ved udpakning af filen 'ingen.zip'\n");
  // The dialog is shown again after the box.
  EXPECT_TRUE(IsWindowVisible(Dialog()));
}

// Every file call of packing and unpacking made to fail in turn, as on a
// full disk: the failure is reported, and an unpacked file is whole or not
// there.
TEST_F(MenuHjaelpArkiv, FailedWritesAreReported) {
  const std::string indhold(50000, 'k');
  Skriv(mappe_ / "kilde.txt", indhold);
  LavArkiv(mappe_ / "u.zip", {{"ud.txt", indhold, 0}});
  for (unsigned n = 1;; ++n) {
    SCOPED_TRACE(n);
    ASSERT_EQ(chdir(mappe_.c_str()), 0);
    DeleteFileA("p.zip");
    tavo::test::StartFileFaults(n, ERROR_DISK_FULL);
    const int r = ZipAddFile("p.zip", "kilde.txt");
    const bool ramt = tavo::test::FileFaultHappened();
    tavo::test::StopFileFaults();
    if (!ramt) {
      EXPECT_EQ(r, 0);
      break;
    }
    EXPECT_NE(r, 0);
  }
  for (unsigned n = 1;; ++n) {
    SCOPED_TRACE(n);
    fs::remove_all(mappe_ / "ud");
    fs::create_directory(mappe_ / "ud");
    tavo::test::StartFileFaults(n, ERROR_DISK_FULL);
    const int r = UnzipArchive(Sti("u.zip").c_str(), nullptr, Sti("ud").c_str());
    const bool ramt = tavo::test::FileFaultHappened();
    tavo::test::StopFileFaults();
    ASSERT_EQ(chdir(cwd_.c_str()), 0);
    if (!ramt) {
      EXPECT_EQ(r, 0);
      EXPECT_EQ(Laes(mappe_ / "ud/ud.txt"), indhold);
      break;
    }
    EXPECT_NE(r, 0);
    if (fs::exists(mappe_ / "ud/ud.txt")) { EXPECT_EQ(Laes(mappe_ / "ud/ud.txt"), indhold); }
  }
}

}  // namespace
