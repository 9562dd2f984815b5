// A command line (Windows-1252, cut at a zero byte) split by the platform's
// rules and read for -p, -d and -l, then the path table formed from it.
#include <cstdint>
#include <string>
#include <vector>

#include "STITAB.h"
#include "tavo/cp1252.h"
#include "windows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string linje(reinterpret_cast<const char *>(data), size);
  linje = linje.substr(0, linje.find('\0'));
  const std::vector<std::string> dele = tavo::SplitCommandLine(linje);
  std::vector<std::string> utf8;
  for (const std::string &d : dele) utf8.push_back(tavo::ToUtf8(d));
  std::vector<const char *> argv;
  for (const std::string &u : utf8) argv.push_back(u.c_str());
  LaesKommandolinje(static_cast<int>(argv.size()), argv.data());
  InitStiTab();
  return 0;
}
