// A schedule window's rebuild of the busiest week of the large made-up
// school, all activities in lesson mode (the week list, then the lanes, the
// overlaps and the cell extremes of every row), against one plain pass over
// that week's bucket that reads each row's status, activity, weekday and
// first row, side by side in one run; then a full repaint of that week's
// window at 1280 x 1024 (cells and column headers, headless on a bitmap)
// against painting the same cells and header fields each with one FillRect
// and one TextOut of one glyph in the tile font. Prints "<figure> <value>
// <unit>" lines.
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
#include "FARVER.h"
#include "FONTE.h"
#include "SKEMA.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
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

// Hands the calls on and counts the cells and texts painted.
class TaelMaler : public SkemaMaler {
 public:
  explicit TaelMaler(SkemaMaler *m) : m_(m) {}
  void Celle(int x, int y, int b, uint8_t f, uint8_t t, uint32_t i) override {
    ++felter;
    m_->Celle(x, y, b, f, t, i);
  }
  void Strimmel(int x, int y, int b, uint8_t f, const uint8_t *t, uint32_t n, uint32_t i) override {
    ++felter;
    m_->Strimmel(x, y, b, f, t, n, i);
  }
  void Tekst(int x, int y, int b, const char *t, uint8_t f) override {
    ++felter;
    m_->Tekst(x, y, b, t, f);
  }
  void Linie(int x, int y, int h, uint8_t a) override { m_->Linie(x, y, h, a); }
  uint32_t felter = 0;

 private:
  SkemaMaler *m_;
};

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

  // The window of that week: every activity a row, five days of ten lessons.
  constexpr int kB = 1280, kH = 1024;
  ske->ObjFilter = UINT32_MAX;  // every group
  ByggObjTab(ske, uge);
  SkemaAkseOpsaet(ske);
  const uint32_t kolonner = KolonnerPrDag(ske) * (ske->Vis.SidsteUgedag - ske->Vis.FoersteUgedag + 1u);
  const uint32_t synligeRaekker = std::min<uint32_t>((kH - 2 * kRaekkeHoejde) / kRaekkeHoejde, +ske->Ens.ObjTabAntal);
  ske->ObjPos = {ske->Ens.ObjTabAntal, 1, synligeRaekker, 1};
  ske->TidPos = {kolonner, 1, kolonner, 1};
  ske->Ens.Aktiv = 1;
  InitPalette();
  HDC dc = CreateCompatibleDC(0);
  HBITMAP bm = CreateCompatibleBitmap(dc, kB, kH);
  HGDIOBJ gammelBm = SelectObject(dc, bm);
  TgnFont = CreateFont(-11, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tvo11x8Tgn");
  EnsDC edc{dc, kIngenFarve, kIngenFarve};
  EnsDCMaler maler(&edc);
  TaelMaler taeller(&maler);
  auto Tegn = [&](SkemaMaler *m) {
    OpdaterHoveder(ske, m, SKE_TEGN_ALT);
    OpdaterCeller(ske, m, SKE_TEGN_ALT, kB);
  };
  Tegn(&taeller);
  const uint32_t felter = taeller.felter;
  const uint32_t bredde = kLektionBredde;
  auto Enkle = [&] {
    HGDIOBJ f = SelectObject(dc, TgnFont);
    for (uint32_t i = 0; i < felter; ++i) {
      const int x = static_cast<int>(i % kolonner * bredde), y = static_cast<int>(i / kolonner % 73 * kRaekkeHoejde);
      RECT rc{x, y, x + static_cast<int>(bredde), y + static_cast<int>(kRaekkeHoejde)};
      FillRect(dc, &rc, FarveBrush[i % 7]);
      TextOut(dc, x, y + 1, "$", 1);
    }
    SelectObject(dc, f);
  };
  std::vector<double> t, e;
  for (int runde = 0; runde < 21; ++runde) {
    auto t0 = Klok::now();
    Tegn(&maler);
    auto t1 = Klok::now();
    Enkle();
    auto t2 = Klok::now();
    t.push_back(Ms(t0, t1));
    e.push_back(Ms(t1, t2));
  }
  const double mt = Median(t), me = Median(e);
  printf("paint-week-fields %u fields\n", felter);
  printf("paint-week-ms %.3f ms\n", mt);
  printf("plain-cells-ms %.3f ms\n", me);
  printf("paint-week-vs-plain-cells %.2f ratio\n", mt / me);
  SelectObject(dc, gammelBm);
  DeleteObject(bm);
  DeleteDC(dc);
  DeleteObject(TgnFont);
  TgnFont = 0;
  FrigivPalette();

  FrigivSkeStruct(ske);
  delete ske;
  std::filesystem::remove_all(skabelon);
  return 0;
}
