// The status overviews over the large made-up school: the whole recount a
// data broadcast triggers, for events and for postings, against one plain
// pass over the same buckets that reads each row's status, owner and error
// byte. Both are measured side by side in one run; each figure is the best
// of several rounds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "DATO.h"
#include "INDSTIL.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SKOLEDATA.h"
#include "STATUS.h"

namespace {

using Klok = std::chrono::steady_clock;

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_status: %s\n", hvad);
  exit(1);
}

constexpr int RUNDER = 7;
constexpr int GENTAGELSER = 10;

template <class R>
uint64_t Gennemgang(const TabVar *b, bool forste) {
  uint64_t sum = 0;
  if (!b || !b->pbTab) return 0;
  const auto *r = reinterpret_cast<const R *>(b->pbTab);
  for (uint32_t i = 1; i < b->wRecCnt; ++i) {
    if (!r[i].Status) continue;
    if constexpr (sizeof(R) == sizeof(SkeRec))
      if (forste && r[i].Forste != i) continue;
    sum += r[i].Status + r[i].Ejer + r[i].Fejl;
  }
  return sum;
}

uint64_t Pass(bool poster) {
  uint64_t s = 0;
  if (poster) {
    for (uint32_t m = 1; m <= SkemaPeriode.AntalMaaneder; ++m)
      s += Gennemgang<TimoakRaekke>(TimoakBucket(IndeksTilMaaned(m)), false);
  } else {
    for (uint32_t u = 1; u <= SkemaPeriode.AntalUger; ++u)
      s += Gennemgang<SkeRec>(SkemabegBucket(IndeksTilUge(u)), true);
  }
  return s;
}

struct Maaling {
  double taelling = 1e300, pass = 1e300;
};

Maaling Maal(char art) {
  auto *ws = static_cast<STATUSWS *>(std::calloc(1, sizeof(STATUSWS)));
  ws->Art = art;
  ws->Grupper = StatusGrupper(art, &ws->AntalGrupper);
  ByggStatusKolonner(ws);
  Maaling m;
  volatile uint64_t sink = 0;
  for (int runde = 0; runde < RUNDER; ++runde) {
    auto t0 = Klok::now();
    for (int i = 0; i < GENTAGELSER; ++i) TaelStatus(ws);
    m.taelling = std::min(m.taelling, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
    t0 = Klok::now();
    for (int i = 0; i < GENTAGELSER; ++i) sink = sink + Pass(art == 'B');
    m.pass = std::min(m.pass, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
  }
  (void)sink;
  std::free(ws->Tal);
  std::free(ws->Hoved.UgeTab);
  std::free(ws);
  m.taelling /= GENTAGELSER;
  m.pass /= GENTAGELSER;
  return m;
}

}  // namespace

int main() {
  std::string mappe = (std::filesystem::temp_directory_path() / "benchstatusXXXXXX").string();
  if (!mkdtemp(mappe.data())) Stop("temporary folder");
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn("large", &st);
  std::string fejl;
  if (LavSkoleData(mappe.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  const Maaling s = Maal('S'), b = Maal('B');
  printf("status-count-events-ms %.3f ms\n", s.taelling);
  printf("status-pass-events-ms %.3f ms\n", s.pass);
  printf("status-count-postings-ms %.3f ms\n", b.taelling);
  printf("status-pass-postings-ms %.3f ms\n", b.pass);
  const double forhold = std::max(s.pass > 0 ? s.taelling / s.pass : 0.0, b.pass > 0 ? b.taelling / b.pass : 0.0);
  printf("status-count-vs-pass %.2f x\n", forhold);
  std::error_code ec;
  std::filesystem::remove_all(mappe, ec);
  return 0;
}
