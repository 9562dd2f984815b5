#include "elevplan_proces.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace elevplantest {

bool SkrivScript(const std::string &mappe, const std::string &script) {
  std::ofstream ud(mappe + "/elevplan.standin", std::ios::binary | std::ios::trunc);
  ud << script;
  return (bool)ud.flush();
}

bool Placer(const std::string &mappe, unsigned version, const std::string &script) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(mappe, ec);
  const fs::path maal = fs::path(mappe) / ("ep" + std::to_string(version) + ".exe");
  fs::copy_file(TAVO_ELEVPLAN_PROGRAM, maal, fs::copy_options::overwrite_existing, ec);
  if (ec || chmod(maal.c_str(), 0755) != 0) return false;
  return SkrivScript(mappe, script);
}

std::vector<std::vector<std::string>> LaesLog(const std::string &mappe) {
  std::vector<std::vector<std::string>> ud;
  std::ifstream in(mappe + "/elevplan.standin.log", std::ios::binary);
  std::string l;
  while (std::getline(in, l)) {
    std::vector<std::string> ord;
    size_t a = 0;
    for (;;) {
      const size_t b = l.find('|', a);
      ord.push_back(l.substr(a, b == std::string::npos ? std::string::npos : b - a));
      if (b == std::string::npos) break;
      a = b + 1;
    }
    ud.push_back(ord);
  }
  return ud;
}

}  // namespace elevplantest
