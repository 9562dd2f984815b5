// Moving the schedule period over the large made-up school: the rewrite of
// the four side files for a period a month shorter, against the data
// store's own save of the same side files. Both are measured side by side
// in one run; each figure is the best of several rounds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "DATO.h"
#include "PERIODE.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"

namespace {

using Klok = std::chrono::steady_clock;

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_period: %s\n", hvad);
  exit(1);
}

constexpr int RUNDER = 5;

double Ms(Klok::time_point t0) { return std::chrono::duration<double, std::milli>(Klok::now() - t0).count(); }

}  // namespace

int main() {
  std::string mappe = (std::filesystem::temp_directory_path() / "benchperiodXXXXXX").string();
  if (!mkdtemp(mappe.data())) Stop("temporary folder");
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn("large", &st);
  std::string fejl;
  if (LavSkoleData(mappe.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  const Dato fra = SkemaPeriode.FraDato;
  const Dato til = SidsteDatoIMaaned(IndeksTilMaaned(SkemaPeriode.AntalMaaneder > 1 ? SkemaPeriode.AntalMaaneder - 1 : 1));
  double periode = 1e300, gem = 1e300;
  for (int runde = 0; runde < RUNDER; ++runde) {
    auto t0 = Klok::now();
    if (GemSidefilerForPeriode(fra, til) != 0) Stop("the side files could not be rewritten");
    periode = std::min(periode, Ms(t0));
    t0 = Klok::now();
    if (SaveSkemabeg() || SaveTimoak() || SaveUdplatim() || SaveHontim()) Stop("the side files could not be saved");
    gem = std::min(gem, Ms(t0));
  }
  printf("period-sidefiles-ms %.3f ms\n", periode);
  printf("side-save-ms %.3f ms\n", gem);
  printf("period-sidefiles-vs-side-save %.2f x\n", gem > 0 ? periode / gem : 0.0);
  std::error_code ec;
  std::filesystem::remove_all(mappe, ec);
  return 0;
}
