// The web calls of the main program.
#include "WEBKALD.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "INDSTIL.h"
#include "LOGFIL.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "windows.h"

char NyhedsDokAdresse[kNyhedsAdresseLaengde] = "";

namespace {

constexpr unsigned kAdresseLaengde = 512;
// No answer of these services comes near this; more is no answer of theirs.
constexpr size_t kStoersteSvar = 64 * 1024;
// A reply line of the connection data or the time postings.
constexpr size_t kStoersteLinje = 255;

constexpr DWORD kAabnFlag = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_SECURE |
                            INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTH;

struct AdrNavn {
  const char *noegle;
  const char *miljoe;
};
constexpr AdrNavn kAdrNavne[] = {
    {"tavoside", "TAVO_WEB_TAVOSIDE"}, {"tidspost", "TAVO_WEB_TIDSPOST"}, {"hjaelp", "TAVO_WEB_HJAELP"},
    {"portal", "TAVO_WEB_PORTAL"},     {"support", "TAVO_WEB_SUPPORT"},   {"supportport", "TAVO_WEB_SUPPORTPORT"},
    {"certifikat", "TAVO_WEB_CERTIFIKAT"},
};

bool LaesSkrivning() { return StiTab.laastOenske || GlobalIndstillinger.skemalaast; }

bool ErBlankEllerCitat(char c) { return static_cast<unsigned char>(c) <= ' ' || c == '"'; }

// Leading and trailing blanks, control characters and double quotes off.
std::string Trim(const std::string &t) {
  size_t a = 0, b = t.size();
  while (a < b && ErBlankEllerCitat(t[a])) ++a;
  while (b > a && ErBlankEllerCitat(t[b - 1])) --b;
  return t.substr(a, b - a);
}

// The lines of a reply, LF separated, a CR before the LF dropped.
std::vector<std::string> Linjer(const std::string &t) {
  std::vector<std::string> ud;
  size_t fra = 0;
  while (fra <= t.size()) {
    size_t slut = t.find('\n', fra);
    if (slut == std::string::npos) slut = t.size();
    std::string l = t.substr(fra, slut - fra);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    ud.push_back(l);
    fra = slut + 1;
  }
  return ud;
}

// An open request that answered 200, with its session; closed with it.
class Forespoergsel {
 public:
  ~Forespoergsel() {
    if (req_) InternetCloseHandle(req_);
    if (session_) InternetCloseHandle(session_);
  }
  // The common start of the GET calls against the address `tjek` (checked
  // for a connection) and the request `url`. `foerAabning` runs once the
  // session is open, before the address is opened.
  template <class F>
  bool Aabn(const char *kald, const char *agent, const char *tjek, const std::string &url, F foerAabning) {
    kald_ = kald;
    if (!*tjek) {
      LogPrintf("** Fejl: %s(): %s\n", kald, "Ingen webadresse sat op: ingen netforbindelse");
      return false;
    }
    char certifikat[kAdresseLaengde];
    LaesWebAdresse(WebAdr::Certifikat, certifikat, sizeof certifikat);
    tavo::SaetInternetCertifikater(certifikat);
    if (InternetAttemptConnect(0) != ERROR_SUCCESS) {
      LogPrintf("** Fejl: %s(): %s\n", kald, "Kunne ikke åbne netforbindelse!");
      return false;
    }
    if (!InternetCheckConnectionA(tjek, FLAG_ICC_FORCE_CONNECTION, 0)) {
      LogPrintf("** Fejl: %s(): %s%s!\n", kald, "Kunne ikke åbne netforbindelse til ", tjek);
      return false;
    }
    session_ = InternetOpenA(agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session_) {
      LogPrintf("** Fejl: %s(): Fejlnr: %d, ved åbning af %s\n", kald, static_cast<int>(GetLastError()),
                url.c_str());
      return false;
    }
    foerAabning();
    req_ = InternetOpenUrlA(session_, url.c_str(), nullptr, 0, kAabnFlag, 0);
    if (!req_) {
      LogPrintf("** Fejl: %s(): Fejlnr: %d, ved åbning af %s\n", kald, static_cast<int>(GetLastError()),
                url.c_str());
      return false;
    }
    char status[16] = "";
    DWORD l = sizeof status;
    if (!HttpQueryInfoA(req_, HTTP_QUERY_STATUS_CODE, status, &l, nullptr)) status[0] = '\0';
    if (std::strcmp(status, "200") != 0) {
      LogPrintf("** Fejl: %s(): Status %s fra %s\n", kald, status, url.c_str());
      return false;
    }
    return true;
  }
  bool Aabn(const char *kald, const char *agent, const char *tjek, const std::string &url) {
    return Aabn(kald, agent, tjek, url, [] {});
  }

  // The whole reply; a broken or over-long one is logged and gives false.
  bool Svar(std::string *svar) {
    if (LaesHeleSvaret(req_, svar, kStoersteSvar)) return true;
    LogPrintf("** Fejl: %s(): Svaret kunne ikke læses helt (fejlnr: %d)\n", kald_, static_cast<int>(GetLastError()));
    svar->clear();
    return false;
  }

 private:
  const char *kald_ = "";
  HINTERNET session_ = nullptr;
  HINTERNET req_ = nullptr;
};

// The leading integer of a token as atoi reads it, held to the int range
// instead of overflowing.
long long Heltal(const std::string &t) {
  const long long v = std::strtoll(t.c_str(), nullptr, 10);
  return std::clamp<long long>(v, INT32_MIN, INT32_MAX);
}

int Skolenr() { return static_cast<int>(GetPrivateProfileIntA("global", "skolenr", 0, StiTab.szini)); }

struct ForbindelsesFelt {
  const char *navn;
  char *buf;
  unsigned stoerrelse;
};

bool ErWebAdresse(const char *a) {
  return strncasecmp(a, "http://", 7) == 0 || strncasecmp(a, "https://", 8) == 0;
}

}  // namespace

void LaesWebAdresse(WebAdr hvilken, char *ud, unsigned stoerrelse) {
  if (!ud || !stoerrelse) return;
  ud[0] = '\0';
  const AdrNavn &n = kAdrNavne[static_cast<int>(hvilken)];
  const char *miljoe = std::getenv(n.miljoe);
  if (miljoe) {
    if (std::strlen(miljoe) < stoerrelse) std::strcpy(ud, miljoe);
    return;
  }
  char v[kAdresseLaengde];
  GetPrivateProfileStringA("web", n.noegle, "", v, sizeof v, StiTab.szini);
  const std::string t = Trim(v);
  if (t.size() < stoerrelse && t.size() < sizeof v - 1) std::strcpy(ud, t.c_str());
}

bool LaesHeleSvaret(HINTERNET request, std::string *svar, size_t stoerst) {
  svar->clear();
  DWORD tilgaengelig = 0;
  if (!InternetQueryDataAvailable(request, &tilgaengelig, 0, 0)) return false;
  std::vector<char> buf(std::max<DWORD>(tilgaengelig, 1));
  for (;;) {
    DWORD laest = 0;
    if (!InternetReadFile(request, buf.data(), static_cast<DWORD>(buf.size()), &laest)) return false;
    if (laest == 0) return true;
    if (svar->size() + laest > stoerst) return false;
    svar->append(buf.data(), laest);
  }
}

bool LaesNyhedsSvar(const std::string &tekst, char *dato, unsigned datoStoerrelse, char *adresse,
                    unsigned adresseStoerrelse) {
  if (dato && datoStoerrelse) dato[0] = '\0';
  if (adresse && adresseStoerrelse) adresse[0] = '\0';
  // The seconds since 1970 lead the reply; without them there is no date.
  size_t i = 0;
  while (i < tekst.size() && (tekst[i] == ' ' || tekst[i] == '\t')) ++i;
  if (i >= tekst.size() || !std::isdigit(static_cast<unsigned char>(tekst[i]))) {
    LogPrintf("** Fejl: WebNewsCheck(): Intet tidspunkt i svaret: %.80s\n", tekst.c_str());
    return false;
  }
  errno = 0;
  const long long sek = std::strtoll(tekst.c_str() + i, nullptr, 10);
  const time_t t = static_cast<time_t>(sek);
  tm lokal{};
  char tid[20];
  // The date text is "YYYYMMDD HH:MM": a time past the year 9999 has none.
  if (errno || !localtime_r(&t, &lokal) || lokal.tm_year + 1900 > 9999 ||
      !std::strftime(tid, sizeof tid, "%Y%m%d %H:%M", &lokal)) {
    LogPrintf("** Fejl: WebNewsCheck(): Intet tidspunkt i svaret: %.80s\n", tekst.c_str());
    return false;
  }
  std::string adr;
  const size_t http = tekst.find("http");
  if (http != std::string::npos) adr = Trim(tekst.substr(http));
  if (!dato || !adresse || adr.size() >= adresseStoerrelse || std::strlen(tid) >= datoStoerrelse) {
    LogPrintf("** Fejl: WebNewsCheck(): For lang værdi i svaret\n");
    return false;
  }
  std::strcpy(adresse, adr.c_str());
  std::strcpy(dato, tid);
  return true;
}

bool WebNewsCheck(char *svar, unsigned stoerrelse) {
  if (svar && stoerrelse) svar[0] = '\0';
  NyhedsDokAdresse[0] = '\0';
  char side[kAdresseLaengde];
  LaesWebAdresse(WebAdr::Tavoside, side, sizeof side);
  const std::string url = std::string(side) + "/tavoskema/newsdate.php";
  Forespoergsel f;
  if (!f.Aabn("WebNewsCheck", "WinInet", side, url, [&] {
        if (!LaesSkrivning()) WritePrivateProfileStringA("kontakt", "newsdocurl", url.c_str(), StiTab.szini);
      }))
    return false;
  std::string tekst;
  if (!f.Svar(&tekst)) return false;
  return LaesNyhedsSvar(tekst, svar, stoerrelse, NyhedsDokAdresse, sizeof NyhedsDokAdresse);
}

bool WebPortalCheck() {
  char portal[kAdresseLaengde];
  LaesWebAdresse(WebAdr::Portal, portal, sizeof portal);
  if (!*portal) return false;
  char adresse[kAdresseLaengde] = "";
  GetPrivateProfileStringA("kontakt", "rilmoplus", "", adresse, 500, StiTab.szini);
  const bool tom = !*adresse;
  if (tom) std::snprintf(adresse, sizeof adresse, "%s", portal);
  Forespoergsel f;
  return f.Aabn("WebPortalCheck", "WinInet", portal, adresse, [&] {
    // The default address goes into the file once the net answers; a
    // read-only run changes no setting.
    if (tom && !LaesSkrivning()) {
      WritePrivateProfileStringA("kontakt", "rilmoplus", portal, StiTab.szini);
      WritePrivateProfileStringA("kontakt", "webopslag", nullptr, StiTab.szini);
    }
  });
}

bool HentNyhedsdato() {
  char dato[20];
  if (!WebNewsCheck(dato, sizeof dato)) return false;
  if (!LaesSkrivning()) WritePrivateProfileStringA("tider", "nyheder", dato, StiTab.szini);
  return true;
}

bool LaesForbindelsesSvar(const std::string &svar, char easyserver[kJobserverNavnLaengde],
                          char database[kDatabaseLaengde], char autoserver[kAutoserverNavnLaengde],
                          char humanus[kAutoBrugerLaengde], char tessara[kAutoKodeLaengde]) {
  const ForbindelsesFelt felter[] = {{"easyserver", easyserver, kJobserverNavnLaengde},
                                     {"database", database, kDatabaseLaengde},
                                     {"autoserver", autoserver, kAutoserverNavnLaengde},
                                     {"humanus", humanus, kAutoBrugerLaengde},
                                     {"tessara", tessara, kAutoKodeLaengde}};
  for (const ForbindelsesFelt &f : felter)
    if (f.buf) f.buf[0] = '\0';
  const std::string tekst = Trim(svar);
  if (tekst.empty()) return false;

  // Taken into locals first: a bad line leaves every buffer empty.
  std::string vaerdier[5];
  bool fundet[5] = {};
  int antal = 0;
  for (const std::string &linje : Linjer(tekst)) {
    if (linje.size() > kStoersteLinje) {
      LogPrintf("** Fejl: WebConnectInfoCheck(): For lang linje i svaret: %.60s\n", linje.c_str());
      return false;
    }
    const size_t lig = linje.find('=');
    if (lig == std::string::npos || lig >= 50) continue;
    const std::string navn = linje.substr(0, lig);
    for (int k = 0; k < 5; ++k) {
      if (navn != felter[k].navn || !felter[k].buf) continue;
      const std::string v = Trim(linje.substr(lig + 1));
      if (v.size() >= felter[k].stoerrelse) {
        LogPrintf("** Fejl: WebConnectInfoCheck(): For lang værdi for %s\n", felter[k].navn);
        return false;
      }
      vaerdier[k] = v;
      fundet[k] = true;
      ++antal;
    }
  }
  for (int k = 0; k < 5; ++k)
    if (fundet[k]) std::strcpy(felter[k].buf, vaerdier[k].c_str());
  return antal > 0;
}

bool WebConnectInfoCheck(char easyserver[kJobserverNavnLaengde], char database[kDatabaseLaengde],
                         char autoserver[kAutoserverNavnLaengde], char humanus[kAutoBrugerLaengde],
                         char tessara[kAutoKodeLaengde]) {
  for (char *b : {easyserver, database, autoserver, humanus, tessara})
    if (b) b[0] = '\0';

  char side[kAdresseLaengde];
  LaesWebAdresse(WebAdr::Tavoside, side, sizeof side);
  char url[kAdresseLaengde + 64];
  std::snprintf(url, sizeof url, "%s?skolenr=%i", (std::string(side) + "/tavoskema/serverkontakt.php").c_str(),
                Skolenr());
  Forespoergsel f;
  if (!f.Aabn("WebConnectInfoCheck", "Connect info", side, url)) return false;
  std::string tekst;
  if (!f.Svar(&tekst)) return false;
  return LaesForbindelsesSvar(tekst, easyserver, database, autoserver, humanus, tessara);
}

bool LaesTidspostSvar(const std::string &svar, TidspostRec *poster, unsigned antal) {
  const std::string tekst = Trim(svar);
  if (tekst.empty() || tekst[0] != '0') {
    LogPrintf("** Fejl: WebConnectTidspostCheck(): Kunne ikke hente tidspost: %.200s\n", tekst.c_str());
    return false;
  }
  const std::vector<std::string> linjer = Linjer(tekst);
  // Parsed whole before the caller's records are touched.
  struct Post {
    TidspostRec r;
    bool medVaerdi;
  };
  std::vector<Post> nye;
  for (const std::string &linje : linjer)
    if (linje.size() > kStoersteLinje) {
      LogPrintf("** Fejl: WebConnectTidspostCheck(): For lang linje i svaret: %.60s\n", linje.c_str());
      return false;
    }
  for (size_t n = 1; n < linjer.size(); ++n) {
    const std::string &linje = linjer[n];
    std::vector<std::string> ord;
    for (size_t p = 0; p < linje.size();) {
      while (p < linje.size() && (linje[p] == ' ' || linje[p] == '\t')) ++p;
      const size_t s = p;
      while (p < linje.size() && linje[p] != ' ' && linje[p] != '\t') ++p;
      if (p > s) ord.push_back(linje.substr(s, p - s));
    }
    if (ord.empty()) continue;
    Post post{};
    post.r.Tal = static_cast<uint32_t>(Heltal(ord[0]));
    if (ord.size() > 1) {
      if (ord[1][0] == '-') {
        post.r.Fortegn = '-';
      } else {
        post.r.Fortegn = '+';
        post.r.Vaerdi = static_cast<uint32_t>(Heltal(ord[1]));
        post.medVaerdi = true;
      }
    }
    if (ord.size() > 2) post.r.Stoerrelse = static_cast<uint32_t>(std::llabs(Heltal(ord[2])));
    nye.push_back(post);
  }
  // The array is filled up to its end; a long history must not cost the
  // employee every posting.
  const unsigned plads = poster ? antal : 0;
  if (nye.size() > plads) {
    LogPrintf("** Info: WebConnectTidspostCheck(): %u af %u tidsposter i svaret udeladt, plads til %u\n",
              static_cast<unsigned>(nye.size() - plads), static_cast<unsigned>(nye.size()), plads);
    nye.resize(plads);
  }
  for (size_t i = 0; i < nye.size(); ++i) {
    TidspostRec &r = poster[i];
    r.Tal = nye[i].r.Tal;
    r.Fortegn = nye[i].r.Fortegn;
    if (nye[i].medVaerdi) r.Vaerdi = nye[i].r.Vaerdi;
    r.Stoerrelse = nye[i].r.Stoerrelse;
  }
  return true;
}

int WebConnectTidspostCheck(int meda_id, int fradato, int tildato, TidspostRec *poster, unsigned antal,
                            char *status) {
  if (status) *status = 0;
  char hub[kAdresseLaengde];
  LaesWebAdresse(WebAdr::Tidspost, hub, sizeof hub);
  char url[kAdresseLaengde + 128];
  std::snprintf(url, sizeof url, "%s/bin/tavo-tipo-slut-periode?skolenr=%i&meda_id=%i&fradato=%i&tildato=%i", hub,
                Skolenr(), meda_id, fradato, tildato);
  Forespoergsel f;
  if (!f.Aabn("WebConnectTidspostCheck", "Check tidspost", hub, url)) return 0;
  std::string tekst;
  if (!f.Svar(&tekst)) return 0;
  if (LaesTidspostSvar(tekst, poster, antal) && status) *status = '0';
  return 0;
}

void VisOnlineHjaelp(HWND hwnd) {
  char side[kAdresseLaengde];
  LaesWebAdresse(WebAdr::Hjaelp, side, sizeof side);
  if (!side[0]) {
    LogPrintf("** Fejl: VisOnlineHjaelp(): %s\n", "Ingen webadresse sat op: ingen netforbindelse");
    return;
  }
  const std::string url = std::string(side) + "/Home?gu.topicID%5B%5D=43";
  ShellExecuteA(hwnd, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void VisNyheder() {
  if (!nyeNyheder || !GlobalIndstillinger.checktavonews || !NyhedsDokAdresse[0]) return;
  // The address came from the server: only a web page is opened, never a
  // file or program it might name.
  if (!ErWebAdresse(NyhedsDokAdresse)) {
    LogPrintf("** Fejl: VisNyheder(): Ikke en webadresse: %.80s\n", NyhedsDokAdresse);
    return;
  }
  ShellExecuteA(hwndHoved, "open", NyhedsDokAdresse, nullptr, nullptr, SW_SHOWNORMAL);
}

bool HentNyhedsAdresse(char *svar, unsigned stoerrelse) {
  if (!svar || stoerrelse == 0 || !NyhedsDokAdresse[0]) return false;
  // The address came from the server: only a web page is handed on.
  if (!ErWebAdresse(NyhedsDokAdresse)) {
    LogPrintf("** Fejl: HentNyhedsAdresse(): Ikke en webadresse: %.80s\n", NyhedsDokAdresse);
    return false;
  }
  return std::snprintf(svar, stoerrelse, "%s", NyhedsDokAdresse) < static_cast<int>(stoerrelse);
}

