#include "optager_proces.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace optagertest {

std::string Program() { return TAVO_OPTAGER_PROGRAM; }

bool Placer(const std::string &mappe, const std::string &navn, const std::string &script) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(mappe, ec);
  fs::path maal = fs::path(mappe) / navn;
  fs::copy_file(Program(), maal, fs::copy_options::overwrite_existing, ec);
  if (ec) return false;
  if (chmod(maal.c_str(), 0755) != 0) return false;
  if (!script.empty()) {
    std::ofstream ud(maal.string() + ".optager", std::ios::binary | std::ios::trunc);
    ud << script;
    if (!ud.flush()) return false;
  }
  return true;
}

std::vector<Koersel> LaesLog(const std::string &log) {
  std::vector<Koersel> ud;
  std::ifstream in(log, std::ios::binary);
  std::string l;
  while (std::getline(in, l)) {
    size_t a = l.find('|');
    size_t b = a == std::string::npos ? a : l.find('|', a + 1);
    if (b == std::string::npos) continue;
    ud.push_back({l.substr(0, a), l.substr(a + 1, b - a - 1), l.substr(b + 1)});
  }
  return ud;
}

}  // namespace optagertest
