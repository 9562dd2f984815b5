// Painting the schedule grid: the glyph codes of time, lesson and day mode,
// the colour code of a cell with its cursor offset, the computed fields of
// the row headers, the time headers and label, and which cells and headers
// a cursor move repaints. The codes are read from a recording painter.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "LISTETAL.h"
#include "SKEBAGGRUND.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
#include "ske_fixture.h"

namespace {

using namespace sketest;

// Every call a painter gets, kept for the test to read.
class Optager : public SkemaMaler {
 public:
  struct CelleKald {
    uint8_t farve, tegn;
    uint32_t indgang;
  };
  struct TekstKald {
    int x, y, bredde;
    std::string tekst;
  };
  void Celle(int x, int y, int, uint8_t farve, uint8_t tegn, uint32_t indgang) override {
    celler[{x, y}] = {farve, tegn, indgang};
    ++cellerTegnet;
  }
  void Strimmel(int x, int y, int, uint8_t farve, const uint8_t *tegn, uint32_t antal, uint32_t indgang) override {
    strimler[{x, y}] = {farve, std::string(reinterpret_cast<const char *>(tegn), antal)};
    (void)indgang;
  }
  void Tekst(int x, int y, int bredde, const char *tekst, uint8_t) override { tekster.push_back({x, y, bredde, tekst}); }
  void Linie(int x, int, int, uint8_t art) override { linier.emplace_back(x, art); }
  struct BrikKald {
    int x, y, bredde, hoejde;
    uint32_t indgang, linje;
    bool start, slut;
  };
  void Brik(int x, int y, int bredde, int hoejde, uint8_t, uint32_t indgang, uint32_t linje, bool start,
            bool slut) override {
    brikker.push_back({x, y, bredde, hoejde, indgang, linje, start, slut});
  }
  std::vector<BrikKald> brikker;

  // The glyphs of grid row y from x = 0, one per column of the width.
  std::vector<uint8_t> Tegn(int y, uint32_t kolonner, int bredde) const {
    std::vector<uint8_t> ud;
    for (uint32_t k = 0; k < kolonner; ++k) {
      auto i = celler.find({static_cast<int>(k) * bredde, y});
      ud.push_back(i == celler.end() ? 0xEE : i->second.tegn);
    }
    return ud;
  }
  std::vector<std::string> Tekster() const {
    std::vector<std::string> ud;
    for (const auto &t : tekster) ud.push_back(t.tekst);
    return ud;
  }

  std::map<std::pair<int, int>, CelleKald> celler;
  std::map<std::pair<int, int>, std::pair<uint8_t, std::string>> strimler;
  std::vector<TekstKald> tekster;
  std::vector<std::pair<int, uint8_t>> linier;
  uint32_t cellerTegnet = 0;
};

class SkemaTegnTest : public SkeMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    gemt_ = GlobalIndstillinger;
    gemtPeriode_ = SkemaPeriode;
    gemtStart_ = VisStarttid;
    gemtSlut_ = VisSluttid;
  }
  void TearDown() override {
    GlobalIndstillinger = gemt_;
    SkemaPeriode = gemtPeriode_;
    VisStarttid = gemtStart_;
    VisSluttid = gemtSlut_;
    SkeMappe::TearDown();
  }

  static Uge Uge40() { return 202400 + kUge; }

  // Shows weekdays fra..til and cells foerste..sidste of them.
  static void Vis(SkeVindue &w, uint32_t foerste, uint32_t sidste, uint8_t fra = 2, uint8_t til = 2) {
    w->Vis.FoersteSlot = foerste;
    w->Vis.SidsteSlot = sidste;
    w->Vis.FoersteUgedag = fra;
    w->Vis.SidsteUgedag = til;
    w.TidsAkse();
  }

  // The window's week list and its lanes.
  static void Byg(SkeVindue &w) {
    ByggeSkeVisListeUge(w.get(), Uge40());
    MarkerBegivenheder(w.get());
  }

  // The glyphs of row 1 after a full paint.
  static std::vector<uint8_t> TegnRaekke(SkeVindue &w, Optager &o) {
    TegnCeller(w.get(), &o, 1, 1, 1, w->TidPos.Antal);
    return o.Tegn(0, w->TidPos.Antal, w->Visning == 'T' ? kSlotBredde : kLektionBredde);
  }

  // A run of n glyphs: start, middle..., end.
  static std::vector<uint8_t> Brik(uint32_t n, uint8_t start, uint8_t midt, uint8_t slut, uint8_t plus = 0) {
    std::vector<uint8_t> v(n, static_cast<uint8_t>(midt + plus));
    v.front() = static_cast<uint8_t>(start + plus);
    v.back() = static_cast<uint8_t>(slut + plus);
    return v;
  }

  GlobalIndstillingerData gemt_;
  SkemaPeriodeData gemtPeriode_;
  int32_t gemtStart_ = 0, gemtSlut_ = 0;
};

void Foej(std::vector<uint8_t> &v, const std::vector<uint8_t> &d) { v.insert(v.end(), d.begin(), d.end()); }

// ---- Time mode.

TEST_F(SkemaTegnTest, TimeModeGlyphsOfAnActivityRow) {
  // Tuesday 08:00-10:55: a 45-minute lesson, one slot, a lesson with a remark.
  SkrivRaekker({{.akti = akti[0]}}, {.start = 800, .slut = 845});
  SkrivRaekker({{.akti = akti[0]}}, {.start = 900, .slut = 905});
  SkrivRaekker({{.akti = akti[0]}}, {.bem = bem, .start = 1000, .slut = 1030});
  SkeVindue w(SKE_AKTI, 'T');
  w.Raekker({akti[0]});
  Vis(w, 97, 132);
  Byg(w);
  Optager o;
  std::vector<uint8_t> ventet;
  Foej(ventet, Brik(9, '#', '%', '$'));    // 08:00 .. 08:40
  Foej(ventet, std::vector<uint8_t>(3, 0));
  Foej(ventet, {'@'});                     // 09:00
  Foej(ventet, std::vector<uint8_t>(11, 0));
  Foej(ventet, Brik(6, '#', '%', '$', 64));  // 10:00 .. 10:25
  Foej(ventet, std::vector<uint8_t>(6, 0));
  EXPECT_EQ(TegnRaekke(w, o), ventet);
}

TEST_F(SkemaTegnTest, TimeModeGlyphsFollowTheEmployeesRole) {
  struct {
    const char *rolle;
    char poster;
    uint8_t start, slut;
  } const tilfaelde[] = {
      {"U", 'J', '#', '$'},
      {"U", 'N', '5', '6'},
      {"AK", 'J', '3', '4'},
  };
  uint8_t uge = kUge + 1;  // each case its own week
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::string(t.rolle) + t.poster);
    const uint32_t rol = Rolle({t.rolle});
    TabRec<SkemarolRec>(tvskemarol, rol)->Genererer_timeposter = t.poster;
    SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = rol, .minut = 45}}, {.start = 800, .slut = 845}, kAar,
                 uge);
    SkeVindue w(SKE_ANFO, 'T');
    w.Raekker({anfo[0]});
    Vis(w, 97, 105);
    ByggeSkeVisListeUge(w.get(), 202400 + uge);
    MarkerBegivenheder(w.get());
    Optager o;
    EXPECT_EQ(TegnRaekke(w, o), Brik(9, t.start, '%', t.slut));
    ++uge;
  }
}

// The events of one chain, built by hand: lane, cells, flags.
struct Beg {
  uint32_t spor = 1, fra = 0, til = 0;
  uint8_t klasse = 3, sammenfald = 0, check = 1, poster = 1, ak = 0, bem = 0, startNaer = 0, slutNaer = 0;
  uint8_t ejer = kEgen;
  uint32_t status = SKE_EGEN;
};

std::vector<Begivenhed> Kaede(const std::vector<Beg> &bs) {
  std::vector<Begivenhed> ud;
  uint32_t n = 0;
  for (const Beg &b : bs) {
    Begivenhed e{};
    e.Indgang = ++n;
    e.Spor = b.spor;
    e.FoersteCelle = b.fra;
    e.SidsteCelle = b.til;
    e.Klasse = b.klasse;
    e.Sammenfald = b.sammenfald;
    e.SammenfaldsCheck = b.check;
    e.PosterTid = b.poster;
    e.AKRolle = b.ak;
    e.Bem = b.bem;
    e.StartNaerSlut = b.startNaer;
    e.SlutNaerSlut = b.slutNaer;
    e.Ejer = b.ejer;
    e.Status = b.status;
    ud.push_back(e);
  }
  return ud;
}

TEST_F(SkemaTegnTest, TimeModeLanesOverlapAndLayers) {
  struct {
    const char *navn;
    std::vector<Beg> kaede;
    bool lag;
    uint32_t raekkeLag, slot;
    uint8_t kode;
  } const tilfaelde[] = {
      {"middle alone", {{.fra = 10, .til = 20}}, false, 1, 15, '%'},
      {"middle, another lane too", {{.fra = 10, .til = 20}, {.spor = 2, .fra = 14, .til = 16}}, false, 1, 15, '&'},
      {"middle, overlapping", {{.fra = 10, .til = 20, .sammenfald = 1}}, false, 1, 15, 254},
      {"overlapping with a remark", {{.fra = 10, .til = 20, .sammenfald = 1, .bem = 1}}, false, 1, 10, '#'},
      {"remark adds 64", {{.fra = 10, .til = 20, .bem = 1}}, false, 1, 20, '$' + 64},
      {"one slot with a remark", {{.fra = 10, .til = 10, .bem = 1}}, false, 1, 10, '@' + 64},
      {"only another lane", {{.spor = 2, .fra = 10, .til = 20}}, false, 1, 15, '!'},
      {"nothing", {{.fra = 10, .til = 20}}, false, 1, 25, 0},
      {"layers: empty cell", {{.fra = 10, .til = 20}}, true, 1, 25, 255},
      {"layers: the other lane's row", {{.fra = 10, .til = 20}}, true, 2, 15, 255},
      {"layers: middle checked", {{.fra = 10, .til = 20}}, true, 1, 15, '&'},
      {"layers: middle exempt", {{.fra = 10, .til = 20, .check = 0}}, true, 1, 15, '%'},
      {"layers: second lane's row", {{.fra = 10, .til = 20}, {.spor = 2, .fra = 12, .til = 16, .check = 0}}, true, 2,
       12, '#'},
      {"layers: remark adds nothing", {{.fra = 10, .til = 20, .bem = 1}}, true, 1, 20, '$'},
  };
  SkeVindue w(SKE_AKTI, 'T');
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    w->LagVis = t.lag;
    const auto k = Kaede(t.kaede);
    uint32_t indgang = 99;
    EXPECT_EQ(+TidTegnKode(w.get(), k.data(), static_cast<uint32_t>(k.size()), t.raekkeLag, t.slot, &indgang),
              +t.kode);
  }
}

// ---- Lesson mode.

TEST_F(SkemaTegnTest, LessonModeGlyphs) {
  enum { Egen = SKE_EGEN, Byt = SKE_EGEN | SKE_MAERKE2 };
  struct {
    const char *navn;
    std::vector<Beg> kaede;
    bool lag;
    uint8_t visbytflyt;
    uint32_t celle;
    uint8_t kode;
  } const tilfaelde[] = {
      {"by lesson", {{.fra = 3, .til = 3, .klasse = 2}}, false, 1, 3, '$'},
      {"by lesson, posts no time", {{.fra = 3, .til = 3, .klasse = 2, .poster = 0}}, false, 1, 3, 'K'},
      {"by lesson, AK role", {{.fra = 3, .til = 3, .klasse = 2, .ak = 1}}, false, 1, 3, 'T'},
      {"by time, inside", {{.fra = 2, .til = 4}}, false, 1, 3, '('},
      {"by time, ends here near the end", {{.fra = 2, .til = 4, .slutNaer = 1}}, false, 1, 4, ','},
      {"by time, ends here early", {{.fra = 2, .til = 4}}, false, 1, 4, '0'},
      {"by time, starts here", {{.fra = 2, .til = 4}}, false, 1, 2, '4'},
      {"by time, starts late", {{.fra = 2, .til = 4, .startNaer = 1}}, false, 1, 2, '8'},
      {"by time, within the cell", {{.fra = 3, .til = 3}}, false, 1, 3, '<'},
      {"by time, within, ends near", {{.fra = 3, .til = 3, .slutNaer = 1}}, false, 1, 3, 'D'},
      {"by time, within, starts near", {{.fra = 3, .til = 3, .startNaer = 1, .slutNaer = 1}}, false, 1, 3, '@'},
      {"no lesson adds 56", {{.fra = 3, .til = 3, .klasse = 1}}, false, 1, 3, '<' + 56},
      {"overlap adds 2", {{.fra = 3, .til = 3, .klasse = 2, .sammenfald = 1}}, false, 1, 3, '$' + 2},
      {"another lane adds 1", {{.fra = 3, .til = 3, .klasse = 2}, {.spor = 2, .fra = 3, .til = 3}}, false, 1, 3,
       '$' + 1},
      {"only another lane", {{.spor = 2, .fra = 3, .til = 3}}, false, 1, 3, ' '},
      {"empty", {{.fra = 3, .til = 3}}, false, 1, 5, 0},
      {"layers: checked adds 1", {{.fra = 3, .til = 3, .klasse = 2}}, true, 1, 3, '$' + 1},
      {"layers: exempt", {{.fra = 3, .til = 3, .klasse = 2, .check = 0}}, true, 1, 3, '$'},
      {"layers: empty", {{.spor = 2, .fra = 3, .til = 3}}, true, 1, 3, 0},
      {"remark adds 128", {{.fra = 3, .til = 3, .klasse = 2, .bem = 1}}, false, 1, 3, '$' + 128},
      {"overlap and remark", {{.fra = 3, .til = 3, .klasse = 2, .sammenfald = 1, .bem = 1}}, false, 1, 3, '$' + 2},
      {"own with 4096", {{.fra = 3, .til = 3, .klasse = 2, .status = Byt}}, false, 1, 3, '$' + 128},
      {"own with 4096, visbytflyt off", {{.fra = 3, .til = 3, .klasse = 2, .status = Byt}}, false, 0, 3, '$'},
      {"another's with 4096", {{.fra = 3, .til = 3, .klasse = 2, .ejer = uint8_t{kEgen + 1}, .status = Byt}}, false, 1, 3,
       '$'},
      {"bit 128", {{.fra = 3, .til = 3, .klasse = 2, .status = SKE_AUTOSKEMA}}, false, 0, 3, '$' + 128},
      {"bit 512", {{.fra = 3, .til = 3, .klasse = 2, .status = static_cast<uint32_t>(Egen) | SKE_UNTIS}}, false, 0, 3, '$' + 128},
      {"no lesson, overlap, automatic", {{.fra = 3, .til = 4, .klasse = 1, .sammenfald = 1, .status = SKE_AUTOSKEMA}},
       false, 1, 3, '4' + 56 + 2},
  };
  SkeVindue w(SKE_AKTI, 'L');
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    w->LagVis = t.lag;
    GlobalIndstillinger.visbytflyt = t.visbytflyt;
    const auto k = Kaede(t.kaede);
    uint32_t indgang = 99;
    EXPECT_EQ(+LektionTegnKode(w.get(), k.data(), static_cast<uint32_t>(k.size()), 1, t.celle, &indgang), +t.kode);
  }
}

TEST_F(SkemaTegnTest, LessonModePaintsTheEventsOfTheRow) {
  SkrivRaekker({{.akti = akti[0]}}, {.dag = 2, .lektion = 3, .start = 950, .slut = 1035});
  SkrivRaekker({{.akti = akti[0]}}, {.bem = bem, .dag = 2, .lektion = 5, .start = 1140, .slut = 1225});
  SkeVindue w(SKE_AKTI, 'L');
  w->RingSystem = Ringesystem({});
  w.Raekker({akti[0]});
  Vis(w, 1, 6);
  Byg(w);
  Optager o;
  EXPECT_EQ(TegnRaekke(w, o), (std::vector<uint8_t>{0, 0, '$', 0, '$' + 128, 0}));
  EXPECT_EQ(o.celler.at({2 * kLektionBredde, 0}).indgang, 1u);
}

TEST_F(SkemaTegnTest, EventsOutsideTheDayPaintOnlyTheGridsCells) {
  // A lesson past the ring system's 48 and times past midnight.
  SkrivRaekker({{.akti = akti[0]}}, {.dag = 2, .lektion = 200, .start = 2330, .slut = 2590});
  SkrivRaekker({{.akti = akti[0]}}, {.dag = 2, .start = 2355, .slut = 9999});
  for (char visning : {'L', 'T', 'D'}) {
    SCOPED_TRACE(visning);
    SkeVindue w(SKE_AKTI, visning);
    w->RingSystem = Ringesystem({});
    w.Raekker({akti[0]});
    const uint32_t sidste = visning == 'T' ? kSlotsPrDag : kLektionerPrDag;
    Vis(w, sidste - 3, sidste, 2, 2);
    Byg(w);
    Optager o;
    TegnCeller(w.get(), &o, 1, 1, 1, w->TidPos.Antal);
    const int bredde = static_cast<int>(visning == 'T' ? kSlotBredde : visning == 'D' ? 4 * kLektionBredde
                                                                                          : kLektionBredde);
    for (const auto &[xy, c] : o.celler) {
      EXPECT_EQ(xy.second, 0);
      EXPECT_GE(xy.first, 0);
      EXPECT_LT(xy.first, static_cast<int>(w->TidPos.Antal) * bredde);
    }
    for (const auto &[xy, c] : o.strimler) EXPECT_EQ(xy, std::make_pair(0, 0));
    EXPECT_EQ(o.celler.size() + o.strimler.size(), +w->TidPos.Antal);
  }
}

// ---- Day mode.

TEST_F(SkemaTegnTest, DayModeSegmentsAndStrip) {
  VisStarttid = 800;
  VisSluttid = 1600;
  struct {
    uint32_t lektioner;
    std::vector<std::pair<Klokkeslaet, Klokkeslaet>> segmenter;
  } const deling[] = {
      {8, {{800, 900}, {900, 1000}, {1000, 1100}, {1100, 1200}, {1200, 1300}, {1300, 1400}, {1400, 1500}, {1500, 1600}}},
      // 480 minutes in 7: 68 each, the 4 left over go to the last.
      {7, {{800, 908}, {908, 1016}, {1016, 1124}, {1124, 1232}, {1232, 1340}, {1340, 1448}, {1448, 1600}}},
  };
  SkeVindue w(SKE_AKTI, 'D');
  for (const auto &d : deling) {
    SCOPED_TRACE(d.lektioner);
    w->Vis.FoersteSlot = 1;
    w->Vis.SidsteSlot = d.lektioner;
    DagSegmenter seg;
    ASSERT_TRUE(DelDagen(w.get(), &seg));
    std::vector<std::pair<Klokkeslaet, Klokkeslaet>> faaet;
    for (uint32_t i = 1; i <= seg.Antal; ++i) faaet.emplace_back(seg.Start[i], seg.Slut[i]);
    EXPECT_EQ(faaet, d.segmenter);
  }

  // Four segments: the chain's last event decides the strip; the colour is
  // the first event of the row's lane over the whole first segment.
  w->Vis.SidsteSlot = 4;  // 800-1000-1200-1400-1600
  DagSegmenter seg;
  ASSERT_TRUE(DelDagen(w.get(), &seg));
  auto Strip = [&](std::vector<Begivenhed> k, uint32_t *farve) {
    uint8_t tegn[kLektionerPrDag + 1];
    DagStrimmel(w.get(), k.data(), static_cast<uint32_t>(k.size()), 1, seg, tegn, farve);
    return std::string(reinterpret_cast<char *>(tegn + 1), seg.Antal);
  };
  auto Tid = [](std::vector<Begivenhed> k, std::vector<std::pair<Klokkeslaet, Klokkeslaet>> tider) {
    for (size_t i = 0; i < k.size(); ++i) {
      k[i].Starttid = tider[i].first;
      k[i].Sluttid = tider[i].second;
    }
    return k;
  };
  uint32_t farve = 0;
  EXPECT_EQ(Strip({}, &farve), "____");
  EXPECT_EQ(farve, 0u);
  EXPECT_EQ(Strip(Tid(Kaede({{.check = 0, .slutNaer = 1}}), {{800, 1600}}), &farve), "4((,");
  EXPECT_EQ(farve, 1u);
  const std::string klasse1 = {'4' + 56 + 1, '(' + 56 + 1, '(' + 56 + 1, '0' + 56 + 1};
  EXPECT_EQ(Strip(Tid(Kaede({{.check = 0, .slutNaer = 1}, {.klasse = 1}}), {{900, 1000}, {1000, 1100}}), &farve),
            klasse1);
  EXPECT_EQ(farve, 0u);
  EXPECT_EQ(Strip(Tid(Kaede({{.check = 0, .startNaer = 1}, {.spor = 2}, {.check = 0}}), {{1200, 1300}, {700, 1700}, {800, 1000}}),
                  &farve),
            "4((0");
  EXPECT_EQ(farve, 3u);
}

// ---- Colours.

TEST_F(SkemaTegnTest, CellColours) {
  const UgeIndeks jul = UgeTilIndeks(202452);  // Wednesday 25 December
  ASSERT_NE(jul, 0u);
  SkeVindue w(SKE_AKTI, 'L');
  w.Raekker({akti[0]});
  const uint32_t r = akti[0];
  w->Ens.UgeTab = static_cast<uint32_t *>(calloc(2, sizeof(uint32_t)));
  w->Ens.UgeTab[1] = jul;
  w->UgeAntal = 1;
  w->AktuelUgeRaekke = 1;
  w->FarveDagNoegler = tvakti.wRecCnt;
  w->FarveDagTab = static_cast<uint8_t *>(calloc(w->FarveDagNoegler * 7, 1));
  w->FarveTimeRaekker = tvakti.wRecCnt;
  w->FarveTimeBredde = BaggrundCellerPrDag(w.get()) * 7 + 7;
  w->FarveTimeTab = static_cast<uint8_t *>(calloc(w->FarveTimeRaekker * w->FarveTimeBredde, 1));
  w->BlokUger = SkemaPeriode.AntalUger + 1;
  w->BlokTab = static_cast<uint8_t *>(calloc(w->BlokUger * kBlokUgeBytes, 1));
  w->PotTab = static_cast<uint8_t *>(calloc(w->BlokUger * kBlokUgeBytes, 1));
  w->lpSkeVisListe = static_cast<SkeVisListe *>(calloc(2, sizeof(SkeVisListe)));
  w->SkeVisAntal = w->SkeVisKapacitet = 1;

  enum Blok { Fri, Valgt, Pot };
  struct {
    const char *navn;
    uint8_t dag;        // weekday
    uint8_t dagFarve, tidFarve, indgangFarve;
    Blok blok;
    char art, variant, tilstand;
    uint8_t hellig, elevCheck;
    uint8_t farve;
  } const tilfaelde[] = {
      {"nothing", 2, 0, 0, 0, Fri, 'K', 'N', 'V', 1, 1, 0},
      {"the event's colour wins", 2, 9, 0, FARVE_FUNDET, Valgt, 'K', 'N', 'V', 1, 1, FARVE_FUNDET},
      {"day colour", 2, 9, 0, 0, Fri, 'K', 'N', 'V', 1, 1, 9},
      {"blocked, no day colour", 2, 0, 0, 0, Valgt, 'K', 'N', 'V', 1, 1, 3},
      {"blocked, day colour 58", 2, 58, 0, 0, Valgt, 'K', 'N', 'V', 1, 1, 3},
      {"blocked, another day colour", 2, 15, 0, 0, Valgt, 'K', 'N', 'V', 1, 1, 15},
      {"day colour 58, not blocked", 2, 58, 0, 0, Fri, 'K', 'N', 'V', 1, 1, 58},
      {"second set while changing", 2, 0, 0, 0, Pot, 'K', 'N', 'R', 1, 1, FARVE_FUNDET},
      {"second set, day colour 58", 2, 58, 0, 0, Pot, 'K', 'N', 'R', 1, 1, 58},
      {"second set while viewing", 2, 0, 0, 0, Pot, 'K', 'N', 'V', 1, 1, 0},
      {"time colour only embedded", 2, 0, BAGGRUND_ANFO, 0, Fri, 'K', 'N', 'V', 1, 1, 0},
      {"embedded: time colour", 2, 0, BAGGRUND_ANFO, 0, Fri, 'K', 'B', 'V', 1, 1, BAGGRUND_ANFO},
      {"embedded: day colour first", 2, 9, BAGGRUND_ANFO, 0, Fri, 'K', 'B', 'V', 1, 1, 9},
      {"student overlap", 2, 0, '!', 0, Fri, 'K', 'N', 'V', 1, 1, 33},
      {"student overlap, check off", 2, 0, '!', 0, Fri, 'K', 'N', 'V', 1, 0, 0},
      {"student overlap, employee view", 2, 0, '!', 0, Fri, 'M', 'N', 'V', 1, 1, 0},
      {"holiday marked", 3, 0, 0, 0, Fri, 'K', 'N', 'V', 1, 1, 6},
      {"holiday not marked", 3, 0, 0, 0, Fri, 'K', 'N', 'V', 0, 1, 0},
      {"holiday with a day colour", 3, 9, 0, 0, Fri, 'K', 'N', 'V', 1, 1, 9},
  };
  const uint32_t celle = 4;
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    memset(w->FarveDagTab, 0, w->FarveDagNoegler * 7);
    memset(w->BlokTab, 0, w->BlokUger * kBlokUgeBytes);
    memset(w->PotTab, 0, w->BlokUger * kBlokUgeBytes);
    memset(w->FarveTimeTab, 0, w->FarveTimeRaekker * w->FarveTimeBredde);
    w->FarveDagTab[r * 7 + t.dag - 1] = t.dagFarve;
    *BaggrundCelle(w.get(), w->FarveTimeTab, r, t.dag, celle) = t.tidFarve;
    if (t.blok == Valgt) *BlokCelle(w->BlokTab, w->BlokUger, jul, t.dag, celle) = BLOK_VALGT;
    if (t.blok == Pot) *BlokCelle(w->PotTab, w->BlokUger, jul, t.dag, celle) = BLOK_VALGT;
    w->lpSkeVisListe[1].FarveKode = t.indgangFarve;
    w->ObjektArt = t.art;
    w->Variant = t.variant;
    w->Tilstand = t.tilstand;
    GlobalIndstillinger.markerhellig = t.hellig;
    GlobalIndstillinger.checkelevsammenfald = t.elevCheck;
    EXPECT_EQ(+CelleFarve(w.get(), r, t.indgangFarve ? 1 : 0, t.dag, celle), +t.farve);
  }
  // Another cell of a blocked day is not blocked.
  *BlokCelle(w->BlokTab, w->BlokUger, jul, 2, celle) = BLOK_VALGT;
  EXPECT_EQ(+CelleFarve(w.get(), r, 0, 2, celle + 1), 0);
}

TEST_F(SkemaTegnTest, TheCursorAddsOneOrTwo) {
  SkeVindue w(SKE_AKTI, 'L');
  w.Raekker({akti[0]});
  Vis(w, 1, 4);
  w->FarveDagNoegler = tvakti.wRecCnt;
  w->FarveDagTab = static_cast<uint8_t *>(calloc(w->FarveDagNoegler * 7, 1));
  w->ObjPos.Aktuel = 1;
  w->TidPos.Aktuel = 2;
  struct {
    uint8_t aktiv, dagFarve, farve;
  } const tilfaelde[] = {{1, 0, 1}, {0, 0, 2}, {1, 9, 10}, {0, 9, 11}, {1, 58, 1}, {0, 58, 2}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << +t.aktiv << " " << +t.dagFarve);
    w->Ens.Aktiv = t.aktiv;
    w->FarveDagTab[akti[0] * 7 + 1] = t.dagFarve;
    Optager o;
    TegnCeller(w.get(), &o, 1, 1, 1, 4);
    EXPECT_EQ(+o.celler.at({kLektionBredde, 0}).farve, +t.farve);
    EXPECT_EQ(+o.celler.at({0, 0}).farve, +t.dagFarve);
  }
  // On an event the cursor adds to the event's colour.
  SkrivRaekker({{.akti = akti[0]}}, {.dag = 2, .lektion = 2, .start = 855, .slut = 940});
  Byg(w);
  w->lpSkeVisListe[1].FarveKode = FARVE_FUNDET;
  w->Ens.Aktiv = 1;
  Optager o;
  TegnCeller(w.get(), &o, 1, 1, 1, 4);
  EXPECT_EQ(+o.celler.at({kLektionBredde, 0}).farve, FARVE_FUNDET + 1);
  EXPECT_EQ(+o.celler.at({kLektionBredde, 0}).tegn, '$');
}

TEST_F(SkemaTegnTest, HolidayNamesAreWrittenIntoTheirCells) {
  const UgeIndeks jul = UgeTilIndeks(202452);
  SkeVindue w(SKE_AKTI, 'D', false);
  w.Raekker({jul});
  Vis(w, 1, 8, 1, 7);
  for (uint8_t hellig : {1, 0}) {
    GlobalIndstillinger.markerhellig = hellig;
    Optager o;
    TegnCeller(w.get(), &o, 1, 1, 1, 7);
    if (hellig) {
      EXPECT_EQ(o.Tekster(), (std::vector<std::string>{"Juledag", "2. juledag"}));
    }
    else
      EXPECT_TRUE(o.tekster.empty());
  }
  EXPECT_STREQ(HelligdagNavn(Helligdag(20250418)), "Langfredag");
  EXPECT_STREQ(HelligdagNavn(0), "");
  EXPECT_STREQ(HelligdagNavn(12), "");
}

// ---- Row header fields.

TEST_F(SkemaTegnTest, ComputedRowHeaderFields) {
  const UgeIndeks w40 = UgeTilIndeks(Uge40());
  // Week rows of one activity: weeks 39, 40 and 41 of 2024.
  SkeVindue w(SKE_AKTI, 'L', false);
  w.Raekker({w40 - 1, w40, w40 + 1});
  w->Ens.ObjTab = static_cast<uint32_t *>(calloc(3, sizeof(uint32_t)));
  w->Ens.ObjTab[1] = akti[0];
  w->Ens.ObjTab[2] = akti[1];
  w->Ens.ObjTabAntal = 2;
  w->AktuelObjRaekke = 1;
  Vis(w, 3, 6, 2, 3);  // Tuesday and Wednesday, lessons 3..6
  SkemaPeriode.AktuelDatoIndeks = w40;
  SkemaPeriode.LaasUge = Uge40();
  const uint32_t n = SkemaPeriode.AntalUger + 1;
  w->MarkRaekker = n;
  w->SammenfaldTab = static_cast<uint8_t *>(calloc(n, 1));
  w->SporTab = static_cast<uint32_t *>(calloc(n, sizeof(uint32_t)));
  w->FoersteCelleTab = static_cast<uint32_t *>(calloc(n, sizeof(uint32_t)));
  w->SidsteCelleTab = static_cast<uint32_t *>(calloc(n, sizeof(uint32_t)));
  w->LagAntalStr = n;
  w->LagAntal = static_cast<uint32_t *>(calloc(n, sizeof(uint32_t)));
  w->LagTabNo = static_cast<uint32_t *>(calloc(4, sizeof(uint32_t)));
  AllokerPlanTalUgeTab();

  enum Opsaet { Ingen, Sammenfald, Spor3, Spor12, Lag1, Lag12, Foer, Efter, Begge, Inden, Tal };
  struct {
    const char *navn;
    uint32_t felt, tegn;
    uint32_t raekke;  // 1: week 39, 2: week 40, 3: week 41
    Opsaet opsaet;
    const char *tekst;
  } const tilfaelde[] = {
      {"223 one lane", 223, 1, 2, Ingen, " "},
      {"223 overlap", 223, 1, 2, Sammenfald, "P"},
      {"223 three lanes", 223, 1, 2, Spor3, "3"},
      {"223 twelve lanes", 223, 1, 2, Spor12, "*"},
      {"223 layers, one", 223, 1, 2, Lag1, " "},
      {"223 layers, third of twelve", 223, 1, 2, Lag12, "3"},
      {"242 before the work week", 242, 4, 1, Ingen, "2024"},
      {"242 the work week", 242, 4, 2, Ingen, "#!#%"},
      {"243 up to the lock week", 243, 2, 2, Ingen, "40"},
      {"243 after it", 243, 2, 3, Ingen, "%\""},
      {"243 before it", 243, 2, 1, Ingen, "39"},
      {"279 none", 279, 1, 2, Ingen, " "},
      {"279 inside", 279, 1, 2, Inden, " "},
      {"279 before", 279, 1, 2, Foer, ";"},
      {"279 after", 279, 1, 2, Efter, ":"},
      {"279 both", 279, 1, 2, Begge, "="},
      {"355 none", 355, 2, 2, Ingen, "  -"},
      {"355 rounded down", 355, 2, 2, Tal, "  4"},
      {"355 rounded half up", 355, 2, 3, Tal, " 13"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    const uint32_t k = w40 - 2 + t.raekke;
    memset(w->SammenfaldTab, 0, n);
    for (uint32_t i = 0; i < n; ++i) w->SporTab[i] = w->LagAntal[i] = 1;
    memset(w->FoersteCelleTab, 0, n * sizeof(uint32_t));
    memset(w->SidsteCelleTab, 0, n * sizeof(uint32_t));
    w->LagVis = 0;
    w->LagTabNo[t.raekke] = 1;
    PlanTalUgeTab[w40].Lektioner = 0;
    PlanTalUgeTab[w40 + 1].Lektioner = 0;
    // Visible: Tuesday 3 (48 + 3) to Wednesday 6 (96 + 6).
    auto Celler = [&](uint32_t fra, uint32_t til) {
      w->FoersteCelleTab[k] = fra;
      w->SidsteCelleTab[k] = til;
    };
    switch (t.opsaet) {
      case Sammenfald: w->SammenfaldTab[k] = 1; w->SporTab[k] = 2; break;
      case Spor3: w->SporTab[k] = 3; break;
      case Spor12: w->SporTab[k] = 12; break;
      case Lag1: w->LagVis = 1; break;
      case Lag12: w->LagVis = 1; w->LagAntal[k] = 12; w->LagTabNo[t.raekke] = 3; break;
      case Inden: Celler(48 + 3, 96 + 6); break;
      case Foer: Celler(48 + 2, 96 + 6); break;
      case Efter: Celler(48 + 3, 96 + 7); break;
      case Begge: Celler(1, 4 * 48); break;
      case Tal: PlanTalUgeTab[w40].Lektioner = 44; PlanTalUgeTab[w40 + 1].Lektioner = 125; break;
      case Ingen: break;
    }
    SkemaRaekkeArg arg{w.get(), t.raekke};
    SwitchFelt sf{};
    sf.FeltNr = t.felt;
    sf.Tegn = t.tegn;
    char tekst[kSwitchTekstLen];
    memset(tekst, ' ', kSwitchMaksTegn);
    tekst[kSwitchMaksTegn] = '\0';
    uint8_t moenster = 0, farve = 16;
    SkemaRaekkeTekst(&arg, &sf, 0, tekst, &moenster, &farve);
    EXPECT_EQ(std::string(tekst, strlen(t.tekst)), t.tekst);
  }
}

TEST_F(SkemaTegnTest, EmployeeLessonsAndHoursOfTheWeek) {
  const uint32_t u = Rolle({"U"});
  const UgeIndeks w40 = UgeTilIndeks(Uge40());
  SkeVindue w(SKE_ANFO, 'L');
  w.Raekker({anfo[0], anfo[1], anfo[2]});
  w->Ens.UgeTab = static_cast<uint32_t *>(calloc(2, sizeof(uint32_t)));
  w->Ens.UgeTab[1] = w40;
  w->UgeAntal = 1;
  w->AktuelUgeRaekke = 1;
  // Employee 1: 1.5 + 1 lessons, 3 x 23:59 hours; employee 2: 5 x 23:59.
  SkrivRaekker({{.anfo = anfo[0], .rol = u}}, {.start = 0, .slut = 2359, .std = 1.5f});
  SkrivRaekker({{.anfo = anfo[0], .rol = u}}, {.start = 0, .slut = 2359, .std = 1.0f});
  SkrivRaekker({{.anfo = anfo[0], .rol = u}}, {.start = 0, .slut = 2359, .std = 0.4f});
  for (int i = 0; i < 5; ++i) SkrivRaekker({{.anfo = anfo[1], .rol = u}}, {.start = 0, .slut = 2359});
  SkrivRaekker({{.anfo = anfo[2], .rol = u}}, {.start = 800, .slut = 845});
  struct {
    uint32_t raekke, felt;
    const char *tekst;
    uint8_t farve;
  } const tilfaelde[] = {
      {1, 369, "  3", 16},  // 2.9 lessons
      {2, 369, "  5", 16},
      {3, 369, "  1", 16},
      {1, 370, "72", 8},    // 71.95 hours
      {2, 370, "##", 8},    // 119.9 hours
      {3, 370, " 1", 16},   // 0.75 hours
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << t.raekke << " " << t.felt);
    SkemaRaekkeArg arg{w.get(), t.raekke};
    SwitchFelt sf{};
    sf.FeltNr = t.felt;
    sf.Tegn = 3;
    char tekst[kSwitchTekstLen];
    memset(tekst, ' ', kSwitchMaksTegn);
    tekst[kSwitchMaksTegn] = '\0';
    uint8_t moenster = 0, farve = 16;
    SkemaRaekkeTekst(&arg, &sf, 0, tekst, &moenster, &farve);
    EXPECT_EQ(std::string(tekst, strlen(t.tekst)), t.tekst);
    EXPECT_EQ(+farve, +t.farve);
  }
}

// ---- Time headers and the label.

TEST_F(SkemaTegnTest, TimeHeadersLabelEveryHourButTheDaysFirst) {
  SkeVindue w(SKE_AKTI, 'T');
  w.Raekker({akti[0]});
  Vis(w, 85, 132, 2, 3);  // 07:00 .. 10:55 on Tuesday and Wednesday
  w->TidPos.Aktuel = 0;
  Optager o;
  TegnTidsHoved(w.get(), &o, 1, w->TidPos.Antal);
  std::vector<std::tuple<int, std::string>> timer;
  for (const auto &t : o.tekster) timer.emplace_back(t.x, t.tekst);
  const int dag = 48 * kSlotBredde;
  const std::vector<std::tuple<int, std::string>> ventet = {
      {0, "Tir"}, {12 * kSlotBredde, " 8.00"}, {24 * kSlotBredde, " 9.00"}, {36 * kSlotBredde, "10.00"},
      {dag, "Ons"}, {dag + 12 * kSlotBredde, " 8.00"}, {dag + 24 * kSlotBredde, " 9.00"},
      {dag + 36 * kSlotBredde, "10.00"}};
  EXPECT_EQ(timer, ventet);
  // Grid lines: a day separator at each day's start, the hours, halves and quarters.
  EXPECT_EQ(o.linier[0], std::make_pair(0, uint8_t{4}));
  EXPECT_EQ(o.linier[3], std::make_pair(3 * static_cast<int>(kSlotBredde), uint8_t{1}));
  EXPECT_EQ(o.linier[6], std::make_pair(6 * static_cast<int>(kSlotBredde), uint8_t{2}));
  EXPECT_EQ(o.linier[12], std::make_pair(12 * static_cast<int>(kSlotBredde), uint8_t{3}));
  EXPECT_EQ(o.linier[48], std::make_pair(dag, uint8_t{4}));

  // The current cell: its own time, or its block's span.
  w->ObjPos.Aktuel = 1;
  w->TidPos.Aktuel = 15;  // Tuesday 08:10
  auto Aktuel = [&] {
    Optager a;
    TegnTidsHoved(w.get(), &a, 15, 15);
    return a.Tekster();
  };
  EXPECT_EQ(Aktuel(), (std::vector<std::string>{"Tir", " 8.10"}));
  w->BlokUger = SkemaPeriode.AntalUger + 1;
  w->BlokTab = static_cast<uint8_t *>(calloc(w->BlokUger * kBlokUgeBytes, 1));
  for (uint32_t s = 98; s <= 103; ++s) *BlokCelle(w->BlokTab, w->BlokUger, SkeAktuelUgeIndeks(w.get()), 2, s) = BLOK_VALGT;
  EXPECT_EQ(Aktuel(), (std::vector<std::string>{"Tir", "08.05-08.35"}));
}

TEST_F(SkemaTegnTest, TheTimeLabelStaysInsideTheWindow) {
  SkeVindue w(SKE_AKTI, 'L');
  w->RingSystem = Ringesystem({});
  w.Raekker({akti[0]});
  Vis(w, 1, 8, 2, 3);
  w->TidPos.Aktuel = 0;
  char tekst[32];
  EXPECT_FALSE(TidsEtiketTekst(w.get(), tekst, sizeof tekst));
  w->ObjPos.Aktuel = 1;
  w->TidPos.Aktuel = 2;
  ASSERT_TRUE(TidsEtiketTekst(w.get(), tekst, sizeof tekst));
  EXPECT_STREQ(tekst, "08.55-09.40");
  const int b = 11 * 8;
  struct {
    uint32_t kolonne;
    int areal, x;
  } const tilfaelde[] = {
      {2, 400, 2 * kLektionBredde + 2},           // right of the column
      {16, 200, 15 * kLektionBredde - b - 2},     // no room: left of it
      {1, 60, 0},                                 // neither: at the window's edge
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.kolonne);
    w->TidPos.Aktuel = t.kolonne;
    Optager o;
    ASSERT_TRUE(TegnTidsEtiket(w.get(), &o, t.areal));
    ASSERT_EQ(o.tekster.size(), 1u);
    EXPECT_EQ(o.tekster[0].x, t.x);
  }
  // Time mode: the slot's five minutes.
  SkeVindue t(SKE_AKTI, 'T');
  t.Raekker({akti[0]});
  Vis(t, 97, 120);
  t->ObjPos.Aktuel = 1;
  t->TidPos.Aktuel = 12;
  ASSERT_TRUE(TidsEtiketTekst(t.get(), tekst, sizeof tekst));
  EXPECT_STREQ(tekst, "08.55-09.00");
}

// ---- Cells, columns and repaints.

TEST_F(SkemaTegnTest, CellAndColumnArithmetic) {
  EXPECT_EQ(CellerPrDag('L'), 48u);
  EXPECT_EQ(CellerPrDag('D', true), 336u);
  EXPECT_EQ(CellerPrDag('T'), 288u);
  EXPECT_EQ(CellerPrDag('T', true), 2016u);
  SkeVindue w(SKE_AKTI, 'T');
  Vis(w, 97, 120, 2, 4);
  EXPECT_EQ(KolonnerPrDag(w.get()), 24u);
  EXPECT_EQ(KolonneStart(w.get(), 3), 25u);
  EXPECT_EQ(KolonneStart(w.get(), 5), 0u);
  uint8_t dag;
  uint32_t celle;
  ASSERT_TRUE(KolonneCelle(w.get(), 26, &dag, &celle));
  EXPECT_EQ(std::make_pair(+dag, celle), std::make_pair(3, 98u));
  EXPECT_FALSE(KolonneCelle(w.get(), 73, &dag, &celle));
  EXPECT_FALSE(KolonneCelle(w.get(), 0, &dag, &celle));
  uint32_t akse[80] = {};
  EXPECT_EQ(TidsAkse(w.get(), akse, 80), 72u);
  EXPECT_EQ(akse[1], 2097u);
  EXPECT_EQ(akse[72], 4120u);

  // Indexes from clamped values only.
  struct {
    uint32_t raekke;
    uint8_t dag;
    uint32_t celle, indeks;
  } const tilfaelde[] = {
      {1, 1, 1, 2016},
      {2, 3, 5, 2 * 2016 - 1 + 2 * 288 + 5},
      {0, 0, 0, 2016},
      {1, 9, 1000, 2016 - 1 + 6 * 288 + 288},
  };
  for (const auto &t : tilfaelde) EXPECT_EQ(CelleIndeks(w.get(), t.raekke, t.dag, t.celle), t.indeks);

  SkeVindue d(SKE_AKTI, 'D');
  Vis(d, 1, 8, 1, 5);
  EXPECT_EQ(KolonnerPrDag(d.get()), 1u);
  SkemaAkseOpsaet(d.get());
  EXPECT_EQ(+d->Ens.AkseX.CelleBredde, 8 * kLektionBredde);
  EXPECT_EQ(+d->Ens.AkseY.CelleBredde, kRaekkeHoejde);

  SkeVindue o(SKE_AKTI, 'L');
  o.Raekker({akti[0], akti[1], akti[0]});
  EXPECT_EQ(FindObjRaekke(o.get(), akti[0]), 3u);
  EXPECT_EQ(FindObjRaekke(o.get(), akti[2]), 0u);
  EXPECT_EQ(GetSkeObjNo(o.get(), 2), akti[1]);
}

TEST_F(SkemaTegnTest, ACursorMoveRepaintsOnlyTheOldAndNewRowsAndColumns) {
  SkeVindue w(SKE_AKTI, 'L');
  w.Raekker({akti[0], akti[1], akti[2]});
  w->RingSystem = Ringesystem({});
  Vis(w, 1, 8);
  w->ObjPos.Aktuel = 3;
  w->TidPos.Aktuel = 6;
  w->ForrigeObjPos = 1;
  w->ForrigeTidPos = 2;
  auto Celler = [](const Optager &o) {
    std::set<std::pair<uint32_t, uint32_t>> ud;  // (row, column), 1-based
    for (const auto &[xy, c] : o.celler) ud.emplace(xy.second / kRaekkeHoejde + 1, xy.first / kLektionBredde + 1);
    return ud;
  };
  {
    Optager o;
    OpdaterCeller(w.get(), &o, SKE_TEGN_ALT, 1000);
    EXPECT_EQ(Celler(o).size(), 24u);
    EXPECT_EQ(o.tekster.size(), 1u);  // the time label
  }
  {
    Optager o;
    OpdaterCeller(w.get(), &o, SKE_TEGN_MARKOER, 1000);
    std::set<std::pair<uint32_t, uint32_t>> ventet;
    for (uint32_t k = 1; k <= 8; ++k) ventet.insert({1, k}), ventet.insert({3, k});
    for (uint32_t r = 1; r <= 3; ++r) ventet.insert({r, 2}), ventet.insert({r, 6});
    EXPECT_EQ(Celler(o), ventet);
  }
  {
    Optager o;
    OpdaterCeller(w.get(), &o, 0, 1000);
    EXPECT_TRUE(o.celler.empty());
  }
}

TEST_F(SkemaTegnTest, HeaderRepaintsFollowTheFlagBitsOfTheMode) {
  using Kolonner = std::set<uint32_t>;
  struct {
    char visning;
    uint32_t flag;
    Kolonner kolonner;
  } const tilfaelde[] = {
      {'L', SKE_TEGN_ALT, {1, 2, 3, 4, 5, 6, 7, 8}},
      {'L', SKE_TEGN_GENBYG, {1, 2, 3, 4, 5, 6, 7, 8}},
      {'L', SKE_TEGN_MARKOER, {2, 6}},
      {'L', SKE_TEGN_KOLONNE, {2, 6}},
      {'L', SKE_TEGN_RAEKKE, {}},
      {'T', SKE_TEGN_ALT, {1, 2, 3, 4, 5, 6, 7, 8}},
      {'T', SKE_TEGN_MARKOER, {2, 6}},
      {'T', SKE_TEGN_RAEKKE, {2, 6}},
      {'T', SKE_TEGN_KOLONNE, {}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << t.visning << " " << t.flag);
    SkeVindue w(SKE_AKTI, t.visning);
    w.Raekker({akti[0]});
    Vis(w, t.visning == 'T' ? 97 : 1, t.visning == 'T' ? 104 : 8);
    w->TidPos.Aktuel = 6;
    w->ForrigeTidPos = 2;
    Optager o;
    OpdaterHoveder(w.get(), &o, t.flag);
    Kolonner faaet;
    if (t.visning == 'T')
      for (const auto &[x, art] : o.linier) faaet.insert(static_cast<uint32_t>(x) / kSlotBredde + 1);
    else
      for (const auto &[xy, c] : o.celler) faaet.insert(static_cast<uint32_t>(xy.first) / kLektionBredde + 1);
    EXPECT_EQ(faaet, t.kolonner);
  }
}

TEST_F(SkemaTegnTest, TheCourseMarkComparesWithTheWindowsActivity) {
  SkeVindue w(SKE_AKTI, 'L');
  w.Raekker({akti[0], akti[1]});
  w->AktuelObjRaekke = 1;
  TabRec<AktiRec>(tvakti, akti[0])->uvfo_id = 5;
  struct {
    uint32_t uvfo;
    const char *tekst;
  } const tilfaelde[] = {{5, "u"}, {6, " "}, {0, " "}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.uvfo);
    TabRec<AktiRec>(tvakti, akti[1])->uvfo_id = t.uvfo;
    SkemaRaekkeArg arg{w.get(), 2};
    SwitchFelt sf{};
    sf.FeltNr = 351;
    sf.Tegn = 1;
    char tekst[kSwitchTekstLen];
    memset(tekst, ' ', kSwitchMaksTegn);
    tekst[kSwitchMaksTegn] = '\0';
    uint8_t moenster = 0, farve = 16;
    SkemaRaekkeTekst(&arg, &sf, 0, tekst, &moenster, &farve);
    EXPECT_EQ(tekst[0], t.tekst[0]);
  }
  // An activity without a course never matches.
  TabRec<AktiRec>(tvakti, akti[0])->uvfo_id = 0;
  TabRec<AktiRec>(tvakti, akti[1])->uvfo_id = 0;
  SkemaRaekkeArg arg{w.get(), 1};
  SwitchFelt sf{};
  sf.FeltNr = 351;
  char tekst[kSwitchTekstLen];
  memset(tekst, ' ', kSwitchMaksTegn);
  tekst[kSwitchMaksTegn] = '\0';
  uint8_t moenster = 0, farve = 16;
  SkemaRaekkeTekst(&arg, &sf, 0, tekst, &moenster, &farve);
  EXPECT_EQ(tekst[0], ' ');
}

}  // namespace

// ---- Snapshots: a small all-activities week painted on a bitmap in each
// mode and with the objects across, kept as PNG files for the eye.

#include <filesystem>

#include "FARVER.h"
#include "SWITCH.h"
#include "tavo/test_gdi.h"
#include "../ui/pixel_support.h"

namespace {

TEST_F(SkemaTegnTest, SnapshotsOfASmallWeek) {
  SkrivRaekker({{.akti = akti[0]}}, {.dag = 1, .lektion = 1, .start = 800, .slut = 845});
  SkrivRaekker({{.akti = akti[0]}}, {.bem = bem, .dag = 2, .lektion = 2, .start = 855, .slut = 1035});
  SkrivRaekker({{.akti = akti[1]}}, {.dag = 3, .lektion = 3, .start = 950, .slut = 1035});
  SkrivRaekker({{.akti = akti[1]}}, {.dag = 3, .lektion = 3, .start = 1000, .slut = 1130});
  SkrivRaekker({{.akti = akti[2]}}, {.dag = 5, .start = 1215, .slut = 1400});
  InitPalette();
  VisStarttid = 800;
  VisSluttid = 1400;
  struct {
    const char *navn;
    char visning, layout;
    uint32_t fra, til;
  } const tilfaelde[] = {
      {"skema_lektioner.png", 'L', 'V', 1, 8},
      {"skema_tid.png", 'T', 'V', 97, 168},
      {"skema_dage.png", 'D', 'V', 1, 6},
      {"skema_lodret.png", 'L', 'L', 1, 8},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    SkeVindue w(SKE_AKTI, t.visning);
    w->Layout = t.layout;
    w->RingSystem = Ringesystem({});
    w.Raekker({akti[0], akti[1], akti[2]});
    Vis(w, t.fra, t.til, 1, 5);
    w->ObjPos.Aktuel = 2;
    w->TidPos.Aktuel = 3;
    w->Ens.Aktiv = 1;
    Byg(w);
    const int tid = static_cast<int>(w->TidPos.Antal * (t.visning == 'T' ? kSlotBredde
                                                         : t.visning == 'D' ? 6 * kLektionBredde
                                                                            : kLektionBredde));
    const int obj = static_cast<int>((w->ObjPos.Antal + 3) * kRaekkeHoejde);
    const bool lodret = t.layout == 'L';
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bm = lodret ? CreateCompatibleBitmap(dc, static_cast<int>(3 * LodretKolonneBredde(w.get())),
                                                 static_cast<int>(w->TidPos.Antal * kLodretTrin))
                        : CreateCompatibleBitmap(dc, tid, obj);
    HGDIOBJ gammel = SelectObject(dc, bm);
    EnsDC edc{dc, kIngenFarve, kIngenFarve};
    EnsDCMaler maler(&edc, w.get());
    tavo::test::ClearDrawnTexts();
    if (lodret) {
      OpdaterLodretCeller(w.get(), &maler, SKE_TEGN_ALT);
    } else {
      SetViewportOrgEx(dc, 0, 0, nullptr);
      OpdaterHoveder(w.get(), &maler, SKE_TEGN_ALT);
      SetViewportOrgEx(dc, 0, static_cast<int>(3 * kRaekkeHoejde), nullptr);
      OpdaterCeller(w.get(), &maler, SKE_TEGN_ALT, tid);
      SetViewportOrgEx(dc, 0, 0, nullptr);
    }
    // Monday's first event shows its start glyph (day mode: checked, plus 1).
    bool start = false;
    for (const auto &d : tavo::test::DrawnTexts())
      if (d.text == (t.visning == 'T' ? "#" : t.visning == 'D' ? "5" : "$")) start = true;
    EXPECT_TRUE(start || lodret);
    EXPECT_TRUE(tavo::test::SavePng(dc, (std::string(TAVO_BINARY_DIR "/") + t.navn).c_str()));
    SelectObject(dc, gammel);
    DeleteObject(bm);
    DeleteDC(dc);
  }
  FrigivPalette();
}

// The painters leave out the background under what they fill over it
// afterwards; the pixels must stay those of the old order, which filled
// it whole first. Each fixture is painted both ways on a patterned bitmap
// (a pixel left unpainted shows) under a clip that cuts cells in part,
// with the cursor on an empty cell that carries a glyph where one does.
TEST_F(SkemaTegnTest, TheGridPaintsTheSamePixelsAsWithTheBackgroundFilledWholeFirst) {
  InitPalette();
  // The shipped layouts: the tiles carry their lines.
  std::filesystem::copy_file(std::filesystem::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini",
                             rod / "ini" / "TavoSwt.ini");
  LaesSwitchIni();
  VisStarttid = 800;
  VisSluttid = 1400;
  struct {
    const char *navn;
    char visning, layout;
    bool lag;
    uint32_t fra, til, tidAktuel;
  } const tilfaelde[] = {
      {"lessons", 'L', 'V', false, 1, 8, 3},
      {"time, layers shown", 'T', 'V', true, 97, 168, 3},
      {"time, layers off", 'T', 'V', false, 97, 168, 180},
      {"days", 'D', 'V', false, 1, 6, 3},
      {"tiles, lessons", 'L', 'L', false, 1, 8, 3},
      {"tiles, days", 'D', 'L', false, 1, 6, 3},
  };
  for (bool tom : {true, false}) {
    if (!tom) {
      SkrivRaekker({{.akti = akti[0]}}, {.dag = 1, .lektion = 1, .start = 800, .slut = 845});
      SkrivRaekker({{.akti = akti[0]}}, {.bem = bem, .dag = 2, .lektion = 2, .start = 855, .slut = 1035});
      SkrivRaekker({{.akti = akti[1]}}, {.dag = 3, .lektion = 3, .start = 950, .slut = 1035});
      SkrivRaekker({{.akti = akti[1]}}, {.dag = 3, .lektion = 3, .start = 1000, .slut = 1130});
      SkrivRaekker({{.akti = akti[1]}}, {.dag = 3, .lektion = 5, .start = 1145, .slut = 1230});
      SkrivRaekker({{.akti = akti[2]}}, {.dag = 5, .start = 1215, .slut = 1400});
    }
    for (const auto &t : tilfaelde) {
      SCOPED_TRACE(std::string(t.navn) + (tom ? ", no events" : ""));
      SkeVindue w(SKE_AKTI, t.visning);
      w->Layout = t.layout;
      w->LagVis = t.lag;
      w->RingSystem = Ringesystem({});
      w.Raekker({akti[0], akti[1], akti[2]});
      Vis(w, t.fra, t.til, 1, 5);
      w->ObjPos.Aktuel = 2;
      w->TidPos.Aktuel = t.tidAktuel;
      w->Ens.Aktiv = 1;
      Byg(w);
      const bool lodret = t.layout == 'L';
      const uint32_t kolonne = t.visning == 'T' ? kSlotBredde : t.visning == 'D' ? 6 * kLektionBredde : kLektionBredde;
      const int B = lodret ? static_cast<int>(3 * LodretKolonneBredde(w.get()))
                           : static_cast<int>(w->TidPos.Antal * kolonne);
      const int H = lodret ? static_cast<int>(w->TidPos.Antal * LodretRaekkeHoejde(w.get()))
                           : static_cast<int>(w->ObjPos.Antal * kRaekkeHoejde);
      pixeltest::SammePixels(B, H, [&](HDC dc) {
        EnsDC edc{dc, kIngenFarve, kIngenFarve};
        EnsDCMaler maler(&edc, w.get());
        if (lodret)
          OpdaterLodretCeller(w.get(), &maler, SKE_TEGN_ALT);
        else
          OpdaterCeller(w.get(), &maler, SKE_TEGN_ALT, B);
      });
    }
  }
  FrigivSwitchTab();
  FrigivPalette();
}

// The tile grid: an object per column, a lesson per row down; the rows of a
// tile carry its lines in order, and the axes the clicks use step as the
// painter draws.
TEST_F(SkemaTegnTest, TheTileGridCarriesTheTilesLinesDownItsObjectsColumn) {
  const uint32_t forste =
      SkrivRaekker({{.akti = akti[1]}, {.anfo = anfo[0]}, {.loka = loka[0]}}, {.dag = 2, .start = 855, .slut = 1130});
  SkeVindue w(SKE_AKTI, 'L');
  w->Layout = 'L';
  w->RingSystem = Ringesystem({});
  w.Raekker({akti[0], akti[1]});
  Vis(w, 1, 8, 2, 2);
  Byg(w);
  w->ObjPos.Aktuel = 2;
  w->TidPos.Aktuel = 1;
  SkemaAkser(w.get());
  const int bredde = static_cast<int>(LodretKolonneBredde(w.get()));
  EXPECT_EQ(+w->Ens.AkseX.CelleBredde, LodretKolonneBredde(w.get()));
  EXPECT_EQ(+w->Ens.AkseY.CelleBredde, kLodretTrin);
  EXPECT_EQ(+w->TidPos.Antal, 8u);

  Optager o;
  OpdaterLodretCeller(w.get(), &o, SKE_TEGN_ALT);
  ASSERT_EQ(o.brikker.size(), 16u);
  std::vector<Optager::BrikKald> tile;
  for (const auto &b : o.brikker) {
    EXPECT_EQ(b.bredde, bredde);
    EXPECT_EQ(b.hoejde, static_cast<int>(kLodretTrin));
    EXPECT_EQ(b.y % static_cast<int>(kLodretTrin), 0);
    if (b.x == 0) { EXPECT_EQ(b.indgang, 0u) << "the first activity has no event"; }
    if (b.indgang) {
      EXPECT_EQ(b.x, bredde);
      tile.push_back(b);
    }
  }
  ASSERT_GE(tile.size(), 2u);
  EXPECT_EQ(+w.Indgang(tile[0].indgang).Forste, forste);
  for (size_t i = 0; i < tile.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(tile[i].linje, i);
    EXPECT_EQ(tile[i].start, i == 0);
    EXPECT_EQ(tile[i].slut, i + 1 == tile.size());
    if (i) { EXPECT_EQ(tile[i].y, tile[i - 1].y + static_cast<int>(kLodretTrin)); }
    // A click inside the painted cell lands on it.
    const uint32_t k = static_cast<uint32_t>(tile[i].y) / kLodretTrin + 1;
    EXPECT_EQ(GridPixelTilCelle(&w->Ens.AkseY, static_cast<uint32_t>(tile[i].y) + 5), k);
    EXPECT_EQ(GridPixelTilCelle(&w->Ens.AkseX, static_cast<uint32_t>(tile[i].x) + 5), 2u);
  }

  // The time labels: the weekday at the day's first row, the lessons down.
  Optager etiketter;
  OpdaterLodretRaekker(w.get(), &etiketter, SKE_TEGN_ALT);
  EXPECT_EQ(etiketter.Tekster(), (std::vector<std::string>{"Tir", "1", "2", "3", "4", "5", "6", "7", "8"}));
  for (const auto &t : etiketter.tekster) EXPECT_LT(t.x + t.bredde, static_cast<int>(kLodretTidBredde) + 1);
}

}  // namespace
