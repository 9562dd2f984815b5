// Drives answer from the drive table: letters, types, free space, labels,
// network names; an empty removable drive fails instead of asking.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "pathmap.h"
#include "windows.h"

namespace {

class FilesDrives : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_drv_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    tavo::ResetDrives();
  }
  void TearDown() override {
    tavo::ResetDrives();
    ASSERT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }
  std::string dir_;
};

TEST_F(FilesDrives, ListsAndTypesMappedDrives) {
  char buf[MAX_PATH];
  DWORD n = GetLogicalDriveStrings(sizeof buf, buf);
  ASSERT_EQ(n, 4u);
  EXPECT_EQ(memcmp(buf, "C:\\\0\0", 5), 0);

  tavo::SetDrive('d', dir_, DRIVE_CDROM);
  tavo::SetDrive('A', dir_ + "/ingen", DRIVE_REMOVABLE);
  tavo::SetDrive('N', dir_, DRIVE_REMOTE);
  n = GetLogicalDriveStrings(sizeof buf, buf);
  ASSERT_EQ(n, 16u);
  EXPECT_EQ(memcmp(buf, "A:\\\0C:\\\0D:\\\0N:\\\0\0", 17), 0);
  EXPECT_EQ(GetLogicalDriveStrings(10, buf), 17u);  // too small: the size needed
  EXPECT_EQ(GetLogicalDrives(), (1u << 0) | (1u << 2) | (1u << 3) | (1u << 13));

  struct Case {
    const char *root;
    UINT type;
  } cases[] = {{"C:", DRIVE_FIXED},         {"c:\\", DRIVE_FIXED},     {"D:/", DRIVE_CDROM},
               {"A:", DRIVE_REMOVABLE},     {"N:\\", DRIVE_REMOTE},    {"Q:", DRIVE_NO_ROOT_DIR},
               {"C:\\tmp", DRIVE_NO_ROOT_DIR}, {"", DRIVE_NO_ROOT_DIR}, {NULL, DRIVE_FIXED}};
  for (const Case &c : cases) EXPECT_EQ(GetDriveType(c.root), c.type) << (c.root ? c.root : "null");
}

TEST_F(FilesDrives, FreeSpaceLabelsAndMissingMedia) {
  tavo::SetDrive('E', dir_, DRIVE_REMOVABLE, 1440000, 1457664);
  ULARGE_INTEGER avail, total, free;
  ASSERT_TRUE(GetDiskFreeSpaceEx("E:\\", &avail, &total, &free));
  EXPECT_EQ(avail.QuadPart, 1440000u);
  EXPECT_EQ(total.QuadPart, 1457664u);
  EXPECT_EQ(free.QuadPart, 1440000u);
  DWORD spc, bps, fc, tc;
  ASSERT_TRUE(GetDiskFreeSpace("E:\\", &spc, &bps, &fc, &tc));
  EXPECT_EQ((uint64_t)spc * bps * fc, 1440000u / 4096 * 4096);
  // Without figures the file system answers.
  ASSERT_TRUE(GetDiskFreeSpaceEx("C:\\", &avail, &total, &free));
  EXPECT_GT(total.QuadPart, 0u);

  char label[64] = "x", fs[16];
  DWORD serial = 0;
  ASSERT_TRUE(GetVolumeInformation("E:\\", label, sizeof label, &serial, NULL, NULL, fs, sizeof fs));
  EXPECT_STREQ(label, "");
  ASSERT_TRUE(SetVolumeLabel("E:\\", "TAVO-FLYT"));
  ASSERT_TRUE(GetVolumeInformation("E:\\", label, sizeof label, NULL, NULL, NULL, NULL, 0));
  EXPECT_STREQ(label, "TAVO-FLYT");
  EXPECT_FALSE(GetVolumeInformation("E:\\", label, 5, NULL, NULL, NULL, NULL, 0));
  EXPECT_FALSE(SetVolumeLabel("E:\\", std::string(40, 'x').c_str()));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_LABEL_TOO_LONG);

  // An empty drive: a failure, never a prompt; the error mode is kept.
  UINT old = SetErrorMode(SEM_FAILCRITICALERRORS);
  tavo::SetDrive('A', dir_ + "/ingen", DRIVE_REMOVABLE);
  EXPECT_FALSE(GetVolumeInformation("A:\\", label, sizeof label, NULL, NULL, NULL, NULL, 0));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_READY);
  EXPECT_FALSE(GetDiskFreeSpaceEx("A:\\", &avail, &total, &free));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_READY);
  EXPECT_EQ(SetErrorMode(old), (UINT)SEM_FAILCRITICALERRORS);
  EXPECT_FALSE(GetVolumeInformation("Q:\\", label, sizeof label, NULL, NULL, NULL, NULL, 0));
}

TEST_F(FilesDrives, AFolderWhoseNameStartsWithADrivesFolderIsNotInThatDrive) {
  ASSERT_EQ(mkdir((dir_ + "/d").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((dir_ + "/dd").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((dir_ + "/d.x").c_str(), 0755), 0);
  tavo::SetDrive('E', dir_ + "/d", DRIVE_REMOVABLE);
  ASSERT_TRUE(tavo::SetDriveWriteProtect('E', true));
  const struct {
    std::string sti;
    bool inde;
  } cases[] = {
      {dir_ + "/d", true},       {dir_ + "/d/", true},      {dir_ + "/d/fil", true}, {dir_ + "/d/u/fil", true},
      {dir_ + "/dd", false},     {dir_ + "/dd/fil", false}, {dir_ + "/d.x/fil", false},
      {dir_ + "/dfil", false},   {dir_, false},
  };
  for (const auto &c : cases) EXPECT_EQ(tavo::DriveWriteProtected(c.sti), c.inde) << c.sti;
  // Writing: refused on the drive, not beside it.
  auto skriv = [](const std::string &sti) {
    HANDLE h = CreateFile(sti.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    const bool ok = WriteFile(h, "abc", 3, &n, NULL) && n == 3;
    CloseHandle(h);
    return ok;
  };
  EXPECT_FALSE(skriv(dir_ + "/d/fil"));
  EXPECT_TRUE(skriv(dir_ + "/dd/fil"));
  // The quota of the drive counts only what is written on it.
  ASSERT_TRUE(tavo::SetDriveWriteProtect('E', false));
  ASSERT_TRUE(tavo::SetDriveQuota('E', 2));
  EXPECT_FALSE(skriv(dir_ + "/d/fil"));
  EXPECT_TRUE(skriv(dir_ + "/dd/fil2"));
  EXPECT_TRUE(skriv(dir_ + "/d.x/fil"));
  // And a path beside the drive is not named by it.
  std::string win;
  ASSERT_TRUE(tavo::UnmapPath(dir_ + "/dd/fil", win));
  EXPECT_EQ(win.rfind("E:", 0), std::string::npos) << win;
  ASSERT_TRUE(tavo::UnmapPath(dir_ + "/d/fil", win));
  EXPECT_EQ(win, "E:\\fil");
}

TEST_F(FilesDrives, NetworkNamesOfRemoteDrives) {
  tavo::SetDrive('N', dir_, DRIVE_REMOTE);
  ASSERT_TRUE(tavo::SetDriveRemoteName('N', "\\\\server\\tavo"));
  char name[64];
  DWORD size = sizeof name;
  EXPECT_EQ(WNetGetConnection("N:", name, &size), (DWORD)NO_ERROR);
  EXPECT_STREQ(name, "\\\\server\\tavo");
  size = 4;
  EXPECT_EQ(WNetGetConnection("N:", name, &size), (DWORD)ERROR_MORE_DATA);
  EXPECT_EQ(size, 14u);
  size = sizeof name;
  EXPECT_EQ(WNetGetConnection("C:", name, &size), (DWORD)ERROR_NOT_CONNECTED);
  EXPECT_EQ(WNetGetConnection("Q:", name, &size), (DWORD)ERROR_BAD_DEVICE);
}

}  // namespace
