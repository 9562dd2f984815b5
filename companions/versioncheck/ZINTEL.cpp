// The version check. Everything it learns reaches the main program through
// the exit code and ini\tavo.ini, so every path ends by writing [flag] zintel.

#include "ZINTEL.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "LOGFIL.h"
#include "MENUHJAELP.h"
#include "OPDHENT.h"
#include "STITAB.h"

char ZintelProgMappe[kZintelMappe];
char ZintelDataMappe[kZintelMappe];
int ZintelVersion;
char ZintelIni[2 * kZintelMappe];
char ZintelAdresse[512];
const char kZintelSti[] = "/tavoskema/opd/pc";

namespace {

// A version's files are small texts; anything past this is no answer of
// the update server, and is refused rather than held in memory.
constexpr size_t kStoersteKrop = 4u << 20;


void SkrivNoegle(const char *sektion, const char *noegle, const char *vaerdi) {
  WritePrivateProfileStringA(sektion, noegle, vaerdi, ZintelIni);
}

void SlutZintel() { SkrivNoegle("flag", "zintel", "0"); }

// One wide argument back to a Windows-1252 buffer of the folder size.
void TilAnsi(LPCWSTR ord, char *buf) {
  buf[0] = '\0';
  if (WideCharToMultiByte(CP_ACP, 0, ord, -1, buf, kZintelMappe, nullptr, nullptr) == 0) buf[0] = '\0';
  buf[kZintelMappe - 1] = '\0';
}

// A folder that cannot take its trailing backslash is no folder this
// program can form paths in: it is dropped rather than used without it.
void TrimOgAfslut(char *mappe) {
  TrimTekst(mappe);
  const size_t n = std::strlen(mappe);
  if (n <= 1 || mappe[n - 1] == '\\') return;
  if (n + 1 >= kZintelMappe) {
    mappe[0] = '\0';
    return;
  }
  mappe[n] = '\\';
  mappe[n + 1] = '\0';
}

void LaesSetting(const char *miljoe, const char *noegle, char *ud, size_t stoerrelse) {
  ud[0] = '\0';
  if (const char *v = std::getenv(miljoe)) {
    if (std::strlen(v) < stoerrelse) std::strcpy(ud, v);
    return;
  }
  GetPrivateProfileStringA("web", noegle, "", ud, static_cast<DWORD>(stoerrelse), ZintelIni);
  TrimTekst(ud);
}

// A version number: leading digits that fit the field; 0 for none.
unsigned LaesVersion(const std::string &linje) {
  if (linje.empty() || linje[0] < '0' || linje[0] > '9') return 0;
  errno = 0;
  const unsigned long v = std::strtoul(linje.c_str(), nullptr, 10);
  if (errno == ERANGE || v > static_cast<unsigned long>(INT_MAX)) return 0;
  return static_cast<unsigned>(v);
}

std::string Url(const char *fil) { return std::string(ZintelAdresse) + kZintelSti + fil; }
std::string Url(unsigned n, const char *fil) { return ZintelUrl(n, fil); }

// Host and port of the base address, as the connection handle needs them.
bool Vaert(const char *url, std::string *vaert, INTERNET_PORT *port) {
  const char *p = std::strstr(url, "://");
  if (!p) return false;
  p += 3;
  const char *slut = p + std::strcspn(p, "/?#");
  std::string hv(p, slut);
  *port = INTERNET_DEFAULT_HTTPS_PORT;
  if (const size_t k = hv.rfind(':'); k != std::string::npos && hv.find(']') == std::string::npos) {
    *port = static_cast<INTERNET_PORT>(std::atoi(hv.c_str() + k + 1));
    hv.resize(k);
  }
  *vaert = hv;
  return !hv.empty();
}

}  // namespace

int (*ZintelHentVersion)(HINTERNET internet, unsigned n) = ZintelHentFiler;

std::string ZintelUrl(unsigned n, const char *fil) {
  return std::string(ZintelAdresse) + kZintelSti + "/" + std::to_string(n) + fil;
}

ZintelLaesning ZintelLaesKrop(HINTERNET r, const std::function<bool(const char *, DWORD)> &ud) {
  std::vector<char> buf;
  for (;;) {
    DWORD tilgaengelig = 0;
    if (!InternetQueryDataAvailable(r, &tilgaengelig, 0, 0)) return ZintelLaesning::Afbrudt;
    buf.resize(std::max<DWORD>(tilgaengelig, 1));
    DWORD laest = 0;
    if (!InternetReadFile(r, buf.data(), static_cast<DWORD>(buf.size()), &laest)) return ZintelLaesning::Afbrudt;
    if (laest == 0) return ZintelLaesning::Hel;
    if (!ud(buf.data(), laest)) return ZintelLaesning::Afvist;
  }
}

ZintelSvar ZintelHent(HINTERNET internet, const std::string &url) {
  ZintelSvar s;
  HINTERNET r = InternetOpenUrlA(internet, url.c_str(), nullptr, 0, kZintelAnmodningsFlag, 0);
  if (!r) return s;
  DWORD laengde = sizeof s.status;
  if (!HttpQueryInfoA(r, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &s.status, &laengde, nullptr)) s.status = 0;
  if (s.status != 200) {
    s.udfald = ZintelUdfald::Status;
    InternetCloseHandle(r);
    return s;
  }
  const ZintelLaesning l = ZintelLaesKrop(r, [&s](const char *stykke, DWORD n) {
    if (s.krop.size() + n > kStoersteKrop) return false;
    s.krop.append(stykke, n);
    return true;
  });
  InternetCloseHandle(r);
  s.udfald = l == ZintelLaesning::Hel ? ZintelUdfald::Ok
             : l == ZintelLaesning::Afvist ? ZintelUdfald::ForStor
                                          : ZintelUdfald::IkkeAabnet;
  return s;
}

std::vector<std::string> ZintelLinjer(const std::string &krop) {
  std::vector<std::string> ud;
  size_t fra = 0;
  while (fra <= krop.size()) {
    size_t til = krop.find('\n', fra);
    if (til == std::string::npos) til = krop.size();
    if (til > fra) {
      std::string l = krop.substr(fra, til - fra);
      std::vector<char> b(l.begin(), l.end());
      b.push_back('\0');
      FjernBlanke(b.data());
      TrimTekst(b.data());
      ud.emplace_back(b.data());
    }
    fra = til + 1;
  }
  return ud;
}

unsigned ZintelNaesteVersion(const std::string &versionTxt, int koerende) {
  unsigned n = 0;
  for (const std::string &l : ZintelLinjer(versionTxt)) {
    const unsigned v = LaesVersion(l);
    if (v == 0) continue;
    if (koerende > 0 && v <= static_cast<unsigned>(koerende)) continue;
    if (n == 0 || v < n) n = v;
  }
  return n;
}

int ZintelSkoleListe(const std::string &opdskoler, const char *server, const char *skolenr) {
  const std::vector<std::string> linjer = ZintelLinjer(opdskoler);
  if (!linjer.empty() && linjer[0] == "*") return 1;
  for (const std::string &l : linjer)
    if (l == server || l == skolenr) return 1;
  return 0;
}

void TrimTekst(char *tekst) {
  if (!tekst) return;
  const auto blank = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
  };
  size_t n = std::strlen(tekst);
  while (n > 0 && blank(tekst[n - 1])) tekst[--n] = '\0';
  size_t fra = 0;
  while (fra < n && blank(tekst[fra])) ++fra;
  if (fra) std::memmove(tekst, tekst + fra, n - fra + 1);
}

void FjernBlanke(char *tekst) {
  if (!tekst) return;
  char *ud = tekst;
  for (const char *p = tekst; *p; ++p)
    if (*p != ' ') *ud++ = *p;
  *ud = '\0';
}

int DageMellem(Dato a, Dato b) {
  const int32_t d = DatoTilAbsDag(a) - DatoTilAbsDag(b);
  return d > 0 ? d : 0;
}

Dato DatoPlusDage(Dato d, int n) {
  const uint32_t nr = DatoTilDagNr(d);
  if (nr == 0) return d;
  return DagNrTilDato(nr + static_cast<uint32_t>(n));
}

void VersionCommandLine(const char *linje, char *programMappe, char *dataMappe, int *version) {
  programMappe[0] = '\0';
  dataMappe[0] = '\0';
  *version = 0;
  WCHAR bred[1040];
  if (MultiByteToWideChar(CP_ACP, 0, linje ? linje : "", -1, bred, 1039) == 0) bred[0] = 0;
  bred[1039] = 0;
  int antal = 0;
  LPWSTR *ord = CommandLineToArgvW(bred, &antal);
  std::vector<std::string> arg;
  char buf[kZintelMappe];
  for (int i = 1; ord && i < antal; ++i) {
    TilAnsi(ord[i], buf);
    arg.emplace_back(buf);
  }
  for (const std::string &a : arg) {
    if (a.size() < 2 || a[0] != '-') continue;
    const char *v = a.c_str() + 2;
    switch (a[1]) {
      case 'p': case 'P': std::strcpy(programMappe, v); break;
      case 'd': case 'D': std::strcpy(dataMappe, v); break;
      case 'v': case 'V': *version = std::atoi(v); break;
      default: break;
    }
  }
  if (programMappe[0] == '\0') {
    if (arg.size() >= 1) std::strcpy(programMappe, arg[0].c_str());
    if (arg.size() >= 2) std::strcpy(dataMappe, arg[1].c_str());
    if (arg.size() >= 4) *version = std::atoi(arg[3].c_str());
  }
  if (programMappe[0] == '\0' && ord && antal > 0) {
    TilAnsi(ord[0], programMappe);
    StripFileName(programMappe);
  }
  if (ord) LocalFree(ord);
  TrimOgAfslut(programMappe);
  if (dataMappe[0] == '\0') std::strcpy(dataMappe, programMappe);
  TrimOgAfslut(dataMappe);
  SetCurrentDirectoryA(programMappe);
}

std::string ZintelEgenLinje(const char *exe, const char *mappe, int version) {
  // Each part quoted whole: a folder ends in a backslash, which must not
  // swallow the closing quote.
  return tavo::QuoteArgument(exe) + " " + tavo::QuoteArgument(std::string("-p") + mappe) + " " +
         tavo::QuoteArgument(std::string("-d") + mappe) + " -" + std::to_string(version);
}

void ZintelLaesAdresse() {
  LaesSetting("TAVO_WEB_OPDATERING", "opdatering", ZintelAdresse, sizeof ZintelAdresse);
  char certifikat[kZintelMappe * 2];
  LaesSetting("TAVO_WEB_CERTIFIKAT", "certifikat", certifikat, sizeof certifikat);
  if (certifikat[0]) tavo::SaetInternetCertifikater(certifikat);
}

bool WebOpenConnection(ZintelForbindelse *f) {
  if (InternetAttemptConnect(0) != ERROR_SUCCESS) return false;
  if (!InternetCheckConnectionA(ZintelAdresse, FLAG_ICC_FORCE_CONNECTION, 0)) return false;
  f->internet = InternetOpenA("TAVO check ny version", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr,
                              INTERNET_FLAG_NO_CACHE_WRITE);
  if (!f->internet) return false;
  std::string vaert;
  INTERNET_PORT port = INTERNET_DEFAULT_HTTPS_PORT;
  if (Vaert(ZintelAdresse, &vaert, &port))
    f->forbindelse = InternetConnectA(f->internet, vaert.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
  if (!f->forbindelse) {
    InternetCloseHandle(f->internet);
    f->internet = nullptr;
    return false;
  }
  return true;
}

int HTTPTavoVersionCheck(HINTERNET internet, unsigned *n) {
  *n = 0;
  const std::string url = Url("/version.txt");
  const ZintelSvar s = ZintelHent(internet, url);
  switch (s.udfald) {
    case ZintelUdfald::IkkeAabnet:
      StdErrPrintf("HTTPTavoVersionCheck: Fejl ved connect til %s\n", url.c_str());
      return 0;
    case ZintelUdfald::Status:
      StdErrPrintf("HTTPTavoVersionCheck: Fejlnr: %d, ved åbning af %s\n", static_cast<int>(s.status), url.c_str());
      return 0;
    case ZintelUdfald::ForStor:
      StdErrPrintf("HTTPTavoVersionCheck: Fejlkode ved allokering af hukommelse til filen %s\n", url.c_str());
      return 0;
    case ZintelUdfald::Ok: break;
  }
  *n = ZintelNaesteVersion(s.krop, ZintelVersion);
  return *n ? HTTPVisVerBesked(internet, n) : 0;
}

int HTTPCheckOpdSkole(HINTERNET internet, unsigned n) {
  const std::string url = Url(n, "/opdskoler.txt");
  const ZintelSvar s = ZintelHent(internet, url);
  if (s.udfald == ZintelUdfald::IkkeAabnet) return 0;
  if (s.udfald == ZintelUdfald::Status) {
    StdErrPrintf("HTTPCheckOpdSkole: Fejlkode %d ved åbning af %s\n", static_cast<int>(s.status), url.c_str());
    return 0;
  }
  if (s.udfald == ZintelUdfald::ForStor) {
    StdErrPrintf("HTTPCheckOpdSkole: Fejlkode ved allokering af hukommelse til filen %s\n", url.c_str());
    return 0;
  }
  char server[512];
  char skolenr[5];
  GetPrivateProfileStringA("kontakt", "server", "", server, sizeof server, ZintelIni);
  GetPrivateProfileStringA("global", "skolenr", "", skolenr, sizeof skolenr, ZintelIni);
  return ZintelSkoleListe(s.krop, server, skolenr);
}

int HTTPVisVerBesked(HINTERNET internet, unsigned *n) {
  if (HTTPCheckOpdSkole(internet, *n) == 0) {
    *n = 0;
    return 0;
  }
  const Dato idag = DagsDato();
  const Dato frist = static_cast<Dato>(GetPrivateProfileIntA("tider", "opddato", 0, ZintelIni));
  int dage = 7;
  if (frist != 0) {
    dage = DageMellem(frist, idag);
  } else {
    SkrivNoegle("tider", "opddato", std::to_string(DatoPlusDage(idag, 7)).c_str());
  }
  const std::string url = Url(*n, "/ver-besked.txt");
  const ZintelSvar s = ZintelHent(internet, url);
  if (s.udfald == ZintelUdfald::IkkeAabnet || s.udfald == ZintelUdfald::ForStor) return 0;
  if (s.udfald == ZintelUdfald::Status) {
    char tekst[1200];
    snprintf(tekst, sizeof tekst, "Fejlkode %d ved åbning af filen: %s\n\nKontakt TAVO-support!",
             static_cast<int>(s.status), url.c_str());
    MessageBoxA(0, tekst, "Ny version fejl", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  std::string spoergsmaal = s.krop.c_str();
  UINT type;
  if (dage == 0) {
    spoergsmaal += "\nVIGTIGT! Denne gang skal du opdatere!!";
    type = MB_OK | MB_ICONWARNING;
  } else {
    spoergsmaal += "\nVIGTIGT! Du har " + std::to_string(dage) + (dage == 1 ? " dag" : " dage") +
                   " tilbage til at få TAVO opdateret, herefter SKAL der opdateres!!!";
    spoergsmaal += "\n\nØnsker du at installere opdateringen nu?";
    type = MB_YESNO | MB_ICONINFORMATION;
  }
  const int svar = MessageBoxA(0, spoergsmaal.c_str(), "Ny version info", type);
  if (svar == IDYES || svar == IDOK) {
    SkrivNoegle("flag", "koropd", "1");
    return 1;
  }
  return 0;
}

int WebTavoVersionCheck() {
  // An installation with no update address contacts no host: a fresh one
  // would otherwise meet the firewall box at every start.
  if (ZintelAdresse[0] == '\0') {
    StdErrPrintf("WebTavoVersionCheck: %s!\n", "Ingen opdateringsadresse; intet tjek");
    SlutZintel();
    SkrivNoegle("global", "nyversion", nullptr);
    return 0;
  }
  StdErrPrintf("WebTavoVersionCheck: %s i mappe %s%s!\n", "Begynd tjek", ZintelAdresse, kZintelSti);
  ZintelForbindelse f;
  if (!WebOpenConnection(&f)) {
    MessageBoxA(0,
                "Der kunne ikke oprettes forbindelse til internettet, for check for opdatering af TAVO!\n"
                "Hvis du har internet adgang, bør du checke om det er en 'firewall', som blokkerer for adgangen!\n\n"
                "Kontakt derfor din systemadministrator eller TAVO-support.",
                "Internet check", MB_OK | MB_ICONINFORMATION);
    SlutZintel();
    return 1;
  }
  unsigned n = 0;
  int resultat = HTTPTavoVersionCheck(f.internet, &n);
  if (resultat == 0) SlutZintel();
  if (n != 0)
    SkrivNoegle("global", "nyversion", std::to_string(n).c_str());
  else
    SkrivNoegle("global", "nyversion", nullptr);
  if (n != 0 && resultat == 1) {
    resultat = ZintelHentVersion(f.internet, n) == 1 ? 1 : 0;
    SkrivNoegle("flag", "koropd", resultat == 1 ? "1" : nullptr);
    SlutZintel();
  }
  InternetCloseHandle(f.forbindelse);
  InternetCloseHandle(f.internet);
  StdErrPrintf("WebTavoVersionCheck: %s!\n", "Slut tjek");
  return resultat;
}

int VersionWinMain(HINSTANCE, HINSTANCE, LPSTR linje, int) {
  std::string egen;
  const char *brugt = linje ? linje : "";
  int iniVersion = -1;
  if (brugt[0] == '\0') {
    char exe[kZintelMappe] = "";
    char fuld[kZintelMappe] = "";
    GetModuleFileNameA(0, exe, sizeof exe);
    if (GetFullPathNameA(exe, sizeof fuld, fuld, nullptr) == 0) std::strcpy(fuld, exe);
    char mappe[kZintelMappe];
    std::strcpy(mappe, fuld);
    StripFileName(mappe);
    const std::string ini = std::string(mappe) + "ini\\tavo.ini";
    iniVersion = static_cast<int>(GetPrivateProfileIntA("global", "version", 0, ini.c_str()));
    egen = ZintelEgenLinje(fuld, mappe, iniVersion);
    brugt = egen.c_str();
  }
  VersionCommandLine(brugt, ZintelProgMappe, ZintelDataMappe, &ZintelVersion);
  // The last part of its own command line is no option the reader knows.
  if (iniVersion >= 0) ZintelVersion = iniVersion;
  snprintf(ZintelIni, sizeof ZintelIni, "%sini\\tavo.ini", ZintelDataMappe);
  std::strcpy(StiTab.szdata, ZintelDataMappe);
  std::strcpy(StiTab.szprog, ZintelProgMappe);
  std::strcpy(StiTab.szini, ZintelIni);
  ZintelLaesAdresse();
  return WebTavoVersionCheck();
}
