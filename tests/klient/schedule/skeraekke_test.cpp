// A schedule window's rows, weeks and layers, its day colours, its sizes,
// its status panes and its refresh, on the small school of the event tests
// (period 1 August 2024 to 31 July 2025, week 40 of 2024 its tenth week).
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "AKTICHK.h"
#include "ENS.h"
#include "FARVER.h"
#include "KALENDER.h"
#include "RINGTID.h"
#include "SKEBAGGRUND.h"
#include "SKERAEKKE.h"
#include "ske_fixture.h"
#include "tavo/test_gdi.h"

namespace {

using namespace sketest;

constexpr uint32_t kAlle = 2147483647u;

// A window that keeps what it is sent.
struct Modtaget {
  HWND hwnd;
  UINT msg;
  WPARAM w;
  LPARAM l;
  std::string tekst;
};
std::vector<Modtaget> &Modtagne() {
  static std::vector<Modtaget> log;
  return log;
}
LRESULT CALLBACK LogProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= 1024) {
    Modtaget b{h, m, w, l, {}};
    if (m == TT_SETTEXT && l) b.tekst = reinterpret_cast<const char *>(l);
    Modtagne().push_back(b);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// Adds a participant to an event, the parallel lists of an employment
// zeroed.
template <class T>
void Tilfoej(T *&tab, uint32_t antal, T v) {
  tab = static_cast<T *>(realloc(tab, (antal + 1) * sizeof(T)));
  tab[antal] = v;
}
void Deltag(AVS &a, char art, uint32_t n, uint32_t rolle = 0) {
  switch (art) {
    case 'K': Tilfoej(a.aktiTab, a.aktiAntal, n), ++a.aktiAntal; break;
    case 'M':
      Tilfoej(a.anfoTab, a.anfoAntal, n);
      Tilfoej(a.skemarolTab, a.anfoAntal, rolle);
      Tilfoej(a.beregnTab, a.anfoAntal, 0.0f);
      Tilfoej(a.hvorfraTab, a.anfoAntal, uint8_t{0});
      Tilfoej(a.minutTab, a.anfoAntal, 0.0f);
      ++a.anfoAntal;
      break;
    default:
      Tilfoej(a.lokaTab, a.lokaAntal, n);
      Tilfoej(a.lokrolleTab, a.lokaAntal, rolle);
      ++a.lokaAntal;
      break;
  }
}

// The status panes the frame's creator makes in the tests: children with
// their id, each with a DC of its own.
HWND TestRude(HWND parent, const char *, int, int id) {
  return CreateWindowExA(0, "SkeTestRude", "", WS_CHILD, 0, 0, 200, 20, parent,
                         static_cast<HMENU>(id), 0, nullptr);
}

class SkeRaekker : public SkeMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    for (const char *navn : {"SkeTestLog", "SkeTestRude"}) {
      WNDCLASSA wc{};
      wc.style = CS_OWNDC;
      wc.lpfnWndProc = LogProc;
      wc.lpszClassName = navn;
      RegisterClassA(&wc);
    }
    Modtagne().clear();
    // Every object of the school lives the whole period in group 1.
    for (uint32_t n : akti) Akti(n) = AktiMed(Akti(n));
    for (uint32_t n : anfo) {
      AnfoRec &a = *predtest::Rec<AnfoRec>(tvanfo, n);
      a.Gruppe = 1, a.StartUge = 202431, a.SlutUge = 202531;
    }
    for (uint32_t n : loka) {
      LokaRec &l = *predtest::Rec<LokaRec>(tvloka, n);
      l.Gruppe = 1, l.StartUge = 202431, l.SlutUge = 202531, l.Fradato = 20240801, l.Tildato = 20250731;
    }
    ring = Ringesystem({});
  }
  void TearDown() override {
    EnsKrog.OpretStatusBar = nullptr;
    hDatoVindue = hwndBrikInfo = hwndBrikInd = 0;
    SkeMappe::TearDown();
  }

  static AktiRec &Akti(uint32_t n) { return *predtest::Rec<AktiRec>(tvakti, n); }
  static AktiRec AktiMed(AktiRec a) {
    a.Gruppe = 1, a.StartUge = 202431, a.SlutUge = 202531;
    return a;
  }
  // A further activity; its record number.
  uint32_t NyAkti(uint8_t status, uint32_t gruppe = 1, Uge start = 202431, Uge slut = 202531) {
    AktiRec a = AktiMed(Akti(akti[1]));
    a.id = 1100 + tvakti.wRecCnt;
    a.Status = status, a.Gruppe = gruppe, a.StartUge = start, a.SlutUge = slut;
    return Ny(tdakti, tvakti, a);
  }

  static std::vector<uint32_t> Tab(const uint32_t *t, uint32_t antal) {
    return t ? std::vector<uint32_t>(t + 1, t + 1 + antal) : std::vector<uint32_t>{};
  }

  uint32_t ring = 0;
};

// ---- Which records are rows ----

TEST_F(SkeRaekker, ObjektVisesFoelgerFilterVariantOgRedigering) {
  // Record 1 (a reserved activity) made an ordinary live one.
  Akti(1) = AktiMed(Akti(akti[1]));
  const uint32_t slettet = NyAkti(5), arkiv = NyAkti(30), gruppe2 = NyAkti(10, 2),
                 senere = NyAkti(10, 1, 202510, 202520);
  AVS medAkti = TomtAVS(), udenAkti = TomtAVS(), tom = TomtAVS();
  Deltag(medAkti, 'K', akti[2]);
  Deltag(udenAkti, 'M', anfo[1]);
  struct Tilfaelde {
    const char *navn;
    std::function<void(SkeStruct *)> saet;
    uint32_t n;
    Uge uge;
    bool vises;
  };
  const auto intet = [](SkeStruct *) {};
  const auto variantA = [this](SkeStruct *s) {
    s->Variant = 'A';
    s->MarkAktiStr = akti[2] + 1;  // made before the table grew
    s->MarkAkti = static_cast<uint8_t *>(calloc(s->MarkAktiStr, 1));
    s->MarkAkti[akti[2]] = 1;
  };
  const auto redigering = [](const AVS &a) {
    return [&a](SkeStruct *s) {
      s->FoelgerAVS[0] = s->FoelgerAVS[1] = 1;
      KopierAVS(&a, &AktuelAVS);
    };
  };
  const std::vector<Tilfaelde> tilfaelde = {
      {"record 0", intet, 0, 0, false},
      {"record 1, though live", intet, 1, 0, false},
      {"a live record", intet, akti[1], 202440, true},
      {"beyond the table", intet, tvakti.wRecCnt, 0, false},
      {"status below 10", intet, slettet, 0, false},
      {"status 30", intet, arkiv, 0, false},
      {"week before its start", intet, senere, 202440, false},
      {"no week given", intet, senere, 0, true},
      {"its period ignored", [](SkeStruct *s) { s->IgnorerPeriode = 1; }, senere, 202440, true},
      {"group outside the mask", [](SkeStruct *s) { s->ObjFilter = 1; }, gruppe2, 0, false},
      {"group inside the mask", [](SkeStruct *s) { s->ObjFilter = 3; }, gruppe2, 0, true},
      {"variant A, marked", variantA, akti[2], 0, true},
      {"variant A, unmarked", variantA, akti[1], 0, false},
      {"variant A, beyond the marker table", variantA, gruppe2, 0, false},
      {"editor view, the event's activity", redigering(medAkti), akti[2], 0, true},
      {"editor view, another activity", redigering(medAkti), akti[1], 0, false},
      {"editor view, no activity but an employee", redigering(udenAkti), akti[1], 0, false},
      {"editor view, an empty event", redigering(tom), akti[1], 0, true},
      {"one editor flag only", [](SkeStruct *s) { s->FoelgerAVS[1] = 1; }, akti[1], 0, true},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SkeVindue w(SKE_AKTI);
    w->ObjFilter = kAlle;
    t.saet(w.get());
    EXPECT_EQ(ObjektVises(w.get(), t.n, t.uge), t.vises) << t.navn;
    CleanupAVS(&AktuelAVS);
  }
  for (AVS *a : {&medAkti, &udenAkti, &tom}) CleanupAVS(a);

  SkeVindue w(SKE_AKTI);
  w->ObjFilter = kAlle;
  EXPECT_EQ(TaelObjekter(w.get(), 202440), 4u);
  ByggObjTab(w.get(), 202440);
  EXPECT_EQ(Tab(w->Ens.ObjTab, w->Ens.ObjTabAntal), (std::vector<uint32_t>{akti[0], akti[1], akti[2], gruppe2}));
}

// ---- Layers and weeks ----

TEST_F(SkeRaekker, LagUdvidesOgAktuelRaekkeFindes) {
  const uint32_t a = akti[1], b = akti[2], c = NyAkti(10);
  SkeVindue w(SKE_AKTI);
  w->ObjFilter = kAlle;
  ByggObjTab(w.get(), 0);
  ASSERT_EQ(Tab(w->ObjGrund, w->ObjAntal), (std::vector<uint32_t>{akti[0], a, b, c}));
  w->ObjAntal = 3;
  w->ObjGrund[1] = a, w->ObjGrund[2] = b, w->ObjGrund[3] = c;
  w->LagVis = 1;
  w->LagAntalStr = tvakti.wRecCnt;
  w->LagAntal = static_cast<uint32_t *>(calloc(w->LagAntalStr, sizeof(uint32_t)));
  w->LagAntal[a] = 2, w->LagAntal[b] = 0, w->LagAntal[c] = 1;
  struct Tilfaelde {
    const char *navn;
    uint32_t objekt, lag, aktuel;
  };
  for (const Tilfaelde &t : std::vector<Tilfaelde>{{"layer 2 of 2", a, 2, 2},
                                                    {"layer above the count: the last", a, 5, 2},
                                                    {"a single layer", c, 1, 3},
                                                    {"no layer: row 1", b, 1, 1}}) {
    // Expanding twice expands the unexpanded rows, never the expansion.
    ByggObjLag(w.get(), t.objekt, t.lag);
    ByggObjLag(w.get(), t.objekt, t.lag);
    EXPECT_EQ(Tab(w->Ens.ObjTab, w->Ens.ObjTabAntal), (std::vector<uint32_t>{a, a, c})) << t.navn;
    EXPECT_EQ(Tab(w->LagTabNo, w->Ens.ObjTabAntal), (std::vector<uint32_t>{1, 2, 1})) << t.navn;
    EXPECT_EQ(w->AktuelObjRaekke, t.aktuel) << t.navn;
  }
  w->LagVis = 0;
  ByggObjLag(w.get(), b, 3);
  EXPECT_EQ(Tab(w->Ens.ObjTab, w->Ens.ObjTabAntal), (std::vector<uint32_t>{a, b, c}));
  EXPECT_EQ(Tab(w->LagTabNo, 3), (std::vector<uint32_t>{1, 1, 1}));
  EXPECT_EQ(w->AktuelObjRaekke, 2u);

  // No rows: current row 0.
  SkeVindue tom(SKE_AKTI);
  ByggObjTab(tom.get(), 0);
  ByggObjLag(tom.get(), a, 1);
  EXPECT_EQ(tom->AktuelObjRaekke, 0u);
}

TEST_F(SkeRaekker, UgeRaekkerLagOgInversTabel) {
  const uint32_t n = SkemaPeriode.AntalUger;
  ASSERT_EQ(n, 53u);
  SkeVindue w(SKE_AKTI, 'L', false);
  ByggUgeTab(w.get(), 0);
  ByggUgeLag(w.get(), 4, 1);
  std::vector<uint32_t> alle(n), en(n, 1);
  for (uint32_t i = 0; i < n; ++i) alle[i] = i + 1;
  EXPECT_EQ(Tab(w->Ens.UgeTab, w->UgeAntal), alle);
  EXPECT_EQ(Tab(w->LagTabNo, w->UgeAntal), en);
  EXPECT_EQ(Tab(w->InversInternUgeTab, n), alle);
  EXPECT_EQ(w->AktuelUgeRaekke, 4u);

  // Week 2 hidden, week 3 in two layers.
  w->LagVis = 1;
  w->LagAntalStr = n + 1;
  w->LagAntal = static_cast<uint32_t *>(calloc(n + 1, sizeof(uint32_t)));
  for (uint32_t i = 1; i <= n; ++i) w->LagAntal[i] = 1;
  w->LagAntal[2] = 0, w->LagAntal[3] = 2;
  ByggUgeLag(w.get(), 3, 2);
  EXPECT_EQ(Tab(w->Ens.UgeTab, 5), (std::vector<uint32_t>{1, 3, 3, 4, 5}));
  EXPECT_EQ(Tab(w->InversInternUgeTab, 4), (std::vector<uint32_t>{1, 0, 2, 4}));
  EXPECT_EQ(w->AktuelUgeRaekke, 3u);
  EXPECT_EQ(FindUgeRaekke(w.get(), 3), 3u);   // the current row holds it
  w->AktuelUgeRaekke = 1;
  EXPECT_EQ(FindUgeRaekke(w.get(), 3), 3u);   // the last row of the week
  EXPECT_EQ(FindUgeRaekke(w.get(), 2), 1u);   // hidden
  EXPECT_EQ(FindUgeRaekke(w.get(), 999), 1u);

  // An object's own weeks, clamped to the period; the program's current
  // week (11) gives the current row, at least the first.
  SkemaPeriode.AktuelUgeIndeks = 11;
  struct Tilfaelde {
    const char *navn;
    Uge start, slut;
    std::vector<uint32_t> uger;
    uint32_t aktuel;
  };
  for (const Tilfaelde &t : std::vector<Tilfaelde>{
           {"wholly before the period", 202401, 202420, {1}, 1},
           {"wholly after it", 202601, 202610, {n}, 1},
           {"inside it", 202440, 202442, {10, 11, 12}, 2},
           {"over its start", 202420, 202432, {1, 2}, 2},
           {"before the current week", 202435, 202437, {5, 6, 7}, 3},
       }) {
    Akti(akti[1]).StartUge = t.start;
    Akti(akti[1]).SlutUge = t.slut;
    SkeVindue o(SKE_AKTI, 'L', false);
    o->Ens.ObjTab = static_cast<uint32_t *>(calloc(2, sizeof(uint32_t)));
    o->Ens.ObjTab[1] = akti[1];
    o->Ens.ObjTabAntal = 1;
    o->AktuelObjRaekke = 1;
    ByggUgeTab(o.get(), akti[1]);
    EXPECT_EQ(Tab(o->Ens.UgeTab, o->UgeAntal), t.uger) << t.navn;
    EXPECT_EQ(o->AktuelUgeRaekke, t.aktuel) << t.navn;
  }

  SkeVindue tom(SKE_AKTI, 'L', false);
  EXPECT_EQ(FindUgeRaekke(tom.get(), 5), 1u);
}

TEST_F(SkeRaekker, AlleUgerStarterVedFoersteValgteCelle) {
  SkeVindue w(SKE_AKTI, 'L', false);
  ByggUgeTabAlle(w.get());
  EXPECT_EQ(w->AktuelUgeRaekke, SkemaPeriode.AktuelUgeIndeks);
  w->BlokUger = SkemaPeriode.AntalUger + 1;
  w->BlokTab = static_cast<uint8_t *>(calloc(w->BlokUger, kBlokUgeBytes));
  *BlokCelle(w->BlokTab, w->BlokUger, 20, 1, 5) = BLOK_VALGT;
  *BlokCelle(w->BlokTab, w->BlokUger, 12, 7, 300) = BLOK_VALGT;
  *BlokCelle(w->BlokTab, w->BlokUger, 11, 3, 2) = BLOK_FLYT;
  ByggUgeTabAlle(w.get());
  EXPECT_EQ(w->AktuelUgeRaekke, 12u);
  EXPECT_EQ(w->UgeAntal, SkemaPeriode.AntalUger);
}

// ---- Day colours ----

// Christmas week 2024 (week 52, index 22): Wednesday the 25th and Thursday
// the 26th are holidays. The last week of the period ends on Thursday 31
// July 2025.
class DagFarver : public SkeRaekker {
 protected:
  static constexpr Uge kJul = 202452;
  static constexpr Uge kSidste = 202531;

  // The day colours of one object in the given weeks.
  std::vector<std::vector<uint8_t>> Farver(char art, uint32_t objekt, const std::vector<Uge> &uger) {
    SkeVindue w(art, 'L', false);
    std::vector<uint32_t> idx;
    for (Uge u : uger) idx.push_back(UgeTilIndeks(u));
    w.Raekker(idx);
    w->Ens.ObjTab = static_cast<uint32_t *>(calloc(2, sizeof(uint32_t)));
    w->Ens.ObjTab[1] = objekt;
    w->Ens.ObjTabAntal = 1;
    w->AktuelObjRaekke = 1;
    ByggFarveDagTab(w.get());
    std::vector<std::vector<uint8_t>> ud;
    for (uint32_t i : idx) {
      std::vector<uint8_t> dage;
      for (uint8_t d = 1; d <= 7; ++d) dage.push_back(FarveDag(w.get(), i, d));
      ud.push_back(dage);
    }
    return ud;
  }
  using Uger = std::vector<std::vector<uint8_t>>;
};

TEST_F(DagFarver, AktivitetHelligdageOgSkolekalender) {
  Akti(akti[1]).Tildato = 20241225;
  // Christmas Day within its dates, Boxing Day outside: 6 wins over 9.
  EXPECT_EQ(Farver('K', akti[1], {kJul}), (Uger{{0, 0, 6, 6, 9, 9, 9}}));
  GlobalIndstillinger.markerhellig = 0;
  EXPECT_EQ(Farver('K', akti[1], {kJul}), (Uger{{0, 0, 0, 9, 9, 9, 9}}));
  GlobalIndstillinger.markerhellig = 1;
  // A school calendar of weekdays: weekends are no school days; the end of
  // the period colours every row.
  Akti(akti[2]).skka_id = Skolekalender(2024, 2, [](uint32_t, uint32_t, uint8_t d) { return d <= 5; });
  EXPECT_EQ(Farver('K', akti[2], {202440, kSidste}), (Uger{{0, 0, 0, 0, 0, 6, 6}, {0, 0, 0, 0, 6, 6, 6}}));
  // Reserved activities are not coloured, save for the period's end.
  Akti(akti[2]).id = 999999998;
  Akti(akti[2]).Tildato = 20240901;
  tvakti.fSorter = 1;
  EXPECT_EQ(Farver('K', akti[2], {202440, kSidste}), (Uger{{0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 6, 6, 6}}));
}

TEST_F(DagFarver, AnsaettelsensOgLokaletsDatoer) {
  predtest::Rec<AnfoRec>(tvanfo, anfo[1])->Tildato = 20241224;
  EXPECT_EQ(Farver('M', anfo[1], {kJul}), (Uger{{0, 0, 6, 6, 15, 15, 15}}));
  predtest::Rec<LokaRec>(tvloka, loka[1])->Fradato = 20241227;
  EXPECT_EQ(Farver('L', loka[1], {kJul}), (Uger{{21, 21, 6, 6, 0, 0, 0}}));
}

TEST_F(DagFarver, VariantBFarverHverDeltager) {
  Akti(akti[1]).Tildato = 20241225;
  predtest::Rec<AnfoRec>(tvanfo, anfo[1])->Fradato = 20241224;
  // A second activity whose calendar has Saturday off: its 6 stays over the
  // 9 of the first, though that comes later.
  Akti(akti[2]).skka_id = Skolekalender(2024, 2, [](uint32_t, uint32_t, uint8_t d) { return d != 6; });
  Deltag(AktuelAVS, 'K', akti[2]);
  Deltag(AktuelAVS, 'K', akti[1]);
  Deltag(AktuelAVS, 'M', anfo[1]);
  SkeVindue w(SKE_LOKA);
  w->Variant = 'B';
  w.Raekker({loka[1], loka[2]});
  SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(kJul);
  ByggFarveDagTab(w.get());
  for (uint32_t r : {loka[1], loka[2]}) {
    std::vector<uint8_t> dage;
    for (uint8_t d = 1; d <= 7; ++d) dage.push_back(FarveDag(w.get(), r, d));
    // The employee's Monday (15) and the activity's days after Christmas.
    EXPECT_EQ(dage, (std::vector<uint8_t>{15, 0, 6, 6, 9, 6, 9})) << r;
  }
  EXPECT_EQ(FarveDag(w.get(), tvloka.wRecCnt, 1), 0);

  // A change: the old event's room, which the new one lacks, adds its days.
  predtest::Rec<LokaRec>(tvloka, loka[2])->Fradato = 20241225;
  Deltag(GammelAVS, 'L', loka[2]);
  w->Tilstand = 'R';
  ByggFarveDagTab(w.get());
  EXPECT_EQ(FarveDag(w.get(), loka[1], 2), 21);
  w->Tilstand = 'V';
  ByggFarveDagTab(w.get());
  EXPECT_EQ(FarveDag(w.get(), loka[1], 2), 0);
}

// ---- Geometry (frame 4, scroll bar 16, caption 19 pixels) ----

TEST_F(SkeRaekker, Geometri) {
  VisningsTilstandRec &l = VisningsTilstandFor('L'), &t = VisningsTilstandFor('T');
  l = {1, 8, 1, 0, 1, 5};
  t = {1, 24, 1, 3, 1, 5};
  struct Tilfaelde {
    const char *navn;
    std::function<uint32_t()> f;
    uint32_t pixels;
  };
  SkeVindue v(SKE_AKTI);
  v->HovedDele[0] = 10, v->HovedDele[1] = 20, v->HovedDele[2] = 30;
  v->HovedDele[3] = 1, v->HovedDele[4] = 2, v->HovedDele[5] = 3;
  SkeVindue tl(SKE_AKTI, 'T');
  memcpy(tl->HovedDele, v->HovedDele, sizeof v->HovedDele);
  SkeVindue gl(SKE_AKTI);
  gl->Layout = 'L';
  memcpy(gl->HovedDele, v->HovedDele, sizeof v->HovedDele);
  const auto enDag = [&l](uint8_t d) { l.Ugedag = d; };
  const std::vector<Tilfaelde> tilfaelde = {
      {"width, kind 1", [] { return CalcSkemaWndWidth(100, 200, 10, nullptr, nullptr, 0, 5000, 1, false); }, 247},
      {"width, kind 2", [] { return CalcSkemaWndWidth(100, 200, 10, nullptr, nullptr, 0, 5000, 2, false); }, 255},
      {"width, weeks", [] { return CalcSkemaWndWidth(100, 200, 10, nullptr, nullptr, 0, 20000, 0, false); }, 11487},
      {"width, up to the offer", [] { return CalcSkemaWndWidth(100, 200, 10, nullptr, nullptr, 0, 5000, 0, false); },
       5000},
      {"width, at least 150", [] { return CalcSkemaWndWidth(0, 0, 0, nullptr, nullptr, 0, 5000, 1, false); }, 150},
      {"width, at least 550", [] { return CalcSkemaWndWidth(0, 0, 0, nullptr, nullptr, 0, 300, 0, false); }, 550},
      {"height, the week", [] { return CalcSkemaWndHeight(5000, false, 1, 'L'); }, 2318},
      {"height, no frame", [] { return CalcSkemaWndHeight(5000, true, 1, 'L'); }, 2291},
      {"height, up to the offer", [] { return CalcSkemaWndHeight(2000, false, 1, 'L'); }, 2000},
      {"height, at least 100", [] { return CalcSkemaWndHeight(50, false, 1, 'L'); }, 100},
      {"height, one weekday", [&] { enDag(3); return CalcSkemaWndHeight(5000, false, 1, 'L'); }, 558},
      {"width V, one weekday", [&] { enDag(3); return CalcSkemaWndWidthV(50, 5000, 'L', 'V', 0, 0); }, 564},
      {"width V, strip 'B'", [&] { enDag(3); return CalcSkemaWndWidthV(50, 5000, 'L', 'B', 0, 0); }, 556},
      {"width V, the week", [&] { enDag(0); return CalcSkemaWndWidthV(50, 5000, 'L', 'V', 0, 0); }, 2484},
      {"width V, time", [] { return CalcSkemaWndWidthV(50, 5000, 'T', 'V', 2, 5); }, 344},
      {"width V, at least 150", [] { return CalcSkemaWndWidthV(0, 100, 'T', 'V', 2, 5); }, 150},
      {"head V", [&] { return SkemaHovedBredde(v.get()); }, 113},
      {"head, time", [&] { return SkemaHovedBredde(tl.get()); }, 141},
      {"head L", [&] { return SkemaHovedBredde(gl.get()); }, 51},
      {"height V, five rows at least", [&] { v->ObjPos.Antal = 3; return CalcSkemaWndHeightV(v.get(), 5000, 1); },
       278},
      {"height V, ten rows", [&] { v->ObjPos.Antal = 10; return CalcSkemaWndHeightV(v.get(), 5000, 1); }, 353},
      {"height V, at least 100", [&] { return CalcSkemaWndHeightV(v.get(), 50, 1); }, 100},
  };
  for (const Tilfaelde &c : tilfaelde) EXPECT_EQ(c.f(), c.pixels) << c.navn;
}

// ---- Status panes ----

class StatusRuder : public SkeRaekker {
 protected:
  void SetUp() override {
    SkeRaekker::SetUp();
    EnsKrog.OpretStatusBar = TestRude;
    vindue = CreateWindowExA(0, "SkeTestLog", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 400, 0, 0, 0, nullptr);
  }
  void TearDown() override {
    DestroyWindow(vindue);
    SkeRaekker::TearDown();
  }
  std::vector<int> Id(const SkeVindue &w) const {
    std::vector<int> ud;
    for (uint32_t i = 0; i <= w->StatBar.SidsteRude; ++i) ud.push_back(GetDlgCtrlID(w->StatBar.hwndStatBar[i]));
    return ud;
  }
  std::vector<uint8_t> Indhold(const SkeVindue &w) const {
    return {w->StatBar.statbarWindowNr, w->StatBar.statbarWindowNr + w->StatBar.SidsteRude + 1};
  }
  HWND vindue = 0;
};

TEST_F(StatusRuder, AntalIdOgTip) {
  SkeVindue m(SKE_ANFO);
  ASSERT_TRUE(CreateSkemaStatBar(vindue, m.get()));
  EXPECT_EQ(Id(m), (std::vector<int>{1, 2, 3, 104, 5}));
  ASSERT_EQ(Modtagne().size(), 1u);
  EXPECT_EQ(Modtagne()[0].hwnd, m->StatBar.hwndStatBar[3]);
  EXPECT_EQ(Modtagne()[0].msg, static_cast<UINT>(TT_SETTEXT));
  EXPECT_EQ(Modtagne()[0].tekst,
            "R = Antal arbejdstimer i snit pr. uge resten af året.\nN = Antal arbejdstimer i snit pr. uge resten af "
            "året\n    for at opfylde normen.");

  SkeVindue a(SKE_AKTI);
  CreateSkemaStatBar(vindue, a.get());
  EXPECT_EQ(Indhold(a), (std::vector<uint8_t>{0, 1, 2, 5, 4}));
  Akti(akti[2]).BudgetLererTimer = 3;
  SkeVindue norm(SKE_AKTI);
  CreateSkemaStatBar(vindue, norm.get());
  EXPECT_EQ(Id(norm), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(Indhold(norm), (std::vector<uint8_t>{0, 1, 2, 3, 4, 5, 6}));

  SkeVindue l(SKE_LOKA);
  CreateSkemaStatBar(vindue, l.get());
  EXPECT_EQ(Id(l), (std::vector<int>{1, 2, 3, 4}));
  SkeVindue b(SKE_LOKA);
  b->FoelgerAVS[1] = 1;
  CreateSkemaStatBar(vindue, b.get());
  EXPECT_EQ(Id(b), (std::vector<int>{1, 2}));

  // Without a creator there are no panes.
  EnsKrog.OpretStatusBar = nullptr;
  SkeVindue ingen(SKE_ANFO);
  EXPECT_FALSE(CreateSkemaStatBar(vindue, ingen.get()));
  EXPECT_EQ(ingen->StatBar.hwndStatBar, nullptr);
}

TEST_F(StatusRuder, RudeViserFeltetsTekstIDetsFarve) {
  // The row-header layout of a week of activities: the name.
  FrigivSwitchTab();
  const char linjer[] = "[ObjectSwitchField]\n22,K,0,1,0,2,0,0,16,0,0,T,0\n";
  FILE *f = fmemopen(const_cast<char *>(linjer), strlen(linjer), "r");
  int sektion = 0;
  switch_intern::LaesLayoutFil(f, "TavoSwt.ini", &sektion);
  fclose(f);
  Tekst(Akti(akti[2]).Aktivitet, "Matematik");
  Akti(akti[2]).Gruppe |= 0x80000000u;  // archived: display class 5
  const COLORREF gemt = FarveTab[5];
  FarveTab[5] = RGB(10, 20, 30);
  SkeVindue w(SKE_AKTI);
  w.Raekker({akti[1], akti[2]});
  w->AktuelObjRaekke = 2;
  ASSERT_TRUE(CreateSkemaStatBar(vindue, w.get()));
  const COLORREF foer = GetTextColor(w->StatBar.StatHDC[0]);
  tavo::test::ClearDrawnTexts();
  VisSkemaStatBar(w.get(), 1);
  bool fundet = false;
  for (const auto &t : tavo::test::DrawnTexts()) {
    if (t.hwnd != w->StatBar.hwndStatBar[0]) continue;
    EXPECT_EQ(t.text, "Matematik");
    EXPECT_EQ(t.text_color, RGB(10, 20, 30));
    fundet = true;
  }
  EXPECT_TRUE(fundet);
  // The pane's colour is set back after the text.
  EXPECT_EQ(GetTextColor(w->StatBar.StatHDC[0]), foer);
  FarveTab[5] = gemt;
}

// ---- Refresh ----

TEST_F(SkeRaekker, OpdaterSenderDatoOgUgedagFoelger) {
  HWND dato = CreateWindowExA(0, "SkeTestLog", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, 0, 0, 0, nullptr);
  hDatoVindue = dato;
  VisningsTilstandFor('L') = {1, 8, 1, 0, 1, 7};
  VisningsTilstandFor('T') = {97, 192, 97, 0, 1, 7};
  VisningsTilstandFor('D') = {1, 1, 1, 0, 1, 7};
  SkeVindue w(SKE_AKTI);
  w->ObjFilter = kAlle;
  w.Raekker({akti[1], akti[2]});
  w.TidsAkse();
  w->Ens.Aktiv = 1;
  SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(202440);
  struct Tilfaelde {
    uint32_t kolonne;
    Dato dato;
    uint8_t ugedag;
    uint32_t lektion;
  };
  for (const Tilfaelde &t : std::vector<Tilfaelde>{{19, 20241002, 3, 3}, {1, 20240930, 1, 1}, {56, 20241006, 7, 8}}) {
    Modtagne().clear();
    w->TidPos.Aktuel = t.kolonne;
    OpdaterSkemaVindue(w.get(), 0);
    ASSERT_EQ(Modtagne().size(), 1u) << t.kolonne;
    EXPECT_EQ(Modtagne()[0].msg, static_cast<UINT>(STATUS_DATO_SAET));
    EXPECT_EQ(static_cast<Dato>(Modtagne()[0].l), t.dato);
    for (char m : {'L', 'T', 'D'}) EXPECT_EQ(VisningsTilstandFor(m).Ugedag, t.ugedag) << m;
    EXPECT_EQ(VisningsTilstandFor('L').AktuelSlot, t.lektion);
    EXPECT_EQ(VisningsTilstandFor('T').AktuelSlot, 97 + (t.lektion - 1) * 12);
    EXPECT_EQ(w->ForrigeTidPos, t.kolonne);
  }
  // A window that is not active leaves the program's settings alone; the
  // tile information panel, once open, is told of the cell's event.
  HWND info = CreateWindowExA(0, "SkeTestLog", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, 0, 0, 0, nullptr);
  hwndBrikInfo = info;
  Modtagne().clear();
  w->Ens.Aktiv = 0;
  w->TidPos.Aktuel = 1;
  OpdaterSkemaVindue(w.get(), 0);
  EXPECT_EQ(VisningsTilstandFor('L').Ugedag, 7);
  ASSERT_EQ(Modtagne().size(), 2u);
  EXPECT_EQ(Modtagne()[0].hwnd, info);
  EXPECT_EQ(Modtagne()[0].msg, static_cast<UINT>(BRIKINFO_VIS));
  EXPECT_EQ(Modtagne()[0].l, reinterpret_cast<LPARAM>(w.get()));
  EXPECT_EQ(static_cast<Dato>(Modtagne()[1].l), 20240930u);
  DestroyWindow(info);
  DestroyWindow(dato);
}

TEST_F(SkeRaekker, IndtastningsvinduetFoelgerUgeskift) {
  HWND indtast = CreateWindowExA(0, "SkeTestLog", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, 0, 0, 0, nullptr);
  hwndBrikInd = indtast;
  Deltag(AktuelAVS, 'M', anfo[1], laerer);
  struct Tilfaelde {
    const char *navn;
    char tilstand, art;
    UgeIndeks uge;
    bool sendt;
  };
  for (const Tilfaelde &t : std::vector<Tilfaelde>{{"special schedule, new week", 'B', 'P', 11, true},
                                                    {"the same week", 'B', 'P', 10, false},
                                                    {"an ordinary event", 'B', 'S', 11, false},
                                                    {"a teaching role", 'B', 'F', 11, false},
                                                    {"the entry window in another mode", 'L', 'P', 11, false}}) {
    SkeVindue w(SKE_AKTI);
    SkemaPeriode.AktuelUgeIndeks = 10;
    OpdaterSkemaVindue(w.get(), 0);
    BrikIndTilstand = t.tilstand;
    AktuelAVS.Art = t.art;
    SkemaPeriode.AktuelUgeIndeks = t.uge;
    Modtagne().clear();
    OpdaterSkemaVindue(w.get(), 0);
    EXPECT_EQ(Modtagne().size(), t.sendt ? 1u : 0u) << t.navn;
    if (t.sendt) { EXPECT_EQ(Modtagne()[0].msg, static_cast<UINT>(SKE_INDTAST_OPDATER)); }
  }
  BrikIndTilstand = 0;
  DestroyWindow(indtast);
}

TEST_F(SkeRaekker, ByggRaekkerFoelgerVisningen) {
  // All objects in one week: the rows of the week, the current object kept.
  SkeVindue w(SKE_AKTI);
  w->ObjFilter = kAlle;
  ByggRaekker(w.get());
  EXPECT_EQ(Tab(w->Ens.ObjTab, w->Ens.ObjTabAntal), (std::vector<uint32_t>{akti[0], akti[1], akti[2]}));
  EXPECT_EQ(w->UgeAntal, SkemaPeriode.AntalUger);
  w->AktuelObjRaekke = 3;
  Akti(akti[1]).Status = 5;
  ByggRaekker(w.get());
  EXPECT_EQ(Tab(w->Ens.ObjTab, w->Ens.ObjTabAntal), (std::vector<uint32_t>{akti[0], akti[2]}));
  EXPECT_EQ(w->AktuelObjRaekke, 2u);
  Akti(akti[1]).Status = 10;

  // One object in every week: its own weeks and, for an activity, its ring
  // system, which the toolbar is told.
  HWND toolbar = CreateWindowExA(0, "SkeTestLog", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, 0, 0, 0, nullptr);
  Akti(akti[1]).StartUge = 202440;
  Akti(akti[1]).SlutUge = 202442;
  Akti(akti[1]).risy_id = ring;
  SkeVindue o(SKE_AKTI, 'L', false);
  o->ObjFilter = kAlle;
  o->Ens.hwndToolbar = toolbar;
  ByggRaekker(o.get());
  o->AktuelObjRaekke = 2;
  Modtagne().clear();
  ByggRaekker(o.get());
  EXPECT_EQ(Tab(o->Ens.UgeTab, o->UgeAntal), (std::vector<uint32_t>{10, 11, 12}));
  EXPECT_EQ(o->RingSystem, ring);
  ASSERT_EQ(Modtagne().size(), 1u);
  EXPECT_EQ(Modtagne()[0].msg, static_cast<UINT>(RING_VIS_ID));
  EXPECT_EQ(Modtagne()[0].w, ring);
  DestroyWindow(toolbar);

  // A rebuild keeps the current week row in view, 15 pixels a row.
  SkemaPeriode.AktuelUgeIndeks = 30;
  SkeVindue v(SKE_AKTI, 'L', false);
  v->ObjFilter = kAlle;
  v->Ens.RudeH[ENS_CELLER] = 45;
  OpdaterEfterAendring(v.get(), true, false);
  EXPECT_EQ(+v->ObjPos.Antal, SkemaPeriode.AntalUger);
  EXPECT_EQ(+v->ObjPos.Aktuel, 30u);
  const uint32_t scroll = v->Ens.ScrollY;
  EXPECT_LE(scroll, 29u * 15);
  EXPECT_GE(scroll + 45, 30u * 15);
}

// ---- Busy background ----

class Baggrund : public SkeRaekker {
 protected:
  void SetUp() override {
    SkeRaekker::SetUp();
    // The activity on Tuesday, lesson 1; its partner then too, and on
    // Wednesday in lesson 2; a deleted row of the partner on Thursday.
    NyBegivenhed(akti[1], 2, 800, 845);
    NyBegivenhed(akti[2], 2, 800, 845);
    NyBegivenhed(akti[2], 3, 855, 940);
    NyBegivenhed(akti[2], 4, 800, 845, {.status = SKE_EGEN | SKE_SLETTET});
    Elvrel2Rec e{};
    e.akti1_id = akti[2], e.akti2_id = akti[1];
    e.Startdato = 20240801, e.Slutdato = 20250731;
    e.Status = 10;
    Ny(tdelvrel2, tvelvrel2, e);
    uge = UgeTilIndeks(2024 * 100 + kUge);
  }

  // A window of one activity over every week.
  SkeVindue &Vindue(uint32_t objekt, char art = SKE_AKTI, char visning = 'L') {
    w.emplace(art, visning, false);
    (*w)->RingSystem = ring;
    std::vector<uint32_t> alle;
    for (uint32_t i = 1; i <= SkemaPeriode.AntalUger; ++i) alle.push_back(i);
    w->Raekker(alle);
    (*w)->Ens.ObjTab = static_cast<uint32_t *>(calloc(2, sizeof(uint32_t)));
    (*w)->Ens.ObjTab[1] = objekt;
    (*w)->Ens.ObjTabAntal = 1;
    (*w)->AktuelObjRaekke = 1;
    return *w;
  }
  uint8_t Farve(uint8_t dag, uint32_t slot) { return *BaggrundCelle(w->get(), (*w)->FarveTimeTab, uge, dag, slot); }
  uint8_t Prioritet(uint8_t dag, uint32_t slot) {
    return *BaggrundCelle(w->get(), (*w)->PrioritetTimeTab, uge, dag, slot);
  }

  std::optional<SkeVindue> w;
  UgeIndeks uge = 0;
};

TEST_F(Baggrund, AktivitetOgElevsammenfald) {
  struct Tilfaelde {
    const char *navn;
    uint8_t check;
    uint8_t tirsdag1, onsdag2, torsdag1;
  };
  for (const Tilfaelde &t : std::vector<Tilfaelde>{{"check on", 1, 33, 33, 0}, {"check off", 0, 12, 0, 0}}) {
    GlobalIndstillinger.checkelevsammenfald = t.check;
    ByggFarveTimeTab(Vindue(akti[1]).get());
    EXPECT_EQ(Farve(2, 1), t.tirsdag1) << t.navn;
    EXPECT_EQ(Farve(3, 2), t.onsdag2) << t.navn;
    EXPECT_EQ(Farve(4, 1), t.torsdag1) << t.navn;  // the deleted row
    EXPECT_EQ(Farve(2, 2), 0) << t.navn;
  }
  // All objects in one week outside variant 'B': nothing.
  SkeVindue alle(SKE_AKTI);
  alle.Raekker({akti[1], akti[2]});
  ByggFarveTimeTab(alle.get());
  for (uint8_t d = 1; d <= 7; ++d)
    EXPECT_EQ(*BaggrundCelle(alle.get(), alle->FarveTimeTab, akti[1], d, 1), 0);
}

TEST_F(Baggrund, ValgtCellePaaSammenfaldSaetterFlaget) {
  SkeVindue &v = Vindue(akti[1]);
  v->BlokUger = SkemaPeriode.AntalUger + 1;
  v->BlokTab = static_cast<uint8_t *>(calloc(v->BlokUger, kBlokUgeBytes));
  *BlokCelle(v->BlokTab, v->BlokUger, uge, 2, 2) = BLOK_VALGT;  // a free cell
  ByggFarveTimeTab(v.get());
  EXPECT_EQ(ValgtPaaElevsammenfald, 0);
  *BlokCelle(v->BlokTab, v->BlokUger, uge, 3, 2) = BLOK_VALGT;  // the partner's 33
  ByggFarveTimeTab(v.get());
  EXPECT_EQ(ValgtPaaElevsammenfald, 1);
  *BlokCelle(v->BlokTab, v->BlokUger, uge, 3, 2) = 0;
  ByggFarveTimeTab(v.get());
  EXPECT_EQ(ValgtPaaElevsammenfald, 0);
}

TEST_F(Baggrund, MedarbejderKunIOptagendeRolle) {
  const uint32_t optager = Rolle({"U"}), fri = Rolle({"V"});
  predtest::Rec<SkemarolRec>(tvskemarol, optager)->Check_skemasammenfald = 'J';
  predtest::Rec<SkemarolRec>(tvskemarol, fri)->Check_skemasammenfald = 'N';
  SkrivRaekker({{.anfo = anfo[1], .rol = optager}}, {.dag = 1, .start = 800, .slut = 845});
  SkrivRaekker({{.anfo = anfo[1], .rol = fri}}, {.dag = 5, .start = 800, .slut = 845});
  ByggFarveTimeTab(Vindue(anfo[1], SKE_ANFO).get());
  EXPECT_EQ(Farve(1, 1), 18);
  EXPECT_EQ(Farve(5, 1), 0);
}

TEST_F(Baggrund, PrioritetForPartnerAfAndenGruppe) {
  Akti(akti[2]).Gruppe = 2;
  Deltag(AktuelAVS, 'K', akti[1]);
  AktuelAVS.risy_id = ring;
  for (char visning : {'L', 'T'}) {
    SkeVindue &v = Vindue(akti[1], SKE_AKTI, visning);
    v->Variant = 'B';
    ByggFarveTimeTab(v.get());
    const uint8_t prioritet = visning == 'T' ? 107 : 35;
    // Tuesday: the event's own 12 becomes 33; Wednesday: the partner alone.
    uint32_t tirsdag = 1, onsdag = 2;
    if (visning == 'T') {
      tirsdag = 8 * 12 + 1;        // 08:00
      onsdag = 8 * 12 + 11 + 1;    // 08:55
    }
    EXPECT_EQ(Farve(2, tirsdag), 33) << visning;
    EXPECT_EQ(Prioritet(2, tirsdag), 0) << visning;
    EXPECT_EQ(Farve(3, onsdag), 0) << visning;
    EXPECT_EQ(Prioritet(3, onsdag), prioritet) << visning;
  }
  // One group shared: the partner is coloured 33 instead.
  Akti(akti[2]).Gruppe = 1;
  SkeVindue &v = Vindue(akti[2]);
  v->Variant = 'B';
  ByggFarveTimeTab(v.get());
  EXPECT_EQ(Farve(3, 2), 33);
  EXPECT_EQ(Prioritet(3, 2), 0);
}

}  // namespace
