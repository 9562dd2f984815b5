// The import of a whole school: the made-up school written as one full
// import file and read into an empty data store (every section through its
// reader, then the re-sort of the tables; the save of all data is
// bench_loadall's), against a plain reading of the same file line by line
// with the import's 2,560-byte buffer, every line split at ';' and ',' into
// a reused vector of strings. The large and the medium school together
// show any work that grows faster than the file. Prints "<figure> <value>
// <unit>" lines.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "FULDIMPORT.h"
#include "FINDREC.h"
#include "IMPORT.h"
#include "INDSTIL.h"
#include "ImpData.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "TABOPER.h"
#include "TABREG.h"

namespace {

using Klok = std::chrono::steady_clock;

double Sekunder(Klok::time_point a, Klok::time_point b) { return std::chrono::duration<double>(b - a).count(); }

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_import: %s\n", hvad);
  exit(1);
}

void TomAlt() {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) ResetTab(e->pTabDesc, e->pTabVar, 1);
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
}

// The import's reading of every section and its re-sort of the tables.
double Importer(const std::string &fil) {
  TomAlt();
  GlobalIndstillinger.insnr = SKOLE_INSNR;
  std::vector<char> linje(IMPORT_LINJE_LEN + 1);
  ImportStatus status{};
  const auto t0 = Klok::now();
  FILE *f = fopen(fil.c_str(), "rb");
  FILE *log = tmpfile();
  if (!f || !log) Stop("open");
  if (LaesImportStatus(f, linje.data(), &status) != 0 || LaesImportAfsnit(f, log, linje.data(), &status) != 1)
    Stop("import");
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) SortTab(e->pTabDesc, e->pTabVar);
  const double s = Sekunder(t0, Klok::now());
  fclose(f);
  fclose(log);
  return s;
}

// Line by line with the same buffer, split into a reused vector.
double Del(const std::string &fil, uint64_t *linjer) {
  std::vector<std::string> dele;
  char buf[IMPORT_LINJE_LEN];
  uint64_t n = 0, felter = 0;
  const auto t0 = Klok::now();
  FILE *f = fopen(fil.c_str(), "rb");
  if (!f) Stop("open");
  while (fgets(buf, sizeof buf, f)) {
    ++n;
    size_t k = 0;
    const char *start = buf;
    for (const char *p = buf;; ++p) {
      if (*p == ';' || *p == ',' || *p == '\n' || *p == 0) {
        if (k == dele.size()) dele.emplace_back();
        dele[k++].assign(start, static_cast<size_t>(p - start));
        start = p + 1;
        if (*p == '\n' || *p == 0) break;
      }
    }
    felter += k;
  }
  const double s = Sekunder(t0, Klok::now());
  fclose(f);
  if (felter == 0) Stop("empty file");
  *linjer = n;
  return s;
}

struct Maal {
  double import, del;
  uint64_t linjer;
};

Maal Skole(const std::filesystem::path &rod, const char *stoerrelse) {
  SkoleStoerrelse st{};
  if (!SkoleStoerrelseFraNavn(stoerrelse, &st)) Stop("size");
  std::string fejl;
  const std::filesystem::path mappe = rod / stoerrelse;
  if (LavSkoleData(mappe.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  const std::string fil = (rod / (std::string(stoerrelse) + ".imp")).string();
  if (SkrivFuldImport(fil.c_str(), &fejl) != 0) Stop(fejl.c_str());
  Maal m{};
  // The best of three runs each, the two kinds in turn.
  m.import = m.del = 1e30;
  for (int i = 0; i < 3; ++i) {
    m.del = std::min(m.del, Del(fil, &m.linjer));
    m.import = std::min(m.import, Importer(fil));
  }
  return m;
}

}  // namespace

int main() {
  std::string skabelon = (std::filesystem::temp_directory_path() / "bench_import_XXXXXX").string();
  if (!mkdtemp(skabelon.data())) return 1;
  const std::filesystem::path rod = skabelon;
  const Maal medium = Skole(rod, "medium");
  const Maal stor = Skole(rod, "large");
  std::error_code ec;
  std::filesystem::remove_all(rod, ec);
  printf("import-large-lines %llu lines\n", static_cast<unsigned long long>(stor.linjer));
  printf("import-large-seconds %.3f s\n", stor.import);
  printf("line-split-large-seconds %.3f s\n", stor.del);
  printf("import-vs-line-split %.2f ratio\n", stor.import / stor.del);
  printf("import-large-vs-medium-per-line %.2f ratio\n",
         (stor.import / static_cast<double>(stor.linjer)) / (medium.import / static_cast<double>(medium.linjer)));
  return 0;
}
