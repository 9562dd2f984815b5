// The Export command and its undo, driven by the dialog script from the
// main window's entry functions: the refusals with their texts, captions
// and icons, each leaving files and tables as they were; the dialog with its
// boxes; the question after the writing; the old-export check.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "EKSPKMD.h"
#include "GZIP.h"
#include "STATUSBAR.h"
#include "eksport_fixture.h"
#include "eksportdlg.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"
#include "win/controls.h"

namespace {

using namespace eksporttest;
using tavo::test::ShownDialog;

constexpr UINT kInfo = MB_OK | MB_ICONINFORMATION;
constexpr UINT kSpoerg = MB_OKCANCEL | MB_ICONQUESTION;
constexpr UINT kAdvar = MB_OK | MB_ICONEXCLAMATION;

struct Boks {
  std::string tekst, titel;
  UINT type;
  bool operator==(const Boks &) const = default;
};
std::ostream &operator<<(std::ostream &o, const Boks &b) {
  return o << "{" << b.tekst << " | " << b.titel << " | " << b.type << "}";
}

std::vector<Boks> Bokse() {
  std::vector<Boks> v;
  for (const auto &m : tavo::test::MessageBoxesShown())
    v.push_back({m.text, m.caption, static_cast<UINT>(m.type & (MB_TYPEMASK | MB_ICONMASK))});
  return v;
}

// The server-contact pane until it lands: it only records what it gets.
std::vector<UINT> &Modtaget() {
  static std::vector<UINT> v;
  return v;
}
LRESULT CALLBACK RudeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KONTAKT_NU) Modtaget().push_back(m);
  return DefWindowProcA(h, m, w, l);
}

class EksportKommandoTest : public EksportSkole {
 public:
  void SetUp() override {
    EksportSkole::SetUp();
    WNDCLASSA wc{};
    wc.lpfnWndProc = RudeProc;
    wc.lpszClassName = "EksportKontaktRude";
    RegisterClassA(&wc);
    StatusFelter.Server = CreateWindowExA(0, "EksportKontaktRude", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, 0, nullptr);
    Modtaget().clear();
    // No new data of the other installations, unless a test says so.
    WritePrivateProfileStringA("tider", "fremmedkontakt", "99991231", StiTab.szini);
    GlobalIndstillinger.skemalaast = 0;
    GlobalIndstillinger.autoimport = 0;
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    DestroyWindow(StatusFelter.Server);
    StatusFelter.Server = 0;
    EksportSkole::TearDown();
  }

  std::set<std::string> DataFiler() const {
    std::set<std::string> s;
    for (const auto &e : fs::directory_iterator(rod / "data")) s.insert(e.path().filename().string());
    return s;
  }
  void Laeg(const std::string &navn, const std::string &indhold = "x") const {
    std::ofstream(Data(navn), std::ios::binary) << indhold;
  }

  // The export dialog: the boxes as shown, then OK after `valg` has set them.
  ShownDialog vist;
  void SvarDialog(std::vector<std::pair<int, bool>> valg = {}) {
    tavo::test::AnswerNextDialog([this, valg](const ShownDialog &d) {
      vist = d;
      for (auto [id, til] : valg) CheckDlgButton(d.hwnd, id, til ? BST_CHECKED : BST_UNCHECKED);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }
  static void Svar(INT_PTR svar) {
    tavo::test::AnswerNextDialog([svar](const ShownDialog &) { return svar; });
  }
  int Tjek(int id) const {
    const auto *c = vist.Control(id);
    return c ? c->checked : -1;
  }
  bool Aktiv(int id) const {
    const auto *c = vist.Control(id);
    return c && !(c->style & WS_DISABLED);
  }

  // An export file as an earlier program version left it.
  void Gammel(const std::string &hoved) const { Laeg("exp.dat", hoved + "\n@S+\n"); }
};

TEST_F(EksportKommandoTest, RefusalsChangeNothing) {
  HeleSkolen();
  const char *importfil = "Datakataloget indeholder en importfil, hvorfor der ikke\nkan eksporteres.\n\n"
                          "Indlæs først importfilen og vælg derefter eksport igen.";
  struct Tilfaelde {
    const char *navn;
    std::function<void(EksportKommandoTest &)> saet;
    Boks boks;
  };
  const std::vector<Tilfaelde> tabel = {
      {"installation 0", [](auto &) { GlobalIndstillinger.insnr = 0; },
       {"Der kan ikke eksporteres, idet installationsnummeret ikke er korrekt.", "Eksport", kInfo}},
      {"installation 100", [](auto &) { GlobalIndstillinger.insnr = 100; },
       {"Der kan ikke eksporteres, idet installationsnummeret ikke er korrekt.", "Eksport", kInfo}},
      {"locked by the setting",
       [](auto &) {
         WritePrivateProfileStringA("global", "skemalåst", "ja", StiTab.szini);
         WritePrivateProfileStringA("global", "insnr", "7", StiTab.szini);
         LaesIndstillinger(false);
       },
       {"Der kan ikke eksporteres fra et låst skema.", "Eksport", kInfo}},
      {"a read-only start",
       [](auto &) {
         WritePrivateProfileStringA("global", "insnr", "7", StiTab.szini);
         StiTab.laastOenske = 1;
         LaesIndstillinger(false);
         StiTab.laastOenske = 0;
       },
       {"Der kan ikke eksporteres fra et låst skema.", "Eksport", kInfo}},
      {"a waiting import", [](auto &t) { t.Laeg("imp.dat"); }, {importfil, "Eksport", kInfo}},
      {"a waiting packed import alone", [](auto &t) { t.Laeg("imp.dat.gz"); }, {importfil, "Eksport", kInfo}},
      {"SuperTavo", [](auto &) { GlobalIndstillinger.supertavo = 1; },
       {"Der kan ikke eksporteres fra et SuperTavo-skema", "Eksport", kAdvar}},
      {"server contact barred", [](auto &t) { t.Laeg("../disableserver.lck"); },
       {"Der er spærret for server kontakt for denne installation", "Eksport/Kontakt", kAdvar}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    
    t.saet(*this);
    const auto filer = DataFiler();
    const Billede foer = Billede::Nu();
    tavo::test::StartDialogScript();
    EksportKommando(0);
    EXPECT_EQ(Bokse(), std::vector<Boks>{t.boks});
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    EXPECT_EQ(DataFiler(), filer);
    EXPECT_TRUE(Forskelle(foer, Billede::Nu()).empty());
    EXPECT_TRUE(Modtaget().empty());
    // Back to an installation that may export.
    for (const char *f : {"imp.dat", "imp.dat.gz"}) fs::remove(Data(f));
    fs::remove(rod / "disableserver.lck");
    WritePrivateProfileStringA("global", "skemalåst", nullptr, StiTab.szini);
    GlobalIndstillinger.insnr = kIns;
    GlobalIndstillinger.skemalaast = 0;
    GlobalIndstillinger.supertavo = 0;
  }
}

TEST_F(EksportKommandoTest, WaitingExportOnlyAsksForTheServer) {
  const Boks spoerg = {"Der er allerede oprettet en eksportfil.\nSkal serveren kontaktes?", "Eksport", kSpoerg};
  for (const char *fil : {"exp.dat", "exp.dat.gz"}) {
    for (INT_PTR svar : {IDCANCEL, IDOK}) {
      SCOPED_TRACE(std::string(fil) + (svar == IDOK ? " OK" : " Cancel"));
      Modtaget().clear();
      // The current version: the old-export check keeps it.
      const std::string indhold = "K;N;7;10413;20240801;20250731;0;0;0;0;0;0\n";
      if (std::string(fil) == "exp.dat") {
        Laeg(fil, indhold);
      } else {
        Laeg("ny", indhold);
        ASSERT_EQ(GzipFile((StiTab.szdata + std::string("data\\ny")).c_str(), StiTab.szzipexp), 0);
      }
      tavo::test::StartDialogScript();
      Svar(svar);
      EksportKommando(0);
      EXPECT_EQ(Bokse(), std::vector<Boks>{spoerg});
      tavo::test::StopDialogScript();
      EXPECT_EQ(Modtaget(), svar == IDOK ? std::vector<UINT>{WM_KONTAKT_NU} : std::vector<UINT>{});
      // The old-export check unpacked a packed one; either way it stays.
      EXPECT_EQ(Eksport(), indhold);
      fs::remove(Data("exp.dat"));
    }
  }
}

TEST_F(EksportKommandoTest, DialogWritesTheExportAndCancelWithdrawsIt) {
  HeleSkolen();
  GemOgHent();
  const Billede foer = Billede::Nu(false);
  tavo::test::StartDialogScript();
  SvarDialog({{IDC_EKS_POSTERINGER, false}});
  Svar(IDCANCEL);
  EksportKommando(0);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  EXPECT_EQ(Bokse(), (std::vector<Boks>{{"Eksportfil oprettet. Skal serveren kontaktes?", "Eksport", kSpoerg}}));
  tavo::test::StopDialogScript();
  EXPECT_EQ(vist.caption, "Eksport til server");
  EXPECT_FALSE(Findes("exp.dat"));
  EXPECT_EQ(Forskelle(foer, Billede::Nu(false)), std::vector<std::string>{});
  EXPECT_TRUE(Modtaget().empty());
  // The options as the dialog left them; the third has no box.
  EXPECT_EQ(EksportValg.skema, 1);
  EXPECT_EQ(EksportValg.posteringer, 0);
  EXPECT_EQ(EksportValg.ubrugt, 0);

  // OK: the file stays, marked, and the pane is told to contact.
  tavo::test::StartDialogScript();
  SvarDialog();
  Svar(IDOK);
  EksportKommando(0);
  tavo::test::StopDialogScript();
  ASSERT_TRUE(Findes("exp.dat"));
  EXPECT_NE(Forskelle(foer, Billede::Nu(false)), std::vector<std::string>{});
  EXPECT_EQ(Modtaget(), std::vector<UINT>{WM_KONTAKT_NU});
}

TEST_F(EksportKommandoTest, DialogBoxesFollowTheSettings) {
  struct Tilfaelde {
    const char *navn;
    const char *hentstam, *fremmedkontakt;
    std::vector<std::pair<int, bool>> klik;
    int fremmed, allestam;
    bool allestamAktiv;
    const char *autoimport;  // [kontakt] autoimport afterwards, "<ingen>" unwritten
  };
  const std::vector<Tilfaelde> tabel = {
      {"defaults", "nej", "99991231", {}, 0, 0, true, "<ingen>"},
      {"all master data asked for", "ja", "99991231", {}, 0, 1, false, "<ingen>"},
      {"new data of the others", "nej", "19970701", {}, 1, 0, true, "<ingen>"},
      {"automatic import ticked", "nej", "99991231", {{IDC_EKS_AUTOIMPORT, true}}, 0, 0, true, "ja"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    WritePrivateProfileStringA("global", "hentstam", t.hentstam, StiTab.szini);
    WritePrivateProfileStringA("tider", "fremmedkontakt", t.fremmedkontakt, StiTab.szini);
    WritePrivateProfileStringA("kontakt", "autoimport", nullptr, StiTab.szini);
    GlobalIndstillinger.autoimport = 0;
    tavo::test::StartDialogScript();
    SvarDialog(t.klik);
    Svar(IDCANCEL);
    StartExport();
    tavo::test::StopDialogScript();
    EXPECT_EQ(Tjek(IDC_EKS_SKEMA), BST_CHECKED);
    EXPECT_EQ(Tjek(IDC_EKS_POSTERINGER), BST_CHECKED);
    EXPECT_EQ(Tjek(IDC_EKS_FREMMED), t.fremmed);
    EXPECT_EQ(Tjek(IDC_EKS_ALLESTAM), t.allestam);
    EXPECT_EQ(Aktiv(IDC_EKS_ALLESTAM), t.allestamAktiv);
    EXPECT_EQ(Tjek(IDC_EKS_AUTOIMPORT), 0);
    EXPECT_EQ(Indstilling("kontakt", "autoimport").empty() ? "<ingen>" : Indstilling("kontakt", "autoimport"),
              t.autoimport);
  }
  // Unticking a ticked automatic import writes "nej"; leaving it writes nothing.
  GlobalIndstillinger.autoimport = 1;
  for (bool klik : {false, true}) {
    WritePrivateProfileStringA("kontakt", "autoimport", nullptr, StiTab.szini);
    tavo::test::StartDialogScript();
    if (klik)
      SvarDialog({{IDC_EKS_AUTOIMPORT, false}});
    else
      SvarDialog();
    Svar(IDCANCEL);
    StartExport();
    tavo::test::StopDialogScript();
    EXPECT_EQ(Tjek(IDC_EKS_AUTOIMPORT), BST_CHECKED);
    EXPECT_EQ(Indstilling("kontakt", "autoimport"), klik ? "nej" : "");
  }
  EXPECT_EQ(GlobalIndstillinger.autoimport, 0);
}

TEST_F(EksportKommandoTest, CancelledDialogKeepsNothing) {
  EksportValg = {1, 1, 0, 1, 0, 0};
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const ShownDialog &d) {
    CheckDlgButton(d.hwnd, IDC_EKS_AUTOIMPORT, BST_CHECKED);
    CheckDlgButton(d.hwnd, IDC_EKS_SKEMA, BST_UNCHECKED);
    SendMessageA(d.hwnd, WM_COMMAND, IDCANCEL, 0);
    return INT_PTR{0};
  });
  StartExport();
  EXPECT_TRUE(Bokse().empty());
  tavo::test::StopDialogScript();
  EXPECT_FALSE(Findes("exp.dat"));
  EXPECT_EQ(EksportValg.skema, 1);
  EXPECT_EQ(EksportValg.fremmedskema, 1);
  EXPECT_EQ(Indstilling("kontakt", "autoimport"), "");
}

TEST_F(EksportKommandoTest, FailedWritingIsShownAndNothingMarked) {
  HeleSkolen();
  const Billede foer = Billede::Nu(false);
  tavo::test::StartDialogScript();
  SvarDialog();
  // The writer's temporary file cannot be made: a folder holds its name.
  fs::create_directories(Data("exp.dat.tmp"));
  tavo::test::AnswerNextDialog([](const ShownDialog &) {
    // The question must not come; this answers the failure box.
    return INT_PTR{IDOK};
  });
  StartExport();
  const auto b = Bokse();
  tavo::test::StopDialogScript();
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].titel, "Eksport");
  EXPECT_EQ(b[0].type, kAdvar);
  EXPECT_EQ(b[0].tekst.rfind("Eksportfilen kunne ikke skrives.\n", 0), 0u) << b[0].tekst;
  EXPECT_GT(b[0].tekst.size(), std::string("Eksportfilen kunne ikke skrives.\n").size());
  EXPECT_FALSE(Findes("exp.dat"));
  EXPECT_EQ(Forskelle(foer, Billede::Nu(false)), std::vector<std::string>{});
  EXPECT_TRUE(Modtaget().empty());
}

TEST_F(EksportKommandoTest, UndoOfTheExport) {
  HeleSkolen();
  GemOgHent();
  const Billede foer = Billede::Nu(false);
  const char *titel = "Fortryd eksport";
  // Nothing written: nothing is taken back.
  tavo::test::StartDialogScript();
  FortrydEksportKommando(0);
  EXPECT_EQ(Bokse(), (std::vector<Boks>{{"Der er ingen eksport at fortryde.", titel, kInfo}}));
  tavo::test::StopDialogScript();

  ASSERT_TRUE(EksportSkriv());
  struct Tilfaelde {
    const char *navn, *fil;
    INT_PTR svar;
    std::vector<Boks> bokse;
  };
  const std::vector<Tilfaelde> tabel = {
      {"packed for sending", "exp.dat.gz", IDOK,
       {{"Eksporten er sendt til serveren og kan ikke fortrydes. Kontakt istedet serveren !", titel, kInfo}}},
      {"an import waits", "imp.dat", IDOK,
       {{"Import filen er modtaget, men ikke indlæst. Istedet indlæs import filen (Ctrl + F11) !", titel, kInfo}}},
      {"the question cancelled", nullptr, IDCANCEL, {{"Ønsker du at fortryde eksport ?", titel, kSpoerg}}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    if (t.fil) Laeg(t.fil);
    const Billede efter = Billede::Nu(false);
    tavo::test::StartDialogScript();
    Svar(t.svar);
    FortrydEksportKommando(0);
    EXPECT_EQ(Bokse(), t.bokse);
    tavo::test::StopDialogScript();
    EXPECT_TRUE(Findes("exp.dat"));
    EXPECT_EQ(Forskelle(efter, Billede::Nu(false)), std::vector<std::string>{});
    if (t.fil) fs::remove(Data(t.fil));
  }
  tavo::test::StartDialogScript();
  Svar(IDOK);
  FortrydEksportKommando(0);
  EXPECT_EQ(Bokse(), (std::vector<Boks>{{"Ønsker du at fortryde eksport ?", titel, kSpoerg},
                                        {"Eksporten er nu annulleret !", titel, kInfo}}));
  tavo::test::StopDialogScript();
  EXPECT_FALSE(Findes("exp.dat"));
  EXPECT_EQ(Forskelle(foer, Billede::Nu(false)), std::vector<std::string>{});
}

TEST_F(EksportKommandoTest, TracingWritesTheSteps) {
  GlobalIndstillinger.trace = 1;
  tavo::test::StartDialogScript();
  SvarDialog();
  Svar(IDOK);
  StartExport();
  tavo::test::StopDialogScript();
  GlobalIndstillinger.trace = 0;
  std::string log;
  for (const auto &e : fs::directory_iterator(rod / "log"))
    if (e.path().filename().string() == "STDERR.LOG" || e.path().filename().string() == "stderr.log")
      log = LaesFil(e.path());
  const std::string streg = "--------------------------------------------------";
  const std::string forventet = "\nStart Export " + streg + "\n\nTjek-TavoNr\nTjek-LastSkema\n" +
                                "Tjek-szimp+szzipimp " + StiTab.szimp + "," + StiTab.szzipimp + "\n" +
                                "Tjek-szexp+szzipexp " + StiTab.szexp + "," + StiTab.szzipexp + "\n" +
                                "ExportDialog\nExportDialog - Init - Done\nExportDialog - IDOK - Init - Done\n" +
                                "GemGruppeValg\nExport\nSend Kontakt Timer\n\nSlut  Export " + streg + "\n\n";
  std::string uden = log;
  uden.erase(std::remove(uden.begin(), uden.end(), '\r'), uden.end());
  EXPECT_EQ(uden, forventet);
}

class GammelEksport : public EksportKommandoTest {};

TEST_F(GammelEksport, OlderExportsAreDeletedAndTheirMarksWithdrawn) {
  const Boks gammel = {"Der var lavet en eksport med en gammel version og denne er blevet slettet. Lav en ny "
                       "eksport inden du kontakter igen!",
                       "FEJL Gammel eksportfil", kAdvar};
  struct Tilfaelde {
    const char *navn;
    const char *hoved;  // nullptr: the export the program writes now
    bool pakket;
    int resultat;
    bool slettet;
    std::vector<Boks> bokse;
  };
  WritePrivateProfileStringA("global", "version", "10203", StiTab.szini);
  version = 10203;
  const std::vector<Tilfaelde> tabel = {
      {"version 10000 under 10203", "K;N;7;10000;20240801;20250731;0;0;0;0;0;0", false, 0, true, {gammel}},
      {"a packed one is unpacked first", "K;N;7;10000;20240801;20250731;0;0;0;0;0;0", true, 0, true, {gammel}},
      {"version 0", "K;N;7;0;20240801;20250731", false, 0, true, {}},
      {"no version field", "K;N;7", false, 0, true, {}},
      {"an empty file", "", false, 0, true, {}},
      {"the same version", nullptr, false, 1, false, {}},
      {"the same version packed", nullptr, true, 1, false, {}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    HeleSkolen();
    GemOgHent();
    const Billede foer = Billede::Nu(false);
    ASSERT_TRUE(EksportSkriv());
    std::string indhold = Eksport();
    if (t.hoved) {
      // The marks stay those of the export just written; only its header
      // line says which version wrote it.
      indhold = std::string(t.hoved) + (t.hoved[0] ? "\n" : "");
      Laeg("exp.dat", indhold);
    }
    if (t.pakket) { ASSERT_EQ(GzipFile(StiTab.szexp, StiTab.szzipexp), 0); }
    tavo::test::StartDialogScript();
    EXPECT_EQ(CheckGammelEksport(), t.resultat);
    EXPECT_EQ(Bokse(), t.bokse);
    tavo::test::StopDialogScript();
    EXPECT_FALSE(Findes("exp.dat.gz"));
    EXPECT_EQ(Findes("exp.dat"), !t.slettet);
    if (t.slettet) {
      EXPECT_EQ(Forskelle(foer, Billede::Nu(false)), std::vector<std::string>{});
    } else {
      EXPECT_EQ(Eksport(), indhold);
    }
    fs::remove(Data("exp.dat"));
    GlemEksportMarker();
    TomAlt();
    predtest::TommeTabeller();
  }
}

TEST_F(GammelEksport, SuperTavoIsNotChecked) {
  GlobalIndstillinger.supertavo = 1;
  Gammel("K;N;7;10000;1;2");
  EXPECT_EQ(CheckGammelEksport(), 1);
  EXPECT_TRUE(Findes("exp.dat"));
}

TEST_F(GammelEksport, AnOlderExportDoesNotBlockTheCommand) {
  WritePrivateProfileStringA("global", "version", "10413", StiTab.szini);
  Gammel("K;N;7;10300;20240801;20250731;0;0;0;0;0;0");
  tavo::test::StartDialogScript();
  Svar(IDOK);  // the old-export box
  SvarDialog();
  Svar(IDCANCEL);
  EksportKommando(0);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  const auto b = Bokse();
  tavo::test::StopDialogScript();
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[0].titel, "FEJL Gammel eksportfil");
  EXPECT_EQ(b[1].tekst, "Eksportfil oprettet. Skal serveren kontaktes?");
  EXPECT_EQ(vist.caption, "Eksport til server");
}

TEST_F(GammelEksport, SuperTavoWritesTheShortHeader) {
  GlobalIndstillinger.supertavo = 1;
  tavo::test::StartDialogScript();
  SvarDialog();
  Svar(IDOK);
  StartExport();
  tavo::test::StopDialogScript();
  EXPECT_EQ(Eksport().substr(0, Eksport().find('\n')), "S;J;7;10413;20240801;20250731;");
  EXPECT_EQ(Modtaget(), std::vector<UINT>{WM_KONTAKT_NU});
}

}  // namespace
