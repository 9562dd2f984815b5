// The data folder's name as the programs get it. Every fixture that makes a
// data folder names it through DataMappeNavn, and its tests run twice: once
// with the name as a Linux path ("/tmp/x/"), and once (the ctest entries
// ending in "/windowsform", with TAVO_TEST_DATAMAPPE=windows) as the command
// line forms it: the Windows form with backslashes and a trailing backslash
// ("C:\tmp\x\"), in which a file call that misses the Windows path rules
// fails.
#pragma once

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "pathmap.h"

inline bool DataMappeIWindowsForm() {
  const char *form = std::getenv("TAVO_TEST_DATAMAPPE");
  return form && std::strcmp(form, "windows") == 0;
}

// The Windows form of a folder: "C:\tmp\x\".
inline std::string WindowsMappe(const std::filesystem::path &mappe) {
  std::string win;
  if (!tavo::UnmapPath(std::filesystem::absolute(mappe).string(), win)) return mappe.string() + "/";
  if (win.back() != '\\') win += '\\';
  return win;
}

inline std::string DataMappeNavn(const std::filesystem::path &mappe) {
  return DataMappeIWindowsForm() ? WindowsMappe(mappe) : mappe.string() + "/";
}
