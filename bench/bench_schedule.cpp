// A schedule window's rebuild of the busiest week of the large made-up
// school, all activities in lesson mode (the week list, then the lanes, the
// overlaps and the cell extremes of every row), against one plain pass over
// that week's bucket that reads each row's status, activity, weekday and
// first row, side by side in one run. Prints "<figure> <value> <unit>"
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

#include "AVSHJAELP.h"
#include "DATO.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "SKEMA.h"
#include "SKEMARK.h"
#include "SKEVIS.h"
#include "SKOLEDATA.h"
#include "TABOPER.h"
#include "TAVODATA.h"

namespace {

using Klok = std::chrono::steady_clock;

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_schedule: %s\n", hvad);
  exit(1);
}

double Ms(Klok::time_point a, Klok::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  char skabelon[] = "/tmp/bench_schedule_XXXXXX";
  if (!mkdtemp(skabelon)) Stop("ingen midlertidig mappe");
  SetInitTabFn(InitTab);
  SkoleStoerrelse st;
  if (!SkoleStoerrelseFraNavn("large", &st)) Stop("ingen stor skole");
  st.Timeposter = 0;  // the postings play no part here
  std::string fejl;
  if (LavSkoleData(skabelon, st, 1, &fejl) != 0) Stop(fejl.c_str());

  // The busiest week of the period.
  Uge uge = 0;
  uint32_t raekker = 0;
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    const TabVar *b = SkemabegBucket(IndeksTilUge(i));
    if (b && b->wRecCnt > raekker) raekker = b->wRecCnt, uge = IndeksTilUge(i);
  }
  const TabVar *bucket = SkemabegBucket(uge);
  if (!bucket || raekker < 2) Stop("ingen uge med begivenheder");

  SaetVisningstider(800, 10, 5);
  SkeStruct *ske = new SkeStruct{};
  InitSkeStruct(ske, SKE_AKTI, 'L', 'V', 'N', 'V', 1);

  auto Genopbyg = [&] {
    ByggeSkeVisListeUge(ske, uge);
    MarkerBegivenheder(ske);
  };
  volatile uint64_t sum = 0;
  auto Scan = [&] {
    uint64_t s = 0;
    for (uint32_t r = 1; r < bucket->wRecCnt; ++r) {
      const SkeRec *rk = reinterpret_cast<const SkeRec *>(bucket->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
      s += rk->Status + rk->akti_id + rk->Dag + rk->Forste;
    }
    sum = sum + s;
  };

  Genopbyg();
  Scan();
  std::vector<double> g, p;
  for (int runde = 0; runde < 101; ++runde) {
    auto t0 = Klok::now();
    Genopbyg();
    auto t1 = Klok::now();
    Scan();
    auto t2 = Klok::now();
    g.push_back(Ms(t0, t1));
    p.push_back(Ms(t1, t2));
  }
  const double mg = Median(g), mp = Median(p);
  printf("busiest-week-rows %u rows\n", raekker - 1);
  printf("week-list-entries %u entries\n", ske->SkeVisAntal);
  printf("rebuild-week-ms %.3f ms\n", mg);
  printf("bucket-scan-ms %.3f ms\n", mp);
  printf("rebuild-week-vs-bucket-scan %.2f ratio\n", mg / mp);

  FrigivSkeStruct(ske);
  delete ske;
  std::filesystem::remove_all(skabelon);
  return 0;
}
