// The support FTP server's stand-in: plain FTP on loopback (USER, PASS,
// TYPE, PASV, STOR, QUIT) with passive data connections on 127.0.0.1,
// storing what it receives in a folder the tests read, and answering as its
// script says.
//
//   ftpserver --dir DIR [--addr 127.0.0.x] [--port N] [--script FILE]
//             [--idle SECONDS] [--user NAME:PASSWORD]
//
// The first line of output is the port. The user is tavodata:4kravon unless
// --user names another. Stored files land in DIR/files/ under the name the
// client gave; a name with "/", "\" or ".." is refused (553). The script
// (DIR/script.txt unless --script names one) is read at every new
// connection; one rule a line, "WHEN ACTION [ARGUMENT]", WHEN being
// "greeting" or a command (USER, PASS, TYPE, PASV, STOR, QUIT):
//
//   WHEN answer TEXT    this reply instead (\r \n \\ escapes; CR LF added)
//   WHEN close          close the control connection instead of answering
//   WHEN silent         answer nothing; hold on until the client gives up
//   WHEN long N         the usual reply number and text up to N characters
//   PASV address A,B,C,D  the 227 reply names this address (the data port
//                       stays on the loopback address)
//   STOR cut BYTES      take BYTES of the data, close the data connection
//                       and answer 426
//
// The log (DIR/log.txt) has a line per command received,
// "<connection>\t<command line>", and "#" lines for what happened:
// "<connection>\t#stored NAME BYTES", "#cut", "#closed", "#end".
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "../loopback.h"

namespace {

struct Indstillinger {
  std::string adresse = "127.0.0.1";
  int port = 0;
  std::string mappe, script, bruger = "tavodata", kode = "4kravon";
  int tomgangSek = 60;
} gInd;

// How long a silent rule or a data connection waits for the client.
constexpr int kVentMs = 60000;
constexpr size_t kStoersteLinje = 4096;

std::mutex gLogLaas;
std::atomic<int64_t> gSidst{0};
std::atomic<int> gAktive{0};

[[noreturn]] void Stop(const std::string &tekst) {
  fprintf(stderr, "ftpserver: %s\n", tekst.c_str());
  _exit(2);
}

void Log(int nummer, const std::string &linje) {
  std::lock_guard<std::mutex> g(gLogLaas);
  std::ofstream ud(gInd.mappe + "/log.txt", std::ios::app | std::ios::binary);
  ud << nummer << '\t' << linje << '\n';
}

std::string Afkod(const std::string &t) {
  std::string ud;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] != '\\' || i + 1 >= t.size()) {
      ud += t[i];
      continue;
    }
    const char c = t[++i];
    ud += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return ud;
}

struct Regel {
  std::string handling, argument;
};

// WHEN -> its rule, as the script stands when the connection begins.
std::map<std::string, Regel> LaesScript() {
  std::map<std::string, Regel> regler;
  std::ifstream ind(gInd.script);
  for (std::string l; std::getline(ind, l);) {
    while (!l.empty() && (l.back() == '\r' || l.back() == '\n')) l.pop_back();
    if (l.empty() || l[0] == '#') continue;
    const size_t a = l.find(' ');
    if (a == std::string::npos) continue;
    const size_t b = l.find(' ', a + 1);
    std::string naar = l.substr(0, a);
    for (char &c : naar) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    regler[naar] = {l.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1),
                    b == std::string::npos ? "" : l.substr(b + 1)};
  }
  return regler;
}

bool SkrivAlt(int fd, const std::string &data) {
  size_t sendt = 0;
  while (sendt < data.size()) {
    const ssize_t n = send(fd, data.data() + sendt, data.size() - sendt, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sendt += static_cast<size_t>(n);
  }
  return true;
}

// One line from the client without CR LF; false at its end or after the
// wait.
bool LaesLinje(int fd, std::string *linje) {
  linje->clear();
  for (;;) {
    char c;
    const ssize_t n = recv(fd, &c, 1, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    gSidst = standin::NuMs();
    if (c == '\n') break;
    if (c != '\r' && linje->size() < kStoersteLinje) *linje += c;
  }
  return true;
}

// Holds the connection until the client closes it or the wait is over.
void Hold(int fd) {
  const int64_t slut = standin::NuMs() + kVentMs;
  char buf[512];
  while (standin::NuMs() < slut) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 200) != 1) continue;
    if (recv(fd, buf, sizeof buf, 0) <= 0) return;
  }
}

struct Forbindelse {
  int fd;
  int nummer;
  std::map<std::string, Regel> regler;
  int pasvLytter = -1;
  bool brugerGivet = false, logget = false;
};

int NyPasvLytter(int *port) {
  const int l = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t n = sizeof a;
  if (l < 0 || bind(l, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 || listen(l, 1) != 0 ||
      getsockname(l, reinterpret_cast<sockaddr *>(&a), &n) != 0) {
    if (l >= 0) close(l);
    return -1;
  }
  *port = ntohs(a.sin_port);
  return l;
}

bool GyldigtNavn(const std::string &navn) {
  return !navn.empty() && navn.find_first_of("/\\") == std::string::npos && navn.find("..") == std::string::npos;
}

// The data of a STOR into DIR/files/NAME: the reply that ends it.
std::string Modtag(Forbindelse &f, const std::string &navn, long afbrydEfter) {
  pollfd p{f.pasvLytter, POLLIN, 0};
  const int data = poll(&p, 1, kVentMs) == 1 ? accept4(f.pasvLytter, nullptr, nullptr, SOCK_CLOEXEC) : -1;
  close(f.pasvLytter);
  f.pasvLytter = -1;
  if (data < 0) return "425 Ingen dataforbindelse";
  std::ofstream ud(gInd.mappe + "/files/" + navn, std::ios::binary | std::ios::trunc);
  long ialt = 0;
  char buf[16384];
  for (;;) {
    size_t vil = sizeof buf;
    if (afbrydEfter >= 0) vil = std::min<size_t>(vil, static_cast<size_t>(afbrydEfter - ialt));
    if (vil == 0) break;
    const ssize_t n = recv(data, buf, vil, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    ud.write(buf, n);
    ialt += n;
    gSidst = standin::NuMs();
  }
  ud.close();
  close(data);
  if (afbrydEfter >= 0) {
    Log(f.nummer, "#cut " + navn + " " + std::to_string(ialt));
    return "426 Forbindelsen blev afbrudt";
  }
  Log(f.nummer, "#stored " + navn + " " + std::to_string(ialt));
  return "226 Overfoersel fuldfoert";
}

// The usual answer to a command, after the data of a STOR.
std::string Svar(Forbindelse &f, const std::string &verbum, const std::string &argument, bool *luk) {
  if (verbum == "USER") {
    f.brugerGivet = argument == gInd.bruger;
    f.logget = false;
    return "331 Adgangskode, tak";
  }
  if (verbum == "PASS") {
    f.logget = f.brugerGivet && argument == gInd.kode;
    return f.logget ? "230 Logget ind" : "530 Forkert bruger eller adgangskode";
  }
  if (verbum == "QUIT") {
    *luk = true;
    return "221 Farvel";
  }
  if (!f.logget) return "530 Log ind foerst";
  if (verbum == "TYPE") return argument == "I" || argument == "A" ? "200 Type sat" : "504 Ukendt type";
  if (verbum == "PASV") {
    if (f.pasvLytter >= 0) close(f.pasvLytter);
    int port = 0;
    f.pasvLytter = NyPasvLytter(&port);
    if (f.pasvLytter < 0) return "425 Ingen passiv port";
    std::string adresse = "127,0,0,1";
    if (auto r = f.regler.find("PASV"); r != f.regler.end() && r->second.handling == "address")
      adresse = r->second.argument;
    return "227 Entering Passive Mode (" + adresse + "," + std::to_string(port / 256) + "," +
           std::to_string(port % 256) + ")";
  }
  if (verbum == "STOR") {
    if (!GyldigtNavn(argument)) return "553 Filnavnet afvises";
    if (f.pasvLytter < 0) return "425 Brug PASV foerst";
    long afbryd = -1;
    if (auto r = f.regler.find("STOR"); r != f.regler.end() && r->second.handling == "cut")
      afbryd = atol(r->second.argument.c_str());
    if (!SkrivAlt(f.fd, "150 Klar til data\r\n")) return "";
    return Modtag(f, argument, afbryd);
  }
  return "502 Kommandoen kendes ikke";
}

// Answers by the script's rule for WHEN, else the usual answer (made only
// when no rule takes its place, so a refused STOR receives nothing): false
// when the connection is to end.
bool Besvar(Forbindelse &f, const std::string &naar, const std::string &argument) {
  bool luk = false;
  const auto r = f.regler.find(naar);
  const std::string handling = r == f.regler.end() ? "" : r->second.handling;
  if (handling == "close") {
    Log(f.nummer, "#closed");
    return false;
  }
  if (handling == "silent") {
    Hold(f.fd);
    return false;
  }
  std::string svar;
  if (handling == "answer") {
    svar = Afkod(r->second.argument);
    // A scripted 230 logs in as the usual one would.
    if (naar == "USER" || naar == "PASS") f.logget = svar.rfind("230", 0) == 0;
  } else {
    svar = naar == "GREETING" ? "220-Velkommen til TAVO-support\r\n220 Klar" : Svar(f, naar, argument, &luk);
    if (handling == "long" && !svar.empty()) {
      const size_t n = static_cast<size_t>(atol(r->second.argument.c_str()));
      svar = svar.substr(0, 3) + " " + std::string(n > 4 ? n - 4 : 0, 'x');
    }
  }
  if (svar.empty() || !SkrivAlt(f.fd, svar + "\r\n")) return false;
  return !luk;
}

void Betjen(int fd, int nummer) {
  Forbindelse f{fd, nummer, LaesScript()};
  if (Besvar(f, "GREETING", "")) {
    std::string linje;
    while (LaesLinje(fd, &linje)) {
      Log(nummer, linje);
      const size_t mellem = linje.find(' ');
      std::string verbum = linje.substr(0, mellem);
      for (char &c : verbum) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
      if (!Besvar(f, verbum, mellem == std::string::npos ? "" : linje.substr(mellem + 1))) break;
    }
  }
  if (f.pasvLytter >= 0) close(f.pasvLytter);
  close(fd);
  Log(nummer, "#end");
  gSidst = standin::NuMs();
  --gAktive;
}

}  // namespace

int main(int argc, char **argv) {
  signal(SIGPIPE, SIG_IGN);
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) Stop("missing value after " + a);
    const std::string v = argv[++i];
    if (a == "--addr") gInd.adresse = v;
    else if (a == "--port") gInd.port = atoi(v.c_str());
    else if (a == "--dir") gInd.mappe = v;
    else if (a == "--script") gInd.script = v;
    else if (a == "--idle") gInd.tomgangSek = atoi(v.c_str());
    else if (a == "--user" && v.find(':') != std::string::npos) {
      gInd.bruger = v.substr(0, v.find(':'));
      gInd.kode = v.substr(v.find(':') + 1);
    } else Stop("bad option " + a);
  }
  if (gInd.mappe.empty()) Stop("--dir is required");
  if (gInd.script.empty()) gInd.script = gInd.mappe + "/script.txt";
  if (gInd.tomgangSek <= 0 || gInd.port < 0 || gInd.port > 65535) Stop("bad --idle or --port");
  const std::string filer = gInd.mappe + "/files";
  if (mkdir(filer.c_str(), 0700) != 0 && errno != EEXIST) Stop("cannot make " + filer);

  const int lytter = standin::LytPaaLoopback("ftpserver", gInd.adresse, gInd.port);
  standin::BetjenIndtilTomgang(lytter, gInd.tomgangSek, gSidst, &gAktive, Betjen);
  Log(0, "#slut");
  _exit(0);
}
