// The starter's command line (Windows-1252, cut at a zero byte) read into
// its two folders, and TavoMenu's command line formed from them. Beyond not
// crashing: each folder fits its 260 characters and ends in a backslash
// when longer than one, and TavoMenu's command line splits back into
// exactly the program and the two options with those folders, whatever
// blanks, quotes and backslashes they hold.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "STARTER.h"
#include "tavo/cp1252.h"

namespace {

bool Afsluttet(const char *mappe) {
  const size_t n = std::strlen(mappe);
  return n < 260 && (n <= 1 || mappe[n - 1] == '\\');
}

std::string UdenSkraastreg(std::string s) {
  if (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static char cwd[4096];
  if (!cwd[0] && !getcwd(cwd, sizeof cwd)) abort();
  std::string linje(reinterpret_cast<const char *>(data), size);
  linje = "C:\\Prog\\Tavo.exe " + linje.substr(0, linje.find('\0'));
  std::vector<std::string> utf8;
  for (const std::string &d : tavo::SplitCommandLine(linje)) utf8.push_back(tavo::ToUtf8(d));
  std::vector<char *> argv;
  for (std::string &u : utf8) argv.push_back(u.data());
  argv.push_back(nullptr);
  tavo::SetCommandLine(static_cast<int>(utf8.size()), argv.data());
  char prog[260], data_[260];
  StarterCommandLine(prog, data_);
  if (chdir(cwd) != 0) abort();
  if (!Afsluttet(prog) || !Afsluttet(data_)) abort();
  // A program's name on a command line cannot hold a quote (nor can a
  // Windows file name): such a folder only fails to start.
  if (std::strchr(prog, '"')) return 0;
  const std::vector<std::string> dele = tavo::SplitCommandLine(StarterMenuLinje(prog, data_));
  if (dele.size() != 3 || dele[0] != std::string(prog) + "TavoMenu.exe" ||
      dele[1] != "-p" + UdenSkraastreg(prog) || dele[2] != "-d" + UdenSkraastreg(data_))
    abort();
  return 0;
}
