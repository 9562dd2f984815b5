// The start menu's command line (Windows-1252, cut at a zero byte) read
// into its two folders, and the command lines of the main program and of an
// update package formed from them. Beyond not crashing: each folder fits
// its buffer and ends in a backslash when longer than one, and both command
// lines split back into exactly their parts, whatever blanks, quotes and
// backslashes the folders hold.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "MENU.h"
#include "tavo/cp1252.h"

namespace {

bool Afsluttet(const char *mappe) {
  const size_t n = std::strlen(mappe);
  return n < kMenuSti && (n <= 1 || mappe[n - 1] == '\\');
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
  linje = "C:\\Prog\\TavoMenu.exe " + linje.substr(0, linje.find('\0'));
  std::vector<std::string> utf8;
  for (const std::string &d : tavo::SplitCommandLine(linje)) utf8.push_back(tavo::ToUtf8(d));
  std::vector<char *> argv;
  for (std::string &u : utf8) argv.push_back(u.data());
  argv.push_back(nullptr);
  tavo::SetCommandLine(static_cast<int>(utf8.size()), argv.data());
  char prog[kMenuSti], data_[kMenuSti];
  MenuCommandLine(prog, data_);
  if (chdir(cwd) != 0) abort();
  if (!Afsluttet(prog) || !Afsluttet(data_)) abort();
  // A program's name cannot hold a quote (nor can a Windows file name).
  if (std::strchr(prog, '"')) return 0;
  const std::vector<std::string> hoved = tavo::SplitCommandLine(HovedprogramLinje(prog, data_, 10413, true));
  if (hoved.size() != 4 || hoved[0] != std::string(prog) + "10413.exe" || hoved[1] != "-p" + UdenSkraastreg(prog) ||
      hoved[2] != "-d" + UdenSkraastreg(data_) || hoved[3] != "-l")
    abort();
  const std::vector<std::string> pakke = tavo::SplitCommandLine(OpdPakkeLinje(prog, data_, "opd10320.exe"));
  if (pakke.size() != 3 || pakke[0] != std::string(prog) + "opd10320.exe" || pakke[1] != std::string("-p") + prog ||
      pakke[2] != std::string("-d") + data_)
    abort();
  return 0;
}
