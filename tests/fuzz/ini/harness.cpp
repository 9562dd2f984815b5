// The ini reader and writer on any file. Beyond not crashing: every listed
// section and key reads a value, and a key written into the file reads back
// while every other entry keeps its value.
#include <stdlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../fuzz_fil.h"
#include "tavo/cp1252.h"
#include "windows.h"

namespace {


// A list of zero-ended names as the calls give it.
std::vector<std::string> Navne(const char *sektion, const char *sti) {
  static char buf[1 << 16];
  const DWORD n = GetPrivateProfileStringA(sektion, nullptr, "", buf, sizeof buf, sti);
  std::vector<std::string> v;
  for (DWORD i = 0; i < n;) {
    v.emplace_back(buf + i);
    i += static_cast<DWORD>(v.back().size()) + 1;
  }
  return v;
}

const char kMangler[] = "\x01mangler";

std::string Vaerdi(const char *sektion, const char *noegle, const char *sti) {
  static char buf[1 << 16];
  GetPrivateProfileStringA(sektion, noegle, kMangler, buf, sizeof buf, sti);
  return buf;
}

// Names the writer takes: no line break, no ']' in a section, no '=' in a
// key, a key not blank.
bool Skrivbar(const std::string &s, bool noegle) {
  if (s.find_first_of(noegle ? "\r\n=" : "\r\n]") != std::string::npos) return false;
  return !noegle || s.find_first_not_of(" \t") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const fuzz::TempMappe mappe;
  const std::string fil = mappe.Skriv("fuzz.ini", data, size);
  const char *sti = fil.c_str();
  struct Post {
    std::string sektion, noegle, vaerdi;
  };
  std::vector<Post> poster;
  for (const std::string &s : Navne(nullptr, sti))
    for (const std::string &k : Navne(s.c_str(), sti)) {
      const std::string v = Vaerdi(s.c_str(), k.c_str(), sti);
      if (v == kMangler) abort();  // a listed key that cannot be read
      poster.push_back({s, k, v});
      GetPrivateProfileIntA(s.c_str(), k.c_str(), 0, sti);
      uint8_t st[8];
      GetPrivateProfileStructA(s.c_str(), k.c_str(), st, sizeof st, sti);
    }
  const std::string sektion = poster.empty() || !Skrivbar(poster[0].sektion, false) ? "fuzz" : poster[0].sektion;
  if (!WritePrivateProfileStringA(sektion.c_str(), "fuzznoegle", "fuzzvaerdi", sti)) return 0;
  if (Vaerdi(sektion.c_str(), "fuzznoegle", sti) != "fuzzvaerdi") abort();
  for (const Post &p : poster)
    if (!(tavo::Cp1252EqualNoCase(p.sektion, sektion) && tavo::Cp1252EqualNoCase(p.noegle, "fuzznoegle")) &&
        Vaerdi(p.sektion.c_str(), p.noegle.c_str(), sti) != p.vaerdi)
      abort();  // the write changed another entry
  return 0;
}
