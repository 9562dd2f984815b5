// The job-server stand-in seen from a bare socket: what it says, what it
// keeps in its spool, how it fails on command, and that it stays on
// loopback and ends by itself.
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

#include "jobserver_proces.h"

namespace {

using jobtest::JobServer;
using Ur = std::chrono::steady_clock;

// A client of bare bytes: lines in, lines and bytes out, each wait bounded.
class Klient {
 public:
  Klient(int port, const char *adresse = "127.0.0.1") {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, adresse, &a.sin_addr);
    forbundet_ = connect(fd_, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
  }
  ~Klient() { close(fd_); }
  bool Forbundet() const { return forbundet_; }

  void Send(const std::string &data) { ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL); }
  void Linje(const std::string &l) { Send(l + "\r\n"); }

  // Up to n bytes; fewer when the connection ends or nothing comes in ms.
  std::string Bytes(size_t n, int ms = 3000) {
    std::string ud;
    for (;;) {
      const size_t tag = std::min(n - ud.size(), ind_.size());
      ud += ind_.substr(0, tag);
      ind_.erase(0, tag);
      if (ud.size() == n || !Fyld(ms)) return ud;
    }
  }
  // One line without CR LF; "<ingen>" when none comes, "<slut>" at the end.
  std::string Svar(int ms = 3000) {
    for (;;) {
      const size_t lf = ind_.find("\r\n");
      if (lf != std::string::npos) {
        std::string l = ind_.substr(0, lf);
        ind_.erase(0, lf + 2);
        return l;
      }
      if (!Fyld(ms)) return slut_ ? "<slut>" : "<ingen>";
    }
  }
  std::string Kommando(const std::string &l) {
    Linje(l);
    return Svar();
  }

 private:
  bool Fyld(int ms) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, ms) != 1) return false;
    char buf[4096];
    const ssize_t n = recv(fd_, buf, sizeof buf, 0);
    if (n <= 0) {
      slut_ = true;
      return false;
    }
    ind_.append(buf, static_cast<size_t>(n));
    return true;
  }

  int fd_;
  bool forbundet_ = false;
  bool slut_ = false;
  std::string ind_;
};

const char kHilsen[] = R"(\+OK .*<[0-9a-f]{8}>)";

// The scrambled password for "hemmelig" under the challenge deadbeef,
// worked out apart from both programs.
const char kKrypteret[] = "ae0d01f0e6f90eb1";

class JobServerStandin : public ::testing::Test {
 protected:
  JobServer js;

  void Login(Klient &k) {
    ASSERT_TRUE(std::regex_match(k.Svar(), std::regex(kHilsen)));
    ASSERT_EQ(k.Kommando(std::string("auth u bruger ") + kKrypteret + " skole I 5"), "+OK velkommen bruger");
  }
};

TEST_F(JobServerStandin, GreetsWithAFreshChallengeAndLogsEveryCommand) {
  ASSERT_TRUE(js.Start());
  Klient a(js.Port()), b(js.Port());
  const std::string ha = a.Svar(), hb = b.Svar();
  EXPECT_TRUE(std::regex_match(ha, std::regex(kHilsen))) << ha;
  EXPECT_TRUE(std::regex_match(hb, std::regex(kHilsen))) << hb;
  EXPECT_NE(ha.substr(ha.find('<')), hb.substr(hb.find('<')));

  EXPECT_EQ(a.Kommando("send job/x"), "-ERR ikke logget ind");
  EXPECT_EQ(a.Kommando("stat noget"), "-ERR ukendt kommando");
  EXPECT_EQ(a.Kommando(std::string(9000, 'y')), "-ERR for lang linje");
  EXPECT_EQ(a.Kommando("quit"), "+OK farvel");
  EXPECT_EQ(a.Svar(), "<slut>");
  ASSERT_TRUE(js.VentPaaLog("#farvel", 3000));
  const std::vector<std::string> log = js.Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "1\tsend job/x"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "1\tstat noget"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "1\tquit"), log.end());
}

TEST_F(JobServerStandin, LoginIsCheckedByUndoingTheKeystream) {
  ASSERT_TRUE(js.Start({"--challenge", "deadbeef", "--user", "bruger:hemmelig:skole",
                        "--user", "tom::skole"}));
  struct Tilfaelde {
    const char *linje;
    bool godkendt;
  };
  const Tilfaelde tabel[] = {
      {"auth u bruger ae0d01f0e6f90eb1 skole I 5", true},
      {"auth o bruger AE0D01F0E6F90EB1 skole S -3", true},  // either case of hex digits
      {"auth u bruger ae0d01f0e6f90eb0 skole I 5", false},  // one bit off
      {"auth u bruger ae0d01f0e6f90eb1 andenskole I 5", false},
      {"auth u ukendt ae0d01f0e6f90eb1 skole I 5", false},
      {"auth u bruger ae0d01f0 skole I 5", false},  // the first word alone
      {"auth u bruger ae0d01f0e6f90eb1ab skole I 5", false},
      {"auth u bruger ae0d01f0e6f90eb1 skole I", false},
      {"auth u bruger  skole I 5", false},
      {"auth u tom  skole I 5", true},  // an empty password: two blanks in a row
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.linje);
    Klient c(js.Port());
    EXPECT_EQ(c.Svar(), "+OK tavo jobserver klar <deadbeef>");
    const std::string svar = c.Kommando(t.linje);
    EXPECT_EQ(svar[0], t.godkendt ? '+' : '-') << svar;
    // Only a login opens the file commands.
    EXPECT_EQ(c.Kommando("del job/ingen") == "-ERR ikke logget ind", !t.godkendt);
  }
  js.Fejl("refuse-login\n");
  Klient c(js.Port());
  c.Svar();
  EXPECT_EQ(c.Kommando(std::string("auth u bruger ") + kKrypteret + " skole I 5"), "-ERR login afvist");
}

std::string Gunzip(const std::string &sti) {
  gzFile gz = gzopen(sti.c_str(), "rb");
  if (!gz) return "<kan ikke åbnes>";
  std::string ud;
  char buf[4096];
  int n;
  while ((n = gzread(gz, buf, sizeof buf)) > 0) ud.append(buf, static_cast<size_t>(n));
  const int slut = gzclose(gz);
  return n == 0 && slut == Z_OK ? ud : "<fejl i gzip>";
}

TEST_F(JobServerStandin, KeepsFilesInItsSpoolAndPacksThemWithGzip) {
  ASSERT_TRUE(js.Start({"--challenge", "deadbeef"}));
  Klient k(js.Port());
  Login(k);
  std::string data(3000, 0);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 31 + 7);

  k.Linje("recv job/skoleind5.gz 3000");
  EXPECT_EQ(k.Svar(), "+OK klar");
  k.Send(data);
  EXPECT_EQ(k.Svar(), "+OK modtaget");
  EXPECT_EQ(jobtest::LaesFil(js.SpoolFil("job/skoleind5.gz")), data);

  const std::string stat = k.Kommando("stat file job/skoleind5.gz");
  EXPECT_TRUE(std::regex_match(stat, std::regex(R"(\+OK job/skoleind5\.gz \d+ 3000 \d+ \d+ \d+)"))) << stat;
  EXPECT_EQ(k.Kommando("send job/skoleind5.gz"), "+OK 3000");
  EXPECT_EQ(k.Bytes(3000), data);

  // zip replaces a file by its gzip form, unzip brings it back.
  jobtest::SkrivFil(js.SpoolFil("job/skoleud5"), data);
  EXPECT_EQ(k.Kommando("zip job/skoleud5"), "+OK pakket");
  EXPECT_FALSE(jobtest::Findes(js.SpoolFil("job/skoleud5")));
  EXPECT_EQ(Gunzip(js.SpoolFil("job/skoleud5.gz")), data);
  EXPECT_EQ(k.Kommando("unzip job/skoleud5"), "+OK udpakket");
  EXPECT_EQ(jobtest::LaesFil(js.SpoolFil("job/skoleud5")), data);
  EXPECT_FALSE(jobtest::Findes(js.SpoolFil("job/skoleud5.gz")));
  jobtest::SkrivFil(js.SpoolFil("job/skadet.gz"), "\x1f\x8b ikke gzip");
  EXPECT_EQ(k.Kommando("unzip job/skadet"), "-ERR job/skadet: kan ikke pakkes ud");
  EXPECT_FALSE(jobtest::Findes(js.SpoolFil("job/skadet")));

  EXPECT_EQ(k.Kommando("del job/skoleud5"), "+OK slettet");
  EXPECT_EQ(k.Kommando("stat file job/skoleud5"), "-ERR job/skoleud5: findes ikke");
  EXPECT_EQ(k.Kommando("send job/skoleud5"), "-ERR job/skoleud5: findes ikke");
  EXPECT_EQ(k.Kommando("del job/skoleud5"), "-ERR job/skoleud5: findes ikke");

  // Names that would leave the spool.
  for (const char *navn : {"../ud", "/etc/passwd", "job/../../ud", "job//x", "job/", "a\\b"}) {
    SCOPED_TRACE(navn);
    EXPECT_EQ(k.Kommando(std::string("send ") + navn)[0], '-');
    EXPECT_EQ(k.Kommando(std::string("recv ") + navn + " 1")[0], '-');
  }
  EXPECT_FALSE(jobtest::Findes(js.Mappe() + "/ud"));
}

TEST_F(JobServerStandin, FailsAsItsScriptSays) {
  ASSERT_TRUE(js.Start({"--challenge", "deadbeef"}));
  jobtest::SkrivFil(js.SpoolFil("fil"), std::string(100, 'd'));
  struct Tilfaelde {
    const char *script;
    const char *kommando;  // after the login; "" checks the greeting alone
    const char *svar;      // the first reply line
    size_t bytes;          // body bytes that follow before the end
  };
  const Tilfaelde tabel[] = {
      {"greeting velkommen uden udfordring", "", "velkommen uden udfordring", 0},
      {"greeting", "", "", 0},
      {"silent", "", "<ingen>", 0},
      {"cut-before greeting", "", "<slut>", 0},
      {"answer stat file|-ERR disk fejl", "stat file fil", "-ERR disk fejl", 0},
      {"answer stat|+", "stat file fil", "+", 0},
      {"cut-before del", "del fil", "<slut>", 0},
      {"silent del", "del fil", "<ingen>", 0},
      {"cut-body 10", "send fil", "+OK 100", 10},
      {"oversize 5", "send fil", "+OK 105", 100},
      {"# a comment\n\nslow 1", "send fil", "+OK 100", 100},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.script);
    js.Fejl(t.script);
    Klient k(js.Port());
    if (!*t.kommando) {
      EXPECT_EQ(k.Svar(500), t.svar);
      continue;
    }
    Login(k);
    k.Linje(t.kommando);
    EXPECT_EQ(k.Svar(500), t.svar);
    EXPECT_EQ(k.Bytes(1000, 500).size(), t.bytes);
  }

  // A slow server answers, late.
  js.Fejl("slow 300");
  Klient k(js.Port());
  const auto t0 = Ur::now();
  EXPECT_TRUE(std::regex_match(k.Svar(), std::regex(kHilsen)));
  EXPECT_GE(Ur::now() - t0, std::chrono::milliseconds(250));

  // The script holds for new connections only; cleared, all is as before.
  js.Fejl("");
  Klient normal(js.Port());
  Login(normal);
  EXPECT_EQ(normal.Kommando("del fil"), "+OK slettet");

  // An upload cut after a part of its body keeps nothing.
  js.Fejl("cut-body 10");
  Klient afbrudt(js.Port());
  Login(afbrudt);
  afbrudt.Linje("recv job/halv 100");
  EXPECT_EQ(afbrudt.Svar(), "+OK klar");
  afbrudt.Send(std::string(100, 'h'));
  EXPECT_EQ(afbrudt.Svar(), "<slut>");
  EXPECT_FALSE(jobtest::Findes(js.SpoolFil("job/halv")));
}

TEST_F(JobServerStandin, TheRunnerAnswersAnExportAsTheCentralSystem) {
  ASSERT_TRUE(js.Start({"--challenge", "deadbeef"}));
  js.Fejl("refuse B+ 1 12 0\nrefuse X+ 1 12\n");
  const std::string eksport = "K;N;5;10413;20240801;20250731;0;0;0;0;2;0\n@B+\nA1\nM2\nT20240915,9,1,250\nT20240916,9,2,125\n";
  auto job = [&] {
    jobtest::SkrivFil(js.SpoolFil("job/skoleind5"), eksport);
    Klient k(js.Port());
    Login(k);
    EXPECT_EQ(k.Kommando("queue"), "+OK 60");
    // The runner takes the job at the first look.
    EXPECT_EQ(k.Kommando("stat ins"), "-ERR intet job");
    EXPECT_FALSE(jobtest::Findes(js.SpoolFil("job/skoleind5")));
    return Gunzip(js.SpoolFil("job/skoleud5.gz"));
  };
  std::string svar = job();
  EXPECT_EQ(svar.substr(svar.find('@')), "@B+\n2024,9,1,12,0\n2024,9,2,0,100001\n");
  // Its counter and counts are kept in the spool from job to job.
  svar = job();
  EXPECT_EQ(svar.substr(0, 2), "K;");
  EXPECT_NE(svar.find(";1;A;0;2\n"), std::string::npos) << svar;
  EXPECT_EQ(svar.substr(svar.find('@')), "@B+\n2024,9,1,12,0\n2024,9,2,0,100002\n");
  // The refusals and the script line it could not use are in the log.
  const std::vector<std::string> log = js.Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "0\t#central afviser B+ 1: 12"), log.end());
  EXPECT_NE(std::find_if(log.begin(), log.end(), [](const std::string &l) { return l.find("#refuse SECTION") != std::string::npos; }),
            log.end());
}

TEST_F(JobServerStandin, StaysOnLoopback) {
  EXPECT_FALSE(js.Start({}, "0.0.0.0"));
  EXPECT_EQ(js.VentPaaSlut(5000), 2);
  EXPECT_FALSE(js.Start({}, "10.0.0.1"));
  EXPECT_EQ(js.VentPaaSlut(5000), 2);
  // A second stand-in may share the port on another loopback address.
  ASSERT_TRUE(js.Start());
  JobServer anden;
  ASSERT_TRUE(anden.Start({}, "127.0.0.2", js.Port()));
  Klient k(js.Port(), "127.0.0.2");
  EXPECT_TRUE(std::regex_match(k.Svar(), std::regex(kHilsen)));
  EXPECT_TRUE(anden.VentPaaLog("1\t#forbundet", 3000));
  EXPECT_FALSE(js.VentPaaLog("#forbundet", 0));
}

TEST_F(JobServerStandin, EndsByItselfWhenIdle) {
  ASSERT_TRUE(js.Start({"--idle", "1"}));
  {
    Klient k(js.Port());
    k.Svar();
  }
  EXPECT_EQ(js.VentPaaSlut(10000), 0);
  EXPECT_TRUE(js.VentPaaLog("0\t#slut", 0));
}

// Whether a process has ended (a zombie nobody reaps counts as ended).
bool Ender(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string s;
  if (!std::getline(stat, s)) return true;
  const size_t p = s.rfind(')');
  return p != std::string::npos && p + 2 < s.size() && (s[p + 2] == 'Z' || s[p + 2] == 'X');
}

TEST_F(JobServerStandin, EndsWhenItsStarterEnds) {
  // A shell starts the stand-in, says its process id and ends.
  const std::string kommando = std::string("'") + TAVO_JOBSERVER_PROGRAM + "' --spool '" + js.Spool() +
                               "' --port 0 --idle 600 >/dev/null & echo $!; sleep 1";
  FILE *sh = popen(kommando.c_str(), "r");
  ASSERT_NE(sh, nullptr);
  char linje[32] = {};
  ASSERT_NE(fgets(linje, sizeof linje, sh), nullptr);
  const pid_t pid = atoi(linje);
  ASSERT_GT(pid, 0);
  pclose(sh);
  const auto frist = Ur::now() + std::chrono::seconds(10);
  while (!Ender(pid) && Ur::now() < frist) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(Ender(pid));
  if (!Ender(pid)) kill(pid, SIGTERM);
}

TEST_F(JobServerStandin, EndsWithTheStarterItIsGiven) {
  // A process of its own stands in for the program that uses the stand-in.
  const pid_t bruger = fork();
  ASSERT_GE(bruger, 0);
  if (bruger == 0) {
    pause();
    _exit(0);
  }
  ASSERT_TRUE(js.Start({"--starter", std::to_string(bruger)}));
  EXPECT_EQ(js.VentPaaSlut(700), -1);
  kill(bruger, SIGTERM);
  waitpid(bruger, nullptr, 0);
  EXPECT_EQ(js.VentPaaSlut(10000), 0);
}

}  // namespace
