// Building the planning workspace of the large made-up school's largest
// enrolment group, against one pass that reads the status byte of every
// record of the eight enrolment tables, measured side by side in one run.
// The write-back is left out: the run is read-only and every build starts
// from a fresh workspace.
//
// Then the automatic placement on one seeded group (five days of eight
// lessons, divisor 2; 60 activities of four lessons in two pairs and 20
// duplicates of them, room for 26 each; 500 students with four priority-1
// and two priority-2 wishes), against one greedy pass: students in list
// order, each wish with priority 1 before 2, placed on the wished activity
// or else the first of its duplicates that has room and shares no slot with
// and duplicates none of the student's placements.
//
// The Elevplan answer import, against reading the same file line by line
// and splitting every line at its ';' (DelSemikolonFelter):
// ep-import-vs-line-split, a HentAlt answer holding every enrolment table of
// the school, imported into the loaded school: both passes and the re-sort
// of every table (the saves excluded); ep-answers-vs-line-split, an answer
// of 5,000 NyTilmelding OK lines, a header every ten as the request has
// them, confirming 5,000 of the school's wishes sent as new. Each is the
// best of nine rounds, the split and the import alternating. It runs
// before the placement, which empties the enrolment tables.
//
// Prints "<figure> <value> <unit>" lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "AUTOPLAC.h"
#include "ELEVGITTER.h"
#include "ELEVLISTE.h"
#include "ELEVPLANWS.h"
#include "ELEVTAB.h"
#include "EPEXPORT.h"
#include "EPIMPORT.h"
#include "FINDREC.h"
#include "INDSTIL.h"
#include "ImpTabel.h"
#include "SKOLEDATA.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TAVODATA.h"

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

// ---- The automatic placement ----

constexpr uint32_t kDage = 5, kLektioner = 8, kPar = kDage * kLektioner / 2;
constexpr uint32_t kHoveder = 60, kDubletter = 20, kPladser = 26, kElever = 500;

template <class R>
R *NyRec(const TabDesc *pTd, TabVar *pTv) {
  const uint32_t r = NewRec(pTd, pTv);
  if (r == 0) Stop("record");
  R *rec = reinterpret_cast<R *>(GetRec(pTd, pTv, r));
  rec->Status = 10;
  return rec;
}

uint32_t NrAf(const TabVar &tv) { return tv.wRecCnt - 1; }

// The seeded group in the emptied enrolment tables; its record number.
uint32_t LavPlaceringsGruppe() {
  for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap, &tdelev, &tdelti, &tdev, &tdeb}) {
    const TabDesc *d = nullptr;
    TabVar *tv = nullptr;
    if (TabFromName(td->KortNavn, &d, &tv) != 0) Stop("table");
    ResetTab(td, tv, 1);
  }
  std::mt19937 tal(20240801);
  TgRec *t = NyRec<TgRec>(&tdtg, &tvtg);
  t->id = 501;
  t->UgeLektionsGruppe = 'L';
  t->lek_antal = 4;
  t->lek_deletal = 2;
  t->max_elevtal = kPladser;
  const uint32_t tg = NrAf(tvtg);
  uint32_t pp[kDage * kLektioner];
  for (uint32_t i = 0; i < kDage * kLektioner; ++i) {
    PpRec *p = NyRec<PpRec>(&tdpp, &tvpp);
    p->id = i + 1;
    p->tg_id = tg;
    p->dag = static_cast<uint8_t>(i / kLektioner);
    p->lektion = i % kLektioner + 1;
    pp[i] = NrAf(tvpp);
  }
  // Every activity starts from one random valid layout: two pairs of one
  // day's lessons.
  uint32_t lapId = 1;
  std::vector<uint32_t> hoveder;
  for (uint32_t i = 0; i < kHoveder + kDubletter; ++i) {
    LaRec *l = NyRec<LaRec>(&tdla, &tvla);
    const bool dublet = i >= kHoveder;
    l->id = dublet ? 1001 + i - kHoveder : i + 1;
    l->tg_id = tg;
    snprintf(l->Navn, sizeof l->Navn, "Aktivitet %u", l->id);
    l->aktiv = 1;
    l->lek_antal = 4;
    l->lek_deletal = 2;
    l->max_elevantal = kPladser;
    l->dubletnr = dublet ? 2 : 1;
    l->kopi_id = dublet ? i - kHoveder + 1 : 0;
    const uint32_t la = NrAf(tvla);
    if (!dublet) hoveder.push_back(la);
    uint32_t a = tal() % kPar, b = tal() % (kPar - 1);
    if (b >= a) ++b;
    for (uint32_t par : {std::min(a, b), std::max(a, b)}) {
      LapRec *lap = NyRec<LapRec>(&tdlap, &tvlap);
      lap->id = lapId++;
      lap->tg_id = tg;
      lap->la_id = la;
      lap->pp_id = pp[2 * par];
      lap->lengde = 2;
    }
  }
  uint32_t evId = 1;
  for (uint32_t i = 0; i < kElever; ++i) {
    ElevRec *e = NyRec<ElevRec>(&tdelev, &tvelev);
    e->id = 3001 + i;
    snprintf(e->Elevnavn, sizeof e->Elevnavn, "Elev %u", i + 1);
    const uint32_t elev = NrAf(tvelev);
    EltiRec *t2 = NyRec<EltiRec>(&tdelti, &tvelti);
    t2->elev_id = elev;
    t2->tg_id = tg;
    std::vector<uint32_t> valg = hoveder;
    for (uint32_t k = 0; k < 6; ++k) {
      std::swap(valg[k], valg[k + tal() % (valg.size() - k)]);
      EvRec *ev = NyRec<EvRec>(&tdev, &tvev);
      ev->id = evId++;
      ev->tg_id = tg;
      ev->elev_id = elev;
      ev->elevplan_onske_la_id = valg[k];
      ev->prioritet = k < 4 ? 1 : 2;
    }
  }
  for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap, &tdelev, &tdelti, &tdev, &tdeb}) {
    const TabDesc *d = nullptr;
    TabVar *tv = nullptr;
    TabFromName(td->KortNavn, &d, &tv);
    SortTab(td, tv);
  }
  return tg;
}

uint64_t Lektioner(const ElevPlanWS *ws) {
  uint64_t n = 0;
  for (uint32_t a = 1; a <= ws->LaAntal; ++a)
    for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
      if (ws->Placeringer(a, s) == PLACERET) n += ws->LaLektioner[a];
  return n;
}

// The greedy pass, from empty placements on the plan as it stands: each
// wished activity, or else the first of its duplicates, that has room and
// shares no slot with the student's placements. The duplicates of each
// activity are listed before the pass and not timed.
double Graadig(ElevPlanWS *ws, const std::vector<uint8_t> &kopi) {
  NulstilPlaceringer(ws);
  BeregnOverlap(ws);
  GenopbygMarkeringer(ws);
  std::vector<std::vector<uint32_t>> familie(ws->LaAntal + 1);
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
    if (kopi[a]) continue;
    familie[a].push_back(a);
    for (uint32_t b = 1; b <= ws->LaAntal; ++b)
      if (kopi[b] && ws->Dubletter(a, b)) familie[a].push_back(b);
  }
  std::vector<uint32_t> mine;
  mine.reserve(ws->LaAntal);
  auto t0 = Klok::now();
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s) {
    mine.clear();
    for (uint8_t prio = 1; prio <= 2; ++prio)
      for (uint32_t a = 1; a <= ws->LaAntal; ++a) {
        if (ws->Oensker(a, s) != prio || kopi[a]) continue;
        for (uint32_t c : familie[a]) {
          const LaRec *l = LaRecNr(ws->LaTab[c]);
          if (uint64_t(l->akt_prio_1) + l->akt_prio_2 + l->akt_prio_3 >= l->max_elevantal) continue;
          const uint8_t *overlap = ws->Overlap.Raekke(c), *dubletter = ws->Dubletter.Raekke(c);
          bool fri = true;
          for (uint32_t b : mine) fri = fri && !overlap[b] && !dubletter[b];
          if (!fri) continue;
          PlacerElevPaaLa(ws, ws->LaTab[c], ws->ElevTab[s], prio);
          mine.push_back(c);
          break;
        }
      }
  }
  return Sekunder(t0, Klok::now());
}

// One run of the automatic placement, as the command makes it.
double EnKoersel(ElevPlanWS *ws) {
  auto t0 = Klok::now();
  NulstilPlaceringer(ws);
  AutoPlacerLa(ws);
  BeregnOverlap(ws);
  GenopbygMarkeringer(ws);
  uint32_t p1 = 0, p2 = 0, p3 = 0;
  PlacerAlleElever(ws, &p1, &p2, &p3, METODE_PRIO12);
  return Sekunder(t0, Klok::now());
}

void Placering() {
  const uint32_t tg = LavPlaceringsGruppe();
  ElevPlanWS *ws = NytElevPlanWS('K', 1);
  if (ws == nullptr) Stop("workspace");
  tvtg.AktuelRec = tg;
  BuildElevPlanData(ws);
  if (ws->Tg != tg || ws->LaAntal != kHoveder + kDubletter || ws->ElevAntal != kElever ||
      ws->PpAntal != kDage * kLektioner)
    Stop("placement group not built");
  std::vector<uint8_t> kopi(ws->LaAntal + 1, 0);
  for (uint32_t a = 1; a <= ws->LaAntal; ++a) kopi[a] = LaRecNr(ws->LaTab[a])->kopi_id != 0;
  const size_t planBytes = (size_t(ws->LaAntal) + 1) * (size_t(ws->PpAntal) + 1);
  const std::vector<uint8_t> startPlan(ws->PlanGitter.Data, ws->PlanGitter.Data + planBytes);

  double graadig = 1e9;
  for (int runde = 0; runde < 21; ++runde) graadig = std::min(graadig, Graadig(ws, kopi));
  const uint64_t graadigeLektioner = Lektioner(ws);

  double koersel = 1e9;
  for (int runde = 0; runde < 21; ++runde) koersel = std::min(koersel, EnKoersel(ws));

  memcpy(ws->PlanGitter.Data, startPlan.data(), planBytes);
  NulstilPlaceringer(ws);
  BeregnOverlap(ws);
  ws->AntalSimuleringer = 100;
  ws->PlaceringsMetode = METODE_PRIO12;
  auto t0 = Klok::now();
  KoerSimuleringer(ws);
  const double hundrede = Sekunder(t0, Klok::now());
  const uint64_t bedsteLektioner = Lektioner(ws);
  FrigivElevPlanWS(ws);

  printf("greedy-pass-ms %.3f ms\n", graadig * 1000);
  printf("placement-run-ms %.3f ms\n", koersel * 1000);
  printf("placement-run-vs-greedy-pass %.2f ratio\n", koersel / graadig);
  printf("placement-100-runs-ms %.1f ms\n", hundrede * 1000);
  // Every place of every activity filled: the most either pass can place.
  printf("place-lessons %llu count\n",
         static_cast<unsigned long long>(uint64_t{kHoveder + kDubletter} * kPladser * 4));
  printf("greedy-lessons %llu count\n", static_cast<unsigned long long>(graadigeLektioner));
  printf("placement-lessons %llu count\n", static_cast<unsigned long long>(bedsteLektioner));
  printf("placement-vs-greedy %.3f ratio\n",
         double(bedsteLektioner) / double(std::max<uint64_t>(graadigeLektioner, 1)));
}

// ---- The Elevplan answer import ----

constexpr int RUNDER = 9;

double Ms(Klok::time_point a, Klok::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

// Reads the file line by line as the import reads it and splits each line
// into its fields; the number of fields, so the work cannot be dropped.
uint64_t Del(const char *sti) {
  FILE *f = AabnDataFil(sti, "r");
  if (!f) Stop("the answer cannot be opened");
  char linje[EP_LINJE_LEN];
  ElevFelt felter[16];
  uint64_t n = 0;
  while (LaesImportLinje(f, linje, sizeof linje)) {
    const int k = DelSemikolonFelter(felter, 16, linje);
    n += k > 0 ? static_cast<uint64_t>(k) : 0;
  }
  fclose(f);
  return n;
}

// The import's passes, then (when asked) the re-sort; the time of the
// re-sort in *pSorter.
void Importer(const char *sti, bool sorter, double *pSorter) {
  FILE *f = AabnDataFil(sti, "r");
  if (!f) Stop("the answer cannot be opened");
  const std::string logSti = std::string(StiTab.szdata) + "LOG\\EP_IMPORT.LOG";
  FILE *log = AabnDataFil(logSti.c_str(), "w");
  ImportStatus st{};
  EpLaesFil(f, log, true, &st);
  fclose(f);
  if (log) fclose(log);
  const auto t0 = Klok::now();
  if (sorter) SorterAlleTabeller();
  *pSorter = Ms(t0, Klok::now());
}

struct Figur {
  double del = 1e300, imp = 1e300, sorter = 1e300;
  void Maal(const char *sti, bool sorterAlle, void (*foer)()) {
    for (int r = 0; r < RUNDER; ++r) {
      auto t0 = Klok::now();
      volatile uint64_t n = Del(sti);
      (void)n;
      del = std::min(del, Ms(t0, Klok::now()));
      if (foer) foer();
      t0 = Klok::now();
      double s = 0;
      Importer(sti, sorterAlle, &s);
      const double ialt = Ms(t0, Klok::now());
      if (ialt < imp) imp = ialt, sorter = s;
    }
  }
};

void SkrivFil(const std::string &sti, const std::string &tekst) {
  std::ofstream o(sti, std::ios::binary | std::ios::trunc);
  o << tekst;
  if (!o) Stop("cannot write the answer");
}

size_t Linjer(const std::string &tekst) { return static_cast<size_t>(std::count(tekst.begin(), tekst.end(), '\n')); }

// The wishes that the answer of 5,000 lines confirms, with the ids they had
// when sent, put back before every round.
struct Sendt {
  uint32_t rec, id;
};
std::vector<Sendt> SendteOensker;

void SendIgen() {
  for (const Sendt &s : SendteOensker) {
    EvRec *ev = EvRecNr(s.rec);
    ev->id = s.id;
    ev->ElevPlanStatus = EP_EV_SENDT_NY;
  }
  tvev.fSorter = 1;
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

  const std::string sti = std::string(StiTab.szepimp);
  const std::string fil = (rod / "data" / "ep_imp.dat").string();

  // The whole enrolment data as a HentAlt answer.
  const std::string svar = EpSvarAfTabeller();
  SkrivFil(fil, svar);
  Figur alt;
  alt.Maal(sti.c_str(), true, nullptr);
  printf("ep-hentalt-lines %zu lines\n", Linjer(svar));
  printf("ep-hentalt-line-split-ms %.2f ms\n", alt.del);
  printf("ep-hentalt-import-ms %.2f ms\n", alt.imp);
  printf("ep-hentalt-import-resort-ms %.2f ms\n", alt.sorter);
  printf("ep-import-vs-line-split %.2f ratio\n", alt.imp / alt.del);

  // 5,000 wishes sent as new and their confirmations.
  std::string ny;
  uint32_t nyId = 900000000;
  for (uint32_t r = 1; r < tvev.wRecCnt && SendteOensker.size() < 5000; r += 7) {
    const EvRec *ev = EvRecNr(r);
    if (!ElevTabAktiv(ev->Status) || ev->elevplan_onske_la_id == 0) continue;
    if (SendteOensker.size() % 10 == 0) ny += "@NyTilmelding\n";
    SendteOensker.push_back({r, ev->id});
    char linje[128];
    snprintf(linje, sizeof linje, "%u;OK;%u;%u;%u;%u;2\n", ++nyId, ElevRef(ElevRecNr, ev->elev_id).id,
             ElevRef(LaRecNr, ev->elevplan_onske_la_id).id, ev->Gyldig_fra, ev->Gyldig_til);
    ny += linje;
  }
  if (SendteOensker.size() < 5000) Stop("too few wishes");
  SkrivFil(fil, ny);
  Figur svarFigur;
  svarFigur.Maal(sti.c_str(), false, SendIgen);
  uint32_t bekraeftet = 0;
  for (const Sendt &s : SendteOensker) bekraeftet += EvRecNr(s.rec)->ElevPlanStatus == EP_EV_BEKRAEFTET;
  if (bekraeftet != SendteOensker.size()) Stop("not every wish was confirmed");
  printf("ep-answers-lines %zu lines\n", SendteOensker.size());
  printf("ep-answers-line-split-ms %.2f ms\n", svarFigur.del);
  printf("ep-answers-import-ms %.2f ms\n", svarFigur.imp);
  printf("ep-answers-vs-line-split %.2f ratio\n", svarFigur.imp / svarFigur.del);

  Placering();
  std::filesystem::remove_all(rod);
  return 0;
}
