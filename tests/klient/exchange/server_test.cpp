// The job-server protocol against the job-server stand-in on a free
// loopback port: the scrambled login, greetings and reply lines, files both
// ways, a server that breaks off or never answers, and no descriptor left
// behind.
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "SERVER.h"
#include "jobserver_proces.h"
#include "tavo/test_file.h"
#include "tavo/test_net.h"

namespace {

using Ur = std::chrono::steady_clock;

// The descriptors open in this process.
int AabneFiler() {
  int n = 0;
  if (DIR *d = opendir("/proc/self/fd")) {
    while (readdir(d)) ++n;
    closedir(d);
  }
  return n;
}

std::string Moenster(size_t n, unsigned froe) {
  std::string s(n, 0);
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + froe) >> 3 ^ i);
  return s;
}

class ServerProtokol : public ::testing::Test {
 protected:
  jobtest::JobServer js;
  std::string lokal;

  void SetUp() override {
    ServerTidsfrist = 5000;
    lokal = js.Mappe() + "/lokal/";
    std::filesystem::create_directories(lokal);
  }
  void TearDown() override {
    ServerTidsfrist = SERVER_TIDSFRIST_STANDARD;
    tavo::test::SaetConnectKrog(nullptr);
    tavo::test::NetFejlNaeste("", 0);
    unsetenv("TAVO_SERVICES");
    EXPECT_EQ(tavo::test::AabneSockets(), 0);
    EXPECT_EQ(tavo::test::WinsockStartTal(), 0);
  }

  // The stand-in, reached through the services table.
  void Start(const std::vector<std::string> &ekstra = {}) {
    ASSERT_TRUE(js.Start(ekstra));
    setenv("TAVO_SERVICES", ("tavo/tcp=" + std::to_string(js.Port())).c_str(), 1);
  }

  static ServerLoginRec Login(const char *bruger = "bruger", const char *password = "hemmelig") {
    ServerLoginRec r{};
    snprintf(r.server, sizeof r.server, "127.0.0.1");
    snprintf(r.bruger, sizeof r.bruger, "%s", bruger);
    snprintf(r.password, sizeof r.password, "%s", password);
    snprintf(r.database, sizeof r.database, "skole");
    r.logintype[0] = 'u';
    r.art = 'I';
    r.insnr = 5;
    return r;
  }

  SOCKET ForbindOgLogin() {
    SOCKET s = ServerForbind("127.0.0.1");
    EXPECT_NE(s, INVALID_SOCKET) << ServerSvar;
    const ServerLoginRec r = Login();
    EXPECT_EQ(ServerLogin(s, &r), 0) << ServerSvar;
    return s;
  }
};

// ---- Login ------------------------------------------------------------------

class ServerProtokolLogin : public ServerProtokol {};

TEST_F(ServerProtokolLogin, ScrambleTable) {
  // Worked out apart from this program: state = state x 246813579 + 1 per
  // four bytes, key bytes lowest first, XOR, two lower-case hex digits.
  struct Tilfaelde {
    uint32_t udfordring;
    std::string password;
    const char *felt;      // null: refused
    uint32_t noegleEfter;  // 0: not checked
  };
  const Tilfaelde tabel[] = {
      {0, "", "", 0},
      {0, "a", "60000000", 0},
      {0x1a2b3c4d, "hemme", "b811dc1294dce5ec", 0xece5dcf1},  // 5 characters: 3 zero bytes
      {0xdeadbeef, "hemmelig", "ae0d01f0e6f90eb1", 0xd6679583},
      {0xffffffff, "abc", "178e2af1", 0},
      {0x12345678, "Ærø-æøå1", "efa9dde3a2f21dfb", 0},  // Windows-1252 bytes above 127
      {0x00000001, std::string(124, 'x'), "f46bce767d79a075", 0},
      {0x00000007, std::string(121, 'x'), "b6f0821ea3e9db70", 0},
      {0x00000001, std::string(125, 'x'), nullptr, 0},
      {0x00000001, std::string(200, 'x'), nullptr, 0},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.password.size());
    uint32_t noegle = t.udfordring;
    char ud[256];
    memset(ud, 'z', sizeof ud);
    const int r = ServerKrypterPassword(&noegle, t.password.c_str(), ud);
    if (!t.felt) {
      EXPECT_EQ(r, -1);
      EXPECT_STREQ(ud, "");
      EXPECT_EQ(noegle, t.udfordring);
      continue;
    }
    EXPECT_EQ(r, 0);
    const size_t laengde = (t.password.size() + 3) / 4 * 8;
    EXPECT_EQ(strlen(ud), laengde);
    EXPECT_EQ(std::string(ud).substr(0, strlen(t.felt)), t.felt);
    if (t.noegleEfter) {
      EXPECT_EQ(noegle, t.noegleEfter);
    }
  }
}

TEST_F(ServerProtokolLogin, TheStandInTakesTheRightPasswordOnly) {
  Start({"--challenge", "deadbeef", "--user", "bruger:hemmelig:skole", "--user", "tom::skole"});
  struct Tilfaelde {
    const char *bruger;
    const char *password;
    int resultat;
    const char *linje;  // as the stand-in logged it
  };
  const Tilfaelde tabel[] = {
      {"bruger", "hemmelig", 0, "auth u bruger ae0d01f0e6f90eb1 skole I 5"},
      {"bruger", "hemmeliG", 1, nullptr},
      {"tom", "", 0, "auth u tom  skole I 5"},
      {"tom", "x", 1, nullptr},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(std::string(t.bruger) + "/" + t.password);
    SOCKET s = ServerForbind("127.0.0.1");
    ASSERT_NE(s, INVALID_SOCKET) << ServerSvar;
    EXPECT_EQ(ServerUdfordring, 0xdeadbeefu);
    const ServerLoginRec r = Login(t.bruger, t.password);
    EXPECT_EQ(ServerLogin(s, &r), t.resultat);
    if (t.resultat) {
      EXPECT_STREQ(ServerSvar, "-ERR login afvist");
    }
    if (t.linje) {
      EXPECT_TRUE(js.VentPaaLog(std::string("\t") + t.linje, 3000));
    }
    ServerAfslut(&s);
    EXPECT_EQ(s, INVALID_SOCKET);
  }
  // Fresh challenges: client and stand-in agree on every one.
  js.Stop();
  Start();
  for (int i = 0; i < 5; ++i) {
    SOCKET s = ForbindOgLogin();
    ServerAfslut(&s);
  }
}

// ---- Greeting and reply lines --------------------------------------------------

class ServerProtokolSvar : public ServerProtokol {};

TEST_F(ServerProtokolSvar, GreetingMustHoldAChallenge) {
  Start();
  struct Tilfaelde {
    const char *script;
    bool forbundet;
    uint32_t udfordring;
  };
  const Tilfaelde tabel[] = {
      {"greeting +OK klar uden udfordring", false, 0},
      {"greeting +OK klar <zz>", false, 0},
      {"greeting +OK klar < 1f>", false, 0},
      {"greeting <", false, 0},
      {"greeting", false, 0},
      {"silent", false, 0},
      {"cut-before greeting", false, 0},
      {"greeting <ABCDEF12>", true, 0xabcdef12},
      {"greeting +OK <0x1F> klar", true, 0x1f},
      {"greeting +OK <a> <b>", true, 0xa},
      {"greeting +OK <123456789a>", true, 0x3456789a},
  };
  ServerTidsfrist = 300;
  const int filer = AabneFiler();
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.script);
    js.Fejl(t.script);
    SOCKET s = ServerForbind("127.0.0.1");
    if (!t.forbundet) {
      EXPECT_EQ(s, INVALID_SOCKET);
      EXPECT_EQ(tavo::test::AabneSockets(), 0);
      EXPECT_EQ(tavo::test::WinsockStartTal(), 0);
      // The stand-in sees the client go.
      const bool selvLukket = std::string(t.script) == "cut-before greeting";
      EXPECT_TRUE(js.VentPaaLog(selvLukket ? "#afbrudt" : "#lukket", 3000));
      continue;
    }
    ASSERT_NE(s, INVALID_SOCKET);
    EXPECT_EQ(ServerUdfordring, t.udfordring);
    ServerAfslut(&s);
  }
  EXPECT_EQ(AabneFiler(), filer);
  // What the greeting said stays for the caller to show.
  js.Fejl("greeting -ERR server lukket for vedligehold");
  EXPECT_EQ(ServerForbind("127.0.0.1"), INVALID_SOCKET);
  EXPECT_STREQ(ServerSvar, "-ERR server lukket for vedligehold");
}

TEST_F(ServerProtokolSvar, ReplyLinesAreCutTrimmedAndKeptApart) {
  Start();
  const std::string lang = "+OK " + std::string(296, 'L');  // 300 bytes
  const std::string script =
      "answer stat file|" + lang + "\n"
      "answer stat ins|+\n"
      "answer stat sched|-\n"
      "answer stat queue|+OK job \t \x01\n"
      "answer stat autojob|-ERR ikke fundet på\n"
      "answer done|" + std::string(256, 'D') + "X\n";
  js.Fejl(script);
  SOCKET s = ForbindOgLogin();

  EXPECT_EQ(ServerKommando(s, "stat file x"), 0);
  EXPECT_EQ(std::string(ServerSvar), lang.substr(0, SERVER_SVAR_LEN));
  // The rest of the long line is gone: the next command has its own reply.
  EXPECT_EQ(ServerKommando(s, "del ingen"), 1);
  EXPECT_STREQ(ServerSvar, "-ERR ingen: findes ikke");
  // One character is no reply.
  EXPECT_EQ(ServerKommando(s, "stat ins"), -1);
  EXPECT_EQ(ServerKommando(s, "stat sched"), -1);
  // Blanks and control bytes at the end go; a Danish letter stays.
  EXPECT_EQ(ServerKommando(s, "stat queue"), 0);
  EXPECT_STREQ(ServerSvar, "+OK job");
  EXPECT_EQ(ServerKommando(s, "stat autojob"), 1);
  EXPECT_STREQ(ServerSvar, "-ERR ikke fundet p\xE5");
  // A line of exactly 256 characters before its CR LF.
  EXPECT_EQ(ServerKommando(s, "done"), 1);
  EXPECT_EQ(std::string(ServerSvar), std::string(256, 'D'));
  EXPECT_EQ(ServerKommandoArg(s, "del", "ingen"), 1);
  EXPECT_STREQ(ServerSvar, "-ERR ingen: findes ikke");

  // A buffer of another size (the queue listing's).
  ASSERT_EQ(ServerSendLinje(s, "stat file x"), 0);
  char buf[261];
  ASSERT_NE(ServerLaesSvar(s, buf, 260), nullptr);
  EXPECT_EQ(std::string(buf), lang.substr(0, 260));
  EXPECT_TRUE(js.VentPaaLog("\tstat file x", 0));
  ServerAfslut(&s);
}

TEST_F(ServerProtokolSvar, StatFileReadsTheFiveNumbers) {
  Start();
  jobtest::SkrivFil(js.SpoolFil("job/skoleind5.gz"), std::string(4321, 'q'));
  SOCKET s = ForbindOgLogin();
  ServerStatFilRec st;
  ASSERT_EQ(ServerStatFil(s, "job/skoleind5.gz", &st), 0);
  struct stat ls;
  ASSERT_EQ(stat(js.SpoolFil("job/skoleind5.gz").c_str(), &ls), 0);
  EXPECT_EQ(st.mode, static_cast<int32_t>(ls.st_mode));
  EXPECT_EQ(st.size, 4321);
  EXPECT_EQ(st.atime, static_cast<int32_t>(ls.st_atime));
  EXPECT_EQ(st.mtime, static_cast<int32_t>(ls.st_mtime));
  EXPECT_EQ(st.ctime, static_cast<int32_t>(ls.st_ctime));

  memset(&st, 0x55, sizeof st);
  EXPECT_EQ(ServerStatFil(s, "job/ingen.gz", &st), 1);
  const ServerStatFilRec nul{};
  EXPECT_EQ(memcmp(&st, &nul, sizeof st), 0);
  ServerAfslut(&s);

  // Replies that hold fewer numbers, or numbers past 32 bits.
  js.Fejl("answer stat file x|+OK x 33188 12\n"
          "answer stat file y|+OK y 1 99999999999 -99999999999 -5 +6\n"
          "answer stat file z|+OK\n");
  s = ForbindOgLogin();
  struct Tilfaelde {
    const char *navn;
    ServerStatFilRec st;
  };
  const Tilfaelde tabel[] = {
      {"x", {33188, 12, 0, 0, 0}},
      {"y", {1, INT32_MAX, INT32_MIN, -5, 6}},
      {"z", {0, 0, 0, 0, 0}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    memset(&st, 0x55, sizeof st);
    EXPECT_EQ(ServerStatFil(s, t.navn, &st), 0);
    EXPECT_EQ(memcmp(&st, &t.st, sizeof st), 0);
  }
  ServerAfslut(&s);
}

// ---- Files -------------------------------------------------------------------

class ServerProtokolFil : public ServerProtokol {};

TEST_F(ServerProtokolFil, FilesComeBackByteEqual) {
  Start();
  SOCKET s = ForbindOgLogin();
  for (size_t n : {0u, 1u, 1023u, 1024u, 3u * 1024u, 3u * 1024u + 1u, 100000u}) {
    SCOPED_TRACE(n);
    const std::string data = Moenster(n, static_cast<unsigned>(n));
    const std::string ud = lokal + "exp" + std::to_string(n) + ".dat.gz";
    const std::string ind = lokal + "imp" + std::to_string(n) + ".dat.gz";
    const std::string navn = "job/skoleind" + std::to_string(n) + ".gz";
    jobtest::SkrivFil(ud, data);
    ASSERT_EQ(ServerSendFil(s, ud.c_str(), navn.c_str()), 0) << ServerSvar;
    EXPECT_EQ(jobtest::LaesFil(js.SpoolFil(navn)), data);
    jobtest::SkrivFil(ind, "gammelt indhold der skal væk");
    ASSERT_EQ(ServerHentFil(s, navn.c_str(), ind.c_str()), 0) << ServerSvar;
    EXPECT_EQ(jobtest::LaesFil(ind), data);
    EXPECT_TRUE(js.VentPaaLog("\trecv " + navn + " " + std::to_string(n), 0));
  }
  // The connection is still in step after all of them.
  EXPECT_EQ(ServerKommando(s, "del job/skoleind0.gz"), 0);
  ServerAfslut(&s);
}

TEST_F(ServerProtokolFil, ABrokenDownloadIsAFailure) {
  Start();
  const std::string data = Moenster(3 * 1024 + 1, 9);
  jobtest::SkrivFil(js.SpoolFil("job/skoleud5.gz"), data);
  ServerTidsfrist = 300;
  struct Tilfaelde {
    const char *script;
    const char *svar;
  };
  const Tilfaelde tabel[] = {
      {"cut-body 0", "-ERR overf\xB0rsel af fil fejlede"},
      {"cut-body 1500", "-ERR overf\xB0rsel af fil fejlede"},
      {"cut-body 2048", "-ERR overf\xB0rsel af fil fejlede"},
      {"cut-body 3072", "-ERR overf\xB0rsel af fil fejlede"},
      {"oversize 1", "-ERR overf\xB0rsel af fil fejlede"},
      {"oversize 5000", "-ERR overf\xB0rsel af fil fejlede"},
      {"answer send|+OK", "-ERR overf\xB0rsel af fil fejlede"},
      {"answer send|+OK mange", "-ERR overf\xB0rsel af fil fejlede"},
      {"answer send|+OK 99999999999", "-ERR overf\xB0rsel af fil fejlede"},
      {"answer send|-ERR job/skoleud5.gz: optaget", "-ERR job/skoleud5.gz: optaget"},
      {"cut-before send", ""},
  };
  const std::string ind = lokal + "imp.dat.gz";
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.script);
    js.Fejl(t.script);
    SOCKET s = ForbindOgLogin();
    ServerSvar[0] = 0;
    EXPECT_EQ(ServerHentFil(s, "job/skoleud5.gz", ind.c_str()), -1);
    if (*t.svar) {
      EXPECT_STREQ(ServerSvar, t.svar);
    }
    // Nothing late is taken for a reply: the connection is given up.
    const auto t0 = Ur::now();
    EXPECT_EQ(ServerKommando(s, "stat file job/skoleud5.gz"),
              std::string(t.script).rfind("answer send|-ERR", 0) == 0 ? 0 : -1);
    EXPECT_LT(Ur::now() - t0, std::chrono::seconds(2));
    ServerAfslut(&s);
  }
}

TEST_F(ServerProtokolFil, LocalFileErrorsAndBrokenUploads) {
  Start();
  SOCKET s = ForbindOgLogin();
  const std::string mangler = lokal + "ingen.dat";
  EXPECT_EQ(ServerSendFil(s, mangler.c_str(), "job/x"), -1);
  EXPECT_EQ(std::string(ServerSvar), "-ERR " + mangler + ": Den angivne fil blev ikke fundet.");
  const std::string udenMappe = lokal + "ingen/imp.dat";
  EXPECT_EQ(ServerHentFil(s, "job/x", udenMappe.c_str()), -1);
  EXPECT_EQ(std::string(ServerSvar), "-ERR " + udenMappe + ": Den angivne sti blev ikke fundet.");
  // Neither sent anything.
  EXPECT_FALSE(js.VentPaaLog("\trecv job/x", 0));
  EXPECT_FALSE(js.VentPaaLog("\tsend job/x", 0));

  // The local disk fails: when the file is made, and at the first block.
  jobtest::SkrivFil(js.SpoolFil("job/skoleud5.gz"), Moenster(5000, 2));
  const std::string ind = lokal + "imp.dat.gz";
  tavo::test::StartFileFaults(1, ERROR_ACCESS_DENIED);
  EXPECT_EQ(ServerHentFil(s, "job/skoleud5.gz", ind.c_str()), -1);
  tavo::test::StopFileFaults();
  EXPECT_EQ(std::string(ServerSvar), "-ERR " + ind + ": Adgang nægtet.");
  tavo::test::StartFileFaults(2, ERROR_DISK_FULL);
  EXPECT_EQ(ServerHentFil(s, "job/skoleud5.gz", ind.c_str()), -1);
  EXPECT_TRUE(tavo::test::FileFaultHappened());
  tavo::test::StopFileFaults();
  EXPECT_STREQ(ServerSvar, "-ERR overf\xB0rsel af fil fejlede");
  // The rest of the file is not read as the next reply.
  EXPECT_EQ(ServerKommando(s, "stat file job/skoleud5.gz"), -1);
  ServerAfslut(&s);
  s = ForbindOgLogin();

  // The server refuses the upload.
  const std::string ud = lokal + "exp.dat.gz";
  jobtest::SkrivFil(ud, Moenster(5000, 1));
  EXPECT_EQ(ServerSendFil(s, ud.c_str(), "../uden/for"), -1);
  EXPECT_STREQ(ServerSvar, "-ERR forkert recv");
  ServerAfslut(&s);

  // The server takes every byte and then refuses them: no success.
  js.Fejl("refuse-body -ERR disken er fuld");
  s = ForbindOgLogin();
  EXPECT_EQ(ServerSendFil(s, ud.c_str(), "job/skoleind5.gz"), -1);
  EXPECT_STREQ(ServerSvar, "-ERR disken er fuld");
  EXPECT_FALSE(jobtest::Findes(js.SpoolFil("job/skoleind5.gz")));
  ServerAfslut(&s);

  // The server goes during the upload.
  js.Fejl("cut-body 2000");
  s = ForbindOgLogin();
  EXPECT_EQ(ServerSendFil(s, ud.c_str(), "job/skoleind5.gz"), -1);
  EXPECT_FALSE(jobtest::Findes(js.SpoolFil("job/skoleind5.gz")));
  ServerAfslut(&s);
}

TEST_F(ServerProtokolFil, AServerThatNeverAnswersEndsTheCallAfterTheTimeOut) {
  Start();
  jobtest::SkrivFil(js.SpoolFil("job/skoleud5.gz"), "abc");
  ServerTidsfrist = 300;
  const std::string ind = lokal + "imp.dat.gz";
  const std::string ud = lokal + "exp.dat.gz";
  jobtest::SkrivFil(ud, "xyz");
  struct Tilfaelde {
    const char *script;
    int (*kald)(SOCKET, const char *, const char *);
  };
  const Tilfaelde tabel[] = {
      {"silent send", [](SOCKET s, const char *, const char *i) {
         return ServerHentFil(s, "job/skoleud5.gz", i);
       }},
      {"silent recv", [](SOCKET s, const char *u, const char *) {
         return ServerSendFil(s, u, "job/skoleind5.gz");
       }},
      {"silent stat", [](SOCKET s, const char *, const char *) {
         ServerStatFilRec st;
         return ServerStatFil(s, "job/skoleud5.gz", &st);
       }},
      {"oversize 10", [](SOCKET s, const char *, const char *i) {
         return ServerHentFil(s, "job/skoleud5.gz", i);
       }},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.script);
    js.Fejl(t.script);
    SOCKET s = ForbindOgLogin();
    const auto t0 = Ur::now();
    EXPECT_EQ(t.kald(s, ud.c_str(), ind.c_str()), -1);
    const auto ventet = Ur::now() - t0;
    EXPECT_GE(ventet, std::chrono::milliseconds(250));
    EXPECT_LT(ventet, std::chrono::seconds(3));
    ServerAfslut(&s);
  }

  // A slow server is waited for within the time-out, and not beyond it.
  js.Fejl("slow 100");
  SOCKET s = ForbindOgLogin();
  ServerAfslut(&s);
  js.Fejl("slow 1000");
  const auto t0 = Ur::now();
  EXPECT_EQ(ServerForbind("127.0.0.1"), INVALID_SOCKET);
  EXPECT_LT(Ur::now() - t0, std::chrono::milliseconds(900));
}

TEST_F(ServerProtokolFil, ShuttingTheSocketDownWakesAWaitingWorker) {
  Start();
  ServerTidsfrist = 60000;
  js.Fejl("silent stat");
  SOCKET s = ForbindOgLogin();
  int resultat = -2;
  std::thread arbejder([&] { resultat = ServerKommando(s, "stat ins"); });
  ASSERT_TRUE(js.VentPaaLog("\tstat ins", 3000));
  const auto t0 = Ur::now();
  shutdown(s, SD_BOTH);
  arbejder.join();
  EXPECT_EQ(resultat, -1);
  EXPECT_LT(Ur::now() - t0, std::chrono::seconds(5));
  ServerAfslut(&s);
}

// ---- Connecting --------------------------------------------------------------

class ServerProtokolForbind : public ServerProtokol {};

int gSetPort = 0;
int gOmdirigerTil = 0;
void NoterPort(SOCKET, sockaddr_in *a) {
  gSetPort = ntohs(a->sin_port);
  a->sin_port = htons(static_cast<uint16_t>(gOmdirigerTil));
}

TEST_F(ServerProtokolForbind, ThePortComesFromTheServicesListElse960) {
  ASSERT_TRUE(js.Start());
  WSADATA d;
  ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &d), 0);
  EXPECT_EQ(getservbyname("tavo", "tcp"), nullptr);
  WSACleanup();

  gOmdirigerTil = js.Port();
  tavo::test::SaetConnectKrog(NoterPort);
  SOCKET s = ServerForbind("127.0.0.1");
  EXPECT_NE(s, INVALID_SOCKET);
  EXPECT_EQ(gSetPort, SERVER_PORT);
  ServerAfslut(&s);

  setenv("TAVO_SERVICES", ("tavo/tcp=" + std::to_string(js.Port())).c_str(), 1);
  s = ServerForbind("localhost");
  EXPECT_NE(s, INVALID_SOCKET);
  EXPECT_EQ(gSetPort, js.Port());
  ServerAfslut(&s);
}

TEST_F(ServerProtokolForbind, FailuresLeaveTheirText) {
  Start();
  const int filer = AabneFiler();
  EXPECT_EQ(ServerForbind("ingen-server.invalid"), INVALID_SOCKET);
  EXPECT_STREQ(ServerSvar, "ingen-server.invalid: værten findes ikke (h_errno=11001)\n");

  tavo::test::NetFejlNaeste("WSAStartup", WSASYSNOTREADY);
  EXPECT_EQ(ServerForbind("127.0.0.1"), INVALID_SOCKET);
  EXPECT_STREQ(ServerSvar, "WSAStartup() fejlede.\n");

  tavo::test::NetFejlNaeste("socket", WSAEMFILE);
  EXPECT_EQ(ServerForbind("127.0.0.1"), INVALID_SOCKET);
  EXPECT_STREQ(ServerSvar, "socket: Der er for mange åbne sockets.");

  // Nobody listening: no greeting.
  js.Stop();
  EXPECT_EQ(ServerForbind("127.0.0.1"), INVALID_SOCKET);
  EXPECT_STREQ(ServerSvar, "");
  EXPECT_EQ(AabneFiler(), filer);

  SOCKET ingen = INVALID_SOCKET;
  ServerAfslut(&ingen);
  EXPECT_EQ(tavo::test::WinsockStartTal(), 0);
}

TEST_F(ServerProtokolForbind, ManyCyclesLeaveNothingOpen) {
  Start();
  const std::string ud = lokal + "exp.dat.gz";
  const std::string ind = lokal + "imp.dat.gz";
  jobtest::SkrivFil(ud, Moenster(2500, 3));
  // The first cycle opens what stays open anyway (the resolver, the log).
  SOCKET s = ForbindOgLogin();
  ServerAfslut(&s);
  const int filer = AabneFiler();
  for (int i = 0; i < 300; ++i) {
    s = ForbindOgLogin();
    ASSERT_EQ(ServerSendFil(s, ud.c_str(), "job/skoleind5.gz"), 0) << i;
    ASSERT_EQ(ServerHentFil(s, "job/skoleind5.gz", ind.c_str()), 0) << i;
    ServerAfslut(&s);
  }
  EXPECT_EQ(AabneFiler(), filer);
  EXPECT_EQ(jobtest::LaesFil(ind), Moenster(2500, 3));
}

}  // namespace
