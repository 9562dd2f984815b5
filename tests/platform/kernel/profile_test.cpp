// Profile strings: what the programs rely on when they share ini files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>

#include "win/kernel.h"

namespace {

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_profile_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    ini_ = dir_ + "/tavo.ini";
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  void Put(const std::string &text) { std::ofstream(ini_, std::ios::binary) << text; }
  std::string Contents() {
    std::ifstream f(ini_, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }
  std::string Get(const char *section, const char *key, const char *def = "Ikke fundet",
                  DWORD size = 200) {
    char buf[200];
    DWORD n = GetPrivateProfileString(section, key, def, buf, size, ini_.c_str());
    EXPECT_EQ(n, std::strlen(buf));
    return buf;
  }

  std::string dir_, ini_;
};

TEST_F(Profile, DanishNamesMatchWithoutRegardToCase) {
  EXPECT_TRUE(WritePrivateProfileString("global", "skemalåst", "1", ini_.c_str()));
  EXPECT_TRUE(WritePrivateProfileString("Global", "tælaktibooking", "nej", ini_.c_str()));
  EXPECT_TRUE(WritePrivateProfileString("GLOBAL", " SKEMALÅST ", "2", ini_.c_str()));
  EXPECT_EQ(Get("GLOBAL", "SKEMALÅST"), "2");
  EXPECT_EQ(Get("global", "TÆLAKTIBOOKING"), "nej");
  EXPECT_EQ(Get("global", "mangler"), "Ikke fundet");
  EXPECT_EQ(Get("andet", "skemalåst", "standard   "), "standard");
  EXPECT_EQ(Contents(), "[global]\r\nSKEMALÅST=2\r\ntælaktibooking=nej\r\n");
}

TEST_F(Profile, ValuesAndNumbersAsWindowsReadsThem) {
  Put("[v]\n  spaced  =  a b  \nquoted=\" x \"\nsingle='y'\nhalf=\"z\nempty=\n"
      "n1=12abc\nn2=-5\nn3=abc\nn4= 42 \ndup=first\ndup=second\n");
  EXPECT_EQ(Get("v", "spaced"), "a b");
  EXPECT_EQ(Get("v", "quoted"), " x ");
  EXPECT_EQ(Get("v", "single"), "y");
  EXPECT_EQ(Get("v", "half"), "\"z");
  EXPECT_EQ(Get("v", "empty"), "");
  EXPECT_EQ(Get("v", "dup"), "first");
  const struct {
    const char *key;
    int expect;
  } ints[] = {{"n1", 12}, {"n2", -5}, {"n3", 0}, {"n4", 42}, {"empty", 77}, {"none", 77}};
  for (const auto &c : ints)
    EXPECT_EQ((int)GetPrivateProfileInt("v", c.key, 77, ini_.c_str()), c.expect) << c.key;
  EXPECT_EQ(GetPrivateProfileInt("v", "n1", 7, (dir_ + "/missing.ini").c_str()), 7u);
}

TEST_F(Profile, WritesKeepEverythingElse) {
  Put("; kommentar\n[a]\nx=1\nukendt=behold\n\n[b]\ny=2");
  EXPECT_TRUE(WritePrivateProfileString("a", "ny", "3", ini_.c_str()));
  EXPECT_TRUE(WritePrivateProfileString("b", "z", "4", ini_.c_str()));
  EXPECT_TRUE(WritePrivateProfileString("a", "x", "5", ini_.c_str()));
  EXPECT_TRUE(WritePrivateProfileString("c", "w", "6", ini_.c_str()));
  EXPECT_EQ(Contents(),
            "; kommentar\n[a]\nx=5\r\nukendt=behold\nny=3\r\n\n[b]\ny=2\r\nz=4\r\n[c]\r\nw=6\r\n");
  // Deleting a key and a whole section.
  EXPECT_TRUE(WritePrivateProfileString("A", "UKENDT", NULL, ini_.c_str()));
  EXPECT_TRUE(WritePrivateProfileString("b", NULL, NULL, ini_.c_str()));
  EXPECT_EQ(Contents(), "; kommentar\n[a]\nx=5\r\nny=3\r\n\n[c]\r\nw=6\r\n");
  EXPECT_EQ(Get("b", "y"), "Ikke fundet");
  // Deleting what is not there changes nothing and creates nothing.
  EXPECT_TRUE(WritePrivateProfileString("b", "y", NULL, (dir_ + "/new.ini").c_str()));
  EXPECT_NE(access((dir_ + "/new.ini").c_str(), F_OK), 0);
  // Lines a value could break are refused.
  EXPECT_FALSE(WritePrivateProfileString("a", "k", "1\r\n[x]", ini_.c_str()));
  EXPECT_FALSE(WritePrivateProfileString("a", "k=", "1", ini_.c_str()));
  EXPECT_FALSE(WritePrivateProfileString("a]", "k", "1", ini_.c_str()));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
  // A file in a folder that does not exist is not written.
  EXPECT_FALSE(WritePrivateProfileString("a", "k", "1", (dir_ + "/none/x.ini").c_str()));
}

TEST_F(Profile, BuffersAreCutAsWindowsCutsThem) {
  Put("[s1]\nabc=abcdef\nde=1\n[s2]\n[S1]\nzz=2\n");
  char buf[16];
  std::memset(buf, 'X', sizeof buf);
  EXPECT_EQ(GetPrivateProfileString("s1", "abc", "", buf, 4, ini_.c_str()), 3u);
  EXPECT_STREQ(buf, "abc");
  EXPECT_EQ(buf[4], 'X');
  EXPECT_EQ(GetPrivateProfileString("s1", "none", "default", buf, 4, ini_.c_str()), 3u);
  EXPECT_STREQ(buf, "def");

  // Lists: each name ended by a zero, the list by one more.
  EXPECT_EQ(GetPrivateProfileString(NULL, NULL, "", buf, sizeof buf, ini_.c_str()), 6u);
  EXPECT_EQ(std::string(buf, 7), std::string("s1\0s2\0\0", 7));
  EXPECT_EQ(GetPrivateProfileString("S1", NULL, "", buf, sizeof buf, ini_.c_str()), 7u);
  EXPECT_EQ(std::string(buf, 8), std::string("abc\0de\0\0", 8));
  std::memset(buf, 'X', sizeof buf);
  EXPECT_EQ(GetPrivateProfileString("s1", NULL, "", buf, 7, ini_.c_str()), 5u);
  EXPECT_EQ(std::string(buf, 8), std::string("abc\0d\0\0X", 8));
  EXPECT_EQ(GetPrivateProfileString("tom", NULL, "", buf, sizeof buf, ini_.c_str()), 0u);
  EXPECT_EQ(std::string(buf, 2), std::string("\0\0", 2));
}

TEST_F(Profile, AValueAtTheEdgeOfTheBufferAndAKeyOnlyInTheNextSection) {
  Put("[a]\nv2=ab\nv3=abc\nv4=abcd\nv5=abcde\n[b]\nk=naabo\n[c]\nsidst=x");
  // A buffer of 4: three characters and the zero; never a byte past it.
  const struct {
    const char *section, *key, *def;
    DWORD size;
    const char *expect;
    DWORD returned;
  } cases[] = {
      {"a", "v2", "", 4, "ab", 2},       {"a", "v3", "", 4, "abc", 3},   {"a", "v4", "", 4, "abc", 3},
      {"a", "v5", "", 4, "abc", 3},      {"a", "v3", "", 1, "", 0},      {"a", "k", "std", 4, "std", 3},
      {"a", "k", "stdx", 4, "std", 3},   {"b", "k", "", 6, "naabo", 5},  {"b", "k", "", 5, "naab", 4},
      {"c", "k", "-", 8, "-", 1},        {"c", "sidst", "", 2, "x", 1},  {"b", "v2", "-", 8, "-", 1},
  };
  for (const auto &c : cases) {
    char buf[16];
    std::memset(buf, 'X', sizeof buf);
    const DWORD n = GetPrivateProfileString(c.section, c.key, c.def, buf, c.size, ini_.c_str());
    const std::string hvad = std::string(c.section) + "/" + c.key + " in " + std::to_string(c.size);
    EXPECT_EQ(n, c.returned) << hvad;
    EXPECT_STREQ(buf, c.expect) << hvad;
    EXPECT_EQ(buf[c.size], 'X') << hvad << ": written past the buffer";
  }
}

TEST_F(Profile, StructsWithChecksum) {
  unsigned char rec[3] = {0x01, 0x02, 0xFF};
  EXPECT_TRUE(WritePrivateProfileStruct("skrm1", "array", rec, 3, ini_.c_str()));
  EXPECT_EQ(Get("skrm1", "array"), "0102FF02");
  unsigned char back[3] = {};
  EXPECT_TRUE(GetPrivateProfileStruct("skrm1", "ARRAY", back, 3, ini_.c_str()));
  EXPECT_EQ(std::memcmp(back, rec, 3), 0);

  const char *bad[] = {"0102FF03", "0102FF0", "0102FF0200", "0102FG02", ""};
  for (const char *v : bad) {
    WritePrivateProfileString("skrm1", "array", v, ini_.c_str());
    unsigned char keep[3] = {9, 9, 9};
    EXPECT_FALSE(GetPrivateProfileStruct("skrm1", "array", keep, 3, ini_.c_str())) << v;
    EXPECT_EQ(keep[0] + keep[1] + keep[2], 27) << v;
  }
  unsigned char keep[3] = {9, 9, 9};
  EXPECT_FALSE(GetPrivateProfileStruct("skrm1", "missing", keep, 3, ini_.c_str()));
  EXPECT_EQ(keep[0], 9);
}

TEST_F(Profile, DamagedFileReadsAsFarAsValid) {
  std::string text = "[g]\na=1\n";
  text += std::string("\x01\xff\xfe\0\0junk=\0x\n", 13);
  text += "b=" + std::string(100000, 'v') + "\n";
  text += "no equals sign\n=nokey\n";
  text += std::string("c=2\0tail\n", 9);
  text += "[h\nd=3\n[i]\ne=4";  // no final newline
  Put(text);
  EXPECT_EQ(Get("g", "a"), "1");
  EXPECT_EQ(Get("g", "b"), std::string(199, 'v'));
  EXPECT_EQ(Get("g", "c"), "2");
  EXPECT_EQ(Get("h", "d"), "3");
  EXPECT_EQ(Get("i", "e"), "4");
  EXPECT_TRUE(WritePrivateProfileString("i", "f", "5", ini_.c_str()));
  EXPECT_EQ(Get("i", "e"), "4");
  EXPECT_EQ(Get("i", "f"), "5");
  EXPECT_EQ(Contents().substr(0, text.size()), text.substr(0, text.size()));
}

// A name in the file that holds a zero byte is listed as far as the zero;
// every listed name must read its own entry (the first of that name), not
// another one that shares the name in full.
TEST_F(Profile, EveryListedNameReadsItsOwnEntry) {
  Put(std::string("[s]\nab\0x=1\nab=2\ncd=3\n[t\0u]\nk=4\n[t]\nk=5\n", 39));
  char buf[200];
  const DWORD n = GetPrivateProfileString("s", nullptr, "", buf, sizeof buf, ini_.c_str());
  EXPECT_EQ(std::string(buf, n), std::string("ab\0ab\0cd\0", 9));
  EXPECT_EQ(Get("s", "ab"), "1");
  EXPECT_EQ(Get("s", "cd"), "3");
  const DWORD m = GetPrivateProfileString(nullptr, nullptr, "", buf, sizeof buf, ini_.c_str());
  EXPECT_EQ(std::string(buf, m), std::string("s\0t\0", 4));
  EXPECT_EQ(Get("t", "k"), "4");
}

DWORD WINAPI WriteOwnKeys(LPVOID p) {
  auto *ini = (const std::string *)((void **)p)[0];
  int t = (int)(intptr_t)((void **)p)[1];
  for (int i = 0; i < 20; ++i) {
    std::string key = "p" + std::to_string(t) + "_" + std::to_string(i);
    if (!WritePrivateProfileString("multi", key.c_str(), std::to_string(i).c_str(), ini->c_str()))
      return 1;
  }
  return 0;
}

TEST_F(Profile, ThreadsOfTwoProcessesLoseNoKeys) {
  std::string line = "\"" TAVO_BINARY_DIR "/tests/platform/kernel/child/kchild.exe\" \"-w" +
                     ini_ + "\"";
  STARTUPINFO si;
  GetStartupInfo(&si);
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(CreateProcess(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
  void *args[8][2];
  HANDLE threads[8];
  for (int t = 0; t < 8; ++t) {
    args[t][0] = &ini_;
    args[t][1] = (void *)(intptr_t)t;
    threads[t] = CreateThread(NULL, 0, WriteOwnKeys, args[t], 0, NULL);
  }
  EXPECT_EQ(WaitForMultipleObjects(8, threads, TRUE, 60000), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  for (int t = 0; t < 8; ++t) {
    DWORD c = 1;
    GetExitCodeThread(threads[t], &c);
    EXPECT_EQ(c, 0u);
    CloseHandle(threads[t]);
  }
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);

  std::string text = Contents();
  int missing = 0;
  for (const char *who : {"p", "c"})
    for (int t = 0; t < 8; ++t)
      for (int i = 0; i < 20; ++i) {
        std::string key = who + std::to_string(t) + "_" + std::to_string(i);
        if (Get("multi", key.c_str()) != std::to_string(i)) ++missing;
      }
  EXPECT_EQ(missing, 0);
}

}  // namespace
