// External posting files: any bytes, read as the posting file of a folder
// and as one line. Every record must keep its texts within their fields, no
// file may give more postings than it has lines, and a top line must leave a
// period that is either the schedule period, a month's first to last day,
// or none (which the command refuses).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "ExtPostImp.h"
#include "SIDEFIL.h"

namespace {

std::string gMappe;

void Ryd() {
  std::error_code ec;
  std::filesystem::remove_all(gMappe, ec);
}

void Tjek(const ExtPostRec &r) {
  if (strnlen(r.Aktivitet, sizeof r.Aktivitet) >= sizeof r.Aktivitet ||
      strnlen(r.Initialer, sizeof r.Initialer) >= sizeof r.Initialer)
    abort();
}

void TjekPeriode(const ExtPostDlgData &d) {
  if (d.Maaned == 0) {
    if (d.FraDato != SkemaPeriode.FraDato || d.TilDato != SkemaPeriode.TilDato) abort();
  } else if (d.FraDato != 0 && (d.FraDato / 100 != d.Maaned || d.TilDato / 100 != d.Maaned || !GyldigDato(d.TilDato))) {
    abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  std::string skabelon = (std::filesystem::temp_directory_path() / "fuzzextpostXXXXXX").string();
  if (mkdtemp(skabelon.data()) == nullptr) abort();
  gMappe = skabelon;
  atexit(Ryd);
  SkemaPeriode.FraDato = 20240801;
  SkemaPeriode.TilDato = 20250731;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (gMappe.empty()) LLVMFuzzerInitialize(nullptr, nullptr);
  const std::string bytes(reinterpret_cast<const char *>(data), size);
  std::ofstream(gMappe + "/post.txt", std::ios::binary) << bytes;
  size_t linjer = 0;
  for (char c : bytes) linjer += c == '\n';
  if (!bytes.empty() && bytes.back() != '\n') ++linjer;

  ExtPostDlgData d{};
  snprintf(d.Sti, sizeof d.Sti, "%s", gMappe.c_str());
  snprintf(d.FilNavn, sizeof d.FilNavn, "post.txt");
  std::vector<ExtPostRec> poster;
  const uint32_t n = LaesExtPostFil(d, poster);
  if (poster.size() != size_t(n) + 1 || n > linjer) abort();
  for (const ExtPostRec &r : poster) Tjek(r);
  TjekPeriode(d);

  // The input as one line (cut as the reader cuts it).
  char linje[512];
  snprintf(linje, sizeof linje, "%s", bytes.c_str());
  ExtPostRec r;
  ExtPostDlgData e{};
  switch (FortolkExtPostLinje(linje, e, r)) {
    case ExtPostLinje::Postering: Tjek(r); break;
    case ExtPostLinje::Top: TjekPeriode(e); break;
    default: break;
  }
  ExtPostTimer(bytes.c_str());
  return 0;
}
