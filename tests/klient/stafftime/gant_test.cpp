// The Gantt window over a small made-up school term: the bar characters,
// the rows, the view choice, the period check, the rebuild after records
// were added, and the window's drawing of bars and status bar.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "../data/pred_tabeller.h"
#include "../ui/ens_support.h"
#include "ARRANGER.h"
#include "AVSHJAELP.h"
#include "BRIKIND.h"
#include "DATO.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GANT.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "NYBUTTON.h"
#include "PLACBEG.h"
#include "OBJFELT.h"
#include "RECPRED.h"
#include "PROGVINDUER.h"
#include "ROLLEFORSLAG.h"
#include "SIDEFIL.h"
#include "SKEBEG.h"
#include "STATUSBAR.h"
#include "STATUSFILTER.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "TAVOTB.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace predtest;
namespace fs = std::filesystem;
using tavo::test::PumpUntilIdle;

// The term runs from week 32 to week 52 of 2024: week index w is week 31 + w.
constexpr Uge U(uint32_t w) { return 202431 + w; }
constexpr uint32_t kUger = 21;

void TommeUger() {
  for (TabVar &b : SkemabegUgeTab) TomTabel(&b);
}

class GantTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tavo::test::ResetUser();
    mappe = fs::temp_directory_path() / ("gant_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(mappe);
    fs::create_directories(mappe / "ini");
    fs::create_directories(mappe / "log");
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s/", mappe.string().c_str());
    InitStiTab();
    fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini", mappe / "ini" / "TavoSwt.ini");
    TommeTabeller();
    TommeUger();
    GlobalIndstillinger.medopg = 1;
    GlobalIndstillinger.normsystem = 0;
    GlobalIndstillinger.insnr = 1;
    BegivenhedsFilter = StatusFilter{};
    for (uint32_t &m : HuskGruppe) m = kAlleGrupper;
    LaesSwitchIni();
    InitPeriode(20240805, 20241229, 0);
    SaetAktuelDato(20240902);  // week 36, index 5
  }

  void TearDown() override {
    for (GANTWS *ws : modeller) FrigivModel(ws);
    tavo::test::StopDialogScript();
    tavo::test::ResetUser();
    FrigivSwitchTab();
    TommeUger();
    FrigivAlle();
    BegivenhedsFilter = StatusFilter{};
    hwndHoved = hwndDesktop = 0;
    std::error_code ec;
    fs::remove_all(mappe, ec);
  }

  struct Periode {
    Uge minStart, maxSlut, start, slut;
  };

  static uint32_t Akti(const char *navn, Periode p, Dato fra = 20240805, Dato til = 20241229, uint8_t status = 10,
                       uint32_t gruppe = 2) {
    AktiRec a{};
    a.id = 1000 + tvakti.wRecCnt;
    Tekst(a.Aktivitet, navn);
    a.Status = status;
    a.Gruppe = gruppe;
    a.Fradato = fra, a.Tildato = til;
    a.MinStartUge = p.minStart, a.MaxSlutUge = p.maxSlut, a.StartUge = p.start, a.SlutUge = p.slut;
    return Ny(tdakti, tvakti, a);
  }

  static uint32_t Anfo(uint32_t meda, Periode p) {
    AnfoRec a{};
    a.id = 2000 + tvanfo.wRecCnt;
    a.meda_id = meda;
    a.Status = 10;
    a.Gruppe = 2;
    a.Fradato = 20240805, a.Tildato = 20241229;
    a.MinStartUge = p.minStart, a.MaxSlutUge = p.maxSlut, a.StartUge = p.start, a.SlutUge = p.slut;
    return Ny(tdanfo, tvanfo, a);
  }

  static uint32_t Loka(const char *nr, Periode p) {
    LokaRec l{};
    l.id = 3000 + tvloka.wRecCnt;
    Tekst(l.Lokalenr, nr);
    l.Status = 10;
    l.Gruppe = 2;
    l.Fradato = 20240805, l.Tildato = 20241229;
    l.MinStartUge = p.minStart, l.MaxSlutUge = p.maxSlut, l.StartUge = p.start, l.SlutUge = p.slut;
    return Ny(tdloka, tvloka, l);
  }

  // One event row in the bucket of a week.
  static void Ske(Uge uge, uint32_t akti, uint32_t status = SKE_EGEN, uint8_t ejer = 1, uint8_t fejl = 0) {
    TabVar *b = SkemabegBucket(uge);
    ASSERT_NE(b, nullptr);
    if (b->wRecCnt == 0) ResetTab(&tdske, b, 1);
    b->FoersteLedige = b->wRecCnt;
    const uint32_t n = NewRec(&tdske, b);
    ASSERT_NE(n, 0u);
    auto *r = reinterpret_cast<SkeRec *>(GetRec(&tdske, b, n));
    r->id = 500 + n, r->Status = status, r->akti_id = akti, r->Ejer = ejer, r->Fejl = fejl, r->Dag = 1;
  }

  // The window's model without a window.
  GANTWS *Model(char bogstav) {
    auto *ws = static_cast<GANTWS *>(std::calloc(1, sizeof(GANTWS)));
    ws->Bogstav = static_cast<uint8_t>(bogstav);
    EXPECT_EQ(TabFromType(ws->Bogstav, &ws->pTd, &ws->pTv), 0);
    ws->ens.pTd = ws->pTd;
    ws->ens.pTv = ws->pTv;
    ws->GruppeMaske = kAlleGrupper;
    GantVaelgVisning(ws);
    GantByggBjaelker(ws);
    GantByggGruppeFlag(ws);
    GantByggKolonner(ws);
    GantByggRaekker(ws);
    modeller.push_back(ws);
    return ws;
  }

  static void FrigivModel(GANTWS *ws) {
    std::free(ws->Bjaelker);
    std::free(ws->Tegn);
    std::free(ws->GruppeFlag);
    std::free(ws->ens.ObjTab);
    std::free(ws->ens.UgeTab);
    std::free(ws);
  }

  // The bar row of a record: '.' blank, '|' 179, '[' 195, ']' 180, '-' 196,
  // 'I' 186, 'L' 204, 'R' 185, '=' 205.
  static std::string Linje(const GANTWS *ws, uint32_t rec) {
    std::string s;
    for (uint32_t w = 1; w <= kUger; ++w) {
      switch (GantTegn(ws, rec, w)) {
        case 0: s += '.'; break;
        case 179: s += '|'; break;
        case 195: s += '['; break;
        case 180: s += ']'; break;
        case 196: s += '-'; break;
        case 186: s += 'I'; break;
        case 204: s += 'L'; break;
        case 185: s += 'R'; break;
        case 205: s += '='; break;
        default: s += '?';
      }
    }
    return s;
  }

  std::vector<std::string> Navne(const GANTWS *ws) const {
    std::vector<std::string> v;
    for (uint32_t i = 1; i <= ws->ens.ObjTabAntal; ++i)
      v.push_back(reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, ws->ens.ObjTab[i]))->Aktivitet);
    return v;
  }

  fs::path mappe;
  std::vector<GANTWS *> modeller;
};

TEST_F(GantTest, BarCharactersFollowTheWeekFieldsAndTheScheduledWeeks) {
  ASSERT_EQ(SkemaPeriode.AntalUger, kUger);
  struct Tilfaelde {
    const char *navn;
    Periode p;
    std::vector<Uge> ske;
    uint32_t skeStatus;
    uint8_t filter;  // BegivenhedsFilter.Tilstand while building
    const char *forventet;
  } tab[] = {
      {"one week", {U(4), U(4), U(4), U(4)}, {}, SKE_EGEN, 0, "...|................."},
      {"across the period", {202420, 202610, 202420, 202610}, {}, SKE_EGEN, 0, "---------------------"},
      {"start field 0", {0, U(9), 0, U(9)}, {}, SKE_EGEN, 0, "--------]............"},
      {"start before the period", {202420, U(3), 202420, U(3)}, {}, SKE_EGEN, 0, "--].................."},
      {"both before the period", {202420, 202425, 202420, 202425}, {}, SKE_EGEN, 0, "....................."},
      {"scheduled start end middle", {U(3), U(9), U(3), U(9)}, {U(3), U(9), U(6)}, SKE_EGEN, 0,
       "..L--=--R............"},
      {"scheduled single week", {U(5), U(5), U(5), U(5)}, {U(5)}, SKE_EGEN, 0, "....I................"},
      {"scheduled outside the bar", {U(3), U(5), U(3), U(5)}, {U(14)}, SKE_EGEN, 0, "..[-]........=......."},
      {"deleted row", {U(3), U(5), U(3), U(5)}, {U(4)}, SKE_EGEN | SKE_SLETTET, 0, "..[-]................"},
      {"filtered out by show-only central", {U(3), U(5), U(3), U(5)}, {U(4)}, SKE_EGEN, 1,
       "..[-]................"},
      {"let through by show-only local", {U(3), U(5), U(3), U(5)}, {U(4)}, SKE_EGEN, 2, "..[=]................"},
  };
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(t.navn);
    TommeTabeller();
    TommeUger();
    const uint32_t a = Akti(t.navn, t.p);
    for (Uge u : t.ske) Ske(u, a, t.skeStatus);
    // A row naming a record past the table is passed over.
    Ske(U(2), a + 7);
    BegivenhedsFilter.Tilstand = t.filter;
    GANTWS *ws = Model('K');
    EXPECT_EQ(Linje(ws, a), t.forventet);
    BegivenhedsFilter = StatusFilter{};
  }
}

TEST_F(GantTest, WeekIndexesOfTheBarTableAgreeWithTheCalendar) {
  // A period over two New Years, one of them with a week 53.
  InitPeriode(20240805, 20270131, 0);
  std::vector<std::pair<uint32_t, Uge>> uger;
  for (uint32_t aar = 2023; aar <= 2028; ++aar)
    for (uint32_t u = 1; u <= UgerIAar(aar); u += 3) uger.push_back({Akti("U", {aar * 100 + u, 0, 0, 0}), aar * 100 + u});
  GANTWS *ws = Model('K');
  for (const auto &[rec, uge] : uger) {
    SCOPED_TRACE(uge);
    EXPECT_EQ(ws->Bjaelker[rec].MinStart, UgeTilIndeks(uge));
  }
}

TEST_F(GantTest, ShowOnlyFilterReadsStateForeignRowsAndErrorCode) {
  struct Tilfaelde {
    StatusFilter f;
    uint32_t status;
    uint8_t ejer, fejl;
    bool vist;
  } tab[] = {
      {{0, 0, 0}, SKE_EGEN, 1, 0, true},
      {{1, 0, 0}, SKE_KENDT, 1, 0, true},
      {{1, 0, 0}, SKE_UROERT, 1, 0, false},
      {{2, 0, 0}, SKE_EGEN, 1, 0, true},
      {{2, 0, 0}, SKE_UROERT, 1, 0, false},
      {{3, 0, 0}, SKE_UROERT, 1, 0, true},
      {{3, 0, 0}, SKE_UROERT | SKE_KENDT, 1, 0, false},
      {{0, 0, 'd'}, SKE_EGEN, 1, 0, false},
      {{0, 0, 'd'}, SKE_EGEN, 7, 0, true},
      {{0, 'N', 0}, SKE_AENDRING, 1, 'N', true},
      {{0, 'N', 0}, SKE_AENDRING, 1, 'R', false},
  };
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(testing::Message() << int(t.f.Tilstand) << " " << t.f.FejlKode << " " << int(t.f.Fremmed) << " "
                                    << t.status);
    BegivenhedsFilter = t.f;
    SkeRec r{};
    r.Status = t.status, r.Ejer = t.ejer, r.Fejl = t.fejl;
    EXPECT_EQ(VisKunFilter(&r), t.vist);
  }
}

TEST_F(GantTest, ResetOfTheScheduleTitleClearsTheStatusFilters) {
  BegivenhedsFilter = {1, 'N', 'd'};
  PosteringsFilter = {2, 0, 0};
  EXPECT_TRUE(ResetTavoSkemaTitel());
  EXPECT_EQ(BegivenhedsFilter.Tilstand, 0);
  EXPECT_EQ(BegivenhedsFilter.FejlKode, 0u);
  EXPECT_EQ(BegivenhedsFilter.Fremmed, 0);
  EXPECT_EQ(PosteringsFilter.Tilstand, 0);
  EXPECT_FALSE(ResetTavoSkemaTitel());
}

TEST_F(GantTest, RowsKeepStatusPeriodAndGroupAndFollowTheSortField) {
  const Periode p{U(1), U(5), U(1), U(5)};
  Akti("Cc", p);
  Akti("Aa", p);
  Akti("Aflyst status", p, 20240805, 20241229, 30);
  Akti("Efter perioden", p, 20250101, 20250601);
  Akti("Foer perioden", p, 20230101, 20240804);
  Akti("Gruppe 3", p, 20240805, 20241229, 10, 1u << 3);
  Akti("Bb", p, 20240101, 20240901);
  ObjSwitchSaetSortFelt(kGantRaekkeArt, 'K', 1);
  GANTWS *ws = Model('K');
  EXPECT_EQ(Navne(ws), (std::vector<std::string>{"Aa", "Bb", "Cc", "Gruppe 3"}));

  // A group selection of group 1 leaves group 3 out; group 31 is all.
  ws->GruppeMaske = 1u << 1;
  GantByggRaekker(ws);
  EXPECT_EQ(Navne(ws), (std::vector<std::string>{"Aa", "Bb", "Cc"}));
  ws->GruppeMaske = kAlleGrupper;
  GantByggRaekker(ws);
  EXPECT_EQ(uint32_t{ws->ens.ObjTabAntal}, 4u);
}

TEST_F(GantTest, AnEmployeeWithTwoEmploymentsHasOneRowInTheHolidayStatement) {
  const Periode p{U(1), U(5), U(1), U(5)};
  const uint32_t a1 = Anfo(41, p), a2 = Anfo(42, p);
  Anfo(41, p);
  GANTWS *ws = Model('M');
  EXPECT_EQ(ws->Switch, 0);
  EXPECT_EQ(uint32_t{ws->ens.ObjTabAntal}, 3u);
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 6);
  GANTWS *ferie = Model('M');
  EXPECT_EQ(ferie->Switch, 6);
  EXPECT_EQ(ferie->Opgoerelse, 1);
  ASSERT_EQ(uint32_t{ferie->ens.ObjTabAntal}, 2u);
  EXPECT_EQ(ferie->ens.ObjTab[1], a1);
  EXPECT_EQ(ferie->ens.ObjTab[2], a2);
}

TEST_F(GantTest, ViewChoiceTitlesAndStatementLayouts) {
  struct Tilfaelde {
    char bogstav;
    uint32_t valgt;
    uint8_t medopg;
    int32_t normsystem;
    uint8_t sw, opg, opgArt, ugeAfh;
    const char *titel;
  } tab[] = {
      {'K', 0, 1, 0, 0, 0, 0, 0, "Aktivitets gantkort"},
      {'K', 3, 1, 0, 3, 0, 0, 0, "Aktivitets gantkort"},
      {'K', 5, 1, 0, 5, 1, kGantOpgArt, 0, "Aktivitets opgørelse"},
      {'L', 0, 1, 0, 0, 0, 0, 0, "Lokale gantkort"},
      {'M', 0, 1, 0, 0, 0, 0, 0, "Medarbejder gantkort"},
      {'M', 2, 1, 0, 2, 0, 0, 1, "Medarbejder gantkort"},
      {'M', 3, 1, 0, 3, 1, kGantOpgArt, 0, "Medarbejder opgørelse"},
      {'M', 4, 1, 0, 4, 1, kGantOpgArt, 1, "Medarbejder opgørelse"},
      {'M', 6, 1, 0, 6, 1, kGantOpgArt, 0, "Medarbejder ferieopgørelse"},
      {'M', 3, 1, 1, 3, 1, kGantOpgNormArt, 0, "Medarbejder opgørelse"},
      {'M', 6, 1, 1, 6, 1, kGantOpgArt, 0, "Medarbejder ferieopgørelse"},
      {'M', 3, 0, 0, 0, 0, 0, 0, "Medarbejder gantkort"},
      {'M', 5, 0, 0, 5, 0, 0, 1, "Medarbejder gantkort"},
  };
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(testing::Message() << t.bogstav << t.valgt << " medopg " << int(t.medopg) << " norm "
                                    << t.normsystem);
    GlobalIndstillinger.medopg = t.medopg;
    GlobalIndstillinger.normsystem = t.normsystem;
    ObjSwitchVaelg(kGantRaekkeArt, static_cast<uint8_t>(t.bogstav), t.valgt);
    GANTWS *ws = Model(t.bogstav);
    EXPECT_EQ(ws->Switch, t.sw);
    EXPECT_EQ(ws->Opgoerelse, t.opg);
    EXPECT_EQ(ws->OpgArt, t.opgArt);
    EXPECT_EQ(ws->UgeAfhaengig, t.ugeAfh);
    EXPECT_STREQ(ws->Titel, t.titel);
    if (t.opg) {
      EXPECT_GT(ws->OpgFeltAntal, 0);
    }
  }
  GlobalIndstillinger.medopg = 1;
  GlobalIndstillinger.normsystem = 0;
  // Views 3, 4 and 6 of employments and 5 of activities exist.
  EXPECT_EQ(ObjSwitchAntal(kGantRaekkeArt, 'M'), 7u);
  EXPECT_EQ(ObjSwitchAntal(kGantRaekkeArt, 'K'), 6u);
}

TEST_F(GantTest, PeriodCheckRefusesOutsideAndMovesTheWeekIntoAPartlyOverlappingPeriod) {
  const uint32_t efter = Akti("Efter", {202605, 202610, 202605, 202610});
  const uint32_t foer = Akti("Foer", {202420, U(5), 202420, U(5)});
  const uint32_t senere = Akti("Senere", {U(9), 202610, U(9), 202610});
  const uint32_t inde = Akti("Inde", {U(2), U(8), U(2), U(8)});
  const uint32_t anfo = Anfo(41, {202605, 202610, 202605, 202610});
  const uint32_t loka = Loka("L1", {202605, 202610, 202605, 202610});
  tavo::test::StartDialogScript();

  struct Tilfaelde {
    uint32_t rec;
    uint32_t kolonne;
    bool ok;
    uint32_t nyUge;
  } tab[] = {
      {efter, 5, false, 5}, {foer, 12, true, 1}, {senere, 2, true, 9}, {inde, 4, true, 4},
  };
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(t.rec);
    SkemaPeriode.AktuelUgeIndeks = 5;
    GANTWS *ws = Model('K');
    ws->RaekkePos.Aktuel = FindObjIdx(ws->ens.ObjTab, ws->ens.ObjTabAntal, t.rec);
    ws->KolPos.Aktuel = t.kolonne;
    EXPECT_EQ(GantPeriodeTjek(ws, 1), t.ok);
    EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, t.ok && t.kolonne != t.nyUge ? t.nyUge : 5u);
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  }

  const struct {
    char bogstav;
    uint32_t rec;
    const char *navn;
  } tabeller[] = {{'K', efter, "aktivitetens"}, {'M', anfo, "medarbejderens"}, {'L', loka, "lokalets"}};
  for (const auto &t : tabeller) {
    SCOPED_TRACE(t.bogstav);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    GANTWS *ws = Model(t.bogstav);
    ws->RaekkePos.Aktuel = FindObjIdx(ws->ens.ObjTab, ws->ens.ObjTabAntal, t.rec);
    ASSERT_NE(uint32_t{ws->RaekkePos.Aktuel}, 0u);
    EXPECT_FALSE(GantPeriodeTjek(ws, KMD_UDFOER));
    const auto boxes = tavo::test::MessageBoxesShown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Advarsel");
    EXPECT_EQ(boxes[0].text, std::string("Du står uden for ") + t.navn + " periode. \nPlacér markøren indenfor " +
                                 t.navn + " periodestreg og prøv igen!");
  }
}

TEST_F(GantTest, TheWeekHeaderSortsByFromDateAlternating) {
  Akti("B", {U(1), U(5), U(1), U(5)}, 20240901);
  Akti("A", {U(1), U(5), U(1), U(5)}, 20241001);
  Akti("C", {U(1), U(5), U(1), U(5)}, 20240805);
  ObjSwitchSaetSortFelt(kGantRaekkeArt, 'K', 1);
  GANTWS *ws = Model('K');
  EXPECT_EQ(Navne(ws), (std::vector<std::string>{"A", "B", "C"}));
  GantSorterDato(ws);
  EXPECT_EQ(Navne(ws), (std::vector<std::string>{"C", "B", "A"}));
  EXPECT_EQ(ws->SortMaerke, 255);
  GantSorterDato(ws);
  EXPECT_EQ(Navne(ws), (std::vector<std::string>{"A", "B", "C"}));
  GantSorterDato(ws);
  EXPECT_EQ(Navne(ws), (std::vector<std::string>{"C", "B", "A"}));
  // A sort button in between: the next click is ascending again.
  GantSorterFelt(ws, 0);
  EXPECT_EQ(Navne(ws), (std::vector<std::string>{"A", "B", "C"}));
  GantSorterDato(ws);
  EXPECT_EQ(Navne(ws), (std::vector<std::string>{"C", "B", "A"}));
}

// ---- Statements

TEST_F(GantTest, TotalsAreWrittenIntoTheirSlots) {
  struct Tilfaelde {
    float sum;
    uint32_t tegn;
    bool enDecimal;
    const char *forventet;
  } tab[] = {
      {0, 8, false, "       0"},  {0, 8, true, "     0,0"},     {1.5f, 8, false, "       1"},
      {1.5f, 8, true, "     1,5"}, {-3.7f, 8, false, "      -3"}, {123456.0f, 4, false, "####"},
      {-3.7f, 8, true, "    -3,7"}, {-0.5f, 8, true, "    -0,5"}, {2e12f, 8, false, "########"},
  };
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(testing::Message() << t.sum << " " << t.tegn << " " << t.enDecimal);
    char slot[kGantSumLaengde];
    std::memset(slot, 'x', sizeof slot);
    GantSumTekst(t.sum, t.tegn, t.enDecimal, slot);
    EXPECT_STREQ(slot, t.forventet);
  }
  EXPECT_FLOAT_EQ(GantTekstTal("1,5"), 1.5f);
  EXPECT_FLOAT_EQ(GantTekstTal("  -2,25 t"), -2.25f);
  EXPECT_EQ(GantTekstTal(""), 0.0f);
  EXPECT_EQ(GantTekstTal("abc"), 0.0f);
}

TEST_F(GantTest, HolidayYearAndCaptions) {
  Dato fra = 0, til = 0;
  GantFerieAar(20270430, &fra, &til);
  EXPECT_EQ(fra, 20260501u);
  EXPECT_EQ(til, 20270430u);
  GantFerieAar(20270501, &fra, &til);
  EXPECT_EQ(fra, 20270501u);
  EXPECT_EQ(til, 20280430u);

  struct Tilfaelde {
    char bogstav;
    uint32_t sw;
    uint8_t akti, anfo;
    const char *tekst;
  } tab[] = {
      {'K', 5, 1, 0, "Sum per kalender år!"},
      {'K', 5, 0, 1, "Sum for objekt periode!"},
      {'L', 0, 1, 0, "Sum per kalender år!"},
      {'M', 3, 0, 1, "Sum per kalender år!"},
      {'M', 4, 1, 0, "Sum for opgørelsesperiode!"},
      {'M', 6, 0, 1, "Ferie opgørelse. År: 2026/27. (20260501 - 20270430)"},
  };
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(testing::Message() << t.bogstav << t.sw);
    GlobalIndstillinger.aktisumperaar = t.akti;
    GlobalIndstillinger.anfosumperaar = t.anfo;
    GANTWS ws{};
    ws.Bogstav = static_cast<uint8_t>(t.bogstav);
    ws.Switch = static_cast<uint8_t>(t.sw);
    char tekst[100];
    GantOpgTekst(&ws, 20270315, tekst, sizeof tekst);
    EXPECT_STREQ(tekst, t.tekst);
  }
  EXPECT_EQ(GantSumMode(), 7);
  GlobalIndstillinger.aktisumperaar = GlobalIndstillinger.anfosumperaar = 0;
  EXPECT_EQ(GantSumMode(), 0);
}

TEST_F(GantTest, AColumnMoveRecomputesByTableAndCalendarYear) {
  InitPeriode(20240805, 20250630, 0);
  SaetAktuelDato(20240902);  // a Monday: column dates are Mondays
  Akti("A", {U(1), U(5), U(1), U(5)});
  Anfo(41, {U(1), U(5), U(1), U(5)});
  GANTWS *k = Model('K');
  GANTWS *m = Model('M');
  // Records added after the rows were built show once the rows are worked
  // out again; a rebuild that changes the rows asks for everything.
  Akti("B", {U(1), U(5), U(1), U(5)});
  Anfo(42, {U(1), U(5), U(1), U(5)});
  const auto skift = [](GANTWS *ws, uint32_t fra, uint32_t til) {
    ws->TegnFlag = 0;
    return GantKolonneSkift(ws, fra, til);
  };
  // Index 21 is week 52 of 2024, 22 week 1 of 2025 (Monday 30 December 2024),
  // 23 week 2 (Monday 6 January 2025).
  EXPECT_EQ(skift(k, 10, 11), uint32_t{GANT_TEGN_KOLONNE});
  EXPECT_EQ(skift(k, 21, 22), uint32_t{GANT_TEGN_KOLONNE});
  EXPECT_EQ(uint32_t{k->ens.ObjTabAntal}, 1u);
  EXPECT_EQ(skift(k, 22, 23), uint32_t{GANT_TEGN_KOLONNE | GANT_TEGN_ALT});
  EXPECT_EQ(uint32_t{k->ens.ObjTabAntal}, 2u);
  EXPECT_EQ(skift(m, 10, 11), uint32_t{GANT_TEGN_KOLONNE | GANT_TEGN_ALT});
  EXPECT_EQ(uint32_t{m->ens.ObjTabAntal}, 2u);
  // The same rows again: a chart's picture keeps them.
  EXPECT_EQ(skift(m, 11, 12), uint32_t{GANT_TEGN_KOLONNE});
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 2);  // week dependent
  GANTWS *afh = Model('M');
  afh->Bogstav = 'L';  // the rows' rule, not the table's, is asked here
  EXPECT_EQ(skift(afh, 10, 11), uint32_t{GANT_TEGN_KOLONNE | GANT_TEGN_SCROLL_Y});
  afh->Bogstav = 'M';
  // Activity view 4 shows the week's figures in its row header.
  ObjSwitchVaelg(kGantRaekkeArt, 'K', 4);
  GANTWS *k4 = Model('K');
  EXPECT_EQ(skift(k4, 10, 11), uint32_t{GANT_TEGN_KOLONNE | GANT_TEGN_RAEKKEHOVEDER});
}

TEST_F(GantTest, HorizontalMovementInAStatementScrollsThenMovesTheWeek) {
  Anfo(41, {U(1), U(5), U(1), U(5)});
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 3);
  GANTWS *ws = Model('M');
  ASSERT_EQ(ws->Opgoerelse, 1);
  ws->ens.RudeB[ENS_CELLER] = 100;
  const int64_t slut = int64_t{ObjSwitchBredde(ws->OpgArt, 'M', 3)} - 1 - 100;
  ASSERT_GT(slut, 120);
  const auto scroll = [&] { return int64_t{ws->ens.ScrollX}; };
  EXPECT_TRUE(GantOpgVandret(ws, true, 0, 0));
  EXPECT_EQ(scroll(), 10);
  EXPECT_TRUE(GantOpgVandret(ws, true, -1, 0));
  EXPECT_EQ(scroll(), 110);
  EXPECT_TRUE(GantOpgVandret(ws, true, 0, -1));
  EXPECT_EQ(scroll(), slut);
  ws->ens.ScrollX = static_cast<uint32_t>(slut - 20);
  EXPECT_TRUE(GantOpgVandret(ws, true, -1, 0));
  EXPECT_EQ(scroll(), slut);
  // At the right edge Right moves the week and the date one week on.
  EXPECT_FALSE(GantOpgVandret(ws, true, 0, 0));
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 6u);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelDato}, 20240909u);
  EXPECT_TRUE(GantOpgVandret(ws, false, 0, -1));
  EXPECT_EQ(scroll(), 0);
  EXPECT_FALSE(GantOpgVandret(ws, false, 0, 0));
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 5u);
}

// ---- Keys

// Every role proposal set (or not), as the Enter key checks them.
void RollerSat(bool sat) {
  for (uint32_t &r : RolleForslagene) r = sat ? 1 : 0;
  GlobalIndstillinger.supertavo = 0;
}

TEST_F(GantTest, KeyAvailabilityInTestAndExecuteMode) {
  const uint32_t inde = Akti("A", {U(1), U(5), U(1), U(5)});
  const uint32_t kursus = Akti("B", {U(1), U(5), U(1), U(5)});
  const uint32_t efter = Akti("Efter", {202605, 202610, 202605, 202610});
  const uint32_t senere = Akti("Senere", {U(9), 202610, U(9), 202610});
  reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, inde))->uvfo_id = 7;
  reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, kursus))->uvfo_id = 7;
  enum : uint8_t { S = 1, C = 2, A = 4 };
  struct Tilfaelde {
    uint32_t tast;
    uint8_t mod;
    uint32_t rec;
    bool spring, roller;
    bool proeve, udfoer;  // available in test mode, done in execute mode
    const char *boks;     // the caption execute mode shows, or ""
    bool flytter;         // execute mode may move the row or week
  } tab[] = {
      {12, 0, inde, true, true, false, false, "", false},
      {188, 0, inde, true, true, false, false, "", false},
      {'Q', 0, inde, true, true, false, false, "", false},
      {VK_HOME, 0, inde, true, true, false, false, "", false},
      {VK_RIGHT, 0, inde, true, true, true, true, "", true},
      {VK_DOWN, 0, inde, true, true, true, true, "", true},
      // The page position has one cell: available, nothing moves.
      {VK_NEXT, 0, inde, true, true, true, true, "", false},
      {'0', 0, inde, true, true, false, false, "", false},
      {'6', 0, inde, true, true, true, true, "", false},
      {'7', 0, inde, true, true, false, false, "", false},
      {'1', C, inde, true, true, false, false, "", false},
      {VK_INSERT, 0, inde, true, true, true, true, "", true},
      {VK_ADD, 0, inde, true, true, true, true, "", false},
      {VK_DELETE, 0, inde, true, true, false, false, "", false},
      {'U', 0, inde, true, true, true, true, "", true},
      {'U', 0, efter, true, true, false, false, "", false},
      {VK_ESCAPE, 0, inde, true, true, true, true, "", false},
      {'E', C, inde, true, true, true, true, "", false},
      {VK_F2, 0, inde, true, true, true, true, "", false},
      {VK_SPACE, 0, inde, true, true, false, false, "", false},
      // No toolbar: the toolbar's keys have nothing to go to.
      {'A', 0, inde, true, true, false, false, "", false},
      {'R', 0, inde, true, true, false, false, "", false},
      // Enter: the roles silently in test mode, with their message when done.
      {VK_RETURN, 0, inde, true, false, false, false, "Roller mangler", false},
      {VK_RETURN, 0, efter, true, true, false, false, "Advarsel", false},
      // The activity has no ring time: refused when it is done.
      {VK_RETURN, 0, inde, true, true, true, true, "Fejl", false},
      // A partly overlapping object: only carrying the key out moves the week.
      {VK_RETURN, 0, senere, true, true, true, true, "Fejl", true},
      // The function keys: plain always, with Shift or Alt by SpringGant.
      {VK_F6, 0, inde, false, true, true, true, "", false},
      {VK_F6, S, inde, false, true, false, false, "", false},
      {VK_F6, S, inde, true, true, true, true, "", false},
      {VK_F7, A, inde, false, true, false, false, "", false},
      {VK_F5, S, inde, false, true, true, true, "", false},
      {VK_F5, A, efter, false, true, false, false, "Advarsel", false},
      {VK_F5, S, senere, false, true, true, true, "", true},
  };
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(::testing::Message() << t.tast << " mod " << int(t.mod) << " rec " << t.rec);
    GlobalIndstillinger.SpringGant = t.spring;
    RollerSat(t.roller);
    for (int mode : {1, KMD_UDFOER}) {
      SCOPED_TRACE(mode);
      SkemaPeriode.AktuelUgeIndeks = 5;
      GANTWS *ws = Model('K');
      ws->RaekkePos.Aktuel = FindObjIdx(ws->ens.ObjTab, ws->ens.ObjTabAntal, t.rec);
      ws->KolPos.Aktuel = 3;
      // Without a window nothing is laid out: every cell counts as visible.
      ws->KolPos.Synlige = ws->KolPos.Antal;
      ws->RaekkePos.Synlige = ws->RaekkePos.Antal;
      const uint32_t raekke = ws->RaekkePos.Aktuel;
      TastInfo ti{};
      ti.wParam = t.tast;
      ti.shift = t.mod & S ? -1 : 0;
      ti.ctrl = t.mod & C ? -1 : 0;
      ti.alt = t.mod & A ? -1 : 0;
      ti.message = WM_KEYDOWN;
      tavo::test::StartDialogScript();
      EXPECT_EQ(GantTast(ws, &ti, mode), mode == 1 ? t.proeve : t.udfoer);
      const auto boxes = tavo::test::MessageBoxesShown();
      tavo::test::StopDialogScript();
      if (mode == KMD_UDFOER && *t.boks) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, t.boks);
      } else {
        EXPECT_TRUE(boxes.empty());
      }
      if (mode == 1 || !t.flytter) {
        EXPECT_EQ(uint32_t{ws->KolPos.Aktuel}, 3u);
        EXPECT_EQ(uint32_t{ws->RaekkePos.Aktuel}, raekke);
        EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 5u);
      }
    }
  }
  // Rooms have no teaching courses.
  GANTWS *l = Model('L');
  TastInfo u{};
  u.wParam = 'U';
  EXPECT_FALSE(GantTast(l, &u, 1));
  RollerSat(false);
  GlobalIndstillinger.SpringGant = 1;
}

// ---- The window

class GantVindueTest : public GantTest {
 protected:
  void SetUp() override {
    GantTest::SetUp();
    for (const auto &e : fs::directory_iterator(fs::path(TAVO_BINARY_DIR) / "fonts"))
      if (e.path().extension() == ".ttf") fs::copy_file(e.path(), mappe / "ini" / e.path().filename());
    wfb_test::RegistrerUiKlasser();
    ASSERT_TRUE(RegistrerToolbarKlasser(0));
    ASSERT_TRUE(RegistrerGantKlasse(0));
    hoved = CreateWindowExA(0, "WfbVaert", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 700, 0, 0, 0,
                            nullptr);
    desktop = CreateWindowExA(0, "WfbVaert", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 700, hoved, 0,
                              0, nullptr);
    hwndHoved = hoved;
    hwndDesktop = desktop;
    LoadFonts(hoved);
    PumpUntilIdle();
  }
  void TearDown() override {
    if (h && IsWindow(h)) DestroyWindow(h);
    UnloadFonts();
    GantTest::TearDown();
  }

  HWND Aabn() {
    h = CreateGantWnd('K', 10, 10, 990, 690, &tdakti, &tvakti, 40146, desktop);
    EXPECT_NE(h, 0u);
    PumpUntilIdle();
    return h;
  }
  GANTWS *W() const { return reinterpret_cast<GANTWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

  // The bar text drawn for a row of the cells pane (by its y).
  std::string CelleTekst(int y) const {
    const GANTWS *ws = W();
    std::string sidst;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == ws->ens.hwndCeller && t.y == y && t.x == 0) sidst = t.text;
    return sidst;
  }

  // Fields added to the layouts of the test's switch file, which is read
  // again.
  void TilfoejFelter(const std::string &linjer) {
    const fs::path fil = mappe / "ini" / "TavoSwt.ini";
    std::ifstream ind(fil, std::ios::binary);
    std::string alt((std::istreambuf_iterator<char>(ind)), std::istreambuf_iterator<char>());
    ind.close();
    const size_t brik = alt.find("[BrikSwitchField]");
    ASSERT_NE(brik, std::string::npos);
    alt.insert(brik, linjer);
    std::ofstream(fil, std::ios::binary | std::ios::trunc) << alt;
    FrigivSwitchTab();
    LaesSwitchIni();
  }

  // The texts drawn into a pane since the log was cleared.
  static std::vector<tavo::test::DrawnText> Tekster(HWND rude) {
    std::vector<tavo::test::DrawnText> v;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == rude) v.push_back(t);
    return v;
  }

  HWND hoved = 0, desktop = 0, h = 0;
};

// Counts the data layer's questions for computed field 211 (the weekday of
// a column): a probe on the statement texts a layout with that field asks.
int weekdayKald = 0;
uint8_t TaelUgedag(char, uint32_t) {
  ++weekdayKald;
  return 1;
}

TEST_F(GantVindueTest, BarsAreDrawnInTheCellsAndTheStatusBarShowsTheCurrentRow) {
  const uint32_t a = Akti("Dansk A", {U(2), U(6), U(2), U(6)});
  Akti("Engelsk B", {U(4), U(4), U(4), U(4)});
  Ske(U(3), a);
  ObjSwitchSaetSortFelt(kGantRaekkeArt, 'K', 1);
  tvakti.AktuelRec = a;
  tavo::test::ClearDrawnTexts();
  Aabn();
  GANTWS *ws = W();
  ASSERT_NE(ws, nullptr);
  EXPECT_EQ(SendMessageA(h, GANT_AKTUEL_REC, 0, 0), static_cast<LRESULT>(a));
  EXPECT_EQ(SendMessageA(h, OBJEKT_ART, 0, 0), 'K');
  EXPECT_EQ(SendMessageA(h, VINDUE_ART, 0, 0), 40146);
  EXPECT_EQ(SendMessageA(h, HJAELP_EMNE, 0, 0), 112) << "the help topic F1 opens";
  InvalidateRect(h, nullptr, FALSE);
  PumpUntilIdle();

  // Each week is one byte at its 8-pixel column: row 1 from index 1.
  const std::string r1 = CelleTekst(0), r2 = CelleTekst(kGantRaekkeHoejde);
  ASSERT_GE(r1.size(), 6u);
  EXPECT_EQ(r1.substr(0, 6), std::string(" \xC3\xCD\xC4\xC4\xB4"));
  ASSERT_GE(r2.size(), 4u);
  EXPECT_EQ(r2.substr(0, 4), std::string("   \xB3"));

  // The first status pane shows the current activity's name.
  bool navn = false;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == h && t.text.rfind("Dansk A", 0) == 0) navn = true;
  EXPECT_TRUE(navn);
  // No activity has students: two panes fewer than the layout's six.
  EXPECT_EQ(GantStatusAntal(ws), 4u);

  tavo::test::SavePng(GetDC(h), (fs::temp_directory_path() / "gant_aktiviteter.png").c_str());
}

TEST_F(GantVindueTest, KeysMoveTheWeekAndTellTheOtherWindows) {
  Akti("Dansk A", {U(2), U(6), U(2), U(6)});
  HWND dato = CreateWindowExA(0, "WfbVaert", "", WS_CHILD, 0, 0, 10, 10, hoved, 0, 0, nullptr);
  StatusFelter.Dato = dato;
  Aabn();
  // Another open window hears the week messages.
  HWND anden = CreateWindowExA(0, "WfbVaert", "", WS_CHILD, 0, 0, 10, 10, desktop, 0, 0, nullptr);
  VinduesListeTilfoej(anden);
  wfb_test::Log().clear();
  const auto besked = [](UINT m) {
    std::vector<wfb_test::Besked> v;
    for (const auto &b : wfb_test::Log())
      if (b.msg == m) v.push_back(b);
    return v;
  };
  ASSERT_EQ(uint32_t{W()->KolPos.Aktuel}, 5u);
  SendMessageA(h, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(uint32_t{W()->KolPos.Aktuel}, 6u);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 6u);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelDato}, 20240909u);
  auto d = besked(1928);
  ASSERT_FALSE(d.empty());
  EXPECT_EQ(d.back().l, 20240909);

  SendMessageA(h, WM_KEYDOWN, VK_INSERT, 0);
  auto ind = besked(INDSAET_UGE);
  ASSERT_EQ(ind.size(), 1u);
  EXPECT_EQ(ind[0].w, WPARAM{'K'});
  EXPECT_EQ(ind[0].l, 6);
  EXPECT_EQ(uint32_t{W()->KolPos.Aktuel}, 7u);
  SendMessageA(h, WM_KEYDOWN, VK_ADD, 0);
  auto kop = besked(KOPIER_UGE);
  ASSERT_EQ(kop.size(), 1u);
  EXPECT_EQ(kop[0].l, 7);
  VinduesListeFjern(anden);
  StatusFelter.Dato = 0;
}

TEST_F(GantVindueTest, AClickMakesRowAndWeekCurrentAndTellsTheOtherWindows) {
  Akti("Dansk A", {U(2), U(6), U(2), U(6)});
  const uint32_t b = Akti("Engelsk B", {U(2), U(6), U(2), U(6)});
  ObjSwitchSaetSortFelt(kGantRaekkeArt, 'K', 1);
  Aabn();
  HWND anden = CreateWindowExA(0, "WfbVaert", "", WS_CHILD, 0, 0, 10, 10, desktop, 0, 0, nullptr);
  VinduesListeTilfoej(anden);
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  wfb_test::Log().clear();
  // Week index 8, second row.
  SendMessageA(h, ENS_CELLER_NED, 0, MAKELPARAM(7 * kGantUgeBredde + 3, kGantRaekkeHoejde + 3));
  EXPECT_EQ(uint32_t{W()->KolPos.Aktuel}, 8u);
  EXPECT_EQ(GantAktuelRec(W()), b);
  EXPECT_EQ(tvakti.AktuelRec, b);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 8u);
  bool sendt = false;
  for (const auto &m : wfb_test::Log()) sendt |= m.msg == AKTUEL_AENDRET && m.w == 'K' && m.l == LPARAM(b);
  EXPECT_TRUE(sendt);
  VinduesListeFjern(anden);
}

TEST_F(GantVindueTest, UShowsTheTeachingCourseAndUAgainRestoresTheRows) {
  const uint32_t a = Akti("Dansk A", {U(2), U(6), U(2), U(6)});
  const uint32_t b = Akti("Dansk B", {U(2), U(6), U(2), U(6)});
  Akti("Engelsk", {U(2), U(6), U(2), U(6)});
  reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, a))->uvfo_id = 9;
  reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, b))->uvfo_id = 9;
  tvakti.AktuelRec = b;
  Aabn();
  EXPECT_EQ(uint32_t{W()->ens.ObjTabAntal}, 3u);
  SendMessageA(h, WM_KEYDOWN, 'U', 0);
  EXPECT_EQ(uint32_t{W()->ens.ObjTabAntal}, 2u);
  EXPECT_EQ(GantAktuelRec(W()), b);
  SendMessageA(h, WM_KEYDOWN, 'U', 0);
  EXPECT_EQ(uint32_t{W()->ens.ObjTabAntal}, 3u);
}

TEST_F(GantVindueTest, AViewTooWideForTheDesktopIsRefused) {
  Akti("Dansk A", {U(2), U(6), U(2), U(6)});
  Aabn();
  MoveWindow(desktop, 0, 0, 150, 700, TRUE);
  tavo::test::StartDialogScript();
  SendMessageA(h, WM_KEYDOWN, '3', 0);  // switch 2: the description, 30 characters
  const auto boxes = tavo::test::MessageBoxesShown();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "OBS!");
  EXPECT_EQ(boxes[0].text, "Denne 'switch' kan ikke vises, da den er for bred til denne skærmopløsning!");
  EXPECT_EQ(W()->Switch, 0);
  // A view that fits is taken.
  MoveWindow(desktop, 0, 0, 1000, 700, TRUE);
  SendMessageA(h, WM_KEYDOWN, '6', 0);
  EXPECT_EQ(W()->Switch, 5);
  EXPECT_EQ(W()->Opgoerelse, 1);
  EXPECT_STREQ(W()->ens.Titel, "Aktivitets opgørelse");
  tavo::test::SavePng(GetDC(h), (fs::temp_directory_path() / "gant_opgoerelse.png").c_str());
}

TEST_F(GantVindueTest, CtrlDeleteArchivesTheObjectAndMarksTheGroupsForExportOnce) {
  const uint32_t a = Akti("Dansk A", {U(2), U(6), U(2), U(6)}, 20240805, 20241229, 10, (1u << 1) | (1u << 4));
  tvakti.AktuelRec = a;
  Aabn();
  HWND anden = CreateWindowExA(0, "WfbVaert", "", WS_CHILD, 0, 0, 10, 10, desktop, 0, 0, nullptr);
  VinduesListeTilfoej(anden);
  wfb_test::Log().clear();
  TastInfo t{};
  t.ctrl = -1;
  t.message = WM_KEYDOWN;
  t.wParam = VK_DELETE;
  EXPECT_EQ(SendMessageA(h, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&t)), 1);
  SendMessageA(h, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  EXPECT_EQ(reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, a))->Gruppe, 1u << 31);
  size_t data = 0;
  for (const auto &b : wfb_test::Log()) data += b.msg == DATA_AENDRET;
  EXPECT_EQ(data, 1u);
  char v[8] = "";
  GetPrivateProfileStringA("flag", "exportergrupper", "", v, sizeof v, StiTab.szini);
  EXPECT_STREQ(v, "1");
  // The second press leaves the settings file alone.
  WritePrivateProfileStringA("flag", "exportergrupper", nullptr, StiTab.szini);
  SendMessageA(h, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  GetPrivateProfileStringA("flag", "exportergrupper", "", v, sizeof v, StiTab.szini);
  EXPECT_STREQ(v, "");
  VinduesListeFjern(anden);
}

TEST_F(GantVindueTest, EnterPreparesALessonEventForTheRowsObjectAndAsksTheParentForTheEntry) {
  RisyRec ring{};
  ring.id = 77;
  ring.Status = 10;
  const uint32_t risy = Ny(tdrisy, tvrisy, ring);
  const uint32_t standard = Ny(tdrisy, tvrisy, ring);
  GlobalIndstillinger.standardRingSystem = standard;
  const uint32_t akti = Akti("Dansk A", {U(2), U(6), U(2), U(6)});
  TabRec<AktiRec>(tvakti, akti)->risy_id = risy;
  const uint32_t anfo = Anfo(41, {U(2), U(6), U(2), U(6)});
  const uint32_t loka = Loka("L1", {U(2), U(6), U(2), U(6)});
  for (uint32_t i = 0; i < kRolleForslagAntal; ++i) RolleForslagene[i] = 100 + i;
  GlobalIndstillinger.supertavo = 0;

  struct Tilfaelde {
    char bogstav;
    uint32_t rec;
    UINT menu;
  } tab[] = {{'K', akti, 40146}, {'M', anfo, 40147}, {'L', loka, 40148}};
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(t.bogstav);
    const TabDesc *td = nullptr;
    TabVar *tv = nullptr;
    ASSERT_EQ(TabFromType(static_cast<uint8_t>(t.bogstav), &td, &tv), 0);
    tv->AktuelRec = t.rec;
    h = CreateGantWnd(t.bogstav, 10, 10, 990, 690, td, tv, t.menu, desktop);
    ASSERT_NE(h, 0u);
    PumpUntilIdle();
    SendMessageA(h, VINDUE_AKTIVER, 1, 0);
    wfb_test::Log().clear();
    SendMessageA(h, WM_KEYDOWN, VK_RETURN, 0);
    LPARAM vindue = 0;
    for (const auto &b : wfb_test::Log())
      if (b.msg == HOVED_INDTAST_LEKTION) vindue = b.l;
    EXPECT_EQ(vindue, static_cast<LPARAM>(h));
    const AVS &a = AktuelAVS;
    EXPECT_EQ(std::string({a.Placering, a.Kode2, a.Kode3, a.Art, a.Kode5}), "LVBSB");
    EXPECT_EQ(uint32_t{a.id}, 0u);
    switch (t.bogstav) {
      case 'K':
        ASSERT_EQ(uint32_t{a.aktiAntal}, 1u);
        EXPECT_EQ(a.aktiTab[0], akti);
        // The activity brings its own ring system along.
        EXPECT_EQ(uint32_t{a.risy_id}, risy);
        break;
      case 'M':
        ASSERT_EQ(uint32_t{a.anfoAntal}, 1u);
        EXPECT_EQ(a.anfoTab[0], anfo);
        EXPECT_EQ(a.minutTab[0], -1.0f);
        // The proposed role of an employee without an activity, not a colour.
        EXPECT_EQ(a.skemarolTab[0], RolleForslagene[RF_STJERNE_OVAK]);
        EXPECT_EQ(uint32_t{a.risy_id}, standard);
        break;
      case 'L':
        ASSERT_EQ(uint32_t{a.lokaAntal}, 1u);
        EXPECT_EQ(a.lokaTab[0], loka);
        EXPECT_EQ(a.lokrolleTab[0], RolleForslagene[RF_LOKA]);
        EXPECT_EQ(uint32_t{a.risy_id}, standard);
        break;
    }
    // The second set holds the same event.
    EXPECT_EQ(ArbejdsAVS.Placering, 'L');
    EXPECT_EQ(uint32_t{ArbejdsAVS.aktiAntal} + ArbejdsAVS.anfoAntal + ArbejdsAVS.lokaAntal, 1u);
    DestroyWindow(h);
    h = 0;
  }

  // An activity without a ring time is refused; the parent hears nothing.
  TabRec<AktiRec>(tvakti, akti)->risy_id = 0;
  tvakti.AktuelRec = akti;
  Aabn();
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  wfb_test::Log().clear();
  tavo::test::StartDialogScript();
  SendMessageA(h, WM_KEYDOWN, VK_RETURN, 0);
  const auto boxes = tavo::test::MessageBoxesShown();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Fejl");
  EXPECT_EQ(boxes[0].text,
            "Der er ingen ringetid på denne aktivitet.\nAktiviteten skal have tilknyttet en ringetid, før der kan "
            "skemalægges på den.");
  for (const auto &b : wfb_test::Log()) EXPECT_NE(b.msg, UINT{HOVED_INDTAST_LEKTION});
  CleanupAVS(&AktuelAVS);
  CleanupAVS(&ArbejdsAVS);
  for (uint32_t &r : RolleForslagene) r = 0;
  GlobalIndstillinger.standardRingSystem = 0;
}

TEST_F(GantVindueTest, TheMainWindowsKeyQuestionAsksButRunsTheFunctionKeys) {
  const uint32_t senere = Akti("Senere", {U(9), 202610, U(9), 202610});
  tvakti.AktuelRec = senere;
  Aabn();
  ASSERT_EQ(GantAktuelRec(W()), senere);
  ASSERT_EQ(uint32_t{W()->KolPos.Aktuel}, 5u);
  tavo::test::StartDialogScript();
  // Enter without the role proposals: not available, and nothing is said.
  for (uint32_t &r : RolleForslagene) r = 0;
  GlobalIndstillinger.supertavo = 0;
  TastInfo t{};
  t.message = WM_KEYDOWN;
  t.wParam = VK_RETURN;
  EXPECT_EQ(SendMessageA(h, TAST_SPOERG, VK_RETURN, reinterpret_cast<LPARAM>(&t)), 0);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  // Shift+F5 without SpringGant runs the period check for real: the week
  // moves into the activity's period for the jump that follows.
  GlobalIndstillinger.SpringGant = 0;
  t.wParam = VK_F5;
  t.shift = -1;
  EXPECT_EQ(SendMessageA(h, TAST_SPOERG, VK_F5, reinterpret_cast<LPARAM>(&t)), 1);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 9u);
  EXPECT_EQ(uint32_t{W()->KolPos.Aktuel}, 9u);
  // The key of another table's window is not this window's to jump with.
  t.wParam = VK_F6;
  EXPECT_EQ(SendMessageA(h, TAST_SPOERG, VK_F6, reinterpret_cast<LPARAM>(&t)), 0);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  GlobalIndstillinger.SpringGant = 1;
}

TEST_F(GantVindueTest, TypeAheadTakesALetterBeforeTheKeyTable) {
  Akti("Dansk A", {U(2), U(6), U(2), U(6)});
  const uint32_t u = Akti("Udsat", {U(2), U(6), U(2), U(6)});
  reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, u))->uvfo_id = 9;
  ObjSwitchSaetSortFelt(kGantRaekkeArt, 'K', 1);
  Aabn();
  ASSERT_NE(GantAktuelRec(W()), u);
  // U finds the row that begins with it instead of filtering the rows.
  SendMessageA(h, WM_KEYDOWN, 'U', 0);
  EXPECT_EQ(GantAktuelRec(W()), u);
  EXPECT_EQ(tvakti.AktuelRec, u);
  EXPECT_EQ(W()->UvfoFilter, 0);
  EXPECT_EQ(uint32_t{W()->ens.ObjTabAntal}, 2u);
}

TEST_F(GantVindueTest, AnEmployeeStatementViewNeedsMedopg) {
  Anfo(41, {U(2), U(6), U(2), U(6)});
  uint32_t opg = 0;
  for (uint32_t n = 1; n < ObjSwitchAntal(kGantRaekkeArt, 'M') && !opg; ++n)
    if (ObjSwitchFoersteFeltErI(kGantRaekkeArt, 'M', n)) opg = n;
  ASSERT_NE(opg, 0u);
  GlobalIndstillinger.medopg = 0;
  h = CreateGantWnd('M', 10, 10, 990, 690, &tdanfo, &tvanfo, 40147, desktop);
  ASSERT_NE(h, 0u);
  PumpUntilIdle();
  tavo::test::StartDialogScript();
  SendMessageA(h, NYB_KLIK, ENS_SKIFT_ID + opg, 0);
  EXPECT_EQ(W()->Switch, 0);
  EXPECT_EQ(W()->Opgoerelse, 0);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  GlobalIndstillinger.medopg = 1;
  SendMessageA(h, NYB_KLIK, ENS_SKIFT_ID + opg, 0);
  EXPECT_EQ(W()->Switch, opg);
  EXPECT_EQ(W()->Opgoerelse, 1);
}

TEST_F(GantVindueTest, TheOemFontDrawsTheBoxGlyphs) {
  HDC dc = CreateCompatibleDC(0);
  HBITMAP bmp = CreateCompatibleBitmap(GetDC(0), 8 * 9, 11);
  SelectObject(dc, bmp);
  SelectObject(dc, GantBjaelkeFont());
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  const uint8_t tegn[] = {179, 195, 180, 196, 186, 204, 185, 205, ' '};
  TextOutA(dc, 0, 0, reinterpret_cast<const char *>(tegn), sizeof tegn);
  for (size_t i = 0; i < sizeof tegn; ++i) {
    int sorte = 0;
    for (int x = 0; x < 8; ++x)
      for (int y = 0; y < 11; ++y) sorte += GetPixel(dc, int(i) * 8 + x, y) == RGB(0, 0, 0);
    SCOPED_TRACE(int(tegn[i]));
    if (tegn[i] == ' ') {
      EXPECT_EQ(sorte, 0);
    } else {
      EXPECT_GE(sorte, 4);
    }
  }
  DeleteDC(dc);
  DeleteObject(bmp);
}

TEST_F(GantVindueTest, DataChangedAfterRecordsWereAddedGivesTheNewRecordsBars) {
  Akti("Dansk A", {U(2), U(6), U(2), U(6)});
  Aabn();
  const uint32_t foer = W()->BjaelkeAntal;
  // An import adds activities past the table's old count (and its block).
  uint32_t ny = 0;
  for (int i = 0; i < 40; ++i) ny = Akti("Ny", {U(10), U(12), U(10), U(12)});
  Ske(U(11), ny);
  SendMessageA(h, DATA_AENDRET, 0, 0);
  PumpUntilIdle();
  GANTWS *ws = W();
  EXPECT_GT(ws->BjaelkeAntal, foer);
  EXPECT_EQ(ws->BjaelkeAntal, tvakti.wRecCnt);
  EXPECT_EQ(Linje(ws, ny), ".........[=]........." );
  EXPECT_EQ(ws->GruppeFlagAntal, tvakti.wRecCnt);
  EXPECT_EQ(uint32_t{ws->ens.ObjTabAntal}, 41u);
  // The group flags are packed back on close without touching past the table.
  DestroyWindow(h);
  h = 0;
  EXPECT_EQ(reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, ny))->Gruppe, 2u);
}

// ---- Drawing

TEST_F(GantVindueTest, ACancelledActivitysRowHeaderIsStruckThroughInColour14) {
  // Colour 14 from the palette file, so the line differs from the text.
  {
    std::ofstream pal(mappe / "ini" / "tavo.pal");
    pal << "Palette\n16 (255,0,0)\n";
  }
  farver_intern::InitPaletteDybde(32);
  const COLORREF roed = RGB(255, 0, 0);
  ASSERT_EQ(FarveTab[14], roed);
  const uint32_t aflyst = Akti("Aflyst A", {U(2), U(6), U(2), U(6)});
  Akti("Bb", {U(2), U(6), U(2), U(6)});
  reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, aflyst))->Aflyst = 'J';
  ObjSwitchSaetSortFelt(kGantRaekkeArt, 'K', 1);
  // Views 0 (a chart, 11-pixel rows) and 5 (a statement, 15-pixel rows).
  for (uint32_t sw : {0u, 5u}) {
    SCOPED_TRACE(sw);
    ObjSwitchVaelg(kGantRaekkeArt, 'K', sw);
    Aabn();
    GANTWS *ws = W();
    ASSERT_EQ(ws->ens.ObjTab[1], aflyst);
    const int rh = ws->Opgoerelse ? kGantOpgRaekkeHoejde : kGantRaekkeHoejde;
    const HWND rude = ws->ens.hwndRaekkeHoved;
    const int bredde = ws->ens.RudeB[ENS_RAEKKEHOVED];
    ASSERT_GT(bredde, 100);
    for (int x = 0; x < bredde; ++x) {
      ASSERT_EQ(tavo::test::WindowPixel(rude, x, rh / 2), roed) << x;
      ASSERT_NE(tavo::test::WindowPixel(rude, x, rh + rh / 2), roed) << x;
    }
    // The line comes back with every repaint of the row.
    SendMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageA(h, WM_KEYDOWN, VK_UP, 0);
    InvalidateRect(h, nullptr, FALSE);
    PumpUntilIdle();
    EXPECT_EQ(tavo::test::WindowPixel(rude, bredde - 1, rh / 2), roed);
    DestroyWindow(h);
    PumpUntilIdle();
  }
}

TEST_F(GantVindueTest, AChangeRepaintsOnlyWhatItMoved) {
  for (int i = 0; i < 4; ++i) Akti("Dansk", {U(2), U(9), U(2), U(9)});
  Aabn();
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  GANTWS *ws = W();
  const HWND celler = ws->ens.hwndCeller, hoved = ws->ens.hwndKolHoved, raekker = ws->ens.hwndRaekkeHoved;
  ASSERT_EQ(uint32_t{ws->KolPos.Aktuel}, 5u);
  ASSERT_EQ(uint32_t{ws->ens.ScrollX}, 0u);
  const auto xer = [](const std::vector<tavo::test::DrawnText> &v) {
    std::set<int> s;
    for (const auto &t : v) s.insert(t.x);
    return s;
  };
  const auto yer = [](const std::vector<tavo::test::DrawnText> &v) {
    std::set<int> s;
    for (const auto &t : v) s.insert(t.y);
    return s;
  };

  // Right within the year: the week header and the cells of the old and
  // the new week only, one character each; no row header.
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_EQ(uint32_t{ws->KolPos.Aktuel}, 6u);
  const std::set<int> kolonner{4 * kGantUgeBredde, 5 * kGantUgeBredde};
  const auto c = Tekster(celler);
  EXPECT_EQ(xer(c), kolonner);
  EXPECT_EQ(c.size(), 2u * 4u);
  for (const auto &t : c) EXPECT_EQ(t.text.size(), 1u);
  EXPECT_EQ(xer(Tekster(hoved)), kolonner);
  EXPECT_TRUE(Tekster(raekker).empty());
  // The new week is highlighted in the active colours, the old one is not.
  for (const auto &t : c)
    EXPECT_EQ(t.bk_color, t.x == 5 * kGantUgeBredde || t.y == 0 ? FarveTab[1] : FarveTab[0]) << t.x << " " << t.y;

  // Down: the old and the new row whole, in the cells and the row headers;
  // no week header.
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
  const std::set<int> raekkerY{0, kGantRaekkeHoejde};
  EXPECT_EQ(yer(Tekster(celler)), raekkerY);
  EXPECT_EQ(yer(Tekster(raekker)), raekkerY);
  EXPECT_TRUE(Tekster(hoved).empty());

  // A key that moves nothing repaints no pane; deactivation repaints all.
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, WM_KEYDOWN, VK_UP, 0);
  SendMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
  tavo::test::ClearDrawnTexts();
  GantOpfrisk(ws, 0, 0);
  EXPECT_TRUE(Tekster(celler).empty());
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  const std::set<int> alle{0, kGantRaekkeHoejde, 2 * kGantRaekkeHoejde, 3 * kGantRaekkeHoejde};
  EXPECT_EQ(yer(Tekster(celler)), alle);
  EXPECT_EQ(yer(Tekster(raekker)), alle);
  EXPECT_GE(Tekster(hoved).size(), 3u * kUger);

  // New events under rows that stay: the bars are drawn again.
  Ske(U(7), ws->ens.ObjTab[1]);
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, DATA_AENDRET, 0, 0);
  bool ny = false;
  for (const auto &t : Tekster(celler))
    ny |= t.y == 0 && t.x == 0 && t.text.size() > 6 && static_cast<uint8_t>(t.text[6]) == GANT_SKE;
  EXPECT_TRUE(ny);
}

TEST_F(GantVindueTest, TheActiveWindowDrivesTheCurrentRecordWeekAndDate) {
  const uint32_t a = Akti("Aa", {U(2), U(9), U(2), U(9)});
  const uint32_t b = Akti("Bb", {U(2), U(9), U(2), U(9)});
  ObjSwitchSaetSortFelt(kGantRaekkeArt, 'K', 1);
  HWND dato = CreateWindowExA(0, "WfbVaert", "", WS_CHILD, 0, 0, 10, 10, hoved, 0, 0, nullptr);
  StatusFelter.Dato = dato;
  tvakti.AktuelRec = 0;
  Aabn();
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  // The first row's record became the table's current one.
  EXPECT_EQ(tvakti.AktuelRec, a);
  GANTWS *ws = W();
  ws->RaekkePos.Aktuel = 2;
  ws->KolPos.Aktuel = 12;
  wfb_test::Log().clear();
  GantOpfrisk(ws, 0, 0);
  EXPECT_EQ(tvakti.AktuelRec, b);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 12u);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelDato}, 20241021u);  // Monday of week 43
  bool vist = false;
  for (const auto &m : wfb_test::Log()) vist |= m.msg == 1928 && m.l == 20241021;
  EXPECT_TRUE(vist);
  // An inactive window leaves them alone.
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  ws->KolPos.Aktuel = 3;
  GantOpfrisk(ws, 0, 0);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 12u);
  // Rebuild flag 4: the next row's record becomes current before the
  // rebuild, the previous one's on the last row.
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  ws->RaekkePos.Aktuel = 1;
  GantOpfrisk(ws, GANT_BYG_NAESTE, 0);
  EXPECT_EQ(GantAktuelRec(ws), b);
  GantOpfrisk(ws, GANT_BYG_NAESTE, 0);
  EXPECT_EQ(GantAktuelRec(ws), a);
  StatusFelter.Dato = 0;
}

// ---- Statements in the window

TEST_F(GantVindueTest, StatementCellsAreAskedInSumMode7UnderAnfosumperaar) {
  // Field 223 shows the sum mode it is asked in as a character.
  TilfoejFelter("73,M,3,223,0,2,0,0,2,0,1,T,0\r\n");
  Anfo(41, {U(1), U(9), U(1), U(9)});
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 3);
  for (uint8_t sumPerAar : {1, 0}) {
    SCOPED_TRACE(int(sumPerAar));
    GlobalIndstillinger.anfosumperaar = sumPerAar;
    tavo::test::ClearDrawnTexts();
    h = CreateGantWnd('M', 10, 10, 990, 690, &tdanfo, &tvanfo, 40147, desktop);
    PumpUntilIdle();
    ASSERT_EQ(W()->Opgoerelse, 1);
    bool mode7 = false;
    for (const auto &t : Tekster(W()->ens.hwndCeller)) mode7 |= t.text.find('\x07') != std::string::npos;
    EXPECT_EQ(mode7, sumPerAar == 1);
    DestroyWindow(h);
    PumpUntilIdle();
  }
}

TEST_F(GantVindueTest, AColumnMoveRecomputesTheStatementByTheRules) {
  const ObjFeltKroge gemt = ObjFeltKrog;
  ObjFeltKrog.KolonneUgedag = TaelUgedag;
  TilfoejFelter("73,K,5,211,0,2,0,0,8,0,1,T,0\r\n73,M,3,211,0,2,0,0,8,0,1,T,0\r\n");
  InitPeriode(20240805, 20250630, 0);
  for (int i = 0; i < 3; ++i) {
    Akti("Aa", {U(2), U(30), U(2), U(30)}, 20240805, 20250630);
    Anfo(41 + i, {U(2), U(30), U(2), U(30)});
  }
  // One Right at the statement's right edge: the week moves one column;
  // the probe counts the texts asked meanwhile.
  const auto hoejre = [&] {
    GANTWS *ws = W();
    ws->ens.ScrollX = static_cast<uint32_t>(std::max<int64_t>(
        int64_t{ObjSwitchBredde(ws->OpgArt, ws->Bogstav, ws->OpgSwitch)} - 1 - ws->ens.RudeB[ENS_CELLER], 0));
    GantOpfrisk(ws, 0, 0);
    weekdayKald = 0;
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, WM_KEYDOWN, VK_RIGHT, 0);
    return weekdayKald;
  };
  // Activities: within the calendar year nothing is asked and no line is
  // drawn; 23 December to 30 December 2024 is the same year; into January
  // the rows and the totals are worked out (3 + 3).
  ObjSwitchVaelg(kGantRaekkeArt, 'K', 5);
  SaetAktuelDato(20240902);
  Aabn();
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  ASSERT_EQ(W()->Opgoerelse, 1);
  EXPECT_EQ(hoejre(), 0);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 6u);
  EXPECT_TRUE(Tekster(W()->ens.hwndCeller).empty());
  SaetAktuelDato(20241223);
  EXPECT_EQ(hoejre(), 0);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelDato}, 20241230u);
  EXPECT_EQ(hoejre(), 6);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelDato}, 20250106u);
  std::set<int> linjer;
  for (const auto &t : Tekster(W()->ens.hwndCeller)) linjer.insert(t.y);
  EXPECT_EQ(linjer.size(), 3u);
  DestroyWindow(h);
  PumpUntilIdle();
  // Employees: every move.
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 3);
  SaetAktuelDato(20240902);
  h = CreateGantWnd('M', 10, 10, 990, 690, &tdanfo, &tvanfo, 40147, desktop);
  PumpUntilIdle();
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  ASSERT_EQ(W()->Opgoerelse, 1);
  EXPECT_EQ(hoejre(), 6);
  EXPECT_EQ(hoejre(), 6);
  // The same rows with new figures: every line and the totals again, the
  // row headers stand.
  std::set<int> nye;
  for (const auto &t : Tekster(W()->ens.hwndCeller)) nye.insert(t.y);
  EXPECT_EQ(nye.size(), 3u);
  EXPECT_FALSE(Tekster(W()->ens.hwndFodH).empty());
  EXPECT_TRUE(Tekster(W()->ens.hwndRaekkeHoved).empty());
  ObjFeltKrog = gemt;
}

TEST_F(GantVindueTest, HorizontalKeysInAStatementScrollByTheViewAndMoveTheWeekAtTheEdge) {
  Anfo(41, {U(1), U(9), U(1), U(9)});
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 3);
  HWND dato = CreateWindowExA(0, "WfbVaert", "", WS_CHILD, 0, 0, 10, 10, hoved, 0, 0, nullptr);
  StatusFelter.Dato = dato;
  // Narrow, so the statement is wider than its view.
  h = CreateGantWnd('M', 10, 10, 400, 690, &tdanfo, &tvanfo, 40147, desktop);
  PumpUntilIdle();
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  SetFocus(h);
  GANTWS *ws = W();
  const int64_t vis = ws->ens.RudeB[ENS_CELLER];
  const int64_t slut = int64_t{ObjSwitchBredde(ws->OpgArt, 'M', 3)} - 1 - vis;
  ASSERT_GT(slut, vis);
  tavo::test::PressKey(VK_RIGHT, tavo::test::ModCtrl);
  PumpUntilIdle();
  EXPECT_EQ(int64_t{ws->ens.ScrollX}, vis);
  // The second view width would pass the end: it stops there.
  ASSERT_LT(slut, 2 * vis);
  tavo::test::PressKey(VK_RIGHT, tavo::test::ModCtrl);
  PumpUntilIdle();
  EXPECT_EQ(int64_t{ws->ens.ScrollX}, slut);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 5u);
  // At the edge Right moves the week, the program's date and the date pane.
  wfb_test::Log().clear();
  tavo::test::PressKey(VK_RIGHT);
  PumpUntilIdle();
  EXPECT_EQ(int64_t{ws->ens.ScrollX}, slut);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelUgeIndeks}, 6u);
  EXPECT_EQ(uint32_t{SkemaPeriode.AktuelDato}, 20240909u);
  bool vist = false;
  for (const auto &m : wfb_test::Log()) vist |= m.msg == 1928 && m.l == 20240909;
  EXPECT_TRUE(vist);
  // The scroll bar follows the pixel offset.
  EXPECT_EQ(GetScrollPos(ws->ens.hwndHScroll, SB_CTL), static_cast<int>(slut));
  StatusFelter.Dato = 0;
}

TEST_F(GantVindueTest, AnEmptyHolidayStatementTotalsZeroInEveryColumn) {
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 6);
  tavo::test::ClearDrawnTexts();
  h = CreateGantWnd('M', 10, 10, 990, 690, &tdanfo, &tvanfo, 40147, desktop);
  PumpUntilIdle();
  GANTWS *ws = W();
  ASSERT_EQ(ws->Opgoerelse, 1);
  ASSERT_EQ(uint32_t{ws->ens.ObjTabAntal}, 0u);
  ASSERT_GT(ws->OpgFeltAntal, 5);
  std::set<std::string> tegnet;
  for (const auto &t : Tekster(ws->ens.hwndFodH)) tegnet.insert(t.text);
  for (uint32_t i = 0; i < ws->OpgFeltAntal; ++i) {
    SCOPED_TRACE(i);
    std::string sum = ws->OpgSummer[i];
    EXPECT_EQ(sum.substr(sum.find_first_not_of(' ')), i < 5 ? "0,0" : "0");
    EXPECT_TRUE(tegnet.count(sum));
  }
}

TEST_F(GantVindueTest, SnapshotsOfTheHolidayStatementAndAChart) {
  // A palette file as an installation has one: the caption's, the
  // totals' and the strike-through colours.
  {
    std::ofstream pal(mappe / "ini" / "tavo.pal");
    pal << "Palette\n1 (255,255,200)\n16 (255,0,0)\n23 (220,220,220)\n";
  }
  farver_intern::InitPaletteDybde(32);
  for (int i = 0; i < 5; ++i) Anfo(41 + i, {U(1 + i), U(9 + i), U(1 + i), U(9 + i)});
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 6);
  h = CreateGantWnd('M', 10, 10, 990, 690, &tdanfo, &tvanfo, 40147, desktop);
  PumpUntilIdle();
  GANTWS *ws = W();
  ASSERT_EQ(ws->Opgoerelse, 1);
  // The band: "Ferie" over the five holiday columns, "Særlig feriedage" after.
  std::set<std::string> baand;
  for (const auto &t : Tekster(ws->ens.hwndKolHoved)) baand.insert(t.text);
  EXPECT_TRUE(baand.count("Ferie"));
  EXPECT_TRUE(baand.count("Særlig feriedage"));
  // The sort buttons stand under the band.
  ASSERT_GT(ws->OpgSortKnapAntal, 5u);
  EXPECT_TRUE(IsWindowVisible(ws->OpgSortKnapper[0]));
  EXPECT_TRUE(IsWindowVisible(ws->SortKnapper[0]));
  EXPECT_TRUE(tavo::test::SaveWindowPng(h, (fs::temp_directory_path() / "gant_ferieopgoerelse.png").c_str()));
  DestroyWindow(h);
  PumpUntilIdle();
  ObjSwitchVaelg(kGantRaekkeArt, 'M', 0);
  h = CreateGantWnd('M', 10, 10, 990, 690, &tdanfo, &tvanfo, 40147, desktop);
  PumpUntilIdle();
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  EXPECT_TRUE(tavo::test::SaveWindowPng(h, (fs::temp_directory_path() / "gant_medarbejdere.png").c_str()));
}

}  // namespace
