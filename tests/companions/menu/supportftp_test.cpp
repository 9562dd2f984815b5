// The support upload by FTP: the reply reading and the passive reply on
// their own, the client against the FTP stand-in, the archive with a data
// folder apart from the program folder, and dialog 103 from start to end
// with every way the server can fail.
#include <minizip/unzip.h>

#include <arpa/inet.h>
#include <time.h>

#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "DIRLISTE.h"
#include "FTP.h"
#include "MENU.h"
#include "SUPPORTFTP.h"
#include "ftpserver_proces.h"
#include "lytter.h"
#include "menuhjaelp_support.h"
#include "tavo/clock.h"
#include "tavo/test_net.h"

using namespace menutest;

namespace {

using Ur = std::chrono::steady_clock;

std::string WinForm(const fs::path &p) {
  std::string s = p.string();
  for (char &c : s)
    if (c == '/') c = '\\';
  return s;
}

// Every entry of an archive with its bytes; the profile layer's lock files
// (".<name>.lock" beside an ini file it wrote) are no files of the program.
std::map<std::string, std::string> LaesZip(const fs::path &zip) {
  std::map<std::string, std::string> ud;
  unzFile uf = unzOpen64(zip.c_str());
  if (!uf) return ud;
  for (int r = unzGoToFirstFile(uf); r == UNZ_OK; r = unzGoToNextFile(uf)) {
    char navn[512];
    unzGetCurrentFileInfo64(uf, nullptr, navn, sizeof navn, nullptr, 0, nullptr, 0);
    std::string data;
    if (unzOpenCurrentFile(uf) == UNZ_OK) {
      char buf[4096];
      int n;
      while ((n = unzReadCurrentFile(uf, buf, sizeof buf)) > 0) data.append(buf, n);
      unzCloseCurrentFile(uf);
    }
    const std::string n = navn;
    const size_t del = n.find_last_of('\\') + 1;
    if (n.compare(del, 1, ".") == 0 && n.size() > 5 && n.compare(n.size() - 5, 5, ".lock") == 0) continue;
    ud[navn] = data;
  }
  unzClose(uf);
  return ud;
}

sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

// Every address a connect was made to.
std::mutex gForbindLaas;
std::vector<std::string> gForbindelser;
void NoterForbindelse(SOCKET, sockaddr_in *a) {
  std::lock_guard<std::mutex> g(gForbindLaas);
  gForbindelser.push_back(std::string(inet_ntoa(a->sin_addr)) + ":" + std::to_string(ntohs(a->sin_port)));
}

// ---- Replies on their own ----------------------------------------------------

class SupportFtpSvar : public ::testing::Test {
 protected:
  void SetUp() override {
    WSADATA wsa;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &wsa), 0);
    g_FtpTidsgraense = 2000;
  }
  void TearDown() override { WSACleanup(); }
  // A socket to a peer that sends the pieces and closes.
  static SOCKET Til(Lytter &l) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in a = Loopback(l.Port());
    EXPECT_EQ(connect(s, reinterpret_cast<const sockaddr *>(&a), sizeof a), 0);
    return s;
  }
};

TEST_F(SupportFtpSvar, ReplyNumberIsThatOfTheLastLine) {
  const std::string lang(2000, 'x');
  const struct {
    std::vector<std::string> stykker;
    int nummer;
  } tilfaelde[] = {
      {{"220-Velkommen\r\n", "220 Klar\r\n"}, 220},
      {{"220-a\r\n  220 ikke slut\r\n2", "20 slut\r\n"}, 220},
      // Another number inside a multi-line reply does not end it.
      {{"123-a\r\n456 midt i\r\n123 slut\r\n"}, 123},
      {{"230 Logget ind"}, 230},  // the end of the connection ends the line
      {{"220-a\r\n"}, 0},         // the connection ends before the last line
      {{}, 0},
      {{"x\r\n\r\n", "21"}, 0},
      {{"220-" + lang + "\r\n220 " + lang + "\r\n"}, 220},
  };
  for (const auto &t : tilfaelde) {
    Lytter l;
    std::thread peer = l.Send(t.stykker);
    SOCKET s = Til(l);
    char sidste[kFtpLinje];
    EXPECT_EQ(FtpReadReply(s, sidste), t.nummer) << (t.stykker.empty() ? "" : t.stykker[0].substr(0, 40));
    EXPECT_LT(std::strlen(sidste), static_cast<size_t>(kFtpLinje));
    closesocket(s);
    peer.join();
  }
}

TEST_F(SupportFtpSvar, LongLinesAreCutAtTheBufferAndTheRestDropped) {
  const std::string lang = "227 " + std::string(1996, 'y');
  Lytter l;
  std::thread peer = l.Send({lang + "\r\n", "naeste\r\n"});
  SOCKET s = Til(l);
  // Exactly the buffer's size on the heap, so that one byte beyond shows.
  std::unique_ptr<char[]> buf(new char[kFtpLinje]);
  EXPECT_EQ(SockRecvLine(s, buf.get(), kFtpLinje), kFtpLinje - 1);
  EXPECT_EQ(std::string(buf.get()), lang.substr(0, kFtpLinje - 1));
  EXPECT_EQ(SockRecvLine(s, buf.get(), kFtpLinje), 6);
  EXPECT_STREQ(buf.get(), "naeste");
  EXPECT_EQ(SockRecvLine(s, buf.get(), kFtpLinje), -1);
  closesocket(s);
  peer.join();

  // The gatherer on its own, a buffer of one byte included.
  char lille[4];
  FtpLinjeSamler samler{lille, 4};
  samler.Nulstil();
  for (char c : std::string("abcdef\r")) EXPECT_FALSE(samler.Tag(c));
  EXPECT_TRUE(samler.Tag('\n'));
  EXPECT_STREQ(lille, "abc");
  char et[1];
  FtpLinjeSamler tom{et, 1};
  tom.Nulstil();
  tom.Tag('z');
  EXPECT_EQ(et[0], '\0');
}

TEST_F(SupportFtpSvar, PassiveReplyGivesAddressAndPort) {
  const struct {
    const char *linje;
    bool ok;
    const char *adresse;
    int port;
  } tilfaelde[] = {
      {"227 Entering Passive Mode (10,0,0,5,19,137)", true, "10.0.0.5", 5001},
      {"227 =(127,0,0,1,0,21).", true, "127.0.0.1", 21},
      {"227 Entering Passive Mode 10,0,0,5,19,137", false, "", 0},
      {"227 Entering Passive Mode (10,0,0,5,19)", false, "", 0},
      {"227 (10,0,0,256,1,1)", false, "", 0},
      {"227 (10,0,0,5,-1,1)", false, "", 0},
      {"227 (", false, "", 0},
  };
  for (const auto &t : tilfaelde) {
    sockaddr_in a{};
    ASSERT_EQ(FtpPasvTal(t.linje, &a), t.ok) << t.linje;
    if (!t.ok) continue;
    EXPECT_STREQ(inet_ntoa(a.sin_addr), t.adresse) << t.linje;
    EXPECT_EQ(ntohs(a.sin_port), t.port) << t.linje;
  }
}

TEST_F(SupportFtpSvar, ProgressBarUnitsStayWithinSixteenBits) {
  for (const uint64_t bytes : {0ull, 1ull, 65534ull, 65535ull, 65536ull, 1000000ull, 4294967295ull + 1024,
                               (1ull << 40) + 7}) {
    const uint32_t deler = FtpBjaelkeDeler(bytes);
    EXPECT_LE(bytes / deler, 65535u) << bytes;
    // Still fine steps: at least half the range is used.
    EXPECT_GE(bytes / deler, std::min<uint64_t>(bytes, 32767)) << bytes;
  }
  EXPECT_EQ(FtpBjaelkeDeler(65534), 1u);
}

// ---- The client against the stand-in -------------------------------------

class SupportFtpKlient : public SupportFtpSvar {
 protected:
  void SetUp() override {
    SupportFtpSvar::SetUp();
    ASSERT_TRUE(server_.Start());
    setenv("TAVO_SERVICES", ("ftp/tcp=" + std::to_string(server_.Port())).c_str(), 1);
    std::lock_guard<std::mutex> g(gForbindLaas);
    gForbindelser.clear();
  }
  void TearDown() override {
    tavo::test::SaetConnectKrog(nullptr);
    unsetenv("TAVO_SERVICES");
    SupportFtpSvar::TearDown();
  }
  // The commands the server received, without the connection numbers and
  // its own "#" lines.
  std::vector<std::string> Kommandoer() const {
    std::vector<std::string> ud;
    for (const std::string &l : server_.Log()) {
      const std::string k = l.substr(l.find('\t') + 1);
      if (!k.empty() && k[0] != '#') ud.push_back(k);
    }
    return ud;
  }
  ftptest::FtpServer server_;
};

TEST_F(SupportFtpKlient, LoginSendsThePasswordOnlyAfter331AndWantsTheServerToSay230) {
  using V = std::vector<std::string>;
  const struct {
    const char *script;
    bool logget;
    V kommandoer;
  } tilfaelde[] = {
      {"", true, {"USER tavodata", "PASS 4kravon"}},
      {"USER answer 230 Velkommen uden kode", true, {"USER tavodata"}},
      {"USER answer 530 Ingen adgang", false, {"USER tavodata"}},
      {"PASS answer 530 Forkert", false, {"USER tavodata", "PASS 4kravon"}},
      {"GREETING answer 421 Optaget", false, {}},
      {"GREETING close", false, {}},
      {"GREETING long 2000", true, {"USER tavodata", "PASS 4kravon"}},
  };
  for (const auto &t : tilfaelde) {
    server_.Script(t.script);
    std::error_code ec;
    fs::remove(server_.Mappe() + "/log.txt", ec);
    const SOCKET s = FtpLogin("127.0.0.1", "tavodata", "4kravon");
    EXPECT_EQ(s != INVALID_SOCKET, t.logget) << t.script;
    if (s != INVALID_SOCKET) FtpQuit(s);
    ASSERT_TRUE(server_.VentPaaLog("#end", 3000)) << t.script;
    V kommandoer = Kommandoer();
    if (!kommandoer.empty() && kommandoer.back() == "QUIT") kommandoer.pop_back();
    EXPECT_EQ(kommandoer, t.kommandoer) << t.script;
  }
  // Nothing listening.
  setenv("TAVO_SERVICES", "ftp/tcp=1", 1);
  EXPECT_EQ(FtpLogin("127.0.0.1", "tavodata", "4kravon"), INVALID_SOCKET);
}

TEST_F(SupportFtpKlient, PassiveReplyIsReadButTheDataGoesToTheServerItself) {
  server_.Script("PASV answer 227 Entering Passive Mode (10,0,0,5,19,137)");
  SOCKET s = FtpLogin("127.0.0.1", "tavodata", "4kravon");
  ASSERT_NE(s, INVALID_SOCKET);
  EXPECT_EQ(FtpSetType(s, 2), -1);
  EXPECT_EQ(FtpSetType(s, 0), 200);
  sockaddr_in a{};
  EXPECT_EQ(FtpPasv(s, &a), 0);
  EXPECT_STREQ(inet_ntoa(a.sin_addr), "10.0.0.5");
  EXPECT_EQ(ntohs(a.sin_port), 5001);
  FtpQuit(s);

  // A server whose reply names 10.0.0.5: the file still goes to it, and no
  // connection is ever made to 10.0.0.5.
  server_.Script("PASV address 10,0,0,5");
  const fs::path rod = fs::temp_directory_path() / ("supportftp_stor_" + std::to_string(getpid()));
  fs::create_directories(rod);
  std::string indhold(70000, '\0');
  for (size_t i = 0; i < indhold.size(); ++i) indhold[i] = static_cast<char>(i * 31 + 7);
  Skriv(rod / "arkiv.zip", indhold);
  InitCommonControls();
  RegistrerTavoMenuRessourcer();
  HWND dlg = CreateDialogParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), 0, TomDlgProc, 0);
  HWND bjaelke = GetDlgItem(dlg, IDC_BJAELKE1);
  const uint32_t deler = FtpBjaelkeDeler(indhold.size() + 1024);
  SendMessageA(bjaelke, PBM_SETRANGE, 0, MAKELPARAM(0, (indhold.size() + 1024) / deler));
  tavo::test::SaetConnectKrog(NoterForbindelse);
  s = FtpLogin("127.0.0.1", "tavodata", "4kravon");
  ASSERT_NE(s, INVALID_SOCKET);
  EXPECT_EQ(FtpSetType(s, 0), 200);
  EXPECT_EQ(FtpStor(bjaelke, s, (rod / "arkiv.zip").c_str(), "arkiv.zip"), 0);
  FtpQuit(s);
  EXPECT_EQ(server_.Fil("arkiv.zip"), indhold);
  EXPECT_EQ(SendMessageA(bjaelke, PBM_GETPOS, 0, 0), static_cast<LRESULT>((512 + indhold.size()) / deler));
  {
    std::lock_guard<std::mutex> g(gForbindLaas);
    ASSERT_EQ(gForbindelser.size(), 2u);
    for (const std::string &f : gForbindelser) EXPECT_EQ(f.rfind("127.0.0.1:", 0), 0u) << f;
  }
  DestroyWindow(dlg);
  fs::remove_all(rod);
}

TEST_F(SupportFtpKlient, ASilentServerIsGivenUpOnWithinTheTimeOut) {
  g_FtpTidsgraense = 500;
  server_.Script("TYPE silent");
  SOCKET s = FtpLogin("127.0.0.1", "tavodata", "4kravon");
  ASSERT_NE(s, INVALID_SOCKET);
  const auto start = Ur::now();
  EXPECT_EQ(FtpSetType(s, 0), 0);
  EXPECT_LT(Ur::now() - start, std::chrono::seconds(3));
  closesocket(s);
}

TEST_F(SupportFtpKlient, TheStandInStaysOnLoopbackRefusesPathsAndEndsWhenIdle) {
  SOCKET s = FtpLogin("127.0.0.1", "tavodata", "4kravon");
  ASSERT_NE(s, INVALID_SOCKET);
  for (const char *navn : {"../ud.zip", "a/b.zip", "a\\b.zip", ".."}) {
    sockaddr_in a{};
    ASSERT_EQ(FtpPasv(s, &a), 0);
    EXPECT_STREQ(inet_ntoa(a.sin_addr), "127.0.0.1");
    EXPECT_EQ(FtpCommand(s, (std::string("STOR ") + navn).c_str()), 553) << navn;
  }
  FtpQuit(s);
  EXPECT_FALSE(fs::exists(server_.Mappe() + "/ud.zip"));

  ftptest::FtpServer ude;
  for (const char *adresse : {"0.0.0.0", "10.0.0.1"}) {
    EXPECT_FALSE(ude.Start(60, adresse)) << adresse;
    EXPECT_EQ(ude.VentPaaSlut(5000), 2) << adresse;
  }
  ftptest::FtpServer kort;
  ASSERT_TRUE(kort.Start(1));
  setenv("TAVO_SERVICES", ("ftp/tcp=" + std::to_string(kort.Port())).c_str(), 1);
  s = FtpLogin("127.0.0.1", "tavodata", "4kravon");
  ASSERT_NE(s, INVALID_SOCKET);
  FtpQuit(s);
  EXPECT_EQ(kort.VentPaaSlut(10000), 0);
  EXPECT_TRUE(kort.VentPaaLog("0\t#slut", 0));
}

// ---- The archive and the whole action --------------------------------------

class SupportFtpArkiv : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/supportftp_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
    prog_ = rod_ / "pro g";
    data_ = rod_ / "da ta";
    fs::create_directories(prog_);
    Skriv(data_ / "ini/tavo.ini",
          "[global]\r\ninsnr=7\r\nversion=10300\r\n[kontakt]\r\nserver=skole.x\r\ndatabase=drift\r\n"
          "supportserver=127.0.0.1\r\n");
    g_Menu = MenuTilstand{};
    std::snprintf(g_Menu.ProgramMappe, kMenuSti, "%s\\", WinForm(prog_).c_str());
    std::snprintf(g_Menu.DataMappe, kMenuSti, "%s\\", WinForm(data_).c_str());
    std::snprintf(g_Menu.IniFil, sizeof g_Menu.IniFil, "%sini\\tavo.ini", g_Menu.DataMappe);
    g_Menu.Insnr = 7;
    g_Menu.Version = 10300;
    // 2025-03-03 14:05 local time.
    tm t{};
    t.tm_year = 125;
    t.tm_mon = 2;
    t.tm_mday = 3;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_isdst = -1;
    tavo::SetFakeClock(static_cast<int64_t>(mktime(&t)));
    InitCommonControls();
    RegistrerTavoMenuRessourcer();
    g_FtpTidsgraense = 1500;
  }
  void TearDown() override {
    tavo::ClearFakeClock();
    tavo::test::StopDialogScript();
    std::error_code ec;
    fs::remove_all(rod_, ec);
  }

  // A program folder and a data folder apart from it, the data folder's
  // files differing from same-named ones in the program folder.
  void LavMapper() {
    Skriv(prog_ / "tavomenu.exe", "menu");
    fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "tests/fuzz/versionsblok/corpus/program", prog_ / "10300.exe");
    Skriv(prog_ / "data/akti.dat", "programmappens kopi");
    Skriv(prog_ / "opdat.lck", "laas");
    Skriv(data_ / "data/akti.dat", std::string("aktiviteter\0\x01\xff", 14));
    fs::create_directories(data_ / "data/under");
    Skriv(data_ / "log/STDERR.LOG", "log");
    Skriv(data_ / "datakopi/akti.dat", "kopi");
    Skriv(data_ / "inikopi/tavo.ini", "ini kopi");
  }
  fs::path Endelig() const { return prog_ / "driftskole7-2025.03.03-14.05.zip"; }

  fs::path rod_, prog_, data_;
};

TEST_F(SupportFtpArkiv, NamesComeFromTheSettingsAndTheClock) {
  const std::string p = g_Menu.ProgramMappe;
  SupportArkivNavne n = SupportArkivNavn(g_Menu.ProgramMappe, g_Menu.IniFil, 7);
  EXPECT_EQ(n.arbejde, p + "driftskole7.tvo");
  EXPECT_EQ(n.endelig, p + "driftskole7-2025.03.03-14.05.zip");
  EXPECT_EQ(n.tidligere, p + "driftskole7-*.zip");
  // Settings cannot lead the archive out of the program folder.
  WritePrivateProfileStringA("kontakt", "database", "..\\..\\ud", g_Menu.IniFil);
  WritePrivateProfileStringA("kontakt", "server", "a/b:c.d", g_Menu.IniFil);
  n = SupportArkivNavn(g_Menu.ProgramMappe, g_Menu.IniFil, 12);
  EXPECT_EQ(n.arbejde, p + ".._.._uda_b_c12.tvo");

  // The account: the settings, or the built-in values.
  SupportFtpKonto k = LaesSupportFtpKonto(g_Menu.IniFil);
  EXPECT_STREQ(k.vaert, "127.0.0.1");
  EXPECT_STREQ(k.bruger, "tavodata");
  EXPECT_STREQ(k.kode, "4kravon");
  WritePrivateProfileStringA("kontakt", "supportserver", "  ", g_Menu.IniFil);
  WritePrivateProfileStringA("kontakt", "supportbruger", "andenbruger", g_Menu.IniFil);
  k = LaesSupportFtpKonto(g_Menu.IniFil);
  EXPECT_STRNE(k.vaert, "");
  EXPECT_STRNE(k.vaert, "127.0.0.1");
  EXPECT_STREQ(k.bruger, "andenbruger");
}

TEST_F(SupportFtpArkiv, PacksEachFolderFromItselfUnderItsRelativeName) {
  LavMapper();
  // Earlier archives of this installation go; installation 71's stays.
  Skriv(prog_ / "driftskole7-2024.01.01-10.00.zip", "gammel");
  Skriv(prog_ / "driftskole7-2025.03.03-14.05.zip", "samme minut");
  Skriv(prog_ / "driftskole71-2024.01.01-10.00.zip", "nabo");
  Skriv(prog_ / "driftskole7.tvo", "halvt arbejde");
  HWND dlg = CreateDialogParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), 0, TomDlgProc, 0);
  SendMessageA(GetDlgItem(dlg, IDC_BJAELKE1), PBM_SETRANGE, 0, MAKELPARAM(0, 20));
  SendMessageA(GetDlgItem(dlg, IDC_BJAELKE1), PBM_SETSTEP, 1, 0);
  const std::string liste = std::string(g_Menu.DataMappe) + "log\\dirlst.txt";
  SkrivSupportListe(g_Menu.ProgramMappe, g_Menu.DataMappe, 10300, liste.c_str());
  const std::string arkiv =
      PakSupportArkiv(dlg, g_Menu.ProgramMappe, g_Menu.DataMappe, g_Menu.IniFil, g_Menu.Insnr);
  DestroyWindow(dlg);
  EXPECT_EQ(arkiv, WinForm(Endelig()));
  EXPECT_FALSE(fs::exists(prog_ / "driftskole7-2024.01.01-10.00.zip"));
  EXPECT_FALSE(fs::exists(prog_ / "driftskole7.tvo"));
  EXPECT_TRUE(fs::exists(prog_ / "driftskole71-2024.01.01-10.00.zip"));

  const auto z = LaesZip(Endelig());
  std::string opdatLck = WinForm(prog_ / "opdat.lck");
  opdatLck.erase(0, opdatLck.find_first_not_of('\\'));
  std::vector<std::string> navne;
  for (const auto &[navn, data] : z) navne.push_back(navn);
  // The lock file twice: with the program folder's files, and by its full
  // path as the last entry.
  EXPECT_EQ(navne, (std::vector<std::string>{"10300.exe", "data\\akti.dat", "datakopi\\akti.dat",
                                             "driftskole71-2024.01.01-10.00.zip", "ini\\tavo.ini",
                                             "inikopi\\tavo.ini", "log\\STDERR.LOG", "log\\dirlst.txt",
                                             "opdat.lck", "tavomenu.exe", opdatLck}));
  EXPECT_EQ(z.at("data\\akti.dat"), std::string("aktiviteter\0\x01\xff", 14));
  EXPECT_EQ(z.at("datakopi\\akti.dat"), "kopi");
  EXPECT_EQ(z.at("ini\\tavo.ini"), Laes(data_ / "ini/tavo.ini"));
  EXPECT_EQ(z.at("tavomenu.exe"), "menu");

  const std::string l = z.at("log\\dirlst.txt");
  EXPECT_EQ(l.rfind("[version]\r\nFileVersion=1.4.13\r\nSpecialBuild=10413\r\n", 0), 0u) << l.substr(0, 100);
  size_t fra = 0;
  for (const std::string &m : {std::string(g_Menu.ProgramMappe) + "*.*", std::string(g_Menu.DataMappe) + "data\\*.*",
                               std::string(g_Menu.DataMappe) + "ini\\*.*", std::string(g_Menu.DataMappe) + "log\\*.*"}) {
    const size_t p = l.find("Indhold af : " + m + "\r\n", fra);
    ASSERT_NE(p, std::string::npos) << m;
    fra = p + 1;
  }
}

class SupportFtpDialog : public SupportFtpArkiv {
 protected:
  void SetUp() override {
    SupportFtpArkiv::SetUp();
    ASSERT_TRUE(server_.Start());
    setenv("TAVO_SERVICES", ("ftp/tcp=" + std::to_string(server_.Port())).c_str(), 1);
    LavMapper();
  }
  void TearDown() override {
    unsetenv("TAVO_SERVICES");
    SupportFtpArkiv::TearDown();
  }
  // Dialog 103 as the advanced dialog runs it; the boxes it showed.
  std::vector<tavo::test::MessageBoxRecord> Koer(INT_PTR *resultat) {
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(20000);
    std::string caption, overskrift;
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
      caption = d.caption;
      if (const auto *c = d.Control(IDC_OVERSKRIFT)) overskrift = c->text;
      return 0;
    });
    *resultat = DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), 0, SendSupportFtpDlgProc, 0);
    EXPECT_EQ(caption, "Send data til support...");
    EXPECT_EQ(overskrift, "SENDER DATA TIL SUPPORT");
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    return tavo::test::MessageBoxesShown();
  }
  ftptest::FtpServer server_;
};

TEST_F(SupportFtpDialog, TheArchiveReachesTheServerAndIsDeleted) {
  // Each of these servers takes the archive: the plain one, one that logs
  // in without a password, one whose passive reply names another host, one
  // with a greeting line far beyond the reply buffer.
  for (const char *script : {"", "USER answer 230 Velkommen", "PASV address 10,0,0,5", "GREETING long 2000"}) {
    server_.Script(script);
    std::error_code ec;
    fs::remove_all(server_.Mappe() + "/files", ec);
    fs::create_directories(server_.Mappe() + "/files");
    INT_PTR resultat = 0;
    const auto bokse = Koer(&resultat);
    EXPECT_EQ(resultat, 2);
    ASSERT_EQ(bokse.size(), 1u) << script;
    EXPECT_EQ(bokse[0].caption, "Information");
    EXPECT_EQ(bokse[0].text, "Data'ene er nu sendt til TAVO-support!");
    const fs::path sendt = server_.Mappe() + "/files/" + Endelig().filename().string();
    const auto z = LaesZip(sendt);
    EXPECT_EQ(z.size(), 10u) << script;
    EXPECT_EQ(z.count("log\\dirlst.txt"), 1u) << script;
    EXPECT_EQ(z.count("data\\akti.dat") ? z.at("data\\akti.dat") : "", std::string("aktiviteter\0\x01\xff", 14));
    EXPECT_FALSE(fs::exists(Endelig())) << script;
    EXPECT_FALSE(fs::exists(data_ / "log/dirlst.txt")) << script;
  }
}

TEST_F(SupportFtpDialog, EveryFailureIsReportedAndKeepsTheArchive) {
  const std::string forbindelse = "Kunne ikke etablere forbindelse til server: 127.0.0.1!";
  const std::string sendes = "Data'ene kunne ikke sendes til TAVO-support!";
  const struct {
    const char *script;
    const std::string &besked;
  } tilfaelde[] = {
      {"PASS answer 530 Forkert", forbindelse},
      {"USER answer 500 Nej", forbindelse},
      {"GREETING close", forbindelse},
      {"GREETING silent", forbindelse},
      {"PASV answer 500 Nej", sendes},
      {"PASV answer 227 Entering Passive Mode 127,0,0,1,4,1", sendes},
      {"PASV answer 227 Entering Passive Mode (127,0,0,1,4)", sendes},
      {"STOR answer 550 Ingen adgang", sendes},
      {"STOR cut 100", sendes},
      {"STOR silent", sendes},
      {"TYPE answer 504 Nej", sendes},
  };
  for (const auto &t : tilfaelde) {
    server_.Script(t.script);
    const auto start = Ur::now();
    INT_PTR resultat = 0;
    const auto bokse = Koer(&resultat);
    EXPECT_LT(Ur::now() - start, std::chrono::seconds(10)) << t.script;
    EXPECT_EQ(resultat, 2);
    ASSERT_EQ(bokse.size(), 1u) << t.script;
    EXPECT_EQ(bokse[0].caption, "Fejl") << t.script;
    EXPECT_EQ(bokse[0].text, t.besked + "\nPakken er gemt som:\n" + WinForm(Endelig())) << t.script;
    EXPECT_TRUE(fs::exists(Endelig())) << t.script;
    EXPECT_FALSE(fs::exists(data_ / "log/dirlst.txt")) << t.script;
  }
  // The cut transfer left a part behind on the server, no whole archive.
  EXPECT_TRUE(server_.VentPaaLog("#cut " + Endelig().filename().string() + " 100", 3000));
  // The next run packs afresh, the kept archive not inside the new one.
  server_.Script("");
  INT_PTR resultat = 0;
  const auto bokse = Koer(&resultat);
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].text, "Data'ene er nu sendt til TAVO-support!");
  EXPECT_EQ(LaesZip(server_.Mappe() + "/files/" + Endelig().filename().string()).count(Endelig().filename().string()),
            0u);
  EXPECT_FALSE(fs::exists(Endelig()));
}

}  // namespace
