// The web-server stand-in: HTTPS on loopback with the certificate it is
// given, answering the paths the programs ask for as its script says, and
// storing every request body it receives.
//
//   webserver --cert PEM --key PEM --dir DIR [--addr 127.0.0.x] [--port N]
//             [--script FILE] [--idle SECONDS]
//
// The first line of output is the port. The script is read again for every
// request; one rule a line, the first that fits the request wins (a rule
// naming the path with its query before one naming the path alone):
//
//   answer TARGET STATUS BODY   the reply; BODY may hold \n \r \t \\ \xHH
//   cut TARGET BYTES            announce the whole body, send BYTES of it, close
//   close TARGET                close without a reply
//   silent TARGET               read the request, answer nothing, hold on
//   wrong TARGET                answer with bytes that are no HTTP
//   slow TARGET MS              wait before answering (with any other rule)
//   serve PREFIX FOLDER         a path below PREFIX answers the file of the
//                               same name below FOLDER (404 when missing)
//
// TARGET is "/path", "/path?query" or "*". Without a fitting rule the
// answer is 404. The log (DIR/log.txt) has a line per request:
// "<n>\t<METHOD> <target>\t<body bytes>", the body stored as DIR/body-<n>.bin,
// the request's header lines as DIR/head-<n>.txt.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
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
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../loopback.h"

namespace {

struct Indstillinger {
  std::string adresse = "127.0.0.1";
  int port = 0;
  std::string cert, noegle, mappe, script;
  int tomgangSek = 60;
} gInd;

constexpr size_t kStoersteHoved = 64 * 1024;
constexpr size_t kStoersteKrop = 64u << 20;

std::mutex gLogLaas;
std::atomic<int64_t> gSidst{0};
SSL_CTX *gCtx = nullptr;

[[noreturn]] void Stop(const std::string &tekst) {
  fprintf(stderr, "webserver: %s\n", tekst.c_str());
  _exit(2);
}

void Log(const std::string &linje) {
  std::lock_guard<std::mutex> g(gLogLaas);
  std::ofstream ud(gInd.mappe + "/log.txt", std::ios::app | std::ios::binary);
  ud << linje << '\n';
}

void SkrivFil(const std::string &sti, const std::string &data) {
  std::ofstream ud(sti, std::ios::binary | std::ios::trunc);
  ud.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string Afkod(const std::string &t) {
  std::string ud;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] != '\\' || i + 1 >= t.size()) {
      ud += t[i];
      continue;
    }
    const char c = t[++i];
    if (c == 'n') ud += '\n';
    else if (c == 'r') ud += '\r';
    else if (c == 't') ud += '\t';
    else if (c == 'x' && i + 2 < t.size()) {
      ud += static_cast<char>(std::strtol(t.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else ud += c;
  }
  return ud;
}

struct Svar {
  int status = 404;
  std::string krop = "ikke fundet\n";
  long afbrydEfter = -1;
  bool luk = false, tavs = false, forkert = false;
  int ventMs = 0;
};

bool Passer(const std::string &moenster, const std::string &maal, bool medForespoergsel) {
  if (moenster == "*") return !medForespoergsel;
  if (medForespoergsel) return moenster == maal;
  return moenster == maal.substr(0, maal.find('?'));
}

Svar FindSvar(const std::string &maal) {
  Svar s;
  std::vector<std::string> linjer;
  std::ifstream ind(gInd.script);
  for (std::string l; std::getline(ind, l);) {
    while (!l.empty() && (l.back() == '\r' || l.back() == '\n')) l.pop_back();
    if (!l.empty() && l[0] != '#') linjer.push_back(l);
  }
  bool fundet = false;
  for (int runde = 0; runde < 2; ++runde) {
    for (const std::string &l : linjer) {
      const size_t a = l.find(' ');
      if (a == std::string::npos) continue;
      const std::string ord = l.substr(0, a);
      size_t b = l.find(' ', a + 1);
      const std::string moenster = l.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
      const std::string rest = b == std::string::npos ? "" : l.substr(b + 1);
      if (ord == "serve") {
        if (fundet || runde == 0) continue;
        const std::string sti = maal.substr(0, maal.find('?'));
        if (sti.size() <= moenster.size() + 1 || sti.compare(0, moenster.size(), moenster) != 0 ||
            sti[moenster.size()] != '/' || sti.find("..") != std::string::npos)
          continue;
        std::ifstream fil(rest + sti.substr(moenster.size()), std::ios::binary);
        if (!fil) continue;
        fundet = true;
        s.status = 200;
        s.krop.assign(std::istreambuf_iterator<char>(fil), std::istreambuf_iterator<char>());
        continue;
      }
      if (!Passer(moenster, maal, runde == 0)) continue;
      if (ord == "slow") {
        s.ventMs = atoi(rest.c_str());
        continue;
      }
      if (fundet) continue;
      fundet = true;
      if (ord == "answer") {
        const size_t c = rest.find(' ');
        s.status = atoi(rest.substr(0, c).c_str());
        s.krop = c == std::string::npos ? "" : Afkod(rest.substr(c + 1));
      } else if (ord == "cut") {
        s.status = 200;
        s.afbrydEfter = atol(rest.c_str());
        if (s.krop.size() < static_cast<size_t>(s.afbrydEfter) + 64) s.krop.assign(s.afbrydEfter + 64, 'x');
      } else if (ord == "close") s.luk = true;
      else if (ord == "silent") s.tavs = true;
      else if (ord == "wrong") s.forkert = true;
      else fundet = false;
    }
  }
  return s;
}

bool SkrivAlt(SSL *ssl, const char *data, size_t n) {
  while (n > 0) {
    const int r = SSL_write(ssl, data, static_cast<int>(std::min<size_t>(n, 1 << 20)));
    if (r <= 0) return false;
    data += r;
    n -= static_cast<size_t>(r);
  }
  return true;
}

const char *StatusTekst(int s) {
  switch (s) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

void Betjen(int fd, int nummer) {
  SSL *ssl = SSL_new(gCtx);
  SSL_set_fd(ssl, fd);
  timeval tv{30, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  if (SSL_accept(ssl) <= 0) {
    // A client that refuses the certificate ends here: noted, not a request.
    Log(std::to_string(nummer) + "\t#tls");
    SSL_free(ssl);
    close(fd);
    return;
  }
  std::string data;
  char buf[16384];
  size_t hovedSlut = std::string::npos;
  while ((hovedSlut = data.find("\r\n\r\n")) == std::string::npos && data.size() < kStoersteHoved) {
    const int r = SSL_read(ssl, buf, sizeof buf);
    if (r <= 0) break;
    data.append(buf, static_cast<size_t>(r));
  }
  if (hovedSlut == std::string::npos) {
    Log(std::to_string(nummer) + "\t#no request");
    SSL_free(ssl);
    close(fd);
    return;
  }
  const std::string hoved = data.substr(0, hovedSlut);
  std::string krop = data.substr(hovedSlut + 4);
  const std::string foerste = hoved.substr(0, hoved.find("\r\n"));
  const size_t m1 = foerste.find(' '), m2 = foerste.find(' ', m1 + 1);
  const std::string metode = foerste.substr(0, m1);
  const std::string maal = m1 == std::string::npos ? "" : foerste.substr(m1 + 1, m2 - m1 - 1);
  size_t laengde = 0;
  for (size_t p = 0; p < hoved.size();) {
    size_t e = hoved.find("\r\n", p);
    if (e == std::string::npos) e = hoved.size();
    const std::string l = hoved.substr(p, e - p);
    if (strncasecmp(l.c_str(), "content-length:", 15) == 0) laengde = strtoul(l.c_str() + 15, nullptr, 10);
    p = e + 2;
  }
  laengde = std::min(laengde, kStoersteKrop);
  while (krop.size() < laengde) {
    const int r = SSL_read(ssl, buf, sizeof buf);
    if (r <= 0) break;
    krop.append(buf, static_cast<size_t>(r));
    gSidst = standin::NuMs();
  }
  SkrivFil(gInd.mappe + "/head-" + std::to_string(nummer) + ".txt", hoved);
  if (!krop.empty()) SkrivFil(gInd.mappe + "/body-" + std::to_string(nummer) + ".bin", krop);
  Log(std::to_string(nummer) + "\t" + metode + " " + maal + "\t" + std::to_string(krop.size()));

  const Svar s = FindSvar(maal);
  if (s.ventMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(s.ventMs));
  if (s.tavs) {
    // Hold on until the client gives up.
    while (SSL_read(ssl, buf, sizeof buf) > 0) {
    }
  } else if (s.forkert) {
    const char *skrald = "dette er ikke http\r\n\r\n";
    SkrivAlt(ssl, skrald, strlen(skrald));
  } else if (!s.luk) {
    const std::string svarHoved = "HTTP/1.1 " + std::to_string(s.status) + " " + StatusTekst(s.status) +
                                  "\r\nContent-Type: text/plain\r\nContent-Length: " +
                                  std::to_string(s.krop.size()) + "\r\nConnection: close\r\n\r\n";
    const size_t n = s.afbrydEfter >= 0 ? static_cast<size_t>(s.afbrydEfter) : s.krop.size();
    if (SkrivAlt(ssl, svarHoved.data(), svarHoved.size())) SkrivAlt(ssl, s.krop.data(), n);
  }
  if (s.afbrydEfter < 0 && !s.luk) SSL_shutdown(ssl);
  SSL_free(ssl);
  close(fd);
  gSidst = standin::NuMs();
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
    else if (a == "--cert") gInd.cert = v;
    else if (a == "--key") gInd.noegle = v;
    else if (a == "--dir") gInd.mappe = v;
    else if (a == "--script") gInd.script = v;
    else if (a == "--idle") gInd.tomgangSek = atoi(v.c_str());
    else Stop("bad option " + a);
  }
  if (gInd.cert.empty() || gInd.noegle.empty() || gInd.mappe.empty()) Stop("--cert, --key and --dir are required");
  if (gInd.script.empty()) gInd.script = gInd.mappe + "/script.txt";
  if (gInd.tomgangSek <= 0 || gInd.port < 0 || gInd.port > 65535) Stop("bad --idle or --port");

  gCtx = SSL_CTX_new(TLS_server_method());
  if (!gCtx || SSL_CTX_use_certificate_chain_file(gCtx, gInd.cert.c_str()) != 1 ||
      SSL_CTX_use_PrivateKey_file(gCtx, gInd.noegle.c_str(), SSL_FILETYPE_PEM) != 1)
    Stop("cannot load the certificate or key");

  const int lytter = standin::LytPaaLoopback("webserver", gInd.adresse, gInd.port);
  standin::BetjenIndtilTomgang(lytter, gInd.tomgangSek, gSidst, nullptr, Betjen);
  Log("0\t#slut");
  _exit(0);
}
