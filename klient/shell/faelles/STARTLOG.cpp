// START.LOG and the lock file. START.LOG is shared by every program and
// installation of a program folder; holding it open without sharing is the
// only thing that keeps two read-modify-writes apart, so every rewrite
// happens between one open and one close.

#include "STARTLOG.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "LOGFIL.h"

const char kIkkeFundet[] = "ikke fundet !";

namespace {

constexpr size_t kPostLaengde = 84;  // a closed line and its zero

uint32_t DatoNu(const SYSTEMTIME &st) {
  return (static_cast<uint32_t>(st.wYear) * 100 + st.wMonth) * 100 + st.wDay;
}

// A name asked for in a buffer of 20 bytes; a longer one is not had.
void Navn(BOOL (*hent)(LPSTR, LPDWORD), char (&navn)[20]) {
  DWORD n = sizeof navn;
  if (!hent(navn, &n)) std::snprintf(navn, sizeof navn, "%s", kIkkeFundet);
}

}  // namespace

namespace {

// The copy of a rewrite's new content beside START.LOG, complete once it
// has this name; while it is being written it has the name ".ny".
std::string KopiSti(const char *sti) { return std::string(sti) + ".kopi"; }
std::string NySti(const char *sti) { return std::string(sti) + ".ny"; }

bool SkrivHele(HANDLE h, const std::string &alt) {
  DWORD skrevet = 0;
  return WriteFile(h, alt.data(), static_cast<DWORD>(alt.size()), &skrevet, nullptr) && skrevet == alt.size();
}

// The held file gets the bytes in place: Windows replaces no file that is
// open, and letting go of it first would let another start in between.
bool SkrivIStedet(HANDLE h, const std::string &alt) {
  return SetFilePointer(h, 0, nullptr, FILE_BEGIN) == 0 && SkrivHele(h, alt) && SetEndOfFile(h) &&
         FlushFileBuffers(h);
}

// A rewrite broken off after its copy was complete is finished from the
// copy; a copy not yet complete is dropped, the file being untouched.
void FuldfoerAfbrudt(HANDLE h, const char *sti) {
  DeleteFileA(NySti(sti).c_str());
  const std::string kopi = KopiSti(sti);
  HANDLE k = CreateFileA(kopi.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
  if (k == INVALID_HANDLE_VALUE) return;
  std::string alt;
  char buf[4096];
  DWORD fik = 0;
  bool ok;
  while ((ok = ReadFile(k, buf, sizeof buf, &fik, nullptr) != FALSE) && fik > 0) alt.append(buf, fik);
  CloseHandle(k);
  if (ok && SkrivIStedet(h, alt)) DeleteFileA(kopi.c_str());
  SetFilePointer(h, 0, nullptr, FILE_BEGIN);
}

}  // namespace

std::string StartLogSti(const char *mappe) { return std::string(mappe ? mappe : "") + "START.LOG"; }

HANDLE OpenStartLog(const char *mappe) {
  const std::string sti = StartLogSti(mappe);
  for (;;) {
    HANDLE h = CreateFileA(sti.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, 0);
    if (h != INVALID_HANDLE_VALUE) {
      FuldfoerAfbrudt(h, sti.c_str());
      return h;
    }
    if (MessageBoxA(0, " TAVO-skema kunne ikke få tilgang til start.log, prøv igen om 5-10 sekunder !",
                    " Start.log ", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
      return INVALID_HANDLE_VALUE;
  }
}

int FormatStartEntry(uint8_t installation, uint32_t version, char *tekst, size_t stoerrelse) {
  char bruger[20], computer[20];
  Navn(GetUserNameA, bruger);
  Navn(GetComputerNameA, computer);
  SYSTEMTIME st;
  GetLocalTime(&st);
  int n = std::snprintf(tekst, stoerrelse, "%02d,%5u,%s,%s,%u,%02d:%02d,", installation, version, bruger,
                        computer, DatoNu(st), st.wHour, st.wMinute);
  if (n < 0) return 0;
  return static_cast<size_t>(n) < stoerrelse ? n : static_cast<int>(stoerrelse) - 1;
}

std::string FormatSlutPost() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  char post[32];
  std::snprintf(post, sizeof post, "%u,%02d:%02d;", DatoNu(st), st.wHour, st.wMinute);
  return post;
}

bool LaesStartLogEntry(const char *linje, StartLogEntry *post) {
  std::memset(post, 0, sizeof *post);
  if (!linje) return false;
  // "%d,%d,%[^,],%[^,],%[^,],%[^,],%[^,],%[^;];" with each text cut to its
  // field: a text longer than its field gives up its rest, not the fields
  // after it.
  const char *p = linje;
  auto tal = [&p](int *ud) {
    char *slut = nullptr;
    const long v = std::strtol(p, &slut, 10);
    if (slut == p) return false;
    *ud = v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
    p = slut;
    return true;
  };
  if (!tal(&post->Installation) || *p++ != ',' || !tal(&post->Version)) return false;
  struct Felt {
    char *tekst;
    size_t stoerrelse;
    char slut;
  } const felter[] = {{post->Bruger, sizeof post->Bruger, ','},     {post->Computer, sizeof post->Computer, ','},
                      {post->StartDato, sizeof post->StartDato, ','}, {post->StartTid, sizeof post->StartTid, ','},
                      {post->SlutDato, sizeof post->SlutDato, ','},   {post->SlutTid, sizeof post->SlutTid, ';'}};
  if (*p != ',') return true;
  ++p;
  for (const Felt &f : felter) {
    const char *start = p;
    while (*p && *p != f.slut && *p != '\r' && *p != '\n') ++p;
    if (p == start) break;
    const size_t n = std::min(static_cast<size_t>(p - start), f.stoerrelse - 1);
    std::memcpy(f.tekst, start, n);
    f.tekst[n] = '\0';
    if (*p != f.slut) break;
    ++p;
  }
  return true;
}

int ReadFileLines(HANDLE h, StartLinjer &linjer) {
  linjer.clear();
  std::string alt;
  char buf[4096];
  DWORD fik = 0;
  while (ReadFile(h, buf, sizeof buf, &fik, nullptr) && fik > 0) alt.append(buf, fik);
  if (alt.empty()) return 0;
  // A file saved on Linux ends its lines with LF alone: that ends a line as
  // CR LF does, so the other installations' lines keep apart. A CR on its
  // own is dropped, and nothing with it.
  linjer.emplace_back();
  for (size_t i = 0; i < alt.size(); ++i) {
    const char c = alt[i];
    const bool crlf = c == '\r' && i + 1 < alt.size() && alt[i + 1] == '\n';
    if (c == '\n' || crlf) {
      if (crlf) ++i;
      if (i + 1 < alt.size()) linjer.emplace_back();
    } else if (c != '\r') {
      linjer.back() += c;
    }
  }
  return static_cast<int>(linjer.size());
}

bool WriteFileLines(HANDLE h, const char *sti, const StartLinjer &linjer) {
  std::string alt;
  for (const std::string &l : linjer)
    if (!l.empty()) alt += l + "\r\n";
  const std::string ny = NySti(sti), kopi = KopiSti(sti);
  HANDLE k = CreateFileA(ny.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  if (k == INVALID_HANDLE_VALUE) return false;
  bool ok = SkrivHele(k, alt);
  if (!FlushFileBuffers(k)) ok = false;
  if (!CloseHandle(k)) ok = false;
  if (ok) ok = MoveFileExA(ny.c_str(), kopi.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  if (!ok) {
    DeleteFileA(ny.c_str());
    return false;
  }
  // From here the copy stands for the file until the rewrite is through.
  if (!SkrivIStedet(h, alt)) return false;
  DeleteFileA(kopi.c_str());
  return true;
}

int FindStartLinje(const StartLinjer &linjer, uint8_t installation) {
  for (size_t i = 0; i < linjer.size(); ++i) {
    const char *s = linjer[i].c_str();
    char *slut = nullptr;
    const long nr = std::strtol(s, &slut, 10);
    if (slut == s) continue;
    if (static_cast<uint8_t>(nr) == installation) return static_cast<int>(i);
  }
  return -1;
}

namespace {

// One read-modify-write of START.LOG under the exclusive open.
template <class Aendring>
void RetStartLog(const char *mappe, Aendring aendring) {
  HANDLE h = OpenStartLog(mappe);
  if (h == INVALID_HANDLE_VALUE) return;
  StartLinjer linjer;
  ReadFileLines(h, linjer);
  aendring(linjer);
  const std::string sti = StartLogSti(mappe);
  if (!WriteFileLines(h, sti.c_str(), linjer))
    LogPrintf("** Fejl: %s kunne ikke skrives: Fejlnr: %lu\n", sti.c_str(),
              static_cast<unsigned long>(GetLastError()));
  CloseHandle(h);
}

}  // namespace

void SkrivStartLinje(uint8_t installation, uint32_t version, const char *mappe) {
  RetStartLog(mappe, [&](StartLinjer &linjer) {
    char post[kPostLaengde];
    FormatStartEntry(installation, version, post, sizeof post);
    const int i = FindStartLinje(linjer, installation);
    if (i >= 0) linjer[static_cast<size_t>(i)] = post;
    else linjer.emplace_back(post);
  });
}

void EndStartLogEntry(uint8_t installation, uint32_t version, const char *mappe) {
  RetStartLog(mappe, [&](StartLinjer &linjer) {
    const int i = FindStartLinje(linjer, installation);
    std::string linje;
    size_t komma = 0, pos = 0;
    if (i >= 0) {
      linje = linjer[static_cast<size_t>(i)];
      // An end record already there (a run that was closed twice) is
      // replaced: it ends after the sixth comma of the open record.
      for (; pos < linje.size() && komma < 6; ++pos)
        if (linje[pos] == ',') ++komma;
    }
    if (komma == 6) {
      linje.resize(pos);
    } else {
      // No line, or a damaged one without its six fields: appending to it
      // would run the end record into its fields (installation "7" would
      // read as "7<date>"), so it is written whole anew.
      char post[kPostLaengde];
      FormatStartEntry(installation, version, post, sizeof post);
      linje = post;
    }
    linje += FormatSlutPost();
    if (i >= 0) linjer[static_cast<size_t>(i)] = linje;
    else linjer.push_back(linje);
  });
}

// ---- The lock file ----

std::string LaasefilSti(const char *dataMappe) {
  return std::string(dataMappe ? dataMappe : "") + "INI\\TAVO.LCK";
}

LaasefilResultat OpretLaasefil(const char *sti, uint8_t installation, uint32_t version, int *fejlnr) {
  *fejlnr = 0;
  FILE *f = fopen(sti, "wx");
  if (!f) {
    if (errno == EEXIST) return LaasefilResultat::Findes;
    *fejlnr = errno;
    return LaasefilResultat::Fejl;
  }
  char post[kPostLaengde];
  FormatStartEntry(installation, version, post, sizeof post);
  bool ok = std::fputs(post, f) >= 0;
  if (std::fclose(f) != 0) ok = false;
  if (!ok) {
    // An empty lock file would still lock the data; it goes again.
    *fejlnr = errno ? errno : EIO;
    _unlink(sti);
    return LaasefilResultat::Fejl;
  }
  return LaasefilResultat::Oprettet;
}

void DeleteLockFile(const char *dataMappe) {
  const std::string sti = LaasefilSti(dataMappe);
  // The error of the call that failed: a lock file that was not there is
  // logged too.
  int fejl = 0;
  if (_access(sti.c_str(), 0) != 0) fejl = errno ? errno : ENOENT;
  else if (_unlink(sti.c_str()) != 0) fejl = errno ? errno : EACCES;
  if (fejl != 0) LogPrintf("** Fejl: Ved delete af Tavo.lck: Fejlnr: %d - %s\n", fejl, std::strerror(fejl));
}
