#include "KOPIDIR.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "pathmap.h"
#include "tavo/cp1252.h"

namespace fs = std::filesystem;

namespace {

struct Indgang {
  std::string navn;  // Windows-1252
  bool mappe;
};

std::vector<Indgang> LaesMappe(const char *kilde) {
  std::vector<Indgang> ud;
  std::string sti;
  if (!tavo::MapPath(kilde, sti)) return ud;
  std::error_code fejl;
  for (const fs::directory_entry &e : fs::directory_iterator(sti, fejl)) {
    std::string navn;
    if (!tavo::ToCp1252(e.path().filename().string(), navn)) continue;
    ud.push_back({navn, e.is_directory(fejl)});
  }
  return ud;
}

bool SammeSti(const std::string &a, const std::string &b) {
  std::string la, lb;
  if (!tavo::MapPath(a.c_str(), la) || !tavo::MapPath(b.c_str(), lb)) return false;
  std::error_code fejl;
  return fs::weakly_canonical(la, fejl) == fs::weakly_canonical(lb, fejl);
}

}  // namespace

void CopyDir(const char *kilde, const char *maal) {
  const std::vector<Indgang> indhold = LaesMappe(kilde);
  std::error_code fejl;
  for (const Indgang &i : indhold) {
    if (!i.mappe) continue;
    const std::string under = std::string(kilde) + i.navn + "\\";
    if (SammeSti(under, maal)) continue;  // the copy never descends into itself
    const std::string nyMappe = std::string(maal) + i.navn;
    std::string linux;
    if (!tavo::MapPath(nyMappe.c_str(), linux)) continue;
    fs::create_directory(linux, fejl);
    CopyDir(under.c_str(), (nyMappe + "\\").c_str());
  }
  for (const Indgang &i : indhold) {
    if (i.mappe) continue;
    std::string fra, til;
    if (!tavo::MapPath((std::string(kilde) + i.navn).c_str(), fra) ||
        !tavo::MapPath((std::string(maal) + "\\" + i.navn).c_str(), til))
      continue;
    fs::copy_file(fra, til, fs::copy_options::overwrite_existing, fejl);
  }
}
