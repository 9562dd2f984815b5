// The registry table: empty until filled, keys matched without regard to
// case, and the buffer rules of RegQueryValueEx.
#include <gtest/gtest.h>

#include <cstring>

#include "windows.h"

namespace {

const char kIE[] = "Software\\Microsoft\\Internet Explorer";

TEST(Registry, EmptyTableHasNoKeys) {
  tavo::reg::Clear();
  HKEY k = 123;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kIE, 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(k, 0u);
  // A root itself always opens.
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &k), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
}

TEST(Registry, ValuesAndTheirBuffers) {
  tavo::reg::Clear();
  tavo::reg::SetString(HKEY_LOCAL_MACHINE, kIE, "Version", "9.11.19041.0");
  HKEY k = 0;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\microsoft\\internet explorer\\", 0,
                          KEY_READ, &k),
            ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExA(k, "version", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 13u);  // with its zero

  char buf[100];
  std::memset(buf, 'x', sizeof buf);
  size = 5;
  EXPECT_EQ(RegQueryValueExA(k, "Version", nullptr, nullptr, (LPBYTE)buf, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 13u);
  EXPECT_EQ(buf[0], 'x');  // nothing copied
  size = sizeof buf;
  ASSERT_EQ(RegQueryValueExA(k, "Version", nullptr, nullptr, (LPBYTE)buf, &size), ERROR_SUCCESS);
  EXPECT_STREQ(buf, "9.11.19041.0");
  EXPECT_EQ(RegQueryValueExA(k, "Build", nullptr, nullptr, (LPBYTE)buf, &size), ERROR_FILE_NOT_FOUND);

  // The keys above a value's key exist and open on their own.
  HKEY over = 0;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft", 0, KEY_READ, &over), ERROR_SUCCESS);
  HKEY under = 0;
  EXPECT_EQ(RegOpenKeyExA(over, "Internet Explorer", 0, KEY_READ, &under), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(under), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(over), ERROR_SUCCESS);

  EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(k), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExA(k, "Version", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);

  // Another root is another tree.
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kIE, 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
  tavo::reg::Clear();
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kIE, 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
}

}  // namespace
