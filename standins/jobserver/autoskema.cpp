// The stand-in's timetabling module: it checks that an AutoSkema job's
// document is JSON and, without a scripted answer, places each plan
// event's lessons of the week in the first lessons of Monday to Friday that
// its teachers have free, one lesson a day. Its JSON reading is its own.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "jobserver.h"

namespace jobserver {
namespace {

struct V {
  enum T { Null, Bool, Tal, Tekst, Liste, Objekt } t = Null;
  std::string s;  // a number's or a text's characters (escapes kept)
  std::vector<V> a;
  std::vector<std::pair<std::string, V>> o;

  const V *operator[](const char *navn) const {
    for (const auto &[n, v] : o)
      if (n == navn) return &v;
    return nullptr;
  }
  long Heltal() const { return t == Tal || t == Tekst ? strtol(s.c_str(), nullptr, 10) : 0; }
};

class Laeser {
 public:
  explicit Laeser(const std::string &s) : s_(s) {}
  bool Dokument(V *v, std::string *grund) {
    Blank();
    if (!Vaerdi(v, 0)) {
      *grund = fejl_.empty() ? "ugyldigt JSON" : fejl_;
      return false;
    }
    Blank();
    if (p_ != s_.size()) {
      *grund = "tegn efter dokumentet ved " + std::to_string(p_);
      return false;
    }
    return true;
  }

 private:
  void Blank() {
    while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\n' || s_[p_] == '\r' || s_[p_] == '\t')) ++p_;
  }
  bool Fejl(const char *hvad) {
    if (fejl_.empty()) fejl_ = std::string(hvad) + " ved " + std::to_string(p_);
    return false;
  }
  bool Tekst(std::string *ud) {
    if (p_ >= s_.size() || s_[p_] != '"') return Fejl("tekst ventet");
    ++p_;
    while (p_ < s_.size() && s_[p_] != '"') {
      const unsigned char c = static_cast<unsigned char>(s_[p_]);
      if (c < 0x20) return Fejl("styretegn i tekst");
      if (c == '\\') {
        if (p_ + 1 >= s_.size()) return Fejl("afbrudt tekst");
        const char e = s_[p_ + 1];
        if (e == 'u') {
          for (size_t k = 2; k < 6; ++k)
            if (p_ + k >= s_.size() || !isxdigit(static_cast<unsigned char>(s_[p_ + k])))
              return Fejl("forkert \\u");
          ud->append(s_, p_, 6);
          p_ += 6;
          continue;
        }
        if (std::string("\"\\/bfnrt").find(e) == std::string::npos) return Fejl("forkert escape");
        ud->append(s_, p_, 2);
        p_ += 2;
        continue;
      }
      *ud += static_cast<char>(c);
      ++p_;
    }
    if (p_ >= s_.size()) return Fejl("afbrudt tekst");
    ++p_;
    return true;
  }
  bool Vaerdi(V *v, int dybde) {
    if (dybde > 64) return Fejl("for dybt");
    if (p_ >= s_.size()) return Fejl("dokumentet slutter");
    const char c = s_[p_];
    if (c == '{') {
      v->t = V::Objekt;
      ++p_;
      Blank();
      if (p_ < s_.size() && s_[p_] == '}') return ++p_, true;
      for (;;) {
        Blank();
        std::string navn;
        if (!Tekst(&navn)) return false;
        Blank();
        if (p_ >= s_.size() || s_[p_] != ':') return Fejl("kolon ventet");
        ++p_;
        Blank();
        V m;
        if (!Vaerdi(&m, dybde + 1)) return false;
        v->o.emplace_back(std::move(navn), std::move(m));
        Blank();
        if (p_ < s_.size() && s_[p_] == ',') {
          ++p_;
          continue;
        }
        if (p_ < s_.size() && s_[p_] == '}') return ++p_, true;
        return Fejl("komma eller } ventet");
      }
    }
    if (c == '[') {
      v->t = V::Liste;
      ++p_;
      Blank();
      if (p_ < s_.size() && s_[p_] == ']') return ++p_, true;
      for (;;) {
        Blank();
        V e;
        if (!Vaerdi(&e, dybde + 1)) return false;
        v->a.push_back(std::move(e));
        Blank();
        if (p_ < s_.size() && s_[p_] == ',') {
          ++p_;
          continue;
        }
        if (p_ < s_.size() && s_[p_] == ']') return ++p_, true;
        return Fejl("komma eller ] ventet");
      }
    }
    if (c == '"') {
      v->t = V::Tekst;
      return Tekst(&v->s);
    }
    for (const char *ord : {"true", "false", "null"})
      if (s_.compare(p_, strlen(ord), ord) == 0) {
        v->t = ord[0] == 'n' ? V::Null : V::Bool;
        v->s = ord;
        p_ += strlen(ord);
        return true;
      }
    const size_t fra = p_;
    if (p_ < s_.size() && s_[p_] == '-') ++p_;
    size_t cifre = 0;
    while (p_ < s_.size() && (isdigit(static_cast<unsigned char>(s_[p_])) || s_[p_] == '.' || s_[p_] == 'e' ||
                              s_[p_] == 'E' || s_[p_] == '+' || (s_[p_] == '-' && p_ > fra)))
      ++p_, ++cifre;
    if (cifre == 0) return Fejl("værdi ventet");
    v->t = V::Tal;
    v->s = s_.substr(fra, p_ - fra);
    return true;
  }

  const std::string &s_;
  size_t p_ = 0;
  std::string fejl_;
};

// The date of a weekday (1 Monday) of an ISO week YYYYWW, as YYYYMMDD.
long UgeDag(long uge, int dag) {
  const int aar = static_cast<int>(uge / 100), nr = static_cast<int>(uge % 100);
  std::tm t{};
  t.tm_year = aar - 1900;
  t.tm_mon = 0;
  t.tm_mday = 4;  // 4 January lies in week 1
  t.tm_hour = 12;
  timegm(&t);
  const int ugedag = t.tm_wday == 0 ? 7 : t.tm_wday;
  t.tm_mday += (nr - 1) * 7 + (dag - ugedag);
  timegm(&t);
  return (t.tm_year + 1900) * 10000L + (t.tm_mon + 1) * 100L + t.tm_mday;
}

std::string Tal(long n) { return std::to_string(n); }

}  // namespace

bool AutoSkemaGyldig(const std::string &dokument, std::string *grund) {
  V v;
  return Laeser(dokument).Dokument(&v, grund);
}

std::string AutoSkemaSvar(const std::string &dokument) {
  V d;
  std::string grund;
  if (!Laeser(dokument).Dokument(&d, &grund))
    return "{\"skema_fundet\":false,\"fejlmeddelelser\":[\"" + grund + "\"]}\n";
  const V *param = d["parametre"];
  const long uge = param && (*param)["ugenr"] ? (*param)["ugenr"]->Heltal() : 0;

  // Busy lessons of each teacher: (employment, day, lesson).
  std::set<std::tuple<long, int, long>> optaget;
  std::map<long, int> dagAf;  // date -> weekday
  for (int dag = 1; dag <= 7; ++dag) dagAf[UgeDag(uge, dag)] = dag;
  if (const V *beg = d["skemabegivenheder"])
    for (const V &b : beg->a) {
      const int dag = b["dato"] ? dagAf[b["dato"]->Heltal()] : 0;
      const long lektion = b["lektion"] ? b["lektion"]->Heltal() : 0;
      if (const V *u = b["undervisere"])
        for (const V &x : u->a)
          if (const V *a = x["anfo_id"]) optaget.insert({a->Heltal(), dag, lektion});
    }
  // The lesson times of each ring system, and each activity's ring system
  // and first room.
  std::map<long, std::vector<std::pair<long, long>>> ringe;
  if (const V *r = d["ringetider"])
    for (const V &x : r->a)
      if (const V *l = x["lektioner"])
        for (const V &y : l->a)
          ringe[x["risy_id"] ? x["risy_id"]->Heltal() : 0].push_back(
              {y["starttid"] ? y["starttid"]->Heltal() : 0, y["sluttid"] ? y["sluttid"]->Heltal() : 0});
  std::map<long, long> aktiRing, aktiLokale;
  if (const V *a = d["aktiviteter"])
    for (const V &x : a->a)
      if (x["akti_id"] && x["risy_id"]) aktiRing[x["akti_id"]->Heltal()] = x["risy_id"]->Heltal();
  if (const V *a = d["aktivitet_lokale"])
    for (const V &x : a->a)
      if (const V *l = x["lokaler"]; x["akti_id"] && l && !l->a.empty() && l->a[0]["loka_id"])
        aktiLokale.emplace(x["akti_id"]->Heltal(), l->a[0]["loka_id"]->Heltal());

  std::string placerede, ikke;
  long id = 0;
  if (const V *plan = d["planbegivenheder"])
    for (const V &p : plan->a) {
      const long akti = p["akti_id"] ? p["akti_id"]->Heltal() : 0;
      const long skfa = p["skfa_id"] ? p["skfa_id"]->Heltal() : 0;
      std::vector<long> laerere;
      if (const V *u = p["undervisere"])
        for (const V &x : u->a)
          if (const V *a = x["anfo_id"]) laerere.push_back(a->Heltal());
      long lektioner = 0;
      if (const V *u = p["uger"])
        for (const V &x : u->a)
          if (x["ugenr"] && x["ugenr"]->Heltal() == uge && x["lektioner"]) lektioner += x["lektioner"]->Heltal();
      const auto &ring = ringe[aktiRing[akti]];
      long rest = lektioner;
      for (int dag = 1; dag <= 5 && rest > 0; ++dag)
        for (size_t l = 0; l < ring.size(); ++l) {
          bool fri = true;
          for (long a : laerere) fri = fri && !optaget.count({a, dag, long(l + 1)});
          if (!fri) continue;
          for (long a : laerere) optaget.insert({a, dag, long(l + 1)});
          std::string und;
          for (long a : laerere) und += (und.empty() ? "" : ",") + std::string("{\"anfo_id\":") + Tal(a) + "}";
          const auto lok = aktiLokale.find(akti);
          placerede += std::string(placerede.empty() ? "\n" : ",\n") + "{\"skemabeg_id\":" + Tal(++id) +
                       ",\"dato\":" + Tal(UgeDag(uge, dag)) + ",\"lektion\":" + Tal(long(l + 1)) +
                       ",\"start\":" + Tal(ring[l].first) + ",\"slut\":" + Tal(ring[l].second) +
                       ",\"risy_id\":" + Tal(aktiRing[akti]) + ",\"skfa_id\":" + Tal(skfa) + ",\"akti\":[" +
                       Tal(akti) + "],\"undervisere\":[" + und + "],\"loka\":[" +
                       (lok != aktiLokale.end() ? Tal(lok->second) : "") + "]}";
          --rest;
          break;
        }
      if (rest > 0) {
        std::string und;
        for (long a : laerere) und += (und.empty() ? "" : ",") + std::string("{\"anfo_id\":") + Tal(a) + "}";
        ikke += std::string(ikke.empty() ? "\n" : ",\n") + "{\"akti_id\":" + Tal(akti) + ",\"skfa_id\":" +
                Tal(skfa) + ",\"undervisere\":[" + und + "],\"uger\":[{\"ugenr\":" + Tal(uge) +
                ",\"lektioner\":" + Tal(rest) + "}]}";
      }
    }
  return "{\"skema_fundet\":true,\n\"skemabegivenheder\":[" + placerede + "],\n\"ikke_placerede_planbegivenheder\":[" +
         ikke + "]}\n";
}

}  // namespace jobserver
