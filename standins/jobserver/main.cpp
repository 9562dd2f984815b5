// The job-server stand-in's program: options, the loopback listener, the
// request log, and the end by itself (idle time, or its starter gone).
//
//   jobserver --spool DIR [--addr 127.0.0.x] [--port N] [--user NAME:PASSWORD:DATABASE]...
//             [--faults FILE] [--fault LINE]... [--log FILE] [--idle SECONDS]
//             [--challenge HEX] [--starter PID]
//
// The first line of output is the port it listens on (port 0 takes a free
// one). The fault script holds one fault a line (see LaesFejllinje); the
// file is read again for every new connection. It ends when idle for the
// given time, or when its starter ends (the program that started it, or
// the process --starter names; --starter 0: the idle time alone).
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <thread>

#include "jobserver.h"

namespace jobserver {

Indstillinger gInd;

namespace {

std::mutex gLogLaas;
FILE *gLog = nullptr;
std::atomic<int64_t> gSidst{0};

int64_t NuMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

long Tal(const std::string &t, bool *ok) {
  char *slut = nullptr;
  errno = 0;
  const long v = strtol(t.c_str(), &slut, 10);
  *ok = !t.empty() && *slut == 0 && errno == 0;
  return v;
}

[[noreturn]] void Stop(const char *tekst) {
  fprintf(stderr, "jobserver: %s\n", tekst);
  _exit(2);
}

}  // namespace

void Log(int forbindelse, const std::string &tekst) {
  std::lock_guard<std::mutex> g(gLogLaas);
  if (!gLog) return;
  fprintf(gLog, "%d\t%s\n", forbindelse, tekst.c_str());
  fflush(gLog);
}

void Aktivitet() { gSidst = NuMs(); }

bool Passer(const std::string &moenster, const std::string &linje) {
  if (moenster == "*") return true;
  return linje.compare(0, moenster.size(), moenster) == 0 &&
         (linje.size() == moenster.size() || linje[moenster.size()] == ' ');
}

bool LaesFejllinje(const std::string &raa, Fejl *f, std::string *grund) {
  std::string linje = raa;
  while (!linje.empty() && (linje.back() == '\r' || linje.back() == '\n')) linje.pop_back();
  if (linje.empty() || linje[0] == '#') return true;
  const size_t blank = linje.find(' ');
  const std::string ord = linje.substr(0, blank);
  const std::string rest = blank == std::string::npos ? "" : linje.substr(blank + 1);
  bool ok = true;
  if (ord == "greeting") {
    f->nyHilsen = true;
    f->hilsen = rest;
  } else if (ord == "refuse-login" && rest.empty()) {
    f->afvisLogin = true;
  } else if (ord == "answer") {
    const size_t streg = rest.find('|');
    if (streg == std::string::npos || streg == 0) ok = false;
    else f->svar.emplace_back(rest.substr(0, streg), rest.substr(streg + 1));
  } else if (ord == "oversize") {
    f->merAnnonceret = Tal(rest, &ok);
    ok = ok && f->merAnnonceret > 0;
  } else if (ord == "refuse-body") {
    f->afvisData = rest;
    ok = !rest.empty() && rest[0] == '-';
  } else if (ord == "cut-body") {
    f->afbrydEfter = Tal(rest, &ok);
    ok = ok && f->afbrydEfter >= 0;
  } else if (ord == "cut-before" && !rest.empty()) {
    f->afbrydFoer.push_back(rest);
  } else if (ord == "silent") {
    if (rest.empty()) f->heltTavs = true;
    else f->tavsVed.push_back(rest);
  } else if (ord == "slow") {
    f->langsomMs = static_cast<int>(Tal(rest, &ok));
    ok = ok && f->langsomMs >= 0 && f->langsomMs <= 600000;
  } else if (ord == "sched-stopped" && rest.empty()) {
    f->afviklerStoppet = true;
  } else if (ord == "queue-seconds") {
    f->koeSekunder = Tal(rest, &ok);
    ok = ok && f->koeSekunder >= 0;
  } else if (ord == "runner-polls") {
    f->afviklerPoll = Tal(rest, &ok);
    ok = ok && f->afviklerPoll >= 0;
  } else if (ord == "queue-job" && !rest.empty()) {
    f->koeLinjer.push_back(rest);
  } else if (ord == "result" && !rest.empty()) {
    f->resultat = rest;
  } else if (ord == "result-plain" && rest.empty()) {
    f->resultatUpakket = true;
  } else if (ord == "auto-result" && !rest.empty()) {
    f->autoResultat = rest;
  } else {
    const int central = LaesCentralLinje(ord, rest, &f->central, grund);
    if (central < 0) return false;
    ok = central > 0;
  }
  if (!ok) *grund = "unknown fault line: " + linje;
  return ok;
}

Fejl AktuelleFejl() {
  Fejl f;
  std::string grund;
  for (const std::string &l : gInd.fejllinjer) LaesFejllinje(l, &f, &grund);
  if (!gInd.fejlfil.empty()) {
    std::ifstream ind(gInd.fejlfil);
    std::string l;
    while (std::getline(ind, l))
      if (!LaesFejllinje(l, &f, &grund)) Log(0, "#" + grund);
  }
  return f;
}

}  // namespace jobserver

using namespace jobserver;

int main(int argc, char **argv) {
  signal(SIGPIPE, SIG_IGN);
  pid_t starter = getppid();
  bool egenStarter = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) Stop(("missing value after " + a).c_str());
    const std::string v = argv[++i];
    bool ok = true;
    if (a == "--addr") gInd.adresse = v;
    else if (a == "--port") gInd.port = static_cast<int>(Tal(v, &ok)), ok = ok && gInd.port >= 0 && gInd.port < 65536;
    else if (a == "--spool") gInd.spool = v;
    else if (a == "--faults") gInd.fejlfil = v;
    else if (a == "--log") gInd.logfil = v;
    else if (a == "--starter") starter = static_cast<pid_t>(Tal(v, &ok)), ok = ok && starter >= 0, egenStarter = true;
    else if (a == "--idle") gInd.tomgangSek = static_cast<int>(Tal(v, &ok)), ok = ok && gInd.tomgangSek > 0;
    else if (a == "--challenge") {
      char *slut = nullptr;
      const unsigned long x = strtoul(v.c_str(), &slut, 16);
      ok = !v.empty() && *slut == 0 && x <= 0xFFFFFFFFul;
      gInd.fastUdfordring = true;
      gInd.udfordring = static_cast<uint32_t>(x);
    } else if (a == "--fault") {
      Fejl proeve;
      std::string grund;
      ok = LaesFejllinje(v, &proeve, &grund);
      gInd.fejllinjer.push_back(v);
    } else if (a == "--user") {
      const size_t f = v.find(':'), s = v.rfind(':');
      ok = f != std::string::npos && s != f && f > 0;
      if (ok) gInd.brugere.push_back({v.substr(0, f), v.substr(f + 1, s - f - 1), v.substr(s + 1)});
    } else {
      ok = false;
    }
    if (!ok) Stop(("bad option " + a + " " + v).c_str());
  }
  if (gInd.spool.empty()) Stop("--spool is required");

  // Loopback only: 127.0.0.0/8.
  sockaddr_in adr{};
  adr.sin_family = AF_INET;
  adr.sin_port = htons(static_cast<uint16_t>(gInd.port));
  if (inet_pton(AF_INET, gInd.adresse.c_str(), &adr.sin_addr) != 1 ||
      (ntohl(adr.sin_addr.s_addr) >> 24) != 127)
    Stop("the address must be a loopback address (127.x.y.z)");

  const int lytter = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int ja = 1;
  setsockopt(lytter, SOL_SOCKET, SO_REUSEADDR, &ja, sizeof ja);
  if (lytter < 0 || bind(lytter, reinterpret_cast<sockaddr *>(&adr), sizeof adr) != 0 ||
      listen(lytter, 16) != 0)
    Stop(strerror(errno));
  socklen_t l = sizeof adr;
  getsockname(lytter, reinterpret_cast<sockaddr *>(&adr), &l);

  if (!gInd.logfil.empty()) {
    gLog = fopen(gInd.logfil.c_str(), "a");
    if (!gLog) Stop(("cannot open the log " + gInd.logfil).c_str());
  }
  printf("%d\n", ntohs(adr.sin_port));
  fflush(stdout);

  Aktivitet();
  int nummer = 0;
  for (;;) {
    pollfd p{lytter, POLLIN, 0};
    const int r = poll(&p, 1, 200);
    if (egenStarter ? starter > 0 && kill(starter, 0) != 0 && errno == ESRCH : getppid() != starter) break;
    if (NuMs() - gSidst > static_cast<int64_t>(gInd.tomgangSek) * 1000) break;
    if (r != 1) continue;
    const int fd = accept4(lytter, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    // Replies and file blocks go out as they are written.
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &ja, sizeof ja);
    Aktivitet();
    std::thread(Betjen, fd, ++nummer).detach();
  }
  Log(0, "#slut");
  // Connections may still be served: leave without running destructors
  // under their feet.
  _exit(0);
}
