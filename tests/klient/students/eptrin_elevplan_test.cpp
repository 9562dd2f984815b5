// The Elevplan export run for real against the simulated Elevplan of the
// contact program's stand-in: the contact pane under a test main window
// that imports on 1938 as the main window does, each step one contact and
// one imported answer, until the exchange is idle.
#include <chrono>
#include <string>
#include <tuple>
#include <vector>

#include "EPKONTAKT.h"
#include "PROGVINDUER.h"
#include "elevplan_proces.h"
#include "eptrin_fixture.h"
#include "tavo/test_user.h"

using namespace eleventest;

namespace {

std::vector<std::string> gRudeTekster;
WNDPROC gRudeProc = nullptr;

LRESULT CALLBACK RudeSpion(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SETTEXT && l) gRudeTekster.push_back(reinterpret_cast<const char *>(l));
  return CallWindowProcA(gRudeProc, h, m, w, l);
}

LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == HOVED_EP_IMPORT) {
    EpImportBesked();
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

constexpr int64_t kNu = 1741010700;  // 3 March 2025, 14:05

// Elevplan's side: the group reserved by installation 7, its two
// activities, two students and one wish waiting for its acceptance.
constexpr char kTg[] = "501;Tømrer 2025;20240601;20240815;20240901;20250630;N;0;0;TavoSkema - 7\n";
constexpr char kLa[] = "1001;501;Dansk;20240901;20250630;40\n1002;501;Matematik;20240901;20250630;40\n";
constexpr char kElev[] = "7001;501;Ida Hansen;0101051234;a;b;c;d;e\n7002;501;Ole Jensen;0202051234;a;b;c;d;e\n";
constexpr char kEv[] = "5002;501;7001;1002;1;20240901;20250630;;\n";

}  // namespace

class EpTrinElevplan : public EpTrinMappe {
 protected:
  HWND top = 0, rude = 0;
  std::string prog;
  fs::path tilstand;

  void SetUp() override {
    EpTrinMappe::SetUp();
    tavo::SetFakeClock(kNu);
    prog = (rod / "prog").string();
    snprintf(StiTab.szprog, sizeof StiTab.szprog, "%s/", prog.c_str());
    InitStiTab();
    ASSERT_TRUE(elevplantest::Placer(prog, version,
                                     "bruger drift lise hemmelig\nrolle 11;Skoleleder\ntilstand elevplan\n"));
    tilstand = fs::path(prog) / "elevplan";
    fs::create_directories(tilstand);
    for (const auto &[navn, tekst] :
         std::vector<std::pair<std::string, std::string>>{{"tg", kTg}, {"la", kLa}, {"elev", kElev}, {"ev", kEv}})
      SkrivFil(tilstand / navn, tekst);
    ASSERT_TRUE(RegistrerElevplanKontaktKlasse(0));
    WNDCLASSA wc{};
    wc.lpfnWndProc = HovedProc;
    wc.lpszClassName = "EpTrinHoved";
    RegisterClassA(&wc);
    top = CreateWindowExA(0, "EpTrinHoved", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, 0, 0, 0, nullptr);
    rude = CreateWindowExA(0, WC_ELEVPLAN_KONTAKT, "", WS_CHILD | WS_VISIBLE, 0, 300, 400, 22, top, 0, 0, nullptr);
    ASSERT_NE(rude, 0u);
    gRudeTekster.clear();
    gRudeProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(rude, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RudeSpion)));
    ShowWindow(top, SW_SHOWNORMAL);
    hwndEpKontakt = rude;
    hwndHoved = top;
    tavo::test::StartDialogScript(10000);
  }

  void TearDown() override {
    hwndEpKontakt = 0;
    hwndHoved = 0;
    ElevplanSlaaetTil = 0;
    if (top) DestroyWindow(top);
    EpTrinMappe::TearDown();
  }

  EpKontakt *Rec() const { return reinterpret_cast<EpKontakt *>(GetWindowLongPtrA(rude, GWLP_USERDATA)); }

  // Pumps until no contact runs and the exchange is idle, or the limit.
  bool VentTilHvile(int ms = 60000) const {
    const auto slut = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
      MSG m;
      while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
      if (Rec()->hTraad == 0 && EpTilstand.Trin == 0) {
        tavo::test::PumpUntilIdle();
        if (Rec()->hTraad == 0 && EpTilstand.Trin == 0) return true;
      }
      if (std::chrono::steady_clock::now() > slut) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
  }

  std::vector<std::string> Udvekslinger() const {
    std::vector<std::string> ud;
    for (const auto &k : elevplantest::LaesLog(prog))
      if (k[0] == "BehandlExpFil") ud.push_back(k[0]);
    return ud;
  }

  std::string Anmodning(int n) const { return LaesFil(Fil("ep_exp.dat_" + std::to_string(n) + ".txt")); }
};

TEST_F(EpTrinElevplan, AnExportRunsEveryStepAgainstElevplan) {
  const uint32_t g = Gruppe(501);
  const uint32_t dansk = NyLa(g, 1001, "Dansk");
  const uint32_t mat = NyLa(g, 1002, "Matematik");
  const uint32_t kopi = Dublet(g, 10000005, "Dansk #2", dansk, 2);
  LaRecNr(kopi)->fradato = 20240901;
  LaRecNr(kopi)->tildato = 20250630;
  const uint32_t ida = Elev(7001, "Ida Hansen", g), ole = Elev(7002, "Ole Jensen", g);
  // Placed by the planning on the copy; placed on the wish, to be accepted.
  const uint32_t ny = Placeret(2000000005, g, ole, 0, kopi, "");
  EvRecNr(ny)->ElevPlanStatus = EP_EV_SKAL_SENDES;
  const uint32_t accept = Placeret(5002, g, ida, mat, mat, "");

  // F11 as the main window runs it with the switch on: dialog 159 on
  // "Elev plan kontakt", the period, and the login on the first contact.
  ElevplanSlaaetTil = 1;
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    EXPECT_EQ(d.caption, "Server kontakt");
    CheckRadioButton(d.hwnd, IDC_EP_SERVER, IDC_EP_ELEVPLAN, IDC_EP_ELEVPLAN);
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  GodkendPeriode();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    SetDlgItemTextA(d.hwnd, IDC_EP_BRUGER, "lise");
    SetDlgItemTextA(d.hwnd, IDC_EP_KODEORD, "hemmelig");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  EpEksportKommando(top);
  ASSERT_TRUE(VentTilHvile());

  // One contact per step: copy, new enrolment, answers, everything.
  EXPECT_EQ(Udvekslinger().size(), 4u);
  EXPECT_EQ(Anmodning(1), "@KopierAktivitet\n1001\n");
  EXPECT_EQ(Anmodning(2), "@NyTilmelding\n7002;1003;20240901;20250630;2\n");
  EXPECT_EQ(Anmodning(3), "@AccepterTilmelding\n5003\n5002\n");
  EXPECT_EQ(Anmodning(4), "@HentAlt\n20241203\n20250731\n");
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(fs::exists(Fil("ep_imp.dat_" + std::to_string(n) + ".txt"))) << n;
  // Each contact ends before its answer is read; the next one starts while
  // the answer is read, so its texts may come before "Importfil indlæst".
  std::vector<std::string> forloeb;
  int udveksler = 0, indlaest = 0;
  for (const std::string &t : gRudeTekster) {
    udveksler += t == "Udveksler data med elevplan...";
    indlaest += t == "Importfil indlæst";
    if (t == "Dataudveksling gennemført" || t == "Indlæser importfil...") forloeb.push_back(t);
  }
  EXPECT_EQ(udveksler, 4);
  EXPECT_EQ(indlaest, 4);
  std::vector<std::string> forventet;
  for (int n = 0; n < 4; ++n) forventet.insert(forventet.end(), {"Dataudveksling gennemført", "Indlæser importfil..."});
  EXPECT_EQ(forloeb, forventet);
  EXPECT_EQ(Bokse(), 0u);

  // The copy carries Elevplan's id, the wishes theirs and the acceptance
  // sent; both are placed on their wishes; the group is closed.
  EXPECT_EQ(+LaRecNr(kopi)->id, 1003u);
  EXPECT_EQ(+LaRecNr(kopi)->kopi_id, 1001u);
  for (const auto &[rec, id, la] : std::vector<std::tuple<uint32_t, uint32_t, uint32_t>>{{ny, 5003, kopi},
                                                                                         {accept, 5002, mat}}) {
    SCOPED_TRACE(id);
    const EvRec *e = EvRecNr(rec);
    EXPECT_EQ(+e->id, id);
    EXPECT_EQ(e->ElevPlanStatus, EP_EV_ACCEPT_SENDT);
    EXPECT_EQ(+e->placerings_la_id, la);
  }
  for (uint32_t la : {dansk, mat, kopi}) {
    EXPECT_EQ(LaRecNr(la)->LukForNyeElever, 1);
    EXPECT_EQ(LaRecNr(la)->BeholdElever, 1);
    EXPECT_EQ(LaRecNr(la)->PladsLaas, 1);
  }
  const std::string ev = LaesFil(tilstand / "ev");
  EXPECT_NE(ev.find("5003;501;7002;1003;2;"), std::string::npos) << ev;
  EXPECT_NE(ev.find("5002;501;7001;1002;1;20240901;20250630;J;"), std::string::npos) << ev;

  // Nothing changed since: only the fetch of everything.
  GodkendPeriode();
  ElevplanEksport();
  ASSERT_TRUE(VentTilHvile());
  EXPECT_EQ(Udvekslinger().size(), 5u);
  EXPECT_EQ(Anmodning(5), "@HentAlt\n20241203\n20250731\n");
  EXPECT_EQ(+EvRecNr(accept)->placerings_la_id, mat);
}

TEST_F(EpTrinElevplan, ACopyElevplanNeverMakesEndsInTheErrorMessage) {
  ASSERT_TRUE(elevplantest::SkrivScript(
      prog, "bruger drift lise hemmelig\nrolle 11;Skoleleder\ntilstand elevplan\nfejl BehandlExpFil kopiuden\n"));
  const uint32_t g = Gruppe(501);
  Dublet(g, 10000005, "Dansk #2", NyLa(g, 1001, "Dansk"), 2);
  GodkendPeriode();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    SetDlgItemTextA(d.hwnd, IDC_EP_BRUGER, "lise");
    SetDlgItemTextA(d.hwnd, IDC_EP_KODEORD, "hemmelig");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  ElevplanEksport();
  // The sequence stays at step 1; it ends when the limit is reached.
  const auto slut = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (Bokse() == 0 && std::chrono::steady_clock::now() < slut) {
    MSG m;
    while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  }
  tavo::test::PumpUntilIdle();
  ASSERT_EQ(Bokse(), 1u);
  EXPECT_EQ(SidsteBoks().caption, "Fejl ved export til Elevplan");
  EXPECT_EQ(Udvekslinger().size(), EP_MAX_FORSOEG);
  EXPECT_EQ(EpTilstand.Trin, 1);
  EXPECT_EQ(LaesFil(tilstand / "la").find("Dansk #"), std::string::npos);
}

TEST_F(EpTrinElevplan, AGroupFetchReservesTheGroupAndUnlocksIt) {
  // Elevplan holds group 502 for nobody; here it waits to be fetched.
  SkrivFil(tilstand / "tg", std::string(kTg) + "502;Murer 2025;20240601;20240815;20240901;20250630;N;0;0;\n");
  SkrivFil(tilstand / "la", std::string(kLa) + "2001;502;Fysik;20240901;20250630;20\n");
  AabnPlanVindue();
  const uint32_t g = Gruppe(502, "");
  TgRecNr(g)->PlanlaegningsLaast = TgRecNr(g)->Laast = 1;
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    SetDlgItemTextA(d.hwnd, IDC_EP_BRUGER, "lise");
    SetDlgItemTextA(d.hwnd, IDC_EP_KODEORD, "hemmelig");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  ASSERT_EQ(EpHentTgKommando(top, g, 2), 1);
  ASSERT_TRUE(VentTilHvile());

  EXPECT_EQ(Udvekslinger().size(), 3u);
  EXPECT_EQ(Anmodning(1), "@HentAlleTilmeldingsgrupper\n20240601\n20250630\n");
  EXPECT_EQ(Anmodning(2), "@TilmeldingsgruppeSystemID\nTavoSkema - 7\n502\n");
  EXPECT_EQ(Anmodning(3), "@HentAlleTilmeldingsgrupper\n20240601\n20250630\n@HentTilmeldingsgruppe\n502\n");
  EXPECT_NE(LaesFil(tilstand / "tg").find("502;Murer 2025;20240601;20240815;20240901;20250630;N;0;0;TavoSkema - 7"),
            std::string::npos);
  // Reserved here now: open for planning, with the activity fetched.
  EXPECT_EQ(std::string(TgRecNr(g)->Navn2), "TavoSkema - 7");
  EXPECT_EQ(TgRecNr(g)->PlanlaegningsLaast, 0);
  EXPECT_EQ(TgRecNr(g)->Laast, 0);
  const uint32_t fysik = FindElevRec(&tdla, &tvla, 2001);
  ASSERT_NE(fysik, 0u);
  EXPECT_EQ(+LaRecNr(fysik)->tg_id, g);
  ASSERT_EQ(planBeskeder.size(), 1u);
  EXPECT_EQ(planBeskeder[0].besked, WM_ELEVPLAN_NULSTIL);
  EXPECT_EQ(Bokse(), 0u);
}
