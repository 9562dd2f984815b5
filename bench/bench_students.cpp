// Building the planning workspace of the large made-up school's largest
// enrolment group, against one pass that reads the status byte of every
// record of the eight enrolment tables, measured side by side in one run.
// The write-back is left out: the run is read-only and every build starts
// from a fresh workspace. Prints "<figure> <value> <unit>" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ELEVGITTER.h"
#include "ELEVPLANWS.h"
#include "ELEVTAB.h"
#include "INDSTIL.h"
#include "SKOLEDATA.h"

namespace {

using Klok = std::chrono::steady_clock;

double Sekunder(Klok::time_point a, Klok::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_students: %s\n", hvad);
  exit(1);
}

// The group with the most live enrolments.
uint32_t StoersteGruppe() {
  std::vector<uint32_t> antal(tvtg.wRecCnt, 0);
  for (uint32_t r = 1; r < tvelti.wRecCnt; ++r) {
    const EltiRec *t = EltiRecNr(r);
    if (ElevTabAktiv(t->Status) && t->tg_id < antal.size()) ++antal[t->tg_id];
  }
  return static_cast<uint32_t>(std::max_element(antal.begin(), antal.end()) - antal.begin());
}

volatile uint32_t gSum;

double Scan() {
  const TabDesc *tabeller[] = {&tdtg, &tdpp, &tdla, &tdlap, &tdelev, &tdelti, &tdev, &tdeb};
  TabVar *vars[] = {&tvtg, &tvpp, &tvla, &tvlap, &tvelev, &tvelti, &tvev, &tveb};
  auto t0 = Klok::now();
  uint32_t sum = 0;
  for (size_t i = 0; i < std::size(tabeller); ++i) {
    const uint32_t so = tabeller[i]->FeltTab[tabeller[i]->StatusFelt].Offset;
    const uint32_t rs = tabeller[i]->RecSize;
    const uint8_t *p = vars[i]->pbTab;
    for (uint32_t r = 1; r < vars[i]->wRecCnt; ++r) sum += p[size_t(r) * rs + so];
  }
  gSum = sum;
  return Sekunder(t0, Klok::now());
}

double Byg(uint32_t tg, ElevPlanWS **pWs) {
  ElevPlanWS *ws = NytElevPlanWS('K', 1);
  if (ws == nullptr) Stop("workspace");
  tvtg.AktuelRec = tg;
  auto t0 = Klok::now();
  BuildElevPlanData(ws);
  const double s = Sekunder(t0, Klok::now());
  if (ws->Tg != tg) Stop("group not shown");
  if (pWs)
    *pWs = ws;
  else
    FrigivElevPlanWS(ws);
  return s;
}

}  // namespace

int main() {
  std::string skabelon = (std::filesystem::temp_directory_path() / "benchelevXXXXXX").string();
  if (!mkdtemp(skabelon.data())) return 1;
  const std::filesystem::path rod = skabelon;
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn("large", &st);
  std::string fejl;
  if (LavSkoleData(rod.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  GlobalIndstillinger.skemalaast = 1;

  const uint32_t tg = StoersteGruppe();
  // The first build lays the default placements of the activities that
  // have none; the builds measured find them.
  ElevPlanWS *ws = nullptr;
  Byg(tg, &ws);
  const uint32_t elever = ws->ElevAntal, aktiviteter = ws->LaAntal, slots = ws->PpAntal;
  FrigivElevPlanWS(ws);

  double byg = 1e9, scan = 1e9;
  for (int runde = 0; runde < 21; ++runde) {
    scan = std::min(scan, Scan());
    byg = std::min(byg, Byg(tg, nullptr));
  }
  printf("group-students %u count\n", elever);
  printf("group-activities %u count\n", aktiviteter);
  printf("group-slots %u count\n", slots);
  printf("rebuild-ms %.3f ms\n", byg * 1000);
  printf("scan-ms %.3f ms\n", scan * 1000);
  printf("rebuild-vs-scan %.2f ratio\n", byg / scan);
  std::filesystem::remove_all(rod);
  return 0;
}
