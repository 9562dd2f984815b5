// The posting window over the large made-up school: the rebuild a 1122
// triggers (main objects, partners, postings and cell sums) for the
// employment with the most postings, repeated as a user posting day after
// day triggers it, against one plain pass over the same month buckets that
// reads each row's status, pair and hours. Both are measured side by side
// in one run; each figure is the best of several rounds. The same for the
// timesheet: its rebuild (employment list, months and lines) for the
// employment and month with the most event rows, against a plain pass over
// that month's week buckets and posting bucket. Likewise the activity Gantt
// chart's data-changed rebuild (bar table, scheduled-week marks, group
// flags and rows) against one plain pass over every event row of the period
// reading its status and activity. And the employee statement of the Gantt
// window, open headless with its view at the right edge: one Right key
// moves the week, which rebuilds the rows and totals and repaints, as a
// user walking through the weeks sees it, against asking each statement
// cell's text once for every employment. (The made-up school's accounting
// periods are calendar years, which its school-year period does not hold,
// so its hours account answers blank cells: the figure weighs the window's
// own work against the cheapest texts.)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "BOG.h"
#include "MEDTIME.h"
#include "SKEREC.h"
#include "DATO.h"
#include "ENS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KLASSER.h"
#include "PROGVINDUER.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "tavo/test_user.h"
#include "GANT.h"
#include "GRUPPER.h"
#include "ImpBehandl.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "TABOPER.h"

namespace {

using Klok = std::chrono::steady_clock;

[[noreturn]] void Stop(const char *hvad) {
  fprintf(stderr, "bench_stafftime: %s\n", hvad);
  exit(1);
}

constexpr int RUNDER = 7;
constexpr int GENOPBYGNINGER = 20;

// The employment's rows in its months: the hours of its own pairs.
int64_t Gennemgang(uint32_t anfo, Maaned fra, Maaned til) {
  int64_t sum = 0;
  for (Maaned m = fra; m <= til; m = m % 100 == 12 ? (m / 100 + 1) * 100 + 1 : m + 1) {
    TabVar *b = TimoakBucket(m);
    if (!b || !b->pbTab) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
      if ((t->Status & 64) && !(t->Status & 8) && t->anfo_id == anfo && t->akti_id) sum += t->Timer;
    }
  }
  return sum;
}

// The month's week buckets and posting bucket: each row's status,
// employment and times.
int64_t TimeseddelGennemgang(uint32_t anfo, Maaned m) {
  int64_t sum = 0;
  const Dato foerste = m * 100 + 1, sidste = SidsteDatoIMaaned(m);
  Uge u0 = 0, u1 = 0;
  uint8_t wd = 0;
  DatoTilUge(foerste, &u0, &wd);
  DatoTilUge(sidste, &u1, &wd);
  for (UgeIndeks w = UgeTilIndeks(u0); w && w <= UgeTilIndeks(u1); ++w) {
    const TabVar *b = SkemabegBucket(IndeksTilUge(w));
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const auto *s = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, r));
      if (SkeRaekkeLever(s->Status) && s->anfo_id == anfo) sum += s->Sluttid - s->Starttid;
    }
  }
  if (const TabVar *b = TimoakBucket(m))
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
      if (t->Status && !(t->Status & 8) && t->anfo_id == anfo) sum += t->Timer;
    }
  return sum;
}

// The employment and month with the most event rows.
void FlestBegivenheder(uint32_t *pAnfo, Maaned *pMaaned, uint32_t *pAntal) {
  std::map<std::pair<uint32_t, Maaned>, uint32_t> antal;
  for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
    const Uge u = IndeksTilUge(w);
    const TabVar *b = SkemabegBucket(u);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const auto *s = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, r));
      if (!s->anfo_id || !SkeRaekkeLever(s->Status) || s->Dag < 1 || s->Dag > 7) continue;
      const uint32_t a = s->anfo_id;
      ++antal[{a, UgeDagTilDato(u, s->Dag) / 100}];
    }
  }
  *pAntal = 0;
  for (auto [k, n] : antal)
    if (n > *pAntal) *pAnfo = k.first, *pMaaned = k.second, *pAntal = n;
}

// Every event row of the period: its status and activity.
int64_t EventGennemgang() {
  int64_t sum = 0;
  for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
    TabVar *b = SkemabegBucket(IndeksTilUge(w));
    if (!b || !b->pbTab) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const auto *s = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, r));
      if (s->Status && !(s->Status & 8)) sum += s->akti_id;
    }
  }
  return sum;
}

void GantMaal() {
  auto *ws = static_cast<GANTWS *>(calloc(1, sizeof(GANTWS)));
  if (!ws) Stop("memory");
  ws->Bogstav = 'K';
  ws->pTd = ws->ens.pTd = &tdakti;
  ws->pTv = ws->ens.pTv = &tvakti;
  ws->GruppeMaske = kAlleGrupper;
  GantVaelgVisning(ws);
  GantGenopbyg(ws);
  double genopbyg = 1e300, pass = 1e300;
  volatile int64_t sink = 0;
  for (int runde = 0; runde < RUNDER; ++runde) {
    auto t0 = Klok::now();
    for (int i = 0; i < GENOPBYGNINGER; ++i) GantGenopbyg(ws);
    genopbyg = std::min(genopbyg, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
    t0 = Klok::now();
    for (int i = 0; i < GENOPBYGNINGER; ++i) sink = sink + EventGennemgang();
    pass = std::min(pass, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
  }
  (void)sink;
  printf("gantt-rows %u rows\n", ws->ens.ObjTabAntal);
  printf("gantt-rebuild-ms %.3f ms\n", genopbyg / GENOPBYGNINGER);
  printf("event-pass-ms %.3f ms\n", pass / GENOPBYGNINGER);
  printf("gantt-rebuild-vs-event-pass %.2f x\n", pass > 0 ? genopbyg / pass : 0.0);
  free(ws->Bjaelker);
  free(ws->Tegn);
  free(ws->GruppeFlag);
  free(ws->ens.ObjTab);
  free(ws->ens.UgeTab);
  free(ws);
}


LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

// Every employment's statement cells, each asked once.
int64_t OpgTekstGennemgang(uint8_t art, uint8_t sw, uint32_t felter) {
  int64_t sum = 0;
  SwitchRaekkeValg v;
  v.Valg1 = static_cast<int32_t>(SkemaPeriode.AktuelUgeIndeks);
  char tekst[kSwitchTekstLen];
  for (uint32_t r = 1; r < tvanfo.wRecCnt; ++r)
    for (uint32_t i = 0; i < felter; ++i) {
      ObjSwitchCelleTekst(art, 'M', sw, i, &tdanfo, &tvanfo, r, &v, tekst, nullptr);
      sum += tekst[0];
    }
  return sum;
}

void OpgoerelseMaal() {
  // The derived data the statement's figures rest on (period chains, the
  // month figures), as the program works them out after a load.
  BehandlData();
  if (!RegistrerVinduesKlasser()) Stop("window classes");
  WNDCLASSA wc{};
  wc.lpfnWndProc = VaertProc;
  wc.lpszClassName = "BenchVaert";
  RegisterClassA(&wc);
  InitPalette();
  HWND hoved = CreateWindowExA(0, "BenchVaert", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1280, 1024,
                               0, 0, 0, nullptr);
  HWND desktop = CreateWindowExA(0, "BenchVaert", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1280, 1024,
                                 hoved, 0, 0, nullptr);
  hwndHoved = hoved;
  hwndDesktop = desktop;
  LoadFonts(hoved);
  GlobalIndstillinger.medopg = 1;
  GlobalIndstillinger.normsystem = 0;
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 3);
  // Early in the period: twenty weeks on are still in it.
  SaetAktuelDato(SKOLE_FRADATO + 11);
  const Dato start = SkemaPeriode.AktuelDato;
  HWND h = CreateGantWnd('M', 0, 0, 1200, 1000, &tdanfo, &tvanfo, 40147, desktop);
  if (!h) Stop("the Gantt window");
  tavo::test::PumpUntilIdle();
  auto *ws = reinterpret_cast<GANTWS *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  if (!ws || !ws->Opgoerelse || ws->ens.ObjTabAntal == 0) Stop("the employee statement shows nothing");
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  const uint32_t felter = ws->OpgFeltAntal;
  const uint8_t art = ws->OpgArt, sw = ws->OpgSwitch;
  double trin = 1e300, pass = 1e300;
  volatile int64_t sink = 0;
  for (int runde = 0; runde < RUNDER; ++runde) {
    // Back to the first week, the view at its right edge.
    SaetAktuelDato(start);
    ws->ens.ScrollX = static_cast<uint32_t>(
        std::max<int64_t>(int64_t{ObjSwitchBredde(art, 'M', sw)} - 1 - ws->ens.RudeB[ENS_CELLER], 0));
    GantOpfrisk(ws, GANT_BYG_SUMMER, 0);
    tavo::test::PumpUntilIdle();
    const uint32_t uge = SkemaPeriode.AktuelUgeIndeks;
    auto t0 = Klok::now();
    for (int i = 0; i < GENOPBYGNINGER; ++i) {
      SendMessageA(h, WM_KEYDOWN, VK_RIGHT, 0);
      tavo::test::PumpUntilIdle();
    }
    trin = std::min(trin, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
    if (SkemaPeriode.AktuelUgeIndeks != uge + GENOPBYGNINGER) Stop("the week did not move with every press");
    t0 = Klok::now();
    for (int i = 0; i < GENOPBYGNINGER; ++i) sink = sink + OpgTekstGennemgang(art, sw, felter);
    pass = std::min(pass, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
  }
  (void)sink;
  printf("employee-statement-rows %u rows\n", ws->ens.ObjTabAntal);
  printf("employee-statement-step-ms %.3f ms\n", trin / GENOPBYGNINGER);
  printf("statement-text-pass-ms %.3f ms\n", pass / GENOPBYGNINGER);
  printf("employee-statement-step-vs-text-pass %.2f x\n", pass > 0 ? trin / pass : 0.0);
  DestroyWindow(h);
  DestroyWindow(hoved);
  hwndHoved = hwndDesktop = 0;
  UnloadFonts();
  FrigivPalette();
}

}  // namespace

int main() {
  std::string mappe = (std::filesystem::temp_directory_path() / "benchstafftimeXXXXXX").string();
  if (!mkdtemp(mappe.data())) Stop("temporary folder");
  SkoleStoerrelse st;
  SkoleStoerrelseFraNavn("large", &st);
  std::string fejl;
  if (LavSkoleData(mappe.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());
  // The field layouts the windows are drawn by, as an installation has them.
  std::filesystem::create_directories(std::filesystem::path(mappe) / "ini");
  std::filesystem::copy_file(std::filesystem::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini",
                             std::filesystem::path(mappe) / "ini" / "TavoSwt.ini",
                             std::filesystem::copy_options::overwrite_existing);
  LaesSwitchIni();
  SaetAktuelDato(SKOLE_FRADATO + 1000);  // in the autumn of the period

  // The employment with the most postings.
  std::map<uint32_t, uint32_t> antal;
  for (MaanedIndeks mi = 1; mi <= SkemaPeriode.AntalMaaneder; ++mi)
    if (TabVar *b = TimoakBucket(IndeksTilMaaned(mi)))
      for (uint32_t r = 1; r < b->wRecCnt; ++r) {
        const uint32_t a = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r))->anfo_id;
        ++antal[a];
      }
  uint32_t anfo = 0, flest = 0;
  for (auto [a, n] : antal)
    if (a && n > flest) anfo = a, flest = n;
  if (!anfo) Stop("no postings");
  tvanfo.AktuelRec = anfo;

  auto *ws = new BOGWS{};
  if (!BogForbered(ws, 'M') || BogHovedRec(ws) != anfo) Stop("the employment is not shown");
  const AnfoRec *a = reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, anfo));
  const Maaned fra = std::max(a->Fradato / 100, SkemaPeriode.FoersteMaaned);
  const Maaned til = std::min(a->Tildato / 100, SkemaPeriode.SidsteMaaned);

  double genopbyg = 1e300, pass = 1e300;
  volatile int64_t sink = 0;
  for (int runde = 0; runde < RUNDER; ++runde) {
    auto t0 = Klok::now();
    for (int i = 0; i < GENOPBYGNINGER; ++i) GenopbygBog(ws);
    genopbyg = std::min(genopbyg, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
    t0 = Klok::now();
    for (int i = 0; i < GENOPBYGNINGER; ++i) sink = sink + Gennemgang(anfo, fra, til);
    pass = std::min(pass, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
  }
  (void)sink;
  printf("posting-rows %u rows\n", flest);
  printf("posting-rebuild-ms %.3f ms\n", genopbyg / GENOPBYGNINGER);
  printf("posting-pass-ms %.3f ms\n", pass / GENOPBYGNINGER);
  printf("posting-rebuild-vs-pass %.2f x\n", pass > 0 ? genopbyg / pass : 0.0);
  BogFrigivLister(ws);
  delete ws;

  uint32_t tAnfo = 0, tRaekker = 0;
  Maaned tMaaned = 0;
  FlestBegivenheder(&tAnfo, &tMaaned, &tRaekker);
  if (!tAnfo) Stop("no events");
  tvanfo.AktuelRec = tAnfo;
  MedTime mt{};
  mt.GruppeMaske = 2147483647u;
  mt.AktuelDato = tMaaned * 100 + 15;
  GenopbygMedTime(&mt);
  if (MedTimeAnfo(&mt) != tAnfo || mt.LinieAntal < 2) Stop("the timesheet shows nothing");
  double bygning = 1e300, gennemgang = 1e300;
  for (int runde = 0; runde < RUNDER; ++runde) {
    auto t0 = Klok::now();
    for (int i = 0; i < GENOPBYGNINGER; ++i) GenopbygMedTime(&mt);
    bygning = std::min(bygning, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
    t0 = Klok::now();
    for (int i = 0; i < GENOPBYGNINGER; ++i) sink = sink + TimeseddelGennemgang(tAnfo, tMaaned);
    gennemgang = std::min(gennemgang, std::chrono::duration<double, std::milli>(Klok::now() - t0).count());
  }
  printf("timesheet-event-rows %u rows\n", tRaekker);
  printf("timesheet-lines %u lines\n", mt.LinieAntal);
  printf("timesheet-build-ms %.3f ms\n", bygning / GENOPBYGNINGER);
  printf("timesheet-pass-ms %.3f ms\n", gennemgang / GENOPBYGNINGER);
  printf("timesheet-build-vs-pass %.2f x\n", gennemgang > 0 ? bygning / gennemgang : 0.0);
  FrigivMedTime(&mt);
  GantMaal();
  OpgoerelseMaal();
  std::error_code ec;
  std::filesystem::remove_all(mappe, ec);
  return 0;
}
