// The power-cut simulation of the file layer, for tests: what a folder may
// hold after the power went off, from what was flushed to the disk. Data
// written to a file lasts from its flush (FlushFileBuffers) on; a name made,
// renamed or removed in a folder lasts from that folder's flush on. Files
// and folders are followed by their inode, so a file renamed after its flush
// keeps its flushed data; every inode the run unlinks is held open, so that
// its number is never reused while the run is recorded.
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
#include <string>

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

struct Tilstand {
  std::mutex laas;
  bool aktiv = false;
  std::string rod;
  uint64_t rodIno = 0;
  uint64_t efter = 0, talt = 0;
  bool afbrudt = false;
  std::map<uint64_t, Liste> varigeMapper;      // folder inode: its names as last flushed
  std::map<uint64_t, std::string> varigeFiler;  // file inode: its data as last flushed
  std::map<uint64_t, int> holdt;                // inode: a descriptor that keeps it
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

bool LaesFd(int fd, std::string *ud) {
  ud->clear();
  char buf[1 << 16];
  off_t pos = 0;
  for (;;) {
    const ssize_t n = pread(fd, buf, sizeof buf, pos);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    ud->append(buf, static_cast<size_t>(n));
    pos += n;
  }
}

// The names of a folder, from a descriptor of it.
Liste ListeAf(int fd) {
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

// Everything below a folder as it stands, as lasting: the state before the
// run.
void Optag(Tilstand &s, const std::string &mappe) {
  const int fd = open(mappe.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st;
  if (fstat(fd, &st) == 0) {
    const Liste l = ListeAf(fd);
    s.varigeMapper[st.st_ino] = l;
    for (const auto &[navn, n] : l) {
      const std::string sti = mappe + "/" + navn;
      if (n.mappe) {
        Optag(s, sti);
        continue;
      }
      Hold(s, sti);
      auto it = s.holdt.find(n.ino);
      if (it != s.holdt.end()) LaesFd(it->second, &s.varigeFiler[n.ino]);
    }
  }
  close(fd);
}

}  // namespace

bool PowerCutCall(unsigned kind, const std::string &linuxPath) {
  if (!g_aktiv.load(std::memory_order_acquire)) return true;
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  if (!s.aktiv || !Under(linuxPath, s.rod)) return true;
  ++s.talt;
  if (s.efter && s.talt > s.efter) {
    // The power is off: the disk takes nothing more.
    s.afbrudt = true;
    SetLastError(ERROR_NOT_READY);
    errno = EIO;
    return false;
  }
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
    s.varigeMapper[st.st_ino] = ListeAf(fd);
  } else if (S_ISREG(st.st_mode)) {
    // The handle may be open for writing only: the inode is read afresh.
    const int r = open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_RDONLY | O_CLOEXEC);
    if (r >= 0) {
      LaesFd(r, &s.varigeFiler[st.st_ino]);
      close(r);
    }
  }
}

}  // namespace tavo

namespace tavo::test {

void StartPowerCut(const PowerCut &p) {
  StopPowerCut();
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  s.rod = p.under;
  while (s.rod.size() > 1 && s.rod.back() == '/') s.rod.pop_back();
  struct stat st;
  s.rodIno = stat(s.rod.c_str(), &st) == 0 ? st.st_ino : 0;
  s.efter = p.after;
  s.talt = 0;
  s.afbrudt = false;
  Optag(s, s.rod);
  s.aktiv = true;
  g_aktiv.store(true, std::memory_order_release);
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
  if (!s.aktiv || !s.rodIno) return ud;

  // The disk as it stands: every folder's names and every file's data.
  std::map<uint64_t, Liste> nuMapper;
  std::map<uint64_t, std::string> nuFiler;
  std::function<void(const std::string &)> gaa = [&](const std::string &mappe) {
    const int fd = open(mappe.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st;
    if (fstat(fd, &st) == 0) {
      const Liste l = ListeAf(fd);
      nuMapper[st.st_ino] = l;
      for (const auto &[navn, n] : l) {
        if (n.mappe) {
          gaa(mappe + "/" + navn);
        } else {
          const int f = openat(fd, navn.c_str(), O_RDONLY | O_CLOEXEC);
          if (f >= 0) {
            LaesFd(f, &nuFiler[n.ino]);
            close(f);
          }
        }
      }
    }
    close(fd);
  };
  gaa(s.rod);
  // An inode no name leads to any more: its data through the descriptor
  // that holds it.
  auto nuData = [&](uint64_t ino) -> std::string {
    auto it = nuFiler.find(ino);
    if (it != nuFiler.end()) return it->second;
    auto h = s.holdt.find(ino);
    std::string d;
    if (h != s.holdt.end()) LaesFd(h->second, &d);
    return nuFiler[ino] = d;
  };
  auto varigData = [&](uint64_t ino) -> std::string {
    auto it = s.varigeFiler.find(ino);
    return it == s.varigeFiler.end() ? std::string() : it->second;
  };
  auto varigListe = [&](uint64_t ino) -> Liste {
    auto it = s.varigeMapper.find(ino);
    return it == s.varigeMapper.end() ? Liste() : it->second;
  };

  // One image: each folder's names and each file's data by the choices.
  auto billede = [&](const std::string &hvad, const std::function<Liste(uint64_t)> &liste,
                     const std::function<std::string(uint64_t)> &data) {
    DiskImage b;
    b.what = hvad;
    std::function<void(uint64_t, const std::string &, int)> byg = [&](uint64_t ino, const std::string &sti,
                                                                     int dybde) {
      if (dybde > 64) return;
      for (const auto &[navn, n] : liste(ino)) {
        const std::string under = sti.empty() ? navn : sti + "/" + navn;
        if (n.mappe) {
          b.folders.insert(under);
          byg(n.ino, under, dybde + 1);
        } else {
          b.files[under] = data(n.ino);
        }
      }
    };
    byg(s.rodIno, "", 0);
    // A state already given is given once.
    for (const DiskImage &x : ud)
      if (x.files == b.files && x.folders == b.folders) return;
    ud.push_back(std::move(b));
  };
  auto nuListe = [&](uint64_t ino) -> Liste {
    auto it = nuMapper.find(ino);
    if (it != nuMapper.end()) return it->second;
    return varigListe(ino);
  };

  // The disk as it stands (what a kill leaves) first; a state equal to an
  // earlier one is left out.
  billede("intet tabt", nuListe, nuData);
  billede("alt der ikke var skrevet til disken er tabt", varigListe, varigData);
  std::vector<uint64_t> uskrevne;
  for (const auto &[ino, data] : nuFiler)
    if (varigData(ino) != data) uskrevne.push_back(ino);
  for (const uint64_t ino : uskrevne) {
    const uint64_t tabt = ino;
    billede("filen med inode " + std::to_string(ino) + " mistede sine data", nuListe,
            [&, tabt](uint64_t i) { return i == tabt ? varigData(i) : nuData(i); });
  }
  for (const auto &[ino, l] : nuMapper) {
    if (varigListe(ino) == l) continue;
    const uint64_t mappe = ino;
    billede("mappen med inode " + std::to_string(ino) + " mistede sine navneændringer",
            [&, mappe](uint64_t i) { return i == mappe ? varigListe(i) : nuListe(i); }, nuData);
  }
  return ud;
}

void StopPowerCut() {
  Tilstand &s = S();
  std::lock_guard<std::mutex> g(s.laas);
  g_aktiv.store(false, std::memory_order_release);
  s.aktiv = false;
  for (auto &[_, fd] : s.holdt) close(fd);
  s.holdt.clear();
  s.varigeMapper.clear();
  s.varigeFiler.clear();
  s.talt = 0;
  s.afbrudt = false;
}

}  // namespace tavo::test
