// The update download against the web-server stand-in: the list fetched,
// the files put in place only when all came, and the program folder left as
// it was by every failure.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "INDSTIL.h"
#include "OPDAT.h"
#include "OPDHENT.h"
#include "STITAB.h"
#include "ZINTEL.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"
#include "optager_proces.h"
#include "webserver_proces.h"
#include "win/controls.h"
#include "zintelressourcer.h"

namespace {

namespace fs = std::filesystem;

const std::string kPc = "/tavoskema/opd/pc";

std::string WinForm(const fs::path &p) {
  std::string s = p.string();
  for (char &c : s)
    if (c == '/') c = '\\';
  return s;
}

std::string Laes(const fs::path &p) {
  std::ifstream ind(p, std::ios::binary);
  std::stringstream s;
  s << ind.rdbuf();
  return s.str();
}

// Every file of a folder with its bytes.
std::map<std::string, std::string> Indhold(const fs::path &mappe) {
  std::map<std::string, std::string> m;
  for (const auto &e : fs::directory_iterator(mappe)) m[e.path().filename().string()] = Laes(e.path());
  return m;
}

INT_PTR CALLBACK IntetDlgProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class OpdHent : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/opdhent_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
    prog_ = rod_ / "prog";
    fs::create_directories(prog_);
    fs::create_directories(rod_ / "data/ini");
    fs::create_directories(rod_ / "data/LOG");
    fs::create_directories(rod_ / "server/10400");
    ASSERT_TRUE(server_.Start());
    std::strcpy(ZintelProgMappe, (WinForm(prog_) + "\\").c_str());
    const std::string data = WinForm(rod_ / "data") + "\\";
    std::strcpy(ZintelDataMappe, data.c_str());
    std::snprintf(ZintelIni, sizeof ZintelIni, "%sini\\tavo.ini", data.c_str());
    std::strcpy(StiTab.szdata, data.c_str());
    std::snprintf(ZintelAdresse, sizeof ZintelAdresse, "%s", server_.Adresse().c_str());
    tavo::SaetInternetCertifikater(webtest::Certifikat().c_str());
    // Short for the silent stand-in, long enough for a TLS handshake on a
    // loaded machine.
    tavo::SaetInternetTimeout(4000);
    ZintelPauseMs = 0;
    ZintelHentVersion = ZintelHentFiler;
    // An older installation: a file the new version replaces and one it
    // does not know.
    std::ofstream(prog_ / "a.exe", std::ios::binary) << "gammel a";
    std::ofstream(prog_ / "nyver.txt", std::ios::binary) << "gammel nyver";
    std::ofstream(prog_ / "tavo.ini", std::ios::binary) << "[x]";
    Version("a.exe", std::string("MZ\x00\x01ny a", 8));
    Version("b.dll", std::string(40000, 'b'));
    Version("nyver.txt", "Version 1.4:\r\nRettelser.");
    tavo::test::StartDialogScript();
    RegistrerZintelRessourcer();
    internet_ = InternetOpenA("TAVO check ny version", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr,
                              INTERNET_FLAG_NO_CACHE_WRITE);
    ASSERT_NE(internet_, nullptr);
    dlg_ = CreateDialogParamA(0, MAKEINTRESOURCEA(IDD_HENTFILER), 0, IntetDlgProc, 0);
    ASSERT_NE(dlg_, 0u);
  }
  void TearDown() override {
    DestroyWindow(dlg_);
    InternetCloseHandle(internet_);
    tavo::test::StopDialogScript();
    tavo::SaetInternetCertifikater(nullptr);
    tavo::SaetInternetTimeout(0);
    ZintelHentVersion = ZintelHentFiler;
    server_.Stop();
    std::error_code ec;
    fs::remove_all(rod_, ec);
  }

  void Version(const std::string &navn, const std::string &bytes) {
    std::ofstream(rod_ / "server/10400" / navn, std::ios::binary) << bytes;
  }
  // The rules first, then the version's folder.
  void Script(const std::string &regler) {
    server_.Script(regler + "serve " + kPc + " " + (rod_ / "server").string() + "\n");
  }
  static std::string Svar(const std::string &sti, int status, const std::string &krop) {
    return "answer " + kPc + sti + " " + std::to_string(status) + " " + webtest::Flugt(krop) + "\n";
  }
  // The files requested below the version, in order, from the request
  // numbered `fra` on.
  std::vector<std::string> Hentet(size_t fra = 0) {
    std::vector<std::string> ud;
    const std::string foran = "GET " + kPc + "/10400/";
    const auto log = server_.Log();
    for (size_t i = fra; i < log.size(); ++i) {
      const std::string &l = log[i];
      const size_t p = l.find(foran);
      if (p == std::string::npos) continue;
      std::string navn = l.substr(p + foran.size());
      navn.resize(navn.find('\t'));
      if (navn != "filelist.txt") ud.push_back(navn);
    }
    return ud;
  }
  std::pair<int, int> Bjaelke() {
    HWND b = GetDlgItem(dlg_, IDC_HENT_BJAELKE);
    return {static_cast<int>(SendMessageA(b, PBM_GETPOS, 0, 0)), static_cast<int>(SendMessageA(b, PBM_GETRANGE, FALSE, 0))};
  }
  std::string Ini(const char *s, const char *k) {
    char buf[256];
    GetPrivateProfileStringA(s, k, "", buf, sizeof buf, ZintelIni);
    return buf;
  }

  fs::path rod_, prog_;
  webtest::WebServer server_;
  HINTERNET internet_ = nullptr;
  HWND dlg_ = 0;
};

TEST_F(OpdHent, FetchesTheListFromTheLastNameAndInstallsIt) {
  // Blanks around a name, CR LF line ends, a name listed again and a blank
  // last line.
  Script(Svar("/10400/filelist.txt", 200, "a.exe\r\n  b.d ll \r\nnyver.txt\r\nA.EXE\r\n\r\n"));
  Version("b.dll", std::string(40000, 'b'));
  EXPECT_EQ(HTTPHentOpdFiler(dlg_, internet_, 10400), 1);
  EXPECT_EQ(Hentet(), (std::vector<std::string>{"nyver.txt", "b.dll", "a.exe"}));
  const auto nu = Indhold(prog_);
  EXPECT_EQ(nu, (std::map<std::string, std::string>{{"a.exe", std::string("MZ\x00\x01ny a", 8)},
                                                    {"b.dll", std::string(40000, 'b')},
                                                    {"nyver.txt", "Version 1.4:\r\nRettelser."},
                                                    {"tavo.ini", "[x]"}}));
  struct stat st;
  ASSERT_EQ(stat((prog_ / "a.exe").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);
  ASSERT_EQ(stat((prog_ / "b.dll").c_str(), &st), 0);
  EXPECT_FALSE(st.st_mode & S_IXUSR);
  EXPECT_EQ(Bjaelke(), std::make_pair(4, 4));
  char tekst[100];
  GetWindowTextA(GetDlgItem(dlg_, IDC_HENT_TEKST), tekst, sizeof tekst);
  EXPECT_STREQ(tekst, "Færdig");
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Ny version info");
  EXPECT_EQ(bokse[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(bokse[0].text, "Version 1.4:\r\nRettelser.\n\nAlle filer er nu hentet. Installation påbegyndes...");
}

TEST_F(OpdHent, EveryFailureLeavesTheProgramFolderAsItWas) {
  const std::string tre = Svar("/10400/filelist.txt", 200, "a.exe\nb.dll\nnyver.txt\n");
  std::string mange;
  for (int i = 0; i < 256; ++i) mange += "f" + std::to_string(i) + ".dll\n";
  struct {
    const char *hvad;
    std::string script;
    std::vector<std::string> hentet;  // the files requested
    const char *boks, *boksTekst;     // caption and a part of the text; "" none
  } tilfaelde[] = {
      {"the second file missing", tre + Svar("/10400/b.dll", 404, "nej"), {"nyver.txt", "b.dll"}, "Hent fil fejl",
       "Fejl ved hentning af filen: https://"},
      {"a file cut off before its announced length", tre + "cut " + kPc + "/10400/b.dll 5000\n",
       {"nyver.txt", "b.dll"}, "Hent fil fejl", "/10400/b.dll\n\nKontakt TAVO-support!"},
      {"an empty file", tre + Svar("/10400/b.dll", 200, ""), {"nyver.txt", "b.dll"}, "Hent fil fejl", "/b.dll"},
      {"a name above the folder", Svar("/10400/filelist.txt", 200, "a.exe\n../x.exe\nnyver.txt"), {},
       "Hent fil fejl", "/10400/../x.exe"},
      {"a name in a folder", Svar("/10400/filelist.txt", 200, "a.exe\nnyver.txt\nsub/x.exe"), {}, "Hent fil fejl",
       "sub/x.exe"},
      {"a name with a drive", Svar("/10400/filelist.txt", 200, "C:\\x.exe\na.exe"), {}, "Hent fil fejl", "C:\\x.exe"},
      {"more names than the list holds", Svar("/10400/filelist.txt", 200, mange), {}, "Hent fil fejl",
       "/10400/filelist.txt"},
      {"the list failing", Svar("/10400/filelist.txt", 500, "x"), {}, "Ny version fejl",
       "Fejlkode 500 ved åbning af filen: "},
  };
  const auto foer = Indhold(prog_);
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    const size_t fra = server_.Log().size();
    Script(t.script);
    EXPECT_EQ(HTTPHentOpdFiler(dlg_, internet_, 10400), 0);
    EXPECT_EQ(Hentet(fra), t.hentet);
    EXPECT_EQ(Indhold(prog_), foer);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, t.boks);
    EXPECT_NE(bokse[0].text.find(t.boksTekst), std::string::npos) << bokse[0].text;
    if (std::string(t.boks) == "Hent fil fejl") {
      const auto b = Bjaelke();
      EXPECT_EQ(b.first, b.second);
    }
  }
}

// The program folder's own failures: a write of a fetched file (a full
// disk), and a move into place after the first file was moved, whose moves
// are taken back.
TEST_F(OpdHent, AFailingWriteOrMoveLeavesTheFolderAsItWas) {
  Script(Svar("/10400/filelist.txt", 200, "a.exe\nb.dll\nnyver.txt\n"));
  const auto foer = Indhold(prog_);
  struct {
    const char *hvad;
    unsigned kinds;
    uint64_t nth;
  } tilfaelde[] = {
      {"the second file's write", tavo::test::kFileWrite, 2},
      // a.exe aside, a.exe in place, then b.dll in place fails.
      {"the move of the second file", tavo::test::kFileRename, 3},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    tavo::test::FileFault fejl;
    fejl.kinds = t.kinds;
    fejl.under = prog_.string();
    fejl.nth = t.nth;
    fejl.error = ERROR_DISK_FULL;
    tavo::test::SetFileFault(fejl);
    EXPECT_EQ(HTTPHentOpdFiler(dlg_, internet_, 10400), 0);
    EXPECT_TRUE(tavo::test::FileFaultHappened());
    tavo::test::ClearFileFault();
    EXPECT_EQ(Indhold(prog_), foer);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, "Hent fil fejl");
    EXPECT_NE(bokse[0].text.find("/10400/b.dll"), std::string::npos) << bokse[0].text;
  }
}

// The accepted version through the dialog: the keys, the exit code, and a
// list without nyver.txt counting as failed although its files arrived.
TEST_F(OpdHent, TheDialogAfterTheAcceptedVersion) {
  const std::string check = Svar("/version.txt", 200, "10400") + Svar("/10400/opdskoler.txt", 200, "*") +
                            Svar("/10400/ver-besked.txt", 200, "Besked");
  fs::remove(prog_ / "nyver.txt");
  struct {
    const char *hvad, *liste;
    int exitkode;
    const char *koropd;
  } tilfaelde[] = {
      {"without nyver.txt", "b.dll", 0, ""},
      {"every file", "a.exe\nb.dll\nnyver.txt", 1, "1"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Script(check + Svar("/10400/filelist.txt", 200, t.liste));
    ZintelVersion = 10300;
    WritePrivateProfileStringA("flag", "koropd", nullptr, ZintelIni);
    std::vector<std::string> vist;
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDYES; });
    tavo::test::AnswerNextDialog([&vist](const tavo::test::ShownDialog &d) {
      vist.push_back(d.caption);
      if (const auto *c = d.Control(IDC_HENT_TEKST)) vist.push_back(c->text);
      return 0;
    });
    EXPECT_EQ(WebTavoVersionCheck(), t.exitkode);
    EXPECT_EQ(vist, (std::vector<std::string>{"Henter filer", "Henter filer! Vent venligst...."}));
    EXPECT_EQ(Ini("flag", "koropd"), t.koropd);
    EXPECT_EQ(Ini("flag", "zintel"), "0");
    EXPECT_EQ(Laes(prog_ / "b.dll"), std::string(40000, 'b'));
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), t.exitkode == 1 ? 2u : 1u);
    if (t.exitkode == 1) {
      EXPECT_EQ(bokse[1].caption, "Ny version info");
    }
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
  }
}

// The main program's update check after the download finds the package
// that came and starts it.
TEST_F(OpdHent, TheMainProgramStartsTheDownloadedPackage) {
  const std::string log = (rod_ / "optager.log").string();
  setenv("TAVO_OPTAGER_LOG", log.c_str(), 1);
  Version("opd10400.exe", Laes(optagertest::Program()));
  Script(Svar("/10400/filelist.txt", 200, "opd10400.exe\nnyver.txt"));
  EXPECT_EQ(HTTPHentOpdFiler(dlg_, internet_, 10400), 1);
  WritePrivateProfileStringA("flag", "koropd", "1", ZintelIni);

  std::strcpy(StiTab.szprog, ZintelProgMappe);
  StiTab.laastOenske = 0;
  InitStiTab();
  StandardIndstillinger();
  version = 10300;
  EXPECT_EQ(CheckOpdatering(), OPDAT_PAKKE_STARTET);
  std::vector<optagertest::Koersel> k;
  for (int i = 0; i < 1000 && k.empty(); ++i) {
    k = optagertest::LaesLog(log);
    if (k.empty()) usleep(10000);
  }
  unsetenv("TAVO_OPTAGER_LOG");
  ASSERT_EQ(k.size(), 1u);
  EXPECT_EQ(k[0].navn, "opd10400.exe");
  std::string prog = ZintelProgMappe, data = ZintelDataMappe;
  prog.pop_back();
  data.pop_back();
  EXPECT_EQ(k[0].argumenter, "-p" + prog + " -d" + data);
  StandardIndstillinger();
}

}  // namespace
