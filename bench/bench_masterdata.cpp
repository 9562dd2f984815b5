// The master-data window's subjects pane on the made-up schools of mkdata,
// the medium and the large one, each with its teams' students: the sort of
// the student-placement column (254) of the activity with the most
// subjects, against one plain pass over the placement table (epsh) that
// reads every record's activity, subject and dates, measured side by side
// in one run. Per placement row, large against medium, shows whether the
// sort stays one pass as the school grows.
//
// Each figure is the best of several rounds, the sort turning between
// ascending and descending. Prints "<figure> <value> <unit>" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "KATALOG.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "STAMOPL.h"
#include "STAMTAL.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TAVODATA.h"

namespace {

using Klok = std::chrono::steady_clock;

double Ms(Klok::time_point a, Klok::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_masterdata: %s\n", hvad);
  exit(1);
}

constexpr int RUNDER = 15;

void FrigivAlt() {
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    TabVar *pTv = e->pTabVar;
    FreeRunPtrs(pTv);
    free(pTv->pbTab);
    free(pTv->pwSort);
    free(pTv->pfSave);
    memset(pTv, 0, sizeof *pTv);
  }
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
}

// Reads every placement once, as any count of them must at least.
uint64_t EnGennemgang() {
  uint64_t sum = 0;
  for (uint32_t r = 1; r < tvepsh.wRecCnt; ++r) {
    const auto *e = reinterpret_cast<const EpshRec *>(GetRec(&tdepsh, &tvepsh, r));
    sum += e->akti_id + e->skfa_id + (e->Startdato ^ e->Slutdato);
  }
  return sum;
}

struct Resultat {
  uint32_t placeringer = 0, fag = 0;
  double sorter = 1e300, pass = 1e300;
};

Resultat Skole(const char *stoerrelse) {
  Resultat res;
  std::string skabelon = (std::filesystem::temp_directory_path() / "benchmasterXXXXXX").string();
  if (!mkdtemp(skabelon.data())) Stop("temporary folder");
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn(stoerrelse, &st);
  std::string fejl;
  FrigivAlt();
  if (LavSkoleData(skabelon.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  res.placeringer = tvepsh.wRecCnt > 0 ? tvepsh.wRecCnt - 1 : 0;

  // The activity with the most subjects placed on.
  std::vector<std::vector<uint32_t>> fag(tvakti.wRecCnt);
  for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) {
    const auto *p = reinterpret_cast<const SkphRec *>(GetRec(&tdskph, &tvskph, r));
    if (p->akti_id < fag.size()) fag[p->akti_id].push_back(p->skfa_id);
  }
  uint32_t akti = 0;
  for (uint32_t a = 1; a < fag.size(); ++a)
    if (fag[a].size() > fag[akti].size()) akti = a;
  if (!akti || fag[akti].size() < 2) Stop("no activity with subjects");
  res.fag = static_cast<uint32_t>(fag[akti].size());

  // The window's workspace as far as the sort reads it: the activity shown
  // and its subjects pane.
  static StamWS ws;
  memset(&ws, 0, sizeof ws);
  ws.Bogstav = 'K';
  ws.pTd = &tdakti;
  ws.pTv = &tvakti;
  std::vector<uint32_t> objekter{0, akti};
  StamRude &hoved = ws.DWnd[STAM_FOCUS_STAM];
  hoved.ObjTab = objekter.data();
  hoved.ObjTabAntal = 1;
  hoved.Objekt.Aktuel = 1;
  std::vector<uint32_t> raekker(res.fag + 1, 0);
  std::vector<SkfaSum> sum(res.fag + 1);
  for (uint32_t i = 1; i <= res.fag; ++i) {
    raekker[i] = fag[akti][i - 1];
    sum[i] = SkfaSum{};
    sum[i].id = raekker[i];
  }
  StamRude &d = ws.DWnd[STAM_FOCUS_SKFA];
  d.ObjTab = raekker.data();
  d.SkfaSumTab = sum.data();
  d.ObjTabAntal = res.fag;

  volatile uint64_t sink = EnGennemgang();
  for (int i = 0; i < RUNDER; ++i) {
    auto t0 = Klok::now();
    sink = sink + EnGennemgang();
    res.pass = std::min(res.pass, Ms(t0, Klok::now()));
    t0 = Klok::now();
    SorterFagEfterTal(&ws, 254, i % 2 == 0);
    res.sorter = std::min(res.sorter, Ms(t0, Klok::now()));
  }
  (void)sink;
  memset(&ws, 0, sizeof ws);
  FrigivAlt();
  std::filesystem::remove_all(skabelon);
  return res;
}

}  // namespace

int main() {
  const Resultat mellem = Skole("medium");
  const Resultat stor = Skole("large");
  for (const auto &[navn, r] : {std::pair<const char *, const Resultat &>{"medium", mellem}, {"large", stor}}) {
    printf("stam-%s-placements %u rows\n", navn, r.placeringer);
    printf("stam-%s-sorted-subjects %u rows\n", navn, r.fag);
    printf("stam-%s-sort-placements-ms %.3f ms\n", navn, r.sorter);
    printf("stam-%s-placements-pass-ms %.3f ms\n", navn, r.pass);
  }
  auto PrRaekke = [](const Resultat &r) { return r.sorter / static_cast<double>(r.placeringer); };
  printf("stam-sort-placements-large-vs-medium-per-row %.2f x\n", PrRaekke(stor) / PrRaekke(mellem));
  printf("stam-placements-vs-pass %.2f x\n", stor.sorter / stor.pass);
  return 0;
}
