#pragma once
// The version check Zintel: asks the update server whether a newer version
// applies to this school, asks the user, and hands the results to the main
// program through its exit code and keys of ini\tavo.ini.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "DATO.h"
#include "windows.h"
#include "win/wininet.h"

constexpr int kZintelMappe = 260;

// The run's folders (ending in a backslash), running version and settings file.
extern char ZintelProgMappe[kZintelMappe];
extern char ZintelDataMappe[kZintelMappe];
extern int ZintelVersion;
extern char ZintelIni[2 * kZintelMappe];

// The update server's base address: TAVO_WEB_OPDATERING, else [web]
// opdatering of the settings file. The authorities it is checked against:
// TAVO_WEB_CERTIFIKAT, else [web] certifikat (empty: the system's).
extern char ZintelAdresse[512];
// The path below the base address.
extern const char kZintelSti[];

// Downloads version n's files into the program folder; 1 when all came
// (the download dialog; tests put their own in its place).
extern int (*ZintelHentVersion)(HINTERNET internet, unsigned n);

// Every request of the check and the download is made with these flags.
constexpr DWORD kZintelAnmodningsFlag = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_SECURE |
                                        INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTH;

// Reads a request's body to its end, each piece handed to `ud`: Hel when
// the body ended as announced, Afbrudt when a read failed (the transfer was
// cut off), Afvist when `ud` refused a piece.
enum class ZintelLaesning { Hel, Afbrudt, Afvist };
ZintelLaesning ZintelLaesKrop(HINTERNET r, const std::function<bool(const char *, DWORD)> &ud);

enum class ZintelUdfald { IkkeAabnet, Status, ForStor, Ok };
struct ZintelSvar {
  ZintelUdfald udfald = ZintelUdfald::IkkeAabnet;
  DWORD status = 0;
  std::string krop;
};
// One small text of the update server read whole; a transfer that breaks
// off counts as a request that could not be made.
ZintelSvar ZintelHent(HINTERNET internet, const std::string &url);
// The body's lines, blanks removed and trimmed; empty pieces between two
// line ends are no lines.
std::vector<std::string> ZintelLinjer(const std::string &krop);
// base address + path + "/<n>" + fil
std::string ZintelUrl(unsigned n, const char *fil);

void TrimTekst(char *tekst);
void FjernBlanke(char *tekst);
// Days from b to a; 0 when a is earlier.
int DageMellem(Dato a, Dato b);
Dato DatoPlusDage(Dato d, int n);

// The smallest version of version.txt above the running one (any when it
// is 0); 0 for none.
unsigned ZintelNaesteVersion(const std::string &versionTxt, int koerende);
// 1 when opdskoler.txt names every school ("*" first) or this server or school.
int ZintelSkoleListe(const std::string &opdskoler, const char *server, const char *skolenr);

// Reads -p, -d, -v (or the 1st, 2nd and 4th argument) of the command line
// into the folders and the version, and makes the program folder current.
void VersionCommandLine(const char *linje, char *programMappe, char *dataMappe, int *version);

// The command line Zintel gives itself when started without one.
std::string ZintelEgenLinje(const char *exe, const char *mappe, int version);

// Reads the address settings from ZintelIni and the environment.
void ZintelLaesAdresse();

struct ZintelForbindelse {
  HINTERNET internet = nullptr;
  HINTERNET forbindelse = nullptr;
};
bool WebOpenConnection(ZintelForbindelse *f);
// The exit code: 1 without a connection or after an accepted, downloaded version.
int WebTavoVersionCheck();
// 1 when the user accepted a version; *n the version found (0 none).
int HTTPTavoVersionCheck(HINTERNET internet, unsigned *n);
int HTTPCheckOpdSkole(HINTERNET internet, unsigned n);
int HTTPVisVerBesked(HINTERNET internet, unsigned *n);

int VersionWinMain(HINSTANCE instans, HINSTANCE forrige, LPSTR linje, int vis);
