// The update and new-data checks against the recording program placed as
// the version check (Zintel.exe) and as update packages (opd<N>.exe): what
// ran with which command line, the answer, and what is left in the
// settings file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../datamappe.h"
#include "INDSTIL.h"
#include "OPDAT.h"
#include "OPDPAKKE.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "optager_proces.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

std::string LaesFil(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void SkrivFil(const fs::path &p, const std::string &tekst) { std::ofstream(p, std::ios::binary) << tekst; }

// A program folder and a data folder in a temporary folder, named as the
// program gets them.
class OpdatMapper : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/opdat_test_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
    fs::create_directories(Prog());
    fs::create_directories(Data() / "ini");
    std::snprintf(StiTab.szprog, sizeof StiTab.szprog, "%s", DataMappeNavn(Prog()).c_str());
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(Data()).c_str());
    StiTab.laastOenske = 0;
    InitStiTab();
    StandardIndstillinger();
    version = 10413;
    setenv("TAVO_OPTAGER_LOG", OptagerLog().c_str(), 1);
    tavo::test::StartDialogScript(30000);
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    unsetenv("TAVO_OPTAGER_LOG");
    StandardIndstillinger();
    fs::remove_all(rod_);
  }
  fs::path Prog() const { return rod_ / "prog"; }
  fs::path Data() const { return rod_ / "data"; }
  fs::path Ini() const { return Data() / "ini" / "tavo.ini"; }
  fs::path OptagerLog() const { return rod_ / "optager.log"; }
  // A folder as the other programs get it: without its trailing separator.
  static std::string Uden(const char *mappe) {
    std::string m = mappe;
    m.pop_back();
    return m;
  }
  std::vector<optagertest::Koersel> Koersler() const { return optagertest::LaesLog(OptagerLog().string()); }
  // A package is not waited for: its line comes when it has run.
  std::vector<optagertest::Koersel> VentPaaKoersler(size_t antal) const {
    for (int i = 0; i < 1000 && Koersler().size() < antal; ++i) usleep(10000);
    return Koersler();
  }
  std::string IniVaerdi(const char *sektion, const char *noegle) const {
    char v[64];
    GetPrivateProfileStringA(sektion, noegle, "-", v, sizeof v, StiTab.szini);
    return v;
  }
  fs::path rod_;
};

class OpdatCheckTest : public OpdatMapper {};

TEST_F(OpdatCheckTest, FindOpdPakkePicksTheSmallestAbove) {
  const struct {
    std::vector<std::string> filer;
    uint32_t version;
    uint32_t nr;
    const char *navn;
  } tabel[] = {
      {{}, 10413, 0, ""},
      {{"opd10413.exe"}, 10413, 0, ""},
      {{"opd10300.exe", "opd10413.exe", "opd10415.exe", "opd10414.exe", "opd20000.exe"}, 10413, 10414,
       "opd10414.exe"},
      {{"OPD10416.EXE", "Opd10415.Exe"}, 10413, 10415, "Opd10415.Exe"},
      {{"opd010414.exe", "opd10420.exe"}, 10413, 10414, "opd010414.exe"},
      {{"opd950.exe", "opd1200.exe"}, 900, 950, "opd950.exe"},
      {{"opd10414.1.exe"}, 10413, 10414, "opd10414.1.exe"},  // cut at the last dot
      // No number after "opd", or one too large: not a package.
      {{"opd.exe", "opdx10414.exe", "opd-10414.exe", "opd99999999999.exe", "opd10414.txt"}, 10413, 0, ""},
      {{"opd10417x.exe", "opd10418.exe"}, 10413, 10417, "opd10417x.exe"},
  };
  for (const auto &t : tabel) {
    fs::remove_all(Prog());
    fs::create_directories(Prog());
    std::string liste;
    for (const auto &f : t.filer) {
      SkrivFil(Prog() / f, "");
      liste += f + " ";
    }
    fs::create_directories(Prog() / "opd10413.5.exe");  // a folder is no package
    char navn[MAX_PATH] = "x";
    EXPECT_EQ(FindOpdPakke(StiTab.szprog, t.version, navn, sizeof navn), t.nr) << liste;
    EXPECT_STREQ(navn, t.navn) << liste;
    EXPECT_EQ(FindOpdPakke(StiTab.szprog, t.version), t.nr) << liste;
  }
}

// The table over what the program folder holds and what the version check
// does.
TEST_F(OpdatCheckTest, CheckOpdateringTable) {
  const struct {
    const char *hvad;
    bool opdatLck;
    const char *koropd;                 // nullptr: no key
    std::vector<std::string> pakker;    // recording programs placed as packages
    const char *zintel;                 // the version check's script; nullptr: no Zintel.exe
    uint32_t version;
    int resultat;
    bool zintelKoerte;
    const char *pakkeKoerte;            // the package started; nullptr: none
    const char *koropdEfter;            // "-": no key
    uint8_t nyVersion;
  } tabel[] = {
      {"opdat.lck present: nothing else is tried", true, "1", {"opd10414.exe"}, "slut 1\n", 10413, OPDAT_KOERER,
       false, nullptr, "1", 0},
      {"nothing to run", false, nullptr, {}, nullptr, 10413, OPDAT_GAA_VIDERE, false, nullptr, "-", 0},
      {"two packages and koropd: the smaller, without the version check", false, "1",
       {"opd10415.exe", "opd10414.exe", "opd10413.exe"}, "slut 0\n", 10413, OPDAT_PAKKE_STARTET, false,
       "opd10414.exe", "-", 0},
      {"only the running version's own package", false, "1", {"opd10413.exe"}, "slut 0\n", 10413, OPDAT_INTET,
       true, nullptr, "1", 0},
      {"koropd without a package or a version check", false, "1", {}, nullptr, 10413, OPDAT_GAA_VIDERE, false,
       nullptr, "1", 0},
      {"a package without koropd: the version check asks and accepts", false, nullptr, {"opd10414.exe"},
       "ini %INI% flag koropd 1\nini %INI% global nyversion 10414\nslut 1\n", 10413, OPDAT_PAKKE_STARTET, true,
       "opd10414.exe", "-", 0},
      {"the version check ends above 0 without koropd", false, nullptr, {"opd10414.exe"}, "slut 1\n", 10413,
       OPDAT_GAA_VIDERE, true, nullptr, "-", 0},
      {"the version check finds a newer version", false, "0", {}, "ini %INI% global nyversion 10500\nslut 0\n",
       10413, OPDAT_INTET, true, nullptr, "0", 1},
      {"a newer patch is no new version", false, nullptr, {}, "ini %INI% global nyversion 10499\nslut 0\n", 10413,
       OPDAT_INTET, true, nullptr, "-", 0},
      {"the download left a package that cannot run", false, nullptr, {},
       "ini %INI% flag koropd 1\nfil %PROG%opd10414.exe ikke et program\nslut 1\n", 10413, OPDAT_PAKKE_FEJLEDE,
       true, nullptr, "1", 0},
      {"leading zeros: the file found is the file started", false, "1", {"opd010414.exe"}, nullptr, 10413,
       OPDAT_PAKKE_STARTET, false, "opd010414.exe", "-", 0},
      {"another case", false, "1", {"OPD10414.EXE"}, nullptr, 10413, OPDAT_PAKKE_STARTET, false, "OPD10414.EXE",
       "-", 0},
      {"a number below 10000", false, "1", {"opd950.exe"}, nullptr, 900, OPDAT_PAKKE_STARTET, false, "opd950.exe",
       "-", 0},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    fs::remove_all(Prog());
    fs::create_directories(Prog());
    fs::remove(Ini());
    fs::remove(OptagerLog());
    InitStiTab();
    StandardIndstillinger();
    version = t.version;
    SkrivFil(Ini(), "[global]\r\ninsnr=1\r\n[flag]\r\nzintel=0\r\n");
    if (t.koropd) WritePrivateProfileStringA("flag", "koropd", t.koropd, StiTab.szini);
    if (t.opdatLck) SkrivFil(Prog() / "opdat.lck", "03,10414,bo,pc3,20260105,08:00,\r\n");
    for (const auto &p : t.pakker) ASSERT_TRUE(optagertest::Placer(Prog().string(), p));
    if (t.zintel) {
      std::string script = t.zintel;
      for (const auto &[mærke, vaerdi] : {std::pair<std::string, std::string>{"%INI%", Ini().string()},
                                          std::pair<std::string, std::string>{"%PROG%", Prog().string() + "/"}})
        for (size_t p; (p = script.find(mærke)) != std::string::npos;) script.replace(p, mærke.size(), vaerdi);
      ASSERT_TRUE(optagertest::Placer(Prog().string(), "Zintel.exe", script));
    }
    EXPECT_EQ(CheckOpdatering(), t.resultat);

    const auto koersler = VentPaaKoersler((t.zintelKoerte ? 1 : 0) + (t.pakkeKoerte ? 1 : 0));
    size_t i = 0;
    if (t.zintelKoerte) {
      ASSERT_GT(koersler.size(), i);
      EXPECT_EQ(koersler[i].navn, "Zintel.exe");
      EXPECT_EQ(koersler[i].argumenter, "-p" + Uden(StiTab.szprog) + " -d" + Uden(StiTab.szdata) + " -v" +
                                            std::to_string(t.version));
      ++i;
    }
    if (t.pakkeKoerte) {
      ASSERT_GT(koersler.size(), i);
      EXPECT_EQ(koersler[i].navn, t.pakkeKoerte);
      EXPECT_EQ(koersler[i].argumenter, "-p" + Uden(StiTab.szprog) + " -d" + Uden(StiTab.szdata));
      ++i;
    }
    EXPECT_EQ(koersler.size(), i);
    EXPECT_EQ(IniVaerdi("flag", "koropd"), t.koropdEfter);
    EXPECT_EQ(nyVersionFindes, t.nyVersion);
    // The version check's mark goes whenever the check gets as far as
    // looking for the version check program.
    bool pakkeOver = false;
    for (const auto &p : t.pakker) pakkeOver = pakkeOver || OpdPakkeNummer(p.c_str()) > t.version;
    const bool zintelTrin = !t.opdatLck && !(pakkeOver && t.koropd && std::atoi(t.koropd) != 0);
    EXPECT_EQ(IniVaerdi("flag", "zintel"), zintelTrin ? "-" : "0");
    const auto bokse = tavo::test::MessageBoxesShown();
    const bool fejlBoks = t.resultat == OPDAT_PAKKE_FEJLEDE || t.resultat == OPDAT_KOERER;
    ASSERT_EQ(bokse.size(), fejlBoks ? 1u : 0u);
    if (t.resultat == OPDAT_PAKKE_FEJLEDE) {
      EXPECT_EQ(bokse[0].caption, "Opdatering");
      EXPECT_EQ(bokse[0].text, "Opdateringen opd10414.exe kunne ikke startes.\nKontakt TAVO support!");
    }
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(30000);
  }
}

// The server pane shows the check while it runs, and is emptied after.
TEST_F(OpdatCheckTest, ServerPaneDuringTheCheck) {
  static std::vector<std::string> vist;
  vist.clear();
  OpdatKrog.ServerBesked = [](const char *tekst) { vist.push_back(tekst); };
  SkrivFil(Ini(), "[global]\r\ninsnr=1\r\n");
  EXPECT_EQ(CheckOpdatering(), OPDAT_GAA_VIDERE);
  EXPECT_EQ(vist, (std::vector<std::string>{"Tjekker for opdatering...", ""}));
  vist.clear();
  SkrivFil(Prog() / "opdat.lck", "");
  EXPECT_EQ(CheckOpdatering(), OPDAT_KOERER);
  EXPECT_EQ(vist, (std::vector<std::string>{""}));
  OpdatKrog = {};
}

// A read-only run starts what it must but writes no settings.
TEST_F(OpdatCheckTest, ReadOnlyRunWritesNoSettings) {
  const std::string ini = "[flag]\r\nkoropd=1\r\nzintel=0\r\n";
  SkrivFil(Ini(), ini);
  ASSERT_TRUE(optagertest::Placer(Prog().string(), "opd10414.exe"));
  StiTab.laastOenske = 1;
  EXPECT_EQ(CheckOpdatering(), OPDAT_PAKKE_STARTET);
  EXPECT_EQ(VentPaaKoersler(1).size(), 1u);
  EXPECT_EQ(LaesFil(Ini()), ini);
}

TEST_F(OpdatCheckTest, LockFileMessage) {
  const std::string kun = "Opdatering er under afvikling. Prøv igen om lidt.\n";
  const struct {
    const char *indhold;
    std::string tekst;
  } tabel[] = {
      {"03,10414,bo,pc3,20260105,08:00,\r\n",
       kun + "  Insnr:    \t\t 3\n  Bruger:     \tbo\n  PC-navn:    \tpc3\n  Startdato:  \t20260105\n"
             "  Starttid:   \t08:00\n"},
      {"12,10414,en meget lang brugers navn,pc,20260105,08:00,20260105,09:00;\r\n",
       kun + "  Insnr:    \t\t12\n  Bruger:     \ten meget lang bruge\n  PC-navn:    \tpc\n"
             "  Startdato:  \t20260105\n  Starttid:   \t08:00\n"},
      {"ikke en post\r\n", kun},
      {"", kun},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.indhold);
    SkrivFil(Prog() / "opdat.lck", t.indhold);
    EXPECT_TRUE(CheckOpdatLck());
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, "Opdatering");
    EXPECT_EQ(bokse[0].text, t.tekst);
    EXPECT_EQ(bokse[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL));
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(30000);
  }
  fs::remove(Prog() / "opdat.lck");
  EXPECT_FALSE(CheckOpdatLck());
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

// The new-data check under a fixed clock (10 March 2026, noon), with a main
// window that records the keys it is sent.
class NyeDataCheckTest : public OpdatMapper {
 protected:
  void SetUp() override {
    OpdatMapper::SetUp();
    struct tm t = {};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 10;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    tavo::SetFakeClock(static_cast<int64_t>(mktime(&t)));
    WNDCLASSA wc{};
    wc.lpfnWndProc = HovedProc;
    wc.lpszClassName = "NyeDataHoved";
    RegisterClassA(&wc);
    hwndHoved = CreateWindowExA(0, "NyeDataHoved", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, 0, 0, 0, nullptr);
    Taster().clear();
  }
  void TearDown() override {
    DestroyWindow(hwndHoved);
    hwndHoved = 0;
    UnregisterClassA("NyeDataHoved", 0);
    tavo::ClearFakeClock();
    OpdatMapper::TearDown();
  }
  // Each key-down the main window got, with "+Shift" when Shift was held.
  static std::vector<std::string> &Taster() {
    static std::vector<std::string> t;
    return t;
  }
  static LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_KEYDOWN)
      Taster().push_back((w == VK_F11 ? std::string("F11") : std::to_string(w)) +
                         (GetKeyState(VK_SHIFT) < 0 ? "+Shift" : ""));
    return DefWindowProcA(h, m, w, l);
  }
};

TEST_F(NyeDataCheckTest, DatesAndTheQuestion) {
  const char *kSpoergsmaal = "Der er nye data til din SuperTavo!\nØnsker du at hente dem?";
  const struct {
    const char *hvad;
    const char *ini;
    bool spoerg;
    int svar;  // the answer to the question; 0: no question expected
    int resultat;
    std::vector<std::string> taster;
  } tabel[] = {
      {"night job a day after the last contact", "[global]\r\nnatjobtid=20260311\r\n[tider]\r\nfremmedkontakt=20260310\r\n",
       true, 0, 1, {}},
      {"no night job, last contact before today", "[tider]\r\nfremmedkontakt=20260309\r\n", true, 0, 1, {}},
      {"last contact today, night job not later", "[global]\r\nnatjobtid=20260310\r\n[tider]\r\nfremmedkontakt=20260310\r\n",
       true, 0, 0, {}},
      {"SuperTavo, nothing new: no question",
       "[global]\r\nsupertavo=ja\r\nnatjobtid=20260301\r\n[tider]\r\nfremmedkontakt=20260310\r\n", true, 0, 0, {}},
      {"SuperTavo answers Yes", "[global]\r\nsupertavo=ja\r\nnatjobtid=20260311\r\n[tider]\r\nfremmedkontakt=20260310\r\n",
       true, IDYES, 1, {"F11+Shift"}},
      {"SuperTavo answers No", "[global]\r\nsupertavo=ja\r\n[tider]\r\nfremmedkontakt=20260309\r\n", true, IDNO, 1, {}},
      {"the export dialog does not ask", "[global]\r\nsupertavo=ja\r\n[tider]\r\nfremmedkontakt=20260309\r\n", false,
       0, 1, {}},
      {"default last contact, natjobtid not a number", "[global]\r\nnatjobtid=x\r\n", true, 0, 1, {}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    SkrivFil(Ini(), t.ini);
    StandardIndstillinger();
    LaesIndstillinger(false);
    Taster().clear();
    if (t.svar) tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &) { return t.svar; });
    EXPECT_EQ(NyeDataCheck(t.spoerg), t.resultat);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), t.svar ? 1u : 0u);
    if (t.svar) {
      EXPECT_EQ(bokse[0].caption, "OBS! Nye data!");
      EXPECT_EQ(bokse[0].text, kSpoergsmaal);
      EXPECT_EQ(bokse[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    }
    EXPECT_EQ(Taster(), t.taster);
    // The keyboard is let go again.
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(30000);
  }
}

}  // namespace
