// The power-cut simulation of the file layer, for tests: what a folder may
// hold after the power went off, from what was flushed to the disk. Data
// written to a file lasts from its flush (FlushFileBuffers) on; a name made,
// renamed or removed in a folder lasts from that folder's flush on. Files
// and folders are followed by their inode, so a file renamed after its flush
// keeps its flushed data; every inode the run unlinks is held open, so that
// its number is never reused while the run is recorded.
//
// A recording takes the states at every call of one run. Reading the whole
// folder at every call would make that quadratic in the folder's size, so a
// file is read again only when the call before changed it (its path) or its
// size or times moved; each distinct content is kept once and states refer
// to contents by number.
#include "powercut.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pathmap.h"
#include "tavo/test_file.h"
#include "win/kernel.h"

namespace tavo {
namespace {

struct Navn {
  uint64_t ino = 0;
  bool mappe = false;
  bool operator==(const Navn &o) const { return ino == o.ino && mappe == o.mappe; }
};
using Liste = std::map<std::string, Navn>;

// A file's content as last read, and the stat it was read under.
struct Laest {
  off_t stoerrelse = 0;
  timespec mtid{}, ctid{};
  uint32_t id = 0;
};

// A disk state by content numbers.
struct Billede {
  std::string hvad;
  std::map<std::string, uint32_t> filer;
  std::set<std::string> mapper;
};

struct Tilstand {
  std::mutex laas;
  bool aktiv = false;
  bool optager = false;  // recording: the power never goes off
  std::string rod;
  uint64_t rodIno = 0;
  uint64_t efter = 0, talt = 0;
  bool afbrudt = false;
  std::map<uint64_t, Liste> varigeMapper;    // folder inode: its names as last flushed
  std::map<uint64_t, uint32_t> varigeFiler;  // file inode: its data as last flushed
  std::map<uint64_t, int> holdt;             // inode: a descriptor that keeps it

  std::vector<std::string> indhold;  // each distinct content once
  std::unordered_multimap<size_t, uint32_t> indholdHash;
  std::map<uint64_t, Laest> laest;
  std::string skidt;  // the path the previous call changed

  std::vector<test::PowerCutState> tilstande;
  std::unordered_map<std::string, uint32_t> tilstandNr;
  std::vector<std::vector<uint32_t>> efterKald;
};

Tilstand &S() {
  static Tilstand *s = new Tilstand;  // never destroyed: the hooks may run at exit
  return *s;
}

std::atomic<bool> g_aktiv{false};

bool Under(const std::string &sti, const std::string &mappe) {
  if (mappe.empty()) return false;
  std::string m = mappe;
  while (m.size() > 1 && m.back() == '/') m.pop_back();
  if (sti.compare(0, m.size(), m) != 0) return false;
  return sti.size() == m.size() || sti[m.size()] == '/';
}

// The whole file, read straight into a string of its size (one byte more,
// to see the end in the same read when the size holds).
bool LaesFd(int fd, std::string *ud) {
  struct stat st;
  size_t plads = fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 4096;
  ud->resize(plads);
  size_t pos = 0;
  for (;;) {
    if (pos == ud->size()) ud->resize(ud->size() * 2);
    const ssize_t n = pread(fd, ud->data() + pos, ud->size() - pos, static_cast<off_t>(pos));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ud->resize(pos);
      return n == 0;
    }
    pos += static_cast<size_t>(n);
  }
}

uint32_t Indhold(Tilstand &s, std::string &&data) {
  const size_t h = std::hash<std::string_view>{}(data);
  auto [fra, til] = s.indholdHash.equal_range(h);
  for (auto it = fra; it != til; ++it)
    if (s.indhold[it->second] == data) return it->second;
  const uint32_t id = static_cast<uint32_t>(s.indhold.size());
  s.indhold.push_back(std::move(data));
  s.indholdHash.emplace(h, id);
  return id;
}

bool Samme(const timespec &a, const timespec &b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// The content of the inode fd reads, read again when forced or when its
// stat moved since it was last read.
uint32_t LaesIno(Tilstand &s, int fd, const struct stat &st, bool tving) {
  const uint64_t ino = st.st_ino;
  auto it = s.laest.find(ino);
  if (!tving && it != s.laest.end() && it->second.stoerrelse == st.st_size && Samme(it->second.mtid, st.st_mtim) &&
      Samme(it->second.ctid, st.st_ctim))
    return it->second.id;
  std::string d;
  LaesFd(fd, &d);
  Laest l;
  l.stoerrelse = st.st_size;
  l.mtid = st.st_mtim;
  l.ctid = st.st_ctim;
  l.id = Indhold(s, std::move(d));
  s.laest[ino] = l;
  return l.id;
}

uint32_t Tom(Tilstand &s) { return Indhold(s, std::string()); }

// The names of a folder, from a descriptor of it; with pFiler, each file's
// content too.
Liste ListeAf(Tilstand &s, int fd, const std::string &mappe, std::map<uint64_t, uint32_t> *pFiler) {
  Liste l;
  const int d = dup(fd);
  if (d < 0) return l;
  DIR *dir = fdopendir(d);
  if (!dir) {
    close(d);
    return l;
  }
  rewinddir(dir);
  while (dirent *e = readdir(dir)) {
    const std::string n = e->d_name;
    if (n == "." || n == "..") continue;
    struct stat st;
    if (fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode)) continue;
    l[n] = Navn{static_cast<uint64_t>(st.st_ino), S_ISDIR(st.st_mode)};
    if (pFiler && S_ISREG(st.st_mode)) {
      const int f = openat(fd, e->d_name, O_RDONLY | O_CLOEXEC);
      if (f < 0) continue;
      (*pFiler)[st.st_ino] = LaesIno(s, f, st, mappe + "/" + n == s.skidt);
      close(f);
    }
  }
  closedir(dir);
  return l;
}

void Hold(Tilstand &s, const std::string &sti) {
  struct stat st;
  if (lstat(sti.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || s.holdt.count(st.st_ino)) return;
  const int fd = open(sti.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) s.holdt[st.st_ino] = fd;
}

// Every folder's names and every file's content below mappe as it stands.
void Gaa(Tilstand &s, const std::string &mappe, std::map<uint64_t, Liste> *pMapper,
         std::map<uint64_t, uint32_t> *pFiler, int dybde = 0) {
  if (dybde > 64) return;
  const int fd = open(mappe.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st;
  if (fstat(fd, &st) == 0) {
    const Liste l = ListeAf(s, fd, mappe, pFiler);
    (*pMapper)[st.st_ino] = l;
    for (const auto &[navn, n] : l)
      if (n.mappe) Gaa(s, mappe + "/" + navn, pMapper, pFiler, dybde + 1);
  }
  close(fd);
}

// The states a cut now allows, each once: nothing lost (what a kill
// leaves) first; everything unflushed lost; each file's unflushed data lost
// alone; each folder's unflushed name changes lost alone.
std::vector<Billede> Billeder(Tilstand &s) {
  std::vector<Billede> ud;
  if (!s.rodIno) return ud;
  std::map<uint64_t, Liste> nuMapper;
  std::map<uint64_t, uint32_t> nuFiler;
  Gaa(s, s.rod, &nuMapper, &nuFiler);
  // An inode no name leads to any more: its data through the descriptor
  // that holds it.
  auto nuData = [&](uint64_t ino) -> uint32_t {
    auto it = nuFiler.find(ino);
    if (it != nuFiler.end()) return it->second;
    auto h = s.holdt.find(ino);
    struct stat st;
    const uint32_t id = h != s.holdt.end() && fstat(h->second, &st) == 0 ? LaesIno(s, h->second, st, false) : Tom(s);
    return nuFiler[ino] = id;
  };
  auto varigData = [&](uint64_t ino) -> uint32_t {
    auto it = s.varigeFiler.find(ino);
    return it == s.varigeFiler.end() ? Tom(s) : it->second;
  };
  auto varigListe = [&](uint64_t ino) -> Liste {
    auto it = s.varigeMapper.find(ino);
    return it == s.varigeMapper.end() ? Liste() : it->second;
  };
  auto billede = [&](const std::string &hvad, const std::function<Liste(uint64_t)> &liste,
                     const std::function<uint32_t(uint64_t)> &data) {
    Billede b;
    b.hvad = hvad;
    std::function<void(uint64_t, const std::string &, int)> byg = [&](uint64_t ino, const std::string &sti,
                                                                     int dybde) {
      if (dybde > 64) return;
      for (const auto &[navn, n] : liste(ino)) {
        const std::string under = sti.empty() ? navn : sti + "/" + navn;
        if (n.mappe) {
          b.mapper.insert(under);
          byg(n.ino, under, dybde + 1);
        } else {
          b.filer[under] = data(n.ino);
        }
      }
    };
    byg(s.rodIno, "", 0);
    for (const Billede &x : ud)
      if (x.filer == b.filer && x.mapper == b.mapper) return;
    ud.push_back(std::move(b));
  };
  auto nuListe = [&](uint64_t ino) -> Liste {
    auto it = nuMapper.find(ino);
    if (it != nuMapper.end()) return it->second;
    return varigListe(ino);
  };

  billede("intet tabt", nuListe, nuData);
  billede("alt der ikke var skrevet til disken er tabt", varigListe, varigData);
  std::vector<uint64_t> uskrevne;
  for (const auto &[ino, id] : nuFiler)
    if (varigData(ino) != id) uskrevne.push_back(ino);
  for (const uint64_t tabt : uskrevne)
    billede("filen med inode " + std::to_string(tabt) + " mistede sine data", nuListe,
            [&, tabt](uint64_t i) { return i == tabt ? varigData(i) : nuData(i); });
  for (const auto &[ino, l] : nuMapper) {
    if (varigListe(ino) == l) continue;
    const uint64_t mappe = ino;
    billede("mappen med inode " + std::to_string(ino) + " mistede sine navneændringer",
            [&, mappe](uint64_t i) { return i == mappe ? varigListe(i) : nuListe(i); }, nuData);
  }
  return ud;
}

// The states a cut now allows, kept by number, under the calls made so far.
void Optag(Tilstand &s) {
  std::vector<uint32_t> nr;
  for (Billede &b : Billeder(s)) {
    std::string noegle;
    for (const auto &m : b.mapper) noegle += "D" + m + '\n';
    for (const auto &[sti, id] : b.filer) noegle += "F" + sti + '\t' + std::to_string(id) + '\n';
    auto [it, ny] = s.tilstandNr.emplace(std::move(noegle), static_cast<uint32_t>(s.tilstande.size()));
    if (ny) s.tilstande.push_back({std::move(b.hvad), std::move(b.filer), std::move(b.mapper)});
    nr.push_back(it->second);
  }
  s.efterKald.push_back(std::move(nr));
}

// Everything below the root as it stands, as lasting: the state before the
// run.
void Start(Tilstand &s, const std::string &under, uint64_t efter, bool optager) {
  s.rod = under;
  while (s.rod.size() > 1 && s.rod.back() == '/') s.rod.pop_back();
  struct stat st;
  s.rodIno = stat(s.rod.c_str(), &st) == 0 ? st.st_ino : 0;
  s.efter = efter;
  s.optager = optager;
  s.talt = 0;
  s.afbrudt = false;
  std::map<uint64_t, Liste> mapper;
  std::map<uint64_t, uint32_t> filer;
  Gaa(s, s.rod, &mapper, &filer);
  s.varigeMapper = std::move(mapper);
  s.varigeFiler = std::move(filer);
  // Every file of the state before keeps its inode from the start.
  std::function<void(uint64_t, const std::string &, int)> hold = [&](uint64_t ino, const std::string &sti,
                                                                    int dybde) {
    auto it = s.varigeMapper.find(ino);
    if (dybde > 64 || it == s.varigeMapper.end()) return;
    for (const auto &[navn, n] : it->second) {
      if (n.mappe)
        hold(n.ino, sti + "/" + navn, dybde + 1);
      else
        Hold(s, sti + "/" + navn);
    }
  };
  hold(s.rodIno, s.rod, 0);
  s.aktiv = true;
  g_aktiv.store(true, std::memory_order_release);
}

void Nulstil(Tilstand &s) {
  g_aktiv.store(false, std::memory_order_release);
  s.aktiv = false;
  s.optager = false;
  for (auto &[_, fd] : s.holdt) close(fd);
  s.holdt.clear();
  s.varigeMapper.clear();
  s.varigeFiler.clear();
  s.talt = 0;
  s.afbrudt = false;
  s.indhold.clear();
  s.indholdHash.clear();
  s.laest.clear();
  s.skidt.clear();
  s.tilstande.clear();
  s.tilstandNr.clear();
  s.efterKald.clear();
}

}  // namespace

bool PowerCutCall(unsigned kind, const std::string &linuxPath) {
  if (!g_aktiv.load(std::memory_order_acquire)) return true;
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  if (!s.aktiv || !Under(linuxPath, s.rod)) return true;
  if (s.optager) Optag(s);
  ++s.talt;
  if (!s.optager && s.efter && s.talt > s.efter) {
    // The power is off: the disk takes nothing more.
    s.afbrudt = true;
    SetLastError(ERROR_NOT_READY);
    errno = EIO;
    return false;
  }
  s.skidt = linuxPath;
  // A file about to lose its name keeps its inode for the images.
  if (kind & (test::kFileRename | test::kFileRemove)) Hold(s, linuxPath);
  return true;
}

void PowerCutFlushed(int fd, const std::string &linuxPath) {
  if (!g_aktiv.load(std::memory_order_acquire)) return;
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  if (!s.aktiv || !Under(linuxPath, s.rod)) return;
  struct stat st;
  if (fstat(fd, &st) != 0) return;
  if (S_ISDIR(st.st_mode)) {
    s.varigeMapper[st.st_ino] = ListeAf(s, fd, linuxPath, nullptr);
  } else if (S_ISREG(st.st_mode)) {
    // The handle may be open for writing only: the inode is read afresh.
    const int r = open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_RDONLY | O_CLOEXEC);
    if (r >= 0) {
      s.varigeFiler[st.st_ino] = LaesIno(s, r, st, true);
      close(r);
    }
  }
}

}  // namespace tavo

namespace tavo::test {

void StartPowerCut(const PowerCut &p) {
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  Nulstil(s);
  Start(s, p.under, p.after, false);
}

uint64_t PowerCutCalls() {
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  return s.talt;
}

bool PowerCutHappened() {
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  return s.afbrudt;
}

std::vector<DiskImage> PowerCutImages() {
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  std::vector<DiskImage> ud;
  if (!s.aktiv) return ud;
  for (const Billede &b : Billeder(s)) {
    DiskImage d;
    d.what = b.hvad;
    d.folders = b.mapper;
    for (const auto &[sti, id] : b.filer) d.files[sti] = s.indhold[id];
    ud.push_back(std::move(d));
  }
  return ud;
}

void StopPowerCut() {
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  Nulstil(s);
}

void StartPowerCutRecording(const std::string &under) {
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  Nulstil(s);
  Start(s, under, 0, true);
}

PowerCutRecording StopPowerCutRecording() {
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  PowerCutRecording r;
  if (s.aktiv && s.optager) {
    Optag(s);  // a cut after the run's last call
    r.contents = std::move(s.indhold);
    r.states = std::move(s.tilstande);
    r.afterCall = std::move(s.efterKald);
  }
  Nulstil(s);
  return r;
}

}  // namespace tavo::test
