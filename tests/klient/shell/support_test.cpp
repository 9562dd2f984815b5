// The support package: the folder listing, the archive names, the packing
// of a folder, and command 40265 end to end against the web-server
// stand-in, whose stored body is taken apart and unpacked with minizip.
#include <gtest/gtest.h>
#include <minizip/unzip.h>
#include <unistd.h>
#include <utime.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <set>

#include "DIRLISTE.h"
#include "SUPPORT.h"
#include "ZIPPAK.h"
#include "opstart_support.h"
#include "smaadialoger.h"
#include "tavo/clock.h"
#include "webserver_proces.h"

namespace {

using opstarttest::Laes;
using opstarttest::Skriv;
namespace fs = std::filesystem;

// Entry name -> bytes of a zip archive, read with minizip itself.
std::map<std::string, std::string> Udpak(const fs::path &arkiv) {
  std::map<std::string, std::string> ud;
  unzFile uf = unzOpen64(arkiv.c_str());
  if (!uf) return ud;
  for (int r = unzGoToFirstFile(uf); r == UNZ_OK; r = unzGoToNextFile(uf)) {
    char navn[1024];
    unz_file_info64 info;
    unzGetCurrentFileInfo64(uf, &info, navn, sizeof navn, nullptr, 0, nullptr, 0);
    std::string indhold(info.uncompressed_size, '\0');
    unzOpenCurrentFile(uf);
    const int n = unzReadCurrentFile(uf, indhold.data(), static_cast<unsigned>(indhold.size()));
    unzCloseCurrentFile(uf);
    indhold.resize(n < 0 ? 0 : static_cast<size_t>(n));
    ud[navn] = indhold;
  }
  unzClose(uf);
  return ud;
}

// The time as a file's last write time, in UTC.
void SaetTid(const fs::path &p, int aar, int md, int dag, int time, int minut) {
  std::tm t{};
  t.tm_year = aar - 1900;
  t.tm_mon = md - 1;
  t.tm_mday = dag;
  t.tm_hour = time;
  t.tm_min = minut;
  const std::time_t s = timegm(&t);
  utimbuf u{s, s};
  ASSERT_EQ(utime(p.c_str(), &u), 0);
}

class SupportMapper : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/support_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
  }
  void TearDown() override { fs::remove_all(rod_); }
  fs::path rod_;
};

TEST_F(SupportMapper, WriteDirListingGivesTheHeadingLinesAndTotals) {
  fs::create_directories(rod_ / "m/under");
  fs::create_directories(rod_ / "tom");
  Skriv(rod_ / "m/a.dat", std::string(1234, 'a'));
  Skriv(rod_ / "m/b.txt", "");
  SaetTid(rod_ / "m/a.dat", 2026, 3, 9, 7, 5);
  SaetTid(rod_ / "m/b.txt", 1999, 12, 31, 23, 59);
  SaetTid(rod_ / "m/under", 2026, 1, 2, 0, 0);
  const std::string liste = (rod_ / "liste.txt").string();
  Skriv(liste, "[version]\r\n");

  const std::string m = (rod_ / "m").string() + "/*.*";
  EXPECT_EQ(WriteDirListing(m.c_str(), liste.c_str()), 3);
  const std::string t = (rod_ / "tom").string() + "/*.*";
  EXPECT_EQ(WriteDirListing(t.c_str(), liste.c_str()), 254);
  const std::string ingen = (rod_ / "m").string() + "/*.xyz";
  EXPECT_EQ(WriteDirListing(ingen.c_str(), liste.c_str()), 254);
  EXPECT_EQ(WriteDirListing(m.c_str(), (rod_ / "findes/ikke/liste.txt").c_str()), -1);

  // The entries in whatever order the folder gives them; the rest exactly.
  const std::string tekst = Laes(liste);
  const std::string hoved = "[version]\r\n\r\nIndhold af : " + m + "\r\n\r\n";
  ASSERT_EQ(tekst.rfind(hoved, 0), 0u) << tekst;
  const std::set<std::string> linjer = {
      "09-03-2026   07:05             1234   a.dat\r\n",
      "31-12-1999   23:59                0   b.txt\r\n",
      "02-01-2026   00:00     <DIR>          under\r\n",
  };
  const std::string slut = "             3 fil(er)        1234 bytes\r\n"
                           "\r\nIndhold af : " + t + "\r\n\r\n" +
                           "\r\nIndhold af : " + ingen + "\r\n\r\n";
  ASSERT_GT(tekst.size(), hoved.size() + slut.size());
  ASSERT_EQ(tekst.substr(tekst.size() - slut.size()), slut) << tekst;
  std::string midt = tekst.substr(hoved.size(), tekst.size() - hoved.size() - slut.size());
  std::set<std::string> fundet;
  for (size_t p; (p = midt.find("\r\n")) != std::string::npos; midt.erase(0, p + 2)) fundet.insert(midt.substr(0, p + 2));
  EXPECT_EQ(fundet, linjer);
}

TEST(SupportNavne, OnlyCharactersAFileNameMayHold) {
  struct {
    const char *database, *server;
    int insnr;
    const char *del;
  } tilfaelde[] = {
      {"tavo", "skole.domaene.dk", 3, "tavoskole3"},
      {"", "", 12, "12"},
      // Typed values that would lead out of the temporary folder.
      {"..\\..\\x", "op/../x", 1, ".._.._xop_1"},
      {"a:b*c?d", "\"e<f>|g", 7, "a_b_c_d_e_f__g7"},
      // Cut to their widths: 9 and 49 characters.
      {"databasenavn", "sssssssssssssssssssssssssssssssssssssssssssssssssss", 2,
       "databasensssssssssssssssssssssssssssssssssssssssssssssssss2"},
  };
  char skabelon[] = "/tmp/support_navn_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const std::string ini = std::string(skabelon) + "/tavo.ini";
  std::snprintf(StiTab.szini, sizeof StiTab.szini, "%s", ini.c_str());
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.del);
    WritePrivateProfileStringA("kontakt", "database", t.database, ini.c_str());
    WritePrivateProfileStringA("kontakt", "server", t.server, ini.c_str());
    GlobalIndstillinger.insnr = static_cast<uint8_t>(t.insnr);
    EXPECT_EQ(SupportNavnDel(), t.del);
  }
  GlobalIndstillinger.insnr = 0;
  fs::remove_all(skabelon);
}

// ZipAddFile's failures as PakFil sees them (the archive written well is
// checked with the start menu's packing).
TEST_F(SupportMapper, ZipAddFileFailureCodes) {
  Skriv(rod_ / "f.txt", "f");
  struct {
    const char *hvad;
    std::string arkiv, fil;
    int kode;
    const char *tekst;
  } tilfaelde[] = {
      {"an archive that cannot be created", (rod_ / "ingen/a.zip").string(), (rod_ / "f.txt").string(), -3,
       "Error opening zip file"},
      {"a file that cannot be opened", (rod_ / "b.zip").string(), (rod_ / "mangler.txt").string(), -6,
       "Error in opening file for reading"},
      // Memory that cannot be read: the first read fails before the end.
      {"a short read", (rod_ / "c.zip").string(), "/proc/self/mem", -7, "Error in reading file"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    const int kode = ZipAddFile(t.arkiv.c_str(), t.fil.c_str());
    EXPECT_EQ(kode, t.kode);
    EXPECT_STREQ(ZipFejlTekst(kode), t.tekst);
  }
}

INT_PTR CALLBACK IntetDlgProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A folder packed by full paths: no lock file, the current folder kept, and
// a file that cannot be read stopping the folder with the box and the log.
TEST_F(SupportMapper, PakMappePacksByFullPathsAndStopsAtAFailure) {
  RegistrerOrvaneRessourcer();
  tavo::test::StartDialogScript();
  fs::create_directories(rod_ / "d/ini");
  fs::create_directories(rod_ / "d/log");
  Skriv(rod_ / "d/ini/tavo.ini", "[global]\r\n");
  Skriv(rod_ / "d/ini/TAVO.LCK", "laas");
  Skriv(rod_ / "d/ini/skrm.ini", "x");
  fs::create_directories(rod_ / "d/ini/under");
  std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s/d/", rod_.c_str());
  HWND dlg = CreateDialogParamA(kOrvaneInstans, MAKEINTRESOURCEA(IDD_PAKBJAELKE), 0, IntetDlgProc, 0);
  ASSERT_NE(dlg, 0u);
  const fs::path foer = fs::current_path();
  const std::string mappe = (rod_ / "d").string() + "/";
  const std::string arkiv = (rod_ / "p.zip").string();
  EXPECT_EQ(PakMappe(dlg, mappe.c_str(), "ini\\*.*", arkiv.c_str()), 0);
  EXPECT_EQ(fs::current_path(), foer);
  const std::string sti = mappe.substr(1) + "ini\\";
  EXPECT_EQ(Udpak(rod_ / "p.zip"),
            (std::map<std::string, std::string>{{sti + "skrm.ini", "x"}, {sti + "tavo.ini", "[global]\r\n"}}));
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());

  // A link to nothing is listed but cannot be read.
  fs::create_symlink(rod_ / "ingen", rod_ / "d/log/a.log");
  Skriv(rod_ / "d/log/b.log", "b");
  EXPECT_EQ(PakMappe(dlg, mappe.c_str(), "log\\*.*", arkiv.c_str()), -6);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Fejl");
  EXPECT_EQ(bokse[0].text.rfind("Fejl ved pakning af filen '" + mappe + "log\\a.log'\n\nFejlkode: ", 0), 0u)
      << bokse[0].text;
  EXPECT_EQ(Udpak(rod_ / "p.zip").size(), 2u);
  EXPECT_TRUE(IsWindowVisible(dlg));
  DestroyWindow(dlg);
  tavo::test::StopDialogScript();
}

// Command 40265 on a started installation of the made-up school.
class SupportKommando : public opstarttest::OpstartTest {
 protected:
  void SetUp() override {
    OpstartTest::SetUp();
    // The stand-in and its certificate first: they live in the
    // temporary folder of the whole run.
    ASSERT_TRUE(server_.Start());
    webtest::Certifikat();
    fs::create_directories(rod_ / "temp");
    gammelTemp_ = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    setenv("TMPDIR", (rod_ / "temp").c_str(), 1);
    setenv("TAVO_WEB_TAVOSIDE", server_.Adresse().c_str(), 1);
    setenv("TAVO_WEB_SUPPORT", "127.0.0.1", 1);
    setenv("TAVO_WEB_SUPPORTPORT", std::to_string(server_.Port()).c_str(), 1);
    setenv("TAVO_WEB_CERTIFIKAT", webtest::Certifikat().c_str(), 1);
    SaetIndstilling("kontakt", "database", "tavo");
    SaetIndstilling("kontakt", "server", "skole.dk");
    // 10 March 2026, noon UTC.
    tavo::SetFakeClock(1773144000);
    ASSERT_EQ(Start(), kOpstartFortsaet);
    Skriv(Prog() / "opdat.lck", "opdatering");
    Skriv(Prog() / "Tavo.lck", "ikke med");
  }
  void TearDown() override {
    tavo::ClearFakeClock();
    for (const char *v : {"TAVO_WEB_TAVOSIDE", "TAVO_WEB_SUPPORT", "TAVO_WEB_SUPPORTPORT", "TAVO_WEB_CERTIFIKAT"})
      unsetenv(v);
    if (gammelTemp_.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", gammelTemp_.c_str(), 1);
    server_.Stop();
    OpstartTest::TearDown();
  }
  void Svar(int status) {
    server_.Script("answer /cgi-bin/adm/tavodata.pl " + std::to_string(status) + " ok\n");
  }
  // Runs the command, the save's wait dialog (unless `gemmer` is false)
  // and the packing dialog let alone; the boxes shown.
  std::vector<std::string> Koer(bool gemmer = true) {
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(30000);
    static std::vector<std::string> dialoger;
    dialoger.clear();
    for (int i = gemmer ? 0 : 1; i < 2; ++i)
      tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) {
        dialoger.push_back(d.Control(IDC_PAKBJAELKE) ? d.caption : "anden");
        return 0;
      });
    SendSupportKommando(hwndHoved);
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    if (gemmer) {
      EXPECT_EQ(dialoger, (std::vector<std::string>{"anden", "Send data til support..."}));
    }
    else
      EXPECT_EQ(dialoger, (std::vector<std::string>{"Send data til support..."}));
    return Bokse();
  }
  // The number of the one upload request; 0 when there is not one.
  int Post() {
    int n = 0, antal = 0;
    for (const std::string &l : server_.Log())
      if (l.find("\tPOST /cgi-bin/adm/tavodata.pl\t") != std::string::npos) {
        n = std::atoi(l.c_str());
        ++antal;
      }
    return antal == 1 ? n : 0;
  }
  std::set<std::string> Temp() {
    std::set<std::string> s;
    for (const auto &e : fs::directory_iterator(rod_ / "temp")) s.insert(e.path().filename().string());
    return s;
  }
  // The archive of the upload's stored body, taken out of its one part.
  std::map<std::string, std::string> Sendt(int n, std::string *filnavn) {
    const std::string krop = server_.Krop(n);
    const std::string graense = "------7d47d430424----";
    const std::string hoved = graense + "\r\nContent-Disposition: form-data; name=\"filnavn\"; filename=\"";
    EXPECT_EQ(krop.rfind(hoved, 0), 0u) << krop.substr(0, 200);
    const size_t slutNavn = krop.find('"', hoved.size());
    *filnavn = krop.substr(hoved.size(), slutNavn - hoved.size());
    const std::string type = "\"\r\nContent-Type: application/octet-stream\r\n\r\n";
    EXPECT_EQ(krop.compare(slutNavn, type.size(), type), 0);
    const std::string hale = "\r\n" + graense + "--\r\n";
    EXPECT_EQ(krop.substr(krop.size() - hale.size()), hale);
    const size_t fra = slutNavn + type.size();
    Skriv(rod_ / "sendt.zip", krop.substr(fra, krop.size() - hale.size() - fra));
    EXPECT_NE(server_.Hoved(n).find("multipart/form-data; boundary=----7d47d430424----"), std::string::npos);
    return Udpak(rod_ / "sendt.zip");
  }

  webtest::WebServer server_;
  std::string gammelTemp_;
};

TEST_F(SupportKommando, SavesPacksUploadsAndLeavesNothingBehind) {
  Svar(200);
  const fs::path foer = fs::current_path();
  EXPECT_EQ(Koer(), (std::vector<std::string>{"Information|Data'ene er nu sendt til TAVO-support!"}));
  EXPECT_EQ(fs::current_path(), foer);
  const int n = Post();
  ASSERT_GT(n, 0);
  std::string filnavn;
  const auto arkiv = Sendt(n, &filnavn);
  // The final name: database, server before its first dot, installation
  // number, local time.
  EXPECT_NE(filnavn.find("tavoskole" + std::to_string(GlobalIndstillinger.insnr) + "-2026.03.10-"),
            std::string::npos)
      << filnavn;
  std::set<std::string> navne;
  std::string listning;
  for (const auto &[navn, indhold] : arkiv) {
    std::string n = navn;
    for (char &c : n)
      if (c == '\\') c = '/';
    std::string lille = n;
    for (char &c : lille) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(lille.find("tavo.lck"), std::string::npos) << navn;
    EXPECT_NE(n[0], '/');
    const size_t p = n.rfind('/', n.rfind('/') - 1);
    navne.insert(n.substr(p + 1));
    if (n.size() >= 14 && n.substr(n.size() - 14) == "log/dirlst.txt") listning = indhold;
  }
  for (const char *skal : {"prog/opdat.lck", "ini/tavo.ini", "data/akti.DAT", "log/dirlst.txt"})
    EXPECT_TRUE(navne.count(skal)) << skal;
  for (const auto &e : fs::directory_iterator(Data() / "data"))
    EXPECT_TRUE(navne.count("data/" + e.path().filename().string())) << e.path();
  EXPECT_EQ(listning.rfind("[version]\r\nFileVersion=", 0), 0u) << listning.substr(0, 200);
  for (const char *m : {"*.*", "data\\*.*", "ini\\*.*", "log\\*.*"})
    EXPECT_NE(listning.find(std::string("Indhold af : ") + (std::string(m) == "*.*" ? StiTab.szprog : StiTab.szdata) + m),
              std::string::npos)
        << m;
  EXPECT_TRUE(Temp().empty());
  EXPECT_FALSE(fs::exists(Data() / "log/dirlst.txt"));
}

TEST_F(SupportKommando, AFailedUploadIsToldAndKeepsTheArchive) {
  const std::string del = "tavoskole" + std::to_string(GlobalIndstillinger.insnr);
  // Refused, then absent: told each time, the archive of the minute kept
  // (the second replacing the first); an older package of another
  // installation number is not touched.
  Skriv(rod_ / "temp" / (del + "2-2026.01.01-10.00.zip"), "anden");
  Svar(500);
  std::vector<std::string> b = Koer();
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].rfind("Fejl|Data'ene kunne ikke sendes til TAVO-support!\nPakken er gemt som:\n", 0), 0u) << b[0];
  auto temp = Temp();
  ASSERT_EQ(temp.size(), 2u);
  const std::string arkiv = *std::find_if(temp.begin(), temp.end(), [&](const std::string &f) {
    return f.rfind(del + "-2026.03.10-", 0) == 0;
  });
  EXPECT_NE(b[0].find(arkiv), std::string::npos);
  Skriv(rod_ / "temp" / arkiv, "forrige");
  server_.Stop();
  b = Koer();
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].rfind("Fejl|Data'ene kunne ikke sendes", 0), 0u) << b[0];
  EXPECT_EQ(Temp(), temp);
  EXPECT_NE(Laes(rod_ / "temp" / arkiv), "forrige");
  EXPECT_FALSE(Udpak(rod_ / "temp" / arkiv).empty());
  ASSERT_TRUE(server_.Start());
  setenv("TAVO_WEB_TAVOSIDE", server_.Adresse().c_str(), 1);
  setenv("TAVO_WEB_SUPPORTPORT", std::to_string(server_.Port()).c_str(), 1);
  Svar(200);
  EXPECT_EQ(Koer(), (std::vector<std::string>{"Information|Data'ene er nu sendt til TAVO-support!"}));
  EXPECT_EQ(Temp(), (std::set<std::string>{del + "2-2026.01.01-10.00.zip"}));
}

// A read-only run sends without saving first.
TEST_F(SupportKommando, AReadOnlyRunDoesNotSave) {
  Svar(200);
  StiTab.laastOenske = 1;
  EXPECT_EQ(Koer(false), (std::vector<std::string>{"Information|Data'ene er nu sendt til TAVO-support!"}));
  StiTab.laastOenske = 0;
  EXPECT_GT(Post(), 0);
}

// A file that cannot be read stops its folder's packing with the box and
// the log line; the rest is packed and sent.
TEST_F(SupportKommando, AnUnreadableFileStopsItsFolderOnly) {
  Svar(200);
  fs::create_symlink(rod_ / "ingen", Data() / "data" / "zz.dat");
  const std::vector<std::string> b = Koer();
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[0].rfind("Fejl|Fejl ved pakning af filen '", 0), 0u) << b[0];
  EXPECT_NE(b[0].find("zz.dat'\n\nFejlkode: "), std::string::npos) << b[0];
  EXPECT_EQ(b[1], "Information|Data'ene er nu sendt til TAVO-support!");
  EXPECT_NE(Laes(Log()).find("** Fejl ved pakning af filen: "), std::string::npos);
  std::string filnavn;
  std::set<std::string> slut;
  for (const auto &[navn, indhold] : Sendt(Post(), &filnavn)) slut.insert(navn.substr(navn.find_last_of("\\/") + 1));
  EXPECT_TRUE(slut.count("tavo.ini"));
  EXPECT_TRUE(slut.count("dirlst.txt"));
  EXPECT_FALSE(slut.count("zz.dat"));
}

}  // namespace
