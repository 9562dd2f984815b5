// The central system's answer to an export: one receipt per line the
// export carries, in the order of its sections, with the status line of a
// change answer ('K') in front.
#include "central.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace jobserver {
namespace {

constexpr const char *kPlanTabeller[] = {"ffpg", "ffpgrel", "ffpp", "ffgrund", "ffpertab", "fftaltab"};
// The event codes that say the lesson is not known to the ring system.
constexpr int kRingUkendt = 41, kLektionUkendt = 42;

// A whole decimal number, nothing before or after it; false otherwise.
bool Tal(const std::string &t, long *v) {
  if (t.empty() || t.size() > 18) return false;
  char *slut = nullptr;
  errno = 0;
  const long x = strtol(t.c_str(), &slut, 10);
  if (errno || *slut) return false;
  *v = x;
  return true;
}

std::vector<std::string> Del(const std::string &linje, const char *skilletegn) {
  std::vector<std::string> felter;
  size_t start = 0;
  for (;;) {
    const size_t slut = linje.find_first_of(skilletegn, start);
    felter.push_back(linje.substr(start, slut - start));
    if (slut == std::string::npos) return felter;
    start = slut + 1;
  }
}

bool ErKvitteringsAfsnit(const std::string &navn) {
  if (navn == "S-" || navn == "S+" || navn == "B-" || navn == "B+") return true;
  for (const char *t : kPlanTabeller)
    if (navn == std::string(t) + "-" || navn == std::string(t) + "+") return true;
  return false;
}

bool LaesHele(const std::string &sti, std::string *data) {
  std::ifstream ind(sti, std::ios::binary);
  if (!ind) return false;
  data->assign(std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>());
  return !ind.bad();
}

// The ISO year of a date in the given ISO week: the first days of January
// may belong to the last week of the year before, the last days of December
// to the first week of the next.
long IsoAar(long dato, long uge) {
  const long aar = dato / 10000, maaned = dato / 100 % 100;
  if (uge >= 52 && maaned == 1) return aar - 1;
  if (uge == 1 && maaned == 12) return aar + 1;
  return aar;
}

class Svar {
 public:
  Svar(const CentralScript &s, CentralTilstand *t, time_t nu, std::vector<std::string> *log)
      : s_(s), t_(t), log_(log) {
    tm l{};
    localtime_r(&nu, &l);
    char b[32];
    strftime(b, sizeof b, "%Y%m%d%H%M%S", &l);
    opdtid_ = b;
  }

  // One line of the export inside the section; the receipt goes to its
  // own section of the answer.
  void Linje(const std::string &afsnit, const std::string &linje) {
    if (afsnit == "S-") {
      Slet(afsnit, linje, &t_->begivenheder);
    } else if (afsnit == "S+") {
      SkemaNy(linje);
    } else if (afsnit == "B-") {
      Slet(afsnit, linje, &t_->posteringer);
    } else if (afsnit == "B+") {
      TimerNy(linje);
    } else if (afsnit.size() > 1 && ErKvitteringsAfsnit(afsnit)) {
      Plan(afsnit, linje);
    }
  }

  std::string Tekst() const {
    std::string ud;
    for (const auto &[navn, linjer] : kvitteringer_) {
      if (linjer.empty()) continue;
      ud += "@" + navn + "\n" + linjer;
    }
    return ud;
  }

 private:
  const CentralScript &s_;
  CentralTilstand *t_;
  std::vector<std::string> *log_;
  std::string opdtid_;
  std::vector<std::pair<std::string, std::string>> kvitteringer_;
  std::map<std::string, long> talt_;

  std::string &Afsnit(const std::string &navn) {
    for (auto &[n, l] : kvitteringer_)
      if (n == navn) return l;
    kvitteringer_.emplace_back(navn, "");
    return kvitteringer_.back().second;
  }

  // The script's refusal of the next line of the section, or null.
  const Afvisning *Naeste(const std::string &afsnit) {
    const long nr = ++talt_[afsnit];
    for (const Afvisning &a : s_.afvis)
      if (a.afsnit == afsnit && a.nr == nr) {
        log_->push_back("afviser " + afsnit + " " + std::to_string(nr) + ": " + std::to_string(a.kode));
        return &a;
      }
    return nullptr;
  }

  bool Felter(const std::string &afsnit, const std::string &linje, const char *skilletegn, size_t antal,
              std::vector<long> *ud) {
    const std::vector<std::string> f = Del(linje, skilletegn);
    ud->assign(f.size(), 0);
    bool ok = f.size() >= antal;
    for (size_t i = 0; ok && i < f.size(); ++i) {
      double d = 0;
      // Hours and minute norms are decimals; only the whole fields are read.
      if (!Tal(f[i], &(*ud)[i]) && !(sscanf(f[i].c_str(), "%lf", &d) == 1)) ok = false;
    }
    if (!ok) log_->push_back("ulaeselig linje i @" + afsnit + ": " + linje.substr(0, 80));
    return ok;
  }

  void Tael(long *antal, long delta) { *antal = *antal + delta < 0 ? 0 : *antal + delta; }

  // "S-" year,week,row,id and "B-" year,month,row,id -> the place, error,
  // conflict; an accepted deletion takes one off the count.
  void Slet(const std::string &afsnit, const std::string &linje, long *antal) {
    std::vector<long> f;
    if (!Felter(afsnit, linje, ",", 4, &f)) return;
    const Afvisning *a = Naeste(afsnit);
    if (!a) Tael(antal, -1);
    Afsnit(afsnit) += std::to_string(f[0]) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) + "," +
                      std::to_string(a ? a->kode : 0) + "," + std::to_string(a ? a->a : 0) + "\n";
  }

  // T date,week,event,start,end,lessons,id or N date,week,event,lesson,id
  // -> year,week,row,error,start,end,id or participant,update time or
  // conflict. The lesson's times come from the ring system last named.
  long risy_ = 0;
  void SkemaNy(const std::string &linje) {
    const char art = linje[0];
    if (art == 'R') {
      Tal(linje.substr(1), &risy_);
      return;
    }
    if (art != 'T' && art != 'N') return;
    std::vector<long> f;
    if (!Felter("S+", linje.substr(1), ",", art == 'T' ? 7 : 5, &f)) return;
    long start = 0, slut = 0;
    int kode = 0;
    if (art == 'T') {
      start = f[3], slut = f[4];
    } else {
      const auto ring = s_.ringe.find(risy_);
      if (ring == s_.ringe.end()) {
        kode = kRingUkendt;
      } else if (f[3] < 1 || static_cast<size_t>(f[3]) > ring->second.size()) {
        kode = kLektionUkendt;
      } else {
        start = ring->second[static_cast<size_t>(f[3] - 1)].first;
        slut = ring->second[static_cast<size_t>(f[3] - 1)].second;
      }
    }
    const Afvisning *a = Naeste("S+");
    if (a) kode = a->kode;
    std::string &ud = Afsnit("S+");
    ud += std::to_string(IsoAar(f[0], f[1])) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) + "," +
          std::to_string(kode) + "," + std::to_string(start) + "," + std::to_string(slut) + ",";
    if (kode) {
      if (!a) log_->push_back("afviser S+ " + std::to_string(talt_["S+"]) + ": " + std::to_string(kode));
      ud += std::to_string(a ? a->a : 0) + "," + std::to_string(a ? a->b : 0) + "\n";
      return;
    }
    if (f.back() == 0) Tael(&t_->begivenheder, 1);
    ud += std::to_string(t_->naesteId++) + "," + opdtid_ + "\n";
  }

  // T date,month,row,hours -> year,month,row,error,id or value
  void TimerNy(const std::string &linje) {
    if (linje[0] != 'T') return;
    std::vector<long> f;
    if (!Felter("B+", linje.substr(1), ",", 4, &f)) return;
    const Afvisning *a = Naeste("B+");
    Afsnit("B+") += std::to_string(f[0] / 10000) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) + "," +
                    std::to_string(a ? a->kode : 0) + ",";
    if (a) {
      Afsnit("B+") += std::to_string(a->a) + "\n";
      return;
    }
    Tael(&t_->posteringer, 1);
    Afsnit("B+") += std::to_string(t_->naesteId++) + "\n";
  }

  // "-": id;record -> record,error; "+": id;...;record -> id,record,error.
  // A record that has a central id keeps it.
  void Plan(const std::string &afsnit, const std::string &linje) {
    // Only the id and the record number are read: the fields between hold
    // names and decimals.
    const std::vector<std::string> alle = Del(linje, ";");
    std::vector<long> f(2, 0);
    if (alle.size() < 2 || !Tal(alle.front(), &f[0]) || !Tal(alle.back(), &f[1])) {
      log_->push_back("ulaeselig linje i @" + afsnit + ": " + linje.substr(0, 80));
      return;
    }
    const Afvisning *a = Naeste(afsnit);
    const std::string kode = std::to_string(a ? a->kode : 0);
    if (afsnit.back() == '-') {
      Afsnit(afsnit) += std::to_string(f.back()) + "," + kode + "\n";
      return;
    }
    long id = f[0];
    if (!a && id <= 0) id = t_->naesteId++;
    Afsnit(afsnit) += std::to_string(a ? 0 : id) + "," + std::to_string(f.back()) + "," + kode + "\n";
  }
};

}  // namespace

int LaesCentralLinje(const std::string &ord, const std::string &rest, CentralScript *s, std::string *grund) {
  const std::vector<std::string> f = rest.empty() ? std::vector<std::string>{} : Del(rest, " ");
  auto fejl = [&](const char *tekst) {
    *grund = std::string(tekst) + ": " + ord + " " + rest;
    return -1;
  };
  if (ord == "refuse") {
    Afvisning a;
    long v[4] = {};
    bool ok = f.size() >= 3 && f.size() <= 5 && ErKvitteringsAfsnit(f[0]);
    for (size_t i = 1; ok && i < f.size(); ++i) ok = Tal(f[i], &v[i - 1]);
    if (!ok || v[0] < 1 || v[1] < 1 || v[1] > 255 || v[2] < 0 || v[3] < 0 || v[3] > 255)
      return fejl("refuse SECTION N CODE [A [B]]");
    a.afsnit = f[0], a.nr = v[0], a.kode = static_cast<int>(v[1]), a.a = v[2], a.b = v[3];
    s->afvis.push_back(a);
  } else if (ord == "section") {
    if (f.size() != 2 || f[0].empty() || f[0] == "@" || f[0] == "#") return fejl("section NAME FILE");
    s->afsnit.emplace_back(f[0][0] == '@' || f[0][0] == '#' ? f[0] : "@" + f[0], f[1]);
  } else if (ord == "fail") {
    if (!f.empty()) return fejl("fail takes nothing");
    s->fejl = true;
  } else if (ord == "full") {
    if (f.size() != 1) return fejl("full FILE");
    s->fuld = f[0];
  } else if (ord == "lock-date") {
    long d = 0;
    if (f.size() != 1 || !Tal(f[0], &d) || d < 19000101 || d > 29991231) return fejl("lock-date YYYYMMDD");
    s->lasdato = d;
  } else if (ord == "ring") {
    long id = 0;
    if (f.size() < 2 || !Tal(f[0], &id) || id <= 0) return fejl("ring ID HHMM-HHMM ...");
    std::vector<std::pair<long, long>> tider;
    for (size_t i = 1; i < f.size(); ++i) {
      const std::vector<std::string> t = Del(f[i], "-");
      long a = 0, b = 0;
      if (t.size() != 2 || !Tal(t[0], &a) || !Tal(t[1], &b) || a < 0 || b <= a || b > 2400)
        return fejl("ring ID HHMM-HHMM ...");
      tider.emplace_back(a, b);
    }
    s->ringe[id] = tider;
  } else {
    return 0;
  }
  return 1;
}

std::string SkrivTilstand(const CentralTilstand &t) {
  return std::to_string(t.naesteId) + " " + std::to_string(t.begivenheder) + " " + std::to_string(t.posteringer) +
         "\n";
}

CentralTilstand LaesTilstand(const std::string &tekst) {
  CentralTilstand t;
  const std::vector<std::string> f = Del(tekst.substr(0, tekst.find('\n')), " ");
  long v[3] = {};
  if (f.size() == 3 && Tal(f[0], &v[0]) && Tal(f[1], &v[1]) && Tal(f[2], &v[2]) && v[0] > 0 && v[1] >= 0 &&
      v[2] >= 0)
    t = {v[0], v[1], v[2]};
  return t;
}

std::string CentralSvar(const std::string &eksport, const CentralScript &s, CentralTilstand *t, time_t nu,
                        std::vector<std::string> *log) {
  if (!s.fuld.empty()) {
    std::string data;
    if (LaesHele(s.fuld, &data)) return data;
    log->push_back("kan ikke laese " + s.fuld);
  }
  std::istringstream ind(eksport);
  std::string linje;
  std::getline(ind, linje);
  if (!linje.empty() && linje.back() == '\r') linje.pop_back();
  const std::vector<std::string> hoved = Del(linje, ";");
  long fra = 0, til = 0;
  const bool laest = hoved.size() >= 6 && hoved[0].size() == 1 && std::string("KTS").find(hoved[0][0]) != std::string::npos &&
                     Tal(hoved[4], &fra) && Tal(hoved[5], &til);
  if (!laest) {
    // A job the central system cannot read has failed.
    log->push_back("ulaeseligt eksporthoved: " + linje.substr(0, 80));
    return "!FEJL\n";
  }
  Svar svar(s, t, nu, log);
  std::string afsnit;
  // A failed job takes nothing over.
  while (!s.fejl && std::getline(ind, linje)) {
    if (!linje.empty() && linje.back() == '\r') linje.pop_back();
    if (linje.empty()) continue;
    if (linje[0] == '@') {
      afsnit = linje.substr(1);
      continue;
    }
    svar.Linje(afsnit, linje);
  }
  std::string ud = "K;" + std::to_string(s.lasdato >= 0 ? s.lasdato : fra) + ";" + std::to_string(fra) + ";" +
                   std::to_string(til) + ";" + std::to_string(static_cast<long long>(nu)) + ";1;A;" +
                   std::to_string(t->begivenheder) + ";" + std::to_string(t->posteringer) + "\n";
  if (s.fejl) return ud + "!FEJL\n";
  ud += svar.Tekst();
  for (const auto &[hoved1, sti] : s.afsnit) {
    std::string data;
    if (!LaesHele(sti, &data)) {
      log->push_back("kan ikke laese " + sti);
      continue;
    }
    if (!data.empty() && data.back() != '\n') data += '\n';
    ud += hoved1 + "\n" + data;
  }
  return ud;
}

}  // namespace jobserver
