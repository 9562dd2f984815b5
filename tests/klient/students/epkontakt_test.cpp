// The Elevplan contact run for real: the contact pane as a child of a test
// main window, the contact program's stand-in started as a child process
// from the test's program folder, the login and role dialogs answered on
// the contact thread. Each contact is driven as the program drives it: 1937
// to the pane, the main thread pumping until the thread has sent 1026.
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "EPDLG.h"
#include "EPKONTAKT.h"
#include "elevdialoger.h"
#include "elevplan_proces.h"
#include "epimport_fixture.h"
#include "tavo/test_file.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

using namespace eleventest;

namespace {

using Ord = std::vector<std::string>;

std::atomic<int> gImportBeskeder{0};
bool gImporterVedBesked = false;

LRESULT CALLBACK TestHovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == HOVED_EP_IMPORT) {
    ++gImportBeskeder;
    if (gImporterVedBesked) ImportElevplan();
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// The dialog answers as a user gives them, on the contact thread.
tavo::test::DialogHandler Login(const char *bruger, const char *kode) {
  std::string b = bruger, k = kode;
  return [b, k](const tavo::test::ShownDialog &d) -> INT_PTR {
    SetDlgItemTextA(d.hwnd, IDC_EP_BRUGER, b.c_str());
    SetDlgItemTextA(d.hwnd, IDC_EP_KODEORD, k.c_str());
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  };
}

tavo::test::DialogHandler Annuller() {
  return [](const tavo::test::ShownDialog &d) -> INT_PTR {
    SendMessageA(d.hwnd, WM_COMMAND, IDCANCEL, 0);
    return 0;
  };
}

tavo::test::DialogHandler VaelgRolle(int nr) {
  return [nr](const tavo::test::ShownDialog &d) -> INT_PTR {
    SendDlgItemMessageA(d.hwnd, IDC_EP_ROLLER, LB_SETCURSEL, nr, 0);
    SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(IDC_EP_ROLLER, LBN_SELCHANGE),
                 static_cast<LPARAM>(GetDlgItem(d.hwnd, IDC_EP_ROLLER)));
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  };
}

constexpr char kBruger[] = "bruger drift lise hemmelig\n";
constexpr char kEnRolle[] = "rolle 11;\"Skoleleder\"\n";
constexpr char kToRoller[] = "rolle 11;Skoleleder\nrolle 22;  Vejleder \n";

}  // namespace

class EpKontaktMappe : public EpImportMappe {
 protected:
  HWND top = 0, rude = 0;
  std::string prog;

  void SetUp() override {
    EpImportMappe::SetUp();
    prog = (rod / "prog").string();
    snprintf(StiTab.szprog, sizeof StiTab.szprog, "%s/", prog.c_str());
    InitStiTab();
    ASSERT_TRUE(elevplantest::Placer(prog, version, std::string(kBruger) + kEnRolle));
    RegistrerElevDialoger();
    ASSERT_TRUE(RegistrerElevplanKontaktKlasse(0));
    WNDCLASSA wc{};
    wc.lpfnWndProc = TestHovedProc;
    wc.lpszClassName = "EpTestHoved";
    RegisterClassA(&wc);
    gImportBeskeder = 0;
    gImporterVedBesked = false;
    top = CreateWindowExA(0, "EpTestHoved", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, 0, 0, 0, nullptr);
    rude = CreateWindowExA(0, WC_ELEVPLAN_KONTAKT, "", WS_CHILD | WS_VISIBLE, 0, 300, 400, 22, top, 0, 0,
                           nullptr);
    ASSERT_NE(rude, 0u);
    ShowWindow(top, SW_SHOWNORMAL);
    tavo::test::StartDialogScript(10000);
    SkrivFil(Fil("ep_exp.dat"), "@HentAlt\n");
  }

  void TearDown() override {
    if (top) DestroyWindow(top);
    tavo::test::HideSystemModule("mscoree.dll", false);
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    EpKontaktMappe::EpImportMappe::TearDown();
  }

  EpKontakt *Rec() const { return reinterpret_cast<EpKontakt *>(GetWindowLongPtrA(rude, GWLP_USERDATA)); }
  std::string Tekst() const {
    char b[300] = {};
    GetWindowTextA(rude, b, sizeof b);
    return b;
  }

  // Pumps until the contact thread has ended (or the limit), then until
  // idle so that the import request it posts last has arrived. The pane
  // forgets its thread at the end message, before that post, so the test
  // waits on a copy of the thread's handle.
  bool VentPaaKontakt(int ms = 20000) const {
    HANDLE traad = 0;
    if (Rec()->hTraad && !DuplicateHandle(GetCurrentProcess(), Rec()->hTraad, GetCurrentProcess(), &traad, 0,
                                          FALSE, DUPLICATE_SAME_ACCESS))
      return false;
    if (!traad) {
      tavo::test::PumpUntilIdle();
      return true;
    }
    const auto slut = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    bool endt = false;
    while (!endt) {
      if (std::chrono::steady_clock::now() > slut) break;
      MSG m;
      while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
      endt = MsgWaitForMultipleObjects(1, &traad, FALSE, 2, QS_ALLINPUT) == WAIT_OBJECT_0 && !Rec()->hTraad;
    }
    CloseHandle(traad);
    if (endt) tavo::test::PumpUntilIdle();
    return endt;
  }

  // One contact with the dialog answers queued; false when it did not end.
  bool Kontakt(const std::vector<tavo::test::DialogHandler> &svar = {}) const {
    for (const auto &h : svar) tavo::test::AnswerNextDialog(h);
    if (SendMessageA(rude, WM_EP_KONTAKT, 0, 0) != 1) return false;
    return VentPaaKontakt();
  }

  std::vector<Ord> Koersler() const { return elevplantest::LaesLog(prog); }
  std::vector<std::string> Verber() const {
    std::vector<std::string> v;
    for (const Ord &o : Koersler()) v.push_back(o[0]);
    return v;
  }
  fs::path TmpFil() const { return rod / "log" / "elevplan.tmp"; }

  void Script(const std::string &s) const { ASSERT_TRUE(elevplantest::SkrivScript(prog, s)); }

  void Forfra() {
    TearDown();
    SetUp();
  }

  // Whether a contact program started from the test's program folder is
  // still running.
  bool ProgramKoerer() const {
    const fs::path exe = fs::path(prog) / ("ep" + std::to_string(version) + ".exe");
    std::error_code ec;
    for (const auto &e : fs::directory_iterator("/proc", ec)) {
      std::error_code ec2;
      const fs::path l = fs::read_symlink(e.path() / "exe", ec2);
      if (!ec2 && l == exe) return true;
    }
    return false;
  }

  // Pumps until the condition holds or the limit passes.
  static bool PumpIndtil(const std::function<bool()> &betingelse, int ms = 10000) {
    const auto slut = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!betingelse()) {
      if (std::chrono::steady_clock::now() > slut) return false;
      MSG m;
      while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
    return true;
  }
};

// ---- The thread's branches ----

struct Gren {
  const char *navn;
  std::string script;  // after the known user; empty: one role
  std::vector<tavo::test::DialogHandler> svar;
  std::string tekst;   // "*": not checked
  std::vector<std::string> verber;
  bool import;
  bool logget;  // the logon is kept for the next contact
};

TEST_F(EpKontaktMappe, EachBranchEndsWithItsText) {
  const std::string v = std::to_string(version);
  const auto ok = [] { return Login("lise", "hemmelig"); };
  const std::vector<std::string> alle = {"Logon", "RolleValg", "BehandlExpFil"};
  const std::vector<Gren> grene = {
      {"login cancelled", kEnRolle, {Annuller()}, "", {}, false, false},
      {"login refused", kEnRolle, {Login("lise", "forkert")}, "Elevplan-login fejlede", {"Logon"}, false, false},
      {"logon exits 2", std::string(kEnRolle) + "fejl Logon kode 2\n", {ok()}, "Elevplan-login fejlede",
       {"Logon"}, false, false},
      {"logon crashes", std::string(kEnRolle) + "fejl Logon signal\n", {ok()}, "Elevplan-login fejlede",
       {"Logon"}, false, false},
      {"logon without output", std::string(kEnRolle) + "fejl Logon tomt\n", {ok()}, "sti", {"Logon"}, false, false},
      {"only a key", "", {ok()}, "*", {"Logon"}, false, false},
      {"empty key line", std::string("noegle \"\"\n") + kEnRolle, {ok()}, "Elevplan-login fejlede", {"Logon"},
       false, false},
      {"one role", kEnRolle, {ok()}, "Dataudveksling gennemført", alle, true, true},
      {"several roles", kToRoller, {ok(), VaelgRolle(1)}, "Dataudveksling gennemført", alle, true, true},
      {"role dialog cancelled", kToRoller, {ok(), Annuller()}, "Elevplan-kontakt afbrudt", {"Logon"}, false, true},
      {"role refused", std::string(kEnRolle) + "fejl RolleValg kode 1\n", {ok()}, "Rollevalg fejlede!",
       {"Logon", "RolleValg"}, false, true},
      {"exchange fails", std::string(kEnRolle) + "fejl BehandlExpFil kode 2\n", {ok()},
       "Dataudveksling fejlede!", alle, false, true},
      {"exchange crashes", std::string(kEnRolle) + "fejl BehandlExpFil signal\n", {ok()},
       "Dataudveksling fejlede!", alle, false, true},
      {"exchange without answer file", std::string(kEnRolle) + "fejl BehandlExpFil tomt\n", {ok()},
       "Dataudveksling fejlede!", alle, false, true},
      {"text on standard error", std::string(kEnRolle) + "fejl Logon stderr\n", {ok()},
       "Dataudveksling gennemført", alle, true, true},
  };
  for (const Gren &g : grene) {
    SCOPED_TRACE(g.navn);
    Forfra();
    Script(kBruger + g.script);
    ASSERT_TRUE(Kontakt(g.svar));
    // "sti": the output file's path and why it could not be opened.
    if (g.tekst == "sti") {
      EXPECT_EQ(Tekst().rfind(std::string(StiTab.szdata) + "log/elevplan.tmp: ", 0), 0u) << Tekst();
    } else if (g.tekst != "*") {
      EXPECT_EQ(Tekst(), g.tekst);
    }
    EXPECT_EQ(Verber(), g.verber);
    EXPECT_EQ(gImportBeskeder.load(), g.import ? 1 : 0);
    EXPECT_EQ(fs::exists(Fil("ep_imp.dat")), g.import);
    // Only a logon that brought a key and a role is kept for the next one.
    EXPECT_EQ(Rec()->LogonNoegle[0] != '\0', g.logget);
    // The key never stays in the log folder.
    EXPECT_FALSE(fs::exists(TmpFil()));
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
  }
}

TEST_F(EpKontaktMappe, PreconditionsStopBeforeAnyProgramRuns) {
  const std::string v = std::to_string(version);
  const struct {
    const char *navn;
    std::function<void()> forbered;
    std::string tekst;
  } tilfaelde[] = {
      {"no request", [&] { fs::remove(Fil("ep_exp.dat")); }, "Der skal eksporteres først!"},
      {"answer waits", [&] { SkrivFil(Fil("ep_imp.dat"), "x"); }, "Der skal importeres først!"},
      {"packed answer waits", [&] { SkrivFil(Fil("ep_imp.dat.gz"), "x"); }, "Der skal importeres først!"},
      {"no contact program", [&] { fs::remove(fs::path(prog) / ("ep" + v + ".exe")); },
       "Kontaktprogram (ep" + v + ".exe) mangler!"},
      {"no runtime", [] { tavo::test::HideSystemModule("mscoree.dll", true); }, ".net runtime mangler!"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    Forfra();
    t.forbered();
    ASSERT_TRUE(Kontakt());
    EXPECT_EQ(Tekst(), t.tekst);
    EXPECT_TRUE(Koersler().empty());
    EXPECT_EQ(gImportBeskeder.load(), 0);
  }
}

TEST_F(EpKontaktMappe, TheLogonOutlivesAContactUnlessItHeldNoRole) {
  const auto aabne = [] {
    size_t n = 0;
    for (const auto &e : fs::directory_iterator("/proc/self/fd")) n += e.path().empty() ? 0 : 1;
    return n;
  };
  const size_t foer = aabne();
  // The key alone: forgotten, so the next contact logs on again.
  Script(kBruger);
  ASSERT_TRUE(Kontakt({Login("lise", "hemmelig")}));
  EXPECT_EQ(Rec()->RolleAntal, 0u);
  Script(std::string(kBruger) + kToRoller + "fejl BehandlExpFil kode 2\n");
  ASSERT_TRUE(Kontakt({Login("lise", "hemmelig"), VaelgRolle(1)}));
  EXPECT_EQ(Tekst(), "Dataudveksling fejlede!");
  ASSERT_EQ(Koersler().size(), 4u);
  EXPECT_EQ(Koersler()[2], (Ord{"RolleValg", "NOEGLE-1", "MEDA:22", "drift"}));
  EXPECT_EQ(std::string(Rec()->Roller[1].Tekst), "Vejleder");

  // A failed exchange keeps logon and role: the next contact goes straight
  // to the exchange, and a second 1937 while it runs starts nothing.
  Script(std::string(kBruger) + kToRoller + "fejl BehandlExpFil haeng 700\n");
  ASSERT_EQ(SendMessageA(rude, WM_EP_KONTAKT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(rude, WM_EP_KONTAKT, 0, 0), 0);
  ASSERT_TRUE(VentPaaKontakt());
  Script(std::string(kBruger) + kToRoller);
  ASSERT_TRUE(Kontakt());
  EXPECT_EQ(Tekst(), "Dataudveksling gennemført");
  EXPECT_EQ(Verber(), (std::vector<std::string>{"Logon", "Logon", "RolleValg", "BehandlExpFil", "BehandlExpFil",
                                                "BehandlExpFil"}));
  EXPECT_EQ(Koersler().back(), (Ord{"BehandlExpFil", "NOEGLE-1", StiTab.szepexp, "drift"}));
  EXPECT_EQ(gImportBeskeder.load(), 1);
  // Five runs left no pipe or process open.
  EXPECT_EQ(aabne(), foer);
}

TEST_F(EpKontaktMappe, OutputAndPasswordPassUnchanged) {
  const std::string kode = "a \"b\" c\\";
  Script("bruger drift lise " + kode + "\n" + kEnRolle + "fejl Logon stor\n");
  tavo::test::ClearDrawnTexts();
  ASSERT_TRUE(Kontakt({Login("lise", kode.c_str())}));
  EXPECT_EQ(Tekst(), "Dataudveksling gennemført");
  ASSERT_FALSE(Koersler().empty());
  const Ord logon = Koersler()[0];
  EXPECT_EQ(logon, (Ord{"Logon", std::string(StiTab.szdata) + "log/elevplan.tmp", "lise", kode, "drift"}));
  // A block of the megabyte was shown whole up to the pane's 127 characters.
  bool blok = false;
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == rude && d.text == std::string(127, 'x')) blok = true;
  EXPECT_TRUE(blok);
  EXPECT_EQ(std::string(Rec()->Kodeord), kode);
}

TEST_F(EpKontaktMappe, ClosingThePaneEndsARunningContact) {
  // A hanging contact program.
  Script(std::string(kBruger) + kEnRolle + "fejl Logon haeng 30000\n");
  tavo::test::AnswerNextDialog(Login("lise", "hemmelig"));
  ASSERT_EQ(SendMessageA(rude, WM_EP_KONTAKT, 0, 0), 1);
  ASSERT_TRUE(PumpIndtil([&] { return !Koersler().empty() && ProgramKoerer(); }));
  auto start = std::chrono::steady_clock::now();
  DestroyWindow(rude);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(PumpIndtil([&] { return !ProgramKoerer(); }, 3000));
  EXPECT_FALSE(IsWindow(rude));

  // An open login dialog is cancelled.
  rude = CreateWindowExA(0, WC_ELEVPLAN_KONTAKT, "", WS_CHILD | WS_VISIBLE, 0, 300, 400, 22, top, 0, 0, nullptr);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return 0; });
  ASSERT_EQ(SendMessageA(rude, WM_EP_KONTAKT, 0, 0), 1);
  EpKontakt *k = Rec();
  ASSERT_TRUE(PumpIndtil([&] {
    std::lock_guard<std::mutex> lock(k->Laas);
    return k->hDialog != 0;
  }));
  start = std::chrono::steady_clock::now();
  DestroyWindow(rude);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(Koersler().size(), 1u);
}

// ---- The pane ----

TEST_F(EpKontaktMappe, SettingsAndTheShownLine) {
  const struct {
    const char *ini, *database;
  } tilfaelde[] = {
      {"", "drift"},
      {"epdatabase=test\r\n", "test"},
      {"epdatabase=kursus\r\n", "kursus"},
      {"epdatabase=Test\r\n", "drift"},
      {"epdatabase=produktion\r\n", "drift"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.ini);
    SkrivIni("tavo.ini", std::string("[kontakt]\r\nepbruger=lise\r\n") + t.ini);
    HWND h = CreateWindowExA(0, WC_ELEVPLAN_KONTAKT, "", WS_CHILD, 0, 0, 100, 20, top, 0, 0, nullptr);
    auto *k = reinterpret_cast<EpKontakt *>(GetWindowLongPtrA(h, GWLP_USERDATA));
    EXPECT_STREQ(k->Database, t.database);
    EXPECT_STREQ(k->Bruger, "lise");
    EXPECT_EQ(k->ValgtRolle, -1);
    snprintf(k->Bruger, sizeof k->Bruger, "anders");
    snprintf(k->Kodeord, sizeof k->Kodeord, "hemmelig");
    DestroyWindow(h);
    char b[64];
    GetPrivateProfileStringA("kontakt", "epbruger", "", b, sizeof b, StiTab.szini);
    EXPECT_STREQ(b, "anders");
    EXPECT_EQ(LaesIni("tavo.ini").find("hemmelig"), std::string::npos);
  }

  // A read-only run writes nothing.
  SkrivIni("tavo.ini", "[kontakt]\r\nepbruger=lise\r\n");
  GlobalIndstillinger.skemalaast = 1;
  HWND h = CreateWindowExA(0, WC_ELEVPLAN_KONTAKT, "", WS_CHILD, 0, 0, 100, 20, top, 0, 0, nullptr);
  snprintf(reinterpret_cast<EpKontakt *>(GetWindowLongPtrA(h, GWLP_USERDATA))->Bruger, 64, "anders");
  DestroyWindow(h);
  GlobalIndstillinger.skemalaast = 0;
  EXPECT_EQ(LaesIni("tavo.ini"), "[kontakt]\r\nepbruger=lise\r\n");

  // The line: the first 127 characters, trimmed, drawn at once.
  tavo::test::ClearDrawnTexts();
  const std::string lang = "\"" + std::string(199, 'a');
  SetWindowTextA(rude, lang.c_str());
  EXPECT_EQ(std::string(Rec()->StatusTekst), std::string(126, 'a'));
  SetWindowTextA(rude, "  \"Logger på\"\r\n");
  EXPECT_EQ(Tekst(), "Logger på");
  bool tegnet = false;
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == rude && d.text == "Logger på" && d.x == 4) tegnet = true;
  EXPECT_TRUE(tegnet);
}

TEST_F(EpKontaktMappe, HoverNamesThePaneInTheStatusBar) {
  HWND tekst = CreateWindowExA(0, "STATIC", "Klar", WS_CHILD | WS_VISIBLE, 0, 340, 400, 20, top, 0, 0, nullptr);
  hwndEpTekstRude = tekst;
  POINT p = tavo::test::ScreenPoint(rude, 50, 10);
  tavo::test::MouseMove(p.x, p.y);
  tavo::test::PumpUntilIdle();
  char b[128] = {};
  GetWindowTextA(tekst, b, sizeof b);
  EXPECT_STREQ(b, "Viser elevplan kontakt forløbet (til serveren) i form af beskeder.");
  p = tavo::test::ScreenPoint(top, 50, 50);
  tavo::test::MouseMove(p.x, p.y);
  tavo::test::PumpUntilIdle();
  GetWindowTextA(tekst, b, sizeof b);
  EXPECT_STREQ(b, "Klar");
  hwndEpTekstRude = 0;
}

// ---- The roles of a logon output ----

TEST(EpKontaktRoller, RoleLinesAreSplitAndCut) {
  const std::string tekst =
      "ignoreret\n"
      "MEDA:1;  \"Leder\"  \n"
      "MEDA:uden semikolon\n"
      "meda:2;små bogstaver\n"
      "MEDA:" + std::string(40, 'k') + ";" + std::string(80, 't') + "\n"
      "MEDA:3;a;b\n"
      "MEDA:4;\n"
      "MEDA:5;x\nMEDA:6;y\n" + "MEDA:7;" + std::string(600, 'z') + "\nMEDA:8;efter lang\n";
  FILE *f = fmemopen(const_cast<char *>(tekst.data()), tekst.size(), "r");
  ASSERT_NE(f, nullptr);
  EpKontakt k{};
  k.ValgtRolle = -1;
  EXPECT_TRUE(LaesEpRoller(f, &k));
  fclose(f);
  const std::vector<std::pair<std::string, std::string>> forventet = {
      {"MEDA:1", "Leder"},
      {"MEDA:" + std::string(27, 'k'), std::string(64, 't')},
      {"MEDA:3", "a;b"},
      {"MEDA:4", ""},
      {"MEDA:5", "x"},
      {"MEDA:6", "y"},
      {"MEDA:7", std::string(64, 'z')},
      {"MEDA:8", "efter lang"},
  };
  ASSERT_EQ(k.RolleAntal, forventet.size());
  for (size_t i = 0; i < forventet.size(); ++i) {
    EXPECT_EQ(k.Roller[i].Noegle, forventet[i].first) << i;
    EXPECT_EQ(k.Roller[i].Tekst, forventet[i].second) << i;
  }
  GlemEpRoller(&k);

  FILE *tom = fmemopen(const_cast<char *>("noegle\n"), 7, "r");
  EXPECT_FALSE(LaesEpRoller(tom, &k));
  fclose(tom);
}

// ---- End to end ----

TEST_F(EpKontaktMappe, ARequestIsAnsweredAndImported) {
  fs::remove(Fil("ep_exp.dat"));
  EpImportMappe::SkrivFil(fs::path(prog) / "ep_svar.dat", Fixture("ep_tabeller.dat"));
  Script(std::string(kBruger) + kToRoller + "svar ep_svar.dat\n");
  gImporterVedBesked = true;
  tavo::test::AnswerNextDialog(Login("lise", "hemmelig"));
  tavo::test::AnswerNextDialog(VaelgRolle(0));

  // The request written for the HentAlt step tells the pane.
  EpTilstand.Trin = 7;
  ASSERT_TRUE(SkrivEpExportFil());
  ASSERT_NE(Rec()->hTraad, 0u);
  ASSERT_TRUE(VentPaaKontakt());
  EXPECT_EQ(gImportBeskeder.load(), 1);
  EXPECT_EQ(Verber(), (std::vector<std::string>{"Logon", "RolleValg", "BehandlExpFil"}));
  EXPECT_EQ(Koersler()[1][2], "MEDA:11");

  EXPECT_NE(FindElevRec(&tdtg, &tvtg, 502), 0u);
  EXPECT_NE(FindElevRec(&tdla, &tvla, 702), 0u);
  EXPECT_EQ(efterImport, 1);
  EXPECT_FALSE(fs::exists(Fil("ep_imp.dat")));
  EXPECT_FALSE(fs::exists(TmpFil()));
  // The password reached no file of the data folder.
  for (const auto &e : fs::recursive_directory_iterator(rod)) {
    if (!e.is_regular_file() || e.path().parent_path() == fs::path(prog)) continue;
    EXPECT_EQ(LaesFil(e.path()).find("hemmelig"), std::string::npos) << e.path();
  }
}
