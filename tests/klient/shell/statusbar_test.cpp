// The status row: where the layout puts each pane, what the panes draw, the
// hover texts and tooltips, the double clicks, the news pane's life and the
// menu help.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "AKTICHK.h"
#include "DATO.h"
#include "ENS.h"
#include "EPIMPORT.h"
#include "EPKONTAKT.h"
#include "KROGE.h"
#include "LISTBOX.h"
#include "OPDAT.h"
#include "OPSTART.h"
#include "TASTINFO.h"
#include "WEBKALD.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "statusbar_support.h"
#include "tavo/clock.h"
#include "tavo/test_gdi.h"

using namespace statusbar_test;
using tavo::test::PumpUntilIdle;

// The row as a whole (layout, text bar, menu help) and its single panes.
class StatusBar : public StatusRaekke {};
class StatusPane : public StatusRaekke {};

namespace {

std::string Tekst(const RECT &r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}
bool Samme(const RECT &a, const RECT &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The texts drawn into a window since the log was cleared.
std::vector<tavo::test::DrawnText> TegnetI(HWND h) {
  std::vector<tavo::test::DrawnText> ud;
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == h) ud.push_back(d);
  return ud;
}

void Maal(HWND h) {
  tavo::test::ClearDrawnTexts();
  InvalidateRect(h, nullptr, TRUE);
  UpdateWindow(h);
}

}  // namespace

// ---- layout ----

TEST_F(StatusBar, LayoutPlacesEveryPaneFromTheRight) {
  // Without the restore log the pane keeps where it was: it starts at size 0.
  const RECT nul = {0, 0, 0, 0};
  struct Raekke {
    uint8_t elevplan, genfejl, nyheder;
    int bredde;
    // left edges: forbindelse, insstatus, genfejl (-1: kept), the
    // Elevplan contact and status, dato, laas, insnr, nyheder (-1: size 0),
    // then the text bar's width
    int forb, ins, gen, epk, ep, dato, laas, insnr, nyt, tekst;
  };
  const Raekke raekker[] = {
      {0, 0, 0, 800, 576, 552, -1, -1, -1, 464, 416, 392, -1, 392},
      {0, 1, 0, 800, 576, 552, 528, -1, -1, 440, 392, 368, -1, 368},
      {1, 0, 0, 800, 576, 552, -1, 352, 328, 240, 192, 168, -1, 168},
      {1, 1, 1, 800, 576, 552, 528, 328, 304, 216, 168, 144, 112, 112},
      {0, 0, 1, 1000, 776, 752, -1, -1, -1, 664, 616, 592, 560, 560},
      // Narrower than the panes: the text bar takes no room.
      {1, 1, 1, 500, 276, 252, 228, 28, 4, -84, -132, -156, -188, 0},
  };
  for (const Raekke &r : raekker) {
    SCOPED_TRACE(testing::Message() << "elevplan " << +r.elevplan << " genfejl " << +r.genfejl << " nyheder "
                                    << +r.nyheder << " bredde " << r.bredde);
    MoveWindow(StatusFelter.GenFejlLog, 0, 0, 0, 0, FALSE);
    ElevplanSlaaetTil = r.elevplan;
    nyeNyheder = r.nyheder;
    if (r.genfejl)
      SkrivFil(rod / "log" / "genfejl.log", "x\n");
    else
      fs::remove(rod / "log" / "genfejl.log");
    Bredde(r.bredde);
    LayoutStatusBar();
    RECT klient;
    GetClientRect(hoved, &klient);
    ASSERT_EQ(klient.right, r.bredde);
    auto rude = [&](HWND h, int venstre, int bredde) {
      const RECT forventet = venstre == -1 ? nul : RECT{venstre, klient.bottom - 20, venstre + bredde, klient.bottom};
      EXPECT_TRUE(Samme(Rect(h), forventet)) << Tekst(Rect(h)) << " expected " << Tekst(forventet);
    };
    rude(StatusFelter.Forbindelse, r.forb, 24);
    rude(StatusFelter.InsStatus, r.ins, 24);
    rude(StatusFelter.GenFejlLog, r.gen, 24);
    rude(StatusFelter.EpKontakt, r.epk, 200);
    rude(StatusFelter.EpStatus, r.ep, 24);
    rude(StatusFelter.Dato, r.dato, 88);
    rude(StatusFelter.Laas, r.laas, 48);
    rude(StatusFelter.Insnr, r.insnr, 24);
    rude(StatusFelter.Nyheder, r.nyt, 32);
    rude(StatusFelter.TekstBar, 0, r.tekst);
  }
}

TEST_F(StatusBar, LayoutDoesNothingWhileTheTextBarIsHidden) {
  nyeNyheder = 0;
  Bredde(800);
  std::vector<RECT> foer;
  const HWND felter[] = {StatusFelter.TekstBar, StatusFelter.Laas, StatusFelter.Dato, StatusFelter.Forbindelse};
  for (HWND h : felter) foer.push_back(Rect(h));
  ShowWindow(StatusFelter.TekstBar, SW_HIDE);
  Bredde(900);
  LayoutStatusBar();
  for (size_t i = 0; i < foer.size(); ++i) EXPECT_TRUE(Samme(Rect(felter[i]), foer[i])) << i;
}

// ---- contents ----

TEST_F(StatusPane, InsnrAndLockDrawTheirCharacters) {
  GlobalIndstillinger.insnr = 7;
  Maal(StatusFelter.Insnr);
  auto t = TegnetI(StatusFelter.Insnr);
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.back().text, " 7");

  const struct {
    uint8_t super, laast;
    const char *tekst;
    COLORREF farve;
  } tilfaelde[] = {
      {0, 0, "ÅBENT", GetSysColor(COLOR_BTNTEXT)},
      {0, 1, "LÅST ", FarveTab[14]},
      {1, 0, "SUPER", GetSysColor(COLOR_BTNTEXT)},
      {1, 1, "SUPER", GetSysColor(COLOR_BTNTEXT)},
  };
  for (const auto &c : tilfaelde) {
    GlobalIndstillinger.supertavo = c.super;
    GlobalIndstillinger.skemalaast = c.laast;
    Maal(StatusFelter.Laas);
    t = TegnetI(StatusFelter.Laas);
    ASSERT_EQ(t.size(), 1u) << c.tekst;
    EXPECT_EQ(t[0].text, c.tekst);
    EXPECT_EQ(t[0].text.size(), 5u);
    EXPECT_EQ(t[0].text_color, c.farve) << c.tekst;
    EXPECT_EQ(t[0].x, 5);
    EXPECT_EQ(t[0].y, 5);
  }
}

TEST_F(StatusPane, DateShowsAndAnswersItsDate) {
  Maal(StatusFelter.Dato);
  tavo::test::ClearDrawnTexts();
  SendMessageA(StatusFelter.Dato, STATUS_DATO_SAET, 0, 20260305);
  auto t = TegnetI(StatusFelter.Dato);
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.back().text, "05-03-2026");
  EXPECT_EQ(t.back().x, 4);
  EXPECT_EQ(t.back().y, 6);
  EXPECT_EQ(SendMessageA(StatusFelter.Dato, STATUS_DATO_HENT, 0, 0), 20260305);
  // The budget date asks the same window.
  EXPECT_EQ(hDatoVindue, StatusFelter.Dato);
  // A repaint draws the stored date again.
  Maal(StatusFelter.Dato);
  t = TegnetI(StatusFelter.Dato);
  ASSERT_FALSE(t.empty());
  EXPECT_EQ(t.back().text, "05-03-2026");
}

TEST_F(StatusPane, EventColourFollowsCountersAndExportFiles) {
  EXPECT_EQ(hwndEksportStatus, StatusFelter.InsStatus);
  const COLORREF graa = GetSysColor(COLOR_BTNFACE);
  const struct {
    const char *navn;
    int taeller;  // index set to 1, -1 none
    uint32_t plan;
    const char *fil;  // in data\, or null
    COLORREF farve;
  } tilfaelde[] = {
      {"none", -1, 0, nullptr, graa},
      {"event error", 4, 0, nullptr, FarveTab[14]},
      {"posting error", 9, 0, "exp.dat", FarveTab[14]},
      {"event sent", 1, 0, nullptr, FarveTab[20]},
      {"posting deleted and sent", 8, 0, nullptr, FarveTab[20]},
      {"exp.dat alone", -1, 0, "exp.dat", FarveTab[20]},
      {"exp.dat.gz alone", -1, 0, "exp.dat.gz", FarveTab[20]},
      {"event local", 0, 0, nullptr, FarveTab[22]},
      {"posting deleted locally", 7, 0, nullptr, FarveTab[22]},
      {"planning rows", -1, 1, nullptr, FarveTab[22]},
  };
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(c.navn);
    std::fill(std::begin(EksportTaellere), std::end(EksportTaellere), 0u);
    if (c.taeller >= 0) EksportTaellere[c.taeller] = 1;
    EksportPlanTal = c.plan;
    for (const char *f : {"exp.dat", "exp.dat.gz"}) fs::remove(rod / "data" / f);
    if (c.fil) SkrivFil(rod / "data" / c.fil, "x");
    EXPECT_EQ(InsStatusFarve(), c.farve);
    Maal(StatusFelter.InsStatus);
    auto t = TegnetI(StatusFelter.InsStatus);
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].text, "\xB0\xB1");
    EXPECT_EQ(t[1].text, "\xB2\xBB");
    EXPECT_EQ(t[1].text_color, c.farve);
  }
  std::fill(std::begin(EksportTaellere), std::end(EksportTaellere), 0u);
  EksportPlanTal = 0;
}

TEST_F(StatusPane, ElevplanFrameLaterRuleWins) {
  const struct {
    uint32_t tal, fejl;
    const char *fil;
    int billede;
  } tilfaelde[] = {
      {0, 0, nullptr, 3},        {1, 0, nullptr, 2},        {0, 0, "ep_exp.dat", 1},
      {1, 0, "ep_exp.dat.gz", 1}, {1, 0, "ep_exp.dat", 1},   {0, 2, nullptr, 0},
      {1, 1, "ep_exp.dat", 0},
  };
  for (const auto &c : tilfaelde) {
    EpEksportTal = c.tal;
    EpFejlAntal = c.fejl;
    for (const char *f : {"ep_exp.dat", "ep_exp.dat.gz"}) fs::remove(rod / "data" / f);
    if (c.fil) SkrivFil(rod / "data" / c.fil, "x");
    EXPECT_EQ(EpStatusBillede(), c.billede) << c.tal << " " << c.fejl << " " << (c.fil ? c.fil : "-");
  }
  EpEksportTal = 0;
  EpFejlAntal = 0;
}

namespace {
// The job-server pane as it answers: in contact or not, and the messages
// it was given.
LRESULT gKontakt = 0;
std::vector<std::string> gBeskeder;
LRESULT CALLBACK ServerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == STATUS_SERVER_KONTAKT) return gKontakt;
  if (m == ENS_HOEJDE) {
    gBeskeder.push_back(reinterpret_cast<const char *>(l));
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}
}  // namespace

TEST_F(StatusPane, ConnectionMarksAMissingOrSilentServer) {
  // No server pane: the red mark, and its messages go nowhere.
  StatusServerBesked("Tjekker for opdatering...");
  Maal(StatusFelter.Forbindelse);
  auto t = TegnetI(StatusFelter.Forbindelse);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].text, "\x35\x36");
  EXPECT_EQ(t[1].text_color, FarveTab[14]);

  WNDCLASSA wc{};
  wc.lpfnWndProc = ServerProc;
  wc.lpszClassName = "StatusTestServer";
  RegisterClassA(&wc);
  StatusFelter.Server = CreateWindowExA(0, "StatusTestServer", "", WS_CHILD, 0, 0, 0, 0, hoved, 0, 0, nullptr);
  gBeskeder.clear();
  for (LRESULT kontakt : {0, 1}) {
    gKontakt = kontakt;
    Maal(StatusFelter.Forbindelse);
    t = TegnetI(StatusFelter.Forbindelse);
    ASSERT_EQ(t.size(), kontakt ? 1u : 2u);
    EXPECT_EQ(t[0].text, "\x33\x34");
    EXPECT_EQ(t[0].text_color, GetSysColor(COLOR_BTNTEXT));
  }
  StatusServerBesked("Tjekker for opdatering...");
  EXPECT_EQ(gBeskeder, std::vector<std::string>{"Tjekker for opdatering..."});
  DestroyWindow(StatusFelter.Server);
  StatusFelter.Server = 0;
}

// ---- the mouse ----

TEST_F(StatusPane, HoverExplainsAndLeavingRestores) {
  Bredde(900);
  const struct {
    HWND h;
    const char *forklaring;
    const char *tip;
  } felter[] = {
      {StatusFelter.Laas, "Viser om skemaet er åben, låst eller en supertavo.", "Åben, låst eller supertavo"},
      {StatusFelter.Dato, "Viser den dato TAVO markøren står på.", "TAVO dato. Dobbeltklik for dagsdato (Ctrl+Shft+D)."},
      {StatusFelter.Nyheder, "Nyheder om TAVO. Dobbeltklik i feltet for at se nyheden.",
       "Nyheder - Punktet findes også under menuen 'Hjælp/Nyheder'"},
  };
  for (const auto &f : felter) {
    SCOPED_TRACE(f.tip);
    POINT p = tavo::test::ScreenPoint(f.h, 6, 10);
    tavo::test::MouseMove(p.x, p.y);
    PumpUntilIdle();
    EXPECT_EQ(TekstBar(), f.forklaring);
    EXPECT_TRUE(TooltipVises);
    char tip[200] = "";
    GetWindowTextA(hwndTooltip, tip, sizeof tip);
    auto *ti = reinterpret_cast<TooltipInfo *>(GetWindowLongPtrA(hwndTooltip, GWLP_USERDATA));
    ASSERT_NE(ti, nullptr);
    EXPECT_STREQ(ti->text, f.tip);
    p = tavo::test::ScreenPoint(hoved, 400, 50);
    tavo::test::MouseMove(p.x, p.y);
    PumpUntilIdle();
    EXPECT_EQ(TekstBar(), "Klar");
    EXPECT_FALSE(TooltipVises);
  }
}

TEST_F(StatusPane, DateDoubleClickSetsTodayAndTellsTheWindows) {
  Bredde(900);
  // A listed window hears the broadcast.
  HWND lytter = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0, nullptr);
  VinduesListeTilfoej(lytter);
  InitPeriode(20250801, 20260731, 20250801);
  tavo::SetFakeClock(1772704800);  // 5 March 2026, 10:00 UTC
  tavo::test::StartMessageLog();
  POINT p = tavo::test::ScreenPoint(StatusFelter.Dato, 20, 10);
  tavo::test::DoubleClick(p.x, p.y);
  PumpUntilIdle();
  auto log = tavo::test::StopMessageLog();
  tavo::ClearFakeClock();
  VinduesListeFjern(lytter);
  DestroyWindow(lytter);
  EXPECT_EQ(SendMessageA(StatusFelter.Dato, STATUS_DATO_HENT, 0, 0), 20260305);
  EXPECT_EQ(SkemaPeriode.AktuelDato, 20260305u);
  bool hoert = false;
  for (const auto &m : log)
    if (m.hwnd == lytter && m.msg == AKTUEL_AENDRET) hoert = hoert || m.wParam == 1;
  EXPECT_TRUE(hoert);
}

TEST_F(StatusPane, EventDoubleClickSendsF10WithTheErrorModifier) {
  Bredde(900);
  const struct {
    uint32_t haendelser, posteringer;
    bool ctrl, shift;
  } tilfaelde[] = {{1, 1, true, false}, {1, 0, true, false}, {0, 1, false, true}, {0, 0, false, false}};
  for (const auto &c : tilfaelde) {
    std::fill(std::begin(EksportTaellere), std::end(EksportTaellere), 0u);
    EksportTaellere[4] = c.haendelser;
    EksportTaellere[9] = c.posteringer;
    F10().clear();
    POINT p = tavo::test::ScreenPoint(StatusFelter.InsStatus, 10, 10);
    tavo::test::DoubleClick(p.x, p.y);
    PumpUntilIdle();
    ASSERT_EQ(F10().size(), 1u);
    EXPECT_EQ(F10()[0].ctrl, c.ctrl) << c.haendelser << c.posteringer;
    EXPECT_EQ(F10()[0].shift, c.shift) << c.haendelser << c.posteringer;
    // The keyboard is as it was afterwards.
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  }
  std::fill(std::begin(EksportTaellere), std::end(EksportTaellere), 0u);
}

TEST_F(StatusPane, RestoreErrorDoubleClickShowsItsLog) {
  SkrivFil(rod / "log" / "genfejl.log", "begivenhed 1\r\nbegivenhed 2\r\n");
  Bredde(900);
  std::vector<std::string> linjer;
  std::string titel;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    titel = d.caption;
    HWND liste = d.Control(1119)->hwnd;
    char b[600];
    for (int i = 0; i < SendMessageA(liste, LB_GETCOUNT, 0, 0); ++i) {
      SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(b));
      linjer.push_back(b);
    }
    return IDCANCEL;
  });
  POINT p = tavo::test::ScreenPoint(StatusFelter.GenFejlLog, 10, 10);
  tavo::test::DoubleClick(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(titel, "Begivenheder, som ikke blev gemt!");
  EXPECT_EQ(linjer, (std::vector<std::string>{"begivenhed 1", "begivenhed 2"}));
}

TEST_F(StatusBar, TextBarTooltipInTheFixedFontOnlyOnTheMainBar) {
  Bredde(900);
  auto *ti = reinterpret_cast<TooltipInfo *>(GetWindowLongPtrA(hwndTooltip, GWLP_USERDATA));
  ASSERT_NE(ti, nullptr);
  HWND gitter = CreateStatusBar(hoved, "", 0, 7);
  MoveWindow(gitter, 0, 0, 300, 20, TRUE);
  const struct {
    HWND bar;
    const char *tip;
    bool fastFont;
  } tilfaelde[] = {{gitter, "Gitterets tip", false}, {StatusFelter.TekstBar, "Hovedlinjens tip", true}};
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(c.tip);
    SendMessageA(c.bar, TT_SETTEXT, 0, reinterpret_cast<LPARAM>(c.tip));
    POINT p = tavo::test::ScreenPoint(c.bar, 40, 10);
    tavo::test::MouseMove(p.x, p.y);
    PumpUntilIdle();
    EXPECT_TRUE(TooltipVises);
    EXPECT_STREQ(ti->text, c.tip);
    EXPECT_EQ(ti->font != 0, c.fastFont);
    p = tavo::test::ScreenPoint(hoved, 400, 50);
    tavo::test::MouseMove(p.x, p.y);
    PumpUntilIdle();
    EXPECT_FALSE(TooltipVises);
  }
  // Without a tip nothing is shown.
  SendMessageA(gitter, TT_SETTEXT, 0, 0);
  POINT p = tavo::test::ScreenPoint(gitter, 40, 10);
  tavo::test::MouseMove(p.x, p.y);
  PumpUntilIdle();
  EXPECT_FALSE(TooltipVises);
  DestroyWindow(gitter);
}

TEST_F(StatusBar, TextBarDoubleClickExploresTheDataFolder) {
  Bredde(900);
  tavo::test::StartShellLog();
  POINT p = tavo::test::ScreenPoint(StatusFelter.TekstBar, 50, 10);
  tavo::test::DoubleClick(p.x, p.y);
  PumpUntilIdle();
  auto kald = tavo::test::StopShellLog();
  ASSERT_EQ(kald.size(), 1u);
  EXPECT_EQ(kald[0].operation, "explore");
  EXPECT_EQ(kald[0].file, StiTab.szdata);
}

// ---- news ----

namespace {
const char *gWebDato = nullptr;
bool WebDato(char *svar, unsigned n) {
  if (!gWebDato) return false;
  std::snprintf(svar, n, "%s", gWebDato);
  return true;
}
bool Adresse(char *svar, unsigned n) {
  std::snprintf(svar, n, "%s", "http://127.0.0.1:8080/nyheder.html");
  return true;
}
}  // namespace

TEST_F(StatusPane, NewsBlinksOnTheTimer) {
  Bredde(900);
  HWND h = StatusFelter.Nyheder;
  // Frame 1 carries a red star in its corner, frame 0 the background there.
  ASSERT_NE(FarveTab[0], RGB(255, 255, 255));
  InvalidateRect(h, nullptr, TRUE);
  UpdateWindow(h);
  const COLORREF foer = tavo::test::WindowPixel(h, 4, 6);
  SendMessageA(h, WM_TIMER, 10, 0);
  UpdateWindow(h);
  const COLORREF efter = tavo::test::WindowPixel(h, 4, 6);
  EXPECT_EQ(foer, FarveTab[0]);
  EXPECT_EQ(efter, RGB(255, 0, 0));
  SendMessageA(h, WM_TIMER, 10, 0);
  UpdateWindow(h);
  EXPECT_EQ(tavo::test::WindowPixel(h, 4, 6), foer);
}

TEST_F(StatusPane, NewsDoubleClickOpensMarksReadAndLeavesTheRow) {
  const struct {
    const char *web;
    uint8_t laest;  // a read-only run
    std::string forventet;
  } tilfaelde[] = {
      {"2026-03-01 12:00", 0, "2026-03-01 12:00"},
      {nullptr, 0, "2025-01-01"},
      {"2026-03-01 12:00", 1, "2025-01-01"},
  };
  for (const auto &c : tilfaelde) {
    SCOPED_TRACE(c.web ? c.web : "no date");
    WritePrivateProfileStringA("tider", "nyheder", "2025-01-01", StiTab.szini);
    gWebDato = c.web;
    IndstilKrog.WebNewsCheck = WebDato;
    StatusBarKrog.NyhedsAdresse = Adresse;
    GlobalIndstillinger.skemalaast = c.laest;
    nyeNyheder = 1;
    Bredde(900);
    LayoutStatusBar();
    ASSERT_EQ(Rect(StatusFelter.Nyheder).right - Rect(StatusFelter.Nyheder).left, 32);
    tavo::test::StartShellLog();
    POINT p = tavo::test::ScreenPoint(StatusFelter.Nyheder, 10, 10);
    tavo::test::DoubleClick(p.x, p.y);
    PumpUntilIdle();
    auto kald = tavo::test::StopShellLog();
    ASSERT_EQ(kald.size(), 1u);
    EXPECT_EQ(kald[0].operation, "open");
    EXPECT_EQ(kald[0].file, "http://127.0.0.1:8080/nyheder.html");
    char gemt[64] = "";
    GetPrivateProfileStringA("tider", "nyheder", "", gemt, sizeof gemt, StiTab.szini);
    EXPECT_EQ(std::string(gemt), c.forventet);
    EXPECT_EQ(nyeNyheder, 0);
    // Laid out again without it: the installation number pane is the last.
    EXPECT_EQ(Rect(StatusFelter.Nyheder).right, 0);
    EXPECT_EQ(Rect(StatusFelter.TekstBar).right, Rect(StatusFelter.Insnr).left);
  }
  gWebDato = nullptr;
}

TEST_F(StatusPane, NewsStartUpOpensThePageOnlyWithNewsAndTheCheckOn) {
  gWebDato = "2026-03-01 12:00";
  IndstilKrog.WebNewsCheck = WebDato;
  StatusBarKrog.NyhedsAdresse = Adresse;
  const struct {
    uint8_t nyt, tjek;
    size_t aabnet;
  } tilfaelde[] = {{1, 1, 1}, {1, 0, 0}, {0, 1, 0}};
  for (const auto &c : tilfaelde) {
    WritePrivateProfileStringA("tider", "nyheder", "2025-01-01", StiTab.szini);
    nyeNyheder = c.nyt;
    GlobalIndstillinger.checktavonews = c.tjek;
    tavo::test::StartShellLog();
    VisNyhederVedStart();
    auto kald = tavo::test::StopShellLog();
    ASSERT_EQ(kald.size(), c.aabnet) << +c.nyt << +c.tjek;
    char gemt[64] = "";
    GetPrivateProfileStringA("tider", "nyheder", "", gemt, sizeof gemt, StiTab.szini);
    EXPECT_STREQ(gemt, c.aabnet ? "2026-03-01 12:00" : "2025-01-01");
    if (c.aabnet) {
      EXPECT_EQ(kald[0].operation, "open");
      EXPECT_EQ(kald[0].show, SW_SHOWNORMAL);
      EXPECT_EQ(nyeNyheder, 0);
    }
  }
  gWebDato = nullptr;
}

TEST_F(StatusPane, NewsRightClickListRemovesThePane) {
  ASSERT_TRUE(RegistrerListeKlasser(0));
  Bredde(900);
  LayoutStatusBar();
  POINT p = tavo::test::ScreenPoint(StatusFelter.Nyheder, 10, 10);
  tavo::test::Click(p.x, p.y, 1);
  PumpUntilIdle();
  HWND liste = FindWindowA("ShortCutWndClass", nullptr);
  ASSERT_NE(liste, 0u);
  EXPECT_EQ(nyeNyheder, 1);
  tavo::test::PressKey(VK_RETURN);
  PumpUntilIdle();
  EXPECT_FALSE(IsWindow(liste));
  EXPECT_EQ(nyeNyheder, 0);
  EXPECT_EQ(Rect(StatusFelter.Nyheder).right, 0);
}

TEST_F(StatusPane, NewsAnswersKeyMessages) {
  EXPECT_EQ(SendMessageA(StatusFelter.Nyheder, 1363, 0, 0), 1);
  Bredde(900);
  TastInfo t{};
  t.wParam = 101;
  SendMessageA(StatusFelter.Nyheder, 1366, 0, reinterpret_cast<LPARAM>(&t));
  EXPECT_EQ(nyeNyheder, 0);
  EXPECT_EQ(Rect(StatusFelter.Nyheder).right, 0);
}

// ---- menu help ----

TEST_F(StatusBar, MenuHelpShowsTheEntrysLine) {
  HMENU menu = GetMenu(hoved);
  HMENU aktiviteter = GetSubMenu(menu, 0);
  SendMessageA(hoved, WM_MENUSELECT, MAKEWPARAM(40231, 0), static_cast<LPARAM>(aktiviteter));
  EXPECT_EQ(TekstBar(), "Alle aktiviteter i en uge (F5)");
  SendMessageA(hoved, WM_MENUSELECT, MAKEWPARAM(1, MF_POPUP), static_cast<LPARAM>(menu));
  EXPECT_EQ(TekstBar(), "Menuen Medarbejder");
  HMENU system = GetSubMenu(menu, 8);
  SendMessageA(hoved, WM_MENUSELECT, MAKEWPARAM(40101, 0), static_cast<LPARAM>(system));
  EXPECT_EQ(TekstBar(), "Fejl-Liste");
}

// ---- the hooks the start-up fills ----

TEST_F(StatusBar, ServesTheGridFramesAndTheStartUp) {
  const auto gemtEns = EnsKrog.OpretStatusBar;
  const auto gemtOpdat = OpdatKrog;
  InstallerKroge();
  ASSERT_NE(EnsKrog.OpretStatusBar, nullptr);
  HWND linje = EnsKrog.OpretStatusBar(hoved, "Gitter", 0, 7);
  ASSERT_NE(linje, 0u);
  char klasse[64] = "", tekst[64] = "";
  GetClassNameA(linje, klasse, sizeof klasse);
  GetWindowTextA(linje, tekst, sizeof tekst);
  EXPECT_STREQ(klasse, "StatusBarWndClass");
  EXPECT_STREQ(tekst, "Gitter");
  EXPECT_EQ(GetDlgCtrlID(linje), 7);
  EXPECT_EQ(OpdatKrog.ServerBesked, &StatusServerBesked);
  InstallerWebKroge();
  EXPECT_EQ(StatusBarKrog.NyhedsAdresse, &HentNyhedsAdresse);
  // The Elevplan contact pane names itself in the main text bar.
  EXPECT_EQ(hwndEpTekstRude, StatusFelter.TekstBar);
  DestroyWindow(linje);
  EnsKrog.OpretStatusBar = gemtEns;
  OpdatKrog = gemtOpdat;
}

// ---- the whole row ----

TEST_F(StatusBar, SnapshotWithEveryPane) {
  SkrivFil(rod / "log" / "genfejl.log", "x\n");
  GlobalIndstillinger.insnr = 12;
  GlobalIndstillinger.skemalaast = 1;
  EksportTaellere[0] = 1;
  SendMessageA(StatusFelter.Dato, STATUS_DATO_SAET, 0, 20260305);
  SendMessageA(StatusFelter.TekstBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Klar til brug"));
  Bredde(900);
  RedrawWindow(hoved, nullptr, 0, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpUntilIdle();
  const char *ud = std::getenv("TAVO_STATUSBAR_PNG");
  const std::string sti = ud ? ud : (rod / "statusbar.png").string();
  EXPECT_TRUE(tavo::test::SaveWindowPng(hoved, sti.c_str()));
  // Every pane stands in the row, side by side.
  for (HWND h : {StatusFelter.Laas, StatusFelter.Insnr, StatusFelter.Dato, StatusFelter.InsStatus,
                 StatusFelter.Forbindelse, StatusFelter.EpStatus, StatusFelter.GenFejlLog, StatusFelter.Nyheder})
    EXPECT_GT(Rect(h).right - Rect(h).left, 0);
  EksportTaellere[0] = 0;
}
