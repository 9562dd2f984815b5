// The AutoSkema import: the answer's events read back from the buckets,
// the log of unplaced lessons, the failures that must leave the schedule
// and both exchange files alone, and the menu items it sets.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AVSHJAELP.h"
#include "ImpAutoSkema.h"
#include "LOGFIL.h"
#include "LOGVISNING.h"
#include "MENUKOMMANDO.h"
#include "ROLLEFORSLAG.h"
#include "SKEBEG.h"
#include "autoskema_fixture.h"
#include "ressourcer.h"
#include "tavo/test_file.h"
#include "win/menu.h"

namespace {

using namespace autotest;

std::vector<UINT> &Hoved() {
  static std::vector<UINT> v;
  return v;
}
LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == HOVED_PRIKSKEMA) Hoved().push_back(m);
  return DefWindowProcA(h, m, w, l);
}
std::vector<UINT> &Lytter() {
  static std::vector<UINT> v;
  return v;
}
LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == DATA_AENDRET) Lytter().push_back(m);
  return DefWindowProcA(h, m, w, l);
}
std::vector<std::string> &Linjer() {
  static std::vector<std::string> v;
  return v;
}
LRESULT CALLBACK LinjeRudeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_HOEJDE) Linjer().push_back(reinterpret_cast<const char *>(l));
  return DefWindowProcA(h, m, w, l);
}

// A placed event as its rows give it.
struct Placeret {
  Uge uge;
  uint8_t dag, lektion;
  uint32_t status;
  std::vector<uint32_t> akti, anfo, rolle, loka, lokrolle;
  uint32_t skfa, risy;
};

class ImpAutoSkemaTest : public AutoSkole {
 public:
  HMENU menu = 0;
  HWND lytter = 0;
  uint32_t laerer = 0, lokrolle = 0, akti1 = 0, akti2 = 0, anfo1 = 0, anfo2 = 0, loka1 = 0, loka2 = 0, fag1 = 0,
           risy = 0;

  void SetUp() override {
    AutoSkole::SetUp();
    WNDCLASSA wc{};
    wc.lpfnWndProc = HovedProc;
    wc.lpszClassName = "AutoHoved";
    RegisterClassA(&wc);
    wc.lpfnWndProc = LytterProc;
    wc.lpszClassName = "AutoLytter";
    RegisterClassA(&wc);
    wc.lpfnWndProc = LinjeRudeProc;
    wc.lpszClassName = "AutoLinjeRude";
    RegisterClassA(&wc);
    hwndHoved = CreateWindowExA(0, "AutoHoved", "", WS_OVERLAPPED, 0, 0, 100, 100, 0, 0, 0, nullptr);
    menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 40281, "&Import fra AutoSkema");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 40286, "&Åbn Autoske log for ikke placerede brikker");
    SetMenu(hwndHoved, menu);
    DestroyWindow(StatusFelter.Server);
    StatusFelter.Server = CreateWindowExA(0, "AutoLinjeRude", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, 0, nullptr);
    lytter = CreateWindowExA(0, "AutoLytter", "", WS_CHILD, 0, 0, 10, 10, desktop, 0, 0, nullptr);
    VinduesListeTilfoej(lytter);
    Hoved().clear();
    Lytter().clear();
    Linjer().clear();
    logTitel.clear();
    RegistrerOrvaneRessourcer();

    SkemarolRec r{};
    r.id = 150;
    Tekst(r.Rolle, "L");
    r.Status = 10;
    laerer = Ny(tdskemarol, tvskemarol, r);
    LokrolleRec lr{};
    lr.id = 160;
    lr.Lokalerolle = 'U';
    lr.Status = 10;
    lokrolle = Ny(tdlokrolle, tvlokrolle, lr);
    for (auto &f : RolleForslagene) f = laerer;
    RolleForslagene[RF_LOKA] = RolleForslagene[RF_STJERNE_LOKA] = lokrolle;

    risy = Ring(401, "STD", {{800, 845, 1.0f}, {845, 930, 1.0f}});
    akti1 = Aktivitet(101, "1a", risy);
    akti2 = Aktivitet(102, "2b", risy);
    anfo1 = AnfoMed(601, Meda(501, "AB"));
    anfo2 = AnfoMed(602, Meda(502, "CD"));
    loka1 = Lokale(701, 1, "28");
    loka2 = Lokale(702, 1, "20");
    fag1 = Fag(301, "DAN", "Dansk");
    ASSERT_EQ(AabnLog(), 1);
  }

  void TearDown() override {
    LukLog();
    for (auto &f : RolleForslagene) f = 0;
    VinduesListeFjern(lytter);
    DestroyWindow(lytter);
    DestroyWindow(hwndHoved);
    AutoSkole::TearDown();
  }

  void SkrivSvar(const std::string &tekst) {
    std::ofstream(Svar(), std::ios::binary) << tekst;
    std::ofstream(Eksport(), std::ios::binary) << "{}";
  }
  bool Graa(UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
  std::string Log() { return LaesFil(rod / "log" / "AutoSkemaIkkePlaceret.log"); }
  std::string HovedLog() {
    LukLog();
    const std::string s = LaesFil(rod / "log" / "tavo.log");
    AabnLog();
    return s;
  }
  // The box "Importfil er nu indlæst" is answered, then the log window.
  std::string logTitel;
  void VisLogSvar() {
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDOK}; });
    tavo::test::AnswerNextDialog([this](const tavo::test::ShownDialog &d) {
      logTitel = d.caption;
      EndDialog(d.hwnd, IDOK);
      return INT_PTR{0};
    });
  }

  // The AutoSkema events of the period, week by week.
  std::vector<Placeret> Placerede() {
    std::vector<Placeret> v;
    for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) {
      const Uge uge = IndeksTilUge(i);
      const TabVar *b = SkemabegBucket(uge);
      for (uint32_t n = 1; b && n < b->wRecCnt; ++n) {
        const SkeRec s = Ske(uge, n);
        if (s.Forste != n || s.Status == 0) continue;
        AVS avs{};
        HentAVS(static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar), static_cast<uint8_t>(uge % 100), n, &avs,
                true);
        Placeret p{uge, avs.Dag, avs.Lektion, s.Status, {}, {}, {}, {}, {}, avs.skfa_id, avs.risy_id};
        p.akti.assign(avs.aktiTab, avs.aktiTab + avs.aktiAntal);
        p.anfo.assign(avs.anfoTab, avs.anfoTab + avs.anfoAntal);
        p.rolle.assign(avs.skemarolTab, avs.skemarolTab + avs.anfoAntal);
        p.loka.assign(avs.lokaTab, avs.lokaTab + avs.lokaAntal);
        p.lokrolle.assign(avs.lokrolleTab, avs.lokrolleTab + avs.lokaAntal);
        CleanupAVS(&avs);
        v.push_back(p);
      }
    }
    return v;
  }
};

TEST_F(ImpAutoSkemaTest, PlacedEventsReadBackWithTheirRolesAndWeeks) {
  SkrivSvar(R"({"skema_fundet":true,"skemabegivenheder":[
{"skemabeg_id":1,"dato":20241223,"lektion":1,"start":800,"slut":845,"risy_id":401,"skfa_id":301,"akti":[101],
 "undervisere":[{"anfo_id":601,"meda_id":501}],"loka":[701,702]},
{"dato":20250108,"lektion":2,"start":845,"slut":930,"akti":[102],"undervisere":[{"meda_id":502,"anfo_id":602}]},
{"dato":20250915,"lektion":1,"start":800,"slut":845,"akti":[101]}
]})");
  MainMenuCommand(hwndHoved, 40281, 0);
  const auto p = Placerede();
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].uge, 202452u);
  EXPECT_EQ(p[0].dag, 1);
  EXPECT_EQ(p[0].lektion, 1);
  EXPECT_EQ(p[0].status & 448, 128u);
  EXPECT_EQ(p[0].akti, std::vector<uint32_t>{akti1});
  EXPECT_EQ(p[0].anfo, std::vector<uint32_t>{anfo1});
  EXPECT_EQ(p[0].rolle, std::vector<uint32_t>{laerer});
  EXPECT_EQ(p[0].loka, (std::vector<uint32_t>{loka1, loka2}));
  EXPECT_EQ(p[0].lokrolle, (std::vector<uint32_t>{lokrolle, lokrolle}));
  EXPECT_EQ(p[0].skfa, fag1);
  EXPECT_EQ(p[0].risy, risy);
  // The second element names no rooms, subject or ring system: it keeps
  // none of the first one's; its employment is found by name, not place.
  EXPECT_EQ(p[1].uge, 202502u);
  EXPECT_EQ(p[1].dag, 3);
  EXPECT_EQ(p[1].status & 448, 128u);
  EXPECT_EQ(p[1].anfo, std::vector<uint32_t>{anfo2});
  EXPECT_TRUE(p[1].loka.empty());
  EXPECT_EQ(p[1].skfa, 0u);
  EXPECT_EQ(p[1].risy, 0u);
  // The third lies after the period: logged, not placed.
  EXPECT_NE(HovedLog().find("20250915 ligger uden for skemaperioden"), std::string::npos);
  // Both files went with the save that holds the events.
  EXPECT_FALSE(fs::exists(Svar()));
  EXPECT_FALSE(fs::exists(Eksport()));
  EXPECT_TRUE(fs::exists(rod / "data" / "skemabeg.dat"));
  EXPECT_TRUE(Graa(40281));
  EXPECT_EQ(Hoved(), std::vector<UINT>{HOVED_PRIKSKEMA});
  EXPECT_EQ(Linjer(), std::vector<std::string>{""});
  EXPECT_EQ(Lytter(), std::vector<UINT>{DATA_AENDRET});
  const auto b = tavo::test::MessageBoxesShown();
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].text, "Importfil er nu indlæst");
  EXPECT_EQ(b[0].caption, "Import afsluttet!");
}

TEST_F(ImpAutoSkemaTest, NotFoundLogsTheModulesMessages) {
  SkrivSvar(R"({"skema_fundet":false,"fejlmeddelelser":["Ingen plads til 1a","Lærer AB er optaget"]})");
  VisLogSvar();
  ImpAutoSkema();
  EXPECT_TRUE(Placerede().empty());
  EXPECT_EQ(Log(), "\r\nFejlmeddelelser!\r\n\r\nIngen plads til 1a\r\nLærer AB er optaget\r\n");
  EXPECT_FALSE(Graa(40286));
  EXPECT_EQ(logTitel, "Auto Skema import log!");
  EXPECT_TRUE(Hoved().empty());
  EXPECT_TRUE(Graa(40281));
}

TEST_F(ImpAutoSkemaTest, FoundWithNoEventsAddsNothingAndOpensNoDotSchedule) {
  SkrivSvar(R"({"skema_fundet":true,"skemabegivenheder":[]})");
  ImpAutoSkema();
  EXPECT_TRUE(Placerede().empty());
  EXPECT_TRUE(Hoved().empty());
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  EXPECT_TRUE(Graa(40286));
}

TEST_F(ImpAutoSkemaTest, ConsecutiveUnplacedElementsOfOneActivityShareALine) {
  SkrivSvar(R"({"skema_fundet":true,"ikke_placerede_planbegivenheder":[
{"akti_id":101,"skfa_id":301,"undervisere":[{"anfo_id":601}],"uger":[{"ugenr":202451,"lektioner":"9"},{"ugenr":202452,"lektioner":4}]},
{"akti_id":101,"skfa_id":301,"undervisere":[{"anfo_id":601}],"uger":[{"ugenr":202452,"lektioner":2}]},
{"akti_id":101,"skfa_id":301,"undervisere":[{"anfo_id":601}],"uger":[{"ugenr":202452,"lektioner":2}]},
{"akti_id":102,"undervisere":[{"anfo_id":601},{"anfo_id":602}],"uger":[{"ugenr":202452,"lektioner":1}]}
]})");
  VisLogSvar();
  ImpAutoSkema();
  EXPECT_EQ(Log(),
            "Planlagte skemabegivenheder, som ikke kunne placeres!\r\n\r\n"
            "Aktivitet: 1a; Skolefag: DAN - Dansk; Underviser: AB;  Antal ikke placerede: 3 ud af 4.\r\n"
            "Aktivitet: 2b; Underviser: AB, CD;  Antal ikke placerede: 1 ud af 1.\r\n");
  EXPECT_FALSE(Graa(40286));
  EXPECT_EQ(logTitel, "Auto Skema import log!");
}

TEST_F(ImpAutoSkemaTest, AnUnknownMemberIsLoggedOnce) {
  SkrivSvar(R"({"skemabegivenheder":[{"skemabeg_id":5,"dato":20241223,"lektion":1,"start":800,"slut":845,
"akti":[101],"farve":"rød"}]})");
  ImpAutoSkema();
  const std::string log = HovedLog();
  const std::string linje = "** Fejl: json_behandl_input(): Ukendt (ubehandlet) værdi: farve = rød ";
  size_t antal = 0;
  for (size_t p = log.find("json_behandl_input(): Ukendt"); p != std::string::npos;
       p = log.find("json_behandl_input(): Ukendt", p + 1))
    ++antal;
  EXPECT_EQ(antal, 1u) << log;
  EXPECT_NE(log.find(linje), std::string::npos) << log;
  EXPECT_EQ(Placerede().size(), 1u);
}

// The answer goes only with the save that holds its events.
TEST_F(ImpAutoSkemaTest, AFailedSaveKeepsTheAnswer) {
  const std::string svar = R"({"skemabegivenheder":[{"dato":20241223,"lektion":1,"start":800,"slut":845,"akti":[101]}]})";
  SkrivSvar(svar);
  tavo::test::FileFault f;
  f.kinds = tavo::test::kFileFlush;
  f.nth = 1;
  f.error = ERROR_DISK_FULL;
  f.under = (rod / "data").string();
  tavo::test::SetFileFault(f);
  ImpAutoSkema();
  tavo::test::ClearFileFault();
  EXPECT_EQ(LaesFil(Svar()), svar);
  EXPECT_TRUE(fs::exists(Eksport()));
  bool gem = false;
  for (const auto &b : tavo::test::MessageBoxesShown()) gem = gem || b.caption == "Gem";
  EXPECT_TRUE(gem);
}

// A missing or unreadable answer leaves the schedule and both files alone.
TEST_F(ImpAutoSkemaTest, AnswersThatCannotBeReadChangeNothing) {
  struct Tilfaelde {
    const char *navn;
    const char *svar;  // null: no file
    std::string tekst, titel;
  };
  const std::vector<Tilfaelde> tabel = {
      {"missing", nullptr, "Kunne ikke åbne importfilen %s.", "Fejl ved filåbning!"},
      {"cut off", R"({"skemabegivenheder":[{"dato":20241223,)",
       "Importfilen indeholder ugyldige data. Kontakt TAVO support for hjælp", "Fejl i input-data!"},
      {"not JSON", "skema fundet",
       "Importfilen indeholder ugyldige data. Kontakt TAVO support for hjælp", "Fejl i input-data!"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    TearDown();
    SetUp();
    Begivenhed(9001, 0x50, 1, 1, 800, 845, risy, fag1, {{akti1, anfo1, loka1}});
    std::ofstream(Eksport(), std::ios::binary) << "{}";
    if (t.svar) std::ofstream(Svar(), std::ios::binary) << t.svar;
    const std::vector<uint32_t> foer = Statusser();
    ImpAutoSkema();
    const auto b = tavo::test::MessageBoxesShown();
    ASSERT_EQ(b.size(), 1u);
    std::string tekst = t.tekst;
    if (const size_t p = tekst.find("%s"); p != std::string::npos) tekst.replace(p, 2, StiTab.szasimp);
    EXPECT_EQ(b[0].text, tekst);
    EXPECT_EQ(b[0].caption, t.titel);
    EXPECT_EQ(Statusser(), foer);
    EXPECT_TRUE(fs::exists(Eksport()));
    EXPECT_EQ(fs::exists(Svar()), t.svar != nullptr);
    EXPECT_FALSE(Graa(40281));
    EXPECT_EQ(Linjer(), std::vector<std::string>{""});
    EXPECT_EQ(Lytter(), std::vector<UINT>{DATA_AENDRET});
  }
}

}  // namespace
