// The crash-safe save: temporary files, one commit record, renames; and the
// recovery that finishes or undoes an interrupted save before the load.
#include "GEMNING.h"

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <semaphore>
#include <thread>

#include "LOGFIL.h"

const char kGemTmpEndelse[] = ".gemny";
bool GemningFsync = true;
DWORD GemningVentetid = 30000;

struct GemTilstand {
  // A file written (Tmp renamed over Endelig) or, with Tmp empty, removed.
  struct Fil {
    std::string Tmp, Endelig;
    bool Fjernes() const { return Tmp.empty(); }
  };
  std::vector<Fil> Filer;
  bool Fejlet = false;
  GemFejl Fejl{};
  // The data folder's lock file, locked while the save runs.
  HANDLE Laas = INVALID_HANDLE_VALUE;
};

namespace {

constexpr size_t kBufferStoerrelse = 1 << 18;
constexpr size_t kKopiBlok = 1 << 20;
constexpr DWORD kMaxSkriv = 1u << 30;
constexpr char kJournalHoved[] = "TAVOGEMNING 1\n";
constexpr uint64_t kMaxJournal = 16u << 20;

// One save at a time in the process. A semaphore, not a mutex: the
// background save is started on the main thread and ended on its own.
// Between processes the lock file does the same (MappeLaas).
std::binary_semaphore GemLaas{1};
thread_local GemTilstand *Aktuel = nullptr;

std::mutex SidsteLaas;
GemFejl Sidste{};
bool HarSidste = false;

std::string FejlTekst(DWORD fejl) {
  char buf[256];
  if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, fejl, 0, buf,
                      sizeof buf, nullptr))
    return "Ukendt fejl.";
  std::string t = buf;
  while (!t.empty() && (t.back() == '\r' || t.back() == '\n' || t.back() == ' ')) t.pop_back();
  return t;
}

// Keeps the first failure of a save, and the last of the process for the
// message box; the log gets its line when the log's disk takes it.
void NoterFejl(GemTilstand *t, const std::string &fil, DWORD fejl, bool besluttet) {
  if (fejl == 0) fejl = ERROR_GEN_FAILURE;
  if (t && t->Fejlet) return;
  GemFejl f{};
  snprintf(f.Fil, sizeof f.Fil, "%s", fil.c_str());
  f.Fejl = fejl;
  f.Besluttet = besluttet;
  if (t) {
    t->Fejlet = true;
    t->Fejl = f;
  }
  {
    std::lock_guard<std::mutex> g(SidsteLaas);
    Sidste = f;
    HarSidste = true;
  }
  LogPrintf("** Fejl: Gem(%s): %s (%lu)\n", f.Fil, FejlTekst(fejl).c_str(),
            static_cast<unsigned long>(fejl));
}

bool Findes(const std::string &sti) { return GetFileAttributesA(sti.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Mappe(const std::string &sti) {
  const size_t k = sti.find_last_of("\\/");
  return k == std::string::npos ? std::string(".") : sti.substr(0, k);
}

// A folder's entries to the disk, so that the names created or renamed in
// it survive a power cut.
bool FlushMappe(const std::string &mappe, DWORD *pFejl) {
  if (!GemningFsync) return true;
  HANDLE h = CreateFileA(mappe.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, 0);
  if (h == INVALID_HANDLE_VALUE) {
    *pFejl = GetLastError();
    return false;
  }
  const bool ok = FlushFileBuffers(h) != FALSE;
  if (!ok) *pFejl = GetLastError();
  CloseHandle(h);
  return ok;
}

// The folders of the files, each once.
std::vector<std::string> Mapper(const std::vector<GemTilstand::Fil> &filer) {
  std::vector<std::string> m;
  for (const auto &f : filer) {
    const std::string d = Mappe(f.Endelig);
    bool kendt = false;
    for (const auto &x : m) kendt = kendt || x == d;
    if (!kendt) m.push_back(d);
  }
  return m;
}

bool FlushMapper(GemTilstand *t, const std::vector<GemTilstand::Fil> &filer, bool besluttet) {
  for (const auto &m : Mapper(filer)) {
    DWORD fejl = 0;
    if (!FlushMappe(m, &fejl)) {
      NoterFejl(t, m, fejl, besluttet);
      return false;
    }
  }
  return true;
}

// ---- The commit record ----
//
// "TAVOGEMNING 1", one line "R<tab><temporary><tab><file>" per file written
// and "S<tab><file>" per file removed, then "SLUT <hash>" over everything
// before it. Paths inside the data folder are
// kept relative to it ("D" + rest), so a folder moved after a crash is still
// recovered; others whole ("A" + path). Windows names hold no tab or line
// break.

uint64_t Fnv(const char *p, size_t n) {
  uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < n; ++i) {
    h ^= static_cast<uint8_t>(p[i]);
    h *= 1099511628211ull;
  }
  return h;
}

std::string Kod(const std::string &sti) {
  const size_t n = strlen(StiTab.szdata);
  if (n && sti.compare(0, n, StiTab.szdata) == 0) return "D" + sti.substr(n);
  return "A" + sti;
}

bool Afkod(const std::string &s, std::string *pSti) {
  if (s.size() < 2) return false;
  if (s[0] == 'D') {
    *pSti = std::string(StiTab.szdata) + s.substr(1);
    return true;
  }
  if (s[0] == 'A') {
    *pSti = s.substr(1);
    return true;
  }
  return false;
}

std::string JournalTekst(const std::vector<GemTilstand::Fil> &filer) {
  std::string t = kJournalHoved;
  for (const auto &f : filer)
    t += f.Fjernes() ? "S\t" + Kod(f.Endelig) + "\n" : "R\t" + Kod(f.Tmp) + "\t" + Kod(f.Endelig) + "\n";
  char slut[40];
  snprintf(slut, sizeof slut, "SLUT %016llx\n", static_cast<unsigned long long>(Fnv(t.data(), t.size())));
  return t + slut;
}

enum class Journal { Hel, Afkortet, Ulaeselig };

// The files of a whole record. A record cut short or damaged means that no
// rename was done. One that cannot be opened (held by a writer that this
// process does not know of) is neither: it must be left alone.
Journal LaesJournal(const char *sti, std::vector<GemTilstand::Fil> *pFiler, DWORD *pFejl) {
  HANDLE h = CreateFileA(sti, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
  if (h == INVALID_HANDLE_VALUE) {
    *pFejl = GetLastError();
    return Journal::Ulaeselig;
  }
  LARGE_INTEGER stoerrelse{};
  std::string t;
  bool ok = GetFileSizeEx(h, &stoerrelse) && stoerrelse.QuadPart > 0 &&
            static_cast<uint64_t>(stoerrelse.QuadPart) <= kMaxJournal;
  if (ok) {
    t.resize(static_cast<size_t>(stoerrelse.QuadPart));
    DWORD fik = 0;
    ok = ReadFile(h, t.data(), static_cast<DWORD>(t.size()), &fik, nullptr) && fik == t.size();
  }
  CloseHandle(h);
  if (!ok || t.compare(0, strlen(kJournalHoved), kJournalHoved) != 0 || t.back() != '\n')
    return Journal::Afkortet;
  const size_t slut = t.rfind("SLUT ");
  if (slut == std::string::npos || (slut > 0 && t[slut - 1] != '\n')) return Journal::Afkortet;
  char forventet[40];
  snprintf(forventet, sizeof forventet, "SLUT %016llx\n", static_cast<unsigned long long>(Fnv(t.data(), slut)));
  if (t.compare(slut, std::string::npos, forventet) != 0) return Journal::Afkortet;
  size_t pos = strlen(kJournalHoved);
  while (pos < slut) {
    const size_t nl = t.find('\n', pos);
    const std::string linje = t.substr(pos, nl - pos);
    pos = nl + 1;
    const size_t a = linje.find('\t'), b = linje.find('\t', a + 1);
    GemTilstand::Fil f;
    if (linje.compare(0, 2, "S\t") == 0) {
      if (b != std::string::npos || !Afkod(linje.substr(2), &f.Endelig)) return Journal::Afkortet;
    } else if (linje.compare(0, 2, "R\t") != 0 || b == std::string::npos ||
               !Afkod(linje.substr(a + 1, b - a - 1), &f.Tmp) || !Afkod(linje.substr(b + 1), &f.Endelig)) {
      return Journal::Afkortet;
    }
    pFiler->push_back(f);
  }
  return Journal::Hel;
}

bool SkrivJournal(GemTilstand *t, const char *sti) {
  const std::string tekst = JournalTekst(t->Filer);
  HANDLE h = CreateFileA(sti, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  if (h == INVALID_HANDLE_VALUE) {
    NoterFejl(t, sti, GetLastError(), false);
    return false;
  }
  DWORD skrevet = 0;
  bool ok = WriteFile(h, tekst.data(), static_cast<DWORD>(tekst.size()), &skrevet, nullptr) &&
            skrevet == tekst.size();
  if (ok && GemningFsync) ok = FlushFileBuffers(h) != FALSE;
  const DWORD fejl = ok ? 0 : GetLastError();
  CloseHandle(h);
  if (!ok) NoterFejl(t, sti, fejl, false);
  return ok;
}

// Temporary files of this program's earlier versions, which wrote beside
// the file under these names outside the save, and could be killed before
// their rename.
const char *const kGamleTmpData[] = {"skemabeg.tmp", "timoak.tmp", "udplatim.tmp", "hontim.tmp",
                                     "CntLokaleBeg.tmp", "aktiprioriteter.tmp", "akti.konv",
                                     "skemabegkopi.dat.tmp", "timoakkopi.dat.tmp", "*.gemtmp"};
const char *const kGamleTmpIni[] = {"ElvRelLokal.tmp", "group.ini.tmp", "huskgrp.ini.tmp", "kopi.ini",
                                    "kopiskph.ini",    "pp.tmp",        "lap.tmp",         "ValgtSwt.tmp"};

void SletMoenster(const std::string &mappe, const char *moenster) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((mappe + moenster).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  std::vector<std::string> navne;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) navne.push_back(fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  for (const auto &n : navne) DeleteFileA((mappe + n).c_str());
}

// The new copy a profile rewrite leaves when it is ended before its rename
// (".<name>.XXXXXX") is removed by the profile layer under that file's own
// lock, which the cache flush of the file asks for.
void RydProfiler(const std::string &mappe) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((mappe + ".*.??????").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  std::vector<std::string> navne;
  do {
    const std::string n = fd.cFileName;
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && n.size() > 8 && n[n.size() - 7] == '.')
      navne.push_back(n.substr(1, n.size() - 8));
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  for (const auto &n : navne) WritePrivateProfileStringA(nullptr, nullptr, nullptr, (mappe + n).c_str());
}

void SletRester() {
  const std::string data = std::string(StiTab.szdata) + "data\\";
  const std::string ini = std::string(StiTab.szdata) + "ini\\";
  const std::string log = std::string(StiTab.szdata) + "log\\";
  SletMoenster(data, "*.gemny");
  SletMoenster(ini, "*.gemny");
  SletMoenster(log, "*.gemny");
  for (const char *n : kGamleTmpData) SletMoenster(data, n);
  for (const char *n : kGamleTmpIni) SletMoenster(ini, n);
  RydProfiler(ini);
}

// The record is gone, and its removal on the disk.
bool SletJournal(GemTilstand *t, const char *jnl) {
  DWORD fejl = 0;
  if (!DeleteFileA(jnl)) {
    NoterFejl(t, jnl, GetLastError(), true);
    return false;
  }
  if (!FlushMappe(Mappe(jnl), &fejl)) {
    NoterFejl(t, Mappe(jnl), fejl, true);
    return false;
  }
  return true;
}

// The second half of a commit, after its record is on the disk: the
// renames and removals, the folders flushed, the record removed. Run by the
// save itself and, after an interruption, by the recovery (where a
// temporary file already gone was renamed before the interruption, and a
// file to be removed that is gone was removed); a failure leaves the record
// for the next try.
bool FuldfoerBesluttet(GemTilstand *t, const std::vector<GemTilstand::Fil> &filer, const char *jnl,
                       bool efterAfbrydelse) {
  for (const auto &f : filer) {
    if (f.Fjernes()) {
      if (!DeleteFileA(f.Endelig.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND &&
          GetLastError() != ERROR_PATH_NOT_FOUND) {
        NoterFejl(t, f.Endelig, GetLastError(), true);
        return false;
      }
      continue;
    }
    if (efterAfbrydelse && !Findes(f.Tmp)) continue;
    if (!MoveFileExA(f.Tmp.c_str(), f.Endelig.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      NoterFejl(t, f.Endelig, GetLastError(), true);
      return false;
    }
  }
  return FlushMapper(t, filer, true) && SletJournal(t, jnl);
}

// Finishes a save whose record is whole and drops a record cut short; with
// ryd, every temporary file goes too. False when a committed save could
// not be finished (the failure is noted on t).
bool Gendan(GemTilstand *t, bool ryd) {
  char jnl[kStiLaengde];
  if (!GemJournalSti(jnl, sizeof jnl)) return true;
  if (Findes(jnl)) {
    std::vector<GemTilstand::Fil> filer;
    DWORD fejl = 0;
    bool ok = false;
    switch (LaesJournal(jnl, &filer, &fejl)) {
      case Journal::Hel: ok = FuldfoerBesluttet(t, filer, jnl, true); break;
      case Journal::Afkortet: ok = SletJournal(t, jnl); break;
      case Journal::Ulaeselig: NoterFejl(t, jnl, fejl, true); break;
    }
    if (!ok) return false;
  }
  if (ryd) SletRester();
  return true;
}

void Afbryd(GemTilstand *t) {
  for (const auto &f : t->Filer)
    if (!f.Fjernes()) DeleteFileA(f.Tmp.c_str());
  t->Filer.clear();
}

// The commit: the new files and their names on the disk, the record on the
// disk (from here on the save has happened), the renames, the record gone.
bool Beslut(GemTilstand *t) {
  if (t->Fejlet) {
    Afbryd(t);
    return false;
  }
  if (t->Filer.empty()) return true;
  // A file that cannot be replaced or removed fails the save before
  // anything is decided, so the folder stays as it was.
  for (const auto &f : t->Filer) {
    const DWORD a = GetFileAttributesA(f.Endelig.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
      NoterFejl(t, f.Endelig, ERROR_ACCESS_DENIED, false);
      Afbryd(t);
      return false;
    }
  }
  char jnl[kStiLaengde];
  if (!GemJournalSti(jnl, sizeof jnl)) {
    NoterFejl(t, StiTab.szdata, ERROR_FILENAME_EXCED_RANGE, false);
    Afbryd(t);
    return false;
  }
  DWORD fejl = 0;
  if (!FlushMapper(t, t->Filer, false) || !SkrivJournal(t, jnl)) {
    DeleteFileA(jnl);
    Afbryd(t);
    return false;
  }
  if (!FlushMappe(Mappe(jnl), &fejl)) {
    NoterFejl(t, Mappe(jnl), fejl, false);
    DeleteFileA(jnl);
    Afbryd(t);
    return false;
  }
  // Decided: from here on a failure leaves the record, so the next start or
  // save finishes the renames.
  if (!FuldfoerBesluttet(t, t->Filer, jnl, false)) return false;
  t->Filer.clear();
  return true;
}

// ---- One saver per data folder ----
//
// Another program on the same data folder (a second instance, a read-only
// run writing its group names, the start menu moving the folder) saves
// through this module too: while one holds the lock file's lock, no other
// writes a temporary file, reads the commit record or cleans up. The lock
// ends with the process, so a killed saver never blocks the next.

enum class Laast { Ja, Optaget, Fejl };

Laast TagMappeLaas(GemTilstand *t, bool vent) {
  char sti[kStiLaengde];
  // Without a data folder there is nothing another program could share.
  if (!StiTab.szdata[0]) return Laast::Ja;
  if (!GemLaasSti(sti, sizeof sti)) {
    NoterFejl(t, StiTab.szdata, ERROR_FILENAME_EXCED_RANGE, false);
    return Laast::Fejl;
  }
  HANDLE h = CreateFileA(sti, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  if (h == INVALID_HANDLE_VALUE) {
    NoterFejl(t, sti, GetLastError(), false);
    return Laast::Fejl;
  }
  // Waited for in steps rather than blocking, so that the wait is bounded;
  // a steady clock, since tests may stop the wall clock.
  const auto frist = std::chrono::steady_clock::now() + std::chrono::milliseconds(vent ? GemningVentetid : 0);
  for (;;) {
    OVERLAPPED ov{};
    if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov)) {
      t->Laas = h;
      return Laast::Ja;
    }
    const DWORD fejl = GetLastError();
    if (fejl != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= frist) {
      CloseHandle(h);
      if (fejl != ERROR_LOCK_VIOLATION) {
        NoterFejl(t, sti, fejl, false);
        return Laast::Fejl;
      }
      return Laast::Optaget;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void SlipMappeLaas(GemTilstand *t) {
  if (t->Laas == INVALID_HANDLE_VALUE) return;
  OVERLAPPED ov{};
  UnlockFileEx(t->Laas, 0, 1, 0, &ov);
  CloseHandle(t->Laas);
  t->Laas = INVALID_HANDLE_VALUE;
}

// The process's and the folder's lock for a save or a recovery; false (the
// failure noted on t when vent) when the folder stays busy or the lock file
// cannot be opened.
bool TagLaase(GemTilstand *t, bool vent) {
  if (vent) {
    GemLaas.acquire();
  } else if (!GemLaas.try_acquire()) {
    return false;
  }
  switch (TagMappeLaas(t, vent)) {
    case Laast::Ja: return true;
    case Laast::Optaget: {
      char sti[kStiLaengde];
      if (vent && GemLaasSti(sti, sizeof sti)) NoterFejl(t, sti, ERROR_LOCK_VIOLATION, false);
      break;
    }
    case Laast::Fejl: break;
  }
  GemLaas.release();
  return false;
}

void SlipLaase(GemTilstand *t) {
  SlipMappeLaas(t);
  GemLaas.release();
}

}  // namespace

bool GemLaasSti(char *buf, size_t n) {
  const int r = snprintf(buf, n, "%sgemning.laas", StiTab.szdata);
  return r > 0 && static_cast<size_t>(r) < n;
}

bool GemJournalSti(char *buf, size_t n) {
  const int r = snprintf(buf, n, "%sdata/gemning.jnl", StiTab.szdata);
  return r > 0 && static_cast<size_t>(r) < n;
}

// ---- The save ----

Gemning::Gemning(bool vent) {
  if (Aktuel) {
    t_ = Aktuel;
    return;
  }
  auto *t = new GemTilstand;
  if (!TagLaase(t, vent)) {
    if (!vent) {
      delete t;
      return;
    }
    // The folder stays busy (or its lock file cannot be had): this save
    // fails as a whole and writes nothing; the caller reports it and keeps
    // its changes.
    t_ = t;
    ejer_ = true;
    afsluttet_ = true;
    laast_ = false;
    Aktuel = t_;
    return;
  }
  t_ = t;
  ejer_ = true;
  laast_ = true;
  Aktuel = t_;
  // A save interrupted in this run or in another program's (its record
  // kept after a failed rename or a kill) is finished before anything new
  // is written.
  char jnl[kStiLaengde];
  if (GemJournalSti(jnl, sizeof jnl) && Findes(jnl)) Gendan(t_, false);
}

Gemning::~Gemning() {
  if (!ejer_) return;
  if (Aktuel == t_) Aktuel = nullptr;
  if (laast_) {
    Afbryd(t_);
    SlipLaase(t_);
  }
  delete t_;
}

bool Gemning::Fuldfoer() {
  if (!t_) return false;
  if (!ejer_) return !t_->Fejlet;
  if (afsluttet_) {
    if (Aktuel == t_) Aktuel = nullptr;
    return !t_->Fejlet;
  }
  const bool ok = Beslut(t_);
  afsluttet_ = true;
  if (Aktuel == t_) Aktuel = nullptr;
  SlipLaase(t_);
  laast_ = false;
  return ok;
}

bool Gemning::Besluttet() const {
  return t_ && ejer_ && afsluttet_ && (!t_->Fejlet || t_->Fejl.Besluttet);
}

void Gemning::Slip() {
  if (t_ && Aktuel == t_) Aktuel = nullptr;
}

void Gemning::Tag() {
  if (t_ && !afsluttet_) Aktuel = t_;
}

// ---- One file ----

GemFil::GemFil() : h_(INVALID_HANDLE_VALUE) {}

GemFil::~GemFil() {
  if (aaben_) Mislyk(ERROR_OPERATION_ABORTED);
}

bool GemFil::Mislyk(DWORD fejl) {
  if (fejl == 0) fejl = ERROR_GEN_FAILURE;
  if (!fejl_) fejl_ = fejl;
  NoterFejl(t_, sti_, fejl, false);
  if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  h_ = INVALID_HANDLE_VALUE;
  if (aaben_) DeleteFileA(tmp_.c_str());
  aaben_ = false;
  buf_.clear();
  return false;
}

bool GemFil::Aabn(const char *sti, bool tekst) {
  if (aaben_) return false;
  if (!Aktuel) egen_ = std::make_unique<Gemning>(true);
  t_ = Aktuel;
  sti_ = sti;
  tmp_ = sti_ + kGemTmpEndelse;
  tekst_ = tekst;
  if (t_->Fejlet) {
    // An earlier file of the save failed: the save cannot succeed.
    fejl_ = t_->Fejl.Fejl;
    return false;
  }
  h_ = CreateFileA(tmp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  if (h_ == INVALID_HANDLE_VALUE) return Mislyk(GetLastError());
  aaben_ = true;
  buf_.clear();
  buf_.reserve(kBufferStoerrelse);
  return true;
}

bool GemFil::Toem() {
  if (!aaben_) return false;
  size_t gjort = 0;
  while (gjort < buf_.size()) {
    const DWORD n = static_cast<DWORD>(std::min<size_t>(buf_.size() - gjort, kMaxSkriv));
    DWORD skrevet = 0;
    if (!WriteFile(h_, buf_.data() + gjort, n, &skrevet, nullptr) || skrevet != n)
      return Mislyk(GetLastError() ? GetLastError() : ERROR_DISK_FULL);
    gjort += n;
  }
  buf_.clear();
  return true;
}

bool GemFil::Skriv(const void *data, size_t n) {
  if (!aaben_) return false;
  const char *p = static_cast<const char *>(data);
  if (tekst_) {
    for (size_t i = 0; i < n; ++i) {
      if (buf_.size() + 2 > kBufferStoerrelse && !Toem()) return false;
      if (p[i] == '\n') buf_.push_back('\r');
      buf_.push_back(p[i]);
    }
    return true;
  }
  if (buf_.size() + n > kBufferStoerrelse && !Toem()) return false;
  if (n < kBufferStoerrelse) {
    buf_.insert(buf_.end(), p, p + n);
    return true;
  }
  // A large piece goes out directly, without a copy.
  size_t gjort = 0;
  while (gjort < n) {
    const DWORD del = static_cast<DWORD>(std::min<size_t>(n - gjort, kMaxSkriv));
    DWORD skrevet = 0;
    if (!WriteFile(h_, p + gjort, del, &skrevet, nullptr) || skrevet != del)
      return Mislyk(GetLastError() ? GetLastError() : ERROR_DISK_FULL);
    gjort += del;
  }
  return true;
}

bool GemFil::Printf(const char *format, ...) {
  if (!aaben_) return false;
  char kort[512];
  va_list args;
  va_start(args, format);
  const int n = vsnprintf(kort, sizeof kort, format, args);
  va_end(args);
  if (n < 0) return Mislyk(ERROR_INVALID_DATA);
  if (static_cast<size_t>(n) < sizeof kort) return Skriv(kort, static_cast<size_t>(n));
  std::string lang(static_cast<size_t>(n) + 1, '\0');
  va_start(args, format);
  vsnprintf(lang.data(), lang.size(), format, args);
  va_end(args);
  return Skriv(lang.data(), static_cast<size_t>(n));
}

bool GemFil::KopierFra(HANDLE kilde, uint64_t pos, uint64_t n) {
  if (!aaben_) return false;
  LARGE_INTEGER p;
  p.QuadPart = static_cast<LONGLONG>(pos);
  if (!SetFilePointerEx(kilde, p, nullptr, FILE_BEGIN)) return Mislyk(GetLastError());
  std::vector<char> blok(static_cast<size_t>(std::min<uint64_t>(n, kKopiBlok)));
  while (n > 0) {
    const DWORD del = static_cast<DWORD>(std::min<uint64_t>(n, blok.size()));
    DWORD fik = 0;
    if (!ReadFile(kilde, blok.data(), del, &fik, nullptr)) return Mislyk(GetLastError());
    if (fik != del) return Mislyk(ERROR_HANDLE_EOF);
    if (!Skriv(blok.data(), fik)) return false;
    n -= fik;
  }
  return true;
}

bool GemFil::SaetLaengde(uint64_t n) {
  if (!Toem()) return false;
  LARGE_INTEGER p;
  p.QuadPart = static_cast<LONGLONG>(n);
  if (!SetFilePointerEx(h_, p, nullptr, FILE_BEGIN) || !SetEndOfFile(h_)) return Mislyk(GetLastError());
  return true;
}

bool GemFil::Luk() {
  if (!aaben_) {
    if (egen_) egen_.reset();
    return false;
  }
  if (!Toem()) return false;
  if (GemningFsync && !FlushFileBuffers(h_)) return Mislyk(GetLastError());
  if (!CloseHandle(h_)) {
    h_ = INVALID_HANDLE_VALUE;
    return Mislyk(GetLastError());
  }
  h_ = INVALID_HANDLE_VALUE;
  aaben_ = false;
  // Written after a removal of the same file in this save: written it is.
  std::erase_if(t_->Filer, [&](const GemTilstand::Fil &f) { return f.Fjernes() && f.Endelig == sti_; });
  bool kendt = false;
  for (const auto &f : t_->Filer) kendt = kendt || f.Tmp == tmp_;
  if (!kendt) t_->Filer.push_back({tmp_, sti_});
  if (!egen_) return true;
  const bool ok = egen_->Fuldfoer();
  egen_.reset();
  return ok;
}

void GemMislykket(const char *fil, DWORD fejl) { NoterFejl(Aktuel, fil, fejl, false); }

bool GemSlet(const char *sti) {
  Gemning g;
  GemTilstand *t = Aktuel;
  // Removed after being written in this save: its new version goes too.
  for (auto it = t->Filer.begin(); it != t->Filer.end();) {
    if (it->Endelig != sti) {
      ++it;
      continue;
    }
    if (!it->Fjernes()) DeleteFileA(it->Tmp.c_str());
    it = t->Filer.erase(it);
  }
  t->Filer.push_back({std::string(), sti});
  return g.Fuldfoer();
}

namespace {

// A file as the running save leaves it: its new version when the save has
// written one, nothing when the save removes it.
std::string SomGemt(const char *sti) {
  if (Aktuel)
    for (const auto &f : Aktuel->Filer)
      if (f.Endelig == sti) return f.Tmp;
  return sti;
}

}  // namespace

bool GemFindes(const char *sti) {
  const std::string s = SomGemt(sti);
  return !s.empty() && Findes(s);
}

bool GemKopi(const char *fra, const char *til) {
  Gemning g;
  HANDLE h = CreateFileA(SomGemt(fra).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
  if (h == INVALID_HANDLE_VALUE) {
    NoterFejl(Aktuel, fra, GetLastError(), false);
    return false;
  }
  LARGE_INTEGER stoerrelse{};
  GemFil f;
  bool ok = GetFileSizeEx(h, &stoerrelse);
  if (!ok) NoterFejl(Aktuel, fra, GetLastError(), false);
  ok = ok && f.Aabn(til) && f.KopierFra(h, 0, static_cast<uint64_t>(stoerrelse.QuadPart)) && f.Luk();
  CloseHandle(h);
  return g.Fuldfoer() && ok;
}

// ---- Start-up and messages ----

bool GendanAfbrudtGemning() {
  GemTilstand t;
  // Only under the folder's lock: another program's save in progress is
  // neither finished nor undone here, it is waited for.
  if (!TagLaase(&t, true)) return false;
  const bool ok = Gendan(&t, true);
  SlipLaase(&t);
  return ok;
}

bool SidsteGemFejl(GemFejl *pFejl) {
  std::lock_guard<std::mutex> g(SidsteLaas);
  if (HarSidste && pFejl) *pFejl = Sidste;
  return HarSidste;
}

void VisGemFejl(HWND hEjer, const GemFejl &fejl) {
  char tekst[kStiLaengde + 512];
  const std::string fejlTekst = FejlTekst(fejl.Fejl);
  if (fejl.Fejl == ERROR_LOCK_VIOLATION) {
    snprintf(tekst, sizeof tekst,
             "Data blev ikke gemt: et andet program gemmer i datamappen.\n\nFil: %s\nFejl: %s (%lu)\n\n"
             "De sidst gemte data er uændrede. Ændringerne er stadig i programmet "
             "og gemmes ved næste gemning.",
             fejl.Fil, fejlTekst.c_str(), static_cast<unsigned long>(fejl.Fejl));
  } else if (fejl.Besluttet) {
    snprintf(tekst, sizeof tekst,
             "Gemningen kunne ikke gøres helt færdig.\n\nFil: %s\nFejl: %s (%lu)\n\n"
             "Den gøres færdig, næste gang programmet starter.",
             fejl.Fil, fejlTekst.c_str(), static_cast<unsigned long>(fejl.Fejl));
  } else {
    snprintf(tekst, sizeof tekst,
             "Data blev ikke gemt.\n\nFil: %s\nFejl: %s (%lu)\n\n"
             "De sidst gemte data er uændrede. Ændringerne er stadig i programmet "
             "og gemmes ved næste gemning.",
             fejl.Fil, fejlTekst.c_str(), static_cast<unsigned long>(fejl.Fejl));
  }
  MessageBoxA(hEjer, tekst, "Gem", MB_OK | MB_ICONERROR);
}
