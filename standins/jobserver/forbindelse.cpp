// One connection of the job-server stand-in: greeting with a challenge, the
// login checked by undoing the keystream, the file commands, and the faults
// of the script in force when the connection came.
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "jobserver.h"

namespace jobserver {
namespace {

constexpr size_t MAKS_LINJE = 8192;
constexpr size_t BLOK = 1024;

std::vector<std::string> Del(const std::string &linje) {
  // Fields are separated by exactly one blank: an empty field stays a field.
  std::vector<std::string> felter;
  size_t start = 0;
  for (;;) {
    const size_t blank = linje.find(' ', start);
    felter.push_back(linje.substr(start, blank - start));
    if (blank == std::string::npos) return felter;
    start = blank + 1;
  }
}

int Hexciffer(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The password of an "auth" line: each 32-bit word of the keystream
// (state x 246813579 + 1 from the challenge) gives four key bytes, lowest
// first; the password was padded with zero bytes to whole words.
bool Afkod(const std::string &hex, uint32_t udfordring, std::string *password) {
  if (hex.size() % 8 != 0) return false;
  std::string bytes;
  uint32_t x = udfordring;
  for (size_t ord = 0; ord < hex.size() / 8; ++ord) {
    x = x * 246813579u + 1u;
    for (int b = 0; b < 4; ++b) {
      const int hoej = Hexciffer(hex[ord * 8 + b * 2]);
      const int lav = Hexciffer(hex[ord * 8 + b * 2 + 1]);
      if (hoej < 0 || lav < 0) return false;
      bytes.push_back(static_cast<char>((hoej << 4 | lav) ^ static_cast<int>((x >> (8 * b)) & 0xFF)));
    }
  }
  size_t n = bytes.size();
  for (int fyld = 0; fyld < 3 && n > 0 && bytes[n - 1] == 0; ++fyld) --n;
  password->assign(bytes, 0, n);
  return password->find('\0') == std::string::npos && (n + 3) / 4 * 4 == bytes.size();
}

class Forbindelse {
 public:
  Forbindelse(int fd, int nummer) : fd_(fd), nr_(nummer), fejl_(AktuelleFejl()) {}

  void Koer() {
    Log(nr_, "#forbundet");
    if (fejl_.heltTavs) {
      Lyt();
    } else if (Afbrudt("greeting")) {
      return;
    } else {
      if (gInd.fastUdfordring) {
        udfordring_ = gInd.udfordring;
      } else {
        std::random_device rd;
        udfordring_ = static_cast<uint32_t>(rd());
      }
      char hilsen[64];
      snprintf(hilsen, sizeof hilsen, "+OK tavo jobserver klar <%08x>", udfordring_);
      Svar(fejl_.nyHilsen ? fejl_.hilsen : hilsen);
      Lyt();
    }
    if (fd_ >= 0) close(fd_);
  }

 private:
  enum class Laest { Linje, ForLang, Slut };

  int fd_;
  int nr_;
  Fejl fejl_;
  std::string ind_;
  bool logget_ = false;
  uint32_t udfordring_ = 0;
  std::string db_;  // the login's database and installation
  int ins_ = 0;

  // More bytes into ind_; false at the end of the connection.
  bool Fyld() {
    if (fd_ < 0) return false;
    char buf[4096];
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      const int r = poll(&p, 1, 200);
      if (r < 0 && errno != EINTR) return false;
      if (r <= 0) continue;
      const ssize_t n = recv(fd_, buf, sizeof buf, 0);
      if (n <= 0) return false;
      // Acknowledge at once: a client sending 1024-byte blocks waits for
      // each acknowledgement before its next small block.
      int ja = 1;
      setsockopt(fd_, IPPROTO_TCP, TCP_QUICKACK, &ja, sizeof ja);
      Aktivitet();
      ind_.append(buf, static_cast<size_t>(n));
      return true;
    }
  }

  Laest LaesLinje(std::string *linje) {
    bool forLang = false;
    for (;;) {
      const size_t lf = ind_.find('\n');
      if (lf != std::string::npos) {
        *linje = ind_.substr(0, lf);
        ind_.erase(0, lf + 1);
        if (!linje->empty() && linje->back() == '\r') linje->pop_back();
        return forLang || linje->size() > MAKS_LINJE ? Laest::ForLang : Laest::Linje;
      }
      if (ind_.size() > MAKS_LINJE) {
        forLang = true;
        ind_.clear();
      }
      if (!Fyld()) return Laest::Slut;
    }
  }

  bool Skriv(const char *data, size_t n) {
    size_t sendt = 0;
    while (sendt < n && fd_ >= 0) {
      const ssize_t r = send(fd_, data + sendt, n - sendt, MSG_NOSIGNAL);
      if (r <= 0) return false;
      sendt += static_cast<size_t>(r);
    }
    return sendt == n;
  }

  void Vent() {
    if (fejl_.langsomMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(fejl_.langsomMs));
  }

  void Svar(const std::string &linje) {
    Vent();
    const std::string ud = linje + "\r\n";
    Skriv(ud.data(), ud.size());
  }

  void Afbryd() {
    Log(nr_, "#afbrudt");
    shutdown(fd_, SHUT_RDWR);
    close(fd_);
    fd_ = -1;
  }

  bool Afbrudt(const std::string &linje) {
    for (const std::string &m : fejl_.afbrydFoer)
      if (Passer(m, linje)) {
        Afbryd();
        return true;
      }
    return false;
  }

  void Lyt() {
    while (fd_ >= 0) {
      std::string linje;
      const Laest r = LaesLinje(&linje);
      if (r == Laest::Slut) {
        if (fd_ >= 0) Log(nr_, "#lukket");
        return;
      }
      if (r == Laest::ForLang) {
        Log(nr_, "#for lang linje");
        if (!fejl_.heltTavs) Svar("-ERR for lang linje");
        continue;
      }
      Log(nr_, linje);
      if (!fejl_.heltTavs) Behandl(linje);
    }
  }

  void Behandl(const std::string &linje) {
    if (Afbrudt(linje)) return;
    for (const std::string &m : fejl_.tavsVed)
      if (Passer(m, linje)) return;
    for (const auto &[m, svar] : fejl_.svar)
      if (Passer(m, linje)) {
        Svar(svar);
        return;
      }
    struct Kommando {
      const char *navn;
      void (Forbindelse::*udfoer)(const std::string &rest);
      bool kraeverLogin;
    };
    static const Kommando kKommandoer[] = {
        {"auth", &Forbindelse::Auth, false},     {"recv", &Forbindelse::Modtag, true},
        {"send", &Forbindelse::Send, true},      {"stat file", &Forbindelse::StatFil, true},
        {"del", &Forbindelse::Slet, true},       {"zip", &Forbindelse::Zip, true},
        {"unzip", &Forbindelse::Unzip, true},    {"quit", &Forbindelse::Quit, false},
        {"stat ins", &Forbindelse::StatIns, true}, {"stat sched", &Forbindelse::StatSched, true},
        {"stat queue", &Forbindelse::StatKoe, true}, {"stat autojob", &Forbindelse::StatAuto, true},
        {"queue autojob", &Forbindelse::KoeAuto, true}, {"queue", &Forbindelse::Koe, true},
        {"done autojob", &Forbindelse::Faerdig, true}, {"done", &Forbindelse::Faerdig, true},
    };
    for (const Kommando &k : kKommandoer) {
      if (!Passer(k.navn, linje)) continue;
      if (k.kraeverLogin && !logget_) {
        Svar("-ERR ikke logget ind");
        return;
      }
      const size_t n = strlen(k.navn);
      (this->*k.udfoer)(linje.size() > n ? linje.substr(n + 1) : "");
      return;
    }
    Svar("-ERR ukendt kommando");
  }

  // auth TYPE USER SCRAMBLED DATABASE KIND INSNR
  void Auth(const std::string &rest) {
    const std::vector<std::string> f = Del(rest);
    bool ok = f.size() == 6 && !fejl_.afvisLogin;
    std::string password;
    if (ok) ok = Afkod(f[2], udfordring_, &password);
    bool kendt = false;
    for (const Bruger &b : gInd.brugere)
      if (ok && b.navn == f[1] && b.database == f[3] && b.password == password) kendt = true;
    logget_ = kendt;
    if (kendt) {
      db_ = f[3];
      ins_ = atoi(f[5].c_str());
    }
    Svar(kendt ? "+OK velkommen " + f[1] : "-ERR login afvist");
  }

  static bool LaesStoerrelse(const std::string &t, long *ud) {
    if (t.empty() || t.size() > 10) return false;
    long v = 0;
    for (char c : t) {
      if (c < '0' || c > '9') return false;
      v = v * 10 + (c - '0');
    }
    *ud = v;
    return v <= 0x7FFFFFFF;
  }

  // recv NAME SIZE: exactly SIZE bytes follow the first reply.
  void Modtag(const std::string &rest) {
    const std::vector<std::string> f = Del(rest);
    long stoerrelse = 0;
    if (f.size() != 2 || !GyldigtNavn(f[0]) || !LaesStoerrelse(f[1], &stoerrelse)) {
      Svar("-ERR forkert recv");
      return;
    }
    Svar("+OK klar");
    std::string data;
    while (data.size() < static_cast<size_t>(stoerrelse)) {
      if (fejl_.afbrydEfter >= 0 && data.size() >= static_cast<size_t>(fejl_.afbrydEfter)) {
        Afbryd();
        return;
      }
      if (ind_.empty() && !Fyld()) {
        Log(nr_, "#lukket midt i en fil");
        close(fd_);
        fd_ = -1;
        return;
      }
      size_t tag = std::min(ind_.size(), static_cast<size_t>(stoerrelse) - data.size());
      if (fejl_.afbrydEfter >= 0)
        tag = std::min(tag, static_cast<size_t>(fejl_.afbrydEfter) - std::min(data.size(), static_cast<size_t>(fejl_.afbrydEfter)));
      data.append(ind_, 0, tag);
      ind_.erase(0, tag);
    }
    // A server that takes the bytes and then refuses them, as a full disk
    // on its side would.
    if (!fejl_.afvisData.empty()) {
      Svar(fejl_.afvisData);
      return;
    }
    Svar(SkrivFil(f[0], data) ? "+OK modtaget" : "-ERR kan ikke gemme " + f[0]);
  }

  // send NAME: "+OK size" and the bytes.
  void Send(const std::string &navn) {
    std::string data;
    if (!GyldigtNavn(navn) || !LaesFil(navn, &data)) {
      Svar("-ERR " + navn + ": findes ikke");
      return;
    }
    Svar("+OK " + std::to_string(data.size() + static_cast<size_t>(fejl_.merAnnonceret)));
    size_t graense = data.size();
    const bool afbryd = fejl_.afbrydEfter >= 0 && static_cast<size_t>(fejl_.afbrydEfter) < data.size();
    if (afbryd) graense = static_cast<size_t>(fejl_.afbrydEfter);
    for (size_t i = 0; i < graense; i += BLOK) {
      Vent();
      if (!Skriv(data.data() + i, std::min(BLOK, graense - i))) return;
    }
    if (afbryd) Afbryd();
  }

  void StatFil(const std::string &navn) {
    struct stat st;
    if (!GyldigtNavn(navn) || stat(SpoolSti(navn).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      Svar("-ERR " + navn + ": findes ikke");
      return;
    }
    char linje[400];
    snprintf(linje, sizeof linje, "+OK %s %ld %ld %ld %ld %ld", navn.c_str(),
             static_cast<long>(st.st_mode), static_cast<long>(st.st_size),
             static_cast<long>(st.st_atime), static_cast<long>(st.st_mtime),
             static_cast<long>(st.st_ctime));
    Svar(linje);
  }

  void Slet(const std::string &navn) {
    Svar(GyldigtNavn(navn) && SletFil(navn) ? "+OK slettet" : "-ERR " + navn + ": findes ikke");
  }

  void Zip(const std::string &navn) {
    Svar(GyldigtNavn(navn) && Pak(navn) ? "+OK pakket" : "-ERR " + navn + ": kan ikke pakkes");
  }

  void Unzip(const std::string &navn) {
    Svar(GyldigtNavn(navn) && Udpak(navn) ? "+OK udpakket" : "-ERR " + navn + ": kan ikke pakkes ud");
  }

  std::string JobNavn(const char *art) const { return "job/" + db_ + art + std::to_string(ins_); }

  // "+OK <id> <ins> <name> 0 0 0 0 0 0 <seconds> <state>" while the job of
  // the installation waits (10) or runs (20).
  void StatIns(const std::string &) {
    Job j;
    if (!PollJob(JobNavn("ind"), JobNavn("ud"), fejl_.resultat, !fejl_.resultatUpakket, &fejl_.central, &j)) {
      Svar("-ERR intet job");
      return;
    }
    Svar("+OK 1 " + std::to_string(ins_) + " " + JobNavn("ind") + " 0 0 0 0 0 0 " + std::to_string(j.sekunder) +
         (j.startet ? " 20" : " 10"));
  }

  void StatSched(const std::string &) { Svar(fejl_.afviklerStoppet ? "-ERR afvikler stoppet" : "+OK afvikler kører"); }

  // The other installations' queued jobs, one a line, and ".".
  void StatKoe(const std::string &) {
    Svar("+OK koe");
    int id = 100;
    for (const std::string &l : fejl_.koeLinjer) {
      std::istringstream ind(l);
      int ins = 0;
      long sek = 0, tilstand = 0;
      ind >> ins >> sek >> tilstand;
      Svar(std::to_string(++id) + " " + std::to_string(ins) + " job/andenind" + std::to_string(ins) +
           " 0 0 0 0 0 0 " + std::to_string(sek) + " " + std::to_string(tilstand));
    }
    Svar(".");
  }

  void Koe(const std::string &) {
    if (!KoeJob(JobNavn("ind"), ins_, fejl_.koeSekunder, fejl_.afviklerPoll)) {
      Svar("-ERR intet job at saette i koe");
      return;
    }
    Svar("+OK " + std::to_string(fejl_.koeSekunder));
  }

  // "+OK <id> <ins> <name> <state>" while an AutoSkema job is pending.
  void StatAuto(const std::string &) {
    Job j;
    if (!PollJob(JobNavn("autoind"), JobNavn("autoud"), fejl_.autoResultat, true, nullptr, &j, true)) {
      Svar("-ERR intet autojob");
      return;
    }
    Svar("+OK 1 " + std::to_string(ins_) + " " + JobNavn("autoind") + (j.startet ? " 20" : " 10"));
  }

  void KoeAuto(const std::string &) {
    // The module takes only a JSON document: any other fails the job here.
    std::string dokument, grund;
    if (LaesFil(JobNavn("autoind"), &dokument) && !AutoSkemaGyldig(dokument, &grund)) {
      SletFil(JobNavn("autoind"));
      Svar("-ERR autojob afvist: " + grund);
      return;
    }
    Svar(KoeJob(JobNavn("autoind"), ins_, 30, fejl_.afviklerPoll) ? "+OK i koe" : "-ERR intet autojob at saette i koe");
  }

  void Faerdig(const std::string &) { Svar("+OK"); }

  void Quit(const std::string &) {
    Svar("+OK farvel");
    Log(nr_, "#farvel");
    close(fd_);
    fd_ = -1;
  }
};

}  // namespace

void Betjen(int fd, int nummer) {
  Forbindelse f(fd, nummer);
  f.Koer();
}

}  // namespace jobserver
