// Loading and saving the large made-up school against plain reads and
// writes of the same files in the same run. Prints "<figure> <value> <unit>"
// lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>
#include <fcntl.h>
#include <stdio.h>

#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TAVODATA.h"

namespace {

using Klok = std::chrono::steady_clock;

double Sekunder(Klok::time_point a, Klok::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

void Frigiv(TabVar *pTv) {
  FreeRunPtrs(pTv);
  free(pTv->pbTab);
  free(pTv->pwSort);
  free(pTv->pfSave);
  memset(pTv, 0, sizeof *pTv);
}

void FrigivAlt() {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) Frigiv(e->pTabVar);
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
}

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_store: %s\n", hvad);
  exit(1);
}

// The files the store reads: every record file and the side files.
std::vector<std::filesystem::path> Filer(const std::filesystem::path &data) {
  std::vector<std::filesystem::path> v;
  for (auto &e : std::filesystem::directory_iterator(data)) {
    const auto ext = e.path().extension().string();
    if (e.is_regular_file() && (ext == ".DAT" || ext == ".dat")) v.push_back(e.path());
  }
  std::sort(v.begin(), v.end());
  return v;
}

// The baseline reads each file whole into fresh memory, as the loaders read
// into freshly grown tables.
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

// Plain writes of the same bytes into new files; with fErstat each is
// written beside a file that exists and renamed over it, as the side files
// are. (Emptying an existing file first costs more on some file systems
// than writing it, so the plain writes start from no file.)
double RaaSkriv(const std::vector<std::filesystem::path> &filer, const std::vector<RaaFil> &ind,
                bool fErstat) {
  for (const auto &f : filer) {
    std::filesystem::path p = f;
    p += fErstat ? ".tmp" : ".raa";
    unlink(p.c_str());
  }
  sync();
  auto t0 = Klok::now();
  for (size_t i = 0; i < filer.size(); ++i) {
    std::filesystem::path p = filer[i], tmp = filer[i];
    p += fErstat ? ".raa2" : ".raa";
    tmp += ".tmp";
    FILE *h = ::fopen((fErstat ? tmp : p).c_str(), "wb");
    if (!h || fwrite(ind[i].Data, 1, ind[i].Stoerrelse, h) != ind[i].Stoerrelse)
      Stop("raw write");
    ::fclose(h);
    if (fErstat && renameat(AT_FDCWD, tmp.c_str(), AT_FDCWD, p.c_str()) != 0) Stop("raw rename");
  }
  return Sekunder(t0, Klok::now());
}

// The same bytes written as durably as the save writes them: per table,
// each file under a temporary name, flushed to the disk, renamed over the
// file, and the folder flushed, so that the comparison with the save shows
// what its commit costs beyond plain durable writing.
void FsyncSti(const std::filesystem::path &p, int flag) {
  const int fd = ::open(p.c_str(), flag | O_CLOEXEC);
  if (fd < 0 || fsync(fd) != 0) Stop("raw fsync");
  ::close(fd);
}

double RaaSkrivVarigt(const std::vector<std::filesystem::path> &filer, const std::vector<RaaFil> &ind) {
  auto t0 = Klok::now();
  for (size_t i = 0; i < filer.size(); ++i) {
    std::filesystem::path p = filer[i], tmp = filer[i];
    p += ".raa3";
    tmp += ".tmp";
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) Stop("durable raw write");
    size_t skrevet = 0;
    while (skrevet < ind[i].Stoerrelse) {
      const ssize_t n = ::write(fd, ind[i].Data + skrevet, ind[i].Stoerrelse - skrevet);
      if (n <= 0) Stop("durable raw write");
      skrevet += static_cast<size_t>(n);
    }
    if (fsync(fd) != 0) Stop("durable raw fsync");
    ::close(fd);
    if (renameat(AT_FDCWD, tmp.c_str(), AT_FDCWD, p.c_str()) != 0) Stop("durable raw rename");
    FsyncSti(p.parent_path(), O_RDONLY | O_DIRECTORY);
  }
  return Sekunder(t0, Klok::now());
}

double LoadAlt() {
  auto t0 = Klok::now();
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
    if (LoadTab(e->pTabDesc, e->pTabVar) != 0) Stop(e->Navn);
  if (LoadSkemabeg() != 0 || LoadTimoak() != 0 || LoadUdplatim() != 0 || LoadHontim() != 0)
    Stop("side files");
  return Sekunder(t0, Klok::now());
}

// A whole save: every block of every table marked changed.
double SaveAlt() {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    TabVar *pTv = e->pTabVar;
    for (uint32_t b = 0; pTv->wRecCnt && b <= pTv->wRecCnt / e->pTabDesc->RecPrBlok; ++b)
      pTv->pfSave[b] = 1;
  }
  auto t0 = Klok::now();
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
    if (SaveTab(e->pTabDesc, e->pTabVar, nullptr) != 0) Stop(e->Navn);
  if (SaveSkemabeg() != 0 || SaveTimoak() != 0 || SaveUdplatim() != 0 || SaveHontim() != 0)
    Stop("side files");
  return Sekunder(t0, Klok::now());
}

}  // namespace

int main() {
  std::string skabelon = (std::filesystem::temp_directory_path() / "benchstoreXXXXXX").string();
  if (!mkdtemp(skabelon.data())) return 1;
  const std::filesystem::path rod = skabelon;
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn("large", &st);
  std::string fejl;
  auto t0 = Klok::now();
  if (LavSkoleData(rod.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  const double lav = Sekunder(t0, Klok::now());
  const auto filer = Filer(rod / "data");

  double load = 1e9, raaLaes = 1e9, save = 1e9, raaSkriv = 1e9, raaErstat = 1e9, raaVarig = 1e9;
  std::vector<RaaFil> ind;
  for (int runde = 0; runde < 9; ++runde) {
    raaLaes = std::min(raaLaes, RaaLaes(filer, ind));
    FrigivAlt();
    load = std::min(load, LoadAlt());
    // Each write starts with no dirty pages left by the one before, so
    // none pays for another's writeback; the order turns every round.
    for (int i = 0; i < 4; ++i) {
      sync();
      switch ((runde + i) % 4) {
        case 0: raaSkriv = std::min(raaSkriv, RaaSkriv(filer, ind, false)); break;
        case 1: raaErstat = std::min(raaErstat, RaaSkriv(filer, ind, true)); break;
        case 2: raaVarig = std::min(raaVarig, RaaSkrivVarigt(filer, ind)); break;
        default: save = std::min(save, SaveAlt()); break;
      }
    }
  }
  uint64_t bytes = 0;
  for (auto &b : ind) bytes += b.Stoerrelse;
  FrigivRaa(ind);
  printf("data-bytes %llu bytes\n", static_cast<unsigned long long>(bytes));
  printf("make-large-ms %.2f ms\n", lav * 1000);
  printf("load-ms %.2f ms\n", load * 1000);
  printf("save-ms %.2f ms\n", save * 1000);
  printf("raw-read-ms %.2f ms\n", raaLaes * 1000);
  printf("raw-write-ms %.2f ms\n", raaSkriv * 1000);
  printf("raw-write-rename-ms %.2f ms\n", raaErstat * 1000);
  printf("durable-raw-write-ms %.2f ms\n", raaVarig * 1000);
  printf("load-vs-raw-read %.2f ratio\n", load / raaLaes);
  printf("save-vs-raw-write %.2f ratio\n", save / raaSkriv);
  printf("save-vs-raw-write-rename %.2f ratio\n", save / raaErstat);
  printf("save-vs-durable-raw-write %.2f ratio\n", save / raaVarig);
  FrigivAlt();
  std::filesystem::remove_all(rod);
  return 0;
}
