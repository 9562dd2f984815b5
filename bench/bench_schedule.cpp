// A schedule window's rebuild of the busiest week of the large made-up
// school, all activities in lesson mode (the week list, then the lanes, the
// overlaps and the cell extremes of every row), against one plain pass over
// that week's bucket that reads each row's status, activity, weekday and
// first row, side by side in one run; then a full repaint of that week's
// window at 1280 x 1024 (cells and column headers, headless on a bitmap)
// against painting the same cells and header fields each with one FillRect
// and one TextOut of one glyph in the tile font. Prints "<figure> <value>
// <unit>" lines. Last the placement check of a lesson (one activity, two
// employees, one room) on the busiest weekday of that week, with the
// school's student-overlap pairs, against one pass over the bucket reading
// status, weekday and times plus one pass over the pairs; and the check
// followed by writing the event with counting, deleted again each time.
// And the entry window's marks for a block of one day's lessons in that
// week (one activity, one employee and one room chosen) against one pass
// over the bucket plus one over the activity records and the five mark
// arrays.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "ADDBEG.h"
#include "AVSHJAELP.h"
#include "BRIKIND.h"
#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "NYVALG.h"
#include "PLACER.h"
#include "RECPRED.h"
#include "ROLLEFORSLAG.h"
#include "SIDEFIL.h"
#include "FARVER.h"
#include "FONTE.h"
#include "SKEMA.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
#include "SKEMARK.h"
#include "SKEVIS.h"
#include "SLETBEG.h"
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

// A copy of record n of the table as a new record; its number.
template <class R>
uint32_t KopiRec(const TabDesc &td, TabVar &tv, uint32_t n, uint32_t id) {
  const R kilde = *TabRec<R>(tv, n);
  const uint32_t ny = NewRec(&td, &tv);
  if (ny == 0) Stop("ingen plads til en ny post");
  R *r = TabRec<R>(tv, ny);
  *r = kilde;
  r->id = id;
  return ny;
}

void PlaceringsMaaling(Uge uge, const TabVar *bucket) {
  // The busiest weekday of the week.
  uint32_t perDag[8] = {};
  for (uint32_t r = 1; r < bucket->wRecCnt; ++r) {
    const SkeRec *rk = reinterpret_cast<const SkeRec *>(bucket->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
    if (rk->Status && rk->Dag >= 1 && rk->Dag <= 7) ++perDag[rk->Dag];
  }
  uint8_t dag = 1;
  for (uint8_t d = 2; d <= 7; ++d)
    if (perDag[d] > perDag[dag]) dag = d;

  // A lesson of new participants, so only the student overlap can refuse it:
  // the activity shares students with the partners of an activity that has
  // pairs, like the school's own.
  uint32_t kilde = 0;
  for (uint32_t p = 1; p < tvelvrel2.wRecCnt && !kilde; ++p) kilde = TabRec<Elvrel2Rec>(tvelvrel2, p)->akti1_id;
  if (!kilde) Stop("ingen elevsammenfaldspar");
  const uint32_t akti = KopiRec<AktiRec>(tdakti, tvakti, kilde, 900000001);
  const uint32_t parFoer = tvelvrel2.wRecCnt;
  for (uint32_t p = 1; p < parFoer; ++p) {
    const Elvrel2Rec e = *TabRec<Elvrel2Rec>(tvelvrel2, p);
    if (e.akti1_id != kilde && e.akti2_id != kilde) continue;
    const uint32_t n = NewRec(&tdelvrel2, &tvelvrel2);
    if (!n) Stop("ingen plads til et par");
    Elvrel2Rec *r = TabRec<Elvrel2Rec>(tvelvrel2, n);
    *r = e;
    if (r->akti1_id == kilde) r->akti1_id = akti;
    if (r->akti2_id == kilde) r->akti2_id = akti;
  }
  const uint32_t anfo1 = KopiRec<AnfoRec>(tdanfo, tvanfo, 1, 900000002);
  const uint32_t anfo2 = KopiRec<AnfoRec>(tdanfo, tvanfo, 2, 900000003);
  const uint32_t loka = KopiRec<LokaRec>(tdloka, tvloka, 1, 900000004);
  for (auto &r : RolleForslagene) r = 1;
  GlobalIndstillinger.checkelevsammenfald = 1;
  GlobalIndstillinger.insnr = SKOLE_INSNR;

  SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(uge);
  SkeStruct *ske = new SkeStruct{};
  InitSkeStruct(ske, SKE_AKTI, 'L', 'V', 'N', 'V', 1);
  ske->Ens.ObjTab = static_cast<uint32_t *>(calloc(2, sizeof(uint32_t)));
  ske->Ens.ObjTab[1] = akti;
  ske->Ens.ObjTabAntal = 1;
  const VisningsTilstandRec &v = ske->Vis;
  const uint32_t lektioner = v.SidsteSlot - v.FoersteSlot + 1;

  AVS avs{};
  CleanupAVS(&avs);
  AddAVSEgenskab(&avs, 'K', akti, 0, 0);
  AddAVSEgenskab(&avs, 'M', anfo1, 1, -1.0f);
  AddAVSEgenskab(&avs, 'M', anfo2, 1, -1.0f);
  AddAVSEgenskab(&avs, 'L', loka, 1, 0);
  avs.Lektion = 1;
  avs.Placering = 'L';
  // The first lesson of the day where the check passes.
  uint32_t kolonne = 0;
  for (uint32_t l = 1; l <= lektioner && !kolonne; ++l) {
    const uint32_t k = (dag - v.FoersteUgedag) * lektioner + l;
    if (CheckBrik(ske, 0, k, 1, &avs, true, false, nullptr, false)) kolonne = k;
  }
  if (!kolonne) Stop("ingen lektion hvor tjekket går igennem");

  volatile uint64_t sum = 0;
  auto Scan = [&] {
    uint64_t s = 0;
    for (uint32_t r = 1; r < bucket->wRecCnt; ++r) {
      const SkeRec *rk = reinterpret_cast<const SkeRec *>(bucket->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
      s += rk->Status + rk->Dag + rk->Starttid + rk->Sluttid;
    }
    for (uint32_t p = 1; p < tvelvrel2.wRecCnt; ++p) {
      const Elvrel2Rec *e = TabRec<Elvrel2Rec>(tvelvrel2, p);
      s += e->akti1_id + e->akti2_id + e->Startdato;
    }
    sum = sum + s;
  };
  const uint8_t aarIdx = static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), ugeNr = static_cast<uint8_t>(uge % 100);
  constexpr uint32_t kId = 987654321;
  auto Placer = [&] {
    AVS kopi{};
    KopierAVS(&avs, &kopi);
    if (!CheckBrik(ske, 0, kolonne, 1, &kopi, false, false, nullptr, false)) Stop("placeringen blev afvist");
    if (!AddBegivenhed(&kopi, kId, aarIdx, ugeNr, SKE_EGEN, true, "", 0.0, 0.0)) Stop("placeringen blev ikke skrevet");
    CleanupAVS(&kopi);
  };
  auto Slet = [&] {
    TabVar *b = SkemabegBucket(uge);
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec *rk = reinterpret_cast<const SkeRec *>(b->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
      if (rk->Status && rk->id == kId && rk->Forste == r) {
        SletBegivenhedEndeligt(aarIdx, ugeNr, r);
        return;
      }
    }
    Stop("den placerede begivenhed blev ikke fundet");
  };

  std::vector<double> c, p, s;
  for (int runde = 0; runde < 101; ++runde) {
    auto t0 = Klok::now();
    if (!CheckBrik(ske, 0, kolonne, 1, &avs, true, false, nullptr, false)) Stop("tjekket blev afvist");
    auto t1 = Klok::now();
    Scan();
    auto t2 = Klok::now();
    Placer();
    auto t3 = Klok::now();
    Slet();
    c.push_back(Ms(t0, t1));
    s.push_back(Ms(t1, t2));
    p.push_back(Ms(t2, t3));
  }
  const double mc = Median(c), ms = Median(s), mp = Median(p);
  printf("student-overlap-pairs %u pairs\n", tvelvrel2.wRecCnt - 1);
  printf("check-ms %.4f ms\n", mc);
  printf("place-ms %.4f ms\n", mp);
  printf("check-bucket-scan-ms %.4f ms\n", ms);
  printf("check-vs-bucket-scan %.2f ratio\n", mc / ms);
  printf("place-vs-bucket-scan %.2f ratio\n", mp / ms);
  CleanupAVS(&avs);
  for (auto &r : RolleForslagene) r = 0;
  FrigivSkeStruct(ske);
  delete ske;
}

void EntryMaerkeMaaling(Uge uge, const TabVar *bucket) {
  uint32_t perDag[8] = {};
  for (uint32_t r = 1; r < bucket->wRecCnt; ++r) {
    const SkeRec *rk = reinterpret_cast<const SkeRec *>(bucket->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
    if (rk->Status && rk->Dag >= 1 && rk->Dag <= 7) ++perDag[rk->Dag];
  }
  uint8_t dag = 1;
  for (uint8_t d = 2; d <= 7; ++d)
    if (perDag[d] > perDag[dag]) dag = d;
  uint32_t akti = 1;
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n)
    if (TabRec<AktiRec>(tvakti, n)->risy_id) {
      akti = n;
      break;
    }

  auto *b = static_cast<BrikIndStruct *>(calloc(1, sizeof(BrikIndStruct)));
  if (!AllokerDifValg(b)) Stop("ingen plads til mærkerne");
  b->Mode = 'B';
  b->UgeNr = uge;
  b->BlokUger = SkemaPeriode.AntalUger + 1;
  b->BlokTab = static_cast<uint8_t *>(calloc(b->BlokUger, kBlokUgeBytes));
  for (uint32_t l = 1; l <= 10; ++l) *BlokCelle(b->BlokTab, b->BlokUger, UgeTilIndeks(uge), dag, l) = BLOK_VALGT;
  CleanupAVS(&AktuelAVS);
  AddAVSEgenskab(&AktuelAVS, 'K', akti, 0, 0);
  AddAVSEgenskab(&AktuelAVS, 'M', 1, 1, -1.0f);
  AddAVSEgenskab(&AktuelAVS, 'L', 1, 1, 0);
  AktuelAVS.risy_id = TabRec<AktiRec>(tvakti, akti)->risy_id;
  AktuelAVS.Placering = 'L';
  AktuelAVS.Dag = dag;

  volatile uint64_t sum = 0;
  auto Scan = [&] {
    uint64_t s = 0;
    for (uint32_t r = 1; r < bucket->wRecCnt; ++r) {
      const SkeRec *rk = reinterpret_cast<const SkeRec *>(bucket->pbTab + static_cast<size_t>(r) * sizeof(SkeRec));
      s += rk->Status + rk->Dag + rk->Starttid + rk->Sluttid + rk->akti_id + rk->anfo_id + rk->loka_id;
    }
    for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) {
      const AktiRec *a = TabRec<AktiRec>(tvakti, n);
      s += a->risy_id + a->Fradato + a->Tildato + a->skka_id + static_cast<uint8_t>(a->Type[0]);
    }
    for (uint8_t k = FOCUS_AKTI; k <= FOCUS_RISY; ++k) {
      DifValg &v = b->Valg[k];
      for (uint32_t i = 0; i < v.AntalMaerker; ++i) v.Maerker[i] &= MAERKE_VALGT;
    }
    sum = sum + s;
  };
  MarkerOptagne(b);
  uint32_t optagne = 0;
  for (uint8_t k = FOCUS_AKTI; k <= FOCUS_LOKA; ++k)
    for (uint32_t i = 0; i < b->Valg[k].AntalMaerker; ++i) optagne += (b->Valg[k].Maerker[i] & MAERKE_OPTAGET) != 0;
  std::vector<double> m, s;
  for (int runde = 0; runde < 101; ++runde) {
    auto t0 = Klok::now();
    MarkerOptagne(b);
    auto t1 = Klok::now();
    Scan();
    auto t2 = Klok::now();
    m.push_back(Ms(t0, t1));
    s.push_back(Ms(t1, t2));
  }
  const double mm = Median(m), ms = Median(s);
  printf("entry-busy-records %u records\n", optagne);
  printf("entry-marks-ms %.4f ms\n", mm);
  printf("entry-marks-scan-ms %.4f ms\n", ms);
  printf("entry-marks-vs-bucket-scan %.2f ratio\n", mm / ms);
  CleanupAVS(&AktuelAVS);
  free(b->BlokTab);
  b->BlokTab = nullptr;
  for (DifValg &v : b->Valg) free(v.Maerker), v.Maerker = nullptr;
  free(b->AnfoRolle);
  free(b->AnfoMinut);
  free(b->AnfoRolleLaast);
  free(b->LokaRolle);
  free(b);
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
  PlaceringsMaaling(uge, bucket);
  EntryMaerkeMaaling(uge, SkemabegBucket(uge));
  std::filesystem::remove_all(skabelon);
  return 0;
}
