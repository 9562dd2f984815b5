// An update package's file name of any bytes: the number read from it
// agrees with a plain reading of the digits after "opd", and a folder
// holding that file (when the bytes make a file name) gives the same number
// and the same name back.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "OPDPAKKE.h"

namespace {

const std::string &Mappe() {
  static std::string m = [] {
    char skabelon[] = "/tmp/fuzz_opdpakke_XXXXXX";
    if (!mkdtemp(skabelon)) std::abort();
    return std::string(skabelon) + "/";
  }();
  return m;
}

uint32_t Forventet(const std::string &navn) {
  if (navn.size() < 3) return 0;
  std::string rest = navn.substr(3);
  if (size_t p = rest.rfind('.'); p != std::string::npos) rest.resize(p);
  uint64_t n = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') break;
    n = n * 10 + static_cast<uint64_t>(c - '0');
    if (n > UINT32_MAX) return 0;
  }
  return static_cast<uint32_t>(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string navn(reinterpret_cast<const char *>(data), strnlen(reinterpret_cast<const char *>(data), size));
  const uint32_t nr = OpdPakkeNummer(navn.c_str());
  if (nr != Forventet(navn)) std::abort();

  // As a file in an otherwise empty program folder: only a name of the
  // package pattern with a number above 0 is found.
  std::error_code ec;
  std::filesystem::remove_all(Mappe(), ec);
  std::filesystem::create_directories(Mappe(), ec);
  // Plain ASCII names only: other bytes are Windows-1252 to the program and
  // would name another file on disk.
  bool filnavn = !navn.empty() && navn.size() < 200 && navn != "." && navn != "..";
  for (char c : navn) filnavn = filnavn && c >= 0x20 && c < 0x7F && c != '/' && c != '\\';
  if (!filnavn) return 0;
  FILE *f = std::fopen((Mappe() + navn).c_str(), "wb");
  if (!f) return 0;
  std::fclose(f);
  char fundet[300];
  const uint32_t n = FindOpdPakke(Mappe().c_str(), 0, fundet, sizeof fundet);
  if (n != 0 && (n != nr || navn != fundet)) std::abort();
  return 0;
}
