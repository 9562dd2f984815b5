// External timetable files: any bytes, written as the timetable file of
// every layout and as the three conversion files of one folder, read by each
// reader and renamed by the conversions. Every lesson must keep its texts
// within their fields, no file may give more lessons than it has lines, and
// the Tabulex week count must cover the day numbers read.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "UNTIS.h"

namespace {

std::string gMappe;

void Ryd() {
  std::error_code ec;
  std::filesystem::remove_all(gMappe, ec);
}

void Tjek(const ImportLektioner &l, uint32_t antal, size_t linjer) {
  if (l.size() != size_t(antal) + 1 || antal > linjer) abort();
  for (const ImportLektion &x : l)
    for (const char *t : {x.Klasse, x.Laerer, x.Fag, x.Lokale})
      if (strnlen(t, kImportTekstLaengde) >= size_t(kImportTekstLaengde)) abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  std::string skabelon = (std::filesystem::temp_directory_path() / "fuzzextskemaXXXXXX").string();
  if (mkdtemp(skabelon.data()) == nullptr) abort();
  gMappe = skabelon;
  atexit(Ryd);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (gMappe.empty()) LLVMFuzzerInitialize(nullptr, nullptr);
  const std::string bytes(reinterpret_cast<const char *>(data), size);
  for (const char *navn : {"skema.txt", "skema5.txt", "skema.csv", "ext.txt", "klasser.txt", "lokaler.txt", "fag.txt"})
    std::ofstream(gMappe + "/" + navn, std::ios::binary) << bytes;
  // A line ends at each line feed; whatever follows the last is a line too.
  size_t linjer = 0;
  for (char c : bytes) linjer += c == '\n';
  if (!bytes.empty() && bytes.back() != '\n') ++linjer;

  ExtImportIndstillinger ind{};
  snprintf(ind.Mappe, sizeof ind.Mappe, "%s", gMappe.c_str());
  snprintf(ind.FilNavn, sizeof ind.FilNavn, "ext.txt");
  const char *mappe = ind.Mappe;

  ImportLektioner l;
  for (uint32_t uge : {0u, 5u}) {
    const uint32_t n = LaesUntisSkema(mappe, l, uge);
    Tjek(l, n, linjer);
    LaesKlasserTxt(mappe, l, n);
    LaesLokalerTxt(mappe, l, n + 3);  // a count beyond the lessons read
    LaesFagTxt(mappe, l, n);
    Tjek(l, n, linjer);
  }
  uint32_t n = LaesUntisDatoSkema(ind, l);
  Tjek(l, n, linjer);
  LaesKlasserTxt(mappe, l, n);
  Tjek(l, n, linjer);
  Tjek(l, LaesLectioSkema(mappe, l), linjer);
  Tjek(l, LaesExtSkema(ind, l), linjer);
  n = LaesTabulexSkema(mappe, l);
  Tjek(l, n, linjer);
  if (TabulexAntalUger < 1) abort();
  for (uint32_t i = 1; i <= n; ++i) {
    const int32_t dag = static_cast<int32_t>(l[i].Dag);
    if (dag > 0 && (static_cast<int64_t>(dag) + 4) / 5 > TabulexAntalUger) abort();
  }

  // The input as one line of each layout.
  ImportLektion x;
  for (uint32_t kilde = KILDE_UNTIS; kilde <= KILDE_EXTERN + 1; ++kilde) {
    FortolkSkemaLinje(bytes.c_str(), kilde, x);
    for (const char *t : {x.Klasse, x.Laerer, x.Fag, x.Lokale})
      if (strnlen(t, kImportTekstLaengde) >= size_t(kImportTekstLaengde)) abort();
  }
  ImportHelTal(bytes.c_str());
  return 0;
}
