// The simulated Elevplan: loads the state folder, works through the
// request's sections in order and writes the state back once.
#include "simulering.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <vector>

namespace elevplansim {

namespace {

using Linje = std::vector<std::string>;
using Tabel = std::vector<Linje>;

constexpr const char *kTabeller[] = {"tg", "pp", "la", "lap", "elev", "ev"};
// Fields sent per table; ev keeps its inactive mark beyond them.
const std::map<std::string, size_t> kFelter = {{"tg", 10}, {"pp", 5}, {"la", 6},
                                               {"lap", 5}, {"elev", 9}, {"ev", 9}};
// Elevplan's own ids: copies below this, enrolments at or below the next.
constexpr long kKopiIdUnder = 10000000;
constexpr long kTilmeldingIdMax = 200000000;

Linje Del(const std::string &l) {
  Linje f;
  size_t a = 0;
  for (;;) {
    const size_t b = l.find(';', a);
    f.push_back(l.substr(a, b == std::string::npos ? std::string::npos : b - a));
    if (b == std::string::npos) break;
    a = b + 1;
  }
  return f;
}

std::string Saml(const Linje &f, size_t antal) {
  std::string s;
  for (size_t i = 0; i < antal; ++i) {
    if (i) s += ';';
    if (i < f.size()) s += f[i];
  }
  return s;
}

std::vector<std::string> Linjer(const std::string &tekst) {
  std::vector<std::string> ud;
  std::istringstream in(tekst);
  std::string l;
  while (std::getline(in, l)) {
    while (!l.empty() && (l.back() == '\r' || l.back() == ' ')) l.pop_back();
    ud.push_back(l);
  }
  return ud;
}

long Tal(const std::string &s) { return atol(s.c_str()); }

struct Tilstand {
  std::string mappe;
  std::map<std::string, Tabel> t;

  void Laes() {
    for (const char *navn : kTabeller) {
      std::ifstream in(mappe + "/" + navn, std::ios::binary);
      std::ostringstream o;
      o << in.rdbuf();
      for (const std::string &l : Linjer(o.str()))
        if (!l.empty()) t[navn].push_back(Del(l));
    }
  }
  void Skriv() const {
    for (const char *navn : kTabeller) {
      std::ofstream ud(mappe + "/" + navn, std::ios::binary | std::ios::trunc);
      const auto it = t.find(navn);
      if (it == t.end()) continue;
      for (const Linje &f : it->second) ud << Saml(f, f.size()) << "\n";
    }
  }
  Linje *Find(const std::string &tabel, long id) {
    for (Linje &f : t[tabel])
      if (!f.empty() && Tal(f[0]) == id) return &f;
    return nullptr;
  }
  long NytId(const std::string &tabel, long under) {
    long hoejst = 0;
    for (const Linje &f : t[tabel])
      if (!f.empty() && Tal(f[0]) < under) hoejst = std::max(hoejst, Tal(f[0]));
    return hoejst + 1;
  }
};

struct Svar {
  std::string fejl;
  std::string tekst;
  // A section of answer lines, each cut by one field under the fault.
  void Sektion(const std::string &navn, const std::vector<Linje> &linjer, size_t felter) {
    tekst += "@" + navn + "\n";
    for (const Linje &l : linjer) tekst += Saml(l, fejl == "feltantal" ? felter - 1 : felter) + "\n";
  }
};

// The table sections of the groups, in the import's order: groups first.
void TabelSvar(Tilstand &s, Svar &svar, const std::set<long> &grupper, bool kunGrupper) {
  for (const char *navn : kTabeller) {
    if (kunGrupper && std::string(navn) != "tg") break;
    const size_t felter = kFelter.at(navn);
    std::string sektion = std::string("@") + navn + "\n";
    if (std::string(navn) == "elev" && svar.fejl == "fejlblok")
      sektion += "** Fejl ved hentning af elever\nElevplan svarede ikke i tide\n**\n";
    for (const Linje &f : s.t[navn]) {
      const long g = Tal(std::string(navn) == "tg" ? f[0] : (f.size() > 1 ? f[1] : ""));
      if (!grupper.count(g)) continue;
      Linje ud = f;
      if (std::string(navn) == "lap" && svar.fejl == "langlap" && ud.size() > 4) ud[4] = "999";
      sektion += Saml(ud, felter) + "\n";
    }
    svar.tekst += sektion;
  }
}

std::set<long> GrupperIPeriode(Tilstand &s, long fra, long til) {
  std::set<long> ud;
  for (const Linje &f : s.t["tg"])
    if (f.size() > 5 && Tal(f[5]) >= fra && Tal(f[4]) <= til) ud.insert(Tal(f[0]));
  return ud;
}

// "<head> #<n>": the head's family in its group gets the next number.
std::string KopiNavn(Tilstand &s, const Linje &hoved) {
  const std::string stamme = hoved[2] + " #";
  long hoejst = 1;
  for (const Linje &f : s.t["la"])
    if (f.size() > 2 && f[1] == hoved[1] && f[2].rfind(stamme, 0) == 0)
      hoejst = std::max(hoejst, Tal(f[2].substr(stamme.size())));
  return stamme + std::to_string(hoejst + 1);
}

}  // namespace

std::string Besvar(const std::string &mappe, const std::string &anmodning, const std::string &fejl) {
  Tilstand s;
  s.mappe = mappe;
  s.Laes();
  Svar svar;
  svar.fejl = fejl;

  // The request's sections with their lines.
  std::vector<std::pair<std::string, std::vector<std::string>>> sektioner;
  for (const std::string &l : Linjer(anmodning)) {
    if (!l.empty() && l[0] == '@')
      sektioner.push_back({l.substr(1), {}});
    else if (!sektioner.empty() && !l.empty())
      sektioner.back().second.push_back(l);
  }

  bool kopiSprunget = false;
  for (auto &[navn, linjer] : sektioner) {
    std::vector<Linje> ud;
    if (navn == "KopierAktivitet") {
      for (const std::string &l : linjer) {
        if (fejl == "kopiuden" && !kopiSprunget) {
          kopiSprunget = true;
          continue;
        }
        const Linje *hoved = s.Find("la", Tal(l));
        if (hoved == nullptr || hoved->size() < 6) {
          ud.push_back({"0", "", "", "", "", "", "Aktiviteten " + l + " findes ikke"});
          continue;
        }
        Linje kopi = *hoved;
        kopi[0] = std::to_string(s.NytId("la", kKopiIdUnder));
        kopi[2] = KopiNavn(s, *hoved);
        s.t["la"].push_back(kopi);
        ud.push_back({kopi[0], kopi[2], kopi[1], kopi[3], kopi[4], kopi[5], "OK"});
      }
      svar.Sektion(navn, ud, 7);
    } else if (navn == "NyTilmelding") {
      for (const std::string &l : linjer) {
        const Linje f = Del(l);
        if (f.size() < 5) continue;
        const Linje *la = s.Find("la", Tal(f[1]));
        if (s.Find("elev", Tal(f[0])) == nullptr || la == nullptr) {
          ud.push_back({"0", la ? "Eleven findes ikke" : "Aktiviteten findes ikke", f[0], f[1], f[2], f[3], f[4]});
          continue;
        }
        const std::string id = std::to_string(s.NytId("ev", kTilmeldingIdMax + 1));
        s.t["ev"].push_back({id, (*la)[1], f[0], f[1], f[4], f[2], f[3], "", ""});
        ud.push_back({id, "OK", f[0], f[1], f[2], f[3], f[4]});
      }
      svar.Sektion(navn, ud, 7);
    } else if (navn == "RedigerAktivitet") {
      for (const std::string &l : linjer) {
        const Linje f = Del(l);
        if (Linje *la = f.size() > 2 ? s.Find("la", Tal(f[0])) : nullptr) {
          (*la)[3] = f[1];
          (*la)[4] = f[2];
        }
      }
    } else if (navn == "AccepterTilmelding" || navn == "AfvisTilmelding" || navn == "SletTilmelding") {
      for (const std::string &l : linjer) {
        Linje *ev = s.Find("ev", Tal(l));
        std::string resultat = "OK";
        if (ev == nullptr) {
          resultat = "Tilmeldingen findes ikke";
        } else if (ev->size() > 9 && (*ev)[9] == "inaktiv") {
          resultat = "Tilmeldingen er inaktiv";
        } else if (navn == "SletTilmelding") {
          s.t["ev"].erase(s.t["ev"].begin() + (ev - s.t["ev"].data()));
        } else {
          ev->resize(std::max<size_t>(ev->size(), 9));
          (*ev)[7] = navn == "AccepterTilmelding" ? "J" : "N";
        }
        ud.push_back({l, resultat});
      }
      svar.Sektion(navn, ud, 2);
    } else if (navn == "TilmeldingsgruppeSystemID") {
      if (linjer.size() >= 2)
        if (Linje *tg = s.Find("tg", Tal(linjer[1]))) {
          tg->resize(std::max<size_t>(tg->size(), 10));
          (*tg)[9] = linjer[0];
        }
    } else if (navn == "HentAlleTilmeldingsgrupper" || navn == "HentAlt") {
      if (linjer.size() >= 2)
        TabelSvar(s, svar, GrupperIPeriode(s, Tal(linjer[0]), Tal(linjer[1])), navn != "HentAlt");
    } else if (navn == "HentTilmeldingsgruppe") {
      if (!linjer.empty()) TabelSvar(s, svar, {Tal(linjer[0])}, false);
    }
  }
  s.Skriv();
  return svar.tekst;
}

}  // namespace elevplansim
