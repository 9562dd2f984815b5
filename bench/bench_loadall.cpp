// Load all and save all of the large made-up school, against plain reads
// and writes of the same files in the same run, and the memory that load
// all and save all take at their peak against the size of the data. The
// save is crash-safe and durable; the plain write it is measured against
// is made durable the same way (every file flushed to the disk, then the
// folder), and both are also timed without the flushes, to show what
// durability costs. Prints "<figure> <value> <unit>" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "GEMNING.h"
#include "HENTGEM.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TALTAB.h"
#include "TAVODATA.h"

namespace {

using Klok = std::chrono::steady_clock;

double Sekunder(Klok::time_point a, Klok::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_loadall: %s\n", hvad);
  exit(1);
}

void Frigiv(TabVar *pTv) {
  FreeRunPtrs(pTv);
  free(pTv->pbTab);
  free(pTv->pwSort);
  free(pTv->pfSave);
  memset(pTv, 0, sizeof *pTv);
}

void FrigivAlt() {
  FreePlanTalTabeller();
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) Frigiv(e->pTabVar);
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
  FrigivAktiPrioritetMinde();
}

// Resident and peak resident memory of the process in kB.
long Status(const char *felt) {
  std::ifstream f("/proc/self/status");
  std::string linje;
  while (std::getline(f, linje))
    if (linje.rfind(felt, 0) == 0) return atol(linje.c_str() + strlen(felt));
  return -1;
}

// Starts a new peak from the present size (Linux clears the peak on "5").
void NulstilTop() {
  std::ofstream f("/proc/self/clear_refs");
  f << "5";
}

std::vector<std::filesystem::path> Filer(const std::filesystem::path &data) {
  std::vector<std::filesystem::path> v;
  for (auto &e : std::filesystem::directory_iterator(data)) {
    const auto ext = e.path().extension().string();
    if (e.is_regular_file() && (ext == ".DAT" || ext == ".dat")) v.push_back(e.path());
  }
  std::sort(v.begin(), v.end());
  return v;
}

struct RaaFil {
  char *Data = nullptr;
  size_t Stoerrelse = 0;
};

void FrigivRaa(std::vector<RaaFil> &ind) {
  for (auto &f : ind) free(f.Data);
  ind.clear();
}

double RaaLaes(const std::vector<std::filesystem::path> &filer, std::vector<RaaFil> &ind) {
  FrigivRaa(ind);
  auto t0 = Klok::now();
  for (const auto &f : filer) {
    FILE *h = ::fopen(f.c_str(), "rb");
    RaaFil r;
    r.Stoerrelse = std::filesystem::file_size(f);
    r.Data = static_cast<char *>(malloc(r.Stoerrelse ? r.Stoerrelse : 1));
    if (!h || !r.Data || fread(r.Data, 1, r.Stoerrelse, h) != r.Stoerrelse) Stop("raw read");
    ::fclose(h);
    ind.push_back(r);
  }
  return Sekunder(t0, Klok::now());
}

// Plain writes of the same bytes beside the files, each into a new file;
// durable: each file flushed to the disk, then the folder.
double RaaSkriv(const std::vector<std::filesystem::path> &filer, const std::vector<RaaFil> &ind, bool fsyncs) {
  for (const auto &f : filer) unlink((f.string() + ".raa").c_str());
  sync();
  auto t0 = Klok::now();
  for (size_t i = 0; i < filer.size(); ++i) {
    const int fd = ::open((filer[i].string() + ".raa").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) Stop("raw open");
    for (size_t gjort = 0; gjort < ind[i].Stoerrelse;) {
      const ssize_t n = ::write(fd, ind[i].Data + gjort, ind[i].Stoerrelse - gjort);
      if (n <= 0) Stop("raw write");
      gjort += static_cast<size_t>(n);
    }
    if (fsyncs && fsync(fd) != 0) Stop("raw fsync");
    ::close(fd);
  }
  if (fsyncs && !filer.empty()) {
    const int d = ::open(filer[0].parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0 || fsync(d) != 0) Stop("raw folder fsync");
    ::close(d);
  }
  return Sekunder(t0, Klok::now());
}

double HentAlt() {
  FrigivAlt();
  auto t0 = Klok::now();
  HentAlleData(0);
  const double s = Sekunder(t0, Klok::now());
  if (!AlleDataHentet()) Stop("load all");
  return s;
}

// A whole save: every block of every table marked changed, as after a
// day's work; with or without the flushes to the disk.
double GemAlt(bool fsyncs) {
  GemningFsync = fsyncs;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    TabVar *pTv = e->pTabVar;
    for (uint32_t b = 0; pTv->wRecCnt && b <= pTv->wRecCnt / e->pTabDesc->RecPrBlok; ++b)
      pTv->pfSave[b] = 1;
  }
  sync();
  auto t0 = Klok::now();
  const bool ok = GemAlleData(0, 0);
  const double s = Sekunder(t0, Klok::now());
  GemningFsync = true;
  if (!ok) Stop("save all");
  return s;
}

}  // namespace

int main() {
  std::string skabelon = (std::filesystem::temp_directory_path() / "benchloadallXXXXXX").string();
  if (!mkdtemp(skabelon.data())) return 1;
  const std::filesystem::path rod = skabelon;
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn("large", &st);
  std::string fejl;
  if (LavSkoleData(rod.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  OpretTalMutex();
  const auto filer = Filer(rod / "data");
  uint64_t bytes = 0;
  for (const auto &f : filer) bytes += std::filesystem::file_size(f);

  // The peak of one load all and save all from nothing loaded.
  FrigivAlt();
  if (!SaetSkoleMappe(rod.c_str())) Stop("folder");
  const long foer = Status("VmRSS:");
  NulstilTop();
  HentAlt();
  GemAlt(true);
  const long top = Status("VmHWM:");

  double hent = 1e9, raaLaes = 1e9;
  double gem[2] = {1e9, 1e9}, raaSkriv[2] = {1e9, 1e9};  // [0] without, [1] with the flushes
  std::vector<RaaFil> ind;
  for (int runde = 0; runde < 7; ++runde) {
    raaLaes = std::min(raaLaes, RaaLaes(filer, ind));
    hent = std::min(hent, HentAlt());
    sync();
    for (int f : {1, 0}) {
      if (runde % 2) {
        raaSkriv[f] = std::min(raaSkriv[f], RaaSkriv(filer, ind, f));
        gem[f] = std::min(gem[f], GemAlt(f));
      } else {
        gem[f] = std::min(gem[f], GemAlt(f));
        raaSkriv[f] = std::min(raaSkriv[f], RaaSkriv(filer, ind, f));
      }
    }
  }
  FrigivRaa(ind);
  printf("data-bytes %llu bytes\n", static_cast<unsigned long long>(bytes));
  printf("load-all-ms %.2f ms\n", hent * 1000);
  printf("save-all-ms %.2f ms\n", gem[1] * 1000);
  printf("save-all-nofsync-ms %.2f ms\n", gem[0] * 1000);
  printf("raw-read-ms %.2f ms\n", raaLaes * 1000);
  printf("raw-write-ms %.2f ms\n", raaSkriv[1] * 1000);
  printf("raw-write-nofsync-ms %.2f ms\n", raaSkriv[0] * 1000);
  printf("load-all-vs-raw-read %.2f ratio\n", hent / raaLaes);
  printf("save-all-vs-raw-write %.2f ratio\n", gem[1] / raaSkriv[1]);
  printf("save-all-nofsync-vs-raw-write-nofsync %.2f ratio\n", gem[0] / raaSkriv[0]);
  printf("fsync-cost-save-all %.2f ratio\n", gem[1] / gem[0]);
  if (foer > 0 && top > 0)
    printf("peak-memory-vs-data %.2f ratio\n", (top - foer) * 1024.0 / static_cast<double>(bytes));
  FrigivAlt();
  std::filesystem::remove_all(rod);
  return 0;
}
