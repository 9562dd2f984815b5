// Version blocks read back from a program file, as the about box, the log
// start line and the support listing read them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "tavo/version.h"
#include "win/kernel.h"

namespace {

const std::string kChild = TAVO_BINARY_DIR "/tests/platform/kernel/child/kchild.exe";

// The programs' own lookup: the first translation, then the string.
bool ReadText(const std::vector<char> &block, const char *key, std::string &out, UINT *len) {
  WORD *trans = nullptr;
  UINT n = 0;
  if (!VerQueryValue(block.data(), "\\VarFileInfo\\Translation", (LPVOID *)&trans, &n) || n < 4)
    return false;
  char sub[128];
  std::snprintf(sub, sizeof sub, "\\StringFileInfo\\%04x%04x\\%s", trans[0], trans[1], key);
  char *value = nullptr;
  if (!VerQueryValue(block.data(), sub, (LPVOID *)&value, len)) return false;
  out = value;
  return true;
}

TEST(VersionBlock, ReadsBackByKey) {
  DWORD handle = 7;
  DWORD size = GetFileVersionInfoSize(kChild.c_str(), &handle);
  ASSERT_GT(size, 0u);
  EXPECT_EQ(handle, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfo(kChild.c_str(), 0, size, block.data()));

  WORD *trans = nullptr;
  UINT n = 0;
  ASSERT_TRUE(VerQueryValue(block.data(), "\\VarFileInfo\\Translation", (LPVOID *)&trans, &n));
  EXPECT_EQ(n, 4u);
  EXPECT_EQ(trans[0], 0x0406);
  EXPECT_EQ(trans[1], 0x04b0);

  char version[32];
  std::snprintf(version, sizeof version, "%d.%d.%d", TAVO_VERSION_MAJOR, TAVO_VERSION_MINOR,
                TAVO_VERSION_PATCH);
  const struct {
    const char *key, *value;
  } keys[] = {{"CompanyName", "Tavo prøvefirma"},
              {"ProductName", "TAVO-skema"},
              {"FileDescription", "Testprogram \"kchild\""},
              {"FileVersion", version},
              {"InternalName", "kchild"},
              {"LegalCopyright", "Copyright © 2004"},
              {"SpecialBuild", "C:\\Prog\\test"},
              {"ProductVersion", version},
              {"OriginalFilename", "kchild.exe"}};
  for (const auto &k : keys) {
    std::string got;
    UINT len = 0;
    EXPECT_TRUE(ReadText(block, k.key, got, &len)) << k.key;
    EXPECT_EQ(got, k.value) << k.key;
    EXPECT_EQ(len, std::strlen(k.value) + 1) << k.key;
  }
  std::string got;
  UINT len = 0;
  EXPECT_TRUE(ReadText(block, "fileversion", got, &len));
  EXPECT_FALSE(ReadText(block, "Comments", got, &len));
  LPVOID p = nullptr;
  EXPECT_FALSE(VerQueryValue(block.data(), "\\StringFileInfo\\040904b0\\FileVersion", &p, &len));

  VS_FIXEDFILEINFO *fixed = nullptr;
  ASSERT_TRUE(VerQueryValue(block.data(), "\\", (LPVOID *)&fixed, &n));
  EXPECT_EQ(n, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, (DWORD)(TAVO_VERSION_MAJOR << 16 | TAVO_VERSION_MINOR));
  EXPECT_EQ(fixed->dwFileVersionLS, (DWORD)(TAVO_VERSION_PATCH << 16));

  // A buffer too small for the whole block keeps the head and never lets a
  // query read past it.
  std::vector<char> small(size - 20);
  ASSERT_TRUE(GetFileVersionInfo(kChild.c_str(), 0, (DWORD)small.size(), small.data()));
  EXPECT_TRUE(ReadText(small, "CompanyName", got, &len));
  EXPECT_FALSE(ReadText(small, "ProductVersion", got, &len));
}

TEST(VersionBlock, FilesWithoutOneFailCleanly) {
  std::string plain = TAVO_BINARY_DIR "/tests/platform/kernel/no_version_block.exe";
  std::ofstream(plain, std::ios::binary) << std::string(4096, 'x');
  // The test program holds the reader itself, never a block.
  const std::string files[] = {plain, TAVO_BINARY_DIR "/tests/platform/kernel/test_platform_kernel"};
  for (const auto &f : files) {
    DWORD handle = 7;
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSize(f.c_str(), &handle), 0u) << f;
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_DATA_NOT_FOUND) << f;
    char buf[256];
    std::memset(buf, 'u', sizeof buf);
    EXPECT_FALSE(GetFileVersionInfo(f.c_str(), 0, sizeof buf, buf));
    EXPECT_EQ(buf[0], 'u');
  }
  EXPECT_EQ(GetFileVersionInfoSize((plain + ".missing").c_str(), NULL), 0u);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
  unlink(plain.c_str());
}

}  // namespace
